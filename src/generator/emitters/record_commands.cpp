/*
** record_commands.cpp: the commands that read or change records of a file
** through its I/O module: FETCH (optionally served from the command's
** memory of the last records read, KEEP_LAST), CHECK_FOR, and DELETE,
** UPDATE and INSERT. Each writes one block that fills its argument block
** with its groups, calls the I/O module, copies the returned status and
** takes the command's actions; a WHERE kept in generated code makes FETCH,
** DELETE and UPDATE loop over the records the request reaches.
*/
#include <algorithm>

#include "generator/core/model/field_helpers.h"
#include "generator/core/model/file_field_mangling.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

std::string blockName(const char* prefix)
{
    return std::string(prefix) + "_" + std::to_string(P3109_sCurrentSequence());
}

bool lockRequested()
{
    return P3109_Parm("LOCK").compare(0, 3, "*NO") != 0;
}

void convert(const char* from, const char* to)
{
    g().emit.cLastIoStatus = 'Y';
    if (P3109_fCSharp())
        P3109_Line("if ( " + P3109_CSharpIoStatusTest(from) + " ) " + P3109_CSharpSetIoStatus(to));
    else
        P3109_Line(std::string("X_CONVERT_IO_STATUS (") + from + "," + to + ")");
}

/* The test that the last I/O status is OKAY, in the spacing of each use. */
std::string statusOkay()
{
    return P3109_fCSharp() ? P3109_CSharpIoStatusTest("X_DBM_OKAY")
                           : "memcmp(INSTANCE(vchLastIOStatus),X_DBM_OKAY,2) == 0";
}

/* The test that a request's own return code is OKAY. */
std::string returnCodeOkay(const std::string& block)
{
    return P3109_fCSharp() ? "DqooDef.X_MEMCMP( " + block + ".vchReturnCode, DqooDef.X_DBM_OKAY, 2 ) == 0"
                           : "memcmp( " + block + ".vchReturnCode, X_DBM_OKAY, 2 ) == 0";
}

void action(const char* comment, const char* keyword, const char* outcome)
{
    P3109_WriteComment(comment);
    P3109_EmitIoStatusAction(P3109_ParmField(keyword), outcome);
}

bool notFoundNext()
{
    return P3109_Parm("NOT_FOUND").compare(0, 5, "*NEXT") == 0;
}

/* The condition that a record does not match the WHERE: the Boolean
** routine of a compiled WHERE, or the evaluation routine of its text. */
bool compiledWhere()
{
    return P3109_fWhereIsCompiled();
}

/* Names one KEEP_LAST vector group may hold. */
constexpr size_t kKeepLastLimit = 200;

/* KEEP_LAST: the names of one of its two constant vector groups (at most
** kKeepLastLimit), or the generator's internal error beyond that. */
void keepLastGroup(const std::string& name, const std::vector<std::string>& names)
{
    if (names.size() > kKeepLastLimit)
        P3109_ReportException();
    P3109_EmitConstantVectorGroup(name, names, true);
}

/* The KEEP_LAST slot of a FETCH and its key and data groups; answers the
** slot number. */
size_t registerKeepLast(const GEN_IO_FILE& io, const std::string& keys, const std::string& data)
{
    /* a command emitted again (the C# pass) keeps its slot */
    std::vector<std::string>& areas = g().emit.keepLastAreas;
    const auto known = std::find(areas.begin(), areas.end(), g().lineNumberText);
    const size_t slot = static_cast<size_t>(known - areas.begin());
    if (known == areas.end())
        areas.push_back(g().lineNumberText);
    std::vector<std::string> keyNames, dataNames;
    const int32_t count = P3109_ParmCount("WITH_KEY");
    for (int32_t i = 0; i < count; ++i)
        keyNames.push_back(P3109_Padded(P3109_ParmField("WITH_KEY", 0, i), GEN_OPERAND_NAME_WIDTH));
    const std::string library = io.physicalLibrary.empty() ? P3109_TrimRight(io.library) : io.physicalLibrary;
    for (const std::string& field : P3109_GroupMembers(P3109_IoFieldGroup()))
        if (P3109_sCountFileFields(field, io.physical, library, "FFD") ||
            P3109_sCountFileFields(field, io.physical, library, "VFD"))
            dataNames.push_back(P3109_Padded(field, GEN_OPERAND_NAME_WIDTH));
    keepLastGroup(keys, keyNames);
    keepLastGroup(data, dataNames);
    return slot;
}

/* One of the two KEEP_LAST calls: the slot and both groups. */
void keepLastCall(const char* routine, size_t slot, const std::string& keys, const std::string& data,
                  const std::string& tail)
{
    if (P3109_fCSharp()) {
        P3109_Line("X_RUN_DLL." + std::string(routine) + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, ref pGlobal1.X_KLast[" +
                   std::to_string(slot) + "],");
        P3109_Line("     FunctionGlobalStatic3.sc" + keys + ", FunctionGlobalStatic3." + keys + ",");
        P3109_Line("     FunctionGlobalStatic3.sc" + data + ", FunctionGlobalStatic3." + data + ", " + tail + ");");
        return;
    }
    P3109_Line(std::string(routine) + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, &(INSTANCE(X_KLast[" + std::to_string(slot) +
               "]) ),");
    P3109_Line("     INSTANCE_S3(sc" + keys + "), INSTANCE_S3(" + keys + "),");
    P3109_Line("     INSTANCE_S3(sc" + data + "), INSTANCE_S3(" + data + "), " + tail + ");");
}

/* The commands that change records: their shared shape. */
struct ChangeCommand {
    GEN_DBM_LAYOUT layout;
    const char* prefix;
    bool fieldGroup;
    bool where;
    const char* nextRequest;
    const char* counter;
    const char* statusComment;
    const char* notFoundComment;
};

constexpr ChangeCommand kDelete{GEN_DBM_LAYOUT::Delete,
                                "X_DBM_Dlt",
                                false,
                                true,
                                "X_DBM_DELETE_NEXT",
                                "X_DeleteCount",
                                "Handle returned status and/or fatal errors",
                                "Handle no records deleted branch"};
constexpr ChangeCommand kUpdate{GEN_DBM_LAYOUT::Update,
                                "X_DBM_Upd",
                                true,
                                true,
                                "X_DBM_UPDATE_NEXT",
                                "X_UpdateCount",
                                "Handle returned status and/or fatal errors",
                                "Handle no records updated branch"};
constexpr ChangeCommand kInsert{GEN_DBM_LAYOUT::Insert,
                                "X_DBM_Ins",
                                true,
                                false,
                                nullptr,
                                nullptr,
                                "Handle returned status and/or fatal error",
                                nullptr};

void openBlock()
{
    P3109_Line("{");
    P3109_IndentIn();
}

void closeBlock()
{
    P3109_IndentOut();
    P3109_Line("}");
}

void writeChange(const ChangeCommand& c)
{
    P3109_EmitCommandPrologue();
    if (P3109_Parm("AUTOCOMMIT") != "*FILEDEF")
        ++g().emit.lIgnored1015;
    const bool evaluations = P3109_CountStatementEvaluations();
    P3109_OpenIoFrame(evaluations);
    const std::string block = blockName(c.prefix);
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const std::string module = P3109_IoModuleName(io.physical);
    const std::string group = c.fieldGroup ? P3109_IoFieldGroup() : std::string();
    P3109_WriteComment("Prepare arguments for the I/O Module");
    P3109_EmitDbmArgumentBlock(c.layout, block);
    if (c.fieldGroup)
        P3109_EmitFieldGroup("", block);
    P3109_EmitKeyGroup("", block, P3109_ParmField("NBR_KEYS"));
    bool toModule = false, inCode = false;
    std::string routine;
    if (c.where)
        P3109_EmitWhereClause("", block, toModule, inCode, io.physical,
                              io.physicalLibrary.empty() ? P3109_TrimRight(io.library) : io.physicalLibrary, routine,
                              'N');
    P3109_EmitStatementEvaluations("", block);
    P3109_EmitOamBinding(module, "", block);
    const bool loop = inCode;
    const bool cs = P3109_fCSharp();
    if (loop) {
        openBlock();
        P3109_Line((cs ? "int " : "X_LONG ") + std::string(c.counter) + " = 0;");
        P3109_Line("do");
        openBlock();
    }
    P3109_EmitInvokeIoModule(module, "", block, GEN_IO_NO_FORCE_CLOSE, io.file, group);
    P3109_WriteComment(c.statusComment);
    P3109_EmitGetIoStatus("", block);
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    if (loop) {
        P3109_Line(block + ".sDBMRequest = " + P3109_RunTimeConst(c.nextRequest) + ";");
        const std::string parms = P3109_StdParms();
        P3109_Line(block + ".chActionRow = " +
                   (compiledWhere() ? "( " + routine + "( " + parms + " ) ? YES : NO )" : routine + "(" + parms + ")") +
                   ";");
        P3109_Line("if ( " + block + ".chActionRow == YES ) " + c.counter + "++;");
        P3109_IndentOut();
        P3109_Line("} while ( " + returnCodeOkay(block) + " );");
        P3109_WriteComment("Close the open file cursor");
        P3109_Line(block + ".sDBMRequest = " + P3109_RunTimeConst("X_DBM_CURSOR_CLOSE") + ";");
        P3109_Line(block + ".chRetRRNO = NO;");
        P3109_EmitInvokeIoModule(module, "", block, GEN_IO_NO_FORCE_CLOSE, io.file, group);
    }
    action("Handle an I/O failure", "IO_ERROR", "X_DBM_FATAL_ERROR");
    action("Handle a data validation error", "VAL_ERROR", "X_DBM_VALIDATION_ERROR");
    if (loop) {
        P3109_Line("if (" + std::string(c.counter) + " > 0)");
        openBlock();
        convert("X_DBM_END_FILE", "X_DBM_OKAY");
        convert("X_DBM_BEGIN_FILE", "X_DBM_OKAY");
        closeBlock();
        P3109_Line("else");
        openBlock();
        convert("X_DBM_END_FILE", "X_DBM_NO_RECORD");
        convert("X_DBM_BEGIN_FILE", "X_DBM_NO_RECORD");
        closeBlock();
        P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    }
    if (c.notFoundComment && !notFoundNext())
        action(c.notFoundComment, "NOT_FOUND", "X_DBM_NO_RECORD");
    if (loop)
        closeBlock();
    P3109_CloseIoFrame(evaluations);
}

}  // namespace

void P3109_EmitFetch()
{
    if (lockRequested())
        P3109_sIssueMessage(Msg::RecordLocking, " ");
    P3109_EmitCommandPrologue();
    const bool evaluations = P3109_CountStatementEvaluations();
    P3109_OpenIoFrame(evaluations);
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const std::string block = blockName("X_DBM_Fch");
    const std::string module = P3109_IoModuleName(io.physical);
    const std::string group = P3109_IoFieldGroup();
    const int32_t keepLast = P3109_ParmNumber("KEEP_LAST");
    const std::string keys = "Fetch_Keys_" + g().lineNumberText, data = "Fetch_Data_" + g().lineNumberText;
    size_t slot = 0;
    if (keepLast > 0) {
        slot = registerKeepLast(io, keys, data);
        P3109_WriteComment("Search KEEP_LAST data before doing DB access");
        keepLastCall("X_Search_Last", slot, keys, data,
                     P3109_fCSharp() ? "ref pGlobal1.vchLastIOStatus " : "INSTANCE(vchLastIOStatus) ");
        P3109_EmitFatalErrorTest();
        P3109_WriteComment("If data was found in KEEP_LAST information");
        g().emit.cLastIoStatus = 'Y';
        P3109_Line("if (" + statusOkay() + ")");
        openBlock();
        P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
        closeBlock();
        P3109_WriteComment("else try a DB access to get the data");
        P3109_Line("else");
        openBlock();
    }
    P3109_WriteComment("Prepare arguments for the I/O Module");
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::Fetch, block);
    P3109_EmitFieldGroup("", block);
    P3109_EmitKeyGroup("", block, P3109_ParmField("NBR_KEYS"));
    bool toModule = false, inCode = false;
    std::string routine;
    P3109_EmitWhereClause("", block, toModule, inCode, io.physical,
                          io.physicalLibrary.empty() ? P3109_TrimRight(io.library) : io.physicalLibrary, routine, 'N');
    P3109_EmitStatementEvaluations("", block);
    P3109_EmitSetLock(P3109_Parm("LOCK"), "", block);
    P3109_EmitOamBinding(module, "", block);
    const bool loop = inCode;
    if (loop) {
        P3109_Line("do");
        openBlock();
    }
    P3109_EmitInvokeIoModule(module, "", block, GEN_IO_NO_FORCE_CLOSE, io.file, group);
    P3109_WriteComment("Handle returned status and/or fatal errors");
    P3109_EmitGetIoStatus("", block);
    convert("X_DBM_END_FILE", "X_DBM_NO_RECORD");
    convert("X_DBM_BEGIN_FILE", "X_DBM_NO_RECORD");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    if (loop) {
        const std::string parms = P3109_StdParms();
        P3109_Line(block + ".sDBMRequest = " + P3109_RunTimeConst("X_DBM_FETCH_NEXT") + ";");
        P3109_IndentOut();
        P3109_Line("} while ( ( " + returnCodeOkay(block) + " )");
        P3109_Line(compiledWhere() ? "      && ( !( " + routine + "(" + parms + ") ) ));"
                                   : "      && (" + routine + "(" + parms + ") == NO));");
        P3109_Line(" ");
        P3109_WriteComment("Close the open file cursor");
        P3109_Line(block + ".sDBMRequest = " + P3109_RunTimeConst("X_DBM_CURSOR_CLOSE") + ";");
        P3109_Line(block + ".chRetRRNO = NO;");
        P3109_EmitInvokeIoModule(module, "", block, GEN_IO_NO_FORCE_CLOSE, io.file, group);
    }
    action("Handle an I/O failure", "IO_ERROR", "X_DBM_FATAL_ERROR");
    action("Handle a data validation error", "VAL_ERROR", "X_DBM_VALIDATION_ERROR");
    if (!notFoundNext())
        action("Handle a no record error", "NOT_FOUND", "X_DBM_NO_RECORD");
    if (keepLast > 0) {
        P3109_WriteComment("If data found, store in KEEP_LAST area");
        P3109_Line("if (" + statusOkay() + ")");
        openBlock();
        keepLastCall("X_Store_Last", slot, keys, data, std::to_string(keepLast));
        P3109_EmitFatalErrorTest();
        closeBlock();
        closeBlock();
    }
    P3109_CloseIoFrame(evaluations);
}

void P3109_EmitCheckFor()
{
    P3109_EmitCommandPrologue();
    const bool evaluations = P3109_CountStatementEvaluations();
    P3109_OpenIoFrame(evaluations);
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const std::string block = blockName("X_DBM_Chk");
    const std::string module = P3109_IoModuleName(io.physical);
    P3109_WriteComment("Prepare arguments for the I/O Module");
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::CheckFor, block);
    P3109_EmitKeyGroup("", block, P3109_ParmField("NBR_KEYS"));
    P3109_EmitStatementEvaluations("", block);
    P3109_EmitOamBinding(module, "", block);
    P3109_EmitInvokeIoModule(module, "", block, GEN_IO_NO_FORCE_CLOSE, io.file, "");
    P3109_WriteComment("Handle returned status and/or fatal error");
    P3109_EmitGetIoStatus("", block);
    convert("X_DBM_END_FILE", "X_DBM_NOT_EQUAL_KEY");
    convert("X_DBM_BEGIN_FILE", "X_DBM_NOT_EQUAL_KEY");
    convert("X_DBM_NO_RECORD", "X_DBM_NOT_EQUAL_KEY");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    action("Handle an I/O failure", "IO_ERROR", "X_DBM_FATAL_ERROR");
    action("Handle a data validation error", "VAL_ERROR", "X_DBM_VALIDATION_ERROR");
    if (!notFoundNext())
        action("Handle a no record error", "NOT_FOUND", "X_DBM_NOT_EQUAL_KEY");
    P3109_CloseIoFrame(evaluations);
}

void P3109_EmitDelete()
{
    writeChange(kDelete);
}

void P3109_EmitUpdate()
{
    writeChange(kUpdate);
}

void P3109_EmitInsert()
{
    writeChange(kInsert);
}

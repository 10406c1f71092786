/*
** file_control.cpp: the file-control commands: OPEN of one file (kept
** open, or opened as a run-time query) or of every file of the function,
** CLOSE of one file or all of them, and COMMIT and ROLLBACK, which end the
** current unit of work.
*/
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

bool allFiles()
{
    return P3109_ParmField("FILE").compare(0, 4, "*ALL") == 0;
}

/* The OPEN option as its three-letter code: the checker's code when it
** left one, else the USE_OPTION keyword's. */
std::string openCode()
{
    const std::string code = P3109_Parm("@OPENCODE");
    if (!code.empty())
        return code;
    struct Option {
        const char* keyword;
        const char* code;
    };
    static constexpr Option kOptions[] = {
        {"*KEEPOPEN", "KPO"}, {"*IMMEDIATE", "IMD"}, {"*OPNQRYF", "UOQ"}, {"*ONDEMAND", "OND"}};
    const std::string option = P3109_Parm("USE_OPTION");
    for (const Option& o : kOptions)
        if (option == o.keyword)
            return o.code;
    return {};
}

void fatalAction()
{
    P3109_WriteComment("Handle an I/O failure");
    P3109_EmitIoStatusAction(P3109_ParmField("IO_ERROR"), "X_DBM_FATAL_ERROR");
}

/* The status lines that follow the invocation of OPEN and CLOSE. */
void statusAndAction(const std::string& block)
{
    P3109_WriteComment("Handle returned status and/or fatal error");
    P3109_EmitGetIoStatus("", block);
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    fatalAction();
}

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

/* COMMIT and ROLLBACK: one request without a module binding, through the
** run time's commit or rollback of the database. */
void writeEndOfWork(GEN_DBM_LAYOUT layout, const char* prefix, const char* current, const char* older)
{
    P3109_EmitCommandPrologue();
    ++g().emit.lIgnored1015;
    openBlock();
    const bool cs = P3109_fCSharp();
    P3109_Line(cs ? "int lCommRollResult;" : "X_LONG lCommRollResult;");
    const std::string block = std::string(prefix) + "_" + std::to_string(P3109_sCurrentSequence());
    P3109_EmitDbmArgumentBlock(layout, block);
    P3109_Line(block + ".pX_Fld = pX_Fld;");
    if (cs) {
        /* the run time of C# programs has the current interface only */
        P3109_Line("lCommRollResult = X_RUN_DLL." + std::string(current) + "( pX_Ids, pX_Pro, pX_Fun, " + block +
                   " );");
    } else {
        P3109_LineAt(0, "#ifdef X_VELMOX_V1_30_OR_LATER");
        P3109_Line("lCommRollResult = " + std::string(current) + "( pX_Ids, pX_Pro, pX_Fun, &" + block + " );");
        P3109_LineAt(0, "#else");
        P3109_Line("lCommRollResult = " + std::string(older) + "( pX_Ids, pX_Pro, pX_Fun, &" + block + " );");
        P3109_LineAt(0, "#endif");
    }
    P3109_Line("if (lCommRollResult < 0)");
    P3109_Line("{");
    P3109_EmitBranchToTarget("*ERROR", static_cast<uint16_t>(g().out.usIndent + 3));
    P3109_Line("}");
    closeBlock();
}

}  // namespace

void P3109_EmitOpen()
{
    P3109_EmitCommandPrologue();
    const std::string code = openCode();
    if (code == "IMD" || code == "KPO") {
        const std::string keepOpen = code == "KPO" ? "YES" : "NO";
        if (code == "KPO")
            P3109_sIssueMessage(Msg::OptionIgnored, "*KEEPOPEN");
        if (allFiles()) {
            g().emit.cOpenAll = 'Y';
            P3109_WriteComment("Open all open tables");
            P3109_Line("X_Open_Data_Base_" + P3109_ModuleName() + "( " + P3109_StdParms() + ", " + keepOpen + " );");
            fatalAction();
            return;
        }
        const GEN_IO_FILE io = P3109_CurrentIoFile();
        const std::string block = blockName("X_DBM_Opn"), module = P3109_IoModuleName(io.physical);
        P3109_WriteComment("Prepare arguments for the I/O Module");
        openBlock();
        P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::Open, block);
        if (code == "KPO")
            P3109_Line(block + ".chKeepOpen = YES;");
        P3109_EmitOamBinding(module, "", block);
        P3109_EmitInvokeIoModule(module, "", block, GEN_IO_NO_FORCE_CLOSE, io.file, "");
        statusAndAction(block);
        closeBlock();
        return;
    }
    if (code != "UOQ")
        return;
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const std::string block = blockName("X_DBM_Opn"), query = blockName("X_DBM_OpnQryF");
    const std::string module = P3109_IoModuleName(io.physical);
    P3109_WriteComment("Prepare standard arguments for the I/O Module");
    openBlock();
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::OpenQuery, query);
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::Open, block);
    P3109_WriteComment("Prepare details of the OPNQRYF request");
    P3109_Line(block + ".chOPNQRYF = YES;");
    P3109_Line(block + ".pOPNQRYF = " + (P3109_fCSharp() ? "" : "&") + query + ";");
    P3109_EmitOamBinding(module, "", block);
    P3109_EmitInvokeIoModule(module, "", block, GEN_IO_NO_FORCE_CLOSE, io.file, "");
    statusAndAction(block);
    closeBlock();
}

void P3109_EmitClose()
{
    P3109_EmitCommandPrologue();
    if (allFiles()) {
        P3109_WriteComment("Close all open tables");
        P3109_Line("X_Close_Data_Base_" + P3109_ModuleName() + "( " + P3109_StdParms() + " );");
        fatalAction();
        return;
    }
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const std::string block = blockName("X_DBM_Cls"), module = P3109_IoModuleName(io.physical);
    openBlock();
    P3109_WriteComment("Prepare arguments for the I/O Module");
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::Close, block);
    P3109_EmitOamBinding(module, "", block);
    P3109_EmitInvokeIoModule(module, "", block, GEN_IO_FORCE_CLOSE, io.file, "");
    statusAndAction(block);
    closeBlock();
}

void P3109_EmitCommit()
{
    writeEndOfWork(GEN_DBM_LAYOUT::Commit, "X_DBM_Commit", "X_Commit_DBMS", "X_DBM_Commit");
}

void P3109_EmitRollback()
{
    writeEndOfWork(GEN_DBM_LAYOUT::Rollback, "X_DBM_Rollback", "X_Rollback_DBMS", "X_DBM_Rollback");
}

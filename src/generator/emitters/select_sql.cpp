/*
** select_sql.cpp: the SELECT_SQL loop. Where the command stands it writes
** a loop that calls the loop's selection routine until it answers NO; in
** the routine section the selection routine's body describes the statement
** to the run-time I/O module on its first call, as an array of information
** entries (columns, tables, clauses and every field reference inside them),
** and asks for the next row on every call. The statement is given either
** as clauses (two passes: the first counts the entries, the second writes
** them) or whole as a literal or a field (USING).
*/
#include <array>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/record_store.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "generator/emitters/sql_support.h"
#include "generator/expressions/expr_routines.h"
#include "params/command_records.h"
#include "platform/dqoo/dqoo.h"

namespace {

GEN_BLOCK_ENTRY& innermost()
{
    return g().blocks[static_cast<size_t>(std::max<int16_t>(g().sBlockDepth, 0))];
}

bool cs()
{
    return P3109_fCSharp();
}

/* The index of the entry that the run time gives the I/O status back in:
** the second of every statement (after the handle). */
constexpr const char* kStatusEntry = "1";

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

/* Whether the loop uses a database connection of its own. */
bool ownConnection(const GEN_SELECT_NODE& select)
{
    return !select.connectName.empty() && P3109_Parm("CONNECT") == "Y";
}

/* The first file of another database, whose connection data the loop's
** own connection uses. */
void registerConnection(const GEN_SELECT_NODE& select)
{
    GEN_FILE_ACCESS_BLOCK block{select.loopName, "", "", ""};
    if (ownConnection(select)) {
        block.connection = select.connectName;
        const int32_t count = std::min<int32_t>(P3109_ParmCount("FROM_FILES"), 10);
        for (int32_t i = 0; i < count; ++i) {
            if (P3109_Parm("@FILESLOTS", 2, i) != "Y")
                continue;
            block.database = P3109_Parm("@FILESLOTS", 0, i);
            block.qualifier = P3109_Parm("@FILESLOTS", 1, i);
            break;
        }
    }
    P3109_RegisterFileAccessBlock(block);
}

/* The column texts of the command, from its extension record. */
std::vector<std::string> columnTexts(int32_t lColumns)
{
    auto extension = std::make_unique<FFC_COMMAND_EXTENSION>();
    std::memset(extension.get(), 0, sizeof *extension);
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    extension->sLine = static_cast<int16_t>(r.usNumber);
    extension->sSubLine = static_cast<int16_t>(r.usSequence);
    FFC_CONTEXT* ctx = P3109_Context();
    const bool found = ctx && RS_fFindCommandExtension(ctx, extension.get(), sizeof *extension) == 0;
    std::vector<std::string> texts;
    for (int32_t i = 0; i < lColumns; ++i) {
        const char* text = found ? FFC_ExtensionColumnText(extension.get(), i) : nullptr;
        texts.push_back(text ? std::string(text, FFC_EXTENSION_COLUMN_WIDTH) : std::string());
    }
    return texts;
}

/* The C# frame of a selection routine's body: the entries are objects of
** an array of the function's instance, filled through an index. */
void writeRoutineHeadCs(const GEN_SELECT_NODE& select, int32_t lCount, bool fClauses)
{
    const std::string block = select.loopName, p = "p" + block;
    openBlock();
    P3109_Line("X_ODBC_SELECT_2[] pODBC = pGlobal1." + select.odbcSelectName + ";");
    if (fClauses)
        P3109_Line("int     sTotalODBC = " + std::to_string(lCount) + ";");
    P3109_Line("bool    fNewODBCRequest = false;");
    P3109_Line("int     lODBCReturnCode = 0;");
    P3109_Line("int     i = 0;");
    P3109_Line("X_DBM   pX_DBM;");
    const bool own = ownConnection(select);
    if (own)
        P3109_Line("X_CONNECT_DATABASE pX_ConnectDB = pGlobal1." + select.connectName + ";");
    P3109_Line("");
    P3109_Line("if (lSelectLoopCount == 0)");
    openBlock();
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::SelectSql, block);
    P3109_Line("pGlobal1." + p + " = " + block + ";");
    P3109_Line("pX_DBM = pGlobal1." + p + ";");
    P3109_Line("");
    P3109_Line("if ( pX_Ids.chFatalError == YES )");
    openBlock();
    g().emit.cLastIoStatus = 'Y';
    P3109_Line(P3109_CSharpSetIoStatus("X_DBM_FATAL_ERROR"));
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_Line("return NO;");
    closeBlock();
    closeBlock();
    P3109_Line("else");
    openBlock();
    P3109_Line("pX_DBM = pGlobal1." + p + ";");
    closeBlock();
    P3109_Line("");
    P3109_Line("X_RUN_DLL.X_Check_File_Redirected(pX_Ids, pX_Pro, pX_Fun, pX_DBM, ref pX_DBM.vchPhysical);");
    P3109_Line("");
    P3109_Line(own ? "X_RUN_DLL.X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,TRUE,pX_ConnectDB);"
                   : "X_RUN_DLL.X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,FALSE,null);");
    const std::string n = std::to_string(lCount);
    P3109_WriteComment("Allocate the ODBC tracking area if not already allocated");
    P3109_Line("if (pODBC == null)");
    openBlock();
    P3109_Line("pODBC = new X_ODBC_SELECT_2[" + n + "];");
    P3109_Line("for ( i = 0; i < " + n + "; i++ )");
    openBlock();
    P3109_Line("pODBC[i] = new X_ODBC_SELECT_2();");
    P3109_Line("pODBC[i].ulSize = X_ODBC_SELECT_2.X_SIZE;");
    P3109_Line("pODBC[i].sVersion = DqooDef.X_ODBC_SELECT_V1;");
    closeBlock();
    P3109_Line("pGlobal1." + select.odbcSelectName + " = pODBC;");
    P3109_Line("fNewODBCRequest = true;");
    closeBlock();
    P3109_WriteComment("If this is a newly allocated ODBC tracking area initalize it");
    P3109_Line("if (fNewODBCRequest)");
    openBlock();
    P3109_Line("int iCurrentODBC = 0;");
}

/* The frame of a selection routine's body up to the information entries:
** its variables, the request block on the first call, the connection
** check and the allocation of the entries. */
void writeRoutineHead(const GEN_SELECT_NODE& select, int32_t lCount, bool fClauses)
{
    if (cs()) {
        writeRoutineHeadCs(select, lCount, fClauses);
        return;
    }
    const std::string block = select.loopName, p = "p" + block;
    openBlock();
    P3109_Line("struct X_ODBC_SELECT_2 * pODBC = INSTANCE(" + select.odbcSelectName + ");");
    if (fClauses)
        P3109_Line("X_SHORT sTotalODBC = " + std::to_string(lCount) + ";");
    P3109_Line("X_BOOL  fNewODBCRequest = FALSE;");
    P3109_Line("X_LONG  lODBCReturnCode = 0;");
    P3109_Line("X_SHORT i = 0;");
    P3109_Line("struct X_DBM * pX_DBM;");
    const bool own = ownConnection(select);
    if (own)
        P3109_Line("struct X_CONNECT_DATABASE * pX_ConnectDB = INSTANCE(" + select.connectName + ");");
    P3109_Line("");
    P3109_Line("if (lSelectLoopCount == 0)");
    openBlock();
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::SelectSql, block);
    P3109_Line("INSTANCE(" + p +
               ") = ((struct X_DBM*)( X_PDF_Allocate_Memory(pX_Ids, pX_Pro, pX_Fun, sizeof(struct X_DBM) ) ));");
    P3109_Line("");
    P3109_Line("pX_DBM = INSTANCE(" + p + ");");
    P3109_Line("");
    P3109_Line("if ( ( pX_DBM == pX_NULL ) || ( pX_Ids->chFatalError == YES ) )");
    openBlock();
    g().emit.cLastIoStatus = 'Y';
    P3109_Line("memcpy( INSTANCE(vchLastIOStatus), X_DBM_FATAL_ERROR, 2);");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_Line("return(NO);");
    closeBlock();
    P3109_Line("");
    P3109_Line("memcpy( pX_DBM, &" + block + ", sizeof(struct X_DBM) );");
    closeBlock();
    P3109_Line("else");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_Line("pX_DBM = INSTANCE(" + p + ");");
    closeBlock();
    P3109_Line("");
    P3109_Line("X_Check_File_Redirected(pX_Ids, pX_Pro, pX_Fun, pX_DBM, pX_DBM->vchPhysical);");
    P3109_Line("");
    P3109_Line(own ? "X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,TRUE,pX_ConnectDB);"
                   : "X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,FALSE,pX_NULL);");
    const std::string n = std::to_string(lCount);
    P3109_WriteComment("Allocate the ODBC tracking area if not already allocated");
    P3109_Line("if (pODBC == pX_NULL)");
    openBlock();
    P3109_Line("pODBC = (struct X_ODBC_SELECT_2 *) X_PDF_Allocate_Memory(pX_Ids, pX_Pro, pX_Fun,");
    P3109_Line("                                    (" + n + " * sizeof(struct X_ODBC_SELECT_2)));");
    P3109_Line("if ( (pODBC == pX_NULL) || (pX_Ids->chFatalError == YES) )");
    openBlock();
    P3109_Line("memcpy(INSTANCE(vchLastIOStatus),X_DBM_FATAL_ERROR,2);");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_Line("return(NO);");
    closeBlock();
    P3109_Line("memset(pODBC,0,(" + n + " * sizeof(struct X_ODBC_SELECT_2)));");
    P3109_Line("");
    P3109_Line("for ( i = 0; i < " + n + "; i++ )");
    openBlock();
    /* every entry of the area gets its size and version, not the first
       one again and again */
    P3109_Line("pODBC[i].ulSize = sizeof(struct X_ODBC_SELECT_2);");
    P3109_Line("pODBC[i].sVersion = X_ODBC_SELECT_V1;");
    closeBlock();
    P3109_Line("INSTANCE(" + select.odbcSelectName + ") = pODBC;");
    P3109_Line("fNewODBCRequest = TRUE;");
    closeBlock();
    P3109_WriteComment("If this is a newly allocated ODBC tracking area initalize it");
    P3109_Line("if (fNewODBCRequest)");
    openBlock();
    P3109_Line("struct X_ODBC_SELECT_2 * pCurrentODBC = pODBC;");
}

/* The end of the entries, the cursor registration and the read. */
void writeRoutineTail(const GEN_SELECT_NODE& select, const std::string& total)
{
    P3109_WriteCloseCursorRegistration(select.closeName);
    closeBlock();
    P3109_Line("");
    if (cs()) {
        /* C# strings are no buffers: the run time leaves the status in the
           status entry */
        P3109_Line("lODBCReturnCode = X_RUN_DLL.X_DBM_Operation( pX_Ids, pX_Pro, pX_Fun, "
                   "DqooDef.X_DBM_HANDLE_SELECT_SQL_READ_2, null, " +
                   total + ", pODBC );");
        P3109_Line("pGlobal1.vchLastIOStatus = pODBC[" + std::string(kStatusEntry) + "].pvchInfoValue3;");
    } else {
        P3109_Line("X_DBM_OP( lODBCReturnCode, X_DBM_HANDLE_SELECT_SQL_READ_2, pX_NULL, " + total +
                   ", ((X_PVOID) pODBC) )");
    }
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_Line("if (lODBCReturnCode == 0) return(YES);");
    P3109_Line("else return(NO);");
    closeBlock();
}

/* The entries of a statement given as clauses, counted or written. */
void writeClauseEntries(const GEN_SELECT_NODE& select, GEN_ODBC_PASS& pass)
{
    pass.lReference = 0;
    auto entry = [&](std::string_view kind, std::string_view v1, std::string_view v2, std::string_view v3,
                     std::string_view real) {
        if (pass.fWriting)
            P3109_EmitOdbcInfoEntry(kind, v1, v2, v3, real);
        else
            ++pass.lCount;
    };
    entry("X_ODBC_SELECT_HANDLE", "0", "0", "pX_NULL", "");
    entry("X_ODBC_SELECT_IO_STATUS", "", "", cs() ? "null" : "INSTANCE(vchLastIOStatus)", "");
    entry("X_ODBC_SELECT_DISTINCT_OPTION", P3109_fParmIsYes("DISTINCT") ? "TRUE" : "FALSE", "", "", "");

    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const int16_t pair[2] = {static_cast<int16_t>(r.usNumber), static_cast<int16_t>(r.usSequence)};
    const int32_t columns = std::min<int32_t>(P3109_ParmCount("FIELDS"), 100);
    const std::vector<std::string> texts = columnTexts(columns);
    for (int32_t i = 0; i < columns; ++i) {
        const std::string field = P3109_ParmField("FIELDS", 0, i);
        int found = 0;
        char cClass = 'N', cMark = ' ';
        const GEN_SQL_FIELD* listed = P3109_pFindNamedFileEntry(field, 10, pair, found, &cClass, &cMark);
        const std::string index = std::to_string(i);
        if (P3109_TrimRight(texts[static_cast<size_t>(i)]).empty()) {
            if (!listed)
                continue;
            std::string value3, realName;
            P3109_SqlNameRule(*listed, cClass == 'Y' || cClass == 'I' ? cClass : cMark, value3, realName);
            entry("X_ODBC_SELECT_COLUMN", index, listed->fResolved ? listed->vectorName : P3109_RequiredFieldVector("FIELDS", field),
                  value3, realName);
            continue;
        }
        std::string vector;
        if (listed && listed->fResolved) {
            vector = listed->vectorName;
        } else {
            GEN_FIELD_INFO info;
            if (!P3109_fFindUsedField(field, info))
                P3109_InternalError(P3109_Format("Internal error: Field %s not found in FFC temporary field list",
                                                 P3109_TrimRight(field).c_str()));
            vector = info.vectorName;
        }
        const GEN_ODBC_CLAUSE clause{"X_ODBC_SELECT_COLUMN", "X_ODBC_SELECT_COLUMN_FIELD", 'Y', 'N', index, vector};
        P3109_EmitOdbcColumnEntries(select, texts[static_cast<size_t>(i)], FFC_EXTENSION_COLUMN_WIDTH, pass, clause);
    }

    const int32_t files = std::min<int32_t>(P3109_ParmCount("FROM_FILES"), 10);
    for (int32_t i = 0; i < files; ++i) {
        const std::string index = std::to_string(i);
        const std::string library = P3109_Parm("@FILESLOTS", 1, i);
        const std::string file = P3109_Parm("FROM_FILES", 0, i);
        const std::string table = P3109_MakeCIdentifier(file, file.size());
        const std::string correlation = P3109_Parm("FROM_FILES", 1, i);
        if (!pass.fWriting) {
            pass.lCount += 3;
            continue;
        }
        entry("X_ODBC_SELECT_COLLECTION", index, "", P3109_SqlQuotedLiteral(library), P3109_SqlQuotedLiteral(library));
        entry("X_ODBC_SELECT_TABLE", index, "", P3109_SqlQuotedLiteral(table), P3109_SqlQuotedLiteral(table));
        entry("X_ODBC_SELECT_CORRELATION", index, "", correlation.empty() ? "pX_NULL" : P3109_SqlLiteral(correlation),
              "");
    }

    struct Clause {
        const char* keyword;
        size_t length;
        GEN_ODBC_CLAUSE clause;
    };
    const Clause clauses[] = {
        {"WHERE", 1000, {"X_ODBC_SELECT_WHERE", "X_ODBC_SELECT_WHERE_FIELD", 'Y', 'N', "0", ""}},
        {"GROUP_BY", 250, {"X_ODBC_SELECT_GROUP_BY", "X_ODBC_SELECT_GROUP_BY_FIELD", 'N', 'N', "0", ""}},
        {"HAVING", 1000, {"X_ODBC_SELECT_HAVING", "X_ODBC_SELECT_HAVING_FIELD", 'Y', 'N', "0", ""}},
        {"ORDER_BY", 250, {"X_ODBC_SELECT_ORDER_BY", "X_ODBC_SELECT_ORDER_BY_FIELD", 'N', 'Y', "0", ""}}};
    for (const Clause& c : clauses) {
        const std::string text = P3109_ParmField(c.keyword);
        if (!P3109_TrimRight(text).empty())
            P3109_EmitOdbcColumnEntries(select, text, c.length, pass, c.clause);
    }
}

/* The text of a USING statement given as a text literal of the object
** layer; the operand itself otherwise. */
std::string usingText(const std::string& statement)
{
    if (statement.empty() || static_cast<unsigned char>(statement[0]) != 3)
        return P3109_TrimRight(statement);
    DQOO_LITERAL_INFO info{};
    const long rc = DQOO_FCC_LL2_ETT_QueryGetLiteralInfo(statement.c_str(), &info);
    if (rc != 0)
        DQOO_FCC_FatalError("DQOO_FCC_LL2_ETT_QueryGetLiteralInfo", rc);
    return info.pszText ? std::string(info.pszText, info.usLength) : std::string();
}

/* The host fields of a USING statement given as text: the run time binds
** each by its name to the field's vector entry, which the statement's text
** alone does not give it. */
std::vector<std::string> usingHostFields()
{
    const std::string statement = P3109_ParmField("USING");
    const std::string text = usingText(statement);
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool field = static_cast<unsigned char>(statement.empty() ? 0 : statement[0]) != 3 && ctx &&
                       !text.empty() && text[0] == ctx->cNatChar1 && text.size() <= 11 &&
                       text.find(' ') == std::string::npos;
    return field ? std::vector<std::string>{} : P3109_SqlHostFieldNames(text);
}

void writeUsingHostFields(const std::vector<std::string>& names)
{
    for (size_t i = 0; i < names.size(); ++i)
        P3109_EmitOdbcInfoEntry("X_ODBC_SELECT_WHERE_FIELD", std::to_string(i),
                                P3109_RequiredFieldVector("USING", names[i]), P3109_SqlLiteral(":" + names[i]), "");
}

/* The statement of the USING operand: a text literal of the object layer
** or of the source, or a field that holds the statement. */
void writeUsingEntry(const GEN_SELECT_NODE&)
{
    const std::string statement = P3109_ParmField("USING");
    if (!statement.empty() && static_cast<unsigned char>(statement[0]) == 3) {
        P3109_EmitOdbcInfoEntry("X_ODBC_SELECT_USING", "TRUE", "", P3109_SqlLiteral(usingText(statement)), "");
        return;
    }
    const std::string trimmed = P3109_TrimRight(statement);
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool fieldName = ctx && !trimmed.empty() && trimmed[0] == ctx->cNatChar1 && trimmed.size() <= 11 &&
                           trimmed.find(' ') == std::string::npos;
    int found = 0;
    const GEN_SQL_FIELD* field = fieldName ? P3109_pFindSqlField(found, 10, trimmed) : nullptr;
    if (field) {
        P3109_EmitOdbcInfoEntry("X_ODBC_SELECT_USING", "FALSE",
                                field->fResolved ? field->vectorName : P3109_RequiredFieldVector("USING", trimmed), "pX_NULL", "");
        return;
    }
    P3109_EmitOdbcInfoEntry("X_ODBC_SELECT_USING", "TRUE", "", P3109_SqlLiteral(trimmed), "");
}

}  // namespace

void P3109_EmitOdbcInfoEntry(std::string_view kind, std::string_view value1, std::string_view value2,
                             std::string_view value3, std::string_view realName)
{
    /* C# reaches the current entry through its index and the run time's
       constants through DqooDef */
    const bool csharp = cs();
    const std::string entry = csharp ? "pODBC[iCurrentODBC]." : "pCurrentODBC->";
    const auto text = [csharp](std::string_view value) {
        const std::string v(value);
        if (!csharp)
            return v;
        return v == "pX_NULL" ? std::string("null") : v.rfind("X_", 0) == 0 ? "DqooDef." + v : v;
    };
    P3109_Line(entry + "chInfoType = " + text(kind) + ";");
    const std::pair<const char*, std::string_view> values[] = {
        {"ulInfoValue1", value1}, {"ulInfoValue2", value2}, {"pvchInfoValue3", value3}, {"pvchRealName", realName}};
    for (const auto& [member, value] : values) {
        if (value.empty())
            continue;
        std::string line = entry + std::string(member) + " = " + text(value) + ";";
        if (const char* literal = CGEN_pFindTextLiteral(value, nullptr))
            P3109_AppendLineComment(line, P3109_LineCommentText(literal));
        P3109_Line(line);
    }
    P3109_Line(csharp ? "iCurrentODBC++;" : "pCurrentODBC++;");
    P3109_Line("");
}

void P3109_EmitSelectSql()
{
    g().emit.cSqlIndicator = 'Y';
    const GEN_SELECT_NODE* select = P3109_MakeSelectNames(P3109_ParmCount("FROM_FILES") > 0);
    registerConnection(*select);
    GEN_BLOCK_ENTRY& loop = innermost();
    P3109_WriteComment("Prepare for the SELECT_SQL Loop");
    if (P3109_fFrameIndicator() || P3109_CountStatementEvaluations()) {
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
        loop.fFrame = true;
    }
    P3109_EmitLabelTarget();
    openBlock();
    const std::string counter = P3109_OpenSelectLoopCounter();
    P3109_Line(cs() ? "int " + counter + " = 0;" : "X_LONG lSelectLoopCount = 0;");
    P3109_EmitKeepReset(P3109_LoopId().data());
    P3109_WriteComment("Peform the SELECT_SQL in a Loop");
    P3109_Line("while (" + select->routineName + "(" + P3109_StdParms() + "," + counter + ") == YES)");
    openBlock();
    ++g().sOpenSelectCount;
    P3109_Line(counter + "++;");
    loop.afSelectFlags[0] = true;
    loop.selectClose = select->closeName;
    loop.afSelectFlags[1] = true;
    loop.selectIoError = P3109_ParmField("IO_ERROR");
    loop.afSelectFlags[2] = false;
    loop.selectBlock.clear();
    P3109_EmitCommandPrologue();
}

void P3109_EmitSelectSqlOdbcRoutine(const GEN_SELECT_NODE& select)
{
    P3109_SetCommandSqlFiles();
    P3109_WriteComment("The following SQL logic directly results from the ZOPH");
    P3109_WriteComment(
        P3109_Format("command SELECT_SQL at command sequence number %d", P3109_sCurrentSequence()));
    GEN_ODBC_PASS counting;
    const char saved = g().out.cSuppress;
    g().out.cSuppress = 'Y';
    writeClauseEntries(select, counting);
    g().out.cSuppress = saved;
    /* the run time of C# programs reaches every database through its
       generic layer: the routine has no other form to choose from */
    if (!cs())
        P3109_WriteGenericOdbcIf(g().out.current);
    writeRoutineHead(select, counting.lCount, true);
    GEN_ODBC_PASS writing;
    writing.fWriting = true;
    writeClauseEntries(select, writing);
    writeRoutineTail(select, "sTotalODBC");
    if (!cs())
        P3109_WriteGenericOdbcEndif(g().out.current);
}

void P3109_EmitSelectSqlOdbcLiteralRoutine(const GEN_SELECT_NODE& select)
{
    P3109_SetCommandSqlFiles();
    P3109_WriteComment("The following SQL logic directly results from the ZOPH");
    P3109_WriteComment(
        P3109_Format("command SELECT_SQL at command sequence number %d", P3109_sCurrentSequence()));
    const int32_t columns = std::min<int32_t>(P3109_ParmCount("FIELDS"), 100);
    const std::vector<std::string> hosts = usingHostFields();
    const int32_t count = 3 + columns + static_cast<int32_t>(hosts.size());
    writeRoutineHead(select, count, false);
    P3109_EmitOdbcInfoEntry("X_ODBC_SELECT_HANDLE", "0", "0", "pX_NULL", "");
    P3109_EmitOdbcInfoEntry("X_ODBC_SELECT_IO_STATUS", "", "", cs() ? "null" : "INSTANCE(vchLastIOStatus)", "");
    writeUsingEntry(select);
    writeUsingHostFields(hosts);
    for (int32_t i = 0; i < columns; ++i) {
        const std::string field = P3109_ParmField("FIELDS", 0, i);
        int found = 0;
        const GEN_SQL_FIELD* listed = P3109_pFindSqlField(found, 10, field);
        const std::string name =
            listed ? P3109_TrimRight(listed->name) : P3109_TrimRight(P3109_DropNationalChar(field));
        P3109_EmitOdbcInfoEntry("X_ODBC_SELECT_COLUMN", std::to_string(i),
                                listed && listed->fResolved ? listed->vectorName : P3109_RequiredFieldVector("FIELDS", field), "",
                                P3109_SqlLiteral(name));
    }
    writeRoutineTail(select, std::to_string(count));
}

namespace {

/* The C# close of a SELECT_SQL loop: the entries and the request block are
** left to the garbage collector. */
void writeSelectSqlCloseCs(const GEN_SELECT_NODE& select, bool fOwnConnection)
{
    openBlock();
    P3109_Line("int lODBCReturnCode = 0;");
    P3109_Line("X_DBM pX_DBM = pGlobal1.p" + select.loopName + ";");
    P3109_Line("if ( pX_DBM != null )");
    openBlock();
    if (fOwnConnection) {
        P3109_Line("X_CONNECT_DATABASE pX_ConnectDB = pGlobal1." + select.connectName + ";");
        P3109_Line("");
        P3109_Line("X_RUN_DLL.X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,TRUE,pX_ConnectDB);");
    } else {
        P3109_Line("");
        P3109_Line("X_RUN_DLL.X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,FALSE,null);");
    }
    P3109_WriteComment("Close the open file cursor");
    P3109_Line("pGlobal1.sCurrentCursors--;");
    P3109_Line("lODBCReturnCode = X_RUN_DLL.X_DBM_Operation( pX_Ids, pX_Pro, pX_Fun, "
               "DqooDef.X_DBM_HANDLE_SELECT_SQL_CLOSE_2, null, 0, pGlobal1." +
               select.odbcSelectName + " );");
    g().emit.cLastIoStatus = 'Y';
    P3109_Line("if (lODBCReturnCode != 0) " + P3109_CSharpSetIoStatus("X_DBM_FATAL_ERROR"));
    P3109_Line("");
    P3109_Line("pGlobal1." + select.odbcSelectName + " = null;");
    P3109_Line("pGlobal1.p" + select.loopName + " = null;");
    closeBlock();
    closeBlock();
}

}  // namespace

void P3109_WriteSelectSqlClose(const GEN_SELECT_NODE& select)
{
    if (cs()) {
        writeSelectSqlCloseCs(select, ownConnection(select));
        return;
    }
    openBlock();
    P3109_Line("X_LONG lODBCReturnCode = 0;");
    P3109_Line("struct X_DBM * pX_DBM = INSTANCE(p" + select.loopName + ");");
    P3109_Line("if ( pX_DBM != pX_NULL )");
    openBlock();
    if (ownConnection(select)) {
        P3109_Line("struct X_CONNECT_DATABASE * pX_ConnectDB = INSTANCE(" + select.connectName + ");");
        P3109_Line("");
        P3109_Line("X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,TRUE,pX_ConnectDB);");
    } else {
        P3109_Line("");
        P3109_Line("X_Check_Database_SSN(pX_Ids,pX_Pro,pX_Fun,pX_DBM,FALSE,pX_NULL);");
    }
    P3109_WriteComment("Close the open file cursor");
    P3109_Line("INSTANCE(sCurrentCursors)--;");
    P3109_Line("X_DBM_OP( lODBCReturnCode, X_DBM_HANDLE_SELECT_SQL_CLOSE_2, pX_NULL, 0, ((X_PVOID) INSTANCE(" +
               select.odbcSelectName + ")) )");
    g().emit.cLastIoStatus = 'Y';
    P3109_Line("if (lODBCReturnCode != 0) strcpy(INSTANCE(vchLastIOStatus),X_DBM_FATAL_ERROR);");
    P3109_Line("");
    P3109_Line("if (INSTANCE(" + select.odbcSelectName + ") != pX_NULL)");
    openBlock();
    P3109_Line("X_PDF_Free_Memory( pX_Ids, pX_Pro, pX_Fun, INSTANCE(" + select.odbcSelectName + ") );");
    P3109_Line("INSTANCE(" + select.odbcSelectName + ") = pX_NULL;");
    closeBlock();
    P3109_Line("");
    P3109_Line("X_PDF_Free_Memory( pX_Ids, pX_Pro, pX_Fun, ((X_PVOID) pX_DBM) );");
    P3109_Line("");
    P3109_Line("INSTANCE(p" + select.loopName + ") = pX_NULL;");
    closeBlock();
    closeBlock();
}

/*
** identification.cpp: the identification table and the function definition
** record of a generated module.
**
** The identification lines are built in one line buffer: a text is put at
** a column, and the finished line goes to the main output through the line
** callback of the point (a line never touched is a blank line). The values
** of rows 0 to 5 and 8 are the object's and the generator's; the other
** rows of the template are never filled here, so the table leaves them out.
*/
#include "generator/core/components/identification.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "dqov/runcontrol/work_records.h"
#include "generator/core/model/definitions.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/generator_identity.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"

namespace {

struct IdRow {
    const char* type; /* the type name; with "_OPTION" its option constant */
    const char* variable;
};

constexpr std::array<IdRow, IDTAB_ROW_COUNT> kRows{{
    {"X_OBJ_ID_OBJECT_TYPE", "X_ObjType"},
    {"X_OBJ_ID_OBJECT_NAME", "X_ObjName"},
    {"X_OBJ_ID_OBJECT_EXT", "X_ObjExt"},
    {"X_OBJ_ID_DLL_NAME", "X_DLLName"},
    {"X_OBJ_ID_BUILD_DATE", "X_BuildDate"},
    {"X_OBJ_ID_BUILD_TIME", "X_BuildTime"},
    {"X_OBJ_ID_SUPPORTS_COMPONENTS", "X_SupportsComponents"},
    {"X_OBJ_ID_COLLECTION_NAME", "X_Collection"},
    {"X_OBJ_ID_BUILD_NUMBER", "X_BuildNumber"},
    {"X_OBJ_ID_IS_PC_OTHER_FILE", "X_IsPCOtherFile"},
    {"X_OBJ_ID_SUPPORTS_ISERIES_FEATURES", "X_SupportsIseriesFeatures"},
}};

/* The widths of the working copies of rows 0 to 3. */
constexpr std::array<size_t, 4> kIdentityWidths{3, 11, 11, 11};

struct IdTable {
    IDTAB_LINE_CALLBACK pfnLine = nullptr;
    GEN_STREAM stream = GEN_NO_STREAM;
    std::string line;
    std::array<std::optional<std::string>, IDTAB_ROW_COUNT> values;
};

IdTable& idTable()
{
    static IdTable t;
    return t;
}

/* Puts the text into the line buffer at a 1-based column. */
void put(size_t column, std::string_view text)
{
    std::string& line = idTable().line;
    const size_t at = column - 1;
    if (line.size() < at + text.size())
        line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
}

/* Hands the line to the callback and starts a blank one. */
void endLine()
{
    IdTable& t = idTable();
    if (t.pfnLine)
        t.pfnLine(t.stream, P3109_TrimRight(t.line));
    t.line.clear();
}

void lineAt(size_t column, std::string_view text)
{
    put(column, text);
    endLine();
}

/* The main output's line callback of point 66. */
void writeToMainOutput(GEN_STREAM stream, std::string_view line)
{
    P3109_WriteFileLine(1, line, stream);
}

/* A value as the body of a string literal of the target: blanks kept. */
std::string literalBody(std::string_view value, char cTarget)
{
    if (cTarget == GEN_TARGET_CSHARP)
        return P3109_MakeCSharpLiteral(value);
    const size_t end = value.find_last_not_of(' ');
    const size_t kept = end == std::string_view::npos ? 0 : end + 1;
    return P3109_MakeHexLiteral(value, kept) + std::string(value.size() - kept, ' ');
}

std::string quoted(std::string_view value, char cTarget)
{
    return "\"" + literalBody(value, cTarget) + "\"";
}

void writeValueLines(int iRow, std::string_view value, char cTarget)
{
    switch (iRow) {
    case IDTAB_BUILD_DATE: lineAt(7, "__DATE__"); return;
    case IDTAB_BUILD_TIME: lineAt(7, "__TIME__"); return;
    case IDTAB_BUILD_NUMBER: {
        char number[32];
        std::snprintf(number, sizeof number, "%ld,", GEN_BUILD_NUMBER);
        lineAt(7, number);
        lineAt(7, quoted(GEN_VERSION_LABEL, cTarget) + ",");
        lineAt(7, quoted(GEN_BUILD_DATE, cTarget) + ",");
        lineAt(7, quoted(GEN_COPYRIGHT_YEARS, cTarget));
        return;
    }
    case 6:
    case 9:
    case 10: lineAt(7, value == "Y" || value == "TRUE" ? "TRUE" : "FALSE"); return;
    default: lineAt(7, quoted(value, cTarget)); return;
    }
}

/* The process's usage class, changed by the FUNCTION options. */
const char* usageValue()
{
    const std::string& rcl = P3109_Definitions().x20rcl;
    const char* usage = !rcl.empty() && rcl[0] == 'H' ? "NO" : "YES";
    if (P3109_fSysFlag(SF_HEAVYUSAGE))
        usage = "NO";
    if (P3109_fSysFlag(SF_LIGHTUSAGE))
        usage = "YES";
    return usage;
}

}  // namespace

int IDTAB_WriteVariableInitialiser(int iRow, std::string_view value, char cTarget)
{
    if (iRow < 0 || iRow >= IDTAB_ROW_COUNT)
        return 0;
    IdTable& t = idTable();
    t.values[static_cast<size_t>(iRow)] = std::string(value);
    const IdRow& row = kRows[static_cast<size_t>(iRow)];
    const bool c = cTarget != GEN_TARGET_CSHARP;
    lineAt(4, c ? P3109_Format("static %s %s =", row.type, row.variable)
                : P3109_Format("%s %s = new %s", row.type, row.variable, row.type));
    lineAt(4, c ? "{" : "(");
    writeValueLines(iRow, value, cTarget);
    lineAt(4, c ? "};" : ");");
    endLine();
    return 1;
}

void IDTAB_WriteBuildStampVariables(IDTAB_LINE_CALLBACK pfnLine, GEN_STREAM stream, char cTarget)
{
    IdTable& t = idTable();
    t.pfnLine = pfnLine;
    t.stream = stream;
    t.line.clear();
    for (auto& v : t.values)
        v.reset();
    IDTAB_WriteVariableInitialiser(IDTAB_BUILD_DATE, "__DATE__", cTarget);
    IDTAB_WriteVariableInitialiser(IDTAB_BUILD_TIME, "__TIME__", cTarget);
    IDTAB_WriteVariableInitialiser(IDTAB_BUILD_NUMBER, GEN_BUILD_NUMBER_TEXT, cTarget);
}

void IDTAB_WriteIdentification(std::string_view type, std::string_view name, std::string_view extension,
                               std::string_view dllName, char cTarget)
{
    const std::array<std::string_view, 4> texts{type, name, extension, dllName};
    for (size_t row = 0; row < texts.size(); ++row)
        IDTAB_WriteVariableInitialiser(static_cast<int>(row), texts[row].substr(0, kIdentityWidths[row]), cTarget);
}

void IDTAB_WriteIdentificationTable(char cTarget)
{
    const bool c = cTarget != GEN_TARGET_CSHARP;
    if (c) {
        lineAt(4, "static X_OBJ_ID_TABLE IdentificationTable[] =");
        lineAt(4, "{");
    } else {
        lineAt(4, "X_OBJ_ID_TABLE[] IdentificationTable = new X_OBJ_ID_TABLE[X_OidStr.X_OBJ_ID_MAX_OPTIONS];");
    }
    const IdTable& t = idTable();
    for (size_t row = 0; row < kRows.size(); ++row) {
        if (!t.values[row])
            continue;
        const IdRow& r = kRows[row];
        lineAt(7, c ? P3109_Format("%s_OPTION, &%s,", r.type, r.variable)
                    : P3109_Format("IdentificationTable[%ld] = new X_OBJ_ID_TABLE( X_OidStr.%s_OPTION, %s );",
                                   static_cast<long>(row), r.type, r.variable));
    }
    if (!c)
        return;
    lineAt(7, "-1, pX_NULL,");
    lineAt(4, "};");
}

void P3109_WriteIdentificationTable()
{
    GEN_MODULE_STATE& g = P3109_State();
    g.skel.cKeep = 'N';
    const char target = g.cTarget;
    IDTAB_WriteBuildStampVariables(writeToMainOutput, g.out.mainOutput, target);
    const FFC_CONTEXT* ctx = P3109_Context();
    if (ctx && ctx->lComponentRun)
        IDTAB_WriteIdentification("DF", P3109_TrimRight(std::string_view(ctx->acComponent, sizeof ctx->acComponent)),
                                  "", g.cName, target);
    else
        IDTAB_WriteIdentification("PF", P3109_Padded(g.function == " " ? "" : g.function, 7),
                                  P3109_Padded(g.process == " " ? "" : g.process, 10), g.cName, target);
    IDTAB_WriteIdentificationTable(target);
}

void P3109_WriteFunctionDefinition()
{
    GEN_MODULE_STATE& g = P3109_State();
    g.skel.cKeep = 'N';
    const bool c = g.cTarget != GEN_TARGET_CSHARP;
    const FFC_CONTEXT* ctx = P3109_Context();
    const char* nullText = c ? "pX_NULL" : "null";
    const char* statePrefix = c ? "" : "XFUNCTIONSTATE.";
    auto flag = [&](bool on, const char* name) { return on ? std::string(statePrefix) + name : std::string("0"); };
    /* the record names the rename table that skeleton point 133 writes
    ** before it, counting the rows that table holds */
    const size_t renames = P3109_Parts().pfnRenameTableRows().size();

    std::array<std::string, 8> lines;
    lines[0] = c ? "X_FUN_V18," : "X_FunStr.X_FUN_V18,";
    lines[1] = "\"" + literalBody(g.process, g.cTarget) + "\",\"" + literalBody(g.function, g.cTarget) + "\",\"\",";
    lines[2] = P3109_Format("\"\",0,%s,%s,%s,'%c',%s,%s,", usageValue(), "NO",
                            P3109_fSysFlag(SF_NOMESSAGES) ? "NO" : "YES", 'D', "NO", "NO");
    lines[3] = c ? "\"  \",\"00\",\"00\",\"00\",\"00\",\"00\","
                 : "\"  \",new X_FUN_UKEY[5]{ new X_FUN_UKEY(\"00\"),new X_FUN_UKEY(\"00\"),new X_FUN_UKEY(\"00\"),"
                   "new X_FUN_UKEY(\"00\"),new X_FUN_UKEY(\"00\") },";
    lines[4] = P3109_Format("NO,0,%s,NO,", nullText);
    lines[5] = P3109_Format("%s,0,%s,0,%s,0,%s,%s,0,%s,", g.cursorLocationField.c_str(), nullText, nullText, nullText,
                            g.ioModeField.c_str(), nullText);
    lines[6] = c ? "pX_NULL,pX_NULL,FALSE,FALSE,pX_NULL,0,pX_NULL,0,0,FALSE,0,0,pX_NULL,pX_NULL,pX_NULL,"
                 : "null,null,0,FALSE,null,0,null,0,0,FALSE,0,0,null,null,null,";
    const std::string levelTwo = flag(ctx && ctx->lLanguageLevelTwo, "FuncIsLanguageLevelTwo");
    const std::string zoph2 = flag(ctx && ctx->lZoph2Used, "FuncIsFullZophxUsed");
    const std::string zophx = flag(ctx && ctx->lZophxUsed, "FuncIsZophxUsed");
    const std::string strictNull =
        flag(P3109_Definitions().sysflags[SF_STRICT_NULL_ASSIGN] == 'S', "FuncIsStrictSqlNullAssign");
    const char* web = P3109_fSysFlag(SF_WEBEVENT) ? "TRUE" : "FALSE";
    const char* renameTable = renames >= 1 ? "aRenames" : nullText;
    lines[7] = c ? P3109_Format(
                       "-1,%s,-1,FALSE,FALSE,pX_NULL,0,( %s | %s | %s | %s | FuncIsSizingInfoInGlobals),pX_NULL,%d,%s",
                       web, levelTwo.c_str(), zoph2.c_str(), zophx.c_str(), strictNull.c_str(),
                       static_cast<int>(renames), renameTable)
                 : P3109_Format("-1,%s,-1,FALSE,FALSE,null,0, (int) ( %s | %s | %s | %s | "
                                "XFUNCTIONSTATE.FuncIsSizingInfoInGlobals),null,%d,%s",
                                web, levelTwo.c_str(), zoph2.c_str(), zophx.c_str(), strictNull.c_str(),
                                static_cast<int>(renames), renameTable);
    for (const std::string& text : lines)
        P3109_WriteLine(g.out.mainOutput, 5, text);
}

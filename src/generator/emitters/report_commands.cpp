/*
** report_commands.cpp: the printing commands PRINT, SPACE, SKIP and
** ENDPRINT, which call the report routines of skeleton point 37, and the
** KEEP_ commands, which keep a running total, count, average, maximum or
** minimum over the rows of the enclosing loop.
*/
#include "generator/emitters/report_support.h"

#include <algorithm>

#include "generator/core/model/field_values.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_state.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

bool cs()
{
    return P3109_fCSharp();
}

std::string report()
{
    return std::to_string(P3109_ParmNumber("REPORT_NUM"));
}

/* A report routine of the function called with the standard arguments. */
std::string callRoutine(const std::string& routine)
{
    return routine + " (" + P3109_StdParms() + ");";
}

void openReport()
{
    P3109_WriteComment("Open the report (if not already opened)");
    P3109_Line(callRoutine("Open_Report_" + report()));
}

std::string printLineKey(std::string_view name)
{
    return P3109_CopyUpper(P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(name)), 10), 10);
}

/* The calls of the breaks of one kind, each followed by the fatal test;
** the trailing breaks' comment stands between blank lines, the leading
** breaks' alone. */
void printBreaks(const GEN_REPORT_TABLES& tables, char cBreak, const char* routine, const char* comment)
{
    bool first = true;
    for (const GEN_PRINT_CLUSTER& c : tables.clusters) {
        if (c.iKind != GEN_CLUSTER_BREAK || c.cBreak != cBreak)
            continue;
        if (first && cBreak == 'T')
            P3109_WriteComment(comment);
        else if (first)
            P3109_Line("/* " + std::string(comment) + " */");
        first = false;
        P3109_Line(callRoutine(std::string(routine) + c.identifier));
        P3109_EmitFatalErrorTest();
    }
}

/* ---- KEEP_ ---- */

struct Keep {
    const char* command;
    const char* base;
    const char* comment;
    const char* reset;
};
constexpr Keep kKeeps[] = {{"KEEP_TOTAL", "dWorkTotal", "Keep Total Work Field", "0.0"},
                           {"KEEP_COUNT", "dWorkCount", "Keep Count Work Field", "0.0"},
                           {"KEEP_AVG", "dWorkTotal", "Keep Average Work Field", "0.0"},
                           {"KEEP_MAX", "dWorkMaximum", "Keep Maximum Work Field", "-99999999999999.9"},
                           {"KEEP_MIN", "dWorkMinimum", "Keep Mimimum Work Field", "+99999999999999.9"}};

/* A numbered work field of the function's static working storage. */
std::string workField(const std::string& base, const std::string& type, const std::string& dimension,
                      const std::string& comment)
{
    const std::string instance = P3109_MakeInstanceName(base, type, comment, dimension);
    const std::string name = instance.substr(9, instance.size() - 10);
    g().emit.workFields.push_back({name, type, dimension});
    return P3109_Instance(name);
}

/* A field that the KEEP_ command reads, with its tracking field. */
struct Tracked {
    GEN_FIELD_INFO field;
    std::string access;   /* its bytes */
    std::string tracking; /* its previous value */
};

Tracked tracked(const GEN_FIELD_INFO& f, const char* prefix, const std::string& comment)
{
    Tracked t;
    t.field = f;
    t.access = f.fIndexed
                   ? P3109_RunTime("X_Vec_Apply_Index") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.vectorName + " )"
                   : "pX_Fld[" + f.vectorName + "].pField";
    const std::string name = std::string(prefix) + f.identifier;
    t.tracking = f.usByteLength == 1 ? workField("ch" + name, "X_CHAR", "", comment)
                                     : workField("fch" + name, "X_FCHAR", "BYTE_LEN_" + f.vectorName, comment);
    return t;
}

/* C# reads the first byte of a field's storage through the run time. */
std::string changed(const Tracked& t)
{
    if (t.field.usByteLength == 1)
        return cs() ? "( X_DEFS.X_FIRST_CHAR( " + t.access + " ) != " + t.tracking + ")"
                    : "( ( *( " + t.access + " ) ) != " + t.tracking + ")";
    return std::string(cs() ? "( DqooDef.X_MEMCMP( " : "( memcmp( ") + t.access + ", " + t.tracking + ", BYTE_LEN_" +
           t.field.vectorName + " ) != 0 )";
}

void trackCopy(const Tracked& t)
{
    if (t.field.usByteLength == 1)
        P3109_Line(t.tracking +
                   (cs() ? " = X_DEFS.X_FIRST_CHAR( " + t.access + " );" : " = ( *( " + t.access + " ) );"));
    else if (cs())
        P3109_Line("DqooDef.X_CPYBYTES( " + t.tracking + ", " + t.access + ", BYTE_LEN_" + t.field.vectorName + " );");
    else
        P3109_Line("memcpy( " + t.tracking + ", " + t.access + ", BYTE_LEN_" + t.field.vectorName + " );");
}

/* The fields of a list parameter that the function uses. */
std::vector<GEN_FIELD_INFO> usedFields(const char* keyword)
{
    std::vector<GEN_FIELD_INFO> fields;
    const int32_t count = P3109_ParmCount(keyword);
    for (int32_t i = 0; i < count; ++i) {
        const std::string name = P3109_Parm(keyword, 0, i);
        GEN_FIELD_INFO f;
        if (!name.empty() && name[0] != '*' && P3109_fFindUsedField(name, f))
            fields.push_back(f);
    }
    return fields;
}

}  // namespace

void P3109_EmitPrint()
{
    P3109_EmitCommandPrologue();
    const GEN_REPORT_TABLES* tables = P3109_pReportTables(P3109_ParmNumber("REPORT_NUM"));
    if (!tables)
        return;
    const int32_t names = std::min<int32_t>(P3109_ParmCount("LINE"), 20);
    bool opened = false, printed = false;
    for (int32_t i = 0; i < names; ++i) {
        const std::string name = P3109_Parm("LINE", 0, i);
        if (name.empty())
            continue;
        if (!opened) {
            openReport();
            P3109_EmitFatalErrorTest();
            opened = true;
        }
        if (name[0] == '*') {
            printBreaks(*tables, 'T', "Print_Trailing_", "Print Trailing Break Lines");
            P3109_EmitNewPageTest(P3109_ParmNumber("REPORT_NUM"), 0, GEN_NEW_PAGE_STATEMENT);
            printBreaks(*tables, 'L', "Print_Leading_", "Print Leading Break Lines");
            continue;
        }
        for (const GEN_PRINT_CLUSTER& c : tables->clusters) {
            if (c.iKind != GEN_CLUSTER_LINE || printLineKey(c.name) != printLineKey(name))
                continue;
            if (!printed)
                P3109_WriteComment("Print Specified Print Line(s)");
            printed = true;
            P3109_Line(callRoutine("Print_Line_" + c.identifier));
            P3109_EmitFatalErrorTest();
        }
    }
    P3109_Line("Print_Footings_" + report() + " (2, " + P3109_StdParms() + ");");
}

void P3109_EmitSpaceSkip()
{
    P3109_EmitCommandPrologue();
    openReport();
    const std::string n = report();
    if (P3109_fCommandIs("SKIP")) {
        P3109_WriteComment("Skip to nominated line number");
        P3109_Line(P3109_SkipToLineCall(n, std::to_string(P3109_ParmNumber("TO_LINE"))));
        return;
    }
    P3109_WriteComment("Space the nominated number of lines");
    P3109_WriteOpenBrace();
    P3109_Line(cs() ? "int sLoopCount;" : "X_SHORT sLoopCount;");
    P3109_Line("for (sLoopCount = 0; sLoopCount < " + std::to_string(P3109_ParmNumber("LINES")) + "; sLoopCount++)");
    P3109_WriteOpenBrace();
    P3109_EmitNewPageTest(P3109_ParmNumber("REPORT_NUM"), 1, GEN_NEW_PAGE_BLOCK);
    P3109_Line(P3109_SpaceLinesCall(n, "1", false));
    P3109_WriteCloseBrace();
    P3109_WriteCloseBrace();
}

void P3109_EmitEndPrint()
{
    P3109_EmitCommandPrologue();
    const GEN_REPORT_SLOT* slot = P3109_pReportSlot(P3109_ParmNumber("REPORT_NUM"));
    if (!slot || slot->cKind != 'P') {
        P3109_EmitUnsupportedCommand();
        return;
    }
    g().emit.cLastIoStatus = 'Y';
    P3109_WriteComment("Close the report (if actually opened) and handle errors");
    P3109_Line(callRoutine("Close_Report_" + report()));
    P3109_Line(cs() ? "if (pX_Ids.chFatalError == YES)" : "if (pX_Ids->chFatalError == YES)");
    P3109_WriteOpenBrace();
    P3109_Line(cs() ? P3109_CSharpSetIoStatus("X_DBM_FATAL_ERROR")
                    : "strcpy(INSTANCE(vchLastIOStatus),X_DBM_FATAL_ERROR);");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_EmitBranchToTarget(P3109_ParmField("IO_ERROR"), g().out.usIndent);
    P3109_WriteCloseBrace();
    P3109_Line("else");
    P3109_WriteOpenBrace();
    P3109_Line(cs() ? P3109_CSharpSetIoStatus("X_DBM_OKAY") : "strcpy(INSTANCE(vchLastIOStatus),X_DBM_OKAY);");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_WriteCloseBrace();
}

namespace {

/* A KEEP_ command keeps its value over the rows of a SELECT, SELECT_SQL
** or SELECTLIST loop, whose row counter it tests: true when one of them is
** open around it within the routine being emitted (a routine is a C
** function of its own and cannot see the counter of a loop outside it). */
bool insideRowLoop()
{
    const GEN_MODULE_STATE& s = g();
    const int16_t base = P3109_fInSubroutine() ? P3109_EmitterState().sRoutineBaseDepth : 0;
    for (int depth = s.sBlockDepth; depth > base; --depth)
        if (s.blocks[static_cast<size_t>(depth)].fSelectLoop)
            return true;
    return false;
}

/* The scale the kept value is stored at. A count is whole; a total, a
** largest and a smallest value have the decimals of the fields they are
** kept of (a floating-point one has no decimals of its own); an average is
** a quotient, taken to as many decimals as a double holds beside the
** target's whole digits, so that its cut to the target's decimals is the
** quotient's. A floating-point target takes the double as it is. */
int32_t keepScale(const GEN_FIELD_INFO& target, const std::vector<Tracked>& sources, bool count, bool average)
{
    if (target.cType == 'F')
        return 16;
    if (count)
        return 0;
    int32_t decimals = 0;
    for (const Tracked& s : sources)
        decimals = std::max<int32_t>(decimals, s.field.cType == 'F' ? 16 : std::max<int16_t>(s.field.sDecimals, 0));
    if (!average)
        return decimals;
    /* an integer field's length is its bytes */
    const int32_t bytes = target.lLength;
    const int32_t wholeDigits = target.cType != 'I' ? std::max<int32_t>(target.lLength - target.sDecimals, 0)
                                : bytes <= 1        ? 3
                                : bytes == 2        ? 5
                                : bytes <= 4        ? 10
                                                    : 19;
    return std::max({decimals, static_cast<int32_t>(target.sDecimals), 15 - wholeDigits});
}

}  // namespace

void P3109_EmitKeep()
{
    P3109_EmitCommandPrologue();
    const std::string command = P3109_CurrentCommandName();
    const Keep* keep = nullptr;
    for (const Keep& k : kKeeps)
        if (command == k.command)
            keep = &k;
    GEN_FIELD_INFO target;
    if (!keep || !P3109_fFindUsedField(P3109_Parm("IN_FIELD"), target))
        return;
    if (!insideRowLoop()) {
        /* its first-row test would name a row counter that nothing declares */
        P3109_sIssueMessage(Msg::CommandOutsideSelectLoop, P3109_Padded(command, 10));
        return;
    }
    const bool count = command == "KEEP_COUNT", average = command == "KEEP_AVG";
    P3109_WriteOpenBrace();
    P3109_WriteComment("Declare work fields scoped only within this command");
    const std::string work = workField(keep->base, "X_DOUBLE", "", keep->comment);
    const std::string counter = average ? workField("lWorkCount", "X_LONG", "", keep->comment) : "";
    const std::string trackingComment = "Keep_" + command.substr(5) + " value tracking field";
    std::vector<Tracked> by;
    for (const GEN_FIELD_INFO& f : usedFields("BY_FIELD"))
        by.push_back(tracked(f, "Prev", trackingComment));
    std::vector<Tracked> sources;
    for (const GEN_FIELD_INFO& f : usedFields("OF_FIELD"))
        sources.push_back(count ? tracked(f, "Count", "Keep_COUNT value tracking field") : Tracked{f, "", ""});

    P3109_WriteComment("Now track data values changes and clear/reset counters");
    P3109_Line("if ( ( " + P3109_SelectLoopCounter() + " == 1 )");
    for (const Tracked& t : by)
        P3109_Line("   || " + changed(t));
    P3109_Line(")");
    P3109_WriteOpenBrace();
    for (const Tracked& t : by)
        trackCopy(t);
    P3109_Line(work + " = " + keep->reset + ";");
    if (average)
        P3109_Line(counter + " = 0;");
    P3109_WriteCloseBrace();

    P3109_WriteComment("Finally accumulate the KEEP values");
    const std::string value = P3109_Instance("dWorkDouble");
    for (const Tracked& s : sources) {
        if (count) {
            P3109_Line("if ( (" + work + " == 0)");
            P3109_Line("   || " + changed(s) + " )");
            P3109_WriteOpenBrace();
            trackCopy(s);
            P3109_Line(work + "++;");
            P3109_WriteCloseBrace();
            continue;
        }
        g().emit.cWorkDouble = 'Y';
        P3109_WriteGetDouble(s.field, value);
        if (command == "KEEP_MAX")
            P3109_Line("if (" + value + " > " + work + ") " + work + " = " + value + ";");
        else if (command == "KEEP_MIN")
            P3109_Line("if (" + value + " < " + work + ") " + work + " = " + value + ";");
        else
            P3109_Line(work + " = " + work + " + " + value + ";");
        if (average)
            P3109_Line(counter + "++;");
    }
    P3109_WriteSetFromDoubleAtScale(target, average ? "(" + work + " / " + counter + ")" : work,
                                    keepScale(target, sources, count, average));
    P3109_WriteCloseBrace();
}

/*
** report_routines.cpp: the report control routines of skeleton point 37:
** opening, closing, headings and footings of each printed report, and per
** print-line cluster its line, leading-break and trailing-break routine;
** and the new-page test they and the printing commands share.
**
** The routines call the print routines of their clusters in the order of
** the report's print-line tables. Before a cluster's routine is written
** its DEF_ command is made current again, so the command's values (spacing,
** trigger fields, field group) are that command's.
*/
#include "generator/emitters/report_support.h"

#include <algorithm>
#include <cstdio>

#include "dqov/runcontrol/messages.h"

#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"

namespace {

bool cs()
{
    return P3109_fCSharp();
}

constexpr const char* kCommonGuard = "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_COMMON)))";

std::string vecCall(const char* routine)
{
    return P3109_RunTime(routine) + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld,";
}

/* A member of the report's control structure: "INSTANCE(X_Report_n.m)" /
** "pGlobal1.X_Report_n.m". */
std::string report(const std::string& n, std::string_view member)
{
    return P3109_Instance("X_Report_" + n + "." + std::string(member));
}

/* The report's control structure as an argument of the run time. */
std::string reportArgument(const std::string& n)
{
    return cs() ? "pGlobal1.X_Report_" + n : "&(INSTANCE(X_Report_" + n + "))";
}

/* A routine of the function called with the standard arguments, after a
** leading argument when one is given. */
std::string callRoutine(const std::string& routine, const std::string& first = "")
{
    return routine + " (" + (first.empty() ? "" : first + ", ") + P3109_StdParms() + ");";
}

/* The head of a report routine: "F_VOID_FUNCTION name (args)" / "private
** static void name (args)", after a leading parameter when one is given. */
std::string head(const std::string& routine, const std::string& first = "", bool fPadded = false)
{
    const std::string args = (first.empty() ? "" : first + ", ") + P3109_StdArgs();
    const std::string type = cs() ? "private static void " : "F_VOID_FUNCTION ";
    return type + routine + (fPadded ? "( " + args + " )" : " (" + args + ")");
}

/* A save, restore or compare of an array in its slot, and the line that
** carries its arguments. */
void storeCall(const char* routine, const std::string& array, int16_t sSlot, const char* separator = ",")
{
    P3109_Line(vecCall(routine));
    P3109_Line(std::string("   sc") + array + separator + (cs() ? "as" + array : "((X_SHORT*) as" + array + ")") +
               ", " + std::to_string(sSlot) + ", " + P3109_Instance("aStorePointers") + " );");
}

/* The line of a comparison's arguments. */
std::string compareArguments(const std::string& array, int16_t sSlot, const char* separator)
{
    return "           sc" + array + separator + (cs() ? "as" + array : "((X_SHORT*) as" + array + ")") + ", " +
           std::to_string(sSlot) + ", " + P3109_Instance("aStorePointers") + " ) != 0 ) )";
}

void guard()
{
    if (!cs())
        P3109_WriteLine(g().out.current, 0, kCommonGuard);
}

void endGuard()
{
    if (!cs())
        P3109_WriteLine(g().out.current, 0, "#endif");
}

void open(const std::string& title, const std::string& head)
{
    guard();
    P3109_WriteDoubleBoxComment(g().out.current, title);
    g().out.usIndent = 0;
    g().out.sDepth = 0;
    P3109_Line(head);
    P3109_WriteOpenBrace();
}

void close()
{
    P3109_WriteCloseBrace();
    endGuard();
}

}  // namespace

/* The calls of the print routines of one print-line table, in table order
** (the conditioned call writer). For one cluster (sCluster, its level) the
** routines of that cluster are called after the tests of every condition
** the cluster's lines name, which the print routines read; for the whole
** table (sCluster -1) consecutive entries of one condition share one block
** under that condition's test, and the tests of each entry's cluster come
** before the entry's first call. */
void P3109_WriteConditionRoutineCall(const GEN_REPORT_TABLES& tables, int iType, int16_t sCluster)
{
    const std::vector<GEN_PRINT_LINE_ENTRY>& table = tables.lines[static_cast<size_t>(iType)];
    const bool all = sCluster < 0;
    std::string previous = std::string(10, ' ');
    bool blockOpen = false;
    std::vector<int16_t> tested;
    for (const GEN_PRINT_LINE_ENTRY& entry : table) {
        const std::string condition = P3109_Padded(P3109_TrimRight(entry.condition), 10);
        if (all && condition != previous) {
            if (blockOpen)
                P3109_WriteCloseBrace();
            blockOpen = false;
            if (!P3109_TrimRight(condition).empty()) {
                const GEN_CONDITION* c = P3109_pFindCondition(condition);
                P3109_EmitConditionTest({condition}, GEN_CONDITIONS_TEST);
                P3109_Line("if (" + P3109_Instance("X_Cond[" + std::to_string(c ? c->sNumber : 0) + "].chTrue") +
                           " == YES)");
                P3109_WriteOpenBrace();
                blockOpen = true;
            }
            previous = condition;
        }
        if (!all && entry.sCluster != sCluster)
            continue;
        /* the conditions of the entry's cluster, tested before its first call */
        if (std::find(tested.begin(), tested.end(), entry.sCluster) == tested.end()) {
            tested.push_back(entry.sCluster);
            const size_t cluster = static_cast<size_t>(entry.sCluster);
            if (cluster < tables.clusters.size() && !tables.clusters[cluster].conditions.empty()) {
                P3109_EmitConditionTest(tables.clusters[cluster].conditions, GEN_CONDITIONS_TEST);
                P3109_Line(" ");
            }
        }
        P3109_Line(callRoutine(entry.routine));
    }
    if (blockOpen)
        P3109_WriteCloseBrace();
}

namespace {

void spaceLines(const std::string& report, const char* comment, int32_t lLines, bool fSpaced)
{
    if (lLines <= 0)
        return;
    P3109_WriteComment(comment);
    P3109_Line(P3109_SpaceLinesCall(report, std::to_string(lLines), fSpaced));
}

/* The trigger fields of the current DEF_ command. */
std::vector<std::string> triggers()
{
    std::vector<std::string> names;
    const int32_t count = P3109_ParmCount("TRIG_FLDS");
    for (int32_t i = 0; i < count; ++i)
        names.push_back(P3109_Parm("TRIG_FLDS", 0, i));
    return names;
}

void writeOpening(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    guard();
    P3109_WriteDoubleBoxComment(g().out.current, "Standard Report Opening Routine");
    const auto line = [](const std::string& text) { P3109_LineAt(0, text); };
    line(head("Open_Report_" + n));
    line("{");
    line("   if (" + report(n, "chOpen") + " != YES)");
    line("   {");
    line("      if (" + P3109_RunTime("X_Open_Report") + " (pX_Ids,pX_Pro,pX_Fun," + reportArgument(n) +
         ",pX_Fld) == NO)");
    line("      {");
    line("         " + report(n, "chOpen") + " = YES;");
    line("         " + report(n, "sPIMCallCount") + " = 0;");
    line("         " + report(n, "chClosingReport") + " = NO;");
    line("         " + report(n, "sCurrentLine") + " = 1;");
    line("         " + report(n, "sCurrentPage") + " = 1;");
    for (const GEN_PRINT_CLUSTER& c : tables.clusters)
        if (c.iKind == GEN_CLUSTER_BREAK)
            line("         " + P3109_Instance("ulBreakCount" + c.identifier) + " = 0;");
    line("      }");
    line("   }");
    line("   return;");
    line("}");
    endGuard();
}

void writeClosing(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    guard();
    P3109_WriteDoubleBoxComment(g().out.current, "Standard Report Closing Routine");
    const auto line = [](const std::string& text) { P3109_LineAt(0, text); };
    line(head("Close_Report_" + n));
    line("{");
    line("   if (" + report(n, "chOpen") + " == YES)");
    line("   {");
    line("      " + report(n, "chClosingReport") + " = YES;");
    for (const GEN_PRINT_CLUSTER& c : tables.clusters)
        if (c.iKind == GEN_CLUSTER_BREAK && c.cBreak == 'T')
            line("      " + callRoutine("Print_Trailing_" + c.identifier));
    line("      " + callRoutine("Print_Footings_" + n, "1"));
    line("      " + P3109_RunTime("X_Close_Report") + " (pX_Ids,pX_Pro,pX_Fun," + reportArgument(n) + ",pX_Fld);");
    line("      " + report(n, "chOpen") + " = NO;");
    line("      " + report(n, "sPIMCallCount") + " = 0;");
    line("      " + report(n, "chClosingReport") + " = NO;");
    line("      " + report(n, "sCurrentLine") + " = 1;");
    line("      " + report(n, "sCurrentPage") + " = 1;");
    line("   }");
    line("   return;");
    line("}");
    endGuard();
}

void P3109_EmitPrintHeadingsRoutine(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    open("Standard Report Heading Control Subroutine", head("Print_Headings_" + n));
    P3109_Line(report(n, "chNewPageFlag") + " = NO;");
    for (size_t i = 0; i < tables.clusters.size(); ++i) {
        const GEN_PRINT_CLUSTER& c = tables.clusters[i];
        if (c.iKind != GEN_CLUSTER_HEAD || P3109_SetCurrentCommand(c.usNumber, c.usSequence) != 0)
            continue;
        const std::string trigger = c.identifier + "_Trigger", trail = c.identifier + "_Trail";
        const std::vector<std::string> names = triggers();
        P3109_WriteOpenBrace();
        P3109_WriteComment("Define the trigger store/compare values");
        P3109_EmitBreakFieldArray(names, trigger, true);
        P3109_WriteComment("Define the trailing values store values");
        P3109_EmitGroupFieldArray(c.group, trail);
        /* a heading without trigger fields prints on every new page */
        const bool overflow = names.empty() || names[0].empty() || names[0][0] == '*';
        const std::string compare = compareArguments(trigger, c.sTriggerSlot, ", ");
        if (overflow) {
            P3109_WriteComment("Test for overflow, first call or trigger changes");
            P3109_Line("if ((" + report(n, "chOverFlowOn") + " == YES)");
            P3109_Line("   || ( " + report(n, "sPIMCallCount") + " == 0 )");
            P3109_Line("   || ( " + vecCall("X_Vec_Compare_Values"));
        } else {
            P3109_WriteComment("Test for first call or trigger changes");
            P3109_Line("if ((" + report(n, "sPIMCallCount") + " == 0)");
            P3109_Line(" || ( " + vecCall("X_Vec_Compare_Values"));
        }
        P3109_Line(compare);
        P3109_WriteOpenBrace();
        P3109_WriteComment("Map/save triggers and trailing values");
        P3109_Line("if ((" + report(n, "chLevelBreak") + " != YES)");
        P3109_Line(" || (" + report(n, "sPIMCallCount") + " == 0))");
        P3109_WriteOpenBrace();
        storeCall("X_Vec_Save_Values", trigger, c.sTriggerSlot);
        storeCall("X_Vec_Save_Values", trail, c.sTrailSlot);
        P3109_WriteCloseBrace();
        P3109_WriteComment("Print any foot lines");
        P3109_Line("if (" + report(n, "chNewPageFlag") + " != YES)");
        P3109_WriteOpenBrace();
        P3109_Line(callRoutine("Print_Footings_" + n, "1"));
        P3109_WriteCloseBrace();
        P3109_WriteComment("Set the new page flag");
        P3109_Line(report(n, "chNewPageFlag") + " = YES;");
        storeCall("X_Vec_Save_Values", trigger, c.sTriggerSlot2);
        storeCall("X_Vec_Restore_Values", trail, c.sTrailSlot);
        P3109_WriteConditionRoutineCall(tables, GEN_LINE_HEAD, static_cast<int16_t>(i));
        storeCall("X_Vec_Restore_Values", trigger, c.sTriggerSlot2);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
    }
    P3109_WriteComment("Handle an unsatisfied overflow");
    P3109_Line("if (((" + report(n, "chOverFlowOn") + " == YES)");
    P3109_Line(" || (" + report(n, "sPIMCallCount") + " == 0))");
    P3109_Line(" && (" + report(n, "chNewPageFlag") + " == NO))");
    P3109_WriteOpenBrace();
    P3109_Line(callRoutine("Print_Footings_" + n, "1"));
    P3109_Line(P3109_SkipToLineCall(n, "1"));
    P3109_Line(report(n, "chNewPageFlag") + " = YES;");
    P3109_WriteCloseBrace();
    P3109_WriteComment("Now print required \"Type 2\" detail line headings");
    P3109_Line("if (" + report(n, "chNewPageFlag") + " == YES)");
    P3109_WriteOpenBrace();
    P3109_WriteConditionRoutineCall(tables, GEN_LINE_HEAD2, -1);
    P3109_WriteCloseBrace();
    P3109_Line(report(n, "chOverFlowOn") + " = NO;");
    P3109_Line("return;");
    close();
}

void P3109_EmitPrintFootingsRoutine(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    open("Standard Report Footing Control Subroutine",
         head("Print_Footings_" + n, cs() ? "int sOperation" : "X_SHORT sOperation"));
    for (size_t i = 0; i < tables.clusters.size(); ++i) {
        const GEN_PRINT_CLUSTER& c = tables.clusters[i];
        if (c.iKind != GEN_CLUSTER_FOOT || P3109_SetCurrentCommand(c.usNumber, c.usSequence) != 0)
            continue;
        const std::string list = c.identifier + "_SaveList";
        P3109_WriteOpenBrace();
        P3109_EmitGroupFieldArray(c.group, list);
        P3109_WriteComment("If this is a special save request or the very first page");
        P3109_Line("if ((sOperation == 2) || (" + report(n, "sPIMCallCount") + " == 0))");
        P3109_WriteOpenBrace();
        storeCall("X_Vec_Save_Values", list, c.sTriggerSlot, ", ");
        P3109_WriteCloseBrace();
        P3109_WriteComment("else this is not the very first page");
        P3109_Line("else");
        P3109_WriteOpenBrace();
        storeCall("X_Vec_Save_Values", list, c.sTriggerSlot2);
        storeCall("X_Vec_Restore_Values", list, c.sTriggerSlot);
        P3109_WriteConditionRoutineCall(tables, GEN_LINE_FOOT, static_cast<int16_t>(i));
        storeCall("X_Vec_Restore_Values", list, c.sTriggerSlot2);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
    }
    P3109_Line("return;");
    close();
}

void P3109_EmitPrintLineRoutine(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    for (size_t i = 0; i < tables.clusters.size(); ++i) {
        const GEN_PRINT_CLUSTER& c = tables.clusters[i];
        if (c.iKind != GEN_CLUSTER_LINE || P3109_SetCurrentCommand(c.usNumber, c.usSequence) != 0)
            continue;
        open("Standard Report Line Printing Control Subroutine", head("Print_Line_" + c.identifier));
        bool first = true;
        for (const GEN_PRINT_CLUSTER& t : tables.clusters)
            if (t.iKind == GEN_CLUSTER_BREAK && t.cBreak == 'T') {
                if (first)
                    P3109_WriteComment("Print Trailing Break Lines");
                first = false;
                P3109_Line(callRoutine("Print_Trailing_" + t.identifier));
            }
        first = true;
        for (const GEN_PRINT_CLUSTER& t : tables.clusters)
            if (t.iKind == GEN_CLUSTER_BREAK && t.cBreak == 'L') {
                if (first)
                    P3109_WriteComment("Print Leading Break Lines");
                first = false;
                P3109_Line(callRoutine("Print_Leading_" + t.identifier));
            }
        P3109_EmitNewPageTest(lReport, c.lLineTotal, GEN_NEW_PAGE_BLOCK);
        spaceLines(n, "Handle the space before value", P3109_ParmNumber("SPACE_BEF"), false);
        P3109_WriteConditionRoutineCall(tables, GEN_LINE_LINE, static_cast<int16_t>(i));
        spaceLines(n, "Handle the space after value", P3109_ParmNumber("SPACE_AFT"), false);
        P3109_Line("return;");
        close();
    }
}

void P3109_EmitPrintLeadingRoutine(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    for (size_t i = 0; i < tables.clusters.size(); ++i) {
        const GEN_PRINT_CLUSTER& c = tables.clusters[i];
        if (c.iKind != GEN_CLUSTER_BREAK || c.cBreak != 'L' || P3109_SetCurrentCommand(c.usNumber, c.usSequence) != 0)
            continue;
        const std::string trigger = c.identifier + "_Trigger";
        open("Standard Report Leading Break Print Control Subroutine", head("Print_Leading_" + c.identifier));
        P3109_WriteOpenBrace();
        P3109_WriteComment("Define the trigger store/compare values");
        P3109_EmitBreakFieldArray(triggers(), trigger, false);
        P3109_WriteComment("If first break or trigger has changed");
        P3109_Line("if ((" + P3109_Instance("ulBreakCount" + c.identifier) + " == 0)");
        P3109_Line("   || ( " + vecCall("X_Vec_Compare_Values"));
        P3109_Line(compareArguments(trigger, c.sTriggerSlot, ", "));
        P3109_WriteOpenBrace();
        P3109_EmitNewPageTest(lReport, c.lLineTotal, GEN_NEW_PAGE_BLOCK);
        spaceLines(n, "Handle the space before value", P3109_ParmNumber("SPACE_BEF"), true);
        P3109_WriteConditionRoutineCall(tables, GEN_LINE_LEAD, static_cast<int16_t>(i));
        spaceLines(n, "Handle the space after value", P3109_ParmNumber("SPACE_AFT"), true);
        P3109_WriteComment("Increment break counter and save triggers");
        P3109_Line(P3109_Instance("ulBreakCount" + c.identifier) + "++;");
        storeCall("X_Vec_Save_Values", trigger, c.sTriggerSlot);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
        P3109_LineAt(0, " ");
        P3109_Line("return;");
        close();
    }
}

void P3109_EmitPrintTrailingRoutine(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    for (size_t i = 0; i < tables.clusters.size(); ++i) {
        const GEN_PRINT_CLUSTER& c = tables.clusters[i];
        if (c.iKind != GEN_CLUSTER_BREAK || c.cBreak != 'T' || P3109_SetCurrentCommand(c.usNumber, c.usSequence) != 0)
            continue;
        const std::string trigger = c.identifier + "_Trigger", trail = c.identifier + "_Trail";
        open("Standard Report Leading Break Print Control Subroutine",
             head("Print_Trailing_" + c.identifier, "", true));
        P3109_WriteOpenBrace();
        P3109_WriteComment("Define the trigger store/compare values");
        P3109_EmitBreakFieldArray(triggers(), trigger, false);
        P3109_WriteComment("Define the trailing values store values");
        P3109_EmitGroupFieldArray(c.group, trail);
        P3109_WriteComment("If this is not the first invocation");
        P3109_Line("if (" + P3109_Instance("ulBreakCount" + c.identifier) + " > 0)");
        P3109_WriteOpenBrace();
        P3109_WriteComment("If closing report or trigger value has changed");
        P3109_Line("if ( ( " + report(n, "chClosingReport") + " == YES )");
        P3109_Line("   || ( " + vecCall("X_Vec_Compare_Values"));
        P3109_Line(compareArguments(trigger, c.sTriggerSlot, ","));
        P3109_WriteOpenBrace();
        P3109_Line(report(n, "chLevelBreak") + " = YES;");
        P3109_EmitNewPageTest(lReport, c.lLineTotal, GEN_NEW_PAGE_BLOCK);
        P3109_Line(report(n, "chLevelBreak") + " = NO;");
        /* the break lines print the values of the group that ends; the
           values of the group that begins are put back after them */
        P3109_WriteComment("Keep the current trailing values, print those of the group that ends");
        storeCall("X_Vec_Save_Values", trail, c.sTriggerSlot2);
        storeCall("X_Vec_Restore_Values", trail, c.sTrailSlot);
        spaceLines(n, "Handle the space before value", P3109_ParmNumber("SPACE_BEF"), true);
        P3109_WriteConditionRoutineCall(tables, GEN_LINE_TRAIL, static_cast<int16_t>(i));
        spaceLines(n, "Handle the space after value", P3109_ParmNumber("SPACE_AFT"), true);
        storeCall("X_Vec_Restore_Values", trail, c.sTriggerSlot2);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
        P3109_WriteComment("Inc break counter and save trigger and trailing values");
        P3109_Line(P3109_Instance("ulBreakCount" + c.identifier) + "++;");
        storeCall("X_Vec_Save_Values", trigger, c.sTriggerSlot);
        storeCall("X_Vec_Save_Values", trail, c.sTrailSlot);
        P3109_WriteCloseBrace();
        P3109_LineAt(0, " ");
        P3109_Line("return;");
        close();
    }
}

}  // namespace

void P3109_EmitNewPageTest(int32_t lReport, int32_t lLines, GEN_NEW_PAGE_FORM form)
{
    const std::string n = std::to_string(lReport);
    P3109_WriteComment("Test for and handle a new page condition");
    P3109_Line("if (((" + report(n, "sCurrentLine") + " + " + std::to_string(lLines) + ")");
    P3109_Line("               > " + report(n, "sLastDetailLine") + ")");
    P3109_Line("  || (" + report(n, "sPIMCallCount") + " == 0))");
    if (form == GEN_NEW_PAGE_STATEMENT) {
        P3109_Line("     " + report(n, "chOverFlowOn") + " = YES;");
        P3109_Line("else " + report(n, "chOverFlowOn") + " = NO;");
        P3109_Line(callRoutine("Print_Headings_" + n));
        return;
    }
    P3109_WriteOpenBrace();
    P3109_Line(report(n, "chOverFlowOn") + " = YES;");
    P3109_Line(callRoutine("Print_Headings_" + n));
    P3109_WriteCloseBrace();
}

std::string P3109_SpaceLinesCall(const std::string& report, const std::string& lines, bool fSpaced)
{
    if (cs())
        return "X_RUN_DLL.X_Space_Lines( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pGlobal1.X_Report_" + report + ", " + lines +
               " );";
    return fSpaced ? "X_Space_Lines( FUNCTION_STD_PARMS, &(INSTANCE(X_Report_" + report + ")), " + lines + " );"
                   : "X_Space_Lines (FUNCTION_STD_PARMS,&(INSTANCE(X_Report_" + report + "))," + lines + ");";
}

std::string P3109_SkipToLineCall(const std::string& report, const std::string& line)
{
    if (cs())
        return "X_RUN_DLL.X_Skip_To_Line( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pGlobal1.X_Report_" + report + ", " + line +
               " );";
    return "X_Skip_To_Line (FUNCTION_STD_PARMS,&(INSTANCE(X_Report_" + report + "))," + line + ");";
}

void P3109_EmitReportRoutines()
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    bool any = false;
    for (const GEN_REPORT_SLOT& slot : P3109_Definitions().reports)
        any = any || slot.cKind == 'P';
    if (!any)
        return;
    P31O2_ShowStatusText("Generating Reporting Routines           ", 40);
    const uint16_t savedIndent = s.out.usIndent;
    const int16_t savedDepth = s.out.sDepth;
    for (const GEN_REPORT_SLOT& slot : P3109_Definitions().reports) {
        const GEN_REPORT_TABLES* tables = P3109_pReportTables(slot.sNumber);
        if (slot.cKind != 'P' || !tables)
            continue;
        writeOpening(slot.sNumber, *tables);
        writeClosing(slot.sNumber, *tables);
        P3109_EmitPrintHeadingsRoutine(slot.sNumber, *tables);
        P3109_EmitPrintFootingsRoutine(slot.sNumber, *tables);
        P3109_EmitPrintLineRoutine(slot.sNumber, *tables);
        P3109_EmitPrintLeadingRoutine(slot.sNumber, *tables);
        P3109_EmitPrintTrailingRoutine(slot.sNumber, *tables);
    }
    s.out.usIndent = savedIndent;
    s.out.sDepth = savedDepth;
}

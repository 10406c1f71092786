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

#include <cstdio>

#include "dqov/messages.h"

#include "generator/core/line_writer.h"
#include "generator/core/name_services.h"
#include "generator/core/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"

namespace {

GEN_MODULE_STATE& g() { return P3109_State(); }

std::string vecCall(const char* routine) { return std::string(routine) + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld,"; }

/* A save, restore or compare of an array in its slot, and the line that
** carries its arguments. */
void storeCall(const char* routine, const std::string& array, int16_t sSlot, const char* separator = ",")
{
    P3109_Line(vecCall(routine));
    P3109_Line(std::string("   sc") + array + separator + "((X_SHORT*) as" + array + "), " + std::to_string(sSlot) +
               ", INSTANCE(aStorePointers) );");
}

void open(const std::string& title, const std::string& head)
{
    P3109_WriteLine(g().out.current, 0, "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_COMMON)))");
    P3109_WriteDoubleBoxComment(g().out.current, title);
    g().out.usIndent = 0;
    g().out.sDepth = 0;
    P3109_Line(head);
    P3109_WriteOpenBrace();
}

void close()
{
    P3109_WriteCloseBrace();
    P3109_WriteLine(g().out.current, 0, "#endif");
}

/* The print routines of a cluster (or of every cluster for sCluster -1)
** from one print-line table, entries of one condition under one test. */
void writePrintCalls(const GEN_REPORT_TABLES& tables, int iType, int16_t sCluster)
{
    const std::vector<GEN_PRINT_LINE_ENTRY>& table = tables.lines[static_cast<size_t>(iType)];
    size_t i = 0;
    while (i < table.size()) {
        if (sCluster >= 0 && table[i].sCluster != sCluster) {
            ++i;
            continue;
        }
        const std::string condition = table[i].condition;
        if (P3109_TrimRight(condition).empty()) {
            P3109_Line(table[i++].routine + " (FUNCTION_STD_PARMS);");
            continue;
        }
        const GEN_CONDITION* c = P3109_pFindCondition(condition);
        P3109_EmitConditionTest({condition}, 'N');
        P3109_Line("if (INSTANCE(X_Cond[" + std::to_string(c ? c->sNumber : 0) + "].chTrue) == YES)");
        P3109_WriteOpenBrace();
        for (; i < table.size() && table[i].condition == condition; ++i)
            if (sCluster < 0 || table[i].sCluster == sCluster)
                P3109_Line(table[i].routine + " (FUNCTION_STD_PARMS);");
        P3109_WriteCloseBrace();
    }
}

void spaceLines(const std::string& report, const char* comment, int32_t lLines, bool fSpaced)
{
    if (lLines <= 0)
        return;
    P3109_WriteComment(comment);
    P3109_Line(fSpaced ? "X_Space_Lines( FUNCTION_STD_PARMS, &(INSTANCE(X_Report_" + report + ")), " + std::to_string(lLines) + " );"
                       : "X_Space_Lines (FUNCTION_STD_PARMS,&(INSTANCE(X_Report_" + report + ")),"
                             + std::to_string(lLines) + ");");
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
    const std::string r = "INSTANCE(X_Report_" + n;
    P3109_WriteLine(g().out.current, 0, "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_COMMON)))");
    P3109_WriteDoubleBoxComment(g().out.current, "Standard Report Opening Routine");
    const auto line = [](const std::string& text) { P3109_LineAt(0, text); };
    line("F_VOID_FUNCTION Open_Report_" + n + " (FUNCTION_STD_ARGS)");
    line("{");
    line("   if (" + r + ".chOpen) != YES)");
    line("   {");
    line("      if (X_Open_Report (pX_Ids,pX_Pro,pX_Fun,&(INSTANCE(X_Report_" + n + ")),pX_Fld) == NO)");
    line("      {");
    line("         " + r + ".chOpen) = YES;");
    line("         " + r + ".sPIMCallCount) = 0;");
    line("         " + r + ".chClosingReport) = NO;");
    line("         " + r + ".sCurrentLine) = 1;");
    line("         " + r + ".sCurrentPage) = 1;");
    for (const GEN_PRINT_CLUSTER& c : tables.clusters)
        if (c.iKind == GEN_CLUSTER_BREAK)
            line("         INSTANCE(ulBreakCount" + c.identifier + ") = 0;");
    line("      }");
    line("   }");
    line("   return;");
    line("}");
    P3109_WriteLine(g().out.current, 0, "#endif");
}

void writeClosing(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    const std::string r = "INSTANCE(X_Report_" + n;
    P3109_WriteLine(g().out.current, 0, "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_COMMON)))");
    P3109_WriteDoubleBoxComment(g().out.current, "Standard Report Closing Routine");
    const auto line = [](const std::string& text) { P3109_LineAt(0, text); };
    line("F_VOID_FUNCTION Close_Report_" + n + " (FUNCTION_STD_ARGS)");
    line("{");
    line("   if (" + r + ".chOpen) == YES)");
    line("   {");
    line("      " + r + ".chClosingReport) = YES;");
    for (const GEN_PRINT_CLUSTER& c : tables.clusters)
        if (c.iKind == GEN_CLUSTER_BREAK && c.cBreak == 'T')
            line("      Print_Trailing_" + c.identifier + " (FUNCTION_STD_PARMS);");
    line("      Print_Footings_" + n + " (1, FUNCTION_STD_PARMS);");
    line("      X_Close_Report (pX_Ids,pX_Pro,pX_Fun,&(INSTANCE(X_Report_" + n + ")),pX_Fld);");
    line("      " + r + ".chOpen) = NO;");
    line("      " + r + ".sPIMCallCount) = 0;");
    line("      " + r + ".chClosingReport) = NO;");
    line("      " + r + ".sCurrentLine) = 1;");
    line("      " + r + ".sCurrentPage) = 1;");
    line("   }");
    line("   return;");
    line("}");
    P3109_WriteLine(g().out.current, 0, "#endif");
}

void P3109_EmitPrintHeadingsRoutine(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    const std::string r = "INSTANCE(X_Report_" + n;
    open("Standard Report Heading Control Subroutine", "F_VOID_FUNCTION Print_Headings_" + n + " (FUNCTION_STD_ARGS)");
    P3109_Line(r + ".chNewPageFlag) = NO;");
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
        const std::string compare = "           sc" + trigger + ", ((X_SHORT*) as" + trigger + "), " +
                                    std::to_string(c.sTriggerSlot) + ", INSTANCE(aStorePointers) ) != 0 ) )";
        if (overflow) {
            P3109_WriteComment("Test for overflow, first call or trigger changes");
            P3109_Line("if ((" + r + ".chOverFlowOn) == YES)");
            P3109_Line("   || ( " + r + ".sPIMCallCount) == 0 )");
            P3109_Line("   || ( X_Vec_Compare_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,");
        } else {
            P3109_WriteComment("Test for first call or trigger changes");
            P3109_Line("if ((" + r + ".sPIMCallCount) == 0)");
            P3109_Line(" || ( X_Vec_Compare_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,");
        }
        P3109_Line(compare);
        P3109_WriteOpenBrace();
        P3109_WriteComment("Map/save triggers and trailing values");
        P3109_Line("if ((" + r + ".chLevelBreak) != YES)");
        P3109_Line(" || (" + r + ".sPIMCallCount) == 0))");
        P3109_WriteOpenBrace();
        storeCall("X_Vec_Save_Values", trigger, c.sTriggerSlot);
        storeCall("X_Vec_Save_Values", trail, c.sTrailSlot);
        P3109_WriteCloseBrace();
        P3109_WriteComment("Print any foot lines");
        P3109_Line("if (" + r + ".chNewPageFlag) != YES)");
        P3109_WriteOpenBrace();
        P3109_Line("Print_Footings_" + n + " (1, FUNCTION_STD_PARMS);");
        P3109_WriteCloseBrace();
        P3109_WriteComment("Set the new page flag");
        P3109_Line(r + ".chNewPageFlag) = YES;");
        storeCall("X_Vec_Save_Values", trigger, c.sTriggerSlot2);
        storeCall("X_Vec_Restore_Values", trail, c.sTrailSlot);
        writePrintCalls(tables, GEN_LINE_HEAD, static_cast<int16_t>(i));
        storeCall("X_Vec_Restore_Values", trigger, c.sTriggerSlot2);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
    }
    P3109_WriteComment("Handle an unsatisfied overflow");
    P3109_Line("if (((" + r + ".chOverFlowOn) == YES)");
    P3109_Line(" || (" + r + ".sPIMCallCount) == 0))");
    P3109_Line(" && (" + r + ".chNewPageFlag) == NO))");
    P3109_WriteOpenBrace();
    P3109_Line("Print_Footings_" + n + " (1, FUNCTION_STD_PARMS);");
    P3109_Line("X_Skip_To_Line (FUNCTION_STD_PARMS,&(INSTANCE(X_Report_" + n + ")),1);");
    P3109_Line(r + ".chNewPageFlag) = YES;");
    P3109_WriteCloseBrace();
    P3109_WriteComment("Now print required \"Type 2\" detail line headings");
    P3109_Line("if (" + r + ".chNewPageFlag) == YES)");
    P3109_WriteOpenBrace();
    writePrintCalls(tables, GEN_LINE_HEAD2, -1);
    P3109_WriteCloseBrace();
    P3109_Line(r + ".chOverFlowOn) = NO;");
    P3109_Line("return;");
    close();
}

void P3109_EmitPrintFootingsRoutine(int32_t lReport, const GEN_REPORT_TABLES& tables)
{
    const std::string n = std::to_string(lReport);
    open("Standard Report Footing Control Subroutine",
         "F_VOID_FUNCTION Print_Footings_" + n + " (X_SHORT sOperation, FUNCTION_STD_ARGS)");
    for (size_t i = 0; i < tables.clusters.size(); ++i) {
        const GEN_PRINT_CLUSTER& c = tables.clusters[i];
        if (c.iKind != GEN_CLUSTER_FOOT || P3109_SetCurrentCommand(c.usNumber, c.usSequence) != 0)
            continue;
        const std::string list = c.identifier + "_SaveList";
        P3109_WriteOpenBrace();
        P3109_EmitGroupFieldArray(c.group, list);
        P3109_WriteComment("If this is a special save request or the very first page");
        P3109_Line("if ((sOperation == 2) || (INSTANCE(X_Report_" + n + ".sPIMCallCount) == 0))");
        P3109_WriteOpenBrace();
        storeCall("X_Vec_Save_Values", list, c.sTriggerSlot, ", ");
        P3109_WriteCloseBrace();
        P3109_WriteComment("else this is not the very first page");
        P3109_Line("else");
        P3109_WriteOpenBrace();
        storeCall("X_Vec_Save_Values", list, c.sTriggerSlot2);
        storeCall("X_Vec_Restore_Values", list, c.sTriggerSlot);
        writePrintCalls(tables, GEN_LINE_FOOT, static_cast<int16_t>(i));
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
        open("Standard Report Line Printing Control Subroutine",
             "F_VOID_FUNCTION Print_Line_" + c.identifier + " (FUNCTION_STD_ARGS)");
        bool first = true;
        for (const GEN_PRINT_CLUSTER& t : tables.clusters)
            if (t.iKind == GEN_CLUSTER_BREAK && t.cBreak == 'T') {
                if (first)
                    P3109_WriteComment("Print Trailing Break Lines");
                first = false;
                P3109_Line("Print_Trailing_" + t.identifier + " (FUNCTION_STD_PARMS);");
            }
        first = true;
        for (const GEN_PRINT_CLUSTER& t : tables.clusters)
            if (t.iKind == GEN_CLUSTER_BREAK && t.cBreak == 'L') {
                if (first)
                    P3109_WriteComment("Print Leading Break Lines");
                first = false;
                P3109_Line("Print_Leading_" + t.identifier + " (FUNCTION_STD_PARMS);");
            }
        P3109_EmitNewPageTest(lReport, c.lLineTotal, 'N');
        spaceLines(n, "Handle the space before value", P3109_ParmNumber("SPACE_BEF"), false);
        writePrintCalls(tables, GEN_LINE_LINE, static_cast<int16_t>(i));
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
        open("Standard Report Leading Break Print Control Subroutine",
             "F_VOID_FUNCTION Print_Leading_" + c.identifier + " (FUNCTION_STD_ARGS)");
        P3109_WriteOpenBrace();
        P3109_WriteComment("Define the trigger store/compare values");
        P3109_EmitBreakFieldArray(triggers(), trigger, false);
        P3109_WriteComment("If first break or trigger has changed");
        P3109_Line("if ((INSTANCE(ulBreakCount" + c.identifier + ") == 0)");
        P3109_Line("   || ( X_Vec_Compare_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,");
        P3109_Line("           sc" + trigger + ", ((X_SHORT*) as" + trigger + "), " + std::to_string(c.sTriggerSlot) +
                   ", INSTANCE(aStorePointers) ) != 0 ) )");
        P3109_WriteOpenBrace();
        P3109_EmitNewPageTest(lReport, c.lLineTotal, 'N');
        spaceLines(n, "Handle the space before value", P3109_ParmNumber("SPACE_BEF"), true);
        writePrintCalls(tables, GEN_LINE_LEAD, static_cast<int16_t>(i));
        spaceLines(n, "Handle the space after value", P3109_ParmNumber("SPACE_AFT"), true);
        P3109_WriteComment("Increment break counter and save triggers");
        P3109_Line("INSTANCE(ulBreakCount" + c.identifier + ")++;");
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
    const std::string r = "INSTANCE(X_Report_" + n;
    for (size_t i = 0; i < tables.clusters.size(); ++i) {
        const GEN_PRINT_CLUSTER& c = tables.clusters[i];
        if (c.iKind != GEN_CLUSTER_BREAK || c.cBreak != 'T' || P3109_SetCurrentCommand(c.usNumber, c.usSequence) != 0)
            continue;
        const std::string trigger = c.identifier + "_Trigger", trail = c.identifier + "_Trail";
        open("Standard Report Leading Break Print Control Subroutine",
             "F_VOID_FUNCTION Print_Trailing_" + c.identifier + "( FUNCTION_STD_ARGS )");
        P3109_WriteOpenBrace();
        P3109_WriteComment("Define the trigger store/compare values");
        P3109_EmitBreakFieldArray(triggers(), trigger, false);
        P3109_WriteComment("Define the trailing values store values");
        P3109_EmitGroupFieldArray(c.group, trail);
        P3109_WriteComment("If this is not the first invocation");
        P3109_Line("if (INSTANCE(ulBreakCount" + c.identifier + ") > 0)");
        P3109_WriteOpenBrace();
        P3109_WriteComment("If closing report or trigger value has changed");
        P3109_Line("if ( ( " + r + ".chClosingReport) == YES )");
        P3109_Line("   || ( X_Vec_Compare_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,");
        P3109_Line("           sc" + trigger + ",((X_SHORT*) as" + trigger + "), " + std::to_string(c.sTriggerSlot) +
                   ", INSTANCE(aStorePointers) ) != 0 ) )");
        P3109_WriteOpenBrace();
        P3109_Line(r + ".chLevelBreak) = YES;");
        P3109_EmitNewPageTest(lReport, c.lLineTotal, 'N');
        P3109_Line(r + ".chLevelBreak) = NO;");
        storeCall("X_Vec_Restore_Values", trail, c.sTrailSlot);
        spaceLines(n, "Handle the space before value", P3109_ParmNumber("SPACE_BEF"), true);
        writePrintCalls(tables, GEN_LINE_TRAIL, static_cast<int16_t>(i));
        spaceLines(n, "Handle the space after value", P3109_ParmNumber("SPACE_AFT"), true);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
        P3109_WriteComment("Inc break counter and save trigger and trailing values");
        P3109_Line("INSTANCE(ulBreakCount" + c.identifier + ")++;");
        storeCall("X_Vec_Save_Values", trigger, c.sTriggerSlot);
        storeCall("X_Vec_Save_Values", trail, c.sTrailSlot);
        P3109_WriteCloseBrace();
        P3109_LineAt(0, " ");
        P3109_Line("return;");
        close();
    }
}

} // namespace

void P3109_EmitNewPageTest(int32_t lReport, int32_t lLines, char cStatement)
{
    const std::string n = std::to_string(lReport);
    const std::string r = "INSTANCE(X_Report_" + n;
    P3109_WriteComment("Test for and handle a new page condition");
    P3109_Line("if (((" + r + ".sCurrentLine) + " + std::to_string(lLines) + ")");
    P3109_Line("               > " + r + ".sLastDetailLine))");
    P3109_Line("  || (" + r + ".sPIMCallCount) == 0))");
    if (cStatement == 'Y') {
        P3109_Line("     " + r + ".chOverFlowOn) = YES;");
        P3109_Line("else " + r + ".chOverFlowOn) = NO;");
        P3109_Line("Print_Headings_" + n + " (FUNCTION_STD_PARMS);");
        return;
    }
    P3109_WriteOpenBrace();
    P3109_Line(r + ".chOverFlowOn) = YES;");
    P3109_Line("Print_Headings_" + n + " (FUNCTION_STD_PARMS);");
    P3109_WriteCloseBrace();
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

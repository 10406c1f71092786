// Reports on hand-made layout records: the print routines of the report
// lines with their tables, the sort of a line's items, the X_PIM control
// structure, the report routines of point 37 and the printing commands.
#include "checked_access.h"
#include "emit_fixture.h"

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fix.h"
#include "generator/core/model/definitions.h"
#include "generator/emitters/report_support.h"

namespace emitters_test {
namespace {

constexpr GEN_STREAM kRoutines = 4;

class Reports : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        field("LSTNO", 'P', 5);
        field("LSTNAM", 'A', 20);
        field("LSTREG", 'A', 3);
        P3109_State().rpt = kRoutines;
        P3109_Definitions().reports[0].cKind = 'P';
    }

    static LAYOUT_FIELD_ENTRY item(const std::string& name, char type, int32_t line, int32_t column, char ident = 'N')
    {
        LAYOUT_FIELD_ENTRY e;
        std::memset(&e, ' ', sizeof e);
        std::memcpy(e.acName, name.data(), std::min<size_t>(name.size(), 10));
        e.cType = type;
        e.lLength = 5;
        e.lDecimals = 0;
        e.lLabelWidth = 6;
        e.lHeadingWidth = 8;
        e.lValueWidth = 5;
        e.lValueOffset = e.lIdentOffset = e.lRightLabelOffset = e.lWidth = e.lLines = e.lDescriptionWidth = 0;
        e.lLine = line;
        e.lColumn = column;
        e.lFieldNumber = column;
        e.cIdentification = ident;
        e.cOnChange = 'N';
        e.sPushButton = 0;
        e.asHeadingWidths[0] = e.asHeadingWidths[1] = e.asHeadingWidths[2] = 0;
        return e;
    }

    /* A report line command of report 1 with one print-line format. */
    FFC_PARSED_COMMAND& reportLine(const char* command, const std::string& name, const char* kind,
                                   const std::vector<LAYOUT_FIELD_ENTRY>& items)
    {
        FFC_PARSED_COMMAND& p = this->command(command);
        set(p, "NAME", name);
        set(p, "REPORT_NUM", "1");
        set(p, "PRINT_CTL", "*NONE");
        char qualifier[8];
        const int32_t line = p.sLine, second = 0;
        FIX_LongToDigits(&line, 4, qualifier);
        FIX_LongToDigits(&second, 4, qualifier + 4);
        char format[16];
        std::snprintf(format, sizeof format, "R@F%05d", p.sLine);
        PRTFMT_DATA f;
        std::memset(&f, ' ', sizeof f);
        std::memcpy(f.acFormat, format, 8);
        std::memcpy(f.acLineKind, kind, std::strlen(kind));
        f.lFirstLine = f.lLastLine = f.lZero24 = f.lZero28 = f.lItems = f.lItems2 = f.lConditions = 0;
        writeRecord("PRTFMT    ", std::string(p.acName, 10), std::string(qualifier, 8),
                    {{0, std::string(reinterpret_cast<const char*>(&f), sizeof f)}});
        int n = 0;
        for (const LAYOUT_FIELD_ENTRY& e : items) {
            char number[16];
            std::snprintf(number, sizeof number, "%04d", ++n);
            writeRecord("PRTFLD    ", format, number, {{0, std::string(reinterpret_cast<const char*>(&e), sizeof e)}});
        }
        return p;
    }

    /* The definition run of a report line command; the routine lines. */
    std::vector<std::string> define(FFC_PARSED_COMMAND& p)
    {
        current(p);
        GEN_MODULE_STATE& g = P3109_State();
        g.out.queues[kRoutines - 1].clear();
        g.out.cSuppress = 'Y';
        P3109_DispatchCommand();
        g.out.cSuppress = 'N';
        std::vector<std::string> t;
        for (const GEN_QUEUED_LINE& l : g.out.queues[kRoutines - 1])
            t.emplace_back(l.text);
        return t;
    }

    static bool has(const std::vector<std::string>& t, const std::string& text)
    {
        return std::find(t.begin(), t.end(), text) != t.end();
    }

    static size_t at(const std::vector<std::string>& t, const std::string& text)
    {
        return static_cast<size_t>(std::find(t.begin(), t.end(), text) - t.begin());
    }
};

TEST_F(Reports, PrintRoutinesTablesSortAndColumnHeadings)
{
    FFC_PARSED_COMMAND& line = reportLine("DEF_LINE", "#RLINE", "LINE",
                                          {item("LSTNAM", 'A', 2, 300), item("TEXT000001", 'T', 2, 260),
                                           item("LSTNO", 'P', 2, 5, 'L'), item("LSTREG", 'A', 2, 40, 'C')});
    const std::vector<std::string> r = define(line);
    ASSERT_FALSE(r.empty());
    /* the line's items by column as numbers: 5, 40, 260, 300 */
    const size_t fields = at(r, "   static struct X_REPORT_FLD X_RptFld[] = ");
    ASSERT_LT(fields + 5, r.size());
    EXPECT_EQ(r[fields + 2], "      V_FIELD_LSTNO,5,5,0,' ',pX_NULL,5,");
    EXPECT_EQ(r[fields + 3], "      V_FIELD_LSTREG,40,5,0,' ',pX_NULL,5,");
    EXPECT_EQ(r[fields + 4], "      V_FIELD_LSTNAM,300,5,0,' ',pX_NULL,5") << "the last row has no comma";
    const size_t texts = at(r, "   static struct X_REPORT_TXT X_RptTxt[] = ");
    ASSERT_LT(texts + 3, r.size());
    EXPECT_EQ(r[texts + 2], "      pX_NULL,5,6,0,") << "the label, filled at run time";
    EXPECT_EQ(r[texts + 3].substr(0, 18), "         U_REPORT_");
    EXPECT_EQ(r[texts + 3].substr(r[texts + 3].size() - 8), ",260,5,0") << "the last row has no comma";
    EXPECT_TRUE(has(r, "   struct X_REPORT_CTL X_RptCtl = {2,0,0,0};")) << "two lines down from the start";
    /* the column headings of the detail line print under the page headings */
    EXPECT_TRUE(has(r, "   struct X_REPORT_CTL X_RptCtl = {1,0,0,0};")) << "heading levels 2 and 3";
    EXPECT_TRUE(has(r, "                0, pX_NULL);")) << "a heading routine has no fields";
    const GEN_REPORT_TABLES* tables = P3109_pReportTables(1);
    ASSERT_NE(tables, nullptr);
    EXPECT_EQ(tables->lines[GEN_LINE_LINE].size(), 1u);
    EXPECT_EQ(tables->lines[GEN_LINE_HEAD2].size(), 3u) << "three heading levels";
    EXPECT_EQ(tables->clusters[0].lLineTotal, 2);
    EXPECT_EQ(P3109_Definitions().reports[0].printLines[0].name, "RLINE");
}

TEST_F(Reports, ControlStructureHasThirtyValuesWithoutThePageField)
{
    P3109_Definitions().reports[1].cKind = 'Y';
    const std::vector<Line> l = lines([] { P3109_EmitReportStructs(); });
    size_t values = 0;
    bool inside = false;
    for (const Line& line : l) {
        if (line.text == "static struct X_PIM X_Report_2 = ")
            ADD_FAILURE() << "a report that nothing prints has no structure";
        if (line.text == "static struct X_PIM X_Report_1 = ")
            inside = true;
        if (inside && line.indent == 6)
            ++values;
    }
    EXPECT_EQ(values, 30u);
    EXPECT_TRUE(holdsText(l, "   V_NOT_AVAILABLE, /* Standard Page Number Field */"));
    EXPECT_TRUE(holdsText(l, "   \"\", /* Printer file name */"));
    EXPECT_TRUE(holdsText(l, "   V_NOT_AVAILABLE  /* Other override attributes */"));

    field("REP1PAGE", 'P', 5);
    EXPECT_TRUE(
        holdsText(lines([] { P3109_EmitReportStructs(); }), "   V_FIELD_REP1PAGE, /* Standard Page Number Field */"));
}

TEST_F(Reports, RoutinesOfPointThirtySevenAndThePrintingCommands)
{
    FFC_PARSED_COMMAND& head = reportLine("DEF_HEAD", "#RHEAD", "HEAD", {item("LSTREG", 'A', 1, 2, 'L')});
    define(head);
    FFC_PARSED_COMMAND& lead = reportLine("DEF_BREAK", "#RLEAD", "LEAD", {item("LSTREG", 'A', 1, 2)});
    set(lead, "TRIGGER_BY", "L");
    list(lead, "TRIG_FLDS", {"#LSTREG"});
    define(lead);
    FFC_PARSED_COMMAND& line = reportLine("DEF_LINE", "#RLINE", "LINE", {item("LSTNO", 'P', 1, 2)});
    define(line);
    EXPECT_EQ(P3109_State().emit.sTempStoreAreas, 5) << "heading: trigger, second and trailing slots; break: one";

    const std::vector<Line> r = lines([] { P3109_EmitReportRoutines(); });
    EXPECT_TRUE(holdsText(r, "F_VOID_FUNCTION Print_Headings_1 (FUNCTION_STD_ARGS)"));
    EXPECT_TRUE(holdsText(r, "F_VOID_FUNCTION Print_Leading_RLEAD (FUNCTION_STD_ARGS)"));
    EXPECT_TRUE(holdsText(r, "         INSTANCE(ulBreakCountRLEAD) = 0;"));
    EXPECT_TRUE(holdsText(r, "static X_SHORT asRLEAD_Trigger[] ="));
    EXPECT_FALSE(holdsText(r, "X_BREAK_CHECK_EXECUTION")) << "no break subroutine";
    EXPECT_TRUE(holdsText(r, "/* Test for overflow, first call or trigger changes */")) << "a heading without triggers";
    EXPECT_TRUE(holdsText(r, "Print_Leading_RLEAD (FUNCTION_STD_PARMS);"));
    EXPECT_EQ(P3109_State().out.usIndent, 3);

    /* PRINT opens the report first; a name that matches no line writes no call */
    FFC_PARSED_COMMAND& print = command("PRINT");
    list(print, "LINE", {"#RLINE", "#NOLINE"});
    set(print, "REPORT_NUM", "1");
    current(print);
    const std::vector<std::string> p = texts(lines([] { P3109_EmitPrint(); }));
    const size_t opened = std::find(p.begin(), p.end(), "Open_Report_1 (FUNCTION_STD_PARMS);") - p.begin();
    const size_t printed = std::find(p.begin(), p.end(), "Print_Line_RLINE (FUNCTION_STD_PARMS);") - p.begin();
    EXPECT_LT(opened, printed);
    EXPECT_LT(printed, p.size());
    EXPECT_EQ(std::count_if(p.begin(), p.end(), [](const std::string& t) { return t.rfind("Print_Line_", 0) == 0; }),
              1);
    EXPECT_EQ(p.back(), "Print_Footings_1 (2, FUNCTION_STD_PARMS);");

    /* SPACE leaves the indent as it found it */
    FFC_PARSED_COMMAND& space = command("SPACE");
    set(space, "LINES", "3");
    set(space, "REPORT_NUM", "1");
    current(space);
    const std::vector<Line> s = lines([] { P3109_EmitSpaceSkip(); });
    EXPECT_TRUE(holdsText(s, "for (sLoopCount = 0; sLoopCount < 3; sLoopCount++)"));
    EXPECT_EQ(P3109_State().out.usIndent, 3);
    EXPECT_EQ(P3109_State().out.sDepth, 0);

    /* ENDPRINT of a report that nothing prints cannot run */
    FFC_PARSED_COMMAND& end = command("ENDPRINT");
    set(end, "REPORT_NUM", "2");
    current(end);
    EXPECT_TRUE(holdsText(lines([] { P3109_EmitEndPrint(); }), "               X_TEXT(136),\"ENDPRINT\");"));
}

// The calls of one print-line table: for the whole table, consecutive
// entries of one condition share one block under its test, and each
// cluster's condition tests come before its first call; for one cluster
// only its entries, after its tests.
TEST_F(Reports, ConditionedCallsOfAPrintLineTable)
{
    GEN_REPORT_TABLES tables;
    tables.clusters.resize(2);
    tables.clusters[1].conditions = {"CNDX      "};
    tables.lines[GEN_LINE_LINE] = {{0, "Print_Routine_1", "          "},
                                   {1, "Print_Routine_2", "CNDA      "},
                                   {1, "Print_Routine_3", "CNDA      "},
                                   {0, "Print_Routine_4", "          "}};
    const GEN_CONDITION* c = P3109_pFindCondition("CNDA      ");
    const std::string test = "if (INSTANCE(X_Cond[" + std::to_string(c ? c->sNumber : 0) + "].chTrue) == YES)";
    const std::vector<std::string> all =
        texts(lines([&] { P3109_WriteConditionRoutineCall(tables, GEN_LINE_LINE, -1); }));
    const size_t first = at(all, "Print_Routine_1 (FUNCTION_STD_PARMS);"), opened = at(all, test),
                 second = at(all, "Print_Routine_2 (FUNCTION_STD_PARMS);"),
                 third = at(all, "Print_Routine_3 (FUNCTION_STD_PARMS);"),
                 fourth = at(all, "Print_Routine_4 (FUNCTION_STD_PARMS);");
    ASSERT_LT(fourth, all.size()) << testing::PrintToString(all);
    EXPECT_LT(first, opened);
    EXPECT_EQ(all.at(opened + 1), "{");
    EXPECT_LT(opened, second);
    EXPECT_EQ(all.at(second - 1), " ") << "the cluster's tests end with a blank line";
    EXPECT_EQ(third, second + 1) << "one block, the cluster tested once";
    EXPECT_EQ(all.at(third + 1), "}");
    EXPECT_EQ(fourth, third + 2);
    EXPECT_EQ(std::count(all.begin(), all.end(), test), 1);

    const std::vector<std::string> one =
        texts(lines([&] { P3109_WriteConditionRoutineCall(tables, GEN_LINE_LINE, 1); }));
    EXPECT_TRUE(has(one, "Print_Routine_2 (FUNCTION_STD_PARMS);"));
    EXPECT_TRUE(has(one, "Print_Routine_3 (FUNCTION_STD_PARMS);"));
    EXPECT_FALSE(has(one, "Print_Routine_1 (FUNCTION_STD_PARMS);"));
    EXPECT_FALSE(has(one, test)) << "a cluster's calls take no condition block";
    EXPECT_EQ(one.at(at(one, "Print_Routine_2 (FUNCTION_STD_PARMS);") - 1), " ");
    EXPECT_TRUE(texts(lines([&] { P3109_WriteConditionRoutineCall(tables, GEN_LINE_HEAD, -1); })).empty());
}

TEST_F(Reports, ClusterLimitAndKeepValues)
{
    GEN_REPORT_TABLES* tables = P3109_pReportTables(1);
    tables->clusters.resize(GEN_PRINT_CLUSTERS_MAX);
    define(reportLine("DEF_LINE", "#RFULL", "LINE", {item("LSTNO", 'P', 1, 2)}));
    EXPECT_EQ(tables->clusters.size(), GEN_PRINT_CLUSTERS_MAX);
    ASSERT_EQ(issuedMessages().size(), 1u);
    EXPECT_NE(issuedMessages().at(0).find("PRINT CLUSTERS"), std::string::npos) << issuedMessages().at(0);

    FFC_PARSED_COMMAND& keep = command("KEEP_MAX");
    list(keep, "OF_FIELD", {"#LSTNO"});
    set(keep, "IN_FIELD", "#LSTNO");
    list(keep, "BY_FIELD", {"#LSTREG"});
    current(keep);
    /* outside a loop that counts rows it is refused: only its prologue stands */
    EXPECT_FALSE(has(texts(lines([] { P3109_EmitKeep(); })), "if ( ( lSelectLoopCount == 1 )"));
    EXPECT_NE(checked::Last(issuedMessages()).find("PRC1192 F KEEP_MAX"), std::string::npos)
        << checked::Last(issuedMessages());
    /* inside the row loop of a SELECT */
    P3109_PushBlock(true, false, false);
    P3109_State().blocks[static_cast<size_t>(P3109_State().sBlockDepth)].fSelectLoop = true;
    const std::vector<std::string> k = texts(lines([] { P3109_EmitKeep(); }));
    P3109_PopBlock();
    EXPECT_TRUE(has(k, "if ( ( lSelectLoopCount == 1 )"));
    const size_t reset = at(k, "INSTANCE(dWorkMaximum_1) = -99999999999999.9;");
    EXPECT_LT(reset, k.size());
    EXPECT_TRUE(has(
        k,
        "   || ( memcmp( pX_Fld[V_FIELD_LSTREG].pField, INSTANCE(fchPrevLSTREG_2), BYTE_LEN_V_FIELD_LSTREG ) != 0 )"));
    EXPECT_TRUE(has(
        k, "if (INSTANCE(dWorkDouble) > INSTANCE(dWorkMaximum_1)) INSTANCE(dWorkMaximum_1) = INSTANCE(dWorkDouble);"));
    EXPECT_EQ(P3109_State().emit.cWorkDouble, 'Y');
    EXPECT_EQ(P3109_State().out.usIndent, 3);
}

}  // namespace
}  // namespace emitters_test

// The report commands: report definitions left for the generator, lines
// never printed, lines printed that do not exist, and the automatic report
// layout run for each report line in pass 2.
#include "checker_fixture.h"

#include <string>
#include <vector>

#include "dqov/runcontrol/work_records.h"

using checker_test::CheckJob;
using checker_test::Lines;
using checker_test::Message;
using checker_test::OnLine;

namespace {

int g_layouts = 0;

void CountingLayout(FFC_CONTEXT*, FFC_CHECK_STATE* state)
{
    ++g_layouts;
    state->cFinalSeverity = 'I';
    std::memcpy(state->acFinalMsgId, "PRC0047", 7);
    std::memset(state->acFinalText, ' ', sizeof state->acFinalText);
    std::memcpy(state->acFinalText, "laid out", 8);
}

TEST_F(CheckJob, ReportLinesPrintedAndDefined)
{
    addFunction("TSTPRC", "REPS",
                {"FUNCTION OPTIONS(*DIRECT)",                                                     // 1
                 "DEF_REPORT REPORT_NUM(2) PRT_FILE(MYPRT MYLIB) FORMSIZE(72 132) OVERFLOW(66)",  // 2
                 "DEF_HEAD NAME(HEAD1) FIELDS(#CUSTNO) REPORT_NUM(2)",                            // 3
                 "DEF_LINE NAME(LINE1) FIELDS(#CUSTNAM) REPORT_NUM(2)",                           // 4
                 "DEF_LINE NAME(LINE2) FIELDS(#CREDIT) REPORT_NUM(2)",                            // 5 never printed
                 "PRINT LINE(LINE1 NOLINE) REPORT_NUM(2)",                                        // 6
                 "SPACE LINES(2) REPORT_NUM(3)",    // 7 report 3 undefined
                 "SKIP TO_LINE(99) REPORT_NUM(2)",  // 8 past the page
                 "PRINT REPORT_NUM(12)",            // 9
                 "ENDPRINT REPORT_NUM(2)",          // 10
                 "RETURN"});
    prepare("TSTPRC", "REPS");
    g_layouts = 0;
    P3100_SetLayoutCalls(nullptr, CountingLayout);
    run();
    P3100_SetLayoutCalls(nullptr, nullptr);
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC0137 NOLINE"});
    EXPECT_EQ(OnLine(all, 8), Lines{"PRC0298 TO_LINE(99)"});
    EXPECT_EQ(OnLine(all, 9), Lines{"PRC0297 REPORT_NUM(12)"});
    EXPECT_EQ(g_layouts, 3) << "one layout per report line, in pass 2";
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC0047 laid out"});
    std::vector<Message> unused = withId("PRC0140");
    ASSERT_EQ(unused.size(), 1u);
    EXPECT_EQ(unused[0].data, "LINE2");
    std::vector<Message> undefined = withId("PRC0142");
    ASSERT_EQ(undefined.size(), 1u);
    EXPECT_EQ(undefined[0].data, "3");

    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_DRINF, "0002", r));
    const auto* d = reinterpret_cast<const WR_DRINF_DATA*>(r.acData);
    EXPECT_EQ(d->cState, 'P');
    EXPECT_EQ(std::string(d->acPrintFile, 10), "MYPRT     ");
    EXPECT_EQ(std::string(d->acLibrary, 10), "MYLIB     ");
    EXPECT_EQ(d->sPageLength, 72);
    EXPECT_EQ(d->sPageWidth, 132);
    EXPECT_EQ(d->sOverflow, 66);
    EXPECT_EQ(d->sLastLine, 63);
    EXPECT_FALSE(record(WR_DRINF, "0001", r)) << "an unused report leaves no record";
}

}  // namespace

namespace {

TEST_F(CheckJob, KeepCommandsBelongToTheirLoop)
{
    addFunction("TSTPRC", "KEEPS",
                {"FUNCTION OPTIONS(*DIRECT)",                                   // 1
                 "DEFINE FIELD(#TOT) TYPE(*DEC) LENGTH(13) DECIMALS(2)",        // 2
                 "KEEP_TOTAL OF_FIELD(#CREDIT) IN_FIELD(#TOT)",                 // 3 no loop
                 "SELECT FIELDS(#CUSTNO #CREDIT #CUSTNAM) FROM_FILE(CUSTMST)",  // 4
                 "KEEP_TOTAL OF_FIELD(#CREDIT) IN_FIELD(#TOT)",                 // 5
                 "KEEP_AVG OF_FIELD(#CUSTNAM) IN_FIELD(#TOT)",                  // 6 not numeric
                 "KEEP_COUNT OF_FIELD(#CUSTNO) IN_FIELD(#CUSTNAM)",             // 7 result alphanumeric
                 "ENDSELECT",                                                   // 8
                 "RETURN"});
    prepare("TSTPRC", "KEEPS");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC0146 KEEP_TOTAL"});
    EXPECT_TRUE(OnLine(all, 5).empty());
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC0147 #CUSTNAM"});
    EXPECT_EQ(OnLine(all, 7), Lines{"PRC0148 #CUSTNAM"});
    // Three KEEP_ records under the SELECT of line 4, in source order.
    FFC_WORK_RECORD r;
    std::memset(&r, ' ', sizeof r);
    int32_t line = 4;
    int16_t sub = 0;
    std::memcpy(r.acKind, &line, 4);
    std::memcpy(r.acKind + 4, &sub, 2);
    std::memcpy(r.acName, "KEEP_", 5);
    std::vector<int32_t> lines;
    for (char rc = WF_cReadFirst(&ctx, 12, &r, 2); rc == '0'; rc = WF_cReadNext(&ctx, 12, &r, 2)) {
        WR_KEEP_DATA d;
        std::memcpy(&d, r.acData, sizeof d);
        lines.push_back(d.lLine);
        EXPECT_EQ(d.sSubLine, 0);
    }
    EXPECT_EQ(lines, (std::vector<int32_t>{5, 6, 7}));
}

}  // namespace

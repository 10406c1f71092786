// The layouts that the caller's system definition chooses: the mirrored
// (system flag 28), single-page (33) and frameless (45) layouts and the
// double-byte adjustment of texts, each produced by a job on a DEMOSCR
// sample function run as the dqov tool runs it (its system definition, the
// run driver, the library's steps), with the layout records the job left,
// compared with records worked out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/sample_env.h"
#include "runcontrol/tools_job.h"

namespace {

std::vector<FFC_WORK_RECORD> g_records;

// The layout records and the SYSFLAGS record as the pass leaves them.
int32_t KeepRecords(FFC_CONTEXT* ctx, FFC_CHECK_STATE*, void*)
{
    g_records.clear();
    for (const char* kind : {"POP_UP    ", "PRTFLD    ", "PRTFMT    ", "RCDFLD    ", "RCDFMT    ", "SYSFLAGS  "}) {
        FFC_WORK_RECORD r;
        WF_BlankRecord(ctx, &r);
        std::memcpy(r.acKind, kind, 10);
        for (char rc = WF_cReadFirst(ctx, 8, &r, 1); rc == '0'; rc = WF_cReadNext(ctx, 8, &r, 1))
            g_records.push_back(r);
    }
    return 0;
}

class SwitchJob : public ::testing::Test {
protected:
    SampleEnv env;
    FFC_SYSTEM_DEFINITION sys{};
    std::string output;
    int32_t result = 0, errors = 0, warnings = 0;

    void SetUp() override
    {
        ASSERT_TRUE(env.connect());
        FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
    }
    void TearDown() override
    {
        P31O2_SetRunSeams(nullptr);
        SSNLS_SetCodePage(1252);
    }

    // dqov --system-flag N
    void flag(int n) { sys.acSystemFlags[n - 1] = 'Y'; }
    // dqov --double-byte 932
    void doubleByte()
    {
        SSNLS_SetCodePage(932);
        sys.lDoubleByte = 1;
    }

    void run(const char* function)
    {
        g_records.clear();
        errors = warnings = 0;
        FFC_RUN_SEAMS seams;
        P31O2_LibraryRunSeams(&seams);
        seams.pfnPassRelease = KeepRecords;
        P31O2_SetRunSeams(&seams);
        output = RunToolsJob(sys, "DEMOSCR", function, 'C', errors, warnings, result);
    }

    static std::vector<FFC_WORK_RECORD> records(const char* kind, const std::string& name = {})
    {
        std::vector<FFC_WORK_RECORD> out;
        for (const FFC_WORK_RECORD& r : g_records)
            if (std::string(r.acKind, 10).compare(0, std::strlen(kind), kind) == 0 &&
                (name.empty() || std::string(r.acName, name.size()) == name))
                out.push_back(r);
        return out;
    }
    static LAYOUT_FIELD_ENTRY entry(const FFC_WORK_RECORD& r)
    {
        LAYOUT_FIELD_ENTRY e;
        std::memcpy(&e, r.acData, sizeof e);
        return e;
    }
    static RCDFMT_DATA format(const FFC_WORK_RECORD& r)
    {
        RCDFMT_DATA f;
        std::memcpy(&f, r.acData, sizeof f);
        return f;
    }
    // (line, column, width) of each field record of a kind and format.
    static std::vector<std::vector<int32_t>> places(const char* kind, const std::string& format)
    {
        std::vector<std::vector<int32_t>> out;
        for (const FFC_WORK_RECORD& r : records(kind, format)) {
            const LAYOUT_FIELD_ENTRY e = entry(r);
            out.push_back({e.lLine, e.lColumn, e.lWidth});
        }
        return out;
    }
    bool said(const std::string& line) const { return output.find(line) != std::string::npos; }
};

using Places = std::vector<std::vector<int32_t>>;

// The unmirrored layouts (checked field by field in layout_job_test):
// ORDACR's three headed fields on line 4 at columns 2, 23 and 29 (widths
// 20, 5, 5); ORDRPT's heading at column 2 (width 10), its ACROSS line at
// columns 2 and 13 (10, 5), its DOWN line on lines 1 and 2 at column 2 (26
// and 21 with the labels). Mirrored, a column becomes page width + 2 -
// column - entry width: 80 on the screen, 132 (FORMSIZE) in the report.
TEST_F(SwitchJob, MirroredLayoutCountsColumnsFromTheRight)
{
    run("ORDACR");
    ASSERT_EQ(places("RCDFLD", "R@F00001"), (Places{{4, 2, 20}, {4, 23, 5}, {4, 29, 5}}));
    flag(28);
    run("ORDACR");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{4, 60, 20}, {4, 54, 5}, {4, 48, 5}}));
    const auto flags = records("SYSFLAGS");
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].acData[27], 'Y') << "flag 28 as the system definition gives it";
    EXPECT_EQ(flags[0].acData[32], 'N');
    EXPECT_EQ(flags[0].acData[44], 'N');

    run("ORDRPT");
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(places("PRTFLD", "R@F00001"), (Places{{1, 122, 10}}));
    EXPECT_EQ(places("PRTFLD", "R@F00002"), (Places{{1, 122, 10}, {1, 116, 5}}));
    EXPECT_EQ(places("PRTFLD", "R@F00003"), (Places{{1, 106, 26}, {2, 111, 21}}));
}

// ORDWIDE: the order reference (label 15 + 1 + value 10 = 26) on line 2 of
// the usable area (screen line 4, two title lines above it), then DOWN the
// 70-character note with its label, 86 columns: wider than the line. It
// wraps with the warning PRC0081; under the single-page flag it is refused
// with PRC0241, the layout stops with PRC0084, and only the reference is
// written.
TEST_F(SwitchJob, SinglePageRefusesAFieldWiderThanItsLine)
{
    run("ORDWIDE");
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 1);
    EXPECT_TRUE(said("PRC0081 W Line 1 DISPLAY")) << output;
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{4, 2, 26}, {5, 2, 86}}));

    flag(33);
    run("ORDWIDE");
    EXPECT_EQ(errors, 2);
    EXPECT_TRUE(said("PRC0241 F Line 1 DISPLAY: Field ORDLONG")) << output;
    EXPECT_TRUE(said("PRC0084 F Line 1 DISPLAY")) << output;
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{4, 2, 26}}));
    const auto formats = records("RCDFMT", "DISPLAY");
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(format(formats[0]).lEntries, 1);
}

// ORDEDG: a pop-up at line 1, column 1, 40 wide and 10 high. Framed it
// needs a line and two columns of border before it: PRC0188 and no format.
// Without frame it fits: first usable line 2 (a title line), last usable
// line 8, both function-key lines 9 and the message line 10 (a process of
// no menu style); its two fields ACROSS on the window's line 3 behind their
// labels (the widest label, 9 and 8 wide).
TEST_F(SwitchJob, FramelessPopUpFitsAtTheScreensCorner)
{
    run("ORDEDG");
    EXPECT_EQ(errors, 2);
    EXPECT_TRUE(said("PRC0188 F Line 1 POP_UP")) << output;
    EXPECT_TRUE(records("RCDFMT").empty());

    flag(45);
    run("ORDEDG");
    EXPECT_EQ(errors, 0);
    const auto popUps = records("POP_UP");
    ASSERT_EQ(popUps.size(), 1u);
    POP_UP_DATA p;
    std::memcpy(&p, popUps[0].acData, sizeof p);
    EXPECT_EQ((std::vector<int32_t>{p.lLine, p.lColumn, p.lWidth, p.lHeight}), (std::vector<int32_t>{1, 1, 40, 10}));
    EXPECT_EQ((std::vector<int32_t>{p.lKeyLine2, p.lKeyLine1, p.lMessageLine, p.lFirstUsable, p.lLastUsable}),
              (std::vector<int32_t>{9, 9, 10, 2, 8}));
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{3, 2, 20}, {3, 23, 14}}));
    const auto formats = records("RCDFMT", "POP_UP");
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(format(formats[0]).lFirstLine, 3);
}

// ORDDWN: the main record's two fields on usable lines 2 and 3 (screen
// lines 4 and 5); the browse list's single heading line. Framed, its
// control line leaves one line free below the main record (usable line 5,
// screen line 7) and the list line follows (screen line 8); without frame
// no line is left free: screen lines 6 and 7.
TEST_F(SwitchJob, FramelessBrowseListLeavesNoSpacingLine)
{
    run("ORDDWN");
    ASSERT_EQ(records("RCDFMT", "REQUEST").size(), 2u);
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{4, 2, 26}, {5, 2, 36}, {7, 2, 20}, {7, 23, 5}, {7, 29, 5}}));
    EXPECT_EQ(places("RCDFLD", "R@F00002"), (Places{{8, 2, 20}, {8, 23, 5}, {8, 29, 5}}));
    flag(45);
    run("ORDDWN");
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{4, 2, 26}, {5, 2, 36}, {6, 2, 20}, {6, 23, 5}, {6, 29, 5}}));
    EXPECT_EQ(places("RCDFLD", "R@F00002"), (Places{{7, 2, 20}, {7, 23, 5}, {7, 29, 5}}));
    const auto formats = records("RCDFMT", "REQUEST");
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(format(formats[0]).lLastLine, 6);
    EXPECT_EQ(format(formats[1]).lFirstLine, 7);
}

// ORDDBC: ORDKANJ's label and description are 4 Shift-JIS characters (8
// bytes), its heading 2 (4 bytes); the stored text "受注 list" (4 bytes
// and 5). In a double-byte run (code page 932) every text is put in its
// shift form, a shift-out byte before each double-byte run and a shift-in
// byte after it, and a free text counts its host length, 2 more per run.
TEST_F(SwitchJob, DoubleByteTextsAreShiftedAndCountedInHostLength)
{
    const std::string so(1, '\x0E'), si(1, '\x0F');
    const std::string label = "\x8E\xF3\x92\x8D\x94\xD4\x8D\x86", heading = "\x8E\xF3\x92\x8D";
    const std::string text = heading + " list";

    run("ORDDBC");
    ASSERT_EQ(records("RCDFLD", "R@F00001").size(), 3u);
    LAYOUT_FIELD_ENTRY t = entry(records("RCDFLD", "R@F00001").at(0));
    EXPECT_EQ(t.lLength, 9);
    EXPECT_EQ(std::string(t.acEditMask, 9), text);
    LAYOUT_FIELD_ENTRY k = entry(records("RCDFLD", "R@F00001").at(1));
    EXPECT_EQ(std::string(k.acLabel, 15), label + std::string(7, ' '));
    EXPECT_EQ(k.lHeadingWidth, 4);
    // The text on line 5 from column 10 ends its attribute at 19: the order
    // reference, laid out DOWN below ORDKANJ, is pushed right to column 20.
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{5, 10, 9}, {4, 2, 26}, {5, 20, 26}}));

    doubleByte();
    run("ORDDBC");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(errors, 0);
    const auto fields = records("RCDFLD", "R@F00001");
    ASSERT_EQ(fields.size(), 3u);
    t = entry(fields[0]);
    EXPECT_EQ(std::string(t.acName, 10), "TEXT000001");
    EXPECT_EQ(t.lLength, 11);
    EXPECT_EQ(t.lValueWidth, 11);
    EXPECT_EQ(std::string(t.acEditMask, 12), so + heading + si + " list ");
    EXPECT_EQ(std::string(t.acDisplayText, 10), text + " ") << "the text as stored, before the adjustment";
    k = entry(fields[1]);
    EXPECT_EQ(std::string(k.acLabel, 15), so + label + si + std::string(5, ' '));
    EXPECT_EQ(std::string(k.acHeadings[2], 20), so + heading + si + std::string(14, ' '));
    EXPECT_EQ(k.asHeadingWidths[2], 6);
    EXPECT_EQ(k.lHeadingWidth, 6);
    // dot leaders from position 10 of the 8-byte description, then shifted
    // once: 15 dots on the even positions 12 to 40
    std::string description = so + label + si;
    for (int position = 11; position <= 40; ++position)
        description += position % 2 == 0 ? '.' : ' ';
    EXPECT_EQ(std::string(k.acDescription, 40), description);
    EXPECT_EQ(k.lDescriptionWidth, 16) << "the widest, \"Order reference\" (15), made even";
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{5, 10, 11}, {4, 2, 26}, {5, 22, 26}}));
}

// A function's own options set flags of their own: *QUINTARO_EDITION does
// not reach flag 28, so the layout stays unmirrored.
TEST_F(SwitchJob, FunctionOptionsLeaveTheMirrorFlagAlone)
{
    ASSERT_TRUE(env.execOutside(
        "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES ('DEM', 'DEMOSCR', 'ORDOPT', '', "
        "'N', 'Y');"
        "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCCMD, SRCPRM) VALUES "
        "('DEM', 'DEMOSCR', 'ORDOPT', 1, 'FUNCTION', 'OPTIONS(*QUINTARO_EDITION)'),"
        "('DEM', 'DEMOSCR', 'ORDOPT', 2, 'DISPLAY', 'FIELDS(#ORDREF #ORDCODE #ORDQTY) DESIGN(*ACROSS) "
        "IDENTIFY(*COLHDG)'),"
        "('DEM', 'DEMOSCR', 'ORDOPT', 3, 'RETURN', '');"));
    run("ORDOPT");
    EXPECT_EQ(errors, 0) << output;
    EXPECT_EQ(places("RCDFLD", "R@F00001"), (Places{{4, 2, 20}, {4, 23, 5}, {4, 29, 5}}));
    const auto flags = records("SYSFLAGS");
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].acData[27], 'N');
}

// The screen-line switches of the system definition: the first 'Y' and the
// second not make a screen of 23 lines, on which a pop-up ending on line
// 24 does not fit; both 'Y' (or neither) keep 24.
TEST_F(SwitchJob, ScreenLineSwitchesBoundPopUps)
{
    ASSERT_TRUE(env.execOutside(
        "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES ('DEM', 'DEMOSCR', 'ORDLOW', '', "
        "'N', 'Y');"
        "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCCMD, SRCPRM) VALUES "
        "('DEM', 'DEMOSCR', 'ORDLOW', 1, 'POP_UP', 'FIELDS(#ORDREF) PANEL_ID(*NONE) AT_LOC(14 10) DIMENSIONS(40 10)'),"
        "('DEM', 'DEMOSCR', 'ORDLOW', 2, 'RETURN', '');"));
    std::memcpy(sys.acScreenFlags, "YN", 2);
    run("ORDLOW");
    EXPECT_TRUE(said("PRC0188 F Line 1 POP_UP")) << output;
    std::memcpy(sys.acScreenFlags, "YY", 2);
    run("ORDLOW");
    EXPECT_EQ(errors, 0) << output;
    EXPECT_EQ(records("RCDFMT", "POP_UP").size(), 1u);
}

}  // namespace

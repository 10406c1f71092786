// Whole checks of small functions: source loading, both passes, dispatch
// and the final rules, with expectations written from the command rules.
#include "checker_fixture.h"
#include "params/cmdparm.h"
#include "platform/dqoz/dqoz.h"

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

using checker_test::CheckJob;
using checker_test::Message;

namespace {

std::vector<std::pair<int, int>> ReadOrder(FFC_CONTEXT* ctx)
{
    std::vector<std::pair<int, int>> order;
    auto r = std::make_unique<FFC_SOURCE_COMMAND>();
    r->sLine = 0;
    r->sSubLine = 0;
    while (PCONTROL_chReadNextCommand(ctx, r.get()) == '0')
        order.emplace_back(r->sLine, r->sSubLine);
    return order;
}

TEST_F(CheckJob, IncludeExpandsBetweenItsLineAndTheNext)
{
    std::vector<std::string> lines(13, "RETURN");
    lines[0] = "FUNCTION OPTIONS(*DIRECT)";
    lines[11] = "INCLUDE PROCESS(*DIRECT) FUNCTION(INCFOUR)";
    addFunction("TSTPRC", "MAINF", lines);
    addFunction("TSTPRC", "INCFOUR", {"RETURN", "RETURN", "RETURN", "RETURN"});
    prepare("TSTPRC", "MAINF");
    run();
    EXPECT_EQ(status, 17);
    std::vector<std::pair<int, int>> order = ReadOrder(&ctx);
    ASSERT_EQ(order.size(), 17u);
    std::vector<std::pair<int, int>> around(order.begin() + 11, order.begin() + 17);
    std::vector<std::pair<int, int>> expected = {{12, 0}, {12, 1}, {12, 2}, {12, 3}, {12, 4}, {13, 0}};
    EXPECT_EQ(around, expected);
    EXPECT_TRUE(withId("PRC0377").empty());
}

// The parts an INCLUDE adds to its line are read in every check of the
// process, before and after checks of functions whose lines have one part.
TEST_F(CheckJob, PartsOfALineAreReadInEveryCheckOfTheRun)
{
    const std::vector<std::pair<int, int>> plain = {{1, 0}, {2, 0}, {3, 0}};
    addFunction("TSTPRC", "PLAIN", {"FUNCTION OPTIONS(*DIRECT)", "RETURN", "RETURN"});
    addFunction("TSTPRC", "INCTWO", {"RETURN", "RETURN"});
    addFunction("TSTPRC", "WITHINC",
                {"FUNCTION OPTIONS(*DIRECT)", "INCLUDE PROCESS(*DIRECT) FUNCTION(INCTWO)", "RETURN"});
    prepare("TSTPRC", "PLAIN");
    run();
    EXPECT_EQ(ReadOrder(&ctx), plain);
    prepare("TSTPRC", "WITHINC");
    run();
    const std::vector<std::pair<int, int>> included = {{1, 0}, {2, 0}, {2, 1}, {2, 2}, {3, 0}};
    EXPECT_EQ(ReadOrder(&ctx), included);
    EXPECT_TRUE(withId("PRC0377").empty());
    prepare("TSTPRC", "PLAIN");
    run();
    EXPECT_EQ(ReadOrder(&ctx), plain);
}

TEST_F(CheckJob, IncludeOfAMissingFunctionStaysAndIsReported)
{
    addFunction("TSTPRC", "MISSINC", {"INCLUDE PROCESS(*DIRECT) FUNCTION(NOSUCH)", "RETURN"});
    prepare("TSTPRC", "MISSINC");
    run();
    EXPECT_EQ(status, 2);
    std::vector<Message> m = withId("PRC0377");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].line, 1u);
    EXPECT_EQ(m[0].data, "NOSUCH");
}

struct RunEnded {
    unsigned long action, result;
};

TEST_F(CheckJob, DirectIncludeLookupFailureEndsTheRun)
{
    // The owner of an INCLUDE'd function is looked up when the process is
    // given as *DIRECT; a repository failure other than "no such function"
    // ends the run through the fatal SQL path, with location and reason.
    addFunction("TSTPRC", "BOOMF", {"INCLUDE PROCESS(*DIRECT) FUNCTION(BOOM)", "RETURN"});
    addFunction("TSTPRC", "BOOM", {"RETURN"});
    exec("ALTER TABLE QV_F23 RENAME TO QV_F23_T;"
         "CREATE VIEW QV_F23 AS SELECT X23P_I, CASE WHEN X23FMT = 'BOOM' THEN abs(-9223372036854775808) "
         "ELSE X23MOD END AS X23MOD, X23FMT, X23SP1, X23SQL, X23APM FROM QV_F23_T");
    prepare("TSTPRC", "BOOMF");
    DQOZ_EXIT_HOOK previous = DosSetExitHook([](unsigned long a, unsigned long r) { throw RunEnded{a, r}; });
    bool ended = false;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    try {
        P3100_RunChecker(&ctx, &state, nullptr, nullptr, functionKind, &switch6, optionFlags, &switch8, &switch9, "   ",
                         "DC_P3100  ", &status, "/tmp/", nullptr, nullptr, 1, &html, &xml, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
    } catch (const RunEnded& e) {
        ended = true;
        EXPECT_EQ(e.action, 1u);
    }
    const std::string shown = ::testing::internal::GetCapturedStderr();
    ::testing::internal::GetCapturedStdout();
    DosSetExitHook(previous);
    DQOO_FCC_EndChecking();
    EXPECT_TRUE(ended);
    EXPECT_NE(shown.find("FFC_Fatal_Error: SQL Error at location PCONTROL/QV_F23. integer overflow. "),
              std::string::npos)
        << shown;
}

// Every read of a command tells by its name whether it is a component
// command (with the parser's code) or an INCLUDE, whichever names came
// before it and however often the source is read.
TEST_F(CheckJob, ReaderTellsComponentCommandsAndIncludesByName)
{
    addFunction("TSTPRC", "INCTWO", {"RETURN", "RETURN"});
    addFunction("TSTPRC", "NAMES",
                {"FUNCTION OPTIONS(*DIRECT)", "SET COM(#X) VALUE(1)", "INCLUDE PROCESS(*DIRECT) FUNCTION(INCTWO)",
                 "CHANGE FIELD(#A) TO(1)", "FOR EACH(#X) IN(#Y)", "SET COM(#X) VALUE(2)", "RETURN"});
    prepare("TSTPRC", "NAMES");
    run();
    // name, component command, its code, INCLUDE
    using Read = std::tuple<std::string, int32_t, uint16_t, int32_t>;
    const std::vector<Read> expected = {
        {"FUNCTION  ", 0, 0, 0},   {"SET       ", 1, 105, 0}, {"INCLUDE   ", 0, 0, 1},
        {"RETURN    ", 0, 0, 0},   {"RETURN    ", 0, 0, 0},   {"CHANGE    ", 0, 0, 0},
        {"FOR       ", 1, 115, 0}, {"SET       ", 1, 105, 0}, {"RETURN    ", 0, 0, 0},
    };
    for (int reading = 1; reading <= 2; ++reading) {
        auto r = std::make_unique<FFC_SOURCE_COMMAND>();
        r->sLine = 0;
        r->sSubLine = 0;
        std::vector<Read> reads;
        while (PCONTROL_chReadNextCommand(&ctx, r.get()) == '0')
            reads.emplace_back(std::string(r->acName, 10), r->lBuiltIn, r->lBuiltIn ? r->usCommandCode : 0,
                               r->lObjectLayerParse);
        EXPECT_EQ(reads, expected) << "reading " << reading;
    }
}

TEST_F(CheckJob, SingleComponentSourceComesFromTheObjectServer)
{
    // Without a build-start value (not a compound component) the lines are
    // restored by the object server, which needs no build of the object.
    prepare("TSTPRC", "NONE");
    P3100_SetBuildHandle(nullptr);
    ctx.lFunctionRun = 0;
    ctx.lBuildStartValue = 0;
    std::memcpy(ctx.acComponent, "DEMOCOMP  ", 10);
    std::vector<char> buffer(11000), small(256);
    uint16_t count = 0;
    ASSERT_EQ(PCONTROL_sLoadSource(&ctx, nullptr, &count, "/tmp/", nullptr, ctx.acComponent, nullptr, nullptr,
                                   buffer.data(), small.data(), "DC_P3100  ", nullptr, 0, nullptr),
              0);
    EXPECT_EQ(count, 13);
    EXPECT_EQ(ctx.ulSourceLineCount, 13u);
    auto r = std::make_unique<FFC_SOURCE_COMMAND>();
    r->sLine = 0;
    std::vector<std::string> names;
    std::string labelOfLine10;
    while (PCONTROL_chReadNextCommand(&ctx, r.get()) == '0') {
        names.push_back(std::string(r->acName, 10));
        if (r->sLine == 10)
            labelOfLine10 = std::string(r->acLabel, 3);
    }
    ASSERT_EQ(names.size(), 13u);
    EXPECT_EQ(labelOfLine10, "L1 ") << "line 10 is read and keeps its label";
    EXPECT_EQ(names[0], "BEGIN_COM ");
    EXPECT_EQ(names[9], "CHANGE    ");
    EXPECT_EQ(names[12], "END_COM   ");
}

TEST_F(CheckJob, LongParameterCutAndBlankLineNamed)
{
    std::string longText = "FIELD(#A) TO('" + std::string(12000 - 16, 'x') + "')";
    ASSERT_EQ(longText.size(), 12000u);
    addFunction("TSTPRC", "LONGF", {"CHANGE " + longText, "", "RETURN"});
    prepare("TSTPRC", "LONGF");
    run();
    auto r = std::make_unique<FFC_SOURCE_COMMAND>();
    r->sLine = 1;
    r->sSubLine = 0;
    ASSERT_EQ(RS_fFindSourceRecord(&ctx, r.get(), sizeof *r), 0);
    EXPECT_EQ(r->usParmLength, 11000);
    EXPECT_EQ(std::string(r->acParameters, 14), "FIELD(#A) TO('");
    r->sLine = 2;
    ASSERT_EQ(RS_fFindSourceRecord(&ctx, r.get(), sizeof *r), 0);
    EXPECT_EQ(std::string(r->acName, 10), "**********");
    EXPECT_EQ(storedStatus(2), "OK ");
}

TEST_F(CheckJob, ReaderKeepsTheBufferBlankPastEachText)
{
    const std::string longText = "FIELD(#A) TO('" + std::string(300, 'x') + "')";
    addFunction("TSTPRC", "SHRINK", {"CHANGE " + longText, "CHANGE FIELD(#A) TO(1)", "", "RETURN"});
    prepare("TSTPRC", "SHRINK");
    run();
    auto r = std::make_unique<FFC_SOURCE_COMMAND>();
    std::memset(r->acParameters, ' ', sizeof r->acParameters);
    std::vector<std::string> texts;
    while (PCONTROL_chReadNextCommand(&ctx, r.get()) == '0') {
        texts.emplace_back(r->acParameters, r->usParmLength);
        const std::string rest(r->acParameters + r->usParmLength, sizeof r->acParameters - r->usParmLength);
        EXPECT_EQ(rest.find_first_not_of(' '), std::string::npos) << "line " << r->sLine;
    }
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], longText);
    EXPECT_EQ(texts[1], "FIELD(#A) TO(1)");
    EXPECT_EQ(texts[2], "");
}

TEST_F(CheckJob, UnknownCommandIsFatalAndStored)
{
    addFunction("TSTPRC", "UNKF", {"FUNCTION OPTIONS(*DIRECT)", "FROBNICATE VALUE(1)", "RETURN"});
    prepare("TSTPRC", "UNKF");
    run();
    std::vector<Message> m = withId("PRC1059");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].line, 2u);
    EXPECT_EQ(m[0].severity, 'F');
    EXPECT_EQ(m[0].data, "");
    EXPECT_EQ(storedStatus(2), "FTL");
    EXPECT_EQ(storedStatus(3), "OK ");
}

TEST_F(CheckJob, OpenIfNamesTheMissingEndIf)
{
    addFunction("TSTPRC", "OPENIF", {"FUNCTION OPTIONS(*DIRECT)", "IF COND('#A = B')", "RETURN"});
    prepare("TSTPRC", "OPENIF");
    run();
    std::vector<Message> m = withId("PRC0023");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].line, 2u);
    EXPECT_EQ(m[0].data, "ENDIF     IF");
    EXPECT_EQ(storedStatus(2), "FTL");
}

TEST_F(CheckJob, CloserWithoutOpenerAndMiddlePartOutside)
{
    addFunction("TSTPRC", "BADNEST",
                {"FUNCTION OPTIONS(*DIRECT)", "ENDWHILE", "ELSE", "IF COND('#A = B')", "ELSE", "ELSE", "ENDIF"});
    prepare("TSTPRC", "BADNEST");
    run();
    std::vector<Message> closer = withId("PRC0023");
    ASSERT_EQ(closer.size(), 1u);
    EXPECT_EQ(closer[0].line, 2u);
    EXPECT_EQ(closer[0].data, "ENDWHILE  DOWHILE");
    std::vector<Message> middle = withId("PRC0044");
    ASSERT_EQ(middle.size(), 1u);
    EXPECT_EQ(middle[0].line, 3u);
    EXPECT_EQ(middle[0].data, "IF        ELSE");
    std::vector<Message> second = withId("PRC0165");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].line, 6u);
}

TEST_F(CheckJob, NestingPastTheStackClosesWithoutMismatch)
{
    // 100 nested IF blocks: the hundredth opener finds no room (one
    // PRC1023), its ENDIF only lowers the depth, and the other 99 ENDIFs
    // each close their own IF, so no closer is reported as unmatched.
    std::vector<std::string> lines = {"FUNCTION OPTIONS(*DIRECT)"};
    for (int i = 0; i < 100; ++i)
        lines.push_back("IF COND('#A = B')");
    for (int i = 0; i < 100; ++i)
        lines.push_back("ENDIF");
    lines.push_back("RETURN");
    addFunction("TSTPRC", "DEEPIF", lines);
    prepare("TSTPRC", "DEEPIF");
    run();
    std::vector<Message> full = withId("PRC1023");
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].line, 101u);
    EXPECT_EQ(full[0].data, "Command Stack");
    EXPECT_TRUE(withId("PRC0023").empty());
    EXPECT_EQ(storedStatus(201), "OK ");
}

TEST_F(CheckJob, CommandCountLimit)
{
    std::vector<std::string> lines(5000, "RETURN");
    lines[0] = "FUNCTION OPTIONS(*DIRECT)";
    addFunction("TSTPRC", "FULL", lines);
    lines.push_back("RETURN");
    addFunction("TSTPRC", "OVERF", lines);
    prepare("TSTPRC", "FULL");
    run();
    EXPECT_TRUE(withId("DCM9898").empty());
    EXPECT_EQ(storedStatus(5000), "OK ");

    prepare("TSTPRC", "OVERF");
    run();
    std::vector<Message> m = withId("DCM9898");
    ASSERT_EQ(m.size(), 1u);  // one finding, though both passes stop at the limit
    EXPECT_EQ(m[0].data, "More than 5000 lines in program or function. Reduce the number of lines.");
    EXPECT_EQ(m[0].severity, 'F');
    EXPECT_EQ(storedStatus(5000), "OK ");
    EXPECT_EQ(storedStatus(5001), "none");
}

// A structure whose closer lies past the limit is not reported as left
// open: the source was not read to its end.
TEST_F(CheckJob, AStructureCutByTheLimitIsNotReportedOpen)
{
    std::vector<std::string> lines(5003, "RETURN");
    lines[0] = "FUNCTION OPTIONS(*DIRECT)";
    lines[4996] = "IF COND('#CREDIT > 0')";  // line 4997
    lines[5001] = "ENDIF";                   // line 5002
    addFunction("TSTPRC", "CUTIF", lines);
    prepare("TSTPRC", "CUTIF");
    run();
    EXPECT_EQ(withId("DCM9898").size(), 1u);
    EXPECT_TRUE(withId("PRC0023").empty());
    EXPECT_EQ(storedStatus(4997), "OK ");
}

TEST_F(CheckJob, GenerateWithoutDirectInAProcessWithoutParameters)
{
    addFunction("TSTPRC", "NODIR", {"FUNCTION OPTIONS(*HEAVYUSAGE)", "RETURN"});
    addFunction("TSTPRC", "WITHDIR", {"FUNCTION OPTIONS(*DIRECT)", "RETURN"});
    prepare("TSTPRC", "NODIR", 'G');
    run();
    std::vector<Message> m = withId("PRC1017");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].severity, 'F');
    EXPECT_EQ(m[0].line, 0u);

    prepare("TSTPRC", "WITHDIR", 'G');
    run();
    EXPECT_TRUE(withId("PRC1017").empty());
    EXPECT_TRUE(withId("PRC0047").empty());
}

TEST_F(CheckJob, DirectCallRulesUseTheServicesMessages)
{
    // Generating, without *DIRECT, in a process that has parameters: the
    // services message 750 instead of PRC1017.
    addFunction("TSTPRC", "PARMF", {"FUNCTION OPTIONS(*HEAVYUSAGE)", "RETURN"});
    exec("INSERT INTO QV_F32 (X32P_I, X32MOD, X32SEQ, X32FLD) VALUES ('DEM', 'TSTPRC', 1, 'CUSTNO')");
    prepare("TSTPRC", "PARMF", 'G');
    run();
    EXPECT_TRUE(withId("PRC1017").empty());
    std::vector<Message> m = withId("PRC0047");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].severity, 'F');
    EXPECT_EQ(m[0].data, SMSG_pszGetMessage(750, 0));

    // Only checking, with the extended-language switch set: message 884.
    prepare("TSTPRC", "PARMF", 'C');
    ctx.lExtendedLanguage = 1;
    run();
    EXPECT_TRUE(withId("PRC1017").empty());
    m = withId("PRC0047");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].severity, 'F');
    EXPECT_EQ(m[0].data, SMSG_pszGetMessage(884, 0));

    // Neither without the switch.
    prepare("TSTPRC", "PARMF", 'C');
    run();
    EXPECT_TRUE(withId("PRC0047").empty());
}

TEST_F(CheckJob, UnknownFunctionOptionStopsTheCommand)
{
    addFunction("TSTPRC", "BADOPT", {"FUNCTION OPTIONS(*DIRECT *NOSUCHOPTION)", "RETURN"});
    prepare("TSTPRC", "BADOPT", 'G');
    run();
    std::vector<Message> m = withId("PRC0007");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].line, 1u);
    EXPECT_EQ(m[0].data, "FUNCTION");
    EXPECT_EQ(storedStatus(1), "FTL");
    // The preparation's own finding follows on the same line.
    size_t onLine1 = 0;
    for (const Message& x : messages())
        onLine1 += x.line == 1 && x.severity == 'F';
    EXPECT_GE(onLine1, 2u);
    // The handler never saw *DIRECT.
    EXPECT_EQ(withId("PRC1017").size(), 1u);
}

TEST_F(CheckJob, PassTwoSkipsACommandThatFailedInPassOne)
{
    // The GOTO's label is refused in pass 1; pass 2 would otherwise look the
    // label up and report it a second time.
    addFunction("TSTPRC", "BADGOTO", {"FUNCTION OPTIONS(*DIRECT)", "GOTO LABEL(A_B)", "GOTO LABEL(L99)", "RETURN"});
    prepare("TSTPRC", "BADGOTO");
    run();
    std::vector<Message> first = withId("PRC1036");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].line, 2u);
    std::vector<Message> second = withId("PRC0046");
    ASSERT_EQ(second.size(), 1u);  // only the GOTO that passed pass 1
    EXPECT_EQ(second[0].line, 3u);
    EXPECT_EQ(second[0].data, "L99");
}

TEST_F(CheckJob, PreparationFailureSkipsTheHandler)
{
    addFunction("TSTPRC", "PREPF", {"FUNCTION OPTIONS(*DIRECT)", "GOTO LABEL(L99)", "RETURN"});
    prepare("TSTPRC", "PREPF");
    P3100_SetPrepareCommand([](FFC_CONTEXT* c, FFC_PARSED_COMMAND* p, FFC_COMMAND_EXTENSION* x,
                               const FFC_SOURCE_COMMAND* s, char* b1, char* b2, const char* queue, const void* area,
                               uint16_t count, FFC_COMMAND_ENTRY* e) -> int16_t {
        if (std::memcmp(e->acName, "GOTO", 4) != 0)
            return CMDPARM_sPrepareCommand(c, p, x, s, b1, b2, queue, area, count, e);
        P9006_sQueueMessage(c, queue, "PRC0046", 3, "L99");
        return 1;
    });
    run();
    std::vector<Message> m = withId("PRC0007");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].data, "GOTO");
    std::vector<Message> replayed = withId("PRC0046");
    ASSERT_EQ(replayed.size(), 1u);  // the queued one; the handler never ran
    EXPECT_EQ(replayed[0].line, 2u);
    EXPECT_EQ(storedStatus(2), "FTL");
}

TEST_F(CheckJob, UnloadableSourceGivesStatusOnly)
{
    prepare("TSTPRC", "NOSRC");
    run();
    EXPECT_EQ(status, 65535);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(output.find("Pass 1"), std::string::npos);
}

TEST_F(CheckJob, ToolsModeBannerInOrder)
{
    prepare("DEMOPRC", "DEMOMIN");
    run();
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find("\r\n", at);
        if (end == std::string::npos)
            end = output.size();
        lines.push_back(output.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_GE(lines.size(), 6u);
    auto has = [&](size_t i, const std::string& text) { return lines[i].find(text) != std::string::npos; };
    EXPECT_TRUE(has(0, std::string(80, '_')));
    EXPECT_TRUE(has(1, "VELMO Full Function Checker (FFC) Invoked "));
    EXPECT_TRUE(has(3, "Started : "));
    EXPECT_TRUE(has(4, "Process : DEMOPRC Function : DEMOMIN"));
    EXPECT_TRUE(has(5, std::string(80, '_')));
    EXPECT_TRUE(has(6, "Pass 1 Validation Started"));
    EXPECT_NE(output.find("Pass 2 Validation Started"), std::string::npos);
    EXPECT_EQ(status, 2);
    std::vector<Message> totals = withId("PRC0010");
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(totals[0].data, "00000000000000");
}

TEST_F(CheckJob, TwoJobsShareTheLookupAndKeywordArea)
{
    // Every function is stored before the first job holds the repository.
    addFunction("TSTPRC", "SECOND",
                {"FUNCTION OPTIONS(*DIRECT)", "IF COND('#A = B')", "ENDIF", "EXECUTE SUBROUTINE(SUB1)", "RETURN",
                 "SUBROUTINE NAME(SUB1)", "ENDROUTINE", "SUBROUTINE NAME(SUB2)", "ENDROUTINE"});
    prepare("DEMOPRC", "DEMOMIN");
    run();
    FFC_COMMAND_LOOKUP* lookup = P3100_pCommandLookup();
    uint16_t count1 = 0;
    void* area1 = P3100_pKeywordArea(&count1);
    char endif[10] = {'E', 'N', 'D', 'I', 'F', ' ', ' ', ' ', ' ', ' '};
    char subr[10] = {'S', 'U', 'B', 'R', 'O', 'U', 'T', 'I', 'N', 'E'};
    prepare("TSTPRC", "SECOND");
    run();
    EXPECT_EQ(P3100_pCommandLookup(), lookup);
    EXPECT_EQ(ctx.pCommandLookup, lookup);
    uint16_t count2 = 0;
    EXPECT_EQ(P3100_pKeywordArea(&count2), area1);
    EXPECT_EQ(count2, count1);
    EXPECT_EQ(P3100_ulStructureRows(), 123u);
    EXPECT_EQ(P3100_pFindCommand(endif)->pfnCheck, P3100_CheckEndIf);
    EXPECT_EQ(P3100_pFindCommand(subr)->pfnCheck, nullptr);
    EXPECT_TRUE(withId("PRC0122").empty());
    EXPECT_TRUE(withId("PRC0023").empty());
    EXPECT_EQ(storedStatus(7), "OK ");
    // the shared area holds the entries as the loader writes them, and no more
    std::vector<char> fresh(CMDPARM_KEYWORD_AREA_SIZE, ' ');
    uint16_t freshCount = 0;
    ASSERT_EQ(CMDPARM_sLoadKeywordTables(fresh.data(), &freshCount), 0);
    ASSERT_EQ(freshCount, count1);
    ASSERT_GT(count1, 0);
    EXPECT_EQ(std::memcmp(fresh.data(), area1, count1 * sizeof(CMDPARM_KEYWORD_ENTRY)), 0);
}

}  // namespace

namespace {

TEST_F(CheckJob, DesignOnlyScopeReadsDeclarativeCommandsOnly)
{
    addFunction("TSTPRC", "DESIGN",
                {"FUNCTION OPTIONS(*DIRECT)", "IF COND('#A = B')", "DEFINE FIELD(#NEWFLD) TYPE(*CHAR) LENGTH(2)",
                 "FROBNICATE VALUE(1)", "RETURN"});
    prepare("TSTPRC", "DESIGN");
    std::memcpy(state.acScope, "X3", 2);
    run();
    // The IF, the unknown command and RETURN are never read.
    EXPECT_TRUE(withId("PRC0023").empty());
    EXPECT_TRUE(withId("PRC1059").empty());
    EXPECT_EQ(storedStatus(2), "none");
    EXPECT_EQ(storedStatus(3), "OK ");
    EXPECT_EQ(storedStatus(5), "none");
}

TEST_F(CheckJob, UserScreenCommandsReachNoHandler)
{
    addFunction("TSTPRC", "USCREEN", {"FUNCTION OPTIONS(*DIRECT)", "UDISPLAY FIELDS(#CUSTNO)", "RETURN"});
    prepare("TSTPRC", "USCREEN");
    run();
    EXPECT_TRUE(messages().size() == 1u && messages()[0].id == "PRC0010");
    EXPECT_EQ(storedStatus(2), "OK ");
    char name[10] = {'U', 'D', 'I', 'S', 'P', 'L', 'A', 'Y', ' ', ' '};
    EXPECT_EQ(P3100_pFindCommand(name)->pfnCheck, nullptr);
}

}  // namespace

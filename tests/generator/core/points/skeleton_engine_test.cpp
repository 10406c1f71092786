// The skeleton engine: the condition stack and its limits, the directive
// order, points inside text, the core's substitutions, and the point table.
#include "generator/core/gen_fixture.h"
#include "generator/core/points/skeleton_points.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

namespace gencore_test {
namespace {

class Skeleton : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
    /* Processes one main-skeleton line (read with its appended blank). */
    std::string run(const std::string& line)
    {
        P3109_SetSkeletonLine(line + " ");
        P3109_ProcessSkeletonLine();
        return P3109_SkeletonLineText();
    }
    char keep() const { return P3109_State().skel.cKeep; }
    int32_t depth() const { return P3109_State().skel.lDepth; }
};

TEST_F(Skeleton, HundredLevelsWorkAndTheHundredAndFirstIsFatal)
{
    for (int i = 0; i < 100; ++i)
        run("%%IF_FUNCTION");
    EXPECT_EQ(depth(), 100);
    EXPECT_EQ(P3109_lCurrentCondition(), 1);
    std::string err = expectFatal([&] { run("%%IF_FUNCTION"); });
    EXPECT_NE(err.find("Internal fatal error: iSkeletonCondition pushed above 100"), std::string::npos) << err;
    EXPECT_EQ(depth(), 100);
}

TEST_F(Skeleton, ElseAndEndifAtDepthZeroAreFatal)
{
    std::string err = expectFatal([&] { run("%%ELSE"); });
    EXPECT_NE(err.find("Internal fatal error: iSkeletonCondition 0 cannot be toggled"), std::string::npos) << err;
    err = expectFatal([&] { run("%%ENDIF"); });
    EXPECT_NE(err.find("Internal fatal error: iSkeletonCondition popped below 0"), std::string::npos) << err;
}

TEST_F(Skeleton, DirectiveLinesAreDroppedWithTheirText)
{
    run("%%IF_FUNCTION  trailing text");
    EXPECT_EQ(keep(), 'N');
    run("%%ELSE");
    EXPECT_EQ(P3109_lCurrentCondition(), 0);
    run("%%ENDIF");
    EXPECT_EQ(depth(), 0);
}

TEST_F(Skeleton, UsedInComponentIsNotTakenForUsed)
{
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    ctx.lZophxUsed = 0;
    run("%%IF_ZOPHX_IS_USED_IN_COMPONENT"); /* directive 4: false; directive 6 would be true */
    EXPECT_EQ(P3109_lCurrentCondition(), 0);
    run("%%ENDIF");
    run("%%IF_ZOPHX_IS_USED");
    EXPECT_EQ(P3109_lCurrentCondition(), 1);
}

TEST_F(Skeleton, NestedConditionInsideAFalseBranchStaysFalse)
{
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    run("%%IF_FUNCTION");
    run("%%IF_COMPONENT");
    EXPECT_EQ(P3109_lCurrentCondition(), 0);
    run("%%ELSE");
    EXPECT_EQ(P3109_lCurrentCondition(), 0);
    run("%%ENDIF");
    run("%%ELSE");
    EXPECT_EQ(P3109_lCurrentCondition(), 1);
}

/* Every condition directive over the runs that tell it apart: a function
   without and with the extended language, a component, and the member and
   home passes of a compound component (two passes: the first the member's,
   the last the home's). */
TEST_F(Skeleton, EveryConditionByTheKindOfRun)
{
    struct Run {
        const char* name;
        int32_t component, function, zophx, levelTwo, compound, pass, passes;
    };
    const Run runs[] = {
        {"function", 0, 1, 0, 0, 0, 1, 1},   {"zophx function", 0, 1, 1, 1, 0, 1, 1},
        {"component", 1, 0, 1, 0, 0, 1, 1},  {"member pass", 1, 0, 1, 0, 1, 1, 2},
        {"home pass", 1, 0, 1, 0, 1, 2, 2},
    };
    struct Directive {
        const char* text;
        int expected[5]; /* per run above */
    };
    const Directive directives[] = {
        {"%%IF_COMPONENT", {0, 0, 1, 1, 1}},
        {"%%IF_FUNCTION", {1, 1, 0, 0, 0}},
        {"%%IF_ZOPHX_IS_NOT_USED_IN_FUNCTION", {1, 0, 0, 0, 0}},
        {"%%IF_ZOPHX_IS_USED_IN_COMPONENT", {0, 0, 1, 1, 1}},
        {"%%IF_ZOPHX_IS_USED_IN_FUNCTION", {0, 1, 0, 0, 0}},
        {"%%IF_ZOPHX_IS_USED", {0, 1, 1, 1, 1}},
        {"%%IF_LANGUAGE_LEVEL_TWO", {0, 1, 0, 0, 0}},
        {"%%IF_ZOPHX_FUNCTION", {0, 1, 0, 0, 0}},
        {"%%IF_LANGUAGE_LEVEL_ONE", {1, 0, 1, 1, 1}},
        {"%%IF_ZOPHX_COMPOUND_COMPONENT_MEMBER", {0, 0, 0, 1, 0}},
        {"%%IF_NOT_ZOPHX_COMPOUND_COMPONENT_MEMBER", {1, 1, 1, 0, 1}},
        {"%%IF_ZOPHX_COMPOUND_COMPONENT_HOME", {0, 0, 0, 0, 1}},
        {"%%IF_NOT_ZOPHX_COMPOUND_COMPONENT_HOME", {1, 1, 1, 1, 0}},
        {"%%IF_ZOPHX_COMPOUND_COMPONENT", {0, 0, 0, 1, 1}},
        {"%%IF_NOT_ZOPHX_COMPOUND_COMPONENT", {1, 1, 1, 0, 0}},
    };
    for (size_t r = 0; r < std::size(runs); ++r) {
        const Run& run_ = runs[r];
        ctx.lComponentRun = run_.component;
        ctx.lFunctionRun = run_.function;
        ctx.lZophxUsed = run_.zophx;
        ctx.lLanguageLevelTwo = run_.levelTwo;
        ctx.lCompoundComponent = run_.compound;
        ctx.lCurrentPass = run_.pass;
        ctx.lPassCount = run_.passes;
        for (const Directive& d : directives) {
            run(d.text);
            EXPECT_EQ(P3109_lCurrentCondition(), d.expected[r]) << d.text << " in a " << run_.name;
            run("%%ENDIF");
        }
    }
}

TEST_F(Skeleton, DoublePercentIsKeptAsWritten)
{
    EXPECT_EQ(run("/* 100%% sure */"), "/* 100%% sure */ ");
    EXPECT_EQ(keep(), 'Y');
}

TEST_F(Skeleton, PointAtLineEndAndPointsInsideText)
{
    run("   %7"); /* the appended blank ends the directive: point 7 */
    EXPECT_EQ(keep(), 'N');
    EXPECT_EQ(P3109_State().skel.sPoint, 7);
    std::string line = run("printf(\"%5d\");"); /* a width in text is point 5 */
    EXPECT_EQ(P3109_State().skel.sPoint, 5);
    EXPECT_EQ(line, "printf(\"DEMOPRC");
}

TEST_F(Skeleton, NameSubstitutionsKeepTheColumnsAfterThem)
{
    EXPECT_EQ(run("#define F \"%2     \" /* x */"), "#define F \"DEMOMIN\" /* x */ ");
    EXPECT_EQ(run("#define P \"%5          \""), "#define P \"DEMOPRC     \" ");
    EXPECT_EQ(run("#include \"%63 .H\""), "#include \"DEMOMIN.H\"");
    EXPECT_EQ(run("LIBRARY \"%4.dll     "), "LIBRARY \"demomin.dll\"");
    EXPECT_EQ(run("#define ID \"%94\""), "#define ID \"dem\" ");
    EXPECT_EQ(run("#define T %65"), "#define T \"20261206143005\"");
}

TEST_F(Skeleton, AShorterLineKeepsNothingOfTheLinesBeforeIt)
{
    /* the name goes seven blanks and more past the directive: past the
       line's own end */
    EXPECT_EQ(run("X %2"), "X DEMOMIN");
    EXPECT_EQ(run("ab"), "ab ");
    P3109_SetSkeletonLine(std::string(5000, 'x'));
    P3109_SetSkeletonLine("c");
    EXPECT_EQ(P3109_SkeletonLineText(), "c");
    P3109_SetSkeletonLine("");
    EXPECT_EQ(P3109_SkeletonLineText(), "");
    /* a line longer than the buffer is cut to it, the last byte left NUL */
    P3109_SetSkeletonLine(std::string(GEN_LINE_BUFFER + 10, 'y'));
    EXPECT_EQ(P3109_SkeletonLineText(), std::string(GEN_LINE_BUFFER - 1, 'y'));
    EXPECT_EQ(run("d"), "d ");
}

TEST_F(Skeleton, NamesInsideLiteralsAreEscaped)
{
    P3109_State().process = "A\"B";
    EXPECT_EQ(run("#define P \"%5          \""), "#define P \"A\\x22\"\"B    \" ");
}

TEST_F(Skeleton, CursorCountPoint)
{
    run("   X_SHORT s = %46 ;");
    EXPECT_EQ(keep(), 'N');
    P3109_State().sSqlCursorCount = 3;
    EXPECT_EQ(run("   X_SHORT s = %46 ;"), "   X_SHORT s = 3   ; ");
    EXPECT_EQ(keep(), 'Y');
}

TEST_F(Skeleton, GuidPointsAreStablePerGeneration)
{
    std::string a = run("{%161 }");
    std::string b = run("{%161 }");
    std::string c = run("{%162 }");
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    ASSERT_EQ(a.size(), 38u);
    EXPECT_EQ(a.front(), '{');
    EXPECT_EQ(a.back(), '}');
    const std::string guid = a.substr(1, 36);
    for (size_t i : {8u, 13u, 18u, 23u})
        EXPECT_EQ(guid[i], '-');
    for (size_t i = 14; i < 18; ++i) /* the third group in lower case */
        EXPECT_FALSE(std::isupper(static_cast<unsigned char>(guid[i])));
}

TEST_F(Skeleton, PercentLiteralIsNotScannedAgain)
{
    EXPECT_EQ(run("<d>%164  done %2     </d>"), "<d>100% done DEMOMIN</d>");
}

TEST_F(Skeleton, EveryPointOfTheSampleSkeletonsHasItsWriter)
{
    /* the built-in function skeletons (FUN00024 to FUN00028) are read by
       the reduced engine, every other by the main engine */
    std::set<int> named, namedBif;
    for (const auto& e : std::filesystem::directory_iterator(DQOV_SOURCE_DIR "/samples/root/X_VELMO/SOURCE")) {
        if (e.path().extension() != ".S")
            continue;
        const bool bif = e.path().filename().string().rfind("FUN0002", 0) == 0;
        for (const std::string& line : testsupport::readLines(e.path()))
            for (size_t at = line.find('%'); at != std::string::npos; at = line.find('%', at + 1)) {
                if (line.compare(at, 2, "%%") == 0) { /* a condition directive or a literal percent */
                    ++at;
                    continue;
                }
                size_t end = at + 1;
                while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end])))
                    ++end;
                if (end > at + 1)
                    (bif ? namedBif : named).insert(std::stoi(line.substr(at + 1, end - at - 1)));
            }
    }
    EXPECT_GT(named.size(), 60u);
    for (int p : named)
        EXPECT_TRUE(P3109_fPointHandledByCore(p)) << p;
    for (int p : namedBif)
        EXPECT_TRUE(P3109_fPointHandledByBif(p)) << p;
    /* the built-in function program's own points are no points of the
       main skeleton: there they drop their line and write nothing */
    for (int p : {127, 128, 129, 130, 131}) {
        EXPECT_FALSE(P3109_fPointHandledByCore(p)) << p;
        run("x %" + std::to_string(p) + " y");
        EXPECT_EQ(keep(), 'N') << p;
    }
    const int dropped[] = {10, 11, 13, 44, 51, 52, 59, 75, 89, 100, 111, 119, 134, 142, 160, 167};
    for (int p : dropped) {
        EXPECT_FALSE(P3109_fPointHandledByCore(p)) << p;
        run("x %" + std::to_string(p) + " y");
        EXPECT_EQ(keep(), 'N') << p;
    }
}

TEST_F(Skeleton, KeepPointsBlankTheirDirective)
{
    EXPECT_EQ(run("%92 #define X_LEVEL_TWO 1"), "    #define X_LEVEL_TWO 1 ");
    EXPECT_EQ(keep(), 'Y');
    run("%91 #define X_COMPONENT 1"); /* a function run */
    EXPECT_EQ(keep(), 'N');
    P3109_Definitions().sysflags[38] = 'Y';
    EXPECT_EQ(run("%122 x"), "     x ");
    EXPECT_EQ(keep(), 'Y');
    run("%47 y");
    EXPECT_EQ(keep(), 'N');
}

}  // namespace
}  // namespace gencore_test

// Skeleton line reading, listing lines, whole-file writes, the built-in
// function skeleton engine, user DLL skeletons and the component update.
#include "generator/core/gen_fixture.h"

#include "generator/core/output/file_helpers.h"

namespace gencore_test {
namespace {

class FileHelpers : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
    std::filesystem::path skeletons() const { return dir_ / "root" / "X_VELMO" / "SOURCE"; }
};

TEST_F(FileHelpers, SkeletonLinesAreTrimmedAndNeverSplit)
{
    writeFile(dir_ / "root" / "lines.txt",
              "ABC   \r\n\r\n" + std::string(4100, 'z') + "  \r\n" + std::string(4101, 'y') + "\nnever read\n");
    GEN_STREAM in = P3109_pOpenInputFile("\\lines.txt");
    ASSERT_NE(in, GEN_NO_STREAM);
    std::string line;
    EXPECT_TRUE(P3109_fReadSkeletonLine(in, 1, line));
    EXPECT_EQ(line, "ABC ");
    EXPECT_TRUE(P3109_fReadSkeletonLine(in, 1, line));
    EXPECT_EQ(line, " ");
    EXPECT_TRUE(P3109_fReadSkeletonLine(in, 0, line)); /* 4,100 characters and their line end: one line */
    EXPECT_EQ(line, std::string(4100, 'z'));
    /* one character more is an error of the skeleton file, and reading ends */
    EXPECT_FALSE(P3109_fReadSkeletonLine(in, 0, line));
    EXPECT_EQ(state.stats.lFatalLater, 1);
    EXPECT_EQ(P3109_State().lOutputFailures, 1);
    P3109_CloseStream(in);
    std::vector<std::string> texts;
    RS_ListMessageGroups(
        &ctx,
        [](const FFC_MESSAGE_GROUP* group, void* user) {
            for (uint32_t i = 0; i < group->ulCount; ++i)
                static_cast<std::vector<std::string>*>(user)->emplace_back(group->apMessages[i]->acText, 80);
        },
        &texts);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, texts[0].find_last_not_of(' ') + 1),
              "ERROR : Line 4 of skeleton lines.txt is longer than 4100 characters");
}

/* A work file appended to a stream: each line trimmed of its blanks and
   line end and written with one blank, across many blocks of the reader;
   a NUL ends a line's text, 4,100 characters followed by blanks are one
   line, and the last line needs no line end. */
TEST_F(FileHelpers, AppendedWorkFileLinesAreTrimmedAndWrittenWhole)
{
    std::string file, expected;
    for (int i = 0; i < 3000; ++i) {
        const std::string text = "line " + std::to_string(i) + std::string(static_cast<size_t>(i % 97), '#');
        file += text + std::string(static_cast<size_t>(i % 3), ' ') + (i % 2 ? "\r\n" : "\n");
        expected += text + " \r\n";
        if (i == 1500) {
            file += std::string(4100, 'w') + "    \r\n";
            expected += std::string(4100, 'w') + " \r\n";
            file += std::string("ab\0cd  \n", 8);
            expected += "ab \r\n";
        }
    }
    file += "last";
    expected += "last \r\n";
    writeFile(dir_ / "root" / "work.sbr", file);
    Capture c;
    P3109_AppendWorkFile(c.stream(), "\\work.sbr");
    EXPECT_EQ(c.text(), expected);
    EXPECT_EQ(state.stats.lFatalLater, 0);
}

/* Only blanks, form feeds and line-end characters are trimmed: a tab, a
   vertical tab and the characters 64 or 128 above a trimmed one stay. A NUL
   ends the text of each line that holds one, wherever it lies in the
   reader's block: after a line that held one, in lines that hold none
   between, and in a block read later. */
TEST_F(FileHelpers, AppendedWorkFileTrimsOnlyBlanksAndCutsEachLineAtItsNul)
{
    std::string file = std::string("one\0x \n", 7) + "two  \f \n" + "three\t\n" + "four\v \r\n" + "five`JML\n" +
                       "six\xA0\x8D\n" + std::string("seven\0\0 \n", 9) + "eight\n";
    std::string expected = "one \r\ntwo \r\nthree\t \r\nfour\v \r\nfive`JML \r\nsix\xA0\x8D \r\nseven \r\neight \r\n";
    for (int i = 0; i < 2000; ++i) {
        file += "filler " + std::to_string(i) + "\n";
        expected += "filler " + std::to_string(i) + " \r\n";
    }
    file += std::string("nine\0 z\r\n", 9) + "ten\n";
    expected += "nine \r\nten \r\n";
    writeFile(dir_ / "root" / "nul.sbr", file);
    Capture c;
    P3109_AppendWorkFile(c.stream(), "\\nul.sbr");
    EXPECT_EQ(c.text(), expected);
    EXPECT_EQ(state.stats.lFatalLater, 0);
}

/* Lines that stand as the writer writes them (a text, one blank, "\r\n")
   and lines trimmed to that where they were read are written together with
   the lines the writer writes longer than they stood, in their order,
   across the reader's blocks, texts of 4,096 characters and longer too. */
TEST_F(FileHelpers, AppendedWorkFileKeepsTheOrderOfLinesWrittenAsTheyStandAndOthers)
{
    std::string file, expected;
    const std::string limit(4096, 'L'), over(4097, 'O');
    for (int i = 0; i < 4000; ++i) {
        const std::string text = std::string(static_cast<size_t>(i % 7), ' ') + "t" + std::to_string(i);
        switch (i % 9) {
        case 0: /* as written */
        case 1:
        case 2:
            file += text + " \r\n";
            break;
        case 3: /* blanks only, kept as one blank */
            file += std::string(static_cast<size_t>(i % 11), ' ') + "\r\n";
            expected += " \r\n";
            continue;
        case 4: /* more blanks, form feeds and carriage returns to trim */
            file += text + "  \f\r \r\n";
            break;
        case 5: /* no blank: the writer writes it longer */
            file += text + "\n";
            break;
        case 6: /* carriage returns alone at the end: trimmed */
            file += text + "\r \r\r\n";
            break;
        case 7: /* a carriage return within the text stays */
            file += text + "\rx \r\n";
            expected += text + "\rx \r\n";
            continue;
        default: /* an empty line */
            file += "\n";
            expected += " \r\n";
            continue;
        }
        expected += text + " \r\n";
        if (i == 2000) {
            file += limit + " \r\n" + over + " \r\n" + limit + "   \r\n";
            expected += limit + " \r\n" + over + " \r\n" + limit + " \r\n";
        }
    }
    writeFile(dir_ / "root" / "mixed.sbr", file);
    Capture c;
    P3109_AppendWorkFile(c.stream(), "\\mixed.sbr");
    EXPECT_EQ(c.text(), expected);
    EXPECT_EQ(state.stats.lFatalLater, 0);
}

/* While a macro is continued, every appended line takes the continuation
   mark, those that stood as written too; a suppressed output takes none. */
TEST_F(FileHelpers, AppendedWorkFileLinesTakeTheMacroMarkAndTheSuppression)
{
    writeFile(dir_ / "root" / "macro.sbr", "one \r\n  two  \r\nthree \r\n");
    {
        Capture c;
        P3109_State().out.lMacroContinuation = 1;
        P3109_AppendWorkFile(c.stream(), "\\macro.sbr");
        P3109_State().out.lMacroContinuation = 0;
        EXPECT_EQ(c.text(), "one \\\r\n  two \\\r\nthree \\\r\n");
    }
    {
        Capture c;
        P3109_State().out.cSuppress = 'Y';
        P3109_AppendWorkFile(c.stream(), "\\macro.sbr");
        P3109_State().out.cSuppress = 'N';
        EXPECT_EQ(c.text(), "");
        P3109_AppendWorkFile(c.stream(), "\\macro.sbr");
        EXPECT_EQ(c.text(), "one \r\n  two \r\nthree \r\n");
    }
}

/* A line of more than 4,100 characters other than blanks ends the copy with
   a message naming its number; the lines before it are copied. */
TEST_F(FileHelpers, AppendedWorkFileStopsAtALineTooLong)
{
    writeFile(dir_ / "root" / "long.sbr", "one\ntwo\n" + std::string(4100, 'x') + "  y\nthree\n");
    Capture c;
    P3109_AppendWorkFile(c.stream(), "\\long.sbr");
    EXPECT_EQ(c.text(), "one \r\ntwo \r\n");
    EXPECT_EQ(state.stats.lFatalLater, 1);
    EXPECT_EQ(P3109_State().lOutputFailures, 1);
}

TEST_F(FileHelpers, OpenFailuresAreFatalMessagesWithTheName)
{
    EXPECT_EQ(P3109_pOpenInputFile("\\NO\\SUCH.S"), GEN_NO_STREAM);
    EXPECT_EQ(P3109_pOpenOutputFile("\\NO\\DIR\\OUT.C"), GEN_NO_STREAM);
    EXPECT_EQ(state.stats.lFatalLater, 2);
}

/* An output or append file that cannot be opened (its folder missing, or
   a folder of its name in its place): no stream, a fatal message PRC1002
   with the name, one output failure each; an input file that cannot be
   read PRC1001. */
TEST_F(FileHelpers, FilesThatCannotBeOpenedAreNamedByTheirMessages)
{
    std::filesystem::create_directories(dir_ / "root" / "ADIR");
    EXPECT_EQ(P3109_pOpenOutputFile("\\ADIR"), GEN_NO_STREAM);
    EXPECT_EQ(P3109_pOpenAppendFile("\\NO\\DIR\\WORK.SBR"), GEN_NO_STREAM);
    EXPECT_EQ(P3109_pOpenInputFile("\\NONE.S"), GEN_NO_STREAM);
    EXPECT_EQ(state.stats.lFatalLater, 3);
    EXPECT_EQ(P3109_State().lOutputFailures, 3);
    /* each fatal message is followed by the system's reason, for the user */
    const std::vector<std::string> messages = issuedMessages();
    ASSERT_EQ(messages.size(), 6u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[0], "PRC1002 F \\ADIR");
    EXPECT_EQ(messages[1], "DCM9898 I File \\ADIR: Is a directory.");
    EXPECT_EQ(messages[2].substr(0, 10), "PRC1002 F ") << messages[2];
    EXPECT_NE(messages[2].find("WORK.SBR"), std::string::npos) << messages[2];
    EXPECT_EQ(messages[3], "DCM9898 I File \\NO\\DIR\\WORK.SBR: No such file or directory.");
    EXPECT_EQ(messages[4].substr(0, 10), "PRC1001 F ") << messages[4];
    EXPECT_NE(messages[4].find("NONE.S"), std::string::npos) << messages[4];
    EXPECT_EQ(messages[5].substr(0, 15), "DCM9898 I File ") << messages[5];
}

/* A whole file that cannot be opened ends the job with the internal error
   naming it (it is never reported as written). */
TEST_F(FileHelpers, AWholeFileThatCannotBeOpenedEndsTheJob)
{
    std::filesystem::create_directories(dir_ / "root" / "ADIR");
    const std::string err = expectFatal([] { P3109_WriteWholeFile("x", 1, "\\ADIR"); });
    EXPECT_NE(err.find("Fatal error detected when attempting to open or write to file \\ADIR."), std::string::npos)
        << err;
}

TEST_F(FileHelpers, WholeFileAndListingLine)
{
    std::string data(25000, 'q');
    data[10239] = 'a';
    data[10240] = 'b';
    data[24999] = 'e';
    EXPECT_EQ(P3109_WriteWholeFile(data.data(), data.size(), "\\whole.bin"), 0);
    EXPECT_EQ(readFile(dir_ / "root" / "whole.bin"), data);

    Capture c;
    writeFile(dir_ / "root" / "RES" / "ICON.ICO", "x");
    P3109_WriteShortPathListing(c.stream(), "\\RES", "ICON.ICO", 3, "ICON", 1);
    P3109_WriteShortPathListing(c.stream(), "\\RES", "NONE.ICO", 4, "ICON", 1);
    P3109_WriteShortPathListing(c.stream(), "\\RES", "NONE.ICO", 5, "ICON", 0);
    // a missing file that must be found is a fatal finding, and no line
    EXPECT_EQ(c.text(), "  \r\n     3   ICON   \"\\\\RES\\\\ICON.ICO\"  \r\n"
                        "  \r\n     5   ICON   \"\\\\RES\\\\NONE.ICO\"  \r\n");
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

TEST_F(FileHelpers, BuiltinSkeletonObeysOnlyItsOwnCondition)
{
    writeFile(skeletons() / "FUN00024.S", "head %2     \n"
                                          "%%IF_ZOPHX_FUNCTION\n"
                                          "%92 level two\n"
                                          "%%ELSE\n"
                                          "level one %5          \n"
                                          "%%ENDIF\n"
                                          "%%IF_COMPONENT\n"
                                          "a lone % sign\n"
                                          "%%\n"
                                          "%127\n"
                                          "tail\n");
    setUp();
    P3109_ProcessBifSkeleton();
    /* trailing blanks are trimmed when a line is read: the names extend the line */
    EXPECT_EQ(readFile(sourceDir() / "DEMOMIN.PGM"), "head DEMOMIN \r\nlevel one DEMOPRC \r\ntail  \r\n");
}

TEST_F(FileHelpers, UserDllSkeletonsAtPointSixtyFour)
{
    writeFile(skeletons() / "x_usedll.dat", "DLLNAM=MATHLIB\nDLLALS=MATH\nENTNAM=SQRT\nENTALS=ROOT\nENTSKL=sqrt.s\n");
    writeFile(skeletons() / "sqrt.s", "X_SQRT_BODY\n");
    writeFile(skeletons() / "FUN00001.S", "before\n%64\nafter\n");
    generate();
    EXPECT_EQ(readFile(sourceDir() / "DEMOMIN.C"), "before  \r\nX_SQRT_BODY\nafter  \r\n");
}

TEST_F(FileHelpers, ComponentRunUpdatesItsFieldRow)
{
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    std::memcpy(ctx.acComponent, "CUSTNO    ", 10);
    std::snprintf(ctx.szComponentModule, sizeof ctx.szComponentModule, "CUSTCOMP");
    writeFile(skeletons() / "FUN00001.S", "%%IF_COMPONENT\nmodule \"%3      \"\n%%ENDIF\n");
    generate();
    EXPECT_EQ(readFile(sourceDir() / "CUSTCOMP.C"), "module \"CUSTCOMP\"  \r\n");
    EXPECT_EQ(queryText("SELECT X03SP1 || '|' FROM QV_F03 WHERE X03P_I = 'DEM' AND X03FLD = 'CUSTNO'"),
              "             00000     N0000 |"); /* at least 29 characters */
    EXPECT_STREQ(ctx.szFrameworkName, "UNKNOWN");
}

}  // namespace
}  // namespace gencore_test

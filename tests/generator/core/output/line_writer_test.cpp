// The line writer: indentation, the cut at 4,096 with its message, the
// macro backslash, the condition stack on the main output, the six
// deferred queues, and the comment boxes.
#include "generator/core/gen_fixture.h"
#include "generator/core/output/csharp_jumps.h"
#include "generator/core/output/file_helpers.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace gencore_test {
namespace {

class LineWriter : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
        GEN_OUTPUT_STATE& o = P3109_State().out;
        o.usIndent = 0;
        o.sDepth = 0;
    }
};

TEST_F(LineWriter, ThirteenIndentsStopAtColumnThirtySixAndComeBack)
{
    GEN_OUTPUT_STATE& o = P3109_State().out;
    for (int i = 0; i < 13; ++i)
        P3109_IndentIn();
    EXPECT_EQ(o.usIndent, 36);
    EXPECT_EQ(o.sDepth, 13);
    P3109_IndentOut(); /* depth 13: the column stays */
    EXPECT_EQ(o.usIndent, 36);
    for (int i = 0; i < 12; ++i)
        P3109_IndentOut();
    EXPECT_EQ(o.usIndent, 0);
    EXPECT_EQ(o.sDepth, 0);
}

TEST_F(LineWriter, LineIsIndentTextBlankAndCrLf)
{
    Capture c;
    P3109_WriteLine(c.stream(), 3, "x = 1;");
    P3109_WriteLine(c.stream(), 0, " ");
    EXPECT_EQ(c.text(), "   x = 1; \r\n  \r\n");
}

/* Lines gathered past the 16 KB buffer, some indented past the 32 blanks
   laid down in one piece, reach the file whole and in order. */
TEST_F(LineWriter, ManyLinesAndDeepIndentsReachTheFileWhole)
{
    Capture c;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const int indent = i % 50;
        const std::string text = "line " + std::to_string(i) + std::string(static_cast<size_t>(i % 7), '*');
        P3109_WriteLine(c.stream(), static_cast<int16_t>(indent), text);
        expected += std::string(static_cast<size_t>(indent), ' ') + text + " \r\n";
    }
    P3109_WriteLine(c.stream(), 40, "");
    expected += std::string(40, ' ') + " \r\n";
    EXPECT_EQ(c.text(), expected);
}

TEST_F(LineWriter, LongLineIsCutAtFourThousandNinetySixAndReported)
{
    Capture c;
    P3109_WriteLine(c.stream(), 10, std::string(4090, 'a'));
    EXPECT_EQ(c.text(), std::string(10, ' ') + std::string(4086, 'a') + " \r\n");
    EXPECT_EQ(state.stats.lFatalLater, 1);
    /* exactly 4,096 characters are no cut */
    Capture d;
    P3109_WriteLine(d.stream(), 6, std::string(4090, 'b'));
    EXPECT_EQ(d.text().size(), 4096u + 3u);
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

/* As with fputs of the whole line, a NUL byte ends what is written: the
   blank, the macro mark and the line end go with the rest. */
// A line buffer of text placed at its columns is written without the
// blanks that end it, with the writer's one blank; the buffer is then
// 4,096 blanks again.
TEST_F(LineWriter, LineBufferIsWrittenWithoutItsBlankFill)
{
    Capture c;
    std::string line;
    P3109_WriteLineAndClear(c.stream(), line);
    ASSERT_EQ(line, std::string(GEN_LINE_LIMIT, ' '));
    line.replace(3, 6, "x = 1;");
    P3109_WriteLineAndClear(c.stream(), line);
    line.replace(0, 2, "}}");
    line.replace(40, 1, ";");
    P3109_WriteLineAndClear(c.stream(), line);
    EXPECT_EQ(c.text(), " \r\n   x = 1; \r\n}}" + std::string(38, ' ') + "; \r\n");
    EXPECT_EQ(line, std::string(GEN_LINE_LIMIT, ' '));
}

TEST_F(LineWriter, NulByteEndsTheWrittenLine)
{
    Capture c;
    P3109_State().out.lMacroContinuation = 1;
    P3109_WriteLine(c.stream(), 2, std::string_view("ab\0cd", 5));
    P3109_State().out.lMacroContinuation = 0;
    P3109_WriteLine(c.stream(), 0, std::string_view("\0x", 2));
    P3109_WriteLine(c.stream(), 1, "z");
    EXPECT_EQ(c.text(), "  ab z \r\n");
}

/* A NUL at any place of a text of any length ends the line there, also
   once the buffer holds lines already; texts with none are written whole. */
TEST_F(LineWriter, NulAnywhereInTextsOfEveryLengthEndsTheLine)
{
    Capture c;
    std::string expected;
    P3109_WriteLine(c.stream(), 0, "first");
    expected += "first \r\n";
    for (size_t length = 1; length <= 70; ++length) {
        std::string text;
        for (size_t k = 0; k < length; ++k)
            text += static_cast<char>('a' + k % 26);
        P3109_WriteLine(c.stream(), 1, text);
        expected += " " + text + " \r\n";
        for (size_t at = 0; at < length; ++at) {
            std::string cut = text;
            cut[at] = '\0';
            P3109_WriteLine(c.stream(), 2, cut);
            expected += "  " + text.substr(0, at);
            P3109_WriteLine(c.stream(), 0, "|");
            expected += "| \r\n";
        }
    }
    EXPECT_EQ(c.text(), expected);
}

/* A stream the output driver lists among its C# files takes no C text,
   though the file itself is not marked; once it is no longer listed it
   takes the line. */
TEST_F(LineWriter, StreamListedAsCSharpRefusesCText)
{
    Capture c;
    GEN_MODULE_STATE& g = P3109_State();
    g.skel.sPoint = 24;
    g.csStreams[3] = c.stream();
    P3109_WriteLine(c.stream(), 0, "pX_Sel_5->chLock = YES;");
    P3109_WriteLine(c.stream(), 0, "pX_Sel_5.chLock = YES;");
    g.csStreams[3] = GEN_NO_STREAM;
    P3109_WriteLine(c.stream(), 0, "pX_Sel_6->chLock = YES;");
    EXPECT_EQ(c.text(), "pX_Sel_5.chLock = YES; \r\npX_Sel_6->chLock = YES; \r\n");
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

/* A stream marked as a C# file after lines were written to it refuses C
   text from then on; the same slot taken again by a new file is a C
   file's, and writes it. */
TEST_F(LineWriter, AStreamMarkedAsCSharpOrOpenedAgainTakesItsNewWay)
{
    P3109_State().skel.sPoint = 24;
    {
        Capture c;
        P3109_WriteLine(c.stream(), 0, "a");
        P3109_WriteLine(c.stream(), 0, "pX_Sel_1->chLock = YES;");
        P3109_MarkCSharpStream(c.stream());
        P3109_WriteLine(c.stream(), 0, "pX_Sel_2->chLock = YES;");
        P3109_WriteLine(c.stream(), 0, "pX_Sel_3.chLock = YES;");
        EXPECT_EQ(c.text(), "a \r\npX_Sel_1->chLock = YES; \r\npX_Sel_3.chLock = YES; \r\n");
        EXPECT_EQ(state.stats.lFatalLater, 1);
    }
    Capture d;
    P3109_WriteLine(d.stream(), 0, "pX_Sel_4->chLock = YES;");
    P3109_WriteLine(d.stream(), 2, "pX_Sel_5->chLock = YES;");
    EXPECT_EQ(d.text(), "pX_Sel_4->chLock = YES; \r\n  pX_Sel_5->chLock = YES; \r\n");
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

TEST_F(LineWriter, MacroContinuationAddsBlankAndBackslash)
{
    Capture c;
    P3109_State().out.lMacroContinuation = 1;
    P3109_WriteLine(c.stream(), 0, "#define X_A 1");
    P3109_State().out.lMacroContinuation = 0;
    P3109_WriteLine(c.stream(), 0, "done");
    EXPECT_EQ(c.text(), "#define X_A 1 \\\r\ndone \r\n");
}

TEST_F(LineWriter, FalseConditionDropsMainOutputOnly)
{
    Capture main, header;
    P3109_State().out.mainOutput = main.stream();
    P3109_SetSkeletonLine("%%IF_COMPONENT ");
    P3109_ProcessSkeletonLine(); /* a function run: false */
    P3109_WriteLine(main.stream(), 0, "main");
    P3109_WriteLine(header.stream(), 0, "header");
    P3109_SetSkeletonLine("%%ENDIF ");
    P3109_ProcessSkeletonLine();
    P3109_WriteLine(main.stream(), 0, "after");
    EXPECT_EQ(main.text(), "after \r\n");
    EXPECT_EQ(header.text(), "header \r\n");
}

/* Lines held back reach their file only when written, as the writer would
   have written them (the main output's condition applied when they were
   written); a stream closed while it holds writes them as they stand, and
   the stream that takes its slot next holds nothing. */
TEST_F(LineWriter, HeldLinesReachTheFileWhenWritten)
{
    {
        Capture c;
        P3109_State().out.mainOutput = c.stream();
        P3109_WriteLine(c.stream(), 0, "before");
        P3109_HoldStreamLines(c.stream());
        P3109_WriteLine(c.stream(), 3, "held");
        P3109_SetSkeletonLine("%%IF_COMPONENT ");
        P3109_ProcessSkeletonLine(); /* a function run: false */
        P3109_WriteLine(c.stream(), 0, "dropped");
        P3109_SetSkeletonLine("%%ENDIF ");
        P3109_ProcessSkeletonLine();
        P3109_State().out.lMacroContinuation = 1;
        P3109_WriteLine(c.stream(), 0, "macro");
        P3109_State().out.lMacroContinuation = 0;
        EXPECT_EQ(c.text(), "before \r\n");
        std::vector<GEN_HELD_LINE> lines = P3109_TakeHeldLines(c.stream());
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].ulIndent, 3u);
        EXPECT_EQ(lines[0].text, "held");
        EXPECT_TRUE(lines[1].fMacro);
        lines.insert(lines.begin() + 1, GEN_HELD_LINE{6, "added", true, false, true});
        P3109_WriteLine(c.stream(), 0, "after taking");
        P3109_WriteHeldLines(c.stream(), lines);
        EXPECT_EQ(c.text(), "before \r\nafter taking \r\n   held \r\n      added \r\nmacro \\\r\n");
        P3109_State().out.mainOutput = GEN_NO_STREAM;
    }
    char path[] = "/tmp/dqov_held_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    GEN_STREAM stream = P3109_AddFileStream(fdopen(fd, "wb"), path, true);
    P3109_HoldStreamLines(stream);
    P3109_WriteLine(stream, 0, "held at the close");
    P3109_CloseStream(stream);
    EXPECT_EQ(testsupport::readFile(path), "held at the close \r\n");
    std::remove(path);
    /* the slot again, for a stream that holds nothing */
    Capture next;
    P3109_WriteLine(next.stream(), 0, "written");
    EXPECT_EQ(next.text(), "written \r\n");
}

/* A written file open for reading too (as the generator opens its
   output files) holds its lines in the file itself; one open for writing
   only holds them in memory. Both give the same lines and the same file. */
class HeldStream {
public:
    explicit HeldStream(bool inFile)
    {
        char path[] = "/tmp/dqov_held_XXXXXX";
        const int fd = mkstemp(path);
        if (fd >= 0)
            close(fd);
        path_ = path;
        stream_ = P3109_AddFileStream(std::fopen(path, inFile ? "w+b" : "wb"), path_, true);
    }
    ~HeldStream()
    {
        P3109_CloseStream(stream_);
        std::remove(path_.c_str());
    }
    GEN_STREAM stream() const { return stream_; }
    /* The file's text once the stream is closed. */
    std::string text()
    {
        P3109_CloseStream(stream_);
        return testsupport::readFile(path_);
    }

private:
    std::string path_;
    GEN_STREAM stream_ = GEN_NO_STREAM;
};

/* The lines as the writer writes them. */
std::string written(const std::vector<GEN_HELD_LINE>& lines)
{
    std::string out;
    for (const GEN_HELD_LINE& l : lines)
        out += std::string(l.ulIndent, ' ') + l.text + (l.fBlank ? " " : "") + (l.fMacro ? "\\" : "") +
               (l.fEnd ? "\r\n" : "");
    return out;
}

TEST_F(LineWriter, LinesHeldInTheFileComeBackAsHeldInMemory)
{
    for (const bool inFile : {false, true}) {
        SCOPED_TRACE(inFile ? "held in the file" : "held in memory");
        HeldStream s(inFile);
        ASSERT_NE(s.stream(), GEN_NO_STREAM);
        P3109_WriteLine(s.stream(), 0, "before");
        P3109_HoldStreamLines(s.stream(), "goto");
        P3109_WriteLine(s.stream(), 3, "held");
        EXPECT_FALSE(P3109_fHeldLinesHold(s.stream()));
        P3109_WriteLine(s.stream(), 6, "goto X_Label_1;");
        EXPECT_TRUE(P3109_fHeldLinesHold(s.stream()));
        /* a second hold goes on from where the first began */
        P3109_HoldStreamLines(s.stream(), "goto");
        P3109_WriteLine(s.stream(), 0, "X_Label_1: ;");
        std::vector<GEN_HELD_LINE> lines = P3109_TakeHeldLines(s.stream());
        EXPECT_EQ(written(lines), "   held \r\n      goto X_Label_1; \r\nX_Label_1: ; \r\n");
        EXPECT_FALSE(P3109_fHeldLinesHold(s.stream()));
        lines.insert(lines.begin() + 1, GEN_HELD_LINE{3, "added", true, false, true});
        P3109_WriteLine(s.stream(), 0, "after taking");
        P3109_WriteHeldLines(s.stream(), lines);
        EXPECT_EQ(s.text(), "before \r\nafter taking \r\n   held \r\n   added \r\n      goto X_Label_1; \r\n"
                            "X_Label_1: ; \r\n");
    }
}

/* A line of fewer than sixteen characters held in the file is looked at
   for the watched word and for carriage returns as a longer one is, at
   any indent: the word's first letter alone is not the word, a carriage
   return alone is read back as written, and one before a line feed makes
   the stream hold its lines in memory. */
TEST_F(LineWriter, ShortLinesHeldInTheFileAreLookedAtWhole)
{
    HeldStream s(true);
    ASSERT_NE(s.stream(), GEN_NO_STREAM);
    P3109_HoldStreamLines(s.stream(), "goto");
    P3109_WriteLine(s.stream(), 20, "g = 1;");
    P3109_WriteLine(s.stream(), 20, "x\ry;");
    EXPECT_FALSE(P3109_fHeldLinesHold(s.stream()));
    P3109_WriteLine(s.stream(), 3, "goto L;");
    EXPECT_TRUE(P3109_fHeldLinesHold(s.stream()));
    P3109_WriteLine(s.stream(), 0, "L: ;");
    EXPECT_EQ(written(P3109_TakeHeldLines(s.stream())),
              std::string(20, ' ') + "g = 1; \r\n" + std::string(20, ' ') + "x\ry; \r\n   goto L; \r\nL: ; \r\n");

    HeldStream t(true);
    ASSERT_NE(t.stream(), GEN_NO_STREAM);
    P3109_HoldStreamLines(t.stream(), "goto");
    P3109_WriteLine(t.stream(), 3, "a = 1;");
    P3109_WriteLine(t.stream(), 3, "a\r\nb;");
    P3109_WriteLine(t.stream(), 3, "go;");
    P3109_WriteLine(t.stream(), 9, "goto M;");
    EXPECT_TRUE(P3109_fHeldLinesHold(t.stream()));
    const std::vector<GEN_HELD_LINE> lines = P3109_TakeHeldLines(t.stream());
    ASSERT_EQ(lines.size(), 4u) << "the line with its own line end is one line";
    EXPECT_EQ(written(lines), "   a = 1; \r\n   a\r\nb; \r\n   go; \r\n         goto M; \r\n");
}

/* What a direct writer of the file writes goes before the lines held, a
   macro line is held as written, the lines released stay in order, and
   lines held at the close are written as they stand. */
TEST_F(LineWriter, HeldLinesKeepTheirPlaceWhateverIsWrittenBetween)
{
    for (const bool inFile : {false, true}) {
        SCOPED_TRACE(inFile ? "held in the file" : "held in memory");
        HeldStream s(inFile);
        P3109_HoldStreamLines(s.stream(), "goto");
        P3109_WriteLine(s.stream(), 3, "first");
        std::fputs("direct\r\n", P3109_pStreamFile(s.stream()));
        P3109_State().out.lMacroContinuation = 1;
        P3109_WriteLine(s.stream(), 0, "#define X_MACRO");
        P3109_State().out.lMacroContinuation = 0;
        P3109_WriteLine(s.stream(), 0, "last");
        EXPECT_FALSE(P3109_fHeldLinesHold(s.stream()));
        P3109_ReleaseHeldLines(s.stream());
        P3109_WriteLine(s.stream(), 0, "released");
        P3109_HoldStreamLines(s.stream());
        P3109_WriteLine(s.stream(), 0, "held at the close");
        EXPECT_EQ(s.text(), "direct\r\n   first \r\n#define X_MACRO \\\r\nlast \r\nreleased \r\nheld at the close \r\n");
    }
}

/* A method of many lines, read back past the blocks the file is read in,
   comes back line for line. */
TEST_F(LineWriter, ManyLinesHeldInTheFileComeBackWhole)
{
    HeldStream s(true);
    P3109_HoldStreamLines(s.stream(), "goto");
    std::string expected;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = "line " + std::to_string(i) + std::string(static_cast<size_t>(i % 37), 'x');
        P3109_WriteLine(s.stream(), static_cast<int16_t>(i % 40), text);
        expected += std::string(static_cast<size_t>(i % 40), ' ') + text + " \r\n";
    }
    P3109_WriteLine(s.stream(), 0, "goto X_End;");
    expected += "goto X_End; \r\n";
    ASSERT_TRUE(P3109_fHeldLinesHold(s.stream()));
    const std::vector<GEN_HELD_LINE> lines = P3109_TakeHeldLines(s.stream());
    ASSERT_EQ(lines.size(), 4001u);
    EXPECT_EQ(written(lines), expected);
    P3109_WriteHeldLines(s.stream(), lines);
    EXPECT_EQ(s.text(), expected);
}

/* Lines held in the file are handed over one at a time from a scratch
   copy and what replaces them goes where the holding began, after what was
   written before it; a stream holding in memory is left to the caller. */
TEST_F(LineWriter, LinesHeldInTheFileAreRewrittenInTheirPlace)
{
    HeldStream s(true);
    P3109_WriteLine(s.stream(), 0, "before");
    P3109_HoldStreamLines(s.stream(), "goto");
    for (int i = 0; i < 3000; ++i)
        P3109_WriteLine(s.stream(), 3, "line " + std::to_string(i));
    std::string expected = "before \r\n";
    size_t count = 0;
    const bool rewritten =
        P3109_fRewriteHeldLines(s.stream(), [&](GEN_HELD_LINES& lines, const GEN_HELD_WRITER& write) {
            size_t indent = 0;
            std::string_view text;
            while (lines.Next(indent, text)) {
                /* a line held in the file comes back with its indent as blanks */
                EXPECT_EQ(indent, 0u);
                EXPECT_EQ(text, "   line " + std::to_string(count));
                write(6, std::string(text.substr(3)) + "!");
                expected += "      line " + std::to_string(count) + "! \r\n";
                if (count++ % 1000 == 0) {
                    write(0, "added");
                    expected += "added \r\n";
                }
            }
        });
    EXPECT_TRUE(rewritten);
    EXPECT_EQ(count, 3000u);
    EXPECT_FALSE(P3109_fHeldLinesHold(s.stream()));
    P3109_WriteLine(s.stream(), 0, "after");
    EXPECT_EQ(s.text(), expected + "after \r\n");

    HeldStream memory(false);
    P3109_HoldStreamLines(memory.stream(), "goto");
    P3109_WriteLine(memory.stream(), 0, "kept");
    EXPECT_FALSE(P3109_fRewriteHeldLines(memory.stream(), [](GEN_HELD_LINES&, const GEN_HELD_WRITER&) {
        ADD_FAILURE() << "a stream held in memory is not rewritten";
    }));
    EXPECT_EQ(written(P3109_TakeHeldLines(memory.stream())), "kept \r\n");
}

/* A reader of lines held in the file passes the lines that hold no brace,
   slash, colon, line end byte nor the watched word by their line ends
   alone, once the word has been seen; the lines before it, the others and
   a line past the reader's block are read as written. */
TEST_F(LineWriter, HeldLinesArePassedWhereTheyHoldNothingLookedFor)
{
    HeldStream s(true);
    P3109_HoldStreamLines(s.stream(), "goto");
    P3109_WriteLine(s.stream(), 3, "int a;");              /* 0: before the word, read */
    P3109_WriteLine(s.stream(), 3, "goto X_End;");         /* 1 */
    P3109_WriteLine(s.stream(), 3, "a = 1;");              /* 2: passed */
    P3109_WriteLine(s.stream(), 3, "b = 2;");              /* 3: passed */
    P3109_WriteLine(s.stream(), 3, "if ( a ) {");          /* 4 */
    P3109_WriteLine(s.stream(), 40, "c = 3;");             /* 5: passed, written the slow way */
    P3109_WriteLine(s.stream(), 0, "X_End: ;");            /* 6 */
    P3109_WriteLine(s.stream(), 3, "d = 1;\nd = 2;");      /* 7: a line feed of its own */
    for (int i = 0; i < 150; ++i)                          /* 8-157: passed */
        P3109_WriteLine(s.stream(), 6, "e = " + std::to_string(i) + ";");
    P3109_WriteFileLine(1, std::string(70000, 'x') + ";", s.stream()); /* 158: past a block, passed */
    P3109_WriteLine(s.stream(), 3, "f = \"a/b\";");        /* 159 */
    P3109_WriteLine(s.stream(), 0, "}");                   /* 160 */
    ASSERT_TRUE(P3109_fHeldLinesHold(s.stream()));
    {
        const std::unique_ptr<GEN_HELD_LINES> lines = P3109_ReadHeldLines(s.stream());
        size_t indent = 0;
        std::string_view text;
        auto pass = [&](size_t most) { return lines->Pass(most, GEN_HELD_NOTED, "goto"); };
        auto next = [&] { return lines->Next(indent, text) ? std::string(text) : std::string("(none)"); };
        EXPECT_EQ(pass(64), 0u);
        EXPECT_EQ(next(), "   int a;");
        EXPECT_EQ(pass(64), 0u);
        EXPECT_EQ(next(), "   goto X_End;");
        EXPECT_EQ(pass(64), 2u);
        EXPECT_EQ(next(), "   if ( a ) {");
        EXPECT_EQ(pass(64), 1u);
        EXPECT_EQ(next(), "X_End: ;");
        EXPECT_EQ(pass(64), 0u);
        EXPECT_EQ(next(), "   d = 1;\nd = 2;");
        /* at most as many as asked for, then on */
        EXPECT_EQ(pass(10), 10u);
        EXPECT_EQ(next(), "      e = 10;");
        const uint64_t mark = lines->Mark();
        EXPECT_EQ(pass(1000), 140u);
        EXPECT_EQ(next(), "   f = \"a/b\";");
        EXPECT_EQ(next(), "}");
        EXPECT_EQ(pass(64), 0u);
        EXPECT_EQ(next(), "(none)");
        /* from a place sought, and for other bytes, each line is looked at */
        lines->Seek(mark);
        EXPECT_EQ(pass(1000), 140u);
        EXPECT_EQ(next(), "   f = \"a/b\";");
        lines->Seek(mark);
        EXPECT_EQ(lines->Pass(1000, "x", "goto"), 139u);
        EXPECT_EQ(next().size(), 70001u);
    }
    /* the lines held in memory are passed where they hold nothing asked for */
    HeldStream m(false);
    P3109_HoldStreamLines(m.stream(), "goto");
    for (const char* t : {"int a;", "b = 2;", "X_End: ;", "c = 3;"})
        P3109_WriteLine(m.stream(), 3, t);
    const std::unique_ptr<GEN_HELD_LINES> held = P3109_ReadHeldLines(m.stream());
    EXPECT_EQ(held->Pass(64, GEN_HELD_NOTED, "goto"), 2u);
    EXPECT_EQ(held->Pass(64, GEN_HELD_NOTED, "goto"), 0u);
    size_t indent = 0;
    std::string_view text;
    ASSERT_TRUE(held->Next(indent, text));
    EXPECT_EQ(text, "X_End: ;");
    EXPECT_EQ(held->Pass(64, GEN_HELD_NOTED, "goto"), 1u);
    EXPECT_FALSE(held->Next(indent, text));
}

/* A reader of lines held in the file goes straight to where a noted line
   or the first line of each sixty-four begins; lines passed short of such a
   line are counted by their line ends. The lines at the very start and end
   of the holding, the notes begun after many lines written to the file
   already, a holding read from its scratch copy and one with no line at all
   all come back as written. */
TEST_F(LineWriter, HeldLinesArePassedToWhereTheyBegin)
{
    size_t indent = 0;
    std::string_view text;
    const auto pass = [](GEN_HELD_LINES& r, size_t most) { return r.Pass(most, GEN_HELD_NOTED, "goto"); };
    const auto next = [&](GEN_HELD_LINES& r) { return r.Next(indent, text) ? std::string(text) : std::string("(none)"); };
    {
        HeldStream s(true);
        P3109_WriteLine(s.stream(), 0, "before");
        P3109_HoldStreamLines(s.stream(), "goto");
        P3109_WriteLine(s.stream(), 0, "goto X_End;"); /* 0: noted, the first line */
        for (int i = 1; i < 100; ++i)                  /* 1-99 */
            P3109_WriteLine(s.stream(), 3, "a = " + std::to_string(i) + ";");
        P3109_WriteLine(s.stream(), 0, "{"); /* 100 */
        for (int i = 101; i < 128; ++i)      /* 101-127 */
            P3109_WriteLine(s.stream(), 3, "b = " + std::to_string(i) + ";");
        P3109_WriteLine(s.stream(), 0, "}");         /* 128: noted, the first of its sixty-four */
        P3109_WriteLine(s.stream(), 3, "c = 129;"); /* 129 */
        P3109_WriteLine(s.stream(), 0, "}");         /* 130: noted, the last line */
        ASSERT_TRUE(P3109_fHeldLinesHold(s.stream()));
        {
            const std::unique_ptr<GEN_HELD_LINES> r = P3109_ReadHeldLines(s.stream());
            EXPECT_EQ(pass(*r, 64), 0u);
            EXPECT_EQ(next(*r), "goto X_End;");
            EXPECT_EQ(pass(*r, 63), 63u); /* 1-63, to the first line of the second sixty-four */
            EXPECT_EQ(next(*r), "   a = 64;");
            EXPECT_EQ(pass(*r, 5), 5u); /* 65-69, counted */
            EXPECT_EQ(next(*r), "   a = 70;");
            EXPECT_EQ(pass(*r, 60), 29u); /* 71-99, to the brace */
            EXPECT_EQ(next(*r), "{");
            EXPECT_EQ(pass(*r, 20), 20u); /* 101-120 */
            EXPECT_EQ(next(*r), "   b = 121;");
            EXPECT_EQ(pass(*r, 64), 6u); /* 122-127 */
            EXPECT_EQ(next(*r), "}");
            EXPECT_EQ(pass(*r, 64), 1u);
            EXPECT_EQ(next(*r), "}");
            EXPECT_EQ(pass(*r, 64), 0u);
            EXPECT_EQ(next(*r), "(none)");
        }
        {
            /* passed across the first line of a sixty-four, to a line after it */
            const std::unique_ptr<GEN_HELD_LINES> r = P3109_ReadHeldLines(s.stream());
            EXPECT_EQ(next(*r), "goto X_End;");
            EXPECT_EQ(pass(*r, 55), 55u); /* 1-55 */
            EXPECT_EQ(next(*r), "   a = 56;");
            EXPECT_EQ(pass(*r, 13), 13u); /* 57-69 */
            EXPECT_EQ(next(*r), "   a = 70;");
            EXPECT_EQ(pass(*r, 1000), 29u);
            EXPECT_EQ(next(*r), "{");
        }
        /* read from the scratch copy, each line is looked at */
        std::vector<std::string> got;
        EXPECT_TRUE(P3109_fRewriteHeldLines(s.stream(), [&](GEN_HELD_LINES& lines, const GEN_HELD_WRITER& write) {
            got.push_back(next(lines));
            got.push_back(std::to_string(pass(lines, 64))); /* 1-64 */
            got.push_back(next(lines));
            got.push_back(std::to_string(pass(lines, 1000))); /* 66-99 */
            got.push_back(next(lines));
            write(0, "done");
        }));
        EXPECT_EQ(got, (std::vector<std::string>{"goto X_End;", "64", "   a = 65;", "34", "{"}));
        EXPECT_EQ(s.text(), "before \r\ndone \r\n");
    }
    {
        /* the notes begin at the word, after lines enough to have gone to the file */
        HeldStream s(true);
        P3109_WriteLine(s.stream(), 0, "before");
        P3109_HoldStreamLines(s.stream(), "goto");
        for (int i = 0; i < 3000; ++i) /* 0-2999 */
            P3109_WriteLine(s.stream(), 3, "m = " + std::to_string(i) + ";");
        P3109_WriteLine(s.stream(), 0, "goto X_End;"); /* 3000 */
        for (int i = 3001; i < 3101; ++i)              /* 3001-3100 */
            P3109_WriteLine(s.stream(), 3, "n = " + std::to_string(i) + ";");
        P3109_WriteLine(s.stream(), 0, "}"); /* 3101 */
        ASSERT_TRUE(P3109_fHeldLinesHold(s.stream()));
        const std::unique_ptr<GEN_HELD_LINES> r = P3109_ReadHeldLines(s.stream());
        /* the lines before the word are each read */
        EXPECT_EQ(pass(*r, 64), 0u);
        for (int i = 0; i < 3000; ++i)
            ASSERT_EQ(next(*r), "   m = " + std::to_string(i) + ";");
        EXPECT_EQ(pass(*r, 64), 0u);
        EXPECT_EQ(next(*r), "goto X_End;");
        EXPECT_EQ(pass(*r, 64), 64u); /* 3001-3064 */
        EXPECT_EQ(next(*r), "   n = 3065;");
        EXPECT_EQ(pass(*r, 64), 35u); /* 3066-3100 */
        EXPECT_EQ(next(*r), "}");
        EXPECT_EQ(next(*r), "(none)");
    }
    {
        /* no line held */
        HeldStream s(true);
        P3109_HoldStreamLines(s.stream(), "goto");
        EXPECT_FALSE(P3109_fHeldLinesHold(s.stream()));
        const std::unique_ptr<GEN_HELD_LINES> r = P3109_ReadHeldLines(s.stream());
        EXPECT_EQ(pass(*r, 64), 0u);
        EXPECT_EQ(next(*r), "(none)");
    }
}

/* Every byte a held line is looked at for is found at each place of texts
   of every length, however the processor looks at them: a line holding a
   brace, a slash, a colon, a carriage return or a line feed is noted and
   read, one holding only the word's first letter or a tab is passed; the
   word itself is found wherever it stands, before the notes begin too; the
   lines come back as written. */
TEST_F(LineWriter, HeldLinesAreLookedAtForEachByteAtEachPlace)
{
    struct Case {
        char byte;
        bool noted;
    };
    const Case cases[] = {{'{', true},  {'}', true},  {'/', true},  {':', true},
                          {'\r', true}, {'\n', true}, {'g', false}, {'\t', false}};
    for (const bool wide : {false, true}) {
        if (!P3109_TestWideHeldLines(wide) && wide)
            break; /* the processor has one way only */
        SCOPED_TRACE(wide ? "thirty-two bytes at a time" : "sixteen bytes at a time");
        HeldStream s(true);
        P3109_HoldStreamLines(s.stream(), "goto");
        std::vector<std::string> texts{"goto X_End;"};
        std::vector<bool> noted{true};
        for (size_t length = 1; length <= 70; ++length)
            for (const Case& c : cases)
                for (size_t at = 0; at < length; ++at) {
                    std::string text(length, 'a');
                    text[at] = c.byte;
                    texts.push_back(text);
                    noted.push_back(c.noted);
                }
        for (size_t i = 0; i < texts.size(); ++i)
            P3109_WriteLine(s.stream(), static_cast<int16_t>(i % 40), texts[i]);
        {
            const std::unique_ptr<GEN_HELD_LINES> r = P3109_ReadHeldLines(s.stream());
            size_t indent = 0;
            std::string_view text;
            for (size_t i = 0; i < texts.size(); ++i) {
                const std::string expected = std::string(i % 40, ' ') + texts[i];
                if (r->Pass(1, GEN_HELD_NOTED, "goto") == 1) {
                    ASSERT_FALSE(noted[i]) << "line " << i << " passed: " << expected;
                    continue;
                }
                ASSERT_TRUE(noted[i]) << "line " << i << " read: " << expected;
                ASSERT_TRUE(r->Next(indent, text));
                ASSERT_EQ(std::string(indent, ' ') + std::string(text), expected);
            }
            EXPECT_FALSE(r->Next(indent, text));
        }
        std::string all;
        for (size_t i = 0; i < texts.size(); ++i)
            all += std::string(i % 40, ' ') + texts[i] + " \r\n";
        EXPECT_EQ(written(P3109_TakeHeldLines(s.stream())), all);

        /* the word at each place, before the notes begin; a NUL or a line
           end of its own makes the stream hold in memory */
        for (size_t length = 4; length <= 70; length += 3)
            for (size_t at = 0; at + 4 <= length; at += (length > 40 ? 7 : 1)) {
                HeldStream w(true);
                P3109_HoldStreamLines(w.stream(), "goto");
                std::string text(length, 'g');
                text.replace(at, 4, "goto");
                P3109_WriteLine(w.stream(), static_cast<int16_t>(length % 33), std::string(length, 'g'));
                P3109_WriteLine(w.stream(), 1, std::string(length, 'o'));
                ASSERT_FALSE(P3109_fHeldLinesHold(w.stream())) << length;
                P3109_WriteLine(w.stream(), static_cast<int16_t>(length % 33), text);
                ASSERT_TRUE(P3109_fHeldLinesHold(w.stream())) << text;
                std::string nul = std::string(length, 'x') + "{";
                nul[at] = '\0';
                P3109_WriteLine(w.stream(), 2, nul);
                std::string ends = std::string(length, 'y');
                ends.replace(at, 2, "\r\n");
                P3109_WriteLine(w.stream(), 3, ends);
                P3109_WriteLine(w.stream(), 4, "X_End: ;");
                EXPECT_EQ(w.text(), std::string(length % 33, ' ') + std::string(length, 'g') + " \r\n " +
                                        std::string(length, 'o') + " \r\n" + std::string(length % 33, ' ') + text +
                                        " \r\n  " + nul.substr(0, at) + "   " + ends + " \r\n    X_End: ; \r\n");
            }
    }
    P3109_TestWideHeldLines(true);
}

/* Once the notes begin, a held line is read when it holds the watched word
   wherever it stands (across the edges of sixteen and thirty-two bytes
   too), and passed when it holds only its first letters: "go" alone, its
   letter next to others, or the word cut short. */
TEST_F(LineWriter, HeldLinesAreReadForTheWordAndPassedForItsFirstLetters)
{
    for (const bool wide : {false, true}) {
        if (!P3109_TestWideHeldLines(wide) && wide)
            break; /* the processor has one way only */
        SCOPED_TRACE(wide ? "thirty-two bytes at a time" : "sixteen bytes at a time");
        HeldStream s(true);
        P3109_HoldStreamLines(s.stream(), "goto");
        std::vector<std::string> texts{"goto X_End;"};
        std::vector<bool> noted{true};
        const auto add = [&](std::string text, bool word) {
            texts.push_back(std::move(text));
            noted.push_back(word);
        };
        for (size_t length = 2; length <= 70; ++length)
            for (size_t at = 0; at + 2 <= length; ++at) {
                std::string go(length, 'g');
                go.replace(at, 2, "go");
                add(go, false);
                std::string letter(length, 'o');
                letter[at] = 'g';
                add(letter, false);
                if (at + 4 <= length) {
                    std::string word(length, 'g');
                    word.replace(at, 4, "goto");
                    add(word, true);
                    std::string cut(length, 'x');
                    cut.replace(at, 4, "gotx");
                    add(cut, false);
                }
            }
        for (size_t i = 0; i < texts.size(); ++i)
            P3109_WriteLine(s.stream(), static_cast<int16_t>(i % 35), texts[i]);
        {
            const std::unique_ptr<GEN_HELD_LINES> r = P3109_ReadHeldLines(s.stream());
            size_t indent = 0;
            std::string_view text;
            for (size_t i = 0; i < texts.size(); ++i) {
                const std::string expected = std::string(i % 35, ' ') + texts[i];
                if (r->Pass(1, GEN_HELD_NOTED, "goto") == 1) {
                    ASSERT_FALSE(noted[i]) << "line " << i << " passed: " << expected;
                    continue;
                }
                ASSERT_TRUE(noted[i]) << "line " << i << " read: " << expected;
                ASSERT_TRUE(r->Next(indent, text));
                ASSERT_EQ(std::string(indent, ' ') + std::string(text), expected);
            }
            EXPECT_FALSE(r->Next(indent, text));
        }
        std::string all;
        for (size_t i = 0; i < texts.size(); ++i)
            all += std::string(i % 35, ' ') + texts[i] + " \r\n";
        EXPECT_EQ(written(P3109_TakeHeldLines(s.stream())), all);
    }
    P3109_TestWideHeldLines(true);
}

/* A line comment is one from its first byte that is neither a blank nor a
   tab, with no comment end and no line end byte after its slashes. */
TEST_F(LineWriter, LineCommentsAreToldApart)
{
    for (const char* t : {"//", "// ENDIF", "   \t// CALL PROCESS(*DIRECT) { x: }", "//// goto", "// a * / b"})
        EXPECT_TRUE(P3109_fLineComment(t)) << t;
    for (const char* t : {"", "/", "/ / x", "x = 1; // y", "/* x */", "\"//\"", "//*/", "// a */ b", "// a\nb",
                          "// a\r", "\n// a"})
        EXPECT_FALSE(P3109_fLineComment(t)) << t;
}

/* The edges of a line comment: blanks alone, slashes at the very end, a
   block comment opened with its end or without, a NUL byte (an ordinary
   byte here), and a comment end or line end byte at each place of texts
   long and short. */
TEST_F(LineWriter, LineCommentsAreToldApartAtTheirEdges)
{
    using namespace std::string_view_literals;
    for (const std::string_view t : {"  "sv, "\t \t"sv, " /"sv, "x //"sv, "/ /"sv, "/*"sv, "/* x */"sv, " \t/* // */"sv,
                                     "\0//"sv, "//\n"sv, "//\r\n"sv, "//*/"sv, "// */"sv, "// x*/"sv})
        EXPECT_FALSE(P3109_fLineComment(t)) << t;
    for (const std::string_view t : {"//"sv, "  //"sv, " \t//"sv, "///*"sv, "// /*"sv, "// x /* y"sv, "//\0"sv,
                                     "// a\0*/"sv.substr(0, 5), "// a*"sv, "// a* /"sv, "// a/*"sv, "//**"sv})
        EXPECT_TRUE(P3109_fLineComment(t)) << t;

    /* one byte pair or byte at each place after "// ", for rests of every
       length up to a few blocks of sixteen */
    for (size_t length = 0; length < 70; ++length) {
        const std::string plain = "\t// " + std::string(length, 'x');
        EXPECT_TRUE(P3109_fLineComment(plain)) << length;
        for (size_t at = 5; at < plain.size(); ++at) {
            for (const char end : {'\n', '\r'}) {
                std::string t = plain;
                t[at] = end;
                EXPECT_FALSE(P3109_fLineComment(t)) << length << " " << at;
            }
            std::string star = plain;
            star[at] = '*';
            EXPECT_TRUE(P3109_fLineComment(star)) << length << " " << at; /* a star alone */
            std::string slash = plain;
            slash[at] = '/';
            EXPECT_TRUE(P3109_fLineComment(slash)) << length << " " << at; /* a slash alone */
            if (at + 1 < plain.size()) {
                std::string pair = plain;
                pair[at] = '*';
                pair[at + 1] = '/';
                EXPECT_FALSE(P3109_fLineComment(pair)) << length << " " << at;
                pair[at] = '/';
                pair[at + 1] = '*';
                EXPECT_TRUE(P3109_fLineComment(pair)) << length << " " << at; /* an opening pair */
            }
        }
        /* a star last, its slash cut off by the view */
        std::string cut = plain + "*/";
        EXPECT_TRUE(P3109_fLineComment(std::string_view(cut).substr(0, cut.size() - 1))) << length;
        EXPECT_FALSE(P3109_fLineComment(cut)) << length;
    }
}

/* Line comments are passed whatever bytes they hold, held in the file or
   in memory, unless they hold the word looked for; a line with code before
   its comment, a comment that ends one and a block comment are not. */
TEST_F(LineWriter, LineCommentsArePassedWhateverTheyHold)
{
    for (const bool inFile : {true, false}) {
        SCOPED_TRACE(inFile ? "in the file" : "in memory");
        HeldStream s(inFile);
        P3109_HoldStreamLines(s.stream(), "goto");
        P3109_WriteLine(s.stream(), 3, "goto X_End;");       /* 0 */
        P3109_WriteLine(s.stream(), 3, "// ENDIF {");        /* 1: passed */
        P3109_WriteLine(s.stream(), 6, "//");                /* 2: passed */
        P3109_WriteLine(s.stream(), 3, "a = 1;");            /* 3: passed */
        P3109_WriteLine(s.stream(), 0, "   // X_Q: }");      /* 4: passed */
        P3109_WriteLine(s.stream(), 3, "// goto X_End;");    /* 5: the word */
        P3109_WriteLine(s.stream(), 3, "// b */ c");         /* 6: a comment's end */
        P3109_WriteLine(s.stream(), 3, "b = 2; // x");       /* 7: code first */
        P3109_WriteLine(s.stream(), 3, "/* y */");           /* 8: a block comment */
        P3109_WriteLine(s.stream(), 3, "// z");              /* 9: passed */
        const std::unique_ptr<GEN_HELD_LINES> lines = P3109_ReadHeldLines(s.stream());
        size_t indent = 0;
        std::string_view text;
        auto pass = [&] { return lines->Pass(64, GEN_HELD_NOTED, "goto"); };
        auto next = [&] {
            return lines->Next(indent, text) ? std::string(indent, ' ') + std::string(text) : std::string("(none)");
        };
        EXPECT_EQ(pass(), 0u);
        EXPECT_EQ(next(), "   goto X_End;");
        EXPECT_EQ(pass(), 4u);
        EXPECT_EQ(next(), "   // goto X_End;");
        EXPECT_EQ(pass(), 0u);
        EXPECT_EQ(next(), "   // b */ c");
        EXPECT_EQ(pass(), 0u);
        EXPECT_EQ(next(), "   b = 2; // x");
        if (inFile) {
            /* a closed comment, none open before it (line 6 told it), is passed too */
            EXPECT_EQ(pass(), 2u);
        } else {
            EXPECT_EQ(pass(), 0u);
            EXPECT_EQ(next(), "   /* y */");
            EXPECT_EQ(pass(), 1u);
        }
        EXPECT_EQ(next(), "(none)");
    }
}

/* A line of nothing but comments and blanks held in the file is passed
   when no comment is open before it or after it; a line that leaves a
   comment open or closes one, a line with code beside its comment, and
   the lines from the notes' start until a line tells whether a comment is
   open (the lines before the word were not looked at) are read. */
TEST_F(LineWriter, ClosedCommentsArePassedWhereNoCommentIsOpen)
{
    HeldStream s(true);
    P3109_HoldStreamLines(s.stream(), "goto");
    const char* const lines[] = {
        "/* before the word",                /* 0: opens a comment, not looked at */
        "goto X_End;",                       /* 1: the notes begin: is a comment open? */
        "{",                                 /* 2: read (a brace) */
        "X_End: ;",                          /* 3: read (a colon) */
        "/* ends */",                        /* 4: read: it ends as it would either way */
        "/* a { */",                         /* 5: passed */
        "/* b : } */ /* c */",               /* 6: passed */
        "x = \"/*\";",                       /* 7: read (code) */
        "/* d */",                           /* 8: passed: the literal opened nothing */
        "/* open {",                         /* 9: read: opens one */
        "   still } open",                   /* 10: read (braces) */
        "/* closes */",                      /* 11: read: closes the open one */
        "/* e */",                           /* 12: passed */
        "/* f */ y = 1;",                    /* 13: read (code) */
        "   /* g */   ",                     /* 14: passed */
        "/* goto X_End; */",                 /* 15: read (the word) */
        "/* h */",                           /* 16: passed */
        "}",                                 /* 17 */
    };
    for (const char* l : lines)
        P3109_WriteLine(s.stream(), 0, l);
    const std::unique_ptr<GEN_HELD_LINES> held = P3109_ReadHeldLines(s.stream());
    size_t indent = 0;
    std::string_view text;
    std::vector<std::string> read;
    for (;;) {
        held->Pass(64, GEN_HELD_NOTED, "goto");
        if (!held->Next(indent, text))
            break;
        read.emplace_back(text);
    }
    const std::vector<std::string> expected = {"/* before the word", "goto X_End;", "{", "X_End: ;", "/* ends */",
                                               "x = \"/*\";", "/* open {", "   still } open", "/* closes */",
                                               "/* f */ y = 1;", "/* goto X_End; */", "}"};
    EXPECT_EQ(read, expected);
}

/* A method's lines: each line's leading blanks are its indent. */
std::vector<GEN_HELD_LINE> methodLines(const std::string& body)
{
    std::vector<GEN_HELD_LINE> lines;
    size_t from = 0;
    for (size_t nl = body.find('\n'); nl != std::string::npos; from = nl + 1, nl = body.find('\n', from)) {
        const std::string line = body.substr(from, nl - from);
        const size_t indent = line.find_first_not_of(' ');
        lines.push_back({indent == std::string::npos ? 0 : indent,
                         indent == std::string::npos ? std::string() : line.substr(indent), true, false, true});
    }
    return lines;
}

/* The jumps of lines held on a stream are mended where the lines are held,
   as the mender mends them given in memory: a C jump into a loop past its
   set-up, a C# jump back into an earlier CASE branch, a C# jump into a
   switch (refused, naming its command), jumps that reach their labels as
   written; each also with 300 lines more in the block the jump enters,
   so that the lines are read a part at a time. */
TEST_F(LineWriter, HeldJumpsAreMendedAsInMemory)
{
    struct Method {
        const char* name;
        bool csharp;
        std::string before, after; /* the filler goes between */
    };
    const Method methods[] = {
        {"C loop", false,
         "      EVALUATE_COMMAND_2\n      {\n         long lCount;\n         long lLimit;\n         lCount = 0;\n"
         "         lLimit = 2;\n         while ( lCount < lLimit )\n         {\n            T(\"top\", lCount);\n",
         "   X_Label_M01: ;\n            T(\"x\", lCount);\n            lCount++;\n         }\n      }\n"
         "      if ( a == 1 && back == 0 ) { back = 1; goto X_Label_M01; }\n"},
        {"C# case", true,
         "      int n = 0;\n      do /* A Single Iteration CASE Loop */\n      {\n         if ( a == 1 )\n"
         "         {\n            T(\"w1\");\n",
         "   X_Last_Display_0006:\n            T(\"display\");\n            n++;\n            break;\n         }\n"
         "         if ( a == 2 )\n         {\n            T(\"w2\");\n            if ( n < 2 )\n            {\n"
         "               /* Branch to computed last screen panel */\n               goto X_Last_Display_0006;\n"
         "            }\n            break;\n         }\n      } while(false); /* A single iteration CASE Loop */\n"
         "      T(\"end\" + n);\n"},
        {"C# switch", true,
         "      int i = 0;\n      pX_Fun.sSequence = 12;\n      goto X_Label_D01;\n      switch ( i )\n      {\n"
         "      case 0:\n",
         "   X_Label_D01: ;\n         T(\"x\");\n         break;\n      }\n"},
        {"C# jumps that reach", true, "   X_Label_A01: ;\n      while ( a < 3 )\n      {\n",
         "         goto X_Label_A01;\n      }\n      goto X_Label_Z99;\n   X_Label_Z99: ;\n"},
    };
    /* a line comment, whose braces, colon and slashes count for nothing */
    const std::string lineComment = "            // } ENDIF { X_Label_Q: //\n";
    for (const Method& m : methods) {
        for (const bool commented : {false, true})
        for (const int filler : {0, 300, -300}) {
            SCOPED_TRACE(std::string(m.name) + (filler > 0 ? " with filler" : filler < 0 ? " with plain filler" : "") +
                         (commented ? " and line comments" : ""));
            std::string body = m.before;
            for (int i = 0; i < filler; ++i)
                body += "            T(\"f\", " + std::to_string(i) + "); /* \"a } in a comment\" */\n";
            /* lines that hold nothing the mender looks for, with a comment
               over many of them whose braces count for nothing */
            for (int i = 0; i < -filler; ++i) {
                body += i == 70    ? "            /* a comment of many lines\n"
                        : i == 200 ? "            } { goto X_Label_M01; X_Label_Q: */\n"
                                   : "            T(\"p\", " + std::to_string(i) + ");\n";
                if (commented && i % 3 == 0)
                    body += lineComment;
            }
            if (commented)
                body += lineComment;
            body += m.after;
            /* given in memory */
            std::vector<GEN_HELD_LINE> lines = methodLines(body);
            std::string refused;
            int32_t command = -1;
            bool mended = true;
            if (m.csharp)
                mended = P3109_fMendCSharpJumps(lines, false, refused, &command);
            else
                P3109_MendJumpsPastDeclarations(lines, false);
            /* held in the file */
            HeldStream s(true);
            P3109_HoldStreamLines(s.stream(), "goto");
            for (const GEN_HELD_LINE& l : methodLines(body))
                P3109_WriteLine(s.stream(), static_cast<int16_t>(l.ulIndent), l.text);
            std::string heldRefused;
            int32_t heldCommand = -1;
            EXPECT_EQ(P3109_fMendHeldJumps(s.stream(), false, m.csharp, heldRefused, &heldCommand), mended);
            EXPECT_EQ(s.text(), written(lines));
            EXPECT_EQ(heldRefused, refused);
            if (!mended) {
                EXPECT_EQ(heldCommand, command);
            }
            if (!commented)
                continue;
            /* the line comments change nothing of the mending: with them
               taken out, the lines are those mended without them */
            std::string plain = body;
            for (size_t at = plain.find(lineComment); at != std::string::npos; at = plain.find(lineComment, at))
                plain.erase(at, lineComment.size());
            std::vector<GEN_HELD_LINE> without = methodLines(plain);
            if (m.csharp)
                P3109_fMendCSharpJumps(without, false, refused, &command);
            else
                P3109_MendJumpsPastDeclarations(without, false);
            std::erase_if(lines, [&](const GEN_HELD_LINE& l) { return l.text + "\n" == lineComment.substr(12); });
            EXPECT_EQ(written(lines), written(without));
        }
    }
}

/* Comments of every kind around a method's lines (closed ones holding
   braces and labels, comments over many lines, a closed-looking line that
   ends an open comment, a literal holding a comment's opening, line
   comments) change nothing of how its held jumps are mended: mended where
   the lines are held, they are those mended in memory, which reads every
   line. Each method begins with a jump, so that the lines after it are
   noted. */
TEST_F(LineWriter, HeldJumpsAreMendedAsInMemoryWhateverCommentsLieAround)
{
    struct Method {
        bool csharp;
        std::string before, after;
    };
    const std::string start = "      goto X_Label_S00;\n   X_Label_S00: ;\n";
    const Method methods[] = {
        {false,
         start + "      {\n         long lCount;\n         long lLimit;\n         lCount = 0;\n"
                 "         lLimit = 2;\n         while ( lCount < lLimit )\n         {\n            T(\"top\", lCount);\n",
         "   X_Label_M01: ;\n            T(\"x\", lCount);\n            lCount++;\n         }\n      }\n"
         "      if ( a == 1 && back == 0 ) { back = 1; goto X_Label_M01; }\n"},
        {true,
         start + "      int n = 0;\n      do\n      {\n         if ( a == 1 )\n         {\n            T(\"w1\");\n",
         "   X_Last_Display_0006:\n            T(\"display\");\n            n++;\n            break;\n         }\n"
         "         if ( a == 2 )\n         {\n            T(\"w2\");\n            if ( n < 2 )\n            {\n"
         "               goto X_Last_Display_0006;\n            }\n            break;\n         }\n"
         "      } while(false);\n      T(\"end\" + n);\n"},
    };
    const std::vector<std::vector<std::string>> pieces = {
        {"/* } { X_Label_Q: */"},
        {"/* a { */ /* b : } */"},
        {"/* over many lines {", "   X_Label_Q: } goto X_Label_M01;", "   } */"},
        {"/* opens {", "/* and is closed here } */"},
        {"T(\"/* { not a comment\");"},
        {"// } a line comment { X_Label_Q:"},
        {"T(1); /* } */"},
        {"/* { */ T(2);"},
    };
    std::mt19937 random(20261211);
    int changed = 0;
    for (int round = 0; round < 200; ++round) {
        const Method& m = methods[round % 2];
        std::vector<std::string> lines;
        const auto add = [&](const std::string& text) {
            for (size_t from = 0, nl = text.find('\n'); nl != std::string::npos; from = nl + 1, nl = text.find('\n', from))
                lines.push_back(text.substr(from, nl - from));
        };
        add(m.before);
        for (int i = 0; i < 100; ++i)
            lines.push_back("            T(\"f\", " + std::to_string(i) + ");");
        add(m.after);
        /* pieces put between the lines, from the last place back */
        std::vector<size_t> places;
        for (int k = static_cast<int>(random() % 12); k >= 0; --k)
            places.push_back(random() % (lines.size() + 1));
        std::sort(places.rbegin(), places.rend());
        for (const size_t at : places) {
            const std::vector<std::string>& piece = pieces[random() % pieces.size()];
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
        }
        std::string body;
        for (const std::string& l : lines)
            body += l + "\n";
        SCOPED_TRACE(body);
        std::vector<GEN_HELD_LINE> inMemory = methodLines(body);
        const std::string unmended = written(inMemory);
        std::string refused, heldRefused;
        int32_t command = -1, heldCommand = -1;
        bool mended = true;
        if (m.csharp)
            mended = P3109_fMendCSharpJumps(inMemory, false, refused, &command);
        else
            P3109_MendJumpsPastDeclarations(inMemory, false);
        HeldStream s(true);
        P3109_HoldStreamLines(s.stream(), "goto");
        for (const GEN_HELD_LINE& l : methodLines(body))
            P3109_WriteLine(s.stream(), static_cast<int16_t>(l.ulIndent), l.text);
        EXPECT_EQ(P3109_fMendHeldJumps(s.stream(), false, m.csharp, heldRefused, &heldCommand), mended);
        EXPECT_EQ(s.text(), written(inMemory));
        EXPECT_EQ(heldRefused, refused);
        changed += written(inMemory) != unmended;
    }
    /* the jumps are mended in most of the methods, whatever the pieces */
    EXPECT_GT(changed, 150);
}

TEST_F(LineWriter, SixQueuesKeepIndentAndFlushAtTheirPoints)
{
    Capture main;
    GEN_OUTPUT_STATE& o = P3109_State().out;
    o.mainOutput = main.stream();
    for (GEN_STREAM q = 1; q <= 6; ++q)
        P3109_WriteLine(q, static_cast<int16_t>(3 * q), "queue " + std::to_string(q));
    const int points[] = {56, 55, 54, 53, 121, 120};
    for (int p : points) {
        P3109_SetSkeletonLine("%" + std::to_string(p) + " ");
        P3109_ProcessSkeletonLine();
        EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    }
    EXPECT_EQ(main.text(), "            queue 4 \r\n"
                           "         queue 3 \r\n"
                           "      queue 2 \r\n"
                           "   queue 1 \r\n"
                           "                  queue 6 \r\n"
                           "               queue 5 \r\n");
    /* a queue is not emptied: a second flush writes its line again */
    P3109_SetSkeletonLine("%53 ");
    P3109_ProcessSkeletonLine();
    EXPECT_EQ(main.text().substr(main.text().size() - 13), "   queue 1 \r\n");
}

/* A queue of a large program, lines of every length far past what a queue
   keeps in memory, comes back whole and in order each time it is written;
   written into itself, it gets once more the lines it held when it
   began. */
TEST_F(LineWriter, ALargeQueueComesBackWholeEachTimeItIsWritten)
{
    Capture main;
    P3109_State().out.mainOutput = main.stream();
    std::string lines;
    for (int i = 0; i < 6000; ++i) {
        const std::string text = "line " + std::to_string(i) + std::string(static_cast<size_t>(i % 97), 'x');
        const int16_t indent = static_cast<int16_t>(i % 7);
        P3109_WriteLine(3, indent, text);
        lines += std::string(static_cast<size_t>(indent), ' ') + text + " \r\n";
    }
    P3109_WriteDeferredQueue3();
    P3109_WriteDeferredQueue3();
    EXPECT_TRUE(main.text() == lines + lines);
    P3109_WriteLineQueue(3, 3);
    EXPECT_EQ(P3109_State().out.queues[2].size(), 12000u);
    P3109_WriteDeferredQueue3();
    EXPECT_TRUE(main.text() == lines + lines + lines + lines);
    P3109_ClearQueues();
    EXPECT_TRUE(P3109_State().out.queues[2].empty());
}

/* The queue itself: indents, empty texts and a text past 65,535 bytes come
   back as they were put; a reader made before more lines are added stops
   at the lines there when it was made. */
TEST_F(LineWriter, QueuedLinesComeBackAsTheyWerePut)
{
    GEN_LINE_QUEUE queue;
    const std::string longText(70000, 'L');
    std::vector<std::pair<uint16_t, std::string>> put;
    for (int i = 0; i < 3000; ++i) {
        std::string text = i == 1500     ? longText
                           : i % 10 == 0 ? std::string()
                                         : std::string(static_cast<size_t>(i % 200), 'a' + static_cast<char>(i % 26));
        put.emplace_back(static_cast<uint16_t>(i % 40), text);
        queue.push_back(static_cast<uint16_t>(i % 40), text);
    }
    ASSERT_EQ(queue.size(), put.size());
    size_t n = 0;
    for (const GEN_QUEUED_LINE& l : queue) {
        /* added while reading: not read by this reader */
        queue.push_back(1, "added");
        ASSERT_LT(n, put.size());
        EXPECT_EQ(l.usIndent, put[n].first);
        EXPECT_TRUE(l.text == put[n].second) << "line " << n;
        ++n;
    }
    EXPECT_EQ(n, put.size());
    EXPECT_EQ(queue.size(), 2 * put.size());
    n = 0;
    for (const GEN_QUEUED_LINE& l : queue) {
        if (n >= put.size()) {
            EXPECT_EQ(l.usIndent, 1);
            EXPECT_EQ(l.text, "added");
        }
        ++n;
    }
    EXPECT_EQ(n, 2 * put.size());
    queue.clear();
    EXPECT_TRUE(queue.empty());
    EXPECT_TRUE(queue.begin() == queue.end());
}

TEST_F(LineWriter, SuppressedLinesAreNeitherQueuedNorFlushed)
{
    Capture main;
    GEN_OUTPUT_STATE& o = P3109_State().out;
    o.mainOutput = main.stream();
    o.cSuppress = 'Y';
    P3109_WriteLine(2, 0, "never queued");
    o.cSuppress = 'N';
    P3109_WriteLine(2, 0, "queued");
    o.cSuppress = 'Y';
    P3109_WriteDeferredQueue2();
    o.cSuppress = 'N';
    EXPECT_EQ(main.text(), "");
    P3109_WriteDeferredQueue2();
    EXPECT_EQ(main.text(), "queued \r\n");
}

TEST_F(LineWriter, BoxesAndComments)
{
    Capture c;
    P3109_WriteDoubleBoxComment(c.stream(), "ABCDEFGHIJ");
    const std::string rule = "/* " + std::string(65, '=') + " */";
    ASSERT_EQ(rule.size(), 71u);
    EXPECT_EQ(c.text(),
              "  \r\n  \r\n" + rule + " \r\n/* ABCDEFGHIJ" + std::string(55, ' ') + " */ \r\n" + rule + " \r\n");

    Capture d;
    P3109_WriteDashedBoxComment(d.stream(), "RC");
    EXPECT_EQ(d.text(), "  \r\n   /* -- */ \r\n   /* RC */ \r\n   /* -- */ \r\n  \r\n");

    Capture e;
    P3109_State().out.current = e.stream();
    P3109_State().out.usIndent = 3;
    P3109_WriteComment("note");
    P3109_WriteOpenBrace();
    P3109_Line("x;");
    P3109_WriteCloseBrace();
    EXPECT_EQ(e.text(), "     \r\n   /* note */ \r\n     \r\n   { \r\n      x; \r\n   } \r\n");
}

TEST_F(LineWriter, ShortConstantColumns)
{
    Capture c;
    P3109_WriteShortConstant(c.stream(), 0, "V_CUSTNO", -12);
    P3109_WriteShortConstant(c.stream(), 1, "S_COUNT", 7);
    std::string define = "#define V_CUSTNO" + std::string(44, ' ') + "-12";
    define.resize(79, ' ');
    std::string stat = "static const X_SHORT S_COUNT" + std::string(32, ' ') + "= 7;";
    stat.resize(79, ' ');
    EXPECT_EQ(c.text(), define + " \r\n" + stat + " \r\n");
}

TEST_F(LineWriter, DefineLineKeepsItsColumnsAndEndsAtTheValue)
{
    Capture c;
    P3109_WriteDefineLine(c.stream(), "BYTE_LEN_V_FIELD_CUSTNO", "4");
    P3109_WriteDefineLine(c.stream(), "BYTE_LEN_V_FIELD_NONE", "");
    EXPECT_EQ(c.text(), "#define BYTE_LEN_V_FIELD_CUSTNO" + std::string(29, ' ') + "4 \r\n" +
                            "#define BYTE_LEN_V_FIELD_NONE \r\n");
}

TEST_F(LineWriter, LinesOfManyBuffersAndTextWrittenToTheFileItselfKeepTheirOrder)
{
    // more than one gathering buffer of lines, text written straight to
    // the file between them, and the file read back between the rounds:
    // every line once, in the order written, the indents of all widths
    Capture c;
    std::string expected;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 4000; ++i) {
            const int16_t indent = static_cast<int16_t>((i * 7 + round) % 40);
            const std::string text = "line " + std::to_string(round) + "." + std::to_string(i);
            P3109_WriteLine(c.stream(), indent, text);
            expected += std::string(static_cast<size_t>(indent), ' ') + text + " \r\n";
            if (i % 1500 == 0) {
                FILE* f = P3109_pStreamFile(c.stream());
                ASSERT_NE(f, nullptr);
                std::fputs("/* straight */\r\n", f);
                expected += "/* straight */\r\n";
            }
        }
        EXPECT_EQ(c.text(), expected) << "round " << round;
    }
    EXPECT_GT(expected.size(), 3u * 64 * 1024);
}

TEST_F(LineWriter, AWrittenFileOfMegabytesGetsEveryLineInOrderAsItsBufferGrows)
{
    // a written file goes past stdio in whole buffers, and a large one's
    // buffer grows after its first ones: lines up to the length limit, of
    // every indent, and text written to the file itself before and after
    // the growth, all reach the file once and in order
    char path[] = "/tmp/dqov-line-writer-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    FILE* file = fdopen(fd, "wb");
    ASSERT_NE(file, nullptr);
    GEN_STREAM stream = P3109_AddFileStream(file, "X:\\OUT\\LARGE.C", true);
    std::string expected;
    for (int i = 0; i < 12000; ++i) {
        const int16_t indent = static_cast<int16_t>(i % 33);
        const size_t length =
            i % 997 == 0 ? GEN_LINE_LIMIT - static_cast<size_t>(indent) : 20 + static_cast<size_t>(i % 150);
        std::string text(length, static_cast<char>('a' + i % 26));
        text.replace(0, std::min(length, size_t{6}), std::to_string(100000 + i).substr(0, std::min(length, size_t{6})));
        P3109_WriteLine(stream, indent, text);
        expected += std::string(static_cast<size_t>(indent), ' ') + text + " \r\n";
        if (i % 2500 == 1) {
            FILE* f = P3109_pStreamFile(stream);
            ASSERT_NE(f, nullptr);
            std::fputs("/* straight */\r\n", f);
            expected += "/* straight */\r\n";
        }
    }
    P3109_CloseStream(stream);
    ASSERT_GT(expected.size(), size_t{20} * 64 * 1024);  // past the growth and through many large buffers
    const std::string written = testsupport::readFile(path);
    std::remove(path);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

TEST_F(LineWriter, AWriteThatFailsEndsTheJobNamingTheFile)
{
    // /dev/full takes nothing: the lines gathered fail when they go to the
    // file, at the latest when it is closed; no failed write passes as done
    for (const size_t lines : {size_t{3}, size_t{20000}}) {
        FILE* full = std::fopen("/dev/full", "wb");
        ASSERT_NE(full, nullptr);
        GEN_STREAM stream = P3109_AddFileStream(full, "X:\\OUT\\FULL.C", true);
        std::string fatal;
        try {
            for (size_t i = 0; i < lines; ++i)
                P3109_WriteLine(stream, 0, "a line of the generated program");
            P3109_CloseStream(stream);
        } catch (const Exited&) {
            fatal = "ended";
        }
        EXPECT_EQ(fatal, "ended") << lines << " lines";
        P3109_DropAllStreams();
    }
    // a stream that is only read is closed without the checks
    FILE* in = std::fopen("/dev/null", "rb");
    GEN_STREAM read = P3109_AddFileStream(in, "X:\\IN", false);
    EXPECT_NO_THROW(P3109_CloseStream(read));
}

}  // namespace
}  // namespace gencore_test

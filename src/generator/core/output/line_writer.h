/*
** line_writer.h: the one line writer of the generator, its stream table,
** the six deferred line queues, indentation and the small fixed writers.
**
** Every generated line goes through P3109_WriteLine: indent blanks, the
** text, one blank, a backslash while a macro is being continued, and
** "\r\n". Lines bound for the main output or the second suppressible
** stream are dropped while the skeleton's current condition is false, and
** nothing is written while the output-suppression flag is 'Y'. A line
** longer than GEN_LINE_LIMIT is cut to the limit and reported as a fatal
** message, so a broken generated program is never taken for a good one.
*/
#ifndef GENERATOR_CORE_LINE_WRITER_H
#define GENERATOR_CORE_LINE_WRITER_H

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/output/gen_state.h"

inline constexpr size_t GEN_LINE_LIMIT = 4096;

/* ---- stream table ---- */
/* Enters an open file into the stream table; returns its stream number
** (GEN_NO_STREAM for a null file). The name is the one a failed write of an
** output file names; a failed write, flush or close of an output file is a
** fatal end of the job (P3109_FatalWriteError). */
GEN_STREAM P3109_AddFileStream(FILE* pFile, std::string_view name = {}, bool fOutput = false);
/* Ends the job: the generated file could not be written (errno value, or 0). */
[[noreturn]] void P3109_FatalWriteError(std::string_view name, int error);
/* Marks a stream as a C# source file: a line of C text is never written
** to it (the generation fails with PRC1250 instead). */
void P3109_MarkCSharpStream(GEN_STREAM stream);
/* The file behind a stream number, or null. The lines written to the
** stream so far are in the file when it is returned, so the caller may
** write to it directly. */
FILE* P3109_pStreamFile(GEN_STREAM stream);
/* Closes the file of a stream and clears the caller's slot (a null stream
** is skipped); for an output file, what it holds is checked to have been
** written. */
void P3109_CloseStream(GEN_STREAM& stream);
/* Closes every stream still open (end of a job), checked as above. */
void P3109_CloseAllStreams();
/* Closes every stream of an abandoned job, its unwritten text dropped. */
void P3109_DropAllStreams();

/* ---- lines ---- */
void P3109_WriteLine(GEN_STREAM stream, int16_t sIndent, std::string_view text);
void P3109_WriteFileLine(int fAppendBlank, std::string_view text, GEN_STREAM stream);
/* Whether the stream writes a line of P3109_WriteFileLine with its blank
** appended as it stands: its lines are not suppressed, dropped, held or
** refused, and no macro is continued. */
bool P3109_fTakesLinesAsWritten(GEN_STREAM stream);
/* Writes whole lines to such a stream in one piece, as P3109_WriteFileLine
** writes them one by one: each a text of at most GEN_LINE_LIMIT bytes,
** holding no NUL and not ending in a blank, form feed or line end byte,
** then a blank and "\r\n". */
void P3109_WriteLinesAsWritten(GEN_STREAM stream, std::string_view lines);
/* Writes the text at the current stream and indent. */
void P3109_Line(std::string_view text);

/* ---- held lines ---- */
/* A line held back from its file: its indent, its text, and whether the
** writer appends a blank, the macro continuation mark and the line end. */
struct GEN_HELD_LINE {
    size_t ulIndent = 0;
    std::string text;
    bool fBlank = true;
    bool fMacro = false;
    bool fEnd = true;
};
/* The bytes for which a line held in its file is noted as it is written
** (with line ends and the watched text): a reader of the held lines passes
** a line that holds none of them by its line end alone (Pass). A line
** comment (P3109_fLineComment) is not noted for its bytes, nor is a closed
** comment: a line of nothing but comments and blanks, with no comment open
** before it or after it as the lines held before it are read. */
inline constexpr std::string_view GEN_HELD_NOTED = "{}/:";
/* Whether the text is a "//" comment from its first byte that is neither
** a blank nor a tab, and holds no "*" "/" pair and no line end byte: with a
** comment open before it or not, it holds no code and leaves that as it
** was. */
bool P3109_fLineComment(std::string_view text);
/* From now on the lines written to a file stream are held back (as the
** writer would write them: the skeleton's condition and the line limit
** applied), until they are taken or released; each is looked at for the
** watched text. A stream held already goes on holding as it was. A written
** file open for reading too holds its lines in the file itself, and cuts
** them off again when they are taken: what a direct writer of the file
** (P3109_pStreamFile) writes still goes before them. */
void P3109_HoldStreamLines(GEN_STREAM stream, std::string_view watched = {});
/* Whether a line held since the holding began holds the watched text. */
bool P3109_fHeldLinesHold(GEN_STREAM stream);
/* Ends the holding and answers the lines held (none for a stream that
** held none). A line held in the file comes back as it was written: its
** indent as blanks at the start of its text (ulIndent 0), which the writer
** writes the same. */
std::vector<GEN_HELD_LINE> P3109_TakeHeldLines(GEN_STREAM stream);
/* Ends the holding; the lines held go to the file as they were written. */
void P3109_ReleaseHeldLines(GEN_STREAM stream);

/* The lines held on a stream, read one after another where they are held,
** with no copy of them all: from a place got by Mark() earlier, Seek()
** reads on from there. A line held in the file reads as TakeHeldLines
** answers it. The stream must go on holding, unwritten to, while it is
** read. */
class GEN_HELD_LINES {
public:
    virtual ~GEN_HELD_LINES() = default;
    virtual uint64_t Mark() const = 0;
    virtual void Seek(uint64_t mark) = 0;
    /* The next line's indent and text (valid until the next call); false
    ** after the last. */
    virtual bool Next(size_t& ulIndent, std::string_view& text) = 0;
    /* Passes over the next lines, at most ulMost, whose text holds none of
    ** `bytes` or is a line comment (P3109_fLineComment), and does not hold
    ** `word` (none when empty), or over fewer of them (the lines held in a
    ** file are passed as far as their notes tell: up to a line holding one
    ** of GEN_HELD_NOTED outside a line comment and a closed comment, a line
    ** end's byte or the watched text); answers how many it passed. The line
    ** read next is the first it did not pass. */
    virtual size_t Pass(size_t ulMost, std::string_view bytes, std::string_view word);
};
/* The lines of a vector, read as held lines (the vector outlives the reader). */
class GEN_VECTOR_HELD_LINES final : public GEN_HELD_LINES {
public:
    explicit GEN_VECTOR_HELD_LINES(const std::vector<GEN_HELD_LINE>& lines) : lines_(lines) {}
    uint64_t Mark() const override { return at_; }
    void Seek(uint64_t mark) override { at_ = static_cast<size_t>(mark); }
    bool Next(size_t& ulIndent, std::string_view& text) override
    {
        if (at_ >= lines_.size())
            return false;
        ulIndent = lines_[at_].ulIndent;
        text = lines_[at_++].text;
        return true;
    }

private:
    const std::vector<GEN_HELD_LINE>& lines_;
    size_t at_ = 0;
};
/* A reader of the lines a stream holds (none for a stream that holds none). */
std::unique_ptr<GEN_HELD_LINES> P3109_ReadHeldLines(GEN_STREAM stream);
/* Ends the holding of lines held in the file and hands them to `rewrite`,
** with the writer of the lines that replace them (an indent and a text,
** written as a held line was): the lines are read from a scratch copy, one
** after another, never all in memory. False, with nothing done, when the
** stream holds no lines in its file or no scratch copy can be made. */
using GEN_HELD_WRITER = std::function<void(size_t ulIndent, std::string_view text)>;
using GEN_HELD_REWRITE = std::function<void(GEN_HELD_LINES& lines, const GEN_HELD_WRITER& write)>;
bool P3109_fRewriteHeldLines(GEN_STREAM stream, const GEN_HELD_REWRITE& rewrite);
/* Writes lines to a file stream as they were held. */
void P3109_WriteHeldLines(GEN_STREAM stream, const std::vector<GEN_HELD_LINE>& lines);

#if DQOV_TEST_HOOKS
/* Whether held lines are looked at thirty-two bytes at a time where the
** processor can (the default) or as on any other; answers whether it can. */
bool P3109_TestWideHeldLines(bool fWide);
#endif

/* ---- deferred queues ---- */
void P3109_WriteLineQueue(int iQueue, GEN_STREAM stream);
void P3109_WriteDeferredQueue1();
void P3109_WriteDeferredQueue2();
void P3109_WriteDeferredQueue3();
void P3109_WriteDeferredQueue4();
void P3109_WriteDeferredQueue5();
void P3109_WriteDeferredQueue6();
/* Discards every queued line (end of generation). */
void P3109_ClearQueues();

/* ---- indentation and braces ---- */
void P3109_IndentIn();
void P3109_IndentOut();
void P3109_WriteOpenBrace();
void P3109_WriteCloseBrace();

/* ---- comments and fixed lines ---- */
void P3109_WriteComment(std::string_view text);
void P3109_WriteCommentAfterBlank(std::string_view text);
void P3109_WriteCommentBeforeBlank(std::string_view text);
void P3109_WriteDashedBoxComment(GEN_STREAM stream, std::string_view text);
void P3109_WriteDoubleBoxComment(GEN_STREAM stream, std::string_view text);
void P3109_WriteGenericOdbcIf(GEN_STREAM stream);
void P3109_WriteGenericOdbcEndif(GEN_STREAM stream);
void P3109_WriteShortConstant(GEN_STREAM stream, int fStaticForm, std::string_view name, int16_t sValue);
/* "#define" at column 0, the name from column 8, the value from column 60;
** the line ends at the value (the writer adds its one blank). */
void P3109_WriteDefineLine(GEN_STREAM stream, std::string_view name, std::string_view value);
/* The C# constants: "public const int %s = %d;" and the same with a text. */
void P3109_WritePublicConstInt(GEN_STREAM stream, std::string_view name, int32_t lValue);
void P3109_WritePublicConstIntText(GEN_STREAM stream, std::string_view name, std::string_view value);

#endif

/*
** line_writer.cpp: the generator's line writer, stream table and deferred
** queues.
*/
#include "generator/core/output/line_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "dqov/runcontrol/fatal.h"
#include "generator/core/output/code_runs.h"
#include "generator/core/output/command_state.h"
#include "generator/core/output/csharp_text.h"
#include "generator/core/output/services.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

/* While a deferred queue is written out. */
bool g_replaying = false;

#if defined(__x86_64__)
/* Whether held lines are looked at thirty-two bytes at a time: the
** processor is asked when a stream first holds its lines (the line writer
** keeps no static constructor). */
constinit bool g_wideHeld = false;
constinit bool g_wideAsked = false;

bool wideProcessor()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
#endif

/* A file stream and the generated text not yet handed to its file. Lines
** are gathered in the slot's buffer, the only large buffer of the file:
** generated programs run to megabytes, and stdio hands a full buffer to the
** file in whole blocks of its own small one. Anyone who asks for the file
** itself gets it with everything before written. A generation keeps
** several files open at once, so a buffer starts small (16 KB); a file
** that has taken sixteen of them is a large one, and its buffer grows to
** 32 KB: the file system takes a program of megabytes in fewer, larger
** writes, each far cheaper for it than two small ones. A larger buffer saves
** little more time, and a job of thousands of commands writes several
** large files at once, every page of each buffer resident. */
constexpr size_t kPendingSize = 16 * 1024;
constexpr size_t kLargePendingSize = 32 * 1024;
constexpr unsigned kFlushesBeforeGrowing = 16;
/* Room past the buffer's end: a line's indent is laid down as one fixed
** piece of blanks, which may reach past the line. */
constexpr size_t kIndentPiece = 32;
constexpr char kBlanks[kIndentPiece + 1] = "                                ";

struct StreamSlot {
    FILE* file = nullptr;
    std::unique_ptr<char[]> pending;
    size_t ulUsed = 0;
    size_t ulCapacity = 0; /* the buffer's size, without the indent piece past it */
    unsigned flushes = 0;  /* of a written file's buffer, until it has grown */
    bool fCSharp = false;  /* a C# source file */
    std::string name;      /* the file's name, for the message of a failed write */
    bool output = false;   /* written: every write, the flush and the close are checked */
    bool holding = false;  /* lines are held back, not written for good */
    /* A written file that can be read back holds its lines in the file
    ** itself: they are written on from holdStart, and read back (the file
    ** cut there) only when they are taken, so a method of megabytes costs
    ** no memory. Other files hold them in `held`. */
    bool holdInFile = false;
    off_t holdStart = 0;
    std::string watched;       /* the text a held line is looked at for */
    char mark = '\r';          /* its first byte; a carriage return for none (heldMark) */
    char markNext = 0;         /* its second byte, when it has one (markPaired) */
    bool markPaired = false;
    bool watchedSeen = false;  /* a line held since the holding began holds it */
    std::vector<GEN_HELD_LINE> held;
    /* Of each line held in the file, in order, a bit: set for a line whose
    ** text holds a byte of GEN_HELD_NOTED (a line comment's aside), a
    ** carriage return, a line feed or the watched text; 64 lines to a word. A reader of the held lines
    ** passes the others by their line ends alone. The lines are only
    ** counted until one holds the watched text (lines that hold none are
    ** seldom read again): the notes begin there, every line before it set.
    ** Kept while every line held in the file was counted. */
    std::vector<uint64_t> notes;
    size_t notedLines = 0;
    /* Where lines held in the file begin, from holdStart, once the notes
    ** begin (notesFrom, the first line noted for itself): the next one
    ** (heldBytes), the first of each word of notes begun since (wordAt,
    ** one for each word) and each noted one (notedAt). A reader goes to
    ** them with no look at the lines between. */
    uint64_t heldBytes = 0;
    std::vector<uint64_t> wordAt;
    std::vector<uint64_t> notedAt;
    size_t notesFrom = 0;
    bool notesKept = false;
    bool noting = false;
    /* Whether a comment is open after the last line noted (as the reader of
    ** the lines, gen_code::codeRuns, finds it): unknown when the notes begin,
    ** since the lines counted before them were not looked at for it, until
    ** a line tells it whatever was open before it. */
    enum class Comment : uint8_t { Closed, Open, Unknown };
    Comment comment = Comment::Unknown;
    /* The writer's common line may be written here: the file is open, has
    ** its buffer, is no C# source file and holds no lines in memory (kept
    ** by refreshCommon wherever one of them changes). */
    bool common = false;
    GEN_STREAM self = GEN_NO_STREAM; /* the slot's stream number */
};

/* Sets the slot's common mark from what it stands for. */
inline void refreshCommon(StreamSlot& slot)
{
    slot.common = slot.file && slot.pending && !slot.fCSharp && !(slot.holding && !slot.holdInFile);
}

/* Constant-initialised, so the line writer reaches it without a guard. */
constinit std::vector<StreamSlot> g_slots;
/* Its number of slots, kept beside it: the table only grows. */
constinit size_t g_slotCount = 0;

std::vector<StreamSlot>& streamTable()
{
    return g_slots;
}

inline StreamSlot* streamSlot(GEN_STREAM stream)
{
    const size_t i = static_cast<size_t>(stream) - GEN_FIRST_FILE_STREAM;  // wraps below the first file stream
    return i < g_slots.size() && g_slots[i].file ? &g_slots[i] : nullptr;
}

/* Notes the next line held in the file (notes), of `length` bytes. */
[[gnu::always_inline]] inline void noteLine(StreamSlot& slot, bool fNoted, size_t length)
{
    const uint64_t at = slot.heldBytes;
    slot.heldBytes = at + length;
    const size_t bit = slot.notedLines++ % 64;
    if (bit == 0) {
        slot.notes.push_back(0);
        slot.wordAt.push_back(at);
    }
    slot.notes.back() |= static_cast<uint64_t>(fNoted) << bit;
    if (fNoted)
        slot.notedAt.push_back(at);
}

/* The notes begin with the next line: every line counted so far is set. */
[[gnu::cold, gnu::noinline]] void beginNotes(StreamSlot& slot)
{
    slot.noting = true;
    slot.comment = StreamSlot::Comment::Unknown;
    slot.notesFrom = slot.notedLines;
    slot.notes.assign((slot.notedLines + 63) / 64, ~uint64_t{0});
    if (const size_t tail = slot.notedLines % 64)
        slot.notes.back() = (uint64_t{1} << tail) - 1;
    /* the lines counted so far are in the file or the buffer; the words
       they fill are never gone to (their lines are all noted) */
    slot.wordAt.assign(slot.notes.size(), 0);
    /* (a reader finds the count of every byte held wrong, and goes without
       the notes, should the file have taken any other way) */
    const off_t written = ::lseek(fileno(slot.file), 0, SEEK_CUR);
    slot.heldBytes = static_cast<uint64_t>(written) + slot.ulUsed - static_cast<uint64_t>(slot.holdStart);
}

/* Counts or notes the next line held in the file, the watched text seen
** (or not) in it already; it runs `length` bytes. */
[[gnu::cold, gnu::noinline]] void noteFirstLine(StreamSlot& slot, size_t length)
{
    beginNotes(slot);
    noteLine(slot, true, length);
}

[[gnu::always_inline]] inline void countLine(StreamSlot& slot, bool fNoted, size_t length)
{
    if (slot.noting)
        noteLine(slot, fNoted, length);
    else if (slot.watchedSeen)
        noteFirstLine(slot, length);
    else
        ++slot.notedLines;
}

/* What copyHeldText finds in a held line's text. */
enum : unsigned {
    kHeldNul = 1,     /* a NUL byte */
    kHeldReturn = 2,  /* a carriage return */
    kHeldNoted = 4,   /* a byte of GEN_HELD_NOTED or a line feed */
    kHeldMark = 8,    /* the byte `mark`, the watched text's first */
};

/* What a held line's text holds (kHeld...), `mark` the watched text's first. */
unsigned heldFound(std::string_view text, char mark)
{
    static constexpr auto kinds = [] {
        std::array<uint8_t, 256> k{};
        k[0] = kHeldNul;
        k[static_cast<unsigned char>('\r')] = kHeldReturn;
        k[static_cast<unsigned char>('\n')] = kHeldNoted;
        for (const char c : GEN_HELD_NOTED)
            k[static_cast<unsigned char>(c)] = kHeldNoted;
        return k;
    }();
    unsigned found = 0;
    for (const char c : text)
        found |= kinds[static_cast<unsigned char>(c)] | (c == mark ? kHeldMark : 0u);
    return found;
}

/* Of a line holding a byte of GEN_HELD_NOTED, not a line comment: follows
** the comment open from the line before to the line after, and answers
** whether the line is a closed comment (no comment open before or after
** it, no code but blanks): such a line opens and closes no block and holds
** no label, so a reader may pass it. A slash alone can begin or end a
** comment; a line of its own line end cannot be followed as the reader
** reads it, and leaves the comment unknown. */
[[gnu::noinline]] bool closedComment(StreamSlot& slot, std::string_view text)
{
    using Comment = StreamSlot::Comment;
    if (!std::memchr(text.data(), '/', text.size()))
        return false;
    if (std::memchr(text.data(), '\n', text.size())) {
        slot.comment = Comment::Unknown;
        return false;
    }
    if (slot.comment == Comment::Unknown) {
        /* a line that ends as it would with a comment open before it or not tells it */
        bool closed = false, open = true;
        gen_code::holdsCode(text, closed);
        gen_code::holdsCode(text, open);
        if (closed == open)
            slot.comment = closed ? Comment::Open : Comment::Closed;
        return false;
    }
    const bool before = slot.comment == Comment::Open;
    bool after = before;
    const bool code = gen_code::holdsCode(text, after);
    slot.comment = after ? Comment::Open : Comment::Closed;
    return !before && !after && !code;
}

/* Whether a held line's text, found to hold what `found` tells, is one the
** notes set a bit for. Lines are noted once the watched text is seen: a
** line noted for its other bytes is not looked at for it. */
inline bool notedHeld(StreamSlot& slot, std::string_view text, unsigned found)
{
    /* a line comment opens with a slash, a blank or a tab */
    const bool mayComment = !text.empty() && (text[0] == '/' || text[0] == ' ' || text[0] == '\t');
    if ((found & kHeldReturn) != 0) {
        slot.comment = StreamSlot::Comment::Unknown;
        return true;
    }
    if ((found & kHeldNoted) && !(mayComment && P3109_fLineComment(text)) && !closedComment(slot, text))
        return true;
    if ((found & kHeldMark) && !slot.watched.empty() && text.find(slot.watched) != std::string_view::npos) {
        slot.watchedSeen = true;
        return true;
    }
    return false;
}

inline char heldMark(const StreamSlot& slot)
{
    return slot.mark;
}

/* The notes start afresh (a holding begins) or are dropped (it ends). */
void resetNotes(StreamSlot& slot, bool fKept)
{
    slot.notes.clear();
    slot.wordAt.clear();
    slot.notedAt.clear();
    if (!fKept) {
        slot.notes.shrink_to_fit();
        slot.wordAt.shrink_to_fit();
        slot.notedAt.shrink_to_fit();
    }
    slot.notedLines = 0;
    slot.heldBytes = 0;
    slot.notesFrom = 0;
    slot.notesKept = fKept;
    slot.noting = false;
}

void failedWrite(const StreamSlot& slot, int error)
{
    P3109_FatalWriteError(slot.name, error);
}

void flushPending(StreamSlot& slot)
{
    if (slot.ulUsed == 0)
        return;
    const size_t ulUsed = slot.ulUsed;
    slot.ulUsed = 0;
    if (!slot.output) {
        if (std::fwrite(slot.pending.get(), 1, ulUsed, slot.file) != ulUsed)
            failedWrite(slot, errno);
        return;
    }
    /* A written file takes the whole buffer in one write, past stdio, whose
    ** small buffer would split it; what was written through stdio goes
    ** first, so the file keeps the order of the writes. */
    if (std::fflush(slot.file) != 0) {
        failedWrite(slot, errno);
        return;
    }
    const int fd = fileno(slot.file);
    const char* at = slot.pending.get();
    size_t left = ulUsed;
    while (left > 0) {
        const ssize_t n = ::write(fd, at, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failedWrite(slot, n < 0 ? errno : ENOSPC);
            return;
        }
        at += n;
        left -= static_cast<size_t>(n);
    }
    if (slot.ulCapacity < kLargePendingSize && ++slot.flushes == kFlushesBeforeGrowing) {
        slot.pending = std::make_unique_for_overwrite<char[]>(kLargePendingSize + kIndentPiece);
        slot.ulCapacity = kLargePendingSize;
    }
}

/* Room for ulLength more bytes in the slot's buffer, flushing it when it
** is too full; null when the piece is larger than the whole buffer. */
char* reserve(StreamSlot& slot, size_t ulLength)
{
    if (slot.ulUsed + ulLength > slot.ulCapacity)
        flushPending(slot);
    if (!slot.pending) {
        slot.pending = std::make_unique_for_overwrite<char[]>(kPendingSize + kIndentPiece);
        slot.ulCapacity = kPendingSize;
        refreshCommon(slot);
    }
    if (ulLength > slot.ulCapacity)
        return nullptr;
    char* at = slot.pending.get() + slot.ulUsed;
    slot.ulUsed += ulLength;
    return at;
}

/* Closes the slot's file. For a written file the buffered text must reach
** the file system: a write that failed earlier (the stream's error mark is
** kept), a failed flush or a failed close ends the job. */
void emitLine(StreamSlot& slot, bool fAppendBlank, bool fMacro, bool fEnd, size_t ulIndent, std::string_view text);

void closeSlot(StreamSlot& slot)
{
    slot.common = false;
    /* lines still held are written as they stand */
    if (slot.holding) {
        slot.holding = false;
        for (const GEN_HELD_LINE& l : std::exchange(slot.held, {}))
            emitLine(slot, l.fBlank, l.fMacro, l.fEnd, l.ulIndent, l.text);
    }
    slot.holdInFile = false;
    resetNotes(slot, false);
    FILE* file = slot.file;
    if (!slot.output) {
        slot.file = nullptr;
        std::fclose(file);
        return;
    }
    flushPending(slot);
    errno = 0;
    const bool written = std::fflush(file) == 0 && !std::ferror(file);
    const int error = errno;
    slot.file = nullptr;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        failedWrite(slot, written ? errno : error);
}

void reportCutLine(size_t ulLength)
{
    char text[120];
    std::snprintf(text, sizeof text, "ERROR : Generated line of %zu characters cut to %zu characters", ulLength,
                  GEN_LINE_LIMIT);
    P3109_IssueTextMessage('F', text);
}

/* A line longer than the whole buffer goes straight to the file. */
[[gnu::cold, gnu::noinline]] void writeDirectly(StreamSlot& slot, size_t ulIndent, std::string_view text, bool fBlank,
                                                bool fMacro, bool fEnd)
{
    if (std::fprintf(slot.file, "%*s%.*s%s%s%s", static_cast<int>(ulIndent), "", static_cast<int>(text.size()),
                     text.data(), fBlank ? " " : "", fMacro ? "\\" : "", fEnd ? "\r\n" : "") < 0)
        failedWrite(slot, errno);
}

/* ---- lines held in their file ----
** A line held in the file is read back as the text between two line ends:
** the indent's blanks come back as blanks at the start of its text (which
** the writer writes the same), the blank the writer appended is taken off.
** That reads the line back only when the writer appended its blank, wrote
** no macro mark, ended the line and the text holds no line end of its own:
** any other line makes the slot hold in memory from then on. */

/* Where the text's first line end ("\r\n") begins, or npos. */
inline size_t lineEndIn(std::string_view text)
{
    const char* const end = text.data() + text.size();
    for (const char* p = text.data(); p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
        if (!p)
            break;
        if (p + 1 < end && p[1] == '\n')
            return static_cast<size_t>(p - text.data());
    }
    return std::string_view::npos;
}

inline bool readBackAsWritten(bool fBlank, bool fMacro, bool fEnd, std::string_view text)
{
    return fBlank && !fMacro && fEnd && lineEndIn(text) == std::string_view::npos;
}

inline void noteHeld(StreamSlot& slot, std::string_view text)
{
    if (!slot.watchedSeen && !slot.watched.empty() && text.find(slot.watched) != std::string_view::npos)
        slot.watchedSeen = true;
}

/* Everything written so far, stdio's part and the slot's, handed to the file. */
void flushAll(StreamSlot& slot)
{
    flushPending(slot);
    if (std::fflush(slot.file) != 0)
        failedWrite(slot, errno);
}

/* The lines held in the file, read a block at a time: each is the text
** before its line end, the blank the writer appended taken off. */
class FileHeldLines final : public GEN_HELD_LINES {
public:
    /* The slot's held lines, where they are held: its notes tell which
    ** lines can be passed by their line ends alone. */
    explicit FileHeldLines(StreamSlot& slot) : slot_(slot), fd_(fileno(slot.file))
    {
        flushAll(slot);
        end_ = ::lseek(fd_, 0, SEEK_CUR);
        if (end_ < slot.holdStart)
            failedWrite(slot, errno);
        at_ = slot.holdStart;
        /* the notes count every byte held, or are not used */
        if (slot.notesKept && slot.noting && static_cast<uint64_t>(end_ - slot.holdStart) == slot.heldBytes) {
            notes_ = &slot.notes;
            noted_ = slot.notedLines;
            line_ = 0;
        }
    }
    /* The lines of another file, from its start to `end` (a failure to read
    ** it is reported as one of the slot's). */
    FileHeldLines(StreamSlot& slot, int fd, off_t end) : slot_(slot), fd_(fd), end_(end) {}
    uint64_t Mark() const override { return static_cast<uint64_t>(at_); }
    void Seek(uint64_t mark) override
    {
        at_ = static_cast<off_t>(mark);
        line_ = kUnknown;
    }
    bool Next(size_t& ulIndent, std::string_view& text) override
    {
        for (;;) {
            /* the line from at_, when the buffer holds it to its end */
            if (buffered()) {
                const std::string_view rest(buffer_.get() + (at_ - from_), static_cast<size_t>(from_ + size_ - at_));
                const size_t lf = lineEndIn(rest);
                if (lf != std::string_view::npos) {
                    ulIndent = 0;
                    text = rest.substr(0, lf > 0 ? lf - 1 : 0);
                    at_ += static_cast<off_t>(lf + 2);
                    if (line_ != kUnknown) {
                        if (line_ >= slot_.notesFrom && noted(line_))
                            ++nextNoted_;
                        ++line_;
                    }
                    return true;
                }
                if (from_ + size_ >= end_)
                    return false; /* no line ends after it */
            }
            if (at_ >= end_)
                return false;
            fill();
        }
    }
    size_t Pass(size_t ulMost, std::string_view bytes, std::string_view word) override
    {
        /* the notes answer for their bytes and the watched text (a reader
           asks for the same ones each time) */
        if (!asked_ || bytes.data() != askedBytes_.data() || bytes.size() != askedBytes_.size() ||
            word.data() != askedWord_.data() || word.size() != askedWord_.size()) {
            asked_ = true;
            askedBytes_ = bytes;
            askedWord_ = word;
            notesAnswer_ = (word.empty() || word == slot_.watched) &&
                           bytes.find_first_not_of(GEN_HELD_NOTED) == std::string_view::npos;
        }
        if (!notes_ || line_ == kUnknown || !notesAnswer_)
            return GEN_HELD_LINES::Pass(ulMost, bytes, word);
        /* the lines up to the next noted one, at most ulMost of them */
        const size_t limit = line_ + std::min(ulMost, noted_ - line_);
        const size_t to = nextNotedLine(limit);
        if (to == line_)
            return 0;
        const size_t run = to - line_;
        /* where the line passed to begins is known when it is the end, a
           noted line or the first of a word of notes; else its line ends
           are counted from the last such one */
        const std::vector<uint64_t>* at = nullptr;
        size_t index = 0;
        if (to == noted_) {
            at_ = slot_.holdStart + static_cast<off_t>(slot_.heldBytes);
        } else if (to < limit) {
            at = &slot_.notedAt;
            index = nextNoted_;
        } else if (to % 64 == 0) {
            at = &slot_.wordAt;
            index = to / 64;
        } else {
            if (to / 64 != line_ / 64) {
                at_ = slot_.holdStart + static_cast<off_t>(slot_.wordAt[to / 64]);
                line_ = to / 64 * 64;
            }
            const size_t ended = passLineEnds(to - line_);
            line_ += ended;
            return run - (to - line_);
        }
        if (at) {
            if (index >= at->size()) {
                line_ = kUnknown; /* the notes do not tell; no more reading by them */
                return GEN_HELD_LINES::Pass(ulMost, bytes, word);
            }
            at_ = slot_.holdStart + static_cast<off_t>((*at)[index]);
        }
        line_ = to;
        return run;
    }

private:
    static constexpr size_t kUnknown = SIZE_MAX;

    bool buffered() const { return at_ >= from_ && at_ < from_ + size_; }

    bool noted(size_t line) const { return ((*notes_)[line / 64] >> (line % 64)) & 1u; }

    /* The first noted line from line_ on, or `limit` when none is before it. */
    size_t nextNotedLine(size_t limit) const
    {
        size_t line = line_;
        while (line < limit) {
            const uint64_t after = (*notes_)[line / 64] >> (line % 64);
            if (after != 0)
                return std::min(limit, line + static_cast<size_t>(__builtin_ctzll(after)));
            line = (line / 64 + 1) * 64;
        }
        return limit;
    }

    /* Moves past the next `count` line feeds (each the end of a line whose
    ** text holds none); answers how many it found. */
    size_t passLineEnds(size_t count)
    {
        size_t found = 0;
        while (found < count) {
            if (!buffered()) {
                if (at_ >= end_)
                    break;
                fill();
                continue;
            }
            const char* p = buffer_.get() + (at_ - from_);
            const size_t avail = static_cast<size_t>(from_ + size_ - at_);
#if defined(__SSE2__)
            /* sixteen bytes at a time: the buffer has room past its end */
            const __m128i lineFeed = _mm_set1_epi8('\n');
            for (size_t k = 0; k < avail; k += 16) {
                unsigned ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k)), lineFeed)));
                if (avail - k < 16)
                    ends &= (1u << (avail - k)) - 1u;
                for (; ends != 0; ends &= ends - 1)
                    if (++found == count) {
                        at_ += static_cast<off_t>(k + static_cast<size_t>(__builtin_ctz(ends)) + 1);
                        return found;
                    }
            }
#else
            for (const char* q = p;
                 (q = static_cast<const char*>(std::memchr(q, '\n', avail - static_cast<size_t>(q - p)))); ++q)
                if (++found == count) {
                    at_ += static_cast<off_t>(q - p + 1);
                    return found;
                }
#endif
            at_ = from_ + size_; /* the buffer's lines are passed; the next block goes on */
        }
        return found;
    }

    /* Reads the file from at_ on: a block, or more for a line longer than one. */
    void fill()
    {
        const size_t want = from_ == at_ ? static_cast<size_t>(size_) * 2 : kBlock;
        const size_t n = static_cast<size_t>(std::min<off_t>(end_ - at_, static_cast<off_t>(std::max(want, kBlock))));
        if (n + kPad > capacity_) {
            buffer_ = std::make_unique_for_overwrite<char[]>(n + kPad);
            capacity_ = n + kPad;
        }
        size_ = 0;
        for (size_t got = 0; got < n;) {
            const ssize_t k = ::pread(fd_, buffer_.get() + got, n - got, at_ + static_cast<off_t>(got));
            if (k < 0 && errno == EINTR)
                continue;
            if (k <= 0)
                failedWrite(slot_, k < 0 ? errno : EIO);
            got += static_cast<size_t>(k);
        }
        std::memset(buffer_.get() + n, 0, kPad);
        size_ = static_cast<off_t>(n);
        from_ = at_;
    }

    static constexpr size_t kBlock = 64 * 1024;
    /* room past the text read, which a look at sixteen bytes may reach */
    static constexpr size_t kPad = 16;
    StreamSlot& slot_;
    int fd_;
    off_t end_ = 0, at_ = 0;
    off_t from_ = 0; /* where the buffer's text lies in the file */
    off_t size_ = 0; /* how much of it was read */
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    /* the slot's notes, while the line at at_ is known: its number */
    const std::vector<uint64_t>* notes_ = nullptr;
    size_t noted_ = 0;
    size_t line_ = kUnknown;
    size_t nextNoted_ = 0; /* of the slot's notedAt, the first at or after line_ */
    /* the bytes and word asked for last, and whether the notes answer for them */
    bool asked_ = false;
    std::string_view askedBytes_, askedWord_;
    bool notesAnswer_ = false;
};

/* Reads the lines held in the file back and cuts the file where the
** holding began; the next write goes there. */
std::vector<GEN_HELD_LINE> readBackHeld(StreamSlot& slot)
{
    std::vector<GEN_HELD_LINE> lines;
    {
        FileHeldLines reader(slot);
        size_t indent;
        std::string_view text;
        while (reader.Next(indent, text))
            lines.push_back({indent, std::string(text), true, false, true});
    }
    if (::ftruncate(fileno(slot.file), slot.holdStart) != 0 || fseeko(slot.file, slot.holdStart, SEEK_SET) != 0)
        failedWrite(slot, errno);
    return lines;
}

// Writes n bytes at the offset `at` of fd; false when the file takes no more.
bool writeAllAt(int fd, const char* from, size_t n, off_t at)
{
    while (n > 0) {
        const ssize_t k = ::pwrite(fd, from, n, at);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return false;
        from += k;
        at += k;
        n -= static_cast<size_t>(k);
    }
    return true;
}

/* Copies the held part of the slot's file, from where the holding began to
** `end`, to the start of `to`. */
bool copyHeld(StreamSlot& slot, off_t end, int to)
{
    const int fd = fileno(slot.file);
    off_t from = slot.holdStart;
    off_t at = 0;
    bool inKernel = true;
    std::vector<char> block;
    while (from < end) {
        const size_t want = static_cast<size_t>(end - from);
        if (inKernel) {
            const ssize_t k = ::copy_file_range(fd, &from, to, &at, want, 0);
            if (k > 0)
                continue;
            if (k < 0 && errno == EINTR)
                continue;
            /* file systems that cannot copy between themselves: through a block */
            inKernel = false;
            block.resize(64 * 1024);
        }
        const ssize_t k = ::pread(fd, block.data(), std::min(want, block.size()), from);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return false;
        if (!writeAllAt(to, block.data(), static_cast<size_t>(k), at))
            return false;
        from += k;
        at += k;
    }
    return true;
}

/* From now on the slot holds its lines in memory, those held in the file
** first. */
[[gnu::cold, gnu::noinline]] void holdInMemory(StreamSlot& slot)
{
    resetNotes(slot, false);
    slot.held = readBackHeld(slot);
    slot.holdInFile = false;
    refreshCommon(slot);
}

/* Writes one line to a file stream: the indent's blanks, the text, a blank
** when asked, the macro continuation mark while a macro is written and the
** line end. As with fputs of the whole line, a NUL byte ends what is
** written. Lines of the main output and the second suppressible stream are
** dropped while the skeleton's condition is false. The line is appended to
** the stream's gathered text. */
inline void putLine(const GEN_MODULE_STATE& g, StreamSlot* slot, GEN_STREAM stream, bool fAppendBlank, size_t ulIndent,
                    std::string_view text)
{
    if (!slot)
        return;
    if ((stream == g.out.mainOutput || stream == g.out.secondSuppressible) &&
        g.skel.levels[static_cast<size_t>(g.skel.lDepth)] == 0)
        return;
    const char* nul = text.empty() ? nullptr : static_cast<const char*>(std::memchr(text.data(), '\0', text.size()));
    if (nul) [[unlikely]] {
        text = text.substr(0, static_cast<size_t>(nul - text.data()));
        fAppendBlank = false;
    }
    const bool fMacro = !nul && g.out.lMacroContinuation;
    if (slot->holding) [[unlikely]] {
        noteHeld(*slot, text);
        if (slot->holdInFile && !readBackAsWritten(fAppendBlank, fMacro, !nul, text))
            holdInMemory(*slot);
        if (!slot->holdInFile) {
            slot->held.push_back({ulIndent, std::string(text), fAppendBlank, fMacro, !nul});
            return;
        }
    }
    emitLine(*slot, fAppendBlank, fMacro, !nul, ulIndent, text);
}

/* Puts one line into the slot's gathered text. */
void emitLine(StreamSlot& slot, bool fAppendBlank, bool fMacro, bool fEnd, size_t ulIndent, std::string_view text)
{
    if (slot.holding && slot.notesKept) [[unlikely]] {
        if (readBackAsWritten(fAppendBlank, fMacro, fEnd, text))
            countLine(slot, slot.noting && notedHeld(slot, text, heldFound(text, heldMark(slot))),
                      ulIndent + text.size() + 3);
        else
            resetNotes(slot, false); /* not a line the notes could count */
    }
    const size_t ulEnd = fEnd ? 2 : 0;
    const size_t ulLength = ulIndent + text.size() + fAppendBlank + fMacro + ulEnd;
    char* at;
    if (slot.ulUsed + ulLength <= slot.ulCapacity && slot.pending) [[likely]] {
        at = slot.pending.get() + slot.ulUsed;
        slot.ulUsed += ulLength;
    } else if (!(at = reserve(slot, ulLength))) {
        writeDirectly(slot, ulIndent, text, fAppendBlank, fMacro, fEnd);
        return;
    }
    if (ulIndent <= kIndentPiece)
        std::memcpy(at, kBlanks, kIndentPiece);  // the text and line end overwrite what goes past the indent
    else
        std::memset(at, ' ', ulIndent);
    at += ulIndent;
    if (!text.empty())  // an empty view may hold no pointer, which memcpy must not get
        std::memcpy(at, text.data(), text.size());
    at += text.size();
    if (fAppendBlank)
        *at++ = ' ';
    if (fMacro)
        *at++ = '\\';
    if (ulEnd) {
        at[0] = '\r';
        at[1] = '\n';
    }
}

/* Whether a line goes to a C# source: a C# file (the C pass writes some
** beside its own), or a deferred queue of the C# pass. */
inline bool csharpStream(const GEN_MODULE_STATE& g, GEN_STREAM stream, const StreamSlot* slot)
{
    if (stream >= 1 && stream <= GEN_QUEUE_COUNT)
        return g.cTarget == GEN_TARGET_CSHARP;
    if (slot && slot->fCSharp)
        return true;
    if (stream == GEN_NO_STREAM)
        return false;
    const auto& cs = g.csStreams;
    return std::find(cs.begin(), cs.end(), stream) != cs.end();
}

/* A line of C text is never written into C#: what is being written has no
** C# form, and the generation fails (PRC1250, once for each, naming the
** command while the commands are written, else the skeleton point, with
** the start of the line). */
[[gnu::cold, gnu::noinline]] void reportRefused(const GEN_MODULE_STATE& g, std::string_view text);

inline bool refusedInCSharp(const GEN_MODULE_STATE& g, GEN_STREAM stream, const StreamSlot* slot, std::string_view text)
{
    if (!csharpStream(g, stream, slot) || P3109_fCSharpText(text))
        return false;
    reportRefused(g, text);
    return true;
}

/* PRC1250 for the line refused, once for the command or skeleton point. */
void reportRefused(const GEN_MODULE_STATE& g, std::string_view text)
{
    const bool command = g.skel.sPoint == 1;
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const uint32_t serial = (command ? r.usNumber : 0x10000u + static_cast<uint16_t>(g.skel.sPoint)) +
                            (static_cast<uint32_t>(g.cTarget) << 24);
    uint32_t& reported = P3109_State().out.ulCSharpRefused;
    if (serial != reported) {
        reported = serial;
        const std::string what = command ? "Command " + P3109_TrimRight(std::string_view(r.acName, 10))
                                         : "Skeleton point " + std::to_string(g.skel.sPoint);
        const size_t first = text.find_first_not_of(' ');
        const std::string_view line = text.substr(first == std::string_view::npos ? text.size() : first);
        P3109_sIssueMessage(Msg::NoCSharpForm, P3109_Padded(what, 40) + P3109_Padded(line.substr(0, 100), 100));
    }
}

void flushQueue(int iQueue)
{
    GEN_MODULE_STATE& g = P3109_State();
    g.skel.cKeep = 'N';
    P3109_WriteLineQueue(iQueue, g.out.mainOutput);
}

}  // namespace

GEN_STREAM P3109_AddFileStream(FILE* pFile, std::string_view name, bool fOutput)
{
    if (!pFile)
        return GEN_NO_STREAM;
    std::vector<StreamSlot>& slots = streamTable();
    size_t i = 0;
    while (i < slots.size() && slots[i].file)
        ++i;
    if (i == slots.size()) {
        slots.emplace_back();
        g_slotCount = slots.size();
    }
    StreamSlot& slot = slots[i];
    slot.file = pFile;
    slot.ulUsed = 0;
    slot.flushes = 0;
    slot.name.assign(name);
    slot.output = fOutput;
    slot.self = static_cast<GEN_STREAM>(GEN_FIRST_FILE_STREAM + i);
    slot.fCSharp = false;
    slot.holding = false;
    slot.holdInFile = false;
    slot.watchedSeen = false;
    slot.held.clear();
    resetNotes(slot, false);
    refreshCommon(slot);
    return static_cast<GEN_STREAM>(GEN_FIRST_FILE_STREAM + i);
}

void P3109_FatalWriteError(std::string_view name, int error)
{
    std::string text = "The generated file " + std::string(name) + " could not be written";
    if (error != 0)
        text += ": " + std::string(std::strerror(error));
    text += ". Nothing of the job is kept.";
    FFC_Fatal_Error(text.c_str());
}

void P3109_MarkCSharpStream(GEN_STREAM stream)
{
    if (StreamSlot* slot = streamSlot(stream)) {
        slot->fCSharp = true;
        refreshCommon(*slot);
    }
}

FILE* P3109_pStreamFile(GEN_STREAM stream)
{
    StreamSlot* slot = streamSlot(stream);
    if (!slot)
        return nullptr;
    /* what the caller writes goes before the lines held */
    if (slot->holding && slot->holdInFile)
        holdInMemory(*slot);
    flushPending(*slot);
    return slot->file;
}

void P3109_CloseStream(GEN_STREAM& stream)
{
    if (StreamSlot* slot = streamSlot(stream))
        closeSlot(*slot);
    stream = GEN_NO_STREAM;
}

void P3109_DropAllStreams()
{
    for (StreamSlot& slot : streamTable())
        if (slot.file) {
            std::fclose(slot.file);
            slot.file = nullptr;
            slot.ulUsed = 0;
            slot.holding = false;
            slot.holdInFile = false;
            slot.held.clear();
            resetNotes(slot, false);
            refreshCommon(slot);
        }
}

namespace {

/* Whether the slot's lines can be held in its file: a written file open for
** reading too, not appended to, whose place is known. */
bool canHoldInFile(StreamSlot& slot, off_t& start)
{
    if (!slot.output)
        return false;
    const int flags = ::fcntl(fileno(slot.file), F_GETFL);
    if (flags < 0 || (flags & O_ACCMODE) != O_RDWR || (flags & O_APPEND))
        return false;
    const off_t at = ftello(slot.file);
    if (at < 0)
        return false;
    start = at + static_cast<off_t>(slot.ulUsed);
    return true;
}

}  // namespace

void P3109_HoldStreamLines(GEN_STREAM stream, std::string_view watched)
{
    StreamSlot* slot = streamSlot(stream);
    /* a stream held already goes on holding from where it began */
    if (!slot || slot->holding)
        return;
    slot->holding = true;
#if defined(__x86_64__)
    if (!g_wideAsked) {
        g_wideAsked = true;
        g_wideHeld = wideProcessor();
    }
#endif
    slot->holdInFile = canHoldInFile(*slot, slot->holdStart);
    slot->watched.assign(watched);
    slot->mark = watched.empty() ? '\r' : watched[0];
    slot->markPaired = watched.size() >= 2;
    slot->markNext = slot->markPaired ? watched[1] : '\0';
    slot->watchedSeen = false;
    resetNotes(*slot, slot->holdInFile);
    refreshCommon(*slot);
}

bool P3109_fHeldLinesHold(GEN_STREAM stream)
{
    const StreamSlot* slot = streamSlot(stream);
    return slot && slot->holding && slot->watchedSeen;
}

std::vector<GEN_HELD_LINE> P3109_TakeHeldLines(GEN_STREAM stream)
{
    StreamSlot* slot = streamSlot(stream);
    if (!slot || !slot->holding)
        return {};
    slot->holding = false;
    resetNotes(*slot, false);
    refreshCommon(*slot);
    if (slot->holdInFile) {
        slot->holdInFile = false;
        return readBackHeld(*slot);
    }
    return std::exchange(slot->held, {});
}

bool P3109_fRewriteHeldLines(GEN_STREAM stream, const GEN_HELD_REWRITE& rewrite)
{
    StreamSlot* slot = streamSlot(stream);
    if (!slot || !slot->holding || !slot->holdInFile)
        return false;
    flushAll(*slot);
    const off_t end = ::lseek(fileno(slot->file), 0, SEEK_CUR);
    if (end < slot->holdStart)
        failedWrite(*slot, errno);
    /* the held lines move to a scratch file, read from there while the
       rewritten ones go where the holding began */
    const std::unique_ptr<FILE, int (*)(FILE*)> scratch(dqoz::ScratchFile(), &std::fclose);
    if (!scratch || !copyHeld(*slot, end, fileno(scratch.get())))
        return false;
    slot->holding = false;
    slot->holdInFile = false;
    resetNotes(*slot, false);
    refreshCommon(*slot);
    if (::ftruncate(fileno(slot->file), slot->holdStart) != 0 || fseeko(slot->file, slot->holdStart, SEEK_SET) != 0)
        failedWrite(*slot, errno);
    FileHeldLines held(*slot, fileno(scratch.get()), end - slot->holdStart);
    rewrite(held, [slot](size_t ulIndent, std::string_view text) { emitLine(*slot, true, false, true, ulIndent, text); });
    return true;
}

bool P3109_fLineComment(std::string_view text)
{
    size_t first = 0;
    while (first < text.size() && (text[first] == ' ' || text[first] == '\t'))
        ++first;
    if (first + 1 >= text.size() || text[first] != '/' || text[first + 1] != '/')
        return false;
    /* One pass over the rest for a line end byte or a star with a slash
       after it (the two slashes cannot end a pair with a star before them),
       sixteen bytes at a time: the bytes before the rest are blanks, tabs
       and the slashes, none of which is looked for, so a block may reach
       back over them. */
    const char* const p = text.data();
    const size_t n = text.size();
#if defined(__SSE2__)
    const __m128i star = _mm_set1_epi8('*'), slash = _mm_set1_epi8('/'), lineFeed = _mm_set1_epi8('\n'),
                  ret = _mm_set1_epi8('\r');
    const auto found = [&](__m128i v, __m128i after) {
        return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lineFeed), _mm_cmpeq_epi8(v, ret)),
                                              _mm_and_si128(_mm_cmpeq_epi8(v, star), _mm_cmpeq_epi8(after, slash)))) != 0;
    };
    if (n < 16) {
        /* a short text whole, with NUL bytes after it */
        alignas(16) char block[16] = {};
        std::memcpy(block, p, n);
        const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
        return !found(v, _mm_srli_si128(v, 1));
    }
    size_t k = first + 2;
    for (; k + 16 < n; k += 16)
        if (found(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k)),
                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k + 1))))
            return false;
    /* the last sixteen bytes, the star of the last one with nothing after it */
    const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16));
    return !found(last, _mm_srli_si128(last, 1));
#else
    for (size_t k = first + 2; k < n; ++k)
        if (p[k] == '\n' || p[k] == '\r' || (p[k] == '*' && k + 1 < n && p[k + 1] == '/'))
            return false;
    return true;
#endif
}

size_t GEN_HELD_LINES::Pass(size_t ulMost, std::string_view bytes, std::string_view word)
{
    size_t passed = 0;
    size_t indent;
    std::string_view text;
    for (; passed < ulMost; ++passed) {
        const uint64_t mark = Mark();
        if (!Next(indent, text) ||
            (text.find_first_of(bytes) != std::string_view::npos && !P3109_fLineComment(text)) ||
            (!word.empty() && text.find(word) != std::string_view::npos)) {
            Seek(mark);
            break;
        }
    }
    return passed;
}

std::unique_ptr<GEN_HELD_LINES> P3109_ReadHeldLines(GEN_STREAM stream)
{
    StreamSlot* slot = streamSlot(stream);
    static const std::vector<GEN_HELD_LINE> none;
    if (!slot || !slot->holding)
        return std::make_unique<GEN_VECTOR_HELD_LINES>(none);
    if (slot->holdInFile)
        return std::make_unique<FileHeldLines>(*slot);
    return std::make_unique<GEN_VECTOR_HELD_LINES>(slot->held);
}

void P3109_ReleaseHeldLines(GEN_STREAM stream)
{
    StreamSlot* slot = streamSlot(stream);
    if (!slot || !slot->holding)
        return;
    slot->holding = false;
    slot->holdInFile = false;
    resetNotes(*slot, false);
    refreshCommon(*slot);
    for (const GEN_HELD_LINE& l : std::exchange(slot->held, {}))
        emitLine(*slot, l.fBlank, l.fMacro, l.fEnd, l.ulIndent, l.text);
}

void P3109_WriteHeldLines(GEN_STREAM stream, const std::vector<GEN_HELD_LINE>& lines)
{
    StreamSlot* slot = streamSlot(stream);
    if (!slot)
        return;
    for (const GEN_HELD_LINE& l : lines)
        emitLine(*slot, l.fBlank, l.fMacro, l.fEnd, l.ulIndent, l.text);
}

void P3109_CloseAllStreams()
{
    for (StreamSlot& slot : streamTable())
        if (slot.file)
            closeSlot(slot);
}

namespace {

/* A line for a deferred queue, kept with its indent. */
[[gnu::noinline]] void queueLine(GEN_STREAM stream, size_t indent, std::string_view text)
{
    P3109_State().out.queues[stream - 1].push_back(static_cast<uint16_t>(indent), text);
}

/* A line past GEN_LINE_LIMIT: cut to the limit and reported. */
[[gnu::cold, gnu::noinline]] void writeCutLine(const GEN_MODULE_STATE& g, GEN_STREAM stream, size_t indent,
                                               std::string_view text)
{
    if (indent > GEN_LINE_LIMIT)
        indent = GEN_LINE_LIMIT;
    if (indent + text.size() > GEN_LINE_LIMIT) {
        reportCutLine(indent + text.size());
        text = text.substr(0, GEN_LINE_LIMIT - indent);
        if (g.out.cSuppress == 'Y')
            return;
    }
    /* looked up again: the message may have ended the stream */
    putLine(g, streamSlot(stream), stream, true, indent, text);
}

}  // namespace

namespace {

/* Whether the stream is one of the C# files of the output driver. */
inline bool csharpFileStream(const GEN_MODULE_STATE& g, GEN_STREAM stream)
{
    const auto& cs = g.csStreams;
    static_assert(std::tuple_size_v<std::decay_t<decltype(cs)>> == 5 && sizeof cs[0] == 4);
#if defined(__SSE2__)
    /* the first four compared at once */
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cs.data()));
    const __m128i same = _mm_cmpeq_epi32(four, _mm_set1_epi32(static_cast<int>(stream)));
    return (_mm_movemask_epi8(same) != 0) | (cs[4] == stream);
#else
    return (cs[0] == stream) | (cs[1] == stream) | (cs[2] == stream) | (cs[3] == stream) | (cs[4] == stream);
#endif
}

/* The line of every other case: a queue, a C# stream, a line past the
** limit, a NUL in the text or a full buffer. */
[[gnu::noinline]] void writeLineSlowly(const GEN_MODULE_STATE& g, GEN_STREAM stream, size_t indent,
                                       std::string_view text)
{
    StreamSlot* slot = streamSlot(stream);
    if (!g_replaying && refusedInCSharp(g, stream, slot, text))
        return;
    if (!slot) {
        /* a queue stream has no slot */
        if (stream >= 1 && stream <= GEN_QUEUE_COUNT)
            queueLine(stream, indent, text);
        return;
    }
    if (indent + text.size() > GEN_LINE_LIMIT) [[unlikely]] {
        writeCutLine(g, stream, indent, text);
        return;
    }
    putLine(g, slot, stream, true, indent, text);
}

}  // namespace

namespace {

/* Copies the text to `to` and tells whether it holds a NUL byte: one pass
** over the text instead of a search and a copy. Nothing before or past
** either range is read or written. */
[[gnu::always_inline]] inline bool copyFindingNul(char* to, const char* from, size_t n)
{
#if defined(__SSE2__)
    if (n >= 16) {
        const __m128i zero = _mm_setzero_si128();
        __m128i nul = zero;
        for (size_t k = 0; k + 16 < n; k += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k), v);
            nul = _mm_or_si128(nul, _mm_cmpeq_epi8(v, zero));
        }
        /* the last 16 bytes, overlapping what is copied already */
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + n - 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + n - 16), v);
        nul = _mm_or_si128(nul, _mm_cmpeq_epi8(v, zero));
        return _mm_movemask_epi8(nul) != 0;
    }
#endif
    /* a word holds a zero byte exactly when this leaves a high bit set */
    auto zeroByte = [](uint64_t w, uint64_t ones) { return ((w - ones) & ~w & (ones << 7)) != 0; };
    if (n >= 8) {
        uint64_t a, b;
        for (size_t k = 0; k + 8 < n; k += 8) {
            std::memcpy(&a, from + k, 8);
            std::memcpy(to + k, &a, 8);
            if (zeroByte(a, 0x0101010101010101u))
                return true;
        }
        std::memcpy(&b, from + n - 8, 8);
        std::memcpy(to + n - 8, &b, 8);
        return zeroByte(b, 0x0101010101010101u);
    }
    if (n >= 4) {
        uint32_t a, b;
        std::memcpy(&a, from, 4);
        std::memcpy(&b, from + n - 4, 4);
        std::memcpy(to, &a, 4);
        std::memcpy(to + n - 4, &b, 4);
        return zeroByte(a, 0x01010101u) || zeroByte(b, 0x01010101u);
    }
    bool nul = false;
    for (size_t k = 0; k < n; ++k) {
        to[k] = from[k];
        nul |= from[k] == '\0';
    }
    return nul;
}

/* Copies a held line's text as copyFindingNul does and tells whether it
** holds a NUL byte; `marked` tells whether it holds a carriage return or
** the byte `mark` (the watched text's first), which the slow checks of a
** held line look for. A text shorter than sixteen bytes is looked at where
** it is copied, sixteen bytes read from `to`: the caller has that room. */
inline bool copyHeldFindingNul(char* to, std::string_view text, char mark, bool& marked)
{
    const char* from = text.data();
    const size_t n = text.size();
#if defined(__SSE2__)
    if (n >= 16) {
        const __m128i zero = _mm_setzero_si128(), cr = _mm_set1_epi8('\r'), watched = _mm_set1_epi8(mark);
        __m128i nul = zero, marks = zero;
        auto take = [&](size_t k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k), v);
            nul = _mm_or_si128(nul, _mm_cmpeq_epi8(v, zero));
            marks = _mm_or_si128(marks, _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, watched)));
        };
        for (size_t k = 0; k + 16 < n; k += 16)
            take(k);
        take(n - 16); /* the last 16 bytes, overlapping what is copied already */
        marked = _mm_movemask_epi8(marks) != 0;
        return _mm_movemask_epi8(nul) != 0;
    }
    const bool nul = copyFindingNul(to, from, n);
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to));
    const auto found = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8(mark)))));
    marked = (found & ((1u << n) - 1u)) != 0;
    return nul;
#else
    marked = text.find('\r') != std::string_view::npos || text.find(mark) != std::string_view::npos;
    return copyFindingNul(to, from, n);
#endif
}

#if defined(__SSE2__)
/* What copyHeldText finds among sixteen bytes, at their places. */
struct HeldBytes {
    __m128i nul, ret, noted, mark;
};

inline void findHeldBytes(HeldBytes& f, __m128i v, __m128i mark)
{
    const __m128i zero = _mm_setzero_si128();
    f.nul = _mm_or_si128(f.nul, _mm_cmpeq_epi8(v, zero));
    f.ret = _mm_or_si128(f.ret, _mm_cmpeq_epi8(v, _mm_set1_epi8('\r')));
    static_assert(GEN_HELD_NOTED == "{}/:");
    f.noted = _mm_or_si128(
        f.noted, _mm_or_si128(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('{')),
                                                         _mm_cmpeq_epi8(v, _mm_set1_epi8('}'))),
                                           _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('/')),
                                                        _mm_cmpeq_epi8(v, _mm_set1_epi8(':')))),
                              _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))));
    f.mark = _mm_or_si128(f.mark, _mm_cmpeq_epi8(v, mark));
}

inline unsigned heldFound(const HeldBytes& f, unsigned places)
{
    /* most lines hold none of them */
    const __m128i any = _mm_or_si128(_mm_or_si128(f.nul, f.ret), _mm_or_si128(f.noted, f.mark));
    if ((_mm_movemask_epi8(any) & places) == 0)
        return 0;
    return ((_mm_movemask_epi8(f.nul) & places) ? kHeldNul : 0u) |
           ((_mm_movemask_epi8(f.ret) & places) ? kHeldReturn : 0u) |
           ((_mm_movemask_epi8(f.noted) & places) ? kHeldNoted : 0u) |
           ((_mm_movemask_epi8(f.mark) & places) ? kHeldMark : 0u);
}
#endif

/* Copies a held line's text as copyFindingNul does and tells what it
** holds (kHeld...), in one pass over a text of sixteen bytes or more. A
** shorter one is looked at where it is copied, sixteen bytes read from
** `to`: the caller has that room. */
inline unsigned copyHeldText(char* to, std::string_view text, char mark)
{
    const char* from = text.data();
    const size_t n = text.size();
#if defined(__SSE2__)
    const __m128i marks = _mm_set1_epi8(mark);
    HeldBytes f{_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
    if (n >= 16) {
        auto take = [&](size_t k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k), v);
            findHeldBytes(f, v, marks);
        };
        for (size_t k = 0; k + 16 < n; k += 16)
            take(k);
        take(n - 16); /* the last 16 bytes, overlapping what is copied already */
        return heldFound(f, 0xFFFFu);
    }
    copyFindingNul(to, from, n);
    findHeldBytes(f, _mm_loadu_si128(reinterpret_cast<const __m128i*>(to)), marks);
    return heldFound(f, (1u << n) - 1u);
#else
    return heldFound(text, mark) | (copyFindingNul(to, from, n) ? kHeldNul : 0u);
#endif
}

/* The end of a held line written at `at` (its text copied there): the
** blank and the line end, and the line taken into the buffer. */
[[gnu::always_inline]] inline bool endHeldLine(StreamSlot& slot, char* at, std::string_view text, size_t ulLength)
{
    at += text.size();
    at[0] = ' ';
    at[1] = '\r';
    at[2] = '\n';
    slot.ulUsed += ulLength;
    return true;
}

/* writeCommonLine's line of a stream that holds its lines in the file (the
** stream and the line's room are checked): false, with nothing written,
** for a line that could not be read back, which the slow way holds. The
** line is noted (notes) as it is written. */
[[gnu::noinline]] bool writeHeldLine(const GEN_MODULE_STATE& g, StreamSlot& slot, size_t indent, std::string_view text,
                                     size_t ulLength)
{
    if (g.out.lMacroContinuation)
        return false;
    char* at = slot.pending.get() + slot.ulUsed;
    std::memcpy(at, kBlanks, kIndentPiece);
    at += indent;
    if (slot.noting) {
        /* the buffer holds the indent piece past its end: sixteen bytes
           from the text's start lie within it */
        const unsigned found = copyHeldText(at, text, heldMark(slot));
        if (found != 0) {
            if (found & kHeldNul)
                return false;
            if ((found & kHeldReturn) && !readBackAsWritten(true, false, true, text))
                return false;
        }
        noteLine(slot, found != 0 && notedHeld(slot, text, found), ulLength);
    } else {
        /* until the watched text is seen, only it and a carriage return
           are looked for */
        bool marked = false;
        const char mark = slot.watchedSeen ? '\r' : slot.mark;
        if (copyHeldFindingNul(at, text, mark, marked))
            return false;
        if (marked) {
            if (!readBackAsWritten(true, false, true, text))
                return false;
            noteHeld(slot, text);
        }
        if (slot.notesKept)
            countLine(slot, true, ulLength);
    }
    return endHeldLine(slot, at, text, ulLength);
}

/* writeHeldLine, and the slow way for a line it does not write. */
[[gnu::noinline]] void writeHeldLineNarrow(const GEN_MODULE_STATE& g, StreamSlot& slot, GEN_STREAM stream,
                                           size_t indent, std::string_view text)
{
    if (!writeHeldLine(g, slot, indent, text, indent + text.size() + 3 + (g.out.lMacroContinuation != 0)))
        writeLineSlowly(g, stream, indent, text);
}

#if defined(__x86_64__)
/* ---- held lines looked at thirty-two bytes at a time ----
** The same work as writeHeldLine's, for a processor that compares
** thirty-two bytes at once. Most lines hold nothing looked for and are
** only counted; every other case goes on in a function of its own that
** ends the line itself, so the common one saves no registers. */

/* The bytes looked for, thirty-two copies of each: a comparison reads
** them from memory (kept from being made again in registers for each line). */
enum : size_t { kWideBlank, kWideReturn, kWideOpen, kWideClose, kWideSlash, kWideColon, kWideKinds };
alignas(32) constexpr auto kWideBytes = [] {
    std::array<std::array<char, 32>, kWideKinds> b{};
    static_assert(GEN_HELD_NOTED == "{}/:");
    const char bytes[kWideKinds] = {' ', '\r', '{', '}', '/', ':'};
    for (size_t k = 0; k < kWideKinds; ++k)
        b[k].fill(bytes[k]);
    return b;
}();

[[gnu::always_inline]] inline const char* wideBytes()
{
    const char* p = kWideBytes[0].data();
    asm("" : "+r"(p)); /* its bytes are read, not known */
    return p;
}

/* Found by copyHeldTextWide: a byte up to a carriage return, which may be
** a NUL, a line feed or the carriage return itself (or a tab, or another). */
constexpr unsigned kHeldControls = 16;

/* What copyHeldTextWide found (kHeld...), kHeldControls told apart by a
** look at each byte: few texts hold such a byte. */
unsigned heldControls(std::string_view text, unsigned found)
{
    if (!(found & kHeldControls))
        return found;
    found &= ~kHeldControls;
    for (const char c : text)
        found |= c == '\0' ? kHeldNul : c == '\r' ? kHeldReturn : c == '\n' ? kHeldNoted : 0u;
    return found;
}

/* copyHeldText thirty-two bytes at a time; before the notes begin
** (Noted false) the bytes of GEN_HELD_NOTED are not looked for. A text
** shorter than that is copied first and looked at where it is copied,
** thirty-two bytes read from `to`: the buffer holds the indent piece past
** its end. */
template <bool Noted>
[[gnu::target("avx2"), gnu::always_inline]] inline unsigned copyHeldTextWide(char* to, std::string_view text, char mark,
                                                                             char next, bool paired, const char* bytes)
{
    const char* from = text.data();
    const size_t n = text.size();
    const auto wide = [bytes](size_t kind) __attribute__((target("avx2"))) {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(bytes + 32 * kind));
    };
    const __m256i marks = _mm256_set1_epi8(mark), nexts = _mm256_set1_epi8(next);
    /* the bytes up to a carriage return (a NUL, a line feed) together, the
       noted ones, and the places of the watched text's first byte followed
       by its second (when it has one); the last place of thirty-two bytes
       counts whatever follows it */
    __m256i controls = _mm256_setzero_si256(), noted = _mm256_setzero_si256();
    uint32_t marked = 0;
    const auto find = [&](__m256i v) __attribute__((target("avx2"))) {
        controls = _mm256_or_si256(controls, _mm256_cmpeq_epi8(_mm256_min_epu8(v, wide(kWideReturn)), v));
        if (Noted)
            noted = _mm256_or_si256(noted, _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(v, wide(kWideOpen)),
                                                                           _mm256_cmpeq_epi8(v, wide(kWideClose))),
                                                           _mm256_or_si256(_mm256_cmpeq_epi8(v, wide(kWideSlash)),
                                                                           _mm256_cmpeq_epi8(v, wide(kWideColon)))));
        uint32_t first = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, marks)));
        if (first != 0 && paired) [[unlikely]]
            first &= (static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, nexts))) >> 1) | 0x80000000u;
        marked |= first;
    };
    uint32_t places = ~uint32_t{0};
    if (n >= 32) {
        const auto take = [&](size_t k) __attribute__((target("avx2"))) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + k));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + k), v);
            find(v);
        };
        for (size_t k = 0; k + 32 < n; k += 32)
            take(k);
        take(n - 32); /* the last 32 bytes, overlapping what is copied already */
    } else {
        /* two pieces of a size, the second overlapping the first */
        if (n >= 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + n - 16));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), a);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + n - 16), b);
        } else if (n >= 8) {
            uint64_t a, b;
            std::memcpy(&a, from, 8);
            std::memcpy(&b, from + n - 8, 8);
            std::memcpy(to, &a, 8);
            std::memcpy(to + n - 8, &b, 8);
        } else if (n >= 4) {
            uint32_t a, b;
            std::memcpy(&a, from, 4);
            std::memcpy(&b, from + n - 4, 4);
            std::memcpy(to, &a, 4);
            std::memcpy(to + n - 4, &b, 4);
        } else if (n > 0) {
            const char a = from[0], b = from[n / 2], c = from[n - 1];
            to[0] = a;
            to[n / 2] = b;
            to[n - 1] = c;
        }
        find(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(to)));
        places = (uint32_t{1} << n) - 1u;
    }
    const auto bits = [places](__m256i v) __attribute__((target("avx2"))) {
        return static_cast<uint32_t>(_mm256_movemask_epi8(v)) & places;
    };
    const uint32_t c = bits(controls), m = marked & places, o = Noted ? bits(noted) : 0u;
    /* most lines hold none of them */
    if ((c | m | o) == 0) [[likely]]
        return 0;
    return (o ? kHeldNoted : 0u) | (m ? kHeldMark : 0u) | (c ? kHeldControls : 0u);
}

/* A held line that cannot be read back as written (a NUL, a line end of
** its own), its indent laid down before `at` and nothing taken yet: the
** slow way holds it. */
[[gnu::cold, gnu::noinline]] bool writeHeldSlowly(StreamSlot& slot, char* at, std::string_view text)
{
    writeLineSlowly(P3109_State(), slot.self, static_cast<size_t>(at - (slot.pending.get() + slot.ulUsed)), text);
    return true;
}

/* A noted line whose text holds something looked for (`found`,
** kHeld...), its text copied to `at`: noted as it is, or written the slow
** way when it cannot be read back as written. */
[[gnu::noinline]] bool noteFoundLine(StreamSlot& slot, char* at, std::string_view text, unsigned found, size_t ulLength)
{
    found = heldControls(text, found);
    if ((found & kHeldNul) || ((found & kHeldReturn) && !readBackAsWritten(true, false, true, text)))
        return writeHeldSlowly(slot, at, text);
    noteLine(slot, notedHeld(slot, text, found), ulLength);
    return endHeldLine(slot, at, text, ulLength);
}

/* A noted line holding nothing looked for, the first of a word of notes
** (noteLine for a line noted false). */
[[gnu::noinline]] bool noteFirstOfWord(StreamSlot& slot, char* at, std::string_view text, size_t ulLength,
                                       uint64_t begins)
{
    slot.notes.push_back(0);
    slot.wordAt.push_back(begins);
    return endHeldLine(slot, at, text, ulLength);
}

/* A line before the notes begin whose text holds a NUL, a carriage return
** or the byte looked for (`found`, kHeld...), or one counted while the
** watched text is seen: written the slow way when it cannot be read back
** as written; else the watched text is looked for and the line counted. */
[[gnu::noinline]] bool countFoundLine(StreamSlot& slot, char* at, std::string_view text, unsigned found,
                                      size_t ulLength)
{
    found = heldControls(text, found);
    if (found & kHeldNul)
        return writeHeldSlowly(slot, at, text);
    if (found & (kHeldReturn | kHeldMark)) {
        if (!readBackAsWritten(true, false, true, text))
            return writeHeldSlowly(slot, at, text);
        noteHeld(slot, text);
    }
    if (slot.notesKept)
        countLine(slot, true, ulLength);
    return endHeldLine(slot, at, text, ulLength);
}

/* writeHeldLine, the text looked at thirty-two bytes at a time, of a line
** written with no macro continuation mark; a line that cannot be read
** back as written is written the slow way. */
[[gnu::noinline, gnu::target("avx2")]] bool writeHeldLineWide(StreamSlot& slot, size_t indent, std::string_view text,
                                                              size_t ulLength)
{
    const char* bytes = wideBytes();
    char* at = slot.pending.get() + slot.ulUsed;
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(at),
                        _mm256_load_si256(reinterpret_cast<const __m256i*>(bytes + 32 * kWideBlank)));
    at += indent;
    if (!slot.noting) [[unlikely]] {
        /* until the watched text is seen, only it and a carriage return
           are looked for */
        const unsigned found = copyHeldTextWide<false>(at, text, slot.watchedSeen ? '\r' : slot.mark, slot.markNext,
                                                       slot.markPaired && !slot.watchedSeen, bytes);
        if (found != 0 || (slot.notesKept && slot.watchedSeen)) [[unlikely]]
            return countFoundLine(slot, at, text, found, ulLength);
        slot.notedLines += slot.notesKept;
        return endHeldLine(slot, at, text, ulLength);
    }
    if (const unsigned found = copyHeldTextWide<true>(at, text, heldMark(slot), slot.markNext, slot.markPaired, bytes))
        [[unlikely]]
        return noteFoundLine(slot, at, text, found, ulLength);
    const uint64_t begins = slot.heldBytes;
    slot.heldBytes = begins + ulLength;
    if (slot.notedLines++ % 64 == 0) [[unlikely]]
        return noteFirstOfWord(slot, at, text, ulLength, begins);
    return endHeldLine(slot, at, text, ulLength);
}
#endif

/* The common line, written here: a C file's line of at most the indent
** piece's blanks, within the limit, with no NUL, and room for it in the
** slot's buffer; false, with nothing written, for any other. What it
** leaves out is the same as putLine's work. The text is copied past the
** buffer's used part before it is known to have no NUL; it is taken only
** then. */
[[gnu::always_inline]] inline bool writeCommonLine(const GEN_MODULE_STATE& g, GEN_STREAM stream, size_t indent,
                                                 std::string_view text)
{
    const size_t i = static_cast<size_t>(stream) - GEN_FIRST_FILE_STREAM;  // wraps below the first file stream
    if (i >= g_slotCount) [[unlikely]]
        return false;
    StreamSlot& slot = g_slots[i];
    const size_t ulLength = indent + text.size() + 3 + (g.out.lMacroContinuation != 0);
    if (!slot.common || csharpFileStream(g, stream) || indent > kIndentPiece ||
        indent + text.size() > GEN_LINE_LIMIT || slot.ulUsed + ulLength > slot.ulCapacity) [[unlikely]]
        return false;
    if ((stream == g.out.mainOutput || stream == g.out.secondSuppressible) &&
        g.skel.levels[static_cast<size_t>(g.skel.lDepth)] == 0)
        return true;
    if (slot.holding) [[unlikely]] {
#if defined(__x86_64__)
        if (g_wideHeld && !g.out.lMacroContinuation) {
            writeHeldLineWide(slot, indent, text, ulLength);
            return true;
        }
#endif
        writeHeldLineNarrow(g, slot, stream, indent, text);
        return true;
    }
    char* at = slot.pending.get() + slot.ulUsed;
    std::memcpy(at, kBlanks, kIndentPiece);  // the text and line end overwrite what goes past the indent
    at += indent;
    if (copyFindingNul(at, text.data(), text.size())) [[unlikely]]
        return false;
    at += text.size();
    *at++ = ' ';
    if (g.out.lMacroContinuation)
        *at++ = '\\';
    at[0] = '\r';
    at[1] = '\n';
    slot.ulUsed += ulLength;
    return true;
}

}  // namespace

namespace {

/* The module state, reached by the line writer without the guard of its
** first use. */
constinit const GEN_MODULE_STATE* g_lineState = nullptr;

[[gnu::noinline]] const GEN_MODULE_STATE& firstLineState()
{
    g_lineState = &P3109_State();
    return *g_lineState;
}

inline const GEN_MODULE_STATE& lineState()
{
    return g_lineState ? *g_lineState : firstLineState();
}

[[gnu::always_inline]] inline void writeLine(const GEN_MODULE_STATE& g, GEN_STREAM stream, size_t indent,
                                             std::string_view text)
{
    if (g.out.cSuppress == 'Y')
        return;
    if (!writeCommonLine(g, stream, indent, text))
        writeLineSlowly(g, stream, indent, text);
}

}  // namespace

/* The first line of all, which finds the module state. */
[[gnu::noinline]] static void writeFirstLine(GEN_STREAM stream, size_t indent, std::string_view text)
{
    writeLine(firstLineState(), stream, indent, text);
}

void P3109_WriteLine(GEN_STREAM stream, int16_t sIndent, std::string_view text)
{
    const size_t indent = sIndent > 0 ? static_cast<size_t>(sIndent) : 0;
    if (!g_lineState) [[unlikely]] {
        writeFirstLine(stream, indent, text);
        return;
    }
    writeLine(*g_lineState, stream, indent, text);
}

void P3109_WriteFileLine(int fAppendBlank, std::string_view text, GEN_STREAM stream)
{
    const GEN_MODULE_STATE& g = lineState();
    /* the common line is the writer's, which appends the blank */
    if (fAppendBlank && g.out.cSuppress != 'Y' && writeCommonLine(g, stream, 0, text))
        return;
    StreamSlot* slot = streamSlot(stream);
    if (g.out.cSuppress == 'Y' || refusedInCSharp(g, stream, slot, text))
        return;
    putLine(g, slot, stream, fAppendBlank != 0, 0, text);
}

bool P3109_fTakesLinesAsWritten(GEN_STREAM stream)
{
    const GEN_MODULE_STATE& g = lineState();
    const size_t i = static_cast<size_t>(stream) - GEN_FIRST_FILE_STREAM;  // wraps below the first file stream
    if (g.out.cSuppress == 'Y' || g.out.lMacroContinuation || i >= g_slotCount)
        return false;
    const StreamSlot& slot = g_slots[i];
    /* the lines writeCommonLine writes as they stand, all but their length */
    return slot.file && !slot.fCSharp && !slot.holding && !csharpFileStream(g, stream) &&
           !((stream == g.out.mainOutput || stream == g.out.secondSuppressible) &&
             g.skel.levels[static_cast<size_t>(g.skel.lDepth)] == 0);
}

void P3109_WriteLinesAsWritten(GEN_STREAM stream, std::string_view lines)
{
    StreamSlot& slot = g_slots[static_cast<size_t>(stream) - GEN_FIRST_FILE_STREAM];
    if (!slot.pending)
        reserve(slot, 0);
    /* the file takes the same bytes as from the lines one at a time; a
       line may be split between two writes */
    while (!lines.empty()) {
        if (slot.ulUsed == slot.ulCapacity)
            flushPending(slot);
        const size_t n = std::min(lines.size(), slot.ulCapacity - slot.ulUsed);
        std::memcpy(slot.pending.get() + slot.ulUsed, lines.data(), n);
        slot.ulUsed += n;
        lines.remove_prefix(n);
    }
}

void P3109_Line(std::string_view text)
{
    if (!g_lineState) [[unlikely]] {
        firstLineState();
        P3109_Line(text);
        return;
    }
    const GEN_MODULE_STATE& g = *g_lineState;
    const int16_t sIndent = static_cast<int16_t>(g.out.usIndent);
    writeLine(g, g.out.current, sIndent > 0 ? static_cast<size_t>(sIndent) : 0, text);
}

namespace {

/* A queue's first block, and the size its blocks grow to: a queue of a
** small program stays small, and the room left unused in the last block
** of a large one stays below a block. */
constexpr size_t kFirstQueueBlock = 1024;
constexpr size_t kQueueBlock = 16 * 1024;
/* The bytes of full blocks a queue keeps in memory before they go to its
** scratch file. */
constexpr size_t kQueueHeldInMemory = 32 * 1024;
/* A queued line's length is two bytes, or this mark and four more. */
constexpr uint16_t kLongQueuedLine = 0xFFFF;

/* The name of the file a queue is being written to: named when the
** queue's scratch file cannot be read back. */
std::string g_queueTarget;

void readAllAt(int fd, char* to, size_t n, off_t at)
{
    while (n > 0) {
        const ssize_t k = ::pread(fd, to, n, at);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            P3109_FatalWriteError(g_queueTarget, k < 0 ? errno : EIO);
        to += k;
        at += k;
        n -= static_cast<size_t>(k);
    }
}

}  // namespace

void GEN_LINE_QUEUE::push_back(uint16_t usIndent, std::string_view text)
{
    const bool fLong = text.size() >= kLongQueuedLine;
    const size_t ulHead = fLong ? 8 : 4;
    const size_t ulNeed = ulHead + text.size();
    bool fBegun = false;
    if (blocks_.empty() || blocks_.back().size - blocks_.back().used < ulNeed) {
        size_t ulNext = kFirstQueueBlock;
        if (!blocks_.empty()) {
            inMemory_ += blocks_.back().used; /* the last block is full */
            ulNext = std::min<size_t>(2 * blocks_.back().size, kQueueBlock);
        }
        const size_t ulSize = std::max(ulNext, ulNeed);
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(ulSize), static_cast<uint32_t>(ulSize), 0, -1});
        fBegun = true;
    }
    Block& block = blocks_.back();
    char* at = block.bytes.get() + block.used;
    const uint16_t usLength = fLong ? kLongQueuedLine : static_cast<uint16_t>(text.size());
    std::memcpy(at, &usIndent, 2);
    std::memcpy(at + 2, &usLength, 2);
    if (fLong) {
        const auto ulLength = static_cast<uint32_t>(text.size());
        std::memcpy(at + 4, &ulLength, 4);
    }
    if (!text.empty())
        std::memcpy(at + ulHead, text.data(), text.size());
    block.used += static_cast<uint32_t>(ulNeed);
    ++lines_;
    /* only now, the text copied: it may be a line of this queue's own */
    if (fBegun && inMemory_ > kQueueHeldInMemory && !noScratch_)
        spill();
}

void GEN_LINE_QUEUE::spill()
{
    if (!scratch_) {
        scratch_.reset(dqoz::ScratchFile());
        if (!scratch_) {
            noScratch_ = true;
            return;
        }
    }
    const int fd = fileno(scratch_.get());
    for (size_t b = 0; b + 1 < blocks_.size(); ++b) {
        Block& block = blocks_[b];
        if (!block.bytes)
            continue;
        if (!writeAllAt(fd, block.bytes.get(), block.used, static_cast<off_t>(scratchEnd_))) {
            noScratch_ = true; /* the blocks not written stay in memory */
            return;
        }
        block.spilled = scratchEnd_;
        scratchEnd_ += block.used;
        inMemory_ -= block.used;
        block.bytes.reset();
    }
}

void GEN_LINE_QUEUE::clear()
{
    std::vector<Block>().swap(blocks_);
    lines_ = 0;
    inMemory_ = 0;
    scratch_.reset();
    scratchEnd_ = 0;
    noScratch_ = false;
}

void GEN_LINE_QUEUE::const_iterator::read()
{
    /* a block ends where the next line did not fit */
    while (at_ >= queue_->blocks_[block_].used) {
        ++block_;
        at_ = 0;
    }
    const Block& block = queue_->blocks_[block_];
    const char* base = block.bytes.get();
    if (!base) {
        if (loaded_ != block_) {
            buffer_.resize(block.used);
            readAllAt(fileno(queue_->scratch_.get()), buffer_.data(), block.used, static_cast<off_t>(block.spilled));
            loaded_ = block_;
        }
        base = buffer_.data();
    }
    const char* at = base + at_;
    uint16_t usIndent, usLength;
    std::memcpy(&usIndent, at, 2);
    std::memcpy(&usLength, at + 2, 2);
    size_t ulLength = usLength, ulHead = 4;
    if (usLength == kLongQueuedLine) {
        uint32_t ulLong;
        std::memcpy(&ulLong, at + 4, 4);
        ulLength = ulLong;
        ulHead = 8;
    }
    line_ = {usIndent, std::string_view(at + ulHead, ulLength)};
    at_ += static_cast<uint32_t>(ulHead + ulLength);
    read_ = true;
}

void P3109_WriteLineQueue(int iQueue, GEN_STREAM stream)
{
    if (iQueue < 1 || iQueue > GEN_QUEUE_COUNT)
        return;
    /* the lines were judged when they were queued; a queue written to a
       queue stream, itself too, gives the lines it held when it began */
    g_replaying = true;
    const StreamSlot* slot = streamSlot(stream);
    g_queueTarget.assign(slot ? std::string_view(slot->name) : std::string_view());
    for (const GEN_QUEUED_LINE& l : P3109_State().out.queues[static_cast<size_t>(iQueue - 1)])
        P3109_WriteLine(stream, static_cast<int16_t>(l.usIndent), l.text);
    g_queueTarget.clear();
    g_replaying = false;
}

void P3109_WriteDeferredQueue1()
{
    flushQueue(1);
}
void P3109_WriteDeferredQueue2()
{
    flushQueue(2);
}
void P3109_WriteDeferredQueue3()
{
    flushQueue(3);
}
void P3109_WriteDeferredQueue4()
{
    flushQueue(4);
}
void P3109_WriteDeferredQueue5()
{
    flushQueue(5);
}
void P3109_WriteDeferredQueue6()
{
    flushQueue(6);
}

void P3109_ClearQueues()
{
    for (auto& q : P3109_State().out.queues)
        q.clear();
}

void P3109_IndentIn()
{
    GEN_OUTPUT_STATE& o = P3109_State().out;
    ++o.sDepth;
    if (o.sDepth < 13)
        o.usIndent = static_cast<uint16_t>(o.usIndent + 3);
}

void P3109_IndentOut()
{
    GEN_OUTPUT_STATE& o = P3109_State().out;
    if (o.sDepth < 13 && o.usIndent >= 3)
        o.usIndent = static_cast<uint16_t>(o.usIndent - 3);
    --o.sDepth;
}

void P3109_WriteOpenBrace()
{
    P3109_Line("{");
    P3109_IndentIn();
}

void P3109_WriteCloseBrace()
{
    P3109_IndentOut();
    P3109_Line("}");
}

namespace {

/* The comment line of the text, put together in a buffer kept between
** calls, its three pieces copied in place. */
std::string_view commentLine(std::string_view text)
{
    static std::string line;
    line.resize(text.size() + 6);
    char* at = line.data();
    std::memcpy(at, "/* ", 3);
    if (!text.empty())
        std::memcpy(at + 3, text.data(), text.size());
    std::memcpy(at + 3 + text.size(), " */", 3);
    return line;
}

}  // namespace

void P3109_WriteComment(std::string_view text)
{
    P3109_Line(" ");
    P3109_Line(commentLine(text));
    P3109_Line(" ");
}

void P3109_WriteCommentAfterBlank(std::string_view text)
{
    P3109_Line(" ");
    P3109_Line(commentLine(text));
}

void P3109_WriteCommentBeforeBlank(std::string_view text)
{
    P3109_Line(commentLine(text));
    P3109_Line(" ");
}

void P3109_WriteDashedBoxComment(GEN_STREAM stream, std::string_view text)
{
    /* the lines are put together in buffers kept between calls */
    static std::string rule, body;
    rule.assign("/* ").append(text.size(), '-').append(" */");
    body.assign("/* ").append(text).append(" */");
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 3, rule);
    P3109_WriteLine(stream, 3, body);
    P3109_WriteLine(stream, 3, rule);
    P3109_WriteLine(stream, 0, " ");
}

void P3109_WriteDoubleBoxComment(GEN_STREAM stream, std::string_view text)
{
    const size_t width = text.size() + 6 < 71 ? 71 : text.size() + 6;
    /* the lines are put together in buffers kept between calls */
    static std::string rule, body;
    rule.assign("/* ").append(width - 6, '=').append(" */");
    body.assign("/* ").append(text).append(width - 6 - text.size(), ' ').append(" */");
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, rule);
    P3109_WriteLine(stream, 0, body);
    P3109_WriteLine(stream, 0, rule);
}

void P3109_WriteGenericOdbcIf(GEN_STREAM stream)
{
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, "#if defined(F_USE_GENERIC_ODBC) ");
    P3109_WriteLine(stream, 0, " ");
}

void P3109_WriteGenericOdbcEndif(GEN_STREAM stream)
{
    P3109_WriteLine(stream, 0, " ");
    P3109_WriteLine(stream, 0, "#endif ");
    P3109_WriteLine(stream, 0, " ");
}

void P3109_WriteShortConstant(GEN_STREAM stream, int fStaticForm, std::string_view name, int16_t sValue)
{
    std::string line(79, ' ');
    auto place = [&line](size_t column, std::string_view text) {
        if (column >= line.size())
            return;
        line.replace(column, std::min(text.size(), line.size() - column), text.substr(0, line.size() - column));
    };
    char value[16];
    if (fStaticForm) {
        place(0, "static const X_SHORT");
        place(21, name);
        std::snprintf(value, sizeof value, "= %d;", sValue);
    } else {
        place(0, "#define");
        place(8, name);
        std::snprintf(value, sizeof value, "%d", sValue);
    }
    place(60, value);
    P3109_WriteLine(stream, 0, line);
}

void P3109_WriteDefineLine(GEN_STREAM stream, std::string_view name, std::string_view value)
{
    std::string line(60, ' ');
    line.replace(0, 7, "#define");
    line.replace(8, std::min<size_t>(name.size(), 52), name.substr(0, 52));
    line.resize(60, ' ');
    line.append(value);
    /* the columns are kept; the blanks after the value are not written */
    P3109_WriteLine(stream, 0, P3109_TrimRight(line));
}

void P3109_WritePublicConstInt(GEN_STREAM stream, std::string_view name, int32_t lValue)
{
    P3109_WritePublicConstIntText(stream, name, std::to_string(lValue));
}

void P3109_WritePublicConstIntText(GEN_STREAM stream, std::string_view name, std::string_view value)
{
    P3109_WriteLine(stream, 0, "public const int " + std::string(name) + " = " + std::string(value) + ";");
}

#if DQOV_TEST_HOOKS
bool P3109_TestWideHeldLines(bool fWide)
{
#if defined(__x86_64__)
    g_wideAsked = true;
    g_wideHeld = fWide && wideProcessor();
    return wideProcessor();
#else
    (void)fWide;
    return false;
#endif
}
#endif

/*
** file_helpers.cpp: the generator's small file services.
*/
#include "generator/core/output/file_helpers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

#include "dqov/runcontrol/fatal.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr size_t kReadBuffer = 4101;
constexpr size_t kWritePiece = 10240;

/* The name of an input stream and the number of its last line read, for the
** message on a line too long to read. */
struct InputFile {
    std::string name;
    long lLine = 0;
};

std::map<GEN_STREAM, InputFile>& inputFiles()
{
    static std::map<GEN_STREAM, InputFile> files;
    return files;
}

bool lineEndOrBlank(char c)
{
    /* one test of a bit for the four of them, all below 64 */
    constexpr uint64_t kEnds = uint64_t{1} << ' ' | uint64_t{1} << '\f' | uint64_t{1} << '\n' | uint64_t{1} << '\r';
    const auto u = static_cast<unsigned char>(c);
    return u < 64 && ((kEnds >> u) & 1u) != 0;
}

/* Reads what is left of a line the buffer could not hold; true when it held
** more than blanks and line-end characters. */
bool lineGoesOn(FILE* f)
{
    bool more = false;
    for (int c = std::fgetc(f); c != EOF && c != '\n'; c = std::fgetc(f))
        more = more || !lineEndOrBlank(static_cast<char>(c));
    return more;
}

void reportLongLine(const InputFile& in)
{
    const size_t slash = in.name.find_last_of("\\/");
    const std::string base = slash == std::string::npos ? in.name : in.name.substr(slash + 1);
    P3109_IssueTextMessage('F', "ERROR : Line " + std::to_string(in.lLine) + " of skeleton " + base +
                                    " is longer than " + std::to_string(kReadBuffer - 1) + " characters");
    ++P3109_State().lOutputFailures;
}

GEN_STREAM openFile(const std::string& name, const char* mode, dqov::Msg msg)
{
    std::string host;
    FILE* f = nullptr;
    const unsigned long mapped =
        mode[0] == 'r' ? dqoz::MapPath(name, host) : dqoz::OutputPath(name, host, mode[0] == 'a');
    if (mapped == 0)
        f = std::fopen(host.c_str(), mode);
    if (!f) {
        P3109_IssueFileMessage(msg, name, mapped != 0 ? DosGetLastErrorText() : std::strerror(errno));
        return GEN_NO_STREAM;
    }
    const GEN_STREAM stream = P3109_AddFileStream(f, name, mode[0] != 'r');
    if (mode[0] != 'r' && name.size() > 3 && name.compare(name.size() - 3, 3, ".cs") == 0)
        P3109_MarkCSharpStream(stream);
    return stream;
}

/* Reads the next line of the file as fgets does into the buffer; its
** length without the trailing blanks and line end, or -1 at the end of the
** file and after reporting a line too long to read. */
long readLine(FILE* f, InputFile& in, char (&buffer)[kReadBuffer])
{
    if (!std::fgets(buffer, static_cast<int>(kReadBuffer), f))
        return -1;
    ++in.lLine;
    size_t n = std::strlen(buffer);
    if (n == kReadBuffer - 1 && buffer[n - 1] != '\n' && lineGoesOn(f)) {
        reportLongLine(in);
        return -1;
    }
    while (n > 0 && lineEndOrBlank(buffer[n - 1]))
        --n;
    return static_cast<long>(n);
}

/* Reads a file's lines as readLine does, from a buffer filled a block at a
** time: a line is found in the buffer with one search, and its text is
** handed on from there. */
class BlockLineReader {
public:
    explicit BlockLineReader(FILE* f) : f_(f) {}

    /* The next line as readLine gives it: its length without the trailing
    ** blanks and line end, its text in `text`; -1 at the end of the file
    ** and after reporting a line too long to read. */
    long next(InputFile& in, const char*& text)
    {
        constexpr size_t kLine = kReadBuffer - 1; /* what one fgets reads at most */
        size_t avail = end_ - at_;
        const char* nl = static_cast<const char*>(std::memchr(block_ + at_, '\n', std::min(avail, kLine)));
        if (!nl && avail < kLine && fill()) {
            avail = end_ - at_;
            nl = static_cast<const char*>(std::memchr(block_ + at_, '\n', std::min(avail, kLine)));
        }
        if (avail == 0)
            return -1;
        const char* p = block_ + at_;
        const size_t length = nl ? static_cast<size_t>(nl - p) + 1 : std::min(avail, kLine);
        at_ += length;
        ++in.lLine;
        /* as strlen on what fgets read: a NUL ends the line (looked for
           only in a block that holds one) */
        const char* nul = nulAt_ < at_ ? static_cast<const char*>(std::memchr(p, '\0', length)) : nullptr;
        size_t n = nul ? static_cast<size_t>(nul - p) : length;
        if (n == kLine && p[n - 1] != '\n') {
            /* the rest of the line is read past: the line is kept aside first */
            long_.assign(p, n);
            p = long_.data();
            if (goesOn()) {
                reportLongLine(in);
                return -1;
            }
        }
        while (n > 0 && lineEndOrBlank(p[n - 1]))
            --n;
        text = p;
        return static_cast<long>(n);
    }

    /* The whole lines from the reader's place, as many as follow one
    ** another in the block (more are read when it holds not one whole
    ** line) and can be written over in the block as the writer writes
    ** them: trimmed as next() trims them, a blank and "\r\n" appended
    ** (no longer than it stood). Their written text in `text` (answered),
    ** the bytes they took in `taken`, their count in `count`; passed only
    ** by skip(). */
    size_t run(const char*& text, size_t& taken, long& count)
    {
        count = 0;
        taken = 0;
        for (;;) {
            if (nulAt_ < at_) {
                /* the block's first NUL is passed: the next one from here */
                const void* nul = std::memchr(block_ + at_, '\0', end_ - at_);
                nulAt_ = nul ? static_cast<size_t>(static_cast<const char*>(nul) - block_) : end_;
            }
            char* const first = block_ + at_;
            /* the lines before the next NUL */
            const char* const end = block_ + nulAt_;
            char* p = first;
            char* to = first;    /* where the next line's written text goes */
            char* stand = first; /* from here to p, lines that stand as written, not yet moved to `to` */
            long lines = 0;
            bool more = false; /* the line at p may go on past what is read */
            for (;;) {
                const size_t left = static_cast<size_t>(end - p);
                const size_t most = std::min<size_t>(left, GEN_LINE_LIMIT + 3);
                char* nl = static_cast<char*>(std::memchr(p, '\n', most));
                if (!nl) {
                    more = most == left && nulAt_ == end_ && !eof_;
                    break;
                }
                /* most lines stand as written: "TEXT \r\n", TEXT empty or
                   ending in a byte not trimmed */
                if (nl - p >= 2 && nl[-1] == '\r' && nl[-2] == ' ' && (nl - p == 2 || !lineEndOrBlank(nl[-3]))) {
                    p = nl + 1;
                    ++lines;
                    continue;
                }
                const char* q = nl + 1;
                while (q > p && lineEndOrBlank(q[-1]))
                    --q;
                const size_t length = static_cast<size_t>(q - p), was = static_cast<size_t>(nl + 1 - p);
                if (length + 3 > was)
                    break; /* it grows: written by the writer */
                /* the text gets its blank and line end here */
                if (to != stand)
                    std::memmove(to, stand, static_cast<size_t>(p - stand));
                to += p - stand;
                if (to != p)
                    std::memmove(to, p, length);
                to += length;
                to[0] = ' ';
                to[1] = '\r';
                to[2] = '\n';
                to += 3;
                stand = nl + 1;
                p = nl + 1;
                ++lines;
            }
            if (lines > 0 || !more) {
                if (to != stand)
                    std::memmove(to, stand, static_cast<size_t>(p - stand));
                to += p - stand;
                text = first;
                taken = static_cast<size_t>(p - first);
                count = lines;
                return static_cast<size_t>(to - first);
            }
            /* the block ends within its first line: more is read */
            if (!fill())
                return 0;
        }
    }
    /* Passes the lines run() answered, `taken` bytes of the block. */
    void skip(size_t taken, long count, InputFile& in)
    {
        at_ += taken;
        in.lLine += count;
    }

private:
    /* Moves what is left to the front and reads more behind it; false when
    ** nothing more could be read. */
    bool fill()
    {
        if (eof_)
            return false;
        const size_t left = end_ - at_;
        std::memmove(block_, block_ + at_, left);
        at_ = 0;
        end_ = left;
        const size_t got = std::fread(block_ + end_, 1, sizeof block_ - end_, f_);
        end_ += got;
        if (end_ < sizeof block_)
            eof_ = true;
        const void* nul = std::memchr(block_, '\0', end_);
        nulAt_ = nul ? static_cast<size_t>(static_cast<const char*>(nul) - block_) : end_;
        return got > 0;
    }

    /* As lineGoesOn: reads what is left of the line. */
    bool goesOn()
    {
        bool more = false;
        for (;;) {
            if (at_ == end_ && !fill())
                return more;
            const char c = block_[at_++];
            if (c == '\n')
                return more;
            more = more || !lineEndOrBlank(c);
        }
    }

    static constexpr size_t kBlock = 2 * kReadBuffer; /* room for a whole line after what is left */
    FILE* f_;
    size_t at_ = 0, end_ = 0;
    size_t nulAt_ = 0; /* the block's first NUL, end_ when it holds none */
    bool eof_ = false;
    char block_[kBlock];
    std::string long_;
};

/* Copies the lines of the open file to the stream, each with a blank
** appended; the lines go from the read buffer to the stream with no copy
** between. A work file's lines are written so already (the text, one
** blank, the line end) or trimmed to it in the read buffer: those go on
** as many at a time as the buffer holds. */
void copyFileLines(GEN_STREAM out, FILE* f, InputFile& file)
{
    BlockLineReader reader(f);
    /* the abort word is the check state's count of later errors */
    const FFC_CHECK_STATE* state = P3109_CheckState();
    /* the lines the writer writes as they stand go to it a block of them
       at a time, while the stream takes them so; the others one by one */
    bool asWritten = true;
    while (!state || state->stats.lFatalLater == 0) {
        FFC_StopWhenInterrupted();
        const char* text = nullptr;
        long count = 0;
        if (asWritten && (asWritten = P3109_fTakesLinesAsWritten(out))) {
            size_t taken = 0;
            if (const size_t length = reader.run(text, taken, count); taken > 0) {
                P3109_WriteLinesAsWritten(out, std::string_view(text, length));
                reader.skip(taken, count, file);
                continue;
            }
        }
        const long n = reader.next(file, text);
        if (n < 0)
            break;
        P3109_WriteFileLine(1, std::string_view(text, static_cast<size_t>(n)), out);
    }
}

/* The same for the file at the path. */
void copyLines(GEN_STREAM out, const std::string& path)
{
    GEN_STREAM in = P3109_pOpenInputFile(path);
    if (in == GEN_NO_STREAM)
        return;
    if (FILE* f = P3109_pStreamFile(in))
        copyFileLines(out, f, inputFiles()[in]);
    P3109_CloseStream(in);
}

}  // namespace

bool P3109_fReadSkeletonLine(GEN_STREAM stream, int fAppendBlank, std::string& line)
{
    line.clear();
    FFC_StopWhenInterrupted();
    FILE* f = P3109_pStreamFile(stream);
    if (!f)
        return false;
    char buffer[kReadBuffer];
    const long n = readLine(f, inputFiles()[stream], buffer);
    if (n < 0)
        return false;
    line.assign(buffer, static_cast<size_t>(n));
    if (fAppendBlank)
        line += ' ';
    return true;
}

GEN_STREAM P3109_pOpenInputFile(const std::string& name)
{
    GEN_STREAM stream = openFile(name, "r", Msg::FileNotReadable);
    if (stream != GEN_NO_STREAM)
        inputFiles()[stream] = InputFile{name, 0};
    return stream;
}

GEN_STREAM P3109_pOpenOutputFile(const std::string& name)
{
    /* open for reading too: a method's lines held in the file are read back */
    return openFile(name, "w+b", Msg::FileNotWritable);
}

GEN_STREAM P3109_pOpenAppendFile(const std::string& name)
{
    return openFile(name, "a+b", Msg::FileNotWritable);
}

void P3109_WriteLineAndClear(GEN_STREAM stream, std::string& line)
{
    P3109_WriteFileLine(1, P3109_TrimRight(line), stream);
    line.assign(GEN_LINE_LIMIT, ' ');
}

int P3109_WriteWholeFile(const void* pData, size_t ulBytes, const std::string& name)
{
    std::string host;
    FILE* f = nullptr;
    const unsigned long mapped = dqoz::OutputPath(name, host);
    if (mapped == 0)
        f = std::fopen(host.c_str(), "wb");
    bool failed = f == nullptr;
    const std::string why = mapped != 0 ? std::string(" (") + DosGetLastErrorText() + ")" : std::string();
    const unsigned char* p = static_cast<const unsigned char*>(pData);
    while (f && ulBytes > 0) {
        size_t piece = ulBytes < kWritePiece ? ulBytes : kWritePiece;
        if (std::fwrite(p, 1, piece, f) != piece) {
            failed = true;
            break;
        }
        p += piece;
        ulBytes -= piece;
    }
    /* the text must reach the file system: the flush and the close count */
    if (f && std::fflush(f) != 0)
        failed = true;
    if (f && std::fclose(f) != 0)
        failed = true;
    if (failed)
        P3109_InternalError("Fatal error detected when attempting to open or write to file " + name + why + ".");
    return 0;
}

std::string P3109_CopyDoublingBackslashes(std::string_view source)
{
    std::string out;
    for (char c : source) {
        out += c;
        if (c == '\\')
            out += '\\';
    }
    return out;
}

void P3109_WriteShortPathListing(GEN_STREAM stream, const std::string& directory, const std::string& fileName,
                                 int iNumber, std::string_view typeText, int fReportFailure)
{
    /* The host keeps no short names: a found file is named by its full path. */
    std::string path = directory + "\\" + fileName;
    std::string host;
    struct stat st {};
    bool found = dqoz::MapPath(path, host) == 0 && ::stat(host.c_str(), &st) == 0;
    if (!found && fReportFailure) {
        /* a resource the script would name by an error text: the
           generation fails naming the file instead */
        P3109_IssueTextMessage('F', "Error in GetShortPathName or FindFirstFile: " + path);
        return;
    }
    P3109_WriteLine(stream, 0, " ");
    char line[GEN_MAX_PATH * 2 + 64];
    std::snprintf(line, sizeof line, "     %d   %.*s   \"%s\" ", iNumber, static_cast<int>(typeText.size()),
                  typeText.data(), P3109_CopyDoublingBackslashes(path).c_str());
    P3109_WriteLine(stream, 0, line);
}

void P3109_CopySkeletonInclude(GEN_STREAM stream, const std::string& fileName)
{
    copyLines(stream, P3109_State().args.root + "\\X_VELMO\\SOURCE\\" + fileName);
}

void P3109_AppendWorkFile(GEN_STREAM stream, const std::string& path)
{
    copyLines(stream, path);
}

GEN_WORK_FILE::~GEN_WORK_FILE()
{
    if (fd_ >= 0)
        ::close(fd_);
}

GEN_STREAM GEN_WORK_FILE::Open(const std::string& name)
{
    name_ = name;
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (dqoz::WrittenAside(name)) {
        if (FILE* f = dqoz::ScratchFile()) {
            /* a second descriptor reads the text back once the stream is closed */
            fd_ = ::fcntl(fileno(f), F_DUPFD_CLOEXEC, 0);
            if (fd_ >= 0)
                return P3109_AddFileStream(f, name, true);
            std::fclose(f);
        }
    }
    return P3109_pOpenOutputFile(name);
}

void GEN_WORK_FILE::AppendTo(GEN_STREAM stream)
{
    if (fd_ < 0) {
        P3109_AppendWorkFile(stream, name_);
        return;
    }
    const int fd = std::exchange(fd_, -1);
    FILE* f = ::lseek(fd, 0, SEEK_SET) == 0 ? ::fdopen(fd, "rb") : nullptr;
    if (!f) {
        P3109_IssueFileMessage(Msg::FileNotReadable, name_, std::strerror(errno));
        ::close(fd);
        return;
    }
    InputFile file{name_, 0};
    copyFileLines(stream, f, file);
    std::fclose(f);
}

void P3109_DeleteFile(const std::string& name)
{
    DosDelete(name.c_str());
}

void P3109_RemoveDirectory(const std::string& name)
{
    DosDeleteDir(name.c_str());
}

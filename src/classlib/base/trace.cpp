// Trace writers and numbered trace files.
#include "classlib/base/trace.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "classlib/base/qvseam.h"
#include "platform/qvutil/qvutil.h"

namespace {

constexpr size_t kFormatBuffer = 1024;
constexpr int kLockWaitMs = 15000;

struct Fd {
    int fd;
    explicit Fd(int f) : fd(f) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

// Takes an exclusive lock on the open file, polling for up to 15 s; a lock
// goes with the descriptor, so a crashed holder never blocks the others.
bool lockWithin(int fd, int waitMs)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool equalsNoCase(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::string LTraceWriterOutput_MutexName(const char* fileName)
{
    std::string name(fileName ? fileName : "");
    if (name.size() > 260)
        name.resize(260);
    for (char& c : name)
        if (c == '\\' || c == ':')
            c = '_';
    return name;
}

LTraceWriterOutput::LTraceWriterOutput(const char* fileName)
    : m_name(std::make_shared<const std::string>(fileName ? fileName : "")), m_hostName(lqv::hostPath(m_name->c_str())),
      m_buffer(std::make_unique<char[]>(kFormatBuffer))
{}

LTraceWriterOutput::LTraceWriterOutput(const LTraceWriterOutput& other)
    : m_name(other.m_name), m_hostName(other.m_hostName), m_buffer(std::make_unique<char[]>(kFormatBuffer))
{}

int LTraceWriterOutput::writeLine(const char* text)
{
    std::string line(text ? text : "");
    line += "\r\n";
    Fd fd(::open(m_hostName.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (fd.fd < 0)
        return -1;  // the line is lost, silently
    if (!lockWithin(fd.fd, kLockWaitMs))
        return -1;
    bool ok = writeAll(fd.fd, line.data(), line.size());
    flock(fd.fd, LOCK_UN);
    return ok ? 0 : -1;
}

int LTraceWriterOutput::vprintf(const char* format, va_list args)
{
    int n = UTS_vsnprintf(m_buffer.get(), kFormatBuffer, format, args);
    m_buffer[kFormatBuffer - 1] = '\0';
    writeLine(m_buffer.get());
    return n < 0 || static_cast<size_t>(n) >= kFormatBuffer ? -1 : n;
}

LTraceWriter::LTraceWriter(const LTraceWriter& other) : m_on(other.m_on), m_level(other.m_level)
{
    if (other.m_output)
        m_output = std::make_unique<LTraceWriterOutput>(*other.m_output);
}

void LTraceWriter::write(int32_t level, const char* text)
{
    if (isEnabled(level))
        m_output->writeLine(text);
}

int LTraceWriter::trace(int32_t level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vtrace(level, format, args);
    va_end(args);
    return n;
}

int LTraceWriter::vtrace(int32_t level, const char* format, va_list args)
{
    if (!isEnabled(level))
        return 0;
    return m_output->vprintf(format, args);
}

LCharBuffer LTraceWriterOutput_NextNumberedFile(const char* directory, const char* baseName)
{
    if (!directory || !baseName)
        return LCharBuffer();
    std::string hostDir = lqv::hostPath(directory);
    // The lock on the directory itself serialises the choice across processes.
    Fd dirLock(::open(hostDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirLock.fd < 0 || !lockWithin(dirLock.fd, kLockWaitMs))
        return LCharBuffer();

    DIR* dir = opendir(hostDir.c_str());
    if (!dir)
        return LCharBuffer();
    size_t baseLength = std::strlen(baseName);
    int highest = 0;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strlen(name) != baseLength + 4 || name[baseLength] != '.')
            continue;
        if (!equalsNoCase(name, baseName, baseLength))
            continue;
        const char* suffix = name + baseLength + 1;
        if (!std::isdigit(static_cast<unsigned char>(suffix[0])) ||
            !std::isdigit(static_cast<unsigned char>(suffix[1])) ||
            !std::isdigit(static_cast<unsigned char>(suffix[2])))
            continue;  // not a numbered trace file
        int number = (suffix[0] - '0') * 100 + (suffix[1] - '0') * 10 + (suffix[2] - '0');
        if (number > highest)
            highest = number;
    }
    closedir(dir);
    if (highest >= 999)
        return LCharBuffer();

    char name[261];
    // A name cut to the buffer would start a file under another name.
    int length = UTS_snprintf(name, sizeof name, "%s\\%s.%3.3d", directory, baseName, highest + 1);
    if (length < 0 || static_cast<size_t>(length) >= sizeof name)
        return LCharBuffer();
    LTraceWriterOutput output(name);
    if (output.writeLine("*** TraceWriterOutput ***") != 0)
        return LCharBuffer();
    return LCharBuffer(name);
}

bool LTraceWriterOutput_NextFileName(const char* directory, const char* baseName, char* destination,
                                     size_t destinationSize)
{
    LCharBuffer name = LTraceWriterOutput_NextNumberedFile(directory, baseName);
    if (!destination || destinationSize == 0)
        return false;
    UTS_snprintf(destination, destinationSize, "%s", name.c_str() ? name.c_str() : "");
    return destination[0] != '\0';
}

// The file stream over POSIX files and open-file-description locks.
#include "classlib/base/file_stream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "classlib/base/lexception.h"
#include "classlib/base/qvseam.h"
#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

namespace {

[[noreturn]] void fail(int error)
{
    throw LStreamFileException(P3142_FormatWin32Error(static_cast<uint32_t>(error)).c_str());
}

int openFlags(uint32_t mode)
{
    switch (mode) {
    case LStreamFile::kRead: return O_RDONLY;
    case LStreamFile::kWriteNew: return O_WRONLY | O_CREAT | O_TRUNC;
    case LStreamFile::kWrite: return O_WRONLY | O_CREAT;
    case LStreamFile::kReadWrite: return O_RDWR | O_CREAT;
    default: return -1;
    }
}

// Byte-range lock of one byte at offset 0, owned by the open file itself so
// that two opens in one process also exclude each other.
bool lockByte(int fd, short type, bool wait)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    for (;;) {
        if (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

struct FileCloser {
    int fd;
    ~FileCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

LStreamFile::LStreamFile(const char* fileName) : m_name(fileName), m_host(lqv::hostPath(fileName)) {}

LStreamFile::~LStreamFile()
{
    close();
}

void LStreamFile::open(uint32_t mode, uint32_t /*share*/)
{
    close();
    int flags = openFlags(mode);
    if (flags < 0)
        fail(EINVAL);
    int fd = ::open(m_host.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(errno);
    m_fd = fd;
    m_mode = mode;
}

void LStreamFile::openLocked(uint32_t mode, bool wait)
{
    open(mode);
    if (!lockByte(m_fd, mode == kRead ? F_RDLCK : F_WRLCK, wait)) {
        int error = errno;
        close();
        throw LStreamFileLockException(P3142_FormatWin32Error(static_cast<uint32_t>(error)).c_str());
    }
    m_locked = true;
}

uint32_t LStreamFile::read(void* buffer, uint32_t count)
{
    if (m_fd < 0)
        fail(EBADF);
    for (;;) {
        ssize_t n = ::read(m_fd, buffer, count);
        if (n >= 0)
            return static_cast<uint32_t>(n);
        if (errno != EINTR)
            fail(errno);
    }
}

uint32_t LStreamFile::write(const void* buffer, uint32_t count)
{
    if (m_fd < 0)
        fail(EBADF);
    for (;;) {
        ssize_t n = ::write(m_fd, buffer, count);
        if (n >= 0)
            return static_cast<uint32_t>(n);
        if (errno != EINTR)
            fail(errno);
    }
}

uint32_t LStreamFile::seek(int origin, int32_t offset)
{
    if (m_fd < 0)
        fail(EBADF);
    int whence = SEEK_CUR;
    off_t target = offset;
    switch (origin) {
    case kFromStart: whence = SEEK_SET; break;
    case kFromEnd: whence = SEEK_END; break;
    case kAfterByteOrderMark: {
        if (lseek(m_fd, 0, SEEK_SET) < 0)
            fail(errno);
        unsigned char head[4];
        uint32_t got = read(head, sizeof head);
        target += UTF_GetByteOrderMarkOffset(head, static_cast<int>(got));
        whence = SEEK_SET;
        break;
    }
    default: break;
    }
    off_t at = lseek(m_fd, target, whence);
    if (at < 0)
        fail(errno);
    return static_cast<uint32_t>(at);
}

uint32_t LStreamFile::size() const
{
    struct stat st;
    if (::stat(m_host.c_str(), &st) != 0)
        fail(errno);
    if (st.st_size > 0xFFFFFFFFLL)
        fail(EFBIG);
    return static_cast<uint32_t>(st.st_size);
}

LDateTime LStreamFile::lastWriteTime() const
{
    struct stat st;
    if (::stat(m_host.c_str(), &st) != 0)
        fail(errno);
    struct tm utc;
    if (!gmtime_r(&st.st_mtim.tv_sec, &utc))
        fail(EOVERFLOW);
    return LDateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                     static_cast<int>(st.st_mtim.tv_nsec / 1000000));
}

void LStreamFile::close()
{
    if (m_locked) {
        struct flock lock {};
        lock.l_type = F_UNLCK;
        lock.l_whence = SEEK_SET;
        lock.l_len = 1;
        fcntl(m_fd, F_OFD_SETLK, &lock);
        m_locked = false;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        m_mode = 0;
    }
}

bool LStreamFile::exists(const char* name)
{
    if (::access(lqv::hostPath(name).c_str(), F_OK) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    throw LStreamFileException(std::strerror(errno));
}

bool LStreamFile::isReadOnly(const char* name)
{
    return UTF_CheckFileAttribute(lqv::hostPath(name).c_str(), UTF_ATTR_READONLY) != 0;
}

void LStreamFile::setReadOnly(const char* name)
{
    if (UTF_SetSingleFileAttribute(lqv::hostPath(name).c_str(), UTF_ATTR_READONLY) != 0)
        fail(static_cast<int>(UTF_GetLastError()));
}

void LStreamFile::clearReadOnly(const char* name)
{
    if (UTF_ResetSingleFileAttribute(lqv::hostPath(name).c_str(), UTF_ATTR_READONLY) != 0)
        fail(static_cast<int>(UTF_GetLastError()));
}

void LStreamFile::copy(const char* from, const char* to)
{
    FileCloser in{::open(lqv::hostPath(from).c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0)
        fail(errno);
    FileCloser out{::open(lqv::hostPath(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)};
    if (out.fd < 0)
        fail(errno);
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out.fd, buffer + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                fail(errno);
            }
            done += w;
        }
    }
}

void LStreamFile::move(const char* from, const char* to, int replace)
{
    std::string target = lqv::hostPath(to);
    if (::access(target.c_str(), F_OK) == 0) {
        if (replace != 1)
            fail(EEXIST);
        if (::unlink(target.c_str()) != 0)
            fail(errno);
    }
    const int moved = ::rename(lqv::hostPath(from).c_str(), target.c_str());
    DosForgetKeptDirectories();  // a directory may have moved
    if (moved != 0)
        fail(errno);
}

void LStreamFile::remove(const char* name, int keepAttributes)
{
    std::string host = lqv::hostPath(name);
    if (::access(host.c_str(), F_OK) != 0 && errno == ENOENT)
        return;
    if (keepAttributes == 0)
        clearReadOnly(name);
    if (::unlink(host.c_str()) != 0)
        fail(errno);
}

LCharBuffer LStreamFile::readAll(const char* name)
{
    LStreamFile file(name);
    uint32_t size = file.size();
    auto data = std::make_unique<char[]>(static_cast<size_t>(size) + 1);
    file.open(kRead);
    uint32_t got = 0;
    while (got < size) {
        uint32_t n = file.read(data.get() + got, size - got);
        if (n == 0)
            break;
        got += n;
    }
    data[got] = '\0';
    uint32_t length = static_cast<uint32_t>(std::strlen(data.get()));
    LCharBuffer result;
    result.adopt(std::move(data), length);
    return result;
}

/*
** The event log: start and end notices of jobs, appended as lines to a file
** below the environment root.
**
** Each line is written with a single write on a file opened for appending,
** under a process-wide lock, so lines of concurrent jobs never interleave.
*/
#include "platform/dqoel/dqoel.h"
#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

std::mutex g_logMutex;

/* A field that cannot break the line: line breaks and tabs become blanks;
** with asWord, blanks become '_' too and an empty text becomes "-", so the
** fields before the free text stay separable. */
std::string Field(const char* text, bool asWord)
{
    std::string out;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        char c = *p;
        if (c == '\r' || c == '\n' || c == '\t' || c == '\f' || c == '\v')
            c = ' ';
        if (asWord && c == ' ')
            c = '_';
        out += c;
    }
    if (asWord && out.empty())
        out.push_back('-');
    return out;
}

/* The directory part of the log file name, in the same Windows form. */
std::string LogDirectory()
{
    std::string name = EL_LOG_FILE;
    size_t sep = name.rfind('\\');
    return sep == std::string::npos ? std::string() : name.substr(0, sep);
}

bool WriteAll(int fd, const std::string& s)
{
    size_t done = 0;
    while (done < s.size()) {
        ssize_t n = write(fd, s.data() + done, s.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

extern "C" long EL_SendNotificationEx(const char* pszHandle, unsigned long ulKind, const char* pszObject,
                                      const char* pszText)
{
    if (pszHandle == nullptr || *pszHandle == '\0')
        return -1;
    if (ulKind != EL_NOTICE_START && ulKind != EL_NOTICE_END)
        return -1;

    DQOZ_DATETIME dt{};
    DosGetDateTime(&dt);
    char stamp[32];
    UTS_snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{dt.year}, unsigned{dt.month},
                 unsigned{dt.day}, unsigned{dt.hours}, unsigned{dt.minutes}, unsigned{dt.seconds});
    std::string line = stamp;
    line += ulKind == EL_NOTICE_START ? " START " : " END ";
    line += Field(pszHandle, true);
    line += ' ';
    line += Field(pszObject, true);
    std::string text = Field(pszText, false);
    if (!text.empty()) {
        line += ' ';
        line += text;
    }
    line += '\n';

    std::lock_guard lock(g_logMutex);
    std::string dir = LogDirectory();
    if (!dir.empty() && LUTE_fCreateDirectoryTree(dir.c_str(), 0) == 0)
        return -2;
    std::string host;
    if (dqoz::MapPath(EL_LOG_FILE, host) != DQOZ_NO_ERROR)
        return -2;
    int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return -2;
    bool ok = WriteAll(fd, line);
    if (close(fd) != 0)
        ok = false;
    return ok ? 0 : -2;
}

// SQL utilities: the substring function's name, LIKE escaping, and the
// synchronous file open used for environment and data files.
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <string>

extern "C" const char* SSUTL_GetSQLSubStringCommand(void)
{
    return "substr";
}

extern "C" char* SSUTL_pszEscapeSQLLikeWildcards(const char* pszText, const char* pszChars, char chEscape,
                                                 unsigned long ulFlags)
{
    if (pszText == nullptr)
        return nullptr;
    const char* chars = pszChars ? pszChars : "";
    std::string out;
    for (const char* p = pszText; *p; ++p) {
        // The escape character itself is escaped too, or a '!' in the data
        // would swallow the character after it.
        if (*p == chEscape || (*chars && std::strchr(chars, *p) != nullptr))
            out += chEscape;
        out += *p;
    }
    auto* copy = static_cast<char*>(SMEM_pMalloc(ulFlags, out.size() + 1));
    if (copy)
        std::memcpy(copy, out.c_str(), out.size() + 1);
    return copy;
}

extern "C" long SSUTL_OpenFileInSync(const char* pszPath, unsigned long ulAccess, unsigned long ulShare,
                                     unsigned long ulDisposition)
{
    if (pszPath == nullptr || *pszPath == '\0')
        return -1;
    // Paths come in the library's Windows form; the OS layer maps them below
    // the environment root and refuses any that would leave it.
    std::string hostPath;
    if (dqoz::MapPath(pszPath, hostPath) != 0)
        return -1;
    bool wantRead = (ulAccess & SSUTL_GENERIC_READ) != 0;
    bool wantWrite = (ulAccess & SSUTL_GENERIC_WRITE) != 0;
    int flags = wantWrite ? (wantRead ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (ulDisposition) {
    case SSUTL_CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case SSUTL_CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case SSUTL_OPEN_EXISTING: break;
    case SSUTL_OPEN_ALWAYS: flags |= O_CREAT; break;
    case SSUTL_TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: return -1;
    }
    if ((flags & (O_CREAT | O_TRUNC)) && !wantWrite)
        return -1;
    int fd = ::open(hostPath.c_str(), flags | O_CLOEXEC | O_SYNC, 0644);
    if (fd < 0)
        return -1;
    if (wantWrite && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

/*
** File attributes, byte-order marks and directory trees.
**
** The read-only attribute of the environment's file system is the owner's
** write permission here. Names are mapped below the environment root like
** every other path of the library. Failures leave an errno value for
** UTF_GetLastError on the calling thread.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace {

thread_local int t_lastError = 0;

/* Records err as the last failure and returns it. */
int SetError(int err)
{
    t_lastError = err;
    return err;
}

/* Maps name to the host; on failure sets the last error and returns false. */
bool MapName(const char* name, std::string& host)
{
    if (name == nullptr || *name == '\0') {
        SetError(EINVAL);
        return false;
    }
    switch (dqoz::MapPath(name, host)) {
    case DQOZ_NO_ERROR: return true;
    case DQOZ_ERROR_FILENAME_EXCED_RANGE: SetError(EACCES); return false;
    case DQOZ_ERROR_NO_ROOT: SetError(ENOENT); return false;
    default: SetError(EINVAL); return false;
    }
}

/* Adds or removes write permission. */
int ChangeReadOnly(const char* name, unsigned long attr, bool readOnly)
{
    if (attr != UTF_ATTR_READONLY)
        return SetError(EINVAL);
    std::string host;
    if (!MapName(name, host))
        return t_lastError;
    struct stat st;
    if (stat(host.c_str(), &st) != 0)
        return SetError(errno);
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    if (chmod(host.c_str(), mode) != 0)
        return SetError(errno);
    return 0;
}

}  // namespace

extern "C" int UTF_CheckFileAttribute(const char* pszName, unsigned long ulAttr)
{
    std::string host;
    if (!MapName(pszName, host))
        return 0;
    struct stat st;
    if (stat(host.c_str(), &st) != 0) {
        SetError(errno);
        return 0;
    }
    if (ulAttr != UTF_ATTR_READONLY)
        return 0;
    return (st.st_mode & S_IWUSR) == 0 ? 1 : 0;
}

extern "C" int UTF_SetSingleFileAttribute(const char* pszName, unsigned long ulAttr)
{
    return ChangeReadOnly(pszName, ulAttr, true);
}

extern "C" int UTF_ResetSingleFileAttribute(const char* pszName, unsigned long ulAttr)
{
    return ChangeReadOnly(pszName, ulAttr, false);
}

extern "C" unsigned long UTF_GetLastError(void)
{
    return static_cast<unsigned long>(t_lastError);
}

extern "C" int UTF_GetByteOrderMarkOffset(const unsigned char* pb, int cb)
{
    if (pb == nullptr || cb < 2)
        return 0;
    if (cb >= 4 && pb[0] == 0xFF && pb[1] == 0xFE && pb[2] == 0x00 && pb[3] == 0x00)
        return 4;  // UTF-32LE; tested before UTF-16LE, whose mark it starts with
    if (cb >= 4 && pb[0] == 0x00 && pb[1] == 0x00 && pb[2] == 0xFE && pb[3] == 0xFF)
        return 4;  // UTF-32BE
    if (cb >= 3 && pb[0] == 0xEF && pb[1] == 0xBB && pb[2] == 0xBF)
        return 3;  // UTF-8
    if ((pb[0] == 0xFF && pb[1] == 0xFE) || (pb[0] == 0xFE && pb[1] == 0xFF))
        return 2;  // UTF-16LE, UTF-16BE
    return 0;
}

extern "C" int LUTE_fCreateDirectoryTree(const char* pszDirectory, unsigned long)
{
    std::string host;
    if (!MapName(pszDirectory, host))
        return 0;
    // Create each level in turn; levels that exist as directories are passed.
    for (size_t pos = 1; pos <= host.size(); ++pos) {
        if (pos < host.size() && host[pos] != '/')
            continue;
        std::string level = host.substr(0, pos);
        const int made = dqoz::MakeDirectory(level);
        if (made == 0)
            continue;
        const int err = made < 0 ? EACCES : made;
        struct stat st;
        if (err == EEXIST && stat(level.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        SetError(err == EEXIST ? ENOTDIR : err);
        return 0;
    }
    return 1;
}

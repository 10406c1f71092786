/*
** The per-thread failure text of the OS layer and the errno translation.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <cerrno>

namespace dqoz {

namespace {
thread_local std::string t_lastError;
}

unsigned long Fail(unsigned long rc, std::string text)
{
    t_lastError = std::move(text);
    return rc;
}

unsigned long StatusFromErrno(int err)
{
    switch (err) {
    case 0: return DQOZ_NO_ERROR;
    case ENOENT: return DQOZ_ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return DQOZ_ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EEXIST:
    case ENOTEMPTY: return DQOZ_ERROR_ACCESS_DENIED;
    case ENOMEM: return DQOZ_ERROR_NOT_ENOUGH_MEMORY;
    case ENAMETOOLONG: return DQOZ_ERROR_FILENAME_EXCED_RANGE;
    default: return DQOZ_ERROR_INVALID_PARAMETER;
    }
}

}  // namespace dqoz

extern "C" const char* DosGetLastErrorText(void)
{
    return dqoz::t_lastError.c_str();
}

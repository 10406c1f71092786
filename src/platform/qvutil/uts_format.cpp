/*
** Bounded formatting: vsnprintf that always terminates and never writes past
** the given size.
*/
#include "platform/qvutil/qvutil.h"

#include <cstdio>

extern "C" int UTS_vsnprintf(char* pszBuf, size_t cbBuf, const char* pszFormat, va_list args)
{
    if (pszBuf == nullptr)
        cbBuf = 0;
    if (pszFormat == nullptr) {
        if (cbBuf > 0)
            pszBuf[0] = '\0';
        return -1;
    }
    int n = std::vsnprintf(cbBuf > 0 ? pszBuf : nullptr, cbBuf, pszFormat, args);
    if (n < 0 && cbBuf > 0)
        pszBuf[0] = '\0';
    return n;
}

extern "C" int UTS_snprintf(char* pszBuf, size_t cbBuf, const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    int n = UTS_vsnprintf(pszBuf, cbBuf, pszFormat, args);
    va_end(args);
    return n;
}

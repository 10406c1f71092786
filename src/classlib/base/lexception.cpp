// Exceptions and the system error text.
#include "classlib/base/lexception.h"

#include <cstdio>
#include <cstring>
#include <string>

LException::LException(const char* message) noexcept
{
    try {
        m_message = LCharBuffer(message);
    } catch (...) {
        // No memory for the copy: the exception goes without message.
    }
}

LException::LException(const LException& other) noexcept
{
    try {
        m_message = other.m_message;
    } catch (...) {}
}

namespace {

// where + ": " + what (absent texts as empty); no message when there is no
// memory for it.
LCharBuffer joinedMessage(const char* where, const char* what) noexcept
{
    try {
        std::string text = std::string(where ? where : "") + ": " + (what ? what : "");
        return LCharBuffer(text.c_str());
    } catch (...) {
        return LCharBuffer();
    }
}

}  // namespace

WdInlinerException::WdInlinerException(const char* where, const char* what) noexcept
    : LException(joinedMessage(where, what).c_str())
{}

LCharBuffer P3142_FormatWin32Error(uint32_t code)
{
    if ((code & 0x1FFF0000u) == 0x00080000u)
        code &= 0xFFFFu;
    // glibc answers "Unknown error N" for codes it has no text for.
    char text[1024];
    const char* found = nullptr;
    if (code < 4096) {
        const char* s = strerror_r(static_cast<int>(code), text, sizeof text);
        if (s && std::strncmp(s, "Unknown error", 13) != 0)
            found = s;
    }
    if (found)
        return LCharBuffer(found);
    LCharBuffer result;
    result.format(64, "Error code: %#x.", code);
    return result;
}

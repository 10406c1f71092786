// Wide-text helpers and the buffered wide-text output.
#include "classlib/base/wide_text.h"

#include <cstring>

#include "classlib/base/json_writer.h"

void P3142_WdCopyWideRange(const LWString& source, LWString& result, int32_t start, int32_t count)
{
    if (source.isNull()) {
        result = LWString();
        return;
    }
    int32_t length = source.length();
    if (start < 0 || start > length)
        throw 1;
    if (count < 0)
        count = length - start;
    if (static_cast<int64_t>(start) + count > length)
        throw 1;
    auto p = std::make_unique<char16_t[]>(static_cast<size_t>(count) + 1);
    std::memcpy(p.get(), source.c_str() + start, static_cast<size_t>(count) * sizeof(char16_t));
    p[count] = u'\0';
    result = LWString(std::move(p), false);
}

LWString P3142_WdFindWideSubstring(const LWString& text, const char16_t* needle)
{
    if (text.isNull())
        return LWString();
    auto v = text.view();
    size_t at = needle ? v.find(std::u16string_view(needle, LWStrLen(needle))) : std::u16string_view::npos;
    if (at == std::u16string_view::npos)
        return text;
    LWString result(u"");
    result.append(text.c_str(), static_cast<int32_t>(at));
    return result;
}

void WideTextBuffer::putChar(char16_t ch)
{
    if (freeChars == 0)
        P3142_WriteWideToStream(*this);
    buffer[next++] = ch;
    --freeChars;
}

void WideTextBuffer::write(const char16_t* text, uint32_t count)
{
    if (count == 0)
        return;
    while (count >= freeChars) {
        uint32_t n = freeChars;
        std::memcpy(buffer + next, text, n * sizeof(char16_t));
        next += n;
        freeChars = 0;
        text += n;
        count -= n;
        P3142_WriteWideToStream(*this);  // a buffer that became exactly full goes out at once
    }
    std::memcpy(buffer + next, text, count * sizeof(char16_t));
    next += count;
    freeChars -= count;
}

// National-language helpers: host-code-page lengths and shift strings of
// double-byte text, and blank stripping. Single-byte text passes unchanged.
#include "platform/dqos/dqos.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<unsigned long> gCodePage{1252};

// Lead bytes of the double-byte code pages.
bool isLeadByte(unsigned char c)
{
    switch (gCodePage.load()) {
    case 932: return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:
    case 949:
    case 950: return c >= 0x81 && c <= 0xFE;
    default: return false;
    }
}

// Calls fn(start, length, isDouble) for each character of the text; a lead
// byte at the very end counts as a single byte.
template <typename Fn> void forEachChar(const char* text, Fn&& fn)
{
    size_t n = std::strlen(text);
    for (size_t i = 0; i < n;) {
        auto c = static_cast<unsigned char>(text[i]);
        bool dbl = isLeadByte(c) && i + 1 < n;
        fn(i, dbl ? 2u : 1u, dbl);
        i += dbl ? 2 : 1;
    }
}

}  // namespace

extern "C" void SSNLS_SetCodePage(unsigned long ulCodePage)
{
    gCodePage = ulCodePage;
}

extern "C" int SSNLS_fIsDoubleByte(void)
{
    unsigned long cp = gCodePage.load();
    return cp == 932 || cp == 936 || cp == 949 || cp == 950;
}

extern "C" unsigned short SSNLS_usGetEbcdicLength(const char* pszText)
{
    if (pszText == nullptr)
        return 0;
    size_t length = 0;
    bool inDouble = false;
    forEachChar(pszText, [&](size_t, size_t len, bool dbl) {
        if (dbl != inDouble) {
            if (dbl)
                length += 2;  // shift-out here, shift-in at the run's end
            inDouble = dbl;
        }
        length += len;
    });
    return static_cast<unsigned short>(length > 0xFFFF ? 0xFFFF : length);
}

extern "C" unsigned short SSNLS_CreateAsciiShiftString(const char* pszText, char* pszOut, unsigned short usOutSize)
{
    if (pszOut == nullptr || usOutSize == 0)
        return 0;
    pszOut[0] = '\0';
    if (pszText == nullptr)
        return 0;
    size_t used = 0;
    size_t room = usOutSize - 1u;
    bool inDouble = false;
    bool full = false;
    forEachChar(pszText, [&](size_t start, size_t len, bool dbl) {
        if (full)
            return;
        // A double-byte character needs its own bytes and the closing shift-in.
        size_t need = len + (dbl && !inDouble ? 1 : 0) + (!dbl && inDouble ? 1 : 0) + (dbl ? 1 : 0);
        if (used + need > room) {
            full = true;
            return;
        }
        if (dbl && !inDouble)
            pszOut[used++] = SSNLS_SHIFT_OUT;
        if (!dbl && inDouble)
            pszOut[used++] = SSNLS_SHIFT_IN;
        inDouble = dbl;
        std::memcpy(pszOut + used, pszText + start, len);
        used += len;
    });
    if (inDouble)
        pszOut[used++] = SSNLS_SHIFT_IN;
    pszOut[used] = '\0';
    return static_cast<unsigned short>(used);
}

extern "C" char* SSNLS_StripBlanks(char* pszText, unsigned short usMode)
{
    if (pszText == nullptr)
        return nullptr;
    size_t n = std::strlen(pszText);
    if (usMode & 1) {
        while (n > 0 && pszText[n - 1] == ' ')
            --n;
        pszText[n] = '\0';
    }
    if (usMode & 2) {
        size_t lead = 0;
        while (lead < n && pszText[lead] == ' ')
            ++lead;
        std::memmove(pszText, pszText + lead, n - lead + 1);
    }
    return pszText;
}

// Wide-text helpers shared by the class library and the web generation:
// ranged copy and substring cut of LWString, and the buffered wide-text
// output that the JSON writer fills.
#pragma once

#include <cstddef>
#include <cstdint>

#include "classlib/base/lstrings.h"

class LStream;

// Copies count characters of source from start into result (a new text).
// A null source gives a null result; a negative count means "to the end".
// A range outside the text throws the integer 1.
void P3142_WdCopyWideRange(const LWString& source, LWString& result, int32_t start, int32_t count);

// The part of text before the first occurrence of needle (case-sensitive);
// the whole text when needle does not occur; null stays null.
LWString P3142_WdFindWideSubstring(const LWString& text, const char16_t* needle);

// Buffered wide-text output over a stream. Encoding kind 2 writes the
// UTF-16 code units as they are; any other kind converts with codePage.
struct WideTextBuffer {
    static constexpr uint32_t kChars = 4096;

    WideTextBuffer(LStream* stream, int encodingKind, unsigned codePage)
        : stream(stream), encodingKind(encodingKind), codePage(codePage)
    {}
    WideTextBuffer(const WideTextBuffer&) = delete;
    WideTextBuffer& operator=(const WideTextBuffer&) = delete;

    void putChar(char16_t ch);
    void write(const char16_t* text, uint32_t count);

    LStream* stream;
    int encodingKind;
    unsigned codePage;
    char16_t buffer[kChars] = {};
    char conversion[kChars] = {};
    uint32_t next = 0;            // next free position in buffer
    uint32_t freeChars = kChars;  // free characters (kChars when empty)
};

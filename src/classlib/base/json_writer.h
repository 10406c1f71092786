// JSON output: the event interface LJsonWriter and LJsonStreamWriter, a
// state machine that checks the order of the calls, places commas, quotes
// and escapes, and writes into a buffered wide-text output.
#pragma once

#include <cstdint>
#include <deque>

#include "classlib/base/lstrings.h"

struct WideTextBuffer;

class LJsonWriter {
public:
    virtual ~LJsonWriter() = default;
    virtual LJsonWriter& startDocument() = 0;
    virtual LJsonWriter& endDocument() = 0;
    virtual LJsonWriter& startObject() = 0;
    virtual LJsonWriter& endObject() = 0;
    virtual LJsonWriter& writeKey(const char16_t* text, int32_t length) = 0;
    virtual LJsonWriter& writeNumber(long value) = 0;
    virtual LJsonWriter& writeBoolean(bool value) = 0;
    virtual LJsonWriter& writeString(const LWString& value, int kind) = 0;
    virtual LJsonWriter& writeRaw(const char16_t* text, int32_t length, int kind) = 0;
    virtual LJsonWriter& writeNull() = 0;
    virtual LJsonWriter& startArray() = 0;
    virtual LJsonWriter& endArray() = 0;
};

class LJsonStreamWriter : public LJsonWriter {
public:
    enum State : int32_t { BEFORESTART = 0, ROOT = 1, ARRAY = 2, OBJECT = 3, KEY = 4 };
    // Value kinds of writeRaw: 1 quoted as is, 2 unquoted as is, 3 boolean
    // text, anything else quoted and escaped.
    enum Kind : int { kEscaped = 0, kQuoted = 1, kRaw = 2, kBoolean = 3 };

    explicit LJsonStreamWriter(WideTextBuffer& output);

    LJsonWriter& startDocument() override;
    LJsonWriter& endDocument() override;
    LJsonWriter& startObject() override;
    LJsonWriter& endObject() override;
    LJsonWriter& writeKey(const char16_t* text, int32_t length) override;
    // The value in decimal, unquoted.
    LJsonWriter& writeNumber(long value) override;
    // true or false, unquoted.
    LJsonWriter& writeBoolean(bool value) override;
    LJsonWriter& writeString(const LWString& value, int kind) override;
    LJsonWriter& writeRaw(const char16_t* text, int32_t length, int kind) override;
    LJsonWriter& writeNull() override;
    LJsonWriter& startArray() override;
    LJsonWriter& endArray() override;

    static const char* stateName(int32_t state);

private:
    void startContainer(State state, char16_t open);
    void endContainer(State state, char16_t close);
    void checkState(State expected, bool pop);
    void writeEscaped(const char16_t* text, int32_t length);

    WideTextBuffer& m_out;
    std::deque<int32_t> m_states;
    std::deque<uint32_t> m_counts;
    uint32_t m_count = 0;
};

// Writes the pending characters of the output to its stream (as UTF-16 for
// encoding kind 2, else converted with its code page), empties the buffer
// and flushes the stream. A high surrogate at the end is kept back for the
// next write, so a character outside the basic plane is never split; the
// end of the document writes everything.
void P3142_WriteWideToStream(WideTextBuffer& output);

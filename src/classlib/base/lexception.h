// The exception tree of the class library. Every failure of streams, files,
// the JSON writer, documents and stylesheets is thrown by value as one of
// these; each carries only a message text (which may be absent).
#pragma once

#include <cstdint>

#include "classlib/base/lstrings.h"

class LException {
public:
    explicit LException(const char* message) noexcept;
    LException(const LException& other) noexcept;
    LException& operator=(const LException&) = delete;
    virtual ~LException() = default;

    // The message as a C string, or null when there is none.
    const char* message() const noexcept { return m_message.c_str(); }

private:
    LCharBuffer m_message;
};

#define DQOV_LEXCEPTION_CLASS(Name, Base)                                                                              \
    class Name : public Base {                                                                                         \
    public:                                                                                                            \
        explicit Name(const char* message) noexcept : Base(message) {}                                                 \
        Name(const Name& other) noexcept = default;                                                                    \
    }

DQOV_LEXCEPTION_CLASS(LParserException, LException);
DQOV_LEXCEPTION_CLASS(LDOMException, LParserException);
DQOV_LEXCEPTION_CLASS(LXSLTException, LParserException);
DQOV_LEXCEPTION_CLASS(TSMLException, LException);
DQOV_LEXCEPTION_CLASS(LStreamException, LException);
DQOV_LEXCEPTION_CLASS(LStreamOperationNotSupportedException, LStreamException);
DQOV_LEXCEPTION_CLASS(LStreamFileException, LException);
DQOV_LEXCEPTION_CLASS(LStreamFileLockException, LStreamFileException);
DQOV_LEXCEPTION_CLASS(LJsonWriterException, LException);

#undef DQOV_LEXCEPTION_CLASS

// Failures of weblet inlining. Besides a message it is built from a pair:
// where the failure arose and what it was, giving "where: what".
class WdInlinerException : public LException {
public:
    explicit WdInlinerException(const char* message) noexcept : LException(message) {}
    WdInlinerException(const char* where, const char* what) noexcept;
    WdInlinerException(const WdInlinerException& other) noexcept = default;
};

// The system's text for an error code (an errno value here). A code of
// facility 8 (bits 0x1FFF0000 equal to 0x00080000) is reduced to its low 16
// bits first; a code without text gives "Error code: %#x.".
LCharBuffer P3142_FormatWin32Error(uint32_t code);

// Failure text of the document layer.
#include "classlib/xml/com_error.h"

#include <cstdio>

namespace {

struct CodeMeaning {
    uint32_t code;
    const char* text;
};

// Meanings for the codes this layer raises.
constexpr CodeMeaning kMeanings[] = {
    {lcom::E_NOTIMPL_, "Operation not implemented"}, {lcom::E_NOINTERFACE_, "Interface not supported"},
    {lcom::E_POINTER_, "Invalid pointer"},           {lcom::E_FAIL_, "Operation failed"},
    {lcom::E_UNEXPECTED_, "Unexpected failure"},     {lcom::E_OUTOFMEMORY_, "Out of memory"},
    {lcom::E_INVALIDARG_, "Invalid argument"},       {lcom::DISP_E_TYPEMISMATCH_, "Type mismatch"},
};

}  // namespace

ComError::ComError(uint32_t code, const char* source, const char* description)
    : m_code(code), m_source(source), m_description(description)
{}

const char* ComError::meaning() const
{
    if (!m_meaning.isEmpty())
        return m_meaning.c_str();
    for (const auto& m : kMeanings) {
        if (m.code == m_code) {
            m_meaning = LCharBuffer(m.text);
            return m_meaning.c_str();
        }
    }
    if (m_code >= 0x80040201u && m_code <= 0x8004FFFFu)
        m_meaning.format(32, "IDispatch error #%d", static_cast<int>(m_code - 0x80040200u));
    else
        m_meaning.format(32, "Unknown error 0x%0lX", static_cast<unsigned long>(m_code));
    return m_meaning.c_str();
}

char* formatComErrorText(const ComError& error, char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return buffer;
    // Absent texts print as empty, so that the text always has its four lines.
    int n = std::snprintf(buffer, size, "Code=%08lx\nCode meaning=%s\nSource=%s\nDescription=%s\n",
                          static_cast<unsigned long>(error.code()), error.meaning(),
                          error.source() ? error.source() : "", error.description() ? error.description() : "");
    if (n < 0 || static_cast<size_t>(n) >= size)
        buffer[size - 1] = '\0';
    return buffer;
}

LCharBuffer comErrorText(const ComError& error)
{
    char buffer[1024];
    return LCharBuffer(formatComErrorText(error, buffer, sizeof buffer));
}

// The error object of the document layer and its four-line failure text.
//
// Reading operations of the document layer raise ComError itself; the
// operations that change a tree, load documents or compile and run
// stylesheets turn it into LDOMException or LXSLTException carrying the
// text built by comErrorText.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "classlib/base/lexception.h"
#include "classlib/base/lstrings.h"

namespace lcom {
constexpr uint32_t S_OK_ = 0;
constexpr uint32_t E_NOTIMPL_ = 0x80004001u;
constexpr uint32_t E_NOINTERFACE_ = 0x80004002u;
constexpr uint32_t E_POINTER_ = 0x80004003u;
constexpr uint32_t E_FAIL_ = 0x80004005u;
constexpr uint32_t E_UNEXPECTED_ = 0x8000FFFFu;
constexpr uint32_t E_OUTOFMEMORY_ = 0x8007000Eu;
constexpr uint32_t E_INVALIDARG_ = 0x80070057u;
constexpr uint32_t DISP_E_TYPEMISMATCH_ = 0x80020005u;
constexpr uint32_t S_FALSE_ = 1;
// results, seek origins, flags and the type of the stream interface
constexpr uint32_t STG_E_INVALIDFUNCTION_ = 0x80030001u;
constexpr uint32_t STG_E_MEDIUMFULL_ = 0x80030070u;
constexpr uint32_t STG_E_CANTSAVE_ = 0x80030103u;
constexpr uint32_t STG_E_INVALIDFLAG_ = 0x800300FFu;
constexpr uint32_t STREAM_SEEK_SET_ = 0, STREAM_SEEK_CUR_ = 1, STREAM_SEEK_END_ = 2;
constexpr uint32_t STATFLAG_DEFAULT_ = 0, STATFLAG_NONAME_ = 1;
constexpr uint32_t STGTY_STREAM_ = 2;

// A 16-byte interface id, in memory order.
using Iid = std::array<uint8_t, 16>;
extern const Iid IID_IUnknown_;
extern const Iid IID_ISequentialStream_;
extern const Iid IID_IStream_;
}  // namespace lcom

class ComError {
public:
    explicit ComError(uint32_t code, const char* source = nullptr, const char* description = nullptr);
    uint32_t code() const { return m_code; }
    // Absent texts are null.
    const char* source() const { return m_source.c_str(); }
    const char* description() const { return m_description.c_str(); }
    // The meaning of the code, computed once.
    const char* meaning() const;

private:
    uint32_t m_code;
    LCharBuffer m_source;
    LCharBuffer m_description;
    mutable LCharBuffer m_meaning;
};

// "Code=%08lx\nCode meaning=%s\nSource=%s\nDescription=%s\n", cut at size-1.
char* formatComErrorText(const ComError& error, char* buffer, size_t size);
LCharBuffer comErrorText(const ComError& error);

// Runs f; a ComError raised inside becomes Exception with the failure text.
template <class Exception, class F> auto lcomGuard(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const ComError& e) {
        throw Exception(comErrorText(e).c_str());
    }
}

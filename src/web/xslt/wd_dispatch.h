// The dispatch conventions of the weblet-design extension objects: result
// codes, interface ids, argument values, call parameters and the exception
// information a failed call fills.  A stylesheet's call of an extension
// function reaches the object as GetIDsOfNames (by name) and Invoke (by
// DISPID) with the arguments in a parameter array that holds them last
// argument first.
#pragma once

#include <libxml/tree.h>

#include <array>
#include <cstdint>
#include <vector>

#include "classlib/base/lstrings.h"
#include "classlib/xml/dom.h"

using WdResult = uint32_t;

namespace wd {
constexpr WdResult S_OK_ = 0;
constexpr WdResult E_NOTIMPL_ = lcom::E_NOTIMPL_;
constexpr WdResult E_NOINTERFACE_ = lcom::E_NOINTERFACE_;
constexpr WdResult E_POINTER_ = lcom::E_POINTER_;
constexpr WdResult E_OUTOFMEMORY_ = lcom::E_OUTOFMEMORY_;
constexpr WdResult DISP_E_MEMBERNOTFOUND_ = 0x80020003u;
constexpr WdResult DISP_E_PARAMNOTFOUND_ = 0x80020004u;
constexpr WdResult DISP_E_TYPEMISMATCH_ = lcom::DISP_E_TYPEMISMATCH_;
constexpr WdResult DISP_E_UNKNOWNNAME_ = 0x80020006u;
constexpr WdResult DISP_E_EXCEPTION_ = 0x80020009u;
constexpr WdResult DISP_E_BADPARAMCOUNT_ = 0x8002000Eu;
constexpr WdResult DISP_E_PARAMNOTOPTIONAL_ = 0x8002000Fu;

constexpr uint16_t DISPATCH_METHOD_ = 1;
constexpr uint16_t DISPATCH_PROPERTYGET_ = 2;

// The exception code of a failed conversion or inlining.
constexpr uint16_t kExceptionCode = 9000;

// A name for a result code, for messages ("DISP_E_BADPARAMCOUNT").
const char* resultName(WdResult code);
}  // namespace wd

// A 16-byte interface id.
using WdIid = std::array<uint8_t, 16>;
extern const WdIid IID_IUnknown_;
extern const WdIid IID_IDispatch_;
extern const WdIid IID_NULL_;

// One argument or result.
struct WdVariant {
    enum Type : uint16_t { Empty = 0, I4 = 3, R8 = 5, Bstr = 8, Dispatch = 9, Bool = 11, Unknown = 13 };
    uint16_t vt = Empty;
    LWString bstr;                  // Bstr
    int32_t lVal = 0;               // I4
    double dblVal = 0;              // R8
    bool boolVal = false;           // Bool
    std::vector<xmlNodePtr> nodes;  // Dispatch: a node list, valid during the call
    LDOMNode unknown;               // Unknown: a document fragment

    static WdVariant text(const LWString& s)
    {
        WdVariant v;
        v.vt = Bstr;
        v.bstr = s;
        return v;
    }
};

// Converts the value in place to text (Bstr); false when it cannot be.
bool WdVariantChangeToText(WdVariant& value, LWString& error);

struct WdDispParams {
    std::vector<WdVariant> args;  // last argument first
};

struct WdExcepInfo {
    uint16_t wCode = 0;
    uint16_t wReserved = 0;
    LWString source;
    LWString description;
    LWString helpFile;
    uint32_t helpContext = 0;
    void* reserved = nullptr;
    WdResult scode = 0;
};

// One dispatch entry: name, DISPID, argument count.
struct WdDispatchEntry {
    const char16_t* name;
    int32_t dispid;
    int32_t arguments;
};

// Binary search of a table sorted by name (UTF-16 code units) / by DISPID.
const WdDispatchEntry* WdFindByName(const WdDispatchEntry* table, uint32_t count, const char16_t* name);
const WdDispatchEntry* WdFindById(const WdDispatchEntry* table, uint32_t count, int32_t dispid);

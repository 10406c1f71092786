// The weblet-design extension object and its dispatch conventions.
#include "web/xslt/wd_extensions.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "classlib/base/trace.h"
#include "platform/qvutil/qvutil.h"

const WdIid IID_NULL_{};
const WdIid IID_IUnknown_{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const WdIid IID_IDispatch_{0x00, 0x04, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                           0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

namespace wd {

const char* resultName(WdResult code)
{
    switch (code) {
    case S_OK_: return "S_OK";
    case E_NOTIMPL_: return "E_NOTIMPL";
    case E_NOINTERFACE_: return "E_NOINTERFACE";
    case E_POINTER_: return "E_POINTER";
    case E_OUTOFMEMORY_: return "E_OUTOFMEMORY";
    case DISP_E_MEMBERNOTFOUND_: return "DISP_E_MEMBERNOTFOUND";
    case DISP_E_PARAMNOTFOUND_: return "DISP_E_PARAMNOTFOUND";
    case DISP_E_TYPEMISMATCH_: return "DISP_E_TYPEMISMATCH";
    case DISP_E_UNKNOWNNAME_: return "DISP_E_UNKNOWNNAME";
    case DISP_E_EXCEPTION_: return "DISP_E_EXCEPTION";
    case DISP_E_BADPARAMCOUNT_: return "DISP_E_BADPARAMCOUNT";
    case DISP_E_PARAMNOTOPTIONAL_: return "DISP_E_PARAMNOTOPTIONAL";
    default: return "an unknown result";
    }
}

}  // namespace wd

namespace {

// The base table: sorted by name in UTF-16 code units, DISPIDs ascending in
// the same order, so both searches use the one array.
constexpr WdDispatchEntry kBaseTable[] = {{u"action-request", 1000, 0},
                                          {u"align-right", 2000, 0},
                                          {u"boolean", 3000, 1},
                                          {u"check-numeric", 4000, 0},
                                          {u"column-value", 5000, 1},
                                          {u"column-value-unescaped", 5010, 1},
                                          {u"dbcs", 6000, 0},
                                          {u"debug", 7000, 0},
                                          {u"field-value", 8000, 1},
                                          {u"has-entry", 9000, 1},
                                          {u"images-path", 10000, 0},
                                          {u"language", 11000, 0},
                                          {u"layout-name", 12000, 0},
                                          {u"parent-row-index", 12500, 0},
                                          {u"partition", 13000, 0},
                                          {u"row-class", 14000, 2},
                                          {u"row-index", 15000, 0},
                                          {u"service-name", 16000, 0},
                                          {u"session-key", 17000, 0},
                                          {u"session-key-method", 18000, 0},
                                          {u"session-key-name", 19000, 0},
                                          {u"task", 20000, 0},
                                          {u"trace", 21000, 0},
                                          {u"variable", 22000, 1},
                                          {u"variable-unescaped", 22010, 1},
                                          {u"web-user", 23000, 0},
                                          {u"webapplication", 24000, 0},
                                          {u"webapplication-title", 25000, 0},
                                          {u"webroutine", 26000, 0},
                                          {u"webroutine-title", 27000, 0}};
constexpr uint32_t kBaseCount = sizeof kBaseTable / sizeof kBaseTable[0];
static_assert(kBaseCount == 30);

int compareUnits(const char16_t* a, const char16_t* b)
{
    for (;; ++a, ++b) {
        if (*a != *b)
            return *a < *b ? -1 : 1;
        if (*a == 0)
            return 0;
    }
}

// The string value of the first node of a node list (empty for none).
LWString firstNodeText(const std::vector<xmlNodePtr>& nodes)
{
    if (nodes.empty() || !nodes.front())
        return LWString(u"");
    xmlChar* text = xmlXPathCastNodeToString(nodes.front());
    LWString s = LWString::fromUtf8(reinterpret_cast<const char*>(text ? text : BAD_CAST ""));
    xmlFree(text);
    return s;
}

}  // namespace

const WdDispatchEntry* WdFindByName(const WdDispatchEntry* table, uint32_t count, const char16_t* name)
{
    if (!name)
        return nullptr;
    uint32_t low = 0, high = count;
    while (low < high) {
        uint32_t mid = (low + high) / 2;
        int c = compareUnits(table[mid].name, name);
        if (c == 0)
            return &table[mid];
        if (c < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return nullptr;
}

const WdDispatchEntry* WdFindById(const WdDispatchEntry* table, uint32_t count, int32_t dispid)
{
    uint32_t low = 0, high = count;
    while (low < high) {
        uint32_t mid = (low + high) / 2;
        if (table[mid].dispid == dispid)
            return &table[mid];
        if (table[mid].dispid < dispid)
            low = mid + 1;
        else
            high = mid;
    }
    return nullptr;
}

bool WdVariantChangeToText(WdVariant& v, LWString& error)
{
    switch (v.vt) {
    case WdVariant::Bstr: return true;
    case WdVariant::Empty: v.bstr = LWString(u""); break;
    case WdVariant::I4: v.bstr = LWString::fromMultiByte(std::to_string(v.lVal).c_str()); break;
    case WdVariant::R8: {
        xmlChar* text = xmlXPathCastNumberToString(v.dblVal);
        v.bstr = LWString::fromUtf8(reinterpret_cast<const char*>(text));
        xmlFree(text);
        break;
    }
    case WdVariant::Bool: v.bstr = LWString(v.boolVal ? u"-1" : u"0"); break;
    case WdVariant::Dispatch: v.bstr = firstNodeText(v.nodes); break;
    default: error = LWString(u"The value cannot be converted to text."); return false;
    }
    v.vt = WdVariant::Bstr;
    return true;
}

WdXsltExtensions::WdXsltExtensions() : m_table(kBaseTable), m_count(kBaseCount) {}

const WdDispatchEntry* WdXsltExtensions::baseTable(uint32_t* count)
{
    if (count)
        *count = kBaseCount;
    return kBaseTable;
}

WdResult WdXsltExtensions::QueryInterface(const WdIid& iid, void** object)
{
    if (!object)
        return wd::E_POINTER_;
    if (iid == IID_IUnknown_ || iid == IID_IDispatch_) {
        *object = this;
        AddRef();
        return wd::S_OK_;
    }
    *object = nullptr;
    return wd::E_NOINTERFACE_;
}

uint32_t WdXsltExtensions::AddRef()
{
    return ++m_references;
}

uint32_t WdXsltExtensions::Release()
{
    uint32_t left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

WdResult WdXsltExtensions::GetTypeInfoCount(uint32_t* count)
{
    if (count)
        *count = 0;
    return wd::S_OK_;
}

WdResult WdXsltExtensions::GetTypeInfo(uint32_t, uint32_t, void** info)
{
    if (info)
        *info = nullptr;
    return wd::E_NOTIMPL_;
}

WdResult WdXsltExtensions::GetIDsOfNames(const WdIid&, const char16_t* const* names, uint32_t count, uint32_t,
                                         int32_t* dispids)
{
    if (!names || count == 0 || !dispids)
        return wd::DISP_E_UNKNOWNNAME_;
    const WdDispatchEntry* e = WdFindByName(m_table, m_count, names[0]);
    if (!e)
        return wd::DISP_E_UNKNOWNNAME_;
    dispids[0] = e->dispid;
    return wd::S_OK_;
}

WdResult WdXsltExtensions::Invoke(int32_t dispid, const WdIid&, uint32_t, uint16_t flags, WdDispParams* params,
                                  WdVariant* result, WdExcepInfo* exception, uint32_t* argumentError)
{
    if ((flags & 0xFFFF) != wd::DISPATCH_METHOD_)
        return wd::DISP_E_MEMBERNOTFOUND_;
    const WdDispatchEntry* e = WdFindById(m_table, m_count, dispid);
    if (!e)
        return wd::DISP_E_MEMBERNOTFOUND_;
    return callExtension(params, result, exception, argumentError, e->name, e->arguments);
}

WdResult WdXsltExtensions::callExtension(WdDispParams* params, WdVariant* result, WdExcepInfo* exception,
                                         uint32_t* argumentError, const char16_t* name, int32_t expected)
{
    static const LWString kOpen(u"{wd:"), kParen(u"("), kQuote(u"'"), kComma(u", "), kClose(u")}");
    const int32_t supplied = params ? static_cast<int32_t>(params->args.size()) : 0;
    if (supplied < expected)
        return wd::DISP_E_PARAMNOTOPTIONAL_;
    if (supplied > expected)
        return wd::DISP_E_BADPARAMCOUNT_;
    LWString text = kOpen;
    text.append(name);
    text.append(kParen);
    // The array holds the arguments last-first: walk it from the top down.
    for (int32_t i = supplied - 1; i >= 0; --i) {
        WdVariant copy = params->args[static_cast<size_t>(i)];
        LWString error;
        if (!WdVariantChangeToText(copy, error)) {
            if (exception) {
                exception->wCode = wd::kExceptionCode;
                exception->wReserved = 0;
                exception->source = LWString(u"");
                exception->description = error;
                exception->reserved = nullptr;
            }
            if (argumentError)
                *argumentError = static_cast<uint32_t>(i);
            return wd::DISP_E_EXCEPTION_;
        }
        text.append(kQuote);
        text.append(copy.bstr);
        text.append(kQuote);
        if (i > 0)
            text.append(kComma);
    }
    text.append(kClose);
    if (result)
        *result = WdVariant::text(text);
    return wd::S_OK_;
}

std::vector<LWString> WdXsltExtensions::functionNames() const
{
    std::vector<LWString> names;
    for (uint32_t i = 0; i < m_count; ++i)
        names.emplace_back(m_table[i].name);
    return names;
}

namespace {

WdVariant argumentVariant(const LXsltValue& value)
{
    WdVariant v;
    switch (value.kind) {
    case LXsltValue::Kind::Text: return WdVariant::text(value.stringValue());
    case LXsltValue::Kind::Number:
        v.vt = WdVariant::R8;
        v.dblVal = value.number;
        break;
    case LXsltValue::Kind::Boolean:
        v.vt = WdVariant::Bool;
        v.boolVal = value.boolean;
        break;
    case LXsltValue::Kind::Nodes:
        v.vt = WdVariant::Dispatch;
        v.nodes = value.nodeList;
        break;
    }
    return v;
}

LXsltValue resultValue(const WdVariant& r)
{
    switch (r.vt) {
    case WdVariant::Bstr: return LXsltValue::ofText(r.bstr);
    case WdVariant::Unknown: return LXsltValue::ofNodes(r.unknown);
    case WdVariant::R8: return LXsltValue::ofNumber(r.dblVal);
    case WdVariant::I4: return LXsltValue::ofNumber(r.lVal);
    case WdVariant::Bool: return LXsltValue::ofBoolean(r.boolVal);
    default: return LXsltValue::ofText(u"");
    }
}

std::string callFailure(WdResult code, const WdExcepInfo& exception)
{
    char head[80];
    std::snprintf(head, sizeof head, "%s (0x%08X)", wd::resultName(code), code);
    std::string text = head;
    if (code == wd::DISP_E_EXCEPTION_) {
        text += ", code " + std::to_string(exception.wCode);
        if (!exception.description.isNull() && exception.description.length() > 0)
            text += ": " + exception.description.toUtf8();
    }
    return text;
}

}  // namespace

LXsltValue WdXsltExtensions::call(const LWString& name, const std::vector<LXsltValue>& args)
{
    WdDispParams params;
    // The array holds the arguments last-first.
    for (auto a = args.rbegin(); a != args.rend(); ++a)
        params.args.push_back(argumentVariant(*a));
    const char16_t* names[] = {name.c_str()};
    int32_t dispid = 0;
    uint32_t argumentError = 0;
    WdVariant result;
    WdExcepInfo exception;
    WdResult code = GetIDsOfNames(IID_NULL_, names, 1, 0, &dispid);
    if (code == wd::S_OK_)
        code = Invoke(dispid, IID_NULL_, 0, wd::DISPATCH_METHOD_, &params, &result, &exception, &argumentError);
    if (code != wd::S_OK_)
        throw WdInlinerException(callFailure(code, exception).c_str());
    return resultValue(result);
}

void WdXsltExtensions_traceLine(const WdXsltExtensions* object, int32_t level, const char* text)
{
    LTraceWriter* writer = object ? object->traceWriter() : nullptr;
    if (writer && writer->isEnabled(level))
        writer->write(level, text);
}

void WdXsltExtensions_trace(const WdXsltExtensions* object, int32_t level, const char* format, ...)
{
    LTraceWriter* writer = object ? object->traceWriter() : nullptr;
    if (!writer || !writer->isEnabled(level))
        return;
    char line[1024];
    va_list args;
    va_start(args, format);
    UTS_vsnprintf(line, sizeof line, format, args);
    va_end(args);
    line[sizeof line - 1] = '\0';
    writer->write(level, line);
}

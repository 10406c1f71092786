// The weblet-design extension object: every wd: function that a stylesheet
// calls at generation time answers the text of its own call,
// "{wd:name('arg', 'arg')}", so that the call survives into the generated
// stylesheet and is resolved at run time.  Reference-counted: the creator
// takes the first reference and the last Release deletes the object.
//
// A transformation reaches the object as the class library's extension
// object: each call goes through GetIDsOfNames and Invoke, with node-set
// arguments handed over as node lists and a document-fragment result handed
// back as a node set.  A failed call stops the transformation with the
// call's result and text.
#pragma once

#include <atomic>
#include <vector>

#include "classlib/xml/xslt.h"
#include "web/xslt/wd_dispatch.h"

class LTraceWriter;

class WdXsltExtensions : public LXsltExtensionObject {
public:
    WdXsltExtensions();
    WdXsltExtensions(const WdXsltExtensions&) = delete;
    WdXsltExtensions& operator=(const WdXsltExtensions&) = delete;

    virtual WdResult QueryInterface(const WdIid& iid, void** object);
    virtual uint32_t AddRef();
    virtual uint32_t Release();
    virtual WdResult GetTypeInfoCount(uint32_t* count);
    virtual WdResult GetTypeInfo(uint32_t index, uint32_t locale, void** info);
    virtual WdResult GetIDsOfNames(const WdIid& iid, const char16_t* const* names, uint32_t count, uint32_t locale,
                                   int32_t* dispids);
    virtual WdResult Invoke(int32_t dispid, const WdIid& iid, uint32_t locale, uint16_t flags, WdDispParams* params,
                            WdVariant* result, WdExcepInfo* exception, uint32_t* argumentError);
    ~WdXsltExtensions() override = default;
    virtual WdResult callExtension(WdDispParams* params, WdVariant* result, WdExcepInfo* exception,
                                   uint32_t* argumentError, const char16_t* name, int32_t expected);

    // The names a stylesheet may call (what the transformation registers).
    std::vector<LWString> functionNames() const override;
    // A stylesheet's call, by name through GetIDsOfNames and Invoke; a failed
    // call throws WdInlinerException with the result code and text.
    LXsltValue call(const LWString& name, const std::vector<LXsltValue>& args) override;
    // The trace writer of the object, null when it traces nothing.
    virtual LTraceWriter* traceWriter() const { return nullptr; }

    // The base table of the 30 functions, sorted by name and by DISPID.
    static const WdDispatchEntry* baseTable(uint32_t* count);

protected:
    std::atomic<uint32_t> m_references{0};
    const WdDispatchEntry* m_table;
    uint32_t m_count;
};

// Holds one reference to an extension object.
class WdXsltExtensionsPtr {
public:
    explicit WdXsltExtensionsPtr(WdXsltExtensions* object) : m_object(object)
    {
        if (m_object)
            m_object->AddRef();
    }
    WdXsltExtensionsPtr(const WdXsltExtensionsPtr&) = delete;
    WdXsltExtensionsPtr& operator=(const WdXsltExtensionsPtr&) = delete;
    virtual ~WdXsltExtensionsPtr()
    {
        if (m_object)
            m_object->Release();
    }
    WdXsltExtensions* get() const { return m_object; }

private:
    WdXsltExtensions* m_object;
};

// Formats a trace line through the object's trace writer when it traces at
// the level; the line is cut at 1,023 characters.
void WdXsltExtensions_trace(const WdXsltExtensions* object, int32_t level, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
void WdXsltExtensions_traceLine(const WdXsltExtensions* object, int32_t level, const char* text);

// Compiled stylesheets of the weblet inliner over libxslt, with the bridge
// that hands extension-function calls to a weblet-design extension object.
#include "web/xslt/inliner_stylesheet.h"

#include <libxml/xpathInternals.h>
#include <libxslt/extensions.h>
#include <libxslt/imports.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/variables.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdio>
#include <cstring>

#include "classlib/base/qvseam.h"
#include "classlib/xml/dom_internal.h"
#include "classlib/xml/stream_output.h"

using namespace MSXMLDOM;

struct WdCompiledStylesheet {
    xsltStylesheetPtr style = nullptr;
    std::string error;  // why there is no stylesheet
    WdCompiledStylesheet() = default;
    WdCompiledStylesheet(const WdCompiledStylesheet&) = delete;
    WdCompiledStylesheet& operator=(const WdCompiledStylesheet&) = delete;
    ~WdCompiledStylesheet()
    {
        if (style)
            xsltFreeStylesheet(style);
    }
};

namespace {

constexpr const char* kLibrary = "libxslt";

[[noreturn]] void fail(WdResult code, const std::string& text)
{
    throw ComError(code, kLibrary, text.c_str());
}

// Keeps what libxml2 and libxslt report during one compilation or
// transformation (nested ones stack), instead of printing it.
class Messages {
public:
    Messages()
        : m_xml(xmlGenericError), m_xmlContext(xmlGenericErrorContext), m_xslt(xsltGenericError),
          m_xsltContext(xsltGenericErrorContext)
    {
        xmlSetGenericErrorFunc(this, &Messages::keep);
        xsltSetGenericErrorFunc(this, &Messages::keep);
    }
    ~Messages()
    {
        xmlSetGenericErrorFunc(m_xmlContext, m_xml);
        xsltSetGenericErrorFunc(m_xsltContext, m_xslt);
    }
    Messages(const Messages&) = delete;
    Messages& operator=(const Messages&) = delete;

    std::string text(const char* otherwise) const
    {
        std::string t = m_text;
        while (!t.empty() && (t.back() == '\n' || t.back() == ' '))
            t.pop_back();
        return t.empty() ? otherwise : t;
    }

private:
    static void keep(void* self, const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        char piece[1024];
        va_list args;
        va_start(args, format);
        std::vsnprintf(piece, sizeof piece, format, args);
        va_end(args);
        auto* m = static_cast<Messages*>(self);
        if (m->m_text.size() < 4096)
            m->m_text += piece;
    }

    xmlGenericErrorFunc m_xml;
    void* m_xmlContext;
    xmlGenericErrorFunc m_xslt;
    void* m_xsltContext;
    std::string m_text;
};

struct OwnedDoc {
    xmlDocPtr doc;
    explicit OwnedDoc(xmlDocPtr d = nullptr) : doc(d) {}
    OwnedDoc(const OwnedDoc&) = delete;
    OwnedDoc& operator=(const OwnedDoc&) = delete;
    ~OwnedDoc()
    {
        if (doc)
            xmlFreeDoc(doc);
    }
    xmlDocPtr release()
    {
        xmlDocPtr d = doc;
        doc = nullptr;
        return d;
    }
};

bool isXsl(xmlNodePtr n, const char* name)
{
    return n->type == XML_ELEMENT_NODE && n->ns && xmlStrEqual(n->ns->href, XSLT_NAMESPACE) &&
           xmlStrEqual(n->name, BAD_CAST name);
}

// Hrefs written as environment paths ("X_VELMO\WEB\..\std_types.xsl") are
// mapped to the host so that the stylesheet finds what they name.
void mapImportPaths(xmlDocPtr doc)
{
    xmlNodePtr root = xmlDocGetRootElement(doc);
    if (!root)
        return;
    for (xmlNodePtr c = root->children; c; c = c->next) {
        if (!isXsl(c, "import") && !isXsl(c, "include"))
            continue;
        xmlChar* href = xmlGetProp(c, BAD_CAST "href");
        if (!href)
            continue;
        std::string h = reinterpret_cast<const char*>(href);
        xmlFree(href);
        const bool environmentPath = h.find('\\') != std::string::npos || (h.size() > 1 && h[1] == ':');
        if (!environmentPath)
            continue;
        std::string host = lqv::hostPath(h.c_str());
        if (!host.empty())
            xmlSetProp(c, BAD_CAST "href", BAD_CAST host.c_str());
    }
}

void dropDeclarations(xmlDocPtr doc)
{
    for (xmlNodePtr c = doc->children; c;) {
        xmlNodePtr next = c->next;
        if (isDeclarationNode(c)) {
            xmlUnlinkNode(c);
            xmlFreeNode(c);
        }
        c = next;
    }
}

// The input of a transformation: a copy, so the caller's tree is never
// touched by the processor.
xmlDocPtr inputCopy(const LDOMNode& input)
{
    xmlNodePtr node = need(input.ref());
    if (node->type == XML_DOCUMENT_NODE) {
        xmlDocPtr copy = xmlCopyDoc(reinterpret_cast<xmlDocPtr>(node), 1);
        if (!copy)
            fail(lcom::E_OUTOFMEMORY_, "out of memory");
        dropDeclarations(copy);
        return copy;
    }
    OwnedDoc copy(xmlNewDoc(BAD_CAST "1.0"));
    xmlNodePtr n = copy.doc ? xmlDocCopyNode(node, copy.doc, 1) : nullptr;
    if (!n)
        fail(lcom::E_OUTOFMEMORY_, "out of memory");
    xmlAddChild(reinterpret_cast<xmlNodePtr>(copy.doc), n);
    return copy.release();
}

// ---- extension calls ---------------------------------------------------------------------

struct RunState {
    WdXsltExtensions* extension = nullptr;
    WdResult failureCode = 0;
    std::string failure;  // the first failed call
};

WdVariant toVariant(xmlXPathObjectPtr o)
{
    WdVariant v;
    if (!o)
        return v;
    switch (o->type) {
    case XPATH_STRING:
        v.vt = WdVariant::Bstr;
        v.bstr = wide(o->stringval ? o->stringval : BAD_CAST "");
        break;
    case XPATH_NUMBER:
        v.vt = WdVariant::R8;
        v.dblVal = o->floatval;
        break;
    case XPATH_BOOLEAN:
        v.vt = WdVariant::Bool;
        v.boolVal = o->boolval != 0;
        break;
    case XPATH_NODESET:
    case XPATH_XSLT_TREE:
        v.vt = WdVariant::Dispatch;
        if (o->nodesetval) {
            for (int i = 0; i < o->nodesetval->nodeNr; ++i) {
                xmlNodePtr n = o->nodesetval->nodeTab[i];
                // A result tree fragment stands for the nodes at its top.
                if (o->type == XPATH_XSLT_TREE && n && n->type == XML_DOCUMENT_NODE)
                    for (xmlNodePtr c = n->children; c; c = c->next)
                        v.nodes.push_back(c);
                else if (n)
                    v.nodes.push_back(n);
            }
        }
        break;
    default: break;
    }
    return v;
}

// A document fragment's children as a node set of the transformation.
void pushFragment(xmlXPathParserContextPtr ctxt, xsltTransformContextPtr tctxt, const LDOMNode& fragment)
{
    xmlDocPtr rvt = xsltCreateRVT(tctxt);
    if (!rvt) {
        xmlXPathErr(ctxt, XPATH_MEMORY_ERROR);
        return;
    }
    xsltRegisterLocalRVT(tctxt, rvt);
    if (!fragment.isNull())
        for (xmlNodePtr c = fragment.raw()->children; c; c = c->next)
            if (xmlNodePtr copy = xmlDocCopyNode(c, rvt, 1))
                xmlAddChild(reinterpret_cast<xmlNodePtr>(rvt), copy);
    xmlNodeSetPtr set = xmlXPathNodeSetCreate(nullptr);
    for (xmlNodePtr c = rvt->children; c; c = c->next)
        xmlXPathNodeSetAddUnique(set, c);
    valuePush(ctxt, xmlXPathWrapNodeSet(set));
}

void pushResult(xmlXPathParserContextPtr ctxt, xsltTransformContextPtr tctxt, const WdVariant& r)
{
    switch (r.vt) {
    case WdVariant::Bstr: valuePush(ctxt, xmlXPathNewString(X(utf8(r.bstr)))); break;
    case WdVariant::Unknown: pushFragment(ctxt, tctxt, r.unknown); break;
    case WdVariant::R8: valuePush(ctxt, xmlXPathNewFloat(r.dblVal)); break;
    case WdVariant::I4: valuePush(ctxt, xmlXPathNewFloat(r.lVal)); break;
    case WdVariant::Bool: valuePush(ctxt, xmlXPathNewBoolean(r.boolVal)); break;
    default: valuePush(ctxt, xmlXPathNewCString("")); break;
    }
}

std::string callFailure(const std::string& name, WdResult code, const WdExcepInfo& exception)
{
    char head[160];
    std::snprintf(head, sizeof head, "The extension function wd:%s failed with %s (0x%08X)", name.c_str(),
                  wd::resultName(code), code);
    std::string text = head;
    if (code == wd::DISP_E_EXCEPTION_) {
        text += ", code " + std::to_string(exception.wCode);
        if (!exception.description.isNull() && exception.description.length() > 0)
            text += ": " + utf8(exception.description);
    }
    return text;
}

void callExtension(xmlXPathParserContextPtr ctxt, int nargs)
{
    xsltTransformContextPtr tctxt = xsltXPathGetTransformContext(ctxt);
    auto* state = tctxt ? static_cast<RunState*>(tctxt->_private) : nullptr;
    std::vector<xmlXPathObjectPtr> objects(static_cast<size_t>(nargs > 0 ? nargs : 0));
    for (int i = nargs - 1; i >= 0; --i)
        objects[static_cast<size_t>(i)] = valuePop(ctxt);
    const std::string name = reinterpret_cast<const char*>(ctxt->context->function);
    WdResult code = wd::E_POINTER_;
    WdVariant result;
    WdExcepInfo exception;
    if (state && state->extension) {
        WdDispParams params;
        for (int i = nargs - 1; i >= 0; --i)
            params.args.push_back(toVariant(objects[static_cast<size_t>(i)]));
        const LWString wideName = LWString::fromUtf8(name.c_str());
        const char16_t* names[] = {wideName.c_str()};
        int32_t dispid = 0;
        uint32_t argumentError = 0;
        code = state->extension->GetIDsOfNames(IID_NULL_, names, 1, 0, &dispid);
        if (code == wd::S_OK_)
            code = state->extension->Invoke(dispid, IID_NULL_, 0, wd::DISPATCH_METHOD_, &params, &result, &exception,
                                            &argumentError);
    }
    for (xmlXPathObjectPtr o : objects)
        xmlXPathFreeObject(o);
    if (code == wd::S_OK_) {
        pushResult(ctxt, tctxt, result);
        return;
    }
    if (state && state->failure.empty()) {
        state->failure = callFailure(name, code, exception);
        state->failureCode = code;
    }
    if (tctxt)
        tctxt->state = XSLT_STATE_STOPPED;
    valuePush(ctxt, xmlXPathNewCString(""));
}

// ---- one run of a compiled stylesheet ------------------------------------------------------

struct SecurityPrefs {
    xsltSecurityPrefsPtr prefs = xsltNewSecurityPrefs();
    SecurityPrefs()
    {
        // Stylesheets read local files only and write none.
        xsltSetSecurityPrefs(prefs, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
        xsltSetSecurityPrefs(prefs, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
    }
    ~SecurityPrefs() { xsltFreeSecurityPrefs(prefs); }
    SecurityPrefs(const SecurityPrefs&) = delete;
    SecurityPrefs& operator=(const SecurityPrefs&) = delete;
};

struct TransformContext {
    xsltTransformContextPtr p;
    TransformContext(xsltStylesheetPtr style, xmlDocPtr doc) : p(xsltNewTransformContext(style, doc)) {}
    ~TransformContext()
    {
        if (p)
            xsltFreeTransformContext(p);
    }
    TransformContext(const TransformContext&) = delete;
    TransformContext& operator=(const TransformContext&) = delete;
};

void passParameter(xsltTransformContextPtr ctxt, const LWString& name, const WdVariant& value)
{
    const std::string n = utf8(name);
    switch (value.vt) {
    case WdVariant::Bstr:
    case WdVariant::Empty: xsltQuoteOneUserParam(ctxt, X(n), X(utf8(value.bstr))); return;
    case WdVariant::I4: xsltEvalOneUserParam(ctxt, X(n), X(std::to_string(value.lVal))); return;
    case WdVariant::R8: {
        char number[64];
        std::snprintf(number, sizeof number, "%.17g", value.dblVal);
        xsltEvalOneUserParam(ctxt, X(n), BAD_CAST number);
        return;
    }
    case WdVariant::Bool: xsltEvalOneUserParam(ctxt, X(n), BAD_CAST(value.boolVal ? "true()" : "false()")); return;
    default:
        fail(wd::DISP_E_TYPEMISMATCH_,
             "The stylesheet parameter " + n + " holds a node set; a parameter takes text, a number or a boolean.");
    }
}

// Runs the stylesheet; the result document belongs to the caller.
xmlDocPtr apply(const WdCompiledStylesheet* compiled, const LDOMNode& input,
                const std::map<LWString, WdVariant>& parameters, WdXsltExtensions* extension,
                const LWString& namespaceUri)
{
    if (!compiled || !compiled->style)
        fail(lcom::E_POINTER_, compiled && !compiled->error.empty() ? compiled->error : "No stylesheet is loaded.");
    Messages messages;
    OwnedDoc source(inputCopy(input));
    TransformContext ctxt(compiled->style, source.doc);
    if (!ctxt.p)
        fail(lcom::E_OUTOFMEMORY_, "out of memory");
    SecurityPrefs security;
    xsltSetCtxtSecurityPrefs(security.prefs, ctxt.p);
    RunState state;
    state.extension = extension;
    ctxt.p->_private = &state;
    for (const auto& [name, value] : parameters)
        passParameter(ctxt.p, name, value);
    if (extension) {
        const std::string ns = utf8(namespaceUri);
        for (const char16_t* f : extension->functionNames())
            xsltRegisterExtFunction(ctxt.p, X(utf8(LWString(f))), X(ns), callExtension);
    }
    OwnedDoc result(xsltApplyStylesheetUser(compiled->style, source.doc, nullptr, nullptr, nullptr, ctxt.p));
    if (!state.failure.empty())
        fail(state.failureCode, state.failure);
    if (!result.doc || ctxt.p->state != XSLT_STATE_OK)
        fail(lcom::E_FAIL_, "The transformation failed: " + messages.text("unknown error"));
    return result.release();
}

}  // namespace

WdInlinerStylesheet::WdInlinerStylesheet()
{
    initXmlLibrary();
}

WdInlinerStylesheet::~WdInlinerStylesheet()
{
    if (m_extension)
        m_extension->Release();
}

void WdInlinerStylesheet::loadStylesheet(const LWString& path)
{
    LDOMDocument doc(true, false);
    try {
        doc.load(path);
    } catch (const LDOMException& e) {
        auto failed = std::make_shared<WdCompiledStylesheet>();
        failed->error = e.message() ? e.message() : "The stylesheet could not be loaded.";
        m_template = failed;
        return;
    }
    setStylesheet(doc);
}

void WdInlinerStylesheet::setStylesheet(const LDOMDocument& document, const LWString& baseDirectory)
{
    xmlNodePtr node = need(document.ref());
    if (node->type != XML_DOCUMENT_NODE || !xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(node)))
        fail(lcom::E_INVALIDARG_, "The stylesheet document is empty.");
    Messages messages;
    OwnedDoc copy(xmlCopyDoc(reinterpret_cast<xmlDocPtr>(node), 1));
    if (!copy.doc)
        fail(lcom::E_OUTOFMEMORY_, "out of memory");
    dropDeclarations(copy.doc);
    if (!baseDirectory.isNull() && baseDirectory.length() > 0) {
        std::string host = lqv::hostPath(utf8(baseDirectory).c_str());
        if (!host.empty()) {
            if (copy.doc->URL)
                xmlFree(const_cast<xmlChar*>(copy.doc->URL));
            copy.doc->URL = xmlStrdup(X(host + "/generated.xsl"));
        }
    }
    mapImportPaths(copy.doc);
    xsltStylesheetPtr style = xsltParseStylesheetDoc(copy.doc);
    if (!style)
        fail(lcom::E_FAIL_, "The stylesheet does not compile: " + messages.text("unknown error"));
    copy.release();
    auto compiled = std::make_shared<WdCompiledStylesheet>();
    compiled->style = style;
    if (style->errors > 0)
        fail(lcom::E_FAIL_, "The stylesheet does not compile: " + messages.text("unknown error"));
    m_template = compiled;
}

void WdInlinerStylesheet::setParameter(const LWString& name, const WdVariant& value)
{
    m_parameters[name] = value;
}

void WdInlinerStylesheet::setExtensionObject(WdXsltExtensions* object, const LWString& namespaceUri)
{
    if (object)
        object->AddRef();
    if (m_extension)
        m_extension->Release();
    m_extension = object;
    m_namespace = namespaceUri;
}

LDOMDocument WdInlinerStylesheet::transform(const LDOMNode& input, bool freeThreaded)
{
    xmlDocPtr result = apply(m_template.get(), input, m_parameters, m_extension, m_namespace);
    // The holder lives on in the facade made while it is held here.
    auto holder = DocHolder::adopt(result, freeThreaded);
    return LDOMDocument(LDOMNode(NodeRef(reinterpret_cast<xmlNodePtr>(result))));
}

void WdInlinerStylesheet::transformToStream(const LDOMNode& input, LStream& stream)
{
    OwnedDoc result(apply(m_template.get(), input, m_parameters, m_extension, m_namespace));
    Messages messages;
    const xmlChar* encoding = nullptr;
    XSLT_GET_IMPORT_PTR(encoding, m_template->style, encoding)
    xmlCharEncodingHandlerPtr encoder = nullptr;
    if (encoding) {
        encoder = xmlFindCharEncodingHandler(reinterpret_cast<const char*>(encoding));
        if (!encoder)
            fail(lcom::E_FAIL_, std::string("Unknown output encoding ") + reinterpret_cast<const char*>(encoding));
        if (xmlStrEqual(BAD_CAST encoder->name, BAD_CAST "UTF-8"))
            encoder = nullptr;
    }
    if (!encoding && !result.doc->encoding)
        result.doc->encoding = xmlStrdup(BAD_CAST "UTF-8");
    xmlOutputBufferPtr out = LStream_CreateXmlOutput(stream, encoder);
    if (!out)
        fail(lcom::E_OUTOFMEMORY_, "out of memory");
    const int written = xsltSaveResultTo(out, result.doc, m_template->style);
    const int closed = xmlOutputBufferClose(out);
    if (written < 0 || closed < 0)
        fail(lcom::E_FAIL_, "The result could not be written: " + messages.text("write error"));
}

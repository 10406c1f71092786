// Compiled stylesheets, transformations and the extension-object bridge.
#include "classlib/xml/xslt.h"

#include <libxml/xpathInternals.h>
#include <libxslt/documents.h>
#include <libxslt/extensions.h>
#include <libxslt/imports.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/variables.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdio>
#include <string>

#include "classlib/base/qvseam.h"
#include "classlib/base/wide_text.h"
#include "classlib/xml/dom_internal.h"
#include "classlib/xml/stream_output.h"
#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

LWString LXsltValue::stringValue() const
{
    switch (kind) {
    case Kind::Number: {
        xmlChar* s = xmlXPathCastNumberToString(number);
        LWString t = MSXMLDOM::wide(s ? s : BAD_CAST "");
        xmlFree(s);
        return t;
    }
    case Kind::Boolean: return LWString(boolean ? u"true" : u"false");
    case Kind::Nodes: {
        if (nodeList.empty() || !nodeList.front())
            return LWString(u"");
        xmlChar* s = xmlXPathCastNodeToString(nodeList.front());
        LWString t = MSXMLDOM::wide(s ? s : BAD_CAST "");
        xmlFree(s);
        return t;
    }
    case Kind::Text: break;
    }
    return text.isNull() ? LWString(u"") : text;
}

namespace MSXMLDOM {

struct XsltTemplate {
    xsltStylesheetPtr style = nullptr;
    XsltTemplate() = default;
    XsltTemplate(const XsltTemplate&) = delete;
    XsltTemplate& operator=(const XsltTemplate&) = delete;
    ~XsltTemplate()
    {
        if (style)
            xsltFreeStylesheet(style);
    }
};

namespace {

constexpr const char* kXsltSource = "libxslt";

// Collects the messages libxml2 and libxslt report while it is alive, and
// keeps them off standard error.
class ErrorCapture {
public:
    ErrorCapture()
        : m_xmlFunc(xmlGenericError), m_xmlCtx(xmlGenericErrorContext), m_xsltFunc(xsltGenericError),
          m_xsltCtx(xsltGenericErrorContext)
    {
        xmlSetGenericErrorFunc(this, &ErrorCapture::collect);
        xsltSetGenericErrorFunc(this, &ErrorCapture::collect);
    }
    ~ErrorCapture()
    {
        xmlSetGenericErrorFunc(m_xmlCtx, m_xmlFunc);
        xsltSetGenericErrorFunc(m_xsltCtx, m_xsltFunc);
    }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    std::string text(const char* fallback) const
    {
        std::string t = m_text;
        while (!t.empty() && (t.back() == '\n' || t.back() == ' '))
            t.pop_back();
        return t.empty() ? fallback : t;
    }

private:
    static void collect(void* ctx, const char* msg, ...) __attribute__((format(printf, 2, 3)))
    {
        char buf[1024];
        va_list args;
        va_start(args, msg);
        std::vsnprintf(buf, sizeof buf, msg, args);
        va_end(args);
        auto* self = static_cast<ErrorCapture*>(ctx);
        if (self->m_text.size() < 4096)
            self->m_text += buf;
    }

    xmlGenericErrorFunc m_xmlFunc;
    void* m_xmlCtx;
    xmlGenericErrorFunc m_xsltFunc;
    void* m_xsltCtx;
    std::string m_text;
};

[[noreturn]] void raiseXslt(const std::string& description)
{
    throw ComError(lcom::E_FAIL_, kXsltSource, description.c_str());
}

// LDOMException from the document layer leaves a stylesheet operation as
// LXSLTException with the same text; the error object becomes the text.
template <class F> auto xsltGuard(F&& f) -> decltype(f())
{
    try {
        return f();
    } catch (const ComError& e) {
        throw LXSLTException(comErrorText(e).c_str());
    } catch (const LDOMException& e) {
        throw LXSLTException(e.message());
    }
}

struct DocOwner {
    xmlDocPtr doc = nullptr;
    DocOwner() = default;
    explicit DocOwner(xmlDocPtr d) : doc(d) {}
    DocOwner(const DocOwner&) = delete;
    DocOwner& operator=(const DocOwner&) = delete;
    ~DocOwner()
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

void stripDeclarationNodes(xmlDocPtr doc)
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

bool isXslElement(xmlNodePtr n, const char* name)
{
    return n->type == XML_ELEMENT_NODE && n->ns && xmlStrEqual(n->ns->href, XSLT_NAMESPACE) &&
           xmlStrEqual(n->name, BAD_CAST name);
}

// Sets xsl:output/@encoding where the stylesheet has one.
void rewriteOutputEncoding(xmlDocPtr doc, const char* encoding)
{
    xmlNodePtr root = xmlDocGetRootElement(doc);
    if (!root || !root->ns || !xmlStrEqual(root->ns->href, XSLT_NAMESPACE))
        return;
    for (xmlNodePtr c = root->children; c; c = c->next)
        if (isXslElement(c, "output") && xmlHasProp(c, BAD_CAST "encoding"))
            xmlSetProp(c, BAD_CAST "encoding", BAD_CAST encoding);
}

// Hrefs of imports and includes written as environment paths
// ("X_VELMO\WEB\..\std_types.xsl") are mapped to the host, so that the
// stylesheet finds what they name.
void mapImportPaths(xmlDocPtr doc)
{
    xmlNodePtr root = xmlDocGetRootElement(doc);
    if (!root)
        return;
    for (xmlNodePtr c = root->children; c; c = c->next) {
        if (!isXslElement(c, "import") && !isXslElement(c, "include"))
            continue;
        xmlChar* href = xmlGetProp(c, BAD_CAST "href");
        if (!href)
            continue;
        std::string h = reinterpret_cast<const char*>(href);
        xmlFree(href);
        bool environmentPath = h.find('\\') != std::string::npos || (h.size() > 1 && h[1] == ':');
        if (!environmentPath)
            continue;
        std::string host = lqv::hostPath(h.c_str());
        if (!host.empty())
            xmlSetProp(c, BAD_CAST "href", BAD_CAST fileUri(host).c_str());
    }
}

// Compiles a stylesheet document, which the compiled stylesheet then owns.
xsltStylesheetPtr compileDocument(DocOwner& doc)
{
    ErrorCapture errors;
    stripDeclarationNodes(doc.doc);
    mapImportPaths(doc.doc);
    xsltStylesheetPtr style = xsltParseStylesheetDoc(doc.doc);
    if (!style)
        raiseXslt("The stylesheet does not compile: " + errors.text("unknown error"));
    doc.release();
    if (style->errors > 0) {
        std::string text = errors.text("unknown error");
        xsltFreeStylesheet(style);
        raiseXslt("The stylesheet does not compile: " + text);
    }
    return style;
}

// The source of a transformation: a copy, so that the caller's tree is
// never changed (whitespace stripping, ids) and the declaration node does
// not show up as a processing instruction.
xmlDocPtr sourceCopy(const LDOMNode& source)
{
    xmlNodePtr node = need(source.ref());
    if (node->type == XML_DOCUMENT_NODE) {
        xmlDocPtr copy = xmlCopyDoc(reinterpret_cast<xmlDocPtr>(node), 1);
        if (!copy)
            raise(lcom::E_OUTOFMEMORY_);
        stripDeclarationNodes(copy);
        return copy;
    }
    DocOwner copy(xmlNewDoc(BAD_CAST "1.0"));
    if (!copy.doc)
        raise(lcom::E_OUTOFMEMORY_);
    xmlNodePtr first = node->type == XML_DOCUMENT_FRAG_NODE ? node->children : node;
    for (xmlNodePtr c = first; c; c = c->next) {
        xmlNodePtr n = xmlDocCopyNode(c, copy.doc, 1);
        if (!n)
            raise(lcom::E_OUTOFMEMORY_);
        xmlAddChild(reinterpret_cast<xmlNodePtr>(copy.doc), n);
        if (node->type != XML_DOCUMENT_FRAG_NODE)
            break;
    }
    return copy.release();
}

// ---- extension functions ---------------------------------------------------

struct RunState {
    LXsltExtensionObject* extension = nullptr;
    std::string failure;                          // the first failure of an extension function
    std::vector<const LDOMNode*> nodeParameters;  // values of node-set parameters, by number
};

// Copies the nodes of a value into a new result tree fragment of the
// transformation, which frees it with the run (persist) or with the current
// template (local); the node set of its top-level nodes, or null.
xmlNodeSetPtr copyIntoFragment(xsltTransformContextPtr tctxt, const LDOMNode& nodes, bool persist)
{
    xmlNodePtr source = nodes.isNull() ? nullptr : nodes.raw();
    xmlDocPtr rvt = xsltCreateRVT(tctxt);
    if (!rvt)
        return nullptr;
    if (persist)
        xsltRegisterPersistRVT(tctxt, rvt);
    else
        xsltRegisterLocalRVT(tctxt, rvt);
    if (source) {
        bool children = source->type == XML_DOCUMENT_FRAG_NODE || source->type == XML_DOCUMENT_NODE;
        for (xmlNodePtr c = children ? source->children : source; c; c = c->next) {
            if (!isDeclarationNode(c)) {
                xmlNodePtr copy = xmlDocCopyNode(c, rvt, 1);
                if (copy)
                    xmlAddChild(reinterpret_cast<xmlNodePtr>(rvt), copy);
            }
            if (!children)
                break;
        }
    }
    xmlNodeSetPtr set = xmlXPathNodeSetCreate(nullptr);
    for (xmlNodePtr c = rvt->children; c; c = c->next)
        xmlXPathNodeSetAddUnique(set, c);
    return set;
}

void pushNodes(xmlXPathParserContextPtr ctxt, xsltTransformContextPtr tctxt, const LDOMNode& nodes)
{
    xmlNodeSetPtr set = copyIntoFragment(tctxt, nodes, false);
    if (!set) {
        xmlXPathErr(ctxt, XPATH_MEMORY_ERROR);
        return;
    }
    valuePush(ctxt, xmlXPathWrapNodeSet(set));
}

// An argument of an extension function with its XPath type; a node set
// keeps its nodes, which stay valid while the call runs.
LXsltValue argumentValue(xmlXPathObjectPtr o)
{
    if (!o)
        return LXsltValue::ofText(u"");
    switch (o->type) {
    case XPATH_NUMBER: return LXsltValue::ofNumber(o->floatval);
    case XPATH_BOOLEAN: return LXsltValue::ofBoolean(o->boolval != 0);
    case XPATH_NODESET:
    case XPATH_XSLT_TREE: {
        LXsltValue v;
        v.kind = LXsltValue::Kind::Nodes;
        for (int i = 0; o->nodesetval && i < o->nodesetval->nodeNr; ++i) {
            xmlNodePtr n = o->nodesetval->nodeTab[i];
            if (!n)
                continue;
            // A result tree fragment stands for the nodes at its top.
            if (o->type == XPATH_XSLT_TREE && n->type == XML_DOCUMENT_NODE)
                for (xmlNodePtr c = n->children; c; c = c->next)
                    v.nodeList.push_back(c);
            else
                v.nodeList.push_back(n);
        }
        return v;
    }
    default: {
        xmlChar* s = xmlXPathCastToString(o);
        LXsltValue v = LXsltValue::ofText(s ? wide(s) : LWString(u""));
        xmlFree(s);
        return v;
    }
    }
}

// The XPath objects of a call's arguments, freed after the call.
struct CallArguments {
    std::vector<xmlXPathObjectPtr> objects;
    CallArguments(xmlXPathParserContextPtr ctxt, int nargs) : objects(nargs > 0 ? static_cast<size_t>(nargs) : 0)
    {
        for (int i = nargs - 1; i >= 0; --i)
            objects[static_cast<size_t>(i)] = valuePop(ctxt);
    }
    CallArguments(const CallArguments&) = delete;
    CallArguments& operator=(const CallArguments&) = delete;
    ~CallArguments()
    {
        for (xmlXPathObjectPtr o : objects)
            xmlXPathFreeObject(o);
    }
};

void pushResult(xmlXPathParserContextPtr ctxt, xsltTransformContextPtr tctxt, const LXsltValue& r)
{
    switch (r.kind) {
    case LXsltValue::Kind::Text:
        valuePush(ctxt, xmlXPathNewString(X(r.text.isNull() ? std::string() : utf8(r.text))));
        break;
    case LXsltValue::Kind::Number: valuePush(ctxt, xmlXPathNewFloat(r.number)); break;
    case LXsltValue::Kind::Boolean: valuePush(ctxt, xmlXPathNewBoolean(r.boolean)); break;
    case LXsltValue::Kind::Nodes: pushNodes(ctxt, tctxt, r.nodes); break;
    }
}

void extensionTrampoline(xmlXPathParserContextPtr ctxt, int nargs)
{
    xsltTransformContextPtr tctxt = xsltXPathGetTransformContext(ctxt);
    auto* state = tctxt ? static_cast<RunState*>(tctxt->_private) : nullptr;
    CallArguments objects(ctxt, nargs);
    if (!state || !state->extension) {
        xmlXPathErr(ctxt, XPATH_UNKNOWN_FUNC_ERROR);
        return;
    }
    std::vector<LXsltValue> args;
    for (xmlXPathObjectPtr o : objects.objects)
        args.push_back(argumentValue(o));
    std::string name = reinterpret_cast<const char*>(ctxt->context->function);
    try {
        pushResult(ctxt, tctxt, state->extension->call(LWString::fromUtf8(name.c_str()), args));
        return;
    } catch (const LException& e) {
        if (state->failure.empty())
            state->failure = "extension function " + name + " failed: " + (e.message() ? e.message() : "");
    } catch (const ComError& e) {
        if (state->failure.empty())
            state->failure = "extension function " + name + " failed: " + comErrorText(e).c_str();
    } catch (const std::exception& e) {
        if (state->failure.empty())
            state->failure = "extension function " + name + " failed: " + e.what();
    } catch (...) {
        if (state->failure.empty())
            state->failure = "extension function " + name + " failed";
    }
    tctxt->state = XSLT_STATE_STOPPED;
    valuePush(ctxt, xmlXPathNewCString(""));
}

// A node-set parameter reaches the stylesheet through an XPath expression
// that calls this function with the parameter's number: libxslt evaluates
// user parameters as expressions only. The function exists only while the
// parameters are evaluated.
constexpr const char* kNodeParameterFunction = "dqov-node-parameter";

void nodeParameterFunction(xmlXPathParserContextPtr ctxt, int nargs)
{
    xsltTransformContextPtr tctxt = xsltXPathGetTransformContext(ctxt);
    auto* state = tctxt ? static_cast<RunState*>(tctxt->_private) : nullptr;
    if (nargs != 1 || !state) {
        xmlXPathErr(ctxt, XPATH_INVALID_ARITY);
        return;
    }
    double number = xmlXPathPopNumber(ctxt);
    size_t index = static_cast<size_t>(number);
    if (number < 0 || index >= state->nodeParameters.size()) {
        xmlXPathErr(ctxt, XPATH_INVALID_OPERAND);
        return;
    }
    xmlNodeSetPtr set = copyIntoFragment(tctxt, *state->nodeParameters[index], true);
    if (!set) {
        xmlXPathErr(ctxt, XPATH_MEMORY_ERROR);
        return;
    }
    valuePush(ctxt, xmlXPathWrapNodeSet(set));
}

// Hands every parameter to the transformation: texts quoted, numbers and
// booleans as expressions, node sets as copies of their nodes.
void addParameters(xsltTransformContextPtr ctxt, RunState& state, const std::map<LWString, LXsltValue>& params)
{
    xmlXPathRegisterFunc(ctxt->xpathCtxt, BAD_CAST kNodeParameterFunction, nodeParameterFunction);
    for (const auto& [name, value] : params) {
        std::string n = utf8(name);
        char text[64];
        switch (value.kind) {
        case LXsltValue::Kind::Number:
            std::snprintf(text, sizeof text, "%.17g", value.number);
            xsltEvalOneUserParam(ctxt, X(n), BAD_CAST text);
            break;
        case LXsltValue::Kind::Boolean:
            xsltEvalOneUserParam(ctxt, X(n), BAD_CAST(value.boolean ? "true()" : "false()"));
            break;
        case LXsltValue::Kind::Nodes:
            std::snprintf(text, sizeof text, "%s(%zu)", kNodeParameterFunction, state.nodeParameters.size());
            state.nodeParameters.push_back(&value.nodes);
            xsltEvalOneUserParam(ctxt, X(n), BAD_CAST text);
            break;
        case LXsltValue::Kind::Text: xsltQuoteOneUserParam(ctxt, X(n), X(utf8(value.text))); break;
        }
    }
    xmlXPathRegisterFunc(ctxt->xpathCtxt, BAD_CAST kNodeParameterFunction, nullptr);
}

int collectOutput(void* context, std::unique_ptr<char[]>& array, uint32_t size)
{
    auto* out = static_cast<LCharBuffer*>(context);
    out->adopt(std::move(array), size);  // the true byte count, also for UTF-16
    return 0;
}

struct Prefs {
    xsltSecurityPrefsPtr p = xsltNewSecurityPrefs();
    Prefs()
    {
        // document() may read local files; nothing goes to the network and the
        // stylesheet writes no files.
        xsltSetSecurityPrefs(p, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
    }
    ~Prefs() { xsltFreeSecurityPrefs(p); }
};

struct TransformContext {
    xsltTransformContextPtr p;
    TransformContext(xsltStylesheetPtr style, xmlDocPtr doc) : p(xsltNewTransformContext(style, doc)) {}
    ~TransformContext()
    {
        if (p)
            xsltFreeTransformContext(p);
    }
};

// One run of a compiled stylesheet over a copy of the source; the result
// document belongs to the caller.
xmlDocPtr runStylesheet(xsltStylesheetPtr style, const LDOMNode& source, const std::map<LWString, LXsltValue>& params,
                        LXsltExtensionObject* extension, const LWString& extensionNamespace)
{
    ErrorCapture errors;
    DocOwner input(sourceCopy(source));
    TransformContext ctxt(style, input.doc);
    if (!ctxt.p)
        raise(lcom::E_OUTOFMEMORY_);
    Prefs prefs;
    xsltSetCtxtSecurityPrefs(prefs.p, ctxt.p);
    RunState state;
    state.extension = extension;
    ctxt.p->_private = &state;
    addParameters(ctxt.p, state, params);
    if (extension) {
        std::string ns = utf8(extensionNamespace);
        for (const LWString& f : extension->functionNames())
            xsltRegisterExtFunction(ctxt.p, X(utf8(f)), X(ns), extensionTrampoline);
    }
    DocOwner result(xsltApplyStylesheetUser(style, input.doc, nullptr, nullptr, nullptr, ctxt.p));
    if (!state.failure.empty())
        raiseXslt("The transformation stopped: " + state.failure);
    if (!result.doc || ctxt.p->state != XSLT_STATE_OK)
        raiseXslt("The transformation failed: " + errors.text("unknown error"));
    return result.release();
}

// Writes a result document into the stream as the stylesheet's xsl:output
// asks for it.
void writeResult(xsltStylesheetPtr style, xmlDocPtr result, LStream& out)
{
    ErrorCapture errors;
    const xmlChar* encoding = nullptr;
    XSLT_GET_IMPORT_PTR(encoding, style, encoding)
    xmlCharEncodingHandlerPtr encoder = nullptr;
    if (encoding) {
        encoder = xmlFindCharEncodingHandler(reinterpret_cast<const char*>(encoding));
        if (!encoder)
            raiseXslt(std::string("Unknown output encoding ") + reinterpret_cast<const char*>(encoding));
        if (xmlStrEqual(BAD_CAST encoder->name, BAD_CAST "UTF-8"))
            encoder = nullptr;
    }
    // Without a named encoding the output is UTF-8; saying so keeps libxml2
    // from writing non-ASCII attribute characters as references.
    if (!encoding && !result->encoding)
        result->encoding = xmlStrdup(BAD_CAST "UTF-8");
    xmlOutputBufferPtr buf = LStream_CreateXmlOutput(out, encoder);
    if (!buf)
        raise(lcom::E_OUTOFMEMORY_);
    int written = xsltSaveResultTo(buf, result, style);
    int closed = xmlOutputBufferClose(buf);
    if (written < 0 || closed < 0)
        raiseXslt("The transformation output could not be written: " + errors.text("write error"));
}

// The output bytes of a result document.
LCharBuffer serialiseResult(xsltStylesheetPtr style, xmlDocPtr result)
{
    std::unique_ptr<LStream> out = P3142_CreateHGlobalStream();
    writeResult(style, result, *out);
    LCharBuffer bytes;
    readStreamText(out.get(), &bytes, collectOutput, true);
    return bytes;
}

LCharBuffer applyStylesheet(xsltStylesheetPtr style, const LDOMNode& source,
                            const std::map<LWString, LXsltValue>& params, LXsltExtensionObject* extension,
                            const LWString& extensionNamespace)
{
    DocOwner result(runStylesheet(style, source, params, extension, extensionNamespace));
    return serialiseResult(style, result.doc);
}

}  // namespace

int32_t readStreamText(LStream* stream, void* context, StreamTextConsumer consumer, bool handOver)
{
    if (!consumer)
        return 0;
    uint32_t size = 0;
    std::unique_ptr<char[]> array;
    if (!stream) {
        array = std::make_unique<char[]>(1);
    } else {
        size = stream->getSize();
        array = std::make_unique<char[]>(static_cast<size_t>(size) + 1);
        stream->position(0);
        uint32_t got = stream->read(array.get(), size);
        if (got != size)
            raise(lcom::E_FAIL_, "The stream could not be read to its end.");
        array[size] = '\0';
    }
    int32_t result = consumer(context, array, size);
    if (!handOver)
        array.reset();
    return result;
}

// ---- XsltOptimizedImpl --------------------------------------------------------

XsltOptimizedImpl::XsltOptimizedImpl(bool createTemplate, const char* outputEncoding) : m_outputEncoding(outputEncoding)
{
    initXmlLibrary();
    if (createTemplate)
        this->createTemplate();
}

XsltOptimizedImpl::XsltOptimizedImpl(const XsltOptimizedImpl& other) = default;

XsltOptimizedImpl& XsltOptimizedImpl::operator=(const XsltOptimizedImpl& other)
{
    if (this == &other)
        return *this;
    m_encodingTemplate = other.m_encodingTemplate;
    m_template = other.m_template;
    m_compilePath = other.m_compilePath;
    m_outputEncoding = other.m_outputEncoding;
    m_extension = other.m_extension;
    m_extensionNamespace = other.m_extensionNamespace;
    m_parameters = other.m_parameters;
    return *this;
}

XsltOptimizedImpl::~XsltOptimizedImpl() = default;

void XsltOptimizedImpl::createTemplate()
{
    if (m_outputEncoding.isEmpty())
        m_template = std::make_shared<XsltTemplate>();
    else
        m_encodingTemplate = std::make_shared<XsltTemplate>();
}

void XsltOptimizedImpl::compile(const LWString& path, std::shared_ptr<XsltTemplate>& slot, const char* outputEncoding)
{
    xsltGuard([&] {
        std::string p = utf8(path);
        if (p.empty())
            raiseXslt("No stylesheet file has been given.");
        ParseResult parsed;
        {
            ErrorCapture quiet;
            parsed = parseXml(ParseSource::File, p, false);
        }
        if (!parsed.doc)
            throw LXSLTException(parsed.error.c_str());
        DocOwner doc(parsed.doc);
        if (outputEncoding)
            rewriteOutputEncoding(doc.doc, outputEncoding);
        if (!slot)
            raise(lcom::E_POINTER_);
        xsltStylesheetPtr style = compileDocument(doc);
        if (slot->style)
            xsltFreeStylesheet(slot->style);
        slot->style = style;
    });
}

void XsltOptimizedImpl::load(const LWString& path)
{
    m_compilePath = path;
    if (!m_outputEncoding.isEmpty())
        compile(path, m_encodingTemplate, m_outputEncoding.c_str());
    else
        compile(path, m_template, nullptr);
}

void XsltOptimizedImpl::loadDocument(const LDOMDocument& stylesheet, const LWString& baseDirectory)
{
    m_compilePath = LWString();
    std::shared_ptr<XsltTemplate>& slot = m_outputEncoding.isEmpty() ? m_template : m_encodingTemplate;
    xsltGuard([&] {
        xmlNodePtr node = need(stylesheet.ref());
        xmlDocPtr source = node->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(node) : node->doc;
        if (!xmlDocGetRootElement(source))
            raiseXslt("The stylesheet document is empty.");
        // The compiled form owns and changes its document: it gets a copy.
        DocOwner copy(xmlCopyDoc(source, 1));
        if (!copy.doc)
            raise(lcom::E_OUTOFMEMORY_);
        if (!baseDirectory.isNull() && baseDirectory.length() > 0) {
            std::string host = lqv::hostPath(utf8(baseDirectory).c_str());
            if (!host.empty()) {
                if (copy.doc->URL)
                    xmlFree(const_cast<xmlChar*>(copy.doc->URL));
                copy.doc->URL = xmlStrdup(X(fileUri(host + "/generated.xsl")));
            }
        }
        if (!m_outputEncoding.isEmpty())
            rewriteOutputEncoding(copy.doc, m_outputEncoding.c_str());
        xsltStylesheetPtr style = compileDocument(copy);
        if (!slot)
            slot = std::make_shared<XsltTemplate>();
        if (slot->style)
            xsltFreeStylesheet(slot->style);
        slot->style = style;
    });
}

const std::shared_ptr<XsltTemplate>& XsltOptimizedImpl::compiledSlot()
{
    // A stylesheet object built with an output encoding uses the stylesheet
    // compiled with that encoding.
    std::shared_ptr<XsltTemplate>& slot = m_outputEncoding.isEmpty() ? m_template : m_encodingTemplate;
    if (!slot)
        slot = std::make_shared<XsltTemplate>();
    if (!slot->style)
        compile(m_compilePath, slot, m_outputEncoding.isEmpty() ? nullptr : m_outputEncoding.c_str());
    return slot;
}

LCharBuffer XsltOptimizedImpl::transform(const LDOMNode& source)
{
    return runProcessor(source, compiledSlot());
}

LCharBuffer XsltOptimizedImpl::runProcessor(const LDOMNode& source, const std::shared_ptr<XsltTemplate>& slot)
{
    return xsltGuard(
        [&] { return applyStylesheet(slot->style, source, m_parameters, m_extension, m_extensionNamespace); });
}

void XsltOptimizedImpl::transformToStream(const LDOMNode& source, LStream& out)
{
    const std::shared_ptr<XsltTemplate>& slot = compiledSlot();
    xsltGuard([&] {
        DocOwner result(runStylesheet(slot->style, source, m_parameters, m_extension, m_extensionNamespace));
        writeResult(slot->style, result.doc, out);
    });
}

LDOMDocument XsltOptimizedImpl::transformToDocument(const LDOMNode& source, bool freeThreaded)
{
    const std::shared_ptr<XsltTemplate>& slot = compiledSlot();
    return xsltGuard([&] {
        xmlDocPtr result = runStylesheet(slot->style, source, m_parameters, m_extension, m_extensionNamespace);
        // The block lives on in the facade made while it is held here.
        auto holder = DocHolder::adopt(result, freeThreaded);
        return LDOMDocument(LDOMNode(NodeRef(reinterpret_cast<xmlNodePtr>(result))));
    });
}

void XsltOptimizedImpl::setExtensionObject(LXsltExtensionObject* extension, const LWString& namespaceUri)
{
    m_extension = extension;
    m_extensionNamespace = namespaceUri;
}

void XsltOptimizedImpl::setParameter(const LWString& name, const LXsltValue& value)
{
    m_parameters[name] = value;
}

void setStylesheetOutputEncoding(LDOMDocument& stylesheet, const char* encoding)
{
    xsltGuard([&] {
        stylesheet.setProperty(LDOMProperty_SelectionNamespaces,
                               LWString(u"xmlns:xsl='http://www.w3.org/1999/XSL/Transform'"));
        LDOMNode attr = stylesheet.selectSingleNode(u"/xsl:*/xsl:output/@encoding");
        if (!attr.isNull())
            LDOMAttribute(attr).setValue(LWString::fromUtf8(encoding));
    });
}

LCharBuffer transformNodeToBuffer(const LDOMNode& source, const LDOMNode& stylesheet)
{
    return xsltGuard([&] {
        xmlNodePtr s = need(stylesheet.ref());
        xmlDocPtr styleDoc = s->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(s) : s->doc;
        // The stylesheet is compiled from a copy: the compiled form owns and
        // changes its document.
        DocOwner copy(xmlCopyDoc(styleDoc, 1));
        if (!copy.doc)
            raise(lcom::E_OUTOFMEMORY_);
        XsltTemplate compiled;
        compiled.style = compileDocument(copy);
        return applyStylesheet(compiled.style, source, {}, nullptr, LWString());
    });
}

}  // namespace MSXMLDOM

// ---- LXsltOptimized ---------------------------------------------------------------

LXsltOptimized::LXsltOptimized(bool createTemplate, const char* outputEncoding)
    : XsltOptimizedImpl(createTemplate, outputEncoding)
{}

LXsltOptimized::LXsltOptimized(const LXsltOptimized& other)
    : XsltOptimizedImpl(other), m_name(other.m_name), m_imports(other.m_imports ? other.m_imports->clone() : nullptr)
{}

LXsltOptimized& LXsltOptimized::operator=(const LXsltOptimized& other)
{
    if (this == &other)
        return *this;
    XsltOptimizedImpl::operator=(other);
    m_name = other.m_name;
    m_imports = other.m_imports ? other.m_imports->clone() : nullptr;
    return *this;
}

void LXsltOptimized::load(const LWString& path, bool importsOnly)
{
    // A load that fails leaves the name as it was.
    if (importsOnly) {
        LDOMDocument doc(true, true);
        doc.load(path);
        collectImports(doc);
    } else {
        XsltOptimizedImpl::load(path);
    }
    m_name = path;
}

void LXsltOptimized::collectImports(const LDOMDocument& document)
{
    LDOMNodeList list = document.getElementsByTagName(MSXMLDOM::kXsltNamespace, u"xsl:import");
    int32_t n = list.getLength();
    m_imports = std::make_unique<LWStringArray>(n);
    for (int32_t i = 0; i < n; ++i) {
        LWString href = list.item(i).getAttributes().getNamedItem(u"href").getNodeValue();
        m_imports->append(P3142_WdFindWideSubstring(href, u".xsl"));
    }
}

// ---- XSLTDoc ----------------------------------------------------------------------

XSLTDoc::XSLTDoc() : m_impl(std::make_unique<LXsltOptimized>(true, nullptr)) {}

XSLTDoc::XSLTDoc(const XSLTDoc& other) : m_impl(std::make_unique<LXsltOptimized>(*other.m_impl)) {}

XSLTDoc& XSLTDoc::operator=(const XSLTDoc& other)
{
    if (this != &other)
        *m_impl = *other.m_impl;
    return *this;
}

void XSLTDoc::load(const LWString& path, bool importsOnly)
{
    m_impl->load(path, importsOnly);
}

void XSLTDoc::loadDocument(const LDOMDocument& stylesheet, const LWString& baseDirectory)
{
    m_impl->loadDocument(stylesheet, baseDirectory);
}

void XSLTDoc::setExtensionObject(LXsltExtensionObject* extension, const LWString& namespaceUri)
{
    m_impl->setExtensionObject(extension, namespaceUri);
}

void XSLTDoc::setParameter(const LWString& name, const LXsltValue& value)
{
    m_impl->setParameter(name, value);
}

LCharBuffer XSLTDoc::transform(const LDOMNode& source)
{
    return m_impl->transform(source);
}

void XSLTDoc::transformToStream(const LDOMNode& source, LStream& out)
{
    m_impl->transformToStream(source, out);
}

LDOMDocument XSLTDoc::transformToDocument(const LDOMNode& source, bool freeThreaded)
{
    return m_impl->transformToDocument(source, freeThreaded);
}

std::unique_ptr<LWStringArray> XSLTDoc::getImports() const
{
    if (!m_impl->imports())
        throw LException("The stylesheet has no import list.");
    return m_impl->imports()->clone();
}

// ---- LXslTransformer ------------------------------------------------------------------

LCharBuffer LXslTransformer::transform(const LDOMNode& source, LDOMDocument& stylesheet, const char* encoding)
{
    char charset[26] = "";
    if (!encoding) {
        if (UTC_GetIANACharset(0, 0, charset, sizeof charset) != 0)
            std::snprintf(charset, sizeof charset, "UTF-8");
        encoding = charset;
    }
    MSXMLDOM::setStylesheetOutputEncoding(stylesheet, encoding);
    return MSXMLDOM::transformNodeToBuffer(source, stylesheet);
}

LCharBuffer LXslTransformer::transform(const LDOMNode& source, XsltDomDocument& stylesheet, const char* encoding)
{
    LDOMDocument doc = stylesheet.asDocument();
    return transform(source, doc, encoding);
}

// ---- GUID text ----------------------------------------------------------------------------

LWString P3142_MakeGuidString()
{
    DQOZ_GUID g;
    if (unsigned long rc = DosCreateGuid(&g); rc != 0)
        throw ComError(lcom::E_FAIL_, "dqoz", DosGetLastErrorText());
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2, g.data3,
                  g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    LWString s = LWString::fromMultiByte(text);
    s.removeChar(u'{');
    s.removeChar(u'}');
    s.removeChar(u'-');
    return s;
}

LCharBuffer LDOMNode::transformNode(const LDOMNode& source, const LDOMNode& stylesheet)
{
    return MSXMLDOM::transformNodeToBuffer(source, stylesheet);
}

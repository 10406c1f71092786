// The weblet inliner: initialisation, the inline-weblet function and the
// nested transformation of one inlining.
#include "web/xslt/weblet_inliner.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "classlib/base/lstream.h"
#include "classlib/base/qvseam.h"
#include "classlib/xml/dom_internal.h"
#include "platform/qvutil/qvutil.h"
#include "web/tsml/tsml_names.h"
#include "web/xslt/trace_formatter.h"

namespace {

constexpr const char16_t* kInlineWeblet = u"inline-weblet";
// Paths are formed in buffers of this size, as the environment forms them.
constexpr size_t kPathBuffer = 261;

LWString wideOf(const char* text)
{
    return LWString::fromMultiByte(text ? text : "");
}

// The description of a failure of the document layer, whichever way it came.
std::string describe(const ComError& e)
{
    return e.description() ? e.description() : "";
}

// A stylesheet document loaded from the environment path (a load failure
// leaves the document empty; it shows when the stylesheet is compiled).
LDOMDocument loadQuietly(const char* path)
{
    LDOMDocument doc(true, false);
    try {
        doc.load(wideOf(path));
    } catch (const LDOMException&) {}
    return doc;
}

}  // namespace

void WdInlinerStylesheet::loadStylesheet(const char* path)
{
    try {
        load(wideOf(path));
    } catch (const LXSLTException&) {}
}

void WdInlinerStylesheet::setStylesheet(const LDOMDocument& stylesheet, const LWString& baseDirectory)
{
    loadDocument(stylesheet, baseDirectory);
}

WdWebletInliner::WdWebletInliner() = default;

WdWebletInliner::~WdWebletInliner() = default;

void WdWebletInliner::initialize(const char* tsp, const char* application, const char* language,
                                 const char* stylesheetsHome, const char* webletDesignDirectory,
                                 const char* temporaryDirectory, const char* tspStylesheetPath, WdWebletLoader loader,
                                 LTraceWriter* trace)
{
    try {
        m_tsp = LCharBuffer(tsp ? tsp : "");
        m_application = LCharBuffer(application ? application : "");
        m_language = LCharBuffer(language ? language : "");
        char path[kPathBuffer];
        std::snprintf(path, sizeof path, "%s\\tsp_global_qvml_webroutine.xsl", stylesheetsHome ? stylesheetsHome : "");
        m_webroutine.loadStylesheet(path);

        std::snprintf(path, sizeof path, "%s\\tsp_global_inline_weblet.xsl", stylesheetsHome ? stylesheetsHome : "");
        LDOMDocument inlineWeblet = loadQuietly(path);
        if (!inlineWeblet.getFirstChild().isNull()) {
            inlineWeblet.setProperty(LDOMProperty_SelectionNamespaces, tsml::xslWdSelection(" "));
            LDOMNodeList imports = inlineWeblet.selectNodes(u"/xsl:transform/xsl:import[@wd:tsp-stylesheet]");
            if (imports.getLength() > 0)
                imports.item(0).getAttributes().getNamedItem(u"href").setNodeValue(wideOf(tspStylesheetPath));
            m_inlineWeblet.setStylesheet(inlineWeblet);
        } else {
            m_inlineWeblet.loadStylesheet(path);
        }
        m_inlineWeblet.setParameter(u"g_import_path", LXsltValue::ofText(wideOf(temporaryDirectory)));

        m_designDirectory = wideOf(webletDesignDirectory);
        m_temporaryDirectory = wideOf(temporaryDirectory);
        if (temporaryDirectory && *temporaryDirectory && !LUTE_fCreateDirectoryTree(temporaryDirectory, 0)) {
            const int error = static_cast<int>(UTF_GetLastError());
            const std::string host = lqv::hostPath(temporaryDirectory);
            P3142_WorkingFolderFailure(host.empty() ? std::string(temporaryDirectory) : host, error);
        }
        m_loader = loader;

        if (trace) {
            m_trace = trace;
            LDOMDocument formatter(true, false);
            formatter.loadXML(P3142_TraceFormatterText());
            char charset[26] = "";
            UTC_GetIANACharset(0, 0, charset, sizeof charset);
            MSXMLDOM::setStylesheetOutputEncoding(formatter, charset);
            m_formatter.setStylesheet(formatter);
        }
    } catch (const ComError& e) {
        throw WdInlinerException("initialize", describe(e).c_str());
    } catch (const LException& e) {
        throw WdInlinerException("initialize", e.message());
    }
}

void WdWebletInliner::traceDom(int32_t level, const LDOMDocument& document)
{
    if (!traceEnabled(level))
        return;
    try {
        LMemoryStream stream(1, nullptr, 2048);
        m_formatter.transformToStream(document, stream);
        LCharBuffer text = LStream_ReadAllText(stream);
        m_trace->write(level, text.c_str() ? text.c_str() : "");
        m_trace->write(level, "");
    } catch (const LException& e) {
        WdXsltExtensions_trace(this, level, "Failed to format DOM: %s", e.message() ? e.message() : "");
    }
}

LDOMDocumentFragment WdWebletInliner::doInline(WdGenInlinerTsmlDoc& doc, const char* label)
{
    const char* heading = label ? label : "";
    try {
        if (traceEnabled(2)) {
            WdXsltExtensions_trace(this, 2, "\r\n%s inliner TSML document:", heading);
            traceDom(2, doc.document);
        }
        LDOMDocument input = m_webroutine.transformToDocument(doc.document, false);
        if (traceEnabled(2)) {
            WdXsltExtensions_trace(this, 2, "\r\n%s inliner input QVML:", heading);
            traceDom(2, input);
        }
        LDOMDocument webletXsl = m_inlineWeblet.transformToDocument(doc.document, true);
        if (traceEnabled(2)) {
            WdXsltExtensions_trace(this, 2, "\r\n%s inliner XSL stylesheet:", heading);
            traceDom(2, webletXsl);
        }
        if (m_loader) {
            std::set<LWString> hrefs;
            collectStylesheetImports(hrefs, webletXsl);
            for (const LWString& href : hrefs) {
                const std::string narrow = href.toMultiByte().c_str() ? href.toMultiByte().c_str() : "";
                const size_t slash = narrow.find_last_of('\\');
                ensureWebletXsl(wideOf((slash == std::string::npos ? narrow : narrow.substr(slash + 1)).c_str()));
            }
        }
        WdXsltExtensionsPtr plain(new WdXsltExtensions());
        WdInlinerStylesheet nested;
        nested.setExtensionObject(plain.get(), LWString(tsml::kWdNamespace));
        nested.setStylesheet(webletXsl, m_temporaryDirectory);
        LDOMDocument result = nested.transformToDocument(input, false);
        if (traceEnabled(2)) {
            WdXsltExtensions_trace(this, 2, "\r\n%s inliner result fragment:", heading);
            traceDom(2, result);
        }
        xmlNodePtr root = xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(result.raw()));
        if (!root)
            throw ComError(lcom::E_POINTER_);
        LDOMNode rootNode{MSXMLDOM::NodeRef(root)};
        LDOMNodeList children = rootNode.getChildNodes();
        const int32_t n = children.getLength();
        LDOMDocumentFragment fragment = result.createDocumentFragment();
        for (int32_t i = 0; i < n; ++i)
            fragment.appendChild(children.item(0));
        doc.reset(false);
        return fragment;
    } catch (const ComError& e) {
        WdXsltExtensions_trace(this, 0, "doInline: %s", describe(e).c_str());
        throw;
    } catch (const LException& e) {
        WdXsltExtensions_trace(this, 0, "doInline: %s", e.message() ? e.message() : "");
        throw ComError(lcom::E_FAIL_, "libxml2", e.message());
    }
}

// ---- the generation inliner's own function ------------------------------------------------

WdResult WdGenWebletInliner::GetIDsOfNames(const WdIid& iid, const char16_t* const* names, uint32_t count,
                                           uint32_t locale, int32_t* dispids)
{
    if (names && count > 0 && dispids && LWString(names[0]).compare(kInlineWeblet) == 0) {
        dispids[0] = kInlineWebletId;
        return wd::S_OK_;
    }
    return WdWebletInliner::GetIDsOfNames(iid, names, count, locale, dispids);
}

WdResult WdGenWebletInliner::Invoke(int32_t dispid, const WdIid& iid, uint32_t locale, uint16_t flags,
                                    WdDispParams* params, WdVariant* result, WdExcepInfo* exception,
                                    uint32_t* argumentError)
{
    if ((flags & 0xFFFF) != wd::DISPATCH_METHOD_)
        return wd::DISP_E_MEMBERNOTFOUND_;
    if (dispid == kInlineWebletId)
        return inlineWeblet(params, result, exception, argumentError);
    return WdWebletInliner::Invoke(dispid, iid, locale, flags, params, result, exception, argumentError);
}

std::vector<LWString> WdGenWebletInliner::functionNames() const
{
    std::vector<LWString> names = WdWebletInliner::functionNames();
    names.emplace_back(kInlineWeblet);
    return names;
}

namespace {

// The first element of a node-list argument, or null for an empty list.
xmlNodePtr firstElement(const WdVariant& argument)
{
    if (argument.nodes.empty())
        return nullptr;
    xmlNodePtr first = argument.nodes.front();
    if (!first || first->type != XML_ELEMENT_NODE)
        throw ComError(lcom::E_INVALIDARG_, "libxml2", "The first node of the argument is not an element.");
    return first;
}

LWString requiredName(xmlNodePtr element)
{
    xmlChar* name = xmlGetProp(element, BAD_CAST "name");
    if (!name)
        throw ComError(lcom::E_INVALIDARG_, "libxml2", "The element has no name attribute.");
    LWString result = LWString::fromUtf8(reinterpret_cast<const char*>(name));
    xmlFree(name);
    return result;
}

}  // namespace

WdResult WdGenWebletInliner::inlineWeblet(WdDispParams* params, WdVariant* result, WdExcepInfo* exception,
                                          uint32_t* argumentError)
{
    const size_t count = params ? params->args.size() : 0;
    if (count < 2)
        return wd::DISP_E_PARAMNOTFOUND_;
    if (count > 3)
        return wd::DISP_E_BADPARAMCOUNT_;
    WdXsltExtensions_trace(this, 1, "\r\ninlineWeblet() invoked with %d arguments", static_cast<int>(count));
    // The array holds the arguments last-first.
    const auto present = [&](size_t position) -> const WdVariant* {
        const WdVariant& v = params->args[count - 1 - position];
        return v.vt == WdVariant::Dispatch ? &v : nullptr;
    };
    try {
        LWString columnName(u""), webletName(u"");
        if (const WdVariant* column = present(0)) {
            if (xmlNodePtr element = firstElement(*column)) {
                columnName = requiredName(element);
                m_doc.setColumn(element);
            }
        }
        if (const WdVariant* weblet = present(1)) {
            if (xmlNodePtr element = firstElement(*weblet)) {
                m_doc.setWeblet(element);
                webletName = requiredName(element);
            }
        }
        if (count == 3) {
            if (const WdVariant* data = present(2); data && !data->nodes.empty() && data->nodes.front())
                m_doc.setRuntimeData(data->nodes.front());
        }
        if (traceEnabled(1) && present(0) && present(1)) {
            const std::string c = columnName.length() > 0 ? columnName.toUtf8() : "N/A";
            const std::string w = webletName.length() > 0 ? webletName.toUtf8() : "N/A";
            WdXsltExtensions_trace(this, 1, "Inlining of column %s with weblet %s started", c.c_str(), w.c_str());
        }
        const std::string label = columnName.toUtf8();
        LDOMDocumentFragment fragment = doInline(m_doc, label.empty() ? nullptr : label.c_str());
        if (result) {
            result->vt = WdVariant::Unknown;
            result->unknown = fragment;
        }
        WdXsltExtensions_traceLine(this, 1, "\r\ninlineWeblet() completed");
        return wd::S_OK_;
    } catch (const ComError& e) {
        m_doc.reset(true);
        if (exception) {
            exception->wCode = wd::kExceptionCode;
            exception->wReserved = 0;
            exception->source = LWString(u"");
            exception->description = LWString::fromUtf8(e.description() ? e.description() : "");
            exception->reserved = nullptr;
        }
        if (argumentError)
            *argumentError = 0;
        return wd::DISP_E_EXCEPTION_;
    } catch (const LDOMException& e) {
        m_doc.reset(true);
        if (exception) {
            exception->wCode = wd::kExceptionCode;
            exception->description = LWString::fromUtf8(e.message() ? e.message() : "");
        }
        if (argumentError)
            *argumentError = 0;
        return wd::DISP_E_EXCEPTION_;
    }
}

LComPtr<WdGenWebletInliner> createWebletInliner()
{
    auto* inliner = new WdGenWebletInliner();
    inliner->AddRef();
    return LComPtr<WdGenWebletInliner>(
        std::shared_ptr<WdGenWebletInliner>(inliner, [](WdGenWebletInliner* p) { p->Release(); }));
}

// Documents: creation, the selection namespaces, loading, factory methods.
#include "classlib/xml/dom_internal.h"

using namespace MSXMLDOM;

namespace {

constexpr const char* kDeclaration = "version=\"1.0\" encoding=\"UTF-8\"";

NodeRef createDocument(bool freeThreaded, bool withDeclaration)
{
    initXmlLibrary();
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    if (!doc)
        raise(lcom::E_OUTOFMEMORY_);
    auto holder = DocHolder::adopt(doc, freeThreaded);
    if (withDeclaration)
        addDeclarationNode(doc, kDeclaration);
    return NodeRef(reinterpret_cast<xmlNodePtr>(doc));
}

xmlDocPtr docOf(const NodeRef& ref)
{
    xmlNodePtr n = need(ref);
    if (n->type != XML_DOCUMENT_NODE)
        raise(lcom::E_POINTER_);
    return reinterpret_cast<xmlDocPtr>(n);
}

}  // namespace

LDOMDocument::LDOMDocument(bool freeThreaded, bool withDeclaration)
{
    m_ref = lcomGuard<LDOMException>([&] { return createDocument(freeThreaded, withDeclaration); });
}

void LDOMDocument::setProperty(int property, const LWString& value)
{
    if (property != LDOMProperty_SelectionNamespaces)
        throw LDOMException("Invalid property name");
    lcomGuard<LDOMException>([&] {
        docOf(m_ref);
        std::vector<std::pair<std::string, std::string>> pairs;
        if (!parseSelectionNamespaces(utf8(value), pairs))
            raise(lcom::E_FAIL_,
                  "The value of the SelectionNamespaces property is not a list of namespace declarations.");
        m_ref.holder()->setSelectionNamespaces(value);
    });
}

void LDOMDocument::setResolveExternals(bool on)
{
    lcomGuard<LDOMException>([&] {
        if (m_ref.isNull())
            m_ref = createDocument(true, true);
        docOf(m_ref);
        m_ref.holder()->setResolveExternals(on);
    });
}

namespace {

void loadInto(NodeRef& ref, ParseSource kind, const std::string& source)
{
    if (ref.isNull())
        ref = createDocument(true, true);
    docOf(ref);
    ParseResult r = parseXml(kind, source, ref.holder()->resolveExternals());
    if (!r.doc)
        throw LDOMException(r.error.c_str());
    dropWhitespaceText(reinterpret_cast<xmlNodePtr>(r.doc));
    ref.holder()->replaceDocument(r.doc);
}

}  // namespace

void LDOMDocument::load(const LWString& path)
{
    lcomGuard<LDOMException>([&] { loadInto(m_ref, ParseSource::File, utf8(path, "the file path to load")); });
}

void LDOMDocument::loadXML(const LWString& text)
{
    lcomGuard<LDOMException>([&] { loadInto(m_ref, ParseSource::Text, utf8(text, "the XML text to load")); });
}

LDOMElement LDOMDocument::createElementNS(const LWString& namespaceUri, const LWString& qualifiedName)
{
    xmlDocPtr doc = docOf(m_ref);
    std::string qname = utf8(qualifiedName, "the name of a new element"),
                uri = utf8(namespaceUri, "the namespace of a new element");
    if (qname.empty())
        raise(lcom::E_INVALIDARG_, "An element needs a name.");
    std::string prefix, local = qname;
    size_t colon = qname.find(':');
    if (colon != std::string::npos && !uri.empty()) {
        prefix = qname.substr(0, colon);
        local = qname.substr(colon + 1);
    }
    xmlNodePtr node = xmlNewDocNode(doc, nullptr, X(local), nullptr);
    if (!node)
        raise(lcom::E_OUTOFMEMORY_);
    m_ref.holder()->addOrphan(node);
    if (!uri.empty()) {
        xmlNsPtr ns = xmlNewNs(node, X(uri), prefix.empty() ? nullptr : X(prefix));
        if (!ns)
            raise(lcom::E_FAIL_, "The namespace declaration is not valid.");
        xmlSetNs(node, ns);
    }
    return LDOMElement(LDOMNode(NodeRef(node)));
}

LDOMAttribute LDOMDocument::createAttribute(const LWString& name)
{
    xmlDocPtr doc = docOf(m_ref);
    std::string n = utf8(name, "the name of a new attribute");
    if (n.empty())
        raise(lcom::E_INVALIDARG_, "An attribute needs a name.");
    xmlAttrPtr attr = xmlNewDocProp(doc, X(n), nullptr);
    if (!attr)
        raise(lcom::E_OUTOFMEMORY_);
    xmlNodePtr node = reinterpret_cast<xmlNodePtr>(attr);
    m_ref.holder()->addOrphan(node);
    return LDOMAttribute(LDOMNode(NodeRef(node)));
}

LDOMText LDOMDocument::createTextNode(const LWString& text)
{
    return lcomGuard<LDOMException>([&] {
        xmlDocPtr doc = docOf(m_ref);
        xmlNodePtr node = xmlNewDocText(doc, X(utf8(text, "the text of a new text node")));
        if (!node)
            raise(lcom::E_OUTOFMEMORY_);
        m_ref.holder()->addOrphan(node);
        return LDOMText(LDOMNode(NodeRef(node)));
    });
}

LDOMCDATASection LDOMDocument::createCDATASection(const LWString& text)
{
    xmlDocPtr doc = docOf(m_ref);
    std::string t = utf8(text, "the text of a new CDATA section");
    xmlNodePtr node = xmlNewCDataBlock(doc, X(t), static_cast<int>(t.size()));
    if (!node)
        raise(lcom::E_OUTOFMEMORY_);
    m_ref.holder()->addOrphan(node);
    return LDOMCDATASection(LDOMNode(NodeRef(node)));
}

LDOMDocumentFragment LDOMDocument::createDocumentFragment()
{
    xmlDocPtr doc = docOf(m_ref);
    xmlNodePtr node = xmlNewDocFragment(doc);
    if (!node)
        raise(lcom::E_OUTOFMEMORY_);
    m_ref.holder()->addOrphan(node);
    return LDOMDocumentFragment(LDOMNode(NodeRef(node)));
}

namespace {

void collectByName(xmlNodePtr node, const std::string& name, std::vector<NodeRef>& out)
{
    for (xmlNodePtr c = node->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (name == "*" || qualifiedName(c) == name)
            out.emplace_back(c);
        collectByName(c, name, out);
    }
}

}  // namespace

LDOMNodeList LDOMDocument::getElementsByTagName(const LWString& /*namespaceUri*/, const LWString& tagName) const
{
    xmlDocPtr doc = docOf(m_ref);
    std::vector<NodeRef> nodes;
    // Matches the name as written, prefix included; the namespace is not used.
    collectByName(reinterpret_cast<xmlNodePtr>(doc), utf8(tagName), nodes);
    return LDOMNodeList::snapshot(std::move(nodes));
}

LDOMElement P3142_CreateTsmlElement(LDOMDocument& doc, const LWString& tsmlNamespace, const LWString& localName,
                                    const LWString& text)
{
    LDOMElement element = doc.createElementNS(tsmlNamespace, LWString(u"tsml:") + localName);
    element.appendChild(doc.createTextNode(text));
    return element;
}

LDOMElement P3142_AddTsmlOption(LDOMDocument& doc, const LWString& tsmlNamespace, const LWString& optionName,
                                const LWString& text)
{
    LDOMElement element = doc.createElementNS(tsmlNamespace, LWString(u"tsml:option"));
    LDOMAttribute name = doc.createAttribute(LWString(u"name"));
    name.setValue(optionName);
    element.setAttributeNode(name);
    element.appendChild(doc.createTextNode(text));
    return element;
}

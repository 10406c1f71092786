// The document object layer over libxml2.
//
// libxml2 nodes carry no reference counts, so ownership lives in a control
// block per document (DocHolder): the document itself, the roots of every
// subtree detached from it (created, removed, cloned or replaced nodes) and
// the references that facades hold. A facade keeps its document's block
// alive; nothing is freed until the last facade of a document goes. When a
// node moves into another document, the facades that point into the moved
// subtree are handed over to the new document's block.
//
// Failures: operations that change a tree, load or select throw
// LDOMException with the failure text; reading operations raise ComError.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <unordered_set>
#include <vector>

#include "classlib/base/lexception.h"
#include "classlib/base/lstrings.h"
#include "classlib/xml/com_error.h"

namespace MSXMLDOM {

class NodeRef;

class DocHolder : public std::enable_shared_from_this<DocHolder> {
public:
    // Takes ownership of the document and marks it as held.
    static std::shared_ptr<DocHolder> adopt(xmlDocPtr doc, bool freeThreaded);
    // The block of a held document.
    static std::shared_ptr<DocHolder> of(xmlDocPtr doc);
    ~DocHolder();
    DocHolder(const DocHolder&) = delete;
    DocHolder& operator=(const DocHolder&) = delete;

    xmlDocPtr doc() const { return m_doc; }
    bool freeThreaded() const { return m_freeThreaded; }
    // Replaces the document by another (after a load); the old one stays
    // alive for facades that still point into it.
    void replaceDocument(xmlDocPtr doc);

    void addOrphan(xmlNodePtr node) { m_orphans.insert(node); }
    void dropOrphan(xmlNodePtr node) { m_orphans.erase(node); }

    const LWString& selectionNamespaces() const { return m_selectionNamespaces; }
    void setSelectionNamespaces(const LWString& ns) { m_selectionNamespaces = ns; }
    bool resolveExternals() const { return m_resolveExternals; }
    void setResolveExternals(bool on) { m_resolveExternals = on; }

    // Hands the references into subtrees that now belong to another document
    // over to that document's block.
    void retargetMovedRefs();

private:
    friend class NodeRef;
    DocHolder(xmlDocPtr doc, bool freeThreaded) : m_doc(doc), m_freeThreaded(freeThreaded) {}

    xmlDocPtr m_doc;
    bool m_freeThreaded;
    std::vector<xmlDocPtr> m_retired;
    std::unordered_set<xmlNodePtr> m_orphans;
    std::unordered_set<NodeRef*> m_refs;
    LWString m_selectionNamespaces;
    bool m_resolveExternals = false;
};

// A counted reference to one node (or to a document, as its node).
class NodeRef {
public:
    NodeRef() = default;
    explicit NodeRef(xmlNodePtr node);
    NodeRef(const NodeRef& other);
    NodeRef& operator=(const NodeRef& other);
    ~NodeRef();

    xmlNodePtr node() const { return m_node; }
    DocHolder* holder() const { return m_holder.get(); }
    bool isNull() const { return m_node == nullptr; }

private:
    friend class DocHolder;
    void attach();
    void detach();
    std::shared_ptr<DocHolder> m_holder;
    xmlNodePtr m_node = nullptr;
};

// The one holder of a node that every facade derives from.
class DOMBaseImpl {
public:
    DOMBaseImpl() = default;
    explicit DOMBaseImpl(const NodeRef& ref) : m_ref(ref) {}
    virtual ~DOMBaseImpl() = default;
    bool isNull() const { return m_ref.isNull(); }
    const NodeRef& ref() const { return m_ref; }
    xmlNodePtr raw() const { return m_ref.node(); }

protected:
    NodeRef m_ref;
};

class DOMNodeImpl : public DOMBaseImpl {
public:
    using DOMBaseImpl::DOMBaseImpl;
    LWString getNodeValue() const;
    NodeRef selectSingleNode(const LWString& xpath) const;
    static NodeRef cloneNode(const NodeRef& node, bool deep);
};

void initXmlLibrary();

}  // namespace MSXMLDOM

class LDOMNodeList;
class LDOMNamedNodeMap;
class LDOMDocument;

class LDOMNode : public MSXMLDOM::DOMNodeImpl {
public:
    using DOMNodeImpl::DOMNodeImpl;
    LDOMNode() = default;

    // Group B: raise ComError.
    LWString getNodeName() const;
    LWString getNodeValue() const;
    LWString getXml() const;
    LDOMNode getFirstChild() const;
    LDOMNodeList getChildNodes() const;
    LDOMNamedNodeMap getAttributes() const;
    LDOMNode cloneNode(bool deep) const;
    // Group A: throw LDOMException.
    LDOMNode appendChild(const LDOMNode& newChild);
    LDOMNode insertBefore(const LDOMNode& newChild, const LDOMNode& refChild);
    LDOMNode removeChild(const LDOMNode& child);
    void removeChildren();
    void setNodeValue(const LWString& value);
    LDOMNode selectSingleNode(const LWString& xpath) const;
    LDOMNodeList selectNodes(const LWString& xpath) const;
    // Transformation of source by stylesheet; the output bytes.
    static LCharBuffer transformNode(const LDOMNode& source, const LDOMNode& stylesheet);

    bool sameNode(const LDOMNode& other) const { return raw() == other.raw(); }
};

class LDOMElement : public LDOMNode {
public:
    LDOMElement() = default;
    LDOMElement(const LDOMNode& node) : LDOMNode(node.ref()) {}  // NOLINT: unchecked, as any typed facade
    class LDOMAttribute setAttributeNode(const class LDOMAttribute& attribute);
    class LDOMAttribute removeAttributeNode(const class LDOMAttribute& attribute);
};

class LDOMAttribute : public LDOMNode {
public:
    LDOMAttribute() = default;
    LDOMAttribute(const LDOMNode& node) : LDOMNode(node.ref()) {}  // NOLINT
    void setValue(const LWString& value);
};

class LDOMCharacterData : public LDOMNode {
public:
    LDOMCharacterData() = default;
    LDOMCharacterData(const LDOMNode& node) : LDOMNode(node.ref()) {}  // NOLINT
    // Never throws LDOMException: falls back to "???", then gives up silently.
    void setData(const LWString& text);
};

class LDOMText : public LDOMCharacterData {
public:
    LDOMText() = default;
    LDOMText(const LDOMNode& node) : LDOMCharacterData(node) {}  // NOLINT
};

class LDOMCDATASection : public LDOMText {
public:
    LDOMCDATASection() = default;
    LDOMCDATASection(const LDOMNode& node) : LDOMText(node) {}  // NOLINT
};

class LDOMDocumentFragment : public LDOMNode {
public:
    LDOMDocumentFragment() = default;
    LDOMDocumentFragment(const LDOMNode& node) : LDOMNode(node.ref()) {}  // NOLINT
};

enum LDOMPropertyId { LDOMProperty_SelectionNamespaces = 1 };

class LDOMDocument : public LDOMNode {
public:
    // An empty holder: a document not yet created (load creates one).
    LDOMDocument() = default;
    LDOMDocument(bool freeThreaded, bool withDeclaration);
    LDOMDocument(const LDOMNode& node) : LDOMNode(node.ref()) {}  // NOLINT

    void setProperty(int property, const LWString& value);
    // Whether later loads read an external document type and external
    // entities (local files only; never the network). Off unless set: a
    // document's text then cannot pull other files into it.
    void setResolveExternals(bool on);
    void load(const LWString& path);
    void loadXML(const LWString& text);

    LDOMElement createElementNS(const LWString& namespaceUri, const LWString& qualifiedName);
    LDOMAttribute createAttribute(const LWString& name);
    LDOMText createTextNode(const LWString& text);
    LDOMCDATASection createCDATASection(const LWString& text);
    LDOMDocumentFragment createDocumentFragment();
    LDOMNodeList getElementsByTagName(const LWString& namespaceUri, const LWString& tagName) const;
};

class LDOMNodeList {
public:
    LDOMNodeList() = default;
    // A live list of the children of parent.
    static LDOMNodeList children(const MSXMLDOM::NodeRef& parent);
    // A fixed list of nodes.
    static LDOMNodeList snapshot(std::vector<MSXMLDOM::NodeRef> nodes);

    int32_t getLength() const;
    LDOMNode item(int32_t index) const;
    bool isNull() const { return !m_live && !m_isSnapshot; }

private:
    bool m_live = false;
    bool m_isSnapshot = false;
    MSXMLDOM::NodeRef m_parent;
    std::vector<MSXMLDOM::NodeRef> m_nodes;
};

class LDOMNamedNodeMap {
public:
    LDOMNamedNodeMap() = default;
    explicit LDOMNamedNodeMap(const MSXMLDOM::NodeRef& element) : m_element(element) {}
    LDOMNode getNamedItem(const LWString& name) const;
    bool isNull() const { return m_element.isNull(); }

private:
    MSXMLDOM::NodeRef m_element;
};

// The smaller family of facades used by the stylesheet code.
class XsltDomNamedNodeMap;

class XsltDomNode : public MSXMLDOM::DOMNodeImpl {
public:
    using DOMNodeImpl::DOMNodeImpl;
    XsltDomNode() = default;
    XsltDomNode(const LDOMNode& node) : DOMNodeImpl(node.ref()) {}  // NOLINT
    LWString getNodeValue() const { return DOMNodeImpl::getNodeValue(); }
    XsltDomNode getFirstChild() const;
    XsltDomNamedNodeMap getAttributes() const;
    XsltDomNode selectSingleNode(const LWString& xpath) const;
};

class XsltDomDocument : public XsltDomNode {
public:
    XsltDomDocument() = default;
    XsltDomDocument(const LDOMDocument& doc) : XsltDomNode(doc) {}  // NOLINT
    LDOMDocument asDocument() const { return LDOMDocument(LDOMNode(ref())); }
};

class XsltDomNamedNodeMap {
public:
    XsltDomNamedNodeMap() = default;
    explicit XsltDomNamedNodeMap(const LDOMNamedNodeMap& map) : m_map(map) {}
    XsltDomNode getNamedItem(const LWString& name) const { return XsltDomNode(m_map.getNamedItem(name)); }

private:
    LDOMNamedNodeMap m_map;
};

// Generation-metadata elements: "tsml:<local>" in the generation-metadata
// namespace (given by the caller, who keeps it as a constant) with a text
// child, and "tsml:option" with a name attribute; returned detached.
LDOMElement P3142_CreateTsmlElement(LDOMDocument& doc, const LWString& tsmlNamespace, const LWString& localName,
                                    const LWString& text);
LDOMElement P3142_AddTsmlOption(LDOMDocument& doc, const LWString& tsmlNamespace, const LWString& optionName,
                                const LWString& text);

// Node, element, attribute and character-data operations; lists and maps.
#include "classlib/xml/dom_internal.h"

namespace MSXMLDOM {

LWString DOMNodeImpl::getNodeValue() const
{
    xmlNodePtr n = need(m_ref);
    switch (n->type) {
    case XML_ATTRIBUTE_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE: {
        xmlChar* content = xmlNodeGetContent(n);
        LWString value = content ? wide(content) : LWString(u"");
        xmlFree(content);
        return value;
    }
    default:
        // Elements, documents and fragments have a null value, which does not
        // convert to text.
        raise(lcom::DISP_E_TYPEMISMATCH_, "The node has no value.");
    }
}

NodeRef DOMNodeImpl::selectSingleNode(const LWString& xpath) const
{
    auto nodes = selectXPath(m_ref, xpath, true);
    return nodes.empty() ? NodeRef() : nodes.front();
}

NodeRef DOMNodeImpl::cloneNode(const NodeRef& ref, bool deep)
{
    xmlNodePtr n = need(ref);
    if (n->type == XML_DOCUMENT_NODE) {
        xmlDocPtr copy = xmlCopyDoc(reinterpret_cast<xmlDocPtr>(n), deep ? 1 : 0);
        if (!copy)
            raise(lcom::E_OUTOFMEMORY_);
        auto holder = DocHolder::adopt(copy, ref.holder()->freeThreaded());
        holder->setSelectionNamespaces(ref.holder()->selectionNamespaces());
        return NodeRef(reinterpret_cast<xmlNodePtr>(copy));
    }
    // 2 copies attributes and namespaces without children.
    xmlNodePtr copy = xmlDocCopyNode(n, n->doc, deep ? 1 : 2);
    if (!copy)
        raise(lcom::E_OUTOFMEMORY_);
    ref.holder()->addOrphan(copy);
    return NodeRef(copy);
}

}  // namespace MSXMLDOM

using namespace MSXMLDOM;

// ---- LDOMNode ---------------------------------------------------------------

LWString LDOMNode::getNodeName() const
{
    return LWString::fromUtf8(qualifiedName(need(m_ref)).c_str());
}

LWString LDOMNode::getNodeValue() const
{
    return DOMNodeImpl::getNodeValue();
}

LWString LDOMNode::getXml() const
{
    std::string text = serialise(need(m_ref));
    return LWString::fromUtf8(text.data(), text.size());
}

LDOMNode LDOMNode::getFirstChild() const
{
    xmlNodePtr n = need(m_ref);
    return LDOMNode(NodeRef(n->children));
}

LDOMNodeList LDOMNode::getChildNodes() const
{
    need(m_ref);
    return LDOMNodeList::children(m_ref);
}

LDOMNamedNodeMap LDOMNode::getAttributes() const
{
    xmlNodePtr n = need(m_ref);
    if (n->type != XML_ELEMENT_NODE)
        return LDOMNamedNodeMap();
    return LDOMNamedNodeMap(m_ref);
}

LDOMNode LDOMNode::cloneNode(bool deep) const
{
    return LDOMNode(DOMNodeImpl::cloneNode(m_ref, deep));
}

LDOMNode LDOMNode::appendChild(const LDOMNode& newChild)
{
    return lcomGuard<LDOMException>([&] { return LDOMNode(NodeRef(insertNode(m_ref, newChild.ref(), nullptr))); });
}

LDOMNode LDOMNode::insertBefore(const LDOMNode& newChild, const LDOMNode& refChild)
{
    return lcomGuard<LDOMException>(
        [&] { return LDOMNode(NodeRef(insertNode(m_ref, newChild.ref(), &refChild.ref()))); });
}

LDOMNode LDOMNode::removeChild(const LDOMNode& child)
{
    return lcomGuard<LDOMException>([&] { return LDOMNode(NodeRef(detachNode(m_ref, child.ref()))); });
}

void LDOMNode::removeChildren()
{
    lcomGuard<LDOMException>([&] {
        need(m_ref);
        LDOMNodeList list = LDOMNodeList::children(m_ref);
        int32_t length = list.getLength();
        // The list is live: every removal brings the next child to index 0.
        for (int32_t i = 0; i < length; ++i)
            detachNode(m_ref, list.item(0).ref());
    });
}

namespace {

// Replaces an attribute's children by one text node; the old children stay
// alive as detached nodes, since facades may point at them.
void setAttributeText(xmlNodePtr attr, const LWString& value)
{
    std::string text = utf8(value, describeNode(attr));
    auto holder = DocHolder::of(attr->doc);
    while (xmlNodePtr c = attr->children) {
        xmlUnlinkNode(c);
        holder->addOrphan(c);
    }
    xmlNodePtr t = xmlNewDocText(attr->doc, X(text));
    if (!t)
        raise(lcom::E_OUTOFMEMORY_);
    t->parent = attr;
    attr->children = attr->last = t;
}

void setCharacterData(xmlNodePtr n, const LWString& value)
{
    std::string text = utf8(value, "the new text of " + describeNode(n));
    xmlNodeSetContent(n, X(text));
}

}  // namespace

void LDOMNode::setNodeValue(const LWString& value)
{
    lcomGuard<LDOMException>([&] {
        xmlNodePtr n = need(m_ref);
        switch (n->type) {
        case XML_ATTRIBUTE_NODE: setAttributeText(n, value); break;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
        case XML_COMMENT_NODE:
        case XML_PI_NODE: setCharacterData(n, value); break;
        default: raise(lcom::E_FAIL_, "This operation cannot be performed on a node of this type.");
        }
    });
}

LDOMNode LDOMNode::selectSingleNode(const LWString& xpath) const
{
    return lcomGuard<LDOMException>([&] { return LDOMNode(DOMNodeImpl::selectSingleNode(xpath)); });
}

LDOMNodeList LDOMNode::selectNodes(const LWString& xpath) const
{
    return lcomGuard<LDOMException>([&] { return LDOMNodeList::snapshot(selectXPath(m_ref, xpath, false)); });
}

// ---- elements, attributes, character data -----------------------------------

namespace {

xmlNodePtr asType(const NodeRef& ref, std::initializer_list<xmlElementType> types)
{
    xmlNodePtr n = ref.node();
    if (!n)
        return nullptr;
    for (auto t : types)
        if (n->type == t)
            return n;
    return nullptr;
}

}  // namespace

LDOMAttribute LDOMElement::setAttributeNode(const LDOMAttribute& attribute)
{
    return lcomGuard<LDOMException>([&] {
        xmlNodePtr elem = asType(m_ref, {XML_ELEMENT_NODE});
        if (!elem)
            raise(lcom::E_POINTER_);
        xmlNodePtr attr = asType(attribute.ref(), {XML_ATTRIBUTE_NODE});
        if (!attr)
            raise(lcom::E_INVALIDARG_, "No attribute was given.");
        if (attr->parent == elem)
            return LDOMAttribute();
        if (attr->parent)
            raise(lcom::E_FAIL_, "The attribute already belongs to another element.");
        auto source = DocHolder::of(attr->doc);
        source->dropOrphan(attr);
        if (attr->doc != elem->doc) {
            if (xmlDOMWrapAdoptNode(nullptr, attr->doc, attr, elem->doc, elem, 0) != 0) {
                source->addOrphan(attr);
                raise(lcom::E_FAIL_, "The attribute could not be moved into the other document.");
            }
        }
        // An attribute of the same name is replaced and handed back.
        std::string name = qualifiedName(attr);
        LDOMAttribute replaced;
        for (xmlAttrPtr a = elem->properties; a; a = a->next) {
            if (qualifiedName(reinterpret_cast<xmlNodePtr>(a)) == name) {
                xmlNodePtr old = reinterpret_cast<xmlNodePtr>(a);
                xmlUnlinkNode(old);
                DocHolder::of(elem->doc)->addOrphan(old);
                replaced = LDOMAttribute(LDOMNode(NodeRef(old)));
                break;
            }
        }
        xmlAttrPtr a = reinterpret_cast<xmlAttrPtr>(attr);
        a->parent = elem;
        a->next = nullptr;
        a->prev = nullptr;
        if (!elem->properties) {
            elem->properties = a;
        } else {
            xmlAttrPtr last = elem->properties;
            while (last->next)
                last = last->next;
            last->next = a;
            a->prev = last;
        }
        if (source->doc() != elem->doc)
            source->retargetMovedRefs();
        return replaced;
    });
}

LDOMAttribute LDOMElement::removeAttributeNode(const LDOMAttribute& attribute)
{
    return lcomGuard<LDOMException>([&] {
        xmlNodePtr elem = asType(m_ref, {XML_ELEMENT_NODE});
        if (!elem)
            raise(lcom::E_POINTER_);
        xmlNodePtr attr = asType(attribute.ref(), {XML_ATTRIBUTE_NODE});
        if (!attr || attr->parent != elem)
            raise(lcom::E_INVALIDARG_, "The attribute does not belong to this element.");
        xmlUnlinkNode(attr);
        DocHolder::of(elem->doc)->addOrphan(attr);
        return LDOMAttribute(LDOMNode(NodeRef(attr)));
    });
}

void LDOMAttribute::setValue(const LWString& value)
{
    lcomGuard<LDOMException>([&] {
        xmlNodePtr attr = asType(m_ref, {XML_ATTRIBUTE_NODE});
        if (!attr)
            raise(lcom::E_POINTER_);
        setAttributeText(attr, value);
    });
}

void LDOMCharacterData::setData(const LWString& text)
{
    auto set = [&](const LWString& value) {
        lcomGuard<LDOMException>([&] {
            xmlNodePtr n = asType(m_ref, {XML_TEXT_NODE, XML_CDATA_SECTION_NODE, XML_COMMENT_NODE});
            if (!n)
                raise(lcom::E_POINTER_);
            setCharacterData(n, value);
        });
    };
    try {
        set(text);
    } catch (const LDOMException&) {
        try {
            set(LWString(u"???"));
        } catch (const LDOMException&) {
            // The node keeps its data; the caller is not told.
        }
    }
}

// ---- lists and maps ----------------------------------------------------------

LDOMNodeList LDOMNodeList::children(const NodeRef& parent)
{
    LDOMNodeList l;
    l.m_live = true;
    l.m_parent = parent;
    return l;
}

LDOMNodeList LDOMNodeList::snapshot(std::vector<NodeRef> nodes)
{
    LDOMNodeList l;
    l.m_isSnapshot = true;
    l.m_nodes = std::move(nodes);
    return l;
}

int32_t LDOMNodeList::getLength() const
{
    if (m_isSnapshot)
        return static_cast<int32_t>(m_nodes.size());
    if (!m_live)
        raise(lcom::E_POINTER_);
    int32_t n = 0;
    for (xmlNodePtr c = m_parent.node()->children; c; c = c->next)
        ++n;
    return n;
}

LDOMNode LDOMNodeList::item(int32_t index) const
{
    if (m_isSnapshot) {
        if (index < 0 || index >= static_cast<int32_t>(m_nodes.size()))
            return LDOMNode();
        return LDOMNode(m_nodes[index]);
    }
    if (!m_live)
        raise(lcom::E_POINTER_);
    if (index < 0)
        return LDOMNode();
    xmlNodePtr c = m_parent.node()->children;
    for (int32_t i = 0; c && i < index; ++i)
        c = c->next;
    return LDOMNode(NodeRef(c));
}

LDOMNode LDOMNamedNodeMap::getNamedItem(const LWString& name) const
{
    xmlNodePtr elem = need(m_element);
    std::string wanted = utf8(name);
    for (xmlAttrPtr a = elem->properties; a; a = a->next)
        if (qualifiedName(reinterpret_cast<xmlNodePtr>(a)) == wanted)
            return LDOMNode(NodeRef(reinterpret_cast<xmlNodePtr>(a)));
    return LDOMNode();
}

// ---- stylesheet facades --------------------------------------------------------

XsltDomNode XsltDomNode::getFirstChild() const
{
    return XsltDomNode(NodeRef(need(m_ref)->children));
}

XsltDomNamedNodeMap XsltDomNode::getAttributes() const
{
    return XsltDomNamedNodeMap(LDOMNode(m_ref).getAttributes());
}

XsltDomNode XsltDomNode::selectSingleNode(const LWString& xpath) const
{
    return lcomGuard<LDOMException>([&] { return XsltDomNode(DOMNodeImpl::selectSingleNode(xpath)); });
}

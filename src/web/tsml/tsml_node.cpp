// TSML nodes: the node itself, field nodes and list nodes, the list-node
// factory, copying, clearing, serialising and transforming.
#include "web/tsml/tsml_node.h"

#include <cstdio>

#include "web/tsml/tsml_names.h"

using namespace tsml;

// ---- TsmlNode -------------------------------------------------------------------

TsmlNodeImpl::TsmlNodeImpl(LDOMDocument* doc, uint32_t inlineMode)
    : document(doc), weblets(*doc), selectOnes(*doc), inlineMode(inlineMode)
{
    data = element(*doc, u"tsml:data");
    webletList = element(*doc, u"tsml:weblets");
    qvmlData = element(*doc, u"tsml:qvml-data");
    declareNamespace(qvmlData, "qvml", kQvmlNamespace);
}

TsmlNode::TsmlNode(LDOMDocument* doc, int kind, uint32_t inlineMode)
    : m_node(std::make_unique<TsmlNodeImpl>(doc, inlineMode))
{
    attachSections();
    doc->appendChild(m_node->data);
    LDOMAttribute full = doc->createAttribute(LWString(u"full-document"));
    if (kind == 0)
        full.setValue(u"true");
    if (kind == 1)
        full.setValue(u"false");
    m_node->data.setAttributeNode(full);
    attach(*doc, m_node->data, u"inline", LWString(inlineMode == 1 ? u"lists" : u"none"));
    doc->setProperty(LDOMProperty_SelectionNamespaces, tsmlSelection());
}

TsmlNode::TsmlNode(const TsmlNode& other) : m_node(TsmlCopyImpl(other.m_node)) {}

TsmlNode::~TsmlNode() = default;

TsmlNode& TsmlNode::operator=(const TsmlNode& other)
{
    if (this != &other)
        TsmlAssignImpl(m_node, other.m_node);
    return *this;
}

void TsmlNode::clear()
{
    m_node->webletList.removeChildren();
    m_node->qvmlData.removeChildren();
    m_node->data.removeChildren();
    attachSections();
}

LWString& TsmlNode::getXml(LWString& out) const
{
    out = m_node->document->getXml();
    return out;
}

LCharBuffer TsmlNode::transform(const LDOMNode& stylesheet) const
{
    try {
        return LDOMNode::transformNode(*m_node->document, stylesheet);
    } catch (const LXSLTException& e) {
        throw TSMLException(e.message());
    }
}

void TsmlNode::attachSections()
{
    m_node->data.appendChild(m_node->webletList);
    m_node->data.appendChild(m_node->qvmlData);
}

LDOMNode TsmlNode::appendToData(const LDOMNode& node)
{
    return m_node->data.appendChild(node);
}

LDOMNode TsmlNode::insertFirstInData(const LDOMNode& node)
{
    LDOMNode first = m_node->data.getFirstChild();
    return first.isNull() ? m_node->data.appendChild(node) : m_node->data.insertBefore(node, first);
}

LDOMNode TsmlNode::removeFromData(const LDOMNode& node)
{
    return m_node->data.removeChild(node);
}

LDOMNode TsmlNode::insertIntoDataBefore(const LDOMNode& node, const LWString& name)
{
    LDOMNodeList children = m_node->data.getChildNodes();
    for (int32_t i = 0; i < children.getLength(); ++i) {
        LDOMNode child = children.item(i);
        if (child.getNodeName().compare(name) == 0)
            return m_node->data.insertBefore(node, child);
    }
    return m_node->data.appendChild(node);
}

void TsmlNode::clearWeblets()
{
    m_node->webletList.removeChildren();
}

void TsmlNode::clearQvmlData()
{
    m_node->qvmlData.removeChildren();
}

bool TsmlNode::isWebletUnlisted(const LWString& name) const
{
    // The listed names are compared as wholes, so a quote in a name cannot
    // change the query.
    LDOMNodeList listed = m_node->document->selectNodes(u"/tsml:data/tsml:weblets/tsml:weblet[@name]");
    for (int32_t i = 0; i < listed.getLength(); ++i)
        if (attributeValue(listed.item(i), u"name").compare(name) == 0)
            return false;
    return true;
}

void TsmlNode::addSelectOne(const TsmlFieldRecord& field, WebletReference& reference)
{
    if (field.valueCount == 0 || !reference.hasWeblet())
        return;
    LWString id = P3142_MakeGuidString();
    m_node->qvmlData.appendChild(
        m_node->selectOnes.build(reference.set->name, id, field.valueCount, field.values, m_node->codePage));
    reference.selectOneId = id;
}

void TsmlNode::addWeblet(const TechServiceSet& set)
{
    try {
        if (!isWebletUnlisted(set.name))
            return;
        m_node->webletList.appendChild(m_node->weblets.build(set));
    } catch (const LDOMException& e) {
        throw TSMLException(e.message());
    }
}

LDOMElement TsmlNode::buildField(FieldFactory& factory, const TsmlFieldRecord& field, const TechServiceSet& set)
{
    WebletReference reference{&set, LWString()};
    addSelectOne(field, reference);
    return factory.build(field, &m_node->codePage, reference);
}

std::unique_ptr<ListTsmlNode> TsmlNode::createListNode(const ListInfo& list)
{
    return makeListNode(*this, list);
}

// ---- FieldTsmlNode ----------------------------------------------------------------

FieldTsmlNode::FieldTsmlNode(LDOMDocument* doc, uint32_t inlineMode)
    : TsmlNode(doc, 1, inlineMode), m_field(std::make_unique<FieldTsmlNodeImpl>(*doc))
{}

FieldTsmlNode::FieldTsmlNode(const FieldTsmlNode& other) : TsmlNode(other), m_field(TsmlCopyImpl(other.m_field)) {}

FieldTsmlNode::~FieldTsmlNode() = default;

FieldTsmlNode& FieldTsmlNode::operator=(const FieldTsmlNode& other)
{
    if (this == &other)
        return *this;
    TsmlNode::operator=(other);
    TsmlAssignImpl(m_field, other.m_field);
    return *this;
}

void FieldTsmlNode::addField(const TsmlFieldRecord& field, const TechServiceSet& set)
{
    appendToData(buildField(m_field->fields, field, set));
    if (!set.isEmpty())
        addWeblet(set);
}

// ---- list nodes ---------------------------------------------------------------------

ListTsmlNode& ListTsmlNode::operator=(const ListTsmlNode& other)
{
    TsmlNode::operator=(other);
    return *this;
}

XmlListTsmlNodeImpl::XmlListTsmlNodeImpl(LDOMDocument& doc, const ListInfo& info, uint32_t inlineMode)
    : headers(doc), columns(doc)
{
    list = element(doc, u"tsml:list");
    mode = element(doc, u"tsml:mode");
    modeText = doc.createTextNode(fieldModeName(info.ulMode));
    listHeader = element(doc, u"tsml:list-header");
    listEntries = element(doc, u"tsml:list-entries");
    entry = element(doc, u"tsml:entry");
    hidden = info.ulMode == 0;
    attach(doc, list, u"name", LWString::fromMultiByte(info.szName));
    const char16_t* inlineText = u"default";
    if (info.ulInline == 1) {
        inlineText = u"true";
        inlined = true;
    } else if (info.ulInline == 2) {
        inlineText = u"false";
        inlined = false;
    } else {
        inlined = inlineMode == 1;
    }
    attach(doc, list, u"inline", LWString(inlineText));
}

XmlListTsmlNode::XmlListTsmlNode(LDOMDocument* doc, const ListInfo& list, uint32_t inlineMode)
    : ListTsmlNode(doc, list, inlineMode), m_list(std::make_unique<XmlListTsmlNodeImpl>(*doc, list, inlineMode))
{
    attachToLists();
}

XmlListTsmlNode::XmlListTsmlNode(const TsmlNode& parent, const ListInfo& list)
    : ListTsmlNode(parent),
      m_list(std::make_unique<XmlListTsmlNodeImpl>(*parent.getDocument(), list, parent.inlineMode()))
{
    attachToLists();
}

XmlListTsmlNode::XmlListTsmlNode(const XmlListTsmlNode& other) : ListTsmlNode(other), m_list(TsmlCopyImpl(other.m_list))
{}

XmlListTsmlNode::~XmlListTsmlNode() = default;

XmlListTsmlNode& XmlListTsmlNode::operator=(const XmlListTsmlNode& other)
{
    if (this == &other)
        return *this;
    ListTsmlNode::operator=(other);
    TsmlAssignImpl(m_list, other.m_list);
    return *this;
}

namespace {

// The document's tsml:lists, created and placed under tsml:data when the
// document has none yet.
LDOMElement documentLists(LDOMDocument& doc, LDOMElement& data)
{
    LDOMNode found = doc.selectSingleNode(u"/tsml:data/tsml:lists");
    if (!found.isNull())
        return found;
    LDOMElement lists = TsmlCreateListsElement(doc);
    data.appendChild(lists);
    return lists;
}

}  // namespace

void XmlListTsmlNode::attachToLists()
{
    XmlListTsmlNodeImpl& l = *m_list;
    l.lists = documentLists(*getDocument(), dataElement());
    l.lists.appendChild(l.list);
    l.mode.appendChild(l.modeText);
    l.listEntries.appendChild(l.entry);
    l.list.appendChild(l.mode);
    l.list.appendChild(l.listHeader);
    l.list.appendChild(l.listEntries);
}

void XmlListTsmlNode::addColumn(const TsmlFieldRecord& field, const TechServiceSet& set)
{
    XmlListTsmlNodeImpl& l = *m_list;
    l.listHeader.appendChild(l.headers.build(field, &m_node->codePage));
    WebletReference reference{&set, LWString()};
    addSelectOne(field, reference);
    l.entry.appendChild(l.columns.build(field, reference, m_node->codePage));
    if (!set.isEmpty())
        addWeblet(set);
}

JsonListTsmlNode::JsonListTsmlNode(LDOMDocument* doc, const ListInfo& list, uint32_t inlineMode)
    : ListTsmlNode(doc, list, inlineMode), m_json(std::make_unique<JsonListTsmlNodeImpl>(*doc, list))
{
    attachToLists();
}

JsonListTsmlNode::JsonListTsmlNode(const TsmlNode& parent, const ListInfo& list)
    : ListTsmlNode(parent), m_json(std::make_unique<JsonListTsmlNodeImpl>(*parent.getDocument(), list))
{
    attachToLists();
}

JsonListTsmlNode::JsonListTsmlNode(const JsonListTsmlNode& other)
    : ListTsmlNode(other), m_json(TsmlCopyImpl(other.m_json))
{}

JsonListTsmlNode::~JsonListTsmlNode() = default;

JsonListTsmlNode& JsonListTsmlNode::operator=(const JsonListTsmlNode& other)
{
    if (this == &other)
        return *this;
    ListTsmlNode::operator=(other);
    TsmlAssignImpl(m_json, other.m_json);
    return *this;
}

void JsonListTsmlNode::attachToLists()
{
    LDOMElement lists = documentLists(*getDocument(), dataElement());
    lists.appendChild(m_json->jsonList);
}

std::unique_ptr<ListTsmlNode> makeListNode(LDOMDocument* doc, const ListInfo& list, uint32_t inlineMode)
{
    if (list.ulOutputFormat != 0)
        return std::make_unique<JsonListTsmlNode>(doc, list, inlineMode);
    return std::make_unique<XmlListTsmlNode>(doc, list, inlineMode);
}

std::unique_ptr<ListTsmlNode> makeListNode(const TsmlNode& parent, const ListInfo& list)
{
    if (list.ulOutputFormat != 0)
        return std::make_unique<JsonListTsmlNode>(parent, list);
    return std::make_unique<XmlListTsmlNode>(parent, list);
}

// Ownership of libxml2 documents and nodes behind the facades.
#include <libxml/parser.h>
#include <libxslt/documents.h>
#include <libxslt/extensions.h>
#include <libxslt/extra.h>
#include <libxslt/functions.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltutils.h>

#include <mutex>

#include "classlib/base/timing.h"
#include "classlib/xml/dom_internal.h"

namespace MSXMLDOM {
namespace {

xsltDocLoaderFunc g_defaultLoader = nullptr;

// Documents that stylesheets import, include or read with document() are
// never fetched from the network, and read no external resource of their
// own (a refused one leaves the document unread, so document() answers an
// empty node set and an import fails).
xmlDocPtr loadWithoutNetwork(const xmlChar* uri, xmlDictPtr dict, int options, void* ctxt, xsltLoadType type)
{
    std::string refused;
    const char* url = reinterpret_cast<const char*>(uri);
    xmlDocPtr doc = loadWithoutExternals(
        url, [&] { return g_defaultLoader(uri, dict, (options | XML_PARSE_NONET) & ~XML_PARSE_DTDLOAD, ctxt, type); },
        refused);
    if (doc && !refused.empty()) {
        xsltGenericError(xsltGenericErrorContext, "%s refers to the external resource %s, which is not read\n", url,
                         refused.c_str());
        xmlFreeDoc(doc);
        return nullptr;
    }
    return doc;
}

}  // namespace

void initXmlLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // Stylesheets that call node-set() in the msxsl namespace run unchanged.
        xsltRegisterExtModuleFunction(BAD_CAST "node-set", BAD_CAST "urn:schemas-microsoft-com:xslt",
                                      xsltFunctionNodeSet);
        g_defaultLoader = xsltDocDefaultLoader;
        xsltSetLoaderFunc(loadWithoutNetwork);
        installEntityGuard();
    });
}

std::shared_ptr<DocHolder> DocHolder::adopt(xmlDocPtr doc, bool freeThreaded)
{
    initXmlLibrary();
    std::shared_ptr<DocHolder> h(new DocHolder(doc, freeThreaded));
    doc->_private = h.get();
    return h;
}

std::shared_ptr<DocHolder> DocHolder::of(xmlDocPtr doc)
{
    if (!doc || !doc->_private)
        return nullptr;
    return static_cast<DocHolder*>(doc->_private)->shared_from_this();
}

DocHolder::~DocHolder()
{
    // Detached subtrees first: they may use the document's dictionary.
    for (xmlNodePtr n : m_orphans)
        xmlFreeNode(n);
    m_orphans.clear();
    xmlFreeDoc(m_doc);
    for (xmlDocPtr d : m_retired)
        xmlFreeDoc(d);
}

void DocHolder::replaceDocument(xmlDocPtr doc)
{
    xmlDocPtr old = m_doc;
    m_retired.push_back(old);
    m_doc = doc;
    doc->_private = this;
    // References to the document itself follow it.
    for (NodeRef* r : m_refs)
        if (r->m_node == reinterpret_cast<xmlNodePtr>(old))
            r->m_node = reinterpret_cast<xmlNodePtr>(doc);
}

void DocHolder::retargetMovedRefs()
{
    auto self = shared_from_this();  // keeps this block alive while references leave it
    std::vector<NodeRef*> moved;
    for (NodeRef* r : m_refs) {
        xmlDocPtr d = r->m_node ? r->m_node->doc : nullptr;
        if (d && d != m_doc && d->_private && d->_private != this)
            moved.push_back(r);
    }
    for (NodeRef* r : moved) {
        auto target = DocHolder::of(r->m_node->doc);
        m_refs.erase(r);
        r->m_holder = target;
        target->m_refs.insert(r);
    }
}

NodeRef::NodeRef(xmlNodePtr node) : m_node(node)
{
    if (!node)
        return;
    xmlDocPtr d = node->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(node) : node->doc;
    m_holder = DocHolder::of(d);
    if (!m_holder) {
        m_node = nullptr;
        return;
    }
    attach();
}

NodeRef::NodeRef(const NodeRef& other) : m_holder(other.m_holder), m_node(other.m_node)
{
    attach();
}

NodeRef& NodeRef::operator=(const NodeRef& other)
{
    if (this == &other || (m_node == other.m_node && m_holder == other.m_holder))
        return *this;
    auto keep = m_holder;  // the old block may go only after the switch
    detach();
    m_holder = other.m_holder;
    m_node = other.m_node;
    attach();
    return *this;
}

NodeRef::~NodeRef()
{
    detach();
}

void NodeRef::attach()
{
    if (m_holder)
        m_holder->m_refs.insert(this);
}

void NodeRef::detach()
{
    if (m_holder)
        m_holder->m_refs.erase(this);
}

}  // namespace MSXMLDOM

LComApartment::LComApartment()
{
    MSXMLDOM::initXmlLibrary();
}

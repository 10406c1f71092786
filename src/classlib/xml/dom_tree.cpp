// Tree changes and XPath selection.
//
// Nodes are spliced by hand: libxml2's own insertion calls merge adjacent
// text nodes and free the node being added, which would leave facades
// pointing at freed memory.
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cctype>

#include "classlib/xml/dom_internal.h"

namespace MSXMLDOM {
namespace {

// libxml2's option for removing redundant namespace declarations.
constexpr int kRemoveRedundantNs = 1;

bool canHaveChildren(xmlNodePtr n)
{
    return n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE || n->type == XML_DOCUMENT_FRAG_NODE;
}

bool isAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node)
{
    for (xmlNodePtr n = node; n; n = n->parent)
        if (n == candidate)
            return true;
    return false;
}

void checkInsertable(xmlNodePtr parent, xmlNodePtr child)
{
    switch (child->type) {
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
    case XML_NAMESPACE_DECL: raise(lcom::E_FAIL_, "This operation cannot be performed with a node of this type.");
    default: break;
    }
    if (!canHaveChildren(parent))
        raise(lcom::E_FAIL_, "This node type does not support children.");
    if (isAncestorOrSelf(child, parent))
        raise(lcom::E_FAIL_, "A node cannot be inserted into itself or into one of its descendants.");
    if (parent->type == XML_DOCUMENT_NODE) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
            raise(lcom::E_FAIL_, "Text cannot be inserted at the top level of a document.");
        if (child->type == XML_ELEMENT_NODE) {
            for (xmlNodePtr c = parent->children; c; c = c->next)
                if (c->type == XML_ELEMENT_NODE && c != child)
                    raise(lcom::E_FAIL_, "Only one top level element is allowed in an XML document.");
        }
    }
}

// Takes a node out of wherever it is, as a detached node of its document.
void unlinkForMove(xmlNodePtr node)
{
    if (node->parent || node->prev || node->next) {
        xmlUnlinkNode(node);
    }
    if (auto h = DocHolder::of(node->doc))
        h->dropOrphan(node);
}

void splice(xmlNodePtr parent, xmlNodePtr node, xmlNodePtr before)
{
    node->parent = parent;
    if (before) {
        node->next = before;
        node->prev = before->prev;
        if (before->prev)
            before->prev->next = node;
        else
            parent->children = node;
        before->prev = node;
    } else {
        node->next = nullptr;
        node->prev = parent->last;
        if (parent->last)
            parent->last->next = node;
        else
            parent->children = node;
        parent->last = node;
    }
}

// Brings one node under parent (same or other document).
void placeNode(xmlNodePtr parent, xmlNodePtr node, xmlNodePtr before)
{
    xmlDocPtr target = parent->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(parent) : parent->doc;
    auto source = DocHolder::of(node->doc);
    unlinkForMove(node);
    if (node->doc != target) {
        if (xmlDOMWrapAdoptNode(nullptr, node->doc, node, target, parent, 0) != 0) {
            if (source)
                source->addOrphan(node);
            raise(lcom::E_FAIL_, "The node could not be moved into the other document.");
        }
    }
    splice(parent, node, before);
    if (node->type == XML_ELEMENT_NODE)
        xmlDOMWrapReconcileNamespaces(nullptr, node, kRemoveRedundantNs);
    if (source && source->doc() != target)
        source->retargetMovedRefs();
}

}  // namespace

xmlNodePtr insertNode(const NodeRef& parentRef, const NodeRef& childRef, const NodeRef* refChildRef)
{
    xmlNodePtr parent = need(parentRef);
    if (childRef.isNull())
        raise(lcom::E_INVALIDARG_, "No node was given to insert.");
    xmlNodePtr child = childRef.node();
    xmlNodePtr before = refChildRef && !refChildRef->isNull() ? refChildRef->node() : nullptr;
    if (before && before->parent != parent)
        raise(lcom::E_INVALIDARG_, "The reference node is not a child of this node.");
    if (child->type == XML_DOCUMENT_FRAG_NODE) {
        // The fragment's children move; the fragment stays behind, empty.
        if (!canHaveChildren(parent))
            raise(lcom::E_FAIL_, "This node type does not support children.");
        if (isAncestorOrSelf(child, parent))
            raise(lcom::E_FAIL_, "A node cannot be inserted into itself or into one of its descendants.");
        for (xmlNodePtr c = child->children; c; c = c->next)
            checkInsertable(parent, c);
        while (xmlNodePtr c = child->children)
            placeNode(parent, c, before);
        return child;
    }
    checkInsertable(parent, child);
    if (child == before)
        return child;
    placeNode(parent, child, before);
    return child;
}

xmlNodePtr detachNode(const NodeRef& parentRef, const NodeRef& childRef)
{
    xmlNodePtr parent = need(parentRef);
    if (childRef.isNull())
        raise(lcom::E_INVALIDARG_, "No node was given to remove.");
    xmlNodePtr child = childRef.node();
    if (child->parent != parent || child->type == XML_ATTRIBUTE_NODE)
        raise(lcom::E_INVALIDARG_, "The node to remove is not a child of this node.");
    // Unlinks and declares on the node the namespaces it used from above.
    if (xmlDOMWrapRemoveNode(nullptr, child->doc, child, 0) != 0)
        xmlUnlinkNode(child);
    DocHolder::of(child->doc)->addOrphan(child);
    return child;
}

bool parseSelectionNamespaces(const std::string& text, std::vector<std::pair<std::string, std::string>>& out)
{
    size_t i = 0, n = text.size();
    auto skipBlanks = [&] {
        while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
    };
    for (skipBlanks(); i < n; skipBlanks()) {
        if (text.compare(i, 5, "xmlns") != 0)
            return false;
        i += 5;
        std::string prefix;
        if (i < n && text[i] == ':') {
            ++i;
            while (i < n && text[i] != '=' && !std::isspace(static_cast<unsigned char>(text[i])))
                prefix += text[i++];
            if (prefix.empty())
                return false;
        }
        skipBlanks();
        if (i >= n || text[i] != '=')
            return false;
        ++i;
        skipBlanks();
        if (i >= n || (text[i] != '\'' && text[i] != '"'))
            return false;
        char quote = text[i++];
        size_t end = text.find(quote, i);
        if (end == std::string::npos)
            return false;
        std::string uri = text.substr(i, end - i);
        i = end + 1;
        // A default namespace has no meaning in XPath 1.0 selections.
        if (!prefix.empty())
            out.emplace_back(prefix, uri);
    }
    return true;
}

namespace {

struct XPathErrors {
    std::string message;
    static void collect(void* data, const xmlError* err)
    {
        auto* self = static_cast<XPathErrors*>(data);
        if (err && err->message && self->message.empty()) {
            self->message = err->message;
            while (!self->message.empty() && self->message.back() == '\n')
                self->message.pop_back();
        }
    }
};

struct XPathContext {
    xmlXPathContextPtr p;
    explicit XPathContext(xmlDocPtr doc) : p(xmlXPathNewContext(doc)) {}
    ~XPathContext()
    {
        if (p)
            xmlXPathFreeContext(p);
    }
};

}  // namespace

std::vector<NodeRef> selectXPath(const NodeRef& contextRef, const LWString& expression, bool firstOnly)
{
    xmlNodePtr context = need(contextRef);
    xmlDocPtr doc = context->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(context) : context->doc;
    XPathContext ctx(doc);
    if (!ctx.p)
        raise(lcom::E_OUTOFMEMORY_);
    XPathErrors errors;
    ctx.p->error = reinterpret_cast<xmlStructuredErrorFunc>(&XPathErrors::collect);
    ctx.p->userData = &errors;
    ctx.p->node = context;
    std::vector<std::pair<std::string, std::string>> namespaces;
    parseSelectionNamespaces(utf8(contextRef.holder()->selectionNamespaces()), namespaces);
    for (const auto& [prefix, uri] : namespaces)
        xmlXPathRegisterNs(ctx.p, X(prefix), X(uri));

    std::string expr = utf8(expression);
    xmlXPathCompExprPtr comp = xmlXPathCtxtCompile(ctx.p, X(expr));
    if (!comp) {
        std::string d = "XPath expression '" + expr + "' does not compile: " +
                        (errors.message.empty() ? std::string("invalid expression") : errors.message);
        raise(lcom::E_FAIL_, d.c_str());
    }
    xmlXPathObjectPtr result = xmlXPathCompiledEval(comp, ctx.p);
    xmlXPathFreeCompExpr(comp);
    if (!result) {
        std::string d = "XPath expression '" + expr +
                        "' failed: " + (errors.message.empty() ? std::string("evaluation error") : errors.message);
        raise(lcom::E_FAIL_, d.c_str());
    }
    std::vector<NodeRef> nodes;
    if (result->type != XPATH_NODESET) {
        xmlXPathFreeObject(result);
        std::string d = "XPath expression '" + expr + "' does not select nodes.";
        raise(lcom::E_FAIL_, d.c_str());
    }
    if (result->nodesetval) {
        for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
            xmlNodePtr n = result->nodesetval->nodeTab[i];
            if (!n || n->type == XML_NAMESPACE_DECL)
                continue;
            nodes.emplace_back(n);
            if (firstOnly)
                break;
        }
    }
    xmlXPathFreeObject(result);
    return nodes;
}

}  // namespace MSXMLDOM

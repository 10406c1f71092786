// The inliner TSML document.
#include "web/xslt/inliner_doc.h"

#include "classlib/xml/dom_internal.h"
#include "web/tsml/tsml_names.h"

using namespace tsml;

namespace {

// Runs f; with swallow a failure of the document layer is ignored.
template <class F> void guarded(bool swallow, F&& f)
{
    try {
        f();
    } catch (const LDOMException&) {
        if (!swallow)
            throw;
    } catch (const ComError&) {
        if (!swallow)
            throw;
    }
}

xmlNodePtr needElement(xmlNodePtr node)
{
    if (!node)
        throw ComError(lcom::E_POINTER_);
    return node;
}

}  // namespace

WdInlinerTsmlDoc::WdInlinerTsmlDoc(int requester) : document(false, false)
{
    const LWString ns(kTsmlNamespace);
    data = element(document, u"tsml:data");
    qvmlData = element(document, u"tsml:qvml-data");
    document.appendChild(data);
    attach(document, data, u"full-document", LWString(u"true"));
    attach(document, data, u"inline", LWString(u"lists"));
    LDOMElement context = element(document, u"tsml:context");
    LDOMElement options = element(document, u"tsml:options");
    for (const auto& c : tsml::kInlineContext)
        context.appendChild(P3142_CreateTsmlElement(document, ns, c[0], c[1]));
    context.appendChild(P3142_CreateTsmlElement(document, ns, u"requester", requester == 0 ? u"generator" : u"editor"));
    for (const auto& o : tsml::kInlineOptions)
        options.appendChild(P3142_AddTsmlOption(document, ns, o[0], o[1]));
    declareNamespace(qvmlData, "qvml", kQvmlNamespace);
    data.appendChild(qvmlData);
    data.appendChild(context);
    data.appendChild(options);
    document.setProperty(LDOMProperty_SelectionNamespaces, tsmlSelection());
}

void WdInlinerTsmlDoc::removeChildren(LDOMElement& element)
{
    LDOMNodeList children = element.getChildNodes();
    const int32_t n = children.getLength();
    for (int32_t i = 0; i < n; ++i)
        element.removeChild(children.item(0));
}

void WdInlinerTsmlDoc::reset(bool swallow)
{
    guarded(swallow, [&] {
        if (!qvmlData.getFirstChild().isNull())
            removeChildren(qvmlData);
    });
}

WdGenInlinerTsmlDoc::WdGenInlinerTsmlDoc() : WdInlinerTsmlDoc(0)
{
    weblets = element(document, u"tsml:weblets");
    fields = element(document, u"tsml:fields");
    lists = element(document, u"tsml:lists");
    name = document.createAttribute(LWString(u"name"));
    list = element(document, u"tsml:list");
    entry = element(document, u"tsml:entry");
    data.appendChild(weblets);
    attach(document, lists, u"default-sample-size", LWString(u"1"));
    list.setAttributeNode(name);
    attach(document, list, u"inline", LWString(u"true"));
    LDOMElement entries = element(document, u"tsml:list-entries");
    entries.appendChild(entry);
    list.appendChild(entries);
    lists.appendChild(list);
}

void WdGenInlinerTsmlDoc::reset(bool swallow)
{
    guarded(swallow, [&] {
        if (!weblets.getFirstChild().isNull())
            removeChildren(weblets);
        if (listMode == kList) {
            removeChildren(entry);
            data.removeChild(lists);
        } else if (listMode == kFields) {
            removeChildren(fields);
            data.removeChild(fields);
        }
    });
    listMode = kNothing;
    WdInlinerTsmlDoc::reset(swallow);
}

LDOMNode WdGenInlinerTsmlDoc::importNode(xmlNodePtr source)
{
    xmlDocPtr doc = reinterpret_cast<xmlDocPtr>(document.raw());
    xmlNodePtr copy = nullptr;
    switch (needElement(source)->type) {
    case XML_ELEMENT_NODE:
        // The element with its attributes and namespace declarations; the
        // children follow one by one.
        copy = xmlDocCopyNode(source, doc, 2);
        break;
    case XML_TEXT_NODE: copy = xmlNewDocText(doc, source->content); break;
    default: copy = xmlDocCopyNode(source, doc, 2); break;
    }
    if (!copy)
        throw ComError(lcom::E_OUTOFMEMORY_);
    MSXMLDOM::DocHolder::of(doc)->addOrphan(copy);
    LDOMNode result{MSXMLDOM::NodeRef(copy)};
    if (source->type != XML_ELEMENT_NODE) {
        // Other kinds keep their name but not their content.
        if (source->type != XML_TEXT_NODE && copy->content)
            xmlNodeSetContent(copy, BAD_CAST "");
        return result;
    }
    for (xmlNodePtr c = source->children; c; c = c->next)
        result.appendChild(importNode(c));
    return result;
}

void WdGenInlinerTsmlDoc::setColumn(xmlNodePtr column)
{
    entry.appendChild(importNode(column));
    // The column's list: column, entry, list-entries, list.
    xmlNodePtr owner = column->parent && column->parent->parent ? column->parent->parent->parent : nullptr;
    if (!owner || owner->type != XML_ELEMENT_NODE)
        throw ComError(lcom::E_POINTER_);
    xmlChar* listName = xmlGetProp(owner, BAD_CAST "name");
    if (!listName)
        throw ComError(lcom::E_POINTER_);
    name.setValue(LWString::fromUtf8(reinterpret_cast<const char*>(listName)));
    xmlFree(listName);
    data.appendChild(lists);
    listMode = kList;
}

void WdGenInlinerTsmlDoc::setWeblet(xmlNodePtr weblet)
{
    weblets.appendChild(importNode(weblet));
}

void WdGenInlinerTsmlDoc::setRuntimeData(xmlNodePtr node)
{
    qvmlData.appendChild(importNode(node));
}

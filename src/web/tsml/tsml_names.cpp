// The TSML vocabulary helpers.
#include "web/tsml/tsml_names.h"

#include <libxml/tree.h>

#include <array>
#include <utility>

namespace tsml {

namespace {

struct TypeName {
    char letter;
    const char16_t* name;
};

constexpr std::array<TypeName, 15> kTypeNames{{{'1', u"varchar"},
                                               {'2', u"varbin"},
                                               {'3', u"clob"},
                                               {'4', u"blob"},
                                               {'A', u"alpha"},
                                               {'B', u"binary"},
                                               {'E', u"date"},
                                               {'F', u"float"},
                                               {'H', u"char"},
                                               {'I', u"integer"},
                                               {'M', u"time"},
                                               {'P', u"packed"},
                                               {'S', u"signed"},
                                               {'Y', u"boolean"},
                                               {'Z', u"datetime"}}};

constexpr std::array<const char16_t*, 5> kModeNames{u"hidden", u"input", u"output", u"both", u"private"};

LWString declaration(const char* prefix, const char16_t* uri)
{
    LWString text = LWString::fromMultiByte("xmlns:") + LWString::fromMultiByte(prefix) + LWString(u"=\"");
    text.append(uri);
    text.append(u"\"");
    return text;
}

}  // namespace

LWString tsmlSelection()
{
    return declaration("tsml", kTsmlNamespace);
}

LWString xslWdSelection(const char* gap)
{
    return declaration("xsl", kXslNamespace) + LWString::fromMultiByte(gap) + declaration("wd", kWdNamespace);
}

LWString fieldTypeName(uint32_t type)
{
    for (const TypeName& t : kTypeNames)
        if (static_cast<uint32_t>(static_cast<unsigned char>(t.letter)) == type)
            return LWString(t.name);
    return LWString();
}

LWString fieldModeName(uint32_t mode)
{
    return mode < kModeNames.size() ? LWString(kModeNames[mode]) : LWString();
}

LDOMElement element(LDOMDocument& doc, const char16_t* qualifiedName, const char16_t* uri)
{
    return doc.createElementNS(LWString(uri), LWString(qualifiedName));
}

LDOMElement elementWithText(LDOMDocument& doc, const char16_t* qualifiedName, LDOMText* text, const char16_t* uri)
{
    LDOMElement e = element(doc, qualifiedName, uri);
    LDOMText t = doc.createTextNode(LWString(u""));
    e.appendChild(t);
    if (text)
        *text = t;
    return e;
}

LDOMAttribute attach(LDOMDocument& doc, LDOMElement& element, const char16_t* name, const LWString& value)
{
    LDOMAttribute a = doc.createAttribute(LWString(name));
    a.setValue(value);
    element.setAttributeNode(a);
    return a;
}

void declareNamespace(LDOMElement& element, const char* prefix, const char16_t* uri)
{
    xmlNodePtr node = element.raw();
    if (!node || node->type != XML_ELEMENT_NODE)
        throw LDOMException("A namespace is declared on an element only.");
    std::string u = LWString(uri).toUtf8();
    for (xmlNsPtr ns = node->nsDef; ns; ns = ns->next)
        if (ns->prefix && xmlStrEqual(ns->prefix, BAD_CAST prefix))
            return;
    if (!xmlNewNs(node, BAD_CAST u.c_str(), BAD_CAST prefix))
        throw LDOMException("The namespace cannot be declared.");
}

LWString attributeValue(const LDOMNode& element, const char16_t* name)
{
    LDOMNode a = element.getAttributes().getNamedItem(LWString(name));
    return a.isNull() ? LWString() : a.getNodeValue();
}

LWString fromAnsi(const char* text)
{
    return text ? LWString::fromMultiByte(text) : LWString();
}

LWString fromCodePage(const char* text, uint32_t codePage)
{
    return text ? LWString::fromMultiByteCodePage(text, codePage) : LWString();
}

}  // namespace tsml

// Text conversion, names, serialisation and parsing for the document layer.
#include <libxml/parser.h>
#include <libxml/xmlsave.h>
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

#include "classlib/base/qvseam.h"
#include "classlib/xml/dom_internal.h"
#include "platform/qvutil/qvutil_iconv.h"

namespace MSXMLDOM {

void raise(uint32_t code, const char* description)
{
    throw ComError(code, kSource, description);
}

xmlNodePtr need(const NodeRef& ref)
{
    if (ref.isNull())
        raise(lcom::E_POINTER_);
    return ref.node();
}

std::string utf8(const LWString& s, const std::string& what)
{
    std::u16string_view v = s.view();
    for (size_t i = 0; i < v.size(); ++i) {
        bool high = (v[i] & 0xFC00) == 0xD800, low = (v[i] & 0xFC00) == 0xDC00;
        if (high && i + 1 < v.size() && (v[i + 1] & 0xFC00) == 0xDC00) {
            ++i;
            continue;
        }
        if (!high && !low)
            continue;
        char text[96];
        std::snprintf(text, sizeof text, " holds an unpaired UTF-16 surrogate (0x%04X) at character %zu.",
                      static_cast<unsigned>(v[i]), i + 1);
        std::string description = what + text;
        description[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(description[0])));
        raise(lcom::E_INVALIDARG_, description.c_str());
    }
    return s.toUtf8();
}

std::string describeNode(xmlNodePtr node)
{
    switch (node->type) {
    case XML_ATTRIBUTE_NODE: return "the value of attribute '" + qualifiedName(node) + "'";
    case XML_ELEMENT_NODE: return "element '" + qualifiedName(node) + "'";
    default: break;
    }
    std::string text = "the " + qualifiedName(node) + " node";
    if (node->parent && node->parent->type == XML_ELEMENT_NODE)
        text += " in element '" + qualifiedName(node->parent) + "'";
    return text;
}

LWString wide(const xmlChar* s)
{
    return LWString::fromUtf8(reinterpret_cast<const char*>(s));
}

const xmlChar* X(const std::string& s)
{
    return reinterpret_cast<const xmlChar*>(s.c_str());
}

std::string qualifiedName(xmlNodePtr node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE: {
        std::string name;
        if (node->ns && node->ns->prefix) {
            name = reinterpret_cast<const char*>(node->ns->prefix);
            name += ':';
        }
        name += reinterpret_cast<const char*>(node->name);
        return name;
    }
    case XML_TEXT_NODE: return "#text";
    case XML_CDATA_SECTION_NODE: return "#cdata-section";
    case XML_COMMENT_NODE: return "#comment";
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE: return "#document";
    case XML_DOCUMENT_FRAG_NODE: return "#document-fragment";
    case XML_PI_NODE:
    case XML_ENTITY_REF_NODE: return reinterpret_cast<const char*>(node->name);
    default: return node->name ? reinterpret_cast<const char*>(node->name) : "";
    }
}

namespace {

int appendToString(void* context, const char* bytes, int len)
{
    static_cast<std::string*>(context)->append(bytes, static_cast<size_t>(len));
    return len;
}

// While saving, the document names UTF-8 as its encoding: without one,
// libxml2 writes non-ASCII characters of attribute values as references.
struct EncodingForSave {
    xmlDocPtr doc;
    bool set = false;
    explicit EncodingForSave(xmlDocPtr d) : doc(d)
    {
        if (doc && !doc->encoding) {
            doc->encoding = xmlStrdup(BAD_CAST "UTF-8");
            set = true;
        }
    }
    ~EncodingForSave()
    {
        if (!set)
            return;
        xmlFree(const_cast<xmlChar*>(doc->encoding));
        doc->encoding = nullptr;
    }
};

std::string saveTree(xmlNodePtr node, bool document)
{
    EncodingForSave encoding(document ? reinterpret_cast<xmlDocPtr>(node) : node->doc);
    std::string out;
    xmlSaveCtxtPtr save = xmlSaveToIO(appendToString, nullptr, &out, "UTF-8", XML_SAVE_NO_DECL);
    if (!save)
        raise(lcom::E_OUTOFMEMORY_);
    if (document)
        xmlSaveDoc(save, reinterpret_cast<xmlDocPtr>(node));
    else
        xmlSaveTree(save, node);
    xmlSaveClose(save);
    return out;
}

}  // namespace

std::string serialise(xmlNodePtr node)
{
    if (node->type == XML_DOCUMENT_NODE)
        return saveTree(node, true);
    if (node->type == XML_DOCUMENT_FRAG_NODE) {
        std::string out;
        for (xmlNodePtr c = node->children; c; c = c->next)
            out += serialise(c);
        return out;
    }
    if (node->type == XML_ELEMENT_NODE) {
        // A copy carries the namespace declarations that the node uses but
        // inherits from its ancestors, so the text stands on its own.
        xmlNodePtr copy = xmlDocCopyNode(node, node->doc, 1);
        if (!copy)
            raise(lcom::E_OUTOFMEMORY_);
        std::string out = saveTree(copy, false);
        xmlFreeNode(copy);
        return out;
    }
    if (node->type == XML_ATTRIBUTE_NODE) {
        std::string out = saveTree(node, false);
        if (!out.empty() && out[0] == ' ')
            out.erase(0, 1);
        return out;
    }
    return saveTree(node, false);
}

bool isDeclarationNode(xmlNodePtr node)
{
    return node && node->type == XML_PI_NODE && xmlStrEqual(node->name, BAD_CAST "xml");
}

void addDeclarationNode(xmlDocPtr doc, const char* data)
{
    xmlNodePtr pi = xmlNewDocPI(doc, BAD_CAST "xml", BAD_CAST data);
    if (!pi)
        raise(lcom::E_OUTOFMEMORY_);
    xmlNodePtr root = reinterpret_cast<xmlNodePtr>(doc);
    pi->parent = root;
    pi->next = root->children;
    if (root->children)
        root->children->prev = pi;
    root->children = pi;
    if (!root->last)
        root->last = pi;
}

void dropWhitespaceText(xmlNodePtr node)
{
    for (xmlNodePtr c = node->children; c;) {
        xmlNodePtr next = c->next;
        if (c->type == XML_ELEMENT_NODE) {
            bool xslText = c->ns && xmlStrEqual(c->ns->href, BAD_CAST "http://www.w3.org/1999/XSL/Transform") &&
                           xmlStrEqual(c->name, BAD_CAST "text");
            if (!xslText && xmlNodeGetSpacePreserve(c) != 1)
                dropWhitespaceText(c);
        } else if (c->type == XML_TEXT_NODE && xmlIsBlankNode(c)) {
            xmlUnlinkNode(c);
            xmlFreeNode(c);
        }
        c = next;
    }
}

namespace {

struct ParserCtxt {
    xmlParserCtxtPtr p = xmlNewParserCtxt();
    ~ParserCtxt()
    {
        if (p)
            xmlFreeParserCtxt(p);
    }
};

// While a document is parsed, the external entity loader refuses what the
// parse may not read (every external resource, or with externals allowed
// the network) and notes the first it refused.
struct EntityGuard {
    bool externals = false;
    const char* allowOnce = nullptr;  // the document itself, when it is read through the loader
    std::string refused;
};
thread_local EntityGuard* t_entityGuard = nullptr;
xmlExternalEntityLoader g_defaultEntityLoader = nullptr;

// A file URI as the path it names (the documents are read from file URIs,
// see fileUri); any other text as it stands.
std::string pathOfUri(const char* url)
{
    if (std::strncmp(url, "file://", 7) != 0)
        return url;
    std::string path;
    for (const char* c = url + 7; *c; ++c) {
        if (*c == '%' && std::isxdigit(static_cast<unsigned char>(c[1])) &&
            std::isxdigit(static_cast<unsigned char>(c[2]))) {
            path += static_cast<char>(std::stoi(std::string(c + 1, 2), nullptr, 16));
            c += 2;
        } else {
            path += *c;
        }
    }
    return path;
}

bool isNetworkUrl(const char* url)
{
    return url && std::strstr(url, "://") && std::strncmp(url, "file://", 7) != 0;
}

xmlParserInputPtr guardedEntityLoader(const char* url, const char* id, xmlParserCtxtPtr ctxt)
{
    EntityGuard* guard = t_entityGuard;
    if (guard && guard->allowOnce && url && std::strcmp(url, guard->allowOnce) == 0) {
        guard->allowOnce = nullptr;
        return g_defaultEntityLoader(url, id, ctxt);
    }
    if (!guard || (guard->externals && !isNetworkUrl(url)))
        return g_defaultEntityLoader(url, id, ctxt);
    if (guard->refused.empty())
        guard->refused = url ? pathOfUri(url) : (id ? id : "?");
    return nullptr;
}

struct GuardScope {
    EntityGuard guard;
    EntityGuard* outer = t_entityGuard;
    explicit GuardScope(bool externals, const char* allowOnce = nullptr)
    {
        guard.externals = externals;
        guard.allowOnce = allowOnce;
        t_entityGuard = &guard;
    }
    ~GuardScope() { t_entityGuard = outer; }
    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;
};

// The first entity reference left in the tree: with entities replaced,
// only one that no document type read declares stays a reference.
xmlNodePtr firstEntityReference(xmlNodePtr node)
{
    for (xmlNodePtr c = node->children; c; c = c->next) {
        if (c->type == XML_ENTITY_REF_NODE)
            return c;
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (xmlNodePtr found = firstEntityReference(c))
            return found;
    }
    return nullptr;
}

std::string parserReason(xmlParserCtxtPtr ctxt, const std::string& where)
{
    const xmlError* err = xmlCtxtGetLastError(ctxt);
    std::string reason = err && err->message ? err->message : "the document is not well-formed";
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    char pos[96] = "";
    if (err && err->line > 0)
        std::snprintf(pos, sizeof pos, " (line %d, column %d)", err->line, err->int2);
    return reason + pos + where;
}

// The XML declaration as written at the start of UTF-8 text, if any.
bool hasDeclaration(const char* bytes, size_t size)
{
    if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
        bytes += 3, size -= 3;
    return size > 6 && std::memcmp(bytes, "<?xml", 5) == 0 &&
           (bytes[5] == ' ' || bytes[5] == '\t' || bytes[5] == '\r' || bytes[5] == '\n');
}

// The encoding that the XML declaration at the start of the bytes names,
// or "" when there is none.
std::string declaredEncoding(const char* bytes, size_t size)
{
    if (!hasDeclaration(bytes, size))
        return "";
    std::string_view head(bytes, std::min<size_t>(size, 512));
    head = head.substr(0, head.find("?>"));
    size_t at = head.find("encoding");
    if (at == std::string_view::npos)
        return "";
    at = head.find_first_not_of(" \t\r\n", at + 8);
    if (at == std::string_view::npos || head[at] != '=')
        return "";
    at = head.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string_view::npos || (head[at] != '"' && head[at] != '\''))
        return "";
    size_t end = head.find(head[at], at + 1);
    return end == std::string_view::npos ? "" : std::string(head.substr(at + 1, end - at - 1));
}

// Parses UTF-8 bytes in one piece (the parser reads text that it converts
// itself in pieces, and refuses long texts then), ignoring the encoding that
// a declaration names; `encoding` is the one the recreated declaration
// keeps. Entities are replaced by their text within libxml2's limits on
// entity expansion; external ones (and an external document type) are read
// only with `externals`.
ParseResult parseBytes(const char* bytes, size_t size, const char* url, const std::string& encoding, bool externals,
                       const std::string& where)
{
    ParseResult r;
    ParserCtxt ctxt;
    if (!ctxt.p) {
        r.error = "out of memory";
        return r;
    }
    int options = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;
    if (externals)
        options |= XML_PARSE_DTDLOAD;
    GuardScope scope(externals);
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt.p, bytes, static_cast<int>(size), url, nullptr, options);
    if (!scope.guard.refused.empty()) {
        r.error = "The document refers to the external resource '" + scope.guard.refused + "', which is not read" +
                  (externals ? " (nothing is fetched from the network)" : ": external resources are not allowed") +
                  where;
    } else if (!doc || !ctxt.p->wellFormed || !ctxt.p->nsWellFormed) {
        r.error = parserReason(ctxt.p, where);
    } else if (xmlNodePtr ref = firstEntityReference(reinterpret_cast<xmlNodePtr>(doc))) {
        r.error = "The document uses the entity '" + std::string(reinterpret_cast<const char*>(ref->name)) +
                  "', which no document type that was read declares" + where;
    }
    if (!r.error.empty()) {
        if (doc)
            xmlFreeDoc(doc);
        return r;
    }
    r.doc = doc;
    if (hasDeclaration(bytes, size)) {
        std::string data = "version=\"";
        data += doc->version ? reinterpret_cast<const char*>(doc->version) : "1.0";
        data += "\"";
        if (!encoding.empty())
            data += " encoding=\"" + encoding + "\"";
        if (doc->standalone == 1)
            data += " standalone=\"yes\"";
        addDeclarationNode(doc, data.c_str());
    }
    return r;
}

}  // namespace

xmlDocPtr loadWithoutExternals(const char* url, const std::function<xmlDocPtr()>& load, std::string& refused)
{
    GuardScope scope(false, url);
    xmlDocPtr doc = load();
    refused = scope.guard.refused;
    return doc;
}

std::string fileUri(const std::string& host)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : host) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
            c == '.' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

void installEntityGuard()
{
    g_defaultEntityLoader = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(guardedEntityLoader);
}

ParseResult parseXml(ParseSource kind, const std::string& pathOrText, bool externals)
{
    if (kind == ParseSource::Text)
        return parseBytes(pathOrText.data(), pathOrText.size(), nullptr, "", externals, "");

    ParseResult r;
    std::string host = lqv::hostPath(pathOrText.c_str());
    std::ifstream in(host, std::ios::binary);
    if (!in) {
        int e = errno;
        r.error = "Cannot open file '" + pathOrText + "': " + std::strerror(e ? e : ENOENT);
        return r;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string where = " in file '" + pathOrText + "'";
    auto bom = lqv::detectBom(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    switch (bom.kind) {
    case lqv::Bom::Unsupported:
        r.error = std::string("The file '") + pathOrText +
                  "' starts with a byte-order mark of an unsupported encoding (" + bom.name + ")";
        return r;
    case lqv::Bom::Utf16LE:
    case lqv::Bom::Utf16BE:
    case lqv::Bom::Utf32LE:
    case lqv::Bom::Utf32BE: {
        std::string text;
        if (!qvutil::Convert(bom.name, "UTF-8", std::string_view(bytes).substr(bom.length), text)) {
            r.error = std::string("The file '") + pathOrText + "' is not valid " + bom.name + " text";
            return r;
        }
        return parseBytes(text.data(), text.size(), fileUri(host).c_str(), "", externals, where);
    }
    default: break;
    }
    std::string encoding = declaredEncoding(bytes.data(), bytes.size());
    if (encoding.empty() || strcasecmp(encoding.c_str(), "UTF-8") == 0)
        return parseBytes(bytes.data(), bytes.size(), fileUri(host).c_str(), encoding, externals, where);
    std::string text;
    if (!qvutil::Convert(encoding.c_str(), "UTF-8", bytes, text)) {
        r.error = "The file '" + pathOrText + "' is not " + encoding + " text, as its declaration says";
        return r;
    }
    return parseBytes(text.data(), text.size(), fileUri(host).c_str(), encoding, externals, where);
}

}  // namespace MSXMLDOM

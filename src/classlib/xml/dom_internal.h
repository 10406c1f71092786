// Helpers shared by the files of the document and stylesheet layer.
#pragma once

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/xml/dom.h"

namespace MSXMLDOM {

inline const char* kSource = "libxml2";
inline const char16_t* kXsltNamespace = u"http://www.w3.org/1999/XSL/Transform";

[[noreturn]] void raise(uint32_t code, const char* description = nullptr);
// Raises E_POINTER for an empty reference.
xmlNodePtr need(const NodeRef& ref);

// The UTF-8 form of a text handed to libxml2. An unpaired surrogate, which
// UTF-8 cannot hold, raises E_INVALIDARG with a description that names
// `what` (the node or the argument the text is for) and the position.
std::string utf8(const LWString& s, const std::string& what = "a text given to the document layer");
// "the value of attribute 'a'", "the #text node in element 'p'" and so on.
std::string describeNode(xmlNodePtr node);
LWString wide(const xmlChar* s);
const xmlChar* X(const std::string& s);

// prefix:local of an element or attribute, "#text" and so on for others.
std::string qualifiedName(xmlNodePtr node);

// Serialises a node (documents without an added declaration).
std::string serialise(xmlNodePtr node);

// Parser settings and the one loader behind documents and stylesheets.
struct ParseResult {
    xmlDocPtr doc = nullptr;
    std::string error;  // empty on success
};
enum class ParseSource { File, Text };
// Reads a file (handling byte-order marks) or UTF-8 text. Entities are
// replaced within libxml2's expansion limits; nothing is fetched from the
// network; an external document type or external entity is read only with
// `externals`, and refused with a clear error otherwise.
ParseResult parseXml(ParseSource kind, const std::string& pathOrText, bool externals);
// Runs a load of the document at url (through the external entity loader)
// with every other external resource refused; the first refused in
// `refused`.
xmlDocPtr loadWithoutExternals(const char* url, const std::function<xmlDocPtr()>& load, std::string& refused);
// Puts the loader that refuses external entities while parseXml runs
// without externals (once, at library start).
void installEntityGuard();

// A host path as the file URI the XML libraries resolve against: every byte
// outside the unreserved characters and '/' escaped, so that a path with
// blanks, '%', '#' or '?' in it stays one path.
std::string fileUri(const std::string& host);
// Drops whitespace-only text nodes, except under xml:space="preserve" and
// inside xsl:text, as documents built from text expect.
void dropWhitespaceText(xmlNodePtr node);
// Adds an "xml" declaration node as the first child.
void addDeclarationNode(xmlDocPtr doc, const char* data);
bool isDeclarationNode(xmlNodePtr node);

// Tree changes with ownership kept right (see dom.h).
xmlNodePtr insertNode(const NodeRef& parent, const NodeRef& newChild, const NodeRef* refChild);
xmlNodePtr detachNode(const NodeRef& parent, const NodeRef& child);

// XPath with the document's selection namespaces.
std::vector<NodeRef> selectXPath(const NodeRef& context, const LWString& expression, bool firstOnly);
// Parses "xmlns:p='uri' xmlns:q="uri"" into pairs; false when malformed.
bool parseSelectionNamespaces(const std::string& text, std::vector<std::pair<std::string, std::string>>& out);

}  // namespace MSXMLDOM

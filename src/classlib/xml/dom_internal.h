// Helpers shared by the files of the document and stylesheet layer.
#pragma once

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <string>
#include <vector>

#include "classlib/xml/dom.h"

namespace MSXMLDOM {

inline const char* kSource = "libxml2";
inline const char16_t* kXsltNamespace = u"http://www.w3.org/1999/XSL/Transform";

[[noreturn]] void raise(uint32_t code, const char* description = nullptr);
// Raises E_POINTER for an empty reference.
xmlNodePtr need(const NodeRef& ref);

std::string utf8(const LWString& s);
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
// Reads a file (handling byte-order marks) or UTF-8 text; for stored text
// no external resources are loaded.
ParseResult parseXml(ParseSource kind, const std::string& pathOrText);
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

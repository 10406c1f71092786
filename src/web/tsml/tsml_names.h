// The vocabulary of the generation metadata (TSML), the runtime data (QVML)
// and the weblet-design stylesheets: namespace URIs, the names of field
// types and modes, and the small element helpers the builders share.
#pragma once

#include <cstdint>

#include "classlib/base/lstrings.h"
#include "classlib/xml/dom.h"

namespace tsml {

inline constexpr const char16_t* kTsmlNamespace = u"http://schemas.velmo.example/2002/XML/Generation-Metadata";
inline constexpr const char16_t* kQvmlNamespace = u"http://schemas.velmo.example/2002/XML/Runtime-Data";
inline constexpr const char16_t* kWdNamespace = u"http://schemas.velmo.example/2002/XSL/Weblet-Design";
inline constexpr const char16_t* kXslNamespace = u"http://www.w3.org/1999/XSL/Transform";

// Selection-namespace declarations for XPath over the documents.
LWString tsmlSelection();                  // xmlns:tsml="..."
LWString xslWdSelection(const char* gap);  // xmlns:xsl="..." + gap + xmlns:wd="..."

// "varchar", "alpha", ... for a field type letter; null for another letter.
LWString fieldTypeName(uint32_t type);
// "hidden", "input", "output", "both", "private"; null for another mode.
LWString fieldModeName(uint32_t mode);

// A new element "prefix:name" of the namespace on the document (not placed).
LDOMElement element(LDOMDocument& doc, const char16_t* qualifiedName, const char16_t* uri = kTsmlNamespace);
// A new element holding one (empty) text node, which *text receives.
LDOMElement elementWithText(LDOMDocument& doc, const char16_t* qualifiedName, LDOMText* text,
                            const char16_t* uri = kTsmlNamespace);
// Creates the attribute with the value and attaches it to the element; the
// attribute node is returned.
LDOMAttribute attach(LDOMDocument& doc, LDOMElement& element, const char16_t* name, const LWString& value);
// Declares prefix for uri on the element (a real namespace declaration).
void declareNamespace(LDOMElement& element, const char* prefix, const char16_t* uri);
// The value of the element's attribute; null when the attribute is absent.
LWString attributeValue(const LDOMNode& element, const char16_t* name);

// Narrow text in the system's default code page (null gives null).
LWString fromAnsi(const char* text);
// Narrow text in the code page (0: the default); null gives null.
LWString fromCodePage(const char* text, uint32_t codePage);

// The run-time context and the options of a document that inlines weblets:
// each a wd: call that the generated stylesheet keeps for run time.
inline constexpr const char16_t* kInlineContext[][2] = {{u"user-id", u"{wd:web-user()}"},
                                                        {u"webapplication", u"{wd:webapplication()}"},
                                                        {u"webapplication-title", u"{wd:webapplication-title()}"},
                                                        {u"webroutine", u"{wd:webroutine()}"},
                                                        {u"webroutine-title", u"{wd:webroutine-title()}"},
                                                        {u"service-name", u"{wd:service-name()}"},
                                                        {u"partition", u"{wd:partition()}"},
                                                        {u"language", u"{wd:language()}"},
                                                        {u"images-path", u"{wd:images-path()}"},
                                                        {u"action-request", u"{wd:action-request()}"},
                                                        {u"layout-name", u"{wd:layout-name()}"}};
inline constexpr const char16_t* kInlineOptions[][2] = {{u"DBCS", u"{wd:dbcs()}"},
                                                        {u"align-right", u"{wd:align-right()}"},
                                                        {u"check-numeric", u"{wd:check-numeric()}"},
                                                        {u"debug", u"{wd:debug()}"},
                                                        {u"trace", u"{wd:trace()}"},
                                                        {u"task", u"{wd:task()}"}};

}  // namespace tsml

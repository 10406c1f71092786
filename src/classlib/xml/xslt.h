// Stylesheets and transformations over libxslt.
//
// XSLTDoc compiles a stylesheet file once and applies it to any number of
// documents, with parameters and an extension object whose functions the
// stylesheet calls in its namespace; copies share the compiled stylesheet.
// A stylesheet is compiled from a file or from a document; hrefs of its
// imports written as environment paths are mapped to the host.
// LXslTransformer serialises one document through a stylesheet document in
// a chosen output encoding. Results are the output bytes followed by a NUL;
// the buffer's length is the true byte count (UTF-16 output has zero bytes).
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "classlib/base/lexception.h"
#include "classlib/base/lstream.h"
#include "classlib/base/lstrings.h"
#include "classlib/xml/dom.h"

// A value passed to or returned from an extension function.
struct LXsltValue {
    enum class Kind { Text, Number, Boolean, Nodes };
    Kind kind = Kind::Text;
    LWString text;
    double number = 0;
    bool boolean = false;
    LDOMNode nodes;  // a fragment (its children), a document (its content) or one node
    // An argument's node set, in document order (a result tree fragment
    // stands for its top-level nodes): the nodes themselves, valid only
    // during the call.
    std::vector<xmlNodePtr> nodeList;

    // The XPath string value: a node set gives that of its first node.
    LWString stringValue() const;

    static LXsltValue ofText(const LWString& t)
    {
        LXsltValue v;
        v.text = t;
        return v;
    }
    static LXsltValue ofNumber(double n)
    {
        LXsltValue v;
        v.kind = Kind::Number;
        v.number = n;
        return v;
    }
    static LXsltValue ofBoolean(bool b)
    {
        LXsltValue v;
        v.kind = Kind::Boolean;
        v.boolean = b;
        return v;
    }
    static LXsltValue ofNodes(const LDOMNode& n)
    {
        LXsltValue v;
        v.kind = Kind::Nodes;
        v.nodes = n;
        return v;
    }
};

// The extension object of a transformation: the stylesheet calls its
// functions as prefix:name(...) with the prefix bound to the namespace given
// to setExtensionObject. Arguments arrive with their XPath types: texts,
// numbers, booleans, and node sets as their nodes (nodeList). An exception
// thrown by call stops the transformation, which then fails with its text.
// The caller keeps the object alive across transformations.
class LXsltExtensionObject {
public:
    virtual ~LXsltExtensionObject() = default;
    virtual std::vector<LWString> functionNames() const = 0;
    virtual LXsltValue call(const LWString& name, const std::vector<LXsltValue>& args) = 0;
};

namespace MSXMLDOM {

// A compiled stylesheet shared by the copies of a stylesheet object; empty
// until compiled.
struct XsltTemplate;

class XsltOptimizedImpl {
public:
    XsltOptimizedImpl(bool createTemplate, const char* outputEncoding);
    XsltOptimizedImpl(const XsltOptimizedImpl& other);
    XsltOptimizedImpl& operator=(const XsltOptimizedImpl& other);
    virtual ~XsltOptimizedImpl();

    void createTemplate();
    // Compiles the stylesheet file (a parse failure gives the parser's reason).
    void load(const LWString& path);
    // Compiles a copy of the stylesheet document. Imports without a base of
    // their own resolve against baseDirectory (an environment path) when one
    // is given, else against the document's own location.
    void loadDocument(const LDOMDocument& stylesheet, const LWString& baseDirectory);
    LCharBuffer transform(const LDOMNode& source);
    // The output bytes written into the stream.
    void transformToStream(const LDOMNode& source, LStream& out);
    // The result tree as a new document.
    LDOMDocument transformToDocument(const LDOMNode& source, bool freeThreaded);
    void setExtensionObject(LXsltExtensionObject* extension, const LWString& namespaceUri);
    // Parameters handed to every transformation, in name order: texts as
    // strings, numbers and booleans as such, nodes as a node set of copies
    // (the node itself, or the children of a fragment or document).
    void setParameter(const LWString& name, const LXsltValue& value);

protected:
    void compile(const LWString& path, std::shared_ptr<XsltTemplate>& slot, const char* outputEncoding);
    // The compiled stylesheet of this object, compiled from the file first
    // when it is not yet.
    const std::shared_ptr<XsltTemplate>& compiledSlot();
    LCharBuffer runProcessor(const LDOMNode& source, const std::shared_ptr<XsltTemplate>& slot);

    std::shared_ptr<XsltTemplate> m_encodingTemplate;
    std::shared_ptr<XsltTemplate> m_template;
    LWString m_compilePath;
    LCharBuffer m_outputEncoding;
    LXsltExtensionObject* m_extension = nullptr;
    LWString m_extensionNamespace;
    std::map<LWString, LXsltValue> m_parameters;
};

// Sets xsl:output/@encoding of the stylesheet document (when present) to
// the encoding name; the document's selection namespaces become the xsl
// declaration.
void setStylesheetOutputEncoding(LDOMDocument& stylesheet, const char* encoding);
// Transforms source by the stylesheet document; the output bytes.
LCharBuffer transformNodeToBuffer(const LDOMNode& source, const LDOMNode& stylesheet);

// Reads a whole stream into a new array of size + 1 bytes (NUL after the
// data) and hands it to the consumer with its size; without a consumer
// nothing is read and 0 comes back. With handOver the consumer may keep the
// array (by moving it out); otherwise it is freed afterwards.
using StreamTextConsumer = int32_t (*)(void* context, std::unique_ptr<char[]>& array, uint32_t size);
int32_t readStreamText(LStream* stream, void* context, StreamTextConsumer consumer, bool handOver);

}  // namespace MSXMLDOM

class LXsltOptimized : public MSXMLDOM::XsltOptimizedImpl {
public:
    explicit LXsltOptimized(bool createTemplate = true, const char* outputEncoding = nullptr);
    LXsltOptimized(const LXsltOptimized& other);
    LXsltOptimized& operator=(const LXsltOptimized& other);
    ~LXsltOptimized() override = default;

    void load(const LWString& path, bool importsOnly);
    void collectImports(const LDOMDocument& document);
    const LWString& name() const { return m_name; }
    const LWStringArray* imports() const { return m_imports.get(); }

private:
    LWString m_name;
    std::unique_ptr<LWStringArray> m_imports;
};

class XSLTDoc {
public:
    XSLTDoc();
    XSLTDoc(const XSLTDoc& other);
    XSLTDoc& operator=(const XSLTDoc& other);
    virtual ~XSLTDoc() = default;

    void load(const LWString& path, bool importsOnly = false);
    // Compiles a copy of a stylesheet document (see XsltOptimizedImpl).
    void loadDocument(const LDOMDocument& stylesheet, const LWString& baseDirectory = LWString());
    void setExtensionObject(LXsltExtensionObject* extension, const LWString& namespaceUri);
    void setParameter(const LWString& name, const LXsltValue& value);
    LCharBuffer transform(const LDOMNode& source);
    void transformToStream(const LDOMNode& source, LStream& out);
    LDOMDocument transformToDocument(const LDOMNode& source, bool freeThreaded = false);
    LWString getName() const { return m_impl->name(); }
    // True when the name given to load equals the text.
    bool isNamed(const char16_t* name) const { return m_impl->name().compare(name) == 0; }
    // A copy of the import list of an imports-only load; throws LException
    // when the stylesheet has none.
    std::unique_ptr<LWStringArray> getImports() const;

private:
    std::unique_ptr<LXsltOptimized> m_impl;
};

class LXslTransformer {
public:
    // Without an encoding the default code page's IANA charset is used; the
    // stylesheet document's xsl:output/@encoding is changed in place.
    LCharBuffer transform(const LDOMNode& source, LDOMDocument& stylesheet, const char* encoding = nullptr);
    LCharBuffer transform(const LDOMNode& source, XsltDomDocument& stylesheet, const char* encoding = nullptr);
};

// A fresh GUID as 32 upper-case hexadecimal digits.
LWString P3142_MakeGuidString();

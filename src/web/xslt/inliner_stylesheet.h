// One compiled stylesheet with the extension object and the named
// parameters that every transformation made from it receives.  Results are
// a new document or the serialised output written into a stream.
//
// The extension object's functions are registered with each transformation
// under its namespace; a call reaches the object as GetIDsOfNames and
// Invoke, with node-set arguments handed over as node lists and a
// document-fragment result handed back as a node set.  A failed call stops
// the transformation, which then fails with the call's result and text.
//
// Failures raise ComError (code and description): a stylesheet that did not
// load or compile fails the first transformation that uses it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "classlib/base/lstream.h"
#include "classlib/xml/dom.h"
#include "web/xslt/wd_extensions.h"

struct WdCompiledStylesheet;

class WdInlinerStylesheet {
public:
    WdInlinerStylesheet();
    WdInlinerStylesheet(const WdInlinerStylesheet&) = delete;
    WdInlinerStylesheet& operator=(const WdInlinerStylesheet&) = delete;
    ~WdInlinerStylesheet();

    // Loads the file into a new document (a failure is not reported here)
    // and makes it the stylesheet.
    void loadStylesheet(const LWString& path);
    // Compiles the document (a copy of it; the document stays the caller's).
    // Imports without a base of their own resolve against baseDirectory (a
    // path of the environment) when one is given.
    void setStylesheet(const LDOMDocument& document, const LWString& baseDirectory = LWString());
    // Sets or replaces a parameter (a copy of the value).  A node-set value is
    // refused when the transformation runs: a parameter takes text, a number
    // or a boolean.
    void setParameter(const LWString& name, const WdVariant& value);
    void setExtensionObject(WdXsltExtensions* object, const LWString& namespaceUri);

    LDOMDocument transform(const LDOMNode& input, bool freeThreaded);
    void transformToStream(const LDOMNode& input, LStream& stream);

private:
    std::shared_ptr<WdCompiledStylesheet> m_template;
    WdXsltExtensions* m_extension = nullptr;
    LWString m_namespace;
    std::map<LWString, WdVariant> m_parameters;
};

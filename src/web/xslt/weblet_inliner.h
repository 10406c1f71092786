// The weblet inliner: the weblet-design extension object of a technology
// service's generation stylesheet, with one function more, inline-weblet,
// which expands a weblet into a list column at generation time through a
// nested transformation.  The weblet stylesheets that the expansion
// imports are fetched into the temporary generation directory first.
#pragma once

#include <set>
#include <string>

#include "classlib/base/lstrings.h"
#include "classlib/base/trace.h"
#include "classlib/xml/xslt.h"
#include "classlib/xml/xslt_cache.h"
#include "web/xslt/inliner_doc.h"
#include "web/xslt/wd_extensions.h"

class WdWebletInliner;

// What a weblet load asks for: the weblet of the technology-service
// application in the language.
struct WdWebletLoadRequest {
    const char* tsp;
    const char* application;
    const char* weblet;
    const char* language;
};

// Where a delivered weblet goes.
struct WdWebletSinkContext {
    WdWebletInliner* inliner;
    const LWString* targetPath;
    std::set<LWString>* handled;
};

// The sink: (context, ignored, the object server's weblet record) -> 1 done,
// 0 failed.  Only the record's XSL text is read.
using WdWebletSink = long (*)(void* context, long ignored, void* record);
// The loader: non-zero when the weblet's XSL was delivered to the sink.
using WdWebletLoader = int (*)(WdWebletSinkContext* context, WdWebletLoadRequest* request, WdWebletSink sink);

// One compiled stylesheet of the inliner, with its extension object and its
// parameters: the inliner holds three and makes one for every nested
// transformation.
// One stylesheet of the inliner with the extension object and parameters
// every transformation made from it receives.
class WdInlinerStylesheet : public XSLTDoc {
public:
    // Compiles the stylesheet file. A file that does not load or compile is
    // not reported here: the first transformation compiles it again and
    // fails with the reason.
    void loadStylesheet(const char* path);
    // Compiles a copy of the stylesheet document; relative imports resolve
    // from the base directory when one is given.
    void setStylesheet(const LDOMDocument& stylesheet, const LWString& baseDirectory = LWString());
};

class WdWebletInliner : public WdXsltExtensions {
public:
    WdWebletInliner();
    ~WdWebletInliner() override;

    // For the technology-service application and the language; throws
    // WdInlinerException ("initialize: " and the failure).
    virtual void initialize(const char* tsp, const char* application, const char* language, const char* stylesheetsHome,
                            const char* webletDesignDirectory, const char* temporaryDirectory,
                            const char* tspStylesheetPath, WdWebletLoader loader, LTraceWriter* trace);

    LDOMDocumentFragment doInline(WdGenInlinerTsmlDoc& doc, const char* label);
    bool traceEnabled(int32_t level) const { return m_trace && m_trace->isEnabled(level); }
    void traceDom(int32_t level, const LDOMDocument& document);
    LTraceWriter* traceWriter() const override { return m_trace; }

    // Makes sure the file is in the temporary generation directory.
    bool ensureWebletXsl(const LWString& fileName);
    static long putWebletXslInTempDir(void* context, long ignored, void* record);

protected:
    WdInlinerStylesheet m_webroutine;
    WdInlinerStylesheet m_inlineWeblet;
    WdInlinerStylesheet m_formatter;
    LCharBuffer m_tsp;
    LCharBuffer m_application;
    LCharBuffer m_language;
    LWString m_designDirectory;
    LWString m_temporaryDirectory;
    WdWebletLoader m_loader = nullptr;
    LTraceWriter* m_trace = nullptr;
};

class WdGenWebletInliner : public WdWebletInliner {
public:
    static constexpr int32_t kInlineWebletId = 100000;

    WdGenWebletInliner() = default;
    ~WdGenWebletInliner() override = default;

    WdResult GetIDsOfNames(const WdIid& iid, const char16_t* const* names, uint32_t count, uint32_t locale,
                           int32_t* dispids) override;
    WdResult Invoke(int32_t dispid, const WdIid& iid, uint32_t locale, uint16_t flags, WdDispParams* params,
                    WdVariant* result, WdExcepInfo* exception, uint32_t* argumentError) override;
    virtual WdResult inlineWeblet(WdDispParams* params, WdVariant* result, WdExcepInfo* exception,
                                  uint32_t* argumentError);
    std::vector<LWString> functionNames() const override;

    WdGenInlinerTsmlDoc& document() { return m_doc; }

private:
    WdGenInlinerTsmlDoc m_doc;
};

// A new inliner holding one reference.
LComPtr<WdGenWebletInliner> createWebletInliner();

// Adds the hrefs of the stylesheet's top-level imports and includes.
void collectStylesheetImports(std::set<LWString>& hrefs, LDOMDocument& stylesheet);
// Writes the text as the whole content of a new file (an environment path).
void writeToStreamFile(const LWString& fileName, const char* text);
// A working file of the generation that cannot be written ends the job with
// the system's reason (error, an errno value).
[[noreturn]] void P3142_WorkingFolderFailure(const std::string& host, int error);

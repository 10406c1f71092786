// The generation of one Web Application Module: the per-call context and
// message sink of the driver, and the WAM builder that holds what the web
// routines of a WAM share.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "classlib/base/lstrings.h"
#include "classlib/base/trace.h"
#include "classlib/xml/xslt.h"
#include "classlib/xml/xslt_cache.h"
#include "dqov/runcontrol/ffc_check_message.h"
#include "dqov/runcontrol/ffc_context.h"
#include "platform/dqoo/dqoo_wam.h"
#include "web/tsml/tsml_node.h"
#include "web/tsml/weblet_info.h"
#include "web/xslt/weblet_inliner.h"

class WAMBuilder;
class WebRoutineBuilder;

// Web generation modes (the third option word).
enum WebGenerationMode : uint32_t { kWebGenerationNew = 1, kWebGenerationAll = 3 };

// Every message of the generation reaches the run's message store through
// the sink, as message ServicesText (PRC0047) with a severity letter; 'W' and 'F' are
// counted.
class WebMessageSink {
public:
    WebMessageSink();
    void add(char severity, const char* text);
    uint32_t warnings = 0;
    uint32_t fatals = 0;

private:
    FFC_CONTEXT* m_context;
    FFC_CHECK_MESSAGE m_record;
};

// The per-call block of the driver, reached by every enumerator callback.
struct WebGenerationContext {
    std::unique_ptr<LTraceWriter> traceWriter;
    std::unique_ptr<WAMBuilder> wamBuilder;
    std::unique_ptr<WebRoutineBuilder> webRoutineBuilder;
    LCharBuffer stylesheetsHome;
    LCharBuffer globalParameter28;
    LCharBuffer webWorkDirectory;

    WebGenerationContext();
    ~WebGenerationContext();
    void loadStylesheetHome();
    // The context of a callback's user data (a word holding its address).
    static WebGenerationContext& of(void* user) { return **static_cast<WebGenerationContext**>(user); }
};

// A technology-service application for which stylesheets are made.
struct TspApplication {
    LWString tsp, application, description;
    uint32_t savedCount = 0;
    uint32_t failureCount = 0;
    std::pair<LWString, LWString> key() const { return {tsp, application}; }
};

// The WAM's TSP applications in the order the build entries list them.
struct TspApplicationList : std::vector<TspApplication> {
    using std::vector<TspApplication>::vector;
};

// The stylesheets of one technology-service application: its generation
// stylesheet with the weblet inliner as extension object, and its
// definition document.  Copies share the inliner and the compiled stylesheet.
struct TspStylesheetSet {
    LWString key;  // TSP ":" application
    LComPtr<WdGenWebletInliner> inliner;
    XSLTDoc stylesheet;
    XsltDomDocument definition;
};

class WAMBuilder {
public:
    static constexpr size_t kStylesheetCache = 10;

    explicit WAMBuilder(WebMessageSink* sink);

    // Enumerator callbacks.
    static long startWAM(void* module, void* argument, void* user, void* record);
    static long endWAM(void* module, void* argument, void* user, void* record);

    void reportMessage(char severity, const char* text);
    // Runs a step of an enumerator callback; a failure is reported as a
    // fatal message.  True when the step failed.
    template <class F> bool failedStep(F&& step)
    {
        try {
            step();
            return false;
        } catch (const LException& e) {
            reportMessage('F', e.message());
        } catch (const std::exception& e) {
            reportMessage('F', e.what());
        }
        return true;
    }
    void buildTSPAppList();
    void registerEnabledApps();
    void ensureWamLayoutExists(WebGenerationContext& context);
    TspStylesheetSet getTspStylesheetSet(WebGenerationContext& context, const TspApplication& application);
    TechServiceSet buildTechServiceSet(const char* name);
    static long onWebletApp(void* loadContext, long word, void* pair);
    static long addAppToLayoutWebletInfoSet(void* loadContext, long word, void* record);

    LWString getUserId() const { return m_userId; }
    void setTraceWriter(LTraceWriter* writer) { m_trace = writer; }
    void setGenerationMode(uint32_t mode) { m_mode = mode; }

    // Fields, in the order of the model.
    WebMessageSink* m_sink;
    LWString m_userId;
    LWString m_wamName;
    LWString m_description;
    LWString m_partition;
    LWString m_language;
    LWString m_isoLanguage;
    uint32_t m_codePage = 0;
    LCharBuffer m_generationLanguage;
    LWString m_dbcs;
    LWString m_alignRight;
    uint32_t m_numericValidation = 0;
    uint32_t m_inlineOption = 0;
    LWString m_imagesPath;
    LWString m_actionRequest;
    LWString m_layoutName;
    LWString m_providedLayoutName;
    bool m_ownLayout = false;
    bool m_nameProvided = false;
    TspApplicationList m_applications;
    XSLTDoc m_runtimeDataStylesheet;
    uint32_t m_mode = 0;
    std::vector<TspStylesheetSet> m_stylesheetCache;
    uint32_t m_failedRuntimeDataSaves = 0;
    uint32_t m_standardRoutines = 0;
    LTraceWriter* m_trace = nullptr;
    std::map<LWString, TechServiceSet> m_techServiceSets;

    // The generation language as text ("" when none).
    const char* generationLanguage() const { return m_generationLanguage.c_str() ? m_generationLanguage.c_str() : ""; }
    std::string wamName() const { return m_wamName.toUtf8(); }

private:
    void setUp(WebGenerationContext& context, const WamInfo& wam);
    void readWamData();
    TspStylesheetSet makeTspStylesheetSet(WebGenerationContext& context, const TspApplication& application);
};

// What the loads of a field weblet's applications fill: the WAM builder
// and the technology-service set being built.
struct TechServiceLoadContext {
    WAMBuilder* wam;
    TechServiceSet* set;
};

// Field callbacks of the enumerator (the builders' field and list steps).
long P3142_OnWebField(void* module, void* argument, void* user, void* record);
long P3142_OnListStart(void* module, void* argument, void* user, void* record);
long P3142_OnListColumn(void* module, void* argument, void* user, void* record);
long P3142_OnListEnd(void* module, void* argument, void* user, void* record);
void P3142_TraceFieldInfo(LTraceWriter* writer, const FieldInfo& field);

// The weblet load callback of field weblets, and the loader of the inliner.
long P3142_OnFieldWebletLoaded(void* loadContext, long word, void* record);
int P3142_fLoadWeblet(WdWebletSinkContext* context, WdWebletLoadRequest* request, WdWebletSink sink);
LCharBuffer P3142_MakeInlineWebletName(const char* name, uint8_t inlined);

// Writes the document pretty-printed as one trace line.
void P3142_TraceDocument(LTraceWriter* writer, int32_t level, const LDOMDocument& document);

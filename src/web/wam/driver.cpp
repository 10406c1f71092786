// The WAM generation driver: one call per Web Application Module, which
// has the object layer's enumerator walk the WAM with seven callbacks that
// drive the WAM builder and the web routine builders. The export that runs
// the same driver outside a check run is libdqov's (web/web_library.cpp).
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "classlib/base/qvseam.h"
#include "classlib/base/timing.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/web/web.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "platform/dqoz/dqoz.h"
#include "web/wam/web_support.h"
#include "web/wam/webroutine_builder.h"

namespace {

// The generation's working folder, the job's scratch: what a job that
// could not run left there is removed first, and the folder is removed when
// the generation ends, with the folders above it made for it (should the
// job end before that, the job's file work removes them).
class WorkingFolder {
public:
    explicit WorkingFolder(std::string path) : path_(std::move(path))
    {
        std::string host = lqv::hostPath(path_.c_str());
        while (host.size() > 1 && host.back() == '/')
            host.pop_back();
        std::error_code ec;
        for (std::filesystem::path p = host; !p.empty() && p != p.root_path() && !std::filesystem::exists(p, ec);
             p = p.parent_path())
            made_.push_back(p.string());
        DosNoteScratch(path_.c_str());
        OSRV_RemoveDirectoryTree(path_.c_str());
        removeFoldersOfDeadJobs(std::filesystem::path(host).parent_path());
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    ~WorkingFolder()
    {
        OSRV_RemoveDirectoryTree(path_.c_str());
        for (const std::string& folder : made_)
            ::rmdir(folder.c_str());  // kept when another job works there
        DosForgetKeptDirectories();
    }

private:
    // The folders beside it ("J" and a job's identity) of jobs that died
    // without removing theirs go too.
    static void removeFoldersOfDeadJobs(const std::filesystem::path& parent)
    {
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(parent, ec); !ec && it != std::filesystem::directory_iterator();
             it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.size() < 2 || name[0] != 'J' || name.find_first_not_of("0123456789abcdef-", 1) != std::string::npos)
                continue;
            if (!DosJobRuns(name.c_str() + 1)) {
                std::error_code ignored;
                std::filesystem::remove_all(it->path(), ignored);
                DosForgetKeptDirectories();
            }
        }
    }

    std::string path_;
    std::vector<std::string> made_;  // the deepest first
};

const char* modeText(uint32_t mode)
{
    if (mode == WebGenerationMode::kWebGenerationAll)
        return "ALL webroutines";
    if (mode == WebGenerationMode::kWebGenerationNew)
        return "NEW webroutines";
    return "NONE";
}

// The run's system definition: the trace set-up keeps the name of the
// trace file in it (the caller's own block).
FFC_SYSTEM_DEFINITION* systemDefinition()
{
    FFC_CONTEXT* context = P31O2_pGetCurrentRunContext();
    return context ? const_cast<FFC_SYSTEM_DEFINITION*>(context->pSystemDefinition) : nullptr;
}

// Runs a field or list step on the builder of the web routine; a web
// routine that is not generated has none, and the callback answers 0. A
// failure is reported as a warning and the callback answers 1.
template <class F> long builderStep(void* user, F&& step)
{
    WebGenerationContext& context = WebGenerationContext::of(user);
    WebRoutineBuilder* builder = context.webRoutineBuilder.get();
    if (!builder)
        return 0;
    try {
        step(*builder, context.wamBuilder->m_trace);
        return 0;
    } catch (const LException& e) {
        context.wamBuilder->reportMessage('W', e.message());
    } catch (const ComError& e) {
        context.wamBuilder->reportMessage('W', comErrorText(e).c_str());
    } catch (const std::exception& e) {
        context.wamBuilder->reportMessage('W', e.what());
    }
    return 1;
}

// A field or a list column: traced, then added by the builder.
long fieldInfoStep(void* user, void* record, void (WebRoutineBuilder::*add)(const TsmlFieldRecord&))
{
    return builderStep(user, [&](WebRoutineBuilder& builder, LTraceWriter* trace) {
        const auto& info = *static_cast<const FieldInfo*>(record);
        P3142_TraceFieldInfo(trace, info);
        std::vector<TsmlValueEntry> values;
        (builder.*add)(TsmlFieldFromInfo(info, values));
    });
}

}  // namespace

// ---- field and list callbacks ----------------------------------------------------------------

void P3142_TraceFieldInfo(LTraceWriter* w, const FieldInfo& f)
{
    if (!w || !w->isEnabled(3))
        return;
    static constexpr const char* kCaption[] = {"No Id", "Label", "Description", "Headings"};
    static constexpr const char* kUsedFor[] = {"None", "Input", "Output", "Both"};
    const char kShifts[] = " ADEIJMNOSWXY";
    const char shift =
        f.ulKeyboardShift < 256 && std::strchr(kShifts, static_cast<int>(f.ulKeyboardShift)) && f.ulKeyboardShift != 0
            ? static_cast<char>(f.ulKeyboardShift)
            : '?';
    P3142_Trace(w, 3,
                "Name:%-*.*s MaxLen:%-6.6lu Digits:(%-3.3d,%-3.3d) DecSep:'%#x' Type:%c KShift:'%c' Mode:%-6.6s "
                "CaptionRef:%-12.12s For:%s Persistance:%s Input Operation:%s",
                10, 10, f.szName, static_cast<unsigned long>(f.ulMaxLength), f.sTotalDigits, f.sFractionDigits,
                static_cast<unsigned>(static_cast<unsigned char>(f.chDecimalSeparator)), f.chType, shift,
                P3142_pszFieldModeName(f.ulFieldMode),
                f.ulCaptionReference < 4 ? kCaption[f.ulCaptionReference] : "NaN",
                f.ulUsedFor < 4 ? kUsedFor[f.ulUsedFor] : "NaN",
                f.ulPersistence == 0   ? "No"
                : f.ulPersistence == 1 ? "Yes"
                                       : "NaN",
                f.ulInputOperation == 0   ? "Replace"
                : f.ulInputOperation == 1 ? "Merge"
                                          : "NaN");
    const auto text = [](const char* t) { return t ? t : ""; };
    P3142_Trace(
        w, 3,
        "   Description:\"%-*.*s\" Label:\"%-*.*s\" Heading 1:\"%-*.*s\" Heading 2:\"%-*.*s\" Heading 3:\"%-*.*s\"", 40,
        40, text(f.pszDescription), 15, 15, text(f.pszLabel), 20, 20, text(f.pszHeading1), 20, 20, text(f.pszHeading2),
        20, 20, text(f.pszHeading3));
    const uint32_t a = f.ulAttributes;
    const bool none = (a & (WAM_ATTR_LC | WAM_ATTR_HI | WAM_ATTR_ND | WAM_ATTR_DUTC | WAM_ATTR_ASQN)) == 0;
    P3142_Trace(w, 3, "   Attributes:%s%s%s%s%s%s", (a & WAM_ATTR_LC) ? " LC" : "", (a & WAM_ATTR_HI) ? " HI" : "",
                (a & WAM_ATTR_ND) ? " ND" : "", (a & WAM_ATTR_DUTC) ? " DUTC" : "", (a & WAM_ATTR_ASQN) ? " ASQN" : "",
                none ? " None" : "");
    if (f.pszSampleValue) {
        const size_t length = std::strlen(f.pszSampleValue);
        if (length <= 256)
            P3142_Trace(w, 3, "   Sample value [%lu]: \"%s\"", static_cast<unsigned long>(length), f.pszSampleValue);
        else
            P3142_Trace(w, 3, "   Sample value [%lu]: \"%-*.*s ...\"", static_cast<unsigned long>(length), 256, 256,
                        f.pszSampleValue);
    }
    if (f.pszWeblet)
        P3142_Trace(w, 3, "   Weblet:%-*.*s", 40, 40, f.pszWeblet);
    if (f.ulPicklistCount > 0 && f.pPicklist) {
        P3142_Trace(w, 3, "   Picklist entries: %u", f.ulPicklistCount);
        for (uint32_t i = 0; i < f.ulPicklistCount; ++i)
            P3142_Trace(w, 3, "     Caption value pair: \"%s\", \"%s\"", text(f.pPicklist[i].pszCaption),
                        text(f.pPicklist[i].pszValue));
    }
}

long P3142_OnWebField(void*, void*, void* user, void* record)
{
    return fieldInfoStep(user, record, &WebRoutineBuilder::addWebletField);
}

long P3142_OnListColumn(void*, void*, void* user, void* record)
{
    return fieldInfoStep(user, record, &WebRoutineBuilder::addWebletColumn);
}

long P3142_OnListStart(void*, void*, void* user, void* record)
{
    return builderStep(user, [&](WebRoutineBuilder& builder, LTraceWriter* trace) {
        const auto& list = *static_cast<const ListInfo*>(record);
        P3142_Trace(trace, 1, "ListInfo: Name: %s Map for: %s Mode: %s Inline: %s Output format: %s", list.szName,
                    P3142_pszListModeName(list.ulMapFor), P3142_pszFieldModeName(list.ulMode),
                    P3142_pszInlineOptionName(list.ulInline),
                    list.ulOutputFormat == 0   ? "Default"
                    : list.ulOutputFormat == 1 ? "JSON"
                                               : "Invalid");
        builder.startList(list);
    });
}

long P3142_OnListEnd(void*, void*, void* user, void* record)
{
    return builderStep(user, [&](WebRoutineBuilder& builder, LTraceWriter* trace) {
        const auto& list = *static_cast<const ListInfo*>(record);
        P3142_Trace(trace, 1, "End list: Name: %s", list.szName);
        std::unique_ptr<ListTsmlNode> node = std::move(builder.currentList());
        if (node)
            node->writeJsonList();
    });
}

// ---- the driver -----------------------------------------------------------------------------

extern "C" int32_t P3142_fGenerateXMLAndXSLTDocs(void* pvModule, void* pvArgument, uint32_t* pulCounts,
                                                 WebAccessModuleEnumerator pfnEnumerator)
{
    if (pulCounts)
        pulCounts[0] = pulCounts[1] = 0;
    const FFC_OPTION_WORDS* words = P31O2_pGetCurrentOptionWords();
    if (!words)
        return -1;
    LComApartment apartment;
    WebMessageSink sink;
    WebGenerationContext context;
    WebGenerationContext* address = &context;
    int32_t result = -1;
    uint32_t warnings = 0, fatals = 0;
    const auto failed = [&](uint32_t fatalCount, const char* text) {
        warnings = 0;
        fatals = fatalCount;
        if (text)
            sink.add('F', text);
        sink.add('F', P3142_pszGetMessageText(846).c_str());
        result = -1;
    };
    try {
        P3142_SetUpTraceWriter(context.traceWriter, systemDefinition());
        LTraceWriter* trace = context.traceWriter.get();
        P3142_Trace(trace, 1, "P3142_fGenerateXMLAndXSLTDocs started");
        context.wamBuilder = std::make_unique<WAMBuilder>(&sink);
        WAMBuilder& wam = *context.wamBuilder;
        wam.setGenerationMode(words->ulWebMode);
        P3142_Trace(trace, 1, "Generate XSL for: %s", modeText(words->ulWebMode));
        wam.setTraceWriter(trace);
        context.loadStylesheetHome();
        const WorkingFolder working(context.webWorkDirectory.c_str() ? context.webWorkDirectory.c_str() : "");
        const long rc = pfnEnumerator
                            ? pfnEnumerator(pvModule, pvArgument, &address, WAMBuilder::startWAM,
                                            WebRoutineBuilder::startWebRoutine, P3142_OnWebField, P3142_OnListStart,
                                            P3142_OnListColumn, P3142_OnListEnd, WAMBuilder::endWAM)
                            : -1;
        if (rc != 0) {
            fatals = 1;
            LCharBuffer text = P3142_pszGetMessageText(846);
            sink.add('F', text.c_str());
            P3142_Trace(trace, 1, "%s", text.c_str());
        } else {
            warnings = sink.warnings;
            fatals = sink.fatals;
            const std::string name = wam.wamName();
            if (fatals == 0) {
                wam.reportMessage('I', P3142_pszGetMessageText(848, name.c_str()).c_str());
                result = 0;
            } else {
                wam.reportMessage('F', P3142_pszGetMessageText(847, name.c_str()).c_str());
                result = -2;
            }
        }
        P3142_Trace(trace, 1, "P3142_fGenerateXMLAndXSLTDocs completed\r\n\r\n");
    } catch (const LException& e) {
        failed(2, e.message());
    } catch (const ComError& e) {
        failed(2, comErrorText(e).c_str());
    } catch (const std::exception& e) {
        failed(2, e.what());
    }
    if (pulCounts) {
        pulCounts[0] = warnings;
        pulCounts[1] = fatals;
    }
    return result;
}

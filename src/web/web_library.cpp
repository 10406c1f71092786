// Loading of the web library (libdqov_web.so) and the export that runs the
// WAM generation outside a check run.
#include "web/web_library.h"

#include <dlfcn.h>

#include <cstring>
#include <string>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/valid.h"
#include "dqov/web/web.h"

namespace {

constexpr const char* kWebLibraryName = "libdqov_web.so";

// The web library beside libdqov.so: build trees, tests and an installed
// layout all keep the two in one folder.
std::string webLibraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void*>(&P3142_WebFunctions), &info) || !info.dli_fname)
        return kWebLibraryName;
    std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + kWebLibraryName;
}

[[noreturn]] void webLibraryFailure(const std::string& what)
{
    const std::string text = what + " " + FFC_FATAL_ADVICE_REPORT;
    FFC_Fatal_Error(text.c_str());
}

template <typename F> void lookUp(void* library, const std::string& path, const char* name, F*& function)
{
    function = reinterpret_cast<F*>(dlsym(library, name));
    if (!function)
        webLibraryFailure("The web library " + path + " has no function " + name + ".");
}

P3142_WEB_FUNCTIONS loadWebLibrary()
{
    const std::string path = webLibraryPath();
    // Kept loaded until the process ends: its functions stay callable.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();  // names the file
        webLibraryFailure(std::string("The web library cannot be loaded: ") + (reason ? reason : path.c_str()) + ".");
    }
    P3142_WEB_FUNCTIONS functions{};
    lookUp(library, path, "P3142_fGenerateXMLAndXSLTDocs", functions.pfnGenerateXMLAndXSLTDocs);
    lookUp(library, path, "P3142_LoadWebApplicationList", functions.pfnLoadWebApplicationList);
    lookUp(library, path, "P3142_ReleaseWebApplicationList", functions.pfnReleaseWebApplicationList);
    return functions;
}

}  // namespace

const P3142_WEB_FUNCTIONS& P3142_WebFunctions()
{
    static const P3142_WEB_FUNCTIONS functions = loadWebLibrary();
    return functions;
}

extern "C" uint32_t P3142_fGenerateSingleWebRoutineXMLAndXSLTDocs(void* pvModule, void* pvArgument,
                                                                  const FFC_RUN_REQUEST* pRequest,
                                                                  FFC_OPTION_WORDS* pOptions,
                                                                  FFC_MESSAGE_CALLBACK pfnMessages,
                                                                  WebAccessModuleEnumerator pfnEnumerator)
{
    const FFC_SERVICES_ANCHOR* anchor = VALID_pGetServicesAnchor();
    if (!anchor || !anchor->pSystemDefinition || !pvModule || !pvArgument || !pRequest || !pOptions || !pfnEnumerator)
        return static_cast<uint32_t>(-1);
    const P3142_WEB_FUNCTIONS& web = P3142_WebFunctions();
    FFC_CONTEXT context;
    std::memset(&context, 0, sizeof context);
    P31O2_LoadRunEnvironment(&context, pRequest, pOptions, 1);
    P31O2_SetCurrentRunContext(&context);
    P31O2_SetCurrentOptionWords(pOptions);
    uint32_t result = static_cast<uint32_t>(-1);
    if (RS_sCreateMessageStore(&context) == 0) {
        web.pfnLoadWebApplicationList(&context);
        uint32_t counts[2] = {0, 0};
        web.pfnGenerateXMLAndXSLTDocs(pvModule, pvArgument, counts, pfnEnumerator);
        if (pfnMessages)
            P31O2_ListRunMessages(&context, nullptr, nullptr, pfnMessages, pvModule, pvArgument);
        web.pfnReleaseWebApplicationList(&context);
        RS_sDestroyMessageStore(&context);
        result = 0;
    }
    P31O2_FreeRunContext(&context);
    P31O2_SetCurrentRunContext(nullptr);
    P31O2_SetCurrentOptionWords(nullptr);
    return result;
}

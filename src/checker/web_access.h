/* What the checker asks of the web generation at the end of a component's
 * check: the table of the web library's functions that write the documents
 * of its Web Application Modules. The web layer fills it (web/web_library.h:
 * the web library loaded the first time the table is asked for), and the
 * library's assembly hands the checker the function that answers it. */
#ifndef CHECKER_WEB_ACCESS_H
#define CHECKER_WEB_ACCESS_H

#include <cstdint>

#include "dqov/runcontrol/ffc_context.h"
#include "platform/dqoo/dqoo_wam.h"

/* The web library's functions that libdqov calls (include/dqov/web/web.h). */
struct P3142_WEB_FUNCTIONS {
    int32_t (*pfnGenerateXMLAndXSLTDocs)(void* pvModule, void* pvArgument, uint32_t* pulCounts,
                                         WebAccessModuleEnumerator pfnEnumerator);
    void (*pfnLoadWebApplicationList)(FFC_CONTEXT* pContext);
    void (*pfnReleaseWebApplicationList)(FFC_CONTEXT* pContext);
};

/* Installs the function that answers the table; asked only when a checked
 * component holds WAMs. Without one, such a check ends fatally. */
void P3100_UseWebFunctions(const P3142_WEB_FUNCTIONS& (*pfnWebFunctions)());

#endif

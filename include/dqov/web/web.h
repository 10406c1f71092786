/* Generation of the documents of Web Application Modules (WAMs): for every
 * STANDARD web routine of a WAM its generation metadata, one stylesheet per
 * technology-service application and its runtime-data document, and the
 * WAM's layout weblet, all stored through the object server.
 * P3142_fGenerateSingleWebRoutineXMLAndXSLTDocs is libdqov's; the others are
 * the web library's (libdqov_web.so), which libdqov loads when a job needs
 * them and reaches through a table of their addresses (web/web_library.h). */
#ifndef DQOV_WEB_H
#define DQOV_WEB_H

#include <stdint.h>

#include "dqov/runcontrol/ffc_message_callback_record.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqoo/dqoo_wam.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Generates the WAM that the enumerator walks (module handle and second
 * argument are handed to it).  pulCounts receives (warnings, fatal errors).
 * 0 without fatal errors, -2 with fatal errors, -1 when there is no run
 * (no option words), the enumeration failed or the generation broke off.
 * Messages go to the current run's message store. */
int32_t P3142_fGenerateXMLAndXSLTDocs(void* pvModule, void* pvArgument, uint32_t* pulCounts,
                                      WebAccessModuleEnumerator pfnEnumerator);

/* The same outside a check run, around a run context of its own made from
 * the run request; the run's messages are listed to pfnMessages (may be
 * NULL) by run mode.  0, or -1 (all bits set) when the services are not
 * initialised or an argument is missing. */
uint32_t P3142_fGenerateSingleWebRoutineXMLAndXSLTDocs(void* pvModule, void* pvArgument,
                                                       const FFC_RUN_REQUEST* pRequest, FFC_OPTION_WORDS* pOptions,
                                                       FFC_MESSAGE_CALLBACK pfnMessages,
                                                       WebAccessModuleEnumerator pfnEnumerator);

/* Fills the run context's web application list from the partition's web
 * application build entries (TSP, application, description); the list
 * lasts until the next fill or release. */
void P3142_LoadWebApplicationList(FFC_CONTEXT* pContext);
void P3142_ReleaseWebApplicationList(FFC_CONTEXT* pContext);

#ifdef __cplusplus
}
#endif

#endif

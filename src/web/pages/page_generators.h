/*
** page_generators.h: the HTML and the XML page generators of a
** web-enabled function, and the run driver's steps that call them.
**
** Each generator runs after the function's code is generated, reads the
** web records of its panels (web_records.h) and the function's SYSFLAGS
** record, and stores one page per panel in the repository: a header row in
** QV_X01, the page's lines in QV_X02 (set 0, after the older sets were
** rolled) and the browse-list columns in QV_X04. The HTML pages are made
** from the skeleton WEBSKEL.S (or one tailored per function, process or
** partition), the XML pages from XMLSKEL.S. Every failure ends the
** process; on return the pages are written into the job's unit of work,
** which the run driver commits with everything else the job did.
*/
#ifndef WEB_PAGES_PAGE_GENERATORS_H
#define WEB_PAGES_PAGE_GENERATORS_H

#include <cstdint>

#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/* HTML pages, when SYSFLAGS byte 56 is 'Y'. ulNumericValidation: bit 15
** of the run's option word (non-zero: numeric fields are validated). */
void DC_P3137_WebPageGenerator(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const char* pszRoot,
                               uint32_t ulNumericValidation);
/* XML pages, when SYSFLAGS byte 60 is 'Y'. */
void DC_P3140_XmlPageGenerator(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const char* pszRoot);

/* The run driver's steps: the root directory from the system definition,
** the numeric validation option from the run's option word. */
int32_t P3137_lHtmlPagesStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);
int32_t P3140_lXmlPagesStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);

#ifdef __cplusplus
}
#endif

#endif

/*
** page_sets.h: the older generations ("sets") of a function's web pages.
**
** Before a page generator writes a function's pages as set 0, the lines
** already stored move one set up (set 0 to 1, 1 to 2 ...) and the sets
** beyond the depth the services library gives are deleted. With a depth of
** 0, or when the function has no page header, only set 0 is deleted. The
** roll covers one partition, page environment, sub-environment and
** language; nothing is committed here.
*/
#ifndef WEB_PAGES_PAGE_SETS_H
#define WEB_PAGES_PAGE_SETS_H

#include <cstdint>

#include "dqov/runcontrol/ffc_context.h"

/* 1 when done, 0 after an SQL failure (the caller reports it). */
int16_t P3137_RollSets(FFC_CONTEXT* pContext, const char* pszPartition, const char* pszProcess, const char* pszFunction,
                       const char* pszEnvironment, const char* pszSubEnvironment, const char* pszLanguage);

#endif

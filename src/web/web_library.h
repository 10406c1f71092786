/*
** web_library.h: the web library, libdqov_web.so, as the rest of the
** library reaches it.
**
** The documents of Web Application Modules are written with libxml2 and
** libxslt (web/tsml, web/wam, web/xslt and classlib/xml). That code is a
** library of its own, so that a job that generates no such documents does
** not map the XML libraries and what they pull in. It is loaded from the
** folder that holds libdqov.so, the first time a job needs it, and reached
** through a table of its functions looked up once. A library that cannot
** be loaded, or lacks one of the functions, ends the run through
** FFC_Fatal_Error.
*/
#ifndef WEB_WEB_LIBRARY_H
#define WEB_WEB_LIBRARY_H

#include "checker/web_access.h"

/* The table, the web library loaded on the first call. */
const P3142_WEB_FUNCTIONS& P3142_WebFunctions();

#endif

// The document formatter of the generation trace: an identity stylesheet
// that starts every node other than text on a line of its own and keeps the
// script and JSON-list texts as CDATA sections.
#pragma once

#include "classlib/base/lstrings.h"

// The stylesheet's text (XML declaration, encoding UTF-8).
LWString P3142_TraceFormatterText();

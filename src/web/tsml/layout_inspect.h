// Inspection of a WAM layout weblet's stylesheet into its layout weblet
// information.
#pragma once

#include "classlib/xml/dom.h"
#include "web/tsml/weblet_info.h"

// Reads the stylesheet into info: the template reference (the base name,
// ".layout" for an old-style weblet, then "." and the layout template's
// name), the default theme's styles and the override templates (not for an
// old-style weblet) and the layout template's parameters.  DOM failures
// become TSMLException; what was added before stays.
void TsmlLayoutWebletInspect(LayoutWebletInfo& info, LDOMDocument& stylesheet, const LWString& baseName,
                             const void* reserved);

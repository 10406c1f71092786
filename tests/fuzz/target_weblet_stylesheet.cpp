// The readers of web stylesheets: any text as a weblet's stylesheet, read as
// the WAM generation reads one: the template a reference names and its
// parameters (field weblets), the stylesheets it imports (the inliner's
// working files) and its layout information (layout weblets). The first
// line of the input is the reference name ("weblet.template"), the rest
// the stylesheet.
#include "fuzz_target.h"

#include <set>
#include <string>

#include "classlib/base/lexception.h"
#include "classlib/xml/com_error.h"
#include "classlib/xml/dom.h"
#include "web/tsml/layout_inspect.h"
#include "web/tsml/tsml_node.h"
#include "web/tsml/tsml_factories.h"
#include "web/xslt/weblet_inliner.h"

DQOV_FUZZ_TARGET(weblet_stylesheet)
{
    const std::string text = dqov_fuzz::Text(data, size);
    const size_t end = text.find('\n');
    const std::string reference = end == std::string::npos ? std::string() : text.substr(0, end);
    const std::string xsl = end == std::string::npos ? text : text.substr(end + 1);
    try {
        const LWString name = LWString::fromUtf8(reference.c_str());
        LDOMDocument stylesheet(false, false);
        stylesheet.loadXML(LWString::fromUtf8(xsl.data(), xsl.size()));
        if (WebletXsl_hasTemplate(name, stylesheet)) {
            FieldWebletInfo field;
            WebletXsl_readTemplateParams(field, stylesheet, name);
        }
        std::set<LWString> imports;
        collectStylesheetImports(imports, stylesheet);
        LDOMDocument layoutDocument(false, true);
        WamLayoutTsmlDoc layout(&layoutDocument, u"wam_layout", u"Layout");
        LayoutWebletInfo info(LWStringRecord3("HTML", "DESKTOP", ""), "1", LWString(), layout);
        TsmlLayoutWebletInspect(info, stylesheet, webletPart(name), nullptr);
    } catch (const LException&) {
    } catch (const ComError&) {}
}

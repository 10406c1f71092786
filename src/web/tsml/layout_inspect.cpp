// Inspection of a layout weblet stylesheet: its default theme's styles, the
// templates that override standard templates, the layout template and that
// template's parameters.
#include "web/tsml/layout_inspect.h"

#include "web/tsml/tsml_factories.h"
#include "web/tsml/tsml_names.h"

using namespace tsml;

namespace {

LWString selectedValue(const LDOMNode& node, const char16_t* xpath)
{
    LDOMNode a = node.selectSingleNode(xpath);
    return a.isNull() ? LWString() : a.getNodeValue();
}

// The template whose name equals the reference as a whole.
LDOMNode templateNamed(LDOMDocument& stylesheet, const LWString& name)
{
    LDOMNodeList templates = stylesheet.selectNodes(u"/xsl:transform/xsl:template[@name]");
    for (int32_t i = 0; i < templates.getLength(); ++i) {
        LDOMNode t = templates.item(i);
        if (attributeValue(t, u"name").compare(name) == 0)
            return t;
    }
    return LDOMNode();
}

void readThemeAndOverrides(LayoutWebletInfo& info, LDOMDocument& stylesheet)
{
    LDOMNodeList styles = stylesheet.selectNodes(u"/xsl:transform/wd:definition/wd:default-theme/wd:style");
    if (styles.getLength() > 0) {
        StyleFactory factory(*info.document);
        for (int32_t i = 0; i < styles.getLength(); ++i) {
            LWString name = attributeValue(styles.item(i), u"name");
            if (!name.isNull() && name.length() > 0)
                info.defaultTheme.appendChild(factory.build(name));
        }
    }
    LDOMNodeList templates = stylesheet.selectNodes(u"/xsl:transform/xsl:template[@name]");
    for (int32_t i = 0; i < templates.getLength(); ++i) {
        LDOMNode t = templates.item(i);
        if (attributeValue(t, u"name").endsWith(u".override"))
            info.templateOverrides.appendChild(t.cloneNode(true));
    }
}

void readLayoutTemplate(LayoutWebletInfo& info, LDOMDocument& stylesheet)
{
    LDOMNode layout = stylesheet.selectSingleNode(u"/xsl:transform/xsl:template[@wd:role = 'std:layout']");
    if (layout.isNull())
        layout = templateNamed(stylesheet, info.templateReference);
    if (layout.isNull())
        return;
    info.templateReference.append(u".");
    info.templateReference.append(attributeValue(layout, u"name"));
    LDOMNodeList params = layout.selectNodes(u"./xsl:param[@name]");
    for (int32_t i = 0; i < params.getLength(); ++i) {
        LDOMNode p = params.item(i);
        info.templateParams.push_back({attributeValue(p, u"name"), selectedValue(p, u"@wd:role"),
                                       selectedValue(p, u"@wd:type"), selectedValue(p, u"@wd:tip_id"),
                                       attributeValue(p, u"select")});
    }
}

}  // namespace

void TsmlLayoutWebletInspect(LayoutWebletInfo& info, LDOMDocument& stylesheet, const LWString& baseName, const void*)
{
    try {
        info.templateReference = baseName;
        stylesheet.setProperty(LDOMProperty_SelectionNamespaces, xslWdSelection(" "));
        if (!stylesheet.selectSingleNode(u"/xsl:transform/xsl:template[@name = 'layout']").isNull()) {
            info.oldStyle = true;
            info.templateReference.append(u".layout");
        }
        if (!info.oldStyle)
            readThemeAndOverrides(info, stylesheet);
        readLayoutTemplate(info, stylesheet);
    } catch (const LDOMException& e) {
        throw TSMLException(e.message());
    } catch (const ComError& e) {
        throw TSMLException(comErrorText(e).c_str());
    }
}

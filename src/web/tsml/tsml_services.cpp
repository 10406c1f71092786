// Technology-service and weblet template elements: tsml:style,
// tsml:template-param, tsml:with-param, tsml:technology-service (field and
// layout forms), tsml:weblet and tsml:technology-service-list; and the two
// reads of a weblet stylesheet that collect a template's parameters.
#include <string>

#include "web/tsml/tsml_factories.h"
#include "web/tsml/tsml_names.h"

using namespace tsml;

// ---- tsml:style, tsml:template-param, tsml:with-param ---------------------------------

StyleFactory::StyleFactory(LDOMDocument& doc)
{
    m_style = element(doc, u"tsml:style");
    m_name = attach(doc, m_style, u"name", LWString(u""));
}

LDOMElement StyleFactory::build(const LWString& name)
{
    m_name.setValue(name);
    return m_style.cloneNode(false);
}

TemplateParamFactory::TemplateParamFactory(LDOMDocument& doc)
{
    m_param = element(doc, u"tsml:template-param");
    m_param.appendChild(elementWithText(doc, u"tsml:param-name", &m_name));
    m_role = elementWithText(doc, u"tsml:param-role", &m_roleText);
    m_type = elementWithText(doc, u"tsml:param-type", &m_typeText);
    m_tipId = elementWithText(doc, u"tsml:param-tip_id", &m_tipIdText);
    m_select = elementWithText(doc, u"tsml:param-select", &m_selectText);
}

LDOMElement TemplateParamFactory::build(const TemplateParamInfo& p)
{
    m_name.setData(p.name);
    LDOMElement result = m_param.cloneNode(true);
    const struct {
        const LWString& value;
        LDOMText& text;
        LDOMElement& part;
    } optional[] = {{p.role, m_roleText, m_role},
                    {p.type, m_typeText, m_type},
                    {p.tipId, m_tipIdText, m_tipId},
                    {p.select, m_selectText, m_select}};
    for (const auto& o : optional) {
        if (o.value.isNull())
            continue;
        o.text.setData(o.value);
        result.appendChild(o.part.cloneNode(true));
    }
    return result;
}

WithParamFactory::WithParamFactory(LDOMDocument& doc)
{
    m_withParam = element(doc, u"tsml:with-param");
    m_withParam.appendChild(elementWithText(doc, u"tsml:param-name", &m_name));
    m_withParam.appendChild(elementWithText(doc, u"tsml:param-value", &m_value));
}

LDOMElement WithParamFactory::build(const LWString& name, const LWString& value)
{
    m_name.setData(name);
    m_value.setData(value);
    return m_withParam.cloneNode(true);
}

// ---- tsml:technology-service ---------------------------------------------------------

WebletInfoFactory::WebletInfoFactory(LDOMDocument& doc) : m_doc(&doc), m_params(doc)
{
    m_service = element(doc, u"tsml:technology-service");
    m_name = attach(doc, m_service, u"name", LWString(u""));
    m_modId = attach(doc, m_service, u"mod-id", LWString(u""));
    m_proxyFormat = doc.createAttribute(LWString(u"proxy-format"));
    m_templateParams = element(doc, u"tsml:template-params");
}

LDOMElement WebletInfoFactory::buildTemplateParams(const WebletInfo& entry)
{
    LDOMElement params = m_templateParams.cloneNode(true);
    for (const TemplateParamInfo& p : entry.templateParams)
        if (!p.name.isNull())
            params.appendChild(m_params.build(p));
    return params;
}

LDOMElement WebletInfoFactory::build(const FieldWebletInfo& entry)
{
    try {
        m_name.setValue(entry.serviceName());
        m_modId.setValue(entry.modificationId);
        const bool proxy = !entry.proxyFormat.isNull();
        if (proxy) {
            m_proxyFormat.setValue(entry.proxyFormat);
            m_service.setAttributeNode(m_proxyFormat);
        }
        LDOMElement result = m_service.cloneNode(true);
        if (proxy)
            m_service.removeAttributeNode(m_proxyFormat);
        result.appendChild(buildTemplateParams(entry));
        return result;
    } catch (const LDOMException& e) {
        throw TSMLException(e.message());
    }
}

LayoutWebletInfoFactory::LayoutWebletInfoFactory(LDOMDocument& doc) : WebletInfoFactory(doc)
{
    m_layoutService = element(doc, u"tsml:technology-service");
    m_layoutName = attach(doc, m_layoutService, u"name", LWString(u""));
    m_layoutModId = attach(doc, m_layoutService, u"mod-id", LWString(u""));
    m_webletName = attach(doc, m_layoutService, u"weblet-name", LWString(u""));
    m_isWamLayout = attach(doc, m_layoutService, u"is-wam-layout", LWString(u"false"));
}

LDOMElement LayoutWebletInfoFactory::build(const LayoutWebletInfo& entry)
{
    try {
        m_layoutName.setValue(entry.serviceName());
        m_layoutModId.setValue(entry.modificationId);
        m_webletName.setValue(entry.webletName.isNull() ? LWString(u"") : entry.webletName);
        m_isWamLayout.setValue(entry.wamLayout ? u"true" : u"false");
        LDOMElement result = m_layoutService.cloneNode(true);
        LDOMElement theme = entry.defaultTheme, overrides = entry.templateOverrides;
        result.appendChild(theme);
        result.appendChild(buildTemplateParams(entry));
        result.appendChild(overrides);
        return result;
    } catch (const LDOMException& e) {
        throw TSMLException(e.message());
    } catch (const ComError& e) {
        throw TSMLException(comErrorText(e).c_str());
    }
}

// ---- tsml:weblet ----------------------------------------------------------------------

WebletFactory::WebletFactory(LDOMDocument& doc) : m_info(doc)
{
    m_weblet = element(doc, u"tsml:weblet");
    m_name = attach(doc, m_weblet, u"name", LWString(u""));
    m_services = element(doc, u"tsml:technology-services");
}

LDOMElement WebletFactory::build(const TechServiceSet& set)
{
    m_name.setValue(set.name);
    LDOMElement weblet = m_weblet.cloneNode(true);
    LDOMElement services = m_services.cloneNode(true);
    weblet.appendChild(services);
    for (const FieldWebletInfo& entry : set.entries)
        services.appendChild(m_info.build(entry));
    return weblet;
}

// ---- tsml:technology-service-list -------------------------------------------------------

TechnologyServiceList::TechnologyServiceList(LDOMDocument& doc) : m_doc(&doc)
{
    m_list = tsml::element(doc, u"tsml:technology-service-list");
    m_service = tsml::element(doc, u"tsml:technology-service");
    m_usedBy = attach(doc, m_service, u"used_by", LWString(u""));
    m_langCount = attach(doc, m_service, u"lang-count", LWString(u"0"));
}

TechnologyServiceList::TechnologyServiceList(const TechnologyServiceList& other, bool)
    : TechnologyServiceList(*other.m_doc)
{
    m_list = other.m_list.cloneNode(true);
}

void TechnologyServiceList::add(const LWString& first, const LWString& second, int32_t languageCount)
{
    m_usedBy.setValue(LWString::concat(first, u"_") + second);
    std::string count = std::to_string(languageCount);
    if (count.size() > 9)
        count.resize(9);
    m_langCount.setValue(LWString::fromMultiByte(count.c_str()));
    m_list.appendChild(m_service.cloneNode(false));
}

std::unique_ptr<TechnologyServiceList> TsmlAddTechnologyServiceList(LDOMDocument& doc)
{
    return std::make_unique<TechnologyServiceList>(doc);
}

std::unique_ptr<TechnologyServiceList> TsmlAddTechnologyServiceList(const TechnologyServiceList& other)
{
    return std::make_unique<TechnologyServiceList>(other, true);
}

void TsmlAddTechnologyService(TechnologyServiceList& list, const std::pair<LWString, LWString>& key,
                              int32_t languageCount)
{
    list.add(key.first, key.second, languageCount);
}

// ---- reads of a weblet stylesheet -------------------------------------------------------

namespace {

// The template of the stylesheet that the reference names; the template
// name is compared as a whole, so quotes or length in it change nothing.
LDOMNode namedTemplate(const LWString& referenceName, LDOMDocument& weblet)
{
    weblet.setProperty(LDOMProperty_SelectionNamespaces, xslWdSelection(" "));
    const LWString wanted = templatePart(referenceName);
    if (wanted.isNull() || wanted.length() == 0)
        return LDOMNode();
    LDOMNodeList templates = weblet.selectNodes(u"/xsl:transform/xsl:template[@name]");
    for (int32_t i = 0; i < templates.getLength(); ++i) {
        LDOMNode t = templates.item(i);
        if (attributeValue(t, u"name").compare(wanted) == 0)
            return t;
    }
    return LDOMNode();
}

// The value of a namespaced attribute ("@wd:role"); null when absent.
LWString selectedValue(const LDOMNode& node, const char16_t* xpath)
{
    LDOMNode a = node.selectSingleNode(xpath);
    return a.isNull() ? LWString() : a.getNodeValue();
}

}  // namespace

bool WebletXsl_hasTemplate(const LWString& referenceName, LDOMDocument& weblet)
{
    return !namedTemplate(referenceName, weblet).isNull();
}

void WebletXsl_readTemplateParams(FieldWebletInfo& entry, LDOMDocument& weblet, const LWString& referenceName)
{
    LDOMNode t = namedTemplate(referenceName, weblet);
    if (t.isNull())
        return;
    LDOMNodeList params = t.selectNodes(u"xsl:param[@wd:role][@name]");
    for (int32_t i = 0; i < params.getLength(); ++i) {
        LDOMNode p = params.item(i);
        TemplateParamInfo info;
        info.name = attributeValue(p, u"name");
        info.role = selectedValue(p, u"@wd:role");
        entry.templateParams.push_back(info);
    }
    LDOMNode proxy = t.selectSingleNode(u"xsl:param[@name = 'name'][@wd:proxy-format]");
    if (!proxy.isNull())
        entry.proxyFormat = selectedValue(proxy, u"@wd:proxy-format");
}

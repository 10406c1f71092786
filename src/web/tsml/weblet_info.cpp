// Weblet information records.
#include "web/tsml/weblet_info.h"

#include <libxml/tree.h>

#include "web/tsml/tsml_names.h"
#include "web/tsml/tsml_node.h"

WebletInfo::WebletInfo(const LWStringRecord3& key, const char* modificationId)
    : serviceKey(key), modificationId(LWString::fromMultiByte(modificationId))
{}

WebletInfo& WebletInfo::operator=(const WebletInfo& other)
{
    if (this == &other)
        return *this;
    templateParams = other.templateParams;
    serviceKey = other.serviceKey;
    modificationId = other.modificationId;
    return *this;
}

FieldWebletInfo& FieldWebletInfo::operator=(const WebletInfo& other)
{
    if (auto* field = dynamic_cast<const FieldWebletInfo*>(&other))
        return *this = *field;
    WebletInfo::operator=(other);
    return *this;
}

FieldWebletInfo& FieldWebletInfo::operator=(const FieldWebletInfo& other)
{
    if (this == &other)
        return *this;
    WebletInfo::operator=(other);
    proxyFormat = other.proxyFormat;
    return *this;
}

LayoutWebletInfo::LayoutWebletInfo(const LWStringRecord3& key, const char* modificationId,
                                   const LWString& namespaceText, const TsmlNode& node)
    : WebletInfo(key, modificationId), document(node.getDocument())
{
    defaultTheme = tsml::element(*document, u"tsml:default-theme");
    templateOverrides = tsml::element(*document, u"tsml:template-overrides");
    tsml::declareNamespace(templateOverrides, "xsl", tsml::kXslNamespace);
    std::string uri = namespaceText.isNull() ? std::string() : namespaceText.toUtf8();
    if (!uri.empty()) {
        // The default namespace of the weblet stylesheet, declared as written.
        xmlNewNs(templateOverrides.raw(), BAD_CAST uri.c_str(), nullptr);
    }
}

LayoutWebletInfo& LayoutWebletInfo::operator=(const WebletInfo& other)
{
    if (auto* layout = dynamic_cast<const LayoutWebletInfo*>(&other))
        return *this = *layout;
    WebletInfo::operator=(other);
    return *this;
}

LayoutWebletInfo& LayoutWebletInfo::operator=(const LayoutWebletInfo& other)
{
    if (this == &other)
        return *this;
    WebletInfo::operator=(other);
    document = other.document;
    templateReference = other.templateReference;
    defaultTheme = other.defaultTheme;
    templateOverrides = other.templateOverrides;
    oldStyle = other.oldStyle;
    webletName = other.webletName;
    wamLayout = other.wamLayout;
    return *this;
}

bool WebletInfoOrder::operator()(const WebletInfo& a, const WebletInfo& b) const
{
    if (int c = a.serviceKey.s1.compare(b.serviceKey.s1); c != 0)
        return c < 0;
    if (int c = a.serviceKey.s2.compare(b.serviceKey.s2); c != 0)
        return c < 0;
    return a.serviceKey.s3.compare(b.serviceKey.s3) < 0;
}

LWString webletPart(const LWString& name)
{
    return name.leftOf(u'.');
}

LWString templatePart(const LWString& name)
{
    return name.rightOf(u'.');
}

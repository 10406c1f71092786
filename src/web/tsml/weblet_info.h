// What a weblet offers per technology-service application: the template
// parameters, the service key, the modification id and, for field weblets,
// the proxy format; for layout weblets the default theme, the template
// overrides and the layout template.  The records are values; the DOM
// elements of a layout record are shared between copies.
#pragma once

#include <set>
#include <vector>

#include "classlib/base/lstrings.h"
#include "classlib/xml/dom.h"

class TsmlNode;

// One parameter of a weblet template.
struct TemplateParamInfo {
    LWString name, role, type, tipId, select;
};

class WebletInfo {
public:
    WebletInfo() = default;
    WebletInfo(const LWStringRecord3& serviceKey, const char* modificationId);
    WebletInfo(const WebletInfo&) = default;
    virtual ~WebletInfo() = default;
    virtual WebletInfo& operator=(const WebletInfo& other);

    std::vector<TemplateParamInfo> templateParams;
    LWStringRecord3 serviceKey;  // TSP, application, a third text
    LWString modificationId;

    // The name written for the technology service: TSP ":" application.
    LWString serviceName() const { return LWString::joinWithColon(serviceKey.s1, serviceKey.s2); }
};

class FieldWebletInfo : public WebletInfo {
public:
    FieldWebletInfo() = default;
    FieldWebletInfo(const LWStringRecord3& serviceKey, const char* modificationId)
        : WebletInfo(serviceKey, modificationId)
    {}
    FieldWebletInfo(const FieldWebletInfo&) = default;
    FieldWebletInfo& operator=(const WebletInfo& other) override;
    FieldWebletInfo& operator=(const FieldWebletInfo& other);

    LWString proxyFormat;  // null: absent
};

class LayoutWebletInfo : public WebletInfo {
public:
    LayoutWebletInfo() = default;
    LayoutWebletInfo(const LWStringRecord3& serviceKey, const char* modificationId, const LWString& namespaceText,
                     const TsmlNode& node);
    LayoutWebletInfo(const LayoutWebletInfo&) = default;
    LayoutWebletInfo& operator=(const WebletInfo& other) override;
    LayoutWebletInfo& operator=(const LayoutWebletInfo& other);

    LDOMDocument* document = nullptr;  // of the WAM layout document, not owned
    LWString templateReference;
    LDOMElement defaultTheme;       // tsml:default-theme
    LDOMElement templateOverrides;  // tsml:template-overrides
    bool oldStyle = false;
    LWString webletName;     // the model weblet the record describes
    bool wamLayout = false;  // the weblet is the WAM's own layout
};

// Records are ordered by their service key.
struct WebletInfoOrder {
    bool operator()(const WebletInfo& a, const WebletInfo& b) const;
};

// The technology services that offer one weblet (name "weblet.template").
struct TechServiceSet {
    LWString name;
    std::set<FieldWebletInfo, WebletInfoOrder> entries;
    bool isEmpty() const { return entries.empty(); }
};

using LayoutWebletInfoSet = std::set<LayoutWebletInfo, WebletInfoOrder>;

// The parts of a weblet reference name around its first '.': the weblet,
// and the template (empty when there is no '.').
LWString webletPart(const LWString& name);
LWString templatePart(const LWString& name);

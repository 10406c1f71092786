// Element factories of the TSML documents.  Each factory belongs to one
// document: its constructor makes the prototype nodes once (never placed in
// the tree); a build writes the values into the prototype, returns a deep
// clone and clones in the optional parts that have a value.  A value a build
// does not write keeps what the previous build wrote.  Copies of a factory
// share its prototypes.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "classlib/xml/dom.h"
#include "web/tsml/tsml_records.h"
#include "web/tsml/weblet_info.h"

// ---- runtime data ------------------------------------------------------------

class QvmlItemFactory {
public:
    QvmlItemFactory() = default;
    explicit QvmlItemFactory(LDOMDocument& doc);
    // Caption and value are texts of the repository, in the code page given.
    LDOMElement build(const char* caption, const char* value, const char* variable, uint32_t isDefault,
                      uint32_t codePage = 0);

private:
    LDOMElement m_item;
    LDOMText m_value;
    LDOMElement m_caption;
    LDOMText m_captionText;
    LDOMElement m_variableCaption;
    LDOMAttribute m_variableName;
    LDOMAttribute m_default;
};

class QvmlSelectOneFactory {
public:
    QvmlSelectOneFactory() = default;
    explicit QvmlSelectOneFactory(LDOMDocument& doc);
    LDOMElement build(const LWString& webletName, const LWString& id, uint32_t count, const TsmlValueEntry* entries,
                      uint32_t codePage = 0);

private:
    QvmlItemFactory m_items;
    LDOMElement m_selectOne;
    LDOMAttribute m_id;
    LDOMAttribute m_webletName;
};

// ---- fields, columns, headers (TSML field elements) -------------------------------

class FormatFactory {
public:
    FormatFactory() = default;
    explicit FormatFactory(LDOMDocument& doc);
    LDOMElement build(const TsmlFieldRecord& field);

private:
    LDOMElement m_format;
    LDOMText m_type, m_displayMaxLength, m_maxLength;
    std::vector<LDOMElement> m_caseParts;  // input-case, keyboardshift
    LDOMText m_inputCase, m_keyboardShift;
    std::vector<LDOMElement> m_digitParts;  // total-digits, fraction-digits, decimal-separator
    LDOMText m_totalDigits, m_fractionDigits, m_decimalSeparator;
    LDOMElement m_nonDisplay, m_displayHi, m_displayUtc, m_sqlNullable;
};

class CaptionFactory {
public:
    CaptionFactory() = default;
    explicit CaptionFactory(LDOMDocument& doc);
    LDOMElement build(const TsmlFieldRecord& field, const uint32_t* codePage);

private:
    LDOMElement m_caption;
    LDOMAttribute m_ref;
    LDOMText m_label, m_description, m_heading1, m_heading2, m_heading3;
};

class UseWebletFactory {
public:
    UseWebletFactory() = default;
    explicit UseWebletFactory(LDOMDocument& doc);
    LDOMElement build(const WebletReference& reference);

private:
    LDOMElement m_useWeblet;
    LDOMAttribute m_name;
    LDOMElement m_selectOneId;
    LDOMText m_id;
};

class FieldFactory {
public:
    FieldFactory() = default;
    explicit FieldFactory(LDOMDocument& doc);
    LDOMElement build(const TsmlFieldRecord& field, const uint32_t* codePage, const WebletReference& reference);

private:
    LDOMElement m_field;
    LDOMAttribute m_name;
    LDOMText m_mode, m_sample;
    FormatFactory m_format;
    CaptionFactory m_caption;
    UseWebletFactory m_useWeblet;
};

class ColumnFactory {
public:
    ColumnFactory() = default;
    explicit ColumnFactory(LDOMDocument& doc);
    // The field's name and sample value are converted from the code page given.
    LDOMElement build(const TsmlFieldRecord& field, const WebletReference& reference, uint32_t codePage = 0);

private:
    LDOMElement m_column;
    LDOMAttribute m_name;
    LDOMText m_mode, m_sample;
    FormatFactory m_format;
    UseWebletFactory m_useWeblet;
};

class HeaderFactory {
public:
    HeaderFactory() = default;
    explicit HeaderFactory(LDOMDocument& doc);
    virtual ~HeaderFactory() = default;
    HeaderFactory(const HeaderFactory&) = default;
    HeaderFactory& operator=(const HeaderFactory&) = default;
    LDOMElement build(const TsmlFieldRecord& field, const uint32_t* codePage);

private:
    LDOMElement m_header;
    LDOMAttribute m_name;
    LDOMText m_heading1, m_heading2, m_heading3;
};

// "tsml:lists" with default-sample-size="5".
LDOMElement TsmlCreateListsElement(LDOMDocument& doc);

// ---- technology services and weblet templates ----------------------------------------

class StyleFactory {
public:
    explicit StyleFactory(LDOMDocument& doc);
    LDOMElement build(const LWString& name);

private:
    LDOMElement m_style;
    LDOMAttribute m_name;
};

class TemplateParamFactory {
public:
    TemplateParamFactory() = default;
    explicit TemplateParamFactory(LDOMDocument& doc);
    LDOMElement build(const TemplateParamInfo& param);

private:
    LDOMElement m_param;
    LDOMText m_name;
    LDOMElement m_role, m_type, m_tipId, m_select;
    LDOMText m_roleText, m_typeText, m_tipIdText, m_selectText;
};

class WithParamFactory {
public:
    WithParamFactory() = default;
    explicit WithParamFactory(LDOMDocument& doc);
    LDOMElement build(const LWString& name, const LWString& value);

private:
    LDOMElement m_withParam;
    LDOMText m_name, m_value;
};

class WebletInfoFactory {
public:
    WebletInfoFactory() = default;
    explicit WebletInfoFactory(LDOMDocument& doc);
    virtual ~WebletInfoFactory() = default;
    WebletInfoFactory(const WebletInfoFactory&) = default;
    WebletInfoFactory& operator=(const WebletInfoFactory&) = default;

    // tsml:technology-service of a field's weblet; DOM failures become
    // TSMLException.
    LDOMElement build(const FieldWebletInfo& entry);
    LDOMElement buildTemplateParams(const WebletInfo& entry);

protected:
    LDOMDocument* m_doc = nullptr;
    LDOMElement m_service;
    LDOMAttribute m_name, m_modId, m_proxyFormat;
    LDOMElement m_templateParams;
    TemplateParamFactory m_params;
};

class LayoutWebletInfoFactory : public WebletInfoFactory {
public:
    LayoutWebletInfoFactory() = default;
    explicit LayoutWebletInfoFactory(LDOMDocument& doc);
    // tsml:technology-service of the WAM layout weblet; DOM failures become
    // TSMLException.
    LDOMElement build(const LayoutWebletInfo& entry);

private:
    LDOMElement m_layoutService;
    LDOMAttribute m_layoutName, m_layoutModId, m_webletName, m_isWamLayout;
};

class WebletFactory {
public:
    WebletFactory() = default;
    explicit WebletFactory(LDOMDocument& doc);
    LDOMElement build(const TechServiceSet& set);

private:
    LDOMElement m_weblet;
    LDOMAttribute m_name;
    LDOMElement m_services;
    WebletInfoFactory m_info;
};

// tsml:technology-service-list of a web routine document.
class TechnologyServiceList {
public:
    explicit TechnologyServiceList(LDOMDocument& doc);
    TechnologyServiceList(const TechnologyServiceList& other, bool deepCopy);
    LDOMElement& element() { return m_list; }
    void add(const LWString& first, const LWString& second, int32_t languageCount);

private:
    LDOMDocument* m_doc;
    LDOMElement m_list;
    LDOMElement m_service;
    LDOMAttribute m_usedBy, m_langCount;
};

std::unique_ptr<TechnologyServiceList> TsmlAddTechnologyServiceList(LDOMDocument& doc);
// A list of the same document holding a deep copy of the other's entries.
std::unique_ptr<TechnologyServiceList> TsmlAddTechnologyServiceList(const TechnologyServiceList& other);
void TsmlAddTechnologyService(TechnologyServiceList& list, const std::pair<LWString, LWString>& key,
                              int32_t languageCount);

// Reads of a weblet stylesheet for the template that a reference name
// ("weblet.template") names.
bool WebletXsl_hasTemplate(const LWString& referenceName, LDOMDocument& weblet);
void WebletXsl_readTemplateParams(FieldWebletInfo& entry, LDOMDocument& weblet, const LWString& referenceName);

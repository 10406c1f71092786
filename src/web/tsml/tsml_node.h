// The TSML document model: nodes and documents of the generation metadata,
// each public class keeping its state in an implementation object of its
// own level.  Copies of a node share its DOM content (the facades share the
// nodes); assignment re-points an object to the source's content.
//
//   TsmlNode ── FieldTsmlNode
//            ├─ ListTsmlNode ── XmlListTsmlNode, JsonListTsmlNode
//            └─ TsmlDoc ── WebRoutineTsmlDoc, InlineWebletTsmlDoc,
//                         WebletTsmlDoc ── WamLayoutTsmlDoc, SelectOneWebletTsmlDoc,
//                                          SelectBooleanWebletTsmlDoc, WeblinkWebletTsmlDoc
#pragma once

#include <list>
#include <memory>
#include <utility>
#include <vector>

#include "classlib/base/lstrings.h"
#include "classlib/xml/dom.h"
#include "classlib/xml/xslt.h"
#include "platform/dqoo/dqoo_wam.h"
#include "web/tsml/tsml_factories.h"
#include "web/tsml/tsml_records.h"

class ListTsmlNode;

struct TsmlNodeImpl {
    TsmlNodeImpl(LDOMDocument* doc, uint32_t inlineMode);
    virtual ~TsmlNodeImpl() = default;
    TsmlNodeImpl(const TsmlNodeImpl&) = default;
    TsmlNodeImpl& operator=(const TsmlNodeImpl&) = default;

    LDOMDocument* document;
    WebletFactory weblets;
    QvmlSelectOneFactory selectOnes;
    LDOMElement data;        // tsml:data
    LDOMElement webletList;  // tsml:weblets
    LDOMElement qvmlData;    // tsml:qvml-data
    LXslTransformer transformer;
    uint32_t codePage = 0;
    uint32_t inlineMode;
};

class TsmlNode {
public:
    TsmlNode() = default;
    // kind 0: a document (full-document "true"), 1: a field or list node.
    TsmlNode(LDOMDocument* doc, int kind, uint32_t inlineMode);
    TsmlNode(const TsmlNode& other);
    virtual ~TsmlNode();

    virtual TsmlNode& operator=(const TsmlNode& other);
    virtual void clear();

    LDOMDocument* getDocument() const { return m_node->document; }
    uint32_t codePage() const { return m_node->codePage; }
    void setCodePage(const uint32_t& codePage) { m_node->codePage = codePage; }
    uint32_t inlineMode() const { return m_node->inlineMode; }

    // The XML text of the whole document.
    LWString& getXml(LWString& out) const;
    // The whole document transformed by the stylesheet node: the output bytes.
    // XSLT failures become TSMLException.
    LCharBuffer transform(const LDOMNode& stylesheet) const;

    void addWeblet(const TechServiceSet& set);
    std::unique_ptr<ListTsmlNode> createListNode(const ListInfo& list);

    // Builder steps.
    void attachSections();
    LDOMNode appendToData(const LDOMNode& node);
    LDOMNode insertFirstInData(const LDOMNode& node);
    LDOMNode removeFromData(const LDOMNode& node);
    LDOMNode insertIntoDataBefore(const LDOMNode& node, const LWString& name);
    void clearWeblets();
    void clearQvmlData();
    bool isWebletUnlisted(const LWString& name) const;
    void addSelectOne(const TsmlFieldRecord& field, WebletReference& reference);
    LDOMElement& dataElement() const { return m_node->data; }

protected:
    // Builds a field's tsml:field and lists its weblet (shared by the field
    // node and the documents that hold fields).
    LDOMElement buildField(FieldFactory& factory, const TsmlFieldRecord& field, const TechServiceSet& set);

    std::unique_ptr<TsmlNodeImpl> m_node;
};

// Assignment of one implementation pointer by the rules of the model.
template <class Impl> void TsmlAssignImpl(std::unique_ptr<Impl>& target, const std::unique_ptr<Impl>& source)
{
    if (target.get() == source.get())
        return;
    if (!source) {
        target.reset();
    } else if (target) {
        *target = *source;
    } else {
        target = std::make_unique<Impl>(*source);
    }
}

template <class Impl> std::unique_ptr<Impl> TsmlCopyImpl(const std::unique_ptr<Impl>& source)
{
    return source ? std::make_unique<Impl>(*source) : nullptr;
}

// ---- field node -----------------------------------------------------------------

struct FieldTsmlNodeImpl {
    explicit FieldTsmlNodeImpl(LDOMDocument& doc) : fields(doc) {}
    virtual ~FieldTsmlNodeImpl() = default;
    FieldTsmlNodeImpl(const FieldTsmlNodeImpl&) = default;
    FieldTsmlNodeImpl& operator=(const FieldTsmlNodeImpl&) = default;
    FieldFactory fields;
};

class FieldTsmlNode : public TsmlNode {
public:
    FieldTsmlNode(LDOMDocument* doc, uint32_t inlineMode);
    FieldTsmlNode(const FieldTsmlNode& other);
    ~FieldTsmlNode() override;
    using TsmlNode::operator=;
    virtual FieldTsmlNode& operator=(const FieldTsmlNode& other);
    void addField(const TsmlFieldRecord& field, const TechServiceSet& set);

private:
    std::unique_ptr<FieldTsmlNodeImpl> m_field;
};

// ---- list nodes -----------------------------------------------------------------

class ListTsmlNode : public TsmlNode {
public:
    ListTsmlNode() = default;
    ListTsmlNode(LDOMDocument* doc, const ListInfo& list, uint32_t inlineMode) : TsmlNode(doc, 1, inlineMode) {}
    explicit ListTsmlNode(const TsmlNode& parent) : TsmlNode(parent) {}
    ListTsmlNode(const ListTsmlNode& other) : TsmlNode(other) {}
    using TsmlNode::operator=;
    virtual ListTsmlNode& operator=(const ListTsmlNode& other);
    virtual void addColumn(const TsmlFieldRecord& field, const TechServiceSet& set) = 0;
    virtual void writeJsonList() {}
    virtual bool isInlined() const = 0;
    virtual bool isHidden() const = 0;
    virtual bool isJsonList() const = 0;
};

struct XmlListTsmlNodeImpl {
    XmlListTsmlNodeImpl(LDOMDocument& doc, const ListInfo& list, uint32_t inlineMode);
    virtual ~XmlListTsmlNodeImpl() = default;
    XmlListTsmlNodeImpl(const XmlListTsmlNodeImpl&) = default;
    XmlListTsmlNodeImpl& operator=(const XmlListTsmlNodeImpl&) = default;
    HeaderFactory headers;
    ColumnFactory columns;
    LDOMElement list, mode, listHeader, listEntries, entry;
    LDOMText modeText;
    LDOMElement lists;  // the document's tsml:lists
    bool inlined = false;
    bool hidden = false;
};

class XmlListTsmlNode : public ListTsmlNode {
public:
    XmlListTsmlNode() = default;
    XmlListTsmlNode(LDOMDocument* doc, const ListInfo& list, uint32_t inlineMode);
    XmlListTsmlNode(const TsmlNode& parent, const ListInfo& list);
    XmlListTsmlNode(const XmlListTsmlNode& other);
    ~XmlListTsmlNode() override;
    using ListTsmlNode::operator=;
    virtual XmlListTsmlNode& operator=(const XmlListTsmlNode& other);

    void addColumn(const TsmlFieldRecord& field, const TechServiceSet& set) override;
    bool isInlined() const override { return m_list->inlined; }
    bool isHidden() const override { return m_list->hidden; }
    bool isJsonList() const override { return false; }
    void attachToLists();

private:
    std::unique_ptr<XmlListTsmlNodeImpl> m_list;
};

struct JsonListColumn {
    LWString name;
    uint32_t type = 0;
    LWString heading1, heading2, heading3;
    LWString sampleValue;
};

struct JsonListTsmlNodeImpl {
    JsonListTsmlNodeImpl(LDOMDocument& doc, const ListInfo& list);
    virtual ~JsonListTsmlNodeImpl() = default;
    JsonListTsmlNodeImpl(const JsonListTsmlNodeImpl&) = default;
    JsonListTsmlNodeImpl& operator=(const JsonListTsmlNodeImpl&) = default;
    LWString listName;
    LDOMElement jsonList;  // tsml:json-list
    std::list<JsonListColumn> columns;
};

class JsonListTsmlNode : public ListTsmlNode {
public:
    JsonListTsmlNode() = default;
    JsonListTsmlNode(LDOMDocument* doc, const ListInfo& list, uint32_t inlineMode);
    JsonListTsmlNode(const TsmlNode& parent, const ListInfo& list);
    JsonListTsmlNode(const JsonListTsmlNode& other);
    ~JsonListTsmlNode() override;
    using ListTsmlNode::operator=;
    virtual JsonListTsmlNode& operator=(const JsonListTsmlNode& other);

    void addColumn(const TsmlFieldRecord& field, const TechServiceSet& set) override;
    void writeJsonList() override;
    bool isInlined() const override { return false; }
    bool isHidden() const override { return false; }
    bool isJsonList() const override { return true; }
    void attachToLists();

private:
    std::unique_ptr<JsonListTsmlNodeImpl> m_json;
};

// The list-node factory: a JSON list node for a non-zero output format,
// else an XML list node.
std::unique_ptr<ListTsmlNode> makeListNode(LDOMDocument* doc, const ListInfo& list, uint32_t inlineMode);
std::unique_ptr<ListTsmlNode> makeListNode(const TsmlNode& parent, const ListInfo& list);

// ---- documents ----------------------------------------------------------------------

struct TsmlDocImpl {
    explicit TsmlDocImpl(LDOMDocument& doc);
    virtual ~TsmlDocImpl() = default;
    TsmlDocImpl(const TsmlDocImpl&) = default;
    TsmlDocImpl& operator=(const TsmlDocImpl&) = default;
    LDOMElement context;  // tsml:context
    LDOMElement options;  // tsml:options
};

class TsmlDoc : public TsmlNode {
public:
    TsmlDoc(LDOMDocument* doc, uint32_t inlineMode);
    TsmlDoc(const TsmlDoc& other);
    ~TsmlDoc() override;
    using TsmlNode::operator=;
    virtual TsmlDoc& operator=(const TsmlDoc& other);
    void clear() override;

    void attachSections();
    void setContextValue(const LWString& name, const LWString& value);
    void setLanguage(const LWString& language, const LWString& isoLanguage);
    void addContextNode(const LWString& name, const LDOMNode& node);
    void setOption(const LWString& name, const LWString& value);
    LDOMNode findOption(const LWString& name) const;

protected:
    // The first element "tsml:<name>" of the document, or a new one placed in
    // tsml:context (*created tells which).
    LDOMElement contextElement(const LWString& name, bool* created);

    std::unique_ptr<TsmlDocImpl> m_doc;
};

struct WebRoutineTsmlDocImpl {
    explicit WebRoutineTsmlDocImpl(LDOMDocument& doc);
    virtual ~WebRoutineTsmlDocImpl() = default;
    WebRoutineTsmlDocImpl(const WebRoutineTsmlDocImpl&) = default;
    WebRoutineTsmlDocImpl& operator=(const WebRoutineTsmlDocImpl&) = default;
    FieldFactory fields;
    LDOMElement replacedQvml, serverInstructions, fieldList, lists;
};

class WebRoutineTsmlDoc : public TsmlDoc {
public:
    WebRoutineTsmlDoc(LDOMDocument* doc, uint32_t inlineMode);
    WebRoutineTsmlDoc(const WebRoutineTsmlDoc& other);
    ~WebRoutineTsmlDoc() override;
    using TsmlDoc::operator=;
    virtual WebRoutineTsmlDoc& operator=(const WebRoutineTsmlDoc& other);
    void clear() override;

    void attachSections();
    LDOMNode insertFirst(const LDOMNode& node) { return insertFirstInData(node); }
    void setSsi(const LWString& value);
    void setReplacedQvml(LDOMDocument& qvmlDocument);
    void addField(const TsmlFieldRecord& field, const TechServiceSet& set);

private:
    std::unique_ptr<WebRoutineTsmlDocImpl> m_routine;
};

struct InlineWebletTsmlDocImpl {
    explicit InlineWebletTsmlDocImpl(LDOMDocument& doc);
    virtual ~InlineWebletTsmlDocImpl() = default;
    InlineWebletTsmlDocImpl(const InlineWebletTsmlDocImpl&) = default;
    InlineWebletTsmlDocImpl& operator=(const InlineWebletTsmlDocImpl&) = default;
    FieldFactory fields;
    WithParamFactory withParam;
    LDOMElement fieldList, inlinedWeblet, withParams;
    LDOMAttribute name;
    bool placed = false;
};

class InlineWebletTsmlDoc : public TsmlDoc {
public:
    // requesterKind 1: the editor asks; any other value: the generator.
    InlineWebletTsmlDoc(LDOMDocument* doc, int requesterKind);
    InlineWebletTsmlDoc(const InlineWebletTsmlDoc& other);
    ~InlineWebletTsmlDoc() override;
    using TsmlDoc::operator=;
    virtual InlineWebletTsmlDoc& operator=(const InlineWebletTsmlDoc& other);
    void clear() override;

    void initialise(int requesterKind);
    void setInlinedWeblet(const LWString& name, const std::vector<std::pair<LWString, LWString>>& parameters);
    void addField(const TsmlFieldRecord& field, const TechServiceSet& set);

private:
    std::unique_ptr<InlineWebletTsmlDocImpl> m_inline;
};

class WebletTsmlDoc : public TsmlDoc {
public:
    explicit WebletTsmlDoc(LDOMDocument* doc) : TsmlDoc(doc, 0) {}
    WebletTsmlDoc(const WebletTsmlDoc&) = default;
    using TsmlDoc::operator=;
    virtual WebletTsmlDoc& operator=(const WebletTsmlDoc& other);
    void setNameAndTitle(const LWString& name, const LWString& title);
};

struct WamLayoutTsmlDocImpl {
    explicit WamLayoutTsmlDocImpl(LDOMDocument& doc);
    virtual ~WamLayoutTsmlDocImpl() = default;
    WamLayoutTsmlDocImpl(const WamLayoutTsmlDocImpl&) = default;
    WamLayoutTsmlDocImpl& operator=(const WamLayoutTsmlDocImpl&) = default;
    LDOMElement layout, technologyServices;
    LayoutWebletInfoFactory services;
    LayoutWebletInfoSet layoutWeblets;  // the inspected layout weblets
};

class WamLayoutTsmlDoc : public WebletTsmlDoc {
public:
    WamLayoutTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title);
    WamLayoutTsmlDoc(const WamLayoutTsmlDoc& other);
    ~WamLayoutTsmlDoc() override;
    using WebletTsmlDoc::operator=;
    virtual WamLayoutTsmlDoc& operator=(const WamLayoutTsmlDoc& other);
    void clear() override;

    void addTechnologyServices(const LayoutWebletInfoSet& info);
    LayoutWebletInfoSet& layoutWeblets() { return m_layout->layoutWeblets; }

private:
    std::unique_ptr<WamLayoutTsmlDocImpl> m_layout;
};

struct SelectOneWebletTsmlDocImpl {
    SelectOneWebletTsmlDocImpl(LDOMDocument& doc, const LWString& fieldName, const LWString& selectUi, bool preselect);
    virtual ~SelectOneWebletTsmlDocImpl() = default;
    SelectOneWebletTsmlDocImpl(const SelectOneWebletTsmlDocImpl&) = default;
    SelectOneWebletTsmlDocImpl& operator=(const SelectOneWebletTsmlDocImpl&) = default;
    QvmlItemFactory items;
    LDOMElement selectOne;
};

class SelectOneWebletTsmlDoc : public WebletTsmlDoc {
public:
    SelectOneWebletTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title, const LWString& fieldName,
                           const LWString& selectUi, bool preselect);
    SelectOneWebletTsmlDoc(const SelectOneWebletTsmlDoc& other);
    ~SelectOneWebletTsmlDoc() override;
    using WebletTsmlDoc::operator=;
    virtual SelectOneWebletTsmlDoc& operator=(const SelectOneWebletTsmlDoc& other);
    void addItem(const char* caption, const char* value, const char* variable, uint32_t isDefault);

private:
    std::unique_ptr<SelectOneWebletTsmlDocImpl> m_select;
};

struct SelectBooleanWebletTsmlDocImpl {
    SelectBooleanWebletTsmlDocImpl(LDOMDocument& doc, const LWString& fieldName, const LWString& selectUi,
                                   bool preselect);
    virtual ~SelectBooleanWebletTsmlDocImpl() = default;
    SelectBooleanWebletTsmlDocImpl(const SelectBooleanWebletTsmlDocImpl&) = default;
    SelectBooleanWebletTsmlDocImpl& operator=(const SelectBooleanWebletTsmlDocImpl&) = default;
    LDOMElement selectBoolean;
};

class SelectBooleanWebletTsmlDoc : public WebletTsmlDoc {
public:
    SelectBooleanWebletTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title,
                               const LWString& fieldName, const LWString& selectUi, bool preselect);
    SelectBooleanWebletTsmlDoc(const SelectBooleanWebletTsmlDoc& other);
    ~SelectBooleanWebletTsmlDoc() override;
    using WebletTsmlDoc::operator=;
    virtual SelectBooleanWebletTsmlDoc& operator=(const SelectBooleanWebletTsmlDoc& other);
    void setCaption(const LWString& text);
    void addValue(const char16_t* elementName, const LWString& caption, const LWString& value);
    void setTrue(const LWString& caption, const LWString& value) { addValue(u"tsml:true", caption, value); }
    void setFalse(const LWString& caption, const LWString& value) { addValue(u"tsml:false", caption, value); }

private:
    std::unique_ptr<SelectBooleanWebletTsmlDocImpl> m_select;
};

struct WeblinkWebletTsmlDocImpl {
    explicit WeblinkWebletTsmlDocImpl(LDOMDocument& doc);
    virtual ~WeblinkWebletTsmlDocImpl() = default;
    WeblinkWebletTsmlDocImpl(const WeblinkWebletTsmlDocImpl&) = default;
    WeblinkWebletTsmlDocImpl& operator=(const WeblinkWebletTsmlDocImpl&) = default;
    LDOMElement weblink;
};

class WeblinkWebletTsmlDoc : public WebletTsmlDoc {
public:
    WeblinkWebletTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title);
    WeblinkWebletTsmlDoc(const WeblinkWebletTsmlDoc& other);
    ~WeblinkWebletTsmlDoc() override;
    using WebletTsmlDoc::operator=;
    virtual WeblinkWebletTsmlDoc& operator=(const WeblinkWebletTsmlDoc& other);
    void setCaption(const LWString& text);
    void setImage(const LWString& text);
    void setTarget(const LWString& webapplication, const LWString& webroutine);
    void setScript(const LWString& text);

private:
    std::unique_ptr<WeblinkWebletTsmlDocImpl> m_weblink;
};

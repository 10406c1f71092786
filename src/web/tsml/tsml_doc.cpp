// TSML documents: context values and options, the web routine's sections,
// the inlined-weblet document and the weblet documents.
#include "classlib/base/timing.h"
#include "web/tsml/tsml_names.h"
#include "web/tsml/tsml_node.h"

using namespace tsml;

namespace {

LWString tsmlName(const LWString& name)
{
    return LWString(u"tsml:") + name;
}

bool nonEmpty(const LWString& value)
{
    return value.compare(u"") > 0;
}

// Sets the text of the element's first child, or gives it one.
void setText(LDOMDocument& doc, LDOMNode element, const LWString& value)
{
    LDOMNode first = element.getFirstChild();
    if (first.isNull())
        element.appendChild(doc.createTextNode(value));
    else
        first.setNodeValue(value);
}

LDOMElement textElement(LDOMDocument& doc, const char16_t* name, const LWString& value)
{
    LDOMElement e = element(doc, name);
    e.appendChild(doc.createTextNode(value));
    return e;
}

}  // namespace

// ---- TsmlDoc ------------------------------------------------------------------------

TsmlDocImpl::TsmlDocImpl(LDOMDocument& doc)
{
    context = element(doc, u"tsml:context");
    options = element(doc, u"tsml:options");
}

TsmlDoc::TsmlDoc(LDOMDocument* doc, uint32_t inlineMode)
    : TsmlNode(doc, 0, inlineMode), m_doc(std::make_unique<TsmlDocImpl>(*doc))
{
    attachSections();
}

TsmlDoc::TsmlDoc(const TsmlDoc& other) : TsmlNode(other), m_doc(TsmlCopyImpl(other.m_doc)) {}

TsmlDoc::~TsmlDoc() = default;

TsmlDoc& TsmlDoc::operator=(const TsmlDoc& other)
{
    if (this == &other)
        return *this;
    TsmlNode::operator=(other);
    TsmlAssignImpl(m_doc, other.m_doc);
    return *this;
}

void TsmlDoc::clear()
{
    TsmlNode::clear();
    m_doc->context.removeChildren();
    m_doc->options.removeChildren();
    attachSections();
}

void TsmlDoc::attachSections()
{
    appendToData(m_doc->context);
    appendToData(m_doc->options);
    appendToData(element(*getDocument(), u"tsml:variables"));
}

LDOMElement TsmlDoc::contextElement(const LWString& name, bool* created)
{
    LDOMDocument& doc = *getDocument();
    const LWString qualified = tsmlName(name);
    LDOMNodeList found = doc.getElementsByTagName(LWString(kTsmlNamespace), qualified);
    *created = found.getLength() == 0;
    if (!*created)
        return found.item(0);
    return doc.createElementNS(LWString(kTsmlNamespace), qualified);
}

void TsmlDoc::setContextValue(const LWString& name, const LWString& value)
{
    bool created = false;
    LDOMElement e = contextElement(name, &created);
    setText(*getDocument(), e, value);
    if (created)
        m_doc->context.appendChild(e);
}

void TsmlDoc::setLanguage(const LWString& language, const LWString& isoLanguage)
{
    bool created = false;
    LDOMElement e = contextElement(LWString(u"language"), &created);
    setText(*getDocument(), e, language);
    LDOMNode iso = e.getAttributes().getNamedItem(LWString(u"iso-lang"));
    if (iso.isNull())
        attach(*getDocument(), e, u"iso-lang", isoLanguage);
    else
        iso.setNodeValue(isoLanguage);
    if (created)
        m_doc->context.appendChild(e);
}

void TsmlDoc::addContextNode(const LWString& name, const LDOMNode& node)
{
    bool created = false;
    LDOMElement e = contextElement(name, &created);
    e.appendChild(node);
    if (created)
        m_doc->context.appendChild(e);
}

LDOMNode TsmlDoc::findOption(const LWString& name) const
{
    LDOMNodeList options = getDocument()->getElementsByTagName(LWString(kTsmlNamespace), LWString(u"tsml:option"));
    for (int32_t i = 0; i < options.getLength(); ++i) {
        LDOMNode option = options.item(i);
        if (attributeValue(option, u"name").compare(name) == 0)
            return option;
    }
    return LDOMNode();
}

void TsmlDoc::setOption(const LWString& name, const LWString& value)
{
    LDOMDocument& doc = *getDocument();
    LDOMNode option = findOption(name);
    if (!option.isNull()) {
        LDOMNode first = option.getFirstChild();
        if (nonEmpty(value))
            setText(doc, option, value);
        else if (!first.isNull())
            option.removeChild(first);
        return;
    }
    LDOMElement created = element(doc, u"tsml:option");
    attach(doc, created, u"name", name);
    if (nonEmpty(value))
        created.appendChild(doc.createTextNode(value));
    m_doc->options.appendChild(created);
}

// ---- WebRoutineTsmlDoc ------------------------------------------------------------------

WebRoutineTsmlDocImpl::WebRoutineTsmlDocImpl(LDOMDocument& doc) : fields(doc)
{
    replacedQvml = element(doc, u"tsml:replaced-qvml");
    declareNamespace(replacedQvml, "qvml", kQvmlNamespace);
    serverInstructions = element(doc, u"tsml:server-instructions");
    fieldList = element(doc, u"tsml:fields");
    lists = TsmlCreateListsElement(doc);
}

WebRoutineTsmlDoc::WebRoutineTsmlDoc(LDOMDocument* doc, uint32_t inlineMode)
    : TsmlDoc(doc, inlineMode), m_routine(std::make_unique<WebRoutineTsmlDocImpl>(*doc))
{
    attachSections();
}

WebRoutineTsmlDoc::WebRoutineTsmlDoc(const WebRoutineTsmlDoc& other)
    : TsmlDoc(other), m_routine(TsmlCopyImpl(other.m_routine))
{}

WebRoutineTsmlDoc::~WebRoutineTsmlDoc() = default;

WebRoutineTsmlDoc& WebRoutineTsmlDoc::operator=(const WebRoutineTsmlDoc& other)
{
    if (this == &other)
        return *this;
    TsmlDoc::operator=(other);
    TsmlAssignImpl(m_routine, other.m_routine);
    return *this;
}

void WebRoutineTsmlDoc::clear()
{
    TsmlDoc::clear();
    m_routine->replacedQvml.removeChildren();
    m_routine->serverInstructions.removeChildren();
    m_routine->fieldList.removeChildren();
    m_routine->lists.removeChildren();
    attachSections();
}

void WebRoutineTsmlDoc::attachSections()
{
    LDOMDocument& doc = *getDocument();
    insertFirstInData(m_routine->replacedQvml);
    insertFirstInData(m_routine->serverInstructions);
    m_routine->serverInstructions.appendChild(element(doc, u"tsml:client-charset"));
    m_routine->serverInstructions.appendChild(element(doc, u"tsml:cookies"));
    appendToData(element(doc, u"tsml:messages"));
    appendToData(m_routine->fieldList);
    appendToData(m_routine->lists);
}

void WebRoutineTsmlDoc::setSsi(const LWString& value)
{
    if (value.compare(u"") != 0 && value.compare(u"true") != 0 && value.compare(u"false") != 0)
        return;
    LDOMDocument& doc = *getDocument();
    LDOMNodeList children = m_routine->serverInstructions.getChildNodes();
    for (int32_t i = 0; i < children.getLength(); ++i) {
        LDOMNode child = children.item(i);
        if (child.getNodeName().compare(u"tsml:ssi") == 0) {
            setText(doc, child, value);
            return;
        }
    }
    m_routine->serverInstructions.appendChild(textElement(doc, u"tsml:ssi", value));
}

void WebRoutineTsmlDoc::setReplacedQvml(LDOMDocument& qvmlDocument)
{
    static constexpr const char16_t* kKept[] = {u"/qvml:data/qvml:server-instructions/qvml:cookies",
                                                u"/qvml:data/qvml:messages", u"/qvml:data/qvml:fields",
                                                u"/qvml:data/qvml:lists", u"/qvml:data/tsml:data"};
    LDOMDocumentFragment kept = getDocument()->createDocumentFragment();
    LWString selection(u"xmlns:qvml=\"");
    selection.append(kQvmlNamespace);
    selection.append(u"\"    ");
    selection.append(tsmlSelection());
    qvmlDocument.setProperty(LDOMProperty_SelectionNamespaces, selection);
    for (const char16_t* path : kKept) {
        LDOMNodeList nodes = qvmlDocument.selectNodes(path);
        for (int32_t i = 0; i < nodes.getLength(); ++i)
            kept.appendChild(nodes.item(i));
    }
    m_routine->replacedQvml.appendChild(kept);
}

void WebRoutineTsmlDoc::addField(const TsmlFieldRecord& field, const TechServiceSet& set)
{
    m_routine->fieldList.appendChild(buildField(m_routine->fields, field, set));
    if (!set.isEmpty())
        addWeblet(set);
}

// ---- InlineWebletTsmlDoc ------------------------------------------------------------------

InlineWebletTsmlDocImpl::InlineWebletTsmlDocImpl(LDOMDocument& doc) : fields(doc), withParam(doc)
{
    fieldList = element(doc, u"tsml:fields");
    inlinedWeblet = element(doc, u"tsml:inlined-weblet");
    withParams = element(doc, u"tsml:with-params");
    name = doc.createAttribute(LWString(u"name"));
}

InlineWebletTsmlDoc::InlineWebletTsmlDoc(LDOMDocument* doc, int requesterKind)
    : TsmlDoc(doc, 1), m_inline(std::make_unique<InlineWebletTsmlDocImpl>(*doc))
{
    initialise(requesterKind);
}

InlineWebletTsmlDoc::InlineWebletTsmlDoc(const InlineWebletTsmlDoc& other)
    : TsmlDoc(other), m_inline(TsmlCopyImpl(other.m_inline))
{}

InlineWebletTsmlDoc::~InlineWebletTsmlDoc() = default;

InlineWebletTsmlDoc& InlineWebletTsmlDoc::operator=(const InlineWebletTsmlDoc& other)
{
    if (this == &other)
        return *this;
    TsmlDoc::operator=(other);
    TsmlAssignImpl(m_inline, other.m_inline);
    return *this;
}

void InlineWebletTsmlDoc::initialise(int requesterKind)
{
    appendToData(m_inline->fieldList);
    for (const auto& c : tsml::kInlineContext)
        setContextValue(c[0], c[1]);
    setContextValue(u"requester", requesterKind == 1 ? u"editor" : u"generator");
    for (const auto& o : tsml::kInlineOptions)
        setOption(o[0], o[1]);
    m_inline->inlinedWeblet.setAttributeNode(m_inline->name);
    m_inline->inlinedWeblet.appendChild(m_inline->withParams);
}

void InlineWebletTsmlDoc::setInlinedWeblet(const LWString& name,
                                           const std::vector<std::pair<LWString, LWString>>& parameters)
{
    m_inline->name.setValue(name);
    for (const auto& [parameter, value] : parameters)
        m_inline->withParams.appendChild(m_inline->withParam.build(parameter, value));
    appendToData(m_inline->inlinedWeblet);
    m_inline->placed = true;
}

void InlineWebletTsmlDoc::clear()
{
    clearWeblets();
    clearQvmlData();
    if (m_inline->placed) {
        removeFromData(m_inline->inlinedWeblet);
        m_inline->withParams.removeChildren();
        m_inline->name.setValue(u"");
        m_inline->placed = false;
    }
    m_inline->fieldList.removeChildren();
}

void InlineWebletTsmlDoc::addField(const TsmlFieldRecord& field, const TechServiceSet& set)
{
    m_inline->fieldList.appendChild(buildField(m_inline->fields, field, set));
    if (!set.isEmpty())
        addWeblet(set);
}

// ---- weblet documents ----------------------------------------------------------------------

WebletTsmlDoc& WebletTsmlDoc::operator=(const WebletTsmlDoc& other)
{
    TsmlDoc::operator=(other);
    return *this;
}

void WebletTsmlDoc::setNameAndTitle(const LWString& name, const LWString& title)
{
    LDOMDocument& doc = *getDocument();
    addContextNode(u"weblet", textElement(doc, u"tsml:name", name));
    addContextNode(u"weblet", textElement(doc, u"tsml:title", title));
    setContextValue(u"timestamp", LWString::fromCharBuffer(P3142_FormatIsoTimestamp()));
}

WamLayoutTsmlDocImpl::WamLayoutTsmlDocImpl(LDOMDocument& doc) : services(doc)
{
    layout = element(doc, u"tsml:layout");
    technologyServices = element(doc, u"tsml:technology-services");
    layout.appendChild(technologyServices);
}

WamLayoutTsmlDoc::WamLayoutTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title)
    : WebletTsmlDoc(doc), m_layout(std::make_unique<WamLayoutTsmlDocImpl>(*doc))
{
    appendToData(m_layout->layout);
    setNameAndTitle(name, title);
}

WamLayoutTsmlDoc::WamLayoutTsmlDoc(const WamLayoutTsmlDoc& other)
    : WebletTsmlDoc(other), m_layout(TsmlCopyImpl(other.m_layout))
{}

WamLayoutTsmlDoc::~WamLayoutTsmlDoc() = default;

WamLayoutTsmlDoc& WamLayoutTsmlDoc::operator=(const WamLayoutTsmlDoc& other)
{
    if (this == &other)
        return *this;
    WebletTsmlDoc::operator=(other);
    TsmlAssignImpl(m_layout, other.m_layout);
    return *this;
}

void WamLayoutTsmlDoc::clear()
{
    m_layout->technologyServices.removeChildren();
}

void WamLayoutTsmlDoc::addTechnologyServices(const LayoutWebletInfoSet& info)
{
    for (const LayoutWebletInfo& entry : info)
        m_layout->technologyServices.appendChild(m_layout->services.build(entry));
}

SelectOneWebletTsmlDocImpl::SelectOneWebletTsmlDocImpl(LDOMDocument& doc, const LWString& fieldName,
                                                       const LWString& selectUi, bool preselect)
    : items(doc)
{
    selectOne = element(doc, u"tsml:select-one");
    attach(doc, selectOne, u"field-name", fieldName);
    attach(doc, selectOne, u"select-ui", selectUi);
    attach(doc, selectOne, u"preselect", LWString(preselect ? u"true" : u"false"));
}

SelectOneWebletTsmlDoc::SelectOneWebletTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title,
                                               const LWString& fieldName, const LWString& selectUi, bool preselect)
    : WebletTsmlDoc(doc), m_select(std::make_unique<SelectOneWebletTsmlDocImpl>(*doc, fieldName, selectUi, preselect))
{
    appendToData(m_select->selectOne);
    setNameAndTitle(name, title);
}

SelectOneWebletTsmlDoc::SelectOneWebletTsmlDoc(const SelectOneWebletTsmlDoc& other)
    : WebletTsmlDoc(other), m_select(TsmlCopyImpl(other.m_select))
{}

SelectOneWebletTsmlDoc::~SelectOneWebletTsmlDoc() = default;

SelectOneWebletTsmlDoc& SelectOneWebletTsmlDoc::operator=(const SelectOneWebletTsmlDoc& other)
{
    if (this == &other)
        return *this;
    WebletTsmlDoc::operator=(other);
    TsmlAssignImpl(m_select, other.m_select);
    return *this;
}

void SelectOneWebletTsmlDoc::addItem(const char* caption, const char* value, const char* variable, uint32_t isDefault)
{
    m_select->selectOne.appendChild(m_select->items.build(caption, value, variable, isDefault));
}

SelectBooleanWebletTsmlDocImpl::SelectBooleanWebletTsmlDocImpl(LDOMDocument& doc, const LWString& fieldName,
                                                               const LWString& selectUi, bool preselect)
{
    selectBoolean = element(doc, u"tsml:select-boolean");
    attach(doc, selectBoolean, u"field-name", fieldName);
    attach(doc, selectBoolean, u"select-ui", selectUi);
    attach(doc, selectBoolean, u"preselect", LWString(preselect ? u"true" : u"false"));
}

SelectBooleanWebletTsmlDoc::SelectBooleanWebletTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title,
                                                       const LWString& fieldName, const LWString& selectUi,
                                                       bool preselect)
    : WebletTsmlDoc(doc),
      m_select(std::make_unique<SelectBooleanWebletTsmlDocImpl>(*doc, fieldName, selectUi, preselect))
{
    appendToData(m_select->selectBoolean);
    setNameAndTitle(name, title);
}

SelectBooleanWebletTsmlDoc::SelectBooleanWebletTsmlDoc(const SelectBooleanWebletTsmlDoc& other)
    : WebletTsmlDoc(other), m_select(TsmlCopyImpl(other.m_select))
{}

SelectBooleanWebletTsmlDoc::~SelectBooleanWebletTsmlDoc() = default;

SelectBooleanWebletTsmlDoc& SelectBooleanWebletTsmlDoc::operator=(const SelectBooleanWebletTsmlDoc& other)
{
    if (this == &other)
        return *this;
    WebletTsmlDoc::operator=(other);
    TsmlAssignImpl(m_select, other.m_select);
    return *this;
}

void SelectBooleanWebletTsmlDoc::setCaption(const LWString& text)
{
    m_select->selectBoolean.appendChild(textElement(*getDocument(), u"tsml:caption", text));
}

void SelectBooleanWebletTsmlDoc::addValue(const char16_t* elementName, const LWString& caption, const LWString& value)
{
    LDOMDocument& doc = *getDocument();
    LDOMElement choice = element(doc, elementName);
    choice.appendChild(textElement(doc, u"tsml:caption", caption));
    choice.appendChild(textElement(doc, u"tsml:value", value));
    m_select->selectBoolean.appendChild(choice);
}

WeblinkWebletTsmlDocImpl::WeblinkWebletTsmlDocImpl(LDOMDocument& doc)
{
    weblink = element(doc, u"tsml:weblink");
}

WeblinkWebletTsmlDoc::WeblinkWebletTsmlDoc(LDOMDocument* doc, const LWString& name, const LWString& title)
    : WebletTsmlDoc(doc), m_weblink(std::make_unique<WeblinkWebletTsmlDocImpl>(*doc))
{
    appendToData(m_weblink->weblink);
    setNameAndTitle(name, title);
}

WeblinkWebletTsmlDoc::WeblinkWebletTsmlDoc(const WeblinkWebletTsmlDoc& other)
    : WebletTsmlDoc(other), m_weblink(TsmlCopyImpl(other.m_weblink))
{}

WeblinkWebletTsmlDoc::~WeblinkWebletTsmlDoc() = default;

WeblinkWebletTsmlDoc& WeblinkWebletTsmlDoc::operator=(const WeblinkWebletTsmlDoc& other)
{
    if (this == &other)
        return *this;
    WebletTsmlDoc::operator=(other);
    TsmlAssignImpl(m_weblink, other.m_weblink);
    return *this;
}

void WeblinkWebletTsmlDoc::setCaption(const LWString& text)
{
    m_weblink->weblink.appendChild(textElement(*getDocument(), u"tsml:caption", text));
}

void WeblinkWebletTsmlDoc::setImage(const LWString& text)
{
    m_weblink->weblink.appendChild(textElement(*getDocument(), u"tsml:image", text));
}

void WeblinkWebletTsmlDoc::setTarget(const LWString& webapplication, const LWString& webroutine)
{
    LDOMDocument& doc = *getDocument();
    LDOMElement target = element(doc, u"tsml:weblink-target");
    target.appendChild(textElement(doc, u"tsml:webapplication", webapplication));
    target.appendChild(textElement(doc, u"tsml:webroutine", webroutine));
    m_weblink->weblink.appendChild(target);
}

void WeblinkWebletTsmlDoc::setScript(const LWString& text)
{
    LDOMDocument& doc = *getDocument();
    LDOMElement script = element(doc, u"tsml:script");
    script.appendChild(doc.createCDATASection(text));
    m_weblink->weblink.appendChild(script);
}

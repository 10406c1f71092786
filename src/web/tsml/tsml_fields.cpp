// Field, column and header elements: tsml:format, tsml:caption,
// tsml:use-weblet, tsml:field, tsml:column and tsml:header.
#include <string>

#include "web/tsml/tsml_factories.h"
#include "web/tsml/tsml_names.h"

using namespace tsml;

namespace {

LWString number(long long value)
{
    std::string text = std::to_string(value);
    if (text.size() > 20)
        text.resize(20);
    return LWString::fromMultiByte(text.c_str());
}

LWString oneCharacter(uint32_t code)
{
    char16_t text[2] = {static_cast<char16_t>(code), u'\0'};
    return LWString(text);
}

// The display length of a field that is neither alphanumeric nor decimal.
long long plainDisplayLength(const TsmlFieldRecord& f)
{
    switch (f.type) {
    case 'E':
    case 'Z':
    case 'M': return f.length;
    case 'I': return f.length == 1 ? 4 : f.length == 2 ? 7 : f.length == 4 ? 14 : 26;
    case 'F': return f.length == 4 ? 17 : 25;
    case 'Y': return 5;
    default: return f.length;
    }
}

void appendClones(LDOMElement& target, const std::vector<LDOMElement>& parts)
{
    for (const LDOMElement& part : parts)
        target.appendChild(part.cloneNode(true));
}

}  // namespace

// ---- tsml:format -----------------------------------------------------------------

FormatFactory::FormatFactory(LDOMDocument& doc)
{
    m_format = element(doc, u"tsml:format");
    m_format.appendChild(elementWithText(doc, u"tsml:type", &m_type));
    m_format.appendChild(elementWithText(doc, u"tsml:display-max-length", &m_displayMaxLength));
    m_format.appendChild(elementWithText(doc, u"tsml:max-length", &m_maxLength));
    m_caseParts.push_back(elementWithText(doc, u"tsml:input-case", &m_inputCase));
    m_caseParts.push_back(elementWithText(doc, u"tsml:keyboardshift", &m_keyboardShift));
    m_keyboardShift.setData(u" ");
    m_digitParts.push_back(elementWithText(doc, u"tsml:total-digits", &m_totalDigits));
    m_digitParts.push_back(elementWithText(doc, u"tsml:fraction-digits", &m_fractionDigits));
    m_digitParts.push_back(elementWithText(doc, u"tsml:decimal-separator", &m_decimalSeparator));
    LDOMText text;
    m_nonDisplay = elementWithText(doc, u"tsml:non-display", &text);
    text.setData(u"true");
    m_displayHi = elementWithText(doc, u"tsml:display-hi", &text);
    text.setData(u"true");
    m_displayUtc = elementWithText(doc, u"tsml:display-utc", &text);
    text.setData(u"true");
    m_sqlNullable = elementWithText(doc, u"tsml:sql-nullable", &text);
    text.setData(u"true");
}

LDOMElement FormatFactory::build(const TsmlFieldRecord& f)
{
    m_type.setData(fieldTypeName(f.type));
    m_maxLength.setData(number(f.length));
    LDOMElement result;
    switch (f.type) {
    case 'A':
    case 'H':
    case '1':
        m_displayMaxLength.setData(number(f.length));
        m_inputCase.setData((f.flags & kFieldLowerCase) ? u"mixedcase" : u"uppercase");
        m_keyboardShift.setData(f.keyboardShift == ' ' ? LWString(u" ") : oneCharacter(f.keyboardShift));
        result = m_format.cloneNode(true);
        appendClones(result, m_caseParts);
        break;
    case 'P':
    case 'S': {
        const int d = f.totalDigits, fraction = f.decimals;
        m_displayMaxLength.setData(number(d + (d - fraction) / 3 + (fraction > 0 ? 1 : 0) + 3));
        m_totalDigits.setData(number(d));
        m_fractionDigits.setData(number(fraction));
        m_decimalSeparator.setData(oneCharacter(static_cast<unsigned char>(f.decimalSeparator)));
        result = m_format.cloneNode(true);
        appendClones(result, m_digitParts);
        break;
    }
    default:
        m_displayMaxLength.setData(number(plainDisplayLength(f)));
        result = m_format.cloneNode(true);
        break;
    }
    if (f.flags & kFieldNonDisplay)
        result.appendChild(m_nonDisplay.cloneNode(true));
    if (f.flags & kFieldHighIntensity)
        result.appendChild(m_displayHi.cloneNode(true));
    if (f.flags & kFieldDisplayUtc)
        result.appendChild(m_displayUtc.cloneNode(true));
    if (f.flags & kFieldSqlNullable)
        result.appendChild(m_sqlNullable.cloneNode(true));
    return result;
}

// ---- tsml:caption ----------------------------------------------------------------

CaptionFactory::CaptionFactory(LDOMDocument& doc)
{
    m_caption = element(doc, u"tsml:caption");
    m_ref = attach(doc, m_caption, u"ref", LWString(u""));
    m_caption.appendChild(elementWithText(doc, u"tsml:label", &m_label));
    m_caption.appendChild(elementWithText(doc, u"tsml:description", &m_description));
    m_caption.appendChild(elementWithText(doc, u"tsml:heading-1", &m_heading1));
    m_caption.appendChild(elementWithText(doc, u"tsml:heading-2", &m_heading2));
    m_caption.appendChild(elementWithText(doc, u"tsml:heading-3", &m_heading3));
}

LDOMElement CaptionFactory::build(const TsmlFieldRecord& f, const uint32_t* codePage)
{
    static constexpr const char16_t* kRefs[] = {u"none", u"label", u"description", u"headings"};
    if (f.captionKind < 4)
        m_ref.setValue(kRefs[f.captionKind]);
    const uint32_t cp = codePage ? *codePage : 0;
    m_label.setData(fromCodePage(f.label, cp));
    m_description.setData(fromCodePage(f.description, cp));
    m_heading1.setData(fromCodePage(f.heading1, cp));
    m_heading2.setData(fromCodePage(f.heading2, cp));
    m_heading3.setData(fromCodePage(f.heading3, cp));
    return m_caption.cloneNode(true);
}

// ---- tsml:use-weblet --------------------------------------------------------------

UseWebletFactory::UseWebletFactory(LDOMDocument& doc)
{
    m_useWeblet = element(doc, u"tsml:use-weblet");
    m_name = attach(doc, m_useWeblet, u"name", LWString(u""));
    m_selectOneId = elementWithText(doc, u"tsml:select-one-id", &m_id);
}

LDOMElement UseWebletFactory::build(const WebletReference& reference)
{
    m_name.setValue(reference.set ? reference.set->name : LWString(u""));
    if (reference.selectOneId.isNull())
        return m_useWeblet.cloneNode(true);
    m_id.setData(reference.selectOneId);
    LDOMElement result = m_useWeblet.cloneNode(true);
    result.appendChild(m_selectOneId.cloneNode(true));
    return result;
}

// ---- tsml:field and tsml:column -----------------------------------------------------

namespace {

// Name, mode and sample value, the first value entry's value winning over
// the field's own sample. Like the field's texts, they are converted from
// the document's code page.
void writeItem(const TsmlFieldRecord& f, uint32_t codePage, LDOMAttribute& name, LDOMText& mode, LDOMText& sample)
{
    name.setValue(LWString::fromMultiByteCodePage(f.name, codePage));
    mode.setData(fieldModeName(f.mode));
    const char* value = f.valueCount != 0 && f.values ? f.values[0].value : f.sampleValue;
    sample.setData(LWString::fromMultiByteCodePage(value, codePage));
}

}  // namespace

FieldFactory::FieldFactory(LDOMDocument& doc) : m_format(doc), m_caption(doc), m_useWeblet(doc)
{
    m_field = element(doc, u"tsml:field");
    m_name = attach(doc, m_field, u"name", LWString(u""));
    m_field.appendChild(elementWithText(doc, u"tsml:mode", &m_mode));
    m_field.appendChild(elementWithText(doc, u"tsml:sample-value", &m_sample));
}

LDOMElement FieldFactory::build(const TsmlFieldRecord& f, const uint32_t* codePage, const WebletReference& reference)
{
    writeItem(f, codePage ? *codePage : 0, m_name, m_mode, m_sample);
    LDOMElement result = m_field.cloneNode(true);
    result.appendChild(m_format.build(f));
    result.appendChild(m_caption.build(f, codePage));
    if (reference.hasWeblet())
        result.appendChild(m_useWeblet.build(reference));
    return result;
}

ColumnFactory::ColumnFactory(LDOMDocument& doc) : m_format(doc), m_useWeblet(doc)
{
    m_column = element(doc, u"tsml:column");
    m_name = attach(doc, m_column, u"name", LWString(u""));
    m_column.appendChild(elementWithText(doc, u"tsml:mode", &m_mode));
    m_column.appendChild(elementWithText(doc, u"tsml:sample-value", &m_sample));
}

LDOMElement ColumnFactory::build(const TsmlFieldRecord& f, const WebletReference& reference, uint32_t codePage)
{
    writeItem(f, codePage, m_name, m_mode, m_sample);
    LDOMElement result = m_column.cloneNode(true);
    result.appendChild(m_format.build(f));
    if (reference.hasWeblet())
        result.appendChild(m_useWeblet.build(reference));
    return result;
}

// ---- tsml:header and tsml:lists -------------------------------------------------------

HeaderFactory::HeaderFactory(LDOMDocument& doc)
{
    m_header = element(doc, u"tsml:header");
    m_name = attach(doc, m_header, u"name", LWString(u""));
    m_header.appendChild(elementWithText(doc, u"tsml:heading-1", &m_heading1));
    m_header.appendChild(elementWithText(doc, u"tsml:heading-2", &m_heading2));
    m_header.appendChild(elementWithText(doc, u"tsml:heading-3", &m_heading3));
}

LDOMElement HeaderFactory::build(const TsmlFieldRecord& f, const uint32_t* codePage)
{
    const uint32_t cp = codePage ? *codePage : 0;
    m_name.setValue(LWString::fromMultiByteCodePage(f.name, cp));
    m_heading1.setData(fromCodePage(f.heading1, cp));
    m_heading2.setData(fromCodePage(f.heading2, cp));
    m_heading3.setData(fromCodePage(f.heading3, cp));
    return m_header.cloneNode(true);
}

LDOMElement TsmlCreateListsElement(LDOMDocument& doc)
{
    LDOMElement lists = element(doc, u"tsml:lists");
    attach(doc, lists, u"default-sample-size", LWString(u"5"));
    return lists;
}

TsmlFieldRecord TsmlFieldFromInfo(const FieldInfo& info, std::vector<TsmlValueEntry>& storage)
{
    storage.clear();
    for (uint32_t i = 0; i < info.ulPicklistCount && info.pPicklist; ++i)
        storage.push_back({info.pPicklist[i].pszCaption, info.pPicklist[i].pszValue, nullptr, 0});
    TsmlFieldRecord f;
    f.name = info.szName;
    f.length = info.ulMaxLength;
    f.totalDigits = info.sTotalDigits;
    f.decimals = info.sFractionDigits;
    f.decimalSeparator = info.chDecimalSeparator;
    f.type = static_cast<unsigned char>(info.chType);
    f.keyboardShift = info.ulKeyboardShift;
    f.mode = info.ulFieldMode;
    f.captionKind = info.ulCaptionReference;
    f.description = info.pszDescription;
    f.label = info.pszLabel;
    f.heading1 = info.pszHeading1;
    f.heading2 = info.pszHeading2;
    f.heading3 = info.pszHeading3;
    f.valueCount = static_cast<uint32_t>(storage.size());
    f.values = storage.empty() ? nullptr : storage.data();
    f.flags = info.ulAttributes;
    f.sampleValue = info.pszSampleValue;
    f.usedFor = info.ulUsedFor;
    f.weblet = info.pszWeblet;
    return f;
}

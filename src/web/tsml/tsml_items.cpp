// Runtime-data items: qvml:item and qvml:select-one.
#include "web/tsml/tsml_factories.h"
#include "web/tsml/tsml_names.h"

using namespace tsml;

QvmlItemFactory::QvmlItemFactory(LDOMDocument& doc)
{
    m_item = element(doc, u"qvml:item", kQvmlNamespace);
    m_item.appendChild(elementWithText(doc, u"qvml:value", &m_value, kQvmlNamespace));
    m_caption = elementWithText(doc, u"qvml:caption", &m_captionText, kQvmlNamespace);
    m_variableCaption = element(doc, u"qvml:caption", kQvmlNamespace);
    LDOMElement variable = element(doc, u"qvml:variable", kQvmlNamespace);
    m_variableName = attach(doc, variable, u"name", LWString(u""));
    m_variableCaption.appendChild(variable);
    m_default = doc.createAttribute(LWString(u"default"));
    m_default.setValue(u"true");
}

LDOMElement QvmlItemFactory::build(const char* caption, const char* value, const char* variable, uint32_t isDefault,
                                   uint32_t codePage)
{
    m_value.setData(LWString::fromMultiByteCodePage(value, codePage));
    LDOMElement item;
    if (isDefault != 0) {
        m_item.setAttributeNode(m_default);
        item = m_item.cloneNode(true);
        m_item.removeAttributeNode(m_default);
    } else {
        item = m_item.cloneNode(true);
    }
    LDOMNode captionClone;
    if (variable == nullptr || *variable == '\0') {
        m_captionText.setData(LWString::fromMultiByteCodePage(caption, codePage));
        captionClone = m_caption.cloneNode(true);
    } else {
        m_variableName.setValue(LWString::fromMultiByte(*variable == '*' ? variable + 1 : variable));
        captionClone = m_variableCaption.cloneNode(true);
    }
    item.insertBefore(captionClone, item.getFirstChild());
    return item;
}

QvmlSelectOneFactory::QvmlSelectOneFactory(LDOMDocument& doc) : m_items(doc)
{
    m_selectOne = element(doc, u"qvml:select-one", kQvmlNamespace);
    m_id = attach(doc, m_selectOne, u"id", LWString(u""));
    LDOMElement ref = element(doc, u"qvml:weblet-ref", kQvmlNamespace);
    m_webletName = attach(doc, ref, u"name", LWString(u""));
    m_selectOne.appendChild(ref);
}

LDOMElement QvmlSelectOneFactory::build(const LWString& webletName, const LWString& id, uint32_t count,
                                        const TsmlValueEntry* entries, uint32_t codePage)
{
    m_id.setValue(id);
    m_webletName.setValue(webletName);
    LDOMElement list = m_selectOne.cloneNode(true);
    for (uint32_t i = 0; i < count && entries; ++i)
        list.appendChild(
            m_items.build(entries[i].caption, entries[i].value, entries[i].variable, entries[i].isDefault, codePage));
    return list;
}

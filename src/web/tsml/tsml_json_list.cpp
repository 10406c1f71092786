// JSON lists: the columns of a list whose output format is JSON, written as
// one JSON text (headings and five rows of sample values) in a CDATA
// section of tsml:json-list.
#include <cstdlib>
#include <string>

#include "classlib/base/json_writer.h"
#include "classlib/base/lexception.h"
#include "classlib/base/lstream.h"
#include "classlib/base/wide_text.h"
#include "web/tsml/tsml_names.h"
#include "web/tsml/tsml_node.h"

using namespace tsml;

namespace {

constexpr int kSampleRows = 5;

void key(LJsonStreamWriter& w, const char16_t* text)
{
    w.writeKey(text, static_cast<int32_t>(LWStrLen(text)));
}

void keyed(LJsonStreamWriter& w, const char16_t* name, const LWString& value)
{
    key(w, name);
    w.writeString(value, LJsonStreamWriter::kEscaped);
}

// A JSON number as written (optional minus, digits, fraction, exponent).
bool isJsonNumber(std::u16string_view t)
{
    size_t i = 0;
    const auto digits = [&] {
        size_t start = i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i;
        return i > start;
    };
    if (i < t.size() && t[i] == u'-')
        ++i;
    if (i < t.size() && t[i] == u'0')
        ++i;
    else if (!digits())
        return false;
    if (i < t.size() && t[i] == u'.') {
        ++i;
        if (!digits())
            return false;
    }
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        if (!digits())
            return false;
    }
    return i == t.size();
}

void sampleValue(LJsonStreamWriter& w, const JsonListColumn& c)
{
    switch (c.type) {
    case 'F':
    case 'I':
    case 'P':
    case 'S': {
        // A sample that is no number would make the text invalid JSON.
        std::u16string_view v = c.sampleValue.isNull() ? std::u16string_view() : c.sampleValue.view();
        if (isJsonNumber(v))
            w.writeRaw(v.data(), static_cast<int32_t>(v.size()), LJsonStreamWriter::kRaw);
        else
            w.writeRaw(u"0", 1, LJsonStreamWriter::kRaw);
        break;
    }
    case 'Y': w.writeRaw(u"true", 4, LJsonStreamWriter::kRaw); break;
    default: w.writeString(c.sampleValue.isNull() ? LWString(u"") : c.sampleValue, LJsonStreamWriter::kEscaped);
    }
}

}  // namespace

JsonListTsmlNodeImpl::JsonListTsmlNodeImpl(LDOMDocument& doc, const ListInfo& list)
    : listName(LWString::fromMultiByte(list.szName))
{
    jsonList = element(doc, u"tsml:json-list");
    attach(doc, jsonList, u"name", listName);
}

void JsonListTsmlNode::addColumn(const TsmlFieldRecord& field, const TechServiceSet&)
{
    JsonListColumn c;
    // Name, headings and sample value are texts of the repository in one
    // code page, the document's.
    c.name = LWString::fromMultiByteCodePage(field.name, codePage());
    c.type = field.type;
    c.heading1 = LWString::fromMultiByteCodePage(field.heading1, codePage());
    c.heading2 = LWString::fromMultiByteCodePage(field.heading2, codePage());
    c.heading3 = LWString::fromMultiByteCodePage(field.heading3, codePage());
    c.sampleValue = LWString::fromMultiByteCodePage(field.sampleValue, codePage());
    m_json->columns.push_back(std::move(c));
}

void JsonListTsmlNode::writeJsonList()
{
    LMemoryStream stream(1, nullptr, 2048);
    LWString text;
    try {
        WideTextBuffer out(&stream, 2, 0);
        LJsonStreamWriter w(out);
        w.startDocument();
        w.startObject();
        key(w, u"list");
        w.startObject();
        const LWString& name = m_json->listName;
        w.writeKey(name.c_str(), name.length());
        w.startObject();
        key(w, u"header");
        w.startArray();
        for (const JsonListColumn& c : m_json->columns) {
            w.startObject();
            keyed(w, u"name", c.name);
            if (c.heading1.length() > 0)
                keyed(w, u"heading-1", c.heading1);
            if (c.heading2.length() > 0)
                keyed(w, u"heading-2", c.heading2);
            if (c.heading3.length() > 0)
                keyed(w, u"heading-3", c.heading3);
            w.endObject();
        }
        w.endArray();
        key(w, u"entries");
        w.startArray();
        for (int row = 0; row < kSampleRows; ++row) {
            w.startArray();
            for (const JsonListColumn& c : m_json->columns)
                sampleValue(w, c);
            w.endArray();
        }
        w.endArray();
        w.endObject();
        w.endObject();
        w.endObject();
        w.endDocument();
        text = LStream_ReadAllWideText(stream);
    } catch (const LJsonWriterException& e) {
        throw TSMLException(e.message());
    }
    m_json->jsonList.appendChild(getDocument()->createCDATASection(text));
}

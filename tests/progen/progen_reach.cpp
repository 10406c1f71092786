// What kinds of value the keyword elements took: for each element
// ("CMD KW n") the kinds of the fields its values name (their type letters,
// "null" for a field that may be null), of its literals and other values,
// and their size classes; and the (element, field kind) pairs the tables
// allow that no value took, with the kinds the product refuses an element.
#include <algorithm>
#include <cctype>

#include "progen.h"

namespace progen {

namespace {

bool nameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '$';
}

/* The size class of a field: its length among the bounds of its kind. */
std::string fieldSize(const Field& f)
{
    switch (f.type) {
    case 'I':
    case 'F': return std::string(1, f.type) + std::to_string(f.length);
    case 'E':
    case 'M':
    case 'Z':
    case 'Y': return std::string(1, f.type);
    case 'P':
    case 'S': {
        const std::string digits = f.length <= 9 ? "1-9" : f.length <= 18 ? "10-18" : f.length <= 30 ? "19-30" : "31+";
        return std::string(1, f.type) + digits + (f.decimals ? ",dec" : "");
    }
    default: {
        const int n = f.length;
        return std::string(1, f.type) + (n == 1 ? "1" : n <= 10 ? "2-10" : n <= 50 ? "11-50" : n <= 255 ? "51-255" : "256+");
    }
    }
}

/* The kind and size class of a value that names no field. */
std::pair<std::string, std::string> literalKind(const std::string& t)
{
    if (t.size() >= 2 && t.front() == '\'') {
        const size_t n = t.size() - 2;
        return {"'literal", n <= 1 ? "'1" : n <= 50 ? "'2-50" : n <= 255 ? "'51-255" : "'256+"};
    }
    if (t[0] == '*')
        return {"*value", ""};
    const bool number = std::all_of(t.begin() + (t[0] == '-' || t[0] == '+'), t.end(),
                                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.'; });
    if (number && t.find_first_of("0123456789") != std::string::npos)
        return {"9literal", t[0] == '-' ? "9negative" : t.find('.') != std::string::npos ? "9decimal" : "9whole"};
    return {"name", ""};
}

}  // namespace

std::vector<std::string> NamesIn(const std::string& written)
{
    // a quoted value: a literal, or an expression whose own literals are in doubled quotes
    std::string text = written;
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
        text.clear();
        for (size_t i = 1; i + 1 < written.size(); ++i)
            text += written[i] == '\'' && written[i + 1] == '\'' ? written[i++] : written[i];
        if (text.find_first_of(" #") == std::string::npos)
            return {};
    }
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'') {  // a literal within
            const size_t end = text.find('\'', i + 1);
            i = end == std::string::npos ? text.size() : end;
            continue;
        }
        if (!nameChar(text[i]))
            continue;
        size_t j = i;
        while (j < text.size() && nameChar(text[j]))
            ++j;
        // a special value or a system variable (*NAME) is no name
        if (i == 0 || text[i - 1] != '*')
            out.push_back(text.substr(i, j - i));
        i = j;
    }
    return out;
}

void Reach::add(const Reach& r)
{
    for (const auto& [e, k] : r.kinds)
        kinds[e].insert(k.begin(), k.end());
    for (const auto& [e, s] : r.sizes)
        sizes[e].insert(s.begin(), s.end());
}

Reach ValueReach(const Tables& tables, const Program& p)
{
    std::map<std::string, const Field*> byName;
    for (const Field& f : p.fields)
        byName.emplace(f.name, &f);
    Reach r;
    // the kinds of one value of element e: each field it names, or its own
    const auto value = [&](const std::string& e, const std::string& t) {
        bool named = false;
        for (const std::string& n : NamesIn(t)) {
            const auto f = byName.find(n);
            if (f == byName.end())
                continue;
            named = true;
            r.kinds[e].insert(std::string(1, f->second->type));
            if (f->second->nullable)
                r.kinds[e].insert("null");
            r.sizes[e].insert(fieldSize(*f->second));
        }
        if (named) {
            if (t[0] == '\'')
                r.kinds[e].insert("expression");
            return;
        }
        const auto [kind, size] = literalKind(t);
        r.kinds[e].insert(kind);
        if (!size.empty())
            r.sizes[e].insert(size);
    };
    for (const std::string& line : AllLines(p)) {
        const auto [cmd, kws] = SplitLine(line);
        for (const auto& [kw, v] : kws) {
            const Param* param = tables.param(cmd, kw);
            if (!param || param->elements.empty())
                continue;
            const auto element = [&](size_t i) {
                return cmd + " " + kw + " " + std::to_string(std::min(i, param->elements.size() - 1) + 1);
            };
            const std::vector<std::string> ts = Tokens(v);
            for (size_t i = 0; i < ts.size(); ++i) {
                const std::string& t = ts[i];
                if (param->layout != 'S' && t.size() > 1 && t.front() == '(' && t.back() == ')') {
                    const std::vector<std::string> inner = Tokens(t.substr(1, t.size() - 2));
                    for (size_t k = 0; k < inner.size(); ++k)
                        value(element(k), inner[k]);
                } else if (!t.empty()) {
                    value(element(param->layout == 'S' ? i : 0), t);
                }
            }
        }
    }
    return r;
}

const std::vector<std::string>& FieldKinds()
{
    static const std::vector<std::string> k = {"A", "P", "S", "E", "M", "Z", "I", "F", "Y", "H", "null"};
    return k;
}

const std::vector<Refusal>& Refusals()
{
    static const char* const kNumber = "a number is taken here: a field of an alphanumeric kind is refused (DCM0402)";
    static const char* const kText = "an alphanumeric value is taken here: a numeric field is refused (DCM0402)";
    static const std::vector<Refusal> r = {
        // numbers: entry numbers, counters, positions and lengths, loop bounds, the values a report returns
        {"ADD_ENTRY AFTER 1", "A E M Z H", kNumber},
        {"GET_ENTRY NUMBER 1", "A E M Z H", kNumber},
        {"DLT_ENTRY NUMBER 1", "A E M Z H", kNumber},
        {"LOC_ENTRY RET_NUMBER 1", "A E M Z H", kNumber},
        {"BEGIN_LOOP *", "A E M Z H", kNumber},
        {"BEGINCHECK KEEP_COUNT 1", "A E M Z H", kNumber},
        {"DEF_REPORT RET_*", "A E M Z H", kNumber},
        {"DEF_REPORT COPIES 1", "A E M Z H", kNumber},
        {"DEF_ARRAY INDEXES 1", "A E M Z H", kNumber},
        {"SUBSTRING FIELD 2", "A E M Z H", kNumber},
        {"SUBSTRING FIELD 3", "A E M Z H", kNumber},
        {"SUBSTRING INTO_FIELD 2", "A E M Z H", kNumber},
        {"SUBSTRING INTO_FIELD 3", "A E M Z H", kNumber},
        {"KEEP_TOTAL OF_FIELD 1", "A E M Z H", "KEEP_TOTAL adds numbers: PRC0147"},
        {"KEEP_AVG OF_FIELD 1", "A E M Z H", "KEEP_AVG adds numbers: PRC0147"},
        {"KEEP_TOTAL IN_FIELD 1", "A E M Z H", "the result of KEEP_TOTAL is a number: PRC0148"},
        {"KEEP_COUNT IN_FIELD 1", "A E M Z H", "the result of KEEP_COUNT is a number: PRC0148"},
        {"KEEP_AVG IN_FIELD 1", "A E M Z H", "the result of KEEP_AVG is a number: PRC0148"},
        // alphanumeric values: the target of SUBSTRING, the status of an entry or of SQL
        {"SUBSTRING INTO_FIELD 1", "P S I F Y", kText},
        {"GET_ENTRY RET_STATUS 1", "P S I F Y", kText},
        {"LOC_ENTRY RET_STATUS 1", "P S I F Y", kText},
        {"SELECT_SQL IO_STATUS 1", "P S I F Y", kText},
        // a report line places alphanumeric, packed and signed fields only
        {"DEF_HEAD FIELDS 1", "E M Z I F Y H", "a report line places alphanumeric, packed and signed fields: PRC0047"},
        {"DEF_LINE FIELDS 1", "E M Z I F Y H", "a report line places alphanumeric, packed and signed fields: PRC0047"},
        {"DEF_BREAK FIELDS 1", "E M Z I F Y H", "a report line places alphanumeric, packed and signed fields: PRC0047"},
        {"DEF_FOOT FIELDS 1", "E M Z I F Y H", "a report line places alphanumeric, packed and signed fields: PRC0047"},
        // an array lies over the bytes of a field
        {"DEF_ARRAY OVERLAYING 1", "E M Z I F Y H", "an array lies over the bytes of a fixed field: PRC0219"},
    };
    return r;
}

const char* Refused(const std::string& element, const std::string& kind)
{
    for (const Refusal& r : Refusals()) {
        const std::string e = r.elements;
        const bool whole = e.back() == '*' ? element.rfind(e.substr(0, e.size() - 1), 0) == 0 : element == e;
        if (whole && (" " + std::string(r.kinds) + " ").find(" " + kind + " ") != std::string::npos)
            return r.why;
    }
    return nullptr;
}

std::vector<std::string> Unreached(const Reach& r)
{
    std::vector<std::string> out;
    for (const auto& [e, kinds] : r.kinds) {
        const bool fields = std::any_of(FieldKinds().begin(), FieldKinds().end(),
                                        [&](const std::string& k) { return kinds.count(k) > 0; });
        if (!fields)
            continue;
        for (const std::string& k : FieldKinds())
            if (!kinds.count(k) && !Refused(e, k))
                out.push_back(e + ": " + k);
    }
    return out;
}

}  // namespace progen

// The writer's names, dictionary and files, and its values of every kind:
// literals of numbers, texts, dates, times and timestamps, system
// variables, operands that may be compared with a field or moved into it,
// conditions of several terms in nested brackets, arithmetic, and CASE
// blocks over fields of every kind with lists and ranges of values.
#include "progen_writer.h"

namespace progen {

using std::to_string;

Family FamilyOf(char type)
{
    switch (type) {
    case 'A':
    case 'H': return Family::String;
    case 'E': return Family::Date;
    case 'M': return Family::Time;
    case 'Z': return Family::Stamp;
    case 'Y': return Family::Boolean;
    default: return Family::Number;
    }
}

namespace {

/* The system variables of each value: name and length. */
struct SystemVariable {
    const char* name;
    int length;
};
const std::vector<SystemVariable> kNumericVariables = {{"*DATE", 6},   {"*YYMMDD", 6}, {"*DDMMYY", 6},   {"*MMDDYY", 6},
                                                       {"*YYYYMMDD", 8}, {"*TIME", 6}, {"*MONTH", 2},    {"*DAY", 2},
                                                       {"*YEAR", 2},     {"*YEAR4", 4}};
const std::vector<SystemVariable> kAlphaVariables = {
    {"*USER", 10},     {"*JOB", 10},      {"*JOBNBR", 6},    {"*PROCESS", 10},   {"*FUNCTION", 7},
    {"*PARTITION", 3}, {"*LANGUAGE", 4},  {"*PARTDESC", 40}, {"*FUNCDESC", 40},  {"*PROCDESC", 40},
    {"*CPUTYPE", 10},  {"*DBMS_TYPE", 10}, {"*DEVICE", 10},  {"*TIMEC", 8},      {"*DATEC", 8},
    {"*CURRENT_DATE", 10}};

}  // namespace

// ---- draws ------------------------------------------------------------------

int Writer::spread(int most)
{
    const int bound = rnd(1, 100) <= 75 ? std::min(most, 4) : rnd(1, 100) <= 70 ? std::min(most, 12) : most;
    return rnd(1, std::max(1, bound));
}

std::vector<std::string> Writer::some(std::vector<std::string> from, int most)
{
    std::shuffle(from.begin(), from.end(), r_);
    from.resize(static_cast<size_t>(std::min<int>(int(from.size()), rnd(1, std::max(1, most)))));
    return from;
}

std::string Writer::hashed(const std::vector<std::string>& names)
{
    std::string s;
    for (const std::string& f : names)
        s += (s.empty() ? "" : " ") + ref(f);
    return s;
}

std::vector<std::string> Writer::named(const std::string& text) const
{
    std::vector<std::string> out;
    for (const std::string& n : NamesIn(text))
        if (fieldAt_.count(n))
            out.push_back(n);
    return out;
}

// ---- names, the dictionary and the files ------------------------------------

/* A name of the given length no other name has: a first letter that
** starts no word of SQL or of the language, then letters and digits. */
std::string Writer::newName(int length)
{
    static const std::string first = "JQ", rest = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int tries = 0;; ++tries) {
        const int n = std::min(10, length + tries / 40);
        std::string name(1, first[size_t(rnd(0, 1))]);
        while (int(name.size()) < n)
            name += rest[size_t(rnd(0, 35))];
        if (name != "JOIN" && names_.insert(name).second)
            return name;
    }
}

std::string Writer::fieldName(char type)
{
    if (chance(35))
        return newName(rnd(1, 10));
    std::string name = "PG" + std::string(1, type) + to_string(++fieldNo_);
    while (!names_.insert(name).second)
        name = "PG" + std::string(1, type) + to_string(++fieldNo_);
    return name;
}

std::string Writer::addField(char type, int len, int dec, bool nullable, const std::string& dft)
{
    const std::string name = fieldName(type);
    fieldAt_[name] = p_.fields.size();
    p_.fields.push_back({name, type, len, dec, nullable, dft});
    return name;
}

void Writer::known(const Field& f)
{
    fieldAt_[f.name] = p_.fields.size();
    p_.fields.push_back(f);
    names_.insert(f.name);
    (f.type == 'A' ? alpha_ : f.type == 'P' || f.type == 'S' ? num_ : ext_).push_back(f.name);
}

const Field& Writer::field(const std::string& n) const
{
    const auto at = fieldAt_.find(n);
    return at == fieldAt_.end() ? p_.fields.front() : p_.fields[at->second];
}

std::vector<std::string> Writer::ofFamily(Family f, bool nullable) const
{
    std::vector<std::string> out;
    for (const std::string& n : allFields())
        if (FamilyOf(field(n).type) == f && (nullable || !field(n).nullable))
            out.push_back(n);
    return out;
}

std::vector<std::string> Writer::ofTypes(const std::string& types, bool nullable) const
{
    std::vector<std::string> out;
    for (const std::string& n : allFields())
        if (types.find(field(n).type) != std::string::npos && (nullable || !field(n).nullable))
            out.push_back(n);
    return out;
}

std::string Writer::byKind(const std::vector<std::string>& from)
{
    // the kinds among them: the type letter, and "null" for the fields that may be null
    std::map<std::string, std::vector<std::string>> kinds;
    for (const std::string& n : from) {
        kinds[std::string(1, field(n).type)].push_back(n);
        if (field(n).nullable)
            kinds["null"].push_back(n);
    }
    auto k = kinds.begin();
    std::advance(k, rnd(0, int(kinds.size()) - 1));
    return pick(k->second);
}

std::string Writer::keyValue(const std::string& key)
{
    const Field& kf = field(key);
    // a field of the key's class: of numeric kinds for a numeric key, alphanumeric kinds for another
    const std::vector<std::string> same = ofTypes(FamilyOf(kf.type) == Family::Number ? "PSIFY" : "AEMZH");
    if (chance(20) && !same.empty())
        return ref(byKind(same));
    if (chance(15) && kf.type != 'Y') {  // a literal of at most 20 characters
        const std::string l = literal(FamilyOf(kf.type), &kf);
        return l.size() <= 20 ? l : kf.type == 'A' ? alphaLiteral(std::min(kf.length, 18)) : ref(key);
    }
    return ref(key);
}

/* One field of the dictionary, of any kind. */
void Writer::dictionaryField()
{
    const int kind = rnd(0, 19);
    const bool nul = chance(20);
    if (kind <= 5) {
        const int len = chance(20) ? pick<int>({1, 50, 51, 255, 256}) : rnd(1, 80);
        const std::string dft = !chance(20)  ? ""
                                : chance(50) ? "*BLANK"
                                             : quote(text(std::min(48, rnd(1, len))));
        alpha_.push_back(addField('A', len, 0, nul, dft));
    } else if (kind <= 10) {
        const int len = chance(20) ? pick<int>({1, 30, 31}) : rnd(1, 31);
        const int dec = chance(30) ? 0 : rnd(0, len);
        const std::string dft = chance(15) ? one({"*ZERO", "0"}) : "";
        num_.push_back(addField(kind <= 7 ? 'P' : 'S', len, dec, nul, dft));
    } else {
        static const std::vector<std::pair<char, int>> ext = {{'I', 1},  {'I', 2}, {'I', 4},  {'I', 8},
                                                              {'F', 4},  {'F', 8}, {'E', 10}, {'M', 8},
                                                              {'Z', 26}, {'H', 0}, {'Y', 1}};
        auto [type, len] = pick(ext);
        if (type == 'H')
            len = chance(20) ? pick<int>({1, 255, 256}) : rnd(1, 120);
        ext_.push_back(addField(type, len, 0, nul));
    }
}

void Writer::dictionary()
{
    // fields the commands rely on: counters, positions, a status, a message
    num_ = {addField('P', 7, 0), addField('P', 5, 0), addField('S', 9, 2), addField('P', 15, 5)};
    alpha_ = {addField('A', 10), addField('A', 1), addField('A', 30), addField('A', 256)};
    status_ = addField('A', 2);
    rrn_ = addField('P', 9, 0);
    date_ = addField('P', 8, 0);
    counter_ = addField('P', 7, 0);
    firstLoop_ = index_ = addField('P', 3, 0);
    for (int i = 1; subset_ && i <= kLevels; ++i)  // the loop fields of levels 1 and 2, the GOTO counter
        own_.insert(loopFields_.emplace_back(addField('P', 3, 0)));
    // a dictionary of a few fields, or at times of a hundred and more
    for (int i = 0, n = chance(10) ? rnd(40, 120) : rnd(6, 24); i < n; ++i)
        dictionaryField();
    if (chance(20)) {  // a field of another's definition, of any kind (OVERRIDE gives one the other's)
        const Field d = field(byKind(joined(alpha_, ext_)));
        (d.type == 'A' ? alpha_ : ext_).push_back(addField(d.type, d.length, d.decimals, d.nullable));
    }
}

/* A key field of a file: of a kind a key may be, now and then one another
** file has already. */
std::string Writer::keyField()
{
    std::vector<std::string> shared;
    for (const File& f : p_.files)
        shared.insert(shared.end(), f.keys.begin(), f.keys.end());
    if (!shared.empty() && chance(30))
        return pick(shared);
    std::string name;
    switch (rnd(0, 11)) {
    case 0:
    case 1:
    case 2: name = addField('A', rnd(1, 20)); break;
    case 3:
    case 4: name = addField('P', rnd(1, 15), 0); break;
    case 5: name = addField('S', rnd(1, 15), 0); break;
    case 6:
    case 7: name = addField('I', pick<int>({1, 2, 4, 8})); break;
    case 8:
    case 9: name = addField('E', 10); break;
    case 10: name = addField('Z', 26); break;
    default: name = addField('M', 8); break;
    }
    (FamilyOf(field(name).type) == Family::String && field(name).type == 'A' ? alpha_
     : field(name).type == 'P' || field(name).type == 'S'                   ? num_
                                                                              : ext_)
        .push_back(name);
    return name;
}

/* A data field of a file: one of the dictionary or of another file, or a
** new one of any kind. */
std::string Writer::dataField(const std::vector<std::string>& taken)
{
    if (chance(30)) {
        std::vector<std::string> from;
        for (const std::string& f : allFields())
            if (std::find(taken.begin(), taken.end(), f) == taken.end() && f != status_ && f != rrn_ &&
                f != counter_ && f != index_ && f != date_)
                from.push_back(f);
        if (!from.empty())
            return pick(from);
    }
    const size_t before = alpha_.size() + num_.size() + ext_.size();
    dictionaryField();
    (void)before;
    return p_.fields.back().name;
}

void Writer::files()
{
    for (int i = 0, n = rnd(0, 4); i < n && !subset_; ++i) {
        File f;
        f.name = chance(70) ? "PGFILE" + to_string(i + 1) : newName(rnd(2, 10));
        names_.insert(f.name);
        // keys first (a few, at times up to twenty), then the data
        for (int k = 0, nk = spread(chance(5) ? 20 : 4); k < nk; ++k) {
            const std::string key = keyField();
            if (std::find(f.keys.begin(), f.keys.end(), key) == f.keys.end())
                f.keys.push_back(key);
        }
        f.fields = f.keys;
        for (int d = 0, nd = chance(10) ? rnd(20, 60) : spread(10); d < nd; ++d) {
            const std::string name = dataField(f.fields);
            if (std::find(f.fields.begin(), f.fields.end(), name) == f.fields.end())
                f.fields.push_back(name);
        }
        // logical views keyed by fields a key may be
        std::vector<std::string> keyable;
        for (const std::string& k : f.fields)
            if (std::string("APSIEZMH").find(field(k).type) != std::string::npos && !field(k).nullable)
                keyable.push_back(k);
        for (int v = 0, nv = chance(60) ? rnd(1, 2) : 0; v < nv && !keyable.empty(); ++v) {
            View view;
            view.name = f.name.substr(0, 8) + "V" + to_string(v + 1);
            names_.insert(view.name);
            view.keys = some(keyable, 3);
            f.views.push_back(view);
        }
        if (chance(15))
            f.libraries.push_back("PGLIB");
        p_.files.push_back(f);
    }
}

std::vector<std::pair<std::string, std::string>> Writer::pickParams()
{
    std::vector<std::pair<std::string, std::string>> ps;
    for (int i = 0, n = chance(35) ? 0 : spread(chance(5) ? 50 : 6); i < n; ++i) {
        std::string f;
        switch (subset_ ? rnd(0, 1) : rnd(0, 7)) {
        case 0: f = addField('A', rnd(1, 256)); break;
        case 1: f = addField('P', rnd(1, 15), rnd(0, 1)); break;
        case 2: {
            const int len = rnd(1, 15);
            f = addField('S', len, rnd(0, std::min(3, len)));
            break;
        }
        case 3: f = addField('I', pick<int>({1, 2, 4, 8})); break;
        case 4: f = addField('F', pick<int>({4, 8})); break;
        case 5: f = addField(pick<char>({'E', 'M', 'Z'}), 10); break;
        case 6: f = addField('H', rnd(1, 120)); break;
        default: f = addField('Y', 1); break;
        }
        Field& d = p_.fields.back();
        d.nullable = !subset_ && chance(15);
        if (d.type == 'M')
            d.length = 8;
        if (d.type == 'Z')
            d.length = 26;
        ps.push_back({f, one({"*RECEIVED", "*RETURNED", "*BOTH"})});
    }
    return ps;
}

// ---- literals and system variables ------------------------------------------

std::string Writer::numLiteral(const Field& f)
{
    if (f.type == 'I' || f.type == 'F') {  // at most as many digits as the field has bytes
        std::string v = to_string(rnd(0, f.length >= 4 ? 999 : f.length == 2 ? 99 : 9));
        return chance(25) ? "-" + v : v;
    }
    const int ints = f.length - f.decimals;
    std::string v = ints > 0 ? number(0, 9) : "0";
    if (ints > 1 && chance(30))
        v = std::string(static_cast<size_t>(rnd(1, ints)), '9');
    if (f.decimals > 0 && chance(50))
        v += "." + std::string(static_cast<size_t>(rnd(1, f.decimals)), '5');
    if (chance(25))
        v = "-" + v;
    return v;
}

/* a number to compare with: whole, with decimals, negative, or long */
std::string Writer::anyNumber()
{
    switch (rnd(0, 5)) {
    case 0: return number(0, 9);
    case 1: return number(10, 9999);
    case 2: return number(0, 99) + "." + number(1, 99);
    case 3: return "-" + number(1, 500);
    case 4: return "-" + number(0, 9) + "." + number(1, 9);
    default: return chance(80) ? number(0, 99) : std::string(static_cast<size_t>(rnd(10, 15)), '7');
    }
}

std::string Writer::dateText()
{
    char s[16];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d", rnd(1950, 2099), rnd(1, 12), rnd(1, 28));
    return s;
}

std::string Writer::timeText()
{
    char s[16];
    std::snprintf(s, sizeof s, "%02d:%02d:%02d", rnd(0, 23), rnd(0, 59), rnd(0, 59));
    return s;
}

/* a timestamp: a date, or a date and a time, with no, some or all nine fraction digits */
std::string Writer::stampText(size_t most)
{
    const std::string date = dateText();
    std::string s;
    switch (rnd(0, 3)) {
    case 0: s = date; break;
    case 1: s = date + " " + timeText(); break;
    case 2: s = date + " " + timeText() + "." + number(100000, 999999); break;
    default: s = date + " " + timeText() + "." + number(100000000, 999999999); break;
    }
    return s.substr(0, std::max(most, size_t(19)));
}

/* A literal of the family, that fits the field when one is given. */
std::string Writer::literal(Family f, const Field* fit)
{
    switch (f) {
    case Family::Number: return fit ? numLiteral(*fit) : anyNumber();
    case Family::String: {
        const int most = fit ? std::min(fit->length, 256) : 60;
        return chance(10) && most >= 4 ? "'It''s'" : alphaLiteral(std::max(1, most));
    }
    case Family::Date: return quote(dateText());
    case Family::Time: return quote(timeText());
    case Family::Stamp: return quote(stampText(fit ? size_t(fit->length) : 29));
    default: return "";
    }
}

/* a system variable of the family that fits the field (none in the subset: the test run time has none) */
std::string Writer::systemVariable(Family f, const Field* fit)
{
    if (subset_ || (f != Family::Number && f != Family::String))
        return "";
    std::vector<std::string> v;
    for (const SystemVariable& s : f == Family::Number ? kNumericVariables : kAlphaVariables)
        if (!fit || (f == Family::Number ? s.length <= fit->length - fit->decimals : s.length <= fit->length))
            v.push_back(s.name);
    return any(v);
}

// ---- operands, comparisons and conditions -----------------------------------

/* A value to compare with the field: a field of a kind that compares with
** its kind, a literal, a system variable or a special value. */
std::string Writer::operandFor(const Field& left, bool fieldsOnly)
{
    const Family f = FamilyOf(left.type);
    std::vector<std::string> fields;
    switch (f) {
    // the subset compares a date, time or timestamp field only with one of its own kind: how a
    // time compares with a timestamp is the run time's comparison routine's
    case Family::Date: fields = ofTypes(subset_ ? "E" : "EZ"); break;
    case Family::Time: fields = ofTypes(subset_ ? "M" : "MZ"); break;
    case Family::Stamp: fields = ofTypes(subset_ ? "Z" : "ZEM"); break;
    default: fields = ofFamily(f); break;
    }
    if (fieldsOnly || f == Family::Boolean || chance(45))
        return fields.empty() ? ref(left.name) : ref(pick(fields));
    // special values are only equal or not (the caller writes the comparator)
    if (f == Family::String && chance(10))
        return "*BLANK";
    if (f == Family::Number && chance(8))
        return "*ZERO";
    // the subset compares no date, time, timestamp or fixed characters with *NULL: the run time's null text
    if (left.nullable && !(subset_ && std::string("EMZH").find(left.type) != std::string::npos) && chance(15))
        return "*NULL";
    const std::string v = chance(15) ? systemVariable(f, nullptr) : "";
    return v.empty() ? literal(f, nullptr) : v;
}

std::string Writer::comparator(const Field& left)
{
    if (FamilyOf(left.type) == Family::Boolean)
        return one({"=", "<>", "*EQ", "*NE"});
    return one({"=", "<>", "<", ">", "<=", ">=", "*EQ", "*NE", "*LT", "*GT", "*LE", "*GE"});
}

/* One comparison: a field and a value of its kind, or two sums of numbers. */
std::string Writer::comparison()
{
    if (chance(12) && !num_.empty()) {
        int budget = rnd(2, 4);
        const std::string a = arithmetic(budget, 1, false);
        budget = rnd(1, 3);
        return a + " " + one({"=", "<>", "<", ">", "<=", ">="}) + " " + arithmetic(budget, 1, false);
    }
    const Field& left = field(pick(allFields()));
    const std::string right = operandFor(left);
    if (right == "*NULL" || right == "*BLANK" || right == "*ZERO")
        return ref(left.name) + " " + one({"=", "<>", "*EQ", "*NE"}) + " " + right;
    // a literal or a special value may stand first
    if (right[0] != '#' && chance(15))
        return right + " " + comparator(left) + " " + ref(left.name);
    return ref(left.name) + " " + comparator(left) + " " + right;
}

/* Terms joined by AND and OR, some in brackets (nested to three levels),
** some the conditions the function names; `budget` counts the terms left. */
std::string Writer::conditionText(int& budget, int depth)
{
    std::string s;
    do {
        if (!s.empty())
            s += one({" AND ", " OR ", " AND ", " OR ", " *AND ", " *OR "});
        --budget;
        if (depth < 3 && budget > 0 && chance(30)) {
            ++budget;
            s += "(" + conditionText(budget, depth + 1) + ")";
        } else if (!conds_.empty() && chance(8)) {
            s += pick(conds_);
        } else {
            s += chance(20) ? "(" + comparison() + ")" : comparison();
        }
    } while (budget > 0 && chance(65));
    return s;
}

/* A condition: the name of one the function defines, or a quoted condition
** of one to six terms, at most `most` characters long. */
std::string Writer::condition(size_t most)
{
    if (!conds_.empty() && chance(12))
        return pick(conds_);
    // an expression holds at most 49 tokens (operands, operators and brackets)
    const auto tokens = [](const std::string& c) {
        return std::count(c.begin(), c.end(), ' ') + std::count(c.begin(), c.end(), '(') * 2 + 1;
    };
    for (int tries = 0;; ++tries) {
        int budget = chance(60) ? 1 : rnd(2, 6);
        const std::string c = quote(conditionText(budget, 0));
        if ((c.size() <= most && tokens(c) <= 45) || tries > 20)
            return c.size() <= most && tokens(c) <= 45 ? c : quote(ref(num_[0]) + " > 0");
    }
}

/* Arithmetic of numeric fields and numbers with + - * / in brackets;
** divisors are numbers other than zero (whole numbers only: no number with
** decimals where a whole number is wanted). */
std::string Writer::arithmetic(int& budget, int depth, bool wholeOnly)
{
    const auto operand = [&]() -> std::string {
        const std::vector<std::string> nums = wholeOnly ? ofTypes("I") : ofFamily(Family::Number);
        if (!nums.empty() && chance(65))
            return ref(pick(nums));
        return wholeOnly ? number(1, 99) : anyNumber();
    };
    std::string s = operand();
    --budget;
    while (budget > 0) {
        const std::string op = one({" + ", " - ", " * ", " / ", " + ", " - "});
        --budget;
        if (op == " / ")
            s += op + (wholeOnly ? number(1, 9) : one({number(1, 9), number(2, 99) + ".5", number(2, 12)}));
        else if (depth < 3 && budget > 0 && chance(30))
            s += op + "(" + arithmetic(budget, depth + 1, wholeOnly) + ")";
        else
            s += op + operand();
    }
    return s;
}

/* A value for CHANGE's TO into field f, of a kind the field takes. */
std::string Writer::valueFor(const Field& f)
{
    std::vector<std::string> v = {"*DEFAULT"};
    if (f.nullable)
        v.push_back("*NULL");
    const Family fam = FamilyOf(f.type);
    const auto fieldOf = [&](const std::string& types) { return any(ofTypes(types)); };
    switch (fam) {
    case Family::Number: {
        int budget = rnd(2, 5);
        v.insert(v.end(), {"*ZERO", numField(), numLiteral(f), numLiteral(f), quote(arithmetic(budget, 0, false)),
                           quote("(" + numField() + " - 1) / 3")});
        if (const std::string n = fieldOf("IF"); !n.empty())
            v.push_back(ref(n));
        if (const std::string s = systemVariable(fam, &f); !s.empty())
            v.push_back(s);
        if (f.type == 'P' || f.type == 'S')
            v.push_back(one({"*HIVAL", "*LOVAL"}));
        break;
    }
    case Family::String:
        v.insert(v.end(), {"*BLANK", alphaField(), literal(fam, &f), literal(fam, &f)});
        if (const std::string h = fieldOf("H"); !h.empty())
            v.push_back(ref(h));
        if (const std::string s = systemVariable(fam, &f); !s.empty())
            v.push_back(s);
        if (!subset_)
            v.push_back(one({"*HIVAL", "*LOVAL"}));
        break;
    case Family::Date:
    case Family::Time:
    case Family::Stamp: {
        const std::string from = fam == Family::Date ? "EZ" : fam == Family::Time ? "MZ" : "ZEM";
        if (const std::string s = fieldOf(from); !s.empty())
            v.push_back(ref(s));
        v.insert(v.end(), {literal(fam, &f), literal(fam, &f)});
        if (!subset_)
            v.push_back(one({"*HIVAL", "*LOVAL"}));
        break;
    }
    case Family::Boolean:
        if (const std::string s = fieldOf("Y"); !s.empty())
            v.insert(v.end(), {ref(s), ref(s)});
        if (!subset_)
            v.push_back(one({"*HIVAL", "*LOVAL"}));
        break;
    }
    std::string out = pick(v);
    // the subset: a float field takes no quotient as its whole value (divided in binary floating
    // point or in decimals, as the compiled expression chooses): the last division is a product
    if (const size_t at = outerOperator(out); subset_ && f.type == 'F' && out[0] == '\'' && at != std::string::npos &&
                                              out[at] == '/')
        out[at] = '*';
    return out;
}

/* where the last operator outside brackets of a quoted expression stands
** (npos: none); operators stand between blanks */
size_t Writer::outerOperator(const std::string& e)
{
    size_t at = std::string::npos;
    int depth = 0;
    for (size_t i = 1; i + 1 < e.size(); ++i) {
        depth += (e[i] == '(') - (e[i] == ')');
        if (depth == 0 && e[i - 1] == ' ' && e[i + 1] == ' ' && std::string("+-*/").find(e[i]) != std::string::npos)
            at = i;
    }
    return at;
}

// ---- CASE ------------------------------------------------------------------

/* A value of WHEN for the subject: a comparison with a value of its kind,
** or a range of two (a Boolean is only equal or not); at most 50
** characters. */
std::string Writer::whenValue(const Field& subject)
{
    for (int tries = 0;; ++tries) {
        std::string v = comparator(subject) + " " + operandFor(subject);
        if (FamilyOf(subject.type) != Family::Boolean && chance(25))
            v = one({">=", ">", "*GE"}) + " " + operandFor(subject) + " AND " + ref(subject.name) + " " +
                one({"<=", "<", "*LE"}) + " " + operandFor(subject);
        for (const char* special : {"*NULL", "*BLANK", "*ZERO"})
            if (v.find(special) != std::string::npos)
                v = one({"=", "<>", "*EQ", "*NE"}) + " " + special;
        const std::string q = quote(v);
        if (q.size() <= 50 || tries > 20)
            return q.size() <= 50 ? q : quote("= " + ref(subject.name));
    }
}

/* CASE over a field of any kind: WHEN blocks of one or more values (a list,
** ranges), perhaps OTHERWISE; the blocks' statements may hold CASE again. */
void Writer::caseOf(int depth)
{
    std::vector<std::string> subjects = allFields();
    if (subset_)  // the test run time compares no Boolean subject
        subjects = joined(joined(alpha_, num_), ofTypes("IFHEMZ"));
    const Field& s = field(pick(subjects));
    const Field subject = s;
    emit("CASE OF_FIELD(" + ref(subject.name) + ")");
    for (int i = 0, n = spread(8); i < n; ++i) {
        std::string values;
        for (int k = 0, nk = spread(chance(5) ? 20 : 3); k < nk; ++k)
            values += (values.empty() ? "" : " ") + whenValue(subject);
        nested("WHEN VALUE_IS(" + values + ")", depth, 2);
    }
    if (chance(60))
        nested("OTHERWISE", depth, 2);
    emit("ENDCASE");
}

}  // namespace progen

// The function writer: a dictionary of fields of every kind, files with
// keys of several kinds, logical views and second libraries, then a
// function whose commands use them: the forms of each command family
// below, each keyword element written with the kinds of value it takes
// (values of progen_values.cpp and progen_kinds.cpp), counts of fields,
// keys, parameters and values up to the limits of the keyword table.
#include "progen_writer.h"

namespace progen {

const std::vector<Switch>& Switches()
{
    static const std::vector<Switch> s = {
        {"self_execute", "a subroutine that EXECUTEs itself unconditionally: a program that never ends, refused by gcc "
                         "-Werror=infinite-recursion"},
        {"urequest",
         "UREQUEST and UDISPLAY: a check that generation follows refuses them (PRC1193, no code for the command)"},
        {"long_blank_list", "VALUECHECK of *BLANK and more than 11 values: checked as one condition of the values, "
                            "which holds more than 49 tokens (DCM0462)"},
    };
    return s;
}

using std::to_string;

Program Writer::function()
{
    dictionary();
    files();
    const int drawn = rnd(20, 200);  // drawn even when the size is given: the choices after it stay the seed's
    const int target = commands_ > 0 ? commands_ : drawn;
    // the routines' names and parameters are fixed first so calls can be written anywhere
    for (int i = 0, n = chance(10) ? rnd(4, 12) : rnd(0, 3); i < n; ++i)
        subs_.push_back({chance(60) ? "PGSUB" + to_string(i + 1) : newName(rnd(1, 10)), pickParams()});
    // labels of one to three letters and digits
    for (int i = 0, n = rnd(1, 6); i < n; ++i)
        labels_.push_back(i % 3 == 0 ? "L" + to_string(10 + i * 5) : i % 3 == 1 ? std::string(1, "KMN"[i / 3]) : "M" + to_string(i));
    header();
    /* a quarter of a seed's own size goes to its subroutines; a size asked for is all the main
       routine's when there are none */
    const size_t bodyTarget =
        commands_ > 0 && subs_.empty() ? static_cast<size_t>(target) : static_cast<size_t>(target) * 3 / 4;
    for (const std::string& u : used_)
        emit(u);
    body_ = true;
    while (p_.lines.size() < bodyTarget)
        statement(nearEnd(bodyTarget) ? kShallow : 0);
    body_ = false;
    // every label stands on a command of the main routine
    for (const std::string& l : labels_)
        if (!placed_.count(l))
            emit(l + ": MESSAGE MSGTXT(" + phrase(40) + ")");
    for (const Report& r : reports_) {
        const std::string n = to_string(r.number);
        emit("PRINT LINE(" + ref(r.line) + ") REPORT_NUM(" + n + ")");
        command("ENDPRINT REPORT_NUM(" + n + ")[30 IO_ERROR(*ABORT)]");
    }
    // the main routine of a web event function ends at its one screen
    command(webEvent_ ? "{=DISPLAY|REQUEST} FIELDS({s4})"
            : subset_ ? "{=RETURN|EXIT|MENU|ABORT{m}}"
                      : "{=RETURN|EXIT|MENU|ABORT{m}|TRANSFER TOFUNCTION({=*NEXT|*LAST})|"
                        "TRANSFER TOFUNCTION(DEMOMIN) EXCHANGE({a0})}");
    inMain_ = false;
    for (size_t i = 0; i < subs_.size(); ++i)
        subroutine(i, static_cast<size_t>(target));
    return p_;
}

/* the statement forms the flow-and-data subset leaves out: files,
** screens, validation blocks, reports, calls of programs, functions and
** built-ins, submitted jobs and system commands; form 11 with no routine
** (it falls through to a screen) and form 21 with no group (it submits a job) */
bool Writer::outsideSubset(int form) const
{
    static const std::set<int> outside = {8, 9, 12, 13, 14, 18, 19, 20, 22, 23, 24, 25, 30};
    return outside.count(form) || (form == 11 && subs_.empty()) || (form == 21 && group_.empty());
}

/* the statement forms a component leaves out: reports, SET_MODE and
** IF_MODE, UPRINT and INCLUDE (commands of functions only) */
bool Writer::outsideComponent(int form) const
{
    static const std::set<int> outside = {7, 14, 16, 17, 22, 24, 28};
    return outside.count(form) > 0 || (form == 6 && loops_ == 0);
}

/* the end of the brace or bracket that opens at i */
size_t Writer::closing(const std::string& s, size_t i)
{
    for (int depth = 0;; ++i) {
        depth += (s[i] == '{' || s[i] == '[') - (s[i] == '}' || s[i] == ']');
        if (depth == 0)
            return i;
    }
}

/* the pieces of s between the separators outside braces and brackets */
std::vector<std::string> Writer::split(const std::string& s, char sep)
{
    std::vector<std::string> out(1);
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t end = s[i] == '{' || s[i] == '[' ? closing(s, i) : i;
        s[i] == sep ? out.emplace_back() : out.back() += s.substr(i, end - i + 1);
        i = end;
    }
    return out;
}

/* whether the word is one of the list's (words between blanks) */
bool Writer::among(const char* list, const std::string& word)
{
    return (" " + std::string(list) + " ").find(" " + word + " ") != std::string::npos;
}

/* A form expanded (its values as progen_values.cpp lists them), for a
** keyword p of the command written so far; "" when the function has
** nothing a value needs. */
std::string Writer::expand(const std::string& form, const Param* p, const std::string& line)
{
    std::string out;
    for (size_t i = 0; i < form.size(); ++i) {
        if (form[i] != '{' && form[i] != '[') {
            out += form[i];
            continue;
        }
        const size_t end = closing(form, i);
        const std::string k = form.substr(i + 1, end - i - 1);
        if (form[i] == '[') {  // [P text]: the text at P percent
            const size_t text = k.find_first_not_of("0123456789");
            out += chance(std::stoi(k.substr(0, text))) ? expand(k.substr(text), p, line) : "";
        } else {
            const std::string v = value(k, p, line);
            if (v.empty())
                return "";
            out += v;
        }
        i = end;
    }
    return out;
}

/* a value of kind k: see the list of progen_values.cpp */
std::string Writer::value(const std::string& k, const Param* p, const std::string& line)
{
    const auto first = [&]() -> std::string {  // the first field the command names
        const size_t h = line.find('#');
        return h == std::string::npos ? "" : line.substr(h, line.find_first_of(" )", h) - h);
    };
    if (k == "A" || k == "A10") {
        std::vector<std::string> a;
        for (const std::string& f : alpha_)  // named with the national name character: a field, not a name
            if (field(f).length <= (k == "A" ? 25 : 10) && !field(f).nullable && f.size() < 10)
                a.push_back(f);
        return a.empty() ? "" : ref(pick(a));
    }
    if (k == "IA") {  // the field's kind, or the kind its definition gives it (none but these take them)
        const size_t ref = line.find(" REFFLD(");
        const std::vector<std::string> names = NamesIn(ref != std::string::npos ? line.substr(ref + 8) : first());
        const char type = has(line, "TYPE") ? (line.find("TYPE(*CHAR)") != std::string::npos ? 'A' : 'P')
                          : names.empty()   ? ' '
                                            : field(names.front()).type;
        return type == 'A' ? "LC" : type == 'P' || type == 'S' ? "RZ" : "";
    }
    if (k == "D" && p) {  // the defaults of every element, when each has one
        std::string v;
        for (const Element& e : p->elements)
            if (e.dflt.empty())
                return "";
            else
                v += (v.empty() ? "" : " ") + e.dflt;
        return v;
    }
    if ((k[0] == 'a' || k[0] == 'n') && k.size() == 2)  // a field the commands rely on
        return ref((k[0] == 'a' ? alpha_ : num_)[size_t(k[1] - '0')]);
    switch (k[0]) {
    case 'N': return numField();
    case 'K':
        if (k == "KN" || k == "KA") {
            const std::string f = any(k == "KN" ? ofTypes("PSIFY") : ofTypes("AEMZH"));
            return f.empty() ? "" : ref(f);
        }
        return ref(pick(allFields()));
    case 'M': return msgData();
    case 'X': return chance(15) ? mtxt() : quote(text(rnd(1, std::stoi(k.substr(1)))));
    case 'a': return alphaField();
    case 'c': return condition();
    case 'C': return any(conds_);
    case 'F': return first();
    case 'I': return to_string(rnd(std::stoi(k.substr(1)), std::stoi(k.substr(k.find('-') + 1))));
    case 'L': return target(split(k.substr(1), '|'));
    case 'P': return ref(num_[1]);
    case 'R': return ref(rrn_);
    case 'S': return ref(status_);
    case 'T': return quote(text(rnd(1, std::stoi(k.substr(1)))));
    case 'V': return p ? any(p->values) : "";
    case 'd': return ref(date_);
    case 'l': return lists_.empty() ? "" : ref(lists_[0].name);
    case 'f': return p_.files.empty() ? "" : pick(p_.files).name;
    case 'm': return msg();
    case 's': return fields(screenFields(), std::stoi(k.substr(1)));
    case '=': return expand(pick(split(k.substr(1), '|')), p, line);
    }
    return "";
}

/* A command written from a form, when the function has what it needs. */
void Writer::command(const std::string& form)
{
    if (const std::string line = expand(form); !line.empty())
        emit(line);
}

/* Further keywords of the command, each with a value of a kind it takes. */
std::string Writer::enrich(const std::string& line)
{
    const size_t at = LabelEnd(line);
    const std::string cmd = line.substr(at, line.find(' ', at) - at);
    const auto c = t_.params.find(cmd);
    if (c == t_.params.end())
        return line;
    std::string out = line;
    const auto fieldsNamed = [&] { return named(out).size(); };  // the fields named so far
    for (const Param& p : c->second) {
        bool skip = has(out, p.keyword) || !chance(25);
        for (const auto& [a, b] : ExcludingPairs())
            skip = skip || (a == p.keyword && has(out, b)) || (b == p.keyword && has(out, a));
        // a generic key is of a kind that compares by its first characters: A P S H M I (PRC0047 for others)
        if (p.keyword == "GENERIC" && has(out, "WITH_KEY")) {
            const size_t at = out.find(" WITH_KEY(") + 10;
            for (const std::string& k : named(out.substr(at, out.find(')', at) - at)))
                skip = skip || std::string("APSHMI").find(field(k).type) == std::string::npos;
        }
        // fields spaced down a screen fit it (a report's page takes five lines of fields ten apart);
        // one screen format takes few fields and no list
        skip = skip ||
               (p.keyword == "DOWN_SEP" && cmd.rfind("DEF_", 0) != 0 &&
                fieldsNamed() > size_t(cmd == "POP_UP" ? 1 : 2)) ||
               (p.keyword == "ACROSS_SEP" && cmd.rfind("DEF_", 0) != 0 && fieldsNamed() > 6) ||
               (p.keyword == "OPTIONS" && cmd != "FUNCTION" && cmd != "SELECT" &&
                (fieldsNamed() > 2 || has(out, "BROWSELIST") || has(out, "TEXTS")));
        for (const KeywordForms& k : KeywordTable())
            if (!skip && among(k.keywords, p.keyword) && (!*k.commands || among(k.commands, cmd))) {
                const std::string v = expand(pick(split(k.forms, ';')), &p, out);
                out += v.empty() ? "" : " " + p.keyword + "(" + v + ")";
                break;
            }
    }
    return out;
}

void Writer::emit(const std::string& written, bool more)
{
    const std::string line = more ? enrich(written) : written;
    if (body_ && inMain_ && !bare_ && selecting_ == 0 && LabelEnd(line) == 0 && line.rfind("END", 0) != 0 && line != "ELSE" &&
        line != "OTHERWISE" && line.rfind("WHEN", 0) != 0)
        for (const std::string& l : labels_)
            if (!placed_.count(l) && chance(8)) {
                placed_.insert(l);
                p_.lines.push_back(l + ": " + line);
                return;
            }
    p_.lines.push_back(line);
}

/* A command under the condition that keeps it within its run's bounds;
** no GOTO may jump past the test, so the command takes no label. */
void Writer::guarded(const std::string& cond, const std::string& line)
{
    const bool was = bare_;
    emit("IF COND(" + cond + ")");
    bare_ = true;
    emit(line);
    bare_ = was;
    emit("ENDIF");
}

/* fields that fit a screen line with any identification (its description is 47 wide at most) */
std::vector<std::string> Writer::screenFields()
{
    std::vector<std::string> s;
    for (const std::string& f : allFields())
        if (shown(field(f)) <= 26)
            s.push_back(f);
    return s;
}

/* fields a report line prints: alphanumeric, packed and signed ones (a
** report refuses the other kinds, PRC0047) that fit its width */
std::vector<std::string> Writer::reportFields()
{
    std::vector<std::string> s;
    for (const std::string& f : allFields()) {
        const Field& d = field(f);
        if ((d.type == 'A' && d.length <= 20) || ((d.type == 'P' || d.type == 'S') && d.length <= 15))
            s.push_back(f);
    }
    return s;
}

/* a multilingual variable of the function's, defined in both languages */
std::string Writer::mtxt()
{
    if (p_.texts.empty() || (chance(30) && p_.texts.size() < 9)) {
        const std::string name = "*MTXTPG" + to_string(p_.texts.size() + 1);
        const int n = rnd(1, 20);
        p_.texts.push_back({name, text(n), "Texte " + text(std::min(n, 14))});
    }
    return pick(p_.texts).name;
}

/* the message of a command: a text or a multilingual variable, or an id of
** a message file with its data */
std::string Writer::msg()
{
    return expand("{= MSGTXT({X80})| MSGTXT({T80})| MSGID(PG0000{I1-9}) MSGFILE(PGMSGF)[50 MSGDTA({M})]}");
}

/* the data of a message: up to twenty fields of any kind, each perhaps
** marked whether it is shown */
std::string Writer::msgData()
{
    std::string d;
    for (const std::string& f : some(allFields(), spread(20)))
        d += (d.empty() ? "" : " ") + (chance(30) ? "(" + ref(f) + " " + one({"Y", "N"}) + ")" : ref(f));
    return d;
}

/* an edit word of a number of `len` digits, `dec` of them decimals */
std::string Writer::editWord(int len, int dec)
{
    return quote(std::string(size_t(len - dec), ' ') + (dec ? "." + std::string(size_t(dec), ' ') : ""));
}

/* ---- header: options, definitions, lists, reports ------------------- */
void Writer::header()
{
    std::string opts =
        expand(" OPTIONS(*DIRECT[15 *NOMESSAGES][15 *DEFERWRITE][15 *HEAVYUSAGE][15 *MLOPTIMISE][15 *PGMCOMMIT]");
    // outside the flow-and-data subset, further options and what the function is: a built-in, an
    // evaluation of a system variable, a validation of a field, a web event function, a trigger of a
    // field or of a file (which hands the record over in its list TRIG_LIST) or a plain function; any
    // but a trigger or a system variable's evaluation may receive a data structure (a file's record) and working
    // lists from its caller
    static const std::vector<std::string> kinds = {
        "*BUILTIN", "*ALP_SYSTEM_VARIABLE", "*NUM_SYSTEM_VARIABLE", "*ALP_FIELD_VALIDATE", "*NUM_FIELD_VALIDATE",
        "*WEBEVENT"};
    const int kind = subset_ ? 99 : rnd(0, 29);
    for (const char* o : {"*LIGHTUSAGE", "*DBOPTIMISE", "*DBOPTIMIZE", "*DBOPTIMISE_BATCH", "*DBOPTIMIZE_BATCH",
                          "*NOIGCCNV", "*NO_RLTB_MIRROR", "*CLOSE_DISPLAY", "*NOPGMCOMMIT", "*MLOPTIMIZE",
                          "*MINI_SCREEN", "*OS400_EXT_PRINT", "*QUINTARO_EDITION", "*STRICT_NULL_ASSIGN"})
        if (!subset_ && chance(4))
            opts += std::string(" ") + o;
    if (kind < int(kinds.size()))
        opts += " " + kinds[size_t(kind)];
    webEvent_ = kind == 5;
    receives_ = kind != 6 && kind != 1 && kind != 2 && !subset_;
    if (kind == 6)
        opts += ") TRIGGER(" + (p_.files.empty() || chance(30)
                                    ? std::string("*FIELD")
                                    : p_.files[0].name + one({"", " DEMLIB", " DEMLIB *NONE"}));
    else if (receives_ && !p_.files.empty() && chance(15))
        opts += ") RCV_DS(" + p_.files[0].name;
    emit("FUNCTION" + opts + ")");
    // a partition of two languages: the fields' texts and the multilingual variables in both
    p_.french = !subset_ && chance(25);
    if (kind == 6) {
        lists_.push_back({"TRIG_LIST",
                          p_.files.empty() ? std::vector<std::string>{alpha_[0], num_[0]} : p_.files[0].fields, false,
                          ""});
        names_.insert("TRIG_LIST");
        emit("DEF_LIST NAME(#TRIG_LIST) FIELDS(" + hashed(lists_.back().fields) + ") TYPE(*WORKING)");
    }
    definitions();
    lists();
    if (chance(30) && !subset_)
        reports();
}

/* DEFINE and OVERRIDE of fields, RENAME of a file's fields, named
** conditions, an array and a group of fields. */
void Writer::definitions()
{
    for (int i = 0, n = rnd(0, 3); i < n; ++i) {
        const std::string name = "#PGD" + to_string(i + 1);
        names_.insert(name.substr(1));
        Field f = {name.substr(1), 'A', 0, 0, false, ""};
        const int kind = rnd(0, 2);
        if (kind == 0) {
            f.length = rnd(1, 256);
            command("DEFINE FIELD(" + name + ") TYPE(*CHAR) LENGTH(" + to_string(f.length) + ")[30 DEFAULT(" +
                    quote(text(std::min(f.length, 48))) + ")]");
        } else if (kind == 1) {
            f = {f.name, 'P', rnd(1, 30), 0, false, ""};
            f.decimals = rnd(0, std::min(f.length - 1, 9));
            command("DEFINE FIELD(" + name + ") TYPE({=*DEC|*SIGNED}) LENGTH(" + to_string(f.length) + ") DECIMALS(" +
                    to_string(f.decimals) + ")" +
                    (chance(40)      ? " EDIT_CODE({=1|3|J|Z})"
                     : f.length < 24 ? "[30 EDIT_WORD(" + editWord(f.length, f.decimals) + ")]"
                                     : ""));
        } else {
            // a field defined like another of any kind
            const std::string like = pick(subset_ ? num_ : allFields());
            emit("DEFINE FIELD(" + name + ") REFFLD(" + ref(like) + ")");
            // it takes the other's whole definition: it may be null when the other may
            f = field(like);
            f.name = name.substr(1);
        }
        known(f);
    }
    for (const Field& f : p_.fields)
        if (f.name.rfind("PGD", 0) == 0)
            used_.push_back("CHANGE FIELD(" + ref(f.name) + ") TO(*DEFAULT)");
    if (chance(20))  // the texts of a field of any kind
        command("OVERRIDE FIELD({K}) {=LABEL({T15})|DESC({T40})|COLHDG({T20})}");
    if (chance(30)) {
        command("OVERRIDE FIELD({={N}|{N}|{KN}}) EDIT_CODE({=1|3|Z})");
        // a field given another length, or the definition of another field
        const std::string g = pick(num_);
        const Field& d = field(g);
        if (!d.nullable && d.name.rfind("PGD", 0) != 0 && d.length < 22) {
            std::vector<std::string> wider;  // fields of its kind no narrower, that fit a screen line
            for (const Field& w : p_.fields)
                if (w.type == d.type && w.decimals == d.decimals && w.length >= d.length && w.length <= 15 &&
                    w.name != g && !w.nullable)
                    wider.push_back(w.name);
            if (chance(30)) {
                // another field of the same definition, of any kind
                std::map<std::string, std::string> twin;  // a field, another of its definition
                for (const std::string& o : allFields())
                    for (const std::string& w : allFields())
                        if (w != o && field(w).type == field(o).type && field(w).length == field(o).length &&
                            field(w).decimals == field(o).decimals && field(w).nullable == field(o).nullable &&
                            w.rfind("PGD", 0) != 0 && o.rfind("PGD", 0) != 0)
                            twin.emplace(o, w);
                std::vector<std::string> twins;
                for (const auto& [o, w] : twin)
                    twins.push_back(o);
                if (!twins.empty()) {
                    const std::string o = byKind(twins);
                    emit("OVERRIDE FIELD(" + ref(o) + ") REFFLD(" + ref(twin.at(o)) + ")");
                }
            } else if (chance(50))
                emit("OVERRIDE FIELD(" + ref(g) + ") TYPE(*DEC) LENGTH(" + to_string(d.length + 1) + ") DECIMALS(" +
                     to_string(d.decimals) + ") DEFAULT(*ZERO) EDIT_WORD(" + editWord(d.length + 1, d.decimals) + ")");
            else if (!wider.empty())
                emit("OVERRIDE FIELD(" + ref(g) + ") REFFLD(" + ref(pick(wider)) + ")");
        }
    }
    if (!p_.files.empty() && chance(25)) {
        // data fields of a file known in the function under names of their own
        const File& f = pick(p_.files);
        std::string pairs;
        for (size_t i = f.keys.size(); i < f.fields.size(); ++i)
            if (chance(50) && !renamed_.count(f.fields[i])) {
                Field r = field(f.fields[i]);
                r.name = "PGR" + to_string(++fieldNo_);
                renamed_[f.fields[i]] = r.name;
                pairs += (pairs.empty() ? "(" : " (") + ref(f.fields[i]) + " " + ref(r.name) + ")";
                known(r);
            }
        if (!pairs.empty())
            emit("RENAME FILE(" + f.name + one({" *FIRST", " DEMLIB"}) + ") FIELDS(" + pairs + ")");
    }
    for (int i = 0, n = rnd(0, 3); i < n; ++i) {
        const std::string c = condition();
        conds_.push_back(chance(60) ? "*PGCOND" + to_string(i + 1) : "*" + newName(rnd(1, 9)));
        emit("DEF_COND NAME(" + conds_.back() + ") COND(" + c + ")" + (chance(20) ? " AVAL_DFTC(*YES)" : ""));
    }
    if (chance(30)) {
        // an array over three fields of one kind, indexed by the loop counter; or of three
        // entries laid over an alphanumeric field from a position, of the kind of one field
        const bool alpha = chance(50), over = alpha && !subset_ && chance(40);
        // the field an array lies over: its entries end within its bytes (a packed field of 31
        // digits holds 16 bytes, entries of 4 characters; the others entries of 10)
        const char base = pick<char>({'A', 'A', 'P', 'S'});
        // the elements: fields of one kind (any outside the subset)
        static const std::vector<std::pair<char, int>> kinds = {{'A', 10}, {'P', 7}, {'S', 9}, {'I', 4}, {'F', 8},
                                                                {'E', 10}, {'M', 8},  {'Z', 26}, {'H', 20}, {'Y', 1}};
        const auto [type, len] = subset_ || over ? std::pair<char, int>{alpha ? 'A' : 'P', !alpha ? 7 : over && base == 'P' ? 4 : 10}
                                                  : pick(kinds);
        std::string of;
        for (int i = 0; i < (over ? 1 : 3); ++i) {
            arrayOf_ = addField(type, len, type == 'P' || type == 'S' ? 2 : 0, !subset_ && !over && chance(15));
            of += (i ? " " : "") + ref(arrayOf_);
        }
        if (over) {  // laid over the bytes of an alphanumeric, packed or signed field
            const int at = base == 'A' ? rnd(1, 20) : base == 'P' ? rnd(1, 5) : rnd(1, 2);
            const std::string f = addField(base, base == 'A' ? at + 29 + rnd(0, 10) : 31, 0, chance(10));
            (base == 'A' ? alpha_ : num_).push_back(f);
            of += ") ENTRYS(3) OVERLAYING(" + ref(f) + " " + to_string(at);
        }
        array_ = "PGY";
        // an index is named by at most three characters: a number of any kind, or a Boolean
        // (true selects the first element), which may be null
        const char indexType = pick<char>({'P', 'P', 'S', 'I', 'F', 'Y'});
        names_.insert({"PGY", "PGX"});
        fieldAt_["PGX"] = p_.fields.size();
        p_.fields.push_back({"PGX", indexType, indexType == 'I' ? 4 : indexType == 'F' ? 8 : indexType == 'Y' ? 1 : 3, 0,
                             chance(15), ""});
        index_ = "PGX";
        if (indexType != 'Y')
            firstLoop_ = index_;
        emit("DEF_ARRAY NAME(#" + array_ + ") INDEXES(" + ref(index_) + ") OF_FIELDS(" + of + ")");
        if (subset_)  // an element is reached only with its index in range: no other command changes it
            used_.push_back("CHANGE FIELD(" + ref(index_) + ") TO(" + (indexType == 'Y' ? "*HIVAL" : one({"1", "2", "3"})) +
                            ")");
        used_.push_back("CHANGE FIELD(#" + array_ + ref(index_) + ") TO(*DEFAULT)");
    }
    if (chance(40)) {
        group_ = "XG_PG1";
        emit("GROUP_BY NAME(" + group_ + ") FIELDS(" + fields(screenFields(), spread(20)) + ")");
        used_.push_back("CHANGE FIELD(" + group_ + ") TO(*DEFAULT)");
    }
}

/* Browse lists of fields that fit a screen, working lists of fields of any
** kind; a few, at times up to eight. */
void Writer::lists()
{
    for (int i = 0, n = chance(10) ? rnd(4, 8) : rnd(0, 3); i < n; ++i) {
        List l;
        l.name = chance(70) ? "PGLIST" + to_string(i + 1) : newName(rnd(3, 10));
        names_.insert(l.name);
        l.browse = chance(40) && !subset_;  // a browse list is shown on a screen
        l.fields = l.browse ? some(screenFields(), spread(8)) : some(subset_ ? screenFields() : allFields(), spread(60));
        std::string s = "DEF_LIST NAME(" + ref(l.name) + ") FIELDS(" + hashed(l.fields) + ")";
        if (l.browse) {
            s += " TYPE(*BROWSE)[30 PAGE_SIZE({={P}|{K}}) TOP_ENTRY({=*CURRENT|{P}|{K}}) SEL_ENTRY({={P}|{K}}) "
                 "SCROLL_TXT({={a0}|{K}})]";
            l.counter = chance(70) ? (chance(70) ? counter_ : pick(allFields())) : "";
        } else {
            s += "[30 TYPE(*WORKING)] ENTRYS({=1|10|50|200|9999})[50 {=LONG_LIST|MAX_ENTRYS}(1)]";
            if (subset_)  // the count an entry is added after is compared with
                own_.insert(l.counter = addField('P', 7, 0));
        }
        lists_.push_back(l);
        const std::string line = expand(s + (l.counter.empty() ? "" : " COUNTER(" + ref(l.counter) + ")"));
        if (const size_t at = line.find(" ENTRYS("); at != std::string::npos)
            lists_.back().most = std::stoi(line.substr(at + 8));
        if (!line.empty())
            emit(line);
        // a working list received from the caller and handed back
        std::string& fn = p_.lines.front();
        if (receives_ && !l.browse && chance(20))
            fn.find(" RCV_LIST(") == std::string::npos ? fn += " RCV_LIST(" + ref(l.name) + ")"
                                                       : fn.insert(fn.size() - 1, " " + ref(l.name));
    }
}

/* One or two reports of a form size of their own, a heading, a detail line,
** breaks on one or more fields and perhaps a foot. */
void Writer::reports()
{
    const std::vector<std::string> item = reportFields();
    std::vector<std::string> alpha, nums;  // fields that fit a report line
    for (const std::string& f : item)
        (field(f).type == 'A' ? alpha : nums).push_back(f);
    if (alpha.empty() || nums.empty())
        return;
    for (int n = 1, count = rnd(1, 2); n <= count; ++n) {
        const std::string num = " REPORT_NUM(" + to_string(n) + ")";
        // the page: its length, its width and the line it overflows at
        const int length = pick<int>({66, 66, 88, 72, 51, 112});
        const int width = pick<int>({132, 132, 80, 198, 100, 255});
        const int overflow = length - rnd(3, 8);
        // a foot's fields start below the last line: four lines of headings and value, ten apart
        const bool foot = chance(50);
        const int last = std::min(overflow - 14, 46);
        if (last < 20)
            continue;
        command("DEF_REPORT" + num + " FORMSIZE(" + to_string(length) + " " + to_string(width) + ") OVERFLOW(" +
                to_string(overflow) + ")" +
                (foot ? " LAST_LINE({I20-" + to_string(last) + "})" : "[30 LAST_LINE({I20-" + to_string(last) + "})]") +
                "[40 NAME(PGRPT" + to_string(n) +
                ") PRT_FILE(QSYSPRT[50 *LIBL]) OUTQ({=*FILE|{a0}|{K}}) COPIES({=*FILE|{P}|{KN}}) "
                "FORMTYPE({=*FILE|{a0}|{K}}) OTHER_OVRD({={a2}|{K}}) RET_LENGTH({={P}|{KN}}) RET_WIDTH({={P}|{KN}}) "
                "RET_OVRFLW({={P}|{KN}}) RET_LINE({={P}|{KN}}) RET_PAGE({={P}|{KN}})]");
        Report r{n, "PGLINE" + to_string(n), {}, {}};
        names_.insert(r.line);
        command("DEF_HEAD NAME(#PGHEAD" + to_string(n) + ") FIELDS(" + fields(item, 3) + ") TEXTS(({T20} 1 10))" + num);
        const int perLine = width >= 132 ? 5 : 3;
        command("DEF_LINE NAME(" + ref(r.line) + ") FIELDS(" + fields(item, perLine) +
                ") DESIGN({=*ACROSS|*DOWN}) IDENTIFY({=*COLHDG|*LABEL|*DESC|*NOID})" + num);
        // breaks from the outermost field in: each on its fields and those of the breaks outside it
        for (int b = 0, nb = chance(60) ? rnd(1, 3) : 0; b < nb; ++b) {
            const std::string by = pick(alpha);
            if (std::find(r.byFields.begin(), r.byFields.end(), by) != r.byFields.end())
                continue;
            r.byFields.push_back(by);
            r.breaks.push_back("PGBRK" + to_string(n) + to_string(b + 1));
            command("DEF_BREAK NAME(" + ref(r.breaks.back()) + ") FIELDS(" + hashed(r.byFields) + " " + ref(pick(nums)) +
                    ") TRIGGER_BY({=*LEADING|*TRAILING}) TRIG_FLDS(" + hashed(r.byFields) +
                    (chance(30) ? " " + ref(pick(allFields())) : "") +
                    ")[40 DOWN_SEP({I1-10})]" + num);
        }
        if (foot)
            emit("DEF_FOOT NAME(#PGFOOT" + to_string(n) + ") FIELDS(" + fields(chance(70) ? nums : item, 2) + ")" + num);
        reports_.push_back(r);
    }
}

/* ---- statements ----------------------------------------------------- */
void Writer::block(int depth, int most)
{
    for (int i = 0, n = rnd(1, most); i < n; ++i)
        statement(depth + 1);
}

/* a command that opens a block of statements, the block and what ends it ("" nothing) */
void Writer::nested(const std::string& open, int depth, int most, const std::string& close)
{
    emit(open);
    block(depth, most);
    if (!close.empty())
        emit(close);
}

/* the body of a loop whose first command is written, and the command that ends it */
void Writer::loop(int depth, const std::string& close)
{
    ++loops_, ++level_;
    block(depth, 3);
    --loops_, --level_;
    emit(close);
}

/* CHANGE of one or more fields of a kind to a value they all take. */
void Writer::change()
{
    const std::vector<std::string> all = allFields();
    const Field f = field(pick(all));
    std::vector<std::string> targets = {f.name};
    // further fields of the same type and size take the same value
    if (chance(15))
        for (const std::string& o : all)
            if (field(o).type == f.type && field(o).length == f.length && field(o).decimals == f.decimals &&
                o != f.name && int(targets.size()) < spread(100))
                targets.push_back(o);
    std::string v = valueFor(f);
    if (f.nullable && v == "*NULL")
        for (const std::string& t : targets)
            if (!field(t).nullable)
                v = "*DEFAULT";
    if (FamilyOf(f.type) == Family::String && chance(4))
        v = mtxt();
    const bool round = chance(10) && FamilyOf(f.type) == Family::Number;
    const std::string line = "CHANGE FIELD(" + hashed(targets) + ") TO(" + v + ")" + (round ? " ROUND_UP(*YES)" : "");
    if (const std::string fit = subset_ ? fits(v, f, round) : ""; !fit.empty())
        return guarded(quote(fit), line);
    emit(line);
}

/* The subset: the condition (unquoted) under which a value that may not fit a
** numeric field (an expression, another field) fits it, "" for any other
** (what a value too large for its field does is the run time's). The
** condition divides to the field's decimals, as the value's own quotients
** do: each divisor is written with at least as many decimals. */
std::string Writer::fits(const std::string& value, const Field& into, bool round)
{
    if (FamilyOf(into.type) != Family::Number || value.empty() ||
        (value[0] != '\'' && value[0] != '#' && !fieldAt_.count(value)))
        return "";
    std::string e = value[0] == '\'' ? value.substr(1, value.size() - 2) : value;
    const int decimals = into.type == 'I' ? 0 : into.decimals, whole = into.length - decimals;
    for (size_t at = e.find("/ "); at != std::string::npos; at = e.find("/ ", at + 1)) {
        size_t end = at + 2;
        while (end < e.size() && (isdigit(static_cast<unsigned char>(e[end])) || e[end] == '.'))
            ++end;
        const std::string divisor = e.substr(at + 2, end - at - 2);
        const size_t point = divisor.find('.');
        const int has = point == std::string::npos ? 0 : int(divisor.size() - point - 1);
        if (std::min(decimals, 9) > has)  // (a constant of the compiled C# holds no more)
            e.insert(end, (has ? "" : ".") + std::string(size_t(std::min(decimals, 9) - has), '0'));
    }
    // below 10 to the whole digits (at most 18: a whole constant of 8 bytes; a float field's
    // too, which a product repeated in a loop would take past its range); rounded up, no more
    // than the largest value the field holds
    const int digits = std::min(into.type == 'I' || into.type == 'F' ? 18 : whole, 18);
    const std::string most = round && digits == whole
                                 ? (whole ? std::string(size_t(whole), '9') : "0") +
                                       (decimals ? "." + std::string(size_t(std::min(decimals, 9)), '9') : "")
                                 : "1" + std::string(size_t(digits), '0');
    return "(" + e + ") < " + most + " AND (" + e + ") > -" + most;
}

/* SUBSTRING of a field of any kind (a number, a date) into an
** alphanumeric field, from a position and of a length given by a number or
** a numeric field, into a position of the target. */
void Writer::substring()
{
    const std::vector<std::string> from = subset_ ? alpha_ : allFields();
    const std::string a = pick(from), b = pick(subset_ ? alpha_ : ofTypes("AEMZH"));
    const auto position = [&](int most) {
        std::vector<std::string> whole;
        for (const std::string& n : ofTypes("PSIFY"))
            if (field(n).decimals == 0 && field(n).length <= 9)
                whole.push_back(n);
        return !subset_ && !whole.empty() && chance(25) ? ref(pick(whole)) : to_string(rnd(1, std::max(1, most)));
    };
    const int lengthOf = field(a).type == 'A' || field(a).type == 'H' ? field(a).length : 10;
    std::string source = ref(a) + " " + position(lengthOf) + " " + (chance(30) ? position(lengthOf) : "*END");
    std::string into = ref(b) + " " + position(field(b).type == 'A' ? field(b).length : 10) + " *END";
    if (chance(30))
        into = ref(b);
    if (chance(15))
        source = ref(a);
    emit("SUBSTRING FIELD(" + source + ") INTO_FIELD(" + into + ")");
}

/* USE of a built-in function: its arguments fields, literals or left out
** where they may be, its results into one or more fields of their kinds. */
void Writer::use()
{
    if (chance(30))
        return command("USE BUILTIN(DEM_ADD_VAT) WITH_ARGS({=" + hashed({num_[2]}) + "|{N}|12.5}) TO_GET({n2})");
    const Builtin& b = pick(Builtins());
    const auto valueOf = [&](const BuiltinValue& v, bool literalToo) -> std::string {
        const std::vector<std::string> fs = ofTypes(v.type == 'A' ? "AEMZH" : "PSIFY");
        if (literalToo && chance(35))
            return v.type == 'A' ? alphaLiteral(v.length) : numLiteral({"", 'P', v.length, v.decimals, false, ""});
        return fs.empty() ? "" : ref(pick(fs));
    };
    std::string args, results;
    size_t given = b.arguments.size();
    while (given > 0 && b.arguments[given - 1].optional && chance(40))
        --given;
    for (size_t i = 0; i < given; ++i) {
        const std::string v = valueOf(b.arguments[i], true);
        if (v.empty())
            return;
        args += (args.empty() ? "" : " ") + v;
    }
    size_t wanted = b.returns.size();
    while (wanted > 1 && b.returns[wanted - 1].optional && chance(40))
        --wanted;
    for (size_t i = 0; i < wanted; ++i) {
        const std::string v = valueOf(b.returns[i], false);
        if (v.empty())
            return;
        results += (results.empty() ? "" : " ") + v;
    }
    emit(std::string("USE BUILTIN(") + b.name + ")" + (args.empty() ? "" : " WITH_ARGS(" + args + ")") +
         (results.empty() ? "" : " TO_GET(" + results + ")"));
}

/* KEEP_ of every kind in a row loop of a report's function: of one or more
** fields, by one or more fields. */
void Writer::keep()
{
    const std::string kind = one({"TOTAL", "COUNT", "AVG", "MAX", "MIN"});
    const bool numeric = kind == "TOTAL" || kind == "AVG";
    const std::vector<std::string> sources = numeric ? ofTypes("PSIFY") : allFields();
    // the result: a number (any field for KEEP_MAX and KEEP_MIN)
    std::vector<std::string> results;
    for (const std::string& n : kind == "MAX" || kind == "MIN" ? allFields() : ofTypes("PSIFY"))
        if (n != num_[0] && n != num_[1])
            results.push_back(n);
    if (results.empty())
        return;
    std::string by;
    if (chance(50))
        by = " BY_FIELD(" + fields(allFields(), spread(20)) + ")";
    emit("KEEP_" + kind + " OF_FIELD(" + fields(sources, spread(20)) + ") IN_FIELD(" + ref(byKind(results)) + ")" + by);
}

/* ---- files ---------------------------------------------------------- */

void Writer::io(int depth)
{
    const File& f = pick(p_.files);
    const View* view = !f.views.empty() && chance(40) ? &f.views[size_t(rnd(0, int(f.views.size()) - 1))] : nullptr;
    std::vector<std::string> keyFields = view ? view->keys : f.keys;
    // the first keys of the file, or of the view: each the key field, another of its kind, or a literal
    keyFields.resize(size_t(chance(70) ? keyFields.size() : size_t(rnd(1, int(keyFields.size())))));
    std::string key;
    for (const std::string& k : keyFields)
        key += (key.empty() ? "" : " ") + keyValue(k);
    std::string library = f.libraries.size() > 1 && chance(50) ? " " + f.libraries.back() : chance(20) ? " DEMLIB" : "";
    if (view && !library.empty())
        library = " DEMLIB";
    const std::string file = (view ? view->name : f.name) + library;
    // how the record is found: by key (with the number of keys), by a condition, by number
    const int how = rnd(0, 9);
    std::string by = " WITH_KEY(" + key + ")";
    by += chance(25) ? " NBR_KEYS(" + one({"*WITHKEY", "*COMPUTE", to_string(rnd(1, int(keyFields.size())))}) + ")" : "";
    const std::string last = f.fields.back();
    const std::string where =
        chance(60) ? " WHERE(" + quote(ref(last) + " <> " + ref(last)) + ")" : " WHERE(" + condition(480) + ")";
    if (how == 8)
        by = where;
    if (how == 9 && !view)
        by = " WITH_RRN(" + ref(chance(40) ? rrn_ : byKind(allFields())) + ")";
    std::vector<std::string> data(f.fields.begin(), f.fields.end());
    for (std::string& d : data)  // the file's fields under the names RENAME gave them
        if (renamed_.count(d) && !view)
            d = renamed_.at(d);
    const int most = chance(10) ? int(data.size()) : spread(100);  // at times most of a wide record
    switch (rnd(0, 11)) {
    case 0: return emit("FETCH FIELDS(" + fields(data, most) + ") FROM_FILE(" + file + ")" + by);
    case 1:
    case 2: {
        std::string s = "SELECT FIELDS(" + fields(data, most) + ") FROM_FILE(" + file + ")";
        if (how < 6 || (how == 9 && !view))
            s += by;
        else if (how < 8)
            s += where;
        // with a WHERE, the loop may end at the first record it refuses
        const std::string options = how < 6   ? ""
                                    : how < 8 ? "|*BLOCK {I1-99}|{=*ENDWHERE|*ENDWHERESQL}"
                                              : "|*BLOCK {I1-99}";
        ++fileLoops_;
        nested(expand(s + "[40 OPTIONS({=*BACKWARDS|*STARTKEY" + options + "})]"), depth, 3);
        --fileLoops_;
        return emit("ENDSELECT");
    }
    case 3:
        if (!view)
            return emit("INSERT FIELDS(" + fields(data, most) + ") TO_FILE(" + file + ")");
        [[fallthrough]];
    case 4: return emit("UPDATE FIELDS(" + fields(data, most) + ") IN_FILE(" + file + ")" + by);
    case 5: return emit("DELETE FROM_FILE(" + file + ")" + by);
    case 6: return emit("CHECK_FOR FOR_FILE(" + file + ") WITH_KEY(" + key + ")");
    case 7:  // a file opened is used before it is closed
        command("OPEN FILE(" + file + ") USE_OPTION({=*ONDEMAND|*IMMEDIATE|*KEEPOPEN})");
        emit("CHECK_FOR FOR_FILE(" + file + ") WITH_KEY(" + key + ")");
        return emit("CLOSE FILE(" + file + ")");
    case 8:
        if (!view) {
            command("OPEN FILE(" + file +
                    ") USE_OPTION(*OPNQRYF) QRYSLT({=*ALL|{a2}|{K}}) KEYFLD(*FILE) "
                    "ALWCPYDTA(*NO) OPTIMIZE(*FIRSTIO) SEQONLY(*YES 100)");
            emit("CHECK_FOR FOR_FILE(" + file + ") WITH_KEY(" + key + ")");
            return emit("CLOSE FILE(*ALL)");
        }
        [[fallthrough]];
    case 9:
        if (!view)  // another file, library or member read through the file
            return command("POINT FILE(" + file +
                           ") TO_FILE({=*SAME|{a0}|{K}}) TO_LIBRARY({=*LIBL|{a0}|PGLIB|{K}}) TO_MEMBER({=*FIRST|{K}|"
                           "PGMBR{I1-9}})");
        [[fallthrough]];
    case 10:
        if (depth < 6)
            return selectSql(depth);
        [[fallthrough]];
    default: emit("BROWSE FIELDS(" + fields(data, 3) + ") FROM_FILE(" + file + ")" + (how < 9 ? by : ""));
    }
}

/* SELECT_SQL over one file, or a join of two or three (on a field they
** share, or on fields of one kind); SQL names the fields as its columns. */
void Writer::selectSql(int depth)
{
    std::vector<const File*> from;
    for (int i = 0, n = p_.files.size() > 1 && chance(40) ? rnd(2, std::min<int>(3, int(p_.files.size()))) : 1; i < n;
         ++i) {
        const File* f = &p_.files[size_t(rnd(0, int(p_.files.size()) - 1))];
        if (std::find(from.begin(), from.end(), f) == from.end())
            from.push_back(f);
    }
    static const std::vector<std::string> correlation = {"A", "B", "C"};
    std::string files;
    std::vector<std::string> all;
    for (size_t i = 0; i < from.size(); ++i) {
        files += (files.empty() ? "(" : " (") + from[i]->name + (from.size() > 1 || chance(50) ? " " + correlation[i] : "") +
                 ")";
        for (const std::string& c : from[i]->fields)
            if (std::find(all.begin(), all.end(), c) == all.end())
                all.push_back(c);
    }
    // the join: a field the files share, or two of one type
    std::string join;
    for (size_t i = 1; i < from.size(); ++i) {
        std::string on;
        for (const std::string& a : from[0]->fields)
            for (const std::string& b : from[i]->fields)
                if (on.empty() && (a == b || (field(a).type == field(b).type && field(a).length == field(b).length)))
                    on = "A." + a + " = " + correlation[i] + "." + b;
        join += on.empty() ? "" : (join.empty() ? "" : " AND ") + on;
    }
    const std::string first = pick(from[0]->fields), last = pick(from[0]->fields);
    const std::string prefix = from.size() > 1 ? "A." : "";
    std::string s;
    if (from.size() == 1 && chance(20)) {
        s = "SELECT_SQL FIELDS(" + ref(first) + ") USING(" + quote("SELECT " + first + " FROM " + from[0]->name) + ")";
    } else {
        s = "SELECT_SQL FIELDS(" + fields(all, spread(100)) + ") FROM_FILES(" + files + ")";
        if (!join.empty())
            s += " WHERE(" + quote(join) + ")";
        else if (chance(50))
            s += " WHERE('" + prefix + last + " = :" + last + "')";
        s += expand("[25 GROUP_BY('" + prefix + first + "') HAVING('COUNT(*) > 1')][40 ORDER_BY('" + prefix + first +
                    "')][30 DISTINCT({=*YES|*NO})]");
    }
    nested(expand(s + "[20 CONNECT(*NO)]"), depth, 2, "ENDSELECT");
}

/* ---- lists ---------------------------------------------------------- */
void Writer::listOp(int depth)
{
    const List& l = pick(lists_);
    const std::string n = ref(l.name);
    const int op = rnd(0, 8);
    if ((op == 0 || op == 2) && addsNoEntry())
        return;
    switch (op) {
    case 0: {
        const bool after = !l.browse && chance(30);
        const std::string a = subset_ || chance(50) ? ref(num_[1]) : expand("{KN}");
        const std::string add = "ADD_ENTRY TO_LIST(" + n + ")" + (after ? " AFTER(" + a + ")" : "");
        // the subset: only to a list that is not full, and only after an entry it has (0 the first), on its
        // counter (what a full list does with one more is the run time's)
        const std::string room = "(" + ref(l.counter) + " < " + to_string(l.most) + ")";
        if (subset_)
            return guarded(quote(after ? room + " AND (" + a + " >= 0) AND (" + a + " <= " + ref(l.counter) + ")" : room),
                           add);
        return emit(add);
    }
    case 1: return emit("CLR_LIST NAMED(" + n + ")");
    case 2:  // the subset: no more entries than the list holds
        return command("INZ_LIST NAMED(" + n + ") NUM_ENTRYS(" +
                       (subset_ ? to_string(rnd(1, std::min(5, l.most))) : std::string("{I1-5}")) + ")");
    case 3:
        if (depth < 6 && (!subset_ || level_ < kLevels)) {
            level_ += subset_;
            selecting_ += subset_;
            nested(expand("SELECTLIST NAMED(" + n + ")[30 WHERE({c})]" +
                          (l.browse ? "[40 GET_ENTRYS({=*SELECT|*ALTERED *NOTNULL|*CHANGE})]" : "")),
                   depth, 3);
            if (chance(30) && !l.browse)
                command(std::string("DLT_ENTRY[30 NUMBER(") + (subset_ ? "{n1}" : "{={n1}|{KN}}") + ")] FROM_LIST(" + n + ")");
            level_ -= subset_;
            emit("ENDSELECT");
            selecting_ -= subset_;
        }
        return;
    case 4: return command(std::string("GET_ENTRY NUMBER(") + (subset_ ? "{n1}" : "{={n1}|{KN}}") + ") FROM_LIST(" + n + ")");
    case 5:
        return command("LOC_ENTRY IN_LIST(" + n + ") WHERE({c})[40 RET_NUMBER(" + (subset_ ? "{n1}" : "{={n1}|{KN}}") +
                       ")]");
    case 6:
        if (!l.browse) {  // sorted on one or more of its fields
            std::string by;
            for (const std::string& f : some(l.fields, spread(10)))
                by += (by.empty() ? "(" : " (") + ref(f) + " " + one({"*ASCEND", "*DESCEND"}) + ")";
            return emit("SORT_LIST NAMED(" + n + ") BY_FIELDS(" + by + ")");
        }
        [[fallthrough]];
    case 7:
        if (subset_)
            return updated(l);
        return emit("UPD_ENTRY IN_LIST(" + n + ")");
    default:
        if (l.browse && depth < 6 && !(webEvent_ && inMain_))
            return command("{=DISPLAY|REQUEST} FIELDS({s3}) BROWSELIST(" + n + "[50 {I5-12}])");
        emit("DLT_LIST NAMED(" + n + ")");
    }
}

/* The subset's UPD_ENTRY: of the entry just read, one of its fields
** changed (what UPD_ENTRY does with no entry current is the run time's). */
void Writer::updated(const List& l)
{
    const std::string n = ref(l.name);
    command("GET_ENTRY NUMBER({n1}) FROM_LIST(" + n + ")");
    emit("IF_STATUS IS(*OKAY)");
    bare_ = true;  // no GOTO reaches the update past the read
    const Field f = field(pick(l.fields));
    const std::string v = valueFor(f), change = "CHANGE FIELD(" + ref(f.name) + ") TO(" + v + ")";
    if (const std::string fit = fits(v, f, false); !fit.empty())
        guarded(quote(fit), change);
    else
        emit(change, false);
    emit("UPD_ENTRY IN_LIST(" + n + ")");
    bare_ = false;
    emit("ENDIF");
}

/* ---- screens and validation ----------------------------------------- */
void Writer::screen(int depth)
{
    const std::string cmd = one({"DISPLAY", "REQUEST", "DISPLAY", "POP_UP"});
    const bool pop = cmd == "POP_UP";
    const std::string id = pop && chance(30) ? one({"*COLHDG", "*LABEL", "*DESC", "*NOID"}) : "";
    // a pop-up shows fields that leave room for its frame beside value and identification (any, when not given)
    std::vector<std::string> from;
    for (const std::string& f : screenFields())
        if (!pop || shown(field(f)) + (id == "*LABEL" ? 16 : id == "*COLHDG" || id == "*NOID" ? 0 : 48) <= 70)
            from.push_back(f);
    std::string s = cmd + " FIELDS(" + fields(from, pop ? 3 : 6) + ")";
    if (!pop && chance(25)) {
        // many fields side by side without identification, as many as fill most of one page
        std::string many;
        int room = 1100;
        for (const std::string& f : some(from, spread(100)))
            if ((room -= shown(field(f)) + 2) > 0)
                many += (many.empty() ? "" : " ") + ref(f);
        s = cmd + " FIELDS(" + many + ") DESIGN(*ACROSS) IDENTIFY(*NOID)";
    }
    s += id.empty() ? "" : " IDENTIFY(" + id + ")";
    if (chance(20) && !pop)
        s += " TEXTS((" + expand("{X20}") + " " + number(18, 20) + " 2))";
    emit(pop ? window(enrich(s)) : s, !pop);
    if (chance(40) && !inComponent_)
        nested(expand("IF_KEY WAS({=*ENTER|*USERKEY1|*PROMPT|*CANCEL})"), depth, 2, "ENDIF");
}

/* A pop-up's window sized to what it shows, within a screen of 23 lines
** and 80 columns and a frame of a line above and two columns each side:
** each field as wide as value and identification, on lines of its own
** (headings above it, DOWN_SEP apart: the most either design takes), a
** text below the fields, a browse list below that (its headings and a
** row on the next page); its lines start below a title line. */
std::string Writer::window(std::string s)
{
    auto valueOf = [&](const std::string& k) {
        const size_t at = s.find(" " + k + "("), from = at + k.size() + 2;
        return at == std::string::npos ? std::string() : s.substr(from, s.find(')', at) - from);
    };
    const int down = valueOf("DOWN_SEP").empty() ? 1 : std::stoi(valueOf("DOWN_SEP"));
    const int across = valueOf("ACROSS_SEP").empty() ? 1 : std::stoi(valueOf("ACROSS_SEP"));
    const char id = valueOf("IDENTIFY").empty() ? 'C' : valueOf("IDENTIFY")[1];
    int wide = 23, lines = 3;  // a text of 20 from column 2 two lines below the fields
    for (const std::string& f : split(valueOf("FIELDS"), ' ')) {
        const int v = shown(field(f[0] == '#' ? f.substr(1) : f));
        wide = std::max(wide, 3 + (id == 'C' ? std::max(v, 20) : id == 'L' ? v + 16 : id == 'D' ? v + 48 : v));
        lines += (id == 'C' ? 3 : 1) + down - 1;
    }
    if (valueOf("PANEL_ID") == "*AUTO")  // the identifier (at most 10) and the title share the top line
        wide = std::max(wide, 12 + (has(s, "PANEL_TITL") ? int(valueOf("PANEL_TITL").size()) - 2 : 40));
    const int textLine = lines;
    if (!lists_.empty() && !has(s, "OPTIONS") && chance(40)) {
        const List l = pick(lists_);
        int row = 2;
        for (const std::string& f : l.fields)
            row += std::max(shown(field(f)), 20) + 1 + across;
        if (l.browse && row <= 73 && lines + 12 <= 21) {
            s += " BROWSELIST(" + ref(l.name) + (chance(50) ? " " + number(1, 12) : "") + ")";
            wide = std::max(wide, row);
            lines += 8;
        }
    }
    s += chance(30) ? " TEXTS((" + phrase(20) + " " + to_string(textLine) + " 2))" : "";
    const int w = rnd(wide + 2, 75), h = rnd(lines + 4, 21);
    return s + " AT_LOC(" + number(2, 23 - h) + " " + number(3, 78 - w) + ") DIMENSIONS(" + to_string(w) + " " +
           to_string(h) + ")";
}

/* a check command; its messages and what it does on each outcome come from the table */
std::string Writer::check()
{
    const auto numbers = [&] {  // numeric fields a range or a list of numbers checks
        return joined(num_, ofTypes("IFY"));
    };
    switch (rnd(0, 6)) {
    case 0: {  // ranges of numbers, or of texts, from one to twenty-five
        std::string ranges;
        const bool texts = chance(30);
        for (int i = 0, n = spread(25); i < n; ++i) {
            const int lo = rnd(-50, 50);
            ranges += (ranges.empty() ? "(" : " (") +
                      (texts ? quote(std::string(1, char('A' + rnd(0, 12)))) + " " + quote(std::string(1, char('N' + rnd(0, 12))))
                             : to_string(lo) + " " + to_string(lo + rnd(0, 99))) +
                      ")";
        }
        return "RANGECHECK FIELD(" + ref(pick(texts ? ofTypes("AEMZH") : numbers())) + ") RANGE(" + ranges + ")";
    }
    case 1: {  // values of its kind, up to fifty
        const Field f = field(pick(allFields()));
        const bool alpha = FamilyOf(f.type) != Family::Number && FamilyOf(f.type) != Family::Boolean;
        std::string values = alpha && chance(30) ? "*BLANK" : "";
        // a list with *BLANK is checked as a condition of the values, of at most 49 tokens (switch long_blank_list)
        for (int i = 0, n = spread(values.empty() || on("long_blank_list") ? 50 : 11); i < n; ++i)
            values += (values.empty() ? "" : " ") + (alpha ? quote(text(rnd(1, 10))) : anyNumber());
        return "VALUECHECK FIELD(" + ref(f.name) + ") WITH_LIST(" + values + ")";
    }
    case 2: return "CONDCHECK FIELD(" + ref(pick(allFields())) + ") COND(" + condition() + ")";
    case 3: return expand("DATECHECK FIELD({=" + hashed({date_}) + "|{K}})");
    case 4:
        return expand("CALLCHECK FIELD({K}) BY_CALLING(PGCHK PGLIB)");
    default:
        if (p_.files.empty())
            return "CONDCHECK FIELD(" + ref(pick(allFields())) + ") COND(" + condition() + ")";
        const File& f = pick(p_.files);
        std::string key;
        for (const std::string& k : f.keys)
            key += (key.empty() ? "" : " ") + keyValue(k);
        return expand("FILECHECK FIELD(" + ref(chance(60) ? f.keys[0] : pick(allFields())) + ") USING_FILE(" + f.name +
                      "[30 DEMLIB]) WITH_KEY(" + key + ")");
    }
}

void Writer::validation(int depth)
{
    if (chance(20))
        return emit(check());
    emit("BEGINCHECK");
    for (int i = 0, n = rnd(1, 4); i < n; ++i)
        emit(check());
    if (chance(30))
        emit("SET_ERROR FOR_FIELD(" + fields(allFields(), spread(10)) + ")");
    if (chance(20))
        command("ON_ERROR IF_ERROR({=*NEXT|*LASTDIS}){m}");
    command("ENDCHECK[50 IF_ERROR({L*NEXT|*RETURN|*LASTDIS})]");
    if (chance(30) && depth < 6)
        nested("IF_ERROR", depth, 2, "ENDIF");
}

/* ---- subroutines ---------------------------------------------------- */
void Writer::execute(int from)
{
    // a routine calls only routines after it, so none is reached from itself
    std::vector<size_t> can;
    for (size_t i = 0; i < subs_.size(); ++i)
        if (int(i) > from || (on("self_execute") && int(i) == from))
            can.push_back(i);
    if (can.empty())
        return;
    const bool selecting = addsNoEntry();  // (before s: the caller may be a routine of subs_)
    Sub& s = subs_[pick(can)];
    s.level = std::max(s.level, level_);
    s.selecting = s.selecting || selecting;
    std::string parms;
    for (const auto& [f, how] : s.params) {
        const Field fd = field(f);
        std::string v;
        if (how == "*RECEIVED" && chance(40) && FamilyOf(fd.type) != Family::Boolean)
            // (the subset: 0 into a number of no whole digits, which 1 does not fit)
            v = FamilyOf(fd.type) == Family::Number ? (subset_ && fd.length == fd.decimals ? "0" : "1")
                : fd.type == 'A' || fd.type == 'H' ? quote(text(std::min(fd.length, 5)))
                                                    : literal(FamilyOf(fd.type), &fd);
        else {
            std::vector<std::string> same;
            for (const Field& o : p_.fields)
                // of the parameter's layout: a field that may be null is laid out otherwise
                if (o.type == fd.type && o.length == fd.length && o.decimals == fd.decimals && o.nullable == fd.nullable &&
                    // the subset: no loop's counter is returned into (a Boolean index leaves
                    // the first level's loops a field of their own, not the index)
                    !(subset_ && (o.name == index_ || o.name == firstLoop_ || own_.count(o.name))))
                    same.push_back(o.name);
            v = ref(pick(same));
        }
        parms += (parms.empty() ? "" : " ") + v;
    }
    emit("EXECUTE SUBROUTINE(" + s.name + ")" + (parms.empty() ? "" : " WITH_PARMS(" + parms + ")"));
}

/* A size asked for is kept within a tenth: the last statements before a
** routine's end nest one level at most, so no deep block runs far past it. */
bool Writer::nearEnd(size_t end) const
{
    return commands_ > 0 && p_.lines.size() + kNearEnd >= end;
}

void Writer::subroutine(size_t i, size_t target)
{
    const Sub& s = subs_[i];
    curSub_ = int(i);
    level_ = s.level;
    std::string parms;
    for (const auto& [f, how] : s.params)
        parms += (parms.empty() ? "(" : " (") + ref(f) + " " + how + ")";
    emit("SUBROUTINE NAME(" + s.name + ")" + (parms.empty() ? "" : " PARMS(" + parms + ")"));
    const size_t end =
        p_.lines.size() + std::max<size_t>(2, (target - std::min(target, p_.lines.size())) / (subs_.size() - i));
    execute(int(i));
    while (p_.lines.size() < end)
        statement(nearEnd(end) ? kShallow : 1);
    emit("ENDROUTINE");
}

void Writer::statement(int depth)
{
    const bool nest = depth < 6;
    if (inComponent_ && chance(30))
        return componentCommand(depth);
    int form = rnd(0, 33);
    while ((subset_ && outsideSubset(form)) || (inComponent_ && outsideComponent(form)))
        form = rnd(0, 33);
    switch (form) {
    case 0:
    case 1: return change();
    case 2:
        if (nest) {
            nested("IF COND(" + condition() + ")", depth, 3);
            if (chance(40))
                nested("ELSE", depth, 2);
            emit("ENDIF");
        }
        return;
    case 3:
        if (nest && (!subset_ || level_ < kLevels)) {
            const bool w = chance(50);
            if (subset_) {  // a few rounds counted on the level's own field, advanced first
                const std::string n = number(1, 3), c = ref(loopField());
                emit("CHANGE FIELD(" + c + ") TO(0)");
                emit(std::string(w ? "DOWHILE" : "DOUNTIL") + " COND(" +
                     quote(c + (w ? one({" < ", " *LT "}) : one({" >= ", " *GE "})) + n) + ")");
                emit("CHANGE FIELD(" + c + ") TO(" + quote(c + " + 1") + ")");
            } else {
                emit(std::string(w ? "DOWHILE" : "DOUNTIL") + " COND(" + condition() + ")");
            }
            loop(depth, w ? "ENDWHILE" : "ENDUNTIL");
        }
        return;
    case 4:
        if (nest && (!subset_ || level_ < kLevels)) {
            command("BEGIN_LOOP USING(" + (subset_ ? ref(loopField()) : chance(70) ? ref(index_) : "{KN}") +
                    ") FROM(1) TO(" + (subset_ ? "{=2|3|4}" : "{=10|{P}|99|{KN}}") + ") STEP({=1|2})");
            loop(depth, "END_LOOP");
        }
        return;
    case 5:
    case 29:
        if (nest)
            caseOf(depth);
        return;
    case 6:
        if (loops_ > 0)
            return command("{=LEAVE|CONTINUE}[50 COND({c})]");
        [[fallthrough]];
    case 7:
        if (inMain_ && !labels_.empty() && chance(50)) {
            // the subset: a GOTO to a label not yet placed (forward), or a backward one at most twice a run
            std::vector<std::string> ahead;
            for (const std::string& l : labels_)
                if (!placed_.count(l))
                    ahead.push_back(l);
            const bool back = subset_ && ahead.empty();
            const std::string n = back ? ref(loopFields_.back()) : "";
            bare_ = subset_;  // the IF does not take the label its GOTO goes to
            emit("IF COND(" + (back ? quote(n + " < 2") : condition()) + ")");
            bare_ = false;
            if (back)
                emit("CHANGE FIELD(" + n + ") TO(" + quote(n + " + 1") + ")");
            bare_ = subset_;  // nor the GOTO itself: a label on its own GOTO never ends
            emit("GOTO LABEL(" + (subset_ && !ahead.empty() ? pick(ahead) : label()) + ")");
            bare_ = false;
            return emit("ENDIF");
        }
        return command("MESSAGE{m} TYPE({=*INFO|*STATUS|*WINDOW})");
    case 8:
    case 9:
        if (!p_.files.empty() && nest)
            io(depth);
        return;
    case 10:
        if (!lists_.empty())
            listOp(depth);
        return;
    case 11:
        if (!subs_.empty())
            return execute(curSub_);
        [[fallthrough]];
    case 12:
        if (nest && !(webEvent_ && inMain_))
            screen(depth);
        return;
    case 13:
        if (nest)
            validation(depth);
        return;
    case 14:
        if (!reports_.empty()) {
            const Report& r = pick(reports_);
            const std::string n = to_string(r.number);
            command("{=PRINT LINE(" + ref(r.line) + ")|SPACE LINES({I1-3})|SKIP TO_LINE({I1-20})}" + " REPORT_NUM(" + n +
                    ")");
        }
        return;
    case 15: return substring();
    case 16:
        if (nest) {
            std::vector<std::string> nul;
            for (const Field& f : p_.fields)
                if (f.nullable)
                    nul.push_back(f.name);
            nested(!nul.empty() ? "IF_NULL FIELD(" + fields(nul, spread(10)) + ")"
                                : expand("{=IF_MODE IS({=*ADD|*CHANGE|*DELETE|*DISPLAY})|"
                                         "IF_STATUS IS({=*OKAY|*ERROR|*NORECORD|*ENDFILE})}"),
                   depth, 2, "ENDIF");
        }
        return;
    case 17: return command("SET_MODE TO({=*ADD|*CHANGE|*DELETE|*DISPLAY})");
    case 18: return command("EXCHANGE FIELDS(" + fields(allFields(), spread(30)) + ")[50 OPTION(*ALWAYS)]");
    case 19:
        return command("CALL PGM(PGCALL{I1-9})[75 PARMS({K}[50 {K}][50 {={a}|{N}}])]"
                       "[30 IF_ERROR({L*ABORT|*NEXT|*RETURN})]");
    case 20:
        return command("{=EXEC_CPF COMMAND('DSPLIBL')|EXEC_OS400 CPFCMD('WRKACTJOB')}[40 IF_ERROR({L*ABORT|*NEXT})]");
    case 21:
        if (group_.size() && (subset_ || chance(50)))
            return command("CHANGE FIELD(" + group_ + ") TO({=*NULL|*DEFAULT|*BLANK})");
        return command("SUBMIT {=PGM(PGBATCH) PARMS({K}[50 {K}])|PROCESS(DEMOPRC) FUNCTION(DEMOMIN)}");
    case 22:
        return command(std::string(on("urequest") ? "{=UDISPLAY|UREQUEST|UPRINT}" : "UPRINT") + " FIELDS({s3})");
    case 23: return use();
    case 24:
        if (inMain_ && !included_) {
            included_ = true;
            return command("INCLUDE PROCESS({=*DIRECT|DEMOPRC}) FUNCTION(DEMINC)");
        }
        [[fallthrough]];
    case 25:
        return command("CALL PROCESS(*DIRECT) FUNCTION(DEMOMIN)[40 PASS_LST({l})][30 PASS_DS({f})]"
                       "[50 EXIT_USED({L*NEXT|*EXIT|*RETURN})][50 MENU_USED({L*NEXT|*MENU|*RETURN})]");
    case 26:
        if (!array_.empty()) {
            const std::string value = valueFor(field(arrayOf_));
            const std::string change = "CHANGE FIELD(#" + array_ + ref(index_) + ") TO(" + value + ")";
            // the loops over the index run it past the array's three elements (a Boolean index
            // compares with no number: it holds the true it was set to)
            if (subset_) {  // and its value under the test that it fits
                const std::string i = ref(index_), fit = fits(value, field(arrayOf_), false);
                std::string cond = field(index_).type != 'Y' ? "(" + i + " >= 1) AND (" + i + " <= 3)" : "";
                cond += cond.empty() || fit.empty() ? fit : " AND " + fit;
                if (!cond.empty())
                    return guarded(quote(cond), change);
            }
            return emit(change);
        }
        [[fallthrough]];
    case 28:
        if (!reports_.empty() && fileLoops_ > 0)
            return keep();
        [[fallthrough]];
    case 27:
        if (nest)
            nested(expand("IF_STATUS IS({=*OKAY|*ERROR|*NORECORD|*ENDFILE|*EQUALKEY}) "
                          "IS_NOT({=*ERROR|*VALERROR|*NOTEQUALKEY})"),
                   depth, 2, "ENDIF");
        return;
    case 30:
        if (!p_.files.empty() && nest)
            return selectSql(depth);
        return;
    case 31:
        if (!reports_.empty() && fileLoops_ > 0)
            return keep();
        return change();
    default: change();
    }
}

Program Generate(const Tables& tables, uint64_t seed, const std::set<std::string>& allowed, int commands)
{
    return Writer(tables, seed, allowed, commands).function();
}

}  // namespace progen

// The function writer: a dictionary of fields of every kind, files with
// keys and a logical view, then a function whose commands use them: the
// forms of each command family below, each keyword element written with
// the kinds of value it takes (values of progen_values.cpp).
#include <algorithm>
#include <random>

#include "progen.h"

namespace progen {

const std::vector<Switch>& Switches()
{
    static const std::vector<Switch> s = {
        {"self_execute", "a subroutine that EXECUTEs itself unconditionally: a program that never ends, refused by gcc "
                         "-Werror=infinite-recursion"},
        {"urequest",
         "UREQUEST and UDISPLAY: a check that generation follows refuses them (PRC1193, no code for the command)"},
    };
    return s;
}

namespace {

using std::to_string;

class Writer {
public:
    Writer(const Tables& t, uint64_t seed, const std::set<std::string>& allowed)
        : t_(t), r_(seed), allow_(allowed), subset_(allowed.count(kFlowAndData) > 0)
    {}

    Program run()
    {
        dictionary();
        files();
        const int target = rnd(20, 200);
        // the routines' names and parameters are fixed first so calls can be written anywhere
        for (int i = 0, n = rnd(0, 3); i < n; ++i)
            subs_.push_back({"PGSUB" + to_string(i + 1), pickParams()});
        for (int i = 0, n = rnd(1, 6); i < n; ++i)
            labels_.push_back("L" + to_string(10 + i * 5));
        header();
        const size_t bodyTarget = static_cast<size_t>(target) * 3 / 4;
        for (const std::string& u : used_)
            emit(u);
        body_ = true;
        while (p_.lines.size() < bodyTarget)
            statement(0);
        body_ = false;
        // every label stands on a command of the main routine
        for (const std::string& l : labels_)
            if (!placed_.count(l))
                emit(l + ": MESSAGE MSGTXT(" + phrase(40) + ")");
        for (int n = 1; n <= report_; ++n) {
            emit("PRINT LINE(" + lines_[size_t(n - 1)] + ") REPORT_NUM(" + to_string(n) + ")");
            command("ENDPRINT REPORT_NUM(" + to_string(n) + ")[30 IO_ERROR(*ABORT)]");
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

private:
    struct Sub {
        std::string name;
        std::vector<std::pair<std::string, std::string>> params;  // field, *RECEIVED/*RETURNED/*BOTH
        int level = 0;  // the subset: the deepest loop level it is executed at
    };
    struct List {
        std::string name;
        std::vector<std::string> fields;
        bool browse;
        std::string counter;
    };

    std::string text(int n) { return textAt(n, unsigned(rnd(0, 70))); }
    int rnd(int a, int b) { return std::uniform_int_distribution<int>(a, b)(r_); }
    bool chance(int pct) { return rnd(1, 100) <= pct; }
    /* one of the texts; a number from a to b; a quoted text of 1 to `most` characters */
    std::string one(const std::vector<std::string>& v) { return pick(v); }
    std::string number(int a, int b) { return to_string(rnd(a, b)); }
    std::string phrase(int most) { return quote(text(rnd(1, most))); }
    template <typename T> T pick(const std::vector<T>& v) { return v[static_cast<size_t>(rnd(0, int(v.size()) - 1))]; }
    std::string any(const std::vector<std::string>& v) { return v.empty() ? "" : pick(v); }
    bool on(const std::string& s) const { return allow_.count(s) > 0; }
    /* the statement forms the flow-and-data subset leaves out: files,
    ** screens, validation blocks, reports, calls of programs, functions and
    ** built-ins, submitted jobs and system commands; form 11 with no routine
    ** (it falls through to a screen) and form 21 with no group (it submits a job) */
    bool outsideSubset(int form) const
    {
        static const std::set<int> outside = {8, 9, 12, 13, 14, 18, 19, 20, 22, 23, 24, 25};
        return outside.count(form) || (form == 11 && subs_.empty()) || (form == 21 && group_.empty());
    }
    const Field& field(const std::string& n) const
    {
        for (const Field& f : p_.fields)
            if (f.name == n)
                return f;
        return p_.fields.front();
    }

    static bool has(const std::string& line, const std::string& keyword)
    {
        return line.find(" " + keyword + "(") != std::string::npos;
    }

    /* the end of the brace or bracket that opens at i */
    static size_t closing(const std::string& s, size_t i)
    {
        for (int depth = 0;; ++i) {
            depth += (s[i] == '{' || s[i] == '[') - (s[i] == '}' || s[i] == ']');
            if (depth == 0)
                return i;
        }
    }

    /* the pieces of s between the separators outside braces and brackets */
    static std::vector<std::string> split(const std::string& s, char sep)
    {
        std::vector<std::string> out(1);
        for (size_t i = 0; i < s.size(); ++i) {
            const size_t end = s[i] == '{' || s[i] == '[' ? closing(s, i) : i;
            s[i] == sep ? out.emplace_back() : out.back() += s.substr(i, end - i + 1);
            i = end;
        }
        return out;
    }

    /* the fields named one after the other: "#A #B" */
    static std::string hashed(const std::vector<std::string>& names)
    {
        std::string s;
        for (const std::string& f : names)
            s += (s.empty() ? "#" : " #") + f;
        return s;
    }

    /* A form expanded (its values as progen_values.cpp lists them), for a
    ** keyword p of the command written so far; "" when the function has
    ** nothing a value needs. */
    std::string expand(const std::string& form, const Param* p = nullptr, const std::string& line = "")
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
    std::string value(const std::string& k, const Param* p, const std::string& line)
    {
        const auto first = [&]() -> std::string {  // the first field the command names
            const size_t h = line.find('#');
            return h == std::string::npos ? "" : line.substr(h, line.find_first_of(" )", h) - h);
        };
        if (k == "A" || k == "A10") {
            std::vector<std::string> a;
            for (const std::string& f : alpha_)
                if (field(f).length <= (k == "A" ? 25 : 10) && !field(f).nullable)
                    a.push_back(f);
            return a.empty() ? "" : "#" + pick(a);
        }
        if (k == "IA") {  // the field's kind, or the kind its definition gives it
            const bool alpha = has(line, "TYPE") ? line.find("TYPE(*CHAR)") != std::string::npos
                                                 : !first().empty() && field(first().substr(1)).type == 'A';
            return alpha ? "LC" : "RZ";
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
            return "#" + (k[0] == 'a' ? alpha_ : num_)[size_t(k[1] - '0')];
        switch (k[0]) {
        case 'N': return numField();
        case 'a': return alphaField();
        case 'c': return condition();
        case 'C': return any(conds_);
        case 'F': return first();
        case 'I': return to_string(rnd(std::stoi(k.substr(1)), std::stoi(k.substr(k.find('-') + 1))));
        case 'L': return target(split(k.substr(1), '|'));
        case 'P': return "#" + num_[1];
        case 'R': return "#" + rrn_;
        case 'S': return "#" + status_;
        case 'T': return quote(text(rnd(1, std::stoi(k.substr(1)))));
        case 'V': return p ? any(p->values) : "";
        case 'd': return "#" + date_;
        case 'l': return lists_.empty() ? "" : "#" + lists_[0].name;
        case 'f': return p_.files.empty() ? "" : pick(p_.files).name;
        case 'm': return msg();
        case 's': return fields(screenFields(), std::stoi(k.substr(1)));
        case '=': return expand(pick(split(k.substr(1), '|')), p, line);
        }
        return "";
    }

    /* A command written from a form, when the function has what it needs. */
    void command(const std::string& form)
    {
        if (const std::string line = expand(form); !line.empty())
            emit(line);
    }

    /* Further keywords of the command, each with a value of a kind it takes. */
    std::string enrich(const std::string& line)
    {
        const size_t at = line.size() > 5 && line.compare(3, 2, ": ") == 0 ? 5 : 0;
        const std::string cmd = line.substr(at, line.find(' ', at) - at);
        const auto c = t_.params.find(cmd);
        if (c == t_.params.end())
            return line;
        std::string out = line;
        const auto named = [&] { return std::count(out.begin(), out.end(), '#'); };  // the fields named so far
        for (const Param& p : c->second) {
            bool skip = has(out, p.keyword) || !chance(25);
            for (const auto& [a, b] : ExcludingPairs())
                skip = skip || (a == p.keyword && has(out, b)) || (b == p.keyword && has(out, a));
            // fields spaced down a screen fit it (a report's page takes five lines of fields ten apart);
            // one screen format takes few fields and no list
            skip = skip ||
                   (p.keyword == "DOWN_SEP" && cmd.rfind("DEF_", 0) != 0 && named() > (cmd == "POP_UP" ? 1 : 2)) ||
                   (p.keyword == "OPTIONS" && cmd != "FUNCTION" && cmd != "SELECT" &&
                    (named() > 2 || has(out, "BROWSELIST") || has(out, "TEXTS")));
            for (const KeywordForms& k : KeywordTable())
                if (!skip && among(k.keywords, p.keyword) && (!*k.commands || among(k.commands, cmd))) {
                    const std::string v = expand(pick(split(k.forms, ';')), &p, out);
                    out += v.empty() ? "" : " " + p.keyword + "(" + v + ")";
                    break;
                }
        }
        return out;
    }

    /* whether the word is one of the list's (words between blanks) */
    static bool among(const char* list, const std::string& word)
    {
        return (" " + std::string(list) + " ").find(" " + word + " ") != std::string::npos;
    }

    void emit(const std::string& written, bool more = true)
    {
        const std::string line = more ? enrich(written) : written;
        if (body_ && inMain_ && !bare_ && line.find(": ") != 3 && line.rfind("END", 0) != 0 && line != "ELSE" &&
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
    void guarded(const std::string& cond, const std::string& line)
    {
        emit("IF COND(" + cond + ")");
        bare_ = true;
        emit(line);
        bare_ = false;
        emit("ENDIF");
    }

    /* ---- the dictionary and the files ---------------------------------- */
    /* a field the function knows, among the alphanumeric or the numeric ones the commands use */
    void known(const Field& f)
    {
        p_.fields.push_back(f);
        (f.type == 'A' ? alpha_ : num_).push_back(f.name);
    }

    std::string addField(char type, int len, int dec = 0, bool nullable = false, const std::string& dft = "")
    {
        const std::string name = "PG" + std::string(1, type == '1' ? 'N' : type) + to_string(++fieldNo_);
        p_.fields.push_back({name, type, len, dec, nullable, dft});
        return name;
    }

    void dictionary()
    {
        // fields the commands rely on: counters, positions, a status, a message
        num_ = {addField('P', 7, 0), addField('P', 5, 0), addField('S', 9, 2), addField('P', 15, 5)};
        alpha_ = {addField('A', 10), addField('A', 1), addField('A', 30), addField('A', 256)};
        status_ = addField('A', 2);
        rrn_ = addField('P', 9, 0);
        date_ = addField('P', 8, 0);
        counter_ = addField('P', 7, 0);
        index_ = addField('P', 3, 0);
        for (int i = 1; subset_ && i <= kLevels; ++i)  // the loop fields of levels 1 and 2, the GOTO counter
            own_.insert(loopFields_.emplace_back(addField('P', 3, 0)));
        for (int i = 0, n = rnd(6, 24); i < n; ++i) {
            const int kind = rnd(0, 9);
            const bool nul = chance(20);
            if (kind <= 2) {
                const int len = chance(20) ? pick<int>({1, 50, 51, 255, 256}) : rnd(1, 80);
                const std::string dft = !chance(20)  ? ""
                                        : chance(50) ? "*BLANK"
                                                     : quote(text(std::min(48, rnd(1, len))));
                alpha_.push_back(addField('A', len, 0, nul, dft));
            } else if (kind <= 5) {
                const int len = chance(20) ? pick<int>({1, 30, 31}) : rnd(1, 31);
                int dec = chance(30) ? 0 : rnd(0, len);
                std::string dft = chance(15) ? one({"*ZERO", "0"}) : "";
                num_.push_back(addField(kind == 5 ? 'S' : 'P', len, dec, nul, dft));
            } else {
                static const std::vector<std::pair<char, int>> ext = {{'I', 1},  {'I', 2}, {'I', 4},  {'I', 8},
                                                                      {'F', 4},  {'F', 8}, {'E', 10}, {'M', 8},
                                                                      {'Z', 26}, {'H', 0}, {'Y', 1}};
                auto [type, len] = pick(ext);
                if (type == 'H')
                    len = rnd(1, 256);
                ext_.push_back(addField(type, len, 0, nul));
            }
        }
    }

    void files()
    {
        for (int i = 0, n = rnd(0, 3); i < n && !subset_; ++i) {
            File f;
            f.name = "PGFILE" + to_string(i + 1);
            // the file's fields are its own: keys alpha or packed, then data
            for (int k = 0, nk = rnd(1, 3); k < nk; ++k)
                f.keys.push_back(chance(50) ? addField('A', rnd(1, 20)) : addField('P', rnd(1, 15), 0));
            f.fields = f.keys;
            for (int d = 0, nd = rnd(1, 5); d < nd; ++d) {
                const std::string name = chance(50) ? addField('A', rnd(1, 60)) : addField('P', rnd(3, 15), rnd(0, 2));
                f.fields.push_back(name);
                (field(name).type == 'A' ? alpha_ : num_).push_back(name);
            }
            if (chance(60)) {
                f.view = "PGFILE" + to_string(i + 1) + "V";
                f.viewKeys = {f.fields[f.keys.size()]};
                if (f.keys.size() > 1 && chance(50))
                    f.viewKeys.push_back(f.keys[0]);
            }
            for (const std::string& k : f.keys)
                (field(k).type == 'A' ? alpha_ : num_).push_back(k);
            p_.files.push_back(f);
        }
    }

    std::vector<std::pair<std::string, std::string>> pickParams()
    {
        std::vector<std::pair<std::string, std::string>> ps;
        for (int i = 0, n = rnd(0, 3); i < n; ++i) {
            const bool alpha = chance(50);
            ps.push_back({alpha ? addField('A', rnd(1, 20)) : addField('P', rnd(1, 9), rnd(0, 1)),
                          one({"*RECEIVED", "*RETURNED", "*BOTH"})});
        }
        return ps;
    }

    /* ---- values --------------------------------------------------------- */
    std::string numLiteral(const Field& f)
    {
        const int ints = f.length - f.decimals;
        std::string v = ints > 0 ? number(0, 9) : "0";
        if (ints > 1 && chance(30))
            v = std::string(static_cast<size_t>(rnd(1, ints)), '9');
        if (f.decimals > 0 && chance(50))
            v += "." + std::string(static_cast<size_t>(rnd(1, f.decimals)), '5');
        if (f.type == 'S' && chance(30))
            v = "-" + v;
        return v;
    }

    std::string alphaLiteral(int max) { return quote(text(chance(20) ? max : rnd(1, max))); }

    std::string numField() { return "#" + pick(num_); }
    std::string alphaField() { return "#" + pick(alpha_); }

    /* a condition: a quoted expression, or the name of one the function defines */
    std::string condition()
    {
        const std::string c = expand(pick<std::string>({"{N} {==|<>|<|>|<=|>=|*GT|*LE} {I0-99}", "{a} = {T1}",
                                                        "({N} > {N}) {=AND|OR} ({a} *NE {a})", "{C}",
                                                        "{N} + 1 > {N} * 2", "{N} >= {N}", "{a} *EQ *BLANK"}));
        return c.empty() ? quote(expand("{N} >= {N}")) : c[0] == '*' ? c : quote(c);
    }

    /* a value for TO of CHANGE into field f */
    std::string valueFor(const Field& f)
    {
        std::vector<std::string> v = {"*DEFAULT"};
        if (f.nullable)
            v.push_back("*NULL");
        if (f.type == 'A')
            v.insert(v.end(), {"*BLANK", alphaField(), alphaLiteral(f.length), alphaLiteral(f.length)});
        else if (f.type == 'P' || f.type == 'S')
            v.insert(v.end(), {"*ZERO", numField(), numLiteral(f), numLiteral(f),
                               quote(numField() + " + " + numField() + " * 2"), quote("(" + numField() + " - 1) / 3")});
        else if (f.type == 'I' || f.type == 'F')  // an integer literal of at most as many digits as the field has bytes
            v.insert(v.end(), {"*ZERO", numField(), number(0, 99)});
        else if (f.type == 'H')
            v.push_back("*BLANK");
        return pick(v);
    }

    std::string label() { return pick(labels_); }
    /* the subset: the field a loop of the current level counts on (no other command changes it) */
    std::string loopField() const { return level_ == 0 ? index_ : loopFields_[size_t(level_ - 1)]; }
    /* a label keyword's value: the special values it takes, or a label of the main routine */
    std::string target(const std::vector<std::string>& specials)
    {
        return inMain_ && chance(30) ? label() : pick(specials);
    }

    /* from 1 to `most` of the fields, in a random order */
    std::vector<std::string> some(std::vector<std::string> from, int most)
    {
        std::shuffle(from.begin(), from.end(), r_);
        from.resize(static_cast<size_t>(std::min<int>(int(from.size()), rnd(1, most))));
        return from;
    }
    std::string fields(const std::vector<std::string>& from, int most) { return hashed(some(from, most)); }

    /* the widest a field's value is shown: an edit code adds separators, a sign and a point */
    static int shown(const Field& d) { return d.type == 'P' || d.type == 'S' ? d.length + d.length / 3 + 2 : d.length; }

    std::vector<std::string> screenFields()
    {
        // fields that fit a screen line with any identification (its description is 47 wide at most)
        std::vector<std::string> s;
        for (const std::string& f : allFields())
            if (shown(field(f)) <= 26)
                s.push_back(f);
        return s;
    }

    /* the message of a command: a text, or an id of a message file with its data */
    std::string msg()
    {
        return expand("{= MSGTXT({T80})| MSGTXT({T80})| MSGID(PG0000{I1-9}) MSGFILE(PGMSGF)"
                      "[50 MSGDTA({={n0} {a0}|({a0} Y)})]}");
    }

    /* an edit word of a number of `len` digits, `dec` of them decimals */
    static std::string editWord(int len, int dec)
    {
        return quote(std::string(size_t(len - dec), ' ') + (dec ? "." + std::string(size_t(dec), ' ') : ""));
    }

    /* ---- header: options, definitions, lists, reports ------------------- */
    void header()
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
        if (kind == 6) {
            lists_.push_back({"TRIG_LIST",
                              p_.files.empty() ? std::vector<std::string>{alpha_[0], num_[0]} : p_.files[0].fields,
                              false, ""});
            emit("DEF_LIST NAME(#TRIG_LIST) FIELDS(" + hashed(lists_.back().fields) + ") TYPE(*WORKING)");
        }
        for (int i = 0, n = rnd(0, 3); i < n; ++i) {
            const std::string name = "#PGD" + to_string(i + 1);
            Field f = {name.substr(1), 'A', 0, 0, false, ""};
            const int kind = rnd(0, 2);
            if (kind == 0) {
                f.length = rnd(1, 256);
                command("DEFINE FIELD(" + name + ") TYPE(*CHAR) LENGTH(" + to_string(f.length) + ")[30 DEFAULT(" +
                        quote(text(std::min(f.length, 48))) + ")]");
            } else if (kind == 1) {
                f = {f.name, 'P', rnd(1, 30), 0, false, ""};
                f.decimals = rnd(0, std::min(f.length - 1, 9));
                command("DEFINE FIELD(" + name + ") TYPE({=*DEC|*SIGNED}) LENGTH(" + to_string(f.length) +
                        ") DECIMALS(" + to_string(f.decimals) + ")" +
                        (chance(40)      ? " EDIT_CODE({=1|3|J|Z})"
                         : f.length < 24 ? "[30 EDIT_WORD(" + editWord(f.length, f.decimals) + ")]"
                                         : ""));
            } else {
                const std::string ref = pick(num_);
                emit("DEFINE FIELD(" + name + ") REFFLD(#" + ref + ")");
                f = field(ref);
                f.name = name.substr(1);
                f.nullable = false;
            }
            known(f);
        }
        for (const Field& f : p_.fields)
            if (f.name.rfind("PGD", 0) == 0)
                used_.push_back("CHANGE FIELD(#" + f.name + ") TO(*DEFAULT)");
        if (chance(30)) {
            command("OVERRIDE FIELD({N}) EDIT_CODE({=1|3|Z})");
            // a field given another length, or the definition of another field
            const std::string g = pick(num_);
            const Field& d = field(g);
            if (!d.nullable && d.name.rfind("PGD", 0) != 0 && d.length < 22) {
                std::vector<std::string> wider;  // fields of its kind no narrower, that fit a screen line
                for (const Field& w : p_.fields)
                    if (w.type == d.type && w.decimals == d.decimals && w.length >= d.length && w.length <= 15 &&
                        w.name != g && !w.nullable)
                        wider.push_back(w.name);
                if (chance(50))
                    emit("OVERRIDE FIELD(#" + g + ") TYPE(*DEC) LENGTH(" + to_string(d.length + 1) + ") DECIMALS(" +
                         to_string(d.decimals) + ") DEFAULT(*ZERO) EDIT_WORD(" + editWord(d.length + 1, d.decimals) +
                         ")");
                else if (!wider.empty())
                    emit("OVERRIDE FIELD(#" + g + ") REFFLD(#" + pick(wider) + ")");
            }
        }
        if (!p_.files.empty() && chance(25)) {
            // data fields of a file known in the function under names of their own
            const File& f = pick(p_.files);
            std::string pairs;
            for (size_t i = f.keys.size(); i < f.fields.size(); ++i)
                if (chance(50)) {
                    Field r = field(f.fields[i]);
                    r.name = "PGR" + to_string(++fieldNo_);
                    renamed_[f.fields[i]] = r.name;
                    pairs += (pairs.empty() ? "(#" : " (#") + f.fields[i] + " #" + r.name + ")";
                    known(r);
                }
            if (!pairs.empty())
                emit("RENAME FILE(" + f.name + one({" *FIRST", " DEMLIB"}) + ") FIELDS(" + pairs + ")");
        }
        for (int i = 0, n = rnd(0, 2); i < n; ++i) {
            std::string c = condition();
            conds_.push_back("*PGCOND" + to_string(i + 1));
            emit("DEF_COND NAME(" + conds_.back() + ") COND(" + c + ")");
        }
        if (chance(30)) {
            // an array over three fields of one kind, indexed by the loop counter; or of three
            // entries laid over an alphanumeric field from a position, of the kind of one field
            const bool alpha = chance(50), over = alpha && !subset_ && chance(40);
            std::string of;
            for (int i = 0; i < (over ? 1 : 3); ++i) {
                arrayOf_ = alpha ? addField('A', 10) : addField('P', 7, 2);
                of += (i ? " #" : "#") + arrayOf_;
            }
            if (over) {
                const int at = rnd(1, 20);
                alpha_.push_back(addField('A', at + 29 + rnd(0, 10)));
                of += ") ENTRYS(3) OVERLAYING(#" + alpha_.back() + " " + to_string(at);
            }
            array_ = "PGY";
            p_.fields.push_back({"PGX", 'P', 3, 0, false, ""});  // an index is named by at most three characters
            index_ = "PGX";
            emit("DEF_ARRAY NAME(#" + array_ + ") INDEXES(#" + index_ + ") OF_FIELDS(" + of + ")");
            if (subset_)  // an element is reached only with its index in range
                used_.push_back("CHANGE FIELD(#" + index_ + ") TO(1)");
            used_.push_back("CHANGE FIELD(#" + array_ + "#" + index_ + ") TO(" + (alpha ? "*BLANK" : "*ZERO") + ")");
        }
        if (chance(40)) {
            group_ = "XG_PG1";
            emit("GROUP_BY NAME(" + group_ + ") FIELDS(" + fields(screenFields(), 4) + ")");
            used_.push_back("CHANGE FIELD(" + group_ + ") TO(*DEFAULT)");
        }
        for (int i = 0, n = rnd(0, 3); i < n; ++i) {
            List l;
            l.name = "PGLIST" + to_string(i + 1);
            l.browse = chance(40) && !subset_;  // a browse list is shown on a screen
            l.fields = some(screenFields(), 5);
            std::string s = "DEF_LIST NAME(#" + l.name + ") FIELDS(" + hashed(l.fields) + ")";
            if (l.browse) {
                s += " TYPE(*BROWSE)[30 PAGE_SIZE({P}) TOP_ENTRY({=*CURRENT|{P}}) SEL_ENTRY({P}) SCROLL_TXT({a0})]";
                l.counter = chance(70) ? counter_ : "";
            } else {
                s += "[30 TYPE(*WORKING)] ENTRYS({=1|10|50|200|9999})[50 {=LONG_LIST|MAX_ENTRYS}(1)]";
                if (subset_)  // the count an entry is added after is compared with
                    own_.insert(l.counter = addField('P', 7, 0));
            }
            lists_.push_back(l);
            command(s + (l.counter.empty() ? "" : " COUNTER(#" + l.counter + ")"));
            // a working list received from the caller and handed back
            std::string& fn = p_.lines.front();
            if (receives_ && !l.browse && chance(20))
                fn.find(" RCV_LIST(") == std::string::npos ? fn += " RCV_LIST(#" + l.name + ")"
                                                           : fn.insert(fn.size() - 1, " #" + l.name);
        }
        if (chance(30) && !subset_) {
            report_ = rnd(1, 2);
            std::vector<std::string> alpha, nums;  // fields that fit a report line
            for (const std::string& f : allFields()) {
                const Field& d = field(f);
                if (d.type == 'A' && d.length <= 20)
                    alpha.push_back(f);
                if ((d.type == 'P' || d.type == 'S') && d.length <= 15)
                    nums.push_back(f);
            }
            const std::vector<std::string> item = joined(alpha, nums);
            for (int n = 1; n <= report_ && !alpha.empty() && !nums.empty(); ++n) {
                const std::string num = " REPORT_NUM(" + to_string(n) + ")";
                // a foot's fields start below the last line: four lines of headings and value, ten apart
                const bool foot = chance(50);
                command("DEF_REPORT" + num + " FORMSIZE(66 132) OVERFLOW(60)" +
                        (foot ? " LAST_LINE({I30-46})" : "[30 LAST_LINE({I30-46})]") + "[40 NAME(PGRPT" + to_string(n) +
                        ") PRT_FILE(QSYSPRT[50 *LIBL]) OUTQ({=*FILE|{a0}}) COPIES({=*FILE|{P}}) "
                        "FORMTYPE({=*FILE|{a0}}) OTHER_OVRD({a2}) RET_LENGTH({P}) RET_WIDTH({P}) RET_OVRFLW({P}) "
                        "RET_LINE({P}) RET_PAGE({P})]");
                command("DEF_HEAD NAME(#PGHEAD" + to_string(n) + ") FIELDS(" + fields(item, 3) +
                        ") TEXTS(({T20} 1 10))" + num);
                lines_.push_back("#PGLINE" + to_string(n));
                command("DEF_LINE NAME(" + lines_.back() + ") FIELDS(" + fields(item, 5) +
                        ") DESIGN({=*ACROSS|*DOWN}) IDENTIFY({=*COLHDG|*LABEL|*DESC|*NOID})" + num);
                const std::string by = pick(alpha);
                if (chance(60))
                    command("DEF_BREAK NAME(#PGBRK" + to_string(n) + ") FIELDS(#" + by + " #" + pick(nums) +
                            ") TRIGGER_BY({=*LEADING|*TRAILING}) TRIG_FLDS(#" + by + ")[40 DOWN_SEP({I1-10})]" + num);
                if (foot)
                    emit("DEF_FOOT NAME(#PGFOOT" + to_string(n) + ") FIELDS(" + fields(nums, 2) + ")" + num);
            }
            if (lines_.empty())
                report_ = 0;
        }
    }

    /* ---- statements ----------------------------------------------------- */
    void block(int depth, int most)
    {
        for (int i = 0, n = rnd(1, most); i < n; ++i)
            statement(depth + 1);
    }

    /* a command that opens a block of statements, the block and what ends it ("" nothing) */
    void nested(const std::string& open, int depth, int most, const std::string& close = "")
    {
        emit(open);
        block(depth, most);
        if (!close.empty())
            emit(close);
    }

    /* the body of a loop whose first command is written, and the command that ends it */
    void loop(int depth, const std::string& close)
    {
        ++loops_, ++level_;
        block(depth, 3);
        --loops_, --level_;
        emit(close);
    }

    void statement(int depth)
    {
        const bool nest = depth < 6;
        int form = rnd(0, 31);
        while (subset_ && outsideSubset(form))
            form = rnd(0, 31);
        switch (form) {
        case 0:
        case 1: {
            const std::string f = pick(allFields());
            return command("CHANGE FIELD(#" + f + ") TO(" + valueFor(field(f)) + ")[10 ROUND_UP(*YES)]");
        }
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
                    const std::string n = number(1, 3), c = "#" + loopField();
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
                command("BEGIN_LOOP USING(#" + (subset_ ? loopField() : index_) + ") FROM(1) TO(" +
                        (subset_ ? "{=2|3|4}" : "{=10|{P}|99}") + ") STEP({=1|2})");
                loop(depth, "END_LOOP");
            }
            return;
        case 5:
            if (nest) {
                const bool alpha = chance(50);
                emit(expand(alpha ? "CASE OF_FIELD({a})" : "CASE OF_FIELD({N})"));
                for (int i = 0, n = rnd(1, 3); i < n; ++i)
                    nested("WHEN VALUE_IS(" + quote(expand(alpha ? "{== |< |> |<> }{T1}" : "{== |< |> |<> }{I0-9}")) +
                               ")",
                           depth, 2);
                if (chance(60))
                    nested("OTHERWISE", depth, 2);
                emit("ENDCASE");
            }
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
                const std::string n = back ? "#" + loopFields_.back() : "";
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
            if (report_) {
                const int n = rnd(1, report_);
                command("{=PRINT LINE(" + lines_[size_t(n - 1)] + ")|SPACE LINES({I1-3})|SKIP TO_LINE({I1-60})}" +
                        " REPORT_NUM(" + to_string(n) + ")");
            }
            return;
        case 15: {
            const std::string a = pick(alpha_), b = pick(alpha_);
            std::string into = "#" + b + " " + to_string(rnd(1, field(b).length)) + " *END";
            if (chance(30))
                into = "#" + b;
            return emit("SUBSTRING FIELD(#" + a + " " + to_string(rnd(1, field(a).length)) + " *END) INTO_FIELD(" +
                        into + ")");
        }
        case 16:
            if (nest) {
                std::vector<std::string> nul;
                for (const Field& f : p_.fields)
                    if (f.nullable)
                        nul.push_back(f.name);
                nested(!nul.empty() ? "IF_NULL FIELD(" + fields(nul, 2) + ")"
                                    : expand("{=IF_MODE IS({=*ADD|*CHANGE|*DELETE|*DISPLAY})|"
                                             "IF_STATUS IS({=*OKAY|*ERROR|*NORECORD|*ENDFILE})}"),
                       depth, 2, "ENDIF");
            }
            return;
        case 17: return command("SET_MODE TO({=*ADD|*CHANGE|*DELETE|*DISPLAY})");
        case 18: return command("EXCHANGE FIELDS({s3})[50 OPTION(*ALWAYS)]");
        case 19:
            return command("CALL PGM(PGCALL{I1-9})[75 PARMS({={a}|{N}}[50 {={a}|{N}}][50 {={a}|{N}}])]"
                           "[30 IF_ERROR({L*ABORT|*NEXT|*RETURN})]");
        case 20:
            return command(
                "{=EXEC_CPF COMMAND('DSPLIBL')|EXEC_OS400 CPFCMD('WRKACTJOB')}[40 IF_ERROR({L*ABORT|*NEXT})]");
        case 21:
            if (group_.size() && (subset_ || chance(50)))
                return command("CHANGE FIELD(" + group_ + ") TO({=*NULL|*DEFAULT|*BLANK})");
            return command("SUBMIT {=PGM(PGBATCH) PARMS({a})|PROCESS(DEMOPRC) FUNCTION(DEMOMIN)}");
        case 22:
            return command(std::string(on("urequest") ? "{=UDISPLAY|UREQUEST|UPRINT}" : "UPRINT") + " FIELDS({s3})");
        case 23: return command("USE BUILTIN(DEM_ADD_VAT) WITH_ARGS({n2}) TO_GET({n2})");
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
                const std::string change = "CHANGE FIELD(#" + array_ + "#" + index_ + ") TO(" + value + ")";
                if (subset_)  // the loops over the index run it past the array's three elements
                    return guarded("'(#" + index_ + " >= 1) AND (#" + index_ + " <= 3)'", change);
                return emit(change);
            }
            [[fallthrough]];
        case 28:
            if (report_ && fileLoops_ > 0)
                return command("KEEP_{=TOTAL|COUNT|AVG|MAX|MIN} OF_FIELD({n2}) IN_FIELD({n3})[50 BY_FIELD({a0})]");
            [[fallthrough]];
        case 27:
            if (nest)
                nested(expand("IF_STATUS IS({=*OKAY|*ERROR|*NORECORD|*ENDFILE|*EQUALKEY}) "
                              "IS_NOT({=*ERROR|*VALERROR|*NOTEQUALKEY})"),
                       depth, 2, "ENDIF");
            return;
        default: {
            const std::string f = pick(num_);
            emit("CHANGE FIELD(#" + f + ") TO(" + valueFor(field(f)) + ")");
        }
        }
    }

    static std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    std::vector<std::string> allFields() const { return joined(joined(alpha_, num_), ext_); }

    /* ---- files ---------------------------------------------------------- */
    void io(int depth)
    {
        const File& f = pick(p_.files);
        const bool view = !f.view.empty() && chance(40);
        const std::string key = hashed(view ? f.viewKeys : f.keys);
        const std::string file = (view ? f.view : f.name) + (chance(20) ? " DEMLIB" : "");
        // how the record is found: by key (with the number of keys), by a condition, by number
        const int how = rnd(0, 9);
        std::string by = " WITH_KEY(" + key + ")";
        by += chance(25) ? " NBR_KEYS(" + one({"*WITHKEY", "*COMPUTE", "1"}) + ")" : "";
        const std::string where = " WHERE(" + quote("#" + f.fields.back() + " <> #" + f.fields.back()) + ")";
        if (how == 8)
            by = where;
        if (how == 9 && !view)
            by = " WITH_RRN(#" + rrn_ + ")";
        std::vector<std::string> data(f.fields.begin(), f.fields.end());
        for (std::string& d : data)  // the file's fields under the names RENAME gave them
            if (renamed_.count(d) && !view)
                d = renamed_.at(d);
        switch (rnd(0, 11)) {
        case 0: return emit("FETCH FIELDS(" + fields(data, 4) + ") FROM_FILE(" + file + ")" + by);
        case 1:
        case 2: {
            std::string s = "SELECT FIELDS(" + fields(data, 4) + ") FROM_FILE(" + file + ")";
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
                return emit("INSERT FIELDS(" + fields(data, 6) + ") TO_FILE(" + file + ")");
            [[fallthrough]];
        case 4: return emit("UPDATE FIELDS(" + fields(data, 4) + ") IN_FILE(" + file + ")" + by);
        case 5: return emit("DELETE FROM_FILE(" + file + ")" + by);
        case 6: return emit("CHECK_FOR FOR_FILE(" + file + ") WITH_KEY(" + key + ")");
        case 7:  // a file opened is used before it is closed
            command("OPEN FILE(" + file + ") USE_OPTION({=*ONDEMAND|*IMMEDIATE|*KEEPOPEN})");
            emit("CHECK_FOR FOR_FILE(" + file + ") WITH_KEY(" + key + ")");
            return emit("CLOSE FILE(" + file + ")");
        case 8:
            if (!view) {
                command("OPEN FILE(" + file +
                        ") USE_OPTION(*OPNQRYF) QRYSLT({=*ALL|{a2}}) KEYFLD(*FILE) "
                        "ALWCPYDTA(*NO) OPTIMIZE(*FIRSTIO) SEQONLY(*YES 100)");
                emit("CHECK_FOR FOR_FILE(" + file + ") WITH_KEY(" + key + ")");
                return emit("CLOSE FILE(*ALL)");
            }
            [[fallthrough]];
        case 9:
            if (!view)
                return command("POINT FILE(" + file +
                               ") TO_FILE({=*SAME|{a0}}) TO_LIBRARY({=*LIBL|{a0}}) TO_MEMBER(*FIRST)");
            [[fallthrough]];
        case 10:
            if (depth < 6) {  // SQL names the file's fields as its columns
                const std::string first = f.fields[0], last = f.fields.back();
                const std::string s = chance(20)
                                          ? "SELECT_SQL FIELDS(#" + first + ") USING(" +
                                                quote("SELECT " + first + " FROM " + f.name) + ")"
                                          : "SELECT_SQL FIELDS(" + fields(f.fields, 3) + ") FROM_FILES((" + f.name +
                                                "[50 A]))[25 GROUP_BY('" + first + "') HAVING('COUNT(*) > 1')]";
                return nested(expand(s + "[20 CONNECT(*NO)][50 WHERE('" + last + " = :" + last + "')][40 ORDER_BY('" +
                                     first + "')][30 DISTINCT({=*YES|*NO})]"),
                              depth, 2, "ENDSELECT");
            }
            [[fallthrough]];
        default: emit("BROWSE FIELDS(" + fields(data, 3) + ") FROM_FILE(" + file + ")" + (how < 9 ? by : ""));
        }
    }

    /* ---- lists ---------------------------------------------------------- */
    void listOp(int depth)
    {
        const List& l = pick(lists_);
        const std::string n = "#" + l.name;
        switch (rnd(0, 8)) {
        case 0: {
            const bool after = !l.browse && chance(30);
            const std::string a = "#" + num_[1];
            const std::string add = "ADD_ENTRY TO_LIST(" + n + ")" + (after ? " AFTER(" + a + ")" : "");
            if (after && subset_)  // the subset: only after an entry the list has (0 the first), on its counter
                return guarded("'(" + a + " >= 0) AND (" + a + " <= #" + l.counter + ")'", add);
            return emit(add);
        }
        case 1: return emit("CLR_LIST NAMED(" + n + ")");
        case 2: return command("INZ_LIST NAMED(" + n + ") NUM_ENTRYS({I1-5})");
        case 3:
            if (depth < 6 && (!subset_ || level_ < kLevels)) {
                level_ += subset_;
                nested(expand("SELECTLIST NAMED(" + n + ")[30 WHERE({c})]" +
                              (l.browse ? "[40 GET_ENTRYS({=*SELECT|*ALTERED *NOTNULL|*CHANGE})]" : "")),
                       depth, 3);
                if (chance(30) && !l.browse)
                    command("DLT_ENTRY[30 NUMBER({n1})] FROM_LIST(" + n + ")");
                level_ -= subset_;
                emit("ENDSELECT");
            }
            return;
        case 4: return command("GET_ENTRY NUMBER({n1}) FROM_LIST(" + n + ")");
        case 5: return command("LOC_ENTRY IN_LIST(" + n + ") WHERE({c})[40 RET_NUMBER({n1})]");
        case 6:
            if (!l.browse)
                return command("SORT_LIST NAMED(" + n + ") BY_FIELDS((#" + l.fields[0] + " {=*ASCEND|*DESCEND}))");
            [[fallthrough]];
        case 7: return emit("UPD_ENTRY IN_LIST(" + n + ")");
        default:
            if (l.browse && depth < 6 && !(webEvent_ && inMain_))
                return command("{=DISPLAY|REQUEST} FIELDS({s3}) BROWSELIST(" + n + "[50 {I5-12}])");
            emit("DLT_LIST NAMED(" + n + ")");
        }
    }

    /* ---- screens and validation ----------------------------------------- */
    void screen(int depth)
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
        s += id.empty() ? "" : " IDENTIFY(" + id + ")";
        if (chance(20) && !pop)
            s += " TEXTS((" + phrase(20) + " " + number(18, 20) + " 2))";
        emit(pop ? window(enrich(s)) : s, !pop);
        if (chance(40))
            nested(expand("IF_KEY WAS({=*ENTER|*USERKEY1|*PROMPT|*CANCEL})"), depth, 2, "ENDIF");
    }

    /* A pop-up's window sized to what it shows, within a screen of 23 lines
    ** and 80 columns and a frame of a line above and two columns each side:
    ** each field as wide as value and identification, on lines of its own
    ** (headings above it, DOWN_SEP apart: the most either design takes), a
    ** text below the fields, a browse list below that (its headings and a
    ** row on the next page); its lines start below a title line. */
    std::string window(std::string s)
    {
        auto value = [&](const std::string& k) {
            const size_t at = s.find(" " + k + "("), from = at + k.size() + 2;
            return at == std::string::npos ? std::string() : s.substr(from, s.find(')', at) - from);
        };
        const int down = value("DOWN_SEP").empty() ? 1 : std::stoi(value("DOWN_SEP"));
        const int across = value("ACROSS_SEP").empty() ? 1 : std::stoi(value("ACROSS_SEP"));
        const char id = value("IDENTIFY").empty() ? 'C' : value("IDENTIFY")[1];
        int wide = 23, lines = 3;  // a text of 20 from column 2 two lines below the fields
        for (const std::string& f : split(value("FIELDS"), ' ')) {
            const int v = shown(field(f.substr(1)));
            wide = std::max(wide, 3 + (id == 'C' ? std::max(v, 20) : id == 'L' ? v + 16 : id == 'D' ? v + 48 : v));
            lines += (id == 'C' ? 3 : 1) + down - 1;
        }
        if (value("PANEL_ID") == "*AUTO")  // the identifier (at most 10) and the title share the top line
            wide = std::max(wide, 12 + (has(s, "PANEL_TITL") ? int(value("PANEL_TITL").size()) - 2 : 40));
        const int textLine = lines;
        if (!lists_.empty() && !has(s, "OPTIONS") && chance(40)) {
            const List l = pick(lists_);
            int row = 2;
            for (const std::string& f : l.fields)
                row += std::max(shown(field(f)), 20) + 1 + across;
            if (l.browse && row <= 73 && lines + 12 <= 21) {
                s += " BROWSELIST(#" + l.name + (chance(50) ? " " + number(1, 12) : "") + ")";
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
    std::string check()
    {
        static const std::vector<std::string> forms = {
            "RANGECHECK FIELD({N}) RANGE(({I0-4} {I5-9}))",
            "VALUECHECK FIELD({a}) WITH_LIST([30*BLANK ]{T1}[50 {T1}][50 {T1}][50 {T1}])",
            "CONDCHECK FIELD({N}) COND({c})", "DATECHECK FIELD({d})", "CALLCHECK FIELD({a}) BY_CALLING(PGCHK PGLIB)"};
        const size_t form = size_t(rnd(0, 4));
        if (form < 4 || p_.files.empty())
            return expand(forms[form]);
        const File& f = pick(p_.files);
        return expand("FILECHECK FIELD(#" + f.keys[0] + ") USING_FILE(" + f.name + "[30 DEMLIB]) WITH_KEY(" +
                      hashed(f.keys) + ")");
    }

    void validation(int depth)
    {
        if (chance(20))
            return emit(check());
        emit("BEGINCHECK");
        for (int i = 0, n = rnd(1, 4); i < n; ++i)
            emit(check());
        if (chance(30))
            emit("SET_ERROR FOR_FIELD(" + fields(alpha_, 2) + ")");
        if (chance(20))
            command("ON_ERROR IF_ERROR({=*NEXT|*LASTDIS}){m}");
        command("ENDCHECK[50 IF_ERROR({L*NEXT|*RETURN|*LASTDIS})]");
        if (chance(30) && depth < 6)
            nested("IF_ERROR", depth, 2, "ENDIF");
    }

    /* ---- subroutines ---------------------------------------------------- */
    void execute(int from)
    {
        // a routine calls only routines after it, so none is reached from itself
        std::vector<size_t> can;
        for (size_t i = 0; i < subs_.size(); ++i)
            if (int(i) > from || (on("self_execute") && int(i) == from))
                can.push_back(i);
        if (can.empty())
            return;
        Sub& s = subs_[pick(can)];
        s.level = std::max(s.level, level_);
        std::string parms;
        for (const auto& [f, how] : s.params) {
            const Field& fd = field(f);
            std::string v;
            if (how == "*RECEIVED" && chance(40))
                v = fd.type == 'A' ? quote(text(std::min(fd.length, 5))) : "1";
            else {
                std::vector<std::string> same;
                for (const Field& o : p_.fields)
                    if (o.type == fd.type && o.length == fd.length && o.decimals == fd.decimals && !o.nullable &&
                        !(subset_ && (o.name == index_ || own_.count(o.name))))
                        same.push_back(o.name);
                v = "#" + pick(same);
            }
            parms += (parms.empty() ? "" : " ") + v;
        }
        emit("EXECUTE SUBROUTINE(" + s.name + ")" + (parms.empty() ? "" : " WITH_PARMS(" + parms + ")"));
    }

    void subroutine(size_t i, size_t target)
    {
        const Sub& s = subs_[i];
        curSub_ = int(i);
        level_ = s.level;
        std::string parms;
        for (const auto& [f, how] : s.params)
            parms += (parms.empty() ? "(#" : " (#") + f + " " + how + ")";
        emit("SUBROUTINE NAME(" + s.name + ")" + (parms.empty() ? "" : " PARMS(" + parms + ")"));
        const size_t end =
            p_.lines.size() + std::max<size_t>(2, (target - std::min(target, p_.lines.size())) / (subs_.size() - i));
        execute(int(i));
        while (p_.lines.size() < end)
            statement(1);
        emit("ENDROUTINE");
    }

    const Tables& t_;
    std::mt19937_64 r_;
    std::set<std::string> allow_;
    bool subset_;  // the flow-and-data subset (kFlowAndData)
    Program p_;
    std::vector<std::string> used_, alpha_, num_, ext_, conds_, labels_, lines_;
    // the subset's functions run to their end: loops of a few rounds, at most kLevels deep across the
    // routines a loop executes, each level counting on a field of its own (loopFields_, then the GOTO counter)
    static constexpr int kLevels = 3;
    std::vector<std::string> loopFields_;
    std::set<std::string> own_;  // the subset: fields no command but their own changes (loops', lists' counters)
    int level_ = 0;
    std::map<std::string, std::string> renamed_;  // a file's field, the name RENAME gave it
    std::string array_, arrayOf_, date_, rrn_, status_, counter_, index_, group_;
    std::set<std::string> placed_;
    std::vector<Sub> subs_;
    std::vector<List> lists_;
    int curSub_ = -1, fileLoops_ = 0, fieldNo_ = 0, loops_ = 0, report_ = 0;
    bool inMain_ = true, body_ = false, included_ = false, bare_ = false, webEvent_ = false, receives_ = false;
};

}  // namespace

Program Generate(const Tables& tables, uint64_t seed, const std::set<std::string>& allowed)
{
    return Writer(tables, seed, allowed).run();
}

}  // namespace progen

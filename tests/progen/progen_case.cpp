// The keyword table the checker loads (rows of class 'M' of QV_F98, read
// from a repository file) with the command names of the parameter
// definitions; a program as case text and as SQL for a scratch repository;
// what its commands produce of the keyword table.
#include <sqlite3.h>

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "params/parsed_command.h"
#include "progen.h"

namespace progen {

namespace {

/* Commands that stand only in components, not in functions. */
const std::set<std::string> kComponentOnly = {"BEGIN_COM",  "END_COM",    "DEFINE_COM", "DEFINE_MAP", "SET",
                                              "DEFINE_PTY", "PTYROUTINE", "EVTROUTINE", "DEFINE_EVT", "SIGNAL",
                                              "MTHROUTINE", "INVOKE",     "SET_REF",    "IF_REF",     "FOR",
                                              "ENDFOR",     "ASSIGN",     "_ASSIGN",    "IMPORT",     "WEBROUTINE",
                                              "WEB_MAP",    "ATTRIBUTE",  "PERFORM",    "_PERFORM",   "_INVOKE"};

}  // namespace

std::vector<std::string> Tokens(const std::string& s)
{
    std::vector<std::string> out(1);
    int depth = 0;
    bool q = false;
    for (char c : s) {
        q ^= c == '\'';
        depth += q ? 0 : (c == '(') - (c == ')');
        if (q || depth || c != ' ')
            out.back() += c;
        else if (!out.back().empty())
            out.emplace_back();
    }
    if (out.back().empty())
        out.pop_back();
    return out;
}

size_t LabelEnd(const std::string& line)
{
    for (size_t n = 1; n <= 3 && n + 1 < line.size(); ++n) {
        if (!std::isalnum(static_cast<unsigned char>(line[n - 1])))
            return 0;
        if (line.compare(n, 2, ": ") == 0)
            return n + 2;
    }
    return 0;
}

std::pair<std::string, std::vector<std::pair<std::string, std::string>>> SplitLine(std::string line)
{
    line = line.substr(LabelEnd(line));
    const size_t blank = line.find(' ');
    std::pair<std::string, std::vector<std::pair<std::string, std::string>>> r;
    r.first = line.substr(0, blank);
    if (blank == std::string::npos)
        return r;
    for (const std::string& t : Tokens(line.substr(blank + 1))) {
        const size_t open = t.find('(');
        if (open == std::string::npos || t.back() != ')')
            continue;
        r.second.push_back({t.substr(0, open), t.substr(open + 1, t.size() - open - 2)});
    }
    return r;
}

const Param* Tables::param(const std::string& command, const std::string& keyword) const
{
    const auto c = params.find(command);
    if (c == params.end())
        return nullptr;
    for (const Param& p : c->second)
        if (p.keyword == keyword)
            return &p;
    return nullptr;
}

Tables LoadTables(const std::string& repository)
{
    Tables t;
    for (const auto& c : dqov::cmdparm::kCommands)
        t.commands.emplace_back(c.name);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(repository.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + repository);
    }
    sqlite3_stmt* st = nullptr;
    const char* sql = "SELECT rtrim(X98CMD), rtrim(X98PRM), X98TYP, X98LAY, X98KND, X98LEN, X98ENT, rtrim(X98KWD) "
                      "FROM QV_F98 WHERE X98ROC = 'M' AND X98PRM NOT LIKE '@%' ORDER BY X98CMD, X98SEQ, X98TYP, X98ELM";
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("no keyword table in " + repository);
    }
    auto text = [&](int i) {
        const unsigned char* s = sqlite3_column_text(st, i);
        return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<Param>& ps = t.params[text(0)];
        const std::string keyword = text(1);
        if (ps.empty() || ps.back().keyword != keyword) {
            ps.push_back({keyword, text(3)[0], sqlite3_column_int(st, 6), {}, {}});
        }
        if (text(2) == "V")
            ps.back().values.push_back(text(7));
        else
            ps.back().elements.push_back({text(4)[0], sqlite3_column_int(st, 5), text(7)});
    }
    sqlite3_finalize(st);
    // the names the repository gives its fields and files, which a generated one must not take
    const char* names = "SELECT rtrim(X03FLD) FROM QV_F03 UNION SELECT rtrim(X27PFL) FROM QV_F27 "
                        "UNION SELECT rtrim(X15LGL) FROM QV_F15";
    if (sqlite3_prepare_v2(db, names, -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            t.taken.insert(text(0));
    sqlite3_finalize(st);
    sqlite3_close(db);
    if (t.params.empty())
        throw std::runtime_error("the keyword table of " + repository + " is empty");
    return t;
}

std::vector<std::string> AllLines(const Program& p)
{
    std::vector<std::string> lines = p.lines;
    for (const Component& c : p.components)
        lines.insert(lines.end(), c.lines.begin(), c.lines.end());
    return lines;
}

bool HasLists(const Program& p)
{
    for (const std::string& l : p.lines)
        if (SplitLine(l).first == "DEF_LIST")
            return true;
    return false;
}

const std::vector<Builtin>& Builtins()
{
    // an alphanumeric and a numeric argument, then two that may be left out;
    // a run-time routine of three; a user's program of two
    static const std::vector<Builtin> b = {
        {"PG_BIF_A",
         920,
         "PGBIFA",
         {{'A', 10, 0, false}, {'N', 11, 2, false}, {'A', 20, 0, true}, {'N', 7, 0, true}},
         {{'N', 11, 2, false}, {'A', 20, 0, true}, {'N', 7, 0, true}}},
        {"PG_BIF_R",
         -9,
         "X009",
         {{'N', 15, 5, false}, {'A', 1, 0, true}, {'N', 3, 0, true}},
         {{'N', 15, 5, false}, {'A', 50, 0, true}}},
        {"PG_BIF_U", 921, "UD_PGBIF", {{'A', 30, 0, false}, {'N', 5, 0, true}}, {{'A', 30, 0, false}, {'N', 5, 0, true}}},
    };
    return b;
}

std::string CaseText(const Program& p)
{
    std::ostringstream o;
    if (!p.fault.empty())
        o << "# fault: " << p.fault << "\n";
    if (!p.step.empty())
        o << "# step: " << p.step << "\n";
    if (p.french)
        o << "LANGUAGE FRA\n";
    for (const Field& f : p.fields)
        o << "FIELD " << f.name << " " << f.type << " " << f.length << " " << f.decimals << " "
          << (f.nullable ? 'Y' : 'N') << (f.dflt.empty() ? "" : " " + f.dflt) << "\n";
    auto names = [&](const std::string& head, const std::vector<std::string>& v) {
        o << head;
        for (const std::string& k : v)
            o << " " << k;
    };
    for (const File& f : p.files) {
        o << "FILE " << f.name;
        names(" KEYS", f.keys);
        names(" FIELDS", f.fields);
        for (const View& v : f.views)
            names(" VIEW " + v.name, v.keys);
        if (f.libraries != std::vector<std::string>{"DEMLIB"})
            names(" LIBRARIES", f.libraries);
        o << "\n";
    }
    for (const Text& t : p.texts)
        o << "TEXT " << t.name << " " << t.english << "|" << t.french << "\n";
    for (const std::string& l : p.lines)
        o << "CMD " << l << "\n";
    for (const Component& c : p.components) {
        o << "COMPONENT " << c.name << " " << c.kind << "\n";
        for (const std::string& l : c.lines)
            o << "CMD " << l << "\n";
    }
    if (!p.compound.empty())
        o << "COMPOUND " << p.compound << "\n";
    return o.str();
}

namespace {

File parseFile(const std::string& text)
{
    std::istringstream l(text);
    File f;
    l >> f.name;
    std::vector<std::string>* into = nullptr;
    for (std::string w; l >> w;) {
        if (w == "KEYS")
            into = &f.keys;
        else if (w == "FIELDS")
            into = &f.fields;
        else if (w == "LIBRARIES")
            (into = &f.libraries)->clear();
        else if (w == "VIEW") {
            f.views.emplace_back();
            l >> f.views.back().name;
            into = &f.views.back().keys;
        } else if (into)
            into->push_back(w);
    }
    return f;
}

}  // namespace

Program ParseCase(const std::string& text)
{
    Program p;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# fault: ", 0) == 0)
            p.fault = line.substr(9);
        else if (line.rfind("# step: ", 0) == 0)
            p.step = line.substr(8);
        else if (line.rfind("CMD ", 0) == 0)
            (p.components.empty() ? p.lines : p.components.back().lines).push_back(line.substr(4));
        else if (line == "LANGUAGE FRA")
            p.french = true;
        else if (line.rfind("FIELD ", 0) == 0) {
            std::istringstream l(line.substr(6));
            Field f;
            char nul = 'N';
            l >> f.name >> f.type >> f.length >> f.decimals >> nul >> std::ws;
            f.nullable = nul == 'Y';
            std::getline(l, f.dflt);
            p.fields.push_back(f);
        } else if (line.rfind("FILE ", 0) == 0) {
            p.files.push_back(parseFile(line.substr(5)));
        } else if (line.rfind("TEXT ", 0) == 0) {
            const size_t blank = line.find(' ', 5), bar = line.find('|');
            p.texts.push_back({line.substr(5, blank - 5), line.substr(blank + 1, bar - blank - 1), line.substr(bar + 1)});
        } else if (line.rfind("COMPONENT ", 0) == 0) {
            std::istringstream l(line.substr(10));
            Component c;
            l >> c.name >> c.kind;
            p.components.push_back(c);
        } else if (line.rfind("COMPOUND ", 0) == 0) {
            p.compound = line.substr(9);
        }
    }
    return p;
}

std::string StoreSql(const Program& p, const std::string& function)
{
    std::string s = "BEGIN;\n";
    // a row of a table of the repository: its columns and the values in them
    auto row = [&](const char* table, const char* columns, const std::string& values) {
        s += std::string("INSERT INTO ") + table + " (" + columns + ") VALUES (" + values + ");\n";
    };
    std::set<std::string> defined;  // fields the function defines itself, or names a file's field with
    for (const std::string& l : p.lines) {
        auto [cmd, kws] = SplitLine(l);
        for (const auto& [k, v] : kws)
            if (cmd == "DEFINE" && k == "FIELD")
                defined.insert(NamesIn(v).front());
            else if (cmd == "RENAME" && k == "FIELDS")
                for (const std::string& pair : Tokens(v))
                    defined.insert(NamesIn(pair).back());
    }
    if (p.french)
        row("QV_F60", "X60P_I, X60PLN, X60DBC, X60RLT, X60KDS, X60KLG, X60PHM, X60PRM, X60PEM, X60CHR, X60DLN",
            "'DEM', 'FRA', 'N', 'N', '', 'Francais', 'Aide', 'Invite', 'Erreur', '1147 1252 ', 'N'");
    for (const Field& f : p.fields) {
        if (defined.count(f.name))
            continue;
        row("QV_F03", "X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT, X03DFT",
            "'DEM', " + quote(f.name) + ", " + quote(std::string(1, f.type)) + ", " + std::to_string(f.length) + ", " +
                std::to_string(f.decimals) + ", '', " + (f.nullable ? "'ASQN'" : "''") + ", '', " + quote(f.dflt));
        const auto texts = [&](const char* language, const std::string& label, const std::string& field) {
            row("QV_FTX", "FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES",
                "'DEM', " + quote(f.name) + ", '" + language + "', " + quote(label + " " + f.name) + ", " +
                    quote(f.name) + ", '', '', " + quote(field + " " + f.name));
        };
        texts("ENG", "Label", "Field");
        if (p.french)
            texts("FRA", "Nom", "Champ");
    }
    for (const Text& t : p.texts) {
        const auto text = [&](const char* language, const std::string& value) {
            row("QV_F61", "X61P_I, X61PLN, X61MTX, X61VAL, X61LEN",
                "'DEM', '" + std::string(language) + "', " + quote(t.name) + ", " + quote(value) + ", " +
                    std::to_string(value.size()));
        };
        text("ENG", t.english);
        if (p.french)
            text("FRA", t.french);
    }
    for (const Builtin& b : Builtins()) {
        row("QV_F47", "X47BIF, X47IDN, X47ARG, X47RET, X47SLR, X47DES, X47PGM",
            quote(b.name) + ", " + std::to_string(b.identifier) + ", " + std::to_string(b.arguments.size()) + ", " +
                std::to_string(b.returns.size()) + ", 'N', " + quote(std::string("Built-in ") + b.name) + ", " +
                quote(b.program));
        const auto values = [&](const char* kind, const std::vector<BuiltinValue>& v) {
            for (size_t i = 0; i < v.size(); ++i)
                row("QV_F48", "X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP, X48PLN, X48PDP, X48DFT, X48FLD",
                    quote(b.name) + ", '" + kind + "', " + std::to_string(i + 1) + ", '" + (v[i].optional ? 'O' : 'R') +
                        "', '" + v[i].type + "', " + std::to_string(v[i].length) + ", " + std::to_string(v[i].decimals) +
                        ", '" + (v[i].type == 'A' ? "*BLANKS" : "*ZERO") + "', ''");
        };
        values("A", b.arguments);
        values("R", b.returns);
    }
    for (const File& f : p.files)
        for (const std::string& library : f.libraries) {
            const std::string id = "'DEM', " + quote(f.name) + ", " + quote(library);
            row("QV_F27", "X27P_I, X27PFL, X27PLB, X27EXF, X27SP1", id + ", 'N', ''");
            for (size_t i = 0; i < f.fields.size(); ++i)
                row("QV_F14", "X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1",
                    id + ", 'FFD', " + quote(f.fields[i]) + ", " + std::to_string(i + 1) + ", " + quote(f.fields[i]));
            for (size_t i = 0; i < f.keys.size(); ++i)
                row("QV_F24", "X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ",
                    id + ", " + quote(f.keys[i]) + ", " + std::to_string(i + 1));
            // a view stands over the file of its own library
            for (const View& v : library == f.libraries.front() ? f.views : std::vector<View>{}) {
                row("QV_F15", "X15P_I, X15LGL, X15PFL, X15PLB",
                    "'DEM', " + quote(v.name) + ", " + quote(f.name) + ", " + quote(library));
                for (size_t i = 0; i < v.keys.size(); ++i)
                    row("QV_F43", "X43P_I, X43PFL, X43PLB, X43LGL, X43LVK, X43SEQ",
                        id + ", " + quote(v.name) + ", " + quote(v.keys[i]) + ", " + std::to_string(i + 1));
            }
        }
    if (!p.lines.empty()) {
        row("QV_F23", "X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM",
            "'DEM', 'DEMOPRC', " + quote(function) + ", '', 'N', 'Y'");
        for (size_t i = 0; i < p.lines.size(); ++i) {
            const size_t at = LabelEnd(p.lines[i]);
            const std::string label = at ? p.lines[i].substr(0, at - 2) : "", l = p.lines[i].substr(at);
            const size_t blank = l.find(' ');
            row("QV_SRC", "SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM",
                "'DEM', 'DEMOPRC', " + quote(function) + ", " + std::to_string(i + 1) + ", " + quote(label) + ", " +
                    quote(l.substr(0, blank)) + ", " + quote(blank == std::string::npos ? "" : l.substr(blank + 1)));
        }
    }
    for (const Component& c : p.components) {
        row("QV_OCD", "XCDP_I, XCDCMP, XCDKND, XCDMOD", "'DEM', " + quote(c.name) + ", " + std::to_string(c.kind) + ", ''");
        for (size_t i = 0; i < c.lines.size(); ++i)
            row("QV_OCS", "XCSP_I, XCSCMP, XCSSEQ, XCSTXT",
                "'DEM', " + quote(c.name) + ", " + std::to_string(i + 1) + ", " + quote(c.lines[i]));
    }
    if (!p.compound.empty()) {
        row("QV_OCD", "XCDP_I, XCDCMP, XCDKND, XCDMOD", "'DEM', " + quote(p.compound) + ", 256, ''");
        for (size_t i = 0; i < p.components.size(); ++i)
            row("QV_OCM", "XCMP_I, XCMCMP, XCMSEQ, XCMMEM",
                "'DEM', " + quote(p.compound) + ", " + std::to_string(i + 1) + ", " + quote(p.components[i].name));
    }
    return s + "COMMIT;\n";
}

std::set<std::string> Produced(const Tables& tables, const Program& p)
{
    std::set<std::string> out;
    for (const std::string& line : AllLines(p)) {
        const auto [cmd, kws] = SplitLine(line);
        out.insert(cmd);
        for (const auto& [kw, value] : kws) {
            const Param* param = tables.param(cmd, kw);
            if (!param)
                continue;
            const std::vector<std::string> ts = Tokens(value);
            size_t most = 0;
            auto value_of = [&](const std::string& v) {
                for (const std::string& a : param->values)
                    if (a == v)
                        out.insert(cmd + " " + kw + "=" + a);
            };
            if (param->layout == 'S') {
                most = ts.size();
                for (const std::string& t : ts)
                    value_of(t);
            } else {
                for (const std::string& t : ts) {
                    if (t.size() > 1 && t.front() == '(' && t.back() == ')') {
                        const std::vector<std::string> inner = Tokens(t.substr(1, t.size() - 2));
                        most = std::max(most, inner.size());
                        for (const std::string& i : inner)
                            value_of(i);
                    } else {
                        most = std::max<size_t>(most, 1);
                        value_of(t);
                    }
                }
            }
            for (size_t e = 1; e <= std::min(most, param->elements.size()); ++e)
                out.insert(cmd + " " + kw + " " + std::to_string(e));
        }
    }
    return out;
}

std::set<std::string> Producible(const Tables& tables, bool components)
{
    std::set<std::string> out;
    if (components)
        return kComponentOnly;
    for (const auto& c : dqov::cmdparm::kCommands)
        if (c.count == 0 && !kComponentOnly.count(c.name))
            out.insert(c.name);
    for (const auto& [cmd, params] : tables.params) {
        if (kComponentOnly.count(cmd))
            continue;
        out.insert(cmd);
        for (const Param& p : params) {
            for (size_t e = 1; e <= p.elements.size(); ++e)
                out.insert(cmd + " " + p.keyword + " " + std::to_string(e));
            for (const std::string& v : p.values)
                out.insert(cmd + " " + p.keyword + "=" + v);
        }
    }
    return out;
}

}  // namespace progen

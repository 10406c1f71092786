// The keyword table the checker loads (rows of class 'M' of QV_F98, read
// from a repository file) with the command names of the parameter
// definitions; a program as case text and as SQL for a scratch repository;
// what its commands produce of the keyword table.
#include <sqlite3.h>

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

/* The top-level tokens of a value: blanks separate, quotes and
** parentheses hold together. */
std::vector<std::string> tokens(const std::string& s)
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

/* The command name and its keywords with their values as written. */
std::pair<std::string, std::vector<std::pair<std::string, std::string>>> split(std::string line)
{
    if (line.size() > 5 && line.compare(3, 2, ": ") == 0)
        line = line.substr(5);
    const size_t blank = line.find(' ');
    std::pair<std::string, std::vector<std::pair<std::string, std::string>>> r;
    r.first = line.substr(0, blank);
    if (blank == std::string::npos)
        return r;
    for (const std::string& t : tokens(line.substr(blank + 1))) {
        const size_t open = t.find('(');
        if (open == std::string::npos || t.back() != ')')
            continue;
        r.second.push_back({t.substr(0, open), t.substr(open + 1, t.size() - open - 2)});
    }
    return r;
}

}  // namespace

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
    sqlite3_close(db);
    if (t.params.empty())
        throw std::runtime_error("the keyword table of " + repository + " is empty");
    return t;
}

bool HasLists(const Program& p)
{
    for (const std::string& l : p.lines)
        if (split(l).first == "DEF_LIST")
            return true;
    return false;
}

std::string CaseText(const Program& p)
{
    std::ostringstream o;
    if (!p.fault.empty())
        o << "# fault: " << p.fault << "\n";
    if (!p.step.empty())
        o << "# step: " << p.step << "\n";
    for (const Field& f : p.fields)
        o << "FIELD " << f.name << " " << f.type << " " << f.length << " " << f.decimals << " "
          << (f.nullable ? 'Y' : 'N') << (f.dflt.empty() ? "" : " " + f.dflt) << "\n";
    auto names = [&](const char* head, const std::vector<std::string>& v) {
        o << head;
        for (const std::string& k : v)
            o << " " << k;
    };
    for (const File& f : p.files) {
        o << "FILE " << f.name;
        names(" KEYS", f.keys);
        names(" FIELDS", f.fields);
        if (!f.view.empty())
            names((" VIEW " + f.view).c_str(), f.viewKeys);
        o << "\n";
    }
    for (const std::string& l : p.lines)
        o << "CMD " << l << "\n";
    return o.str();
}

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
            p.lines.push_back(line.substr(4));
        else if (line.rfind("FIELD ", 0) == 0) {
            std::istringstream l(line.substr(6));
            Field f;
            char nul = 'N';
            l >> f.name >> f.type >> f.length >> f.decimals >> nul >> std::ws;
            f.nullable = nul == 'Y';
            std::getline(l, f.dflt);
            p.fields.push_back(f);
        } else if (line.rfind("FILE ", 0) == 0) {
            std::istringstream l(line.substr(5));
            File f;
            l >> f.name;
            std::vector<std::string>* into = nullptr;
            for (std::string w; l >> w;) {
                if (w == "KEYS")
                    into = &f.keys;
                else if (w == "FIELDS")
                    into = &f.fields;
                else if (w == "VIEW") {
                    l >> f.view;
                    into = &f.viewKeys;
                } else if (into)
                    into->push_back(w);
            }
            p.files.push_back(f);
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
        auto [cmd, kws] = split(l);
        for (const auto& [k, v] : kws)
            if (cmd == "DEFINE" && k == "FIELD")
                defined.insert(v.substr(1));
            else if (cmd == "RENAME" && k == "FIELDS")
                for (const std::string& pair : tokens(v))
                    defined.insert(tokens(pair.substr(1, pair.size() - 2)).back().substr(1));
    }
    for (const Field& f : p.fields) {
        if (defined.count(f.name))
            continue;
        row("QV_F03", "X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT, X03DFT",
            "'DEM', " + quote(f.name) + ", " + quote(std::string(1, f.type)) + ", " + std::to_string(f.length) + ", " +
                std::to_string(f.decimals) + ", '', " + (f.nullable ? "'ASQN'" : "''") + ", '', " + quote(f.dflt));
        row("QV_FTX", "FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES",
            "'DEM', " + quote(f.name) + ", 'ENG', " + quote("Label " + f.name) + ", " + quote(f.name) + ", '', '', " +
                quote("Field " + f.name + " of the generated function"));
    }
    for (const File& f : p.files) {
        const std::string id = "'DEM', " + quote(f.name) + ", 'DEMLIB'";
        row("QV_F27", "X27P_I, X27PFL, X27PLB, X27EXF, X27SP1", id + ", 'N', ''");
        for (size_t i = 0; i < f.fields.size(); ++i)
            row("QV_F14", "X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1",
                id + ", 'FFD', " + quote(f.fields[i]) + ", " + std::to_string(i + 1) + ", " + quote(f.fields[i]));
        for (size_t i = 0; i < f.keys.size(); ++i)
            row("QV_F24", "X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ",
                id + ", " + quote(f.keys[i]) + ", " + std::to_string(i + 1));
        if (!f.view.empty())
            row("QV_F15", "X15P_I, X15LGL, X15PFL, X15PLB",
                "'DEM', " + quote(f.view) + ", " + quote(f.name) + ", 'DEMLIB'");
        for (size_t i = 0; i < f.viewKeys.size(); ++i)
            row("QV_F43", "X43P_I, X43PFL, X43PLB, X43LGL, X43LVK, X43SEQ",
                id + ", " + quote(f.view) + ", " + quote(f.viewKeys[i]) + ", " + std::to_string(i + 1));
    }
    row("QV_F23", "X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM",
        "'DEM', 'DEMOPRC', " + quote(function) + ", '', 'N', 'Y'");
    for (size_t i = 0; i < p.lines.size(); ++i) {
        std::string l = p.lines[i], label;
        if (l.size() > 5 && l.compare(3, 2, ": ") == 0) {
            label = l.substr(0, 3);
            l = l.substr(5);
        }
        const size_t blank = l.find(' ');
        row("QV_SRC", "SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM",
            "'DEM', 'DEMOPRC', " + quote(function) + ", " + std::to_string(i + 1) + ", " + quote(label) + ", " +
                quote(l.substr(0, blank)) + ", " + quote(blank == std::string::npos ? "" : l.substr(blank + 1)));
    }
    return s + "COMMIT;\n";
}

std::set<std::string> Produced(const Tables& tables, const Program& p)
{
    std::set<std::string> out;
    for (const std::string& line : p.lines) {
        const auto [cmd, kws] = split(line);
        out.insert(cmd);
        for (const auto& [kw, value] : kws) {
            const Param* param = tables.param(cmd, kw);
            if (!param)
                continue;
            const std::vector<std::string> ts = tokens(value);
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
                        const std::vector<std::string> inner = tokens(t.substr(1, t.size() - 2));
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

std::set<std::string> Producible(const Tables& tables)
{
    std::set<std::string> out;
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

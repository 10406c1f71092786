// The keyword table the checker loads (rows of class 'M' of QV_F98), read
// from a repository file, and the command names of the parameter
// definitions.
#include <sqlite3.h>

#include <stdexcept>

#include "params/parsed_command.h"
#include "progen.h"

namespace progen {

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

}  // namespace progen

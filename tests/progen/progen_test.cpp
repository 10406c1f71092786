// The generator of valid functions: what it writes, what it produces of the
// keyword table over a batch, and the kept regression cases replayed by the
// driver (tests/progen/cases; a case marked with a fault must still fail at
// its step, any other must pass every step).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "params/parsed_command.h"
#include "progen/progen.h"
#include "support/commands.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

const progen::Tables& tables()
{
    static const progen::Tables t = progen::LoadTables(testsupport::sampleRepository().string());
    return t;
}

TEST(Progen, TablesAreTheOnesTheCheckerLoads)
{
    // every command with parameters in the keyword table, with the widths of
    // the parameter definitions
    const progen::Param* to = tables().param("CHANGE", "TO");
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(to->elements.at(0).kind, 'X');
    EXPECT_EQ(to->elements.at(0).dflt, "*NULL");
    const progen::Param* design = tables().param("DISPLAY", "DESIGN");
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(design->values, (std::vector<std::string>{"*ACROSS", "*DOWN"}));
    EXPECT_EQ(tables().commands.size(), dqov::cmdparm::kCommands.size());
}

TEST(Progen, ASeedWritesTheSameFunctionOfTwentyToTwoHundredCommands)
{
    for (uint64_t seed = 1; seed <= 50; ++seed) {
        const progen::Program p = progen::Generate(tables(), seed);
        EXPECT_EQ(progen::CaseText(p), progen::CaseText(progen::Generate(tables(), seed))) << seed;
        EXPECT_GE(p.lines.size(), 20u) << seed;
        EXPECT_LE(p.lines.size(), 260u) << seed;
        EXPECT_EQ(p.lines.front().rfind("FUNCTION OPTIONS(", 0), 0u) << seed;
        // the case text reads back as the same program
        EXPECT_EQ(progen::CaseText(progen::ParseCase(progen::CaseText(p))), progen::CaseText(p)) << seed;
    }
}

TEST(Progen, DictionaryHoldsEveryKindOfField)
{
    std::set<std::string> kinds;
    int files = 0, views = 0;
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        const progen::Program p = progen::Generate(tables(), seed);
        for (const progen::Field& f : p.fields) {
            kinds.insert(std::string(1, f.type) + (f.type == 'I' || f.type == 'F' ? std::to_string(f.length) : ""));
            if (f.nullable)
                kinds.insert("nullable");
            if (f.type == 'A' && f.length == 256)
                kinds.insert("A256");
            if (f.type == 'P' && f.length == 31)
                kinds.insert("P31");
        }
        for (const progen::File& f : p.files) {
            ++files;
            views += !f.views.empty();
        }
    }
    for (const char* k :
         {"A", "P", "S", "H", "E", "M", "Z", "I1", "I2", "I4", "I8", "F4", "F8", "Y", "nullable", "A256", "P31"})
        EXPECT_TRUE(kinds.count(k)) << k;
    EXPECT_GT(files, 0);
    EXPECT_GT(views, 0);
}

TEST(Progen, StoredFunctionNamesItsCommandsAndFields)
{
    progen::Program p =
        progen::ParseCase("FIELD PGA1 A 5 0 Y 'AB'\nFILE PGFILE1 KEYS PGA1 FIELDS PGA1 VIEW PGFILE1V PGA1\n"
                          "CMD FUNCTION OPTIONS(*DIRECT)\nCMD L10: CHANGE FIELD(#PGA1) TO('It''s')\n");
    const std::string sql = progen::StoreSql(p, "PROGEN");
    EXPECT_NE(sql.find("'PGA1', 'A', 5, 0, '', 'ASQN', '', '''AB''')"), std::string::npos) << sql;
    EXPECT_NE(sql.find("2, 'L10', 'CHANGE', 'FIELD(#PGA1) TO(''It''''s'')')"), std::string::npos) << sql;
    EXPECT_NE(sql.find("INSERT INTO QV_F15 (X15P_I, X15LGL, X15PFL, X15PLB) VALUES ('DEM', 'PGFILE1V', 'PGFILE1'"),
              std::string::npos);
    const std::set<std::string> produced = progen::Produced(tables(), p);
    EXPECT_TRUE(produced.count("CHANGE FIELD 1"));
    EXPECT_TRUE(produced.count("CHANGE TO 1"));
    EXPECT_TRUE(produced.count("FUNCTION OPTIONS=*DIRECT"));
    EXPECT_FALSE(produced.count("CHANGE ROUND_UP 1"));
    // a field a RENAME names a file's field with is the function's own, not the dictionary's
    p = progen::ParseCase(
        "FIELD PGA1 A 5 0 N\nFIELD PGP2 P 7 2 N\nFIELD PGR3 P 7 2 N\nFILE PGFILE1 KEYS PGA1 FIELDS PGA1 PGP2\n"
        "CMD FUNCTION OPTIONS(*DIRECT)\nCMD RENAME FILE(PGFILE1 *FIRST) FIELDS((#PGP2 #PGR3))\n");
    const std::string renamed = progen::StoreSql(p, "PROGEN");
    EXPECT_NE(renamed.find("VALUES ('DEM', 'PGP2', 'P', 7, 2"), std::string::npos) << renamed;
    EXPECT_EQ(renamed.find("'PGR3', 'P'"), std::string::npos) << renamed;
    EXPECT_TRUE(progen::Produced(tables(), p).count("RENAME FIELDS 2"));
}

/* A framed pop-up stands within a screen of 23 lines and 80 columns with a
** line above it and two columns each side, at least 3 wide and 5 high. */
TEST(Progen, PopUpWindowsLieWithinTheScreen)
{
    int windows = 0;
    for (uint64_t seed = 1; seed <= 150; ++seed)
        for (const std::string& l : progen::Generate(tables(), seed).lines) {
            if (l.rfind("POP_UP ", 0) != 0)
                continue;
            int line = 0, column = 0, width = 0, height = 0;
            const size_t at = l.find(" AT_LOC("), size = l.find(" DIMENSIONS(");
            ASSERT_TRUE(at != std::string::npos && size != std::string::npos) << l;
            ASSERT_EQ(std::sscanf(l.c_str() + at, " AT_LOC(%d %d)", &line, &column), 2) << l;
            ASSERT_EQ(std::sscanf(l.c_str() + size, " DIMENSIONS(%d %d)", &width, &height), 2) << l;
            EXPECT_GE(line, 2) << l;
            EXPECT_GE(column, 3) << l;
            EXPECT_LE(line + height, 23) << l;
            EXPECT_LE(width + column + 2, 80) << l;
            EXPECT_GE(width, 3) << l;
            EXPECT_GE(height, 5) << l;
            ++windows;
        }
    EXPECT_GT(windows, 25);
}

/* What the generator does not write yet, each with the reason: a form a
** switch holds back (a known fault, tests/progen/FAULTS.md) or a form not
** built yet. Anything else of the keyword table not produced over 1,000
** seeds fails the test; so does an entry of this list once it is produced. */
const std::map<std::string, const char*> kNotProduced = {
    {"UDISPLAY", "switch urequest: a check that generation follows refuses it (PRC1193)"},
    {"UREQUEST", "switch urequest: a check that generation follows refuses it (PRC1193)"},
};

/* The reason an item is not produced, nullptr when it must be. */
const char* notProduced(const std::string& item)
{
    for (const auto& [k, why] : kNotProduced) {
        const bool whole = k.find(' ') == std::string::npos && k == item.substr(0, item.find(' '));
        const bool keyword = item.rfind(k + " ", 0) == 0 || item == k;
        if (whole || keyword)
            return why;
    }
    return nullptr;
}

/* Every command of functions and every keyword element of the keyword
** table is produced in a batch of 1,000 seeds (generation only). */
TEST(Progen, ThousandSeedsProduceEveryCommandAndKeywordElement)
{
    std::set<std::string> got;
    for (uint64_t seed = 1; seed <= 1000; ++seed) {
        const std::set<std::string> p = progen::Produced(tables(), progen::Generate(tables(), seed));
        got.insert(p.begin(), p.end());
    }
    std::string missing, listed;
    for (const std::string& k : progen::Producible(tables())) {
        if (k.find('=') != std::string::npos)
            continue;  // allowed values: reported by scripts/progen --coverage
        const char* why = notProduced(k);
        if (!got.count(k) && !why)
            missing += k + "\n";
        if (got.count(k) && why)
            listed += k + " (" + why + ")\n";
    }
    EXPECT_EQ(missing, "") << "never produced over 1,000 seeds";
    EXPECT_EQ(listed, "") << "produced now: take them off the list of what is not produced";
}

/* A function of the flow-and-data subset runs to its end: its loops count
** a few rounds on fields no other command changes, at most three deep in
** a routine; its GOTOs go to a label further on, or back under a counter
** of at most two jumps; an entry is added only after an entry its list has. */
TEST(Progen, FlowAndDataFunctionsEnd)
{
    auto starts = [](const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; };
    auto holds = [](const std::string& s, const std::string& p) { return s.find(p) != std::string::npos; };
    auto field = [](const std::string& l, const std::string& kw) {  // "#NAME" of KW(#NAME ...)
        const size_t at = l.find(" " + kw + "(#");
        return at == std::string::npos
                   ? std::string()
                   : l.substr(at + kw.size() + 2, l.find_first_of(" )'", at + kw.size() + 3) - at - kw.size() - 2);
    };
    const std::set<std::string> opens = {"DOWHILE", "DOUNTIL", "BEGIN_LOOP", "SELECTLIST"};
    const std::set<std::string> closes = {"ENDWHILE", "ENDUNTIL", "END_LOOP", "ENDSELECT"};
    int loops = 0, gotos = 0, afters = 0;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        std::vector<std::string> l = progen::Generate(tables(), seed, {progen::kFlowAndData}).lines;
        std::map<std::string, size_t> labels;
        for (size_t i = 0; i < l.size(); ++i) {
            if (const size_t at = progen::LabelEnd(l[i]))
                labels[l[i].substr(0, at - 2)] = i, l[i] = l[i].substr(at);
        }
        std::set<std::string> counters;
        int depth = 0;
        for (size_t i = 0; i < l.size(); ++i) {
            const std::string& c = l[i];
            const std::string cmd = c.substr(0, c.find(' ')), at = std::to_string(seed) + ": " + c;
            if (cmd == "DOWHILE" || cmd == "DOUNTIL") {
                const size_t cond = c.find("COND('") + 6;
                const std::string f = c.substr(cond, c.find(' ', cond) - cond);
                ASSERT_TRUE(i > 0 && i + 1 < l.size()) << seed;
                EXPECT_TRUE(starts(l[i - 1], "CHANGE FIELD(" + f + ") TO(0)")) << at;
                EXPECT_TRUE(starts(l[i + 1], "CHANGE FIELD(" + f + ") TO('" + f + " + 1')")) << at;
                EXPECT_TRUE(c.back() == ')' && c[c.size() - 3] >= '1' && c[c.size() - 3] <= '3') << at;
                counters.insert(f);
            }
            if (cmd == "BEGIN_LOOP") {
                EXPECT_NE(std::string("234").find(c.at(c.find(" TO(") + 4)), std::string::npos) << at;
                counters.insert(field(c, "USING"));
            }
            depth += int(opens.count(cmd)) - int(closes.count(cmd));
            EXPECT_LE(depth, 3) << at;
            loops += opens.count(cmd) && cmd != "SELECTLIST";
            if (cmd == "GOTO") {
                const size_t at = c.find("LABEL(") + 6;
                const bool back = labels.at(c.substr(at, c.find(')', at) - at)) < i;
                EXPECT_TRUE(!back ||
                            (holds(l[i - 2], "COND('#") && holds(l[i - 2], " < 2')") && holds(l[i - 1], " + 1')")))
                    << at;
                gotos += back;
            }
            if (cmd == "ADD_ENTRY" && holds(c, " AFTER(")) {
                const std::string a = field(c, "AFTER");
                EXPECT_TRUE(starts(l[i - 1], "IF COND('(" + a + " >= 0) AND (" + a + " <= #")) << at;
                ++afters;
            }
        }
        // the loop fields change only where their loops count them
        for (const std::string& c : l)
            for (const std::string& f : counters) {
                const bool named = holds(c, f + " ") || holds(c, f + ")");
                const bool counts = starts(c, "CHANGE FIELD(" + f + ") TO(0)") ||
                                    starts(c, "CHANGE FIELD(" + f + ") TO('") ||
                                    starts(c, "CHANGE FIELD(" + f + ") TO(1)");  // an array's index, at the start
                const bool reads = starts(c, "DO") || starts(c, "BEGIN_LOOP") || starts(c, "IF COND('") ||
                                   holds(c, "FIELD(#PGY" + f + ")") || starts(c, "DEF_ARRAY");
                EXPECT_TRUE(!named || counts || reads) << seed << ": " << c;
            }
    }
    EXPECT_GT(loops, 100);
    EXPECT_GT(gotos, 0);
    EXPECT_GT(afters, 0);
}

TEST(Progen, KeptCasesReplay)
{
    const std::filesystem::path build = std::filesystem::path(testsupport::toolPath()).parent_path();
    const std::string command = std::string(DQOV_SOURCE_DIR) + "/scripts/progen --build '" + build.string() +
                                "' --cases '" + DQOV_SOURCE_DIR + "/tests/progen/cases' > '" +
                                (build / "progen-cases.log").string() + "' 2>&1";
    const int rc = std::system(command.c_str());
    EXPECT_EQ(rc, 0) << testsupport::readFile(build / "progen-cases.log");
}

}  // namespace

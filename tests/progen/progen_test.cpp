// The generator of valid functions: what it writes, what it produces of the
// keyword table over a batch, and the kept regression cases replayed by the
// driver (tests/progen/cases; a case marked with a fault must still fail at
// its step, any other must pass every step).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

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
        // the routines aim at two hundred; the declarations, the reports' ends,
        // up to twelve routines' frames and the last statement of each routine
        // (a nested CASE of many WHENs may run past its aim) come on top
        EXPECT_LE(p.lines.size(), 400u) << seed;
        EXPECT_EQ(p.lines.front().rfind("FUNCTION OPTIONS(", 0), 0u) << seed;
        // the case text reads back as the same program
        EXPECT_EQ(progen::CaseText(progen::ParseCase(progen::CaseText(p))), progen::CaseText(p)) << seed;
    }
}

/* A seed's function of a given size (the bench's progen mix): about that
   many commands, from the dictionary and files of the seed's own function,
   and the seed's own function is the same as asked without a size. */
TEST(Progen, ASeedWritesAFunctionOfTheSizeAskedWithItsOwnDictionary)
{
    for (uint64_t seed = 1; seed <= 5; ++seed) {
        const progen::Program own = progen::Generate(tables(), seed);
        EXPECT_EQ(progen::CaseText(progen::Generate(tables(), seed, {}, 0)), progen::CaseText(own)) << seed;
        for (const int size : {500, 2000}) {
            const progen::Program sized = progen::Generate(tables(), seed, {}, size);
            EXPECT_GE(sized.lines.size(), static_cast<size_t>(size)) << seed;
            EXPECT_LE(sized.lines.size(), static_cast<size_t>(size) * 11 / 10) << seed;
            EXPECT_EQ(sized.lines.front().rfind("FUNCTION OPTIONS(", 0), 0u) << seed;
            ASSERT_EQ(sized.fields.size(), own.fields.size()) << seed;
            for (size_t i = 0; i < own.fields.size(); ++i)
                EXPECT_EQ(sized.fields[i].name, own.fields[i].name) << seed;
            ASSERT_EQ(sized.files.size(), own.files.size()) << seed;
            for (size_t i = 0; i < own.files.size(); ++i)
                EXPECT_EQ(sized.files[i].name, own.files[i].name) << seed;
        }
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

/* A label stands before ": " and is one to three letters and digits. */
TEST(Progen, LabelsOfOneToThreeCharacters)
{
    EXPECT_EQ(progen::LabelEnd("L: CHANGE FIELD(#A) TO(1)"), 3u);
    EXPECT_EQ(progen::LabelEnd("K12: RETURN"), 5u);
    EXPECT_EQ(progen::LabelEnd("CHANGE FIELD(#A) TO(1)"), 0u);
    EXPECT_EQ(progen::LabelEnd("L1234: RETURN"), 0u);
    EXPECT_EQ(progen::SplitLine("M2: IF COND('#A = 1')").first, "IF");
}

/* The names a value holds: with or without the national name character,
** not the words of its literals nor system variables. */
TEST(Progen, NamesInValuesAndExpressions)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(progen::NamesIn("#PGA1 QWERTYUIOP"), (V{"PGA1", "QWERTYUIOP"}));
    EXPECT_EQ(progen::NamesIn("'#PGA1 = ''NORTH'' AND *DATE > JQ'"), (V{"PGA1", "AND", "JQ"}));
    EXPECT_EQ(progen::NamesIn("'NORTH'"), V{});
}

/* The kinds a value takes: the fields it names by their type letters and
** size classes, literals by their form, expressions as such. */
TEST(Progen, ValueReachTellsKindsAndSizes)
{
    const progen::Program p = progen::ParseCase(
        "FIELD PGE1 E 10 0 N\nFIELD JQWERTYUIO I 8 0 Y\nFIELD PGA3 A 256 0 N\n"
        "CMD FUNCTION OPTIONS(*DIRECT)\n"
        "CMD IF COND('(#PGE1 > ''2024-01-31'') OR (JQWERTYUIO <= -3)')\n"
        "CMD CHANGE FIELD(#PGA3) TO('It''s')\n"
        "CMD CHANGE FIELD(JQWERTYUIO) TO(-2.5)\n");
    const progen::Reach r = progen::ValueReach(tables(), p);
    using S = std::set<std::string>;
    EXPECT_EQ(r.kinds.at("IF COND 1"), (S{"E", "I", "null", "expression"}));
    EXPECT_EQ(r.sizes.at("IF COND 1"), (S{"E", "I8"}));
    EXPECT_EQ(r.kinds.at("CHANGE FIELD 1"), (S{"A", "I", "null"}));
    EXPECT_EQ(r.sizes.at("CHANGE FIELD 1"), (S{"A256+", "I8"}));
    EXPECT_EQ(r.kinds.at("CHANGE TO 1"), (S{"'literal", "9literal"}));
    EXPECT_EQ(r.sizes.at("CHANGE TO 1"), (S{"'2-50", "9negative"}));
    // an element that took fields asks every kind but the ones the product refuses it
    const std::vector<std::string> unreached = progen::Unreached(r);
    EXPECT_NE(std::find(unreached.begin(), unreached.end(), "IF COND 1: Y"), unreached.end());
    progen::Reach line;
    line.kinds["DEF_LINE FIELDS 1"] = {"A"};
    for (const std::string& u : progen::Unreached(line))
        EXPECT_TRUE(u == "DEF_LINE FIELDS 1: P" || u == "DEF_LINE FIELDS 1: S" || u == "DEF_LINE FIELDS 1: null") << u;
    EXPECT_NE(progen::Refused("DEF_LINE FIELDS 1", "E"), nullptr);
    EXPECT_NE(progen::Refused("BEGIN_LOOP TO 1", "A"), nullptr);
    EXPECT_EQ(progen::Refused("BEGIN_LOOP TO 1", "I"), nullptr);
}

/* The writer names fields with names of every length (up to ten
** characters, those of ten written without the national name character),
** labels with one to three characters, and writes values of every kind:
** extended kinds in conditions, CASE over every kind with lists and
** ranges, nested, and counts up to the keyword table's limits. */
TEST(Progen, WriterReachesEveryKindLengthAndCount)
{
    std::set<size_t> fieldLengths, labelLengths;
    std::set<char> caseKinds, conditionKinds;
    size_t mostFields = 0, mostMsgData = 0, mostParms = 0, mostWhen = 0;
    bool nestedCase = false, range = false, bareName = false, join = false, french = false;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        const progen::Program p = progen::Generate(tables(), seed);
        std::map<std::string, char> type;
        for (const progen::Field& f : p.fields) {
            fieldLengths.insert(f.name.size());
            type[f.name] = f.type;
        }
        french = french || (p.french && !p.texts.empty());
        int caseDepth = 0;
        for (const std::string& l : p.lines) {
            if (const size_t at = progen::LabelEnd(l))
                labelLengths.insert(at - 2);
            const auto [cmd, keywords] = progen::SplitLine(l);
            caseDepth += (cmd == "CASE") - (cmd == "ENDCASE");
            nestedCase = nestedCase || (cmd == "CASE" && caseDepth > 1);
            for (const auto& [kw, v] : keywords) {
                const size_t entries = progen::Tokens(v).size();
                if (kw == "FIELDS" && (cmd == "FETCH" || cmd == "SELECT" || cmd == "INSERT"))
                    mostFields = std::max(mostFields, entries);
                if (kw == "MSGDTA")
                    mostMsgData = std::max(mostMsgData, entries);
                if (kw == "PARMS" && cmd == "SUBROUTINE")
                    mostParms = std::max(mostParms, entries);
                if (kw == "VALUE_IS") {
                    mostWhen = std::max(mostWhen, entries);
                    range = range || v.find(" AND ") != std::string::npos;
                }
                if (kw == "FROM_FILES")
                    join = join || entries > 1;
                for (const std::string& n : progen::NamesIn(v)) {
                    bareName = bareName || (n.size() == 10 && type.count(n) && v.find("#" + n) == std::string::npos);
                    if (type.count(n) && cmd == "CASE")
                        caseKinds.insert(type.at(n));
                    if (type.count(n) && cmd == "IF")
                        conditionKinds.insert(type.at(n));
                }
            }
        }
    }
    EXPECT_EQ(fieldLengths, (std::set<size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(labelLengths, (std::set<size_t>{1, 2, 3}));
    EXPECT_EQ(caseKinds, (std::set<char>{'A', 'P', 'S', 'E', 'M', 'Z', 'I', 'F', 'Y', 'H'}));
    EXPECT_EQ(conditionKinds, (std::set<char>{'A', 'P', 'S', 'E', 'M', 'Z', 'I', 'F', 'Y', 'H'}));
    EXPECT_GT(mostFields, 20u);
    EXPECT_GT(mostMsgData, 10u);
    EXPECT_GT(mostParms, 10u);
    EXPECT_GT(mostWhen, 8u);
    EXPECT_TRUE(nestedCase);
    EXPECT_TRUE(range);
    EXPECT_TRUE(bareName);
    EXPECT_TRUE(join);
    EXPECT_TRUE(french);
}

/* Components: each begins with BEGIN_COM and ends with END_COM; they hold
** members, properties, events, methods, event routines and web routines with
** their maps; the commands of language level two stand only in components
** of that level; some seeds give compound components. */
TEST(Progen, ComponentsOfBothLevelsAndCompounds)
{
    std::set<std::string> commands;
    int compounds = 0, levelTwo = 0;
    for (uint64_t seed = 1; seed <= 100; ++seed) {
        const progen::Program p = progen::GenerateComponents(tables(), seed);
        ASSERT_FALSE(p.components.empty()) << seed;
        EXPECT_TRUE(p.lines.empty()) << seed;
        compounds += !p.compound.empty();
        for (const progen::Component& c : p.components) {
            ASSERT_GE(c.lines.size(), 2u) << seed;
            EXPECT_EQ(c.lines.front().rfind("BEGIN_COM ", 0), 0u) << seed;
            EXPECT_EQ(c.lines.back(), "END_COM") << seed;
            levelTwo += c.kind == 256;
            for (const std::string& l : c.lines) {
                const std::string cmd = progen::SplitLine(l).first;
                commands.insert(cmd);
                // web routines stand in Web Application Modules only
                if (cmd == "WEBROUTINE") {
                    EXPECT_EQ(c.lines.front(), "BEGIN_COM ROLE(*EXTENDS #PRIM_WAM)") << seed;
                }
                if (c.kind == 256)
                    continue;
                for (const char* two : {"ASSIGN", "_ASSIGN", "PERFORM", "_PERFORM", "IMPORT", "ATTRIBUTE", "WEBROUTINE",
                                        "WEB_MAP"})
                    EXPECT_NE(cmd, two) << seed << ": " << l;
            }
        }
        // the case text reads back as the same components
        EXPECT_EQ(progen::CaseText(progen::ParseCase(progen::CaseText(p))), progen::CaseText(p)) << seed;
    }
    for (const char* c : {"DEFINE_COM", "DEFINE_PTY", "DEFINE_EVT", "DEFINE_MAP", "MTHROUTINE", "PTYROUTINE",
                          "EVTROUTINE", "SUBROUTINE", "SET", "INVOKE", "SIGNAL", "FOR", "IF_REF", "SET_REF", "ASSIGN",
                          "_ASSIGN", "PERFORM", "_INVOKE", "IMPORT", "ATTRIBUTE", "WEBROUTINE", "WEB_MAP"})
        EXPECT_TRUE(commands.count(c)) << c;
    EXPECT_GT(compounds, 0);
    EXPECT_GT(levelTwo, 0);
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

/* Key values of every file command and of FILECHECK are fields of any kind
** of the key's class, fields that may be null among them; a field defined
** like one that may be null may be null itself; array elements and
** indexes and subroutine parameters may be null. Over 300 seeds. */
TEST(Progen, FieldsThatMayBeNullWhereTheTablesTakeThem)
{
    progen::Reach r;
    for (uint64_t seed = 1; seed <= 300; ++seed)
        r.add(progen::ValueReach(tables(), progen::Generate(tables(), seed)));
    for (const char* e : {"BROWSE WITH_KEY 1", "CHECK_FOR WITH_KEY 1", "DELETE WITH_KEY 1", "FETCH WITH_KEY 1",
                          "SELECT WITH_KEY 1", "UPDATE WITH_KEY 1", "FILECHECK WITH_KEY 1", "DEFINE FIELD 1",
                          "DEF_ARRAY INDEXES 1", "DEF_ARRAY OF_FIELDS 1", "SUBROUTINE PARMS 1", "EXECUTE WITH_PARMS 1"})
        EXPECT_TRUE(r.kinds[e].count("null")) << e;
    for (const char* k : {"A", "P", "E", "F", "Y", "H"})
        EXPECT_TRUE(r.kinds["FILECHECK WITH_KEY 1"].count(k)) << k;
}

/* A field EXECUTE passes for a parameter is of the parameter's layout: of
** its kind, length and decimals, and it may be null exactly when the
** parameter may (a field that may be null is laid out otherwise). */
TEST(Progen, PassedFieldsAreOfTheParametersLayout)
{
    int passed = 0, nullable = 0;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        const progen::Program p = progen::Generate(tables(), seed);
        std::map<std::string, const progen::Field*> byName;
        for (const progen::Field& f : p.fields)
            byName.emplace(f.name, &f);
        std::map<std::string, std::vector<std::string>> params;  // a subroutine, its parameters
        const std::vector<std::string> lines = progen::AllLines(p);
        for (const std::string& l : lines) {
            const auto [cmd, kws] = progen::SplitLine(l);
            if (cmd != "SUBROUTINE")
                continue;
            std::string name;
            std::vector<std::string> ps;
            for (const auto& [kw, v] : kws)
                if (kw == "NAME")
                    name = v;
                else if (kw == "PARMS")
                    for (const std::string& t : progen::Tokens(v))
                        ps.push_back(progen::NamesIn(t).front());
            params[name] = ps;
        }
        for (const std::string& l : lines) {
            const auto [cmd, kws] = progen::SplitLine(l);
            if (cmd != "EXECUTE")
                continue;
            std::string name, values;
            for (const auto& [kw, v] : kws) {
                if (kw == "SUBROUTINE")
                    name = v;
                if (kw == "WITH_PARMS")
                    values = v;
            }
            const std::vector<std::string> vs = progen::Tokens(values);
            ASSERT_LE(vs.size(), params[name].size()) << seed << ": " << l;
            for (size_t i = 0; i < vs.size() && !values.empty(); ++i) {
                const auto v = byName.find(vs[i].substr(vs[i][0] == '#'));
                if (v == byName.end())
                    continue;  // a literal
                const progen::Field& want = *byName.at(params[name][i]);
                EXPECT_EQ(std::make_tuple(v->second->type, v->second->length, v->second->decimals, v->second->nullable),
                          std::make_tuple(want.type, want.length, want.decimals, want.nullable))
                    << seed << ": " << l;
                ++passed;
                nullable += want.nullable;
            }
        }
    }
    EXPECT_GT(passed, 100);
    EXPECT_GT(nullable, 10);
}

/* A function of the flow-and-data subset runs to its end: its loops count
** a few rounds on fields no other command changes, at most three deep in
** a routine; its GOTOs go to a label further on, or back under a counter
** of at most two jumps; an entry is added only after an entry its list has. */
TEST(Progen, FlowAndDataFunctionsEnd)
{
    auto starts = [](const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; };
    auto holds = [](const std::string& s, const std::string& p) { return s.find(p) != std::string::npos; };
    auto bare = [](const std::string& n) { return n.empty() || n[0] != '#' ? n : n.substr(1); };
    auto field = [&](const std::string& l, const std::string& kw) {  // NAME of KW(#NAME ...) or KW(NAME ...)
        const size_t at = l.find(" " + kw + "(");
        if (at == std::string::npos)
            return std::string();
        const size_t from = at + kw.size() + 2;
        return bare(l.substr(from, l.find_first_of(" )'", from) - from));
    };
    // a name stands in a line as a whole word, with or without the national name character
    auto names = [](const std::string& l, const std::string& f) {
        const std::vector<std::string> in = progen::NamesIn(l);
        return std::find(in.begin(), in.end(), f) != in.end();
    };
    const std::set<std::string> opens = {"DOWHILE", "DOUNTIL", "BEGIN_LOOP", "SELECTLIST"};
    const std::set<std::string> closes = {"ENDWHILE", "ENDUNTIL", "END_LOOP", "ENDSELECT"};
    int loops = 0, gotos = 0, afters = 0;
    std::vector<uint64_t> seeds(300);
    std::iota(seeds.begin(), seeds.end(), 1);
    // 5179: a Boolean array index, so the first level's loops count on a field of their own,
    // which a routine executed in such a loop was once given to return into
    seeds.push_back(5179);
    for (const uint64_t seed : seeds) {
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
                const std::string f = bare(c.substr(cond, c.find(' ', cond) - cond));
                ASSERT_TRUE(i > 0 && i + 1 < l.size()) << seed;
                const std::string n = c.substr(cond, c.find(' ', cond) - cond);
                EXPECT_TRUE(starts(l[i - 1], "CHANGE FIELD(" + n + ") TO(0)")) << at;
                EXPECT_TRUE(starts(l[i + 1], "CHANGE FIELD(" + n + ") TO('" + n + " + 1')")) << at;
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
                            (holds(l[i - 2], "COND('") && holds(l[i - 2], " < 2')") && holds(l[i - 1], " + 1')")))
                    << at;
                gotos += back;
            }
            if (cmd == "ADD_ENTRY" && holds(c, " AFTER(")) {
                const std::string a = field(c, "AFTER");
                EXPECT_TRUE(starts(l[i - 1], "IF COND('(") && holds(l[i - 1], a + " >= 0) AND (") &&
                            holds(l[i - 1], a + " <= "))
                    << at;
                ++afters;
            }
        }
        // the loop fields change only where their loops count them
        for (const std::string& c : l)
            for (const std::string& f : counters) {
                const bool named = names(c, f);
                const bool counts = field(c, "FIELD") == f && c.find("CHANGE FIELD(") == 0 &&
                                    c.find(' ', 13) > c.find(')') &&  // the one field changed
                                    (holds(c, ") TO(0)") || holds(c, ") TO('") || holds(c, ") TO(1)") ||
                                     holds(c, ") TO(2)") || holds(c, ") TO(3)"));  // an array's index, at the start
                const bool reads = starts(c, "DO") || starts(c, "DEFINE ") || starts(c, "BEGIN_LOOP") || starts(c, "IF COND('") ||
                                   starts(c, "IF_NULL ") ||  // an array's index that may be null
                                   holds(c, "FIELD(#PGY#" + f + ")") || starts(c, "DEF_ARRAY");
                EXPECT_TRUE(!named || counts || reads) << seed << ": " << c;
            }
    }
    EXPECT_GT(loops, 100);
    EXPECT_GT(gotos, 0);
    EXPECT_GT(afters, 0);
}

/* The run subset writes no form whose result the run time decides: UPD_ENTRY
** only of the entry just read, ADD_ENTRY only to a list with room, INZ_LIST of
** no more entries than it holds, no entry added inside a SELECTLIST's body or
** in a routine executed there, no date, time or timestamp compared with one of
** another kind, no label within a SELECTLIST, no *NULL
** against a date, time, timestamp or fixed characters, no quotient as a
** float's whole value, and a value that may not fit its numeric field only
** under a test that it does. */
TEST(Progen, RunSeedsWriteNoFormLeftToTheRunTime)
{
    auto starts = [](const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; };
    auto holds = [](const std::string& s, const std::string& p) { return s.find(p) != std::string::npos; };
    auto inside = [](const std::string& l, const std::string& kw) {  // the text of KW(...), its brackets matched
        const size_t at = l.find(" " + kw + "(");
        if (at == std::string::npos)
            return std::string();
        size_t i = at + kw.size() + 2;
        for (int depth = 1; i < l.size(); ++i)
            if ((depth += (l[i] == '(') - (l[i] == ')')) == 0)
                break;
        return l.substr(at + kw.size() + 2, i - at - kw.size() - 2);
    };
    auto bare = [](std::string n) { return n.empty() || n[0] != '#' ? n : n.substr(1); };
    // the operator outside brackets that a quoted expression's value comes of last
    auto outer = [](const std::string& e) {
        char op = 0;
        int depth = 0;
        for (size_t i = 1; i + 1 < e.size(); ++i) {
            depth += (e[i] == '(') - (e[i] == ')');
            if (depth == 0 && e[i - 1] == ' ' && e[i + 1] == ' ' && std::string("+-*/").find(e[i]) != std::string::npos)
                op = e[i];
        }
        return op;
    };
    std::map<std::string, int> seen;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        const progen::Program p = progen::Generate(tables(), seed, {progen::kFlowAndData});
        std::map<std::string, progen::Field> kinds;
        for (const progen::Field& f : p.fields)
            kinds[f.name] = f;
        std::map<std::string, std::pair<int, std::string>> lists;  // ENTRYS and COUNTER
        std::vector<std::string> subjects;  // of the CASEs the command stands in
        int selecting = 0;
        // routines executed inside a SELECTLIST's body, then those they execute, and what each adds
        std::set<std::string> selected;
        std::map<std::string, std::vector<std::string>> executes;
        std::set<std::string> adding;
        std::string routine;
        std::vector<std::string> l;  // the commands without their labels
        for (const std::string& c : p.lines)
            l.push_back(c.substr(progen::LabelEnd(c)));
        for (size_t i = 0; i < l.size(); ++i) {
            const std::string& c = l[i];
            const std::string cmd = c.substr(0, c.find(' ')), at = std::to_string(seed) + ": " + c;
            const std::string before = i > 0 ? l[i - 1] : "";
            if (cmd == "DEF_ARRAY")  // an element is of its fields' kind
                kinds[bare(inside(c, "NAME"))] = kinds.at(progen::NamesIn(inside(c, "OF_FIELDS")).front());
            if (cmd == "DEF_LIST")
                lists[bare(inside(c, "NAME"))] = {std::stoi(inside(c, "ENTRYS")), inside(c, "COUNTER")};
            EXPECT_FALSE(selecting > 0 && progen::LabelEnd(p.lines[i]) > 0) << at;
            selecting += (cmd == "SELECTLIST") - (cmd == "ENDSELECT");
            const bool adds = cmd == "ADD_ENTRY" || cmd == "INZ_LIST";
            EXPECT_FALSE(selecting > 0 && adds) << at;  // an entry for each one deleted: no end
            if (cmd == "SUBROUTINE")
                routine = bare(inside(c, "NAME"));
            if (cmd == "EXECUTE" && selecting > 0)
                selected.insert(inside(c, "SUBROUTINE"));
            if (cmd == "EXECUTE" && !routine.empty())
                executes[routine].push_back(inside(c, "SUBROUTINE"));
            if (adds && !routine.empty())
                adding.insert(routine);
            if (cmd == "UPD_ENTRY") {
                const std::string list = inside(c, "IN_LIST");
                size_t j = i - 1;
                while (j > 0 && !starts(l[j], "IF_STATUS"))
                    --j;
                EXPECT_TRUE(i - j <= 4 && l[j] == "IF_STATUS IS(*OKAY)" && starts(l[j - 1], "GET_ENTRY") &&
                            inside(l[j - 1], "FROM_LIST") == list)
                    << at;
                ++seen["UPD_ENTRY"];
            }
            if (cmd == "ADD_ENTRY") {
                const auto& [most, counter] = lists.at(bare(inside(c, "TO_LIST")));
                EXPECT_TRUE(starts(before, "IF COND('(" + counter + " < " + std::to_string(most) + ")")) << at;
                ++seen["ADD_ENTRY"];
            }
            if (cmd == "INZ_LIST") {
                EXPECT_LE(std::stoi(inside(c, "NUM_ENTRYS")), lists.at(bare(inside(c, "NAMED"))).first) << at;
                ++seen["INZ_LIST"];
            }
            if (cmd == "CASE")
                subjects.push_back(bare(inside(c, "OF_FIELD")));
            if (cmd == "ENDCASE")
                subjects.pop_back();
            // a date, time or timestamp field compared only with one of its own kind
            static const std::regex compared(R"(#?([A-Z0-9_@$]+) (?:=|<>|<=|>=|<|>|\*EQ|\*NE|\*LT|\*GT|\*LE|\*GE) #([A-Z0-9_@$]+))");
            static const std::regex whenCompared(R"('(?:=|<>|<=|>=|<|>|\*EQ|\*NE|\*LT|\*GT|\*LE|\*GE) #([A-Z0-9_@$]+))");
            auto kindOf = [&](const std::string& n) {
                const auto k = kinds.find(n);
                return k == kinds.end() || std::string("EMZ").find(k->second.type) == std::string::npos ? 0 : k->second.type;
            };
            for (std::sregex_iterator m(c.begin(), c.end(), compared), end; m != end; ++m) {
                const char a = kindOf((*m)[1]), b = kindOf((*m)[2]);
                EXPECT_FALSE(a && b && a != b) << at;
                seen["dated"] += a && b && a == b;
            }
            if (cmd == "WHEN")
                for (std::sregex_iterator m(c.begin(), c.end(), whenCompared), end; m != end; ++m) {
                    const char a = kindOf(subjects.back()), b = kindOf((*m)[1]);
                    EXPECT_FALSE(a && b && a != b) << at;
                }
            const bool dated = cmd == "WHEN" && std::string("EMZH").find(kinds.at(subjects.back()).type) != std::string::npos;
            EXPECT_FALSE(dated && holds(c, "*NULL")) << at;
            for (const auto& [name, f] : kinds) {
                if (std::string("EMZH").find(f.type) == std::string::npos)
                    continue;
                for (const char* op : {" = *NULL", " <> *NULL", " *EQ *NULL", " *NE *NULL"}) {
                    // the name a part of a longer one only
                    for (size_t from = c.find(name + op); from != std::string::npos; from = c.find(name + op, from + 1)) {
                        EXPECT_TRUE(from > 0 && std::isalnum(static_cast<unsigned char>(c[from - 1]))) << at;
                    }
                }
            }
            if (cmd != "CHANGE" || starts(inside(c, "FIELD"), "XG_"))
                continue;
            const std::string target = inside(c, "FIELD"), to = inside(c, "TO");
            const auto known = kinds.find(progen::NamesIn(target).front());  // an array element: the array's
            if (known == kinds.end() || to.empty() || to == "'" + target + " + 1'")  // a loop's count
                continue;
            const progen::Field& into = known->second;
            if (into.type == 'F' && to[0] == '\'') {
                EXPECT_NE(outer(to), '/') << at;
                seen["float"] += outer(to) != 0;
            }
            // a float field too: a product repeated in a loop would take it past its range
            if (std::string("PSIF").find(into.type) != std::string::npos && (to[0] == '\'' || kinds.count(bare(to)))) {
                EXPECT_TRUE(starts(before, "IF COND('(") && holds(before, ") < ") && holds(before, ") > -")) << at;
                ++seen["fits"];
            }
        }
        // nor in a routine executed there, however deep
        for (std::vector<std::string> work(selected.begin(), selected.end()); !work.empty();) {
            const std::string r = work.back();
            work.pop_back();
            EXPECT_FALSE(adding.count(r)) << seed << ": " << r << " adds an entry and is executed in a SELECTLIST";
            for (const std::string& callee : executes[r])
                if (selected.insert(callee).second)
                    work.push_back(callee);
        }
        seen["selected"] += static_cast<int>(selected.size());
    }
    for (const char* form : {"UPD_ENTRY", "ADD_ENTRY", "INZ_LIST", "float", "fits", "selected", "dated"})
        EXPECT_GT(seen[form], 5) << form;
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

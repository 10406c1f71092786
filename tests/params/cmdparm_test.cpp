// Parameter preparation: the keyword table against the definitions, every
// command of the sample functions, and bad parameter texts.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "keyword_sql.h"
#include "params/cmdparm_internal.h"
#include "params_env.h"
#include "support/files.h"

using namespace dqov::cmdparm;

namespace {

TEST(KeywordTable, SampleScriptIsWrittenFromTheDefinitions)
{
    const std::string path = std::string(DQOV_SOURCE_DIR) + "/samples/repository/60-keywords.sql";
    const std::string sql = KeywordTableSql();
    if (std::getenv("DQOV_WRITE_KEYWORD_SQL"))
        std::ofstream(path, std::ios::binary) << sql;
    EXPECT_EQ(testsupport::readFile(path), sql) << "rewrite with DQOV_WRITE_KEYWORD_SQL=1";
}

TEST(KeywordTable, LoadedAreaGivesTheCompiledLayout)
{
    ParamsEnv env;
    ASSERT_TRUE(env.ready());
    EXPECT_LT(env.count, CMDPARM_KEYWORD_ENTRY_MAX);
    for (const CommandDef& c : kCommands) {
        char name[10];
        std::memset(name, ' ', 10);
        std::memcpy(name, c.name, std::strlen(c.name));
        CommandView view = ReadCommandView(env.area.data(), env.count, name);
        ASSERT_EQ(view.params.size(), c.count) << c.name;
        for (int i = 0; i < c.count; ++i) {
            const ParamView& p = view.params[i];
            Placement pl = Place(c, i);
            EXPECT_EQ(p.keyword, c.params[i].keyword) << c.name;
            EXPECT_EQ(p.countAt, pl.countAt) << c.name << " " << p.keyword;
            ASSERT_EQ(p.elements.size(), c.params[i].elementCount);
            for (size_t e = 0; e < p.elements.size(); ++e)
                EXPECT_EQ(p.elements[e].offset, pl.elementAt[e]) << c.name << " " << p.keyword << " " << e;
            if (p.layout == 'F') {
                EXPECT_EQ(p.flagsAt, pl.flagsAt);
            }
        }
    }
}

TEST(KeywordTable, RunTimeLookupsAgreeWithTheDefinitions)
{
    for (size_t ci = 0; ci < kCommands.size(); ++ci) {
        const CommandDef& c = kCommands[ci];
        EXPECT_EQ(FindCommand(c.name), static_cast<int>(ci)) << c.name;
        for (int pi = 0; pi < c.count; ++pi) {
            int first = 0;
            while (std::string_view(c.params[first].keyword) != c.params[pi].keyword)
                ++first;
            EXPECT_EQ(FindParam(c, c.params[pi].keyword), first) << c.name << " " << c.params[pi].keyword;
            EXPECT_EQ(FirstParamOfKeyword(static_cast<int>(ci), pi), first) << c.name << " " << c.params[pi].keyword;
            Placement expected = Place(c, pi), found = PlaceOf(c, pi);
            EXPECT_EQ(found.countAt, expected.countAt) << c.name << " " << c.params[pi].keyword;
            EXPECT_EQ(found.rowWidth, expected.rowWidth) << c.name << " " << c.params[pi].keyword;
            EXPECT_EQ(found.flagsAt, expected.flagsAt) << c.name << " " << c.params[pi].keyword;
            for (int e = 0; e < kMaxElements; ++e)
                EXPECT_EQ(found.elementAt[e], expected.elementAt[e]);
        }
        EXPECT_EQ(FindParam(c, "NO_SUCH"), -1);
    }
    for (const char* unknown : {"", "CHANGEX", "CHANG", "change", "NO_SUCH_COMMAND"})
        EXPECT_EQ(FindCommand(unknown), -1);
}

// A name that differs from a known one in a single byte, wherever that byte
// stands (first, last, or inside a name of any length), is not taken for
// it: it is found only when it is itself a name of the table.
TEST(KeywordTable, NamesOneByteAwayAreNotFound)
{
    auto paramOf = [](const CommandDef& c, const std::string& keyword) {
        for (int pi = 0; pi < c.count; ++pi)
            if (keyword == c.params[pi].keyword)
                return pi;
        return -1;
    };
    auto commandOf = [](const std::string& name) {
        for (size_t ci = 0; ci < kCommands.size(); ++ci)
            if (name == kCommands[ci].name)
                return static_cast<int>(ci);
        return -1;
    };
    for (const CommandDef& c : kCommands) {
        for (size_t at = 0; c.name[at] != '\0'; ++at) {
            std::string other = c.name;
            other[at] = other[at] == '#' ? '@' : '#';
            EXPECT_EQ(FindCommand(other), commandOf(other)) << other;
        }
        for (int pi = 0; pi < c.count; ++pi)
            for (size_t at = 0; c.params[pi].keyword[at] != '\0'; ++at) {
                std::string other = c.params[pi].keyword;
                other[at] = other[at] == '#' ? '@' : '#';
                EXPECT_EQ(FindParam(c, other), paramOf(c, other)) << c.name << " " << other;
            }
    }
}

// A keyword row of a hand-made area: blanks, then the fields given.
CMDPARM_KEYWORD_ENTRY Row(char type, const char* command, const char* keyword, const char* seq, char kind,
                          const char* offset, const char* value)
{
    CMDPARM_KEYWORD_ENTRY e;
    std::memset(&e, ' ', sizeof e);
    auto put = [](char* field, const char* text) { std::memcpy(field, text, std::strlen(text)); };
    e.cRowType = type;
    put(e.acCommand, command);
    put(e.acKeyword, keyword);
    put(e.acParmSeq, seq);
    e.cLayout = 'S';
    e.cKind = kind;
    put(e.acWidth, "0004");
    put(e.acEntries, "001");
    put(e.acOffset, offset);
    put(e.acValue, value);
    return e;
}

// A view is made from its command's rows when it is first read, in
// whatever order the commands are read: rows of the command in two places
// of the area (its parameters, then its aliases after every other
// command's rows) all come into its view, a name the area does not hold
// gives an empty view, and a view read again is the one made before.
TEST(KeywordTable, ViewsAreMadeFromTheirRowsWhenFirstRead)
{
    const CMDPARM_KEYWORD_ENTRY area[] = {
        Row('P', "ALPHA", "FIELD", "001", 'A', "0000", "*NONE"),
        Row('P', "ALPHA", "TO", "002", 'N', "0010", "7"),
        Row('V', "ALPHA", "TO", "002", ' ', "    ", "*SAME"),
        Row('P', "BETA", "@MSGKIND", "001", 'C', "0020", "I"),
        Row('A', "ALPHA", "FLD", "   ", ' ', "    ", "FIELD"),
    };
    const auto count = static_cast<uint16_t>(std::size(area));
    IndexCommandViews(area, count);

    const CommandView& beta = ReadCommandView(area, count, "BETA      ");
    ASSERT_EQ(beta.params.size(), 1u);
    EXPECT_EQ(beta.params[0].keyword, "@MSGKIND");
    EXPECT_TRUE(beta.derives);
    EXPECT_EQ(beta.deriveParams[kMsgKindParam], 0);

    const CommandView& alpha = ReadCommandView(area, count, "ALPHA     ");
    ASSERT_EQ(alpha.params.size(), 2u);
    EXPECT_EQ(alpha.params[0].keyword, "FIELD");
    ASSERT_EQ(alpha.params[0].elements.size(), 1u);
    EXPECT_EQ(alpha.params[0].elements[0].defaultValue, "*NONE");
    EXPECT_EQ(alpha.params[1].keyword, "TO");
    EXPECT_EQ(alpha.params[1].elements[0].offset, 10);
    EXPECT_EQ(alpha.params[1].rowWidth, 4);
    EXPECT_EQ(alpha.params[1].values, std::vector<std::string>{"*SAME"});
    ASSERT_EQ(alpha.aliases.size(), 1u);
    EXPECT_EQ(alpha.aliases[0], (std::pair<std::string, std::string>{"FLD", "FIELD"}));
    EXPECT_FALSE(alpha.derives);
    auto toOnly = NoDeriveParams();
    toOnly[kToParam] = 1;
    EXPECT_EQ(alpha.deriveParams, toOnly);

    const CommandView& none = ReadCommandView(area, count, "GAMMA     ");
    EXPECT_TRUE(none.params.empty());
    EXPECT_TRUE(none.aliases.empty());
    EXPECT_EQ(none.deriveParams, NoDeriveParams());

    EXPECT_EQ(&ReadCommandView(area, count, "ALPHA     "), &alpha);
    ForgetCommandViews();
}

// A command's defaults are kept as the stretches of its parameter area
// that are not blank. A default that ends where the parameters' writes end
// is kept whole, whichever parameter reaches furthest: FIELD (first) at 40
// to 44, TO at 0 to 4, the 36 blanks between them too many to copy.
TEST(KeywordTable, DefaultsKeptUpToTheEndOfTheWrites)
{
    const CMDPARM_KEYWORD_ENTRY area[] = {
        Row('P', "DELTA", "FIELD", "001", 'A', "0040", "WXYZ"),
        Row('P', "DELTA", "TO", "002", 'A', "0000", "ABCD"),
    };
    const auto count = static_cast<uint16_t>(std::size(area));
    IndexCommandViews(area, count);
    const CommandView& delta = ReadCommandView(area, count, "DELTA     ");
    ASSERT_TRUE(delta.defaultsMade);
    const std::vector<std::pair<int32_t, std::string>> stretches{{0, "ABCD"}, {40, "WXYZ"}};
    EXPECT_EQ(delta.defaults, stretches);
    EXPECT_EQ(delta.defaultsPast, 44);

    FFC_PARSED_COMMAND parsed;
    std::memset(parsed.acParms, 'Q', sizeof parsed.acParms);
    ApplyDefaults(delta, &parsed, FFC_PARM_AREA_SIZE);
    const std::string expected = "ABCD" + std::string(36, ' ') + "WXYZ" + std::string(FFC_PARM_AREA_SIZE - 44, ' ');
    EXPECT_EQ(std::string(parsed.acParms, FFC_PARM_AREA_SIZE), expected);
    ForgetCommandViews();
}

TEST(KeywordTableLoad, AFailingStatementIsReported)
{
    ParamsEnv env;
    ASSERT_TRUE(env.ready());
    std::vector<char> area(CMDPARM_KEYWORD_AREA_SIZE);
    uint16_t count = 77;
    SSQL_SetFailLocation("CMDPARM/QV_F97/A");
    EXPECT_EQ(CMDPARM_sLoadKeywordTables(area.data(), &count), -1);
    EXPECT_EQ(count, env.count - 1) << "the keyword rows were loaded, the alias row not";
    SSQL_SetFailLocation(nullptr);
}

// The keyword rows of a repository whose keyword table holds only the given
// rows (values of X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98ROC), inserted
// in the order given; the loaded entries come back.
std::vector<CMDPARM_KEYWORD_ENTRY> LoadRows(const std::vector<std::string>& rows)
{
    testsupport::ScratchDir dir("dqov-kwrows");
    const std::string repo = (dir / "repository.db").string();
    testsupport::copySampleRepository(repo);
    sqlite3* db = nullptr;
    sqlite3_open(repo.c_str(), &db);
    std::string sql = "DELETE FROM QV_F98; DELETE FROM QV_F97;";
    for (const std::string& r : rows)
        sql += "INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98ROC, X98LAY, X98KND, X98LEN, X98ENT, "
               "X98OFS, X98CNT, X98POS, X98KWD) VALUES (" +
               r + ", 'S', 'A', 10, 1, 0, -1, 'N', ' ');";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    std::vector<CMDPARM_KEYWORD_ENTRY> out;
    if (SSQL_sConnect(repo.c_str()) != SSQL_RC_OK) {
        ADD_FAILURE() << "no connection";
        return out;
    }
    std::vector<char> area(CMDPARM_KEYWORD_AREA_SIZE);
    uint16_t count = 0;
    EXPECT_EQ(CMDPARM_sLoadKeywordTables(area.data(), &count), 0);
    ForgetCommandViews();
    SSQL_Disconnect();
    out.resize(count);
    std::memcpy(out.data(), area.data(), count * sizeof(CMDPARM_KEYWORD_ENTRY));
    return out;
}

std::vector<std::string> Keywords(const std::vector<CMDPARM_KEYWORD_ENTRY>& entries)
{
    std::vector<std::string> out;
    for (const CMDPARM_KEYWORD_ENTRY& e : entries) {
        std::string k(e.acKeyword, 10);
        out.push_back(k.substr(0, k.find_last_not_of(' ') + 1));
    }
    return out;
}

// Rows stored out of the key's order come in the order of the command
// (trailing blanks not counted), the parameter number (as a number), the row
// type and the element number; rows of another class are left out.
TEST(KeywordTableLoad, RowsComeInTheOrderOfTheKey)
{
    const auto entries = LoadRows({
        "'SELECT', 'S10P1', 10, 1, 'P', 'M'",
        "'SELECT', 'S9V2', 9, 2, 'V', 'M'",
        "'SELECT', 'S9P1', 9, 1, 'P', 'M'",
        "'OTHER', 'OTHER', 1, 1, 'P', 'X'",
        "'SELECT ', 'S2P1', 2, 1, 'P', 'M'",
        "'SELECT', 'S9V10', 9, 10, 'V', 'M'",
        "'SELECT', 'S9P2', 9, 2, 'P', 'M'",
        "'GROUP', 'G1P1', 1, 1, 'P', 'M'",
        "'SELECTX', 'X1P1', 1, 1, 'P', 'M'",
        "'SELECT', 'S9V9', 9, 9, 'V', 'M'",
    });
    const std::vector<std::string> expected{"G1P1",  "S2P1",  "S9P1",  "S9P2", "S9V2",
                                            "S9V9",  "S9V10", "S10P1", "X1P1"};
    EXPECT_EQ(Keywords(entries), expected);
    ASSERT_EQ(entries.size(), expected.size());
    EXPECT_EQ(std::string(entries[1].acCommand, 10), "SELECT    ");
    EXPECT_EQ(std::string(entries[1].acParmSeq, 3), "002");
    EXPECT_EQ(entries[1].cElement, '1');
    EXPECT_EQ(std::string(entries[6].acParmSeq, 3), "009");
    EXPECT_EQ(entries[6].cRowType, 'V');
    EXPECT_EQ(entries[6].cElement, ' ');
    EXPECT_EQ(std::string(entries[7].acParmSeq, 3), "010");
}

// A command longer than its field, a command holding a byte below a blank
// and a row type longer than its field order by their whole values: the
// cut fields alone would give the opposite order.
TEST(KeywordTableLoad, ValuesTheirFieldsCutOrByteBelowABlankOrderWhole)
{
    EXPECT_EQ(Keywords(LoadRows({"'ABCDEFGHIJK', 'LONG1', 1, 1, 'P', 'M'", "'ABCDEFGHIJ', 'SHORT2', 2, 1, 'P', 'M'"})),
              (std::vector<std::string>{"SHORT2", "LONG1"}));
    EXPECT_EQ(Keywords(LoadRows({"'ABCDEFGHIJ K', 'LONG1', 1, 1, 'P', 'M'", "'ABCDEFGHIJ', 'SHORT2', 2, 1, 'P', 'M'"})),
              (std::vector<std::string>{"SHORT2", "LONG1"}));
    EXPECT_EQ(Keywords(LoadRows({"'AB' || char(1), 'LOW1', 1, 1, 'P', 'M'", "'AB', 'PLAIN2', 2, 1, 'P', 'M'"})),
              (std::vector<std::string>{"PLAIN2", "LOW1"}));
    EXPECT_EQ(Keywords(LoadRows({"'T', 'PX1', 1, 1, 'PX', 'M'", "'T', 'P2', 1, 2, 'P', 'M'"})),
              (std::vector<std::string>{"P2", "PX1"}));
}

// Prepares one command; the parameter text is given pre-split.
class Prepare : public ::testing::Test {
protected:
    /* Run, or with blankPast >= 0 the preparation told that the extension
     * is blank past that many entries. */
    /* With parmsBlankFrom >= 0 the parameter area is kept as it stands and
     * the preparation told that it is blank from there on. */
    int16_t Run(const char* name, const std::string& parms, bool split = true, int32_t blankPast = -2,
                int32_t parmsBlankFrom = -1, int32_t* parmsWrittenPast = nullptr)
    {
        std::memset(&src, ' ', sizeof src);
        src.sLine = 7;
        src.sSubLine = 0;
        src.lPreSplit = split ? 1 : 0;
        std::memset(src.acName, ' ', 10);
        std::memcpy(src.acName, name, std::strlen(name));
        src.usParmLength = static_cast<uint16_t>(std::min<size_t>(parms.size(), sizeof src.acParameters));
        std::memcpy(src.acParameters, parms.data(), src.usParmLength);
        std::memset(&entry, 0, sizeof entry);
        std::memcpy(entry.acName, src.acName, 10);
        int no = FindCommand(std::string_view(name));
        entry.ulNumber = static_cast<uint32_t>(no + 1);
        if (parmsBlankFrom >= 0) {
            std::string area(cmd.acParms, sizeof cmd.acParms);
            std::memset(&cmd, 0, sizeof cmd);
            std::memcpy(cmd.acParms, area.data(), area.size());
            return PrepareCommand(&env.ctx, &cmd, &ext, &src, buffer, kQueue, env.area.data(), env.count, &entry,
                                  blankPast, parmsBlankFrom, parmsWrittenPast);
        }
        std::memset(&cmd, 0, sizeof cmd);
        if (blankPast > -2)
            return PrepareCommand(&env.ctx, &cmd, &ext, &src, buffer, kQueue, env.area.data(), env.count, &entry,
                                  blankPast);
        return CMDPARM_sPrepareCommand(&env.ctx, &cmd, &ext, &src, buffer, value, kQueue, env.area.data(), env.count,
                                       &entry);
    }
    std::string Text(const char* name, const char* kw, int element = 0, int entry_ = 0, int width = -1)
    {
        int32_t at = ElementOffset(name, kw, element);
        EXPECT_GE(at, 0) << kw;
        int c = FindCommand(name);
        int i = FindParam(kCommands[c], kw);
        const ParamDef& p = kCommands[c].params[i];
        int w = width >= 0 ? width : ElementSize(p.elements[element]);
        at += entry_ * EntryStride(name, kw, element);
        std::string s(cmd.acParms + at, w);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
    int32_t Count(const char* name, const char* kw)
    {
        int32_t n;
        std::memcpy(&n, cmd.acParms + CountOffset(name, kw), 4);
        return n;
    }
    int32_t Number(const char* name, const char* kw, int element = 0, int entry_ = 0)
    {
        int32_t n;
        std::memcpy(&n, cmd.acParms + ElementOffset(name, kw, element) + entry_ * EntryStride(name, kw, element), 4);
        return n;
    }
    void SetUp() override { ASSERT_TRUE(env.ready()); }

    ParamsEnv env;
    FFC_SOURCE_COMMAND src;
    FFC_PARSED_COMMAND cmd;
    FFC_COMMAND_EXTENSION ext;
    FFC_COMMAND_ENTRY entry;
    char buffer[CMDPARM_PARAMETER_BUFFER_SIZE];
    char value[CMDPARM_VALUE_BUFFER_SIZE];
};

using Msgs = std::vector<std::pair<std::string, std::string>>;

TEST_F(Prepare, EveryCommandOfTheSampleFunctions)
{
    const char* files[] = {"CUSTLST", "CUSTUPD", "DEMINC", "DEMOMIN"};
    int prepared = 0;
    for (const char* f : files) {
        for (const std::string& line :
             testsupport::readLines(std::string(DQOV_SOURCE_DIR) + "/samples/sources/DEM/DEMOPRC/" + f + ".zoph")) {
            std::string rest = line;
            size_t colon = rest.find(':');
            if (colon != std::string::npos && colon <= 3)
                rest = rest.substr(colon + 1);
            rest.erase(0, rest.find_first_not_of(' '));
            std::string name = rest.substr(0, rest.find(' '));
            ASSERT_GE(FindCommand(name), 0) << line;
            EXPECT_EQ(Run(name.c_str(), line, false), 0) << line;
            EXPECT_EQ(env.Take(), Msgs{}) << line;
            EXPECT_EQ(cmd.cPrepared, 'Y');
            ++prepared;
        }
    }
    EXPECT_EQ(prepared, 14 + 29 + 2 + 2);
}

TEST_F(Prepare, SelectWithItsDefaults)
{
    ASSERT_EQ(Run("SELECT", "FIELDS(#CUSTNO #CUSTNAM #CREDIT #CUSTSTS) FROM_FILE(CUSTMST)"), 0);
    EXPECT_EQ(Count("SELECT", "FIELDS"), 4);
    EXPECT_EQ(Text("SELECT", "FIELDS", 0, 3), "#CUSTSTS");
    EXPECT_EQ(Text("SELECT", "FROM_FILE", 0), "CUSTMST");
    EXPECT_EQ(Text("SELECT", "FROM_FILE", 1), "*FIRST");
    EXPECT_EQ(Text("SELECT", "IO_STATUS"), "*STATUS");
    EXPECT_EQ(Text("SELECT", "IO_ERROR"), "*ABORT");
    EXPECT_EQ(Text("SELECT", "VAL_ERROR"), "*LASTDIS");
    EXPECT_EQ(Text("SELECT", "GENERIC"), "*NO");
    EXPECT_EQ(Text("SELECT", "NBR_KEYS"), "*WITHKEY");
    EXPECT_EQ(Count("SELECT", "WITH_KEY"), 0);
    EXPECT_EQ(Count("SELECT", "OPTIONS"), 0);
    EXPECT_EQ(cmd.acParms[FlagOffset("SELECT", "OPTIONS", "*BACKWARDS")], 'N');
    EXPECT_EQ(Text("SELECT", "WHERE"), "");
    EXPECT_EQ(cmd.sLine, 7);
    EXPECT_EQ(std::string(cmd.acName, 10), "SELECT    ");
}

TEST_F(Prepare, KeysOptionsAndAnExpressionKeptWhole)
{
    ASSERT_EQ(Run("SELECT", "(#A #B) CUSTMST WITH_KEY(#CUSTNO 'X''Y') GENERIC(*YES) "
                            "OPTIONS(*STARTKEY *BLOCK 50) WHERE('(#A + 1) * 2 > #B')"),
              0);
    EXPECT_EQ(Count("SELECT", "FIELDS"), 2) << "a bracketed positional value is the whole list";
    EXPECT_EQ(Text("SELECT", "FROM_FILE"), "CUSTMST");
    EXPECT_EQ(Count("SELECT", "WITH_KEY"), 2);
    EXPECT_EQ(Text("SELECT", "WITH_KEY", 0, 1), "'X''Y'") << "a literal value keeps its quotes";
    EXPECT_EQ(Text("SELECT", "GENERIC"), "*YES");
    EXPECT_EQ(Count("SELECT", "OPTIONS"), 3);
    EXPECT_EQ(Text("SELECT", "OPTIONS", 0, 2), "50");
    EXPECT_EQ(cmd.acParms[FlagOffset("SELECT", "OPTIONS", "*STARTKEY")], 'Y');
    EXPECT_EQ(cmd.acParms[FlagOffset("SELECT", "OPTIONS", "*BLOCK")], 'Y');
    EXPECT_EQ(cmd.acParms[FlagOffset("SELECT", "OPTIONS", "*ENDWHERE")], 'N');
    EXPECT_EQ(Text("SELECT", "WHERE"), "(#A + 1) * 2 > #B");
}

TEST_F(Prepare, ConditionsTextsAndListsOfLists)
{
    ASSERT_EQ(Run("IF", "COND('#CUSTSTS = A')"), 0);
    EXPECT_EQ(Text("IF", "COND"), "#CUSTSTS = A");
    ASSERT_EQ(Run("IF", "COND((#A > 1) AND (#B < 2))"), 0) << "an unquoted condition with brackets";
    EXPECT_EQ(Text("IF", "COND"), "(#A > 1) AND (#B < 2)");
    ASSERT_EQ(Run("IF", "'#A = 1'"), 0) << "a quoted condition by position";
    EXPECT_EQ(Text("IF", "COND"), "#A = 1");
    ASSERT_EQ(Run("MESSAGE", "MSGTXT('Customer skipped; its status isn''t active')"), 0);
    EXPECT_EQ(Text("MESSAGE", "MSGTXT"), "Customer skipped; its status isn't active");
    // a quote written twice at either end of the text, and a text of quotes only
    ASSERT_EQ(Run("MESSAGE", "MSGTXT('''Hold'' it''')"), 0);
    EXPECT_EQ(Text("MESSAGE", "MSGTXT"), "'Hold' it'");
    ASSERT_EQ(Run("MESSAGE", "MSGTXT('''''')"), 0);
    EXPECT_EQ(Text("MESSAGE", "MSGTXT"), "''");
    // a literal whose last quote is one of a pair is not closed: the finding
    // names the column of its opening quote
    EXPECT_EQ(Run("MESSAGE", "MSGTXT('it''')  TYPE('x'')"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0306", "MESSAGE   +0000022"}}));
    EXPECT_EQ(Text("MESSAGE", "TYPE"), "*INFO");
    EXPECT_EQ(Number("MESSAGE", "MIN_TIME"), 1);
    ASSERT_EQ(Run("SUBROUTINE", "NAME(CHKCRD) PARMS((#CREDIT *RECEIVED) (#X *BOTH))"), 0);
    EXPECT_EQ(Text("SUBROUTINE", "NAME"), "CHKCRD");
    EXPECT_EQ(Count("SUBROUTINE", "PARMS"), 2);
    EXPECT_EQ(Text("SUBROUTINE", "PARMS", 1, 0), "*RECEIVED");
    EXPECT_EQ(Text("SUBROUTINE", "PARMS", 0, 1), "#X");
    ASSERT_EQ(Run("WHEN", "VALUE_IS('= U' '> 5')"), 0);
    EXPECT_EQ(Count("WHEN", "VALUE_IS"), 2);
    EXPECT_EQ(Text("WHEN", "VALUE_IS", 0, 1), "> 5");
    ASSERT_EQ(Run("FUNCTION", "OPTIONS(*DIRECT *ALP_SYSTEM_VARIABLE)"), 0);
    EXPECT_EQ(cmd.acParms[FlagOffset("FUNCTION", "OPTIONS", "*DIRECT")], 'Y');
    EXPECT_EQ(cmd.acParms[FlagOffset("FUNCTION", "OPTIONS", "*ALP_SYSTEM_VARIABLE")], 'Y');
    EXPECT_EQ(cmd.acParms[FlagOffset("FUNCTION", "OPTIONS", "*PGMCOMMIT")], 'N');
    EXPECT_EQ(Text("FUNCTION", "TRIGGER"), "*NONE");
    ASSERT_EQ(Run("LOC_ENTRY", "IN_LIST(#L) RET_NUMB(#N)"), 0) << "an alias of RET_NUMBER";
    EXPECT_EQ(Text("LOC_ENTRY", "RET_NUMBER"), "#N");
}

TEST_F(Prepare, ReadingByKeyword)
{
    ASSERT_EQ(Run("FETCH", "FIELDS(#A #B) FROM_FILE(CUSTMST) WITH_KEY(#K1 #K2) KEEP_LAST(25)"), 0);
    EXPECT_EQ(ParmText(cmd, "FIELDS", 0, 1), "#B");
    EXPECT_EQ(ParmText(cmd, "FROM_FILE", 1), "*FIRST");
    EXPECT_EQ(ParmCount(cmd, "WITH_KEY"), 2);
    EXPECT_EQ(ParmNumber(cmd, "KEEP_LAST"), 25);
    EXPECT_EQ(ParmText(cmd, "NOSUCH"), "");
    EXPECT_EQ(ParmText(cmd, "FIELDS", 0, 100), "") << "beyond the list";
    EXPECT_EQ(ParmText(cmd, "FIELDS", 3), "") << "no such element";
    ASSERT_EQ(Run("DISPLAY", "FIELDS(#A) USER_KEYS((25 'Up'))"), 0);
    EXPECT_EQ(ParmNumber(cmd, "USER_KEYS", 0, 0), 25);
    EXPECT_EQ(ParmText(cmd, "USER_KEYS", 1, 0), "Up");
    ASSERT_EQ(Run("SELECT", "FIELDS(#A) FROM_FILE(F) OPTIONS(*BACKWARDS)"), 0);
    EXPECT_TRUE(ParmFlag(cmd, "OPTIONS", "*BACKWARDS"));
    EXPECT_FALSE(ParmFlag(cmd, "OPTIONS", "*BLOCK"));
}

TEST_F(Prepare, ArrayNameAndEntriesWhereTheDebugTableReadsThem)
{
    ASSERT_EQ(Run("DEF_ARRAY", "NAME(#ARR) INDEXES(#II) ENTRYS(12)"), 0);
    EXPECT_EQ(std::string(cmd.acParms + 6, 3), "ARR");
    EXPECT_EQ(ParmText(cmd, "NAME"), "#ARR");
    int32_t entries;
    std::memcpy(&entries, cmd.acParms + 12, 4);
    EXPECT_EQ(entries, 12);
    // a name without the name character is kept as written: the array's
    // check refuses it
    ASSERT_EQ(Run("DEF_ARRAY", "ARR"), 0);
    EXPECT_EQ(std::string(cmd.acParms + 5, 4), "ARR ");
    EXPECT_EQ(Run("DEF_ARRAY", "NAME(#ARRAY)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0304", "NAME      +0000004#ARRAY              "}}));
}

TEST_F(Prepare, SlotsThatFollowFromTheParameters)
{
    ASSERT_EQ(Run("MESSAGE", "MSGTXT('Hello')"), 0);
    EXPECT_EQ(Text("MESSAGE", "@MSGKIND"), "T");
    ASSERT_EQ(Run("ABORT", "MSGID(DCM0001) MSGFILE(DC@M01)"), 0);
    EXPECT_EQ(Text("ABORT", "@MSGKIND"), "I");
    ASSERT_EQ(Run("EXIT", ""), 0);
    EXPECT_EQ(Text("EXIT", "@MSGKIND"), "N");
    std::string statement = "USING('SELECT A FROM B\r\n\f')";
    ASSERT_EQ(Run("SELECT_SQL", statement), 0);
    EXPECT_EQ(Text("SELECT_SQL", "@WHOLE"), "Y");
    EXPECT_EQ(Text("SELECT_SQL", "USING"), "SELECT A FROM B") << "trailing line ends and form feeds dropped";
    ASSERT_EQ(Run("SELECT_SQL", "FIELDS(#A) FROM_FILES((CUSTMST C1))"), 0);
    EXPECT_EQ(Text("SELECT_SQL", "@WHOLE"), "N");
    EXPECT_EQ(Text("SELECT_SQL", "FROM_FILES", 1), "C1");
    ASSERT_EQ(Run("FUNCTION", "OPTIONS(*DIRECT) TRIGGER(*FIELD *YES) RCV_DS(#DS1)"), 0);
    EXPECT_EQ(Text("FUNCTION", "@TRIGFLAG"), "Y");
    EXPECT_EQ(Text("FUNCTION", "@TRIGRET", 0), "Y");
    EXPECT_EQ(Text("FUNCTION", "@TRIGRET", 1), "N");
    EXPECT_EQ(Text("FUNCTION", "@DSEXCHG"), "N") << "a received structure comes in the parameter block";
    ASSERT_EQ(Run("FUNCTION", "OPTIONS(*DIRECT)"), 0);
    EXPECT_EQ(Text("FUNCTION", "@TRIGFLAG"), "N");
    EXPECT_EQ(Text("FUNCTION", "@DSEXCHG"), "N");
}

TEST_F(Prepare, ChangeLiteralKinds)
{
    ASSERT_EQ(Run("CHANGE", "FIELD(#CUSTNAM) TO('''It''''s''')"), 0);
    EXPECT_EQ(ParmText(cmd, "TO"), "'It''s'");
    EXPECT_EQ(ParmText(cmd, "@LITKIND"), "ALP");
    EXPECT_EQ(ParmNumber(cmd, "@LITLENGTH"), 4);
    EXPECT_EQ(ParmNumber(cmd, "@PRECISION", 0), -1);
    ASSERT_EQ(Run("CHANGE", "FIELD(#CUSTNAM) TO(*ALL'X')"), 0);
    EXPECT_EQ(ParmText(cmd, "@LITKIND"), "ALL");
    EXPECT_EQ(ParmNumber(cmd, "@LITLENGTH"), 1);
    ASSERT_EQ(Run("CHANGE", "FIELD(#WRKCNT) TO('#WRKCNT + 1') ROUND_UP(*YES)"), 0);
    EXPECT_EQ(ParmText(cmd, "@LITKIND"), "");
    EXPECT_EQ(ParmNumber(cmd, "@LITLENGTH"), 0);
    EXPECT_EQ(ParmText(cmd, "ROUND_UP"), "*YES");
    ASSERT_EQ(Run("CHANGE", "FIELD(#A) TO('''A'' + ''B''')"), 0) << "two literals make an expression";
    EXPECT_EQ(ParmText(cmd, "@LITKIND"), "");
    // One quoted text naming no field: a literal until the check finds the
    // text computes something.
    ASSERT_EQ(Run("CHANGE", "FIELD(#CUSTNAM) TO('(no name)')"), 0);
    EXPECT_EQ(ParmText(cmd, "@LITKIND"), "ALP");
    EXPECT_EQ(ParmNumber(cmd, "@LITLENGTH"), 9);
}

TEST_F(Prepare, ScreenLayoutPositions)
{
    ASSERT_EQ(Run("DISPLAY", "FIELDS((#CUSTNO *L3 *P5 *OUTPUT) #CUSTNAM) BROWSELIST(#CUSTLIST) "
                             "DESIGN(*DOWN) STD_HEAD(*NO) USER_KEYS((25 'Next' *NEXT) (26 'Prev'))"
                             " TEXTS(('Customer' 2 3))"),
              0);
    EXPECT_EQ(std::string(cmd.acParms + 2228, 10), "#CUSTLIST ");
    EXPECT_EQ(std::string(cmd.acParms + 2238, 10), "DOWN      ");
    EXPECT_EQ(std::string(cmd.acParms + 2248, 10), "COLHDG    ");
    EXPECT_EQ(cmd.acParms[2543], 'N');
    EXPECT_EQ(std::string(cmd.acParms + 1096, 10), "*YES      ");
    EXPECT_EQ(std::string(cmd.acParms + 1699, 5), "*HIGH");
    EXPECT_EQ(std::string(cmd.acParms + 1770, 10), "*DFT      ");
    int16_t key;
    std::memcpy(&key, cmd.acParms + 1562, 2);
    EXPECT_EQ(key, 26);
    EXPECT_EQ(std::string(cmd.acParms + 1580, 8), "Next    ");
    EXPECT_EQ(std::string(cmd.acParms + 3740, 20), "Customer            ");
    std::memcpy(&key, cmd.acParms + 4840, 2);
    EXPECT_EQ(key, 3);
    EXPECT_EQ(Count("DISPLAY", "FIELDS"), 2);
    EXPECT_EQ(ext.lEntries, 1);
    EXPECT_EQ(std::string(ext.acAttributes, 30), "*L3       *P5       *OUTPUT   ");
    ASSERT_EQ(Run("DISPLAY", "FIELDS(#A)"), 0);
    EXPECT_EQ(cmd.acParms[2543], 'X') << "not given: the run's default";
}

// A caller that knows the extension blank past some entries has only those
// blanked; the others keep what they hold (-1: all are blanked, as
// CMDPARM_sPrepareCommand does).
TEST_F(Prepare, ExtensionBlankedOnlyWhereTheCallerDoesNotKnowItBlank)
{
    const size_t entry = FFC_EXTENSION_VALUES * FFC_EXTENSION_VALUE_WIDTH;
    std::memset(ext.acAttributes, 'Z', sizeof ext.acAttributes);
    ext.lEntries = 3;
    ASSERT_EQ(Run("DISPLAY", "FIELDS(#CUSTNO (#CUSTNAM *L4))", true, 3), 0);
    EXPECT_EQ(ext.lEntries, 2);
    EXPECT_EQ(std::string(ext.acAttributes, entry), std::string(entry, ' '));
    EXPECT_EQ(std::string(ext.acAttributes + entry, entry), "*L4" + std::string(entry - 3, ' '));
    EXPECT_EQ(std::string(ext.acAttributes + 2 * entry, entry), std::string(entry, ' '));
    EXPECT_EQ(std::string(ext.acAttributes + 3 * entry, entry), std::string(entry, 'Z')) << "taken as blank";

    ASSERT_EQ(Run("DISPLAY", "FIELDS(#CUSTNO)", true, -1), 0);
    EXPECT_EQ(ext.lEntries, 0);
    EXPECT_EQ(std::string(ext.acAttributes, sizeof ext.acAttributes), std::string(sizeof ext.acAttributes, ' '));
}

// A caller that knows the parameter area blank from some offset on has the
// bytes before it blanked, and learns where the preparation left it blank
// again: a chain of preparations so told gives, command by command, the
// area a full blanking gives.
TEST_F(Prepare, ParameterAreaBlankedBeforeWhereTheCallerKnowsItBlank)
{
    // what lies before the offset the caller gives is blanked; a command
    // without parameters writes nothing and leaves the area blank from 0 on
    const auto dirty = [this] {
        std::memset(cmd.acParms, ' ', sizeof cmd.acParms);
        std::memset(cmd.acParms, 'Z', 100);
    };
    dirty();
    int32_t writtenPast = -1;
    ASSERT_EQ(Run("ENDIF", "", true, -1, 100, &writtenPast), 0);
    EXPECT_EQ(writtenPast, 0);
    EXPECT_EQ(std::string(cmd.acParms, FFC_PARM_AREA_SIZE), std::string(FFC_PARM_AREA_SIZE, ' '));

    // CHANGE writes its field and value, before where it leaves the area
    // blank
    dirty();
    ASSERT_EQ(Run("CHANGE", "FIELD(#CUSTNO) TO(1)", true, -1, 100, &writtenPast), 0);
    EXPECT_EQ(Text("CHANGE", "FIELD"), "#CUSTNO");
    EXPECT_EQ(Text("CHANGE", "TO"), "1");
    EXPECT_GT(writtenPast, ElementOffset("CHANGE", "TO", 0));
    EXPECT_LT(writtenPast, FFC_PARM_AREA_SIZE);
    EXPECT_EQ(std::string(cmd.acParms + 80, 20).find('Z'), std::string::npos);
    EXPECT_EQ(std::string(cmd.acParms, FFC_PARM_AREA_SIZE).find_first_not_of(' ', static_cast<size_t>(writtenPast)),
              std::string::npos);

    const std::vector<std::pair<const char*, std::string>> commands = {
        {"SELECT", "FIELDS(#CUSTNO #CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO)"},
        {"CHANGE", "FIELD(#CUSTNO) TO(1)"},
        {"ENDIF", ""},
        {"DISPLAY", "FIELDS((#CUSTNO *L3 *P5) #CUSTNAM)"},
        {"CHANGE", "FIELD(#CUSTNAM) TO('ABC')"},
        {"SELECT", "FIELDS(#CUSTNO) FROM_FILE(CUSTMST)"},
        {"DISPLAY", "FIELDS(#A)"},
        {"IF", "COND('#CUSTNO > 5')"},
    };
    FFC_PARSED_COMMAND chained;
    std::memset(chained.acParms, ' ', sizeof chained.acParms);
    int32_t blankFrom = 0;
    for (const auto& [name, parms] : commands) {
        ASSERT_EQ(Run(name, parms), 0) << name;
        const std::string full(cmd.acParms, FFC_PARM_AREA_SIZE);
        std::memcpy(cmd.acParms, chained.acParms, sizeof cmd.acParms);
        ASSERT_EQ(Run(name, parms, true, -1, blankFrom, &blankFrom), 0) << name;
        EXPECT_EQ(std::string(cmd.acParms, FFC_PARM_AREA_SIZE), full) << name << " " << parms;
        EXPECT_EQ(full.find_first_not_of(' ', static_cast<size_t>(blankFrom)), std::string::npos) << name;
        std::memcpy(chained.acParms, cmd.acParms, sizeof cmd.acParms);
    }
    EXPECT_EQ(env.Take(), Msgs{});
}

// Defaults of another module: every byte of the area left as something else.
void FillWithQ(FFC_CONTEXT*, FFC_PARSED_COMMAND* pCommand)
{
    std::memset(pCommand->acParms, 'Q', sizeof pCommand->acParms);
}

// The entries given of a list replace its default entries, also where a
// value is refused; entries past them are blank whatever the defaults left.
TEST_F(Prepare, ListEntriesGivenReplaceTheDefaultEntries)
{
    ASSERT_EQ(Run("IF_STATUS", "IS_NOT(*ERROR *VALERROR)"), 0);
    EXPECT_EQ(Text("IF_STATUS", "IS", 0, 0), "*OKAY");
    EXPECT_EQ(Text("IF_STATUS", "IS_NOT", 0, 0), "*ERROR");
    EXPECT_EQ(Text("IF_STATUS", "IS_NOT", 0, 1), "*VALERROR");
    EXPECT_EQ(Text("IF_STATUS", "IS_NOT", 0, 2), "");
    // 21 characters: refused, and the entry is blank rather than "*OKAY"
    EXPECT_EQ(Run("IF_STATUS", "IS(ABCDEFGHIJKLMNOPQRSTU)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0304", "IS        +0000020ABCDEFGHIJKLMNOPQRST"}}));
    EXPECT_EQ(Text("IF_STATUS", "IS", 0, 0), "");
    EXPECT_EQ(Text("IF_STATUS", "IS_NOT", 0, 0), "");

    // a list whose own defaults are blank, after a handler of another module
    ASSERT_EQ(Run("SELECT", "FIELDS(#CUSTNO) FROM_FILE(CUSTMST)"), 0);
    entry.pfnDefaults = FillWithQ;
    entry.lDefaultsCached = 1;
    ASSERT_EQ(PrepareCommand(&env.ctx, &cmd, &ext, &src, buffer, kQueue, env.area.data(), env.count, &entry, -1), 0);
    EXPECT_EQ(Count("SELECT", "FIELDS"), 1);
    EXPECT_EQ(Text("SELECT", "FIELDS", 0, 0), "#CUSTNO");
    for (int e = 1; e < 100; ++e)
        ASSERT_EQ(Text("SELECT", "FIELDS", 0, e), "") << e;
    EXPECT_EQ(env.Take(), Msgs{});
}

// An entry of a field list takes its field and seven attributes: eight
// values, which the finding of a ninth names.
TEST_F(Prepare, AFieldListEntryTakesItsFieldAndSevenAttributes)
{
    ASSERT_EQ(Run("DISPLAY", "FIELDS((#CUSTNO *L3 *P5 *OUTPUT *HIGHLIGHT *UNDERLINE *BLINK *REVERSE))"), 0);
    EXPECT_EQ(env.Take(), Msgs{});
    EXPECT_EQ(Run("DISPLAY", "FIELDS((#CUSTNO *L3 *P5 *OUTPUT *HIGHLIGHT *UNDERLINE *BLINK *REVERSE *NOID))"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0311", "FIELDS    +0000008"}}));
}

TEST_F(Prepare, DesignValuesAndSeparationsTheLayoutsStepBy)
{
    ASSERT_EQ(Run("DEF_BREAK", "NAME(#BRK) FIELDS(#CUSTNO) DESIGN(*down) IDENTIFY(*NOID) DOWN_SEP(10) "
                               "ACROSS_SEP(0) TRIGGER_BY(*LEADING)"),
              0);
    EXPECT_EQ(Text("DEF_BREAK", "DESIGN"), "DOWN");
    EXPECT_EQ(Text("DEF_BREAK", "IDENTIFY"), "NOID");
    EXPECT_EQ(Number("DEF_BREAK", "DOWN_SEP"), 10);
    EXPECT_EQ(Number("DEF_BREAK", "ACROSS_SEP"), 0);
    EXPECT_EQ(Text("DEF_BREAK", "TRIGGER_BY"), "L");
    EXPECT_EQ(env.Take(), Msgs{});

    EXPECT_EQ(Run("DEF_LINE", "NAME(#LIN) FIELDS(#CUSTNO) DESIGN(*SIDEWAYS) DOWN_SEP(0) ACROSS_SEP(-1)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0310", "DESIGN    *SIDEWAYS           "},
                                {"DCM0310", "DOWN_SEP  0                   "},
                                {"DCM0310", "ACROSS_SEP-1                  "}}));
    EXPECT_EQ(Text("DEF_LINE", "DESIGN"), "ACROSS") << "the default stays";
    EXPECT_EQ(Number("DEF_LINE", "DOWN_SEP"), 1);
    EXPECT_EQ(Number("DEF_LINE", "ACROSS_SEP"), 1);
    EXPECT_EQ(Run("DEF_BREAK", "NAME(#BRK) FIELDS(#CUSTNO) TRIGGER_BY(*SOMETIMES) IDENTIFY(*NAME)"), 1);
    EXPECT_EQ(env.Take(),
              (Msgs{{"DCM0310", "TRIGGER_BY*SOMETIMES          "}, {"DCM0310", "IDENTIFY  *NAME               "}}));
    EXPECT_EQ(Text("DEF_BREAK", "TRIGGER_BY"), "T");
    EXPECT_EQ(Run("POP_UP", "FIELDS(#CUSTNO) ACROSS_SEP(11) DOWN_SEP(X)"), 1);
    EXPECT_EQ(env.Take(),
              (Msgs{{"DCM0310", "ACROSS_SEP11                  "}, {"DCM0310", "DOWN_SEP  X                   "}}));
    int32_t across;
    std::memcpy(&across, cmd.acParms + 2262, 4);
    EXPECT_EQ(across, 1);
}

TEST_F(Prepare, SelectSqlColumnTextsGoToTheExtension)
{
    std::memset(&ext, ' ', sizeof ext);
    ext.lEntries = 0;
    EXPECT_EQ(Run("SELECT_SQL", "FIELDS((#TOTAL 'SUM(Credit)') #CUSTNO (#CNT 'COUNT(*)')) FROM_FILES((CUSTMST C))"), 0);
    ASSERT_EQ(env.Take(), Msgs{});
    EXPECT_EQ(Count("SELECT_SQL", "FIELDS"), 3);
    EXPECT_EQ(Text("SELECT_SQL", "FIELDS", 0, 0), "#TOTAL");
    EXPECT_EQ(Text("SELECT_SQL", "FIELDS", 0, 2), "#CNT");
    EXPECT_EQ(std::string(FFC_ExtensionColumnText(&ext, 0), FFC_EXTENSION_COLUMN_WIDTH),
              "SUM(Credit)" + std::string(39, ' '))
        << "the text as written, without its quotes";
    EXPECT_EQ(std::string(FFC_ExtensionColumnText(&ext, 1), FFC_EXTENSION_COLUMN_WIDTH),
              std::string(FFC_EXTENSION_COLUMN_WIDTH, ' '));
    EXPECT_EQ(std::string(FFC_ExtensionColumnText(&ext, 2), 8), "COUNT(*)");
    EXPECT_EQ(ext.lEntries, 3);
    EXPECT_EQ(FFC_ExtensionColumnText(&ext, FFC_EXTENSION_ENTRIES), nullptr);
    EXPECT_EQ(env.Take(), Msgs{});

    const std::string longText = "'" + std::string(51, 'X') + "'";
    EXPECT_EQ(Run("SELECT_SQL", "FIELDS((#TOTAL " + longText + ")) FROM_FILES(CUSTMST)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0304", "FIELDS    +0000050" + std::string(20, 'X')}}));
    EXPECT_EQ(Run("SELECT_SQL", "FIELDS((#TOTAL 'SUM(A)' 'MAX(B)')) FROM_FILES(CUSTMST)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0311", "FIELDS    +0000002"}}));
}

// What the preparations keep between commands is freed once every command
// is prepared; a preparation after that reads the command views again and
// gives the same parameter area.
TEST_F(Prepare, APreparationAfterTheKeptViewsWereFreed)
{
    const std::string select = "FIELDS(#CUSTNO #CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO)";
    ASSERT_EQ(Run("SELECT", select), 0);
    const std::string before(cmd.acParms, FFC_PARM_AREA_SIZE);
    EXPECT_EQ(Text("SELECT", "FROM_FILE", 1), "*FIRST");
    ForgetPreparations();
    ASSERT_EQ(Run("SELECT", select), 0);
    EXPECT_EQ(std::string(cmd.acParms, FFC_PARM_AREA_SIZE), before);
    ForgetPreparations();
    ASSERT_EQ(Run("CHANGE", "FIELD(#CUSTNO) TO(1)"), 0);
    EXPECT_EQ(Count("CHANGE", "FIELD"), 1);
    EXPECT_EQ(Text("CHANGE", "FIELD"), "#CUSTNO");
    EXPECT_EQ(Text("CHANGE", "TO"), "1");
    ASSERT_EQ(Run("SELECT", select), 0);
    EXPECT_EQ(std::string(cmd.acParms, FFC_PARM_AREA_SIZE), before);
    EXPECT_EQ(env.Take(), Msgs{});
}

TEST_F(Prepare, BadParameterTexts)
{
    EXPECT_EQ(Run("IF", "COND('#A = B)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0306", "IF        +0000006"}}));
    EXPECT_EQ(Run("SELECT", "FIELDS(#A #B FROM_FILE(X)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0307", "SELECT    +0000007"}}));
    EXPECT_EQ(Run("GOTO", "L10)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0308", "GOTO      +0000004"}}));
    EXPECT_EQ(Run("FETCH", "FIELDS(#A) FROM_FILE(X) WITHKEY(#A)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0301", "FETCH     WITHKEY   "}}));
    EXPECT_EQ(Run("FETCH", "FIELDS(#A) FIELDS(#B)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0302", "FETCH     FIELDS    "}}));
    EXPECT_EQ(Run("GOTO", "L10 L20"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0303", "GOTO      L20                 "}}));
    EXPECT_EQ(Run("GOTO", "LABEL(ABCDEFGHIJK)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0304", "LABEL     +0000010ABCDEFGHIJK         "}}));
    std::string many = "WITH_KEY(";
    for (int i = 0; i < 21; ++i)
        many += "#K" + std::to_string(i) + " ";
    EXPECT_EQ(Run("FETCH", many + ")"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0305", "WITH_KEY  +0000020"}}));
    EXPECT_EQ(Run("SPACE", "LINES(two)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0309", "LINES     two                 "}}));
    EXPECT_EQ(Run("SPACE", "LINES(99999999999)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0304", "LINES     +000001099999999999         "}}));
    EXPECT_EQ(Run("FUNCTION", "OPTIONS(*DIRECT *FAST)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0310", "OPTIONS   *FAST               "}}));
    EXPECT_EQ(Run("CALL", "PROCESS(A B C)"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0311", "PROCESS   +0000001"}}));
    EXPECT_EQ(Run("SUBROUTINE", "NAME(X) PARMS((#A *RECEIVED EXTRA))"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0311", "PARMS     +0000002"}}));
    EXPECT_EQ(Run("FETCH", "@PHYSFILE(X)"), 1) << "result slots cannot be written";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0301", "FETCH     @PHYSFILE "}}));
    std::string huge(11000, 'A');
    EXPECT_EQ(Run("MESSAGE", "MSGTXT('" + huge), 1) << "a text filling the whole buffer";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0306", "MESSAGE   +0000008"}}));
    EXPECT_EQ(Run("MESSAGE", "MSGTXT('" + std::string(200, 'x') + "')"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0304", "MSGTXT    +0000080" + std::string(20, 'x')}}));
}

}  // namespace

namespace {

// Every command with texts built to break a parser: nothing crashes or
// writes outside the parameter area (the sanitizers watch), and a refused
// text always leaves a finding.
TEST_F(Prepare, HostileTextsForEveryCommand)
{
    const std::string texts[] = {
        "(((((((((((((((((((((((((((((((((",
        ")))))",
        "'",
        "''''''''",
        "FIELDS(" + std::string(5000, '#') + ")",
        "WHERE('" + std::string(3000, 'x') + "')",
        "A(B(C(D(E(F(G(H)))))))",
        "X'0A' X'' X' ((a) (b (c (d))))",
        std::string(10990, ' ') + "LABEL(L1)",
        "@NAME(X) @PARMCOUNT(5)",
        "FIELDS((#A *L1 *P2 *OUTPUT *INPUT *HI *RI *UL *ND *PC))",
        "TEXTS(('a' 1 2) ('b' 99999 3) ('c' x y))",
        "USER_KEYS((1 'a' b c d e f))",
        std::string("NAME(\0\0\0)", 9),
    };
    int refused = 0;
    for (const CommandDef& c : kCommands) {
        for (const std::string& t : texts) {
            int16_t rc = Run(c.name, t);
            Msgs found = env.Take();
            EXPECT_EQ(rc != 0, !found.empty()) << c.name << ": " << t.substr(0, 40);
            refused += rc != 0;
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace

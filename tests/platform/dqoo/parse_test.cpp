// The object layer's parses: ZOPH2 against the command table, ZOPHX field
// references and findings, and the tokeniser.

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/objlayer_repo.h"
#include "platform/dqot/command_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_findings;
std::vector<std::string> g_fields;
std::vector<std::string> g_tokens;
std::string g_parameters;

struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

class ObjectParse : public ::testing::Test {
protected:
    // the repository the component commands' classes are looked up in
    objlayer_test::SampleRepository repo;
    dqot_test::CommandTable table;
    HandleBlock block;
    FCC_BUILD_HANDLE* handle = block.get();

    void SetUp() override
    {
        g_findings.clear();
        g_fields.clear();
        g_tokens.clear();
        g_parameters.clear();
        DQOO_BUILD_REQUEST request{};
        request.pszObjectName = "DEMOPRC";
        request.pszFunctionName = "DEMOFN";
        request.pszPartition = "DEM";
        request.pCommands = &table.table;
        request.chNational1 = '#';
        uint32_t passes = 0;
        int32_t value = 0;
        ASSERT_EQ(0, DQOO_FCC_StartBuild(handle, &request, &passes, &value));
        DQOO_START_REQUEST start{};
        start.pszProcessName = "DEMOPRC";
        start.pszFunctionName = "DEMOFN";
        start.usMode = DQOO_MODE_TOOLS;
        start.pfnReportFinding = [](const char* text, size_t length) { g_findings.emplace_back(text, length); };
        ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &start));
    }
    void TearDown() override
    {
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
    }
};

TEST_F(ObjectParse, Zoph2FillsTheParsedCommand)
{
    DQOO_PARSED_COMMAND parsed;
    ASSERT_EQ(0, DQOO_FCC_ParseZOPH2(handle, "L20: INCLUDE PROCESS(DEMOPRC) FUNCTION(DEMOINC)", &parsed));
    EXPECT_EQ(0, parsed.lError);
    EXPECT_EQ(122, parsed.usCommandCode);
    EXPECT_EQ("L20", std::string(parsed.achLabel, 3));
    EXPECT_EQ("INCLUDE   ", std::string(parsed.achName, 10));
    const std::string parameters = "PROCESS(DEMOPRC) FUNCTION(DEMOINC)";
    ASSERT_EQ(parameters.size(), parsed.ulParmLength);
    EXPECT_EQ(parameters, std::string(parsed.achParameters, parameters.size()));
    EXPECT_EQ(' ', parsed.achParameters[parameters.size()]);
    EXPECT_EQ(' ', parsed.achParameters[sizeof parsed.achParameters - 1]);
    EXPECT_TRUE(g_findings.empty());

    EXPECT_EQ(DQOO_ERR_SYNTAX, DQOO_FCC_ParseZOPH2(handle, "INCLUDE PROCESS(DEMOPRC", &parsed));
    EXPECT_EQ(TPARS_ERR_UNCLOSED_BRACKET, parsed.lError);
    EXPECT_STREQ("Command syntax error at column 16: opening bracket not closed.", parsed.szErrorText);
    ASSERT_EQ(1u, g_findings.size());
    EXPECT_EQ(parsed.szErrorText, g_findings[0]);

    // More parameter text than the parsed command holds is refused.
    const std::string longText = "MESSAGE MSGTXT('" + std::string(11000, 'x') + "')";
    EXPECT_EQ(DQOO_ERR_SYNTAX, DQOO_FCC_ParseZOPH2(handle, longText.c_str(), &parsed));
    EXPECT_NE(0, parsed.lError);
}

// A component command is parsed twice: the first parse of a line declares
// and takes the dispatch id, the second resolves names and hands the fields
// it uses to the collector (a name that is no member, no class and no
// feature is a field; with no field callback every field is accepted).
TEST_F(ObjectParse, ZophxCollectsFieldReferences)
{
    const auto collect = [](const char* field, uint32_t line) -> long {
        g_fields.push_back(std::string(field) + "@" + std::to_string(line));
        return 0;
    };
    const char* lines[] = {"DEFINE_MAP FOR(*OUTPUT) CLASS(#CUSTNAME) NAME(#PROPERTY)",
                           "L1: SET COM(#PROPERTY) VALUE(#CUSTNAME) VALUE('#NOTME')", "#TOTAL := #PRICE * #QTY.Value"};
    int32_t ids[3][2];
    for (int parse = 0; parse < 2; ++parse)
        for (uint32_t i = 0; i < 3; ++i)
            EXPECT_EQ(0, DQOO_FCC_ParseZOPHX(handle, lines[i], 5 + i, collect, &ids[i][parse])) << lines[i];
    EXPECT_EQ((std::vector<std::string>{"CUSTNAME@5", "CUSTNAME@6", "TOTAL@7", "PRICE@7", "QTY@7"}), g_fields);
    EXPECT_TRUE(g_findings.empty());
    // a declaration has no dispatch id; SET and the assignment have 1 and 2, in both parses
    EXPECT_EQ(-1, ids[0][0]);
    EXPECT_EQ(1, ids[1][0]);
    EXPECT_EQ(2, ids[2][0]);
    for (auto& id : ids)
        EXPECT_EQ(id[0], id[1]);

    std::vector<std::string> exchanged;
    EXPECT_EQ(4, DQOO_FCC_EnumerateExchangedFields(
                     handle,
                     [](void* user, const DQOO_EXCHANGED_FIELD* f) -> long {
                         static_cast<std::vector<std::string>*>(user)->push_back(
                             std::to_string(f->lNumber) + " " + f->pszField + " " + f->chMaximum + f->chEvaluationCase);
                         return 0;
                     },
                     &exchanged));
    EXPECT_EQ((std::vector<std::string>{"1 CUSTNAME NN", "2 TOTAL NN", "3 PRICE NN", "4 QTY NN"}), exchanged);
    std::vector<std::string> dispatches;
    EXPECT_EQ(2, DQOO_FCC_EnumerateDispatches(
                     handle,
                     [](void* user, const DQOO_DISPATCH* d) -> long {
                         static_cast<std::vector<std::string>*>(user)->push_back(
                             std::to_string(d->lId) + " " + d->pszCommand + " " + d->pszComponent + " [" +
                             d->pszFeature + "] " + d->pszArguments);
                         return 0;
                     },
                     &dispatches));
    EXPECT_EQ((std::vector<std::string>{"1 SET PROPERTY [VALUE VALUE] VALUE=@1;VALUE='#NOTME'",
                                        "2 ASSIGN TOTAL [] TO=@2;VALUE=@3 * @4"}),
              dispatches);

    // lexical findings are reported once, by the first parse
    for (int parse = 0; parse < 2; ++parse) {
        EXPECT_EQ(1, DQOO_FCC_ParseZOPHX(handle, "SET COM(#A) VALUE('open", 9, collect, nullptr));
        EXPECT_EQ(1, DQOO_FCC_ParseZOPHX(handle, "SET COM(#A VALUE(1)", 10, collect, nullptr));
    }
    EXPECT_EQ((std::vector<std::string>{"Line 9 column 19: literal not closed.",
                                        "Line 10 column 8: opening bracket not closed."}),
              g_findings);
}

TEST_F(ObjectParse, TokeniserCountsWordsAndHandsOverTheParameters)
{
    const auto count = [](uint32_t line, const char* token, uint32_t length) -> long {
        g_tokens.push_back(std::to_string(line) + ":" + std::string(token, length));
        return 0;
    };
    const auto sink = [](uint32_t line, const char* parameters) -> long {
        g_parameters = std::to_string(line) + ":" + parameters;
        return 0;
    };
    const std::string text = "L12: INCLUDE PROCESS(*DIRECT) FUNCTION(DEMO INC)   'a b' X";
    const DQOO_TOKENIZE_REQUEST request{12, static_cast<uint32_t>(text.size()), text.c_str()};
    ASSERT_EQ(0, DQOO_FCC_TokenizeCommand(handle, &request, count, sink));
    EXPECT_EQ((std::vector<std::string>{"12:PROCESS(*DIRECT)", "12:FUNCTION(DEMO INC)", "12:'a b'", "12:X"}), g_tokens);
    EXPECT_EQ("12:PROCESS(*DIRECT) FUNCTION(DEMO INC)   'a b' X", g_parameters);

    // The length bounds the text.
    const DQOO_TOKENIZE_REQUEST shorter{3, 29, text.c_str()};
    g_tokens.clear();
    ASSERT_EQ(0, DQOO_FCC_TokenizeCommand(handle, &shorter, count, sink));
    EXPECT_EQ("3:PROCESS(*DIRECT)", g_parameters);

    // The sink's refusal is the result.
    EXPECT_EQ(-6, DQOO_FCC_TokenizeCommand(handle, &request, count, [](uint32_t, const char*) -> long { return -6; }));

    const std::string bad = "INCLUDE PROCESS('X)";
    const DQOO_TOKENIZE_REQUEST broken{4, static_cast<uint32_t>(bad.size()), bad.c_str()};
    EXPECT_EQ(DQOO_ERR_SYNTAX, DQOO_FCC_TokenizeCommand(handle, &broken, count, sink));
    EXPECT_EQ((std::vector<std::string>{"Line 4 column 17: literal not closed."}), g_findings);
}

}  // namespace

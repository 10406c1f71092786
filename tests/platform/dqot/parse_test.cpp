// Command parser: split of commands into label, name, number and
// parameters, and the errors of malformed commands.

#include "command_names.h"
#include "platform/dqos/dqos.h"
#include "platform/dqot/dqot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Parsed {
    int32_t error = -1;
    uint16_t code = 0;
    uint16_t preSplit = 0;
    uint16_t line = 0;
    uint16_t column = 0;
    std::string label;
    std::string name;
    std::string parameters;
    std::string text;
};

Parsed parse(const std::string& text, const TPARS_KEYWORD_TABLE* keywords = nullptr, uint32_t option1 = 0)
{
    static dqot_test::CommandTable table;
    TPARS_RESULT* results = nullptr;
    EXPECT_EQ(0, TPARS_sParseZOPH(text.c_str(), &table.table, keywords, 0, '#', '@', &results, nullptr, option1, 0));
    Parsed p;
    if (results == nullptr)
        return p;
    EXPECT_EQ(1, results[0].usLast);
    p.error = results[0].lError;
    p.code = results[0].usCommandCode;
    p.preSplit = results[0].usPreSplit;
    p.line = results[0].usLine;
    p.column = results[0].usColumn;
    p.label.assign(results[0].achLabel, 3);
    p.name.assign(results[0].achName, 10);
    if (results[0].pszParameters != nullptr) {
        p.parameters = results[0].pszParameters;
        EXPECT_EQ(p.parameters.size(), results[0].ulParmLength);
    }
    p.text = results[0].szText;
    TPARS_FreeResults(results);
    return p;
}

TEST(CommandParser, SplitsLabelNameAndParameters)
{
    Parsed p = parse("L10: CHANGE FIELD(#TOTAL) TO('0')");
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ(18, p.code);
    EXPECT_EQ(1, p.preSplit);
    EXPECT_EQ("L10", p.label);
    EXPECT_EQ("CHANGE    ", p.name);
    EXPECT_EQ("FIELD(#TOTAL) TO('0')", p.parameters);

    p = parse("FUNCTION OPTIONS(*DIRECT)");
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ(96, p.code);
    EXPECT_EQ("   ", p.label);
    EXPECT_EQ("OPTIONS(*DIRECT)", p.parameters);

    p = parse("RETURN");
    EXPECT_EQ(69, p.code);
    EXPECT_EQ("", p.parameters);

    p = parse("a1:goto l20", nullptr, TPARS_OPT_ANY_CASE_NAMES);
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ(7, p.code);
    EXPECT_EQ("A1 ", p.label);
    EXPECT_EQ("GOTO      ", p.name);
    EXPECT_EQ("l20", p.parameters);

    p = parse("_INVOKE #X");
    EXPECT_EQ(127, p.code);
    p = parse("UREQUEST FIELDS(#A)");
    EXPECT_EQ(14, p.code);
    p = parse("#1@: SELECT_SQL FIELDS(#A) FROM_FILES((CUST))");
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ(98, p.code);
    EXPECT_EQ("#1@", p.label);
    EXPECT_EQ("FIELDS(#A) FROM_FILES((CUST))", p.parameters);
}

TEST(CommandParser, LiteralsKeepDoubledQuotesAndBrackets)
{
    Parsed p = parse("MESSAGE MSGTXT('It''s (not) a bracket: ) here')");
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ(25, p.code);
    EXPECT_EQ("MSGTXT('It''s (not) a bracket: ) here')", p.parameters);
    // Doubled quotes right beside brackets inside and at the ends of literals.
    for (const char* params : {"FIELD(#A) TO('''')", "FIELD(#A) TO('('')')", "FIELD(#A) TO(''')(''')"}) {
        p = parse(std::string("CHANGE ") + params);
        EXPECT_EQ(TPARS_OK, p.error) << params;
        EXPECT_EQ(params, p.parameters);
    }
    EXPECT_EQ(TPARS_ERR_UNCLOSED_BRACKET, parse("CHANGE FIELD(#A) TO(''')'").error);
}

TEST(CommandParser, JoinsContinuationLines)
{
    Parsed p = parse("MESSAGE MSGTXT('First part +\n      and second')");
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ("MSGTXT('First part and second')", p.parameters);
    p = parse("MESSAGE MSGTXT('abc-\n  def')");
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ("MSGTXT('abc  def')", p.parameters);
    p = parse("FETCH FIELDS(#A #B)\r\n      FROM_FILE(CUST)");
    EXPECT_EQ(TPARS_OK, p.error);
    EXPECT_EQ("FIELDS(#A #B)       FROM_FILE(CUST)", p.parameters);
}

TEST(CommandParser, MalformedCommandsNameThePlace)
{
    Parsed p = parse("MESSAGE MSGTXT('unclosed)");
    EXPECT_EQ(TPARS_ERR_UNCLOSED_QUOTE, p.error);
    EXPECT_EQ(16, p.column);
    EXPECT_EQ("Command syntax error at column 16: literal not closed.", p.text);

    p = parse("IF COND((#A = 1)");
    EXPECT_EQ(TPARS_ERR_UNCLOSED_BRACKET, p.error);
    EXPECT_EQ(8, p.column);
    EXPECT_NE(std::string::npos, p.text.find("column 8"));

    p = parse("IF COND(#A = 1))");
    EXPECT_EQ(TPARS_ERR_UNMATCHED_BRACKET, p.error);
    EXPECT_EQ(16, p.column);

    p = parse("LONG: GOTO L10");
    EXPECT_EQ(TPARS_ERR_LABEL_TOO_LONG, p.error);
    EXPECT_EQ(1, p.column);
    EXPECT_EQ("Command syntax error at column 1: label LONG is longer than 3 characters.", p.text);

    p = parse("  L1: FROBNICATE X(1)");
    EXPECT_EQ(TPARS_ERR_UNKNOWN_NAME, p.error);
    EXPECT_EQ(7, p.column);
    EXPECT_EQ("Command syntax error at column 7: unknown command name FROBNICATE.", p.text);

    p = parse("change field(#a)");  // names are upper case unless the option says otherwise
    EXPECT_EQ(TPARS_ERR_UNKNOWN_NAME, p.error);

    p = parse("L$1: RETURN");
    EXPECT_EQ(TPARS_ERR_LABEL_CHARACTER, p.error);
    EXPECT_EQ(2, p.column);

    p = parse("L1:   ");
    EXPECT_EQ(TPARS_ERR_NAME_MISSING, p.error);
    p = parse("   ");
    EXPECT_EQ(TPARS_ERR_EMPTY, p.error);

    p = parse("MESSAGE MSGTXT('one\ntwo')");
    EXPECT_EQ(TPARS_ERR_UNCLOSED_QUOTE, p.error);
    EXPECT_EQ(1, p.line);
    EXPECT_EQ(16, p.column);
    EXPECT_NE(std::string::npos, p.text.find("line 1 column 16"));

    p = parse("CHANGE FIELD(#A) +\n   ");
    EXPECT_EQ(TPARS_ERR_CONTINUATION, p.error);
    EXPECT_EQ(1, p.line);
    EXPECT_EQ(18, p.column);

    p = parse("FETCH FIELDS(#A)\n   FROM_FILE(CUST");
    EXPECT_EQ(TPARS_ERR_UNCLOSED_BRACKET, p.error);
    EXPECT_EQ(2, p.line);
    EXPECT_EQ(13, p.column);
}

TEST(CommandParser, KeywordsCheckedAgainstTheKeywordTable)
{
    static const char* const changeKeywords[] = {"FIELD", "TO", "ROUND_UP"};
    TPARS_COMMAND_KEYWORDS entries[127] = {};
    entries[17] = {3, changeKeywords};
    const TPARS_KEYWORD_TABLE keywords{127, entries};
    EXPECT_EQ(TPARS_OK, parse("CHANGE FIELD(#A) TO('X(Y)')", &keywords).error);
    Parsed p = parse("CHANGE FIELD(#A) INTO(#B)", &keywords);
    EXPECT_EQ(TPARS_ERR_UNKNOWN_KEYWORD, p.error);
    EXPECT_EQ(18, p.column);
    EXPECT_EQ("Command syntax error at column 18: keyword INTO is not a parameter of CHANGE.", p.text);
    // A command without keyword entries is not checked.
    EXPECT_EQ(TPARS_OK, parse("GOTO LABEL(L10)", &keywords).error);
}

TEST(CommandParser, DisplayResultShowsTheErrorText)
{
    static dqot_test::CommandTable table;
    char shown[300];
    ASSERT_EQ(0, TPARS_InitServices());
    SMSG_RedirectMsgs(shown, sizeof shown);
    TPARS_RESULT* results = nullptr;
    ASSERT_EQ(0, TPARS_sParseZOPH("L1: XYZ", &table.table, nullptr, 0, '#', '@', &results, nullptr, 0, 0));
    TPARS_DisplayResult(&results[0]);
    EXPECT_STREQ("Command syntax error at column 5: unknown command name XYZ.", shown);
    TPARS_FreeResults(results);

    SMSG_RedirectMsgs(shown, sizeof shown);
    ASSERT_EQ(0, TPARS_sParseZOPH("RETURN", &table.table, nullptr, 0, '#', '@', &results, nullptr, 0, 0));
    TPARS_DisplayResult(&results[0]);  // a good result shows nothing
    EXPECT_STREQ("", shown);
    TPARS_FreeResults(results);
    SMSG_RedirectMsgs(nullptr, 0);

    EXPECT_EQ(-1, TPARS_sParseZOPH(nullptr, &table.table, nullptr, 0, '#', '@', &results, nullptr, 0, 0));
    EXPECT_EQ(nullptr, results);
}

}  // namespace

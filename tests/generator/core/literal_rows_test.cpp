// The field vector rows of a function's numeric literals, by a whole job:
// each literal's type, length and decimals, the length its digits without
// leading zeros, and at least one (the literal 0 is one digit long); a
// whole number of at most nine digits is a long, any other a double.
#include "gen_fixture.h"

namespace gencore_test {
namespace {

using LiteralRows = JobFixture;

TEST_F(LiteralRows, EachLiteralHasItsLengthAndType)
{
    addFunction("DEMORUN", "LITROWS",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#LRN) TYPE(*DEC) LENGTH(15) DECIMALS(2)",
                 "CHANGE FIELD(#LRN) TO(0)", "CHANGE FIELD(#LRN) TO(7)", "CHANGE FIELD(#LRN) TO(10)",
                 "CHANGE FIELD(#LRN) TO(12.50)", "CHANGE FIELD(#LRN) TO(1234567890)", "CHANGE FIELD(#LRN) TO(000)",
                 "CHANGE FIELD(#LRN) TO(999999999)", "RETURN"});
    int32_t result = -9;
    const std::string out = run("LITROWS", 'G', result, "DEMORUN");
    ASSERT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    const std::string c = readFile(sourceDir() / "LITROWS.C");
    /* the literals are numbered in the order of their first use */
    const std::string storage = readFile(sourceDir() / "LITROWS.STG");
    struct Row {
        const char* number;
        const char* columns; /* type, subtype, length; then the decimals */
        int decimals;
        int bytes; /* a long's 4, a double's 8 */
    };
    const Row rows[] = {
        {"001", "X_TYPE_LONG,X_SUBTYPE_LITERAL,'N',1,", 0, 4},    /* 0 */
        {"002", "X_TYPE_LONG,X_SUBTYPE_LITERAL,'N',1,", 0, 4},    /* 7 */
        {"003", "X_TYPE_LONG,X_SUBTYPE_LITERAL,'N',2,", 0, 4},    /* 10 */
        {"004", "X_TYPE_DOUBLE,X_SUBTYPE_LITERAL,'N',4,", 2, 8},  /* 12.50 */
        {"005", "X_TYPE_DOUBLE,X_SUBTYPE_LITERAL,'N',10,", 0, 8}, /* 1234567890 */
        {"006", "X_TYPE_LONG,X_SUBTYPE_LITERAL,'N',1,", 0, 4},    /* 000 */
        {"007", "X_TYPE_LONG,X_SUBTYPE_LITERAL,'N',9,", 0, 4},    /* 999999999 */
    };
    for (const Row& r : rows) {
        std::string define = std::string("#define BYTE_LEN_V_NUMERIC_LITERAL_") + r.number;
        define.resize(60, ' ');
        EXPECT_NE(storage.find(define + std::to_string(r.bytes) + " "), std::string::npos) << define << "\n" << storage;
        const std::string symbol = std::string("BYTE_LEN_V_NUMERIC_LITERAL_") + r.number + ",";
        const size_t at = c.find(symbol);
        ASSERT_NE(at, std::string::npos) << r.number;
        const size_t begin = c.rfind('\n', at) + 1;
        const std::string row = c.substr(begin, c.find('\n', at) - begin);
        EXPECT_NE(row.find(std::string(",0,") + r.columns + symbol), std::string::npos) << row;
        const size_t next = c.find('\n', at) + 1;
        const std::string second = c.substr(next, c.find('\n', next) - next);
        EXPECT_EQ(second.substr(second.find_first_not_of(' '), 2), std::to_string(r.decimals) + ",") << second;
    }
}

}  // namespace
}  // namespace gencore_test

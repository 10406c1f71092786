// Repository statements: bound values, result codes, transactions, fetch
// buffers, failure injection.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"
#include "repo_fixture.h"
#include "scoped_env.h"

using dqos_test::countFromOutside;
using dqos_test::TempRepository;

namespace {

const char* kDdl = "CREATE TABLE QV_T1 (K CHAR(10) COLLATE RTRIM NOT NULL, TXT VARCHAR(200), N INTEGER,"
                   " PRIMARY KEY (K));";

class SqlTest : public ::testing::Test {
protected:
    TempRepository repo{kDdl};
    void SetUp() override { ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError(); }
    void TearDown() override
    {
        SSQL_SetFailLocation(nullptr);
        SSQL_SetLocation(nullptr);
        SSQL_Disconnect();
    }
    unsigned short insert(const char* k, const char* txt, int n)
    {
        SSQL_AREA a;
        EXPECT_EQ(SSQL_DeclareExt(&a, "INSERT INTO QV_DTA.QV_T1 (K, TXT, N) VALUES ('%s', '%s', %d)", k, txt, n),
                  SSQL_RC_OK);
        SSQL_SQLDA* h = nullptr;
        unsigned short rc = SSQL_sRun(&a, &h, 0);
        SMEM_FreeMem(h);
        return rc;
    }
    std::string selectText(const char* k, unsigned short* rcOut = nullptr)
    {
        SSQL_AREA a;
        SSQL_DeclareExt(&a, "SELECT TXT FROM QV_DTA.QV_T1 WHERE K = '%s'", k);
        SSQL_SQLDA* h = nullptr;
        unsigned short rc = SSQL_sRun(&a, &h, 0);
        if (rcOut)
            *rcOut = rc;
        std::string out;
        if (char* d = SSQL_GetData(h, 1)) {
            out = d;
            SMEM_FreeMem(d);
        }
        SSQL_FreeSqlda(h);
        return out;
    }
};

TEST_F(SqlTest, ValuesWithQuotesAndInjectionRoundTrip)
{
    const char* apostrophe = "O'Brien's \"quoted\" text";
    const char* attack = "x'); DROP TABLE QV_DTA.QV_T1; --";
    ASSERT_EQ(insert("A1", apostrophe, 1), SSQL_RC_OK) << SSQL_pszLastError();
    ASSERT_EQ(insert("A2", attack, 2), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(selectText("A1"), apostrophe);
    EXPECT_EQ(selectText("A2"), attack);
    // The key itself carrying an attack finds nothing and harms nothing.
    unsigned short rc = 0;
    EXPECT_EQ(selectText("A1' OR '1'='1"), "");
    selectText("A1' OR '1'='1", &rc);
    EXPECT_EQ(rc, SSQL_RC_NOROW);
    SSQL_Commit();
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1"), 2);
}

TEST_F(SqlTest, MissingRowGivesNoRowCode)
{
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT N FROM QV_DTA.QV_T1 WHERE K = '%s'", "NONE");
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
    int32_t n = 7;
    EXPECT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_I32(&n)), SSQL_RC_NOROW);
    EXPECT_EQ(n, 7);
    EXPECT_EQ(SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2), SSQL_RC_OK);
    EXPECT_EQ(h1, nullptr);
    SSQL_SQLDA* h = nullptr;
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_NOROW);
    SSQL_FreeSqlda(h);
}

TEST_F(SqlTest, FixedFetchIsBlankPaddedAndVaryingCarriesLength)
{
    ASSERT_EQ(insert("K1", "abc", 5), SSQL_RC_OK);
    ASSERT_EQ(insert("K2", "a long text that is cut", -3), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT K, TXT, N, N, COUNT(*) OVER () FROM QV_DTA.QV_T1 ORDER BY K");
    uint16_t cursor = 0;
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
    char key[10];
    char var[2 + 10];
    int16_t n16 = 0;
    uint32_t u32 = 99, count = 0;
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, &h1, &h2, 5, SSQL_FIXED(key, 10), SSQL_VARYING(var, 10), SSQL_I16(&n16),
                             SSQL_U32(&u32), SSQL_U32(&count)),
              SSQL_RC_OK);
    EXPECT_EQ(std::string(key, 10), "K1        ");
    uint16_t len;
    std::memcpy(&len, var, 2);
    EXPECT_EQ(len, 3);
    EXPECT_EQ(std::string(var + 2, len), "abc");
    EXPECT_EQ(n16, 5);
    EXPECT_EQ(count, 2u);
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, &h1, &h2, 5, SSQL_FIXED(key, 10), SSQL_VARYING(var, 10), SSQL_I16(&n16),
                             SSQL_U32(&u32), SSQL_U32(&count)),
              SSQL_RC_OK);
    std::memcpy(&len, var, 2);
    EXPECT_EQ(len, 10);  // cut to the buffer's width
    EXPECT_EQ(std::string(var + 2, len), "a long tex");
    EXPECT_EQ(n16, -3);
    EXPECT_EQ(u32, 0u);  // a negative value never wraps into a huge count
    ASSERT_NE(h2, nullptr);
    char* second = SSQL_GetData(h2, 2);
    EXPECT_STREQ(second, "a long text that is cut");
    SMEM_FreeMem(second);
    unsigned short rc = SSQL_sFetchExt(&a, cursor, &h1, &h2, 1, SSQL_FIXED(key, 10));
    EXPECT_EQ(rc, SSQL_RC_END);
    EXPECT_EQ(SSQL_sCloseExt(cursor, &h1, &h2), SSQL_RC_OK);
    EXPECT_EQ(SSQL_sCloseExt(cursor, &h1, &h2), SSQL_RC_ERROR);
}

// A caller that reads only its buffers asks for no areas: the rows still
// arrive, the end and a failure are still told by the result code, and a
// caller that asks for the areas on the same cursor gets them.
TEST_F(SqlTest, FetchWithoutAreasFillsTheBuffers)
{
    ASSERT_EQ(insert("N1", "first", 1), SSQL_RC_OK);
    ASSERT_EQ(insert("N2", "second", 2), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT K, N FROM QV_DTA.QV_T1 ORDER BY K");
    uint16_t cursor = 0;
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    char key[10];
    int32_t n = 0;
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 2, SSQL_FIXED(key, 10), SSQL_I32(&n)), SSQL_RC_OK);
    EXPECT_EQ(std::string(key, 10), "N1        ");
    EXPECT_EQ(n, 1);
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, &ca, &da, 2, SSQL_FIXED(key, 10), SSQL_I32(&n)), SSQL_RC_OK);
    EXPECT_EQ(n, 2);
    ASSERT_NE(da, nullptr);
    char* text = SSQL_GetData(da, 1);
    EXPECT_STREQ(text, "N2");
    SMEM_FreeMem(text);
    EXPECT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 2, SSQL_FIXED(key, 10), SSQL_I32(&n)), SSQL_RC_END);
    EXPECT_EQ(SSQL_sCloseExt(cursor, &ca, &da), SSQL_RC_OK);
    // more buffers than columns is refused without an area to carry it
    SSQL_DeclareExt(&a, "SELECT K FROM QV_DTA.QV_T1 ORDER BY K");
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    EXPECT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 2, SSQL_FIXED(key, 10), SSQL_I32(&n)), SSQL_RC_ERROR);
    EXPECT_NE(std::string(SSQL_pszLastError()).find("More fetch buffers"), std::string::npos);
    EXPECT_EQ(SSQL_sCloseExt(cursor, nullptr, nullptr), SSQL_RC_OK);
}

// A one-letter fixed buffer takes the first letter of its column, a blank for
// an empty text or NULL, on every row it is fetched into again; the bytes
// around it are not touched.
TEST_F(SqlTest, OneLetterBuffersTakeTheFirstLetterOrABlank)
{
    ASSERT_EQ(insert("L1", "abc", -7), SSQL_RC_OK);
    ASSERT_EQ(insert("L2", "", 5), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT TXT, NULL, N, K FROM QV_DTA.QV_T1 ORDER BY K");
    uint16_t cursor = 0;
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    char row[8];
    std::memset(row, 'x', sizeof row);
    auto fetch = [&] {
        return SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 4, SSQL_FIXED(row + 1, 1), SSQL_FIXED(row + 3, 1),
                              SSQL_FIXED(row + 5, 1), SSQL_FIXED(row + 6, 1));
    };
    ASSERT_EQ(fetch(), SSQL_RC_OK);
    EXPECT_EQ(std::string(row, 8), "xax x-Lx");
    ASSERT_EQ(fetch(), SSQL_RC_OK);
    EXPECT_EQ(std::string(row, 8), "x x x5Lx");
    EXPECT_EQ(fetch(), SSQL_RC_END);
    EXPECT_EQ(SSQL_sCloseExt(cursor, nullptr, nullptr), SSQL_RC_OK);
}

// Text buffers and the descriptor area take each column as its text: a
// number as its digits, an empty text as no characters, NULL as nothing
// (blanks in a fixed buffer, length 0 in a varying one, no text in the area).
TEST_F(SqlTest, TextBuffersTakeNumbersAsDigitsAndNullAsNothing)
{
    ASSERT_EQ(insert("E1", "", -42), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT N, TXT, NULL, NULL, N FROM QV_DTA.QV_T1 WHERE K = '%s'", "E1");
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    char digits[6], empty[4], none[4], noneVar[2 + 4];
    int32_t n = 0;
    std::memset(empty, 'x', sizeof empty);
    std::memset(none, 'x', sizeof none);
    std::memset(noneVar, 'x', sizeof noneVar);
    ASSERT_EQ(SSQL_sRunExt(&a, &ca, &da, 5, SSQL_FIXED(digits, 6), SSQL_FIXED(empty, 4), SSQL_FIXED(none, 4),
                           SSQL_VARYING(noneVar, 4), SSQL_I32(&n)),
              SSQL_RC_OK);
    EXPECT_EQ(std::string(digits, 6), "-42   ");
    EXPECT_EQ(std::string(empty, 4), "    ");
    EXPECT_EQ(std::string(none, 4), "    ");
    uint16_t len = 99;
    std::memcpy(&len, noneVar, 2);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(n, -42);
    ASSERT_NE(da, nullptr);
    ASSERT_EQ(da->usColumns, 5);
    // the area's text of a column, "(null)" for none
    auto areaText = [da](uint16_t column) {
        char* text = SSQL_GetData(da, column);
        std::string out = text ? text : "(null)";
        SMEM_FreeMem(text);
        return out;
    };
    EXPECT_EQ(areaText(1), "-42");
    EXPECT_EQ(areaText(2), "");  // an empty text is a text
    EXPECT_EQ(areaText(3), "(null)");
    EXPECT_EQ(areaText(4), "(null)");
    EXPECT_EQ(areaText(5), "-42");
    EXPECT_EQ(SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da), SSQL_RC_OK);
}

TEST_F(SqlTest, IntegerBuffersClampToTheirRangeAndTakeNullAsZero)
{
    ASSERT_EQ(insert("B1", "big", 70000), SSQL_RC_OK);
    ASSERT_EQ(insert("B2", "small", -70000), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT N, N, N, NULL FROM QV_DTA.QV_T1 ORDER BY K");
    uint16_t cursor = 0;
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
    int16_t n16 = 0;
    int32_t n32 = 0, none = 7;
    uint32_t u32 = 0;
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, &h1, &h2, 4, SSQL_I16(&n16), SSQL_I32(&n32), SSQL_U32(&u32), SSQL_I32(&none)),
              SSQL_RC_OK);
    EXPECT_EQ(n16, 32767);
    EXPECT_EQ(n32, 70000);
    EXPECT_EQ(u32, 70000u);
    EXPECT_EQ(none, 0);
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, &h1, &h2, 4, SSQL_I16(&n16), SSQL_I32(&n32), SSQL_U32(&u32), SSQL_I32(&none)),
              SSQL_RC_OK);
    EXPECT_EQ(n16, -32768);
    EXPECT_EQ(n32, -70000);
    EXPECT_EQ(u32, 0u);
    EXPECT_EQ(SSQL_sCloseExt(cursor, &h1, &h2), SSQL_RC_OK);
}

TEST_F(SqlTest, ReusedStatementsTakeTheirOwnValuesAndOutliveNoConnection)
{
    ASSERT_EQ(insert("R1", "one", 1), SSQL_RC_OK);
    ASSERT_EQ(insert("R2", "two", 2), SSQL_RC_OK);
    ASSERT_EQ(insert("R3", "three", 3), SSQL_RC_OK);
    // the same text run again answers for its new value
    EXPECT_EQ(selectText("R2"), "two");
    EXPECT_EQ(selectText("R3"), "three");
    unsigned short rc = 0;
    EXPECT_EQ(selectText("R9", &rc), "");
    EXPECT_EQ(rc, SSQL_RC_NOROW);
    // two cursors open on one text at once walk their own rows
    const char* from = "SELECT K FROM QV_DTA.QV_T1 WHERE K >= '%s' ORDER BY K";
    SSQL_AREA a1, a2;
    SSQL_DeclareExt(&a1, from, "R1");
    SSQL_DeclareExt(&a2, from, "R2");
    uint16_t c1 = 0, c2 = 0;
    ASSERT_EQ(SSQL_sOpenExt(&c1), SSQL_RC_OK);
    ASSERT_EQ(SSQL_sOpenExt(&c2), SSQL_RC_OK);
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr, *h3 = nullptr, *h4 = nullptr;
    char k1[10], k2[10];
    ASSERT_EQ(SSQL_sFetchExt(&a1, c1, &h1, &h2, 1, SSQL_FIXED(k1, 10)), SSQL_RC_OK);
    ASSERT_EQ(SSQL_sFetchExt(&a2, c2, &h3, &h4, 1, SSQL_FIXED(k2, 10)), SSQL_RC_OK);
    EXPECT_EQ(std::string(k1, 2) + std::string(k2, 2), "R1R2");
    ASSERT_EQ(SSQL_sFetchExt(&a1, c1, &h1, &h2, 1, SSQL_FIXED(k1, 10)), SSQL_RC_OK);
    ASSERT_EQ(SSQL_sFetchExt(&a2, c2, &h3, &h4, 1, SSQL_FIXED(k2, 10)), SSQL_RC_OK);
    EXPECT_EQ(std::string(k1, 2) + std::string(k2, 2), "R2R3");
    EXPECT_EQ(SSQL_sCloseExt(c1, &h1, &h2), SSQL_RC_OK);
    EXPECT_EQ(SSQL_sCloseExt(c2, &h3, &h4), SSQL_RC_OK);
    SSQL_Commit();
    // after a new connection the text is prepared again on it
    SSQL_Disconnect();
    ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(selectText("R1"), "one");
}

// A cursor's values are its own from its first fetch: the caller may reuse
// its area's values before the next fetch (a single-row run binds them
// where they stand, as it ends with the call).
TEST_F(SqlTest, CursorKeepsItsValuesWhenTheAreaChangesBetweenFetches)
{
    for (const char* k : {"V1", "V2", "V3", "V4"})
        ASSERT_EQ(insert(k, k, 0), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT K FROM QV_DTA.QV_T1 WHERE K >= '%s' AND K <= '%s' ORDER BY K", "V2", "V3");
    uint16_t cursor = 0;
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    char key[10];
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 1, SSQL_FIXED(key, 10)), SSQL_RC_OK);
    EXPECT_EQ(std::string(key, 2), "V2");
    // the texts of the values overwritten: "V3" reads "A3", below every key
    for (uint32_t i = 0; i < a.ulValuesUsed; ++i)
        if (a.abValues[i] == 'V')
            a.abValues[i] = 'A';
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 1, SSQL_FIXED(key, 10)), SSQL_RC_OK);
    EXPECT_EQ(std::string(key, 2), "V3");
    EXPECT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 1, SSQL_FIXED(key, 10)), SSQL_RC_END);
    EXPECT_EQ(SSQL_sCloseExt(cursor, nullptr, nullptr), SSQL_RC_OK);
    // a run binds the area's values as they are at the run
    EXPECT_EQ(selectText("V4"), "V4");
}

// The pool keeps 128 texts: a statement out while its text is forgotten
// (more texts run meanwhile) is not put back, and its text is prepared
// again when next run.
TEST_F(SqlTest, StatementOutWhileItsTextIsForgottenStillWorks)
{
    ASSERT_EQ(insert("P1", "one", 1), SSQL_RC_OK);
    ASSERT_EQ(insert("P2", "two", 2), SSQL_RC_OK);
    const char* scan = "SELECT K FROM QV_DTA.QV_T1 WHERE K >= '%s' ORDER BY K";
    SSQL_AREA a;
    SSQL_DeclareExt(&a, scan, "P1");
    uint16_t cursor = 0;
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    char key[10];
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 1, SSQL_FIXED(key, 10)), SSQL_RC_OK);
    EXPECT_EQ(std::string(key, 2), "P1");
    // 140 texts of their own (the same statement, told apart by blanks)
    for (int i = 1; i <= 140; ++i) {
        const std::string text = "SELECT N FROM QV_DTA.QV_T1 WHERE K = '%s'" + std::string(i, ' ');
        SSQL_AREA r;
        ASSERT_EQ(SSQL_DeclareExt(&r, text.c_str(), "P2"), SSQL_RC_OK);
        int32_t n = 0;
        ASSERT_EQ(SSQL_sRunExt(&r, nullptr, nullptr, 1, SSQL_I32(&n)), SSQL_RC_OK) << i;
        EXPECT_EQ(n, 2);
    }
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 1, SSQL_FIXED(key, 10)), SSQL_RC_OK);
    EXPECT_EQ(std::string(key, 2), "P2");
    EXPECT_EQ(SSQL_sCloseExt(cursor, nullptr, nullptr), SSQL_RC_OK);
    // the cursor's text once more, then the first of the 140 once more
    SSQL_DeclareExt(&a, scan, "P2");
    ASSERT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_OK);
    ASSERT_EQ(SSQL_sFetchExt(&a, cursor, nullptr, nullptr, 1, SSQL_FIXED(key, 10)), SSQL_RC_OK);
    EXPECT_EQ(std::string(key, 2), "P2");
    EXPECT_EQ(SSQL_sCloseExt(cursor, nullptr, nullptr), SSQL_RC_OK);
    SSQL_AREA r;
    ASSERT_EQ(SSQL_DeclareExt(&r, "SELECT N FROM QV_DTA.QV_T1 WHERE K = '%s' ", "P1"), SSQL_RC_OK);
    int32_t n = 0;
    ASSERT_EQ(SSQL_sRunExt(&r, nullptr, nullptr, 1, SSQL_I32(&n)), SSQL_RC_OK);
    EXPECT_EQ(n, 1);
}

TEST_F(SqlTest, CommitShowsRowsAndFatalRollbackDropsThem)
{
    ASSERT_EQ(insert("C1", "kept", 1), SSQL_RC_OK);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1"), 0);
    SSQL_SQLDA* h = nullptr;
    ASSERT_EQ(SSQL_sCommitExt(&h), SSQL_RC_OK);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1"), 1);
    // Work after the commit runs in a new transaction.
    ASSERT_EQ(insert("C2", "lost", 2), SSQL_RC_OK);
    SSQL_AREA a;
    ASSERT_EQ(SSQL_DeclareExt(&a, "ROLLBACK WORK"), SSQL_RC_OK);
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    SMEM_FreeMem(h);
    ASSERT_EQ(SSQL_DeclareExt(&a, "DISCONNECT"), SSQL_RC_OK);
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    SMEM_FreeMem(h);
    EXPECT_FALSE(SSQL_fIsConnected());
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1"), 1);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1 WHERE K = 'C2'"), 0);
    // A statement without a connection fails cleanly.
    EXPECT_EQ(insert("C3", "x", 3), SSQL_RC_ERROR);
}

// A commit puts its rows into the repository file itself at once: a copy of
// the file alone, taken while the connection is still open (the write-ahead
// log not copied), holds every committed row and nothing uncommitted.
TEST_F(SqlTest, CommittedRowsAreInTheRepositoryFileBeforeTheConnectionCloses)
{
    const std::string copy = repo.dir() + "/copy.db";
    auto countInCopy = [&](const char* sql) {
        std::filesystem::copy_file(repo.path(), copy, std::filesystem::copy_options::overwrite_existing);
        return countFromOutside(copy, sql);
    };
    ASSERT_EQ(insert("W1", "first", 1), SSQL_RC_OK);
    SSQL_SQLDA* h = nullptr;
    ASSERT_EQ(SSQL_sCommitExt(&h), SSQL_RC_OK);
    ASSERT_TRUE(std::filesystem::exists(repo.path() + "-wal"));
    EXPECT_EQ(countInCopy("SELECT COUNT(*) FROM QV_T1 WHERE K = 'W1'"), 1);
    // the job's commit statement does the same; work after it stays out
    ASSERT_EQ(insert("W2", "second", 2), SSQL_RC_OK);
    SSQL_AREA a;
    ASSERT_EQ(SSQL_DeclareExt(&a, "COMMIT WORK"), SSQL_RC_OK);
    ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    SMEM_FreeMem(h);
    ASSERT_EQ(insert("W3", "open", 3), SSQL_RC_OK);
    EXPECT_EQ(countInCopy("SELECT COUNT(*) FROM QV_T1"), 2);
    EXPECT_EQ(countInCopy("SELECT COUNT(*) FROM QV_T1 WHERE K = 'W3'"), 0);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1"), 2);
}

// The log stays beside the repository between connections, emptied when
// one closes: the file alone holds every committed row, and the next
// connection reads them all and writes on.
TEST_F(SqlTest, TheLogIsKeptEmptyBetweenConnections)
{
    ASSERT_EQ(insert("L1", "first", 1), SSQL_RC_OK);
    SSQL_Commit();
    ASSERT_EQ(insert("L2", "not committed", 2), SSQL_RC_OK);
    SSQL_Disconnect();
    ASSERT_TRUE(std::filesystem::exists(repo.path() + "-wal"));
    EXPECT_EQ(std::filesystem::file_size(repo.path() + "-wal"), 0u);
    const std::string copy = repo.dir() + "/alone.db";
    std::filesystem::copy_file(repo.path(), copy);
    EXPECT_EQ(countFromOutside(copy, "SELECT COUNT(*) FROM QV_T1"), 1);

    ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(selectText("L1"), "first");
    ASSERT_EQ(insert("L3", "third", 3), SSQL_RC_OK);
    SSQL_Commit();
    SSQL_Disconnect();
    EXPECT_EQ(std::filesystem::file_size(repo.path() + "-wal"), 0u);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1"), 2);
    ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
}

TEST_F(SqlTest, DisconnectRollsBackUncommittedWork)
{
    ASSERT_EQ(insert("D1", "gone", 1), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "DISCONNECT");
    SSQL_SQLDA* h = nullptr;
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_T1"), 0);
}

TEST_F(SqlTest, InjectedFailureAtLocationGivesErrorCode)
{
    SSQL_SetFailLocation("DC_P3100/SQL052");
    SSQL_SetLocation("DC_P3100/SQL051");
    EXPECT_EQ(insert("F1", "a", 1), SSQL_RC_OK);
    SSQL_SetLocation("DC_P3100/SQL052");
    EXPECT_EQ(insert("F2", "b", 2), SSQL_RC_ERROR);
    uint16_t cursor = 0;
    EXPECT_EQ(SSQL_sOpenExt(&cursor), SSQL_RC_ERROR);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT COUNT(*) FROM QV_DTA.QV_T1");
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
    uint32_t n = 0;
    EXPECT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_U32(&n)), SSQL_RC_ERROR);
    ASSERT_NE(h1, nullptr);
    EXPECT_STREQ(h1->szLocation, "DC_P3100/SQL052");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);
    SSQL_SetFailLocation(nullptr);
    EXPECT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_U32(&n)), SSQL_RC_OK);
    EXPECT_EQ(n, 1u);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);
}

TEST_F(SqlTest, FailingStatementGivesErrorWithMessage)
{
    ASSERT_EQ(insert("E1", "a", 1), SSQL_RC_OK);
    SSQL_SQLDA* h = nullptr;
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "INSERT INTO QV_DTA.QV_T1 (K, TXT, N) VALUES ('%s', '%s', %d)", "E1", "dup", 2);
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_ERROR);
    ASSERT_NE(h, nullptr);
    EXPECT_LT(h->lSqlCode, 0);
    EXPECT_NE(std::string(h->szMessage).find("UNIQUE"), std::string::npos);
    SMEM_FreeMem(h);
    SSQL_DeclareExt(&a, "SELECT * FROM QV_DTA.NO_SUCH_TABLE");
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_ERROR);
    SMEM_FreeMem(h);
}

TEST_F(SqlTest, TemplatesAreCheckedAndFunctionNamesAllowListed)
{
    SSQL_AREA a;
    EXPECT_EQ(SSQL_DeclareExt(&a, "SELECT %s(TXT, 1, 3) FROM QV_DTA.QV_T1 WHERE K = '%s'",
                              SSUTL_GetSQLSubStringCommand(), "K"),
              SSQL_RC_OK);
    EXPECT_STREQ(a.szStmt, "SELECT substr(TXT, 1, 3) FROM QV_DTA.QV_T1 WHERE K = ?");
    EXPECT_EQ(a.usValues, 1);
    // Anything but an allowed function name in that place is refused.
    EXPECT_EQ(SSQL_DeclareExt(&a, "SELECT %s(TXT) FROM QV_DTA.QV_T1", "1); DELETE FROM QV_DTA.QV_T1; SELECT max"),
              SSQL_RC_ERROR);
    SSQL_SQLDA* h = nullptr;
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_ERROR);
    SMEM_FreeMem(h);
    // A placeholder inside a longer literal cannot be bound.
    EXPECT_EQ(SSQL_DeclareExt(&a, "SELECT K FROM QV_DTA.QV_T1 WHERE K LIKE 'A%s'", "B"), SSQL_RC_ERROR);
    // Literals of the template stay as written; quoted numbers, chars and
    // explicit-length texts are bound.
    EXPECT_EQ(SSQL_DeclareExt(&a,
                              "UPDATE QV_DTA.QV_T1 SET N = '%d', TXT = '%v' WHERE K = '%s' AND TXT <> 'it''s' "
                              "AND N <> '%l' AND '%c' = 'Y'",
                              4, 3, "xyzzy", "K9", 10L, 'Y'),
              SSQL_RC_OK);
    EXPECT_STREQ(a.szStmt,
                 "UPDATE QV_DTA.QV_T1 SET N = ?, TXT = ? WHERE K = ? AND TXT <> 'it''s' AND N <> ? AND ? = 'Y'");
    ASSERT_EQ(insert("K9", "old", 1), SSQL_RC_OK);
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->lRowsChanged, 1);
    SMEM_FreeMem(h);
    EXPECT_EQ(selectText("K9"), "xyz");
    // Stacked statements are refused even when written in the template.
    EXPECT_EQ(SSQL_DeclareExt(&a, "DELETE FROM QV_DTA.QV_T1; DELETE FROM QV_DTA.QV_T1"), SSQL_RC_OK);
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_ERROR);
    SMEM_FreeMem(h);
}

// The template's text is copied as written up to the statement area's end:
// a doubled percent inside a literal stands for one, and a text that does
// not fit with its terminator is refused.
TEST_F(SqlTest, TemplateTextFillsTheStatementAreaExactly)
{
    SSQL_AREA a;
    EXPECT_EQ(SSQL_DeclareExt(&a, "SELECT K FROM QV_DTA.QV_T1 WHERE TXT LIKE 'x%%' AND K = '%s' AND TXT <> 'a''b'", "K1"),
              SSQL_RC_OK);
    EXPECT_STREQ(a.szStmt, "SELECT K FROM QV_DTA.QV_T1 WHERE TXT LIKE 'x%' AND K = ? AND TXT <> 'a''b'");
    const std::string head = "SELECT 1";
    const std::string fits = head + std::string(SSQL_STMT_SIZE - 1 - head.size(), ' ');
    ASSERT_EQ(SSQL_DeclareExt(&a, fits.c_str()), SSQL_RC_OK);
    EXPECT_EQ(std::string(a.szStmt), fits);
    EXPECT_EQ(SSQL_DeclareExt(&a, (fits + " ").c_str()), SSQL_RC_ERROR);
    EXPECT_NE(std::string(SSQL_pszLastError()).find("longer than the statement area"), std::string::npos);
    // the same inside a literal that runs past the end
    const std::string literal = "SELECT '" + std::string(SSQL_STMT_SIZE, 'x') + "'";
    EXPECT_EQ(SSQL_DeclareExt(&a, literal.c_str()), SSQL_RC_ERROR);
    EXPECT_NE(std::string(SSQL_pszLastError()).find("longer than the statement area"), std::string::npos);
}

TEST_F(SqlTest, ExplicitLengthTextKeepsItsZeroBytes)
{
    // A screen text map ends in a zero byte; it is stored and read back whole.
    std::string map(133, 'x');
    map[40] = '\'';
    map[132] = '\0';
    SSQL_AREA a;
    ASSERT_EQ(SSQL_DeclareExt(&a, "INSERT INTO QV_DTA.QV_T1 (K, TXT, N) VALUES ('%s', '%v', %d)", "MAP",
                              static_cast<int>(map.size()), map.data(), 1),
              SSQL_RC_OK);
    SSQL_SQLDA* h = nullptr;
    ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK) << SSQL_pszLastError();
    SMEM_FreeMem(h);
    SSQL_DeclareExt(&a, "SELECT TXT FROM QV_DTA.QV_T1 WHERE K = '%s'", "MAP");
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
    char buf[2 + 133];
    ASSERT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_VARYING(buf, 133)), SSQL_RC_OK);
    uint16_t len;
    std::memcpy(&len, buf, 2);
    EXPECT_EQ(len, 133);
    EXPECT_EQ(std::string(buf + 2, len), map);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);
}

TEST_F(SqlTest, BlankPaddedKeysMatchTrimmedOnes)
{
    ASSERT_EQ(insert("PAD       ", "padded", 1), SSQL_RC_OK);
    EXPECT_EQ(selectText("PAD"), "padded");
}

TEST_F(SqlTest, LikeEscapeAndCaseSensitiveLike)
{
    ASSERT_EQ(insert("AB_1", "one", 1), SSQL_RC_OK);
    ASSERT_EQ(insert("ABX1", "two", 2), SSQL_RC_OK);
    ASSERT_EQ(insert("ab_1", "three", 3), SSQL_RC_OK);
    ASSERT_EQ(insert("A!B", "four", 4), SSQL_RC_OK);
    char* pattern = SSUTL_pszEscapeSQLLikeWildcards("AB_", "_", '!', 0);
    ASSERT_NE(pattern, nullptr);
    EXPECT_STREQ(pattern, "AB!_");
    std::string like = std::string(pattern) + "%";
    SMEM_FreeMem(pattern);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT COUNT(*) FROM QV_DTA.QV_T1 WHERE K LIKE '%s' ESCAPE '!'", like.c_str());
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
    uint32_t n = 0;
    ASSERT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_U32(&n)), SSQL_RC_OK);
    EXPECT_EQ(n, 1u);  // neither "ABX1" (wildcard) nor "ab_1" (case)
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);
    char* bang = SSUTL_pszEscapeSQLLikeWildcards("A!B", "_", '!', 0);
    EXPECT_STREQ(bang, "A!!B");
    SSQL_DeclareExt(&a, "SELECT COUNT(*) FROM QV_DTA.QV_T1 WHERE K LIKE '%s' ESCAPE '!'", bang);
    SMEM_FreeMem(bang);
    ASSERT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_U32(&n)), SSQL_RC_OK);
    EXPECT_EQ(n, 1u);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);
}

TEST(SqlConnect, MissingOrUnreadableRepositoryGivesClearCode)
{
    EXPECT_EQ(SSQL_sConnect("/nonexistent/dir/repo.db"), SSQL_RC_NOREPOS);
    EXPECT_NE(std::string(SSQL_pszLastError()).find("does not exist"), std::string::npos);
    EXPECT_FALSE(SSQL_fIsConnected());
    TempRepository junk("");
    FILE* f = std::fopen(junk.path().c_str(), "wb");
    std::fputs("this is not a database at all, just some text that fills the header page", f);
    std::fclose(f);
    EXPECT_EQ(SSQL_sConnect(junk.path().c_str()), SSQL_RC_NOREPOS);
    EXPECT_FALSE(SSQL_fIsConnected());
    EXPECT_EQ(SSQL_sConnect(junk.dir().c_str()), SSQL_RC_NOREPOS);
    ScopedEnv repository("DQOV_REPOSITORY", nullptr);
    EXPECT_EQ(SSQL_sConnect(nullptr), SSQL_RC_NOREPOS);
    TempRepository good(kDdl);
    repository.set(good.path().c_str());
    EXPECT_EQ(SSQL_sConnect(""), SSQL_RC_OK);
    SSQL_Disconnect();
}

// The repository's journal mode and sync level as the connection sees them.
std::string pragmaOf(const char* sql)
{
    sqlite3_stmt* st = nullptr;
    std::string value = "<none>";
    if (sqlite3_prepare_v2(dqos::dbHandle(), sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return value;
}

// In the write-ahead log's mode a commit is not synced by itself (level 1,
// NORMAL, which keeps the database consistent); a repository that stays in
// its rollback journal, because another process reads it while the job
// connects, keeps the full syncs (level 2) that journal needs.
TEST(SqlConnect, OnlyTheWriteAheadLogCommitsWithoutSyncingEachCommit)
{
    TempRepository repo(kDdl);
    ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(pragmaOf("PRAGMA QV_DTA.journal_mode"), "wal");
    EXPECT_EQ(pragmaOf("PRAGMA QV_DTA.synchronous"), "1");
    SSQL_Disconnect();

    TempRepository held(kDdl);
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open_v2(held.path().c_str(), &reader, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "PRAGMA journal_mode=DELETE; BEGIN; SELECT COUNT(*) FROM QV_T1;", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    {
        ScopedEnv timeout("DQOV_LOCK_TIMEOUT", "0");  // the switch is refused at once, not after a minute
        ASSERT_EQ(SSQL_sConnect(held.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
    }
    EXPECT_EQ(pragmaOf("PRAGMA QV_DTA.journal_mode"), "delete");
    EXPECT_EQ(pragmaOf("PRAGMA QV_DTA.synchronous"), "2");
    SSQL_Disconnect();
    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
}

TEST(SqlConnect, FailureLocationFromTheEnvironment)
{
    TempRepository repo(kDdl);
    {
        ScopedEnv failAt("DQOV_SQL_FAIL_AT", "DC_P3109/QV_F23/B");
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK);
    }
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "UPDATE QV_DTA.QV_T1 SET N = %d", 1);
    SSQL_SQLDA* h = nullptr;
    SSQL_SetLocation("DC_P3109/QV_F23/A");
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    SMEM_FreeMem(h);
    SSQL_SetLocation("DC_P3109/QV_F23/B");
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_ERROR);
    ASSERT_NE(h, nullptr);
    EXPECT_STREQ(h->szLocation, "DC_P3109/QV_F23/B");
    SMEM_FreeMem(h);
    EXPECT_EQ(SSQL_sCommitExt(&h), SSQL_RC_ERROR);
    SMEM_FreeMem(h);
    SSQL_SetFailLocation(nullptr);
    SSQL_SetLocation(nullptr);
}

TEST(SqlUtil, OpenFileInSync)
{
    TempRepository dir("");
    std::string file = dir.dir() + "/data.txt";
    EXPECT_EQ(SSUTL_OpenFileInSync(file.c_str(), SSUTL_GENERIC_READ, 3, SSUTL_OPEN_EXISTING), -1);
    long fd = SSUTL_OpenFileInSync(file.c_str(), SSUTL_GENERIC_READ | SSUTL_GENERIC_WRITE, 3, SSUTL_CREATE_NEW);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(SSUTL_OpenFileInSync(file.c_str(), SSUTL_GENERIC_WRITE, 3, SSUTL_OPEN_EXISTING), -1);
    close(static_cast<int>(fd));
    fd = SSUTL_OpenFileInSync(file.c_str(), SSUTL_GENERIC_READ, 3, SSUTL_OPEN_EXISTING);
    EXPECT_GE(fd, 0);
    close(static_cast<int>(fd));
}

}  // namespace

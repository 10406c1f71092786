// Rolling the older page sets of a function before its pages are written.
#include "pages_fixture.h"

#include "web/pages/page_sets.h"

namespace pages_test {
namespace {

class PageSets : public PagesTest {
protected:
    void Depth(int n)
    {
        Exec("INSERT OR REPLACE INTO QV_DTA.QV_SET (SETKEY, SETVAL) VALUES ('MAXSET', '" + std::to_string(n) + "')");
    }
    void Header(const char* page)
    {
        Exec(std::string("INSERT INTO QV_DTA.QV_X01 (X01P_I, X01PEN, X01SEN, X01PAG, "
                         "X01DES) VALUES ('DEM', 'HTM', '     ', '") +
             page + "', '')");
    }
    // One line of set `set` whose text names the set it was written in.
    void Line(const char* page, const char* language, int set)
    {
        Exec(std::string("INSERT INTO QV_DTA.QV_X02 (X02P_I, X02PEN, X02SEN, X02PLN, X02PAG, X02SET, X02SEQ, "
                         "X02TXT) VALUES ('DEM', 'HTM', '     ', '") +
             language + "', '" + page + "', " + std::to_string(set) + ", 1, 'written as " + std::to_string(set) + "')");
    }
    std::vector<std::string> Sets(const char* page, const char* language = "ENG")
    {
        return Query(std::string("SELECT X02SET, X02TXT FROM QV_DTA.QV_X02 WHERE X02PAG = '") + page +
                     "' AND X02PLN = '" + language + "' ORDER BY X02SET");
    }
    int16_t Roll(const char* process = "DEMOWEB", const char* function = "ORDWEB")
    {
        return P3137_RollSets(&ctx, "DEM", process, function, "HTM", "     ", "ENG");
    }
};

TEST_F(PageSets, DepthThreeMovesEverySetUpAndDropsTheOldest)
{
    Depth(3);
    Header("DEMOWEB   ORDWEB 001");
    for (int set = 0; set <= 3; ++set)
        Line("DEMOWEB   ORDWEB 001", "ENG", set);
    Line("DEMOWEB   ORDWEB 001", "FRA", 0);
    ASSERT_EQ(Roll(), 1);
    EXPECT_EQ(Sets("DEMOWEB   ORDWEB 001"),
              (std::vector<std::string>{"1|written as 0", "2|written as 1", "3|written as 2"}));
    EXPECT_EQ(Sets("DEMOWEB   ORDWEB 001", "FRA"), std::vector<std::string>{"0|written as 0"})
        << "another language is left as it is";
}

TEST_F(PageSets, DepthZeroOrNoHeaderDeletesOnlySetZero)
{
    Depth(0);
    Header("DEMOWEB   ORDWEB 001");
    Line("DEMOWEB   ORDWEB 001", "ENG", 0);
    Line("DEMOWEB   ORDWEB 001", "ENG", 1);
    ASSERT_EQ(Roll(), 1);
    EXPECT_EQ(Sets("DEMOWEB   ORDWEB 001"), std::vector<std::string>{"1|written as 1"});

    Depth(2);
    Line("DEMOWEB   OTHER  001", "ENG", 0);
    Line("DEMOWEB   OTHER  001", "ENG", 1);
    ASSERT_EQ(Roll("DEMOWEB", "OTHER"), 1);
    EXPECT_EQ(Sets("DEMOWEB   OTHER  001"), std::vector<std::string>{"1|written as 1"})
        << "without a header row nothing is renumbered";
}

TEST_F(PageSets, UnderscoreInANameMatchesOnlyItself)
{
    Depth(2);
    Header("DEM_WEB   ORDWEB 001");
    Line("DEM_WEB   ORDWEB 001", "ENG", 0);
    Line("DEMXWEB   ORDWEB 001", "ENG", 0);
    ASSERT_EQ(Roll("DEM_WEB", "ORDWEB"), 1);
    EXPECT_EQ(Sets("DEM_WEB   ORDWEB 001"), std::vector<std::string>{"1|written as 0"});
    EXPECT_EQ(Sets("DEMXWEB   ORDWEB 001"), std::vector<std::string>{"0|written as 0"});
}

TEST_F(PageSets, AFailedStatementAnswersZero)
{
    Depth(2);
    Header("DEMOWEB   ORDWEB 001");
    SSQL_SetLocation("DC_P3137/RollSets");
    SSQL_SetFailLocation("DC_P3137/RollSets");
    EXPECT_EQ(Roll(), 0);
}

}  // namespace
}  // namespace pages_test

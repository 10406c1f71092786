// A function whose stored source keeps each command as one text (list kind
// 'Z'): every command goes through the command parser as a whole, a
// syntax error is reported with the parser's own text at the command's
// line, an unknown name is left to the command lookup, and the commands
// that parse are checked as those of a split source are.
#include <string>
#include <vector>

#include "tools_check_fixture.h"

namespace {

class ParseRoute : public ToolsCheckFixture {
protected:
    // Stores DEMOSCR/ORDZKD with the list kind on every row.
    void store(char kind)
    {
        const std::vector<std::vector<std::string>> rows = {{"", "FUNCTION", "OPTIONS(*DIRECT)"},
                                                            {"L1", "CHANGE", "FIELD(#ORDQTY) TO(1)"},
                                                            {"", "IF", "COND(''#ORDQTY > 0'')"},
                                                            {"", "DISPLAY", "FIELDS((#ORDREF *HI)"},
                                                            {"", "ENDIF", ""},
                                                            {"", "GOTO", "LABEL(L1)"},
                                                            {"", "NOSUCHCMD", "X(1)"},
                                                            {"", "RETURN", ""}};
        std::string sql = "DELETE FROM QV_SRC WHERE SRCFMT = 'ORDZKD';"
                          "INSERT OR IGNORE INTO QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', 'DEMOSCR', 'ORDZKD');";
        for (size_t i = 0; i < rows.size(); ++i)
            sql += "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCKND, SRCLBL, SRCCMD, SRCPRM) VALUES "
                   "('DEM', 'DEMOSCR', 'ORDZKD', " +
                   std::to_string(i + 1) + ", '" + kind + "', '" + rows[i][0] + "', '" + rows[i][1] + "', '" +
                   rows[i][2] + "');";
        exec(sql);
    }

    // The finding lines of a check of ORDZKD.
    std::vector<std::string> findings()
    {
        int32_t result = -9;
        const std::string out = RunToolsJob(sys, "DEMOSCR", "ORDZKD", 'C', errors, warnings, result);
        EXPECT_EQ(result, 0) << out;
        std::vector<std::string> lines;
        for (const std::string& l : Lines(out))
            if (l.find(" F Line ") != std::string::npos)
                lines.push_back(l);
        return lines;
    }
};

TEST_F(ParseRoute, WholeCommandsGoThroughTheParserAndItsFindingsReachTheList)
{
    store('Z');
    const auto lines = findings();
    // "DISPLAY FIELDS((#ORDREF *HI)": the bracket that stays open is the
    // one at column 15 of the whole command (8 for "DISPLAY ", 6 for
    // "FIELDS").
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("DCM9898 F Line 4 DISPLAY: Command syntax error at column 15: opening bracket not closed."),
              std::string::npos)
        << lines[0];
    EXPECT_NE(lines[1].find("PRC1059 F Line 7 NOSUCHCMD"), std::string::npos) << lines[1];
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(warnings, 0);
}

TEST_F(ParseRoute, TheSameSourceSplitIsRefusedByTheParameterCheck)
{
    store('F');
    const auto lines = findings();
    // Label, name and parameters apart: the parameter text alone is
    // checked, and its open bracket is at column 7 of "FIELDS((#ORDREF *HI)".
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("PRC0007 F Line 4 DISPLAY"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("DCM0307 F Line 4 DISPLAY"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("+0000007"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("PRC1059 F Line 7 NOSUCHCMD"), std::string::npos) << lines[2];
}

}  // namespace

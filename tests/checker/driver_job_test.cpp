// The checker as the run driver's checker step, on the sample functions in
// tools mode: banners, messages by line and the totals.
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools_check_fixture.h"

namespace {

class DriverJob : public ToolsCheckFixture {
protected:
    // Runs a job and returns its tools-mode lines.
    std::vector<std::string> job(const char* process, const char* function, char option, int32_t& result)
    {
        return Lines(RunToolsJob(sys, process, function, option, errors, warnings, result));
    }
};

size_t Find(const std::vector<std::string>& lines, const std::string& text, size_t from = 0)
{
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i].find(text) != std::string::npos)
            return i;
    return std::string::npos;
}

// Position of the banner rule, checking the banner lines that follow it.
size_t CheckBanner(const std::vector<std::string>& lines, const char* function)
{
    size_t rule = Find(lines, std::string(80, '_'));
    EXPECT_NE(rule, std::string::npos);
    if (rule == std::string::npos)
        return rule;
    EXPECT_EQ(Find(lines, "VELMO Full Function Checker (FFC) Invoked"), rule + 1);
    EXPECT_EQ(Find(lines, "Started : "), rule + 3);
    EXPECT_EQ(Find(lines, std::string("Process : DEMOPRC Function : ") + function), rule + 4);
    EXPECT_EQ(Find(lines, std::string(80, '_'), rule + 1), rule + 5);
    EXPECT_EQ(Find(lines, "Pass 1 Validation Started"), rule + 6);
    return rule;
}

// A clean check of a sample function: the banner, both passes over the
// given number of commands, nothing reported, the totals as the last line.
void CheckClean(const std::vector<std::string>& lines, const char* function, const char* commands, int32_t result,
                int32_t errors, int32_t warnings)
{
    EXPECT_EQ(result, 0);
    CheckBanner(lines, function);
    EXPECT_NE(Find(lines, std::string("Pass: 1 Total commands checked: ") + commands), std::string::npos);
    EXPECT_NE(Find(lines, std::string("Pass: 2 Total commands checked: ") + commands), std::string::npos);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 0);
    EXPECT_EQ(Find(lines, " Line "), std::string::npos);
    size_t totals = Find(lines, "PRC0010");
    ASSERT_NE(totals, std::string::npos);
    EXPECT_EQ(totals, lines.size() - 1);
}

TEST_F(DriverJob, SampleListFunctionChecksClean)
{
    int32_t result = -9;
    std::vector<std::string> lines = job("DEMOPRC", "CUSTLST", 'C', result);
    // Every command of the function has its check: nothing is reported.
    CheckClean(lines, "CUSTLST", "14", result, errors, warnings);
}

TEST_F(DriverJob, SampleFunctionWithMessagesByLine)
{
    int32_t result = -9;
    std::vector<std::string> lines = job("DEMOPRC", "CUSTERR", 'C', result);
    CheckBanner(lines, "CUSTERR");
    size_t pass2 = Find(lines, "Pass 2 Validation Started");
    ASSERT_NE(pass2, std::string::npos);
    // The findings of pass 2, in line order after the passes, then the totals.
    size_t first = Find(lines, "PRC0155 F Line 3 SORT_LIST: Sort field CREDIT is not in the list.", pass2);
    ASSERT_NE(first, std::string::npos);
    ASSERT_LT(first + 3, lines.size());
    EXPECT_NE(lines[first + 1].find("DCM0456 F Line 4 IF: "), std::string::npos);
    EXPECT_NE(lines[first + 2].find("PRC1006 F Line 5 CLR_LIST: Working list OLDLIST has no DEF_LIST definition."),
              std::string::npos);
    EXPECT_EQ(errors, 3);
    EXPECT_EQ(warnings, 0);
    size_t totals = Find(lines, "PRC0010");
    ASSERT_NE(totals, std::string::npos);
    EXPECT_EQ(totals, first + 3);
    EXPECT_NE(lines[totals].find("0000003 fatal error(s) and 0000000 warning(s)"), std::string::npos);
}

TEST_F(DriverJob, SampleFunctionWithIncludeChecksClean)
{
    int32_t result = -9;
    std::vector<std::string> lines = job("DEMOPRC", "CUSTUPD", 'C', result);
    // 25 commands of the function and the 2 of the included DEMINC: the
    // last line read is 29.
    CheckClean(lines, "CUSTUPD", "29", result, errors, warnings);
}

TEST_F(DriverJob, GenerateJobOfADirectFunctionHasNoCallRuleFinding)
{
    int32_t result = -9;
    std::vector<std::string> lines = job("DEMOPRC", "DEMOMIN", 'G', result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 0);
    EXPECT_EQ(Find(lines, "PRC1017"), std::string::npos);
}

}  // namespace

namespace {

// The sample components: their commands are handed to the object layer and
// check clean.
TEST_F(DriverJob, SampleComponentsThroughTheObjectLayer)
{
    int32_t result = -9;
    std::vector<std::string> lines = job("DEMOCOMP", "*COMP", 'C', result);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 0);
    EXPECT_EQ(Find(lines, " Line "), std::string::npos);
    EXPECT_EQ(Find(lines, "DCM9898"), std::string::npos) << "every component command has its check";
    size_t totals = Find(lines, "PRC1053");
    ASSERT_NE(totals, std::string::npos);
    EXPECT_NE(lines[totals].find("0000000 fatal error(s) and 0000000 warning(s)"), std::string::npos);

    errors = warnings = 0;
    lines = job("DEMOCMP2", "*COMP", 'C', result);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 0);
    EXPECT_EQ(Find(lines, " Line "), std::string::npos);
}

}  // namespace

namespace {

// Component commands inside routines: BEGIN_COM inside a property routine
// is reported in both passes and not parsed; END_COM inside a SUBROUTINE
// only in pass 1, and it is parsed all the same.
TEST_F(DriverJob, ComponentCommandsInsideRoutines)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(repo.path().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES"
                           " ('DEM','TSTCOMP',1,'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),"
                           " ('DEM','TSTCOMP',2,'PTYROUTINE NAME(GETX)'),"
                           " ('DEM','TSTCOMP',3,'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),"
                           " ('DEM','TSTCOMP',4,'ENDROUTINE'),"
                           " ('DEM','TSTCOMP',5,'SUBROUTINE NAME(SUBA)'),"
                           " ('DEM','TSTCOMP',6,'END_COM'),"
                           " ('DEM','TSTCOMP',7,'ENDROUTINE'),"
                           " ('DEM','TSTCOMP',8,'END_COM');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    int32_t result = -9;
    std::vector<std::string> lines = job("TSTCOMP", "*COMP", 'C', result);
    const std::string begin = "DCM9898 F Line 3 BEGIN_COM: Illegal or invalid reference to BEGIN_COM in BEGIN_COM "
                              "command at line 3.";
    size_t first = Find(lines, begin);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(Find(lines, begin, first + 1), std::string::npos) << "reported again in pass 2";
    const std::string end =
        "DCM9898 F Line 6 END_COM: Illegal or invalid reference to END_COM in END_COM command at line 6.";
    size_t once = Find(lines, end);
    ASSERT_NE(once, std::string::npos);
    EXPECT_EQ(Find(lines, end, once + 1), std::string::npos) << "inside a SUBROUTINE only in pass 1";
    EXPECT_EQ(Find(lines, "PRC0007"), std::string::npos);
}

}  // namespace

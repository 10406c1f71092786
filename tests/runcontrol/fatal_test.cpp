// Fatal exits: each shows its text, rolls back and disconnects, and ends
// through DosExit(1, 0), here caught by a throwing exit hook.
#include <gtest/gtest.h>

#include <string>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/valid.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"

namespace {

struct Exited {
    unsigned long action;
    unsigned long result;
};

void throwingHook(unsigned long action, unsigned long result)
{
    throw Exited{action, result};
}

struct Fatal : ::testing::Test {
    DQOZ_EXIT_HOOK previous = nullptr;
    void SetUp() override { previous = DosSetExitHook(throwingHook); }
    void TearDown() override
    {
        DosSetExitHook(previous);
        FFC_Set_Run_Mode(0);
    }
    // Runs f, expecting the process end; returns what went to standard error.
    template <typename F> std::string expectExit(F f)
    {
        testing::internal::CaptureStderr();
        try {
            f();
            ADD_FAILURE() << "the fatal exit returned";
        } catch (const Exited& e) {
            EXPECT_EQ(e.action, 1u);
            EXPECT_EQ(e.result, 0u);
        }
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(Fatal, FatalErrorShowsItsTextUnderItsTitle)
{
    std::string err = expectExit([] { FFC_Fatal_Error("Cannot go on"); });
    EXPECT_EQ(err, "FFC_Fatal_Error: Cannot go on\n");
}

TEST_F(Fatal, ToolsModeAlsoShowsARedLine)
{
    FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
    testing::internal::CaptureStdout();
    expectExit([] { FFC_Fatal_Error("Cannot go on"); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "<RED>Cannot go on\r\n");
}

TEST_F(Fatal, ValidDieEndsTheProcessWithItsText)
{
    std::string err = expectExit([] { VALID_Die("Operand checker ended"); });
    EXPECT_EQ(err, "FFC_Fatal_Error: Operand checker ended\n");
}

TEST_F(Fatal, ObjectLayerFailure)
{
    std::string err = expectExit([] { DQOO_FCC_FatalError("DQOO_FCC_StartBuild", 12); });
    EXPECT_EQ(err, "FFC_Fatal_Error: Fatal error code 12 returned by DQOO_FCC routine DQOO_FCC_StartBuild. "
                   "Please record details of this error and then report it to your product vendor. "
                   "You MUST completely stop and restart your VELMO development environment after "
                   "encountering an error of this type.\n");
}

TEST_F(Fatal, SqlFailureNamesTheLocationAndTheStatementsError)
{
    SSQL_SQLDA ca{};
    std::snprintf(ca.szMessage, sizeof ca.szMessage, "no such table: QV_F99");
    std::string err = expectExit([&] { FFC_SQL_Error(&ca, "DC_P3105/SQL004"); });
    EXPECT_EQ(err, "FFC_Fatal_Error: SQL Error at location DC_P3105/SQL004. no such table: QV_F99. "
                   "Please record details of this error and then report it to your product vendor. "
                   "You MUST completely stop and restart your VELMO development environment after "
                   "encountering an error of this type.\n");
}

}  // namespace

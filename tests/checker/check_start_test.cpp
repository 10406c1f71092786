// What the start of a check leaves for the passes: the user DLL definitions
// of the environment root, and the abort label that every routine holds
// under the run's abort label name ("@ABORT", "*ABORT" once an I/O command
// names *ABORT as its error action).
#include "checker_fixture.h"

#include <string>
#include <vector>

#include "platform/dqoz/dqoz.h"
#include "support/scratch.h"

using checker_test::CheckJob;

namespace {

class CheckStart : public CheckJob {
protected:
    // The routine (blank-padded) of every LABEL record of that name.
    std::vector<std::string> routinesWithLabel(const std::string& label)
    {
        std::vector<std::string> routines;
        FFC_WORK_RECORD r;
        const std::string kind = Routine(WR_LABEL), name = label + std::string(50 - label.size(), ' ');
        for (bool found = record(kind.c_str(), label, r);
             found && std::string(r.acKind, 10) == kind && std::string(r.acName, 50) == name;
             found = WF_cReadNext(&ctx, 12, &r, 2) == '0')
            routines.push_back(std::string(r.acQualifier, 10));
        return routines;
    }
    static std::string Routine(const std::string& name) { return name + std::string(10 - name.size(), ' '); }
};

// The check reads "x_usedll.dat" of the root's source directory; a root
// without the file leaves no user DLL, and the list of the check before is
// gone.
TEST_F(CheckStart, UserDllsComeFromTheRootsSourceDirectory)
{
    addFunction("TSTPRC", "DLLS", {"FUNCTION OPTIONS(*DIRECT)", "RETURN"});
    prepare("TSTPRC", "DLLS");
    /* the environment's root, whose directory names the OS layer finds in any case */
    root = testsupport::sampleRoot().string();
    ASSERT_EQ(DosSetEnvironmentRoot(root.c_str()), 0u);
    run();
    DosSetEnvironmentRoot(nullptr);
    const USEDLL_RECORD* dll = P3100_pUserDlls();
    ASSERT_NE(dll, nullptr) << output;
    EXPECT_STREQ(dll->szName, "BZMONEY");
    EXPECT_STREQ(dll->szAlias, "MONEY");
    ASSERT_EQ(dll->ulEntries, 2u);
    EXPECT_STREQ(dll->aEntries[0].szName, "ROUNDCUR");
    EXPECT_STREQ(dll->aEntries[0].szAlias, "ROUND");
    EXPECT_STREQ(dll->aEntries[1].szName, "TRUNCCUR");
    EXPECT_EQ(dll->pNext, nullptr);

    prepare("TSTPRC", "DLLS");
    root = "/tmp/no-such-root-of-dqov/";
    run();
    EXPECT_EQ(P3100_pUserDlls(), nullptr);
}

// IO_ERROR(*ABORT) of a SELECT_SQL makes *ABORT the run's abort label name:
// the main routine keeps the predefined @ABORT, every subroutine checked
// after it holds *ABORT, and the *ABORT actions find their label.
TEST_F(CheckStart, AnAbortActionNamesTheRoutinesAbortLabels)
{
    addFunction("TSTPRC", "ABORTS",
                {"FUNCTION OPTIONS(*DIRECT)", "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES(CUSTMST) IO_ERROR(*ABORT)",
                 "ENDSELECT", "EXECUTE SUBROUTINE(SUBA)", "RETURN", "SUBROUTINE NAME(SUBA)",
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES(CUSTMST) IO_ERROR(*ABORT)", "ENDSELECT", "ENDROUTINE",
                 "SUBROUTINE NAME(SUBB)", "ENDROUTINE"});
    prepare("TSTPRC", "ABORTS");
    run();
    EXPECT_TRUE(withId("PRC0025").empty()) << output;
    EXPECT_EQ(routinesWithLabel("@ABORT"), (std::vector<std::string>{Routine("*MAIN")}));
    EXPECT_EQ(routinesWithLabel("*ABORT"), (std::vector<std::string>{Routine("SUBA"), Routine("SUBB")}));
}

// Without an *ABORT action the routines hold the predefined name.
TEST_F(CheckStart, WithoutAnAbortActionTheRoutinesHoldAtAbort)
{
    addFunction("TSTPRC", "NEXTS",
                {"FUNCTION OPTIONS(*DIRECT)", "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES(CUSTMST) IO_ERROR(*NEXT)",
                 "ENDSELECT", "EXECUTE SUBROUTINE(SUBA)", "RETURN", "SUBROUTINE NAME(SUBA)", "ENDROUTINE"});
    prepare("TSTPRC", "NEXTS");
    run();
    EXPECT_EQ(routinesWithLabel("@ABORT"), (std::vector<std::string>{Routine("*MAIN"), Routine("SUBA")}));
    EXPECT_TRUE(routinesWithLabel("*ABORT").empty());
}

// A label the IO_ERROR names must be one of the current routine.
TEST_F(CheckStart, AnErrorLabelOfAnotherRoutineIsNotFound)
{
    addFunction("TSTPRC", "OTHERLB",
                {"FUNCTION OPTIONS(*DIRECT)", "L1: RETURN", "SUBROUTINE NAME(SUBA)",
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES(CUSTMST) IO_ERROR(L1)", "ENDSELECT", "ENDROUTINE"});
    prepare("TSTPRC", "OTHERLB");
    run();
    ASSERT_EQ(withId("PRC0025").size(), 1u) << output;
    EXPECT_EQ(withId("PRC0025")[0].data, "L1");
}

}  // namespace

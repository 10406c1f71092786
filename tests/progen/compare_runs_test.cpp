// The comparison of what runs of one function left (tests/progen/compare-runs):
// the dumps of final values the C and the C# drivers write, and a third
// source of the same lines; and the run step of scripts/progen, which runs a
// case in C and in C# and compares the two runs, and the values a reference
// evaluator gives (PROGEN_REFERENCE).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/commands.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

struct Compared {
    int status = -1;
    std::string out;
};

Compared compare(const testsupport::ScratchDir& work, const std::vector<std::string>& dumps,
                 const std::string& names = "")
{
    std::string command = std::string(DQOV_SOURCE_DIR) + "/tests/progen/compare-runs";
    if (!names.empty())
        command += " --names " + names;
    for (size_t i = 0; i < dumps.size(); ++i) {
        const std::filesystem::path dump = work / ("dump" + std::to_string(i));
        testsupport::writeFile(dump, dumps[i]);
        command += " " + testsupport::shellQuote(dump.string());
    }
    Compared c;
    const std::string out = (work / "out").string();
    c.status = testsupport::commandStatus(command + " > " + out);
    c.out = testsupport::readFile(out);
    return c;
}

const char* kDump = "MESSAGE I - Order checked\n"
                    "END PGA1 [AB  ]\n"
                    "END PGP2 -12.50\n"
                    "END LIST PGLIST1 2\n"
                    "END PGLIST1.1.PGP2 1.00\n"
                    "END PGLIST1.2.PGP2 2.00\n"
                    "ENDED 1\n"
                    "FATAL ERROR SET\n";

/* Lines other than the values (messages, print lines, fatal errors) are
** left out: two dumps of the same values are the same. */
TEST(CompareRuns, DumpsOfTheSameValuesAreTheSame)
{
    testsupport::ScratchDir work("compare_runs");
    std::string other = kDump;
    other.replace(other.find("MESSAGE I - Order checked"), 25, "PRINT 1 1.1 |Order|");
    const Compared c = compare(work, {kDump, other});
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.out, "");
}

/* A value that differs, a field a dump does not show, a list's count and
** the end code: one line each, with each source's value, in the order the
** dumps show the keys. */
TEST(CompareRuns, EachDifferenceNamesItsKeyAndEverySourcesValue)
{
    testsupport::ScratchDir work("compare_runs");
    const std::string cs = "END PGA1 [AB  ]\nEND PGP2 -12.5\nEND LIST PGLIST1 1\nEND PGLIST1.1.PGP2 1.00\nENDED 3\n";
    const std::string reference = "END PGA1 [AB]\nEND PGP2 -12.50\nEND LIST PGLIST1 2\n";
    const Compared c = compare(work, {kDump, cs, reference}, "C,C#,REF");
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.out, "PGA1: C=[AB  ] C#=[AB  ] REF=[AB]\n"
                     "PGP2: C=-12.50 C#=-12.5 REF=-12.50\n"
                     "LIST PGLIST1: C=2 C#=1 REF=2\n"
                     "PGLIST1.1.PGP2: C=1.00 C#=1.00 REF=(not shown)\n"
                     "PGLIST1.2.PGP2: C=2.00 C#=(not shown) REF=(not shown)\n"
                     "ENDED: C=1 C#=3 REF=(not shown)\n");
}

/* The run step of a case: its C and C# runs agree, and a reference that
** gives another value for a field fails the C# run's step, naming it. */
TEST(CompareRuns, TheRunStepComparesTheCAndCSharpRunsAndAReference)
{
    testsupport::ScratchDir work("compare_runs");
    testsupport::writeFile(work / "case.case", "FIELD PGP1 P 5 2 N\n"
                                               "FIELD PGA2 A 4 0 N\n"
                                               "CMD FUNCTION OPTIONS(*DIRECT)\n"
                                               "CMD CHANGE FIELD(#PGP1) TO('7.5 * 3')\n"
                                               "CMD CHANGE FIELD(#PGA2) TO('''AB''')\n"
                                               "CMD RETURN\n");
    /* the reference of the test: the C run's dump beside its case, once as
       it stands, once with another value for PGP1 */
    testsupport::writeFile(work / "same", "#!/bin/sh\ncat \"$(dirname \"$1\")/run.out\"\n");
    testsupport::writeFile(work / "other",
                           "#!/bin/sh\nsed 's/^END PGP1 .*/END PGP1 22.00/' \"$(dirname \"$1\")/run.out\"\n");
    std::filesystem::permissions(work / "same", std::filesystem::perms::owner_all);
    std::filesystem::permissions(work / "other", std::filesystem::perms::owner_all);
    const std::filesystem::path build = std::filesystem::path(testsupport::toolPath()).parent_path();
    auto run = [&](const std::string& reference) {
        const std::string out = (work / "run.log").string();
        testsupport::commandStatus("PROGEN_REFERENCE=" + testsupport::shellQuote((work / reference).string()) + " " +
                                   std::string(DQOV_SOURCE_DIR) + "/scripts/progen --build " +
                                   testsupport::shellQuote(build.string()) + " --run --one " +
                                   testsupport::shellQuote((work / "case.case").string()) + " > " + out + " 2>&1");
        return testsupport::readFile(out);
    };
    EXPECT_EQ(run("same"), "check ok\ngenerate ok\nrun ok\ncsrun ok\n");
    EXPECT_EQ(run("other"), "check ok\ngenerate ok\nrun ok\ncsrun fail\nsig PGP1 differs\n");
}

}  // namespace

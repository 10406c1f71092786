// Jobs killed (SIGKILL) at chosen steps of their work: the next job that
// starts finds what they left - files written aside, working folders, the
// journal of their file work - and settles it: a job killed before its
// repository commit leaves the files as they were, one killed after it has
// its renames completed, so that its files are whole.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "job_tool.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

using jobtool::FileTree;
using jobtool::Ran;
using jobtool::Scratch;
using jobtool::ToolRun;
using jobtool::TreeHashes;

using Job = std::vector<std::string>;

// What only a running job keeps below the root: files aside, the journal of
// its file work, its web working folder.
std::vector<std::string> leftovers(const FileTree& tree)
{
    std::vector<std::string> found;
    for (const auto& [name, hash] : tree)
        if (name.find(".dqov-new-") != std::string::npos || name.find(".dqov-job-") != std::string::npos ||
            name.find("TEMP/web/J") != std::string::npos)
            found.push_back(name);
    return found;
}

// The files written aside, by the file each is the new text of.
std::map<std::string, std::string> newTexts(const FileTree& tree)
{
    std::map<std::string, std::string> texts;
    for (const auto& [name, hash] : tree)
        if (const size_t at = name.find(".dqov-new-"); at != std::string::npos)
            texts[name.substr(0, at)] = hash;
    return texts;
}

std::set<std::string> names(const FileTree& tree)
{
    std::set<std::string> all;
    for (const auto& [name, hash] : tree)
        all.insert(name);
    return all;
}

// A job on an object that does not exist: it starts (and so settles what
// dead jobs left) and ends at once, undone.
const Job kNextJob = {"--generate", "DEMOPRC", "NOSUCH"};

struct KillPoint {
    const char* setting;
    bool committed;  // the repository has committed the job's work by then
};

TEST(KilledJobs, TheNextJobSettlesAJobKilledAtEachStepOfItsCommit)
{
    const std::vector<KillPoint> points = {
        {"DQOV_KILL_AT_FILE=2", false},           {"DQOV_KILL_AT=before-commit", false},
        {"DQOV_KILL_AT=after-commit", true},      {"DQOV_KILL_AT=commit-renames", true},
        {"DQOV_KILL_AT=commit-journal", true},
    };
    const Job job = {"--generate", "DEMOPRC", "CUSTUPD"};
    for (bool generatedBefore : {false, true}) {
        // the files a whole generation leaves
        Scratch reference;
        if (generatedBefore) {
            ASSERT_EQ(reference.runJob(job).status, 0);
        }
        ASSERT_EQ(reference.runJob(job).status, 0);
        const std::set<std::string> whole = names(reference.files());
        for (const KillPoint& point : points) {
            const std::string what = std::string(point.setting) + (generatedBefore ? ", generated before" : ", fresh");
            Scratch env;
            if (generatedBefore) {
                ASSERT_EQ(env.runJob(job).status, 0) << what;
            }
            const std::string before = env.dump();
            const FileTree filesBefore = env.files();
            const Ran killed = env.runJob(job, {point.setting});
            ASSERT_EQ(killed.signal, SIGKILL) << what << "\n" << killed.out;
            const std::map<std::string, std::string> written = newTexts(env.files());
            EXPECT_FALSE(leftovers(env.files()).empty()) << what << ": the killed job left nothing to settle";

            const Ran next = env.runJob(kNextJob);
            EXPECT_EQ(next.status, 2) << what << "\n" << next.out;
            const FileTree after = env.files();
            EXPECT_EQ(leftovers(after), std::vector<std::string>{}) << what;
            if (!point.committed) {
                EXPECT_TRUE(env.dump() == before) << what << ": the repository changed";
                EXPECT_TRUE(after == filesBefore) << what << ":" << jobtool::TreeDifference(filesBefore, after);
                continue;
            }
            EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMOPRC' AND OSTFMT = 'CUSTUPD'"),
                      "7")
                << what;
            // every new text the job wrote is in its file's place
            EXPECT_EQ(names(after), whole) << what;
            for (const auto& [file, hash] : written) {
                auto it = after.find(file);
                EXPECT_TRUE(it != after.end() && it->second == hash) << what << ": " << file << " is not the new text";
            }
        }
    }
}

TEST(KilledJobs, AWamJobKilledInItsWorkingFolderLeavesNoFolderBehind)
{
    Scratch env;
    const Job wam = {"--generate", "--web", "all", "--component", "DEMOWEB"};
    const std::string before = env.dump();
    const FileTree filesBefore = env.files();
    const Ran killed = env.runJob(wam, {"DQOV_KILL_AT=wam-working-file"});
    ASSERT_EQ(killed.signal, SIGKILL) << killed.out;
    EXPECT_FALSE(leftovers(env.files()).empty()) << "the killed job left its working folder";
    const Ran next = env.runJob(kNextJob);
    EXPECT_EQ(next.status, 2) << next.out;
    const FileTree after = env.files();
    EXPECT_EQ(leftovers(after), std::vector<std::string>{});
    EXPECT_TRUE(env.dump() == before) << "the repository changed";
    EXPECT_TRUE(after == filesBefore) << jobtool::TreeDifference(filesBefore, after);
    // and the WAM job runs whole after it
    EXPECT_EQ(env.runJob(wam).status, 0);
    EXPECT_EQ(leftovers(env.files()), std::vector<std::string>{});
}

// The files of DEMOMIN a whole generation writes.
const std::vector<std::string> kDemominFiles = {"DEMOMIN.C", "DEMOMIN.H", "DEMOMIN.PGM",
                                                "DEMOMIN.RC", "DEMOMIN.STG", "DEMOMIN.TXT"};
const Job kDemomin = {"--generate", "DEMOPRC", "DEMOMIN"};
constexpr char kSource[] = "X_VELMO/X_DEM/SOURCE/";

// Every new text a killed job wrote aside is in its file's place, and
// nothing of any job is left.
void expectCompleted(const FileTree& after, const std::map<std::string, std::string>& written, const std::string& what)
{
    EXPECT_EQ(leftovers(after), std::vector<std::string>{}) << what;
    EXPECT_FALSE(written.empty()) << what << ": the killed job wrote nothing aside";
    for (const auto& [file, hash] : written) {
        auto it = after.find(file);
        EXPECT_TRUE(it != after.end() && it->second == hash) << what << ": " << file << " is not the new text";
    }
    for (const std::string& file : kDemominFiles)
        EXPECT_TRUE(after.count(kSource + file)) << what << ": " << file << " is gone";
}

// A test root beside a production root, both on one repository: what a
// generation on one settles never reaches the other's jobs.
TEST(KilledJobs, TwoRootsOnOneRepositorySettleOnlyTheirOwnJobs)
{
    Scratch env;
    testsupport::ScratchDir other("dqov-root-b");
    const std::string rootB = (other.path() / "root").string();
    testsupport::copySampleRoot(rootB);
    ASSERT_EQ(env.runJob(kDemomin).status, 0);
    const Ran killed = env.runJob(kDemomin, {"DQOV_KILL_AT=commit-renames"});
    ASSERT_EQ(killed.signal, SIGKILL) << killed.out;
    const std::map<std::string, std::string> written = newTexts(env.files());

    const Ran onB = env.runJobOnRoot(rootB, {"--generate", "DEMOPRC", "CUSTLST"});
    EXPECT_EQ(onB.status, 0) << onB.out;
    EXPECT_EQ(leftovers(TreeHashes(rootB)), std::vector<std::string>{});
    const Ran next = env.runJob(kNextJob);
    EXPECT_EQ(next.status, 2) << next.out;
    expectCompleted(env.files(), written, "root A after a generation on root B");

    // and root B's dead job is root B's, whatever runs on root A meanwhile
    const Ran killedOnB = env.runJobOnRoot(rootB, kDemomin, {"DQOV_KILL_AT=commit-renames"});
    ASSERT_EQ(killedOnB.signal, SIGKILL) << killedOnB.out;
    const std::map<std::string, std::string> writtenOnB = newTexts(TreeHashes(rootB));
    EXPECT_EQ(env.runJob({"--generate", "DEMOPRC", "CUSTLST"}).status, 0);
    EXPECT_EQ(env.runJobOnRoot(rootB, kNextJob).status, 2);
    expectCompleted(TreeHashes(rootB), writtenOnB, "root B after a generation on root A");
}

// One root with two repositories: a job of one is left to the jobs of the
// same repository.
TEST(KilledJobs, OneRootWithTwoRepositoriesSettlesEachRepositorysJobs)
{
    Scratch env;
    testsupport::ScratchDir other("dqov-repo-b");
    const std::string repositoryB = (other.path() / "repository.db").string();
    testsupport::copySampleRepository(repositoryB);
    ASSERT_EQ(env.runJob(kDemomin).status, 0);
    const Ran killed = env.runJob(kDemomin, {"DQOV_KILL_AT=commit-renames"});
    ASSERT_EQ(killed.signal, SIGKILL) << killed.out;
    const std::map<std::string, std::string> written = newTexts(env.files());
    const Ran onB = ToolRun({"--root", env.root(), "--repository", repositoryB, "--generate", "DEMOPRC", "CUSTLST"})
                        .finish();
    EXPECT_EQ(onB.status, 0) << onB.out;
    EXPECT_EQ(newTexts(env.files()), written) << "the other repository's job left them as they were";
    EXPECT_EQ(env.runJob(kNextJob).status, 2);
    expectCompleted(env.files(), written, "after a job of its own repository");
}

// In a container every start gives the tool the same process id: a killed
// job and the next job share it, and neither takes the other's work for
// its own.
TEST(KilledJobs, AJobWithTheProcessIdOfAKilledOneSettlesIt)
{
    if (!jobtool::PidNamespacesAllowed())
        GTEST_SKIP() << "this machine makes no PID namespaces (unshare --pid)";
    for (const char* point : {"DQOV_KILL_AT=commit-renames", "DQOV_KILL_AT_FILE=3"}) {
        SCOPED_TRACE(point);
        Scratch env;
        ASSERT_EQ(env.runJob(kDemomin).status, 0);
        const FileTree before = env.files();
        const Ran killed = env.runJobAsProcess2(kDemomin, {point});
        ASSERT_EQ(killed.status, jobtool::kKilledInNamespace) << killed.out;
        const std::map<std::string, std::string> written = newTexts(env.files());
        const Ran next = env.runJobAsProcess2(kNextJob);
        EXPECT_EQ(next.status, 2) << next.out;
        if (std::string(point).find("commit-renames") != std::string::npos) {
            expectCompleted(env.files(), written, "killed after its commit");
            continue;
        }
        const FileTree after = env.files();
        EXPECT_EQ(leftovers(after), std::vector<std::string>{});
        EXPECT_TRUE(after == before) << jobtool::TreeDifference(before, after);
    }
}

// Links planted at the names a job of process 2 once had: never written
// through, never replaced.
TEST(KilledJobs, LinksPlantedAtJournalNamesAreNeverWrittenThrough)
{
    if (!jobtool::PidNamespacesAllowed())
        GTEST_SKIP() << "this machine makes no PID namespaces (unshare --pid)";
    Scratch env;
    testsupport::ScratchDir outside("dqov-outside");
    testsupport::writeFile(outside.path() / "victim", "keep");
    std::filesystem::create_symlink(outside.path() / "victim", env.root() + "/.dqov-job-2");
    std::filesystem::create_symlink(outside.path() / "made", env.root() + "/.dqov-job-2.new");
    const Ran r = env.runJobAsProcess2(kDemomin);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(testsupport::readFile(outside.path() / "victim"), "keep");
    EXPECT_FALSE(std::filesystem::exists(outside.path() / "made"));
    EXPECT_TRUE(std::filesystem::is_symlink(env.root() + "/.dqov-job-2"));
    EXPECT_NE(r.out.find("The journal .dqov-job-2 is a symbolic link: it is left as it is."), std::string::npos)
        << r.out;
    for (const std::string& file : kDemominFiles)
        EXPECT_TRUE(std::filesystem::exists(env.root() + "/" + kSource + file)) << file;
}

// Journals planted at the root that name paths outside it: even a check
// removes nothing outside the root, and says which entries it refused.
TEST(KilledJobs, PlantedJournalsNamingPathsOutsideTheRootAreRefused)
{
    Scratch env;
    ASSERT_EQ(env.runJob(kDemomin).status, 0);  // the root's identity is made
    testsupport::ScratchDir outside("dqov-outside");
    std::filesystem::create_directories(outside.path() / "tree/deeper");
    testsupport::writeFile(outside.path() / "tree/deeper/x", "x");
    testsupport::writeFile(outside.path() / "file", "keep");
    const std::string out = outside.str();
    const std::string rootId = testsupport::readFile(env.root() + "/.dqov-root").substr(0, 32);
    const std::string owner = std::filesystem::weakly_canonical(env.repository()).string();
    testsupport::writeFile(env.root() + "/.dqov-job-77", "scratch " + out + "/tree\n");
    testsupport::writeFile(env.root() + "/.dqov-job-78", "decided\nremove " + out + "/file\nend\n");
    testsupport::writeFile(env.root() + "/.dqov-job-79-1-1", "job 79-1-1\nroot " + rootId + "\nowner " + owner +
                                                                 "\ndecided\nremove " + out + "/file\nscratch " + out +
                                                                 "/tree\nend\n");
    const FileTree before = TreeHashes(out);
    const Ran check = env.runJob({"DEMOPRC", "CUSTLST"});
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_TRUE(TreeHashes(out) == before) << jobtool::TreeDifference(before, TreeHashes(out));
    EXPECT_NE(check.out.find("The journal .dqov-job-77 is no journal of a job: it is left as it is."),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("The journal .dqov-job-79-1-1 names \"" + out +
                             "/file\", which does not lie under the environment root"),
              std::string::npos)
        << check.out;
    const Ran generation = env.runJob(kDemomin);
    EXPECT_EQ(generation.status, 0) << generation.out;
    EXPECT_TRUE(TreeHashes(out) == before) << jobtool::TreeDifference(before, TreeHashes(out));
}

// A root copied while it held a dead job's journal: the copy's jobs never
// act on the original's paths; the original settles its own job.
TEST(KilledJobs, ACopiedRootLeavesTheOriginalsJournalAlone)
{
    Scratch env;
    ASSERT_EQ(env.runJob(kDemomin).status, 0);
    const Ran killed = env.runJob(kDemomin, {"DQOV_KILL_AT=commit-renames"});
    ASSERT_EQ(killed.signal, SIGKILL) << killed.out;
    const std::map<std::string, std::string> written = newTexts(env.files());
    testsupport::ScratchDir copies("dqov-copy");
    const std::string copy = (copies.path() / "root").string();
    std::filesystem::copy(env.root(), copy, std::filesystem::copy_options::recursive);
    const FileTree original = env.files();
    for (const Job& job : {Job{"DEMOPRC", "CUSTLST"}, Job{"--generate", "DEMOPRC", "CUSTLST"}}) {
        const Ran onCopy = env.runJobOnRoot(copy, job);
        EXPECT_EQ(onCopy.status, 0) << onCopy.out;
        EXPECT_NE(onCopy.out.find("was written for another environment root: it is left as it is."),
                  std::string::npos)
            << onCopy.out;
        EXPECT_TRUE(env.files() == original) << jobtool::TreeDifference(original, env.files());
    }
    EXPECT_EQ(env.runJob(kNextJob).status, 2);
    expectCompleted(env.files(), written, "the original after jobs on its copy");
}

// The subroutines and reporting routines (.SBR, .RPT) are texts the job
// reads back into its program and then removes. A file of either name left
// from before (here with text, where the job writes none) is removed by a
// whole job, its text never reaching the program, and kept as it was by a
// job killed before its commit, which leaves nothing of either behind.
TEST(KilledJobs, OldSubroutineAndReportFilesGoWithAWholeJobOnly)
{
    const std::vector<std::string> reproducible = {"DQOV_FIXED_TIME=20261206143005", "DQOV_GUID_SEED=38"};
    Scratch reference;
    ASSERT_EQ(reference.runJob(kDemomin, reproducible).status, 0);
    ASSERT_EQ(reference.runJob(kDemomin, reproducible).status, 0);
    const FileTree whole = reference.files();

    Scratch env;
    ASSERT_EQ(env.runJob(kDemomin, reproducible).status, 0);
    const std::string source = env.root() + "/" + kSource;
    for (const char* name : {"DEMOMIN.SBR", "DEMOMIN.RPT"})
        testsupport::writeFile(source + name, std::string("/* old text of ") + name + " */\r\n");
    const std::string before = env.dump();
    const FileTree filesBefore = env.files();
    for (const char* point : {"DQOV_KILL_AT=before-commit", "DQOV_KILL_AT_FILE=2"}) {
        std::vector<std::string> settings = reproducible;
        settings.push_back(point);
        const Ran killed = env.runJob(kDemomin, settings);
        ASSERT_EQ(killed.signal, SIGKILL) << point << "\n" << killed.out;
        for (const auto& [name, hash] : env.files())
            EXPECT_EQ(name.find(".SBR.dqov-new-") == std::string::npos && name.find(".RPT.dqov-new-") == std::string::npos,
                      true)
                << point << ": " << name;
        EXPECT_EQ(env.runJob(kNextJob).status, 2) << point;
        const FileTree after = env.files();
        EXPECT_TRUE(after == filesBefore) << point << ":" << jobtool::TreeDifference(filesBefore, after);
        EXPECT_TRUE(env.dump() == before) << point << ": the repository changed";
    }

    const Ran r = env.runJob(kDemomin, reproducible);
    ASSERT_EQ(r.status, 0) << r.out;
    const FileTree after = env.files();
    EXPECT_FALSE(after.count(std::string(kSource) + "DEMOMIN.SBR"));
    EXPECT_FALSE(after.count(std::string(kSource) + "DEMOMIN.RPT"));
    for (const std::string& file : kDemominFiles)
        EXPECT_EQ(after.at(kSource + file), whole.at(kSource + file)) << file;
    EXPECT_EQ(leftovers(after), std::vector<std::string>{});
}

}  // namespace

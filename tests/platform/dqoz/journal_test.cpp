// The journal of a job's file work as the next job reads it back: jobs that
// died (child processes killed with SIGKILL where they stood) are settled,
// live ones are not touched whatever their process id, and a journal is
// untrusted input: links, other roots, other users and paths outside the
// root are never acted on.
#include "platform/dqoz/dqoz.h"
#include "support/files.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr char kOwner[] = "/repositories/one.db";
constexpr char kSource[] = "X_VELMO/X_DEM/SOURCE/";

// The answers and reports of one settling.
struct Settler {
    explicit Settler(int answer = 0) : committed(answer) {}
    int committed;  // the repository's answer
    std::vector<std::string> asked;  // key and root of each question
    std::vector<std::string> reports;

    unsigned long settle()
    {
        return DosSettleDeadFileWork(
            [](const char* key, const char* root, void* user) {
                auto* s = static_cast<Settler*>(user);
                s->asked.push_back(std::string(key) + " @" + root);
                return s->committed;
            },
            [](const char* text, void* user) { static_cast<Settler*>(user)->reports.push_back(text); }, this);
    }
    bool reported(const std::string& part) const
    {
        for (const std::string& r : reports)
            if (r.find(part) != std::string::npos)
                return true;
        return false;
    }
};

std::string rootIdentity(int make = 0)
{
    char id[64];
    return DosQueryRootIdentity(make, id, sizeof id) == DQOZ_NO_ERROR ? std::string(id) : std::string();
}

std::vector<std::string> listedKeys()
{
    std::vector<std::string> keys;
    DosListFileWorkKeys([](const char* key, void* user) { static_cast<std::vector<std::string>*>(user)->push_back(key); },
                        &keys);
    return keys;
}

// Every entry below a folder: a file with its text, a folder as "dir", a
// link as where it leads.
std::map<std::string, std::string> treeOf(const fs::path& top)
{
    std::map<std::string, std::string> all;
    for (auto it = fs::recursive_directory_iterator(top); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = fs::relative(it->path(), top).string();
        if (it->is_symlink())
            all[name] = "link " + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            all[name] = "dir";
        else
            all[name] = testsupport::readFile(it->path());
    }
    return all;
}

enum class Until { Writing, Commit, Stopped };

// A job in a child process: its work (a folder made, two files written, one
// removed), up to its commit with key when asked, then killed where it
// stands (or stopped, to be let go by the test). Its identity and process.
struct ChildJob {
    std::string identity;
    pid_t pid = -1;
};

ChildJob runChild(Until until, const char* key, const std::string& owner = kOwner)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        DosJournalFileWork(owner.c_str());
        DosBeginFileWork();
        bool ok = DosCreateDir("\\X_VELMO\\X_DEM\\SOURCE\\NEW DIR", nullptr) == DQOZ_NO_ERROR &&
                  WriteThroughFileWork("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "new C") &&
                  WriteThroughFileWork("\\X_VELMO\\X_DEM\\SOURCE\\NEW DIR\\line\nbreak.TXT", "new TXT") &&
                  DosDelete("\\X_VELMO\\X_DEM\\SOURCE\\FN.DLL") == DQOZ_NO_ERROR;
        if (ok && until == Until::Commit)
            ok = DosPrepareFileWorkCommit(key) == DQOZ_NO_ERROR;
        const std::string id = ok ? std::string(DosJobIdentity()) + "\n" : std::string("failed\n");
        if (::write(fds[1], id.data(), id.size()) < 0)
            ::_exit(3);
        ::close(fds[1]);
        ::kill(::getpid(), until == Until::Stopped ? SIGSTOP : SIGKILL);
        ::_exit(0);  // let go after a stop: ends without undoing anything
    }
    ::close(fds[1]);
    std::string text;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        text += c;
    ::close(fds[0]);
    if (until != Until::Stopped) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    EXPECT_NE(text, "failed");
    return {text, pid};
}

class DeadJobs : public ::testing::Test {
protected:
    TempRoot root;
    void SetUp() override
    {
        root.mkdirs(kSource);
        root.touch(std::string(kSource) + "FN.C", "old C");
        root.touch(std::string(kSource) + "FN.H", "old H");
        root.touch(std::string(kSource) + "FN.DLL", "old DLL");
        DosJournalFileWork(kOwner);
    }
    void TearDown() override
    {
        DosRollbackFileWork();
        DosJournalFileWork(nullptr);
    }
    std::string at(const std::string& rel) const { return testsupport::readFile(root.path() / rel); }
    std::string source(const std::string& name) const { return std::string(kSource) + name; }
    static std::string aside(const std::string& rel, const std::string& identity)
    {
        return rel + ".dqov-new-" + identity;
    }
    static std::string journal(const std::string& identity) { return ".dqov-job-" + identity; }
};

TEST_F(DeadJobs, ACommittedJobHasItsRenamesCompleted)
{
    const ChildJob job = runChild(Until::Commit, "K-1");
    EXPECT_EQ(at(source("FN.C")), "old C");
    EXPECT_EQ(at(aside(source("FN.C"), job.identity)), "new C");
    Settler s(1);
    EXPECT_EQ(s.settle(), 1u);
    EXPECT_EQ(s.asked, std::vector<std::string>{"K-1 @" + rootIdentity()}) << "its key, asked for this root";
    EXPECT_EQ(at(source("FN.C")), "new C");
    EXPECT_EQ(at(source("NEW DIR/line\nbreak.TXT")), "new TXT");
    EXPECT_FALSE(root.exists(source("FN.DLL")));
    EXPECT_FALSE(root.exists(aside(source("FN.C"), job.identity)));
    EXPECT_FALSE(root.exists(journal(job.identity)));
    EXPECT_EQ(s.reports, std::vector<std::string>{});
    EXPECT_EQ(s.settle(), 0u) << "settled once";
}

TEST_F(DeadJobs, AJobThatDidNotCommitIsUndone)
{
    for (Until until : {Until::Writing, Until::Commit}) {
        SCOPED_TRACE(until == Until::Commit ? "killed at its commit" : "killed while it wrote");
        const ChildJob job = runChild(until, "K-2");
        Settler s(0);
        EXPECT_EQ(s.settle(), 1u);
        EXPECT_EQ(s.asked.size(), until == Until::Commit ? 1u : 0u) << "only a job at its commit is asked about";
        EXPECT_EQ(at(source("FN.C")), "old C");
        EXPECT_EQ(at(source("FN.DLL")), "old DLL");
        EXPECT_FALSE(root.exists(aside(source("FN.C"), job.identity)));
        EXPECT_FALSE(root.exists(source("NEW DIR"))) << "the folder it made goes";
        EXPECT_FALSE(root.exists(journal(job.identity)));
    }
}

TEST_F(DeadJobs, AJobWhoseCommitCannotBeToldIsLeft)
{
    const ChildJob job = runChild(Until::Commit, "K-4");
    Settler s(-1);
    EXPECT_EQ(s.settle(), 0u);
    EXPECT_TRUE(root.exists(journal(job.identity)));
    EXPECT_TRUE(root.exists(aside(source("FN.C"), job.identity)));
    s.committed = 1;
    EXPECT_EQ(s.settle(), 1u);
    EXPECT_EQ(at(source("FN.C")), "new C");
}

TEST_F(DeadJobs, AnotherRepositorysJobIsLeftForItsOwnJobs)
{
    const ChildJob job = runChild(Until::Commit, "K-3");
    DosJournalFileWork("/repositories/two.db");
    Settler s(0);
    EXPECT_EQ(s.settle(), 0u);
    EXPECT_EQ(s.asked, std::vector<std::string>{}) << "the other repository cannot tell";
    EXPECT_EQ(s.reports, std::vector<std::string>{}) << "a repository's journals at a shared root are no fault";
    EXPECT_TRUE(root.exists(journal(job.identity)));
    EXPECT_TRUE(root.exists(aside(source("FN.C"), job.identity)));
    EXPECT_EQ(listedKeys(), std::vector<std::string>{"K-3"}) << "its key counts as open";
    DosJournalFileWork(kOwner);
    s.committed = 1;
    EXPECT_EQ(s.settle(), 1u);
    EXPECT_EQ(at(source("FN.C")), "new C");
}

// A live job is known by the lock on its journal, not by its process id:
// the journal of a stopped process is left until the process is gone.
TEST_F(DeadJobs, ALiveJobIsKnownByItsJournalsLock)
{
    const ChildJob job = runChild(Until::Stopped, nullptr);
    ASSERT_GT(job.pid, 0);
    EXPECT_EQ(DosJobRuns(job.identity.c_str()), 1);
    Settler s(1);
    EXPECT_EQ(s.settle(), 0u);
    EXPECT_TRUE(root.exists(aside(source("FN.C"), job.identity)));
    ::kill(job.pid, SIGKILL);
    int status = 0;
    ::waitpid(job.pid, &status, 0);
    EXPECT_EQ(DosJobRuns(job.identity.c_str()), 0);
    EXPECT_EQ(s.settle(), 1u);
    EXPECT_FALSE(root.exists(aside(source("FN.C"), job.identity)));
    // this process's own work is never settled, nor is a job without a journal running
    DosBeginFileWork();
    ASSERT_TRUE(WriteThroughFileWork("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "own C"));
    EXPECT_EQ(DosJobRuns(DosJobIdentity()), 1);
    EXPECT_EQ(s.settle(), 0u);
    EXPECT_TRUE(root.exists(journal(DosJobIdentity())));
    EXPECT_EQ(DosJobRuns("1-2-3"), 0);
    EXPECT_EQ(DosJobRuns("../x"), 0);
    EXPECT_EQ(DosCommitFileWork(), DQOZ_NO_ERROR);
    EXPECT_EQ(at(source("FN.C")), "own C");
}

TEST_F(DeadJobs, JobIdentitiesNeverRepeat)
{
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i) {
        DosBeginFileWork();
        const std::string id = DosJobIdentity();
        EXPECT_EQ(id.substr(0, id.find('-')), std::to_string(::getpid())) << id;
        EXPECT_EQ(id.find_first_not_of("0123456789abcdef-"), std::string::npos) << id;
        EXPECT_EQ(std::count(id.begin(), id.end(), '-'), 2) << "process id, start time, random bits: " << id;
        for (const std::string& before : seen)
            EXPECT_NE(id, before);
        seen.push_back(id);
        DosRollbackFileWork();
    }
    const ChildJob child = runChild(Until::Writing, nullptr);
    EXPECT_NE(child.identity.substr(0, child.identity.find('-')), std::to_string(::getpid()));
    Settler s;
    s.settle();
}

// A job that makes nothing (a check) writes nothing at the root, not even
// for a moment: jobs that only read a root may share it with others that
// copy it.
TEST_F(DeadJobs, AJobThatMakesNothingLeavesTheRootUntouched)
{
    struct stat before {}, after {};
    ASSERT_EQ(::stat(root.path().c_str(), &before), 0);
    DosBeginFileWork();
    EXPECT_EQ(DosPrepareFileWorkCommit("K-2"), DQOZ_NO_ERROR);
    EXPECT_EQ(DosFileWorkJournaled(), 0);
    EXPECT_EQ(DosCommitFileWork(), DQOZ_NO_ERROR);
    Settler s;
    EXPECT_EQ(s.settle(), 0u);
    ASSERT_EQ(::stat(root.path().c_str(), &after), 0);
    EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec) << "an entry was made and removed at the root";
    EXPECT_EQ(rootIdentity(), "") << "reading the root's identity makes none";
}

TEST_F(DeadJobs, TheRootKeepsOneIdentityAndACopyMakesItsOwn)
{
    EXPECT_EQ(rootIdentity(), "");
    char small[8];
    EXPECT_EQ(DosQueryRootIdentity(0, small, sizeof small), DQOZ_ERROR_FILE_NOT_FOUND);
    const std::string made = rootIdentity(1);
    EXPECT_EQ(made.size(), 32u);
    EXPECT_EQ(made.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(rootIdentity(), made);
    EXPECT_EQ(rootIdentity(1), made) << "made once";
    EXPECT_EQ(DosQueryRootIdentity(1, small, sizeof small), DQOZ_ERROR_BUFFER_OVERFLOW);
    // a copy holds the original's file, but not the original's folder
    testsupport::ScratchDir copies("dqoz-copy");
    fs::copy(root.path(), copies.path() / "root", fs::copy_options::recursive);
    DosSetEnvironmentRoot((copies.path() / "root").c_str());
    EXPECT_EQ(rootIdentity(), "") << "the copy has none of its own";
    const std::string copy = rootIdentity(1);
    EXPECT_EQ(copy.size(), 32u);
    EXPECT_NE(copy, made);
    DosSetEnvironmentRoot(root.str().c_str());
    EXPECT_EQ(rootIdentity(), made) << "the original keeps its own";
}

// A root copied with a dead job's journal: the copy never acts on it (it
// names the original's paths), the original still settles its own.
TEST_F(DeadJobs, AJournalOfAnotherRootIsLeftAndReported)
{
    const ChildJob job = runChild(Until::Commit, "K-5");
    testsupport::ScratchDir copies("dqoz-copy");
    const fs::path copy = copies.path() / "root";
    fs::copy(root.path(), copy, fs::copy_options::recursive);
    const auto original = treeOf(root.path());
    DosSetEnvironmentRoot(copy.c_str());
    Settler s(1);
    EXPECT_EQ(s.settle(), 0u);
    EXPECT_EQ(s.asked, std::vector<std::string>{});
    EXPECT_TRUE(s.reported("The journal " + journal(job.identity) + " was written for another environment root"))
        << ::testing::PrintToString(s.reports);
    EXPECT_EQ(listedKeys(), std::vector<std::string>{}) << "its key is no key of the copy's";
    EXPECT_TRUE(fs::exists(copy / journal(job.identity)));
    DosSetEnvironmentRoot(root.str().c_str());
    EXPECT_EQ(treeOf(root.path()), original) << "nothing of the original was touched from the copy";
    EXPECT_EQ(s.settle(), 1u);
    EXPECT_EQ(at(source("FN.C")), "new C");
}

// Journals planted at the root, as files or as links, that name paths
// outside it: nothing outside the root is read through, written or removed.
class PlantedJournals : public DeadJobs {
protected:
    testsupport::ScratchDir outside{"dqoz-outside"};
    void SetUp() override
    {
        DeadJobs::SetUp();
        fs::create_directories(outside.path() / "tree/deeper");
        testsupport::writeFile(outside.path() / "tree/deeper/x", "x");
        testsupport::writeFile(outside.path() / "file", "keep");
        testsupport::writeFile(outside.path() / "victim", "keep");
        fs::create_directory_symlink(outside.path(), root.path() / "X_VELMO/LINK");
    }
    void plant(const std::string& name, const std::string& text) const
    {
        testsupport::writeFile(root.path() / name, text);
    }
};

TEST_F(PlantedJournals, PathsOutsideTheRootAreRefusedAndReported)
{
    const std::string out = outside.str();
    const std::string id = rootIdentity(1);
    // as an earlier release wrote them, without the job's lines
    plant(".dqov-job-7", "owner " + std::string(kOwner) + "\nscratch " + out + "/tree\n");
    plant(".dqov-job-8", "decided\nremove " + out + "/file\nend\n");
    // with this root's identity and owner: read, and each entry held to the root
    const std::string r = root.str();
    plant(".dqov-job-9-9-9", "job 9-9-9\nroot " + id + "\nowner " + kOwner +
                                 "\ndecided\n"
                                 "remove " + out + "/file\n"
                                 "remove " + r + "/X_VELMO/../../" + fs::path(out).filename().string() + "/victim\n"
                                 "remove " + r + "/X_VELMO/LINK/victim\n"
                                 "remove " + r + "\n"
                                 "rmdir " + out + "/tree/deeper\n"
                                 "put " + out + "/file\n"
                                 "remove " + r + "/" + source("FN.H") + "\n"
                                 "end\n");
    plant(".dqov-job-6-6-6", "job 6-6-6\nroot " + id + "\nowner " + kOwner + "\nscratch " + out +
                                 "/tree\ndir " + r + "/X_VELMO/LINK/tree\naside " + out + "/victim\n");
    testsupport::writeFile(outside.path() / "victim.dqov-new-6-6-6", "aside outside");
    const auto before = treeOf(outside.path());
    Settler s(1);
    EXPECT_EQ(s.settle(), 2u) << "the two with this root's lines are settled, entry by entry";
    EXPECT_EQ(treeOf(outside.path()), before) << "nothing outside the root was touched";
    EXPECT_TRUE(root.exists(".dqov-job-7"));
    EXPECT_TRUE(root.exists(".dqov-job-8"));
    EXPECT_TRUE(s.reported("The journal .dqov-job-7 is no journal of a job")) << ::testing::PrintToString(s.reports);
    EXPECT_TRUE(s.reported("The journal .dqov-job-8 is no journal of a job"));
    for (const std::string& path : {out + "/file", r + "/X_VELMO/LINK/victim", r, out + "/tree"})
        EXPECT_TRUE(s.reported("names \"" + path + "\", which does not lie under the environment root")) << path;
    EXPECT_TRUE(s.reported("names \"" + r + "/X_VELMO/LINK/tree\""));
    EXPECT_FALSE(root.exists(source("FN.H"))) << "its entry under the root is carried out";
}

TEST_F(PlantedJournals, LinksAreNeverFollowed)
{
    // at the names of dead jobs' journals: left, reported
    fs::create_symlink(outside.path() / "victim", root.path() / ".dqov-job-5");
    fs::create_symlink(outside.path() / "made", root.path() / ".dqov-job-5.new");
    Settler s(1);
    EXPECT_EQ(s.settle(), 0u);
    EXPECT_TRUE(s.reported("The journal .dqov-job-5 is a symbolic link")) << ::testing::PrintToString(s.reports);
    EXPECT_TRUE(s.reported("The journal .dqov-job-5.new is a symbolic link"));
    EXPECT_TRUE(fs::is_symlink(root.path() / ".dqov-job-5"));

    // at the name of this job's journal: the job's first write fails, and its commit
    DosBeginFileWork();
    const std::string id = DosJobIdentity();
    fs::create_symlink(outside.path() / "made", root.path() / journal(id));
    std::string host;
    EXPECT_EQ(dqoz::OutputPath("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", host), DQOZ_ERROR_ACCESS_DENIED);
    EXPECT_NE(std::string(DosGetLastErrorText()).find("something of that name is there already"), std::string::npos)
        << DosGetLastErrorText();
    EXPECT_NE(DosPrepareFileWorkCommit("K-6"), DQOZ_NO_ERROR);
    DosRollbackFileWork();
    EXPECT_TRUE(fs::is_symlink(root.path() / journal(id))) << "not removed with the work: it is not the job's";

    // at the name its list for the commit is written under
    DosBeginFileWork();
    const std::string next = journal(DosJobIdentity()) + ".new";
    ASSERT_TRUE(WriteThroughFileWork("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "new C"));
    fs::create_symlink(outside.path() / "made", root.path() / next);
    EXPECT_NE(DosPrepareFileWorkCommit("K-7"), DQOZ_NO_ERROR);
    EXPECT_NE(std::string(DosGetLastErrorText()).find(next), std::string::npos) << DosGetLastErrorText();
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(root.path() / journal(DosJobIdentity()))));
    DosRollbackFileWork();
    EXPECT_FALSE(fs::exists(outside.path() / "made")) << "nothing was written through a link";
    EXPECT_EQ(testsupport::readFile(outside.path() / "victim"), "keep");
    EXPECT_EQ(at(source("FN.C")), "old C");
}

TEST_F(PlantedJournals, AnotherUsersJournalIsLeft)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user takes root";
    const ChildJob job = runChild(Until::Commit, "K-8");
    ASSERT_EQ(::chown((root.path() / journal(job.identity)).c_str(), 4242, 4242), 0);
    Settler s;
    EXPECT_EQ(s.settle(), 0u);
    EXPECT_TRUE(s.reported("belongs to another user")) << ::testing::PrintToString(s.reports);
    EXPECT_EQ(listedKeys(), std::vector<std::string>{"K-8"}) << "its key is kept for it";
    EXPECT_TRUE(root.exists(aside(source("FN.C"), job.identity)));
    ASSERT_EQ(::chown((root.path() / journal(job.identity)).c_str(), 0, 0), 0);
    EXPECT_EQ(s.settle(), 1u);
}

}  // namespace

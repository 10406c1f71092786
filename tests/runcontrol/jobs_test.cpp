// Whole jobs of the dqov tool on copies of the sample environment: a job
// that fails in the skeleton or cannot write leaves the repository and the
// generated files as they were; jobs on one repository queue for its write
// lock; names that would share a file set are refused. (Failures at every
// location of every kind of job: road_test.cpp.)
#include <gtest/gtest.h>

#include <signal.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "job_tool.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using jobtool::FileTree;
using jobtool::Ran;
using jobtool::Scratch;
using jobtool::ToolRun;

void expectNothingLeft(const Scratch& env, const Ran& r, const std::string& before, const FileTree& filesBefore,
                       const std::string& what)
{
    jobtool::ExpectNothingLeft(env, r, before, filesBefore, what);
}

TEST(Jobs, SkeletonFatalAndUnwritableOutputLeaveNothingBehind)
{
    {
        // "%%ELSE" at depth 0 at the end of the main skeleton: the header,
        // the source and the work files are written by then
        Scratch env;
        std::ofstream(env.root() + "/X_VELMO/SOURCE/FUN00001.S", std::ios::app) << "%%ELSE\n";
        const std::string before = env.dump();
        const FileTree filesBefore = env.files();
        Ran r = env.run("CUSTUPD");
        expectNothingLeft(env, r, before, filesBefore, "skeleton fatal");
        EXPECT_NE(r.out.find("<RED>Internal fatal error: iSkeletonCondition 0 cannot be toggled"), std::string::npos)
            << r.out;
    }
    {
        // the resource script cannot be written: a directory has its name
        Scratch env;
        fs::create_directory(env.root() + "/X_VELMO/X_DEM/SOURCE/DEMOMIN.RC");
        const std::string before = env.dump();
        const FileTree filesBefore = env.files();
        Ran r = env.run("DEMOMIN");
        expectNothingLeft(env, r, before, filesBefore, "unwritable output");
        EXPECT_NE(r.out.find("<RED>PRC1002 F"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("<RED>Job ended with result 2: "), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("The job could not run (run driver result -4)."), std::string::npos) << r.out;
    }
}

TEST(Jobs, FourJobsStartedTogetherAllFinish)
{
    for (int round = 0; round < 3; ++round) {
        Scratch env;
        ASSERT_TRUE(env.cloneDemomin("DEMOMN2"));
        const std::vector<std::string> functions = {"DEMOMIN", "CUSTUPD", "CUSTLST", "DEMOMN2"};
        std::vector<std::unique_ptr<ToolRun>> jobs;
        for (const std::string& f : functions)
            jobs.push_back(std::make_unique<ToolRun>(env.generate(f)));
        for (size_t i = 0; i < jobs.size(); ++i) {
            Ran r = jobs[i]->finish();
            EXPECT_EQ(r.status, 0) << functions[i] << "\n" << r.out;
        }
        for (const std::string& f : functions) {
            EXPECT_TRUE(fs::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/" + f + ".C")) << f;
            const std::string key = "OSTMOD = 'DEMOPRC' AND OSTFMT = '" + f + "'";
            EXPECT_EQ(env.queryOutside(("SELECT OSTSTA FROM QV_OST WHERE " + key).c_str()), "7") << f;
            EXPECT_EQ(env.queryOutside(("SELECT length(X23SP1) FROM QV_F23 WHERE X23FMT = '" + f + "'").c_str()), "17")
                << f;
        }
    }
}

// Waits (up to 10 s) until the process has the file open: by then the tool
// has installed its signal handlers and connected.
bool waitUntilOpen(pid_t pid, const std::string& file)
{
    const fs::path fds = "/proc/" + std::to_string(pid) + "/fd";
    for (int i = 0; i < 1000; ++i) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(fds, ec))
            if (fs::read_symlink(e.path(), ec) == file)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Another process's connection holding the repository's write lock.
class LockHolder {
public:
    explicit LockHolder(const std::string& repository)
    {
        sqlite3_open(repository.c_str(), &db_);
        sqlite3_exec(db_, "PRAGMA journal_mode=WAL; BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    }
    ~LockHolder() { release(); }
    void release()
    {
        if (!db_)
            return;
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }

private:
    sqlite3* db_ = nullptr;
};

TEST(Jobs, JobsQueueForTheWriteLockUpToTheTimeout)
{
    Scratch env;
    {
        LockHolder holder(env.repository());
        const Clock::time_point start = Clock::now();
        ToolRun job(env.generate("DEMOMIN"));
        std::this_thread::sleep_for(std::chrono::seconds(2));
        holder.release();
        Ran r = job.finish();
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_GE(Clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTFMT = 'DEMOMIN'"), "7");
    }
    {
        LockHolder holder(env.repository());
        const std::string before = env.dump();
        Ran r = env.run("CUSTUPD", {"DQOV_LOCK_TIMEOUT=1"});
        holder.release();
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_NE(r.out.find("<RED>SQL Error at location DC_P31O2/BEGIN. The repository " + env.repository() +
                             " is locked: its write lock was held by another process for more than 1 second(s).\r\n"),
                  std::string::npos)
            << r.out;
        // a lock held too long is nobody's fault: no advice to report it or to restart
        EXPECT_EQ(r.out.find("product vendor"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("restart"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("<RED>Job ended with result 2"), std::string::npos) << r.out;
        EXPECT_TRUE(env.dump() == before);
    }
    {
        // interrupted while it waits: the job ends as soon as it has the lock
        LockHolder holder(env.repository());
        const std::string before = env.dump();
        ToolRun job(env.generate("CUSTLST"));
        ASSERT_TRUE(waitUntilOpen(job.pid(), env.repository()));
        kill(job.pid(), SIGTERM);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        holder.release();
        Ran r = job.finish();
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_NE(r.out.find("<RED>The job was interrupted by signal 15."), std::string::npos) << r.out;
        EXPECT_TRUE(env.dump() == before);
        EXPECT_FALSE(fs::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/CUSTLST.C"));
    }
}

TEST(Jobs, EmptyRepositoryIsRefusedAtConnect)
{
    Scratch env;
    const std::string empty = env.root() + "/../empty.db";
    std::ofstream{empty};
    Ran r = ToolRun({"--generate", "--root", env.root(), "--repository", empty, "DEMOPRC", "DEMOMIN"}).finish();
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "<RED>The repository " + empty + " cannot be opened: Repository file " + empty +
                         " holds no tables: it is not a repository\r\n"
                         "<RED>Job ended with result 2: 0 error(s), 0 warning(s). The job could not run: its "
                         "repository could not be opened.\r\n");
}

// Another process holding the repository in exclusive locking mode: the job
// waits for it as for any lock, then says what was locked and for how long
// and ends with its closing line.
TEST(Jobs, ARepositoryHeldExclusivelyIsWaitedForUpToTheTimeout)
{
    Scratch env;
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(env.repository().c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "PRAGMA locking_mode=EXCLUSIVE; BEGIN IMMEDIATE; CREATE TABLE HELD (X); COMMIT",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const Clock::time_point start = Clock::now();
    Ran r = env.run("DEMOMIN", {"DQOV_LOCK_TIMEOUT=2"});
    EXPECT_GE(Clock::now() - start, std::chrono::seconds(2)) << "it waited for the lock";
    sqlite3_close(holder);
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("<RED>The repository " + env.repository() +
                         " is locked: another process held it for more than 2 second(s).\r\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("<RED>Job ended with result 2: "), std::string::npos) << r.out;
    // once it is let go, the job runs
    EXPECT_EQ(env.run("DEMOMIN").status, 0);
}

// A check commits nothing of its own: it reads while a generation holds the
// write lock, and its cross-reference is written only when its caller
// commits (the tool's never does).
TEST(Jobs, ACheckReadsWhileAGenerationHoldsTheWriteLock)
{
    Scratch env;
    const std::string references = env.queryOutside("SELECT COUNT(*) FROM QV_XRF");
    LockHolder holder(env.repository());
    // The lock is held until both checks have ended, so a check that asked
    // for it would end on the lock's timeout with the locked message and
    // result 2, however long a loaded machine takes to run it.
    for (const std::vector<std::string>& job : {std::vector<std::string>{"DEMOPRC", "CUSTLST"},
                                                std::vector<std::string>{"--component", "DEMOWEB"}}) {
        Ran r = env.runJob(job, {"DQOV_LOCK_TIMEOUT=1"});
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_NE(r.out.find("<GRN>Job ended with result 0"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find(" is locked: "), std::string::npos) << r.out;
    }
    holder.release();
    EXPECT_EQ(env.queryOutside("SELECT COUNT(*) FROM QV_XRF"), references);
}

// The messages of a failed statement name the location and the database's
// reason, never the statement's text.
TEST(Jobs, MessagesOfFailedStatementsHoldNoSqlText)
{
    Scratch env;
    ASSERT_TRUE(env.execOutside("DROP TABLE QV_F67"));
    const std::string before = env.dump();
    const FileTree filesBefore = env.files();
    Ran r = env.run("DEMOMIN");
    expectNothingLeft(env, r, before, filesBefore, "a table dropped");
    EXPECT_NE(r.out.find("no such table: QV_DTA.QV_F67"), std::string::npos) << r.out;
    for (const char* sql : {"SELECT", "FROM ", "WHERE", " in: "})
        EXPECT_EQ(r.out.find(sql), std::string::npos) << sql << "\n" << r.out;
}

// A generated file that is a link leading outside the root is not written:
// the message names the file, then why.
TEST(Jobs, AFileLinkedOutsideTheRootIsRefusedWithItsReason)
{
    Scratch env;
    testsupport::ScratchDir outside("dqov-outside");
    testsupport::writeFile(outside.path() / "target.C", "keep");
    fs::create_symlink(outside.path() / "target.C", env.root() + "/X_VELMO/X_DEM/SOURCE/DEMOMIN.C");
    Ran r = env.run("DEMOMIN");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("<RED>PRC1002 F"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("DEMOMIN.C\" leads outside the environment root."), std::string::npos) << r.out;
    EXPECT_EQ(testsupport::readFile(outside.path() / "target.C"), "keep");
}

TEST(Jobs, NamesThatWouldShareAFileSetAreRefused)
{
    Scratch env;
    ASSERT_TRUE(env.cloneDemomin("../../Z"));
    ASSERT_TRUE(env.cloneDemomin("..\\..\\Z"));
    const FileTree filesBefore = env.files();
    // both map to the file stem X_____Z: each is refused for the other
    for (const auto& [name, other] : {std::pair<std::string, std::string>{"../../Z", "..\\..\\Z"},
                                      std::pair<std::string, std::string>{"..\\..\\Z", "../../Z"}}) {
        Ran r = env.run(name);
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_NE(r.out.find("<RED>DCM9992 F ERROR : Name " + name + " has the file stem X_____Z of function " + other),
                  std::string::npos)
            << r.out;
        // the completion message after generation counts the refusal
        EXPECT_NE(r.out.find("PRC0011 I Function checked: 0000001 fatal error(s), 0000000 warning(s)."),
                  std::string::npos)
            << r.out;
    }
    EXPECT_EQ(env.files(), filesBefore);
}

TEST(Jobs, NamesThatDifferOnlyInCaseAreTwoObjects)
{
    // abc and ABC are two functions of the repository, and the file layer
    // finds their files without regard to case: neither may write the
    // other's set (each was taken for the object itself)
    Scratch env;
    ASSERT_TRUE(env.cloneDemomin("abc"));
    ASSERT_TRUE(env.cloneDemomin("ABC"));
    const FileTree filesBefore = env.files();
    for (const auto& [name, other] :
         {std::pair<std::string, std::string>{"abc", "ABC"}, std::pair<std::string, std::string>{"ABC", "abc"}}) {
        Ran r = env.run(name);
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_NE(r.out.find("<RED>DCM9992 F ERROR : Name " + name + " has the file stem " + name + " of function " +
                             other),
                  std::string::npos)
            << r.out;
    }
    EXPECT_EQ(env.files(), filesBefore);
}

TEST(Jobs, ACompoundWhosePassFindsErrorsKeepsItsEarlierGenerationWhole)
{
    // the passes of a compound are one unit: when its home finds an error,
    // the member's new files are not kept and the earlier generation (its
    // C files in the compound's directory, and its C#) stands as it was
    Scratch env;
    const std::vector<std::string> job = {"--generate", "--csharp", "--component", "DEMOSHOP"};
    Ran first = env.runJob(job);
    ASSERT_EQ(first.status, 0) << first.out;
    const std::string home = env.root() + "/X_VELMO/X_DEM/SOURCE/DEMOSHOP/DEMOSHOP.C";
    ASSERT_TRUE(fs::exists(home));
    ASSERT_TRUE(env.execOutside("INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) "
                                "SELECT 'DEM', 'DEMOCUST', MAX(XCSSEQ) + 1, 'NOSUCHCMD' FROM QV_OCS "
                                "WHERE XCSP_I = 'DEM' AND XCSCMP = 'DEMOCUST'"));
    const FileTree filesBefore = env.files();
    Ran second = env.runJob(job);
    EXPECT_EQ(second.status, 1) << second.out;
    EXPECT_NE(second.out.find("NOSUCHCMD"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("A pass of the compound component DEMOSHOP found errors: no file of its passes was "
                              "kept, its earlier generation stands."),
              std::string::npos)
        << second.out;
    const FileTree after = env.files();
    EXPECT_TRUE(after == filesBefore) << jobtool::TreeDifference(filesBefore, after);
    EXPECT_TRUE(fs::exists(home));
    // the object's state records the errors all the same
    EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMOSHOP'"), "6");
}

TEST(Jobs, TwoWamJobsAtOnceWorkInFoldersOfTheirOwn)
{
    // one environment root, two repositories: the jobs do not wait for each
    // other, and neither may clean the other's working stylesheets
    Scratch env;
    const std::string second = env.root() + "/../second.db";
    fs::copy_file(env.repository(), second);
    const std::vector<std::string> wam = {"--generate", "--web", "all", "--trace", "3", "--component", "DEMOWEB"};
    std::vector<std::string> other = {"--root", env.root(), "--repository", second};
    other.insert(other.end(), wam.begin(), wam.end());
    ToolRun first(env.job(wam)), then(other);
    const Ran a = first.finish(), b = then.finish();
    EXPECT_EQ(a.status, 0) << a.out;
    EXPECT_EQ(b.status, 0) << b.out;
    std::set<std::string> folders;
    for (const auto& e : fs::directory_iterator(env.root() + "/X_VELMO")) {
        if (e.path().filename().string().rfind("d_trace.", 0) != 0)
            continue;
        for (const std::string& line : testsupport::readLines(e.path()))
            if (const size_t at = line.find("TEMP\\web\\J"); at != std::string::npos)
                folders.insert(line.substr(at, line.find('\\', at + 9) - at));
    }
    EXPECT_EQ(folders.size(), 2u) << "each job names its own folder";
    // the working folders go with their jobs (the folders above them may
    // stay when the jobs overlapped)
    std::error_code ec;
    EXPECT_TRUE(fs::is_empty(env.root() + "/X_VELMO/TEMP/web", ec) || !fs::exists(env.root() + "/X_VELMO/TEMP/web"));
}

}  // namespace

namespace {

std::string painterScript(const char* name)
{
    return std::string(DQOV_SOURCE_DIR) + "/samples/painter/" + name;
}

TEST(Jobs, AGenerationWhoseDesignSessionEndsEarlyKeepsNothing)
{
    // the painter script ends before the session does: the whole job is
    // undone, the files it generated with the repository work
    for (bool generatedBefore : {false, true}) {
        Scratch env;
        const std::string what = generatedBefore ? "re-generated" : "fresh";
        if (generatedBefore) {
            ASSERT_EQ(env.runJob({"--generate", "DEMODSN", "DSNLST"}).status, 0) << what;
        }
        const std::string script = env.root() + "/../short.txt";
        std::ofstream(script) << "screen 1\ncommand M\n";
        const std::string before = env.dump();
        const FileTree filesBefore = env.files();
        const Ran r = env.runJob({"--generate", "--design-screens", script, "DEMODSN", "DSNLST"});
        expectNothingLeft(env, r, before, filesBefore, what);
        EXPECT_NE(r.out.find("The design session ended early; nothing of it was kept."), std::string::npos) << r.out;
    }
    // a session seen through keeps the job's files and its design work
    Scratch env;
    const Ran r = env.runJob({"--generate", "--design-screens", painterScript("list-screen.txt"), "DEMODSN", "DSNLST"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(fs::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/DSNLST.C"));
    EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMODSN' AND OSTFMT = 'DSNLST'"), "7");
}

}  // namespace

// Whole jobs of the dqov tool on copies of the sample environment: a job
// that cannot run leaves the repository and the generated files as they
// were, whatever the place it fails at; jobs on one repository queue for its
// write lock; names that would share a file set are refused.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "sample_env.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Ran {
    int status = -1;
    std::string out;
};

// A dqov process started with extra environment settings; its standard
// output is read when it is finished.
class ToolRun {
public:
    ToolRun(const std::vector<std::string>& args, const std::vector<std::string>& env = {})
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::vector<std::string> all{DQOV_TOOL_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> vars(env);
        for (char** e = environ; *e; ++e)
            vars.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& v : vars)
            envp.push_back(v.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        if (posix_spawn(&pid_, all[0].c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out_ = fds[0];
    }
    ToolRun(const ToolRun&) = delete;
    ToolRun& operator=(const ToolRun&) = delete;
    ~ToolRun()
    {
        if (pid_ > 0)
            finish();
    }

    pid_t pid() const { return pid_; }

    Ran finish()
    {
        Ran r;
        char buf[4096];
        ssize_t n;
        while ((n = read(out_, buf, sizeof buf)) > 0)
            r.out.append(buf, static_cast<size_t>(n));
        close(out_);
        int st = 0;
        if (pid_ > 0 && waitpid(pid_, &st, 0) == pid_)
            r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        pid_ = -1;
        return r;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// A copy of the sample environment with the tool's arguments for it.
class Scratch : public SampleEnv {
public:
    std::vector<std::string> generate(const std::string& function, const std::string& process = "DEMOPRC") const
    {
        return {"--generate", "--root", root(), "--repository", repository(), process, function};
    }
    Ran run(const std::string& function, const std::vector<std::string>& env = {},
            const std::string& process = "DEMOPRC") const
    {
        return ToolRun(generate(function, process), env).finish();
    }

    // Every function of the repository, as (process, function).
    std::vector<std::pair<std::string, std::string>> functions() const
    {
        std::vector<std::pair<std::string, std::string>> all;
        sqlite3* db = nullptr;
        sqlite3_open_v2(repository().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT rtrim(X23MOD), rtrim(X23FMT) FROM QV_F23 ORDER BY 1, 2", -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW)
            all.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)),
                             reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        sqlite3_finalize(st);
        sqlite3_close(db);
        return all;
    }

    // The repository as SQL text, for comparing states.
    std::string dump() const
    {
        std::string out;
        FILE* p = popen(("sqlite3 '" + repository() + "' .dump").c_str(), "r");
        char buf[4096];
        size_t n;
        while (p && (n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        if (p)
            pclose(p);
        return out;
    }

    // Every file and directory below the root.
    std::set<std::string> files() const
    {
        std::set<std::string> all;
        for (const auto& e : fs::recursive_directory_iterator(root()))
            all.insert(fs::relative(e.path(), root()).string());
        return all;
    }

    // A new function of DEMOPRC made of DEMOMIN's rows.
    bool cloneDemomin(const std::string& name) const
    {
        const std::string q = "'" + name + "'";
        return execOutside(
            ("INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) "
             "SELECT X23P_I, X23MOD, " +
             q +
             ", X23SP1, X23SQL, X23APM FROM QV_F23 WHERE X23FMT = 'DEMOMIN';"
             "INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) "
             "SELECT X67P_I, X67MOD, " +
             q +
             ", X67PLN, X67DES FROM QV_F67 WHERE X67FMT = 'DEMOMIN';"
             "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCKND, SRCLBL, SRCCMD, SRCCOD, SRCPRM) "
             "SELECT SRCP_I, SRCMOD, " +
             q +
             ", SRCSEQ, SRCKND, SRCLBL, SRCCMD, SRCCOD, SRCPRM "
             "FROM QV_SRC WHERE SRCFMT = 'DEMOMIN';")
                .c_str());
    }
};

// A job that could not run: status 2, the repository and the files as before.
void expectNothingLeft(const Scratch& env, const Ran& r, const std::string& before,
                       const std::set<std::string>& filesBefore, const std::string& what)
{
    EXPECT_EQ(r.status, 2) << what << "\n" << r.out;
    EXPECT_TRUE(env.dump() == before) << what << ": the repository changed";
    EXPECT_EQ(env.files(), filesBefore) << what;
}

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::vector<std::string> lines(const std::string& path)
{
    std::vector<std::string> all;
    std::ifstream in(path);
    for (std::string l; std::getline(in, l);)
        all.push_back(l);
    return all;
}

TEST(Jobs, EveryLocationOnTheRoadOfAGenerationFailsWithoutATrace)
{
    // The road: every location the services saw in the clean generations of
    // the sample's functions, each with a function whose job passes it.
    using Object = std::pair<std::string, std::string>;
    std::map<std::string, Object> road;
    for (const Object& object : Scratch().functions()) {
        Scratch env;
        const std::string log = env.root() + "/../locations";
        Ran r = env.run(object.second, {"DQOV_SQL_LOCATION_LOG=" + log}, object.first);
        if (r.status != 0)
            continue;
        for (const std::string& tag : lines(log)) {
            EXPECT_FALSE(tag.empty()) << object.second << ": a statement ran without a location";
            road.emplace(tag, object);
        }
    }
    ASSERT_TRUE(road.count("DC_P31O2/COMMIT")) << "the road ends in the job's commit";

    for (const auto& [tag, object] : road) {
        Scratch env;
        const std::string before = env.dump();
        const std::set<std::string> filesBefore = env.files();
        Ran r = env.run(object.second, {"DQOV_SQL_FAIL_AT=" + tag}, object.first);
        expectNothingLeft(env, r, before, filesBefore, tag);
        // the fatal text names the location and the reason, each once
        EXPECT_EQ(count(r.out, tag), 1u) << r.out;
        EXPECT_EQ(count(r.out, "Failure injected by the test switch"), 1u) << r.out;
    }
}

TEST(Jobs, SkeletonFatalAndUnwritableOutputLeaveNothingBehind)
{
    {
        // "%%ELSE" at depth 0 at the end of the main skeleton: the header,
        // the source and the work files are written by then
        Scratch env;
        std::ofstream(env.root() + "/X_VELMO/SOURCE/FUN00001.S", std::ios::app) << "%%ELSE\n";
        const std::string before = env.dump();
        const std::set<std::string> filesBefore = env.files();
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
        const std::set<std::string> filesBefore = env.files();
        Ran r = env.run("DEMOMIN");
        expectNothingLeft(env, r, before, filesBefore, "unwritable output");
        EXPECT_NE(r.out.find("<RED>PRC1002 F"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Job ended with result -4"), std::string::npos) << r.out;
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
                             " is locked: its write lock was held by another process for more than 1 second(s)"),
                  std::string::npos)
            << r.out;
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
                         " holds no tables: it is not a repository\r\n");
}

TEST(Jobs, NamesThatWouldShareAFileSetAreRefused)
{
    Scratch env;
    ASSERT_TRUE(env.cloneDemomin("../../Z"));
    ASSERT_TRUE(env.cloneDemomin("..\\..\\Z"));
    const std::set<std::string> filesBefore = env.files();
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

}  // namespace

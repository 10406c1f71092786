// Whole jobs of the dqov tool as separate processes, on private copies of
// the sample environment: the process with extra environment settings, the
// copy with the tool's arguments for it, and the states a test compares (the
// repository as SQL text, every file below the root with a hash of its
// bytes).
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sample_env.h"
#include "support/commands.h"
#include "support/files.h"

extern char** environ;

namespace jobtool {

namespace fs = std::filesystem;

struct Ran {
    int status = -1;  // the exit status; -1 when the tool did not exit (a signal ended it)
    int signal = 0;   // the signal that ended it
    std::string out;
};

// A dqov process started with extra environment settings (and, when a
// wrapper is given, by that command, the tool and its arguments following
// it); its standard output is read when it is finished.
class ToolRun {
public:
    ToolRun(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
            const std::vector<std::string>& wrapper = {})
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::vector<std::string> all(wrapper);
        all.push_back(testsupport::toolPath());
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
        if (posix_spawnp(&pid_, all[0].c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
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
        if (pid_ > 0 && waitpid(pid_, &st, 0) == pid_) {
            r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
            r.signal = WIFSIGNALED(st) ? WTERMSIG(st) : 0;
        }
        pid_ = -1;
        return r;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// The tool in a PID namespace of its own, as a container starts it: the
// shell that starts it is process 1 there and the tool process 2, every
// time. A job killed in it ends the shell with 128 + the signal.
inline const std::vector<std::string> kOwnPidNamespace = {"unshare", "--pid", "--fork", "sh", "-c",
                                                          "\"$0\" \"$@\" & wait $!"};
constexpr int kKilledInNamespace = 128 + SIGKILL;

// The machine lets this user make PID namespaces (root, or a system that
// allows unprivileged ones).
inline bool PidNamespacesAllowed()
{
    static const bool allowed = std::system("unshare --pid --fork true >/dev/null 2>&1") == 0;
    return allowed;
}

// Every file and directory below a directory: a directory as "dir", a file
// as its size and a 64-bit FNV-1a hash of its bytes. The root's identity,
// which the first job that keeps a journal there makes and every later one
// keeps, is no file of a job's.
inline std::map<std::string, std::string> TreeHashes(const std::string& top)
{
    std::map<std::string, std::string> all;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(top, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const std::string name = fs::relative(it->path(), top).string();
        if (name == ".dqov-root")
            continue;
        if (it->is_directory()) {
            all[name] = "dir";
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        uint64_t hash = 14695981039346656037ULL;
        uint64_t size = 0;
        char buf[65536];
        while (in.read(buf, sizeof buf) || in.gcount() > 0) {
            for (std::streamsize i = 0; i < in.gcount(); ++i)
                hash = (hash ^ static_cast<unsigned char>(buf[i])) * 1099511628211ULL;
            size += static_cast<uint64_t>(in.gcount());
        }
        all[name] = std::to_string(size) + ":" + std::to_string(hash);
    }
    return all;
}

// The names that differ between two trees, for a failure's message.
inline std::string TreeDifference(const std::map<std::string, std::string>& before,
                                  const std::map<std::string, std::string>& after)
{
    std::string text;
    std::set<std::string> names;
    for (const auto& [name, hash] : before)
        names.insert(name);
    for (const auto& [name, hash] : after)
        names.insert(name);
    for (const std::string& name : names) {
        auto b = before.find(name), a = after.find(name);
        if (b == before.end())
            text += " new " + name;
        else if (a == after.end())
            text += " gone " + name;
        else if (a->second != b->second)
            text += " changed " + name;
    }
    return text;
}

// A copy of the sample environment with the tool's arguments for it.
class Scratch : public SampleEnv {
public:
    // The tool's arguments for a job: the copy's root and repository, then
    // the job's own arguments.
    std::vector<std::string> job(const std::vector<std::string>& args) const
    {
        std::vector<std::string> all{"--root", root(), "--repository", repository()};
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }
    std::vector<std::string> generate(const std::string& function, const std::string& process = "DEMOPRC") const
    {
        return job({"--generate", process, function});
    }
    Ran run(const std::string& function, const std::vector<std::string>& env = {},
            const std::string& process = "DEMOPRC") const
    {
        return ToolRun(generate(function, process), env).finish();
    }
    Ran runJob(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) const
    {
        return ToolRun(job(args), env).finish();
    }
    // The job in a PID namespace of its own (kOwnPidNamespace).
    Ran runJobAsProcess2(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) const
    {
        return ToolRun(job(args), env, kOwnPidNamespace).finish();
    }
    // A job on another root that shares this copy's repository.
    Ran runJobOnRoot(const std::string& otherRoot, const std::vector<std::string>& args,
                     const std::vector<std::string>& env = {}) const
    {
        std::vector<std::string> all{"--root", otherRoot, "--repository", repository()};
        all.insert(all.end(), args.begin(), args.end());
        return ToolRun(all, env).finish();
    }

    // Takes the root and the repository of another copy as they stand.
    void takeStateOf(const Scratch& other) const
    {
        fs::remove_all(root());
        fs::copy(other.root(), root(), fs::copy_options::recursive);
        fs::copy_file(other.repository(), repository(), fs::copy_options::overwrite_existing);
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
        return testsupport::runCommand("sqlite3 " + testsupport::shellQuote(repository()) + " .dump",
                                       testsupport::Errors::Kept)
            .out;
    }

    // Every file and directory below the root, with the hashes of the files.
    std::map<std::string, std::string> files() const { return TreeHashes(root()); }

    // A new function PBnnnn of DEMOPRC of that many commands, made as the
    // benchmark makes it (bench/programs.py: the command mix of real
    // functions, checking clean); its name, or "" when it could not be made.
    std::string addBenchFunction(int commands) const
    {
        char name[16];
        std::snprintf(name, sizeof name, "PB%04d", commands);
        const std::string sources = root() + "/../src";
        fs::create_directories(sources + "/DEM/DEMOPRC");
        const std::string write = "python3 -c 'import sys; sys.dont_write_bytecode = True; sys.path.insert(0, \"" +
                                  std::string(DQOV_SOURCE_DIR) + "/bench\"); import programs; print(\"\\n\".join("
                                  "programs.zoph_function(" +
                                  std::to_string(commands) + ")))' > '" + sources + "/DEM/DEMOPRC/" + name + ".zoph'";
        const std::string load = std::string(DQOV_SOURCE_DIR) + "/samples/repository/load-sources '" + repository() +
                                 "' '" + sources + "'";
        const std::string q = std::string("'") + name + "'";
        const bool made =
            std::system(write.c_str()) == 0 &&
            execOutside(("INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES ('DEM', "
                         "'DEMOPRC', " +
                         q +
                         ", '', 'N', 'Y');"
                         "INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES ('DEM', 'DEMOPRC', " +
                         q + ", 'ENG', 'Benchmark function');")
                            .c_str()) &&
            std::system(load.c_str()) == 0;
        return made ? name : "";
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

using FileTree = std::map<std::string, std::string>;

// A job that could not run: status 2, the repository and every file (the
// previous generation's included) as before.
inline void ExpectNothingLeft(const Scratch& env, const Ran& r, const std::string& before, const FileTree& filesBefore,
                              const std::string& what)
{
    EXPECT_EQ(r.status, 2) << what << "\n" << r.out;
    EXPECT_TRUE(env.dump() == before) << what << ": the repository changed";
    const FileTree after = env.files();
    EXPECT_TRUE(after == filesBefore) << what << ":" << TreeDifference(filesBefore, after);
}

inline size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

}  // namespace jobtool

// WAM generations through the dqov tool in hostile places: a working folder
// that cannot be made or fills up ends the job with the system's reason and
// keeps nothing of it; an environment root whose path holds blanks and other
// characters legal in a path generates as any other. A traced generation
// writes a numbered trace file of its own.
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runcontrol/job_tool.h"

namespace {

namespace fs = std::filesystem;
using jobtool::FileTree;
using jobtool::Ran;
using jobtool::Scratch;
using jobtool::ToolRun;

const std::vector<std::string> kWam = {"--generate", "--web", "all", "--component", "DEMOWEB"};

// The folder the WAM generation works in lies below this one.
std::string workBase(const Scratch& env)
{
    return env.root() + "/X_VELMO/TEMP";
}

void expectEndedWithReason(const Scratch& env, const Ran& r, const std::string& before, const FileTree& filesBefore,
                           const std::string& reason)
{
    jobtool::ExpectNothingLeft(env, r, before, filesBefore, reason);
    EXPECT_NE(r.out.find("The web generation cannot write its working files: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(reason), std::string::npos) << r.out;
    // not taken for a fault of the source
    EXPECT_EQ(r.out.find("does not compile"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Job ended with result 2"), std::string::npos) << r.out;
}

TEST(WamJobs, AWorkingFolderThatCannotBeMadeEndsTheJobWithTheSystemsReason)
{
    for (bool generatedBefore : {false, true}) {
        Scratch env;
        if (generatedBefore) {
            ASSERT_EQ(env.runJob(kWam).status, 0);
        }
        fs::remove_all(workBase(env));
        fs::create_directories(workBase(env));
        std::ofstream(workBase(env) + "/web") << "a file where the folder goes\n";
        const std::string before = env.dump();
        const FileTree filesBefore = env.files();
        const Ran r = env.runJob(kWam);
        expectEndedWithReason(env, r, before, filesBefore, "Not a directory");
    }
}

TEST(WamJobs, AFullWorkingFolderEndsTheJobWithTheSystemsReason)
{
    Scratch env;
    fs::create_directories(workBase(env));
    // a file system with room for one page
    if (::mount("tmpfs", workBase(env).c_str(), "tmpfs", 0, "size=4096") != 0)
        GTEST_SKIP() << "a tmpfs cannot be mounted here (" << std::strerror(errno) << ")";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{workBase(env)};
    const std::string before = env.dump();
    const FileTree filesBefore = env.files();
    const Ran r = env.runJob(kWam);
    expectEndedWithReason(env, r, before, filesBefore, "No space left on device");
}

TEST(WamJobs, ARootWhosePathHoldsBlanksGeneratesAsAnyOther)
{
    Scratch env;
    for (const std::string name : {"Program Files", "a%20b #1 (x86)"}) {
        const std::string root = env.root() + "/../" + name;
        fs::copy(env.root(), root, fs::copy_options::recursive);
        const fs::path repository = env.root() + "/../" + name + ".db";
        fs::copy_file(env.repository(), repository);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(repository.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "DELETE FROM QV_OWX", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        const Ran r = ToolRun({"--root", root, "--repository", repository.string(), "--generate", "--web", "all",
                               "--component", "DEMOWEB"})
                          .finish();
        EXPECT_EQ(r.status, 0) << name << "\n" << r.out;
        EXPECT_EQ(r.out.find("does not compile"), std::string::npos) << name << "\n" << r.out;
        ASSERT_EQ(sqlite3_open(repository.c_str(), &db), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM QV_OWX", -1, &st, nullptr);
        const int stored = st && sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        sqlite3_close(db);
        EXPECT_GT(stored, 0) << name << ": the stylesheets of the web routines are stored";
    }
}

// Each traced job takes the next numbered trace file of root\X_VELMO; the
// file begins with the marker line that claimed it, the settings line and
// then the steps of the generation.
TEST(WamJobs, ATracedGenerationStartsItsNumberedTraceFileWithTheMarkerLine)
{
    Scratch env;
    std::vector<std::string> traced = kWam;
    traced.insert(traced.end() - 2, {"--trace", "2"});
    const std::string start = "*** TraceWriterOutput ***\r\nTrace settings: QV_ITRO=Y QV_ITRM=0 QV_ITRL=2 [261]\r\n";
    for (const char* name : {"d_trace.001", "d_trace.002"}) {
        const Ran r = env.runJob(traced);
        ASSERT_EQ(r.status, 0) << r.out;
        const std::string path = env.root() + "/X_VELMO/" + name;
        ASSERT_TRUE(fs::exists(path)) << name;
        std::ifstream in(path, std::ios::binary);
        const std::string trace((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(trace.substr(0, start.size()), start) << name;
        EXPECT_EQ(trace.find("*** TraceWriterOutput ***", 1), std::string::npos) << "one marker, at the start";
        EXPECT_NE(trace.find("\r\nWAMBuilder::startWAM started\r\n"), std::string::npos) << trace.substr(0, 400);
    }
}

}  // namespace

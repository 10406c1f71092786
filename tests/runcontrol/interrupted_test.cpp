// Re-generations that cannot finish keep the previous generation: one on a
// file system too small for its new files, and ones ended by SIGTERM at
// random moments. (scripts/interrupt-generations runs the long form: twenty
// interruptions of a generation of 5,000 commands.)
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include "job_tool.h"

namespace {

namespace fs = std::filesystem;
using jobtool::FileTree;
using jobtool::Ran;
using jobtool::Scratch;
using jobtool::ToolRun;

// Fixed clock and identifiers: a generation of the same source writes the
// same bytes each time, so the previous files can be compared byte for byte.
const std::vector<std::string> kReproducible = {"DQOV_FIXED_TIME=20261206143005", "DQOV_GUID_SEED=38"};

std::string sourceDirectory(const Scratch& env)
{
    return env.root() + "/X_VELMO/X_DEM/SOURCE";
}

// A small tmpfs mounted over a directory, holding what the directory held;
// unmounted (and the directory's files put back) at the end.
class SmallFileSystem {
public:
    SmallFileSystem(const std::string& directory, size_t bytes) : directory_(directory)
    {
        saved_ = directory + ".saved";
        fs::rename(directory, saved_);
        fs::create_directory(directory);
        const std::string size = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", directory.c_str(), "tmpfs", 0, size.c_str()) != 0) {
            why_ = std::string("a tmpfs cannot be mounted here (") + std::strerror(errno) +
                   "): the test needs root and the right to mount";
            fs::remove(directory);
            fs::rename(saved_, directory);
            return;
        }
        mounted_ = true;
        fs::copy(saved_, directory, fs::copy_options::recursive);
    }
    ~SmallFileSystem()
    {
        if (!mounted_)
            return;
        ::umount2(directory_.c_str(), MNT_DETACH);
        fs::remove(directory_);
        fs::rename(saved_, directory_);
    }
    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }

private:
    std::string directory_, saved_, why_;
    bool mounted_ = false;
};

size_t bytesBelow(const std::string& directory)
{
    size_t total = 0;
    for (const auto& e : fs::recursive_directory_iterator(directory))
        if (e.is_regular_file())
            total += static_cast<size_t>(e.file_size());
    return total;
}

TEST(Jobs, AGenerationOnAFullFileSystemEndsWithThePreviousFilesKept)
{
    Scratch env;
    const std::string function = env.addBenchFunction(500);
    ASSERT_FALSE(function.empty());
    const Ran first = env.run(function, kReproducible);
    ASSERT_EQ(first.status, 0) << first.out;
    const size_t previous = bytesBelow(sourceDirectory(env));
    ASSERT_GT(previous, 100000u) << "the generation writes enough to fill the file system";

    // Room for the previous files and half of the new ones: the new set,
    // written aside, cannot be completed.
    SmallFileSystem small(sourceDirectory(env), previous + previous / 2);
    if (!small.mounted())
        GTEST_SKIP() << small.why();
    const std::string before = env.dump();
    const FileTree filesBefore = env.files();
    const Ran r = env.run(function, kReproducible);
    jobtool::ExpectNothingLeft(env, r, before, filesBefore, "full file system");
    EXPECT_NE(r.out.find("could not be written: No space left on device"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Job ended with result 2: the job could not run; nothing of it was kept."), std::string::npos)
        << r.out;
}

// The process is stopped (SIGSTOP), or has ended; waits as long as it takes.
bool waitUntilStopped(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    for (;;) {
        std::ifstream in(path);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const size_t close = text.rfind(')');
        if (!in || close == std::string::npos || close + 2 >= text.size())
            return false;
        const char state = text[close + 2];
        if (state == 'T')  // not 't': the leak checker traces the process as it ends
            return true;
        if (state == 'Z' || state == 'X')
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// Interrupts re-generations of the function at random moments of its
// progress: the job stops itself as it starts the Nth of the files it writes
// (N drawn from the number the generation writes), is sent SIGTERM and let
// go on. Each must end undone (status 2) with the repository and every file
// as before, however fast or slow the machine is.
void interruptAtRandomMoments(int commands, int times)
{
    Scratch env;
    const std::string function = env.addBenchFunction(commands);
    ASSERT_FALSE(function.empty());
    const FileTree empty = env.files();
    const Ran first = env.run(function, kReproducible);
    ASSERT_EQ(first.status, 0) << first.out;
    const std::string before = env.dump();
    const FileTree filesBefore = env.files();
    long written = 0;
    for (const auto& [name, hash] : filesBefore)
        if (hash != "dir" && empty.count(name) == 0)
            ++written;
    ASSERT_GT(written, 1) << "the generation writes files";
    std::mt19937 random(38);
    std::uniform_int_distribution<long> moment(1, written);
    for (int i = 0; i < times; ++i) {
        const long n = moment(random);
        std::vector<std::string> settings = kReproducible;
        settings.push_back("DQOV_STOP_AT_FILE=" + std::to_string(n));
        ToolRun job(env.generate(function), settings);
        const bool stopped = waitUntilStopped(job.pid());
        kill(job.pid(), SIGTERM);
        kill(job.pid(), SIGCONT);
        const Ran r = job.finish();
        const std::string what = "SIGTERM at the start of file " + std::to_string(n);
        ASSERT_TRUE(stopped) << what << "\n" << r.out;
        const FileTree after = env.files();
        EXPECT_TRUE(after == filesBefore) << what << ":" << jobtool::TreeDifference(filesBefore, after);
        EXPECT_EQ(r.status, 2) << what << "\n" << r.out;
        EXPECT_NE(r.out.find("The job was interrupted by signal 15."), std::string::npos) << what << "\n" << r.out;
        EXPECT_TRUE(env.dump() == before) << what << ": the repository changed";
    }
}

TEST(Jobs, SigtermAtRandomMomentsNeverLosesThePreviousFiles)
{
    interruptAtRandomMoments(500, 5);
}

}  // namespace

namespace {

// The tool run under a file-size limit (as `ulimit -f` sets it).
Ran runWithFileSizeLimit(const std::vector<std::string>& args, rlim_t bytes)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    std::vector<std::string> all{DQOV_TOOL_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const struct rlimit limit {bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    Ran r;
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0)
        r.out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int st = 0;
    if (pid > 0 && waitpid(pid, &st, 0) == pid) {
        r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        r.signal = WIFSIGNALED(st) ? WTERMSIG(st) : 0;
    }
    return r;
}

TEST(Jobs, AFileSizeLimitEndsTheJobOrLetsItFinishWhole)
{
    // limits that a generated file meets, that the repository's log meets,
    // and that only the repository file meets (at the checkpoint after the
    // commit): the job ends undone (status 2) or finishes whole, never
    // killed by the signal of the limit
    for (bool generatedBefore : {false, true}) {
        Scratch reference;
        if (generatedBefore) {
            ASSERT_EQ(reference.run("CUSTUPD").status, 0);
        }
        ASSERT_EQ(reference.run("CUSTUPD").status, 0);
        const FileTree whole = reference.files();
        int finished = 0;
        for (const rlim_t limit : {rlim_t{8} << 10, rlim_t{40} << 10, rlim_t{200} << 10, rlim_t{600} << 10}) {
            const std::string what =
                "limit " + std::to_string(limit) + (generatedBefore ? ", generated before" : ", fresh");
            Scratch env;
            if (generatedBefore) {
                ASSERT_EQ(env.run("CUSTUPD").status, 0) << what;
            }
            ASSERT_GT(fs::file_size(env.repository()), limit) << "the repository file meets every limit";
            const std::string before = env.dump();
            const FileTree filesBefore = env.files();
            const Ran r = runWithFileSizeLimit(env.generate("CUSTUPD"), limit);
            EXPECT_EQ(r.signal, 0) << what << "\n" << r.out;
            const FileTree after = env.files();
            if (r.status == 0) {
                ++finished;
                EXPECT_EQ(after.size(), whole.size()) << what << ":" << jobtool::TreeDifference(whole, after);
                for (const auto& [name, hash] : whole)
                    EXPECT_TRUE(after.count(name)) << what << ": " << name << " is missing";
                EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTFMT = 'CUSTUPD'"), "7") << what;
                continue;
            }
            jobtool::ExpectNothingLeft(env, r, before, filesBefore, what);
            // the reason as the system or the repository's library puts it
            EXPECT_TRUE(r.out.find("File too large") != std::string::npos ||
                        r.out.find("disk I/O error") != std::string::npos)
                << what << "\n" << r.out;
        }
        EXPECT_GT(finished, 0) << "a limit that only the checkpoint meets lets the job finish";
    }
}

}  // namespace

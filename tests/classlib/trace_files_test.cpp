// Trace writers, numbered trace files, the file stream, timer, directory
// stack and time stamps.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "classlib/base/file_stream.h"
#include "classlib/base/lexception.h"
#include "classlib/base/qvseam.h"
#include "classlib/base/timing.h"
#include "classlib/base/trace.h"
#include "platform/dqoz/dqoz.h"
#include "support/files.h"
#include "xml_test_util.h"

namespace {

using testsupport::readFile;

std::string hostOf(const LCharBuffer& name)
{
    std::string s(name.c_str() ? name.c_str() : "");
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

// Sets TZ for the scope and restores it.
class ZoneScope {
public:
    explicit ZoneScope(const char* tz)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old, m_had = true;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneScope()
    {
        if (m_had)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_old;
    bool m_had = false;
};

}  // namespace

TEST(TraceTest, NumberingIgnoresDirectoryOrderAndOtherNames)
{
    ScratchDir dir;
    LCharBuffer first = LTraceWriterOutput_NextNumberedFile(dir.path().c_str(), "d_trace");
    EXPECT_EQ(std::string(first.c_str()), dir.path() + "\\d_trace.001");
    EXPECT_EQ(readFile(hostOf(first)), "*** TraceWriterOutput ***\r\n");
    // Names created out of order, and others with the same base.
    for (const char* n :
         {"d_trace.007", "d_trace.log", "d_trace.003", "D_TRACE.005", "d_trace.abc", "d_trace.0042", "other.900"})
        dir.write(n, "x");
    LCharBuffer next = LTraceWriterOutput_NextNumberedFile(dir.path().c_str(), "d_trace");
    EXPECT_EQ(std::string(next.c_str()), dir.path() + "\\d_trace.008");
    char name[300];
    EXPECT_TRUE(LTraceWriterOutput_NextFileName(dir.path().c_str(), "d_trace", name, sizeof name));
    EXPECT_EQ(std::string(name), dir.path() + "\\d_trace.009");
}

TEST(TraceTest, LogFileOnlyStillStartsAtOneAndEndCase)
{
    ScratchDir dir;
    dir.write("d_trace.log", "x");
    EXPECT_EQ(std::string(LTraceWriterOutput_NextNumberedFile(dir.path().c_str(), "d_trace").c_str()),
              dir.path() + "\\d_trace.001");
    dir.write("d_trace.998", "x");
    EXPECT_EQ(std::string(LTraceWriterOutput_NextNumberedFile(dir.path().c_str(), "d_trace").c_str()),
              dir.path() + "\\d_trace.999");
    EXPECT_TRUE(LTraceWriterOutput_NextNumberedFile(dir.path().c_str(), "d_trace").isEmpty());
    char name[300] = "stale";
    EXPECT_FALSE(LTraceWriterOutput_NextFileName(dir.path().c_str(), "d_trace", name, sizeof name));
    EXPECT_TRUE(LTraceWriterOutput_NextNumberedFile((dir.path() + "/missing").c_str(), "d_trace").isEmpty());
}

TEST(TraceTest, NameLongerThanTheBufferStartsNoFile)
{
    ScratchDir dir;
    std::string deep =
        dir.path() + "/" + std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(30, 'c');
    ASSERT_EQ(std::system(("mkdir -p '" + deep + "'").c_str()), 0);
    // "<deep>\\d_trace.001" is 270 characters: more than the 260 a name may have.
    ASSERT_EQ(deep.size() + 1 + 11, 270u);
    EXPECT_TRUE(LTraceWriterOutput_NextNumberedFile(deep.c_str(), "d_trace").isEmpty());
    char name[300] = "stale";
    EXPECT_FALSE(LTraceWriterOutput_NextFileName(deep.c_str(), "d_trace", name, sizeof name));
    EXPECT_EQ(std::system(("test -z \"$(ls -A '" + deep + "')\"").c_str()), 0);  // nothing was created
    // One that just fits is started.
    std::string fits = deep.substr(0, 260 - 12);
    ASSERT_EQ(std::system(("mkdir -p '" + fits + "'").c_str()), 0);
    EXPECT_EQ(std::string(LTraceWriterOutput_NextNumberedFile(fits.c_str(), "d_trace").c_str()),
              fits + "\\d_trace.001");
}

TEST(TraceTest, LevelsSwitchAndFormatting)
{
    ScratchDir dir;
    std::string file = dir.file("t.txt");
    TspTraceWriter writer;
    writer.attachOutput(std::make_unique<LTraceWriterOutput>(file.c_str()));
    writer.setLevel(2);
    EXPECT_EQ(writer.trace(1, "off %d", 1), 0);  // off: nothing at any level
    writer.setOn(true);
    EXPECT_EQ(writer.trace(3, "too detailed"), 0);
    EXPECT_EQ(writer.trace(2, "Trace settings: QV_ITRO=%c QV_ITRM=%d QV_ITRL=%d [%d]", 'Y', 1, 2, 261), 51);
    writer.write(1, "WAMBuilder::registerEnabledApps started");
    TspTraceWriter copy(writer);
    copy.write(2, "from the copy");
    std::string longText(2000, 'x');
    EXPECT_EQ(writer.trace(1, "%s", longText.c_str()), -1);
    std::string content = readFile(file);
    EXPECT_EQ(content.substr(0, 109),
              "Trace settings: QV_ITRO=Y QV_ITRM=1 QV_ITRL=2 [261]\r\nWAMBuilder::registerEnabledApps started\r\n"
              "from the copy\r\n");
    EXPECT_EQ(content.size(), 109u + 1023u + 2u);
    EXPECT_EQ(LTraceWriterOutput_MutexName("C:\\X_VELMO\\d_trace.001"), "C__X_VELMO_d_trace.001");
}

TEST(TraceTest, ConcurrentProcessesWriteWholeLines)
{
    ScratchDir dir;
    std::string file = dir.file("shared.txt");
    constexpr int kLines = 300;
    pid_t pids[2];
    for (int p = 0; p < 2; ++p) {
        pids[p] = fork();
        ASSERT_GE(pids[p], 0);
        if (pids[p] == 0) {
            LTraceWriterOutput out(file.c_str());
            std::string text(200, static_cast<char>('a' + p));
            for (int i = 0; i < kLines; ++i)
                out.writeLine(text.c_str());
            _exit(0);
        }
    }
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::istringstream in(readFile(file));
    std::string line;
    int counts[2] = {0, 0};
    while (std::getline(in, line)) {
        ASSERT_EQ(line.size(), 201u);
        ASSERT_EQ(line.back(), '\r');
        char c = line[0];
        ASSERT_EQ(line.find_first_not_of(c), 200u);
        ++counts[c - 'a'];
    }
    EXPECT_EQ(counts[0], kLines);
    EXPECT_EQ(counts[1], kLines);
}

TEST(FileStreamTest, ModesSeekAfterMarkAndWholeFileOperations)
{
    ScratchDir dir;
    std::string path = dir.file("f.txt");
    {
        LStreamFile f(path.c_str());
        f.open(LStreamFile::kWriteNew);
        EXPECT_EQ(f.write("\xEF\xBB\xBFhello", 8), 8u);
    }
    LStreamFile f(path.c_str());
    f.open(LStreamFile::kRead);
    EXPECT_EQ(f.seek(LStreamFile::kAfterByteOrderMark, 0), 3u);
    char buf[8] = {};
    EXPECT_EQ(f.read(buf, 5), 5u);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(f.read(buf, 5), 0u);
    EXPECT_EQ(f.seek(LStreamFile::kAfterByteOrderMark, 1), 4u);
    EXPECT_EQ(f.seek(LStreamFile::kFromEnd, 0), 8u);
    EXPECT_EQ(f.size(), 8u);
    f.close();
    EXPECT_EQ(f.mode(), 0u);
    for (auto [bytes, mark] : {std::pair<std::string, uint32_t>{std::string("\xFF\xFE\x00\x00x", 5), 4},
                               {std::string("\xFE\xFFxx", 4), 2},
                               {std::string("plain"), 0}}) {
        std::string p = dir.write("m.txt", bytes);
        LStreamFile m(p.c_str());
        m.open(LStreamFile::kRead);
        EXPECT_EQ(m.seek(LStreamFile::kAfterByteOrderMark, 0), mark);
    }

    EXPECT_TRUE(LStreamFile::exists(path.c_str()));
    EXPECT_FALSE(LStreamFile::exists(dir.file("none").c_str()));
    EXPECT_NO_THROW(LStreamFile::remove(dir.file("none").c_str(), 0));
    std::string copyPath = dir.file("copy.txt");
    LStreamFile::copy(path.c_str(), copyPath.c_str());
    EXPECT_EQ(LStreamFile::readAll(copyPath.c_str()).length(), 8u);
    std::string other = dir.write("other.txt", "other");
    try {
        LStreamFile::move(copyPath.c_str(), other.c_str(), 0);
        FAIL();
    } catch (const LStreamFileException& e) {
        EXPECT_STREQ(e.message(), std::strerror(EEXIST));
    }
    LStreamFile::move(copyPath.c_str(), other.c_str(), 1);
    EXPECT_FALSE(LStreamFile::exists(copyPath.c_str()));
    EXPECT_EQ(LStreamFile::readAll(other.c_str()).length(), 8u);
    LStreamFile::setReadOnly(other.c_str());
    EXPECT_TRUE(LStreamFile::isReadOnly(other.c_str()));
    LStreamFile::remove(other.c_str(), 0);
    EXPECT_FALSE(LStreamFile::exists(other.c_str()));
    try {
        LStreamFile missing(dir.file("none").c_str());
        missing.open(LStreamFile::kRead);
        FAIL();
    } catch (const LStreamFileException& e) {
        EXPECT_STREQ(e.message(), std::strerror(ENOENT));
    }
}

TEST(FileStreamTest, PathAboveTheRootReachesNoFile)
{
    ScratchDir scratch;
    std::string root = scratch.file("root");
    ASSERT_EQ(mkdir(root.c_str(), 0755), 0);
    scratch.write("outside.txt", "x");
    char oldRoot[4096] = "";
    bool hadRoot = DosQueryEnvironmentRoot(oldRoot, sizeof oldRoot) == 0;
    char oldDir[4096];
    ASSERT_NE(getcwd(oldDir, sizeof oldDir), nullptr);
    ASSERT_EQ(DosSetEnvironmentRoot(root.c_str()), 0u);
    ASSERT_EQ(chdir(root.c_str()), 0);

    std::string inside = lqv::hostPath("X\\Y.TXT");
    std::string above = lqv::hostPath("..\\outside.txt");
    bool aboveExists = LStreamFile::exists("..\\outside.txt");

    EXPECT_EQ(chdir(oldDir), 0);
    DosSetEnvironmentRoot(hadRoot ? oldRoot : nullptr);
    EXPECT_EQ(inside, root + "/X/Y.TXT");
    EXPECT_EQ(above, "");
    EXPECT_FALSE(aboveExists);
}

TEST(FileStreamTest, LockInAnotherProcessMakesNoWaitFail)
{
    ScratchDir dir;
    std::string path = dir.write("locked.txt", "data");
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        LStreamFile holder(path.c_str());
        holder.openLocked(LStreamFile::kWrite, true);
        char c = 'r';
        (void)!write(ready[1], &c, 1);
        (void)!read(done[0], &c, 1);
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    LStreamFile f(path.c_str());
    EXPECT_THROW(f.openLocked(LStreamFile::kWriteNew, false), LStreamFileLockException);
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ(f.mode(), 0u);
    (void)!write(done[1], &c, 1);
    int status;
    waitpid(pid, &status, 0);
    EXPECT_NO_THROW(f.openLocked(LStreamFile::kWrite, false));
    for (int fd : {ready[0], ready[1], done[0], done[1]})
        close(fd);
}

TEST(FileStreamTest, LastWriteTimeIsPacked)
{
    ScratchDir dir;
    std::string path = dir.write("t.txt", "x");
    struct tm when {};
    when.tm_year = 2004 - 1900;
    when.tm_mon = 4;
    when.tm_mday = 6;
    when.tm_hour = 7;
    when.tm_min = 8;
    when.tm_sec = 9;
    struct timespec times[2];
    times[0].tv_sec = times[1].tv_sec = timegm(&when);
    times[0].tv_nsec = times[1].tv_nsec = 10 * 1000000;
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    LDateTime t = LStreamFile(path.c_str()).lastWriteTime();
    EXPECT_EQ(t.date, 20040506u);
    EXPECT_EQ(t.time, 70809010u);
}

TEST(TimingTest, ZoneOffsetsIncludeDaylightTime)
{
    unsetenv("DQOV_FIXED_TIME");
    {
        ZoneScope z("XST-1");
        LZoneOffset o = P3142_GetZoneOffset();
        EXPECT_EQ(o.sign, '+');
        EXPECT_EQ(o.hours, 1);
        std::string stamp = P3142_FormatIsoTimestamp().c_str();
        EXPECT_EQ(stamp.size(), 25u) << stamp;
        EXPECT_EQ(stamp.substr(19), "+01:00");
    }
    {
        // Daylight saving time the whole year round: one hour more.
        ZoneScope z("XST-1XDT,J1/0,J365/25");
        EXPECT_EQ(std::string(P3142_FormatIsoTimestamp().c_str()).substr(19), "+02:00");
        EXPECT_EQ(P3142_GetZoneOffset().hours, 2);
    }
    {
        ZoneScope z("UTC0");
        EXPECT_EQ(std::string(P3142_FormatIsoTimestamp().c_str()).substr(19), "-00:00");
        LZoneOffset o = P3142_GetZoneOffset();
        EXPECT_EQ(o.sign, '-') << "a zero bias gives the minus sign";
        EXPECT_EQ(o.hours, 0);
        EXPECT_EQ(o.minutes, 0);
    }
    {
        ZoneScope z("XST+5:30");
        EXPECT_EQ(std::string(P3142_FormatIsoTimestamp().c_str()).substr(19), "-05:30");
        LZoneOffset o = P3142_GetZoneOffset();
        EXPECT_EQ(o.sign, '-');
        EXPECT_EQ(o.hours, 5);
        EXPECT_EQ(o.minutes, 30);
    }
    LDateTime packed(2004, 5, 6, 7, 8, 9, 10);
    EXPECT_EQ(packed.date, 20040506u);
    EXPECT_EQ(packed.time, 70809010u);
}

TEST(TimingTest, DirStackUnwinds)
{
    ScratchDir dir;
    mkdir(dir.file("a").c_str(), 0755);
    char start[4096];
    ASSERT_TRUE(getcwd(start, sizeof start));
    {
        LDirStack stack;
        EXPECT_FALSE(stack.pushd(dir.file("missing").c_str()));
        EXPECT_TRUE(stack.pushd(dir.path().c_str()));
        EXPECT_TRUE(stack.pushd(dir.file("a").c_str()));
        char now[4096];
        ASSERT_TRUE(getcwd(now, sizeof now));
        EXPECT_EQ(std::string(now), dir.file("a"));
    }
    char after[4096];
    ASSERT_TRUE(getcwd(after, sizeof after));
    EXPECT_EQ(std::string(after), start);
    LDirStack empty;
    EXPECT_FALSE(empty.popd());
}

// The timer counts whole seconds of elapsed time, the remainder dropped; a
// copy keeps the start; restart moves the start to now.
TEST(TimingTest, TimerCountsWholeSeconds)
{
    LTimer timer;
    EXPECT_EQ(timer.elapsedSeconds(), 0.0);
    LTimer fresh;
    const int64_t started = fresh.restart();
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const double elapsed = timer.elapsedSeconds();
    EXPECT_GE(elapsed, 1.0);
    EXPECT_EQ(elapsed, static_cast<double>(static_cast<int64_t>(elapsed))) << "whole seconds";
    LTimer copy(timer);
    EXPECT_GE(copy.elapsedSeconds(), 1.0) << "the copy has the same start";
    LTimer assigned;
    assigned = timer;
    EXPECT_GE(assigned.elapsedSeconds(), 1.0);
    const int64_t now = copy.restart();
    EXPECT_GE(now - started, 1100) << "restart answers the new start";
    EXPECT_EQ(copy.elapsedSeconds(), 0.0);
    EXPECT_GE(timer.elapsedSeconds(), 1.0) << "restarting a copy leaves the original";
}

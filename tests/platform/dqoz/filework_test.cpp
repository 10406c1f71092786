// The job's file work: files written aside and put in place at the commit,
// removals marked until then, and everything as it was after a rollback.
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqoz/dqoz.h"
#include "support/files.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The name a file's new text is written under in the current file work.
std::string aside(const std::string& rel)
{
    return rel + ".dqov-new-" + DosJobIdentity();
}

bool write(const std::string& path, const std::string& text, bool append = false)
{
    return WriteThroughFileWork(path, text, append);
}

// Reads a path as every reader does: through DosMapPath.
std::string readMapped(const std::string& path)
{
    std::string host;
    return dqoz::MapPath(path, host) == DQOZ_NO_ERROR ? testsupport::readFile(host) : "<unmapped>";
}

class FileWork : public ::testing::Test {
protected:
    TempRoot root;
    void SetUp() override
    {
        root.mkdirs("X_VELMO/X_DEM/SOURCE");
        root.touch("X_VELMO/X_DEM/SOURCE/FN.C", "old C");
        root.touch("X_VELMO/X_DEM/SOURCE/FN.H", "old H");
        root.touch("X_VELMO/X_DEM/SOURCE/FN.DLL", "old DLL");
        DosBeginFileWork();
    }
    void TearDown() override { DosRollbackFileWork(); }
    std::string at(const std::string& rel) const { return testsupport::readFile(root.path() / rel); }
};

TEST_F(FileWork, NewTextIsWrittenAsideAndReadBackUntilTheCommit)
{
    EXPECT_EQ(DosFileWorkOpen(), 1);
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "new C"));
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.H", " more", true));
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.TXT", "new TXT"));
    // the previous files are as they were; the job reads its own text
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.C"), "old C");
    EXPECT_EQ(at(aside("X_VELMO/X_DEM/SOURCE/FN.C")), "new C");
    EXPECT_EQ(readMapped("\\x_velmo\\x_dem\\source\\fn.c"), "new C");
    EXPECT_EQ(readMapped("\\X_VELMO\\X_DEM\\SOURCE\\FN.H"), "old H more") << "an append goes on from the file";
    EXPECT_FALSE(root.exists("X_VELMO/X_DEM/SOURCE/FN.TXT"));
    // a removal is only marked
    EXPECT_EQ(DosDelete("\\X_VELMO\\X_DEM\\SOURCE\\FN.DLL"), DQOZ_NO_ERROR);
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.DLL"), "old DLL");
    EXPECT_EQ(readMapped("\\X_VELMO\\X_DEM\\SOURCE\\FN.DLL"), "") << "gone for the job";
    EXPECT_EQ(DosDelete("\\X_VELMO\\X_DEM\\SOURCE\\FN.DLL"), DQOZ_ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(DosCommitFileWork(), DQOZ_NO_ERROR);
    EXPECT_EQ(DosFileWorkOpen(), 0);
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.C"), "new C");
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.H"), "old H more");
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.TXT"), "new TXT");
    EXPECT_FALSE(root.exists("X_VELMO/X_DEM/SOURCE/FN.DLL"));
    EXPECT_FALSE(root.exists(aside("X_VELMO/X_DEM/SOURCE/FN.C")));
}

TEST_F(FileWork, RollbackLeavesEveryFileAndDirectoryAsItWas)
{
    ASSERT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\SOURCE\\C#", nullptr), DQOZ_NO_ERROR);
    ASSERT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\SOURCE\\C#\\FN", nullptr), DQOZ_NO_ERROR);
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\C#\\FN\\FN.cs", "class"));
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "new C"));
    EXPECT_EQ(DosDelete("\\X_VELMO\\X_DEM\\SOURCE\\FN.*"), DQOZ_NO_ERROR);
    // a trace file and a working folder the job makes for itself
    root.touch("X_VELMO/d_trace.001", "trace");
    DosNoteScratch("\\X_VELMO\\d_trace.001");
    root.mkdirs("X_VELMO/TEMP/web/J1");
    root.touch("X_VELMO/TEMP/web/J1/std_types.xsl");
    DosNoteScratch("\\X_VELMO\\TEMP\\web\\J1");

    DosRollbackFileWork();
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.C"), "old C");
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.H"), "old H");
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.DLL"), "old DLL");
    EXPECT_FALSE(root.exists(aside("X_VELMO/X_DEM/SOURCE/FN.C")));
    EXPECT_FALSE(root.exists("X_VELMO/X_DEM/SOURCE/C#")) << "the directories the job made";
    EXPECT_FALSE(root.exists("X_VELMO/d_trace.001"));
    EXPECT_FALSE(root.exists("X_VELMO/TEMP/web/J1"));
    EXPECT_TRUE(root.exists("X_VELMO/TEMP/web")) << "made before the job";
}

TEST_F(FileWork, ATreeRemovedAndMadeAgainHoldsOnlyTheNewFiles)
{
    // the compound directory of a component: removed with what it holds,
    // made again and written
    root.mkdirs("X_VELMO/X_DEM/SOURCE/COMP/OLD");
    root.touch("X_VELMO/X_DEM/SOURCE/COMP/00000001.C", "old member");
    root.touch("X_VELMO/X_DEM/SOURCE/COMP/OLD/X", "x");
    ASSERT_EQ(OSRV_RemoveDirectoryTree("\\X_VELMO\\X_DEM\\SOURCE\\COMP"), OSRV_OK);
    EXPECT_TRUE(root.exists("X_VELMO/X_DEM/SOURCE/COMP/OLD/X")) << "nothing goes before the commit";
    ASSERT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\SOURCE\\COMP", nullptr), DQOZ_NO_ERROR);
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\COMP\\COMP.C", "new"));
    EXPECT_EQ(readMapped("\\X_VELMO\\X_DEM\\SOURCE\\COMP\\00000001.C"), "");
    EXPECT_EQ(DosCommitFileWork(), DQOZ_NO_ERROR);
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/COMP/COMP.C"), "new");
    EXPECT_FALSE(root.exists("X_VELMO/X_DEM/SOURCE/COMP/00000001.C"));
    EXPECT_FALSE(root.exists("X_VELMO/X_DEM/SOURCE/COMP/OLD"));
}

TEST_F(FileWork, NamesThatCannotBeReplacedAreRefusedAtOnce)
{
    root.mkdirs("X_VELMO/X_DEM/SOURCE/FN.RC");
    root.touch("X_VELMO/X_DEM/SOURCE/FN.STG", "locked");
    chmod((root.str() + "/X_VELMO/X_DEM/SOURCE/FN.STG").c_str(), 0444);
    std::string host;
    EXPECT_EQ(dqoz::OutputPath("\\X_VELMO\\X_DEM\\SOURCE\\FN.RC", host), DQOZ_ERROR_ACCESS_DENIED);
    EXPECT_EQ(dqoz::OutputPath("\\X_VELMO\\X_DEM\\SOURCE\\FN.STG", host), DQOZ_ERROR_ACCESS_DENIED);
    EXPECT_EQ(DosDelete("\\X_VELMO\\X_DEM\\SOURCE\\FN.STG"), DQOZ_ERROR_ACCESS_DENIED);
    // an empty directory asked to go, then asked for again, stays
    root.mkdirs("X_VELMO/X_DEM/SOURCE/EMPTY");
    EXPECT_EQ(DosDeleteDir("\\X_VELMO\\X_DEM\\SOURCE\\EMPTY"), DQOZ_NO_ERROR);
    EXPECT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\SOURCE\\EMPTY", nullptr), DQOZ_NO_ERROR);
    EXPECT_EQ(DosCommitFileWork(), DQOZ_NO_ERROR);
    EXPECT_TRUE(root.exists("X_VELMO/X_DEM/SOURCE/EMPTY"));
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.STG"), "locked");
}

TEST_F(FileWork, TheCommitReplacesFilesWholeAndLeavesNoPreviousTextBehind)
{
    // a file in place, one new, and one written twice in the job
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "new C"));
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.NEW", "first"));
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.NEW", " second", true));
    // a link in place of a file is replaced, not written through
    root.touch("X_VELMO/X_DEM/OTHER", "other");
    ASSERT_EQ(::symlink((root.str() + "/X_VELMO/X_DEM/OTHER").c_str(),
                        (root.str() + "/X_VELMO/X_DEM/SOURCE/FN.LNK").c_str()),
              0);
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.LNK", "new LNK"));
    EXPECT_EQ(DosCommitFileWork(), DQOZ_NO_ERROR);
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.C"), "new C");
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.NEW"), "first second");
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.LNK"), "new LNK");
    EXPECT_FALSE(std::filesystem::is_symlink(root.path() / "X_VELMO/X_DEM/SOURCE/FN.LNK"));
    EXPECT_EQ(at("X_VELMO/X_DEM/OTHER"), "other");
    // the previous texts are gone: the directory holds the files and nothing else
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(root.path() / "X_VELMO/X_DEM/SOURCE")) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 5u) << "FN.C, FN.H, FN.DLL, FN.NEW, FN.LNK and nothing aside";
}

TEST_F(FileWork, AFileThatCannotBePutInPlaceLeavesBothNamesAsTheyWere)
{
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "new C"));
    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.H", "new H"));
    // during the job a directory with a file in it takes the place of FN.C:
    // the new text reaches the name, the previous holder cannot be removed
    // from the aside name, and the two are swapped back
    std::filesystem::remove(root.path() / "X_VELMO/X_DEM/SOURCE/FN.C");
    root.mkdirs("X_VELMO/X_DEM/SOURCE/FN.C");
    root.touch("X_VELMO/X_DEM/SOURCE/FN.C/KEEP", "kept");
    EXPECT_NE(DosCommitFileWork(), DQOZ_NO_ERROR);
    EXPECT_NE(std::string(DosGetLastErrorText()).find("FN.C\" in place"), std::string::npos) << DosGetLastErrorText();
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.C/KEEP"), "kept");
    EXPECT_EQ(at(aside("X_VELMO/X_DEM/SOURCE/FN.C")), "new C");
    // the other files of the job are put in place all the same
    EXPECT_EQ(at("X_VELMO/X_DEM/SOURCE/FN.H"), "new H");
    EXPECT_FALSE(root.exists(aside("X_VELMO/X_DEM/SOURCE/FN.H")));
    EXPECT_EQ(DosFileWorkOpen(), 0);
}

TEST(FileWorkClosed, CallsActAtOnce)
{
    TempRoot root;
    root.mkdirs("X_VELMO/D");
    root.touch("X_VELMO/F", "f");
    std::string host;
    ASSERT_EQ(dqoz::OutputPath("\\X_VELMO\\F", host), DQOZ_NO_ERROR);
    EXPECT_EQ(host, root.str() + "/X_VELMO/F");
    EXPECT_EQ(DosDelete("\\X_VELMO\\F"), DQOZ_NO_ERROR);
    EXPECT_FALSE(root.exists("X_VELMO/F"));
    EXPECT_EQ(DosDeleteDir("\\X_VELMO\\D"), DQOZ_NO_ERROR);
    EXPECT_FALSE(root.exists("X_VELMO/D"));
}

// The mark of the file work stays while the work only reads, and moves on
// with each thing it is asked to write, make or remove, and with a new work.
TEST_F(FileWork, ItsStateMovesOnWithEveryChangeAskedFor)
{
    const unsigned long begun = dqoz::FileWorkState();
    EXPECT_NE(begun, 0u);
    EXPECT_EQ(readMapped("\\x_velmo\\x_dem\\source\\fn.c"), "old C");
    EXPECT_EQ(dqoz::FileWorkState(), begun) << "reads leave it as it was";

    ASSERT_TRUE(write("\\X_VELMO\\X_DEM\\SOURCE\\FN.C", "new C"));
    const unsigned long written = dqoz::FileWorkState();
    EXPECT_NE(written, begun);
    EXPECT_EQ(DosDelete("\\X_VELMO\\X_DEM\\SOURCE\\FN.H"), DQOZ_NO_ERROR);
    const unsigned long deleted = dqoz::FileWorkState();
    EXPECT_NE(deleted, written);
    EXPECT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\NEW", nullptr), DQOZ_NO_ERROR);
    const unsigned long made = dqoz::FileWorkState();
    EXPECT_NE(made, deleted);
    EXPECT_EQ(DosDeleteDir("\\X_VELMO\\X_DEM\\NEW"), DQOZ_NO_ERROR);
    EXPECT_NE(dqoz::FileWorkState(), made);

    const unsigned long last = dqoz::FileWorkState();
    DosRollbackFileWork();
    EXPECT_EQ(dqoz::FileWorkState(), 0u) << "no file work is open";
    DosBeginFileWork();
    EXPECT_NE(dqoz::FileWorkState(), 0u);
    EXPECT_NE(dqoz::FileWorkState(), last) << "a new work is not the last one";
}

std::string mapped(const std::string& path)
{
    std::string host;
    return dqoz::MapPath(path, host) == DQOZ_NO_ERROR ? host : "<unmapped>";
}

// The directories a work's paths go through are looked up once in the
// work; what the work makes or removes at once is seen by the next lookup.
TEST_F(FileWork, DirectoriesMadeOrRemovedInTheWorkAreSeenByLaterLookups)
{
    const std::string dem = root.str() + "/X_VELMO/X_DEM";
    EXPECT_EQ(mapped("\\X_VELMO\\X_DEM\\SOURCE\\FN.C"), dem + "/SOURCE/FN.C");

    // a directory the work makes is found by its name in another case
    EXPECT_EQ(mapped("\\x_velmo\\x_dem\\made\\a.txt"), dem + "/made/a.txt");
    ASSERT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\MADE", nullptr), DQOZ_NO_ERROR);
    EXPECT_EQ(mapped("\\x_velmo\\x_dem\\made\\a.txt"), dem + "/MADE/a.txt");

    // a scratch directory removed at once is no longer found; one of the
    // same name in another case, made after it, is
    DosNoteScratch("\\X_VELMO\\X_DEM\\TMP");
    ASSERT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\TMP", nullptr), DQOZ_NO_ERROR);
    EXPECT_EQ(mapped("\\X_VELMO\\X_DEM\\TMP\\a.txt"), dem + "/TMP/a.txt");
    ASSERT_EQ(DosDeleteDir("\\X_VELMO\\X_DEM\\TMP"), DQOZ_NO_ERROR);
    EXPECT_FALSE(root.exists("X_VELMO/X_DEM/TMP"));
    DosNoteScratch("\\X_VELMO\\X_DEM\\tmp");
    ASSERT_EQ(DosCreateDir("\\X_VELMO\\X_DEM\\tmp", nullptr), DQOZ_NO_ERROR);
    EXPECT_EQ(mapped("\\X_VELMO\\X_DEM\\TMP\\a.txt"), dem + "/tmp/a.txt");

    // so is one removed by other code that says so
    EXPECT_EQ(mapped("\\X_VELMO\\X_DEM\\tmp\\a.txt"), dem + "/tmp/a.txt");
    std::filesystem::remove(root.path() / "X_VELMO/X_DEM/tmp");
    std::filesystem::create_directory(root.path() / "X_VELMO/X_DEM/Tmp");
    DosForgetKeptDirectories();
    EXPECT_EQ(mapped("\\X_VELMO\\X_DEM\\tmp\\a.txt"), dem + "/Tmp/a.txt");
    std::filesystem::remove(root.path() / "X_VELMO/X_DEM/Tmp");
}

// What the work kept is dropped with the work: a directory removed after
// it is not found by the next.
TEST(FileWorkKept, DirectoriesAreForgottenWhenTheWorkEnds)
{
    TempRoot root;
    root.mkdirs("X_VELMO/OLD");
    DosBeginFileWork();
    EXPECT_EQ(mapped("\\X_VELMO\\OLD\\F"), root.str() + "/X_VELMO/OLD/F");
    EXPECT_EQ(DosCommitFileWork(), DQOZ_NO_ERROR);
    std::filesystem::remove(root.path() / "X_VELMO/OLD");
    root.mkdirs("X_VELMO/old");
    DosBeginFileWork();
    EXPECT_EQ(mapped("\\X_VELMO\\OLD\\F"), root.str() + "/X_VELMO/old/F");
    DosRollbackFileWork();
}

}  // namespace

namespace {

// Every name below the root.
std::vector<std::string> namesBelow(const TempRoot& root)
{
    std::vector<std::string> all;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root.path()))
        all.push_back(e.path().string());
    std::sort(all.begin(), all.end());
    return all;
}

// WrittenAside answers what OutputPath would do with the name, and does
// nothing itself.
TEST_F(FileWork, WrittenAsideAnswersAsOutputPathWouldTreatTheName)
{
    root.mkdirs("X_VELMO/X_DEM/SOURCE/FN.DIR");
    root.touch("X_VELMO/X_DEM/SOURCE/FN.RO", "kept");
    chmod((root.str() + "/X_VELMO/X_DEM/SOURCE/FN.RO").c_str(), 0444);
    root.mkdirs("X_VELMO/WORK");
    DosNoteScratch("\\X_VELMO\\WORK");
    const std::vector<std::string> before = namesBelow(root);
    EXPECT_TRUE(dqoz::WrittenAside("\\X_VELMO\\X_DEM\\SOURCE\\FN.SBR"));  // no file of the name
    EXPECT_TRUE(dqoz::WrittenAside("\\x_velmo\\x_dem\\source\\fn.c"));    // an old text
    EXPECT_FALSE(dqoz::WrittenAside("\\X_VELMO\\X_DEM\\SOURCE\\FN.DIR"));
    EXPECT_FALSE(dqoz::WrittenAside("\\X_VELMO\\X_DEM\\SOURCE\\FN.RO"));
    EXPECT_FALSE(dqoz::WrittenAside("\\X_VELMO\\..\\..\\outside"));
    EXPECT_FALSE(dqoz::WrittenAside("\\X_VELMO\\WORK\\FN.SBR"));  // the job's scratch is written in place
    EXPECT_EQ(namesBelow(root), before) << "nothing is made or removed";
    DosRollbackFileWork();
    EXPECT_FALSE(dqoz::WrittenAside("\\X_VELMO\\X_DEM\\SOURCE\\FN.SBR"));  // no file work
    chmod((root.str() + "/X_VELMO/X_DEM/SOURCE/FN.RO").c_str(), 0644);
}

int g_memfdCalls = 0;

int noMemfd(const char*, unsigned int)
{
    ++g_memfdCalls;
    errno = ENOSYS;
    return -1;
}

// A scratch file holds what is written to it, read back from its start,
// and has no name in any directory: anonymous memory where the host has
// it, else an unnamed temporary file.
TEST(ScratchFile, HoldsItsTextWithAndWithoutAnonymousMemory)
{
    TempRoot root;
    for (bool memory : {true, false}) {
        g_memfdCalls = 0;
        FILE* f = memory ? dqoz::ScratchFile() : dqoz::ScratchFile(noMemfd);
        ASSERT_NE(f, nullptr) << memory;
        EXPECT_EQ(g_memfdCalls, memory ? 0 : 1);
        char link[512] = {};
        const std::string fd = "/proc/self/fd/" + std::to_string(fileno(f));
        ASSERT_GT(readlink(fd.c_str(), link, sizeof link - 1), 0);
        const std::string name(link);
        EXPECT_EQ(name.rfind("/memfd:", 0) == 0, memory) << name;
        if (memory)
            EXPECT_EQ(fcntl(fileno(f), F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
        else
            EXPECT_NE(name.find("(deleted)"), std::string::npos) << name;
        EXPECT_EQ(std::fputs("line one\r\nline two\r\n", f) >= 0, true);
        ASSERT_EQ(std::fseek(f, 0, SEEK_SET), 0);
        char back[64] = {};
        EXPECT_EQ(std::fread(back, 1, sizeof back, f), 20u);
        EXPECT_STREQ(back, "line one\r\nline two\r\n");
        std::fclose(f);
        EXPECT_TRUE(namesBelow(root).empty());
    }
}

}  // namespace

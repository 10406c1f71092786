// Mapping of Windows-form paths onto the host below the environment root.
#include "platform/dqoz/dqoz.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Map(const std::string& path, unsigned long* rc = nullptr)
{
    char buf[4096];
    unsigned long r = DosMapPath(path.c_str(), buf, sizeof buf);
    if (rc != nullptr)
        *rc = r;
    return buf;
}

TEST(DqozPath, ExistingComponentsMatchWithoutRegardToCase)
{
    TempRoot root;
    root.mkdirs("X_VELMO/SOURCE");
    unsigned long rc1 = 1, rc2 = 1;
    std::string upper = Map("X_VELMO\\SOURCE", &rc1);
    std::string lower = Map("x_velmo\\source", &rc2);
    EXPECT_EQ(rc1, DQOZ_NO_ERROR);
    EXPECT_EQ(rc2, DQOZ_NO_ERROR);
    EXPECT_EQ(upper, root.str() + "/X_VELMO/SOURCE");
    EXPECT_EQ(lower, upper);
    // A file below it, spelt in mixed case, lands on the existing file.
    root.touch("X_VELMO/SOURCE/FUN00001.S");
    EXPECT_EQ(Map("\\x_Velmo\\Source\\fun00001.s"), root.str() + "/X_VELMO/SOURCE/FUN00001.S");
}

TEST(DqozPath, DrivePrefixIsDroppedAndNewComponentsKeepTheirSpelling)
{
    TempRoot root;
    root.mkdirs("X_VELMO");
    EXPECT_EQ(Map("D:\\x_velmo\\X_DEM\\Source\\DEMOFN.C"), root.str() + "/X_VELMO/X_DEM/Source/DEMOFN.C");
    EXPECT_EQ(Map("c:x_velmo"), root.str() + "/X_VELMO");
    EXPECT_EQ(Map("D:\\"), root.str());
    // Forward slashes and doubled separators are separators too.
    EXPECT_EQ(Map("D:\\X_VELMO\\SOURCE\\\\ccsid.txt"), root.str() + "/X_VELMO/SOURCE/ccsid.txt");
}

TEST(DqozPath, PathsLeavingTheRootAreRefused)
{
    TempRoot root;
    root.mkdirs("X_VELMO");
    unsigned long rc = 0;
    EXPECT_EQ(Map("D:\\X_VELMO\\..\\..\\etc\\passwd", &rc), "");
    EXPECT_EQ(rc, DQOZ_ERROR_FILENAME_EXCED_RANGE);
    EXPECT_NE(std::string(DosGetLastErrorText()).find("leaves the environment root"), std::string::npos);
    EXPECT_EQ(Map("..", &rc), "");
    EXPECT_EQ(rc, DQOZ_ERROR_FILENAME_EXCED_RANGE);
    // Host form starting at the root is held to the same rule.
    EXPECT_EQ(Map(root.str() + "/../x", &rc), "");
    EXPECT_EQ(rc, DQOZ_ERROR_FILENAME_EXCED_RANGE);
    // ".." that stays inside is resolved.
    EXPECT_EQ(Map("x_velmo\\source\\..\\x_dem", &rc), root.str() + "/X_VELMO/x_dem");
    EXPECT_EQ(rc, DQOZ_NO_ERROR);
}

TEST(DqozPath, SymbolicLinksLeadingOutsideAreRefused)
{
    TempRoot outside;
    outside.mkdirs("SECRET");
    TempRoot root;  // the root in force
    root.mkdirs("X_VELMO/REAL");
    std::filesystem::create_directory_symlink(outside.path() / "SECRET", root.path() / "X_VELMO" / "LINK");
    std::filesystem::create_directory_symlink(root.path() / "X_VELMO" / "REAL", root.path() / "X_VELMO" / "INSIDE");
    unsigned long rc = 0;
    EXPECT_EQ(Map("x_velmo\\link\\file.txt", &rc), "");
    EXPECT_EQ(rc, DQOZ_ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(Map("x_velmo\\inside\\file.txt", &rc), root.str() + "/X_VELMO/INSIDE/file.txt");
    EXPECT_EQ(rc, DQOZ_NO_ERROR);
    // a link that leads nowhere yet: writing through it would make a file outside
    std::filesystem::create_symlink(outside.path() / "NEW.C", root.path() / "X_VELMO" / "DANGLING.C");
    EXPECT_EQ(Map("x_velmo\\dangling.c", &rc), "");
    EXPECT_EQ(rc, DQOZ_ERROR_FILENAME_EXCED_RANGE);
    EXPECT_NE(std::string(DosGetLastErrorText()).find("leads outside the environment root"), std::string::npos);
}

TEST(DqozPath, MappingTwiceChangesNothingAndHostPathsOutsideTheRootStayBelowIt)
{
    TempRoot root;
    root.mkdirs("X_VELMO/SOURCE");
    std::string once = Map("x_velmo\\source\\new.txt");
    EXPECT_EQ(Map(once), once);
    // A host-looking path that does not start with the root is taken as
    // relative to the root, as "\tmp\x" would be.
    EXPECT_EQ(Map("/tmp/x"), root.str() + "/tmp/x");
}

TEST(DqozPath, SmallBufferAndMissingRootGiveErrors)
{
    char small[8];
    {
        TempRoot root;
        EXPECT_EQ(DosMapPath("X_VELMO\\SOURCE", small, sizeof small), DQOZ_ERROR_BUFFER_OVERFLOW);
        EXPECT_STREQ(small, "");
        EXPECT_EQ(DosMapPath("", small, sizeof small), DQOZ_ERROR_INVALID_PARAMETER);
        char buf[4096];
        EXPECT_EQ(DosQueryEnvironmentRoot(buf, sizeof buf), DQOZ_NO_ERROR);
        EXPECT_EQ(std::string(buf), root.str());
    }
    unsetenv("DQOV_ENV_ROOT");
    char buf[4096];
    EXPECT_EQ(DosMapPath("X_VELMO\\SOURCE", buf, sizeof buf), DQOZ_ERROR_NO_ROOT);
    EXPECT_EQ(DosQueryEnvironmentRoot(buf, sizeof buf), DQOZ_ERROR_NO_ROOT);
    // Without a root, host paths pass as they are.
    EXPECT_EQ(DosMapPath("/var\\tmp", buf, sizeof buf), DQOZ_NO_ERROR);
    EXPECT_STREQ(buf, "/var/tmp");
    EXPECT_EQ(DosSetEnvironmentRoot("/no/such/directory/anywhere"), DQOZ_ERROR_PATH_NOT_FOUND);
}

TEST(DqozPath, RootFromTheEnvironmentVariable)
{
    {
        TempRoot root;
        root.mkdirs("X_VELMO");
        DosSetEnvironmentRoot(nullptr);
        setenv("DQOV_ENV_ROOT", root.str().c_str(), 1);
        EXPECT_EQ(Map("x_velmo"), root.str() + "/X_VELMO");
        unsetenv("DQOV_ENV_ROOT");
    }
}

}  // namespace

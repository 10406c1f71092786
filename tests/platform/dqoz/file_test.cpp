// DosCreateDir and DosDelete on mapped paths.
#include "platform/dqoz/dqoz.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(DqozFile, CreateDirOneLevelAndExistingIsNoError)
{
    TempRoot root;
    root.mkdirs("X_VELMO/X_DEM");
    EXPECT_EQ(DosCreateDir("D:\\x_velmo\\x_dem\\CSharp", nullptr), DQOZ_NO_ERROR);
    EXPECT_TRUE(root.exists("X_VELMO/X_DEM/CSharp"));
    EXPECT_EQ(DosCreateDir("D:\\X_VELMO\\X_DEM\\csharp", nullptr), DQOZ_NO_ERROR);
    EXPECT_EQ(DosCreateDir("D:\\X_VELMO\\MISSING\\Sub", nullptr), DQOZ_ERROR_PATH_NOT_FOUND);
    root.touch("X_VELMO/X_DEM/FILE");
    EXPECT_EQ(DosCreateDir("X_VELMO\\X_DEM\\FILE", nullptr), DQOZ_ERROR_ACCESS_DENIED);
    EXPECT_EQ(DosCreateDir("X_VELMO\\..\\..\\outside", nullptr), DQOZ_ERROR_FILENAME_EXCED_RANGE);
}

TEST(DqozFile, DeletePatternDeletesExactlyTheMatchingFiles)
{
    TempRoot root;
    root.mkdirs("X_VELMO/EXECUTE/DEMOFN.DIR");
    for (const char* name : {"DEMOFN.DLL", "demofn.pdb", "DEMOFN", "DEMOFN2.DLL", "XDEMOFN.DLL", "DEMOFNDLL"})
        root.touch(std::string("X_VELMO/EXECUTE/") + name);
    EXPECT_EQ(DosDelete("D:\\x_velmo\\execute\\DEMOFN.*"), DQOZ_NO_ERROR);
    EXPECT_FALSE(root.exists("X_VELMO/EXECUTE/DEMOFN.DLL"));
    EXPECT_FALSE(root.exists("X_VELMO/EXECUTE/demofn.pdb"));
    EXPECT_FALSE(root.exists("X_VELMO/EXECUTE/DEMOFN"));
    EXPECT_TRUE(root.exists("X_VELMO/EXECUTE/DEMOFN2.DLL"));
    EXPECT_TRUE(root.exists("X_VELMO/EXECUTE/XDEMOFN.DLL"));
    EXPECT_TRUE(root.exists("X_VELMO/EXECUTE/DEMOFNDLL"));
    EXPECT_TRUE(root.exists("X_VELMO/EXECUTE/DEMOFN.DIR"));  // directories stay
    EXPECT_EQ(DosDelete("D:\\X_VELMO\\EXECUTE\\DEMOFN.*"), DQOZ_ERROR_FILE_NOT_FOUND);
}

TEST(DqozFile, DeleteFullNameReadOnlyAndMissing)
{
    TempRoot root;
    root.mkdirs("X_VELMO");
    root.touch("X_VELMO/DEMOFN.RRN");
    root.touch("X_VELMO/LOCKED.TXT");
    chmod((root.str() + "/X_VELMO/LOCKED.TXT").c_str(), 0444);
    EXPECT_EQ(DosDelete("\\x_velmo\\demofn.rrn"), DQOZ_NO_ERROR);
    EXPECT_FALSE(root.exists("X_VELMO/DEMOFN.RRN"));
    EXPECT_EQ(DosDelete("\\X_VELMO\\DEMOFN.RRN"), DQOZ_ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DosDelete("\\X_VELMO\\LOCKED.TXT"), DQOZ_ERROR_ACCESS_DENIED);
    EXPECT_TRUE(root.exists("X_VELMO/LOCKED.TXT"));
    EXPECT_EQ(DosDelete("\\X_VELMO"), DQOZ_ERROR_ACCESS_DENIED);
    EXPECT_EQ(DosDelete("\\NOWHERE\\*.DLL"), DQOZ_ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(DosDelete("\\NOWHERE\\DEMOFN.DLL"), DQOZ_ERROR_PATH_NOT_FOUND);
}

}  // namespace

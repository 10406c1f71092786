// The version block of the resource script, written out by hand from the
// block's line table: the defaults of an object without version data, the
// two forms of a version text, left-out values and the module name values.
#include "generator/core/gen_fixture.h"

#include "generator/core/model/version_resource.h"

namespace gencore_test {
namespace {

class VersionResource : public GenFixture {
protected:
    std::string block(OSRV_VERSION_DATA* record, const char* module = "ABC")
    {
        Capture capture;
        RCGEN_CONTEXT context{capture.stream(), record, module, "DEM"};
        RCGEN_WriteVersionInfo(capture.stream(), context, 5);
        return capture.text();
    }
};

TEST_F(VersionResource, ObjectWithoutVersionData)
{
    setUp();
    const std::string b = "     ";
    const std::string v = b + "         VALUE ";
    EXPECT_EQ(
        block(nullptr),
        b + "\r\n" + b + "\r\n" + b + "1 VERSIONINFO\r\n" + b + "FILEVERSION     1,0,0,0\r\n" + b +
            "PRODUCTVERSION  1,0,0,0\r\n" + b + "FILEFLAGSMASK   63\r\n" + b + "#if defined(X_DEBUG)\r\n" + b +
            "   FILEFLAGS      0x1L\r\n" + b + "#else\r\n" + b + "   FILEFLAGS      0x0L\r\n" + b + "#endif\r\n" + b +
            "FILEOS          4\r\n" + b + "FILETYPE        2\r\n" + b + "FILESUBTYPE     0\r\n" + b + "BEGIN\r\n" + b +
            "   BLOCK \"StringFileInfo\"\r\n" + b + "   BEGIN\r\n" + b + "      BLOCK \"040904E4\"\r\n" + b +
            "      BEGIN\r\n" + v + "\"VELMO_CompanyName\",       \"VELMO Development Environment\\0\"\r\n" + v +
            "\"VELMO_FileVersion\",       \"dqov 1.0.0\\0\"\r\n" + v +
            "\"VELMO_LegalCopyright\",    \"Copyright 2026 the VELMO Development Environment\\0\"\r\n" + v +
            "\"VELMO_ProductVersion\",    \"VELMO 1.0\\0\"\r\n" + v +
            "\"VELMO_BuildTimeStamp\",    \"2026-12-06\\0\"\r\n" + v + "\"VELMO_BuildNumber\",       \"1\\0\"\r\n" + v +
            "\"VELMO_EPCNumber\",         \"0\\0\"\r\n" + v + "\"ProductVersion\",  \"1.0.0.0\\0\"\r\n" + v +
            "\"FileVersion\",     \"1.0.0.0\\0\"\r\n" + v + "\"FileDescription\", \"ABC\\0\"\r\n" + v +
            "\"InternalName\",    \"ABC\\0\"\r\n" + v + "\"OriginalFilename\",\"ABC.DLL\\0\"\r\n" + v +
            "\"BuildTimeStamp\",  \"2026-12-06 14:30:05\\0\"\r\n" + v + "\"Partition\",       \"DEM\\0\"\r\n" + b +
            "      END\r\n" + b + "   END\r\n" + b + "   BLOCK \"VarFileInfo\"\r\n" + b + "   BEGIN\r\n" + b +
            "      VALUE \"Translation\", 0x409, 1252\r\n" + b + "   END\r\n" + b + "END\r\n" + b + "\r\n" + b +
            "\r\n");
}

TEST_F(VersionResource, VersionTextsInBothFormsAndOnlyPresentValues)
{
    setUp();
    char file[] = "2.5.0.1", product[] = "2,5,0,1", company[] = "Say \"Hi\" Ltd", comments[] = "";
    OSRV_VERSION_DATA record{company, nullptr, nullptr, nullptr, comments, product, file};
    const std::string text = block(&record);
    EXPECT_NE(text.find("     FILEVERSION     2,5,0,1\r\n     PRODUCTVERSION  2,5,0,1\r\n"), std::string::npos);
    EXPECT_NE(text.find("VALUE \"ProductVersion\",  \"2.5.0.1\\0\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("VALUE \"FileVersion\",     \"2.5.0.1\\0\"\r\n"), std::string::npos);
    /* the resource compiler reads a doubled quote as one */
    EXPECT_NE(text.find("VALUE \"CompanyName\",     \"Say \"\"Hi\"\" Ltd\\0\"\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\"Comments\""), std::string::npos);
    EXPECT_EQ(text.find("\"LegalCopyright\",  "), std::string::npos);
    /* the texts of the record were rewritten in place */
    EXPECT_STREQ(file, "2.5.0.1");
    EXPECT_STREQ(product, "2.5.0.1");
}

TEST_F(VersionResource, VersionThatIsNotFourNumbersGivesTheDefault)
{
    setUp();
    for (const char* bad : {"2.5", "1.2.3.4.5", "1.x.0.0", "70000.0.0.0", "1..0.0"}) {
        std::string copy = bad;
        OSRV_VERSION_DATA record{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, copy.data()};
        const std::string text = block(&record);
        EXPECT_NE(text.find("     FILEVERSION     1,0,0,0\r\n"), std::string::npos) << bad;
        EXPECT_NE(text.find("VALUE \"FileVersion\",     \"1.0.0.0\\0\"\r\n"), std::string::npos) << bad;
    }
    EXPECT_EQ(issuedMessages().size(), 5u);
}

}  // namespace
}  // namespace gencore_test

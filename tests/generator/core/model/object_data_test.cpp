// The object's data from the object server and the object layer: the
// version data request of the output driver into the resource script, and
// the component record points, which need the object's description.
#include "generator/core/gen_fixture.h"

#include "generator/core/model/object_data.h"

namespace gencore_test {
namespace {

class ObjectData : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        exec("DELETE FROM QV_OVR WHERE XVROBJ = 'DEMOMIN'");  // the test's own version rows
        exec("INSERT INTO QV_OVR (XVRP_I, XVROBJ, XVRSEQ, XVRCOM, XVRCPY, XVRTMK, XVRPRD, XVRCMT, XVRPVR, XVRFVR) "
             "VALUES ('DEM', 'DEMOMIN', 2, 'Second \"Ltd\"', NULL, NULL, NULL, '', NULL, '2.0.0.7'), "
             "('DEM', 'DEMOMIN', 1, 'Demo Traders Ltd', NULL, NULL, 'Demo', NULL, '1.0.3.0', 'two')");
        testCommands() = {{"RETURN", {"RETURN"}, 1}};
    }
    std::string rc() { return readFile(sourceDir() / "DEMOMIN.RC"); }
    static size_t count(const std::string& text, const std::string& what)
    {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }
};

TEST_F(ObjectData, EachVersionRecordGetsItsBlockBetweenTheResourceBoxes)
{
    generate();
    const std::string text = rc();
    const size_t start = text.find("*** Start of Resource Definitions ***");
    const size_t first = text.find("\"CompanyName\",     \"Demo Traders Ltd\\0\"");
    const size_t second = text.find("\"CompanyName\",     \"Second \"\"Ltd\"\"\\0\"");
    const size_t end = text.find("*** End of Resource Definitions ***");
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_LT(start, first);
    EXPECT_LT(first, second);
    EXPECT_LT(second, end);
    EXPECT_EQ(count(text, "     1 VERSIONINFO\r\n"), 2u);
    /* a file version that is not four numbers is reported and the default stands in */
    EXPECT_NE(text.find("     PRODUCTVERSION  1,0,3,0\r\n"), std::string::npos);
    EXPECT_NE(text.find("     FILEVERSION     2,0,0,7\r\n"), std::string::npos);
    EXPECT_EQ(count(text, "     FILEVERSION     1,0,0,0\r\n"), 1u);
    EXPECT_EQ(count(text, "VALUE \"Comments\""), 0u);
    EXPECT_EQ(
        issuedMessages(),
        (std::vector<std::string>{"DCM9992 W WARNING : File version \"two\" of DEMOMIN is not four numbers: 1.0.0.0"}));
}

// Asked directly: each version record of the object gets its block in the
// stream; an object without version data gets the defaults' block.
TEST_F(ObjectData, TheServersVersionDataIntoAStream)
{
    setUp();
    Capture c;
    P3109_WriteVersionInfoFromServer(c.stream(), "DEMOMIN", "DEM");
    const std::string text = c.text();
    EXPECT_EQ(count(text, "     1 VERSIONINFO\r\n"), 2u) << text;
    EXPECT_LT(text.find("\"CompanyName\",     \"Demo Traders Ltd\\0\""),
              text.find("\"CompanyName\",     \"Second \"\"Ltd\"\"\\0\""));
    Capture none;
    P3109_WriteVersionInfoFromServer(none.stream(), "NOSUCHOB", "DEM");
    EXPECT_EQ(count(none.text(), "     1 VERSIONINFO\r\n"), 1u);
    EXPECT_NE(none.text().find("     FILEVERSION     1,0,0,0\r\n"), std::string::npos) << none.text();
    EXPECT_EQ(none.text().find("VALUE \"CompanyName\""), std::string::npos);
}

TEST_F(ObjectData, CompoundMemberAsksForNoVersionData)
{
    ctx.lCompoundComponent = 1;
    ctx.lPassCount = 2;
    ctx.lCurrentPass = 1;
    generate();
    EXPECT_EQ(readFile(sourceDir() / "DEMOMIN" / "00000001.RC").find("VERSIONINFO"), std::string::npos);
}

TEST_F(ObjectData, ObjectWithoutVersionDataGetsTheDefaultBlock)
{
    exec("DELETE FROM QV_OVR WHERE XVROBJ = 'DEMOMIN'");
    generate();
    const std::string text = rc();
    EXPECT_EQ(count(text, "VERSIONINFO"), 1u);
    EXPECT_NE(text.find("     FILEVERSION     1,0,0,0\r\n     PRODUCTVERSION  1,0,0,0\r\n"), std::string::npos);
    EXPECT_NE(text.find("VALUE \"ProductVersion\",  \"1.0.0.0\\0\""), std::string::npos);
    EXPECT_EQ(text.find("VALUE \"CompanyName\""), std::string::npos);
}

TEST_F(ObjectData, ComponentRunWritesTheComponentsVersionData)
{
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    std::memcpy(ctx.acComponent, "DEMOCOMP  ", 10);
    std::snprintf(ctx.szComponentModule, sizeof ctx.szComponentModule, "DEMOCOMP");
    exec("INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1) VALUES ('DEM', 'DEMOCOMP', 'X', 0, 0, "
         "'C')");
    generate();
    const std::string text = readFile(sourceDir() / "DEMOCOMP.RC");
    EXPECT_NE(text.find("     FILEVERSION     2,5,0,1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("VALUE \"FileVersion\",     \"2.5.0.1\\0\""), std::string::npos);
    EXPECT_NE(text.find("VALUE \"OriginalFilename\",\"DEMOCOMP.DLL\\0\""), std::string::npos);
    /* the component's row: blank-padded to 23, the SQL indicator, four digits; length 29 */
    EXPECT_EQ(queryText("SELECT X03SP1 || '|' FROM QV_F03 WHERE X03P_I = 'DEM' AND X03FLD = 'DEMOCOMP'"),
              "C                      N0000 |");
}

TEST_F(ObjectData, CallbackWithoutRecordGoesOn)
{
    EXPECT_EQ(P3109_WriteVersionInfoCallback(nullptr, 1, nullptr), 1);
}

/* Points 140 and 141 drop their line and set the indent to the directive
** column; without a description of the object no section is written. */
TEST_F(ObjectData, ComponentRecordPointsWithoutADescriptionWriteNothing)
{
    setUp();
    Capture capture;
    P3109_State().out.current = capture.stream();
    P3109_SetSkeletonLine("      %140 ");
    P3109_ProcessSkeletonLine();
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    EXPECT_EQ(P3109_State().out.usIndent, 6);
    P3109_SetSkeletonLine("         %141 ");
    P3109_ProcessSkeletonLine();
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    EXPECT_EQ(P3109_State().out.usIndent, 9);
    P3109_State().out.current = GEN_NO_STREAM;
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(P3109_pRetrieveDescription(), nullptr);
}

}  // namespace
}  // namespace gencore_test

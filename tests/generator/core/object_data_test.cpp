// The object's data from the object server and the object layer: the
// version data request of the output driver into the resource script, and
// the component record points, which need the object's description.
#include "gen_fixture.h"

#include "generator/core/object_data.h"

namespace gencore_test {
namespace {

struct SeenVersion {
    int32_t argument = -1;
    int calls = 0;
    bool intoResourceScript = false;
    std::vector<std::string> companies, fileVersions;
};

SeenVersion& seen()
{
    static SeenVersion s;
    return s;
}

void versionWriter(int32_t argument)
{
    GEN_MODULE_STATE& g = P3109_State();
    SeenVersion& s = seen();
    s.argument = argument;
    ++s.calls;
    s.intoResourceScript = g.versionStream == g.rc && g.rc != GEN_NO_STREAM;
    ASSERT_NE(g.pVersionData, nullptr);
    s.companies.push_back(g.pVersionData->pszCompanyName ? g.pVersionData->pszCompanyName : "<null>");
    s.fileVersions.push_back(g.pVersionData->pszFileVersion ? g.pVersionData->pszFileVersion : "<null>");
    P3109_WriteLine(g.versionStream, 3, std::string("VERSION ") + s.companies.back());
}

class ObjectData : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        seen() = SeenVersion{};
        exec("DELETE FROM QV_OVR WHERE XVROBJ = 'DEMOMIN'");   // the test's own version rows
        exec("INSERT INTO QV_OVR (XVRP_I, XVROBJ, XVRSEQ, XVRCOM, XVRCPY, XVRTMK, XVRPRD, XVRCMT, XVRPVR, XVRFVR) "
             "VALUES ('DEM', 'DEMOMIN', 2, 'Second Ltd', NULL, NULL, NULL, NULL, NULL, '2.0'), "
             "('DEM', 'DEMOMIN', 1, 'Demo Traders Ltd', NULL, NULL, 'Demo', NULL, '1.0.3.0', NULL)");
        P3109_RegisterSectionWriter("RCGEN_WriteVersionInfo", versionWriter);
        testCommands() = {{"RETURN", {"RETURN"}, 1}};
    }
    std::string rc() { return readFile(sourceDir() / "DEMOMIN.RC"); }
};

TEST_F(ObjectData, VersionRecordsReachTheWriterInSequenceBetweenTheResourceBoxes)
{
    generate();
    EXPECT_EQ(seen().calls, 2);
    EXPECT_EQ(seen().argument, 5);
    EXPECT_TRUE(seen().intoResourceScript);
    EXPECT_EQ(seen().companies, (std::vector<std::string>{"Demo Traders Ltd", "Second Ltd"}));
    EXPECT_EQ(seen().fileVersions, (std::vector<std::string>{"<null>", "2.0"}));
    const std::string text = rc();
    const size_t start = text.find("*** Start of Resource Definitions ***");
    const size_t first = text.find("   VERSION Demo Traders Ltd \r\n");
    const size_t second = text.find("   VERSION Second Ltd \r\n");
    const size_t end = text.find("*** End of Resource Definitions ***");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_LT(start, first);
    EXPECT_LT(first, second);
    EXPECT_LT(second, end);
    /* the record is the callback's only while it runs */
    EXPECT_EQ(P3109_State().pVersionData, nullptr);
}

TEST_F(ObjectData, CompoundMemberAsksForNoVersionData)
{
    ctx.lCompoundComponent = 1;
    ctx.lPassCount = 2;
    ctx.lCurrentPass = 1;
    generate();
    EXPECT_EQ(seen().calls, 0);
}

TEST_F(ObjectData, ObjectWithoutVersionDataWritesNoVersion)
{
    exec("DELETE FROM QV_OVR WHERE XVROBJ = 'DEMOMIN'");
    generate();
    EXPECT_EQ(seen().calls, 0);
    EXPECT_EQ(rc().find("VERSION"), std::string::npos);
}

TEST_F(ObjectData, ComponentRunWritesTheComponentsVersionData)
{
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    std::memcpy(ctx.acComponent, "DEMOCOMP  ", 10);
    std::snprintf(ctx.szComponentModule, sizeof ctx.szComponentModule, "DEMOCOMP");
    exec("INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1) VALUES ('DEM', 'DEMOCOMP', 'X', 0, 0, 'C')");
    generate();
    EXPECT_EQ(seen().companies, (std::vector<std::string>{"Demo Traders Ltd"}));
    EXPECT_EQ(seen().fileVersions, (std::vector<std::string>{"2,5,0,1"}));
    EXPECT_NE(readFile(sourceDir() / "DEMOCOMP.RC").find("   VERSION Demo Traders Ltd \r\n"), std::string::npos);
    /* the component's row: blank-padded to 23, the SQL indicator, four digits; length 29 */
    EXPECT_EQ(queryText("SELECT X03SP1 || '|' FROM QV_F03 WHERE X03P_I = 'DEM' AND X03FLD = 'DEMOCOMP'"),
              "C                      N0000 |");
}

TEST_F(ObjectData, CallbackWithoutRecordGoesOn)
{
    EXPECT_EQ(P3109_WriteVersionInfoCallback(nullptr, 1, nullptr), 1);
    EXPECT_EQ(seen().calls, 0);
}

/* Points 140 and 141 drop their line and set the indent to the directive
** column; without a description of the object no section is written. */
int bomCalls = 0;
void bomWriter(int32_t) { ++bomCalls; }

TEST_F(ObjectData, ComponentRecordPointsWithoutADescriptionWriteNothing)
{
    setUp();
    bomCalls = 0;
    for (const char* name : {"BOMGEN_WriteDescriptions", "BOMGEN_WriteRecordSupport", "BOMGEN_WriteServiceRoutines"})
        P3109_RegisterSectionWriter(name, bomWriter);
    P3109_SetSkeletonLine("      %140 ");
    P3109_ProcessSkeletonLine();
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    EXPECT_EQ(P3109_State().out.usIndent, 6);
    P3109_SetSkeletonLine("         %141 ");
    P3109_ProcessSkeletonLine();
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    EXPECT_EQ(P3109_State().out.usIndent, 9);
    EXPECT_EQ(bomCalls, 0);
    EXPECT_EQ(P3109_pRetrieveDescription(), nullptr);
}

} // namespace
} // namespace gencore_test

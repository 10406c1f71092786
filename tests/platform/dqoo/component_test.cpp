// Builds, checks, component source and the component description, on the
// sample repository.

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_bom.h"
#include "platform/dqoo/objlayer_repo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The build handle is the run driver's block; the object layer only uses its
// address.
struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

std::vector<std::string> g_lines;

int32_t collectLine(const DQOO_SOURCE_LINE* line)
{
    g_lines.push_back(std::to_string(line->ulNumber) + "|" + line->pszLabel + "|" + line->pszName + "|" +
                      line->pszParameters);
    return 1;
}

class ComponentBuild : public ::testing::Test {
protected:
    objlayer_test::SampleRepository repo;
    HandleBlock block;
    FCC_BUILD_HANDLE* handle = block.get();
    uint32_t passes = 0;
    int32_t buildStart = -1;

    long start(const char* object, const char* function = "*COMP")
    {
        DQOO_BUILD_REQUEST request{};
        request.pszObjectName = object;
        request.pszFunctionName = function;
        request.pszPartition = "DEM";
        return DQOO_FCC_StartBuild(handle, &request, &passes, &buildStart);
    }
    void SetUp() override { g_lines.clear(); }
    void TearDown() override { DQOO_FCC_EndBuild(handle); }
};

TEST_F(ComponentBuild, SourceLinesComeBackInOrder)
{
    ASSERT_EQ(0, start("DEMOCOMP"));
    EXPECT_EQ(1u, passes);
    EXPECT_EQ(0, buildStart);
    ASSERT_EQ(0, DQOO_FCC_RetrieveCompoundComponentZOPHX(handle, collectLine));
    const std::vector<std::string> expected = {
        "1||BEGIN_COM|ROLE(*EXTENDS #PRIM_OBJT)",
        "2||DEFINE_PTY|NAME(CUSTNAME) GET(GETNAME)",
        "3||*|Property routine of the customer name",
        "4||PTYROUTINE|NAME(GETNAME)",
        "5||DEFINE_MAP|FOR(*OUTPUT) CLASS(#CUSTNAM) NAME(#PROPERTY)",
        "6||SET|#PROPERTY VALUE(#CUSTNAM)",
        "7||ENDROUTINE|",
        "8||MTHROUTINE|NAME(CHECK)",
        "9||IF|COND('#CUSTNO *EQ 0')",
        "10|L1|CHANGE|FIELD(#CUSTNAM) TO('Customer number isn''t set')",
        "11||ENDIF|",
        "12||ENDROUTINE|",
        "13||END_COM|",
    };
    EXPECT_EQ(expected, g_lines);
}

TEST_F(ComponentBuild, CollectorCanStopTheDelivery)
{
    ASSERT_EQ(0, start("DEMOCOMP"));
    EXPECT_EQ(DQOO_ERR_STOPPED, DQOO_FCC_RetrieveCompoundComponentZOPHX(
                                    handle, [](const DQOO_SOURCE_LINE* l) { return l->ulNumber < 3 ? 1 : 0; }));
    EXPECT_EQ(DQOO_ERR_ARGUMENT, DQOO_FCC_RetrieveCompoundComponentZOPHX(handle, nullptr));
}

TEST_F(ComponentBuild, UnknownComponentAndUnstartedBuild)
{
    HandleBlock otherBlock;
    FCC_BUILD_HANDLE* other = otherBlock.get();
    EXPECT_EQ(DQOO_ERR_NO_BUILD, DQOO_FCC_RetrieveCompoundComponentZOPHX(other, collectLine));
    ASSERT_EQ(0, start("NOSUCHCOMP"));
    EXPECT_EQ(DQOO_ERR_NOT_FOUND, DQOO_FCC_RetrieveCompoundComponentZOPHX(handle, collectLine));
    FCC_BUILD_HANDLE* h = handle;
    BOM_DESCRIPTION_NODE* root = reinterpret_cast<BOM_DESCRIPTION_NODE*>(other);
    EXPECT_EQ(DQOO_ERR_NOT_FOUND, DQOO_FCC_BOM_RetrieveDescription(&h, &root));
    EXPECT_EQ(nullptr, root);
}

TEST_F(ComponentBuild, CompoundComponentHasOnePassPerMember)
{
    ASSERT_EQ(0, start("DEMOSUITE"));
    EXPECT_EQ(2u, passes);
    EXPECT_EQ(2, buildStart);
    DQOO_START_REQUEST request{};
    request.pszComponentName = "DEMOSUITE";
    request.usMode = DQOO_MODE_TOOLS;
    ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &request));
    ASSERT_EQ(0, DQOO_FCC_RetrieveCompoundComponentZOPHX(handle, collectLine));
    EXPECT_EQ(13u, g_lines.size());  // DEMOCOMP
    ASSERT_EQ(0, DQOO_FCC_EndChecking());
    EXPECT_EQ(DQOO_ERR_NO_CHECK, DQOO_FCC_EndChecking());

    g_lines.clear();
    ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &request));
    ASSERT_EQ(0, DQOO_FCC_RetrieveCompoundComponentZOPHX(handle, collectLine));
    EXPECT_EQ((std::vector<std::string>{"1||BEGIN_COM|ROLE(*EXTENDS #PRIM_OBJT)",
                                        "2||DEFINE_COM|CLASS(#DEMOCOMP) NAME(#DEMOCOMP)", "3||INVOKE|#DEMOCOMP.CHECK",
                                        "4||END_COM|"}),
              g_lines);
    EXPECT_EQ(0, DQOO_FCC_EndChecking());
}

TEST_F(ComponentBuild, FunctionBuildHasNoDescription)
{
    ASSERT_EQ(0, start("DEMOPRC", "DEMOFN"));
    EXPECT_EQ(1u, passes);
    EXPECT_EQ(0, buildStart);
    FCC_BUILD_HANDLE* h = handle;
    BOM_DESCRIPTION_NODE* root = nullptr;
    EXPECT_EQ(DQOO_ERR_NOT_FOUND, DQOO_FCC_BOM_RetrieveDescription(&h, &root));
    EXPECT_EQ(nullptr, root);
}

// Renders a node and its lists as text, in list order.
void render(const BOM_DESCRIPTION_NODE* node, int depth, std::string& out)
{
    out += std::string(depth * 2, ' ') + std::to_string(node->lKind);
    switch (node->lKind) {
    case 1100:
        out += " " + std::string(BOM_Text(node, 1)) + " / " + BOM_Text(node, 2) + " #" +
               std::to_string(BOM_Number(node, 3)) + "\n";
        for (intptr_t i = 0; i < BOM_Number(node, 12); ++i)
            render(BOM_Child(node, 12, i), depth + 1, out);
        return;
    case 1300:
    case 1320:
    case 1330:
        out += " " + std::string(BOM_Text(node, 1)) + " #" + std::to_string(BOM_Number(node, 2)) + "\n";
        for (intptr_t i = 0; i < BOM_Number(node, 5); ++i)
            render(BOM_Child(node, 5, i), depth + 1, out);
        return;
    case 1520:
        out += " " + std::string(BOM_Text(node, 1)) + " #" + std::to_string(BOM_Number(node, 2)) + "\n";
        for (intptr_t i = 0; i < BOM_Number(node, 4); ++i)
            render(BOM_Child(node, 4, i), depth + 1, out);
        return;
    case 1400: out += " " + std::string(BOM_Text(node, 1)) + "\n"; return;
    case 1410: out += " " + std::string(BOM_Text(node, 2)) + "\n"; return;
    default:
        out += "\n";
        for (intptr_t i = 0; i < BOM_Number(node, 1); ++i)
            render(BOM_Child(node, 1, i), depth + 1, out);
    }
}

TEST_F(ComponentBuild, DescriptionTreeComesBackInOrder)
{
    ASSERT_EQ(0, start("DEMOCOMP"));
    FCC_BUILD_HANDLE* h = handle;
    BOM_DESCRIPTION_NODE* root = nullptr;
    ASSERT_EQ(0, DQOO_FCC_BOM_RetrieveDescription(&h, &root));
    ASSERT_NE(nullptr, root);
    std::string text;
    render(root, 0, text);
    EXPECT_EQ("1000\n"
              "  1100 Customer / Customer document #1\n"
              "    1300 CustomerProxy #1\n"
              "      1400 CUSTNO\n"
              "      1400 CUSTNAME\n"
              "    1320 CustomerData #2\n"
              "      1400 CUSTNO\n"
              "      1400 CUSTNAME\n"
              "      1410 Address\n"
              "    1330 CustomerId #3\n"
              "      1400 CUSTNO\n"
              "  1520 CustomerData #2\n"
              "    1400 CUSTNO\n"
              "    1400 CUSTNAME\n",
              text);
    EXPECT_EQ(1000, root->aWord[0].lNumber);
    EXPECT_EQ(0, BOM_Number(BOM_Child(root, 1, 0), 4));  // no member list
    // Asked again, the same tree comes back.
    BOM_DESCRIPTION_NODE* again = nullptr;
    ASSERT_EQ(0, DQOO_FCC_BOM_RetrieveDescription(&h, &again));
    EXPECT_EQ(root, again);
}

TEST_F(ComponentBuild, BrokenDescriptionIsNotDelivered)
{
    // A node whose parent does not exist.
    repo.exec("INSERT INTO QV_OBN VALUES ('DEM', 'DEMOCOMP', 99, 77, 1, 1, 1400)");
    ASSERT_EQ(0, start("DEMOCOMP"));
    FCC_BUILD_HANDLE* h = handle;
    BOM_DESCRIPTION_NODE* root = nullptr;
    EXPECT_EQ(DQOO_ERR_REPOSITORY, DQOO_FCC_BOM_RetrieveDescription(&h, &root));
    EXPECT_EQ(nullptr, root);
}

TEST_F(ComponentBuild, DescriptionCycleIsNotDelivered)
{
    // Two nodes that are each other's parent, unreachable from the root.
    repo.exec("INSERT INTO QV_OBN VALUES ('DEM', 'DEMOCOMP', 98, 99, 1, 1, 1000);"
              "INSERT INTO QV_OBN VALUES ('DEM', 'DEMOCOMP', 99, 98, 1, 1, 1000);");
    ASSERT_EQ(0, start("DEMOCOMP"));
    FCC_BUILD_HANDLE* h = handle;
    BOM_DESCRIPTION_NODE* root = nullptr;
    EXPECT_EQ(DQOO_ERR_REPOSITORY, DQOO_FCC_BOM_RetrieveDescription(&h, &root));
}

TEST_F(ComponentBuild, StartCheckingNeedsAStartedBuild)
{
    DQOO_START_REQUEST request{};
    HandleBlock otherBlock;
    FCC_BUILD_HANDLE* other = otherBlock.get();
    EXPECT_EQ(DQOO_ERR_NO_BUILD, DQOO_FCC_StartChecking(other, &request));
    ASSERT_EQ(0, start("DEMOCOMP"));
    EXPECT_EQ(DQOO_ERR_ARGUMENT, DQOO_FCC_StartChecking(handle, nullptr));
    EXPECT_EQ(0, DQOO_FCC_StartChecking(handle, &request));
    EXPECT_EQ(0, DQOO_FCC_EndChecking());
}

}  // namespace

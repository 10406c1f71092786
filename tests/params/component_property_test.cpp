// Component properties resolved through the description of the sample
// component DEMOCOMP: a content root with the Customer document (proxy,
// document and identifier records) and its dispatch record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "checker/checker.h"
#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/objlayer_repo.h"
#include "queued_messages.h"

namespace {

using Msgs = std::vector<std::pair<std::string, std::string>>;
constexpr const char* kQueue = "PRPTEST   ";

class ComponentProperty : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(&ctx, 0, sizeof ctx);
        std::memcpy(ctx.acPartition, "DEM", 3);
        std::memcpy(ctx.acLanguage, "ENG ", 4);
        std::memcpy(ctx.acObjectName, "DC@F23    ", 10);
        std::memcpy(ctx.acComponent, "DEMOCOMP  ", 10);
        ctx.lComponentRun = 1;
        ctx.cDecimalPoint = '.';
        ctx.cNatChar1 = '#';
        DQOO_BUILD_REQUEST request{};
        request.pszObjectName = "DEMOCOMP";
        request.pszFunctionName = "*COMP";
        request.pszPartition = "DEM";
        uint32_t passes = 0;
        int32_t start = 0;
        ASSERT_EQ(DQOO_FCC_StartBuild(build(), &request, &passes, &start), 0);
        P3100_SetBuildHandle(build());
        DC_SetExpressionQueue(kQueue);
    }
    void TearDown() override
    {
        P3100_SetBuildHandle(nullptr);
        DQOO_FCC_EndBuild(build());
        P31O2_FreeRunContext(&ctx);
    }
    FCC_BUILD_HANDLE* build() { return reinterpret_cast<FCC_BUILD_HANDLE*>(handle); }

    int16_t Check(const std::string& operand, char cls, int32_t length = 0, int32_t decimals = 0)
    {
        std::memset(&b, ' ', sizeof b);
        std::memcpy(b.acOperand, operand.data(), operand.size());
        b.usOperandLength = static_cast<uint16_t>(operand.size());
        b.cTypeClass = cls;
        b.lLength = length;
        b.lDecimals = decimals;
        b.cFlag = 'Y';
        std::memcpy(b.acOptions, "YYYYYYYY", 8);
        return Component_P8007(&ctx, &b, kQueue, 1, 1, 1, 1);
    }
    Msgs Take() { return TakeQueuedMessages(ctx, "PRPTEST"); }
    std::string Resolved() const
    {
        std::string s(b.acResolved, sizeof b.acResolved);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }

    objlayer_test::SampleRepository repo;
    alignas(8) unsigned char handle[64] = {};
    FFC_CONTEXT ctx;
    DC_OPERAND_BLOCK b;
};

TEST_F(ComponentProperty, RecordFieldsOfTheComponentAndOfItsDocumentsAndRecords)
{
    ASSERT_EQ(Check("#DEMOCOMP.CustNo", 'N', 7, 0), 0);
    EXPECT_EQ(std::string(b.acCode, 2), "CP");
    EXPECT_EQ(b.sOperandKind, DC_OPERAND_COMPONENT_PROPERTY);
    EXPECT_EQ(b.cTypeCode, 'P') << "the type of the repository's field CUSTNO";
    EXPECT_EQ(b.lResultLength, 7);
    EXPECT_EQ(b.sResultDecimals, 0);
    EXPECT_EQ(Resolved(), "DEMOCOMP.CUSTNO");
    ASSERT_EQ(Check("#Customer.CUSTNO", 'N', 9, 0), 0) << "the document names a scope";
    EXPECT_EQ(Resolved(), "CUSTOMER.CUSTNO");
    ASSERT_EQ(Check("#CustomerId.CUSTNO", 'N', 7, 0), 0) << "so does a record";
    EXPECT_EQ(Take(), Msgs{});

    EXPECT_EQ(Check("#CustomerId.CUSTNAME", 'A'), 1) << "the identifier record holds CUSTNO only";
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#CUSTOMERID.CUSTNAME"}}));
    EXPECT_EQ(Check("#DEMOCOMP.NOSUCH", 'A'), 1);
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#DEMOCOMP.NOSUCH    "}}));
    EXPECT_EQ(Check("#DEMOCMP2.CUSTNO", 'N'), 1) << "another component's scope is not in this description";
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#DEMOCMP2.CUSTNO    "}}));
    EXPECT_EQ(Check("#DEMOCOMP.Address", 'A'), 1) << "a pointer member is no field";
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#DEMOCOMP.ADDRESS   "}}));
    EXPECT_EQ(Check("#DEMOCOMP.CUSTNO", 'A'), 1);
    EXPECT_EQ(Take(), (Msgs{{"DCM0402", "#DEMOCOMP.CUSTNO    AN"}}));
    EXPECT_EQ(Check("#DEMOCOMP.CUSTNO", 'N', 5, 0), 1);
    EXPECT_EQ(Take(), (Msgs{{"DCM0403", "#DEMOCOMP.CUSTNO    +0000005+0000007"}}));
}

TEST_F(ComponentProperty, AFieldTheComponentDefinesGivesTheType)
{
    EXPECT_EQ(Check("#DEMOCOMP.CUSTNAME", 'A', 30), 1) << "CUSTNAME has no definition yet";
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#DEMOCOMP.CUSTNAME  "}}));
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, "CUSTNAME", 8);
    def.cType = 'A';
    def.lLength = 25;
    def.lDecimals = 0;
    FFC_FIELD_TEXT text;
    std::memset(&text, ' ', sizeof text);
    ASSERT_EQ(Put_Function_Field(&ctx, 'C', &def, &text), 0);
    ASSERT_EQ(Check("#DEMOCOMP.CUSTNAME", 'A', 30), 0);
    EXPECT_EQ(b.cTypeCode, 'A');
    EXPECT_EQ(b.lResultLength, 25);
}

TEST_F(ComponentProperty, NoBuildNoDescriptionAndARegisteredLookup)
{
    P3100_SetBuildHandle(nullptr);
    EXPECT_EQ(Check("#DEMOCOMP.CUSTNO", 'N'), 1);
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#DEMOCOMP.CUSTNO    "}}));
    P3100_SetBuildHandle(build());
    DC_SetComponentPropertyLookup(
        [](void*, const char*, const char* prop, char* type, int32_t* len, int32_t* dec) -> int32_t {
            if (std::string(prop) != "WIDTH")
                return 0;
            *type = 'S', *len = 4, *dec = 0;
            return 1;
        },
        nullptr);
    EXPECT_EQ(Check("#DEMOCOMP.CUSTNO", 'N'), 1) << "a registered lookup stands instead of the description";
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#DEMOCOMP.CUSTNO    "}}));
    EXPECT_EQ(Check("#PANEL.Width", 'N', 4), 0);
    DC_SetComponentPropertyLookup(nullptr, nullptr);
    EXPECT_EQ(Check("#DEMOCOMP.CUSTNO", 'N'), 0) << "NULL restores the description";
}

TEST_F(ComponentProperty, ExpressionsOfTheComponentFlavour)
{
    const std::string text = "#DEMOCOMP.CUSTNO * 2 > 100 AND #Customer.CUSTNO <> 0";
    DC_EXPRESSION_REQUEST req;
    std::memset(&req, 0, sizeof req);
    req.pchText = text.data();
    req.ulTextLength = static_cast<uint32_t>(text.size());
    std::memcpy(req.acWorkPrefix, "@@@@@@", 6);
    req.cExpectedType = 'L';
    DC_CHECK_OPTIONS options;
    std::memset(&options, ' ', sizeof options);
    std::memset(options.acOptions, 'Y', 8);
    options.lReserved = 0;
    DC_OPERAND_LIST list{};
    alignas(8) char tokens[DC_TOKEN_TABLE_SIZE];
    ASSERT_EQ(Component_P8015(&ctx, &options, &req, &list, 1, tokens, nullptr, nullptr, 1, 0), 0);
    EXPECT_EQ(std::string(req.aOperands[0].acClass, 2), "CP");
    EXPECT_EQ(req.aOperands[0].cType, 'P');
    EXPECT_EQ(req.aOperands[0].lLength, 7);
    EXPECT_EQ(std::string(req.aOperands[3].acClass, 2), "CP");
    EXPECT_EQ(list.a[0].sLength, 7);
    EXPECT_EQ(Take(), Msgs{});
    ASSERT_NE(DC_P8015(&ctx, &options, &req, &list, 1, tokens, nullptr), 0) << "the classic flavour has none";
    EXPECT_EQ(Take(), (Msgs{{"DCM0408", "#DEMOCOMP.CUSTNO    "}, {"DCM0408", "#CUSTOMER.CUSTNO    "}}));
}

}  // namespace

// The single-check session, its message queues and the identification.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/valid.h"
#include "sample_env.h"

namespace {

TEST(Valid, SessionQueuesAndMessages)
{
    SampleEnv env;
    ASSERT_TRUE(env.connect());
    EXPECT_EQ(VALID_InitServices(nullptr, 0, 0, nullptr), -1);
    FFC_SYSTEM_DEFINITION sys{};
    std::snprintf(sys.szPartition, sizeof sys.szPartition, "DEM");
    std::snprintf(sys.szLanguage, sizeof sys.szLanguage, "ENG");
    int services = 0;
    ASSERT_EQ(VALID_InitServices(&sys, 3, 4, &services), 0);
    ASSERT_NE(VALID_pGetSession(), nullptr);
    EXPECT_EQ(std::string(VALID_pGetSession()->acPartition, 3), "DEM");
    EXPECT_EQ(VALID_pGetServicesAnchor()->pSystemDefinition, &sys);
    EXPECT_EQ(VALID_pGetServicesAnchor()->lRecordPosition2, 4);
    EXPECT_EQ(VALID_pGetServicesAnchor()->pServices, &services);

    ASSERT_EQ(VALID_CreateMsgQueue("OPCHECK   "), 0);
    EXPECT_EQ(VALID_CreateMsgQueue("OPCHECK"), -4);
    ASSERT_EQ(DC_P9006("OPCHECK   ", "DCM0501", 10, "CUSTNAM   "), 0);
    ASSERT_EQ(DC_P9006("OPCHECK   ", "DCM0122", 48, "CUSTMST   DEMLIB    +0000001ABC                 "), 0);
    uint32_t count = 0;
    ASSERT_EQ(qvrms3(VALID_pGetSession(), "OPCHECK", &count), 0);
    EXPECT_EQ(count, 2u);
    char id[8], text[256], severity = 0;
    ASSERT_EQ(qvrms4(VALID_pGetSession(), "OPCHECK", 2, id, &severity, text, sizeof text), 0);
    EXPECT_STREQ(id, "DCM0122");
    EXPECT_EQ(severity, 'F');
    EXPECT_STREQ(text, "Key value ABC (value +0000001) has no key field in file CUSTMST in library DEMLIB.");
    EXPECT_EQ(qvrms4(VALID_pGetSession(), "OPCHECK", 3, id, &severity, text, sizeof text), 1);
    EXPECT_EQ(qvrms4(VALID_pGetSession(), "NOQUEUE", 1, id, &severity, text, sizeof text), -1);

    FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
    P31O2_SetBaseColour(4);
    testing::internal::CaptureStdout();
    EXPECT_EQ(VALID_DisplayMessages("OPCHECK"), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "<RED>DCM0501 F Field CUSTNAM is alphanumeric; its length must be from 1 to 256.\r\n"
              "<RED>DCM0122 F Key value ABC (value +0000001) has no key field in file CUSTMST in library DEMLIB.\r\n");
    FFC_Set_Run_Mode(0);

    ASSERT_EQ(VALID_ClearMessages("OPCHECK"), 0);
    ASSERT_EQ(qvrms3(VALID_pGetSession(), "OPCHECK", &count), 0);
    EXPECT_EQ(count, 0u);
    // The checker empties its queue by the 10-character padded name before
    // every command: the padded and the bare name are one queue.
    ASSERT_EQ(DC_P9006("OPCHECK   ", "DCM0501", 10, "CUSTNAM   "), 0);
    ASSERT_EQ(P9006_sEmptyMessageQueue(VALID_pGetSession(), "OPCHECK   "), 0);
    ASSERT_EQ(qvrms3(VALID_pGetSession(), "OPCHECK", &count), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(P9006_sEmptyMessageQueue(VALID_pGetSession(), "NOQUEUE   "), -1);
    ASSERT_EQ(VALID_CreateMsgQueue("OPCHECK2"), 0);
    ASSERT_EQ(VALID_CloseMsgQueue("OPCHECK"), 0);
    EXPECT_EQ(VALID_CloseMsgQueue("OPCHECK"), -1);
    EXPECT_EQ(VALID_ClearMessages("OPCHECK"), -1);
    ASSERT_EQ(qvrms3(VALID_pGetSession(), "OPCHECK2", &count), 0) << "a longer name is another queue";
    EXPECT_EQ(VALID_CloseMsgQueue("OPCHECK2"), 0);
}

TEST(Valid, Identification)
{
    const X_OBJ_ID_TABLE* t = X_GetIdentificationPtr();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t[0].lIdentifier, X_OBJ_ID_PLATFORM);
    EXPECT_STREQ(static_cast<const char*>(t[0].pValue), "PC");
    EXPECT_STREQ(static_cast<const char*>(t[1].pValue), "DQOV");
    EXPECT_EQ(std::strlen(static_cast<const char*>(t[2].pValue)), 11u) << "build date \"Mmm dd yyyy\"";
    EXPECT_EQ(std::strlen(static_cast<const char*>(t[3].pValue)), 8u) << "build time \"hh:mm:ss\"";
    EXPECT_STREQ(static_cast<const char*>(t[4].pValue), std::to_string(VALID_Get_Build_Number()).c_str());
    EXPECT_EQ(t[5].lIdentifier, X_OBJ_ID_END);
    EXPECT_EQ(t[5].pValue, nullptr);
}

}  // namespace

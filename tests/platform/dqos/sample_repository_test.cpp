// The sample repository: every table the library names exists with the
// columns its statements use, and every message the library issues has a
// text.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_messages.h"
#include "repo_fixture.h"
#include "support/files.h"

using dqos_test::TempRepository;

namespace {

class SampleRepository : public ::testing::Test {
protected:
    TempRepository repo = TempRepository::copyOf(dqos_test::sampleRepository());
    void SetUp() override
    {
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
        SMISC_SetSession("DEM", "ENG");
    }
    void TearDown() override { SSQL_Disconnect(); }

    uint32_t count(const char* sql, const char* value = nullptr)
    {
        SSQL_AREA a;
        EXPECT_EQ(value ? SSQL_DeclareExt(&a, sql, value) : SSQL_DeclareExt(&a, sql), SSQL_RC_OK) << sql;
        SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
        uint32_t n = 0;
        EXPECT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_U32(&n)), SSQL_RC_OK) << sql << ": " << SSQL_pszLastError();
        SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);
        return n;
    }
    unsigned short run(SSQL_AREA& a)
    {
        SSQL_SQLDA* h = nullptr;
        unsigned short rc = SSQL_sRun(&a, &h, 0);
        SMEM_FreeMem(h);
        return rc;
    }
};

TEST_F(SampleRepository, HoldsEveryNamedTable)
{
    const char* tables[] = {"QV_F03", "QV_F14", "QV_F15", "QV_F20", "QV_F23", "QV_F24", "QV_F27", "QV_F32", "QV_F40",
                            "QV_F43", "QV_F47", "QV_F48", "QV_F54", "QV_F60", "QV_F61", "QV_F62", "QV_F67", "QV_F71",
                            "QV_F85", "QV_F97", "QV_F98", "QV_FCG", "QV_FCN", "QV_FFR", "QV_FGI", "QV_FOF", "QV_X01",
                            "QV_X02", "QV_X03", "QV_X04",
                            // the services library's own tables
                            "QV_MSG", "QV_SMS", "QV_SET", "QV_SRC", "QV_FTX", "QV_OST", "QV_XRF", "QV_WBA"};
    for (const char* t : tables)
        EXPECT_EQ(count("SELECT COUNT(*) FROM QV_DTA.sqlite_master WHERE type = 'table' AND name = '%s'", t), 1u) << t;
}

TEST_F(SampleRepository, StatementsOfTheLibraryRunAgainstTheSchema)
{
    // Cursor over the physical files of a library.
    SSQL_AREA a;
    ASSERT_EQ(SSQL_DeclareExt(&a,
                              "SELECT X27PLB FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' ORDER BY X27PLB",
                              "DEM", "CUSTMST"),
              SSQL_RC_OK);
    uint16_t cur = 0;
    ASSERT_EQ(SSQL_sOpenExt(&cur), SSQL_RC_OK);
    SSQL_SQLDA *h1 = nullptr, *h2 = nullptr;
    char lib[10];
    ASSERT_EQ(SSQL_sFetchExt(&a, cur, &h1, &h2, 1, SSQL_FIXED(lib, 10)), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(std::string(lib, 10), "DEMLIB    ");
    EXPECT_EQ(SSQL_sFetchExt(&a, cur, &h1, &h2, 1, SSQL_FIXED(lib, 10)), SSQL_RC_END);
    SSQL_sCloseExt(cur, &h1, &h2);

    EXPECT_EQ(count("SELECT COUNT(*) FROM   QV_DTA.QV_F71 WHERE  X71P_I = 'DEM' AND X71PLN = 'ENG' AND X71MOD = '%s'",
                    "DEMOPRC"),
              2u);

    // Stored design data with an explicit-length text and a number.
    std::string map = "Text map line with a 'quote' and %d";
    ASSERT_EQ(
        SSQL_DeclareExt(&a,
                        "INSERT INTO QV_DTA.QV_F85 (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85DTA, X85SEQ) VALUES "
                        "('%s', '%s', '%s', '%s', '%s', '%v', %d)",
                        "DEM", "DEMOPRC", "CUSTLST", "TEXTMAPS  ", "*TMAP001  ", static_cast<int>(map.size()),
                        map.c_str(), 1),
        SSQL_RC_OK);
    EXPECT_EQ(run(a), SSQL_RC_OK) << SSQL_pszLastError();
    ASSERT_EQ(SSQL_DeclareExt(&a,
                              "SELECT X85DTA, X85SEQ FROM QV_DTA.QV_F85 WHERE X85P_I = '%s' AND X85MOD = '%s' AND "
                              "X85FMT = '%s' AND X85KV1 = '%s' AND X85KV2 = '%s' ORDER BY X85SEQ",
                              "DEM", "DEMOPRC", "CUSTLST", "TEXTMAPS", "*TMAP001"),
              SSQL_RC_OK);
    char dta[2 + 133];
    int32_t seq = 0;
    ASSERT_EQ(SSQL_sRunExt(&a, &h1, &h2, 2, SSQL_VARYING(dta, 133), SSQL_I32(&seq)), SSQL_RC_OK);
    uint16_t len;
    std::memcpy(&len, dta, 2);
    EXPECT_EQ(std::string(dta + 2, len), map);
    EXPECT_EQ(seq, 1);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);

    // Web page lines with quoted longs, then the LIKE delete with an unquoted integer.
    ASSERT_EQ(
        SSQL_DeclareExt(&a,
                        "INSERT INTO QV_DTA.QV_X02 (X02P_I, X02PEN, X02SEN, X02PLN, X02PAG, X02SET, X02SEQ, X02TXT, "
                        "X02SP1 ) VALUES ('%s', '%s', '%s', '%s', '%s', '%l', '%l', '%s', '%s')",
                        "DEM", "HTM", "     ", "ENG", "DEMOPRC   CUSTLST001", 0L, 1L, "<p class='x'>", " "),
        SSQL_RC_OK);
    EXPECT_EQ(run(a), SSQL_RC_OK) << SSQL_pszLastError();
    char* pat = SSUTL_pszEscapeSQLLikeWildcards("DEMOPRC   CUSTLST", "_", '!', 0);
    std::string like = std::string(pat) + "%";
    SMEM_FreeMem(pat);
    ASSERT_EQ(
        SSQL_DeclareExt(&a,
                        "DELETE FROM QV_DTA.QV_X02 WHERE X02P_I = '%s' AND  X02PEN = '%s' AND  X02SEN = '%s' AND  "
                        "X02PLN = '%s' AND  X02PAG LIKE '%s' ESCAPE '!' AND  X02SET >= %d ",
                        "DEM", "HTM", "     ", "ENG", like.c_str(), 0),
        SSQL_RC_OK);
    SSQL_SQLDA* h = nullptr;
    ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(h->lRowsChanged, 1);
    SMEM_FreeMem(h);

    // The generation-end update of a function.
    ASSERT_EQ(
        SSQL_DeclareExt(&a,
                        "UPDATE QV_DTA.QV_F23 SET   X23SP1 = '%v', X23SQL = '%c', X23APM = '%c' WHERE X23P_I = '%s' "
                        "AND X23MOD = '%s' AND X23FMT = '%s'",
                        17, "             0042", 'N', 'Y', "DEM", "DEMOPRC   ", "DEMOMIN"),
        SSQL_RC_OK);
    EXPECT_EQ(run(a), SSQL_RC_OK);
    EXPECT_EQ(count("SELECT COUNT(*) FROM QV_DTA.QV_F23 WHERE X23SP1 = '%s'", "             0042"), 1u);

    // The subquery naming the substring function.
    ASSERT_EQ(
        SSQL_DeclareExt(&a,
                        "SELECT count(*) FROM QV_DTA.QV_FCN WHERE XCNP_I='%s' AND XCNCOL='%s' AND XCNPTR IN (SELECT "
                        "%s(X14SP1,1,10) FROM QV_DTA.QV_F14 WHERE X14P_I='%s' AND X14PFL='%s' AND X14PLB = '%s' AND "
                        "X14TYP = 'FFD')",
                        "DEM", "CUSTNO", SSUTL_GetSQLSubStringCommand(), "DEM", "CUSTMST", "DEMLIB"),
        SSQL_RC_OK);
    uint32_t n = 99;
    EXPECT_EQ(SSQL_sRunExt(&a, &h1, &h2, 1, SSQL_U32(&n)), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(n, 0u);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &h1, &h2);

    // The owner lookup of "*DIRECT".
    ASSERT_EQ(
        SSQL_DeclareExt(&a, "SELECT X23MOD FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND X23FMT = '%s' ", "DEM", "DEMINC"),
        SSQL_RC_OK);
    ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    char* owner = SSQL_GetData(h, 1);
    EXPECT_STREQ(owner, "DEMOPRC");
    SMEM_FreeMem(owner);
    SSQL_FreeSqlda(h);
}

// Every DCM and PRC id the library issues.
const char* const kMessageIds[] = {
    "DCM0044", "DCM0045", "DCM0046", "DCM0047", "DCM0048", "DCM0049", "DCM0121", "DCM0122", "DCM0123", "DCM0200",
    "DCM0501", "DCM0502", "DCM0503", "DCM0635", "DCM0636", "DCM0637", "DCM1108", "DCM1274", "DCM1275", "DCM1276",
    "DCM1277", "DCM9898", "DCM9992", "PRC0007", "PRC0009", "PRC0010", "PRC0011", "PRC0018", "PRC0019", "PRC0023",
    "PRC0024", "PRC0025", "PRC0044", "PRC0046", "PRC0047", "PRC0056", "PRC0058", "PRC0059", "PRC0063", "PRC0064",
    "PRC0069", "PRC0070", "PRC0072", "PRC0080", "PRC0081", "PRC0082", "PRC0084", "PRC0086", "PRC0087", "PRC0088",
    "PRC0094", "PRC0099", "PRC0100", "PRC0101", "PRC0106", "PRC0107", "PRC0112", "PRC0116", "PRC0117", "PRC0122",
    "PRC0130", "PRC0131", "PRC0132", "PRC0133", "PRC0134", "PRC0135", "PRC0137", "PRC0140", "PRC0142", "PRC0145",
    "PRC0146", "PRC0147", "PRC0148", "PRC0150", "PRC0152", "PRC0154", "PRC0155", "PRC0156", "PRC0158", "PRC0163",
    "PRC0164", "PRC0165", "PRC0166", "PRC0170", "PRC0171", "PRC0172", "PRC0173", "PRC0178", "PRC0179", "PRC0181",
    "PRC0182", "PRC0185", "PRC0186", "PRC0187", "PRC0188", "PRC0189", "PRC0190", "PRC0195", "PRC0196", "PRC0199",
    "PRC0200", "PRC0201", "PRC0202", "PRC0205", "PRC0208", "PRC0210", "PRC0211", "PRC0216", "PRC0217", "PRC0218",
    "PRC0219", "PRC0220", "PRC0237", "PRC0241", "PRC0243", "PRC0247", "PRC0248", "PRC0264", "PRC0265", "PRC0279",
    "PRC0280", "PRC0297", "PRC0298", "PRC0300", "PRC0301", "PRC0303", "PRC0304", "PRC0307", "PRC0319", "PRC0320",
    "PRC0321", "PRC0324", "PRC0330", "PRC0331", "PRC0332", "PRC0333", "PRC0334", "PRC0335", "PRC0336", "PRC0337",
    "PRC0338", "PRC0339", "PRC0344", "PRC0373", "PRC0377", "PRC0378", "PRC0379", "PRC0380", "PRC0381", "PRC0385",
    "PRC1001", "PRC1002", "PRC1003", "PRC1004", "PRC1005", "PRC1006", "PRC1007", "PRC1008", "PRC1010", "PRC1012",
    "PRC1014", "PRC1015", "PRC1017", "PRC1019", "PRC1020", "PRC1022", "PRC1023", "PRC1030", "PRC1031", "PRC1036",
    "PRC1038", "PRC1050", "PRC1051", "PRC1052", "PRC1053", "PRC1054", "PRC1059", "PRC1061", "PRC1065", "PRC1267",
    "PRC1408", "PRC1409"};

// Numbered services messages the library fetches.
const unsigned long kNumbered[] = {79,  156, 180, 181, 251, 510, 750, 830, 831, 832, 833, 834, 835, 836,
                                   837, 838, 839, 840, 841, 842, 843, 844, 845, 846, 847, 848, 849, 850,
                                   851, 852, 853, 856, 865, 868, 869, 871, 872, 873, 874, 875, 876, 877,
                                   878, 879, 884, 890, 891, 896, 897, 898, 899, 925, 927};

TEST_F(SampleRepository, EveryMessageIdHasATextInTheDefaultLanguage)
{
    for (const char* id : kMessageIds) {
        auto m = dqos::lookupMessage("DC@F23", id, "ENG");
        ASSERT_TRUE(m.has_value()) << id;
        EXPECT_EQ(m->language, "ENG") << id;
        EXPECT_FALSE(m->text.empty()) << id;
    }
    for (unsigned long n : kNumbered)
        EXPECT_NE(SMSG_pszGetMessage(n, 0), nullptr) << n;
}

TEST_F(SampleRepository, EveryMessageIdIssuedInTheCodeHasAText)
{
    std::regex idPattern("\"(DCM|PRC)([0-9]{4})\"");
    std::set<std::string> issued;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(DQOV_SOURCE_DIR) + "/src")) {
        if (!entry.is_regular_file())
            continue;
        const std::string text = testsupport::readFile(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), idPattern), end; it != end; ++it)
            issued.insert((*it)[1].str() + (*it)[2].str());
    }
    for (const std::string& id : issued)
        EXPECT_TRUE(dqos::lookupMessage("DC@F23", id, "ENG").has_value()) << id;
}

TEST_F(SampleRepository, NumberedFormatsTakeNoMoreValuesThanCallersPass)
{
    // 180 carries one text, 181 one location, 251 a routine name and a number.
    EXPECT_STREQ(SMSG_pszGetMessage(181, 0), "SQL Error at location %s");
    EXPECT_STREQ(SMSG_pszGetMessage(180, 0), "%s");
    char captured[256];
    SMSG_RedirectMsgs(captured, sizeof captured);
    EXPECT_EQ(SMSG_sGetMessage(nullptr, 251, 16384, 0, 1, "QBIDEN_Report", 68), 0);
    EXPECT_EQ(SMSG_sGetMessage(nullptr, 180, 16384, 0, 1, "PAINTER: Command=QBID xACT=QBID"), 0);
    EXPECT_EQ(SMSG_sGetMessage(nullptr, 4711, 16384, 0, 1, "x"), 1);
    SMSG_RedirectMsgs(nullptr, 0);
    EXPECT_STREQ(captured, "Routine QBIDEN_Report received an unexpected reply 68 from the painter.\n"
                           "PAINTER: Command=QBID xACT=QBID");
}

}  // namespace

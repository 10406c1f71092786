// The field texts kept for a unit of work: kept only inside a unit, found
// under the names as the repository compares them, dropped when the unit's
// number moves on (a write to the texts, a new unit).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "dem_run_context.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/kept_field_texts.h"

namespace {

struct KeptFieldTexts : DemRunContext {
    static void exec(const char* sql)
    {
        SSQL_AREA a;
        ASSERT_EQ(SSQL_DeclareExt(&a, sql), SSQL_RC_OK) << sql;
        SSQL_SQLDA* h = nullptr;
        ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK) << sql << ": " << SSQL_pszLastError();
        SMEM_FreeMem(h);
    }
    static std::string kept(const char* partition, const char* field, const char* language)
    {
        const std::string* texts = defs::FindKeptFieldTexts(partition, field, language);
        return texts ? "[" + *texts + "]" : "none";
    }
};

TEST_F(KeptFieldTexts, KeptForTheUnitTheyWereReadIn)
{
    // 15 + 3 * 20 + 40 characters
    const std::string stored =
        std::string("Label", 5) + std::string(10, ' ') + std::string(60, 'h') + "Description" + std::string(29, ' ');
    ASSERT_EQ(stored.size(), 115u);

    exec("COMMIT WORK");
    defs::KeepFieldTexts("DEM", "CUSTNO", "ENG", stored.c_str());
    EXPECT_EQ(kept("DEM", "CUSTNO", "ENG"), "none") << "outside a unit nothing is kept";

    exec("BEGIN WORK");
    defs::KeepFieldTexts("DEM", "CUSTNO", "ENG", stored.c_str());
    defs::KeepFieldTexts("DEM", "CUSTNO", "FRA", nullptr);
    EXPECT_EQ(kept("DEM", "CUSTNO", "ENG"), "[" + stored + "]");
    EXPECT_EQ(kept("DEM ", "CUSTNO    ", "ENG "), "[" + stored + "]") << "trailing blanks are not compared";
    EXPECT_EQ(kept("DEM", std::string("CUSTNO\0X", 8).c_str(), "ENG"), "[" + stored + "]");
    EXPECT_EQ(kept("DEM", "CUSTNO", "FRA"), "[]") << "the read found none";
    EXPECT_EQ(kept("DEM", "CUSTN", "ENG"), "none");
    EXPECT_EQ(kept("DEM", "CUSTNO", "DEU"), "none");
    EXPECT_EQ(kept("XYZ", "CUSTNO", "ENG"), "none");

    // a write to the texts, even one that leaves them as they are, drops
    // everything kept
    exec("UPDATE QV_DTA.QV_FTX SET FTXLBL = FTXLBL WHERE FTXP_I = 'DEM' AND FTXFLD = 'CUSTNO'");
    EXPECT_EQ(kept("DEM", "CUSTNO", "ENG"), "none");
    EXPECT_EQ(kept("DEM", "CUSTNO", "FRA"), "none");

    defs::KeepFieldTexts("DEM", "CUSTNO", "ENG", stored.c_str());
    exec("COMMIT WORK");
    exec("BEGIN WORK");
    EXPECT_EQ(kept("DEM", "CUSTNO", "ENG"), "none") << "a new unit reads afresh";
    exec("COMMIT WORK");
}

// The definition of a field and the layouts' texts take the same kept row;
// a write of the texts in the unit reaches the read that follows it.
TEST_F(KeptFieldTexts, DefinitionReadsTheTextsOnceAUnit)
{
    exec("BEGIN WORK");
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, "CUSTNO", 6);
    FFC_FIELD_TEXT text;
    char local = '?';
    ASSERT_EQ(Get_Function_Field(&ctx, &local, &def, &text, nullptr), '0');
    EXPECT_EQ(std::string(text.acLabel, 15), "Customer no.   ");
    EXPECT_EQ(std::string(text.acColumnHeadings[0], 20), "Customer" + std::string(12, ' '));
    EXPECT_EQ(std::string(text.acColumnHeadings[1], 20), "number" + std::string(14, ' '));
    EXPECT_EQ(std::string(text.acColumnHeadings[2], 20), std::string(20, ' '));
    EXPECT_EQ(std::string(text.acDescription, 40), "Customer number" + std::string(25, ' '));
    // the row the definition read is kept, as stored: label, headings, description
    EXPECT_EQ(kept("DEM", "CUSTNO", "ENG"), "[Customer no.   Customer            number              " +
                                                std::string(20, ' ') + "Customer number" + std::string(25, ' ') + "]");
    exec("UPDATE QV_DTA.QV_FTX SET FTXLBL = 'Client' WHERE FTXP_I = 'DEM' AND FTXFLD = 'CUSTNO'");
    EXPECT_EQ(kept("DEM", "CUSTNO", "ENG"), "none") << "the write dropped the kept row";
    exec("ROLLBACK WORK");
}

}  // namespace

// Field attribute checks, attribute codes, derived texts, the multilingual
// field texts of the layouts and the double-byte adjustment switches.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/workfile.h"
#include "params/field_texts.h"
#include "params_env.h"

namespace {

// The description switch is off for this process; the variables are read
// once, before the first test runs.
const bool kEnvironment = [] {
    setenv("X_ENV_ADJUST_DBCS_DESCS", "no", 1);
    unsetenv("X_ENV_ADJUST_DBCS_LABELS");
    unsetenv("X_ENV_ADJUST_DBCS_COLHDGS");
    unsetenv("X_ENV_ADJUST_DBCS_TEXTS");
    return true;
}();

using Msgs = std::vector<std::pair<std::string, std::string>>;

class FieldCheck : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ready()); }
    // The first work record of CUSTNO's texts in `language`; false when none.
    bool CustnoTextRecord(const char* language, FFC_WORK_RECORD& rec)
    {
        WF_BlankRecord(&env.ctx, &rec);
        std::memcpy(rec.acKind, "MFLD_3109 ", 10);
        std::memcpy(rec.acName, "CUSTNO", 6);
        std::memcpy(rec.acQualifier, language, 3);
        return WF_cReadFirst(&env.ctx, 1, &rec, 3) == '0';
    }
    int16_t Attributes(const char* name, char type, char shift, int32_t len, int32_t dec, char edit = ' ',
                       const char* word = "", char control = 'N')
    {
        char entry[10], editWord[24];
        std::memset(entry, ' ', 10);
        std::memcpy(entry, name, std::strlen(name));
        std::memset(editWord, ' ', 24);
        std::memcpy(editWord, word, std::strlen(word));
        std::string flags(60, 'N');
        flags[50] = 'o';
        flags[51] = 'x';
        width = -1;
        std::memset(image, 0, sizeof image);
        resolved = '?';
        valid = false;
        return FLDCHK_sCheckFieldAttributes(&env.ctx, entry, type, shift, len, dec, edit, editWord, &width, image,
                                            &resolved, &valid, 'D', kQueue, control, flags.data());
    }
    std::string Image() const
    {
        std::string s(image, 256);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
    int16_t Codes(char type, int32_t len, const char* input, const char* output = "")
    {
        char entry[10];
        std::memset(entry, ' ', 10);
        return FLDCHK_sCheckNameCharacters(&env.ctx, entry, type, static_cast<int16_t>(std::strlen(input) / 4), input,
                                           static_cast<int16_t>(std::strlen(output) / 4), output, &valid, kQueue, len,
                                           &control, &number);
    }

    ParamsEnv env;
    int32_t width = 0;
    char image[256];
    char resolved = ' ', control = ' ';
    bool valid = false;
    int16_t number = 0;
};

TEST_F(FieldCheck, AlphanumericFields)
{
    ASSERT_EQ(Attributes("CUSTNAM", 'A', ' ', 30, 0), 0);
    EXPECT_TRUE(valid);
    EXPECT_EQ(width, 30);
    EXPECT_EQ(resolved, 'A');
    EXPECT_EQ(Image(), "");
    ASSERT_EQ(Attributes("CUSTNAM", 'A', 'X', 20, 0, ' ', "", 'B'), 0);
    EXPECT_EQ(width, 24) << "push button";
    ASSERT_EQ(Attributes("CUSTNAM", 'A', ' ', 20, 0, ' ', "", 'D'), 0);
    EXPECT_EQ(width, 25) << "drop-down";
    ASSERT_EQ(Attributes("CUSTSTS", 'A', ' ', 1, 0, ' ', "", 'R'), 0);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(Image(), "<o>");
    ASSERT_EQ(Attributes("CUSTSTS", 'A', ' ', 1, 0, ' ', "", 'X'), 0);
    EXPECT_EQ(Image(), "<x>");
    EXPECT_EQ(env.Take(), Msgs{});

    EXPECT_EQ(Attributes("CUSTNAM", 'A', ' ', 300, 0), 1);
    EXPECT_FALSE(valid);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0501", "CUSTNAM   "}}));
    EXPECT_EQ(Attributes("CUSTNAM", 'A', ' ', 0, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0501", "CUSTNAM   "}}));
    EXPECT_EQ(Attributes("CUSTNAM", 'A', ' ', 30, 2), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0502", "CUSTNAM   "}}));
    EXPECT_EQ(Attributes("CUSTNAM", 'A', ' ', 30, 0, '1'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0503", "CUSTNAM   "}}));
    EXPECT_EQ(Attributes("CUSTNAM", 'A', ' ', 30, 0, ' ', "XXXX"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0503", "CUSTNAM   "}}));
    EXPECT_EQ(Attributes("CUSTNAM", 'A', 'Q', 30, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0044", "Q"}}));
    EXPECT_EQ(Attributes("CUSTNAM", 'A', 'S', 30, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0045", "S"}}));
    EXPECT_EQ(Attributes("CUSTNAM", 'A', 'J', 30, 0), 1) << "a double-byte shift in a single-byte run";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0047", "J"}}));
}

TEST_F(FieldCheck, NumericFieldsAndEditMasks)
{
    ASSERT_EQ(Attributes("CREDIT", 'P', ' ', 11, 2, '1'), 0);
    EXPECT_EQ(Image(), "999,999,999.99");
    EXPECT_EQ(width, 14);
    EXPECT_EQ(resolved, 'Y');
    ASSERT_EQ(Attributes("CUSTNO", 'S', 'N', 7, 0, 'J'), 0);
    EXPECT_EQ(Image(), "9,999,999-");
    EXPECT_EQ(resolved, 'N');
    ASSERT_EQ(Attributes("CUSTNO", 'S', ' ', 7, 0, 'l'), 0) << "the code in lower case";
    EXPECT_EQ(Image(), "9999999-");
    ASSERT_EQ(Attributes("CUSTNO", 'P', ' ', 7, 0), 0);
    EXPECT_EQ(Image(), "9999999");
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 5, 2, 'A'), 0);
    EXPECT_EQ(Image(), "999.99CR");
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 7, 2, 'N'), 0) << "leading minus";
    EXPECT_EQ(Image(), "-99,999.99");
    EXPECT_EQ(width, 10);
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 5, 0, 'Q'), 0);
    EXPECT_EQ(Image(), "-99999");
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 11, 2, 'Z'), 0) << "no sign, no separator, no decimal point";
    EXPECT_EQ(Image(), "99999999999");
    EXPECT_EQ(width, 11);
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 3, 3, '3'), 0);
    EXPECT_EQ(Image(), "0.999");
    ASSERT_EQ(Attributes("DUEDATE", 'P', ' ', 6, 0, 'Y'), 0);
    EXPECT_EQ(Image(), "99/99/99");
    ASSERT_EQ(Attributes("DUEDATE", 'S', ' ', 8, 0, 'Y'), 0);
    EXPECT_EQ(Image(), "99/99/9999");
    ASSERT_EQ(Attributes("DUEDATE", 'S', ' ', 5, 0, 'Y'), 0);
    EXPECT_EQ(Image(), "9/99/99");
    env.ctx.cDecimalPoint = ',';
    ASSERT_EQ(Attributes("CREDIT", 'P', ' ', 11, 2, '1'), 0) << "decimal comma: points separate the thousands";
    EXPECT_EQ(Image(), "999.999.999,99");
    env.ctx.cDecimalPoint = '.';
    ASSERT_EQ(Attributes("CREDIT", 'P', ' ', 63, 0), 0);
    EXPECT_EQ(width, 63);
    EXPECT_EQ(env.Take(), Msgs{});

    EXPECT_EQ(Attributes("CREDIT", 'P', 'A', 11, 2), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0046", "A"}}));
    EXPECT_EQ(Attributes("CREDIT", 'P', ' ', 11, 2, '#'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0504", "CREDIT    #"}}));
    EXPECT_EQ(Attributes("CREDIT", 'P', ' ', 11, 2, '5'), 1) << "no user-defined codes";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0504", "CREDIT    5"}}));
    EXPECT_EQ(Attributes("CREDIT", 'P', ' ', 11, 2, '1', "  ,  "), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0505", "CREDIT    "}}));
    EXPECT_EQ(Attributes("DUEDATE", 'P', ' ', 6, 2, 'Y'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0507", "DUEDATE   Y"}}));
    EXPECT_EQ(Attributes("DUEDATE", 'P', ' ', 9, 0, 'Y'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0507", "DUEDATE   Y"}}));
    EXPECT_EQ(Attributes("CREDIT", 'P', ' ', 0, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0501", "CREDIT    "}}));
    EXPECT_EQ(Attributes("CREDIT", 'S', ' ', 64, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0501", "CREDIT    "}}));
    EXPECT_EQ(Attributes("CREDIT", 'P', ' ', 7, 8), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0502", "CREDIT    "}}));
    EXPECT_EQ(Attributes("CREDIT", 'P', ' ', 7, -1), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0502", "CREDIT    "}}));
}

TEST_F(FieldCheck, EditWords)
{
    ASSERT_EQ(Attributes("CREDIT", 'P', ' ', 11, 2, ' ', "   ,   ,   .  -"), 0);
    EXPECT_EQ(Image(), "999,999,999.99-");
    EXPECT_EQ(width, 15);
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 5, 2, ' ', "  0.  &CR"), 0)
        << "the zero ends suppression and is a digit; & shows a blank";
    EXPECT_EQ(Image(), "999.99 CR");
    EXPECT_EQ(width, 9);
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 5, 2, ' ', "*  .  "), 0) << "asterisk fill";
    EXPECT_EQ(Image(), "999.99");
    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 4, 0, ' ', "0 0 0"), 0) << "only the first zero is a digit";
    EXPECT_EQ(Image(), "990909");
    EXPECT_EQ(env.Take(), Msgs{});

    ASSERT_EQ(Attributes("AMOUNT", 'P', ' ', 6, 2, ' ', "   .  "), 0) << "the padding gives the last digit";
    EXPECT_EQ(Image(), "999.999");
    EXPECT_EQ(env.Take(), Msgs{});
    EXPECT_EQ(Attributes("CREDIT", 'P', ' ', 20, 2, ' ', "  ,   ,   ,   ,   .  "), 1)
        << "sixteen digit positions and two of padding for twenty digits";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0506", "CREDIT    +0000020"}}));
    EXPECT_EQ(Attributes("AMOUNT", 'P', ' ', 5, 2, ' ', "   ,   .  CR"), 1) << "eight digit positions for five";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0506", "AMOUNT    +0000005"}}));
}

TEST_F(FieldCheck, AttributeCodesAndControls)
{
    EXPECT_EQ(Codes('A', 20, "HI  RI  ", "UL  "), 0);
    EXPECT_EQ(control, 'N');
    EXPECT_EQ(Codes('A', 20, "PB05"), 0);
    EXPECT_EQ(control, 'B');
    EXPECT_EQ(number, 5);
    EXPECT_EQ(Codes('A', 1, "RB10"), 0);
    EXPECT_EQ(control, 'R');
    EXPECT_EQ(number, 10);
    EXPECT_EQ(Codes('A', 40, "DDAB"), 0);
    EXPECT_EQ(control, 'D');
    EXPECT_EQ(Codes('A', 1, "CBOX"), 0);
    EXPECT_EQ(control, 'X');
    EXPECT_EQ(env.Take(), Msgs{});
    EXPECT_EQ(Codes('P', 5, "PB05"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM1274", "PB05"}}));
    EXPECT_EQ(Codes('A', 61, "PB05"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM1274", "PB05"}}));
    EXPECT_EQ(Codes('A', 2, "RB10"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM1275", "RB10"}}));
    EXPECT_EQ(Codes('A', 80, "DDAB"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM1276", "DDAB"}}));
    EXPECT_EQ(Codes('A', 2, "CBOX"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM1277", "CBOX"}}));
    EXPECT_EQ(Codes('A', 10, "ZZZZ"), 1);
    EXPECT_FALSE(valid);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0601", "ZZZZ"}}));
    EXPECT_EQ(Codes('A', 10, "HI  HI  "), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0602", "HI  "}}));
    EXPECT_EQ(Codes('A', 10, "SBIN"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0603", "SBIN"}}));
    EXPECT_EQ(Codes('P', 10, "", "LC  "), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0603", "LC  "}}));
}

TEST(FieldTexts, DerivedFromTheReferenceOrTheName)
{
    FFC_FIELD_TEXT ref, text;
    std::memset(&ref, ' ', sizeof ref);
    std::memset(&text, ' ', sizeof text);
    std::memcpy(ref.acLabel, "Credit limit", 12);
    std::memcpy(text.acDescription, "Own description", 15);
    FLDTXT_DeriveFieldTexts("NEWCRED   ", &ref, &text);
    EXPECT_EQ(std::string(text.acLabel, 15), "Credit limit   ");
    EXPECT_EQ(std::string(text.acDescription, 15), "Own description");
    EXPECT_EQ(std::string(text.acColumnHeadings[0], 20), "NEWCRED             ") << "no heading anywhere";
    std::memset(&text, ' ', sizeof text);
    FLDTXT_DeriveFieldTexts("NEWCRED   ", nullptr, &text);
    EXPECT_EQ(std::string(text.acLabel, 15), "NEWCRED        ");
    EXPECT_EQ(std::string(text.acDescription, 7), "NEWCRED");
}

TEST_F(FieldCheck, MultilingualFieldTextsAndTheirWorkRecords)
{
    int32_t r[7];
    std::fill(std::begin(r), std::end(r), -1);
    ASSERT_EQ(P8061_sGetMultilingualFieldTexts(&env.ctx, "#CUSTNO   ", &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6],
                                               kQueue),
              0);
    EXPECT_EQ(std::vector<int32_t>(r, r + 7), (std::vector<int32_t>{12, 8, 6, 0, 8, 2, 15}));
    FFC_WORK_RECORD rec;
    ASSERT_TRUE(CustnoTextRecord("ENG", rec));
    EXPECT_EQ(std::string(rec.acData + 2, 15), "Customer no.   ");
    EXPECT_EQ(std::string(rec.acData + 24, 20), "Customer            ");
    EXPECT_EQ(std::string(rec.acData + 45, 20), "number              ");
    EXPECT_EQ(std::string(rec.acData + 66, 20), std::string(20, ' '));
    EXPECT_EQ(std::string(rec.acData + 90, 40), "Customer number" + std::string(25, ' '));
    ASSERT_EQ(P8061_sGetMultilingualFieldTexts(&env.ctx, "CUSTNO    ", &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6],
                                               kQueue),
              0);
    EXPECT_NE(WF_cReadNext(&env.ctx, 1, &rec, 3), '0') << "a second call replaces the record";

    ASSERT_EQ(P8061_sGetMultilingualFieldTexts(&env.ctx, "NOTEXTS   ", &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6],
                                               kQueue),
              1);
    EXPECT_EQ(std::vector<int32_t>(r, r + 7), std::vector<int32_t>(7, 0));
}

// The texts are read once a unit of work; a write of the connection to the
// languages or the texts, or a new unit, has them read again.
TEST_F(FieldCheck, MultilingualFieldTextsFollowTheRepositoryWrites)
{
    const auto exec = [](const char* sql) {
        SSQL_AREA a;
        ASSERT_EQ(SSQL_DeclareExt(&a, sql), SSQL_RC_OK) << sql;
        SSQL_SQLDA* h = nullptr;
        ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK) << sql << ": " << SSQL_pszLastError();
        SMEM_FreeMem(h);
    };
    const auto widths = [this] {
        int32_t r[7];
        std::fill(std::begin(r), std::end(r), -1);
        EXPECT_EQ(P8061_sGetMultilingualFieldTexts(&env.ctx, "CUSTNO    ", &r[0], &r[1], &r[2], &r[3], &r[4], &r[5],
                                                   &r[6], kQueue),
                  0);
        return std::vector<int32_t>(r, r + 7);
    };
    const std::vector<int32_t> stored{12, 8, 6, 0, 8, 2, 15};
    exec("BEGIN WORK");
    EXPECT_EQ(widths(), stored);
    EXPECT_EQ(widths(), stored);
    exec("UPDATE QV_DTA.QV_FTX SET FTXLBL = 'Customer' WHERE FTXP_I = 'DEM' AND FTXFLD = 'CUSTNO'");
    EXPECT_EQ(widths(), (std::vector<int32_t>{8, 8, 6, 0, 8, 2, 15}));
    // a second language: its texts widen the label, first heading and description
    exec("INSERT INTO QV_DTA.QV_F60 (X60P_I, X60PLN) VALUES ('DEM', 'FRA')");
    exec("INSERT INTO QV_DTA.QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES "
         "('DEM', 'CUSTNO', 'FRA', 'No. du client', 'Numero du', 'client', '', 'Numero du client')");
    EXPECT_EQ(widths(), (std::vector<int32_t>{13, 9, 6, 0, 9, 2, 16}));
    FFC_WORK_RECORD rec;
    ASSERT_TRUE(CustnoTextRecord("FRA", rec));
    EXPECT_EQ(std::string(rec.acData + 2, 15), "No. du client  ");
    EXPECT_EQ(std::string(rec.acData + 90, 40), "Numero du client" + std::string(24, ' '));
    exec("ROLLBACK WORK");
    EXPECT_EQ(widths(), stored) << "the next unit reads the repository as it stands";
    exec("COMMIT WORK");
}

TEST(DesignAdjust, SwitchesByRunAndEnvironment)
{
    int32_t c = -1, l = -1, d = -1, t = -1, x[6] = {-1, -1, -1, -1, -1, -1};
    GetDesignAdjustAttributes(0, 1, 0, &c, &l, &d, &t, &x[0], &x[1], &x[2], &x[3], &x[4], &x[5]);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(l, 1);
    EXPECT_EQ(d, 0) << "X_ENV_ADJUST_DBCS_DESCS=no";
    EXPECT_EQ(t, 1);
    EXPECT_EQ(std::vector<int32_t>(x, x + 6), std::vector<int32_t>(6, 0));
    setenv("X_ENV_ADJUST_DBCS_LABELS", "N", 1);
    GetDesignAdjustAttributes(0, 1, 0, &c, &l, &d, &t, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(l, 1) << "the variables are read once per process";
    unsetenv("X_ENV_ADJUST_DBCS_LABELS");
    GetDesignAdjustAttributes(1, 1, 0, &c, &l, &d, &t, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(c + l + d + t, 0) << "component run";
    GetDesignAdjustAttributes(0, 1, 1, &c, &l, &d, &t, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(c + l + d + t, 0) << "both other values set";
    GetDesignAdjustAttributes(0, 0, 1, &c, &l, &d, &t, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(c + l + t, 3);

    FFC_CONTEXT ctx{};
    ctx.lFunctionRun = 1;
    P8061_GetSessionDesignAdjustAttributes(&ctx, &c, &l, &d, &t);
    EXPECT_EQ(c, 1);
    ctx.lLanguageLevelTwo = 1;
    P8061_GetSessionDesignAdjustAttributes(&ctx, &c, &l, &d, &t);
    EXPECT_EQ(c, 0);
}

}  // namespace

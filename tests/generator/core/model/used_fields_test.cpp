// Look-ups in the checker's used-field records: the index symbols of
// fields, literals and system variables, the national name character, the
// generation flag, mangled file fields, and the set-up's users of them (the
// two system fields and the report slots).
#include "generator/core/gen_fixture.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "generator/core/model/used_fields.h"
#include "generator/expressions/expr_core_services.h"

namespace gencore_test {
namespace {

class UsedFields : public GenFixture {
protected:
    std::string symbol(const std::string& name) { return P3109_UsedFieldSymbol(name, name.size()); }
};

TEST_F(UsedFields, FieldsLiteralsAndSystemVariablesGetTheirIndexSymbols)
{
    useField("ABC", "FL", "ABC");
    useField("#CUSTNO", "FL", "CUSTNO"); /* kept under the operand as written */
    useField("*DATE", "SV", "");
    useField("'X'", "AL", "", 'Y', {{25, "007"}});
    useField("12", "NL", "", 'Y', {{25, "012"}});
    useField("#CUST.NAME", "FL", "NAME", 'Y', {{28, "R"}, {29, "CUST.NAME"}});
    useField("#NOGEN", "FL", "NOGEN", 'N');
    setUp();

    GEN_FIELD_INFO info;
    ASSERT_EQ(P3109_sGetUsedField("#abc", 1, info, 4), 0);
    EXPECT_EQ(info.vectorName, "V_FIELD_ABC");
    EXPECT_EQ(info.localName, "fABC");
    EXPECT_EQ(std::string(info.acKind, 2), "FL");
    EXPECT_EQ(symbol("CUSTNO"), "V_FIELD_CUSTNO");
    EXPECT_EQ(symbol("#CUSTNO"), "V_FIELD_CUSTNO");
    ASSERT_EQ(P3109_sGetUsedField("*DATE", 1, info, 5), 0);
    EXPECT_EQ(info.vectorName, "V_SV_DATE");
    EXPECT_EQ(info.localName, "vDATE");
    EXPECT_EQ(symbol("'X'"), "V_ALPHA_LITERAL_007");
    EXPECT_EQ(symbol("12"), "V_NUMERIC_LITERAL_012");
    EXPECT_EQ(symbol("#CUST.NAME"), "V_FIELD_CUST_NAME");
    /* the name is taken with its length only */
    EXPECT_EQ(P3109_UsedFieldSymbol("ABCDEF", 3), "V_FIELD_ABC");

    GEN_FIELD_INFO untouched;
    untouched.vectorName = "kept";
    EXPECT_EQ(P3109_sGetUsedField("#NOGEN", 1, untouched), 1);
    EXPECT_EQ(untouched.vectorName, "kept");
    EXPECT_EQ(P3109_sGetUsedField("#NOSUCH", 0, untouched), 1);
    EXPECT_EQ(symbol("#NOSUCH"), "V_NOT_AVAILABLE");
}

TEST_F(UsedFields, ALookUpSeesRecordsAndDefinitionsMadeAfterAnEarlierOne)
{
    useField("#SIZED", "FL", "SIZED");
    defineField("SIZED", 'A', 10, 0);
    setUp();
    GEN_FIELD_INFO info;
    EXPECT_EQ(P3109_sGetUsedField("#LATE", 1, info), 1);
    ASSERT_EQ(P3109_sGetUsedField("#SIZED", 1, info), 0);
    EXPECT_EQ(info.lLength, 10);

    useField("#LATE", "FL", "LATE");
    ASSERT_EQ(P3109_sGetUsedField("#LATE", 1, info), 0);
    EXPECT_EQ(info.vectorName, "V_FIELD_LATE");
    defineField("SIZED", 'A', 25, 0);
    ASSERT_EQ(P3109_sGetUsedField("#SIZED", 1, info), 0);
    EXPECT_EQ(info.lLength, 25);
}

TEST_F(UsedFields, ARecordsDescriptionIsSharedWhileHeldAndMadeAnewForOtherBytesOrDefinitions)
{
    useField("#OTHER", "FL", "OTHER");
    useField("#SIZED", "FL", "SIZED");
    /* a default routine's value item: reference kind 3, routine 12 */
    useField("#WITHDFT", "FL", "WITHDFT", 'Y', {{49, std::string("\x03N0000012", 9)}});
    defineField("OTHER", 'A', 5, 0);
    defineField("SIZED", 'A', 10, 0);
    defineField("WITHDFT", 'A', 3, 0);
    setUp();
    std::vector<FFC_WORK_RECORD> records;
    P3109_ForEachGeneratedUse(P3109_Context(), GEN_SLOT_SECTIONS,
                              [&](const FFC_WORK_RECORD& r) { records.push_back(r); });
    ASSERT_EQ(records.size(), 3u); /* in the order of their names */
    const FFC_WORK_RECORD &other = records[0], &sized = records[1], &withDefault = records[2];

    std::shared_ptr<const GEN_FIELD_INFO> first = P3109_DescribeUse(sized);
    EXPECT_EQ(first->vectorName, "V_FIELD_SIZED");
    EXPECT_EQ(first->lLength, 10);
    EXPECT_EQ(P3109_DescribeUse(sized).get(), first.get());
    EXPECT_NE(P3109_DescribeUse(other).get(), first.get());
    EXPECT_EQ(P3109_DescribeUse(other)->lLength, 5);
    /* a look-up by name finds the same description */
    EXPECT_EQ(P3109_pFindUsedField("#SIZED", GEN_SLOT_LOOKUP), first.get());

    /* the use count is no part of a description; the value item is */
    FFC_WORK_RECORD counted = sized;
    std::memcpy(counted.acData + offsetof(WR_USEFIELD_DATA, acUseCount), "0000099", 7);
    EXPECT_EQ(P3109_DescribeUse(counted).get(), first.get());
    EXPECT_TRUE(first->defaultValue.empty());
    const std::shared_ptr<const GEN_FIELD_INFO> defaulted = P3109_DescribeUse(withDefault);
    EXPECT_EQ(defaulted->defaultValue, std::string("\x03N0000012", 9));

    /* a changed definition gives a new description; the one held stays */
    defineField("SIZED", 'A', 25, 0);
    const std::shared_ptr<const GEN_FIELD_INFO> changed = P3109_DescribeUse(sized);
    EXPECT_NE(changed.get(), first.get());
    EXPECT_EQ(changed->lLength, 25);
    EXPECT_EQ(first->lLength, 10);
    EXPECT_EQ(P3109_DescribeUse(sized).get(), changed.get());
}

TEST_F(UsedFields, ARecordsNameIsReadWholeUpToItsTrailingBlanks)
{
    useField("#SIZED", "FL", "SIZED");
    defineField("SIZED", 'A', 10, 0);
    setUp();
    std::vector<FFC_WORK_RECORD> records;
    P3109_ForEachGeneratedUse(P3109_Context(), GEN_SLOT_SECTIONS,
                              [&](const FFC_WORK_RECORD& r) { records.push_back(r); });
    ASSERT_EQ(records.size(), 1u);
    const FFC_WORK_RECORD& sized = records[0];
    const std::shared_ptr<const GEN_FIELD_INFO> first = P3109_DescribeUse(sized);

    /* a byte past a run of blanks longer than a word, at the name's last
       place or just before a word's end, makes another name */
    for (const size_t at : {size_t{FFC_WORK_NAME_LEN - 1}, size_t{39}, size_t{16}, size_t{8}}) {
        FFC_WORK_RECORD marked = sized;
        marked.acName[at] = 'X';
        EXPECT_NE(P3109_DescribeUse(marked).get(), first.get()) << at;
    }
    /* a name of all blanks differs from the name with one letter */
    FFC_WORK_RECORD blank = sized;
    std::memset(blank.acName, ' ', FFC_WORK_NAME_LEN);
    FFC_WORK_RECORD letter = blank;
    letter.acName[0] = '#';
    EXPECT_NE(P3109_DescribeUse(blank).get(), P3109_DescribeUse(letter).get());
    /* the same bytes are the same record */
    FFC_WORK_RECORD copy = sized;
    EXPECT_EQ(P3109_DescribeUse(copy).get(), first.get());
}

TEST_F(UsedFields, AWalkOfGeneratedUsesTakesTheClassAskedForAndHandsOverWholeRecords)
{
    /* a mark far into the data of each record: the walk reads a record's
       flag and class first, the whole record only when it takes it */
    useField("#AAA", "FL", "AAA", 'Y', {{838, "F"}, {2000, "AAA-END"}});
    useField("#BBB", "FL", "BBB", 'N', {{2000, "BBB-END"}});
    useField("'X'", "AL", "", 'Y', {{25, "007"}, {2000, "X-END"}});
    useField("#CCC", "FL", "CCC", 'Y', {{2000, "CCC-END"}});
    setUp();
    const auto walk = [](const char* cls) {
        std::vector<std::string> seen;
        P3109_ForEachGeneratedUse(
            P3109_Context(), GEN_SLOT_SECTIONS,
            [&](const FFC_WORK_RECORD& r) {
                seen.push_back(std::string(r.acName, 4) + " " + r.acData[838] + " " + std::string(r.acData + 2000, 7));
            },
            cls);
        return seen;
    };
    /* in the order of the names ('#' before '\''); #BBB is not generated */
    EXPECT_EQ(walk("FL"), (std::vector<std::string>{"#AAA F AAA-END", "#CCC   CCC-END"}));
    EXPECT_EQ(walk("AL"), (std::vector<std::string>{"'X'    X-END  "}));
    EXPECT_EQ(walk("NL"), std::vector<std::string>{});
    EXPECT_EQ(walk(nullptr), (std::vector<std::string>{"#AAA F AAA-END", "#CCC   CCC-END", "'X'    X-END  "}));
}

TEST_F(UsedFields, MangledFileFieldStandsForItsFileField)
{
    int32_t value = 4711;
    std::string bytes(reinterpret_cast<const char*>(&value), 4);
    useField("#ORDNO01", "FL", "ORD-NO", 'Y', {{838, "F"}, {840, "0001"}, {844, bytes}});
    setUp();
    GEN_FIELD_INFO info;
    ASSERT_EQ(P3109_sGetUsedField("#ORDNO01", 1, info), 0);
    EXPECT_TRUE(info.fMangled);
    EXPECT_EQ(info.vectorName, "V_FIELD_ORD_NO");
    EXPECT_EQ(info.lMangledValue, 4711);
}

TEST_F(UsedFields, AHeldDescriptionIsTheCopiedOneAndOutlivesLaterChanges)
{
    useField("#SIZED", "FL", "SIZED");
    useField("#NOGEN", "FL", "NOGEN", 'N');
    useField("*DATE", "SV", "");
    defineField("SIZED", 'A', 10, 0);
    setUp();

    const std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldUsedField("#SIZED", GEN_SLOT_LOOKUP);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->vectorName, "V_FIELD_SIZED");
    EXPECT_EQ(held->lLength, 10);
    EXPECT_EQ(std::string(held->acKind, 2), "FL");
    /* the name is cut at its width as the copying look-up cuts it */
    EXPECT_EQ(P3109_HoldOperandField("#SIZEDXYZ", 6), held);
    /* none where the copying look-up answers 1: not generated, unknown,
       or no name at all */
    EXPECT_EQ(P3109_HoldUsedField("#NOGEN", GEN_SLOT_LOOKUP), nullptr);
    EXPECT_EQ(P3109_HoldUsedField("#NOSUCH", GEN_SLOT_LOOKUP), nullptr);
    EXPECT_EQ(P3109_HoldOperandField(" SIZED"), nullptr);
    EXPECT_EQ(P3109_HoldOperandField(""), nullptr);
    ASSERT_NE(P3109_HoldOperandField("*DATE", 5), nullptr);
    EXPECT_EQ(P3109_HoldOperandField("*DATE", 5)->vectorName, "V_SV_DATE");

    /* a changed definition makes later look-ups see the new length; the
       description held stays as it was */
    defineField("SIZED", 'A', 25, 0);
    GEN_FIELD_INFO copied;
    ASSERT_EQ(P3109_sGetUsedField("#SIZED", GEN_SLOT_LOOKUP, copied), 0);
    EXPECT_EQ(copied.lLength, 25);
    EXPECT_EQ(P3109_HoldUsedField("#SIZED", GEN_SLOT_LOOKUP)->lLength, 25);
    EXPECT_EQ(held->lLength, 10);
    EXPECT_EQ(held->vectorName, "V_FIELD_SIZED");
}

TEST_F(UsedFields, SetUpNamesTheSystemFieldsItFinds)
{
    /* the third name character of the run maps to 'd' in identifiers */
    useField("IO$MDE", "FL", "IO$MDE");
    setUp();
    EXPECT_EQ(P3109_State().ioModeField, "V_FIELD_IOdMDE");
    EXPECT_EQ(P3109_State().cursorLocationField, "V_NOT_AVAILABLE");
}

TEST_F(UsedFields, ReportSlotsResolveTheFieldsTheirParametersName)
{
    useField("#RETLEN", "FL", "RETLEN");
    useField("#COPIES", "FL", "COPIES");
    std::map<size_t, std::string> report = {{4, "QSYSPRT"},    {77, "Y"},      {129, "*FILE"},   {141, "#COPIES"},
                                            {153, "#NOTUSED"}, {165, "*NONE"}, {215, "#RETLEN"}, {225, "*NONE"}};
    writeRecord("$DRINF", "1", "", report);
    setUp();
    const GEN_REPORT_SLOT& s = P3109_Definitions().reports[0];
    EXPECT_EQ(s.returnFields[0], "V_FIELD_RETLEN");
    for (size_t i = 1; i < 5; ++i)
        EXPECT_EQ(s.returnFields[i], "V_NOT_AVAILABLE") << i;
    EXPECT_EQ(s.fileFields[0], "V_NOT_AVAILABLE");
    EXPECT_EQ(s.fileFields[1], "V_FIELD_COPIES");
    EXPECT_EQ(s.fileFields[2], "V_NOT_AVAILABLE");
    EXPECT_EQ(s.field165, "V_NOT_AVAILABLE");
    EXPECT_EQ(P3109_Definitions().reports[1].returnFields[0], "V_NOT_AVAILABLE");
}

/* A record passed over by the walk for the releases is never one whose
** description is of a field released: records of every class, written as
** a literal, a system variable, a number or a name, naming a field of
** variable length or none, with the plain, extended or qualified marker. */
TEST_F(UsedFields, ARecordPassedOverForTheReleasesIsNeverDescribedAsVariableLength)
{
    defineField("VTXT", 'H', 100, 0);
    defineField("VBIN", '2', 50, 0);
    defineField("VCHR", '1', 80, 0);
    defineField("NAME", 'A', 20, 0);
    setUp();
    const auto released = [](const GEN_FIELD_INFO& f) {
        return f.cResolved != 'E' && (f.cType == 'H' || f.cType == '1' || f.cType == 'B' || f.cType == '2');
    };
    int passedOver = 0, releasedCount = 0, number = 0;
    for (const char* cls : {"FL", "AL", "NL", "SV", "UP"})
        for (const char* name : {"'X'", "'VTXT'", "VTXT", "VCHR", "*DATE", "*VBIN", "12", "NAME"})
            for (const char* field : {"", "VTXT", "VBIN", "NAME"})
                for (const char marker : {' ', 'E', 'R'}) {
                    FFC_WORK_RECORD r;
                    WF_BlankRecord(&ctx, &r);
                    std::memcpy(r.acKind, WR_USEFIELD, FFC_WORK_KIND_LEN);
                    std::memcpy(r.acName, name, std::strlen(name));
                    auto& d = *reinterpret_cast<WR_USEFIELD_DATA*>(r.acData);
                    std::memcpy(d.acClass, cls, 2);
                    std::memcpy(d.acFieldName, field, std::strlen(field));
                    d.cGenerate = 'Y';
                    d.cResolved = marker;
                    std::memcpy(d.acQualified, name, std::strlen(name));
                    const std::string digits = std::to_string(100 + number++ % 900);
                    std::memcpy(d.acLiteralNumber, digits.data(), 3);
                    const bool described = released(*P3109_DescribeUse(r));
                    releasedCount += described ? 1 : 0;
                    if (P3109_fMayBeReleased(r))
                        continue;
                    ++passedOver;
                    EXPECT_FALSE(described) << cls << " " << name << " field " << field << " marker " << marker;
                }
    /* neither half is empty: a numeric literal is always passed over, a
       field named by an unquoted alphanumeric literal is released */
    EXPECT_GT(passedOver, 0);
    EXPECT_GT(releasedCount, 0);
}

TEST_F(UsedFields, ExpressionWritersFindTheVectorNameOfAUsedField)
{
    useField("#CUSTNO", "FL", "CUSTNO");
    setUp();
    P3109_ExprWriter services;
    ExprFieldFacts facts;
    ASSERT_TRUE(services.Fields().FindField("#CUSTNO", facts));
    EXPECT_EQ(facts.vectorName, "V_FIELD_CUSTNO");
    EXPECT_FALSE(services.Fields().FindField("#OTHER", facts));
}

}  // namespace
}  // namespace gencore_test

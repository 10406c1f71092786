// What the check makes of keywords that name fields, labels, values and
// attributes: the uses it records for every keyword the command tables
// give a role, the labels of the action parameters, OPEN's option,
// SELECT_SQL's texts and column expressions, generated key values, the
// values of SET_MODE and NBR_KEYS, and the editing DEFINE and OVERRIDE
// give a field.
#include "checker_fixture.h"

#include <string>
#include <vector>

#include "checker/support_names.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/work_records.h"

using checker_test::CheckJob;
using checker_test::Lines;
using checker_test::Message;
using checker_test::OnLine;

namespace {

std::vector<std::string> Ids(const std::vector<std::string>& line)
{
    std::vector<std::string> ids;
    for (const std::string& m : line)
        ids.push_back(m.substr(0, 7));
    return ids;
}

// A field named only in a keyword is a used field of the function, with
// the line and command of that use: the generator finds it there.
TEST_F(CheckJob, FieldsNamedOnlyInKeywordsAreUsedFields)
{
    addFunction("DEMOIO", "KWUSE",
                {"FUNCTION OPTIONS(*DIRECT)",                                                           // 1
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) RETURN_RRN(#IORRN)",      // 2
                 "MESSAGE MSGTXT('Order &1') MSGDTA(#IOORDNO 'X') TYPE(*WINDOW) WINDOW_FLD(#IOCOMP)",   // 3
                 "DEF_LIST NAME(#KWL) FIELDS(#CUSTNO) TYPE(*BROWSE) PAGE_SIZE(#IOLINE) SEL_ENTRY(#IOSEQ)",  // 4
                 "DISPLAY FIELDS(#CUSTNO) CURSOR_LOC(#IOSUBL #IOQTY)",                                  // 5
                 "CALLCHECK FIELD(#CUSTNO) BY_CALLING(CHKPGM) PROG_PARM('ABC' 12)",                     // 6
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMST)) WHERE('CUSTNO > :IOLIMIT')",         // 7
                 "ENDSELECT",                                                                           // 8
                 "CALL PGM(KWPGM) PGM_LIB(KWLIB)",                                                      // 9
                 "RETURN"});
    prepare("DEMOIO", "KWUSE");
    run();
    EXPECT_TRUE(withId("PRC0056").empty());
    const std::pair<const char*, int32_t> uses[] = {{"#IORRN", 2},  {"#IOORDNO", 3}, {"#IOCOMP", 3}, {"#IOLINE", 4},
                                                    {"#IOSEQ", 4},  {"#IOSUBL", 5},  {"#IOQTY", 5},  {"'ABC'", 6},
                                                    {"12", 6},      {"#IOLIMIT", 7}, {"'KWPGM'", 9}, {"'KWLIB'", 9}};
    for (const auto& [name, line] : uses) {
        FFC_WORK_RECORD r;
        ASSERT_TRUE(record(WR_USEFIELD, name, r)) << name;
        const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
        EXPECT_EQ(std::string(data->acFirstLine, 7), std::string(7 - std::to_string(line).size(), '0') +
                                                         std::to_string(line))
            << name;
        EXPECT_EQ(data->cGenerate, 'Y') << name;
    }
}

// A name in a keyword that no definition holds is reported at its line.
TEST_F(CheckJob, AnUndefinedNameInAKeywordIsReportedAtItsLine)
{
    addFunction("DEMOIO", "KWBAD",
                {"FUNCTION OPTIONS(*DIRECT)",                                        // 1
                 "MESSAGE MSGTXT('Order &1') MSGDTA(#NOFLD1)",                       // 2
                 "DEF_LIST NAME(#KWL) FIELDS(#CUSTNO) TYPE(*BROWSE) COUNTER(#NOFLD2)",  // 3
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_RRN(#NOFLD3)",  // 4
                 "RETURN"});
    prepare("DEMOIO", "KWBAD");
    run();
    const auto all = messages();
    EXPECT_EQ(Ids(OnLine(all, 2)), (std::vector<std::string>{"DCM0401"}));
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC0056 NOFLD2"});
    EXPECT_EQ(OnLine(all, 4), Lines{"PRC0056 NOFLD3"});
}

// The action parameters a file command's flag columns switch on: a value
// that is no keyword names a label of the routine.
TEST_F(CheckJob, ActionParametersNameLabelsOfTheRoutine)
{
    addFunction("DEMOIO", "KWLBL",
                {"FUNCTION OPTIONS(*DIRECT)",                                                       // 1
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_FOUND(L91)",      // 2
                 "SELECT FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) END_FILE(L92)",                        // 3
                 "ENDSELECT",                                                                       // 4
                 "DELETE FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) VAL_ERROR(L93) IO_ERROR(L94)",        // 5
                 "UPDATE FIELDS(#CUSTNAM) IN_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_FOUND(L10)",       // 6
                 "CHECK_FOR FOR_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_FOUND(*ERROR)",                 // 7
                 "L10: RETURN"});
    prepare("DEMOIO", "KWLBL");
    run();
    const auto all = messages();
    // each finding names the keyword that holds the label
    EXPECT_EQ(OnLine(all, 2), Lines{"PRC1409 NOT_FOUND L91"});
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC1409 END_FILE  L92"});
    EXPECT_EQ(OnLine(all, 5), (Lines{"PRC0025 L94", "PRC1409 VAL_ERROR L93"}));
    EXPECT_TRUE(OnLine(all, 6).empty());
    EXPECT_TRUE(OnLine(all, 7).empty());
}

// OPEN takes one of its four options; SET_MODE one of the four modes; a
// key count other than *WITHKEY needs key values to count.
TEST_F(CheckJob, ValuesACommandCannotUseAreRefused)
{
    addFunction("DEMOIO", "KWVAL",
                {"FUNCTION OPTIONS(*DIRECT)",                                                  // 1
                 "OPEN FILE(CUSTMST) USE_OPTION(*BOGUS)",                                      // 2
                 "OPEN FILE(CUSTMST) USE_OPTION(*KEEPOPEN)",                                   // 3
                 "SET_MODE TO(#CUSTNAM)",                                                      // 4
                 "SET_MODE TO(*CHANGE)",                                                       // 5
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) NBR_KEYS(#IOCOUNT)",               // 6
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) NBR_KEYS(#IOCOUNT)",  // 7
                 "INSERT FIELDS(#CUSTNAM) TO_FILE(CUSTMST) NBR_KEYS(*COMPUTE)",                // 8
                 "RETURN"});
    prepare("DEMOIO", "KWVAL");
    run();
    const auto all = messages();
    EXPECT_EQ(Ids(OnLine(all, 2)), (std::vector<std::string>{"PRC0007", "DCM0310"}));
    EXPECT_TRUE(OnLine(all, 3).empty());
    EXPECT_EQ(OnLine(all, 4), Lines{"PRC1196 SET_MODE  TO        #CUSTNAM"});
    EXPECT_TRUE(OnLine(all, 5).empty());
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC1196 FETCH     NBR_KEYS  #IOCOUNT"});
    EXPECT_TRUE(OnLine(all, 7).empty());
    EXPECT_EQ(OnLine(all, 8), Lines{"PRC1196 INSERT    NBR_KEYS  *COMPUTE"});
}

// SELECT_SQL: a field with a column expression of its own is no column of
// the files; a whole statement that is not an escaped parameter is not
// scanned by the check of pass 2 (its host fields are used all the same).
TEST_F(CheckJob, SelectSqlColumnExpressionsAndWholeStatements)
{
    addFunction("DEMOIO", "KWSQL",
                {"FUNCTION OPTIONS(*DIRECT)",                                                          // 1
                 "SELECT_SQL FIELDS((#IOSUM 'SUM(CREDIT)') #CUSTNO) FROM_FILES((CUSTMST)) GROUP_BY('CUSTNO')",  // 2
                 "ENDSELECT",                                                                          // 3
                 "SELECT_SQL FIELDS(#IOSUM) FROM_FILES((CUSTMST))",                                    // 4
                 "ENDSELECT",                                                                          // 5
                 "SELECT_SQL FIELDS(#CUSTNO) USING('SELECT CUSTNO AS SELECT FROM CUSTMST WHERE CUSTNO > :IOLIMIT')",
                 "ENDSELECT",  // 7
                 "RETURN"});
    prepare("DEMOIO", "KWSQL", 'G');
    run();
    const auto all = messages();
    EXPECT_TRUE(OnLine(all, 2).empty());
    EXPECT_EQ(OnLine(all, 4), Lines{"PRC1065 IOSUM"});
    EXPECT_TRUE(OnLine(all, 6).empty());
    FFC_WORK_RECORD r;
    EXPECT_TRUE(record(WR_USEFIELD, "#IOLIMIT", r));
}

// A key value the run generates: no operand to check; the key field gets
// a generated name, a used field of its definition, in place of the value.
TEST_F(CheckJob, AutogeneratedKeyValuesGetAGeneratedName)
{
    addFunction("DEMOIO", "KWGEN",
                {"FUNCTION OPTIONS(*DIRECT)",                                                 // 1
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(*AUTOGENERATEF35KV2)",   // 2
                 "RETURN"});
    prepare("DEMOIO", "KWGEN");
    run();
    EXPECT_TRUE(OnLine(messages(), 2).empty());
    const std::string generated = std::string("P\xFF") + "0000001";
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_USEFIELD, generated, r));
    const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(data->acFieldName, 10), "CUSTNO    ");
    EXPECT_EQ(std::string(data->acClass, 2), "FL");
    /* a job's end of pass releases the names made */
    P31O2_FreeGeneratedNames(&ctx);
}

// DEFINE and OVERRIDE give the field their editing and attributes: the
// definition the layouts and the generator read carries them, and the
// editing is checked as theirs is.
TEST_F(CheckJob, DefineAndOverrideKeepTheirEditingAndAttributes)
{
    addFunction("DEMOIO", "KWDEF",
                {"FUNCTION OPTIONS(*DIRECT)",                                                                // 1
                 "DEFINE FIELD(#KWAMT) TYPE(*DEC) LENGTH(9) DECIMALS(2) EDIT_CODE(J) INPUT_ATR(HI RB)",       // 2
                 "DEFINE FIELD(#KWWRD) REFFLD(#CREDIT) EDIT_WORD('   ,   ,  0.  ') OUTPUT_ATR(*ND)",          // 3
                 "OVERRIDE FIELD(#IOQTY) EDIT_CODE(3)",                                                       // 4
                 "DEFINE FIELD(#KWBAD) TYPE(*DEC) LENGTH(5) DECIMALS(0) EDIT_CODE(X)",                        // 5
                 "DEFINE FIELD(#KWTXT) TYPE(*CHAR) LENGTH(5) EDIT_CODE(J)",                                   // 6
                 "CHANGE FIELD(#KWAMT #KWWRD #KWBAD #KWTXT) TO(*NULL)",                                       // 7
                 "RETURN"});
    prepare("DEMOIO", "KWDEF");
    run();
    const auto all = messages();
    EXPECT_TRUE(OnLine(all, 2).empty());
    EXPECT_TRUE(OnLine(all, 3).empty());
    EXPECT_TRUE(OnLine(all, 4).empty());
    EXPECT_EQ(Ids(OnLine(all, 5)), (std::vector<std::string>{"DCM0504"}));
    EXPECT_EQ(Ids(OnLine(all, 6)), (std::vector<std::string>{"DCM0503"}));
    const auto definition = [this](const char* name) {
        FFC_FIELD_DEFINITION def;
        std::memset(&def, ' ', sizeof def);
        std::memcpy(def.acName, name, std::strlen(name));
        char local = 'N';
        EXPECT_EQ(Get_Function_Field(&ctx, &local, &def, nullptr, nullptr), '0') << name;
        return def;
    };
    const FFC_FIELD_DEFINITION amount = definition("KWAMT");
    EXPECT_EQ(amount.cEditCode, 'J');
    EXPECT_EQ(std::string(amount.input.acCodes, amount.input.usLength), "HI  RB  ");
    const FFC_FIELD_DEFINITION word = definition("KWWRD");
    EXPECT_EQ(word.cEditCode, ' ');
    EXPECT_EQ(std::string(word.acEditWord, 24), std::string("   ,   ,  0.  ") + std::string(10, ' '));
    EXPECT_EQ(std::string(word.output.acCodes, word.output.usLength), "ND  ");
    EXPECT_EQ(word.cType, 'P') << "the reference field's type";
    EXPECT_EQ(definition("IOQTY").cEditCode, '3');
}

// A check command's two actions are answers of the run-time checker:
// next, error or accept. *RETURN and a label are no such answer, in either
// action of any check command; the three answers check clean.
TEST_F(CheckJob, CheckActionsAreTheCheckersThreeAnswers)
{
    addFunction("TSTPRC", "KWACT",
                {"FUNCTION OPTIONS(*DIRECT)",                                                                 // 1
                 "BEGINCHECK",                                                                                // 2
                 "RANGECHECK FIELD(#CREDIT) RANGE((0 1000)) IN_RANGE(*RETURN)",                               // 3
                 "CONDCHECK FIELD(#CREDIT) COND('#CREDIT > 0') IF_TRUE(*ACCEPT) IF_FALSE(*RETURN)",           // 4
                 "FILECHECK FIELD(#CUSTNO) USING_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_INFILE(*RETURN)",        // 5
                 "VALUECHECK FIELD(#CUSTSTS) WITH_LIST(A I) IN_LIST(L10) NOT_INLIST(*ERROR)",                 // 6
                 "RANGECHECK FIELD(#CREDIT) RANGE((0 1000)) IN_RANGE(*NEXT) OUT_RANGE(*ERROR)",               // 7
                 "VALUECHECK FIELD(#CUSTSTS) WITH_LIST(A I) IN_LIST(*ACCEPT) NOT_INLIST(*NEXT)",              // 8
                 "ENDCHECK",                                                                                  // 9
                 "L10: RETURN"});
    prepare("TSTPRC", "KWACT");
    run();
    const auto all = messages();
    EXPECT_EQ(OnLine(all, 3), Lines{"DCM0310 IN_RANGE  *RETURN"});
    EXPECT_EQ(OnLine(all, 4), Lines{"DCM0310 IF_FALSE  *RETURN"});
    EXPECT_EQ(OnLine(all, 5), Lines{"DCM0310 NOT_INFILE*RETURN"});
    EXPECT_EQ(OnLine(all, 6), Lines{"DCM0310 IN_LIST   L10"});
    EXPECT_TRUE(OnLine(all, 7).empty());
    EXPECT_TRUE(OnLine(all, 8).empty());
}

}  // namespace

// The check handlers on small functions: the findings they issue and the
// work records they leave for the generator.
#include "checker_fixture.h"

#include <cstring>
#include <string>
#include <vector>

#include "checker/checker.h"
#include "checker/usage.h"
#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "params/parsed_command.h"
#include "platform/dqoo/dqoo_bom.h"

using checker_test::CheckJob;
using checker_test::Message;

namespace {

class Handlers : public CheckJob {
protected:
    int count(const char* kind, const std::string& name)
    {
        FFC_WORK_RECORD r;
        int n = 0;
        for (bool more = record(kind, name, r); more; more = WF_cReadNext(&ctx, 12, &r, 2) == '0')
            ++n;
        return n;
    }
};

TEST_F(Handlers, FieldsMustBeDefinedAndDefinedFieldsUsed)
{
    addFunction("TSTPRC", "FIELDS",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#NEWFLD) TYPE(*CHAR) LENGTH(5)",
                 "DEFINE FIELD(#NEWFLD) TYPE(*CHAR) LENGTH(5)", "DEFINE FIELD(#SPARE) REFFLD(#CUSTNO)",
                 "DEFINE FIELD(#BADREF) REFFLD(#NOWHERE)", "CHANGE FIELD(#NEWFLD) TO('#NOSUCH + #CUSTNO')", "RETURN"});
    prepare("TSTPRC", "FIELDS");
    run();
    std::vector<Message> twice = withId("PRC0058");
    ASSERT_EQ(twice.size(), 1u);
    EXPECT_EQ(twice[0].line, 3u);
    std::vector<Message> ref = withId("PRC0056");
    ASSERT_EQ(ref.size(), 1u);
    EXPECT_EQ(ref[0].line, 5u);
    EXPECT_EQ(ref[0].data, "#NOWHERE");
    // The undefined field of the expression is reported once, at its line.
    std::vector<Message> undefined = withId("DCM0401");
    ASSERT_EQ(undefined.size(), 1u);
    EXPECT_EQ(undefined[0].line, 6u);
    std::vector<Message> unused = withId("PRC0202");
    ASSERT_EQ(unused.size(), 1u);
    EXPECT_EQ(unused[0].data, "SPARE");

    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_USEFIELD, "#CUSTNO", r));
    const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(data->acClass, 2), "FL");
    EXPECT_EQ(std::string(data->acFieldName, 10), "CUSTNO    ");
    EXPECT_EQ(data->cGenerate, 'Y');
    EXPECT_EQ(std::string(data->acFirstLine, 7), "0000006");
    EXPECT_EQ(std::string(data->acFirstCommand, 10), "CHANGE    ");
    // The run's status and mode fields are always recorded.
    EXPECT_TRUE(record(WR_USEFIELD, "IO$MDE", r));
}

// A condition may name a dictionary field without its name character: the
// use is recorded under the name as written there (in upper case), apart
// from the uses written with the character.
TEST_F(Handlers, ConditionNamesAFieldWithoutItsCharacter)
{
    addFunction("TSTPRC", "BARE",
                {"FUNCTION OPTIONS(*DIRECT)", "IF COND('credit > 100')", "ENDIF",
                 "IF COND('#CREDIT < 5 AND Credit > 1')", "ENDIF", "RETURN"});
    prepare("TSTPRC", "BARE");
    run();
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_USEFIELD, "CREDIT", r));
    const auto* bare = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(bare->acClass, 2), "FL");
    EXPECT_EQ(std::string(bare->acFieldName, 10), "CREDIT    ");
    EXPECT_EQ(std::string(bare->acFirstLine, 7), "0000002");
    EXPECT_EQ(std::string(bare->acFirstCommand, 10), "IF        ");
    ASSERT_TRUE(record(WR_USEFIELD, "#CREDIT", r));
    const auto* prefixed = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(prefixed->acFieldName, 10), "CREDIT    ");
    EXPECT_EQ(std::string(prefixed->acFirstLine, 7), "0000004");
    EXPECT_EQ(count(WR_USEFIELD, "CREDIT"), 1) << "one record for the name however it is written in case";
}

TEST_F(Handlers, GroupsUnusedAndUsed)
{
    addFunction("TSTPRC", "GROUPS",
                {"FUNCTION OPTIONS(*DIRECT)", "GROUP_BY NAME(XG_IDLE) FIELDS(#CUSTNO)",
                 "GROUP_BY NAME(XG_USED) FIELDS(#CUSTNAM #CREDIT)", "CHANGE FIELD(XG_USED) TO(*NULL)", "RETURN"});
    prepare("TSTPRC", "GROUPS");
    run();
    std::vector<Message> m = withId("PRC0094");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].data, "XG_IDLE");
    EXPECT_EQ(m[0].line, 0u);
}

// A group named in the field list of an I/O command, in any case, is used
// there, and the list's other fields with it.
TEST_F(Handlers, GroupNamedInAFieldListIsUsedAndExpanded)
{
    addFunction("TSTPRC", "GROUPS3",
                {"FUNCTION OPTIONS(*DIRECT)", "GROUP_BY NAME(XG_KEYS) FIELDS(#CREDIT)",
                 "GROUP_BY NAME(XG_IDLE) FIELDS(#CUSTSTS)",
                 "FETCH FIELDS(xg_keys #CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO)", "RETURN"});
    prepare("TSTPRC", "GROUPS3");
    run();
    std::vector<Message> m = withId("PRC0094");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].data, "XG_IDLE");
    FFC_WORK_RECORD r;
    EXPECT_TRUE(record(WR_USEFIELD, "#CUSTNAM", r)) << "the list's own field";
}

// Groups recorded while a check runs (its screens' and reports' groups)
// are known at once, however often names were asked before; a name of no
// group names none, before and after the names are read again.
TEST_F(Handlers, GroupNamesFollowTheGroupsRecorded)
{
    addFunction("TSTPRC", "GROUPS2", {"FUNCTION OPTIONS(*DIRECT)", "GROUP_BY NAME(XG_ONE) FIELDS(#CUSTNO)", "RETURN"});
    prepare("TSTPRC", "GROUPS2");
    run();
    ASSERT_EQ(checker::G().ctx, &ctx);
    EXPECT_TRUE(checker::NamesFieldGroup("XG_ONE"));
    EXPECT_FALSE(checker::NamesFieldGroup("XG_NONE"));
    for (int added = 1; added <= 40; ++added) {
        const std::string name = "XG_N" + std::to_string(added);
        EXPECT_FALSE(checker::NamesFieldGroup(name)) << "not yet recorded";
        FFC_WORK_RECORD r;
        checker::BlankRecord(r, WR_GROUPNAM, name);
        ASSERT_GT(WF_lWrite(&ctx, &r), 0);
        for (int ask = 0; ask < 3; ++ask) {
            EXPECT_TRUE(checker::MayNameFieldGroup(name)) << name;
            EXPECT_TRUE(checker::NamesFieldGroup(name)) << name;
            EXPECT_FALSE(checker::NamesFieldGroup("XG_NONE")) << name;
        }
    }
    for (int added = 1; added <= 40; ++added)
        EXPECT_TRUE(checker::NamesFieldGroup("XG_N" + std::to_string(added)));
    /* once the names are read again, they alone answer */
    bool known = true;
    for (int ask = 0; ask < 100 && known; ++ask)
        known = checker::MayNameFieldGroup("XG_NONE");
    EXPECT_FALSE(known);
    EXPECT_TRUE(checker::MayNameFieldGroup("XG_N40"));
    EXPECT_TRUE(checker::MayNameFieldGroup("XG_ONE"));
}

TEST_F(Handlers, FilesAndIoErrorLabels)
{
    addFunction("TSTPRC", "FILES",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) IO_ERROR(L9)",
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(NOFILE) WITH_KEY(#CUSTNO)",
                 "L8: CHECK_FOR FOR_FILE(CUSTMSTL1) WITH_KEY(#CUSTNAM) IO_ERROR(L8)", "RETURN"});
    prepare("TSTPRC", "FILES");
    run();
    std::vector<Message> label = withId("PRC0025");
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].line, 2u);
    EXPECT_EQ(label[0].data, "L9");
    // A file the partition does not hold: an error at the line that names
    // it, and a note that its key values went unchecked.
    EXPECT_EQ(checker_test::OnLine(messages(), 3),
              (checker_test::Lines{"PRC0019 NOFILE    *FIRST", "PRC1401 FETCH     NOFILE"}));
    EXPECT_EQ(storedStatus(3), "FTL");
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_USEFILE, "CUSTMST", r));
    EXPECT_EQ(std::string(r.acQualifier, 10), "*LIBL     ");
    EXPECT_EQ(std::string(r.acData, 3), "PHY");
    EXPECT_EQ(r.acData[13], 'N');
    ASSERT_TRUE(record(WR_USEFILE, "CUSTMSTL1", r));
    EXPECT_EQ(std::string(r.acData, 3), "LGL");
    EXPECT_TRUE(record(WR_USEFIELD, "IO$STS", r));
}

TEST_F(Handlers, RecordsForTheGenerator)
{
    addFunction("TSTPRC", "RECORDS",
                {"FUNCTION OPTIONS(*DIRECT *HEAVYUSAGE *STRICT_NULL_ASSIGN) TRIGGER(*FIELD) RCV_DS(#CUSTDS)",
                 "DEF_COND NAME(*ISOK) COND('#CUSTSTS = A') AVAL_DFTC(*NO)",
                 "DEF_COND NAME(*ISOK) COND('#CUSTSTS = B')",
                 "DEF_ARRAY NAME(#ARR) INDEXES(#IX1) OF_FIELDS(#CUSTNO #ORDNO)",
                 "DEFINE FIELD(#IX1) TYPE(*DEC) LENGTH(3)", "RETURN"});
    prepare("TSTPRC", "RECORDS");
    run();
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_SYSFLAGS, "", r, 1));
    EXPECT_EQ(r.acData[SF_DIRECT], 'Y');
    EXPECT_EQ(r.acData[SF_HEAVYUSAGE], 'Y');
    EXPECT_EQ(r.acData[SF_LIGHTUSAGE], 'N');
    EXPECT_EQ(r.acData[SF_STRICT_NULL_ASSIGN], 'S');
    EXPECT_EQ(r.acData[SF_TRIGGER_FIELD], 'Y');
    EXPECT_EQ(r.acData[SF_TRIGGER_OTHER], 'N');

    ASSERT_TRUE(record(WR_RCV_DS, "", r, 1));
    EXPECT_EQ(std::string(r.acQualifier, 10), "#CUSTDS   ");
    ASSERT_TRUE(record(WR_ERRORTOT, "", r, 1));
    // the PRC0196 below, PRC1006 for TRIG_LIST, PRC0265 for the structure a trigger cannot receive
    EXPECT_EQ(std::string(r.acData, 14), "00000030000000");

    ASSERT_TRUE(record(WR_DEF_COND, "*ISOK", r));
    EXPECT_EQ(std::string(r.acData + 36, 3), "*NO");
    EXPECT_EQ(count(WR_DEF_COND, "*ISOK"), 1);
    std::vector<Message> twice = withId("PRC0196");
    ASSERT_EQ(twice.size(), 1u);
    EXPECT_EQ(twice[0].line, 3u);

    EXPECT_EQ(count(WR_ARRAYNAM, "#ARR"), 4);
    ASSERT_TRUE(record(WR_ARRAYNAM, "#ARR", r));
    EXPECT_EQ(r.acQualifier[0], '1');
    // The first record carries the start of the parameter area: the array's
    // name where the generator's debug table reads it.
    constexpr int32_t name = dqov::cmdparm::ElementOffset("DEF_ARRAY", "NAME");
    EXPECT_EQ(std::string(r.acData + name, 4), "#ARR");
}

// What the generator reads besides the field uses: the members of a group
// in order, the fields exchanged always, and each literal operand with the
// number its declaration is known by.
TEST_F(Handlers, GroupMembersExchangedFieldsAndLiterals)
{
    addFunction("TSTPRC", "EXCHLIT",
                {"FUNCTION OPTIONS(*DIRECT)", "GROUP_BY NAME(#GRP) FIELDS(#CREDIT #CUSTNO)",
                 "EXCHANGE FIELDS(#CUSTNO) OPTION(*ALWAYS)", "EXCHANGE FIELDS(#CREDIT)", "IF COND('#CREDIT > 100')",
                 "CHANGE FIELD(#CUSTNAM) TO('''ABC''')", "ENDIF", "RETURN"});
    prepare("TSTPRC", "EXCHLIT");
    run();
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(LAYOUT_KIND_GROUPFLD, "#GRP", r, 1));
    EXPECT_EQ(std::string(r.acQualifier, 10), "0000000001");
    EXPECT_EQ(std::string(r.acData, 10), "CREDIT    ");
    ASSERT_EQ(WF_cReadNext(&ctx, 12, &r, 1), '0');
    EXPECT_EQ(std::string(r.acData, 10), "CUSTNO    ");
    EXPECT_EQ(count(WR_EXCHALL, "CUSTNO"), 1);
    EXPECT_EQ(count(WR_EXCHALL, "CREDIT"), 0);
    ASSERT_TRUE(record(WR_USEFIELD, "100", r));
    auto* number = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(number->acClass, 2), "NL");
    EXPECT_EQ(std::string(number->acLiteralNumber, 3), "001");
    ASSERT_TRUE(record(WR_USEFIELD, "'ABC'", r));
    auto* alpha = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(alpha->acClass, 2), "AL");
    EXPECT_EQ(std::string(alpha->acLiteralNumber, 3), "002");
}

TEST_F(Handlers, RoutinesAndLabels)
{
    addFunction("TSTPRC", "ROUTIN",
                {"FUNCTION OPTIONS(*DIRECT)", "L1: EXECUTE SUBROUTINE(NOSUB)", "GOTO LABEL(L2)",
                 "EXECUTE SUBROUTINE(SUB1) WITH_PARMS(#CUSTNO #CREDIT #CUSTNAM)", "L1: RETURN",
                 "SUBROUTINE NAME(SUB1) PARMS((#CUSTNO *RECEIVED) (#CREDIT *RETURNED))", "L2: RETURN", "ENDROUTINE",
                 "GOTO LABEL(@ABORT)"});
    prepare("TSTPRC", "ROUTIN");
    run();
    std::vector<Message> dup = withId("PRC0018");
    ASSERT_EQ(dup.size(), 1u);
    EXPECT_EQ(dup[0].line, 5u);
    std::vector<Message> noSub = withId("PRC0122");
    ASSERT_EQ(noSub.size(), 2u);
    EXPECT_EQ(noSub[0].line, 2u);
    EXPECT_EQ(noSub[1].line, 4u);  // three fields passed, two parameters taken
    // L2 belongs to SUB1, not to the main routine; "@ABORT" is predefined
    // there, but a GOTO takes labels of three characters only.
    std::vector<Message> goto_ = withId("PRC0046");
    ASSERT_EQ(goto_.size(), 2u);
    EXPECT_EQ(goto_[0].line, 3u);
    EXPECT_EQ(goto_[1].line, 9u);
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_USRSUBR, "SUB1", r));
    const auto* sub = reinterpret_cast<const WR_USRSUBR_DATA*>(r.acData);
    EXPECT_EQ(sub->cEnded, 'Y');
    EXPECT_EQ(std::string(sub->acParmCount, 3), "002");
    ASSERT_TRUE(record(WR_USRSUBP, "SUB1      0000002", r));
    EXPECT_EQ(r.acData[0], 'T');
    EXPECT_EQ(std::string(r.acData + 1, 10), "#CREDIT   ");
    EXPECT_TRUE(record(WR_LABEL, "@ABORT", r));
}

TEST_F(Handlers, MessageTextFieldRecordedForGeneration)
{
    addFunction("TSTPRC", "MSGS", {"FUNCTION OPTIONS(*DIRECT)", "MESSAGE MSGTXT('Hello')", "RETURN"});
    prepare("TSTPRC", "MSGS", 'G');
    run();
    EXPECT_TRUE(withId("PRC1052").empty());
    // The message text is in use: its field is recorded for generation.
    FFC_WORK_RECORD r;
    EXPECT_TRUE(record(WR_USEFIELD, "IO$MSGTXT", r));
}

}  // namespace

namespace {

int g_layouts = 0;

TEST_F(Handlers, ScreenLayoutRunsInPassTwoAndItsMessageIsIssued)
{
    addFunction("TSTPRC", "SCREENS",
                {"FUNCTION OPTIONS(*DIRECT)", "DISPLAY FIELDS(#CUSTNO)", "REQUEST FIELDS(#CUSTNAM)", "RETURN"});
    prepare("TSTPRC", "SCREENS");
    g_layouts = 0;
    P3100_SetLayoutCalls(
        [](FFC_CONTEXT*, FFC_CHECK_STATE* st) {
            ++g_layouts;
            if (st->lLine != 3)
                return;
            st->cFinalSeverity = 'W';
            std::memcpy(st->acFinalMsgId, "DCM0636", 7);
            std::memset(st->acFinalText, ' ', sizeof st->acFinalText);
        },
        nullptr);
    run();
    P3100_SetLayoutCalls(nullptr, nullptr);
    EXPECT_EQ(g_layouts, 2);
    std::vector<Message> m = withId("DCM0636");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].line, 3u);
    EXPECT_EQ(m[0].severity, 'W');
    FFC_WORK_RECORD r;
    EXPECT_TRUE(record(WR_USEFIELD, "#CUSTNAM", r));
}

}  // namespace

namespace {

TEST_F(Handlers, WebEventMainRoutineHoldsOnlyScreenCommands)
{
    addFunction("TSTPRC", "WEBEV",
                {"FUNCTION OPTIONS(*DIRECT *WEBEVENT)", "CHANGE FIELD(#CUSTNO) TO(1)", "DISPLAY FIELDS(#CUSTNO)",
                 "CHANGE FIELD(#CUSTNO) TO(2)", "CHANGE FIELD(#CUSTNO) TO(3)", "RETURN"});
    addFunction("TSTPRC", "WEBOK",
                {"FUNCTION OPTIONS(*DIRECT *WEBEVENT)", "CHANGE FIELD(#CUSTNO) TO(1)", "DISPLAY FIELDS(#CUSTNO)"});
    prepare("TSTPRC", "WEBEV");
    run();
    std::vector<Message> m = withId("PRC0324");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].severity, 'W');
    EXPECT_EQ(m[0].line, 0u);
    EXPECT_EQ(std::string(functionKind, 3), "WEV");

    prepare("TSTPRC", "WEBOK");
    run();
    EXPECT_TRUE(withId("PRC0324").empty());
}

}  // namespace

namespace {

// The dictionary rows a check reads are kept for that check only: the next
// check reads the dictionary again, so a field entered meanwhile is known
// (no PRC0056) and passes its default on to the field defined on it, and a
// field the function defines (#OWNDFT) takes the dictionary default entered
// for its name meanwhile (its default-value routine).
TEST_F(Handlers, DictionaryRowsAreReadAgainByTheNextCheck)
{
    addFunction("TSTPRC", "DICT",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#LATER) REFFLD(#NEWDIC)",
                 "DEFINE FIELD(#OTHER) REFFLD(#NEWDIC)", "DEFINE FIELD(#OWNDFT) REFFLD(#CUSTNO)",
                 "CHANGE FIELD(#LATER #OTHER #OWNDFT) TO(#CUSTNO)", "RETURN"});
    prepare("TSTPRC", "DICT");
    ASSERT_TRUE(buildStarted);
    run();
    FFC_WORK_RECORD use;
    ASSERT_TRUE(record(WR_USEFIELD, "#OWNDFT", use));
    EXPECT_EQ(std::string(reinterpret_cast<const WR_USEFIELD_DATA*>(use.acData)->acValueItem, 9), std::string(9, ' '))
        << "no default anywhere";
    std::vector<Message> unknown = withId("PRC0056");
    ASSERT_EQ(unknown.size(), 2u) << "both references asked, the second answered from the kept row";
    EXPECT_EQ(unknown[0].line, 2u);
    EXPECT_EQ(unknown[1].line, 3u);
    EXPECT_EQ(unknown[1].data, "#NEWDIC");
    if (buildStarted)
        DQOO_FCC_EndBuild(handle());
    buildStarted = false;
    SSQL_Disconnect();

    exec("INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03DFT) VALUES"
         " ('DEM', 'NEWDIC', 'A', 6, 0, '''XYZ'''), ('DEM', 'OWNDFT', 'P', 7, 0, '7');");
    prepare("TSTPRC", "DICT");
    ASSERT_TRUE(buildStarted);
    run();
    ASSERT_TRUE(record(WR_USEFIELD, "#OWNDFT", use));
    EXPECT_NE(std::string(reinterpret_cast<const WR_USEFIELD_DATA*>(use.acData)->acValueItem, 9).find('O'),
              std::string::npos)
        << "the dictionary's default of the name, read again";
    EXPECT_TRUE(withId("PRC0056").empty());
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_FLDDEFLT, "LATER", r));
    const auto* data = reinterpret_cast<const WR_FLDDEFLT_DATA*>(r.acData);
    EXPECT_EQ(std::string(data->acDefault, 5), "'XYZ'");
    EXPECT_EQ(std::string(data->acDefault + 5, 45), std::string(45, ' '));
    EXPECT_EQ(std::string(data->acLine, 7), "0000002");
}

// A used field defined with a DEFAULT gets its default-value routine; the
// routine's reference is the value item of its "USEFIELD" record.
TEST_F(Handlers, DefaultValueRoutineOfAUsedField)
{
    addFunction("TSTPRC", "DFLTS",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#DFLT) TYPE(*DEC) LENGTH(5) DECIMALS(0) DEFAULT(7)",
                 "DEFINE FIELD(#NODFLT) TYPE(*DEC) LENGTH(5) DECIMALS(0)", "CHANGE FIELD(#DFLT #NODFLT) TO(1)",
                 "RETURN"});
    prepare("TSTPRC", "DFLTS");
    ASSERT_TRUE(buildStarted);
    run();
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_USEFIELD, "#DFLT", r));
    const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    std::string item(data->acValueItem, 9);
    // The object layer's reference: a routine mark 'O' and seven digits.
    size_t mark = item.find('O');
    ASSERT_NE(mark, std::string::npos) << item;
    ASSERT_LE(mark + 8, item.size());
    EXPECT_EQ(item.substr(mark + 1, 7).find_first_not_of("0123456789"), std::string::npos) << item;
    // the record is stored back whole: what lies past the value item stays
    const std::string command(data->acFirstCommand, 10), uses(data->acUseCount, 7);
    EXPECT_TRUE(command == "DEFINE    " || command == "CHANGE    ") << command;
    EXPECT_EQ(uses.find_first_not_of("0123456789"), std::string::npos) << uses;
    EXPECT_NE(uses, "0000000");
    ASSERT_TRUE(record(WR_USEFIELD, "#NODFLT", r));
    data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(data->acValueItem, 9), std::string(9, ' '));
}

}  // namespace

namespace {

// The component description: the fields of its data records that the
// dictionary knows are used; a cycle-free tree of any shape is walked, and
// nodes without children or with unknown kinds end the walk there.
TEST_F(Handlers, DescriptionRecordFieldsAreUsed)
{
    addFunction("TSTPRC", "DESC", {"FUNCTION OPTIONS(*DIRECT)", "RETURN"});
    prepare("TSTPRC", "DESC");
    run();
    auto field = [](const char* name) {
        BOM_DESCRIPTION_NODE n{};
        n.lKind = BOM_KIND_RECORD_FIELD;
        n.aWord[1].pszText = name;
        return n;
    };
    BOM_DESCRIPTION_NODE f1 = field("CUSTNO"), f2 = field("CUSTNAME"), f3 = field(nullptr);
    BOM_DESCRIPTION_NODE* fields[] = {&f1, &f2, &f3};
    BOM_DESCRIPTION_NODE dataRecord{};
    dataRecord.lKind = BOM_KIND_PROXY_RECORD;
    dataRecord.aWord[5].lNumber = 3;
    dataRecord.aWord[6].ppNodes = fields;
    BOM_DESCRIPTION_NODE* records[] = {&dataRecord};
    BOM_DESCRIPTION_NODE document{};
    document.lKind = BOM_KIND_DOCUMENT;
    document.aWord[12].lNumber = 1;
    document.aWord[13].ppNodes = records;
    BOM_DESCRIPTION_NODE* documents[] = {&document};
    BOM_DESCRIPTION_NODE root{};
    root.lKind = BOM_KIND_CONTENT_ROOT;
    root.aWord[1].lNumber = 1;
    root.aWord[2].ppNodes = documents;
    P3100_WalkComponentDescription(&root, 0, 0);
    FFC_WORK_RECORD r;
    EXPECT_TRUE(record(WR_USEFIELD, "CUSTNO", r));
    EXPECT_FALSE(record(WR_USEFIELD, "CUSTNAME", r)) << "not a field of the dictionary";
    P3100_WalkComponentDescription(nullptr, 0, 0);
}

// The current command's name is compared as the name blank-padded to ten
// characters (a longer one cut there).
TEST(CurrentCommand, NameIsTheNameBlankPadded)
{
    char saved[10];
    std::memcpy(saved, checker::G().parsed.acName, 10);
    std::memcpy(checker::G().parsed.acName, "CHANGE    ", 10);
    EXPECT_TRUE(checker::NameIs("CHANGE"));
    EXPECT_FALSE(checker::NameIs("CHANG"));
    EXPECT_FALSE(checker::NameIs("CHANGES"));
    EXPECT_FALSE(checker::NameIs("change"));
    EXPECT_FALSE(checker::NameIs(""));
    std::memcpy(checker::G().parsed.acName, "SELECT_SQL", 10);
    EXPECT_TRUE(checker::NameIs("SELECT_SQL"));
    EXPECT_TRUE(checker::NameIs("SELECT_SQLX")) << "cut to ten";
    EXPECT_FALSE(checker::NameIs("SELECT"));
    std::memcpy(checker::G().parsed.acName, "          ", 10);
    EXPECT_TRUE(checker::NameIs(""));
    std::memcpy(checker::G().parsed.acName, saved, 10);
}

}  // namespace

// Generated names, used-name registries and the small shared services.
#include "generator/core/gen_fixture.h"

#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/services.h"
#include "generator/core/points/command_loop.h"

namespace gencore_test {
namespace {

class NameServices : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
};

TEST_F(NameServices, InstanceNamesCountUp)
{
    EXPECT_EQ(P3109_MakeInstanceName("pX_Sel", "a", "b", "c"), "INSTANCE(pX_Sel_1)");
    EXPECT_EQ(P3109_MakeInstanceName("pX_Cur", "", "", ""), "INSTANCE(pX_Cur_2)");
    ASSERT_EQ(P3109_InstanceNames().size(), 2u);
    EXPECT_EQ(P3109_InstanceNames().at(0).name, "pX_Sel_1");
    EXPECT_EQ(P3109_InstanceNames().at(0).text3, "c");
    setUp(); /* a new job starts again */
    EXPECT_EQ(P3109_MakeInstanceName("pX_Sel", "", "", ""), "INSTANCE(pX_Sel_1)");
}

TEST_F(NameServices, FieldTextsAndMultilingualVariablesAreCounted)
{
    EXPECT_EQ(P3109_MakeMultilingualFieldRef("CUSTNO", 'L'), "pX_NULL");
    P3109_RegisterFieldTextUse("CUSTNO", 'L');
    P3109_RegisterFieldTextUse("CUSTNAM", 'C');
    P3109_RegisterFieldTextUse("CUSTNO", 'D');
    EXPECT_EQ(P3109_State().lUsedFieldTexts, 2);
    EXPECT_EQ(P3109_MakeMultilingualFieldRef("CUSTNAM", 'C'), "X_Get_MFld(1,INSTANCE_S3(sLangNo),'C')");
    EXPECT_EQ(P3109_sFieldTextIndex("NOFIELD"), -1);

    EXPECT_EQ(P3109_sMultilingualVariableIndex("*mtxtTitle"), -1);
    EXPECT_EQ(P3109_pFindMultilingualVariable("*mtxtTitle"), 0);
    EXPECT_EQ(P3109_pFindMultilingualVariable("*MTXTTITLE"), 0);
    EXPECT_EQ(P3109_State().lMultilingualVariables, 1);
    /* point 58 keeps its line once a variable is used, point 57 once a text is */
    P3109_SetSkeletonLine("%58 x ");
    P3109_ProcessSkeletonLine();
    EXPECT_EQ(P3109_State().skel.cKeep, 'Y');
    P3109_SetSkeletonLine("%57 x ");
    P3109_ProcessSkeletonLine();
    EXPECT_EQ(P3109_State().skel.cKeep, 'Y');
}

TEST_F(NameServices, SmallServices)
{
    EXPECT_EQ(P3109_MakeFieldNameFromLiteral("#CUSTNO"), "CUSTNO    ");
    std::string line = "x = 1;";
    P3109_AppendLineComment(line, "");
    P3109_AppendLineComment(line, "count");
    EXPECT_EQ(line, "x = 1; // count");
    std::vector<std::string> names;
    P3109_AddUniqueName(names, "A");
    P3109_AddUniqueName(names, "B");
    P3109_AddUniqueName(names, "A         ");
    EXPECT_EQ(names.size(), 2u);
    EXPECT_TRUE(P3109_fIsPageField("REP1PAGE  "));
    EXPECT_FALSE(P3109_fIsPageField("REP1PAGEX "));
    std::string action = "keep";
    P3109_MakeActionName("*NEXT", action);
    EXPECT_EQ(action, "X_NEXT_ACTION");
    P3109_MakeActionName("LABEL", action);
    EXPECT_EQ(action, "X_NEXT_ACTION");
    EXPECT_STREQ(P3109_pszFieldTypeConstName('P'), "X_TYPE_PACKED");
    EXPECT_STREQ(P3109_pszFieldTypeConstName('?'), "X_TYPE_UNKNOWN");
    EXPECT_STREQ(P3109_pszFieldSubtypeName('R'), "X_SUBTYPE_ARRAY");
}

// A value is one of ten when any of the ten equals it, the first and the
// last included; the object type codes are "FL", "CO" and "PR" (the first
// two characters decide).
TEST_F(NameServices, ListOfTenAndObjectTypeCodes)
{
    const int32_t list[10] = {7, -1, 3, 4, 5, 6, 0, 8, 9, 2147483647};
    for (int32_t in : {7, -1, 0, 2147483647})
        EXPECT_TRUE(P3109_fInList10(in, list)) << in;
    for (int32_t out : {1, 10, -7, -2147483647})
        EXPECT_FALSE(P3109_fInList10(out, list)) << out;
    for (const char* code : {"FL", "CO", "PR", "PRX"})
        EXPECT_TRUE(P3109_fIsObjectTypeCode(code)) << code;
    for (const char* code : {"XX", "fl", "F", "", "CP", "SV"})
        EXPECT_FALSE(P3109_fIsObjectTypeCode(code)) << code;
}

TEST_F(NameServices, GroupNamesFromWorkRecords)
{
    writeRecord("GROUPNAM", "CUSTGRP", "", {});
    EXPECT_TRUE(P3109_fIsGroupName("#CUSTGRP"));
    EXPECT_TRUE(P3109_fIsGroupName("CUSTGRP"));
    EXPECT_FALSE(P3109_fIsGroupName("OTHER"));
}

TEST_F(NameServices, GroupAnswersFollowTheWorkFile)
{
    EXPECT_FALSE(P3109_fIsGroupName("ORDGRP"));
    EXPECT_FALSE(P3109_fIsGroupName("ORDGRP    "));
    /* a group record written since the answer was given is seen */
    writeRecord("GROUPNAM", "ORDGRP", "", {});
    EXPECT_TRUE(P3109_fIsGroupName("ORDGRP"));
    EXPECT_TRUE(P3109_fIsGroupName("#ORDGRP"));
    EXPECT_FALSE(P3109_fIsGroupName("ORDGRPX"));
    /* a record its writer reports: seen, and the other answers stay right */
    const uint64_t before = WF_ulKindStamp(&ctx, "GROUPNAM  ");
    EXPECT_FALSE(P3109_fIsGroupName("@F00010000"));
    writeRecord("GROUPNAM", "@F00010000", "", {});
    P3109_NoteGroupRecorded("@F00010000", before, WF_ulKindStamp(&ctx, "GROUPNAM  "));
    EXPECT_TRUE(P3109_fIsGroupName("@F00010000"));
    EXPECT_TRUE(P3109_fIsGroupName("ORDGRP"));
    EXPECT_FALSE(P3109_fIsGroupName("ORDGRPX"));
    /* a report that does not follow from the answers' state changes nothing */
    P3109_NoteGroupRecorded("NOGROUP", before, before + 1);
    EXPECT_FALSE(P3109_fIsGroupName("NOGROUP"));
    /* a new work file: none of the old answers holds */
    ASSERT_EQ(WF_sCreate(&ctx), 0);
    EXPECT_FALSE(P3109_fIsGroupName("ORDGRP"));
    EXPECT_FALSE(P3109_fIsGroupName("@F00010000"));
}

TEST_F(NameServices, CloseCursorsAndReportLimit)
{
    Capture c;
    P3109_State().out.current = c.stream();
    P3109_State().out.usIndent = 3;
    P3109_WriteCloseCursors("0");
    EXPECT_EQ(c.text(), "");
    P3109_State().sSqlCursorCount = 2;
    P3109_WriteCloseCursors("0");
    P3109_WriteCloseCursors("1");
    EXPECT_EQ(
        c.text(),
        "   if ( INSTANCE(sCurrentCursors) > sEntryCursors ) X_Close_Cursors( FUNCTION_STD_PARMS, sEntryCursors ); \r\n"
        "   if ( INSTANCE(sCurrentCursors) > ( sEntryCursors + 1 ) ) X_Close_Cursors( FUNCTION_STD_PARMS, "
        "((X_SHORT)( sEntryCursors + 1 )) ); \r\n");
    EXPECT_EQ(P3109_fCheckReportLimit(9, 10, "PRINT CLUSTERS"), 0);
    EXPECT_EQ(P3109_fCheckReportLimit(10, 10, "PRINT CLUSTERS"), 1);
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

TEST_F(NameServices, SetCurrentCommandFromTheList)
{
    testCommands() = {{"RETURN", {"RETURN"}, 42}};
    EXPECT_EQ(P3109_SetCurrentCommand(1, 0), 0);
    EXPECT_EQ(std::string(state.acCommand, 10), "RETURN    ");
    EXPECT_EQ(state.lLineNumber, 42);
    EXPECT_EQ(P3109_State().lineNumberText, "0042");
    EXPECT_EQ(P3109_State().cLabelFlag, 'Y');
    EXPECT_EQ(P3109_SetCurrentCommand(2, 0), 1);
}

TEST_F(NameServices, ColourNamesFromStylesAndAttributes)
{
    GEN_DISPLAY_ATTRIBUTES f;
    std::memset(&f, ' ', sizeof f);
    std::memset(f.acInputFlags, '0', sizeof f.acInputFlags);
    std::memset(f.acOutputFlags, '0', sizeof f.acOutputFlags);
    GEN_COLOUR_NAMES n = P3109_MakeColourNames(f);
    EXPECT_EQ(n.inputColour, "X_DEFAULT_INPUT_COLOUR");
    EXPECT_EQ(n.outputAttributes, "X_DEFAULT_OUTPUT_ATTRIBUTES");

    std::memcpy(f.acInputStyles[4], "PBSI", 4);
    std::memcpy(f.acInputStyles[7], "PBFP", 4); /* earlier in the style order than PBSI */
    std::memcpy(f.acOutputStyles[0], "PBCE", 4);
    n = P3109_MakeColourNames(f);
    EXPECT_EQ(n.inputColour, "X_PBFP_INPUT_COLOUR");
    EXPECT_EQ(n.inputAttributes, "X_PBFP_INPUT_ATTRIBUTES");
    EXPECT_EQ(n.outputColour, "X_PBCE_OUTPUT_COLOUR");

    f.acOutputFlags[16] = '1'; /* white, output only */
    f.acInputFlags[15] = '1';  /* green, then red overrides it */
    f.acInputFlags[17] = '1';
    f.acInputFlags[3] = '1';  /* position 0 */
    f.acInputFlags[26] = '1'; /* position 15 */
    f.acInputFlags[25] = '1'; /* position 14, both directions */
    f.acOutputFlags[3] = '1'; /* an input-only row: no effect on output */
    n = P3109_MakeColourNames(f);
    EXPECT_EQ(n.inputColour, "'R'");
    EXPECT_EQ(n.outputColour, "'W'");
    EXPECT_EQ(n.inputAttributes, "\"YNNNNNNNNNNNNNYY\"");
    EXPECT_EQ(n.outputAttributes, "X_PBCE_OUTPUT_ATTRIBUTES");
}

TEST_F(NameServices, DisplayFieldConditions)
{
    writeRecord("DEF_COND", "ISACTIVE", "", {});
    setUp();
    EXPECT_EQ(P3109_ResolveFieldCondition("*NO", "ISACTIVE"), 1);
    EXPECT_EQ(P3109_ResolveFieldCondition("*YES", "*NONE"), 0);
    EXPECT_EQ(P3109_ResolveFieldCondition("*DFT", "isactive"), 2);
    EXPECT_EQ(P3109_pFindCondition("ISACTIVE")->cUsed, 'Y');
    EXPECT_EQ(P3109_ResolveFieldCondition("*YES", "MISSING"), -1);
}

TEST(BlankText, IsWhatTrimmingRightLeavesNothingOf)
{
    EXPECT_TRUE(P3109_fBlankText(""));
    EXPECT_TRUE(P3109_fBlankText(std::string_view(" \0\f\n\r  ", 7)));
    EXPECT_FALSE(P3109_fBlankText("A" + std::string(2000, ' ')));
    EXPECT_FALSE(P3109_fBlankText(std::string(2000, ' ') + "\t"));
    EXPECT_FALSE(P3109_fBlankText(std::string_view("\0\0x", 3)));
    for (const std::string_view text : {"  ab ", "\r\n", " \x01 "})
        EXPECT_EQ(P3109_fBlankText(text), P3109_TrimmedRight(text).empty()) << text;
}

}  // namespace
}  // namespace gencore_test

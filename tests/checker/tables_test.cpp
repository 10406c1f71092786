// Command tables, lookup and the support services that need no job.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "checker/checker.h"

namespace {

uint32_t NumberOf(const char* name)
{
    char padded[10];
    std::memset(padded, ' ', 10);
    std::memcpy(padded, name, std::strlen(name));
    FFC_COMMAND_ENTRY* e = P3100_pFindCommand(padded);
    return e ? e->ulNumber : 0;
}

TEST(CommandLookup, FindsByBlankPaddedUpperCaseName)
{
    P3100_BuildCommandTables(nullptr);
    EXPECT_EQ(NumberOf("UREQUEST"), 14u);
    EXPECT_EQ(NumberOf("_INVOKE"), 127u);
    EXPECT_EQ(NumberOf("INCLUDE"), 122u);
    EXPECT_EQ(NumberOf("GROUP_BY"), 1u);
    EXPECT_EQ(NumberOf("include"), 0u);
    EXPECT_EQ(NumberOf(" INCLUDE"), 0u);
    // The NUL entry exists but no command name reaches it.
    EXPECT_EQ(NumberOf("INCLUDEX"), 0u);
}

TEST(CommandLookup, SortedAsUnsignedBytes)
{
    P3100_BuildCommandTables(nullptr);
    FFC_COMMAND_LOOKUP* lookup = P3100_pCommandLookup();
    ASSERT_NE(lookup, nullptr);
    // The entry of NUL bytes sorts first, '_' names after the letters.
    EXPECT_EQ(lookup->aEntries[0].ulNumber, 128u);
    for (int i = 1; i < FFC_COMMAND_LOOKUP_SIZE; ++i)
        EXPECT_LT(P3100_sCompareCommandName(lookup->aEntries[i - 1].acName, lookup->aEntries[i].acName), 0);
    // "_PERFORM" is the greatest name: 'P' (0x50) sorts after 'I' (0x49) and 'A'.
    EXPECT_EQ(lookup->aEntries[FFC_COMMAND_LOOKUP_SIZE - 1].ulNumber, 126u);
}

TEST(CommandTables, RolesPartnersAndFlags)
{
    FFC_CONTEXT ctx{};
    P3100_BuildCommandTables(&ctx);
    P3100_BuildCommandTables(&ctx);
    EXPECT_EQ(ctx.pCommandLookup, P3100_pCommandLookup());
    EXPECT_EQ(P3100_ulStructureRows(), 123u);
    EXPECT_EQ(std::string(P3100_pStructureRole(67), 2), "U7");
    EXPECT_EQ(std::string(P3100_pStructurePartner(4), 10), "ENDIF     ");
    EXPECT_EQ(std::string(P3100_pStructurePartner(56), 10), "CASE      ");
    const char* none = P3100_pStructureRole(124);
    EXPECT_EQ(none[0], '\0');
    EXPECT_EQ(none[1], '\0');
    EXPECT_EQ(std::string(P3100_pCommandFlags(88), 28), "YYYYYYNYYYYYYYYYNNYNYNNYYNNN");
    EXPECT_EQ(std::string(P3100_pCommandFlags(1), 28), std::string(28, 'N'));
    EXPECT_EQ(std::string(P3100_pCommandFlags(127), 28), std::string(28, 'N'));
}

// The closers and middle parts that only the structure check looks at, and
// the unit-of-work commands without parameters, have no check of their own:
// their dispatch leaves the parsed command alone. Every other command's may
// write to it (ELSE looks for a second ELSE under its IF).
TEST(CommandTables, ChecksThatDoNothing)
{
    P3100_BuildCommandTables(nullptr);
    for (const char* name : {"ENDIF", "ENDCASE", "OTHERWISE", "IF_STATUS", "END_LOOP", "ENDWHILE", "ENDUNTIL",
                             "ENDSELECT", "COMMIT", "ROLLBACK"}) {
        ASSERT_NE(NumberOf(name), 0u) << name;
        EXPECT_EQ(P3100_fCheckDoesNothing(NumberOf(name)), 1) << name;
    }
    for (const char* name : {"IF", "ELSE", "CASE", "WHEN", "CHANGE", "DISPLAY", "SELECT", "DOWHILE", "CALL", "GROUP_BY",
                             "SUBROUTINE", "ENDROUTINE", "INCLUDE", "_INVOKE"}) {
        ASSERT_NE(NumberOf(name), 0u) << name;
        EXPECT_EQ(P3100_fCheckDoesNothing(NumberOf(name)), 0) << name;
    }
    // no command, the lookup's end entry and numbers past it
    EXPECT_EQ(P3100_fCheckDoesNothing(0), 0);
    EXPECT_EQ(P3100_fCheckDoesNothing(128), 0);
    EXPECT_EQ(P3100_fCheckDoesNothing(9999), 0);
}

// The flag columns by their names, against the rows of the file commands.
TEST(CommandTables, FlagColumnsByName)
{
    P3100_BuildCommandTables(nullptr);
    const char* fetch = P3100_pCommandFlags(NumberOf("FETCH"));
    EXPECT_EQ(fetch[FFC_FLAG_FIELD_LIST], 'Y');
    EXPECT_EQ(fetch[FFC_FLAG_WHERE], 'Y');
    EXPECT_EQ(fetch[FFC_FLAG_KEY], 'Y');
    EXPECT_EQ(fetch[FFC_FLAG_IO_ERROR], 'Y');
    EXPECT_EQ(fetch[FFC_FLAG_END_ACTION], 'N') << "FETCH has no end-of-file action";
    EXPECT_EQ(fetch[FFC_FLAG_SECOND_ACTION], 'Y') << "its NOT_FOUND";
    EXPECT_EQ(fetch[FFC_FLAG_VAL_ERROR], 'Y');
    EXPECT_EQ(fetch[FFC_FLAG_EXIT_KEY], 'N');
    const char* select = P3100_pCommandFlags(NumberOf("SELECT"));
    EXPECT_EQ(select[FFC_FLAG_END_ACTION], 'Y') << "its END_FILE";
    EXPECT_EQ(select[FFC_FLAG_SECOND_ACTION], 'N');
    const char* insert = P3100_pCommandFlags(NumberOf("INSERT"));
    EXPECT_EQ(insert[FFC_FLAG_WHERE], 'N');
    EXPECT_EQ(insert[FFC_FLAG_KEY], 'N');
    EXPECT_EQ(insert[FFC_FLAG_IO_STATUS], 'Y');
    EXPECT_EQ(insert[FFC_FLAG_IO_MODULE], 'Y');
    const char* udisplay = P3100_pCommandFlags(NumberOf("UDISPLAY"));
    EXPECT_EQ(udisplay[FFC_FLAG_EXIT_KEY], 'Y');
    EXPECT_EQ(udisplay[FFC_FLAG_MENU_KEY], 'Y');
    EXPECT_EQ(udisplay[FFC_FLAG_FILE], 'N');
    const char* rename = P3100_pCommandFlags(NumberOf("RENAME"));
    EXPECT_EQ(std::string(rename, FFC_COMMAND_FLAG_COUNT), "N" + std::string(1, 'Y') + std::string(26, 'N'));
    EXPECT_EQ(rename[FFC_FLAG_FILE], 'Y');
}

// Each structure's opener and closer name each other, with the roles that
// fit: an opener's partner closes, a closer's and a middle part's partner
// opens.
TEST(CommandTables, StructurePartnersAnswerEachOther)
{
    P3100_BuildCommandTables(nullptr);
    auto roleOf = [](uint32_t n) { return std::string(P3100_pStructureRole(n), 2); };
    int structures = 0;
    for (uint32_t n = 1; n <= FFC_COMMAND_COUNT; ++n) {
        const std::string role = roleOf(n);
        const std::string name(P3100_pCommandName(n), 10);
        const std::string partnerName(P3100_pStructurePartner(n), 10);
        if (role == "NA" || role == "LM" || role[0] == '\0') {
            EXPECT_EQ(partnerName, std::string(10, ' ')) << name;
            continue;
        }
        FFC_COMMAND_ENTRY* partner = P3100_pFindCommand(partnerName.c_str());
        ASSERT_NE(partner, nullptr) << name << " names " << partnerName;
        const std::string theirs = roleOf(partner->ulNumber);
        if (role == "ST" || role == "S2" || role == "S6") {
            ++structures;
            EXPECT_TRUE(theirs == "US" || theirs == "U7") << name << " opens, " << partnerName << " is " << theirs;
            if (theirs == "US" && role == "ST") {
                EXPECT_EQ(std::string(P3100_pStructurePartner(partner->ulNumber), 10), name);
            }
        } else {
            EXPECT_TRUE(role == "US" || role == "U7" || role == "PR") << name << " " << role;
            EXPECT_EQ(theirs, "ST") << name << " closes or continues " << partnerName;
        }
    }
    EXPECT_EQ(structures, 22) << "the 14 ST, 6 S2 and 2 S6 openers";
}

TEST(BuiltInCommands, CodesAndNames)
{
    uint16_t code = 0;
    EXPECT_EQ(P31O2_usLookupCommandCode("begin_com", &code), 1);
    EXPECT_EQ(code, 101);
    EXPECT_EQ(P31O2_usLookupCommandCode("WEBROUTINE  x", &code), 1);
    EXPECT_EQ(code, 120);
    EXPECT_EQ(P31O2_usLookupCommandCode("WEB_MAP", &code), 1);
    EXPECT_EQ(code, 122);
    char name[10];
    EXPECT_EQ(P31O2_fGetCommandName(121, name), 0);
    ASSERT_EQ(P31O2_fGetCommandName(126, name), 1);
    EXPECT_EQ(std::string(name, 10), "_INVOKE   ");
    EXPECT_EQ(P31O2_fIsIncludeCommand("include"), 1);
    EXPECT_EQ(P31O2_fIsIncludeCommand("IF"), 0);
}

// The opposite of the lookup: a component command is built in, whatever
// its case and whatever follows its first blank; any other name is not.
TEST(BuiltInCommands, NotBuiltInIsTheLookupsOpposite)
{
    struct Case {
        const char* name;
        int32_t notBuiltIn;
    };
    constexpr Case kCases[] = {{"IF", 1},        {"begin_com", 0}, {"WEB_MAP", 0}, {"WEBROUTINE  X", 0},
                               {"WEBROUTIN", 1}, {"_INVOKE", 0},   {"", 1},        {"SELECT_SQL", 1}};
    for (const Case& c : kCases)
        EXPECT_EQ(P31O2_fIsNotBuiltInCommand(c.name), c.notBuiltIn) << c.name;
}

// The run kind by the object name: its first five characters "*COMP" name
// a component; anything else is a function.
TEST(RunKind, ComponentByTheFirstFiveCharacters)
{
    struct Case {
        const char* name;
        int32_t component;
    };
    constexpr Case kCases[] = {{"*COMP", 1}, {"*COMPX", 1}, {"*COMP  ", 1}, {"*COM", 0},
                               {"COMP", 0},  {"*comp", 0},  {"CUSTLST", 0}, {"", 0}};
    for (const Case& c : kCases) {
        EXPECT_EQ(P31O2_fIsComponentRun(nullptr, c.name), c.component) << c.name;
        EXPECT_EQ(P31O2_fIsFunctionRun(nullptr, c.name), 1 - c.component) << c.name;
    }
}

// Identifiers made of a text: letters and digits stay, any other character
// becomes '_' ('X' in the first position), trailing blanks and NULs go, a
// text longer than the maximum keeps its rightmost characters.
TEST(MakeIdentifier, ReplacesAndKeepsTheRightmost)
{
    struct Case {
        const char* source;
        uint32_t length, maximum;
        const char* expected;
    };
    const Case kCases[] = {
        {"-AB C  ", 7, 20, "XAB_C"},       /* hyphen first, blank inside */
        {"ABCDEFGH", 8, 5, "DEFGH"},       /* the rightmost five */
        {"AB-C-D", 6, 3, "C_D"},           /* the rightmost three, then replaced */
        {"   ", 3, 5, ""},                 /* nothing left */
        {"A1b2\0\0", 6, 10, "A1b2"},       /* trailing NULs */
        {"#ORDER-NO", 9, 20, "XORDER_NO"}, /* any mark first becomes 'X' */
        {"ABCDEF", 3, 10, "ABC"},          /* only the length given is copied */
    };
    for (const Case& c : kCases) {
        char out[64];
        std::memset(out, '?', sizeof out);
        P31O2_MakeIdentifier(c.source, out, c.length, c.maximum);
        EXPECT_STREQ(out, c.expected) << c.source;
    }
}

// FETCH keeps up to 20 WITH_KEY values; @KEYCODES follows them in the area.
TEST(ParameterArea, EntriesBeyondAListAreNeitherReadNorWritten)
{
    checker::Globals& g = checker::G();
    const FFC_PARSED_COMMAND saved = g.parsed;
    std::memset(&g.parsed, ' ', sizeof g.parsed);
    checker::Pad(g.parsed.acName, 10, "FETCH");
    EXPECT_TRUE(checker::SetParmEntry("WITH_KEY", 0, 0, "FIRST"));
    EXPECT_TRUE(checker::SetParmEntry("WITH_KEY", 19, 0, "LAST"));
    EXPECT_EQ(checker::ParmEntry("WITH_KEY", 0), "FIRST");
    EXPECT_EQ(checker::ParmEntry("WITH_KEY", 19), "LAST");
    EXPECT_TRUE(checker::SetParmEntry("@KEYCODES", 0, 0, "EQ"));
    const std::string before(g.parsed.acParms, FFC_PARM_AREA_SIZE);
    EXPECT_FALSE(checker::SetParmEntry("WITH_KEY", 20, 0, "BEYOND"));
    EXPECT_FALSE(checker::SetParmEntry("WITH_KEY", -1, 0, "BEFORE"));
    EXPECT_FALSE(checker::SetParmEntry("WITH_KEY", 0, 1, "NOELEMENT"));
    EXPECT_EQ(std::string(g.parsed.acParms, FFC_PARM_AREA_SIZE), before) << "nothing written outside the list";
    EXPECT_EQ(checker::ParmEntry("WITH_KEY", 20), "");
    EXPECT_EQ(checker::ParmEntry("WITH_KEY", -1), "");
    EXPECT_EQ(checker::ParmEntry("@KEYCODES", 0), "EQ");
    g.parsed = saved;
}

// A parameter read by its place in the command table into one string, as
// the keyword uses of a command are: each value replaces the one before
// whole (a short value after a long one keeps nothing of it), a blank or
// missing entry reads as nothing, a number as its digits.
TEST(ParameterArea, EntriesReadIntoOneStringReplaceTheValueBefore)
{
    namespace cp = dqov::cmdparm;
    checker::Globals& g = checker::G();
    const FFC_PARSED_COMMAND saved = g.parsed;
    std::memset(&g.parsed, ' ', sizeof g.parsed);
    checker::Pad(g.parsed.acName, 10, "FETCH");
    const int ci = cp::FindCommand("FETCH");
    ASSERT_GE(ci, 0);
    const int fields = cp::IndexedParam(ci, "FIELDS");
    const int where = cp::IndexedParam(ci, "WHERE");
    const int keep = cp::IndexedParam(ci, "KEEP_LAST");
    ASSERT_GE(fields, 0);
    ASSERT_GE(where, 0);
    ASSERT_GE(keep, 0);
    EXPECT_TRUE(checker::SetParmEntry("WHERE", 0, 0, "#CUSTNO = #ORDCUST AND #ORDSTAT *NE 'CLOSED'"));
    EXPECT_TRUE(checker::SetParmEntry("FIELDS", 0, 0, "  #A"));
    EXPECT_TRUE(checker::SetParmEntry("FIELDS", 2, 0, "#ORDNO"));
    EXPECT_TRUE(checker::SetParmCount("FIELDS", 3));
    int32_t kept = 42;
    const int32_t keepAt = cp::PlacedOffset(ci, keep, 0, 0, 4);
    ASSERT_GE(keepAt, 0);
    std::memcpy(g.parsed.acParms + keepAt, &kept, sizeof kept);

    /* read one after the other into the same string, in this order */
    const struct {
        int param, entry, element;
        const char* expected;
        const char* why;
    } reads[] = {
        {where, 0, 0, "#CUSTNO = #ORDCUST AND #ORDSTAT *NE 'CLOSED'", "a long value"},
        {fields, 0, 0, "#A", "leading blanks dropped, nothing of the longer value left"},
        {fields, 1, 0, "", "a blank entry"},
        {fields, 2, 0, "#ORDNO", "a later entry"},
        {fields, 100, 0, "", "past the list"},
        {fields, 0, 1, "", "no such element"},
        {keep, 0, 0, "42", "a number as its digits"},
    };
    std::string value;
    for (const auto& r : reads) {
        checker::ReadParmEntryAt(ci, r.param, r.entry, r.element, value);
        EXPECT_EQ(value, r.expected) << r.why;
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(checker::ParmEntryAt(ci, fields, i, 0), checker::ParmEntry("FIELDS", i)) << i;
    g.parsed = saved;
}

}  // namespace

// DISPLAY, REQUEST and POP_UP on hand-made layout records: the counts and
// tables of the panel manager's call, the text and field tables, the keys
// of the control block and their button handling.
#include "emit_fixture.h"

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fix.h"
#include "generator/core/model/list_definitions.h"

namespace emitters_test {
namespace {

class Display : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        field("ORDREF", 'A', 10);
        field("ORDQTY", 'P', 7, 2);
    }

    static LAYOUT_FIELD_ENTRY entry(const std::string& name, char type, int32_t line, int32_t column, char ident = 'L')
    {
        LAYOUT_FIELD_ENTRY e;
        std::memset(&e, ' ', sizeof e);
        std::memcpy(e.acName, name.data(), std::min<size_t>(name.size(), 10));
        e.cType = type;
        e.lLength = 5;
        e.lDecimals = type == 'P' ? 2 : 0;
        e.lLabelWidth = 15;
        e.lHeadingWidth = e.lValueWidth = e.lIdentOffset = e.lRightLabelOffset = e.lWidth = 0;
        e.lValueOffset = 16;
        e.lLine = line;
        e.lColumn = column;
        e.lLines = 1;
        e.lFieldNumber = e.lDescriptionWidth = 0;
        e.asHeadingWidths[0] = e.asHeadingWidths[1] = e.asHeadingWidths[2] = 0;
        e.sPushButton = 0;
        e.cIdentification = ident;
        e.cUsage = e.cUsage1 = 'B';
        std::memset(e.acInputFlags, '0', 30);
        std::memset(e.acOutputFlags, '0', 30);
        return e;
    }

    static LAYOUT_FIELD_ENTRY text(const std::string& value, int32_t line, int32_t column, const std::string& flags)
    {
        LAYOUT_FIELD_ENTRY e = entry("TEXT000001", 'T', line, column, 'N');
        std::memcpy(e.acEditMask, value.data(), value.size());
        std::memset(e.acInputFlags, 'N', 30);
        std::memcpy(e.acInputFlags, flags.data(), flags.size());
        return e;
    }

    /* The layout records of the command: one format and its entries. */
    void layout(const FFC_PARSED_COMMAND& p, const std::string& format, const char* kind,
                const std::vector<LAYOUT_FIELD_ENTRY>& entries)
    {
        char qualifier[8];
        const int32_t line = p.sLine, second = 0;
        FIX_LongToDigits(&line, 4, qualifier);
        FIX_LongToDigits(&second, 4, qualifier + 4);
        RCDFMT_DATA f;
        std::memset(&f, ' ', sizeof f);
        std::memcpy(f.acFormat, format.data(), 8);
        std::memcpy(f.acKind, kind, 6);
        f.lFirstLine = f.lLastLine = f.lSubfilePage = f.lSubfileSize = f.lEntries = f.lCounted = 0;
        f.lHeadingLines = f.lConditions = 0;
        writeRecord("RCDFMT    ", std::string(p.acName, 10), std::string(qualifier, 8),
                    {{0, std::string(reinterpret_cast<const char*>(&f), sizeof f)}});
        int n = 0;
        for (const LAYOUT_FIELD_ENTRY& e : entries) {
            char number[16];
            std::snprintf(number, sizeof number, "%04d", ++n);
            writeRecord("RCDFLD    ", format, number, {{0, std::string(reinterpret_cast<const char*>(&e), sizeof e)}});
        }
    }

    FFC_PARSED_COMMAND& screen(const char* name = "DISPLAY")
    {
        FFC_PARSED_COMMAND& p = command(name);
        set(p, "BROWSELIST", "*NONE");
        set(p, "EXIT_KEY", "*YES", 0);
        set(p, "EXIT_KEY", "*EXIT", 1);
        set(p, "EXIT_KEY", "*NONE", 2);
        set(p, "EXIT_KEY", "*HIGH", 3);
        set(p, "MENU_KEY", "*YES", 0);
        set(p, "MENU_KEY", "*MENU", 1);
        set(p, "MENU_KEY", "*NONE", 2);
        for (const char* key : {"ADD_KEY", "CHANGE_KEY", "DELETE_KEY"}) {
            set(p, key, "*NO", 0);
            set(p, key, "*NEXT", 1);
            set(p, key, "*NONE", 2);
        }
        set(p, "PROMPT_KEY", "*DFT", 0);
        set(p, "PROMPT_KEY", "*AUTO", 1);
        set(p, "PROMPT_KEY", "*NONE", 2);
        set(p, "PANEL_ID", "*NONE");
        set(p, "PANEL_TITL", "*FUNCTION");
        set(p, "CURSOR_LOC", "*NONE", 0);
        set(p, "STD_HEAD", "N");
        return p;
    }

    /* The eleven table arguments of the X_Present_Panel call. */
    static std::vector<std::string> tableArguments(const std::vector<Line>& ls)
    {
        std::vector<std::string> arguments;
        for (size_t i = 0; i < ls.size(); ++i)
            if (ls[i].text == "                pX_Pro->pX_ABar,")
                for (size_t k = 1; k <= 11 && i + k < ls.size(); ++k)
                    arguments.push_back(ls[i + k].text);
        return arguments;
    }

    /* The line of the control block that follows the given line number. */
    static std::string controlLine(const std::vector<Line>& ls, size_t n)
    {
        for (size_t i = 0; i < ls.size(); ++i)
            if (ls[i].text.rfind("static struct X_PANEL_CTL ", 0) == 0 && i + n < ls.size())
                return ls[i + n].text;
        return "";
    }
};

TEST_F(Display, EmptyPanelKeepsZeroCountsAndNullTables)
{
    FFC_PARSED_COMMAND& p = screen();
    layout(p, "R@F00001", "RECORD", {});
    current(p);
    const std::vector<Line> l = lines([] { P3109_EmitDisplay(); });
    const std::vector<std::string> expected = {"0,    ",       "pX_NULL,    ", "0,    ", "pX_NULL,    ",
                                               "0,    ",       "pX_NULL,    ", "0,    ", "pX_NULL,    ",
                                               "pX_NULL,    ", "pX_NULL,    ", "0,    "};
    std::vector<std::string> got = tableArguments(l);
    for (std::string& a : got)
        a.erase(0, a.find_first_not_of(' '));
    EXPECT_EQ(got, expected) << dump(l);
    EXPECT_TRUE(holds(l, {{6, 6, "pX_Fun->scX_PanelFldExt = 0;"}, {6, 6, "pX_Fun->pX_PanelFldExt = pX_NULL;"}}));
    EXPECT_TRUE(holdsText(l, "                &(INSTANCE(Dialogue_" + P3109_State().lineNumberText + "_Control)),   "));
    EXPECT_TRUE(holds(l, {{6, 3, "X_Last_Display_" + P3109_State().lineNumberText + ":"}}));
    EXPECT_EQ(controlLine(l, 1), "{'D','N',' ',' ',");
    EXPECT_EQ(controlLine(l, 2), " \"\",pX_NULL,");
    EXPECT_EQ(controlLine(l, 4), " 0,1,0,1,1,1,0,") << "EXIT high enabled, MENU enabled, ADD, CHANGE and DELETE off";
    EXPECT_EQ(controlLine(l, 11), " V_NOT_AVAILABLE,V_NOT_AVAILABLE};");
    EXPECT_FALSE(holdsText(l, "/* Handle usage of a user controlled PROMPT */"));
    EXPECT_EQ(P3109_State().out.usIndent, 3);
}

TEST_F(Display, TextsFieldsAndAMissingEditCode)
{
    FFC_PARSED_COMMAND& p = screen("REQUEST");
    layout(p, "R@F00002", "RECORD",
           {text("Order", 1, 2, "YN"), text("Qty", 2, 2, "NNYNNNNNNYN"), entry("ORDREF", 'A', 3, 2),
            entry("ORDQTY", 'P', 4, 2)});
    current(p);
    const std::string n = P3109_State().lineNumberText;
    const std::vector<Line> l = lines([] { P3109_EmitRequest(); });
    EXPECT_TRUE(holds(l, {{1, 3, "static struct X_PANEL_TXT Dialogue_" + n + "_Text[] = {"}}));
    EXPECT_TRUE(holdsText(l, "   /* Attributes = */ X_NORM_TEXT_ATTRIBUTES, /* Colour = */ X_NORM_TEXT_COLOUR "));
    EXPECT_TRUE(holdsText(l, "   /* Attributes = */ \"YNNNN\", /* Colour = */ 'W' ")) << "white is the last colour set";
    /* every row but the first begins with a comma */
    EXPECT_TRUE(holds(l, {{1, 6, " V_FIELD_ORDREF,'B',0,0,3,18,X_DEFAULT_INPUT_COLOUR,X_DEFAULT_OUTPUT_COLOUR,"},
                          {1, 6, " 'L',0,pX_NULL,pX_NULL,pX_NULL,"},
                          {1, 6, " 3,0,0,2,0,0,' ',pX_NULL,' ',"}}));
    EXPECT_TRUE(holdsText(l, ",V_FIELD_ORDQTY,'B',0,0,4,18,X_DEFAULT_INPUT_COLOUR,X_DEFAULT_OUTPUT_COLOUR,"));
    EXPECT_TRUE(holds(l, {{6, 6,
                           "INSTANCE(pDialogue_" + n +
                               "_PFields)[0].pvchIdString[0] = X_Get_MFld( 0, INSTANCE_S3(sLangNo), 'L' );"}}));
    const std::vector<std::string> m = issuedMessages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].substr(0, 10), "PRC1031 W ");
    EXPECT_NE(m[0].find("ORDQTY"), std::string::npos);
    EXPECT_FALSE(holdsText(l, "static struct X_PANEL_FLD Dialogue_" + n + "_BFields[] = {"));
}

TEST_F(Display, BrowseOnlyPanelWritesTheBrowseFieldTable)
{
    writeRecord("LISTNAME  ", "BRW", "", {{0, "0001"}, {4, "B"}, {5, "001"}, {15, "ORDREF    "}});
    FFC_PARSED_COMMAND& def = command("DEF_LIST");
    set(def, "NAME", "#BRW");
    set(def, "TYPE", "*BROWSE");
    for (const char* k : {"COUNTER", "PAGE_SIZE", "TOP_ENTRY", "SEL_ENTRY", "SCROLL_TXT"})
        set(def, k, "*NONE");
    current(def);
    P3109_State().out.cSuppress = 'Y';
    P3109_EmitDefList();
    P3109_State().out.cSuppress = 'N';

    FFC_PARSED_COMMAND& p = screen();
    set(p, "BROWSELIST", "#BRW");
    layout(p, "R@F00003", "SFL   ", {entry("ORDREF", 'A', 6, 2, 'C')});
    current(p);
    const std::string n = P3109_State().lineNumberText;
    const std::vector<Line> l = lines([] { P3109_EmitDisplay(); });
    EXPECT_TRUE(holdsText(l, "static struct X_PANEL_FLD Dialogue_" + n + "_BFields[] = {"));
    EXPECT_FALSE(holdsText(l, "static struct X_PANEL_FLD Dialogue_" + n + "_PFields[] = {"));
    EXPECT_TRUE(holdsText(l, " 0 /* ORDREF */,'B',0,0,6,18,X_DEFAULT_INPUT_COLOUR,X_DEFAULT_OUTPUT_COLOUR,"));
    const std::vector<std::string> args = tableArguments(l);
    ASSERT_EQ(args.size(), 11u);
    EXPECT_EQ(args[2], "                0,    ") << "no panel fields";
    EXPECT_EQ(args[4], "                pX_List[V_LIST_BRW].sFld,    ");
    EXPECT_EQ(args[7], "                INSTANCE(pDialogue_" + n + "_BFields),    ");
    EXPECT_EQ(args[10], "                V_LIST_BRW,    ");
    EXPECT_EQ(P3109_ListDefinitions().at(0).argument, "&(Dialogue_" + n + "_BFields[0])");
    EXPECT_EQ(P3109_ListDefinitions().at(0).fields[0].sMapNumber, 0);
}

TEST_F(Display, KeysOfTheControlBlockAndTheirButtons)
{
    FFC_PARSED_COMMAND& p = screen();
    set(p, "EXIT_KEY", "*LOW", 3);
    set(p, "PROMPT_KEY", "*YES", 0);
    set(p, "PROMPT_KEY", "L10", 1);
    for (const auto& [entry, key] : {std::pair{0, "25"}, std::pair{1, "26"}, std::pair{2, "7"}}) {
        set(p, "USER_KEYS", key, 0, entry);
        set(p, "USER_KEYS", "Next", 1, entry);
        set(p, "USER_KEYS", entry == 2 ? "*NEXT" : "*RETURN", 2, entry);
        set(p, "USER_KEYS", "*NONE", 3, entry);
    }
    layout(p, "R@F00004", "RECORD", {});
    current(p);
    const std::vector<Line> l = lines([] { P3109_EmitDisplay(); });
    EXPECT_EQ(controlLine(l, 4), " 1,0,0,1,1,1,-1,") << "EXIT in the low slot, PROMPT complemented";
    EXPECT_EQ(controlLine(l, 5).substr(0, 7), " 0,\"UP\"");
    EXPECT_EQ(controlLine(l, 6).substr(0, 7), " 0,\"DN\"");
    EXPECT_EQ(controlLine(l, 7).substr(0, 7), " 0,\"07\"");
    EXPECT_EQ(controlLine(l, 8), " 1,\"00\",pX_NULL,");
    EXPECT_TRUE(holdsText(l, "if (strcmp(INSTANCE(pX_UIM->vchAID),X_UIM_EXIT_LO_AID) == 0)"));
    EXPECT_TRUE(holdsText(l, "if (strcmp(INSTANCE(pX_UIM->vchAID),\"UP\") == 0)"));
    EXPECT_FALSE(holdsText(l, "if (strcmp(INSTANCE(pX_UIM->vchAID),\"07\") == 0)")) << "its target is *NEXT";
    EXPECT_TRUE(holds(l, {{6, 3, "if (strcmp(INSTANCE(pX_UIM->vchAID),X_UIM_PROMPT_AID) == 0)"}, {6, 3, "{"}}));
    EXPECT_TRUE(holdsText(l, "goto X_Label_L10;"));

    /* OPTIONS(*OVERLAY) cannot run: the unsupported-command code only */
    FFC_PARSED_COMMAND& overlay = screen();
    list(overlay, "OPTIONS", {"*OVERLAY"});
    current(overlay);
    const std::vector<Line> o = lines([] { P3109_EmitDisplay(); });
    EXPECT_TRUE(holdsText(o, "               X_TEXT(136),\"DISPLAY\");"));
    EXPECT_FALSE(holdsText(o, "X_Present_Panel (X_UIM_SHOW_PANEL,"));
}

TEST_F(Display, WebPagesAndTextsOfTheFunctionCountOnFromPanelToPanel)
{
    FFC_PARSED_COMMAND& first = screen();
    layout(first, "R@F00005", "RECORD", {entry("ORDREF", 'A', 3, 2), entry("ORDQTY", 'P', 4, 2)});
    current(first);
    const std::vector<Line> a = lines([] { P3109_EmitDisplay(); });
    EXPECT_TRUE(holdsText(a, "pX_Fun->sWebPageNumber = 1;"));
    EXPECT_TRUE(holdsText(a, "pX_Fun->sWebTextOffset = 0;"));
    FFC_PARSED_COMMAND& second = screen();
    layout(second, "R@F00006", "RECORD", {});
    current(second);
    const std::vector<Line> b = lines([] { P3109_EmitDisplay(); });
    EXPECT_TRUE(holdsText(b, "pX_Fun->sWebPageNumber = 2;"));
    EXPECT_TRUE(holdsText(b, "pX_Fun->sWebTextOffset = 2;")) << "the two labels of the first panel";
}

TEST_F(Display, ActionBarOptionsAreInitialisedOnlyWithAnActionBar)
{
    field("AB$OPT", 'A', 2);
    P3109_State().skel.usColumn = 3;
    EXPECT_TRUE(lines([] { P3109_EmitActionBarOptionInit(); }).empty());
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    process.cMenuStyle = 'A';
    const std::vector<Line> l = lines([] { P3109_EmitActionBarOptionInit(); });
    EXPECT_TRUE(holds(l, {{6, 3, "/* Initialise action bar option value ABxOPT */"},
                          {6, 3, " "},
                          {6, 3, "X_Vec_Set_from_Vchar (pX_Ids, pX_Pro, pX_Fun, pX_Fld,"}}));
    EXPECT_FALSE(holdsText(l, "/* Initialise pull down option value PDxOPT */")) << "PD$OPT is not used";
}

}  // namespace
}  // namespace emitters_test

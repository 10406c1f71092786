// Field values, status tests and messages: the classes of CHANGE, the test
// lines of IF_STATUS, IF_KEY, IF_MODE and IF_NULL, and the message call.
#include "checked_access.h"
#include "emit_fixture.h"

#include "generator/core/output/static_lists.h"

namespace emitters_test {
namespace {

class Values : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        field("A", 'A', 10);
        field("B", 'A', 10);
        field("N", 'P', 7);
    }
};

TEST_F(Values, ChangeClassesAndGroups)
{
    auto classOf = [this](const std::string& to, const std::string& roundUp = "*NO") {
        FFC_PARSED_COMMAND& p = command("CHANGE");
        set(p, "TO", to);
        set(p, "ROUND_UP", roundUp);
        current(p);
        GEN_FIELD_INFO source;
        return P3109_sClassifyChangeValue(source);
    };
    EXPECT_EQ(classOf("*REMEMBERED_VALUE_FOR_USER_IN_SYSTEM"), 14);
    EXPECT_EQ(classOf("*remembered_value_for_user"), 10);
    EXPECT_EQ(classOf("*NULL"), 0);
    EXPECT_EQ(classOf("#B"), 7);
    /* a single field rounded up is an expression */
    EXPECT_EQ(classOf("#B", "*YES"), 9);

    /* a group: each member takes the value, as single fields do */
    writeRecord("GROUPNAM  ", "XG_AB", "", {});
    writeRecord("GROUPFLD  ", "XG_AB", "0000000001", {{0, "A"}});
    writeRecord("GROUPFLD  ", "XG_AB", "0000000002", {{0, "B"}});
    FFC_PARSED_COMMAND& group = command("CHANGE");
    list(group, "FIELD", {"XG_AB"});
    set(group, "TO", "#N + 1");
    current(group);
    const std::vector<std::string> g = texts(lines([] { P3109_EmitChange(); }));
    EXPECT_EQ(std::count(g.begin(), g.end(), "EVALUATION_MACRO_1"), 1);
    EXPECT_EQ(std::count(g.begin(), g.end(), "EVALUATION_MACRO_2"), 1);
    EXPECT_EQ(checked::Last(P3109_EvaluationChain()).target, "V_FIELD_B");

    /* a remembered value for a group: each member is set from the run
       time's store, with the format of the keyword */
    FFC_PARSED_COMMAND& remembered = command("CHANGE");
    list(remembered, "FIELD", {"XG_AB"});
    set(remembered, "TO", "*REMEMBERED_VALUE_FOR_USER_IN_SYSTEM");
    current(remembered);
    const std::vector<std::string> r = texts(lines([] { P3109_EmitChange(); }));
    const std::vector<std::string> wanted = {
        "X_Set_Remembered_Value(pX_Ids,pX_Pro,pX_Fun,pX_Fld,V_FIELD_A,X_REMEMBER_FORMAT_USER_SYSTEM);",
        "X_Set_Remembered_Value(pX_Ids,pX_Pro,pX_Fun,pX_Fld,V_FIELD_B,X_REMEMBER_FORMAT_USER_SYSTEM);"};
    for (const std::string& w : wanted)
        EXPECT_EQ(std::count(r.begin(), r.end(), w), 1) << w;
    EXPECT_EQ(std::count_if(r.begin(), r.end(), [](const std::string& l) { return l.find("remembered") != l.npos; }),
              2)
        << "one comment per member";
    FFC_PARSED_COMMAND& function = command("CHANGE");
    list(function, "FIELD", {"#A"});
    set(function, "TO", "*REMEMBERED_VALUE_FOR_FUNCTION");
    current(function);
    EXPECT_TRUE(holdsText(lines([] { P3109_EmitChange(); }),
                          "X_Set_Remembered_Value(pX_Ids,pX_Pro,pX_Fun,pX_Fld,V_FIELD_A,X_REMEMBER_FORMAT_FUNCTION);"));
}

TEST_F(Values, StatusKeyModeAndNullTests)
{
    FFC_PARSED_COMMAND& status = command("IF_STATUS");
    list(status, "IS", {"*OKAY"});
    list(status, "IS_NOT", {"*ERROR"});
    current(status);
    const std::vector<std::string> s = texts(lines([] { P3109_EmitIfStatus(); }));
    ASSERT_GE(s.size(), 3u);
    EXPECT_EQ(s[s.size() - 3], "if ((memcmp(INSTANCE(vchLastIOStatus),X_DBM_OKAY,2) == 0)");
    EXPECT_EQ(s[s.size() - 2], " || (memcmp(INSTANCE(vchLastIOStatus),X_DBM_FATAL_ERROR,2) != 0))");

    FFC_PARSED_COMMAND& key = command("IF_KEY");
    list(key, "WAS", {"*EXIT", "*MENU", "*CANCEL"});
    current(key);
    const std::vector<std::string> k = texts(lines([] { P3109_EmitIfKey(); }));
    EXPECT_EQ(k[k.size() - 4], "if ((strcmp(pX_Fun->vchLastAID,X_UIM_EXIT_HI_AID) == 0)");
    EXPECT_EQ(k[k.size() - 3], " || (strcmp(pX_Fun->vchLastAID,X_UIM_CANCEL_AID) == 0)");
    EXPECT_EQ(k[k.size() - 2], " || (strcmp(pX_Fun->vchLastAID,X_UIM_CANCEL_AID) == 0))");

    FFC_PARSED_COMMAND& mode = command("IF_MODE");
    list(mode, "IS", {"*ADD"});
    current(mode);
    const std::vector<std::string> m = texts(lines([] { P3109_EmitIfMode(); }));
    EXPECT_EQ(m[m.size() - 2], "if ((X_FUNCTION_MODE_IS_ADD))");

    /* no known term: reported, and a test that is never true */
    FFC_PARSED_COMMAND& unknown = command("IF_KEY");
    list(unknown, "WAS", {"*NOSUCHKEY"});
    current(unknown);
    const std::vector<std::string> u = texts(lines([] { P3109_EmitIfKey(); }));
    EXPECT_EQ(u[u.size() - 2], "if ( NO )");
    EXPECT_NE(checked::Last(issuedMessages()).find("PRC1190 F"), std::string::npos);

    /* a field the function does not use is left out of IF_NULL's test */
    FFC_PARSED_COMMAND& null = command("IF_NULL");
    list(null, "FIELD", {"#A", "#NOTUSED"});
    current(null);
    const std::vector<std::string> n = texts(lines([] { P3109_EmitIfNull(); }));
    EXPECT_EQ(n[n.size() - 2], "if ((X_Vec_Null(pX_Ids,pX_Pro,pX_Fun,pX_Fld,V_FIELD_A) == YES))");
}

TEST_F(Values, MessagesWithTextIdAndSubstitutions)
{
    FFC_PARSED_COMMAND& text = command("MESSAGE");
    set(text, "MSGTXT", "It's a \"quoted\" \\ text */");
    set(text, "@MSGKIND", "T");
    set(text, "MSGID", "*NONE");
    set(text, "MSGFILE", "*NONE");
    set(text, "TYPE", "*INFO");
    current(text);
    const std::vector<std::string> t = texts(lines([] { P3109_EmitMessage(); }));
    auto at = [](const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    EXPECT_TRUE(at(t, "X_Handle_Message (pX_Ids,"));
    EXPECT_TRUE(at(t, "          X_MESSAGE_TYPE_INFO,"));
    EXPECT_TRUE(at(t, "          0,"));
    /* the text travels as a literal of the text strings, escaped there */
    const std::vector<GEN_TEXT_LITERAL>& literals = CGEN_TextLiterals();
    EXPECT_NE(
        std::find_if(literals.begin(), literals.end(),
                     [](const GEN_TEXT_LITERAL& l) { return l.text.rfind("It's a \"quoted\" \\ text */", 0) == 0; }),
        literals.end());
    for (const std::string& l : t)
        EXPECT_EQ(l.find("quoted"), std::string::npos) << l;

    field("C");
    FFC_PARSED_COMMAND& abort = command("ABORT");
    set(abort, "@MSGKIND", "I");
    set(abort, "MSGID", "ABC0001");
    set(abort, "MSGFILE", "MYFILE");
    set(abort, "TYPE", "*INFO");
    list(abort, "MSGDTA", {"#A", "#B", "#C"});
    current(abort);
    const std::vector<std::string> a = texts(lines([] { P3109_EmitMessage(); }));
    EXPECT_TRUE(at(a, "X_Handle_Message_Abort (pX_Ids,"));
    EXPECT_TRUE(at(a, "   V_FIELD_A,"));
    EXPECT_TRUE(at(a, "   V_FIELD_C"));
    EXPECT_TRUE(at(a, "          (sizeof(SubVariables)/sizeof(X_SHORT)),"));
    /* a message id passes its text's name in a comment only */
    EXPECT_EQ(
        std::count_if(a.begin(), a.end(),
                      [](const std::string& l) { return l.rfind("          pX_NULL, /* U_MESSAGE_TEXT_", 0) == 0; }),
        1);
    EXPECT_EQ(a.back(), "X_MAIN_ABORT (" + P3109_State().cName + ")");

    /* no message: the prologue only */
    FFC_PARSED_COMMAND& none = command("MESSAGE");
    set(none, "@MSGKIND", "N");
    current(none);
    for (const std::string& l : texts(lines([] { P3109_EmitMessage(); })))
        EXPECT_EQ(l.find("X_Handle_Message"), std::string::npos);
}

}  // namespace
}  // namespace emitters_test

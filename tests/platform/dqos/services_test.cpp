// Messages, stored command list, cross-reference, object state and the
// smaller services, on a copy of the sample repository.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_messages.h"
#include "platform/dqoz/dqoz.h"
#include "repo_fixture.h"

using dqos_test::countFromOutside;
using dqos_test::TempRepository;

namespace {

// A lock timeout of 0 seconds for the connections made while it lives.
struct ScopedTimeout {
    ScopedTimeout() { setenv("DQOV_LOCK_TIMEOUT", "0", 1); }
    ~ScopedTimeout() { unsetenv("DQOV_LOCK_TIMEOUT"); }
};

class Services : public ::testing::Test {
protected:
    TempRepository repo = TempRepository::copyOf(dqos_test::sampleRepository());
    void SetUp() override
    {
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
        SMISC_SetSession("DEM", "ENG");
    }
    void TearDown() override
    {
        SSQL_SetFailLocation(nullptr);
        SSQL_SetLocation(nullptr);
        SSQL_Disconnect();
        SMISC_SetSession("", "");
    }
    void exec(const char* sql)
    {
        SSQL_AREA a;
        ASSERT_EQ(SSQL_DeclareExt(&a, sql), SSQL_RC_OK) << sql;
        SSQL_SQLDA* h = nullptr;
        ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK) << sql << ": " << SSQL_pszLastError();
        SMEM_FreeMem(h);
    }
    std::vector<std::string> texts(SZOPH_LIST* list)
    {
        std::vector<std::string> out;
        SZOPH_COMMAND* c = nullptr;
        while (SZOPH_sGetNextCommand(list, &c) == 0)
            out.push_back(c->pszText);
        return out;
    }
};

TEST_F(Services, MessageFallsBackToDefaultLanguageAndLibraryFile)
{
    exec("INSERT INTO QV_DTA.QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES "
         "('DC@F23', 'PRC1006', 'FRA', 'F', '10', 'La liste de travail &1 n''a pas de définition.')");
    SMISC_SetSession("DEM", "FRA");
    auto fra = dqos::lookupMessage("DC@F23", "PRC1006", "");
    ASSERT_TRUE(fra);
    EXPECT_EQ(fra->language, "FRA");
    EXPECT_EQ(dqos::substituteMessage(*fra, "#CUSTLIST "), "La liste de travail #CUSTLIST n'a pas de définition.");
    // No French text: the default language answers.
    auto eng = dqos::lookupMessage("DC@F23", "PRC1017", "FRA");
    ASSERT_TRUE(eng);
    EXPECT_EQ(eng->language, "ENG");
    EXPECT_EQ(eng->severity, 'F');
    // A message queued under the object's name is found in the library's file.
    auto viaObject = dqos::lookupMessage("CUSTLST   ", "PRC1017", "ENG");
    ASSERT_TRUE(viaObject);
    EXPECT_EQ(viaObject->file, "DC@F23");
    EXPECT_FALSE(dqos::lookupMessage("DC@F23", "PRC9999", "ENG").has_value());
}

// A text found is answered again without a new reading only while the
// repository holds it unchanged: a change of this connection, its rollback,
// one committed by another, another session language and a new connection
// are all seen.
TEST_F(Services, MessageTextFollowsTheRepository)
{
    auto text = [] {
        auto m = dqos::lookupMessage("DC@F23", "PRC1017", "");
        return m ? m->text : std::string("(none)");
    };
    const std::string stored = text();
    ASSERT_NE(stored, "(none)");
    EXPECT_EQ(text(), stored);
    const char* change = "UPDATE QV_DTA.QV_MSG SET MSGTXT = 'Changed here' WHERE MSGFIL = 'DC@F23' AND "
                         "MSGID = 'PRC1017' AND MSGLNG = 'ENG'";
    exec("BEGIN WORK");
    exec(change);
    EXPECT_EQ(text(), "Changed here");
    exec("ROLLBACK WORK");
    EXPECT_EQ(text(), stored);
    exec(change);
    exec("COMMIT WORK");
    EXPECT_EQ(text(), "Changed here");
    {
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(repo.path().c_str(), &other), SQLITE_OK);
        sqlite3_busy_timeout(other, 5000);
        EXPECT_EQ(sqlite3_exec(other,
                               "UPDATE QV_MSG SET MSGTXT = 'Changed elsewhere' WHERE MSGFIL = 'DC@F23' AND "
                               "MSGID = 'PRC1017' AND MSGLNG = 'ENG'; "
                               "INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES "
                               "('DC@F23', 'PRC1017', 'FRA', 'F', '', 'Autre texte')",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(other);
    }
    EXPECT_EQ(text(), "Changed elsewhere");
    SMISC_SetSession("DEM", "FRA");
    EXPECT_EQ(text(), "Autre texte");
    SMISC_SetSession("DEM", "ENG");
    EXPECT_EQ(text(), "Changed elsewhere");
    // a new connection to another copy reads that copy's text
    TempRepository fresh = TempRepository::copyOf(dqos_test::sampleRepository());
    SSQL_Disconnect();
    ASSERT_EQ(SSQL_sConnect(fresh.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(text(), stored);
}

TEST_F(Services, MessageTextTakesFixedWidthSubstitutionData)
{
    // File, library, "0000001", key field: 10 + 10 + 7 + 10.
    std::string data = std::string("CUSTMST   ") + "DEMLIB    " + "0000001" + "CUSTNO    ";
    char out[200];
    char sev = 0;
    EXPECT_EQ(SMSG_sGetMessageText("CUSTLST", "DCM0121", "ENG", data.data(), data.size(), out, sizeof out, &sev), 0);
    EXPECT_STREQ(
        out, "Key field CUSTNO of file CUSTMST in library DEMLIB is not in the dictionary or is not usable as a key.");
    EXPECT_EQ(sev, 'F');
    // Too short data leaves the missing markers empty; the output is bounded.
    char small[20];
    EXPECT_EQ(SMSG_sGetMessageText("DC@F23", "DCM0121", "ENG", "CUSTMST", 7, small, sizeof small, nullptr), 0);
    EXPECT_EQ(std::strlen(small), sizeof small - 1);
    // An id without text still shows the id and its data.
    EXPECT_EQ(SMSG_sGetMessageText("DC@F23", "PRC9999", "ENG", "VALUE     ", 10, out, sizeof out, &sev), 1);
    EXPECT_STREQ(out, "PRC9999 VALUE");
    // A carrier takes the whole text.
    std::string carried = "More than 5000 lines in program or function. Reduce the number of lines.";
    EXPECT_EQ(SMSG_sGetMessageText("DC@F23", "DCM9898", "", carried.data(), carried.size(), out, sizeof out, nullptr),
              0);
    EXPECT_EQ(std::string(out), carried);
}

// The markers of a text: "&&" is one '&', an '&' before no number stays
// as it is, a number without its field (0, or past the fields) gives
// nothing, and a field is put in as often as it is named. The text shown
// ends at a NUL byte the data brings.
TEST_F(Services, MessageMarkersTakeTheirFieldsOrNothing)
{
    exec("INSERT INTO QV_DTA.QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES "
         "('DC@F23', 'TST0001', 'ENG', 'W', '3, *', '&1/&2 && &3 & &x &0 &12 &1&1&')");
    auto m = dqos::lookupMessage("DC@F23", "TST0001", "ENG");
    ASSERT_TRUE(m);
    EXPECT_EQ(dqos::substituteMessage(*m, "AB CDEF  "), "AB/CDEF &  & &x   ABAB&");
    EXPECT_EQ(dqos::substituteMessage(*m, ""), "/ &  & &x   &");
    char out[100];
    char sev = 0;
    EXPECT_EQ(SMSG_sGetMessageText("DC@F23", "TST0001", "ENG", "AB CDEF  ", 9, out, sizeof out, &sev), 0);
    EXPECT_STREQ(out, "AB/CDEF &  & &x   ABAB&");
    EXPECT_EQ(sev, 'W');
    const char nul[] = {'X', '\0', 'Y', 'Z', 'Z'};
    EXPECT_EQ(SMSG_sGetMessageText("DC@F23", "TST0001", "ENG", nul, sizeof nul, out, sizeof out, nullptr), 0);
    EXPECT_STREQ(out, "X");
    char four[5];
    EXPECT_EQ(SMSG_sGetMessageText("DC@F23", "TST0001", "ENG", "AB CDEF  ", 9, four, sizeof four, nullptr), 0);
    EXPECT_STREQ(four, "AB/C");
}

TEST_F(Services, DisplayHookAndRedirection)
{
    std::vector<std::string> shown;
    SMSG_SetDisplayHook(
        [](void* user, const char* text) { static_cast<std::vector<std::string>*>(user)->push_back(text); }, &shown);
    SMSG_DisplayMessage("first");
    char buf[12];
    SMSG_RedirectMsgs(buf, sizeof buf);
    SMSG_DisplayMessage("captured text");
    SMSG_DisplayMessage("more");
    SMSG_RedirectMsgs(nullptr, 0);
    SMSG_DisplayMessage("second");
    SMSG_SetDisplayHook(nullptr, nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>{"first", "second"}));
    EXPECT_STREQ(buf, "captured te");  // cut to the buffer, never past it
}

TEST_F(Services, StoredCommandListLoadsInOrderAndRewinds)
{
    SZOPH_LIST* list = nullptr;
    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC", "DEMOMIN", &list, 0), 0);
    EXPECT_EQ(texts(list), (std::vector<std::string>{"FUNCTION OPTIONS(*DIRECT)", "RETURN"}));
    SZOPH_COMMAND* c = nullptr;
    EXPECT_EQ(SZOPH_sGetNextCommand(list, &c), 1);
    SZOPH_ResetCommandList(list);
    ASSERT_EQ(SZOPH_sGetNextCommand(list, &c), 0);
    EXPECT_EQ(c->sNumber, 1);
    EXPECT_STREQ(c->szName, "FUNCTION");
    EXPECT_STREQ(c->pszParms, "OPTIONS(*DIRECT)");
    EXPECT_EQ(SZOPH_chListKind(list), 'F');
    SZOPH_DropCommands(list);

    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC   ", "CUSTUPD", &list, 0), 0);
    std::vector<std::string> all = texts(list);
    ASSERT_EQ(all.size(), 29u);
    EXPECT_EQ(all[3], "INCLUDE PROCESS(*DIRECT) FUNCTION(DEMINC)");
    EXPECT_EQ(all[4], "L10: REQUEST FIELDS(#CUSTNO #ACTION)");
    EXPECT_EQ(all[16], "L20: INSERT FIELDS(#CUSTNO #CUSTNAM #CREDIT #CUSTSTS) TO_FILE(CUSTMST)");
    EXPECT_EQ(all[28], "ENDROUTINE");
    SZOPH_DropCommands(list);

    // The quotes of the language's own literals are kept as written.
    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC", "DEMINC", &list, 0), 0);
    all = texts(list);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1], "MESSAGE MSGTXT('Customer ''totals'' were reset')");
    SZOPH_DropCommands(list);

    // Unknown function or process: cannot load.
    EXPECT_EQ(SZOPH_sLoadCommands("DEMOPRC", "NOSUCH", &list, 0), 1);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(SZOPH_sLoadCommands("OTHERPRC", "DEMOMIN", &list, 0), 1);
    // A function known to the repository without stored source is an empty list.
    exec("INSERT INTO QV_DTA.QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', 'DEMOPRC', 'EMPTYFN')");
    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC", "EMPTYFN", &list, 0), 0);
    EXPECT_TRUE(texts(list).empty());
    SZOPH_DropCommands(list);

    // The list's kind is the first row's; label and name lose their
    // trailing blanks; the parameters stay the end of the whole text.
    exec("INSERT INTO QV_DTA.QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCKND, SRCLBL, SRCCMD, SRCPRM) VALUES "
         "('DEM', 'DEMOPRC', 'EMPTYFN', 1, 'Z', 'L1  ', 'CHANGE    ', 'FIELD(#A) TO(1)'),"
         "('DEM', 'DEMOPRC', 'EMPTYFN', 2, 'F', '', 'RETURN', '')");
    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC", "EMPTYFN", &list, 0), 0);
    EXPECT_EQ(SZOPH_chListKind(list), 'Z');
    EXPECT_EQ(texts(list), (std::vector<std::string>{"L1: CHANGE FIELD(#A) TO(1)", "RETURN"}));
    SZOPH_ResetCommandList(list);
    ASSERT_EQ(SZOPH_sGetNextCommand(list, &c), 0);
    SZOPH_UpdateCmdText(c, 0, 0, 'Z');
    EXPECT_STREQ(c->szLabel, "L1");
    EXPECT_STREQ(c->pszParms, "FIELD(#A) TO(1)");
    EXPECT_STREQ(c->pszText, "L1: CHANGE FIELD(#A) TO(1)");
    // without the label the text is rewritten where it is, the parameters
    // moved to its new end; a longer label than before takes new room
    std::strcpy(c->szLabel, "");
    SZOPH_UpdateCmdText(c, 0, 0, 'Z');
    EXPECT_STREQ(c->pszText, "CHANGE FIELD(#A) TO(1)");
    EXPECT_STREQ(c->pszParms, "FIELD(#A) TO(1)");
    EXPECT_EQ(c->ulTextLength, 22u);
    EXPECT_EQ(c->ulParmsLength, 15u);
    std::strcpy(c->szLabel, "L22");
    SZOPH_UpdateCmdText(c, 0, 0, 'Z');
    EXPECT_STREQ(c->pszText, "L22: CHANGE FIELD(#A) TO(1)");
    EXPECT_STREQ(c->pszParms, "FIELD(#A) TO(1)");
    EXPECT_EQ(c->ulTextLength, 27u);
    ASSERT_EQ(SZOPH_sGetNextCommand(list, &c), 0);
    EXPECT_STREQ(c->pszParms, "");
    SZOPH_DropCommands(list);
}

TEST_F(Services, LongCommandListKeepsOrderAndPlaces)
{
    // 130 commands, stored in reverse order: more than two blocks of the list
    exec("INSERT INTO QV_DTA.QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', 'DEMOPRC', 'LONGFN')");
    for (int n = 130; n >= 1; --n) {
        const std::string row = "INSERT INTO QV_DTA.QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCCMD, SRCPRM) VALUES "
                                "('DEM', 'DEMOPRC', 'LONGFN', " +
                                std::to_string(n) + ", 'CHANGE', 'FIELD(#A) TO(" + std::to_string(n) + ")')";
        exec(row.c_str());
    }
    SZOPH_LIST* list = nullptr;
    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC", "LONGFN", &list, 0), 0);
    std::vector<SZOPH_COMMAND*> seen;
    SZOPH_COMMAND* c = nullptr;
    while (SZOPH_sGetNextCommand(list, &c) == 0)
        seen.push_back(c);
    ASSERT_EQ(seen.size(), 130u);
    EXPECT_STREQ(seen[0]->pszText, "CHANGE FIELD(#A) TO(1)");
    EXPECT_STREQ(seen[63]->pszText, "CHANGE FIELD(#A) TO(64)");
    EXPECT_STREQ(seen[64]->pszText, "CHANGE FIELD(#A) TO(65)");
    EXPECT_STREQ(seen[129]->pszText, "CHANGE FIELD(#A) TO(130)");
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i]->sNumber, static_cast<int16_t>(i + 1));
    // read again from the start: the same commands where they were
    SZOPH_ResetCommandList(list);
    for (size_t i = 0; i < seen.size(); ++i) {
        ASSERT_EQ(SZOPH_sGetNextCommand(list, &c), 0);
        EXPECT_EQ(c, seen[i]);
    }
    EXPECT_EQ(SZOPH_sGetNextCommand(list, &c), 1);
    SZOPH_DropCommands(list);
}

TEST_F(Services, CommandTextFollowsEveryChangeOfItsParts)
{
    exec("INSERT INTO QV_DTA.QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', 'DEMOPRC', 'TEXTFN')");
    exec("INSERT INTO QV_DTA.QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCKND, SRCLBL, SRCCMD, SRCPRM) VALUES "
         "('DEM', 'DEMOPRC', 'TEXTFN', 1, 'F', 'L1', 'CHANGE', 'FIELD(#A) TO(1)'),"
         "('DEM', 'DEMOPRC', 'TEXTFN', 2, 'F', '', 'RETURN', '')");
    SZOPH_LIST* list = nullptr;
    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC", "TEXTFN", &list, 0), 0);
    SZOPH_COMMAND* c = nullptr;
    ASSERT_EQ(SZOPH_sGetNextCommand(list, &c), 0);

    // nothing changed: the same text in the same place
    const char* text = c->pszText;
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_EQ(c->pszText, text);
    EXPECT_STREQ(c->pszText, "L1: CHANGE FIELD(#A) TO(1)");
    EXPECT_EQ(c->ulTextLength, 26u);

    // a name of the same length, a label of the same length, a name with
    // trailing blanks: each one is in the text afterwards
    std::strcpy(c->szName, "MOVEIT");
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_STREQ(c->pszText, "L1: MOVEIT FIELD(#A) TO(1)");
    c->szLabel[1] = '9';
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_STREQ(c->pszText, "L9: MOVEIT FIELD(#A) TO(1)");
    std::strcpy(c->szName, "SET   ");
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_STREQ(c->pszText, "L9: SET FIELD(#A) TO(1)");
    EXPECT_EQ(c->ulTextLength, 23u);

    // parameters cut short where they stand, then parameters of another buffer
    c->ulParmsLength = 9;
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_STREQ(c->pszText, "L9: SET FIELD(#A)");
    EXPECT_STREQ(c->pszParms, "FIELD(#A)");
    EXPECT_EQ(c->ulTextLength, 17u);
    const std::string other = "FIELD(#B) TO(2)";
    c->pszParms = other.c_str();
    c->ulParmsLength = static_cast<uint32_t>(other.size());
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_STREQ(c->pszText, "L9: SET FIELD(#B) TO(2)");
    EXPECT_STREQ(c->pszParms, "FIELD(#B) TO(2)");
    EXPECT_NE(c->pszParms, other.c_str());

    // a command of a name alone, its name changed
    ASSERT_EQ(SZOPH_sGetNextCommand(list, &c), 0);
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_STREQ(c->pszText, "RETURN");
    std::strcpy(c->szName, "EXIT");
    SZOPH_UpdateCmdText(c, 0, 0, 'F');
    EXPECT_STREQ(c->pszText, "EXIT");
    EXPECT_EQ(c->ulTextLength, 4u);
    SZOPH_DropCommands(list);
}

TEST_F(Services, ParameterComponentsAreInsertedAndMarkTheCommandChanged)
{
    SZOPH_LIST* list = nullptr;
    ASSERT_EQ(SZOPH_sLoadCommands("DEMOPRC", "CUSTLST", &list, 0), 0);
    SZOPH_COMMAND* c = nullptr;
    SZOPH_COMMAND* display = nullptr;
    while (SZOPH_sGetNextCommand(list, &c) == 0)
        if (c->sNumber == 13)
            display = c;
    ASSERT_NE(display, nullptr);
    EXPECT_STREQ(display->szName, "DISPLAY");
    EXPECT_FALSE(display->fChanged);
    EXPECT_FALSE(SZOPH_fListChanged(list));

    // Screen design: component 9401 (parameter 94, component 1), then 19801 and 19802.
    SZOPH_PARMCOMP comp{94, 1, "(#WRKCNT *L3 *P5)   "};
    ASSERT_EQ(SZOPH_InsertParmComp(display, &comp, 0, SZOPH_chListKind(list)), 0);
    SZOPH_PARMCOMP second{198, 2, "B"};
    SZOPH_PARMCOMP first{198, 1, "A"};
    SZOPH_InsertParmComp(display, &second, 0, 'F');
    SZOPH_InsertParmComp(display, &first, 0, 'F');
    SZOPH_PARMCOMP replaced{94, 1, "(#WRKCNT *L4 *P5)"};
    SZOPH_InsertParmComp(display, &replaced, 0, 'F');
    ASSERT_EQ(SZOPH_usParmCompCount(display), 3);
    EXPECT_EQ(SZOPH_pGetParmComp(display, 0)->usParm, 94);
    EXPECT_STREQ(SZOPH_pGetParmComp(display, 0)->pszText, "(#WRKCNT *L4 *P5)");
    EXPECT_STREQ(SZOPH_pGetParmComp(display, 1)->pszText, "A");
    EXPECT_STREQ(SZOPH_pGetParmComp(display, 2)->pszText, "B");
    EXPECT_EQ(SZOPH_pGetParmComp(display, 3), nullptr);
    EXPECT_TRUE(display->fChanged);
    EXPECT_TRUE(SZOPH_fListChanged(list));
    EXPECT_EQ(SZOPH_InsertParmComp(display, nullptr, 0, 'F'), 1);

    // Text brought up to date after the parts changed.
    std::strcpy(display->szLabel, "D01");
    SZOPH_UpdateCmdText(display, 0, 0, 'F');
    EXPECT_STREQ(display->pszText, "D01: DISPLAY FIELDS(#WRKCNT) BROWSELIST(#CUSTLIST)");
    SZOPH_DropCommands(list);
}

TEST_F(Services, CrossReferenceIsRecordedIntoTheTable)
{
    long x = SZOPH_XREF_Begin("DEMOPRC", "CUSTLST");
    ASSERT_GT(x, 0);
    EXPECT_EQ(SZOPH_XREF_Record(x, "FIELD", "CUSTNO", "READ", 5), SSQL_RC_OK);
    EXPECT_EQ(SZOPH_XREF_Record(x, "FILE", "CUSTMST", "SELECT", 5), SSQL_RC_OK);
    EXPECT_EQ(SZOPH_XREF_End(x), 2);
    EXPECT_EQ(SZOPH_XREF_Record(x, "FIELD", "X", "", 1), SSQL_RC_ERROR);
    EXPECT_EQ(SZOPH_XREF_End(x), -1);
    SSQL_Commit();
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_XRF WHERE XRFFMT = 'CUSTLST'"), 2);
    // A new check replaces the earlier references.
    x = SZOPH_XREF_Begin("DEMOPRC", "CUSTLST");
    SZOPH_XREF_Record(x, "FIELD", "WRKCNT", "CHANGE", 8);
    SZOPH_XREF_End(x);
    SSQL_Commit();
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_XRF WHERE XRFFMT = 'CUSTLST'"), 1);
    SSQL_Disconnect();
    EXPECT_EQ(SZOPH_XREF_Begin("DEMOPRC", "CUSTLST"), 0);
}

// A unit that only reads takes no lock: its cross-reference waits for its
// commit, which takes the write lock then; a rollback drops it.
TEST_F(Services, AReadingUnitsCrossReferenceIsWrittenAtItsCommit)
{
    const char* count = "SELECT COUNT(*) FROM QV_XRF WHERE XRFFMT = 'CUSTLST'";
    exec("BEGIN READ WORK");
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(repo.path().c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    // another process holds the write lock: the references are kept all the same
    long x = SZOPH_XREF_Begin("DEMOPRC", "CUSTLST");
    ASSERT_GT(x, 0) << SSQL_pszLastError();
    EXPECT_EQ(SZOPH_XREF_Record(x, "FIELD", "CUSTNO", "READ", 5), SSQL_RC_OK);
    EXPECT_EQ(SZOPH_XREF_Record(x, "FILE", "CUSTMST", "SELECT", 6), SSQL_RC_OK);
    EXPECT_EQ(SZOPH_XREF_End(x), 2);
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(countFromOutside(repo.path(), count), 0) << "nothing written before the commit";
    exec("COMMIT WORK");
    EXPECT_EQ(countFromOutside(repo.path(), count), 2);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_XRF WHERE XRFFMT = 'CUSTLST' AND XRFSEQ = 2 "
                                           "AND XRFNAM = 'CUSTMST' AND XRFLIN = 6"),
              1);
    // rolled back: nothing of it is written; a writing unit writes at once
    exec("BEGIN READ WORK");
    x = SZOPH_XREF_Begin("DEMOPRC", "CUSTLST");
    SZOPH_XREF_Record(x, "FIELD", "WRKCNT", "CHANGE", 8);
    SZOPH_XREF_End(x);
    exec("ROLLBACK WORK");
    exec("COMMIT WORK");
    EXPECT_EQ(countFromOutside(repo.path(), count), 2);
    exec("BEGIN READ WORK");
    x = SZOPH_XREF_Begin("DEMOPRC", "CUSTLST");
    exec("BEGIN WORK");  // the unit turns writer: what it kept is written in it
    SZOPH_XREF_Record(x, "FIELD", "WRKCNT", "CHANGE", 8);
    SZOPH_XREF_End(x);
    exec("COMMIT WORK");
    EXPECT_EQ(countFromOutside(repo.path(), count), 1);
}

// A recording's insert belongs to the connection it was made on: after a
// reconnection the next reference is written through the new one.
TEST_F(Services, CrossReferenceGoesOnAfterAReconnection)
{
    long x = SZOPH_XREF_Begin("DEMOPRC", "CUSTLST");
    ASSERT_GT(x, 0);
    EXPECT_EQ(SZOPH_XREF_Record(x, "FIELD", "CUSTNO", "READ", 5), SSQL_RC_OK);
    SSQL_Disconnect();  // rolls back the begin's clearing and the first row
    ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(SZOPH_XREF_Record(x, "FILE", "CUSTMST", "SELECT", 7), SSQL_RC_OK) << SSQL_pszLastError();
    EXPECT_EQ(SZOPH_XREF_End(x), 2);
    SSQL_Commit();
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_XRF WHERE XRFFMT = 'CUSTLST' AND XRFSEQ = 2 "
                                           "AND XRFKND = 'FILE' AND XRFNAM = 'CUSTMST' AND XRFUSG = 'SELECT' "
                                           "AND XRFLIN = 7 AND XRFP_I = 'DEM' AND XRFMOD = 'DEMOPRC'"),
              1);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_XRF WHERE XRFFMT = 'CUSTLST' AND XRFSEQ = 1"), 0);
}

// Units of work are numbered; a setting is read once a unit, again in the
// next unit or after the connection wrote the settings table.
TEST_F(Services, SettingsAreKeptForTheUnitOfWork)
{
    EXPECT_EQ(SSQL_ulUnitOfWork(), 0u) << "no unit open yet";
    exec("BEGIN WORK");
    const unsigned long first = SSQL_ulUnitOfWork();
    EXPECT_NE(first, 0u);
    EXPECT_STREQ(SMISC_pszDefaultLanguage(), "ENG");
    EXPECT_EQ(SMISC_GetMaximumSet(), 2);
    EXPECT_EQ(SSQL_ulUnitOfWork(), first) << "reads keep the number";
    exec("INSERT INTO QV_DTA.QV_WBA (WBAP_I, WBANUM, WBANM1, WBANM2, WBANM3) VALUES ('DEM', 9, 'X', '', '')");
    EXPECT_EQ(SSQL_ulUnitOfWork(), first) << "a write to another table keeps it";
    exec("UPDATE QV_DTA.QV_SET SET SETVAL = 'FRA' WHERE SETKEY = 'DEFLANG'");
    const unsigned long written = SSQL_ulUnitOfWork();
    EXPECT_NE(written, first);
    EXPECT_STREQ(SMISC_pszDefaultLanguage(), "FRA");
    exec("DELETE FROM QV_DTA.QV_SET");  // every row at once
    EXPECT_NE(SSQL_ulUnitOfWork(), written);
    EXPECT_STREQ(SMISC_pszDefaultLanguage(), "ENG") << "no setting: the default";
    EXPECT_EQ(SMISC_GetMaximumSet(), 0);
    exec("ROLLBACK WORK");
    EXPECT_EQ(SSQL_ulUnitOfWork(), 0u) << "the unit ended";
    {
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(repo.path().c_str(), &other), SQLITE_OK);
        sqlite3_busy_timeout(other, 5000);
        EXPECT_EQ(sqlite3_exec(other, "UPDATE QV_SET SET SETVAL = 'GER' WHERE SETKEY = 'DEFLANG'", nullptr, nullptr,
                               nullptr),
                  SQLITE_OK);
        sqlite3_close(other);
    }
    exec("BEGIN WORK");
    const unsigned long next = SSQL_ulUnitOfWork();
    EXPECT_NE(next, 0u);
    EXPECT_NE(next, first);
    EXPECT_NE(next, written);
    EXPECT_STREQ(SMISC_pszDefaultLanguage(), "GER") << "another process's commit, read in the next unit";
    EXPECT_EQ(SMISC_GetMaximumSet(), 2) << "the rollback took the delete back";
    exec("COMMIT WORK");
}

// The keys of journals of renames belong to a root: each root asks about,
// and forgets, only its own.
TEST_F(Services, JournalKeysAreKeptPerRoot)
{
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-1", "ROOT-A"), 0) << "no table yet: nothing committed";
    EXPECT_EQ(SDQOX_NoteFileWork("K-1", "ROOT-A"), SSQL_RC_OK);
    EXPECT_EQ(SDQOX_NoteFileWork("K-2", "ROOT-A"), SSQL_RC_OK);
    EXPECT_EQ(SDQOX_NoteFileWork("K-3", "ROOT-B"), SSQL_RC_OK);
    EXPECT_EQ(SDQOX_NoteFileWork("K-4", nullptr), SSQL_RC_ERROR);
    SSQL_Commit();
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-1", "ROOT-A"), 1);
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-1", "ROOT-B"), 0) << "another root's key is none of this root's";
    // root B forgets its keys without journals: root A's stay
    EXPECT_EQ(SDQOX_ForgetFileWork("ROOT-B", nullptr, 0), SSQL_RC_OK);
    SSQL_Commit();
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-3", "ROOT-B"), 0);
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-1", "ROOT-A"), 1);
    const char* keep[] = {"K-2"};
    EXPECT_EQ(SDQOX_ForgetFileWork("ROOT-A", keep, 1), SSQL_RC_OK);
    SSQL_Commit();
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-1", "ROOT-A"), 0);
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-2", "ROOT-A"), 1) << "a journal still there keeps its key";
    // a unit that reads without the write lock cannot tell
    exec("BEGIN READ WORK");
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "SELECT COUNT(*) FROM QV_DTA.QV_F23");
    SSQL_SQLDA* h = nullptr;
    ASSERT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_OK);
    SMEM_FreeMem(h);
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-2", "ROOT-A"), -1);
    exec("ROLLBACK WORK");
}

// A table of an earlier release holds keys without roots: it is given the
// roots' column by the first key written, and its old keys are no root's.
TEST_F(Services, AnEarlierKeysTableTakesTheRoots)
{
    exec("CREATE TABLE QV_DTA.QV_FJW (FJWKEY VARCHAR(64) NOT NULL PRIMARY KEY)");
    exec("INSERT INTO QV_DTA.QV_FJW (FJWKEY) VALUES ('OLD')");
    SSQL_Commit();
    EXPECT_EQ(SDQOX_FileWorkCommitted("OLD", "ROOT-A"), 0);
    EXPECT_EQ(SDQOX_NoteFileWork("K-1", "ROOT-A"), SSQL_RC_OK);
    SSQL_Commit();
    EXPECT_EQ(SDQOX_FileWorkCommitted("K-1", "ROOT-A"), 1);
    EXPECT_EQ(SDQOX_ForgetFileWork("ROOT-A", nullptr, 0), SSQL_RC_OK);
    SSQL_Commit();
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_FJW WHERE FJWKEY = 'OLD'"), 1);
}

// A lock held by another process too long is told apart from other
// failures: it names the repository and the time waited.
TEST_F(Services, ALockNotGrantedInTimeIsNamed)
{
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(repo.path().c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    ScopedTimeout quick;
    ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK);
    SSQL_AREA a;
    SSQL_DeclareExt(&a, "BEGIN WORK");
    SSQL_SQLDA* h = nullptr;
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_ERROR);
    SMEM_FreeMem(h);
    EXPECT_EQ(SSQL_fLockNotGranted(), 1);
    EXPECT_EQ(std::string(SSQL_pszLastError()), "The repository " + repo.path() +
                                                     " is locked: its write lock was held by another process for "
                                                     "more than 0 second(s)");
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    SSQL_DeclareExt(&a, "SELECT * FROM QV_DTA.NO_SUCH_TABLE");
    EXPECT_EQ(SSQL_sRun(&a, &h, 0), SSQL_RC_ERROR);
    SMEM_FreeMem(h);
    EXPECT_EQ(SSQL_fLockNotGranted(), 0);
    EXPECT_EQ(std::string(SSQL_pszLastError()), "no such table: QV_DTA.NO_SUCH_TABLE") << "without the statement";
}

TEST_F(Services, ObjectStateIsKeptPerObject)
{
    EXPECT_EQ(SDQOX_AlterState("DEMOPRC", "CUSTLST", SDQOX_STATE_CHECKED_ERRORS), SSQL_RC_OK);
    EXPECT_EQ(SDQOX_AlterState("DEMOPRC", "CUSTLST", SDQOX_STATE_CHECKED_OK), SSQL_RC_OK);
    EXPECT_EQ(SDQOX_AlterState("DEMOPRC", "DEMOMIN", SDQOX_STATE_CHECKED_ERRORS), SSQL_RC_OK);
    SSQL_Commit();
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_OST WHERE OSTP_I = 'DEM'"), 2);
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_OST WHERE OSTFMT = 'CUSTLST' AND OSTSTA = '7'"),
              1);
    SSQL_SetFailLocation("DC_P3109/STATE");
    SSQL_SetLocation("DC_P3109/STATE");
    EXPECT_EQ(SDQOX_AlterState("DEMOPRC", "CUSTLST", '6'), SSQL_RC_ERROR);
}

// Local 00:30 on 1 March, one hour east of UTC.
unsigned long FixedClock(DQOZ_DATETIME* pdt)
{
    *pdt = DQOZ_DATETIME{};
    pdt->year = 2026;
    pdt->month = 3;
    pdt->day = 1;
    pdt->minutes = 30;
    pdt->timezone = -60;
    return DQOZ_NO_ERROR;
}

TEST_F(Services, ObjectStateIsStampedInUtcFromTheOsLayerClock)
{
    DosSetClockHook(FixedClock);
    const unsigned short rc = SDQOX_AlterState("DEMOPRC", "CUSTLST", SDQOX_STATE_CHECKED_OK);
    DosSetClockHook(nullptr);
    EXPECT_EQ(rc, SSQL_RC_OK);
    SSQL_Commit();
    EXPECT_EQ(
        countFromOutside(repo.path(),
                         "SELECT COUNT(*) FROM QV_OST WHERE OSTFMT = 'CUSTLST' AND OSTTMS = '2026-02-28 23:30:00'"),
        1);
}

TEST_F(Services, MiscellaneousServicesReadTheRepository)
{
    EXPECT_EQ(SMISC_GetMaximumSet(), 2);
    EXPECT_STREQ(SMISC_pszDefaultLanguage(), "ENG");
    char* d = SMISC_pszGetDesc4Field("CUSTNAM   ");
    EXPECT_STREQ(d, "Customer's name");
    SMEM_FreeMem(d);
    d = SMISC_pszGetDesc4Field("NOFIELD");
    ASSERT_NE(d, nullptr);
    EXPECT_STREQ(d, "");
    SMEM_FreeMem(d);

    exec("DELETE FROM QV_DTA.QV_WBA WHERE WBAP_I = 'DEM'");  // the sample's own entries
    exec("INSERT INTO QV_DTA.QV_WBA (WBAP_I, WBANUM, WBANM1, WBANM2, WBANM3) VALUES "
         "('DEM', 2, 'SECOND', 'B', 'C'), ('DEM', 1, 'FIRSTAPPLIC', 'A', ''), ('XYZ', 3, 'OTHER', '', '')");
    std::vector<SMISC_BUILD_APP> got;
    unsigned long n = SMISC_LoadBuildWamApp(
        [](void* list, void*, const SMISC_BUILD_APP* e) {
            static_cast<std::vector<SMISC_BUILD_APP>*>(list)->push_back(*e);
            return 1;
        },
        &got);
    EXPECT_EQ(sizeof(SMISC_BUILD_APP), 52u);
    ASSERT_EQ(n, 2u);
    EXPECT_EQ(got[0].ulNumber, 1u);
    EXPECT_STREQ(got[0].szName1, "FIRSTAPPLIC");
    EXPECT_STREQ(got[1].szName1, "SECOND");
}

TEST_F(Services, SliderReportsPercentages)
{
    std::vector<std::pair<unsigned long, unsigned long>> seen;
    SWIN_SetSliderCallback(
        [](void* user, unsigned long cmd, const char* title, unsigned long pct) {
            static_cast<std::vector<std::pair<unsigned long, unsigned long>>*>(user)->emplace_back(cmd, pct);
            EXPECT_STREQ(title, "Function Checking");
        },
        &seen);
    EXPECT_EQ(SWIN_ulSlider(SWIN_SLIDER_OPEN, "Function Checking", 0, 30), 0u);
    EXPECT_EQ(SWIN_ulSlider(SWIN_SLIDER_UPDATE, "Function Checking", 10, 30), 33u);
    EXPECT_EQ(SWIN_ulSlider(SWIN_SLIDER_UPDATE, "Function Checking", 45, 30), 100u);
    EXPECT_EQ(SWIN_ulSlider(SWIN_SLIDER_CLOSE, "Function Checking", 0, 0), 100u);
    SWIN_SetSliderCallback(nullptr, nullptr);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[1], std::make_pair(static_cast<unsigned long>(SWIN_SLIDER_UPDATE), 33ul));
}

struct ExitCalled {
    unsigned long action, result;
};

TEST_F(Services, DieRollsBackAndEndsThroughTheExitHook)
{
    exec("INSERT INTO QV_DTA.QV_F32 (X32P_I, X32MOD, X32SEQ, X32FLD) VALUES ('DEM', 'DEMOPRC', 1, 'CUSTNO')");
    std::string shown;
    SMSG_SetDisplayHook([](void* user, const char* text) { *static_cast<std::string*>(user) += text; }, &shown);
    DQOZ_EXIT_HOOK previous = DosSetExitHook([](unsigned long a, unsigned long r) { throw ExitCalled{a, r}; });
    SMISC_UpdateFatalAbendText("Line %d\nFile %s\n", 2199, "..\\PCONTROL");
    bool ended = false;
    try {
        SMISC_Die();
    } catch (const ExitCalled& e) {
        ended = true;
        EXPECT_EQ(e.action, 1u);
        EXPECT_EQ(e.result, 0u);
    }
    DosSetExitHook(previous);
    SMSG_SetDisplayHook(nullptr, nullptr);
    EXPECT_TRUE(ended);
    EXPECT_EQ(shown, "Line 2199\nFile ..\\PCONTROL\n");
    EXPECT_FALSE(SSQL_fIsConnected());
    EXPECT_EQ(countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_F32"), 0);
}

TEST(ServicesNoRepository, DieShowsAbendTextAndEndsAsCouldNotRun)
{
    SMISC_UpdateFatalAbendText("Line %d\nFile %s\n", 2199, "..\\PCONTROL");
    EXPECT_STREQ(SMISC_pszGetFatalAbendText(), "Line 2199\nFile ..\\PCONTROL\n");
    EXPECT_EXIT(SMISC_Die(), ::testing::ExitedWithCode(2), "Line 2199");
}

TEST(ServicesNoRepository, NationalLanguageHelpers)
{
    SSNLS_SetCodePage(1252);
    EXPECT_FALSE(SSNLS_fIsDoubleByte());
    EXPECT_EQ(SSNLS_usGetEbcdicLength("Caf\xE9 au lait"), 12);
    char out[32];
    EXPECT_EQ(SSNLS_CreateAsciiShiftString("plain", out, sizeof out), 5);
    EXPECT_STREQ(out, "plain");

    SSNLS_SetCodePage(932);
    EXPECT_TRUE(SSNLS_fIsDoubleByte());
    // "A", two double-byte characters, "B": shift-out and shift-in add two bytes.
    const char* mixed = "A\x82\xA0\x82\xA2"
                        "B";
    EXPECT_EQ(SSNLS_usGetEbcdicLength(mixed), 8);
    EXPECT_EQ(SSNLS_CreateAsciiShiftString(mixed, out, sizeof out), 8);
    EXPECT_EQ(std::string(out), std::string("A\x0E\x82\xA0\x82\xA2\x0F"
                                            "B"));
    // A short area never cuts a double-byte character and always closes the run.
    char small[6];
    EXPECT_EQ(SSNLS_CreateAsciiShiftString(mixed, small, sizeof small), 5);
    EXPECT_EQ(std::string(small), std::string("A\x0E\x82\xA0\x0F"));
    SSNLS_SetCodePage(1252);

    char text[] = "  two sides  ";
    EXPECT_STREQ(SSNLS_StripBlanks(text, 1), "  two sides");
    EXPECT_STREQ(SSNLS_StripBlanks(text, 3), "two sides");
}

TEST(ServicesNoRepository, MemoryBlocksAreZeroFilled)
{
    auto* p = static_cast<unsigned char*>(SMEM_pMalloc(0, 64));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(p[i], 0);
    SMEM_FreeMem(p);
    SMEM_FreeMem(nullptr);
    EXPECT_EQ(SMEM_pMalloc(0, 0), nullptr);
    auto* o = static_cast<char*>(SMEM_pMallocOrphan(16));
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o[15], 0);
    // Without a repository the repository services fail cleanly.
    EXPECT_EQ(SMSG_pszGetMessage(181, 0), nullptr);
    SZOPH_LIST* list = nullptr;
    EXPECT_EQ(SZOPH_sLoadCommands("DEMOPRC", "DEMOMIN", &list, 0), 1);
    EXPECT_EQ(SDQOX_AlterState("DEMOPRC", "DEMOMIN", '7'), SSQL_RC_ERROR);
    EXPECT_EQ(SMISC_GetMaximumSet(), 0);
}

}  // namespace

// SELECT loops and their routines, SELECT_SQL with its information
// entries, and USE. Expected texts are the templates filled in by hand for
// the order files and built-in functions of the sample repository.
#include "checked_access.h"
#include "emit_fixture.h"

#include "generator/core/model/definitions.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"

namespace emitters_test {
namespace {

class SelectEmitters : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        for (const char* name : {"IOCOMP", "IOSTAT", "IOPROD"})
            field(name, 'A', 10);
        for (const char* name : {"IOORDNO", "IOQTY", "IOLIMIT", "IOCOUNT"})
            field(name, 'P', 7);
        field("IO$STS", 'A', 2);
    }

    FFC_PARSED_COMMAND& select(const std::string& file)
    {
        FFC_PARSED_COMMAND& p = command("SELECT", "SELECT FROM_FILE(" + file + ")");
        set(p, "FROM_FILE", file);
        set(p, "FROM_FILE", "*FIRST", 1);
        list(p, "FIELDS", {"#IOCOMP"});
        for (auto [k, v] : std::initializer_list<std::pair<const char*, const char*>>{{"IO_STATUS", "*STATUS"},
                                                                                      {"IO_ERROR", "*ABORT"},
                                                                                      {"VAL_ERROR", "*LASTDIS"},
                                                                                      {"END_FILE", "*NEXT"},
                                                                                      {"LOCK", "*NO"},
                                                                                      {"NBR_KEYS", "*WITHKEY"},
                                                                                      {"GENERIC", "*NO"}})
            set(p, k, v);
        return p;
    }

    static void flag(FFC_PARSED_COMMAND& p, const char* keyword, const char* value)
    {
        const int32_t at = dqov::cmdparm::FlagOffset(dqov::cmdparm::CommandNameOf(p), keyword, value);
        ASSERT_GE(at, 0);
        p.acParms[at] = 'Y';
    }

    /* A SELECT_SQL over the order lines, correlation L. */
    FFC_PARSED_COMMAND& selectSql()
    {
        FFC_PARSED_COMMAND& p = command("SELECT_SQL", "SELECT_SQL FROM_FILES((IOORDLN L))");
        list(p, "FIELDS", {"#IOORDNO", "#IOPROD", "#IOQTY"});
        list(p, "FROM_FILES", {"IOORDLN"});
        set(p, "FROM_FILES", "L", 1, 0);
        list(p, "@FILESLOTS", {"IOORDLN"});
        set(p, "@FILESLOTS", "DEMLIB", 1, 0);
        set(p, "@FILESLOTS", "N", 2, 0);
        set(p, "IO_STATUS", "*STATUS");
        set(p, "IO_ERROR", "*ABORT");
        set(p, "DISTINCT", "*NO");
        return p;
    }

    FFC_PARSED_COMMAND& endSelect() { return command("ENDSELECT"); }

    /* The routines of the loops, as the routine section writes them. */
    std::vector<Line> routines()
    {
        return lines([] { P3109_WriteSelectRoutines(); });
    }

    static bool literal(const std::string& text)
    {
        for (const GEN_TEXT_LITERAL& l : CGEN_TextLiterals())
            if (l.text == text)
                return true;
        return false;
    }

    static std::vector<std::string> after(const std::vector<Line>& ls, const std::string& first, size_t n)
    {
        for (size_t i = 0; i < ls.size(); ++i)
            if (ls[i].text == first) {
                std::vector<std::string> t;
                for (size_t k = i; k < ls.size() && k < i + n; ++k)
                    t.push_back(ls[k].text);
                return t;
            }
        return {};
    }
};

TEST_F(SelectEmitters, NestedLoopsCloseTheirCursorsAtTheRightOffset)
{
    P3109_State().sSqlCursorCount = 2;
    dispatch(select("IOORDHD"));
    const std::vector<Line> inner = dispatch(select("IOORDLN"));
    EXPECT_EQ(P3109_CursorOffsetText(), "2");
    EXPECT_TRUE(holdsText(lines([] { P3109_WriteCloseCursors(P3109_CursorOffsetText()); }),
                          "if ( INSTANCE(sCurrentCursors) > ( sEntryCursors + 2 ) ) X_Close_Cursors( "
                          "FUNCTION_STD_PARMS, ((X_SHORT)( sEntryCursors + 2 )) );"));
    const std::vector<Line> end = dispatch(endSelect());
    EXPECT_EQ(P3109_CursorOffsetText(), "1");
    /* the loop's status is read only when its request block exists */
    const std::vector<std::string> guard = {"if ( INSTANCE(pX_Sel_2) != pX_NULL )", "{",
                                            "X_GET_IO_STATUS( (*(INSTANCE(pX_Sel_2))) )", "}"};
    const std::vector<std::string> t = texts(end);
    EXPECT_NE(std::search(t.begin(), t.end(), guard.begin(), guard.end()), t.end()) << dump(end);
    EXPECT_TRUE(holdsText(end, "Close_" + P3109_ModuleName() + "_2(FUNCTION_STD_PARMS);"));
    EXPECT_TRUE(holdsText(end, "strcpy( INSTANCE(vchLastIOStatus), vchSaveIOStatus );"));
    /* END_FILE(*NEXT): no branch */
    EXPECT_FALSE(holdsText(end, "/* Branch to the nominated EOF/BOF label */"));
    dispatch(endSelect());
    EXPECT_EQ(P3109_CursorOffsetText(), "0");
    EXPECT_EQ(P3109_State().sBlockDepth, 0);
    EXPECT_TRUE(holdsText(inner, "while (Select_Routine_2(FUNCTION_STD_PARMS,lSelectLoopCount) == YES)"));
}

TEST_F(SelectEmitters, WhereInCodeLoopsInsideTheRoutineOrEndsTheSelection)
{
    FFC_PARSED_COMMAND& looping = select("IOORDHD");
    set(looping, "WHERE", "#IOLIMIT > #IOCOUNT");
    set(looping, "END_FILE", "L10");
    const std::vector<Line> head = dispatch(looping);
    const std::vector<Line> end = dispatch(endSelect());
    EXPECT_TRUE(holdsText(end, "goto X_Label_L10;")) << dump(end);
    FFC_PARSED_COMMAND& ending = select("IOORDHD");
    set(ending, "WHERE", "#IOLIMIT > #IOCOUNT");
    flag(ending, "OPTIONS", "*ENDWHERE");
    dispatch(ending);
    dispatch(endSelect());
    const std::vector<Line> ls = routines();
    const std::vector<std::string> loop =
        after(ls, "} while ( ( memcmp( INSTANCE(vchLastIOStatus), X_DBM_OKAY, 2 ) == 0 )", 2);
    ASSERT_EQ(loop.size(), 2u) << dump(ls);
    EXPECT_EQ(loop[1], "   && ( Evaluation_Routine_1(FUNCTION_STD_PARMS) == NO) );");
    /* *ENDWHERE: no read loop; the first record that does not match ends it */
    EXPECT_EQ(std::count_if(ls.begin(), ls.end(), [](const Line& l) { return l.text == "do"; }), 1);
    EXPECT_TRUE(holdsText(ls, "   return ( Evaluation_Routine_2( FUNCTION_STD_PARMS ) );"));
    EXPECT_TRUE(holdsText(ls, "if ( memcmp( INSTANCE(vchLastIOStatus), X_DBM_OKAY, 2 ) == 0 ) return (YES);"));
    EXPECT_TRUE(holdsText(ls, "NO, 0, NO, 0, NO, NO, NO, NO, NO, NO, X_DBM_ENDWHERE_YES, X_DBM_COMMIT_NO,"));
    EXPECT_TRUE(
        holdsText(ls, "INSTANCE(pfCloseCursor[INSTANCE(sCurrentCursors)]) = Close_" + P3109_ModuleName() + "_1;"));
    EXPECT_TRUE(holds(ls, {{6, 0, "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_COMMON)))"}}));
    /* the C# routines have no guards */
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::vector<Line> cs = routines();
    EXPECT_FALSE(holdsText(cs, "#endif"));
    EXPECT_TRUE(holdsText(head, "X_LONG  lSelectLoopCount = 0;"));
}

TEST_F(SelectEmitters, SelectSqlWritesItsEntriesAndMarkers)
{
    FFC_PARSED_COMMAND& p = selectSql();
    set(p, "WHERE", "L.IOQTY > :IOLIMIT");
    set(p, "ORDER_BY", "IOORDNO, IOPROD");
    set(p, "DISTINCT", "*YES");
    current(p);
    P3109_Definitions().sysflags[37] = 'Y';
    const std::vector<Line> hosts = lines([] { P3109_LoadSelectSqlCommands(); });
    EXPECT_TRUE(holdsText(hosts, "long        U_SQL_IOLIMIT;")) << dump(hosts);
    dispatch(p);
    dispatch(endSelect());
    const std::vector<Line> ls = routines();
    EXPECT_TRUE(holdsText(ls, "X_SHORT sTotalODBC = 15;")) << dump(ls);
    EXPECT_EQ(checked::Last(after(ls, "pCurrentODBC->chInfoType = X_ODBC_SELECT_DISTINCT_OPTION;", 2)),
              "pCurrentODBC->ulInfoValue1 = TRUE;");
    /* the host variable: its own entry, and a marker in the clause */
    const std::vector<std::string> host = {
        "pCurrentODBC->chInfoType = X_ODBC_SELECT_WHERE_FIELD;", "pCurrentODBC->ulInfoValue1 = 1;",
        "pCurrentODBC->ulInfoValue2 = V_FIELD_IOLIMIT;", "pCurrentODBC->pvchInfoValue3 = pX_NULL;"};
    EXPECT_EQ(after(ls, host[0], 4).size(), 4u);
    const std::vector<std::string> t = texts(ls);
    EXPECT_NE(std::search(t.begin(), t.end(), host.begin(), host.end()), t.end()) << dump(ls);
    EXPECT_TRUE(literal(" L.\x01"
                        "C0\x01 > \x01"
                        "1\x01"));
    /* both names of the list resolved */
    EXPECT_TRUE(literal(" \x01"
                        "C2\x01 , \x01"
                        "C3\x01"));
    EXPECT_TRUE(holdsText(ls, "pCurrentODBC->chInfoType = X_ODBC_SELECT_ORDER_BY_FIELD;"));
    /* each entry gets its size and version */
    EXPECT_TRUE(holdsText(ls, "pODBC[i].ulSize = sizeof(struct X_ODBC_SELECT_2);"));
    EXPECT_TRUE(holdsText(ls, "X_DBM_OP( lODBCReturnCode, X_DBM_HANDLE_SELECT_SQL_CLOSE_2, pX_NULL, 0, ((X_PVOID) "
                              "INSTANCE(pODBCSelect_1)) )"));
}

TEST_F(SelectEmitters, SelectSqlOrderListAndGlobalVariables)
{
    FFC_PARSED_COMMAND& p = selectSql();
    set(p, "WHERE", "@@ERROR = 0");
    set(p, "ORDER_BY", "IOORDNO IOPROD");
    current(p);
    P3109_Definitions().sysflags[37] = 'Y';
    lines([] { P3109_LoadSelectSqlCommands(); });
    dispatch(p);
    dispatch(endSelect());
    const std::vector<Line> ls = routines();
    EXPECT_TRUE(literal(" @@ERROR = 0")) << dump(ls);
    /* without a comma only the first name of the list is one */
    EXPECT_TRUE(literal(" \x01"
                        "C0\x01 IOPROD"));
    EXPECT_TRUE(holdsText(ls, "pCurrentODBC->ulInfoValue1 = FALSE;"));
    EXPECT_FALSE(holdsText(ls, "pCurrentODBC->chInfoType = X_ODBC_SELECT_WHERE_FIELD;"));
}

TEST_F(SelectEmitters, SelectSqlTextKeepsItsMeaningAndItsCommentsStaySafe)
{
    FFC_PARSED_COMMAND& p = selectSql();
    set(p, "WHERE", "L.IOPROD = 'O''Brien'; -- x */ \\");
    current(p);
    P3109_Definitions().sysflags[37] = 'Y';
    lines([] { P3109_LoadSelectSqlCommands(); });
    dispatch(p);
    dispatch(endSelect());
    const std::vector<Line> ls = routines();
    /* only the field became a marker: quotes, semicolon and comment stand */
    EXPECT_TRUE(literal(" L.\x01"
                        "C0\x01 = 'O''Brien' ; -- x */ \\"))
        << dump(ls);
    for (const Line& l : ls)
        EXPECT_TRUE(l.text.empty() || l.text.back() != '\\') << l.text;
}

TEST_F(SelectEmitters, UseOfAZophBuiltInHasFourFixedEntries)
{
    FFC_PARSED_COMMAND& p = command("USE", "USE BUILTIN(DEM_IO_LINES)");
    set(p, "BUILTIN", "DEM_IO_LINES");
    list(p, "WITH_ARGS", {"#IOORDNO"});
    list(p, "TO_GET", {"#NOSUCH"});
    const std::vector<Line> ls = dispatch(p);
    const std::string n = std::to_string(p.sSequence);
    EXPECT_TRUE(holdsText(ls, "struct X_PARM aZOPHBIFParms[6];")) << dump(ls);
    const std::vector<std::string> fixed = {"aZOPHBIFParms[0].sType = ((X_SHORT) X_PARM_BIF_CALLER_PX_FUN);",
                                            "aZOPHBIFParms[0].pValue = ((X_PVOID) pX_Fun);",
                                            "aZOPHBIFParms[1].sType = ((X_SHORT) X_PARM_BIF_CALLER_PX_BIF);",
                                            "aZOPHBIFParms[1].pValue = ((X_PVOID) &X_BIF_" + n + ");",
                                            "aZOPHBIFParms[2].sType = ((X_SHORT) X_PARM_BIF_DEFAULT_ARG_INFO);",
                                            "aZOPHBIFParms[2].sNumberOf = ((X_SHORT) 1);",
                                            "aZOPHBIFParms[2].pValue = ((X_PVOID) &(XZOPHArgDefaults[0]));",
                                            "aZOPHBIFParms[3].sType = ((X_SHORT) X_PARM_BIF_DEFAULT_RET_INFO);",
                                            "aZOPHBIFParms[3].sNumberOf = ((X_SHORT) 1);",
                                            "aZOPHBIFParms[3].pValue = ((X_PVOID) &(XZOPHRetDefaults[0]));"};
    const std::vector<std::string> t = texts(ls);
    EXPECT_NE(std::search(t.begin(), t.end(), fixed.begin(), fixed.end()), t.end());
    EXPECT_TRUE(holdsText(ls, "aZOPHBIFParms[4].sNumberOf = ((X_SHORT) V_FIELD_IOORDNO);"));
    /* a receiver that is no field of the function is passed as not available */
    EXPECT_TRUE(holdsText(ls, "aZOPHBIFParms[5].sNumberOf = ((X_SHORT) V_NOT_AVAILABLE);"));
    EXPECT_TRUE(holdsText(ls, "X_PDF_Execute_Function (pX_Ids,pX_Pro,pX_Fun,\"IOSEL\",scZOPHBIFParms,aZOPHBIFParms);"));
    EXPECT_TRUE(holdsText(ls, "INSTANCE(X_BuiltIn_R007_Called) = YES;"));
}

TEST_F(SelectEmitters, UseOfTheExchangeBuiltInAndOfAUserProgram)
{
    FFC_PARSED_COMMAND& x = command("USE", "USE BUILTIN(DEM_IO_EXCHANGE)");
    set(x, "BUILTIN", "DEM_IO_EXCHANGE");
    const std::vector<Line> exchange = dispatch(x);
    const std::string n = std::to_string(x.sSequence);
    EXPECT_TRUE(holdsText(exchange, "X_Always_Exchange_" + P3109_ModuleName() + " (FUNCTION_STD_PARMS);"));
    EXPECT_TRUE(holdsText(exchange, "X_SHORT X_BIF_Arg_" + n + "[1];"));
    EXPECT_TRUE(holdsText(exchange, "X_BuiltIn_148( pX_Ids, pX_Pro, pX_Fun, &(X_BIF_" + n + "), pX_Fld, pX_List, "));
    EXPECT_TRUE(holdsText(exchange, "    0, X_BIF_Arg_" + n + ", 0, X_BIF_Ret_" + n + " );"));
    FFC_PARSED_COMMAND& u = command("USE", "USE BUILTIN(UD_IO_LOG)");
    set(u, "BUILTIN", "UD_IO_LOG");
    list(u, "WITH_ARGS", {"#IOPROD"});
    const std::vector<Line> user = dispatch(u);
    EXPECT_TRUE(holdsText(user, "X_PDF_Execute_User_BIF( pX_Ids, pX_Pro, pX_Fun, &(X_BIF_" +
                                    std::to_string(u.sSequence) + "), NO,pX_Fld, pX_List, "))
        << dump(user);
    EXPECT_EQ(user.back().text, "}");
    /* a list that no DEF_LIST defines: the fatal message, and the block
       closed all the same */
    FFC_PARSED_COMMAND& l = command("USE", "USE BUILTIN(DEM_IO_LIST_SIZE)");
    set(l, "BUILTIN", "DEM_IO_LIST_SIZE");
    list(l, "WITH_ARGS", {"#NOLIST"});
    const std::vector<Line> undefined = dispatch(l);
    EXPECT_EQ(std::count_if(undefined.begin(), undefined.end(), [](const Line& x) { return x.text == "{"; }),
              std::count_if(undefined.begin(), undefined.end(), [](const Line& x) { return x.text == "}"; }))
        << dump(undefined);
    bool fatal = false;
    for (const std::string& m : issuedMessages())
        fatal = fatal || m.rfind("PRC1006 F #NOLIST", 0) == 0;
    EXPECT_TRUE(fatal);
    /* an unknown built-in function: the prologue only */
    FFC_PARSED_COMMAND& none = command("USE", "USE BUILTIN(NO_SUCH)");
    set(none, "BUILTIN", "NO_SUCH");
    EXPECT_EQ(checked::Last(texts(dispatch(none))), "#endif");
}

}  // namespace
}  // namespace emitters_test

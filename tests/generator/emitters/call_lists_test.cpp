// CALL passing a working list in each of its forms: through the process,
// to the process's menu, directly, and to a 3GL program. The vector of
// parameters is built and handed to the run time on every path, so that
// the list reaches the function called; each program compiles in C (in
// the list layouts of ZOPH2 too) and in C#.
#include "fault_jobs.h"

namespace emitters_test {
namespace {

class CallLists : public FaultJobs {
protected:
    void SetUp() override
    {
        FaultJobs::SetUp();
        dictionary({{"PROJ", 'A', 10}, {"HRS", 'P', 5, 1}});
    }

    /* The call lines of the command with this source, its block's lines. */
    static std::vector<std::string> callOf(const std::string& c, const std::string& command)
    {
        const auto lines = programLines(c);
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == "// " + command) {
                std::vector<std::string> b;
                for (size_t k = i + 1; k < lines.size() && lines[k].rfind("// ", 0) != 0; ++k)
                    b.push_back(lines[k]);
                return b;
            }
        return {};
    }

    const std::vector<std::string> calls_ = {
        "CALL PROCESS(DEMOPRC) FUNCTION(DEMOMIN) PASS_LST(#PLST)",
        "CALL PROCESS(DEMOPRC) FUNCTION(*MENU) PASS_LST(#PLST)",
        "CALL PROCESS(*DIRECT) FUNCTION(DEMOMIN) PASS_LST(#PLST) EXIT_USED(*NEXT) MENU_USED(*NEXT) IF_ERROR(*ABORT)",
        "CALL PROCESS(DEMOPRC) FUNCTION(DEMOMIN) EXIT_USED(*EXIT) MENU_USED(*MENU)",
    };

    std::vector<std::string> source() const
    {
        std::vector<std::string> lines = {"FUNCTION OPTIONS(*DIRECT)",
                                          "DEF_LIST NAME(#PLST) FIELDS(#PROJ #HRS) TYPE(*WORKING)"};
        lines.insert(lines.end(), calls_.begin(), calls_.end());
        lines.push_back("RETURN");
        return lines;
    }
};

/* The command: through the process the list is passed, not
** "0,pX_NULL" after a vector built for nothing; the list comes back. */
TEST_F(CallLists, AListPassedThroughTheProcessReachesTheFunction)
{
    const std::string c = generated("CALLPRC", source());
    ASSERT_FALSE(c.empty()) << out_;
    const auto call = callOf(c, calls_[0]);
    EXPECT_NE(
        findBlock(call, {"struct X_PARM X_CallParms [] =", "{", "X_PARM_WORKING_LIST,\"PLST\",", "1,pX_NULL,", "};"}),
        std::string::npos)
        << shown(call);
    EXPECT_NE(findBlock(call, {"X_CallParms[0].pValue = (X_PVOID) &(pX_List[V_LIST_PLST]);"}), std::string::npos);
    EXPECT_NE(findBlock(call, {"X_PDF_Execute_Process (pX_Ids, pX_Pro, pX_Fun,",
                               "INSTANCE(vchCallProcess),INSTANCE(vchCallFunction),sizeof(X_CallParms)/sizeof(struct "
                               "X_PARM),X_CallParms);"}),
              std::string::npos)
        << shown(call);
    EXPECT_NE(findBlock(call, {"X_Reset_List_Counter (pX_Ids,pX_Pro,pX_Fun,pX_Fld,", "V_LIST_PLST,pX_List);"}),
              std::string::npos);
    /* the menu's function receives it as well; a call without a list
       passes none */
    EXPECT_NE(findBlock(callOf(c, calls_[1]), {"strcpy(INSTANCE(vchCallFunction),X_PROCESS_MENU);",
                                               "X_PDF_Execute_Process (pX_Ids, pX_Pro, pX_Fun,",
                                               "INSTANCE(vchCallProcess),INSTANCE(vchCallFunction),sizeof(X_CallParms)/"
                                               "sizeof(struct X_PARM),X_CallParms);"}),
              std::string::npos)
        << shown(callOf(c, calls_[1]));
    EXPECT_NE(
        findBlock(callOf(c, calls_[2]), {"X_PDF_Execute_Function (pX_Ids, pX_Pro, pX_Fun, INSTANCE(vchCallFunction),",
                                         "sizeof(X_CallParms)/sizeof(struct X_PARM),X_CallParms);"}),
        std::string::npos);
    EXPECT_NE(findBlock(callOf(c, calls_[3]), {"INSTANCE(vchCallProcess),INSTANCE(vchCallFunction),0,pX_NULL);"}),
              std::string::npos);
    EXPECT_EQ(gcc("CALLPRC"), "");
    EXPECT_EQ(mcs("CALLPRC"), "");
    const std::string csharp = cs("CALLPRC");
    EXPECT_TRUE(has(csharp, "pGlobal1.vchCallProcess,pGlobal1.vchCallFunction,X_CallParms.Length,X_CallParms);"))
        << csharp;
}

/* The same calls with the lists held in the two-level tables of ZOPH2:
** the list's pointer goes into the vector, and the program compiles. */
TEST_F(CallLists, TheListLayoutsOfZoph2PassTheListToo)
{
    const std::string c = generated("CALLZ2", source(), true);
    ASSERT_FALSE(c.empty()) << out_;
    const auto call = callOf(c, calls_[0]);
    EXPECT_NE(findBlock(call, {"X_CAST_LIST_FROM_NO( pX_List, V_LIST_PLST, pX_Fun)",
                               "X_CallParms[0].pValue = (X_PVOID) X_LIST_PTR;"}),
              std::string::npos)
        << shown(call);
    EXPECT_NE(findBlock(call, {"INSTANCE(vchCallProcess),INSTANCE(vchCallFunction),sizeof(X_CallParms)/sizeof(struct "
                               "X_PARM),X_CallParms);"}),
              std::string::npos);
    EXPECT_EQ(gcc("CALLZ2"), "");
    EXPECT_EQ(mcs("CALLZ2"), "");
}

/* A data structure passed with the list through the process: both are in
** the vector handed over, the structure packed before and unpacked after. */
TEST_F(CallLists, AListAndADataStructureGoThroughTheProcessTogether)
{
    const std::string command = "CALL PROCESS(DEMOPRC) FUNCTION(DEMOMIN) PASS_LST(#PLST) PASS_DS(#BZORDHD)";
    const std::string c =
        generated("CALLDS", {"FUNCTION OPTIONS(*DIRECT)", "DEF_LIST NAME(#PLST) FIELDS(#PROJ #HRS) TYPE(*WORKING)",
                             command, "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    const auto call = callOf(c, command);
    EXPECT_NE(findBlock(call, {"X_PARM_WORKING_LIST,\"PLST\",", "1,pX_NULL,", "X_PARM_DATA_STRUCTURE,\"BZORDHD\","}),
              std::string::npos)
        << shown(call);
    EXPECT_NE(findBlock(call, {"X_CallParms[1].pValue = (X_PVOID) INSTANCE(pBZORDHD_STORAGE);"}), std::string::npos)
        << shown(call);
    EXPECT_NE(findBlock(call, {"INSTANCE(vchCallProcess),INSTANCE(vchCallFunction),sizeof(X_CallParms)/sizeof(struct "
                               "X_PARM),X_CallParms);"}),
              std::string::npos);
    EXPECT_NE(findBlock(call, {"X_DisAssemble_BZORDHD (FUNCTION_STD_PARMS);"}), std::string::npos) << shown(call);
    EXPECT_EQ(gcc("CALLDS"), "");
    EXPECT_EQ(mcs("CALLDS"), "");
}

/* A 3GL program with parameters and a list: the vector goes with the
** call on the iSeries; the other platforms (and C#) get the run-time
** failure of an unsupported command, and both compile. */
TEST_F(CallLists, AProgramCallPassesTheListOnTheISeries)
{
    const std::string command = "CALL PGM(PRJPGM) PARMS(#PROJ #HRS) PASS_LST(#PLST) NUM_LEN(*DEFINED)";
    const std::string c =
        generated("CALLPGM", {"FUNCTION OPTIONS(*DIRECT)", "DEF_LIST NAME(#PLST) FIELDS(#PROJ #HRS) TYPE(*WORKING)",
                              command, "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    const auto call = callOf(c, command);
    EXPECT_NE(findBlock(call, {"(sizeof(Call3GLParms)/sizeof(X_SHORT)), ((X_SHORT*) Call3GLParms),",
                               "sizeof(X_CallParms)/sizeof(struct X_PARM), X_CallParms,"}),
              std::string::npos)
        << shown(call);
    EXPECT_EQ(gcc("CALLPGM"), "");
    EXPECT_EQ(mcs("CALLPGM"), "");
}

/* A special value written in place (*ZERO, *BLANK) among the parameters
** or keys a command hands on has no vector entry: the job stops, naming
** the command and the keyword, where the program would have handed on
** nothing. */
TEST_F(CallLists, ASpecialValuePassedWithoutAVectorEntryStopsTheGeneration)
{
    const struct {
        const char* function;
        const char* command;
        const char* finding;
    } cases[] = {
        {"PASSUB", "SUBMIT PROCESS(DEMOPRC) FUNCTION(DEMOMIN) PARMS(*ZERO #PROJ)",
         "PRC1196 F Line 2 SUBMIT: Command SUBMIT cannot use *ZERO in keyword PARMS."},
        {"PASCLL", "CALL PGM(PRJPGM) PARMS(*BLANK)",
         "PRC1196 F Line 2 CALL: Command CALL cannot use *BLANK in keyword PARMS."},
        {"PASKEY", "FETCH FIELDS(#PROJ) FROM_FILE(CUSTMST) WITH_KEY(*ZERO)",
         "PRC1196 F Line 2 FETCH: Command FETCH cannot use *ZERO in keyword WITH_KEY."},
    };
    for (const auto& c : cases) {
        addFunction("DEMOPRC", c.function, {"FUNCTION OPTIONS(*DIRECT)", c.command, "RETURN"});
        job(c.function);
        EXPECT_EQ(errors, 1) << out_;
        EXPECT_TRUE(has(out_, c.finding)) << out_;
        EXPECT_FALSE(anyFileOf(c.function)) << c.function;
    }
}

}  // namespace
}  // namespace emitters_test

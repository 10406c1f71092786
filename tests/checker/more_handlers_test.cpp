// Handlers of the validation, mode, substring, system-command, file-open
// and OVERRIDE commands on small functions checked end to end.
#include "checker_fixture.h"

#include <sqlite3.h>

#include <string>
#include <vector>

using checker_test::CheckJob;
using checker_test::Lines;
using checker_test::Message;
using checker_test::OnLine;

namespace {

std::string IdOf(const std::vector<std::string>& line)
{
    return line.size() == 1 ? line[0].substr(0, 7) : "(" + std::to_string(line.size()) + " messages)";
}

TEST_F(CheckJob, ValidationBlocks)
{
    addFunction("TSTPRC", "VALID",
                {"FUNCTION OPTIONS(*DIRECT)",                                       // 1
                 "BEGINCHECK KEEP_COUNT(#CUSTNAM)",                                 // 2 not numeric
                 "RANGECHECK FIELD(#CREDIT) RANGE((0 1000) (5000 'X'))",            // 3 'X' not numeric
                 "VALUECHECK FIELD(#CUSTSTS) WITH_LIST(A I 'X') NOT_INLIST(L99)",   // 4 a label is no action
                 "CONDCHECK FIELD(#CREDIT) COND('#CREDIT > #CUSTNAM')",             // 5
                 "DATECHECK FIELD(#NOFLD)",                                         // 6
                 "FILECHECK FIELD(#CUSTNO) USING_FILE(CUSTMST) WITH_KEY(#CUSTNO)",  // 7
                 "ENDCHECK IF_ERROR(L10)",                                          // 8 defined below
                 "ON_ERROR IF_ERROR(*BAD)",                                         // 9
                 "SET_ERROR FOR_FIELD(#CUSTNO #NOFLD2)",                            // 10
                 "L10: RETURN"});
    prepare("TSTPRC", "VALID");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(IdOf(OnLine(all, 2)), "DCM0402");
    EXPECT_EQ(IdOf(OnLine(all, 3)), "DCM0402");
    /* a check answers *NEXT, *ERROR or *ACCEPT: a label names no action the
       run-time checker can answer */
    EXPECT_EQ(OnLine(all, 4), Lines{"DCM0310 NOT_INLISTL99"});
    EXPECT_EQ(IdOf(OnLine(all, 5)), "DCM0456");
    EXPECT_EQ(IdOf(OnLine(all, 6)), "DCM0401");
    EXPECT_TRUE(OnLine(all, 7).empty());
    EXPECT_TRUE(OnLine(all, 8).empty()) << "a label further down is known in pass 2";
    EXPECT_EQ(OnLine(all, 9), Lines{"PRC0072 *BAD"});
    EXPECT_EQ(IdOf(OnLine(all, 10)), "DCM0401");
    for (const Message& m : all)
        EXPECT_NE(m.id, "DCM9898") << m.line;
}

TEST_F(CheckJob, ModesSubstringsAndSystemCommands)
{
    addFunction("TSTPRC", "MISC",
                {"FUNCTION OPTIONS(*DIRECT)",                             // 1
                 "SET_MODE TO(#CREDIT)",                                  // 2 not a mode
                 "SUBSTRING FIELD(#CUSTNAM 1 'A') INTO_FIELD(#CUSTSTS)",  // 3 length not numeric
                 "SUBSTRING FIELD(#CUSTNAM 1 5) INTO_FIELD(#CREDIT)",     // 4 target not alphanumeric
                 "EXEC_CPF COMMAND('DSPLIB') IF_ERROR(L77)",              // 5
                 "OPEN FILE(NOFILE)",                                     // 6
                 "CLOSE FILE(CUSTMST)",                                   // 7
                 "IF_NULL FIELD(#CUSTNO #NOFLD)",                         // 8
                 "ENDIF",                                                 // 9
                 "EXCHANGE FIELDS(#CUSTNO)",                              // 10
                 "RETURN"});
    prepare("TSTPRC", "MISC");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(IdOf(OnLine(all, 2)), "PRC1196");
    EXPECT_EQ(IdOf(OnLine(all, 3)), "DCM0402");
    EXPECT_EQ(IdOf(OnLine(all, 4)), "DCM0402");
    EXPECT_EQ(OnLine(all, 5), Lines{"PRC0112 IF_ERROR(L77)"});
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC0182 NOFILE"});
    EXPECT_TRUE(OnLine(all, 7).empty());
    EXPECT_EQ(IdOf(OnLine(all, 8)), "DCM0401");
    EXPECT_TRUE(OnLine(all, 10).empty());
}

TEST_F(CheckJob, OverrideChangesTheFieldForLaterChecks)
{
    addFunction("TSTPRC", "OVRD",
                {"FUNCTION OPTIONS(*DIRECT)",                                  // 1
                 "OVERRIDE FIELD(#CUSTSTS) TYPE(*DEC) LENGTH(3) DECIMALS(0)",  // 2
                 "IF COND('#CUSTSTS > 5')",                                    // 3 numeric now
                 "ENDIF",                                                      // 4
                 "OVERRIDE FIELD(#NOFLD) LENGTH(3)",                           // 5
                 "OVERRIDE FIELD(#CUSTNO)",                                    // 6 nothing to change
                 "OVERRIDE FIELD(#CREDIT) LENGTH(1) DECIMALS(2)",              // 7 more decimals than digits
                 "RETURN"});
    prepare("TSTPRC", "OVRD");
    run();
    std::vector<Message> all = messages();
    EXPECT_TRUE(OnLine(all, 3).empty());
    EXPECT_EQ(OnLine(all, 5), Lines{"PRC0063 #NOFLD"});
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC0069 #CUSTNO"});
    EXPECT_EQ(OnLine(all, 7), Lines{"PRC0064 #CREDIT"});
}

TEST_F(CheckJob, ModeCommandsAreAllowedInAFunction)
{
    // A function: the mode and key commands are allowed.
    addFunction("TSTPRC", "MODES", {"FUNCTION OPTIONS(*DIRECT)", "IF_MODE IS(*ADD)", "ENDIF", "RETURN"});
    prepare("TSTPRC", "MODES");
    run();
    EXPECT_TRUE(withId("PRC1052").empty());
}

}  // namespace

namespace {

TEST_F(CheckJob, CallsAndSubmits)
{
    addFunction("TSTPRC", "CALLS",
                {"FUNCTION OPTIONS(*DIRECT)",                                     // 1
                 "CALL PROCESS(*DIRECT) FUNCTION(CUSTLST)",                       // 2 a function of the partition
                 "CALL PROCESS(*DIRECT) FUNCTION(NOFUNC)",                        // 3
                 "CALL PROCESS(NOPROC) FUNCTION(*MENU)",                          // 4
                 "CALL PROCESS(DEMOPRC) FUNCTION(*MENU)",                         // 5
                 "CALL PGM(MYPGM) PROCESS(DEMOPRC)",                              // 6 program and process
                 "CALL PGM(MYPGM) PARMS(#CUSTNO) IF_ERROR(L9)",                   // 7 no such label
                 "CALL PROCESS(*DIRECT) FUNCTION(CUSTUPD) PASS_LST(#NOLIST)",     // 8
                 "SUBMIT PROCESS(DEMOPRC) FUNCTION(NOFUNC)",                      // 9
                 "SUBMIT",                                                        // 10 neither process nor program
                 "POINT FILE(NOFILE) TO_FILE(X)",                                 // 11
                 "CALLCHECK FIELD(#CUSTNO) BY_CALLING(CHKPGM) IF_INVALID(*BAD)",  // 12
                 "RETURN"});
    prepare("TSTPRC", "CALLS");
    run();
    std::vector<Message> all = messages();
    EXPECT_TRUE(OnLine(all, 2).empty());
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC1038 FUNCTION(NOFUNC)"});
    EXPECT_EQ(OnLine(all, 4), Lines{"PRC1038 PROCESS(NOPROC)"});
    EXPECT_TRUE(OnLine(all, 5).empty());
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC0163 PGM(MYPGM)"});
    EXPECT_EQ(OnLine(all, 7), Lines{"PRC0163 IF_ERROR(L9)"});
    EXPECT_EQ(OnLine(all, 8), Lines{"PRC1006 NOLIST"});
    EXPECT_EQ(OnLine(all, 9), Lines{"PRC0170 FUNCTION(NOFUNC)"});
    EXPECT_EQ(OnLine(all, 10), Lines{"PRC0170 PROCESS(*NONE)"});
    EXPECT_EQ(OnLine(all, 11), Lines{"PRC0178 FILE(NOFILE)"});
    EXPECT_EQ(OnLine(all, 12), Lines{"DCM0310 IF_INVALID*BAD"});
}

}  // namespace

namespace {

TEST_F(CheckJob, BuiltInFunctionArgumentsAndResults)
{
    ASSERT_NO_FATAL_FAILURE(
        exec("INSERT INTO QV_F47 (X47BIF, X47IDN, X47ARG, X47RET) VALUES ('CONCAT', 1, 2, 1);"
             "INSERT INTO QV_F48 (X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP) VALUES"
             " ('CONCAT', 'A', 1, 'R', 'A'), ('CONCAT', 'A', 2, 'O', 'A'), ('CONCAT', 'R', 1, 'R', 'A');"));
    addFunction("TSTPRC", "BIFS",
                {"FUNCTION OPTIONS(*DIRECT)",                                          // 1
                 "USE BUILTIN(CONCAT) WITH_ARGS(#CUSTNAM #CUSTSTS) TO_GET(#CUSTNAM)",  // 2
                 "USE BUILTIN(CONCAT) WITH_ARGS(#CREDIT) TO_GET(#CUSTNAM)",            // 3
                 "USE BUILTIN(CONCAT) WITH_ARGS(#CUSTNAM) TO_GET(#CREDIT)",            // 4
                 "USE BUILTIN(CONCAT)",                                                // 5 too few
                 "USE BUILTIN(NOBIF)",                                                 // 6
                 "RETURN"});
    prepare("TSTPRC", "BIFS");
    run();
    std::vector<Message> all = messages();
    EXPECT_TRUE(OnLine(all, 2).empty());
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC0172 CONCAT"});
    EXPECT_EQ(OnLine(all, 4), Lines{"PRC0173 CONCAT"});
    EXPECT_EQ(OnLine(all, 5), Lines{"PRC0171 CONCAT"});
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC0373 NOBIF"});
}

}  // namespace

namespace {

TEST_F(CheckJob, RenamedFileFieldsAreFieldsOfTheFunction)
{
    addFunction("TSTPRC", "RENS",
                {"FUNCTION OPTIONS(*DIRECT)",                                     // 1
                 "RENAME FILE(CUSTMSTL1) FIELDS((#CUSTNAM #CNAME) (#NOFLD #X))",  // 2
                 "RENAME FILE(NOFILE) FIELDS((#CUSTNO #CNO))",                    // 3
                 "IF COND('#CNAME = #CUSTNAM')",                                  // 4 the new name is known
                 "ENDIF",                                                         // 5
                 "RETURN"});
    prepare("TSTPRC", "RENS");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 2), Lines{"PRC0205 NOFLD"});
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC0205 FILE(NOFILE)"});
    EXPECT_TRUE(OnLine(all, 4).empty());
    FFC_WORK_RECORD r;
    std::memset(&r, ' ', sizeof r);
    std::memcpy(r.acKind, "RENAMETO  ", 10);
    ASSERT_EQ(WF_cReadFirst(&ctx, 12, &r, 1), '0');
    EXPECT_EQ(std::string(r.acName, 10), "CUSTMSTL1 ");
    EXPECT_EQ(std::string(r.acName + 20, 10), "CUSTNAM   ");
    EXPECT_EQ(std::string(r.acQualifier, 10), "CNAME     ");
    EXPECT_NE(WF_cReadNext(&ctx, 12, &r, 1), '0') << "one rename only";
}

}  // namespace

namespace {

TEST_F(CheckJob, TransferTargets)
{
    addFunction("TSTPRC", "XFER",
                {"FUNCTION OPTIONS(*DIRECT)",             // 1
                 "TRANSFER TOFUNCTION(*EXIT)",            // 2
                 "TRANSFER TOFUNCTION(DEMOPRC/CUSTLST)",  // 3
                 "TRANSFER TOFUNCTION(NOFUNC)",           // 4 not a function of TSTPRC
                 "TRANSFER TOFUNCTION(XFER)",             // 5 this very function
                 "TRANSFER TOFUNCTION(#CUSTNAM)",         // 6 a field naming the function
                 "RETURN"});
    prepare("TSTPRC", "XFER");
    run();
    std::vector<Message> all = messages();
    EXPECT_TRUE(OnLine(all, 2).empty());
    EXPECT_TRUE(OnLine(all, 3).empty());
    ASSERT_EQ(OnLine(all, 4).size(), 1u);
    EXPECT_NE(OnLine(all, 4).at(0).find("Illegal or invalid reference to NOFUNC in TRANSFER command at line 4."),
              std::string::npos);
    EXPECT_TRUE(OnLine(all, 5).empty());
    EXPECT_TRUE(OnLine(all, 6).empty());
}

}  // namespace

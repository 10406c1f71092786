// Every message id of the checker, id by id: a small function or component
// that meets the message's condition is checked (or generated) through the
// run driver in tools mode, and the message comes with its severity at its
// line (line 0: a message of the whole job, after the passes). The ids that
// no source can reach are listed with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/dqoz/dqoz.h"
#include "support/commands.h"
#include "support/scratch.h"
#include "tools_check_fixture.h"

namespace {

// The ids the checker's messages carry: those its handlers, passes and
// services issue (the ranges PRC0146-PRC0148, PRC0171-PRC0173 and
// PRC0216-PRC0220 with the ids between their ends).
const std::set<std::string> kCheckerIds = {
    "DCM0121", "DCM0122", "DCM0123", "DCM1108", "DCM9898", "PRC0007", "PRC0009", "PRC0010", "PRC0011", "PRC0018",
    "PRC0019", "PRC0023", "PRC0024", "PRC0025", "PRC0044", "PRC0046", "PRC0047", "PRC0056", "PRC0058", "PRC0059",
    "PRC0063", "PRC0064", "PRC0069", "PRC0070", "PRC0072", "PRC0094", "PRC0106", "PRC0107", "PRC0112", "PRC0122",
    "PRC0137", "PRC0140", "PRC0142", "PRC0145", "PRC0146", "PRC0147", "PRC0148", "PRC0150", "PRC0152", "PRC0154",
    "PRC0155", "PRC0156", "PRC0158", "PRC0163", "PRC0164", "PRC0165", "PRC0170", "PRC0171", "PRC0172", "PRC0173",
    "PRC0178", "PRC0179", "PRC0181", "PRC0182", "PRC0185", "PRC0186", "PRC0195", "PRC0196", "PRC0200", "PRC0201",
    "PRC0202", "PRC0205", "PRC0208", "PRC0210", "PRC0211", "PRC0216", "PRC0217", "PRC0218", "PRC0219", "PRC0220",
    "PRC0237", "PRC0247", "PRC0248", "PRC0264", "PRC0265", "PRC0279", "PRC0280", "PRC0297", "PRC0298", "PRC0319",
    "PRC0320", "PRC0324", "PRC0330", "PRC0331", "PRC0332", "PRC0333", "PRC0334", "PRC0335", "PRC0336", "PRC0337",
    "PRC0338", "PRC0339", "PRC0344", "PRC0373", "PRC0377", "PRC0378", "PRC0379", "PRC0380", "PRC0381", "PRC1017",
    "PRC1019", "PRC1020", "PRC1022", "PRC1023", "PRC1036", "PRC1038", "PRC1050", "PRC1051", "PRC1052", "PRC1053",
    "PRC1054", "PRC1059", "PRC1065"};

enum class Job {
    Check,              // a function, checked
    Generate,           // a function, checked and generated
    Component,          // a component, checked
    ComponentGenerate,  // a component, checked and generated
};

// An id and the source that meets its condition: the message comes with
// the severity at the line.
struct Reached {
    const char* id;
    char severity;
    int line;
    Job job;
    std::vector<std::string> source;
    std::string setup = {};  // statements on the repository, after the source is stored
};

void PrintTo(const Reached& row, std::ostream* os)
{
    *os << row.id;
}

// An id that no source reaches, and why.
struct Unreached {
    const char* id;
    const char* why;
};

// The fields, files and lists the sources use: CUSTMST (key CUSTNO; fields
// CUSTNO, CUSTNAM, CUSTSTS, CREDIT), its view CUSTMSTL1, ORDLIN (keys
// ORDNO and LINNO) of the sample repository.
const std::string kBadKeyFile =
    "INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB) VALUES ('DEM', 'BADFILE', 'DEMLIB');"
    "INSERT INTO QV_F24 (X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ) VALUES ('DEM', 'BADFILE', 'DEMLIB', 'BADKEY', 1);"
    "INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1) VALUES"
    " ('DEM', 'BADKEY', 'A', 5, 0, '             12345');";
const std::string kOtherDatabases =
    "INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES"
    " ('DEM', 'EXTA', 'EXTLIB', 'X', ''), ('DEM', 'EXTC', 'EXTLIB', 'X', ''), ('DEM', 'EXTN', 'EXTLIB', 'X', '');"
    "INSERT INTO QV_FOF (XOFP_I, XOFPFL, XOFPLB, XOFDSN, XOFTYP) VALUES"
    " ('DEM', 'EXTA', 'EXTLIB', 'SALES', 'PGSQL'), ('DEM', 'EXTC', 'EXTLIB', 'STOCK', 'PGSQL');";
const std::string kConcat =
    "INSERT INTO QV_F47 (X47BIF, X47IDN, X47ARG, X47RET) VALUES ('CONCAT', 1, 2, 1);"
    "INSERT INTO QV_F48 (X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP) VALUES"
    " ('CONCAT', 'A', 1, 'R', 'A'), ('CONCAT', 'A', 2, 'O', 'A'), ('CONCAT', 'R', 1, 'R', 'A');";
const std::string kProcessParameter =
    "INSERT INTO QV_F32 (X32P_I, X32MOD, X32SEQ, X32FLD) VALUES ('DEM', 'TSTPRC', 1, 'CUSTNO');";

const char* const kDirect = "FUNCTION OPTIONS(*DIRECT)";

// n GROUP_BY commands, each of m members named from the group's number.
std::vector<std::string> Groups(int n, int m)
{
    std::vector<std::string> lines = {kDirect};
    auto three = [](int k) { return std::string(k < 10 ? "00" : k < 100 ? "0" : "") + std::to_string(k); };
    for (int i = 0; i < n; ++i) {
        std::string line = "GROUP_BY NAME(XG_" + three(i) + ") FIELDS(";
        for (int k = 0; k < m; ++k)
            line += (k ? " #F" : "#F") + three(i) + three(k);
        lines.push_back(line + ")");
    }
    lines.push_back("RETURN");
    return lines;
}

std::vector<std::string> NestedIfs(int n)
{
    std::vector<std::string> lines = {kDirect};
    for (int i = 0; i < n; ++i)
        lines.push_back("IF COND('#CREDIT > 0')");
    for (int i = 0; i < n; ++i)
        lines.push_back("ENDIF");
    return lines;
}

std::vector<std::string> Component(std::vector<std::string> body)
{
    body.insert(body.begin(), "BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)");
    body.push_back("END_COM");
    return body;
}

const std::vector<Reached>& ReachedIds()
{
    static const std::vector<Reached> rows = {
        {"DCM0121",
         'F',
         2,
         Job::Check,
         {kDirect, "FETCH FIELDS(#CUSTSTS) FROM_FILE(BADFILE) WITH_KEY('A')"},
         kBadKeyFile},
        {"DCM0122", 'F', 2, Job::Check, {kDirect, "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO 5)"}},
        {"DCM0123",
         'I',
         2,
         Job::Check,
         {kDirect, "SELECT FIELDS(#LINNO) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO)", "ENDSELECT"}},
        {"DCM1108", 'F', 2, Job::Check, {kDirect, "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(*MTXTNAME)"}},
        // a bracket the command parser finds open, in a source kept as whole
        // command texts (list kind '1'), which the parser reads
        {"DCM9898",
         'F',
         2,
         Job::Check,
         {kDirect, "CHANGE FIELD(#CUSTNAM TO('X')"},
         "UPDATE QV_SRC SET SRCKND = '1' WHERE SRCFMT = 'D9898'"},
        {"PRC0007", 'F', 2, Job::Check, {kDirect, "CHANGE FIELD(#CUSTNAM) NOSUCH(1)"}},
        {"PRC0009",
         'F',
         3,
         Job::Check,
         {kDirect, "DEF_LIST NAME(#WORKL) FIELDS(#CUSTNO #CUSTNAM) TYPE(*WORKING)",
          "SORT_LIST NAMED(#WORKL) BY_FIELDS((#CUSTNAM *UPWARDS))"}},
        {"PRC0010", 'I', 0, Job::Check, {kDirect, "RETURN"}},
        {"PRC0011", 'I', 0, Job::Generate, {kDirect, "RETURN"}},
        {"PRC0018", 'F', 3, Job::Check, {kDirect, "L1: CHANGE FIELD(#CREDIT) TO(1)", "L1: RETURN"}},
        {"PRC0019", 'F', 2, Job::Check, {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((NOFILE))", "ENDSELECT"}},
        {"PRC0023", 'F', 2, Job::Check, {kDirect, "IF COND('#CREDIT > 0')", "RETURN"}},
        {"PRC0024", 'W', 2, Job::Check, {kDirect, "SELECT FIELDS(*ALL) FROM_FILE(CUSTMST)", "ENDSELECT"}},
        {"PRC0025",
         'F',
         2,
         Job::Check,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMST)) IO_ERROR(L55)", "ENDSELECT"}},
        {"PRC0044", 'F', 2, Job::Check, {kDirect, "ELSE", "RETURN"}},
        {"PRC0046", 'F', 2, Job::Check, {kDirect, "GOTO LABEL(L99)"}},
        // generation of a function of a process with parameters needs *DIRECT
        {"PRC0047", 'F', 0, Job::Generate, {"RETURN"}, kProcessParameter},
        {"PRC0056", 'F', 2, Job::Check, {kDirect, "DEFINE FIELD(#NEWFLD) REFFLD(#NOSUCH)"}},
        {"PRC0058", 'F', 2, Job::Check, {kDirect, "DEFINE FIELD(#NEWFLD)"}},
        {"PRC0059", 'F', 3, Job::Component,
         Component({"MTHROUTINE NAME(RUN)", "SET COM(#COM_OWNER) VALUE(#ABCDEFGHIJKL)", "ENDROUTINE"})},
        {"PRC0063", 'F', 2, Job::Check, {kDirect, "OVERRIDE FIELD(#NOFLD) LENGTH(3)"}},
        {"PRC0064", 'F', 2, Job::Check, {kDirect, "OVERRIDE FIELD(#CREDIT) LENGTH(1) DECIMALS(2)"}},
        {"PRC0069", 'W', 2, Job::Check, {kDirect, "OVERRIDE FIELD(#CUSTNO)"}},
        {"PRC0072", 'F', 2, Job::Check, {kDirect, "ON_ERROR IF_ERROR(*BAD)"}},
        {"PRC0094", 'F', 0, Job::Check, {kDirect, "GROUP_BY NAME(XG_NEVER) FIELDS(#CUSTNO)", "RETURN"}},
        {"PRC0106",
         'F',
         2,
         Job::Check,
         {kDirect, "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) WITH_RRN(#CREDIT)"}},
        {"PRC0112", 'F', 2, Job::Check, {kDirect, "EXEC_CPF COMMAND('DSPLIB') IF_ERROR(L77)"}},
        {"PRC0122", 'F', 2, Job::Check, {kDirect, "EXECUTE SUBROUTINE(NOSUB)"}},
        {"PRC0137", 'F', 3, Job::Check, {kDirect, "DEF_REPORT PRT_FILE(QSYSPRT)", "PRINT LINE(#NOLINE)", "ENDPRINT"}},
        {"PRC0140",
         'F',
         0,
         Job::Check,
         {kDirect, "DEF_REPORT PRT_FILE(QSYSPRT)", "DEF_LINE NAME(#UNPRINTED) FIELDS(#CUSTNO)", "ENDPRINT"}},
        {"PRC0142", 'F', 0, Job::Check, {kDirect, "DEF_LINE NAME(#LINE1) FIELDS(#CUSTNO)", "PRINT LINE(#LINE1)"}},
        {"PRC0145", 'F', 2, Job::Check, {kDirect, "UPRINT FIELDS(#NOFLD)"}},
        {"PRC0146", 'F', 2, Job::Check, {kDirect, "KEEP_TOTAL OF_FIELD(#CREDIT) IN_FIELD(#CREDIT)"}},
        {"PRC0147",
         'F',
         3,
         Job::Check,
         {kDirect, "SELECT FIELDS(#CUSTNAM) FROM_FILE(CUSTMST)", "KEEP_TOTAL OF_FIELD(#CUSTNAM) IN_FIELD(#CREDIT)",
          "ENDSELECT"}},
        {"PRC0148",
         'F',
         3,
         Job::Check,
         {kDirect, "SELECT FIELDS(#CREDIT) FROM_FILE(CUSTMST)", "KEEP_TOTAL OF_FIELD(#CREDIT) IN_FIELD(#CUSTNAM)",
          "ENDSELECT"}},
        // a substring starts at position 1
        {"PRC0150", 'F', 2, Job::Check, {kDirect, "SUBSTRING FIELD(#CUSTNAM 0 3) INTO_FIELD(#CUSTSTS)"}},
        {"PRC0152", 'F', 2, Job::Check, {kDirect, "SELECTLIST NAMED(#NOLIST)", "ENDSELECT"}},
        {"PRC0154", 'F', 2, Job::Check, {kDirect, "LOC_ENTRY IN_LIST(#NOLIST) WHERE('#CREDIT > 0')"}},
        {"PRC0155",
         'F',
         3,
         Job::Check,
         {kDirect, "DEF_LIST NAME(#WORKL) FIELDS(#CUSTNO #CUSTNAM) TYPE(*WORKING)",
          "SORT_LIST NAMED(#WORKL) BY_FIELDS(#CREDIT)"}},
        {"PRC0156", 'F', 2, Job::Check, {kDirect, "SORT_LIST NAMED(#NOLIST) BY_FIELDS(#CUSTNO)"}},
        // the loop counts in a numeric field
        {"PRC0158", 'F', 2, Job::Check, {kDirect, "BEGIN_LOOP USING(#CUSTNAM) TO(5)", "END_LOOP"}},
        {"PRC0163", 'F', 2, Job::Check, {kDirect, "CALL PGM(MYPGM) PROCESS(DEMOPRC)"}},
        {"PRC0164", 'F', 2, Job::Check, {kDirect, "BROWSE FIELDS(#CUSTNO) FROM_FILE(NOFILE)"}},
        {"PRC0165", 'F', 4, Job::Check, {kDirect, "IF COND('#CREDIT > 0')", "ELSE", "ELSE", "ENDIF"}},
        {"PRC0170", 'F', 2, Job::Check, {kDirect, "SUBMIT PROCESS(DEMOPRC) FUNCTION(NOFUNC)"}},
        {"PRC0171", 'F', 2, Job::Check, {kDirect, "USE BUILTIN(CONCAT)"}, kConcat},
        {"PRC0172", 'F', 2, Job::Check, {kDirect, "USE BUILTIN(CONCAT) WITH_ARGS(#CREDIT) TO_GET(#CUSTNAM)"}, kConcat},
        {"PRC0173", 'F', 2, Job::Check, {kDirect, "USE BUILTIN(CONCAT) WITH_ARGS(#CUSTNAM) TO_GET(#CREDIT)"}, kConcat},
        {"PRC0178", 'F', 2, Job::Check, {kDirect, "POINT FILE(NOFILE) TO_FILE(X)"}},
        {"PRC0181", 'F', 2, Job::Check, {kDirect, "SELECT_SQL FROM_FILES((CUSTMST))", "ENDSELECT"}},
        {"PRC0182", 'F', 2, Job::Check, {kDirect, "OPEN FILE(NOFILE)"}},
        // a condition the expression check refuses
        {"PRC0195", 'F', 2, Job::Check, {kDirect, "DEF_COND NAME(*BAD) COND('#CREDIT >')"}},
        {"PRC0196",
         'F',
         3,
         Job::Check,
         {kDirect, "DEF_COND NAME(*TWICE) COND('#CREDIT > 0')", "DEF_COND NAME(*TWICE) COND('#CREDIT > 1')"}},
        // an empty entry between the values
        {"PRC0200", 'F', 2, Job::Check, {kDirect, "FETCH FIELDS(#CUSTNAM) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO ())"}},
        {"PRC0202", 'W', 0, Job::Check, {kDirect, "DEFINE FIELD(#UNUSED) TYPE(*CHAR) LENGTH(3)", "RETURN"}},
        {"PRC0205", 'F', 2, Job::Check, {kDirect, "RENAME FILE(NOFILE) FIELDS((#CUSTNO #CNO))"}},
        {"PRC0210",
         'F',
         2,
         Job::Check,
         {kDirect, "SELECT FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) OPTIONS(*BLOCK 10)", "ENDSELECT"}},
        {"PRC0211", 'F', 2, Job::Check, {kDirect, "CHANGE FIELD() TO(1)"}},
        // an array name is the name character and at most three characters
        {"PRC0216", 'F', 2, Job::Check, {kDirect, "DEF_ARRAY NAME(MAR) INDEXES(#MI) OF_FIELDS(#CREDIT #CREDIT)"}},
        {"PRC0217", 'F', 2, Job::Check, {kDirect, "DEF_ARRAY NAME(#MAR) INDEXES(#INDEX) OF_FIELDS(#CREDIT #CREDIT)"}},
        {"PRC0218",
         'F',
         3,
         Job::Check,
         {kDirect, "DEF_ARRAY NAME(#MAR) INDEXES(#MI) OF_FIELDS(#CREDIT #CREDIT)",
          "DEF_ARRAY NAME(#MAR) INDEXES(#MJ) OF_FIELDS(#CREDIT #CREDIT)"}},
        {"PRC0219", 'F', 2, Job::Check, {kDirect, "DEF_ARRAY NAME(#MIX) INDEXES(#MI) OF_FIELDS(#CREDIT #CUSTNAM)"}},
        {"PRC0247", 'F', 2, Job::Check, {kDirect, "SELECT_SQL FIELDS(#CUSTNO)", "ENDSELECT"}},
        {"PRC0248",
         'F',
         2,
         Job::Check,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMST A) (ORDLIN A))", "ENDSELECT"}},
        {"PRC0264", 'F', 2, Job::Check, {kDirect, "CALLCHECK FIELD(#CUSTNO) BY_CALLING(NOFUNC *DIRECT)"}},
        // a trigger receives its trigger information, no data structure
        {"PRC0265",
         'F',
         1,
         Job::Check,
         {"FUNCTION OPTIONS(*DIRECT) TRIGGER(*FIELD) RCV_DS(#CUSTDS)", "DEF_LIST NAME(#TRIG_LIST) FIELDS(#CUSTNO)"}},
        {"PRC0279", 'W', 2, Job::Check, {kDirect, "OPEN FILE(CUSTMST)", "CLOSE FILE(CUSTMST)"}},
        // a line of report 2 printed on report 1
        {"PRC0297",
         'F',
         5,
         Job::Check,
         {kDirect, "DEF_REPORT REPORT_NUM(1) PRT_FILE(QSYSPRT)", "DEF_REPORT REPORT_NUM(2) PRT_FILE(QSYSPRT)",
          "DEF_LINE NAME(#LINE2) FIELDS(#CUSTNO) REPORT_NUM(2)", "PRINT LINE(#LINE2) REPORT_NUM(1)",
          "PRINT LINE(#LINE2) REPORT_NUM(2)", "ENDPRINT REPORT_NUM(1)", "ENDPRINT REPORT_NUM(2)"}},
        {"PRC0298", 'F', 3, Job::Check, {kDirect, "DEF_REPORT PRT_FILE(QSYSPRT)", "SKIP TO_LINE(99)", "ENDPRINT"}},
        {"PRC0320", 'F', 2, Job::Check, {kDirect, "LEAVE"}},
        {"PRC0324",
         'W',
         0,
         Job::Check,
         {"FUNCTION OPTIONS(*DIRECT *WEBEVENT)", "DISPLAY FIELDS(#CUSTNO)", "CHANGE FIELD(#CUSTNO) TO(1)"}},
        {"PRC0330", 'F', 102, Job::Check, Groups(101, 1)},
        {"PRC0331",
         'F',
         3,
         Job::Check,
         {kDirect, "GROUP_BY NAME(XG_TWICE) FIELDS(#CUSTNO)", "GROUP_BY NAME(XG_TWICE) FIELDS(#CREDIT)",
          "CHANGE FIELD(XG_TWICE) TO(*NULL)"}},
        {"PRC0332", 'F', 2, Job::Check, {kDirect, "GROUP_BY NAME(XG_MORE) FIELDS(XG_LATER #CUSTNO)"}},
        {"PRC0333", 'F', 11, Job::Check, Groups(10, 100)},
        {"PRC0334", 'F', 2, Job::Check, {kDirect, "GROUP_BY NAME(XG_SELF) FIELDS(XG_SELF #CUSTNO)"}},
        {"PRC0335",
         'F',
         2,
         Job::Check,
         {kDirect, "SELECT FIELDS(*ALL *EXCLUDING CUSTNO) FROM_FILE(CUSTMST)", "ENDSELECT"}},
        // a CHANGE has no file whose fields *ALL could name
        {"PRC0336", 'F', 2, Job::Check, {kDirect, "CHANGE FIELD(*ALL) TO(*NULL)"}},
        {"PRC0337", 'F', 2, Job::Check, {kDirect, "SELECT FIELDS(*ALL) FROM_FILE(NOFILE)", "ENDSELECT"}},
        // a group of the 100 members of another and one more
        {"PRC0338", 'F', 3, Job::Check,
         [] {
             std::vector<std::string> lines = Groups(1, 100);
             lines.insert(lines.end() - 1, "GROUP_BY NAME(XG_MORE) FIELDS(XG_000 #CUSTNO)");
             return lines;
         }()},
        {"PRC0344",
         'F',
         3,
         Job::Check,
         {kDirect, "DEF_LIST NAME(#WORKL) FIELDS(#CUSTNO) TYPE(*WORKING)",
          "DLT_ENTRY NUMBER(#CUSTNAM) FROM_LIST(#WORKL)"}},
        {"PRC0373", 'F', 2, Job::Check, {kDirect, "USE BUILTIN(NOBIF)"}},
        {"PRC0377", 'F', 2, Job::Check, {kDirect, "INCLUDE PROCESS(*DIRECT) FUNCTION(NOSUCH)"}},
        {"PRC0378",
         'F',
         2,
         Job::Check,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((EXTN))", "ENDSELECT"},
         kOtherDatabases},
        {"PRC0379",
         'W',
         2,
         Job::Check,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMST) (EXTA))", "ENDSELECT"},
         kOtherDatabases},
        {"PRC0380",
         'W',
         2,
         Job::Check,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((EXTA) (EXTC))", "ENDSELECT"},
         kOtherDatabases},
        {"PRC0381",
         'I',
         2,
         Job::Check,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((EXTA) (EXTC))", "ENDSELECT"},
         kOtherDatabases},
        {"PRC1017", 'F', 0, Job::Generate, {"RETURN"}},
        {"PRC1019",
         'W',
         2,
         Job::Generate,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMSTL1))", "ENDSELECT"}},
        {"PRC1020",
         'W',
         2,
         Job::Generate,
         {kDirect, "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMSTL1))", "ENDSELECT"}},
        {"PRC1022",
         'W',
         2,
         Job::Check,
         {kDirect, "SELECT FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) GENERIC(*YES) OPTIONS(*STARTKEY)", "ENDSELECT"}},
        {"PRC1023", 'F', 101, Job::Check, NestedIfs(100)},
        {"PRC1036", 'F', 2, Job::Check, {kDirect, "GOTO LABEL(A_B)"}},
        {"PRC1038", 'F', 2, Job::Check, {kDirect, "CALL PROCESS(*DIRECT) FUNCTION(NOFUNC)"}},
        {"PRC1050", 'F', 2, Job::Component, Component({"CHANGE FIELD(#CREDIT) TO(1)"})},
        {"PRC1051", 'F', 2, Job::Check, {kDirect, "DEFINE_EVT NAME(DONE)"}},
        {"PRC1052", 'F', 3, Job::Component,
         Component({"MTHROUTINE NAME(RUN)", "MESSAGE MSGTXT('Hello')", "ENDROUTINE"})},
        {"PRC1053", 'I', 0, Job::Component, Component({"MTHROUTINE NAME(RUN)", "ENDROUTINE"})},
        {"PRC1054", 'I', 0, Job::ComponentGenerate, Component({"MTHROUTINE NAME(RUN)", "ENDROUTINE"})},
        {"PRC1059", 'F', 2, Job::Check, {kDirect, "NOSUCHCMD FIELD(#CUSTNO)"}},
        {"PRC1065", 'F', 2, Job::Check, {kDirect, "SELECT_SQL FIELDS(#CUSTSTS) FROM_FILES((ORDLIN))", "ENDSELECT"}},
    };
    return rows;
}

const std::vector<Unreached>& UnreachedIds()
{
    static const std::vector<Unreached> rows = {
        {"PRC0070",
         "named for MESSAGE, ABORT, EXIT and MENU beside *WINDOW without a condition; their values are the ones "
         "the parameter preparation allows (DCM0310 for any other), and the command is refused in a component "
         "under PRC1052"},
        {"PRC0107",
         "named with PRC0106 for the key parameters without a condition; the key values are matched against the "
         "file's keys by the key check (DCM0121, DCM0122, DCM0123, DCM1108, PRC0200) and keys given two ways are "
         "PRC0106"},
        {"PRC0179",
         "named by the file usage check without a condition; a file the partition does not hold is reported where "
         "a command names it (PRC0019, PRC0164) and has no usage record, and one opened and never used is PRC0279"},
        {"PRC0280", "named by the file usage check without a condition (see PRC0179)"},
        {"PRC0185",
         "named for FETCH without a condition; FETCH is the common file check's, whose conditions have their own "
         "ids (PRC0019, PRC0106, the key check)"},
        {"PRC0186", "named for FETCH without a condition (see PRC0185)"},
        {"PRC0201",
         "named by the field usage check without a condition beside PRC0202, a field defined and never used"},
        {"PRC0208",
         "named for BROWSE without a condition; its file is PRC0164 and its fields are the field list expansion's "
         "(PRC0335 to PRC0338)"},
        {"PRC0237", "named for BROWSE without a condition (see PRC0208)"},
        {"PRC0220",
         "the end of the range PRC0216-PRC0220 of DEF_ARRAY's name and INDEXES: the name (PRC0216), an index "
         "(PRC0217), a second definition (PRC0218) and the fields (PRC0219) have their ids, and no further "
         "condition (no largest array) is given"},
        {"PRC0319",
         "named by the field usage check without a condition; a field read before a command changes it reads its "
         "initial value (its default, or blanks or zero), which every field of a function has, so no source is "
         "at fault"},
        {"PRC0339",
         "the field list expansion's answer to a request letter other than O, C, G and X, which no caller passes: "
         "the checker asks only for those four"},
    };
    return rows;
}

}  // namespace

namespace {

// The findings a job printed: id, severity and line (0 when the message
// stands for the whole job).
struct Shown {
    std::string id;
    char severity;
    int line;
};

std::vector<Shown> ShownFindings(const std::vector<std::string>& lines)
{
    static const std::regex kLine(R"(^<[A-Z]{3}>([A-Z]{3}[0-9]{4}) ([FWI])(?: Line ([0-9]+))?)");
    std::vector<Shown> out;
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_search(line, m, kLine))
            out.push_back({m[1].str(), m[2].str()[0], m[3].matched ? std::stoi(m[3].str()) : 0});
    }
    return out;
}

class CheckerMessage : public ToolsCheckFixture, public ::testing::WithParamInterface<Reached> {
protected:
    static std::unique_ptr<testsupport::SampleCopy> sample_;

    static void SetUpTestSuite() { sample_ = std::make_unique<testsupport::SampleCopy>("dqov-messages"); }
    static void TearDownTestSuite() { sample_.reset(); }

    void SetUp() override
    {
        ToolsCheckFixture::SetUp();
        // the library's own steps, generation among them, into a root of
        // the suite's own
        P31O2_SetRunSeams(nullptr);
        DosSetEnvironmentRoot(sample_->root().c_str());
    }

    // Stores a function of the lines in process TSTPRC.
    void storeFunction(const std::string& name, const std::vector<std::string>& lines)
    {
        std::string sql = "INSERT OR IGNORE INTO QV_F20 (X20P_I, X20MOD) VALUES ('DEM', 'TSTPRC');"
                          "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', 'TSTPRC', '" +
                          name + "');";
        for (size_t i = 0; i < lines.size(); ++i) {
            std::string label, rest = lines[i];
            if (size_t colon = rest.find(':'); colon != std::string::npos && colon <= 3) {
                label = rest.substr(0, colon);
                rest = rest.substr(colon + 1);
            }
            rest.erase(0, rest.find_first_not_of(' '));
            const size_t blank = rest.find(' ');
            const std::string command = rest.substr(0, blank);
            const std::string parameters = blank == std::string::npos ? "" : rest.substr(blank + 1);
            sql += "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM) VALUES ('DEM', "
                   "'TSTPRC', '" +
                   name + "', " + std::to_string(i + 1) + ", " + testsupport::sqlQuote(label) + ", " +
                   testsupport::sqlQuote(command) + ", " + testsupport::sqlQuote(parameters) + ");";
        }
        exec(sql);
    }

    // Stores a component of the lines (kind word 0).
    void storeComponent(const std::string& name, const std::vector<std::string>& lines)
    {
        std::string sql = "DELETE FROM QV_OCS WHERE XCSCMP = '" + name + "'; INSERT INTO QV_OCD VALUES ('DEM', '" +
                          name + "', 0, '');";
        for (size_t i = 0; i < lines.size(); ++i)
            sql += "INSERT INTO QV_OCS VALUES ('DEM', '" + name + "', " + std::to_string(i + 1) + ", " +
                   testsupport::sqlQuote(lines[i]) + ");";
        exec(sql);
    }

    // Runs the row's job; what it printed.
    std::string run(const Reached& row)
    {
        const std::string name = std::string(row.id).substr(0, 1) + std::string(row.id).substr(3);
        int32_t result = -9;
        errors = warnings = 0;
        const bool component = row.job == Job::Component || row.job == Job::ComponentGenerate;
        const char option = row.job == Job::Generate || row.job == Job::ComponentGenerate ? 'G' : 'C';
        if (component)
            storeComponent("C" + name, row.source);
        else
            storeFunction(name, row.source);
        if (!row.setup.empty())
            exec(row.setup);
        return component ? RunToolsJob(sys, ("C" + name).c_str(), "*COMP", option, errors, warnings, result)
                         : RunToolsJob(sys, "TSTPRC", name.c_str(), option, errors, warnings, result);
    }
};

std::unique_ptr<testsupport::SampleCopy> CheckerMessage::sample_;

TEST_P(CheckerMessage, ComesWithItsSeverityAtItsLine)
{
    const Reached& row = GetParam();
    const std::string output = run(row);
    const std::vector<Shown> shown = ShownFindings(Lines(output));
    const bool found = std::any_of(shown.begin(), shown.end(), [&](const Shown& s) {
        return s.id == row.id && s.severity == row.severity && s.line == row.line;
    });
    EXPECT_TRUE(found) << row.id << " " << row.severity << " at line " << row.line << "; the job printed:\n" << output;
}

INSTANTIATE_TEST_SUITE_P(Ids, CheckerMessage, ::testing::ValuesIn(ReachedIds()),
                         [](const ::testing::TestParamInfo<Reached>& info) { return std::string(info.param.id); });

// A form the generator cannot write is refused at its line by the check
// that generation follows: the job ends with the finding and no program.
TEST_F(CheckerMessage, AFormTheGeneratorCannotWriteIsRefusedAtItsLine)
{
    struct Form {
        const char* function;
        std::vector<std::string> source;
        const char* id;
        int line;
    };
    const std::vector<Form> forms = {
        {"NOALL", {kDirect, "CHANGE FIELD(*ALL) TO(*NULL)"}, "PRC0336", 2},
        {"NOEXCL",
         {kDirect, "GROUP_BY NAME(XG_A) FIELDS(#CUSTNO #CUSTNAM)", "CHANGE FIELD(XG_A *EXCLUDING #CUSTNO) TO(*NULL)"},
         "PRC0211",
         3},
        {"NOARR", {kDirect, "DEF_ARRAY NAME(MAR) INDEXES(#MI) OF_FIELDS(#CREDIT #CREDIT)"}, "PRC0216", 2},
        {"NOSUB", {kDirect, "SUBSTRING FIELD(#CUSTNAM 0 3) INTO_FIELD(#CUSTSTS)"}, "PRC0150", 2},
        // an array lies over the bytes of a fixed field: not a varying text, a date, an integer or a Boolean
        {"NOOVH", {kDirect, "DEF_ARRAY NAME(#OVH) INDEXES(#OI) OF_FIELDS(#CUSTSTS) ENTRYS(3) OVERLAYING(#FNOTE 1)"},
         "PRC0219", 2},
        {"NOOVE", {kDirect, "DEF_ARRAY NAME(#OVE) INDEXES(#OI) OF_FIELDS(#CUSTSTS) ENTRYS(3) OVERLAYING(#FDATE 1)"},
         "PRC0219", 2},
        {"NOOVI", {kDirect, "DEF_ARRAY NAME(#OVI) INDEXES(#OI) OF_FIELDS(#CUSTSTS) ENTRYS(3) OVERLAYING(#FINT8 1)"},
         "PRC0219", 2},
        {"NOOVY", {kDirect, "DEF_ARRAY NAME(#OVY) INDEXES(#OI) OF_FIELDS(#CUSTSTS) ENTRYS(3) OVERLAYING(#FACTIVE 1)"},
         "PRC0219", 2},
        // nor do its entries run past the field's last byte (CUSTNAM: 30 characters; 26 + 5 > 30)
        {"NOOVP", {kDirect, "DEF_ARRAY NAME(#OVP) INDEXES(#OI) OF_FIELDS(#CUSTSTS) ENTRYS(5) OVERLAYING(#CUSTNAM 27)"},
         "PRC0219", 2},
        // a value that is no field: an expression tests nothing for null
        {"NONULL",
         {kDirect, "DEFINE FIELD(#AUN) TYPE(*DEC) LENGTH(5) DECIMALS(0)", "IF_NULL FIELD('#AUN = 0')", "ENDIF"},
         "DCM0410",
         3},
    };
    const std::filesystem::path source = sample_->root() / "X_VELMO" / "X_DEM" / "SOURCE";
    for (const Form& form : forms) {
        storeFunction(form.function, form.source);
        int32_t result = -9;
        errors = warnings = 0;
        const std::string output = RunToolsJob(sys, "TSTPRC", form.function, 'G', errors, warnings, result);
        const std::vector<Shown> shown = ShownFindings(Lines(output));
        EXPECT_TRUE(std::any_of(shown.begin(), shown.end(),
                                [&](const Shown& s) { return s.id == form.id && s.line == form.line; }))
            << form.function << ":\n"
            << output;
        EXPECT_EQ(result, 0) << form.function;
        EXPECT_GT(errors, 0) << form.function;
        EXPECT_FALSE(std::filesystem::exists(source / (std::string(form.function) + ".C"))) << form.function;
    }
}

// The table above reaches each id of the checker or says why none can.
TEST(CheckerMessageIds, EveryIdIsReachedOrListedWithItsReason)
{
    std::map<std::string, int> seen;
    for (const Reached& r : ReachedIds())
        ++seen[r.id];
    for (const Unreached& u : UnreachedIds()) {
        ++seen[u.id];
        EXPECT_NE(std::string(u.why), "") << u.id;
    }
    std::set<std::string> ids;
    for (const auto& [id, count] : seen) {
        EXPECT_EQ(count, 1) << id << " is listed more than once";
        ids.insert(id);
    }
    std::vector<std::string> missing, extra;
    std::set_difference(kCheckerIds.begin(), kCheckerIds.end(), ids.begin(), ids.end(), std::back_inserter(missing));
    std::set_difference(ids.begin(), ids.end(), kCheckerIds.begin(), kCheckerIds.end(), std::back_inserter(extra));
    EXPECT_EQ(missing, std::vector<std::string>{});
    EXPECT_EQ(extra, std::vector<std::string>{});
}

}  // namespace

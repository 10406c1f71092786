// The language's command names in command-number order, as the run control
// hands them to the parser.
#ifndef DQOV_TESTS_DQOT_COMMAND_NAMES_H
#define DQOV_TESTS_DQOT_COMMAND_NAMES_H

#include "platform/dqot/dqot.h"

#include <array>
#include <cstring>
#include <string_view>

namespace dqot_test {

inline constexpr std::array<std::string_view, 127> kCommandNames = {
    "GROUP_BY",   "SELECT",     "ENDSELECT",  "IF",         "ELSE",       "ENDIF",      "GOTO",      "DOWHILE",
    "ENDWHILE",   "DOUNTIL",    "ENDUNTIL",   "FETCH",      "INSERT",     "UREQUEST",   "UDISPLAY",  "SET_MODE",
    "IF_MODE",    "CHANGE",     "DELETE",     "UPDATE",     "CHECK_FOR",  "RENAME",     "DEFINE",    "OVERRIDE",
    "MESSAGE",    "ABORT",      "EXIT",       "MENU",       "TRANSFER",   "BEGINCHECK", "ENDCHECK",  "ON_ERROR",
    "IF_ERROR",   "SET_ERROR",  "DATECHECK",  "RANGECHECK", "VALUECHECK", "CONDCHECK",  "FILECHECK", "CALLCHECK",
    "CALL",       "UPRINT",     "ENDPRINT",   "REQUEST",    "DISPLAY",    "IF_NULL",    "DEF_LIST",  "ADD_ENTRY",
    "CLR_LIST",   "INZ_LIST",   "DLT_LIST",   "UPD_ENTRY",  "SELECTLIST", "IF_STATUS",  "CASE",      "WHEN",
    "OTHERWISE",  "ENDCASE",    "EXCHANGE",   "SUBSTRING",  "EXEC_CPF",   "BEGIN_LOOP", "END_LOOP",  "COMMIT",
    "ROLLBACK",   "SUBROUTINE", "ENDROUTINE", "EXECUTE",    "RETURN",     "DEF_REPORT", "DEF_HEAD",  "DEF_FOOT",
    "DEF_LINE",   "DEF_BREAK",  "PRINT",      "KEEP_TOTAL", "KEEP_COUNT", "KEEP_AVG",   "KEEP_MAX",  "KEEP_MIN",
    "SPACE",      "SKIP",       "CLOSE",      "GET_ENTRY",  "LOC_ENTRY",  "SORT_LIST",  "IF_KEY",    "BROWSE",
    "SUBMIT",     "USE",        "POINT",      "OPEN",       "EXEC_OS400", "POP_UP",     "DEF_COND",  "FUNCTION",
    "DEF_ARRAY",  "SELECT_SQL", "CONTINUE",   "LEAVE",      "DLT_ENTRY",  "BEGIN_COM",  "END_COM",   "DEFINE_COM",
    "DEFINE_MAP", "SET",        "DEFINE_PTY", "PTYROUTINE", "EVTROUTINE", "DEFINE_EVT", "SIGNAL",    "MTHROUTINE",
    "INVOKE",     "SET_REF",    "IF_REF",     "FOR",        "ENDFOR",     "ASSIGN",     "_ASSIGN",   "IMPORT",
    "WEBROUTINE", "INCLUDE",    "WEB_MAP",    "ATTRIBUTE",  "PERFORM",    "_PERFORM",   "_INVOKE"};

// The names as a blank-padded table of 10-character entries.
struct CommandTable {
    char names[127][10];
    TPARS_COMMAND_TABLE table;
    CommandTable()
    {
        for (size_t i = 0; i < kCommandNames.size(); ++i) {
            std::memset(names[i], ' ', 10);
            std::memcpy(names[i], kCommandNames[i].data(), kCommandNames[i].size());
        }
        table.ulCount = 127;
        table.pachNames = names;
    }
};

}  // namespace dqot_test

#endif

/* The SQL texts of SELECT_SQL: the scan of a text for its host fields and
 * the reserved words it uses as names, the check of the column and field
 * lists, and the body of the command's check. */
#ifndef DQOV_CHECKER_SELECTSQL_H
#define DQOV_CHECKER_SELECTSQL_H

#include <stdint.h>

extern "C" {

/* Scans an SQL text of the current SELECT_SQL (length characters, ended
 * early by a NUL). With fHostFields every host field (":name",
 * or a first token that begins with the national name character) is,
 * with option 1, recorded as used in pass 1 and checked as a field at the
 * command's line in pass 2. A reserved word of SQL after AS is refused
 * (PRC1403). Returns the number of host fields. */
int16_t P3100_ScanSelectSqlText(const char* pchText, uint32_t ulLength, bool fHostFields, int32_t lOption);
/* The column and field lists of the current SELECT_SQL (not in the
 * whole-statement form): the column texts and GROUP_BY and ORDER_BY are
 * scanned; the column list the statement is made of must fit 1,000
 * characters (PRC1404). */
void P3100_CheckSelectSqlColumns(int32_t lOption);
/* The check of SELECT_SQL in the current pass. */
void P3100_CheckSelectSqlBody(void);
}

#endif

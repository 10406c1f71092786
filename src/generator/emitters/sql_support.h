/*
** sql_support.h: what the SELECT_SQL emitters share: the files of the
** current command, the SQL field list's registration, the scan of one SQL
** clause into information entries, and the naming of SQL texts.
*/
#ifndef GENERATOR_EMITTERS_SQL_SUPPORT_H
#define GENERATOR_EMITTERS_SQL_SUPPORT_H

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/core/model/file_field_mangling.h"
#include "generator/emitters/emitters.h"

/* One pass over the information entries of a selection routine: the
** counting pass writes nothing and adds up the entries, the writing pass
** writes them. The reference counter starts at 0 in each pass. */
struct GEN_ODBC_PASS {
    bool fWriting = false;
    int32_t lCount = 0;
    int32_t lReference = 0;
};

/* One clause of the statement: its entry kinds, whether host variables
** may stand in it, whether its names are a list (ORDER_BY), the value of
** its clause entry and, for a column, the column field's vector name. */
struct GEN_ODBC_CLAUSE {
    std::string_view clauseKind;
    std::string_view fieldKind;
    char cHost = 'N';
    char cList = 'N';
    std::string clauseValue;
    std::string columnVector; /* empty for a clause */
};

/* The files of the current SELECT_SQL command, made the files that the
** file-field checks ask about. */
void P3109_SetCommandSqlFiles();
/* Registers one use of a field by the current command (its letters set
** once from 'N'); fCheck runs the file-field name check, fLookUp
** resolves the field among the function's used fields. */
void P3109_RegisterSqlFieldUse(std::string_view name, size_t ulLength, char cUsage1, char cUsage2, bool fCheck,
                               bool fLookUp);
/* Scans one clause; in the writing pass writes its entries. */
void P3109_EmitOdbcColumnEntries(const GEN_SELECT_NODE& select, std::string_view text, size_t ulLength,
                                 GEN_ODBC_PASS& pass, const GEN_ODBC_CLAUSE& clause);
/* Resolves one token as a file field of the statement; in the writing pass
** writes its entry and turns the name into its marker. */
const GEN_SQL_FIELD* P3109_pResolveSqlFieldToken(std::string& token, const GEN_SELECT_NODE& select,
                                                 std::string_view fieldKind, GEN_ODBC_PASS& pass,
                                                 std::string_view value2);
/* The host fields (":NAME") of an SQL text, in order, without the colon. */
std::vector<std::string> P3109_SqlHostFieldNames(std::string_view text);
/* The text literal of an SQL text, by its registered name. */
std::string P3109_SqlLiteral(std::string_view text);
/* A name between the statement's identifier quotes, as a text literal. */
std::string P3109_SqlQuotedLiteral(std::string_view name);
/* The third value and the real name of a field's entry by the name rule. */
void P3109_SqlNameRule(const GEN_SQL_FIELD& entry, char cMapping, std::string& value3, std::string& realName);

#endif

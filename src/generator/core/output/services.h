/*
** services.h: the generator's shared services: messages and fatal reports,
** identifier and literal making, and the lookups other writers share.
*/
#ifndef GENERATOR_CORE_SERVICES_H
#define GENERATOR_CORE_SERVICES_H

#include <cstdint>
#include <string>
#include <string_view>

#include "runcontrol/message_table.h"

/* ---- messages and fatal reports ---- */
/* Issues a message of the current command with its severity ('F', 'W' or
** 'I') and substitution data, and counts it in the check state: with the
** severity of the message table, or (a text carrier) the caller's; by its
** id where another writer hands the message over. */
int16_t P3109_sIssueMessage(dqov::Msg msg, std::string_view data);
int16_t P3109_sIssueMessage(dqov::Msg msg, char cSeverity, std::string_view data);
int16_t P3109_sIssueMessage(const char* pszMsgId, char cSeverity, std::string_view data);
/* Issues a message whose substitution is the name blank-padded to 256: a
** file that could not be opened, counted as an output failure. */
void P3109_IssueFileMessage(dqov::Msg msg, const std::string& fileName);
/* Issues the generator's plain-text message DiskSpaceLow with its severity: the
** substitution is the text blank-padded (or cut) to 80 characters. */
void P3109_IssueTextMessage(char cSeverity, std::string_view text);
[[noreturn]] void P3109_InternalError(std::string_view text);
/* "Fatal SQL error identified as %s encountered." with the database's
** reason (SSQL_pszLastError) and the advice, through FFC_Fatal_Error. */
[[noreturn]] void P3109_FatalSqlError(const char* pszLocation);
[[noreturn]] void P3109_ZophxFieldMisuse(std::string_view routine, std::string_view field);
[[noreturn]] void P3109_ReportException();

/* The number as "%04d" writes it, into out. */
void P3109_FourDigits(int iNumber, std::string& out);
/* printf formatting into a string, of any length. */
std::string P3109_Format(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

/* ---- identifiers and literals ---- */
/* Letters and digits stay, the three national name characters become 'h',
** 'a' and 'd', any other character '_' ('X' in the first position); stops
** at a terminator or a blank, after at most ulLength characters. */
std::string P3109_MakeCIdentifier(std::string_view name, size_t ulLength);
/* The same without the national-character mapping. */
std::string P3109_MakeCIdentifierShort(size_t ulLength, std::string_view name);
/* The MakeCIdentifier rule over the whole name of a file or field read
** through the file-field name mangling. */
std::string P3109_MakeCIdentifierExt(std::string_view name);
/* The last n characters of the (right-trimmed) name made an identifier
** without the national-character mapping; an identifier that would begin
** with a digit gets an 'X' in front (SELECT_SQL column names). */
std::string P3109_MakeShortCIdentifier(std::string_view name, size_t n);
/* Copies a text for a C string literal: backslash, '?', quote and double
** quote become "\x" and two hex digits followed by "" (closing and
** reopening the literal so no further hex digit is taken in); trailing
** blanks are removed. */
std::string P3109_MakeHexLiteral(std::string_view text, size_t ulLength);
/* Escapes a text for a C# regular string literal. */
std::string P3109_MakeCSharpLiteral(std::string_view text);
/* A literal of the current target language for the text. */
std::string P3109_MakeStringLiteral(std::string_view text);
std::string P3109_MakeShortLiteral(long lNumber);
std::string P3109_pszCopyTrimmed(std::string_view field, size_t n);
std::string P3109_CopyUpper(std::string_view text, size_t n);
/* The text as a fixed field of n characters: blank-padded, or cut. */
std::string P3109_Padded(std::string_view text, size_t n);
/* Whether a fixed field holds the name: the field equals
** P3109_Padded(name, field.size()), compared in place. */
inline bool P3109_fPaddedIs(std::string_view field, std::string_view name)
{
    const size_t n = name.size() < field.size() ? name.size() : field.size();
    return field.substr(0, n) == name.substr(0, n) && field.find_first_not_of(' ', n) == std::string_view::npos;
}
const char* P3109_pszFieldTypeConstName(char cType);
const char* P3109_pszFieldSubtypeName(char cSubtype);
void P3109_MakeActionName(std::string_view keyword, std::string& output);
bool P3109_fIsPageField(std::string_view name);
/* Whether a two-character object type is "FL", "CO" or "PR". */
bool P3109_fIsObjectTypeCode(std::string_view code);
int P3109_lCompareCommandName(const void* pName1, const void* pName2);

/* The name without a leading national name character of the run. */
std::string P3109_DropNationalChar(std::string_view name);
/* Right-trims blanks, NULs, form feeds, line feeds and carriage returns. */
std::string P3109_TrimRight(std::string_view text);
/* The same, as a view of the text itself. */
std::string_view P3109_TrimmedRight(std::string_view text);
/* Whether P3109_TrimmedRight leaves nothing of the text: read from the
** front, so that a long field with text at its start is known at once. */
bool P3109_fBlankText(std::string_view text);
/* A right-trimmed terminated name, a single blank when it is all blanks. */
std::string P3109_NameText(const char* pField, size_t ulLength);

/* The GUID text of point 161 (iWhich 0) or 162 (1), made on first use. */
const std::string& P3109_GuidText(int iWhich);

#endif

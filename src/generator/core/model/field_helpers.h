/*
** field_helpers.h: the small services that the writers of field code share:
** the numbered generator message, the size limits of a list, label and
** group names, the table of names that keep exact decimal arithmetic, the
** one-line fragments that index, refresh and remember field values and
** fetch multilingual texts, and the table of text references of the web
** pages.
*/
#ifndef GENERATOR_CORE_FIELD_HELPERS_H
#define GENERATOR_CORE_FIELD_HELPERS_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/field_info.h"

/* ---- messages ---- */
/* Formats the services message of that number with the values (each of
** its conversions takes the next value as text) and issues it as PRC0047
** with the severity ('F', 'W' or 'O'). Returns the issuer's result. */
int16_t P3109_sIssueNumberedMessage(char cSeverity, uint32_t ulNumber,
                                    std::initializer_list<std::string_view> values = {});

/* ---- list size limits ---- */
/* The limits of a list of the second version: an entry length of 0 is an
** internal error (79); entries times length above 2 GB is fatal (869 and
** 875), above 1 GB a warning (873 and 874); an unbounded list (maximum
** 2147483647 entries) passes. Returns 1 when a fatal message was issued.
** Either limit sets the list-overflow indicator. */
int16_t P3109_sCheckListEntrySize(bool fSecondVersion, uint32_t ulEntryLength, int32_t lMaxEntries);
bool P3109_fListOverflow();
void P3109_MarkListOverflow();

/* ---- names ---- */
std::string P3109_MakeGotoLabel(std::string_view label, size_t ulLength);
std::string P3109_MakeGroupName(std::string_view name, size_t ulLength);
/* Names that keep exact decimal arithmetic: upper-cased, 10 characters,
** a leading national name character dropped; at most 2,000. */
void P3109_AddReferencedName(std::string_view name, size_t ulLength);
/* Whether the name is one of them. */
bool P3109_MakeUpperName(std::string_view name, size_t ulLength);
/* A number that changes whenever the referenced names change. */
uint64_t P3109_ulReferencedNamesStamp();
/* The counting callback of the statement evaluations: one per evaluation
** into the 32-bit counter of the user data. */
long P3109_CountStatementEvaluation(const struct DQOO_STATEMENT_EVALUATION* pEvaluation, void* pvUser, void* pvUser2);
/* Whether the object layer enumerates at least one statement evaluation for
** the current command's statement. */
bool P3109_CountStatementEvaluations();
/* A field of the component as the expression generators reach it through
** the component description: the field (a leading national name character
** dropped, case ignored) as a member of one of the component's data or
** dispatch records. vectorTable receives the table that the name indexes,
** "pX_Fld", and fieldName the field's vector name; both keep the defaults
** "pX_Fld" and "V_UNKNOWN" and the answer is -1 when the component has no
** description, no record, or no record holds the field as a defined field;
** else 0. */
int16_t P3109_sGetComponentFieldRef(std::string_view field, std::string& vectorTable, std::string& fieldName);
/* The same for a member of a dispatch record of the component (the records
** the field vector holds): the first that holds the field, or the one named
** `record` when given (case ignored). recordName receives the record's
** vector name ("V_RECORD_" kind code "_" identifier, BOMGEN_MakeRecordNames)
** and fieldName the member's place in the record ("V_" kind code "_"
** record identifier "_" field identifier); recordName is left empty when
** nothing is found. */
int16_t P3109_sGetComponentFieldRefExt(std::string_view field, std::string_view record, std::string& vectorTable,
                                       std::string& fieldName, std::string& recordName);
/* Every character below 32 becomes a blank. */
void P3109_BlankControlChars(std::string& text);
/* Copies at most ulCapacity - 1 characters and terminates. */
void P3109_CopyBounded(char* pDestination, size_t ulCapacity, const char* pszSource);
/* The function's option bytes (the SYSFLAGS copy of the set-up). */
const char* P3109_pFunctionOptions();

/* ---- fragment writers (current stream, current indent) ---- */
void P3109_WriteGetIndex(std::string_view target, const GEN_FIELD_INFO& field);
void P3109_WriteSetIndex(const GEN_FIELD_INFO& field);
void P3109_WriteRefreshFieldValue(const GEN_FIELD_INFO& field);
void P3109_WriteRefreshComponentValue(const GEN_FIELD_INFO& field);
void P3109_WriteIndexVOV(const GEN_FIELD_INFO& field, std::string_view value);
void P3109_WriteRememberedValue(const GEN_FIELD_INFO& field, std::string_view value);
void P3109_WriteGetMultilingualText(std::string_view target, int32_t lOrdinal);
/* fStatic: the target is a static pointer "p" + name of list 1. */
void P3109_WriteGetMultilingualField(std::string_view target, int32_t lOrdinal, char cKind, bool fStatic);

/* ---- text references of the web pages ---- */
struct GEN_TEXT_REFERENCE {
    std::string name;      /* 10 characters */
    int32_t lKind = 0;     /* 0 function description, 1 field text, 2 multilingual variable */
    int32_t lOrdinal = -1; /* the field's or the variable's row */
    int32_t lValue = -1;   /* kind 1: 0 label, 1-3 headings, 4 description */
};
/* Room for at least one more entry; false when no memory could be had. */
bool P3109_fGrowTextReferences();
void P3109_AppendTextReference(std::string_view name, int32_t lKind, int32_t lValue);
void P3109_InsertTextReference(size_t ulPosition, std::string_view name, int32_t lKind, int32_t lValue);
const std::vector<GEN_TEXT_REFERENCE>& P3109_TextReferences();

/* Forgets the per-job tables (the set-up). */
void P3109_ResetFieldHelpers();

#endif

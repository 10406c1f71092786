/*
** file_field_mangling.h: which file of a SELECT_SQL command a field
** belongs to, and under which name its column stands there.
**
** A file field's column may carry another name than the field: a file of
** another database (class 'Y') lists its columns of other names in QV_FCN,
** a file of class 'I' its alternate key names in QV_F54 ("AN$"), and a
** plain file (class 'N') whose file mark is blank may hold the field under
** its C identifier. The SELECT_SQL check asks whether a field belongs to
** any file of the command (check-only); the SELECT_SQL emitters record,
** in the field's entry of the SQL field list, the file that holds it and
** its column name, and read the entries back when they declare the host
** variables.
*/
#ifndef GENERATOR_CORE_FILE_FIELD_MANGLING_H
#define GENERATOR_CORE_FILE_FIELD_MANGLING_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "checker/select_sql_files.h"
#include "dqov/runcontrol/ffc_context.h"
#include "generator/core/model/field_info.h"

/* One use of an SQL field: its two position numbers and the class letter
** and file mark of the file that holds the field there. */
struct GEN_SQL_FIELD_USE {
    int16_t sPosition1 = 0, sPosition2 = 0;
    char cClass = 'N';
    char cMark = ' ';
};

/* One entry of the SQL field list (registered by the SELECT_SQL emitters). */
struct GEN_SQL_FIELD {
    std::string name;                    /* 10 characters, upper-cased */
    std::string identifier;              /* the name's C identifier */
    std::vector<GEN_SQL_FIELD_USE> uses; /* the last is the current use */
    std::string column;                  /* the resolved column name, empty when none */
    bool fUsed = false;                  /* a host variable is needed */
    char cSqlType = ' ';                 /* 'A', 'D', 'L', 'V' (varying), other letters no variable */
    int32_t lLength = 0;
    std::string hostName; /* "U_SQL_" + identifier */
    /* the SELECT_SQL emitters' registration: the two usage letters
       (column, host reference), and the field as the function uses it */
    char acUsage[2] = {'N', 'N'};
    bool fResolved = false;
    std::string vectorName;
    char cType = ' ';
    int16_t sDecimals = 0;
};

/* The files of the current SELECT_SQL command and the run context whose
** partition and national name character the lookups use (the check or the
** emitter sets them before it asks about the command's fields). */
void P3109_SetSelectSqlFiles(std::vector<GEN_SQL_FILE> files, const FFC_CONTEXT* pContext);
const std::vector<GEN_SQL_FILE>& P3109_SelectSqlFiles();

/* The SQL field list. */
GEN_SQL_FIELD& P3109_AddSqlField(std::string_view name);
const std::deque<GEN_SQL_FIELD>& P3109_SqlFields();
void P3109_ResetSqlFields();
/* Forgets the answers of the dictionary's field lookups kept for the job
** (the SQL field list's reset forgets them too). */
void P3109_ForgetFileFieldAnswers();

/* ---- repository lookups ---- */
/* The column (kind 'Y') or alternate name (kind 'I') of the field in the
** file; empty when there is none or for any other kind. */
std::string P3109_sLookupMangledColumn(std::string_view field, std::string_view file, std::string_view library,
                                       char cKind);
/* Whether the file has a column (kind 'Y') or alternate name (kind 'I')
** of that name. */
bool P3109_sCountMangledColumns(std::string_view file, std::string_view library, char cKind, std::string_view column);
/* Whether the file holds the field as a row of that type ("FFD", "VFD"). */
bool P3109_sCountFileFields(std::string_view field, std::string_view file, std::string_view library,
                            std::string_view type);
/* 1 when a field of the file of that type has the C identifier given. */
int P3109_fIsFileMangledField(std::string_view identifier, std::string_view file, std::string_view library,
                              std::string_view type);

/* ---- the SQL field list ---- */
/* The entry of the name (a leading national name character dropped,
** upper-cased, 10 characters); found set to 1 or 0. With a use pair and
** both outputs the outputs are preset 'N' and ' ' and take the flags of
** the entry's use at that pair. */
GEN_SQL_FIELD* P3109_pFindNamedFileEntry(std::string_view name, size_t ulLength, const int16_t* pUsePair, int& found,
                                         char* pKind, char* pFlag);
GEN_SQL_FIELD* P3109_pFindSqlField(int& found, size_t ulLength, std::string_view name);
/* The same search by name alone: the entry, or null. */
GEN_SQL_FIELD* P3109_pFindSqlFieldQuick(std::string_view name, size_t ulLength);

/* 1 with the class letter and file mark of file i (from 1) when the field
** is a field of that row type there (and, unless the class is 'N', its
** column name), else 0. */
int P3109_CheckFileFieldMangling(std::string_view field, char& cKind, char& cFlag, std::string& column, size_t ulFile,
                                 std::string_view rowType, GEN_SQL_FIELD* pEntry);
/* The entry of a field as the SQL text scan finds it, with the file named
** by its qualifier (a correlation name or a file name). */
GEN_SQL_FIELD* P3109_sCheckSelectSqlFileField(std::string_view field, size_t ulLength, const int16_t* pUsePair,
                                              int& found, char& cKind, char& cFlag, std::string_view qualifier,
                                              std::string& column);
/* 1 when a file of the current command holds the field, else 0 (see the
** definition for the warnings and PRC1065). */
int16_t P3109_sCheckFileFieldMangling(std::string_view field, GEN_SQL_FIELD* pEntry, int32_t lEnable, int fCheckOnly);

/* The declaration of a record field of an extended-language type, from
** its local name, type and lengths. */
std::string P3109_WriteRecordFieldDeclaration(const GEN_FIELD_INFO& field);

/* ---- SELECT_SQL host variables ---- */
/* The host variables of the used entries, one level deeper. */
void P3109_WriteSqlHostVariables();
/* C only: "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_%s)))". */
void P3109_WriteModuleComponentIf(uint32_t stream, int16_t sIndent, std::string_view name);
/* C only: "#endif". */
void P3109_WriteEndif(int16_t sIndent, int32_t lUnused, uint32_t stream);

#endif

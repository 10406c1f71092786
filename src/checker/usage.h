/* Operand and file uses of the function and the final checks on them. */
#ifndef DQOV_CHECKER_USAGE_H
#define DQOV_CHECKER_USAGE_H

#include <stdint.h>
#include <string>
#include <string_view>
#include <vector>

#include "checker/checker.h"

#define WR_DEFINE "DEFINE    " /* name: a field defined by DEFINE; data WR_DEFINE_DATA */
#define WR_FLDDEFLT "FLDDEFLT  " /* name: a field whose default DEFINE or OVERRIDE gave; data WR_FLDDEFLT_DATA */

/* Data of a "DEFINE" record: the field's attributes. */
typedef struct WR_DEFINE_DATA {
    char cType;
    char acLength[5];
    char acDecimals[3];
} WR_DEFINE_DATA;

/* Data of a "FLDDEFLT" record: the default as written (DEFAULT), or the
 * one the field takes from its reference field, and the line that gave it. */
typedef struct WR_FLDDEFLT_DATA {
    char acDefault[50];
    char acLine[7];
} WR_FLDDEFLT_DATA;

namespace checker {

/* The default a field takes in the function: the one DEFINE or OVERRIDE
 * gave it ("FLDDEFLT"), else the dictionary's (QV_F03); blank when none. */
std::string FieldDefault(const std::string& field);
/* The line of the DEFINE or OVERRIDE that gave the field its default; 0
 * for the dictionary's. */
int32_t FieldDefaultLine(const std::string& field);
/* DEFINE and OVERRIDE: records the field's default, the one DEFAULT gives
 * (unless *SAME), else the reference field's when REFFLD names one. */
void RecordFieldDefault(const std::string& field, const std::string& reference);
/* Records one use of an operand under the name as written. */
void RecordFieldUse(const std::string& written, const std::string& field, const char* kind);
/* The field an operand names: "#CUSTNO" -> "CUSTNO", or a name written
 * without the national name character that names a field the function
 * knows ("CUSTNO" -> "CUSTNO"); empty for others. */
std::string FieldOf(const std::string& operand);
/* The field an operand names with the national name character before it
 * ("#CUSTNO" -> "CUSTNO"), where a plain name names something else (a
 * process, a function). */
std::string FieldNamedWithPrefix(const std::string& operand);
/* The alphanumeric literal that stands for an object name given as written
 * where a field could stand ("MYPGM" -> "'MYPGM'"): its operand record. */
std::string NameLiteral(const std::string& name);
/* A list or field name as written without its name character ("#CUSTLIST"
 * -> "CUSTLIST"); any other text in capitals. */
std::string NameOf(const std::string& written);
/* Records one use of an operand (pass 1): a field group's use count, or the
 * field's "USEFIELD" record. Uses after an operand's first are counted in
 * memory until WriteFieldUses adds them to the records' use counts. */
void RecordOperand(const std::string& operand);

// Whether a field group ("GROUPNAM" record) of that name may exist: false
// only where none does (the names are kept in memory).
bool MayNameFieldGroup(std::string_view name);
/* A field group named by GROUP_BY (the entry as written, with or without
 * the name character). */
bool NamesFieldGroup(const std::string& entry);
/* Adds the uses of operands counted in memory to their records; after the
 * last use of pass 1 that a command records, before the records are read
 * for their counts. Later uses are written as they come. */
void WriteFieldUses();
/* The entries of a list parameter of the current command that name a
 * field, and the recording of their uses (pass 1). */
std::vector<std::string> FieldEntries(const char* keyword);
/* "AL" for an alphanumeric literal in quotes, "NL" for a number, else null. */
const char* LiteralClass(const std::string& operand);
/* A special value written in place (*BLANK, *ZERO, *HIVAL, *LOVAL, *NULL,
 * ...): it has no length of its own, so no used field names it and it has
 * no entry in the program's field vector. */
bool NamesNoVectorEntry(const std::string& operand);
void RecordFieldEntries(const char* keyword);
/* A field list of the current command with its special entries (*ALL
 * for the file's fields, *INCLUDING, *EXCLUDING, "XG_" groups) expanded:
 * each field is used, each group named counts as used; a list that cannot
 * be expanded gives the expansion's finding. */
void RecordExpandedFieldList(const char* keyword, const std::string& file);
/* The entries of a field list parameter with its special entries and
 * groups expanded: false, with the expansion's finding issued, when the
 * list cannot be expanded. */
bool ExpandFieldList(const char* keyword, const std::string& file, std::vector<std::string>& entries);
/* The fields named in an expression or condition (outside literals), as
 * written, and the recording of their uses (pass 1). */
std::vector<std::string> ExpressionFields(std::string_view text);
void RecordExpressionFields(std::string_view text);
/* Pass 1: the uses of what the current command's keywords name, as the
 * command tables give each keyword's role: the fields (and field groups)
 * of its field keywords and lists, the operands, the fields of its
 * conditions and its I/O status field. Every handler's command goes
 * through it after its handler, so that a field named only in a keyword
 * reaches the generator's used fields, and a name that is not defined is
 * reported at the line of its first use. */
void RecordKeywordUses();
/* The array element a field name stands for ("ARR#IX"), or null. */
const Globals::ArrayElement* FindArrayElement(const std::string& field);
/* After pass 1: the "USEFIELD" records of the array elements used get the
 * array and index they stand for; the index fields are used with them. The
 * uses counted in memory are then written (WriteFieldUses). */
void CompleteArrayElementUses();
/* Whether the partition's field dictionary holds the field. The dictionary
 * rows read are kept for the check; ForgetDictionaryFields (at the start of
 * a check) forgets them. */
bool FieldInDictionary(const std::string& field);
void ForgetDictionaryFields();
bool FieldDefined(const std::string& field);
/* A field the function knows: of the dictionary, defined by the function
 * (DEFINE, RENAME, DEF_ARRAY), or a parameter of the process. */
bool FieldKnown(const std::string& field);
/* Fields refused as undefined at the line of a use: the final field check
 * does not report them again. */
void NoteFieldReported(const std::string& field);
bool FieldReported(const std::string& field);
/* Physical file ('P') or logical view ('L') of the partition. */
bool FileKnown(const std::string& file, const std::string& library, char& kind);
/* Records a file use as its "USEFILE" record (pass 1); false when the
 * partition holds no such file (nothing is recorded; the caller reports). */
bool RecordFileUse(const std::string& file, const std::string& library);
/* Records the file the current command names; a file the partition does
 * not hold is reported at the command's line (PRC0019, or the message the
 * command's check gives for it) and gives false. */
bool RecordNamedFile(const std::string& file, const std::string& library, Msg notFound = Msg::FileNotPhysicalOrLogical);
/* A data structure the function uses ("USE_DS", once per structure) and,
 * with a kind ("PASS_DS"), how it uses it. */
void RecordDataStructureUse(const std::string& structure, const char* kind);

}  // namespace checker

extern "C" {
void P3100_CheckFinalFields(void);
void P3100_CheckFileUsage(void);
void P3100_CheckFieldUsage(void);
void ObtainFieldDefaultValueRoutines(void);
void P3100_EnumerateComponentInformation(void);
struct FCC_BUILD_HANDLE;
void P3100_GenerateWebAccessModules(struct FCC_BUILD_HANDLE* pBuild);
void P3100_CheckDeferredFieldReferences(void);
void P3100_CheckListColumnSources(void);
/* A function with the option *BUILTIN is the built-in function "UD_" and
 * its name: the name must be free in the catalogue (PRC1406), and a note
 * says the catalogue entry is not written (PRC1407). */
void P3100_DefineUserBuiltInFunction(void);
/* An object outside the repository (a report's print file and library, 10
 * characters each): recorded in the cross-reference; anything but the
 * environment's standard print file is named in a warning that it could
 * not be validated (PRC1405). */
void P3100_CheckExternalObject(const char* pachObject, const char* pachLibrary);
long P3100_sRecordXrefCallback(const char* pszKind, const char* pszName, uint32_t ulLine);
struct BOM_DESCRIPTION_NODE;
void P3100_WalkComponentDescription(const struct BOM_DESCRIPTION_NODE* pNode, int32_t lDepth, int32_t lParentKind);
}

#endif

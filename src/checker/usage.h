/* Operand and file uses of the function and the final checks on them. */
#ifndef DQOV_CHECKER_USAGE_H
#define DQOV_CHECKER_USAGE_H

#include <string>
#include <string_view>

#define WR_DEFINE "DEFINE    "   /* name: a field defined by DEFINE (no data) */

namespace checker {

/* Records one use of an operand under the name as written. */
void RecordFieldUse(const std::string &written, const std::string &field, const char *kind);
/* The field an operand names ("#CUSTNO" -> "CUSTNO"), empty for others. */
std::string FieldOf(const std::string &operand);
/* Records one use of an operand (pass 1): a field group's use count, or the
 * field's "USEFIELD" record. */
void RecordOperand(const std::string &operand);
/* Every entry of a list parameter of the current command. */
void RecordFieldList(const char *keyword);
/* A field list of the current command with its special entries (*ALL
 * for the file's fields, *INCLUDING, *EXCLUDING, "XG_" groups) expanded:
 * each field is used, each group named counts as used; a list that cannot
 * be expanded gives the expansion's finding. */
void RecordExpandedFieldList(const char *keyword, const std::string &file);
/* The fields named in an expression or condition (outside literals). */
void RecordExpressionFields(std::string_view text);
bool FieldInDictionary(const std::string &field);
bool FieldDefined(const std::string &field);
/* Physical file ('P') or logical view ('L') of the partition. */
bool FileKnown(const std::string &file, const std::string &library, char &kind);
/* Records a file use as its "USEFILE" record (pass 1). */
void RecordFileUse(const std::string &file, const std::string &library);

} // namespace checker

extern "C" {
void P3100_CheckFinalFields(void);
void P3100_CheckFileUsage(void);
void P3100_CheckFieldUsage(void);
}

#endif

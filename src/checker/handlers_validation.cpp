// Check handlers of the validation commands: BEGINCHECK, ENDCHECK,
// ON_ERROR, IF_ERROR, SET_ERROR, DATECHECK, RANGECHECK, VALUECHECK,
// CONDCHECK and FILECHECK. Pass 1 records the fields used; pass 2 checks
// the operands, conditions and targets, when every label and field of the
// function is known.
#include "checker/checker.h"
#include "checker/expression_routines.h"
#include "checker/handlers.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"

#include <algorithm>
#include <cctype>
#include <cstring>

using namespace checker;

namespace {

// Pass 1: the message text in use (the fields of the message data are
// recorded with every command's keywords).
void RecordMessage()
{
    NoteMessageText();
}

void CheckMessageData()
{
    CheckEntryValues("MSGDTA");
}

// The field a check command validates: its class for the values.
OperandInfo CheckedField()
{
    return CheckFieldOperand(Parm("FIELD"));
}

// A value of a value list as a condition names it: a name written without
// its name character is the dictionary field of that name, or else an
// alphanumeric literal ("A" is 'A').
std::string ConditionOperand(const std::string& value)
{
    const char first = value.empty() ? ' ' : value[0];
    if (first == '*' || first == '\'' || !FieldOf(value).empty() || LiteralClass(value))
        return value;
    FFC_FIELD_DEFINITION def;
    const char marker = G().ctx && G().ctx->cNatChar1 != ' ' ? G().ctx->cNatChar1 : '#';
    if (LookUpFieldDefinition(value, def))
        return std::string(1, marker) + Upper(value);
    std::string quoted = "'";
    for (char c : value)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// A bound of a range as the condition compares it: blanks or zero (*BLANK,
// *ZERO, *NULL and their other spellings), which a condition tests for
// equality only, as the value they stand for in the field's class.
std::string RangeBound(const std::string& value, char typeClass)
{
    static constexpr const char* kBlankOrZero[] = {"*BLANK", "*BLANKS", "*ZERO", "*ZEROS", "*ZEROES", "*NULL"};
    const std::string upper = Upper(value);
    for (const char* name : kBlankOrZero)
        if (upper == name)
            return typeClass == 'A' ? "' '" : "0";
    return ConditionOperand(value);
}

// A value list holding a special value written in place (*BLANK, *HIVAL,
// ...) cannot be handed to the run time's checker as a list of field
// vector entries: such a check is compiled as the condition it stands for,
// the field equal to one of the values or within one of the ranges, of
// which the object layer knows each special value for the field's type.
void CompileValueListCondition(const char* keyword, int columns, char typeClass)
{
    const int32_t count = ParmCount(keyword);
    bool special = false;
    for (int32_t i = 0; i < count; ++i)
        for (int column = 0; column < columns; ++column)
            special = special || NamesNoVectorEntry(Upper(ParmEntry(keyword, i, column)));
    if (!special)
        return;
    const std::string field = Parm("FIELD");
    std::string condition;
    for (int32_t i = 0; i < count; ++i) {
        const std::string first = ParmEntry(keyword, i, 0);
        if (first.empty())
            continue;
        condition += condition.empty() ? "" : " OR ";
        if (columns == 1)
            condition += field + " = " + ConditionOperand(first);
        else
            condition += "(" + field + " >= " + RangeBound(first, typeClass) + " AND " + field +
                         " <= " + RangeBound(ParmEntry(keyword, i, 1), typeClass) + ")";
    }
    CheckCompiledCondition(condition);
}

}  // namespace

extern "C" {

// BEGINCHECK: the numeric field that counts the errors found, or *NONE.
void P3100_CheckBeginCheck(void)
{
    std::string count = Parm("KEEP_COUNT");
    if (Given(count) && Pass() == 2)
        CheckFieldOperand(count, 'N');
}

// ENDCHECK and ON_ERROR: what follows a validation error: *LASTDIS, *NEXT,
// *RETURN or a label of the routine.
void P3100_CheckEndCheckOnError(void)
{
    if (Pass() == 1) {
        RecordMessage();
        return;
    }
    std::string target = Parm("IF_ERROR");
    if (!TargetValid(target, {"*LASTDIS", "*NEXT", "*RETURN"}))
        Issue(Msg::OnErrorTargetNotValid, Upper(target));
    CheckMessageData();
}

void P3100_CheckIfError(void)
{
    if (Pass() == 1) {
        RecordMessage();
        return;
    }
    CheckMessageData();
}

// SET_ERROR: the fields (or groups) put in error.
void P3100_CheckSetError(void)
{
    int32_t n = ParmCount("FOR_FIELD");
    if (Pass() == 1) {
        if (n <= 0) {
            Issue(Msg::ParameterHasNoEntry, "FOR_FIELD");
            return;
        }
        RecordMessage();
        return;
    }
    CheckFieldEntries("FOR_FIELD");
    CheckMessageData();
}

void P3100_CheckDateCheck(void)
{
    if (Pass() == 1) {
        RecordMessage();
        return;
    }
    CheckedField();
    CheckCheckAction("IF_VALID");
    CheckCheckAction("IF_INVALID");
    CheckMessageData();
}

// RANGECHECK: each range's bounds are values of the field's class.
void P3100_CheckRangeCheck(void)
{
    int32_t ranges = ParmCount("RANGE");
    if (Pass() == 1) {
        RecordMessage();
        return;
    }
    OperandInfo field = CheckedField();
    for (int32_t i = 0; i < ranges; ++i)
        for (int element = 0; element < 2; ++element)
            CheckOperandValue(ParmEntry("RANGE", i, element), field.valid ? field.typeClass : ' ');
    if (field.valid)
        CompileValueListCondition("RANGE", 2, field.typeClass);
    CheckCheckAction("IN_RANGE");
    CheckCheckAction("OUT_RANGE");
    CheckMessageData();
}

// VALUECHECK: the values of the list are of the field's class.
void P3100_CheckValueCheck(void)
{
    int32_t values = ParmCount("WITH_LIST");
    if (Pass() == 1) {
        RecordMessage();
        return;
    }
    OperandInfo field = CheckedField();
    for (int32_t i = 0; i < values; ++i)
        CheckOperandValue(ParmEntry("WITH_LIST", i), field.valid ? field.typeClass : ' ');
    if (field.valid)
        CompileValueListCondition("WITH_LIST", 1, field.typeClass);
    CheckCheckAction("IN_LIST");
    CheckCheckAction("NOT_INLIST");
    CheckMessageData();
}

void P3100_CheckCondCheck(void)
{
    if (Pass() == 1) {
        RecordMessage();
        return;
    }
    CheckedField();
    std::string condition = Parm("COND");
    if (condition.empty())
        Issue(Msg::ParameterHasNoEntry, "COND");
    else
        CheckCompiledCondition(condition);
    CheckCheckAction("IF_TRUE");
    CheckCheckAction("IF_FALSE");
    CheckMessageData();
}

// FILECHECK: the common file check; the field checked and the outcomes.
void P3100_CheckFileCheck(void)
{
    P3100_CheckFileCommand(0);
    if (Pass() == 1) {
        RecordMessage();
        return;
    }
    CheckedField();
    CheckCheckAction("IN_FILE");
    CheckCheckAction("NOT_INFILE");
    CheckMessageData();
}

}  // extern "C"

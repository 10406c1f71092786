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
        Issue('F', "PRC0072", Upper(target));
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
            Issue('F', "PRC0181", "FOR_FIELD");
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
        Issue('F', "PRC0181", "COND");
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

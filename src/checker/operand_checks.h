/* Operand, value and condition checks of the handlers: the parameter
 * subsystem's operand and expression checks run for the current command,
 * their findings replayed as checker messages of the command. */
#ifndef DQOV_CHECKER_OPERAND_CHECKS_H
#define DQOV_CHECKER_OPERAND_CHECKS_H

#include <stdint.h>
#include <string>
#include <string_view>

#include "dqov/runcontrol/definitions.h"
#include "runcontrol/message_table.h"

namespace checker {

/* What an accepted operand turned out to be. */
struct OperandInfo {
    bool valid = false;
    char typeClass = ' '; /* 'A' or 'N' ('L' never) */
    char type = ' ';      /* the field's type code; 'A'/'P' for literals */
    int32_t length = 0;
    int32_t decimals = 0;
    bool field = false;   /* the operand is a field */
    std::string resolved; /* the resolved operand */
};

/* Checks one operand against an expected type class ('A', 'N' or ' ' for
 * either); with lLength above 0 also its length and decimals. A blank
 * operand is not valid and is not reported. */
OperandInfo CheckOperandValue(const std::string& operand, char typeClass = ' ', int32_t length = 0,
                              int32_t decimals = 0);
/* Checks an operand that must be a field of the function or the
 * dictionary (no literal, no system variable). */
OperandInfo CheckFieldOperand(const std::string& operand, char typeClass = ' ');
/* Checks an operand that must be a numeric field; a field of the other
 * type class is the command's own finding `msg` with `data`. */
OperandInfo CheckNumericField(const std::string& operand, dqov::Msg msg, std::string_view data);
/* Checks the entries of a list parameter of the current command that name
 * a field: as values of either class, or as fields. */
void CheckEntryValues(const char* keyword);
void CheckFieldEntries(const char* keyword);
struct CheckedExpression;
/* Checks a condition; true when the check found no error. The accepted
 * expression goes to `accepted` when given. */
bool CheckConditionText(const std::string& text, CheckedExpression* accepted = nullptr);
/* Checks a condition whose refusal is the command's own finding `msg` with
 * `data`, issued before the check's findings that say why. */
bool CheckConditionTextAs(const std::string& text, dqov::Msg msg, std::string_view data,
                          CheckedExpression* accepted = nullptr);
/* The same check without findings, for a condition whose own command
 * reports them. */
bool AcceptConditionText(const std::string& text, CheckedExpression* accepted);
/* Checks an expression of type 'A' or 'N' whose result goes into a field of
 * the given length and decimals; true when the check found no error. */
bool CheckExpressionText(const std::string& text, char type, int32_t length, int32_t decimals,
                         CheckedExpression* accepted = nullptr);
/* What an expression is, checked without reporting: whether it checks
 * clean, computes something, and names an operand that is no literal (a
 * field, system variable, condition ...). */
struct ExpressionShape {
    bool valid = false;
    bool computes = false;
    bool namesOperand = false;
};
ExpressionShape ExpressionShapeOf(const std::string& text, char type, int32_t length, int32_t decimals);
/* Looks a field (with or without the name character) up in the function
 * and the dictionary. */
bool LookUpField(const std::string& name, char& type, int32_t& length, int32_t& decimals);
/* The same with the whole definition. */
bool LookUpFieldDefinition(std::string_view name, FFC_FIELD_DEFINITION& def);

}  // namespace checker

#endif

/* The evaluation routines of the checked expressions: every expression the
 * checker accepts is handed to the object layer, which compiles it into a
 * routine; the command keeps the routine's kind-3 reference for the
 * generator. An expression the object layer cannot compile is a fatal
 * message (PRC1810) naming the command and the expression. */
#ifndef DQOV_CHECKER_EXPRESSION_ROUTINES_H
#define DQOV_CHECKER_EXPRESSION_ROUTINES_H

#include <string>
#include <vector>

#include "dqov/params/dqov_check.h"
#include "platform/dqoo/dqoo_compile.h"

namespace checker {

/* One expression as the expression check accepted it. Its operands point
 * into its own names, so it moves but does not copy. */
struct CheckedExpression {
    CheckedExpression() = default;
    CheckedExpression(const CheckedExpression&) = delete;
    CheckedExpression& operator=(const CheckedExpression&) = delete;
    CheckedExpression(CheckedExpression&&) = default;
    CheckedExpression& operator=(CheckedExpression&&) = default;

    std::string text;
    std::vector<DQOO_CHECKED_OPERAND> operands;
    /* names[i] holds the name operands[i].pszName points to: one for each
     * operand, in their order */
    std::vector<std::string> names;
    std::vector<DQOO_CHECKED_OPERATION> operations;

    /* Takes the operands and operations of an accepted request. */
    void Take(const std::string& expressionText, const DC_EXPRESSION_REQUEST& request);
    DQOO_CHECKED_EXPRESSION View() const;
    /* True when the expression is one condition name alone. */
    bool NamesOneCondition() const;
};

/* Checks a condition of the current command and compiles it into a
 * Boolean routine when the check accepts it. A condition that is one
 * condition name alone is not compiled: the generator tests it with the
 * evaluation routine of its DEF_COND. */
bool CheckCompiledCondition(const std::string& text);

/* The routines of the current command; each puts the routine's reference
 * into the command's parameters. A condition name within an expression
 * stands for its DEF_COND condition, which the routine evaluates where the
 * name stands. */
void CompileCondition(CheckedExpression& e);
void CompileValue(CheckedExpression& e, const std::vector<std::string>& targets, bool round);
void CompileSpecialValue(const std::string& value, const std::vector<std::string>& targets);
void CompileWhenSubject(CheckedExpression& e, uint32_t level);
void CompileWhenTests(std::vector<CheckedExpression>& values, uint32_t level);

/* The WHERE of a file command, compiled with the fields of its file
 * marked, so that its routine also holds the tables that hand the WHERE
 * to the I/O module where the module can evaluate it. A WHERE the check or
 * the object layer does not take stays text, which the generator evaluates
 * in code. */
void CompileFileWhere(const std::string& text, const std::string& file);

}  // namespace checker

#endif

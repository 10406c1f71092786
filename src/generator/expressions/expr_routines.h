/*
** expr_routines.h: the evaluation routine writers, the routine-reference
** calls and X_VAR frames, and the I/O tables from p-code.
**
** The object layer hands every compiled routine to the three enumeration
** callbacks here: the routine writer (into the C or C# source at insertion
** point 14), the macro writer and the prototype writer (into the header at
** point 15). Command emitters name a compiled routine by a kind-3 routine
** reference (the byte 3, the routine letter, seven digits) and write its
** call, its When-group stack, its system-variable settings, its X_VAR frame
** and its I/O table rows through the writers of this header.
**
** Every writer takes the generator it writes through; the callbacks, whose
** signature the object layer fixes, write through EXPR_CurrentWriter().
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_ROUTINES_H
#define GENERATOR_EXPRESSIONS_EXPR_ROUTINES_H

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "generator/expressions/expr_writer_services.h"
#include "platform/dqoo/dqoo_pcode.h"

/* ---- formatting and the subsystem's comment, box, guard helpers -------- */

/* A hash of a short text taken eight bytes at a time, for the writers' own
** tables of field names and kept lines. */
inline uint64_t EXPR_TextHash(std::string_view text)
{
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    uint64_t h = text.size() * kMultiplier;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        h = (h ^ word) * kMultiplier;
        h ^= h >> 29;
    }
    /* the last eight bytes (some hashed already) when there are eight, read
    ** at once; else the few there are */
    uint64_t tail = 0;
    if (text.size() >= 8)
        std::memcpy(&tail, text.data() + text.size() - 8, 8);
    else
        std::memcpy(&tail, text.data(), text.size());
    h = (h ^ tail) * kMultiplier;
    return h ^ (h >> 32);
}

/* printf-style formatting into a string. */
std::string EXPR_Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
/* The same text put into `text` (a buffer the caller keeps), which it returns. */
const std::string& EXPR_FormatInto(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

/* The lower-case hexadecimal digits of a value, at least two (a zero
** before one), in `text`: printf's "%.2x". */
std::string_view EXPR_HexAtLeastTwo(char (&text)[8], uint32_t value);

void EXPR_WriteSpacedComment(ExprWriterServices& gen, std::string_view text);
void EXPR_WriteCommentAfterBlank(ExprWriterServices& gen, std::string_view text);
void EXPR_WriteComment(ExprWriterServices& gen, std::string_view text);
void EXPR_WriteCommentBeforeBlank(ExprWriterServices& gen, std::string_view text);
void EXPR_WriteSectionBox(ExprWriterServices& gen, uint32_t stream, std::string_view text);
void EXPR_WriteSubsectionBox(ExprWriterServices& gen, uint32_t stream, std::string_view text);
void EXPR_WriteModuleComponentGuard(ExprWriterServices& gen, uint32_t stream, uint16_t indent, std::string_view name);
void EXPR_WriteGuardEnd(ExprWriterServices& gen, uint16_t indent, uint32_t stream);
void EXPR_IndentIn(ExprWriterServices& gen);
void EXPR_IndentOut(ExprWriterServices& gen);

/* ---- the evaluation routine writer --------------------------------------- */

/* EXPR_SECTION_COUNT: routines handed to the macro or prototype writer by
** the running enumeration (the section title goes out while it is 0). */
uint32_t& EXPR_SectionCount();

/* The callbacks of DQOO_FCC_EnumerateExpressionPcode; each returns 0. The
** prototype writer's user data points to a word holding 0 or 1 (null for
** both passes). */
long EXPR_lWriteEvaluationRoutine(EXPR_ROUTINE* routine, void* user);
long EXPR_lWriteEvaluationMacros(EXPR_ROUTINE* routine, void* user);
long EXPR_lWriteEvaluationPrototypes(EXPR_ROUTINE* routine, void* pass);

/* The name a routine is written under ("Command_Evaluation_Routine_3"),
** or its kind and number for a kind with no routine of its own. */
std::string EXPR_RoutineName(const EXPR_ROUTINE& routine);

/* One expression of a routine: its variants in their preprocessor frame and
** its p-code path (operand declarations and instruction table). */
void EXPR_WriteExpression(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression);
/* The static operand declarations and apOperandTable of one p-code list;
** returns the number of operands declared. */
uint32_t EXPR_WriteOperandDeclarations(ExprWriterServices& gen, uint32_t count,
                                       EXPR_PCODE_INSTRUCTION* const* instructions);

/* Insertion point 14, the object layer's part: every compiled routine into
** the C source (the C# class source in the C# pass) at indent 3. */
void EXPR_WriteEvaluationRoutines(ExprWriterServices& gen);
/* True for a command routine that loads a When group's subject into the
** group's stack (its C# method takes the stack as a parameter). */
bool EXPR_fLoadsWhenSubject(const EXPR_ROUTINE& routine);
/* Insertion point 15, the object layer's part: the macros, then the
** macro-or-function call definitions, then the plain prototypes, into the
** header. */
void EXPR_WriteEvaluationHeaderSections(ExprWriterServices& gen);

/* ---- routine-reference calls and X_VAR frames ---------------------------- */

/* The routine number of a kind-3 reference (its seven digits); -1 for a
** parameter of another kind. */
int32_t EXPR_lRoutineNumber(const char* reference);

void EXPR_WriteCommandEvaluationCall(ExprWriterServices& gen, const char* reference);
long EXPR_lWriteCommandCallLine(EXPR_ROUTINE* element, void* user, void* user2);
void EXPR_WriteExecuteReceivedCall(ExprWriterServices& gen, const char* reference);
long EXPR_lWriteExecuteReceivedLine(EXPR_ROUTINE* element, void* user, void* user2);
void EXPR_WriteExecuteReturnedCall(ExprWriterServices& gen, const char* reference);
long EXPR_lWriteExecuteReturnedLine(EXPR_ROUTINE* element, void* user, void* user2);
/* The call text and bare name of a Boolean ('D') or When ('F') routine;
** both become empty for any other parameter. Writes nothing. */
void EXPR_BuildConditionRoutineCall(ExprWriterServices& gen, const char* reference, std::string* call,
                                    std::string* name);
void EXPR_WriteVarCharRelease(ExprWriterServices& gen, const char* reference, std::string_view variable);
void EXPR_WriteStringEvaluationCall(ExprWriterServices& gen, const char* reference, std::string_view variable,
                                    std::string_view target);
void EXPR_WriteDefaultValueCall(ExprWriterServices& gen, const char* reference, std::string_view argument);
void EXPR_WriteTerminateFrameCall(ExprWriterServices& gen, int flag);
char EXPR_fRoutineHasSysVarBlock(ExprWriterServices& gen, const char* reference);
long EXPR_lNoteSysVarBlock(EXPR_ROUTINE* element, void* flag, void* user2);
void EXPR_WriteSysVarSettings(ExprWriterServices& gen, const char* reference);
long EXPR_lWriteSysVarSettingLine(EXPR_ROUTINE* element, void* state, void* user2);
void EXPR_WriteDefineVarFrame(ExprWriterServices& gen, int flag);
void EXPR_WriteTerminateVarFrame(ExprWriterServices& gen, int flag);

/* ---- I/O tables from p-code ------------------------------------------------ */

void EXPR_WriteDbmWhereRows(ExprWriterServices& gen, const char* reference);
void EXPR_WriteDbmComponentRows(ExprWriterServices& gen, const char* reference);
void EXPR_WriteDbmActivityRows(ExprWriterServices& gen, const char* reference);
long EXPR_lWriteDbmWhereRow(EXPR_ROUTINE* element, void* state, void* buffer);
long EXPR_lWriteDbmComponentRow(EXPR_ROUTINE* element, void* state, void* buffer);
long EXPR_lWriteDbmActivityRow(EXPR_ROUTINE* element, void* state, void* buffer);

#endif

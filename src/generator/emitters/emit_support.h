/*
** emit_support.h: what every command emitter shares: the current command's
** parsed parameters, the target language and routine kind, the used-field
** look-ups, the special field names of the run, the expression writer and
** a few text helpers.
**
** The parsed command is read afresh from the command store on every call
** of P3109_pCurrentParsedCommand, so an emitter always sees the parameters
** as they stand (a field move may have rewritten ROUND_UP).
*/
#ifndef GENERATOR_EMITTERS_EMIT_SUPPORT_H
#define GENERATOR_EMITTERS_EMIT_SUPPORT_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/field_info.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "generator/expressions/expr_core_services.h"
#include "params/parsed_command.h"

/* ---- the current command ---- */

/* The current command's parsed record; a zero record (blank name) when the
** command store does not hold it. */
const FFC_PARSED_COMMAND& P3109_CurrentParsedCommand();
/* The same record, for the code that reads only the fields before the
** parameter area (sequence, name, label, frame, routine reference,
** dispatch id). */
const FFC_PARSED_COMMAND& P3109_CurrentParsedHead();
/* The current command's running sequence number: the one the command loop
** read with the command when it has it, else its parsed record's. */
int16_t P3109_sCurrentSequence();
/* A number that changes whenever the current command's parsed record is
** read again (another command, or a changed store): what is derived from
** the parameters may be kept while it stays the same. */
uint64_t P3109_ulCurrentParsedSerial();
/* A parameter element of the current command, trailing blanks removed. */
std::string P3109_Parm(std::string_view keyword, int iElement = 0, int iEntry = 0);
/* The same read where it stands in the command's record: valid until
** another command is current or the record is read again. */
std::string_view P3109_ParmView(std::string_view keyword, int iElement = 0, int iEntry = 0);
/* The same as a fixed field of its full width (blank-padded). */
std::string P3109_ParmField(std::string_view keyword, int iElement = 0, int iEntry = 0);
/* The full-width field read where it stands, valid as P3109_ParmView. */
std::string_view P3109_ParmFieldView(std::string_view keyword, int iElement = 0, int iEntry = 0);
int32_t P3109_ParmNumber(std::string_view keyword, int iElement = 0, int iEntry = 0);
int32_t P3109_ParmCount(std::string_view keyword);
/* Whether a flag-set parameter of the current command gives the value. */
bool P3109_fParmFlag(std::string_view keyword, std::string_view value);
/* The current command's kind-3 routine reference (9 bytes), or null when
** its expression was not compiled. */
const char* P3109_pRoutineReference();
/* Whether the current command's operands are evaluated through an X_VAR
** frame. */
bool P3109_fFrameIndicator();
/* The trimmed name of the current command ("IF", "BEGIN_LOOP"). */
std::string P3109_CurrentCommandName();
/* Whether the current command's name is the given one. */
bool P3109_fCommandIs(std::string_view name);

/* ---- target and routine ---- */

bool P3109_fCSharp();
bool P3109_fInComponentRoutine();
bool P3109_fInSubroutine();
/* GEN_MODULE_NAME. */
std::string P3109_ModuleName();
/* The component routine argument list of the C# forms. */
inline constexpr const char* GEN_COMPONENT_ROUTINE_ARGS =
    "pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2, lReturnCode, RoutineInfo, "
    "pSTACKActiveCompRtnX_Fun,ulNoofNegotiableComps, aNegotiableComps, sEntryCursors";
/* The C# end of the main function or a subroutine with an end value of
** X_GloDef (a text such as "X_GloDef.X_SUBR_ABORTED" or "sResult"): C#
** has no macros, so a subroutine returns the value and the main function
** ends through the run-time and leaves its Run method. */
std::string P3109_CSharpRoutineEnd(std::string_view end);
/* ---- texts of the two targets ----
** C reaches the static working variables through macros, the run-time
** blocks through pointers and the run time through free functions and
** macros; C# reaches the same through the routine's parameters pGlobal1
** (list 1) and the class's FunctionGlobalStatic3 (list 3), members, and
** the run time's classes (X_RUN_DLL for routines, DqooDef for constants). */
/* A variable of static list 1: "INSTANCE(x)" / "pGlobal1.x". */
std::string P3109_Instance(std::string_view name);
/* A variable of static list 3: "INSTANCE_S3(x)" / "FunctionGlobalStatic3.x". */
std::string P3109_Instance3(std::string_view name);
/* The arguments with which a routine of the function is called, and the
** parameters it declares. */
std::string P3109_StdParms();
std::string P3109_StdArgs();
/* A member reached through a pointer: "p->m" / "p.m". */
std::string P3109_Deref(std::string_view pointer, std::string_view member);
/* A routine of the run time: its name / "X_RUN_DLL." and its name. */
std::string P3109_RunTime(std::string_view routine);
/* A constant of the run time ("X_DBM_OKAY"): its name / "DqooDef." and
** its name. */
std::string P3109_RunTimeConst(std::string_view name);
/* The C# test of the last I/O status against an outcome constant:
** "DqooDef.X_MEMCMP( pGlobal1.vchLastIOStatus, DqooDef.<outcome>, 2 ) <op> 0". */
std::string P3109_CSharpIoStatusTest(std::string_view outcome, std::string_view op = "==");
/* The C# statement that sets the last I/O status to an outcome constant. */
std::string P3109_CSharpSetIoStatus(std::string_view outcome);

/* The loop counter of a SELECT, SELECT_SQL or SELECTLIST block just
** opened ("lSelectLoopCount", with the depth of a nested loop in C#), and
** the suffix it carries, which the loop's other variables share. */
std::string P3109_OpenSelectLoopCounter();
std::string P3109_SelectLoopSuffix();
/* The counter of the innermost enclosing selection loop. */
std::string P3109_SelectLoopCounter();

/* Whether the function holds SELECT or SELECT_SQL commands. */
bool P3109_fHasCursors();
/* GEN_CURSOR_OFFSET_TEXT: the SELECT loops open at this point, as text. */
std::string P3109_CursorOffsetText();

/* ---- used fields ---- */

/* The description a field has that the used fields do not hold: a fresh
** one, as a look-up that finds nothing leaves it. */
const GEN_FIELD_INFO& P3109_NoFieldInfo();

/* The description held (P3109_HoldOperandField) or, for none, the fresh
** one: read where it is kept instead of copied. */
inline const GEN_FIELD_INFO& P3109_FieldOrNone(const std::shared_ptr<const GEN_FIELD_INFO>& held)
{
    return held ? *held : P3109_NoFieldInfo();
}

/* A field that keyword `keyword` of the current command names: false when
** the used fields do not hold it, after the fatal finding PRC1194 (command,
** keyword, name) that stops the generation; a program without the
** keyword's effect would pass for complete. */
bool P3109_fRequiredField(std::string_view keyword, std::string_view name, GEN_FIELD_INFO& info,
                          size_t ulWidth = 10);
/* The same, the description held rather than copied (null beside that
** finding). */
std::shared_ptr<const GEN_FIELD_INFO> P3109_HoldRequiredField(std::string_view keyword, std::string_view name,
                                                              size_t ulWidth = 10);
/* Its vector identifier; "V_NOT_AVAILABLE" only beside that finding. */
std::string P3109_RequiredFieldVector(std::string_view keyword, std::string_view name, size_t ulWidth = 10);
/* PRC1194 for a name of keyword `keyword` of the current command that the
** generation cannot resolve. */
void P3109_UnresolvedName(std::string_view keyword, std::string_view name);
/* PRC1196 for a value of keyword `keyword` that the current command cannot
** use: the program would not do what the keyword asks. */
void P3109_UnusableValue(std::string_view keyword, std::string_view value);
/* Whether an operand is written as a field: with the run's national name
** character ("#CUSTNO"). */
bool P3109_fWrittenAsField(std::string_view text);
/* The vector identifier of what a keyword names: "V_NOT_AVAILABLE" for a
** special value ("*NONE") or nothing; the field (or literal) otherwise,
** resolved or the generation stopped. */
std::string P3109_KeywordFieldVector(std::string_view keyword, int iElement = 0, int iEntry = 0,
                                     size_t ulWidth = 10);
/* The vector identifier of an operand (field, literal or system variable)
** that keyword `keyword` gives: "V_NOT_AVAILABLE" for a special value that
** has no value of its own (*BLANK); resolved or the generation stopped. */
std::string P3109_OperandVector(std::string_view keyword, std::string_view operand, size_t ulWidth);
/* As P3109_OperandVector for a value the command hands on (a parameter, a
** key): one written in place (*BLANK, *ZERO, *HIVAL, ...) has no value of
** its own to hand on, so the generation stops (PRC1196) instead of handing
** on nothing. */
std::string P3109_PassedValueVector(std::string_view keyword, std::string_view operand, size_t ulWidth);
/* "IO" + c + "STS" and its kin: a special field of the run's third name
** character ('$' by default), blank-padded to 10. */
std::string P3109_SpecialFieldName(std::string_view head, std::string_view tail);
char P3109_NameCharacter3();
/* The members of a field group in stored order ("GROUPFLD" records), each
** blank-padded to 10. */
std::vector<std::string> P3109_GroupMembers(std::string_view group);
/* A name of a field list: a group is replaced by its members, a leading
** national name character is dropped. */
std::vector<std::string> P3109_ExpandFieldName(std::string_view name);

/* ---- working lists ---- */

/* Whether a DEF_LIST defines the list (a leading national name character
** dropped). */
bool P3109_fListDefined(std::string_view name);
/* The list's vector name: "V_LIST_" and its name made a C identifier. */
std::string P3109_ListVectorName(std::string_view name);

/* ---- writing ---- */

/* The line at the current stream and a given indent. */
void P3109_LineAt(int16_t sIndent, std::string_view text);
/* A text for a // comment line: control characters blanked, and no
** backslash (or trigraph of one) left at its end, where it would join the
** next generated line to the comment. */
std::string P3109_LineCommentText(std::string_view text);
/* P3109_LineCommentText in place. */
void P3109_MakeLineCommentText(std::string& text);
/* The same for the part of `text` from `from` on, the part before it kept
** as it is; false, with that part gone, when nothing of it is left. */
bool P3109_MakeLineCommentTextFrom(std::string& text, size_t from);
/* The writer through which the expression generator writes. */
P3109_ExprWriter& P3109_ExpressionWriter();
/* Whether a parameter holds a kind-3 routine reference of an evaluation
** routine (the byte 3, a letter other than 'A'). */
bool P3109_fIsRoutineReference(const char* pchValue);

#endif

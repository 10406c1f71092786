/*
** expr_routine_calls.cpp: the calls that commands make to compiled
** evaluation routines (named by kind-3 routine references), the When-group
** operand stack, the system-variable settings before a routine and the
** X_VAR frame around run-time evaluation.
*/
#include <array>

#include "dqov/runcontrol/fix.h"
#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr const char* kCsArgs = "pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2";

bool isReference(const char* reference)
{
    return reference != nullptr && static_cast<unsigned char>(reference[0]) == 3;
}

char letterOf(const char* reference)
{
    return isReference(reference) ? reference[1] : 0;
}

/* The reference as the object layer takes it: nine bytes ended by a zero. */
std::array<char, 10> copyOf(const char* reference)
{
    std::array<char, 10> copy{};
    for (size_t i = 0; i < 9 && reference[i] != '\0'; ++i)
        copy[i] = reference[i];
    return copy;
}

long enumerate(ExprWriterServices& gen, const char* reference, DQOO_FCC_ROUTINE_PCODE_CALLBACK callback, void* user)
{
    ExprWriterScope scope(gen);
    const std::array<char, 10> copy = copyOf(reference);
    return DQOO_FCC_EnumerateRoutinePcode(copy.data(), callback, user, nullptr);
}

void enumerateOrFail(ExprWriterServices& gen, const char* reference, DQOO_FCC_ROUTINE_PCODE_CALLBACK callback,
                     void* user)
{
    const long rc = enumerate(gen, reference, callback, user);
    if (rc != 0)
        gen.ObjectLayerFailure("DQOO_FCC_EnumerateRoutinePcode", rc);
}

void writeWhenStack(ExprWriterServices& gen, uint32_t size)
{
    if (!gen.CSharp()) {
        gen.Line("X_VAR_EXPRESSION_OPERAND");
        static std::string line;
        gen.Line(line.assign("   operandStack[").append(ExprDigits(size)).append("];"));
        gen.Line("");
        return;
    }
    if (!gen.whenStackDeclared)
        gen.Line("X_VAR_EXPRESSION_OPERAND[]");
    gen.Line(EXPR_Format(gen.whenStackDeclared ? "operandStack = new X_VAR_EXPRESSION_OPERAND[%u];"
                                               : "   operandStack = new X_VAR_EXPRESSION_OPERAND[%u];",
                         size));
    gen.whenStackWritten = true;
    for (uint32_t i = 0; i < size; ++i)
        gen.Line(EXPR_Format("operandStack[ %u ] = new X_VAR_EXPRESSION_OPERAND();", i));
    gen.Line("");
}

}  // namespace

int32_t EXPR_lRoutineNumber(const char* reference)
{
    if (!isReference(reference))
        return -1;
    return FIX_lDigitsToLong(reference + 2, 7, nullptr);
}

void EXPR_WriteCommandEvaluationCall(ExprWriterServices& gen, const char* reference)
{
    switch (letterOf(reference)) {
    case 'C': {
        static std::string line;
        gen.Line(EXPR_FormatInto(line, "Command_Evaluation_Routine_%d( COMPONENT_STD_ARGS );",
                                 EXPR_lRoutineNumber(reference)));
    }
        return;
    case 'B':
    case 'G': enumerate(gen, reference, EXPR_lWriteCommandCallLine, nullptr); return;
    default: return;
    }
}

long EXPR_lWriteCommandCallLine(EXPR_ROUTINE* element, void*, void*)
{
    ExprWriterServices* gen = EXPR_CurrentWriter();
    if (gen == nullptr || element == nullptr)
        return 0;
    /* the line is put together in a buffer kept between calls */
    static std::string line;
    if (element->kind == EXPR_ROUTINE_COMMAND) {
        const ExprDigits number(element->number);
        if (gen->CSharp())
            line.assign("Command_Evaluation_Routine_")
                .append(number)
                .append("( ")
                .append(kCsArgs)
                .append(EXPR_fLoadsWhenSubject(*element) ? ", operandStack" : "")
                .append(" );");
        else
            line.assign("EVALUATE_COMMAND_").append(number);
        gen->Line(line);
    } else if (element->kind == EXPR_ROUTINE_WHEN_GROUP)
        writeWhenStack(*gen, element->operandStackSize);
    return 0;
}

void EXPR_WriteExecuteReceivedCall(ExprWriterServices& gen, const char* reference)
{
    if (letterOf(reference) == 'H')
        enumerate(gen, reference, EXPR_lWriteExecuteReceivedLine, nullptr);
}

long EXPR_lWriteExecuteReceivedLine(EXPR_ROUTINE* element, void*, void*)
{
    ExprWriterServices* gen = EXPR_CurrentWriter();
    if (gen == nullptr || element == nullptr || element->kind != EXPR_ROUTINE_EXEC_RECEIVED)
        return 0;
    EXPR_WriteSpacedComment(*gen, "Assign the subroutine arguments");
    static std::string line;
    gen->Line(gen->CSharp() ? EXPR_FormatInto(line, "Execute_Received_Routine_%d(%s);", element->number, kCsArgs)
                            : EXPR_FormatInto(line, "EVALUATE_EXECUTE_RECEIVED_%d", element->number));
    return 0;
}

void EXPR_WriteExecuteReturnedCall(ExprWriterServices& gen, const char* reference)
{
    if (letterOf(reference) == 'H')
        enumerate(gen, reference, EXPR_lWriteExecuteReturnedLine, nullptr);
}

long EXPR_lWriteExecuteReturnedLine(EXPR_ROUTINE* element, void*, void*)
{
    ExprWriterServices* gen = EXPR_CurrentWriter();
    if (gen == nullptr || element == nullptr || element->kind != EXPR_ROUTINE_EXEC_RETURNED)
        return 0;
    EXPR_WriteComment(*gen, "Get the subroutine returned values");
    static std::string line;
    gen->Line(gen->CSharp() ? EXPR_FormatInto(line, "Execute_Returned_Routine_%d( %s );", element->number, kCsArgs)
                            : EXPR_FormatInto(line, "EVALUATE_EXECUTE_RETURNED_%d", element->number));
    return 0;
}

void EXPR_BuildConditionRoutineCall(ExprWriterServices& gen, const char* reference, std::string* call,
                                    std::string* name)
{
    const char letter = letterOf(reference);
    const char* routine = letter == 'D'   ? "Boolean_Evaluation_Routine"
                          : letter == 'F' ? "When_Evaluation_Routine"
                                          : nullptr;
    if (routine == nullptr) {
        if (call != nullptr)
            call->clear();
        if (name != nullptr)
            name->clear();
        return;
    }
    const ExprDigits n(EXPR_lRoutineNumber(reference));
    const char* args = gen.CSharp() ? kCsArgs : "FUNCTION_STD_PARMS";
    /* "<routine>_<n>( <args> )", the When routine's with the group's stack */
    if (call != nullptr)
        call->assign(routine).append("_").append(n).append("( ").append(args).append(
            letter == 'D' ? " )" : ", operandStack )");
    if (name != nullptr)
        name->assign(routine).append("_").append(n);
}

void EXPR_WriteVarCharRelease(ExprWriterServices& gen, const char* reference, std::string_view variable)
{
    if (!isReference(reference))
        return;
    /* C# passes the variable by reference: an address does not compile there. */
    gen.Line(gen.CSharp()
                 ? "X_VAR_DLL.X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, ref " + std::string(variable) + " );"
                 : "X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, &" + std::string(variable) + " );");
}

void EXPR_WriteStringEvaluationCall(ExprWriterServices& gen, const char* reference, std::string_view variable,
                                    std::string_view target)
{
    if (!isReference(reference))
        return;
    const std::string var(variable);
    const std::string getAsVchar =
        "X_VAR_VarChar_GetAsVchar( pX_Ids, pX_Pro, pX_Fun, &" + var + ", &" + std::string(target) + " );";
    if (letterOf(reference) == 'E') {
        gen.Line(EXPR_Format("String_Evaluation_Routine_%d( FUNCTION_STD_PARMS, &%s );", EXPR_lRoutineNumber(reference),
                             var.c_str()));
        gen.Line(getAsVchar);
        return;
    }
    const std::string name(reference, 9);
    ExprFieldFacts facts;
    if (!gen.Fields().FindField(name.c_str(), facts)) {
        gen.Issue(Msg::FieldNotUsedByFunction, name);
        return;
    }
    gen.Line("X_Vec_Get_as_VarChar( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + facts.vectorName + ", ' ', pX_NULL, &" + var +
             ", pX_NULL );");
    gen.Line(getAsVchar);
}

void EXPR_WriteDefaultValueCall(ExprWriterServices& gen, const char* reference, std::string_view argument)
{
    if (letterOf(reference) != 'O')
        return;
    const int32_t n = EXPR_lRoutineNumber(reference);
    gen.Line(gen.CSharp() ? EXPR_Format("DefaultValue_Evaluation_Routine_%d( %s );", n, kCsArgs)
                          : EXPR_Format("EVALUATE_DEFAULT_VALUE_%d( %s )", n, std::string(argument).c_str()));
}

void EXPR_WriteTerminateFrameCall(ExprWriterServices& gen, int flag)
{
    if (flag == 0)
        return;
    EXPR_WriteSpacedComment(gen, "Terminate X_VAR Frame");
    gen.Line("X_VAR_TerminateFrame( pFrame );");
}

long EXPR_lNoteSysVarBlock(EXPR_ROUTINE* element, void* flag, void*)
{
    if (element != nullptr && flag != nullptr && element->kind == EXPR_ELEMENT_WHERE_START)
        *static_cast<char*>(flag) = 'Y';
    return 0;
}

char EXPR_fRoutineHasSysVarBlock(ExprWriterServices& gen, const char* reference)
{
    char flag = 'N';
    if (isReference(reference))
        enumerateOrFail(gen, reference, EXPR_lNoteSysVarBlock, &flag);
    return flag;
}

void EXPR_WriteSysVarSettings(ExprWriterServices& gen, const char* reference)
{
    if (!isReference(reference))
        return;
    int32_t state = 0;
    enumerateOrFail(gen, reference, EXPR_lWriteSysVarSettingLine, &state);
}

long EXPR_lWriteSysVarSettingLine(EXPR_ROUTINE* element, void* user, void*)
{
    ExprWriterServices* gen = EXPR_CurrentWriter();
    int32_t* state = static_cast<int32_t*>(user);
    if (gen == nullptr || element == nullptr || state == nullptr)
        return 0;
    switch (element->kind) {
    case EXPR_ELEMENT_WHERE_START: *state = 1; return 0;
    case EXPR_ELEMENT_WHERE_END:
        if (*state > 1)
            gen->Column0(" ");
        *state = 0;
        return 0;
    case EXPR_ELEMENT_WHERE_ROW: break;
    default: return 0;
    }
    if (*state <= 0 || element->node == nullptr || element->node->kind != EXPR_NODE_SYSTEM_VARIABLE)
        return 0;
    EXPR_OPERAND_DESCRIPTOR d;
    EXPR_DescribeOperand(gen->Fields(), d, element->node);
    if (d.systemClass != 'D' || d.systemFlag != 'Y')
        return 0;
    if (*state == 1) {
        gen->Column0(" ");
        *state = 2;
    }
    const std::string call = "X_Vec_Set_from_SysVar( pX_Ids, pX_Pro, pX_Fun, " + d.base + ", " + d.text + ", \"" +
                             d.systemVariable + "\" );";
    gen->Line(gen->CSharp() ? "X_VAR_DLL." + call : call);
    return 0;
}

void EXPR_WriteDefineVarFrame(ExprWriterServices& gen, int flag)
{
    if (flag == 0)
        return;
    gen.Line("{");
    EXPR_IndentIn(gen);
    EXPR_WriteSpacedComment(gen, "Define and Initialize an X_VAR Frame");
    if (gen.CSharp()) {
        gen.Line("X_VAR_FRAME");
        gen.Line("   frame = new X_VAR_FRAME( X_VAR.X_VAR_HEADER_KIND_FRAME, null );");
        gen.Line("X_VAR_FRAME");
        gen.Line("   pFrame = ((X_VAR_FRAME) frame);");
        gen.Line(" ");
        gen.Line(EXPR_Format("X_VAR_DLL.%s( %s, ref pFrame );", "X_VAR_InitializeFunctionFrame", kCsArgs));
        gen.Line(" ");
    } else {
        gen.Line("X_VAR_FRAME");
        gen.Line("   frame = { X_VAR_HEADER_KIND_FRAME, NULL };");
        gen.Line("X_VAR_FRAME");
        gen.Line("   *pFrame = ((X_VAR_FRAME*) &frame);");
        gen.Column0(" ");
        gen.Line(EXPR_Format("%s( %s, pFrame );", "X_VAR_InitializeFunctionFrame", "FUNCTION_STD_PARMS"));
        gen.Column0(" ");
    }
    gen.Line("{");
    EXPR_IndentIn(gen);
}

void EXPR_WriteTerminateVarFrame(ExprWriterServices& gen, int flag)
{
    if (flag == 0)
        return;
    EXPR_IndentOut(gen);
    gen.Line("}");
    EXPR_WriteSpacedComment(gen, "Terminate X_VAR Frame");
    gen.Line(gen.CSharp() ? "X_VAR_DLL.X_VAR_TerminateFrame( pFrame );" : "X_VAR_TerminateFrame( pFrame );");
    EXPR_IndentOut(gen);
    gen.Line("}");
}

/*
** expr_routine_writer.cpp: the three callbacks of the expression
** enumeration (routine, macro and prototype writer) and the object layer's
** part of insertion points 14 and 15.
**
** A routine is written at column 0 (guards, box, signature, braces) with its
** body at indent 3. A routine of one expression also gets one macro per
** direct-code variant in the header; the routine then stands under a guard
** that leaves it out where the macro is defined (kinds 100, 140, 180, 181)
** or expands the macro inside it (120, 170, 151).
*/
#include <iterator>
#include <string>

#include "generator/expressions/expr_core_services.h"
#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_routines.h"

namespace {

/* The C# standard parameter list of a routine. */
constexpr const char* kCsStdArgs =
    "X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List, X_FKEY X_FKey, "
    "FUNCTION_STATIC_GLOBAL_1 pGlobal1, FUNCTION_STATIC_GLOBAL_2 pGlobal2";

enum class Body { Plain, Component, Boolean, Callback };

/* What the writers know of one routine kind. */
struct KindText {
    int32_t kind;
    const char* name;  /* routine name, followed by "_%d" */
    const char* title; /* the box title before " : <name>_%d " */
    const char* macro; /* macro name, or null */
    bool guarded;      /* the routine stands under "#if !defined(<macro>_%d)" */
    Body body;
    const char* cSignature;  /* %d the number */
    const char* csSignature; /* %d the number, %s the C# parameter list */
    const char* callMacro;   /* pass-0 call macro name and its parameter part */
    const char* callParameter;
    int prototypePass;     /* 0 or 1; -1 none */
    const char* prototype; /* pass-1 prototype line */
};

constexpr KindText kKinds[] = {
    {EXPR_ROUTINE_COMMAND, "Command_Evaluation_Routine", "Evaluation Procedure", "COMMAND_EVALUATION_MACRO", true,
     Body::Plain, "F_VOID_FUNCTION Command_Evaluation_Routine_%d( FUNCTION_STD_ARGS )",
     "private static void Command_Evaluation_Routine_%d( %s )", "EVALUATE_COMMAND", "", 0, nullptr},
    {EXPR_ROUTINE_COMPONENT, "Component_Evaluation_Routine", "Evaluation Procedure", nullptr, false, Body::Component,
     "COMPONENT_STD_FUNCTION Component_Evaluation_Routine_%d( COMPONENT_STD_ARGS )",
     "COMPONENT_STD_FUNCTION Component_Evaluation_Routine_%d( COMPONENT_STD_ARGS )", nullptr, nullptr, 1,
     "COMPONENT_STD_FUNCTION Component_Evaluation_Routine_%d( COMPONENT_STD_ARGS );"},
    {EXPR_ROUTINE_BOOLEAN, "Boolean_Evaluation_Routine", "Boolean Evaluation Function", "BOOLEAN_EVALUATION_MACRO",
     false, Body::Boolean, "F_BOOL_FUNCTION Boolean_Evaluation_Routine_%d( FUNCTION_STD_ARGS )",
     "private static bool Boolean_Evaluation_Routine_%d( %s )", nullptr, nullptr, 1,
     "F_BOOL_FUNCTION Boolean_Evaluation_Routine_%d( FUNCTION_STD_ARGS );"},
    {EXPR_ROUTINE_BOOLEAN_SUBJECT, "Boolean_Evaluation_Routine", "Boolean Evaluation Function",
     "BOOLEAN_EVALUATION_MACRO", false, Body::Boolean,
     "F_BOOL_FUNCTION Boolean_Evaluation_Routine_%d( FUNCTION_STD_ARGS )",
     "private static bool Boolean_Evaluation_Routine_%d( %s )", nullptr, nullptr, 1,
     "F_BOOL_FUNCTION Boolean_Evaluation_Routine_%d( FUNCTION_STD_ARGS );"},
    {EXPR_ROUTINE_STRING, nullptr, nullptr, nullptr, false, Body::Plain, nullptr, nullptr, nullptr, nullptr, 1,
     "X_VOID_FUNCTION String_Evaluation_Routine_%d( FUNCTION_STD_ARGS, X_FLD_CHAR* pX_FldCharTarget );"},
    {EXPR_ROUTINE_DEFAULT_VALUE, "DefaultValue_Evaluation_Routine", "Evaluation Procedure",
     "DEFAULT_VALUE_EVALUATION_MACRO", true, Body::Plain,
     "F_VOID_FUNCTION DefaultValue_Evaluation_Routine_%d( FUNCTION_STD_ARGS )",
     "private static void DefaultValue_Evaluation_Routine_%d( %s )", "EVALUATE_DEFAULT_VALUE", "( _V )", 0, nullptr},
    /* The C# parameter of the When stack is an array: a pointer parameter
    ** does not compile in a managed method. */
    {EXPR_ROUTINE_WHEN_TEST, "When_Evaluation_Routine", "When Evaluation Function", "WHEN_EVALUATION_MACRO", false,
     Body::Boolean,
     "F_BOOL_FUNCTION When_Evaluation_Routine_%d( FUNCTION_STD_ARGS, X_VAR_EXPRESSION_OPERAND * operandStack )",
     "private static bool When_Evaluation_Routine_%d( %s, X_VAR_EXPRESSION_OPERAND[] operandStack )", nullptr, nullptr,
     1, "F_BOOL_FUNCTION When_Evaluation_Routine_%d( FUNCTION_STD_ARGS, X_VAR_EXPRESSION_OPERAND* operandStack );"},
    /* The C# callback parameters are written as arrays of C#. */
    {EXPR_ROUTINE_CALLBACK, "Callback_Evaluation_Routine", "Evaluation Procedure", nullptr, false, Body::Callback,
     "F_VOID_FUNCTION Callback_Evaluation_Routine_%d( X_VAR_STD_ARGS  )",
     "private static void  Callback_Evaluation_Routine_%d( X_VAR_FRAME pParentFrame, object[] apvAgreedArgs, "
     "uint ulNoofNegotiableComps, X_COMP_NEGOTIABLE_COMPONENT[] aNegotiableComps  )",
     nullptr, nullptr, 1, "F_VOID_FUNCTION Callback_Evaluation_Routine_%d( X_VAR_STD_ARGS );"},
    {EXPR_ROUTINE_EXEC_RECEIVED, "Execute_Received_Routine", "Evaluation Procedure", "EXECUTE_RECEIVED_MACRO", true,
     Body::Plain, "F_VOID_FUNCTION Execute_Received_Routine_%d( FUNCTION_STD_ARGS )",
     "private static void Execute_Received_Routine_%d( %s )", "EVALUATE_EXECUTE_RECEIVED", "", 0, nullptr},
    {EXPR_ROUTINE_EXEC_RETURNED, "Execute_Returned_Routine", "Evaluation Procedure", "EXECUTE_RETURNED_MACRO", true,
     Body::Plain, "F_VOID_FUNCTION Execute_Returned_Routine_%d( FUNCTION_STD_ARGS )",
     "public static void Execute_Returned_Routine_%d( %s )", "EVALUATE_EXECUTE_RETURNED", "", 0, nullptr},
};

const KindText* kindText(int32_t kind)
{
    for (const KindText& k : kKinds)
        if (k.kind == kind)
            return &k;
    return nullptr;
}

/* A signature pattern with its "%d" replaced by the number and its "%s" by
** the C# parameter list (the patterns hold no other conversion, and "%d"
** comes first where both stand), put together by appends in `text`. */
const std::string& numberedInto(std::string& text, const char* pattern, int32_t number)
{
    text.clear();
    std::string_view rest(pattern);
    for (size_t at = rest.find('%'); at != std::string_view::npos && at + 1 < rest.size(); at = rest.find('%')) {
        text.append(rest.substr(0, at));
        if (rest[at + 1] == 'd')
            text.append(ExprDigits(number));
        else if (rest[at + 1] == 's')
            text.append(kCsStdArgs);
        else
            text.append(rest.substr(at, 2));
        rest.remove_prefix(at + 2);
    }
    return text.append(rest);
}

void writeExpressions(ExprWriterServices& gen, EXPR_ROUTINE& routine)
{
    for (uint32_t i = 0; i < routine.expressionCount; ++i)
        if (routine.expressions[i] != nullptr)
            EXPR_WriteExpression(gen, routine, *routine.expressions[i]);
}

void writeBooleanBody(ExprWriterServices& gen, EXPR_ROUTINE& routine, const KindText& k)
{
    const bool cs = gen.CSharp();
    /* the macro's name and lines are put together in buffers kept between routines */
    static std::string macro, line;
    macro.assign(routine.kind == EXPR_ROUTINE_WHEN_TEST ? "WHEN_EVALUATION_MACRO" : "BOOLEAN_EVALUATION_MACRO")
        .append("_")
        .append(ExprDigits(routine.number));
    gen.Line(cs ? "bool" : "X_BOOL");
    gen.Line(cs ? "   bResult = false;" : "   bResult = FALSE;");
    gen.Column0(" ");
    gen.Line(cs ? line.assign("#if ").append(macro) : line.assign("#if defined(").append(macro).append(")"));
    gen.Line(line.assign("   ").append(macro));
    gen.Line("#else");
    gen.SetOutputIndent(6);
    writeExpressions(gen, routine);
    gen.SetOutputIndent(3);
    gen.Line("#endif");
    gen.Column0("");
    gen.Line("return bResult;");
    (void)k;
}

void writeBody(ExprWriterServices& gen, EXPR_ROUTINE& routine, const KindText& k)
{
    const bool cs = gen.CSharp();
    switch (k.body) {
    case Body::Plain: writeExpressions(gen, routine); return;
    case Body::Component:
        gen.Line("struct X_IDS                    *  pX_Ids = ((struct X_IDS *) pRequestBlock->pX_Ids );");
        gen.Line("X_COMP_MODULE_FRAME             *  pModuleFrame = ((X_COMP_MODULE_FRAME*) apvAgreedArgs[0] );");
        gen.Line("struct X_FLD                    *  pX_Fld = ((struct X_FLD *) pModuleFrame->pX_Fld );");
        gen.Column0(" ");
        writeExpressions(gen, routine);
        EXPR_WriteSubsectionBox(gen, gen.OutputStream(), "Terminate Evaluation Procedure");
        gen.Line("if (pX_Ids->chFatalError == YES)");
        gen.Line("{");
        gen.Line("   return X_COMR_FAILED;");
        gen.Line("}");
        gen.Line("return X_COMR_NORMAL_END;");
        return;
    case Body::Boolean: writeBooleanBody(gen, routine, k); return;
    case Body::Callback:
        gen.Line(cs ? "X_FLD[]" : "struct X_FLD");
        gen.Line(cs ? "   pX_Fld = ((X_FLD[])( apvAgreedArgs[1] ));"
                    : "   *pX_Fld = ((struct X_FLD*)( apvAgreedArgs[1] ));");
        gen.Column0(" ");
        writeExpressions(gen, routine);
        return;
    }
}

/* The routine of one expression enumeration callback. */
void writeRoutine(ExprWriterServices& gen, EXPR_ROUTINE& routine)
{
    if (routine.kind == EXPR_ROUTINE_SEPARATOR) {
        gen.Column0(" ");
        return;
    }
    const KindText* k = kindText(routine.kind);
    if (k == nullptr || k->name == nullptr)
        return;
    const bool cs = gen.CSharp();
    const uint32_t stream = gen.OutputStream();
    gen.SetOutputIndent(0);
    EXPR_WriteModuleComponentGuard(gen, stream, 0, "EVALUATE_PCODE");
    /* "_<number>", the suffix of the routine's names */
    std::string number("_");
    number.append(ExprDigits(routine.number));
    /* the lines are put together in a buffer kept between routines */
    static std::string line;
    if (k->guarded) {
        gen.Column0("");
        line.assign(cs ? "#if !" : "#if !defined(").append(k->macro).append(number);
        if (!cs)
            line.append(")");
        gen.Column0(line);
    }
    line.assign(k->title).append(" : ").append(k->name).append(number).append(" ");
    EXPR_WriteSectionBox(gen, stream, line);
    /* put together in a buffer kept between routines */
    static std::string signature;
    numberedInto(signature, cs ? k->csSignature : k->cSignature, routine.number);
    /* A C# method has no caller's stack in scope: the routine that loads a
    ** When group's subject takes the group's stack as its parameter (C
    ** reaches it through the routine's macro, expanded where the stack is). */
    if (cs && EXPR_fLoadsWhenSubject(routine) && signature.size() > 2)
        signature.insert(signature.size() - 2, ", X_VAR_EXPRESSION_OPERAND[] operandStack");
    gen.Column0(signature);
    gen.Column0("{");
    gen.SetOutputIndent(3);
    writeBody(gen, routine, *k);
    gen.SetOutputIndent(0);
    gen.Column0("}");
    if (k->guarded) {
        gen.Column0("");
        gen.Column0("#endif");
        gen.Column0("");
    }
    EXPR_WriteGuardEnd(gen, 0, stream);
}

bool hasMacro(const EXPR_ROUTINE& routine)
{
    switch (routine.kind) {
    case EXPR_ROUTINE_COMMAND:
    case EXPR_ROUTINE_BOOLEAN:
    case EXPR_ROUTINE_BOOLEAN_SUBJECT:
    case EXPR_ROUTINE_DEFAULT_VALUE:
    case EXPR_ROUTINE_WHEN_TEST:
    case EXPR_ROUTINE_EXEC_RECEIVED:
    case EXPR_ROUTINE_EXEC_RETURNED:
        return routine.expressionCount == 1 && routine.expressions != nullptr && routine.expressions[0] != nullptr;
    default: return false;
    }
}

void writeMacros(ExprWriterServices& gen, EXPR_ROUTINE& routine)
{
    const uint32_t header = gen.HeaderStream();
    if (EXPR_SectionCount()++ == 0)
        EXPR_WriteSubsectionBox(gen, header, "Full ZOPHX Evaluation and Expression Macro definitions");
    if (!hasMacro(routine))
        return;
    const KindText* k = kindText(routine.kind);
    EXPR_EXPRESSION& expression = *routine.expressions[0];
    /* the name and the lines are put together in buffers kept between
    ** routines */
    static std::string name, line;
    name.assign(k->macro).append("_").append(ExprDigits(routine.number));
    for (uint32_t i = 0; i < expression.variantCount; ++i) {
        EXPR_VARIANT* variant = expression.variants[i];
        if (variant == nullptr)
            continue;
        line.assign("#if !defined(").append(name).append(")");
        switch (variant->tag) {
        case EXPR_VARIANT_ISERIES: line.append(" && defined(X_OPERATING_SYSTEM_ISERIES)"); break;
        case EXPR_VARIANT_NO_LONGLONG: line.append(" && !defined(X_CONST_LONGLONG_IS_LONG)"); break;
        case EXPR_VARIANT_GENERIC: break;
        default: continue;
        }
        gen.LineAt(header, 3, line);
        gen.SetMacroContinuation(true);
        gen.LineAt(header, 6, line.assign("#define ").append(name));
        gen.LineAt(header, 6, "{");
        EXPR_WriteVariantCode(gen, routine, expression, *variant, header, 9);
        gen.SetMacroContinuation(false);
        gen.LineAt(header, 6, "}");
        gen.LineAt(header, 3, "#endif");
        gen.LineAt(header, 0, " ");
    }
}

void writePrototypes(ExprWriterServices& gen, EXPR_ROUTINE& routine, const int32_t* pass)
{
    if (gen.CSharp())
        return;
    const uint32_t header = gen.HeaderStream();
    if (EXPR_SectionCount()++ == 0)
        EXPR_WriteSubsectionBox(gen, header, "Full ZOPHX Evaluation and Expression Function Prototypes");
    const KindText* k = kindText(routine.kind);
    if (k == nullptr)
        return;
    const int32_t n = routine.number;
    static std::string prototype;
    if (k->prototypePass == 0 && (pass == nullptr || *pass == 0)) {
        /* the lines are put together in one buffer, by appends */
        std::string number("_");
        number.append(ExprDigits(n));
        static std::string line;
        line.assign("#if defined(").append(k->macro).append(number).append(")");
        gen.LineAt(header, 3, line);
        line.assign("   #define ").append(k->callMacro).append(number).append(k->callParameter);
        const size_t call = line.size();
        line.append(" ").append(k->macro).append(number);
        gen.LineAt(header, 3, line);
        gen.LineAt(header, 3, "#else");
        gen.LineAt(header, 3,
                   prototype.assign("   F_VOID_FUNCTION ").append(k->name).append(number).append("( FUNCTION_STD_ARGS );"));
        line.resize(call);
        line.append(" ").append(k->name).append(number).append("( FUNCTION_STD_PARMS );");
        gen.LineAt(header, 3, line);
        gen.LineAt(header, 3, "#endif");
        gen.LineAt(header, 0, " ");
    }
    if (k->prototypePass == 1 && (pass == nullptr || *pass == 1))
        gen.LineAt(header, 3, numberedInto(prototype, k->prototype, n));
}

/* Keeps the variants' lines while the macros are written, also when the
** enumeration ends in a failure. */
class KeptWhileMacros {
public:
    explicit KeptWhileMacros(ExprWriterServices& gen) : gen_(gen) { EXPR_KeepDirectCode(gen_, true); }
    ~KeptWhileMacros() { EXPR_KeepDirectCode(gen_, false); }
    KeptWhileMacros(const KeptWhileMacros&) = delete;
    KeptWhileMacros& operator=(const KeptWhileMacros&) = delete;

private:
    ExprWriterServices& gen_;
};

/* Runs one enumeration of the object layer; a failure ends the run. */
void enumerate(ExprWriterServices& gen, DQOO_FCC_EXPRESSION_PCODE_CALLBACK callback, void* user)
{
    ExprWriterScope scope(gen);
    const long rc = DQOO_FCC_EnumerateExpressionPcode(callback, user, 0);
    if (rc != 0)
        gen.ObjectLayerFailure("DQOO_FCC_EnumerateExpressionPcode", rc);
}

}  // namespace

std::string EXPR_RoutineName(const EXPR_ROUTINE& routine)
{
    const KindText* k = kindText(routine.kind);
    if (k != nullptr && k->name != nullptr)
        return EXPR_Format("%s_%d", k->name, routine.number);
    return EXPR_Format("routine of kind %d number %d", routine.kind, routine.number);
}

uint32_t& EXPR_SectionCount()
{
    static uint32_t count = 0;
    return count;
}

long EXPR_lWriteEvaluationRoutine(EXPR_ROUTINE* routine, void*)
{
    if (ExprWriterServices* gen = EXPR_CurrentWriter(); gen != nullptr && routine != nullptr)
        writeRoutine(*gen, *routine);
    return 0;
}

long EXPR_lWriteEvaluationMacros(EXPR_ROUTINE* routine, void*)
{
    if (ExprWriterServices* gen = EXPR_CurrentWriter(); gen != nullptr && routine != nullptr)
        writeMacros(*gen, *routine);
    return 0;
}

long EXPR_lWriteEvaluationPrototypes(EXPR_ROUTINE* routine, void* pass)
{
    if (ExprWriterServices* gen = EXPR_CurrentWriter(); gen != nullptr && routine != nullptr)
        writePrototypes(*gen, *routine, static_cast<const int32_t*>(pass));
    return 0;
}

bool EXPR_fLoadsWhenSubject(const EXPR_ROUTINE& routine)
{
    if (routine.kind != EXPR_ROUTINE_COMMAND || routine.expressions == nullptr)
        return false;
    for (uint32_t e = 0; e < routine.expressionCount; ++e) {
        const EXPR_EXPRESSION* x = routine.expressions[e];
        for (uint32_t i = 0; x != nullptr && x->instructions != nullptr && i < x->instructionCount; ++i)
            if (x->instructions[i] != nullptr && EXPR_fIsSubjectLoad(x->instructions[i]->opcode))
                return true;
    }
    return false;
}

void EXPR_WriteEvaluationRoutines(ExprWriterServices& gen)
{
    const uint32_t previous = gen.OutputStream();
    gen.SetOutputStream(gen.SourceStream());
    gen.SetOutputIndent(3);
    gen.SetTextLiteralPrefix("LITERALX");
    enumerate(gen, EXPR_lWriteEvaluationRoutine, nullptr);
    EXPR_ForgetDirectCode();
    gen.SetMacroContinuation(false);
    gen.SetOutputStream(previous);
}

void EXPR_WriteEvaluationHeaderSections(ExprWriterServices& gen)
{
    gen.SetTextLiteralPrefix("LITERALX");
    EXPR_SectionCount() = 0;
    {
        /* the routine bodies (insertion point 14) write the same variants */
        KeptWhileMacros keeping(gen);
        enumerate(gen, EXPR_lWriteEvaluationMacros, nullptr);
    }
    int32_t pass = 0;
    EXPR_SectionCount() = 0;
    enumerate(gen, EXPR_lWriteEvaluationPrototypes, &pass);
    pass = 1;
    EXPR_SectionCount() = 0;
    enumerate(gen, EXPR_lWriteEvaluationPrototypes, &pass);
}

/*
** evaluation_routines.cpp: the generator's own evaluation routines and the
** statement evaluation tables.
**
** Insertion point 14 writes every entry of the generator's evaluation chain
** (DEF_COND conditions, WHEN values and CHANGE values given as text) as a
** function, or as a macro into the header, and then has the object layer
** hand over its compiled routines to the expression generator's writer.
** A routine's body comes from the operations that the expression check
** finds in its text; work results of the operations are fields shared by
** every routine of the module.
**
** The check hands each operation as "first CODE second -> result", with a
** last operation that names the expression's value ("IF" a condition, "ZA"
** a number, "MB" any other value). A join ("AN", "OR") is written as one
** condition over its two operands; an arithmetic operation first moves its
** first operand into the result, which then takes the second.
*/
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dqov/runcontrol/x_tree.h"
#include "generator/core/components/description_tables.h"
#include "generator/core/components/field_vector.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_state.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/expressions/expr_routines.h"
#include "params/literal_key.h"
#include "platform/dqoo/dqoo.h"

namespace {

bool cs()
{
    return P3109_fCSharp();
}

/* C# has no macros: a macro entry is a routine of the class there. */
bool isMacro(const GEN_EVALUATION_NODE& e)
{
    return !cs() && e.name.compare(0, 17, "EVALUATION_MACRO_") == 0;
}

/* The vector services of the evaluation routines. */
std::string vec(const char* routine)
{
    return P3109_RunTime(routine);
}

bool isCode(const DC_OPERATION& o, const char* code)
{
    return std::memcmp(o.acCode, code, 2) == 0;
}

bool isComparison(const DC_OPERATION& o)
{
    for (const char* c : {"EQ", "NE", "LT", "LE", "GT", "GE"})
        if (isCode(o, c))
            return true;
    return false;
}

const char* comparator(const DC_OPERATION& o)
{
    if (isCode(o, "EQ"))
        return "== 0";
    if (isCode(o, "NE"))
        return "!= 0";
    if (isCode(o, "LT"))
        return "< 0";
    if (isCode(o, "LE"))
        return "<= 0";
    if (isCode(o, "GT"))
        return "> 0";
    return ">= 0";
}

const char* mathOperation(const DC_OPERATION& o)
{
    const bool q = P3109_fCSharp();
    if (isCode(o, "AD"))
        return q ? "X_DEFS.X_PDF_MATH_ADD" : "X_PDF_MATH_ADD";
    if (isCode(o, "SU"))
        return q ? "X_DEFS.X_PDF_MATH_SUBTRACT" : "X_PDF_MATH_SUBTRACT";
    if (isCode(o, "DV"))
        return q ? "X_DEFS.X_PDF_MATH_DIVIDE" : "X_PDF_MATH_DIVIDE";
    if (isCode(o, "MU"))
        return q ? "X_DEFS.X_PDF_MATH_MULTIPLY" : "X_PDF_MATH_MULTIPLY";
    return nullptr;
}

/* The last operation names the expression's value and computes nothing. */
bool isValueMark(const DC_OPERATION& o, int sIndex, int sCount)
{
    return sIndex + 1 == sCount && o.sResult == 0 && (isCode(o, "IF") || isCode(o, "ZA") || isCode(o, "MB"));
}

const DC_EXPRESSION_OPERAND* operand(int16_t sIndex)
{
    const DC_EXPRESSION_REQUEST& r = P3109_EvaluationRequest().request;
    if (sIndex < 1 || sIndex > 198 || sIndex > r.sOperandCount)
        return nullptr;
    return &r.aOperands[sIndex - 1];
}

void roundLine(GEN_EVALUATION_NODE& entry)
{
    const std::string option = cs() ? "pX_Ids.chXVecAssignOption = X_DEFS." : "pX_Ids->chXVecAssignOption = ";
    if (entry.cChangeKind == 'R') {
        P3109_LineAt(3, option + "X_VEC_ASSIGN_ROUND_UP;");
        entry.cChangeKind = 'T';
    } else if (entry.cChangeKind == 'T') {
        P3109_LineAt(3, option + "X_VEC_ASSIGN_TRUNCATE;");
    }
}

/* The logical work results are static working variables of the second
** list; numeric ones are fields of the function's vector. */
void declareWorkResult(const GEN_WORK_RESULT& w)
{
    if (w.cType == 'L' || w.cType == 'C')
        CGEN_AddStaticWorkingEntry(1, "X_YES_NO " + w.name, "", "public char " + w.name, "", GEN_STATIC_UNIQUE);
}

/* *BLANK and *ZERO (and their plural forms) and *NULL named in a
** condition: no used field stands for them, their value is the empty value
** of the operand they are compared with. A work field of the routines holds it,
** one for the alphanumeric operands (a blank: the run time compares texts
** of unequal lengths filled with blanks) and one for the numeric ones (a
** zero), set just before each comparison that reads it. */
struct EmptyValue {
    const char* name;
    const char* vectorName;
    char cType; /* of the work field: 'A' or 'N' */
};
constexpr EmptyValue kEmptyAlpha{"BlankValue", "V_BlankValue", 'A'};
constexpr EmptyValue kEmptyNumber{"ZeroValue", "V_ZeroValue", 'N'};

/* The work fields the routines of the module compare with. */
std::vector<const EmptyValue*>& emptyValuesUsed()
{
    static std::vector<const EmptyValue*> used;
    return used;
}

bool namesEmptyValue(const DC_EXPRESSION_OPERAND* o)
{
    if (!o || o->cWorkResult == 'Y' || std::memcmp(o->acClass, "SV", 2) != 0)
        return false;
    const std::string name = P3109_TrimRight(std::string_view(o->acName, sizeof o->acName));
    for (const char* n : {"*BLANK", "*BLANKS", "*ZERO", "*ZEROS", "*ZEROES", "*NULL"})
        if (P3109_CopyUpper(name, name.size()) == n)
            return true;
    return false;
}

/* The empty value compared with the partner operand: numbers of every
** numeric kind with a zero, every other operand with a blank; when both
** are special values, the value's own kind. */
const EmptyValue& emptyValueFor(const DC_EXPRESSION_OPERAND* value, const DC_EXPRESSION_OPERAND* partner)
{
    const char t = partner && !namesEmptyValue(partner) ? partner->cType : value->cType;
    return std::strchr("PSIFDN", t) != nullptr && t != '\0' ? kEmptyNumber : kEmptyAlpha;
}

/* Notes the empty value as one the routines read; true when it is a work
** field of the vector already (the named conditions' values are, as the
** vector is written after their routines were gone through). */
bool noteEmptyValue(const EmptyValue& e)
{
    auto& used = emptyValuesUsed();
    if (std::find(used.begin(), used.end(), &e) == used.end())
        used.push_back(&e);
    for (const GEN_WORK_FIELD& f : P3109_WorkFields())
        if (f.indexSymbol == e.vectorName)
            return true;
    return false;
}

/* The work field set to its empty value: the blank-or-zero writer on the
** field's own vector entry. */
void writeEmptyValue(const EmptyValue& e)
{
    GEN_FIELD_INFO info;
    info.vectorName = e.vectorName;
    info.localName = e.name;
    info.cType = info.cDeclaredType = e.cType == 'A' ? 'A' : 'L';
    info.lLength = 1;
    info.usByteLength = e.cType == 'A' ? 1 : 4;
    info.acKind[0] = 'F';
    info.acKind[1] = 'L';
    info.fDefined = true;
    P3109_WriteSetToBlankOrZero(info);
}

/* Writes the code of the operations of one routine. */
struct LogicWriter {
    GEN_EVALUATION_NODE& entry;
    std::string& last;
    char& flag;
    int count = 0; /* the operations that compute (without the value mark) */
    /* named conditions called before the first operation that reads them */
    std::vector<std::pair<int16_t, std::string>> called{};

    std::string name(int16_t sIndex)
    {
        for (const auto& c : called)
            if (c.first == sIndex)
                return c.second;
        GEN_FIELD_INFO info;
        return P3109_FormatEvaluationWorkResult(sIndex, info);
    }

    /* A named condition's routine stores into the same work results as
    ** this one. Called in the middle of this routine, after an operation
    ** has set a result that a later one reads, it would overwrite that
    ** result: such a condition is called first, its answer kept in a
    ** variable of the routine. */
    void callNamedConditionsFirst(const DC_EXPRESSION_REQUEST& r)
    {
        int computed = 0;
        for (int i = 0; i < r.sOperationCount; ++i) {
            const DC_OPERATION& o = r.aOperations[i];
            if (isValueMark(o, i, r.sOperationCount))
                continue;
            if (computed++ == 0)
                continue;
            for (const int16_t sIndex : {o.sFirst, o.sSecond}) {
                const DC_EXPRESSION_OPERAND* v = operand(sIndex);
                if (!v || v->cWorkResult == 'Y' || std::memcmp(v->acClass, "CN", 2) != 0 || calledAlready(sIndex))
                    continue;
                const std::string variable = "cNamedCondition_" + std::to_string(sIndex);
                P3109_Line((cs() ? "char " : "X_YES_NO ") + variable + " = " + name(sIndex) + ";");
                called.emplace_back(sIndex, variable);
            }
        }
    }

    bool calledAlready(int16_t sIndex) const
    {
        for (const auto& c : called)
            if (c.first == sIndex)
                return true;
        return false;
    }

    /* The name of a compared operand; an empty value's work field set first. */
    std::string compared(int16_t sIndex, int16_t sPartner)
    {
        const DC_EXPRESSION_OPERAND* o = operand(sIndex);
        if (!namesEmptyValue(o))
            return name(sIndex);
        const EmptyValue& e = emptyValueFor(o, operand(sPartner));
        if (!noteEmptyValue(e))
            return name(sIndex);
        writeEmptyValue(e);
        return e.vectorName;
    }

    void comparison(const DC_OPERATION& o)
    {
        const std::string first = compared(o.sFirst, o.sSecond), second = compared(o.sSecond, o.sFirst);
        P3109_Line("if (" + vec("X_Vec_Compare") + " (pX_Ids,pX_Pro,pX_Fun,");
        P3109_Line("   pX_Fld," + first + ",pX_Fld," + second + ") " + comparator(o) + ")");
        if (flag == 'Y' && count == 1) {
            P3109_Line("   return(YES);");
            P3109_Line("else");
            P3109_Line("   return(NO);");
            return;
        }
        const std::string result = name(o.sResult);
        P3109_Line("   " + result + " = YES;");
        P3109_Line("else");
        P3109_Line("   " + result + " = NO;");
        flag = 'N';
        last = result;
    }

    void join(const DC_OPERATION& o)
    {
        const std::string result = name(o.sResult);
        P3109_Line("if ((" + name(o.sFirst) + " == YES)");
        P3109_Line(std::string(isCode(o, "AN") ? " && (" : " || (") + name(o.sSecond) + " == YES))");
        P3109_Line("   " + result + " = YES;");
        P3109_Line("else");
        P3109_Line("   " + result + " = NO;");
        flag = 'N';
        last = result;
    }

    void arithmetic(const DC_OPERATION& o)
    {
        const std::string result = name(o.sResult);
        P3109_Line(vec("X_Vec_Assign") + " (pX_Ids,pX_Pro,pX_Fun,");
        P3109_Line("   pX_Fld," + name(o.sFirst) + ",pX_Fld," + result + ");");
        P3109_Line(vec("X_PDF_Math") + " (pX_Ids,pX_Pro,pX_Fun," + mathOperation(o) + ",");
        P3109_Line("   pX_Fld," + result + ",pX_Fld," + name(o.sSecond) + ",");
        P3109_Line("   pX_Fld," + result + ");");
        flag = 'N';
        last = result;
    }

    /* The value of the expression: a single value moves into the target
    ** field here; any other is the last result, which the caller assigns. */
    void value(const DC_OPERATION& o)
    {
        const std::string source = name(o.sFirst);
        if (isCode(o, "IF")) {
            if (!(flag == 'Y' && count == 1)) { /* else the comparison returned */
                last = source;
                flag = 'N';
            }
            return;
        }
        if (count != 0 || flag != 'Y') {
            last = source;
            flag = 'N';
            return;
        }
        const DC_EXPRESSION_OPERAND* v = operand(o.sFirst);
        if (isCode(o, "ZA") && v && v->sDecimals > entry.sTargetDecimals)
            roundLine(entry);
        P3109_Line(vec("X_Vec_Assign") + " (pX_Ids,pX_Pro,pX_Fun,");
        P3109_Line("   pX_Fld," + source + ",pX_Fld," + entry.target + ");");
    }
};

/* The four heads of an entry. */
void writeBody(GEN_EVALUATION_NODE& entry, bool macro)
{
    const bool yesNo = entry.cKind == GEN_EVAL_LOGICAL;
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool workLists = entry.sList >= 0 && ctx && ctx->lZoph2Used;
    std::string last;
    char flag = 'Y';
    /* C# reaches the work lists through the list table it receives */
    if (!yesNo) {
        if (workLists && !cs())
            P3109_LineAt(3, "X_DECLARE_WORK_LISTS");
        P3109_PrepareEvaluationRequest(entry);
        P3109_EmitConditionLogic(last, flag, entry);
        if (flag == 'N') {
            roundLine(entry);
            P3109_LineAt(3, vec("X_Vec_Assign") + "(pX_Ids,pX_Pro,pX_Fun,pX_Fld," + last + ",pX_Fld," + entry.target +
                                ");");
        }
        if (!macro)
            P3109_LineAt(3, "return;");
        return;
    }
    if (!entry.key.empty() && static_cast<unsigned char>(entry.key[0]) == 3) {
        P3109_LineAt(3, cs() ? "int lConditionalEvaluation = DqooDef.X_COMP_RETURN_FALSE;"
                             : "X_COMP_RETURN_CODE lConditionalEvaluation = X_COMP_RETURN_FALSE;");
        P3109_LineAt(0, " ");
        const int32_t id = std::atoi(entry.key.substr(1, 6).c_str());
        P3109_EmitComponentDispatch(P3109_fCSharp()
                                        ? "DqooDef.X_COMP_GET_COMPONENT_AS_BOOLEAN, ref lConditionalEvaluation"
                                        : "X_COMP_GET_COMPONENT_AS_BOOLEAN, &lConditionalEvaluation",
                                    1, id, "_1");
        P3109_LineAt(0, " ");
        P3109_LineAt(3, cs() ? "return ( ( lConditionalEvaluation == DqooDef.X_COMP_RETURN_TRUE ) ? YES : NO );"
                             : "return ( ( lConditionalEvaluation == X_COMP_RETURN_TRUE ) ? YES : NO );");
        return;
    }
    if (P3109_fIsRoutineReference(entry.text.c_str())) {
        std::string call;
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), entry.text.substr(0, 9).c_str(), &call, nullptr);
        P3109_LineAt(3, "return ( ( " + call + " ) ? YES : NO );");
        return;
    }
    if (workLists && !cs())
        P3109_LineAt(3, "X_DECLARE_WORK_LISTS");
    P3109_PrepareEvaluationRequest(entry);
    P3109_EmitConditionLogic(last, flag, entry);
    if (flag == 'N')
        P3109_LineAt(3, macro ? "_RESULT = " + last + ";" : "return(" + last + ");");
}

void writeEntry(GEN_EVALUATION_NODE& entry)
{
    GEN_MODULE_STATE& s = g();
    const bool macro = isMacro(entry);
    const bool c = !P3109_fCSharp();
    const GEN_STREAM stream = macro ? s.header : s.out.mainOutput;
    s.out.current = stream;
    s.out.usIndent = 3;
    s.out.sDepth = 0;
    s.out.lMacroContinuation = 0;
    const bool yesNo = entry.cKind == GEN_EVAL_LOGICAL;
    if (macro) {
        P3109_WriteDashedBoxComment(stream, "Evaluation Macro : " + entry.name);
        s.out.lMacroContinuation = 1;
        P3109_LineAt(0, (yesNo ? "#define " + entry.name + " (_RESULT)" : "#define " + entry.name));
        P3109_LineAt(0, "{");
    } else {
        if (c)
            P3109_LineAt(0, "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_EVALUATE)))");
        P3109_WriteDoubleBoxComment(stream, "Evaluation Function : " + entry.name);
        if (c)
            P3109_LineAt(0, (yesNo ? "E_YES_NO_FUNCTION " : "E_VOID_FUNCTION ") + entry.name + " (FUNCTION_STD_ARGS)");
        else
            P3109_LineAt(0, (yesNo ? "private static char " : "private static void ") + entry.name + " (" +
                                GEN_FUNCTION_ARGS_CS + ")");
        P3109_LineAt(0, "{");
        P3109_LineAt(0, " ");
    }
    writeBody(entry, macro);
    s.out.lMacroContinuation = 0;
    P3109_LineAt(0, "}");
    if (!macro && c)
        P3109_LineAt(0, "#endif");
}

}  // namespace

void P3109_EmitEvaluationRoutines()
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    const GEN_STREAM savedStream = s.out.current;
    const uint16_t savedIndent = s.out.usIndent;
    const int16_t savedDepth = s.out.sDepth;
    for (GEN_EVALUATION_NODE& entry : P3109_EvaluationChainForUpdate())
        writeEntry(entry);
    s.out.current = s.out.mainOutput;
    s.out.usIndent = 3;
    EXPR_WriteEvaluationRoutines(P3109_ExpressionWriter());
    s.out.lMacroContinuation = 0;
    s.out.current = savedStream;
    s.out.usIndent = savedIndent;
    s.out.sDepth = savedDepth;
}

void P3109_EmitConditionLogic(std::string& lastResult, char& cResult, GEN_EVALUATION_NODE& entry)
{
    const DC_EXPRESSION_REQUEST& r = P3109_EvaluationRequest().request;
    if (r.lError != 0)
        return;
    GEN_EMITTER_STATE& es = P3109_EmitterState();
    for (GEN_WORK_RESULT& w : es.workResults) {
        w.lUseCount = 0;
        w.boundTo.clear();
    }
    for (int i = 0; i < r.sOperandCount; ++i) {
        const DC_EXPRESSION_OPERAND& o = r.aOperands[i];
        GEN_FIELD_INFO info;
        if (o.cWorkResult != 'Y' && std::memcmp(o.acClass, "SV", 2) == 0 &&
            P3109_fFindUsedField(std::string_view(o.acName, sizeof o.acName), info, GEN_OPERAND_NAME_WIDTH))
            P3109_WriteSetToSpecialValue(info, GEN_REFRESH_DYNAMIC);
    }
    LogicWriter w{entry, lastResult, cResult};
    for (int i = 0; i < r.sOperationCount; ++i)
        if (!isValueMark(r.aOperations[i], i, r.sOperationCount))
            ++w.count;
    w.callNamedConditionsFirst(r);
    for (int i = 0; i < r.sOperationCount; ++i) {
        const DC_OPERATION& o = r.aOperations[i];
        if (isValueMark(o, i, r.sOperationCount))
            w.value(o);
        else if (isComparison(o))
            w.comparison(o);
        else if (isCode(o, "AN") || isCode(o, "OR"))
            w.join(o);
        else if (mathOperation(o))
            w.arithmetic(o);
    }
}

void P3109_RegisterConditionWorkFields()
{
    GEN_MODULE_STATE& s = g();
    FFC_CHECK_STATE* st = P3109_CheckState();
    if (!st)
        return;
    /* the current command and its place in the check state come back
       afterwards: this runs inside a skeleton point */
    const GEN_COMMAND_RECORD saved = P3109_CurrentCommand();
    const FFC_CHECK_STATE savedState = *st;
    const char savedSuppress = s.out.cSuppress;
    const GEN_STREAM savedStream = s.out.current;
    const uint16_t savedIndent = s.out.usIndent;
    s.out.cSuppress = 'Y';
    emptyValuesUsed().clear();
    for (const GEN_COMMAND_RECORD& r : P3109_CommandSurvey().records) {
        if (std::memcmp(r.acName, "DEF_COND  ", 10) != 0)
            continue;
        P3109_MakeCurrentCommand(r);
        /* the node the DEF_COND emitter registers, kept out of the chain */
        GEN_EVALUATION_NODE node;
        node.key = P3109_Padded(P3109_ParmField("NAME"), 10);
        node.cKind = GEN_EVAL_LOGICAL;
        node.mark = GEN_EVAL_NAMED_CONDITION;
        node.text = P3109_ParmField("COND").substr(0, GEN_EVALUATION_TEXT_MAX);
        node.lLine = st->lLine;
        node.lSequence = st->lSequence;
        node.lLineNumber = st->lLineNumber;
        node.pFieldTable = st->pFieldTable;
        if (P3109_fIsRoutineReference(node.text.c_str()))
            continue;
        P3109_PrepareEvaluationRequest(node);
        std::string last;
        char flag = 'Y';
        P3109_EmitConditionLogic(last, flag, node);
    }
    /* the empty values the comparisons read are work fields of the vector */
    for (const EmptyValue* e : emptyValuesUsed()) {
        bool known = false;
        for (const GEN_WORK_FIELD& f : P3109_WorkFields())
            known = known || f.indexSymbol == e->vectorName;
        if (!known)
            P3109_AddWorkField(e->name, e->vectorName, e->cType, 1, 0);
    }
    /* the logical results are static variables (declared when made); the
       others are entries of the field vector */
    for (const GEN_WORK_RESULT& w : P3109_EmitterState().workResults) {
        if (w.cType == 'L' || w.cType == 'C')
            continue;
        /* the C# pass writes the vector again over the same work fields */
        bool known = false;
        for (const GEN_WORK_FIELD& f : P3109_WorkFields())
            known = known || f.indexSymbol == w.vectorName;
        if (!known)
            P3109_AddWorkField(w.name, w.vectorName, w.cType == 'A' ? 'A' : 'N', w.lLength, w.sDecimals);
    }
    P3109_MakeCurrentCommand(saved);
    *st = savedState;
    s.out.cSuppress = savedSuppress;
    s.out.current = savedStream;
    s.out.usIndent = savedIndent;
}

std::string P3109_FormatEvaluationWorkResult(int16_t sIndex, GEN_FIELD_INFO& info)
{
    const DC_EXPRESSION_OPERAND* o = operand(sIndex);
    if (!o)
        return {};
    const std::string name = P3109_TrimRight(std::string_view(o->acName, sizeof o->acName));
    /* a condition name is the yes/no answer of its DEF_COND's routine */
    if (o->cWorkResult != 'Y' && std::memcmp(o->acClass, "CN", 2) == 0) {
        const GEN_EVALUATION_NODE* condition = P3109_pFindNamedCondition(name);
        return condition ? condition->name + "(" + P3109_StdParms() + ")" : "NO";
    }
    if (o->cWorkResult != 'Y') {
        /* an operand the function does not use is no vector entry: the
           null pointer would not do as a vector index; a literal longer
           than the request's name is found by its whole text */
        const std::string whole = dqov::literal::WholeOperandName(&P3109_EvaluationRequest().request, sIndex - 1);
        const std::string_view used =
            whole.empty() ? std::string_view(o->acName, sizeof o->acName) : std::string_view(whole);
        if (!P3109_fFindUsedField(used, info, used.size()))
            return "V_NOT_AVAILABLE";
        return info.vectorName;
    }
    GEN_EMITTER_STATE& es = P3109_EmitterState();
    GEN_WORK_RESULT* bound = nullptr;
    for (GEN_WORK_RESULT& w : es.workResults)
        if (w.boundTo == name) {
            bound = &w;
            break;
        }
    if (!bound)
        for (GEN_WORK_RESULT& w : es.workResults)
            if (w.lUseCount == 0 && w.cType == o->cType && w.lLength == o->lLength && w.sDecimals == o->sDecimals) {
                bound = &w;
                break;
            }
    if (!bound) {
        GEN_WORK_RESULT w;
        const int32_t n = ++es.lWorkCounter;
        const bool logical = o->cType == 'L' || o->cType == 'C';
        const std::string stem = logical ? "LogicalResult_" : "IntermedResult_";
        w.workName = P3109_Padded("w" + stem + std::to_string(n), 20);
        w.name = stem + std::to_string(n);
        w.vectorName = "V_" + w.name;
        w.cType = o->cType;
        w.lLength = o->lLength;
        w.sDecimals = o->sDecimals;
        es.workResults.push_back(w);
        bound = &es.workResults.back();
        declareWorkResult(*bound);
    }
    bound->boundTo = name;
    ++bound->lUseCount;
    GEN_WORK_VALUE work;
    work.operandName = bound->workName;
    work.localName = bound->name;
    work.vectorName = bound->vectorName;
    work.cKind = bound->cType;
    work.lLength = bound->lLength;
    work.sDecimals = bound->sDecimals;
    P3109_MakeWorkFieldFromWork(work, info);
    if (bound->cType == 'L' || bound->cType == 'C')
        return cs() ? "pGlobal2." + bound->name : "INSTANCE_S2(" + bound->name + ")";
    return bound->vectorName;
}

long P3109_EmitEvaluationGroupEntry(const DQOO_STATEMENT_EVALUATION* evaluation, void* user, void*)
{
    auto* table = static_cast<GEN_EVALUATION_GROUP*>(user);
    if (!evaluation || !table)
        return 0;
    GEN_FIELD_INFO info;
    if (!P3109_fFindUsedField(std::string_view(evaluation->achFieldName, 10), info))
        return 0;
    switch (table->lState) {
    case 0:
        P3109_Line("");
        P3109_Line("/* Evaluation Group Definition : " + table->name + " */");
        P3109_Line("{");
        P3109_IndentIn();
        P3109_Line(P3109_fCSharp() ? "int sCurrent;" : "X_SHORT sCurrent;");
        P3109_Line("");
        P3109_Line(P3109_fCSharp() ? "short[] as" + table->name + " ="
                                   : "static const X_SHORT as" + table->name + "[] =");
        P3109_Line("{");
        table->line = "   " + info.vectorName;
        table->lState = 1;
        break;
    case 4:
        P3109_Line(table->line + ",");
        table->line = "   " + info.vectorName;
        table->lState = 1;
        break;
    default:
        table->line += ", " + info.vectorName;
        ++table->lState;
        break;
    }
    return 0;
}

void P3109_EmitStatementEvaluations(std::string_view pointerName, std::string_view structName)
{
    const FFC_CHECK_STATE* st = P3109_CheckState();
    const int32_t statement = st ? st->lLine : 0;
    if (statement <= 0)
        return;
    GEN_EVALUATION_GROUP table;
    table.name = "X_Evaluations_" + g().lineNumberText;
    table.line = table.name;
    DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(statement, P3109_EmitEvaluationGroupEntry, &table, nullptr);
    if (table.lState == 0)
        return;
    P3109_Line(table.line);
    P3109_Line("};");
    P3109_Line("");
    const std::string t = table.name;
    if (P3109_fCSharp()) {
        const std::string b = pointerName.empty() ? std::string(structName) : "p" + std::string(pointerName);
        P3109_Line(b + ".psEvaluations = as" + t + ";");
        P3109_Line(b + ".scEvaluations = as" + t + ".Length;");
        P3109_Line("for ( sCurrent = 0; sCurrent < " + b +
                   ".scEvaluations; sCurrent++ ) X_VAR_DLL.X_VAR_ResolveEvaluationVariable( pX_Ids, pX_Pro, pX_Fun, "
                   "pX_Fld, " +
                   b + ".psEvaluations[sCurrent] );");
    } else if (!pointerName.empty()) {
        const std::string p(pointerName);
        P3109_Line("p" + p + "->psEvaluations = ((X_SHORT*) as" + t + ");");
        P3109_Line("p" + p + "->scEvaluations = sizeof(as" + t + ") / sizeof(X_SHORT);");
        P3109_Line("");
        P3109_Line("for ( sCurrent = 0; sCurrent < p" + p +
                   "->scEvaluations; sCurrent++ ) X_VAR_ResolveEvaluationVariable( pX_Ids, pX_Pro, pX_Fun, pX_Fld, p" +
                   p + "->psEvaluations[sCurrent] );");
    } else {
        const std::string b(structName);
        P3109_Line(b + ".psEvaluations = ((X_SHORT*) as" + t + ");");
        P3109_Line(b + ".scEvaluations = sizeof(as" + t + ") / sizeof(X_SHORT);");
        P3109_Line("for ( sCurrent = 0; sCurrent < " + b +
                   ".scEvaluations; sCurrent++ ) X_VAR_ResolveEvaluationVariable( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " +
                   b + ".psEvaluations[sCurrent] );");
    }
    P3109_IndentOut();
    P3109_Line("}");
}

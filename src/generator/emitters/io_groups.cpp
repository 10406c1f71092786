/*
** io_groups.cpp: the static tables an I/O request carries besides its
** argument block: the field group (the fields the request reads or
** writes), the key group (the key values given), and the WHERE of the
** command, either handed to the I/O module as a where group with its
** expression component and activity groups, or evaluated in generated
** code by a condition routine that the command calls for every record.
*/
#include <algorithm>
#include <cstring>

#include "dqov/dqov_check.h"
#include "generator/core/command_loop.h"
#include "generator/core/description_tables.h"
#include "generator/core/field_helpers.h"
#include "generator/core/field_initialisation.h"
#include "generator/core/file_field_mangling.h"
#include "generator/core/gen_chains.h"
#include "generator/core/line_writer.h"
#include "generator/core/services.h"
#include "generator/core/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "generator/expressions/expr_routines.h"

namespace {

GEN_MODULE_STATE& g()
{
    return P3109_State();
}

/* "p<pointer>->member" or "<block>.member". */
std::string member(std::string_view pointerName, std::string_view blockName, std::string_view name)
{
    if (!pointerName.empty())
        return P3109_Deref("p" + std::string(pointerName), name);
    return std::string(blockName) + "." + std::string(name);
}

/* The two assignments that attach a table to the request; nothing when
** neither name is given. */
void attach(std::string_view pointerName, std::string_view blockName, const char* pointerMember,
            const char* countMember, const std::string& array, const char* type)
{
    if (pointerName.empty() && blockName.empty())
        return;
    if (P3109_fCSharp()) {
        P3109_Line(member(pointerName, blockName, pointerMember) + " = as" + array + ";");
        P3109_Line(member(pointerName, blockName, countMember) + " = as" + array + ".Length;");
        return;
    }
    P3109_Line(member(pointerName, blockName, pointerMember) + " = ((" + type + "*) as" + array + ");");
    P3109_Line(member(pointerName, blockName, countMember) + " = sizeof(as" + array + ") / sizeof(" + type + ");");
}

/* The head of a table local to the command's block: "static const T as<name>[] =" / "T[] as<name> =". */
std::string tableHead(const char* cType, const char* csType, const std::string& name)
{
    return P3109_fCSharp() ? std::string(csType) + "[] as" + name + " ="
                           : std::string("static const ") + cType + " as" + name + "[] =";
}

/* A row of a table of structures in C#: the run time's constants of its
** first value qualified, the row made by the structure's constructor. */
std::string csRow(const char* type, const std::string& row)
{
    return std::string("new ") + type + "( DqooDef." + row + " )";
}

/* The key values given with the command, 20 characters each. */
std::vector<std::string> keyValues()
{
    std::vector<std::string> keys;
    const int32_t count = std::min<int32_t>(P3109_ParmCount("WITH_KEY"), 20);
    for (int32_t i = 0; i < count; ++i)
        keys.push_back(P3109_ParmField("WITH_KEY", 0, i));
    return keys;
}

/* The vector text of a key value; a numeric literal keeps its exact
** decimal value. */
std::string keyVector(const std::string& key)
{
    GEN_FIELD_INFO info;
    if (!P3109_fFindUsedField(key, info, 20))
        return P3109_OperandVector("WITH_KEY", key, 20);
    if (info.fKind("NL"))
        P3109_AddReferencedName(key, 20);
    return info.vectorName;
}

/* The WHERE's condition checked by the expression checker into the
** generator's request block. */
const GEN_EVALUATION_REQUEST& prepareWhere(const std::string& text)
{
    GEN_EVALUATION_NODE node;
    node.text = text;
    node.cResultKind = 'L';
    if (const FFC_CHECK_STATE* st = P3109_CheckState()) {
        node.lLine = st->lLine;
        node.lSequence = st->lSequence;
        node.lLineNumber = st->lLineNumber;
        node.pFieldTable = st->pFieldTable;
    }
    P3109_PrepareEvaluationRequest(node);
    return P3109_EvaluationRequest();
}

DC_TOKEN tokenAt(const GEN_EVALUATION_REQUEST& r, int32_t i)
{
    DC_TOKEN t;
    std::memcpy(&t, r.tokens.data() + static_cast<size_t>(i) * DC_TOKEN_ENTRY_SIZE, sizeof t);
    return t;
}

int32_t tokenCount(const GEN_EVALUATION_REQUEST& r)
{
    return std::clamp<int32_t>(r.request.lTokenCount, 0, DC_TOKEN_MAX);
}

const DC_EXPRESSION_OPERAND* operandAt(const GEN_EVALUATION_REQUEST& r, int16_t sIndex)
{
    if (sIndex < 1 || sIndex > std::min<int16_t>(r.request.sOperandCount, DC_OPERAND_MAX))
        return nullptr;
    return &r.request.aOperands[sIndex - 1];
}

std::string operandVector(const DC_EXPRESSION_OPERAND& o)
{
    const std::string name(o.acName, sizeof o.acName);
    GEN_FIELD_INFO info;
    if (!P3109_fFindUsedField(name, info, sizeof o.acName))
        return P3109_OperandVector("WHERE", name, sizeof o.acName);
    if (info.fKind("NL"))
        P3109_AddReferencedName(name, sizeof o.acName);
    return info.vectorName;
}

bool fieldKind(const DC_EXPRESSION_OPERAND& o)
{
    return std::memcmp(o.acClass, "FL", 2) == 0 || std::memcmp(o.acClass, "CO", 2) == 0 ||
           std::memcmp(o.acClass, "PR", 2) == 0 || std::memcmp(o.acClass, "CP", 2) == 0;
}

/* An operand number of an activity row: "0" outside 1 to 198. */
std::string activityOperand(int16_t sNumber)
{
    return sNumber >= 1 && sNumber <= 198 ? std::to_string(sNumber) : "0";
}

/* The operands of the WHERE whose values the function supplies, for the
** evaluation of dynamic system variables. */
std::vector<std::string> whereOperands(const GEN_EVALUATION_REQUEST& r, const std::vector<char>& marks)
{
    std::vector<std::string> operands;
    for (int16_t i = 1; i <= std::min<int16_t>(r.request.sOperandCount, DC_OPERAND_MAX); ++i) {
        const DC_EXPRESSION_OPERAND& o = r.request.aOperands[i - 1];
        if (o.cWorkResult == 'Y' || (static_cast<size_t>(i) <= marks.size() && marks[i - 1] == 'N'))
            continue;
        operands.emplace_back(o.acName, sizeof o.acName);
    }
    return operands;
}

/* The WHERE's routine reference: the parameter itself when it holds one,
** else the command's. */
std::string whereReference(const std::string& where)
{
    if (P3109_fIsRoutineReference(where.c_str()))
        return where.substr(0, 9);
    const char* reference = P3109_pRoutineReference();
    return reference ? std::string(reference) : std::string();
}

std::string conditionRoutineName(const std::string& reference)
{
    std::string name;
    EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference.c_str(), nullptr, &name);
    return name;
}

/* The WHERE stays in generated code: the request is told so. */
void keepInCode(std::string_view pointerName, std::string_view blockName)
{
    P3109_Line("");
    if (!pointerName.empty() || !blockName.empty())
        P3109_Line(member(pointerName, blockName, "chWhereZOPH") + " = YES;");
}

void warnWithoutKeys()
{
    if (P3109_ParmCount("WITH_KEY") < 1)
        P3109_sIssueMessage("PRC1003", 'W', std::string_view(P3109_CurrentCommand().acName, 10));
}

}  // namespace

void P3109_EmitFieldGroup(std::string_view pointerName, std::string_view blockName)
{
    const std::string group = P3109_IoFieldGroup();
    if (group.empty())
        return;
    const std::string name = P3109_MakeGroupName(g().lineNumberText, g().lineNumberText.size());
    P3109_Line("");
    P3109_Line("/* Field Group Definition : " + name + " */");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_WriteFieldGroupArray(g().out.current, static_cast<int16_t>(g().out.usIndent), group, name);
    P3109_Line("");
    attach(pointerName, blockName, "psGrpFlds", "scGrpFlds", name, "X_SHORT");
    P3109_IndentOut();
    P3109_Line("}");
}

void P3109_EmitKeyGroup(std::string_view pointerName, std::string_view blockName, std::string_view nbrKeys)
{
    const std::vector<std::string> keys = keyValues();
    if (keys.empty())
        return;
    const std::string name = "X_Key_" + g().lineNumberText;
    P3109_Line("");
    P3109_Line("/* Key Group Definition : " + name + " */");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_Line(tableHead("X_SHORT", "short", name));
    P3109_Line("{");
    std::string line = "    ";
    for (size_t i = 0; i < keys.size(); ++i) {
        line += keyVector(keys[i]);
        if (i + 1 == keys.size())
            break;
        line += ", ";
        if ((i + 1) % 4 == 0) {
            P3109_Line(line);
            line = "   ";
        }
    }
    P3109_Line(line);
    P3109_Line("};");
    P3109_Line("");
    attach(pointerName, blockName, "psKeyFlds", "scKeyFlds", name, "X_SHORT");
    P3109_IndentOut();
    P3109_Line("}");
    P3109_EmitDynamicSysVars(keys, 20);

    const std::string mode = P3109_TrimRight(nbrKeys);
    if (mode == "*WITHKEY")
        return;
    const bool cs = P3109_fCSharp();
    const std::string request = cs ? (pointerName.empty() ? std::string(blockName) : "p" + std::string(pointerName))
                                : pointerName.empty() ? "&(" + std::string(blockName) + ")"
                                                      : "p" + std::string(pointerName);
    if (mode == "*COMPUTE") {
        P3109_Line(P3109_RunTime("X_Compute_Keys") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + request + " );");
        return;
    }
    P3109_Line(P3109_RunTime("X_Check_Key_Count") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + request + ", " +
               P3109_RequiredFieldVector("NBR_KEYS", P3109_Padded(mode, 10)) + " );");
    P3109_Line(cs ? "if (pX_Ids.chFatalError == YES)" : "if (pX_Ids->chFatalError == YES)");
    P3109_Line("{");
    P3109_Line(cs ? "   " + P3109_CSharpSetIoStatus("X_DBM_FATAL_ERROR")
                  : "   memcpy(INSTANCE(vchLastIOStatus),X_DBM_FATAL_ERROR,2);");
    g().emit.cLastIoStatus = 'Y';
    if (!pointerName.empty()) {
        P3109_Line(cs ? "   return NO;" : "   return(NO);");
    } else {
        /* a command's own code stands in a routine that answers no YES or
           NO: it ends the way its routine ends on a fatal error */
        P3109_IndentIn();
        P3109_EmitFatalErrorTest();
        P3109_IndentOut();
    }
    P3109_Line("}");
}

std::string P3109_EmitFileCheckKeyGroup()
{
    const std::string name = "X_Key_" + g().lineNumberText;
    const std::vector<std::string> keys = keyValues();
    if (keys.empty())
        return name;
    P3109_EmitDynamicSysVars(keys, 20);
    P3109_WriteDashedBoxComment(1, "Key Group Definition : " + name);
    const bool cs = P3109_fCSharp();
    P3109_WriteLine(1, 3,
                    cs ? "private static readonly short[] as" + name + " =" : "static X_SHORT as" + name + "[] =");
    std::string line = "{";
    for (size_t i = 0; i < keys.size(); ++i) {
        line += keyVector(keys[i]);
        if (i + 1 == keys.size())
            break;
        line += ",";
        if ((i + 1) % 4 == 0) {
            P3109_WriteLine(1, 6, line);
            line = " ";
        }
    }
    P3109_WriteLine(1, 6, line + "};");
    CGEN_AddStaticWorkingEntry(0, "X_PSHORT ps" + name, "INSTANCE(ps" + name + ") = &(as" + name + "[0]);",
                               "public short[] ps" + name, "pGlobal1.ps" + name + " = as" + name + ";", 'Y');
    CGEN_AddStaticWorkingEntry(0, "X_SHORT sc" + name,
                               "INSTANCE(sc" + name + ") = sizeof(as" + name + ") / sizeof(X_SHORT);",
                               "public int sc" + name, "pGlobal1.sc" + name + " = as" + name + ".Length;", 'Y');
    return name;
}

char P3109_fClassifyWhereFields(std::string_view file, std::string_view library, std::vector<char>& marks)
{
    const GEN_EVALUATION_REQUEST& r = P3109_EvaluationRequest();
    marks.assign(static_cast<size_t>(std::max<int16_t>(r.request.sOperandCount, 0)), 'V');
    std::vector<char> levels{'N'};
    for (int32_t i = 0; i < tokenCount(r); ++i) {
        const DC_TOKEN t = tokenAt(r, i);
        if (std::memcmp(t.acClass, "OB", 2) == 0) {
            levels.push_back('N');
            continue;
        }
        if (std::memcmp(t.acClass, "CB", 2) == 0) {
            if (levels.size() < 2 || levels.back() != 'Y')
                return 'N';
            levels.pop_back();
            levels.back() = 'Y';
            continue;
        }
        if (std::memcmp(t.acClass, "FL", 2) != 0)
            continue;
        const DC_EXPRESSION_OPERAND* o = operandAt(r, t.sOperand);
        if (!o)
            continue;
        const std::string name(o->acName, sizeof o->acName);
        if (fieldKind(*o) && P3109_sCountFileFields(name, file, library, "FFD") == 'Y') {
            marks[static_cast<size_t>(t.sOperand - 1)] = 'N';
            levels.back() = 'Y';
            continue;
        }
        if (fieldKind(*o) && P3109_sCountFileFields(name, file, library, "VFD") == 'Y')
            return 'N';
        marks[static_cast<size_t>(t.sOperand - 1)] = 'V';
    }
    return levels.front();
}

void P3109_EmitWhereGroup(std::string_view pointerName, std::string_view blockName, std::string& groupName,
                          const std::vector<char>* pMarks)
{
    groupName = "Where_Group_" + g().lineNumberText;
    P3109_Line("");
    P3109_Line("/* Where Group Definition : " + groupName + " */");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_Line(tableHead("struct X_DBM_WHERE", "X_DBM_WHERE", groupName));
    P3109_Line("{");
    P3109_IndentIn();
    if (pMarks) {
        const GEN_EVALUATION_REQUEST& r = P3109_EvaluationRequest();
        std::string line;
        int inLine = 0;
        const int32_t tokens = tokenCount(r);
        for (int32_t i = 0; i < tokens; ++i) {
            const DC_TOKEN t = tokenAt(r, i);
            std::string entry;
            if (std::memcmp(t.acClass, "FL", 2) == 0) {
                const DC_EXPRESSION_OPERAND* o = operandAt(r, t.sOperand);
                const bool name = t.sOperand >= 1 && static_cast<size_t>(t.sOperand) <= pMarks->size() &&
                                  (*pMarks)[static_cast<size_t>(t.sOperand - 1)] == 'N';
                entry = std::string("X_DBM_WHERE_") + (name ? "NAME" : "VALUE") + "," +
                        (o ? operandVector(*o) : std::string("V_NOT_AVAILABLE"));
            } else {
                const char* code = std::memcmp(t.acClass, "OP", 2) == 0 ? t.acOperator : t.acClass;
                entry = "X_DBM_WHERE_" + std::string(code, 2) + ",0";
            }
            if (P3109_fCSharp())
                entry = csRow("X_DBM_WHERE", entry);
            line += entry;
            if (i + 1 == tokens)
                break;
            line += ", ";
            if (++inLine == 2) {
                P3109_Line(line);
                line.clear();
                inLine = 0;
            }
        }
        if (!line.empty())
            P3109_Line(line);
    } else {
        EXPR_WriteDbmWhereRows(P3109_ExpressionWriter(), whereReference(P3109_ParmField("WHERE")).c_str());
    }
    P3109_IndentOut();
    P3109_Line("};");
    P3109_Line("");
    attach(pointerName, blockName, "pWhere", "scWhere", groupName, "struct X_DBM_WHERE");
    P3109_IndentOut();
    P3109_Line("}");
}

void P3109_EmitWhereExpressionGroups(std::string_view pointerName, std::string_view blockName,
                                     std::string& componentGroup, std::string& activityGroup,
                                     const std::vector<char>* pMarks)
{
    componentGroup = "Component_" + g().lineNumberText;
    activityGroup = "Activity_" + g().lineNumberText;
    const std::string reference = pMarks ? std::string() : whereReference(P3109_ParmField("WHERE"));
    const GEN_EVALUATION_REQUEST& r = P3109_EvaluationRequest();
    P3109_Line("");
    P3109_Line("/* Component and Activity Groups : " + componentGroup + " and " + activityGroup + " */");
    P3109_Line("{");
    P3109_IndentIn();

    P3109_Line(tableHead("struct X_DBM_EXPRESSION_COMPONENT", "X_DBM_EXPRESSION_COMPONENT", componentGroup));
    P3109_Line("{");
    P3109_IndentIn();
    if (pMarks) {
        for (int16_t i = 1; i <= std::min<int16_t>(r.request.sOperandCount, DC_OPERAND_MAX); ++i) {
            const DC_EXPRESSION_OPERAND& o = r.request.aOperands[i - 1];
            std::string kind, value = "V_NOT_AVAILABLE";
            if (o.cWorkResult == 'Y') {
                kind = o.cType == 'A'                     ? "X_DBM_COMPONENT_ALP_RESULT"
                       : o.cType == 'L' || o.cType == ' ' ? "X_DBM_COMPONENT_LGL_RESULT"
                                                          : "X_DBM_COMPONENT_NUM_RESULT";
            } else {
                const bool name =
                    static_cast<size_t>(i) <= pMarks->size() && (*pMarks)[static_cast<size_t>(i - 1)] == 'N';
                kind = name ? "X_DBM_COMPONENT_FIELD_NAME" : "X_DBM_COMPONENT_FIELD_VALUE";
                value = operandVector(o);
            }
            const std::string row = kind + "," + value;
            P3109_Line(std::string(i == 1 ? " " : ",") +
                       (P3109_fCSharp() ? csRow("X_DBM_EXPRESSION_COMPONENT", row) : row));
        }
    } else {
        EXPR_WriteDbmComponentRows(P3109_ExpressionWriter(), reference.c_str());
    }
    P3109_IndentOut();
    P3109_Line("};");
    P3109_Line("");

    P3109_Line(tableHead("struct X_DBM_EXPRESSION_ACTIVITY", "X_DBM_EXPRESSION_ACTIVITY", activityGroup));
    P3109_Line("{");
    P3109_IndentIn();
    if (pMarks) {
        for (int16_t i = 0; i < std::min<int16_t>(r.request.sOperationCount, DC_OPERATION_MAX); ++i) {
            const DC_OPERATION& op = r.request.aOperations[i];
            const std::string row = "X_DBM_ACTIVITY_" + std::string(op.acCode, 2) + "," + activityOperand(op.sFirst) +
                                    "," + activityOperand(op.sSecond) + "," + activityOperand(op.sResult);
            P3109_Line(std::string(i == 0 ? " " : ",") +
                       (P3109_fCSharp() ? csRow("X_DBM_EXPRESSION_ACTIVITY", row) : row));
        }
    } else {
        EXPR_WriteDbmActivityRows(P3109_ExpressionWriter(), reference.c_str());
    }
    P3109_IndentOut();
    P3109_Line("};");
    P3109_Line("");

    attach(pointerName, blockName, "pXComponent", "scXComponent", componentGroup, "struct X_DBM_EXPRESSION_COMPONENT");
    attach(pointerName, blockName, "pXActivity", "scXActivity", activityGroup, "struct X_DBM_EXPRESSION_ACTIVITY");
    P3109_IndentOut();
    P3109_Line("}");
}

void P3109_EmitWhereClause(std::string_view pointerName, std::string_view blockName, char& cToModule, char& cInCode,
                           std::string_view physical, std::string_view library, std::string& routine, char cMode)
{
    cToModule = cInCode = 'N';
    routine.clear();
    const std::string where = P3109_ParmField("WHERE");
    if (P3109_TrimRight(where).empty())
        return;
    std::string component, activity, group;
    if (static_cast<unsigned char>(where[0]) == 3) {
        const std::string reference = whereReference(where);
        if (cMode != 'Y' && EXPR_fRoutineHasSysVarBlock(P3109_ExpressionWriter(), reference.c_str()) == 'Y') {
            cToModule = 'Y';
            P3109_EmitWhereGroup(pointerName, blockName, group, nullptr);
            P3109_EmitWhereExpressionGroups(pointerName, blockName, component, activity, nullptr);
            EXPR_WriteSysVarSettings(P3109_ExpressionWriter(), reference.c_str());
            if (cMode == 'S')
                routine = conditionRoutineName(reference);
            return;
        }
        cInCode = 'Y';
        keepInCode(pointerName, blockName);
        routine = conditionRoutineName(reference);
        warnWithoutKeys();
        return;
    }
    const GEN_EVALUATION_REQUEST& r = prepareWhere(where);
    std::vector<char> marks;
    if (cMode != 'Y' && r.request.lError == 0 && P3109_fClassifyWhereFields(physical, library, marks) == 'Y') {
        cToModule = 'Y';
        P3109_EmitWhereGroup(pointerName, blockName, group, &marks);
        P3109_EmitWhereExpressionGroups(pointerName, blockName, component, activity, &marks);
        P3109_EmitDynamicSysVars(whereOperands(r, marks), 50);
        if (cMode == 'S')
            routine = P3109_pszMakeEvaluationName(where, 'L', 500, where, 'N', 'Y', 0)->name;
        return;
    }
    cInCode = 'Y';
    keepInCode(pointerName, blockName);
    routine = P3109_pszMakeEvaluationName(where, 'L', 500, where, 'N', 'Y', 0)->name;
    warnWithoutKeys();
}

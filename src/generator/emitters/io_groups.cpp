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

#include "dqov/params/dqov_check.h"
#include "generator/core/components/description_tables.h"
#include "generator/core/components/field_initialisation.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/file_field_mangling.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "generator/expressions/expr_routines.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

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
    const bool cs = P3109_fCSharp();
    /* the lines are put together in a buffer kept between calls:
       "p<pointer>->member" ("." in C#) or "<block>.member", then the value */
    static std::string line;
    auto start = [&](const char* name) -> std::string& {
        if (!pointerName.empty())
            line.assign("p", 1).append(pointerName).append(cs ? "." : "->");
        else
            line.assign(blockName).append(".", 1);
        return line.append(name);
    };
    if (cs) {
        P3109_Line(start(pointerMember).append(" = as").append(array).append(";"));
        P3109_Line(start(countMember).append(" = as").append(array).append(".Length;"));
        return;
    }
    P3109_Line(start(pointerMember).append(" = ((").append(type).append("*) as").append(array).append(");"));
    P3109_Line(start(countMember).append(" = sizeof(as").append(array).append(") / sizeof(").append(type).append(");"));
}

/* The head of a table local to the command's block: "static const T as<name>[] =" / "T[] as<name> =". */
std::string tableHead(const char* cType, const char* csType, const std::string& name)
{
    return P3109_fCSharp() ? std::string(csType) + "[] as" + name + " ="
                           : std::string("static const ") + cType + " as" + name + "[] =";
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
    /* held: noting the name as referenced drops the kept look-ups */
    const std::shared_ptr<const GEN_FIELD_INFO> info = P3109_HoldOperandField(key, 20);
    if (!info)
        return P3109_PassedValueVector("WITH_KEY", key, 20);
    if (info->fKind("NL"))
        P3109_AddReferencedName(key, 20);
    return info->vectorName;
}

/* The numeric literals the I/O module reads from their vectors keep their
** exact decimal value: the values of the WHERE and component rows of a
** routine. */
long noteLiteralRow(EXPR_ROUTINE* element, void*, void*)
{
    const bool row = element->kind == EXPR_ELEMENT_WHERE_ROW || element->kind == EXPR_ELEMENT_COMPONENT_ROW;
    if (!row || element->node == nullptr || element->node->kind != EXPR_NODE_FIELD || element->node->fieldRef == nullptr)
        return 0;
    const std::string name = element->node->fieldRef;
    if (const GEN_FIELD_INFO* info = P3109_pFindOperandField(name, name.size()); info && info->fKind("NL"))
        P3109_AddReferencedName(name, name.size());
    return 0;
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
        P3109_sIssueMessage(Msg::WhereWithoutKeys, std::string_view(P3109_CurrentCommand().acName, 10));
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
                               "public short[] ps" + name, "pGlobal1.ps" + name + " = as" + name + ";",
                               GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingEntry(
        0, "X_SHORT sc" + name, "INSTANCE(sc" + name + ") = sizeof(as" + name + ") / sizeof(X_SHORT);",
        "public int sc" + name, "pGlobal1.sc" + name + " = as" + name + ".Length;", GEN_STATIC_UNIQUE);
    return name;
}

char P3109_fClassifyWhereFields(std::string_view file, std::string_view library, std::vector<char>& marks)
{
    const GEN_EVALUATION_REQUEST& r = P3109_EvaluationRequest();
    const int16_t operands = std::clamp<int16_t>(r.request.sOperandCount, 0, DC_OPERAND_MAX);
    marks.assign(static_cast<size_t>(operands), 'V');
    /* one flag per open bracket, level 0 the whole condition */
    std::vector<char> levels{'N'};
    const int32_t tokens = std::clamp<int32_t>(r.request.lTokenCount, 0, DC_TOKEN_MAX);
    for (int32_t i = 0; i < tokens; ++i) {
        DC_TOKEN t;
        std::memcpy(&t, r.tokens.data() + static_cast<size_t>(i) * DC_TOKEN_ENTRY_SIZE, sizeof t);
        const std::string_view code(t.acClass, 2);
        if (code == "OB") {
            levels.push_back('N');
            continue;
        }
        if (code == "CB") {
            if (levels.size() < 2 || levels.back() != 'Y')
                return 'N';
            levels.pop_back();
            levels.back() = 'Y';
            continue;
        }
        if (code != "FL" || t.sOperand < 1 || t.sOperand > operands)
            continue;
        const DC_EXPRESSION_OPERAND& o = r.request.aOperands[t.sOperand - 1];
        const std::string_view kind(o.acClass, 2);
        /* a field, a component or a property (the checker's "CP") */
        const bool named = P3109_fIsObjectTypeCode(kind) || kind == "CP";
        const std::string name(o.acName, sizeof o.acName);
        if (named && P3109_sCountFileFields(name, file, library, "FFD")) {
            marks[static_cast<size_t>(t.sOperand - 1)] = 'N';
            levels.back() = 'Y';
            continue;
        }
        if (named && P3109_sCountFileFields(name, file, library, "VFD"))
            return 'N';
        marks[static_cast<size_t>(t.sOperand - 1)] = 'V';
    }
    return levels.front();
}

void P3109_EmitWhereGroup(std::string_view pointerName, std::string_view blockName, std::string& groupName)
{
    groupName = "Where_Group_" + g().lineNumberText;
    P3109_Line("");
    P3109_Line("/* Where Group Definition : " + groupName + " */");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_Line(tableHead("struct X_DBM_WHERE", "X_DBM_WHERE", groupName));
    P3109_Line("{");
    P3109_IndentIn();
    EXPR_WriteDbmWhereRows(P3109_ExpressionWriter(), whereReference(P3109_ParmField("WHERE")).c_str());
    P3109_IndentOut();
    P3109_Line("};");
    P3109_Line("");
    attach(pointerName, blockName, "pWhere", "scWhere", groupName, "struct X_DBM_WHERE");
    P3109_IndentOut();
    P3109_Line("}");
}

void P3109_EmitWhereExpressionGroups(std::string_view pointerName, std::string_view blockName,
                                     std::string& componentGroup, std::string& activityGroup)
{
    componentGroup = "Component_" + g().lineNumberText;
    activityGroup = "Activity_" + g().lineNumberText;
    const std::string reference = whereReference(P3109_ParmField("WHERE"));
    P3109_Line("");
    P3109_Line("/* Component and Activity Groups : " + componentGroup + " and " + activityGroup + " */");
    P3109_Line("{");
    P3109_IndentIn();

    P3109_Line(tableHead("struct X_DBM_EXPRESSION_COMPONENT", "X_DBM_EXPRESSION_COMPONENT", componentGroup));
    P3109_Line("{");
    P3109_IndentIn();
    EXPR_WriteDbmComponentRows(P3109_ExpressionWriter(), reference.c_str());
    P3109_IndentOut();
    P3109_Line("};");
    P3109_Line("");

    P3109_Line(tableHead("struct X_DBM_EXPRESSION_ACTIVITY", "X_DBM_EXPRESSION_ACTIVITY", activityGroup));
    P3109_Line("{");
    P3109_IndentIn();
    EXPR_WriteDbmActivityRows(P3109_ExpressionWriter(), reference.c_str());
    P3109_IndentOut();
    P3109_Line("};");
    P3109_Line("");

    attach(pointerName, blockName, "pXComponent", "scXComponent", componentGroup, "struct X_DBM_EXPRESSION_COMPONENT");
    attach(pointerName, blockName, "pXActivity", "scXActivity", activityGroup, "struct X_DBM_EXPRESSION_ACTIVITY");
    P3109_IndentOut();
    P3109_Line("}");
}

bool P3109_fWhereIsCompiled()
{
    return static_cast<unsigned char>(P3109_ParmField("WHERE")[0]) == 3 || P3109_pRoutineReference() != nullptr;
}

void P3109_EmitWhereClause(std::string_view pointerName, std::string_view blockName, bool& fToModule, bool& fInCode,
                           std::string_view, std::string_view, std::string& routine, char cMode)
{
    fToModule = fInCode = false;
    routine.clear();
    const std::string where = P3109_ParmField("WHERE");
    if (P3109_fBlankText(where))
        return;
    /* The WHERE compiled by the checker: its routine holds the tables that
    ** hand it to the I/O module when the module can evaluate it (as
    ** P3109_fWhereIsCompiled tells, from the field already read). */
    if (static_cast<unsigned char>(where[0]) == 3 || P3109_pRoutineReference() != nullptr) {
        const std::string reference = whereReference(where);
        if (cMode != 'Y' && EXPR_fRoutineHasSysVarBlock(P3109_ExpressionWriter(), reference.c_str()) == 'Y') {
            fToModule = true;
            std::string component, activity, group;
            DQOO_FCC_EnumerateRoutinePcode(reference.c_str(), noteLiteralRow, nullptr, nullptr);
            P3109_EmitWhereGroup(pointerName, blockName, group);
            P3109_EmitWhereExpressionGroups(pointerName, blockName, component, activity);
            EXPR_WriteSysVarSettings(P3109_ExpressionWriter(), reference.c_str());
            if (cMode == 'S')
                routine = conditionRoutineName(reference);
            return;
        }
        fInCode = true;
        keepInCode(pointerName, blockName);
        routine = conditionRoutineName(reference);
        warnWithoutKeys();
        return;
    }
    /* a WHERE the checker left as text is evaluated in code */
    fInCode = true;
    keepInCode(pointerName, blockName);
    routine = P3109_pszMakeEvaluationName(where, GEN_EVAL_LOGICAL, dqov::cmdparm::kWhereWidth, where, GEN_EVAL_UNNAMED,
                                          GEN_EVAL_SHARE_NAMED, 0)
                  ->name;
    warnWithoutKeys();
}

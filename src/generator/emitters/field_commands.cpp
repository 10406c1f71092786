/*
** field_commands.cpp: the commands that set field values (CHANGE,
** SUBSTRING, SET_MODE) and the tests on field values, the function mode,
** the last I/O status and the last function key (IF_NULL, IF_MODE,
** IF_STATUS, IF_KEY), with the function-mode texts of the list entry
** commands.
**
** A test whose terms match nothing the generator knows (a checker gap)
** would write an unbalanced or always-true test: it is reported (PRC1190)
** and written as a test that is never true.
*/
#include <cctype>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/components/field_initialisation.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/expressions/expr_routines.h"
#include "params/fixed_text.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

/* The field names IF_NULL tests, once the lists and groups of its FIELD
** entries are expanded. */
constexpr size_t kIfNullNames = 500;

bool cs()
{
    return P3109_fCSharp();
}

/* A constant of the commands' run-time interface: C# names it as a member
** of the class of its kind (X_CmdStr, X_PnlStr, DqooDef). */
std::string constant(const char* csClass, std::string_view name)
{
    return cs() ? std::string(csClass) + "." + std::string(name) : std::string(name);
}

std::string mode(std::string_view name)
{
    return constant("X_CmdStr", "X_FUNCTION_MODE_" + std::string(name));
}

enum ChangeClass : int16_t {
    kNull = 0,
    kNavail = 1,
    kHival = 2,
    kLoval = 3,
    kDefault = 4,
    kAllSame = 5,
    kAlpha = 6,
    kField = 7,
    kExpression = 9,
    kRememberedUser = 10,
    kRememberedFunction = 11,
    kRememberedSystem = 12,
    kRememberedUserSystem = 14,
};

struct Remembered {
    const char* keyword;
    int16_t sClass;
    const char* comment;
    const char* format;
};

/* The longest keyword first: "..._USER_IN_SYSTEM" is not "..._USER". */
constexpr Remembered kRemembered[] = {
    {"*REMEMBERED_VALUE_FOR_USER_IN_SYSTEM", kRememberedUserSystem, "Change to remembered user system value",
     "X_REMEMBER_FORMAT_USER_SYSTEM"},
    {"*REMEMBERED_VALUE_FOR_USER_AND_FUNCTION", kRememberedUser, "Change to remembered user function value",
     "X_REMEMBER_FORMAT_USER_FUNCTION"},
    {"*REMEMBERED_VALUE_FOR_USER", kRememberedUser, "Change to remembered user function value",
     "X_REMEMBER_FORMAT_USER_FUNCTION"},
    {"*REMEMBERED_VALUE_FOR_FUNCTION", kRememberedFunction, "Change to remembered function value",
     "X_REMEMBER_FORMAT_FUNCTION"},
    {"*REMEMBERED_VALUE_FOR_SYSTEM", kRememberedSystem, "Change to remembered system value",
     "X_REMEMBER_FORMAT_SYSTEM"},
};

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

/* Whether a field the CHANGE sets (a group's members too) is the I/O
** status field. */
bool changesIoStatusField()
{
    const std::string status = P3109_SpecialFieldName("IO", "STS");
    const int32_t count = std::min<int32_t>(P3109_ParmCount("FIELD"), 100);
    for (int32_t i = 0; i < count; ++i)
        for (const std::string& name : P3109_ExpandFieldName(P3109_ParmView("FIELD", 0, i))) {
            /* the description is read where it is kept, not copied */
            const GEN_FIELD_INFO* field =
                name.empty() || name[0] == ' ' ? nullptr : P3109_pFindUsedField(name, GEN_SLOT_LOOKUP_INNER, 10);
            if (field && P3109_Padded(upper(P3109_TrimRight(field->fieldName)).substr(0, 10), 10) == status)
                return true;
        }
    return false;
}

/* The literal of a CHANGE to a literal value: its text without quotes. */
std::string literalText()
{
    std::string to = P3109_Parm("TO");
    if (upper(to.substr(0, 4)) == "*ALL")
        to = to.substr(4);
    if (to.size() >= 2 && to.front() == '\'' && to.back() == '\'') {
        std::string inner;
        for (size_t i = 1; i + 1 < to.size(); ++i) {
            inner += to[i];
            if (to[i] == '\'' && i + 2 < to.size() && to[i + 1] == '\'')
                ++i;
        }
        return inner;
    }
    return to;
}

/* The evaluation routine of an expression value for one target field. */
void writeExpressionValue(const GEN_FIELD_INFO& target)
{
    const std::string value = P3109_ParmField("TO");
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool macro = !(ctx && ctx->lZophxUsed);
    GEN_EVALUATION_NODE* entry =
        P3109_pszMakeEvaluationName(upper(value.substr(0, 10)), target.cType, GEN_EVALUATION_TEXT_MAX, value,
                                    GEN_EVAL_UNNAMED, GEN_EVAL_NEW, macro ? 1 : 0);
    entry->target = target.vectorName;
    entry->lTargetLength = target.lLength;
    entry->sTargetDecimals = target.sDecimals;
    entry->cChangeKind = P3109_Parm("ROUND_UP") == "*YES" ? 'R' : 'T';
    if (P3109_ParmNumber("@PRECISION", 0) != -1) {
        entry->sChangeValue1 = static_cast<int16_t>(P3109_ParmNumber("@PRECISION", 0));
        entry->sChangeValue2 = static_cast<int16_t>(P3109_ParmNumber("@PRECISION", 1));
    }
    /* C# writes a macro entry as a routine of the class */
    if (entry->name.compare(0, 17, "EVALUATION_MACRO_") == 0 && !cs())
        P3109_Line(entry->name);
    else
        P3109_Line(entry->name + "(" + P3109_StdParms() + ");");
}

void writeChange(int16_t sClass, const GEN_FIELD_INFO& field, const GEN_FIELD_INFO& source)
{
    switch (sClass) {
    case kNull:
        P3109_WriteComment("Change to blank / zero value");
        P3109_WriteSetToBlankOrZero(field);
        break;
    case kNavail:
        P3109_WriteComment("Change to special N/A value");
        if (field.cType == 'A' && field.lLength >= 3)
            P3109_WriteSetFromVchar(field, "\"N/A\"");
        else
            P3109_WriteSetToBlankOrZero(field);
        break;
    case kHival:
        P3109_WriteComment("Change to highest value");
        P3109_WriteSetToHival(field);
        break;
    case kLoval:
        P3109_WriteComment("Change to lowest value");
        P3109_WriteSetToLoval(field);
        break;
    case kDefault:
        /* the field's default-value routine; a field without a default
           takes its type's blank or zero */
        P3109_WriteComment("Change to default value");
        P3109_WriteFieldDefault(field, true);
        break;
    case kAllSame: {
        P3109_WriteComment("Change to all same character value");
        const std::string literal = literalText();
        P3109_WriteSetToAllSame(field, literal.empty() ? ' ' : literal[0]);
        break;
    }
    case kAlpha: {
        P3109_WriteComment("Change to alpha literal value");
        const std::string literal = literalText();
        /* a field of the extended language's types (variable length,
           national characters, ...) takes the text through the vector */
        if (P3109_fNeedsZophxHandling(field))
            P3109_WriteSetFromVchar(field, P3109_MakeStringLiteral(literal));
        else
            P3109_WriteSetToAlphaLiteral(field, literal, static_cast<uint16_t>(literal.size()));
        break;
    }
    case kField:
        P3109_WriteComment("Perform a simple assignment");
        P3109_WriteFieldMove(source, field);
        break;
    case kExpression: writeExpressionValue(field); break;
    default:
        for (const Remembered& r : kRemembered)
            if (r.sClass == sClass) {
                P3109_WriteComment(r.comment);
                P3109_WriteRememberedValue(field, r.format);
                break;
            }
        break;
    }
}

/* The terms of a test joined by " || ", one a line; false when there is
** no term (reported, and a test that is never true is written). */
void writeJoinedTest(const std::vector<std::string>& terms)
{
    if (terms.empty()) {
        P3109_sIssueMessage(Msg::NoValueToTest, P3109_Padded(P3109_CurrentCommandName(), 10));
        P3109_Line(cs() ? "if ( false )" : "if ( NO )");
        P3109_Line("{");
        return;
    }
    for (size_t i = 0; i < terms.size(); ++i)
        P3109_Line((i == 0 ? "if (" : " || ") + terms[i] + (i + 1 == terms.size() ? ")" : ""));
    P3109_Line("{");
}

struct Keyword {
    const char* keyword;
    const char* text;
};

constexpr Keyword kModes[] = {{"*DISPLAY", "DISPLAY"}, {"*ADD", "ADD"}, {"*CHANGE", "CHANGE"}, {"*DELETE", "DELETE"}};

const char* modeName(const std::string& mode)
{
    for (const Keyword& k : kModes)
        if (P3109_TrimRight(mode) == k.keyword)
            return k.text;
    return nullptr;
}

constexpr Keyword kStatuses[] = {
    {"*OKAY", "X_DBM_OKAY"},
    {"*VALERROR", "X_DBM_VALIDATION_ERROR"},
    {"*ERROR", "X_DBM_FATAL_ERROR"},
    {"*NORECORD", "X_DBM_NO_RECORD"},
    {"*ENDFILE", "X_DBM_END_FILE"},
    {"*BEGINFILE", "X_DBM_BEGIN_FILE"},
    {"*NOTEQUALKEY", "X_DBM_NOT_EQUAL_KEY"},
    {"*EQUALKEY", "X_DBM_EQUAL_KEY"},
};

constexpr Keyword kKeys[] = {
    {"*ENTER", "X_UIM_OKAY_AID"},
    {"*EXIT", "X_UIM_EXIT_HI_AID"},
    {"*MENU", "X_UIM_CANCEL_AID"},
    {"*ADD", "X_UIM_CREATE_AID"},
    {"*CHANGE", "X_UIM_CHANGE_AID"},
    {"*DELETE", "X_UIM_DELETE_AID"},
    {"*ROLLUP", "\"UP\""},
    {"*ROLLDOWN", "\"DN\""},
    {"*PROMPT", "X_UIM_PROMPT_AID"},
    {"*CANCEL", "X_UIM_CANCEL_AID"},
    {"*EXITHIGH", "X_UIM_EXIT_HI_AID"},
    {"*EXITLOW", "X_UIM_EXIT_LO_AID"},
};

/* The value the last function key is compared with, empty when unknown. */
std::string keyValue(const std::string& key)
{
    for (const Keyword& k : kKeys)
        if (key == k.keyword)
            return k.text[0] == '"' ? std::string(k.text) : constant("X_PnlStr", k.text);
    if (key.size() == 9 && key.compare(0, 8, "*USERKEY") == 0 && key[8] >= '1' && key[8] <= '5')
        return P3109_Format(cs() ? "pX_Fun.UKey[%d].vchAID" : "pX_Fun->UKey[%d].vchAID", key[8] - '1');
    if (key.compare(0, 7, "*BUTTON") == 0 && key.size() > 7 && key.size() <= 9) {
        const std::string digits = key.substr(7);
        if (digits.find_first_not_of("0123456789") == std::string::npos) {
            const int n = std::atoi(digits.c_str());
            if (n >= 1 && n <= 20)
                return constant("X_PnlStr", P3109_Format("X_PNL_PUSH_BUTTON_%02d_AID", n));
        }
    }
    return {};
}

/* Whether the current list is a working list (its LISTNAME record). */
bool currentListIsWorking()
{
    FFC_CONTEXT* ctx = P3109_Context();
    const int16_t current = g().sCurrentList;
    if (!ctx || !ctx->pWorkFile || current < 0)
        return false;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_LISTNAME, FFC_WORK_KIND_LEN);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_EMITTERS_INNER, &r, 1); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_EMITTERS_INNER, &r, 1)) {
        const auto* data = reinterpret_cast<const WR_LISTNAME_DATA*>(r.acData);
        if (FIX_lDigitsToLong(data->acOrder, 4, nullptr) == current + 1)
            return data->cKind == 'W';
    }
    return false;
}

bool fieldByFieldClass(int16_t sClass)
{
    return sClass >= kNull && sClass <= kDefault;
}

/* Whether the field takes a special value from the command's compiled
** routine: one the writers cannot set, without a default routine of its
** own for *DEFAULT. */
bool setByRoutine(int16_t sClass, const GEN_FIELD_INFO& field)
{
    if (!P3109_fNeedsZophxHandling(field))
        return false;
    return sClass != kDefault ||
           !(field.defaultValue.size() >= 9 && static_cast<unsigned char>(field.defaultValue[0]) == 3);
}

/* The value for each field named (a group's members as single fields),
** each followed by the reload of the last I/O status when it is the I/O
** status field. The fields the compiled routine sets are set by one call
** of it, at the place of the first. */
void writeFieldByField(int16_t sClass, const GEN_FIELD_INFO& source, const char* routine)
{
    bool called = false;
    const int32_t count = std::min<int32_t>(P3109_ParmCount("FIELD"), 100);
    for (int32_t i = 0; i < count; ++i) {
        for (const std::string& name : P3109_ExpandFieldName(P3109_ParmView("FIELD", 0, i))) {
            /* held, not copied: the change looks its value's fields up */
            const std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldOperandField(name);
            if (!held)
                continue;
            const GEN_FIELD_INFO& field = *held;
            if (fieldByFieldClass(sClass) && setByRoutine(sClass, field)) {
                /* no routine: the check did not hand the field's value over */
                if (!routine) {
                    P3109_UnusableValue("TO", P3109_ParmField("TO"));
                    return;
                }
                if (!called)
                    EXPR_WriteCommandEvaluationCall(P3109_ExpressionWriter(), routine);
                called = true;
            } else {
                writeChange(sClass, field, source);
            }
            /* the I/O status field keeps the last I/O status of the function */
            const GEN_OUTPUT_STATE& out = P3109_State().out;
            P3109_EmitLoadIoStatusFromField(field.fieldName, out.current, static_cast<int16_t>(out.usIndent));
        }
    }
}

}  // namespace

namespace {

/* The class of the current CHANGE's value; a single field's description
** held in `source`. */
int16_t classifyChangeValue(std::shared_ptr<const GEN_FIELD_INFO>& source)
{
    /* what is compared below is the value's first 62 characters: copied out
       of the command's record, which the reads below may read again */
    const std::string_view field = P3109_ParmFieldView("TO");
    char head[62];
    const size_t size = field.size();
    const std::string_view value(head, std::min(size, sizeof head));
    if (!value.empty())  // a command without the parameter gives an empty view, which may hold no pointer
        std::memcpy(head, field.data(), value.size());
    /* the value's start is compared with the keywords, at most 51 characters */
    char upperHead[51];
    const std::string_view upperValue(upperHead, std::min(value.size(), sizeof upperHead));
    for (size_t i = 0; i < upperValue.size(); ++i)
        upperHead[i] = dqov::text::UpperChar(head[i]);
    auto startIs = [upperValue](std::string_view keyword, size_t width) {
        return upperValue.size() >= width && P3109_fPaddedIs(upperValue.substr(0, width), keyword);
    };
    /* every keyword starts with '*' */
    if (!upperValue.empty() && upperValue[0] == '*') {
        for (const Remembered& r : kRemembered)
            if (startIs(r.keyword, 51))
                return r.sClass;
        static constexpr Keyword kSpecial[] = {
            {"*NULL", ""}, {"*NAVAIL", ""}, {"*HIVAL", ""}, {"*LOVAL", ""}, {"*DEFAULT", ""}};
        for (int16_t i = 0; i < 5; ++i)
            if (startIs(kSpecial[i].keyword, 20))
                return i;
        /* the other names of blanks or zero take the same statements */
        for (std::string_view name : {"*BLANK", "*BLANKS", "*ZERO", "*ZEROS", "*ZEROES"})
            if (startIs(name, 20))
                return kNull;
    }
    const std::string_view kind = P3109_ParmView("@LITKIND");
    if (kind == "ALL")
        return kAllSame;
    if (kind == "ALP")
        return kAlpha;
    const FFC_CONTEXT* ctx = P3109_Context();
    const char marker = ctx && ctx->cNatChar1 != ' ' ? ctx->cNatChar1 : '#';
    const bool single = !value.empty() && value[0] == marker && size >= 62 &&
                        dqov::text::TrimmedRight(value.substr(10, 52)).empty();
    if (single && P3109_ParmView("ROUND_UP") != "*YES" && (source = P3109_HoldOperandField(value.substr(0, 10))))
        return kField;
    return kExpression;
}

}  // namespace

int16_t P3109_sClassifyChangeValue(GEN_FIELD_INFO& source)
{
    std::shared_ptr<const GEN_FIELD_INFO> held;
    const int16_t sClass = classifyChangeValue(held);
    if (held)
        source = *held;
    return sClass;
}

namespace {

/* Whether the FIELD list names a field group. */
bool namesGroup()
{
    const int32_t count = std::min<int32_t>(P3109_ParmCount("FIELD"), 100);
    for (int32_t i = 0; i < count; ++i) {
        const std::string name = P3109_TrimRight(P3109_ParmView("FIELD", 0, i));
        if (!name.empty() && P3109_fIsGroupName(name))
            return true;
    }
    return false;
}

}  // namespace

void P3109_EmitChange()
{
    P3109_EmitCommandPrologue();
    /* a single field's description, held: the writers below look others up */
    std::shared_ptr<const GEN_FIELD_INFO> held;
    const int16_t sClass = classifyChangeValue(held);
    const GEN_FIELD_INFO& source = P3109_FieldOrNone(held);
    /* a special value of groups or *DEFAULT comes with a routine for the
       fields the writers below cannot set (the extended language's types);
       the others are still set field by field */
    const char* reference = P3109_pRoutineReference();
    const std::string compiled = reference ? reference : "";
    if (reference && fieldByFieldClass(sClass) && (sClass == kDefault || namesGroup())) {
        writeFieldByField(sClass, source, compiled.c_str());
        return;
    }
    if (reference) {
        /* the routine, written after the function's static data, loads the
           last I/O status when it sets the I/O status field: the static
           data must hold it */
        if (changesIoStatusField())
            g().emit.cLastIoStatus = 'Y';
        EXPR_WriteCommandEvaluationCall(P3109_ExpressionWriter(), compiled.c_str());
        return;
    }
    writeFieldByField(sClass, source, nullptr);
}

void P3109_EmitSubstring()
{
    P3109_EmitCommandPrologue();
    P3109_WriteComment("Perform the requested substring");
    P3109_Line("{");
    P3109_IndentIn();
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool zoph2 = ctx && ctx->lZoph2Used;
    const char* prefix = zoph2 ? "l" : "s";
    const std::string type = cs() ? "int " : zoph2 ? "X_LONG " : "X_SHORT ";
    const std::string fromPos = std::string(prefix) + "StringFromPos", fromLen = std::string(prefix) + "StringFromLen";
    const std::string toPos = std::string(prefix) + "StringToPos", toLen = std::string(prefix) + "StringToLen";
    for (const std::string& v : {fromPos, fromLen, toPos, toLen})
        P3109_Line(type + v + (cs() ? " = 0;" : ";"));
    auto load = [zoph2](const char* keyword, const std::string& operand, const std::string& variable) {
        const std::shared_ptr<const GEN_FIELD_INFO> info = P3109_HoldRequiredField(keyword, operand);
        if (!info)
            return;
        if (zoph2)
            P3109_WriteGetLongFromPacked(*info, variable);
        else
            P3109_WriteGetShortFromPacked(*info, variable);
    };
    /* A position not given is the first; a length not given (or "*END")
       reaches to the end of the field from the position. */
    auto part = [&](const char* keyword, const std::string& pos, const std::string& len) {
        const std::shared_ptr<const GEN_FIELD_INFO> field =
            P3109_HoldRequiredField(keyword, P3109_ParmField(keyword, 0));
        const bool found = field != nullptr;
        const std::string position = P3109_ParmField(keyword, 1);
        if (P3109_TrimRight(position).empty())
            P3109_Line(pos + " = 1;");
        else
            load(keyword, position, pos);
        const std::string length = P3109_ParmField(keyword, 2);
        const std::string written = upper(P3109_TrimRight(length));
        if (written.empty() || written == "*END")
            P3109_Line(len + " = " + std::to_string((found ? field->lLength : 0) + 1) + " - " + pos + ";");
        else
            load(keyword, length, len);
        return found ? field->vectorName : std::string("V_NOT_AVAILABLE");
    };
    const std::string source = part("FIELD", fromPos, fromLen);
    const std::string target = part("INTO_FIELD", toPos, toLen);
    P3109_Line(P3109_RunTime(zoph2 ? "X_Vec_Substring2" : "X_Vec_Substring") + " (pX_Ids, pX_Pro, pX_Fun,");
    P3109_Line("                 pX_Fld," + source + "," + fromPos + "," + fromLen + ",");
    P3109_Line("                 pX_Fld," + target + "," + toPos + "," + toLen + ");");
    P3109_EmitFatalErrorTest();
    P3109_IndentOut();
    P3109_Line("}");
}

void P3109_EmitIfNull()
{
    P3109_EmitCommandPrologue();
    if (const char* reference = P3109_pRoutineReference()) {
        std::string call;
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, &call, nullptr);
        P3109_Line("if ( " + call + " )");
        P3109_Line("{");
        return;
    }
    std::vector<std::string> names;
    const int32_t count = std::min<int32_t>(P3109_ParmCount("FIELD"), 100);
    for (int32_t i = 0; i < count; ++i)
        for (const std::string& name : P3109_ExpandFieldName(P3109_ParmField("FIELD", 0, i))) {
            if (names.size() == kIfNullNames)
                P3109_ReportException();
            names.push_back(name);
        }
    std::vector<std::string> vectors;
    for (const std::string& name : names) {
        if (const GEN_FIELD_INFO* info = P3109_pFindOperandField(name))
            vectors.push_back(info->vectorName);
    }
    if (vectors.empty()) {
        writeJoinedTest({});
        return;
    }
    const std::string test = P3109_RunTime("X_Vec_Null") + "(pX_Ids,pX_Pro,pX_Fun,pX_Fld,";
    for (size_t i = 0; i < vectors.size(); ++i)
        P3109_Line((i == 0 ? "if ((" : " && (") + test + vectors[i] + ") == YES)" +
                   (i + 1 == vectors.size() ? ")" : ""));
    P3109_Line("{");
}

void P3109_EmitSetMode()
{
    P3109_EmitCommandPrologue();
    const char* mode = modeName(P3109_Parm("TO"));
    if (mode)
        P3109_Line(P3109_Deref("pX_Fun", "chMode = ") + ::mode(mode) + ";");
    else
        P3109_sIssueMessage(Msg::NoValueToTest, P3109_Padded(P3109_CurrentCommandName(), 10));
    P3109_EmitResetFunctionMode();
}

void P3109_EmitResetFunctionMode()
{
    P3109_WriteComment("Set or reset the ZOPH level mode field");
    P3109_Line(P3109_fCSharp() ? "X_RUN_DLL.X_Reset_Function_Mode (pX_Ids, pX_Pro, pX_Fun,"
                               : "X_Reset_Function_Mode (pX_Ids, pX_Pro, pX_Fun,");
    P3109_Line("                       pX_Fld, " + g().ioModeField + ");");
}

void P3109_EmitIfMode()
{
    P3109_EmitCommandPrologue();
    const int32_t count = std::min<int32_t>(P3109_ParmCount("IS"), 4);
    if (count <= 0) {
        P3109_Line("{");
        return;
    }
    std::vector<std::string> terms;
    for (int32_t i = 0; i < count; ++i)
        if (const char* mode = modeName(P3109_Parm("IS", 0, i)))
            terms.push_back(cs() ? "(pX_Fun.chMode == " + ::mode(mode) + ")"
                                 : std::string("(X_FUNCTION_MODE_IS_") + mode + ")");
    writeJoinedTest(terms);
}

void P3109_EmitIfStatus()
{
    P3109_EmitCommandPrologue();
    g().emit.cLastIoStatus = 'Y';
    std::vector<std::string> terms;
    for (const char* list : {"IS", "IS_NOT"}) {
        const int32_t count = std::min<int32_t>(P3109_ParmCount(list), 10);
        for (int32_t i = 0; i < count; ++i) {
            const std::string slot = P3109_Parm(list, 0, i);
            for (const Keyword& k : kStatuses) {
                if (slot != k.keyword)
                    continue;
                const char* op = std::strcmp(list, "IS") == 0 ? "==" : "!=";
                terms.push_back(cs()
                                    ? "(" + P3109_CSharpIoStatusTest(k.text, op) + ")"
                                    : std::string("(memcmp(INSTANCE(vchLastIOStatus),") + k.text + ",2) " + op + " 0)");
            }
        }
    }
    writeJoinedTest(terms);
}

void P3109_EmitIfKey()
{
    P3109_EmitCommandPrologue();
    std::vector<std::string> terms;
    const int32_t count = std::min<int32_t>(P3109_ParmCount("WAS"), 10);
    for (int32_t i = 0; i < count; ++i) {
        const std::string value = keyValue(P3109_Parm("WAS", 0, i));
        if (!value.empty())
            terms.push_back(cs() ? "(pX_Fun.vchLastAID == " + value + ")"
                                 : "(strcmp(pX_Fun->vchLastAID," + value + ") == 0)");
    }
    writeJoinedTest(terms);
}

std::string P3109_EmitListEntryMode(std::string_view mode)
{
    if (currentListIsWorking())
        return ::mode("DISPLAY");
    const std::string m = P3109_TrimRight(mode);
    if (m == "*SAME")
        return ::mode("SAME");
    if (m == "*CURRENT")
        return P3109_fCSharp() ? "pX_Fun.chMode" : "pX_Fun->chMode";
    if (const char* name = modeName(m))
        return ::mode(name);
    GEN_FIELD_INFO info;
    const bool found = P3109_fWrittenAsField(m) ? P3109_fRequiredField("WITH_MODE", mode, info)
                                                : P3109_fFindUsedField(mode, info);
    if (!found)
        return ::mode("UNKNOWN");
    P3109_Line(P3109_Instance("chListEntryMode") + " = " + P3109_RunTime("X_Determine_Mode") + " (pX_Ids, pX_Pro,");
    P3109_Line("                               pX_Fun, pX_Fld[" + info.vectorName + "].pField);");
    return P3109_Instance("chListEntryMode");
}

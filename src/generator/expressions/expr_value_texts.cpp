/*
** expr_value_texts.cpp: the texts that read operands in direct code: the
** typed access of a field, the value of any factor (constants, intermediate
** results, When subjects, fields), the statements an operand needs before
** its value can be read, comparison conditions and SQL-null tests.
*/
#include "generator/expressions/expr_direct_code.h"

#include <iterator>

#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"

namespace {

/* The field structure of a type letter, and its value member ("" when the
** structure itself is the value). */
struct FieldStructure {
    const char* name;
    const char* member;
    bool address; /* the value is the address of the member's first byte */
};

FieldStructure structureOf(const EXPR_OPERAND_DESCRIPTOR& d)
{
    switch (d.typeLetter) {
    case '1':
    case 'H': return {"X_FLD_CHAR", "", false};
    case '2':
    case 'B': return {"X_FLD_BINARY", "", false};
    case '3': return {"X_FLD_CLOB", "vchFileName", true};
    case '4': return {"X_FLD_BLOB", "vchFileName", true};
    case 'E': return {"X_FLD_DATE", "vchDate", false};
    case 'F':
        return d.length == 4 ? FieldStructure{"X_FLD_FLT32", "dFloat32", false}
                             : FieldStructure{"X_FLD_FLT64", "dFloat64", false};
    case 'I':
        if (d.length == 1)
            return d.unsignedInt ? FieldStructure{"X_FLD_UINT8", "uiInt8", false}
                                 : FieldStructure{"X_FLD_INT8", "iInt8", false};
        if (d.length == 2)
            return {"X_FLD_INT16", "iInt16", false};
        if (d.length == 4)
            return {"X_FLD_INT32", "iInt32", false};
        return {"X_FLD_INT64", "iInt64", false};
    case 'M': return {"X_FLD_TIME", "vchTime", false};
    case 'P': return {"X_FLD_PACKED", "fchData", true};
    case 'S': return {"X_FLD_SIGNED", "fchData", true};
    case 'U': return {"X_FLD_SHORT_CHAR", "", false};
    case 'Y': return {"X_FLD_BOOL", "fBool", false};
    case 'Z': return {"X_FLD_DATETIME", "vchDateTime", false};
    default: return {nullptr, "", false};
    }
}

/* Appends what reaches the field's data or field information: the work
** pointer of a vector element read through one or of a record member, else
** the vector element or the field table entry itself. */
void appendBase(std::string& text, const ExprFieldView& f)
{
    if (f.vector() ? f.pointerVariable : f.d.record) {
        text.append(f.full() ? "pFldInfo" : "pField").append(ExprDigits(f.n));
    } else if (f.vector()) {
        text.append("X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, ")
            .append(f.table())
            .append(", ")
            .append(f.index())
            .append(" )");
    } else {
        text.append(f.table()).append("[").append(f.index()).append("].pField");
    }
}

/* Appends the base cast to the field structure `name` points to. */
void appendCast(std::string& text, ExprCode& c, const char* name, const ExprFieldView& f)
{
    text.append("((").append(name).append(c.cs() ? ")( " : "*)( ");
    appendBase(text, f);
    text.append(" ))");
}

std::string textLiteral(ExprCode& c, const EXPR_OPERAND_NODE* node)
{
    std::string reference, declared;
    c.gen.StringConstant(EXPR_StringConstantText(node), reference, declared);
    return c.cs() ? declared : reference;
}

std::string constantText(const EXPR_OPERAND_NODE* node)
{
    return node != nullptr && node->valueText != nullptr ? node->valueText : "";
}

/* The subject variable of a routine of kind 170, or the operand-stack member
** of any other routine, that holds a When subject of the given type. */
std::string subjectText(ExprCode& c, ExprValue type, EXPR_OPERAND_NODE* node)
{
    const bool k170 = c.routine.kind == EXPR_ROUTINE_BOOLEAN_SUBJECT;
    const int32_t scale = EXPR_lOperandScale(node);
    const int32_t digits = EXPR_lOperandLength(node);
    if (type == ExprValue::String) {
        const int16_t cls = EXPR_sOperandStringClass(c.gen.Fields(), node);
        if (cls <= 3)
            return k170 ? "pvchVarCharValue" : "operandStack[1].m_String.m_VarChar";
        if (cls <= 7)
            return k170 ? "pAlphaValue" : "operandStack[1].m_String.m_Char";
        if (cls == 9)
            return k170 ? "pShortCharValue" : "operandStack[1].m_String.m_FldShortChar";
        return k170 ? "pCharValue" : "operandStack[1].m_String.m_FldChar";
    }
    const bool decimalType = type == ExprValue::Packed31 || type == ExprValue::Packed63 || type == ExprValue::Decimal;
    if (k170) {
        if (decimalType ||
            (c.iSeries() && (type == ExprValue::Long || type == ExprValue::LongLong || type == ExprValue::Double)))
            return "decValue";
        switch (type) {
        case ExprValue::Long: return "lValue";
        case ExprValue::LongLong: return "llValue";
        case ExprValue::Double: return "dValue";
        case ExprValue::Int32: return "iInt32Value";
        case ExprValue::Int64: return "iInt64Value";
        case ExprValue::Float64: return "dFlt64Value";
        case ExprValue::Boolean: return "bBooleanValue";
        case ExprValue::Date: return "chDateValue";
        case ExprValue::Time: return "chTimeValue";
        case ExprValue::DateTime: return "chDateTimeValue";
        default: return "?RetrieveSolutionFactor??";
        }
    }
    switch (type) {
    case ExprValue::Long:
    case ExprValue::LongLong:
        if (c.iSeries())
            return "*((decimal(31,0)*)( operandStack[1].m_Packed31.m_Data ))";
        return type == ExprValue::Long ? "operandStack[1].m_Int32" : "operandStack[1].m_Int64";
    case ExprValue::Double:
        if (c.iSeries())
            return EXPR_Format("*((decimal(31,%d)*)( operandStack[1].m_Packed31.m_Data ))", scale);
        return "operandStack[1].m_Double.m_Data";
    case ExprValue::Packed31:
    case ExprValue::Packed63:
    case ExprValue::Decimal:
        if (digits > 31)
            return EXPR_Format("*((decimal(63,%d)*)( operandStack[1].m_Packed63.m_Data ))", scale);
        return EXPR_Format("*((decimal(31,%d)*)( operandStack[1].m_Packed31.m_Data ))", scale);
    case ExprValue::Int32: return "operandStack[1].m_Int32";
    case ExprValue::Int64: return "operandStack[1].m_Int64";
    case ExprValue::Float64: return "operandStack[1].m_Flt64";
    case ExprValue::Boolean: return "operandStack[1].m_Boolean";
    case ExprValue::Date: return "operandStack[1].m_Date";
    case ExprValue::Time: return "operandStack[1].m_Time";
    case ExprValue::DateTime: return "operandStack[1].m_DateTime";
    default: return "?RetrieveSolutionFactor??";
    }
}

/* The work variable of an arithmetic or rounding result of a value type. */
/* "<name><n>": a numbered work variable. */
std::string numbered(const char* name, int32_t n)
{
    std::string text(name);
    text.append(ExprDigits(n));
    return text;
}

std::string arithmeticText(ExprCode& c, ExprValue type, int32_t n)
{
    switch (type) {
    case ExprValue::Long: return numbered(c.iSeries() ? "decOperand" : "lOperand", n);
    case ExprValue::LongLong: return numbered(c.iSeries() ? "decOperand" : "llOperand", n);
    case ExprValue::Double: return numbered(c.iSeries() ? "decOperand" : "dOperand", n);
    case ExprValue::Packed31:
    case ExprValue::Packed63:
    case ExprValue::Decimal: return numbered("decOperand", n);
    case ExprValue::Int32: return numbered("lOperand", n);
    case ExprValue::Int64: return numbered("llOperand", n);
    case ExprValue::Float64: return numbered("dOperand", n);
    default: return "?RetrieveSolutionFactor??";
    }
}

/* The value of a push of a constant or a null constant; "" when the opcode
** is neither. */
std::string constantValue(ExprCode& c, uint32_t opcode, EXPR_OPERAND_NODE* node)
{
    const std::string text = constantText(node);
    const bool s = c.iSeries();
    switch (opcode) {
    case 1:
    case 2:
        if (s)
            return text + "D";
        return node != nullptr && node->kind == EXPR_NODE_INT32_LOVAL ? "X_INT32_LOVAL" : text;
    case 3:
    case 4:
    case 5:
    case 6:
    case 10:
    case 11:
    case 12:
    case 13: return s ? text + "D" : text + ".0";
    case 7:
    case 8: return node != nullptr && node->kind == EXPR_NODE_INT32_LOVAL ? "X_INT32_LOVAL" : text;
    case 9:
    case 14:
        if (s)
            return text + "D";
        return node != nullptr && node->kind == EXPR_NODE_INT64_LOVAL ? "X_INT64_LOVAL" : "LL_CONST( " + text + " )";
    case 15:
    case 16:
    case 17:
    case 18:
    case 20:
    case 21:
    case 22:
    case 23: {
        const int32_t scale = EXPR_lOperandScale(node);
        if (!s)
            return scale != 0 ? text : text + ".0";
        const int32_t digits = EXPR_lOperandLength(node);
        if (digits != 0 && digits == scale)
            return EXPR_Format("( *((decimal(%d,%d)*)( \"%s\" )) )", digits, scale,
                               EXPR_PackedText(node) != nullptr ? EXPR_PackedText(node) : "");
        return text + "D";
    }
    case 25:
        // a whole constant of a float operation keeps its point, so that C and C#
        // divide it in floating point as the instruction table does, not in integers
        return !text.empty() && text.find_first_not_of("-0123456789") == std::string::npos ? text + ".0" : text;
    case 26:
    case 27:
    case 28:
    case 29: return textLiteral(c, node);
    case 32: return "TRUE";
    case 33:
    case 45: return "FALSE";
    case 34: return node != nullptr && node->booleanValue != nullptr && *node->booleanValue != 0 ? "TRUE" : "FALSE";
    case 35:
    case 36: return s ? "0D" : "0";
    case 37:
    case 38:
    case 39:
    case 40: return s ? "0D" : "0.0";
    case 41:
    case 42: return "0";
    case 43: return "0.0";
    case 46:
    case 50: return "\"\"";
    case 47: return "X_DEFAULT_DATE";
    case 48: return "X_DEFAULT_TIME";
    case 49: return "X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\"";
    default: return "";
    }
}

/* Appends the typed access of a field (EXPR_BuildFieldAccessText). */
void appendFieldAccess(std::string& text, ExprCode& c, const ExprFieldView& f);

/* The value of an instruction on a field operand. */
void fieldValue(ExprCode& c, EXPR_OPERAND_NODE* node, std::string& out)
{
    const ExprFieldView& f = EXPR_ViewField(c, node);
    if (!f.field) {
        out = "?RetrieveSolutionFactor??";
        return;
    }
    switch (f.d.typeLetter) {
    case '1':
    case '2':
    case '3':
    case '4':
    case 'A':
    case 'B':
    case 'E':
    case 'F':
    case 'H':
    case 'I':
    case 'M':
    case 'U':
    case 'Y':
    case 'Z': appendFieldAccess(out, c, f); return;
    case 'P':
        if (!c.iSeries()) {
            out = numbered(EXPR_NumericWorkPrefix(node->opcode, f.d), f.n);
            return;
        }
        out.append("*((decimal(")
            .append(ExprDigits(f.d.length))
            .append(",")
            .append(ExprDigits(f.d.decimals))
            .append(")*)( ");
        appendFieldAccess(out, c, f);
        out.append(" ))");
        return;
    case 'S':
        if (!c.iSeries()) {
            out = numbered(EXPR_NumericWorkPrefix(node->opcode, f.d), f.n);
            return;
        }
        {
            out = numbered("decOperand", f.n);
            return;
        }
    default: {
        out = "?DeclareSolutionFactor???";
        return;
    }
    }
}

}  // namespace

namespace {

/* The view of a node that views no field, and the value texts of a missing
** operand: constants of the file (a static of the functions would be
** checked for its initialisation at every call). */
const ExprFieldView kNoFieldView;
const std::string kResultText = "bResult";
const std::string kNoText;

}  // namespace

int32_t ExprCode::Number(const EXPR_OPERAND_NODE* node) const
{
    if (node == nullptr)
        return 0;
    const auto key = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(node));
    /* the nodes lie side by side, 64 bytes each: the slot is taken from the
    ** bits above a node's size, so that neighbours take different slots */
    NumberSlot& slot = numbers_[(key >> 6 ^ key >> 11) % std::size(numbers_)];
    if (slot.node != node) {
        slot.node = node;
        slot.number = EXPR_lInstructionPosition(node, &expression);
    }
    return slot.number;
}

namespace {

/* The view of an instruction not viewed yet in the variant, kept in its
** entry when it views a field (apart from the lookups of a view already
** kept, which then save no registers of their own). */
[[gnu::noinline]] const ExprFieldView& firstView(ExprCode& c, EXPR_OPERAND_NODE* node, ExprCode::Known& known)
{
    if (EXPR_fIsWhenOpcode(node->opcode) || EXPR_fIsSubjectLoad(node->opcode) ||
        node->opcode == EXPR_OP_PUSH_DISPATCH_GET_AS_SQLNULL)
        return kNoFieldView;
    known.viewed = true;
    ExprFieldView& f = known.view;
    f.field = EXPR_fDescribeWrappedOperand(c.gen.Fields(), &c.variant, &c.expression, node, f.d) != 0;
    f.n = c.Number(node);
    /* a packed or signed element read and stored through its numeric work
    ** variable (X_Vec_Get_as_ / X_Vec_Set_from_) is never addressed: a
    ** pointer to it would be set and never read */
    f.pointerVariable = f.field && f.d.array && f.n > 0 && !f.numericWork();
    return f;
}

}  // namespace

const ExprFieldView& EXPR_ViewField(ExprCode& c, EXPR_OPERAND_NODE* node)
{
    if (!EXPR_IsInstruction(node))
        return kNoFieldView;
    /* only instructions that view a field are kept */
    ExprCode::Known& known = c.known.Of(node);
    return known.viewed ? known.view : firstView(c, node, known);
}

bool EXPR_fIsResultOf(const EXPR_STATEMENT* operation, const EXPR_OPERAND_NODE* node)
{
    if (operation == nullptr)
        return false;
    if (operation->kind == EXPR_STATEMENT_OPERATION)
        return operation->result == node;
    return operation->operation == node;
}

namespace {

void appendFieldAccess(std::string& text, ExprCode& c, const ExprFieldView& f)
{
    const FieldStructure s = f.full() ? structureOf(f.d) : FieldStructure{nullptr, "", false};
    /* room for the whole text at once; "pField<n>" alone fits the string itself */
    if (s.name != nullptr || !(f.vector() ? f.pointerVariable : f.d.record))
        text.reserve(text.size() + f.table().size() + f.index().size() + 96);
    if (s.name == nullptr) {
        appendBase(text, f);
        return;
    }
    /* the member's first byte is reached by address, in C# as the member */
    const bool address = *s.member != '\0' && s.address;
    if (address)
        text.append(c.cs() ? "( " : "&( ");
    appendCast(text, c, s.name, f);
    if (*s.member == '\0')
        return;
    text.append(c.cs() ? "." : "->").append(s.member);
    if (address)
        text.append(c.cs() ? " )" : "[0] )");
}

}  // namespace

std::string EXPR_BuildFieldAccessText(ExprCode& c, const ExprFieldView& f)
{
    std::string text;
    appendFieldAccess(text, c, f);
    return text;
}

std::string EXPR_BuildFieldPointerText(ExprCode& c, const ExprFieldView& f)
{
    /* A type without a structure of its own still reaches its field state
    ** through the field information (the data pointer has no members). */
    const char* name = structureOf(f.d).name;
    std::string text;
    text.reserve(f.table().size() + f.index().size() + 96);
    appendCast(text, c, name != nullptr ? name : "X_FLD_INFO", f);
    return text;
}

namespace {

/* The value text of a factor, into `out` (which it replaces); apart from
** the lookups of a text already kept, which then save no registers of
** their own. */
[[gnu::noinline]] void factorValueText(ExprCode& c, EXPR_OPERAND_NODE* node, std::string& out)
{
    out.clear();
    if (!EXPR_IsInstruction(node)) {
        out = "?RetrieveSolutionFactor?";
        return;
    }
    const uint32_t opcode = node->opcode;
    const ExprOpTraits& t = EXPR_OpTraits(opcode);
    const int32_t n = c.Number(node);
    if (t.kind == ExprOpKind::ConstantPush || t.kind == ExprOpKind::NullPush || opcode == EXPR_OP_PUSH_NULL_50) {
        const std::string text = constantValue(c, opcode, node->operand);
        if (!text.empty()) {
            out = text;
            return;
        }
    }
    /* the coercions and the current size are held in numbered variables */
    const char* held = nullptr;
    switch (opcode) {
    case EXPR_OP_COERCE_DATE_TO_DATETIME:
    case EXPR_OP_COERCE_TIME_TO_DATETIME: held = "vchDateTime"; break;
    case EXPR_OP_COERCE_DATETIME_TO_DATE: held = "vchDate"; break;
    case EXPR_OP_COERCE_DATETIME_TO_TIME: held = "vchTime"; break;
    case EXPR_OP_COERCE_DECIMAL_TO_PRECISE_DECIMAL: held = "decOperand"; break;
    case EXPR_OP_STRING_CUR_SIZE: held = "ulCurSize"; break;
    default: break;
    }
    if (held != nullptr) {
        out = numbered(held, n);
        return;
    }
    if (EXPR_fHasBooleanResult(opcode)) {
        out = numbered("bOperand", n);
        return;
    }
    /* Rounding results are held like the arithmetic of their type. */
    if (t.kind == ExprOpKind::Arithmetic || t.kind == ExprOpKind::Round) {
        out = arithmeticText(c, t.value, n);
        return;
    }
    if (EXPR_fIsWhenOpcode(opcode) || EXPR_fIsSubjectLoad(opcode)) {
        out = subjectText(c, t.value, node);
        return;
    }
    fieldValue(c, node, out);
}

}  // namespace

const std::string& EXPR_BuildFactorValueText(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT* operation)
{
    if (node == nullptr)
        return operation != nullptr && operation->kind == EXPR_STATEMENT_OPERATION && operation->result == nullptr
                   ? kResultText
                   : kNoText;
    ExprCode::Known& known = c.known.Of(node);
    if (!known.valued) {
        /* put together in the kept string, in the room it had */
        factorValueText(c, node, known.value);
        known.valued = true;
    }
    return known.value;
}

namespace {

std::string operandLengthText(ExprCode& c, EXPR_OPERAND_NODE* node)
{
    /* an instruction that views a field was described for its view already:
       the same description, kept for the variant */
    if (EXPR_IsInstruction(node) && !EXPR_fIsWhenOpcode(node->opcode) && !EXPR_fIsSubjectLoad(node->opcode) &&
        node->opcode != EXPR_OP_PUSH_DISPATCH_GET_AS_SQLNULL) {
        const ExprFieldView& f = EXPR_ViewField(c, node);
        return f.field ? f.d.LengthText() : EXPR_BuildVarCharLengthText(node, c.cs());
    }
    EXPR_OPERAND_DESCRIPTOR d;
    if (EXPR_DescribeOperand(c.gen.Fields(), d, node) != 0)
        return d.LengthText();
    return EXPR_BuildVarCharLengthText(node, c.cs());
}

}  // namespace

const std::string& EXPR_OperandLengthText(ExprCode& c, EXPR_OPERAND_NODE* node)
{
    if (node == nullptr) {
        /* the same text for every missing operand */
        static std::string missing;
        missing = operandLengthText(c, node);
        return missing;
    }
    /* the text of a node does not change while a variant is written (a
       description's setting of the node's dispatch number, once made, is
       made again alike) */
    ExprCode::Known& known = c.known.Of(node);
    if (!known.lengthKnown) {
        known.length = operandLengthText(c, node);
        known.lengthKnown = true;
    }
    return known.length;
}

namespace {

void writeStringPreparation(ExprCode& c, const EXPR_STATEMENT& op, int32_t n)
{
    const std::string& v1 = EXPR_BuildFactorValueText(c, op.left, &op);
    const std::string& v2 = EXPR_BuildFactorValueText(c, op.right, &op);
    const long l1 = EXPR_lOperandLength(op.left), l2 = EXPR_lOperandLength(op.right);
    const std::string& t1 = EXPR_OperandLengthText(c, op.left);
    const std::string& t2 = EXPR_OperandLengthText(c, op.right);
    const std::string& longer = l1 > l2 ? t1 : t2;
    const char* memcmpName = c.cs() ? "DqooDef.X_MEMCMP" : "memcmp";
    auto pad = [&](const char* name, const std::string& fill, const std::string& value, const std::string& length) {
        if (c.cs()) {
            c.Line(EXPR_FormatInto(c.formatted, "X_DEFS.X_MEMSET( ref %s%d, X_DEFS.BLANK, %s );", name, n, fill.c_str()));
            c.Line(EXPR_FormatInto(c.formatted, "X_DEFS.X_COPYBYTES( ref %s%d, %s, %s );", name, n, value.c_str(), length.c_str()));
        } else {
            c.Line(EXPR_FormatInto(c.formatted, "memset( %s%d, BLANK, %s );", name, n, fill.c_str()));
            c.Line(EXPR_FormatInto(c.formatted, "X_CPYBYTES( %s%d, %s, %s );", name, n, value.c_str(), length.c_str()));
        }
    };
    switch (EXPR_StringCompareStrategy(c, op)) {
    case 2: {
        /* the line put together by appends: the compare of the shorter
           length, then the longer value's tail against blanks */
        const ExprDigits number(n);
        if (l2 <= l1) {
            const ExprDigits shorter(l2), tail(l1 - l2);
            c.Put({"if ( ( iCompare", number, " = ", memcmpName, "( ", v1, ", ", v2, ", ", shorter,
                   " ) ) == 0 ) iCompare", number, " = ", memcmpName, "( ( ", v1, " + ", shorter,
                   " ), X_ALPHA_BLANK_STRING, ", tail, " );"},
                  {"if ( ( iCompare", number, " = ", memcmpName, "( ", v1, ", ", v2, ", ", shorter,
                   " ) ) == 0 ) iCompare", number, " = ", memcmpName, "( ", v1, ", ", shorter,
                   ", DqooDef.X_ALPHA_BLANK_STRING, ", tail, " );"});
        } else {
            /* C# reaches the tail of the longer value through the offset form of the compare, whose
               operands are the other way round */
            const ExprDigits shorter(l1), tail(l2 - l1);
            c.Put({"if ( ( iCompare", number, " = memcmp( ", v1, ", ", v2, ", ", shorter, " ) ) == 0 ) iCompare",
                   number, " = memcmp( X_ALPHA_BLANK_STRING, ( ", v2, " + ", shorter, " ), ", tail, " );"},
                  {"if ( ( iCompare", number, " = DqooDef.X_MEMCMP( ", v1, ", ", v2, ", ", shorter,
                   " ) ) == 0 ) iCompare", number, " = -DqooDef.X_MEMCMP( ", v2, ", ", shorter,
                   ", DqooDef.X_ALPHA_BLANK_STRING, ", tail, " );"});
        }
        return;
    }
    case 3: pad("chObject", t1, v2, t2); return;
    case 4: pad("chSubject", t2, v1, t1); return;
    case 5:
        pad("chSubject", longer, v1, t1);
        pad("chObject", longer, v2, t2);
        return;
    default: return;
    }
}

void writeCurSize(ExprCode& c, const EXPR_STATEMENT& op, int32_t n)
{
    const std::string& v1 = EXPR_BuildFactorValueText(c, op.left, &op);
    switch (EXPR_sOperandStringClass(c.gen.Fields(), op.left)) {
    case 3: c.Line(EXPR_FormatInto(c.formatted, "ulCurSize%d = strlen( %s );", n, v1.c_str())); return;
    case 4:
    case 6: c.Line(EXPR_FormatInto(c.formatted, "ulCurSize%d = %s;", n, EXPR_OperandLengthText(c, op.left).c_str())); return;
    case 5:
    case 7: {
        const std::string length = EXPR_OperandLengthText(c, op.left);
        if (c.cs()) {
            c.Line(EXPR_FormatInto(c.formatted, 
                "X_VAR_DLL.X_VAR_VarChar_SetFromFixedChar( pX_Ids, pX_Pro, pX_Fun, %s, %s, ref fldChar%d );",
                v1.c_str(), length.c_str(), n));
            c.Line(EXPR_FormatInto(c.formatted, 
                "X_VAR_DLL.X_VAR_VarChar_GetCurSize( pX_Ids, pX_Pro, pX_Fun, ref fldChar%d, ref ulCurSize%d );", n, n));
            c.Line(EXPR_FormatInto(c.formatted, "X_VAR_DLL.X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, ref fldChar%d );", n));
        } else {
            c.Line(EXPR_FormatInto(c.formatted, "X_VAR_VarChar_SetFromFixedChar( pX_Ids, pX_Pro, pX_Fun, %s, %s, &fldChar%d );",
                               v1.c_str(), length.c_str(), n));
            c.Line(EXPR_FormatInto(c.formatted, "X_VAR_VarChar_GetCurSize( pX_Ids, pX_Pro, pX_Fun, &fldChar%d, &ulCurSize%d );", n, n));
            c.Line(EXPR_FormatInto(c.formatted, "X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, &fldChar%d );", n));
        }
        return;
    }
    case 8:
    case 11:
        c.Line(EXPR_FormatInto(c.formatted, "X_VAR_VarChar_GetCurSize( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)%s), &ulCurSize%d );",
                           v1.c_str(), n));
        return;
    case 9: c.Line(EXPR_FormatInto(c.formatted, "ulCurSize%d = %s->sLength;", n, v1.c_str())); return;
    default: c.Line(EXPR_FormatInto(c.formatted, "ulCurSize%d = strlen( %s );", n, v1.c_str())); return;
    }
}

void writeDispatchGet(ExprCode& c, const ExprFieldView& f)
{
    const std::string get =
        "X_VAR_GetFldDataUsingDispatchOperation( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.index() + " );";
    c.Line(c.cs() ? "X_VAR_DLL." + get : get);
    if (c.iSeries() && f.d.typeLetter == 'S')
        c.Line(EXPR_FormatInto(c.formatted, "_CPYNV( 0x03%.2x%.2x00, ((char*)( &decOperand%d )), 0x02%.2x%.2x00, ((X_CHAR*)( %s )) );",
                           f.d.decimals, f.d.length, f.n, f.d.decimals, f.d.length,
                           EXPR_BuildFieldAccessText(c, f).c_str()));
}

}  // namespace

const std::string& EXPR_WriteCompareStatements(ExprCode& c, const EXPR_STATEMENT* operation, EXPR_OPERAND_NODE* node)
{
    if (operation != nullptr && operation->kind == EXPR_STATEMENT_OPERATION && operation->operation != nullptr &&
        EXPR_fIsResultOf(operation, node)) {
        const uint32_t opcode = operation->operation->opcode;
        const ExprOpTraits& t = EXPR_OpTraits(opcode);
        const int32_t n = c.Number(operation->operation);
        if (t.kind == ExprOpKind::Compare && t.value == ExprValue::Double && !c.iSeries())
            c.Put({"dDifference", ExprDigits(n), " = ( ", EXPR_BuildFactorValueText(c, operation->left, operation),
                   " - ", EXPR_BuildFactorValueText(c, operation->right, operation), " );"});
        else if (t.kind == ExprOpKind::Compare && t.value == ExprValue::String)
            writeStringPreparation(c, *operation, n);
        else if (opcode == EXPR_OP_STRING_CUR_SIZE)
            writeCurSize(c, *operation, n);
    }
    const ExprFieldView& f = EXPR_ViewField(c, node);
    if (f.field) {
        if (!f.d.dispatch) {
            EXPR_WriteFieldPointerSetup(c, f, node, operation);
        } else if (operation != nullptr && operation->kind == EXPR_STATEMENT_OPERATION && f.d.sqlNull) {
            /* read by the operation through EXPR_WriteGetFieldDataDispatch */
        } else if (f.numericWork()) {
            EXPR_WriteFieldPointerSetup(c, f, node, operation);
        } else if (!EXPR_fIsResultOf(operation, node) && !f.d.target) {
            writeDispatchGet(c, f);
        }
    }
    return EXPR_BuildFactorValueText(c, node, operation);
}

std::string EXPR_BuildCompareText(ExprCode& c, const EXPR_STATEMENT& operation, std::string_view op,
                                  std::string_view mask)
{
    const std::string& v1 = EXPR_BuildFactorValueText(c, operation.left, &operation);
    const std::string& v2 = EXPR_BuildFactorValueText(c, operation.right, &operation);
    const int32_t n = c.Number(operation.operation);
    const std::string o(op);
    const char* memcmpName = c.cs() ? "DqooDef.X_MEMCMP" : "memcmp";
    const long l1 = EXPR_lOperandLength(operation.left), l2 = EXPR_lOperandLength(operation.right);
    /* the memcmp forms put together by appends */
    const ExprDigits number(n);
    std::string text;
    switch (EXPR_StringCompareStrategy(c, operation)) {
    case 1:
        text.append("( ").append(memcmpName).append("( ").append(v1).append(", ").append(v2).append(", ");
        text.append(ExprDigits(l1)).append(" ) ").append(o).append(" 0 )");
        return text;
    case 2: return text.append("( iCompare").append(number).append(" ").append(o).append(" 0 )");
    case 3:
        text.append("( ").append(memcmpName).append("( ").append(v1).append(", chObject").append(number);
        text.append(", ").append(EXPR_OperandLengthText(c, operation.left)).append(" ) ").append(o).append(" 0 )");
        return text;
    case 4:
        text.append("( ").append(memcmpName).append("( chSubject").append(number).append(", ").append(v2);
        text.append(", ").append(EXPR_OperandLengthText(c, operation.right)).append(" ) ").append(o).append(" 0 )");
        return text;
    case 5:
        text.append("( ").append(memcmpName).append("( chSubject").append(number).append(", chObject");
        text.append(number).append(", ").append(EXPR_OperandLengthText(c, l1 > l2 ? operation.left : operation.right));
        text.append(" ) ").append(o).append(" 0 )");
        return text;
    case 6: {
        auto triple = [&](EXPR_OPERAND_NODE* node, const std::string& v, bool first) {
            const std::string length = EXPR_OperandLengthText(c, node);
            switch (EXPR_sOperandStringClass(c.gen.Fields(), node)) {
            case 0:
            case 1:
            case 2:
                return c.cs() ? "((string) " + v + "), " + length + ", null"
                              : "((X_VCHAR*) " + v + "), " + length + ", NULL";
            case 3:
                if (c.cs())
                    return first ? v + ", ( (string)( " + v + " ) ).Length, null" : v + ", strlen( " + v + " ), null";
                return v + ", strlen( " + v + " ), NULL";
            case 8:
            case 11: return c.cs() ? "null, 0, " + v : "NULL, 0, ((X_FLD_CHAR *)" + v + ")";
            case 9: return c.cs() ? v + ".vchData, " + v + ".sLength, null" : v + "->vchData, " + v + "->sLength, NULL";
            default: return v + ", " + length + (c.cs() ? ", null" : ", NULL");
            }
        };
        return std::string(c.cs() ? "X_VAR_DLL." : "") + "X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, " +
               triple(operation.left, v1, true) + ", " + triple(operation.right, v2, false) + ", " + std::string(mask) +
               " )";
    }
    default: return EXPR_Format("( %s( %s, %s, ???? ) == 0 )", memcmpName, v1.c_str(), v2.c_str());
    }
}

int16_t EXPR_StringCompareStrategy(ExprCode& c, const EXPR_STATEMENT& comparison)
{
    if (comparison.operation == nullptr)
        return EXPR_sStringCompareStrategy(c.gen.Fields(), &comparison);
    ExprCode::Known& known = c.known.Of(comparison.operation);
    if (known.strategyOf != &comparison) {
        known.strategy = EXPR_sStringCompareStrategy(c.gen.Fields(), &comparison);
        known.strategyOf = &comparison;
    }
    return known.strategy;
}

namespace {

/* The null test of an instruction, into `text`; true when it tests the
** state of the field itself. */
bool nullTestText(ExprCode& c, EXPR_OPERAND_NODE* node, std::string& text)
{
    text.clear();
    bool ofField = false;
    const ExprFieldView& f = EXPR_ViewField(c, node);
    /* only a field held with its field information has a null state to
       test: the storage of any other is its value's bytes */
    if (f.field && f.d.sqlNull && f.full()) {
        ofField = true;
        const std::string p = EXPR_BuildFieldPointerText(c, f);
        text = c.cs() ? "( ( ( " + p + ".bFieldState ) & (int)XFIELDSTATE.FsIsSqlNull ) != 0 )"
                      : "( ( ( " + p + "->bFieldState ) & FsIsSqlNull ) != 0 )";
    } else if ((node->instructionFlags & EXPR_INSTR_FLAG_SQLNULL) != 0) {
        text.assign("bSqlnull").append(ExprDigits(c.Number(node)));
    }
    if (text.empty())
        return ofField;
    const ExprOpTraits& t = EXPR_OpTraits(node->opcode);
    const bool subject =
        (t.kind == ExprOpKind::WhenSubject && t.value != ExprValue::Variant && t.value != ExprValue::Binary) ||
        t.kind == ExprOpKind::SubjectLoad;
    if (!subject)
        return ofField;
    if (c.routine.kind == EXPR_ROUTINE_BOOLEAN_SUBJECT)
        text = c.cs() ? "( ( ulSubjectState & (int)XFIELDSTATE.FsIsSqlNull ) != 0 )"
                      : "( ( ulSubjectState & FsIsSqlNull ) != 0 )";
    else
        text = c.cs() ? "( ( operandStack[1].m_State & (int)XFIELDSTATE.FsIsSqlNull ) != 0 )"
                      : "( ( operandStack[1].m_State & FsIsSqlNull ) != 0 )";
    return ofField;
}

}  // namespace

const std::string& EXPR_BuildSqlNullTestText(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT* operation)
{
    /* only an instruction has a null test */
    if (!EXPR_IsInstruction(node))
        return kNoText;
    ExprCode::Known& known = c.known.Of(node);
    if (!known.nullTested) {
        known.nullTestOfField = nullTestText(c, node, known.nullTest);
        known.nullTested = true;
    }
    /* the operation's own result field is stored, not tested */
    if (known.nullTestOfField && EXPR_fIsResultOf(operation, node))
        return kNoText;
    return known.nullTest;
}

void EXPR_WriteGetFieldDataDispatch(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT* operation)
{
    const ExprFieldView& f = EXPR_ViewField(c, node);
    if (!f.field || !f.d.dispatch || !f.d.sqlNull)
        return;
    if (node->opcode != EXPR_OP_PUSH_DISPATCH_GET_AS_SQLNULL && f.numericWork()) {
        EXPR_WriteFieldPointerSetup(c, f, node, operation);
        return;
    }
    writeDispatchGet(c, f);
}

void EXPR_WriteVectorSet(ExprCode& c, const EXPR_STATEMENT& operation)
{
    EXPR_OPERAND_NODE* result = operation.result;
    if (!EXPR_IsInstruction(result))
        return;
    const ExprOpTraits& t = EXPR_OpTraits(result->opcode);
    if (t.kind != ExprOpKind::Pull || (t.layout != ExprLayout::Packed && t.layout != ExprLayout::Signed))
        return;
    const ExprFieldView& f = EXPR_ViewField(c, result);
    if (!f.field)
        return;
    if (c.iSeries()) {
        if (t.layout == ExprLayout::Signed)
            c.Line(EXPR_FormatInto(c.formatted, 
                "_CPYNV( 0x02%.2x%.2x00, ((X_CHAR*)( %s )), 0x03%.2x%.2x00, ((char*)( &decOperand%d )));", f.d.decimals,
                f.d.length, EXPR_BuildFieldAccessText(c, f).c_str(), f.d.decimals, f.d.length, f.n));
        EXPR_WriteVectorSetIndex(c.gen, result, f.d, c.stream, c.indent, 1);
        return;
    }
    const std::string where = f.table() + ", " + f.index();
    switch (t.value) {
    case ExprValue::Long:
    case ExprValue::Int32:
        c.Line(EXPR_FormatInto(c.formatted, "X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, %s, lOperand%d );", where.c_str(), f.n));
        return;
    case ExprValue::LongLong:
    case ExprValue::Int64:
        c.Line(EXPR_FormatInto(c.formatted, "X_Vec_Set_from_LongLong( pX_Ids, pX_Pro, pX_Fun, %s, llOperand%d );", where.c_str(), f.n));
        return;
    default:
        if (t.value == ExprValue::Float64)
            c.Line("pX_Ids->chXVecAssignOption = ((X_CHAR) 16);");
        else
            c.Line(EXPR_FormatInto(c.formatted, "pX_Ids->chXVecAssignOption = ((X_CHAR) %d);",
                               std::max(EXPR_lOperandScale(operation.left), f.d.decimals)));
        c.Line(EXPR_FormatInto(c.formatted, "X_Vec_Set_from_Double( pX_Ids, pX_Pro, pX_Fun, %s, dOperand%d );", where.c_str(), f.n));
        return;
    }
}

const std::string& EXPR_BuildDecimalCastText(ExprCode& c, const EXPR_STATEMENT& operation, const std::string& value,
                                             std::string& cast)
{
    if (!c.iSeries() || operation.operation == nullptr ||
        (operation.operation->instructionFlags & EXPR_INSTR_FLAG_DECIMAL_CAST) == 0 ||
        EXPR_lOperandLength(operation.left) >= 31)
        return value;
    return EXPR_FormatInto(cast, "((decimal(31,%d))( %s ))", EXPR_lOperandScale(operation.left), value.c_str());
}

bool EXPR_GetNativeTypeName(ExprCode& c, const EXPR_STATEMENT& operation, std::string& name)
{
    const ExprFieldView& f = EXPR_ViewField(c, operation.result);
    if (!f.field)
        return false;
    switch (f.d.typeLetter) {
    case 'F': name = f.d.length == 4 ? "X_FLT32" : "X_FLT64"; return true;
    case 'I':
        if (f.d.length == 1)
            name = f.d.unsignedInt ? "X_UINT8" : "X_INT8";
        else if (f.d.length == 2)
            name = "X_INT16";
        else if (f.d.length == 4)
            name = "X_INT32";
        else
            name = "X_INT64";
        return true;
    case 'Y': name = "X_BOOL"; return true;
    default: return false;
    }
}

std::string EXPR_HalfUnit(int32_t zeros, bool decimalSuffix)
{
    return "0." + std::string(static_cast<size_t>(std::max(zeros, 0)), '0') + "5" + (decimalSuffix ? "D" : "");
}

std::string EXPR_BuildRoundingConstant(ExprCode& c, const EXPR_STATEMENT& operation)
{
    (void)c;
    return EXPR_HalfUnit(std::max(EXPR_lOperandScale(operation.left), EXPR_lOperandScale(operation.right)), false);
}

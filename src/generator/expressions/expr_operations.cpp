/*
** expr_operations.cpp: one evaluation operation of a direct-code variant:
** its SQL-null bookkeeping in three-valued logic, the guard that gives the
** result its default when an operand is null, and the statement of the
** operation itself (logic, short-circuit blocks, When tests and subject
** loads, arithmetic with its division guard, rounding, comparisons, value
** tests and date coercions).
*/
#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"

namespace {

enum class NullMode { None, Flag, Field };

struct Operation {
    const EXPR_STATEMENT& s;
    uint32_t opcode;
    const ExprOpTraits& t;
    int32_t n; /* the operation's work number */
    /* the value texts of the operands and the result, kept by the variant's writers */
    const std::string& A;
    const std::string& B;
    const std::string& T;
    std::string R;
    NullMode mode = NullMode::None;
    const ExprFieldView* result = nullptr; /* the result's view, kept by the variant's writers */
};

const char* comparatorText(ExprComparator cmp)
{
    switch (cmp) {
    case ExprComparator::Eq: return "==";
    case ExprComparator::Lt: return "<";
    case ExprComparator::Le: return "<=";
    case ExprComparator::Gt: return ">";
    case ExprComparator::Ge: return ">=";
    case ExprComparator::Ne: return "!=";
    default: return "???";
    }
}

const char* stringMask(ExprComparator cmp, bool cs)
{
    switch (cmp) {
    case ExprComparator::Eq: return cs ? "DqooDef.X_VAR_COMPARE_MASK_EQUAL" : "X_VAR_COMPARE_MASK_EQUAL";
    case ExprComparator::Lt: return "X_VAR_COMPARE_MASK_LESS";
    case ExprComparator::Le: return "(X_VAR_COMPARE_MASK_LESS | X_VAR_COMPARE_MASK_EQUAL)";
    case ExprComparator::Gt: return "X_VAR_COMPARE_MASK_GREATER";
    case ExprComparator::Ge: return "(X_VAR_COMPARE_MASK_GREATER | X_VAR_COMPARE_MASK_EQUAL)";
    case ExprComparator::Ne:
        return cs ? "(DqooDef.X_VAR_COMPARE_MASK_LESS | DqooDef.X_VAR_COMPARE_MASK_GREATER)"
                  : "(X_VAR_COMPARE_MASK_LESS | X_VAR_COMPARE_MASK_GREATER)";
    default: return "0";
    }
}

bool isCompleteForm(const Operation& o)
{
    if (o.opcode >= EXPR_OP_LOGICAL_BEGIN_ORIF && o.opcode <= EXPR_OP_LOGICAL_END_ANDIF)
        return true;
    if (o.t.kind == ExprOpKind::SubjectLoad)
        return true;
    if (o.t.kind != ExprOpKind::WhenTrue && o.t.kind != ExprOpKind::WhenAllFalse)
        return false;
    return o.t.value != ExprValue::Variant && o.t.value != ExprValue::Binary;
}

/* The result's field, unless it is a packed or signed field outside the
** iSeries variant (whose store goes through its numeric work variable). */
bool resultTakesStateWork(const ExprFieldView& f)
{
    return f.field && !f.numericWork();
}

void bitClear(ExprCode& c, Operation& o)
{
    EXPR_WriteClearSqlNull(c, *o.result, o.s.result, o.result->numericWork() ? 0 : 1);
}

void writeGuard(ExprCode& c, Operation& o)
{
    if (o.mode == NullMode::Field) {
        c.Put({"if ( ", o.R, " )"});
        c.Open();
        EXPR_WriteFieldClear(c, o.s.result, *o.result, 1);
        c.Close();
        c.Line("else");
        c.Open();
        return;
    }
    if (o.mode != NullMode::Flag)
        return;
    const std::string& R = o.R;
    const std::string& T = o.T;
    constexpr std::string_view datetime =
        "X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\", X_MAX_SIZE_DATETIME_LEN );";
    const ExprOpKind k = o.t.kind;
    if (o.opcode == EXPR_OP_COERCE_DATE_TO_DATETIME || o.opcode == EXPR_OP_COERCE_TIME_TO_DATETIME)
        c.Put({"if ( ", R, " ) X_CPYBYTES( ", T, ", ", datetime},
              {"if ( ", R, " ) DqooDef.X_CPYBYTES( ref ", T, ", ", datetime});
    else if (o.opcode == EXPR_OP_COERCE_DATETIME_TO_DATE)
        c.Put({"if ( ", R, " ) X_CPYBYTES( ", T, ", X_DEFAULT_DATE, X_MAX_SIZE_DATE_LEN );"},
              {"if ( ", R, " ) DqooDef.X_CPYBYTES( ", T, ", X_DEFAULT_DATE, X_MAX_SIZE_DATE_LEN );"});
    else if (o.opcode == EXPR_OP_COERCE_DATETIME_TO_TIME)
        c.Put({"if ( ", R, " ) X_CPYBYTES( ", T, ", X_DEFAULT_TIME, X_MAX_SIZE_TIME_LEN );"},
              {"if ( ", R, " ) DqooDef.X_CPYBYTES( ", T, ", X_DEFAULT_TIME, X_MAX_SIZE_TIME_LEN );"});
    else if (o.opcode == EXPR_OP_COERCE_DECIMAL_TO_PRECISE_DECIMAL || o.opcode == EXPR_OP_STRING_CUR_SIZE ||
             (k == ExprOpKind::Arithmetic && o.t.value != ExprValue::Variant))
        c.Put({"if ( ", R, " ) ", T, " = 0;"});
    else
        c.Put({"if ( ", R, " ) ", T, " = FALSE;"});
    c.Line("else");
    c.Open();
}

void writeShortCircuitEnd(ExprCode& c, Operation& o)
{
    const bool orif = o.opcode == EXPR_OP_LOGICAL_END_ORIF;
    const std::string& T = o.T;
    const bool stateField = o.result->field && EXPR_BuildFieldStateText(c.gen.Fields(), o.s.result, nullptr) != 0;
    switch (o.mode) {
    case NullMode::None:
        c.Put({T, " = ", o.B, ";"});
        bitClear(c, o);
        c.Close();
        if (stateField) {
            c.Line("else");
            c.Open();
            c.Put({T, (orif ? " = TRUE;" : " = FALSE;")});
            bitClear(c, o);
            c.Close();
        } else {
            c.Put({"else ", T, (orif ? " = TRUE;" : " = FALSE;")});
        }
        return;
    case NullMode::Flag:
        c.Put({T, " = ( ( ", o.R, " ) ? FALSE : ", o.B, " );"});
        bitClear(c, o);
        c.Close();
        c.Put({"else ", T, (orif ? " = TRUE;" : " = FALSE;")});
        return;
    case NullMode::Field:
        c.Put({"if ( ", o.R, " )"});
        c.Open();
        EXPR_WriteFieldClear(c, o.s.result, *o.result, 1);
        c.Close();
        c.Line("else");
        c.Open();
        c.Put({T, " = ", o.B, ";"});
        bitClear(c, o);
        c.Close();
        c.Close();
        if (orif) {
            c.Line("else");
            c.Open();
            c.Put({T, " = TRUE;"});
            bitClear(c, o);
            c.Close();
            return;
        }
        c.Put({"else if ( ", EXPR_BuildSqlNullTestText(c, o.s.left, &o.s), " )"});
        c.Open();
        EXPR_WriteFieldClear(c, o.s.result, *o.result, 1);
        c.Close();
        c.Line("else");
        c.Open();
        c.Put({T, " = FALSE;"});
        bitClear(c, o);
        c.Close();
        return;
    }
}

void writeWhenTest(ExprCode& c, Operation& o)
{
    const bool cs = c.cs();
    if (o.t.kind == ExprOpKind::WhenTrue) {
        if (o.t.value != ExprValue::String) {
            c.Put({"if ( ", o.A, " ) return TRUE;"});
            return;
        }
        if (EXPR_sOperandStringClass(c.gen.Fields(), o.s.operation) == 11)
            c.Put({"if ( ", o.A,
                   " ) { X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, operandStack[1].m_String.m_FldChar ); "
                   "return TRUE; }"},
                  {"if ( ", o.A,
                   " ) { X_VAR_DLL.X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, "
                   "operandStack[1].m_String.m_FldChar ); return true; }"});
        else
            c.Put({"if ( ", o.A, " ) return TRUE;"}, {"if ( ", o.A, " ) return true;"});
        return;
    }
    if (o.t.value == ExprValue::String && EXPR_sOperandStringClass(c.gen.Fields(), o.s.operation) == 11)
        c.Put({std::string(cs ? "X_VAR_DLL." : ""),
               "X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, operandStack[1].m_String.m_FldChar );"});
}

void writeSubjectLoad(ExprCode& c, Operation& o)
{
    EXPR_WriteCompareStatements(c, &o.s, o.s.left);
    const std::string& N = EXPR_BuildSqlNullTestText(c, o.s.left, &o.s);
    const std::string& T = EXPR_BuildFactorValueText(c, o.s.operation, &o.s);
    if (c.routine.kind == EXPR_ROUTINE_BOOLEAN_SUBJECT) {
        if (!N.empty())
            c.Put({"ulSubjectState = ( ( ", N, " ) ? FsIsSqlNull : 0 );"});
    } else {
        c.Line("operandStack[0].m_State = 0;");
        c.Line("operandStack[0].m_Boolean = FALSE;");
        c.Line(N.empty() ? "operandStack[1].m_State = 0;"
                         : "operandStack[1].m_State = ( ( " + N + " ) ? FsIsSqlNull : 0 );");
        const int32_t decimals = EXPR_lOperandScale(o.s.operation);
        const ExprValue v = o.t.value;
        if (c.iSeries() &&
            (v == ExprValue::Double || v == ExprValue::Packed31 || v == ExprValue::Packed63 || v == ExprValue::Decimal))
            c.Line(EXPR_FormatInto(c.formatted, EXPR_lOperandLength(o.s.operation) > 31 ? "operandStack[1].m_Packed63.m_Decimals = %d;"
                                                                       : "operandStack[1].m_Packed31.m_Decimals = %d;",
                               decimals));
        else if (v == ExprValue::Double)
            c.Line(EXPR_FormatInto(c.formatted, "operandStack[1].m_Double.m_Decimals = %d;", decimals));
        if (v == ExprValue::String) {
            switch (EXPR_sOperandStringClass(c.gen.Fields(), o.s.left)) {
            case 3: c.Line("operandStack[1].m_String.m_Type = X_VAR_STACK_STRING_ELEMENT_TYPE_VAR_CHAR;"); break;
            case 9: c.Line("operandStack[1].m_String.m_Type = X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_SHORT_CHAR;"); break;
            case 8:
            case 11: c.Line("operandStack[1].m_String.m_Type = X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_CHAR;"); break;
            default:
                c.Line("operandStack[1].m_String.m_Type = X_VAR_STACK_STRING_ELEMENT_TYPE_CHAR;");
                c.Put({"operandStack[1].m_String.m_Length = ", EXPR_BuildVarCharLengthText(o.s.left, c.cs()), ";"});
                break;
            }
        }
    }
    switch (o.t.value) {
    case ExprValue::Date: c.Put({"memcpy( ", T, ", ", o.A, ", X_MAX_SIZE_DATE_LEN );"}); return;
    case ExprValue::Time: c.Put({"memcpy( ", T, ", ", o.A, ", X_MAX_SIZE_TIME_LEN );"}); return;
    case ExprValue::DateTime: c.Put({"memcpy( ", T, ", ", o.A, ", X_MAX_SIZE_DATETIME_LEN );"}); return;
    default: c.Put({T, " = ", o.A, ";"}); return;
    }
}

void writeCompleteForm(ExprCode& c, Operation& o)
{
    switch (o.opcode) {
    case EXPR_OP_LOGICAL_BEGIN_ORIF:
        c.Put({"if ( !( ", o.A, " ) )"});
        c.Open();
        return;
    case EXPR_OP_LOGICAL_BEGIN_ANDIF:
        c.Put({"if ( ", o.A, " )"});
        c.Open();
        return;
    case EXPR_OP_LOGICAL_END_ORIF:
    case EXPR_OP_LOGICAL_END_ANDIF: writeShortCircuitEnd(c, o); return;
    default: break;
    }
    if (o.t.kind == ExprOpKind::SubjectLoad)
        writeSubjectLoad(c, o);
    else
        writeWhenTest(c, o);
}

void writeArithmetic(ExprCode& c, Operation& o)
{
    std::string decimalCast;
    const std::string& A = EXPR_BuildDecimalCastText(c, o.s, o.A, decimalCast);
    std::string cast;
    const bool typed = EXPR_GetNativeTypeName(c, o.s, cast);
    const char* op = o.t.arith == ExprArith::Plus       ? "+"
                     : o.t.arith == ExprArith::Minus    ? "-"
                     : o.t.arith == ExprArith::Multiply ? "*"
                                                        : "/";
    /* T = ((cast)( A op B )), or T = ( A op B ); a division tests B first */
    if (o.t.arith != ExprArith::Divide) {
        if (typed)
            c.Put({o.T, " = ((", cast, ")( ", A, " ", op, " ", o.B, " ));"});
        else
            c.Put({o.T, " = ( ", A, " ", op, " ", o.B, " );"});
        return;
    }
    if (typed)
        c.Put({"if ( ", o.B, " != 0 ) ", o.T, " = ((", cast, ")( ", A, " ", op, " ", o.B, " ));"});
    else
        c.Put({"if ( ", o.B, " != 0 ) ", o.T, " = ( ", A, " ", op, " ", o.B, " );"});
    c.Line("else");
    c.Line("{");
    const ExprDigits number(c.routine.number);
    c.Put({"   X_Fatal_Error( pX_Ids, pX_Pro, pX_Fun, \"Evaluation ", number, "\", X_TEXT(11) );"},
          {"   X_RUN_DLL.X_Fatal_Error( pX_Ids, pX_Pro, pX_Fun, \"Evaluation ", number,
           "\", X_RUN_DLL.X_TEXT(11), \"\" );"});
    c.Put({"   ", o.T, " = 0;"});
    c.Line("}");
}

void writeRounding(ExprCode& c, Operation& o)
{
    const int32_t dR = EXPR_lOperandScale(o.s.result), dL = EXPR_lOperandScale(o.s.left);
    std::string cast;
    const bool typed = EXPR_GetNativeTypeName(c, o.s, cast);
    /* a floating-point value has no scale of its own: it is always moved
    ** by half a unit of the result, with a binary constant */
    const bool floating = o.t.value == ExprValue::Float64;
    if (dR < dL || floating) {
        const std::string K = EXPR_HalfUnit(dR, c.iSeries() && !floating);
        const std::string sum = "( " + o.A + " + ( ( " + o.A + " < 0 ) ? -" + K + " : " + K + " ) )";
        c.Line(typed ? o.T + " = ((" + cast + ")( " + sum + " ));" : o.T + " = " + sum + ";");
        return;
    }
    c.Line(typed ? o.T + " = ((" + cast + ") " + o.A + ");" : o.T + " = " + o.A + ";");
}

void writeComparison(ExprCode& c, Operation& o)
{
    const std::string cmp = comparatorText(o.t.comparator);
    switch (o.t.value) {
    case ExprValue::Double:
        if (!c.iSeries()) {
            /* the difference within the rounding constant K (eq) or outside it
               (ne), and the plain comparison of its first character (ab) */
            const std::string K = EXPR_BuildRoundingConstant(c, o.s);
            const ExprDigits n(o.n);
            const std::string_view first = std::string_view(cmp).substr(0, 1);
            switch (o.t.comparator) {
            case ExprComparator::Eq:
                c.Put({o.T, " = ( ( dDifference", n, " >= -", K, " ) && ( dDifference", n, " <= +", K, " ) );"});
                return;
            case ExprComparator::Ne:
                c.Put({o.T, " = ( ( dDifference", n, " < -", K, " ) || ( dDifference", n, " > +", K, " ) );"});
                return;
            case ExprComparator::Lt:
            case ExprComparator::Gt:
                c.Put({o.T, " = ( ( ( dDifference", n, " < -", K, " ) || ( dDifference", n, " > +", K, " ) ) && ( ",
                       o.A, " ", first, " ", o.B, " ) );"});
                return;
            default:
                c.Put({o.T, " = ( ( ( dDifference", n, " >= -", K, " ) && ( dDifference", n, " <= +", K, " ) ) || ( ",
                       o.A, " ", first, " ", o.B, " ) );"});
                return;
            }
        }
        break;
    case ExprValue::Date:
    case ExprValue::Time:
    case ExprValue::DateTime: {
        const int length = o.t.value == ExprValue::Date ? 10 : o.t.value == ExprValue::Time ? 8 : 29;
        c.Line(EXPR_FormatInto(c.formatted, "%s = ( %s( %s, %s, %d ) %s 0 );", o.T.c_str(), c.cs() ? "DqooDef.X_MEMCMP" : "memcmp",
                           o.A.c_str(), o.B.c_str(), length, cmp.c_str()));
        return;
    }
    case ExprValue::String:
        c.Put({o.T, " = ", EXPR_BuildCompareText(c, o.s, cmp, stringMask(o.t.comparator, c.cs())), ";"});
        return;
    default: break;
    }
    c.Put({o.T, " = ( ", o.A, " ", cmp, " ", o.B, " );"});
}

void writeStringNullTest(ExprCode& c, Operation& o)
{
    const std::string L = EXPR_BuildVarCharLengthText(o.s.left, c.cs());
    const std::string& T = o.T;
    const std::string& A = o.A;
    switch (EXPR_sOperandStringClass(c.gen.Fields(), o.s.left)) {
    case 4:
    case 5:
    case 6:
    case 7:
        c.Put({T, " = ( memcmp( ", A, ", X_ALPHA_BLANK_STRING, ", L, " ) == 0 );"},
              {T, " = ( DqooDef.X_MEMCMP( ", A, ", DqooDef.X_ALPHA_BLANK_STRING, ", L, " ) == 0 );"});
        return;
    case 3:
        c.Put({T, " = X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, ", A, ", strlen( ", A,
               " ), pX_NULL, \"\", 0, pX_NULL, X_VAR_COMPARE_MASK_EQUAL );"});
        return;
    case 9:
        c.Put({T, " = X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, ", A, "->vchData, ", A,
               "->sLength, pX_NULL, \"\", 0, pX_NULL, X_VAR_COMPARE_MASK_EQUAL );"});
        return;
    case 8:
    case 11:
        c.Put({T, " = X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, pX_NULL, 0, ((X_FLD_CHAR *)", A,
               "), \"\", 0, pX_NULL, X_VAR_COMPARE_MASK_EQUAL );"},
              {T, " = X_VAR_DLL.X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, null, 0, ", A,
               ", \"\", 0, null, DqooDef.X_VAR_COMPARE_MASK_EQUAL );"});
        return;
    default:
        c.Put({T, " = X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, ", A, ", ", L,
               ", pX_NULL, \"\", 0, pX_NULL, X_VAR_COMPARE_MASK_EQUAL );"},
              {T, " = X_VAR_DLL.X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, ", A, ", ", L,
               ", null, \"\", 0, null, DqooDef.X_VAR_COMPARE_MASK_EQUAL );"});
        return;
    }
}

/* The value tests (the language's *NULL value); false for other kinds. */
bool writeValueTest(ExprCode& c, Operation& o)
{
    const std::string& T = o.T;
    const std::string& A = o.A;
    const char* memcmpName = c.cs() ? "DqooDef.X_MEMCMP" : "memcmp";
    auto zero = [&](const char* value) { c.Put({T, " = ( ", A, " == ", value, " );"}); };
    auto defaultCompare = [&](const char* value, const char* length) {
        c.Line(EXPR_FormatInto(c.formatted, "%s = ( %s( %s, %s, %s ) == 0 );", T.c_str(), memcmpName, A.c_str(), value, length));
    };
    switch (o.opcode) {
    case EXPR_OP_STRING_IS_NULL: writeStringNullTest(c, o); return true;
    case EXPR_OP_DATE_IS_NULL: defaultCompare("X_DEFAULT_DATE", "X_MAX_SIZE_DATE_LEN"); return true;
    case EXPR_OP_TIME_IS_NULL: defaultCompare("X_DEFAULT_TIME", "X_MAX_SIZE_TIME_LEN"); return true;
    case EXPR_OP_DATETIME_IS_NULL:
        defaultCompare("X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\"", "X_MAX_SIZE_DATETIME_LEN");
        return true;
    case EXPR_OP_BOOLEAN_IS_TRUE: c.Put({T, " = ", A, ";"}); return true;
    case EXPR_OP_BOOLEAN_IS_FALSE:
    case EXPR_OP_BOOLEAN_IS_NULL: zero("FALSE"); return true;
    default: break;
    }
    if (o.t.kind != ExprOpKind::IsNull)
        return false;
    switch (o.t.value) {
    case ExprValue::Long:
    case ExprValue::LongLong:
    case ExprValue::Packed31:
    case ExprValue::Packed63:
    case ExprValue::Decimal: zero(c.iSeries() ? "0D" : "0"); return true;
    case ExprValue::Double: zero(c.iSeries() ? "0D" : "0.0"); return true;
    case ExprValue::Int32:
    case ExprValue::Int64: zero("0"); return true;
    case ExprValue::Float64: zero("0.0"); return true;
    case ExprValue::Date: defaultCompare("X_DEFAULT_DATE", "X_MAX_SIZE_DATE_LEN"); return true;
    case ExprValue::Time: defaultCompare("X_DEFAULT_TIME", "X_MAX_SIZE_TIME_LEN"); return true;
    case ExprValue::DateTime:
        defaultCompare("X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\"", "X_MAX_SIZE_DATETIME_LEN");
        return true;
    case ExprValue::Boolean: zero("FALSE"); return true;
    case ExprValue::String: writeStringNullTest(c, o); return true;
    default: return false;
    }
}

void writeKind(ExprCode& c, Operation& o)
{
    const std::string& T = o.T;
    const std::string& A = o.A;
    switch (o.opcode) {
    case EXPR_OP_LOGICAL_NOT: c.Put({T, " = !( ", A, " );"}); return;
    case EXPR_OP_LOGICAL_OR: c.Put({T, " = ( ", A, " || ", o.B, " );"}); return;
    case EXPR_OP_LOGICAL_AND: c.Put({T, " = ( ", A, " && ", o.B, " );"}); return;
    case EXPR_OP_LOGICAL_IS_SQLNULL:
    case EXPR_OP_LOGICAL_IS_NOT_SQLNULL: {
        const bool is = o.opcode == EXPR_OP_LOGICAL_IS_SQLNULL;
        const std::string& N = EXPR_BuildSqlNullTestText(c, o.s.left, &o.s);
        if (N.empty())
            c.Put({T, (is ? " = FALSE;" : " = TRUE;")});
        else
            c.Line(is ? T + " = " + N + ";" : T + " = !( " + N + " );");
        return;
    }
    case EXPR_OP_COERCE_DECIMAL_TO_PRECISE_DECIMAL:
        c.Line(EXPR_FormatInto(c.formatted, "decOperand%d = %s;", o.n, A.c_str()));
        if (o.s.result != o.s.operation)
            c.Line(EXPR_FormatInto(c.formatted, "%s = decOperand%d;", T.c_str(), o.n));
        return;
    case EXPR_OP_STRING_CUR_SIZE:
        if (o.s.result != o.s.operation)
            c.Line(EXPR_FormatInto(c.formatted, "%s = ulCurSize%d;", T.c_str(), o.n));
        return;
    case EXPR_OP_COERCE_DATE_TO_DATETIME:
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", 10 );"});
        c.Put({"X_CPYBYTES( &(", T, "[10]), \" \" X_DEFAULT_TIME \".000000000\", 20 );"});
        return;
    case EXPR_OP_COERCE_TIME_TO_DATETIME:
        c.Put({"X_CPYBYTES( ", T, ", X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\", X_MAX_SIZE_DATETIME_LEN );"});
        c.Put({"X_CPYBYTES( &(", T, "[11]), ", A, ", 8 );"});
        return;
    case EXPR_OP_COERCE_DATETIME_TO_DATE:
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", 10 );"});
        c.Put({T, "[10] = END_OF_STRING;"});
        return;
    case EXPR_OP_COERCE_DATETIME_TO_TIME:
        c.Put({"X_CPYBYTES( ", T, ", &(", A, "[11]), 8 );"});
        c.Put({T, "[8] = END_OF_STRING;"});
        return;
    case EXPR_OP_PLAIN_OPERATION: return;
    default: break;
    }
    const ExprOpKind k = o.t.kind;
    if (k == ExprOpKind::Arithmetic && o.t.value != ExprValue::Variant) {
        writeArithmetic(c, o);
        return;
    }
    if (k == ExprOpKind::Round && o.t.value != ExprValue::Variant) {
        writeRounding(c, o);
        return;
    }
    if (k == ExprOpKind::Compare && o.t.value != ExprValue::Variant && o.t.value != ExprValue::Binary) {
        writeComparison(c, o);
        return;
    }
    if (writeValueTest(c, o))
        return;
    if (o.s.operation == o.s.left)
        c.Put({T, " = ", A, ";"});
    else if (o.s.right != nullptr)
        c.Put({T, " ??? ( ", A, " ??? ", o.B, " );"});
    else
        c.Put({T, " ??? ", A, ";"});
}

}  // namespace

void EXPR_WriteSqlNullResultLogic(ExprCode& c, const EXPR_STATEMENT& s, std::string& R)
{
    R.clear();
    if (s.operation == nullptr)
        return;
    /* the texts are kept by the variant's writers (empty for a missing operand) */
    const std::string& NL = EXPR_BuildSqlNullTestText(c, s.left, &s);
    const std::string& NR = EXPR_BuildSqlNullTestText(c, s.right, &s);
    const ExprFieldView& result = EXPR_ViewField(c, s.result);
    if (s.result == nullptr || result.field)
        R = (s.operation->instructionFlags & EXPR_INSTR_FLAG_SQLNULL) != 0 ? "bSqlnullResult" : "";
    else
        R = EXPR_BuildSqlNullTestText(c, s.result, &s);
    if (R.empty() || s.operation->kind != EXPR_TAG_INSTRUCTION)
        return;
    const std::string& VL = EXPR_BuildFactorValueText(c, s.left, &s);
    const std::string& VR = EXPR_BuildFactorValueText(c, s.right, &s);
    const bool l = !NL.empty(), r = !NR.empty();
    /* the result flag cleared: put together only where it is written */
    const auto none = [&c, &R]() { c.Put({R, " = FALSE;"}); };
    /* the result flag copied from one side's null flag, when that side has one */
    const auto copied = [&c, &R, &none](bool has, const std::string& N) {
        if (has)
            c.Put({R, " = ", N, ";"});
        else
            none();
    };
    switch (s.operation->opcode) {
    case EXPR_OP_LOGICAL_OR:
        if (l && r)
            c.Put({R, " = ( ", NL, " & ( ", NR, " | !( ", VR, " ) ) ) | ( ", NR, " & !( ", VL, " ) );"});
        else if (l)
            c.Put({R, " = ( ", NL, " & !( ", VR, " ) );"});
        else if (r)
            c.Put({R, " = ( ", NR, " & !( ", VL, " ) );"});
        else
            none();
        return;
    case EXPR_OP_LOGICAL_AND:
        if (l && r)
            c.Put({R, " = ( ", NL, " & ( ", NR, " | ", VR, " ) ) | ( ", NR, " & ", VL, " );"});
        else if (l)
            c.Put({R, " = ( ", NL, " & ", VR, " );"});
        else if (r)
            c.Put({R, " = ( ", NR, " & ", VL, " );"});
        else
            none();
        return;
    case EXPR_OP_LOGICAL_BEGIN_ORIF:
    case EXPR_OP_LOGICAL_BEGIN_ANDIF: copied(l, NL); return;
    case EXPR_OP_LOGICAL_END_ORIF:
        if (l && r)
            c.Put({R, " = ( ", NL, " & ( ", NR, " | !( ", VR, " ) ) ) | ( ", NR, " );"});
        else if (l)
            c.Put({R, " = ( ", NL, " & !( ", VR, " ) );"});
        else if (r)
            c.Put({R, " = ", NR, ";"});
        else
            none();
        return;
    case EXPR_OP_LOGICAL_END_ANDIF: copied(r, NR); return;
    case EXPR_OP_LOGICAL_IS_SQLNULL:
    case EXPR_OP_LOGICAL_IS_NOT_SQLNULL: none(); return;
    default:
        if (l && r)
            c.Put({R, " = ( ", NL, " | ", NR, " );"});
        else if (l)
            c.Put({R, " = ", NL, ";"});
        else if (r)
            c.Put({R, " = ", NR, ";"});
        else
            none();
        return;
    }
}

void EXPR_WriteOperation(ExprCode& c, const EXPR_STATEMENT& s)
{
    EXPR_OPERAND_NODE* op = s.operation;
    if (op == nullptr)
        return;
    Operation o{s,
                op->opcode,
                EXPR_OpTraits(op->opcode),
                c.Number(op),
                EXPR_BuildFactorValueText(c, s.left, &s),
                EXPR_BuildFactorValueText(c, s.right, &s),
                EXPR_BuildFactorValueText(c, s.result, &s),
                {},
                NullMode::None,
                {}};
    if (op->kind != EXPR_TAG_INSTRUCTION) {
        c.Line(EXPR_FormatInto(c.formatted, "Unknown evaluation operation kind %ld", static_cast<long>(op->kind)));
        return;
    }
    EXPR_WriteGetFieldDataDispatch(c, s.left, &s);
    EXPR_WriteGetFieldDataDispatch(c, s.right, &s);
    EXPR_WriteSqlNullResultLogic(c, s, o.R);
    o.result = &EXPR_ViewField(c, s.result);
    if (!o.R.empty())
        o.mode = o.result->field && EXPR_BuildFieldStateText(c.gen.Fields(), s.result, nullptr) != 0 ? NullMode::Field
                                                                                                     : NullMode::Flag;
    const bool complete = isCompleteForm(o);
    if (complete) {
        writeCompleteForm(c, o);
    } else {
        writeGuard(c, o);
        /* the texts read again are the kept ones already in o */
        EXPR_WriteCompareStatements(c, &s, s.left);
        EXPR_WriteCompareStatements(c, &s, s.right);
        EXPR_WriteCompareStatements(c, &s, s.result);
        writeKind(c, o);
    }

    const bool guarded = !complete && o.mode != NullMode::None;
    if (guarded && o.mode == NullMode::Flag)
        c.Close();
    EXPR_WriteVectorSet(c, s);
    if (resultTakesStateWork(*o.result)) {
        if (!complete && o.mode != NullMode::Flag)
            EXPR_WriteClearSqlNull(c, *o.result, s.result, 1);
        EXPR_WriteSetFieldDataDispatch(c.gen, o.result->d, s.result, c.stream, c.indent, 1);
    }
    if (guarded && o.mode == NullMode::Field)
        c.Close();
}

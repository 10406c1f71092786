/*
** expr_assignments.cpp: an expression result stored into a field (by the
** target's layout and the source's value type, guarded against an SQL-null
** source), clearing a field to its empty value or to SQL null, and
** clearing a field's SQL-null state bit.
*/
#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"

namespace {

/* The operand and target texts of one assignment, with the source and
   target lengths as text and as numbers. */
struct Texts {
    std::string A, B, T, LSt, LTt;
    long LS = 0, LT = 0;
};

void decimalTargetStore(ExprCode& c, const ExprOpTraits& t, const ExprFieldView& target, const EXPR_STATEMENT& s,
                        const Texts& x)
{
    const std::string where = target.table() + ", " + target.index();
    if (c.iSeries()) {
        if (t.layout == ExprLayout::Packed) {
            c.Line(EXPR_FormatInto(c.formatted, "*((decimal(%d,%d)*)( %s )) = %s;", target.d.length, target.d.decimals, x.T.c_str(),
                               x.A.c_str()));
            return;
        }
        c.Put({x.B, " = ", x.A, ";"});
        c.Line(EXPR_FormatInto(c.formatted, "_CPYNV( 0x02%.2x%.2x00, ((X_CHAR*)( %s )), 0x03%.2x%.2x00, ((char*)( &%s )) );",
                           target.d.decimals, target.d.length, x.T.c_str(), target.d.decimals, target.d.length,
                           x.B.c_str()));
        return;
    }
    switch (t.value) {
    case ExprValue::Long:
    case ExprValue::Int32: c.Put({"X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, ", where, ", ", x.A, " );"}); return;
    case ExprValue::LongLong:
    case ExprValue::Int64:
        c.Put({"X_Vec_Set_from_LongLong( pX_Ids, pX_Pro, pX_Fun, ", where, ", ", x.A, " );"});
        return;
    default:
        c.Line(t.value == ExprValue::Float64
                   ? "pX_Ids->chXVecAssignOption = ((X_CHAR) 16);"
                   : EXPR_Format("pX_Ids->chXVecAssignOption = ((X_CHAR) %d);", EXPR_lOperandScale(s.source)));
        c.Put({"X_Vec_Set_from_Double( pX_Ids, pX_Pro, pX_Fun, ", where, ", ", x.A, " );"});
        return;
    }
}

/* Dates, times and datetimes; a datetime is the 10-character date, a blank,
** the 8-character time (from offset 11) and a fraction. */
void dateStore(ExprCode& c, const ExprOpTraits& t, char targetLetter, const Texts& x)
{
    const std::string& T = x.T;
    const std::string& A = x.A;
    const std::string defaultDateTime = "X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\"";
    auto toDateTimeFromDate = [&]() {
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", 10 );"});
        c.Put({"X_CPYBYTES( &(", T, "[10]), \" \" X_DEFAULT_TIME \".000000000\", 20 );"});
    };
    auto toDateTimeFromTime = [&]() {
        c.Put({"X_CPYBYTES( ", T, ", ", defaultDateTime, ", X_MAX_SIZE_DATETIME_LEN );"});
        c.Put({"X_CPYBYTES( &(", T, "[11]), ", A, ", 8 );"});
    };
    const char layout = t.layout == ExprLayout::Date       ? 'E'
                        : t.layout == ExprLayout::Time     ? 'M'
                        : t.layout == ExprLayout::DateTime ? 'Z'
                                                           : targetLetter;
    if (layout == 'E' && t.value == ExprValue::Date) {
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", X_MAX_SIZE_DATE_LEN );"},
              {"DqooDef.X_CPYBYTES( ref ", T, ", ", A, ", DqooDef.X_MAX_SIZE_DATE_LEN );"});
    } else if (layout == 'E' && t.value == ExprValue::DateTime) {
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", 10 );"}, {"DqooDef.X_CPYBYTES( ref ", T, ", ", A, ", 10 );"});
        c.Put({T, "[10] = END_OF_STRING;"});
    } else if (layout == 'M' && t.value == ExprValue::Time) {
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", X_MAX_SIZE_TIME_LEN );"},
              {"DqooDef.X_CPYBYTES( ref ", T, ", ", A, ", DqooDef.X_MAX_SIZE_TIME_LEN );"});
    } else if (layout == 'M' && t.value == ExprValue::DateTime) {
        c.Line(t.layout == ExprLayout::Dispatch ? "X_CPYBYTES( " + T + ", &(" + A + "[11]), 8 );"
                                                : "X_CPYBYTES( " + T + ", (" + A + " + 11), 8 );");
        c.Put({T, "[8] = END_OF_STRING;"});
    } else if (layout == 'Z' && t.value == ExprValue::Date) {
        toDateTimeFromDate();
    } else if (layout == 'Z' && t.value == ExprValue::Time) {
        toDateTimeFromTime();
    } else if (layout == 'Z' && t.value == ExprValue::DateTime) {
        // a C# text is replaced, not changed in place: the target goes by reference
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", X_MAX_SIZE_DATETIME_LEN );"},
              {"DqooDef.X_CPYBYTES( ref ", T, ", ", A, ", DqooDef.X_MAX_SIZE_DATETIME_LEN );"});
    }
}

void dispatchNumberStore(ExprCode& c, const ExprOpTraits& t, const ExprFieldView& target, const Texts& x)
{
    const EXPR_OPERAND_DESCRIPTOR& d = target.d;
    auto cast = [&](const char* type) { c.Put({x.T, " = ((", type, ")( ", x.A, " ));"}); };
    if (d.typeLetter == 'I') {
        if (d.length == 1)
            cast(d.unsignedInt ? "X_UINT8" : "X_INT8");
        else if (d.length == 2)
            cast("X_INT16");
        else if (d.length == 4)
            cast("X_INT32");
        else
            cast("X_INT64");
        return;
    }
    if (d.typeLetter == 'F') {
        cast(d.length == 4 ? "X_FLT32" : "X_FLT64");
        return;
    }
    const std::string where = target.table() + ", " + target.index();
    c.Line(t.value == ExprValue::Int32
               ? "X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, " + where + ", ((X_LONG)( " + x.A + " )) );"
               : "X_Vec_Set_from_LongLong( pX_Ids, pX_Pro, pX_Fun, " + where + ", ((X_LONGLONG)( " + x.A + " )) );");
}

void alphaTargetStore(ExprCode& c, int16_t cls, const Texts& x, const EXPR_OPERAND_NODE* source)
{
    const std::string& T = x.T;
    const std::string& A = x.A;
    auto blank = [&]() {
        c.Put({"memset( ", T, ", X_CLEAR_ALPHA, ", x.LTt, " );"},
              {"X_DEFS.X_MEMSET( ref ", T, ", X_DEFS.X_CLEAR_ALPHA, ", x.LTt, " );"});
    };
    /* C# copies the one byte into the target's storage: handing the target
       the source's storage would share it (and lose the target's blanks) */
    auto oneCharacter = [&]() {
        if (c.cs()) {
            c.Put({"//ORIGINAL LINE= *(", T, ") = *(", A, ");"});
            c.Put({"X_DEFS.X_COPYBYTES( ref ", T, ", ", A, ", 1 );"});
        } else {
            c.Put({"*(", T, ") = *(", A, ");"});
        }
    };
    auto copy = [&](const std::string& length) {
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", ", length, " );"},
              {"X_DEFS.X_COPYBYTES( ref ", T, ", ", A, ", ", length, " );"});
    };
    switch (cls) {
    case 3:
        c.Open();
        c.Put({"X_LONG iLength = strlen( ", A, " );"}, {"int iLength = ", A, ".Length;"});
        c.Put({"if ( iLength >= ", x.LTt, " ) X_CPYBYTES( ", T, ", ", A, ", ", x.LTt, " );"},
              {"if ( iLength >= ", x.LTt, " ) X_DEFS.X_COPYBYTES( ref ", T, ", ", A, ", ", x.LTt, " );"});
        c.Line("else");
        c.Open();
        blank();
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", iLength );"}, {"X_DEFS.X_COPYBYTES( ref ", T, ", ", A, ", iLength );"});
        c.Close();
        c.Close();
        return;
    case 8:
    case 11:
        c.Put(
            {"X_VAR_VarChar_GetAsFixedChar( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)", A, "), ", T, ", ", x.LTt, " );"});
        return;
    case 9:
        c.Put({"if ( ", A, "->sLength >= ", x.LTt, " ) X_CPYBYTES( ", T, ", ", A, "->vchData, ", x.LTt, " );"},
              {"if ( ", A, ".sLength >= ", x.LTt, " ) X_DEFS.X_COPYBYTES( ref ", T, ", ", A, "->vchData, ", x.LTt,
               " );"});
        c.Line("else");
        c.Open();
        blank();
        c.Put({"X_CPYBYTES( ", T, ", ", A, "->vchData, ", A, "->sLength );"},
              {"X_DEFS.X_COPYBYTES( ref ", T, ", ", A, "->vchData, ", A, "->sLength );"});
        c.Close();
        return;
    default: break;
    }
    const long maximum = EXPR_lOperandMaxLength(source);
    if (cls == 0 && x.LT > x.LS && x.LT < maximum) {
        c.Put({"memset( ", T, ", X_CLEAR_ALPHA, ", x.LTt, " );"});
        c.Put({"if ( ", x.LSt, " > ", x.LTt, ") X_CPYBYTES( ", T, ", ", A, ", ", x.LTt, " );"});
        c.Put({"else X_CPYBYTES( ", T, ", ", A, ", ", x.LSt, " );"});
        return;
    }
    if (x.LT > x.LS) {
        blank();
        if (x.LS == 1)
            oneCharacter();
        else if (x.LS != 0)
            copy(x.LSt);
        return;
    }
    if (x.LS == 1)
        oneCharacter();
    else
        copy(x.LTt);
}

void shortCharTargetStore(ExprCode& c, int16_t cls, const Texts& x)
{
    const std::string& T = x.T;
    const std::string& A = x.A;
    const std::string lt = std::to_string(x.LT);
    auto cut = [&](const std::string& from) {
        c.Line("else");
        c.Open();
        c.Put({"X_CPYBYTES( ", T, "->vchData, ", from, ", ", lt, " );"});
        c.Put({T, "->vchData[", lt, "] = END_OF_STRING;"});
        c.Put({T, "->sLength = ", lt, ";"});
        c.Close();
    };
    if (cls == 0 || (cls >= 4 && cls <= 7)) {
        c.Put({T, "->sLength = X_VAR_ShortChar_SetFromFixedChar( pX_Ids, pX_Pro, pX_Fun, ", A, ", ", x.LSt, ", ", T,
               "->vchData, ", lt, " );"});
    } else if (cls == 3) {
        c.Put({T, "->sLength = strlen( ", A, " );"});
        c.Put({"if ( ", T, "->sLength <= ", lt, " ) strcpy( ", T, "->vchData, ", A, " );"});
        cut(A);
    } else if (cls == 8 || cls == 11) {
        c.Put({T, "->sLength = X_VAR_VarChar_GetAsShortChar( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)", A, "), ", T,
               "->vchData, ", lt, " );"});
    } else if (cls == 9) {
        if (x.LT > x.LS) {
            c.Put({"strcpy( ", T, "->vchData, ", A, "->vchData );"});
            c.Put({T, "->sLength = ", A, "->sLength;"});
        } else {
            c.Put({T, "->sLength = ", A, "->sLength;"});
            c.Put({"if ( ", T, "->sLength <= ", lt, " ) strcpy( ", T, "->vchData, ", A, "->vchData );"});
            cut(A + "->vchData");
        }
    } else if (x.LT <= x.LS) {
        c.Put({"X_CPYBYTES( ", T, "->vchData, ", A, ", ", lt, " );"});
        c.Put({T, "->vchData[", lt, "] = END_OF_STRING;"});
        c.Put({T, "->sLength = ", lt, ";"});
    } else {
        c.Put({"strcpy( ", T, "->vchData, ", A, " );"});
        c.Put({T, "->sLength = ", x.LSt, ";"});
    }
}

void varcharTargetStore(ExprCode& c, int16_t cls, const Texts& x)
{
    const std::string T = "((X_FLD_CHAR *)" + x.T + ")";
    const std::string& A = x.A;
    if (cls <= 3)
        c.Put({"X_VAR_VarChar_SetFromVchar( pX_Ids, pX_Pro, pX_Fun, ((X_VCHAR*) ", A, "), ", T, " );"});
    else if (cls == 4 || cls == 6)
        c.Put({"X_VAR_VarChar_SetFromChar( pX_Ids, pX_Pro, pX_Fun, ", A, ", ", x.LSt, ", ", T, " );"});
    else if (cls == 8 || cls == 11)
        c.Put({"X_VAR_VarChar_Assign( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)", A, "), ", T, " );"});
    else if (cls == 9)
        c.Put({"X_VAR_VarChar_SetFromChar( pX_Ids, pX_Pro, pX_Fun, ", A, "->vchData, ", A, "->sLength, ", T, " );"});
    else
        c.Put({"X_VAR_VarChar_SetFromFixedChar( pX_Ids, pX_Pro, pX_Fun, ", A, ", ", x.LSt, ", ", T, " );"});
}

void binaryTargetStore(ExprCode& c, int16_t cls, const Texts& x)
{
    const std::string& T = x.T;
    const std::string& A = x.A;
    if (cls <= 3) {
        c.Put({"X_VAR_VarBinary_SetFromPointer( pX_Ids, pX_Pro, pX_Fun, ((X_VOID*)( ", A, " )), ", x.LSt, ", ", T,
               " );"});
    } else if (cls == 8 || cls == 11) {
        c.Open();
        c.Line("X_ULONG  ulLength;");
        c.Line("X_PVCHAR pvchString;");
        c.Put({"X_VAR_VarChar_GetCurSize( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)", A, "), &ulLength );"});
        c.Put({"X_VAR_VarChar_GetAsVchar( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)", A, "), &pvchString );"});
        c.Put({"X_VAR_VarBinary_SetFromPointer( pX_Ids, pX_Pro, pX_Fun, ((X_VOID*) pvchString), ulLength, ", T, " );"});
        c.Close();
    } else if (cls == 9) {
        c.Put({"X_VAR_VarBinary_SetFromPointer( pX_Ids, pX_Pro, pX_Fun, ((X_VOID*)( ", A, "->vchData )), ", A,
               "->sLength, ", T, " );"});
    } else if (cls == 10) {
        c.Put({"X_VAR_VarBinary_Assign( pX_Ids, pX_Pro, pX_Fun, ", A, ", ", T, " );"});
    } else {
        c.Put({"X_VAR_VarBinary_SetFromPointer( pX_Ids, pX_Pro, pX_Fun, ((X_VOID*) ", A, "), ", x.LSt, ", ", T, " );"});
    }
}

void lobTargetStore(ExprCode& c, int16_t cls, const Texts& x)
{
    const std::string& T = x.T;
    const std::string& A = x.A;
    const std::string terminate = "*( " + T + " + X_MAX_SIZE_LOB_FILE_NAME ) = END_OF_STRING;";
    if (cls == 0 || cls == 5 || cls == 7) {
        c.Put({"X_VAR_ShortChar_SetFromFixedChar( pX_Ids, pX_Pro, pX_Fun, ", A, ", ", x.LSt, ", ", T,
               ", X_MAX_SIZE_LOB_FILE_NAME );"});
    } else if (cls == 3) {
        c.Put({"strcpy( ", T, ", ", A, " );"});
    } else if (cls == 4 || cls == 6) {
        c.Line(x.LT <= x.LS ? "X_CPYBYTES( " + T + ", " + A + ", X_MAX_SIZE_LOB_FILE_NAME );"
                            : "X_CPYBYTES( " + T + ", " + A + ", " + x.LSt + " );");
        c.Line(terminate);
    } else if (cls == 8 || cls == 11) {
        c.Put({"X_VAR_VarChar_GetAsShortChar( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)", A, "), ", T,
               ", X_MAX_SIZE_LOB_FILE_NAME );"});
    } else if (cls == 9) {
        if (x.LT > x.LS) {
            c.Put({"strcpy( ", T, ", ", A, "->vchData );"});
        } else {
            c.Put({"if ( ", A, "->sLength <= X_MAX_SIZE_LOB_FILE_NAME ) strcpy( ", T, ", ", A, "->vchData );"});
            c.Line("else");
            c.Line("{");
            c.Put({"   X_CPYBYTES( ", T, ", ", A, "->vchData, X_MAX_SIZE_LOB_FILE_NAME );"});
            c.Put({"   ", terminate});
            c.Line("}");
        }
    } else if (x.LT <= x.LS) {
        c.Put({"X_CPYBYTES( ", T, ", ", A, ", X_MAX_SIZE_LOB_FILE_NAME );"});
        c.Line(terminate);
    } else {
        c.Put({"strcpy( ", T, ", ", A, " );"});
    }
}

bool isStringSource(const ExprOpTraits& t)
{
    switch (t.layout) {
    case ExprLayout::Alpha:
    case ExprLayout::String:
    case ExprLayout::Lob:
    case ExprLayout::ShortChar:
    case ExprLayout::Dispatch: return t.value == ExprValue::String;
    case ExprLayout::Binary: return t.value == ExprValue::String || t.value == ExprValue::Binary;
    default: return false;
    }
}

void writeStore(ExprCode& c, const EXPR_STATEMENT& s, const ExprOpTraits& t, const ExprFieldView& target,
                const Texts& x)
{
    if (t.kind != ExprOpKind::Pull)
        return;
    if (t.layout == ExprLayout::Packed || t.layout == ExprLayout::Signed) {
        decimalTargetStore(c, t, target, s, x);
        return;
    }
    auto cast = [&](const char* type) { c.Put({x.T, " = ((", type, ")( ", x.A, " ));"}); };
    switch (t.layout) {
    case ExprLayout::Int8:
        if (t.value == ExprValue::Int32)
            cast("X_INT8");
        return;
    case ExprLayout::IntU8:
        if (t.value == ExprValue::Int32)
            cast("X_UINT8");
        return;
    case ExprLayout::Int16:
        if (t.value == ExprValue::Int32)
            cast("X_INT16");
        return;
    case ExprLayout::Int32:
        if (t.value == ExprValue::Int32)
            cast("X_INT32");
        return;
    case ExprLayout::Int64:
        if (t.value == ExprValue::Int64)
            cast("X_INT64");
        return;
    case ExprLayout::Float32:
        if (t.value == ExprValue::Float64)
            cast("X_FLT32");
        return;
    case ExprLayout::Float64:
        if (t.value == ExprValue::Float64)
            cast("X_FLT64");
        return;
    case ExprLayout::Boolean:
        if (t.value == ExprValue::Boolean)
            /* C#'s Boolean values are bool already */
            c.Put({x.T, " = ( ( ( ", x.A, " ) == 0 ) ? FALSE : TRUE );"}, {x.T, " = ( ", x.A, " );"});
        return;
    default: break;
    }
    const bool dateSource = t.value == ExprValue::Date || t.value == ExprValue::Time || t.value == ExprValue::DateTime;
    if ((t.layout == ExprLayout::Date || t.layout == ExprLayout::Time || t.layout == ExprLayout::DateTime ||
         t.layout == ExprLayout::Dispatch) &&
        dateSource) {
        dateStore(c, t, target.d.typeLetter, x);
        return;
    }
    if (t.layout == ExprLayout::Dispatch && (t.value == ExprValue::Int32 || t.value == ExprValue::Int64)) {
        dispatchNumberStore(c, t, target, x);
        return;
    }
    if (!isStringSource(t))
        return;
    const int16_t cls = EXPR_sOperandStringClass(c.gen.Fields(), s.source);
    switch (target.d.typeLetter) {
    case '1':
    case 'H': varcharTargetStore(c, cls, x); return;
    case '2':
    case 'B': binaryTargetStore(c, cls, x); return;
    case '3':
    case '4': lobTargetStore(c, cls, x); return;
    case 'A': alphaTargetStore(c, cls, x, s.source); return;
    case 'U': shortCharTargetStore(c, cls, x); return;
    default: return;
    }
}

}  // namespace

void EXPR_WriteAssignment(ExprCode& c, const EXPR_STATEMENT& s)
{
    EXPR_OPERAND_NODE* targetInstruction = s.operation;
    if (targetInstruction == nullptr)
        return;
    const ExprOpTraits& t = EXPR_OpTraits(targetInstruction->opcode);
    const ExprFieldView& source = EXPR_ViewField(c, s.source);
    const ExprFieldView& target = EXPR_ViewField(c, targetInstruction);

    EXPR_WriteOperationDeclarations(c, s.source, s);
    EXPR_WriteFieldPointerDeclarations(c, targetInstruction, target, false);

    Texts x;
    const bool early = source.field && (source.vector() || source.d.dispatch);
    if (early)
        x.A = EXPR_WriteCompareStatements(c, &s, s.source);
    if (target.vector())
        x.B = EXPR_WriteCompareStatements(c, &s, targetInstruction);

    /* a source that may be null and holds its null state (a field held
       with its field information): its null clears the target */
    bool guarded = false;
    if (source.field && source.d.sqlNull && source.full()) {
        c.Put(
            {"if ( ( ", EXPR_BuildFieldPointerText(c, source), "->bFieldState & FsIsSqlNull ) != 0 )"},
            {"if ( ( ", EXPR_BuildFieldPointerText(c, source), ".bFieldState & (int)XFIELDSTATE.FsIsSqlNull ) != 0 )"});
        c.Open();
        EXPR_WriteFieldClear(c, targetInstruction, target, 1);
        EXPR_WriteSetFieldDataDispatch(c.gen, target.d, targetInstruction, c.stream, c.indent, 1);
        c.Close();
        c.Line("else");
        c.Open();
        guarded = true;
    }
    if (!early)
        x.A = EXPR_WriteCompareStatements(c, &s, s.source);
    if (!target.vector())
        x.B = EXPR_WriteCompareStatements(c, &s, targetInstruction);

    x.T = target.field ? EXPR_BuildFieldAccessText(c, target) : x.B;
    x.LS = EXPR_lOperandLength(s.source);
    x.LT = target.d.length;
    x.LSt = EXPR_OperandLengthText(c, s.source);
    x.LTt = target.d.LengthText();
    /* a field moved into itself keeps its value: the copy onto its own
       bytes (undefined for the run time's byte copy) is left out */
    if (target.field && x.A != x.T)
        writeStore(c, s, t, target, x);

    EXPR_WriteClearSqlNull(c, target, targetInstruction, 1);
    EXPR_WriteVectorSetIndex(c.gen, targetInstruction, target.d, c.stream, c.indent, 1);
    EXPR_WriteSetFieldDataDispatch(c.gen, target.d, targetInstruction, c.stream, c.indent, 1);
    if (c.routine.kind == EXPR_ROUTINE_COMMAND)
        EXPR_WriteIoStatusLoad(c.gen, targetInstruction, c.stream, c.indent);
    if (guarded)
        c.Close();
}

void EXPR_WriteClearSqlNull(ExprCode& c, const ExprFieldView& f, EXPR_OPERAND_NODE* target, int flag)
{
    if (flag == 0 || !EXPR_IsInstruction(target) || !f.field || !f.full() || !f.d.sqlNull)
        return;
    const std::string p = EXPR_BuildFieldPointerText(c, f);
    c.Put({p, "->bFieldState &= ~FsIsSqlNull;"}, {p, ".bFieldState &= ~((int)XFIELDSTATE.FsIsSqlNull);"});
}

namespace {

/* C#: the bytes of a packed or signed field set through the run time's fills
** and byte stores: on the field structure's digits (member), or on the
** storage the field's element holds. */
void csClearDecimalBytes(ExprCode& c, const ExprFieldView& f, const std::string& on, bool member)
{
    const int32_t N = f.d.length;
    const std::string data = member ? on + ".fchData" : on;
    auto fill = [&](const char* value, int32_t length) {
        c.Line(
            EXPR_Format(member ? "X_DEFS.X_MEMSET( %s, X_DEFS.%s, %d );" : "X_DEFS.X_MEMSET( ref %s, X_DEFS.%s, %d );",
                        data.c_str(), value, length));
    };
    auto set = [&](int32_t at, const char* value) {
        c.Line(member ? EXPR_Format("%s[%d] = X_DEFS.%s;", data.c_str(), at, value)
                      : EXPR_Format("X_DEFS.X_SETBYTE( %s, %d, X_DEFS.%s );", data.c_str(), at, value));
    };
    if (f.d.typeLetter == 'P') {
        const int32_t B = N / 2 + 1;
        if (B > 1)
            fill("X_CLEAR_PACK", B - 1);
        set(B - 1, "X_PACK_TERMINATOR");
    } else {
        fill("X_CLEAR_SIGN", N);
    }
    if (f.d.indexed)
        c.Put({f.table(), "[", f.index(), "].sIndexVOV = 0;"});
}

void clearDecimalBytes(ExprCode& c, const ExprFieldView& f, const std::string& on, bool member)
{
    if (c.cs() && !c.iSeries()) {
        csClearDecimalBytes(c, f, on, member);
        return;
    }
    const int32_t N = f.d.length;
    const std::string data = member ? on + "->fchData" : on;
    const std::string first = member ? "&( " + on + "->fchData[0] )" : on;
    if (c.iSeries() && f.d.typeLetter == 'P') {
        c.Line(EXPR_FormatInto(c.formatted, "*((decimal(%d,%d)*)( %s )) = 0;", f.d.length, f.d.decimals,
                           EXPR_BuildFieldAccessText(c, f).c_str()));
    } else if (f.d.typeLetter == 'P') {
        const int32_t B = N / 2 + 1;
        if (B == 1) {
            c.Put({data, "[0] = X_PACK_TERMINATOR;"});
        } else if (B == 2) {
            c.Put({data, "[0] = X_CLEAR_PACK;"});
            c.Put({data, "[1] = X_PACK_TERMINATOR;"});
        } else {
            c.Line(EXPR_FormatInto(c.formatted, "memset( %s, X_CLEAR_PACK, %d );", first.c_str(), B - 1));
            c.Line(EXPR_FormatInto(c.formatted, "%s[%d] = X_PACK_TERMINATOR;", data.c_str(), B - 1));
        }
    } else if (N == 1 || N == 2) {
        c.Put({data, "[0] = X_CLEAR_SIGN;"});
        if (N == 2)
            c.Put({data, "[1] = X_CLEAR_SIGN;"});
    } else {
        c.Line(EXPR_FormatInto(c.formatted, "memset( %s, X_CLEAR_SIGN, %d );", first.c_str(), N));
    }
    if (f.d.indexed)
        c.Put({f.table(), "[", f.index(), "].sIndexVOV = 0;"});
}

void clearFullField(ExprCode& c, const ExprFieldView& f, int form)
{
    const std::string A = EXPR_BuildFieldAccessText(c, f);
    const std::string P = EXPR_BuildFieldPointerText(c, f);
    switch (f.d.typeLetter) {
    case '1':
    case 'H':
        c.Put({"X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR *)", A, ") );"},
              {"X_VAR_DLL.X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, ", A, " );"});
        break;
    case '2':
    case 'B':
        c.Put({"X_VAR_VarBinary_Release( pX_Ids, pX_Pro, pX_Fun, ", A, " );"},
              {"X_VAR_DLL.X_VAR_VarBinary_Release( pX_Ids, pX_Pro, pX_Fun, ", A, " );"});
        break;
    case '3':
    case '4':
        c.Put({"memset( ", P, "->vchFileName, 0, (X_MAX_SIZE_LOB_FILE_NAME + 1) );"}, {P, ".vchFileName = \"\";"});
        break;
    case 'E':
        c.Put({"X_CPYBYTES( ", P, "->vchDate, X_DEFAULT_DATE, X_MAX_SIZE_DATE_LEN );"},
              {"DqooDef.X_CPYBYTES_STR( ref ", P, ".vchDate, DqooDef.X_DEFAULT_DATE, DqooDef.X_MAX_SIZE_DATE_LEN );"});
        break;
    case 'F':
        /* a C# double literal does not convert to a float field */
        c.Put({A, " = 0.0;"}, {A, " = 0;"});
        break;
    case 'I': c.Put({A, " = 0;"}); break;
    case 'M':
        c.Put({"X_CPYBYTES( ", P, "->vchTime, X_DEFAULT_TIME, X_MAX_SIZE_TIME_LEN );"},
              {"DqooDef.X_CPYBYTES_STR( ref ", P, ".vchTime, DqooDef.X_DEFAULT_TIME, DqooDef.X_MAX_SIZE_TIME_LEN );"});
        break;
    case 'Z':
        c.Put({"X_CPYBYTES( ", P,
               "->vchDateTime, X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\", X_MAX_SIZE_DATETIME_LEN );"},
              {"DqooDef.X_CPYBYTES_STR( ref ", P,
               ".vchDateTime, DqooDef.X_DEFAULT_DATE + \" \" + DqooDef.X_DEFAULT_TIME + "
               "\".000000000\", DqooDef.X_MAX_SIZE_DATETIME_LEN );"});
        break;
    case 'U':
        c.Put({A, (c.cs() ? ".sLength = 0;" : "->sLength = 0;")});
        c.Put({A, (c.cs() ? ".vchData[0] = END_OF_STRING;" : "->vchData[0] = END_OF_STRING;")});
        break;
    case 'Y': c.Put({A, " = FALSE;"}); break;
    case 'P':
    case 'S': clearDecimalBytes(c, f, P, true); break;
    default: c.Line("?GenerateVectorAssignSqlnull?"); break;
    }
    if (!f.d.sqlNull)
        return;
    if (form == 0)
        c.Put({P, "->bFieldState &= ~FsIsSqlNull;"}, {P, ".bFieldState &= ~((int)XFIELDSTATE.FsIsSqlNull);"});
    else
        c.Put({P, "->bFieldState |= FsIsSqlNull;"}, {P, ".bFieldState |= (int)XFIELDSTATE.FsIsSqlNull;"});
}

void clearPlainField(ExprCode& c, const ExprFieldView& f)
{
    std::string A = EXPR_BuildFieldAccessText(c, f);
    const int32_t N = f.d.length;
    /* C#: the element of an array that the run time's index application
       answers is no variable the fills can take by reference; it is held
       in a local and filled there */
    const bool held = c.cs() && f.vector() && !f.pointerVariable;
    if (held) {
        c.Open();
        c.Put({"object pElement = X_RUN_DLL.X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(),
               " );"});
        A = "pElement";
    }
    switch (f.d.typeLetter) {
    case 'A':
        /* C# fills a field of one byte as a longer one: the blank is no storage */
        if (N < 2 && !c.cs())
            c.Put({A, "[0] = X_CLEAR_ALPHA;"});
        else
            c.Line(EXPR_FormatInto(c.formatted, "memset( %s, X_CLEAR_ALPHA, %d );", A.c_str(), N),
                   EXPR_Format("X_DEFS.X_MEMSET( ref %s, X_DEFS.X_CLEAR_ALPHA, %d );", A.c_str(), N));
        break;
    case 'P':
    case 'S': clearDecimalBytes(c, f, A, false); break;
    default: c.Line("?GenerateVectorAssignSqlnull?"); break;
    }
    if (held)
        c.Close();
}

}  // namespace

int EXPR_WriteFieldClear(ExprCode& c, EXPR_OPERAND_NODE* target, const ExprFieldView& f, int form)
{
    if (!EXPR_IsInstruction(target) || !f.field)
        return 1;
    if (f.full())
        clearFullField(c, f, form);
    else
        clearPlainField(c, f);
    if (form == 1 && c.gen.SqlNullAssignMode() == 'S' && (!f.full() || !f.d.sqlNull)) {
        const std::string name = f.d.node != nullptr && f.d.node->fieldRef != nullptr ? f.d.node->fieldRef : f.index();
        c.Line(EXPR_FormatInto(c.formatted, "X_Fatal_Error( pX_Ids, pX_Pro, pX_Fun, pX_NULL, X_TEXT(1076), \"%s\" );", name.c_str()),
               EXPR_Format("X_RUN_DLL.X_Fatal_Error( pX_Ids, pX_Pro, pX_Fun, null, X_RUN_DLL.X_TEXT(1076), \"%s\" );",
                           name.c_str()));
    }
    return 1;
}

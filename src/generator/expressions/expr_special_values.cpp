/*
** expr_special_values.cpp: the special-value stores of direct code (a
** field set to *NULL, SQL null, its high or low value, or "not available")
** and the move between two fields of identical layout.
*/
#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"

namespace {

/* How a typed target is addressed: its structure, and whether that name is
** already a pointer type (the alphanumeric data pointer). */
struct TargetType {
    const char* structure;
    bool pointerType;
};

TargetType targetType(ExprLayout layout, char typeLetter)
{
    switch (layout) {
    case ExprLayout::IntU8: return {"X_FLD_UINT8", false};
    case ExprLayout::Int8: return {"X_FLD_INT8", false};
    case ExprLayout::Int16: return {"X_FLD_INT16", false};
    case ExprLayout::Int32: return {"X_FLD_INT32", false};
    case ExprLayout::Int64: return {"X_FLD_INT64", false};
    case ExprLayout::Float32: return {"X_FLD_FLT32", false};
    case ExprLayout::Float64: return {"X_FLD_FLT64", false};
    case ExprLayout::Boolean: return {"X_FLD_BOOL", false};
    case ExprLayout::Date: return {"X_FLD_DATE", false};
    case ExprLayout::Time: return {"X_FLD_TIME", false};
    case ExprLayout::DateTime: return {"X_FLD_DATETIME", false};
    case ExprLayout::Alpha: return {"X_PDICTIONARY_FIELD", true};
    case ExprLayout::String: return {"X_FLD_CHAR", false};
    case ExprLayout::Binary: return {"X_FLD_BINARY", false};
    case ExprLayout::Lob: return {typeLetter == '3' ? "X_FLD_CLOB" : "X_FLD_BLOB", false};
    case ExprLayout::ShortChar: return {"X_FLD_SHORT_CHAR", false};
    default: return {nullptr, false};
    }
}

bool isNumericLayout(ExprLayout l)
{
    return l == ExprLayout::IntU8 || l == ExprLayout::Int8 || l == ExprLayout::Int16 || l == ExprLayout::Int32 ||
           l == ExprLayout::Int64 || l == ExprLayout::Float32 || l == ExprLayout::Float64 || l == ExprLayout::Boolean ||
           l == ExprLayout::Packed || l == ExprLayout::Signed;
}

/* C#: the value of an alphanumeric field, through the fills and copies of
** the run time on the field's element of the vector T. */
void csAlphaValue(ExprCode& c, ExprValue value, const std::string& T, int32_t N)
{
    if (value == ExprValue::HiVal || value == ExprValue::LoVal) {
        c.Line(EXPR_FormatInto(c.formatted, "X_DEFS.X_MEMSET( %s, %s, %d );", T.c_str(),
                           value == ExprValue::HiVal ? "X_DEFS.HIVAL" : "X_DEFS.X_CLEAR_ALPHA_LOVAL", N));
        return;
    }
    if (N <= 2 || N > 7)
        c.Line(EXPR_FormatInto(c.formatted, "X_DEFS.X_MEMSET( %s, X_DEFS.X_CLEAR_ALPHA, %d );", T.c_str(), N));
    if (N > 2)
        c.Line(EXPR_FormatInto(c.formatted, "DqooDef.X_MEMCPY( %s, \"N/AVAIL\", %d );", T.c_str(), N > 7 ? 7 : N));
}

/* The value lines of a typed target; T the target text, N its length. */
void typedValue(ExprCode& c, ExprLayout layout, ExprValue value, const std::string& T, int32_t N)
{
    const bool hi = value == ExprValue::HiVal, lo = value == ExprValue::LoVal, na = value == ExprValue::NAvail;
    const char* m = c.cs() ? "." : "->";
    auto member = [&](const char* name, const char* v) { c.Put({T, m, name, " = ", v, ";"}); };
    switch (layout) {
    case ExprLayout::IntU8:
        if (hi)
            member("uiInt8", "X_UINT8_HIVAL");
        if (lo)
            member("uiInt8", "0");
        return;
    case ExprLayout::Int8:
        if (hi)
            member("iInt8", "X_INT8_HIVAL");
        if (lo)
            member("iInt8", "X_INT8_LOVAL");
        return;
    case ExprLayout::Int16:
        if (hi)
            member("iInt16", "X_INT16_HIVAL");
        if (lo)
            member("iInt16", "X_INT16_LOVAL");
        return;
    case ExprLayout::Int32:
        if (hi)
            member("iInt32", "X_INT32_HIVAL");
        if (lo)
            member("iInt32", "X_INT32_LOVAL");
        return;
    case ExprLayout::Int64:
        if (hi)
            member("iInt64", "X_INT64_HIVAL");
        if (lo)
            member("iInt64", "X_INT64_LOVAL");
        return;
    case ExprLayout::Float32:
        if (!na)
            member("dFloat32", c.cs() ? "0.0f" : "0.0");
        return;
    case ExprLayout::Float64:
        if (!na)
            member("dFloat64", "0.0");
        return;
    case ExprLayout::Boolean:
        if (hi)
            member("fBool", "TRUE");
        if (lo)
            member("fBool", "FALSE");
        return;
    case ExprLayout::Date:
        if (!na)
            c.Put({"X_CPYBYTES( ", T, "->vchDate, X_DEFAULT_DATE, X_MAX_SIZE_DATE_LEN );"},
                  {"DqooDef.X_CPYBYTES_STR( ref ", T,
                   ".vchDate, DqooDef.X_DEFAULT_DATE, DqooDef.X_MAX_SIZE_DATE_LEN );"});
        return;
    case ExprLayout::Time:
        if (hi)
            c.Put({"X_CPYBYTES( ", T, m, "vchTime, \"23:59:59\", X_MAX_SIZE_TIME_LEN );"},
                  {"DqooDef.X_CPYBYTES_STR( ref ", T, ".vchTime, \"23:59:59\", DqooDef.X_MAX_SIZE_TIME_LEN );"});
        if (lo)
            c.Put({"X_CPYBYTES( ", T, m, "vchTime, X_DEFAULT_TIME, X_MAX_SIZE_TIME_LEN );"},
                  {"DqooDef.X_CPYBYTES_STR( ref ", T,
                   ".vchTime, DqooDef.X_DEFAULT_TIME, DqooDef.X_MAX_SIZE_TIME_LEN );"});
        return;
    case ExprLayout::DateTime:
        if (hi)
            c.Put({"X_CPYBYTES( ", T,
                   "->vchDateTime, X_DEFAULT_DATE \" \" \"23:59:59\" \".999999999\", X_MAX_SIZE_DATETIME_LEN );"},
                  {"DqooDef.X_CPYBYTES_STR( ref ", T,
                   ".vchDateTime, DqooDef.X_DEFAULT_DATE + \" \" + \"23:59:59\" + "
                   "\".999999999\", DqooDef.X_MAX_SIZE_DATETIME_LEN );"});
        if (lo)
            c.Put({"X_CPYBYTES( ", T,
                   "->vchDateTime, X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\", X_MAX_SIZE_DATETIME_LEN );"},
                  {"DqooDef.X_CPYBYTES_STR( ref ", T,
                   ".vchDateTime, DqooDef.X_DEFAULT_DATE + \" \" + DqooDef.X_DEFAULT_TIME + "
                   "\".000000000\", DqooDef.X_MAX_SIZE_DATETIME_LEN );"});
        return;
    case ExprLayout::String:
    case ExprLayout::Binary: {
        const bool binary = layout == ExprLayout::Binary;
        if (hi || lo) {
            c.Line(EXPR_FormatInto(c.formatted, "X_VAR_VarChar_Repeat( pX_Ids, pX_Pro, pX_Fun, \"%s\", %d, %s );",
                               hi ? "\\xFF" : "\\x01", N, T.c_str()));
        } else if (N >= 3) {
            c.Line(EXPR_FormatInto(c.formatted, binary ? "X_VAR_VarBinary_SetFromPointer( pX_Ids, pX_Pro, pX_Fun, \"N/AVAIL\", 7, %s );"
                                      : "X_VAR_VarChar_SetFromChar( pX_Ids, pX_Pro, pX_Fun, \"N/AVAIL\", 7, %s );",
                               T.c_str()));
        } else {
            c.Line(EXPR_FormatInto(c.formatted, binary ? "X_VAR_VarBinary_Release( pX_Ids, pX_Pro, pX_Fun, %s );"
                                      : "X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, %s );",
                               T.c_str()));
        }
        return;
    }
    case ExprLayout::Lob:
        if (hi || lo) {
            c.Put({"memset( ", T, (hi ? ", HIVAL, " : ", X_CLEAR_ALPHA_LOVAL, "), "X_MAX_SIZE_LOB_FILE_NAME );"});
            c.Put({T, "->vchFileName[ X_MAX_SIZE_LOB_FILE_NAME ] = 0;"});
        } else {
            c.Put({"memset( ", T, ", LOVAL, ( X_MAX_SIZE_LOB_FILE_NAME + 1 ) );"});
            c.Put({"X_CPYBYTES( ", T, "->vchFileName, \"N/AVAIL\", 7 );"});
        }
        return;
    case ExprLayout::Alpha:
        if (c.cs()) {
            csAlphaValue(c, value, T, N);
            return;
        }
        if (N < 2) {
            c.Put({T, (hi ? "[0] = HIVAL;" : lo ? "[0] = X_CLEAR_ALPHA_LOVAL;" : "[0] = X_CLEAR_ALPHA;")});
        } else if (hi) {
            c.Line(EXPR_FormatInto(c.formatted, "memset( %s, HIVAL, %d );", T.c_str(), N),
                   EXPR_Format("X_DEFS.X_MEMSET( ref %s, X_DEFS.HIVAL, %d );", T.c_str(), N));
        } else if (lo) {
            c.Line(EXPR_FormatInto(c.formatted, "memset( %s, X_CLEAR_ALPHA_LOVAL, %d );", T.c_str(), N),
                   EXPR_Format("X_DEFS.X_MEMSET( ref %s, X_DEFS.X_CLEAR_ALPHA_LOVAL, %d );", T.c_str(), N));
        } else if (N == 2) {
            c.Put({T, "[0] = X_CLEAR_ALPHA;"});
            c.Put({T, "[1] = X_CLEAR_ALPHA;"});
        } else if (N <= 7) {
            c.Line(EXPR_FormatInto(c.formatted, "memcpy( %s, \"N/AVAIL\", %d );", T.c_str(), N),
                   EXPR_Format("X_DEFS.X_CPYBYTES( ref %s, \"N/AVAIL\", %d );", T.c_str(), N));
        } else {
            c.Line(EXPR_FormatInto(c.formatted, "memset( %s, X_CLEAR_ALPHA, %d );", T.c_str(), N),
                   EXPR_Format("X_DEFS.X_MEMSET( ref %s, X_DEFS.X_CLEAR_ALPHA, %d );", T.c_str(), N));
            c.Line(EXPR_FormatInto(c.formatted, "memcpy( %s, \"N/AVAIL\", 7 );", T.c_str()),
                   EXPR_Format("X_DEFS.X_COPYBYTES( ref %s, \"N/AVAIL\", 7 );", T.c_str()));
        }
        return;
    case ExprLayout::ShortChar:
        if (hi || lo) {
            c.Line(EXPR_FormatInto(c.formatted, "%s->sLength = %d;", T.c_str(), N));
            c.Line(EXPR_FormatInto(c.formatted, "memset( %s->vchData, %s, %d );", T.c_str(),
                               hi ? "X_CLEAR_ALPHA_HIVAL" : "X_CLEAR_ALPHA_LOVAL", N));
            c.Line(EXPR_FormatInto(c.formatted, "%s->vchData[%d] = END_OF_STRING;", T.c_str(), N));
        } else if (N < 3) {
            c.Put({T, "->sLength = 0;"});
            c.Put({T, "->vchData[0] = END_OF_STRING;"});
        } else if (N <= 6) {
            c.Line(EXPR_FormatInto(c.formatted, "%s->sLength = %d;", T.c_str(), N));
            c.Line(EXPR_FormatInto(c.formatted, "memcpy( %s->vchData, \"N/AVAIL\", %d );", T.c_str(), N));
            c.Line(EXPR_FormatInto(c.formatted, "%s->vchData[%d] = END_OF_STRING;", T.c_str(), N));
        } else {
            c.Put({T, "->sLength = 7;"});
            c.Put({"strcpy( ", T, "->vchData, \"N/AVAIL\" );"});
        }
        return;
    default: return;
    }
}

/* The nines of a packed or signed field at its high or low value, through
** the data pointer pField. */
void packedNines(ExprCode& c, bool packed, bool hi, int32_t N)
{
    if (packed) {
        const int32_t B = N / 2 + 1;
        const std::string sign = hi ? "'\\x90' | X_PACKED_POSITIVE;" : "'\\x90' | X_PACKED_NEGATIVE;";
        if (B == 1) {
            c.Put({"pField[0] = ", sign});
            return;
        }
        if (B == 2) {
            c.Line(N % 2 == 0 ? "pField[0] = '\\x09';" : "pField[0] = '\\x99';");
            c.Put({"pField[1] = ", sign});
            return;
        }
        if (N % 2 == 0) {
            c.Line("pField[0] = '\\x09';");
            c.Line(EXPR_FormatInto(c.formatted, "memset( ( pField + 1 ), '\\x99', %d );", B - 2));
        } else {
            c.Line(EXPR_FormatInto(c.formatted, "memset( pField, '\\x99', %d );", B - 1));
        }
        c.Line(EXPR_FormatInto(c.formatted, "pField[%d] = %s", B - 1, sign.c_str()));
        return;
    }
    if (hi) {
        if (N == 1)
            c.Line("pField[0] = '9';");
        else
            c.Line(EXPR_FormatInto(c.formatted, "memset( pField, '9', %d );", N),
                   EXPR_Format("X_DEFS.MEMSET( ref pField, '9', %d );", N));
        return;
    }
    if (N == 1) {
        c.Line("pField[0] = '\\x09' | X_SIGNED_NEGATIVE;");
    } else if (N == 2) {
        c.Line("pField[0] = '9';");
        c.Line("pField[1] = '\\x09' | X_SIGNED_NEGATIVE;");
    } else {
        c.Line(EXPR_FormatInto(c.formatted, "memset( pField, '9', %d );", N - 1));
        c.Line(EXPR_FormatInto(c.formatted, "pField[%d] = '\\x09' | X_SIGNED_NEGATIVE;", N - 1));
    }
}

/* C#: the nines through the run time's fill and byte store on the storage
** object pField (a packed field structure's digits, or the field's bytes). */
void csPackedNines(ExprCode& c, bool packed, bool hi, int32_t N)
{
    auto fill = [&](const char* value, int32_t length) {
        c.Line(EXPR_FormatInto(c.formatted, "X_DEFS.X_MEMSET( ref pField, %s, %d );", value, length));
    };
    auto set = [&](int32_t at, const std::string& value) {
        c.Line(EXPR_FormatInto(c.formatted, "X_DEFS.X_SETBYTE( pField, %d, %s );", at, value.c_str()));
    };
    if (packed) {
        const int32_t B = N / 2 + 1;
        if (B > 1)
            fill("0x99", B - 1);
        if (B > 1 && N % 2 == 0)
            set(0, "0x09");
        set(B - 1, hi ? "(byte)( 0x90 | X_DEFS.X_PACKED_POSITIVE )" : "(byte)( 0x90 | X_DEFS.X_PACKED_NEGATIVE )");
        return;
    }
    if (hi) {
        fill("'9'", N);
        return;
    }
    if (N > 1)
        fill("'9'", N - 1);
    set(N - 1, "(byte)( 0x09 | X_DEFS.X_SIGNED_NEGATIVE )");
}

void csDecimalStore(ExprCode& c, const ExprOpTraits& t, const ExprFieldView& f)
{
    const bool packed = t.layout == ExprLayout::Packed;
    const char* structure = packed ? "X_FLD_PACKED" : "X_FLD_SIGNED";
    const std::string storage =
        f.vector() ? "X_RUN_DLL.X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, " + f.table() + ", " + f.index() + " )"
                   : f.table() + "[" + f.index() + "].pField";
    c.Open();
    if (t.vector2) {
        c.Line(EXPR_FormatInto(c.formatted, "%s pFldDecimal = ((%s)( %s ));", structure, structure, storage.c_str()));
        c.Line("object pField = pFldDecimal.fchData;");
    } else {
        c.Put({"object pField = ", storage, ";"});
    }
    csPackedNines(c, packed, t.value == ExprValue::HiVal, f.d.length);
    if (f.d.sqlNull && t.vector2)
        c.Line("pFldDecimal.bFieldState &= ~((int)XFIELDSTATE.FsIsSqlNull);");
    if (f.d.indexed)
        c.Put({"X_Vec_Set_Index( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), " );"});
    if (f.d.dispatch)
        c.Put({"X_VAR_DLL.X_VAR_SetFldDataUsingDispatchOperation( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(),
               " );"});
    c.Close();
}

void decimalStore(ExprCode& c, const ExprOpTraits& t, const ExprFieldView& f)
{
    if (c.cs()) {
        csDecimalStore(c, t, f);
        return;
    }
    const bool packed = t.layout == ExprLayout::Packed;
    const char* structure = packed ? "X_FLD_PACKED" : "X_FLD_SIGNED";
    const char* pointer = packed ? "pFldPacked" : "pFldSigned";
    const std::string applied = "X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, " + f.table() + ", " + f.index() + " )";
    const std::string plain = f.table() + "[" + f.index() + "].pField";
    c.Open();
    if (!t.vector2) {
        c.Line("X_PDICTIONARY_FIELD");
        c.Line(f.vector() ? "   pField = ((X_PDICTIONARY_FIELD)( " + applied + " ));" : "   pField = " + plain + ";");
    } else {
        c.Line(structure);
        c.Line(EXPR_FormatInto(c.formatted, "   *%s = ((%s*)( %s ));", pointer, structure, (f.vector() ? applied : plain).c_str()));
        c.Line("X_PDICTIONARY_FIELD");
        c.Line(EXPR_FormatInto(c.formatted, "   pField = ((X_PDICTIONARY_FIELD)( &( %s->fchData[0] ) ));", pointer));
    }
    packedNines(c, packed, t.value == ExprValue::HiVal, f.d.length);
    /* only the VECTOR2 form has the field structure that holds the state */
    if (f.d.sqlNull && t.vector2)
        c.Line(EXPR_FormatInto(c.formatted, "%s->bFieldState = ((XFIELDSTATE)( %s->bFieldState & (~FsIsSqlNull) ));", pointer, pointer));
    if (f.d.indexed)
        c.Put({"X_Vec_Set_Index( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), " );"});
    if (f.d.dispatch)
        c.Put({"X_VAR_SetFldDataUsingDispatchOperation( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), " );"});
    c.Close();
}

void valueStore(ExprCode& c, const EXPR_STATEMENT& s, const ExprOpTraits& t, const ExprFieldView& f)
{
    if (t.layout == ExprLayout::Packed || t.layout == ExprLayout::Signed) {
        decimalStore(c, t, f);
        return;
    }
    const TargetType type = targetType(t.layout, f.d.typeLetter);
    if (type.structure == nullptr) {
        c.Line("Instruction");
        return;
    }
    const std::string applied = "X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, " + f.table() + ", " + f.index() + " )";
    const std::string plain = f.table() + "[" + f.index() + "].pField";
    /* A cast to a structure type does not compile: every cast is to a
    ** pointer (the alphanumeric data pointer type is one already). */
    const std::string cast = type.pointerType || c.cs() ? EXPR_Format("((%s)( %%s ))", type.structure)
                                                        : EXPR_Format("((%s*)( %%s ))", type.structure);
    std::string T;
    if (c.cs() && t.layout == ExprLayout::Alpha) {
        /* the run time's fills and copies take the field's element of the vector */
        if (f.vector()) {
            c.Open();
            c.Put(
                {"X_FLD pField = X_RUN_DLL.X_GET_INDEX( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), " );"});
            T = "pField";
        } else {
            T = f.table() + "[" + f.index() + "]";
        }
    } else if (f.vector() && c.cs()) {
        c.Open();
        c.Put({std::string(type.structure), " pField = ", EXPR_Format(cast.c_str(), ("X_RUN_DLL." + applied).c_str()),
               ";"});
        T = "pField";
    } else if (f.vector()) {
        c.Open();
        c.Line(type.structure);
        c.Put({std::string(type.pointerType ? "      pField = " : "      *pField = "),
               EXPR_Format(cast.c_str(), applied.c_str()), ";"});
        T = "pField";
    } else {
        T = EXPR_Format(cast.c_str(), plain.c_str());
    }
    typedValue(c, t.layout, t.value, T, f.d.length);
    const ExprLayout l = t.layout;
    if (f.d.sqlNull && l != ExprLayout::Alpha && l != ExprLayout::String && l != ExprLayout::Binary &&
        l != ExprLayout::ShortChar) {
        const bool csForm = l == ExprLayout::IntU8 || l == ExprLayout::Int8 || l == ExprLayout::Int16 ||
                            l == ExprLayout::Date || l == ExprLayout::DateTime;
        if (c.cs() && csForm)
            c.Put({T, ".bFieldState = (int)((XFIELDSTATE)( ", T, ".bFieldState & (~(int)XFIELDSTATE.FsIsSqlNull) ));"});
        else
            c.Put({T, "->bFieldState = ((XFIELDSTATE)( ", T, "->bFieldState & (~FsIsSqlNull) ));"});
    }
    if (f.d.indexed && isNumericLayout(l))
        c.Put({"X_Vec_Set_Index( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), " );"});
    if (f.d.dispatch) {
        const std::string set =
            "X_VAR_SetFldDataUsingDispatchOperation( pX_Ids, pX_Pro, pX_Fun, " + f.table() + ", " + f.index() + " );";
        c.Line(c.cs() && (l == ExprLayout::IntU8 || l == ExprLayout::Int8) ? "X_VAR_DLL." + set : set);
    }
    if (f.vector())
        c.Close();
    (void)s;
}

std::string byteLength(const ExprFieldView& f)
{
    return "BYTE_LEN_" + f.index();
}

/* Field pointer k of an identical move, and the text that addresses it. */
std::string movePointer(ExprCode& c, const ExprFieldView& f, int k)
{
    const std::string applied = "X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, " + f.table() + ", " + f.index() + " )";
    if (f.vector()) {
        if (f.full()) {
            c.Line("X_FLD_INFO");
            c.Line(EXPR_FormatInto(c.formatted, "   *pField%d = ((X_FLD_INFO*)( %s ));", k, applied.c_str()));
        } else {
            c.Line("X_PDICTIONARY_FIELD");
            c.Line(EXPR_FormatInto(c.formatted, "   pField%d = ((X_PDICTIONARY_FIELD)( %s ));", k, applied.c_str()));
        }
        return EXPR_Format("pField%d", k);
    }
    if (f.d.record) {
        c.Line("X_FLD_RECORD");
        c.Line(EXPR_FormatInto(c.formatted, "   *pRecord%d = ((X_FLD_RECORD*)( %s[%s].pField ));", k, f.table().c_str(),
                           f.d.recordName.c_str()));
        const std::string offset = EXPR_Format(
            "((X_PDICTIONARY_FIELD)( pRecord%d->pDataRecord )) + pRecord%d->pDescription->pOffsetTable[ %s ]", k, k,
            f.index().c_str());
        if (f.full()) {
            c.Line("X_FLD_INFO");
            c.Line(EXPR_FormatInto(c.formatted, "   *pField%d = ((X_FLD_INFO*)( %s ));", k, offset.c_str()));
        } else {
            c.Line("X_PDICTIONARY_FIELD");
            c.Line(EXPR_FormatInto(c.formatted, "   pField%d = ( %s );", k, offset.c_str()));
        }
        return EXPR_Format("pField%d", k);
    }
    return f.table() + "[" + f.index() + "].pField";
}

void varyingMove(ExprCode& c, const ExprFieldView& source, const ExprFieldView& target, const std::string& S,
                 const std::string& D, bool binary)
{
    const char* type = binary ? "X_FLD_BINARY" : "X_FLD_CHAR";
    const char* release = binary ? "X_VAR_VarBinary_Release" : "X_VAR_VarChar_Release";
    const char* assign = binary ? "X_VAR_VarBinary_Assign" : "X_VAR_VarChar_Assign";
    const std::string clear = EXPR_Format("((%s*)( %s ))->bFieldState &= ~FsIsSqlNull;", type, D.c_str());
    const std::string copy = EXPR_Format("%s( pX_Ids, pX_Pro, pX_Fun, ((%s*)( %s )), ((%s*)( %s )) );", assign, type,
                                         S.c_str(), type, D.c_str());
    if (!source.d.sqlNull) {
        c.Line(copy);
        if (target.d.sqlNull)
            c.Line(clear);
        return;
    }
    c.Line(EXPR_FormatInto(c.formatted, "if ( ( ((%s*)( %s ))->bFieldState & FsIsSqlNull ) != 0 )", type, S.c_str()));
    c.Line("{");
    c.Line(EXPR_FormatInto(c.formatted, "   %s( pX_Ids, pX_Pro, pX_Fun, ((%s*)( %s )) );", release, type, D.c_str()));
    if (target.d.sqlNull)
        c.Line(EXPR_FormatInto(c.formatted, "   ((%s*)( %s ))->bFieldState |= FsIsSqlNull;", type, D.c_str()));
    c.Line("}");
    c.Line("else");
    c.Line("{");
    c.Put({"   ", copy});
    if (target.d.sqlNull)
        c.Line(clear);
    c.Line("}");
}

}  // namespace

void EXPR_WriteSpecialValueStore(ExprCode& c, const EXPR_STATEMENT& s)
{
    EXPR_OPERAND_NODE* target = s.operation;
    const ExprOpTraits& t = EXPR_OpTraits(target != nullptr ? target->opcode : 0);
    const ExprFieldView& f = EXPR_ViewField(c, target);
    if (t.kind != ExprOpKind::Pull || !f.field) {
        c.Line("Instruction");
        return;
    }
    switch (t.value) {
    case ExprValue::Null:
    case ExprValue::SqlNull:
        EXPR_WriteFieldPointerDeclarations(c, target, f, false);
        EXPR_WriteFieldPointerSetup(c, f, target, &s);
        EXPR_WriteFieldClear(c, target, f, t.value == ExprValue::SqlNull ? 1 : 0);
        EXPR_WriteSetFieldDataDispatch(c.gen, f.d, target, c.stream, c.indent, 1);
        return;
    case ExprValue::HiVal:
    case ExprValue::LoVal:
    case ExprValue::NAvail: valueStore(c, s, t, f); return;
    default: c.Line("Instruction"); return;
    }
}

void EXPR_WriteIdenticalFieldMove(ExprCode& c, const EXPR_STATEMENT& s)
{
    EXPR_OPERAND_NODE* targetInstruction = s.operation;
    const ExprOpTraits& t = EXPR_OpTraits(targetInstruction != nullptr ? targetInstruction->opcode : 0);
    const ExprFieldView& target = EXPR_ViewField(c, targetInstruction);
    ExprFieldView source;
    source.field = EXPR_DescribeOperand(c.gen.Fields(), source.d, s.source) != 0;
    if (!target.field || !source.field || t.layout != ExprLayout::Identical) {
        c.Line("Instruction");
        return;
    }
    const std::string S = movePointer(c, source, 1);
    const std::string D = movePointer(c, target, 2);
    if (target.d.dispatch)
        c.Put({"X_VAR_GetFldDataUsingDispatchOperation( pX_Ids, pX_Pro, pX_Fun, pX_Fld, ", target.index(), " );"});
    const std::string LS = byteLength(source), LD = byteLength(target);
    const std::string clearTarget = "((X_FLD_INFO*)( " + D + " ))->bFieldState &= ~FsIsSqlNull;";
    if (!t.vector2) {
        if (t.suffix == 'A')
            c.Put({"X_CPYBYTES( ", D, ", ((X_FLD_PACKED*)( ", S, " ))->fchData, ", LD, " );"});
        else if (t.suffix == 'B')
            c.Put({"X_CPYBYTES( ", D, ", ((X_FLD_SIGNED*)( ", S, " ))->fchData, ", LD, " );"});
        else if (target.d.length == 1)
            c.Put({"*(", D, ") = *(", S, ");"});
        else
            c.Put({"X_CPYBYTES( ", D, ", ", S, ", ", LD, " );"});
    } else if (t.suffix == 0) {
        c.Put({"X_CPYBYTES( ", D, ", ", S, ", ", LS, " );"});
        if (source.d.sqlNull && !target.d.sqlNull)
            c.Line(clearTarget);
    } else if (t.suffix == 'A' || t.suffix == 'B') {
        c.Put({"X_CPYBYTES( ((", std::string(t.suffix == 'A' ? "X_FLD_PACKED" : "X_FLD_SIGNED"), "*)( ", D,
               " ))->fchData, ", S, ", ", LS, " );"});
        if (target.d.sqlNull)
            c.Line(clearTarget);
    } else {
        varyingMove(c, source, target, S, D, t.suffix == 'D');
    }
    EXPR_WriteVectorSetIndex(c.gen, targetInstruction, target.d, c.stream, c.indent, 1);
    EXPR_WriteSetFieldDataDispatch(c.gen, target.d, targetInstruction, c.stream, c.indent, 1);
    if (c.routine.kind == EXPR_ROUTINE_COMMAND)
        EXPR_WriteIoStatusLoad(c.gen, targetInstruction, c.stream, c.indent);
}

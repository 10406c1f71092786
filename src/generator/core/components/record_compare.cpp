/*
** record_compare.cpp: the comparison lines of one record field.
**
** Packed and signed fields of at most 31 digits get a platform block: the
** iSeries compares them as native decimals, every other platform through
** X_Compare_Identical_SorP. The equality test of a packed field of
** storage length other than 1 compares the result of that call only
** (an assignment inside the condition would be no test of its own).
*/
#include "generator/core/components/record_compare.h"

#include <cstdio>
#include <string>
#include <vector>

#include "generator/core/model/field_types.h"
#include "generator/core/output/line_writer.h"

namespace {

/* The three return texts of an ordering. */
struct Returns {
    const char* less;
    const char* greater;
    const char* threeWay;
};

Returns returnsFor(char cOrder)
{
    return cOrder == 'D' ? Returns{"1", "-1", "(lCompare * -1)"} : Returns{"-1", "1", "lCompare"};
}

std::string format(const char* pattern, std::initializer_list<std::string> args)
{
    std::string out;
    auto arg = args.begin();
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && arg != args.end()) {
            out += *arg++;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

void line(const char* pattern, std::initializer_list<std::string> args)
{
    P3109_Line(format(pattern, args));
}

/* How a packed or signed operand is written: through its extended data,
** as an array member, or by its address. */
enum class Operand { Extended, Array, Scalar };

Operand operandForm(const GEN_FIELD_INFO& f)
{
    if (P3109_fNeedsZophxHandling(f))
        return Operand::Extended;
    return f.usByteLength != 1 ? Operand::Array : Operand::Scalar;
}

std::string decimal(const GEN_FIELD_INFO& f)
{
    char text[32];
    std::snprintf(text, sizeof text, "decimal(%d,%d)", static_cast<int>(f.lLength), static_cast<int>(f.sDecimals));
    return text;
}

/* One decimal operand of the iSeries packed comparison. */
std::string packedDecimal(const GEN_FIELD_INFO& f, const std::string& operand)
{
    const std::string d = decimal(f);
    switch (operandForm(f)) {
    case Operand::Extended: return "*((" + d + "*)( ((X_FLD_PACKED*)( &( " + operand + " ) ))->fchData ))";
    case Operand::Array: return "*((" + d + "*)( " + operand + " ))";
    case Operand::Scalar: break;
    }
    return "*((" + d + "*)( &( " + operand + " ) ))";
}

/* The conversions of a signed field into two native decimals. */
void signedConversions(const GEN_FIELD_INFO& f, const std::string& a, const std::string& b)
{
    P3109_Line(decimal(f));
    P3109_Line("   decValue1,");
    P3109_Line("   decValue2;");
    P3109_Line(" ");
    char pair[16];
    std::snprintf(pair, sizeof pair, "%.2x%.2x", static_cast<unsigned>(f.sDecimals) & 0xFFu,
                  static_cast<unsigned>(f.lLength) & 0xFFu);
    auto source = [&](const std::string& operand) {
        switch (operandForm(f)) {
        case Operand::Extended: return "((X_CHAR*)( ((X_FLD_PACKED*)( &( " + operand + " ) ))->fchData ))";
        case Operand::Array: return "((X_CHAR*)( " + operand + " ))";
        case Operand::Scalar: break;
        }
        return "((X_CHAR*)( &( " + operand + " ) ))";
    };
    for (const auto& [target, operand] : {std::pair{"decValue1", a}, std::pair{"decValue2", b}})
        P3109_Line(std::string("_CPYNV( 0x03") + pair + "00, ((X_CHAR*)( &" + target + " )), 0x02" + pair + "00, " +
                   source(operand) + " );");
    P3109_Line(" ");
}

/* The portable comparison call of a packed or signed field, up to the
** comparison with 0. */
std::string identicalCall(const GEN_FIELD_INFO& f, const std::string& a, const std::string& b)
{
    const bool packed = f.cType == 'P';
    const std::string kind = packed ? "X_FLD_PACKED" : "X_FLD_SIGNED";
    const std::string type = packed ? "X_TYPE_PACKED" : "X_TYPE_SIGNED";
    switch (operandForm(f)) {
    case Operand::Extended:
        return "X_Compare_Identical_SorP( ((" + kind + "*)( &(" + a + ") ))->fchData, ((" + kind + "*)( &(" + b +
               ") ))->fchData, " + type + ", ( BYTE_LEN_" + f.vectorName + " - sizeof( " + kind + " ) + 1 ) )";
    case Operand::Array: return "X_Compare_Identical_SorP( " + a + ", " + b + ", " + type + ", sizeof( " + a + " ) )";
    case Operand::Scalar: break;
    }
    return "X_Compare_Identical_SorP( &( " + a + " ), &( " + b + " ), " + type + ", sizeof( " + a + " ) )";
}

/* The platform frame of a packed or signed field around the iSeries
** lines and the portable line. */
template <typename ISeries>
void platformBlock(const GEN_FIELD_INFO& f, ISeries iSeriesLines, const std::string& portable)
{
    const bool native = f.lLength <= 31;
    GEN_OUTPUT_STATE& o = P3109_State().out;
    if (native) {
        P3109_Line("#if defined(X_OPERATING_SYSTEM_ISERIES)");
        P3109_Line("{");
        o.usIndent = static_cast<uint16_t>(o.usIndent + 3);
        iSeriesLines();
        o.usIndent = static_cast<uint16_t>(o.usIndent - 3);
        P3109_Line("}");
        P3109_Line("#else");
        P3109_Line("{");
        o.usIndent = static_cast<uint16_t>(o.usIndent + 3);
    }
    P3109_Line(portable);
    if (native) {
        o.usIndent = static_cast<uint16_t>(o.usIndent - 3);
        P3109_Line("}");
        P3109_Line("#endif");
    }
}

std::string member(std::string_view pointer, const GEN_FIELD_INFO& f)
{
    return std::string(pointer) + "->" + f.localName;
}

}  // namespace

void P3109_WriteRecordCompare(const GEN_FIELD_INFO& f, std::string_view first, std::string_view second, char cOrder)
{
    const std::string a = member(first, f), b = member(second, f);
    const Returns r = returnsFor(cOrder);
    const std::string value = P3109_pszValueMemberName(f);
    auto relational = [&] {
        line("if (%s < %s) return %s;", {a, b, r.less});
        line("if (%s > %s) return %s;", {a, b, r.greater});
    };
    auto threeWay = [&](const char* routine) {
        line("if ( ( lCompare = %s( NULL, NULL, NULL, &(%s), &(%s) ) ) != 0 ) return %s;", {routine, a, b, r.threeWay});
    };
    switch (f.cType) {
    case '1':
    case 'H':
        line("if ( ( lCompare = X_VAR_VarChar_Compare( NULL, NULL, NULL, (X_FLD_CHAR *)&(%s), (X_FLD_CHAR *)&(%s) ) ) "
             "!= 0 ) return %s;",
             {a, b, r.threeWay});
        return;
    case '2':
    case 'B': threeWay("X_VAR_VarBinary_Compare"); return;
    case '3':
    case '4':
        line("if ( ( lCompare = strcmp( %s.%s, %s.%s ) ) != 0 ) return %s;", {a, value, b, value, r.threeWay});
        return;
    case 'A':
        if (f.lLength != 1)
            line("if ( ( lCompare = memcmp( %s, %s, sizeof(%s) ) ) != 0 ) return %s;", {a, b, a, r.threeWay});
        else
            relational();
        return;
    case 'D':
    case 'L': relational(); return;
    case 'E': threeWay("X_VAR_Date_Compare"); return;
    case 'M': threeWay("X_VAR_Time_Compare"); return;
    case 'Z': threeWay("X_VAR_DateTime_Compare"); return;
    case 'F':
    case 'I':
    case 'Y':
        line("if ( %s.%s < %s.%s ) return %s;", {a, value, b, value, r.less});
        line("if ( %s.%s > %s.%s ) return %s;", {a, value, b, value, r.greater});
        return;
    case 'U':
        line(
            "if ( ( lCompare = strcmp( ((X_FLD_SHORT_CHAR*) %s)->vchData, ((X_FLD_SHORT_CHAR*) %s)->vchData ) ) != 0 ) "
            "return %s;",
            {a, b, r.threeWay});
        return;
    case 'P':
        platformBlock(
            f,
            [&] {
                line("if ( %s < %s ) return %s;", {packedDecimal(f, a), packedDecimal(f, b), r.less});
                line("if ( %s > %s ) return %s;", {packedDecimal(f, a), packedDecimal(f, b), r.greater});
            },
            "if ( ( lCompare = " + identicalCall(f, a, b) + " ) != 0 ) return " + r.threeWay + ";");
        return;
    case 'S':
        platformBlock(
            f,
            [&] {
                signedConversions(f, a, b);
                line("if ( decValue1 < decValue2 ) return %s;", {r.less});
                line("if ( decValue1 > decValue2 ) return %s;", {r.greater});
            },
            "if ( ( lCompare = " + identicalCall(f, a, b) + " ) != 0 ) return " + r.threeWay + ";");
        return;
    default: return;
    }
}

void P3109_WriteRecordEquality(const GEN_FIELD_INFO& f, std::string_view first, std::string_view second)
{
    const std::string a = member(first, f), b = member(second, f);
    const std::string value = P3109_pszValueMemberName(f);
    auto memcmpLine = [&](const char* data, const char* size) {
        line("if ( memcmp( %s.%s, %s.%s, %s ) != 0 ) return FALSE;", {a, data, b, data, size});
    };
    switch (f.cType) {
    case '1':
    case 'H':
        line("if ( X_VAR_VarChar_Compare( pX_NULL, pX_NULL, pX_NULL, (X_FLD_CHAR *)&(%s), (X_FLD_CHAR *)&(%s) ) != 0 ) "
             "return FALSE;",
             {a, b});
        return;
    case '2':
    case 'B':
        line("if ( X_VAR_VarBinary_Compare( pX_NULL, pX_NULL, pX_NULL, &(%s), &(%s) ) != 0 ) return FALSE;", {a, b});
        return;
    case '3':
    case '4': line("if ( ( lCompare = strcmp( %s.%s, %s.%s ) ) != 0 ) return FALSE;", {a, value, b, value}); return;
    case 'A':
        if (f.lLength != 1)
            line("if ( memcmp( %s, %s, sizeof(%s) ) != 0 ) return FALSE;", {a, b, a});
        else
            line("if (%s != %s) return FALSE;", {a, b});
        return;
    case 'D':
    case 'L': line("if (%s != %s) return FALSE;", {a, b}); return;
    case 'E': memcmpLine("vchDate", "X_MAX_SIZE_DATE_LEN"); return;
    case 'M': memcmpLine("vchTime", "X_MAX_SIZE_TIME_LEN"); return;
    case 'Z': memcmpLine("vchDateTime", "X_MAX_SIZE_DATETIME_LEN"); return;
    case 'F':
    case 'I':
    case 'Y': line("if ( %s.%s != %s.%s ) return FALSE;", {a, value, b, value}); return;
    case 'U':
        line("if ( !X_VAR_VarChar_StringCompare( pX_NULL, pX_NULL, pX_NULL, ((X_FLD_SHORT_CHAR*) %s)->vchData, "
             "((X_FLD_SHORT_CHAR*) %s)->sLength, pX_NULL, ((X_FLD_SHORT_CHAR*) %s)->vchData, ((X_FLD_SHORT_CHAR*) "
             "%s)->sLength, pX_NULL, X_VAR_COMPARE_MASK_EQUAL ) ) return FALSE;",
             {a, a, b, b});
        return;
    case 'P':
        platformBlock(
            f,
            [&] {
                line("if ( %s != %s ) return FALSE;", {packedDecimal(f, a), packedDecimal(f, b)});
            },
            "if ( " + identicalCall(f, a, b) + " != 0 ) return FALSE;");
        return;
    case 'S':
        platformBlock(
            f,
            [&] {
                signedConversions(f, a, b);
                P3109_Line("if ( decValue1 != decValue2 ) return FALSE;");
            },
            "if ( " + identicalCall(f, a, b) + " != 0 ) return FALSE;");
        return;
    default: return;
    }
}

bool P3109_fRecordCompareUsesResult(const GEN_FIELD_INFO& f)
{
    switch (f.cType) {
    case 'A': return f.lLength != 1;
    case 'D':
    case 'L':
    case 'F':
    case 'I':
    case 'Y': return false;
    default: return true;
    }
}

void P3109_WriteRecordCompareCs(const GEN_FIELD_INFO& f, std::string_view first, std::string_view second, char cOrder)
{
    const std::string a = std::string(first) + "." + f.localName, b = std::string(second) + "." + f.localName;
    const Returns r = returnsFor(cOrder);
    const std::string value = P3109_pszValueMemberName(f);
    const bool extended = P3109_fNeedsZophxHandling(f);
    std::string compare;
    switch (f.cType) {
    case 'A': compare = "string.CompareOrdinal( " + a + ", " + b + " )"; break;
    case 'P':
    case 'S': {
        const std::string type = f.cType == 'P' ? "X_DEFS.X_TYPE_PACKED" : "X_DEFS.X_TYPE_SIGNED";
        /* a decimal of one byte is bytes as a longer one is */
        if (extended)
            compare = "X_RUN_DLL.X_Compare_Identical_SorP( " + a + ".fchData, " + b + ".fchData, " + type +
                      ", ( BYTE_LEN_" + f.vectorName + " - DqooDef.X_FLD_PACKED_SIZE + 1 ) )";
        else
            compare = "X_RUN_DLL.X_Compare_Identical_SorP( " + a + ", " + b + ", " + type + ", BYTE_LEN_" +
                      f.vectorName + " )";
        break;
    }
    case 'D':
    case 'L': compare = a + ".CompareTo( " + b + " )"; break;
    case 'F':
    case 'I':
    case 'Y': compare = a + "." + value + ".CompareTo( " + b + "." + value + " )"; break;
    case 'E':
    case 'M':
    case 'Z':
    case '3':
    case '4':
    case 'U': compare = "string.CompareOrdinal( " + a + "." + value + ", " + b + "." + value + " )"; break;
    case '1':
    case 'H': compare = "X_VAR_DLL.X_VAR_VarChar_Compare( null, null, null, " + a + ", " + b + " )"; break;
    case '2':
    case 'B': compare = "X_VAR_DLL.X_VAR_VarBinary_Compare( null, null, null, " + a + ", " + b + " )"; break;
    default: return;
    }
    P3109_Line("if ( ( lCompare = " + compare + " ) != 0 ) return " + r.threeWay + ";");
}

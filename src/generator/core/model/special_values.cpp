/*
** special_values.cpp: blanks or zero, the highest and lowest value of a
** type, one character repeated, an alphanumeric literal, and the loading
** of an operand's current value before it is used.
**
** The value writers serve the fields of the classic language only; a field
** that needs the extended language's handling reaching one of them is an
** internal error naming the writer and the field.
*/
#include <cstring>

#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "platform/dqos/dqos.h"

namespace {

/* The text of a condition result's evaluation: the condition's name,
** blank-padded. */
constexpr size_t kConditionResultText = 250;

bool csharp()
{
    return P3109_State().cTarget == GEN_TARGET_CSHARP;
}

void guard(const GEN_FIELD_INFO& f, const char* label)
{
    if (P3109_fNeedsZophxHandling(f))
        P3109_ZophxFieldMisuse(label, f.DisplayName());
}

std::string byteLength(const GEN_FIELD_INFO& f)
{
    return "pX_Fld[" + f.vectorName + "].sByteLen";
}

/* The declaration of the field pointer: C# works on the field's element of
** the vector, which knows its storage. */
const char* fieldPointer()
{
    return csharp() ? "X_FLD pField;" : "X_PDICTIONARY_FIELD pField;";
}

/* "{", the field pointer and its index; the body; the refresh and "}". */
template <typename Body> void frame(const GEN_FIELD_INFO& f, Body body)
{
    P3109_WriteOpenBrace();
    P3109_Line(fieldPointer());
    P3109_WriteGetIndex("pField", f);
    body();
    P3109_WriteRefreshComponentValue(f);
    P3109_WriteCloseBrace();
}

/* The fill of the field's bytes: memset in C, the run time's fill in C#. */
std::string fill(const std::string& value, const std::string& length)
{
    return csharp() ? "X_DEFS.X_MEMSET( pField, " + value + ", " + length + " );"
                    : "memset(pField," + value + "," + length + ");";
}

void writeBlankOrZeroStatement(const GEN_FIELD_INFO& f)
{
    const std::string len = byteLength(f);
    const std::string q = csharp() ? "X_DEFS." : "";
    switch (f.cType) {
    case 'A': P3109_Line(fill(q + "X_CLEAR_ALPHA", len)); return;
    case 'S': P3109_Line(fill(q + "X_CLEAR_SIGN", len)); return;
    case 'P':
        if (f.usByteLength > 1)
            P3109_Line(fill(q + "X_CLEAR_PACK", len));
        P3109_Line(csharp() ? "X_DEFS.X_SETBYTE( pField, " + len + " - 1, X_DEFS.X_PACK_TERMINATOR );"
                            : "pField[" + len + " - 1] = X_PACK_TERMINATOR;");
        return;
    case 'L': P3109_Line(csharp() ? "X_DEFS.X_SETVALUE( pField, 0 );" : "*((X_PLONG)pField) = (X_LONG)0;"); return;
    case 'D':
        P3109_Line(csharp() ? "X_DEFS.X_SETVALUE( pField, 0.0 );" : "*((X_PDOUBLE)pField) = (X_DOUBLE)0.0;");
        return;
    default: return;
    }
}

/* The highest (or lowest) value as a double literal and its VOV value. */
void writeExtremeValue(const GEN_FIELD_INFO& f, char cSign)
{
    const int32_t integerDigits = std::max<int32_t>(f.lLength - f.sDecimals, 0);
    const int32_t decimals = std::max<int16_t>(f.sDecimals, 0);
    std::string value(1, cSign);
    value += integerDigits > 0 ? std::string(static_cast<size_t>(integerDigits), '9') : "0";
    value += ".";
    value += decimals > 0 ? std::string(static_cast<size_t>(decimals), '9') : "0";
    P3109_WriteSetFromDoubleAtScale(f, value, decimals);
    std::string vov = "0";
    if (integerDigits >= 1 && integerDigits <= 4)
        vov = std::string(1, cSign) + std::string(static_cast<size_t>(integerDigits), '9');
    else if (integerDigits > 4)
        vov = cSign == '+' ? "9999" : "-9999";
    P3109_WriteIndexVOV(f, vov);
}

/* The fill character as a C character literal. */
std::string charLiteral(char c)
{
    if (c == '\'' || c == '\\')
        return std::string("'\\") + c + "'";
    return std::string("'") + c + "'";
}

constexpr const char* kBlankOrZeroNames[] = {"*BLANK", "*BLANKS", "*ZERO", "*ZEROS", "*ZEROES"};

bool namesBlankOrZero(const std::string& name20)
{
    for (const char* n : kBlankOrZeroNames)
        if (name20 == P3109_Padded(n, 20))
            return true;
    return false;
}

void loadConditionResult(const GEN_FIELD_INFO& operand, const std::string& name20)
{
    P3109_WriteOpenBrace();
    const GEN_EVALUATION_NODE* node = P3109_pszMakeEvaluationName(name20, GEN_EVAL_LOGICAL, kConditionResultText,
                                                                  P3109_Padded(name20, kConditionResultText),
                                                                  GEN_EVAL_UNNAMED, GEN_EVAL_SHARE_NAMED, 0);
    if (csharp()) {
        P3109_Line("string pvchRESULT;");
        P3109_Line("if (" + node->name + "(" + GEN_FUNCTION_PARMS_CS +
                   ") == YES) pvchRESULT = X_DEFS.pvchTRUE_STRING;");
        P3109_Line("else pvchRESULT = X_DEFS.pvchFALSE_STRING;");
    } else {
        P3109_Line("X_PVCHAR pvchRESULT;");
        P3109_Line("if (" + node->name + "(FUNCTION_STD_PARMS) == YES) pvchRESULT = pvchTRUE_STRING;");
        P3109_Line("else pvchRESULT = pvchFALSE_STRING;");
    }
    P3109_WriteSetFromVchar(operand, "pvchRESULT");
    P3109_WriteCloseBrace();
}

}  // namespace

void P3109_WriteSetToBlankOrZero(const GEN_FIELD_INFO& field)
{
    guard(field, "G_Set_to_NULL()");
    frame(field, [&] {
        writeBlankOrZeroStatement(field);
        P3109_WriteIndexVOV(field, "0");
    });
}

void P3109_WriteSetToHival(const GEN_FIELD_INFO& field)
{
    guard(field, "G_Set_to_HIVAL()");
    if (field.cType != 'A') {
        writeExtremeValue(field, '+');
        return;
    }
    frame(field, [&] { P3109_Line(fill(csharp() ? "X_DEFS.HIVAL" : "HIVAL", byteLength(field))); });
}

void P3109_WriteSetToLoval(const GEN_FIELD_INFO& field)
{
    guard(field, "G_Set_to_LOVAL()");
    if (field.cType != 'A') {
        writeExtremeValue(field, '-');
        return;
    }
    frame(field, [&] {
        P3109_Line(fill(csharp() ? "X_DEFS.X_CLEAR_ALPHA_LOVAL" : "X_CLEAR_ALPHA_LOVAL", byteLength(field)));
    });
}

void P3109_WriteSetToAllSame(const GEN_FIELD_INFO& field, char cFill)
{
    guard(field, "G_Set_to_ALLSAME()");
    frame(field, [&] { P3109_Line(fill(charLiteral(cFill), byteLength(field))); });
}

void P3109_WriteSetToAlphaLiteral(const GEN_FIELD_INFO& field, std::string_view literal, uint16_t usLength)
{
    guard(field, "G_Set_to_ALPHALITERAL()");
    const std::string text(literal.substr(0, std::min<size_t>(usLength, literal.size())));
    CGEN_SetTextLiteralPrefix("ZOPH_LITERAL");
    const int32_t ebcdic = SSNLS_usGetEbcdicLength(text.c_str());
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralArrayName(text, nullptr, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    /* C# names the literal by its declared name */
    const std::string ref = (csharp() ? declared : reference) ? (csharp() ? declared : reference) : "";

    P3109_WriteOpenBrace();
    P3109_Line(fieldPointer());
    P3109_WriteGetIndex("pField", field);
    const int32_t fieldLength = field.lLength, literalLength = static_cast<int32_t>(text.size());
    int32_t copy = 0, limit = 0;
    if (fieldLength > ebcdic) {
        P3109_Line(csharp() ? "X_DEFS.X_MEMSET( pField, X_DEFS.X_CLEAR_ALPHA, " + byteLength(field) + " );"
                            : "memset( pField, X_CLEAR_ALPHA, " + byteLength(field) + " );");
        copy = literalLength;
        limit = ebcdic;
    } else {
        limit = fieldLength;
        copy = std::min(literalLength, fieldLength);
    }
    const std::string length = copy == limit ? std::to_string(copy)
                                             : (csharp() ? "X_DEFS." : "") + std::string("X_RESOLVE_VARCHAR_LENGTH( ") +
                                                   std::to_string(copy) + ", " + std::to_string(limit) + " )";
    P3109_Line(std::string(csharp() ? "DqooDef.X_MEMCPY( pField, " : "memcpy( pField, ") + ref + ", " + length + " );");
    P3109_WriteRefreshComponentValue(field);
    P3109_WriteCloseBrace();
}

void P3109_WriteSetToMultilingualText(const GEN_FIELD_INFO& field, std::string_view name)
{
    const int16_t ordinal = P3109_pFindMultilingualVariable(P3109_TrimRight(name));
    P3109_WriteOpenBrace();
    P3109_Line(csharp() ? "string pvChar;" : "X_PVCHAR pvChar;");
    P3109_WriteGetMultilingualText("pvChar", ordinal);
    P3109_WriteSetFromVchar(field, "pvChar");
    P3109_WriteCloseBrace();
}

void P3109_WriteSetToSpecialValue(const GEN_FIELD_INFO& operand, int refreshClasses)
{
    if (operand.cRefresh == 'N' || (!(refreshClasses & GEN_REFRESH_STATIC) && operand.cRefresh == 'S') ||
        (!(refreshClasses & GEN_REFRESH_DYNAMIC) && operand.cRefresh == 'D'))
        return;
    const std::string name20 = P3109_Padded(operand.operandName, 20);
    if (namesBlankOrZero(name20)) {
        P3109_WriteSetToBlankOrZero(operand);
        return;
    }
    if (name20.compare(0, 5, "*MTXT") == 0) {
        P3109_WriteSetToMultilingualText(operand, name20);
        return;
    }
    if (operand.cLoadKind == 1) {
        P3109_Line(csharp() ? "X_RUN_DLL.X_Vec_Set_from_SysVar (pX_Ids,pX_Pro,pX_Fun,pX_Fld,"
                            : "X_Vec_Set_from_SysVar (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
        P3109_Line("          " + operand.vectorName + "," + P3109_MakeStringLiteral(operand.systemVariable) + ");");
        return;
    }
    if (operand.cLoadKind == 2)
        loadConditionResult(operand, name20);
}

/*
** value_writers.cpp: statements that move a field's value into or out of a
** C variable of another type.
**
** Each writer picks one of three shapes: a numeric literal that is a plain
** integer is assigned directly; a component's field goes through the
** runtime's component services; every other field through its vector
** services, or, for integer and float fields and packed and signed fields
** of at most 31 digits, directly through its storage (the latter inside a
** block for the machines with native decimal arithmetic).
*/
#include <cstdio>

#include "generator/core/model/field_types.h"
#include "generator/core/model/field_values.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"

namespace {

constexpr const char* kArgs = "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, ";
constexpr const char* kArgsTight = " (pX_Ids, pX_Pro, pX_Fun, pX_Fld,";

bool csharp()
{
    return P3109_State().cTarget == GEN_TARGET_CSHARP;
}

bool componentShape(const GEN_FIELD_INFO& f)
{
    return P3109_fIsComponentField(f) && f.cResolved != 'E';
}

/* "X_Vec_" or "X_Comp_" and the service name. */
std::string service(const GEN_FIELD_INFO& f, const char* name)
{
    return std::string(componentShape(f) ? "X_Comp_" : "X_Vec_") + name;
}

/* The expression that addresses the field's storage. */
std::string storage(const GEN_FIELD_INFO& f)
{
    if (f.fIndexed)
        return "X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.vectorName + " )";
    return "pX_Fld[" + f.vectorName + "].pField";
}

bool directIntegerOrFloat(const GEN_FIELD_INFO& f)
{
    return !componentShape(f) && (f.cType == 'I' || f.cType == 'F') && *P3109_pszDirectCastType(f) != '\0';
}

bool decimalBlock(const GEN_FIELD_INFO& f)
{
    return !componentShape(f) && (f.cType == 'P' || f.cType == 'S') && f.lLength <= 31;
}

std::string hex2(int32_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%.2x", static_cast<unsigned>(value) & 0xFFu);
    return text;
}

std::string decimalType(const GEN_FIELD_INFO& f)
{
    return "decimal(" + std::to_string(f.lLength) + "," + std::to_string(f.sDecimals) + ")";
}

/* The operand descriptor of a decimal copy: 3 packed, 2 zoned. */
std::string descriptor(char cForm, const GEN_FIELD_INFO& f)
{
    return std::string("0x0") + cForm + hex2(f.lLength) + hex2(f.sDecimals) + "00";
}

bool big(const GEN_FIELD_INFO& f)
{
    return P3109_fIsBigDecimal(f.cType, f.lLength, f.sDecimals, f.fNullable());
}

/* The pointer a signed copy reads or writes through, declared first
** when it is not the storage itself. */
std::string signedPointer(const GEN_FIELD_INFO& f)
{
    if (big(f)) {
        P3109_Line("   X_FLD_SIGNED");
        P3109_Line("      *pField = ((X_FLD_SIGNED*)( " + storage(f) + " ));");
        return "pField->fchData";
    }
    if (f.fIndexed) {
        P3109_Line("   X_CHAR");
        P3109_Line("      *pField = ((X_CHAR*)( " + storage(f) + " ));");
        return "pField";
    }
    return storage(f);
}

/* The native decimal block of a getter, then the vector call for the other
** machines. */
void writeDecimalGet(const GEN_FIELD_INFO& f, std::string_view variable, const char* cType,
                     const std::string& vectorCall)
{
    const std::string var(variable), cast = std::string("((") + cType + ")";
    P3109_Line("#if defined(X_OPERATING_SYSTEM_ISERIES)");
    P3109_Line("{");
    if (f.cType == 'P' && big(f)) {
        P3109_Line("   X_FLD_PACKED");
        P3109_Line("      *pField = ((X_FLD_PACKED*)( " + storage(f) + " ));");
        P3109_Line(" ");
        P3109_Line("   " + var + " = " + cast + "( *((" + decimalType(f) + "*)( pField->fchData )) ));");
    } else if (f.cType == 'P') {
        P3109_Line("   " + var + " = " + cast + "( *((" + decimalType(f) + "*)( " + storage(f) + " )) ));");
    } else {
        P3109_Line("   " + decimalType(f));
        P3109_Line("      decValue;");
        const std::string source = signedPointer(f);
        P3109_Line("   _CPYNV( " + descriptor('3', f) + ", ((X_CHAR*)( &decValue )), " + descriptor('2', f) +
                   ", ((X_CHAR*)( " + source + " )) );");
        P3109_Line("   " + var + " = " + cast + " decValue);");
    }
    P3109_Line("}");
    P3109_Line("#else");
    P3109_Line("{");
    P3109_Line("   " + vectorCall);
    P3109_Line("}");
    P3109_Line("#endif");
}

void writeDecimalSet(const GEN_FIELD_INFO& f, std::string_view value, const std::string& vectorCall)
{
    const std::string val(value);
    P3109_Line("#if defined(X_OPERATING_SYSTEM_ISERIES)");
    P3109_Line("{");
    if (f.cType == 'P' && big(f)) {
        P3109_Line("   X_FLD_PACKED");
        P3109_Line("      *pField = ((X_FLD_PACKED*)( " + storage(f) + " ));");
        P3109_Line(" ");
        P3109_Line("   *((" + decimalType(f) + "*)( pField->fchData )) = ((X_LONG) " + val + ");");
        P3109_Line("   pField->bFieldState = ((XFIELDSTATE)( pField->bFieldState & (~FsIsSqlNull) ));");
    } else if (f.cType == 'P') {
        P3109_Line("   *((" + decimalType(f) + "*)( " + storage(f) + " )) = ((X_LONG) " + val + ");");
    } else {
        P3109_Line("   " + decimalType(f));
        P3109_Line("      decValue = ((X_LONG) " + val + ");");
        const std::string target = signedPointer(f);
        P3109_Line("   _CPYNV( " + descriptor('2', f) + ", ((X_CHAR*)( " + target + " )), " + descriptor('3', f) +
                   ", ((X_CHAR*)( &decValue )));");
    }
    P3109_Line("   X_Vec_Set_Index( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.vectorName + " );");
    P3109_Line("}");
    P3109_Line("#else");
    P3109_Line("{");
    P3109_Line("   " + vectorCall);
    P3109_Line("}");
    P3109_Line("#endif");
}

std::string literalValue(const GEN_FIELD_INFO& f)
{
    return std::string(1, f.cSign) + std::to_string(f.lIntegerValue);
}

/* A getter into an X_SHORT or X_LONG variable. In C# every field's value
** goes through the run-time's vector service: the generated class holds
** no field storage of its own to reach directly. */
void writeGetWhole(const GEN_FIELD_INFO& f, std::string_view variable, const char* cType, const char* name)
{
    const std::string var(variable);
    if (f.cIntegerLiteral == 'Y') {
        P3109_Line(var + " = " + literalValue(f) + ";");
        return;
    }
    std::string call = service(f, name) + kArgs + f.vectorName + ", &(" + var + ") );";
    if (csharp() && !componentShape(f)) {
        P3109_Line("X_RUN_DLL.X_Vec_Get_as_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.vectorName + ", ref " + var +
                   " );");
        return;
    }
    if (directIntegerOrFloat(f)) {
        P3109_Line(var + " = ((" + cType + ")( ((" + P3109_pszFieldKindName(f) + "*)( " + storage(f) + " ))->" +
                   P3109_pszValueMemberName(f) + " ));");
        P3109_Line(" ");
        return;
    }
    if (decimalBlock(f)) {
        writeDecimalGet(f, variable, cType, call);
        return;
    }
    P3109_Line(call);
}

/* A setter from an X_SHORT or X_LONG value. */
void writeStoreWhole(const GEN_FIELD_INFO& f, std::string_view value, const char* cType, const char* name)
{
    const std::string val(value);
    const std::string call = service(f, name) + kArgs + f.vectorName + ", ((" + cType + ") " + val + ") );";
    if (csharp() && !componentShape(f)) {
        P3109_Line("X_RUN_DLL.X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.vectorName + ", ((int) " +
                   val + ") );");
        return;
    }
    if (directIntegerOrFloat(f)) {
        P3109_Line("((" + std::string(P3109_pszFieldKindName(f)) + "*)( " + storage(f) + " ))->" +
                   P3109_pszValueMemberName(f) + " = ((" + P3109_pszDirectCastType(f) + ") " + val + ");");
        P3109_Line("X_Vec_Set_Index( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.vectorName + " );");
        P3109_Line(" ");
        return;
    }
    if (decimalBlock(f)) {
        writeDecimalSet(f, value, call);
        return;
    }
    P3109_Line(call);
}

/* The two-line vector or component call of the other writers; C# calls the
** run time's service of the same name. */
void writeTwoLineCall(const GEN_FIELD_INFO& f, const char* name, const std::string& continuation)
{
    P3109_Line((csharp() ? "X_RUN_DLL." : "") + service(f, name) + kArgsTight);
    P3109_Line(continuation);
}

}  // namespace

void P3109_WriteGetShortFromPacked(const GEN_FIELD_INFO& field, std::string_view variable)
{
    writeGetWhole(field, variable, "X_SHORT", "Get_as_Short");
}

void P3109_WriteGetLongFromPacked(const GEN_FIELD_INFO& field, std::string_view variable)
{
    writeGetWhole(field, variable, "X_LONG", "Get_as_Long");
}

void P3109_WriteStoreLongInPacked(const GEN_FIELD_INFO& field, std::string_view value)
{
    writeStoreWhole(field, value, "X_LONG", "Set_from_Long");
}

void P3109_WriteStoreShortInPacked(const GEN_FIELD_INFO& field, std::string_view value)
{
    writeStoreWhole(field, value, "X_SHORT", "Set_from_Short");
}

void P3109_WriteGetDouble(const GEN_FIELD_INFO& field, std::string_view variable)
{
    const std::string var(variable);
    if (field.cIntegerLiteral == 'Y') {
        P3109_Line(var + " = " + literalValue(field) + ".0;");
        return;
    }
    writeTwoLineCall(field, "Get_as_Double",
                     "                   " + field.vectorName +
                         (csharp() ? ",ref " + var + ");" : ",(X_PDOUBLE)&(" + var + "));"));
}

void P3109_WriteSetFromDouble(const GEN_FIELD_INFO& field, std::string_view value)
{
    writeTwoLineCall(field, "Set_from_Double",
                     "                       " + field.vectorName + (csharp() ? ",(double)" : ",(X_DOUBLE)") +
                         std::string(value) + ");");
}

void P3109_WriteSetFromVchar(const GEN_FIELD_INFO& field, std::string_view value)
{
    writeTwoLineCall(field, "Set_from_Vchar", "     " + field.vectorName + "," + std::string(value) + ");");
}

void P3109_WriteSetFromString(const GEN_FIELD_INFO& field, char cKind, std::string_view value)
{
    writeTwoLineCall(field, "Set_from_String",
                     "                       " + field.vectorName + ",'" + std::string(1, cKind) +
                         (csharp() ? "',null," : "',pX_NULL,") + std::string(value) + ");");
}

void P3109_WriteGetAsVchar(const GEN_FIELD_INFO& field, std::string_view buffer)
{
    const std::string b(buffer);
    writeTwoLineCall(field, "Get_as_Vchar",
                     "  " + field.vectorName + (csharp() ? ",ref " + b + ");" : ",sizeof(" + b + ")," + b + ");"));
}

/*
** field_types.cpp: type letters and the names generated code uses for them.
*/
#include "generator/core/model/field_types.h"

#include <cstring>

#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"

namespace {

constexpr char kZophxOnlyTypes[] = "H1UB2YEMZIF34";

/* The names of one kind of storage of the extended language. */
struct KindNames {
    const char* kind;
    const char* member;
    const char* cast; /* C type of a direct assignment, "" none */
};

constexpr KindNames kUnknown{"X_FLD_UNKNOWN", "lValueNameUnknown", ""};

KindNames integerNames(int32_t lLength, bool fUnsigned)
{
    switch (lLength) {
    case 1:
        return fUnsigned ? KindNames{"X_FLD_UINT8", "uiInt8", "X_UINT8"} : KindNames{"X_FLD_INT8", "iInt8", "X_INT8"};
    case 2: return {"X_FLD_INT16", "iInt16", "X_INT16"};
    case 4: return {"X_FLD_INT32", "iInt32", "X_INT32"};
    case 8: return {"X_FLD_INT64", "iInt64", "X_INT64"};
    default: return kUnknown;
    }
}

KindNames namesOf(char cType, int32_t lLength, bool fUnsigned, bool fNational)
{
    switch (cType) {
    case 'H':
    case '1': return {fNational ? "X_FLD_NCHAR" : "X_FLD_CHAR", "pvData", ""};
    case 'B':
    case '2': return {"X_FLD_BINARY", "pvData", ""};
    case '3': return {"X_FLD_CLOB", "vchFileName", ""};
    case '4': return {"X_FLD_BLOB", "vchFileName", ""};
    case 'E': return {"X_FLD_DATE", "vchDate", ""};
    case 'M': return {"X_FLD_TIME", "vchTime", ""};
    case 'Z': return {"X_FLD_DATETIME", "vchDateTime", ""};
    case 'F':
        return lLength == 4 ? KindNames{"X_FLD_FLT32", "dFloat32", "X_FLT32"}
                            : KindNames{"X_FLD_FLT64", "dFloat64", "X_FLT64"};
    case 'I': return integerNames(lLength, fUnsigned);
    case 'U': return {"X_FLD_SHORT_CHAR", "vchData", ""};
    case 'Y': return {"X_FLD_BOOL", "fBool", ""};
    case 'P': return {"X_FLD_PACKED", "fchData", ""};
    case 'S': return {"X_FLD_SIGNED", "fchData", ""};
    default: return kUnknown;
    }
}

KindNames fieldNames(const GEN_FIELD_INFO& f)
{
    if (!P3109_fNeedsZophxHandling(f))
        return kUnknown;
    return namesOf(f.cType, f.lLength, f.fUnsigned(), f.fNational());
}

struct SubtypeRow {
    char type;
    const char* subtype;
};

constexpr SubtypeRow kComponentSubtypes[] = {
    {'H', "X_SUBTYPE_COMPONENT_CHAR"},    {'1', "X_SUBTYPE_COMPONENT_CHAR"},    {'B', "X_SUBTYPE_COMPONENT_BINARY"},
    {'2', "X_SUBTYPE_COMPONENT_BINARY"},  {'3', "X_SUBTYPE_COMPONENT_CLOB"},    {'4', "X_SUBTYPE_COMPONENT_BLOB"},
    {'E', "X_SUBTYPE_COMPONENT_DATE"},    {'M', "X_SUBTYPE_COMPONENT_TIME"},    {'Z', "X_SUBTYPE_COMPONENT_DATETIME"},
    {'F', "X_SUBTYPE_COMPONENT_FLOAT"},   {'I', "X_SUBTYPE_COMPONENT_INTEGER"}, {'U', "X_SUBTYPE_COMPONENT_SHORT_CHAR"},
    {'Y', "X_SUBTYPE_COMPONENT_BOOLEAN"}, {'P', "X_SUBTYPE_COMPONENT_PACKED"},  {'S', "X_SUBTYPE_COMPONENT_SIGNED"},
    {'A', "X_SUBTYPE_COMPONENT_ALPHA"},   {'D', "X_SUBTYPE_COMPONENT_DOUBLE"},  {'L', "X_SUBTYPE_COMPONENT_LONG"},
};

bool plainMarker(char cResolved)
{
    return cResolved == ' ' || cResolved == '\0' || cResolved == 'L';
}

}  // namespace

bool P3109_fIsZophxOnlyType(char cType)
{
    return cType != '\0' && std::strchr(kZophxOnlyTypes, cType) != nullptr;
}

bool P3109_fIsBigDecimal(char cType, int32_t lLength, int16_t sDecimals, bool fExtendedSize)
{
    return (cType == 'P' || cType == 'S') && (lLength > 30 || sDecimals > 9 || fExtendedSize);
}

bool P3109_fIsExtendedField(const GEN_FIELD_INFO& field)
{
    return field.cResolved == 'E';
}

bool P3109_fIsSpecialVectorField(const GEN_FIELD_INFO& field)
{
    if (P3109_fIsExtendedField(field))
        return true;
    if (field.fIndexed)
        return false;
    return field.fKind("SV") || field.fKind("NL") || field.fKind("AL") || (field.fKind("FL") && field.fMangled);
}

int P3109_fNeedsZophxHandling(const GEN_FIELD_INFO& field)
{
    return P3109_fIsBigDecimal(field.cType, field.lLength, field.sDecimals, field.fNullable()) ||
           P3109_fIsZophxOnlyType(field.cType) || field.cResolved == 'E';
}

bool P3109_fIsComponentField(const GEN_FIELD_INFO& field)
{
    return field.fComponent || !plainMarker(field.cResolved);
}

void P3109_GetFieldStorageSize(char cType, int32_t lLength, int16_t sDecimals, bool fNullable, bool, bool fNational,
                               uint32_t& ulSize)
{
    const bool big = lLength >= 31 || sDecimals > 9 || fNullable;
    const uint32_t length = lLength > 0 ? static_cast<uint32_t>(lLength) : 0;
    switch (cType) {
    case 'P': ulSize = length / 2 + 1 + (big ? 11 : 0); return;
    case 'S': ulSize = length + (big ? 11 : 0); return;
    case 'H':
    case '1': ulSize = fNational ? 20 : 16; return;
    case 'B':
    case '2': ulSize = 16; return;
    case '3':
    case '4': ulSize = 268; return;
    case 'E':
    case 'M': ulSize = 20; return;
    case 'F': ulSize = lLength == 4 ? 12 : 16; return;
    case 'I':
        if (lLength == 1 || lLength == 2 || lLength == 4)
            ulSize = 12;
        else if (lLength == 8)
            ulSize = 16;
        return;
    case 'U': ulSize = length + 12; return;
    case 'Y': ulSize = 12; return;
    case 'Z': ulSize = 40; return;
    default: ulSize = length; return;
    }
}

std::string P3109_MemberSizeText(const GEN_FIELD_INFO& field, std::string_view member, bool fCSharp)
{
    /* C# has no sizeof of a class: the run time's size of the field's kind,
       or for a decimal, whose C member holds its digits, the field's byte
       length (the structure's size and its digits) */
    if (P3109_fNeedsZophxHandling(field)) {
        if (fCSharp && (field.cType == 'P' || field.cType == 'S'))
            return "BYTE_LEN_" + field.vectorName;
        return fCSharp ? "DqooDef." + std::string(fieldNames(field).kind) + "_SIZE"
                       : "sizeof( " + std::string(member) + " )";
    }
    if (field.cType == 'D')
        return fCSharp ? "DqooDef.X_DOUBLE_SIZE" : "sizeof(X_DOUBLE)";
    if (field.cType == 'L')
        return fCSharp ? "DqooDef.X_LONG_SIZE" : "sizeof(X_LONG)";
    return std::to_string(field.usByteLength);
}

std::string P3109_MemberClearLine(const GEN_FIELD_INFO& field, std::string_view member, bool fCSharp,
                                  std::string_view descriptor)
{
    /* C# clears the member's object in place through the list field's
       descriptor, which holds it, as the vector's fields are cleared: the
       run time clears the structure and makes its digits anew */
    if (fCSharp) {
        const std::string d(descriptor);
        return "X_DEFS.X_MEMSET( ref " + d + ".pField, 0, " + d + ".sByteLen );";
    }
    return "memset( &(" + std::string(member) + "), 0, " + P3109_MemberSizeText(field, member, false) + " );";
}

std::string P3109_MemberAddressText(const GEN_FIELD_INFO& field, std::string_view member)
{
    const bool cast = field.cType == 'L' || field.cType == 'D' || P3109_fNeedsZophxHandling(field);
    const bool whole = cast || field.usByteLength == 1;
    return std::string(cast ? "(X_PDICTIONARY_FIELD) &(" : "&(") + std::string(member) + (whole ? ")" : "[0])");
}

const char* P3109_pszDictionaryTypeName(char cType, bool fCSharp)
{
    switch (cType) {
    case 'A': return fCSharp ? "string" : "ALPHA";
    case 'D': return fCSharp ? "double" : "DOUBLE";
    case 'L': return fCSharp ? "int" : "LONG";
    case 'P': return fCSharp ? "byte" : "PACKED";
    default: return fCSharp ? "byte" : "SIGNED";
    }
}

const char* P3109_pszFieldKindName(const GEN_FIELD_INFO& field)
{
    return fieldNames(field).kind;
}

const char* P3109_pszValueMemberName(const GEN_FIELD_INFO& field)
{
    return fieldNames(field).member;
}

const char* P3109_pszDirectCastType(const GEN_FIELD_INFO& field)
{
    return fieldNames(field).cast;
}

std::string P3109_MakeDeclarationByType(char cType, std::string_view prefix, std::string_view name, int32_t lLength,
                                        bool fUnsigned, bool fNational)
{
    if (!P3109_fIsZophxOnlyType(cType))
        return {};
    const std::string variable = std::string(prefix) + std::string(name);
    if (cType == 'U')
        return "X_DICTIONARY_ALPHA " + variable + "[ sizeof( X_FLD_SHORT_CHAR ) + " + std::to_string(lLength) + " ]";
    const KindNames n = namesOf(cType, lLength, fUnsigned, fNational);
    if (std::strcmp(n.kind, kUnknown.kind) == 0)
        return {};
    return std::string(n.kind) + " " + variable;
}

std::string P3109_MakeCSharpDeclarationByType(char cType, std::string_view prefix, std::string_view name,
                                              int32_t lLength, bool fUnsigned, bool fNational)
{
    if (!P3109_fIsZophxOnlyType(cType))
        return {};
    const KindNames n = namesOf(cType, lLength, fUnsigned, fNational);
    if (std::strcmp(n.kind, kUnknown.kind) == 0)
        return {};
    return "public " + std::string(n.kind) + " " + std::string(prefix) + std::string(name) + " = new " + n.kind + "()";
}

std::string P3109_MakeCSharpDecimalDeclaration(const GEN_FIELD_INFO& field, std::string_view prefix)
{
    if ((field.cType != 'P' && field.cType != 'S') || !P3109_fNeedsZophxHandling(field))
        return {};
    const std::string kind = fieldNames(field).kind;
    return "public " + kind + " " + std::string(prefix) + field.localName + " = new " + kind + "()";
}

std::string P3109_MakeFieldDeclaration(const GEN_FIELD_INFO& field, bool fPrefix)
{
    return P3109_MakeDeclarationByType(field.cType, fPrefix ? "c" : "", field.localName, field.lLength,
                                       field.fUnsigned(), field.fNational());
}

const char* P3109_pszComponentSubtypeName(char cUsage, const GEN_FIELD_INFO* pField, bool fForce)
{
    if (pField && pField->cResolved == 'E')
        return "X_SUBTYPE_COMPONENT_EVALUATION";
    if (!fForce && (!pField || !P3109_fIsComponentField(*pField)))
        return P3109_pszFieldSubtypeName(cUsage);
    for (const SubtypeRow& row : kComponentSubtypes)
        if (pField && row.type == pField->cType)
            return row.subtype;
    return "X_SUBTYPE_COMPONENT_UNKNOWN";
}

const char* P3109_pszComponentTypeName(const GEN_FIELD_INFO& field, bool fForce)
{
    if (fForce || P3109_fIsComponentField(field))
        return "X_TYPE_COMPONENT";
    return P3109_pszFieldTypeConstName(field.cType);
}

std::string P3109_pszFieldTypeName(const GEN_FIELD_INFO* pField)
{
    if (!pField || (!P3109_fNeedsZophxHandling(*pField) && pField->cResolved != 'E'))
        return "0";
    const std::string prefix = P3109_State().cTarget == GEN_TARGET_CSHARP ? "DqooDef." : "";
    std::string name = prefix + "LL2FIELD";
    auto add = [&](bool condition, const char* flag) {
        if (condition)
            name += " | " + prefix + flag;
    };
    add(pField->fNullable(), "LL2NULLABLE");
    add(pField->cDeclaredType == 'H', "LL2FIXEDCHAR");
    add(pField->fUnsigned(), "LL2UNSINT");
    add(pField->lSutc != 0, "LL2SUTCDT");
    add(pField->lDutc != 0, "LL2DUTCDT");
    return name;
}

std::string GEN_FIELD_INFO::DisplayName() const
{
    std::string name = P3109_TrimRight(fieldName);
    if (!name.empty() && fKind("FL"))
        return name;
    name = P3109_TrimRight(operandText);
    return name.empty() ? P3109_TrimRight(operandName) : name;
}

/*
** field_types.h: the vocabulary that ties a field's type letter to the
** names generated code uses for it (descriptor type, storage kind, value
** member, declaration, subtype) and the tests that decide whether a field
** needs the extended language's handling.
**
** Type letters: 'A' alpha, 'P' packed, 'S' signed (zoned), 'L' long, 'D'
** double, 'C' character flag, 'N' numeric work value, and the letters of
** the extended language only: 'H' and '1' character, 'U' short character,
** 'B' and '2' byte string, 'Y' boolean, 'E' date, 'M' time, 'Z' date-time,
** 'I' integer of 1, 2, 4 or 8 bytes, 'F' float of 4 or 8 bytes, '3'
** character large object, '4' large object of bytes.
*/
#ifndef GENERATOR_CORE_FIELD_TYPES_H
#define GENERATOR_CORE_FIELD_TYPES_H

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/core/model/field_info.h"

/* True for the letters of the extended language only. */
bool P3109_fIsZophxOnlyType(char cType);
/* Packed or signed beyond 30 digits or 9 decimals, or with the flag. */
bool P3109_fIsBigDecimal(char cType, int32_t lLength, int16_t sDecimals, bool fExtendedSize);
/* Resolution marker 'E': a field evaluated by a routine. */
bool P3109_fIsExtendedField(const GEN_FIELD_INFO& field);
/* Extended, or (without a subscript) a system variable, a literal or a
** mangled file-field entry: its storage lives in static list 3. */
bool P3109_fIsSpecialVectorField(const GEN_FIELD_INFO& field);
/* 1 when the field needs the extended language's handling: a big decimal,
** an extended-only type, or marker 'E'. */
int P3109_fNeedsZophxHandling(const GEN_FIELD_INFO& field);
/* A component field: the component flag, or a resolution marker other
** than blank (or NUL) and 'L'. */
bool P3109_fIsComponentField(const GEN_FIELD_INFO& field);

/* Storage of a field in bytes; for an 'I' of another length than 1, 2, 4
** or 8 the value is left as it was. */
void P3109_GetFieldStorageSize(char cType, int32_t lLength, int16_t sDecimals, bool fNullable, bool fUnsigned,
                               bool fNational, uint32_t& ulSize);

/* The storage word of a dictionary field: "X_DICTIONARY_" and ALPHA,
** PACKED, SIGNED, LONG or DOUBLE in C; its C# type. */
const char* P3109_pszDictionaryTypeName(char cType, bool fCSharp);
/* Names by type letter ("X_FLD_UNKNOWN" and "lValueNameUnknown" for a
** field that needs no extended handling). */
const char* P3109_pszFieldKindName(const GEN_FIELD_INFO& field);
const char* P3109_pszValueMemberName(const GEN_FIELD_INFO& field);
/* The C type of a direct integer or float assignment; "" for other types. */
const char* P3109_pszDirectCastType(const GEN_FIELD_INFO& field);
/* The declaration of a variable of an extended-only type, with the prefix
** before the name; empty for the other letters and the sizes the runtime
** does not know. */
std::string P3109_MakeDeclarationByType(char cType, std::string_view prefix, std::string_view name, int32_t lLength,
                                        bool fUnsigned, bool fNational);
/* The declaration of a described field, its local name prefixed "c" when
** asked. */
std::string P3109_MakeFieldDeclaration(const GEN_FIELD_INFO& field, bool fPrefix);
/* The C# member of a field of the extended language: an object of its
** kind ("public X_FLD_INT32 fCOUNT = new X_FLD_INT32()"); empty for other
** types. */
std::string P3109_MakeCSharpDeclarationByType(char cType, std::string_view prefix, std::string_view name,
                                              int32_t lLength, bool fUnsigned, bool fNational);
/* The C# member of a big or nullable decimal ('P' or 'S' that needs the
** extended handling): an object of its kind, as the descriptor's version
** and data lines address it ("public X_FLD_PACKED fTOTAL = new
** X_FLD_PACKED()"); empty for any other field. */
std::string P3109_MakeCSharpDecimalDeclaration(const GEN_FIELD_INFO& field, std::string_view prefix);
/* The line that clears a list member of a field of the extended kinds:
** "memset( &(m), 0, size );", in C# the fill of the member's object through
** the list field's DESCRIPTOR ("X_Fld_<list>[n]"), which holds it. */
std::string P3109_MemberClearLine(const GEN_FIELD_INFO& field, std::string_view member, bool fCSharp,
                                  std::string_view descriptor);
/* The byte size and the address of a field held as a member of a static
** structure (a list entry, a component record), for its descriptor row:
** "sizeof( member )" for a field that needs the extended handling, the
** double or long size for 'D' and 'L', else its byte length; the address
** of its first byte, cast to X_PDICTIONARY_FIELD for 'L', 'D' and extended
** fields. */
std::string P3109_MemberSizeText(const GEN_FIELD_INFO& field, std::string_view member, bool fCSharp);
std::string P3109_MemberAddressText(const GEN_FIELD_INFO& field, std::string_view member);
/* The subtype name of a descriptor row for a usage code ('F', 'I', 'L',
** 'P', 'R', 'V'); null field: the plain subtype of the code. */
const char* P3109_pszComponentSubtypeName(char cUsage, const GEN_FIELD_INFO* pField, bool fForce);
const char* P3109_pszComponentTypeName(const GEN_FIELD_INFO& field, bool fForce);
/* The descriptor type: "0", or "LL2FIELD" with the flags of the field. */
std::string P3109_pszFieldTypeName(const GEN_FIELD_INFO* pField);

#endif

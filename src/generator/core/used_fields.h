/*
** used_fields.h: the fields the checked object uses, as the checker left
** them in its "USEFIELD" work records, and the names generated code gives
** them: the index symbol of the field's vector entry and its local name.
*/
#ifndef GENERATOR_CORE_USED_FIELDS_H
#define GENERATOR_CORE_USED_FIELDS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "checker/work_records.h"

/* The names of one used field. */
struct GEN_USED_FIELD {
    char acClass[2] = {' ', ' '};   /* "FL", "AL", "NL", "SV", "UP" */
    char cGenerate = 'N';           /* 'Y': the field takes part in generated code */
    bool fMangled = false;          /* a file field under a mangled name */
    int32_t lMangledValue = 0;
    std::string identifier;
    std::string localName;          /* the storage variable */
    std::string vectorName;         /* the index symbol into pX_Fld */
};

/* Looks the field up among the used fields: the name is taken with its
** length; a leading national name character is dropped (the name is then
** upper-cased) for the key. usSlot is the work-file cursor slot (0 or 1).
** 0 when the record exists and its generation flag is 'Y' (info filled),
** else 1 (info as it was). */
int16_t P3109_sGetUsedField(std::string_view name, size_t ulNameLength, uint16_t usSlot, GEN_USED_FIELD& info);

/* The index symbol of a used field, "V_NOT_AVAILABLE" when the object does
** not use it. */
std::string P3109_UsedFieldSymbol(std::string_view name, size_t ulNameLength);

/* The vector name of the field behind a used-field record: the field a
** mangled file-field record stands for, a literal, a system variable or a
** user parameter; "V_NOT_AVAILABLE" when the record names none. */
std::string P3109_ResolveFieldVectorName(const FFC_WORK_RECORD& record);

#endif

/*
** used_fields.h: the fields the checked object uses, as the checker left
** them in its "USEFIELD" work records, looked up by name and described
** for the writers of generated code (field_info.h).
*/
#ifndef GENERATOR_CORE_USED_FIELDS_H
#define GENERATOR_CORE_USED_FIELDS_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/field_info.h"

/* Work-file cursor slots of the generator's own reads. Every reader that
** loops over work records keeps its own slot, so a look-up made inside the
** loop does not move the loop's cursor. */
inline constexpr uint16_t GEN_SLOT_LOOKUP = 0;
inline constexpr uint16_t GEN_SLOT_LOOKUP_INNER = 1;
inline constexpr uint16_t GEN_SLOT_SETUP = 2;
inline constexpr uint16_t GEN_SLOT_VECTOR = 3;
inline constexpr uint16_t GEN_SLOT_ARRAYS = 4;
inline constexpr uint16_t GEN_SLOT_STRUCTURES = 5;
inline constexpr uint16_t GEN_SLOT_LISTS = 6;
inline constexpr uint16_t GEN_SLOT_SECTIONS = 7;
inline constexpr uint16_t GEN_SLOT_SECTIONS_INNER = 8;

/* Looks the field up among the used fields and describes it: the name is
** taken with at most ulNameLength characters (10 or 50) up to a
** terminator; a leading national name character is dropped (the name is
** then upper-cased) for the key. With fScope set, a component run first
** records the use of the field in that scope. The look-up reads into a
** record of its own, so a caller's work record is never disturbed.
** 0 when the record exists and its generation flag is 'Y' (info filled),
** else 1 (info as it was). */
int16_t P3109_sGetUsedField(std::string_view name, uint16_t usSlot, GEN_FIELD_INFO& info,
                            size_t ulNameLength = FFC_WORK_NAME_LEN, bool fScope = false, int32_t lScope = 0);

/* The same look-up without a copy: the description as a fresh info would
** be filled, or null (1 above); valid until the next look-up. */
const GEN_FIELD_INFO* P3109_pFindUsedField(std::string_view name, uint16_t usSlot,
                                           size_t ulNameLength = FFC_WORK_NAME_LEN);

/* The same look-up holding the description instead of copying it: it
** stays as it is for as long as the caller holds it, whatever later
** look-ups do; null as the pointer above. */
std::shared_ptr<const GEN_FIELD_INFO> P3109_HoldUsedField(std::string_view name, uint16_t usSlot,
                                                          size_t ulNameLength = FFC_WORK_NAME_LEN);

/* The description of a used-field record, as P3109_ResolveOperandName
** makes it, with fMangled set from the record's mangled mark. Records of
** the same bytes share one description while anyone holds it and what it
** rests on (the field definitions, the process) stays as it is; held by
** the caller, it stays as it is when later look-ups drop it. */
std::shared_ptr<const GEN_FIELD_INFO> P3109_DescribeUse(const FFC_WORK_RECORD& record);

/* An operand as written: the name of its used-field record. Operands are
** looked up by this width and the vector groups' names are blank-filled
** to it. */
inline constexpr size_t GEN_OPERAND_NAME_WIDTH = FFC_WORK_NAME_LEN;

/* Looks the name up among the used fields (first ulWidth characters); a
** name that is empty or starts with a blank is none. */
bool P3109_fFindUsedField(std::string_view name, GEN_FIELD_INFO& info, size_t ulWidth = 10);
/* The same look-up without a copy: the description, or null; valid until
** the next look-up. */
const GEN_FIELD_INFO* P3109_pFindOperandField(std::string_view name, size_t ulWidth = 10);
/* The same look-up, the description held (P3109_HoldUsedField). */
std::shared_ptr<const GEN_FIELD_INFO> P3109_HoldOperandField(std::string_view name, size_t ulWidth = 10);
/* The field's vector identifier, "V_NOT_AVAILABLE" when not used. */
std::string P3109_FieldVector(std::string_view name, size_t ulWidth = 10);

/* Drops the look-ups kept from earlier calls (at the start of each
** generation). */
void P3109_ForgetUsedFields();

/* The index symbol of a used field, "V_NOT_AVAILABLE" when the object does
** not use it. */
std::string P3109_UsedFieldSymbol(std::string_view name, size_t ulNameLength);

/* A fixed field of a record without its trailing blanks (and trailing
** NULs, form feeds and line ends), as P3109_TrimmedRight: a name field of
** a record is mostly blanks, passed eight at a time. */
inline std::string_view P3109_TrimmedField(std::string_view field)
{
    constexpr uint64_t kEightBlanks = 0x2020202020202020ull;
    size_t n = field.size();
    for (uint64_t word; n >= 8; n -= 8) {
        std::memcpy(&word, field.data() + n - 8, sizeof word);
        if (word != kEightBlanks)
            break;
    }
    while (n > 0) {
        const char c = field[n - 1];
        if (c != ' ' && c != '\0' && c != '\f' && c != '\n' && c != '\r')
            break;
        --n;
    }
    return field.substr(0, n);
}

/* The data of a used-field record. */
inline const WR_USEFIELD_DATA& P3109_UsedFieldData(const FFC_WORK_RECORD& r)
{
    return *reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
}

/* Whether the description of a used-field record may be of a field the
** program releases at its end: a field of variable length (type H, 1, B
** or 2) that is not extended (marker 'E'). False when the record alone
** shows that it cannot be, so that the walk over the records for the
** releases describes none it would pass over:
**  - an extended field;
**  - a numeric literal: it is described as of type S, L or D whatever its
**    definition;
**  - an alphanumeric literal written with its quote or a system variable
**    written with its '*', naming no field: its type is what the operand
**    check makes of it as written (a literal's whole text keeps its
**    quote): A for a literal; A, P, S or L for a system variable, a
**    multilingual variable or a condition; none for one the check
**    refuses. The work type chosen after is that type, L or D.
** The first two show in the head of the data (through the marker), read
** before the record whole. */
inline bool P3109_fHeadMayBeReleased(const WR_USEFIELD_DATA& d)
{
    return d.cResolved != 'E' && std::memcmp(d.acClass, "NL", 2) != 0;
}

inline bool P3109_fMayBeReleased(const FFC_WORK_RECORD& r)
{
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    if (!P3109_fHeadMayBeReleased(d))
        return false;
    const bool literal = std::memcmp(d.acClass, "AL", 2) == 0 && r.acName[0] == '\'';
    const bool systemVariable = std::memcmp(d.acClass, "SV", 2) == 0 && r.acName[0] == '*';
    return !(literal || systemVariable) ||
           !P3109_TrimmedField(std::string_view(d.acFieldName, sizeof d.acFieldName)).empty();
}

/* Whether a used-field record is one the generation takes (its generation
** flag 'Y') of the class given (two letters; any class when null). */
inline bool P3109_fGeneratedUseOf(const WR_USEFIELD_DATA& d, const char* acClass)
{
    return d.cGenerate == 'Y' && (!acClass || std::memcmp(d.acClass, acClass, 2) == 0);
}

/* Calls f(record) for every used-field record the generation takes (its
** generation flag 'Y') of the class given (two letters; any class when
** null) of which take(data) holds, in the order of the records, read
** through the cursor slot given; nothing without a work file. Each
** record's first ulHead bytes of data (at least through the generation
** flag) are read first and all take() looks at; the whole record
** (thousands of bytes) only when it is taken. */
template <typename Take, typename F>
void P3109_ForEachGeneratedUseWhere(FFC_CONTEXT* ctx, uint16_t usSlot, uint32_t ulHead, Take take, F f,
                                    const char* acClass = nullptr)
{
    if (!ctx || !ctx->pWorkFile)
        return;
    static_assert(offsetof(WR_USEFIELD_DATA, acClass) + 2 <= offsetof(WR_USEFIELD_DATA, cGenerate) + 1,
                  "the class lies before the generation flag");
    const uint32_t head = std::max<uint32_t>(ulHead, offsetof(WR_USEFIELD_DATA, cGenerate) + 1);
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_USEFIELD, FFC_WORK_KIND_LEN);
    for (char rc = WF_cReadFirstHead(ctx, usSlot, &r, 1, head); rc == '0';
         rc = WF_cReadNextHead(ctx, usSlot, &r, 1, head))
        if (P3109_fGeneratedUseOf(P3109_UsedFieldData(r), acClass) && take(P3109_UsedFieldData(r)) &&
            WF_cReadCurrent(ctx, usSlot, &r) == '0')
            f(r);
}

/* The same walk taking every record the generation takes. */
template <typename F>
void P3109_ForEachGeneratedUse(FFC_CONTEXT* ctx, uint16_t usSlot, F f, const char* acClass = nullptr)
{
    P3109_ForEachGeneratedUseWhere(
        ctx, usSlot, 0, [](const WR_USEFIELD_DATA&) { return true; }, f, acClass);
}

#endif

/*
** arrays.h: the array table of the generated program, one entry per
** DEF_ARRAY, built from the checker's "ARRAYNAM" records when the field
** vector is written, and the references into an array's storage.
*/
#ifndef GENERATOR_CORE_ARRAYS_H
#define GENERATOR_CORE_ARRAYS_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t GEN_ARRAY_FIELDS = 100;

/* GEN_ARRAY_ENTRY */
struct GEN_ARRAY_ENTRY {
    std::string name;       /* the array name, at most 4 characters */
    std::string identifier; /* its C identifier */
    std::string address;    /* the address expression of the first element */
    std::string csAddress;  /* C#: the array's storage, or the overlaid field's element */
    uint16_t usElementLength = 0;
    uint16_t usBound = 0; /* entries of an array over a field, else the number of fields */
    bool fExtended = false;
    std::vector<std::string> fields; /* 10 characters each */
    /* an array over a field: that field's storage (its local name) and the
       array's first byte in it (from 0); empty for an array of its own */
    std::string overlaid;
    long lOverlayOffset = 0;
    uint16_t usOverlaidLength = 0;
};

/* Builds the table from the "ARRAYNAM" records and declares each array's
** storage in static list 1. The index fields of the arrays are kept until
** P3109_ReleaseArrayIndexes. */
void P3109_BuildArrayTable();
const std::vector<GEN_ARRAY_ENTRY>& P3109_ArrayTable();
/* Whether a field (10 characters) is an index field of an array. */
bool P3109_fIsArrayIndexField(std::string_view field);
void P3109_ReleaseArrayIndexes();

/* True with the address of the field's storage inside the array that
** holds it (the element at the field's place), false when no array holds
** the field. */
bool P3109_MakeFieldArrayRef(std::string_view field, std::string& reference);
/* The table index of the array of that name (at most 10 characters, up to
** a terminator); 0 when absent. */
int16_t P3109_sFindArrayDefinition(std::string_view name);

/* Calls visit with the DEF_ARRAY parameter area of every array, put back
** together from its records, in record order. */
void P3109_ForEachArrayCommand(const std::function<void(const struct FFC_PARSED_COMMAND&)>& visit);

void P3109_ResetArrays();

#endif

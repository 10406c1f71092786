/*
** field_info.h: the generator's description of one operand (GEN_FIELD_INFO)
** and the operand resolver that fills it.
**
** Every operand that generated code touches -- a field of the function, an
** alphanumeric or numeric literal, a system variable, a user parameter or
** a work value of an expression -- reaches the writers as one
** GEN_FIELD_INFO: the names under which generated code addresses it in the
** field vector pX_Fld, its type, lengths and the attributes that choose its
** storage. The resolver builds it from the checker's "USEFIELD" record and
** the field's definition (the job's field cache, else the dictionary).
*/
#ifndef GENERATOR_CORE_FIELD_INFO_H
#define GENERATOR_CORE_FIELD_INFO_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dqov/runcontrol/ffc_work_record.h"

/* The dictionary flag words of a field: the extended-size word (set for a
** field that may hold the SQL null value, attribute ASQN), the unsigned
** word (SUNI) and the national-character word (SUNS). */
enum GEN_DICTIONARY_FLAG : int {
    GEN_FLAG_EXTENDED_SIZE = 0,
    GEN_FLAG_UNSIGNED = 1,
    GEN_FLAG_NATIONAL = 2,
    GEN_FLAG_CHAR_LENGTH = 3
};

/* The array data of a used field: what kind of array member it is, the
** array or field it refers to, its start position and its index field. */
struct GEN_ARRAY_DATA {
    char cKind = ' ';       /* ' ' none, 'A'/'B' element, 'C' array of a field, 'O' overlay */
    std::string referenced; /* the array (or overlaid field) named */
    int16_t sStart = 1;     /* start position within the referenced field */
    std::string indexField; /* the element's index field */
};

struct GEN_FIELD_INFO {
    std::string operandName = std::string(20, ' '); /* the operand's storage name, 20 characters */
    std::string localName;                          /* the local storage variable */
    std::string vectorName;                         /* the index symbol into pX_Fld */
    std::string identifier;                         /* the C identifier the names are made of */
    char cType = ' ';                               /* the type under which the operand is computed */
    char cDeclaredType = ' ';                       /* the type before the work-type choice */
    char acKind[2] = {' ', ' '};                    /* usage class and subclass: "FL", "AL", "NL", "SV", "UP" */
    char cShift = 'N';                              /* 'Y' double-byte, 'G', 'U', else 'N' */
    int32_t lLength = 0;                            /* digits or characters; -1 a variable length */
    uint16_t usByteLength = 0;                      /* storage length in bytes */
    int16_t sDecimals = 0;
    GEN_ARRAY_DATA array;
    char cArrayElement = 'N';   /* 'Y' for array kinds 'A' and 'B' */
    char cRefresh = 'N';        /* 'N' none, 'S' static, 'D' dynamic system variable */
    std::string systemVariable; /* the system variable's name, trimmed */
    std::string operandText;    /* the operand as written (at most 50 characters) */
    std::string defaultValue;   /* the 9-byte value item of a default (reference kind 3), else empty */
    char cIntegerLiteral = 'N'; /* 'Y' for a numeric literal that is a plain integer */
    char cSign = '+';
    int32_t lIntegerValue = 0;
    /* ten 4-character codes each: fixed fields, held in place (a field's
       description is made for most operands of most commands) */
    std::array<char, 40> inputAttributes = kBlankAttributes;
    std::array<char, 40> outputAttributes = kBlankAttributes;
    char cControl = 'N'; /* 'P' push button, 'R' radio, 'D' drop-down, 'X' check box */
    char acControlNumber[2] = {' ', ' '};
    int32_t alFlags[4] = {0, 0, 0, 0};            /* dictionary flag words (GEN_DICTIONARY_FLAG) */
    int32_t lMaxChars = 0;                        /* characters of a field with the character-length switch */
    std::string fieldName = std::string(10, ' '); /* the dictionary name */
    char cResolved = ' ';         /* '\0' plain, 'R'/'r' qualified, 'E' extended, 'L' object layer item */
    char cLoadKind = 1;           /* 1 system variable, 2 condition result */
    int32_t lSutc = 0, lDutc = 0; /* the SUTC and DUTC attribute codes */
    int32_t lLiteralKind = 0;     /* the object layer's literal information */
    uint16_t usLiteralLength1 = 0, usLiteralLength2 = 0;
    bool fMangled = false; /* a file field under a mangled name */
    int32_t lMangledValue = 0;
    bool fIndexed = false;   /* addressed through its array index at run time */
    bool fComponent = false; /* a field of the component's own */
    int32_t lComponentNumber = 0;
    char cEvaluationKind = ' ';    /* extended fields: 'N' callback, 'R' dispatch */
    std::string evaluationRoutine; /* 7 digits of the evaluation reference */
    uint32_t ulEvaluationTypeInfo = 0;
    char cFastMaths = 'N';
    bool fDefined = false; /* a definition was found for the operand */

    bool fNullable() const { return alFlags[GEN_FLAG_EXTENDED_SIZE] != 0; }
    bool fUnsigned() const { return alFlags[GEN_FLAG_UNSIGNED] != 0; }
    bool fNational() const { return alFlags[GEN_FLAG_NATIONAL] != 0; }
    bool fCharLength() const { return alFlags[GEN_FLAG_CHAR_LENGTH] != 0; }
    bool fKind(const char* kind) const { return acKind[0] == kind[0] && acKind[1] == kind[1]; }
    /* The name the field is known by in messages. */
    std::string DisplayName() const;

    static constexpr std::array<char, 40> kBlankAttributes = [] {
        std::array<char, 40> blank{};
        blank.fill(' ');
        return blank;
    }();
};

/* A work value of an expression: its three names, kind letter ('L' and 'C'
** character values, else numeric), length and decimals. */
struct GEN_WORK_VALUE {
    std::string operandName, localName, vectorName;
    char cKind = 'N';
    int32_t lLength = 0;
    int16_t sDecimals = 0;
};

/* Fills the description from a "USEFIELD" record and the operand's
** definition. An operand without a definition keeps type ' ' and
** fDefined false; the callers that write storage report it. */
void P3109_ResolveOperandName(const FFC_WORK_RECORD& record, GEN_FIELD_INFO& info);
/* As P3109_ResolveOperandName, for a description as it is made (default
** constructed): what it holds already is not cleared again. */
void P3109_ResolveNewOperandName(const FFC_WORK_RECORD& record, GEN_FIELD_INFO& info);
/* The description of a work value of an expression. */
void P3109_MakeWorkFieldFromWork(const GEN_WORK_VALUE& work, GEN_FIELD_INFO& info);
/* The type under which a numeric operand is computed; may set its
** storage length ('L' 4 bytes, 'D' 8 bytes). */
char P3109_chChooseWorkFieldType(GEN_FIELD_INFO& info);
/* Whether a numeric operand may be computed in machine arithmetic. */
bool P3109_fFastMathsAllowed(const GEN_FIELD_INFO& info);

/* The vector name of the field behind a used-field record: the field a
** mangled file-field record stands for, a literal, a system variable or a
** user parameter; "V_NOT_AVAILABLE" when the record names none. */
std::string P3109_ResolveFieldVectorName(const FFC_WORK_RECORD& record);

#endif

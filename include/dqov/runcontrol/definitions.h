/* Definitions of the job's object loaded from the repository: process,
 * function and field definitions, the field cache, user DLL definitions and
 * field attribute scans. */
#ifndef DQOV_DEFINITIONS_H
#define DQOV_DEFINITIONS_H

#include "dqov/runcontrol/ffc_context.h"
#include <stdint.h>
#include <stdio.h>

/* A list of up to ten 4-character attribute codes. */
typedef struct FFC_ATTRIBUTE_LIST {
    uint16_t usLength; /* characters used in acCodes (a multiple of 4) */
    char acCodes[40];
} FFC_ATTRIBUTE_LIST;

typedef struct FFC_FIELD_DEFINITION {
    char acName[10];
    char cType; /* 'A', 'P', 'S', '1'-'4', 'B', 'E', 'H', 'M', 'Z' */
    int32_t lLength;
    int32_t lDecimals;
    FFC_ATTRIBUTE_LIST input;
    FFC_ATTRIBUTE_LIST output;
    char cEditCode;
    char acEditWord[24];
    char cShift; /* keyboard shift letter: 'E', 'J', 'O' double-byte, 'G', 'U', ... ' ' none */
} FFC_FIELD_DEFINITION;

typedef struct FFC_FIELD_TEXT {
    char acDescription[40];
    char acLabel[15];
    char acColumnHeadings[3][20];
} FFC_FIELD_TEXT;

typedef struct FFC_PROCESS_DEFINITION {
    char acPartition[3];
    char acProcess[10];
    char cMenuStyle;          /* X20MUS: 'A' action bar, 'S' */
    char cProcessClass;       /* X20RCL: 'H' or 'L' */
    uint16_t usOptionsLength; /* X20SP1: length-significant */
    char acOptions[256];
    char acDescription[40];
} FFC_PROCESS_DEFINITION;

typedef struct FFC_FUNCTION_DEFINITION {
    char acPartition[3];
    char acProcess[10];
    char acFunction[7];
    uint16_t usOptionsLength; /* X23SP1: length-significant */
    char acOptions[256];
    char cSelectSql; /* X23SQL */
    char cApm;       /* X23APM */
    char cLevelTwo;  /* 'Y': the function is written at language level two */
    char acDescription[40];
} FFC_FUNCTION_DEFINITION;

/* One entry of a user DLL. */
typedef struct USEDLL_ENTRY {
    char szName[33];      /* ENTNAM= */
    char szAlias[33];     /* ENTALS= */
    char szSkeleton[261]; /* ENTSKL= */
    int32_t fUsed;        /* set by USEDLL_pFindEntry */
} USEDLL_ENTRY;

#define USEDLL_MAX_ENTRIES 256

/* One user DLL with up to 256 entries; records are chained. */
typedef struct USEDLL_RECORD {
    char szName[33];  /* DLLNAM= */
    char szAlias[33]; /* DLLALS= */
    uint32_t ulEntries;
    USEDLL_ENTRY aEntries[USEDLL_MAX_ENTRIES];
    struct USEDLL_RECORD* pNext;
} USEDLL_RECORD;

#ifdef __cplusplus
extern "C" {
#endif

/* Loads the process (and, with acFunction, the function) definition of the
 * context's partition; 0 found, 1 not found. SQL failures are fatal. */
int16_t P310C_sLoadProcessDefinition(FFC_CONTEXT* pContext, const char* acProcess, FFC_PROCESS_DEFINITION* pDef);
int16_t P310C_sLoadFunctionDefinition(FFC_CONTEXT* pContext, const char* acProcess, const char* acFunction,
                                      FFC_FUNCTION_DEFINITION* pDef);

/* Looks the field (name in pDef->acName, a leading national name character
 * is dropped) up in the job's field cache, else in the repository's field
 * dictionary and texts, and fills the definition and text records. *pcLocal
 * is 'Y' when the field is defined in the function itself. '0' found, '1' not. */
char Get_Function_Field(FFC_CONTEXT* pContext, char* pcLocal, FFC_FIELD_DEFINITION* pDef, FFC_FIELD_TEXT* pText,
                        void* pFurther);
/* As Get_Function_Field; also finds the fields a component defines. */
char Get_Function_Field_Allow_Component(FFC_CONTEXT* pContext, char* pcLocal, FFC_FIELD_DEFINITION* pDef,
                                        FFC_FIELD_TEXT* pText, void* pFurther);
/* Registers a field the job defines itself (cKind 'F' function, 'C'
 * component) in the field cache. 0, or -9. */
int16_t Put_Function_Field(FFC_CONTEXT* pContext, char cKind, const FFC_FIELD_DEFINITION* pDef,
                           const FFC_FIELD_TEXT* pText);
/* A number that changes whenever a job of the process defines a field
 * (Put_Function_Field) or releases its field cache: what Get_Function_Field
 * answered holds while it stays. */
uint64_t P310C_ulFieldCacheStamp(void);
/* Whether the repository's field dictionary holds the field (name without
 * the name character): 1 it does (its default as written, up to 50
 * characters, into pchDefault when given), 0 it does not, -1 not known here
 * (the job defined the name before the dictionary was read for it). The
 * dictionary is read through the field cache, as Get_Function_Field reads
 * it, and what it held stays known when the job defines the field. */
int16_t P310C_sDictionaryField(FFC_CONTEXT* pContext, const char* pszName, char* pchDefault,
                               uint16_t* pusDefaultLength);

/* Sets each flag to 'Y' when its code (ASQN, SUNS, SUNI) occurs in either
 * list of ten 4-character codes; a flag whose code is absent is unchanged. */
void P310C_ScanFieldAttributeCodes(const char* acCodes1, const char* acCodes2, char* pcAsqn, char* pcSuns,
                                   char* pcSuni);

/* Reads "x_usedll.dat" of the directory (ending in a backslash) into a list
 * anchored at *ppAnchor; a missing file leaves the list empty. Returns the
 * head (NULL when empty). */
USEDLL_RECORD* USEDLL_pReadFile(const char* pszDirectory, USEDLL_RECORD** ppAnchor);
/* Finds the entry by DLL alias and entry alias (quotes stripped, upper-cased,
 * trailing blanks dropped); the DLL's name goes to pszDllName (33 bytes) and
 * the entry is marked used. NULL when none. */
USEDLL_ENTRY* USEDLL_pFindEntry(USEDLL_RECORD* pList, const char* pszDllAlias, const char* pszEntryAlias,
                                char* pszDllName);
/* Writes one F_VOID_FUNCTION prototype "X_" + DLL name + entry name per entry,
 * with the argument list of a built-in function routine. */
void USEDLL_WritePrototypes(USEDLL_RECORD* pList, FILE* pStream);
/* Copies each entry's skeleton file from the directory line by line to the stream. */
int16_t USEDLL_CopySkeletons(USEDLL_RECORD* pList, const char* pszDirectory, FILE* pStream);
void USEDLL_FreeList(USEDLL_RECORD** ppAnchor);

#ifdef __cplusplus
}
#endif

#endif

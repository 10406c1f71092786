/* Layouts of the work records that checking leaves for the generator.
 *
 * Every record is an FFC_WORK_RECORD: kind (10), name (50), qualifier (10)
 * and 2,800 data bytes, blank-padded. The structs below overlay the data
 * part. Positions the generator reads are fixed by its readers and kept
 * exactly; the remaining fields were completed here, after the last fixed
 * position, and are marked "completed" where they stand. */
#ifndef DQOV_CHECKER_WORK_RECORDS_H
#define DQOV_CHECKER_WORK_RECORDS_H

#include "dqov/runcontrol/ffc_work_record.h"
#include <stddef.h>
#include <stdint.h>

#define WR_USEFIELD "USEFIELD  "
#define WR_USEFILE "USEFILE   "
#define WR_SYSFLAGS "SYSFLAGS  "
#define WR_DRINF "$DRINF    "
#define WR_DEF_COND "DEF_COND  "
#define WR_RENAMETO "RENAMETO  "
#define WR_RCV_LIST "RCV_LIST  "
#define WR_RCV_DS "RCV_DS    "
#define WR_ARRAYNAM "ARRAYNAM  "
#define WR_LABEL "LABEL     "
#define WR_GROUPNAM "GROUPNAM  "
#define WR_USRSUBR "USRSUBR   "
#define WR_FIELDTOT "FIELDTOT  "
#define WR_ERRORTOT "ERRORTOT  "
#define WR_USRSUBP "USRSUBP   "
#define WR_LISTNAME "LISTNAME  "
/* EXCHALL: name = a field or group exchanged with every call (no data). */
#define WR_EXCHALL "EXCHALL   "
#define WR_KEEP_NAME "KEEP_"

/* USEFIELD: name = the operand as written (50). */
typedef struct WR_USEFIELD_DATA {
    char acClass[2];          /*   0 usage class and subclass: "FL" "AL" "NL" "SV" "UP" */
    char acFieldName[10];     /*   2 completed: the field name */
    char acSystemVariable[9]; /*  12 completed: system variable name, first 9 of 11 ... */
    char cDynamic;            /*  21 completed: dynamic marker of the system variable */
    char cGenerate;           /*  22 generation flag 'Y' */
    char acSysVarTail[2];     /*  23 completed: ... its last 2 characters */
    char acLiteralNumber[3];  /*  25 completed: literal number */
    char cResolved;           /*  28 completed: resolution marker */
    char acQualified[20];     /*  29 completed: qualified name */
    char acValueItem[9];      /*  49 completed: 9-byte value item */
    char cLoadKind;           /*  58 completed: load kind */
    char acFirstLine[7];      /*  59 completed: line of the first use, 7 digits */
    char acFirstCommand[10];  /*  66 completed: command name of the first use */
    char acUseCount[7];       /*  76 completed: number of uses, 7 digits */
    char acArrayData[752];    /*  83 completed: array data */
    char acFiller1[3];        /* 835 */
    char cMangled;            /* 838 'F' when the name is mangled */
    char cFiller2;            /* 839 */
    char acReference[4];      /* 840 reference */
    char acValue[4];          /* 844 value */
} WR_USEFIELD_DATA;

/* The array data of a USEFIELD record whose field is an array element
 * ("#ARR#IX", element #IX of array #ARR): kind 'A', the array name and
 * the index field, 10 characters each, as written, then the start
 * position of an overlay (5 digits; blank for position 1). Blank for
 * others. The checker writes it and the generator's operand resolver
 * reads it through this one layout. */
typedef struct WR_ARRAY_ELEMENT_DATA {
    char cKind;
    char acArray[10];
    char acIndex[10];
    char acStart[5];
} WR_ARRAY_ELEMENT_DATA;

/* USEFILE: name = file (10), qualifier = library. */
typedef struct WR_USEFILE_DATA {
    char acType[3];          /*   0 "PHY" or "LGL" */
    char acModule[10];       /*   3 module name */
    char cCommonOpen;        /*  13 'N' */
    char acPhysicalFile[10]; /*  14 completed: physical file of a view */
    char acFirstLine[7];     /*  24 completed: line of the first use */
} WR_USEFILE_DATA;

/* SYSFLAGS: blank name and qualifier, 64 flag bytes ('Y' when set). */
#define WR_SYSFLAGS_LEN 64
enum {
    SF_NOMESSAGES = 0, /* completed: 0-18 the first FUNCTION options in table order */
    SF_DEFERWRITE = 1,
    SF_HEAVYUSAGE = 2,
    SF_LIGHTUSAGE = 3,
    SF_DBOPTIMISE = 4,
    SF_PGMCOMMIT = 6,
    SF_DIRECT = 7,
    SF_NOIGCCNV = 8,
    SF_NO_RLTB_MIRROR = 9,
    SF_CLOSE_DISPLAY = 10,
    SF_DBOPTIMISE_BATCH = 11,
    SF_NOPGMCOMMIT = 13,
    SF_MLOPTIMISE = 14,
    SF_FIXED_19 = 19,
    SF_FIXED_21 = 21,
    SF_FIXED_22 = 22, /* read by the generator, set by other checks */
    SF_QUINTARO = 23, /* clear of flag 28 (offset 27), the mirrored layout */
    SF_MINI_SCREEN = 24,
    SF_OS400_EXT_PRINT = 25,
    SF_WEBEVENT = 26, /* completed */
    SF_STRICT_NULL_ASSIGN = 28, /* completed: 'S' */
    SF_SELECT_SQL = 37,
    SF_ALP_SYSTEM_VARIABLE = 38,
    SF_NUM_SYSTEM_VARIABLE = 39,
    SF_ALP_FIELD_VALIDATE = 40,
    SF_NUM_FIELD_VALIDATE = 41,
    SF_TRIGGER_FIELD = 42,
    SF_TRIGGER_OTHER = 43,
    SF_U16_VALUE = 52,  /* 52-53 unsigned 16-bit */
    SF_HTML_PAGES = 56, /* the function's HTML pages are generated */
    SF_WEB_EVENT = 57,  /* the function is a web event function */
    SF_BUILTIN = 58,
    SF_XML_PAGES = 60, /* the function's XML pages are generated */
    SF_FIXED_61 = 61,
    SF_FIELD_CLEAR = 62,
};

/* $DRINF: one per report, the 272-byte report entry as data. */
typedef struct WR_DRINF_DATA {
    char acNumber[4];     /*   0 report number */
    char acPrintFile[10]; /*   4 */
    char acLibrary[10];   /*  14 */
    char acTexts[40];     /*  24 completed: the report's NAME, by which the design offers it ("*NONE") */
    int16_t sPageLength;  /*  64 page length in lines */
    int16_t sFiller1;
    int16_t sPageWidth; /*  68 report width (FORMSIZE's second value) */
    int16_t sFiller2;
    int16_t sOverflow;       /*  72 overflow line */
    char acSwitches[3];      /*  74 completed: first three of "NNNN" */
    char cState;             /*  77 'N', 'Y' or 'P' */
    char cSwitch4;           /*  78 completed: fourth switch */
    char acPageField[10];    /*  79 completed: page-number field name */
    char acPrintResult[6];   /*  89 completed: print-file result */
    char acFiller3[13];      /*  95 */
    int16_t sLastLine;       /* 108 last detail line (LAST_LINE) */
    char acFiller4[19];      /* 110 */
    char acFiles[3][12];     /* 129, 141, 153: "*FILE" or a field name */
    char acFieldName[50];    /* 165 "*NONE" for none */
    char acRetFields[5][10]; /* 215 RET_LENGTH, 225 RET_WIDTH, 235 RET_OVERFLOW, 245 RET_LINE, 255 RET_PAGE */
    char acFiller5[7];       /* 265 */
} WR_DRINF_DATA;

/* DEF_COND: name characters 1-10 the condition; data 36-38 "*NO" for 'N'. */
typedef struct WR_DEF_COND_DATA {
    char acLine[7];         /*   0 completed: line of the DEF_COND */
    char acFiller[29];      /*   7 */
    char acSwitch[3];       /*  36 "*NO" or "*YE" */
    char acCondition[1000]; /*  39 completed: the condition text */
} WR_DEF_COND_DATA;

/* RENAMETO: name 1-10 and 21-30 and the qualifier: the three names of a
 * rename-stack entry; no data. RCV_LIST and RCV_DS: the name in the
 * qualifier; no data. */

/* ARRAYNAM: four records per DEF_ARRAY, each two 250-byte pieces of the
 * command's parameter area (pieces 1-8 in record order). Name: the array
 * name; qualifier: the record number 1-4 (completed). */
#define WR_ARRAYNAM_RECORDS 4
#define WR_ARRAYNAM_PIECE 250
#define WR_ARRAYNAM_SECOND 2550

/* LABEL: name = the 3-character label (blank-padded), qualifier = the
 * routine's first 10 characters (completed: data holds the line). */
typedef struct WR_LABEL_DATA {
    char acLine[7];     /*   0 completed: line of the label, 7 digits */
    char acSubLine[7];  /*   7 completed */
    char acRoutine[50]; /*  14 completed: the routine name in full */
} WR_LABEL_DATA;

/* GROUPNAM: name characters 1-10 the group. */
typedef struct WR_GROUPNAM_DATA {
    char acOrigin[3]; /*   0 "DEF", "LIN" */
    char cFiller;
    char acUseCount[4]; /*   4 32-bit use count, native order */
} WR_GROUPNAM_DATA;

#ifdef __cplusplus
#include <string.h>
inline int32_t WR_GroupUseCount(const WR_GROUPNAM_DATA* d)
{
    int32_t n;
    memcpy(&n, d->acUseCount, 4);
    return n;
}
inline void WR_SetGroupUseCount(WR_GROUPNAM_DATA* d, int32_t n)
{
    memcpy(d->acUseCount, &n, 4);
}
#endif

/* FIELDTOT and ERRORTOT (completed): one record each, blank name and
 * qualifier, written at the end of checking. FIELDTOT data: the number of
 * "USEFIELD" records, 7 digits. ERRORTOT data: the fatal and the warning
 * totals of the check, 7 digits each. */

/* USRSUBR: name the subroutine; data the 16-bit module number (completed:
 * then its line and 'Y' once the ENDROUTINE was seen). */
typedef struct WR_USRSUBR_DATA {
    uint16_t usModule;   /*   0 */
    char acLine[7];      /*   2 completed */
    char cEnded;         /*   9 completed: 'Y' after ENDROUTINE */
    char acParmCount[3]; /*  10 completed */
} WR_USRSUBR_DATA;

/* LISTNAME (completed): one per DEF_LIST, name the list (10 characters);
 * data: the list kind, its place among the function's lists and its
 * fields, for the checks of the list commands. */
#define WR_LIST_FIELDS_MAX 100
typedef struct WR_LISTNAME_DATA {
    char acOrder[4];                       /*   0 place among the lists, from 0001 */
    char cKind;                            /*   4 'W' working list, 'B' browse list */
    char acFieldCount[3];                  /*   5 number of fields */
    char acLine[7];                        /*   8 line of the DEF_LIST */
    char acFields[WR_LIST_FIELDS_MAX][10]; /* 15 the field names */
    char cLongList;                        /* 1015 'Y': LONG_LIST other than 0 (the long layout) */
    char acSubLine[7];                     /* 1016 sub-line of the DEF_LIST (its place in the command store) */
} WR_LISTNAME_DATA;

/* KEEP_: one per KEEP_ command inside a loop. Kind: the loop command's
 * line (32-bit) and sub-line (16-bit), native order, then four blanks;
 * name "KEEP_"; data (completed): the KEEP_ command's line (32-bit) and
 * sub-line (16-bit), the numbers under which the command store holds it. */
typedef struct WR_KEEP_DATA {
    int32_t lLine;
    int16_t sSubLine;
} WR_KEEP_DATA;

#ifdef __cplusplus
static_assert(offsetof(WR_USEFIELD_DATA, cGenerate) == 22, "USEFIELD generation flag");
static_assert(offsetof(WR_USEFIELD_DATA, cMangled) == 838, "USEFIELD mangled mark");
static_assert(offsetof(WR_USEFIELD_DATA, acReference) == 840, "USEFIELD reference");
static_assert(offsetof(WR_DRINF_DATA, sPageLength) == 64, "$DRINF 64");
static_assert(offsetof(WR_DRINF_DATA, sPageWidth) == 68, "$DRINF 68");
static_assert(offsetof(WR_DRINF_DATA, sOverflow) == 72, "$DRINF 72");
static_assert(offsetof(WR_DRINF_DATA, cState) == 77, "$DRINF 77");
static_assert(offsetof(WR_DRINF_DATA, sLastLine) == 108, "$DRINF 108");
static_assert(offsetof(WR_DRINF_DATA, acFiles) == 129, "$DRINF 129");
static_assert(offsetof(WR_DRINF_DATA, acFieldName) == 165, "$DRINF 165");
static_assert(offsetof(WR_DRINF_DATA, acRetFields) == 215, "$DRINF 215");
static_assert(sizeof(WR_DRINF_DATA) == 272, "$DRINF 272 bytes");
static_assert(offsetof(WR_DEF_COND_DATA, acSwitch) == 36, "DEF_COND 36");
#endif

#endif

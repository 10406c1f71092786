/* Layout work records of screens and reports.
 *
 * The automatic screen layout writes RCDFMT, RCDFMTCO and RCDFLD records and
 * completes the checker's POP_UP record; the automatic report layout writes
 * PRTFMT, PRTFMTCO and PRTFLD records. The display and report emitters, the
 * web page generators and the design steps read them through the typed
 * views below. Character fields are blank-padded and never terminated;
 * numbers are native 32-bit (16-bit where said) integers; positions are
 * counted from 0 within the work record's data area. */
#ifndef DQOV_LAYOUT_RECORDS_H
#define DQOV_LAYOUT_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#define LAYOUT_KIND_RCDFMT "RCDFMT    "
#define LAYOUT_KIND_RCDFMTCO "RCDFMTCO  "
#define LAYOUT_KIND_RCDFLD "RCDFLD    "
#define LAYOUT_KIND_POP_UP "POP_UP    "
#define LAYOUT_KIND_PRTFMT "PRTFMT    "
#define LAYOUT_KIND_PRTFMTCO "PRTFMTCO  "
#define LAYOUT_KIND_PRTFLD "PRTFLD    "
#define LAYOUT_KIND_GROUPFLD "GROUPFLD  "
#define LAYOUT_KIND_GROUPNAM "GROUPNAM  "

#define LAYOUT_ENTRY_SIZE 848
#define LAYOUT_CONDITIONS 50

/* One field or text of a screen or a report line: the data of an RCDFLD or
 * PRTFLD record. Where the report layout fills a position differently the
 * comment says "report:". */
typedef struct LAYOUT_FIELD_ENTRY {
    char acName[10];              /*   0 field name; "TEXT" + 6 digits for a text */
    char cType;                   /*  10 type letter; 'T' for a text */
    char cFiller11;               /*  11 */
    int32_t lLength;              /*  12 field length (text: its length) */
    int32_t lDecimals;            /*  16 */
    char acLabel[15];             /*  20 */
    char acHeadings[3][20];       /*  35 column heading lines 1-3 */
    char cFiller95;               /*  95 */
    int32_t lLabelWidth;          /*  96 */
    int32_t lHeadingWidth;        /* 100 widest heading line over all languages */
    int32_t lValueWidth;          /* 104 output width of the edited value */
    char cEditCode;               /* 108 */
    char acEditWord[24];          /* 109 */
    char acEditMask[256];         /* 133 edit mask; a text entry's text */
    char cShift;                  /* 389 attribute-check byte (keyboard shift) */
    char cIdentification;         /* 390 'C', 'L', 'D' or 'N' */
    char cFiller391;              /* 391 */
    int32_t lValueOffset;         /* 392 */
    int32_t lIdentOffset;         /* 396 heading or label offset */
    int32_t lRightLabelOffset;    /* 400 */
    int32_t lWidth;               /* 404 entry (area) width */
    int32_t lLine;                /* 408 0 = no position */
    int32_t lColumn;              /* 412 0 = no position */
    char cFailed;                 /* 416 placement error 'Y' */
    char cRepeat;                 /* 417 'Y' *REPEAT in the main record; report: 'N' */
    char cPlaced;                 /* 418 */
    char cFiller419;              /* 419 */
    int32_t lLines;               /* 420 lines covered (report: height) */
    char cUsage;                  /* 424 'B', 'O', 'H' */
    char acInputFlags[30];        /* 425 attribute flags 1-30 */
    char acOutputFlags[30];       /* 455 */
    char acErrorIndicator[2];     /* 485 "01"-"90"; report: on-change number */
    char cControlPart;            /* 487 'Y' browse list control part */
    char cCounted;                /* 488 'Y' *HIDE, *OUTPUT or *INPUT */
    char acListName[10];          /* 489 generated list name (120-125 of the list) */
    char cFiller499;              /* 499 */
    int32_t lFieldNumber;         /* 500 running field number of the function */
    char cHeadingInControl;       /* 504 */
    char cNewPage;                /* 505 *NEWPAGE */
    char cOnChange;               /* 506 report: *ONCHANGE; screen: unused */
    char acSavedName[6];          /* 507 report: "@N" + 4 digits */
    char cFiller513;              /* 513 */
    int16_t asHeadingWidths[3];   /* 514 screen: widths of heading lines 1-3 */
    char cFieldEntry;             /* 520 'Y' field, 'N' text; report: 'Y' has a condition */
    char acCondition[10];         /* 521 DEF_COND name */
    char acConditionIndicator[2]; /* 531 "41"-"90"; report: "99"-"50" */
    char acConditionValue[4];     /* 533 */
    char acDescription[40];       /* 537 with dot leaders */
    char acFiller577[3];          /* 577 */
    int32_t lDescriptionWidth;    /* 580 */
    char cUsage1;                 /* 584 'H', 'I', 'O' or 'B' */
    char cInOutCond;              /* 585 */
    char cUsage2;                 /* 586 */
    char acDisplayText[256];      /* 587 */
    char cControlKind;            /* 843 'N', 'B', 'R', 'X', 'D' */
    int16_t sPushButton;          /* 844 */
    char acFiller846[2];          /* 846 */
} LAYOUT_FIELD_ENTRY;

/* The condition table of one format (screens and reports alike): names in
 * use, 50 names and their 2-digit indicators ("90".."41" for screens,
 * "99".."50" for reports). RCDFMTCO / PRTFMTCO: bytes 0-499 in the first
 * record, 500-603 in the second. */
typedef struct LAYOUT_FORMAT_SLOT {
    int32_t lCount;                          /*   0 */
    char acNames[LAYOUT_CONDITIONS][10];     /*   4 */
    char acIndicators[LAYOUT_CONDITIONS][2]; /* 504 */
} LAYOUT_FORMAT_SLOT;
typedef LAYOUT_FORMAT_SLOT DLG_FORMAT_SLOT;
typedef LAYOUT_FORMAT_SLOT RPT_FORMAT_SLOT;

/* RCDFMT: kind "RCDFMT", name the command name, qualifier line (4 digits),
 * second sequence (4 digits), 2 blanks. One per record format (page). */
typedef struct RCDFMT_DATA {
    char acFormat[8];      /*  0 "R@F" + 5 digits */
    int32_t lFirstLine;    /*  8 */
    int32_t lLastLine;     /* 12 */
    char acKind[6];        /* 16 "RECORD", "SFLCTL", "SFL   " */
    char acBlank22[2];     /* 22 */
    int32_t lSubfilePage;  /* 24 */
    int32_t lSubfileSize;  /* 28 */
    int32_t lEntries;      /* 32 */
    int32_t lCounted;      /* 36 entries with 'Y' at 488 */
    int32_t lHeadingLines; /* 40 */
    int32_t lConditions;   /* 44 */
} RCDFMT_DATA;

/* PRTFMT: kind "PRTFMT", name the command name, qualifier as RCDFMT. */
typedef struct PRTFMT_DATA {
    char acFormat[8];    /*  0 */
    int32_t lFirstLine;  /*  8 */
    int32_t lLastLine;   /* 12 */
    char acLineKind[6];  /* 16 "HEAD", "FOOT", "LEAD", "TRAIL", "LINE" */
    char acBlank22[2];   /* 22 */
    int32_t lZero24;     /* 24 */
    int32_t lZero28;     /* 28 */
    int32_t lItems;      /* 32 */
    int32_t lItems2;     /* 36 */
    char acBlank40[4];   /* 40 */
    int32_t lConditions; /* 44 */
} PRTFMT_DATA;

/* POP_UP: kind "POP_UP", name line (15 digits) and second sequence (15
 * digits). Written by checking, lines 68-84 computed by the screen layout. */
typedef struct POP_UP_DATA {
    int32_t lLine;        /*  0 first line of the window */
    int32_t lColumn;      /*  4 */
    int32_t lWidth;       /*  8 */
    int32_t lHeight;      /* 12 */
    char acTitleId[10];   /* 16 a name, "*NONE" or "*AUTO" */
    char acTitle[40];     /* 26 */
    char acFiller66[2];   /* 66 */
    int32_t lKeyLine2;    /* 68 second function-key line */
    int32_t lKeyLine1;    /* 72 first function-key line */
    int32_t lMessageLine; /* 76 */
    int32_t lFirstUsable; /* 80 */
    int32_t lLastUsable;  /* 84 */
} POP_UP_DATA;

/* GROUPFLD: one per field of a field list (name: the group, qualifier: a
 * 10-digit running number); written by checking. */
typedef struct GROUPFLD_DATA {
    char acField[10];         /*   0 */
    char acFiller10[70];      /*  10 */
    char acFlags[40];         /*  80 keyword flags '1' = set (82 identification) */
    char acListName[6];       /* 120 generated name or blanks */
    char acCondition[10];     /* 126 */
    char acConditionValue[4]; /* 136 */
    char acFlags2[10];        /* 140 "*RA", "*INOUTCOND", ... */
} GROUPFLD_DATA;

/* Positions within GROUPFLD_DATA.acFlags (absolute data positions). */
enum {
    GF_OUTPUT = 80,
    GF_LOWERCASE = 81,
    GF_IDENT = 82,
    GF_NEWPAGE = 83,
    GF_ONCHANGE = 86,
    GF_LINE = 88,
    GF_COLUMN = 91,
    GF_REPEAT = 94,
    GF_HIDE = 95,
    GF_SELECT = 96,
    GF_ATTRIBUTES = 97,
    GF_INPUT = 119,
    GF_RA = 140,
    GF_INOUTCOND = 141,
    GF_FURTHER = 142
};

/* The work-file cursor slot of the layouts' reads (slot 0 belongs to the
 * multilingual field texts, which the layouts call while reading). */
#define LAYOUT_CURSOR_SLOT 11

/* GROUPNAM data position 52: 'Y' keeps the generated list names. */
#define GROUPNAM_KEEP_NAMES 52

#ifdef __cplusplus
static_assert(sizeof(LAYOUT_FIELD_ENTRY) == LAYOUT_ENTRY_SIZE, "layout entry is 848 bytes");
static_assert(offsetof(LAYOUT_FIELD_ENTRY, cType) == 10 && offsetof(LAYOUT_FIELD_ENTRY, lLength) == 12);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, acLabel) == 20 && offsetof(LAYOUT_FIELD_ENTRY, acHeadings) == 35);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, lLabelWidth) == 96 && offsetof(LAYOUT_FIELD_ENTRY, lValueWidth) == 104);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, acEditWord) == 109 && offsetof(LAYOUT_FIELD_ENTRY, acEditMask) == 133);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, cShift) == 389 && offsetof(LAYOUT_FIELD_ENTRY, lValueOffset) == 392);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, lWidth) == 404 && offsetof(LAYOUT_FIELD_ENTRY, lLine) == 408);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, cFailed) == 416 && offsetof(LAYOUT_FIELD_ENTRY, lLines) == 420);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, acInputFlags) == 425 && offsetof(LAYOUT_FIELD_ENTRY, acOutputFlags) == 455);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, acErrorIndicator) == 485 && offsetof(LAYOUT_FIELD_ENTRY, acListName) == 489);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, lFieldNumber) == 500 && offsetof(LAYOUT_FIELD_ENTRY, cNewPage) == 505);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, acSavedName) == 507 && offsetof(LAYOUT_FIELD_ENTRY, asHeadingWidths) == 514);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, cFieldEntry) == 520 &&
              offsetof(LAYOUT_FIELD_ENTRY, acConditionIndicator) == 531);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, acDescription) == 537 &&
              offsetof(LAYOUT_FIELD_ENTRY, lDescriptionWidth) == 580);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, acDisplayText) == 587 && offsetof(LAYOUT_FIELD_ENTRY, cControlKind) == 843);
static_assert(offsetof(LAYOUT_FIELD_ENTRY, sPushButton) == 844);
static_assert(sizeof(LAYOUT_FORMAT_SLOT) == 604 && offsetof(LAYOUT_FORMAT_SLOT, acIndicators) == 504);
static_assert(offsetof(RCDFMT_DATA, acKind) == 16 && offsetof(RCDFMT_DATA, lSubfilePage) == 24);
static_assert(offsetof(RCDFMT_DATA, lHeadingLines) == 40 && offsetof(RCDFMT_DATA, lConditions) == 44);
static_assert(offsetof(PRTFMT_DATA, lItems) == 32 && offsetof(PRTFMT_DATA, lConditions) == 44);
static_assert(offsetof(POP_UP_DATA, acTitleId) == 16 && offsetof(POP_UP_DATA, acTitle) == 26);
static_assert(offsetof(POP_UP_DATA, lKeyLine2) == 68 && offsetof(POP_UP_DATA, lLastUsable) == 84);
static_assert(offsetof(GROUPFLD_DATA, acFlags) == 80 && offsetof(GROUPFLD_DATA, acListName) == 120);
static_assert(offsetof(GROUPFLD_DATA, acCondition) == 126 && offsetof(GROUPFLD_DATA, acFlags2) == 140);
#endif

#endif

/*
** web_records.h: the web page work records of a web-enabled function.
**
** While the display code of a panel (DISPLAY, REQUEST or POP_UP) is
** emitted, the panel is described in keyed work records: one WEBPNL record
** for the panel, one WEBTXT record per free text, one WEBLST record per
** browse list, and one WEBDTA record per field of the panel's record format
** or WEBLSD record per browse-list column. The HTML and XML page generators
** read them back by the panel key (the kind and key part 2, the command's
** number and sequence number as 4 digits each).
**
** Every record is 2,870 bytes, blank before any field is set. Numbers
** written as digits are zero-padded ASCII; numbers held as integers are
** 32-bit little-endian (WEB_U32). Offsets are counted from the start of the
** record, key included. A row/column pair "RRCC" is the tens and units
** digits of the row followed by those of the column.
**
** WEBLSD and WEBDTA records wait in two pending chains until the panel is
** complete: at the flush the multilingual texts get their "@Tnnnn" text
** ids (each reserving consecutive positions of the generated program's
** text table) and the records are written, the second chain (texts added
** for the server web job) first.
*/
#ifndef WEB_PAGES_WEB_RECORDS_H
#define WEB_PAGES_WEB_RECORDS_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_work_record.h"

#define WEB_KIND_WEBPNL "WEBPNL    "
#define WEB_KIND_WEBTXT "WEBTXT    "
#define WEB_KIND_WEBLST "WEBLST    "
#define WEB_KIND_WEBLSD "WEBLSD    "
#define WEB_KIND_WEBDTA "WEBDTA    "

/* A 32-bit unsigned number held little-endian in four record bytes. */
struct WEB_U32 {
    unsigned char ab[4];
};
inline uint32_t WEB_GetU32(const WEB_U32& f)
{
    return static_cast<uint32_t>(f.ab[0]) | static_cast<uint32_t>(f.ab[1]) << 8 | static_cast<uint32_t>(f.ab[2]) << 16 |
           static_cast<uint32_t>(f.ab[3]) << 24;
}
inline void WEB_PutU32(WEB_U32& f, uint32_t ulValue)
{
    for (int i = 0; i < 4; ++i)
        f.ab[i] = static_cast<unsigned char>(ulValue >> (8 * i));
}

/* The key of every web record: kind, the command's number and sequence
** number (4 digits each), blanks, and the qualifier. */
struct WEB_RECORD_KEY {
    char acKind[10];      /*  0 */
    char acCommand[4];    /* 10 */
    char acSequence[4];   /* 14 */
    char acKeyRest[42];   /* 18 */
    char acQualifier[10]; /* 60 WEBLSD/WEBDTA: RRCC of the layout position */
};

struct WEBPNL_RECORD {
    WEB_RECORD_KEY key;
    WEB_U32 panel; /*  70 panel number within the function */
    char cCommand; /*  74 'D', 'R' or 'P' */
    char cFiller75;
    char acTitle[40]; /*  76 the title, or "@Tnnnn" and a NUL */
    char acFiller116[2];
    WEB_U32 titleFirst; /* 118 text positions reserved for the title */
    WEB_U32 titleLast;  /* 122 */
    char acRest[FFC_WORK_RECORD_LEN - 126];
};

struct WEBTXT_RECORD {
    WEB_RECORD_KEY key;
    char acRowColumn[4]; /*  70 RRCC */
    char acFiller74[4];
    WEB_U32 row;     /*  78 */
    WEB_U32 column;  /*  82 */
    char acText[81]; /*  86 at most 80 characters, NUL-filled */
    char acRest[FFC_WORK_RECORD_LEN - 167];
};

struct WEBLST_RECORD {
    WEB_RECORD_KEY key;
    char acFiller70[8];
    char acList[10]; /*  78 the browse list's name */
    char acRest[FFC_WORK_RECORD_LEN - 88];
};

/* WEBDTA (a field of the panel's record format) and WEBLSD (a browse-list
** column) share one layout. */
struct WEBDTA_RECORD {
    WEB_RECORD_KEY key;
    char acRowColumn[4]; /*  70 RRCC of the layout position */
    char acFiller74[4];
    WEB_U32 row;     /*  78 row of the field's data */
    WEB_U32 column;  /*  82 column of the field's data */
    char acName[10]; /*  86 */
    char cFiller96;
    char cType; /*  97 */
    char acFiller98[4];
    WEB_U32 length;   /* 102 */
    WEB_U32 decimals; /* 106 */
    char cEditCode;   /* 110 */
    char cFiller111;
    char acEditWord[24]; /* 112 */
    char cFiller136;
    char cUsage; /* 137 'H' hidden */
    char cFiller138;
    char cStyle; /* 139 'C' headings, 'D' description, 'L' label, 'N' none */
    char cFiller140;
    char acDescriptionAt[4]; /* 141 RRCC, text position pair 1 */
    char cFiller145;
    char acDescription[40]; /* 146 */
    char cFiller186;
    char acLabelAt[4]; /* 187 RRCC, pair 1 */
    char cFiller191;
    char acLabel[15]; /* 192 */
    char cFiller207;
    char acHeading1At[4]; /* 208 RRCC, pair 1 */
    char cFiller212;
    char acHeading1[20]; /* 213 */
    char cFiller233;
    char acHeading2At[4]; /* 234 RRCC, pair 2 */
    char cFiller238;
    char acHeading2[20]; /* 239 */
    char cFiller259;
    char acHeading3At[4]; /* 260 RRCC, pair 3 */
    char cFiller264;
    char acHeading3[20]; /* 265 */
    char cFiller285;
    char acInput[40]; /* 286 ten 4-character input attribute codes */
    char cFiller326;
    char acOutput[40]; /* 327 ten output attribute codes */
    char acFiller367[12];
    char acCarried[10]; /* 379 layout record 489-498, unchanged */
    char cFiller389;
    char cShift; /* 390 keyboard shift */
    char cFiller391;
    char acRunning[2]; /* 392 two-character running number */
    char acFiller394[4];
    WEB_U32 maxLength; /* 398 */
    WEB_U32 firstA;    /* 402 heading 1, label, description */
    WEB_U32 firstB;    /* 406 heading 2 */
    WEB_U32 firstC;    /* 410 heading 3 */
    WEB_U32 lastA;     /* 414 */
    WEB_U32 lastB;     /* 418 */
    WEB_U32 lastC;     /* 422 */
    char acRest[FFC_WORK_RECORD_LEN - 426];
};

static_assert(sizeof(WEB_RECORD_KEY) == FFC_WORK_KEY_LEN);
static_assert(sizeof(WEBPNL_RECORD) == FFC_WORK_RECORD_LEN && offsetof(WEBPNL_RECORD, cCommand) == 74);
static_assert(offsetof(WEBPNL_RECORD, acTitle) == 76 && offsetof(WEBPNL_RECORD, titleFirst) == 118 &&
              offsetof(WEBPNL_RECORD, titleLast) == 122);
static_assert(sizeof(WEBTXT_RECORD) == FFC_WORK_RECORD_LEN && offsetof(WEBTXT_RECORD, row) == 78 &&
              offsetof(WEBTXT_RECORD, column) == 82 && offsetof(WEBTXT_RECORD, acText) == 86);
static_assert(sizeof(WEBLST_RECORD) == FFC_WORK_RECORD_LEN && offsetof(WEBLST_RECORD, acList) == 78);
static_assert(sizeof(WEBDTA_RECORD) == FFC_WORK_RECORD_LEN && offsetof(WEBDTA_RECORD, acName) == 86);
static_assert(offsetof(WEBDTA_RECORD, cType) == 97 && offsetof(WEBDTA_RECORD, length) == 102 &&
              offsetof(WEBDTA_RECORD, decimals) == 106 && offsetof(WEBDTA_RECORD, cEditCode) == 110);
static_assert(offsetof(WEBDTA_RECORD, acEditWord) == 112 && offsetof(WEBDTA_RECORD, cUsage) == 137 &&
              offsetof(WEBDTA_RECORD, cStyle) == 139 && offsetof(WEBDTA_RECORD, acDescriptionAt) == 141);
static_assert(offsetof(WEBDTA_RECORD, acDescription) == 146 && offsetof(WEBDTA_RECORD, acLabelAt) == 187 &&
              offsetof(WEBDTA_RECORD, acLabel) == 192 && offsetof(WEBDTA_RECORD, acHeading1At) == 208);
static_assert(offsetof(WEBDTA_RECORD, acHeading1) == 213 && offsetof(WEBDTA_RECORD, acHeading2At) == 234 &&
              offsetof(WEBDTA_RECORD, acHeading2) == 239 && offsetof(WEBDTA_RECORD, acHeading3At) == 260);
static_assert(offsetof(WEBDTA_RECORD, acHeading3) == 265 && offsetof(WEBDTA_RECORD, acInput) == 286 &&
              offsetof(WEBDTA_RECORD, acOutput) == 327 && offsetof(WEBDTA_RECORD, acCarried) == 379);
static_assert(offsetof(WEBDTA_RECORD, cShift) == 390 && offsetof(WEBDTA_RECORD, acRunning) == 392 &&
              offsetof(WEBDTA_RECORD, maxLength) == 398 && offsetof(WEBDTA_RECORD, firstA) == 402);
static_assert(offsetof(WEBDTA_RECORD, lastA) == 414 && offsetof(WEBDTA_RECORD, lastC) == 422);

/* What the used-field lookup tells about a field: its attribute codes and
** the lengths of its multilingual texts (the positions a text id of that
** text reserves). */
struct P3108_FIELD_DEFINITION {
    char acInputAttributes[40];
    char acOutputAttributes[40];
    int16_t sLabelLength;
    int16_t sHeadingLength;
    int16_t sDescriptionLength;
};

/* Text flags of a field's five texts, in the order label, heading 1-3,
** description: 0 no text id, 1 a text id, 2 a text id added for the
** server web job (such a record goes to the second pending chain). */
inline constexpr uint16_t P3108_NO_TEXT_ID = 0, P3108_TEXT_ID = 1, P3108_WEB_JOB_TEXT_ID = 2;

/* Empties both pending chains, sets the next text id and keeps the
** caller's text position counter. Called when a panel's emission begins. */
void P3108_StartPendingWebRecords(FFC_CONTEXT* pContext, uint16_t usFirstTextId, uint32_t* pulTextPosition);
/* The WEBPNL record; with a multilingual title (flag non-zero) in a
** multilingual run the title becomes a text id. */
void P3108_WriteWebpnlRecord(FFC_CONTEXT* pContext, int16_t sCommand, int16_t sSequence, char cCommand,
                             const char* pachTitle40, int16_t sPanel, int16_t fTitleMultilingual);
/* A WEBTXT record: at most 80 characters of the text. */
void P3108_WriteWebtxtRecord(FFC_CONTEXT* pContext, int16_t sCommand, int16_t sSequence, int32_t lRow, int32_t lColumn,
                             const char* pText, uint16_t usLength);
/* A WEBLST record: the first 10 bytes of the browse list's definition. */
void P3108_WriteWeblstRecord(FFC_CONTEXT* pContext, int16_t sCommand, int16_t sSequence, const char* pListDefinition);
/* Builds a WEBLSD (fList non-zero) or WEBDTA record from the field's
** layout record and definition and queues it. asRows and asColumns are
** the three text positions (label or first heading, second and third
** heading); ausTextFlags the five text flags. */
void P3108_WriteWeblsdWebdtaRecords(FFC_CONTEXT* pContext, int16_t fList, int16_t sCommand, int16_t sSequence,
                                    const LAYOUT_FIELD_ENTRY* pLayout, const P3108_FIELD_DEFINITION* pField,
                                    const int16_t asRows[3], const int16_t asColumns[3],
                                    const uint16_t ausTextFlags[5]);
/* Assigns the text ids of the queued records, writes and frees them. */
void P3108_FlushPendingWebRecords(FFC_CONTEXT* pContext, int16_t fAlwaysNumberDescriptions, int16_t fSkipBlankLabels);

/* The text id the next text will get (ids go on from panel to panel). */
uint16_t P3108_usNextTextId();

/* True when the length is not positive, or the first length bytes are
** blanks, or a NUL comes before any non-blank. */
bool P3108_fIsAllBlank(const char* pField, int16_t sLength);
/* The RRCC text of a row and column (4 characters, no terminator). */
void P3108_FormatRowColumn(uint32_t ulRow, uint32_t ulColumn, char* pachOut4);

/* What the generator hands the page records: its partition (empty outside
** generation) and the generated program's table of text references, which
** the texts of the panels are registered with. The emitters install it
** (P3109_UseGeneratorTextsForWebRecords); without it the records use the
** session's partition and register no texts. */
struct P3108_GENERATOR_TEXTS {
    const char* (*pfnPartition)();
    size_t (*pfnTextReferenceCount)();
    void (*pfnInsertTextReference)(size_t ulPosition, std::string_view name, int32_t lKind, int32_t lValue);
    void (*pfnAppendTextReference)(std::string_view name, int32_t lKind, int32_t lValue);
};
void P3108_UseGeneratorTexts(const P3108_GENERATOR_TEXTS* pTexts);

/* 1 when the multilingual variable (the name up to its first blank or NUL)
** exists in the generator's partition. */
int16_t P3109_fMultilingualVariableExists(const char* pachName40);
/* The longest description of the function over all languages; 0 when it
** has none. */
int16_t P3108_sGetDescriptionLength(FFC_CONTEXT* pContext);
/* Reports a failed statement of the web records and ends the process. */
[[noreturn]] void P3108_FatalSqlError(const char* pszTag);

#endif

/*
** web_records.cpp: the writers of the web page work records, the pending
** chains of a panel's field records and the numbering of their text ids.
*/
#include "web/pages/web_records.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace {

constexpr char kTextIdPlaceholder[] = "@Tnnnn";
constexpr size_t kTextIdLength = 6;

/* A WEBLSD or WEBDTA record waiting for the end of its panel, with the
** field's real texts and their lengths (label, headings 1-3, description).
** Allocated zero-filled by MEM_pAllocZeroed, released with free. */
struct PendingEntry {
    WEBDTA_RECORD record;
    char acLabel[15];
    char acHeadings[3][20];
    char acDescription[40];
    int16_t asLengths[5];
};
struct FreeBlock {
    void operator()(PendingEntry* p) const { std::free(p); }
};
using PendingPtr = std::unique_ptr<PendingEntry, FreeBlock>;

struct WebRecordState {
    std::vector<PendingPtr> chains[2]; /* [0] chain 1, [1] chain 2 (web job texts) */
    uint16_t usNextTextId = 0;
    uint32_t ulOwnPosition = 0; /* used when the caller gives no counter */
    uint32_t* pulTextPosition = &ulOwnPosition;
    size_t ulInsertPosition = 0; /* where the panel's title reference goes */
};

WebRecordState& state()
{
    static WebRecordState s;
    return s;
}

template <typename Record> void blankRecord(Record& r, const char* kind, int16_t sCommand, int16_t sSequence)
{
    static_assert(sizeof(Record) == FFC_WORK_RECORD_LEN);
    std::memset(&r, ' ', sizeof r);
    std::memcpy(r.key.acKind, kind, FFC_WORK_KIND_LEN);
    const int32_t command = sCommand, sequence = sSequence;
    FIX_LongToDigits(&command, 4, r.key.acCommand);
    FIX_LongToDigits(&sequence, 4, r.key.acSequence);
}

const P3108_GENERATOR_TEXTS* g_generatorTexts = nullptr;

/* The generator's texts; the records are written only while a program is
** generated, so their absence is a fault of the library's assembly. */
const P3108_GENERATOR_TEXTS& generatorTexts()
{
    if (!g_generatorTexts)
        FFC_Fatal_Error("The web records cannot register their texts: no generator is installed.");
    return *g_generatorTexts;
}

template <typename Record> void writeRecord(FFC_CONTEXT* ctx, const Record& r)
{
    WF_lWrite(ctx, reinterpret_cast<const FFC_WORK_RECORD*>(&r));
}

/* A text place: "@Tnnnn" and a NUL when a text id belongs to it, else a
** single NUL; the rest of the place stays blank. */
void markTextPlace(char* place, uint16_t usFlag)
{
    if (usFlag == P3108_NO_TEXT_ID) {
        place[0] = '\0';
        return;
    }
    std::memcpy(place, kTextIdPlaceholder, kTextIdLength);
    place[kTextIdLength] = '\0';
}

bool isTextIdPlaceholder(const char* place)
{
    return std::memcmp(place, kTextIdPlaceholder, kTextIdLength) == 0;
}

/* The row of the field's data: below the column headings it carries. */
uint32_t dataRow(const LAYOUT_FIELD_ENTRY& e)
{
    uint32_t row = static_cast<uint32_t>(e.lLine);
    if (e.cIdentification != 'C')
        return row;
    for (const auto& heading : e.acHeadings)
        if (!P3108_fIsAllBlank(heading, 20))
            ++row;
    return row;
}

struct Cursor {
    uint16_t usNumber = 0;
    SSQL_SQLDA* pCa = nullptr;
    SSQL_SQLDA* pDa = nullptr;
};

}  // namespace

bool P3108_fIsAllBlank(const char* pField, int16_t sLength)
{
    if (sLength <= 0)
        return true;
    for (int16_t i = 0; i < sLength; ++i) {
        if (pField[i] == '\0')
            return true;
        if (pField[i] != ' ')
            return false;
    }
    return true;
}

void P3108_FormatRowColumn(uint32_t ulRow, uint32_t ulColumn, char* pachOut4)
{
    pachOut4[0] = static_cast<char>('0' + ulRow / 10 % 10);
    pachOut4[1] = static_cast<char>('0' + ulRow % 10);
    pachOut4[2] = static_cast<char>('0' + ulColumn / 10 % 10);
    pachOut4[3] = static_cast<char>('0' + ulColumn % 10);
}

void P3108_FatalSqlError(const char* pszTag)
{
    /* the generator's text: the tag, then the database's own reason */
    FFC_Fatal_SQL_Location(pszTag);
}

void P3108_UseGeneratorTexts(const P3108_GENERATOR_TEXTS* pTexts)
{
    g_generatorTexts = pTexts;
}

/* Gives a place that holds "@Tnnnn" the next text id and reserves n
** positions of the text table for it: first = counter + 1, last = counter
** + n. With fCheck set, a text that is blank over its n characters (or an
** n that is not positive) gets no id. Answers 1 when an id was given. */
static int16_t P3108_fAssignTextId(char* place, int16_t n, WEB_U32* pFirst, WEB_U32* pLast, const char* text,
                                   size_t ulTextWidth, int16_t fCheck)
{
    if (!isTextIdPlaceholder(place))
        return 0;
    if (fCheck && (n <= 0 || P3108_fIsAllBlank(text, static_cast<int16_t>(std::min<size_t>(n, ulTextWidth)))))
        return 0;
    WebRecordState& s = state();
    char id[8];
    if (s.usNextTextId <= 9999)
        std::snprintf(id, sizeof id, "@T%.4u", static_cast<unsigned>(s.usNextTextId));
    else
        std::memcpy(id, "@T????", 7);
    std::memcpy(place, id, kTextIdLength + 1);
    uint32_t& counter = *s.pulTextPosition;
    counter += 1;
    WEB_PutU32(*pFirst, counter);
    ++s.usNextTextId;
    counter += static_cast<uint32_t>(n - 1);
    WEB_PutU32(*pLast, counter);
    return 1;
}

void P3108_StartPendingWebRecords(FFC_CONTEXT*, uint16_t usFirstTextId, uint32_t* pulTextPosition)
{
    WebRecordState& s = state();
    s.chains[0].clear();
    s.chains[1].clear();
    s.usNextTextId = usFirstTextId;
    s.pulTextPosition = pulTextPosition ? pulTextPosition : &s.ulOwnPosition;
    s.ulInsertPosition = generatorTexts().pfnTextReferenceCount();
}

uint16_t P3108_usNextTextId()
{
    return state().usNextTextId;
}

int16_t P3108_sGetDescriptionLength(FFC_CONTEXT* pContext)
{
    char partition[4] = {}, process[11] = {}, function[8] = {};
    std::memcpy(partition, pContext->acPartition, 3);
    std::memcpy(process, pContext->acProcess, 10);
    std::memcpy(function, pContext->acFunction, 7);
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_DeclareExt(area.get(),
                    "SELECT X67PLN, X67DES FROM QV_DTA.QV_F67 WHERE X67P_I = '%s' AND   X67MOD = '%s' AND   "
                    "X67FMT = '%s'",
                    partition, process, function);
    Cursor c;
    SSQL_SetLocation("DC_P3108/QV_F67/A");
    if (SSQL_sOpenExt(&c.usNumber) == SSQL_RC_ERROR)
        P3108_FatalSqlError("DC_P3108/QV_F67/A");
    int16_t longest = 0;
    for (bool first = true;; first = false) {
        unsigned char language[44] = {}, description[44] = {};
        const char* tag = first ? "DC_P3108/QV_F67/B" : "DC_P3108/QV_F67/C";
        SSQL_SetLocation(tag);
        const unsigned short rc = SSQL_sFetchExt(area.get(), c.usNumber, &c.pCa, &c.pDa, 2, SSQL_FIXED(language, 4),
                                                 SSQL_VARYING(description, 40));
        if (rc == SSQL_RC_ERROR)
            P3108_FatalSqlError(tag);
        if (rc != SSQL_RC_OK)
            break;
        int16_t length;
        std::memcpy(&length, description, sizeof length);
        longest = std::max(longest, length);
    }
    SSQL_SetLocation("DC_P3108/QV_F67/D");
    if (SSQL_sCloseExt(c.usNumber, &c.pCa, &c.pDa) == SSQL_RC_ERROR)
        P3108_FatalSqlError("DC_P3108/QV_F67/D");
    return longest;
}

int16_t P3109_fMultilingualVariableExists(const char* pachName40)
{
    size_t n = 0;
    while (n < 40 && pachName40[n] != ' ' && pachName40[n] != '\0')
        ++n;
    const std::string name(pachName40, n);
    /* the generator's partition; the job's session partition outside generation */
    std::string partition = g_generatorTexts ? g_generatorTexts->pfnPartition() : "";
    if (partition.empty())
        partition = SMISC_pszPartition();
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_DeclareExt(area.get(), "SELECT X61PLN FROM QV_DTA.QV_F61 WHERE X61P_I = '%s' AND   X61MTX = '%s'",
                    partition.c_str(), name.c_str());
    Cursor c;
    SSQL_SetLocation("DC_P3109/QV_F61/M1");
    if (SSQL_sOpenExt(&c.usNumber) != SSQL_RC_OK)
        P3108_FatalSqlError("DC_P3109/QV_F61/M1");
    char language[4];
    const unsigned short rc = SSQL_sFetchExt(area.get(), c.usNumber, &c.pCa, &c.pDa, 1, SSQL_FIXED(language, 4));
    if (rc == SSQL_RC_ERROR)
        P3108_FatalSqlError("DC_P3109/QV_F61/M1");
    SSQL_SetLocation("DC_P3109/QV_F61/M2");
    if (SSQL_sCloseExt(c.usNumber, &c.pCa, &c.pDa) != SSQL_RC_OK)
        P3108_FatalSqlError("DC_P3109/QV_F61/M2");
    return rc == SSQL_RC_OK ? 1 : 0;
}

void P3108_WriteWebpnlRecord(FFC_CONTEXT* pContext, int16_t sCommand, int16_t sSequence, char cCommand,
                             const char* pachTitle40, int16_t sPanel, int16_t fTitleMultilingual)
{
    WEBPNL_RECORD r;
    blankRecord(r, WEB_KIND_WEBPNL, sCommand, sSequence);
    WEB_PutU32(r.panel, static_cast<uint32_t>(sPanel));
    r.cCommand = cCommand;
    WEB_PutU32(r.titleFirst, 0);
    WEB_PutU32(r.titleLast, 0);
    if (!fTitleMultilingual || pContext->cMultilingual != 'Y') {
        std::memcpy(r.acTitle, pachTitle40, sizeof r.acTitle);
        writeRecord(pContext, r);
        return;
    }
    int16_t n;
    if (std::memcmp(pachTitle40, "*MTXT", 5) == 0)
        n = P3109_fMultilingualVariableExists(pachTitle40) ? 40 : 3;
    else
        n = P3108_sGetDescriptionLength(pContext);
    markTextPlace(r.acTitle, P3108_TEXT_ID);
    P3108_fAssignTextId(r.acTitle, n, &r.titleFirst, &r.titleLast, pachTitle40, 40, 0);
    const std::string title = dqov::text::TrimRight(std::string_view(pachTitle40, 40));
    const bool function = std::memcmp(pachTitle40, "*FUNCTION", 9) == 0;
    generatorTexts().pfnInsertTextReference(state().ulInsertPosition++, title, function ? 0 : 2, 0);
    writeRecord(pContext, r);
}

void P3108_WriteWebtxtRecord(FFC_CONTEXT* pContext, int16_t sCommand, int16_t sSequence, int32_t lRow, int32_t lColumn,
                             const char* pText, uint16_t usLength)
{
    WEBTXT_RECORD r;
    blankRecord(r, WEB_KIND_WEBTXT, sCommand, sSequence);
    P3108_FormatRowColumn(static_cast<uint32_t>(lRow), static_cast<uint32_t>(lColumn), r.acRowColumn);
    WEB_PutU32(r.row, static_cast<uint32_t>(lRow));
    WEB_PutU32(r.column, static_cast<uint32_t>(lColumn));
    std::memset(r.acText, '\0', sizeof r.acText);
    if (pText)
        std::memcpy(r.acText, pText, std::min<size_t>(usLength, sizeof r.acText - 1));
    writeRecord(pContext, r);
}

void P3108_WriteWeblstRecord(FFC_CONTEXT* pContext, int16_t sCommand, int16_t sSequence, const char* pListDefinition)
{
    WEBLST_RECORD r;
    blankRecord(r, WEB_KIND_WEBLST, sCommand, sSequence);
    std::memcpy(r.acList, pListDefinition, sizeof r.acList);
    writeRecord(pContext, r);
}

void P3108_WriteWeblsdWebdtaRecords(FFC_CONTEXT* pContext, int16_t fList, int16_t sCommand, int16_t sSequence,
                                    const LAYOUT_FIELD_ENTRY* pLayout, const P3108_FIELD_DEFINITION* pField,
                                    const int16_t asRows[3], const int16_t asColumns[3], const uint16_t ausTextFlags[5])
{
    PendingPtr entry(static_cast<PendingEntry*>(MEM_pAllocZeroed(sizeof(PendingEntry))));
    if (!entry)
        return; /* message 510 was issued: the field is left out of the page */
    const LAYOUT_FIELD_ENTRY& e = *pLayout;
    WEBDTA_RECORD& r = entry->record;
    blankRecord(r, fList ? WEB_KIND_WEBLSD : WEB_KIND_WEBDTA, sCommand, sSequence);
    P3108_FormatRowColumn(static_cast<uint32_t>(e.lLine), static_cast<uint32_t>(e.lColumn), r.key.acQualifier);
    std::memcpy(r.acRowColumn, r.key.acQualifier, sizeof r.acRowColumn);
    WEB_PutU32(r.row, dataRow(e));
    WEB_PutU32(r.column, static_cast<uint32_t>(e.lColumn + e.lValueOffset));
    std::memcpy(r.acName, e.acName, sizeof r.acName);
    r.cType = e.cType;
    WEB_PutU32(r.length, static_cast<uint32_t>(e.lLength));
    WEB_PutU32(r.decimals, static_cast<uint32_t>(e.lDecimals));
    r.cEditCode = e.cEditCode;
    std::memcpy(r.acEditWord, e.acEditWord, sizeof r.acEditWord);
    r.cUsage = e.cUsage1;
    r.cStyle = e.cIdentification;
    std::memcpy(r.acInput, pField->acInputAttributes, sizeof r.acInput);
    std::memcpy(r.acOutput, pField->acOutputAttributes, sizeof r.acOutput);
    std::memcpy(r.acCarried, e.acListName, sizeof r.acCarried);
    r.cShift = e.cShift;
    std::memcpy(r.acRunning, e.acErrorIndicator, sizeof r.acRunning);
    WEB_PutU32(r.maxLength, static_cast<uint32_t>(e.lValueWidth));

    const auto rowColumn = [&](int k, char* out) {
        P3108_FormatRowColumn(static_cast<uint32_t>(asRows[k]), static_cast<uint32_t>(asColumns[k]), out);
    };
    rowColumn(0, r.acDescriptionAt);
    rowColumn(0, r.acLabelAt);
    rowColumn(0, r.acHeading1At);
    rowColumn(1, r.acHeading2At);
    rowColumn(2, r.acHeading3At);
    for (WEB_U32* position : {&r.firstA, &r.firstB, &r.firstC, &r.lastA, &r.lastB, &r.lastC})
        WEB_PutU32(*position, 0);

    char* places[5] = {r.acLabel, r.acHeading1, r.acHeading2, r.acHeading3, r.acDescription};
    const char* texts[5] = {e.acLabel, e.acHeadings[0], e.acHeadings[1], e.acHeadings[2], e.acDescription};
    const size_t widths[5] = {15, 20, 20, 20, 40};
    bool webJob = false;
    if (pContext->cMultilingual != 'Y') {
        for (int k = 0; k < 5; ++k)
            std::memcpy(places[k], texts[k], widths[k]);
    } else {
        for (int k = 0; k < 5; ++k) {
            markTextPlace(places[k], ausTextFlags[k]);
            webJob = webJob || ausTextFlags[k] == P3108_WEB_JOB_TEXT_ID;
        }
        std::memcpy(entry->acLabel, e.acLabel, sizeof entry->acLabel);
        std::memcpy(entry->acHeadings, e.acHeadings, sizeof entry->acHeadings);
        std::memcpy(entry->acDescription, e.acDescription, sizeof entry->acDescription);
        const int16_t lengths[5] = {pField->sLabelLength, pField->sHeadingLength, pField->sHeadingLength,
                                    pField->sHeadingLength, pField->sDescriptionLength};
        std::memcpy(entry->asLengths, lengths, sizeof lengths);
    }
    state().chains[webJob ? 1 : 0].push_back(std::move(entry));
}

void P3108_FlushPendingWebRecords(FFC_CONTEXT* pContext, int16_t fAlwaysNumberDescriptions, int16_t fSkipBlankLabels)
{
    WebRecordState& s = state();
    for (int chain : {1, 0}) {
        for (PendingPtr& entry : s.chains[chain]) {
            WEBDTA_RECORD& r = entry->record;
            if (pContext->cMultilingual == 'Y') {
                const std::string_view name(r.acName, sizeof r.acName);
                const struct {
                    char* place;
                    int16_t length;
                    WEB_U32 *first, *last;
                    const char* text;
                    size_t width;
                    int16_t check;
                    int32_t value;
                } tries[5] = {
                    {r.acHeading1, entry->asLengths[1], &r.firstA, &r.lastA, entry->acHeadings[0], 20, 1, 1},
                    {r.acHeading2, entry->asLengths[2], &r.firstB, &r.lastB, entry->acHeadings[1], 20, 1, 2},
                    {r.acHeading3, entry->asLengths[3], &r.firstC, &r.lastC, entry->acHeadings[2], 20, 1, 3},
                    {r.acLabel, entry->asLengths[0], &r.firstA, &r.lastA, entry->acLabel, 15, fSkipBlankLabels, 0},
                    {r.acDescription, entry->asLengths[4], &r.firstA, &r.lastA, entry->acDescription, 40,
                     static_cast<int16_t>(fAlwaysNumberDescriptions ? 0 : 1), 4},
                };
                for (const auto& t : tries)
                    if (P3108_fAssignTextId(t.place, t.length, t.first, t.last, t.text, t.width, t.check))
                        generatorTexts().pfnAppendTextReference(name, 1, t.value);
            }
            writeRecord(pContext, r);
        }
        s.chains[chain].clear();
    }
}

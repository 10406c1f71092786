/* Loading of the keyword area from the repository's keyword table (QV_F98,
 * rows of class 'M') and alias table (QV_F97). */
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "params/cmdparm.h"
#include "params/cmdparm_internal.h"
#include "platform/dqos/dqos.h"

namespace {

// The first `width` characters of the value with leading zeros ("%0*ld").
void PutNumber(char* field, size_t width, long value)
{
    // the numbers of the tables fit their fields: their digits are written
    // straight in
    long limit = 1;
    for (size_t i = 0; i < width; ++i)
        limit *= 10;
    if (value >= 0 && value < limit) {
        for (size_t i = width; i-- > 0; value /= 10)
            field[i] = static_cast<char>('0' + value % 10);
        return;
    }
    char text[24];
    FIX_ulZeroPadded(value, static_cast<uint32_t>(width), text);
    std::memcpy(field, text, width);
}

// The rows go into the fetch buffers only: the fetches make no
// communication or descriptor areas.
struct CursorGuard {
    uint16_t cursor = 0;
    bool open = false;
    ~CursorGuard()
    {
        if (open)
            SSQL_sCloseExt(cursor, nullptr, nullptr);
    }
};

int16_t LoadKeywordRows(CMDPARM_KEYWORD_ENTRY* entries, uint16_t& count)
{
    SSQL_AREA area;
    SSQL_SetLocation("CMDPARM/QV_F98/A");
    if (SSQL_DeclareExt(&area,
                        "SELECT X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, "
                        "X98OFS, X98CNT, X98POS, X98KWD FROM QV_DTA.QV_F98 WHERE X98ROC = '%c' "
                        "ORDER BY X98CMD, X98SEQ, X98TYP, X98ELM",
                        'M') != SSQL_RC_OK)
        return -1;
    CursorGuard c;
    if (SSQL_sOpenExt(&c.cursor) != SSQL_RC_OK)
        return -1;
    c.open = true;
    for (;;) {
        char command[10], keyword[10], type, layout, kind, positional, value[20];
        int32_t seq = 0, element = 0, width = 0, entries_ = 0, offset = 0, countAt = 0;
        unsigned short rc =
            SSQL_sFetchExt(&area, c.cursor, nullptr, nullptr, 13, SSQL_FIXED(command, 10), SSQL_FIXED(keyword, 10),
                           SSQL_I32(&seq), SSQL_I32(&element), SSQL_FIXED(&type, 1), SSQL_FIXED(&layout, 1),
                           SSQL_FIXED(&kind, 1), SSQL_I32(&width), SSQL_I32(&entries_), SSQL_I32(&offset),
                           SSQL_I32(&countAt), SSQL_FIXED(&positional, 1), SSQL_FIXED(value, 20));
        if (rc == SSQL_RC_ERROR)
            return -1;
        if (rc != SSQL_RC_OK)
            break;
        if (count >= CMDPARM_KEYWORD_ENTRY_MAX)
            return 1;
        CMDPARM_KEYWORD_ENTRY& e = entries[count++];
        std::memset(&e, ' ', sizeof e);
        e.cRowType = type;
        std::memcpy(e.acCommand, command, 10);
        std::memcpy(e.acKeyword, keyword, 10);
        PutNumber(e.acParmSeq, 3, seq);
        e.cElement = type == 'P' ? static_cast<char>('0' + element) : ' ';
        e.cLayout = layout;
        e.cKind = kind;
        PutNumber(e.acWidth, 4, width);
        PutNumber(e.acEntries, 3, entries_);
        PutNumber(e.acOffset, 4, offset);
        if (countAt >= 0)
            PutNumber(e.acCountAt, 4, countAt);
        e.cPositional = positional;
        std::memcpy(e.acValue, value, 20);
    }
    return 0;
}

int16_t LoadAliasRows(CMDPARM_KEYWORD_ENTRY* entries, uint16_t& count)
{
    SSQL_AREA area;
    SSQL_SetLocation("CMDPARM/QV_F97/A");
    if (SSQL_DeclareExt(&area, "SELECT X97CMD, X97ALS, X97PRM FROM QV_DTA.QV_F97 ORDER BY X97CMD, X97ALS") !=
        SSQL_RC_OK)
        return -1;
    CursorGuard c;
    if (SSQL_sOpenExt(&c.cursor) != SSQL_RC_OK)
        return -1;
    c.open = true;
    for (;;) {
        char command[10], alias[10], keyword[10];
        unsigned short rc = SSQL_sFetchExt(&area, c.cursor, nullptr, nullptr, 3, SSQL_FIXED(command, 10),
                                           SSQL_FIXED(alias, 10), SSQL_FIXED(keyword, 10));
        if (rc == SSQL_RC_ERROR)
            return -1;
        if (rc != SSQL_RC_OK)
            break;
        if (count >= CMDPARM_KEYWORD_ENTRY_MAX)
            return 1;
        CMDPARM_KEYWORD_ENTRY& e = entries[count++];
        std::memset(&e, ' ', sizeof e);
        e.cRowType = 'A';
        std::memcpy(e.acCommand, command, 10);
        std::memcpy(e.acKeyword, alias, 10);
        std::memcpy(e.acValue, keyword, 10);
    }
    return 0;
}

}  // namespace

static_assert(sizeof(CMDPARM_KEYWORD_ENTRY) == 66);

extern "C" int16_t CMDPARM_sLoadKeywordTables(void* pArea, uint16_t* pusCount)
{
    auto* entries = static_cast<CMDPARM_KEYWORD_ENTRY*>(pArea);
    uint16_t count = 0;
    int16_t rc = LoadKeywordRows(entries, count);
    if (rc == 0)
        rc = LoadAliasRows(entries, count);
    *pusCount = count;
    dqov::cmdparm::IndexCommandViews(pArea, count);
    return rc;
}

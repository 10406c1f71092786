// Object server, web services: statements and document texts.

#include "platform/dqoosrv/dqoosrv_web_store.h"
#include "platform/dqoz/dqoz.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace osrvweb {

namespace {

// A piece of a document text: well below the room of one statement's values.
constexpr size_t kPiece = 8000;

}  // namespace

std::string partition()
{
    return SMISC_pszPartition();
}

bool run(SSQL_AREA& area, const char* location)
{
    if (area.ulSerial == 0)
        return false;
    SSQL_SetLocation(location);
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    const unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 0);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    return rc == SSQL_RC_OK;
}

std::optional<std::string> firstText(SSQL_AREA& area, const char* location, bool* failed)
{
    *failed = false;
    dqoo::Cursor cursor(area, location);
    if (!cursor.ok()) {
        *failed = true;
        return std::nullopt;
    }
    auto text = std::make_unique<dqoo::VaryingText<kPiece>>();
    const unsigned short rc = cursor.next(text->column());
    if (rc == SSQL_RC_END)
        return std::nullopt;
    if (rc != SSQL_RC_OK) {
        *failed = true;
        return std::nullopt;
    }
    return text->str();
}

long count(SSQL_AREA& area, const char* location)
{
    if (area.ulSerial == 0)
        return -1;
    SSQL_SetLocation(location);
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    uint32_t n = 0;
    const unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_U32(&n));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    return rc == SSQL_RC_OK ? static_cast<long>(n) : -1;
}

bool storeText(const char* text, long* id)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT COALESCE(MAX(XWTDOC), 0) + 1 FROM QV_DTA.QV_OWT");
    const long next = count(area, "OSRV/QV_OWT/1");
    if (next < 1)
        return false;
    const size_t length = std::strlen(text);
    long piece = 0;
    // An empty text is one empty piece, so that it reads back as stored.
    for (size_t at = 0; at < length || piece == 0; at += kPiece) {
        const size_t n = std::min(kPiece, length - at);
        SSQL_DeclareExt(&area, "INSERT INTO QV_DTA.QV_OWT (XWTDOC, XWTSEQ, XWTTXT) VALUES (%ld, %ld, '%v')", next,
                        ++piece, static_cast<int>(n), text + at);
        if (!run(area, "OSRV/QV_OWT/2"))
            return false;
    }
    *id = next;
    return true;
}

bool loadText(long id, std::string& text)
{
    text.clear();
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT XWTTXT FROM QV_DTA.QV_OWT WHERE XWTDOC = %ld ORDER BY XWTSEQ", id);
    dqoo::Cursor cursor(area, "OSRV/QV_OWT/3");
    if (!cursor.ok())
        return false;
    auto piece = std::make_unique<dqoo::VaryingText<kPiece>>();
    for (;;) {
        const unsigned short rc = cursor.next(piece->column());
        if (rc == SSQL_RC_END)
            return true;
        if (rc != SSQL_RC_OK)
            return false;
        text.append(piece->text, piece->length);
    }
}

bool dropText(long id)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "DELETE FROM QV_DTA.QV_OWT WHERE XWTDOC = %ld", id);
    return run(area, "OSRV/QV_OWT/4");
}

void stamp(int32_t* date, int32_t* time)
{
    DQOZ_DATETIME now{};
    DosGetDateTime(&now);
    *date = now.year * 10000 + now.month * 100 + now.day;
    *time = ((now.hours * 100 + now.minutes) * 100 + now.seconds) * 1000 + now.hundredths * 10;
}

}  // namespace osrvweb

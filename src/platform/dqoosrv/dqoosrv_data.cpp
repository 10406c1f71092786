// Object server: the data of an object, one record per row in sequence
// order: kind 9, the version data, from the repository table QV_OVR; kind
// 10, the resources of a component, from QV_ORS (the data held as
// hexadecimal text); kind 11, the member texts of a component, from QV_OTR.

#include "platform/dqoo/dqoo_repository.h"
#include "platform/dqoosrv/dqoosrv.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr size_t kTexts = 7;
constexpr size_t kTextWidth = 1024;

}  // namespace

namespace {

// Runs the statement of a kind over the request's object (its partition and
// name bound in that order) and hands each row to the callback: readRow
// fetches one row from the cursor and, with a record, passes it to hand;
// it answers the fetch's result, or SSQL_RC_ERROR for a row that makes no
// record.  Ends at the last row or when the callback answers 0.
template <typename ReadRow>
long handRecords(OSRV_DATA_REQUEST* pRequest, OSRV_DATA_CALLBACK pfnCallback, const char* pszStatement,
                 const char* pszLocation, ReadRow&& readRow)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area, pszStatement, dqoo::trimmedName(pRequest->pszPartition).c_str(),
                        dqoo::trimmedName(pRequest->pszObjectName).c_str()) != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, pszLocation);
    if (!cursor.ok())
        return OSRV_ERR_REPOSITORY;
    long record = 0;
    bool more = true;
    auto hand = [&](void* pvRecord) { more = pfnCallback(pRequest, ++record, pvRecord) != 0; };
    while (more) {
        const unsigned short rc = readRow(cursor, hand);
        if (rc == SSQL_RC_END)
            return OSRV_OK;
        if (rc != SSQL_RC_OK)
            return OSRV_ERR_REPOSITORY;
    }
    return OSRV_OK;
}

long versionData(OSRV_DATA_REQUEST* pRequest, OSRV_DATA_CALLBACK pfnCallback)
{
    auto readRow = [](dqoo::Cursor& cursor, auto& hand) -> unsigned short {
        std::array<dqoo::VaryingText<kTextWidth>, kTexts> columns;
        const unsigned short rc =
            cursor.next(columns[0].column(), columns[1].column(), columns[2].column(), columns[3].column(),
                        columns[4].column(), columns[5].column(), columns[6].column());
        if (rc != SSQL_RC_OK)
            return rc;
        // Writable copies: the receiver rewrites the version texts in place.
        // A column without text is handed over as NULL.
        std::array<std::vector<char>, kTexts> texts;
        std::array<char*, kTexts> pointers{};
        for (size_t i = 0; i < kTexts; ++i) {
            if (columns[i].length == 0)
                continue;
            texts[i].assign(columns[i].text, columns[i].text + columns[i].length);
            texts[i].push_back('\0');
            pointers[i] = texts[i].data();
        }
        OSRV_VERSION_DATA data{pointers[0], pointers[1], pointers[2], pointers[3],
                               pointers[4], pointers[5], pointers[6]};
        hand(&data);
        return rc;
    };
    return handRecords(pRequest, pfnCallback,
                       "SELECT XVRCOM, XVRCPY, XVRTMK, XVRPRD, XVRCMT, XVRPVR, XVRFVR FROM QV_DTA.QV_OVR "
                       "WHERE XVRP_I = '%s' AND XVROBJ = '%s' ORDER BY XVRSEQ",
                       "OSRV/QV_OVR/1", readRow);
}

// The bytes of a hexadecimal text; false when it is not one.
bool fromHex(const std::string& hex, std::vector<unsigned char>& bytes)
{
    if (hex.size() % 2 != 0)
        return false;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]), low = digit(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return true;
}

long resourceData(OSRV_DATA_REQUEST* pRequest, OSRV_DATA_CALLBACK pfnCallback)
{
    auto readRow = [](dqoo::Cursor& cursor, auto& hand) -> unsigned short {
        int32_t type = 0, identifier = 0;
        dqoo::VaryingText<64> kind, extension, keyword;
        dqoo::VaryingText<32000> hex;
        const unsigned short rc = cursor.next(SSQL_I32(&type), SSQL_I32(&identifier), kind.column(), extension.column(),
                                              keyword.column(), hex.column());
        if (rc != SSQL_RC_OK)
            return rc;
        std::vector<unsigned char> bytes;
        if (identifier < 0 || identifier > 65535 || !fromHex(hex.str(), bytes))
            return static_cast<unsigned short>(SSQL_RC_ERROR);
        const std::string k = kind.str(), e = extension.str(), w = keyword.str();
        OSRV_RESOURCE_DATA data{type,
                                static_cast<unsigned short>(identifier),
                                bytes.empty() ? nullptr : bytes.data(),
                                static_cast<long>(bytes.size()),
                                k.c_str(),
                                e.c_str(),
                                w.c_str()};
        hand(&data);
        return rc;
    };
    return handRecords(pRequest, pfnCallback,
                       "SELECT XRSTYP, XRSID, XRSKND, XRSEXT, XRSKEY, XRSHEX FROM QV_DTA.QV_ORS "
                       "WHERE XRSP_I = '%s' AND XRSCMP = '%s' ORDER BY XRSSEQ",
                       "OSRV/QV_ORS/1", readRow);
}

long memberTextData(OSRV_DATA_REQUEST* pRequest, OSRV_DATA_CALLBACK pfnCallback)
{
    auto readRow = [](dqoo::Cursor& cursor, auto& hand) -> unsigned short {
        int32_t kind = 0;
        dqoo::VaryingText<64> owner, member, cName, csName;
        const unsigned short rc =
            cursor.next(owner.column(), member.column(), SSQL_I32(&kind), cName.column(), csName.column());
        if (rc != SSQL_RC_OK)
            return rc;
        const std::string o = owner.str(), m = member.str(), c = cName.str(), cs = csName.str();
        OSRV_MEMBER_TEXT_DATA data{o.c_str(), m.c_str(), kind, c.c_str(), cs.c_str()};
        hand(&data);
        return rc;
    };
    return handRecords(pRequest, pfnCallback,
                       "SELECT XTROWN, XTRMBR, XTRKND, XTRCNM, XTRSNM FROM QV_DTA.QV_OTR "
                       "WHERE XTRP_I = '%s' AND XTRCMP = '%s' ORDER BY XTRSEQ",
                       "OSRV/QV_OTR/1", readRow);
}

}  // namespace

extern "C" long OSRV_GetData(void*, OSRV_DATA_REQUEST* pRequest, long lKind, void*, void*, void*,
                             OSRV_DATA_CALLBACK pfnCallback)
{
    if (pRequest == nullptr || pRequest->pszObjectName == nullptr || pfnCallback == nullptr)
        return OSRV_ERR_ARGUMENT;
    switch (lKind) {
    case OSRV_DATA_VERSION: return versionData(pRequest, pfnCallback);
    case OSRV_DATA_RESOURCES: return resourceData(pRequest, pfnCallback);
    case OSRV_DATA_MEMBER_TEXTS: return memberTextData(pRequest, pfnCallback);
    default: return OSRV_ERR_KIND;
    }
}

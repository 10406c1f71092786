// Object server: the data of an object.  Kind 9, the version data, comes
// from the repository table QV_OVR, one record per row in sequence order.

#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqoo/dqoo_repository.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr size_t kTexts = 7;
constexpr size_t kTextWidth = 1024;

}  // namespace

extern "C" long OSRV_GetData(void*, OSRV_DATA_REQUEST* pRequest, long lKind, void*, void*, void*,
                             OSRV_DATA_CALLBACK pfnCallback) {
    if (pRequest == nullptr || pRequest->pszObjectName == nullptr || pfnCallback == nullptr)
        return OSRV_ERR_ARGUMENT;
    if (lKind != OSRV_DATA_VERSION)
        return OSRV_ERR_KIND;
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XVRCOM, XVRCPY, XVRTMK, XVRPRD, XVRCMT, XVRPVR, XVRFVR FROM QV_DTA.QV_OVR "
                        "WHERE XVRP_I = '%s' AND XVROBJ = '%s' ORDER BY XVRSEQ",
                        dqoo::trimmedName(pRequest->pszPartition).c_str(),
                        dqoo::trimmedName(pRequest->pszObjectName).c_str()) != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "OSRV/QV_OVR/1");
    if (!cursor.ok())
        return OSRV_ERR_REPOSITORY;
    long record = 0;
    for (;;) {
        std::array<dqoo::VaryingText<kTextWidth>, kTexts> columns;
        const unsigned short rc = cursor.next(columns[0].column(), columns[1].column(), columns[2].column(),
                                              columns[3].column(), columns[4].column(), columns[5].column(),
                                              columns[6].column());
        if (rc == SSQL_RC_END)
            return OSRV_OK;
        if (rc != SSQL_RC_OK)
            return OSRV_ERR_REPOSITORY;
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
        if (pfnCallback(pRequest, ++record, &data) == 0)
            return OSRV_OK;
    }
}

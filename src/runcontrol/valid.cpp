// The single-check session for other tools, its message queues, and the
// library's identification table.
#include "dqov/runcontrol/valid.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"
#include "platform/dqot/dqot.h"
#include "runcontrol/rc_internal.h"

namespace {

FFC_CONTEXT g_session{};
FFC_SERVICES_ANCHOR g_anchor{};
bool g_started = false;

char g_buildNumber[16];

const X_OBJ_ID_TABLE* identification()
{
    static const X_OBJ_ID_TABLE table[] = {
        {X_OBJ_ID_PLATFORM, DQOV_PLATFORM}, {X_OBJ_ID_MODULE, DQOV_MODULE_NAME},    {X_OBJ_ID_BUILD_DATE, __DATE__},
        {X_OBJ_ID_BUILD_TIME, __TIME__},    {X_OBJ_ID_BUILD_NUMBER, g_buildNumber}, {X_OBJ_ID_END, nullptr},
    };
    if (!g_buildNumber[0])
        std::snprintf(g_buildNumber, sizeof g_buildNumber, "%ld", DQOV_BUILD_NUMBER);
    return table;
}

}  // namespace

extern "C" {

int16_t VALID_InitServices(const FFC_SYSTEM_DEFINITION* sys, int32_t pos1, int32_t pos2, void* services)
{
    if (!sys)
        return -1;
    P31O2_FreeRunContext(&g_session);
    std::memset(&g_session, 0, sizeof g_session);
    P31O2_FillRunContext(&g_session, sys);
    rc::Pad(g_session.acObjectName, 10, rc::Trimmed(FFC_MSG_FILE, 10));
    g_anchor = FFC_SERVICES_ANCHOR{sys, pos1, pos2, services};
    SMISC_SetSession(sys->szPartition, sys->szLanguage);
    TPARS_InitServices();
    g_started = true;
    return 0;
}

FFC_CONTEXT* VALID_pGetSession(void)
{
    return g_started ? &g_session : nullptr;
}
const FFC_SERVICES_ANCHOR* VALID_pGetServicesAnchor(void)
{
    return g_started ? &g_anchor : nullptr;
}

int16_t VALID_CreateMsgQueue(const char* queue)
{
    if (!g_started || !queue)
        return -1;
    return rc::CreateMessageQueue(&g_session, queue);
}

int32_t VALID_DisplayMessages(const char* queue)
{
    if (!g_started || !queue)
        return -1;
    uint32_t count = 0;
    if (qvrms3(&g_session, queue, &count) != 0)
        return -1;
    P31O2_ListRunMessages(&g_session, queue, nullptr, nullptr, nullptr, nullptr);
    return static_cast<int32_t>(count);
}

int16_t VALID_ClearMessages(const char* queue)
{
    if (!g_started || !queue)
        return -1;
    return P9006_sEmptyMessageQueue(&g_session, queue);
}

int16_t VALID_CloseMsgQueue(const char* queue)
{
    if (!g_started || !queue)
        return -1;
    return QVRMM_sDeleteList(&g_session, rc::MessageQueueList(queue).c_str()) == 0 ? 0 : -1;
}

void VALID_Die(const char* text)
{
    FFC_Fatal_Error(text && *text ? text : "VALID_Die");
}

int32_t VALID_Get_Build_Number(void)
{
    return static_cast<int32_t>(DQOV_BUILD_NUMBER);
}

const X_OBJ_ID_TABLE* X_GetIdentificationPtr(void)
{
    return identification();
}

int16_t DC_P9006(const char* queue, const char* msgId, uint16_t len, const void* data)
{
    if (!g_started)
        return -1;
    return P9006_sQueueMessage(&g_session, queue, msgId, len, data);
}

}  // extern "C"

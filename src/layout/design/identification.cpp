// Field identification requests: one exchange with the painter window that
// tells how the user wants fields identified (label, column heading,
// description on screens, or none).
#include <cstring>

#include "dqov/painter.h"
#include "layout/design/design_state.h"
#include "platform/dqos/dqos.h"

namespace layout::design {

DesignStep &ScreenStep()
{
    static DesignStep step;
    return step;
}

DesignStep &ReportStep()
{
    static DesignStep step;
    return step;
}

}  // namespace layout::design

using namespace layout::design;

namespace {

void Unexpected(const char *routine, int16_t reply)
{
    SMSG_sGetMessage(nullptr, 251, 16384, 0, 1, routine, static_cast<int>(reply));
}

void IdentifyScreen(FFC_PAINT_STR *paint)
{
    ScreenStep().paint = paint;
    P3097_GetIdentification();
}

void IdentifyReport(FFC_PAINT_STR *paint)
{
    ReportStep().paint = paint;
    QBIDEN_Report();
}

}  // namespace

extern "C" void QBIDEN_Report(void)
{
    DesignStep &s = ReportStep();
    const int16_t reply = P31O2_sPainterRequest6(s.paint, s.identification);
    if (reply == 'L' || reply == 'C' || reply == 'N') {
        s.identification = reply;
        std::memcpy(s.action, "RA", 2);
        std::memcpy(s.painterCommand, "IC  ", 4);
    } else if (reply == -1) {
        s.identification = 255;
        std::memcpy(s.painterCommand, "    ", 4);
    } else {
        Unexpected("QBIDEN_Report", reply);
    }
}

extern "C" void P3097_GetIdentification(void)
{
    DesignStep &s = ScreenStep();
    const int16_t reply = P31O2_sPainterRequest6(s.paint, s.identification);
    if (reply == -1) {
        std::memcpy(s.painterCommand, "    ", 4);
        std::memcpy(s.action, "RA", 2);
    } else if (reply == 'L' || reply == 'C' || reply == 'D' || reply == 'N') {
        s.identification = reply;
        std::memcpy(s.painterCommand, "IC  ", 4);
        std::memcpy(s.action, "RA", 2);
    } else {
        Unexpected("P3097_GetIdentification", reply);
    }
}

extern "C" void P3097_UseIdentificationExchanges(void)
{
    P31O2_SetIdentificationHandlers(IdentifyScreen, IdentifyReport);
}

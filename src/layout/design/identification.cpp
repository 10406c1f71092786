// Field identification requests: one exchange with the painter window that
// tells how the user wants fields identified (label, column heading,
// description on screens, or none).
#include <cstring>

#include "dqov/runcontrol/painter.h"
#include "layout/design/report_design.h"
#include "layout/design/screen_design.h"
#include "platform/dqos/dqos.h"

using namespace layout::design;

namespace {

void IdentifyScreen(FFC_PAINT_STR* paint)
{
    ScreenStep().paint = paint;
    P3097_GetIdentification();
}

void IdentifyReport(FFC_PAINT_STR* paint)
{
    ReportStep().paint = paint;
    QBIDEN_Report();
}

}  // namespace

extern "C" void QBIDEN_Report(void)
{
    DesignCommon& s = ReportStep();
    const int16_t reply = P31O2_sPainterRequest6(s.paint, s.identification);
    if (reply == 'L' || reply == 'C' || reply == 'N') {
        s.identification = reply;
        std::memcpy(s.action, "RA", 2);
        std::memcpy(s.painterCommand, "IC  ", 4);
    } else if (reply == -1) {
        s.identification = 255;
        std::memcpy(s.painterCommand, "    ", 4);
    } else {
        UnexpectedReply("QBIDEN_Report", reply);
    }
}

extern "C" void P3097_GetIdentification(void)
{
    DesignCommon& s = ScreenStep();
    const int16_t reply = P31O2_sPainterRequest6(s.paint, s.identification);
    if (reply == -1) {
        std::memcpy(s.painterCommand, "    ", 4);
        std::memcpy(s.action, "RA", 2);
    } else if (reply == 'L' || reply == 'C' || reply == 'D' || reply == 'N') {
        s.identification = reply;
        std::memcpy(s.painterCommand, "IC  ", 4);
        std::memcpy(s.action, "RA", 2);
    } else {
        UnexpectedReply("P3097_GetIdentification", reply);
    }
}

extern "C" void P3097_UseIdentificationExchanges(void)
{
    P31O2_SetIdentificationHandlers(IdentifyScreen, IdentifyReport);
}

// The command parser: any text as one command, with either parser option.
#include "fuzz_target.h"

#include "checker/command_tables.h"
#include "platform/dqos/dqos.h"
#include "platform/dqot/dqot.h"

DQOV_FUZZ_TARGET(command_parser)
{
    const uint32_t option = size > 0 ? data[0] & 1u : 0;
    const std::string text = dqov_fuzz::Text(data + (size > 0), size - (size > 0));
    TPARS_RESULT* results = nullptr;
    dqov_fuzz::Guarded([&] {
        if (TPARS_sParseZOPH(text.c_str(), P3100_pParserCommandTable(), nullptr, 0, '#', '@', &results, nullptr, option,
                             0) != 0 ||
            !results)
            return;
        char shown[1200];
        SMSG_RedirectMsgs(shown, sizeof shown);
        for (TPARS_RESULT* r = results;; ++r) {
            TPARS_DisplayResult(r);
            if (r->usLast)
                break;
        }
        SMSG_RedirectMsgs(nullptr, 0);
    });
    if (results)
        TPARS_FreeResults(results);
}

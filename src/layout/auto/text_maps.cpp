// The readers' side of stored text maps.
#include "layout/auto/text_maps.h"

#include <cctype>
#include <cstring>

#include "dqov/runcontrol/fatal.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace layout {

bool DigitsAt(const std::string& payload, size_t from, size_t count)
{
    if (payload.size() < from + count)
        return false;
    for (size_t i = from; i < from + count; ++i)
        if (!std::isdigit(static_cast<unsigned char>(payload[i])))
            return false;
    return true;
}

void ReadTextMap(const FFC_CONTEXT* ctx, const FFC_CHECK_STATE* state, const std::string& name, TextMapReader reader,
                 const std::function<bool()>& wanted, const std::function<void(const std::string&)>& row)
{
    const bool second = state->lLineWord > 0 && !dqov::text::Trim(state->acSecondProcess, 10).empty();
    const std::string partition = dqov::text::Trim(ctx->acPartition, 3);
    std::string process = dqov::text::Trim(second ? state->acSecondProcess : state->acProcess, 10);
    std::string function = dqov::text::Trim(second ? state->acSecondFunction : state->acFunction, 7);
    // a check state without names: the job's own function
    if (process.empty())
        process = dqov::text::Trim(ctx->acProcess, 10);
    if (function.empty())
        function = dqov::text::Trim(ctx->acFunction, 7);
    const bool screen = reader == TextMapReader::Screen;
    static constexpr const char* kScreenTags[4] = {"DC_P3111/SQL001", "DC_P3111/SQL002", "DC_P3111/SQL003",
                                                   "DC_P3111/SQL004"};
    static constexpr const char* kReportTags[4] = {"DC_P3116/SQL001", "DC_P3116/SQL002", "DC_P3116/SQL003",
                                                   "DC_P3116/SQL004"};
    const char* const* tags = screen ? kScreenTags : kReportTags;
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    screen ? "SELECT X85DTA, X85SEQ FROM QV_DTA.QV_F85 WHERE X85P_I = '%s' AND X85MOD = '%s' AND "
                             "X85FMT = '%s' AND X85KV1 = '%s' AND X85KV2 = '%s' ORDER BY X85SEQ"
                           : "SELECT X85DTA FROM QV_DTA.QV_F85 WHERE X85P_I = '%s' AND X85MOD = '%s' AND "
                             "X85FMT = '%s' AND X85KV1 = '%s' AND X85KV2 = '%s'",
                    partition.c_str(), process.c_str(), function.c_str(), "TEXTMAPS  ", name.c_str());
    uint16_t cursor = 0;
    SSQL_SetLocation(tags[0]);
    if (SSQL_sOpenExt(&cursor) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, tags[0]);
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    struct {
        uint16_t length;
        char text[140];
    } payload{};
    int32_t sequence = 0;
    for (bool first = true; wanted(); first = false) {
        const char* tag = first ? tags[1] : tags[2];
        SSQL_SetLocation(tag);
        unsigned short rc =
            screen ? SSQL_sFetchExt(&area, cursor, &ca, &da, 2, SSQL_VARYING(&payload, 140), SSQL_I32(&sequence))
                   : SSQL_sFetchExt(&area, cursor, &ca, &da, 1, SSQL_VARYING(&payload, 140));
        if (rc == SSQL_RC_ERROR)
            FFC_SQL_Error(ca, tag);
        if (rc != SSQL_RC_OK)
            break;
        row(std::string(payload.text, std::min<uint16_t>(payload.length, sizeof payload.text)));
    }
    SSQL_SetLocation(tags[3]);
    if (SSQL_sCloseExt(cursor, &ca, &da) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, tags[3]);
}

}  // namespace layout

/*
** used_fields.cpp: look-ups in the checker's used-field records.
*/
#include "generator/core/used_fields.h"

#include <cstring>

#include "checker/support_names.h"
#include "dqov/workfile.h"
#include "generator/core/gen_state.h"
#include "generator/core/services.h"

namespace {

bool readUsedField(FFC_CONTEXT* ctx, uint16_t usSlot, const std::string& key, FFC_WORK_RECORD& r)
{
    if (key.empty() || key.size() > FFC_WORK_NAME_LEN)
        return false;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_USEFIELD, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, key.data(), key.size());
    return WF_cReadFirst(ctx, usSlot, &r, 2) == '0';
}

/* The name as written, cut at its length and at a terminator, without
** trailing blanks. */
std::string writtenName(std::string_view name, size_t ulNameLength)
{
    std::string written(name.substr(0, std::min(ulNameLength, name.size())));
    if (const size_t end = written.find('\0'); end != std::string::npos)
        written.resize(end);
    return P3109_TrimRight(written);
}

} // namespace

int16_t P3109_sGetUsedField(std::string_view name, uint16_t usSlot, GEN_FIELD_INFO& info, size_t ulNameLength,
                            bool fScope, int32_t lScope)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return 1;
    const std::string written = writtenName(name, ulNameLength);
    const char national = ctx->cNatChar1;
    const bool marked = national != ' ' && !written.empty() && written[0] == national;
    std::string key = marked ? P3109_CopyUpper(written.substr(1), written.size()) : written;

    if (fScope && ctx->lComponentRun && !key.empty()) {
        char key50[FFC_WORK_NAME_LEN];
        std::memset(key50, ' ', sizeof key50);
        std::memcpy(key50, key.data(), std::min(key.size(), sizeof key50));
        P31O2_RecordFieldUsage(ctx, WR_USEFIELD, key50, 0, lScope);
        key = P3109_TrimRight(std::string_view(key50, sizeof key50));
    }

    /* The key is the name without the national character; a record kept
       under the operand as written (with the character) is found too. */
    FFC_WORK_RECORD r;
    bool found = readUsedField(ctx, usSlot, key, r);
    if (!found && national != ' ')
        found = readUsedField(ctx, usSlot, std::string(1, national) + P3109_CopyUpper(key, key.size()), r);
    if (!found)
        return 1;
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    if (d.cGenerate != 'Y')
        return 1;
    if (d.cMangled == 'F') {
        info.vectorName = P3109_ResolveFieldVectorName(r);
        info.fMangled = true;
        std::memcpy(&info.lMangledValue, d.acValue, sizeof info.lMangledValue);
        return 0;
    }
    P3109_ResolveOperandName(r, info);
    return 0;
}

std::string P3109_UsedFieldSymbol(std::string_view name, size_t ulNameLength)
{
    GEN_FIELD_INFO info;
    if (P3109_sGetUsedField(name, GEN_SLOT_LOOKUP_INNER, info, ulNameLength) != 0 || info.vectorName.empty())
        return "V_NOT_AVAILABLE";
    return info.vectorName;
}

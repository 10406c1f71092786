/*
** used_fields.cpp: look-ups in the checker's used-field records.
*/
#include "generator/core/used_fields.h"

#include <cstring>

#include "dqov/workfile.h"
#include "generator/core/gen_state.h"
#include "generator/core/services.h"

namespace {

constexpr const char* kNotAvailable = "V_NOT_AVAILABLE";

bool readUsedField(FFC_CONTEXT* ctx, uint16_t usSlot, const std::string& key, FFC_WORK_RECORD& r)
{
    if (key.empty() || key.size() > FFC_WORK_NAME_LEN)
        return false;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_USEFIELD, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, key.data(), key.size());
    return WF_cReadFirst(ctx, usSlot, &r, 2) == '0';
}

const WR_USEFIELD_DATA& dataOf(const FFC_WORK_RECORD& r) { return *reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData); }

/* The names of a record of class FL, AL, NL, SV or UP. */
void resolveNames(const FFC_WORK_RECORD& r, GEN_USED_FIELD& info)
{
    const WR_USEFIELD_DATA& d = dataOf(r);
    const std::string_view cls(d.acClass, 2);
    info.identifier.clear();
    info.localName.clear();
    info.vectorName = kNotAvailable;
    if (cls == "FL") {
        const bool qualified = d.cResolved == 'R' || d.cResolved == 'r';
        info.identifier = qualified ? P3109_MakeCIdentifier(std::string_view(d.acQualified, 20), 20)
                                    : P3109_MakeCIdentifier(std::string_view(d.acFieldName, 10), 10);
        info.localName = "f" + info.identifier;
        info.vectorName = "V_FIELD_" + info.identifier;
    } else if (cls == "AL" || cls == "NL") {
        const std::string number(d.acLiteralNumber, 3);
        const char* stem = cls == "AL" ? "ALPHA_LITERAL_" : "NUMERIC_LITERAL_";
        info.identifier = number;
        info.localName = stem + number;
        info.vectorName = std::string("V_") + stem + number;
    } else if (cls == "SV" || cls == "UP") {
        /* the written name without its leading marker ('*' or the national character) */
        info.identifier = P3109_MakeCIdentifier(std::string_view(r.acName + 1, 19), 19);
        info.localName = (cls == "SV" ? "v" : "p") + info.identifier;
        info.vectorName = (cls == "SV" ? "V_SV_" : "V_UP_") + info.identifier;
    }
    if (info.identifier.empty()) {
        info.localName.clear();
        info.vectorName = kNotAvailable;
    }
}

} // namespace

std::string P3109_ResolveFieldVectorName(const FFC_WORK_RECORD& record)
{
    const WR_USEFIELD_DATA& d = dataOf(record);
    if (d.cMangled == 'F') {
        /* the file field the mangled name stands for */
        const std::string id = P3109_MakeCIdentifier(std::string_view(d.acFieldName, 10), 10);
        return id.empty() ? kNotAvailable : "V_FIELD_" + id;
    }
    GEN_USED_FIELD info;
    resolveNames(record, info);
    return info.vectorName;
}

int16_t P3109_sGetUsedField(std::string_view name, size_t ulNameLength, uint16_t usSlot, GEN_USED_FIELD& info)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return 1;
    std::string written(name.substr(0, std::min(ulNameLength, name.size())));
    if (const size_t end = written.find('\0'); end != std::string::npos)
        written.resize(end);
    written = P3109_TrimRight(written);
    const char national = ctx->cNatChar1;
    const bool marked = national != ' ' && !written.empty() && written[0] == national;
    std::string key = marked ? P3109_CopyUpper(written.substr(1), written.size()) : written;

    /* The key is the name without the national character; a record kept
       under the operand as written (with the character) is found too. */
    FFC_WORK_RECORD r;
    bool found = readUsedField(ctx, usSlot, key, r);
    if (!found && national != ' ')
        found = readUsedField(ctx, usSlot, std::string(1, national) + P3109_CopyUpper(key, key.size()), r);
    if (!found)
        return 1;
    const WR_USEFIELD_DATA& d = dataOf(r);
    if (d.cMangled == 'F') {
        GEN_USED_FIELD mangled;
        std::memcpy(mangled.acClass, d.acClass, 2);
        mangled.cGenerate = d.cGenerate;
        mangled.fMangled = true;
        std::memcpy(&mangled.lMangledValue, d.acValue, sizeof mangled.lMangledValue);
        mangled.vectorName = P3109_ResolveFieldVectorName(r);
        if (mangled.vectorName != kNotAvailable) {
            mangled.identifier = mangled.vectorName.substr(std::strlen("V_FIELD_"));
            mangled.localName = "f" + mangled.identifier;
        }
        if (d.cGenerate != 'Y')
            return 1;
        info = mangled;
        return 0;
    }
    if (d.cGenerate != 'Y')
        return 1;
    GEN_USED_FIELD resolved;
    std::memcpy(resolved.acClass, d.acClass, 2);
    resolved.cGenerate = d.cGenerate;
    resolveNames(r, resolved);
    info = resolved;
    return 0;
}

std::string P3109_UsedFieldSymbol(std::string_view name, size_t ulNameLength)
{
    GEN_USED_FIELD info;
    if (P3109_sGetUsedField(name, ulNameLength, 1, info) != 0)
        return kNotAvailable;
    return info.vectorName;
}

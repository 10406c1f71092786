/*
** layout_reader.cpp: the layout records of the current command and the
** text pieces the display and report emitters take from them.
*/
#include "generator/emitters/layout_reader.h"

#include <algorithm>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/list_support.h"

std::vector<std::string> P3109_ReadCommandFormatData(const char* pszKind, size_t ulSize)
{
    std::vector<std::string> formats;
    FFC_CONTEXT* ctx = P3109_Context();
    const FFC_CHECK_STATE* st = P3109_CheckState();
    if (!ctx || !ctx->pWorkFile || !st)
        return formats;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, pszKind, FFC_WORK_KIND_LEN);
    const std::string name = P3109_Padded(P3109_CurrentCommandName(), 10);
    std::memcpy(r.acName, name.data(), 10);
    const int32_t line = st->lLine, second = st->lLineWord;
    FIX_LongToDigits(&line, 4, r.acQualifier);
    FIX_LongToDigits(&second, 4, r.acQualifier + 4);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_LAYOUT, &r, 3); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_LAYOUT, &r, 3))
        formats.emplace_back(r.acData, std::min(ulSize, sizeof r.acData));
    return formats;
}

std::vector<LAYOUT_FIELD_ENTRY> P3109_ReadFormatEntries(const char* pszKind, const char* pachFormat8)
{
    std::vector<LAYOUT_FIELD_ENTRY> entries;
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return entries;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, pszKind, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, pachFormat8, 8);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_LAYOUT, &r, 2); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_LAYOUT, &r, 2)) {
        LAYOUT_FIELD_ENTRY e;
        std::memcpy(&e, r.acData, sizeof e);
        entries.push_back(e);
    }
    return entries;
}

std::string P3109_TextLiteralName(const char* pszPrefix, std::string_view text)
{
    CGEN_SetTextLiteralPrefix(pszPrefix);
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(text, nullptr, nullptr, GEN_LITERAL_TRIMMED, &reference, &declared);
    return reference ? reference : "pX_NULL";
}

char P3109_PrintableChar(char c)
{
    return c >= 32 && c < 127 && c != '\'' && c != '\\' ? c : ' ';
}

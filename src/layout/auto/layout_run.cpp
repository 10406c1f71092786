// What the automatic screen and report layouts share of one run.
#include "layout/auto/layout_run.h"

#include <cstring>

#include "dqov/runcontrol/ffc_check_message.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/workfile.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"

namespace layout {

LAYOUT_FIELD_ENTRY* LayoutRun::currentEntry()
{
    return current > 0 && current <= count ? &table[static_cast<size_t>(current - 1)] : nullptr;
}

void StartLayoutRun(LayoutRun& run, FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const FFC_PROCESS_DEFINITION* process,
                    const FFC_FUNCTION_DEFINITION* function, FFC_PARSED_COMMAND* command, int32_t* formatCounter,
                    char mirror, const char* msgQueue, const char* systemFlags, void* lpc, void* cmpe,
                    LAYOUT_DESIGN_CALLBACK callback)
{
    run.ctx = ctx;
    run.state = state;
    run.process = process;
    run.function = function;
    run.command = command;
    run.formatCounter = formatCounter;
    run.mirror = mirror;
    if (msgQueue)
        std::memcpy(run.msgQueue, msgQueue, 10);
    run.systemFlags = systemFlags;
    run.lpc = lpc;
    run.cmpe = cmpe;
    run.callback = callback;
    run.commandName = dqov::cmdparm::CommandNameOf(*command);
    P8061_GetSessionDesignAdjustAttributes(ctx, &run.adjHeadings, &run.adjLabels, &run.adjDescriptions, &run.adjTexts);
}

void EndLayoutRun(LayoutRun& run)
{
    run.callback = nullptr;
    run.lpc = run.cmpe = nullptr;
}

void CommandQualifier(const LayoutRun& run, char* qualifier)
{
    int32_t line = run.state->lLine, second = run.state->lLineWord;
    FIX_LongToDigits(&line, 4, qualifier);
    FIX_LongToDigits(&second, 4, qualifier + 4);
    std::memset(qualifier + 8, ' ', 2);
}

void WriteEntryRecord(const LayoutRun& run, const char* kind, int32_t format, int32_t number,
                      const LAYOUT_FIELD_ENTRY& e)
{
    FFC_WORK_RECORD w;
    WF_BlankRecord(run.ctx, &w);
    std::memcpy(w.acKind, kind, 10);
    std::memcpy(w.acName, run.formatName[format], 8);
    FIX_LongToDigits(&number, 4, w.acQualifier);
    std::memcpy(w.acData, &e, sizeof e);
    WF_lWrite(run.ctx, &w);
}

void WriteFormatRecord(const LayoutRun& run, const char* kind, const void* data, size_t size, const char* conditionKind,
                       int32_t format)
{
    FFC_WORK_RECORD w;
    WF_BlankRecord(run.ctx, &w);
    std::memcpy(w.acKind, kind, 10);
    dqov::text::Pad(w.acName, sizeof w.acName, run.commandName);
    CommandQualifier(run, w.acQualifier);
    std::memcpy(w.acData, data, size);
    WF_lWrite(run.ctx, &w);
    if (run.slots[format].lCount <= 0)
        return;
    // The 604-byte condition slot goes in a record of 500 bytes and one of 104.
    static_assert(sizeof(LAYOUT_FORMAT_SLOT) == 604);
    const char* slot = reinterpret_cast<const char*>(&run.slots[format]);
    WF_BlankRecord(run.ctx, &w);
    std::memcpy(w.acKind, conditionKind, 10);
    std::memcpy(w.acName, run.formatName[format], 8);
    std::memcpy(w.acData, slot, 500);
    WF_lWrite(run.ctx, &w);
    std::memcpy(w.acData, slot + 500, 104);
    WF_lWrite(run.ctx, &w);
}

void AddFinalMessage(const LayoutRun& run)
{
    FFC_CHECK_STATE& st = *run.state;
    FFC_CHECK_MESSAGE m{};
    m.ulLine = st.lLine < 0 ? 0 : static_cast<uint32_t>(st.lLine);
    std::memcpy(m.acCommand, st.acCommand, 10);
    m.usPass = static_cast<uint16_t>(st.lPass);
    m.ulSubLine = st.lLineWord < 0 ? 0 : static_cast<uint32_t>(st.lLineWord);
    m.cSeverity = st.cFinalSeverity;
    std::memcpy(m.acMsgId, st.acFinalMsgId, 7);
    std::memcpy(m.acObject, run.ctx->acObjectName, 10);
    std::memcpy(m.acText, st.acFinalText, sizeof m.acText);
    RS_sAddRunMessage(run.ctx, &m);
    P9006_fCountMessage(&st.stats, st.cFinalSeverity, st.lPass);
}

}  // namespace layout

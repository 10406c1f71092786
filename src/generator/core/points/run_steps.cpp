/*
** run_steps.cpp: the generator's steps of the run driver, and the reader
** of the checker's command and source stores for the command loop.
*/
#include "generator/core/points/run_steps.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "checker/checker.h"
#include "checker/command_records.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "generator/core/output/command_state.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "generator/core/points/p3109.h"
#include "params/fixed_text.h"

namespace {

/* The command loop reads a command's head only (its numbers, label, name and
   marks), not its parameter area: the emitters read the whole record when
   they need its parameters. */
int32_t readCheckedCommand(FFC_CONTEXT* ctx, uint16_t number, uint16_t sequence, GEN_COMMAND_RECORD* out,
                           bool following)
{
    FFC_PARSED_COMMAND parsed;
    parsed.sLine = static_cast<int16_t>(number);
    parsed.sSubLine = static_cast<int16_t>(sequence);
    constexpr uint32_t head = offsetof(FFC_PARSED_COMMAND, acParms);
    if ((following ? RS_fFindFollowingCommandRecord(ctx, &parsed, head) : RS_fFindCommandRecord(ctx, &parsed, head)) !=
        0)
        return 1;
    *out = GEN_COMMAND_RECORD{};
    /* the numbers of the record read (its key) */
    out->usNumber = static_cast<uint16_t>(parsed.sLine);
    out->usSequence = static_cast<uint16_t>(parsed.sSubLine);
    out->lLineNumber = parsed.sLine;
    std::memcpy(out->acLabel, parsed.acLabel, sizeof out->acLabel);
    std::memcpy(out->acName, parsed.acName, sizeof out->acName);
    out->cExtension = FFC_ExtensionSwitch(parsed);
    out->fSequence = true;
    out->sSequence = parsed.sSequence;
    return 0;
}

int32_t findCheckedCommand(FFC_CONTEXT* ctx, uint16_t number, uint16_t sequence, GEN_COMMAND_RECORD* out)
{
    return readCheckedCommand(ctx, number, sequence, out, false);
}

/* The command after (number, sequence) in the walk, in one look-up. */
int32_t findFollowingCommand(FFC_CONTEXT* ctx, uint16_t number, uint16_t sequence, GEN_COMMAND_RECORD* out)
{
    return readCheckedCommand(ctx, number, sequence, out, true);
}

/* The source record of a command, read no further than its text. */
bool readSourceText(FFC_CONTEXT* ctx, FFC_SOURCE_COMMAND& source, uint16_t number, uint16_t sequence)
{
    constexpr uint32_t head = offsetof(FFC_SOURCE_COMMAND, acParameters);
    source.sLine = static_cast<int16_t>(number);
    source.sSubLine = static_cast<int16_t>(sequence);
    if (RS_fFindSourceRecord(ctx, &source, head) != 0)
        return false;
    uint32_t length = std::min<uint32_t>(source.usParmLength, FFC_SOURCE_TEXT_MAX);
    return RS_fFindSourceRecord(ctx, &source, head + length) == 0;
}

/* The stored source record of the command read where it stands, when it
** holds the whole of its text; else null. */
const FFC_SOURCE_COMMAND* viewSourceText(FFC_CONTEXT* ctx, uint16_t number, uint16_t sequence)
{
    constexpr uint32_t head = offsetof(FFC_SOURCE_COMMAND, acParameters);
    uint32_t stored = 0;
    const auto* view = static_cast<const FFC_SOURCE_COMMAND*>(
        RS_pViewSourceRecord(ctx, static_cast<int16_t>(number), static_cast<int16_t>(sequence), &stored));
    if (!view || stored < head || stored < head + std::min<uint32_t>(view->usParmLength, FFC_SOURCE_TEXT_MAX))
        return nullptr;
    return view;
}

/* The command's text as written (label, name and parameters) put into
** `text`; false, with `text` empty, when the command has no source. */
bool checkedSourceText(FFC_CONTEXT* ctx, uint16_t number, uint16_t sequence, std::string& text)
{
    text.clear();
    FFC_SOURCE_COMMAND read;
    const FFC_SOURCE_COMMAND* source = viewSourceText(ctx, number, sequence);
    bool fromComponent = false;
    if (!source && readSourceText(ctx, read, number, sequence)) {
        source = &read;
    } else if (!source) {
        /* a component's lines stay in the checker's source-line list: read
           the line of the command's number from there */
        if (!ctx->lComponentRun || sequence != 0 || number == 0)
            return false;
        std::memset(&read, 0, sizeof read);
        read.sLine = static_cast<int16_t>(number - 1);
        if (PCONTROL_chReadNextCommand(ctx, &read) != '0' || read.sLine != static_cast<int16_t>(number))
            return false;
        source = &read;
        fromComponent = true; /* its text holds the parameters only */
    }
    size_t length = std::min<size_t>(source->usParmLength, FFC_SOURCE_TEXT_MAX);
    const std::string_view parms = dqov::text::TrimmedRight(std::string_view(source->acParameters, length));
    if (source->lPreSplit != 1 && source->lBuiltIn != 1 && !fromComponent) {
        text.assign(parms);
        return true;
    }
    const std::string_view label = dqov::text::TrimmedRight(std::string_view(source->acLabel, 3));
    const std::string_view name =
        dqov::text::TrimmedRight(std::string_view(fromComponent ? source->acNameWritten : source->acName, 10));
    text.reserve(label.size() + 2 + name.size() + 1 + parms.size());
    if (!label.empty())
        text.append(label).append(": ");
    text.append(name);
    if (!parms.empty())
        text.append(" ").append(parms);
    return true;
}

/* The command's text put into the caller's buffer. */
void checkedSourceTextInto(FFC_CONTEXT* ctx, uint16_t number, uint16_t sequence, std::string* text)
{
    checkedSourceText(ctx, number, sequence, *text);
}

constexpr GEN_COMMAND_SOURCE kCheckedCommands{findCheckedCommand, checkedSourceTextInto, findFollowingCommand};

/* The generator's seventeen arguments, from the run driver's blocks. */
template <typename Entry> void callGenerator(Entry entry, FFC_CONTEXT* ctx, FFC_CHECK_STATE* st, void* build)
{
    P3109_SetBuildHandle(build);
    P3109_SetCommandSource(&kCheckedCommands);
    std::string root = ctx->pSystemDefinition ? ctx->pSystemDefinition->szRootDirectory : "";
    while (!root.empty() && root.back() == '\\')
        root.pop_back();
    const FFC_OPTION_WORDS* words = P31O2_pGetCurrentOptionWords();
    const int32_t bit31 = words && (words->ulOptionBits & 0x80000000u) ? 1 : 0;
    auto callback = reinterpret_cast<FFC_MESSAGE_CALLBACK>(P31O2_pGetNamedParameter("FCCMSGCALLBACK"));
    entry(ctx, st, P31O2_pGetProcessDefinition(), P31O2_pGetFunctionDefinition(), 0, ctx->cOption, nullptr,
          ctx->cJobType, ctx->cRunType, "   ", FFC_JOB_MSG_QUEUE, 0, root.c_str(), callback, FFC_from_EDITOR(),
          words ? words->ulOptionBits : 0, bit31);
}

}  // namespace

int32_t P3109_lGeneratorSetupStep(FFC_CONTEXT* ctx, FFC_CHECK_STATE* st, void* build)
{
    callGenerator(P3109_GenerateCode, ctx, st, build);
    return 0;
}

int32_t P3109_lOutputDriverStep(FFC_CONTEXT* ctx, FFC_CHECK_STATE* st, void* build)
{
    callGenerator(P3109_GenerateAndWriteFiles, ctx, st, build);
    return P3109_State().lOutputFailures != 0 ? DC_P31O2_OUTPUT_FAILED : 0;
}

int32_t P3109_lDiscardOutputStep(FFC_CONTEXT*, FFC_CHECK_STATE*, void*)
{
    P3109_DiscardJobFiles();
    return 0;
}

void P3109_FillRunSeams(FFC_RUN_SEAMS* pSeams)
{
    if (!pSeams)
        return;
    pSeams->pfnGeneratorSetup = P3109_lGeneratorSetupStep;
    pSeams->pfnOutputDriver = P3109_lOutputDriverStep;
    pSeams->pfnDiscardOutput = P3109_lDiscardOutputStep;
}

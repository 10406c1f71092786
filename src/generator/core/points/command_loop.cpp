/*
** command_loop.cpp: the two runs over the checked commands and the
** dispatch through the shared command lookup (the current command and the
** block stack they keep: command_state.cpp).
*/
#include "generator/core/points/command_loop.h"

#include <bit>
#include <compare>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/run_driver.h"
#include "generator/core/components/field_initialisation.h"
#include "generator/core/components/record_definitions.h"
#include "generator/core/model/component_model.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/object_data.h"
#include "generator/core/output/csharp_jumps.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/skeleton_engine.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

/* Whether the ten-byte name field holds the name, blank-padded: the
** name's length is known here, so the test is a fixed compare. */
template <size_t N> inline bool nameIs(const char* acName, const char (&name)[N])
{
    static_assert(N >= 2 && N - 1 <= 10);
    if (std::memcmp(acName, name, N - 1) != 0)
        return false;
    for (size_t i = N - 1; i < 10; ++i)
        if (acName[i] != ' ')
            return false;
    return true;
}

/* The same for a name known only at run time. */
bool nameIsText(const char* acName, const char* name)
{
    return P3109_fPaddedIs(std::string_view(acName, 10), name);
}

void inlineIndent()
{
    GEN_OUTPUT_STATE& o = P3109_State().out;
    ++o.sDepth;
    if (o.sDepth <= 12)
        o.usIndent = static_cast<uint16_t>(o.usIndent + 3);
}

void controls(const FFC_COMMAND_ENTRY& e, int32_t when)
{
    if (e.lPopWhen == when)
        P3109_PopBlock();
    if (e.lPushWhen == when)
        P3109_PushBlock(e.acBlock[0] == 'Y', e.acBlock[1] == 'Y', e.acBlock[2] == 'Y');
    if (e.lIndentWhen == when)
        inlineIndent();
}

void callBound(const FFC_COMMAND_ENTRY& e)
{
    GEN_MODULE_STATE& g = P3109_State();
    /* a command that closes its block and opens the next one (ELSE) keeps
       the indent of the opening for the new block */
    const bool reopens = e.lPopWhen == GEN_CONTROL_BEFORE && e.lPushWhen == GEN_CONTROL_AFTER;
    controls(e, GEN_CONTROL_BEFORE);
    /* the closed block's outer indent and depth, as a new entry holds them
       when there is no closed block */
    static const GEN_BLOCK_ENTRY kNewEntry;
    const GEN_BLOCK_ENTRY* closed = &kNewEntry;
    if (reopens && static_cast<size_t>(g.sBlockDepth + 1) < g.blocks.size())
        closed = &g.blocks[static_cast<size_t>(g.sBlockDepth + 1)];
    const uint16_t outerIndent = closed->usOuterIndent;
    const int16_t outerDepth = closed->sOuterDepth;
    e.pfnEmitter();
    controls(e, GEN_CONTROL_AFTER);
    if (reopens && g.sBlockDepth > 0) {
        GEN_BLOCK_ENTRY& top = g.blocks[static_cast<size_t>(g.sBlockDepth)];
        top.usOuterIndent = outerIndent;
        top.sOuterDepth = outerDepth;
    }
}

void firstCall(const P3109_EMITTER_ROW& row)
{
    switch (row.firstCall) {
    case P3109_FIRST_PROLOGUE: P3109_Parts().pfnEmitCommandPrologue(); break;
    case P3109_FIRST_PROLOGUE_UNSUPPORTED:
        P3109_Parts().pfnEmitCommandPrologue();
        P3109_Parts().pfnEmitUnsupportedCommand();
        break;
    case P3109_FIRST_GROUP_BY: P3109_EmitGroupBy(); break;
    default: break;
    }
}

void outputStreamByRoutine()
{
    GEN_MODULE_STATE& g = P3109_State();
    if (g.cRoutineFlag1 == 'Y' || g.cRoutineFlag2 == 'Y')
        g.out.current = g.cTarget == GEN_TARGET_CSHARP ? g.csStreams[2] : g.sbr;
    else
        g.out.current = g.out.mainOutput;
}

/* The stream the routines' lines go to. */
GEN_STREAM routineStream()
{
    const GEN_MODULE_STATE& g = P3109_State();
    return g.cTarget == GEN_TARGET_CSHARP ? g.csStreams[2] : g.sbr;
}

bool isRoutineCommand(const char* acName)
{
    return nameIs(acName, "PTYROUTINE") || nameIs(acName, "EVTROUTINE") || nameIs(acName, "MTHROUTINE") ||
           nameIs(acName, "WEBROUTINE");
}

void showCommandStatus(const GEN_COMMAND_RECORD& r)
{
    if (!FFC_from_EDITOR())
        return;
    std::string text = P3109_CommandStatusText(r);
    P31O2_ShowStatusText(text.c_str(), static_cast<int16_t>(text.size()));
}

/* C# lets a goto reach only a label of a block around it: the lines of a
** method are held until the method is complete, and its jumps that C#
** cannot take as written are mended before the lines go to the file. C
** lets a goto into any block, but leaves what the block declares before
** the label unset: those jumps of a C function are mended the same way. */
void holdMethod(GEN_STREAM stream)
{
    P3109_HoldStreamLines(stream, "goto");
}

void releaseMethod(GEN_STREAM stream, bool fMethodHead)
{
    const bool csharp = P3109_State().cTarget == GEN_TARGET_CSHARP;
    std::string refused;
    int32_t command = 0;
    if (P3109_fMendHeldJumps(stream, fMethodHead, csharp, refused, &command) || !csharp)
        return;
    /* a jump into a block that C# cannot enter (a list's loop) */
    char what[48];
    std::snprintf(what, sizeof what, "The jump of command %d into a block", static_cast<int>(command));
    P3109_sIssueMessage(Msg::NoCSharpForm, P3109_Padded(what, 40) + P3109_Padded(refused.substr(0, 100), 100));
}

/* A ten-byte command name as two numbers that order as its bytes do. */
struct NameOrder {
    uint64_t head;
    uint16_t tail;
    auto operator<=>(const NameOrder&) const = default;
};

inline NameOrder nameOrder(const char* acName)
{
    uint64_t head;
    uint16_t tail;
    std::memcpy(&head, acName, 8);
    std::memcpy(&tail, acName + 8, 2);
    if constexpr (std::endian::native == std::endian::little)
        return {__builtin_bswap64(head), __builtin_bswap16(tail)};
    else
        return {head, tail};
}

/* The entry of the command lookup named as the command: the halving search
** of bsearch over the ten bytes of the name, its steps taken as bsearch
** takes them, without a call of the comparison at each. */
FFC_COMMAND_ENTRY* findCommandEntry(FFC_COMMAND_LOOKUP& lookup, const char* acName)
{
    const NameOrder wanted = nameOrder(acName);
    size_t low = 0, high = FFC_COMMAND_LOOKUP_ENTRIES;
    while (low < high) {
        const size_t middle = (low + high) / 2;
        const auto order = wanted <=> nameOrder(lookup.aEntries[middle].acName);
        if (order < 0)
            high = middle;
        else if (order > 0)
            low = middle + 1;
        else
            return &lookup.aEntries[middle];
    }
    return nullptr;
}

void resetCheckStateCommand()
{
    FFC_CHECK_STATE* st = P3109_CheckState();
    if (!st)
        return;
    std::memset(st->acCommand, ' ', sizeof st->acCommand);
    st->lLine = st->lSequence = st->lLineNumber = -1;
    st->lLineWord = -1;
    st->pFieldTable = nullptr;
}

}  // namespace

void P3109_DispatchCommand()
{
    FFC_CONTEXT* ctx = P3109_Context();
    FFC_CHECK_STATE* st = P3109_CheckState();
    auto* lookup = ctx ? static_cast<FFC_COMMAND_LOOKUP*>(ctx->pCommandLookup) : nullptr;
    FFC_COMMAND_ENTRY* e = nullptr;
    if (lookup && st)
        e = findCommandEntry(*lookup, st->acCommand);
    if (!e)
        P3109_InternalError("Unknown Command encountered");
    if (e->pfnEmitter) {
        callBound(*e);
        return;
    }
    if (nameIs(e->acName, "SUBROUTINE")) {
        /* never bound: every SUBROUTINE opens a block and a routine head */
        P3109_PushBlock(false, false, false);
        P3109_Parts().pfnEmitSubroutine('S', "");
        return;
    }
    const P3109_GENERATOR_PARTS& parts = P3109_Parts();
    for (size_t i = 0; i < parts.ulEmitters; ++i) {
        const P3109_EMITTER_ROW& row = parts.pEmitters[i];
        if (!nameIsText(e->acName, row.command) || !row.emitter)
            continue;
        e->pfnEmitter = row.emitter;
        e->lPushWhen = row.pushWhen;
        e->acBlock[0] = row.loop;
        e->acBlock[1] = row.caseByte;
        e->acBlock[2] = row.labels;
        e->lPopWhen = row.popWhen;
        e->lIndentWhen = row.indentWhen;
        if (row.firstCall == P3109_FIRST_EMITTER) {
            callBound(*e);
            return;
        }
        controls(*e, GEN_CONTROL_BEFORE);
        firstCall(row);
        controls(*e, GEN_CONTROL_AFTER);
        return;
    }
    /* A command the check lets through (UREQUEST, UDISPLAY) for which the
       generator has no code: a program without it would pass for complete,
       so the generation fails, once for each such command. */
    P3109_sIssueMessage(Msg::CommandNotGenerated, std::string_view(e->acName, 10));
}

void P3109_GenerateCommands()
{
    GEN_MODULE_STATE& g = P3109_State();
    FFC_CONTEXT* ctx = P3109_Context();
    FFC_CHECK_STATE* st = P3109_CheckState();
    g.usSavedIndent = g.out.usIndent;
    g.skel.cKeep = 'N';
    P31O2_ShowStatusText("Loading/Extracting all List Definitions ", 40);

    /* first run: the definition commands register what they define (the
       list's survey holds them and the SELECT commands, read once for the
       walks before this run) */
    uint16_t number = 0, sequence = 0;
    GEN_COMMAND_RECORD r;
    g.usCommandCounter = 0;
    g.out.cSuppress = 'Y';
    const GEN_COMMAND_SURVEY& survey = P3109_CommandSurvey();
    for (const GEN_COMMAND_RECORD& kept : survey.records) {
        g.out.cSuppress = 'Y';
        g.cLabelFlag = 'Y';
        if (nameIs(kept.acName, "SELECT") || nameIs(kept.acName, "SELECT_SQL")) {
            ++g.sSqlCursorCount;
            continue;
        }
        P3109_MakeCurrentCommand(kept);
        P3109_DispatchCommand();
    }
    /* Only a command that is dispatched is made the current one as it is
       read; the last one read is made current after the walk, as the walk
       leaves it, since what follows the run may look at it. */
    if (survey.fAny && (!survey.fLastKept || !P3109_fFirstRunCommand(survey.last.acName))) {
        g.out.cSuppress = 'Y';
        g.cLabelFlag = 'Y';
        P3109_MakeCurrentCommand(survey.last);
    }

    /* between the runs */
    g.out.cSuppress = 'N';
    P3109_WriteListDefinitions();
    if (const BOM_DESCRIPTION_NODE* description = P3109_pRetrieveDescription())
        P3109_WriteRecordDefinitions(description);
    P3109_CollectListNames();
    g.usCommandCounter = 0;
    if (ctx) {
        ctx->usCommandCounter1 = ctx->usCommandCounter2 = 0;
        ctx->ulLabelNumber = P31O2_ResetLabelNumbers();
    }

    /* second run: every command is emitted, from the heads the survey
       kept when it has them, else read again from the list */
    number = sequence = 0;
    const GEN_STREAM mainStream = g.out.mainOutput;
    holdMethod(mainStream);
    std::vector<GEN_COMMAND_HEAD> heads;
    const bool fHeads = P3109_fTakeCommandHeads(heads);
    size_t nextHead = 0;
    const auto nextCommand = [&]() {
        if (!fHeads)
            return P3109_sNextCommandRecord(number, sequence, r) == 0;
        if (nextHead >= heads.size())
            return false;
        r = P3109_CommandOfHead(heads[nextHead++]);
        return true;
    };
    while (P3109_lAbortWord() == 0 && nextCommand()) {
        P3109_MakeCurrentCommand(r);
        g.out.cSuppress = 'N';
        g.cLabelFlag = 'N';
        showCommandStatus(r);
        ++g.usCommandCounter;
        P31O2_SendProgressStep(st ? st->lPass : 3, g.usCommandCounter, g.args.usStatusWord);
        const bool subroutine = nameIs(r.acName, "SUBROUTINE");
        if (subroutine || isRoutineCommand(r.acName)) {
            if (ctx)
                ctx->ulLabelNumber = P31O2_ulPushLabelNumber(ctx);
            g.lRoutineValue1 = r.lRoutineValue1;
            g.lRoutineValue2 = r.lRoutineValue2;
            g.sRoutineValue3 = r.sRoutineValue3;
            g.cRoutineFlag1 = 'Y';
            if (!subroutine)
                g.cRoutineFlag2 = 'Y';
            g.usRoutineSavedIndent = g.out.usIndent;
            g.out.usIndent = 0;
            holdMethod(routineStream());
        }
        outputStreamByRoutine();
        if (r.acName[0] == '*')
            P3109_Parts().pfnEmitCommandPrologue();
        else
            P3109_DispatchCommand();
        if (nameIs(r.acName, "ENDROUTINE")) {
            releaseMethod(routineStream(), true);
            g.cRoutineFlag1 = g.cRoutineFlag2 = 'N';
            g.out.usIndent = g.usRoutineSavedIndent;
            if (ctx)
                ctx->ulLabelNumber = P31O2_ulPopLabelNumber(ctx);
        }
        outputStreamByRoutine();
        if (ctx) {
            ++ctx->usCommandCounter1;
            ++ctx->usCommandCounter2;
        }
    }
    /* a run that stopped inside a routine leaves its lines as they are */
    P3109_ReleaseHeldLines(routineStream());
    releaseMethod(mainStream, false);
    resetCheckStateCommand();
    g.out.cSuppress = 'N';
    g.out.current = g.out.mainOutput;
}

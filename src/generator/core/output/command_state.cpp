/*
** command_state.cpp: the current command of the command loop, the checked
** command list it walks, the block stack, the installed generator parts
** and the job's build handle.
*/
#include "generator/core/output/command_state.h"

#include <cstdio>
#include <cstring>

#include "dqov/runcontrol/record_store.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "params/parsed_command.h"
#include "platform/dqoo/dqoo.h"

namespace {

const P3109_GENERATOR_PARTS* g_parts = nullptr;

const GEN_COMMAND_SOURCE*& commandSource()
{
    static const GEN_COMMAND_SOURCE* source = nullptr;
    return source;
}

GEN_COMMAND_RECORD& currentRecord()
{
    static GEN_COMMAND_RECORD record;
    return record;
}

void*& buildHandle()
{
    static void* build = nullptr;
    return build;
}

/* The survey and the list it was made of. */
struct SurveyHeld {
    const GEN_COMMAND_SOURCE* source = nullptr;
    const FFC_CONTEXT* ctx = nullptr;
    const FFC_RECORD_STORE* store = nullptr;
    bool fMade = false;
    GEN_COMMAND_SURVEY survey;
};

SurveyHeld& surveyHeld()
{
    static SurveyHeld held;
    return held;
}

bool isSelect(const char* acName)
{
    return std::memcmp(acName, "SELECT    ", 10) == 0 || std::memcmp(acName, "SELECT_SQL", 10) == 0;
}

/* Whether the record holds nothing beyond what its head keeps. */
bool headOnly(const GEN_COMMAND_RECORD& r)
{
    return r.pFieldTable == nullptr && r.lRoutineValue1 == 0 && r.lRoutineValue2 == 0 && r.sRoutineValue3 == 0 &&
           r.fSequence && r.lLineNumber == r.usNumber;
}

/* The head the survey keeps of a record that holds nothing more (headOnly). */
GEN_COMMAND_HEAD headOf(const GEN_COMMAND_RECORD& r)
{
    GEN_COMMAND_HEAD head;
    head.usNumber = r.usNumber;
    head.usSequence = r.usSequence;
    head.sSequence = r.sSequence;
    std::memcpy(head.acLabel, r.acLabel, sizeof head.acLabel);
    std::memcpy(head.acName, r.acName, sizeof head.acName);
    head.cExtension = r.cExtension;
    return head;
}

}  // namespace

GEN_COMMAND_RECORD P3109_CommandOfHead(const GEN_COMMAND_HEAD& head)
{
    GEN_COMMAND_RECORD r;
    r.usNumber = head.usNumber;
    r.usSequence = head.usSequence;
    r.lLineNumber = head.usNumber;
    std::memcpy(r.acLabel, head.acLabel, sizeof r.acLabel);
    std::memcpy(r.acName, head.acName, sizeof r.acName);
    r.cExtension = head.cExtension;
    r.fSequence = true;
    r.sSequence = head.sSequence;
    return r;
}

void P3109_UseGeneratorParts(const P3109_GENERATOR_PARTS* pParts)
{
    g_parts = pParts;
}

const P3109_GENERATOR_PARTS& P3109_Parts()
{
    if (!g_parts)
        P3109_InternalError("The generator's emitters are not installed.");
    return *g_parts;
}

void P3109_MakeCurrentCommand(const GEN_COMMAND_RECORD& r)
{
    currentRecord() = r;
    FFC_CHECK_STATE* st = P3109_CheckState();
    GEN_MODULE_STATE& g = P3109_State();
    P3109_FourDigits(static_cast<int>(r.lLineNumber % 10000), g.lineNumberText);
    if (!st)
        return;
    st->lLine = r.usNumber;
    st->lSequence = r.usSequence;
    st->lLineWord = r.usSequence;
    st->lLineNumber = r.lLineNumber;
    st->pFieldTable = r.pFieldTable;
    std::memcpy(st->acLabel, r.acLabel, 3);
    std::memcpy(st->acCommand, r.acName, 10);
}

void P3109_SetCommandSource(const GEN_COMMAND_SOURCE* pSource)
{
    commandSource() = pSource;
    P3109_ForgetCommandSurvey();
}

const GEN_COMMAND_SOURCE* P3109_pCommandSource()
{
    return commandSource();
}

const GEN_COMMAND_RECORD& P3109_CurrentCommand()
{
    return currentRecord();
}

std::string P3109_CommandStatusText(const GEN_COMMAND_RECORD& r)
{
    char number[16];
    std::snprintf(number, sizeof number, "%04d", static_cast<int>(r.lLineNumber % 10000));
    for (size_t i = 0; i < 3 && number[i] == '0'; ++i)
        number[i] = ' ';
    return "Pass 3 : " + std::string(number) + " Command " + std::string(r.acName, 10);
}

int16_t P3109_sNextCommandRecord(uint16_t& usNumber, uint16_t& usSequence, GEN_COMMAND_RECORD& record)
{
    const GEN_COMMAND_SOURCE* s = commandSource();
    FFC_CONTEXT* ctx = P3109_Context();
    if (!s || !s->pfnFind)
        return 1;
    if (s->pfnFindFollowing) {
        if (s->pfnFindFollowing(ctx, usNumber, usSequence, &record) != 0)
            return 1;
        usNumber = record.usNumber;
        usSequence = record.usSequence;
        return 0;
    }
    if (s->pfnFind(ctx, usNumber, static_cast<uint16_t>(usSequence + 1), &record) == 0) {
        ++usSequence;
        return 0;
    }
    if (usNumber == UINT16_MAX || s->pfnFind(ctx, static_cast<uint16_t>(usNumber + 1), 0, &record) != 0)
        return 1;
    ++usNumber;
    usSequence = 0;
    return 0;
}

bool P3109_fFirstRunCommand(const char* acName)
{
    return std::memcmp(acName, "DEF_LIST", 8) == 0 || std::memcmp(acName, "DEF_COND", 8) == 0 ||
           std::memcmp(acName, "DEF_HEAD", 8) == 0 || std::memcmp(acName, "DEF_FOOT", 8) == 0 ||
           std::memcmp(acName, "DEF_LINE", 8) == 0 || std::memcmp(acName, "DEF_BREAK", 9) == 0 ||
           std::memcmp(acName, "POINT", 5) == 0;
}

const GEN_COMMAND_SURVEY& P3109_CommandSurvey()
{
    SurveyHeld& h = surveyHeld();
    const FFC_CONTEXT* ctx = P3109_Context();
    const FFC_RECORD_STORE* store = ctx ? ctx->pCommandStore : nullptr;
    if (h.fMade && h.source == commandSource() && h.ctx == ctx && h.store == store)
        return h.survey;
    h.survey = GEN_COMMAND_SURVEY{};
    GEN_COMMAND_SURVEY& survey = h.survey;
    uint16_t number = 0, sequence = 0;
    GEN_COMMAND_RECORD r;
    survey.fHeads = true;
    while (P3109_sNextCommandRecord(number, sequence, r) == 0) {
        if (survey.fHeads && headOnly(r)) {
            survey.heads.push_back(headOf(r));
        } else if (survey.fHeads) {
            survey.fHeads = false;
            std::vector<GEN_COMMAND_HEAD>().swap(survey.heads);
        }
        survey.fAny = true;
        survey.fLastKept = isSelect(r.acName) || P3109_fFirstRunCommand(r.acName);
        if (survey.fLastKept)
            survey.records.push_back(r);
        survey.last = r;
    }
    h.source = commandSource();
    h.ctx = ctx;
    h.store = store;
    h.fMade = true;
    return survey;
}

bool P3109_fTakeCommandHeads(std::vector<GEN_COMMAND_HEAD>& heads)
{
    SurveyHeld& h = surveyHeld();
    heads.clear();
    if (!h.fMade || !h.survey.fHeads)
        return false;
    heads.swap(h.survey.heads);
    h.survey.fHeads = false;
    return true;
}

void P3109_ForgetCommandSurvey()
{
    SurveyHeld& h = surveyHeld();
    h.fMade = false;
    h.survey = GEN_COMMAND_SURVEY{};
}

std::unique_ptr<FFC_PARSED_COMMAND> P3109_pReadCurrentCommand()
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx)
        return nullptr;
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    std::memset(parsed.get(), 0, sizeof *parsed);
    parsed->sLine = static_cast<int16_t>(P3109_CurrentCommand().usNumber);
    parsed->sSubLine = static_cast<int16_t>(P3109_CurrentCommand().usSequence);
    if (RS_fFindCommandRecord(ctx, parsed.get(), sizeof *parsed) != 0)
        return nullptr;
    return parsed;
}

void P3109_PushBlock(bool fLoop, bool fCase, bool fLabels)
{
    GEN_MODULE_STATE& g = P3109_State();
    if (g.sBlockDepth + 1 >= GEN_BLOCK_STACK_CAPACITY)
        P3109_InternalError("Generator block stack capacity of 255 nested blocks exceeded");
    ++g.sBlockDepth;
    if (g.blocks.size() <= static_cast<size_t>(g.sBlockDepth))
        g.blocks.resize(static_cast<size_t>(g.sBlockDepth) + 1);
    GEN_BLOCK_ENTRY& e = g.blocks[static_cast<size_t>(g.sBlockDepth)];
    e = GEN_BLOCK_ENTRY{};
    const FFC_CHECK_STATE* st = P3109_CheckState();
    e.lLineNumber = st ? st->lLineNumber : 0;
    e.usOuterIndent = g.out.usIndent;
    e.sOuterDepth = g.out.sDepth;
    e.lRoutineValue1 = g.lRoutineValue1;
    e.lRoutineValue2 = g.lRoutineValue2;
    e.sRoutineValue3 = g.sRoutineValue3;
    e.fLoop = fLoop;
    char text[40];
    if (fLabels) {
        std::snprintf(text, sizeof text, "Continue__%d", e.lLineNumber);
        e.continueLabel = text;
        std::snprintf(text, sizeof text, "Leave__%d", e.lLineNumber);
        e.leaveLabel = text;
    }
    if (!fCase)
        return;
    for (int i = g.sBlockDepth - 1; i >= 0; --i) {
        GEN_BLOCK_ENTRY& below = g.blocks[static_cast<size_t>(i)];
        if (!below.fLoop)
            continue;
        std::snprintf(text, sizeof text, "Continue__%d", below.lLineNumber);
        below.continueLabel = text;
        std::snprintf(text, sizeof text, "Leave__%d", below.lLineNumber);
        below.leaveLabel = text;
        break;
    }
}

void P3109_PopBlock()
{
    GEN_MODULE_STATE& g = P3109_State();
    if (g.sBlockDepth <= 0)
        P3109_InternalError("Generator block stack popped below its outermost block");
    --g.sBlockDepth;
    const GEN_BLOCK_ENTRY& top = g.blocks[static_cast<size_t>(g.sBlockDepth)];
    g.lRoutineValue1 = top.lRoutineValue1;
    g.lRoutineValue2 = top.lRoutineValue2;
    g.sRoutineValue3 = top.sRoutineValue3;
}

void P3109_MakeBreakContinueGoto(std::string& output, char cKind)
{
    GEN_MODULE_STATE& g = P3109_State();
    output.clear();
    for (int i = g.sBlockDepth; i >= 0; --i) {
        const GEN_BLOCK_ENTRY& e = g.blocks[static_cast<size_t>(i)];
        if (!e.fLoop)
            continue;
        if (cKind == 'L')
            output = e.leaveLabel.empty() ? "break" : "goto " + e.leaveLabel;
        else
            output = e.continueLabel.empty() ? "continue" : "goto " + e.continueLabel;
        return;
    }
}

void P3109_WriteLeavePoint()
{
    GEN_MODULE_STATE& g = P3109_State();
    if (g.sBlockDepth < 0)
        return;
    const GEN_BLOCK_ENTRY& e = g.blocks[static_cast<size_t>(g.sBlockDepth)];
    if (!e.leaveLabel.empty())
        P3109_Line(e.leaveLabel + ": /* Leave Point */;");
}

void P3109_WriteContinuePoint()
{
    GEN_MODULE_STATE& g = P3109_State();
    if (g.sBlockDepth < 0)
        return;
    const GEN_BLOCK_ENTRY& e = g.blocks[static_cast<size_t>(g.sBlockDepth)];
    if (!e.continueLabel.empty())
        P3109_Line(e.continueLabel + ": /* Continue Point */;");
}

/* The job's build while it lasts: the object layer ends it after the job,
** and a generation that follows without a job must not reach the ended
** build. */
void* P3109_pBuildHandle()
{
    void*& build = buildHandle();
    if (build != nullptr && DQOO_FCC_QueryBuild(static_cast<FCC_BUILD_HANDLE*>(build)) != DQOO_OK)
        build = nullptr;
    return build;
}

void P3109_SetBuildHandle(void* pBuild)
{
    buildHandle() = pBuild;
}

/*
** emit_support.cpp: the current command, the target and routine, field
** look-ups and text helpers shared by the command emitters.
*/
#include "generator/emitters/emit_support.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emitters.h"
#include "params/fixed_text.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

/* What an emitter sees when its command is not stored: a blank command
** with no parameters. */
const FFC_PARSED_COMMAND& blankCommand()
{
    static const auto blank = [] {
        auto p = std::make_unique<FFC_PARSED_COMMAND>();
        std::memset(p.get(), 0, sizeof *p);
        std::memset(p->acName, ' ', sizeof p->acName);
        std::memset(p->acLabel, ' ', sizeof p->acLabel);
        std::memset(p->acParms, ' ', sizeof p->acParms);
        p->lDispatchId = -1;
        return p;
    }();
    return *blank;
}

/* Which stored command the current view shows: an emitter reads its
** command's parameters many times, and the store is asked again only when
** another command is current or a record store has changed since. */
struct ParsedKey {
    const FFC_CONTEXT* ctx = nullptr;
    const FFC_RECORD_STORE* store = nullptr;
    uint64_t stamp = 0;
    uint16_t usNumber = 0, usSequence = 0;
    bool operator==(const ParsedKey&) const = default;
};

ParsedKey& parsedKey()
{
    static ParsedKey key;
    return key;
}

/* Counts the changes of the current command: what is derived from its
** parameters stays valid while the count is unchanged. */
uint64_t& parsedSerial()
{
    static uint64_t serial = 0;
    return serial;
}

/* The key of a command record in its store: its two numbers, big-endian. */
void commandKey(uint16_t usNumber, uint16_t usSequence, unsigned char (&key)[4])
{
    key[0] = static_cast<unsigned char>(usNumber >> 8);
    key[1] = static_cast<unsigned char>(usNumber);
    key[2] = static_cast<unsigned char>(usSequence >> 8);
    key[3] = static_cast<unsigned char>(usSequence);
}

/* The current command's record as the command store holds it, copied out
** of the store into a buffer of its own (a view of the store would move to
** any record another reader looks at: the first use of a long literal is
** read from its command while this one is current); the blank command when
** it is not stored. The copy is made over the record the buffer holds
** while no store has changed since it was read: what the two records share
** of their blank tails is not written again. */
const FFC_PARSED_COMMAND& loadParsed()
{
    static const FFC_PARSED_COMMAND* current = nullptr;
    static FFC_PARSED_COMMAND copy;
    /* the record `copy` holds as it is stored, when it is known to be */
    static ParsedKey held;
    static bool fHeld = false;
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    FFC_CONTEXT* ctx = P3109_Context();
    const uint64_t stamp = RS_ulChangeStamp();
    /* mostly the record read last: its key is compared field by field,
       the cheapest first */
    if (const ParsedKey& last = parsedKey(); current && ctx && last.stamp == stamp && last.usNumber == r.usNumber &&
                                             last.usSequence == r.usSequence && last.ctx == ctx &&
                                             last.store == ctx->pCommandStore)
        return *current;
    const ParsedKey key{ctx, ctx ? ctx->pCommandStore : nullptr, stamp, r.usNumber, r.usSequence};
    parsedKey() = key;
    ++parsedSerial();
    current = &blankCommand();
    if (!key.store)
        return *current;
    unsigned char wanted[4];
    commandKey(r.usNumber, r.usSequence, wanted);
    uint32_t length = 0;
    unsigned char holds[4];
    const bool over = fHeld && held.ctx == key.ctx && held.store == key.store && held.stamp == key.stamp;
    if (over)
        commandKey(held.usNumber, held.usSequence, holds);
    /* found and copied in one look-up; a record shorter than a command
       leaves `copy` holding part of it, no record of its own */
    fHeld = false;
    if (RS_fFindRecordOver(ctx->pCommandStore, 0, wanted, &copy, sizeof copy, &length, over ? holds : nullptr) != 0 ||
        length < sizeof(FFC_PARSED_COMMAND))
        return *current;
    held = key;
    fHeld = true;
    current = &copy;
    return *current;
}

}  // namespace

const FFC_PARSED_COMMAND& P3109_CurrentParsedCommand()
{
    return loadParsed();
}

const FFC_PARSED_COMMAND& P3109_CurrentParsedHead()
{
    return loadParsed();
}

int16_t P3109_sCurrentSequence()
{
    /* the loop's record and the stored one are read from the same store,
       and nothing the generator writes back changes a sequence number */
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    return r.fSequence ? r.sSequence : P3109_CurrentParsedHead().sSequence;
}

uint64_t P3109_ulCurrentParsedSerial()
{
    P3109_CurrentParsedHead();
    return parsedSerial();
}

namespace {

/* The current command's place in the command table, found once for each
** reading of its record; -1 for a command not in the table. */
int currentCommandIndex(const FFC_PARSED_COMMAND& p)
{
    static uint64_t serial = 0;
    static int index = -1;
    if (serial != parsedSerial()) {
        serial = parsedSerial();
        index = dqov::cmdparm::FindCommand(dqov::cmdparm::CommandNameOf(p));
    }
    return index;
}

/* The element of the current command, trailing blanks removed, or as a
** fixed field of its full width (fField); empty when the command has no
** such element. It is read where it stands in the record: a few look-ups
** in the command table, cheaper than keeping what was read. */
std::string_view parmElement(std::string_view keyword, int iElement, int iEntry, bool fField)
{
    const FFC_PARSED_COMMAND& p = P3109_CurrentParsedCommand();
    const int ci = currentCommandIndex(p);
    if (ci < 0)
        return {};
    const auto& command = dqov::cmdparm::kCommands[static_cast<size_t>(ci)];
    const int pi = dqov::cmdparm::FindParam(command, keyword);
    if (pi < 0 || iElement >= command.params[pi].elementCount)
        return {};
    const int32_t size = dqov::cmdparm::ElementSize(command.params[pi].elements[iElement]);
    const int32_t at = dqov::cmdparm::PlacedOffset(ci, pi, iElement, iEntry, size);
    if (at < 0)
        return {};
    const std::string_view element(p.acParms + at, static_cast<size_t>(size));
    if (fField)
        return element;
    /* wide elements are mostly blank: their blank words are passed first */
    size_t end = dqov::text::BeforeBlankWords(element.data(), element.size());
    while (end > 0 && element[end - 1] == ' ')
        --end;
    return end == 0 ? std::string_view() : element.substr(0, end);
}

}  // namespace

std::string P3109_Parm(std::string_view keyword, int iElement, int iEntry)
{
    return std::string(parmElement(keyword, iElement, iEntry, false));
}

std::string_view P3109_ParmView(std::string_view keyword, int iElement, int iEntry)
{
    return parmElement(keyword, iElement, iEntry, false);
}

std::string P3109_ParmField(std::string_view keyword, int iElement, int iEntry)
{
    return std::string(parmElement(keyword, iElement, iEntry, true));
}

std::string_view P3109_ParmFieldView(std::string_view keyword, int iElement, int iEntry)
{
    return parmElement(keyword, iElement, iEntry, true);
}

int32_t P3109_ParmNumber(std::string_view keyword, int iElement, int iEntry)
{
    return dqov::cmdparm::ParmNumber(P3109_CurrentParsedCommand(), keyword, iElement, iEntry);
}

int32_t P3109_ParmCount(std::string_view keyword)
{
    return dqov::cmdparm::ParmCount(P3109_CurrentParsedCommand(), keyword);
}

bool P3109_fParmFlag(std::string_view keyword, std::string_view value)
{
    return dqov::cmdparm::ParmFlag(P3109_CurrentParsedCommand(), keyword, value);
}

const char* P3109_pRoutineReference()
{
    static char reference[10];
    const FFC_PARSED_COMMAND& p = P3109_CurrentParsedHead();
    if (!P3109_fIsRoutineReference(p.acRoutineRef))
        return nullptr;
    std::memcpy(reference, p.acRoutineRef, 9);
    reference[9] = '\0';
    return reference;
}

bool P3109_fFrameIndicator()
{
    const char cFrame = P3109_CurrentParsedHead().cFrame;
    return cFrame != 0 && cFrame != ' ';
}

std::string P3109_CurrentCommandName()
{
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    return P3109_TrimRight(std::string_view(r.acName, 10));
}

bool P3109_fCommandIs(std::string_view name)
{
    return P3109_CurrentCommandName() == name;
}

bool P3109_fCSharp()
{
    return P3109_State().cTarget == GEN_TARGET_CSHARP;
}

bool P3109_fInComponentRoutine()
{
    return P3109_State().cRoutineFlag2 == 'Y';
}

bool P3109_fInSubroutine()
{
    return P3109_State().cRoutineFlag1 == 'Y';
}

std::string P3109_CSharpRoutineEnd(std::string_view end)
{
    if (P3109_fInSubroutine())
        return "return " + std::string(end) + ";";
    return "{ X_RUN_DLL.X_End_Main( pX_Ids, pX_Pro, pX_Fun, " + std::string(end) + " ); return; }";
}

std::string P3109_Instance(std::string_view name)
{
    return P3109_fCSharp() ? "pGlobal1." + std::string(name) : "INSTANCE(" + std::string(name) + ")";
}

std::string P3109_Instance3(std::string_view name)
{
    return P3109_fCSharp() ? "FunctionGlobalStatic3." + std::string(name) : "INSTANCE_S3(" + std::string(name) + ")";
}

std::string P3109_StdParms()
{
    return P3109_fCSharp() ? GEN_FUNCTION_PARMS_CS : "FUNCTION_STD_PARMS";
}

std::string P3109_StdArgs()
{
    return P3109_fCSharp() ? GEN_FUNCTION_ARGS_CS : "FUNCTION_STD_ARGS";
}

std::string P3109_Deref(std::string_view pointer, std::string_view member)
{
    return std::string(pointer) + (P3109_fCSharp() ? "." : "->") + std::string(member);
}

std::string P3109_RunTime(std::string_view routine)
{
    return (P3109_fCSharp() ? "X_RUN_DLL." : "") + std::string(routine);
}

std::string P3109_RunTimeConst(std::string_view name)
{
    return (P3109_fCSharp() ? "DqooDef." : "") + std::string(name);
}

std::string P3109_CSharpIoStatusTest(std::string_view outcome, std::string_view op)
{
    return "DqooDef.X_MEMCMP( pGlobal1.vchLastIOStatus, DqooDef." + std::string(outcome) + ", 2 ) " + std::string(op) +
           " 0";
}

std::string P3109_CSharpSetIoStatus(std::string_view outcome)
{
    return "pGlobal1.vchLastIOStatus = DqooDef." + std::string(outcome) + ";";
}

namespace {

/* The innermost selection loop block open at this point, or null. */
const GEN_BLOCK_ENTRY* innermostSelectLoop()
{
    const GEN_MODULE_STATE& s = P3109_State();
    for (int i = s.sBlockDepth; i >= 0; --i)
        if (s.blocks[static_cast<size_t>(i)].fSelectLoop)
            return &s.blocks[static_cast<size_t>(i)];
    return nullptr;
}

}  // namespace

std::string P3109_OpenSelectLoopCounter()
{
    GEN_MODULE_STATE& s = P3109_State();
    int depth = 1;
    for (int i = 0; i < s.sBlockDepth; ++i)
        depth += s.blocks[static_cast<size_t>(i)].fSelectLoop ? 1 : 0;
    GEN_BLOCK_ENTRY& top = s.blocks[static_cast<size_t>(std::max<int16_t>(s.sBlockDepth, 0))];
    top.fSelectLoop = true;
    top.loopSuffix = P3109_fCSharp() && depth > 1 ? "_" + std::to_string(depth) : "";
    return "lSelectLoopCount" + top.loopSuffix;
}

std::string P3109_SelectLoopSuffix()
{
    const GEN_BLOCK_ENTRY* loop = innermostSelectLoop();
    return loop ? loop->loopSuffix : std::string();
}

std::string P3109_SelectLoopCounter()
{
    return "lSelectLoopCount" + P3109_SelectLoopSuffix();
}

std::string P3109_ModuleName()
{
    return P3109_State().cName;
}

bool P3109_fHasCursors()
{
    return P3109_State().sSqlCursorCount >= 1;
}

std::string P3109_CursorOffsetText()
{
    return std::to_string(P3109_State().sOpenSelectCount);
}

void P3109_UnresolvedName(std::string_view keyword, std::string_view name)
{
    P3109_sIssueMessage(Msg::KeywordValueNotResolved, P3109_Padded(P3109_CurrentCommandName(), 10) +
                                                          P3109_Padded(keyword, 10) +
                                                          P3109_Padded(P3109_TrimRight(name), GEN_OPERAND_NAME_WIDTH));
}

void P3109_UnusableValue(std::string_view keyword, std::string_view value)
{
    P3109_sIssueMessage(Msg::KeywordValueNotUsable, P3109_Padded(P3109_CurrentCommandName(), 10) +
                                                        P3109_Padded(keyword, 10) +
                                                        P3109_Padded(P3109_TrimRight(value), GEN_OPERAND_NAME_WIDTH));
}

const GEN_FIELD_INFO& P3109_NoFieldInfo()
{
    static const GEN_FIELD_INFO none;
    return none;
}

bool P3109_fRequiredField(std::string_view keyword, std::string_view name, GEN_FIELD_INFO& info, size_t ulWidth)
{
    if (P3109_fFindUsedField(name, info, ulWidth))
        return true;
    P3109_UnresolvedName(keyword, name.substr(0, std::min(name.size(), ulWidth)));
    return false;
}

std::shared_ptr<const GEN_FIELD_INFO> P3109_HoldRequiredField(std::string_view keyword, std::string_view name,
                                                              size_t ulWidth)
{
    if (std::shared_ptr<const GEN_FIELD_INFO> info = P3109_HoldOperandField(name, ulWidth))
        return info;
    P3109_UnresolvedName(keyword, name.substr(0, std::min(name.size(), ulWidth)));
    return nullptr;
}

std::string P3109_RequiredFieldVector(std::string_view keyword, std::string_view name, size_t ulWidth)
{
    if (const GEN_FIELD_INFO* info = P3109_pFindOperandField(name, ulWidth))
        return info->vectorName;
    P3109_UnresolvedName(keyword, name.substr(0, std::min(name.size(), ulWidth)));
    return "V_NOT_AVAILABLE";
}

bool P3109_fWrittenAsField(std::string_view text)
{
    const std::string& national = P3109_State().nationalChar1;
    return !text.empty() && !national.empty() && text[0] == national[0];
}

std::string P3109_KeywordFieldVector(std::string_view keyword, int iElement, int iEntry, size_t ulWidth)
{
    const std::string name = P3109_ParmField(keyword, iElement, iEntry);
    const std::string trimmed = P3109_TrimRight(name);
    if (trimmed.empty() || trimmed[0] == '*')
        return "V_NOT_AVAILABLE";
    return P3109_RequiredFieldVector(keyword, name, ulWidth);
}

namespace {

/* The special values written in place: no vector entry holds them, so no
** value can be passed for them. */
constexpr std::string_view kInPlaceValues[] = {"*BLANK", "*BLANKS", "*ZERO",  "*ZEROS",   "*ZEROES", "*NULL",
                                               "*HIVAL", "*LOVAL",  "*NAVAIL", "*DEFAULT", "*SQLNULL"};

bool inPlaceValue(const std::string& operand)
{
    std::string upper = operand;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return std::find(std::begin(kInPlaceValues), std::end(kInPlaceValues), upper) != std::end(kInPlaceValues);
}

}  // namespace

std::string P3109_PassedValueVector(std::string_view keyword, std::string_view operand, size_t ulWidth)
{
    if (const GEN_FIELD_INFO* info = P3109_pFindOperandField(operand, ulWidth))
        return info->vectorName;
    const std::string written = P3109_TrimRight(operand);
    if (!inPlaceValue(written))
        return P3109_OperandVector(keyword, operand, ulWidth);
    P3109_UnusableValue(keyword, written);
    return "V_NOT_AVAILABLE";
}

std::string P3109_OperandVector(std::string_view keyword, std::string_view operand, size_t ulWidth)
{
    if (const GEN_FIELD_INFO* info = P3109_pFindOperandField(operand, ulWidth))
        return info->vectorName;
    if (P3109_TrimRight(operand).rfind('*', 0) == 0)
        return "V_NOT_AVAILABLE";
    return P3109_RequiredFieldVector(keyword, operand, ulWidth);
}

char P3109_NameCharacter3()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->cNatChar3 != ' ' && ctx->cNatChar3 != '\0' ? ctx->cNatChar3 : '$';
}

std::string P3109_SpecialFieldName(std::string_view head, std::string_view tail)
{
    return P3109_Padded(std::string(head) + P3109_NameCharacter3() + std::string(tail), 10);
}

std::vector<std::string> P3109_GroupMembers(std::string_view group)
{
    std::vector<std::string> members;
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return members;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, FFC_WORK_KIND_LEN);
    const std::string name = P3109_DropNationalChar(P3109_TrimRight(group));
    std::memcpy(r.acName, name.data(), std::min<size_t>(name.size(), FFC_WORK_NAME_LEN));
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_EMITTERS, &r, 2); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_EMITTERS, &r, 2)) {
        const auto* data = reinterpret_cast<const GROUPFLD_DATA*>(r.acData);
        members.push_back(
            P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(std::string_view(data->acField, 10))), 10));
    }
    return members;
}

std::vector<std::string> P3109_ExpandFieldName(std::string_view name)
{
    const std::string trimmed = P3109_TrimRight(name);
    if (trimmed.empty())
        return {};
    if (P3109_fIsGroupName(trimmed))
        return P3109_GroupMembers(trimmed);
    return {P3109_Padded(P3109_DropNationalChar(trimmed), 10)};
}

bool P3109_fListDefined(std::string_view name)
{
    FFC_CONTEXT* ctx = P3109_Context();
    const std::string key = P3109_DropNationalChar(P3109_TrimRight(name));
    if (!ctx || !ctx->pWorkFile || key.empty())
        return false;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_LISTNAME, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, key.data(), std::min<size_t>(key.size(), FFC_WORK_NAME_LEN));
    return WF_cReadFirst(ctx, GEN_SLOT_EMITTERS_INNER, &r, 2) == '0';
}

std::string P3109_ListVectorName(std::string_view name)
{
    const std::string key = P3109_DropNationalChar(P3109_TrimRight(name));
    return "V_LIST_" + P3109_MakeCIdentifier(key, key.size());
}

void P3109_LineAt(int16_t sIndent, std::string_view text)
{
    P3109_WriteLine(P3109_State().out.current, sIndent, text);
}

bool P3109_MakeLineCommentTextFrom(std::string& text, size_t from)
{
    char* p = text.data() + from;
    size_t n = text.size() - from;
#if defined(__SSE2__)
    /* comment texts are mostly long and hold no control character: sixteen
       bytes are looked at together */
    const __m128i high = _mm_set1_epi8(static_cast<char>(0xE0)), blanks = _mm_set1_epi8(' ');
    for (; n >= 16; n -= 16, p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        /* a byte below 32 has none of its three high bits set */
        const __m128i control = _mm_cmpeq_epi8(_mm_and_si128(v, high), _mm_setzero_si128());
        if (_mm_movemask_epi8(control) != 0)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p),
                             _mm_or_si128(_mm_andnot_si128(control, v), _mm_and_si128(control, blanks)));
    }
#endif
    for (; n > 0; --n, ++p)
        if (static_cast<unsigned char>(*p) < 32)
            *p = ' ';
    size_t end = text.size();
    while (end > from && text[end - 1] == ' ')
        --end;
    text.resize(end);
    if (end == from)
        return false;
    const bool backslash = text.back() == '\\';
    const bool trigraph = end - from >= 3 && text.compare(end - 3, 3, "?\?/") == 0;
    if (backslash || trigraph)
        text += '.';
    return true;
}

void P3109_MakeLineCommentText(std::string& text)
{
    P3109_MakeLineCommentTextFrom(text, 0);
}

std::string P3109_LineCommentText(std::string_view text)
{
    std::string out(text);
    P3109_MakeLineCommentText(out);
    return out;
}

P3109_ExprWriter& P3109_ExpressionWriter()
{
    static P3109_ExprWriter writer;
    return writer;
}

bool P3109_fIsRoutineReference(const char* pchValue)
{
    return pchValue && static_cast<unsigned char>(pchValue[0]) == 3 && pchValue[1] != 'A' && pchValue[1] != '\0';
}

// Checker messages for the current command, and the small helpers that the
// passes and the handlers share (fields, parameters by keyword, records).
#include "checker/checker.h"
#include "checker/operand_checks.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/workfile.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace checker {

Globals gCheck;

bool IsComponentRun()
{
    return G().ctx && G().ctx->lComponentRun;
}

bool IsFunctionRun()
{
    return !IsComponentRun();
}

int32_t Pass()
{
    return G().state ? G().state->lPass : 0;
}

bool NameIs(const char* name)
{
    // the name as Pad would make it (its first ten characters, then
    // blanks), compared where it stands: most differ at the first
    const char* current = G().parsed.acName;
    size_t i = 0;
    for (; i < 10 && name[i] != '\0'; ++i)
        if (current[i] != name[i])
            return false;
    for (; i < 10; ++i)
        if (current[i] != ' ')
            return false;
    return true;
}

bool Given(const std::string& value)
{
    static constexpr std::string_view kNone = "*NONE";
    if (value.size() != kNone.size())
        return !value.empty();
    for (size_t i = 0; i < kNone.size(); ++i)
        if (UpperChar(value[i]) != kNone[i])
            return true;
    return false;
}

void NoteMessageText()
{
    const std::string text = Parm("MSGTXT");
    if (Given(text) || Given(Parm("MSGID")))
        G().messageTextUsed = 'Y';
    /* a message text that names a multilingual variable is the variable's
    ** text: the variable must exist */
    if (Pass() == 1 && text.size() > 5 && Upper(text.substr(0, 5)) == "*MTXT")
        CheckOperandValue(text, 'A', 0, 0);
}

void NumberLoop(int depth)
{
    Globals& g = G();
    char id[8];
    g.loopCounter = (g.loopCounter + 1) % 1000;
    std::snprintf(id, sizeof id, "SL@%03d", static_cast<int>(g.loopCounter));
    g.levelLoopId[depth] = id;
    std::memcpy(g.parsed.acLoopId, id, 6);
}

bool NotInComponent()
{
    if (!IsComponentRun())
        return true;
    if (Pass() == 1)
        Issue(Msg::CommandNotForObject, std::string_view(G().parsed.acName, 10));
    return false;
}

bool LabelKnown(const std::string& label)
{
    if (label.empty() || label.size() > 3)
        return false;
    FFC_WORK_RECORD& r = G().record2;
    BlankRecord(r, WR_LABEL, label, std::string_view(G().currentRoutine, 10));
    return FindRecord(r, 3);
}

bool TargetValid(const std::string& target, std::initializer_list<const char*> keywords)
{
    std::string t = Upper(target);
    if (t.empty())
        return true;
    for (const char* k : keywords)
        if (t == k)
            return true;
    return t[0] != '*' && LabelKnown(t);
}

void CheckCheckAction(const char* keyword)
{
    const std::string action = Upper(Parm(keyword));
    if (!action.empty() && action != "*NEXT" && action != "*ERROR" && action != "*ACCEPT")
        Issue(Msg::ValueNotAllowedForParameter, dqov::text::Fixed(keyword, 10) + dqov::text::Fixed(action, 20));
}

uint32_t CountRows(const char* tag, const char* sql, const std::string& a, const std::string& b)
{
    SSQL_AREA area;
    SSQL_SetLocation(tag);
    std::string partition = Trim(G().partition, 3);
    if (b.empty())
        SSQL_DeclareExt(&area, sql, partition.c_str(), a.c_str());
    else
        SSQL_DeclareExt(&area, sql, partition.c_str(), a.c_str(), b.c_str());
    return RunCount(area, tag);
}

std::vector<std::string> FetchNames(SSQL_AREA& area, const char* const tags[4], size_t limit)
{
    uint16_t cursor = 0;
    if (SSQL_sOpenExt(&cursor) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, tags[0]);
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    std::vector<std::string> names;
    char name[10];
    int32_t sequence = 0;
    for (bool first = true;; first = false) {
        const char* tag = first ? tags[1] : tags[2];
        SSQL_SetLocation(tag);
        std::memset(name, ' ', sizeof name);
        unsigned short rc = SSQL_sFetchExt(&area, cursor, &ca, &da, 2, SSQL_FIXED(name, 10), SSQL_I32(&sequence));
        if (rc == SSQL_RC_END || rc == SSQL_RC_NOROW)
            break;
        if (rc != SSQL_RC_OK)
            FFC_SQL_Error(ca, tag);
        if (names.size() < limit)
            names.push_back(Trim(name, 10));
    }
    SSQL_SetLocation(tags[3]);
    if (SSQL_sCloseExt(cursor, &ca, &da) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, tags[3]);
    return names;
}

uint32_t RunCount(SSQL_AREA& area, const char* tag)
{
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    uint32_t n = 0;
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_U32(&n));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, tag);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    return n;
}

bool DesignOnlyScope()
{
    return G().state && std::memcmp(G().state->acScope, "X3", 2) == 0;
}

void Issue(Msg msg, std::string_view data)
{
    Issue(dqov::MsgSeverity(msg), dqov::MsgId(msg), data);
}

void Issue(char severity, Msg msg, std::string_view data)
{
    Issue(severity, dqov::MsgId(msg), data);
}

void Issue(char severity, const char* msgId, std::string_view data)
{
    P3100_IssueMessageRecord(nullptr, 0, severity, msgId, data.data(), static_cast<uint32_t>(data.size()));
}

void IssueText(std::string_view text, char severity)
{
    Issue(severity, Msg::CheckerText, text);
}

void IssueAt(int32_t line, std::string_view command, Msg msg, std::string_view data)
{
    FFC_CHECK_STATE& st = *G().state;
    const int32_t current = st.lLine;
    char name[10];
    std::memcpy(name, st.acCommand, sizeof name);
    st.lLine = line;
    Pad(st.acCommand, 10, command.substr(0, 10));
    Issue(msg, data);
    st.lLine = current;
    std::memcpy(st.acCommand, name, sizeof name);
}

namespace {

struct ParmPlace {
    int32_t at = -1;
    uint16_t width = 0;
    char kind = 'A';
};

/* The current command's index in the command table, found again only when
 * the command changes: the handlers read many parameters of one command. */
int CurrentCommand()
{
    static char name[10] = {};
    static int index = -1;
    const FFC_PARSED_COMMAND& p = G().parsed;
    if (std::memcmp(name, p.acName, sizeof name) != 0 || index < 0) {
        std::memcpy(name, p.acName, sizeof name);
        index = dqov::cmdparm::FindCommand(dqov::cmdparm::CommandNameOf(p));
    }
    return index;
}

/* The parameter of the current command with the keyword: its command and
 * parameter index, or -1. The handlers name their keywords by the same few
 * texts many times: the parameter found for a keyword text is kept by its
 * address and taken again while the command is the same and the
 * parameter's keyword is still that text. */
std::pair<int, int> CurrentParam(const char* keyword)
{
    const int ci = CurrentCommand();
    if (ci < 0)
        return {ci, -1};
    struct Known {
        const char* keyword = nullptr;
        int ci = -1;
        int pi = -1;
    };
    static std::array<Known, 512> known;
    const uint64_t h = (reinterpret_cast<uintptr_t>(keyword) ^ static_cast<uint64_t>(ci) << 40) * 0x9E3779B97F4A7C15ULL;
    Known& k = known[h >> 55];
    if (k.keyword == keyword && k.ci == ci &&
        std::strcmp(dqov::cmdparm::kCommands[static_cast<size_t>(ci)].params[k.pi].keyword, keyword) == 0)
        return {ci, k.pi};
    const int pi = dqov::cmdparm::IndexedParam(ci, keyword);
    if (pi >= 0)
        k = {keyword, ci, pi};
    return {ci, pi};
}

/* Where entry `entry` of element `element` of a parameter of the current
 * command lies; at < 0 when the command has no such element or entry. */
ParmPlace LocateAt(int ci, int pi, int element, int entry)
{
    namespace cp = dqov::cmdparm;
    ParmPlace place;
    if (ci < 0 || pi < 0 || element < 0 || element >= cp::kCommands[ci].params[pi].elementCount)
        return place;
    const cp::Element& el = cp::kCommands[ci].params[pi].elements[element];
    place.width = cp::ElementSize(el);
    place.kind = el.kind;
    place.at = cp::PlacedOffset(ci, pi, element, entry, place.width);
    return place;
}

ParmPlace Locate(const char* keyword, int element, int entry)
{
    const auto [ci, pi] = CurrentParam(keyword);
    return LocateAt(ci, pi, element, entry);
}

/* The element at `place` into `out`, whose room is kept: a number as its
** digits, a text trimmed; nothing where the place is not in the area. */
void ReadElementInto(const ParmPlace& place, std::string& out)
{
    const FFC_PARSED_COMMAND& p = G().parsed;
    const int32_t at = place.at;
    if (at < 0) {
        out.clear();
        return;
    }
    if (place.kind == 'N') {
        int32_t v;
        std::memcpy(&v, p.acParms + at, 4);
        out = std::to_string(v);
        return;
    }
    if (place.kind == 'H') {
        int16_t v;
        std::memcpy(&v, p.acParms + at, 2);
        out = std::to_string(v);
        return;
    }
    out.assign(TrimmedView(p.acParms + at, place.width));
}

std::string ReadElement(const ParmPlace& place)
{
    std::string value;
    ReadElementInto(place, value);
    return value;
}

}  // namespace

std::string Parm(const char* keyword, int element)
{
    return ReadElement(Locate(keyword, element, 0));
}

std::string ParmEntry(const char* keyword, int entry, int element)
{
    return ReadElement(Locate(keyword, element, entry));
}

std::string ParmEntryAt(int command, int param, int entry, int element)
{
    return ReadElement(LocateAt(command, param, element, entry));
}

int CurrentCommandIndex()
{
    return CurrentCommand();
}

void ReadParmEntryAt(int command, int param, int entry, int element, std::string& out)
{
    ReadElementInto(LocateAt(command, param, element, entry), out);
}

bool SetParmEntry(const char* keyword, int entry, int element, std::string_view value)
{
    ParmPlace place = Locate(keyword, element, entry);
    if (place.at < 0 || place.kind == 'N' || place.kind == 'H')
        return false;
    Pad(G().parsed.acParms + place.at, place.width, value.substr(0, place.width));
    NoteParmsWritten(place.at + place.width);
    return true;
}

namespace {

/* The offset of the entry count of a list parameter of the current command. */
int32_t CountAt(int ci, int pi)
{
    const int32_t at = pi < 0 ? -1 : dqov::cmdparm::IndexedPlacement(ci, pi).countAt;
    return at < 0 || at + 4 > FFC_PARM_AREA_SIZE ? -1 : at;
}

int32_t CountAt(const char* keyword)
{
    const auto [ci, pi] = CurrentParam(keyword);
    return CountAt(ci, pi);
}

int32_t CountValue(int32_t at)
{
    if (at < 0)
        return 0;
    int32_t v;
    std::memcpy(&v, G().parsed.acParms + at, 4);
    return v;
}

}  // namespace

bool SetParmCount(const char* keyword, int32_t count)
{
    int32_t at = CountAt(keyword);
    if (at < 0)
        return false;
    std::memcpy(G().parsed.acParms + at, &count, 4);
    NoteParmsWritten(at + 4);
    return true;
}

int32_t ParmCount(const char* keyword)
{
    return CountValue(CountAt(keyword));
}

int32_t ParmCountAt(int command, int param)
{
    return CountValue(CountAt(command, param));
}

bool ParmFlag(const char* keyword, const char* value)
{
    return dqov::cmdparm::ParmFlag(G().parsed, keyword, value);
}

void BlankRecord(FFC_WORK_RECORD& r, const char* kind, std::string_view name, std::string_view qual)
{
    std::memset(&r, ' ', sizeof r);
    Pad(r.acKind, FFC_WORK_KIND_LEN, kind);
    Pad(r.acName, FFC_WORK_NAME_LEN, name);
    Pad(r.acQualifier, FFC_WORK_QUAL_LEN, qual);
}

void BlankRecordKey(FFC_WORK_RECORD& r, const char* kind, std::string_view name, std::string_view qual)
{
    Pad(r.acKind, FFC_WORK_KIND_LEN, kind);
    Pad(r.acName, FFC_WORK_NAME_LEN, name);
    Pad(r.acQualifier, FFC_WORK_QUAL_LEN, qual);
}

bool P3100_WriteRecord(const FFC_WORK_RECORD& r)
{
    return WF_lWrite(G().ctx, &r) != 0;
}

bool FindRecord(FFC_WORK_RECORD& r, uint16_t parts)
{
    return WF_cReadFirst(G().ctx, 2, &r, parts) == '0';
}

bool RecordExists(FFC_WORK_RECORD& r, uint16_t parts)
{
    return WF_cFindFirst(G().ctx, 2, &r, parts) == '0';
}

bool BlankNewRecord(FFC_WORK_RECORD& r, const char* kind, const std::string& name, Msg duplicate)
{
    BlankRecord(r, kind, name);
    if (RecordExists(r, 2)) {
        Issue(duplicate, name);
        return false;
    }
    BlankRecord(r, kind, name);
    return true;
}

}  // namespace checker

using namespace checker;

extern "C" {

void P3100_IssueMessageRecord(void*, int32_t, char cSeverity, const char* pachMsgId, const void* pData,
                              uint32_t ulLength)
{
    Globals& g = G();
    if (!g.ctx || !g.state)
        return;
    FFC_CHECK_STATE& st = *g.state;
    FFC_CHECK_MESSAGE m{};
    m.ulLine = st.lLine < 0 ? 0 : static_cast<uint32_t>(st.lLine);
    std::memcpy(m.acCommand, st.acCommand, 10);
    m.usPass = static_cast<uint16_t>(st.lPass);
    m.ulSubLine = st.lLineWord < 0 ? 0 : static_cast<uint32_t>(st.lLineWord);
    m.cSeverity = cSeverity;
    std::memcpy(m.acMsgId, pachMsgId, 7);
    std::memcpy(m.acObject, g.ctx->acObjectName, 10);
    std::memset(m.acText, ' ', sizeof m.acText);
    if (pData && ulLength)
        std::memcpy(m.acText, pData, std::min<uint32_t>(ulLength, FFC_MESSAGE_TEXT_LEN));
    RS_sAddRunMessage(g.ctx, &m);
    st.cLastSeverity = cSeverity;
    P9006_fCountMessage(&st.stats, cSeverity, st.lPass);
    if (cSeverity == 'F')
        ++g.commandFatal;
    else if (cSeverity == 'W')
        ++g.commandWarnings;
}

void P3100_IssueMessage(char cSeverity, const char* pachMsgId, const char* pText, uint32_t ulLength)
{
    P3100_IssueMessageRecord(nullptr, 1, cSeverity, pachMsgId, pText, ulLength);
}

void P3100_IssueTextMessage(const char* pszText)
{
    IssueText(pszText, 'F');
}

void P3100_ParseMessageCallback(const char* pText, uint32_t ulLength)
{
    std::string text(pText, ulLength);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    IssueText(text, 'F');
}

void P3100_IssueServicesMessage(char cSeverity, uint32_t ulNumber, ...)
{
    const char* format = SMSG_pszGetMessage(ulNumber, 0);
    char text[512];
    if (!format) {
        std::snprintf(text, sizeof text, "Services message %u", static_cast<unsigned>(ulNumber));
    } else {
        va_list args;
        va_start(args, ulNumber);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
    }
    Issue(cSeverity, Msg::ServicesText, text);
}

void P3100_ReplayQueuedMessages(void)
{
    Globals& g = G();
    FFC_RUN_STATISTICS before = g.state->stats;
    P9006_ulReplayQueuedMessages(g.ctx, g.state, g.msgQueue);
    g.commandFatal += g.state->stats.lFatalTotal - before.lFatalTotal;
    g.commandWarnings += g.state->stats.lWarningsTotal - before.lWarningsTotal;
}

void P3100_ReportIllegalReference(uint32_t ulLength, const char* pName)
{
    std::string name(pName, std::min<uint32_t>(ulLength, 50));
    char text[256];
    std::snprintf(text, sizeof text, FFC_LITERAL_FORMATS[FFC_FMT_ILLEGAL_REFERENCE],
                  Trim(name.data(), name.size()).c_str(), Trim(G().parsed.acName, 10).c_str(),
                  static_cast<long>(G().state->lLine));
    IssueText(text, 'F');
}

}  // extern "C"

void P3100_IssueMessage(dqov::Msg msg, const char* pText, uint32_t ulLength)
{
    P3100_IssueMessage(dqov::MsgSeverity(msg), dqov::MsgId(msg), pText, ulLength);
}

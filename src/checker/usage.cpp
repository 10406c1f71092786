// Operand uses of the function: the "USEFIELD" and "USEFILE" records that
// the handlers leave for the generator, the field groups they name, and the
// final field and file checks after pass 2.
#include "checker/builtins.h"
#include "checker/checker.h"
#include "checker/field_lists.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "params/fixed_text.h"
#include "params/literal_key.h"
#include "params/operand_internal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"

using namespace checker;
using dqov::text::Fixed;

namespace {

// A multilingual text variable: "*MTXT" and its name.
bool IsMultilingualName(const std::string& written)
{
    return written.size() > 5 && Upper(written.substr(0, 5)) == "*MTXT";
}

// The literals recorded so far, as the use records stood when their kind's
// stamp was taken: counted again only when the records changed otherwise
// than by the records RecordUseOnce adds and the use counts it and
// WriteLaterUses rewrite (a function records thousands of operands, and
// each new literal would read them all).
struct LiteralCount {
    uint64_t stamp = 0;
    int32_t literals = 0;
};

LiteralCount& Literals()
{
    static LiteralCount count;
    return count;
}

// The number the next literal of the function is known by: one more than
// the literals recorded so far.
int32_t NextLiteralNumber()
{
    Globals& g = G();
    LiteralCount& known = Literals();
    const uint64_t stamp = WF_ulKindStamp(g.ctx, WR_USEFIELD);
    if (stamp != 0 && stamp == known.stamp)
        return known.literals + 1;
    FFC_WORK_RECORD r;
    BlankRecord(r, WR_USEFIELD);
    int32_t literals = 0;
    for (char rc = WF_cReadFirst(g.ctx, 4, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 4, &r, 1)) {
        const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
        if (data->acClass[1] == 'L' && (data->acClass[0] == 'A' || data->acClass[0] == 'N'))
            ++literals;
    }
    known = {stamp, literals};
    return literals + 1;
}

// A use record was written (a literal when `literal`): the count goes on
// from the records as they stand now, when nothing else changed them
// between.
void UseRecorded(uint64_t before, bool literal)
{
    LiteralCount& known = Literals();
    const uint64_t after = WF_ulKindStamp(G().ctx, WR_USEFIELD);
    /* the one change since the count is the record written */
    if (before != 0 && before == known.stamp && after == before + 1) {
        known.stamp = after;
        known.literals += literal ? 1 : 0;
    } else {
        known.stamp = 0;
    }
}

// Use counts alone were rewritten since `before` (no record added or
// removed, no class changed): the literals counted then still hold.
void CountsRewritten(uint64_t before)
{
    LiteralCount& known = Literals();
    if (before != 0 && before == known.stamp)
        known.stamp = WF_ulKindStamp(G().ctx, WR_USEFIELD);
}

// One use of an operand: the first use writes its record, later ones count.
void RecordUseOnce(const std::string& written, const std::string& field, const char* kind)
{
    Globals& g = G();
    FFC_WORK_RECORD& r = g.record2;
    BlankRecordKey(r, WR_USEFIELD, written);
    auto* data = reinterpret_cast<WR_USEFIELD_DATA*>(r.acData);
    if (WF_cReadFirst(g.ctx, 4, &r, 2) == '0') {
        int32_t uses = FIX_lDigitsToLong(data->acUseCount, 7, nullptr) + 1;
        FIX_LongToDigits(&uses, 7, data->acUseCount);
        const uint64_t before = WF_ulKindStamp(g.ctx, WR_USEFIELD);
        WF_cUpdate(g.ctx, 4, &r);
        CountsRewritten(before);
        return;
    }
    BlankRecord(r, WR_USEFIELD, written);
    std::memcpy(data->acClass, kind, 2);
    Pad(data->acFieldName, 10, field);
    if (std::memcmp(kind, "SV", 2) == 0) {
        /* its name, and the marker that sets it before every use; a
        ** multilingual variable holds one text for the whole run, set when
        ** the program starts */
        Pad(data->acSystemVariable, sizeof data->acSystemVariable, written);
        Pad(data->acSysVarTail, sizeof data->acSysVarTail,
            written.size() > sizeof data->acSystemVariable ? written.substr(sizeof data->acSystemVariable) : "");
        data->cDynamic = IsMultilingualName(written) ? ' ' : 'D';
    }
    const bool numbered = kind[1] == 'L' && (kind[0] == 'A' || kind[0] == 'N');
    if (numbered) {
        int32_t number = NextLiteralNumber();
        FIX_LongToDigits(&number, 3, data->acLiteralNumber);
    }
    data->cGenerate = 'Y';
    int32_t line = g.state && g.state->lLine > 0 ? g.state->lLine : 0;
    FIX_LongToDigits(&line, 7, data->acFirstLine);
    if (g.state)
        std::memcpy(data->acFirstCommand, g.state->acCommand, 10);
    int32_t uses = 1;
    FIX_LongToDigits(&uses, 7, data->acUseCount);
    const uint64_t before = WF_ulKindStamp(g.ctx, WR_USEFIELD);
    const bool kept = P3100_WriteRecord(r);
    UseRecorded(kept ? before : 0, numbered);
    // a literal or a system variable names no field to cross-reference
    if (!field.empty())
        RecordXref("FIELD", field, line);
}

// Pass 1 records many uses of few operands. The first use of an operand
// writes its "USEFIELD" record; the index knows the operands recorded since
// and counts their later uses in memory, until WriteLaterUses adds them to
// the records' use counts, so that a use reads and rewrites no record. It
// also knows the names of the field groups ("GROUPNAM" records), so that an
// operand that names none reads nothing. Each half holds while the records
// of its kind change only through it, as the work file's kind stamp tells.
/* Record names are short: hashed eight bytes at a time. */
struct NameHash {
    using is_transparent = void; /* names are looked up as they stand in a record, not copied */
    size_t operator()(std::string_view name) const
    {
        uint64_t h = name.size();
        size_t at = 0;
        for (; at + 8 <= name.size(); at += 8) {
            uint64_t word;
            std::memcpy(&word, name.data() + at, 8);
            h = (h ^ word) * 0x9E3779B97F4A7C15ULL;
        }
        uint64_t rest = 0;
        std::memcpy(&rest, name.data() + at, name.size() - at);
        h = (h ^ rest) * 0x9E3779B97F4A7C15ULL;
        return static_cast<size_t>(h ^ h >> 29);
    }
};

struct UseIndex {
    uint64_t fieldStamp = 0;
    std::unordered_map<std::string, int32_t, NameHash, std::equal_to<>> laterUses; /* by record name */
    uint64_t writtenFile = 0;                           /* the work file whose pass 1 uses were written */
    uint64_t groupStamp = 0;
    std::unordered_set<std::string, NameHash, std::equal_to<>> groups;
    size_t staleAsks = 0; /* asks answered by a group's record since the groups changed */
    /* While the uses of one command's keywords are recorded, the records of
     * both kinds change only through the index, which takes the new stamp
     * with each change: a stamp asked once there holds to the end. */
    bool recording = false;
    bool fieldStampKnown = false;
    bool groupStampKnown = false;
};

/* At namespace scope, so that the many asks for it test no guard. */
UseIndex g_useIndex;

inline UseIndex& Index()
{
    return g_useIndex;
}

// An operand's name as the key of its record holds it, without the blanks
// that pad it there.
std::string_view RecordName(std::string_view written)
{
    std::string_view name = written.substr(0, FFC_WORK_NAME_LEN);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return name;
}

// The stamps of one work file share its number (the upper half).
bool SameWorkFile(uint64_t a, uint64_t b)
{
    return a >> 32 == b >> 32 && a >> 32 != 0;
}

// Adds the uses counted in memory to the records' use counts and forgets
// the operands known (a record may have changed meanwhile).
void WriteLaterUses(UseIndex& index)
{
    Globals& g = G();
    if (const uint64_t before = WF_ulKindStamp(g.ctx, WR_USEFIELD); SameWorkFile(index.fieldStamp, before)) {
        FFC_WORK_RECORD& r = g.record2;
        auto* data = reinterpret_cast<WR_USEFIELD_DATA*>(r.acData);
        for (const auto& [name, uses] : index.laterUses) {
            if (uses == 0)
                continue;
            BlankRecordKey(r, WR_USEFIELD, name);
            if (WF_cReadFirst(g.ctx, 4, &r, 2) != '0')
                continue;
            int32_t total = FIX_lDigitsToLong(data->acUseCount, 7, nullptr) + uses;
            FIX_LongToDigits(&total, 7, data->acUseCount);
            WF_cUpdate(g.ctx, 4, &r);
        }
        CountsRewritten(before);
    }
    index.laterUses.clear();
    index.fieldStamp = 0;
}

// One use of an operand through the index: a later use of an operand it
// knows is only counted in pass 1 until its uses were written, else the
// record is read and rewritten with its count.
void RecordIndexedUse(const std::string& operand, const std::string& field, const char* kind)
{
    /* a literal longer than the record's name is kept by the name its whole
       text makes, so that two that share their first characters stay apart */
    const bool literal = kind[1] == 'L' && (kind[0] == 'A' || kind[0] == 'H');
    std::string key;
    if (literal)
        key = dqov::literal::RecordKey(operand);
    const std::string& written = literal ? key : operand;
    UseIndex& index = Index();
    const uint64_t stamp = index.fieldStampKnown ? index.fieldStamp : WF_ulKindStamp(G().ctx, WR_USEFIELD);
    if (stamp != index.fieldStamp)
        WriteLaterUses(index);
    else
        index.fieldStampKnown = index.recording;
    const bool later = Pass() == 1 && stamp >> 32 != index.writtenFile;
    const std::string_view name = RecordName(written);
    auto known = index.laterUses.find(name);
    if (later && known != index.laterUses.end()) {
        ++known->second;
        return;
    }
    RecordUseOnce(written, field, kind);
    if (known == index.laterUses.end())
        index.laterUses.emplace(std::string(name), 0);
    index.fieldStamp = WF_ulKindStamp(G().ctx, WR_USEFIELD);
    index.fieldStampKnown = index.recording;
}

// The field groups of the work file, read again when their records changed.
const std::unordered_set<std::string, NameHash, std::equal_to<>>& GroupNames()
{
    UseIndex& index = Index();
    if (index.groupStampKnown)
        return index.groups;
    Globals& g = G();
    const uint64_t stamp = WF_ulKindStamp(g.ctx, WR_GROUPNAM);
    index.groupStampKnown = index.recording;
    if (stamp == index.groupStamp)
        return index.groups;
    index.groups.clear();
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_GROUPNAM);
    for (char rc = WF_cReadFirst(g.ctx, 5, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 5, &r, 1))
        index.groups.emplace(RecordName(std::string_view(r.acName, FFC_WORK_NAME_LEN)));
    index.groupStamp = stamp;
    index.staleAsks = 0;
    return index.groups;
}

// Whether a field group of the name may be recorded: the caller reads the
// group's record to know. The names answer while they are those of the
// records; a check adds groups as it goes (its screens' and reports'), and
// after such a change, as many asks as there were groups are left to the
// reading of the one record each, before every group is read again.
bool MayBeGroup(std::string_view name)
{
    UseIndex& index = Index();
    if (!index.groupStampKnown && index.staleAsks < index.groups.size() &&
        WF_ulKindStamp(G().ctx, WR_GROUPNAM) != index.groupStamp) {
        ++index.staleAsks;
        return true;
    }
    const std::unordered_set<std::string, NameHash, std::equal_to<>>& groups = GroupNames();
    return !groups.empty() && groups.find(RecordName(name)) != groups.end();
}

// A field group named in a field list: its use count rises.
bool CountGroupUse(const std::string& name)
{
    if (!MayBeGroup(name))
        return false;
    Globals& g = G();
    FFC_WORK_RECORD& r = g.record2;
    BlankRecordKey(r, WR_GROUPNAM, name);
    if (WF_cReadFirst(g.ctx, 5, &r, 2) != '0')
        return false;
    auto* data = reinterpret_cast<WR_GROUPNAM_DATA*>(r.acData);
    WR_SetGroupUseCount(data, WR_GroupUseCount(data) + 1);
    UseIndex& index = Index();
    /* the names known still hold after the count (not when they were stale before) */
    const bool namesHeld = WF_ulKindStamp(g.ctx, WR_GROUPNAM) == index.groupStamp;
    WF_cUpdate(g.ctx, 5, &r);
    if (namesHeld)
        index.groupStamp = WF_ulKindStamp(g.ctx, WR_GROUPNAM);
    return true;
}

}  // namespace

namespace checker {

void RecordFieldUse(const std::string& written, const std::string& field, const char* kind)
{
    RecordIndexedUse(written, field, kind);
}

std::string FieldNamedWithPrefix(const std::string& operand)
{
    char nat = G().ctx ? G().ctx->cNatChar1 : '#';
    if (operand.size() < 2 || operand.size() > 11 || nat == ' ' || operand[0] != nat)
        return {};
    std::string field(operand, 1);
    for (char& c : field) {
        c = dqov::text::UpperChar(c);
        if (!dqov::text::IsAlnum(c) && c != '_' && c != '$' && c != '@' && c != '#')
            return {};
    }
    return field;
}

std::string FieldOf(const std::string& operand)
{
    std::string field = FieldNamedWithPrefix(operand);
    if (!field.empty() || operand.empty() || operand.size() > 10 ||
        !std::isalpha(static_cast<unsigned char>(operand[0])))
        return field;
    // a name may be written without its national name character: it names
    // the field of that name, when the function knows one
    for (char c : operand)
        if (!dqov::text::IsAlnum(c) && c != '_' && c != '$' && c != '@')
            return {};
    FFC_FIELD_DEFINITION def;
    return LookUpFieldDefinition(operand, def) ? Upper(operand) : std::string();
}

std::string NameLiteral(const std::string& name)
{
    return "'" + name + "'";
}

std::string NameOf(const std::string& written)
{
    std::string field = FieldOf(written);
    return field.empty() ? Upper(written) : field;
}

bool MayNameFieldGroup(std::string_view name)
{
    return MayBeGroup(name);
}

bool NamesFieldGroup(const std::string& entry)
{
    std::string name = NameOf(entry);
    if (!MayNameFieldGroup(name))
        return false;
    FFC_WORK_RECORD& r = G().record2;
    BlankRecordKey(r, WR_GROUPNAM, name);
    return RecordExists(r, 2);
}

void RecordOperand(const std::string& operand)
{
    if (Pass() != 1 || operand.empty())
        return;
    std::string upper = Upper(operand);
    if (CountGroupUse(upper))
        return;
    std::string field = FieldOf(operand);
    if (!field.empty()) {
        RecordIndexedUse(upper, field, "FL");
        return;
    }
    if (const char* literal = LiteralClass(operand))
        RecordIndexedUse(operand, "", literal);
}

namespace {

// A field ("#CUSTNO") or a field group named where a field is expected; a
// special value or a plain name names neither.
void RecordFieldOrGroup(const std::string& value)
{
    if (value.empty() || value[0] == '*')
        return;
    std::string upper = Upper(value);
    if (CountGroupUse(upper))
        return;
    std::string field = FieldOf(value);
    if (!field.empty())
        RecordIndexedUse(upper, field, "FL");
}

// A system variable given as an operand ("*DATE"): the program sets it
// before its use; a multilingual variable ("*MTXTTITLE") is kept the same
// way, set once. Special values without a length (*BLANK, *ZERO) are
// written in place and named by no record.
void RecordSystemVariable(const std::string& value)
{
    dqov::operand::ResolveOptions options;
    options.lookUp = false;
    const dqov::operand::Resolution r = dqov::operand::Resolve(G().ctx, value, options);
    if (r.ok && ((r.code == "SV" && r.length > 0) || r.code == "ML"))
        RecordFieldUse(Upper(value), "", "SV");
}

}  // namespace

bool NamesNoVectorEntry(const std::string& operand)
{
    if (operand.empty() || operand[0] != '*')
        return false;
    dqov::operand::ResolveOptions options;
    options.lookUp = false;
    const dqov::operand::Resolution r = dqov::operand::Resolve(G().ctx, operand, options);
    return r.ok && r.code == "SV" && r.length == 0;
}

namespace {

void RecordRoleValue(char role, const std::string& value)
{
    using namespace dqov::cmdparm;
    switch (role) {
    case kRoleField: RecordFieldOrGroup(value); break;
    case kRoleOperand:
        if (!value.empty() && value[0] == '*')
            RecordSystemVariable(value);
        else
            RecordOperand(value);
        break;
    case kRoleCondition: RecordExpressionFields(value); break;
    case kRoleName:
        if (value.empty() || value[0] == '*')
            break;
        // a plain name here is the name of an object, not a field
        if (!FieldNamedWithPrefix(value).empty() || LiteralClass(value))
            RecordOperand(value);
        else
            RecordOperand(NameLiteral(value));
        break;
    case kRoleStatus:
        if (Upper(value) == "*STATUS")
            P3100_RecordFieldUsage(1, G().ioStatusField, "FL");
        else
            RecordFieldOrGroup(value);
        break;
    default: break;
    }
}

}  // namespace

namespace {

/* The values of a value list (RANGE of RANGECHECK, WITH_LIST of
** VALUECHECK): a name written without its name character is the dictionary
** field of that name, or else an alphanumeric literal ("A" is 'A'). */
bool ValueListKeyword(const char* keyword)
{
    /* the first letter tells most keywords apart without comparing them */
    return (keyword[0] == 'R' && std::strcmp(keyword, "RANGE") == 0) ||
           (keyword[0] == 'W' && std::strcmp(keyword, "WITH_LIST") == 0);
}

void RecordValueOperand(const std::string& operand)
{
    if (Pass() != 1 || operand.empty())
        return;
    const char first = operand[0];
    if (first == '*' || first == '\'' || !FieldOf(operand).empty() || LiteralClass(operand) ||
        CountGroupUse(Upper(operand))) {
        RecordRoleValue(dqov::cmdparm::kRoleOperand, operand);
        return;
    }
    FFC_FIELD_DEFINITION def;
    if (LookUpFieldDefinition(operand, def))
        RecordIndexedUse(Upper(operand), Upper(operand), "FL");
    else if (operand.find('\'') == std::string::npos)
        RecordIndexedUse(operand, "", "AL");
}

/* USE names a working list where the built-in function takes a list
** (type 'L') as the argument or return value at that position. */
bool NamesList(const char* keyword, int32_t entry)
{
    if (keyword[0] != 'W' && keyword[0] != 'T')
        return false;
    const bool arguments = std::strcmp(keyword, "WITH_ARGS") == 0;
    if (!arguments && std::strcmp(keyword, "TO_GET") != 0)
        return false;
    if (dqov::cmdparm::CommandNameOf(G().parsed) != "USE")
        return false;
    const BuiltInFunction* f = FindBuiltIn(Upper(Parm("BUILTIN")));
    if (!f)
        return false;
    const std::vector<char>& types = arguments ? f->argumentTypes : f->returnTypes;
    return entry < static_cast<int32_t>(types.size()) && types[static_cast<size_t>(entry)] == 'L';
}

}  // namespace

namespace {

/* The parameters of each command whose values name something used (an
** element with a role other than SQL text), as bits by their place in the
** command: worked out with the command table, as it does not change. */
constexpr int kParamMaskWords = 4;
using ParamMask = std::array<uint64_t, kParamMaskWords>;
static_assert(kParamMaskWords * 64 > UINT8_MAX, "a command's parameters fit its mask");

constexpr bool RecordedParam(const dqov::cmdparm::ParamDef& p)
{
    for (int e = 0; e < p.elementCount; ++e)
        if (p.elements[e].role != ' ' && p.elements[e].role != dqov::cmdparm::kRoleSqlText)
            return true;
    return false;
}

constexpr auto kRecordedParams = [] {
    using dqov::cmdparm::kCommands;
    std::array<ParamMask, kCommands.size()> masks{};
    for (size_t c = 0; c < kCommands.size(); ++c)
        for (int pi = 0; pi < kCommands[c].count; ++pi)
            if (RecordedParam(kCommands[c].params[pi]))
                masks[c][static_cast<size_t>(pi / 64)] |= uint64_t{1} << (pi % 64);
    return masks;
}();

}  // namespace

void RecordKeywordUses()
{
    using namespace dqov::cmdparm;
    if (Pass() != 1)
        return;
    const int ci = CurrentCommandIndex();
    if (ci < 0)
        return;
    const CommandDef& command = kCommands[static_cast<size_t>(ci)];
    /* the stamps are asked at the first use of each kind, not at every one */
    struct Recording {
        UseIndex& index = Index();
        Recording() { index.recording = true; }
        ~Recording() { index.recording = index.fieldStampKnown = index.groupStampKnown = false; }
    } recording;
    /* one value at a time, in the room of the one before; a blank value
    ** names nothing */
    std::string value;
    const ParamMask& recorded = kRecordedParams[static_cast<size_t>(ci)];
    for (size_t word = 0; word < recorded.size(); ++word) {
        for (uint64_t bits = recorded[word]; bits != 0; bits &= bits - 1) {
            const int pi = static_cast<int>(word * 64) + std::countr_zero(bits);
            const ParamDef& p = command.params[pi];
            /* the parameter the keyword finds (the first of that keyword) */
            const int found = FirstParamOfKeyword(ci, pi);
            const int32_t entries = p.layout == 'S'   ? 1
                                    : p.layout == 'C' ? p.entries
                                                      : std::clamp<int32_t>(ParmCountAt(ci, found), 0, p.entries);
            for (int e = 0; e < p.elementCount; ++e) {
                const char role = p.elements[e].role;
                if (role == ' ' || role == kRoleSqlText)
                    continue;
                for (int32_t i = 0; i < entries; ++i) {
                    if (NamesList(p.keyword, i))
                        continue;
                    ReadParmEntryAt(ci, found, i, e, value);
                    if (value.empty())
                        continue;
                    if (role == kRoleOperand && ValueListKeyword(p.keyword))
                        RecordValueOperand(value);
                    else
                        RecordRoleValue(role, value);
                }
            }
        }
    }
}

void WriteFieldUses()
{
    UseIndex& index = Index();
    WriteLaterUses(index);
    index.writtenFile = WF_ulKindStamp(G().ctx, WR_USEFIELD) >> 32;
}

const char* LiteralClass(const std::string& operand)
{
    if (operand.size() >= 2 && operand.front() == '\'' && operand.back() == '\'')
        return operand.size() - 2 <= 256 ? "AL" : nullptr;
    size_t i = operand.size() > 1 && (operand[0] == '-' || operand[0] == '+') ? 1 : 0;
    const char point =
        G().ctx && G().ctx->cDecimalPoint != ' ' && G().ctx->cDecimalPoint != '\0' ? G().ctx->cDecimalPoint : '.';
    bool digit = false, decimals = false;
    for (; i < operand.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(operand[i])))
            digit = true;
        else if (operand[i] == point && !decimals)
            decimals = true;
        else
            return nullptr;
    }
    return digit && operand.size() <= 31 ? "NL" : nullptr;
}

std::vector<std::string> FieldEntries(const char* keyword)
{
    std::vector<std::string> entries;
    int32_t n = ParmCount(keyword);
    for (int32_t i = 0; i < n; ++i) {
        std::string v = ParmEntry(keyword, i);
        if (!FieldOf(v).empty())
            entries.push_back(std::move(v));
    }
    return entries;
}

void RecordFieldEntries(const char* keyword)
{
    for (const std::string& v : FieldEntries(keyword))
        RecordOperand(v);
}

namespace {

constexpr int32_t kListCapacity = 100, kListWidth = 10;

// Expands the first `count` entries of a field list parameter, given in
// `names` (kListWidth characters each, room for kListCapacity).
bool ExpandNames(const char* keyword, const std::string& file, std::vector<char>& names, int32_t count,
                 std::vector<std::string>& entries)
{
    Globals& g = G();
    char fileName[10], listName[10], msgId[7], msgData[FFC_MESSAGE_TEXT_LEN];
    Pad(fileName, 10, file);
    Pad(listName, 10, keyword);
    int32_t msgLength = 0;
    if (!P3136_sExpandFileFieldList(g.ctx, 'X', fileName, listName, kListCapacity, kListWidth, &count, names.data(), 0,
                                    nullptr, msgId, msgData, &msgLength, g.parsed.acName)) {
        Issue('F', std::string(msgId, 7).c_str(), std::string_view(msgData, static_cast<size_t>(msgLength)));
        return false;
    }
    entries.clear();
    for (int32_t i = 0; i < count; ++i)
        entries.push_back(Upper(Trim(names.data() + i * kListWidth, kListWidth)));
    return true;
}

}  // namespace

bool ExpandFieldList(const char* keyword, const std::string& file, std::vector<std::string>& entries)
{
    const int32_t count = std::max<int32_t>(0, std::min<int32_t>(ParmCount(keyword), kListCapacity));
    std::vector<char> names(static_cast<size_t>(kListCapacity * kListWidth), ' ');
    for (int32_t i = 0; i < count; ++i)
        Pad(names.data() + i * kListWidth, kListWidth, ParmEntry(keyword, i));  // cut to the width
    return ExpandNames(keyword, file, names, count, entries);
}

void RecordExpandedFieldList(const char* keyword, const std::string& file)
{
    if (Pass() != 1)
        return;
    // Each entry is read once: a group named by GROUP_BY counts as used
    // where it is named, and the entries are expanded as ExpandFieldList
    // does.
    const int32_t count = std::max<int32_t>(0, std::min<int32_t>(ParmCount(keyword), kListCapacity));
    std::vector<char> names(static_cast<size_t>(kListCapacity * kListWidth), ' ');
    for (int32_t i = 0; i < count; ++i) {
        const std::string written = ParmEntry(keyword, i);
        CountGroupUse(Upper(written));
        Pad(names.data() + i * kListWidth, kListWidth, written);  // cut to the width
    }
    std::vector<std::string> entries;
    if (!ExpandNames(keyword, file, names, count, entries))
        return;
    for (const std::string& entry : entries) {
        std::string field = FieldOf(entry);
        if (!field.empty())
            RecordIndexedUse(entry, field, "FL");
    }
}

namespace {

bool NameCharacter(char c)
{
    return dqov::text::IsAlnum(c) || c == '_' || c == '$' || c == '@';
}

// Whether the word, in upper case, is the upper-case text.
bool SameUpper(std::string_view word, std::string_view upper)
{
    if (word.size() != upper.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (dqov::text::UpperChar(word[i]) != upper[i])
            return false;
    return true;
}

// An operator written as a word ("AND", "eq"), in any case.
bool OperatorWord(std::string_view word)
{
    if (word.size() != 2 && word.size() != 3)
        return false;
    for (std::string_view op : {"AND", "OR", "EQ", "NE", "LT", "LE", "GT", "GE"})
        if (SameUpper(word, op))
            return true;
    return false;
}

// Whether the sign at `at` belongs to the number after it: it stands where
// an operand is expected (at the start, after a bracket or an operator),
// not after an operand, where it is an operator itself.
bool SignedNumber(std::string_view text, size_t at)
{
    size_t k = at;
    while (k > 0 && text[k - 1] == ' ')
        --k;
    if (k == 0 || std::strchr("(=<>+-*/^", text[k - 1]))
        return true;
    if (!NameCharacter(text[k - 1]))
        return false;
    size_t w = k;
    while (w > 0 && NameCharacter(text[w - 1]))
        --w;
    const std::string_view word = text.substr(w, k - w);
    return OperatorWord(word) &&
           (SameUpper(word, "AND") || SameUpper(word, "OR") || (w > 0 && text[w - 1] == '*'));
}

// The fields named in an expression (ExpressionFields); `looked`, when
// given, marks the names found as fields by their lookup (a name written
// without the national name character: the name is the field's).
std::vector<std::string> ScanExpressionFields(std::string_view text, std::vector<bool>* looked)
{
    std::vector<std::string> names;
    char nat = G().ctx ? G().ctx->cNatChar1 : '#';
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\'' || c == '"') {
            // to the closing quote: a quote written twice stands for one within the literal
            size_t j = i + 1;
            for (; j < text.size(); ++j) {
                if (text[j] != c)
                    continue;
                if (j + 1 < text.size() && text[j + 1] == c) {
                    ++j;
                    continue;
                }
                break;
            }
            if (c == '\'' && j < text.size())
                RecordOperand(std::string(text.substr(i, j + 1 - i)));
            i = j + 1;
            continue;
        }
        const bool startsNumber = std::isdigit(static_cast<unsigned char>(c)) &&
                                  (i == 0 || !(dqov::text::IsAlnum(text[i - 1]) ||
                                               text[i - 1] == '_' || text[i - 1] == nat));
        if (startsNumber) {
            size_t j = i;
            while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '.'))
                ++j;
            // a sign directly before it where an operand stands is the number's ("-115", "*GT -3")
            const size_t from = i > 0 && (text[i - 1] == '-' || text[i - 1] == '+') && SignedNumber(text, i - 1) ? i - 1 : i;
            RecordOperand(std::string(text.substr(from, j - from)));
            i = j;
            continue;
        }
        if (c == nat) {
            auto nameEnd = [&](size_t from) {
                while (from < text.size() && (dqov::text::IsAlnum(text[from]) || text[from] == '_' ||
                                              text[from] == '$' || text[from] == '@' || text[from] == nat))
                    ++from;
                return from;
            };
            size_t j = nameEnd(i + 1);
            if (j + 1 < text.size() && text[j] == '.' && dqov::text::IsAlnum(text[j + 1])) {
                // A qualified name ("#OrderData.PQORDAMT"): a field of a
                // record or document of the component, whatever the
                // length of the record's name; the field is the part after
                // the point.
                const size_t end = nameEnd(j + 1);
                names.push_back(std::string(1, nat) + std::string(text.substr(j + 1, end - j - 1)));
                if (looked)
                    looked->push_back(false);
                i = end;
                continue;
            }
            names.emplace_back(text.substr(i, j - i));
            if (looked)
                looked->push_back(false);
            i = j;
            continue;
        }
        // a field named without the national name character (not an
        // operator word, a system variable or a component's property)
        const bool startsName = std::isalpha(static_cast<unsigned char>(c)) &&
                                (i == 0 || !(dqov::text::IsAlnum(text[i - 1]) || text[i - 1] == '_' ||
                                             text[i - 1] == '*' || text[i - 1] == nat));
        if (startsName) {
            size_t j = i;
            while (j < text.size() && (dqov::text::IsAlnum(text[j]) || text[j] == '_' || text[j] == '$' ||
                                       text[j] == '@'))
                ++j;
            if ((j >= text.size() || text[j] != '.') && !OperatorWord(text.substr(i, j - i))) {
                std::string word = Upper(std::string(text.substr(i, j - i)));
                if (!FieldOf(word).empty()) {
                    names.push_back(std::move(word));
                    if (looked)
                        looked->push_back(true);
                }
            }
            i = j;
            continue;
        }
        ++i;
    }
    return names;
}

}  // namespace

std::vector<std::string> ExpressionFields(std::string_view text)
{
    return ScanExpressionFields(text, nullptr);
}

void RecordExpressionFields(std::string_view text)
{
    std::vector<bool> looked;
    const std::vector<std::string> names = ScanExpressionFields(text, &looked);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        // a name the scan found as a field (in upper case, as FieldOf gives
        // it) is the field: recorded as RecordOperand would, without a
        // second lookup
        if (!looked[i]) {
            RecordOperand(name);
        } else if (Pass() == 1 && !CountGroupUse(name)) {
            RecordIndexedUse(name, name, "FL");
        }
    }
}

namespace {

// The dictionary row of a field (QV_F03) as far as the check asks it: there
// or not, and its default. The dictionary does not change under a check, so
// each field is read once per check (ForgetDictionaryFields at its start).
struct DictionaryField {
    bool known = false;
    std::string defaultValue;
};

std::unordered_map<std::string, DictionaryField>& DictionaryFields()
{
    static std::unordered_map<std::string, DictionaryField> fields;
    return fields;
}

const DictionaryField& LookUpDictionaryField(const std::string& field, const char* tag)
{
    auto& fields = DictionaryFields();
    if (auto known = fields.find(field); known != fields.end())
        return known->second;
    SSQL_AREA area;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    SSQL_SetLocation(tag);
    const std::string partition = Trim(G().partition, 3);
    SSQL_DeclareExt(&area, "SELECT X03DFT FROM QV_DTA.QV_F03 WHERE X03P_I = '%s' AND X03FLD = '%s'",
                    partition.c_str(), field.c_str());
    struct {
        uint16_t length;
        char text[50];
    } value{};
    const unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_VARYING(&value, 50));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, tag);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    DictionaryField row;
    row.known = rc == SSQL_RC_OK;
    if (row.known)
        row.defaultValue = Trim(value.text, std::min<size_t>(value.length, 50));
    return fields.emplace(field, std::move(row)).first->second;
}

}  // namespace

void ForgetDictionaryFields()
{
    DictionaryFields().clear();
    dqov::operand::ForgetDefinitions();
}

std::string FieldDefault(const std::string& field)
{
    FFC_WORK_RECORD& r = G().record2;
    BlankRecordKey(r, WR_FLDDEFLT, field);
    if (WF_cReadFirst(G().ctx, 6, &r, 2) == '0')
        return Trim(reinterpret_cast<const WR_FLDDEFLT_DATA*>(r.acData)->acDefault, sizeof WR_FLDDEFLT_DATA::acDefault);
    char text[50];
    uint16_t length = 0;
    if (const int16_t holds = P310C_sDictionaryField(G().ctx, field.c_str(), text, &length); holds >= 0)
        return holds == 1 ? Trim(text, length) : std::string();
    return LookUpDictionaryField(field, "DC_P3100/SQL034").defaultValue;
}

int32_t FieldDefaultLine(const std::string& field)
{
    FFC_WORK_RECORD& r = G().record2;
    BlankRecordKey(r, WR_FLDDEFLT, field);
    if (WF_cReadFirst(G().ctx, 6, &r, 2) != '0')
        return 0;
    return FIX_lDigitsToLong(reinterpret_cast<const WR_FLDDEFLT_DATA*>(r.acData)->acLine, 7, nullptr);
}

void RecordFieldDefault(const std::string& field, const std::string& reference)
{
    Globals& g = G();
    std::string value = Parm("DEFAULT");
    if (!Given(value) || Upper(value) == "*SAME") {
        if (!Given(reference) || Upper(reference) == "*SAME" || Upper(reference) == "*NONE")
            return;
        value = FieldDefault(NameOf(reference));
        if (value.empty())
            return;
    }
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_FLDDEFLT, field);
    const bool known = WF_cFindFirst(g.ctx, 6, &r, 2) == '0';
    if (!known)
        BlankRecord(r, WR_FLDDEFLT, field);
    auto* data = reinterpret_cast<WR_FLDDEFLT_DATA*>(r.acData);
    Pad(data->acDefault, sizeof data->acDefault, value);
    int32_t line = g.state && g.state->lLine > 0 ? g.state->lLine : 0;
    FIX_LongToDigits(&line, 7, data->acLine);
    if (known)
        WF_cUpdate(g.ctx, 6, &r);
    else
        P3100_WriteRecord(r);
}

bool FieldInDictionary(const std::string& field)
{
    // the field cache reads a dictionary field once for the job; where the
    // function defines the name itself, the dictionary is asked
    if (const int16_t holds = P310C_sDictionaryField(G().ctx, field.c_str(), nullptr, nullptr); holds >= 0)
        return holds == 1;
    return LookUpDictionaryField(field, "DC_P3100/SQL033").known;
}

bool FieldKnown(const std::string& field)
{
    char type = ' ';
    int32_t length = 0, decimals = 0;
    if (LookUpField(field, type, length, decimals))
        return true;
    return 0 < CountRows("DC_P3100/SQL032F",
                         "SELECT COUNT(*) FROM QV_DTA.QV_F32 WHERE X32P_I = '%s' AND X32MOD = '%s' AND X32FLD = '%s' ",
                         G().processName, field);
}

void NoteFieldReported(const std::string& field)
{
    std::vector<std::string>& reported = G().undefinedFieldsReported;
    if (!FieldReported(field))
        reported.push_back(field);
}

bool FieldReported(const std::string& field)
{
    const std::vector<std::string>& reported = G().undefinedFieldsReported;
    return std::find(reported.begin(), reported.end(), field) != reported.end();
}

bool FieldDefined(const std::string& field)
{
    FFC_WORK_RECORD& r = G().record2;
    BlankRecord(r, WR_DEFINE, field);
    return WF_cFindFirst(G().ctx, 6, &r, 2) == '0';
}

bool FileKnown(const std::string& file, const std::string& library, char& kind)
{
    const char* physical = library.empty() || library == "*FIRST" || library == "*LIBL"
                               ? "SELECT COUNT(*) FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' "
                               : "SELECT COUNT(*) FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' "
                                 "AND X27PLB = '%s' ";
    const char* logical = library.empty() || library == "*FIRST" || library == "*LIBL"
                              ? "SELECT COUNT(*) FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s' "
                              : "SELECT COUNT(*) FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s' "
                                "AND X15PLB = '%s' ";
    bool any = library.empty() || library == "*FIRST" || library == "*LIBL";
    if (0 < CountRows("DC_P3100/SQL007", physical, file, any ? std::string() : library)) {
        kind = 'P';
        return true;
    }
    if (0 < CountRows("DC_P3100/SQL008", logical, file, any ? std::string() : library)) {
        kind = 'L';
        return true;
    }
    return false;
}

bool RecordFileUse(const std::string& file, const std::string& library)
{
    if (Pass() != 1 || file.empty() || file[0] == '*')
        return true;
    Globals& g = G();
    if (NameIs("OPEN"))
        g.filesOpened.emplace(Upper(file), g.state->lLine);
    else if (!NameIs("CLOSE"))
        g.filesUsed.insert(Upper(file));
    std::string lib = library.empty() || library == "*FIRST" ? "*LIBL" : library;
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_USEFILE, file, lib);
    if (WF_cFindFirst(g.ctx, 7, &r, 3) == '0')
        return true;
    char kind = 'P';
    if (!FileKnown(file, lib, kind))
        return false;
    BlankRecord(r, WR_USEFILE, file, lib);
    auto* data = reinterpret_cast<WR_USEFILE_DATA*>(r.acData);
    Pad(data->acType, 3, kind == 'L' ? "LGL" : "PHY");
    Pad(data->acModule, 10, file);
    data->cCommonOpen = 'N';
    int32_t line = g.state->lLine > 0 ? g.state->lLine : 0;
    FIX_LongToDigits(&line, 7, data->acFirstLine);
    P3100_WriteRecord(r);
    return true;
}

bool RecordNamedFile(const std::string& file, const std::string& library, Msg notFound)
{
    if (RecordFileUse(file, library))
        return true;
    Issue(notFound, Fixed(file, 10) + Fixed(library.empty() ? "*FIRST" : library, 10));
    return false;
}

void RecordDataStructureUse(const std::string& structure, const char* kind)
{
    if (structure.empty() || structure[0] == '*')
        return;
    for (const char* k : {"USE_DS    ", kind}) {
        if (!k)
            continue;
        FFC_WORK_RECORD& r = G().record2;
        BlankRecord(r, k, structure);
        if (RecordExists(r, 2))
            continue;
        BlankRecord(r, k, structure);
        P3100_WriteRecord(r);
    }
}

}  // namespace checker

extern "C" {

// Every field used must be defined: in the dictionary, by the function
// (DEFINE, RENAME, DEF_ARRAY), or as a parameter of the process. A field
// not yet reported at its line is reported at the line of its first use.
void P3100_CheckFinalFields(void)
{
    Globals& g = G();
    FFC_WORK_RECORD r;
    BlankRecord(r, WR_USEFIELD);
    /* of each record the data up to its first command, all that is looked at */
    constexpr uint32_t head = offsetof(WR_USEFIELD_DATA, acFirstCommand) + sizeof(WR_USEFIELD_DATA::acFirstCommand);
    for (char rc = WF_cReadFirstHead(g.ctx, 8, &r, 1, head); rc == '0'; rc = WF_cReadNextHead(g.ctx, 8, &r, 1, head)) {
        const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
        if (std::memcmp(data->acClass, "FL", 2) != 0)
            continue;
        std::string field = Trim(data->acFieldName, 10);
        if (field.empty() || field[0] == '*' || FieldReported(field) || FieldKnown(field))
            continue;
        IssueAt(FIX_lDigitsToLong(data->acFirstLine, 7, nullptr), std::string_view(data->acFirstCommand, 10),
                Msg::FieldNotInDictionary, field);
    }
}

// The files the function uses join its cross-reference. (A file that is
// not defined was reported at the line of the command that names it and
// has no "USEFILE" record.) A file that OPEN opens and no other command
// reads or writes (CLOSE closes it only) is reported at its OPEN.
void P3100_CheckFileUsage(void)
{
    Globals& g = G();
    FFC_WORK_RECORD r;
    BlankRecord(r, WR_USEFILE);
    for (char rc = WF_cReadFirst(g.ctx, 9, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 9, &r, 1)) {
        const auto* data = reinterpret_cast<const WR_USEFILE_DATA*>(r.acData);
        std::string file = Trim(r.acName, 10);
        if (g.xref)
            RecordXref("FILE", file, FIX_lDigitsToLong(data->acFirstLine, 7, nullptr));
    }
    for (const auto& [file, line] : g.filesOpened)
        if (g.filesUsed.count(file) == 0)
            IssueAt(line, "OPEN", Msg::FileOpenedNeverUsed, file);
}

void P3100_CheckFieldUsage(void)
{
    Globals& g = G();
    FFC_WORK_RECORD r;
    BlankRecord(r, WR_DEFINE);
    for (char rc = WF_cReadFirst(g.ctx, 10, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 10, &r, 1)) {
        std::string field = Trim(r.acName, 10);
        FFC_WORK_RECORD use;
        BlankRecord(use, WR_USEFIELD, std::string(1, g.ctx->cNatChar1) + field);
        if (WF_cFindFirst(g.ctx, 11, &use, 2) != '0')
            Issue(Msg::FieldNeverUsed, field);
    }
}

}  // extern "C"

// The checker's side of the automatic layouts: in pass 2 every screen
// command and every report line has its field list recorded as a field
// group ("GROUPNAM" and one "GROUPFLD" per field, with the field's keyword
// flags, identification, position and condition), a POP_UP command its
// "POP_UP" record, and the layout runs with the checker's run values and
// the function-wide format, field, item and saved-value counters.
#include "checker/checker.h"
#include "checker/field_lists.h"
#include "checker/usage.h"
#include "dqov/runcontrol/work_records.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/command_reader.h"
#include "layout/layout.h"

using namespace checker;

namespace {

constexpr uint16_t kSlot = 12;
constexpr int32_t kCapacity = 100, kValues = FFC_EXTENSION_VALUES, kValueWidth = FFC_EXTENSION_VALUE_WIDTH;

// Function-wide counters of the layouts: reset when a check starts and
// kept over its screens and reports.
struct LayoutCounters {
    int32_t formats = 0, fields = 0, items = 0, savedValues = 0;
};
LayoutCounters g_counters;

struct Keyword {
    const char* name;
    int position;
};
constexpr Keyword kFlags[] = {{"*OUTPUT", GF_OUTPUT},
                              {"*OUT", GF_OUTPUT},
                              {"*OUTONLY", GF_OUTPUT},
                              {"*LC", GF_LOWERCASE},
                              {"*LCASE", GF_LOWERCASE},
                              {"*LOWER", GF_LOWERCASE},
                              {"*LOWERCASE", GF_LOWERCASE},
                              {"*NEWPAGE", GF_NEWPAGE},
                              {"*NEWFORMAT", GF_NEWPAGE},
                              {"*ONCHANGE", GF_ONCHANGE},
                              {"*REPEAT", GF_REPEAT},
                              {"*HIDE", GF_HIDE},
                              {"*HIDDEN", GF_HIDE},
                              {"*SEL", GF_SELECT},
                              {"*SELECT", GF_SELECT},
                              {"*IN", GF_INPUT},
                              {"*INP", GF_INPUT},
                              {"*INPUT", GF_INPUT},
                              {"*RA", GF_RA},
                              {"*INOUTCOND", GF_INOUTCOND},
                              {"*IOCOND", GF_INOUTCOND}};
/* The 29 display attributes: the flags 97 to 118 ("*AB" to "*ND" in this
 * order) that each sets, the colours also by their long names; "*LC"
 * asks for lower case. */
constexpr Keyword kDisplayAttributes[29] = {
    {"*AB", GF_ATTRIBUTES + 0},     {"*ME", GF_ATTRIBUTES + 1},      {"*MF", GF_ATTRIBUTES + 2},
    {"*M10", GF_ATTRIBUTES + 3},    {"*M11", GF_ATTRIBUTES + 4},     {"*VN", GF_ATTRIBUTES + 5},
    {"*FE", GF_ATTRIBUTES + 6},     {"*LC", GF_LOWERCASE},           {"*RB", GF_ATTRIBUTES + 7},
    {"*RZ", GF_ATTRIBUTES + 8},     {"*RL", GF_ATTRIBUTES + 9},      {"*RLTB", GF_ATTRIBUTES + 10},
    {"*GRN", GF_ATTRIBUTES + 11},   {"*GREEN", GF_ATTRIBUTES + 11},  {"*WHT", GF_ATTRIBUTES + 12},
    {"*WHITE", GF_ATTRIBUTES + 12}, {"*RED", GF_ATTRIBUTES + 13},    {"*TRQ", GF_ATTRIBUTES + 14},
    {"*TURQ", GF_ATTRIBUTES + 14},  {"*YLW", GF_ATTRIBUTES + 15},    {"*YELLOW", GF_ATTRIBUTES + 15},
    {"*PNK", GF_ATTRIBUTES + 16},   {"*PINK", GF_ATTRIBUTES + 16},   {"*BLU", GF_ATTRIBUTES + 17},
    {"*BLUE", GF_ATTRIBUTES + 17},  {"*BL", GF_ATTRIBUTES + 18},     {"*CS", GF_ATTRIBUTES + 19},
    {"*HI", GF_ATTRIBUTES + 20},    {"*ND", GF_ATTRIBUTES + 21}};
/* The list and report field keywords that set no flag of the field group
 * (the report layout reads them from the command itself). */
constexpr const char* kOtherFieldKeywords[] = {
    "*NC",       "*NOCHG",     "*NOCHANGE",  "*TOTAL",     "*TOT",       "*TOTLVL1",   "*TOTLVL2",
    "*TOTLVL3",  "*TOTLVL4",   "*TOTLVL5",   "*TOTLVL6",   "*TOTLVL7",   "*TOTLVL8",   "*TOTLVL9",
    "*TOTLEVEL1", "*TOTLEVEL2", "*TOTLEVEL3", "*TOTLEVEL4", "*TOTLEVEL5", "*TOTLEVEL6", "*TOTLEVEL7",
    "*TOTLEVEL8", "*TOTLEVEL9", "*NOPRINT",   "*NOPRT"};
struct Identification {
    const char* name;
    char letter;
};
constexpr Identification kIdentifications[] = {{"*COLHDG", 'C'}, {"*COLHEAD", 'C'}, {"*COLUMN", 'C'}, {"*COL", 'C'},
                                               {"*LABEL", 'L'},  {"*LAB", 'L'},     {"*DESC", 'D'},   {"*DES", 'D'},
                                               {"*NOID", 'N'},   {"*NOIDENT", 'N'}};

// "*L5", "*R5" (line) or "*P12", "*C12" (column): the letter and number.
bool PositionValue(const std::string& value, char& letter, int32_t& number)
{
    if (value.size() < 3 || value[0] != '*')
        return false;
    letter = value[1];
    if (letter != 'L' && letter != 'R' && letter != 'P' && letter != 'C')
        return false;
    for (size_t i = 2; i < value.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(value[i])))
            return false;
    number = std::atoi(value.c_str() + 2);
    return true;
}

// The value that DEF_COND holds with a condition name, or false when the
// name is no condition of the function.
bool ConditionValue(const std::string& name, std::string& value)
{
    FFC_WORK_RECORD r;
    if (!FindConditionRecord(name, r))
        return false;
    const auto* data = reinterpret_cast<const WR_DEF_COND_DATA*>(r.acData);
    value = std::memcmp(data->acSwitch, "*NO", 3) == 0 ? "*NO " : "*YES";
    return true;
}

void SetDigits(char* target, int32_t value)
{
    value = std::clamp<int32_t>(value, 0, 999);
    FIX_LongToDigits(&value, 3, target);
}

// One GROUPFLD data area from a field name and its attribute values.
void FillFieldData(char* data, const std::string& field, const char* values, bool reportUnknown)
{
    GROUPFLD_DATA& f = *reinterpret_cast<GROUPFLD_DATA*>(data);
    Pad(f.acField, 10, Upper(field));
    std::memset(f.acFlags, '0', sizeof f.acFlags);
    std::memset(f.acFlags2, '0', sizeof f.acFlags2);
    std::memcpy(data + GF_LINE, "000000", 6);
    std::memset(f.acListName, ' ', sizeof f.acListName);
    std::memset(f.acCondition, ' ', sizeof f.acCondition);
    std::memset(f.acConditionValue, ' ', sizeof f.acConditionValue);
    for (int32_t v = 0; values && v < kValues; ++v) {
        const std::string value = Upper(Trim(values + v * kValueWidth, kValueWidth));
        if (value.empty())
            continue;
        char letter = 0;
        int32_t number = 0;
        if (PositionValue(value, letter, number)) {
            SetDigits(data + (letter == 'L' || letter == 'R' ? GF_LINE : GF_COLUMN), number);
            continue;
        }
        bool known = false;
        for (const Keyword& k : kFlags)
            if (value == k.name)
                data[k.position] = '1', known = true;
        for (const Keyword& k : kDisplayAttributes)
            if (value == k.name)
                data[k.position] = '1', known = true;
        for (const Identification& id : kIdentifications)
            if (value == id.name)
                data[GF_IDENT] = id.letter, known = true;
        for (const char* keyword : kOtherFieldKeywords)
            known = known || value == keyword;
        std::string conditionValue;
        if (!known && ConditionValue(value, conditionValue)) {
            Pad(f.acCondition, 10, value);
            std::memcpy(f.acConditionValue, conditionValue.data(), 4);
            known = true;
        }
        // A value of no kind is refused where it is written, rather than
        // dropped from the layout.
        if (!known && reportUnknown)
            Issue(Msg::FieldKeywordUnknown, dqov::text::Fixed(field, 10) + dqov::text::Fixed(value, 10));
    }
}

// Replaces the group's GROUPFLD records by the given fields.
void WriteGroup(const std::string& group, const std::vector<std::string>& names, const std::vector<std::string>& data)
{
    Globals& g = G();
    FFC_WORK_RECORD r;
    BlankRecord(r, LAYOUT_KIND_GROUPFLD, group);
    for (char rc = WF_cReadFirst(g.ctx, kSlot, &r, 2); rc == '0'; rc = WF_cReadNext(g.ctx, kSlot, &r, 2))
        WF_cDelete(g.ctx, kSlot, &r);
    for (size_t i = 0; i < names.size(); ++i) {
        char number[10];
        int32_t n = static_cast<int32_t>(i + 1);
        FIX_LongToDigits(&n, 10, number);
        BlankRecord(r, LAYOUT_KIND_GROUPFLD, group, std::string_view(number, 10));
        FillFieldData(r.acData, names[i], data[i].empty() ? nullptr : data[i].data(), false);
        P3100_WriteRecord(r);
    }
    BlankRecord(r, LAYOUT_KIND_GROUPNAM, group);
    if (!FindRecord(r, 2)) {
        BlankRecord(r, LAYOUT_KIND_GROUPNAM, group);
        std::memcpy(r.acData, "SCR", 3);
        P3100_WriteRecord(r);
    }
}

// The command's field list, expanded (*ALL, field groups ...) with each
// entry's attribute values.
void RecordFieldListGroup(const std::string& group)
{
    Globals& g = G();
    int32_t count = std::clamp<int32_t>(ParmCount("FIELDS"), 0, kCapacity);
    std::vector<char> names(static_cast<size_t>(kCapacity * 10), ' ');
    std::vector<char> data(static_cast<size_t>(kCapacity * kValues * kValueWidth), ' ');
    for (int32_t i = 0; i < count; ++i) {
        Pad(names.data() + i * 10, 10, ParmEntry("FIELDS", i).substr(0, 10));
        if (i < g.extension.lEntries)
            std::memcpy(data.data() + i * kValues * kValueWidth, g.extension.acAttributes + i * kValues * kValueWidth,
                        kValues * kValueWidth);
    }
    char file[10], list[10], msgId[7], msgData[FFC_MESSAGE_TEXT_LEN];
    Pad(file, 10, "");
    Pad(list, 10, "FIELDS");
    int32_t msgLength = 0;
    if (!P3136_sExpandFileFieldList(g.ctx, 'X', file, list, kCapacity, 10, &count, names.data(), kValues * kValueWidth,
                                    data.data(), msgId, msgData, &msgLength, g.parsed.acName))
        count = 0;
    std::vector<std::string> fields, attributes;
    for (int32_t i = 0; i < count; ++i) {
        std::string name = Trim(names.data() + i * 10, 10);
        if (name.empty())
            continue;
        fields.push_back(name);
        attributes.emplace_back(data.data() + i * kValues * kValueWidth, kValues * kValueWidth);
    }
    WriteGroup(group, fields, attributes);
}

// The keyword values of the field list of the DEF_LIST stored at a line
// (entry i at i * kValues * kValueWidth); empty when it has none.
std::vector<char> DefinitionValues(int32_t line, int32_t subLine)
{
    Globals& g = G();
    auto definition = std::make_unique<FFC_PARSED_COMMAND>();
    definition->sLine = static_cast<int16_t>(line);
    definition->sSubLine = static_cast<int16_t>(subLine);
    if (RS_fFindCommandRecord(g.ctx, definition.get(), sizeof *definition) != 0 ||
        FFC_ExtensionSwitch(*definition) != 'Y')
        return {};
    auto extension = std::make_unique<FFC_COMMAND_EXTENSION>();
    extension->sLine = definition->sLine;
    extension->sSubLine = definition->sSubLine;
    if (RS_fFindCommandExtension(g.ctx, extension.get(), sizeof *extension) != 0)
        return {};
    const int32_t entries = std::clamp<int32_t>(extension->lEntries, 0, kCapacity);
    return std::vector<char>(extension->acAttributes, extension->acAttributes + entries * kValues * kValueWidth);
}

// A browse list: its fields from the list's definition, with the keyword
// values its DEF_LIST gives them (a column, *HIDE, a condition ...), once.
void RecordBrowseListGroup(const std::string& list)
{
    Globals& g = G();
    FFC_WORK_RECORD r;
    BlankRecord(r, LAYOUT_KIND_GROUPFLD, list);
    if (WF_cReadFirst(g.ctx, kSlot, &r, 2) == '0')
        return;
    BlankRecord(r, WR_LISTNAME, NameOf(list));
    if (WF_cReadFirst(g.ctx, kSlot, &r, 2) != '0')
        return;
    const auto* data = reinterpret_cast<const WR_LISTNAME_DATA*>(r.acData);
    int32_t count = 0;
    FIX_lDigitsToLong(data->acFieldCount, 3, &count);
    const std::vector<char> values = DefinitionValues(FIX_lDigitsToLong(data->acLine, 7, nullptr),
                                                      FIX_lDigitsToLong(data->acSubLine, 7, nullptr));
    const size_t entryWidth = kValues * kValueWidth;
    std::vector<std::string> fields, attributes;
    for (int32_t i = 0; i < std::min<int32_t>(count, WR_LIST_FIELDS_MAX); ++i) {
        fields.push_back(Trim(data->acFields[i], 10));
        const size_t at = static_cast<size_t>(i) * entryWidth;
        attributes.emplace_back(at + entryWidth <= values.size() ? std::string(values.data() + at, entryWidth)
                                                                 : std::string());
    }
    WriteGroup(list, fields, attributes);
}

void WritePopUpRecord()
{
    Globals& g = G();
    FFC_WORK_RECORD r;
    BlankRecord(r, LAYOUT_KIND_POP_UP);
    int32_t line = g.state->lLine, second = g.state->lLineWord;
    FIX_LongToDigits(&line, 15, r.acName);
    FIX_LongToDigits(&second, 15, r.acName + 15);
    if (WF_cReadFirst(g.ctx, kSlot, &r, 2) == '0')
        return;
    POP_UP_DATA p;
    std::memset(&p, ' ', sizeof p);
    p.lLine = std::atoi(Parm("AT_LOC", 0).c_str());
    p.lColumn = std::atoi(Parm("AT_LOC", 1).c_str());
    p.lWidth = std::atoi(Parm("DIMENSIONS", 0).c_str());
    p.lHeight = std::atoi(Parm("DIMENSIONS", 1).c_str());
    Pad(p.acTitleId, 10, Upper(Parm("PANEL_ID")));
    Pad(p.acTitle, 40, Parm("PANEL_TITL"));
    p.lKeyLine2 = p.lKeyLine1 = p.lMessageLine = p.lFirstUsable = p.lLastUsable = 0;
    std::memcpy(r.acData, &p, sizeof p);
    P3100_WriteRecord(r);
}

LayoutCounters& Counters()
{
    return g_counters;
}

// The definitions the run loaded; a check run without them (a single
// check of a source) lays out with the context's names and no menu style.
struct Definitions {
    FFC_PROCESS_DEFINITION process{};
    FFC_FUNCTION_DEFINITION function{};
};
Definitions& RunDefinitions(Definitions& local)
{
    Globals& g = G();
    if (g.processDefinition)
        local.process = *static_cast<const FFC_PROCESS_DEFINITION*>(g.processDefinition);
    else {
        std::memcpy(local.process.acProcess, g.ctx->acProcess, 10);
        local.process.cMenuStyle = ' ';
    }
    if (g.functionDefinition)
        local.function = *static_cast<const FFC_FUNCTION_DEFINITION*>(g.functionDefinition);
    else
        std::memcpy(local.function.acFunction, g.ctx->acFunction, 7);
    return local;
}

// The field group that GROUP_BY defined, when a screen's field list is
// that group alone: the screen then shows the group itself, so that its
// design goes back into the GROUP_BY. Empty otherwise.
std::string DefinedGroupOfList()
{
    if (ParmCount("FIELDS") != 1)
        return {};
    const std::string name = Upper(ParmEntry("FIELDS", 0));
    if (NameOf(name).compare(0, 3, "XG_") != 0)
        return {};
    FFC_WORK_RECORD r;
    BlankRecord(r, LAYOUT_KIND_GROUPNAM, name);
    if (!FindRecord(r, 2) || std::memcmp(reinterpret_cast<const WR_GROUPNAM_DATA*>(r.acData)->acOrigin, "DEF", 3) != 0)
        return {};
    return name;
}

void RunScreenLayout(FFC_CONTEXT* ctx, FFC_CHECK_STATE* state)
{
    Globals& g = G();
    Definitions definitions;
    RunDefinitions(definitions);
    std::string group = Upper(Parm("@GROUPNAME"));
    if (group.empty()) {
        group = DefinedGroupOfList();
        if (!group.empty())
            SetParmEntry("@GROUPNAME", 0, 0, group);
    }
    if (group.empty()) {
        char name[10] = {'@', 'S'};
        int32_t line = state->lLine, second = state->lLineWord;
        FIX_LongToDigits(&line, 4, name + 2);
        FIX_LongToDigits(&second, 4, name + 6);
        group.assign(name, 10);
        SetParmEntry("@GROUPNAME", 0, 0, group);
    }
    CheckFieldListValues();
    RecordFieldListGroup(group);
    const std::string browse = Upper(Parm("BROWSELIST"));
    if (!browse.empty() && browse != "*NONE")
        RecordBrowseListGroup(browse);
    if (NameIs("POP_UP"))
        WritePopUpRecord();
    LayoutCounters& c = Counters();
    state->cDesignRun = 'D';
    NoteParmsWritten(FFC_PARM_AREA_SIZE); /* the design may rewrite the command */
    P3111_DesignDialogue(ctx, state, &definitions.process, &definitions.function, &g.parsed, &c.formats, &c.fields,
                         &g.sysFlags[29], g.sysFlags[27], g.sysFlags[32], g.sysFlags[44], g.screenLines, g.msgQueue,
                         g.sysFlags, g.lpcAnchor, g.cmpeAnchor,
                         reinterpret_cast<LAYOUT_DESIGN_CALLBACK>(g.designScreen));
}

void RunReportLayout(FFC_CONTEXT* ctx, FFC_CHECK_STATE* state)
{
    Globals& g = G();
    Definitions definitions;
    RunDefinitions(definitions);
    CheckFieldListValues();
    RecordFieldListGroup(Upper(Parm("NAME")));
    LayoutCounters& c = Counters();
    const std::string number = Parm("REPORT_NUM");
    const int32_t report = number.empty() ? 1 : std::atoi(number.c_str());
    state->cDesignRun = 'P';
    NoteParmsWritten(FFC_PARM_AREA_SIZE); /* the design may rewrite the command */
    P3116_DesignReport(ctx, state, &definitions.process, &definitions.function, &g.parsed, &c.formats, &c.items,
                       &report, &c.savedValues, g.sysFlags[27], g.reports, g.msgQueue, g.sysFlags, g.lpcAnchor,
                       g.cmpeAnchor, reinterpret_cast<LAYOUT_DESIGN_CALLBACK>(g.designReport));
}

}  // namespace

void checker::CheckFieldListValues()
{
    Globals& g = G();
    const int32_t count = std::clamp<int32_t>(std::min(ParmCount("FIELDS"), g.extension.lEntries), 0, kCapacity);
    for (int32_t i = 0; i < count; ++i) {
        char data[FFC_WORK_DATA_LEN];
        FillFieldData(data, Upper(NameOf(ParmEntry("FIELDS", i))), g.extension.acAttributes + i * kValues * kValueWidth,
                      true);
    }
}

extern "C" {

void P3100_ResetLayoutCounters(void)
{
    g_counters = LayoutCounters{};
}

void P3100_UseLibraryLayouts(void)
{
    P3100_SetLayoutCalls(RunScreenLayout, RunReportLayout);
    LAYOUT_UseCommandReader(PCONTROL_chReadNextCommand);
}

}  // extern "C"

// Writing a designed screen back into the function's commands: the field
// list of the screen command (or of the GROUP_BY or DEF_LIST command that
// owns its field group or browse list) rebuilt from the designed
// positions, a pop-up window's position and size, and the screen's free
// texts as its text map.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/command_reader.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace {

using namespace layout::design;

constexpr uint16_t kSlot = 13;

struct Targets {
    std::string fields = "*NONE"; /* "*FIELD", "*NONE" or the owning command's group */
    std::string list = "*NONE";
    int32_t groupOwner = 0, listOwner = 0;
    bool self = false, group = false, listCommand = false;
};
Targets g_targets;

// The command of the function named `command` whose NAME is `name`.
int32_t CommandNamed(const char* command, const std::string& name)
{
    ScreenDesign& s = ScreenStep();
    auto source = std::make_unique<FFC_SOURCE_COMMAND>();
    std::memset(source.get(), 0, sizeof *source);
    FFC_PARSED_COMMAND c;
    while (LAYOUT_chReadNextCommand(s.ctx, source.get()) == '0') {
        if (dqov::text::Trim(source->acName, 10) != command || !FindCommand(s.ctx, source->sLine, 0, c))
            continue;
        if (dqov::cmdparm::ParmText(c, "NAME") == name)
            return source->sLine;
    }
    return 0;
}

// The command that owns a group or list: the number the checker keeps as
// a double at data offset 56 of its GROUPNAM record; where it kept none, a
// GROUP_BY (or DEF_LIST) of that name, else the screen command itself.
int32_t OwnerOf(const std::string& name, const char* definer)
{
    ScreenDesign& s = ScreenStep();
    FFC_WORK_RECORD r;
    ScreenKey(r, LAYOUT_KIND_GROUPNAM, name);
    if (WF_cReadFirst(s.ctx, kSlot, &r, 2) == '0' &&
        !std::all_of(r.acData + 56, r.acData + 64, [](char c) { return c == ' '; })) {
        double owner = 0.0;
        std::memcpy(&owner, r.acData + 56, sizeof owner);
        return static_cast<int32_t>(owner);
    }
    const int32_t defined = CommandNamed(definer, name);
    return defined != 0 ? defined : s.commandNumber;
}

char DefaultLetter(const FFC_PARSED_COMMAND& c)
{
    const std::string id = dqov::text::Trim(c.acParms + 2248, 10);
    return id == "COLHDG" ? 'C' : id == "LABEL" ? 'L' : id == "DESC" ? 'D' : id == "NOID" ? 'N' : 'X';
}

bool Written(const char* name)
{
    ScreenDesign& s = ScreenStep();
    return std::find(s.written.begin(), s.written.end(), PrefixedName(s.ctx, name)) != s.written.end();
}

void PutNumber(const char* key, int32_t value)
{
    PutToken(ScreenStep(), key + std::to_string(value % 100));
}

// One field group "(" name, positions, identification, attributes ")".
void PutField(bool positions, bool newFormat)
{
    ScreenDesign& s = ScreenStep();
    P3097_AppendField();
    const LAYOUT_FIELD_ENTRY& f = Field();
    if (positions && f.cUsage != 'H') {
        PutNumber("*L", f.lLine);
        const int32_t column = s.mirror() == 'Y' ? s.usableWidth - f.lColumn + 2 - f.lWidth : f.lColumn;
        PutNumber("*P", column);
    }
    if (positions && f.cIdentification != s.screenDefault)
        if (const char* keyword = IdentificationKeyword(f.cIdentification, true))
            PutToken(s, keyword);
    if (newFormat)
        PutToken(s, "*NEWFORMAT");
    std::memcpy(s.currentField, f.acName, 10);
    P3097_ExpandFieldAttributeLists();
    PutToken(s, ")");
}

void PutListField(int32_t column)
{
    ScreenDesign& s = ScreenStep();
    P3097_AppendField();
    if (column > 0)
        PutNumber("*P", column);
    std::memcpy(s.currentField, Field().acName, 10);
    P3097_ExpandFieldAttributeLists();
    PutToken(s, ")");
}

// Loads a command's stored record, extension and parsed field list.
bool LoadCommand(int32_t number, FFC_PARSED_COMMAND& command)
{
    ScreenDesign& s = ScreenStep();
    if (!FindCommand(s.ctx, number, 0, command))
        return false;
    FFC_COMMAND_EXTENSION extension;
    std::memset(&extension, ' ', sizeof extension);
    extension.sLine = command.sLine;
    extension.sSubLine = command.sSubLine;
    if (RS_fFindCommandExtension(s.ctx, &extension, sizeof extension) != 0)
        extension.lEntries = 0;
    LoadParsedFieldList(s, command, extension);
    return true;
}

void Insert(int32_t command, uint16_t code, const std::string& value)
{
    P31O2_sInsertCommandParameter(static_cast<int16_t>(command), code, static_cast<uint16_t>(value.size()),
                                  value.c_str());
}

std::string PopUpNumber(int32_t value, bool padded)
{
    if (padded)
        return (value < 10 ? "0" : "") + std::to_string(value % 100);
    return std::to_string(value % 100);
}

}  // namespace

extern "C" {

void P3097_BuildFieldsParameter(int32_t lCommand, char cKind)
{
    ScreenDesign& s = ScreenStep();
    StartFieldList(s);
    s.written.clear();
    s.current = 1;
    FFC_WORK_RECORD r;
    auto load = [&](const FFC_WORK_RECORD& record) {
        std::memcpy(&WorkElement(1), record.acData, sizeof(LAYOUT_FIELD_ENTRY));
    };
    if (cKind == 'R') {
        int32_t formats = 0;
        for (const ScreenFormat& format : s.formats) {
            if (std::memcmp(format.kind, "SFL   ", 6) == 0)
                continue;
            bool first = true;
            ScreenKey(r, LAYOUT_KIND_RCDFLD, std::string(format.name, 8));
            for (char rc = WF_cReadFirst(s.ctx, kSlot, &r, 2); rc == '0'; rc = WF_cReadNext(s.ctx, kSlot, &r, 2)) {
                load(r);
                const LAYOUT_FIELD_ENTRY& f = WorkElement(1);
                if (f.cControlPart == 'Y' || f.cType == 'T' || Written(f.acName))
                    continue;
                PutField(true, first && formats > 0);
                first = false;
            }
            ++formats;
        }
    } else if (s.selected >= 1 && s.selected < static_cast<int32_t>(s.formats.size())) {
        const ScreenFormat& list = s.formats[s.selected];
        ScreenKey(r, LAYOUT_KIND_RCDFLD, std::string(list.name, 8));
        for (char rc = WF_cReadFirst(s.ctx, kSlot, &r, 2); rc == '0'; rc = WF_cReadNext(s.ctx, kSlot, &r, 2)) {
            load(r);
            if (WorkElement(1).cUsage == 'H')
                PutListField(0);
        }
        // left to right over every line (right to left when mirrored)
        s.lastListOwner = 0;
        for (int32_t cell = 1; cell <= s.size; ++cell) {
            P3097_PositionFromCell(cell);
            P3097_AddListFieldAtCell(s.mirror() == 'Y' ? (s.line - 1) * s.width + s.width + 1 - s.column : cell);
        }
    }
    if (s.overflow || s.position > s.buffer.size()) {
        SMSG_sGetMessage(nullptr, 180, 16384, 0, 1,
                         "The field list of the designed screen is too long to be written back; it was left as it "
                         "was.");
        return;
    }
    s.buffer[s.position - 1] = ')';
    Insert(lCommand, 9401, std::string(s.buffer.data(), s.position));
}

void P3097_AddListFieldAtCell(int32_t lCell)
{
    ScreenDesign& s = ScreenStep();
    if (s.selected < 1 || s.selected >= static_cast<int32_t>(s.formats.size()) || lCell < 1 || lCell > s.size)
        return;
    const ScreenFormat& list = s.formats[s.selected];
    if (lCell < list.firstCell || s.kinds[lCell] != 'S' || s.owners[lCell] == s.lastListOwner)
        return;
    s.lastListOwner = s.owners[lCell];
    if (!ReadFieldRecord(RecordNumber(s.lastListOwner)))
        return;
    std::memcpy(&WorkElement(1), s.record.acData, sizeof(LAYOUT_FIELD_ENTRY));
    s.current = 1;
    if (Written(WorkElement(1).acName))
        return;
    const LAYOUT_FIELD_ENTRY& f = WorkElement(1);
    PutListField(s.mirror() == 'Y' ? s.usableWidth - f.lColumn + 2 - f.lWidth : f.lColumn);
}

void P3097_UpdateScreenCommand(void)
{
    ScreenDesign& s = ScreenStep();
    FFC_PARSED_COMMAND command;
    if (!LoadCommand(s.commandNumber, command) || std::memcmp(command.acName, s.commandName, 10) != 0)
        return;
    if (g_targets.fields == "*FIELD")
        P3097_BuildFieldsParameter(s.commandNumber, 'R');
    if (s.popUp) {
        const POP_UP_DATA& p = PopUp();
        Insert(s.commandNumber, 19801, PopUpNumber(p.lLine, false));
        Insert(s.commandNumber, 19802, PopUpNumber(p.lColumn, false));
        Insert(s.commandNumber, 19901, PopUpNumber(p.lWidth, true));
        Insert(s.commandNumber, 19902, PopUpNumber(p.lHeight, true));
    }
    P3097_SaveTextMaps();
}

void P3097_UpdateGroupCommand(void)
{
    FFC_PARSED_COMMAND command;
    if (LoadCommand(g_targets.groupOwner, command) && dqov::text::Trim(command.acName, 10) == "GROUP_BY")
        P3097_BuildFieldsParameter(g_targets.groupOwner, 'R');
}

void P3097_UpdateListCommand(void)
{
    FFC_PARSED_COMMAND command;
    if (LoadCommand(g_targets.listOwner, command) && dqov::text::Trim(command.acName, 10) == "DEF_LIST")
        P3097_BuildFieldsParameter(g_targets.listOwner, 'S');
}

void P3097_WriteBackScreen(void)
{
    ScreenDesign& s = ScreenStep();
    g_targets = Targets{};
    FFC_PARSED_COMMAND& command = s.command;
    if (!LoadCommand(s.commandNumber, command))
        return;
    s.screenDefault = DefaultLetter(command);
    const std::string group = dqov::text::Trim(command.acParms + 1061, 10);
    const std::string list = dqov::text::Trim(command.acParms + 2228, 10);
    if (!group.empty()) {
        g_targets.groupOwner = OwnerOf(group, "GROUP_BY");
        g_targets.fields = g_targets.groupOwner == s.commandNumber ? "*FIELD" : group;
    }
    if (!list.empty() && list != "*NONE") {
        g_targets.list = list;
        g_targets.listOwner = OwnerOf(list, "DEF_LIST");
    }
    if (s.recordChanged == 'Y') {
        if (g_targets.fields == "*FIELD" || g_targets.fields == "*NONE")
            g_targets.self = true;
        else
            g_targets.group = true;
    }
    if (s.listChanged == 'Y' && g_targets.list != "*NONE")
        g_targets.listCommand = true;
    if (s.textsChanged == 'Y')
        g_targets.self = true;
    if (s.popChanged == 'Y' || g_targets.self)
        P3097_UpdateScreenCommand();
    if (g_targets.group)
        P3097_UpdateGroupCommand();
    if (g_targets.listCommand)
        P3097_UpdateListCommand();
}

}  // extern "C"

// Writing a designed report line back: its command gets a new field list in
// which every field carries its line, position and (where it differs from
// the command's default) identification, a break or detail line its
// spacing, and the line's free texts go to the repository as a text map.
#include "layout/design/report_design.h"

#include <cstring>
#include <set>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace layout::design {

namespace {

char DefaultIdentification(const FFC_PARSED_COMMAND& command)
{
    const std::string identify = dqov::cmdparm::ParmText(command, "IDENTIFY");
    return identify == "COLHDG" ? 'C' : identify == "LABEL" ? 'L' : identify == "NOID" ? 'N' : 'X';
}

// A field list that does not fit the work area is not written: the
// command keeps its own list, and the user is told.
void TooLong()
{
    const ReportDesign& s = ReportStep();
    const std::string text = "The field list of " + Name10(s.designed.command) + " " + Name10(s.designed.lineName) +
                             " is too long to be written back; it was left as it was.";
    SMSG_sGetMessage(nullptr, 180, 16384, 0, 1, text.c_str());
}

}  // namespace

}  // namespace layout::design

using namespace layout::design;

extern "C" {

void P3019_InsertParameter(uint16_t usComponent, uint16_t usLength)
{
    ReportDesign& s = ReportStep();
    P31O2_sInsertCommandParameter(static_cast<int16_t>(s.designed.number), usComponent, usLength, s.buffer.data());
}

void P3019_BuildFieldListParameter(void)
{
    ReportDesign& s = ReportStep();
    StartFieldList(s);
    const bool lineList = std::memcmp(s.designed.command, "DEF_BREAK", 9) != 0;
    std::set<int32_t> written;
    for (int32_t n = 1; n <= s.rowCount; ++n) {
        const FieldRow& row = s.rows[n];
        if (!OfDesignedLine(row))
            continue;
        const LAYOUT_FIELD_ENTRY& f = ReportField(row.entry);
        if (f.cType == 'T' || !written.insert(f.lFieldNumber).second)
            continue;
        if (s.position <= s.buffer.size())
            s.buffer[s.position++ - 1] = '(';
        const std::string name = PrefixedName(s.ctx, f.acName);
        PutToken(s, name);
        PutToken(s, "*L" + Digits(f.lLine, 3));
        const int32_t position = s.mirror() == 'Y' ? s.width - f.lColumn - f.lWidth + 2 : f.lColumn;
        PutToken(s, "*P" + Digits(position, 3));
        if (f.cIdentification != s.defaultIdent)
            if (const char* keyword = IdentificationKeyword(f.cIdentification, false))
                PutToken(s, keyword);
        std::memcpy(s.currentField, name.data(), 10);
        P3019_ExpandFieldAttributeLists();
        PutToken(s, ")");
    }
    if (s.position > s.buffer.size() || s.overflow)
        return TooLong();
    s.buffer[s.position - 1] = ')';
    P3019_InsertParameter(lineList ? 9401 : 8001, static_cast<uint16_t>(s.position));
}

void P3019_WriteBackLine(void)
{
    ReportDesign& s = ReportStep();
    FFC_PARSED_COMMAND& command = s.command;
    if (!FindCommand(s.ctx, s.designed.number, s.designed.second, command))
        return;
    FFC_COMMAND_EXTENSION extension;
    std::memset(&extension, ' ', sizeof extension);
    extension.sLine = command.sLine;
    extension.sSubLine = command.sSubLine;
    extension.lEntries = 0;
    if (RS_fFindCommandExtension(s.ctx, &extension, sizeof extension) != 0)
        extension.lEntries = 0;
    s.defaultIdent = DefaultIdentification(command);
    LoadParsedFieldList(s, command, extension);
    P3019_BuildFieldListParameter();
    if (BodySection(s.designed.section)) {
        const bool line = std::memcmp(s.designed.command, "DEF_LINE", 8) == 0;
        const std::string before = Digits(dqov::cmdparm::ParmNumber(command, "SPACE_BEF"), 3);
        const std::string after = Digits(dqov::cmdparm::ParmNumber(command, "SPACE_AFT"), 3);
        std::memcpy(s.buffer.data(), before.data(), 3);
        P3019_InsertParameter(line ? 38301 : 8301, 3);
        std::memcpy(s.buffer.data(), after.data(), 3);
        P3019_InsertParameter(line ? 38401 : 8401, 3);
    }
    P3019_SaveTextMaps();
}

}  // extern "C"

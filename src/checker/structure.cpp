// Block structure check of the current command and the label records.
#include "checker/checker.h"

#include <cstring>

#include "dqov/runcontrol/fix.h"

using namespace checker;

namespace {

constexpr const char* kComponentTopLevel[] = {"FUNCTION", "SUBROUTINE", "RENAME",   "DEFINE",   "OVERRIDE",
                                              "DEF_LIST", "DEF_COND",   "GROUP_BY", "DEF_ARRAY"};
constexpr const char* kLoopOpeners[] = {"SELECT",  "SELECTLIST", "SELECT_SQL", "DOWHILE",
                                        "DOUNTIL", "BEGIN_LOOP", "FOR"};

bool AnyOf(const char* const* names, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (NameIs(names[i]))
            return true;
    return false;
}

std::string TwoNames(const char* first, const char* second)
{
    return std::string(first, 10) + std::string(second, 10);
}

void Open(const char* role)
{
    Globals& g = G();
    // The depth rises even past the stack's room, so that the closer of an
    // unstacked opener only brings it back down (see Close).
    if (++g.depth > kStackLimit) {
        Issue(Msg::LimitReached, "Command Stack");
        return;
    }
    StackLevel& level = g.stack[g.depth];
    if (std::memcmp(role, "S2", 2) == 0)
        Pad(level.name, 10, "IF");
    else if (std::memcmp(role, "S6", 2) == 0)
        Pad(level.name, 10, "SELECT");
    else
        std::memcpy(level.name, g.parsed.acName, 10);
    level.loop = AnyOf(kLoopOpeners, std::size(kLoopOpeners)) ? 'Y' : 'N';
    level.line = g.parsed.sLine;
    level.subLine = g.parsed.sSubLine;
    FIX_FillHighValues(level.high1, 10);
    FIX_FillHighValues(level.high2, 10);
    level.middleCount = 0;
    P3100_RecordLabel();
}

void Close(bool routineCloser)
{
    Globals& g = G();
    const char* partner = P3100_pStructurePartner(g.currentNumber);
    if (g.depth > kStackLimit) {
        --g.depth;
        return;
    }
    P3100_RecordLabel();
    bool match = false;
    if (g.depth > 0) {
        const StackLevel& top = g.stack[g.depth];
        match =
            routineCloser ? std::memcmp(top.name + 3, partner + 3, 7) == 0 : std::memcmp(top.name, partner, 10) == 0;
    }
    if (!match) {
        // the closer first, the opener it closes second: the message reads
        // "Command ENDIF is expected to close the structure opened by IF"
        Issue(Msg::StructureNotClosed, TwoNames(g.parsed.acName, partner));
        return;
    }
    g.parsed.sOpenerLine = g.stack[g.depth].line;
    g.parsed.sOpenerSubLine = g.stack[g.depth].subLine;
    g.stack[g.depth].loop = 'N';
    --g.depth;
}

void MiddlePart()
{
    Globals& g = G();
    const char* partner = P3100_pStructurePartner(g.currentNumber);
    P3100_RecordLabel();
    if (g.depth > 0 && g.depth <= kStackLimit && std::memcmp(g.stack[g.depth].name, partner, 10) == 0) {
        ++g.stack[g.depth].middleCount;
        return;
    }
    Issue(Msg::CommandOutsideStructure, TwoNames(partner, g.parsed.acName));
}

void LoopModifier()
{
    Globals& g = G();
    bool inLoop = false;
    for (int i = 1; i <= g.depth && i <= kStackLimit; ++i)
        if (g.stack[i].loop == 'Y')
            inLoop = true;
    if (!inLoop)
        Issue(Msg::CommandOutsideLoop, std::string_view(g.parsed.acName, 10));
    P3100_RecordLabel();
}

}  // namespace

extern "C" {

void P3100_CheckStructure(void)
{
    Globals& g = G();
    if (IsComponentRun() && !g.source.lBuiltIn && g.depth < 2 &&
        !AnyOf(kComponentTopLevel, std::size(kComponentTopLevel)))
        Issue(Msg::ComponentLevelNotValid, std::string_view(g.parsed.acName, 10));
    const char* role = P3100_pStructureRole(g.currentNumber);
    auto is = [role](const char* r) { return role[0] == r[0] && role[1] == r[1]; };
    if (is("ST") || is("S2") || is("S6"))
        Open(role);
    else if (is("US"))
        Close(false);
    else if (is("U7"))
        Close(true);
    else if (is("PR") && g.depth <= kStackLimit)
        MiddlePart();
    else if (is("LM"))
        LoopModifier();
    else
        P3100_RecordLabel();
}

void P3100_RecordLabel(void)
{
    Globals& g = G();
    if (Pass() != 1)
        return;
    // most commands carry no label: three blanks are told at once
    if (g.parsed.acLabel[0] == ' ' && g.parsed.acLabel[1] == ' ' && g.parsed.acLabel[2] == ' ')
        return;
    std::string label = Trim(g.parsed.acLabel, 3);
    if (label.empty())
        return;
    if (label.find('_') != std::string::npos) {
        Issue(Msg::LabelNotValid, label);
        return;
    }
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_LABEL, label, std::string_view(g.currentRoutine, 10));
    if (FindRecord(r, 3)) {
        Issue(Msg::LabelDefinedTwice, label);
        return;
    }
    BlankRecord(r, WR_LABEL, label, std::string_view(g.currentRoutine, 10));
    auto* data = reinterpret_cast<WR_LABEL_DATA*>(r.acData);
    int32_t line = g.parsed.sLine, sub = g.parsed.sSubLine;
    FIX_LongToDigits(&line, 7, data->acLine);
    FIX_LongToDigits(&sub, 7, data->acSubLine);
    std::memcpy(data->acRoutine, g.currentRoutine, 50);
    P3100_WriteRecord(r);
    if (!g.firstLabelKnown) {
        g.firstLabel = label;
        g.firstLabelKnown = true;
    }
}

}  // extern "C"

// Backups of the screen being designed: its POP_UP, RCDFMT and RCDFLD work
// records are copied before the design starts and put back when the user
// leaves without keeping the changes; and the leave choice itself.
#include "layout/design/screen_design.h"

#include <cstring>
#include <vector>

#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/workfile.h"

namespace {

using namespace layout::design;

constexpr uint16_t kSlot = 15;
constexpr const char *kSaveUp = "SAV_UP    ", *kSaveFormat = "SAVFMT    ", *kSaveField = "SAVFLD    ";

// Visits the records that match the key's leading parts.
template <typename Visit> void ForEach(const FFC_WORK_RECORD& key, uint16_t parts, Visit visit)
{
    ScreenDesign& s = ScreenStep();
    FFC_WORK_RECORD r = key;
    for (char rc = WF_cReadFirst(s.ctx, kSlot, &r, parts); rc == '0'; rc = WF_cReadNext(s.ctx, kSlot, &r, parts))
        visit(r);
}

void DeleteAll(const FFC_WORK_RECORD& key, uint16_t parts)
{
    ForEach(key, parts, [](FFC_WORK_RECORD& r) { WF_cDelete(ScreenStep().ctx, kSlot, &r); });
}

FFC_WORK_RECORD Key(const char* kind, const std::string& name = {}, const std::string& qualifier = {})
{
    FFC_WORK_RECORD r;
    ScreenKey(r, kind, name, qualifier);
    return r;
}

// The screen's format names, from its RCDFMT records.
std::vector<std::string> FormatNames()
{
    std::vector<std::string> names;
    ForEach(Key(LAYOUT_KIND_RCDFMT, std::string(ScreenStep().commandName, 10), CommandQualifier()), 3,
            [&](FFC_WORK_RECORD& r) { names.emplace_back(r.acData, 8); });
    return names;
}

void CopyAs(const FFC_WORK_RECORD& key, uint16_t parts, const char* kind)
{
    ForEach(key, parts, [&](FFC_WORK_RECORD& r) {
        FFC_WORK_RECORD copy = r;
        std::memcpy(copy.acKind, kind, 10);
        WF_lWrite(ScreenStep().ctx, &copy);
    });
}

// Gives every record of one kind another kind; each moves to its new key
// place, so the first of the old kind is read again each time.
void Rename(const char* from, const char* to)
{
    ScreenDesign& s = ScreenStep();
    FFC_WORK_RECORD r = Key(from);
    while (WF_cReadFirst(s.ctx, kSlot, &r, 1) == '0') {
        std::memcpy(r.acKind, to, 10);
        WF_cUpdate(s.ctx, kSlot, &r);
        r = Key(from);
    }
}

}  // namespace

extern "C" {

void P3097_SaveScreenRecords(void)
{
    const ScreenDesign& s = ScreenStep();
    for (const char* kind : {kSaveUp, kSaveFormat, kSaveField})
        DeleteAll(Key(kind), 1);
    CopyAs(Key(LAYOUT_KIND_POP_UP, PopUpName()), 2, kSaveUp);
    const std::vector<std::string> names = FormatNames();
    CopyAs(Key(LAYOUT_KIND_RCDFMT, std::string(s.commandName, 10), CommandQualifier()), 3, kSaveFormat);
    for (const std::string& name : names)
        CopyAs(Key(LAYOUT_KIND_RCDFLD, name), 2, kSaveField);
}

void P3097_RestoreScreenRecords(void)
{
    ScreenDesign& s = ScreenStep();
    // Without a backup nothing is put back, so nothing is taken away.
    FFC_WORK_RECORD probe = Key(kSaveFormat);
    if (WF_cReadFirst(s.ctx, kSlot, &probe, 1) != '0')
        return;
    DeleteAll(Key(LAYOUT_KIND_POP_UP, PopUpName()), 2);
    const std::vector<std::string> names = FormatNames();
    DeleteAll(Key(LAYOUT_KIND_RCDFMT, std::string(s.commandName, 10), CommandQualifier()), 3);
    for (const std::string& name : names)
        DeleteAll(Key(LAYOUT_KIND_RCDFLD, name), 2);
    Rename(kSaveUp, LAYOUT_KIND_POP_UP);
    Rename(kSaveFormat, LAYOUT_KIND_RCDFMT);
    Rename(kSaveField, LAYOUT_KIND_RCDFLD);
}

void P3097_ChooseLeaveAction(void)
{
    ScreenDesign& s = ScreenStep();
    const bool changed = s.anyChanged != 'N' || s.recordChanged != 'N' || s.listChanged != 'N' ||
                         s.textsChanged != 'N' || s.popChanged != 'N';
    const int16_t reply = P31O2_sPainterRequest5(s.paint, changed ? 1 : 0);
    switch (reply) {
    case 1: std::memcpy(s.pending, "END", 3); break;
    case 2:
        P3097_RestoreScreenRecords();
        s.paint->lRequest = 0;
        s.anyChanged = s.recordChanged = s.listChanged = s.textsChanged = s.popChanged = 'N';
        std::memcpy(s.pending, "END", 3);
        break;
    case 3: break;
    case 4:
        P3097_RestoreScreenRecords();
        std::memcpy(s.pending, "RSS", 3);
        break;
    default:
        if (PainterPresent(s))
            UnexpectedReply("QBEXIT", reply);
        break;
    }
}

}  // extern "C"

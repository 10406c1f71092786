// The screen design step's access to the work file, its command records
// and the parameter text it builds: every routine works on the step's one
// record buffer (with its key count and last indicator) and its one
// parameter buffer.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/workfile.h"
#include "layout/layout.h"
#include "params/fixed_text.h"

namespace layout::design {
namespace {

constexpr uint16_t kSlot = 13, kSecondSlot = 14;

void Note(char rc)
{
    ScreenStep().last = rc;
}

}  // namespace
}  // namespace layout::design

using namespace layout::design;

extern "C" {

void P3097_ReadCommandRecord(void)
{
    ScreenDesign& s = ScreenStep();
    Note(FindCommand(s.ctx, s.commandNumber, s.commandSecond, s.command) ? '0' : '1');
}

void P3097_ReadFirst(void)
{
    ScreenDesign& s = ScreenStep();
    Note(WF_cReadFirst(s.ctx, kSlot, &s.record, s.keyCount));
}

void P3097_ReadNext(void)
{
    ScreenDesign& s = ScreenStep();
    Note(WF_cReadNext(s.ctx, kSlot, &s.record, s.keyCount));
}

void P3097_ReadFirstBySecondKey(void)
{
    ScreenDesign& s = ScreenStep();
    Note(WF_cReadFirstBySecondKey(s.ctx, kSecondSlot, &s.record, 2));
}

void P3097_UpdateBySecondKey(void)
{
    ScreenDesign& s = ScreenStep();
    Note(WF_cUpdateBySecondKey(s.ctx, kSecondSlot, &s.record));
}

void P3097_ReadAndDeleteBySecondKey(void)
{
    ScreenDesign& s = ScreenStep();
    P3097_ReadFirstBySecondKey();
    if (s.last == '0')
        Note(WF_cDeleteBySecondKey(s.ctx, kSecondSlot, &s.record));
}

void P3097_WriteRecord(void)
{
    ScreenDesign& s = ScreenStep();
    WF_lWrite(s.ctx, &s.record);
}

void P3097_UpdateRecord(void)
{
    ScreenDesign& s = ScreenStep();
    Note(WF_cUpdate(s.ctx, kSlot, &s.record));
}

void P3097_BlankRecord(void)
{
    ScreenDesign& s = ScreenStep();
    WF_BlankRecord(s.ctx, &s.record);
}

void P3097_SkipWord(void)
{
    ScreenDesign& s = ScreenStep();
    size_t p = s.position;
    while (p >= 1 && p <= s.buffer.size() && s.buffer[p - 1] != ' ')
        ++p;
    /* a word that runs to the end of the text leaves no room after it */
    if (p > s.buffer.size())
        s.overflow = true;
    s.position = p + 1;
}

void P3097_BackOverBlanks(void)
{
    ScreenDesign& s = ScreenStep();
    size_t p = std::min(s.position, s.buffer.size() + 1);
    while (p > 1 && s.buffer[p - 2] == ' ')
        --p;
    s.position = p;
}

void P3097_AppendField(void)
{
    ScreenDesign& s = ScreenStep();
    LAYOUT_FIELD_ENTRY& f = Field();
    char name[50];
    std::memset(name, ' ', sizeof name);
    std::memcpy(name, f.acName, 10);
    P3100_PrefixChar(name, s.ctx->cNatChar1);
    std::memcpy(f.acName, name, 10);
    s.written.emplace_back(name, 10);
    if (s.position >= 1 && s.position <= s.buffer.size())
        s.buffer[s.position++ - 1] = '(';
    else
        s.overflow = true;
    PutText(s, name, 10);
    P3097_SkipWord();
}

}  // extern "C"

// The editor's painter exchange block registered for the job, and the
// progress window's state as the status routing sees it.
#include <mutex>
#include <string>

#include "dqov/runcontrol/painter.h"
#include "runcontrol/painter_internal.h"

namespace {

FFC_PAINT_STR* g_paint = nullptr;
std::mutex g_progressMutex;
bool g_progressUp = false;
std::string g_progressText;
std::string g_issuedText;

}  // namespace

namespace painter {

bool TraceOn()
{
    return g_paint && g_paint->lTrace == 1;
}

void NoteIssuedText(std::string_view text)
{
    if (!g_paint)
        return;
    g_issuedText.assign(text);
    g_paint->pszIssuedText = g_issuedText.c_str();
}

void SetProgressUp(bool up)
{
    std::lock_guard<std::mutex> lock(g_progressMutex);
    g_progressUp = up;
    if (!up)
        g_progressText.clear();
    if (g_paint)
        g_paint->lProgressUp = up ? 1 : 0;
}

bool ProgressUp()
{
    std::lock_guard<std::mutex> lock(g_progressMutex);
    return g_progressUp;
}

void SetProgressText(const std::string& text)
{
    std::lock_guard<std::mutex> lock(g_progressMutex);
    g_progressText = text;
}

std::string ProgressText()
{
    std::lock_guard<std::mutex> lock(g_progressMutex);
    return g_progressText;
}

}  // namespace painter

extern "C" {

void PassPaintStrPtr(FFC_PAINT_STR* paint)
{
    g_paint = paint;
}
FFC_PAINT_STR* P31O2_pGetPaintStr(void)
{
    return g_paint;
}

}  // extern "C"

namespace painter {

bool ShowProgressText(const std::string& text)
{
    if (!ProgressUp())
        return false;
    SetProgressText(text);
    PostProgressText();
    return true;
}

}  // namespace painter

// Run modes, colours and the routing of status lines and plain texts.
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "runcontrol/painter_internal.h"
#include "runcontrol/rc_internal.h"
#include "runcontrol/services_bridge.h"

namespace {

std::mutex g_outputMutex;
int16_t g_runMode = 0;
int g_baseColour = 4;
int g_currentColour = 4;

const char* colourTag(int colour)
{
    switch (colour) {
    case 1: return "<RED>";
    case 2: return "<BRN>";
    case 5: return "<GRN>";
    default: return "<BLU>";
    }
}

}  // namespace

namespace rc {

void AppendVisibleText(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    // the visible runs between control characters are copied whole
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char u = static_cast<unsigned char>(text[i]);
        if (u >= 0x20 && u != 0x7F)
            continue;
        out.append(text.data() + start, i - start);
        const char escaped[4] = {'\\', 'x', kHex[u >> 4], kHex[u & 0x0F]};
        out.append(escaped, sizeof escaped);
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

std::string VisibleText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    AppendVisibleText(out, text);
    return out;
}

void WriteToolsLine(int colour, std::string_view text)
{
    std::lock_guard<std::mutex> lock(g_outputMutex);
    std::string line = colourTag(colour);
    line.reserve(line.size() + text.size() + 2);
    AppendVisibleText(line, text);
    line.append("\r\n");
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

std::string Trimmed(const char* field, size_t width)
{
    if (!field)
        return {};
    size_t n = strnlen(field, width);
    while (n > 0 && field[n - 1] == ' ')
        --n;
    return std::string(field, n);
}

void Pad(char* field, size_t width, std::string_view text)
{
    size_t n = text.size() < width ? text.size() : width;
    std::memcpy(field, text.data(), n);
    std::memset(field + n, ' ', width - n);
}

void IssueText(std::string_view text)
{
    switch (g_runMode) {
    case FFC_RUN_MODE_TOOLS: WriteToolsLine(g_currentColour, text); return;
    case FFC_RUN_MODE_EDITOR:
        painter::NoteIssuedText(text);
        bridge::DisplayServicesMessage(180, std::string(text));
        return;
    default: bridge::DisplayServicesMessage(180, std::string(text)); return;
    }
}

void IssueServicesMessage(uint32_t number, const char* arg)
{
    std::string text = ServicesMessageText(number, arg);
    if (g_runMode == FFC_RUN_MODE_TOOLS) {
        WriteToolsLine(g_currentColour, text);
        return;
    }
    bridge::DisplayServicesMessage(number, text);
}

std::string ServicesMessageText(uint32_t number, const char* arg)
{
    return bridge::ServicesMessageText(number, arg ? arg : "");
}

}  // namespace rc

extern "C" {

void FFC_Set_Run_Mode(int16_t mode)
{
    g_runMode = mode;
}
int16_t FFC_sGetRunMode(void)
{
    return g_runMode;
}
int32_t FFC_from_EDITOR(void)
{
    return g_runMode == FFC_RUN_MODE_EDITOR ? 1 : 0;
}
int32_t FFC_from_TOOLS(void)
{
    return g_runMode == FFC_RUN_MODE_TOOLS ? 1 : 0;
}

void FFC_TOOLS_Message(const char* text, int16_t length)
{
    if (!text)
        return;
    size_t n = length < 0 ? std::strlen(text) : strnlen(text, static_cast<size_t>(length));
    rc::WriteToolsLine(g_currentColour, std::string_view(text, n));
}

void P31O2_SetBaseColour(uint16_t colour)
{
    g_baseColour = colour;
    g_currentColour = colour;
}

void P31O2_SetSeverityColour(int16_t severity)
{
    switch (severity) {
    case 1: g_currentColour = 1; break;
    case 2: g_currentColour = 2; break;
    case 3: g_currentColour = 5; break;
    default: g_currentColour = g_baseColour; break;
    }
}

void P31O2_ShowStatusText(const char* text, int16_t length)
{
    if (!text || length <= 0)
        return;
    std::string line(text, strnlen(text, static_cast<size_t>(length)));
    switch (g_runMode) {
    case FFC_RUN_MODE_TOOLS: FFC_TOOLS_Message(line.data(), static_cast<int16_t>(line.size())); return;
    case FFC_RUN_MODE_SERVICE: bridge::DisplayServicesMessage(180, line); return;
    case FFC_RUN_MODE_EDITOR:
        if (painter::ShowProgressText(line))
            return;
        if (painter::TraceOn())
            bridge::DisplayServicesMessage(180, line);
        return;
    default: return;
    }
}

void P31O2_IssueText(const char* text)
{
    if (text)
        rc::IssueText(text);
}

}  // extern "C"

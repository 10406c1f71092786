// The painter script: the painter window of a design session outside the
// editor. A thread owns the window; each request posted to it is answered
// from the next line of the script, as the editor's painter answers from
// the user's input. A request the script cannot answer ends the window, so
// the design steps see the painter gone and keep nothing.
#include "runcontrol/painter_script.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string_view>
#include <thread>

#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "platform/winmsg/winmsg.h"

namespace painter {

namespace {

// The editor's painter messages of the report design (numbers 1 to 30).
constexpr char kReportTemplates[30][70] = {
    "Put the cursor on a field to move and press Enter",
    "There is no field or text at the cursor",
    "Field picked: pick more, or put the cursor where they go",
    "A field picked to move is no longer on the line",
    "%s belongs to %s %s, not to the line designed",
    "Field %s moved",
    "Command %s is not known",
    "Text \"%s\": put the cursor where it goes",
    "The line already holds 49 texts",
    "Text placed",
    "Text \"%s\" removed",
    "Put the cursor on the text to remove",
    "Put the cursor on the field to remove",
    "Put the cursor on the field to identify",
    "A text has no identification",
    "Field %s removed",
    "Columns %s to %s",
    "Lines %s to %s",
    "%s would end past the report width",
    "%s would overlap %s",
    "Field %s is not defined",
    "Field %s is already on %s %s",
    "Field %s added: put the cursor where it goes",
    "Field %s placed",
    "This is a repeated copy of the line",
    "%s has no spacing",
    "Spacing of %s changed",
    "The new identification of %s does not fit",
    "Put the cursor on the text to change",
    "%s is a field, not a text",
};

// The editor's painter messages of the screen design (numbers 1 to 35).
constexpr char kScreenTemplates[35][70] = {
    "Screen design",
    "Put the cursor on a field to move and press Enter",
    "There is no field or text at the cursor",
    "Field marked: mark more, or put the cursor where they go",
    "A marked field has no name",
    "The header lines cannot be changed",
    "The function-key lines cannot be changed",
    "The field is hidden",
    "Field %s moved",
    "The field would start outside its format",
    "The field would end outside its format",
    "The field would overlap another field",
    "Command %s is not known",
    "Text \"%s\": put the cursor where it goes",
    "The screen already holds 50 texts",
    "Text placed",
    "Texts go into the first format only",
    "%s is a field, not a text",
    "Text \"%s\" removed",
    "Put the cursor on the text to remove",
    "Put the cursor on the field to remove",
    "Identification %s",
    "A text has no identification",
    "A list field keeps its identification",
    "Screen design",
    "Field %s removed",
    "The cursor is outside the window",
    "The field would lie outside the window",
    "Field %s is not defined",
    "Field %s is already on the screen",
    "Field %s inserted: put the cursor where it goes",
    "The description of %s is too wide for the screen",
    "Put the cursor on the text to change",
    "The field would run over the end of its line",
    "Put the cursor where the window goes",
};

const FFC_PAINT_TEXTS kTexts = {
    {"Number", "File", "Library"},
    "Reports of the function",
    {"Line", "Command", "Name"},
    "Print lines of the report",
    {"Line", "Command", "Format", "Kind"},
    "Screens of the function",
    "The function has no report to design.",
    "The report has no print line to design.",
    "The function has no screen to design.",
};

// What the painter is asked by each request.
std::string Asked(unsigned request, const FFC_PAINT_STR* p)
{
    switch (request) {
    case 1: return "command \"" + std::string(p->acRequestCode, 4) + "\"";
    case 2: return "which design step";
    case 5: return "how to leave";
    case 6: return "an identification";
    case 8: return "where the field goes";
    case 9:
    case 14: {
        // a text to change is offered as it stands, leading blanks kept
        std::string now = request == 9 ? std::string(p->acTextLine, sizeof p->acTextLine)
                                       : std::string(p->acText, sizeof p->acText);
        const size_t last = now.find_last_not_of(std::string_view(" \0", 2));
        now.erase(last == std::string::npos ? 0 : last + 1);
        return now.empty() ? "a text" : "a text (now \"" + now + "\")";
    }
    case 10: return "a field name";
    case 11: return p->lMode == 0 ? "a report" : "a screen";
    case 13: return "the lines to show";
    case 15: return "the spacing";
    default: return "request " + std::to_string(request);
    }
}

// The keyword that answers a request.
const char* Keyword(unsigned request, const FFC_PAINT_STR* p)
{
    switch (request) {
    case 1: return "command";
    case 2: return "design";
    case 5: return "leave";
    case 6: return "identify";
    case 8: return "target";
    case 9:
    case 14: return "text";
    case 10: return "field";
    case 11: return p->lMode == 0 ? "report" : "screen";
    case 13: return "lines";
    case 15: return "spacing";
    default: return "";
    }
}

void Pad(char* field, size_t width, const std::string& text)
{
    std::memset(field, ' ', width);
    std::memcpy(field, text.data(), std::min(width, text.size()));
}

// Whether a value is written as a number: an optional '-' and digits
// (however many: whether it fits is asked apart).
bool LooksLikeNumber(const std::string& text)
{
    const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > digits && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c));
           });
}

// The value of a number that the reading (NumbersFit) has found within the
// range of its place in the exchange block; the fallback for a value that
// is no number (a name, a keyword).
int Number(const std::string& text, int fallback)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (!LooksLikeNumber(text) || ec != std::errc() || end != text.data() + text.size())
        return fallback;
    return value;
}

// Where a number of a line goes in the exchange block, and so the values
// it may take: the cursor, spacing and repeat counts are 32-bit words, a
// reply is a 16-bit word.
struct NumberPlace {
    const char* what;
    long long least, most;
};
constexpr NumberPlace kCursorRow{"the cursor row", INT32_MIN, INT32_MAX};
constexpr NumberPlace kCursorColumn{"the cursor column", INT32_MIN, INT32_MAX};
constexpr NumberPlace kReply{"the reply", INT16_MIN, INT16_MAX};
constexpr NumberPlace kSpacing{"the spacing", INT32_MIN, INT32_MAX};
constexpr NumberPlace kLineNumber{"the line number", INT32_MIN, INT32_MAX};
constexpr NumberPlace kRepeat{"the repeat count", INT32_MIN, INT32_MAX};

// Checks a value that stands for a number of its place. Where a word may
// stand instead (a name, "end", "record"), a value not written as a
// number is taken as that word.
bool NumberFits(const std::string& text, const NumberPlace& place, bool wordAllowed, std::string& why)
{
    if (!LooksLikeNumber(text)) {
        if (wordAllowed)
            return true;
        why = std::string(place.what) + " \"" + text + "\" is not a number";
        return false;
    }
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size() && value >= place.least && value <= place.most)
        return true;
    why = std::string(place.what) + " " + text + " is not a number from " + std::to_string(place.least) + " to " +
          std::to_string(place.most);
    return false;
}

// The numbers of a line, each checked against its place in the block.
bool NumbersFit(const std::string& keyword, const std::vector<std::string>& v, std::string& why)
{
    if (keyword == "command")
        return (v.size() < 2 || NumberFits(v[1], kCursorRow, false, why)) &&
               (v.size() < 3 || NumberFits(v[2], kCursorColumn, false, why));
    if (keyword == "design" || keyword == "leave" || keyword == "target" || keyword == "report" ||
        keyword == "screen")
        return NumberFits(v[0], kReply, true, why);
    if (keyword == "spacing")
        return NumberFits(v[0], kSpacing, false, why) && NumberFits(v[1], kSpacing, false, why);
    if (keyword != "lines")
        return true;
    for (const std::string& mark : v) {
        const size_t eq = mark.find('=');
        if (eq == std::string::npos)
            continue;  // "end", or a mark the painter cannot answer with
        if (mark.compare(0, eq, "body") == 0) {
            if (!NumberFits(mark.substr(eq + 1), kRepeat, false, why))
                return false;
            continue;
        }
        if (!NumberFits(mark.substr(0, eq), kLineNumber, false, why))
            return false;
        const size_t star = mark.find('*', eq);
        if (star != std::string::npos && !NumberFits(mark.substr(star + 1), kRepeat, false, why))
            return false;
    }
    return true;
}

// Splits a line into values: blanks separate them, a double-quoted value
// may hold blanks and "" is one double quote.
bool SplitLine(const std::string& line, std::vector<std::string>& values)
{
    size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::string value;
        if (line[i] != '"') {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                value += line[i++];
            values.push_back(value);
            continue;
        }
        ++i;
        for (;;) {
            if (i >= line.size())
                return false;
            if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                value += '"';
                i += 2;
            } else if (line[i] == '"') {
                ++i;
                break;
            } else {
                value += line[i++];
            }
        }
        values.push_back(value);
    }
    return true;
}

bool Known(const std::string& keyword, size_t values, std::string& why)
{
    struct Form {
        const char* keyword;
        size_t least, most;
    };
    static constexpr Form kForms[] = {{"design", 1, 1},   {"report", 1, 1}, {"screen", 1, 1}, {"lines", 0, 999},
                                      {"command", 1, 3},  {"text", 1, 2},   {"field", 2, 2},  {"spacing", 2, 2},
                                      {"identify", 1, 1}, {"leave", 1, 1},  {"target", 1, 1}, {"show", 0, 0}};
    for (const Form& f : kForms)
        if (keyword == f.keyword) {
            if (values >= f.least && values <= f.most)
                return true;
            why = "\"" + keyword + "\" takes " + std::to_string(f.least) +
                  (f.most != f.least ? " to " + std::to_string(f.most) : std::string()) + " value(s)";
            return false;
        }
    why = "\"" + keyword + "\" is not a painter reply";
    return false;
}

}  // namespace

std::vector<std::string> RenderScreen(const char* screen)
{
    std::vector<std::string> lines;
    for (int line = 0; line < 24; ++line) {
        std::string text(screen + line * 80, 80);
        for (char& c : text)
            if (c == '\0')
                c = ' ';
            else if (static_cast<unsigned char>(c) <= 31)
                c = '~';
        lines.push_back(text);
    }
    return lines;
}

struct PainterScript::State {
    std::vector<ScriptLine> lines;
    size_t next = 0;
    FFC_PAINT_STR block{};
    HEV event = nullptr;
    HWND window = nullptr;
    std::atomic<bool> ready{false};
    std::thread thread;
    mutable std::mutex mutex;
    std::string failure;
    std::vector<Exchange> transcript;
    std::function<void(const Exchange&)> observer;
    std::vector<std::string> lastScreen;

    static LRESULT Procedure(HWND hwnd, unsigned message, WPARAM wParam, LPARAM);
    void Answer(unsigned request, FFC_PAINT_STR* p);
    bool Apply(unsigned request, const ScriptLine& line, FFC_PAINT_STR* p);
    void Fail(const std::string& why);
    void Record(Exchange exchange);
    void Run();
};

LRESULT PainterScript::State::Procedure(HWND hwnd, unsigned message, WPARAM wParam, LPARAM)
{
    auto* self = static_cast<State*>(WIN_GetWindowData(hwnd));
    if (!self || message < WM_USER + 1 || message > WM_USER + 19)
        return 0;
    const unsigned request = message - WM_USER;
    if (request == 19)
        return 0;
    auto* p = reinterpret_cast<FFC_PAINT_STR*>(wParam);
    if (request != 16)
        self->Answer(request, p);
    if (self->failure.empty())
        DosPostEventSem(static_cast<HEV>(p->hEvent));
    return 0;
}

void PainterScript::State::Record(Exchange exchange)
{
    std::function<void(const Exchange&)> observer;
    {
        std::lock_guard<std::mutex> lock(mutex);
        transcript.push_back(exchange);
        observer = this->observer;
    }
    if (observer)
        observer(exchange);
}

void PainterScript::State::Fail(const std::string& why)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        failure = why;
    }
    WIN_PostMessage(window, WM_QUIT, 0, 0);
}

void PainterScript::State::Answer(unsigned request, FFC_PAINT_STR* p)
{
    if (request == 1)
        lastScreen = RenderScreen(p->acScreen);
    while (next < lines.size() && lines[next].keyword == "show") {
        Exchange shown;
        shown.screen = lastScreen;
        shown.reply = "show";
        Record(shown);
        ++next;
    }
    const std::string asked = "WM_USER+" + std::to_string(request) + " (" + Asked(request, p) + ")";
    if (next >= lines.size())
        return Fail("The painter script has no reply left for " + asked + ".");
    const ScriptLine& line = lines[next];
    if (line.keyword != Keyword(request, p))
        return Fail("Line " + std::to_string(line.number) + " of the painter script answers with \"" + line.keyword +
                    "\", but the painter was asked " + asked + ".");
    Exchange exchange;
    exchange.request = request;
    exchange.asked = Asked(request, p);
    if (request == 1) {
        exchange.requestCode.assign(p->acRequestCode, 4);
        exchange.message.assign(p->acMessageLine, sizeof p->acMessageLine);
        exchange.message.erase(exchange.message.find_last_not_of(' ') + 1);
        exchange.screen = lastScreen;
    }
    exchange.reply = line.keyword;
    for (const std::string& v : line.values)
        exchange.reply += " " + (v.find(' ') != std::string::npos || v.empty() ? "\"" + v + "\"" : v);
    if (!Apply(request, line, p))
        return Fail("Line " + std::to_string(line.number) + " of the painter script cannot answer " + asked + ".");
    ++next;
    Record(exchange);
}

bool PainterScript::State::Apply(unsigned request, const ScriptLine& line, FFC_PAINT_STR* p)
{
    const std::vector<std::string>& v = line.values;
    const bool end = v.size() == 1 && v[0] == "end";
    auto answer = [&](const char* code) { Pad(p->acAnswer, 4, code); };
    p->sFieldValue = 0;
    switch (request) {
    case 1:
        if (v[0].size() > 4)
            return false;
        Pad(p->acAnswer, 4, v[0]);
        p->lCursorRow = v.size() > 1 ? Number(v[1], 1) : 1;
        p->lCursorColumn = v.size() > 2 ? Number(v[2], 1) : 1;
        return true;
    case 2:
        p->sReply = static_cast<int16_t>(end ? 2 : Number(v[0], 2));
        if (p->sReply == 3 || p->sReply == 4) {
            const bool screens = p->sReply == 3;
            p->pTemplates = screens ? kScreenTemplates : kReportTemplates;
            p->lTemplateCount = screens ? 35 : 30;
        }
        return true;
    case 5: p->sReply = static_cast<int16_t>(Number(v[0], 3)); return true;
    case 6:
        if (v[0] == "cancel") {
            p->sReply = -1;
            return true;
        }
        if (v[0].size() != 1)
            return false;
        p->sReply = static_cast<int16_t>(v[0][0]);
        return true;
    case 8: p->sReply = static_cast<int16_t>(v[0] == "record" ? 1 : v[0] == "list" ? 2 : Number(v[0], 0)); return true;
    case 9:
        Pad(p->acTextLine, sizeof p->acTextLine, v[0]);
        if (v.size() > 1) {
            if (v[1].size() != 14)
                return false;
            std::memcpy(p->acTextAttributes, v[1].data(), 14);
        }
        answer("TS  ");
        return true;
    case 14:
        Pad(p->acText, sizeof p->acText, v[0]);
        answer("TS  ");
        return true;
    case 10:
        if (v[1].size() != 1)
            return false;
        Pad(p->acFieldName, sizeof p->acFieldName, v[0]);
        p->sRequestValue = static_cast<int16_t>(v[1][0]);
        answer("FS  ");
        return true;
    case 15:
        p->lLinesBefore = Number(v[0], 0);
        p->lLinesAfter = Number(v[1], 0);
        answer("SS  ");
        return true;
    case 11:
        if (end) {
            p->sReply = -1;
            return true;
        }
        if (p->lMode == 0) {
            p->sReply = static_cast<int16_t>(Number(v[0], -1));
            /* a report may be chosen by the name it was offered under */
            for (int32_t i = 0; p->sReply < 1 && i < p->lObjectCount && p->pObjects; ++i) {
                std::string name(p->pObjects[i].acName, 10);
                name.erase(name.find_last_not_of(' ') + 1);
                if (name == v[0])
                    p->sReply = static_cast<int16_t>(p->pObjects[i].lNumber);
            }
            return p->sReply >= 1;
        }
        for (int32_t i = 0; i < p->lObjectCount && p->pObjects; ++i) {
            const FFC_PAINT_OBJECT& o = p->pObjects[i];
            const bool byFormat = std::string(o.acSecondName, 8).compare(0, v[0].size(), v[0]) == 0;
            if (Number(v[0], 0) != i + 1 && !byFormat)
                continue;
            p->sReply = static_cast<int16_t>(i + 1);
            p->lChosenCommand = o.lNumber;
            p->lChosenSecond = 0;
            std::memcpy(p->acChosenCommandName, o.acName, 10);
            Pad(p->acChosenFormatName, 10, std::string(o.acSecondName, 8));
            return true;
        }
        return false;
    case 13:
        if (end) {
            p->sReply = -1;
            return true;
        }
        p->lBodyRepeat = 1;
        for (int32_t i = 0; i < p->lObjectCount && p->pSelections; ++i) {
            p->pSelections[i].cSelection = ' ';
            p->pSelections[i].lRepeat = 1;
        }
        for (const std::string& mark : v) {
            const size_t eq = mark.find('=');
            if (eq == std::string::npos)
                return false;
            if (mark.compare(0, eq, "body") == 0) {
                p->lBodyRepeat = Number(mark.substr(eq + 1), 1);
                continue;
            }
            const int index = Number(mark.substr(0, eq), 0);
            if (index < 1 || index > p->lObjectCount || eq + 1 >= mark.size())
                return false;
            FFC_PAINT_SELECTION& s = p->pSelections[index - 1];
            s.cSelection = mark[eq + 1];
            const size_t star = mark.find('*', eq);
            s.lRepeat = star == std::string::npos ? 1 : Number(mark.substr(star + 1), 1);
        }
        p->sReply = 0;
        return true;
    default: return false;
    }
}

void PainterScript::State::Run()
{
    window = WIN_CreateWindow(Procedure, this);
    ready = true;
    WIN_MSG msg;
    while (WIN_GetMessage(&msg, nullptr, 0, 0) > 0)
        WIN_DispatchMessage(&msg);
    WIN_DestroyWindow(window);
}

PainterScript::PainterScript() : state_(std::make_unique<State>()) {}

PainterScript::~PainterScript()
{
    stop();
    if (state_->event)
        DosCloseEventSem(state_->event);
}

std::unique_ptr<PainterScript> PainterScript::Parse(const std::string& text, std::string& error)
{
    std::unique_ptr<PainterScript> script(new PainterScript());
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const size_t first = raw.find_first_not_of(" \t");
        if (first == std::string::npos || raw[first] == '#')
            continue;
        std::vector<std::string> values;
        std::string why = "a quoted text is not closed";
        const bool read = SplitLine(raw, values);
        if (read && values.empty())
            continue;  // white space only (a vertical tab, a form feed): a blank line
        if (read) {
            ScriptLine line;
            line.number = number;
            line.keyword = values.front();
            line.values.assign(values.begin() + 1, values.end());
            if (Known(line.keyword, line.values.size(), why) && NumbersFit(line.keyword, line.values, why)) {
                script->state_->lines.push_back(line);
                continue;
            }
        }
        error = "Line " + std::to_string(number) + " of the painter script cannot be read: " + why + ".";
        return nullptr;
    }
    return script;
}

std::unique_ptr<PainterScript> PainterScript::Load(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "The painter script " + path + " cannot be read.";
        return nullptr;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), error);
}

void PainterScript::ApplyEditorSettings(FFC_SYSTEM_DEFINITION& sys)
{
    struct Key {
        int entry;
        const char *value, *caption;
    };
    static constexpr Key kKeys[] = {
        {1, "12", "Cancel"}, {3, "01", "Help"},     {4, "04", "Prompt"}, {6, "14", "Messages"}, {10, "03", "Exit"},
        {11, "03", "Exit"},  {23, "10", "Actions"}, {24, "06", "Add"},   {25, "21", "Change"},  {26, "16", "Delete"}};
    for (FFC_FUNCTION_KEY_DEF& k : sys.aFunctionKeys) {
        std::memcpy(k.acValue, "00", 2);
        std::memset(k.acCaption, ' ', sizeof k.acCaption);
    }
    for (const Key& k : kKeys) {
        std::memcpy(sys.aFunctionKeys[k.entry - 1].acValue, k.value, 2);
        Pad(sys.aFunctionKeys[k.entry - 1].acCaption, 10, k.caption);
    }
    std::memcpy(sys.acFrameChars, "-++|", 4);
    sys.cDateTimeOnTitle = 'Y';
    sys.cPopupIdentifier = 'Y';
    sys.cReportImage = 'Y';
}

FFC_PAINT_STR* PainterScript::start(char mode)
{
    State& s = *state_;
    FFC_PAINT_STR& p = s.block;
    p = FFC_PAINT_STR{};
    p.pTextTable = &kTexts;
    p.pTemplates = mode == 'S' ? kScreenTemplates : kReportTemplates;
    p.lTemplateCount = mode == 'S' ? 35 : 30;
    p.lMode = mode == 'S' ? 1 : 0;
    DosCreateEventSem(nullptr, &s.event, 0, 0);
    p.hEvent = s.event;
    s.thread = std::thread([&s] { s.Run(); });
    while (!s.ready.load())
        std::this_thread::yield();
    p.hwndPainter = s.window;
    return &p;
}

void PainterScript::stop()
{
    State& s = *state_;
    if (!s.thread.joinable())
        return;
    WIN_PostMessage(s.window, WM_QUIT, 0, 0);
    s.thread.join();
    // "show" lines after the last reply show the screen last sent
    while (s.failure.empty() && s.next < s.lines.size() && s.lines[s.next].keyword == "show") {
        Exchange shown;
        shown.screen = s.lastScreen;
        shown.reply = "show";
        s.Record(shown);
        ++s.next;
    }
}

bool PainterScript::failed() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return !state_->failure.empty();
}

std::string PainterScript::failure() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->failure;
}

size_t PainterScript::unused() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->lines.size() - state_->next;
}

std::vector<Exchange> PainterScript::transcript() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->transcript;
}

void PainterScript::observe(std::function<void(const Exchange&)> observer)
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->observer = std::move(observer);
}

// ---- the dqov tool's design session -----------------------------------------

bool DesignSession::load(const std::string& path, char mode, std::string& error)
{
    script_ = PainterScript::Load(path, error);
    design_ = FFC_DESIGN_REQUEST{};
    design_.cScreens = mode == 'S' ? 'Y' : 'N';
    design_.cReports = mode == 'R' ? 'Y' : 'N';
    return script_ != nullptr;
}

void DesignSession::Changed(void* user, const SZOPH_COMMAND* command)
{
    auto* self = static_cast<DesignSession*>(user);
    self->changed_.push_back("Command " + std::to_string(command->sNumber) + " " + command->szName +
                             " (written: " + (command->pszText ? command->pszText : "") + ")");
    for (uint16_t i = 0; i < SZOPH_usParmCompCount(command); ++i) {
        const SZOPH_PARMCOMP* c = SZOPH_pGetParmComp(command, i);
        self->changed_.push_back("  component " + std::to_string(c->usParm * 100 + c->usComp) + ": " +
                                 (c->pszText ? c->pszText : ""));
    }
}

void DesignSession::prepare(FFC_SYSTEM_DEFINITION& sys, FFC_RUN_REQUEST& request, Output out)
{
    out_ = std::move(out);
    PainterScript::ApplyEditorSettings(sys);
    design_.pPaint = script_->start(design_.cScreens == 'Y' ? 'S' : 'R');
    design_.pfnChanged = Changed;
    design_.pUser = this;
    request.pDesign = &design_;
    script_->observe([this](const Exchange& e) {
        if (e.request == 0) {
            for (const std::string& line : e.screen)
                out_(4, "  |" + line + "|");
            return;
        }
        std::string line = "painter: asked " + e.asked;
        if (!e.message.empty())
            line += " [" + e.message + "]";
        out_(4, line + "; answered: " + e.reply);
    });
}

void DesignSession::finish()
{
    script_->stop();
    if (script_->failed()) {
        out_(1, script_->failure());
        out_(1, "The design session ended there: no command was rewritten and no design data was kept.");
        return;
    }
    if (script_->unused() > 0)
        out_(2, std::to_string(script_->unused()) + " line(s) of the painter script were not used.");
    if (changed_.empty()) {
        out_(5, "The design session rewrote no command.");
        return;
    }
    out_(5, "The design session rewrote these commands:");
    for (const std::string& line : changed_)
        out_(5, line);
}

bool DesignSession::failed() const
{
    return script_ && script_->failed();
}

}  // namespace painter

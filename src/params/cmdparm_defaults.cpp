/* The command definitions read back from the keyword area, and the defaults
 * handler that blanks a command's parameter area and sets its defaults. */
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "params/cmdparm_internal.h"

namespace dqov::cmdparm {
namespace {

std::string Trim(const char* field, size_t width)
{
    size_t n = width;
    while (n > 0 && (field[n - 1] == ' ' || field[n - 1] == '\0'))
        --n;
    return std::string(field, n);
}

int32_t Digits(const char* field, size_t width)
{
    int32_t v = 0;
    bool any = false;
    for (size_t i = 0; i < width; ++i) {
        if (field[i] < '0' || field[i] > '9')
            continue;
        v = v * 10 + (field[i] - '0');
        any = true;
    }
    return any ? v : -1;
}

void PutInt32(char* at, int32_t v)
{
    std::memcpy(at, &v, sizeof v);
}
void PutInt16(char* at, int16_t v)
{
    std::memcpy(at, &v, sizeof v);
}

bool InArea(int32_t offset, int32_t size)
{
    return offset >= 0 && size >= 0 && offset + size <= FFC_PARM_AREA_SIZE;
}

}  // namespace

int32_t ParamView::RowWidth() const
{
    if (rowWidth >= 0)
        return rowWidth;
    int32_t w = 0;
    for (size_t e = 0; e < elements.size(); ++e)
        w += ElementSize(e);
    return w;
}

namespace {

/* Adds one row of the keyword area to its command's view.  Rows of a command
 * lie together in parameter order, so a new parameter number starts a new
 * parameter. */
void AddRow(CommandView& view, const CMDPARM_KEYWORD_ENTRY& e)
{
    if (e.cRowType == 'A') {
        view.aliases.emplace_back(Trim(e.acKeyword, 10), Trim(e.acValue, 10));
        return;
    }
    int seq = Digits(e.acParmSeq, 3);
    if (view.params.empty() || view.params.back().seq != seq) {
        ParamView p;
        p.keyword = Trim(e.acKeyword, 10);
        p.seq = seq;
        p.layout = e.cLayout;
        p.entries = std::max(1, Digits(e.acEntries, 3));
        p.countAt = Digits(e.acCountAt, 4);
        p.positional = e.cPositional == 'Y';
        view.params.push_back(std::move(p));
    }
    ParamView& p = view.params.back();
    if (e.cRowType == 'V') {
        p.values.push_back(Trim(e.acValue, 20));
        return;
    }
    ElementView el;
    el.kind = e.cKind;
    el.width = std::max(0, Digits(e.acWidth, 4));
    el.offset = Digits(e.acOffset, 4);
    el.defaultValue = Trim(e.acValue, 20);
    p.elements.push_back(std::move(el));
}

/* The views of the commands of one keyword area, each made from its rows
 * when it is first asked for; a name the area does not hold gets an empty
 * view. */
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct ViewIndex {
    const void* area = nullptr;
    uint16_t count = 0;
    std::unordered_map<std::string, CommandView, NameHash, std::equal_to<>> views;
    /* the runs of rows of one command each, in the area's order (a
     * command's keyword rows, later its alias rows): a view is made from
     * its runs when its command is first asked for, as a function uses few
     * of the commands */
    struct Run {
        std::string_view name; /* in the area */
        uint16_t begin = 0, end = 0;
    };
    std::vector<Run> runs;
    /* the views asked for, by the ten bytes of the name as asked: a function
     * asks for few commands, many times each (256 slots: with fewer, the
     * few dozen a function uses would often take each other's) */
    struct Known {
        char name[10];
        const CommandView* view = nullptr;
    };
    std::array<Known, 256> known{};
};

size_t KnownSlot(const char* acCommand)
{
    return static_cast<size_t>(dqov::text::NameFieldHash(acCommand) >> 56);
}

ViewIndex& Views()
{
    static ViewIndex index;
    return index;
}

std::string_view TrimmedName(const char* field)
{
    size_t n = 10;
    while (n > 0 && (field[n - 1] == ' ' || field[n - 1] == '\0'))
        --n;
    return std::string_view(field, n);
}

/* What the view's parameters tell once all its rows are read. */
void CompleteView(CommandView& v);

/* The view of the named command, made from its rows on first use. */
CommandView& ViewOf(ViewIndex& index, std::string_view name)
{
    auto it = index.views.find(name);
    if (it != index.views.end())
        return it->second;
    CommandView& view = index.views[std::string(name)];
    view.name = name;
    const auto* entries = static_cast<const CMDPARM_KEYWORD_ENTRY*>(index.area);
    for (const ViewIndex::Run& run : index.runs)
        if (run.name == name)
            for (uint16_t i = run.begin; i < run.end; ++i)
                AddRow(view, entries[i]);
    CompleteView(view);
    return view;
}

}  // namespace

void IndexCommandViews(const void* pArea, uint16_t usCount)
{
    ViewIndex& index = Views();
    index.views.clear();
    index.runs.clear();
    index.known = {};
    index.area = pArea;
    index.count = usCount;
    const auto* entries = static_cast<const CMDPARM_KEYWORD_ENTRY*>(pArea);
    for (uint16_t i = 0; i < usCount; ++i) {
        std::string_view name = TrimmedName(entries[i].acCommand);
        if (index.runs.empty() || index.runs.back().name != name)
            index.runs.push_back({name, i, i});
        index.runs.back().end = static_cast<uint16_t>(i + 1);
    }
}

namespace {

void CompleteView(CommandView& v)
{
    for (size_t k = 0; k < kDeriveParams; ++k) {
        auto it = std::find_if(v.params.begin(), v.params.end(),
                               [&](const ParamView& p) { return p.keyword == kDeriveKeywords[k]; });
        v.deriveParams[k] = static_cast<int16_t>(it == v.params.end() ? -1 : it - v.params.begin());
    }
    for (ParamView& p : v.params) {
        v.derives = v.derives ||
                    std::find(std::begin(kDerivedSlots), std::end(kDerivedSlots), p.keyword) != std::end(kDerivedSlots);
        p.rowWidth = p.RowWidth();
        if (p.layout == 'F' && !p.elements.empty())
            p.flagsAt = p.elements[0].offset + p.entries * p.RowWidth();
    }
    v.derivedPast = 0;
    for (ParamView& p : v.params) {
        p.writtenPast = WrittenPast(p);
        if (std::find(std::begin(kDerivedSlots), std::end(kDerivedSlots), p.keyword) != std::end(kDerivedSlots) ||
            std::find(std::begin(kDeriveKeywords), std::end(kDeriveKeywords), p.keyword) != std::end(kDeriveKeywords))
            v.derivedPast = std::max(v.derivedPast, p.writtenPast);
    }
}

}  // namespace

int32_t WrittenPast(const ParamView& p)
{
    /* each bound is the end of a write of the defaults (SetDefaults) or of
     * the preparation (entries, counts, flags, derived slots): an entry's
     * stride is taken as the larger of the row and the element, as either
     * layout may place it, and an element as at least four bytes (a derived
     * literal kind or length) */
    int64_t end = 0;
    auto reach = [&end](int64_t at, int64_t size) {
        if (at >= 0 && size > 0)
            end = std::max(end, at + size);
    };
    reach(p.countAt, 4);
    reach(p.flagsAt, static_cast<int64_t>(p.values.size()));
    const int64_t rows = std::max<int64_t>(1, p.entries);
    for (size_t e = 0; e < p.elements.size(); ++e) {
        const int64_t size = std::max<int64_t>({p.ElementSize(e), p.elements[e].width, 4});
        const int64_t stride = std::max<int64_t>(p.RowWidth(), size);
        reach(p.elements[e].offset, (rows - 1) * stride + size);
    }
    return static_cast<int32_t>(std::min<int64_t>(end, FFC_PARM_AREA_SIZE));
}

void ForgetCommandViews()
{
    ViewIndex& index = Views();
    decltype(index.views)().swap(index.views);
    decltype(index.runs)().swap(index.runs);
    index.known = {};
    index.area = nullptr;
    index.count = 0;
}

const CommandView& ReadCommandView(const void* pArea, uint16_t usCount, const char* acCommand)
{
    ViewIndex& index = Views();
    if (index.area != pArea || index.count != usCount)
        IndexCommandViews(pArea, usCount);
    ViewIndex::Known& known = index.known[KnownSlot(acCommand)];
    if (!known.view || std::memcmp(known.name, acCommand, 10) != 0) {
        // a command's defaults are worked out when it is first prepared:
        // a function uses few of the commands
        CommandView& view = ViewOf(index, TrimmedName(acCommand));
        if (!view.defaultsMade)
            MakeDefaults(view);
        std::memcpy(known.name, acCommand, 10);
        known.view = &view;
    }
    return *known.view;
}

namespace {

/* Stores a default text into one element field (no findings: defaults are
 * the table's own values). */
void StoreDefault(const ElementView& el, char* at, const std::string& text)
{
    switch (el.kind) {
    case 'N': PutInt32(at, static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10))); return;
    case 'H': PutInt16(at, static_cast<int16_t>(std::strtol(text.c_str(), nullptr, 10))); return;
    case 'C': {
        char c = text.empty() ? ' ' : text[0] == '*' && text.size() > 1 ? text[1] : text[0];
        *at = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return;
    }
    case 'S': {
        std::string s = !text.empty() && text[0] == '*' ? text.substr(1) : text;
        std::memcpy(at, Fixed(s, el.width).data(), el.width);
        return;
    }
    default: std::memcpy(at, Fixed(text, el.width).data(), el.width); return;
    }
}

void ClearNumbers(const ParamView& p, char* area)
{
    if (p.countAt >= 0 && InArea(p.countAt, 4))
        PutInt32(area + p.countAt, 0);
    int32_t rows = p.layout == 'S' ? 1 : p.entries;
    for (size_t e = 0; e < p.elements.size(); ++e) {
        const ElementView& el = p.elements[e];
        if (el.kind != 'N' && el.kind != 'H')
            continue;
        int32_t stride = p.layout == 'R' || p.layout == 'F' ? p.RowWidth() : p.ElementSize(e);
        for (int32_t r = 0; r < rows; ++r) {
            int32_t at = el.offset + r * stride;
            if (!InArea(at, p.ElementSize(e)))
                break;
            if (el.kind == 'N')
                PutInt32(area + at, 0);
            else
                PutInt16(area + at, 0);
        }
    }
    if (p.layout == 'F' && InArea(p.flagsAt, static_cast<int32_t>(p.values.size())))
        std::memset(area + p.flagsAt, 'N', p.values.size());
}

/* Blanks the parameter area (numbers and counts 0, flags 'N') and sets the
 * defaults of the command's parameters. */
void SetDefaults(const CommandView& view, char* area)
{
    std::memset(area, ' ', FFC_PARM_AREA_SIZE);
    for (const ParamView& p : view.params) {
        ClearNumbers(p, area);
        if (p.elements.empty())
            continue;
        if (p.layout == 'S') {
            for (const ElementView& el : p.elements)
                if (!el.defaultValue.empty() && InArea(el.offset, el.width))
                    StoreDefault(el, area + el.offset, el.defaultValue);
            continue;
        }
        const ElementView& first = p.elements[0];
        if (first.defaultValue.empty() || p.layout == 'C')
            continue;
        if (!InArea(first.offset, first.width) || p.countAt < 0)
            continue;
        StoreDefault(first, area + first.offset, first.defaultValue);
        PutInt32(area + p.countAt, 1);
        if (p.layout == 'F') {
            auto it = std::find(p.values.begin(), p.values.end(), first.defaultValue);
            if (it != p.values.end())
                area[p.flagsAt + (it - p.values.begin())] = 'Y';
        }
    }
}

/* The first byte at or after `at` that is no blank, or npos: the area is
** mostly blanks, passed eight at a time. */
size_t firstNotBlank(std::string_view area, size_t at)
{
    constexpr uint64_t kBlanks = 0x2020202020202020ULL;
    for (uint64_t word; at + 8 <= area.size(); at += 8) {
        std::memcpy(&word, area.data() + at, 8);
        if (word != kBlanks)
            break;
    }
    for (; at < area.size(); ++at)
        if (area[at] != ' ')
            return at;
    return std::string_view::npos;
}

}  // namespace

namespace {

/* Whether every entry of the parameter holds, in the area, what a list's
 * entries are blanked to before the entries given are stored: blanks, and
 * binary zeros for numbers (the rows as Preparer::StoreEntries takes them). */
bool EntriesBlank(const ParamView& p, const char* area)
{
    for (size_t e = 0; e < p.elements.size(); ++e) {
        const ElementView& el = p.elements[e];
        const int32_t size = p.ElementSize(e);
        const int32_t stride = p.EntryStride(e);
        const char blank = p.EmptyByte(e);
        if (el.offset < 0 || size <= 0)
            continue;
        /* the rows side by side are looked at as one stretch */
        const int32_t rows = stride == size ? 1 : p.entries;
        const int32_t most = stride == size ? (FFC_PARM_AREA_SIZE - el.offset) / size : 1;
        const int32_t length = size * std::min(p.entries, most);
        for (int32_t r = 0; r < rows; ++r) {
            const int32_t at = el.offset + r * stride;
            if (length <= 0 || at < 0 || at + length > FFC_PARM_AREA_SIZE)
                break;
            if (blank == ' ' ? dqov::text::BeforeBlankWords(area + at, static_cast<size_t>(length)) != 0
                             : std::any_of(area + at, area + at + length, [](char c) { return c != 0; }))
                return false;
        }
    }
    return true;
}

}  // namespace

void MakeDefaults(CommandView& view)
{
    std::string area(FFC_PARM_AREA_SIZE, ' ');
    SetDefaults(view, area.data());
    for (ParamView& p : view.params)
        p.entriesBlankInDefaults = p.layout != 'S' && EntriesBlank(p, area.data());
    view.defaults.clear();
    // the defaults lie before the end of the parameters' writes (a
    // parameter not indexed counts to the area's end): past it the area is
    // blank and is not looked at
    int32_t past = 0;
    for (const ParamView& p : view.params)
        past = std::max(past, std::clamp<int32_t>(p.writtenPast, 0, FFC_PARM_AREA_SIZE));
    const std::string_view written(area.data(), static_cast<size_t>(past));
    // a stretch takes in the short blank gaps between its pieces: copying a
    // few blanks over blanks costs less than another copy
    constexpr size_t kGap = 32;
    for (size_t at = firstNotBlank(written, 0); at != std::string::npos; at = firstNotBlank(written, at)) {
        size_t end = written.find(' ', at);
        for (;;) {
            if (end == std::string::npos) {
                end = written.size();
                break;
            }
            size_t next = firstNotBlank(written, end);
            if (next == std::string::npos || next - end > kGap)
                break;
            end = written.find(' ', next);
        }
        view.defaults.emplace_back(static_cast<int32_t>(at), area.substr(at, end - at));
        at = end;
    }
    view.defaultsPast = view.defaults.empty()
                            ? 0
                            : view.defaults.back().first + static_cast<int32_t>(view.defaults.back().second.size());
    view.defaultsMade = true;
}

void ApplyDefaults(const CommandView& view, FFC_PARSED_COMMAND* pCommand, int32_t blankFrom)
{
    if (!view.defaultsMade) {
        SetDefaults(view, pCommand->acParms);
        return;
    }
    std::memset(pCommand->acParms, ' ', static_cast<size_t>(std::clamp<int32_t>(blankFrom, 0, FFC_PARM_AREA_SIZE)));
    for (const auto& [at, bytes] : view.defaults)
        std::memcpy(pCommand->acParms + at, bytes.data(), bytes.size());
}

}  // namespace dqov::cmdparm

// Stored design data (QV_F85): the text maps of designed screens and
// report lines, replaced as a whole (delete, then insert), and the report
// image with blank rows filling the gaps between stored lines.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/design/report_design.h"
#include "layout/design/screen_design.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

using namespace layout::design;

namespace {

constexpr uint16_t kSlot = 12;

// A report image line (of kLineColumns characters) is stored as records of
// chunks of 132 characters, at most four.
constexpr size_t kImageChunkWidth = 132;
constexpr int32_t kImageChunks = 4;

struct Keys {
    std::string partition, process, function, kind, key2;
};

Keys KeysOf(const FFC_CONTEXT* ctx)
{
    return {dqov::text::Trim(ctx->acPartition, 3), dqov::text::Trim(ctx->acProcess, 10),
            dqov::text::Trim(ctx->acFunction, 7), "", ""};
}

void Run(SSQL_AREA& area, const char* tag)
{
    SSQL_SQLDA* handle = nullptr;
    SSQL_SetLocation(tag);
    if (SSQL_sRun(&area, &handle, 0) == SSQL_RC_ERROR)
        FFC_SQL_Error(handle, tag);
    SMEM_FreeMem(handle);
}

void DeleteTextMap(const Keys& k, const char* tag)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "DELETE FROM QV_DTA.QV_F85 WHERE X85P_I = '%s' AND X85MOD = '%s' AND X85FMT = '%s' AND "
                    "X85KV1 = '%s' AND X85KV2 = '%s'",
                    k.partition.c_str(), k.process.c_str(), k.function.c_str(), k.kind.c_str(), k.key2.c_str());
    Run(area, tag);
}

void Insert(const Keys& k, const std::string& payload, int32_t sequence, const char* tag)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "INSERT INTO QV_DTA.QV_F85 (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85DTA, X85SEQ) VALUES "
                    "('%s', '%s', '%s', '%s', '%s', '%v', %d)",
                    k.partition.c_str(), k.process.c_str(), k.function.c_str(), k.kind.c_str(), k.key2.c_str(),
                    static_cast<int>(payload.size()), payload.data(), static_cast<int>(sequence));
    Run(area, tag);
}

// "((" + text-map name + " " + "1 1))": the 16-character text parameter.
std::string TextParameter(const std::string& name)
{
    std::string padded = name;
    padded.resize(8, ' ');
    return "((" + padded + " 1 1))";
}

// Replaces the text map of a command by the text entries given in turn by
// next(); the command's text parameter names the map while it has texts.
// A command left without texts has its parameter cleared; its earlier rows
// stay, named by nothing, until a command given the same map name stores
// its texts (which replaces them).
template <typename Next>
void SaveTextMap(FFC_CONTEXT* ctx, int32_t command, uint16_t code, const std::string& name, bool screen, int32_t width,
                 char mirror, Next next)
{
    Keys k = KeysOf(ctx);
    k.kind = "TEXTMAPS  ";
    k.key2 = name;
    k.key2.resize(10, ' ');
    const char* deleteTag = screen ? "P3097_07" : "P3019_10";
    P31O2_sInsertCommandParameter(static_cast<int16_t>(command), code, screen ? 16 : 1,
                                  screen ? "                " : " ");
    int32_t sequence = 0;
    LAYOUT_FIELD_ENTRY e;
    while (next(e)) {
        if (e.cType != 'T')
            continue;
        if (sequence == 0) {
            DeleteTextMap(k, deleteTag);
            const std::string value = TextParameter(name);
            P31O2_sInsertCommandParameter(static_cast<int16_t>(command), code, static_cast<uint16_t>(value.size()),
                                          value.c_str());
        }
        ++sequence;
        const int32_t column = mirror == 'Y' ? width + 2 - e.lColumn - e.lLength : e.lColumn;
        std::string payload(e.acEditMask, screen ? 80 : 120);
        payload += Digits(e.lLine, 3) + Digits(column, 3);
        if (screen) {
            payload.append(e.acInputFlags, 14);
            payload.append(32, ' ');
            payload.push_back('\0');
        } else {
            payload.append(6, ' ');
        }
        Insert(k, payload, sequence, screen ? "P3097_08" : "P3019_11");
    }
}

// Stores one image line as its chunks of kImageChunkWidth characters.
void StoreLine(const Keys& base, int32_t line, const std::string& text, int32_t chunks, const char* tag)
{
    std::string area(kImageChunks * kImageChunkWidth, ' ');
    constexpr size_t lineColumns = kLineColumns;
    area.replace(0, std::min(text.size(), lineColumns), text.substr(0, lineColumns));
    Keys k = base;
    for (int32_t chunk = 1; chunk <= chunks; ++chunk) {
        k.key2 = Digits(line, 9) + Digits(chunk, 1);
        Insert(k, area.substr(static_cast<size_t>(chunk - 1) * kImageChunkWidth, kImageChunkWidth), chunk, tag);
    }
}

// Reads the stored lines of the image in key order.
std::vector<int32_t> StoredLines(const Keys& k)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "SELECT x85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85SEQ FROM QV_DTA.QV_F85 WHERE X85P_I = "
                    "'%s' AND  X85MOD = '%s' AND  X85FMT = '%s' AND  X85KV1 = '%s' ORDER BY X85P_I, X85MOD, "
                    "X85FMT, X85KV1, X85KV2,X85SEQ",
                    k.partition.c_str(), k.process.c_str(), k.function.c_str(), k.kind.c_str());
    uint16_t cursor = 0;
    SSQL_SetLocation("P3019_06");
    if (SSQL_sOpenExt(&cursor) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, "P3019_06");
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    char partition[3], process[10], function[7], kind[10], key2[10];
    int32_t sequence = 0;
    std::vector<int32_t> lines;
    for (bool first = true;; first = false) {
        const char* tag = first ? "P3019_07" : "P3019_09";
        SSQL_SetLocation(tag);
        const unsigned short rc =
            SSQL_sFetchExt(&area, cursor, &ca, &da, 6, SSQL_FIXED(partition, 3), SSQL_FIXED(process, 10),
                           SSQL_FIXED(function, 7), SSQL_FIXED(kind, 10), SSQL_FIXED(key2, 10), SSQL_I32(&sequence));
        if (rc == SSQL_RC_ERROR)
            FFC_SQL_Error(ca, tag);
        if (rc != SSQL_RC_OK)
            break;
        int32_t line = 0;
        FIX_lDigitsToLong(key2, 9, &line);
        if (lines.empty() || lines.back() != line)
            lines.push_back(line);
    }
    SSQL_SetLocation("P3019_09");
    if (SSQL_sCloseExt(cursor, &ca, &da) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, "P3019_09");
    return lines;
}

}  // namespace

extern "C" void P3097_SaveTextMaps(void)
{
    ScreenDesign& s = ScreenStep();
    std::fill(s.buffer.begin(), s.buffer.end(), ' ');
    if (s.formats.empty())
        return;
    FFC_WORK_RECORD r;
    WF_BlankRecord(s.ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_RCDFLD, 10);
    std::memcpy(r.acName, s.formats.front().name, 8);
    char rc = WF_cReadFirst(s.ctx, kSlot, &r, 2);
    SaveTextMap(s.ctx, s.commandNumber, s.popUp ? 34101 : 14101, s.textMap, true, s.usableWidth, s.mirror(),
                [&](LAYOUT_FIELD_ENTRY& e) {
                    if (rc != '0')
                        return false;
                    std::memcpy(&e, r.acData, sizeof e);
                    rc = WF_cReadNext(s.ctx, kSlot, &r, 2);
                    return true;
                });
}

extern "C" void P3019_SaveTextMaps(void)
{
    ReportDesign& s = ReportStep();
    std::fill(s.buffer.begin(), s.buffer.end(), ' ');
    int32_t n = 0;
    const std::string name = TextMapNameOf(s, s.designed.number);
    SaveTextMap(s.ctx, s.designed.number, 8501, name, false, s.width, s.mirror(), [&](LAYOUT_FIELD_ENTRY& e) {
        while (++n <= s.entryCount) {
            bool ofLine = false;
            for (int32_t row = 1; row <= s.rowCount && !ofLine; ++row)
                ofLine = s.rows[row].entry == n && OfDesignedLine(s.rows[row]);
            if (!ofLine)
                continue;
            e = ReportField(n);
            return true;
        }
        return false;
    });
}

// The report's lines in page order: headings at their own lines, second
// headings and body lines (in the page's body order) each after the line
// before it, footings at their own lines. A line number met twice is
// stored once.
extern "C" void P3019_SaveReportImage(void)
{
    ReportDesign& s = ReportStep();
    Keys k = KeysOf(s.ctx);
    k.kind = "FUNCREP" + Digits(s.reportNumber, 3);
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "DELETE FROM QV_DTA.QV_F85 WHERE X85P_I = '%s' AND X85MOD = '%s' AND X85FMT = '%s' AND "
                    "X85KV1 = '%s'",
                    k.partition.c_str(), k.process.c_str(), k.function.c_str(), k.kind.c_str());
    Run(area, "P3019_01");
    // A width above the four chunks of the area is cut to them.
    constexpr int32_t chunkWidth = static_cast<int32_t>(kImageChunkWidth);
    const int32_t chunks = std::clamp<int32_t>((s.width + chunkWidth - 1) / chunkWidth, 1, kImageChunks);
    std::set<int32_t> stored;
    auto store = [&](int32_t line, const SectionEntry& e, const char* tag) {
        if (stored.insert(line).second)
            StoreLine(k, line, std::string(e.text, sizeof e.text), chunks, tag);
    };
    int32_t line = 0;
    SectionEntry e;
    for (uint16_t n = 1; n <= SectionEntryCount("HED"); ++n)
        if (ReadSectionEntry("HED", n, e)) {
            line = e.reportLine;
            store(line, e, "P3019_02");
        }
    for (uint16_t n = 1; n <= SectionEntryCount("HD2"); ++n)
        if (ReadSectionEntry("HD2", n, e)) {
            line += e.before;
            store(line, e, "P3019_03");
            line += e.after;
        }
    for (const OrderRow& o : s.order)
        if (ReadSectionEntry(o.section, static_cast<uint16_t>(o.entry), e)) {
            line += std::max<int32_t>(e.before, 1);
            store(line, e, "P3019_04");
            line += e.after;
        }
    for (uint16_t n = 1; n <= SectionEntryCount("FOT"); ++n)
        if (ReadSectionEntry("FOT", n, e)) {
            line = e.reportLine;
            store(line, e, "P3019_05");
        }
    // every line from the first stored to the last: blank rows fill gaps
    const std::vector<int32_t> lines = StoredLines(k);
    for (size_t i = 1; i < lines.size(); ++i)
        for (int32_t missing = lines[i - 1] + 1; missing < lines[i]; ++missing)
            StoreLine(k, missing, "", chunks, "P3019_08");
}

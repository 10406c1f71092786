// Stored design data (QV_F85): the text maps of designed screens and
// report lines, replaced as a whole (delete, then insert), and the report
// image with blank rows filling the gaps between stored lines.
#include <cstring>
#include <string>
#include <vector>

#include "checker/checker.h"
#include "checker/support_names.h"
#include "dqov/fatal.h"
#include "dqov/fix.h"
#include "layout/design/design_state.h"
#include "platform/dqos/dqos.h"

using namespace layout::design;

namespace {

struct Keys {
    std::string partition, process, function, kind, key2;
};

Keys KeysOf(const FFC_CONTEXT *ctx)
{
    return {checker::Trim(ctx->acPartition, 3), checker::Trim(ctx->acProcess, 10), checker::Trim(ctx->acFunction, 7),
            "", ""};
}

void Run(SSQL_AREA &area, const char *tag)
{
    SSQL_SQLDA *handle = nullptr;
    SSQL_SetLocation(tag);
    if (SSQL_sRun(&area, &handle, 0) == SSQL_RC_ERROR)
        FFC_SQL_Error(handle, tag);
    SMEM_FreeMem(handle);
}

void DeleteTextMap(const Keys &k, const char *tag)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "DELETE FROM QV_DTA.QV_F85 WHERE X85P_I = '%s' AND X85MOD = '%s' AND X85FMT = '%s' AND "
                           "X85KV1 = '%s' AND X85KV2 = '%s'",
                    k.partition.c_str(), k.process.c_str(), k.function.c_str(), k.kind.c_str(), k.key2.c_str());
    Run(area, tag);
}

void Insert(const Keys &k, const std::string &payload, int32_t sequence, const char *tag)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "INSERT INTO QV_DTA.QV_F85 (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85DTA, X85SEQ) VALUES "
                           "('%s', '%s', '%s', '%s', '%s', '%v', %d)",
                    k.partition.c_str(), k.process.c_str(), k.function.c_str(), k.kind.c_str(), k.key2.c_str(),
                    static_cast<int>(payload.size()), payload.data(), static_cast<int>(sequence));
    Run(area, tag);
}

std::string Digits(int32_t value, uint32_t n)
{
    char digits[15];
    FIX_LongToDigits(&value, n, digits);
    return std::string(digits, n);
}

// The stored column: mirrored from the right edge when the flag is set.
int32_t StoredColumn(const DesignStep &s, const LAYOUT_FIELD_ENTRY &e)
{
    return s.mirror == 'Y' ? s.width + 2 - e.lColumn - e.lLength : e.lColumn;
}

// "((" + text-map name + " " + "1 1))": the 16-character text parameter.
std::string TextParameter(const std::string &name)
{
    std::string padded = name;
    padded.resize(8, ' ');
    return "((" + padded + " 1 1))";
}

void SaveTextMap(DesignStep &s, uint16_t code, bool screen)
{
    Keys k = KeysOf(s.ctx);
    P31O2_sInsertCommandParameter(s.commandNumber, code, screen ? 16 : 1, screen ? "                " : " ");
    int32_t sequence = 0;
    for (const LAYOUT_FIELD_ENTRY &e : s.fields) {
        if (e.cType != 'T')
            continue;
        if (sequence == 0) {
            k.kind = "TEXTMAPS  ";
            k.key2 = s.textMap;
            k.key2.resize(10, ' ');
            DeleteTextMap(k, screen ? "P3097_07" : "P3019_10");
            const std::string value = TextParameter(s.textMap);
            P31O2_sInsertCommandParameter(s.commandNumber, code, static_cast<uint16_t>(value.size()), value.c_str());
        }
        ++sequence;
        std::string payload(e.acEditMask, screen ? 80 : 120);
        payload += Digits(e.lLine, 3) + Digits(StoredColumn(s, e), 3);
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

// Stores one image line as its chunks of 132 characters.
void StoreLine(const Keys &base, int32_t line, const std::string &text, int32_t chunks, const char *tag)
{
    std::string area(528, ' ');
    area.replace(0, std::min<size_t>(text.size(), 400), text.substr(0, 400));
    Keys k = base;
    for (int32_t chunk = 1; chunk <= chunks; ++chunk) {
        k.key2 = Digits(line, 9) + Digits(chunk, 1);
        Insert(k, area.substr(static_cast<size_t>(chunk - 1) * 132, 132), chunk, tag);
    }
}

// Reads the stored lines of the image in key order.
std::vector<int32_t> StoredLines(const Keys &k)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT x85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85SEQ FROM QV_DTA.QV_F85 WHERE X85P_I = "
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
        const char *tag = first ? "P3019_07" : "P3019_09";
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
    DesignStep &s = ScreenStep();
    SaveTextMap(s, s.popUp ? 34101 : 14101, true);
}

extern "C" void P3019_SaveTextMaps(void)
{
    DesignStep &s = ReportStep();
    SaveTextMap(s, 8501, false);
}

extern "C" void P3019_SaveReportImage(void)
{
    DesignStep &s = ReportStep();
    Keys k = KeysOf(s.ctx);
    k.kind = "FUNCREP" + Digits(s.reportNumber, 3);
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "DELETE FROM QV_DTA.QV_F85 WHERE X85P_I = '%s' AND X85MOD = '%s' AND X85FMT = '%s' AND "
                           "X85KV1 = '%s'",
                    k.partition.c_str(), k.process.c_str(), k.function.c_str(), k.kind.c_str());
    Run(area, "P3019_01");
    const int32_t chunks = std::max<int32_t>(1, std::min<int32_t>((s.width + 131) / 132, 4));
    int32_t line = 0;
    auto inSection = [&](const char *section) {
        for (const ImageLine &l : s.image) {
            if (l.section != section)
                continue;
            const bool fixed = l.section == "HED" || l.section == "FOT";
            if (fixed) {
                line = l.line;
                StoreLine(k, line, l.text, chunks, l.section == "HED" ? "P3019_02" : "P3019_05");
                continue;
            }
            line += l.before;
            StoreLine(k, line, l.text, chunks, "P3019_03");
            line += l.after;
        }
    };
    inSection("HED");
    inSection("HD2");
    for (const ImageLine &l : s.image) {
        if (l.section == "HED" || l.section == "HD2" || l.section == "FOT")
            continue;
        line += l.before;
        StoreLine(k, line, l.text, chunks, "P3019_04");
        line += l.after;
    }
    inSection("FOT");
    // every line from the first stored to the last: blank rows fill gaps
    const std::vector<int32_t> lines = StoredLines(k);
    for (size_t i = 1; i < lines.size(); ++i)
        for (int32_t missing = lines[i - 1] + 1; missing < lines[i]; ++missing)
            StoreLine(k, missing, "", chunks, "P3019_08");
}

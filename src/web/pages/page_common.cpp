/*
** page_common.cpp: the run identity, record reads, repository statements,
** browse-list tables, attribute tests, escaping and skeleton reading that
** the HTML and the XML page generators share.
*/
#include "web/pages/page_common.h"

#include <algorithm>
#include <cstring>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/workfile.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "web/pages/page_sets.h"

namespace web_pages {

namespace {

constexpr char kEndMarker[] = "KQ7@END   ";
constexpr size_t kStoredLine = 255;
constexpr size_t kSkeletonLine = 4095;

/* Runs a declared single statement; the first column (when given) into a
** 32-bit count. The result code of the run. */
unsigned short runSingle(const SSQL_AREA& area, uint32_t* pCount = nullptr)
{
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    const unsigned short rc =
        pCount ? SSQL_sRunExt(&area, &ca, &da, 1, SSQL_U32(pCount)) : SSQL_sRunExt(&area, &ca, &da, 0);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    return rc;
}

/* Runs a declared write; any non-zero result is a failure. */
bool runWrite(const SSQL_AREA& area)
{
    SSQL_SQLDA* da = nullptr;
    const unsigned short rc = SSQL_sRun(&area, &da, 0);
    SSQL_FreeSqlda(da);
    return rc == SSQL_RC_OK;
}

bool codeBegins(const char* codes40, const char* two)
{
    for (int i = 0; i < 10; ++i)
        if (codes40[4 * i] == two[0] && codes40[4 * i + 1] == two[1])
            return true;
    return false;
}

bool specialInEntity(char c)
{
    return c == '"' || c == '<' || c == '>' || c == '\'' || c == '&' || c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

/* An entity starts here: a ';' follows with no special character or white
** space before it, and the entity is longer than two characters. */
bool startsEntity(std::string_view text, size_t at)
{
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] == ';')
            return i - at + 1 > 2;
        if (specialInEntity(text[i]))
            return false;
    }
    return false;
}

}  // namespace

std::string FieldText(const char* pField, size_t ulWidth)
{
    return dqov::text::TrimRight(std::string_view(pField, strnlen(pField, ulWidth)));
}

std::string Padded(std::string_view text, size_t ulWidth)
{
    return dqov::text::Fixed(text, ulWidth);
}

bool ReadSystemFlags(FFC_CONTEXT* ctx, std::string& flags)
{
    const std::vector<FFC_WORK_RECORD> records = ReadRecords(ctx, 0, "SYSFLAGS  ");
    if (records.empty())
        return false;
    flags.assign(records.front().acData, 64);
    return true;
}

void StartRun(PageRun& run, FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const char* pszRoot, const char* module,
              const char* environment)
{
    run.ctx = ctx;
    run.state = state;
    run.root = pszRoot ? pszRoot : "";
    run.module = module;
    run.environment = environment;
    run.partition = FieldText(ctx->acPartition, 3);
    run.language = FieldText(ctx->acLanguage, 4);
    run.process = FieldText(state->acProcess, 10);
    run.function = FieldText(state->acFunction, 7);
    if (run.process.empty())
        run.process = FieldText(ctx->acProcess, 10);
    if (run.function.empty())
        run.function = FieldText(ctx->acFunction, 7);
    run.dbcs = ctx->cDoubleByte == 'Y';
    run.rltb = ctx->cRightToLeft == 'Y';
    run.lSet = 0;
    run.lSequence = 0;
}

std::vector<FFC_WORK_RECORD> ReadRecords(FFC_CONTEXT* ctx, uint16_t usSlot, const char* kind, std::string_view key2)
{
    std::vector<FFC_WORK_RECORD> out;
    FFC_WORK_RECORD r;
    std::memset(&r, ' ', sizeof r);
    std::memcpy(r.acKind, kind, std::min<size_t>(std::strlen(kind), FFC_WORK_KIND_LEN));
    if (!key2.empty())
        std::memcpy(r.acName, key2.data(), std::min<size_t>(key2.size(), FFC_WORK_NAME_LEN));
    const uint16_t parts = key2.empty() ? 1 : 2;
    const FFC_WORK_RECORD key = r;
    for (char rc = WF_cReadFirst(ctx, usSlot, &r, parts); rc == '0'; rc = WF_cReadNext(ctx, usSlot, &r, parts)) {
        out.push_back(r);
        std::memcpy(&r, &key, FFC_WORK_KEY_LEN);
    }
    return out;
}

Panel MakePanel(const PageRun& run, const WEBPNL_RECORD& r)
{
    Panel p;
    p.key.assign(r.key.acCommand, 8);
    p.ulNumber = WEB_GetU32(r.panel);
    p.cCommand = r.cCommand;
    p.title.assign(r.acTitle, sizeof r.acTitle);
    p.ulTitleFirst = WEB_GetU32(r.titleFirst);
    p.ulTitleLast = WEB_GetU32(r.titleLast);
    char number[16];
    std::snprintf(number, sizeof number, "%03lu", static_cast<unsigned long>(p.ulNumber));
    p.pageName = Padded(run.process, 10) + Padded(run.function, 7) + number;
    char text[96];
    std::snprintf(text, sizeof text, "Process %s Function %s %.3lu", run.process.c_str(), run.function.c_str(),
                  static_cast<unsigned long>(p.ulNumber));
    p.description = text;
    return p;
}

std::vector<PanelText> ReadPanelTexts(FFC_CONTEXT* ctx, const Panel& panel)
{
    std::vector<PanelText> texts;
    for (const FFC_WORK_RECORD& w : ReadRecords(ctx, 0, WEB_KIND_WEBTXT, panel.key)) {
        const WEBTXT_RECORD& r = As<WEBTXT_RECORD>(w);
        PanelText t;
        t.ulRow = WEB_GetU32(r.row);
        t.ulColumn = WEB_GetU32(r.column);
        t.rowColumn.assign(r.acRowColumn, 4);
        t.text = FieldText(r.acText, 80);
        texts.push_back(std::move(t));
    }
    return texts;
}

void WalkPanel(const std::vector<FFC_WORK_RECORD>& fields, const std::vector<PanelText>& texts, size_t& text,
               PanelLayout& layout)
{
    uint32_t current = 0;
    auto before = [&](uint32_t row, uint32_t column) {
        return text < texts.size() &&
               (texts[text].ulRow < row || (texts[text].ulRow == row && texts[text].ulColumn <= column));
    };
    for (const FFC_WORK_RECORD& w : fields) {
        const WEBDTA_RECORD& f = As<WEBDTA_RECORD>(w);
        if (IsEndMarker(f)) {
            layout.EndMarker();
            continue;
        }
        if (f.cUsage == 'H') {
            layout.Hidden(f);
            continue;
        }
        const uint32_t row = WEB_GetU32(f.row), column = WEB_GetU32(f.column);
        /* the rest of the current row's texts, up to the field when it stays on the row */
        while (text < texts.size() && texts[text].ulRow == current &&
               (row != current || column >= texts[text].ulColumn))
            layout.Text();
        if (row > current) {
            layout.NewRow(false);
            while (before(row, column)) {
                const uint32_t written = texts[text].ulRow;
                layout.Text();
                const uint32_t next = text < texts.size() ? texts[text].ulRow : row;
                if (next > written && row > written)
                    layout.NewRow(true);
            }
            current = row;
        }
        layout.Field(f);
    }
    while (text < texts.size()) {
        if (texts[text].ulRow > current) {
            layout.NewRow(false);
            current = texts[text].ulRow;
        }
        layout.Text();
    }
}

void FatalSql(PageRun& run, const std::string& tag)
{
    if (run.state) {
        ++run.state->stats.lFatalTotal;
        ++run.state->stats.lFatalLater;
    }
    P3108_FatalSqlError(tag.c_str());
}

void WriteHeaderRow(PageRun& run, const Panel& panel)
{
    auto area = std::make_unique<SSQL_AREA>();
    const std::string countTag = run.Tag("QV_X01/1"), writeTag = run.Tag("QV_X01/2");
    SSQL_SetLocation(countTag.c_str());
    SSQL_DeclareExt(area.get(),
                    "SELECT COUNT(*) FROM   QV_DTA.QV_X01 WHERE  X01P_I = '%s' AND  X01PEN = '%s' AND  X01SEN = '%s' "
                    "AND  X01PAG = '%s'",
                    run.partition.c_str(), run.environment.c_str(), run.subEnvironment.c_str(), panel.pageName.c_str());
    uint32_t count = 0;
    if (runSingle(*area, &count) == SSQL_RC_ERROR)
        FatalSql(run, countTag);
    SSQL_SetLocation(writeTag.c_str());
    if (count > 0) {
        /* the row stays; only a missing marker is set */
        SSQL_DeclareExt(area.get(),
                        "UPDATE QV_DTA.QV_X01 SET    X01SP1 = ' ' WHERE  X01P_I = '%s' AND    X01PEN = '%s' AND    "
                        "X01SEN = '%s' AND    X01PAG = '%s' AND    X01SP1 IS NULL ",
                        run.partition.c_str(), run.environment.c_str(), run.subEnvironment.c_str(),
                        panel.pageName.c_str());
    } else {
        SSQL_DeclareExt(area.get(),
                        "INSERT INTO QV_DTA.QV_X01 (X01P_I, X01PEN, X01SEN, X01PAG, X01DES, X01SP1) VALUES ( '%s',  "
                        "'%s',   '%s',   '%s',   '%s',   '%s'  )",
                        run.partition.c_str(), run.environment.c_str(), run.subEnvironment.c_str(),
                        panel.pageName.c_str(), panel.description.c_str(), " ");
    }
    if (!runWrite(*area))
        FatalSql(run, writeTag);
}

void WriteLine(PageRun& run, const Panel& panel, std::string_view text, bool fPad)
{
    ++run.lSequence;
    std::string stored(text.substr(0, std::min(text.size(), kStoredLine)));
    if (fPad)
        stored.resize(kStoredLine, ' ');
    const std::string tag = run.Tag("QV_X02/1");
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SetLocation(tag.c_str());
    SSQL_DeclareExt(area.get(),
                    "INSERT INTO QV_DTA.QV_X02 (X02P_I, X02PEN, X02SEN, X02PLN, X02PAG, X02SET, X02SEQ, X02TXT, "
                    "X02SP1 ) VALUES ('%s', '%s', '%s', '%s', '%s', '%l', '%l', '%s', '%s')",
                    run.partition.c_str(), run.environment.c_str(), run.subEnvironment.c_str(), run.language.c_str(),
                    panel.pageName.c_str(), static_cast<long>(run.lSet), static_cast<long>(run.lSequence),
                    stored.c_str(), " ");
    if (!runWrite(*area))
        FatalSql(run, tag);
}

uint32_t CountComponentUsage(PageRun& run, const WEBDTA_RECORD& field, char cIo, const char* tagSuffix)
{
    const std::string tag = run.Tag(tagSuffix);
    const std::string name = FieldText(field.acName, sizeof field.acName);
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SetLocation(tag.c_str());
    SSQL_DeclareExt(area.get(),
                    "SELECT COUNT(*) FROM   QV_DTA.QV_X03 WHERE  X03P_I = '%s' AND  X03PEN = '%s' AND  X03SEN = '%s' "
                    "AND  X03CMP = '%s' AND  X03IOV = '%c'",
                    run.partition.c_str(), run.environment.c_str(), run.subEnvironment.c_str(), name.c_str(),
                    static_cast<int>(cIo));
    uint32_t count = 0;
    if (runSingle(*area, &count) == SSQL_RC_ERROR)
        FatalSql(run, tag);
    return count;
}

void DeleteListRows(PageRun& run, const char* deleteSuffix)
{
    const std::string tag = run.Tag(deleteSuffix);
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SetLocation(tag.c_str());
    SSQL_DeclareExt(area.get(),
                    "DELETE FROM QV_DTA.QV_X04 WHERE X04P_I = '%s' AND X04PEN = '%s' AND X04SEN = '%s' AND X04MOD = "
                    "'%s' AND X04FMT = '%s'",
                    run.partition.c_str(), run.environment.c_str(), run.subEnvironment.c_str(), run.process.c_str(),
                    run.function.c_str());
    if (!runWrite(*area))
        FatalSql(run, tag);
}

void RollSets(PageRun& run)
{
    if (!P3137_RollSets(run.ctx, run.partition.c_str(), run.process.c_str(), run.function.c_str(),
                        run.environment.c_str(), run.subEnvironment.c_str(), run.language.c_str()))
        FatalSql(run, run.Tag("RollSets"));
}

void InsertListRow(PageRun& run, const ListRow& row, const std::string& tag)
{
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SetLocation(tag.c_str());
    SSQL_DeclareExt(area.get(),
                    "INSERT INTO QV_DTA.QV_X04 (X04P_I, X04PEN, X04SEN, X04MOD, X04FMT, X04BRW, X04FNO, X04FLD, "
                    "X04USG, X04TYP, X04LEN, X04DEC, X04CH1, X04CH2, X04CH3, X04INA, X04OUA, X04ROW, X04COL, X04ECD, "
                    "X04EWD, X04MLN, X04NMV, X04KSH, X04SP1 ) VALUES ('%s', '%s', '%s', '%s', '%s', '%s', '%l', "
                    "'%s', '%s', '%s', '%l', '%l', '%s', '%s', '%s', '%s', '%s', '%l', '%l', '%s', '%s', '%l', "
                    "'%s', '%s', '%s')",
                    run.partition.c_str(), run.environment.c_str(), run.subEnvironment.c_str(), run.process.c_str(),
                    run.function.c_str(), row.list.c_str(), static_cast<long>(row.lColumn), row.field.c_str(),
                    row.usage.c_str(), row.type.c_str(), static_cast<long>(row.lLength),
                    static_cast<long>(row.lDecimals), row.heading[0].c_str(), row.heading[1].c_str(),
                    row.heading[2].c_str(), row.input.c_str(), row.output.c_str(), static_cast<long>(row.lRow),
                    static_cast<long>(row.lColumnPosition), row.editCode.c_str(), row.editWord.c_str(),
                    static_cast<long>(row.lMaxLength), row.nmv.c_str(), row.shift.c_str(), "");
    if (!runWrite(*area))
        FatalSql(run, tag);
}

ListRow MakeListRow(const WEBDTA_RECORD& f, const std::string& list10, int32_t lColumn, const std::string& marked)
{
    ListRow row;
    row.list = list10;
    row.lColumn = lColumn;
    row.field.assign(f.acName, 10);
    const bool isMarked = !marked.empty() && marked[0] != ' ' && marked == row.field;
    row.usage = std::string(1, isMarked ? 'S' : f.cUsage);
    row.type = std::string(1, f.cType);
    row.lLength = static_cast<int32_t>(WEB_GetU32(f.length));
    row.lDecimals = static_cast<int32_t>(WEB_GetU32(f.decimals));
    row.heading[0] = ListHeading(f.acHeading1, WEB_GetU32(f.firstA), WEB_GetU32(f.lastA));
    row.heading[1] = ListHeading(f.acHeading2, WEB_GetU32(f.firstB), WEB_GetU32(f.lastB));
    row.heading[2] = ListHeading(f.acHeading3, WEB_GetU32(f.firstC), WEB_GetU32(f.lastC));
    row.input.assign(f.acInput, 40);
    row.output.assign(f.acOutput, 40);
    const bool hidden = f.cUsage == 'H';
    row.lRow = hidden ? 1 : static_cast<int32_t>(WEB_GetU32(f.row));
    row.lColumnPosition = hidden ? 1 : static_cast<int32_t>(WEB_GetU32(f.column));
    row.editWord = HasEditWord(f) ? std::string(f.acEditWord, 24) : std::string();
    return row;
}

std::string ListHeading(const char* pachHeading20, uint32_t ulFirst, uint32_t ulLast)
{
    if (std::memcmp(pachHeading20, "@T", 2) != 0)
        return std::string(pachHeading20, 20);
    char text[48];
    std::snprintf(text, sizeof text, "&%s+%.4u+%.4u", FieldText(pachHeading20 + 1, 19).c_str(),
                  static_cast<unsigned>(ulFirst), static_cast<unsigned>(ulLast));
    return text;
}

void GroupFieldTable::Build(FFC_CONTEXT* ctx)
{
    lists_.clear();
    for (const FFC_WORK_RECORD& w : ReadRecords(ctx, 0, WEB_KIND_WEBLST)) {
        const std::string list(As<WEBLST_RECORD>(w).acList, 10);
        std::string marked;
        for (const FFC_WORK_RECORD& g : ReadRecords(ctx, 1, LAYOUT_KIND_GROUPFLD, list)) {
            if (g.acData[GF_SELECT] == '1') {
                marked.assign(g.acData, 10);
                break;
            }
        }
        lists_.emplace_back(list, marked);
    }
}

std::string GroupFieldTable::MarkedField(std::string_view list10) const
{
    for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
        if (it->first == list10)
            return it->second;
    return {};
}

bool HasAttribute(const WEBDTA_RECORD& field, const char* pszTwoLetters)
{
    return codeBegins(field.acInput, pszTwoLetters) || codeBegins(field.acOutput, pszTwoLetters);
}

std::string DropDownCode(const WEBDTA_RECORD& field)
{
    for (const char* codes : {field.acInput, field.acOutput})
        for (int i = 0; i < 10; ++i)
            if (codes[4 * i] == 'D' && codes[4 * i + 1] == 'D')
                return std::string(codes + 4 * i, 4);
    return std::string(4, ' ');
}

uint32_t DisplayWidth(const WEBDTA_RECORD& field)
{
    const uint32_t length = WEB_GetU32(field.length);
    switch (field.cType) {
    case 'E':
    case 'M':
    case 'Y': return 10;
    case 'F': return length == 4 ? 15 : 30;
    case 'I': return length == 1 ? 4 : length == 2 ? 6 : length == 4 ? 11 : 21;
    case 'P':
    case 'S': return length + (WEB_GetU32(field.decimals) > 0 ? 1 : 0);
    case 'Z': return 30;
    default: return length;
    }
}

bool HasEditCode(const WEBDTA_RECORD& field)
{
    return field.cEditCode != ' ' && field.cEditCode != '\0';
}

bool HasEditWord(const WEBDTA_RECORD& field)
{
    return !P3108_fIsAllBlank(field.acEditWord, 24);
}

bool IsEndMarker(const WEBDTA_RECORD& field)
{
    return std::memcmp(field.acName, kEndMarker, 10) == 0;
}

std::string EscapeMarkup(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\x0E') {
            const size_t end = text.find('\x0F', i);
            const size_t stop = end == std::string_view::npos ? text.size() : end + 1;
            out.append(text.substr(i, stop - i));
            i = stop - 1;
            continue;
        }
        switch (c) {
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '&': out += startsEntity(text, i) ? "&" : "&amp;"; break;
        default: out += c;
        }
    }
    return out;
}

SkeletonFile OpenSkeleton(const std::string& path)
{
    std::string host;
    if (dqoz::MapPath(path, host) != 0)
        return nullptr;
    return SkeletonFile(std::fopen(host.c_str(), "r"));
}

SkeletonFile OpenSkeletonOrEnd(const std::string& path, const char* what)
{
    SkeletonFile skeleton = OpenSkeleton(path);
    if (!skeleton) {
        const std::string text = std::string("Unable to open ") + what + " " + path + ".";
        FFC_Fatal_Error(text.c_str());
    }
    return skeleton;
}

void WritePanelPages(PageRun& run, Panel& panel, const char* kind, const std::function<void()>& writePage)
{
    ShowStatus(("Rolling existing " + std::string(kind) + " sets for function").c_str());
    RollSets(run);
    ShowStatus(("Generating " + std::string(kind) + " for the function").c_str());
    for (const FFC_WORK_RECORD& w : ReadRecords(run.ctx, 1, WEB_KIND_WEBPNL)) {
        panel = MakePanel(run, As<WEBPNL_RECORD>(w));
        WriteHeaderRow(run, panel);
        writePage();
    }
}

bool ReadSkeletonLine(std::FILE* file, std::string& line)
{
    line.clear();
    int c = std::fgetc(file);
    if (c == EOF)
        return false;
    for (; c != EOF && c != '\n'; c = std::fgetc(file))
        if (line.size() < kSkeletonLine)
            line += static_cast<char>(c);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\f' || line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return true;
}

std::string Formatted(const char* format, unsigned long ulValue)
{
    char text[32];
    std::snprintf(text, sizeof text, format, ulValue);
    return text;
}

std::string StampText()
{
    DQOZ_DATETIME now{};
    DosGetDateTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d", now.year, now.month, now.day, now.hours,
                  now.minutes, now.seconds);
    return text;
}

std::string CentredTitle(const std::string& title)
{
    const size_t begin = title.find_first_not_of(' ');
    if (begin == std::string::npos)
        return Padded("N/A", title.size());
    const std::string text = title.substr(begin, title.find_last_not_of(' ') - begin + 1);
    const long lead = (static_cast<long>(title.size()) - 1) / 2 - static_cast<long>(text.size()) / 2;
    std::string out(lead > 0 ? static_cast<size_t>(lead) : 0, ' ');
    out += text;
    if (out.size() < title.size())
        out.resize(title.size(), ' ');
    return out;
}

void ShowStatus(const char* text)
{
    P31O2_ShowStatusText(text, static_cast<int16_t>(std::strlen(text)));
}

void ShowEndStatus(const char* text)
{
    P31O2_SetSeverityColour(3);
    ShowStatus(text);
    P31O2_SetBaseColour(4);
}

}  // namespace web_pages

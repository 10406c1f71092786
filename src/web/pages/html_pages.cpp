/*
** html_pages.cpp: the HTML page generator.
**
** Every skeleton line becomes at most one page line: a line without '%'
** is stored as it is; the directives %W3FLD (the panel's texts and fields
** as table rows), %W3BRW (the browse list and its QV_X04 columns), %W3TTL
** (the title) and %W3FRM (the form) are replaced by their lines; any other
** line goes through the substitution of the keyword table below, where a
** keyword consumes a fixed number of characters (its value's width) and a
** conditional keyword whose condition fails drops the line.
*/
#include "web/pages/page_generators.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "web/pages/page_common.h"

namespace {

using namespace web_pages;

constexpr size_t kOutputLimit = 8192;

/* A 40-character description as page text: escaped like every other text
** of the page, and blank-padded to its 40 columns (an escaped text that
** grew past them is not cut, so that no entity is broken). */
std::string EscapedDescription(const char* acDescription)
{
    std::string text = EscapeMarkup(FieldText(acDescription, 40));
    if (text.size() < 40)
        text.resize(40, ' ');
    return text;
}

enum class Key {
    Process,
    ProcessDesc,
    Function,
    FunctionDesc,
    PanelNumber,
    PageName,
    Product,
    Stamp,
    User,
    Sequence,
    IfWebEvent,
    IfRltb,
    IfNotRltb,
    IfNotWebEvent,
    LabelId,
    Label1,
    Label2,
    LabelText,
    Name,
    TypedName,
    Row,
    Column,
    Size,
    MaxDisplay,
    MaxCode,
    MaxWord,
    Digits,
    Decimals,
    DecimalPoint,
    Shift,
    Text,
    List,
    DropDown,
    EditCode,
    EditWord,
    Io
};
struct Keyword {
    std::string_view text;
    size_t consumed;
    Key key;
};
/* Tried in this order at every '%'. */
constexpr Keyword kKeywords[] = {
    {"%PR   ", 10, Key::Process},
    {"%PRDS ", 40, Key::ProcessDesc},
    {"%FU   ", 7, Key::Function},
    {"%FUDS ", 40, Key::FunctionDesc},
    {"%PG   ", 3, Key::PanelNumber},
    {"%PANEL", 20, Key::PageName},
    {"%PROD ", 6, Key::Product},
    {"%STAMP", 14, Key::Stamp},
    {"%USERI", 10, Key::User},
    {"%SEQ", 4, Key::Sequence},
    {"%IFWEV", 6, Key::IfWebEvent},
    {"%IFRLTB", 7, Key::IfRltb},
    {"%IFNRLTB", 8, Key::IfNotRltb},
    {"%IFNWEV", 7, Key::IfNotWebEvent},
    {"%TNNNN", 6, Key::LabelId},
    {"%XXX", 4, Key::Label1},
    {"%YYY", 4, Key::Label2},
    {"%DLC", 4, Key::LabelText},
    {"%NAME", 10, Key::Name},
    {"%TNAME", 10, Key::TypedName},
    {"%R", 2, Key::Row},
    {"%C", 2, Key::Column},
    {"%SZ", 3, Key::Size},
    {"%MX", 3, Key::MaxDisplay},
    {"%MC", 3, Key::MaxCode},
    {"%MW", 3, Key::MaxWord},
    {"%DG", 3, Key::Digits},
    {"%DC", 3, Key::Decimals},
    {"%DP", 3, Key::DecimalPoint},
    {"%KS", 3, Key::Shift},
    {"%TXT", 4, Key::Text},
    {"%BLNN", 13, Key::List},
    {"%DDNNN", 7, Key::DropDown},
    {"%EDITCO", 13, Key::EditCode},
    {"%EDITWO", 36, Key::EditWord},
    {"%IO", 3, Key::Io},
};

/* Fixed lines, each written through the substitution. */
using Group = std::initializer_list<const char*>;
constexpr Group kRowStart = {"<tr>               %IFNRLTB", "<tr align=\"right\"> %IFRLTB"};
constexpr const char* kRowEnd = "</tr>";
constexpr const char* kEmptyCell = "<td></td>";
constexpr const char* kLabelMultilingual = "<td><strong><ZOPH MERGE=\"%TNNNN+%XXX+%YYY\"></strong></td>";
constexpr const char* kLabelPlain = "<td><strong>%DLC";
constexpr Group kTextCell = {"<td><h3>", "%TXT", "</h3></td>"};
constexpr const char* kFocusLine = "onfocus=\"SetNameLocation('%TNAMENNNN',%R,%C)\" /></td>";
constexpr Group kInputPlain = {"<td><input name=\"%TNAMENNNN\" type=\"text\" size=\"%SZ\" maxlength=\"%MX\"",
                               "value=\"<ZOPH MERGE=\"%NAMENNNNN\">\""};
constexpr Group kInputPassword = {"<td><input name=\"%TNAMENNNN\" type=\"password\" size=\"%SZ\" maxlength=\"%MX\"",
                                  "value=\"<ZOPH MERGE=\"%NAMENNNNN\">\""};
constexpr Group kInputEditCode = {"<td><input name=\"%TNAMENNNN\" type=\"text\" maxlength=\"%MC\" align=\"right\"",
                                  "<ZOPH MERGE=\"%NAMENNNNN\"%EDITCODEI=\"X\">"};
constexpr Group kInputEditWord = {"<td><input name=\"%TNAMENNNN\" type=\"text\" maxlength=\"%MW\" align=\"right\"",
                                  "<ZOPH MERGE=\"%NAMENNNNN\"%EDITWORDI=\"XXXXXXXXXXXXXXXXXXXXXXXX\">"};
constexpr const char* kOutputPlain = "<td><ZOPH MERGE=\"%NAMENNNNN\"></td>";
constexpr const char* kOutputEditCode = "<td><ZOPH MERGE=\"%NAMENNNNN\"%EDITCODEO=\"X\"></td>";
constexpr const char* kOutputEditWord = "<td><ZOPH MERGE=\"%NAMENNNNN\"%EDITWORDO=\"XXXXXXXXXXXXXXXXXXXXXXXX\"></td>";
constexpr const char* kHiddenFirst = "<td><input name=\"%TNAMENNNN\" type=\"hidden\" size=\"%SZ\" maxlength=\"%MX\"";
constexpr const char* kHiddenPlain = "value=\"<ZOPH MERGE=\"%NAMENNNNN\">\" /></td>";
constexpr const char* kHiddenEditCode = "value=\"<ZOPH MERGE=\"%NAMENNNNN\"%EDITCODEO=\"X\">\" /></td>";
constexpr const char* kHiddenEditWord =
    "value=\"<ZOPH MERGE=\"%NAMENNNNN\"%EDITWORDO=\"XXXXXXXXXXXXXXXXXXXXXXXX\">\" /></td>";
constexpr const char* kComponentCell = "<td><ZOPH COMPONENT=\"%NAMENNNNN\" MODE=%IO></td>";
constexpr const char* kDropDownCell = "<td><ZOPH MERGE=\"%DDNNNN\" FIELD=\"%NAMENNNNN\"></td>";
constexpr const char* kListMerge = "<ZOPH MERGE=\"%BLNNNNNNNNNN\">";
constexpr const char* kFunctionTitle = "<center><h1><ZOPH MERGE=\"&FUNCTION\"></h1></center>";
constexpr const char* kEndMerge = "<ZOPH MERGE=\"&END\">";
constexpr Group kFormOrdinary = {"<form action=\"/<ZOPH MERGE=\"&CGI\">/VELMOWEB?FUNCTION+<ZOPH MERGE=\"&SESSION\">\"",
                                 " method=\"post\" name=\"VELMO\">"};
constexpr Group kFormWebEvent = {"<form method=\"post\" name=\"VELMO\"",
                                 "action=\"/<ZOPH MERGE=\"&CGI\">/VELMOWEB?WEBEVENT+<ZOPH MERGE=\"&SESSPL\">\">"};
/* Written as they stand. */
constexpr const char* kModes[4] = {"<ZOPH ONMODE=\"DIS\">", "<ZOPH ONMODE=\"DLT\">", "<ZOPH ONMODE=\"ADD\">",
                                   "<ZOPH ONMODE=\"CHG\">"};
constexpr const char* kModeEnd = "</ZOPH>";

constexpr const char* kNumericValidation =
    "onchange=\"if (!isValidNumeric(this,%DG,%DC,%DP)){this.focus();this.select()}\"";
constexpr const char* kDbcsValidation = "onchange=\"if (!isValidDBCS(this,%KS,%MX)){this.focus();this.select()}\"";

class HtmlPageGenerator : private PanelLayout {
public:
    HtmlPageGenerator(FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const char* root, uint32_t numericValidation);
    void Run();

private:
    PageRun run_;
    bool numericValidation_;
    std::string numericText_ = kNumericValidation, dbcsText_ = kDbcsValidation;
    std::string skeletonPath_;
    GroupFieldTable groups_;
    Panel panel_;
    WEBDTA_RECORD blank_{};
    const WEBDTA_RECORD* field_ = &blank_;
    std::string label_;
    uint32_t label1_ = 0, label2_ = 0;
    char io_ = 'O';
    std::vector<PanelText> texts_;
    size_t text_ = 0;
    std::string list_ = std::string(10, ' ');
    uint16_t cells_ = 0;

    void ReadValidationText(const char* page, const char* tagSuffix, std::string& text);
    void FindSkeleton();
    void WritePage();
    void Raw(std::string_view line) { WriteLine(run_, panel_, line, true); }
    void Line(std::string_view line);
    void Lines(Group group)
    {
        for (const char* line : group)
            Line(line);
    }
    bool Substitute(std::string_view in, std::string& out) const;
    bool Value(const Keyword& k, std::string_view in, size_t at, std::string& value) const;
    std::string TypedName() const;

    void FieldTable();
    void EndMarker() override { Raw(kEndMerge); }
    void Hidden(const WEBDTA_RECORD& field) override
    {
        field_ = &field;
        HiddenCell();
    }
    void Text() override { TextCell(); }
    void NewRow(bool) override { RowBreak(); }
    void Field(const WEBDTA_RECORD& field) override
    {
        field_ = &field;
        LabelCell();
        FieldCell();
    }
    void RowBreak();
    void TextCell();
    void LabelCell();
    void SetLabel(const char* text, size_t width, uint32_t first, uint32_t last);
    void InputCell();
    void OutputCell();
    void HiddenCell();
    void FieldCell();
    void BrowseList();
    void Title();
};

HtmlPageGenerator::HtmlPageGenerator(FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const char* root,
                                     uint32_t numericValidation)
    : numericValidation_(numericValidation != 0)
{
    StartRun(run_, ctx, state, root, "DC_P3137", "HTM");
    std::memset(&blank_, ' ', sizeof blank_);
}

void HtmlPageGenerator::ReadValidationText(const char* page, const char* tagSuffix, std::string& text)
{
    const std::string tag = run_.Tag(tagSuffix);
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SetLocation(tag.c_str());
    SSQL_DeclareExt(area.get(),
                    "SELECT X02TXT FROM   QV_DTA.QV_X02 WHERE  X02P_I = 'WEB' AND  X02PEN = 'HTM' AND  X02SEN = "
                    "'     ' AND  X02PLN = 'ENG' AND  X02PAG = '%s' AND  X02SET = 0 ",
                    page);
    struct {
        uint16_t len;
        char text[256];
    } stored{};
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    const unsigned short rc = SSQL_sRunExt(area.get(), &ca, &da, 1, SSQL_VARYING(&stored, 255));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_ERROR)
        FatalSql(run_, tag);
    if (rc == SSQL_RC_OK)
        text = FieldText(stored.text, stored.len);
}

/* The first skeleton that opens: the function's own (web event functions
** only), the process's, the partition's, DEFAULT.S, WEBSKEL.S. */
void HtmlPageGenerator::FindSkeleton()
{
    const std::string& root = run_.root;
    std::vector<std::string> paths;
    if (run_.webEvent)
        paths.push_back(root + "\\X_VELMO\\X_" + run_.partition + "\\SOURCE\\" + run_.function + ".S");
    paths.push_back(root + "\\X_VELMO\\X_" + run_.partition + "\\SOURCE\\" + run_.process + ".S");
    paths.push_back(root + "\\X_VELMO\\SOURCE\\" + run_.partition + ".S");
    paths.push_back(root + "\\X_VELMO\\SOURCE\\DEFAULT.S");
    paths.push_back(root + "\\X_VELMO\\SOURCE\\WEBSKEL.S");
    for (const std::string& path : paths) {
        if (OpenSkeleton(path)) {
            skeletonPath_ = path;
            return;
        }
    }
    const std::string text = "Unable to open skeleton input file " + paths.back() + ".";
    FFC_Fatal_Error(text.c_str());
}

void HtmlPageGenerator::Run()
{
    std::string flags;
    if (!ReadSystemFlags(run_.ctx, flags) || flags[kFlagHtmlPages] != 'Y')
        return;
    run_.webEvent = flags[kFlagWebEvent] == 'Y';
    ShowStatus("VELMO HTML Generator Invoked");
    ReadValidationText("KQ7_VALNUM", "QV_X02/2", numericText_);
    ReadValidationText("KQ7_VALDBCS", "QV_X02/3", dbcsText_);
    FindSkeleton();
    DeleteListRows(run_, "QV_X04/2");
    groups_.Build(run_.ctx);
    WritePanelPages(run_, panel_, "HTML", [this] { WritePage(); });
    texts_.clear();
    ShowEndStatus("VELMO HTML Generator Ended Normally");
}

void HtmlPageGenerator::WritePage()
{
    SkeletonFile skeleton = OpenSkeletonOrEnd(skeletonPath_, "skeleton input file");
    field_ = &blank_;
    std::string line;
    while (ReadSkeletonLine(skeleton.get(), line)) {
        const size_t at = line.find('%');
        if (at == std::string::npos) {
            Raw(line);
            continue;
        }
        const std::string_view directive = std::string_view(line).substr(at, 6);
        if (directive == "%W3FLD")
            FieldTable();
        else if (directive == "%W3BRW")
            BrowseList();
        else if (directive == "%W3TTL")
            Title();
        else if (directive == "%W3FRM")
            Lines(run_.webEvent ? kFormWebEvent : kFormOrdinary);
        else
            Line(line);
    }
}

void HtmlPageGenerator::Line(std::string_view line)
{
    std::string out;
    if (Substitute(line, out))
        Raw(out);
}

bool HtmlPageGenerator::Substitute(std::string_view in, std::string& out) const
{
    out.clear();
    for (size_t i = 0; i < in.size() && out.size() < kOutputLimit; ++i) {
        if (in[i] != '%') {
            out += in[i];
            continue;
        }
        const auto k = std::find_if(std::begin(kKeywords), std::end(kKeywords),
                                    [&](const Keyword& kw) { return in.substr(i, kw.text.size()) == kw.text; });
        if (k == std::end(kKeywords)) {
            out += '%';
            continue;
        }
        std::string value;
        if (!Value(*k, in, i, value))
            return false;
        out += value;
        i += std::min(k->consumed, in.size() - i) - 1;
    }
    if (out.size() > kOutputLimit)
        out.resize(kOutputLimit);
    return true;
}

std::string HtmlPageGenerator::TypedName() const
{
    const std::string name(field_->acName, 10);
    if (!run_.webEvent)
        return name;
    const bool lower = HasAttribute(*field_, "LC");
    char prefix;
    switch (field_->cType) {
    case '1':
    case 'H': prefix = lower ? 'K' : 'H'; break;
    case 'A': prefix = lower ? 'L' : 'A'; break;
    case 'P':
    case 'S': prefix = field_->cType; break;
    default: prefix = 'Q';
    }
    return prefix + name.substr(0, 9);
}

/* The value of a keyword at position at of the input; false when the
** keyword drops the line. */
bool HtmlPageGenerator::Value(const Keyword& k, std::string_view in, size_t at, std::string& value) const
{
    const FFC_CONTEXT& ctx = *run_.ctx;
    const WEBDTA_RECORD& f = *field_;
    const uint32_t length = WEB_GetU32(f.length), decimals = WEB_GetU32(f.decimals);
    const uint32_t width = DisplayWidth(f), maxLength = WEB_GetU32(f.maxLength);
    switch (k.key) {
    case Key::Process: value = Padded(run_.process, 10); break;
    case Key::ProcessDesc: value = EscapedDescription(ctx.acProcessDescription); break;
    case Key::Function: value = Padded(run_.function, 7); break;
    case Key::FunctionDesc: value = EscapedDescription(ctx.acFunctionDescription); break;
    case Key::PanelNumber: value = Formatted("%03lu", panel_.ulNumber); break;
    case Key::PageName: value = panel_.pageName; break;
    case Key::Product: value = Padded(FieldText(ctx.acProduct, 6), 6); break;
    case Key::Stamp: value = StampText(); break;
    case Key::User: value = Padded(FieldText(ctx.acUser, 10), 10); break;
    case Key::Sequence: value = Padded(panel_.key.substr(0, 4), 4); break;
    case Key::IfWebEvent:
    case Key::IfRltb:
    case Key::IfNotRltb:
    case Key::IfNotWebEvent: {
        const bool keep = k.key == Key::IfWebEvent  ? run_.webEvent
                          : k.key == Key::IfRltb    ? run_.rltb
                          : k.key == Key::IfNotRltb ? !run_.rltb
                                                    : !run_.webEvent;
        if (!keep)
            return false;
        value.assign(k.consumed, ' ');
        break;
    }
    case Key::LabelId:
        value = Padded(label_.substr(0, 6), 6);
        if (label_.compare(0, 2, "@T") == 0)
            value[0] = '&';
        break;
    case Key::Label1: value = Formatted("%04lu", label1_); break;
    case Key::Label2: value = Formatted("%04lu", label2_); break;
    case Key::LabelText:
        value = (P3108_fIsAllBlank(label_.c_str(), static_cast<int16_t>(label_.size())) ? std::string()
                                                                                        : EscapeMarkup(label_)) +
                "</strong></td>";
        break;
    case Key::Name: value.assign(f.acName, 10); break;
    case Key::TypedName: value = Padded(TypedName(), 10); break;
    case Key::Row: value = Formatted("%2lu", std::min<uint32_t>(WEB_GetU32(f.row), 99)); break;
    case Key::Column: value = Formatted("%2lu", std::min<uint32_t>(WEB_GetU32(f.column), 99)); break;
    case Key::Size: {
        uint32_t size = width;
        if (f.cType == 'A')
            size = std::min<uint32_t>(size, 30);
        else if (!std::strchr("EFIMPSYZ", f.cType) || f.cType == '\0')
            size = std::min<uint32_t>(size, 80);
        value = Formatted("%.3lu", size);
        break;
    }
    case Key::MaxDisplay: value = Formatted("%.3lu", width); break;
    case Key::MaxCode:
    case Key::MaxWord: value = Formatted("%03lu", maxLength ? maxLength : width); break;
    case Key::Digits: {
        const uint32_t digits = (f.cType == 'P' || f.cType == 'S')
                                    ? std::min<uint32_t>(length > decimals ? length - decimals : 0, 999)
                                    : 30;
        value = Formatted("%3lu", digits);
        break;
    }
    case Key::Decimals: value = Formatted("%3lu", std::min<uint32_t>(decimals, 999)); break;
    case Key::DecimalPoint: value = std::string("'") + ctx.cDecimalPoint + "'"; break;
    case Key::Shift: value = std::string("'") + f.cShift + "'"; break;
    case Key::Text: value = text_ < texts_.size() ? EscapeMarkup(texts_[text_].text) : std::string(); break;
    case Key::List: value = "&BL" + Padded(list_, 10); break;
    case Key::DropDown: value = "&DD" + Padded(DropDownCode(f), 4); break;
    case Key::EditCode: value = " " + std::string(in.substr(at + 1, 11)) + f.cEditCode; break;
    case Key::EditWord: value = " " + std::string(in.substr(at + 1, 11)) + std::string(f.acEditWord, 24); break;
    case Key::Io: value = std::string("\"") + io_ + "\""; break;
    }
    return true;
}

/* %W3FLD: the panel's texts and fields as table rows, by row and column.
** The first row holds only the hidden fields that come before the first
** visible field (or an empty cell). */
void HtmlPageGenerator::FieldTable()
{
    texts_ = ReadPanelTexts(run_.ctx, panel_);
    text_ = 0;
    cells_ = 0;
    Lines(kRowStart);
    WalkPanel(ReadRecords(run_.ctx, 0, WEB_KIND_WEBDTA, panel_.key), texts_, text_, *this);
    field_ = &blank_;
    if (cells_ == 0)
        Line(kEmptyCell);
    Line(kRowEnd);
}

/* Closes the open row (with an empty cell when it has none) and opens the
** next. */
void HtmlPageGenerator::RowBreak()
{
    if (cells_ == 0)
        Line(kEmptyCell);
    Line(kRowEnd);
    Lines(kRowStart);
    cells_ = 0;
}

void HtmlPageGenerator::TextCell()
{
    Lines(kTextCell);
    ++cells_;
    ++text_;
}

void HtmlPageGenerator::SetLabel(const char* text, size_t width, uint32_t first, uint32_t last)
{
    label_ = text ? FieldText(text, width) : std::string();
    label1_ = first;
    label2_ = last;
}

void HtmlPageGenerator::LabelCell()
{
    const WEBDTA_RECORD& f = *field_;
    auto write = [&] {
        Line(label_.compare(0, 2, "@T") == 0 ? kLabelMultilingual : kLabelPlain);
        ++cells_;
    };
    switch (f.cStyle) {
    case 'C': {
        const struct {
            const char* text;
            const WEB_U32 *first, *last;
        } headings[3] = {{f.acHeading1, &f.firstA, &f.lastA},
                         {f.acHeading2, &f.firstB, &f.lastB},
                         {f.acHeading3, &f.firstC, &f.lastC}};
        bool any = false;
        for (const auto& h : headings) {
            if (P3108_fIsAllBlank(h.text, 20))
                continue;
            SetLabel(h.text, 20, WEB_GetU32(*h.first), WEB_GetU32(*h.last));
            write();
            any = true;
        }
        if (!any) {
            SetLabel(nullptr, 0, 0, 0);
            write();
        }
        break;
    }
    case 'D':
        SetLabel(f.acDescription, 40, WEB_GetU32(f.firstA), WEB_GetU32(f.lastA));
        write();
        break;
    case 'L':
        SetLabel(f.acLabel, 15, WEB_GetU32(f.firstA), WEB_GetU32(f.lastA));
        write();
        break;
    default: SetLabel(nullptr, 0, 0, 0); write();
    }
}

void HtmlPageGenerator::InputCell()
{
    const WEBDTA_RECORD& f = *field_;
    ++cells_;
    if (DropDownCode(f) != "    ") {
        Line(kDropDownCell);
        return;
    }
    io_ = 'I';
    if (CountComponentUsage(run_, f, 'I', "QV_X03/2") > 0) {
        Line(kComponentCell);
        return;
    }
    Lines(HasAttribute(f, "ND") ? kInputPassword
          : HasEditCode(f)      ? kInputEditCode
          : HasEditWord(f)      ? kInputEditWord
                                : kInputPlain);
    if (f.cType == 'A' && run_.dbcs)
        Line(dbcsText_);
    else if (numericValidation_ && (f.cType == 'P' || f.cType == 'S'))
        Line(numericText_);
    Line(kFocusLine);
}

void HtmlPageGenerator::OutputCell()
{
    const WEBDTA_RECORD& f = *field_;
    ++cells_;
    io_ = 'O';
    if (CountComponentUsage(run_, f, 'O', "QV_X03/3") > 0)
        Line(kComponentCell);
    else
        Line(HasEditCode(f) ? kOutputEditCode : HasEditWord(f) ? kOutputEditWord : kOutputPlain);
}

void HtmlPageGenerator::HiddenCell()
{
    const WEBDTA_RECORD& f = *field_;
    ++cells_;
    io_ = 'O';
    if (CountComponentUsage(run_, f, 'O', "QV_X03/1") > 0) {
        Line(kComponentCell);
        return;
    }
    Line(kHiddenFirst);
    Line(HasEditCode(f) ? kHiddenEditCode : HasEditWord(f) ? kHiddenEditWord : kHiddenPlain);
}

/* By the usage letter: input, output, or (neither) the input cell on a
** REQUEST panel and otherwise one cell per display mode. */
void HtmlPageGenerator::FieldCell()
{
    const char usage = field_->cUsage;
    if (usage == 'I' || (usage != 'O' && panel_.cCommand == 'R')) {
        InputCell();
        return;
    }
    if (usage == 'O') {
        OutputCell();
        return;
    }
    for (int mode = 0; mode < 4; ++mode) {
        Raw(kModes[mode]);
        if (mode < 2)
            OutputCell();
        else
            InputCell();
        Raw(kModeEnd);
    }
}

/* %W3BRW: the merge of the panel's browse list and a QV_X04 row per
** column. */
void HtmlPageGenerator::BrowseList()
{
    const std::vector<FFC_WORK_RECORD> lists = ReadRecords(run_.ctx, 0, WEB_KIND_WEBLST, panel_.key);
    if (lists.empty())
        return;
    list_.assign(As<WEBLST_RECORD>(lists.front()).acList, 10);
    Line(kListMerge);
    const std::string marked = groups_.MarkedField(list_);
    int32_t column = 0;
    for (const FFC_WORK_RECORD& w : ReadRecords(run_.ctx, 0, WEB_KIND_WEBLSD, panel_.key)) {
        const WEBDTA_RECORD& f = As<WEBDTA_RECORD>(w);
        ListRow row = MakeListRow(f, list_, ++column, marked);
        row.editCode = std::string(1, HasEditCode(f) ? f.cEditCode : ' ');
        const uint32_t maxLength = WEB_GetU32(f.maxLength);
        row.lMaxLength =
            HasEditCode(f) || HasEditWord(f) ? static_cast<int32_t>(maxLength ? maxLength : DisplayWidth(f)) : 0;
        row.nmv = numericValidation_ && (f.cType == 'P' || f.cType == 'S') ? "Y" : "N";
        row.shift = std::string(1, f.cType == 'A' && run_.dbcs ? f.cShift : ' ');
        InsertListRow(run_, row, "DC_P3137/QV_X04/1");
    }
}

void HtmlPageGenerator::Title()
{
    const std::string& title = panel_.title;
    if (title.compare(0, 6, "*FUNCT") == 0) {
        Line(kFunctionTitle);
        return;
    }
    char text[128];
    if (title.compare(0, 2, "@T") == 0) {
        std::snprintf(text, sizeof text, "<center><h1><ZOPH MERGE=\"&%s+%04u+%04u\"></h1></center>",
                      FieldText(title.c_str() + 1, 39).c_str(), static_cast<unsigned>(panel_.ulTitleFirst),
                      static_cast<unsigned>(panel_.ulTitleLast));
        Raw(text);
        return;
    }
    const bool asIs = panel_.cCommand == 'P' && !P3108_fIsAllBlank(title.c_str(), 40);
    Raw("<center><h1>" + EscapeMarkup(asIs ? title : CentredTitle(title)) + "</h1></center>");
}

}  // namespace

extern "C" void DC_P3137_WebPageGenerator(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const char* pszRoot,
                                          uint32_t ulNumericValidation)
{
    HtmlPageGenerator generator(pContext, pState, pszRoot, ulNumericValidation);
    generator.Run();
}

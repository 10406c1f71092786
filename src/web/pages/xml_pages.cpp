/*
** xml_pages.cpp: the XML page generator.
**
** The XML twin of the HTML page generator: the same web records and page
** tables, the skeleton XMLSKEL.S, and FIELD elements instead of table
** cells. A line is edited where it stands: each keyword overwrites its own
** columns (the skeleton reserves the width of a value with the blanks
** after the keyword), and the search for the next '%' goes on after the
** value written. A conditional keyword either drops the line or is
** blanked and the line is written at once.
*/
#include "web/pages/page_generators.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqoz/dqoz.h"
#include "web/pages/page_common.h"

namespace {

using namespace web_pages;

constexpr size_t kLineLimit = 4096;

enum class Key {
    Process,
    ProcessDesc,
    Function,
    PanelNumber,
    PageName,
    FunctionDesc,
    Product,
    Stamp,
    User,
    PanelType,
    Sequence,
    LabelId,
    Label1,
    Label2,
    LabelText,
    Name,
    TypedName,
    Type,
    VisualInput,
    VisualOutput,
    Row,
    Column,
    TextPosition,
    IfRow,
    MaxLength,
    Digits,
    Decimals,
    DecimalPoint,
    DateSeparator,
    DateFormat,
    IfWebEvent,
    IfNotWebEvent,
    Submit,
    Session,
    Shift,
    Error,
    Text,
    TextName,
    List,
    ListName,
    DropDown,
    EditCode,
    EditWord,
    EditCodeAttribute,
    EditWordAttribute,
    Io,
    InputAttributes,
    OutputAttributes
};
struct Keyword {
    std::string_view text;
    Key key;
};
constexpr Keyword kKeywords[] = {
    {"%PR   ", Key::Process},
    {"%PRDS ", Key::ProcessDesc},
    {"%FU   ", Key::Function},
    {"%PG", Key::PanelNumber},
    {"%PANEL", Key::PageName},
    {"%FUDS ", Key::FunctionDesc},
    {"%PROD ", Key::Product},
    {"%STAMP", Key::Stamp},
    {"%USERI", Key::User},
    {"%PTYPE", Key::PanelType},
    {"%SEQ", Key::Sequence},
    {"%TNNNN", Key::LabelId},
    {"%XXX", Key::Label1},
    {"%YYY", Key::Label2},
    {"%DLC", Key::LabelText},
    {"%NAME", Key::Name},
    {"%TNAME", Key::TypedName},
    {"%TP", Key::Type},
    {"%VI", Key::VisualInput},
    {"%VO", Key::VisualOutput},
    {"%R", Key::Row},
    {"%C", Key::Column},
    {"%TRC", Key::TextPosition},
    {"%IFROW", Key::IfRow},
    {"%MX", Key::MaxLength},
    {"%DG", Key::Digits},
    {"%DC", Key::Decimals},
    {"%DP", Key::DecimalPoint},
    {"%DS", Key::DateSeparator},
    {"%DF", Key::DateFormat},
    {"%IFWEV", Key::IfWebEvent},
    {"%IFNWEV", Key::IfNotWebEvent},
    {"%SBM", Key::Submit},
    {"%SES", Key::Session},
    {"%KS", Key::Shift},
    {"%ERR", Key::Error},
    {"%TXT", Key::Text},
    {"%TEXTNNN", Key::TextName},
    {"%BLNN", Key::List},
    {"%BRNN", Key::ListName},
    {"%DDNNN", Key::DropDown},
    {"%EDITCO", Key::EditCode},
    {"%EDITWO", Key::EditWord},
    {"%ECODE", Key::EditCodeAttribute},
    {"%EWORD", Key::EditWordAttribute},
    {"%IO", Key::Io},
    {"%IATTR", Key::InputAttributes},
    {"%OATTR", Key::OutputAttributes},
};

using Group = std::initializer_list<const char*>;
constexpr Group kStartMultilingual = {"            <FIELD", "               NAME=\"%TNAMENNNN\"",
                                      "               LABEL=\"<ZOPH MERGE=\"%TNNNN+%XXX+%YYY\">\""};
constexpr Group kStartPlain = {"            <FIELD", "               NAME=\"%TNAMENNNN\"",
                               "               LABEL=\"%DLC"};
constexpr const char* kHeadingMultilingual[3] = {"               COLHDG1=\"<ZOPH MERGE=\"%TNNNN+%XXX+%YYY\">\"",
                                                 "               COLHDG2=\"<ZOPH MERGE=\"%TNNNN+%XXX+%YYY\">\"",
                                                 "               COLHDG3=\"<ZOPH MERGE=\"%TNNNN+%XXX+%YYY\">\""};
constexpr const char* kHeadingEmpty[3] = {"               COLHDG1=\"\"", "               COLHDG2=\"\"",
                                          "               COLHDG3=\"\""};
constexpr const char* kHeadingPlain[3] = {"               COLHDG1=\"%DLC", "               COLHDG2=\"%DLC",
                                          "               COLHDG3=\"%DLC"};
constexpr Group kInputBody = {"               TYPE=%TP",
                              "               VISUAL=%VI",
                              "               LENGTH=\"%DG\"",
                              "               DECIMALS=\"%DC\"",
                              "               MAXLENGTH=\"%MX\"",
                              "               KBSHIFT=%KS",
                              "               <ZOPH MERGE=\"&ERR%ERR",
                              "               EDITCODE=\"%ECODE",
                              "               EDITWORD=\"%EWORD",
                              "               ROW=\"*SAME\" %IFROW",
                              "               %IATTR",
                              "               LOCATION=\"%R%C\"/>"};
constexpr Group kOutputBody = {
    "               TYPE=%TP",         "               VISUAL=%VO",         "               LENGTH=\"%DG\"",
    "               DECIMALS=\"%DC\"", "               MAXLENGTH=\"%MX\"",  "               ROW=\"*SAME\" %IFROW",
    "               %OATTR",           "               LOCATION=\"%R%C\"/>"};
constexpr Group kHidden = {"            <FIELD",
                           "               NAME=\"%TNAMENNNN\"",
                           "               TYPE=%TP",
                           "               VISUAL=\"H\"",
                           "               EDITCODE=\"%ECODE",
                           "               EDITWORD=\"%EWORD",
                           "               DECIMALS=\"%DC\"",
                           "               LENGTH=\"%DG\"/>"};
constexpr const char* kComponent = "<ZOPH COMPONENT=\"%NAMENNNNN\" MODE=%IO>";
constexpr const char* kComponentMultilingual = "<ZOPH COMPONENT=\"%NAMENNNNN\" MODE=%IO LABEL=\"%TNNNN+%XXX+%YYY\">";
constexpr const char* kComponentPlain = "<ZOPH COMPONENT=\"%NAMENNNNN\" MODE=%IO LABEL=\"%DLC";
constexpr const char* kComponentData = "<ZOPH COMPONENT=\"%NAMENNNNN\" DATA=YES>";
constexpr Group kDropDown = {"               ROW=\"*SAME\" %IFROW", "               VISUAL=\"D\"/>",
                             "<ZOPH MERGE=\"%DDNNNN\" FIELD=\"%NAMENNNNN\">"};
constexpr Group kTextElement = {
    "            <FIELD",          "               NAME=\"%TEXTNNN\"",    "               TYPE=\"T\"",
    "               VISUAL=\"O\"", "               ROW=\"*SAME\" %IFROW", "               LOCATION=\"%TRC\"/>"};
constexpr Group kListTable = {"            <FIELD",
                              "               NAME=\"_BREAK\"/>",
                              "            <FIELD",
                              "               NAME=\"_TABLE\"",
                              "               EXTNAME=\"%BRNNNNNNN\"",
                              "               <ZOPH MERGE=\"&TBLMISC_%BRNNNNNNN\">",
                              "               COL=\"0\"",
                              "               COLSPAN=\"3\"/>"};
constexpr Group kTableInformation = {"         <TABLE_INFO>", "            <ZOPH MERGE=\"%BLNNNNNNNNNN\">",
                                     "         </TABLE_INFO>"};
constexpr Group kTableData = {"         <TABLE_DATA>", "            <ZOPH MERGE=\"&TBLDATA\">",
                              "         </TABLE_DATA>"};
constexpr const char* kEndMerge = "<ZOPH MERGE=\"&END\">";
constexpr const char* kFieldData = "            <FIELD NAME=\"%TNAMENNNN\"><ZOPH MERGE=\"%NAMENNNNN\"></FIELD>";
constexpr const char* kTextData = "            <FIELD NAME=\"%TEXTNNN\"  >%TXT";
constexpr const char* kEditCodeData[2] = {
    "            <FIELD NAME=\"%TNAMENNNN\"><ZOPH MERGE=\"%NAMENNNNN\"%EDITCODEI=\"X\">",
    "            <FIELD NAME=\"%TNAMENNNN\"><ZOPH MERGE=\"%NAMENNNNN\"%EDITCODEO=\"X\">"};
constexpr const char* kEditWordData[2] = {
    "            <FIELD NAME=\"%TNAMENNNN\"><ZOPH MERGE=\"%NAMENNNNN\"%EDITWORDI=\"",
    "            <FIELD NAME=\"%TNAMENNNN\"><ZOPH MERGE=\"%NAMENNNNN\"%EDITWORDO=\""};
constexpr const char* kModes[4] = {"<ZOPH ONMODE=\"DIS\">", "<ZOPH ONMODE=\"DLT\">", "<ZOPH ONMODE=\"ADD\">",
                                   "<ZOPH ONMODE=\"CHG\">"};
constexpr const char* kModeEnd = "</ZOPH>";

/* Attribute codes of the attribute lists: codes found anywhere in the
** text, colours (their own line), and codes matched at a slot's start. */
constexpr std::string_view kFullCodes[21] = {"ABCH", "PBPT", "PBPI", "PBIN", "PBFP", "PBBR", "PBCM",
                                             "PBGH", "PBNT", "PBET", "PBEN", "PBEE", "PBCH", "PBSC",
                                             "PBUC", "PBCN", "PBCE", "PBSI", "PBSL", "PBWB", "FKCH"};
constexpr std::string_view kColours[7] = {"GRN008000", "WHTFFFFFF", "REDFF0000", "TRQ40E0D0",
                                          "YLWFFFF00", "PNKFFC0CB", "BLU0000FF"};
constexpr std::string_view kShortCodes[8] = {"AB", "ME", "MF", "M10", "M11", "VN", "RB", "RZ"};

/* A text id as a column heading: "&T" or "@T" and digits. */
bool isTextId(const char* heading)
{
    if ((heading[0] != '&' && heading[0] != '@') || heading[1] != 'T')
        return false;
    for (int i = 2; i < 6 && heading[i] != '\0'; ++i)
        if (heading[i] < '0' || heading[i] > '9')
            return false;
    return true;
}

/* Overwrites the line from at with text (growing it when needed); the
** position after the text. */
size_t put(std::string& line, size_t at, std::string_view text)
{
    if (line.size() < at + text.size())
        line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
    return at + text.size();
}

void blank(std::string& line, size_t at, size_t count)
{
    if (line.size() < at + count)
        line.resize(at + count, ' ');
    line.replace(at, count, count, ' ');
}

class XmlPageGenerator : private PanelLayout {
public:
    XmlPageGenerator(FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const char* root);
    void Run();

private:
    PageRun run_;
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
    uint16_t textCounter_ = 1;
    bool newRow_ = true;
    std::string list_ = std::string(10, ' ');

    void WritePage();
    void Raw(std::string_view line) { WriteLine(run_, panel_, line, false); }
    void Line(std::string_view line);
    void Lines(Group group)
    {
        for (const char* line : group)
            Line(line);
    }
    enum class Step { Next, Drop, WriteNow };
    Step Apply(const Keyword& k, std::string& line, size_t at, size_t& resume);
    std::string AttributeList(const char* codes40);
    std::string TypeLetter() const;

    bool ReadList();
    void FieldDefinitions();
    void EndMarker() override { Raw(kEndMerge); }
    void Hidden(const WEBDTA_RECORD& field) override
    {
        field_ = &field;
        HiddenDefinition();
    }
    void Text() override { TextElement(); }
    void NewRow(bool) override { newRow_ = true; }
    void Field(const WEBDTA_RECORD& field) override
    {
        field_ = &field;
        FieldLabel();
        ByUsage(&XmlPageGenerator::InputDefinition, &XmlPageGenerator::OutputDefinition);
        newRow_ = false;
    }
    void TextElement();
    void SetLabel(const std::string& text, uint32_t first, uint32_t last);
    void FieldLabel();
    void FieldStart();
    void ComponentLine();
    void InputDefinition();
    void OutputDefinition();
    void HiddenDefinition();
    void FieldData();
    void TextData();
    void InputData();
    void OutputData();
    void ByUsage(void (XmlPageGenerator::*input)(), void (XmlPageGenerator::*output)());
    void BrowseList();
    void Title();
};

XmlPageGenerator::XmlPageGenerator(FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const char* root)
{
    StartRun(run_, ctx, state, root, "DC_P3140", "XML");
    std::memset(&blank_, ' ', sizeof blank_);
}

void XmlPageGenerator::Run()
{
    std::string flags;
    if (!ReadSystemFlags(run_.ctx, flags) || flags[kFlagXmlPages] != 'Y')
        return;
    run_.webEvent = flags[kFlagWebEvent] == 'Y';
    ShowStatus("VELMO XML Generator Invoked");
    DeleteListRows(run_, "QV_X04/1");
    groups_.Build(run_.ctx);
    skeletonPath_ = run_.root + "\\X_VELMO\\SOURCE\\XMLSKEL.S";
    OpenSkeletonOrEnd(skeletonPath_, "XML skeleton file");
    WritePanelPages(run_, panel_, "XML", [this] { WritePage(); });
    texts_.clear();
    ShowEndStatus("VELMO XML Generator Ended Normally");
}

void XmlPageGenerator::WritePage()
{
    SkeletonFile skeleton = OpenSkeletonOrEnd(skeletonPath_, "XML skeleton file");
    field_ = &blank_;
    texts_.clear();
    std::string line;
    while (ReadSkeletonLine(skeleton.get(), line)) {
        const size_t at = line.find('%');
        if (at == std::string::npos) {
            Raw(line);
            continue;
        }
        const std::string_view rest = std::string_view(line).substr(at);
        if (rest.substr(0, 6) == "%W3FLD")
            FieldDefinitions();
        else if (rest.substr(0, 6) == "%W3BRW")
            BrowseList();
        else if (rest.substr(0, 6) == "%W3TTL")
            Title();
        else if (rest.substr(0, 7) == "%FLDDTA")
            FieldData();
        else if (rest.substr(0, 7) == "%BRWXSL") {
            if (ReadList())
                Lines(kTableInformation);
        } else if (rest.substr(0, 7) == "%BRWDTA") {
            if (ReadList())
                Lines(kTableData);
        } else {
            Line(line);
        }
    }
}

void XmlPageGenerator::Line(std::string_view text)
{
    std::string line(text.substr(0, std::min(text.size(), kLineLimit - 1)));
    for (size_t at = line.find('%'); at != std::string::npos;) {
        const auto k = std::find_if(std::begin(kKeywords), std::end(kKeywords), [&](const Keyword& kw) {
            return std::string_view(line).substr(at, kw.text.size()) == kw.text;
        });
        if (k == std::end(kKeywords)) {
            at = line.find('%', at + 1);
            continue;
        }
        size_t resume = at + 1;
        const Step step = Apply(*k, line, at, resume);
        if (step == Step::Drop)
            return;
        if (step == Step::WriteNow)
            break;
        at = resume < line.size() ? line.find('%', resume) : std::string::npos;
    }
    if (line.size() >= kLineLimit)
        line.resize(kLineLimit - 1);
    Raw(line);
}

std::string XmlPageGenerator::TypeLetter() const
{
    return std::string(1, field_->cType == 'A' && HasAttribute(*field_, "LC") ? 'L' : field_->cType);
}

/* The codes of one attribute text for IATTR or OATTR; a colour among them
** is written at once as the line FCOLOR before the line being edited. */
std::string XmlPageGenerator::AttributeList(const char* codes40)
{
    std::string codes(codes40, 40), list;
    for (std::string_view code : kFullCodes) {
        const size_t at = codes.find(code);
        if (at == std::string::npos)
            continue;
        list += code;
        codes.replace(at, 4, 4, ' ');
    }
    bool colourWritten = false;
    for (size_t slot = 0; slot < 40; slot += 4) {
        const std::string_view s = std::string_view(codes).substr(slot, 4);
        if (s == "    ")
            continue;
        const auto colour = std::find_if(std::begin(kColours), std::end(kColours),
                                         [&](std::string_view c) { return s.substr(0, 3) == c.substr(0, 3); });
        if (colour != std::end(kColours) && !colourWritten) {
            Raw("               FCOLOR=\"" + std::string(colour->substr(3)) + "\"");
            colourWritten = true;
            continue;
        }
        const auto code = std::find_if(std::begin(kShortCodes), std::end(kShortCodes),
                                       [&](std::string_view c) { return s.substr(0, c.size()) == c; });
        if (code == std::end(kShortCodes))
            continue;
        list += Padded(*code, 4);
        codes.replace(slot, 4, 4, ' ');
    }
    return list;
}

XmlPageGenerator::Step XmlPageGenerator::Apply(const Keyword& k, std::string& line, size_t at, size_t& resume)
{
    const FFC_CONTEXT& ctx = *run_.ctx;
    const WEBDTA_RECORD& f = *field_;
    const bool editCode = HasEditCode(f), editWord = HasEditWord(f);
    auto write = [&](std::string_view text) { resume = put(line, at, text); };
    auto blankThenWrite = [&](size_t columns, std::string_view text, size_t next) {
        blank(line, at, columns);
        put(line, at, text);
        resume = at + next;
    };
    auto ending = [&](std::string_view text) { write(std::string(text) + "</FIELD>"); };
    switch (k.key) {
    case Key::Process: blankThenWrite(6, run_.process, 10); break;
    case Key::ProcessDesc:
        blankThenWrite(40, EscapeMarkup(FieldText(ctx.acProcessDescription, 40)).substr(0, 40), 40);
        break;
    case Key::Function: blankThenWrite(6, run_.function, 7); break;
    case Key::PanelNumber: write(Formatted("%03lu", panel_.ulNumber)); break;
    case Key::PageName: write(panel_.pageName); break;
    case Key::FunctionDesc:
        blankThenWrite(40, EscapeMarkup(FieldText(ctx.acFunctionDescription, 40)).substr(0, 40), 40);
        break;
    case Key::Product: blankThenWrite(6, FieldText(ctx.acProduct, 5), 6); break;
    case Key::Stamp: write(StampText()); break;
    case Key::User: blankThenWrite(6, std::string(ctx.acUser, 10), 10); break;
    case Key::PanelType:
        write(panel_.cCommand == 'D' ? "DISPLAY\"" : panel_.cCommand == 'R' ? "REQUEST\"" : "POPUP\"  ");
        break;
    case Key::Sequence: write(Padded(panel_.key.substr(0, 4), 4)); break;
    case Key::LabelId: {
        std::string id = Padded(label_.substr(0, 6), 6);
        if (label_.compare(0, 2, "@T") == 0)
            id[0] = '&';
        write(id);
        break;
    }
    case Key::Label1: write(Formatted("%04lu", label1_).substr(0, 4)); break;
    case Key::Label2: write(Formatted("%04lu", label2_).substr(0, 4)); break;
    case Key::LabelText:
        line.resize(at);
        line +=
            (P3108_fIsAllBlank(label_.c_str(), static_cast<int16_t>(label_.size())) ? std::string() : label_) + "\"";
        resume = line.size();
        break;
    case Key::Name: write(std::string(f.acName, 10)); break;
    case Key::TypedName: {
        /* with the web event flag the type letter and the name's first nine
        ** characters, as the HTML page names the field: the value fills the
        ** eleven columns it owns, never the markup after them */
        const std::string name = FieldText(f.acName, 10);
        blank(line, at, 11);
        resume = put(line, at, (run_.webEvent ? TypeLetter() + name.substr(0, 9) : name) + "\"");
        break;
    }
    case Key::Type: write("\"" + TypeLetter() + "\""); break;
    case Key::VisualInput: write(HasAttribute(f, "ND") ? "\"P\"" : "\"E\""); break;
    case Key::VisualOutput: write(HasAttribute(f, "ND") ? "\"P\"" : "\"O\""); break;
    case Key::Row: write(Formatted("%.2lu", WEB_GetU32(f.row)).substr(0, 2)); break;
    case Key::Column: write(Formatted("%.2lu", WEB_GetU32(f.column)).substr(0, 2)); break;
    case Key::TextPosition: write(text_ < texts_.size() ? texts_[text_].rowColumn : std::string(4, ' ')); break;
    case Key::IfRow:
        if (newRow_)
            return Step::Drop;
        blank(line, at, 6);
        return Step::WriteNow;
    case Key::MaxLength:
        if (f.cType == 'A')
            return Step::Drop;
        write(Formatted("%03lu", WEB_GetU32(f.maxLength)).substr(0, 3));
        break;
    case Key::Digits: write(Formatted("%.3lu", WEB_GetU32(f.length)).substr(0, 3)); break;
    case Key::Decimals:
        if (f.cType == 'A')
            return Step::Drop;
        write(Formatted("%.3lu", WEB_GetU32(f.decimals)).substr(0, 3));
        break;
    case Key::DecimalPoint: ending(std::string(1, ctx.cDecimalPoint)); break;
    case Key::DateSeparator: ending("/"); break;
    case Key::DateFormat: ending(std::string(ctx.acDateFormat, 3)); break;
    case Key::IfWebEvent:
    case Key::IfNotWebEvent:
        if (run_.webEvent != (k.key == Key::IfWebEvent))
            return Step::Drop;
        blank(line, at, k.text.size());
        return Step::WriteNow;
    case Key::Submit:
        write(run_.webEvent ? "WEBEVENT+<ZOPH MERGE=\"&SESSPL\">\"/>" : "FUNCTION+<ZOPH MERGE=\"&SESSION\">\"/>");
        break;
    case Key::Session: write(run_.webEvent ? "&SESSPL\">\"" : "&SESSION\">\""); break;
    case Key::Shift: write(std::string("\"") + f.cShift + "\""); break;
    case Key::Error:
        if (f.acRunning[0] == ' ' && f.acRunning[1] == ' ')
            return Step::Drop;
        write(std::string(f.acRunning, 2) + "\">");
        break;
    case Key::Text: ending(text_ < texts_.size() ? EscapeMarkup(texts_[text_].text) : std::string()); break;
    case Key::TextName:
        write((run_.webEvent ? "A_TEXT" : "_TEXT") + Formatted("%.3lu", textCounter_) + (run_.webEvent ? "\"" : ""));
        break;
    case Key::List: write("&BL" + list_); break;
    case Key::ListName: write(list_); break;
    case Key::DropDown: write("&DD" + DropDownCode(f)); break;
    case Key::EditCode:
    case Key::EditWord: {
        if (k.key == Key::EditCode ? !editCode : !editWord)
            return Step::Drop;
        line[at] = ' ';
        const std::string value = k.key == Key::EditCode ? std::string(1, f.cEditCode) : std::string(f.acEditWord, 24);
        resume = put(line, std::min(at + 12, line.size()), value + "\"></FIELD>");
        break;
    }
    case Key::EditCodeAttribute:
        if (!editCode)
            return Step::Drop;
        blankThenWrite(6, std::string(1, f.cEditCode) + "\"", 6);
        break;
    case Key::EditWordAttribute:
        if (!editWord)
            return Step::Drop;
        write(std::string(f.acEditWord, 24) + "\"");
        break;
    case Key::Io: write(std::string("\"") + io_ + "\""); break;
    case Key::InputAttributes:
    case Key::OutputAttributes: {
        const bool input = k.key == Key::InputAttributes;
        const std::string list = AttributeList(input ? f.acInput : f.acOutput);
        if (list.empty())
            return Step::Drop;
        write((input ? "IATTR=\"" : "OATTR=\"") + list + "\"");
        break;
    }
    }
    return Step::Next;
}

bool XmlPageGenerator::ReadList()
{
    const std::vector<FFC_WORK_RECORD> lists = ReadRecords(run_.ctx, 0, WEB_KIND_WEBLST, panel_.key);
    if (lists.empty())
        return false;
    list_.assign(As<WEBLST_RECORD>(lists.front()).acList, 10);
    return true;
}

/* %W3FLD: a FIELD element per text and field; a new row only sets the
** new-row flag, which keeps ROW="*SAME" off the first element of a row. */
void XmlPageGenerator::FieldDefinitions()
{
    texts_ = ReadPanelTexts(run_.ctx, panel_);
    text_ = 0;
    textCounter_ = 1;
    newRow_ = true;
    WalkPanel(ReadRecords(run_.ctx, 0, WEB_KIND_WEBDTA, panel_.key), texts_, text_, *this);
    field_ = &blank_;
}

void XmlPageGenerator::TextElement()
{
    Lines(kTextElement);
    ++textCounter_;
    ++text_;
    newRow_ = false;
}

void XmlPageGenerator::SetLabel(const std::string& text, uint32_t first, uint32_t last)
{
    label_ = EscapeMarkup(text).substr(0, 255);
    label1_ = first;
    label2_ = last;
}

void XmlPageGenerator::FieldLabel()
{
    const WEBDTA_RECORD& f = *field_;
    switch (f.cStyle) {
    case 'C': SetLabel(FieldText(f.acHeading3, 20), WEB_GetU32(f.firstC), WEB_GetU32(f.lastC)); break;
    case 'D': SetLabel(FieldText(f.acDescription, 40), WEB_GetU32(f.firstA), WEB_GetU32(f.lastA)); break;
    case 'L': SetLabel(FieldText(f.acLabel, 15), WEB_GetU32(f.firstA), WEB_GetU32(f.lastA)); break;
    default: SetLabel(std::string(), 0, 0);
    }
}

void XmlPageGenerator::FieldStart()
{
    const WEBDTA_RECORD& f = *field_;
    const struct {
        const char* text;
        const WEB_U32 *first, *last;
    } headings[3] = {
        {f.acHeading1, &f.firstA, &f.lastA}, {f.acHeading2, &f.firstB, &f.lastB}, {f.acHeading3, &f.firstC, &f.lastC}};
    if (f.cStyle == 'N') {
        SetLabel(std::string(), 0, 0);
        Lines(kStartPlain);
        return;
    }
    const std::string label = label_;
    const uint32_t first = label1_, last = label2_;
    if (label_.compare(0, 2, "@T") != 0) {
        Lines(kStartPlain);
        for (int k = 0; f.cStyle == 'C' && k < 3; ++k) {
            if (P3108_fIsAllBlank(headings[k].text, 20))
                continue;
            SetLabel(FieldText(headings[k].text, 20), 0, 0);
            Line(kHeadingPlain[k]);
        }
    } else if (f.cStyle != 'C') {
        Lines(kStartMultilingual);
    } else {
        Line(*kStartMultilingual.begin());
        Line(*(kStartMultilingual.begin() + 1));
        bool any = false;
        for (int k = 0; k < 3; ++k) {
            if (P3108_fIsAllBlank(headings[k].text, 20))
                continue;
            any = true;
            if (!isTextId(headings[k].text)) {
                Line(kHeadingEmpty[k]);
                continue;
            }
            SetLabel(FieldText(headings[k].text, 20), WEB_GetU32(*headings[k].first), WEB_GetU32(*headings[k].last));
            Line(kHeadingMultilingual[k]);
        }
        if (!any)
            Line(kHeadingEmpty[2]);
    }
    label_ = label;
    label1_ = first;
    label2_ = last;
}

void XmlPageGenerator::ComponentLine()
{
    if (field_->cStyle == 'N')
        Line(kComponent);
    else
        Line(label_.compare(0, 2, "@T") == 0 ? kComponentMultilingual : kComponentPlain);
}

void XmlPageGenerator::InputDefinition()
{
    if (DropDownCode(*field_) != "    ") {
        FieldStart();
        Lines(kDropDown);
        return;
    }
    io_ = 'I';
    if (CountComponentUsage(run_, *field_, 'I', "QV_X03/1") > 0) {
        ComponentLine();
        return;
    }
    FieldStart();
    Lines(kInputBody);
}

void XmlPageGenerator::OutputDefinition()
{
    io_ = 'O';
    if (CountComponentUsage(run_, *field_, 'O', "QV_X03/1") > 0) {
        ComponentLine();
        return;
    }
    FieldStart();
    Lines(kOutputBody);
}

void XmlPageGenerator::HiddenDefinition()
{
    io_ = 'O';
    if (CountComponentUsage(run_, *field_, 'O', "QV_X03/1") > 0)
        Line(kComponent);
    else
        Lines(kHidden);
}

/* By the usage letter: input, output, or (neither) input on a REQUEST
** panel and otherwise one per display mode. */
void XmlPageGenerator::ByUsage(void (XmlPageGenerator::*input)(), void (XmlPageGenerator::*output)())
{
    const char usage = field_->cUsage;
    if (usage == 'I' || (usage != 'O' && panel_.cCommand == 'R')) {
        (this->*input)();
        return;
    }
    if (usage == 'O') {
        (this->*output)();
        return;
    }
    for (int mode = 0; mode < 4; ++mode) {
        Raw(kModes[mode]);
        (this->*(mode < 2 ? output : input))();
        Raw(kModeEnd);
    }
}

/* %FLDDTA: the values of the texts and fields, in the order of the field
** definitions. */
void XmlPageGenerator::FieldData()
{
    text_ = 0;
    textCounter_ = 1;
    for (const FFC_WORK_RECORD& w : ReadRecords(run_.ctx, 0, WEB_KIND_WEBDTA, panel_.key)) {
        const WEBDTA_RECORD& f = As<WEBDTA_RECORD>(w);
        field_ = &f;
        if (IsEndMarker(f))
            continue;
        if (f.cUsage == 'H') {
            io_ = 'O';
            if (CountComponentUsage(run_, f, 'O', "QV_X03/1") == 0)
                Line(HasEditCode(f) ? kEditCodeData[0] : HasEditWord(f) ? kEditWordData[0] : kFieldData);
            continue;
        }
        const uint32_t row = WEB_GetU32(f.row), column = WEB_GetU32(f.column);
        while (text_ < texts_.size() &&
               (texts_[text_].ulRow < row || (texts_[text_].ulRow == row && texts_[text_].ulColumn <= column)))
            TextData();
        ByUsage(&XmlPageGenerator::InputData, &XmlPageGenerator::OutputData);
    }
    field_ = &blank_;
    while (text_ < texts_.size())
        TextData();
}

void XmlPageGenerator::TextData()
{
    Line(kTextData);
    ++textCounter_;
    ++text_;
}

void XmlPageGenerator::InputData()
{
    const WEBDTA_RECORD& f = *field_;
    if (DropDownCode(f) != "    ")
        return;
    io_ = 'I';
    if (CountComponentUsage(run_, f, 'I', "QV_X03/1") > 0)
        Line(kComponentData);
    else
        Line(HasEditCode(f) ? kEditCodeData[0] : HasEditWord(f) ? kEditWordData[0] : kFieldData);
}

void XmlPageGenerator::OutputData()
{
    const WEBDTA_RECORD& f = *field_;
    io_ = 'O';
    if (CountComponentUsage(run_, f, 'O', "QV_X03/1") > 0)
        Line(kComponentData);
    else
        Line(HasEditCode(f) ? kEditCodeData[1] : HasEditWord(f) ? kEditWordData[1] : kFieldData);
}

/* %W3BRW: the list break and table elements, and a QV_X04 row per column. */
void XmlPageGenerator::BrowseList()
{
    if (!ReadList())
        return;
    Lines(kListTable);
    const std::string marked = groups_.MarkedField(list_);
    int32_t column = 0;
    for (const FFC_WORK_RECORD& w : ReadRecords(run_.ctx, 0, WEB_KIND_WEBLSD, panel_.key)) {
        const WEBDTA_RECORD& f = As<WEBDTA_RECORD>(w);
        ListRow row = MakeListRow(f, list_, ++column, marked);
        row.editCode = HasEditCode(f) ? std::string(1, f.cEditCode) : std::string();
        row.lMaxLength = HasEditCode(f) || HasEditWord(f) ? static_cast<int32_t>(WEB_GetU32(f.maxLength)) : 0;
        row.nmv = "N";
        row.shift = std::string(1, f.cShift);
        InsertListRow(run_, row, "DC_P3137/QV_X04/1");
    }
}

void XmlPageGenerator::Title()
{
    const std::string& title = panel_.title;
    if (title.compare(0, 6, "*FUNCT") == 0) {
        Raw("           TITLE=\"<ZOPH MERGE=\"&FUNCTION\">\"");
        return;
    }
    char text[128];
    if (title.compare(0, 2, "@T") == 0) {
        std::snprintf(text, sizeof text, "           TITLE=\"<ZOPH MERGE=\"&%s+%04u+%04u\">\"",
                      FieldText(title.c_str() + 1, 39).c_str(), static_cast<unsigned>(panel_.ulTitleFirst),
                      static_cast<unsigned>(panel_.ulTitleLast));
        Raw(text);
        return;
    }
    const bool asIs = panel_.cCommand == 'P' && !P3108_fIsAllBlank(title.c_str(), 40);
    Raw("           TITLE=\"" + EscapeMarkup(asIs ? title : CentredTitle(title)) + "\"");
}

}  // namespace

extern "C" void DC_P3140_XmlPageGenerator(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const char* pszRoot)
{
    XmlPageGenerator generator(pContext, pState, pszRoot);
    generator.Run();
}

/*
** display_tables.cpp: the panel tables of a screen command, built from the
** layout records that the automatic screen layout left (RCDFMT, RCDFLD and
** POP_UP) and queued in the data section: the text table (X_PANEL_TXT), the
** field tables of the panel formats and of the browse list (X_PANEL_FLD,
** four lines a field), the extended GUI attributes (X_PANEL_FLD_EXT) and the
** overall control block (X_PANEL_CTL). The language texts of the fields
** are set in line, inside the panel's one-time initialisation.
**
** When the function's web pages are asked for, the panel, its texts and its
** fields are described in web page records as the tables are built.
**
** The layout's field record gives: the display mode letter (usage letter
** 1), the placement letter (usage; 'H' hidden), the identification width
** (value offset), the label and heading column offset (identification
** offset), the heading present words (the heading-line widths), the field
** attribute letter (the attribute-check byte), the layout width (value
** width), the text flags of a text constant (input attribute flags 1-14:
** normal, emphasis, five attributes, seven colours), the condition
** placement flag (*INOUTCOND) and the list-field flag (browse-list control
** part).
*/
#include "generator/emitters/display_support.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/layout_reader.h"
#include "generator/emitters/list_support.h"
#include "runcontrol/message_table.h"
#include "web/pages/web_records.h"

using dqov::Msg;

namespace {

constexpr GEN_STREAM kDataQueue = 1;
constexpr size_t kGuiNames = 100;
constexpr const char* kNotAvailable = "V_NOT_AVAILABLE";

void data(int16_t sIndent, const std::string& text)
{
    P3109_WriteLine(kDataQueue, sIndent, text);
}

bool blank(const char* text, size_t width)
{
    return P3108_fIsAllBlank(text, static_cast<int16_t>(width));
}

bool cs()
{
    return P3109_fCSharp();
}

/* A value of a panel table in C#: the run time's panel constants are
** members of its X_PnlStr class, a null pointer is null. */
std::string csValue(const std::string& value)
{
    if (value == "pX_NULL")
        return "null";
    if (value.rfind("X_", 0) == 0 || value == "BLANK")
        return "X_PnlStr." + value;
    return value;
}

/* A value of a panel table appended to a line, as csValue gives it in C#. */
void appendValue(std::string& line, std::string_view value, bool fCSharp)
{
    if (fCSharp && value == "pX_NULL") {
        line.append("null", 4);
        return;
    }
    if (fCSharp && (value.substr(0, 2) == "X_" || value == "BLANK"))
        line.append("X_PnlStr.", 9);
    line.append(value.data(), value.size());
}

/* The head of a table of the data section. */
std::string tableHead(const char* type, const std::string& name)
{
    return cs() ? std::string("private static ") + type + "[] " + name + " = new " + type + "[] {"
                : std::string("static struct ") + type + " " + name + "[] = {";
}

std::string text(const char* field, size_t width)
{
    return P3109_TrimRight(std::string_view(field, width));
}

/* The records of the current command. */
struct ScreenRecords {
    std::vector<RCDFMT_DATA> formats;
    std::vector<std::vector<LAYOUT_FIELD_ENTRY>> entries;
};

ScreenRecords readRecords()
{
    ScreenRecords s;
    s.formats = P3109_ReadCommandFormats<RCDFMT_DATA>(LAYOUT_KIND_RCDFMT);
    for (const RCDFMT_DATA& f : s.formats)
        s.entries.push_back(P3109_ReadFormatEntries(LAYOUT_KIND_RCDFLD, f.acFormat));
    return s;
}

/* The window of a POP_UP: first row, column, width and height. */
struct Window {
    int32_t lRow = 1, lColumn = 1, lWidth = 80, lHeight = 24;
    int32_t RowOffset() const { return lRow - 1; }
    int32_t ColumnOffset() const { return lColumn - 1; }
};

Window popUpWindow(bool fPopUp)
{
    Window w;
    FFC_CONTEXT* ctx = P3109_Context();
    const FFC_CHECK_STATE* st = P3109_CheckState();
    if (!fPopUp || !ctx || !ctx->pWorkFile || !st)
        return w;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_POP_UP, FFC_WORK_KIND_LEN);
    const int32_t line = st->lLine, second = st->lLineWord;
    FIX_LongToDigits(&line, 15, r.acName);
    FIX_LongToDigits(&second, 15, r.acName + 15);
    if (WF_cReadFirst(ctx, GEN_SLOT_LAYOUT, &r, 2) != '0')
        return w;
    POP_UP_DATA p;
    std::memcpy(&p, r.acData, sizeof p);
    w.lRow = p.lLine;
    w.lColumn = p.lColumn;
    w.lWidth = p.lWidth;
    w.lHeight = p.lHeight;
    return w;
}

/* The work of one panel's tables. */
struct Tables {
    explicit Tables(GEN_PANEL& p) : panel(p) {}
    GEN_PANEL& panel;
    Window window;
    bool fPopUp = false;
    bool fWeb = false;
    int16_t sCommand = 0, sSequence = 0;
    std::string cursorField; /* CURSOR_LOC *ATFIELD, 10 characters */
    std::string cursorRow = kNotAvailable, cursorColumn = kNotAvailable;
    std::vector<std::string> guiNames;
    std::map<std::string, LAYOUT_FIELD_ENTRY> aside; /* list-field records of the control part */
    int32_t lDescriptionWidth = 0;
    int32_t lWebJobHeadings = 0; /* headings of the last web-job block */
    bool fLanguageComment = false;
    bool fListStarted = false;
    /* the open field table */
    char cTableKind = ' ';
    std::string tableName;
    int32_t lRows = 0;
};

/* ---- text table ---- */

/* The attribute line of a text constant from its fourteen flags. */
std::string textAttributes(const LAYOUT_FIELD_ENTRY& e)
{
    const char* flags = e.acInputFlags;
    const std::string q = cs() ? "X_PnlStr." : "";
    if (flags[0] == 'Y')
        return "   /* Attributes = */ " + q + "X_NORM_TEXT_ATTRIBUTES, /* Colour = */ " + q + "X_NORM_TEXT_COLOUR ";
    if (flags[1] == 'Y')
        return "   /* Attributes = */ " + q + "X_EMPH_TEXT_ATTRIBUTES, /* Colour = */ " + q + "X_EMPH_TEXT_COLOUR ";
    std::string attributes;
    for (int i = 2; i < 7; ++i)
        attributes += flags[i] == 'Y' ? 'Y' : 'N';
    static constexpr char kColours[7] = {'G', 'B', 'W', 'R', 'T', 'Y', 'P'};
    char colour = 'G';
    for (int i = 0; i < 7; ++i)
        if (flags[7 + i] == 'Y')
            colour = kColours[i];
    return "   /* Attributes = */ \"" + attributes + "\", /* Colour = */ '" + colour + "' ";
}

/* Registers an array of the panel: its pointer and count variables. */
void registerArray(const std::string& name, const char* type, std::string& count, std::string& pointer)
{
    /* the entries' texts are put together in buffers kept between arrays */
    static std::string c, cInit, cs, csInit;
    c.assign("struct ").append(type).append(" * p").append(name);
    cInit.assign("INSTANCE(p").append(name).append(") = &(").append(name).append("[0]);");
    cs.assign("public ").append(type).append("[] p").append(name);
    csInit.assign("pGlobal1.p").append(name).append(" = ").append(name).append(";");
    CGEN_AddStaticWorkingEntry(0, c, cInit, cs, csInit, GEN_STATIC_ALWAYS);
    c.assign("X_SHORT sc").append(name);
    cInit.assign("INSTANCE(sc").append(name).append(") = sizeof(").append(name).append(") / sizeof(struct ");
    cInit.append(type).append(");");
    cs.assign("public int sc").append(name);
    csInit.assign("pGlobal1.sc").append(name).append(" = ").append(name).append(".Length;");
    CGEN_AddStaticWorkingEntry(0, c, cInit, cs, csInit, GEN_STATIC_ALWAYS);
    c.assign("sc").append(name);
    count = P3109_Instance(c);
    c.assign("p").append(name);
    pointer = P3109_Instance(c);
}

void P3109_EmitPanelTextTable(Tables& t, const std::vector<LAYOUT_FIELD_ENTRY>& format)
{
    const std::string name = "Dialogue_" + t.panel.number + "_Text";
    bool first = true;
    for (LAYOUT_FIELD_ENTRY e : format) {
        if (e.cType != 'T')
            continue;
        if (first) {
            P3109_WriteDashedBoxComment(kDataQueue,
                                        "Dialogue text control structure defined by ZOPH line " + t.panel.number);
            data(3, tableHead("X_PANEL_TXT", name));
            std::string unused;
            registerArray(name, "X_PANEL_TXT", unused, unused);
        }
        if (e.lLine != 0)
            e.lLine += t.window.RowOffset();
        if (e.lColumn != 0)
            e.lColumn += t.window.ColumnOffset();
        const std::string reference =
            P3109_TextLiteralName("PANEL", std::string_view(e.acEditMask, sizeof e.acEditMask));
        const std::string position = "/* Row = */ " + std::to_string(e.lLine) + ", /* Column = */ " +
                                     std::to_string(e.lColumn) + ", /* Text = */ " + reference + ",";
        if (cs()) {
            data(6, std::string(first ? " " : ",") + "new X_PANEL_TXT( " + position);
            data(6, textAttributes(e) + ")");
        } else {
            data(6, std::string(first ? " " : ",") + position);
            data(6, textAttributes(e));
        }
        if (t.fWeb)
            P3108_WriteWebtxtRecord(P3109_Context(), t.sCommand, t.sSequence, e.lLine, e.lColumn, e.acEditMask,
                                    sizeof e.acEditMask);
        first = false;
    }
    if (first)
        return;
    data(3, "};");
    t.panel.textCount = P3109_Instance("sc" + name);
    t.panel.textTable = P3109_Instance("p" + name);
}

/* ---- field rows ---- */

/* The identification texts of a field: rows and columns of heading 1-3 (the
** label or description in the first). */
struct Identification {
    int16_t asRows[3] = {0, 0, 0};
    int16_t asColumns[3] = {0, 0, 0};
};

Identification identify(const LAYOUT_FIELD_ENTRY& e, char cIdentification, bool fListColumn)
{
    Identification id;
    if (e.cUsage == 'H')
        return id;
    const int32_t row = e.lLine, column = e.lColumn;
    switch (cIdentification) {
    case 'C':
        for (int k = 0, present = 0; k < 3; ++k) {
            if (e.asHeadingWidths[k] <= 0)
                continue;
            id.asRows[k] = static_cast<int16_t>(fListColumn ? row + k - 3 : row + present++);
            id.asColumns[k] = static_cast<int16_t>(e.lIdentOffset + column);
        }
        break;
    case 'D':
        if (e.lDescriptionWidth != 0) {
            id.asRows[0] = static_cast<int16_t>(row);
            id.asColumns[0] = static_cast<int16_t>(column);
        }
        break;
    case 'L':
        if (e.lLabelWidth != 0) {
            id.asRows[0] = static_cast<int16_t>(row);
            id.asColumns[0] = static_cast<int16_t>(e.lIdentOffset + column);
        }
        break;
    default: break;
    }
    return id;
}

/* The text flags of the field's web page texts (label, headings 1-3,
** description) and the number of texts the page shows. */
int32_t webTexts(const LAYOUT_FIELD_ENTRY& e, bool fListColumn, bool fPopUp, bool fDescriptions, uint16_t flags[5])
{
    std::fill(flags, flags + 5, P3108_NO_TEXT_ID);
    if (e.cUsage1 == 'H' || e.cUsage == 'H')
        return 0;
    int32_t count = 0;
    if (!fPopUp || !blank(e.acLabel, 15)) {
        flags[0] = P3108_TEXT_ID;
        ++count;
    }
    const uint16_t heading = fListColumn && e.cIdentification != 'C' ? P3108_WEB_JOB_TEXT_ID : P3108_TEXT_ID;
    for (int k = 0; k < 3; ++k)
        if (!blank(e.acHeadings[k], 20)) {
            flags[k + 1] = heading;
            ++count;
        }
    if (fDescriptions || !blank(e.acDescription, 40)) {
        flags[4] = P3108_TEXT_ID;
        ++count;
    }
    return count;
}

void writeLanguageText(const std::string& target, const std::string& field, char cKind)
{
    P3109_RegisterFieldTextUse(field, cKind);
    P3109_WriteGetMultilingualField(target, P3109_sFieldTextIndex(field), cKind, false);
}

void writeHeadings(const std::string& entry, const std::string& field)
{
    /* the target is put together in a buffer kept between fields */
    static std::string target;
    for (int k = 0; k < 3; ++k) {
        target.assign(entry).append(".pvchIdString[", 14);
        target.push_back(static_cast<char>('0' + k));
        target.push_back(']');
        writeLanguageText(target, field, static_cast<char>('1' + k));
    }
}

/* The condition numbers of a field: the first (its placement flag 'Y'),
** the second, and the identification condition. */
struct Conditions {
    int16_t sFirst = 0, sSecond = 0, sIdentification = 0;
};

Conditions fieldConditions(Tables& t, const LAYOUT_FIELD_ENTRY& e, char cKind, char cIdentification)
{
    Conditions c;
    const std::string name = text(e.acCondition, sizeof e.acCondition);
    int16_t number = 0;
    bool identifies = false;
    if (!name.empty()) {
        P3109_AddUniqueName(t.panel.conditions, P3109_Padded(name, 10));
        if (GEN_CONDITION* condition = P3109_pFindConditionForUpdate(name)) {
            condition->cUsed = 'Y';
            number = condition->sNumber;
            identifies = condition->cEvaluate == 'Y';
        }
    }
    const bool first = !name.empty() && e.cInOutCond == 'Y';
    (first ? c.sFirst : c.sSecond) = number;
    if (cIdentification == 'N')
        c.sIdentification = 1;
    else if (cKind == 'R')
        c.sIdentification = c.sSecond;
    else
        c.sIdentification = identifies ? number : 0;
    return c;
}

/* The colour and attribute names of a field from its definition's styles
** and the layout's attribute flags. */
GEN_COLOUR_NAMES colourNames(const LAYOUT_FIELD_ENTRY& e, const GEN_FIELD_INFO& f)
{
    GEN_DISPLAY_ATTRIBUTES a;
    std::memset(&a, ' ', sizeof a);
    std::memcpy(a.acInputStyles, f.inputAttributes.data(), std::min<size_t>(f.inputAttributes.size(), 40));
    std::memcpy(a.acOutputStyles, f.outputAttributes.data(), std::min<size_t>(f.outputAttributes.size(), 40));
    /* attribute n of the colour rows is the layout's flag position n + 1
       (green, flag position 16, is attribute 15) */
    std::memcpy(a.acInputFlags, e.acInputFlags, sizeof e.acInputFlags);
    std::memcpy(a.acOutputFlags, e.acOutputFlags, sizeof e.acOutputFlags);
    return P3109_MakeColourNames(a);
}

P3108_FIELD_DEFINITION webDefinition(const GEN_FIELD_INFO& f)
{
    P3108_FIELD_DEFINITION d;
    std::memset(d.acInputAttributes, ' ', sizeof d.acInputAttributes);
    std::memset(d.acOutputAttributes, ' ', sizeof d.acOutputAttributes);
    std::memcpy(d.acInputAttributes, f.inputAttributes.data(), std::min<size_t>(f.inputAttributes.size(), 40));
    std::memcpy(d.acOutputAttributes, f.outputAttributes.data(), std::min<size_t>(f.outputAttributes.size(), 40));
    d.sLabelLength = 15;
    d.sHeadingLength = 20;
    d.sDescriptionLength = 40;
    return d;
}

/* The column of a field in the browse list, -1 when the list lacks it. */
int32_t listColumn(const GEN_LIST_DEFINITION& list, const std::string& name)
{
    const std::string key = P3109_Padded(name, 10);
    for (size_t i = 0; i < list.fields.size(); ++i)
        if (list.fields[i].field == key)
            return static_cast<int32_t>(i);
    return -1;
}

/* One field of a table: its language texts in line, its four lines in the
** data section and its web page record. Answers the row written, -1 when
** the field is left out. */
int32_t P3109_EmitPanelLanguageTexts(Tables& t, LAYOUT_FIELD_ENTRY e, int32_t lPosition, char cKind)
{
    const std::string name = text(e.acName, sizeof e.acName);
    /* held, not copied: the texts and conditions below look other fields up */
    const std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldOperandField(name);
    const GEN_FIELD_INFO& f = P3109_FieldOrNone(held);
    const bool used = held != nullptr;
    const bool browse = cKind == 'S';
    std::string reference = used ? f.vectorName : kNotAvailable;
    char identification = e.cIdentification;
    const LAYOUT_FIELD_ENTRY* identified = &e;
    if (!browse && used && f.cControl != 'N' && f.cControl != ' ') {
        if (t.guiNames.size() < kGuiNames)
            P3109_AddUniqueName(t.guiNames, P3109_Padded(name, 10));
        if (f.cControl == 'P')
            identification = 'N';
    }
    if (browse) {
        GEN_LIST_DEFINITION* list = t.panel.pBrowse;
        const int32_t column = list ? listColumn(*list, name) : -1;
        if (column < 0)
            return -1;
        reference = std::to_string(column) + " /* " + name + " */";
        list->fields[static_cast<size_t>(column)].sMapNumber = static_cast<int16_t>(lPosition - 1);
        const auto kept = t.aside.find(P3109_Padded(name, 10));
        if (identification == 'N' && kept != t.aside.end()) {
            identified = &kept->second;
            identification = kept->second.cIdentification;
        }
    }
    const bool hidden = e.cUsage1 == 'H';

    /* the texts in the current language */
    const std::string entry = P3109_Instance("p" + t.tableName) + "[" + std::to_string(lPosition - 1) + "]";
    if ((identification == 'L' || identification == 'D') && !t.fLanguageComment) {
        P3109_WriteComment("Set labels, desc, etc into correct language");
        t.fLanguageComment = true;
    }
    if (identification == 'L')
        writeLanguageText(entry + ".pvchIdString[0]", name, 'L');
    else if (identification == 'D')
        writeLanguageText(entry + ".pvchIdString[0]", name, 'D');
    else if (identification == 'C')
        writeHeadings(entry, name);
    if (browse && identification != 'C' && !hidden) {
        P3109_Line(cs() ? "if(pX_Ids.chExecutionState == X_PnlStr.X_EXECUTION_STATE_SERVER_WEB_JOB)"
                        : "if(pX_Ids->chExecutionState == X_EXECUTION_STATE_SERVER_WEB_JOB)");
        P3109_Line("{");
        P3109_IndentIn();
        writeHeadings(entry, name);
        P3109_IndentOut();
        P3109_Line("}");
        t.lWebJobHeadings = 0;
        for (const auto& heading : e.acHeadings)
            t.lWebJobHeadings += blank(heading, 20) ? 0 : 1;
    }
    uint16_t flags[5];
    const int32_t texts = webTexts(e, browse, t.fPopUp, t.panel.fHasDescription, flags);
    P3109_WebTextCounterAdd(hidden ? 0 : texts);

    const Conditions c = fieldConditions(t, e, cKind, identification);
    int32_t row = e.lLine;
    if (!browse && identification == 'C')
        for (int16_t width : e.asHeadingWidths)
            row += width > 0 ? 1 : 0;
    const int32_t column = e.lColumn + e.lValueOffset;
    if (!browse && !t.cursorField.empty() && P3109_Padded(P3109_DropNationalChar(name), 10) == t.cursorField) {
        t.cursorRow = "(V_MAXIMUM_VALUE + " + std::to_string(row) + ")";
        t.cursorColumn = "(V_MAXIMUM_VALUE + " + std::to_string(column) + ")";
    }
    const Identification id = identify(*identified, identification, browse && identified == &e);

    char editCode = ' ';
    std::string editWord = "pX_NULL";
    if (e.cType != 'A') {
        editCode = P3109_PrintableChar(e.cEditCode);
        if (editCode == ' ' && !blank(e.acEditWord, sizeof e.acEditWord))
            editWord = P3109_TextLiteralName("EDITWORD", std::string_view(e.acEditWord, sizeof e.acEditWord));
        /* once, in the C pass: the C# pass writes the same table again */
        if (e.cUsage != 'H' && e.lDecimals >= 1 && editCode == ' ' && editWord == "pX_NULL" && !cs())
            P3109_sIssueMessage(Msg::DecimalsWithoutEdit, P3109_Padded(P3109_DropNationalChar(name), 10));
    }
    const GEN_COLOUR_NAMES colours = colourNames(e, f);
    /* the four lines are put together in a buffer kept between fields */
    static std::string line;
    const bool csharp = cs();
    const auto n = [](int32_t value) {
        char digits[16];
        line.append(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
    };
    /* C#: one constructor call of the same values */
    const auto v = [csharp](const std::string& value) { appendValue(line, value, csharp); };
    line.assign(lPosition == 1 ? " " : ",").append(csharp ? "new X_PANEL_FLD( " : "").append(reference);
    line.append(",'", 2);
    line.push_back(P3109_PrintableChar(e.cUsage1));
    line.append("',", 2);
    n(c.sFirst);
    line.push_back(',');
    n(c.sSecond);
    line.push_back(',');
    n(row);
    line.push_back(',');
    n(column);
    line.push_back(',');
    v(colours.inputColour);
    line.push_back(',');
    v(colours.outputColour);
    line.push_back(',');
    data(6, line);
    line.assign(" '", 2);
    line.push_back(P3109_PrintableChar(identification));
    line.append("',", 2);
    n(c.sIdentification);
    line.append(csharp ? ",null,null,null," : ",pX_NULL,pX_NULL,pX_NULL,");
    data(6, line);
    line.assign(" ");
    for (int k = 0; k < 3; ++k) {
        n(id.asRows[k]);
        line.push_back(',');
    }
    for (int k = 0; k < 3; ++k) {
        n(id.asColumns[k]);
        line.push_back(',');
    }
    line.push_back('\'');
    line.push_back(editCode);
    line.append("',", 2);
    v(editWord);
    line.append(",'", 2);
    line.push_back(P3109_PrintableChar(e.cShift));
    line.append("',", 2);
    data(6, line);
    line.assign(" ");
    v(colours.inputAttributes);
    line.push_back(',');
    v(colours.outputAttributes);
    line.push_back(',');
    n(e.lValueWidth);
    line.append(csharp ? " )" : " ");
    data(6, line);

    if (t.fWeb) {
        FFC_CONTEXT* ctx = P3109_Context();
        if (browse && !t.fListStarted) {
            /* the pages merge the list by its name as the command writes it */
            P3108_WriteWeblstRecord(ctx, t.sCommand, t.sSequence, P3109_ParmField("BROWSELIST", 0).c_str());
            t.fListStarted = true;
        }
        const P3108_FIELD_DEFINITION definition = webDefinition(f);
        P3108_WriteWeblsdWebdtaRecords(ctx, browse ? 1 : 0, t.sCommand, t.sSequence, &e, &definition, id.asRows,
                                       id.asColumns, flags);
    }
    return row;
}

/* ---- the field tables ---- */

void closeTable(Tables& t)
{
    if (t.cTableKind == ' ')
        return;
    data(3, "};");
    std::string count, pointer;
    registerArray(t.tableName, "X_PANEL_FLD", count, pointer);
    if (t.cTableKind == 'S') {
        t.panel.browseCount = count;
        t.panel.browseTable = pointer;
    } else {
        t.panel.fieldCount = count;
        t.panel.fieldTable = pointer;
    }
    t.cTableKind = ' ';
}

void openTable(Tables& t, char cKind)
{
    t.cTableKind = cKind;
    t.lRows = 0;
    t.tableName = "Dialogue_" + t.panel.number + (cKind == 'S' ? "_BFields" : "_PFields");
}

void writeFormat(Tables& t, const RCDFMT_DATA& format, const std::vector<LAYOUT_FIELD_ENTRY>& entries, bool fFirst,
                 int32_t& lLastRow)
{
    const char kind = std::memcmp(format.acKind, "SFL   ", 6) == 0 ? 'S' : 'R';
    if (t.cTableKind != kind && t.cTableKind != ' ')
        closeTable(t);
    if (fFirst)
        P3109_EmitPanelTextTable(t, entries);
    for (LAYOUT_FIELD_ENTRY e : entries) {
        if (e.lLine != 0)
            e.lLine += t.window.RowOffset();
        if (e.lColumn != 0)
            e.lColumn += t.window.ColumnOffset();
        if (e.cControlPart == 'Y' && kind == 'R') {
            t.aside[P3109_Padded(text(e.acName, 10), 10)] = e;
            continue;
        }
        if (e.cType == 'T')
            continue;
        if (t.cTableKind == ' ')
            openTable(t, kind);
        if (++t.lRows == 1) {
            P3109_WriteDashedBoxComment(kDataQueue,
                                        "Dialogue field control structure defined by ZOPH line " + t.panel.number);
            data(3, tableHead("X_PANEL_FLD", t.tableName));
            if (kind == 'S' && t.panel.pBrowse)
                t.panel.pBrowse->argument = cs() ? t.tableName : "&(" + t.tableName + "[0])";
        }
        if (!fFirst && e.cUsage1 != 'H' && e.lLine < lLastRow)
            e.lLine = lLastRow + 1;
        if (kind == 'R')
            t.lDescriptionWidth = std::max(t.lDescriptionWidth, e.lDescriptionWidth);
        const int32_t row = P3109_EmitPanelLanguageTexts(t, e, t.lRows, kind);
        if (row < 0)
            --t.lRows;
        else if (e.cUsage1 != 'H')
            lLastRow = row;
    }
}

/* ---- extended GUI attributes ---- */

const char* controlType(char cControl)
{
    switch (cControl) {
    case 'D': return "X_PNL_EXT_DROP_DOWN_LIST";
    case 'P': return "X_PNL_EXT_PUSH_BUTTON";
    case 'R': return "X_PNL_EXT_RADIO_BUTTON";
    case 'X': return "X_PNL_EXT_CHECK_BOX";
    default: return "UNKNOWN_WIMP_TYPE";
    }
}

void writeGuiTable(Tables& t)
{
    if (t.guiNames.empty())
        return;
    const std::string name = "Dialogue_" + t.panel.number + "_GUI";
    registerArray(name, "X_PANEL_FLD_EXT", t.panel.guiCount, t.panel.guiTable);
    P3109_WriteDashedBoxComment(kDataQueue, "Dialogue extended GUI attributes defined by ZOPH line " + t.panel.number);
    data(3, tableHead("X_PANEL_FLD_EXT", name));
    for (const std::string& field : t.guiNames) {
        const std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldOperandField(field);
        if (!held)
            continue;
        const GEN_FIELD_INFO& f = *held;
        const std::string_view number(f.acControlNumber, 2);
        const std::string value = P3109_MakeHexLiteral(number, 2);
        std::string text = "\"\"";
        if (f.cControl == 'D' || f.cControl == 'R')
            text = cs() ? P3109_MakeStringLiteral(P3109_TrimRight(number)) : "\"" + value + "\"";
        else if (f.cControl == 'P')
            text = "X_PNL_PUSH_BUTTON_" + value + "_AID";
        if (cs())
            data(6, "new X_PANEL_FLD_EXT( " + f.vectorName + "," + csValue(controlType(f.cControl)) + "," +
                        csValue(text) + ",null,null ),");
        else
            data(6, f.vectorName + "," + controlType(f.cControl) + "," + text + ",pX_NULL,pX_NULL,");
    }
    data(3, "};");
}

/* ---- the control block ---- */

/* 0 for an enabled key without condition, the condition's number, or 1. */
int16_t keyValue(Tables& t, std::string_view enable, std::string_view condition)
{
    const std::string name = P3109_TrimRight(condition);
    const int16_t value = P3109_ResolveFieldCondition(enable, name.empty() ? "*NONE" : name);
    if (value > 1 || (value == 0 && name != "*NONE" && !name.empty()))
        P3109_AddUniqueName(t.panel.conditions, P3109_Padded(name, 10));
    return value < 0 ? 1 : value;
}

std::string panelIdentifier()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    const std::string id = P3109_Parm("PANEL_ID");
    if ((ctx && ctx->cPopupIdentifier == 'N') || id.empty() || id == "*NONE")
        return "\"\"";
    if (id != "*AUTO")
        return P3109_TextLiteralName("PANELID", P3109_ParmField("PANEL_ID"));
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const int32_t line = r.lLineNumber;
    char digits[16];
    std::snprintf(digits, sizeof digits,
                  line <= 99    ? "%02d"
                  : line <= 999 ? "%03d"
                                : "%04d",
                  static_cast<int>(line % 10000));
    if (cs())
        return P3109_MakeStringLiteral(P3109_TrimRight(g().function).substr(0, 7) + digits);
    return "\"" + P3109_MakeHexLiteral(P3109_TrimRight(g().function), 7) + digits + "\"";
}

/* The title of the control block; the title line or the multilingual text
** of the title go to the panel. */
std::string panelTitle(Tables& t, const std::string& control)
{
    const std::string title = P3109_Parm("PANEL_TITL");
    if (title.empty() || title == "*FUNCTION") {
        t.panel.titleLine = cs() ? "pGlobal1." + control + ".pvchPanelTitle = pX_Fun.vchDesc;"
                                 : "INSTANCE(" + control + ".pvchPanelTitle) = &(pX_Fun->vchDesc[0]);";
        if (t.fPopUp) {
            t.panel.fAddTitleAsWebText = true;
            P3109_WebTextCounterAdd(1);
        }
        return "pX_NULL";
    }
    if (title.rfind("*MTXT", 0) == 0) {
        P3109_WriteComment("Set panel title into current language");
        P3109_WriteGetMultilingualText(P3109_Instance(control + ".pvchPanelTitle"),
                                       P3109_pFindMultilingualVariable(title));
        t.panel.fAddTitleAsWebText = true;
        P3109_WebTextCounterAdd(1);
        return "pX_NULL";
    }
    return P3109_TextLiteralName("PANEL_TITLE", P3109_ParmField("PANEL_TITL"));
}

std::string userKeyLine(Tables& t, const std::string& control, int iKey)
{
    GEN_PANEL_USER_KEY& key = t.panel.userKeys[static_cast<size_t>(iKey)];
    const int32_t number = P3109_ParmNumber("USER_KEYS", 0, iKey);
    if (number == 0) {
        key = GEN_PANEL_USER_KEY{false, "00", ""};
        return cs() ? " new X_PANEL_UKEY( 1,\"00\",null )," : " 1,\"00\",pX_NULL,";
    }
    char aid[8];
    if (number == 25)
        std::snprintf(aid, sizeof aid, "UP");
    else if (number == 26)
        std::snprintf(aid, sizeof aid, "DN");
    else
        std::snprintf(aid, sizeof aid, "%02d", static_cast<int>(number % 100));
    key.fEnabled = true;
    key.aid = aid;
    /* a key given without a branch target ends the panel and goes on with
       the next command, where IF_KEY may test it */
    key.target = P3109_ParmField("USER_KEYS", 2, iKey);
    if (P3109_TrimRight(key.target).empty())
        key.target = P3109_Padded("*NEXT", 10);
    const int16_t value = keyValue(t, "*YES", P3109_Parm("USER_KEYS", 3, iKey));
    const std::string description = P3109_Parm("USER_KEYS", 1, iKey);
    std::string text = "pX_NULL";
    if (description.rfind("*MTXT", 0) == 0) {
        P3109_WriteComment("Set user button into current language");
        P3109_WriteGetMultilingualText(P3109_Instance(control + ".UKey[" + std::to_string(iKey) + "].pvchDesc"),
                                       P3109_pFindMultilingualVariable(description));
    } else {
        text = P3109_TextLiteralName("FKEY_DESC", P3109_ParmField("USER_KEYS", 1, iKey));
    }
    if (cs())
        return " new X_PANEL_UKEY( " + std::to_string(value) + ",\"" + aid + "\"," + csValue(text) + " ),";
    return " " + std::to_string(value) + ",\"" + aid + "\"," + text + ",";
}

std::string cursorLine(const Tables& t)
{
    const std::string row = P3109_Parm("CURSOR_LOC", 0);
    const std::string end = cs() ? " );" : "};";
    if (row.empty() || row == "*NONE")
        return std::string(" ") + kNotAvailable + "," + kNotAvailable + end;
    if (row == "*ATFIELD") {
        /* the row and column of the field when the screen shows it; a
           field the screen does not show leaves the cursor where the run
           time puts it (both not available) */
        return " " + t.cursorRow + "," + t.cursorColumn + end;
    }
    return " " + P3109_KeywordFieldVector("CURSOR_LOC", 0) + "," + P3109_KeywordFieldVector("CURSOR_LOC", 1) + end;
}

void writeControlBlock(Tables& t)
{
    const std::string name = "Dialogue_" + t.panel.number + "_Control";
    t.panel.control = name;
    P3109_WriteDashedBoxComment(kDataQueue,
                                "Overall dialogue control structure defined by ZOPH line " + t.panel.number);
    data(3, cs() ? "private static X_PANEL_CTL " + name + " = new X_PANEL_CTL("
                 : "static struct X_PANEL_CTL " + name + " =");
    /* every instance of the function has its own copy of the block */
    CGEN_AddStaticWorkingEntry(0, "struct X_PANEL_CTL " + name, "INSTANCE(" + name + ") = " + name + ";",
                               "public X_PANEL_CTL " + name, "pGlobal1." + name + " = new X_PANEL_CTL( " + name + " );",
                               GEN_STATIC_ALWAYS);
    const FFC_CONTEXT* ctx = P3109_Context();
    const std::string stdHead = P3109_Parm("STD_HEAD");
    const char head = stdHead.empty() || stdHead == "X" ? (ctx ? P3109_PrintableChar(ctx->cTitleLines) : ' ')
                                                        : P3109_PrintableChar(stdHead[0]);
    const char further = ctx ? P3109_PrintableChar(ctx->cDateTimeOnTitle) : ' ';
    data(6,
         std::string(cs() ? " '" : "{'") + t.panel.cCommand + "','" + head + "','" + further + "','" + further + "',");
    const std::string identifier = panelIdentifier();
    const std::string title = panelTitle(t, name);
    data(6, " " + identifier + "," + (cs() ? csValue(title) : title) + ",");
    data(6, " " + std::to_string(t.window.RowOffset()) + "," + std::to_string(t.window.ColumnOffset()) + "," +
                std::to_string(t.lDescriptionWidth) + ",");
    if (t.fWeb) {
        const std::string title = P3109_ParmField("PANEL_TITL");
        const bool titleText = title.rfind("*MTXT", 0) == 0 || (t.fPopUp && title.rfind("*FUNCTION", 0) == 0);
        P3108_WriteWebpnlRecord(P3109_Context(), t.sCommand, t.sSequence, t.panel.cCommand,
                                P3109_Padded(title, 40).c_str(), static_cast<int16_t>(P3109_DisplayState().lWebPages),
                                titleText ? 1 : 0);
    }

    const int16_t exit = keyValue(t, P3109_Parm("EXIT_KEY", 0), P3109_Parm("EXIT_KEY", 2));
    const bool low = P3109_Parm("EXIT_KEY", 3) == "*LOW";
    const int16_t menu = keyValue(t, P3109_Parm("MENU_KEY", 0), P3109_Parm("MENU_KEY", 2));
    const int16_t add = keyValue(t, P3109_Parm("ADD_KEY", 0), P3109_Parm("ADD_KEY", 2));
    const int16_t change = keyValue(t, P3109_Parm("CHANGE_KEY", 0), P3109_Parm("CHANGE_KEY", 2));
    const int16_t remove = keyValue(t, P3109_Parm("DELETE_KEY", 0), P3109_Parm("DELETE_KEY", 2));
    int16_t prompt = keyValue(t, P3109_Parm("PROMPT_KEY", 0), P3109_Parm("PROMPT_KEY", 2));
    if (P3109_Parm("PROMPT_KEY", 1) != "*AUTO")
        prompt = static_cast<int16_t>(-1 - prompt);
    const auto n = [](int32_t v) { return std::to_string(v); };
    data(6, " " + n(low ? 1 : exit) + "," + n(low ? exit : 1) + "," + n(menu) + "," + n(add) + "," + n(change) + "," +
                n(remove) + "," + n(prompt) + ",");
    for (int k = 0; k < 5; ++k)
        data(6, userKeyLine(t, name, k));
    const std::string ioKey = P3109_FieldVector(P3109_SpecialFieldName("IO", "KEY"));
    data(6, " " + ioKey + "," + n(t.window.lRow) + "," + n(t.window.lColumn) + "," + n(t.window.lWidth) + "," +
                n(t.window.lHeight) + (cs() ? ",0,0,X_PnlStr.BLANK,X_PnlStr.BLANK,1," : ",0,0,BLANK,BLANK,1,"));
    data(6, cursorLine(t));
}

}  // namespace

void P3109_WebTextCounterAdd(int32_t lTexts)
{
    P3109_DisplayState().lWebTexts += lTexts;
}

bool P3109_fWebRecords()
{
    return g().cTarget == GEN_TARGET_C && (P3109_fSysFlag(SYSFLAG_HTML_PAGES) || P3109_fSysFlag(SYSFLAG_XML_PAGES));
}

void P3109_EmitPanelFieldTables(GEN_PANEL& panel)
{
    GEN_DISPLAY_STATE& s = P3109_DisplayState();
    Tables t(panel);
    t.fPopUp = panel.cCommand == 'P';
    t.fWeb = P3109_fWebRecords();
    if (const FFC_CHECK_STATE* st = P3109_CheckState()) {
        t.sCommand = static_cast<int16_t>(st->lLine);
        t.sSequence = static_cast<int16_t>(st->lLineWord);
    }
    panel.lWebTextOffset = s.lWebTexts;
    if (t.fWeb) {
        P3108_StartPendingWebRecords(P3109_Context(), s.fWebStarted ? P3108_usNextTextId() : 1, &s.ulWebPosition);
        s.fWebStarted = true;
    }
    if (P3109_Parm("CURSOR_LOC", 0) == "*ATFIELD" && P3109_Parm("CURSOR_LOC", 1) != "*NONE")
        t.cursorField = P3109_Padded(P3109_DropNationalChar(P3109_Parm("CURSOR_LOC", 1)), 10);
    t.window = popUpWindow(t.fPopUp);

    const ScreenRecords records = readRecords();
    for (size_t f = 0; f < records.formats.size(); ++f) {
        if (std::memcmp(records.formats[f].acKind, "SFL   ", 6) == 0)
            continue;
        for (const LAYOUT_FIELD_ENTRY& e : records.entries[f])
            if (e.cType != 'T' && e.cControlPart != 'Y' && !blank(e.acDescription, sizeof e.acDescription))
                panel.fHasDescription = true;
    }
    int32_t lastRow = 0;
    for (size_t f = 0; f < records.formats.size(); ++f)
        writeFormat(t, records.formats[f], records.entries[f], f == 0, lastRow);
    closeTable(t);
    panel.lWebTextOffset += t.lWebJobHeadings;
    writeGuiTable(t);
    writeControlBlock(t);
    if (t.fWeb)
        P3108_FlushPendingWebRecords(P3109_Context(), panel.fHasDescription ? 1 : 0, t.fPopUp ? 1 : 0);
}

/* The generator's partition and text references, as the web page records
** take them. */
void P3109_UseGeneratorTextsForWebRecords()
{
    static const P3108_GENERATOR_TEXTS texts = {
        [] { return P3109_State().partition.c_str(); },
        [] { return P3109_TextReferences().size(); },
        P3109_InsertTextReference,
        P3109_AppendTextReference,
    };
    P3108_UseGeneratorTexts(&texts);
}

/*
** report_definitions.cpp: the report lines of DEF_HEAD, DEF_FOOT,
** DEF_LINE and DEF_BREAK, the report control structures (skeleton point
** 35) and the field-index arrays of the report routines.
**
** In the definition run each report line command becomes a print cluster
** of its report: the layout's PRTFMT and PRTFLD records of the command are
** gathered line by line into sort entries, sorted, and every print line
** gets its print routine (Print_Routine_n) with its tables of texts and
** fields, written into the reporting routines; a detail line whose fields
** are identified by column headings also gets the routines of those
** headings (HEAD2), printed under the page headings.
**
** The sort entries are ordered by line, column, field number and tag as
** numbers, and entries of one key keep their order, so that a column
** beyond 255 sorts after a smaller one and the routines come out the same
** in every run.
*/
#include "generator/emitters/report_support.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/file_field_mangling.h"
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

using dqov::Msg;

namespace {

constexpr GEN_STREAM kDataQueue = 1;

bool cs()
{
    return P3109_fCSharp();
}

/* The stream of the print routines: the reporting routines of C, the
** routine stream of the C# class. */
GEN_STREAM routineStream()
{
    return cs() ? g().csStreams[2] : g().rpt;
}

/* A null pointer of the target. */
const char* null()
{
    return cs() ? "null" : "pX_NULL";
}

struct ReportState {
    std::array<GEN_REPORT_TABLES, GEN_REPORT_SLOTS> reports;
    int32_t lRoutines = 0;
};

ReportState& rs()
{
    static ReportState s;
    return s;
}

/* One sort entry of a print line. */
struct SortEntry {
    int32_t lLine = 0;
    int32_t lColumn = 0;
    int32_t lValue = 0; /* the field number of the record */
    char cTag = 'A';
    size_t ulRecord = 0; /* the layout record it came from */
};

/* A print item of a routine. */
struct PrintItem {
    char cKind = 'T'; /* 'T' text, 'F' field */
    int32_t lPosition = 0, lLength = 0;
    char cChange = 'N';
    std::string text;        /* 'T': literal reference, empty when filled at run time */
    std::string runtimeText; /* 'T': the text's run-time source */
    std::string vector;      /* 'F' */
    uint16_t usByteLength = 0;
    char cEditCode = ' ';
    std::string editWord = "pX_NULL";
    int16_t sEditValue = 0;
};

struct PrintDescription {
    int iType = GEN_LINE_LINE;
    char cChange = 'N';
    int32_t alControl[4] = {0, 0, 0, 0};
    std::string printControl;
    std::vector<PrintItem> items;
};

/* The line kinds of the layout and their print-line tables. */
struct LineKind {
    const char* name;
    int iType;
    const char* limitText;
};
constexpr LineKind kLineKinds[] = {{"HEAD", GEN_LINE_HEAD, "PRINT TYPE HEAD"},
                                   {"FOOT", GEN_LINE_FOOT, "PRINT TYPE FOOT"},
                                   {"LEAD", GEN_LINE_LEAD, "PRINT TYPE LEAD"},
                                   {"TRAIL", GEN_LINE_TRAIL, "PRINT TYPE TRAIL"},
                                   {"LINE", GEN_LINE_LINE, "PRINT TYPE LINE"}};
constexpr const char* kHead2Limit = "PRINT TYPE HEAD2";

const LineKind* lineKind(const char* acKind)
{
    const std::string kind = P3109_TrimRight(std::string_view(acKind, 6));
    for (const LineKind& k : kLineKinds)
        if (kind == k.name)
            return &k;
    return nullptr;
}

bool detailType(int iType)
{
    return iType == GEN_LINE_LINE || iType == GEN_LINE_LEAD || iType == GEN_LINE_TRAIL;
}

/* The text of a field's label or heading, fetched at run time. */
std::string fieldText(const LAYOUT_FIELD_ENTRY& e, char cKind)
{
    const std::string name = P3109_TrimRight(std::string_view(e.acName, 10));
    P3109_RegisterFieldTextUse(name, cKind);
    return P3109_MakeMultilingualFieldRef(name, cKind);
}

/* ---- the records of the command ---- */

struct PrintFormat {
    PRTFMT_DATA format;
    std::vector<LAYOUT_FIELD_ENTRY> fields;
};

std::vector<PrintFormat> readFormats()
{
    std::vector<PrintFormat> formats;
    for (const PRTFMT_DATA& f : P3109_ReadCommandFormats<PRTFMT_DATA>(LAYOUT_KIND_PRTFMT))
        formats.push_back({f, P3109_ReadFormatEntries(LAYOUT_KIND_PRTFLD, f.acFormat)});
    return formats;
}

/* ---- print routines ---- */

void routineLine(const std::string& text)
{
    P3109_WriteLine(routineStream(), 0, text);
}

/* C#: the tables are arrays of the routine made by the rows'
** constructors, their counts the arrays' lengths. */
void writeTexts(const PrintDescription& d, const std::vector<size_t>& texts)
{
    routineLine(cs() ? "   X_REPORT_TXT[] X_RptTxt = " : "   static struct X_REPORT_TXT X_RptTxt[] = ");
    routineLine("   {");
    for (size_t i = 0; i < texts.size(); ++i) {
        const PrintItem& item = d.items[texts[i]];
        const std::string numbers = std::to_string(item.lPosition) + "," + std::to_string(item.lLength) + ",0";
        const std::string comma = i + 1 < texts.size() ? "," : "";
        if (cs())
            routineLine("      new X_REPORT_TXT( " + (item.text.empty() ? std::string("null") : item.text) + "," +
                        numbers + " )" + comma);
        else
            routineLine(item.text.empty() ? "      pX_NULL," + numbers + comma
                                          : "         " + item.text + "," + numbers + comma);
    }
    routineLine("   };");
    if (cs()) {
        routineLine("   int scX_RptTxt = X_RptTxt.Length;");
        return;
    }
    routineLine("   static X_SHORT scX_RptTxt = (sizeof(X_RptTxt) / ");
    routineLine("                                sizeof(struct X_REPORT_TXT));");
}

void writeFields(const PrintDescription& d, const std::vector<size_t>& fields)
{
    routineLine(cs() ? "   X_REPORT_FLD[] X_RptFld = " : "   static struct X_REPORT_FLD X_RptFld[] = ");
    routineLine("   {");
    for (size_t i = 0; i < fields.size(); ++i) {
        const PrintItem& item = d.items[fields[i]];
        const std::string row = item.vector + "," + std::to_string(item.lPosition) + "," +
                                std::to_string(item.lLength) + ",0,'" + item.cEditCode + "'," +
                                (cs() && item.editWord == "pX_NULL" ? "null" : item.editWord) + "," +
                                std::to_string(item.sEditValue);
        const std::string comma = i + 1 < fields.size() ? "," : "";
        routineLine(cs() ? "      new X_REPORT_FLD( " + row + " )" + comma : "      " + row + comma);
    }
    routineLine("   };");
    if (cs()) {
        routineLine("   int scX_RptFld = X_RptFld.Length;");
        return;
    }
    routineLine("   static X_SHORT scX_RptFld = (sizeof(X_RptFld) / ");
    routineLine("                                sizeof(struct X_REPORT_FLD));");
}

/* The texts fetched at run time and the first value of the change tracking,
** on the first call of the routine or the report's first page. */
void writeRuntimeTextsC(const PrintDescription& d, const std::vector<size_t>& texts, const std::vector<size_t>& tracked,
                        const std::vector<size_t>& fields, const std::string& routine, const std::string& report);
void writeRuntimeTextsCs(const PrintDescription& d, const std::vector<size_t>& texts,
                         const std::vector<size_t>& tracked, const std::vector<size_t>& fields,
                         const std::string& routine, const std::string& report);
/* The change test of a tracked field: the field's condition 2 set when its
** value is unchanged, the value kept otherwise. */
void writeChangeTest(const PrintItem& item, const std::string& name, size_t ulField);

/* The change tracking of a field item: its tracking variable's name. */
std::string changeName(const std::string& routine, size_t ulField, const PrintItem& item)
{
    const std::string base = routine + "_" + std::to_string(ulField);
    return item.usByteLength == 1 ? "chChange_" + base : "fchChange_" + base;
}

void P3109_EmitPrintRoutine(const PrintDescription& d, int32_t lReport, int16_t sCluster, const std::string& number)
{
    GEN_REPORT_TABLES* tables = P3109_pReportTables(lReport);
    if (!tables)
        return;
    const std::string routine = "Print_Routine_" + std::to_string(++rs().lRoutines);
    std::vector<GEN_PRINT_LINE_ENTRY>& table = tables->lines[static_cast<size_t>(d.iType)];
    const char* limit = kHead2Limit;
    for (const LineKind& k : kLineKinds)
        if (k.iType == d.iType)
            limit = k.limitText;
    if (P3109_fCheckReportLimit(static_cast<int32_t>(table.size()),
                                static_cast<int32_t>(GEN_PRINT_LINE_CAPACITY[static_cast<size_t>(d.iType)]), limit))
        return;
    table.push_back({sCluster, routine, std::string(10, ' ')});

    /* C# declares no prototypes and has no guards; a routine's count of
       calls, static in C, is a static member of the class */
    const GEN_STREAM stream = routineStream();
    if (!cs()) {
        const GEN_STREAM header = g().header;
        P3109_WriteDashedBoxComment(header, "Prototype for print routine defined by ZOPH line " + number);
        P3109_WriteLine(header, 3, "F_VOID_FUNCTION " + routine + " (FUNCTION_STD_ARGS);");
        P3109_WriteModuleComponentIf(stream, 0, "COMMON");
    }
    P3109_WriteDoubleBoxComment(stream, "Print Control Subroutine for line defined by ZOPH line " + number);
    const std::string control = std::to_string(d.alControl[0]) + "," + std::to_string(d.alControl[1]) + "," +
                                std::to_string(d.alControl[2]) + "," + std::to_string(d.alControl[3]);
    if (cs()) {
        routineLine("private static int sEntryCount_" + routine + " = 0;");
        routineLine("private static void " + routine + " (" + GEN_FUNCTION_ARGS_CS + ")");
        routineLine("{");
        routineLine("   X_REPORT_CTL X_RptCtl = new X_REPORT_CTL(" + control + ");");
    } else {
        routineLine("F_VOID_FUNCTION " + routine + " (FUNCTION_STD_ARGS)");
        routineLine("{");
        routineLine("   struct X_REPORT_CTL X_RptCtl = {" + control + "};");
    }
    std::vector<size_t> texts, fields;
    for (size_t i = 0; i < d.items.size(); ++i)
        (d.items[i].cKind == 'T' ? texts : fields).push_back(i);
    if (!texts.empty())
        writeTexts(d, texts);
    if (!fields.empty())
        writeFields(d, fields);

    /* run-time texts and change tracking */
    std::vector<size_t> tracked;
    for (size_t i = 0; i < fields.size(); ++i) {
        const PrintItem& item = d.items[fields[i]];
        if (item.cChange != 'Y')
            continue;
        tracked.push_back(i);
        const std::string name = changeName(routine, i, item);
        const std::string bytes = std::to_string(item.usByteLength);
        /* C# keeps the last value's bytes, one byte too */
        CGEN_AddStaticWorkingEntry(0, item.usByteLength == 1 ? "X_CHAR " + name : "X_FCHAR " + name + "[" + bytes + "]",
                                   "", "public byte[] " + name + " = new byte[" + bytes + "]", "", GEN_STATIC_ALWAYS);
    }
    bool runtimeTexts = false;
    for (size_t i : texts)
        runtimeTexts = runtimeTexts || d.items[i].text.empty();
    const std::string report = std::to_string(lReport);
    if (cs())
        writeRuntimeTextsCs(d, texts, tracked, fields, routine, report);
    else if (runtimeTexts || !tracked.empty())
        writeRuntimeTextsC(d, texts, tracked, fields, routine, report);
    for (size_t i : tracked)
        writeChangeTest(d.items[fields[i]], changeName(routine, i, d.items[fields[i]]), i);
    routineLine(" ");
    if (cs()) {
        routineLine("   X_RUN_DLL.X_Pim_Print (pX_Ids, pX_Pro, pX_Fun, pGlobal1.X_Report_" + report + ",");
        routineLine("                X_RptCtl, pGlobal1.X_Cond, pX_Fld,");
    } else {
        routineLine("   X_Pim_Print (pX_Ids, pX_Pro, pX_Fun, &(INSTANCE(X_Report_" + report + ")),");
        routineLine("                &(X_RptCtl), INSTANCE(X_Cond), pX_Fld,");
    }
    routineLine(texts.empty() ? "                0, " + std::string(null()) + ","
                              : "                scX_RptTxt, X_RptTxt,");
    routineLine(fields.empty() ? "                0, " + std::string(null()) + ");"
                               : "                scX_RptFld, X_RptFld);");
    routineLine(cs() ? "   pGlobal1.X_Report_" + report + ".sPIMCallCount++;"
                     : "   INSTANCE(X_Report_" + report + ".sPIMCallCount++);");
    routineLine("   return;");
    routineLine("}");
    P3109_WriteEndif(0, 0, stream);
}

void writeRuntimeTextsC(const PrintDescription& d, const std::vector<size_t>& texts, const std::vector<size_t>& tracked,
                        const std::vector<size_t>& fields, const std::string& routine, const std::string& report)
{
    routineLine("   static X_SHORT sEntryCount = 0;");
    routineLine(" ");
    routineLine("   if ((sEntryCount == 0) || (INSTANCE(X_Report_" + report + ".sPIMCallCount) == 0))");
    routineLine("   {");
    for (size_t i = 0; i < texts.size(); ++i)
        if (d.items[texts[i]].text.empty())
            routineLine("      X_RptTxt[" + std::to_string(i) + "].pvchText = " + d.items[texts[i]].runtimeText + ";");
    for (size_t i : tracked) {
        const PrintItem& item = d.items[fields[i]];
        const std::string name = changeName(routine, i, item);
        routineLine(item.usByteLength == 1 ? "      INSTANCE(" + name + ") = HIVAL;"
                                           : "      INSTANCE(" + name + "[0]) = HIVAL;");
    }
    routineLine("   }");
    routineLine("   sEntryCount++;");
}

/* C# makes the text table at every call: its run-time texts are set at
** every call, the change tracking starts on the first call. */
void writeRuntimeTextsCs(const PrintDescription& d, const std::vector<size_t>& texts,
                         const std::vector<size_t>& tracked, const std::vector<size_t>& fields,
                         const std::string& routine, const std::string& report)
{
    for (size_t i = 0; i < texts.size(); ++i)
        if (d.items[texts[i]].text.empty())
            routineLine("   X_RptTxt[" + std::to_string(i) + "].pvchText = " + d.items[texts[i]].runtimeText + ";");
    if (tracked.empty())
        return;
    const std::string count = "sEntryCount_" + routine;
    routineLine(" ");
    routineLine("   if ((" + count + " == 0) || (pGlobal1.X_Report_" + report + ".sPIMCallCount == 0))");
    routineLine("   {");
    for (size_t i : tracked)
        routineLine("      pGlobal1." + changeName(routine, i, d.items[fields[i]]) + "[0] = (byte) X_DEFS.HIVAL;");
    routineLine("   }");
    routineLine("   " + count + "++;");
}

void writeChangeTest(const PrintItem& item, const std::string& name, size_t ulField)
{
    const std::string length = std::to_string(item.usByteLength);
    const std::string condition = "X_RptFld[" + std::to_string(ulField) + "].sCond2";
    const std::string field = "pX_Fld[" + item.vector + "].pField";
    if (cs())
        routineLine("   if (DqooDef.X_MEMCMP(pGlobal1." + name + "," + field + "," + length + ") == 0)");
    else
        routineLine(item.usByteLength == 1
                        ? "   if (INSTANCE(" + name + ") == " + field + "[0])"
                        : "   if (memcmp(INSTANCE(" + name + ")," + field + "," + length + ") == 0)");
    routineLine("   {");
    routineLine("      " + condition + " = 1;");
    routineLine("   }");
    routineLine("   else");
    routineLine("   {");
    routineLine("      " + condition + " = 0;");
    if (cs())
        routineLine("      DqooDef.X_CPYBYTES(pGlobal1." + name + "," + field + "," + length + ");");
    else
        routineLine(item.usByteLength == 1 ? "      INSTANCE(" + name + ") = " + field + "[0];"
                                           : "      memcpy(INSTANCE(" + name + ")," + field + "," + length + ");");
    routineLine("   }");
}

/* ---- building the clusters ---- */

/* The items of one sort entry of the print line. */
void addItems(PrintDescription& d, const SortEntry& s, const LAYOUT_FIELD_ENTRY& e)
{
    if (s.cTag == 'C' || s.cTag == 'D' || s.cTag == 'E') {
        if (e.lHeadingWidth == 0)
            return;
        PrintItem item;
        item.lPosition = e.lColumn + e.lIdentOffset;
        item.lLength = e.lHeadingWidth;
        item.runtimeText = fieldText(e, static_cast<char>('1' + (s.cTag - 'C')));
        d.items.push_back(item);
        return;
    }
    if (e.cType != 'T' && e.cIdentification == 'L' && e.lLabelWidth != 0) {
        PrintItem label;
        label.lPosition = e.lColumn + e.lIdentOffset;
        label.lLength = e.lLabelWidth;
        label.runtimeText = fieldText(e, 'L');
        d.items.push_back(label);
    }
    PrintItem item;
    if (e.cType == 'T') {
        item.lPosition = e.lColumn;
        item.lLength = e.lLength;
        item.text = P3109_TextLiteralName(
            "REPORT", std::string_view(e.acEditMask, static_cast<size_t>(std::clamp<int32_t>(e.lLength, 1, 256))));
        d.items.push_back(item);
        return;
    }
    GEN_FIELD_INFO f;
    if (!P3109_fRequiredField("FIELDS", std::string_view(e.acName, 10), f))
        return;
    item.cKind = 'F';
    item.lPosition = e.lColumn + e.lValueOffset;
    item.lLength = e.lValueWidth;
    item.vector = f.vectorName;
    item.usByteLength = f.usByteLength;
    item.cChange = e.cOnChange == 'Y' ? 'Y' : 'N';
    item.cEditCode = P3109_PrintableChar(e.cEditCode);
    if (item.cEditCode == ' ' && std::string_view(e.acEditWord, 24).find_first_not_of(' ') != std::string_view::npos)
        item.editWord = P3109_TextLiteralName("EDITWORD", std::string_view(e.acEditWord, 24));
    item.sEditValue = static_cast<int16_t>(std::clamp<int32_t>(e.lValueWidth, INT16_MIN, INT16_MAX));
    d.cChange = item.cChange == 'Y' ? 'Y' : d.cChange;
    d.items.push_back(item);
}

/* The 12-byte key of a sort entry: the 16-bit line and base column, the
** 32-bit field number and the 32-bit tag, each stored high byte first so
** that the byte-wise comparison orders them as numbers. */
using SortKey = std::array<unsigned char, 12>;

SortKey sortKey(const SortEntry& e)
{
    SortKey k{};
    const auto put = [&k](size_t at, uint32_t value, size_t bytes) {
        for (size_t i = 0; i < bytes; ++i)
            k[at + i] = static_cast<unsigned char>(value >> (8 * (bytes - 1 - i)));
    };
    put(0, static_cast<uint16_t>(e.lLine), 2);
    put(2, static_cast<uint16_t>(e.lColumn), 2);
    put(4, static_cast<uint32_t>(e.lValue), 4);
    put(8, static_cast<unsigned char>(e.cTag), 4);
    return k;
}

/* The sort entries of one print-line format. */
std::vector<SortEntry> sortEntries(const PrintFormat& f, int iType, bool& fOverflow)
{
    std::vector<SortEntry> entries;
    const bool heading = iType == GEN_LINE_HEAD || iType == GEN_LINE_FOOT;
    const auto add = [&](int32_t line, char tag, size_t record, const LAYOUT_FIELD_ENTRY& e) {
        if (entries.size() >= GEN_SORT_ENTRIES_MAX) {
            fOverflow = true;
            return;
        }
        entries.push_back({line, e.lColumn, e.lFieldNumber, tag, record});
    };
    for (size_t i = 0; i < f.fields.size(); ++i) {
        const LAYOUT_FIELD_ENTRY& e = f.fields[i];
        const bool field = e.cType != 'T';
        if (field && e.cIdentification == 'C' && heading) {
            for (int k = 0; k < 4; ++k)
                add(e.lLine + k, static_cast<char>('C' + k), i, e);
        } else if (field && e.cIdentification == 'C' && detailType(iType)) {
            add(e.lLine, 'B', i, e);
        } else {
            add(e.lLine, field && heading ? 'F' : 'A', i, e);
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
        const SortKey ka = sortKey(a), kb = sortKey(b);
        return P3109_lCompare12(ka.data(), kb.data()) < 0;
    });
    return entries;
}

/* The HEAD2 routines of a detail line: its column headings, line by line
** and level by level. */
void writeHeadingLines(const PrintFormat& f, const std::vector<SortEntry>& entries, int32_t lReport, int16_t sCluster,
                       const std::string& number)
{
    int32_t highest = 0;
    for (const SortEntry& s : entries)
        if (s.cTag == 'B')
            highest = std::max(highest, s.lLine);
    const std::string control = P3109_Parm("PRINT_CTL");
    for (int32_t line = 1; line <= highest; ++line) {
        for (int level = 0; level < 3; ++level) {
            PrintDescription d;
            bool started = false;
            for (const SortEntry& s : entries) {
                if (s.cTag != 'B' || s.lLine != line)
                    continue;
                if (!started) {
                    d.iType = GEN_LINE_HEAD2;
                    d.alControl[0] = level == 0 ? 2 : 1;
                    if (!control.empty() && control != "*NONE")
                        d.printControl = P3109_Padded(control, 10);
                    started = true;
                }
                const LAYOUT_FIELD_ENTRY& e = f.fields[s.ulRecord];
                if (e.lHeadingWidth == 0)
                    continue;
                PrintItem item;
                item.lPosition = e.lColumn + e.lIdentOffset;
                item.lLength = e.lHeadingWidth;
                item.runtimeText = fieldText(e, static_cast<char>('1' + level));
                d.items.push_back(item);
            }
            if (started)
                P3109_EmitPrintRoutine(d, lReport, sCluster, number);
        }
    }
}

/* The print routines of one format; answers the lines it covers. */
int32_t writeFormat(const PrintFormat& f, const LineKind& kind, int32_t lReport, int16_t sCluster,
                    const std::string& number, GEN_PRINT_CLUSTER& cluster)
{
    bool overflow = false;
    const std::vector<SortEntry> entries = sortEntries(f, kind.iType, overflow);
    if (overflow)
        P3109_sIssueMessage(Msg::LimitReached, "PRINT SORT ENTRIES");
    const bool heading = kind.iType == GEN_LINE_HEAD || kind.iType == GEN_LINE_FOOT;
    int32_t total = 0, previous = 0;
    PrintDescription d;
    bool open = false;
    for (const SortEntry& s : entries) {
        const LAYOUT_FIELD_ENTRY& e = f.fields[s.ulRecord];
        if (!open || s.lLine != previous) {
            if (open)
                P3109_EmitPrintRoutine(d, lReport, sCluster, number);
            const int32_t distance = s.lLine - previous;
            total += distance;
            d = PrintDescription{};
            d.iType = kind.iType;
            if (heading)
                d.alControl[2] = s.lLine;
            else
                d.alControl[0] = distance;
            previous = s.lLine;
            open = true;
        }
        if (e.acCondition[0] != ' ' && e.acCondition[0] != '\0')
            P3109_AddUniqueName(cluster.conditions, std::string_view(e.acCondition, 10));
        addItems(d, s, e);
    }
    if (open)
        P3109_EmitPrintRoutine(d, lReport, sCluster, number);
    if (detailType(kind.iType))
        writeHeadingLines(f, entries, lReport, sCluster, number);
    return total;
}

int16_t nextSlot()
{
    int16_t& areas = g().emit.sTempStoreAreas;
    return areas++;
}

/* The print-line name and its identifier of the current command. */
void nameCluster(GEN_PRINT_CLUSTER& c)
{
    const std::string written = P3109_Parm("NAME");
    c.name = P3109_Padded(written, 10);
    const std::string name = P3109_DropNationalChar(written);
    c.identifier = P3109_MakeCIdentifier(name, name.size());
    c.group = P3109_CopyUpper(written, written.size());
}

/* Enters a line or break routine into the report's prototypes once. */
void registerPrintLine(GEN_REPORT_SLOT& slot, const char* kind, const std::string& identifier)
{
    for (const GEN_PRINT_LINE& l : slot.printLines)
        if (l.kind == kind && l.name == identifier)
            return;
    slot.printLines.push_back({kind, identifier});
}

void P3109_BuildPrintClusters(int iKind)
{
    const int32_t report = P3109_ParmNumber("REPORT_NUM");
    GEN_REPORT_TABLES* tables = P3109_pReportTables(report);
    GEN_REPORT_SLOT* slot = P3109_pReportSlot(report);
    if (!tables || !slot)
        return;
    if (P3109_fCheckReportLimit(static_cast<int32_t>(tables->clusters.size()),
                                static_cast<int32_t>(GEN_PRINT_CLUSTERS_MAX), "PRINT CLUSTERS"))
        return;
    GEN_PRINT_CLUSTER c;
    c.iKind = iKind;
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    c.usNumber = r.usNumber;
    c.usSequence = r.usSequence;
    c.number = g().lineNumberText;
    nameCluster(c);
    if (iKind == GEN_CLUSTER_BREAK)
        c.cBreak = P3109_Parm("TRIGGER_BY") == "L" ? 'L' : 'T';
    if (iKind == GEN_CLUSTER_LINE || iKind == GEN_CLUSTER_BREAK)
        c.lLineTotal = P3109_ParmNumber("SPACE_BEF") + P3109_ParmNumber("SPACE_AFT");
    switch (iKind) {
    case GEN_CLUSTER_HEAD:
        c.sTriggerSlot = nextSlot();
        c.sTriggerSlot2 = nextSlot();
        c.sTrailSlot = nextSlot();
        break;
    case GEN_CLUSTER_FOOT:
        c.sTriggerSlot = nextSlot();
        c.sTriggerSlot2 = nextSlot();
        break;
    case GEN_CLUSTER_BREAK:
        c.sTriggerSlot = nextSlot();
        /* a trailing break keeps the ending group's values (its trail slot)
           and, while it prints them, the current group's (the second slot) */
        if (c.cBreak == 'T') {
            c.sTrailSlot = nextSlot();
            c.sTriggerSlot2 = nextSlot();
        }
        break;
    default: break;
    }
    if (iKind == GEN_CLUSTER_LINE)
        registerPrintLine(*slot, "LINE", c.identifier);
    else if (iKind == GEN_CLUSTER_BREAK)
        registerPrintLine(*slot, c.cBreak == 'L' ? "LEAD" : "TRAI", c.identifier);
    const int16_t index = static_cast<int16_t>(tables->clusters.size());
    tables->clusters.push_back(c);
    int32_t total = 0;
    for (const PrintFormat& f : readFormats())
        if (const LineKind* kind = lineKind(f.format.acLineKind))
            total += writeFormat(f, *kind, report, index, c.number, tables->clusters.back());
    tables->clusters.back().lLineTotal += total;
}

/* A report line command: its clusters and routines in the definition run
** (written although every other line of that run is dropped), only its
** source line in the main run. */
void emitReportLine(int iKind)
{
    GEN_MODULE_STATE& s = g();
    if (s.out.cSuppress != 'Y') {
        P3109_EmitCommandPrologue();
        /* the print routine passes no print-control text to the run time:
           a line given one would print without it */
        const std::string control = P3109_TrimRight(P3109_Parm("PRINT_CTL"));
        if (!control.empty() && control != "*NONE")
            P3109_sIssueMessage(Msg::KeywordValueNotUsable, P3109_Padded(P3109_CurrentCommandName(), 10) +
                                                                P3109_Padded("PRINT_CTL", 10) +
                                                                P3109_Padded(control, GEN_OPERAND_NAME_WIDTH));
        return;
    }
    s.out.cSuppress = 'N';
    P3109_BuildPrintClusters(iKind);
    s.out.cSuppress = 'Y';
}

void arrayLines(const std::vector<std::string>& vectors, std::string_view arrayName, size_t ulPerLine, bool fConst)
{
    const std::string name(arrayName);
    if (vectors.empty()) {
        if (cs()) {
            P3109_Line("short[] as" + name + " = null;");
            P3109_Line("int sc" + name + " = 0;");
            return;
        }
        P3109_Line(std::string(fConst ? "static X_SHORT * as" : "static X_PVOID as") + name + " = pX_NULL;");
        P3109_Line("static X_SHORT sc" + name + " = 0;");
        return;
    }
    P3109_Line(cs() ? "short[] as" + name + " ="
                    : std::string(fConst ? "static const X_SHORT as" : "static X_SHORT as") + name + "[] =");
    P3109_Line("{");
    for (size_t i = 0; i < vectors.size(); i += ulPerLine) {
        std::string line;
        for (size_t k = i; k < vectors.size() && k < i + ulPerLine; ++k)
            line += vectors[k] + (k + 1 < vectors.size() ? ", " : "");
        P3109_LineAt(static_cast<int16_t>(g().out.usIndent + 3), line);
    }
    P3109_Line("};");
    P3109_Line(cs() ? "int sc" + name + " = as" + name + ".Length;"
                    : "static X_SHORT sc" + name + " = sizeof(as" + name + ") / sizeof(X_SHORT);");
}

}  // namespace

GEN_REPORT_TABLES* P3109_pReportTables(int32_t lReport)
{
    if (lReport < 1 || lReport > static_cast<int32_t>(GEN_REPORT_SLOTS))
        return nullptr;
    return &rs().reports[static_cast<size_t>(lReport - 1)];
}

GEN_REPORT_SLOT* P3109_pReportSlot(int32_t lReport)
{
    if (lReport < 1 || lReport > static_cast<int32_t>(GEN_REPORT_SLOTS))
        return nullptr;
    return &P3109_Definitions().reports[static_cast<size_t>(lReport - 1)];
}

void P3109_ResetReportEmitters()
{
    rs() = ReportState{};
    /* the storage slots are numbered from the first again by a run that
       builds the clusters anew (the C# pass) */
    g().emit.sTempStoreAreas = 1;
}

void P3109_EmitDefHead()
{
    emitReportLine(GEN_CLUSTER_HEAD);
}
void P3109_EmitDefFoot()
{
    emitReportLine(GEN_CLUSTER_FOOT);
}
void P3109_EmitDefLine()
{
    emitReportLine(GEN_CLUSTER_LINE);
}
void P3109_EmitDefBreak()
{
    emitReportLine(GEN_CLUSTER_BREAK);
}

void P3109_EmitReportStructs()
{
    g().skel.cKeep = 'N';
    bool first = true;
    for (const GEN_REPORT_SLOT& s : P3109_Definitions().reports) {
        if (s.cKind != 'P')
            continue;
        if (first)
            P3109_WriteDashedBoxComment(kDataQueue, "Report Definition and Control Structures");
        first = false;
        const std::string n = std::to_string(s.sNumber);
        /* every instance of the function prints from its own copy */
        CGEN_AddStaticWorkingEntry(0, "struct X_PIM X_Report_" + n,
                                   "INSTANCE(X_Report_" + n + ") = X_Report_" + n + ";", "public X_PIM X_Report_" + n,
                                   "pGlobal1.X_Report_" + n + " = new X_PIM( X_Report_" + n + " );", GEN_STATIC_ALWAYS);
        const auto line = [](const std::string& text) { P3109_WriteLine(kDataQueue, 6, text); };
        const auto value = [](int16_t v) { return std::to_string(v); };
        const auto text = [](const std::string& t) {
            return cs() ? P3109_MakeStringLiteral(t.substr(0, 10)) : "\"" + P3109_MakeHexLiteral(t, 10) + "\"";
        };
        P3109_WriteLine(kDataQueue, 3, " ");
        P3109_WriteLine(kDataQueue, 3,
                        cs() ? "private static X_PIM X_Report_" + n + " = new X_PIM"
                             : "static struct X_PIM X_Report_" + n + " = ");
        P3109_WriteLine(kDataQueue, 3, cs() ? "(" : "{");
        line(cs() ? "   X_PIM.X_SIZE, /* Standard Struct Size */"
                  : "   sizeof(struct X_PIM), /* Standard Struct Size */");
        line("   " + n + ", /* Report Number */");
        line("   " + value(s.values[0]) + ", /* Line Width */");
        line("   " + value(s.values[1]) + ", /* Page Length */");
        line("   " + value(s.values[2]) + ", /* Overflow Line Number */");
        line("   " + value(s.values[3]) + ", /* Last Detail Print Line */");
        line("   1, /* Current Line Count */");
        line("   1, /* Current Page Count */");
        line("   " + std::string(null()) + ", /* Output File Handle */");
        line("   \"\",    /* Output File Name */");
        static constexpr const char* kReturned[5] = {"Return Page Length", "Return Page Width", "Return OverFlow Line",
                                                     "Return Line Number", "Return Page Number"};
        for (size_t i = 0; i < 5; ++i)
            line("   " + s.returnFields[i] + ", /* " + kReturned[i] + " */");
        /* the line stands even without the page-number field: the
           initialiser is positional */
        line("   " + P3109_FieldVector("REP" + n + "PAGE") + ", /* Standard Page Number Field */");
        line("   NO, /* Report Opened Flag */");
        line("   0, /* PIM print routine call count */");
        line("   NO, /* Page Overflow Flag */");
        line("   NO, /* New Page Control Flag */");
        line("   NO,/* Level Break in Progress Flag */");
        line("   NO, /* File Close in Progress Flag */");
        line("   \"\", /* Output file path */");
        line("   2, /* Version */");
        line("   " + text(P3109_TrimRight(s.names[0])) + ", /* Printer file name */");
        line("   " + text(P3109_TrimRight(s.names[1])) + ", /* Printer file library */");
        line("   " + s.fileFields[0] + ", /* Output queue */");
        line("   " + s.fileFields[1] + ", /* Number of copies */");
        line("   " + s.fileFields[2] + ", /* Formtype */");
        line("   " + s.field165 + "  /* Other override attributes */");
        P3109_WriteLine(kDataQueue, 3, cs() ? ");" : "};");
    }
}

void P3109_EmitGroupFieldArray(std::string_view group, std::string_view arrayName)
{
    std::vector<std::string> vectors;
    FFC_CONTEXT* ctx = P3109_Context();
    if (ctx && ctx->pWorkFile) {
        const std::string name = P3109_TrimRight(group);
        for (const std::string& key : {name, P3109_DropNationalChar(name)}) {
            FFC_WORK_RECORD r;
            WF_BlankRecord(ctx, &r);
            std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, FFC_WORK_KIND_LEN);
            std::memcpy(r.acName, key.data(), std::min<size_t>(key.size(), FFC_WORK_NAME_LEN));
            for (char rc = WF_cReadFirst(ctx, GEN_SLOT_LAYOUT_INNER, &r, 2); rc == '0';
                 rc = WF_cReadNext(ctx, GEN_SLOT_LAYOUT_INNER, &r, 2)) {
                const std::string field(reinterpret_cast<const GROUPFLD_DATA*>(r.acData)->acField, 10);
                GEN_FIELD_INFO f;
                if (!P3109_fIsPageField(P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(field)), 10)) &&
                    P3109_fFindUsedField(field, f))
                    vectors.push_back(f.vectorName);
            }
            if (!vectors.empty())
                break;
        }
    }
    arrayLines(vectors, arrayName, 4, true);
}

void P3109_EmitBreakFieldArray(const std::vector<std::string>& names, std::string_view arrayName, bool fKeepPageFields)
{
    std::vector<std::string> vectors;
    for (const std::string& name : names) {
        if (name.empty() || name[0] == ' ' || name[0] == '*')
            continue;
        const std::string key = P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(name)), 10);
        if (!fKeepPageFields && P3109_fIsPageField(key))
            continue;
        GEN_FIELD_INFO f;
        if (P3109_fFindUsedField(name, f))
            vectors.push_back(f.vectorName);
    }
    arrayLines(vectors, arrayName, 3, false);
}

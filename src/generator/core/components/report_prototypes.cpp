/*
** report_prototypes.cpp: report and cursor prototypes, the number of
** temporary storage areas, and the resource references of the resource
** script.
*/
#include "generator/core/components/report_prototypes.h"

#include <cstdio>
#include <string>

#include "generator/core/model/definitions.h"
#include "generator/core/output/file_helpers.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace {

void drop()
{
    g().skel.cKeep = 'N';
}
void header(const std::string& text)
{
    P3109_WriteLine(g().header, 3, text);
}

struct ResourceKind {
    int32_t lType;
    const char* kindText;
    const char* extension;
    const char* keyword;
};

constexpr ResourceKind kResourceKinds[] = {
    {1130, "_Ref_Bitmap", ".BMP", "BITMAP"}, {1140, "_Ref_Cursor", ".CUR", "CURSOR"},
    {1150, "_Ref_Icon", ".ICO", "ICON"},     {1201, "", "", "RCDATA"},
    {1400, "", ".TLB", "TYPELIB"},
};

/* The data as 16-bit little-endian words, one line each. */
void writeInlineData(const GEN_RESOURCE& r, const std::string& keyword, GEN_STREAM stream)
{
    P3109_WriteLine(stream, 0, "     " + std::to_string(r.sIdentifier) + "   " + keyword + " ");
    P3109_WriteLine(stream, 0, "      BEGIN");
    const size_t n = r.data.size();
    for (size_t i = 0; i < n; i += 2) {
        char word[16];
        if (i + 1 < n)
            std::snprintf(word, sizeof word, "0x%02X%02X", r.data[i + 1], r.data[i]);
        else
            std::snprintf(word, sizeof word, "0x00%02X", r.data[i]);
        P3109_WriteLine(stream, 0, std::string(word) + (i + 2 < n ? "," : ""));
    }
    P3109_WriteLine(stream, 0, "      END");
}

}  // namespace

void P3109_WriteReportPrototypes()
{
    drop();
    bool first = true;
    for (const GEN_REPORT_SLOT& s : P3109_Definitions().reports) {
        if (s.cKind != 'P')
            continue;
        if (first)
            P3109_WriteDashedBoxComment(g().header, "Prototypes for report open/close/handling subroutines");
        first = false;
        const std::string n = std::to_string(s.sNumber);
        header("F_VOID_FUNCTION Open_Report_" + n + " (FUNCTION_STD_ARGS);");
        header("F_VOID_FUNCTION Close_Report_" + n + " (FUNCTION_STD_ARGS);");
        header("F_VOID_FUNCTION Print_Headings_" + n + " (FUNCTION_STD_ARGS);");
        header("F_VOID_FUNCTION Print_Footings_" + n + " (X_SHORT, FUNCTION_STD_ARGS);");
        for (const GEN_PRINT_LINE& line : s.printLines) {
            const std::string name = P3109_TrimRight(line.name);
            if (line.kind == "LINE") {
                header("F_VOID_FUNCTION Print_Line_" + name + " (FUNCTION_STD_ARGS);");
            } else if (line.kind == "TRAI" || line.kind == "LEAD") {
                header(std::string("F_VOID_FUNCTION ") + (line.kind == "TRAI" ? "Print_Trailing_" : "Print_Leading_") +
                       name + " (FUNCTION_STD_ARGS);");
                CGEN_AddStaticWorkingEntry(0, "X_ULONG ulBreakCount" + name, "", "public int ulBreakCount" + name, "",
                                           GEN_STATIC_ALWAYS);
            }
        }
    }
}

void P3109_WriteCursorPrototypes()
{
    drop();
    const int16_t cursors = g().sSqlCursorCount;
    if (cursors <= 0)
        return;
    P3109_WriteDashedBoxComment(g().header, "Prototypes for SQL cursor tracking/closing");
    header("F_VOID_FUNCTION X_Close_Cursors (FUNCTION_STD_ARGS, X_LONG);");
    const std::string n = std::to_string(cursors);
    CGEN_AddStaticWorkingEntry(0, "X_SHORT sCurrentCursors", "", "public int sCurrentCursors", "", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(0, "PFNCURSORCLS pfCloseCursor[" + n + "]", "",
                               "public Action[] pfCloseCursor = new Action[" + n + "]", "", GEN_STATIC_ALWAYS);
}

void P3109_WriteTempStoreCount()
{
    drop();
    const char* box = "Number of temporary storage area pointers to be used";
    const int16_t areas = g().emit.sTempStoreAreas;
    P3109_WriteDoubleBoxComment(g().stg, box);
    P3109_WriteShortConstant(g().stg, 0, "V_TEMP_STORE_AREAS", areas);
    if (g().csStreams[1] == GEN_NO_STREAM)
        return;
    P3109_WriteDoubleBoxComment(g().csStreams[1], box);
    P3109_WritePublicConstInt(g().csStreams[1], "V_TEMP_STORE_AREAS", areas);
}

void P3109_WriteResourceReference(GEN_RESOURCE& resource, GEN_STREAM stream, int32_t& lCounter)
{
    if (resource.data.empty())
        return;
    const int32_t n = ++lCounter;
    /* the script's own choice by type: the resource keeps the texts it was
       given, which the C# project reads (an empty kind text there keeps
       only bitmaps) */
    std::string kindText = resource.kindText, extension = resource.extension, keyword = resource.keyword;
    if (kindText.empty()) {
        const ResourceKind* kind = nullptr;
        for (const ResourceKind& k : kResourceKinds)
            if (k.lType == resource.lType)
                kind = &k;
        static constexpr ResourceKind kUnknown{0, "_Ref_Unknown", ".UNK", "UNKNOWN"};
        if (!kind)
            kind = &kUnknown;
        kindText = kind->kindText;
        extension = kind->extension;
        keyword = kind->keyword;
    }
    if (resource.lType == 1201) {
        writeInlineData(resource, keyword, stream);
        return;
    }
    const GEN_MODULE_STATE& s = g();
    const std::string file = resource.lType == 1400 ? s.cName + extension
                                                    : s.cName + kindText + "_" + std::to_string(n) + extension;
    const std::string directory = s.args.root + "\\X_VELMO\\X_" + s.partition + "\\SOURCE";
    P3109_WriteWholeFile(resource.data.data(), resource.data.size(), directory + "\\" + file);
    resource.referenceName = file;
    const bool library = resource.lType == 1400;
    P3109_WriteShortPathListing(stream, directory, file, library ? 1 : resource.sIdentifier, keyword, library ? 0 : 1);
}

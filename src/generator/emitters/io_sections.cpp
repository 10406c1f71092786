/*
** io_sections.cpp: the I/O code that is not one command's request: the
** rename stack applied around a request and the function's rename table
** (insertion point 133), the common close and open of every used file
** (insertion points 23 and 25), and the POINT command, which redirects a
** file of the function to another file, library or member at run time.
*/
#include <algorithm>
#include <cstring>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

/* A name of a group member: a leading national marker dropped, 10
** characters. */
std::string memberName(std::string_view field)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    std::string name(field.substr(0, std::min<size_t>(field.size(), 10)));
    if (ctx && ctx->cNatChar1 != ' ' && !name.empty() && name[0] == ctx->cNatChar1)
        name.erase(0, 1);
    return P3109_Padded(name, 10);
}

/* The vector texts of a rename entry's two fields: the name in the
** function and the file's field; false unless both are used fields. */
bool renameVectors(const GEN_RENAME& entry, std::string& renamed, std::string& original)
{
    GEN_FIELD_INFO second, first;
    if (!P3109_fFindUsedField(entry.third, second) || !P3109_fFindUsedField(entry.second, first))
        return false;
    renamed = second.vectorName;
    original = first.vectorName;
    return true;
}

/* The common close or open of every used file: one argument block for all
** of them, and per file its names, its POINT override, its binding and
** its invocation. */
void writeCommonRequests(GEN_DBM_LAYOUT layout, const char* comment, const char* block, bool keepOpen)
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return;
    const uint16_t savedIndent = s.out.usIndent;
    const int16_t savedDepth = s.out.sDepth;
    s.out.usIndent = s.skel.usColumn;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_USEFILE, FFC_WORK_KIND_LEN);
    bool first = true;
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_EMITTERS, &r, 1); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_EMITTERS, &r, 1)) {
        if (first) {
            P3109_Line("{");
            P3109_IndentIn();
            P3109_WriteComment(comment);
            P3109_EmitDbmArgumentBlock(layout, block);
            if (keepOpen)
                P3109_Line(std::string(block) + ".chKeepOpen = chKeepOpen;");
            first = false;
        }
        const auto* data = reinterpret_cast<const WR_USEFILE_DATA*>(r.acData);
        if (data->cCommonOpen != 'N')
            continue;
        const std::string file(r.acName, 10), library(r.acQualifier, 10);
        const GEN_IO_FILE io = P3109_ResolveIoFile(file, library);
        const std::string module = P3109_IoModuleName(io.physical);
        P3109_WriteComment("Prepare arguments for the I/O Module");
        P3109_EmitDbmTableNames(block, io.file, module);
        if (const GEN_POINT_ENTRY* used = P3109_pFindUsedFile(P3109_TrimRight(file), P3109_TrimRight(library)))
            P3109_EmitFilePointOverride(std::string_view(data->acType, 3), io.file, module, nullptr, block, *used);
        P3109_EmitOamBinding(module, "", block);
        P3109_WriteComment("Prepare to invoke the OAM");
        P3109_EmitIoCounters(module, 11);
        P3109_WriteComment("Invoke the OAM");
        if (P3109_fCSharp())
            P3109_Line("X_RUN_DLL.X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, " + std::string(block) + ", " +
                       P3109_QuotedText(module) + " );");
        else
            P3109_Line("X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, &" + std::string(block) + ", \"" +
                       P3109_QuotedCText(module) + "\" );");
    }
    if (!first) {
        P3109_IndentOut();
        P3109_Line("}");
    }
    s.out.usIndent = savedIndent;
    s.out.sDepth = savedDepth;
}

/* One POINT setting: the operand moved into the point structure's member,
** or the member cleared for the special value. */
void writePointSetting(const std::string& structure, const char* keyword, const char* special, const char* member)
{
    const std::string operand = P3109_ParmField(keyword);
    const std::string target = "INSTANCE(" + structure + "." + member + ")";
    GEN_FIELD_INFO info;
    if (P3109_TrimRight(operand) == special || !P3109_fFindUsedField(operand, info, operand.size())) {
        P3109_Line(target + "[0] = LOVAL;");
        return;
    }
    P3109_WriteGetAsVchar(info, target);
}

}  // namespace

void P3109_EmitRenameStack(std::string_view group, std::string_view file)
{
    const std::vector<GEN_RENAME>& renames = P3109_Definitions().renames;
    FFC_CONTEXT* ctx = P3109_Context();
    if (renames.empty() || !ctx || !ctx->pWorkFile)
        return;
    const bool cs = P3109_fCSharp();
    P3109_Line(cs ? "X_RUN_DLL.X_Clear_Rename_Stack( pX_Ids, pX_Fun );" : "X_CLEAR_RENAME_STACK");
    const std::string fileName = P3109_Padded(P3109_TrimRight(file), 10);
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, FFC_WORK_KIND_LEN);
    const std::string name = P3109_DropNationalChar(P3109_TrimRight(group));
    std::memcpy(r.acName, name.data(), std::min<size_t>(name.size(), FFC_WORK_NAME_LEN));
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_EMITTERS_INNER, &r, 2); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_EMITTERS_INNER, &r, 2)) {
        const std::string field =
            memberName(std::string_view(reinterpret_cast<const GROUPFLD_DATA*>(r.acData)->acField, 10));
        for (const GEN_RENAME& entry : renames) {
            if (entry.first != fileName || entry.third != field)
                continue;
            std::string renamed, original;
            if (!renameVectors(entry, renamed, original))
                continue;
            P3109_Line(cs ? "X_RUN_DLL.X_Apply_Rename( pX_Ids, pX_Fun, pX_Fld, " + renamed + ", " + original + " );"
                          : "X_APPLY_RENAME(" + renamed + "," + original + ")");
        }
    }
}

std::vector<std::string> P3109_RenameTableRows()
{
    std::vector<std::string> rows;
    for (const GEN_RENAME& entry : P3109_Definitions().renames) {
        std::string renamed, original;
        if (!renameVectors(entry, renamed, original))
            continue;
        const std::string file = P3109_TrimRight(entry.first);
        const std::string name = P3109_QuotedText(file.empty() ? std::string(" ") : file);
        const std::string row = P3109_fCSharp() ? "new X_FUN_RENAMES( " + name + ", " + renamed + ", " + original + " )"
                                                : name + "," + renamed + "," + original;
        rows.push_back((rows.empty() ? "" : ",") + row);
    }
    return rows;
}

void P3109_EmitRenameTable()
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    const std::vector<std::string> rows = P3109_RenameTableRows();
    /* a table without rows would be an array of no elements, which C does
       not allow: the run time then finds no renames. The C# table is a
       static member of the function class, written before the function
       definition record whose initialiser names it. */
    if (rows.empty())
        return;
    const int16_t indent = static_cast<int16_t>(s.skel.usColumn);
    P3109_WriteDashedBoxComment(s.out.current, "File/Field Rename Details");
    P3109_LineAt(indent, P3109_fCSharp() ? "private static X_FUN_RENAMES[] aRenames = new X_FUN_RENAMES[] "
                                         : "static X_FUN_RENAMES aRenames[] = ");
    P3109_LineAt(indent, "{");
    for (const std::string& row : rows)
        P3109_LineAt(static_cast<int16_t>(indent + 3), row);
    P3109_LineAt(indent, "};");
}

void P3109_EmitDbmCloseStructs()
{
    writeCommonRequests(GEN_DBM_LAYOUT::CommonClose, "Prepare the structure used for DBM closes", "X_DBM_Cls", false);
}

void P3109_EmitDbmOpenStructs()
{
    if (g().emit.cOpenAll != 'Y') {
        g().skel.cKeep = 'N';
        return;
    }
    writeCommonRequests(GEN_DBM_LAYOUT::CommonOpen, "Prepare the structure used for DBM opens", "X_DBM_Opn", true);
}

void P3109_EmitPoint()
{
    const std::string file = P3109_Parm("FILE", 0), library = P3109_Parm("FILE", 1);
    if (g().out.cSuppress == 'Y') {
        P3109_pszMakePointName(file, library);
        return;
    }
    P3109_EmitCommandPrologue();
    const GEN_POINT_ENTRY* used = P3109_pFindUsedFile(file, library);
    if (!used)
        P3109_InternalError(P3109_Format("System error. POINT command on line %d not found in internal list.",
                                         static_cast<int>(P3109_sCurrentSequence())));
    const std::string structure = P3109_MakeCIdentifier(used->name, used->name.size());
    std::vector<std::string>& overrides = g().emit.pointOverrides;
    if (std::find(overrides.begin(), overrides.end(), structure) == overrides.end())
        overrides.push_back(structure);
    const int16_t outer = static_cast<int16_t>(g().out.usIndent >= 3 ? g().out.usIndent - 3 : 0);
    /* the settings apply to the iSeries only, whose programs are C */
    if (P3109_fCSharp()) {
        P3109_sIssueMessage(Msg::PointSettingsIseriesOnly, std::string_view(P3109_CurrentCommand().acName, 10));
        return;
    }
    P3109_LineAt(outer, "");
    P3109_LineAt(outer, "#if defined X_OPERATING_SYSTEM_ISERIES");
    writePointSetting(structure, "TO_FILE", "*SAME", "vchFilePoint");
    writePointSetting(structure, "TO_LIBRARY", "*LIBL", "vchLibrary");
    writePointSetting(structure, "TO_MEMBER", "*FIRST", "vchMember");
    P3109_LineAt(outer, "#endif");
    P3109_sIssueMessage(Msg::PointSettingsIseriesOnly, std::string_view(P3109_CurrentCommand().acName, 10));
}

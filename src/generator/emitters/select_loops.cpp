/*
** select_loops.cpp: the SELECT loop. Where the command stands, SELECT
** writes a block that loops for as long as the loop's selection routine
** answers YES; ENDSELECT closes the loop and the file cursor, restores the
** status the loop's last request left and takes the SELECT's error and
** end-of-file actions (it ends SELECT_SQL loops too). The KEEP_ reset
** clears the result fields of the KEEP_ commands of a loop before it starts.
** The selection and close routines themselves belong to the routine
** section.
*/
#include <array>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "generator/expressions/expr_routines.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

GEN_BLOCK_ENTRY& innermost()
{
    return g().blocks[static_cast<size_t>(std::max<int16_t>(g().sBlockDepth, 0))];
}

/* The type letters a generic key value may have. */
bool genericType(const GEN_FIELD_INFO& info)
{
    const char cType = info.cDeclaredType != ' ' ? info.cDeclaredType : info.cType;
    return cType != '\0' && std::strchr("APSH1UMI", cType) != nullptr;
}

/* GENERIC(*YES): the types of the key values. */
void checkGenericKeys()
{
    if (!P3109_fParmIsYes("GENERIC"))
        return;
    const int32_t count = P3109_ParmCount("WITH_KEY");
    GEN_FIELD_INFO info;
    if (P3109_Parm("NBR_KEYS") == "*WITHKEY") {
        if (count > 0 && P3109_fFindUsedField(P3109_ParmField("WITH_KEY", 0, count - 1), info, 20) &&
            !genericType(info))
            P3109_sIssueNumberedMessage('F', 891);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (!P3109_fFindUsedField(P3109_ParmField("WITH_KEY", 0, i), info, 20))
            continue;
        if (!genericType(info)) {
            P3109_sIssueMessage(Msg::GenericKeyType, " ");
            return;
        }
    }
}

void openBlock()
{
    P3109_Line("{");
    P3109_IndentIn();
}

void closeBlock()
{
    P3109_IndentOut();
    P3109_Line("}");
}

/* The result field of one KEEP_ command, read by its command-store
** numbers, cleared. */
void clearKeepField(const WR_KEEP_DATA& keep, bool& first)
{
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    std::memset(parsed.get(), 0, sizeof *parsed);
    parsed->sLine = static_cast<int16_t>(keep.lLine);
    parsed->sSubLine = keep.sSubLine;
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || RS_fFindCommandRecord(ctx, parsed.get(), sizeof *parsed) != 0)
        return;
    GEN_FIELD_INFO field;
    if (!P3109_fFindUsedField(dqov::cmdparm::ParmText(*parsed, "IN_FIELD"), field))
        return;
    if (first)
        P3109_WriteComment("Change KEEP_XXXX value(s) to zero");
    first = false;
    /* a field of the extended language (a decimal of more than 9 decimals
       or 31 digits, an integer, a float, a nullable number) is no run of
       packed bytes to clear: it takes zero through its vector service, as
       the KEEP_ command stores its value */
    if (P3109_fNeedsZophxHandling(field))
        P3109_WriteSetFromDouble(field, "0.0");
    else
        P3109_WriteSetToBlankOrZero(field);
}

/* The lines that save the loop's status before ENDSELECT's actions, with
** the select block's status read only when its request block exists. */
void saveStatus(const GEN_BLOCK_ENTRY& loop)
{
    static constexpr const char* kWhy[] = {
        "/* Save the current status in case it was caused by a different */",
        "/* IO command to the SELECT. E.g. an INSERT in the SELECT loop  */",
        "/* that had a validation error with VAL_ERROR(*NEXT) with a test */",
        "/* following it that casued the LEAVE command to be executed. */",
        "/* Thus, the SELECT command would not be the last IO command */",
        "/* executed and we need to keep it, as the IO Status MUST be of the */",
        "/* last ZOPH IO executed. */"};
    P3109_Line(" ");
    P3109_Line("/* Handle an I/O failure on the SELECT command */");
    for (const char* line : kWhy)
        P3109_Line(line);
    P3109_Line(" ");
    g().emit.cLastIoStatus = 'Y';
    const bool cs = P3109_fCSharp();
    const std::string save = "vchSaveIOStatus" + P3109_SelectLoopSuffix();
    P3109_Line(cs ? save + " = pGlobal1.vchLastIOStatus;" : "strcpy( vchSaveIOStatus, INSTANCE(vchLastIOStatus) );");
    /* a selection routine that could not allocate its request block left
       X_DBM_FATAL_ERROR and no block to read */
    P3109_Line(cs ? "if ( pGlobal1.p" + loop.selectBlock + " != null )"
                  : "if ( INSTANCE(p" + loop.selectBlock + ") != pX_NULL )");
    openBlock();
    P3109_EmitGetIoStatus(loop.selectBlock, "");
    closeBlock();
}

}  // namespace

void P3109_EmitKeepReset(const char* pchLoopId)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile || !pchLoopId)
        return;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, pchLoopId, 6);
    std::memcpy(r.acName, WR_KEEP_NAME, std::strlen(WR_KEEP_NAME));
    std::vector<WR_KEEP_DATA> keeps;
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_EMITTERS, &r, 2); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_EMITTERS, &r, 2)) {
        WR_KEEP_DATA keep;
        std::memcpy(&keep, r.acData, sizeof keep);
        keeps.push_back(keep);
    }
    bool first = true;
    for (const WR_KEEP_DATA& keep : keeps)
        clearKeepField(keep, first);
}

void P3109_EmitSelect()
{
    if (P3109_Parm("LOCK").compare(0, 3, "*NO") != 0)
        P3109_sIssueMessage(Msg::RecordLocking, " ");
    checkGenericKeys();
    const GEN_SELECT_NODE* select = P3109_MakeSelectNames();
    P3109_RegisterFileAccessBlock({select->loopName, "", "", ""});
    P3109_WriteComment("Prepare for the SELECT Loop");
    P3109_EmitLabelTarget();
    openBlock();
    const bool cs = P3109_fCSharp();
    const std::string counter = P3109_OpenSelectLoopCounter();
    P3109_Line(cs ? "int     " + counter + " = 0;" : "X_LONG  lSelectLoopCount = 0;");
    P3109_Line(cs ? "string  vchSaveIOStatus" + P3109_SelectLoopSuffix() + " = \"\";"
                  : "X_VCHAR vchSaveIOStatus[X_DBM_RETURN_CODE_LEN + 1] = \"\";");
    GEN_BLOCK_ENTRY& loop = innermost();
    if (P3109_CountStatementEvaluations()) {
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
        loop.fFrame = true;
    }
    P3109_EmitKeepReset(P3109_LoopId().data());
    P3109_WriteComment("Peform the SELECTs in a Loop");
    P3109_Line("while (" + select->routineName + "(" + P3109_StdParms() + "," + counter + ") == YES)");
    openBlock();
    ++g().sOpenSelectCount;
    P3109_Line(counter + "++;");
    loop.afSelectFlags[0] = true;
    loop.selectClose = select->closeName;
    loop.afSelectFlags[1] = true;
    loop.selectIoError = P3109_ParmField("IO_ERROR");
    loop.afSelectFlags[2] = true;
    loop.selectValError = P3109_ParmField("VAL_ERROR");
    loop.selectBlock = select->loopName;
    if (P3109_Parm("END_FILE").compare(0, 5, "*NEXT") != 0) {
        loop.afSelectFlags[3] = true;
        loop.selectEndFile = P3109_ParmField("END_FILE");
    }
    P3109_EmitCommandPrologue();
}

void P3109_EmitEndSelect()
{
    GEN_BLOCK_ENTRY& loop = innermost();
    P3109_EmitCommandPrologue();
    P3109_WriteComment("End of the selection loop");
    P3109_WriteContinuePoint();
    closeBlock();
    P3109_WriteLeavePoint();
    const bool save = loop.pSelect && loop.pSelect->cKind != 'Q' && (loop.afSelectFlags[1] || loop.afSelectFlags[2]);
    if (save)
        saveStatus(loop);
    if (loop.afSelectFlags[0]) {
        if (g().sOpenSelectCount > 0)
            --g().sOpenSelectCount;
        if (loop.pSelect && loop.pSelect->cKind == 'Q') {
            P3109_WriteComment("Close any open SQL cursor, vchLastIOStatus is not changed");
            P3109_Line(loop.selectClose + "(" + P3109_StdParms() + ");");
            P3109_WriteComment("Ignore IO Errors from the close as System i does not have a Close");
        } else {
            P3109_WriteComment("If NOT a fatal error, close any open SQL cursor, vchLastIOStatus is not changed");
            g().emit.cLastIoStatus = 'Y';
            P3109_Line(P3109_fCSharp() ? "if ( " + P3109_CSharpIoStatusTest("X_DBM_FATAL_ERROR", "!=") + " )"
                                       : "if ( memcmp(INSTANCE(vchLastIOStatus),X_DBM_FATAL_ERROR,2) != 0 )");
            P3109_Line("{");
            g().out.usIndent = static_cast<uint16_t>(g().out.usIndent + 3);
            P3109_Line(loop.selectClose + "(" + P3109_StdParms() + ");");
            P3109_WriteComment("Ignore IO Errors from the close as AS/400 does not have a Close");
            g().out.usIndent = static_cast<uint16_t>(g().out.usIndent - 3);
            P3109_Line("}");
        }
    }
    EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), loop.fFrame ? 1 : 0);
    if (loop.afSelectFlags[1]) {
        P3109_WriteComment("Handle an I/O failure");
        P3109_EmitIoStatusAction(loop.selectIoError, "X_DBM_FATAL_ERROR");
    }
    if (loop.afSelectFlags[2]) {
        P3109_WriteComment("Handle a data validation error");
        P3109_EmitIoStatusAction(loop.selectValError, "X_DBM_VALIDATION_ERROR");
    }
    if (loop.afSelectFlags[3]) {
        P3109_WriteComment("Branch to the nominated EOF/BOF label");
        P3109_EmitBranchToTarget(loop.selectEndFile, g().out.usIndent);
    }
    if (save) {
        P3109_WriteComment("Get the saved IO Status back");
        P3109_Line(P3109_fCSharp() ? "pGlobal1.vchLastIOStatus = vchSaveIOStatus" + P3109_SelectLoopSuffix() + ";"
                                   : "strcpy( INSTANCE(vchLastIOStatus), vchSaveIOStatus );");
    }
    closeBlock();
}

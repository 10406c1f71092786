/*
** entry_exit.cpp: what a generated function receives from its caller and
** hands back (insertion points 29, 30 and 32): working lists, data
** structures, trigger information, or the parameter block of a field
** validation or system-variable evaluation; the member assignments of the
** data-structure routines; and the commands that leave the function or the
** system: EXEC_CPF/EXEC_OS400 and TRANSFER.
*/
#include <cstring>
#include <memory>

#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_values.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"

namespace {

bool cs()
{
    return P3109_fCSharp();
}

/* The received parameters: members of the first static area. */
std::string parms()
{
    return cs() ? "pGlobal1.scX_Parm,pGlobal1.pX_Parm" : "INSTANCE(scX_Parm),INSTANCE(pX_Parm)";
}
std::string parmCount()
{
    return cs() ? "pGlobal1.scX_Parm" : "INSTANCE(scX_Parm)";
}

bool fieldValidation()
{
    return P3109_fSysFlag(SYSFLAG_ALP_FIELD_VALIDATE) || P3109_fSysFlag(SYSFLAG_NUM_FIELD_VALIDATE);
}

bool systemVariable()
{
    return P3109_fSysFlag(SYSFLAG_ALP_SYSTEM_VARIABLE) || P3109_fSysFlag(SYSFLAG_NUM_SYSTEM_VARIABLE);
}

bool zoph2()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->lZoph2Used;
}

/* The names of the work records of a kind, in stored order: the record's
** name, or its qualifier when the name is blank. */
std::vector<std::string> recordNames(const char* kind)
{
    std::vector<std::string> names;
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return names;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, kind, FFC_WORK_KIND_LEN);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_EMITTERS, &r, 1); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_EMITTERS, &r, 1)) {
        std::string name = P3109_TrimRight(std::string_view(r.acName, FFC_WORK_NAME_LEN));
        if (name.empty())
            name = P3109_TrimRight(std::string_view(r.acQualifier, FFC_WORK_QUAL_LEN));
        names.push_back(name);
    }
    return names;
}

/* A flag of the function's FUNCTION command: its parameter element ('Y'). */
bool functionFlag(const char* keyword)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pCommandStore)
        return false;
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    uint16_t number = 0, sequence = 0;
    GEN_COMMAND_RECORD record;
    while (P3109_sNextCommandRecord(number, sequence, record) == 0) {
        if (std::memcmp(record.acName, "FUNCTION  ", 10) != 0)
            continue;
        std::memset(parsed.get(), 0, sizeof *parsed);
        parsed->sLine = static_cast<int16_t>(number);
        parsed->sSubLine = static_cast<int16_t>(sequence);
        return RS_fFindCommandRecord(ctx, parsed.get(), sizeof *parsed) == 0 &&
               dqov::cmdparm::ParmText(*parsed, keyword) == "Y";
    }
    return false;
}

std::string special(const char* head, const char* tail)
{
    return P3109_SpecialFieldName(head, tail);
}

/* Sets the special field from the block when the function uses it;
** whether it did. */
bool setFromBlock(const std::string& field, const std::string& source, bool numeric)
{
    GEN_FIELD_INFO info;
    if (!P3109_fFindUsedField(field, info))
        return false;
    if (numeric)
        P3109_WriteStoreLongInPacked(info, source);
    else
        P3109_WriteSetFromVchar(info, source);
    return true;
}

/* A block pointer that no special field of the function reads is still
** set (the block is checked for the caller all the same): C marks it used,
** or the compiler refuses the variable set but never read. */
void markRead(bool used, const char* pointer)
{
    if (!used && !cs())
        P3109_Line(std::string("(void) ") + pointer + ";");
}

/* The run time's texts (X_TEXT numbers) of the fatal errors of the
** checks of what a function receives. */
enum ReceiveErrorText : int {
    kTextValidationParameter = 132,     /* not the one validation parameter */
    kTextSystemVariableParameter = 133, /* not the one system variable parameter */
    kTextDataStructureParameter = 134,  /* no data structure parameter of the name */
    kTextDataStructureSize = 135,       /* the data structure of another size (C# class) */
};

void fatalUnless(const std::vector<std::string>& test, ReceiveErrorText iText)
{
    for (const std::string& line : test)
        P3109_Line(line);
    P3109_WriteOpenBrace();
    P3109_Line(
        P3109_Format(cs() ? "X_RUN_DLL.X_Fatal_Error (pX_Ids,pX_Pro,pX_Fun,pX_Fun.vchName,X_RUN_DLL.X_TEXT(%d),\"\");"
                          : "X_Fatal_Error (pX_Ids,pX_Pro,pX_Fun,pX_Fun->vchName,X_TEXT(%d));",
                     static_cast<int>(iText)));
    P3109_EmitBranchToTarget("*ERROR", g().out.usIndent);
    P3109_WriteCloseBrace();
}

void receiveValidation()
{
    P3109_WriteComment("Check correct validation parameter details passed");
    fatalUnless({"if ((" + parmCount() + " != 1)",
                 cs() ? " || (pGlobal1.pX_Parm[0].sType != X_BifStr.X_PARM_VALIDATE_STRUCTURE))"
                      : " || (INSTANCE(pX_Parm->sType) != X_PARM_VALIDATE_STRUCTURE))"},
                kTextValidationParameter);
    P3109_WriteComment("If okay, map parameters into vectors in this function");
    P3109_WriteOpenBrace();
    if (cs()) {
        P3109_Line("X_VALIDATE pValidate = (X_VALIDATE) pGlobal1.pX_Parm[0].pValue;");
    } else {
        P3109_Line("struct X_VALIDATE *pValidate;");
        P3109_Line("pValidate = (struct X_VALIDATE *) INSTANCE(pX_Parm->pValue);");
    }
    const std::string v = cs() ? "pValidate." : "pValidate->";
    bool used = setFromBlock(special("VALFLD", "NM"), v + "vchName", false);
    used = setFromBlock(special("VALFLD", "LN"), v + "sLen", true) || used;
    used = setFromBlock(special("VALFLD", "DP"), v + "sDec", true) || used;
    used = setFromBlock(special("VALFLD", P3109_fSysFlag(SYSFLAG_ALP_FIELD_VALIDATE) ? "AV" : "NV"), v + "vchValue",
                        false) ||
           used;
    markRead(used, "pValidate");
    P3109_WriteCloseBrace();
}

void receiveSystemVariable()
{
    P3109_WriteComment("Check correct evaluation parameter details passed");
    fatalUnless(
        {"if ((" + parmCount() + " != 1)", cs() ? " || (pGlobal1.pX_Parm[0].sType != X_BifStr.X_PARM_SYSVAR_STRUCTURE))"
                                                : " || (INSTANCE(pX_Parm->sType) != X_PARM_SYSVAR_STRUCTURE))"},
        kTextSystemVariableParameter);
    P3109_WriteComment("If okay, map parameters into vectors in this function");
    P3109_WriteOpenBrace();
    if (cs()) {
        P3109_Line("X_SYSVAR pSysVar = (X_SYSVAR) pGlobal1.pX_Parm[0].pValue;");
        setFromBlock(special("SYSVAR", "NM"), "pSysVar.vchName", false);
    } else {
        P3109_Line("struct X_SYSVAR *pSysVar;");
        P3109_Line("pSysVar = (struct X_SYSVAR *) INSTANCE(pX_Parm->pValue);");
        markRead(setFromBlock(special("SYSVAR", "NM"), "pSysVar->vchName", false), "pSysVar");
    }
    P3109_WriteCloseBrace();
}

/* C#: the structure is an object of its class; the run time fills the
** one of the exchange area, a caller passes its own (of its class, whose
** size the caller does not pass). */
void receiveStructureCs(const GEN_DATA_STRUCTURE& ds, int n, bool exchange)
{
    const std::string name = P3109_MakeStringLiteral(P3109_TrimRight(ds.name));
    const std::string pointer = "pGlobal1." + P3109_DataStructurePointerName(ds);
    if (exchange) {
        P3109_WriteComment("Search for data structure in the exchange area");
        P3109_Line("if (X_RUN_DLL.X_Locate_Data_Structure (pX_Ids,pX_Pro,pX_Fun," + name + "," + pointer + ") == YES)");
        P3109_WriteOpenBrace();
        P3109_WriteDataStructureCall(ds.name, 'D');
        P3109_WriteCloseBrace();
        if (!zoph2())
            P3109_EmitFatalErrorTest();
        return;
    }
    P3109_WriteComment("Check correct data structure details passed");
    fatalUnless({P3109_Format("if ((pGlobal1.scX_Parm < %d)", n + 1),
                 P3109_Format(" || (pGlobal1.pX_Parm[%d].sType != X_BifStr.X_PARM_DATA_STRUCTURE)", n),
                 P3109_Format(" || (pGlobal1.pX_Parm[%d].vchName.TrimEnd() != %s))", n, name.c_str())},
                kTextDataStructureParameter);
    P3109_WriteComment("Check the received data structure is of the structure's class");
    fatalUnless({P3109_Format("if (!(pGlobal1.pX_Parm[%d].pValue is %s))", n, ds.structureName.c_str())},
                kTextDataStructureSize);
    P3109_WriteComment("If all checks passed, establish addressability");
    P3109_Line(P3109_Format("%s = (%s) pGlobal1.pX_Parm[%d].pValue;", pointer.c_str(), ds.structureName.c_str(), n));
    P3109_WriteDataStructureCall(ds.name, 'D');
}

void receiveStructure(const GEN_DATA_STRUCTURE& ds, int n, bool exchange)
{
    const std::string name = P3109_MakeHexLiteral(P3109_TrimRight(ds.name), 10);
    const std::string pointer = P3109_DataStructurePointerName(ds);
    if (cs()) {
        receiveStructureCs(ds, n, exchange);
        return;
    }
    if (exchange) {
        P3109_WriteComment("Search for data structure in the exchange area");
        P3109_Line("if (X_Locate_Data_Structure (pX_Ids,pX_Pro,pX_Fun,");
        P3109_Line("                             \"" + name + "\",sizeof(struct " + ds.structureName + "),");
        P3109_Line("                              (X_PCHAR) INSTANCE(" + pointer + ")) == YES)");
        P3109_WriteOpenBrace();
        P3109_WriteDataStructureCall(ds.name, 'D');
        P3109_WriteCloseBrace();
        if (!zoph2())
            P3109_EmitFatalErrorTest();
        return;
    }
    P3109_WriteComment("Check correct data structure details passed");
    fatalUnless(
        {P3109_Format("if ((INSTANCE(scX_Parm) < %d)", n + 1),
         P3109_Format(" || (INSTANCE(pX_Parm[%d].sType) != X_PARM_DATA_STRUCTURE)", n),
         P3109_Format(" || (memcmp(INSTANCE(pX_Parm[%d].vchName),\"%s\",X_OBJECT_NAME_LEN) != 0))", n, name.c_str())},
        kTextDataStructureParameter);
    P3109_WriteComment("Check length of received data structure is correct");
    fatalUnless(
        {P3109_Format("if (INSTANCE(pX_Parm[%d].sNumberOf) != sizeof(struct %s))", n, ds.structureName.c_str())},
        kTextDataStructureSize);
    P3109_WriteComment("If all checks passed, establish addressability");
    P3109_Line(P3109_Format("INSTANCE(%s) = (struct %s *) INSTANCE(pX_Parm[%d].pValue);", pointer.c_str(),
                            ds.structureName.c_str(), n));
    P3109_WriteDataStructureCall(ds.name, 'D');
}

/* The fields of the trigger list. */
std::pair<std::string, std::string> triggerFields()
{
    return {P3109_FieldVector("TRIG_OPER"), P3109_FieldVector("TRIG_RETC")};
}

/* Runs a section writer at the column of its directive. */
template <typename F> void atDirective(F write)
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    const uint16_t indent = s.out.usIndent;
    const int16_t depth = s.out.sDepth;
    s.out.usIndent = s.skel.usColumn;
    s.out.sDepth = 0;
    write();
    s.out.usIndent = indent;
    s.out.sDepth = depth;
}

}  // namespace

void P3109_EmitReceiveParameters()
{
    atDirective([] {
        if (fieldValidation()) {
            receiveValidation();
            return;
        }
        if (systemVariable()) {
            receiveSystemVariable();
            return;
        }
        if (P3109_Definitions().cTrigger == 'Y') {
            const auto [oper, retc] = triggerFields();
            P3109_WriteComment("Receive trigger information");
            P3109_Line(P3109_RunTime("X_Handle_Trigger_Info") + " (pX_Ids,pX_Pro,pX_Fun,'A',pX_Fld,");
            P3109_Line("                       V_LIST_TRIG_LIST,pX_List," + oper + ",");
            P3109_Line("                       " + retc + "," + parms() + ");");
            if (!zoph2())
                P3109_EmitFatalErrorTest();
            return;
        }
        int n = 0;
        for (const std::string& list : recordNames(WR_RCV_LIST)) {
            if (n == 0)
                P3109_WriteComment("Receive details of a working list");
            P3109_Line(
                P3109_Format("%s( pX_Ids, pX_Pro, pX_Fun, pX_Fld, %s, pX_List, %d, %s );",
                             P3109_RunTime("X_Receive_Working_List").c_str(), P3109_ListVectorName(list).c_str(), n,
                             cs() ? "pGlobal1.scX_Parm, pGlobal1.pX_Parm" : "INSTANCE(scX_Parm), INSTANCE(pX_Parm)"));
            if (!zoph2())
                P3109_EmitFatalErrorTest();
            ++n;
        }
        const bool exchange = functionFlag("@DSEXCHG");
        for (const std::string& name : recordNames(WR_RCV_DS)) {
            if (const GEN_DATA_STRUCTURE* ds = P3109_pFindDataStructure(name))
                receiveStructure(*ds, n, exchange);
            ++n;
        }
    });
}

void P3109_EmitReturnParameters()
{
    atDirective([] {
        if (fieldValidation()) {
            P3109_WriteComment("Map validation return code back into argument");
            P3109_Line(P3109_Deref("pX_Fun", "chError == NO )").insert(0, "if ( "));
            P3109_WriteOpenBrace();
            if (cs()) {
                P3109_Line("X_VALIDATE pValidate = (X_VALIDATE) pGlobal1.pX_Parm[0].pValue;");
            } else {
                P3109_Line("struct X_VALIDATE");
                P3109_Line("   *pValidate = ((struct X_VALIDATE*)( INSTANCE(pX_Parm->pValue) ));");
            }
            GEN_FIELD_INFO info;
            const bool used = P3109_fFindUsedField(special("VALFLD", "RT"), info);
            if (used)
                P3109_Line(cs() ? "pValidate.chRetCode = X_DEFS.X_GETBYTE( pX_Fld[" + info.vectorName + "], 0 );"
                                : "pValidate->chRetCode = pX_Fld[" + info.vectorName + "].pField[0];");
            markRead(used, "pValidate");
            P3109_WriteCloseBrace();
            return;
        }
        if (systemVariable()) {
            P3109_WriteComment("Return system variable evaluation value");
            P3109_Line(P3109_Deref("pX_Fun", "chError == NO )").insert(0, "if ( "));
            P3109_WriteOpenBrace();
            if (cs()) {
                P3109_Line("X_SYSVAR pSysVar = (X_SYSVAR) pGlobal1.pX_Parm[0].pValue;");
            } else {
                P3109_Line("struct X_SYSVAR");
                P3109_Line("   *pSysVar = ((struct X_SYSVAR*)( INSTANCE(pX_Parm->pValue) ));");
            }
            const std::string value =
                P3109_FieldVector(special("SYSVAR", P3109_fSysFlag(SYSFLAG_ALP_SYSTEM_VARIABLE) ? "AV" : "NV"));
            P3109_Line(cs() ? "X_RUN_DLL.X_Vec_Assign( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + value +
                                  ", pSysVar.pX_Fld, pSysVar.svResult );"
                            : "X_Vec_Assign( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + value +
                                  ", pSysVar->pX_Fld, pSysVar->svResult );");
            P3109_WriteCloseBrace();
            return;
        }
        if (P3109_Definitions().cTrigger == 'Y')
            return;
        /* the lists are numbered as they were received, over every RCV_LIST
           record, so a list without definition keeps its slot */
        int n = 0;
        bool first = true;
        for (const std::string& list : recordNames(WR_RCV_LIST)) {
            if (P3109_fListDefined(list)) {
                if (first)
                    P3109_WriteComment("Return details of a working list(s)");
                first = false;
                P3109_Line(P3109_Format(
                    "%s( pX_Ids, pX_Pro, pX_Fun, pX_Fld, %s, pX_List, %d, %s );",
                    P3109_RunTime("X_Return_Working_List").c_str(), P3109_ListVectorName(list).c_str(), n,
                    cs() ? "pGlobal1.scX_Parm, pGlobal1.pX_Parm" : "INSTANCE(scX_Parm), INSTANCE(pX_Parm)"));
            }
            ++n;
        }
        const bool exchange = functionFlag("@DSEXCHG");
        bool firstStructure = true;
        for (const std::string& name : recordNames(WR_RCV_DS)) {
            const GEN_DATA_STRUCTURE* ds = P3109_pFindDataStructure(name);
            if (!ds)
                continue;
            if (exchange && firstStructure) {
                P3109_WriteComment("Clear the Current Data Structure Exchange Area");
                P3109_Line(P3109_RunTime("X_Clear_Data_Structures") + "( pX_Ids, pX_Pro, pX_Fun );");
                P3109_WriteComment("Post Data Structures to the Exchange Area");
            }
            firstStructure = false;
            P3109_WriteDataStructureCall(ds->name, 'A');
            if (exchange && cs())
                P3109_Line("X_RUN_DLL.X_Store_Data_Structure( pX_Ids, pX_Pro, pX_Fun, " +
                           P3109_MakeStringLiteral(P3109_TrimRight(ds->name)) + ", pGlobal1." +
                           P3109_DataStructurePointerName(*ds) + " );");
            else if (exchange)
                P3109_Line("X_Store_Data_Structure( pX_Ids, pX_Pro, pX_Fun, \"" +
                           P3109_MakeHexLiteral(P3109_TrimRight(ds->name), 10) + "\", sizeof(struct " +
                           ds->structureName + "), ((X_PCHAR)( INSTANCE(" + P3109_DataStructurePointerName(*ds) +
                           ") )) );");
        }
    });
}

void P3109_EmitReturnTriggerInfo()
{
    atDirective([] {
        if (!P3109_fSysFlag(SYSFLAG_FIELD_TRIGGER) && !P3109_fSysFlag(SYSFLAG_OTHER_TRIGGER))
            return;
        const auto [oper, retc] = triggerFields();
        P3109_WriteComment("Return trigger information");
        P3109_Line(P3109_Deref("pX_Fun", "chError == NO )").insert(0, "if ( "));
        P3109_WriteOpenBrace();
        P3109_Line(P3109_RunTime("X_Handle_Trigger_Info") +
                   "( pX_Ids, pX_Pro, pX_Fun, 'D', pX_Fld, V_LIST_TRIG_LIST, pX_List, " + oper + ", " + retc + ", " +
                   (cs() ? "pGlobal1.scX_Parm, pGlobal1.pX_Parm" : "INSTANCE(scX_Parm), INSTANCE(pX_Parm)") + " );");
        P3109_WriteCloseBrace();
    });
}

void P3109_EmitDataStructureAssign(const GEN_DATA_STRUCTURE& structure, char cKind)
{
    static constexpr const char* kDictionaryTypes = "H1UB2YEMZIF34";
    const std::string pointer = P3109_DataStructurePointerName(structure);
    for (const GEN_DATA_STRUCTURE_COMPONENT& member : structure.components) {
        GEN_FIELD_INFO info;
        if (!P3109_fFindUsedField(member.field, info))
            continue;
        const std::string memberName = P3109_MakeCIdentifier(member.field, 10);
        if (P3109_fCSharp()) {
            /* the member itself: C# passes its reference, or the variable */
            const std::string place = "pGlobal1." + pointer + "." + memberName;
            P3109_LineAt(3, cKind == 'D' ? "X_RUN_DLL.X_Vec_Assign_from_Data_Structure( pX_Ids,pX_Pro,pX_Fun, " +
                                               place + ", pX_Fld, " + info.vectorName + " );"
                                         : "X_RUN_DLL.X_Vec_Assign_to_Data_Structure( pX_Ids,pX_Pro,pX_Fun, pX_Fld, " +
                                               info.vectorName + ", ref " + place + " );");
            continue;
        }
        const std::string place = "INSTANCE(" + pointer + "->" + memberName + ")";
        std::string address;
        if (std::strchr(kDictionaryTypes, member.cType) && member.cType != '\0')
            address = "(X_PDICTIONARY_FIELD)&(" + place + ")";
        else if (((member.cType == 'A' || member.cType == 'S') && member.lLength == 1) ||
                 (member.cType == 'P' && member.lLength / 2 + 1 == 1))
            address = "&(" + place + ")";
        else
            address = place;
        P3109_LineAt(3, cKind == 'D' ? "X_Vec_Assign_from_Data_Structure( pX_Ids,pX_Pro,pX_Fun, " + address +
                                           ", pX_Fld, " + info.vectorName + " );"
                                     : "X_Vec_Assign_to_Data_Structure( pX_Ids,pX_Pro,pX_Fun, pX_Fld, " +
                                           info.vectorName + ", " + address + " );");
    }
}

void P3109_EmitExecCpf()
{
    P3109_EmitCommandPrologue();
    const char* keyword = P3109_fCommandIs("EXEC_OS400") ? "CPFCMD" : "COMMAND";
    const std::string command = P3109_Parm(keyword);
    /* the command runs only on the iSeries, whose programs are C: C# gets
       only the run-time failure of the other platforms */
    if (P3109_fCSharp()) {
        P3109_EmitUnsupportedCommand();
        return;
    }
    P3109_Line("#if defined X_OPERATING_SYSTEM_ISERIES");
    P3109_WriteOpenBrace();
    P3109_Line("X_SHORT sCommandLen = " + std::to_string(command.size()) + ";");
    P3109_Line("X_SHORT sRetCode;");
    CGEN_SetTextLiteralPrefix("COMMAND");
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(command, nullptr, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    P3109_Line("X_PDF_Exec_OS400 (pX_Ids, pX_Pro, pX_Fun,");
    P3109_Line(std::string("                     sCommandLen, ") + (reference ? reference : "pX_NULL") +
               ", &sRetCode);");
    P3109_Line("if ((pX_Ids->chFatalError == YES)");
    P3109_Line(" || (sRetCode != 0))");
    P3109_WriteOpenBrace();
    const std::string target = P3109_ParmField("IF_ERROR");
    if (P3109_TrimRight(target) != "@ABORT")
        P3109_Line("pX_Ids->chFatalError = NO;");
    P3109_EmitBranchToTarget(target, g().out.usIndent);
    P3109_WriteCloseBrace();
    P3109_WriteCloseBrace();
    P3109_Line("#else");
    P3109_EmitUnsupportedCommand();
    P3109_Line("#endif");
}

void P3109_EmitTransfer()
{
    P3109_EmitCommandPrologue();
    const bool cs = P3109_fCSharp();
    const int32_t id = P3109_CurrentParsedHead().lDispatchId;
    if (id != -1) {
        P3109_WriteComment("Prepare scope for locally defined variables");
        P3109_WriteOpenBrace();
        P3109_Line(cs ? "int lTransferCommandResult = 0;" : "X_COMP_RETURN_CODE lTransferCommandResult = 0;");
        P3109_WriteComment("Make call to Web Routine");
        P3109_EmitComponentDispatch(cs ? "DqooDef.X_COMP_DISPATCH_ZOPHX_CONDITION, ref lTransferCommandResult"
                                       : "X_COMP_DISPATCH_ZOPHX_CONDITION, &( lTransferCommandResult )",
                                    1, id, "_1");
        P3109_LineAt(1, " ");
        P3109_Line(cs ? "if ( lTransferCommandResult == DqooDef.X_COMP_RETURN_TRANSFER_REQUESTED )"
                      : "if ( lTransferCommandResult == X_COMP_RETURN_TRANSFER_REQUESTED )");
        P3109_WriteOpenBrace();
        P3109_EmitBranchToTarget("*EXIT", g().out.usIndent);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
        return;
    }
    P3109_EmitExchangeList();
    const std::string to = P3109_ParmField("TOFUNCTION");
    const std::string trimmed = P3109_TrimRight(to);
    if (trimmed == "*LAST") {
        P3109_WriteComment("Set next function from last function");
        P3109_Line(cs ? "pX_Pro.vchNextFunc = pX_Pro.vchLastFunc;"
                      : "strcpy(pX_Pro->vchNextFunc,pX_Pro->vchLastFunc);");
    } else if (trimmed != "*NEXT") {
        P3109_WriteComment("Set next function from user specified value");
        GEN_FIELD_INFO info;
        if (P3109_fFindUsedField(to, info, GEN_OPERAND_NAME_WIDTH) ||
            (P3109_fWrittenAsField(trimmed) && P3109_fRequiredField("TOFUNCTION", to, info, GEN_OPERAND_NAME_WIDTH)))
            P3109_WriteGetAsVchar(info, cs ? "pX_Pro.vchNextFunc" : "pX_Pro->vchNextFunc");
        else if (cs)
            P3109_Line("pX_Pro.vchNextFunc = " + P3109_MakeStringLiteral(trimmed) + ";");
        else
            P3109_Line("strcpy(pX_Pro->vchNextFunc,\"" + P3109_MakeHexLiteral(trimmed, trimmed.size()) + "\");");
    }
    P3109_WriteComment("Transfer to the specified next function");
    if (P3109_fInComponentRoutine())
        P3109_Line("X_COMR_TRANSFER");
    else if (cs)
        P3109_Line(P3109_CSharpRoutineEnd("X_GloDef.X_SUBR_TRANSFERRED"));
    else if (P3109_fInSubroutine())
        P3109_Line("X_SUBR_TRANSFER");
    else
        P3109_Line("X_MAIN_TRANSFER(" + P3109_ModuleName() + ")");
}

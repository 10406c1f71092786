/*
** calls.cpp: CALL (a web routine of a component, a function directly or
** through its process, a 3GL program on iSeries), SUBMIT (a function of a
** process or a 3GL program as a batch job), EXCHANGE and the fields
** exchanged always (insertion point 22). Working lists and data structures
** travel in a vector of struct X_PARM; values travel on the run time's
** exchange list.
*/
#include <cstring>

#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/field_values.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"

namespace {

bool cs()
{
    return P3109_fCSharp();
}

const char* null()
{
    return cs() ? "null" : "pX_NULL";
}

/* A constant of the run time: C# names it as a member of its class. */
std::string constant(const char* csClass, const std::string& name)
{
    return cs() ? std::string(csClass) + "." + name : name;
}

constexpr size_t kExchangeLimit = 200;

/* The lists and data structures a CALL passes, as far as they are defined. */
struct Passed {
    std::vector<std::string> lists; /* list names */
    std::vector<const GEN_DATA_STRUCTURE*> structures;
    bool any() const { return !lists.empty() || !structures.empty(); }
};

Passed passedObjects()
{
    Passed p;
    for (int32_t i = 0; i < std::min<int32_t>(P3109_ParmCount("PASS_LST"), 20); ++i) {
        const std::string name = P3109_Parm("PASS_LST", 0, i);
        if (P3109_fListDefined(name))
            p.lists.push_back(P3109_DropNationalChar(name));
    }
    for (int32_t i = 0; i < std::min<int32_t>(P3109_ParmCount("PASS_DS"), 20); ++i)
        if (const GEN_DATA_STRUCTURE* ds = P3109_pFindDataStructure(P3109_ParmField("PASS_DS", 0, i)))
            p.structures.push_back(ds);
    return p;
}

void declareParameterVector(const Passed& p)
{
    P3109_WriteComment("Define STANDARDIZED parameter list to pass");
    if (cs()) {
        /* C# passes the parameters as objects: a data structure is its
           object, whose size the run time does not need */
        P3109_Line("X_PARM[] X_CallParms =");
        P3109_WriteOpenBrace();
        for (const std::string& list : p.lists)
            P3109_Line("new X_PARM( X_BifStr.X_PARM_WORKING_LIST," + P3109_MakeStringLiteral(list) + ",1,null ),");
        for (const GEN_DATA_STRUCTURE* ds : p.structures)
            P3109_Line("new X_PARM( X_BifStr.X_PARM_DATA_STRUCTURE," +
                       P3109_MakeStringLiteral(P3109_TrimRight(ds->name).substr(0, 10)) + ",0,null ),");
        P3109_IndentOut();
        P3109_Line("};");
        return;
    }
    P3109_Line("struct X_PARM X_CallParms [] =");
    P3109_WriteOpenBrace();
    for (const std::string& list : p.lists) {
        P3109_Line("X_PARM_WORKING_LIST,\"" + P3109_MakeHexLiteral(list, list.size()) + "\",");
        P3109_Line("     1,pX_NULL,");
    }
    for (const GEN_DATA_STRUCTURE* ds : p.structures) {
        P3109_Line("X_PARM_DATA_STRUCTURE,\"" + P3109_MakeHexLiteral(P3109_TrimRight(ds->name), 10) + "\",");
        P3109_Line("     sizeof(struct " + ds->structureName + "),pX_NULL,");
    }
    P3109_IndentOut();
    P3109_Line("};");
}

/* The value pointer of call parameter `index`. */
std::string callParm(size_t index)
{
    return "X_CallParms[" + std::to_string(index) + "].pValue";
}

void assignParameterVector(const Passed& p)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool zoph2 = ctx && ctx->lZoph2Used;
    for (size_t i = 0; i < p.lists.size(); ++i) {
        if (i == 0)
            P3109_WriteComment("Prepare working details to be passed");
        const std::string vector = P3109_ListVectorName(p.lists[i]);
        if (cs()) {
            P3109_Line(callParm(i).append(" = pX_List[").append(vector.c_str()).append("];"));
        } else if (zoph2) {
            P3109_Line("X_CAST_LIST_FROM_NO( pX_List, " + vector + ", pX_Fun)");
            P3109_Line(callParm(i).append(" = (X_PVOID) X_LIST_PTR;"));
        } else {
            P3109_Line(callParm(i).append(" = (X_PVOID) &(pX_List[").append(vector.c_str()).append("]);"));
        }
    }
    if (p.structures.empty())
        return;
    P3109_WriteComment("Prepare details of data structures to be passed");
    for (size_t i = 0; i < p.structures.size(); ++i) {
        /* the structure's pointer, which addresses its storage (C# its reference) */
        const std::string pointer = P3109_DataStructurePointerName(*p.structures[i]);
        P3109_Line(
            cs() ? callParm(p.lists.size() + i).append(" = pGlobal1.").append(pointer.c_str()).append(";")
                 : callParm(p.lists.size() + i).append(" = (X_PVOID) INSTANCE(").append(pointer.c_str()).append(");"));
        P3109_WriteDataStructureCall(p.structures[i]->name, 'A');
    }
}

void receiveBack(const Passed& p)
{
    P3109_WriteComment("Receive back any list/data structure details");
    for (const std::string& list : p.lists) {
        P3109_Line(P3109_RunTime("X_Reset_List_Counter") + " (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
        P3109_Line("                      " + P3109_ListVectorName(list) + ",pX_List);");
    }
    for (const GEN_DATA_STRUCTURE* ds : p.structures)
        P3109_WriteDataStructureCall(ds->name, 'D');
}

/* The operand's value as text into a name variable of the first list; a
** name written as it stands (not a field of the function) is copied as a
** literal. */
void moveName(const char* keyword, const char* variable)
{
    const std::string operand = P3109_ParmField(keyword);
    const std::string target = P3109_Instance(variable);
    std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldOperandField(operand, 20);
    if (!held && P3109_fWrittenAsField(operand))
        held = P3109_HoldRequiredField(keyword, operand, 20);
    if (held) {
        P3109_WriteGetAsVchar(*held, target);
        return;
    }
    const std::string name = P3109_TrimRight(operand);
    P3109_Line(cs() ? target + " = " + P3109_MakeStringLiteral(name) + ";"
                    : "strcpy(" + target + ",\"" + P3109_MakeHexLiteral(name, name.size()) + "\");");
}

/* The test that the run time's next function is a given one. */
std::string nextIs(const char* name)
{
    return cs() ? std::string("(pX_Ids.vchNext == DqooDef.") + name + ")"
                : std::string("(strcmp(pX_Ids->vchNext,") + name + ") == 0)";
}

void afterError(const std::string& target)
{
    P3109_Line("{");
    P3109_IndentIn();
    if (P3109_TrimRight(target) != "*ABORT")
        P3109_Line(P3109_Deref("pX_Ids", "chFatalError = NO;"));
    P3109_EmitBranchToTarget(target, g().out.usIndent);
    P3109_IndentOut();
    P3109_Line("}");
}

void nextFunctionTest(const char* keyword, const char* constant)
{
    const std::string target = P3109_ParmField(keyword);
    if (P3109_TrimRight(target) == "*NEXT")
        return;
    P3109_Line(" if " + nextIs(constant));
    P3109_Line("{");
    P3109_EmitBranchToTarget(target, static_cast<uint16_t>(g().out.usIndent + 3));
    P3109_Line("}");
}

void alwaysExchange()
{
    P3109_WriteComment("Handle any exchange *ALWAYS fields");
    P3109_Line("X_Always_Exchange_" + P3109_ModuleName() + " (" + P3109_StdParms() + ");");
}

/* The vector texts of the PARMS values. */
std::vector<std::string> parameterValues()
{
    std::vector<std::string> values;
    for (int32_t i = 0; i < std::min<int32_t>(P3109_ParmCount("PARMS"), GEN_CALL_PARMS_MAX); ++i)
        values.push_back(P3109_ParmField("PARMS", 0, i));
    return values;
}

void declareShortVector(const std::string& declaration, const std::vector<std::string>& values)
{
    P3109_WriteComment("Declare parameters to be passed");
    P3109_Line(declaration);
    P3109_Line("{");
    for (size_t i = 0; i < values.size(); ++i)
        P3109_Line("   " + P3109_PassedValueVector("PARMS", values[i], 20) + (i + 1 < values.size() ? "," : ""));
    P3109_Line("};");
}

void callFunction(const Passed& passed)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool component = ctx && ctx->lComponentRun;
    GEN_EMITTER_FLAGS& flags = g().emit;
    P3109_WriteOpenBrace();
    const std::string track = cs() ? "ref pvZOPHTrackInfo" : "&(pvZOPHTrackInfo)";
    if (component)
        P3109_Line(cs() ? "object pvZOPHTrackInfo = null;" : "X_PVOID pvZOPHTrackInfo = pX_NULL;");
    if (passed.any()) {
        declareParameterVector(passed);
        assignParameterVector(passed);
    }
    alwaysExchange();
    /* the fields the CALL names for the exchange list go with the call */
    if (P3109_ParmCount("EXCHANGE") > 0) {
        P3109_WriteComment("Exchange specifically nominated fields");
        P3109_EmitExchangeList();
    }
    if (component) {
        P3109_WriteComment("Handle start up of ZOPH logic");
        P3109_Line(P3109_RunTime("X_Start_Call_ZOPH_from_ZOPHX") + "(pX_Ids,pX_Pro,pX_Fun," + track + ");");
    }
    const std::string function = P3109_Instance("vchCallFunction"), process = P3109_Instance("vchCallProcess");
    /* the lists and data structures named go with the call on every path:
       the function called directly, through its process or from its
       process's menu receives them */
    const std::string parameters = !passed.any() ? "0," + std::string(null())
                                   : cs()        ? "X_CallParms.Length,X_CallParms"
                                                 : "sizeof(X_CallParms)/sizeof(struct X_PARM),X_CallParms";
    if (P3109_Parm("PROCESS") == "*DIRECT") {
        P3109_WriteComment("Place a/an *DIRECT call to the function");
        flags.cCallFunction = 'Y';
        moveName("FUNCTION", "vchCallFunction");
        P3109_Line(P3109_RunTime("X_PDF_Execute_Function") + " (pX_Ids, pX_Pro, pX_Fun, " + function + ",");
        P3109_Line("      " + parameters + ");");
    } else {
        flags.cCallProcess = flags.cCallFunction = 'Y';
        moveName("PROCESS", "vchCallProcess");
        if (P3109_Parm("FUNCTION") == "*MENU") {
            P3109_WriteComment("Call the process menu");
            P3109_Line(cs() ? function + " = DqooDef.X_PROCESS_MENU;"
                            : "strcpy(INSTANCE(vchCallFunction),X_PROCESS_MENU);");
        } else {
            P3109_WriteComment("Call the function via the process");
            moveName("FUNCTION", "vchCallFunction");
        }
        P3109_Line(P3109_RunTime("X_PDF_Execute_Process") + " (pX_Ids, pX_Pro, pX_Fun,");
        P3109_Line("      " + process + "," + function + "," + parameters + ");");
    }
    if (component) {
        P3109_WriteComment("Handle termination of ZOPH logic");
        P3109_Line(P3109_RunTime("X_End_Call_ZOPH_from_ZOPHX") + "(pX_Ids,pX_Pro,pX_Fun," + track + ");");
    }
    if (passed.any())
        receiveBack(passed);
    P3109_WriteCloseBrace();
    P3109_Line("X_Receive_Exchange_" + P3109_ModuleName() + " (" + P3109_StdParms() + ");");
    P3109_Line(cs() ? "if ((pX_Ids.chFatalError == YES)" : "if ((pX_Ids->chFatalError == YES)");
    P3109_Line(" || " + nextIs("X_PROCESS_ERROR") + ")");
    afterError(P3109_ParmField("IF_ERROR"));
    nextFunctionTest("EXIT_USED", "X_PROCESS_EXIT");
    nextFunctionTest("MENU_USED", "X_PROCESS_MENU");
}

/* The vector text of an object name: the field it is written as, or the
** literal of the name as written, which the checker records for it. */
std::string nameVector(const char* keyword, int iElement = 0)
{
    const std::string name = P3109_TrimRight(P3109_ParmField(keyword, iElement));
    if (P3109_fWrittenAsField(name) || name.empty() || name[0] == '\'')
        return P3109_RequiredFieldVector(keyword, name, 20);
    return P3109_RequiredFieldVector(keyword, "'" + name + "'", 20);
}

/* The program and library names copied into a 20-character area. */
void copyProgramName(const char* area)
{
    const std::string program = nameVector("PGM");
    P3109_Line(std::string("memset(") + area + ", BLANK, sizeof(" + area + "));");
    P3109_Line(std::string("memcpy(") + area + ", pX_Fld[" + program + "].pField, pX_Fld[" + program + "].sByteLen);");
    if (P3109_Parm("PGM_LIB") != "*LIBL") {
        const std::string library = nameVector("PGM_LIB");
        P3109_Line(std::string("memcpy(&") + area + "[10], pX_Fld[" + library + "].pField, pX_Fld[" + library +
                   "].sByteLen);");
    }
    P3109_Line("");
}

/* A 3GL program runs only on the iSeries, whose programs are C: C# gets
** only the run-time failure of the other platforms. */
bool unsupportedInCSharp()
{
    if (!cs())
        return false;
    P3109_EmitUnsupportedCommand();
    return true;
}

/* The iSeries bracket of a 3GL program's call. */
void iSeriesOnly()
{
    P3109_Line("");
    P3109_Line("#if defined X_OPERATING_SYSTEM_ISERIES");
}

void unsupportedElsewhere()
{
    P3109_Line("#else");
    P3109_EmitUnsupportedCommand();
    P3109_Line("#endif");
}

void callProgram(const Passed& passed)
{
    const std::vector<std::string> values = parameterValues();
    const bool exchange = P3109_Parm("PGM_EXCH") == "Y";
    if (unsupportedInCSharp())
        return;
    iSeriesOnly();
    P3109_WriteOpenBrace();
    P3109_WriteComment("3GL program/library name and return code");
    P3109_Line("X_FCHAR Call3GLPgmLib[20];");
    P3109_Line("X_SHORT sRetCode;");
    if (!values.empty())
        declareShortVector("static const X_SHORT Call3GLParms[] =", values);
    if (passed.any())
        declareParameterVector(passed);
    P3109_EmitDynamicSysVars(values, 20);
    if (exchange)
        alwaysExchange();
    if (passed.any())
        assignParameterVector(passed);
    P3109_WriteComment("Call the 3GL Program");
    copyProgramName("Call3GLPgmLib");
    const std::string margin(24, ' ');
    P3109_Line("X_PDF_Call_3GL_Program (pX_Ids, pX_Pro, pX_Fun,");
    P3109_Line(margin + "Call3GLPgmLib,");
    P3109_Line(margin +
               (values.empty() ? "0, pX_NULL," : "(sizeof(Call3GLParms)/sizeof(X_SHORT)), ((X_SHORT*) Call3GLParms),"));
    P3109_Line(margin + (passed.any() ? "sizeof(X_CallParms)/sizeof(struct X_PARM), X_CallParms," : "0, pX_NULL,"));
    const std::string numLen = P3109_ParmField("NUM_LEN"), exch = P3109_ParmField("PGM_EXCH");
    std::string flags = margin + "' ', ' ', &sRetCode);";
    flags[margin.size() + 1] = numLen.empty() ? ' ' : numLen[0];
    flags[margin.size() + 6] = exch.empty() ? ' ' : exch[0];
    P3109_Line(flags);
    if (passed.any())
        receiveBack(passed);
    if (exchange)
        P3109_Line("X_Receive_Exchange_" + P3109_ModuleName() + " (" + P3109_StdParms() + ");");
    P3109_Line("if ((pX_Ids->chFatalError == YES)");
    P3109_Line(" || (sRetCode != 0))");
    afterError(P3109_ParmField("IF_ERROR"));
    P3109_WriteCloseBrace();
    unsupportedElsewhere();
}

/* The job attribute texts of SUBMIT: pX_NULL for the defaults. */
struct JobAttributes {
    std::string job, jobd, jobdLib, jobq, jobqLib, outq, outqLib;
};

std::string attribute(const char* keyword, int iElement, std::initializer_list<const char*> defaults)
{
    const std::string value = P3109_Parm(keyword, iElement);
    if (value.empty())
        return null();
    for (const char* d : defaults)
        if (value == d)
            return null();
    return nameVector(keyword, iElement);
}

std::string library(const char* keyword, const std::string& object)
{
    if (object == null())
        return null();
    return attribute(keyword, 1, {"*LIBL"});
}

JobAttributes jobAttributes()
{
    JobAttributes a;
    a.job = attribute("JOB", 0, {"*PGMPRO"});
    a.jobd = attribute("JOBD", 0, {"*USRPRF"});
    a.jobdLib = library("JOBD", a.jobd);
    a.jobq = attribute("JOBQ", 0, {"*JOBD"});
    a.jobqLib = library("JOBQ", a.jobq);
    a.outq = attribute("OUTQ", 0, {"*JOBD", "*DEV", "*USRPRF"});
    a.outqLib = library("OUTQ", a.outq);
    return a;
}

void submitProcess()
{
    GEN_EMITTER_FLAGS& flags = g().emit;
    const std::vector<std::string> values = parameterValues();
    P3109_EmitDynamicSysVars(values, 20);
    P3109_WriteComment("Exchange any *ALWAYS exchange fields");
    P3109_Line("X_Always_Exchange_" + P3109_ModuleName() + " (" + P3109_StdParms() + ");");
    if (P3109_ParmCount("EXCHANGE") > 0) {
        P3109_WriteComment("Exchange specifically nominated fields");
        P3109_EmitExchangeList();
    }
    std::string process = null(), function = null();
    if (P3109_Parm("PROCESS") != "*NONE") {
        flags.cCallProcess = 'Y';
        moveName("PROCESS", "vchCallProcess");
        process = P3109_Instance("vchCallProcess");
    }
    if (P3109_Parm("FUNCTION") != "*FIRST") {
        flags.cCallFunction = 'Y';
        moveName("FUNCTION", "vchCallFunction");
        function = P3109_Instance("vchCallFunction");
    }
    const JobAttributes a = jobAttributes();
    if (!values.empty()) {
        P3109_WriteOpenBrace();
        declareShortVector(cs() ? "short[] SubmitParms =" : "X_SHORT SubmitParms[] =", values);
    }
    P3109_WriteComment("Submit the batch job");
    P3109_Line(P3109_RunTime("X_PDF_Submit_Process") + " (pX_Ids,");
    const std::string margin(10, ' ');
    for (const char* line : {"pX_Pro,", "pX_Fun,"})
        P3109_Line(margin + line);
    for (const std::string& text : {process, function, std::string(null())})
        P3109_Line(margin + text + ",");
    P3109_Line(margin + "pX_Fld,");
    for (const std::string& text : {a.job, a.jobd, a.jobdLib, a.jobq, a.jobqLib, a.outq, a.outqLib})
        P3109_Line(margin + text + ",");
    if (values.empty()) {
        P3109_Line(margin + "0,");
        P3109_Line(margin + null() + ");");
    } else {
        P3109_Line(margin + (cs() ? "SubmitParms.Length," : "(sizeof(SubmitParms)/sizeof(X_SHORT)),"));
        P3109_Line(margin + "SubmitParms);");
        P3109_WriteCloseBrace();
    }
    P3109_EmitFatalErrorTest();
}

void submitProgram()
{
    const std::vector<std::string> values = parameterValues();
    if (unsupportedInCSharp())
        return;
    iSeriesOnly();
    P3109_WriteOpenBrace();
    P3109_WriteComment("3GL Program and Library name");
    P3109_Line("X_FCHAR Submit3GLPgmLib[20];");
    if (!values.empty())
        declareShortVector("static const X_SHORT Submit3GLParms[] =", values);
    const JobAttributes a = jobAttributes();
    P3109_EmitDynamicSysVars(values, 20);
    P3109_WriteComment("Submit the call to the 3GL Program");
    copyProgramName("Submit3GLPgmLib");
    const std::string margin(26, ' ');
    P3109_Line("X_PDF_Submit_3GL_Program (pX_Ids, pX_Pro, pX_Fun,");
    P3109_Line(margin + "Submit3GLPgmLib,");
    P3109_Line(margin + "pX_Fld, " + a.job + ",");
    P3109_Line(margin + a.jobd + ", " + a.jobdLib + ",");
    P3109_Line(margin + a.jobq + ", " + a.jobqLib + ",");
    P3109_Line(margin + a.outq + ", " + a.outqLib + ",");
    P3109_Line(margin + (values.empty() ? "0, pX_NULL);"
                                        : "(sizeof(Submit3GLParms)/sizeof(X_SHORT)), ((X_SHORT*) Submit3GLParms) );"));
    P3109_EmitFatalErrorTest();
    P3109_WriteCloseBrace();
    unsupportedElsewhere();
}

/* The exchanged names: a group becomes its fields; at most 200, each
** blank-filled to GEN_OPERAND_NAME_WIDTH. */
void addExchanged(std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& field : P3109_ExpandFieldName(name)) {
        if (names.size() == kExchangeLimit)
            P3109_ReportException();
        names.push_back(P3109_Padded(field, GEN_OPERAND_NAME_WIDTH));
    }
}

void putToExchangeList(const std::string& group)
{
    P3109_WriteComment("Add all required values to the exchange list");
    P3109_Line(P3109_RunTime("X_Put_To_Exchange_List") + " (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
    P3109_Line("     " + P3109_Instance3("sc" + group) + "," + P3109_Instance3(group) + ");");
}

}  // namespace

void P3109_EmitCall()
{
    P3109_EmitCommandPrologue();
    const int32_t id = P3109_CurrentParsedHead().lDispatchId;
    if (id != -1) {
        P3109_WriteComment("Prepare scope for locally defined variables");
        P3109_WriteOpenBrace();
        P3109_Line(cs() ? "int lTransferCommandResult = 0;" : "X_COMP_RETURN_CODE lTransferCommandResult = 0;");
        P3109_WriteComment("Make call to Web Routine");
        P3109_EmitComponentDispatch(P3109_fCSharp()
                                        ? "DqooDef.X_COMP_DISPATCH_ZOPHX_CONDITION, ref lTransferCommandResult"
                                        : "X_COMP_DISPATCH_ZOPHX_CONDITION, &( lTransferCommandResult )",
                                    1, id, "_1");
        P3109_LineAt(1, " ");
        P3109_Line("if ( lTransferCommandResult == " + constant("DqooDef", "X_COMP_RETURN_TRANSFER_REQUESTED") + " )");
        P3109_WriteOpenBrace();
        P3109_EmitBranchToTarget("*EXIT", g().out.usIndent);
        P3109_WriteCloseBrace();
        P3109_WriteCloseBrace();
        return;
    }
    const Passed passed = passedObjects();
    if (P3109_Parm("PGM") == "*NONE")
        callFunction(passed);
    else
        callProgram(passed);
}

void P3109_EmitSubmit()
{
    P3109_EmitCommandPrologue();
    if (P3109_Parm("PGM") == "*NONE")
        submitProcess();
    else
        submitProgram();
}

void P3109_EmitExchange()
{
    P3109_EmitCommandPrologue();
    const std::string option = P3109_Parm("OPTION");
    if (option.empty() || option == "N")
        P3109_EmitExchangeList();
}

void P3109_EmitExchangeList()
{
    std::vector<std::string> names;
    const int32_t count =
        std::min<int32_t>(P3109_ParmCount("EXCHANGE") > 0 ? P3109_ParmCount("EXCHANGE") : P3109_ParmCount("FIELDS"),
                          static_cast<int32_t>(kExchangeLimit) + 1);
    const char* keyword = P3109_ParmCount("EXCHANGE") > 0 ? "EXCHANGE" : "FIELDS";
    for (int32_t i = 0; i < count; ++i)
        addExchanged(names, P3109_ParmField(keyword, 0, i));
    if (names.empty())
        return;
    const std::string group = "Exchange_" + g().lineNumberText;
    P3109_EmitConstantVectorGroup(group, names, true);
    putToExchangeList(group);
}

void P3109_EmitExchangeAlways()
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    const uint16_t savedIndent = s.out.usIndent;
    s.out.usIndent = 3;
    std::vector<std::string> names;
    FFC_CONTEXT* ctx = P3109_Context();
    if (ctx && ctx->pWorkFile) {
        FFC_WORK_RECORD r;
        WF_BlankRecord(ctx, &r);
        std::memcpy(r.acKind, WR_EXCHALL, FFC_WORK_KIND_LEN);
        for (char rc = WF_cReadFirst(ctx, GEN_SLOT_EMITTERS, &r, 1); rc == '0';
             rc = WF_cReadNext(ctx, GEN_SLOT_EMITTERS, &r, 1))
            addExchanged(names, std::string(r.acName, 10));
    }
    if (names.empty()) {
        CGEN_AddStaticWorkingEntry(2, "X_PVOID Exchange_Always", "", "public Object Exchange_Always", "",
                                   GEN_STATIC_UNIQUE);
        CGEN_AddStaticWorkingEntry(2, "X_SHORT scExchange_Always", "", "public int scExchange_Always", "",
                                   GEN_STATIC_UNIQUE);
    } else {
        P3109_EmitConstantVectorGroup("Exchange_Always", names, true);
        putToExchangeList("Exchange_Always");
        P3109_WriteComment("Return control to the caller");
    }
    s.out.usIndent = savedIndent;
}

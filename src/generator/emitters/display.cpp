/*
** display.cpp: DISPLAY, REQUEST and POP_UP, and the initialisation of the
** action-bar and pull-down option fields (skeleton point 27).
**
** A screen command initialises its panel's texts once, presents the panel
** through the run-time panel manager X_Present_Panel with the panel's
** tables (built from the layout records by display_tables.cpp) and handles
** the key or button that ended it: the action bar, EXIT, CANCEL, the user
** buttons, ADD, CHANGE, DELETE and a user-controlled PROMPT.
*/
#include "generator/emitters/display_support.h"

#include <cstring>

#include "generator/core/model/definitions.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/list_support.h"

namespace {

GEN_DISPLAY_STATE& ds()
{
    return P3109_DisplayState();
}

bool unsupportedOption(const std::string& option)
{
    return option == "*OVERLAY" || option == "*NOREAD";
}

bool cs()
{
    return P3109_fCSharp();
}

/* A member of the function's run-time block: "pX_Fun->m" / "pX_Fun.m". */
std::string fun(std::string_view member)
{
    return P3109_Deref("pX_Fun", member);
}

/* The list texts of the call, for a browse list. */
void setListTexts(GEN_PANEL& panel, const GEN_LIST_DEFINITION& list)
{
    const std::string& l = list.vectorName;
    /* C# reaches every list through its element of the list table */
    if (P3109_fZoph2Used() && !cs()) {
        panel.listFieldNumber = "(X_SHORT)X_LIST_COMMON_ELEMENT(sFld)";
        panel.listFieldVectors = "X_LIST_COMMON_ELEMENT(pX_Fld)";
        panel.listConditions = "X_LIST_COMMON_ELEMENT(pX_Cond)";
    } else {
        panel.listFieldNumber = "pX_List[" + l + "].sFld";
        panel.listFieldVectors = "pX_List[" + l + "].pX_Fld";
        panel.listConditions = "pX_List[" + l + "].pX_Cond";
    }
    panel.listArray = "pX_List";
    panel.listNumber = l;
}

void writeConditions(const GEN_PANEL& panel)
{
    uint16_t count = P3109_usCountMarkedNames(panel.conditions);
    if (panel.pBrowse)
        count = static_cast<uint16_t>(count + P3109_usCountMarkedNames(panel.pBrowse->conditions));
    if (count == 0) {
        P3109_Line(fun("scX_CondEvaluate = 0;"));
        P3109_Line(fun(cs() ? "pX_CondEvaluate = null;" : "pX_CondEvaluate = pX_NULL;"));
        return;
    }
    if (cs()) {
        P3109_Line("X_COND_EVALUATE[] X_CondEvaluate = new X_COND_EVALUATE[" + std::to_string(count) + "];");
        P3109_Line("pX_Fun.scX_CondEvaluate = 0;");
        P3109_Line("pX_Fun.pX_CondEvaluate = X_CondEvaluate;");
    } else {
        P3109_Line("struct X_COND_EVALUATE X_CondEvaluate[" + std::to_string(count) + "];");
        P3109_Line("pX_Fun->scX_CondEvaluate = 0;");
        P3109_Line("pX_Fun->pX_CondEvaluate = &(X_CondEvaluate[0]);");
    }
    P3109_EmitConditionTest(panel.conditions, GEN_CONDITIONS_IDENTIFY);
    if (panel.pBrowse)
        P3109_EmitConditionTest(panel.pBrowse->conditions, GEN_CONDITIONS_IDENTIFY);
}

/* The C# form of the panel manager's call: the same arguments, the control
** block and lists as objects, null for none. */
void writePresentPanelCs(const GEN_PANEL& panel)
{
    const std::string pad = "                ";
    P3109_Line("X_RUN_DLL.X_Present_Panel (X_PnlStr.X_UIM_SHOW_PANEL,");
    for (const char* argument : {"pX_Ids,", "pX_Pro,", "pX_Fun,"})
        P3109_Line(pad + argument);
    P3109_Line(pad + "pGlobal1." + panel.control + ",   ");
    P3109_Line(pad + "FunctionGlobalStatic3.scX_Fld, ");
    P3109_Line(pad + "pX_Fld, ");
    P3109_Line(pad + "pGlobal1.X_Cond,    ");
    for (const char* argument : {"X_FKey,", "pX_Pro.scX_ABar,", "pX_Pro.pX_ABar,"})
        P3109_Line(pad + argument);
    for (const std::string* text : {&panel.textCount, &panel.textTable, &panel.fieldCount, &panel.fieldTable,
                                    &panel.listFieldNumber, &panel.listFieldVectors, &panel.browseCount,
                                    &panel.browseTable, &panel.listConditions, &panel.listArray, &panel.listNumber})
        P3109_Line(pad + (*text == "pX_NULL" ? std::string("null") : *text) + ",    ");
    P3109_Line(pad + "FunctionGlobalStatic3.scExchange_Always,");
    P3109_Line(pad + "FunctionGlobalStatic3.Exchange_Always);");
}

void writePresentPanel(const GEN_PANEL& panel, bool fComponent)
{
    P3109_WriteComment("Invoke the panel manager");
    if (cs()) {
        P3109_Line("pX_Fun.sWebPageNumber = " + std::to_string(ds().lWebPages++) + ";");
        P3109_Line("pX_Fun.sWebTextOffset = " + std::to_string(panel.lWebTextOffset) + ";");
        P3109_Line("pX_Fun.scX_PanelFldExt = " + panel.guiCount + ";");
        P3109_Line("pX_Fun.pX_PanelFldExt = " + (panel.guiTable == "pX_NULL" ? std::string("null") : panel.guiTable) +
                   ";");
        writePresentPanelCs(panel);
        return;
    }
    if (fComponent)
        P3109_Line("X_Flip_to_ZOPH_Vec_Format(pX_Ids,pX_Pro,pX_Fun,pX_Fun->pX_Fld,pX_Fun->scX_Fld,&(pvTrackInfo1),"
                   "&(pvTrackInfo2),FALSE,FALSE);");
    P3109_Line("pX_Fun->sWebPageNumber = " + std::to_string(ds().lWebPages++) + ";");
    P3109_Line("pX_Fun->sWebTextOffset = " + std::to_string(panel.lWebTextOffset) + ";");
    P3109_Line("pX_Fun->scX_PanelFldExt = " + panel.guiCount + ";");
    P3109_Line("pX_Fun->pX_PanelFldExt = " + panel.guiTable + ";");
    const std::string pad = "                ";
    P3109_Line("X_Present_Panel (X_UIM_SHOW_PANEL,");
    for (const char* argument : {"pX_Ids,", "pX_Pro,", "pX_Fun,"})
        P3109_Line(pad + argument);
    P3109_Line(pad + "&(INSTANCE(" + panel.control + ")),   ");
    P3109_Line(pad + "INSTANCE_S3(scX_Fld), ");
    P3109_Line(pad + "pX_Fld, ");
    P3109_Line(pad + "INSTANCE(X_Cond),    ");
    for (const char* argument : {"X_FKey,", "pX_Pro->scX_ABar,", "pX_Pro->pX_ABar,"})
        P3109_Line(pad + argument);
    for (const std::string* text : {&panel.textCount, &panel.textTable, &panel.fieldCount, &panel.fieldTable,
                                    &panel.listFieldNumber, &panel.listFieldVectors, &panel.browseCount,
                                    &panel.browseTable, &panel.listConditions, &panel.listArray, &panel.listNumber})
        P3109_Line(pad + *text + ",    ");
    P3109_Line(pad + "INSTANCE_S3(scExchange_Always),");
    P3109_Line(pad + "INSTANCE_S3(Exchange_Always));");
    if (fComponent)
        P3109_Line("X_Flop_to_ZOPHX_Vec_Format(pX_Ids,pX_Pro,pX_Fun,pX_Fun->pX_Fld,pX_Fun->scX_Fld,&(pvTrackInfo1),"
                   "FALSE,&(pvTrackInfo2),FALSE,FALSE);");
}

/* The C# form of the action-bar handling: the run time's answer ends the
** routine the way its end value says, as the C macros do. */
void writeActionBarCs()
{
    P3109_Line("{");
    P3109_IndentIn();
    P3109_Line("int sAction = X_RUN_DLL.X_Handle_Action_Bar( pX_Ids, pX_Pro, pX_Fun );");
    if (P3109_fInComponentRoutine())
        P3109_Line(P3109_Format("if (sAction != X_GloDef.X_SUBR_NORMAL_END) return X_TERMINATE_COMPONENT_ROUTINE(%s);",
                                GEN_COMPONENT_ROUTINE_ARGS));
    else
        P3109_Line("if (sAction != X_GloDef.X_SUBR_NORMAL_END) " + P3109_CSharpRoutineEnd("sAction"));
    P3109_IndentOut();
    P3109_Line("}");
}

/* One button: its comment, its test and the transfer to its target. */
void writeButton(const char* comment, const std::string& test, std::string_view target)
{
    P3109_WriteComment(comment);
    P3109_Line(test);
    P3109_Line("{");
    P3109_EmitBranchToTarget(target, static_cast<uint16_t>(g().out.usIndent + 3));
    P3109_Line("}");
}

bool enabled(const char* keyword)
{
    return P3109_Parm(keyword, 0) == "*YES";
}

/* A key whose target is not *NEXT. */
bool acting(const char* keyword)
{
    return enabled(keyword) && P3109_Parm(keyword, 1) != "*NEXT";
}

void writeButtons(const GEN_PANEL& panel)
{
    P3109_WriteComment("Handle an item selected from any associated action bar");
    if (cs())
        writeActionBarCs();
    else if (P3109_fInComponentRoutine())
        P3109_Line("X_COMR_HANDLE_ACTION_BAR");
    else if (P3109_fInSubroutine())
        P3109_Line("X_SUBR_HANDLE_ACTION_BAR");
    else
        P3109_Line("X_MAIN_HANDLE_ACTION_BAR(" + P3109_ModuleName() + ")");
    /* the test that the panel ended by a key: C compares the key's text,
       C# the answer's string */
    const auto pressed = [](const std::string& key) {
        return cs() ? "if (pGlobal1.pX_UIM.vchAID == " + key + ")"
                    : "if (strcmp(INSTANCE(pX_UIM->vchAID)," + key + ") == 0)";
    };
    const auto aid = [](const char* key) { return (cs() ? std::string("X_PnlStr.") : std::string()) + key; };
    if (enabled("EXIT_KEY"))
        writeButton("Handle the EXIT button",
                    pressed(aid(P3109_Parm("EXIT_KEY", 3) == "*LOW" ? "X_UIM_EXIT_LO_AID" : "X_UIM_EXIT_HI_AID")),
                    P3109_ParmField("EXIT_KEY", 1));
    if (enabled("MENU_KEY"))
        writeButton("Handle the CANCEL button", pressed(aid("X_UIM_CANCEL_AID")), P3109_ParmField("MENU_KEY", 1));
    for (const GEN_PANEL_USER_KEY& key : panel.userKeys)
        if (key.fEnabled && P3109_TrimRight(key.target) != "*NEXT")
            writeButton("Handle a User defined Button", pressed("\"" + key.aid + "\""), key.target);
    if (acting("ADD_KEY"))
        writeButton("Handle the ADD Button", pressed(aid("X_UIM_CREATE_AID")), P3109_ParmField("ADD_KEY", 1));
    if (acting("CHANGE_KEY"))
        writeButton("Handle usage of the CHANGE Button", "if (" + fun("chChangeUsed == YES)"),
                    P3109_ParmField("CHANGE_KEY", 1));
    if (acting("DELETE_KEY"))
        writeButton("Handle usage of the DELETE Button", "if (" + fun("chDeleteUsed == YES)"),
                    P3109_ParmField("DELETE_KEY", 1));
    const std::string prompt = P3109_Parm("PROMPT_KEY", 0), promptTarget = P3109_Parm("PROMPT_KEY", 1);
    if ((prompt == "*YES" || prompt == "*DFT") && promptTarget != "*NEXT" && promptTarget != "*AUTO")
        writeButton("Handle usage of a user controlled PROMPT", pressed(aid("X_UIM_PROMPT_AID")),
                    P3109_ParmField("PROMPT_KEY", 1));
}

void writeWebEventExit()
{
    if (!P3109_fSysFlag(SYSFLAG_WEBEVENT))
        return;
    P3109_WriteComment("Exit for *WEBEVENT display call only if running as web job");
    P3109_Line("{");
    const int16_t inner = static_cast<int16_t>(g().out.usIndent + 3);
    P3109_LineAt(inner, cs() ? "if (pX_Ids.chExecutionState == X_PnlStr.X_EXECUTION_STATE_SERVER_WEB_JOB )"
                             : "if (pX_Ids->chExecutionState == X_EXECUTION_STATE_SERVER_WEB_JOB )");
    P3109_LineAt(inner, "{");
    P3109_EmitBranchToTarget("*EXIT", static_cast<uint16_t>(inner + 3));
    P3109_LineAt(inner, "}");
    P3109_Line("}");
}

}  // namespace

GEN_DISPLAY_STATE& P3109_DisplayState()
{
    static GEN_DISPLAY_STATE s;
    return s;
}

void P3109_ResetDisplayEmitters()
{
    ds() = GEN_DISPLAY_STATE{};
}

void P3109_EmitDisplay()
{
    P3109_EmitCommandPrologue();
    if (unsupportedOption(P3109_Parm("OPTIONS", 0, 0)) || unsupportedOption(P3109_Parm("OPTIONS", 0, 1))) {
        P3109_EmitUnsupportedCommand();
        return;
    }
    GEN_PANEL& panel = ds().panel;
    panel = GEN_PANEL{};
    panel.number = g().lineNumberText;
    panel.cCommand = P3109_CurrentCommandName()[0];
    const std::string browse = P3109_Parm("BROWSELIST", 0);
    if (!browse.empty() && browse != "*NONE") {
        panel.pBrowse = P3109_pFindListOrReport(browse);
        if (!panel.pBrowse)
            return;
        setListTexts(panel, *panel.pBrowse);
    }
    const std::string flag = "fDialogue_" + panel.number + "_Initialised";
    CGEN_AddStaticWorkingEntry(0, "X_BOOL " + flag, "INSTANCE(" + flag + ") = FALSE;", "public bool " + flag,
                               "pGlobal1." + flag + " = false;", GEN_STATIC_ALWAYS);

    P3109_WriteComment("Perform one time panel text initialisation logic");
    P3109_Line("if (!(" + P3109_Instance(flag) + "))");
    P3109_WriteOpenBrace();
    P3109_EmitPanelFieldTables(panel);
    P3109_Line(P3109_Instance(flag) + (cs() ? " = true;" : " = TRUE;"));
    P3109_WriteCloseBrace();

    P3109_WriteOpenBrace();
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool component = ctx && ctx->lComponentRun != 0;
    if (component) {
        P3109_Line(cs() ? "object pvTrackInfo1 = null;" : "X_PVOID pvTrackInfo1 = pX_NULL;");
        P3109_Line(cs() ? "object pvTrackInfo2 = null;" : "X_PVOID pvTrackInfo2 = pX_NULL;");
    }
    writeConditions(panel);
    if (P3109_fZoph2Used() && !cs())
        P3109_Line("X_CAST_LIST_FROM_NO( pX_List, " + panel.listNumber + ", pX_Fun )");
    if (!panel.titleLine.empty()) {
        P3109_WriteComment("Set the panel title as per the function description");
        P3109_Line(panel.titleLine);
    }
    P3109_Line(fun("fAddPanelTitleAsWebText = ") + (panel.fAddTitleAsWebText ? "TRUE" : "FALSE") + ";");
    P3109_Line(fun("fWebPanelHasDescription = ") + (panel.fHasDescription ? "TRUE" : "FALSE") + ";");
    P3109_Line(fun("pWebTextTags ="));
    P3109_Line(cs() ? "   X_RUN_DLL.X_Get_Web_Text_Tags(FunctionGlobalStatic3.sLangNo, ref pX_Fun.lWebTextTagsLimit);"
                    : "   X_Get_Web_Text_Tags(INSTANCE_S3(sLangNo), &(pX_Fun->lWebTextTagsLimit));");
    writePresentPanel(panel, component);
    P3109_WriteCloseBrace();
    P3109_EmitFatalErrorTest();
    P3109_EmitResetFunctionMode();
    writeButtons(panel);
    writeWebEventExit();
}

void P3109_EmitRequest()
{
    P3109_EmitDisplay();
}

void P3109_EmitPopUp()
{
    P3109_EmitDisplay();
}

void P3109_EmitActionBarOptionInit()
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    const FFC_PROCESS_DEFINITION* process = s.args.pProcess;
    if (!process || process->cMenuStyle != 'A')
        return;
    const uint16_t saved = s.out.usIndent;
    s.out.usIndent = s.skel.usColumn;
    struct Option {
        const char* head;
        const char* comment;
        const char* source;
    };
    const bool c = !cs();
    for (const Option& o : {Option{"AB", "Initialise action bar option value ABxOPT",
                                   c ? "pX_Ids->pX_UIM->vchABOpt" : "pX_Ids.pX_UIM.vchABOpt"},
                            Option{"PD", "Initialise pull down option value PDxOPT",
                                   c ? "pX_Ids->pX_UIM->vchPDOpt" : "pX_Ids.pX_UIM.vchPDOpt"}}) {
        GEN_FIELD_INFO field;
        if (!P3109_fFindUsedField(P3109_SpecialFieldName(o.head, "OPT"), field))
            continue;
        P3109_WriteComment(o.comment);
        P3109_WriteSetFromVchar(field, o.source);
    }
    s.out.usIndent = saved;
}

/*
** list_vectors.cpp: list vectors, reload counters, user built-in function
** calls and the release of the KEEP_LAST tracking areas.
**
** The lists of a run that uses the two-level list tables (ZOPH2) are
** walked twice, first the level-1 lists, then the level-2 lists, so that
** their vector numbers and their two tables agree.
*/
#include "generator/core/components/list_vectors.h"

#include <string>
#include <vector>

#include "generator/core/model/definitions.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace {

constexpr GEN_STREAM kListQueue = 1;
constexpr GEN_STREAM kStartQueue = 6;
constexpr int16_t kMaxDepth = 12;

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}
void drop()
{
    g().skel.cKeep = 'N';
}

bool zoph2()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->lZoph2Used != 0;
}

bool componentRun()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->lComponentRun != 0;
}

/* The lists of one level in chain order. */
std::vector<const GEN_LIST_DEFINITION*> listsOf(bool fLevel2)
{
    std::vector<const GEN_LIST_DEFINITION*> lists;
    for (const GEN_LIST_DEFINITION& l : P3109_ListDefinitions())
        if (l.Level2() == fLevel2)
            lists.push_back(&l);
    return lists;
}

/* The '-' and '=' boxes go to the storage file and its C# twin. */
void storageBox(bool fDouble, const std::string& text)
{
    for (GEN_STREAM s : {g().stg, g().csStreams[1]}) {
        if (s == GEN_NO_STREAM)
            continue;
        if (fDouble)
            P3109_WriteDoubleBoxComment(s, text);
        else
            P3109_WriteDashedBoxComment(s, text);
    }
}

void writeVectorNames()
{
    if (P3109_ListDefinitions().empty())
        return;
    storageBox(true, "Browse and Working List Vectored Names");
    int16_t n = 0;
    for (bool level2 : {false, true}) {
        if (level2 && !zoph2())
            break;
        const std::vector<const GEN_LIST_DEFINITION*> lists = listsOf(level2);
        if (!lists.empty())
            storageBox(false, level2 ? "ZOPHX Lists" : "ZOPH Lists");
        for (const GEN_LIST_DEFINITION* l : lists) {
            P3109_WriteShortConstant(g().stg, 0, l->vectorName, n);
            if (g().csStreams[1] != GEN_NO_STREAM)
                P3109_WriteLine(g().csStreams[1], 0,
                                "public const int " + l->vectorName + " = " + std::to_string(n) + ";");
            ++n;
        }
    }
}

void writeVectorMaps()
{
    bool first = true;
    for (const GEN_LIST_DEFINITION& l : P3109_ListDefinitions()) {
        if (first)
            P3109_WriteDashedBoxComment(kListQueue, "Browse and Working List Vector Mapping");
        else
            P3109_WriteLine(kListQueue, 3, " ");
        first = false;
        P3109_WriteLine(kListQueue, 3,
                        csharp() ? "private static X_LMAP[] X_LMap_" + l.identifier + " = new X_LMAP[" +
                                       std::to_string(l.FieldCount()) + "]{"
                                 : "static struct X_LMAP X_LMap_" + l.identifier + "[] = {");
        for (size_t i = 0; i < l.fields.size(); ++i) {
            const std::string pair = l.fields[i].vectorName + "," + std::to_string(l.fields[i].sMapNumber);
            if (csharp())
                P3109_WriteLine(kListQueue, 6, (i == 0 ? " new X_LMAP( " : ", new X_LMAP( ") + pair + " )");
            else
                P3109_WriteLine(kListQueue, 6, (i == 0 ? " " : ",") + pair);
        }
        P3109_WriteLine(kListQueue, 3, "};");
    }
}

void writeListTables()
{
    if (P3109_ListDefinitions().empty())
        return;
    P3109_WriteDashedBoxComment(kListQueue, "Browse and Working Full X_LIST definitions");
    const std::vector<const GEN_LIST_DEFINITION*> level1 = listsOf(false);
    if (!level1.empty()) {
        if (csharp())
            P3109_WriteLine(kListQueue, 3,
                            "private static X_LIST[] FUNCTION_LIST_DEF = new X_LIST[" + std::to_string(level1.size()) +
                                "]{");
        else
            P3109_WriteLine(kListQueue, 3,
                            zoph2() ? "static X_LIST_1 FUNCTION_LIST_DEF [] = {"
                                    : "static struct X_LIST FUNCTION_LIST_DEF [] = {");
        for (size_t i = 0; i < level1.size(); ++i)
            P3109_WriteListDefinitionEntry(*level1[i], static_cast<int>(i + 1));
        P3109_WriteLine(kListQueue, 3, "};");
    }
    if (!zoph2())
        return;
    const std::vector<const GEN_LIST_DEFINITION*> level2 = listsOf(true);
    if (level2.empty())
        return;
    if (!level1.empty())
        P3109_WriteLine(kListQueue, 3, "");
    P3109_WriteLine(kListQueue, 3,
                    csharp() ? "private static X_LIST[] FUNCTION_LIST_DEF_2 = new X_LIST[" +
                                   std::to_string(level2.size()) + "]{"
                             : "static X_LIST_2 FUNCTION_LIST_DEF_2 [] = {");
    for (size_t i = 0; i < level2.size(); ++i)
        P3109_WriteListDefinitionEntry(*level2[i], static_cast<int>(i + 1));
    P3109_WriteLine(kListQueue, 3, "};");
}

void writeTotals()
{
    const int16_t all = static_cast<int16_t>(P3109_ListDefinitions().size());
    const int16_t level1 = static_cast<int16_t>(P3109_lCountLists(false));
    const int16_t level2 = static_cast<int16_t>(P3109_lCountLists(true));
    if (all == 0) {
        /* the lists' instances are created with these counts in a run
           that uses ZOPH2, lists or none */
        if (!csharp()) {
            if (zoph2())
                for (const char* name :
                     {"FUNCTION_TOTAL_LISTS", "FUNCTION_TOTAL_LL1_LISTS", "FUNCTION_TOTAL_LL2_LISTS"})
                    P3109_WriteShortConstant(kListQueue, 0, name, 0);
            return;
        }
        for (const char* name :
             {"TOTAL_LISTS", "FUNCTION_TOTAL_LISTS", "FUNCTION_TOTAL_LL1_LISTS", "FUNCTION_TOTAL_LL2_LISTS"})
            P3109_WritePublicConstInt(kListQueue, name, 0);
        P3109_WriteLine(kListQueue, 3, "private static X_LIST[] FUNCTION_LIST_DEF = null;");
        return;
    }
    if (!csharp()) {
        P3109_WriteShortConstant(kListQueue, 0, "FUNCTION_TOTAL_LISTS", all);
        if (zoph2()) {
            P3109_WriteShortConstant(kListQueue, 0, "FUNCTION_TOTAL_LL1_LISTS", level1);
            P3109_WriteShortConstant(kListQueue, 0, "FUNCTION_TOTAL_LL2_LISTS", level2);
        }
        return;
    }
    P3109_WritePublicConstInt(kListQueue, "FUNCTION_TOTAL_LISTS", all);
    P3109_WritePublicConstInt(kListQueue, "TOTAL_LISTS", all);
    if (zoph2()) {
        P3109_WritePublicConstInt(kListQueue, "FUNCTION_TOTAL_LL1_LISTS", level1);
        P3109_WritePublicConstInt(kListQueue, "FUNCTION_TOTAL_LL2_LISTS", level2);
    }
}

void writeInstanceCreation()
{
    if (!zoph2())
        return;
    const bool cs = csharp();
    const bool level1 = P3109_lCountLists(false) > 0, level2 = P3109_lCountLists(true) > 0;
    const std::string indent(27, ' ');
    const std::vector<std::string> lines = {
        cs ? "X_RUN_DLL.X_Create_List_Instances_2 (pX_Ids," : "X_Create_List_Instances_2 (pX_Ids,",
        indent + "pX_Pro,",
        indent + "pX_Fun,",
        indent + (cs ? "FUNCTION_TOTAL_LL1_LISTS," : "(X_SHORT) FUNCTION_TOTAL_LL1_LISTS,"),
        indent + (level1 ? (cs ? "FUNCTION_LIST_DEF," : "&(FUNCTION_LIST_DEF[0]),") : (cs ? "null," : "pX_NULL,")),
        indent + (cs ? "FUNCTION_TOTAL_LL2_LISTS," : "(X_SHORT) FUNCTION_TOTAL_LL2_LISTS,"),
        indent + (level2 ? (cs ? "FUNCTION_LIST_DEF_2," : "&(FUNCTION_LIST_DEF_2[0]),") : (cs ? "null," : "pX_NULL,")),
        indent + (cs ? "ref ppX_List);" : "ppX_List);")};
    for (const std::string& text : lines)
        P3109_WriteLine(kStartQueue, 3, text);
}

/* A variable of the first list in its C and C# forms; the C# declaration
** carries the initial value of a C# object. */
void staticVariable(const std::string& declaration, const std::string& initialiser, const std::string& csDeclaration,
                    const std::string& csInitialiser = "")
{
    CGEN_AddStaticWorkingEntry(0, declaration, initialiser, csDeclaration, csInitialiser, GEN_STATIC_ALWAYS);
}

/* The C# type of a work field the emitters declare. */
std::string csWorkType(const std::string& type)
{
    if (type == "X_DOUBLE")
        return "double";
    if (type == "X_LONG" || type == "X_SHORT" || type == "X_ULONG")
        return "int";
    if (type == "X_CHAR" || type == "X_YES_NO")
        return "char";
    if (type == "X_FCHAR")
        return "byte";
    return type;
}

void addStaticVariables()
{
    const GEN_EMITTER_FLAGS& e = g().emit;
    if (e.cCallProcess == 'Y')
        staticVariable("X_VCHAR vchCallProcess[X_OBJECT_NAME_LEN + 1]", "", "public string vchCallProcess");
    if (e.cCallFunction == 'Y')
        staticVariable("X_VCHAR vchCallFunction[X_FUNCTION_NAME_LEN + 1]", "", "public string vchCallFunction");
    if (e.cValidation == 'Y') {
        staticVariable("X_YES_NO fchFieldAccepted[X_VECTOR_TOTAL]", "",
                       "public char[] fchFieldAccepted = new char[X_VECTOR_TOTAL]");
        for (int16_t i = 1; i <= e.sBeginChecks; ++i)
            staticVariable("X_SHORT X_ErrorCount_" + std::to_string(i), "",
                           "public int X_ErrorCount_" + std::to_string(i));
    }
    if (e.cCheckResult == 'Y')
        staticVariable("X_CHAR chResultofCheck", "", "public char chResultofCheck");
    if (e.cWorkDouble == 'Y')
        staticVariable("X_DOUBLE dWorkDouble", "INSTANCE(dWorkDouble) = 0.0;", "public double dWorkDouble",
                       "pGlobal1.dWorkDouble = 0.0;");
    staticVariable("X_CHAR chListEntryMode", "", "public char chListEntryMode");
    if (!e.keepLastAreas.empty()) {
        const std::string count = std::to_string(e.keepLastAreas.size());
        staticVariable("struct X_KEEP_LAST X_KLast[" + count + "]", "",
                       "public X_KEEP_LAST[] X_KLast = new X_KEEP_LAST[" + count + "]");
        staticVariable("X_SHORT scX_KLast", "INSTANCE(scX_KLast) = " + count + ";", "public int scX_KLast = " + count,
                       "pGlobal1.scX_KLast = " + count + ";");
    }
    staticVariable("X_CHAR chEntryChanged", "", "public char chEntryChanged");
    /* C#: the status no request has set yet is the two zero bytes of the C
       array, as a test of it or its copy into IO$STS reads it */
    if (e.cLastIoStatus == 'Y')
        staticVariable("X_VCHAR vchLastIOStatus[X_DBM_RETURN_CODE_LEN + 1]", "",
                       "public string vchLastIOStatus = new String( '\\0', 2 )");
    for (const GEN_FILE_ACCESS_BLOCK& b : e.fileAccessBlocks) {
        staticVariable("struct X_DBM * p" + b.name, "INSTANCE(p" + b.name + ") = pX_NULL;", "public X_DBM p" + b.name,
                       "pGlobal1.p" + b.name + " = null;");
        if (!b.connection.empty())
            staticVariable("struct X_CONNECT_DATABASE * " + b.connection, "",
                           "public X_CONNECT_DATABASE " + b.connection);
    }
    /* the overrides of POINT are an iSeries feature: C# keeps the
       structure and leaves its members to the run time */
    for (const std::string& point : e.pointOverrides)
        staticVariable("X_POINT_FILE " + point,
                       "#if defined X_OPERATING_SYSTEM_ISERIES\r\n   INSTANCE(" + point +
                           ".vchFilePoint)[0] = LOVAL;\r\n   INSTANCE(" + point +
                           ".vchLibrary)[0] = LOVAL;\r\n   INSTANCE(" + point + ".vchMember)[0] = LOVAL;\r\n   #endif",
                       "public X_POINT_FILE " + point + " = new X_POINT_FILE()");
    for (const GEN_EMITTED_WORK_FIELD& w : e.workFields) {
        const std::string cs = csWorkType(w.type);
        staticVariable(w.dimension.empty() ? w.type + " " + w.name : w.type + " " + w.name + "[" + w.dimension + "]",
                       w.type == "X_DOUBLE" ? "INSTANCE(" + w.name + ") = 0.0;" : "",
                       w.dimension.empty() ? "public " + cs + " " + w.name
                                           : "public " + cs + "[] " + w.name + " = new " + cs + "[" + w.dimension + "]",
                       w.type == "X_DOUBLE" && w.dimension.empty() ? "pGlobal1." + w.name + " = 0.0;" : "");
    }
}

/* One call of a user built-in function (both its flags 'Y'). */
void writeBifCall(const GEN_BIF_DEFINITION& b)
{
    std::string routine = b.routine, prefix;
    switch (b.cKind) {
    case 'L': break;
    case 'R': break;
    case 'D': {
        char dll[33] = {};
        const USEDLL_ENTRY* entry =
            b.dllAlias.empty() ? nullptr
                               : USEDLL_pFindEntry(g().pUserDlls, b.dllAlias.c_str(), b.entryAlias.c_str(), dll);
        routine = entry ? "X_" + std::string(dll) + entry->szName : "UNKNOWN_NAME";
        break;
    }
    default:
        routine = "X_PDF_Execute_User_BIF";
        prefix = "NO,";
        break;
    }
    const bool component = componentRun();
    P3109_Line("if (INSTANCE(" + b.routine + "_Called) == YES)");
    P3109_Line("{");
    P3109_Line("   struct X_BIF X_BuiltIn;");
    if (b.cKind == 'R') {
        P3109_Line("   struct X_PARM aZOPHBIFParms[2];");
        P3109_Line("   X_SHORT scZOPHBIFParms = 2;");
        if (component)
            P3109_Line("   X_PVOID pvZOPHTrackInfo = pX_NULL;");
        P3109_Line("   aZOPHBIFParms[0].sType = ((X_SHORT) X_PARM_BIF_CALLER_PX_FUN);");
        P3109_Line("   aZOPHBIFParms[0].pValue = ((X_PVOID) pX_Fun);");
        P3109_Line("   aZOPHBIFParms[1].sType = ((X_SHORT) X_PARM_BIF_CALLER_PX_BIF);");
        P3109_Line("   aZOPHBIFParms[1].pValue = ((X_PVOID) &X_BuiltIn);");
    }
    P3109_Line(" ");
    P3109_Line("   X_BuiltIn.sUID = " + std::to_string(b.sIdentifier) + ";");
    P3109_Line("   X_BuiltIn.chShutDown = YES;");
    P3109_Line("   X_BuiltIn.chReturnCode = YES;");
    P3109_Line(" ");
    if (b.cKind == 'R') {
        if (component)
            P3109_Line("   X_Start_Call_ZOPH_from_ZOPHX(pX_Ids,pX_Pro,pX_Fun,&(pvZOPHTrackInfo));");
        P3109_Line("   X_PDF_Execute_Function (pX_Ids,pX_Pro,pX_Fun,\"" + P3109_MakeHexLiteral(b.program, 10) +
                   "\",scZOPHBIFParms,aZOPHBIFParms);");
        if (component)
            P3109_Line("   X_End_Call_ZOPH_from_ZOPHX(pX_Ids,pX_Pro,pX_Fun,&(pvZOPHTrackInfo));");
    } else {
        P3109_Line("   " + routine + "( pX_Ids, pX_Pro, pX_Fun, &(X_BuiltIn), " + prefix + "pX_Fld, pX_List,");
        P3109_Line("       0, pX_NULL, 0, pX_NULL );");
    }
    P3109_Line(" ");
    P3109_Line("   INSTANCE(" + b.routine + "_Called) = NO;");
    P3109_Line("}");
}

}  // namespace

void P3109_WriteListVectors()
{
    drop();
    P3109_WriteLine(g().header, 0, " ");
    writeVectorNames();
    writeVectorMaps();
    writeListTables();
    writeTotals();
    writeInstanceCreation();
    addStaticVariables();
}

void P3109_WriteReloadCounters()
{
    drop();
    GEN_MODULE_STATE& s = g();
    if (P3109_ListDefinitions().empty())
        return;
    const GEN_STREAM savedStream = s.out.current;
    s.out.usIndent = static_cast<uint16_t>(s.out.usIndent + 3);
    s.out.current = s.out.mainOutput;
    const std::string dashes(42, '-');
    P3109_WriteCommentAfterBlank(dashes);
    P3109_Line("/* Reload Counter for Browse Lists (Web Only) */");
    P3109_WriteCommentBeforeBlank(dashes);
    const auto fixed = [&](const std::string& text) { P3109_WriteLine(s.out.mainOutput, 0, text); };
    fixed("      {");
    fixed("         if (pX_Ids->chExecutionState == X_EXECUTION_STATE_SERVER_WEB_JOB )");
    fixed("         {");
    for (const GEN_LIST_DEFINITION& l : P3109_ListDefinitions()) {
        const std::string counter = P3109_TrimRight(l.texts[0]);
        if (l.cKind != 'B' || counter.empty() || counter == "V_NOT_AVAILABLE")
            continue;
        if (zoph2())
            fixed("            X_CAST_LIST_FROM_NO( pX_List, " + l.vectorName + ", pX_Fun )");
        fixed("            X_Vec_Set_from_Long(pX_Ids,pX_Pro,pX_Fun,");
        fixed("               pX_Fld," + counter + ",");
        fixed(zoph2() ? "               X_LIST_COUNT_ENTRYS);"
                      : "               pX_List[" + l.vectorName + "].sCurrentEntrys);");
    }
    fixed("         }");
    fixed("      }");
    fixed("");
    s.out.usIndent = static_cast<uint16_t>(s.out.usIndent - 3);
    s.out.current = savedStream;
}

void P3109_WriteUserBifCalls()
{
    drop();
    GEN_MODULE_STATE& s = g();
    const uint16_t savedIndent = s.out.usIndent;
    const int16_t savedDepth = s.out.sDepth;
    s.out.usIndent = s.skel.usColumn;
    P3109_Line(csharp() ? "if ( pX_Fun.chShutDown == YES || pX_Fun.chError == YES )"
                        : "if ( pX_Fun->chShutDown == YES || pX_Fun->chError == YES )");
    P3109_Line("{");
    ++s.out.sDepth;
    if (s.out.sDepth <= kMaxDepth)
        s.out.usIndent = static_cast<uint16_t>(s.out.usIndent + 3);
    for (const GEN_BIF_DEFINITION& b : P3109_ProcessDefinitions().bifs)
        if (b.cUsed == 'Y' && b.cCall == 'Y')
            writeBifCall(b);
    if (s.out.sDepth <= kMaxDepth)
        s.out.usIndent = static_cast<uint16_t>(s.out.usIndent - 3);
    --s.out.sDepth;
    P3109_Line("}");
    s.out.usIndent = savedIndent;
    s.out.sDepth = savedDepth;
}

void P3109_WriteKeepLastFree()
{
    drop();
    GEN_MODULE_STATE& s = g();
    const std::vector<std::string>& areas = s.emit.keepLastAreas;
    if (areas.empty())
        return;
    const uint16_t savedIndent = s.out.usIndent;
    s.out.usIndent = s.skel.usColumn;
    P3109_WriteComment("Free all \"KEEP_LAST\" tracking areas");
    P3109_Line("{");
    s.out.usIndent = static_cast<uint16_t>(s.out.usIndent + 3);
    for (size_t k = 0; k < areas.size(); ++k) {
        const std::string index = std::to_string(k);
        const std::string& name = areas[k];
        P3109_Line("X_Free_Last( pX_Ids, pX_Pro, pX_Fun, pX_Fld, &(INSTANCE(X_KLast[" + index + "])),");
        P3109_Line("     INSTANCE_S3(scFetch_Keys_" + name + "), INSTANCE_S3(Fetch_Keys_" + name + "),");
        P3109_Line("     INSTANCE_S3(scFetch_Data_" + name + "), INSTANCE_S3(Fetch_Data_" + name + ") );");
        P3109_Line("INSTANCE(X_KLast[" + index + "].pEntries) = pX_NULL;");
        P3109_Line("");
    }
    s.out.usIndent = static_cast<uint16_t>(s.out.usIndent - 3);
    P3109_Line("}");
    s.out.usIndent = savedIndent;
}

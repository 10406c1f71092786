/*
** skeleton_points.cpp: the point table of the skeleton engine and the
** point handlers of the core.
**
** kCorePoints holds every point the skeletons name, each with the writer
** it calls directly. Any other number, and every number above 166 except
** 1701 and 2101, drops the line.
*/
#include "generator/core/points/skeleton_points.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "generator/core/components/bom_descriptions.h"
#include "generator/core/components/bom_records.h"
#include "generator/core/components/bom_services.h"
#include "generator/core/components/description_tables.h"
#include "generator/core/components/field_initialisation.h"
#include "generator/core/components/field_vector.h"
#include "generator/core/components/identification.h"
#include "generator/core/components/list_vectors.h"
#include "generator/core/components/multilingual_tables.h"
#include "generator/core/components/report_prototypes.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/object_data.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/bif_sections.h"
#include "generator/core/points/command_loop.h"
#include "generator/core/points/csharp_files.h"
#include "generator/core/points/resource_definitions.h"
#include "generator/core/points/skeleton_engine.h"

namespace {

void drop()
{
    g().skel.cKeep = 'N';
}

void keepIf(bool keep)
{
    if (keep)
        P3109_BlankDirective();
    else
        drop();
}

bool derived(int n)
{
    return g().derivedOptions[static_cast<size_t>(n - 1)] == 'Y';
}

bool anyValidationOption()
{
    return P3109_fSysFlag(SYSFLAG_ALP_SYSTEM_VARIABLE) || P3109_fSysFlag(SYSFLAG_NUM_SYSTEM_VARIABLE) ||
           P3109_fSysFlag(SYSFLAG_ALP_FIELD_VALIDATE) || P3109_fSysFlag(SYSFLAG_NUM_FIELD_VALIDATE);
}

bool noValidation()
{
    return !anyValidationOption() && !derived(3) && !derived(4);
}

/* Seven blanks at the directive, then the name from the '%'. */
void substituteName(const std::string& name)
{
    P3109_WriteAtDirective("       ");
    P3109_WriteAtDirective(name);
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

char processClass()
{
    const std::string& rcl = P3109_Definitions().x20rcl;
    return rcl.empty() ? ' ' : rcl[0];
}

void queuePoint(int queue)
{
    switch (queue) {
    case 1: P3109_WriteDeferredQueue1(); break;
    case 2: P3109_WriteDeferredQueue2(); break;
    case 3: P3109_WriteDeferredQueue3(); break;
    case 4: P3109_WriteDeferredQueue4(); break;
    case 5: P3109_WriteDeferredQueue5(); break;
    default: P3109_WriteDeferredQueue6(); break;
    }
}

void writeInitialisersAtDirective()
{
    drop();
    P3109_WriteStaticWorkingInitialisers(0, g().out.mainOutput, g().skel.usColumn, g().cTarget);
}

struct CorePoint {
    int16_t point;
    void (*handler)();
};

constexpr CorePoint kCorePoints[] = {
    {0, [] {}},
    {1, P3109_GenerateCommands},
    {2, P3109_SubstituteFunctionName},
    {3, P3109_SubstituteObjectFileName},
    {4, P3109_SubstituteFileBaseNameLower},
    {14, [] { P3109_Parts().pfnEvaluationRoutines(); }},
    {5, P3109_SubstituteProcessName},
    {6, [] { P3109_WriteAtDirective(g().skel.currentSkeleton); }},
    {7, P3109_WriteFunctionDefinition},
    {9, P3109_SubstituteBlankPaddedName},
    {8, P3109_WriteLanguageTables},
    {12, P3109_WriteFieldVector},
    {15, P3109_WriteEvaluationPrototypes},
    {16, P3109_WriteConditionBlocks},
    {17, [] { P3109_WriteFieldInitialValues(0); }},
    {18, P3109_WriteMultilingualTables},
    {19, P3109_WriteKeepLastFree},
    {20, P3109_WriteListVectors},
    {21, [] { keepIf(!P3109_ListDefinitions().empty()); }},
    {22, [] { P3109_Parts().pfnExchangeAlways(); }},
    {23, [] { P3109_Parts().pfnDbmCloseStructs(); }},
    {24, [] { P3109_Parts().pfnRoutineSection(); }},
    {25, [] { P3109_Parts().pfnDbmOpenStructs(); }},
    {27, [] { P3109_Parts().pfnActionBarOptionInit(); }},
    {35, [] { P3109_Parts().pfnReportStructs(); }},
    {37, [] { P3109_Parts().pfnReportRoutines(); }},
    {26, [] { keepIf(g().emit.cOpenAll != 'N'); }},
    {29, [] { P3109_Parts().pfnReceiveParameters(); }},
    {30, [] { P3109_Parts().pfnReturnParameters(); }},
    {32, [] { P3109_Parts().pfnReturnTriggerInfo(); }},
    {28,
     [] {
         const FFC_PROCESS_DEFINITION* p = g().args.pProcess;
         keepIf(p && p->cMenuStyle == 'A');
     }},
    {31, P3109_KeepLineIfAnyValidation},
    {33, P3109_WriteDebugArrayTable},
    {34, P3109_KeepLineIfDebugArrays},
    {36, P3109_WriteReportPrototypes},
    {38, P3109_WriteCloseReports},
    {39, P3109_KeepLineIfReportPrinted},
    {40, P3109_WriteTempStoreCount},
    {42, [] { P3109_Parts().pfnLoadSelectSqlCommands(); }},
    {41,
     [] {
         drop();
         const uint16_t saved = g().out.usIndent;
         g().out.usIndent = g().skel.usColumn;
         P3109_Parts().pfnResetFunctionMode();
         g().out.usIndent = saved;
     }},
    {43, [] { keepIf(P3109_fSysFlag(37)); }},
    {45, [] { keepIf(g().sSqlCursorCount >= 1); }},
    {46, P3109_SubstituteCursorCount},
    {47, P3109_KeepLineIfNoValidation},
    {48, P3109_WriteExchangeSave},
    {49, P3109_WriteCursorPrototypes},
    {50, writeInitialisersAtDirective},
    {53, [] { queuePoint(1); }},
    {54, [] { queuePoint(2); }},
    {55, [] { queuePoint(3); }},
    {56, [] { queuePoint(4); }},
    {57, [] { keepIf(g().lUsedFieldTexts > 0); }},
    {58, [] { keepIf(g().lMultilingualVariables > 0); }},
    {62, P3109_SubstituteFileStem},
    {63, P3109_SubstituteFileBaseNameAt63},
    {64, P3109_SubstituteSourceDirectory},
    {65, P3109_SubstituteQuotedName},
    {66, P3109_WriteIdentificationTable},
    {67, [] { keepIf(derived(4)); }},
    {68, [] { keepIf(!derived(4)); }},
    {69, [] { P3109_WriteBifParmTable(1); }},
    {70, P3109_WriteBifParmTableNoArgs},
    {71, P3109_WriteWorkFieldInits},
    {72, P3109_WriteVarFieldReleases},
    {73, P3109_WriteArrayBounds},
    {74, P3109_WriteMemberInfoRoutines},
    {90, P3109_WriteFirstTimeFlags},
    {91, [] { keepIf(P3109_Context() && P3109_Context()->lComponentRun != 0); }},
    {92, P3109_KeepLineIfZophxFunction},
    {93, P3109_WriteResources},
    {94, P3109_SubstituteLowerName},
    {95, P3109_WriteComponentExchangeVector},
    {96, [] { P3109_WriteQualifiedName(g().skel.usColumn); }},
    {97, [] { P3109_WriteLiteralWorkFields(0); }},
    {98, P3109_WriteEvaluationCases},
    {99, P3109_WriteWebInfoLines99},
    {101, P3109_WriteWebInfoLines101},
    {102, P3109_WriteWebInfoLines102},
    {103, P3109_WriteWebInfoLines103},
    {104, P3109_WriteWebInfoLines104},
    {105, P3109_WriteWebInfoLines105},
    {106, P3109_WriteTextTagTables},
    {107, P3109_KeepLineByOptions107},
    {108, P3109_KeepLineByOptions108},
    {109, [] { keepIf(P3109_Context() && P3109_Context()->lSkeletonWord109 != 0); }},
    {110, [] { keepIf(P3109_fSysFlag(61)); }},
    {120, [] { queuePoint(5); }},
    {121, [] { queuePoint(6); }},
    {122, P3109_KeepLineIfOption38},
    {123, P3109_KeepLineIfOption39},
    {124, P3109_KeepLineIfNotOption19},
    {125, P3109_KeepLineIfOption40},
    {126, P3109_KeepLineIfOption41},
    {132, P3109_WriteUserBifCalls},
    {133, [] { P3109_Parts().pfnRenameTable(); }},
    {140, P3109_WriteBomSections140},
    {141, P3109_WriteBomSections141},
    {161, P3109_WriteGuidString161},
    {162, P3109_WriteGuidString162},
    {163, P3109_SubstituteFileBaseNameInLine},
    {164, P3109_SubstitutePercentLiteral},
    {165, P3109_WriteProjectItemGroup},
    {166, P3109_WriteInstallResources},
    {1631, P3109_SubstituteCSharpNamespace},
    {1701, [] { P3109_WriteFieldInitialValues(1); }},
    {2101, P3109_WriteReloadCounters},
};

/* The points of the built-in-function skeleton only: the main engine drops
** their lines. */
constexpr CorePoint kBifPoints[] = {
    {127, P3109_WriteBifFieldList},    {128, P3109_WriteBifListDefs},    {129, P3109_WriteBifAddCalls},
    {130, P3109_WriteReceiveListDefs}, {131, P3109_WriteReceiveAddCalls},
};

const CorePoint* findCore(int32_t point)
{
    for (const CorePoint& p : kCorePoints)
        if (p.point == point)
            return &p;
    return nullptr;
}

const CorePoint* findBif(int32_t point)
{
    for (const CorePoint& p : kBifPoints)
        if (p.point == point)
            return &p;
    return findCore(point);
}

}  // namespace

bool P3109_fPointHandledByCore(int32_t lPoint)
{
    return findCore(lPoint) != nullptr;
}

void P3109_RunSkeletonPoint(int32_t lPoint)
{
    if (const CorePoint* c = findCore(lPoint)) {
        c->handler();
        return;
    }
    drop();
}

bool P3109_fPointHandledByBif(int32_t lPoint)
{
    switch (lPoint) {
    case 2:
    case 4:
    case 5:
    case 9:
    case 62:
    case 63:
    case 92:
    case 122:
    case 123:
    case 124:
    case 125:
    case 126:
    case 127:
    case 128:
    case 129:
    case 130:
    case 131: return true;
    default: return false;
    }
}

void P3109_RunBifPoint(int32_t lPoint)
{
    if (P3109_fPointHandledByBif(lPoint)) {
        findBif(lPoint)->handler();
        return;
    }
    drop();
}

/* ---- handlers ---- */

/* The names stand inside string literals of the skeletons: a character
   that would end or escape the literal is written as its escape. */
void P3109_SubstituteFunctionName()
{
    const std::string name = P3109_TrimRight(g().function);
    substituteName(P3109_MakeHexLiteral(name, name.size()));
}

void P3109_SubstituteObjectFileName()
{
    substituteName(g().cName);
}

void P3109_SubstituteProcessName()
{
    const std::string name = P3109_TrimRight(g().process);
    substituteName(P3109_MakeHexLiteral(name, name.size()));
}

void P3109_SubstituteFileBaseNameLower()
{
    std::string suffix = P3109_TrimRight(P3109_TextAfterDirective(4));
    P3109_WriteAtDirective(std::string(11, ' '));
    P3109_WriteAtDirective(lower(g().cName) + suffix + "\"");
}

void P3109_SubstituteBlankPaddedName()
{
    P3109_WriteAtDirective(std::string(40, ' '));
    P3109_WriteAtDirective(g().title.substr(0, 40));
}

void P3109_KeepLineIfAnyValidation()
{
    keepIf(anyValidationOption() || derived(1) || derived(2) || derived(3));
}

void P3109_KeepLineIfReportPrinted()
{
    bool printed = false;
    for (const GEN_REPORT_SLOT& s : P3109_Definitions().reports)
        printed = printed || s.cKind == 'P';
    keepIf(printed);
}

void P3109_WriteCloseReports()
{
    drop();
    for (const GEN_REPORT_SLOT& s : P3109_Definitions().reports) {
        if (s.cKind != 'P')
            continue;
        const std::string parms = g().cTarget == GEN_TARGET_CSHARP ? GEN_FUNCTION_PARMS_CS : "FUNCTION_STD_PARMS";
        P3109_WriteLine(g().out.current, static_cast<int16_t>(g().skel.usColumn),
                        "Close_Report_" + std::to_string(s.sNumber) + " (" + parms + ");");
    }
}

void P3109_SubstituteCursorCount()
{
    if (g().sSqlCursorCount < 1) {
        drop();
        return;
    }
    P3109_BlankDirective();
    P3109_WriteAtDirective(std::to_string(g().sSqlCursorCount));
}

void P3109_KeepLineIfNoValidation()
{
    keepIf(noValidation());
}

void P3109_WriteExchangeSave()
{
    if (noValidation()) {
        drop();
        return;
    }
    P3109_BlankDirective();
    /* the C# set declares the same two members in its static class */
    CGEN_AddStaticWorkingEntry(0, "struct X_EXCHL SaveExch", "", "public X_EXCHL SaveExch", "", GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingEntry(0, "PX_EXCHL2 pSaveExch2", "", "public X_EXCHL2 pSaveExch2", "", GEN_STATIC_UNIQUE);
}

void P3109_SubstituteFileBaseNameAt63()
{
    P3109_ReplaceDirective(g().cName);
}

void P3109_SubstituteSourceDirectory()
{
    drop();
    GEN_MODULE_STATE& s = g();
    /* the copy bypasses the line writer: honour the condition of the main output */
    if (s.out.current == s.out.mainOutput && P3109_lCurrentCondition() == 0)
        return;
    if (FILE* f = P3109_pStreamFile(s.out.current))
        USEDLL_CopySkeletons(s.pUserDlls, (s.args.root + "\\x_velmo\\source\\").c_str(), f);
}

void P3109_SubstituteQuotedName()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    std::string stamp = ctx ? std::string(ctx->szGenerationStamp, strnlen(ctx->szGenerationStamp, 14)) : "";
    P3109_WriteAtDirective("\"" + stamp + "\"");
}

void P3109_WriteFirstTimeFlags()
{
    drop();
    GEN_MODULE_STATE& s = g();
    const bool c = s.cTarget == GEN_TARGET_C;
    const uint16_t saved = s.out.usIndent;
    const int16_t savedDepth = s.out.sDepth;
    const GEN_STREAM stream = s.out.current;
    P3109_WriteStaticWorkingInitialisers(1, stream, s.skel.usColumn, s.cTarget);
    s.out.usIndent = s.skel.usColumn;
    P3109_Line(" ");
    P3109_WriteOpenBrace();
    if (c) {
        P3109_Line("static X_BOOL");
        P3109_Line("   bFirstTime = TRUE;");
        P3109_Line(" ");
        P3109_Line("if ( bFirstTime )");
    } else {
        P3109_Line("if ( bFirstTime3 )");
    }
    P3109_WriteOpenBrace();
    P3109_WriteStaticWorkingInitialisers(2, stream, s.out.usIndent, s.cTarget);
    P3109_Line(" ");
    P3109_Line(c ? "bFirstTime = FALSE;" : "bFirstTime = false;");
    P3109_WriteCloseBrace();
    P3109_WriteCloseBrace();
    s.out.usIndent = saved;
    s.out.sDepth = savedDepth;
}

void P3109_KeepLineIfZophxFunction()
{
    keepIf(P3109_Context() && P3109_Context()->lFunctionRun != 0);
}

void P3109_SubstituteLowerName()
{
    P3109_WriteAtDirective(lower(g().partition));
}

void P3109_KeepLineByOptions107()
{
    keepIf(P3109_fSysFlag(21) || (!P3109_fSysFlag(22) && processClass() == 'H'));
}

void P3109_KeepLineByOptions108()
{
    keepIf(P3109_fSysFlag(22) || (!P3109_fSysFlag(21) && processClass() == 'L'));
}

void P3109_KeepLineIfOption38()
{
    keepIf(P3109_fSysFlag(38));
}
void P3109_KeepLineIfOption39()
{
    keepIf(P3109_fSysFlag(39));
}
void P3109_KeepLineIfOption40()
{
    keepIf(P3109_fSysFlag(40));
}
void P3109_KeepLineIfOption41()
{
    keepIf(P3109_fSysFlag(41));
}
void P3109_KeepLineIfNotOption19()
{
    keepIf(!P3109_fSysFlag(19));
}

/* Points 140 and 141: the component record sections at the directive's
** column, when the object layer describes the object. */
namespace {

const BOM_DESCRIPTION_NODE* bomSectionsStart()
{
    drop();
    g().out.usIndent = g().skel.usColumn;
    return P3109_pRetrieveDescription();
}

}  // namespace

void P3109_WriteBomSections140()
{
    if (const BOM_DESCRIPTION_NODE* root = bomSectionsStart())
        BOMGEN_WriteDescriptions(root);
}

void P3109_WriteBomSections141()
{
    const BOM_DESCRIPTION_NODE* root = bomSectionsStart();
    if (!root)
        return;
    BOMGEN_WriteRecordSupport(root);
    BOMGEN_WriteServiceRoutines(root);
}

void P3109_WriteGuidString161()
{
    P3109_ReplaceDirective(P3109_GuidText(0));
}
void P3109_WriteGuidString162()
{
    P3109_ReplaceDirective(P3109_GuidText(1));
}
void P3109_SubstituteFileBaseNameInLine()
{
    P3109_ReplaceDirective(g().cName);
}
/* The C# set's name after "VELMO.": its namespace and assembly. */
void P3109_SubstituteCSharpNamespace()
{
    P3109_ReplaceDirective(g().files.csNamespace);
}
void P3109_SubstituteFileStem()
{
    const GEN_FILE_SET& f = g().files;
    P3109_ReplaceDirective(f.outputBase.substr(std::min(f.outputDirectory.size(), f.outputBase.size())));
}
void P3109_SubstitutePercentLiteral()
{
    P3109_ReplaceDirective("100%");
}

/*
** bif_sections.cpp: the sections of a built-in function program, member
** service routine prototypes and the debug array table.
**
** A built-in function program binds its arguments and return values to
** the fields and working lists of its parameter tables; a function that
** receives lists or data structures binds those. While the function is a
** trigger no received list is bound.
*/
#include "generator/core/points/bif_sections.h"

#include <cstring>
#include <string>
#include <vector>

#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/components/arrays.h"
#include "generator/core/model/bif_parameters.h"
#include "generator/core/model/component_model.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/skeleton_engine.h"
#include "params/parsed_command.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

void drop()
{
    g().skel.cKeep = 'N';
}
void at(int16_t sIndent, const std::string& text)
{
    P3109_WriteLine(g().out.current, sIndent, text);
}

bool builtin()
{
    return P3109_Definitions().cBuiltin == 'Y';
}
bool trigger()
{
    return P3109_Definitions().cTrigger == 'Y';
}

void writeListDefinitionClose(bool fAny, const char* countName, const char* structName)
{
    if (fAny) {
        at(3, "};");
        at(3, "static struct X_LIST_DATA ListData[sizeof(LIST_DEF) / sizeof(struct X_LIST)];");
    }
    at(3, std::string("#define ") + countName + (fAny ? "(sizeof(LIST_DEF) / sizeof(struct X_LIST))" : "0"));
    at(3, std::string("#define ") + structName + (fAny ? "&(LIST_DEF[0])" : "pX_NULL"));
}

/* The names in the qualifiers of the work records of a kind, in order. */
std::vector<std::string> qualifiersOf(const char* kind)
{
    std::vector<std::string> names;
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return names;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, kind, FFC_WORK_KIND_LEN);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_SECTIONS, &r, 1); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_SECTIONS, &r, 1))
        names.emplace_back(r.acQualifier, FFC_WORK_QUAL_LEN);
    return names;
}

const char* receiveCall =
    "(pX_Ids,pX_Pro,pX_Fun,%d,ListData,&(scX_Parm),X_Parm,&(argcNext),argc,argv,ReturnCountsArgvPos);";

}  // namespace

void P3109_WriteBifListEntry(std::string_view name, size_t ulLength, int32_t& lCounter)
{
    const std::string written = P3109_TrimRight(name.substr(0, std::min(ulLength, name.size())));
    const int16_t found = P3109_sFindListDefinition(written);
    if (found < 0) {
        P3109_sIssueMessage(Msg::ListNotDefined, P3109_Padded(written, 10));
        return;
    }
    const GEN_LIST_DEFINITION& l = P3109_ListDefinitions()[static_cast<size_t>(found)];
    char line[512];
    std::snprintf(line, sizeof line,
                  "%s  \"%s\",'%c',sizeof(struct LIST_%s),%ld,0,0,%d,pX_NULL,0,pX_NULL,pX_NULL,%d,NO,NO,",
                  lCounter == 0 ? " " : ",", P3109_MakeHexLiteral(l.name, 10).c_str(), l.cKind, l.identifier.c_str(),
                  static_cast<long>(l.lMaxEntries), l.FieldCount(), static_cast<int>(l.fields.size()));
    at(6, line);
    at(6,
       "          V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE, ");
    at(6, "          pX_NULL,pX_NULL,pX_NULL,NO,NO,NO,NO,NO,NO,NO,NO ");
    lCounter += 3;
}

void P3109_WriteBifListDefs()
{
    drop();
    if (!builtin())
        return;
    const GEN_BIF_PARAMETERS& t = P3109_BifParameters();
    int32_t counter = 0;
    bool any = false;
    for (const auto* table : {&t.arguments, &t.returns})
        for (const GEN_BIF_PARAMETER& p : *table) {
            if (p.cKind != 'L')
                continue;
            if (!any)
                at(3, "static struct X_LIST LIST_DEF[] = {");
            any = true;
            P3109_WriteBifListEntry(p.field, 10, counter);
        }
    writeListDefinitionClose(any, "BIF_LIST_COUNT  ", "BIF_LIST_STRUCT ");
}

void P3109_WriteBifAddCalls()
{
    drop();
    if (!builtin())
        return;
    const GEN_BIF_PARAMETERS& t = P3109_BifParameters();
    int32_t fields = 0, lists = 0;
    for (const auto* table : {&t.arguments, &t.returns}) {
        const bool returns = table == &t.returns;
        for (const GEN_BIF_PARAMETER& p : *table) {
            if (p.cKind == 'A' || p.cKind == 'N')
                at(6, "BIF_ADD_Field(pX_Ids,pX_Pro,pX_Fun," + std::to_string(fields++) +
                          ",&(scX_Parm),X_Parm,&(argcNext),argc,argv," +
                          (returns ? "X_PARM_BIF_VECTOR_RETURN_VALUE" : "X_PARM_BIF_VECTOR_ARGUMENT") + ");");
            else if (p.cKind == 'L')
                at(6, "BIF_ADD_List(pX_Ids,pX_Pro,pX_Fun," + std::to_string(lists++) +
                          ",ListData,&(scX_Parm),X_Parm,&(argcNext),argc,argv," +
                          (returns ? "X_PARM_BIF_LIST_RETURN_VALUE" : "X_PARM_BIF_LIST_ARGUMENT") +
                          ",ReturnCountsArgvPos);");
        }
    }
}

void P3109_WriteReceiveListDefs()
{
    drop();
    bool any = false;
    int32_t counter = 0;
    if (!trigger())
        for (const std::string& list : qualifiersOf(WR_RCV_LIST)) {
            if (!any)
                at(3, "static struct X_LIST LIST_DEF[] = {");
            any = true;
            P3109_WriteBifListEntry(list, 10, counter);
        }
    writeListDefinitionClose(any, "RCV_LIST_COUNT  ", "RCV_LIST_STRUCT ");
}

void P3109_WriteReceiveAddCalls()
{
    drop();
    if (trigger())
        return;
    int32_t n = 0;
    for (size_t i = 0, lists = qualifiersOf(WR_RCV_LIST).size(); i < lists; ++i) {
        char line[256];
        std::snprintf(line, sizeof line, receiveCall, n++);
        at(6, std::string("RCV_ADD_List") + line);
    }
    for (const std::string& name : qualifiersOf(WR_RCV_DS)) {
        const GEN_DATA_STRUCTURE* d = P3109_pFindDataStructure(name);
        if (!d) {
            P3109_IssueTextMessage('F', "Data structure " + P3109_TrimRight(name) + " is not defined");
            continue;
        }
        at(6, "RCV_ADD_DataStruct(pX_Ids,pX_Pro,pX_Fun,\"" + P3109_MakeHexLiteral(d->name, 10) + "\",sizeof(struct " +
                  d->structureName + "),&(scX_Parm),X_Parm,&(argcNext),argc,argv);");
    }
}

void P3109_WriteMemberInfoRoutines()
{
    drop();
    const FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || ctx->lCompoundComponent == 0)
        return;
    GEN_MODULE_STATE& s = g();
    s.out.usIndent = s.skel.usColumn;
    if (ctx->lPassCount > 1)
        P3109_WriteDoubleBoxComment(s.out.current, "External Derived Member service routine Definitions");
    for (int32_t i = 1; i < ctx->lPassCount; ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "X_Get_Module_Member_Info_%08d", i);
        if (P3109_fAddMemberLink(i, "MEMBER_LINK", 1, name, name))
            P3109_Line(std::string("COMPONENT_STD_FUNCTION ") + name + "( COMPONENT_STD_ARGS );");
    }
    if (ctx->lCurrentPass < ctx->lPassCount)
        P3109_Line("");
}

void P3109_WriteDebugArrayTable()
{
    drop();
    bool first = true;
    P3109_ForEachArrayCommand([&first](const FFC_PARSED_COMMAND& p) {
        if (first)
            at(3, "static struct X_DEBUG_ARRAY X_Array[] =");
        if (first)
            at(3, "{");
        first = false;
        int32_t value = 0;
        std::memcpy(&value, p.acParms + 12, sizeof value);
        char line[64];
        std::snprintf(line, sizeof line, "   \"%s\",%ld,",
                      P3109_MakeHexLiteral(std::string_view(p.acParms + 6, 3), 3).c_str(), static_cast<long>(value));
        at(6, line);
    });
    if (!first)
        at(3, "};");
}

void P3109_KeepLineIfDebugArrays()
{
    FFC_CONTEXT* ctx = P3109_Context();
    bool any = false;
    if (ctx && ctx->pWorkFile) {
        FFC_WORK_RECORD r;
        WF_BlankRecord(ctx, &r);
        std::memcpy(r.acKind, WR_ARRAYNAM, FFC_WORK_KIND_LEN);
        any = WF_cReadFirst(ctx, GEN_SLOT_SECTIONS, &r, 1) == '0';
    }
    if (any)
        P3109_BlankDirective();
    else
        drop();
}

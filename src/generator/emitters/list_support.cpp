/*
** list_support.cpp: the slot shapes of a list, the fields of a list, the
** chain of list sort routines and the KEEP_ resets of a loop.
*/
#include "generator/emitters/list_support.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

std::vector<GEN_SORT_ROUTINE_NODE>& sortRoutines()
{
    static std::vector<GEN_SORT_ROUTINE_NODE> chain;
    return chain;
}

/* The IN_FIELD of a stored KEEP_ command; empty when the store lacks it. */
}  // namespace

std::string P3109_ListSlotMember(const GEN_LIST_DEFINITION& list, std::string_view member)
{
    const std::string& l = list.vectorName;
    if (!P3109_fZoph2Used() || P3109_fCSharp())
        return "pX_List[" + l + "]." + std::string(member);
    if (list.Level2())
        return "((X_LIST_2*) pX_List)[" + l + "]." + std::string(member);
    return "((X_LIST_1*)( &( ((X_LIST_2*) pX_List)[" + l + "] ) ))->" + std::string(member);
}

std::string P3109_ListEntryMove(const GEN_LIST_DEFINITION& list, bool fAssemble)
{
    const std::string name = std::string(fAssemble ? "ASSEMBLE" : "DISASSEMBLE") + "_LIST_ENTRY_" + list.identifier;
    return P3109_fCSharp() ? name + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List );" : name + "();";
}

GEN_LIST_DEFINITION* P3109_pFindListOrReport(std::string_view name)
{
    if (P3109_sFindListDefinition(name) < 0) {
        P3109_sIssueMessage(Msg::ListNotDefined, P3109_Padded(P3109_TrimRight(name), 10));
        return nullptr;
    }
    return P3109_pCurrentListDefinition();
}

std::vector<GEN_FIELD_INFO> P3109_ListFieldInfos(const GEN_LIST_DEFINITION& list)
{
    std::vector<GEN_FIELD_INFO> infos;
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return infos;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_LISTNAME, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, list.name.data(), std::min<size_t>(list.name.size(), FFC_WORK_NAME_LEN));
    if (WF_cReadFirst(ctx, GEN_SLOT_EMITTERS, &r, 2) != '0')
        return infos;
    const auto* d = reinterpret_cast<const WR_LISTNAME_DATA*>(r.acData);
    const int32_t count = std::clamp<int32_t>(FIX_lDigitsToLong(d->acFieldCount, 3, nullptr), 0, WR_LIST_FIELDS_MAX);
    for (int32_t i = 0; i < count && infos.size() < GEN_LIST_FIELD_SLOTS; ++i) {
        GEN_FIELD_INFO f;
        if (P3109_fFindUsedField(std::string_view(d->acFields[i], 10), f))
            infos.push_back(std::move(f));
    }
    return infos;
}

std::vector<GEN_SORT_ROUTINE_NODE>& P3109_SortRoutineList()
{
    return sortRoutines();
}

void P3109_ResetListEmitters()
{
    sortRoutines().clear();
    P3109_ResetListDefinitionEmitter();
}

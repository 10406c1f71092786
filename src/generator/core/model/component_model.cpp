/*
** component_model.cpp: the run's component definition lists and exchange
** tree as the generator reads them.
*/
#include "generator/core/model/component_model.h"

#include <cstring>

#include "dqov/runcontrol/x_tree.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"

GEN_COMPONENT_MODEL* P3109_pComponentModel()
{
    FFC_CONTEXT* ctx = P3109_Context();
    return ctx ? static_cast<GEN_COMPONENT_MODEL*>(ctx->pComponentDefinitions) : nullptr;
}

int P3109_fAddMemberLink(int32_t lIdentifier, const std::string& name, int32_t lNewKind, const std::string& text1,
                         const std::string& text2)
{
    GEN_COMPONENT_MODEL* model = P3109_pComponentModel();
    if (!model)
        return 0;
    for (GEN_COMPONENT_MEMBER& m : model->members) {
        if (m.lKind != 5 || m.lIdentifier != lIdentifier || m.name != name)
            continue;
        m.lKind = lNewKind;
        m.text1 = text1;
        m.text2 = text2;
        return 1;
    }
    return 0;
}

bool P3109_ReadExchangeTree(std::vector<GEN_EXCHANGE_ENTRY>& entries)
{
    entries.clear();
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pReferenceTree1)
        return false;
    RBTree_PositiontoFirst(ctx->pReferenceTree1);
    for (;;) {
        int32_t number = 0;
        RBTREE_ENTRY* name = nullptr;
        char flags[2] = {'N', 'N'};
        void* key[] = {&number};
        void* data[] = {&name, flags};
        if (!RBTree_GetNextEntry(ctx->pReferenceTree1, key, data))
            break;
        GEN_EXCHANGE_ENTRY e;
        e.ulNumber = static_cast<uint32_t>(number);
        e.fMaximum = flags[0] == 'Y';
        e.fCase = flags[1] == 'Y';
        char nameKey[51] = {};
        int32_t owner = 0;
        char nameData[56];
        std::memset(nameData, ' ', sizeof nameData);
        void* nk[] = {nameKey, &owner};
        void* nd[] = {nameData};
        if (name && ctx->pNameTree && RBTree_GetEntry_Direct(ctx->pNameTree, name, nk, nd))
            e.field.assign(nameData, 50);
        else
            e.field = std::string(50, ' ');
        entries.push_back(std::move(e));
    }
    return true;
}

int P3109_sCompareSequence(const GEN_GROUP_ELEMENT& a, const GEN_GROUP_ELEMENT& b)
{
    return a.sSequence < b.sSequence ? -1 : a.sSequence > b.sSequence ? 1 : 0;
}

void P3109_CollectListNames()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    const GEN_COMPONENT_MODEL* model = P3109_pComponentModel();
    if (!ctx || !model || (ctx->lComponentRun == 0 && ctx->lZophxUsed == 0))
        return;
    for (const GEN_TEXT_OWNER& owner : model->owners)
        for (const GEN_MEMBER_TEXT& t : owner.texts) {
            static constexpr char kLetters[] = {'D', 'L', '1', '2', '3'};
            if (t.lKind >= 6 && t.lKind <= 10)
                P3109_RegisterFieldTextUse(t.member.substr(0, std::min<size_t>(10, t.member.size())),
                                           kLetters[t.lKind - 6]);
        }
}

void P3109_WriteUsageDebugComments(GEN_STREAM stream)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || (!ctx->lZophxUsed && !ctx->lComponentRun) || !ctx->pReferenceTree2 ||
        RBTree_GetEntryCount(ctx->pReferenceTree2) == 0)
        return;
    P3109_WriteDoubleBoxComment(stream, "Component and Property Usage and Debug Information");
    RBTree_PositiontoFirst(ctx->pReferenceTree2);
    char name[51] = {};
    int32_t scope = 0, kind = 0, flags = 0;
    void* key[] = {name, &scope};
    void* data[] = {&kind, &flags};
    while (RBTree_GetNextEntry(ctx->pReferenceTree2, key, data)) {
        const std::string trimmed = P3109_TrimRight(std::string_view(name, 50));
        P3109_WriteLine(stream, 3,
                        P3109_Format("/* %s : %s Scope(%4.4ld) */", kind == 100 ? "MEMBER  " : "PROPERTY",
                                     trimmed.c_str(), static_cast<long>(scope)));
        GEN_FIELD_INFO f;
        if (P3109_sGetUsedField(P3109_Padded(trimmed, GEN_OPERAND_NAME_WIDTH), GEN_SLOT_LOOKUP, f,
                                GEN_OPERAND_NAME_WIDTH) != 0) {
            P3109_WriteLine(stream, 3,
                            P3109_Format("/*                **** %s **** */", "Cannot be decoded by GETFIELDINFOSCOPED"));
            continue;
        }
        const char member = flags == 0 ? 'N' : (flags & 2) ? 'A' : 'Y';
        P3109_WriteLine(stream, 3,
                        P3109_Format("/*                Type=%c,Len=%5.5ld,Dec=%2.2ld,Vector=%s,Mbr=%c,Prop=%c */",
                                     f.cType, static_cast<long>(f.lLength), static_cast<long>(f.sDecimals),
                                     f.vectorName.c_str(), member, kind == 200 ? 'Y' : 'N'));
    }
}

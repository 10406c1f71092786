// Support services of the checker's run module shared with the generator:
// generated names for "*AUTOGENERATEF35KV2" values, the value cache of
// component runs, the object layer's item queries, the insertion of a
// parameter into a stored command and the web application build entries.
#include "checker/checker.h"
#include "checker/support_names.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/x_tree.h"
#include "platform/dqos/dqos.h"

namespace {

// A field name in the name trees: its width, the key made of it (with a
// terminator) and the data kept for it: the name or its generated value,
// the 4-byte owner number and two flag bytes.
constexpr size_t kNameWidth = 50;
constexpr size_t kNameKeyLength = kNameWidth + 1;
constexpr size_t kNumberOffset = kNameWidth;
constexpr size_t kFlagsOffset = kNumberOffset + 4;
constexpr size_t kNameDataLength = kFlagsOffset + 2;

// Node pages of the value cache.
constexpr uint32_t kValueCachePage = 8200;

constexpr char kAutoGenerate[] = "*AUTOGENERATEF35KV2";
constexpr size_t kAutoGenerateLength = sizeof kAutoGenerate - 1;

bool IsAutoGenerate(const char* value, uint32_t length)
{
    if (length < kAutoGenerateLength)
        return false;
    for (size_t i = 0; i < kAutoGenerateLength; ++i)
        if (std::toupper(static_cast<unsigned char>(value[i])) != kAutoGenerate[i])
            return false;
    return true;
}

// The field name as a tree key: leading blanks and national characters
// skipped, trailing blanks and control characters dropped, kNameKeyLength bytes
// (the name and a terminator).
void NameKey(const FFC_CONTEXT* ctx, const char* name, char key[kNameKeyLength])
{
    std::memset(key, 0, kNameKeyLength);
    size_t n = std::strlen(name);
    size_t i = 0;
    while (i < n &&
           (name[i] == ' ' || name[i] == ctx->cNatChar1 || name[i] == ctx->cNatChar2 || name[i] == ctx->cNatChar3))
        ++i;
    while (n > i && (name[n - 1] == ' ' || name[n - 1] == '\0' || name[n - 1] == '\f' || name[n - 1] == '\n' ||
                     name[n - 1] == '\r'))
        --n;
    std::memcpy(key, name + i, std::min<size_t>(n - i, kNameWidth));
}

bool CreateTrees(FFC_CONTEXT* ctx)
{
    if (ctx->pNameTree && ctx->pOwnerTree)
        return true;
    RBTREE *names = nullptr, *owners = nullptr;
    if (RBTree_CreateTree(&names, 22400) != 0)
        return false;
    RBTree_DefineKey(names, RBT_TYPE_STRING_NC, kNameKeyLength);
    RBTree_DefineKey(names, RBT_TYPE_INT32, 4);
    RBTree_DefineData(names, RBT_TYPE_BYTES, kNameDataLength);
    if (RBTree_CreateTree(&owners, 10000) != 0) {
        RBTree_DestroyTree(names);
        return false;
    }
    RBTree_DefineKey(owners, RBT_TYPE_INT32, 4);
    RBTree_DefineKey(owners, RBT_TYPE_BYTES, kNameWidth);
    RBTree_DefineData(owners, RBT_TYPE_STRING, kNameKeyLength);
    ctx->pNameTree = names;
    ctx->pOwnerTree = owners;
    return true;
}

// A reference tree of the run, made on first use with its key and data
// parts (type code and length each); false without storage.
struct TreePart {
    uint16_t type;
    uint32_t length;
};
bool MakeTree(RBTREE*& tree, std::initializer_list<TreePart> keys, std::initializer_list<TreePart> data,
              uint32_t ulPage = 4000)
{
    if (tree)
        return true;
    if (RBTree_CreateTree(&tree, ulPage) != 0)
        return false;
    for (const TreePart& k : keys)
        RBTree_DefineKey(tree, k.type, k.length);
    for (const TreePart& d : data)
        RBTree_DefineData(tree, d.type, d.length);
    return true;
}

}  // namespace

extern "C" {

// The object layer's callback: each attribute of the entry (a word of its
// attribute text, at most 10 characters, blank-padded) goes into the next
// slot while slots remain.
long P31O2_sCollectAttributeCallback(void* pvControl, const char*, const char* pszAttributes)
{
    auto* a = static_cast<P31O2_ATTRIBUTE_SLOTS*>(pvControl);
    const std::string_view text = pszAttributes ? pszAttributes : "";
    size_t i = 0;
    while (a && i < text.size() && a->ulFilled < a->ulCapacity) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        const size_t end = std::min(text.find(' ', i), text.size());
        if (end > i)
            checker::Pad(a->pachSlots[a->ulFilled++], 10, text.substr(i, std::min<size_t>(end - i, 10)));
        i = end;
    }
    return 0;
}

int16_t P31O2_sMakeGeneratedName(FFC_CONTEXT* pContext, const char* pszField, int32_t lOwner, int32_t lNumber,
                                 char* pchValue, uint32_t ulValueLength)
{
    if (!pContext || !pszField || !pchValue || !CreateTrees(pContext))
        return -9;
    char key[kNameKeyLength];
    NameKey(pContext, pszField, key);
    const void* nameKey[] = {key, &lOwner};
    char data[kNameDataLength];
    void* out[] = {data};
    bool autoValue = IsAutoGenerate(pchValue, ulValueLength);
    if (RBTree_GetEntry(pContext->pNameTree, nameKey, out)) {
        if (autoValue)
            checker::Pad(pchValue, std::min<uint32_t>(ulValueLength, kNameWidth), std::string_view(data, kNameWidth));
        return 0;
    }
    std::memset(data, ' ', kNameWidth);
    if (autoValue) {
        char generated[64];
        int32_t counter = static_cast<int32_t>(++pContext->ulGeneratedNameCounter);
        std::snprintf(generated, sizeof generated, "%s%7.7ld", "P\xFF", static_cast<long>(counter));
        checker::Pad(pchValue, std::min<uint32_t>(ulValueLength, kNameWidth), generated);
        if (ulValueLength > kNameWidth)
            std::memset(pchValue + kNameWidth, ' ', ulValueLength - kNameWidth);
    }
    std::memcpy(data, pchValue, std::min<uint32_t>(ulValueLength, kNameWidth));
    std::memcpy(data + kNumberOffset, &lNumber, 4);
    std::memset(data + kFlagsOffset, 0, 2);
    const void* in[] = {data};
    if (!RBTree_PutEntry(pContext->pNameTree, nameKey, in))
        return -9;
    char ownerName[kNameWidth];
    checker::Pad(ownerName, kNameWidth, key);
    const void* ownerKey[] = {&lNumber, ownerName};
    char ownerData[kNameKeyLength];
    void* ownerOut[] = {ownerData};
    if (!RBTree_GetEntry(pContext->pOwnerTree, ownerKey, ownerOut)) {
        char value[kNameKeyLength] = {};
        std::memcpy(value, data, kNameWidth);
        const void* ownerIn[] = {value};
        RBTree_PutEntry(pContext->pOwnerTree, ownerKey, ownerIn);
    }
    return 0;
}

int32_t P31O2_fFindGeneratedName(FFC_CONTEXT* pContext, const char* pszField, int32_t lOwner1, int32_t lOwner2,
                                 char* pchData56)
{
    if (!pContext || !pContext->pNameTree)
        return 0;
    char key[kNameKeyLength];
    NameKey(pContext, pszField, key);
    void* out[] = {pchData56};
    for (int32_t owner : {lOwner2, lOwner1}) {
        if (owner == 0)
            continue;
        const void* nameKey[] = {key, &owner};
        if (RBTree_GetEntry(pContext->pNameTree, nameKey, out))
            return 1;
    }
    return 0;
}

void P31O2_RecordFieldUsage(FFC_CONTEXT* pContext, const char* pachKind, char* pachName50, int32_t lOwner1,
                            int32_t lOwner2)
{
    if (std::memcmp(pachKind, "USEFIELD  ", 10) != 0)
        return;
    std::string name(pachName50, kNameWidth);
    char data[kNameDataLength];
    if (P31O2_fFindGeneratedName(pContext, name.c_str(), lOwner1, lOwner2, data))
        std::memcpy(pachName50, data, kNameWidth);
}

int16_t P31O2_sAddExchangedField(FFC_CONTEXT* pContext, int32_t lNumber, const char* pszField, char cMaximum,
                                 char cEvaluationCase)
{
    if (!pContext || !CreateTrees(pContext))
        return -9;
    if (!MakeTree(pContext->pReferenceTree1, {{RBT_TYPE_INT32, 4}},
                  {{RBT_TYPE_POINTER, sizeof(void*)}, {RBT_TYPE_BYTES, 2}}))
        return -9;
    if (!pszField)
        return 0;
    const void* exchangeKey[] = {&lNumber};
    if (RBTree_GetEntry(pContext->pReferenceTree1, exchangeKey, nullptr))
        return 0;
    char key[kNameKeyLength];
    NameKey(pContext, pszField, key);
    int32_t owner = 0;
    const void* nameKey[] = {key, &owner};
    char data[kNameDataLength];
    void* out[] = {data};
    RBTREE_ENTRY* name = RBTree_GetEntry(pContext->pNameTree, nameKey, out);
    if (!name) {
        checker::Pad(data, kNameWidth, key);
        std::memcpy(data + kNumberOffset, &lNumber, 4);
        std::memset(data + kFlagsOffset, 0, 2);
        const void* in[] = {data};
        name = RBTree_PutEntry(pContext->pNameTree, nameKey, in);
        if (!name)
            return -9;
    }
    const char flags[2] = {cMaximum == 'Y' ? 'Y' : 'N', cEvaluationCase == 'Y' ? 'Y' : 'N'};
    const void* exchangeData[] = {&name, flags};
    return RBTree_PutEntry(pContext->pReferenceTree1, exchangeKey, exchangeData) ? 0 : -9;
}

int16_t P31O2_sAddComponentUsage(FFC_CONTEXT* pContext, const char* pszName, int32_t lScope, int32_t lKind,
                                 int32_t lFlags)
{
    if (!pContext || !pszName)
        return -9;
    if (!MakeTree(pContext->pReferenceTree2, {{RBT_TYPE_BYTES, kNameWidth}, {RBT_TYPE_INT32, 4}},
                  {{RBT_TYPE_INT32, 4}, {RBT_TYPE_INT32, 4}}))
        return -9;
    char name[kNameWidth];
    checker::Pad(name, kNameWidth, pszName);
    const void* key[] = {name, &lScope};
    const void* data[] = {&lKind, &lFlags};
    return RBTree_PutEntry(pContext->pReferenceTree2, key, data) ? 0 : -9;
}

void P31O2_FreeGeneratedNames(FFC_CONTEXT* pContext)
{
    if (!pContext)
        return;
    RBTree_DestroyTree(pContext->pReferenceTree1);
    pContext->pReferenceTree1 = nullptr;
    RBTree_DestroyTree(pContext->pReferenceTree2);
    pContext->pReferenceTree2 = nullptr;
    RBTree_DestroyTree(pContext->pNameTree);
    RBTree_DestroyTree(pContext->pOwnerTree);
    RBTree_DestroyTree(pContext->pValueCacheTree);
    pContext->pNameTree = pContext->pOwnerTree = pContext->pValueCacheTree = nullptr;
    pContext->ulGeneratedNameCounter = 0;
}

// The value cache of a component run: a tree of 32-bit values (key and
// data the value), made on first use. A function run keeps nothing.
void* P31O2_pGetCachedEntry(FFC_CONTEXT* pContext, int32_t lValue)
{
    if (!pContext || !pContext->lComponentRun)
        return nullptr;
    if (!pContext->pValueCacheTree &&
        !MakeTree(pContext->pValueCacheTree, {{RBT_TYPE_INT32, 4}}, {{RBT_TYPE_INT32, 4}}, kValueCachePage))
        return nullptr;
    const void* key[] = {&lValue};
    if (RBTREE_ENTRY* entry = RBTree_GetEntry(pContext->pValueCacheTree, key, nullptr))
        return entry;
    const void* data[] = {&lValue};
    return RBTree_PutEntry(pContext->pValueCacheTree, key, data);
}

int32_t P31O2_fHasCachedEntry(FFC_CONTEXT* pContext, int32_t lValue)
{
    if (!pContext || !pContext->lComponentRun || !pContext->pValueCacheTree)
        return 0;
    const void* key[] = {&lValue};
    return RBTree_GetEntry(pContext->pValueCacheTree, key, nullptr) ? 1 : 0;
}

void P31O2_ResolveEscapedParameter(const char* pchItem, char* pchArea, uint32_t ulLength)
{
    if (!pchItem || pchItem[0] != 3 || pchItem[1] != '2')
        return;
    char copy[10];
    std::memcpy(copy, pchItem, 9);
    copy[9] = 0;
    long rc = DQOO_FCC_LL2_ETT_ResolvePendingEscapedParameter(P3100_pGetBuildHandle(), copy, pchArea, ulLength);
    if (rc != 0)
        DQOO_FCC_FatalError("DQOO_FCC_ResolvePendingEscapedParameter", rc);
}

int16_t P31O2_sQueryLiteralInfo(const char* pchItem, char* pchText, uint32_t ulSize)
{
    std::memset(pchText, 0, ulSize + 1);
    if (!pchItem || pchItem[0] != 3 || pchItem[1] != 'S') {
        std::memcpy(pchText, pchItem, ulSize);
        return 0;
    }
    char copy[10];
    std::memcpy(copy, pchItem, 9);
    copy[9] = 0;
    DQOO_LITERAL_INFO info{};
    long rc = DQOO_FCC_LL2_ETT_QueryGetLiteralInfo(copy, &info);
    if (rc != 0)
        DQOO_FCC_FatalError("DQOO_FCC_LL2_ETT_QueryGetLiteralInfo", rc);
    if (info.pszText && info.usLength <= ulSize)
        std::memcpy(pchText, info.pszText, info.usLength);
    return 0;
}

uint32_t P31O2_sEnumerateFieldAttributes(const char* pchItem, char (*pachSlots)[10], uint32_t ulOther, uint32_t ulSlots)
{
    if (!pchItem || pchItem[0] != 3 || pchItem[1] != 'M')
        return ulOther;
    char copy[10];
    std::memcpy(copy, pchItem, 9);
    copy[9] = 0;
    P31O2_ATTRIBUTE_SLOTS control{pachSlots, pachSlots ? ulSlots : 0, 0};
    const long rc =
        DQOO_FCC_LL2_ETT_EnumerateFieldAttributeParmList(copy, P31O2_sCollectAttributeCallback, &control, nullptr);
    if (rc != 0)
        DQOO_FCC_FatalError("DQOO_FCC_LL2_ETT_EnumerateFieldAttributeParmList", rc);
    return control.ulFilled;
}

int P31O2_fAddBuildAppEntry(void* pList, void*, const SMISC_BUILD_APP* pEntry)
{
    auto* list = static_cast<P31O2_BUILD_APP_LIST*>(pList);
    if (!list || !pEntry)
        return 0;
    auto* grown = static_cast<SMISC_BUILD_APP*>(SMEM_pMalloc(0, (list->ulCount + 1) * sizeof(SMISC_BUILD_APP)));
    if (!grown)
        return 0;
    if (list->ulCount)
        std::memcpy(grown, list->pEntries, list->ulCount * sizeof(SMISC_BUILD_APP));
    std::memcpy(grown + list->ulCount, pEntry, sizeof(SMISC_BUILD_APP));
    SMEM_FreeMem(list->pEntries);
    list->pEntries = grown;
    ++list->ulCount;
    return 1;
}

}  // extern "C"

// The expression services and item queries of the object layer, answered
// from the expression store of the current object.

#include "platform/dqoo/dqoo_store.h"

#include <algorithm>
#include <cstring>

namespace {

std::unique_ptr<dqoo::ExpressionStore>& storeSlot()
{
    static std::unique_ptr<dqoo::ExpressionStore> store = std::make_unique<dqoo::ExpressionStore>();
    return store;
}

// The reference of an item given in place (9 bytes) or ended by a NUL.
bool isItem(const char* item)
{
    return item != nullptr && static_cast<unsigned char>(item[0]) == 3;
}

}  // namespace

namespace dqoo {

ExpressionStore& currentStore()
{
    return *storeSlot();
}

void replaceStore(std::unique_ptr<ExpressionStore> store)
{
    storeSlot() = std::move(store);
}

int32_t nextRoutineNumber(const ExpressionStore& store)
{
    for (; store.numberedCount < store.routineOrder.size(); ++store.numberedCount)
        store.highestNumber = std::max(store.highestNumber, store.routineOrder[store.numberedCount]->number);
    return store.highestNumber + 1;
}

bool ReferenceTable::code(const std::string& key, uint64_t& out)
{
    if (key.size() != 8)
        return false;
    uint64_t digits = 0;
    for (size_t i = 1; i < 8; ++i) {
        if (key[i] < '0' || key[i] > '9')
            return false;
        digits = digits * 10 + static_cast<uint64_t>(key[i] - '0');
    }
    out = digits << 8 | static_cast<unsigned char>(key[0]);
    return true;
}

ReferenceTable::List& ReferenceTable::operator[](const std::string& key)
{
    uint64_t c = 0;
    if (!code(key, c)) {
        auto [it, added] = others_.try_emplace(key, static_cast<uint32_t>(lists_.size()));
        if (added) {
            try {
                lists_.emplace_back();
            } catch (...) {
                others_.erase(it);
                throw;
            }
        }
        return lists_[it->second];
    }
    auto at = codes_.end();
    if (!codes_.empty() && codes_.back().first >= c)
        at = std::lower_bound(codes_.begin(), codes_.end(), std::make_pair(c, uint32_t{0}));
    if (at != codes_.end() && at->first == c)
        return lists_[at->second];
    const auto place = static_cast<uint32_t>(lists_.size());
    at = codes_.insert(at, {c, place});
    try {
        lists_.emplace_back();
    } catch (...) {
        codes_.erase(at);
        throw;
    }
    return lists_.back();
}

const ReferenceTable::List* ReferenceTable::find(const std::string& key) const
{
    uint64_t c = 0;
    if (!code(key, c)) {
        auto it = others_.find(key);
        return it == others_.end() ? nullptr : &lists_[it->second];
    }
    auto at = std::lower_bound(codes_.begin(), codes_.end(), std::make_pair(c, uint32_t{0}));
    return at != codes_.end() && at->first == c ? &lists_[at->second] : nullptr;
}

void resetCompiledStore()
{
    if (!currentStore().fromFixture)
        replaceStore(std::make_unique<ExpressionStore>());
}

std::string itemKey(const char* item)
{
    if (!isItem(item))
        return {};
    std::string key;
    for (size_t i = 1; i < 9; ++i) {
        if (item[i] == '\0')
            return {};
        key.push_back(item[i]);
    }
    for (size_t i = 1; i < key.size(); ++i)
        if (key[i] < '0' || key[i] > '9')
            return {};
    return key;
}

}  // namespace dqoo

extern "C" long DQOO_FCC_EnumerateExpressionPcode(DQOO_FCC_EXPRESSION_PCODE_CALLBACK callback, void* user,
                                                  long reserved)
{
    if (callback == nullptr)
        return DQOO_ERR_ARGUMENT;
    for (EXPR_PCODE_ROUTINE* routine : dqoo::currentStore().routineOrder) {
        const long rc = callback(routine, user);
        if (rc != 0)
            return rc;
    }
    return DQOO_OK;
}

extern "C" long DQOO_FCC_EnumerateRoutinePcode(const char* ref9, DQOO_FCC_ROUTINE_PCODE_CALLBACK callback, void* user,
                                               void* user2)
{
    if (callback == nullptr)
        return DQOO_ERR_ARGUMENT;
    const std::string key = dqoo::itemKey(ref9);
    if (key.empty())
        return DQOO_ERR_ARGUMENT;
    const dqoo::ReferenceTable::List* elements = dqoo::currentStore().references.find(key);
    if (elements == nullptr)
        return DQOO_ERR_NOT_FOUND;
    for (EXPR_PCODE_ROUTINE* element : *elements) {
        const long rc = callback(element, user, user2);
        if (rc != 0)
            return rc;
    }
    return DQOO_OK;
}

extern "C" long DQOO_FCC_LL2_ETT_QueryGetLiteralInfo(const char* pchItem, DQOO_LITERAL_INFO* pInfo)
{
    if (pInfo == nullptr)
        return DQOO_ERR_ARGUMENT;
    std::memset(pInfo, 0, sizeof *pInfo);
    const std::string key = dqoo::itemKey(pchItem);
    if (key.empty())
        return DQOO_ERR_ARGUMENT;
    const auto& literals = dqoo::currentStore().literals;
    auto it = literals.find(key);
    if (it == literals.end())
        return DQOO_ERR_NOT_FOUND;
    pInfo->pszText = it->second.text.c_str();
    pInfo->usLength = static_cast<uint16_t>(it->second.text.size());
    pInfo->usSecond = it->second.second;
    return DQOO_OK;
}

extern "C" long DQOO_FCC_LL2_ETT_ResolvePendingEscapedParameter(FCC_BUILD_HANDLE*, const char* pchItem, char* pchArea,
                                                                uint32_t ulLength)
{
    const std::string key = dqoo::itemKey(pchItem);
    if (key.empty() || key[0] != '2' || pchArea == nullptr)
        return DQOO_ERR_ARGUMENT;
    const auto& pending = dqoo::currentStore().pending;
    auto it = pending.find(key.substr(1));
    if (it == pending.end())
        return DQOO_ERR_NOT_FOUND;
    // The item may be the area itself: copy the text out before filling.
    const std::string text = it->second;
    std::memset(pchArea, ' ', ulLength);
    std::memcpy(pchArea, text.data(), std::min<size_t>(text.size(), ulLength));
    return DQOO_OK;
}

extern "C" long DQOO_FCC_LL2_ETT_EnumerateFieldAttributeParmList(const char* pchItem,
                                                                 DQOO_ATTRIBUTE_CALLBACK pfnCallback, void* pvControl,
                                                                 void*)
{
    const std::string key = dqoo::itemKey(pchItem);
    if (key.empty() || key[0] != 'M' || pfnCallback == nullptr)
        return DQOO_ERR_ARGUMENT;
    const auto& lists = dqoo::currentStore().attributeLists;
    auto it = lists.find(key.substr(1));
    if (it == lists.end())
        return DQOO_ERR_NOT_FOUND;
    for (const dqoo::Attribute& a : it->second)
        pfnCallback(pvControl, a.field.c_str(), a.attributes.c_str());
    return DQOO_OK;
}

extern "C" long DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(int32_t lStatement, DQOO_EVALUATION_CALLBACK pfnCallback,
                                                               void* pvUser, void* pvUser2)
{
    if (lStatement <= 0 || pfnCallback == nullptr)
        return DQOO_ERR_ARGUMENT;
    const auto& evaluations = dqoo::currentStore().evaluations;
    auto it = evaluations.find(lStatement);
    if (it == evaluations.end())
        return DQOO_OK;
    for (const DQOO_STATEMENT_EVALUATION& e : it->second) {
        const long rc = pfnCallback(&e, pvUser, pvUser2);
        if (rc != 0)
            return rc;
    }
    return DQOO_OK;
}

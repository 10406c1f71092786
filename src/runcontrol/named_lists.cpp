// Named in-memory lists of a job, anchored in the run context.
#include "dqov/runcontrol/named_lists.h"

#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runcontrol/rc_internal.h"

struct FFC_LIST_ANCHOR {
    struct List {
        char type = 'F';
        uint16_t elementSize = 0;
        uint16_t capacity = 0;
        uint16_t highest = 0;
        std::vector<unsigned char> block;  // 'F' entries, 'R' raw block
        std::vector<bool> used;            // 'F' slots stored
        // 'V', 'M': entries up to the highest one stored (a list of 65,000
        // possible entries costs nothing until they are put)
        std::vector<std::optional<std::vector<unsigned char>>> slots;
    };
    std::map<std::string, List, std::less<>> lists;  // found by a view of the name
    // A message queue found to have no list, until a list is made: a job
    // empties its queue before each command and mostly queues nothing.
    bool missingKnown = false;
    uint8_t missingLength = 0;
    char missingQueue[10] = {};
};

namespace {

// The list name as stored: at most 30 characters, trailing blanks dropped.
std::string listName(const char* name)
{
    return rc::Trimmed(name, QVRMM_NAME_LEN);
}

// The same name seen in place, for look-ups that make no copy.
std::string_view listKey(const char* name)
{
    size_t n = strnlen(name, QVRMM_NAME_LEN);
    while (n > 0 && name[n - 1] == ' ')
        --n;
    return {name, n};
}

FFC_LIST_ANCHOR::List* findList(FFC_CONTEXT* ctx, const char* name)
{
    if (!ctx || !ctx->pListAnchor || !name)
        return nullptr;
    auto it = ctx->pListAnchor->lists.find(listKey(name));
    return it == ctx->pListAnchor->lists.end() ? nullptr : &it->second;
}

bool variable(char type)
{
    return type == 'V' || type == 'M';
}

}  // namespace

extern "C" {

int16_t qvrmm1(FFC_CONTEXT* ctx, char type, const char* name, uint16_t* size, uint16_t* count, void** block)
{
    if (block)
        *block = nullptr;
    if (!ctx || !name || !size || !count)
        return QVRMM_NOT_FOUND;
    if (type != 'F' && type != 'V' && type != 'M' && type != 'R')
        return QVRMM_WRONG_TYPE;
    if (*size == 0 || *count == 0)
        return QVRMM_WRONG_TYPE;
    try {
        if (!ctx->pListAnchor)
            ctx->pListAnchor = std::make_unique<FFC_LIST_ANCHOR>().release();
        std::string key = listName(name);
        if (ctx->pListAnchor->lists.count(key))
            return QVRMM_EXISTS;
        FFC_LIST_ANCHOR::List list;
        list.type = type;
        list.elementSize = *size;
        list.capacity = *count;
        if (type == 'F' || type == 'R')
            list.block.assign(static_cast<size_t>(*size) * *count, 0);
        if (type == 'F')
            list.used.assign(*count, false);
        auto& stored = ctx->pListAnchor->lists.emplace(key, std::move(list)).first->second;
        ctx->pListAnchor->missingKnown = false;
        if (type == 'R' && block)
            *block = stored.block.data();
    } catch (const std::bad_alloc&) {
        return QVRMM_NO_STORAGE;
    }
    return QVRMM_OK;
}

int16_t qvrmm4(FFC_CONTEXT* ctx, const char* name)
{
    auto* list = findList(ctx, name);
    if (!list)
        return QVRMM_NOT_FOUND;
    if (!variable(list->type))
        return QVRMM_WRONG_TYPE;
    list->slots.clear();
    list->highest = 0;
    return QVRMM_OK;
}

int16_t qvrmm5(FFC_CONTEXT* ctx, const char* name)
{
    if (!ctx || !ctx->pListAnchor || !name)
        return 0;
    size_t n = strnlen(name, QVRMM_NAME_LEN - 1);
    const void* blank = std::memchr(name, ' ', n);
    if (blank)
        n = static_cast<size_t>(static_cast<const char*>(blank) - name);
    std::string prefix(name, n);
    int16_t deleted = 0;
    auto& lists = ctx->pListAnchor->lists;
    for (auto it = lists.lower_bound(prefix); it != lists.end() && it->first.compare(0, n, prefix) == 0;) {
        it = lists.erase(it);
        ++deleted;
    }
    return deleted;
}

int16_t QVRMM_sDeleteList(FFC_CONTEXT* ctx, const char* name)
{
    if (!ctx || !ctx->pListAnchor || !name)
        return QVRMM_NOT_FOUND;
    return ctx->pListAnchor->lists.erase(listName(name)) ? QVRMM_OK : QVRMM_NOT_FOUND;
}

int16_t QVRMM_sPutEntry(FFC_CONTEXT* ctx, const char* name, uint16_t* number, const void* entry, uint16_t* length)
{
    auto* list = findList(ctx, name);
    if (!list)
        return QVRMM_NOT_FOUND;
    if (list->type == 'R')
        return QVRMM_WRONG_TYPE;
    if (!number || !entry)
        return QVRMM_NOT_FOUND;
    uint16_t n = *number == 0 ? static_cast<uint16_t>(list->highest + 1) : *number;
    if (n == 0 || n > list->capacity)
        return QVRMM_CAPACITY;
    if (list->type == 'F') {
        std::memcpy(list->block.data() + static_cast<size_t>(n - 1) * list->elementSize, entry, list->elementSize);
        list->used[n - 1] = true;
    } else {
        uint16_t len = length ? *length : list->elementSize;
        if (len > list->elementSize)
            return QVRMM_TOO_LONG;
        try {
            auto* p = static_cast<const unsigned char*>(entry);
            if (list->slots.size() < n)
                list->slots.resize(n);
            list->slots[n - 1].emplace(p, p + len);
        } catch (const std::bad_alloc&) {
            return QVRMM_NO_STORAGE;
        }
    }
    if (n > list->highest)
        list->highest = n;
    *number = n;
    return QVRMM_OK;
}

int16_t QVRMM_sGetEntry(FFC_CONTEXT* ctx, const char* name, uint16_t* number, void* entry, uint16_t* length)
{
    auto* list = findList(ctx, name);
    if (!list)
        return QVRMM_NOT_FOUND;
    if (list->type == 'R')
        return QVRMM_WRONG_TYPE;
    if (!number || *number == 0 || *number > list->capacity)
        return QVRMM_CAPACITY;
    uint16_t n = *number;
    if (list->type == 'F') {
        if (!list->used[n - 1])
            return QVRMM_EMPTY;
        if (entry)
            std::memcpy(entry, list->block.data() + static_cast<size_t>(n - 1) * list->elementSize, list->elementSize);
        if (length)
            *length = list->elementSize;
        return QVRMM_OK;
    }
    if (n > list->slots.size() || !list->slots[n - 1])
        return QVRMM_EMPTY;
    const auto& slot = list->slots[n - 1];
    if (entry && !slot->empty())
        std::memcpy(entry, slot->data(), slot->size());
    if (length)
        *length = static_cast<uint16_t>(slot->size());
    return QVRMM_OK;
}

uint16_t QVRMM_usHighestEntry(FFC_CONTEXT* ctx, const char* name)
{
    auto* list = findList(ctx, name);
    return list ? list->highest : 0;
}

void QVRMM_FreeAll(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return;
    std::unique_ptr<FFC_LIST_ANCHOR> owned(ctx->pListAnchor);
    ctx->pListAnchor = nullptr;
}

}  // extern "C"

bool rc::QueueListKnownMissing(const FFC_CONTEXT* ctx, std::string_view queue)
{
    const FFC_LIST_ANCHOR* anchor = ctx->pListAnchor;
    if (!anchor)
        return true;
    return anchor->missingKnown && queue.size() == anchor->missingLength &&
           std::memcmp(queue.data(), anchor->missingQueue, queue.size()) == 0;
}

void rc::NoteQueueListMissing(FFC_CONTEXT* ctx, std::string_view queue)
{
    FFC_LIST_ANCHOR* anchor = ctx->pListAnchor;
    if (!anchor || queue.size() > sizeof anchor->missingQueue)
        return;
    std::memcpy(anchor->missingQueue, queue.data(), queue.size());
    anchor->missingLength = static_cast<uint8_t>(queue.size());
    anchor->missingKnown = true;
}

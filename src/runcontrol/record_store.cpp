// Record stores: records kept in insertion order, optionally run-length
// packed, with up to five sorted indexes. Equal keys keep insertion order.
#include "dqov/record_store.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Packing: a control byte below 128 is followed by control+1 literal bytes;
// a control byte c of 128 or more repeats the next byte c-128+3 times.
Bytes pack(const unsigned char* p, size_t n)
{
    Bytes out;
    size_t i = 0;
    while (i < n) {
        size_t run = 1;
        while (i + run < n && p[i + run] == p[i] && run < 130)
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<unsigned char>(128 + run - 3));
            out.push_back(p[i]);
            i += run;
            continue;
        }
        size_t start = i;
        size_t lit = 0;
        while (i < n && lit < 128) {
            if (i + 2 < n && p[i] == p[i + 1] && p[i] == p[i + 2])
                break;
            ++i;
            ++lit;
        }
        out.push_back(static_cast<unsigned char>(lit - 1));
        out.insert(out.end(), p + start, p + start + lit);
    }
    return out;
}

Bytes unpack(const Bytes& in)
{
    Bytes out;
    size_t i = 0;
    while (i < in.size()) {
        unsigned char c = in[i++];
        if (c < 128) {
            size_t n = std::min<size_t>(c + 1u, in.size() - i);
            out.insert(out.end(), in.begin() + static_cast<long>(i), in.begin() + static_cast<long>(i + n));
            i += n;
        } else if (i < in.size()) {
            out.insert(out.end(), static_cast<size_t>(c - 128 + 3), in[i++]);
        }
    }
    return out;
}

struct KeyLess {
    RS_KEY_COMPARE compare;
    uint32_t length;
    bool operator()(const std::string& a, const std::string& b) const
    {
        if (compare)
            return compare(a.data(), b.data(), length) < 0;
        return a < b;
    }
};

} // namespace

struct FFC_RECORD_STORE {
    struct Index {
        uint32_t keyLength;
        RS_KEY_EXTRACT extract;
        std::multimap<std::string, uint32_t, KeyLess> keys;
    };
    bool packed = false;
    std::vector<Bytes> records;   // record n is records[n-1]
    std::vector<Index> indexes;

    std::string keyOf(const Index& ix, const void* rec, uint32_t len) const
    {
        std::string k(ix.keyLength, '\0');
        ix.extract(rec, len, k.data());
        return k;
    }
    Bytes stored(const void* rec, uint32_t len) const
    {
        auto* p = static_cast<const unsigned char*>(rec);
        return packed ? pack(p, len) : Bytes(p, p + len);
    }
    Bytes record(uint32_t n) const { return packed ? unpack(records[n - 1]) : records[n - 1]; }
};

extern "C" {

int16_t RS_sCreateStore(FFC_RECORD_STORE** pp, int32_t packed)
{
    if (!pp)
        return -1;
    try {
        auto s = std::make_unique<FFC_RECORD_STORE>();
        s->packed = packed != 0;
        *pp = s.release();
    } catch (const std::bad_alloc&) {
        *pp = nullptr;
        return -9;
    }
    return 0;
}

int16_t RS_sDefineIndex(FFC_RECORD_STORE* s, uint32_t keyLength, RS_KEY_EXTRACT extract, RS_KEY_COMPARE compare)
{
    if (!s || !extract || keyLength == 0 || s->indexes.size() >= RS_MAX_INDEXES || !s->records.empty())
        return -1;
    s->indexes.push_back({keyLength, extract, std::multimap<std::string, uint32_t, KeyLess>(KeyLess{compare, keyLength})});
    return 0;
}

void RS_DestroyStore(FFC_RECORD_STORE** pp)
{
    if (!pp)
        return;
    std::unique_ptr<FFC_RECORD_STORE> owned(*pp);
    *pp = nullptr;
}

uint32_t RS_ulAddRecord(FFC_RECORD_STORE* s, const void* rec, uint32_t len)
{
    if (!s || !rec)
        return 0;
    try {
        s->records.push_back(s->stored(rec, len));
        auto n = static_cast<uint32_t>(s->records.size());
        for (auto& ix : s->indexes)
            ix.keys.emplace(s->keyOf(ix, rec, len), n);
        return n;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

uint32_t RS_ulPutRecord(FFC_RECORD_STORE* s, const void* rec, uint32_t len)
{
    if (!s || !rec)
        return 0;
    if (s->indexes.empty())
        return RS_ulAddRecord(s, rec, len);
    try {
        auto& ix0 = s->indexes[0];
        auto it = ix0.keys.find(s->keyOf(ix0, rec, len));
        if (it == ix0.keys.end())
            return RS_ulAddRecord(s, rec, len);
        uint32_t n = it->second;
        Bytes old = s->record(n);
        // re-key the other indexes when the record's keys there changed
        for (size_t i = 1; i < s->indexes.size(); ++i) {
            auto& ix = s->indexes[i];
            auto range = ix.keys.equal_range(s->keyOf(ix, old.data(), static_cast<uint32_t>(old.size())));
            for (auto j = range.first; j != range.second; ++j)
                if (j->second == n) {
                    ix.keys.erase(j);
                    break;
                }
            ix.keys.emplace(s->keyOf(ix, rec, len), n);
        }
        s->records[n - 1] = s->stored(rec, len);
        return n;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int32_t RS_fFindRecord(FFC_RECORD_STORE* s, uint16_t index, const void* key, void* rec, uint32_t capacity,
                       uint32_t* length)
{
    if (!s || !key || index >= s->indexes.size())
        return 1;
    auto& ix = s->indexes[index];
    auto it = ix.keys.find(std::string(static_cast<const char*>(key), ix.keyLength));
    if (it == ix.keys.end())
        return 1;
    Bytes r = s->record(it->second);
    if (rec)
        std::memcpy(rec, r.data(), std::min<size_t>(capacity, r.size()));
    if (length)
        *length = static_cast<uint32_t>(r.size());
    return 0;
}

uint32_t RS_ulRecordCount(FFC_RECORD_STORE* s) { return s ? static_cast<uint32_t>(s->records.size()) : 0; }

} // extern "C"

// ---------------------------------------------------------------------------
// The stores of a pass

namespace {

// Key of command, extension and source records: the two leading 16-bit
// numbers, big-endian so that the bytes sort as the numbers do.
void commandKey(const void* rec, uint32_t len, void* key)
{
    uint16_t n[2] = {0, 0};
    std::memcpy(n, rec, std::min<uint32_t>(len, 4));
    auto* k = static_cast<unsigned char*>(key);
    k[0] = static_cast<unsigned char>(n[0] >> 8);
    k[1] = static_cast<unsigned char>(n[0]);
    k[2] = static_cast<unsigned char>(n[1] >> 8);
    k[3] = static_cast<unsigned char>(n[1]);
}

int16_t createKeyed(FFC_RECORD_STORE** pp, bool packed)
{
    if (RS_sCreateStore(pp, packed) != 0)
        return -9;
    return RS_sDefineIndex(*pp, 4, commandKey, nullptr) == 0 ? 0 : -9;
}

int16_t putKeyed(FFC_RECORD_STORE* s, const void* rec, uint32_t len)
{
    if (!s || !rec || len < 4)
        return -1;
    return RS_ulPutRecord(s, rec, len) ? 0 : -9;
}

int32_t findKeyed(FFC_RECORD_STORE* s, void* rec, uint32_t capacity)
{
    if (!s || !rec || capacity < 4)
        return 1;
    unsigned char key[4];
    commandKey(rec, 4, key);
    return RS_fFindRecord(s, 0, key, rec, capacity, nullptr);
}

// Key of run messages: the group, big-endian.
void groupKey(const void* rec, uint32_t, void* key)
{
    uint32_t g;
    std::memcpy(&g, rec, sizeof g);
    auto* k = static_cast<unsigned char*>(key);
    for (int i = 0; i < 4; ++i)
        k[i] = static_cast<unsigned char>(g >> (24 - 8 * i));
}

// A stored run message: its group, then the message.
struct StoredMessage {
    uint32_t group;
    FFC_CHECK_MESSAGE message;
};

int16_t addMessage(FFC_CONTEXT* ctx, uint32_t group, const FFC_CHECK_MESSAGE* m)
{
    if (!ctx || !m)
        return -1;
    if (!ctx->pMessageStore && RS_sCreateMessageStore(ctx) != 0)
        return -9;
    StoredMessage s{group, *m};
    return RS_ulAddRecord(ctx->pMessageStore, &s, sizeof s) ? 0 : -9;
}

} // namespace

extern "C" {

int16_t RS_sCreateCommandStores(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return -1;
    RS_DestroyCommandStores(ctx);
    if (createKeyed(&ctx->pCommandStore, true) || createKeyed(&ctx->pExtensionStore, true) ||
        createKeyed(&ctx->pSourceStore, true)) {
        RS_DestroyCommandStores(ctx);
        return -9;
    }
    return 0;
}

void RS_DestroyCommandStores(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return;
    RS_DestroyStore(&ctx->pCommandStore);
    RS_DestroyStore(&ctx->pExtensionStore);
    RS_DestroyStore(&ctx->pSourceStore);
}

int16_t RS_PutCommandRecord(FFC_CONTEXT* ctx, const void* r, uint32_t l) { return ctx ? putKeyed(ctx->pCommandStore, r, l) : -1; }
int16_t RS_PutCommandExtension(FFC_CONTEXT* ctx, const void* r, uint32_t l) { return ctx ? putKeyed(ctx->pExtensionStore, r, l) : -1; }
int16_t RS_PutSourceRecord(FFC_CONTEXT* ctx, const void* r, uint32_t l) { return ctx ? putKeyed(ctx->pSourceStore, r, l) : -1; }
int32_t RS_fFindCommandRecord(FFC_CONTEXT* ctx, void* r, uint32_t c) { return ctx ? findKeyed(ctx->pCommandStore, r, c) : 1; }
int32_t RS_fFindCommandExtension(FFC_CONTEXT* ctx, void* r, uint32_t c) { return ctx ? findKeyed(ctx->pExtensionStore, r, c) : 1; }
int32_t RS_fFindSourceRecord(FFC_CONTEXT* ctx, void* r, uint32_t c) { return ctx ? findKeyed(ctx->pSourceStore, r, c) : 1; }

uint16_t RS_sCreateMessageStore(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return 1;
    RS_sDestroyMessageStore(ctx);
    if (RS_sCreateStore(&ctx->pMessageStore, false) != 0)
        return 1;
    if (RS_sDefineIndex(ctx->pMessageStore, 4, groupKey, nullptr) != 0) {
        RS_DestroyStore(&ctx->pMessageStore);
        return 1;
    }
    return 0;
}

void RS_sDestroyMessageStore(FFC_CONTEXT* ctx)
{
    if (ctx)
        RS_DestroyStore(&ctx->pMessageStore);
}

int16_t RS_sAddRunMessage(FFC_CONTEXT* ctx, const FFC_CHECK_MESSAGE* m)
{
    if (!m)
        return -1;
    // Lines 1 to 31,998 have groups 2 to 31,999; the summary group 32,000 is
    // never reached by a line.
    uint32_t group = m->ulLine >= 1 && m->ulLine < FFC_MESSAGE_GROUP_SUMMARY - 1 ? m->ulLine + 1
                                                                                 : FFC_MESSAGE_GROUP_OUTSIDE;
    return addMessage(ctx, group, m);
}

int16_t RS_sAddSummaryMessage(FFC_CONTEXT* ctx, const FFC_CHECK_MESSAGE* m)
{
    return addMessage(ctx, FFC_MESSAGE_GROUP_SUMMARY, m);
}

uint32_t RS_ulRunMessageCount(FFC_CONTEXT* ctx) { return ctx ? RS_ulRecordCount(ctx->pMessageStore) : 0; }

void RS_ListMessageGroups(FFC_CONTEXT* ctx, RS_GROUP_LISTER lister, void* user)
{
    if (!ctx || !ctx->pMessageStore || !lister)
        return;
    FFC_RECORD_STORE* s = ctx->pMessageStore;
    // messages of each group in insertion order
    std::map<uint32_t, std::vector<FFC_CHECK_MESSAGE>> groups;
    for (const auto& [key, n] : s->indexes[0].keys) {
        Bytes r = s->record(n);
        StoredMessage m;
        std::memcpy(&m, r.data(), sizeof m);
        groups[m.group].push_back(m.message);
    }
    auto emit = [&](uint32_t group, const std::vector<FFC_CHECK_MESSAGE>& all) {
        for (size_t from = 0; from < all.size(); from += FFC_MESSAGE_GROUP_SIZE) {
            FFC_MESSAGE_GROUP g{};
            g.ulGroup = group;
            g.ulCount = static_cast<uint32_t>(std::min<size_t>(FFC_MESSAGE_GROUP_SIZE, all.size() - from));
            g.ulFurther = static_cast<uint32_t>(all.size() - from - g.ulCount);
            for (uint32_t i = 0; i < g.ulCount; ++i)
                g.apMessages[i] = &all[from + i];
            lister(&g, user);
        }
    };
    for (const auto& [group, all] : groups)
        if (group != FFC_MESSAGE_GROUP_SUMMARY)
            emit(group, all);
    auto it = groups.find(FFC_MESSAGE_GROUP_SUMMARY);
    if (it != groups.end())
        emit(it->first, it->second);
}

} // extern "C"

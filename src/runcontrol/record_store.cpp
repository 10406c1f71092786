// Record stores: records kept in insertion order, optionally run-length
// packed (runcontrol/packing.h), with up to five sorted indexes. Equal keys
// keep insertion order.
#include "dqov/runcontrol/record_store.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <new>
#include <vector>

#include "runcontrol/packing.h"

namespace {

// Changes of the process's record stores (RS_ulChangeStamp).
std::atomic<uint64_t> changeStamp{0};

void changed()
{
    changeStamp.fetch_add(1, std::memory_order_relaxed);
}

// A sorted index: the keys side by side, each with its record's number.
struct Index {
    uint32_t keyLength;
    RS_KEY_EXTRACT extract;
    RS_KEY_COMPARE compare;
    std::vector<unsigned char> keys;
    std::vector<uint32_t> numbers;
    std::vector<unsigned char> scratch;  // a key being looked up
    mutable size_t hint = 0;             // the entry found last

    // Keys of four bytes without a compare function (those of the command
    // and message stores) are big-endian numbers: such an index keeps each
    // as the number it is, and compares numbers.
    bool numeric() const { return keyLength == 4 && !compare; }
    static uint32_t numberOf(const unsigned char* key)
    {
        return static_cast<uint32_t>(key[0]) << 24 | static_cast<uint32_t>(key[1]) << 16 |
               static_cast<uint32_t>(key[2]) << 8 | key[3];
    }
    uint32_t numberAt(size_t i) const
    {
        uint32_t v;
        std::memcpy(&v, keys.data() + i * 4, 4);
        return v;
    }
    // The first entry in [lo, hi) whose number is not below (upper: is
    // above) v, else hi.
    size_t boundNumber(uint32_t v, size_t lo, size_t hi, bool upper) const
    {
        while (lo < hi) {
            size_t mid = lo + (hi - lo) / 2;
            uint32_t x = numberAt(mid);
            if (x < v || (upper && x == v))
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }
    int order(const unsigned char* a, const unsigned char* b) const
    {
        return compare ? compare(a, b, keyLength) : std::memcmp(a, b, keyLength);
    }
    const unsigned char* keyAt(size_t i) const { return keys.data() + i * keyLength; }
    // First entry whose key is not below (upper: is above) the key.
    size_t bound(const unsigned char* key, bool upper) const
    {
        if (numeric())
            return boundNumber(numberOf(key), 0, numbers.size(), upper);
        size_t lo = 0, hi = numbers.size();
        while (lo < hi) {
            size_t mid = lo + (hi - lo) / 2;
            int c = order(keyAt(mid), key);
            if (c < 0 || (upper && c == 0))
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }
    // The entry of the first record with this number, or npos. Readers
    // mostly go through the records in key order, so the entries from the
    // one before the last found on are tried before a search; and writers
    // mostly add records in key order, so a number past the last is tried
    // first.
    size_t findNumber(uint32_t v) const
    {
        const size_t n = numbers.size();
        if (n == 0 || numberAt(n - 1) < v)
            return SIZE_MAX;
        // the entry after the one found last (a reader going on in key
        // order), the first of its number
        if (hint + 1 < n && numberAt(hint) < v && numberAt(hint + 1) == v)
            return ++hint;
        size_t i = hint > 0 ? hint - 1 : 0;
        if (i >= n || (i > 0 && numberAt(i - 1) >= v)) {
            i = boundNumber(v, 0, std::min(i, n), false);
        } else {
            const size_t stop = std::min(n, i + 4);
            while (i < stop && numberAt(i) < v)
                ++i;
            if (i == stop)
                i = boundNumber(v, stop, n, false);
        }
        if (i >= n || numberAt(i) != v)
            return SIZE_MAX;
        hint = i;
        return i;
    }
    // The entry of the first record with this key, or npos.
    size_t find(const unsigned char* key) const
    {
        if (numeric())
            return findNumber(numberOf(key));
        size_t at = bound(key, false);
        return at < numbers.size() && order(keyAt(at), key) == 0 ? at : SIZE_MAX;
    }
    const unsigned char* keyOf(const void* rec, uint32_t len)
    {
        scratch.resize(keyLength);
        extract(rec, len, scratch.data());
        return scratch.data();
    }
    // The key of a record: a key of four bytes is written to `small`, a
    // longer one to the index's scratch.
    const unsigned char* keyOf(const void* rec, uint32_t len, unsigned char (&small)[4])
    {
        if (keyLength != sizeof small)
            return keyOf(rec, len);
        extract(rec, len, small);
        return small;
    }
    // Adds after the entries of equal key; records mostly come in key order.
    void insert(const unsigned char* key, uint32_t n)
    {
        if (numeric()) {
            // a number past the last (a record added in key order) goes on
            // the end straight away
            const uint32_t v = numberOf(key);
            if (numbers.empty() || numberAt(numbers.size() - 1) <= v) {
                unsigned char number[4];
                std::memcpy(number, &v, 4);
                keys.insert(keys.end(), number, number + 4);
                numbers.push_back(n);
                return;
            }
        }
        const size_t last = numbers.size() - 1;
        const bool atEnd = numbers.empty() || (numeric() ? numberAt(last) <= numberOf(key) : order(keyAt(last), key) <= 0);
        size_t at = atEnd ? numbers.size() : bound(key, true);
        unsigned char number[4];
        if (numeric()) {
            const uint32_t v = numberOf(key);
            std::memcpy(number, &v, 4);
            key = number;
        }
        keys.insert(keys.begin() + static_cast<long>(at * keyLength), key, key + keyLength);
        numbers.insert(numbers.begin() + static_cast<long>(at), n);
    }
    void erase(const unsigned char* key, uint32_t n)
    {
        const auto same = [&](size_t at) {
            return numeric() ? numberAt(at) == numberOf(key) : order(keyAt(at), key) == 0;
        };
        for (size_t at = bound(key, false); at < numbers.size() && same(at); ++at) {
            if (numbers[at] != n)
                continue;
            auto k = keys.begin() + static_cast<long>(at * keyLength);
            keys.erase(k, k + keyLength);
            numbers.erase(numbers.begin() + static_cast<long>(at));
            return;
        }
    }
};

}  // namespace

struct FFC_RECORD_STORE {
    bool packed = false;
    rc::PackedArena arena;
    std::deque<rc::PackedArena::Ref> records;  // record n is records[n-1]; grows without spare room
    std::vector<Index> indexes;
    uint64_t changes = 0;  // records added or replaced

    // The record last viewed, unpacked (RS_pViewRecord). Only the store
    // writes here, so it knows the longest run the bytes hold and leaves
    // that run's bytes alone where the next record has the same run.
    struct View {
        std::vector<unsigned char> bytes;
        uint32_t number = 0;  // 0: none
        uint64_t changes = 0;
        rc::Fill run;
    } view;

    // A store without packing keeps its records as they are (literal pieces).
    rc::PackedArena::Ref keep(const void* rec, uint32_t len) { return arena.Add(rec, len, packed); }
    // Copies record n into out, at most capacity bytes; returns its length.
    uint32_t copy(uint32_t n, void* out, uint32_t capacity) const
    {
        return arena.CopyTo(records[n - 1], out, capacity);
    }
    // Takes back the room replaced records left in the arena, once there is
    // enough of it (a pass that stores every command again with more filled
    // in moves most of them). Without memory for the list of records the
    // room stays as it is.
    void compactWhenWorth()
    {
        if (arena.WorthCompacting())
            compact(false);
    }
    // Compacts the arena (shrink: and cuts its last block and the indexes
    // to what they hold). Without memory for the list of records the room
    // stays as it is.
    void compact(bool shrink)
    {
        try {
            std::vector<rc::PackedArena::Ref*> refs;
            refs.reserve(records.size());
            for (rc::PackedArena::Ref& r : records)
                refs.push_back(&r);
            if (!shrink) {
                arena.Compact(refs);
                return;
            }
            arena.Shrink(refs);
            for (Index& ix : indexes) {
                ix.keys.shrink_to_fit();
                ix.numbers.shrink_to_fit();
            }
        } catch (const std::bad_alloc&) {
        }
    }
    // The number of the first record with this key in the index, or 0.
    uint32_t find(uint16_t index, const void* key) const
    {
        if (!key || index >= indexes.size())
            return 0;
        const Index& ix = indexes[index];
        size_t at = ix.find(static_cast<const unsigned char*>(key));
        return at == SIZE_MAX ? 0 : ix.numbers[at];
    }
    // find() in a store of command, extension or source records (its first
    // index keyed by the two numbers, commandKey): the key's number is made
    // from the numbers straight away.
    uint32_t findNumbered(int16_t line, int16_t subLine) const
    {
        if (indexes.empty() || !indexes[0].numeric())
            return 0;
        const Index& ix = indexes[0];
        size_t at = ix.findNumber(static_cast<uint32_t>(static_cast<uint16_t>(line)) << 16 |
                                  static_cast<uint16_t>(subLine));
        return at == SIZE_MAX ? 0 : ix.numbers[at];
    }
    // The number of the record that follows (line, subLine) in a command
    // walk: (line, subLine + 1) when stored, else (line + 1, 0) when stored,
    // else 0. The index holds its keys in order, so the entry past the
    // current one mostly answers both at once.
    uint32_t findFollowing(int16_t line, int16_t subLine) const
    {
        const auto l = static_cast<uint16_t>(line);
        const auto sub = static_cast<uint16_t>(subLine);
        if (sub == UINT16_MAX) {  // the next subline number wraps to 0
            const uint32_t n = findNumbered(line, 0);
            return n != 0 || l == UINT16_MAX ? n : findNumbered(static_cast<int16_t>(l + 1), 0);
        }
        if (indexes.empty() || !indexes[0].numeric())
            return 0;
        const Index& ix = indexes[0];
        const size_t count = ix.numbers.size();
        const uint32_t v = static_cast<uint32_t>(l) << 16 | sub;
        // the first entry above v: past the one found last when that is v
        size_t i = ix.hint < count && ix.numberAt(ix.hint) == v ? ix.hint + 1 : ix.boundNumber(v, 0, count, true);
        while (i < count && ix.numberAt(i) == v)
            ++i;
        if (i < count && ix.numberAt(i) == v + 1) {
            ix.hint = i;
            return ix.numbers[i];
        }
        // (line, subLine + 1) is not stored
        if (l == UINT16_MAX)
            return 0;
        const uint32_t w = static_cast<uint32_t>(l + 1) << 16;
        if (i >= count || ix.numberAt(i) > w)
            return 0;
        if (ix.numberAt(i) == w) {
            ix.hint = i;
            return ix.numbers[i];
        }
        // further sublines of the line come first
        const size_t at = ix.findNumber(w);
        return at == SIZE_MAX ? 0 : ix.numbers[at];
    }
    // The longest run of the record a reader read last over the one before
    // it (number 0: none), as long as the record stays as it was read: a
    // reader that goes through the records one over the other gives it as
    // the record held at its next read, which then need not look for it.
    struct HeldRun {
        uint32_t number = 0;
        rc::Fill run;
    } lastRead;

    // Copies record n (not 0) into rec over what rec holds of the record
    // with number `held` (0: none); returns the record's length. With
    // `remember` (a reader going on over this record), the longest run
    // written is kept for the next read.
    uint32_t copyOver(uint32_t n, void* rec, uint32_t capacity, uint32_t held, bool remember = false)
    {
        const rc::Fill run = !held                     ? rc::Fill{}
                             : held == lastRead.number ? lastRead.run
                                                       : arena.LongestRun(records[held - 1]);
        if (!remember)
            return arena.CopyOver(records[n - 1], rec, capacity, run, nullptr);
        rc::Fill longest;
        const uint32_t length = arena.CopyOver(records[n - 1], rec, capacity, run, &longest);
        /* the run of the whole record only when the whole was written */
        lastRead = length <= capacity ? HeldRun{n, longest} : HeldRun{};
        return length;
    }
    // The view of record n (not 0): RS_pViewRecord.
    const void* viewOf(uint32_t n, uint32_t* length);
};

const void* FFC_RECORD_STORE::viewOf(uint32_t n, uint32_t* length)
{
    const rc::PackedArena::Ref& ref = records[n - 1];
    const uint32_t full = arena.Length(ref);
    View& v = view;
    if (v.number != n || v.changes != changes) {
        try {
            if (v.bytes.size() < full)
                v.bytes.resize(full);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        arena.CopyOver(ref, v.bytes.data(), full, v.run, &v.run);
        v.number = n;
        v.changes = changes;
    }
    if (length)
        *length = full;
    return v.bytes.data();
}

extern "C" {

int16_t RS_sCreateStore(FFC_RECORD_STORE** pp, int32_t packed)
{
    if (!pp)
        return -1;
    changed();
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
    try {
        s->indexes.push_back({keyLength, extract, compare, {}, {}, {}});
    } catch (const std::bad_alloc&) {
        return -9;
    }
    return 0;
}

void RS_DestroyStore(FFC_RECORD_STORE** pp)
{
    if (!pp)
        return;
    changed();
    std::unique_ptr<FFC_RECORD_STORE> owned(*pp);
    *pp = nullptr;
}

namespace {

// RS_ulAddRecord, with the record's key in index 0 already made (key0, or
// null).
uint32_t addRecord(FFC_RECORD_STORE* s, const void* rec, uint32_t len, const unsigned char* key0)
{
    changed();
    ++s->changes;
    try {
        s->records.push_back(s->keep(rec, len));
        auto n = static_cast<uint32_t>(s->records.size());
        for (size_t i = 0; i < s->indexes.size(); ++i) {
            Index& ix = s->indexes[i];
            unsigned char small[4];
            ix.insert(i == 0 && key0 ? key0 : ix.keyOf(rec, len, small), n);
        }
        return n;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace

uint32_t RS_ulAddRecord(FFC_RECORD_STORE* s, const void* rec, uint32_t len)
{
    if (!s || !rec)
        return 0;
    return addRecord(s, rec, len, nullptr);
}

uint32_t RS_ulPutRecord(FFC_RECORD_STORE* s, const void* rec, uint32_t len)
{
    if (!s || !rec)
        return 0;
    if (s->indexes.empty())
        return RS_ulAddRecord(s, rec, len);
    try {
        Index& ix0 = s->indexes[0];
        unsigned char small[4];
        const unsigned char* key = ix0.keyOf(rec, len, small);
        size_t at = ix0.find(key);
        if (at == SIZE_MAX)
            return addRecord(s, rec, len, key);
        uint32_t n = ix0.numbers[at];
        changed();
        ++s->changes;
        std::vector<unsigned char> old;
        if (s->indexes.size() > 1) {
            old.resize(s->arena.Length(s->records[n - 1]));
            s->copy(n, old.data(), static_cast<uint32_t>(old.size()));
        }
        if (s->arena.Replace(s->records[n - 1], rec, len, s->packed) && n == s->lastRead.number)
            s->lastRead = {};
        s->compactWhenWorth();
        // re-key the other indexes when the record's keys there changed
        for (size_t i = 1; i < s->indexes.size(); ++i) {
            Index& ix = s->indexes[i];
            ix.erase(ix.keyOf(old.data(), static_cast<uint32_t>(old.size())), n);
            ix.insert(ix.keyOf(rec, len), n);
        }
        return n;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int32_t RS_fFindRecordOver(FFC_RECORD_STORE* s, uint16_t index, const void* key, void* rec, uint32_t capacity,
                           uint32_t* length, const void* heldKey)
{
    // The record held is looked up before the one wanted: the index then
    // keeps the wanted one as the one found last, where a reader going on
    // in key order looks next.
    const uint32_t held = s && rec ? s->find(index, heldKey) : 0;
    uint32_t n = s ? s->find(index, key) : 0;
    if (n == 0)
        return 1;
    if (!rec) {
        if (length)
            *length = s->arena.Length(s->records[n - 1]);
        return 0;
    }
    uint32_t full = s->copyOver(n, rec, capacity, held, heldKey != nullptr);
    if (length)
        *length = full;
    return 0;
}

int32_t RS_fFindRecord(FFC_RECORD_STORE* s, uint16_t index, const void* key, void* rec, uint32_t capacity,
                       uint32_t* length)
{
    return RS_fFindRecordOver(s, index, key, rec, capacity, length, nullptr);
}

const void* RS_pViewRecord(FFC_RECORD_STORE* s, uint16_t index, const void* key, uint32_t* length)
{
    uint32_t n = s ? s->find(index, key) : 0;
    return n == 0 ? nullptr : s->viewOf(n, length);
}

uint32_t RS_ulRecordCount(FFC_RECORD_STORE* s)
{
    return s ? static_cast<uint32_t>(s->records.size()) : 0;
}

uint64_t RS_ulChangeStamp(void)
{
    return changeStamp.load(std::memory_order_relaxed);
}

}  // extern "C"

// ---------------------------------------------------------------------------
// The stores of a pass

namespace {

// Key of command, extension and source records: the two leading 16-bit
// numbers, big-endian so that the bytes sort as the numbers do.
void commandKey(const void* rec, uint32_t len, void* key)
{
    uint16_t n[2] = {0, 0};
    if (len >= 4)
        std::memcpy(n, rec, 4);
    else
        std::memcpy(n, rec, len);
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

// Reads the record with the two leading numbers of rec into rec (over what
// rec holds of the record with the numbers `held`, when given), or with
// `following` the record of the command that follows them.
int32_t findKeyed(FFC_RECORD_STORE* s, void* rec, uint32_t capacity, const int16_t* held = nullptr,
                  bool following = false)
{
    if (!s || !rec || capacity < 4)
        return 1;
    int16_t n[2];
    std::memcpy(n, rec, sizeof n);
    const uint32_t number = following ? s->findFollowing(n[0], n[1]) : s->findNumbered(n[0], n[1]);
    if (number == 0)
        return 1;
    s->copyOver(number, rec, capacity, held ? s->findNumbered(held[0], held[1]) : 0, held != nullptr);
    return 0;
}

// A view of the record of a command or source store with the two numbers.
const void* viewNumbered(FFC_RECORD_STORE* s, int16_t line, int16_t subLine, uint32_t* length)
{
    const uint32_t n = s ? s->findNumbered(line, subLine) : 0;
    return n == 0 ? nullptr : s->viewOf(n, length);
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

}  // namespace

extern "C" {

int16_t RS_sCreateCommandStores(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return -1;
    RS_DestroyCommandStores(ctx);
    // A source record ends with its text (its store takes no blank tail),
    // so packing would save only the few zeros and blanks of its head: it
    // is kept as it is, stored without looking for runs and read back in
    // a few literal pieces by both passes and the generator.
    if (createKeyed(&ctx->pCommandStore, true) || createKeyed(&ctx->pExtensionStore, true) ||
        createKeyed(&ctx->pSourceStore, false)) {
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

void RS_ShrinkCommandStores(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return;
    for (FFC_RECORD_STORE* s : {ctx->pCommandStore, ctx->pExtensionStore, ctx->pSourceStore})
        if (s)
            s->compact(true);
}

int16_t RS_PutCommandRecord(FFC_CONTEXT* ctx, const void* r, uint32_t l)
{
    return ctx ? putKeyed(ctx->pCommandStore, r, l) : -1;
}
int16_t RS_PutCommandExtension(FFC_CONTEXT* ctx, const void* r, uint32_t l)
{
    return ctx ? putKeyed(ctx->pExtensionStore, r, l) : -1;
}
int16_t RS_PutSourceRecord(FFC_CONTEXT* ctx, const void* r, uint32_t l)
{
    return ctx ? putKeyed(ctx->pSourceStore, r, l) : -1;
}
int32_t RS_fFindCommandRecord(FFC_CONTEXT* ctx, void* r, uint32_t c)
{
    return ctx ? findKeyed(ctx->pCommandStore, r, c) : 1;
}
int32_t RS_fFindCommandRecordOver(FFC_CONTEXT* ctx, void* r, uint32_t c, int16_t heldLine, int16_t heldSubLine)
{
    const int16_t held[2] = {heldLine, heldSubLine};
    return ctx ? findKeyed(ctx->pCommandStore, r, c, held) : 1;
}
int32_t RS_fFindFollowingCommandRecord(FFC_CONTEXT* ctx, void* r, uint32_t c)
{
    return ctx ? findKeyed(ctx->pCommandStore, r, c, nullptr, true) : 1;
}
const void* RS_pViewCommandRecord(FFC_CONTEXT* ctx, int16_t line, int16_t subLine, uint32_t* length)
{
    return ctx ? viewNumbered(ctx->pCommandStore, line, subLine, length) : nullptr;
}
int32_t RS_fFindCommandExtension(FFC_CONTEXT* ctx, void* r, uint32_t c)
{
    return ctx ? findKeyed(ctx->pExtensionStore, r, c) : 1;
}
int32_t RS_fFindSourceRecord(FFC_CONTEXT* ctx, void* r, uint32_t c)
{
    return ctx ? findKeyed(ctx->pSourceStore, r, c) : 1;
}
const void* RS_pViewSourceRecord(FFC_CONTEXT* ctx, int16_t line, int16_t subLine, uint32_t* length)
{
    return ctx ? viewNumbered(ctx->pSourceStore, line, subLine, length) : nullptr;
}

uint16_t RS_sCreateMessageStore(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return 1;
    RS_sDestroyMessageStore(ctx);
    // packed: a message's text is blank-padded to its full width
    if (RS_sCreateStore(&ctx->pMessageStore, true) != 0)
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
    uint32_t group =
        m->ulLine >= 1 && m->ulLine < FFC_MESSAGE_GROUP_SUMMARY - 1 ? m->ulLine + 1 : FFC_MESSAGE_GROUP_OUTSIDE;
    return addMessage(ctx, group, m);
}

int16_t RS_sAddSummaryMessage(FFC_CONTEXT* ctx, const FFC_CHECK_MESSAGE* m)
{
    return addMessage(ctx, FFC_MESSAGE_GROUP_SUMMARY, m);
}

uint32_t RS_ulRunMessageCount(FFC_CONTEXT* ctx)
{
    return ctx ? RS_ulRecordCount(ctx->pMessageStore) : 0;
}

void RS_ListMessageGroups(FFC_CONTEXT* ctx, RS_GROUP_LISTER lister, void* user)
{
    if (!ctx || !ctx->pMessageStore || !lister)
        return;
    FFC_RECORD_STORE* s = ctx->pMessageStore;
    // messages of each group in insertion order
    std::map<uint32_t, std::vector<FFC_CHECK_MESSAGE>> groups;
    for (uint32_t n : s->indexes[0].numbers) {
        StoredMessage m{};
        s->copy(n, &m, sizeof m);
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

}  // extern "C"

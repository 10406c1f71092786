// Keyed work file: a red-black tree holds the records in the first order
// (key kind, name, qualifier, sequence; data the number of the record's
// 2,800 data bytes, kept packed beside the tree). The second order (kind,
// qualifier, name, sequence) is a sorted list of the tree's entries, read
// from their stored keys: most jobs never read in that order, so the list is
// built at the first such read and kept up to date from then on.
#include "dqov/runcontrol/workfile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "dqov/runcontrol/x_tree.h"
#include "runcontrol/packing.h"
#include "runcontrol/x_tree_internal.h"

namespace {

// Work files created so far in the process: each has its own number.
std::atomic<uint32_t> workFilesCreated{0};

// The changes of each record kind (WF_ulKindStamp), found by the kind's 10
// characters as they stand: an open-addressed table of the few kinds a job
// writes, each read as two words (a stamp is asked for tens of thousands of
// times a job).
class KindChanges {
public:
    // The changes counted for the kind.
    uint32_t Count(const char* acKind) const
    {
        const Word w = wordOf(acKind);
        if (slots_.empty())
            return 0;
        for (size_t i = slotOf(w);; i = (i + 1) & (slots_.size() - 1)) {
            const Slot& s = slots_[i];
            if (!s.used)
                return 0;
            if (s.word == w)
                return s.count;
        }
    }
    // Counts a change of the kind (may throw std::bad_alloc).
    void Add(const char* acKind)
    {
        const Word w = wordOf(acKind);
        if ((used_ + 1) * 2 > slots_.size())
            grow();
        for (size_t i = slotOf(w);; i = (i + 1) & (slots_.size() - 1)) {
            Slot& s = slots_[i];
            if (!s.used) {
                s = Slot{w, 1, true};
                ++used_;
                return;
            }
            if (s.word == w) {
                ++s.count;
                return;
            }
        }
    }

private:
    struct Word {
        uint64_t head = 0;
        uint16_t tail = 0;
        bool operator==(const Word&) const = default;
    };
    struct Slot {
        Word word;
        uint32_t count = 0;
        bool used = false;
    };
    static_assert(FFC_WORK_KIND_LEN == 10);
    static Word wordOf(const char* kind)
    {
        Word w;
        std::memcpy(&w.head, kind, 8);
        std::memcpy(&w.tail, kind + 8, 2);
        return w;
    }
    size_t slotOf(const Word& w) const
    {
        const uint64_t h = (w.head ^ (static_cast<uint64_t>(w.tail) << 48) ^ w.tail) * 0x9E3779B97F4A7C15ULL;
        return static_cast<size_t>(h >> 32) & (slots_.size() - 1);
    }
    void grow()
    {
        std::vector<Slot> old(slots_.empty() ? 32 : slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& s : old) {
            if (!s.used)
                continue;
            size_t i = slotOf(s.word);
            while (slots_[i].used)
                i = (i + 1) & (slots_.size() - 1);
            slots_[i] = s;
        }
    }

    std::vector<Slot> slots_;
    size_t used_ = 0;
};

struct Slot {
    int order = 0;                  // 0 cleared, 1 first order, 2 second order
    RBTREE_ENTRY* entry = nullptr;  // the current record's entry in the tree
    bool pending = false;           // `entry` is the next one to read (after a delete)
};

}  // namespace

struct FFC_WORK_FILE {
    RBTREE* primary = nullptr;
    // The tree's entries in the second order, once a read in that order
    // asked for them (secondBuilt).
    std::vector<RBTREE_ENTRY*> second;
    bool secondBuilt = false;
    uint32_t sequence = 0;
    std::array<Slot, WF_CURSOR_SLOTS> slots{};
    // The records' data, packed: mostly blank, so a few bytes of the 2,800.
    std::vector<rc::PackedBytes> data;
    std::vector<uint32_t> freeData;  // numbers of data no record holds
    std::vector<unsigned char> scratch;
    // WF_ulKindStamp: the file's number and, by record kind, the changes
    uint32_t number = ++workFilesCreated;
    KindChanges kindChanges;

    void changed(const char* acKind) { kindChanges.Add(acKind); }

    ~FFC_WORK_FILE()
    {
        RBTree_DestroyTree(primary);
    }
};

namespace {

// Nodes of the tree are carved from pages of this size: the last page's
// nodes not yet used are held for nothing, so the pages are kept small.
constexpr uint32_t kPageBytes = 16 * 1024;

bool defineTrees(FFC_WORK_FILE& wf)
{
    if (RBTree_CreateTree(&wf.primary, kPageBytes))
        return false;
    return RBTree_DefineKey(wf.primary, RBT_TYPE_BYTES, FFC_WORK_KIND_LEN) == 0 &&
           RBTree_DefineKey(wf.primary, RBT_TYPE_BYTES, FFC_WORK_NAME_LEN) == 0 &&
           RBTree_DefineKey(wf.primary, RBT_TYPE_BYTES, FFC_WORK_QUAL_LEN) == 0 &&
           RBTree_DefineKey(wf.primary, RBT_TYPE_UINT32, 4) == 0 &&
           RBTree_DefineData(wf.primary, RBT_TYPE_UINT32, 4) == 0;
}

FFC_WORK_FILE* workFile(FFC_CONTEXT* ctx, bool create)
{
    if (!ctx)
        return nullptr;
    if (!ctx->pWorkFile && create && WF_sCreate(ctx) != 0)
        return nullptr;
    return ctx->pWorkFile;
}

// The key of a record in one order (sequence given separately).
struct Key {
    std::array<const void*, 4> parts;
    Key(const FFC_WORK_RECORD* r, int order, const uint32_t* seq)
    {
        if (order == 2)
            parts = {r->acKind, r->acQualifier, r->acName, seq};
        else
            parts = {r->acKind, r->acName, r->acQualifier, seq};
    }
};

uint16_t leadingParts(uint16_t parts)
{
    return parts >= 3 ? 3 : parts;
}

uint32_t dataOf(FFC_WORK_FILE& wf, RBTREE_ENTRY* primary)
{
    uint32_t n;
    std::memcpy(&n, rbt::dataPart(wf.primary, primary, 0), sizeof n);
    return n;
}

// Keeps a record's data; returns its number.
uint32_t keepData(FFC_WORK_FILE& wf, const char* data)
{
    rc::PackedBytes packed = rc::PackedBytes::Of(data, FFC_WORK_DATA_LEN, wf.scratch);
    if (wf.freeData.empty()) {
        wf.data.push_back(std::move(packed));
        return static_cast<uint32_t>(wf.data.size() - 1);
    }
    uint32_t n = wf.freeData.back();
    wf.freeData.pop_back();
    wf.data[n] = std::move(packed);
    return n;
}

void dropData(FFC_WORK_FILE& wf, uint32_t n)
{
    wf.data[n] = rc::PackedBytes{};
    wf.freeData.push_back(n);
}

void copyKey(FFC_WORK_FILE& wf, RBTREE_ENTRY* primary, FFC_WORK_RECORD* r)
{
    std::memcpy(r->acKind, rbt::keyPart(wf.primary, primary, 0), FFC_WORK_KIND_LEN);
    std::memcpy(r->acName, rbt::keyPart(wf.primary, primary, 1), FFC_WORK_NAME_LEN);
    std::memcpy(r->acQualifier, rbt::keyPart(wf.primary, primary, 2), FFC_WORK_QUAL_LEN);
}

void copyOut(FFC_WORK_FILE& wf, RBTREE_ENTRY* primary, FFC_WORK_RECORD* r)
{
    copyKey(wf, primary, r);
    wf.data[dataOf(wf, primary)].CopyTo(r->acData, FFC_WORK_DATA_LEN);
}

// What a read copies of the record it finds into the buffer: the whole
// record, its key alone (kKeyOnly), or the first n bytes of its data alone
// (n below kKeyOnly).
constexpr uint32_t kWhole = UINT32_MAX;
constexpr uint32_t kKeyOnly = UINT32_MAX - 1;

void copyRead(FFC_WORK_FILE& wf, RBTREE_ENTRY* primary, FFC_WORK_RECORD* r, uint32_t what)
{
    if (what >= kKeyOnly) {
        copyKey(wf, primary, r);
        if (what == kWhole)
            wf.data[dataOf(wf, primary)].CopyTo(r->acData, FFC_WORK_DATA_LEN);
    } else if (what > 0) {
        wf.data[dataOf(wf, primary)].CopyTo(r->acData, std::min<uint32_t>(what, FFC_WORK_DATA_LEN));
    }
}

uint32_t sequenceOf(FFC_WORK_FILE& wf, RBTREE_ENTRY* primary)
{
    uint32_t s;
    std::memcpy(&s, rbt::keyPart(wf.primary, primary, 3), sizeof s);
    return s;
}

// ---- the second order

// Compares the first `parts` parts (1 to 4) of an entry's second-order key
// (kind, qualifier, name, sequence) with a key's: <0, 0, >0. The texts
// compare as the bytes they are, the sequence as a number.
int compareSecond(FFC_WORK_FILE& wf, RBTREE_ENTRY* e, const void* const* key, uint16_t parts)
{
    static constexpr unsigned kTreePart[] = {0, 2, 1};
    static constexpr size_t kLength[] = {FFC_WORK_KIND_LEN, FFC_WORK_QUAL_LEN, FFC_WORK_NAME_LEN};
    for (uint16_t i = 0; i < parts && i < 3; ++i) {
        int c = std::memcmp(rbt::keyPart(wf.primary, e, kTreePart[i]), key[i], kLength[i]);
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    if (parts < 4)
        return 0;
    uint32_t seq, given;
    std::memcpy(&seq, rbt::keyPart(wf.primary, e, 3), sizeof seq);
    std::memcpy(&given, key[3], sizeof given);
    return seq < given ? -1 : seq > given;
}

// The second-order key of an entry, read where the tree stores it.
std::array<const void*, 4> secondKeyOf(FFC_WORK_FILE& wf, RBTREE_ENTRY* e)
{
    return {rbt::keyPart(wf.primary, e, 0), rbt::keyPart(wf.primary, e, 2), rbt::keyPart(wf.primary, e, 1),
            rbt::keyPart(wf.primary, e, 3)};
}

// The position of the first entry of the list whose first `parts` key parts
// are not below the key's.
size_t secondLowerBound(FFC_WORK_FILE& wf, const void* const* key, uint16_t parts)
{
    auto at = std::partition_point(wf.second.begin(), wf.second.end(),
                                   [&](RBTREE_ENTRY* e) { return compareSecond(wf, e, key, parts) < 0; });
    return static_cast<size_t>(at - wf.second.begin());
}

// The position of an entry in the list (every key is unique by its sequence).
size_t secondPosition(FFC_WORK_FILE& wf, RBTREE_ENTRY* e)
{
    const auto key = secondKeyOf(wf, e);
    return secondLowerBound(wf, key.data(), 4);
}

// Builds the list of the second order from the tree; false without memory.
bool buildSecond(FFC_WORK_FILE& wf)
{
    if (wf.secondBuilt)
        return true;
    try {
        std::vector<RBTREE_ENTRY*> all;
        all.reserve(RBTree_GetEntryCount(wf.primary));
        for (RBTREE_ENTRY* e = rbt::first(wf.primary); e; e = rbt::next(wf.primary, e))
            all.push_back(e);
        std::sort(all.begin(), all.end(), [&](RBTREE_ENTRY* a, RBTREE_ENTRY* b) {
            const auto key = secondKeyOf(wf, b);
            return compareSecond(wf, a, key.data(), 4) < 0;
        });
        wf.second = std::move(all);
    } catch (const std::bad_alloc&) {
        return false;
    }
    wf.secondBuilt = true;
    return true;
}

// The record after e in an order (NULL at the end).
RBTREE_ENTRY* nextIn(FFC_WORK_FILE& wf, int order, RBTREE_ENTRY* e)
{
    if (order != 2)
        return rbt::next(wf.primary, e);
    size_t at = secondPosition(wf, e) + 1;
    return at < wf.second.size() ? wf.second[at] : nullptr;
}

// Inserts a record in both orders; returns its first-order entry.
RBTREE_ENTRY* insert(FFC_WORK_FILE& wf, const FFC_WORK_RECORD* r)
{
    uint32_t seq = ++wf.sequence;
    uint32_t data = 0;
    try {
        wf.changed(r->acKind);
        data = keepData(wf, r->acData);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    Key k1(r, 1, &seq);
    const void* d1[] = {&data};
    RBTREE_ENTRY* e1 = RBTree_PutEntry(wf.primary, k1.parts.data(), d1);
    if (!e1) {
        dropData(wf, data);
        return nullptr;
    }
    if (wf.secondBuilt) {
        try {
            const auto key = secondKeyOf(wf, e1);
            wf.second.insert(wf.second.begin() + static_cast<long>(secondLowerBound(wf, key.data(), 4)), e1);
        } catch (const std::bad_alloc&) {
            rbt::erase(wf.primary, e1);
            dropData(wf, data);
            return nullptr;
        }
    }
    return e1;
}

// Removes a record from both orders; slots on it move to the record after it
// in their own order.
void remove(FFC_WORK_FILE& wf, RBTREE_ENTRY* e1)
{
    wf.changed(static_cast<const char*>(rbt::keyPart(wf.primary, e1, 0)));
    const size_t at2 = wf.secondBuilt ? secondPosition(wf, e1) : 0;
    for (auto& s : wf.slots) {
        if (s.order == 0 || s.entry != e1)
            continue;
        RBTREE_ENTRY* after = nullptr;
        if (s.order != 2)
            after = rbt::next(wf.primary, e1);
        else if (at2 + 1 < wf.second.size())
            after = wf.second[at2 + 1];
        if (after) {
            s.entry = after;
            s.pending = true;
        } else {
            s = Slot{};
        }
    }
    if (wf.secondBuilt && at2 < wf.second.size() && wf.second[at2] == e1)
        wf.second.erase(wf.second.begin() + static_cast<long>(at2));
    dropData(wf, dataOf(wf, e1));
    rbt::erase(wf.primary, e1);
}

char readFirst(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts, int order, uint32_t what = kWhole)
{
    FFC_WORK_FILE* wf = workFile(ctx, false);
    if (!wf || !r || slot >= WF_CURSOR_SLOTS || parts == 0 || parts > 4) {
        if (wf && slot < WF_CURSOR_SLOTS)
            wf->slots[slot] = Slot{};
        return '1';
    }
    uint16_t n = leadingParts(parts);
    uint32_t zero = 0;
    Key k(r, order, &zero);
    RBTREE_ENTRY* e = nullptr;
    if (order != 2) {
        e = rbt::lowerBound(wf->primary, k.parts.data(), n);
        if (e && rbt::compareEntry(wf->primary, e, k.parts.data(), n) != 0)
            e = nullptr;
    } else if (buildSecond(*wf)) {
        size_t at = secondLowerBound(*wf, k.parts.data(), n);
        if (at < wf->second.size() && compareSecond(*wf, wf->second[at], k.parts.data(), n) == 0)
            e = wf->second[at];
    }
    if (!e) {
        wf->slots[slot] = Slot{};
        return '1';
    }
    wf->slots[slot] = Slot{order, e, false};
    copyRead(*wf, e, r, what);
    return '0';
}

char update(FFC_CONTEXT* ctx, uint16_t slot, const FFC_WORK_RECORD* r)
{
    FFC_WORK_FILE* wf = workFile(ctx, false);
    if (!wf || !r || slot >= WF_CURSOR_SLOTS)
        return '1';
    Slot& s = wf->slots[slot];
    if (s.order == 0 || s.pending)
        return '1';
    RBTREE_ENTRY* e1 = s.entry;
    if (std::memcmp(rbt::keyPart(wf->primary, e1, 0), r->acKind, FFC_WORK_KIND_LEN) == 0 &&
        std::memcmp(rbt::keyPart(wf->primary, e1, 1), r->acName, FFC_WORK_NAME_LEN) == 0 &&
        std::memcmp(rbt::keyPart(wf->primary, e1, 2), r->acQualifier, FFC_WORK_QUAL_LEN) == 0) {
        wf->changed(r->acKind);
        try {
            wf->data[dataOf(*wf, e1)].Assign(r->acData, FFC_WORK_DATA_LEN, wf->scratch);
        } catch (const std::bad_alloc&) {
            return '1';
        }
        return '0';
    }
    int order = s.order;
    FFC_WORK_RECORD copy;
    std::memcpy(&copy, r, sizeof copy);  // the buffer may be the one being moved
    remove(*wf, e1);
    RBTREE_ENTRY* moved = insert(*wf, &copy);
    if (!moved) {
        wf->slots[slot] = Slot{};
        return '1';
    }
    wf->slots[slot] = Slot{order, moved, false};
    return '0';
}

char erase(FFC_CONTEXT* ctx, uint16_t slot)
{
    FFC_WORK_FILE* wf = workFile(ctx, false);
    if (!wf || slot >= WF_CURSOR_SLOTS)
        return '1';
    Slot& s = wf->slots[slot];
    if (s.order == 0 || s.pending)
        return '1';
    remove(*wf, s.entry);
    return '0';
}

char readNext(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts, uint32_t what)
{
    FFC_WORK_FILE* wf = workFile(ctx, false);
    if (!wf || !r || slot >= WF_CURSOR_SLOTS)
        return '1';
    Slot& s = wf->slots[slot];
    if (s.order == 0 || parts == 0 || parts > 4) {
        s = Slot{};
        return '1';
    }
    RBTREE_ENTRY* e = s.pending ? s.entry : nextIn(*wf, s.order, s.entry);
    uint32_t zero = 0;
    Key k(r, s.order, &zero);
    const uint16_t n = leadingParts(parts);
    if (!e || (s.order == 2 ? compareSecond(*wf, e, k.parts.data(), n)
                            : rbt::compareEntry(wf->primary, e, k.parts.data(), n)) != 0) {
        s = Slot{};
        return '1';
    }
    s.entry = e;
    s.pending = false;
    copyRead(*wf, e, r, what);
    return '0';
}

}  // namespace

extern "C" {

int16_t WF_sCreate(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return -1;
    WF_Destroy(ctx);
    std::unique_ptr<FFC_WORK_FILE> wf;
    try {
        wf = std::make_unique<FFC_WORK_FILE>();
    } catch (const std::bad_alloc&) {
        return -9;
    }
    if (!defineTrees(*wf))
        return -9;
    ctx->pWorkFile = wf.release();
    return 0;
}

void WF_Destroy(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return;
    std::unique_ptr<FFC_WORK_FILE> owned(ctx->pWorkFile);
    ctx->pWorkFile = nullptr;
}

uint64_t WF_ulKindStamp(FFC_CONTEXT* ctx, const char* acKind)
{
    FFC_WORK_FILE* wf = workFile(ctx, false);
    if (!wf || !acKind)
        return 0;
    return static_cast<uint64_t>(wf->number) << 32 | wf->kindChanges.Count(acKind);
}

void WF_BlankRecord(FFC_CONTEXT*, FFC_WORK_RECORD* r)
{
    if (r)
        rc::FillBytes(r, ' ', sizeof *r);
}

int32_t WF_lWrite(FFC_CONTEXT* ctx, const FFC_WORK_RECORD* r)
{
    FFC_WORK_FILE* wf = workFile(ctx, true);
    if (!wf || !r)
        return 0;
    RBTREE_ENTRY* e = insert(*wf, r);
    return e ? static_cast<int32_t>(sequenceOf(*wf, e)) : 0;
}

char WF_cReadFirst(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts)
{
    return readFirst(ctx, slot, r, parts, 1);
}

char WF_cReadFirstBySecondKey(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts)
{
    return readFirst(ctx, slot, r, parts, 2);
}

char WF_cFindFirst(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts)
{
    return readFirst(ctx, slot, r, parts, 1, kKeyOnly);
}

char WF_cReadFirstHead(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts, uint32_t dataBytes)
{
    return readFirst(ctx, slot, r, parts, 1, std::min<uint32_t>(dataBytes, FFC_WORK_DATA_LEN));
}

char WF_cReadNext(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts)
{
    return readNext(ctx, slot, r, parts, kWhole);
}

char WF_cReadNextHead(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r, uint16_t parts, uint32_t dataBytes)
{
    return readNext(ctx, slot, r, parts, std::min<uint32_t>(dataBytes, FFC_WORK_DATA_LEN));
}

char WF_cReadCurrent(FFC_CONTEXT* ctx, uint16_t slot, FFC_WORK_RECORD* r)
{
    FFC_WORK_FILE* wf = workFile(ctx, false);
    if (!wf || !r || slot >= WF_CURSOR_SLOTS)
        return '1';
    const Slot& s = wf->slots[slot];
    if (s.order == 0 || s.pending)
        return '1';
    copyOut(*wf, s.entry, r);
    return '0';
}

char WF_cUpdate(FFC_CONTEXT* ctx, uint16_t slot, const FFC_WORK_RECORD* r)
{
    return update(ctx, slot, r);
}
char WF_cUpdateBySecondKey(FFC_CONTEXT* ctx, uint16_t slot, const FFC_WORK_RECORD* r)
{
    return update(ctx, slot, r);
}
char WF_cDelete(FFC_CONTEXT* ctx, uint16_t slot, const FFC_WORK_RECORD*)
{
    return erase(ctx, slot);
}
char WF_cDeleteBySecondKey(FFC_CONTEXT* ctx, uint16_t slot, const FFC_WORK_RECORD*)
{
    return erase(ctx, slot);
}

}  // extern "C"

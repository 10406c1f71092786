// x_tree: multi-key red-black tree.
//
// Each tree keeps a list of key parts and data parts (type code, length,
// order). An entry is one node: the three links and the colour, followed by
// the key parts and the data parts stored back to back at their defined
// lengths. Nodes are carved from node pages; deleted nodes go to a free list
// and are reused. Deletion relinks nodes rather than copying payloads, so a
// handle stays valid until its own entry is deleted.
#include "dqov/runcontrol/x_tree.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "runcontrol/x_tree_internal.h"

struct RBTREE_ENTRY {
    RBTREE_ENTRY* left;
    RBTREE_ENTRY* right;
    RBTREE_ENTRY* parent;
    bool red;
    // The key and data parts begin here, right after the colour, and run on
    // past the end of the struct into the node's room in its page: they are
    // read and written with memcpy only, so they need no alignment.
    unsigned char payload[7];
};

namespace {

struct Part {
    uint16_t type;
    uint32_t length;
    uint32_t offset;
    bool descending;
};

std::mutex g_errorMutex;
std::string g_lastError;

void setError(const std::string& text)
{
    std::lock_guard<std::mutex> lock(g_errorMutex);
    g_lastError = text;
}

bool validPart(uint16_t type, uint32_t length)
{
    switch (type) {
    case RBT_TYPE_INT16: return length == 2;
    case RBT_TYPE_INT32:
    case RBT_TYPE_UINT32: return length == 4;
    case RBT_TYPE_INT64:
    case RBT_TYPE_DOUBLE: return length == 8;
    case RBT_TYPE_POINTER: return length == sizeof(void*);
    case RBT_TYPE_STRING:
    case RBT_TYPE_BYTES:
    case RBT_TYPE_STRING_NC:
    case RBT_TYPE_BYTES_NC: return length > 0 && length <= 65535;
    default: return false;
    }
}

template <typename T> T load(const void* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T> int cmp3(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The order of two unequal words of bytes as memcmp gives it: compared as
// big-endian numbers.
template <typename T> int wordOrder(T x, T y)
{
    if constexpr (std::endian::native == std::endian::little) {
        if constexpr (sizeof(T) == 8) {
            x = __builtin_bswap64(x);
            y = __builtin_bswap64(y);
        } else if constexpr (sizeof(T) == 4) {
            x = __builtin_bswap32(x);
            y = __builtin_bswap32(y);
        } else {
            static_assert(sizeof(T) == 2);
            x = __builtin_bswap16(x);
            y = __builtin_bswap16(y);
        }
    }
    return x < y ? -1 : 1;
}

// Compares the next word of both strings where at least one is left;
// true with `order` set where they differ, else steps past it.
template <typename T> bool wordDiffers(const unsigned char*& a, const unsigned char*& b, size_t& len, int& order)
{
    const T x = load<T>(a), y = load<T>(b);
    if (x != y) {
        order = wordOrder(x, y);
        return true;
    }
    a += sizeof(T);
    b += sizeof(T);
    len -= sizeof(T);
    return false;
}

// memcmp's order of two byte strings (-1, 0, 1), eight bytes at a time as
// big-endian numbers: the work file's keys are short texts, for which the
// library call costs more than the compare.
int compareBytes(const unsigned char* a, const unsigned char* b, size_t len)
{
    int order = 0;
    while (len >= 8)
        if (wordDiffers<uint64_t>(a, b, len, order))
            return order;
    // the last bytes (a text of 10 has two): four and two at a time
    if (len >= 4 && wordDiffers<uint32_t>(a, b, len, order))
        return order;
    if (len >= 2 && wordDiffers<uint16_t>(a, b, len, order))
        return order;
    if (len > 0 && *a != *b)
        return *a < *b ? -1 : 1;
    return 0;
}

int compareNoCase(const unsigned char* a, const unsigned char* b, uint32_t len, bool terminated)
{
    for (uint32_t i = 0; i < len; ++i) {
        int ca = std::toupper(a[i]);
        int cb = std::toupper(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (terminated && ca == 0)
            return 0;
    }
    return 0;
}

// Compares one stored part with a caller's part (the caller's terminated
// texts may be shorter than the part).
int comparePart(const Part& p, const void* stored, const void* given)
{
    int r = 0;
    switch (p.type) {
    case RBT_TYPE_INT16: r = cmp3(load<int16_t>(stored), load<int16_t>(given)); break;
    case RBT_TYPE_INT32: r = cmp3(load<int32_t>(stored), load<int32_t>(given)); break;
    case RBT_TYPE_UINT32: r = cmp3(load<uint32_t>(stored), load<uint32_t>(given)); break;
    case RBT_TYPE_INT64: r = cmp3(load<int64_t>(stored), load<int64_t>(given)); break;
    case RBT_TYPE_DOUBLE: r = cmp3(load<double>(stored), load<double>(given)); break;
    case RBT_TYPE_POINTER: r = cmp3(load<uintptr_t>(stored), load<uintptr_t>(given)); break;
    case RBT_TYPE_STRING: {
        int c = std::strncmp(static_cast<const char*>(stored), static_cast<const char*>(given), p.length - 1);
        r = c < 0 ? -1 : (c > 0 ? 1 : 0);
        break;
    }
    case RBT_TYPE_BYTES:
        r = compareBytes(static_cast<const unsigned char*>(stored), static_cast<const unsigned char*>(given), p.length);
        break;
    case RBT_TYPE_STRING_NC:
        r = compareNoCase(static_cast<const unsigned char*>(stored), static_cast<const unsigned char*>(given),
                          p.length - 1, true);
        break;
    case RBT_TYPE_BYTES_NC:
        r = compareNoCase(static_cast<const unsigned char*>(stored), static_cast<const unsigned char*>(given), p.length,
                          false);
        break;
    }
    return p.descending ? -r : r;
}

// Copies a caller's part into its stored place.
void storePart(const Part& p, unsigned char* place, const void* given)
{
    if (!given) {
        std::memset(place, 0, p.length);
        return;
    }
    if (p.type == RBT_TYPE_STRING || p.type == RBT_TYPE_STRING_NC) {
        size_t n = strnlen(static_cast<const char*>(given), p.length - 1);
        std::memcpy(place, given, n);
        std::memset(place + n, 0, p.length - n);
        return;
    }
    std::memcpy(place, given, p.length);
}

constexpr size_t kHeader = offsetof(RBTREE_ENTRY, payload);

}  // namespace

struct RBTREE {
    std::vector<Part> keys;
    std::vector<Part> data;
    uint32_t keyBytes = 0;
    uint32_t dataBytes = 0;
    uint32_t pageSize = 0;
    size_t nodeSize = 0;
    size_t perPage = 0;
    std::vector<std::unique_ptr<std::byte[]>> pages;
    size_t usedInPage = 0;
    size_t inPage = 0;  // nodes the last page holds
    RBTREE_ENTRY* freeList = nullptr;
    RBTREE_ENTRY nilNode{};
    RBTREE_ENTRY* nil = &nilNode;
    RBTREE_ENTRY* root = &nilNode;
    uint32_t count = 0;
    // the tree's own cursor: mode 0 before first, 1 after last, 2 on `cur`,
    // 3 just before `cur`
    int mode = 0;
    RBTREE_ENTRY* cur = nullptr;

    RBTREE() { nilNode = {&nilNode, &nilNode, &nilNode, false, {}}; }

    unsigned char* keyArea(RBTREE_ENTRY* e) { return reinterpret_cast<unsigned char*>(e) + kHeader; }
    unsigned char* dataArea(RBTREE_ENTRY* e) { return keyArea(e) + keyBytes; }

    RBTREE_ENTRY* allocNode();
    void freeNode(RBTREE_ENTRY* e)
    {
        e->left = freeList;
        freeList = e;
    }
    int compare(RBTREE_ENTRY* e, const void* const* key, size_t parts)
    {
        for (size_t i = 0; i < parts; ++i) {
            int r = comparePart(keys[i], keyArea(e) + keys[i].offset, key[i]);
            if (r)
                return r;
        }
        return 0;
    }
    // The leading key parts that compare as one stretch of bytes: two or
    // more ascending byte parts whose given values lie side by side, as
    // the parts do in an entry (a work file's kind, name and qualifier).
    struct Joined {
        size_t parts = 0;  // 0: none
        size_t bytes = 0;
    };
    Joined joined(const void* const* key, size_t parts) const
    {
        Joined j;
        size_t i = 0;
        for (; i < parts; ++i) {
            const Part& p = keys[i];
            if (p.type != RBT_TYPE_BYTES || p.descending)
                break;
            if (i > 0 && (p.offset != keys[i - 1].offset + keys[i - 1].length ||
                          static_cast<const unsigned char*>(key[i]) !=
                              static_cast<const unsigned char*>(key[i - 1]) + keys[i - 1].length))
                break;
            j.bytes += p.length;
        }
        if (i >= 2)
            j.parts = i;
        else
            j.bytes = 0;
        return j;
    }
    // compare() with the joined parts compared at once: the same order,
    // byte by byte.
    int compare(RBTREE_ENTRY* e, const void* const* key, size_t parts, const Joined& j)
    {
        size_t i = 0;
        if (j.parts) {
            int r = compareBytes(keyArea(e) + keys[0].offset, static_cast<const unsigned char*>(key[0]), j.bytes);
            if (r)
                return r;
            i = j.parts;
        }
        for (; i < parts; ++i) {
            int r = comparePart(keys[i], keyArea(e) + keys[i].offset, key[i]);
            if (r)
                return r;
        }
        return 0;
    }
    RBTREE_ENTRY* find(const void* const* key)
    {
        RBTREE_ENTRY* x = root;
        while (x != nil) {
            int r = compare(x, key, keys.size());
            if (r == 0)
                return x;
            x = r > 0 ? x->left : x->right;
        }
        return nullptr;
    }
    RBTREE_ENTRY* minimum(RBTREE_ENTRY* x)
    {
        while (x->left != nil)
            x = x->left;
        return x;
    }
    RBTREE_ENTRY* maximum(RBTREE_ENTRY* x)
    {
        while (x->right != nil)
            x = x->right;
        return x;
    }
    RBTREE_ENTRY* successor(RBTREE_ENTRY* x)
    {
        if (x->right != nil)
            return minimum(x->right);
        RBTREE_ENTRY* y = x->parent;
        while (y != nil && x == y->right) {
            x = y;
            y = y->parent;
        }
        return y == nil ? nullptr : y;
    }
    RBTREE_ENTRY* predecessor(RBTREE_ENTRY* x)
    {
        if (x->left != nil)
            return maximum(x->left);
        RBTREE_ENTRY* y = x->parent;
        while (y != nil && x == y->left) {
            x = y;
            y = y->parent;
        }
        return y == nil ? nullptr : y;
    }
    void rotateLeft(RBTREE_ENTRY* x);
    void rotateRight(RBTREE_ENTRY* x);
    void insertFixup(RBTREE_ENTRY* z);
    void transplant(RBTREE_ENTRY* u, RBTREE_ENTRY* v);
    void eraseNode(RBTREE_ENTRY* z);
    void deleteFixup(RBTREE_ENTRY* x);
    void copyOut(RBTREE_ENTRY* e, void* const* key, void* const* dat)
    {
        for (size_t i = 0; key && i < keys.size(); ++i)
            if (key[i])
                std::memcpy(key[i], keyArea(e) + keys[i].offset, keys[i].length);
        for (size_t i = 0; dat && i < data.size(); ++i)
            if (dat[i])
                std::memcpy(dat[i], dataArea(e) + data[i].offset, data[i].length);
    }
    void storeData(RBTREE_ENTRY* e, const void* const* dat)
    {
        for (size_t i = 0; i < data.size(); ++i)
            storePart(data[i], dataArea(e) + data[i].offset, dat ? dat[i] : nullptr);
    }
};

RBTREE_ENTRY* RBTREE::allocNode()
{
    if (freeList) {
        RBTREE_ENTRY* e = freeList;
        freeList = e->left;
        return e;
    }
    if (nodeSize == 0) {
        size_t payload = keyBytes + dataBytes;
        // nodes side by side keep their links aligned
        nodeSize = std::max(sizeof(RBTREE_ENTRY), (kHeader + payload + alignof(RBTREE_ENTRY) - 1) /
                                                      alignof(RBTREE_ENTRY) * alignof(RBTREE_ENTRY));
        perPage = pageSize >= nodeSize ? pageSize / nodeSize : pageSize;
        if (perPage == 0)
            perPage = 1;
    }
    // a page is not cleared: every part of a node is written when it is
    // put, and the nodes not yet used take no memory. The first pages are
    // smaller, each twice the one before up to the page size: a tree of a
    // few entries holds little more than them.
    if (pages.empty() || usedInPage == inPage) {
        const size_t grown = pages.size();
        const size_t nodes = grown >= 4 ? perPage : std::min(perPage, std::max<size_t>(1, perPage >> 4) << grown);
        std::unique_ptr<std::byte[]> page;
        try {
            page = std::make_unique_for_overwrite<std::byte[]>(nodeSize * nodes);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        pages.push_back(std::move(page));
        usedInPage = 0;
        inPage = nodes;
    }
    auto* e = reinterpret_cast<RBTREE_ENTRY*>(pages.back().get() + nodeSize * usedInPage++);
    return e;
}

void RBTREE::rotateLeft(RBTREE_ENTRY* x)
{
    RBTREE_ENTRY* y = x->right;
    x->right = y->left;
    if (y->left != nil)
        y->left->parent = x;
    y->parent = x->parent;
    if (x->parent == nil)
        root = y;
    else if (x == x->parent->left)
        x->parent->left = y;
    else
        x->parent->right = y;
    y->left = x;
    x->parent = y;
}

void RBTREE::rotateRight(RBTREE_ENTRY* x)
{
    RBTREE_ENTRY* y = x->left;
    x->left = y->right;
    if (y->right != nil)
        y->right->parent = x;
    y->parent = x->parent;
    if (x->parent == nil)
        root = y;
    else if (x == x->parent->right)
        x->parent->right = y;
    else
        x->parent->left = y;
    y->right = x;
    x->parent = y;
}

void RBTREE::insertFixup(RBTREE_ENTRY* z)
{
    while (z->parent->red) {
        RBTREE_ENTRY* gp = z->parent->parent;
        if (z->parent == gp->left) {
            RBTREE_ENTRY* y = gp->right;
            if (y->red) {
                z->parent->red = false;
                y->red = false;
                gp->red = true;
                z = gp;
            } else {
                if (z == z->parent->right) {
                    z = z->parent;
                    rotateLeft(z);
                }
                z->parent->red = false;
                z->parent->parent->red = true;
                rotateRight(z->parent->parent);
            }
        } else {
            RBTREE_ENTRY* y = gp->left;
            if (y->red) {
                z->parent->red = false;
                y->red = false;
                gp->red = true;
                z = gp;
            } else {
                if (z == z->parent->left) {
                    z = z->parent;
                    rotateRight(z);
                }
                z->parent->red = false;
                z->parent->parent->red = true;
                rotateLeft(z->parent->parent);
            }
        }
    }
    root->red = false;
}

void RBTREE::transplant(RBTREE_ENTRY* u, RBTREE_ENTRY* v)
{
    if (u->parent == nil)
        root = v;
    else if (u == u->parent->left)
        u->parent->left = v;
    else
        u->parent->right = v;
    v->parent = u->parent;
}

void RBTREE::eraseNode(RBTREE_ENTRY* z)
{
    // keep the tree's own cursor on a live node
    if (cur == z) {
        RBTREE_ENTRY* s = successor(z);
        if (s) {
            cur = s;
            mode = 3;
        } else {
            cur = nullptr;
            mode = 1;
        }
    }
    RBTREE_ENTRY* y = z;
    RBTREE_ENTRY* x;
    bool yRed = y->red;
    if (z->left == nil) {
        x = z->right;
        transplant(z, z->right);
    } else if (z->right == nil) {
        x = z->left;
        transplant(z, z->left);
    } else {
        y = minimum(z->right);
        yRed = y->red;
        x = y->right;
        if (y->parent == z) {
            x->parent = y;
        } else {
            transplant(y, y->right);
            y->right = z->right;
            y->right->parent = y;
        }
        transplant(z, y);
        y->left = z->left;
        y->left->parent = y;
        y->red = z->red;
    }
    if (!yRed)
        deleteFixup(x);
    nil->parent = nil;
    --count;
    freeNode(z);
}

void RBTREE::deleteFixup(RBTREE_ENTRY* x)
{
    while (x != root && !x->red) {
        if (x == x->parent->left) {
            RBTREE_ENTRY* w = x->parent->right;
            if (w->red) {
                w->red = false;
                x->parent->red = true;
                rotateLeft(x->parent);
                w = x->parent->right;
            }
            if (!w->left->red && !w->right->red) {
                w->red = true;
                x = x->parent;
            } else {
                if (!w->right->red) {
                    w->left->red = false;
                    w->red = true;
                    rotateRight(w);
                    w = x->parent->right;
                }
                w->red = x->parent->red;
                x->parent->red = false;
                w->right->red = false;
                rotateLeft(x->parent);
                x = root;
            }
        } else {
            RBTREE_ENTRY* w = x->parent->left;
            if (w->red) {
                w->red = false;
                x->parent->red = true;
                rotateRight(x->parent);
                w = x->parent->left;
            }
            if (!w->right->red && !w->left->red) {
                w->red = true;
                x = x->parent;
            } else {
                if (!w->left->red) {
                    w->right->red = false;
                    w->red = true;
                    rotateLeft(w);
                    w = x->parent->left;
                }
                w->red = x->parent->red;
                x->parent->red = false;
                w->left->red = false;
                rotateRight(x->parent);
                x = root;
            }
        }
    }
    x->red = false;
}

namespace {

int32_t definePart(RBTREE* tree, std::vector<Part>& parts, uint32_t& bytes, uint16_t type, uint32_t length,
                   bool descending, const char* what)
{
    if (!tree) {
        setError(std::string(what) + ": no tree");
        return -1;
    }
    if (tree->count > 0 || tree->nodeSize != 0) {
        setError(std::string(what) + ": refused, the tree already holds entries");
        return -1;
    }
    if (!validPart(type, length)) {
        setError(std::string(what) + ": invalid type code " + std::to_string(type) + " or length " +
                 std::to_string(length));
        return -1;
    }
    parts.push_back(Part{type, length, bytes, descending});
    bytes += length;
    return 0;
}

bool usable(RBTREE* tree, const char* what)
{
    if (!tree) {
        setError(std::string(what) + ": no tree");
        return false;
    }
    if (tree->keys.empty()) {
        setError(std::string(what) + ": the tree has no key defined");
        return false;
    }
    return true;
}

}  // namespace

extern "C" {

int32_t RBTree_CreateTree(RBTREE** ppTree, uint32_t ulPageSize)
{
    if (!ppTree) {
        setError("RBTree_CreateTree: no anchor");
        return -1;
    }
    std::unique_ptr<RBTREE> owned;
    try {
        owned = std::make_unique<RBTREE>();
    } catch (const std::bad_alloc&) {}
    RBTREE* t = owned.release();
    if (!t) {
        *ppTree = nullptr;
        setError("RBTree_CreateTree: no storage");
        return -1;
    }
    t->pageSize = ulPageSize ? ulPageSize : 1;
    *ppTree = t;
    return 0;
}

int32_t RBTree_DefineKey(RBTREE* t, uint16_t type, uint32_t len)
{
    if (!t) {
        setError("RBTree_DefineKey: no tree");
        return -1;
    }
    return definePart(t, t->keys, t->keyBytes, type, len, false, "RBTree_DefineKey");
}

int32_t RBTree_DefineDescendingKey(RBTREE* t, uint16_t type, uint32_t len)
{
    if (!t) {
        setError("RBTree_DefineDescendingKey: no tree");
        return -1;
    }
    return definePart(t, t->keys, t->keyBytes, type, len, true, "RBTree_DefineDescendingKey");
}

int32_t RBTree_DefineData(RBTREE* t, uint16_t type, uint32_t len)
{
    if (!t) {
        setError("RBTree_DefineData: no tree");
        return -1;
    }
    return definePart(t, t->data, t->dataBytes, type, len, false, "RBTree_DefineData");
}

RBTREE_ENTRY* RBTree_PutEntry(RBTREE* t, const void* const* key, const void* const* dat)
{
    if (!usable(t, "RBTree_PutEntry") || !key)
        return nullptr;
    for (size_t i = 0; i < t->keys.size(); ++i)
        if (!key[i]) {
            setError("RBTree_PutEntry: key part " + std::to_string(i + 1) + " missing");
            return nullptr;
        }
    RBTREE_ENTRY* y = t->nil;
    RBTREE_ENTRY* x = t->root;
    int r = 0;
    const RBTREE::Joined joined = t->joined(key, t->keys.size());
    while (x != t->nil) {
        y = x;
        r = t->compare(x, key, t->keys.size(), joined);
        if (r == 0) {
            setError("RBTree_PutEntry: duplicate key");
            return nullptr;
        }
        x = r > 0 ? x->left : x->right;
    }
    RBTREE_ENTRY* z = t->allocNode();
    if (!z) {
        setError("RBTree_PutEntry: no storage");
        return nullptr;
    }
    for (size_t i = 0; i < t->keys.size(); ++i)
        storePart(t->keys[i], t->keyArea(z) + t->keys[i].offset, key[i]);
    t->storeData(z, dat);
    z->parent = y;
    z->left = z->right = t->nil;
    z->red = true;
    if (y == t->nil)
        t->root = z;
    else if (r > 0)
        y->left = z;
    else
        y->right = z;
    t->insertFixup(z);
    ++t->count;
    return z;
}

RBTREE_ENTRY* RBTree_UpdateEntry(RBTREE* t, const void* const* key, const void* const* dat)
{
    if (!usable(t, "RBTree_UpdateEntry") || !key)
        return nullptr;
    RBTREE_ENTRY* e = t->find(key);
    if (!e) {
        setError("RBTree_UpdateEntry: key not found");
        return nullptr;
    }
    t->storeData(e, dat);
    return e;
}

RBTREE_ENTRY* RBTree_GetEntry(RBTREE* t, const void* const* key, void* const* dat)
{
    if (!usable(t, "RBTree_GetEntry") || !key)
        return nullptr;
    RBTREE_ENTRY* e = t->find(key);
    if (!e) {
        setError("RBTree_GetEntry: key not found");
        return nullptr;
    }
    t->copyOut(e, nullptr, dat);
    return e;
}

int32_t RBTree_GetEntry_Direct(RBTREE* t, RBTREE_ENTRY* e, void* const* key, void* const* dat)
{
    if (!t || !e) {
        setError("RBTree_GetEntry_Direct: no tree or no entry");
        return 0;
    }
    t->copyOut(e, key, dat);
    return 1;
}

int32_t RBTree_DeleteEntry(RBTREE* t, const void* const* key)
{
    if (!usable(t, "RBTree_DeleteEntry") || !key)
        return 0;
    RBTREE_ENTRY* e = t->find(key);
    if (!e) {
        setError("RBTree_DeleteEntry: key not found");
        return 0;
    }
    t->eraseNode(e);
    return 1;
}

void RBTree_PositiontoFirst(RBTREE* t)
{
    if (!t)
        return;
    t->mode = 0;
    t->cur = nullptr;
}

void RBTree_PositiontoLast(RBTREE* t)
{
    if (!t)
        return;
    t->mode = 1;
    t->cur = nullptr;
}

int32_t RBTree_PositiontoKey(RBTREE* t, const void* const* key, uint16_t parts)
{
    if (!usable(t, "RBTree_PositiontoKey"))
        return 0;
    RBTREE_ENTRY* e = rbt::lowerBound(t, key, parts);
    if (!e) {
        t->mode = 1;
        t->cur = nullptr;
        return 0;
    }
    t->mode = 3;
    t->cur = e;
    return 1;
}

int32_t RBTree_GetNextEntry(RBTREE* t, void* const* key, void* const* dat)
{
    if (!t)
        return 0;
    RBTREE_ENTRY* e = nullptr;
    switch (t->mode) {
    case 0: e = t->root == t->nil ? nullptr : t->minimum(t->root); break;
    case 1: e = nullptr; break;
    case 2: e = t->successor(t->cur); break;
    case 3: e = t->cur; break;
    }
    if (!e) {
        t->mode = 1;
        t->cur = nullptr;
        return 0;
    }
    t->mode = 2;
    t->cur = e;
    t->copyOut(e, key, dat);
    return 1;
}

int32_t RBTree_GetPrevEntry(RBTREE* t, void* const* key, void* const* dat)
{
    if (!t)
        return 0;
    RBTREE_ENTRY* e = nullptr;
    switch (t->mode) {
    case 0: e = nullptr; break;
    case 1: e = t->root == t->nil ? nullptr : t->maximum(t->root); break;
    case 2:
    case 3: e = t->predecessor(t->cur); break;
    }
    if (!e) {
        t->mode = 0;
        t->cur = nullptr;
        return 0;
    }
    t->mode = 2;
    t->cur = e;
    t->copyOut(e, key, dat);
    return 1;
}

uint32_t RBTree_GetEntryCount(RBTREE* t)
{
    return t ? t->count : 0;
}

const char* RBTree_GetLastError(void)
{
    // the text stays valid until the next failure of any tree
    static thread_local std::string copy;
    std::lock_guard<std::mutex> lock(g_errorMutex);
    copy = g_lastError;
    return copy.c_str();
}

void RBTree_DestroyTree(RBTREE* t)
{
    std::unique_ptr<RBTREE> owned(t);
}

}  // extern "C"

namespace rbt {

RBTREE_ENTRY* lowerBound(RBTREE* t, const void* const* key, uint16_t parts)
{
    if (!t || t->keys.empty())
        return nullptr;
    size_t n = parts == 0 || parts > t->keys.size() ? t->keys.size() : parts;
    RBTREE_ENTRY* x = t->root;
    RBTREE_ENTRY* best = nullptr;
    const RBTREE::Joined joined = t->joined(key, n);
    while (x != t->nil) {
        if (t->compare(x, key, n, joined) >= 0) {
            best = x;
            x = x->left;
        } else {
            x = x->right;
        }
    }
    return best;
}

RBTREE_ENTRY* first(RBTREE* t)
{
    return t && t->root != t->nil ? t->minimum(t->root) : nullptr;
}

RBTREE_ENTRY* next(RBTREE* t, RBTREE_ENTRY* e)
{
    return t && e ? t->successor(e) : nullptr;
}

int compareEntry(RBTREE* t, RBTREE_ENTRY* e, const void* const* key, uint16_t parts)
{
    size_t n = parts == 0 || parts > t->keys.size() ? t->keys.size() : parts;
    return t->compare(e, key, n);
}

const void* keyPart(RBTREE* t, RBTREE_ENTRY* e, unsigned part)
{
    return t->keyArea(e) + t->keys.at(part).offset;
}
void* dataPart(RBTREE* t, RBTREE_ENTRY* e, unsigned part)
{
    return t->dataArea(e) + t->data.at(part).offset;
}
void erase(RBTREE* t, RBTREE_ENTRY* e)
{
    t->eraseNode(e);
}

}  // namespace rbt

// The red-black tree: inserts, finds, deletes, walks both ways, descending
// key parts, many entries and the last-error text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "dqov/runcontrol/x_tree.h"

namespace {

struct Tree {
    RBTREE* t = nullptr;
    explicit Tree(uint32_t page = 1000) { EXPECT_EQ(RBTree_CreateTree(&t, page), 0); }
    ~Tree() { RBTree_DestroyTree(t); }
};

// A name (terminated, length 11) and a 32-bit number, with a 20-byte datum.
struct NameNumber : Tree {
    NameNumber()
    {
        EXPECT_EQ(RBTree_DefineKey(t, RBT_TYPE_STRING, 11), 0);
        EXPECT_EQ(RBTree_DefineKey(t, RBT_TYPE_INT32, 4), 0);
        EXPECT_EQ(RBTree_DefineData(t, RBT_TYPE_BYTES, 20), 0);
    }
    RBTREE_ENTRY* put(const char* name, int32_t n, const char* datum)
    {
        char d[20] = {};
        std::strncpy(d, datum, sizeof d);
        const void* k[] = {name, &n};
        const void* v[] = {d};
        return RBTree_PutEntry(t, k, v);
    }
};

TEST(XTree, PutGetDeleteAndLastError)
{
    NameNumber tr;
    ASSERT_NE(tr.put("BETA", 2, "second"), nullptr);
    RBTREE_ENTRY* a = tr.put("ALPHA", 1, "first");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(tr.put("ALPHA", 7, "other"), nullptr);
    EXPECT_EQ(RBTree_GetEntryCount(tr.t), 3u);

    // the same full key again is refused with a text
    EXPECT_EQ(tr.put("ALPHA", 1, "again"), nullptr);
    EXPECT_STREQ(RBTree_GetLastError(), "RBTree_PutEntry: duplicate key");

    char out[20] = {};
    int32_t one = 1;
    const void* k[] = {"ALPHA", &one};
    void* d[] = {out};
    EXPECT_EQ(RBTree_GetEntry(tr.t, k, d), a);
    EXPECT_STREQ(out, "first");

    // the handle reads the entry directly, keys included
    char name[11] = {};
    int32_t num = 0;
    void* keysOut[] = {name, &num};
    std::memset(out, 0, sizeof out);
    EXPECT_EQ(RBTree_GetEntry_Direct(tr.t, a, keysOut, d), 1);
    EXPECT_STREQ(name, "ALPHA");
    EXPECT_EQ(num, 1);
    EXPECT_STREQ(out, "first");

    int32_t nine = 9;
    const void* missing[] = {"ALPHA", &nine};
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(RBTree_GetEntry(tr.t, missing, d), nullptr);
    EXPECT_EQ(out[0], 'x') << "nothing is copied when the key is absent";
    EXPECT_STREQ(RBTree_GetLastError(), "RBTree_GetEntry: key not found");

    // keys cannot be redefined once entries exist
    EXPECT_EQ(RBTree_DefineKey(tr.t, RBT_TYPE_INT32, 4), -1);
    EXPECT_STREQ(RBTree_GetLastError(), "RBTree_DefineKey: refused, the tree already holds entries");

    EXPECT_EQ(RBTree_DeleteEntry(tr.t, k), 1);
    EXPECT_EQ(RBTree_DeleteEntry(tr.t, k), 0);
    EXPECT_EQ(RBTree_GetEntry(tr.t, k, d), nullptr);
    EXPECT_EQ(RBTree_GetEntryCount(tr.t), 2u);

    // update replaces the data of an existing key only
    const void* nd[] = {"updated............"};
    int32_t two = 2;
    const void* kb[] = {"BETA", &two};
    EXPECT_NE(RBTree_UpdateEntry(tr.t, kb, nd), nullptr);
    EXPECT_EQ(RBTree_UpdateEntry(tr.t, k, nd), nullptr);
    ASSERT_NE(RBTree_GetEntry(tr.t, kb, d), nullptr);
    EXPECT_EQ(std::string(out, 7), "updated");
}

TEST(XTree, InvalidDefinitionsAreRefused)
{
    Tree tr;
    EXPECT_EQ(RBTree_DefineKey(tr.t, RBT_TYPE_INT32, 3), -1);
    EXPECT_STREQ(RBTree_GetLastError(), "RBTree_DefineKey: invalid type code 2 or length 3");
    EXPECT_EQ(RBTree_DefineKey(tr.t, 77, 4), -1);
    int32_t n = 1;
    const void* k[] = {&n};
    EXPECT_EQ(RBTree_PutEntry(tr.t, k, nullptr), nullptr);
    EXPECT_STREQ(RBTree_GetLastError(), "RBTree_PutEntry: the tree has no key defined");
}

TEST(XTree, WalksBothWaysInKeyOrder)
{
    NameNumber tr;
    tr.put("B", 2, "b2");
    tr.put("A", 9, "a9");
    tr.put("B", 1, "b1");
    tr.put("C", 0, "c0");
    char name[11];
    int32_t n;
    void* k[] = {name, &n};
    std::vector<std::string> forward, backward;
    RBTree_PositiontoFirst(tr.t);
    while (RBTree_GetNextEntry(tr.t, k, nullptr))
        forward.push_back(std::string(name) + std::to_string(n));
    RBTree_PositiontoLast(tr.t);
    while (RBTree_GetPrevEntry(tr.t, k, nullptr))
        backward.push_back(std::string(name) + std::to_string(n));
    EXPECT_EQ(forward, (std::vector<std::string>{"A9", "B1", "B2", "C0"}));
    EXPECT_EQ(backward, (std::vector<std::string>{"C0", "B2", "B1", "A9"}));

    // positioned on a partial key, the walk starts at its first entry
    const void* partial[] = {"B"};
    ASSERT_EQ(RBTree_PositiontoKey(tr.t, partial, 1), 1);
    ASSERT_EQ(RBTree_GetNextEntry(tr.t, k, nullptr), 1);
    EXPECT_EQ(std::string(name) + std::to_string(n), "B1");
    // and the previous entry of the position is the one before it
    ASSERT_EQ(RBTree_PositiontoKey(tr.t, partial, 1), 1);
    ASSERT_EQ(RBTree_GetPrevEntry(tr.t, k, nullptr), 1);
    EXPECT_EQ(std::string(name) + std::to_string(n), "A9");
}

TEST(XTree, DescendingKeyParts)
{
    Tree tr;
    ASSERT_EQ(RBTree_DefineKey(tr.t, RBT_TYPE_BYTES, 3), 0);
    ASSERT_EQ(RBTree_DefineDescendingKey(tr.t, RBT_TYPE_INT32, 4), 0);
    const char* kinds[] = {"AAA", "AAA", "BBB", "AAA"};
    int32_t nums[] = {5, 20, 1, -3};
    for (int i = 0; i < 4; ++i) {
        const void* k[] = {kinds[i], &nums[i]};
        ASSERT_NE(RBTree_PutEntry(tr.t, k, nullptr), nullptr);
    }
    char kind[3];
    int32_t n;
    void* k[] = {kind, &n};
    std::vector<std::string> got;
    RBTree_PositiontoFirst(tr.t);
    while (RBTree_GetNextEntry(tr.t, k, nullptr))
        got.push_back(std::string(kind, 3) + std::to_string(n));
    EXPECT_EQ(got, (std::vector<std::string>{"AAA20", "AAA5", "AAA-3", "BBB1"}));
}

TEST(XTree, CaseInsensitiveText)
{
    Tree tr;
    ASSERT_EQ(RBTree_DefineKey(tr.t, RBT_TYPE_STRING_NC, 11), 0);
    const void* k1[] = {"Field"};
    ASSERT_NE(RBTree_PutEntry(tr.t, k1, nullptr), nullptr);
    const void* k2[] = {"FIELD"};
    EXPECT_NE(RBTree_GetEntry(tr.t, k2, nullptr), nullptr);
    EXPECT_EQ(RBTree_PutEntry(tr.t, k2, nullptr), nullptr);
}

TEST(XTree, ManyEntriesInsertedAndDeletedAtRandom)
{
    Tree tr(256);  // small pages: many of them
    ASSERT_EQ(RBTree_DefineKey(tr.t, RBT_TYPE_INT32, 4), 0);
    ASSERT_EQ(RBTree_DefineData(tr.t, RBT_TYPE_INT32, 4), 0);
    std::mt19937 rng(7);
    std::set<int32_t> model;
    for (int i = 0; i < 20000; ++i) {
        int32_t key = static_cast<int32_t>(rng() % 5000);
        const void* k[] = {&key};
        if (rng() % 3 == 0) {
            EXPECT_EQ(RBTree_DeleteEntry(tr.t, k), model.erase(key) ? 1 : 0);
        } else {
            int32_t val = key * 2;
            const void* v[] = {&val};
            bool fresh = model.insert(key).second;
            EXPECT_EQ(RBTree_PutEntry(tr.t, k, v) != nullptr, fresh);
        }
    }
    EXPECT_EQ(RBTree_GetEntryCount(tr.t), model.size());
    std::vector<int32_t> walked;
    int32_t key, val;
    void* k[] = {&key};
    void* v[] = {&val};
    RBTree_PositiontoFirst(tr.t);
    while (RBTree_GetNextEntry(tr.t, k, v)) {
        EXPECT_EQ(val, key * 2);
        walked.push_back(key);
    }
    EXPECT_EQ(walked, std::vector<int32_t>(model.begin(), model.end()));
}

// Nodes lie side by side in their pages with parts of odd lengths between
// their links; no entry may reach into its neighbour's, whatever the parts'
// lengths (a node with no payload at all included).
TEST(XTree, PartsOfOddLengthsStayApartInSharedPages)
{
    Tree odd(5);  // five entries a page
    ASSERT_EQ(RBTree_DefineKey(odd.t, RBT_TYPE_BYTES, 3), 0);
    ASSERT_EQ(RBTree_DefineKey(odd.t, RBT_TYPE_INT64, 8), 0);
    ASSERT_EQ(RBTree_DefineData(odd.t, RBT_TYPE_DOUBLE, 8), 0);
    ASSERT_EQ(RBTree_DefineData(odd.t, RBT_TYPE_POINTER, sizeof(void*)), 0);
    ASSERT_EQ(RBTree_DefineData(odd.t, RBT_TYPE_BYTES, 1), 0);
    Tree bare(5);
    ASSERT_EQ(RBTree_DefineKey(bare.t, RBT_TYPE_BYTES, 1), 0);

    // the 3-byte key part of entry i
    auto tagOf = [](int i) { return std::string{static_cast<char>('A' + i % 26), static_cast<char>('a' + i % 7), '#'}; };
    auto put = [&](int i) {
        const std::string tag = tagOf(i);
        const int64_t big = 1'000'000'007LL * i;
        const double half = i + 0.5;
        const void* self = &odd;
        const char end = static_cast<char>(i);
        const void* k[] = {tag.data(), &big};
        const void* d[] = {&half, &self, &end};
        return RBTree_PutEntry(odd.t, k, d);
    };
    std::vector<RBTREE_ENTRY*> handles;
    for (int i = 0; i < 60; ++i) {
        handles.push_back(put(i));
        ASSERT_NE(handles.back(), nullptr);
        const unsigned char b = static_cast<unsigned char>(i);
        const void* k[] = {&b};
        ASSERT_NE(RBTree_PutEntry(bare.t, k, nullptr), nullptr);
    }
    // every third entry deleted and put again: the freed nodes are reused
    for (int i = 0; i < 60; i += 3) {
        const std::string tag = tagOf(i);
        const int64_t big = 1'000'000'007LL * i;
        const void* k[] = {tag.data(), &big};
        ASSERT_EQ(RBTree_DeleteEntry(odd.t, k), 1);
        handles[static_cast<size_t>(i)] = put(i);
        ASSERT_NE(handles[static_cast<size_t>(i)], nullptr);
    }
    for (int i = 0; i < 60; ++i) {
        char tag[3];
        int64_t big = 0;
        double half = 0;
        void* self = nullptr;
        char end = 0;
        void* k[] = {tag, &big};
        void* d[] = {&half, &self, &end};
        ASSERT_EQ(RBTree_GetEntry_Direct(odd.t, handles[static_cast<size_t>(i)], k, d), 1);
        EXPECT_EQ(std::string(tag, 3), tagOf(i));
        EXPECT_EQ(big, 1'000'000'007LL * i);
        EXPECT_EQ(half, i + 0.5);
        EXPECT_EQ(self, &odd);
        EXPECT_EQ(end, static_cast<char>(i));
    }
    unsigned char b = 0, expected = 0;
    void* k[] = {&b};
    RBTree_PositiontoFirst(bare.t);
    while (RBTree_GetNextEntry(bare.t, k, nullptr))
        EXPECT_EQ(b, expected++);
    EXPECT_EQ(expected, 60);
}

TEST(XTree, CursorSurvivesDeletingTheCurrentEntry)
{
    Tree tr;
    ASSERT_EQ(RBTree_DefineKey(tr.t, RBT_TYPE_INT32, 4), 0);
    for (int32_t i = 1; i <= 5; ++i) {
        const void* k[] = {&i};
        RBTree_PutEntry(tr.t, k, nullptr);
    }
    int32_t key;
    void* k[] = {&key};
    RBTree_PositiontoFirst(tr.t);
    std::vector<int32_t> kept;
    while (RBTree_GetNextEntry(tr.t, k, nullptr)) {
        if (key % 2 == 0) {
            const void* del[] = {&key};
            ASSERT_EQ(RBTree_DeleteEntry(tr.t, del), 1);
        } else {
            kept.push_back(key);
        }
    }
    EXPECT_EQ(kept, (std::vector<int32_t>{1, 3, 5}));
    EXPECT_EQ(RBTree_GetEntryCount(tr.t), 3u);
}

TEST(XTree, ByteKeysGivenSideBySideOrderAsPartByPart)
{
    // three byte parts (3, 9 and 2 bytes) and a number, as a work file keys
    // its records; keys given in one buffer (the parts side by side) and in
    // buffers apart must put, find and walk in the same order: byte by byte,
    // bytes above 127 after the others, part after part
    Tree tree;
    ASSERT_EQ(RBTree_DefineKey(tree.t, RBT_TYPE_BYTES, 3), 0);
    ASSERT_EQ(RBTree_DefineKey(tree.t, RBT_TYPE_BYTES, 9), 0);
    ASSERT_EQ(RBTree_DefineKey(tree.t, RBT_TYPE_BYTES, 2), 0);
    ASSERT_EQ(RBTree_DefineKey(tree.t, RBT_TYPE_UINT32, 4), 0);
    std::mt19937 random(15);
    const unsigned char alphabet[] = {'A', 'B', ' ', 0x00, 0x7F, 0x80, 0xE9, 0xFF};
    std::set<std::pair<std::string, uint32_t>> expected;
    for (int i = 0; i < 400; ++i) {
        std::string bytes(14, ' ');
        for (char& c : bytes)
            c = static_cast<char>(alphabet[random() % (i < 200 ? 2 : sizeof alphabet)]);
        const uint32_t n = static_cast<uint32_t>(random() % 3);
        if (!expected.emplace(bytes, n).second)
            continue;
        std::string a = bytes.substr(0, 3), b = bytes.substr(3, 9), c = bytes.substr(12, 2);
        const void* apart[] = {a.data(), b.data(), c.data(), &n};
        const void* joined[] = {bytes.data(), bytes.data() + 3, bytes.data() + 12, &n};
        ASSERT_NE(RBTree_PutEntry(tree.t, i % 2 ? apart : joined, nullptr), nullptr);
        // both forms find it, and a second put of either is refused
        EXPECT_NE(RBTree_GetEntry(tree.t, apart, nullptr), nullptr);
        EXPECT_NE(RBTree_GetEntry(tree.t, joined, nullptr), nullptr);
        EXPECT_EQ(RBTree_PutEntry(tree.t, i % 2 ? joined : apart, nullptr), nullptr);
    }
    std::vector<std::pair<std::string, uint32_t>> walked;
    char key[14];
    uint32_t n = 0;
    void* out[] = {key, key + 3, key + 12, &n};
    RBTree_PositiontoFirst(tree.t);
    while (RBTree_GetNextEntry(tree.t, out, nullptr))
        walked.emplace_back(std::string(key, 14), n);
    // std::string compares its chars as unsigned, as the tree compares bytes
    const std::vector<std::pair<std::string, uint32_t>> sorted(expected.begin(), expected.end());
    EXPECT_EQ(walked, sorted);

    // positioning on the leading parts, given side by side, finds the first
    // entry not below them
    for (const auto& [bytes, number] : expected) {
        const void* lead[] = {bytes.data(), bytes.data() + 3};
        ASSERT_EQ(RBTree_PositiontoKey(tree.t, lead, 2), 1);
        ASSERT_TRUE(RBTree_GetNextEntry(tree.t, out, nullptr));
        const auto first = std::find_if(expected.begin(), expected.end(), [&](const auto& e) {
            return e.first.compare(0, 12, bytes, 0, 12) >= 0;
        });
        EXPECT_EQ(std::string(key, 14), first->first);
        EXPECT_EQ(n, first->second);
    }
}

}  // namespace

// Record stores: keyed command records, packing, and run messages grouped
// by line with nothing dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <strings.h>
#include <vector>

#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"

namespace {

struct Cmd {
    uint16_t line;
    uint16_t sub;
    char text[200];
};

struct Stores : ::testing::Test {
    FFC_CONTEXT ctx{};
    void SetUp() override
    {
        ASSERT_EQ(RS_sCreateCommandStores(&ctx), 0);
        ASSERT_EQ(RS_sCreateMessageStore(&ctx), 0);
    }
    void TearDown() override { P31O2_FreeRunContext(&ctx); }
    // the whole stored text of a command record, or "none"
    std::string Find(int line, int sub)
    {
        Cmd q{};
        q.line = static_cast<uint16_t>(line);
        q.sub = static_cast<uint16_t>(sub);
        if (RS_fFindCommandRecord(&ctx, &q, sizeof q) != 0)
            return "none";
        return std::string(q.text, sizeof q.text);
    }
};

TEST_F(Stores, CommandRecordsByTheirTwoNumbers)
{
    Cmd c{};
    std::memset(c.text, ' ', sizeof c.text);
    c.line = 300;
    c.sub = 1;
    std::memcpy(c.text, "FUNCTION OPTIONS(*DIRECT)", 25);
    ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);
    c.sub = 2;
    std::memcpy(c.text, "RETURN                   ", 25);
    ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);
    // replacing keeps one record per key
    std::memcpy(c.text, "RETURN2", 7);
    ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);
    EXPECT_EQ(RS_ulRecordCount(ctx.pCommandStore), 2u);

    Cmd q{};
    q.line = 300;
    q.sub = 1;
    ASSERT_EQ(RS_fFindCommandRecord(&ctx, &q, sizeof q), 0);
    EXPECT_EQ(std::string(q.text, 25), "FUNCTION OPTIONS(*DIRECT)");
    q.sub = 2;
    ASSERT_EQ(RS_fFindCommandRecord(&ctx, &q, sizeof q), 0);
    EXPECT_EQ(std::string(q.text, 7), "RETURN2");
    EXPECT_EQ(std::string(q.text + 25, 175), std::string(175, ' ')) << "packed blanks come back";
    q.sub = 1;
    ASSERT_EQ(RS_fFindCommandRecordOver(&ctx, &q, sizeof q, 300, 2), 0);
    EXPECT_EQ(std::string(q.text, 200), "FUNCTION OPTIONS(*DIRECT)" + std::string(175, ' '));
    uint32_t length = 0;
    const auto* view = static_cast<const Cmd*>(RS_pViewCommandRecord(&ctx, 300, 2, &length));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(length, sizeof(Cmd));
    EXPECT_EQ(std::string(view->text, 7), "RETURN2");
    EXPECT_EQ(RS_pViewCommandRecord(&ctx, 300, 3, nullptr), nullptr);

    Cmd none{};
    none.line = 1;
    std::memcpy(none.text, "keep", 4);
    EXPECT_EQ(RS_fFindCommandRecord(&ctx, &none, sizeof none), 1);
    EXPECT_EQ(std::string(none.text, 4), "keep");
    EXPECT_EQ(RS_fFindCommandExtension(&ctx, &q, sizeof q), 1);
    ASSERT_EQ(RS_PutCommandExtension(&ctx, &q, sizeof q), 0);
    EXPECT_EQ(RS_fFindCommandExtension(&ctx, &q, sizeof q), 0);
    ASSERT_EQ(RS_PutSourceRecord(&ctx, &q, sizeof q), 0);
    EXPECT_EQ(RS_fFindSourceRecord(&ctx, &q, sizeof q), 0);
}

TEST_F(Stores, SourceRecordsAreViewedAtTheirStoredLength)
{
    Cmd c{};
    c.line = 300;
    c.sub = 2;
    std::memcpy(c.text, "CHANGE FIELD(A) VALUE(1)", 24);
    ASSERT_EQ(RS_PutSourceRecord(&ctx, &c, 4 + 24), 0);
    c.sub = 3;
    std::memset(c.text, '-', sizeof c.text);
    ASSERT_EQ(RS_PutSourceRecord(&ctx, &c, sizeof c), 0);
    // a command record under the same numbers is in a store of its own
    std::memcpy(c.text, "parsed", 6);
    c.sub = 2;
    ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);

    uint32_t length = 0;
    const auto* view = static_cast<const Cmd*>(RS_pViewSourceRecord(&ctx, 300, 2, &length));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(length, 28u);
    EXPECT_EQ(view->line, 300);
    EXPECT_EQ(view->sub, 2);
    EXPECT_EQ(std::string(view->text, 24), "CHANGE FIELD(A) VALUE(1)");
    view = static_cast<const Cmd*>(RS_pViewSourceRecord(&ctx, 300, 3, &length));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(length, sizeof(Cmd));
    EXPECT_EQ(std::string(view->text, sizeof view->text), std::string(sizeof view->text, '-'));
    EXPECT_EQ(RS_pViewSourceRecord(&ctx, 300, 4, nullptr), nullptr);
    EXPECT_EQ(RS_pViewSourceRecord(nullptr, 300, 2, nullptr), nullptr);
    const auto* parsed = static_cast<const Cmd*>(RS_pViewCommandRecord(&ctx, 300, 2, nullptr));
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(std::string(parsed->text, 6), "parsed");
}

TEST_F(Stores, ReplacedRecordsAndLookupsInAnyOrder)
{
    // records 1..40 under (n, 0), every third also under (n, 1)
    auto text = [](int n, int version) {
        std::string t = "v" + std::to_string(version) + " record " + std::to_string(n);
        return t + std::string(static_cast<size_t>(n % 5) * 30 * (version + 1), version % 2 ? '*' : ' ');
    };
    std::map<std::pair<int, int>, std::string> latest;
    auto put = [&](int n, int sub, const std::string& t) {
        Cmd c{};
        std::memset(c.text, ' ', sizeof c.text);
        c.line = static_cast<uint16_t>(n);
        c.sub = static_cast<uint16_t>(sub);
        std::memcpy(c.text, t.data(), std::min(t.size(), sizeof c.text));
        ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);
        latest[{n, sub}] = std::string(c.text, sizeof c.text);
    };
    for (int n = 1; n <= 40; ++n) {
        put(n, 0, text(n, 0));
        if (n % 3 == 0)
            put(n, 1, text(n, 0));
    }
    for (int n = 1; n <= 40; ++n) {
        put(n, 0, text(n, 0));  // the same record again
        if (n % 2 == 0)
            put(n, 0, text(n, 1));  // another of another length
        if (n % 4 == 0)
            put(n, 0, text(n, 1) + "!");  // changed, the same length packed
    }
    EXPECT_EQ(RS_ulRecordCount(ctx.pCommandStore), 40u + 13u);
    auto expected = [&](int n, int sub) {
        auto it = latest.find({n, sub});
        return it == latest.end() ? std::string("none") : it->second;
    };
    std::vector<int> order;
    for (int n = 0; n <= 41; ++n)
        order.push_back(n);
    for (int n = 41; n >= 0; --n)
        order.push_back(n);
    for (int i = 0; i < 84; ++i)
        order.push_back((i * 17) % 42);
    for (int n : order)
        for (int sub : {0, 1, 2}) {
            EXPECT_EQ(Find(n, sub), expected(n, sub)) << n << "," << sub;
        }
}

TEST_F(Stores, LinesPastAByteOrderAsNumbersInEveryWalk)
{
    // lines around 255/256 and 65,280: the keys sort as the numbers do,
    // whichever way a reader walks and whichever record it held last
    std::vector<std::pair<int, int>> keys;
    for (int line : {1, 2, 254, 255, 256, 257, 511, 512, 4095, 4096, 65279, 65280, 65281})
        for (int sub : {0, 1, 255, 256})
            keys.push_back({line, sub});
    std::map<std::pair<int, int>, std::string> stored;
    // stored in an order of their own, some twice
    for (size_t i = 0; i < keys.size(); ++i) {
        const auto& k = keys[(i * 7) % keys.size()];
        Cmd c{};
        std::memset(c.text, ' ', sizeof c.text);
        c.line = static_cast<uint16_t>(k.first);
        c.sub = static_cast<uint16_t>(k.second);
        std::string t = "line " + std::to_string(k.first) + " sub " + std::to_string(k.second);
        std::memcpy(c.text, t.data(), t.size());
        ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);
        if (i % 5 == 0) {
            ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);
        }
        stored[k] = t;
    }
    EXPECT_EQ(RS_ulRecordCount(ctx.pCommandStore), keys.size());
    auto get = [&](int line, int sub) {
        const std::string t = Find(line, sub);
        return t.substr(0, t.find_last_not_of(' ') + 1);
    };
    auto want = [&](int line, int sub) {
        auto it = stored.find({line, sub});
        return it == stored.end() ? std::string("none") : it->second;
    };
    std::vector<std::pair<int, int>> walk;
    for (const auto& [k, t] : stored)
        walk.push_back(k);
    // forward, each record then the one before it (the held record), then
    // backward, with keys in between that no record has
    for (size_t i = 0; i < walk.size(); ++i) {
        EXPECT_EQ(get(walk[i].first, walk[i].second), want(walk[i].first, walk[i].second));
        if (i > 0) {
            EXPECT_EQ(get(walk[i - 1].first, walk[i - 1].second), want(walk[i - 1].first, walk[i - 1].second));
        }
        EXPECT_EQ(get(walk[i].first, walk[i].second + 1), want(walk[i].first, walk[i].second + 1));
    }
    for (size_t i = walk.size(); i-- > 0;) {
        EXPECT_EQ(get(walk[i].first, walk[i].second), want(walk[i].first, walk[i].second));
        EXPECT_EQ(get(walk[i].first + 1, 0), want(walk[i].first + 1, 0));
    }
    EXPECT_EQ(get(256, 0), "line 256 sub 0");
    EXPECT_EQ(get(65281, 256), "line 65281 sub 256");
    EXPECT_EQ(get(3, 0), "none");
    EXPECT_EQ(get(65535, 0), "none");
}

// The command after a key in a walk: the next subline of the line when
// stored, else subline 0 of the next line when stored, else none; records
// further on (later sublines, later lines) are not reached from it.
TEST_F(Stores, FollowingCommandIsTheNextSublineElseTheNextLine)
{
    for (auto [line, sub] : std::vector<std::pair<int, int>>{
             {1, 0}, {1, 1}, {1, 3}, {2, 0}, {5, 0}, {5, 1}, {300, 65535}, {301, 0}, {65535, 0}}) {
        Cmd c{};
        std::memset(c.text, ' ', sizeof c.text);
        c.line = static_cast<uint16_t>(line);
        c.sub = static_cast<uint16_t>(sub);
        const std::string t = std::to_string(line) + "/" + std::to_string(sub);
        std::memcpy(c.text, t.data(), t.size());
        ASSERT_EQ(RS_PutCommandRecord(&ctx, &c, sizeof c), 0);
    }
    // the numbers and text of the record following (line, sub), or "none"
    // with the buffer as it was
    auto following = [&](int line, int sub, uint32_t capacity = sizeof(Cmd)) {
        Cmd q{};
        std::memset(q.text, '#', sizeof q.text);
        q.line = static_cast<uint16_t>(line);
        q.sub = static_cast<uint16_t>(sub);
        if (RS_fFindFollowingCommandRecord(&ctx, &q, capacity) != 0) {
            EXPECT_EQ(q.line, static_cast<uint16_t>(line));
            EXPECT_EQ(q.text[0], '#');
            return std::string("none");
        }
        const std::string t(q.text, sizeof q.text);
        return std::to_string(q.line) + "," + std::to_string(q.sub) + " " + t.substr(0, t.find_last_not_of(' ') + 1);
    };
    EXPECT_EQ(following(0, 0), "1,0 1/0");
    EXPECT_EQ(following(1, 0), "1,1 1/1");
    EXPECT_EQ(following(1, 1), "2,0 2/0");  // 1/2 is not stored: 1/3 is skipped
    EXPECT_EQ(following(1, 3), "2,0 2/0");
    EXPECT_EQ(following(2, 0), "none");  // neither 2/1 nor 3/0
    EXPECT_EQ(following(4, 7), "5,0 5/0");  // from a key no record has
    EXPECT_EQ(following(5, 0), "5,1 5/1");
    EXPECT_EQ(following(5, 1), "none");
    // the subline after 65,535 is 0 of the same line
    EXPECT_EQ(following(300, 65534), "300,65535 300/65535");
    EXPECT_EQ(following(300, 65535), "301,0 301/0");  // 300/0 is not stored, 301/0 is
    EXPECT_EQ(following(301, 65535), "301,0 301/0");
    EXPECT_EQ(following(299, 65535), "none");  // neither 299/0 nor 300/0
    EXPECT_EQ(following(300, 3), "301,0 301/0");
    EXPECT_EQ(following(65534, 9), "65535,0 65535/0");
    EXPECT_EQ(following(65535, 0), "none");  // no line after the last
    // in any order, after lookups of other records
    EXPECT_EQ(Find(5, 1).substr(0, 3), "5/1");
    EXPECT_EQ(following(1, 0), "1,1 1/1");
    EXPECT_EQ(following(0, 5), "1,0 1/0");
    // a head only: the numbers and as much of the record as there is room for
    Cmd q{};
    q.line = 1;
    q.sub = 0;
    std::memset(q.text, '#', sizeof q.text);
    ASSERT_EQ(RS_fFindFollowingCommandRecord(&ctx, &q, 6), 0);
    EXPECT_EQ(q.line, 1);
    EXPECT_EQ(q.sub, 1);
    EXPECT_EQ(std::string(q.text, 4), "1/##");
    // a walk from the start meets 1/0, 1/1, 2/0 and stops
    std::string walk;
    for (Cmd w{}; RS_fFindFollowingCommandRecord(&ctx, &w, sizeof w) == 0;)
        walk += std::to_string(w.line) + "," + std::to_string(w.sub) + ";";
    EXPECT_EQ(walk, "1,0;1,1;2,0;");
}

struct Collected {
    std::vector<uint32_t> groups;
    std::vector<uint32_t> counts;
    std::vector<uint32_t> further;
    std::vector<std::string> firstIds;
};

void collect(const FFC_MESSAGE_GROUP* g, void* user)
{
    auto& c = *static_cast<Collected*>(user);
    c.groups.push_back(g->ulGroup);
    c.counts.push_back(g->ulCount);
    c.further.push_back(g->ulFurther);
    c.firstIds.push_back(std::string(g->apMessages[0]->acMsgId, 7));
}

FFC_CHECK_MESSAGE message(uint32_t line, const char* id)
{
    FFC_CHECK_MESSAGE m;
    std::memset(&m, ' ', sizeof m);
    m.ulLine = line;
    m.cSeverity = 'F';
    std::memcpy(m.acMsgId, id, 7);
    return m;
}

// Once a pass has stored its records, the stores give back what they hold
// beyond them; every record still comes back as last stored, and records
// stored afterwards (new ones and longer ones) as well.
TEST_F(Stores, ShrunkStoresKeepEveryRecordAndTakeMore)
{
    RS_ShrinkCommandStores(&ctx);  // empty stores: nothing to do
    std::map<int, std::string> last;
    auto put = [&](int line, const std::string& text) {
        Cmd c{};
        c.line = static_cast<uint16_t>(line);
        c.sub = 1;
        std::memset(c.text, ' ', sizeof c.text);
        std::memcpy(c.text, text.data(), std::min(text.size(), sizeof c.text));
        last[line] = std::string(c.text, sizeof c.text);
        return RS_PutCommandRecord(&ctx, &c, sizeof c) == 0 && RS_PutSourceRecord(&ctx, &c, sizeof c) == 0;
    };
    auto source = [&](int line) {
        Cmd q{};
        q.line = static_cast<uint16_t>(line);
        q.sub = 1;
        return RS_fFindSourceRecord(&ctx, &q, sizeof q) == 0 ? std::string(q.text, sizeof q.text) : "none";
    };
    for (int line = 1; line <= 2000; ++line)
        ASSERT_TRUE(put(line, "CHANGE F" + std::to_string(line)));
    // the second pass stores every other record again with more filled in,
    // which moves it to the end of the room, and a few shorter ones
    for (int line = 1; line <= 2000; line += 2)
        ASSERT_TRUE(put(line, "CHANGE F" + std::to_string(line) + " TO(" + std::string(60, 'A' + line % 26) + ")"));
    for (int line = 10; line <= 2000; line += 500)
        ASSERT_TRUE(put(line, "X"));
    RS_ShrinkCommandStores(&ctx);
    for (const auto& [line, text] : last) {
        ASSERT_EQ(Find(line, 1), text) << "command " << line;
        ASSERT_EQ(source(line), text) << "source " << line;
    }
    // stored after the shrink: longer, shorter and new records
    ASSERT_TRUE(put(2, "CHANGE F2 TO(" + std::string(150, 'Z') + ")"));
    ASSERT_TRUE(put(3, ""));
    ASSERT_TRUE(put(2001, "RETURN"));
    RS_ShrinkCommandStores(&ctx);
    RS_ShrinkCommandStores(&ctx);
    EXPECT_EQ(RS_ulRecordCount(ctx.pCommandStore), 2001u);
    for (const auto& [line, text] : last)
        ASSERT_EQ(Find(line, 1), text) << "command " << line;
    EXPECT_EQ(Find(2, 1).substr(0, 14), "CHANGE F2 TO(Z");
    EXPECT_EQ(Find(3, 1), std::string(200, ' '));
    EXPECT_EQ(Find(2002, 1), "none");
}

TEST_F(Stores, RunMessagesInGroupsOfTwentyNothingDropped)
{
    FFC_CHECK_MESSAGE summary = message(0, "PRC0010");
    ASSERT_EQ(RS_sAddSummaryMessage(&ctx, &summary), 0);
    for (int i = 0; i < 45; ++i) {
        FFC_CHECK_MESSAGE m = message(7, i == 0 ? "PRC0001" : (i == 20 ? "PRC0021" : "PRC9999"));
        ASSERT_EQ(RS_sAddRunMessage(&ctx, &m), 0);
    }
    FFC_CHECK_MESSAGE early = message(2, "PRC0002");
    ASSERT_EQ(RS_sAddRunMessage(&ctx, &early), 0);
    FFC_CHECK_MESSAGE none = message(0, "PRC0000");
    ASSERT_EQ(RS_sAddRunMessage(&ctx, &none), 0);
    FFC_CHECK_MESSAGE edge = message(31999, "PRC3199");
    ASSERT_EQ(RS_sAddRunMessage(&ctx, &edge), 0);
    EXPECT_EQ(RS_ulRunMessageCount(&ctx), 49u);

    Collected c;
    RS_ListMessageGroups(&ctx, collect, &c);
    EXPECT_EQ(c.groups, (std::vector<uint32_t>{3, 8, 8, 8, 32001, 32000}));
    EXPECT_EQ(c.counts, (std::vector<uint32_t>{1, 20, 20, 5, 2, 1}));
    EXPECT_EQ(c.further, (std::vector<uint32_t>{0, 25, 5, 0, 0, 0}));
    EXPECT_EQ(c.firstIds, (std::vector<std::string>{"PRC0002", "PRC0001", "PRC0021", "PRC9999", "PRC0000", "PRC0010"}));
}

}  // namespace

namespace {

struct Person {
    char id[4];
    char name[8];
};

void byId(const void* r, uint32_t, void* k)
{
    std::memcpy(k, static_cast<const Person*>(r)->id, 4);
}
void byName(const void* r, uint32_t, void* k)
{
    std::memcpy(k, static_cast<const Person*>(r)->name, 8);
}
int caseless(const void* a, const void* b, uint32_t n)
{
    return strncasecmp(static_cast<const char*>(a), static_cast<const char*>(b), n);
}

TEST(RecordStore, SecondIndexWithItsOwnCompareFollowsReplacements)
{
    FFC_RECORD_STORE* s = nullptr;
    ASSERT_EQ(RS_sCreateStore(&s, 1), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 4, byId, nullptr), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 8, byName, caseless), 0);
    Person a{{'0', '0', '0', '1'}, {'A', 'L', 'I', 'C', 'E', ' ', ' ', ' '}};
    Person b{{'0', '0', '0', '2'}, {'B', 'O', 'B', ' ', ' ', ' ', ' ', ' '}};
    EXPECT_EQ(RS_ulPutRecord(s, &a, sizeof a), 1u);
    EXPECT_EQ(RS_ulPutRecord(s, &b, sizeof b), 2u);
    Person got{};
    ASSERT_EQ(RS_fFindRecord(s, 1, "bob     ", &got, sizeof got, nullptr), 0);
    EXPECT_EQ(std::string(got.id, 4), "0002");
    // replacing record 0002 with a new name moves it in the second index
    std::memcpy(b.name, "ROBERT  ", 8);
    EXPECT_EQ(RS_ulPutRecord(s, &b, sizeof b), 2u);
    EXPECT_EQ(RS_fFindRecord(s, 1, "BOB     ", &got, sizeof got, nullptr), 1);
    uint32_t len = 0;
    ASSERT_EQ(RS_fFindRecord(s, 1, "Robert  ", &got, sizeof got, &len), 0);
    EXPECT_EQ(len, sizeof got);
    EXPECT_EQ(RS_ulRecordCount(s), 2u);
    EXPECT_EQ(RS_sDefineIndex(s, 4, byId, nullptr), -1) << "indexes are defined before the first record";
    RS_DestroyStore(&s);
    EXPECT_EQ(s, nullptr);
}

TEST(RecordStore, PackedRecordsComeBackByteForByte)
{
    // runs at the start, in the middle and at the end, runs one byte short
    // of and just at the packing window, long runs, no runs at all
    std::vector<std::vector<unsigned char>> records;
    auto make = [](std::initializer_list<std::pair<size_t, int>> parts) {
        std::vector<unsigned char> r;
        unsigned seed = 7;
        for (auto [n, byte] : parts)
            for (size_t i = 0; i < n; ++i) {
                seed = seed * 1103515245u + 12345u;
                r.push_back(byte >= 0 ? static_cast<unsigned char>(byte) : static_cast<unsigned char>(seed >> 16));
            }
        return r;
    };
    records.push_back(make({{11000, ' '}}));
    records.push_back(make({{50, -1}, {60, 'A'}, {10940, ' '}}));
    records.push_back(make({{7, 'x'}, {1, 'y'}, {8, 'x'}, {3, -1}, {9, 0}, {2, -1}}));
    records.push_back(make({{300, -1}}));
    records.push_back(make({{70000, 0}, {131, 'N'}, {130, 'Y'}, {129, 'N'}, {4, ' '}, {1, 'z'}}));
    records.push_back(make({{1, 'q'}}));
    records.push_back({});
    FFC_RECORD_STORE* s = nullptr;
    ASSERT_EQ(RS_sCreateStore(&s, 1), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 4, byId, nullptr), 0);
    for (size_t i = 0; i < records.size(); ++i) {
        std::vector<unsigned char> r = records[i];
        r.resize(std::max<size_t>(r.size(), 4));
        std::memcpy(r.data(), "R000", 4);
        r[3] = static_cast<unsigned char>('0' + i);
        records[i] = r;
        ASSERT_EQ(RS_ulAddRecord(s, r.data(), static_cast<uint32_t>(r.size())), i + 1);
    }
    for (const auto& r : records) {
        std::vector<unsigned char> got(r.size() + 8, 0xEE);
        uint32_t len = 0;
        ASSERT_EQ(RS_fFindRecord(s, 0, r.data(), got.data(), static_cast<uint32_t>(got.size()), &len), 0);
        EXPECT_EQ(len, r.size());
        EXPECT_TRUE(std::equal(r.begin(), r.end(), got.begin())) << "record " << r[3];
        EXPECT_EQ(got[r.size()], 0xEE) << "nothing written past the record";
        // a short buffer gets the record's head and nothing more
        std::vector<unsigned char> head(r.size() / 2 + 1, 0xEE);
        uint32_t capacity = static_cast<uint32_t>(head.size() - 1);
        ASSERT_EQ(RS_fFindRecord(s, 0, r.data(), head.data(), capacity, nullptr), 0);
        EXPECT_TRUE(std::equal(r.begin(), r.begin() + capacity, head.begin()));
        EXPECT_EQ(head[capacity], 0xEE);
    }
    RS_DestroyStore(&s);
}

TEST(RecordStore, CopiesOverAHeldRecordAndViewsComeOutAsCopies)
{
    // fixed records of a header, fields and a blank tail of varying start,
    // some with zeros or another byte where others have blanks
    auto make = [](int i) {
        std::vector<unsigned char> r(600, ' ');
        std::memcpy(r.data(), "R000", 4);
        r[2] = static_cast<unsigned char>('0' + i / 10);
        r[3] = static_cast<unsigned char>('0' + i % 10);
        size_t fields = static_cast<size_t>(i * 37 % 500);
        for (size_t k = 4; k < fields; k += 9)
            r[k] = static_cast<unsigned char>('a' + k % 26);
        if (i % 3 == 0)
            std::fill(r.begin() + 300, r.begin() + 420, i % 2 ? 0 : '*');
        if (i % 4 == 0)
            r.back() = 0;
        return r;
    };
    FFC_RECORD_STORE* s = nullptr;
    ASSERT_EQ(RS_sCreateStore(&s, 1), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 4, byId, nullptr), 0);
    const int count = 30;
    for (int i = 0; i < count; ++i) {
        auto r = make(i);
        ASSERT_EQ(RS_ulAddRecord(s, r.data(), static_cast<uint32_t>(r.size())), static_cast<uint32_t>(i + 1));
    }
    std::vector<unsigned char> buffer(600);
    auto r0 = make(0);
    ASSERT_EQ(RS_fFindRecord(s, 0, r0.data(), buffer.data(), 600, nullptr), 0);
    int held = 0;
    for (int step = 1; step < 4 * count; ++step) {
        int i = step * 7 % count;
        auto want = make(i);
        auto heldKey = make(held);
        uint32_t len = 0;
        ASSERT_EQ(RS_fFindRecordOver(s, 0, want.data(), buffer.data(), 600, &len, heldKey.data()), 0);
        EXPECT_EQ(len, 600u);
        EXPECT_EQ(buffer, want) << "record " << i << " over " << held;
        held = i;

        const void* view = RS_pViewRecord(s, 0, want.data(), &len);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(len, 600u);
        EXPECT_EQ(std::memcmp(view, want.data(), 600), 0) << "view of record " << i;
        EXPECT_EQ(RS_pViewRecord(s, 0, want.data(), nullptr), view) << "viewed again in place";
    }
    // a record replaced since it was viewed is viewed as it now is
    auto r5 = make(5);
    ASSERT_NE(RS_pViewRecord(s, 0, r5.data(), nullptr), nullptr);
    r5[10] = '!';
    ASSERT_EQ(RS_ulPutRecord(s, r5.data(), static_cast<uint32_t>(r5.size())), 6u);
    const void* view = RS_pViewRecord(s, 0, r5.data(), nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::memcmp(view, r5.data(), 600), 0);
    EXPECT_EQ(RS_pViewRecord(s, 0, "none", nullptr), nullptr);
    EXPECT_EQ(RS_fFindRecordOver(s, 0, "none", buffer.data(), 600, nullptr, r5.data()), 1);
    RS_DestroyStore(&s);
}

// A reader that goes on from record to record, each read over the one
// before, stores a record again between two reads, as a check pass does:
// the record it holds is then the one stored, whose runs are no longer
// those it read, and the next record still comes out whole. A record stored
// again unchanged, and a read cut short by the room given, change nothing.
TEST(RecordStore, ReadsOverARecordStoredAgainSinceItWasRead)
{
    auto make = [](char id, unsigned char fill) {
        std::vector<unsigned char> r(600, ' ');
        std::memcpy(r.data(), "K00", 3);
        r[3] = static_cast<unsigned char>(id);
        std::fill(r.begin() + 100, r.begin() + 500, fill);  // the longest run
        return r;
    };
    FFC_RECORD_STORE* s = nullptr;
    ASSERT_EQ(RS_sCreateStore(&s, 1), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 4, byId, nullptr), 0);
    for (char id : {'A', 'B', 'C', 'D'}) {
        auto r = make(id, '*');
        ASSERT_NE(RS_ulAddRecord(s, r.data(), static_cast<uint32_t>(r.size())), 0u);
    }
    std::vector<unsigned char> buffer(600, 'x');
    uint32_t len = 0;
    ASSERT_EQ(RS_fFindRecordOver(s, 0, "K00A", buffer.data(), 600, &len, "K00@"), 0);
    EXPECT_EQ(buffer, make('A', '*'));
    // A's run of stars becomes blanks, in the record held and in the store
    std::fill(buffer.begin() + 100, buffer.begin() + 500, ' ');
    ASSERT_EQ(RS_ulPutRecord(s, buffer.data(), 600), 1u);
    ASSERT_EQ(RS_fFindRecordOver(s, 0, "K00B", buffer.data(), 600, &len, "K00A"), 0);
    EXPECT_EQ(buffer, make('B', '*')) << "B's stars written over A's blanks";
    // B stored again as it is: the next read goes on as before
    ASSERT_EQ(RS_ulPutRecord(s, buffer.data(), 600), 2u);
    ASSERT_EQ(RS_fFindRecordOver(s, 0, "K00C", buffer.data(), 600, &len, "K00B"), 0);
    EXPECT_EQ(buffer, make('C', '*'));
    // the first 300 bytes of D only: what lies past them is C's still
    std::vector<unsigned char> expected = make('C', '*');
    const std::vector<unsigned char> d = make('D', '*');
    std::copy(d.begin(), d.begin() + 300, expected.begin());
    ASSERT_EQ(RS_fFindRecordOver(s, 0, "K00D", buffer.data(), 300, &len, "K00C"), 0);
    EXPECT_EQ(len, 600u);
    EXPECT_EQ(buffer, expected);
    // with D held as it is now stored (its whole), A comes back whole
    std::copy(d.begin(), d.end(), buffer.begin());
    ASSERT_EQ(RS_fFindRecordOver(s, 0, "K00A", buffer.data(), 600, &len, "K00D"), 0);
    std::vector<unsigned char> a = make('A', ' ');
    EXPECT_EQ(buffer, a) << "A as stored again, blanks where its stars were";
    RS_DestroyStore(&s);
}

}  // namespace

// A pass that stores every record again, longer, moves each to the end of
// the store's room; the room left behind is taken back while records go on
// being replaced, read and viewed. Every record must come back as last
// stored, the one larger than a block of room included.
TEST(RecordStore, RecordsStoredAgainLongerKeepTheirBytesWhileTheRoomIsTakenBack)
{
    FFC_RECORD_STORE* s = nullptr;
    ASSERT_EQ(RS_sCreateStore(&s, 1), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 4, byId, nullptr), 0);
    constexpr int kCount = 3000;
    std::vector<std::string> last(kCount);
    // text of round r of record i: its number, then enough distinct bytes
    // that it packs to about 40 + 60 * r bytes, then blanks
    auto text = [](int i, int round) {
        std::string r(4, ' ');
        r[0] = static_cast<char>(i >> 24);
        r[1] = static_cast<char>(i >> 16);
        r[2] = static_cast<char>(i >> 8);
        r[3] = static_cast<char>(i);
        for (int k = 0; k < 40 + 60 * round; ++k)
            r += static_cast<char>('A' + (i * 7 + k * 13 + round) % 26);
        r.resize(i == 1234 ? 90000 : 2000, ' ');
        if (i == 1234)
            for (size_t k = 4; k < r.size(); k += 3)
                r[k] = static_cast<char>('a' + k % 23);  // packs to more than a block
        return r;
    };
    for (int i = 0; i < kCount; ++i) {
        last[i] = text(i, 0);
        ASSERT_EQ(RS_ulAddRecord(s, last[i].data(), static_cast<uint32_t>(last[i].size())),
                  static_cast<uint32_t>(i + 1));
    }
    auto same = [&](int i) {
        std::vector<char> got(last[i].size() + 4, '\x7f');
        uint32_t len = 0;
        if (RS_fFindRecord(s, 0, last[i].data(), got.data(), static_cast<uint32_t>(got.size()), &len) != 0)
            return false;
        return len == last[i].size() && std::string(got.data(), len) == last[i] && got[len] == '\x7f';
    };
    for (int round = 1; round <= 3; ++round)
        for (int i = 0; i < kCount; ++i) {
            // every third record in reverse order, so moves do not follow
            // the records' order in the room
            const int at = i % 3 == 0 ? kCount - 1 - i : i;
            last[at] = text(at, round);
            ASSERT_EQ(RS_ulPutRecord(s, last[at].data(), static_cast<uint32_t>(last[at].size())),
                      static_cast<uint32_t>(at + 1));
            if (i % 97 == 0) {
                // a shorter record stays in its room
                const int back = (at + kCount / 2) % kCount;
                last[back] = text(back, 0);
                ASSERT_EQ(RS_ulPutRecord(s, last[back].data(), static_cast<uint32_t>(last[back].size())),
                          static_cast<uint32_t>(back + 1));
            }
            if (i % 211 == 0) {
                ASSERT_TRUE(same(at)) << "round " << round << " record " << at;
                uint32_t len = 0;
                const void* view = RS_pViewRecord(s, 0, last[0].data(), &len);
                ASSERT_NE(view, nullptr);
                EXPECT_EQ(std::string(static_cast<const char*>(view), len), last[0]);
            }
        }
    EXPECT_EQ(RS_ulRecordCount(s), static_cast<uint32_t>(kCount));
    for (int i = 0; i < kCount; ++i)
        ASSERT_TRUE(same(i)) << "record " << i;
    RS_DestroyStore(&s);
}

TEST(RecordStore, RecordsTakingBackTheRoomOfAMovedLongRecordAllComeBack)
{
    // A store without packing: a record takes its own length and a byte
    // every 128. The first record takes a room of more than three blocks
    // of 64 KB; stored again longer it moves to the end, and the records
    // after it slide down into its room when it is taken back, past the
    // first 64 KB of that room. Stored again shorter (still more than a
    // block) it stays in its room, last, when the room it leaves is taken
    // back; records added then start after it.
    FFC_RECORD_STORE* s = nullptr;
    ASSERT_EQ(RS_sCreateStore(&s, 0), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 4, byId, nullptr), 0);
    auto record = [](int i, size_t length) {
        std::string r(length, ' ');
        for (size_t k = 0; k < length; ++k)
            r[k] = static_cast<char>('A' + (static_cast<size_t>(i) * 31 + k * 7) % 26);
        r[0] = static_cast<char>(i >> 24);
        r[1] = static_cast<char>(i >> 16);
        r[2] = static_cast<char>(i >> 8);
        r[3] = static_cast<char>(i);
        return r;
    };
    constexpr int kSmall = 2000;
    std::vector<std::string> last;
    last.push_back(record(0, 200000));
    for (int i = 1; i <= kSmall; ++i)
        last.push_back(record(i, 100 + static_cast<size_t>(i % 50)));
    for (const std::string& r : last)
        ASSERT_NE(RS_ulAddRecord(s, r.data(), static_cast<uint32_t>(r.size())), 0u);
    auto put = [&](int i, size_t length) {
        last[i] = record(i, length);
        return RS_ulPutRecord(s, last[i].data(), static_cast<uint32_t>(last[i].size()));
    };
    ASSERT_EQ(put(0, 200100), 1u);
    ASSERT_EQ(put(0, 65600), 1u);
    for (int i = kSmall + 1; i <= kSmall + 20; ++i) {
        last.push_back(record(i, 300));
        ASSERT_EQ(RS_ulAddRecord(s, last[i].data(), static_cast<uint32_t>(last[i].size())), static_cast<uint32_t>(i + 1));
    }
    for (int i = 0; i < static_cast<int>(last.size()); ++i) {
        std::vector<char> got(last[i].size() + 1, '\x7f');
        uint32_t len = 0;
        ASSERT_EQ(RS_fFindRecord(s, 0, last[i].data(), got.data(), static_cast<uint32_t>(got.size()), &len), 0) << i;
        ASSERT_EQ(len, last[i].size()) << i;
        ASSERT_EQ(std::string(got.data(), len), last[i]) << i;
        ASSERT_EQ(got[len], '\x7f') << i;
    }
    RS_DestroyStore(&s);
}

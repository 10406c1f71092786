// The keyed work file: both key orders, cursor slots, equal keys in write
// order, updates that move records, deletes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"

namespace {

struct WorkFile : ::testing::Test {
    FFC_CONTEXT ctx{};
    void SetUp() override { ASSERT_EQ(WF_sCreate(&ctx), 0); }
    void TearDown() override { P31O2_FreeRunContext(&ctx); }

    FFC_WORK_RECORD rec(const char* kind, const char* name, const char* qual, const char* data)
    {
        FFC_WORK_RECORD r;
        WF_BlankRecord(&ctx, &r);
        std::memcpy(r.acKind, kind, std::strlen(kind));
        std::memcpy(r.acName, name, std::strlen(name));
        std::memcpy(r.acQualifier, qual, std::strlen(qual));
        std::memcpy(r.acData, data, std::strlen(data));
        return r;
    }
    void write(const char* kind, const char* name, const char* qual, const char* data)
    {
        FFC_WORK_RECORD r = rec(kind, name, qual, data);
        ASSERT_GT(WF_lWrite(&ctx, &r), 0);
    }
    // The write's insertion sequence.
    int32_t writeSeq(const char* kind, const char* name, const char* qual, const char* data)
    {
        FFC_WORK_RECORD r = rec(kind, name, qual, data);
        return WF_lWrite(&ctx, &r);
    }
    static std::string data(const FFC_WORK_RECORD& r)
    {
        std::string d(r.acData, 10);
        return d.substr(0, d.find(' '));
    }
    // every record of the walk, as its data
    std::vector<std::string> walk(uint16_t slot, FFC_WORK_RECORD key, uint16_t parts, bool second)
    {
        std::vector<std::string> out;
        char c = second ? WF_cReadFirstBySecondKey(&ctx, slot, &key, parts) : WF_cReadFirst(&ctx, slot, &key, parts);
        while (c == '0' && out.size() < 100) {  // a walk that goes round stops
            out.push_back(data(key));
            c = WF_cReadNext(&ctx, slot, &key, parts);
        }
        return out;
    }
};

TEST_F(WorkFile, BlankRecordBlanksAll2870Bytes)
{
    FFC_WORK_RECORD r;
    std::memset(&r, 'x', sizeof r);
    WF_BlankRecord(&ctx, &r);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&r), sizeof r), std::string(2870, ' '));
}

TEST_F(WorkFile, FirstOrderKeepsEqualKeysInWriteOrder)
{
    write("RCDFLD", "FIELDB", "0002", "r1");
    write("RCDFLD", "FIELDA", "0001", "r2");
    write("RCDFLD", "FIELDA", "0001", "r3");
    write("PRTFLD", "FIELDA", "0001", "r4");
    write("RCDFLD", "FIELDA", "0003", "r5");

    EXPECT_EQ(walk(0, rec("RCDFLD", "", "", ""), 1, false), (std::vector<std::string>{"r2", "r3", "r5", "r1"}));
    EXPECT_EQ(walk(0, rec("RCDFLD", "FIELDA", "", ""), 2, false), (std::vector<std::string>{"r2", "r3", "r5"}));
    EXPECT_EQ(walk(0, rec("RCDFLD", "FIELDA", "0001", ""), 3, false), (std::vector<std::string>{"r2", "r3"}));
    EXPECT_EQ(walk(0, rec("RCDFLD", "FIELDA", "0001", ""), 4, false), (std::vector<std::string>{"r2", "r3"}));
    EXPECT_TRUE(walk(0, rec("WEBPNL", "", "", ""), 1, false).empty());
}

TEST_F(WorkFile, SecondOrderIsKindQualifierName)
{
    write("PRTFMT", "LINEB", "0001", "b1");
    write("PRTFMT", "LINEA", "0002", "a2");
    write("PRTFMT", "LINEA", "0001", "a1");
    write("PRTFMT", "LINEC", "0001", "c1");
    EXPECT_EQ(walk(2, rec("PRTFMT", "", "", ""), 1, true), (std::vector<std::string>{"a1", "b1", "c1", "a2"}));
    EXPECT_EQ(walk(2, rec("PRTFMT", "", "0001", ""), 2, true), (std::vector<std::string>{"a1", "b1", "c1"}));
    EXPECT_EQ(walk(2, rec("PRTFMT", "LINEB", "0001", ""), 3, true), (std::vector<std::string>{"b1"}));
}

TEST_F(WorkFile, SlotsAreIndependentAndClearedAtTheEnd)
{
    write("K", "A", "", "a");
    write("K", "B", "", "b");
    FFC_WORK_RECORD outer = rec("K", "", "", "");
    FFC_WORK_RECORD inner = rec("K", "", "", "");
    ASSERT_EQ(WF_cReadFirst(&ctx, 0, &outer, 1), '0');
    ASSERT_EQ(WF_cReadFirst(&ctx, 1, &inner, 1), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 1, &inner, 1), '0');
    EXPECT_EQ(data(inner), "b");
    EXPECT_EQ(WF_cReadNext(&ctx, 1, &inner, 1), '1');
    EXPECT_EQ(WF_cReadNext(&ctx, 1, &inner, 1), '1') << "a cleared slot stays at its end";
    ASSERT_EQ(WF_cReadNext(&ctx, 0, &outer, 1), '0');
    EXPECT_EQ(data(outer), "b");
    // slots beyond the last and part counts outside 1..4 are refused
    EXPECT_EQ(WF_cReadFirst(&ctx, WF_CURSOR_SLOTS, &outer, 1), '1');
    EXPECT_EQ(WF_cReadFirst(&ctx, 0, &outer, 5), '1');
    EXPECT_EQ(WF_cReadNext(&ctx, 3, &outer, 1), '1') << "a slot never positioned";
}

TEST_F(WorkFile, UpdateInPlaceAndMoved)
{
    write("RCDFLD", "F1", "0001", "one");
    write("RCDFLD", "F2", "0002", "two");
    FFC_WORK_RECORD r = rec("RCDFLD", "F1", "", "");
    ASSERT_EQ(WF_cReadFirst(&ctx, 0, &r, 2), '0');
    std::memcpy(r.acData, "uno", 3);
    ASSERT_EQ(WF_cUpdate(&ctx, 0, &r), '0');
    FFC_WORK_RECORD check = rec("RCDFLD", "F1", "", "");
    ASSERT_EQ(WF_cReadFirst(&ctx, 1, &check, 2), '0');
    EXPECT_EQ(data(check), "uno");

    // renaming the kind moves the record in both orders
    std::memcpy(r.acKind, "RCDDEL", 6);
    ASSERT_EQ(WF_cUpdate(&ctx, 0, &r), '0');
    EXPECT_EQ(walk(1, rec("RCDFLD", "", "", ""), 1, false), (std::vector<std::string>{"two"}));
    EXPECT_EQ(walk(1, rec("RCDDEL", "", "", ""), 1, false), (std::vector<std::string>{"uno"}));
    EXPECT_EQ(walk(2, rec("RCDDEL", "", "0001", ""), 2, true), (std::vector<std::string>{"uno"}));
    EXPECT_EQ(WF_cUpdate(&ctx, 9, &r), '1') << "no current record";
}

TEST_F(WorkFile, DataOfAnyContentComeBackWhole)
{
    // data without runs, with long runs of zeros and blanks, and a record
    // that takes over the data place of a deleted one
    auto pattern = [](int kind) {
        std::string d(FFC_WORK_DATA_LEN, kind == 1 ? '\0' : ' ');
        for (size_t i = 0; i < d.size(); ++i) {
            if (kind == 0)
                d[i] = static_cast<char>('!' + (i * 7 + i / 3) % 90);
            else if (kind == 1 && i % 700 < 3)
                d[i] = 'x';
        }
        if (kind == 2)
            d.replace(1000, 5, "YNYNY");
        return d;
    };
    auto put = [&](const char* name, int kind) {
        FFC_WORK_RECORD r = rec("WEBTXT", name, "", "");
        const std::string d = pattern(kind);
        std::memcpy(r.acData, d.data(), d.size());
        ASSERT_GT(WF_lWrite(&ctx, &r), 0);
    };
    auto dataOf = [&](const char* name) {
        FFC_WORK_RECORD r = rec("WEBTXT", name, "", "");
        EXPECT_EQ(WF_cReadFirst(&ctx, 4, &r, 2), '0') << name;
        return std::string(r.acData, FFC_WORK_DATA_LEN);
    };
    put("A", 0);
    put("B", 1);
    put("C", 2);
    EXPECT_TRUE(dataOf("A") == pattern(0));
    EXPECT_TRUE(dataOf("B") == pattern(1));
    EXPECT_TRUE(dataOf("C") == pattern(2));

    FFC_WORK_RECORD r = rec("WEBTXT", "A", "", "");
    ASSERT_EQ(WF_cReadFirst(&ctx, 0, &r, 2), '0');
    const std::string b = pattern(1);
    std::memcpy(r.acData, b.data(), b.size());
    ASSERT_EQ(WF_cUpdate(&ctx, 0, &r), '0');
    ASSERT_EQ(WF_cUpdate(&ctx, 0, &r), '0') << "the same data again";
    EXPECT_TRUE(dataOf("A") == pattern(1));

    FFC_WORK_RECORD gone = rec("WEBTXT", "B", "", "");
    ASSERT_EQ(WF_cReadFirst(&ctx, 0, &gone, 2), '0');
    ASSERT_EQ(WF_cDelete(&ctx, 0, &gone), '0');
    put("D", 0);
    EXPECT_TRUE(dataOf("D") == pattern(0));
    EXPECT_TRUE(dataOf("A") == pattern(1));
    EXPECT_TRUE(dataOf("C") == pattern(2));
}

TEST_F(WorkFile, DeleteFromBothOrdersAndContinueTheWalk)
{
    write("K", "A", "3", "a");
    write("K", "B", "2", "b");
    write("K", "C", "1", "c");
    FFC_WORK_RECORD r = rec("K", "", "", "");
    std::vector<std::string> seen;
    char c = WF_cReadFirst(&ctx, 0, &r, 1);
    while (c == '0') {
        seen.push_back(data(r));
        if (data(r) == "b") {
            ASSERT_EQ(WF_cDelete(&ctx, 0, &r), '0');
        }
        c = WF_cReadNext(&ctx, 0, &r, 1);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(walk(0, rec("K", "", "", ""), 1, false), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(walk(2, rec("K", "", "", ""), 1, true), (std::vector<std::string>{"c", "a"}));
    FFC_WORK_RECORD s = rec("K", "", "1", "");
    ASSERT_EQ(WF_cReadFirstBySecondKey(&ctx, 2, &s, 2), '0');
    ASSERT_EQ(WF_cDeleteBySecondKey(&ctx, 2, &s), '0');
    EXPECT_EQ(WF_cDeleteBySecondKey(&ctx, 2, &s), '1') << "deleted: no current record";
    EXPECT_EQ(walk(0, rec("K", "", "", ""), 1, false), (std::vector<std::string>{"a"}));
}

// The second order is built at its first read and then follows every write,
// delete and move, also under a cursor standing in it.
TEST_F(WorkFile, SecondOrderFollowsWritesDeletesAndMovesAfterItsFirstRead)
{
    write("K", "A", "2", "a2");
    write("K", "B", "1", "b1");
    EXPECT_EQ(walk(2, rec("K", "", "", ""), 1, true), (std::vector<std::string>{"b1", "a2"}));
    write("K", "C", "1", "c1");
    write("K", "A", "1", "a1");
    EXPECT_EQ(walk(2, rec("K", "", "", ""), 1, true), (std::vector<std::string>{"a1", "b1", "c1", "a2"}));

    // delete under a second-order cursor: the next read gives the record after it
    FFC_WORK_RECORD s = rec("K", "", "1", "");
    ASSERT_EQ(WF_cReadFirstBySecondKey(&ctx, 2, &s, 2), '0');
    EXPECT_EQ(data(s), "a1");
    ASSERT_EQ(WF_cDeleteBySecondKey(&ctx, 2, &s), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 2, &s, 2), '0');
    EXPECT_EQ(data(s), "b1");
    // a new qualifier moves the record to the end of the second order
    s.acQualifier[0] = '3';
    ASSERT_EQ(WF_cUpdateBySecondKey(&ctx, 2, &s), '0');
    EXPECT_EQ(walk(2, rec("K", "", "", ""), 1, true), (std::vector<std::string>{"c1", "a2", "b1"}));
    EXPECT_EQ(walk(0, rec("K", "", "", ""), 1, false), (std::vector<std::string>{"a2", "b1", "c1"}));

    // records written while a cursor stands in the second order
    FFC_WORK_RECORD c = rec("K", "", "", "");
    ASSERT_EQ(WF_cReadFirstBySecondKey(&ctx, 3, &c, 1), '0');
    EXPECT_EQ(data(c), "c1");
    write("K", "D", "1", "d1");
    write("K", "A", "0", "a0");
    std::vector<std::string> rest;
    while (WF_cReadNext(&ctx, 3, &c, 1) == '0')
        rest.push_back(data(c));
    EXPECT_EQ(rest, (std::vector<std::string>{"d1", "a2", "b1"}));
    EXPECT_EQ(walk(2, rec("K", "", "", ""), 1, true), (std::vector<std::string>{"a0", "c1", "d1", "a2", "b1"}));
    EXPECT_EQ(walk(2, rec("L", "", "", ""), 1, true), std::vector<std::string>{}) << "no record of the kind";
}

TEST_F(WorkFile, KindStampsCountTheChangesOfEachKindAlone)
{
    // forty kinds (the table of kinds grows twice), some alike in their
    // first eight characters or in their last two
    std::vector<std::string> kinds;
    for (int i = 0; i < 20; ++i) {
        kinds.push_back("KINDKIND" + std::to_string(10 + i));
        kinds.push_back(std::string(1, static_cast<char>('A' + i)) + "LIKE");
    }
    const uint64_t file = WF_ulKindStamp(&ctx, "NEVER     ") >> 32;
    EXPECT_NE(file, 0u);
    for (size_t k = 0; k < kinds.size(); ++k)
        for (size_t n = 0; n <= k % 3; ++n)
            write(kinds[k].c_str(), ("N" + std::to_string(n)).c_str(), "", "x");
    auto stamp = [&](const std::string& kind) {
        char padded[FFC_WORK_KIND_LEN];
        std::memset(padded, ' ', sizeof padded);
        std::memcpy(padded, kind.data(), kind.size());
        return WF_ulKindStamp(&ctx, padded);
    };
    for (size_t k = 0; k < kinds.size(); ++k)
        EXPECT_EQ(stamp(kinds[k]), file << 32 | (k % 3 + 1)) << kinds[k];
    EXPECT_EQ(stamp("KINDKIND"), file << 32) << "a kind never written";
    EXPECT_EQ(stamp("KINDKIND9"), file << 32);
    EXPECT_EQ(WF_ulKindStamp(&ctx, nullptr), 0u);

    // an update in place and a delete count for their kind only
    FFC_WORK_RECORD r = rec("ALIKE", "N0", "", "");
    ASSERT_EQ(WF_cReadFirst(&ctx, 0, &r, 2), '0');
    std::memcpy(r.acData, "y", 1);
    ASSERT_EQ(WF_cUpdate(&ctx, 0, &r), '0');
    EXPECT_EQ(stamp("ALIKE"), file << 32 | 3);
    ASSERT_EQ(WF_cDelete(&ctx, 0, &r), '0');
    EXPECT_EQ(stamp("ALIKE"), file << 32 | 4);
    EXPECT_EQ(stamp("BLIKE"), file << 32 | 1);
    // a record moved to another kind counts for both
    FFC_WORK_RECORD m = rec("BLIKE", "N0", "", "");
    ASSERT_EQ(WF_cReadFirst(&ctx, 1, &m, 2), '0');
    std::memcpy(m.acKind, "CLIKE", 5);
    ASSERT_EQ(WF_cUpdate(&ctx, 1, &m), '0');
    EXPECT_EQ(stamp("BLIKE"), file << 32 | 2);
    EXPECT_EQ(stamp("CLIKE"), file << 32 | 4);

    // a new work file has a number of its own and no changes yet
    ASSERT_EQ(WF_sCreate(&ctx), 0);
    EXPECT_GT(stamp("ALIKE") >> 32, file);
    EXPECT_EQ(stamp("ALIKE") & 0xFFFFFFFFu, 0u);
}

// Records whose kind, qualifier and name are all equal differ only in
// their sequence numbers: the second order keeps them in the order they
// were written, reads each once, and goes on past them to the next key;
// the first order does the same.
TEST_F(WorkFile, EqualKeysKeepTheirWriteOrder)
{
    EXPECT_EQ(writeSeq("PRTFLD", "FIELDB", "0001", "b1"), 1);
    EXPECT_EQ(writeSeq("PRTFLD", "FIELDA", "0001", "a1"), 2);
    EXPECT_EQ(writeSeq("PRTFLD", "FIELDA", "0001", "a2"), 3);
    EXPECT_EQ(writeSeq("PRTFLD", "FIELDA", "0001", "a3"), 4);
    EXPECT_EQ(writeSeq("PRTFLD", "FIELDA", "0000", "z1"), 5);
    EXPECT_EQ(writeSeq("PRTFLD", "FIELDB", "0001", "b2"), 6);

    const std::vector<std::string> all{"z1", "a1", "a2", "a3", "b1", "b2"};
    EXPECT_EQ(walk(2, rec("PRTFLD", "", "", ""), 1, true), all);
    EXPECT_EQ(walk(2, rec("PRTFLD", "", "0001", ""), 2, true), (std::vector<std::string>{"a1", "a2", "a3", "b1", "b2"}));
    EXPECT_EQ(walk(2, rec("PRTFLD", "FIELDA", "0001", ""), 3, true), (std::vector<std::string>{"a1", "a2", "a3"}));
    EXPECT_EQ(walk(2, rec("PRTFLD", "FIELDB", "0001", ""), 3, true), (std::vector<std::string>{"b1", "b2"}));

    /* written while the second order is built: the newest of its equals */
    EXPECT_EQ(writeSeq("PRTFLD", "FIELDA", "0001", "a4"), 7);
    EXPECT_EQ(walk(3, rec("PRTFLD", "FIELDA", "0001", ""), 3, true), (std::vector<std::string>{"a1", "a2", "a3", "a4"}));

    /* the first order (kind, name, qualifier) keeps them alike */
    std::vector<std::string> first;
    FFC_WORK_RECORD k = rec("PRTFLD", "FIELDA", "0001", "");
    for (char c = WF_cReadFirst(&ctx, 4, &k, 3); c == '0' && first.size() < 20; c = WF_cReadNext(&ctx, 4, &k, 3))
        first.push_back(data(k));
    EXPECT_EQ(first, (std::vector<std::string>{"a1", "a2", "a3", "a4"}));
}

// A record among equals deleted or updated through the second order: the
// walk goes on with the next of them, and an update that keeps the key
// keeps the record's place among its equals.
TEST_F(WorkFile, EqualKeysAfterADeleteAndAnUpdate)
{
    for (const char* d : {"e1", "e2", "e3", "e4"})
        ASSERT_GT(writeSeq("RCDFLD", "F", "0007", d), 0);
    FFC_WORK_RECORD s = rec("RCDFLD", "F", "0007", "");
    ASSERT_EQ(WF_cReadFirstBySecondKey(&ctx, 2, &s, 3), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '0');
    EXPECT_EQ(data(s), "e2");
    ASSERT_EQ(WF_cDeleteBySecondKey(&ctx, 2, &s), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '0');
    EXPECT_EQ(data(s), "e3");
    std::memcpy(s.acData, "E3", 2);
    ASSERT_EQ(WF_cUpdateBySecondKey(&ctx, 2, &s), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '0');
    EXPECT_EQ(data(s), "e4");
    EXPECT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '1');
    EXPECT_EQ(walk(5, rec("RCDFLD", "F", "0007", ""), 3, true), (std::vector<std::string>{"e1", "E3", "e4"}));
}

TEST_F(WorkFile, HeadReadsTakeLeadingDataBytesAloneAndTheCurrentRecordWholeAfter)
{
    write("USE", "A", "", "abcdef");
    write("USE", "B", "", "uvwxyz");
    write("ZZZ", "C", "", "other");
    FFC_WORK_RECORD r = rec("USE", "KEEP", "Q", "");
    std::memset(r.acData, '.', sizeof r.acData);
    // the first record: three bytes of its data, neither its name nor the rest
    ASSERT_EQ(WF_cReadFirstHead(&ctx, 1, &r, 1, 3), '0');
    EXPECT_EQ(std::string(r.acData, 5), "abc..");
    EXPECT_EQ(std::string(r.acName, 4), "KEEP");
    EXPECT_EQ(std::string(r.acQualifier, 1), "Q");
    // then whole, blanks after its text included
    ASSERT_EQ(WF_cReadCurrent(&ctx, 1, &r), '0');
    EXPECT_EQ(std::string(r.acData, 8), "abcdef  ");
    EXPECT_EQ(r.acData[FFC_WORK_DATA_LEN - 1], ' ');
    EXPECT_EQ(std::string(r.acName, 4), "A   ");
    EXPECT_EQ(r.acQualifier[0], ' ');
    // the next: a head longer than the data part stops at its end
    std::memset(r.acData, '.', sizeof r.acData);
    ASSERT_EQ(WF_cReadNextHead(&ctx, 1, &r, 1, FFC_WORK_DATA_LEN + 500), '0');
    EXPECT_EQ(std::string(r.acData, 8), "uvwxyz  ");
    EXPECT_EQ(r.acData[FFC_WORK_DATA_LEN - 1], ' ');
    EXPECT_EQ(std::string(r.acName, 4), "A   ");
    ASSERT_EQ(WF_cReadCurrent(&ctx, 1, &r), '0');
    EXPECT_EQ(std::string(r.acName, 4), "B   ");
    // past the kind: no record, and the slot has no current one
    EXPECT_EQ(WF_cReadNextHead(&ctx, 1, &r, 1, 3), '1');
    EXPECT_EQ(WF_cReadCurrent(&ctx, 1, &r), '1');
    EXPECT_EQ(WF_cReadCurrent(&ctx, 2, &r), '1');  // a slot never read
    EXPECT_EQ(WF_cReadCurrent(&ctx, WF_CURSOR_SLOTS, &r), '1');
}

TEST_F(WorkFile, ADeletedRecordIsNoCurrentRecord)
{
    write("USE", "A", "", "one");
    write("USE", "B", "", "two");
    FFC_WORK_RECORD r = rec("USE", "", "", "");
    ASSERT_EQ(WF_cReadFirstHead(&ctx, 3, &r, 1, 2), '0');
    EXPECT_EQ(std::string(r.acData, 2), "on");
    ASSERT_EQ(WF_cDelete(&ctx, 3, &r), '0');
    EXPECT_EQ(WF_cReadCurrent(&ctx, 3, &r), '1');
    // the walk goes on with the record after it
    ASSERT_EQ(WF_cReadNextHead(&ctx, 3, &r, 1, 3), '0');
    EXPECT_EQ(std::string(r.acData, 3), "two");
    ASSERT_EQ(WF_cReadCurrent(&ctx, 3, &r), '0');
    EXPECT_EQ(std::string(r.acName, 2), "B ");
}

}  // namespace

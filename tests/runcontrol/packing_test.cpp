// Run-length packing: every record comes back byte for byte whatever the
// length and place of its runs (the vector compares and stores work in
// blocks of 16, 32 and 256 bytes, so the cases straddle those), a packed
// record matches only the bytes it holds, and unpacking over a buffer that
// holds a record's runs gives the new record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "dqov/runcontrol/record_store.h"
#include "runcontrol/packing.h"

namespace {

// A record of n text bytes (no eight alike in a row) with a run of `run`
// bytes `byte` at `at`.
std::vector<unsigned char> Record(size_t n, size_t at, size_t run, unsigned char byte)
{
    std::vector<unsigned char> r(n);
    for (size_t i = 0; i < n; ++i)
        r[i] = static_cast<unsigned char>('A' + (i * 7 + i / 3) % 26);
    for (size_t i = at; i < at + run && i < n; ++i)
        r[i] = byte;
    return r;
}

std::vector<unsigned char> Packed(const std::vector<unsigned char>& r)
{
    std::vector<unsigned char> out(rc::PackedBound(r.size()));
    out.resize(rc::Pack(r.data(), r.size(), out.data()));
    return out;
}

// Checks the record round trip and the matches of it and of records one
// byte off; returns a description of the first fault, empty when none.
std::string Fault(const std::vector<unsigned char>& r)
{
    const std::vector<unsigned char> p = Packed(r);
    std::vector<unsigned char> back(r.size() + 1, 0xEE);
    if (rc::Unpack(p.data(), p.size(), back.data(), r.size()) != r.size())
        return "unpacked length";
    if (!std::equal(r.begin(), r.end(), back.begin()))
        return "unpacked bytes";
    if (back[r.size()] != 0xEE)
        return "written past the record";
    if (!rc::Matches(p.data(), p.size(), r.data(), r.size()))
        return "does not match its own bytes";
    for (size_t i = 0; i < r.size(); ++i) {
        std::vector<unsigned char> other = r;
        other[i] ^= 0x01;
        if (rc::Matches(p.data(), p.size(), other.data(), other.size()))
            return "matches a record with byte " + std::to_string(i) + " changed";
    }
    if (!r.empty() && rc::Matches(p.data(), p.size(), r.data(), r.size() - 1))
        return "matches a shorter record";
    return "";
}

TEST(Packing, RunsOfEveryLengthAtEveryPlaceComeBackAndMatchOnlyThemselves)
{
    for (size_t n : {0, 1, 7, 8, 9, 16, 17, 31, 32, 33, 40, 64, 65, 100})
        for (size_t at = 0; at <= n; ++at)
            for (size_t run = 1; at + run <= n; ++run)
                for (unsigned char byte : {' ', '\0'}) {
                    std::string fault = Fault(Record(n, at, run, byte));
                    ASSERT_EQ(fault, "") << n << " bytes, run of " << run << " at " << at;
                }
    // long runs ending on and beside the blocks of the compares
    for (size_t run : {255, 256, 257, 258, 511, 512, 513, 4400})
        for (size_t at : {0, 1, 13, 26, 27, 33})
            for (size_t tail : {0, 1, 8, 31, 32, 33}) {
                std::string fault = Fault(Record(at + run + tail, at, run, ' '));
                ASSERT_EQ(fault, "") << "run of " << run << " at " << at << ", " << tail << " after";
            }
}

TEST(Packing, LongRunsEndWhereTheyEndPastEveryBlockOfTheirCompares)
{
    // A run is followed 32 bytes at first, then 512, 128 and 32 at a time:
    // runs of zeros and of blanks ending one byte before, on and after the
    // ends of those blocks, with text after them or the record's end.
    for (size_t blocks : {1, 2, 5, 9})
        for (size_t extra : {0, 32, 128, 160, 384, 480})
            for (long off : {-1, 0, 1})
                for (size_t tail : {0, 1, 40})
                    for (unsigned char byte : {' ', '\0'}) {
                        const size_t run = 32 + blocks * 512 + extra + 8 + static_cast<size_t>(off);
                        const size_t at = 5;
                        std::vector<unsigned char> r = Record(at + run + tail, at, run, byte);
                        std::string fault = Fault(r);
                        ASSERT_EQ(fault, "") << "run of " << run << ", " << tail << " after";
                        // the run packs to one piece of its length: the record
                        // packs to its text and a few bytes
                        EXPECT_LE(Packed(r).size(), at + tail + 2 + 4) << "run of " << run;
                    }
    // a byte that differs anywhere in a long run ends it there
    std::vector<unsigned char> blank(3000, ' ');
    for (size_t at = 1; at < blank.size(); at += 37) {
        std::vector<unsigned char> r = blank;
        r[at] = 'X';
        std::string fault = Fault(r);
        ASSERT_EQ(fault, "") << "X at " << at;
    }
}

TEST(Packing, RunsOfEightOrMoreAreFoundWhereverTheyLie)
{
    // a run of eight in text is kept as a run wherever it starts: the record
    // packs smaller than its bytes
    for (size_t at = 0; at + 8 <= 90; ++at) {
        std::vector<unsigned char> r = Record(90, at, 8, '-');
        EXPECT_LT(Packed(r).size(), 90u + 1u) << "at " << at;
    }
    std::vector<unsigned char> blank(5056, ' ');
    EXPECT_LE(Packed(blank).size(), 4u);
}

TEST(Packing, UnpackingOverTheRunsABufferHoldsGivesTheNewRecord)
{
    // fixed records of fields and blank stretches of varying places, each
    // unpacked over the one before it, the runs of that one given as held
    std::vector<std::vector<unsigned char>> records;
    for (size_t k = 0; k < 12; ++k) {
        std::vector<unsigned char> r = Record(3000, 0, 0, ' ');
        for (size_t i = 40 + 37 * k; i < 3000; ++i)
            r[i] = ' ';
        for (size_t i = 100 + 11 * k; i < 400 + 3 * k && i < 3000; ++i)
            r[i] = k % 3 ? ' ' : '0';
        r[2000 + k] = 'Z';
        records.push_back(r);
    }
    std::vector<unsigned char> buffer(3000, 0xEE);
    rc::Fill held{};
    for (const auto& r : records) {
        const std::vector<unsigned char> p = Packed(r);
        rc::Fill longest{};
        ASSERT_EQ(rc::UnpackOver(p.data(), p.size(), buffer.data(), buffer.size(), held, &longest), r.size());
        ASSERT_EQ(buffer, r);
        rc::Fill run = rc::LongestRun(p.data(), p.size());
        EXPECT_EQ(longest.from, run.from);
        EXPECT_EQ(longest.to, run.to);
        EXPECT_EQ(longest.byte, ' ');
        held = longest;
    }
}

// Key of the test records: their first four bytes, a big-endian number.
void leadingNumber(const void* r, uint32_t, void* k)
{
    std::memcpy(k, r, 4);
}

struct Keyed {
    unsigned char key[4];
    uint32_t serial;
};

Keyed Make(uint32_t key, uint32_t serial)
{
    Keyed k{};
    for (int i = 0; i < 4; ++i)
        k.key[i] = static_cast<unsigned char>(key >> (24 - 8 * i));
    k.serial = serial;
    return k;
}

uint32_t Add(FFC_RECORD_STORE* s, uint32_t key, uint32_t serial)
{
    const Keyed k = Make(key, serial);
    return RS_ulAddRecord(s, &k, sizeof k);
}

TEST(Packing, NumberKeysFindTheFirstOfEqualKeysInEveryOrderOfLookups)
{
    FFC_RECORD_STORE* s = nullptr;
    ASSERT_EQ(RS_sCreateStore(&s, 1), 0);
    ASSERT_EQ(RS_sDefineIndex(s, 4, leadingNumber, nullptr), 0);
    // keys 10, 20, ... with three records each for every fifth key, added
    // out of order as well; keys past 2^24 and 2^31 compare as numbers
    std::vector<uint32_t> keys;
    for (uint32_t k = 1; k <= 60; ++k)
        keys.push_back(k * 10);
    keys.push_back(0x01000000u);
    keys.push_back(0x80000001u);
    uint32_t serial = 0;
    for (uint32_t k : keys)
        ASSERT_NE(Add(s, k, ++serial), 0u);
    for (uint32_t k = 50; k <= 600; k += 50)
        for (int copy = 0; copy < 2; ++copy)
            ASSERT_NE(Add(s, k, 1000 + k + static_cast<uint32_t>(copy)), 0u);
    ASSERT_NE(Add(s, 5, 77), 0u);
    // every key found, with the first record stored under it, whatever
    // the order of the lookups
    std::vector<uint32_t> order = keys;
    order.push_back(5);
    std::vector<std::vector<uint32_t>> orders{order, {order.rbegin(), order.rend()}, {}};
    for (size_t i = 0; i < order.size(); ++i)
        orders[2].push_back(order[(i * 37) % order.size()]);
    for (const auto& o : orders)
        for (uint32_t k : o) {
            Keyed got{};
            const Keyed want = Make(k, 0);
            ASSERT_EQ(RS_fFindRecord(s, 0, want.key, &got, sizeof got, nullptr), 0) << k;
            uint32_t first = k == 5 ? 77 : 0;
            for (size_t i = 0; i < keys.size() && !first; ++i)
                if (keys[i] == k)
                    first = static_cast<uint32_t>(i + 1);
            EXPECT_EQ(got.serial, first) << k;
        }
    // keys not stored: below the first, between two, past the last
    for (uint32_t k : {0u, 4u, 6u, 15u, 599u, 601u, 0x00FFFFFFu, 0x80000000u, 0x80000002u, 0xFFFFFFFFu}) {
        Keyed got{};
        const Keyed want = Make(k, 0);
        EXPECT_EQ(RS_fFindRecord(s, 0, want.key, &got, sizeof got, nullptr), 1) << k;
    }
    // a record stored again under its key replaces the first of them
    const Keyed again = Make(100, 4242);
    ASSERT_NE(RS_ulPutRecord(s, &again, sizeof again), 0u);
    Keyed got{};
    const Keyed want = Make(100, 0);
    ASSERT_EQ(RS_fFindRecord(s, 0, want.key, &got, sizeof got, nullptr), 0);
    EXPECT_EQ(got.serial, 4242u);
    EXPECT_EQ(RS_ulRecordCount(s), keys.size() + 24 + 1);
    RS_DestroyStore(&s);
}

// Records added to an arena come back as they were, whether the last block
// had room for the most the record could take (packed there at once) or
// not (a new block, or packed aside first): lengths straddle the one- and
// two-byte length prefixes and the blocks' sizes, packed and literal alike,
// and again after records stored anew moved and the arena was compacted.
TEST(Packing, ArenaRecordsComeBackWhereverTheirBlockRoomFalls)
{
    for (bool runs : {true, false}) {
        rc::PackedArena arena;
        std::vector<std::vector<unsigned char>> records;
        std::vector<rc::PackedArena::Ref> refs;
        const size_t lengths[] = {0, 1, 127, 128, 129, 300, 5056, 4000, 16383, 16384, 70000, 3, 9000, 64 * 1024, 2};
        for (int round = 0; round < 12; ++round)
            for (size_t i = 0; i < std::size(lengths); ++i) {
                const size_t n = lengths[(i + static_cast<size_t>(round)) % std::size(lengths)];
                // text at the head, a blank tail (most of a checker record)
                records.push_back(Record(n, std::min<size_t>(n, 40 + static_cast<size_t>(round)), n, ' '));
                if (!records.back().empty())
                    records.back()[0] = static_cast<unsigned char>('a' + round);
                refs.push_back(arena.Add(records.back().data(), static_cast<uint32_t>(records.back().size()), runs));
            }
        const auto check = [&](const char* when) {
            for (size_t i = 0; i < records.size(); ++i) {
                const std::vector<unsigned char>& r = records[i];
                std::vector<unsigned char> back(r.size() + 1, 0xEE);
                ASSERT_EQ(arena.Length(refs[i]), r.size()) << when << " record " << i;
                ASSERT_EQ(arena.CopyTo(refs[i], back.data(), static_cast<uint32_t>(r.size())), r.size());
                ASSERT_TRUE(std::equal(r.begin(), r.end(), back.begin())) << when << " record " << i;
                ASSERT_EQ(back[r.size()], 0xEE) << when << " record " << i;
            }
        };
        check("added");
        // every third record stored again longer (it moves), every fifth
        // with other text in place; then the moved-from room is taken back
        for (size_t i = 0; i < records.size(); i += 3) {
            records[i].resize(records[i].size() + 200, 'Q');
            arena.Replace(refs[i], records[i].data(), static_cast<uint32_t>(records[i].size()), runs);
        }
        for (size_t i = 1; i < records.size(); i += 5)
            if (!records[i].empty()) {
                records[i][0] = '#';
                arena.Replace(refs[i], records[i].data(), static_cast<uint32_t>(records[i].size()), runs);
            }
        check("replaced");
        std::vector<rc::PackedArena::Ref*> all;
        for (rc::PackedArena::Ref& r : refs)
            all.push_back(&r);
        arena.Compact(all);
        check("compacted");
        // added after the compaction, into the room it left at the end
        for (size_t n : {5056u, 100u, 60000u}) {
            records.push_back(Record(n, 10, n, 0));
            refs.push_back(arena.Add(records.back().data(), static_cast<uint32_t>(records.back().size()), runs));
        }
        check("added after compacting");
    }
}

}  // namespace

// Run-length packing of fixed records: the record stores and the work file
// keep mostly-blank records of thousands of bytes in little more than their
// content. Records are packed once when stored and unpacked straight into
// the reader's buffer, no further than it asks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace rc {

// A stretch [from, to) of a record or buffer that holds one byte; empty
// when from equals to.
struct Fill {
    unsigned char byte = 0;
    uint32_t from = 0;
    uint32_t to = 0;
};

// The most n bytes can pack to.
size_t PackedBound(size_t n);
// Packs n bytes into out (PackedBound(n) bytes); returns the packed size.
// Without runs the bytes are only cut into literal pieces.
size_t Pack(const void* record, size_t n, unsigned char* out, bool runs = true);
// Unpacks into out, at most capacity bytes; returns the bytes written.
size_t Unpack(const unsigned char* packed, size_t size, void* out, size_t capacity);
// Unpacks as Unpack does into out that already holds the stretch `held`:
// what a run of the record would write there is not written again.
// *longest (when given) gets the longest run written (LongestRun).
size_t UnpackOver(const unsigned char* packed, size_t size, void* out, size_t capacity, Fill held, Fill* longest);
// The longest run of the packed record (the first of equal ones; empty
// when it has none), such as the blank tail of a fixed record.
Fill LongestRun(const unsigned char* packed, size_t size);
// Whether the packed bytes hold exactly these n bytes.
bool Matches(const unsigned char* packed, size_t size, const void* record, size_t n);
// Writes n bytes of `byte` at out, as unpacking writes a run (in stores of
// 32 bytes where the processor has them): a record blanked whole.
void FillBytes(void* out, unsigned char byte, size_t n);

// A record kept packed in a block of its own size.
class PackedBytes {
public:
    // Packs the record; scratch is a work buffer the caller keeps between
    // calls. Without runs the record is kept as it is, in literal pieces.
    static PackedBytes Of(const void* record, uint32_t length, std::vector<unsigned char>& scratch, bool runs = true);
    // Replaces the record kept here with this one: nothing to do for the
    // same record stored again (as most are), and the block is reused when
    // the packed size is the same.
    void Assign(const void* record, uint32_t length, std::vector<unsigned char>& scratch, bool runs = true);
    // Unpacks the record into out, at most capacity bytes; returns its length.
    uint32_t CopyTo(void* out, uint32_t capacity) const;
    uint32_t Length() const { return length_; }

private:
    std::unique_ptr<unsigned char[]> bytes_;
    uint32_t size_ = 0;    // packed bytes
    uint32_t length_ = 0;  // bytes of the record
};

// Packed records side by side in blocks, for a store that keeps thousands
// of them: no allocation of its own per record. Each record lies as its
// length (seven bits a byte, the last byte below 128) and its packed bytes.
// A record stored again is packed in its old room when it fits there; a
// longer one moves to the end, and the room it leaves is taken back by
// Compact.
class PackedArena {
public:
    // Where a record lies: eight bytes, the store holds one per record.
    struct Ref {
        uint32_t place = 0;  // block << 16 | offset in the block
        uint32_t size = 0;   // bytes of its room: its length, then its packed bytes
    };
    // The length of the record.
    uint32_t Length(const Ref& ref) const
    {
        uint32_t length;
        LengthAt(At(ref), length);
        return length;
    }
    // Packs a record into the arena (without runs: as it is, in literal pieces).
    Ref Add(const void* record, uint32_t length, bool runs);
    // Stores this record where ref's was: nothing to do for the same record.
    // Returns whether the record stored differs from the one before.
    bool Replace(Ref& ref, const void* record, uint32_t length, bool runs);
    // Unpacks the record into out, at most capacity bytes; returns its length.
    uint32_t CopyTo(const Ref& ref, void* out, uint32_t capacity) const;
    // CopyTo into out that already holds the stretch `held` (UnpackOver).
    uint32_t CopyOver(const Ref& ref, void* out, uint32_t capacity, Fill held, Fill* longest) const;
    // The longest run of the record.
    Fill LongestRun(const Ref& ref) const;
    // Whether the room records left behind is worth a Compact: at least
    // two blocks' worth and a quarter of what the records hold.
    bool WorthCompacting() const { return dead_ >= 2 * kBlock && dead_ >= held_ / 4; }
    // Moves the records (refs: every record of the arena) together, in the
    // order they lie, and frees the blocks left empty; their refs follow.
    void Compact(const std::vector<Ref*>& refs);
    // Compacts when records left any room, and cuts the last block to what
    // it holds (a record added later starts a new block).
    void Shrink(const std::vector<Ref*>& refs);

private:
    // Blocks grow from kFirstBlock, doubling up to kBlock: a store of a few
    // records (the run messages of a job) takes little more than they do.
    static constexpr uint32_t kFirstBlock = 4 * 1024;
    static constexpr uint32_t kBlock = 64 * 1024;
    struct Block {
        std::unique_ptr<unsigned char[]> bytes;
        uint32_t capacity;
    };
    // A record's packed bytes and length.
    struct Stored {
        const unsigned char* packed;
        uint32_t size;
        uint32_t length;
    };
    // Offsets in a block are kept in 16 bits: blocks hold at most 64 KB but
    // for one of a longer record, which holds nothing after it (Compact
    // starts no record past the first 64 KB of a block).
    static constexpr uint32_t kMaxOffset = 0xFFFF;
    static constexpr size_t kMaxBlocks = 0x10000;
    const unsigned char* At(const Ref& ref) const
    {
        return blocks_[ref.place >> 16].bytes.get() + (ref.place & kMaxOffset);
    }
    // Reads the length at `at`; returns the bytes it takes. A record of up
    // to 16 KB (the stores' all are) has a length of one or two bytes.
    static uint32_t LengthAt(const unsigned char* at, uint32_t& length)
    {
        if (at[0] < 0x80) {
            length = at[0];
            return 1;
        }
        if (at[1] < 0x80) {
            length = (at[0] & 0x7Fu) | static_cast<uint32_t>(at[1]) << 7;
            return 2;
        }
        return LongLengthAt(at, length);
    }
    static uint32_t LongLengthAt(const unsigned char* at, uint32_t& length);
    Stored Read(const Ref& ref) const
    {
        const unsigned char* at = At(ref);
        uint32_t length;
        const uint32_t k = LengthAt(at, length);
        return {at + k, ref.size - k, length};
    }
    // Room for size bytes at the end; sets ref's place.
    unsigned char* Room(uint32_t size, Ref& ref);
    // The record's length and packed bytes in scratch_; returns their size.
    size_t PackScratch(const void* record, uint32_t length, bool runs);

    std::vector<Block> blocks_;
    uint32_t used_ = 0;  // bytes used of the last block
    size_t held_ = 0;    // packed bytes of the records
    size_t dead_ = 0;    // bytes of rooms no record holds any more
    std::vector<unsigned char> scratch_;
};

}  // namespace rc

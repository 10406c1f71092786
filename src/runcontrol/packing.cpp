// Run-length packing of fixed records, shared by the record stores and the
// work file.
//
// A packed record is a sequence of pieces: a literal (a byte n below 128,
// then n + 1 bytes) or a run (a byte 128 + n, then for n below 127 a count
// of n + kMinRun, for n = 127 a 16-bit little-endian count, then the byte
// repeated). Records of the checker are mostly blanks and binary zeros, so a
// record of 11,000 bytes keeps little more than its text.
#include "runcontrol/packing.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace rc {
namespace {

constexpr size_t kMinRun = 4;         // shorter runs stay in literals
constexpr size_t kShortRunMax = 126;  // n of a run whose count fits its piece byte
constexpr size_t kLiteralMax = 128;
constexpr size_t kRunMax = 0xFFFF;

uint64_t load8(const unsigned char* p)
{
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Copies the n bytes (1 to kLiteralMax) of a literal piece in moves of 16,
// 8 or 4 bytes, the last overlapping the one before: left to itself the
// compiler copies a piece of bounded length with a string instruction,
// slow to start for a few dozen bytes.
inline void copyPiece(unsigned char* out, const unsigned char* in, size_t n)
{
#if defined(__SSE2__)
    if (n >= 16) {
        auto move = [&](size_t at) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at)));
        };
        for (size_t at = 0; at + 16 < n; at += 16)
            move(at);
        move(n - 16);
        return;
    }
#endif
    if (n >= 8) {
        const uint64_t head = load8(in), tail = load8(in + n - 8);
        std::memcpy(out, &head, 8);
        std::memcpy(out + n - 8, &tail, 8);
    } else if (n >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, in, 4);
        std::memcpy(&tail, in + n - 4, 4);
        std::memcpy(out, &head, 4);
        std::memcpy(out + n - 4, &tail, 4);
    } else {
        for (size_t i = 0; i < n; ++i)
            out[i] = in[i];
    }
}

void putLiteral(unsigned char*& out, const unsigned char* p, size_t n)
{
    while (n > 0) {
        size_t k = std::min(n, kLiteralMax);
        *out++ = static_cast<unsigned char>(k - 1);
        std::memcpy(out, p, k);
        out += k;
        p += k;
        n -= k;
    }
}

void putRun(unsigned char*& out, unsigned char byte, size_t n)
{
    while (n > 0) {
        size_t k = std::min(n, kRunMax);
        if (k < kMinRun) {  // a tail shorter than a run
            std::memset(out + 1, byte, k);
            *out = static_cast<unsigned char>(k - 1);
            out += k + 1;
            return;
        }
        if (k - kMinRun < kShortRunMax + 1) {
            *out++ = static_cast<unsigned char>(128 + (k - kMinRun));
        } else {
            *out++ = 255;
            *out++ = static_cast<unsigned char>(k);
            *out++ = static_cast<unsigned char>(k >> 8);
        }
        *out++ = byte;
        n -= k;
    }
}

// The end of the run of `byte` that goes on at p[to], at most n. Most runs
// of a record (the blank pad of a field) end within 32 bytes, which one
// compare tells; a longer one (the blank tail of a record, thousands of
// bytes) is followed 512 bytes at a time while it holds, the differences of
// its 16 vectors from the byte or'ed together and tested once, then 128
// and 32 at a time.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) inline __m256i same32(const unsigned char* at, __m256i fill)
{
    return _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)), fill);
}

__attribute__((target("avx2"))) inline __m256i differs32(const unsigned char* at, __m256i fill)
{
    return _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)), fill);
}

// Whether the 128 bytes at `at` all are the byte of fill.
__attribute__((target("avx2"))) inline bool same128(const unsigned char* at, __m256i fill)
{
    const __m256i d = _mm256_or_si256(_mm256_or_si256(differs32(at, fill), differs32(at + 32, fill)),
                                      _mm256_or_si256(differs32(at + 64, fill), differs32(at + 96, fill)));
    return _mm256_testz_si256(d, d) != 0;
}

__attribute__((target("avx2"))) size_t runEndWide(const unsigned char* p, size_t n, size_t to, unsigned char byte)
{
    const __m256i fill = _mm256_set1_epi8(static_cast<char>(byte));
    const auto same = [p, fill](size_t at) __attribute__((target("avx2"))) { return same32(p + at, fill); };
    if (to + 32 <= n) {
        const auto equal = static_cast<uint32_t>(_mm256_movemask_epi8(same(to)));
        if (equal != 0xFFFFFFFFu)
            return to + static_cast<size_t>(__builtin_ctz(~equal));
        to += 32;
        while (to + 512 <= n) {
            const unsigned char* at = p + to;
            __m256i d = _mm256_or_si256(_mm256_or_si256(differs32(at, fill), differs32(at + 32, fill)),
                                        _mm256_or_si256(differs32(at + 64, fill), differs32(at + 96, fill)));
            for (size_t k = 128; k < 512; k += 128)
                d = _mm256_or_si256(
                    d, _mm256_or_si256(_mm256_or_si256(differs32(at + k, fill), differs32(at + k + 32, fill)),
                                       _mm256_or_si256(differs32(at + k + 64, fill), differs32(at + k + 96, fill))));
            if (!_mm256_testz_si256(d, d))
                break;
            to += 512;
        }
        while (to + 128 <= n && same128(p + to, fill))
            to += 128;
    }
    while (to + 32 <= n) {
        auto equal = static_cast<uint32_t>(_mm256_movemask_epi8(same(to)));
        if (equal != 0xFFFFFFFFu)
            return to + static_cast<size_t>(__builtin_ctz(~equal));
        to += 32;
    }
    if (to < n && n >= 32) {
        // the last bytes, in the 32 that end the record (from before `to`)
        const auto shift = static_cast<unsigned>(to - (n - 32));
        const auto equal = static_cast<uint32_t>(_mm256_movemask_epi8(same(n - 32))) >> shift;
        return to + static_cast<size_t>(__builtin_ctz(~equal));
    }
    while (to < n && p[to] == byte)
        ++to;
    return to;
}
#endif

size_t runEndNarrow(const unsigned char* p, size_t n, size_t to, unsigned char byte)
{
#if defined(__SSE2__)
    const __m128i fill = _mm_set1_epi8(static_cast<char>(byte));
    while (to + 16 <= n) {
        auto equal = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + to)), fill)));
        if (equal != 0xFFFFu)
            return to + static_cast<size_t>(__builtin_ctz(~equal));
        to += 16;
    }
#endif
    const uint64_t w = byte * 0x0101010101010101ULL;
    while (to + 8 <= n && load8(p + to) == w)
        to += 8;
    while (to < n && p[to] == byte)
        ++to;
    return to;
}

#if defined(__x86_64__) || defined(__i386__)
// (read in a static constructor: the processor's features are read first)
const bool wideCompares = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
#endif

size_t runEnd(const unsigned char* p, size_t n, size_t to, unsigned char byte)
{
#if defined(__x86_64__) || defined(__i386__)
    if (wideCompares)
        return runEndWide(p, n, to, byte);
#endif
    return runEndNarrow(p, n, to, byte);
}

// Writes n bytes (at least 32) of `byte` at out in stores of 32 bytes, the
// last overlapping the one before: the blank tail of a record is thousands
// of bytes.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void fillWide(unsigned char* out, unsigned char byte, size_t n)
{
    const __m256i v = _mm256_set1_epi8(static_cast<char>(byte));
    const auto put = [v](unsigned char* at)
                         __attribute__((target("avx2"))) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), v); };
    unsigned char* const end = out + n;
    for (; out + 128 <= end; out += 128) {
        put(out);
        put(out + 32);
        put(out + 64);
        put(out + 96);
    }
    for (; out + 32 < end; out += 32)
        put(out);
    put(end - 32);
}
#endif

// Writes n bytes (more than 32) of `byte` at out in vector stores, the last
// overlapping the one before: memset is a call for the short runs of a
// record and writes its long ones (the blank tail) with a string
// instruction.
__attribute__((noinline)) void fillLong(unsigned char* out, unsigned char byte, size_t n)
{
#if defined(__x86_64__) || defined(__i386__)
    if (n >= 128 && wideCompares) {
        fillWide(out, byte, n);
        return;
    }
#endif
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi8(static_cast<char>(byte));
    auto put = [&](unsigned char* at) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v); };
    unsigned char* const end = out + n;
    for (; out + 64 <= end; out += 64) {
        put(out);
        put(out + 16);
        put(out + 32);
        put(out + 48);
    }
    // the last bytes: up to 64 before the end, again in part
    for (; out + 16 < end; out += 16)
        put(out);
    put(end - 16);
#else
    std::memset(out, byte, n);
#endif
}

// Writes n bytes of `byte` at out: most runs of a record are short, and
// are written in place in two stores, the second overlapping the first.
inline void fill(unsigned char* out, unsigned char byte, size_t n)
{
    if (n > 32) {
        fillLong(out, byte, n);
        return;
    }
#if defined(__SSE2__)
    if (n >= 16) {
        const __m128i v = _mm_set1_epi8(static_cast<char>(byte));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n - 16), v);
        return;
    }
#endif
    const uint64_t w = byte * 0x0101010101010101ULL;
    if (n >= 8) {
        if (n > 16) {  // (without vector stores)
            fillLong(out, byte, n);
            return;
        }
        std::memcpy(out, &w, 8);
        std::memcpy(out + n - 8, &w, 8);
    } else if (n >= 4) {
        std::memcpy(out, &w, 4);
        std::memcpy(out + n - 4, &w, 4);
    } else {
        for (size_t i = 0; i < n; ++i)
            out[i] = byte;
    }
}

// Of a bit mask of equal neighbours (bit k: byte k equals byte k + 1), the
// bits k where bytes k to k + 7 are all one byte.
inline uint32_t eightSame(uint32_t equal)
{
    equal &= equal >> 1;
    equal &= equal >> 2;
    return equal & equal >> 3;
}

// Where the first stretch of eight equal bytes at or after p[i] starts, or
// n when there is none: found by comparing each byte with the next, 16 or
// 32 at a time; in the last bytes each window of eight is tried.
#if defined(__x86_64__) || defined(__i386__)
// True with i at the stretch found; false with i at the first byte not yet
// looked at, less than 33 bytes before the end.
__attribute__((target("avx2"))) bool nextRunWide(const unsigned char* p, size_t n, size_t& i)
{
    for (; i + 33 <= n; i += 26) {
        const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 1));
        const uint32_t at = eightSame(static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(here, next)))) &
                            0x3FFFFFFu;
        if (at) {
            i += static_cast<size_t>(__builtin_ctz(at));
            return true;
        }
    }
    return false;
}
#endif

size_t nextRun(const unsigned char* p, size_t n, size_t i)
{
#if defined(__x86_64__) || defined(__i386__)
    if (wideCompares && nextRunWide(p, n, i))
        return i;
#endif
#if defined(__SSE2__)
    for (; i + 17 <= n; i += 10) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
        const uint32_t at = eightSame(static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, next)))) & 0x3FFu;
        if (at)
            return i + static_cast<size_t>(__builtin_ctz(at));
    }
#endif
    for (; i + 8 <= n; ++i)
        if (load8(p + i) == p[i] * 0x0101010101010101ULL)
            return i;
    return n;
}

// Packs n bytes into out (packedBound(n) bytes); returns the packed size.
// A stretch of eight equal bytes found (nextRun) grows both ways to a run.
size_t pack(const unsigned char* p, size_t n, unsigned char* out)
{
    unsigned char* const start = out;
    size_t literal = 0;
    for (size_t i = nextRun(p, n, 0); i < n; i = nextRun(p, n, i)) {
        size_t from = i;
        while (from > literal && p[from - 1] == p[i])
            --from;
        size_t to = runEnd(p, n, i + 8, p[i]);
        putLiteral(out, p + literal, from - literal);
        putRun(out, p[i], to - from);
        literal = i = to;
    }
    putLiteral(out, p + literal, n - literal);
    return static_cast<size_t>(out - start);
}

// Writes n bytes of a run at out + at, but for the part that lies in the
// stretch the output already holds.
void putFill(unsigned char* out, size_t at, size_t n, unsigned char byte, const Fill& held)
{
    size_t to = at + n;
    if (byte != held.byte || held.from >= to || held.to <= at || held.from >= held.to) {
        fill(out + at, byte, n);
        return;
    }
    if (at < held.from)
        fill(out + at, byte, held.from - at);
    if (held.to < to)
        fill(out + held.to, byte, to - held.to);
}

// Follows the runs of a record: a run longer than one piece goes on in
// the next; keeps the longest.
struct Runs {
    Fill current;
    Fill longest;

    void Add(unsigned char byte, size_t at, size_t n)
    {
        if (current.to != at || current.byte != byte || current.from == current.to)
            current = {byte, static_cast<uint32_t>(at), static_cast<uint32_t>(at)};
        current.to = static_cast<uint32_t>(at + n);
        if (current.to - current.from > longest.to - longest.from)
            longest = current;
    }
};

// One piece of packed bytes: n bytes, a literal's (at `bytes`) or a run of
// `byte` (bytes null).
struct Piece {
    const unsigned char* bytes = nullptr;
    size_t n = 0;
    unsigned char byte = 0;
};

// Reads the piece at in and moves past it; false at the end or at a run cut
// short (a literal cut short keeps the bytes there are).
bool readPiece(const unsigned char*& in, const unsigned char* end, Piece& piece)
{
    if (in >= end)
        return false;
    unsigned char c = *in++;
    if (c < 128) {
        size_t n = std::min<size_t>(c + 1u, static_cast<size_t>(end - in));
        piece = {in, n, 0};
        in += n;
        return true;
    }
    size_t n = c - 128u + kMinRun;
    if (c == 255) {
        if (end - in < 2)
            return false;
        n = in[0] | static_cast<size_t>(in[1]) << 8;
        in += 2;
    }
    if (in >= end)
        return false;
    piece = {nullptr, n, *in++};
    return true;
}

// Unpacks into out, at most capacity bytes, where out already holds the
// stretch `held`; returns the bytes written. *longest (when given) gets
// the longest run written.
template <bool kLongest>
size_t unpackRuns(const unsigned char* in, size_t size, unsigned char* out, size_t capacity, const Fill& held,
                  Fill* longest)
{
    const unsigned char* end = in + size;
    size_t done = 0;
    Runs runs;
    Piece piece;
    while (done < capacity && readPiece(in, end, piece)) {
        size_t n = std::min(piece.n, capacity - done);
        if (piece.bytes) {
            copyPiece(out + done, piece.bytes, n);
        } else {
            putFill(out, done, n, piece.byte, held);
            if constexpr (kLongest)
                runs.Add(piece.byte, done, n);
        }
        done += n;
    }
    if constexpr (kLongest)
        *longest = runs.longest;
    return done;
}

size_t unpack(const unsigned char* in, size_t size, unsigned char* out, size_t capacity, const Fill& held,
              Fill* longest)
{
    return longest ? unpackRuns<true>(in, size, out, capacity, held, longest)
                   : unpackRuns<false>(in, size, out, capacity, held, nullptr);
}

// The longest run of the packed bytes.
Fill longestRun(const unsigned char* in, size_t size)
{
    const unsigned char* end = in + size;
    size_t done = 0;
    Runs runs;
    Piece piece;
    while (readPiece(in, end, piece)) {
        if (!piece.bytes)
            runs.Add(piece.byte, done, piece.n);
        done += piece.n;
    }
    return runs.longest;
}

// Whether the n bytes (a literal piece: 1 to kLiteralMax) at a and b are
// the same, compared in 16-, 8- or 4-byte loads, the last overlapping the
// one before.
bool samePiece(const unsigned char* a, const unsigned char* b, size_t n)
{
#if defined(__SSE2__)
    if (n >= 16) {
        auto equal = [&](size_t at) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
            const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
            return _mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) == 0xFFFF;
        };
        for (size_t at = 0; at + 16 < n; at += 16)
            if (!equal(at))
                return false;
        return equal(n - 16);
    }
#endif
    if (n >= 8)
        return load8(a) == load8(b) && load8(a + n - 8) == load8(b + n - 8);
    return std::memcmp(a, b, n) == 0;
}

// Whether the packed bytes hold exactly these n bytes. A run is checked as
// its first byte and every byte equal to the one before it.
bool matches(const unsigned char* in, size_t size, const unsigned char* p, size_t n)
{
    const unsigned char* end = in + size;
    size_t done = 0;
    while (in < end) {
        unsigned char c = *in++;
        size_t k = c < 128 ? c + 1u : c - 128u + kMinRun;
        if (c == 255) {
            if (end - in < 2)
                return false;
            k = in[0] | static_cast<size_t>(in[1]) << 8;
            in += 2;
        }
        if (k == 0 || k > n - done || (c < 128 ? static_cast<size_t>(end - in) < k : in >= end))
            return false;
        if (c < 128) {
            if (!samePiece(in, p + done, k))
                return false;
            in += k;
        } else {
            if (runEnd(p, done + k, done, *in++) != done + k)
                return false;
        }
        done += k;
    }
    return done == n;
}

}  // namespace

size_t PackedBound(size_t n)
{
    return n + n / kLiteralMax + 1;
}

size_t Pack(const void* record, size_t n, unsigned char* out, bool runs)
{
    auto* p = static_cast<const unsigned char*>(record);
    if (runs)
        return pack(p, n, out);
    unsigned char* end = out;
    putLiteral(end, p, n);
    return static_cast<size_t>(end - out);
}

size_t Unpack(const unsigned char* packed, size_t size, void* out, size_t capacity)
{
    return unpack(packed, size, static_cast<unsigned char*>(out), capacity, Fill{}, nullptr);
}

size_t UnpackOver(const unsigned char* packed, size_t size, void* out, size_t capacity, Fill held, Fill* longest)
{
    return unpack(packed, size, static_cast<unsigned char*>(out), capacity, held, longest);
}

void FillBytes(void* out, unsigned char byte, size_t n)
{
    fill(static_cast<unsigned char*>(out), byte, n);
}

Fill LongestRun(const unsigned char* packed, size_t size)
{
    return longestRun(packed, size);
}

PackedBytes PackedBytes::Of(const void* record, uint32_t length, std::vector<unsigned char>& scratch, bool runs)
{
    scratch.resize(PackedBound(length));
    PackedBytes p;
    p.length_ = length;
    p.size_ = static_cast<uint32_t>(Pack(record, length, scratch.data(), runs));
    p.bytes_ = std::make_unique_for_overwrite<unsigned char[]>(p.size_);
    std::memcpy(p.bytes_.get(), scratch.data(), p.size_);
    return p;
}

bool Matches(const unsigned char* packed, size_t size, const void* record, size_t n)
{
    return matches(packed, size, static_cast<const unsigned char*>(record), n);
}

void PackedBytes::Assign(const void* record, uint32_t length, std::vector<unsigned char>& scratch, bool runs)
{
    if (length == length_ && Matches(bytes_.get(), size_, record, length))
        return;
    scratch.resize(PackedBound(length));
    auto size = static_cast<uint32_t>(Pack(record, length, scratch.data(), runs));
    if (size != size_ || !bytes_)
        bytes_ = std::make_unique_for_overwrite<unsigned char[]>(size);
    std::memcpy(bytes_.get(), scratch.data(), size);
    size_ = size;
    length_ = length;
}

uint32_t PackedBytes::CopyTo(void* out, uint32_t capacity) const
{
    Unpack(bytes_.get(), size_, out, std::min(capacity, length_));
    return length_;
}

namespace {

constexpr size_t kLengthMax = 5;  // bytes of a 32-bit length, seven bits a byte

size_t putLength(unsigned char* out, uint32_t n)
{
    size_t k = 0;
    for (; n >= 0x80; n >>= 7)
        out[k++] = static_cast<unsigned char>(n | 0x80);
    out[k++] = static_cast<unsigned char>(n);
    return k;
}

}  // namespace

uint32_t PackedArena::LongLengthAt(const unsigned char* at, uint32_t& length)
{
    length = at[0] & 0x7Fu;
    uint32_t k = 1;
    for (unsigned shift = 7; at[k - 1] & 0x80; shift += 7, ++k)
        length |= static_cast<uint32_t>(at[k] & 0x7Fu) << shift;
    return k;
}

size_t PackedArena::PackScratch(const void* record, uint32_t length, bool runs)
{
    const size_t room = kLengthMax + PackedBound(length);
    if (scratch_.size() < room)
        scratch_.resize(room);
    const size_t k = putLength(scratch_.data(), length);
    return k + Pack(record, length, scratch_.data() + k, runs);
}

unsigned char* PackedArena::Room(uint32_t size, Ref& ref)
{
    // (past the first 64 KB of a block's room, as Compact may leave the
    // last block holding a long record, a record starts a new block)
    if (blocks_.empty() || used_ > kMaxOffset || used_ + size > blocks_.back().capacity) {
        const size_t grown = blocks_.size();
        if (grown >= kMaxBlocks)
            throw std::bad_alloc();
        const uint32_t next = grown >= 4 ? kBlock : kFirstBlock << grown;
        uint32_t capacity = std::max(next, size);
        blocks_.push_back({std::make_unique_for_overwrite<unsigned char[]>(capacity), capacity});
        used_ = 0;
    }
    ref.place = static_cast<uint32_t>(blocks_.size() - 1) << 16 | used_;
    used_ += size;
    return blocks_.back().bytes.get() + (ref.place & kMaxOffset);
}

PackedArena::Ref PackedArena::Add(const void* record, uint32_t length, bool runs)
{
    Ref ref;
    // Where the last block has room for the most the record can take, it
    // is packed there straight away: Room would put it there too.
    if (!blocks_.empty() && used_ <= kMaxOffset && blocks_.back().capacity - used_ >= kLengthMax + PackedBound(length)) {
        unsigned char* at = blocks_.back().bytes.get() + used_;
        const size_t k = putLength(at, length);
        const auto size = static_cast<uint32_t>(k + Pack(record, length, at + k, runs));
        ref.place = static_cast<uint32_t>(blocks_.size() - 1) << 16 | used_;
        ref.size = size;
        used_ += size;
        held_ += size;
        return ref;
    }
    auto size = static_cast<uint32_t>(PackScratch(record, length, runs));
    std::memcpy(Room(size, ref), scratch_.data(), size);
    ref.size = size;
    held_ += size;
    return ref;
}

bool PackedArena::Replace(Ref& ref, const void* record, uint32_t length, bool runs)
{
    const Stored stored = Read(ref);
    if (length == stored.length && Matches(stored.packed, stored.size, record, length))
        return false;
    auto size = static_cast<uint32_t>(PackScratch(record, length, runs));
    Ref moved = ref;
    unsigned char* to = size <= ref.size ? const_cast<unsigned char*>(At(ref)) : Room(size, moved);
    std::memcpy(to, scratch_.data(), size);
    dead_ += size <= ref.size ? ref.size - size : ref.size;
    held_ += size;
    held_ -= ref.size;
    ref = moved;
    ref.size = size;
    return true;
}

void PackedArena::Compact(const std::vector<Ref*>& refs)
{
    /* the records in the order they lie, by their places as one number
    ** each. In the order of the records these mostly ascend already: a
    ** record stored again either stays where it was or moves to the end, so
    ** they fall into a few ascending sequences, which are merged. */
    using Placed = std::pair<uint64_t, Ref*>;
    std::vector<std::vector<Placed>> piles;
    for (Ref* r : refs) {
        const Placed p{r->place, r};
        auto pile = std::find_if(piles.begin(), piles.end(),
                                 [&](const std::vector<Placed>& v) { return v.back().first < p.first; });
        if (pile != piles.end()) {
            pile->push_back(p);
        } else if (piles.size() < 4) {
            piles.emplace_back().push_back(p);
        } else {
            piles.front().push_back(p);  // out of order: sorted below
        }
    }
    std::vector<Placed> order;
    const auto byPlace = [](const Placed& x, const Placed& y) { return x.first < y.first; };
    for (auto& pile : piles) {
        if (!std::is_sorted(pile.begin(), pile.end(), byPlace))
            std::sort(pile.begin(), pile.end(), byPlace);
        const size_t middle = order.size();
        order.insert(order.end(), pile.begin(), pile.end());
        std::inplace_merge(order.begin(), order.begin() + static_cast<long>(middle), order.end(), byPlace);
        std::vector<Placed>().swap(pile);
    }
    /* each record slides down to the first room that holds it: never past
    ** where it lies, so a move within a block overlaps at most itself */
    uint32_t block = 0, offset = 0;
    for (const auto& [place, r] : order) {
        const uint32_t from = r->place >> 16;
        while (block < from && (offset + r->size > blocks_[block].capacity || offset > kMaxOffset)) {
            ++block;
            offset = 0;
        }
        unsigned char* to = blocks_[block].bytes.get() + offset;
        const unsigned char* at = At(*r);
        if (to != at)
            std::memmove(to, at, r->size);
        r->place = block << 16 | offset;
        offset += r->size;
    }
    blocks_.resize(blocks_.empty() ? 0 : block + 1);
    used_ = offset;
    dead_ = 0;
}

void PackedArena::Shrink(const std::vector<Ref*>& refs)
{
    if (dead_ > 0)
        Compact(refs);
    if (blocks_.empty() || used_ == blocks_.back().capacity)
        return;
    auto bytes = std::make_unique_for_overwrite<unsigned char[]>(std::max<uint32_t>(used_, 1));
    std::memcpy(bytes.get(), blocks_.back().bytes.get(), used_);
    blocks_.back() = {std::move(bytes), used_};
}

uint32_t PackedArena::CopyTo(const Ref& ref, void* out, uint32_t capacity) const
{
    const Stored stored = Read(ref);
    Unpack(stored.packed, stored.size, out, std::min(capacity, stored.length));
    return stored.length;
}

uint32_t PackedArena::CopyOver(const Ref& ref, void* out, uint32_t capacity, Fill held, Fill* longest) const
{
    const Stored stored = Read(ref);
    UnpackOver(stored.packed, stored.size, out, std::min(capacity, stored.length), held, longest);
    return stored.length;
}

Fill PackedArena::LongestRun(const Ref& ref) const
{
    const Stored stored = Read(ref);
    return longestRun(stored.packed, stored.size);
}

}  // namespace rc

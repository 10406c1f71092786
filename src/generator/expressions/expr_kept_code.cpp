/*
** expr_kept_code.cpp: the direct code of a variant, built once for its
** header macro and its routine body.
**
** The macro writer (insertion point 15) and the routine writer (point 14)
** write the same variants with the same lines, only at another stream and
** indent, and each enumeration would build them anew. While the macros are
** written, the lines of each variant are recorded and kept;
** the routine writer writes the kept variants it meets in the same order
** from their lines, and the lines are dropped when it ends or a new
** generation starts. A variant whose
** building did anything but write lines at or inside its own indent and
** set the last I/O status flag is not kept: it is built again.
*/
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "generator/expressions/expr_core_services.h"
#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_forwarding_writer.h"
#include "generator/expressions/expr_routines.h"

namespace {

/* The texts of the kept lines, one after the other in chunks that never
** move: a text is stored as its length (two bytes, or a mark and four
** more) and its bytes, and its id tells its chunk and its place there.
** The texts are not looked up to be stored once: a line is written from
** here once more only, and storing it again costs less than finding it. */
class LineTexts {
public:
    uint32_t Id(std::string_view text) { return Store(text); }
    std::string_view Text(uint32_t id) const
    {
        const char* at = chunks_[id >> kPlaceBits].get() + (id & (kChunk - 1));
        uint16_t length;
        std::memcpy(&length, at, 2);
        if (length != kLongText)
            return std::string_view(at + 2, length);
        uint32_t longLength;
        std::memcpy(&longLength, at + 2, 4);
        return std::string_view(at + 6, longLength);
    }
    /* Whether every id fits in `bits` bits. */
    bool IdsFit(unsigned bits) const { return chunks_.size() <= (size_t{1} << (bits - kPlaceBits)); }

    /* Where the next text goes, and the texts stored since a mark dropped
    ** (those of a variant that is not kept). */
    struct Mark {
        size_t chunks;
        size_t used;
    };
    Mark Here() const { return {chunks_.size(), used_}; }
    void DropSince(const Mark& mark)
    {
        chunks_.resize(mark.chunks);
        used_ = mark.used;
    }

private:
    static constexpr unsigned kPlaceBits = 14;
    static constexpr size_t kChunk = size_t{1} << kPlaceBits;
    static constexpr uint16_t kLongText = 0xFFFF;

    uint32_t Store(std::string_view text)
    {
        const bool fLong = text.size() >= kLongText;
        const size_t head = fLong ? 6 : 2;
        const size_t need = head + text.size();
        if (chunks_.empty() || kChunk - used_ < need) {
            /* a text longer than a chunk has one of its own, full at once */
            chunks_.push_back(std::make_unique_for_overwrite<char[]>(std::max(kChunk, need)));
            used_ = 0;
        }
        const auto id = static_cast<uint32_t>(((chunks_.size() - 1) << kPlaceBits) | used_);
        char* at = chunks_.back().get() + used_;
        const uint16_t length = fLong ? kLongText : static_cast<uint16_t>(text.size());
        std::memcpy(at, &length, 2);
        if (fLong) {
            const auto longLength = static_cast<uint32_t>(text.size());
            std::memcpy(at + 2, &longLength, 4);
        }
        if (!text.empty())
            std::memcpy(at + head, text.data(), text.size());
        used_ = std::min(kChunk, used_ + need);
        return id;
    }

    std::vector<std::unique_ptr<char[]>> chunks_;
    size_t used_ = 0;
};

/* A recorded line: the step of its indent from the variant's indent and
** its text. */
struct RecordedLine {
    int32_t step;
    uint32_t id;
};

/* A kept line packs the step (below 256) into the low byte and the text id
** above it. */
constexpr uint32_t kStepLimit = 256;
constexpr unsigned kIdBits = 24;

/* The kept lines of one variant, known by its routine and its tag and
** size (the records themselves live only as long as a callback). */
struct KeptVariant {
    int32_t routineNumber;
    int32_t routineKind;
    uint32_t tag;
    uint32_t statementCount;
    uint32_t first; /* its first line in KeptStore::lines */
    uint32_t count;
    bool lastIoStatus;
};

struct KeptStore {
    bool keeping = false;
    char language = 0;
    LineTexts texts;
    /* read back by index line after line: kept side by side */
    std::vector<uint32_t> lines;
    std::vector<KeptVariant> variants;
    size_t next = 0; /* the variant the routine writer is expected to ask for next */
};

KeptStore& kept()
{
    static KeptStore store;
    return store;
}

/* A writer that records the lines written through it, and passes every
** other service on to the generator's writer. A service with an effect of
** its own is done now, and the variant is built again where it is written
** next. */
class LineRecorder final : public ExprForwardingWriter {
public:
    LineRecorder(ExprWriterServices& gen, LineTexts& texts, std::vector<RecordedLine>& lines, uint32_t stream,
                 uint16_t indent)
        : ExprForwardingWriter(gen), texts_(texts), lines_(lines), stream_(stream), indent_(indent)
    {
        lines_.clear();
    }

    void WriteLine(uint32_t stream, uint16_t indent, std::string_view text) override
    {
        if (stream != stream_) {
            /* a line of another stream goes there now; the variant is not kept */
            Pass().WriteLine(stream, indent, text);
            return;
        }
        /* a line outside the variant's indent would not move with it */
        const int32_t step = static_cast<int32_t>(indent) - static_cast<int32_t>(indent_);
        if (step < 0 || static_cast<uint32_t>(step) >= kStepLimit)
            keepable_ = false;
        lines_.push_back({step, texts_.Id(text)});
    }
    void SetLastIoStatusFlag() override
    {
        lastIoStatus_ = true;
        gen_.SetLastIoStatusFlag();
    }

    bool Keepable() const { return keepable_ && !Passed() && texts_.IdsFit(kIdBits); }
    bool LastIoStatus() const { return lastIoStatus_; }

private:
    LineTexts& texts_;
    std::vector<RecordedLine>& lines_;
    uint32_t stream_;
    uint16_t indent_;
    bool keepable_ = true;
    bool lastIoStatus_ = false;
};

/* Writes a kept variant at a stream and indent (and sets the flag again
** where its building set it). */
void writeKept(ExprWriterServices& gen, const KeptStore& store, const KeptVariant& kept, uint32_t stream,
               uint16_t indent)
{
    for (uint32_t i = 0; i < kept.count; ++i) {
        const uint32_t line = store.lines[kept.first + i];
        gen.WriteLine(stream, static_cast<uint16_t>(indent + (line % kStepLimit)), store.texts.Text(line / kStepLimit));
    }
    if (kept.lastIoStatus)
        gen.SetLastIoStatusFlag();
}

/* The kept variant the routine writer asks for: the next one in the order
** the macros were written (every enumeration hands the routines over in
** the same order), or one a little further on. */
const KeptVariant* findKept(KeptStore& store, const EXPR_ROUTINE& routine, const EXPR_VARIANT& variant)
{
    constexpr size_t kLookAhead = 8;
    for (size_t i = store.next; i < store.variants.size() && i < store.next + kLookAhead; ++i) {
        const KeptVariant& k = store.variants[i];
        if (k.routineNumber == routine.number && k.routineKind == routine.kind && k.tag == variant.tag &&
            k.statementCount == variant.statementCount) {
            store.next = i + 1;
            return &k;
        }
    }
    return nullptr;
}

/* Builds a variant through a recorder, writes it, and keeps its lines when
** they can be written again elsewhere. */
void buildAndKeep(KeptStore& store, ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression,
                  EXPR_VARIANT& variant, uint32_t stream, uint16_t indent)
{
    static std::vector<RecordedLine> recorded;
    const LineTexts::Mark mark = store.texts.Here();
    LineRecorder recorder(gen, store.texts, recorded, stream, indent);
    EXPR_WriteDirectExpressionCode(recorder, routine, expression, variant, stream, indent);
    for (const RecordedLine& line : recorded)
        gen.WriteLine(stream, static_cast<uint16_t>(indent + line.step), store.texts.Text(line.id));
    if (!recorder.Keepable()) {
        store.texts.DropSince(mark);
        return;
    }
    store.variants.push_back({routine.number, routine.kind, variant.tag, variant.statementCount,
                              static_cast<uint32_t>(store.lines.size()), static_cast<uint32_t>(recorded.size()),
                              recorder.LastIoStatus()});
    for (const RecordedLine& line : recorded)
        store.lines.push_back(line.id * kStepLimit + static_cast<uint32_t>(line.step));
}

}  // namespace

void EXPR_WriteVariantCode(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression,
                           EXPR_VARIANT& variant, uint32_t stream, uint16_t indent)
{
    KeptStore& store = kept();
    if (store.keeping) {
        buildAndKeep(store, gen, routine, expression, variant, stream, indent);
        return;
    }
    if (store.language == gen.TargetLanguage())
        if (const KeptVariant* k = findKept(store, routine, variant); k != nullptr) {
            writeKept(gen, store, *k, stream, indent);
            return;
        }
    EXPR_WriteDirectExpressionCode(gen, routine, expression, variant, stream, indent);
}

void EXPR_KeepDirectCode(ExprWriterServices& gen, bool keep)
{
    KeptStore& store = kept();
    if (keep) {
        EXPR_ForgetDirectCode();
        store.language = gen.TargetLanguage();
    }
    store.keeping = keep;
}

void EXPR_ForgetDirectCode()
{
    kept() = KeptStore{};
}

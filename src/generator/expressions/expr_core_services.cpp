/*
** expr_core_services.cpp: the expression writers on the generator core.
*/
#include "generator/expressions/expr_core_services.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/work_records.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/expressions/expr_routines.h"

namespace {

/* The digits of an evaluation reference, 0 when it has none. */
int32_t referenceNumber(const std::string& digits)
{
    int32_t n = 0;
    for (char c : digits)
        if (c >= '0' && c <= '9')
            n = n * 10 + (c - '0');
    return n;
}

class UsedFieldDictionary final : public ExprFieldDictionary {
public:
    bool FindField(const char* fieldRef, ExprFieldFacts& facts) const override
    {
        /* any text, also one in a buffer of the caller's: looked up by name */
        const ExprFieldFacts* known = Known(fieldRef, false);
        if (known != nullptr)
            facts = *known;
        return known != nullptr;
    }
    /* Within one enumeration of the expression writers no used field
    ** changes: a field's facts are looked up once and kept by name until
    ** the next enumeration (the map's entries stay where they are). */
    const ExprFieldFacts* KnownField(const char* fieldRef) const override { return Known(fieldRef, true); }
    /* A component field (kind 1019): found among the members of the
    ** component's records, named as the component's field. */
    bool FindComponentField(const char* ref, ExprFieldFacts& facts) const override
    {
        const std::string_view field = ref != nullptr ? std::string_view(ref) : std::string_view();
        std::string table, name;
        if (P3109_sGetComponentFieldRef(field, table, name) != 0 || !LookUp(field, facts))
            return false;
        facts.vectorName = std::move(name);
        return true;
    }
    std::string ListFieldVectorRef(const EXPR_OPERAND_NODE&, const ExprFieldFacts& facts) const override
    {
        return facts.vectorName;
    }
    std::string RecordFieldVectorRef(const EXPR_OPERAND_NODE&, const ExprFieldFacts& facts) const override
    {
        return facts.vectorName;
    }
    /* A member of a component record (kind 1020): the record's entry in the
    ** field vector and the member's place in the record. */
    ExprMemberNames RecordFieldNames(const EXPR_OPERAND_NODE& node, const ExprFieldFacts&) const override
    {
        ExprMemberNames names;
        P3109_sGetComponentFieldRefExt(node.fieldRef != nullptr ? node.fieldRef : "",
                                       node.recordRef != nullptr ? node.recordRef : "", names.base, names.cName,
                                       names.reference);
        return names;
    }
    /* A field of a list: the field vector of the list's entry, the list's
    ** identifier and the field's index in the entry. */
    ExprMemberNames ListFieldNames(const EXPR_OPERAND_NODE& node, const ExprFieldFacts&) const override
    {
        ExprMemberNames names;
        P3109_FormatListFieldVectorRef(node.listName != nullptr ? node.listName : "",
                                       node.fieldRef != nullptr ? node.fieldRef : "", names.base, names.reference,
                                       names.cName);
        return names;
    }

private:
    /* `byAddress`: the text is a node's, which stays as it is while an
    ** enumeration runs. */
    const ExprFieldFacts* Known(const char* fieldRef, bool byAddress) const
    {
        const auto nameOf = [fieldRef]() {
            return fieldRef != nullptr ? std::string_view(fieldRef, strnlen(fieldRef, FFC_WORK_NAME_LEN))
                                       : std::string_view("");
        };
        if (EXPR_CurrentWriter() == nullptr)
            return LookUp(nameOf(), outside_) ? &outside_ : nullptr;
        if (serial_ != EXPR_WriterScopeSerial()) {
            entries_.clear();
            slots_.assign(slots_.size(), nullptr);
            serial_ = EXPR_WriterScopeSerial();
        }
        /* the nodes hand over the same name text many times: its entry is
        ** found again by the text's address (the object layer's texts stay
        ** as they are while an enumeration runs) */
        ByAddress& known = byAddress_[(reinterpret_cast<uintptr_t>(fieldRef) >> 3) % byAddress_.size()];
        if (!byAddress) {
            const Entry& entry = EntryOf(nameOf());
            return entry.found ? &entry.facts : nullptr;
        }
        if (fieldRef == nullptr || known.ref != fieldRef || known.serial != serial_) {
            known.entry = &EntryOf(nameOf());
            known.ref = fieldRef;
            known.serial = serial_;
        }
        return known.entry->found ? &known.entry->facts : nullptr;
    }

    static bool LookUp(std::string_view written, ExprFieldFacts& facts)
    {
        const GEN_FIELD_INFO* found = P3109_pFindUsedField(written, GEN_SLOT_LOOKUP_INNER, written.size());
        if (!found)
            return false;
        const GEN_FIELD_INFO& info = *found;
        facts = ExprFieldFacts{};
        facts.vectorName = info.vectorName;
        /* the declared type undoes the choice of a numeric work type; a
           character field held as a short character field is reached as one */
        facts.typeLetter = info.cType == 'U' || info.cDeclaredType == ' ' ? info.cType : info.cDeclaredType;
        facts.length = info.lLength;
        facts.decimals = info.sDecimals;
        facts.fieldClass = info.fKind("FL");
        /* an element of an array is reached through its index */
        facts.isArray = info.fIndexed;
        facts.unsignedInt = info.fUnsigned();
        /* an extended field read through a dispatch operation */
        if (info.cEvaluationKind == 'R')
            facts.dispatchOp = referenceNumber(info.evaluationRoutine);
        if (info.fKind("SV")) {
            facts.systemVariable = info.systemVariable;
            facts.systemClass = info.cRefresh;
            facts.systemWord = info.cRefresh == 'D' ? 1 : 0;
        }
        return true;
    }

    /* A field known by name in this enumeration, with the hash of its name. */
    struct Entry {
        std::string name;
        uint64_t hash = 0;
        bool found = false;
        ExprFieldFacts facts;
    };

    /* The entry of a name, looked up in the field table the first time. */
    const Entry& EntryOf(std::string_view name) const
    {
        if (4 * (entries_.size() + 1) > 3 * slots_.size())
            Grow();
        const uint64_t hash = EXPR_TextHash(name);
        const size_t mask = slots_.size() - 1;
        for (size_t at = static_cast<size_t>(hash) & mask;; at = (at + 1) & mask) {
            const Entry* slot = slots_[at];
            if (slot == nullptr) {
                Entry& entry = entries_.emplace_back();
                entry.name.assign(name);
                entry.hash = hash;
                entry.found = LookUp(name, entry.facts);
                slots_[at] = &entry;
                return entry;
            }
            if (slot->hash == hash && slot->name == name)
                return *slot;
        }
    }

    void Grow() const
    {
        std::vector<const Entry*> slots(slots_.empty() ? 256 : 2 * slots_.size(), nullptr);
        const size_t mask = slots.size() - 1;
        for (const Entry& entry : entries_) {
            size_t at = static_cast<size_t>(entry.hash) & mask;
            while (slots[at] != nullptr)
                at = (at + 1) & mask;
            slots[at] = &entry;
        }
        slots_.swap(slots);
    }

    /* A name text's entry in the enumeration numbered `serial`. */
    struct ByAddress {
        const char* ref = nullptr;
        uint64_t serial = 0;
        const Entry* entry = nullptr;
    };

    mutable uint64_t serial_ = 0;
    mutable std::array<ByAddress, 256> byAddress_{};
    mutable ExprFieldFacts outside_; /* a lookup outside the writers */
    /* the fields known in this enumeration (they stay where they are) and
       an open table of them by name */
    mutable std::deque<Entry> entries_;
    mutable std::vector<const Entry*> slots_;
};

}  // namespace

const ExprFieldDictionary& EXPR_UsedFieldDictionary()
{
    static const UsedFieldDictionary dictionary;
    return dictionary;
}

char P3109_ExprWriter::TargetLanguage() const
{
    return g().cTarget;
}

uint32_t P3109_ExprWriter::OutputStream() const
{
    return g().out.current;
}

uint16_t P3109_ExprWriter::OutputIndent() const
{
    return g().out.usIndent;
}

void P3109_ExprWriter::WriteLine(uint32_t stream, uint16_t indent, std::string_view text)
{
    P3109_WriteLine(stream, static_cast<int16_t>(indent), text);
}

void P3109_ExprWriter::WriteAtCurrent(std::string_view text)
{
    const GEN_MODULE_STATE& state = g();
    P3109_WriteLine(state.out.current, static_cast<int16_t>(state.out.usIndent), text);
}

void P3109_ExprWriter::WriteAtColumn0(std::string_view text)
{
    P3109_WriteLine(g().out.current, 0, text);
}

void P3109_ExprWriter::SetLastIoStatusFlag()
{
    g().emit.cLastIoStatus = 'Y';
}

void P3109_ExprWriter::InternalError(std::string_view where)
{
    P3109_InternalError(where);
}

void P3109_ExprWriter::SetOutputStream(uint32_t stream)
{
    g().out.current = stream;
}

void P3109_ExprWriter::SetOutputIndent(uint16_t indent)
{
    g().out.usIndent = indent;
}

int16_t P3109_ExprWriter::OutputDepth() const
{
    return g().out.sDepth;
}

void P3109_ExprWriter::SetOutputDepth(int16_t depth)
{
    g().out.sDepth = depth;
}

uint32_t P3109_ExprWriter::HeaderStream() const
{
    return g().header;
}

uint32_t P3109_ExprWriter::SourceStream() const
{
    return g().out.mainOutput;
}

void P3109_ExprWriter::SetMacroContinuation(bool on)
{
    g().out.lMacroContinuation = on ? 1 : 0;
}

/* String constants are written as literals of the target language: the
** text-literal arrays that a registered literal would be named by are not
** declared in any file the generated program is compiled with. The literal
** keeps every byte, trailing blanks included. */
void P3109_ExprWriter::StringConstant(std::string_view text, std::string& reference, std::string& declared)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    /* each pass writes the form of its own language only */
    if (CSharp()) {
        reference.clear();
        declared.assign(1, '"').append(P3109_MakeCSharpLiteral(text)).push_back('"');
        return;
    }
    declared.clear();
    /* the runs of plain characters are appended whole */
    reference.assign(1, '"');
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        if (ch >= ' ' && ch < 0x7F && ch != '\\' && ch != '?' && ch != '\'' && ch != '"')
            continue;
        reference.append(text.substr(run, i - run));
        /* a hexadecimal escape ends the literal so no following digit joins it */
        const char escape[] = {'\\', 'x', kHex[ch >> 4], kHex[ch & 0x0F], '"', '"'};
        reference.append(escape, sizeof escape);
        run = i + 1;
    }
    reference.append(text.substr(run)).push_back('"');
}

void P3109_ExprWriter::SetTextLiteralPrefix(std::string_view namePart)
{
    CGEN_SetTextLiteralPrefix(namePart);
}

char P3109_ExprWriter::SqlNullAssignMode() const
{
    return P3109_Definitions().sysflags[SF_STRICT_NULL_ASSIGN];
}

char P3109_ExprWriter::NameCharacter3() const
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx != nullptr && ctx->cNatChar3 != ' ' && ctx->cNatChar3 != '\0' ? ctx->cNatChar3 : '$';
}

void P3109_ExprWriter::IssueMessage(char severity, std::string_view id, std::string_view data)
{
    P3109_sIssueMessage(std::string(id).c_str(), severity, data);
}

void P3109_ExprWriter::ObjectLayerFailure(std::string_view service, long code)
{
    DQOO_FCC_FatalError(std::string(service).c_str(), code);
}

void EXPR_RunEvaluationHeaderPoint()
{
    g().skel.cKeep = 'N';
    P3109_ExprWriter writer;
    EXPR_WriteEvaluationHeaderSections(writer);
}

/*
** static_lists.cpp: static working-variable lists and text-literal naming.
*/
#include "generator/core/output/static_lists.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <unordered_map>

#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"

namespace {

/* Texts held one after the other in blocks that never move, each followed
** by a NUL: a text costs its length and one byte, not a string of its own
** and an allocation. An empty text takes no room. */
class TextStore {
public:
    std::string_view Add(std::string_view text)
    {
        if (text.empty())
            return {"", 0};
        const size_t need = text.size() + 1;
        if (blocks_.empty() || need > room_ - used_) {
            room_ = std::max(kBlock, need);
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(room_));
            used_ = 0;
        }
        char* at = blocks_.back().get() + used_;
        std::memcpy(at, text.data(), text.size());
        at[text.size()] = '\0';
        used_ += need;
        return {at, text.size()};
    }
    void Free()
    {
        std::vector<std::unique_ptr<char[]>>().swap(blocks_);
        used_ = room_ = 0;
    }

private:
    static constexpr size_t kBlock = 8192;
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t used_ = 0, room_ = 0;
};

std::array<GEN_STATIC_WORKING_LIST, 3>& lists()
{
    static std::array<GEN_STATIC_WORKING_LIST, 3> l;
    return l;
}

/* The texts of the three lists' entries. */
TextStore& listTexts()
{
    static TextStore t;
    return t;
}

size_t declarationHash(std::string_view declaration)
{
    return std::hash<std::string_view>{}(declaration);
}

/* Puts entry `number` of the list into a free slot of `slots`. */
void placeEntry(const GEN_STATIC_WORKING_LIST& list, std::vector<uint32_t>& slots, uint32_t number)
{
    const size_t mask = slots.size() - 1;
    size_t at = list.declarationHashes[number] & mask;
    while (slots[at] != 0)
        at = (at + 1) & mask;
    slots[at] = number + 1;
}

/* Enters entry `number` (the last) of the list, of the declaration hash
** `hash`, in its index, which grows (and is filled again from the hashes
** kept) before it is half full. */
void indexEntry(GEN_STATIC_WORKING_LIST& list, uint32_t number, size_t hash)
{
    /* the slots take no more than the low half of a hash */
    list.declarationHashes.push_back(static_cast<uint32_t>(hash));
    std::vector<uint32_t>& slots = list.byDeclaration;
    if (2 * list.entries.size() > slots.size()) {
        slots.assign(std::max<size_t>(64, 2 * slots.size()), 0);
        for (uint32_t n = 0; n < list.entries.size(); ++n)
            placeEntry(list, slots, n);
        return;
    }
    placeEntry(list, slots, number);
}

/* Whether the list holds an entry with the C declaration (of the hash
** `hash`) for which `same` holds. */
template <typename Same>
bool holds(const GEN_STATIC_WORKING_LIST& list, std::string_view cDeclaration, size_t hash, Same same)
{
    const std::vector<uint32_t>& slots = list.byDeclaration;
    if (slots.empty())
        return false;
    const size_t mask = slots.size() - 1;
    for (size_t at = hash & mask; slots[at] != 0; at = (at + 1) & mask) {
        const GEN_STATIC_ENTRY& e = list.entries[slots[at] - 1];
        if (e.cDeclaration == cDeclaration && same(e))
            return true;
    }
    return false;
}

bool validList(int16_t sList)
{
    return sList >= 0 && sList <= 2;
}

/* An open-addressing index of numbered items (number + 1 in a slot, 0 for a
** free one), kept at most half full; the caller gives the hash of an item. */
class NumberIndex {
public:
    template <typename HashOf> void Enter(uint32_t number, size_t count, HashOf hashOf)
    {
        if (2 * count > slots_.size()) {
            slots_.assign(std::max<size_t>(64, 2 * slots_.size()), 0);
            for (uint32_t n = 0; n < count; ++n)
                place(n, hashOf(n));
            return;
        }
        place(number, hashOf(number));
    }
    /* The first item of the hash for which `same` holds, or -1. */
    template <typename Same> int64_t Find(size_t hash, Same same) const
    {
        if (slots_.empty())
            return -1;
        const size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask; slots_[at] != 0; at = (at + 1) & mask)
            if (same(slots_[at] - 1))
                return slots_[at] - 1;
        return -1;
    }
    void Free() { std::vector<uint32_t>().swap(slots_); }

private:
    void place(uint32_t number, size_t hash)
    {
        const size_t mask = slots_.size() - 1;
        size_t at = hash & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        slots_[at] = number + 1;
    }
    std::vector<uint32_t> slots_;
};

/* A registered literal: its texts in the registry's text store. */
struct StoredLiteral {
    const char* name = nullptr;
    const char* reference = nullptr;
    const char* text = nullptr;
    uint32_t textLength = 0;
    uint8_t nameLength = 0, referenceLength = 0, languageLength = 0;
    char lForm = 0;
    char language[4] = {};
    /* the low half of its literalHash (the index's slots take no more of
       it), kept so that the index grows without hashing its texts again */
    uint32_t hashLow = 0;

    std::string_view Language() const { return {language, languageLength}; }
    std::string_view Text() const { return {text, textLength}; }
    std::string_view Reference() const { return {reference, referenceLength}; }
};

size_t literalHash(int32_t lForm, size_t languageHash, std::string_view text)
{
    return std::hash<std::string_view>{}(text) ^ (languageHash * 31 + static_cast<size_t>(lForm));
}

struct LiteralRegistry {
    std::string language;
    std::string namePart;
    uint16_t usCounter = 0;
    std::deque<StoredLiteral> chain; /* a deque: entries stay where they are while it grows */
    TextStore texts;
    NumberIndex byText;      /* chain entry by form, language and text */
    NumberIndex byReference; /* the first chain entry of a reference */
    std::vector<GEN_TEXT_LITERAL> view;
    /* the hash of the language last registered under (the literals of a
       program are nearly all of one language) */
    char hashedLanguage[4] = {};
    size_t hashedLanguageLength = SIZE_MAX;
    size_t languageHash = 0;

    size_t LanguageHash(std::string_view language)
    {
        if (language.size() != hashedLanguageLength || language.size() > sizeof hashedLanguage ||
            std::memcmp(language.data(), hashedLanguage, language.size()) != 0) {
            languageHash = std::hash<std::string_view>{}(language);
            hashedLanguageLength = language.size() <= sizeof hashedLanguage ? language.size() : SIZE_MAX;
            if (hashedLanguageLength != SIZE_MAX)
                std::memcpy(hashedLanguage, language.data(), language.size());
        }
        return languageHash;
    }

    void clear()
    {
        byReference.Free();
        std::deque<StoredLiteral>().swap(chain);
        byText.Free();
        texts.Free();
    }
};

LiteralRegistry& registry()
{
    static LiteralRegistry r;
    return r;
}

void refuse(std::string_view what, std::string_view text)
{
    P3109_IssueTextMessage('F', "ERROR : " + std::string(what) + " too long: " + std::string(text.substr(0, 60)));
}

void writeLine(GEN_STREAM stream, std::string_view text)
{
    CGEN_WriteListLine(text, stream);
}

}  // namespace

void CGEN_RegisterTextLiteral(std::string_view text, const char* pszLanguage, GEN_LITERAL_TRIM trim, int32_t lForm,
                              const char** ppszReference, const char** ppszDeclared)
{
    static const char kError[] = "ERROR!";
    LiteralRegistry& r = registry();
    const std::string_view copy = trim == GEN_LITERAL_TRIMMED ? P3109_TrimmedRight(text) : text;
    std::string_view language = r.language;
    if (pszLanguage && *pszLanguage)
        language = P3109_TrimmedRight(std::string_view(pszLanguage, std::min<size_t>(4, std::strlen(pszLanguage))));
    const size_t hash = literalHash(lForm, r.LanguageHash(language), copy);
    const auto hashLow = static_cast<uint32_t>(hash);
    const int64_t known = r.byText.Find(hash, [&](uint32_t n) {
        const StoredLiteral& l = r.chain[n];
        return l.hashLow == hashLow && l.lForm == lForm && l.Language() == language && l.Text() == copy;
    });
    if (known >= 0) {
        const StoredLiteral& l = r.chain[static_cast<size_t>(known)];
        *ppszReference = l.reference;
        *ppszDeclared = l.name;
        return;
    }
    int number = r.usCounter + 1;
    /* the name and the reference, each held to 95 characters */
    char digits[16];
    const std::string_view numberText(
        digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
    constexpr size_t kNameRoom = 95;
    std::string name, reference;
    if (lForm == 1) {
        name.append("auchU").append(r.namePart).append("_Text_").append(numberText);
        reference.append("&(").append(name).append("[0])");
    } else {
        name.append("U_").append(r.namePart).append("_TEXT_").append(numberText);
        reference = name;
    }
    if (name.size() > kNameRoom)
        name.resize(kNameRoom);
    if (reference.size() > kNameRoom)
        reference.resize(kNameRoom);
    if (reference.size() > GEN_TEXT_LITERAL_NAME_MAX) {
        refuse("text literal name", reference);
        *ppszReference = kError;
        *ppszDeclared = kError;
        return;
    }
    ++r.usCounter;
    StoredLiteral& l = r.chain.emplace_back();
    l.name = r.texts.Add(name).data();
    l.nameLength = static_cast<uint8_t>(name.size());
    l.reference = reference == name ? l.name : r.texts.Add(reference).data();
    l.referenceLength = static_cast<uint8_t>(reference.size());
    std::memcpy(l.language, language.data(), language.size());
    l.languageLength = static_cast<uint8_t>(language.size());
    l.lForm = static_cast<char>(lForm);
    l.text = r.texts.Add(copy).data();
    l.textLength = static_cast<uint32_t>(copy.size());
    l.hashLow = hashLow;
    const uint32_t at = static_cast<uint32_t>(r.chain.size() - 1);
    r.byText.Enter(at, r.chain.size(), [&](uint32_t n) { return size_t{r.chain[n].hashLow}; });
    /* the first entry of a reference is the one found by it */
    const std::string_view ref = l.Reference();
    const size_t refHash = std::hash<std::string_view>{}(ref);
    if (r.byReference.Find(refHash, [&](uint32_t n) { return r.chain[n].Reference() == ref; }) < 0)
        r.byReference.Enter(at, r.chain.size(), [&](uint32_t n) {
            return n == at ? refHash : std::hash<std::string_view>{}(r.chain[n].Reference());
        });
    *ppszReference = l.reference;
    *ppszDeclared = l.name;
}

void CGEN_ResetStaticWorkingLists()
{
    for (GEN_STATIC_WORKING_LIST& l : lists()) {
        l.entries.clear();
        l.blocks.clear();
        l.byDeclaration.clear();
        l.declarationHashes.clear();
    }
    listTexts().Free();
}

void CGEN_FreeStaticWorkingLists()
{
    for (GEN_STATIC_WORKING_LIST& l : lists()) {
        std::deque<GEN_STATIC_ENTRY>().swap(l.entries);
        std::deque<GEN_STATIC_WORKING_BLOCK>().swap(l.blocks);
        std::vector<uint32_t>().swap(l.byDeclaration);
        std::vector<uint32_t>().swap(l.declarationHashes);
    }
    listTexts().Free();
}

GEN_STATIC_WORKING_BLOCK* CGEN_pNewStaticWorkingBlock(int16_t sList)
{
    if (!validList(sList))
        return nullptr;
    GEN_STATIC_WORKING_LIST& list = lists()[static_cast<size_t>(sList)];
    GEN_STATIC_WORKING_BLOCK& block = list.blocks.emplace_back();
    block.ulFirst = list.entries.size();
    return &block;
}

void CGEN_AddStaticWorkingEntry(int16_t sList, std::string_view cDeclaration, std::string_view cInitialiser,
                                std::string_view csDeclaration, std::string_view csInitialiser, GEN_STATIC_MODE mode)
{
    if (!validList(sList))
        return;
    if (cDeclaration.size() > GEN_STATIC_DECLARATION_MAX || csDeclaration.size() > GEN_STATIC_DECLARATION_MAX)
        return refuse("static declaration",
                      cDeclaration.size() > GEN_STATIC_DECLARATION_MAX ? cDeclaration : csDeclaration);
    if (cInitialiser.size() > GEN_STATIC_INITIALISER_MAX || csInitialiser.size() > GEN_STATIC_INITIALISER_MAX)
        return refuse("static initialiser",
                      cInitialiser.size() > GEN_STATIC_INITIALISER_MAX ? cInitialiser : csInitialiser);
    GEN_STATIC_WORKING_LIST& list = lists()[static_cast<size_t>(sList)];
    const size_t hash = declarationHash(cDeclaration);
    if (mode == GEN_STATIC_UNIQUE && holds(list, cDeclaration, hash, [](const GEN_STATIC_ENTRY&) { return true; }))
        return;
    /* the C# pass runs the writers again over lists the C run filled and
       whose declarations are written: an entry they add again is not one
       more (its initialiser would be written twice) */
    if (g().cTarget == GEN_TARGET_CSHARP && holds(list, cDeclaration, hash, [&](const GEN_STATIC_ENTRY& e) {
            return e.cInitialiser == cInitialiser && e.csDeclaration == csDeclaration &&
                   e.csInitialiser == csInitialiser;
        }))
        return;
    if (list.blocks.empty() || list.blocks.back().usCount == GEN_STATIC_BLOCK_ENTRIES)
        CGEN_pNewStaticWorkingBlock(sList);
    /* the C# form is mostly the C form: it is then held once */
    TextStore& texts = listTexts();
    GEN_STATIC_ENTRY& e = list.entries.emplace_back();
    e.cDeclaration = texts.Add(cDeclaration);
    e.cInitialiser = texts.Add(cInitialiser);
    e.csDeclaration = csDeclaration == cDeclaration ? e.cDeclaration : texts.Add(csDeclaration);
    e.csInitialiser = csInitialiser == cInitialiser ? e.cInitialiser : texts.Add(csInitialiser);
    indexEntry(list, static_cast<uint32_t>(list.entries.size() - 1), hash);
    ++list.blocks.back().usCount;
}

void CGEN_AddStaticWorkingVariable(int16_t sList, std::string_view declaration, std::string_view initialiser,
                                   GEN_STATIC_MODE mode)
{
    CGEN_AddStaticWorkingEntry(sList, declaration, initialiser, declaration, initialiser, mode);
}

const std::deque<GEN_STATIC_ENTRY>& CGEN_StaticWorkingList(int16_t sList)
{
    return lists()[static_cast<size_t>(validList(sList) ? sList : 0)].entries;
}

const std::deque<GEN_STATIC_WORKING_BLOCK>& CGEN_StaticWorkingBlocks(int16_t sList)
{
    return lists()[static_cast<size_t>(validList(sList) ? sList : 0)].blocks;
}

void CGEN_WriteListLine(std::string_view text, GEN_STREAM stream)
{
    FILE* f = P3109_pStreamFile(stream);
    if (!f)
        return;
    std::string line(text);
    line += "\r\n";
    std::fputs(line.c_str(), f);
}

void CGEN_WriteStaticWorkingDeclarations(int16_t sList, GEN_STREAM c, GEN_STREAM cs)
{
    if (!validList(sList))
        return;
    static constexpr const char* kBanner[] = {
        "/* ----------------------------------------------------------------- */",
        "/* ------ GLOBALLY SCOPED STATIC WORKING VARIABLE DECLARATIONS ----- */",
        "/* ----------------------------------------------------------------- */"};
    const bool packed = sList > 0;
    writeLine(c, " ");
    writeLine(cs, " ");
    for (const char* b : kBanner)
        writeLine(c, b);
    for (const char* b : kBanner)
        writeLine(cs, b);
    if (packed) {
        writeLine(c, " ");
        writeLine(c, "#include \"x_strpck.h\" ");
        writeLine(c, " ");
    }
    writeLine(c, " ");
    writeLine(cs, " ");
    char head[64];
    std::snprintf(head, sizeof head, "typedef struct FUNCTION_STATIC_GLOBAL_%d", sList + 1);
    writeLine(c, head);
    writeLine(c, "{");
    std::snprintf(head, sizeof head, "   public class FUNCTION_STATIC_GLOBAL_%d", sList + 1);
    writeLine(cs, head);
    writeLine(cs, "   {");
    for (const GEN_STATIC_ENTRY& e : CGEN_StaticWorkingList(sList)) {
        writeLine(c, std::string("   ").append(e.cDeclaration).append(";"));
        writeLine(cs, std::string("      ").append(e.csDeclaration).append(";"));
    }
    /* the typedef names its type: a typedef without a name declares nothing */
    std::snprintf(head, sizeof head, "} FUNCTION_STATIC_GLOBAL_%d;", sList + 1);
    writeLine(c, head);
    writeLine(cs, "};");
    if (packed) {
        writeLine(c, " ");
        writeLine(c, "#include \"x_endpck.h\" ");
        writeLine(c, " ");
    }
    writeLine(c, " ");
    writeLine(cs, " ");
}

void P3109_WriteStaticWorkingInitialisers(int16_t sList, GEN_STREAM stream, uint16_t usColumn, char cTarget)
{
    if (cTarget != GEN_TARGET_C && cTarget != GEN_TARGET_CSHARP)
        return;
    for (const GEN_STATIC_ENTRY& e : CGEN_StaticWorkingList(sList)) {
        const std::string_view init = cTarget == GEN_TARGET_C ? e.cInitialiser : e.csInitialiser;
        if (init.empty())
            continue;
        P3109_WriteFileLine(0, std::string(usColumn, ' ').append(init), stream);
    }
}

int16_t CGEN_SetTextLiteralLanguage(std::string_view, std::string_view language)
{
    LiteralRegistry& r = registry();
    r.language = P3109_TrimRight(language.substr(0, std::min<size_t>(4, language.size())));
    r.namePart.clear();
    r.clear();
    r.usCounter = 0;
    return 0;
}

void CGEN_SetTextLiteralPrefix(std::string_view namePart)
{
    std::string part = P3109_TrimRight(namePart);
    if (part.size() > 20)
        return;
    registry().namePart = part;
}

void CGEN_GetTextLiteralDefineName(std::string_view text, const char* pszLanguage, const void*, GEN_LITERAL_TRIM trim,
                                   const char** ppszReference, const char** ppszDeclared)
{
    CGEN_RegisterTextLiteral(text, pszLanguage, trim, 0, ppszReference, ppszDeclared);
}

void CGEN_GetTextLiteralArrayName(std::string_view text, const char* pszLanguage, const void*, GEN_LITERAL_TRIM trim,
                                  const char** ppszReference, const char** ppszDeclared)
{
    CGEN_RegisterTextLiteral(text, pszLanguage, trim, 1, ppszReference, ppszDeclared);
}

std::string CGEN_NameLiteral(std::string_view name)
{
    CGEN_SetTextLiteralPrefix("NAME");
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(name, nullptr, nullptr, GEN_LITERAL_TRIMMED, &reference, &declared);
    return reference ? reference : "";
}

const char* CGEN_pFindTextLiteral(std::string_view reference, const char*)
{
    const LiteralRegistry& r = registry();
    const int64_t found = r.byReference.Find(std::hash<std::string_view>{}(reference),
                                             [&](uint32_t n) { return r.chain[n].Reference() == reference; });
    return found < 0 ? nullptr : r.chain[static_cast<size_t>(found)].text;
}

void CGEN_FreeTextLiterals()
{
    LiteralRegistry& r = registry();
    r.clear();
    std::vector<GEN_TEXT_LITERAL>().swap(r.view);
}

void CGEN_VisitTextLiterals(const GEN_TEXT_LITERAL_VISITOR& visit)
{
    const LiteralRegistry& r = registry();
    GEN_TEXT_LITERAL v;
    for (const StoredLiteral& l : r.chain) {
        v.cName = v.csName = v.declaredName = std::string_view(l.name, l.nameLength);
        v.reference = l.Reference();
        v.language = l.Language();
        v.lForm = l.lForm;
        v.text = l.Text();
        visit(v);
    }
}

const std::vector<GEN_TEXT_LITERAL>& CGEN_TextLiterals()
{
    LiteralRegistry& r = registry();
    r.view.clear();
    r.view.reserve(r.chain.size());
    CGEN_VisitTextLiterals([&](const GEN_TEXT_LITERAL& v) { r.view.push_back(v); });
    return r.view;
}

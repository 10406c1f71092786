/*
** static_lists.cpp: static working-variable lists and text-literal naming.
*/
#include "generator/core/output/static_lists.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <deque>
#include <unordered_map>

#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"

namespace {

std::array<GEN_STATIC_WORKING_LIST, 3>& lists()
{
    static std::array<GEN_STATIC_WORKING_LIST, 3> l;
    return l;
}

bool validList(int16_t sList)
{
    return sList >= 0 && sList <= 2;
}

struct LiteralRegistry {
    std::string language;
    std::string namePart;
    uint16_t usCounter = 0;
    std::deque<GEN_TEXT_LITERAL> chain;             /* a deque: references stay valid while it grows */
    std::unordered_map<std::string, size_t> byText; /* chain entry by form, language and text */
    std::unordered_map<std::string_view, size_t> byReference; /* the first chain entry of a reference */
    std::vector<GEN_TEXT_LITERAL> view;

    void clear()
    {
        std::unordered_map<std::string_view, size_t>().swap(byReference);
        std::deque<GEN_TEXT_LITERAL>().swap(chain);
        std::unordered_map<std::string, size_t>().swap(byText);
    }
};

/* The key of a literal in the index: form, language and text. */
std::string literalKey(int32_t lForm, const std::string& language, const std::string& text)
{
    std::string key(1, static_cast<char>(lForm));
    key += static_cast<char>(language.size());
    key += language;
    key += text;
    return key;
}

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
    std::string copy(text);
    if (trim == GEN_LITERAL_TRIMMED)
        copy = P3109_TrimRight(copy);
    std::string language =
        pszLanguage && *pszLanguage
            ? P3109_TrimRight(std::string_view(pszLanguage).substr(0, std::min<size_t>(4, std::strlen(pszLanguage))))
            : r.language;
    std::string key = literalKey(lForm, language, copy);
    if (const auto known = r.byText.find(key); known != r.byText.end()) {
        const GEN_TEXT_LITERAL& l = r.chain[known->second];
        *ppszReference = l.reference.c_str();
        *ppszDeclared = l.declaredName.c_str();
        return;
    }
    GEN_TEXT_LITERAL l;
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
    l.cName = l.csName = l.declaredName = name;
    l.reference = std::move(reference);
    l.language = language;
    l.lForm = lForm;
    l.text = std::move(copy);
    r.chain.push_back(std::move(l));
    r.byText.emplace(std::move(key), r.chain.size() - 1);
    r.byReference.emplace(r.chain.back().reference, r.chain.size() - 1);
    *ppszReference = r.chain.back().reference.c_str();
    *ppszDeclared = r.chain.back().declaredName.c_str();
}

void CGEN_ResetStaticWorkingLists()
{
    for (GEN_STATIC_WORKING_LIST& l : lists()) {
        l.entries.clear();
        l.blocks.clear();
    }
}

void CGEN_FreeStaticWorkingLists()
{
    for (GEN_STATIC_WORKING_LIST& l : lists()) {
        std::vector<GEN_STATIC_ENTRY>().swap(l.entries);
        std::deque<GEN_STATIC_WORKING_BLOCK>().swap(l.blocks);
    }
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
    if (mode == GEN_STATIC_UNIQUE)
        for (const GEN_STATIC_ENTRY& e : list.entries)
            if (e.cDeclaration == cDeclaration)
                return;
    /* the C# pass runs the writers again over lists the C run filled and
       whose declarations are written: an entry they add again is not one
       more (its initialiser would be written twice) */
    if (g().cTarget == GEN_TARGET_CSHARP)
        for (const GEN_STATIC_ENTRY& e : list.entries)
            if (e.cDeclaration == cDeclaration && e.cInitialiser == cInitialiser &&
                e.csDeclaration == csDeclaration && e.csInitialiser == csInitialiser)
                return;
    if (list.blocks.empty() || list.blocks.back().usCount == GEN_STATIC_BLOCK_ENTRIES)
        CGEN_pNewStaticWorkingBlock(sList);
    list.entries.push_back(
        {std::string(cDeclaration), std::string(cInitialiser), std::string(csDeclaration), std::string(csInitialiser)});
    ++list.blocks.back().usCount;
}

void CGEN_AddStaticWorkingVariable(int16_t sList, std::string_view declaration, std::string_view initialiser,
                                   GEN_STATIC_MODE mode)
{
    CGEN_AddStaticWorkingEntry(sList, declaration, initialiser, declaration, initialiser, mode);
}

const std::vector<GEN_STATIC_ENTRY>& CGEN_StaticWorkingList(int16_t sList)
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
        writeLine(c, "   " + e.cDeclaration + ";");
        writeLine(cs, "      " + e.csDeclaration + ";");
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
        const std::string& init = cTarget == GEN_TARGET_C ? e.cInitialiser : e.csInitialiser;
        if (init.empty())
            continue;
        P3109_WriteFileLine(0, std::string(usColumn, ' ') + init, stream);
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
    const auto found = r.byReference.find(reference);
    return found == r.byReference.end() ? nullptr : r.chain[found->second].text.c_str();
}

void CGEN_FreeTextLiterals()
{
    LiteralRegistry& r = registry();
    r.clear();
    std::vector<GEN_TEXT_LITERAL>().swap(r.view);
}

const std::vector<GEN_TEXT_LITERAL>& CGEN_TextLiterals()
{
    LiteralRegistry& r = registry();
    r.view.assign(r.chain.begin(), r.chain.end());
    return r.view;
}

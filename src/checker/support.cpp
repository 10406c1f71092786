// Support services of the checker's run module: the command-parser call,
// the tokeniser, the built-in command codes, run-kind tests and identifiers.
#include "checker/checker.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqos/dqos.h"
#include "platform/dqot/dqot.h"

namespace {

struct BuiltIn {
    std::string_view name;
    uint16_t code;
};

// The parser's codes of the component commands (no code 121).
constexpr BuiltIn kBuiltIns[25] = {
    {"BEGIN_COM", 101},  {"END_COM", 102},    {"DEFINE_COM", 103}, {"DEFINE_MAP", 104}, {"SET", 105},
    {"DEFINE_PTY", 106}, {"PTYROUTINE", 107}, {"EVTROUTINE", 108}, {"DEFINE_EVT", 109}, {"SIGNAL", 110},
    {"MTHROUTINE", 111}, {"INVOKE", 112},     {"SET_REF", 113},    {"IF_REF", 114},     {"FOR", 115},
    {"ENDFOR", 116},     {"ASSIGN", 117},     {"_ASSIGN", 118},    {"IMPORT", 119},     {"WEBROUTINE", 120},
    {"WEB_MAP", 122},    {"ATTRIBUTE", 123},  {"PERFORM", 124},    {"_PERFORM", 125},   {"_INVOKE", 126},
};

// The first letters of the component commands by the names' lengths (bit
// 0-25 A-Z, bit 26 '_'): most commands a function holds are none of them.
constexpr int FirstBit(char c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' : c == '_' ? 26 : -1;
}
constexpr auto kBuiltInFirsts = [] {
    std::array<uint32_t, 11> t{};
    for (const BuiltIn& b : kBuiltIns)
        t[b.name.size()] |= 1u << FirstBit(b.name[0]);
    return t;
}();

// Text of a command for the parsers: "LBL: NAME parameters". A command
// that is not split holds that whole text already.
std::string CommandText(const FFC_SOURCE_COMMAND& s)
{
    if (!s.lPreSplit)
        return std::string(s.acParameters, std::min<size_t>(s.usParmLength, FFC_SOURCE_TEXT_MAX));
    std::string text;
    std::string label = checker::Trim(s.acLabelWritten, 3);
    if (!label.empty())
        text = label + ": ";
    text += checker::Trim(s.acNameWritten, 10);
    text += ' ';
    text.append(s.acParameters, std::min<size_t>(s.usParmLength, FFC_SOURCE_TEXT_MAX));
    return text;
}

// Parameter sink of the tokeniser: the command being tokenised.
thread_local FFC_SOURCE_COMMAND* t_tokenising = nullptr;
thread_local uint32_t t_tokenCount = 0;

long CountToken(uint32_t, const char*, uint32_t)
{
    ++t_tokenCount;
    return 0;
}

long TakeParameters(uint32_t ulLine, const char* pszParameters)
{
    FFC_SOURCE_COMMAND* s = t_tokenising;
    if (!s || ulLine != static_cast<uint32_t>(s->sLine))
        return -4;
    if (s->lPreSplit)
        return 0;
    size_t n = std::strlen(pszParameters);
    if (n > FFC_SOURCE_TEXT_MAX)
        return -6;
    std::memset(s->acParameters, ' ', FFC_SOURCE_TEXT_MAX);
    std::memcpy(s->acParameters, pszParameters, n);
    s->usParmLength = static_cast<uint16_t>(n);
    s->lPreSplit = 1;
    return 0;
}

}  // namespace

extern "C" {

int16_t P31O2_sParseCommandText(FFC_CONTEXT* pContext, FFC_SOURCE_COMMAND* pSource,
                                void (*pfnMessage)(const char*, uint32_t), int32_t lOption1, int32_t lOption2,
                                uint16_t* pusErrors)
{
    *pusErrors = 0;
    if (pSource->acName[0] == '*' || pSource->lPreSplit || pSource->lBuiltIn || pSource->lObjectLayerParse)
        return 0;
    std::string text = CommandText(*pSource);
    char nat1 = pContext ? pContext->cNatChar1 : ' ';
    char nat2 = pContext ? pContext->cNatChar2 : ' ';
    TPARS_RESULT* results = nullptr;
    if (TPARS_sParseZOPH(text.c_str(), P3100_pParserCommandTable(), nullptr, 0, nat1, nat2, &results, nullptr,
                         static_cast<uint32_t>(lOption1), static_cast<uint32_t>(lOption2)) != 0 ||
        !results)
        return 0;
    std::unique_ptr<TPARS_RESULT, void (*)(TPARS_RESULT*)> owner(results, TPARS_FreeResults);
    for (TPARS_RESULT* r = results;; ++r) {
        // An unknown name is left to the command lookup, which reports it
        // with the checker's own message.
        if (r->lError == TPARS_ERR_UNKNOWN_NAME)
            break;
        if (r->lError != 0) {
            ++*pusErrors;
            char captured[1200] = {};
            SMSG_RedirectMsgs(captured, sizeof captured);
            TPARS_DisplayResult(r);
            SMSG_RedirectMsgs(nullptr, 0);
            if (pfnMessage)
                pfnMessage(captured, static_cast<uint32_t>(std::strlen(captured)));
            break;
        }
        pSource->usCommandCode = r->usCommandCode;
        pSource->lPreSplit = r->usPreSplit ? 1 : 0;
        size_t n = std::min<size_t>(r->ulParmLength, FFC_SOURCE_TEXT_MAX);
        std::memset(pSource->acParameters, ' ', FFC_SOURCE_TEXT_MAX);
        if (r->pszParameters)
            std::memcpy(pSource->acParameters, r->pszParameters, n);
        pSource->usParmLength = static_cast<uint16_t>(n);
        if (r->usLast)
            break;
    }
    return 0;
}

// Has the object layer split the command into its parameters. Returns 0
// when the parameter text was taken, otherwise the tokeniser's or the
// sink's non-zero answer, so that the caller leaves the command as it is.
int32_t P31O2_sTokenizeCommand(FFC_SOURCE_COMMAND* pSource)
{
    if (pSource->acName[0] == '*' || pSource->lPreSplit)
        return 0;
    std::string text = CommandText(*pSource);
    DQOO_TOKENIZE_REQUEST request{static_cast<uint32_t>(pSource->sLine), static_cast<uint32_t>(text.size()),
                                  text.c_str()};
    t_tokenising = pSource;
    t_tokenCount = 0;
    long rc = DQOO_FCC_TokenizeCommand(P3100_pGetBuildHandle(), &request, CountToken, TakeParameters);
    t_tokenising = nullptr;
    if (rc == DQOO_ERR_SYNTAX || rc == -4 || rc == -6)
        return static_cast<int32_t>(rc);
    if (rc != 0)
        DQOO_FCC_FatalError("DQOO_FCC_TokenizeCommand", rc);
    return pSource->lPreSplit ? 0 : 1;
}

int32_t P31O2_usLookupCommandCode(const char* pName, uint16_t* pusCommandCode)
{
    char upper[10];
    size_t length = 0;
    for (; length < 10 && pName[length] && pName[length] != ' '; ++length)
        upper[length] = checker::UpperChar(pName[length]);
    const std::string_view name(upper, length);
    // the length and first letter set most commands apart before a compare
    const int first = length > 0 ? FirstBit(upper[0]) : -1;
    if (first < 0 || (kBuiltInFirsts[length] >> first & 1u) == 0)
        return 0;
    for (const BuiltIn& b : kBuiltIns)
        if (name.size() == b.name.size() && name[0] == b.name[0] && name == b.name) {
            *pusCommandCode = b.code;
            return 1;
        }
    return 0;
}

int32_t P31O2_fGetCommandName(uint16_t usCommandCode, char* pachName)
{
    for (const BuiltIn& b : kBuiltIns)
        if (b.code == usCommandCode) {
            checker::Pad(pachName, 10, b.name);
            return 1;
        }
    return 0;
}

int32_t P31O2_fIsNotBuiltInCommand(const char* pName)
{
    uint16_t code = 0;
    return P31O2_usLookupCommandCode(pName, &code) ? 0 : 1;
}

// Only INCLUDE takes the object layer's parse route; every other command is
// split by the command parser, so that pass 2 can skip commands that failed.
int32_t P31O2_fIsIncludeCommand(const char* pName)
{
    if (checker::UpperChar(pName[0]) != 'I')  // most names are told apart by their first letter
        return 0;
    char name[11] = {};
    for (int i = 0; i < 10 && pName[i] && pName[i] != ' '; ++i)
        name[i] = checker::UpperChar(pName[i]);
    return std::strcmp(name, "INCLUDE") == 0 ? 1 : 0;
}

// The run kind by the object name: "*COMP" (its first five characters)
// names a component.
int32_t P31O2_fIsComponentRun(void*, const char* pName)
{
    return pName && std::strncmp(pName, "*COMP", 5) == 0 ? 1 : 0;
}

int32_t P31O2_fIsFunctionRun(void* pIgnored, const char* pName)
{
    return P31O2_fIsComponentRun(pIgnored, pName) ? 0 : 1;
}

int32_t P31O2_fIsBlank(const void* pBuffer, int32_t, uint32_t ulLength)
{
    const char* p = static_cast<const char*>(pBuffer);
    return std::all_of(p, p + ulLength, [](char c) { return c == ' '; }) ? 1 : 0;
}

// An identifier made of a text: at most ulLength characters (up to a NUL),
// without the blanks and NULs that end it, its rightmost ulMaximum kept;
// every character but a letter or a digit becomes '_', or 'X' in the first
// position. An empty text gives an empty identifier.
void P31O2_MakeIdentifier(const char* pSource, char* pszOut, uint32_t ulLength, uint32_t ulMaximum)
{
    if (!pszOut)
        return;
    std::string s = pSource ? std::string(pSource, strnlen(pSource, ulLength)) : std::string();
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.pop_back();
    if (s.size() > ulMaximum)
        s.erase(0, s.size() - ulMaximum);
    const auto alphanumeric = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    for (size_t i = 0; i < s.size(); ++i)
        if (!alphanumeric(s[i]))
            s[i] = i == 0 ? 'X' : '_';
    std::memcpy(pszOut, s.c_str(), s.size() + 1);
}

}  // extern "C"

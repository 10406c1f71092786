// The object layer's command parses: ZOPH2 (through the command parser),
// ZOPHX (lexical check, cross-references, the component model of
// dqoo_zophx.cpp) and the command tokeniser.

#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_zophx.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A word of the parameter text at the outer level, or a lexical error.
struct Scan {
    std::vector<std::string_view> words;            // outer-level words, brackets included
    std::vector<std::pair<size_t, size_t>> fields;  // field references: offset and length
    size_t errorAt = std::string_view::npos;
    const char* error = nullptr;
};

// Scans a command text: literals ('...' with '' inside), brackets, outer
// words separated by blanks, and words that begin with the field character
// (outside literals) as field references.
Scan scan(std::string_view text, char fieldCharacter)
{
    Scan s;
    std::vector<size_t> open;
    size_t wordStart = std::string_view::npos;
    const auto endWord = [&](size_t at) {
        if (wordStart != std::string_view::npos && open.empty()) {
            s.words.push_back(text.substr(wordStart, at - wordStart));
            wordStart = std::string_view::npos;
        }
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            endWord(i);
            continue;
        }
        if (wordStart == std::string_view::npos)
            wordStart = i;
        if (c == '\'') {
            size_t j = i + 1;
            while (j < text.size() && !(text[j] == '\'' && (j + 1 >= text.size() || text[j + 1] != '\'')))
                j += text[j] == '\'' ? 2 : 1;
            if (j >= text.size()) {
                s.errorAt = i;
                s.error = "literal not closed";
                return s;
            }
            i = j;
            continue;
        }
        if (c == '(') {
            open.push_back(i);
            continue;
        }
        if (c == ')') {
            if (open.empty()) {
                s.errorAt = i;
                s.error = "closing bracket without an opening bracket";
                return s;
            }
            open.pop_back();
            continue;
        }
        if (c == fieldCharacter && c != 0) {
            size_t j = i + 1;
            while (j < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[j])) || text[j] == '_' || text[j] == '@' ||
                    text[j] == '$' || text[j] == '#') &&
                   text[j] != fieldCharacter)
                ++j;
            if (j > i + 1)
                s.fields.emplace_back(i + 1, j - i - 1);
            i = j - 1;
        }
    }
    if (!open.empty()) {
        s.errorAt = open.back();
        s.error = "opening bracket not closed";
        return s;
    }
    endWord(text.size());
    return s;
}

std::string placeText(uint32_t line, size_t column, const char* what)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "Line %u column %zu: %s.", line, column, what);
    return buffer;
}

}  // namespace

extern "C" long DQOO_FCC_ParseZOPH2(FCC_BUILD_HANDLE* pBuild, const char* pszText, DQOO_PARSED_COMMAND* pResult)
{
    if (pszText == nullptr || pResult == nullptr)
        return DQOO_ERR_ARGUMENT;
    std::memset(pResult, 0, sizeof *pResult);
    std::memset(pResult->achLabel, ' ', sizeof pResult->achLabel);
    std::memset(pResult->achName, ' ', sizeof pResult->achName);
    std::memset(pResult->achParameters, ' ', sizeof pResult->achParameters);
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    if (state->commands == nullptr)
        return DQOO_ERR_ARGUMENT;
    TPARS_RESULT* results = nullptr;
    if (TPARS_sParseZOPH(pszText, state->commands, nullptr, 0, state->national[0], state->national[1], &results,
                         nullptr, 0, 0) != 0)
        return DQOO_ERR_ARGUMENT;
    const TPARS_RESULT& r = results[0];
    long rc = DQOO_OK;
    if (r.lError != TPARS_OK) {
        pResult->lError = r.lError;
        std::snprintf(pResult->szErrorText, sizeof pResult->szErrorText, "%s", r.szText);
        rc = DQOO_ERR_SYNTAX;
    } else if (r.ulParmLength > sizeof pResult->achParameters) {
        pResult->lError = TPARS_ERR_EMPTY;  // any non-zero code: the text says what
        std::snprintf(pResult->szErrorText, sizeof pResult->szErrorText,
                      "Command syntax error: parameters longer than %zu characters.", sizeof pResult->achParameters);
        rc = DQOO_ERR_SYNTAX;
    } else {
        pResult->usCommandCode = r.usCommandCode;
        std::memcpy(pResult->achLabel, r.achLabel, sizeof pResult->achLabel);
        std::memcpy(pResult->achName, r.achName, sizeof pResult->achName);
        pResult->ulParmLength = r.ulParmLength;
        std::memcpy(pResult->achParameters, r.pszParameters, r.ulParmLength);
    }
    TPARS_FreeResults(results);
    if (rc != DQOO_OK)
        dqoo::reportFinding(*state, pResult->szErrorText);
    return rc;
}

extern "C" long DQOO_FCC_ParseZOPHX(FCC_BUILD_HANDLE* pBuild, const char* pszText, uint32_t ulLine,
                                    DQOO_COLLECT_FIELD_REFERENCE pfnCollect, int32_t* plDispatchId)
{
    if (plDispatchId != nullptr)
        *plDispatchId = -1;
    if (pszText == nullptr)
        return DQOO_ERR_ARGUMENT;
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    const std::string_view text(pszText);
    const Scan s = scan(text, state->national[0]);
    const bool firstParse = state->zophx.dispatchIds.count(ulLine) == 0;
    if (s.error != nullptr) {
        // reported once: the line counts as parsed, without a dispatch id
        if (firstParse)
            dqoo::reportFinding(*state, placeText(ulLine, s.errorAt + 1, s.error));
        state->zophx.dispatchIds.emplace(ulLine, -1);
        return 1;
    }
    if (firstParse) {
        for (const auto& [offset, length] : s.fields)
            state->references.push_back({"FIELD", std::string(text.substr(offset, length)), ulLine});
        ++state->statements;
    }
    return dqoo::parseComponentCommand(*state, std::string(text), ulLine, pfnCollect, plDispatchId);
}

extern "C" long DQOO_FCC_TokenizeCommand(FCC_BUILD_HANDLE* pBuild, const DQOO_TOKENIZE_REQUEST* pRequest,
                                         DQOO_TOKEN_COUNTER pfnCount, DQOO_PARAMETER_SINK pfnParameters)
{
    if (pRequest == nullptr || (pRequest->pchText == nullptr && pRequest->ulLength > 0))
        return DQOO_ERR_ARGUMENT;
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    const std::string whole(pRequest->pchText != nullptr ? pRequest->pchText : "",
                            pRequest->pchText != nullptr ? strnlen(pRequest->pchText, pRequest->ulLength) : 0);
    char label[4];
    char name[11];
    const char* parameters = nullptr;
    DQOO_SplitSourceLine(whole.c_str(), label, name, &parameters);
    std::string params(parameters);
    params.erase(params.find_last_not_of(" \t") + 1);
    const Scan s = scan(params, 0);
    if (s.error != nullptr) {
        dqoo::reportFinding(
            *state,
            placeText(pRequest->ulLine, static_cast<size_t>(parameters - whole.c_str()) + s.errorAt + 1, s.error));
        return DQOO_ERR_SYNTAX;
    }
    if (pfnCount != nullptr)
        for (std::string_view word : s.words)
            pfnCount(pRequest->ulLine, word.data(), static_cast<uint32_t>(word.size()));
    if (pfnParameters != nullptr)
        if (const long rc = pfnParameters(pRequest->ulLine, params.c_str()); rc != 0)
            return rc;
    return DQOO_OK;
}

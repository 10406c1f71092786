// Command parser: the split of one command text into label, name and
// parameters (see dqot.h).  The text is first joined into one logical line
// (continuations resolved), keeping for every character its place in the
// text as written so that errors can name the line and column.

#include "platform/dqot/dqot.h"
#include "platform/dqot/dqot_results.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Place {
    uint16_t line = 1;
    uint16_t column = 1;
};

// A parse failure: its code, the place in the text as written and the text.
struct Failure {
    int32_t code = TPARS_OK;
    Place place;
    std::string text;
};

// The command as one logical line with the place of every character.
struct LogicalText {
    std::string text;
    std::vector<Place> places;  // one per character of text
    Place end;                  // the place just behind the last character
};

Place placeAt(const LogicalText& lt, size_t i)
{
    return i < lt.places.size() ? lt.places[i] : lt.end;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Places beyond the 16-bit range of a result are shown as its maximum.
uint16_t clamp16(size_t n)
{
    return static_cast<uint16_t>(n > 0xFFFF ? 0xFFFF : n);
}

// Splits the written text into lines, each with its line number.
struct Line {
    std::string_view text;
    uint16_t number;
};

std::vector<Line> splitLines(std::string_view written)
{
    std::vector<Line> lines;
    uint16_t number = 1;
    size_t start = 0;
    for (size_t i = 0; i <= written.size(); ++i) {
        if (i < written.size() && written[i] != '\n' && written[i] != '\r')
            continue;
        lines.push_back({written.substr(start, i - start), number});
        number = clamp16(number + 1u);
        if (i < written.size() && written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return lines;
}

// Joins the lines.  A line whose last non-blank is '+' continues with the
// first non-blank of the next line; '-' continues with the whole next line;
// any other line break counts as one blank, except inside a literal, where
// it leaves the literal unclosed.
bool joinLines(std::string_view written, LogicalText& out, Failure& failure)
{
    const std::vector<Line> lines = splitLines(written);
    bool inQuote = false;
    Place quoteOpened;
    bool skipLeading = false;
    for (size_t n = 0; n < lines.size(); ++n) {
        const Line& line = lines[n];
        const bool last = n + 1 == lines.size();
        size_t used = line.text.size();
        char continuation = 0;
        if (!last) {
            size_t k = used;
            while (k > 0 && isBlank(line.text[k - 1]))
                --k;
            if (k > 0 && (line.text[k - 1] == '+' || line.text[k - 1] == '-')) {
                continuation = line.text[k - 1];
                used = k - 1;
            }
        }
        size_t i = 0;
        if (skipLeading)
            while (i < used && isBlank(line.text[i]))
                ++i;
        for (; i < used; ++i) {
            const char c = line.text[i];
            const Place p{line.number, clamp16(i + 1)};
            if (c == '\'') {
                if (!inQuote)
                    quoteOpened = p;
                inQuote = !inQuote;  // a doubled quote toggles twice
            }
            out.text.push_back(c);
            out.places.push_back(p);
        }
        out.end = {line.number, clamp16(used + 1)};
        if (last)
            break;
        skipLeading = continuation == '+';
        if (continuation != 0) {
            const Line& next = lines[n + 1];
            const bool nextBlank = std::all_of(next.text.begin(), next.text.end(), isBlank);
            if (n + 2 == lines.size() && nextBlank) {
                failure = {TPARS_ERR_CONTINUATION,
                           {line.number, clamp16(used + 1)},
                           "continuation character not followed by a line"};
                return false;
            }
            continue;
        }
        if (inQuote) {
            failure = {TPARS_ERR_UNCLOSED_QUOTE, quoteOpened, "literal not closed before the end of the line"};
            return false;
        }
        out.text.push_back(' ');
        out.places.push_back(out.end);
    }
    return true;
}

bool isLabelCharacter(char c, char nat1, char nat2)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || (c == nat1 && c != 0) || (c == nat2 && c != 0);
}

std::string upper(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

// Finds the 1-based number of a name in the command-name table, 0 if absent.
uint16_t findCommand(const TPARS_COMMAND_TABLE& table, std::string_view name, bool anyCase)
{
    if (name.empty() || name.size() > 10 || table.pachNames == nullptr)
        return 0;
    char key[10];
    std::memset(key, ' ', sizeof key);
    const std::string wanted = anyCase ? upper(name) : std::string(name);
    std::memcpy(key, wanted.data(), wanted.size());
    for (uint32_t i = 0; i < table.ulCount && i < 0xFFFF; ++i) {
        char entry[10];
        std::memcpy(entry, table.pachNames[i], 10);
        if (anyCase)
            for (char& c : entry)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (std::memcmp(entry, key, 10) == 0)
            return static_cast<uint16_t>(i + 1);
    }
    return 0;
}

bool keywordKnown(const TPARS_COMMAND_KEYWORDS& entry, std::string_view keyword)
{
    const std::string wanted = upper(keyword);
    for (uint32_t i = 0; i < entry.ulCount; ++i)
        if (entry.ppszKeywords[i] != nullptr && wanted == entry.ppszKeywords[i])
            return true;
    return false;
}

// Checks the parameters: literals closed, brackets balanced, and (with a
// keyword table) every keyword at the outer level one of the command's.
bool checkParameters(const LogicalText& lt, size_t from, size_t to, const TPARS_COMMAND_KEYWORDS* keywords,
                     std::string_view commandName, Failure& failure)
{
    std::vector<size_t> open;  // positions of the open brackets
    size_t wordStart = std::string::npos;
    for (size_t i = from; i < to; ++i) {
        const char c = lt.text[i];
        if (c == '\'') {
            size_t j = i + 1;
            for (;;) {
                if (j >= to) {
                    failure = {TPARS_ERR_UNCLOSED_QUOTE, placeAt(lt, i), "literal not closed"};
                    return false;
                }
                if (lt.text[j] == '\'') {
                    if (j + 1 < to && lt.text[j + 1] == '\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            i = j;
            wordStart = std::string::npos;
            continue;
        }
        if (c == '(') {
            if (keywords != nullptr && keywords->ulCount > 0 && open.empty() && wordStart != std::string::npos) {
                const std::string_view word(lt.text.data() + wordStart, i - wordStart);
                if (!keywordKnown(*keywords, word)) {
                    failure = {TPARS_ERR_UNKNOWN_KEYWORD, placeAt(lt, wordStart),
                               "keyword " + upper(word) + " is not a parameter of " + std::string(commandName)};
                    return false;
                }
            }
            open.push_back(i);
            wordStart = std::string::npos;
            continue;
        }
        if (c == ')') {
            if (open.empty()) {
                failure = {TPARS_ERR_UNMATCHED_BRACKET, placeAt(lt, i), "closing bracket without an opening bracket"};
                return false;
            }
            open.pop_back();
            wordStart = std::string::npos;
            continue;
        }
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '_') {
            if (wordStart == std::string::npos)
                wordStart = i;
        } else {
            wordStart = std::string::npos;
        }
    }
    if (!open.empty()) {
        failure = {TPARS_ERR_UNCLOSED_BRACKET, placeAt(lt, open.back()), "opening bracket not closed"};
        return false;
    }
    return true;
}

std::string describePlace(const Place& p, bool multiLine)
{
    char buf[64];
    if (multiLine)
        std::snprintf(buf, sizeof buf, "line %u column %u", p.line, p.column);
    else
        std::snprintf(buf, sizeof buf, "column %u", p.column);
    return buf;
}

void fillFailure(TPARS_RESULT& r, const Failure& f, bool multiLine)
{
    r.lError = f.code;
    r.usLine = f.place.line;
    r.usColumn = f.place.column;
    const std::string text = "Command syntax error at " + describePlace(f.place, multiLine) + ": " + f.text + ".";
    std::snprintf(r.szText, sizeof r.szText, "%s", text.c_str());
}

}  // namespace

extern "C" int16_t TPARS_sParseZOPH(const char* pszText, const TPARS_COMMAND_TABLE* pCommands,
                                    const TPARS_KEYWORD_TABLE* pKeywords, uint32_t, char chNational1, char chNational2,
                                    TPARS_RESULT** ppResults, void*, uint32_t ulOption1, uint32_t)
{
    if (ppResults == nullptr)
        return -1;
    *ppResults = nullptr;
    if (pszText == nullptr || pCommands == nullptr)
        return -1;

    dqot::ResultSet& set = dqot::newResultSet(1);
    TPARS_RESULT& r = set.results[0];
    r.usLast = 1;
    std::memset(r.achLabel, ' ', sizeof r.achLabel);
    std::memset(r.achName, ' ', sizeof r.achName);
    *ppResults = set.results.data();

    const std::string_view written(pszText);
    const bool multiLine = written.find_first_of("\r\n") != std::string_view::npos;
    LogicalText lt;
    Failure failure;
    if (!joinLines(written, lt, failure)) {
        fillFailure(r, failure, multiLine);
        return 0;
    }

    const std::string& t = lt.text;
    size_t i = 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    if (i == t.size()) {
        fillFailure(r, {TPARS_ERR_EMPTY, placeAt(lt, i), "no command name"}, multiLine);
        return 0;
    }

    // Label: the first word when a ':' ends it.
    size_t j = i;
    while (j < t.size() && !isBlank(t[j]) && t[j] != ':' && t[j] != '(' && t[j] != '\'')
        ++j;
    bool labelled = false;
    if (j < t.size() && t[j] == ':') {
        labelled = true;
        if (j - i > 3) {
            fillFailure(r,
                        {TPARS_ERR_LABEL_TOO_LONG, placeAt(lt, i),
                         "label " + t.substr(i, j - i) + " is longer than 3 characters"},
                        multiLine);
            return 0;
        }
        if (j == i) {
            fillFailure(r, {TPARS_ERR_LABEL_CHARACTER, placeAt(lt, j), "label missing before ':'"}, multiLine);
            return 0;
        }
        for (size_t k = i; k < j; ++k) {
            if (!isLabelCharacter(t[k], chNational1, chNational2)) {
                fillFailure(r,
                            {TPARS_ERR_LABEL_CHARACTER, placeAt(lt, k),
                             std::string("character '") + t[k] + "' is not allowed in a label"},
                            multiLine);
                return 0;
            }
        }
        const std::string label = upper(std::string_view(t).substr(i, j - i));
        std::memcpy(r.achLabel, label.data(), label.size());
        i = j + 1;
        while (i < t.size() && isBlank(t[i]))
            ++i;
    }

    // Command name: up to a blank or an opening bracket.
    j = i;
    while (j < t.size() && !isBlank(t[j]) && t[j] != '(')
        ++j;
    if (j == i) {
        fillFailure(r,
                    {labelled ? TPARS_ERR_NAME_MISSING : TPARS_ERR_EMPTY, placeAt(lt, i),
                     labelled ? "command name missing after the label" : "no command name"},
                    multiLine);
        return 0;
    }
    const std::string_view name = std::string_view(t).substr(i, j - i);
    const bool anyCase = (ulOption1 & TPARS_OPT_ANY_CASE_NAMES) != 0;
    const uint16_t code = findCommand(*pCommands, name, anyCase);
    if (code == 0) {
        fillFailure(r, {TPARS_ERR_UNKNOWN_NAME, placeAt(lt, i), "unknown command name " + std::string(name)},
                    multiLine);
        return 0;
    }
    std::memcpy(r.achName, pCommands->pachNames[code - 1], 10);

    // Parameters: the rest without leading and trailing blanks.
    size_t from = j;
    while (from < t.size() && isBlank(t[from]))
        ++from;
    size_t to = t.size();
    while (to > from && isBlank(t[to - 1]))
        --to;
    const TPARS_COMMAND_KEYWORDS* keywords = nullptr;
    if (pKeywords != nullptr && pKeywords->pCommands != nullptr && code <= pKeywords->ulCount)
        keywords = &pKeywords->pCommands[code - 1];
    std::string tableName(r.achName, 10);
    tableName.erase(tableName.find_last_not_of(' ') + 1);
    if (!checkParameters(lt, from, to, keywords, tableName, failure)) {
        fillFailure(r, failure, multiLine);
        return 0;
    }

    set.parameters[0] = t.substr(from, to - from);
    r.lError = TPARS_OK;
    r.usCommandCode = code;
    r.usPreSplit = 1;
    r.ulParmLength = static_cast<uint32_t>(set.parameters[0].size());
    r.pszParameters = set.parameters[0].data();
    return 0;
}

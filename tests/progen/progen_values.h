// Values of the kinds keyword elements take: quoted literals and texts.
#ifndef DQOV_TESTS_PROGEN_PROGEN_VALUES_H
#define DQOV_TESTS_PROGEN_PROGEN_VALUES_H

#include <string>
#include <utility>
#include <vector>

namespace progen {

/* The text quoted as a literal, inner quotes doubled. */
inline std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

/* A text of n characters (letters, digits and blanks, no blank at either
** end), from position `at` of a running sentence. */
inline std::string textAt(int n, unsigned at)
{
    static const std::string words = "Stock level of the NORTH depot for week 42 is below the reorder point ";
    std::string s;
    for (unsigned i = at; int(s.size()) < n; ++i)
        s += words[i % words.size()];
    for (char& c : s)
        if (c == ' ' && (&c == &s.front() || &c == &s.back()))
            c = 'X';
    return s;
}

/* The forms of a keyword's values in some commands ("" all). */
struct KeywordForms {
    const char* keyword;
    const char* commands;
    const char* forms;
};
const std::vector<KeywordForms>& KeywordTable();

/* Keywords that are not written together. */
const std::vector<std::pair<std::string, std::string>>& ExcludingPairs();

}  // namespace progen

#endif

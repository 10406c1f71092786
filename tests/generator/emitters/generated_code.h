// Checks of generated C text shared by the tests that generate whole
// sample processes: the code without its comments and literals, the
// structure of its braces and branches, and the source of each command
// standing as its line comment.
#ifndef DQOV_TESTS_GENERATOR_EMITTERS_GENERATED_CODE_H
#define DQOV_TESTS_GENERATOR_EMITTERS_GENERATED_CODE_H

#include "generator/core/gen_fixture.h"

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace emitters_test {

using namespace gencore_test;

/* The C text without comments, string and character literals. */
inline std::string codeOnly(const std::string& c)
{
    std::string out;
    for (size_t i = 0; i < c.size(); ++i) {
        if (c.compare(i, 2, "//") == 0) {
            i = c.find('\n', i);
            if (i == std::string::npos)
                break;
            out += '\n';
        } else if (c.compare(i, 2, "/*") == 0) {
            i = c.find("*/", i + 2);
            if (i == std::string::npos)
                break;
            ++i;
        } else if (c[i] == '"' || c[i] == '\'') {
            const char quote = c[i];
            for (++i; i < c.size() && c[i] != quote; ++i)
                if (c[i] == '\\')
                    ++i;
        } else {
            out += c[i];
        }
    }
    return out;
}

/* Brace depth never below 0 and back to 0 at the end; for each routine (a
** body at depth 0) its goto targets not among its labels. */
inline std::string structureFaults(const std::string& c)
{
    std::istringstream in(codeOnly(c));
    std::string faults, line;
    int depth = 0;
    std::set<std::string> labels, targets;
    auto closeRoutine = [&] {
        for (const std::string& t : targets)
            if (!labels.count(t))
                faults += "goto " + t + " has no label\n";
        labels.clear();
        targets.clear();
    };
    while (std::getline(in, line)) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const std::string text = line.substr(first);
        if (text.rfind("goto ", 0) == 0)
            targets.insert(text.substr(5, text.find(';') - 5));
        size_t colon = text.find(':');
        if (colon != std::string::npos && text.find_first_not_of(
                                               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_") == colon)
            labels.insert(text.substr(0, colon));
        for (const char ch : line) {
            if (ch == '{')
                ++depth;
            if (ch == '}' && --depth == 0)
                closeRoutine();
            if (depth < 0)
                return faults + "a } closes nothing\n";
        }
    }
    if (depth != 0)
        faults += std::to_string(depth) + " braces left open\n";
    return faults;
}

/* Whether the text stands as a whole line comment (trailing blanks aside). */
inline bool lineComment(const std::string& c, const std::string& text)
{
    const std::string comment = "// " + text;
    for (size_t at = c.find(comment); at != std::string::npos; at = c.find(comment, at + 1)) {
        const size_t end = c.find_first_not_of(' ', at + comment.size());
        if (end != std::string::npos && c.compare(end, 2, "\r\n") == 0)
            return true;
    }
    return false;
}

/* The source lines of a sample function, without empty lines. */
inline std::vector<std::string> sampleSource(const std::string& process, const std::string& function)
{
    std::ifstream in(std::string(DQOV_SOURCE_DIR) + "/samples/sources/DEM/" + process + "/" + function + ".zoph");
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        if (!l.empty())
            lines.push_back(l);
    return lines;
}

/* A source line without its label. */
inline std::string withoutLabel(const std::string& line) { return line.substr(line.find(':') == 3 ? 5 : 0); }

} // namespace emitters_test

#endif

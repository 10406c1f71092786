// The lines of a generated program as the exact-line checks read them, and
// the check that every label, field and list the commands of a function
// name reaches its program.
#ifndef DQOV_TESTS_GENERATOR_EMITTERS_PROGRAM_LINES_H
#define DQOV_TESTS_GENERATOR_EMITTERS_PROGRAM_LINES_H

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.h"

namespace emitters_test {

/* The source lines of a sample function, empty lines left out. */
inline std::vector<std::string> sampleSource(const std::string& process, const std::string& function)
{
    std::vector<std::string> lines;
    for (const std::string& l : testsupport::readLines(std::string(DQOV_SOURCE_DIR) + "/samples/sources/DEM/" +
                                                       process + "/" + function + ".zoph"))
        if (!l.empty())
            lines.push_back(l);
    return lines;
}

/* The program's lines, each without its leading and trailing blanks and
** its line end; lines left empty are dropped (comments stand between lines
** of one blank, which the blocks below do not repeat). */
inline std::vector<std::string> programLines(const std::string& c)
{
    std::vector<std::string> lines;
    std::istringstream in(c);
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        const size_t last = line.find_last_not_of(" \t\r");
        lines.push_back(line.substr(first, last - first + 1));
    }
    return lines;
}

/* One expected line against one program line: equal, except that "<n>" in
** the expected line stands for a run of digits (the running numbers of text
** literals and literal fields, which the order of the whole program gives). */
inline bool lineMatches(const std::string& expected, const std::string& actual)
{
    size_t a = 0;
    for (size_t e = 0; e < expected.size(); ++e) {
        if (expected.compare(e, 3, "<n>") == 0) {
            e += 2;
            const size_t start = a;
            while (a < actual.size() && std::isdigit(static_cast<unsigned char>(actual[a])))
                ++a;
            if (a == start)
                return false;
            continue;
        }
        if (a >= actual.size() || actual[a] != expected[e])
            return false;
        ++a;
    }
    return a == actual.size();
}

/* Where the block stands as consecutive program lines, or npos. */
inline size_t findBlock(const std::vector<std::string>& lines, const std::vector<std::string>& block, size_t from = 0)
{
    if (block.empty())
        return from;
    for (size_t at = from; at + block.size() <= lines.size(); ++at) {
        size_t k = 0;
        while (k < block.size() && lineMatches(block[k], lines[at + k]))
            ++k;
        if (k == block.size())
            return at;
    }
    return std::string::npos;
}

/* The block's lines, for a failure message. */
inline std::string shown(const std::vector<std::string>& block)
{
    std::string text;
    for (const std::string& l : block)
        text += "  " + l + "\n";
    return text;
}

/* The lines of the program around the first line that begins with the
** block's first line (up to the first "<n>"), for a failure message. */
inline std::string near(const std::vector<std::string>& lines, const std::vector<std::string>& block)
{
    if (block.empty())
        return "";
    const std::string head = block[0].substr(0, block[0].find("<n>"));
    for (size_t at = 0; at < lines.size(); ++at)
        if (lines[at].compare(0, head.size(), head) == 0) {
            std::string text;
            for (size_t k = at; k < lines.size() && k < at + block.size() + 4; ++k)
                text += "  " + lines[k] + "\n";
            return "program near it:\n" + text;
        }
    return "no program line begins like the block";
}

/* The identifier the generator makes of a name written in the source: the
** national name characters become letters ('$' d, '#' h, '@' a). */
inline std::string cIdentifier(std::string name)
{
    for (char& ch : name)
        ch = ch == '$' ? 'd' : ch == '#' ? 'h' : ch == '@' ? 'a' : static_cast<char>(std::toupper(ch));
    return name;
}

/* What the commands of a function name and its program must hold: each
** field named with the name character has its vector symbol (V_FIELD_...),
** each list its list symbol (V_LIST_...), each label of a command its
** target (X_Label_...), and each label that a keyword names a goto to it.
** A report line's name stands for its print routine (a detail line or a
** break) or its tables (a heading or a footing). Array names and data
** structures (files) are no fields. Returns what the program lacks. */
inline std::vector<std::string> namesMissing(const std::vector<std::string>& source, const std::string& program)
{
    std::set<std::string> lists, arrays, structures, labels;
    std::map<std::string, std::string> reportLines;
    auto entry = [](const std::string& line, const std::string& keyword) {
        const size_t at = line.find(keyword + "(");
        if (at == std::string::npos || (at > 0 && line[at - 1] != ' '))
            return std::string();
        const size_t start = at + keyword.size() + 1;
        const size_t end = line.find_first_of(" )", start);
        return line.substr(start, end - start);
    };
    for (const std::string& line : source) {
        if (line.size() > 4 && line[3] == ':')
            labels.insert(line.substr(0, 3));
        const std::string name = entry(line, "NAME");
        if (line.rfind("DEF_LIST", 0) == 0 && !name.empty())
            lists.insert(name.substr(1));
        if (line.rfind("DEF_ARRAY", 0) == 0 && !name.empty())
            arrays.insert(name.substr(1));
        /* a report line's name names its print routine or tables */
        if (!name.empty() && line.rfind("DEF_", 0) == 0) {
            const std::string kind = line.substr(0, line.find(' '));
            const std::string id = cIdentifier(name.substr(1));
            if (kind == "DEF_LINE")
                reportLines[name.substr(1)] = "Print_Line_" + id + " (FUNCTION_STD_ARGS)";
            else if (kind == "DEF_BREAK")
                reportLines[name.substr(1)] =
                    (line.find("TRIGGER_BY(*LEADING)") != std::string::npos ? "Print_Leading_" : "Print_Trailing_") + id;
            else if (kind == "DEF_HEAD")
                reportLines[name.substr(1)] = "as" + id + "_Trigger";
            else if (kind == "DEF_FOOT")
                reportLines[name.substr(1)] = "as" + id + "_SaveList";
        }
        for (const char* keyword : {"PASS_DS", "RCV_DS"}) {
            const std::string ds = entry(line, keyword);
            if (!ds.empty())
                structures.insert(ds.substr(1));
        }
    }
    std::vector<std::string> missing;
    auto want = [&](const std::string& text) {
        if (program.find(text) == std::string::npos)
            missing.push_back(text);
    };
    for (const std::string& label : labels)
        want("X_Label_" + cIdentifier(label) + ": ;");
    for (const std::string& line : source) {
        const size_t body = line.size() > 4 && line[3] == ':' ? 5 : 0;
        for (size_t at = line.find('#', body); at != std::string::npos; at = line.find('#', at + 1)) {
            size_t end = at + 1;
            while (end < line.size() &&
                   (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_' || line[end] == '$'))
                ++end;
            const std::string name = line.substr(at + 1, end - at - 1);
            if (name.empty() || arrays.count(name) || structures.count(name))
                continue;
            if (reportLines.count(name)) {
                want(reportLines[name]);
                continue;
            }
            if (end < line.size() && line[end] == '#')
                continue; /* an array element: #ARR#IX */
            if (at > 0 && line[at - 1] != ' ' && line[at - 1] != '(' && line[at - 1] != '\'')
                continue; /* the index of an array element */
            want((lists.count(name) ? "V_LIST_" : "V_FIELD_") + cIdentifier(name));
        }
        for (const std::string& label : labels) {
            const std::string inBrackets = "(" + label + ")";
            const std::string inList = " " + label + ")";
            if (line.find(inBrackets, body) != std::string::npos || line.find(inList, body) != std::string::npos)
                want("goto X_Label_" + cIdentifier(label) + ";");
        }
    }
    return missing;
}

}  // namespace emitters_test

#endif

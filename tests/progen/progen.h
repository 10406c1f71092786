// Generator of valid functions: from a seed, a function of the language
// with a dictionary of its own fields and files of its own, driven by the
// keyword table the checker loads (QV_F98 of the repository) and by the
// command list of the parameter definitions. The driver (scripts/progen)
// stores each function in a scratch environment and checks, generates and
// compiles it.
#ifndef DQOV_TESTS_PROGEN_PROGEN_H
#define DQOV_TESTS_PROGEN_PROGEN_H

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace progen {

/* One element of a parameter: kind (A T X S M C N H), width, default. */
struct Element {
    char kind = 'A';
    int width = 0;
    std::string dflt;
};

/* One parameter of a command as the keyword table holds it. */
struct Param {
    std::string keyword;
    char layout = 'S';  // S single, R rows, C columns, F flag set
    int entries = 1;
    std::vector<Element> elements;
    std::vector<std::string> values;  // allowed values of a flag set or a fixed choice
};

struct Tables {
    std::vector<std::string> commands;                 // every command of the language
    std::map<std::string, std::vector<Param>> params;  // by command, in parameter order
    const Param* param(const std::string& command, const std::string& keyword) const;
};

/* The keyword table of a repository (rows the checker loads) and the
** command names of the parameter definitions. */
Tables LoadTables(const std::string& repository);

struct Field {
    std::string name;
    char type = 'A';
    int length = 0, decimals = 0;
    bool nullable = false;
    std::string dflt;
};

struct File {
    std::string name;
    std::vector<std::string> fields, keys;
    std::string view;  // logical view, "" none
    std::vector<std::string> viewKeys;
};

/* A function with its dictionary and files: the case text of a seed. */
struct Program {
    std::vector<Field> fields;
    std::vector<File> files;
    std::vector<std::string> lines;  // "LBL: COMMAND params" or "COMMAND params"
    std::string fault;               // a kept case: the fault that makes it fail, "" none
    std::string step;                // a kept case: the step that fails
};

/* Switches that hold back forms a known fault makes fail; each off by
** default (the form is held back) until the fault is mended. */
struct Switch {
    const char* name;
    const char* holds;
};
const std::vector<Switch>& Switches();

/* The name that, among the allowed names, asks for a function of the
** flow-and-data subset: control flow, moves, arrays, working lists and
** subroutines, with no files, screens, validation blocks, reports, calls of
** programs, functions or built-ins, and no submitted jobs or system
** commands; a function that runs to its end under the test run time. */
inline constexpr const char* kFlowAndData = "flow_data";

/* The function of a seed; with `commands`, of about that many commands
** instead of the seed's own 20 to 200 (the dictionary and every choice
** before the size are the seed's). */
Program Generate(const Tables& tables, uint64_t seed, const std::set<std::string>& allowed = {}, int commands = 0);

/* The case text (fields, files and commands, one a line) and back. */
std::string CaseText(const Program& p);
Program ParseCase(const std::string& text);

/* SQL that stores the program's fields, files and function FUNCTION of
** process DEMOPRC of partition DEM. */
std::string StoreSql(const Program& p, const std::string& function);

/* Whether a function of the program defines lists. */
bool HasLists(const Program& p);

/* What the program's commands produce of the tables: "CMD", "CMD KW n"
** (element n of a keyword, from 1) and "CMD KW=VALUE" (allowed values). */
std::set<std::string> Produced(const Tables& tables, const Program& p);

/* Everything of the tables that can be produced, in the same form. */
std::set<std::string> Producible(const Tables& tables);

// Values of the kinds keyword elements take: quoted literals and texts.

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

/* The forms of the values of keywords in some commands ("" all). */
struct KeywordForms {
    const char* keywords;
    const char* commands;
    const char* forms;
};
const std::vector<KeywordForms>& KeywordTable();

/* Keywords that are not written together. */
const std::vector<std::pair<std::string, std::string>>& ExcludingPairs();

}  // namespace progen

#endif

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
    std::set<std::string> taken;                       // names of the repository's fields and files
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

/* A logical view of a file: its name and its keys. */
struct View {
    std::string name;
    std::vector<std::string> keys;
};

struct File {
    std::string name;
    std::vector<std::string> fields, keys;
    std::vector<View> views;
    std::vector<std::string> libraries = {"DEMLIB"};  // the libraries it stands in, the first its own
};

/* A multilingual variable ("*MTXT..." name) with its texts in English
** and French. */
struct Text {
    std::string name, english, french;
};

/* A component (ZOPHX) of a component case: its name, its kind word (256
** language level two) and its source lines. */
struct Component {
    std::string name;
    int kind = 0;
    std::vector<std::string> lines;
};

/* A function, or components, with their dictionary and files: the case
** text of a seed. */
struct Program {
    std::vector<Field> fields;
    std::vector<File> files;
    std::vector<Text> texts;         // multilingual variables
    bool french = false;             // the partition has a second language, French, with the fields' texts in it
    std::vector<std::string> lines;  // "LBL: COMMAND params" or "COMMAND params"
    std::vector<Component> components;  // a component case: the components, each checked and generated
    std::string compound;               // the compound component made of them, "" none
    std::string fault;                  // a kept case: the fault that makes it fail, "" none
    std::string step;                   // a kept case: the step that fails
};

/* The built-in functions the scratch repository catalogues for the
** generated functions: name, identifier (negative: a routine of the run
** time), program, and the arguments and return values, each a kind ('A'
** alphanumeric, 'N' numeric), length, decimals and whether it may be left
** out. */
struct BuiltinValue {
    char type;
    int length, decimals;
    bool optional;
};
struct Builtin {
    const char* name;
    int identifier;
    const char* program;
    std::vector<BuiltinValue> arguments, returns;
};
const std::vector<Builtin>& Builtins();

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

/* Components of a seed: one, or the members of a compound component. */
Program GenerateComponents(const Tables& tables, uint64_t seed, const std::set<std::string>& allowed = {});

/* The case text (fields, files and commands, one a line) and back. */
std::string CaseText(const Program& p);
Program ParseCase(const std::string& text);

/* SQL that stores the program's fields, files, texts and function
** FUNCTION of process DEMOPRC of partition DEM, or its components. */
std::string StoreSql(const Program& p, const std::string& function);

/* The top-level tokens of a value: blanks separate, quotes and
** parentheses hold together. */
std::vector<std::string> Tokens(const std::string& s);

/* Where a line's command begins after its label ("L1: " of one to three
** letters and digits), 0 when it has none. */
size_t LabelEnd(const std::string& line);

/* The command name of a line and its keywords with their values as written. */
std::pair<std::string, std::vector<std::pair<std::string, std::string>>> SplitLine(std::string line);

/* The names a text holds: words of letters, digits and '_', '@' or '$',
** with or without the national name character before them, outside
** quoted texts within it ('' in a quoted value). */
std::vector<std::string> NamesIn(const std::string& text);

/* Every command line of the program: the function's, then each component's. */
std::vector<std::string> AllLines(const Program& p);

/* Whether a function of the program defines lists. */
bool HasLists(const Program& p);

/* What the program's commands produce of the tables: "CMD", "CMD KW n"
** (element n of a keyword, from 1) and "CMD KW=VALUE" (allowed values). */
std::set<std::string> Produced(const Tables& tables, const Program& p);

/* Everything of the tables that can be produced, in the same form; with
** `components`, the commands that stand in components only (the object
** layer parses them: the keyword table has none of their keywords). */
std::set<std::string> Producible(const Tables& tables, bool components = false);

/* The kinds of value each keyword element ("CMD KW n") took: the type
** letter of each field a value names ("null" for a field that may be
** null), "'literal", "9literal", "*value", "name" or "expression" for the
** rest; and the size classes of both (a field's kind and length class, a
** literal's length or form). */
struct Reach {
    std::map<std::string, std::set<std::string>> kinds, sizes;
    void add(const Reach& r);
};
Reach ValueReach(const Tables& tables, const Program& p);

/* The field kinds the coverage asks of every element that takes fields. */
const std::vector<std::string>& FieldKinds();

/* Kinds of field the product refuses in some elements ("CMD KW n", or a
** prefix ending in '*'), with the reason. */
struct Refusal {
    const char* elements;
    const char* kinds;  // field kinds, between blanks
    const char* why;
};
const std::vector<Refusal>& Refusals();
/* The reason the kind is refused in the element, nullptr when it is allowed. */
const char* Refused(const std::string& element, const std::string& kind);

/* The (element, field kind) pairs, "CMD KW n: K", that an element taking
** fields allows and no value took. */
std::vector<std::string> Unreached(const Reach& r);

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

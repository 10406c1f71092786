#include "keyword_sql.h"

#include <cstdio>
#include <string>
#include <vector>

#include "params/parsed_command.h"
#include "support/commands.h"

using namespace dqov::cmdparm;

namespace {

std::vector<std::string> Words(const char* text)
{
    std::vector<std::string> out;
    std::string w;
    for (const char* p = text;; ++p) {
        if (*p == ' ' || *p == '\0') {
            if (!w.empty())
                out.push_back(w);
            w.clear();
            if (*p == '\0')
                break;
        } else {
            w += *p;
        }
    }
    return out;
}

struct Message {
    const char* id;
    const char* sev;
    const char* sub;
    const char* text;
};

// Texts of the findings of the parameter preparation, the operand check
// and the expression check.
constexpr Message kMessages[] = {
    {"DCM0301", "F", "10,10", "Command &1 has no parameter &2."},
    {"DCM0302", "F", "10,10", "Parameter &2 of command &1 is given more than once."},
    {"DCM0303", "F", "10,20", "Command &1 takes no further value by position; value &2 cannot be placed."},
    {"DCM0304", "F", "10,8,20", "Value &3 of parameter &1 is longer than its &2 characters or digits."},
    {"DCM0305", "F", "10,8", "Parameter &1 takes at most &2 entries."},
    {"DCM0306", "F", "10,8", "The literal beginning at column &2 of command &1 is not closed."},
    {"DCM0307", "F", "10,8", "The bracket opened at column &2 of command &1 is not closed."},
    {"DCM0308", "F", "10,8", "The bracket at column &2 of command &1 closes nothing."},
    {"DCM0309", "F", "10,20", "Value &2 of parameter &1 is not a whole number."},
    {"DCM0310", "F", "10,20", "Value &2 is not allowed for parameter &1."},
    {"DCM0311", "F", "10,8", "Parameter &1 takes at most &2 values per entry."},
    {"DCM0504", "F", "10,1", "Edit code &2 of field &1 is not known."},
    {"DCM0505", "F", "10", "Field &1 has both an edit code and an edit word; give one of them."},
    {"DCM0506", "F", "10,8", "The edit word of field &1 must have exactly &2 digit positions."},
    {"DCM0507", "F", "10,1", "Edit code &2 edits a whole number of 3 to 8 digits; field &1 is not one."},
    {"DCM0601", "F", "4", "Attribute code &1 is not known."},
    {"DCM0602", "F", "4", "Attribute code &1 is given more than once."},
    {"DCM0603", "F", "4", "Attribute code &1 cannot be used with the type of this field."},
    {"DCM0401", "F", "20", "Field &1 is not defined in the function or the dictionary."},
    {"DCM0402", "F", "20,1,1", "Operand &1 is of type class &3 where type class &2 is expected."},
    {"DCM0403", "F", "20,8,8", "Operand &1 is &3 long; at most &2 is allowed here."},
    {"DCM0404", "F", "20,8,8", "Operand &1 has &3 decimal positions; at most &2 are allowed here."},
    {"DCM0405", "F", "20", "Literal &1 is not correctly formed."},
    {"DCM0406", "F", "20", "System variable &1 is not known."},
    {"DCM0407", "F", "20", "Multilingual variable &1 is not defined in the partition."},
    {"DCM0408", "F", "20", "Component property &1 is not known."},
    {"DCM0409", "F", "", "An operand is required here."},
    {"DCM0410", "F", "20,2", "Operand &1 (kind &2) cannot be used here."},
    {"DCM0451", "F", "8", "The bracket opened at position &1 of the expression is not closed."},
    {"DCM0452", "F", "8", "The bracket at position &1 of the expression closes nothing."},
    {"DCM0453", "F", "10,8", "Operator &1 at position &2 of the expression is not known."},
    {"DCM0454", "F", "10,8", "Operator &1 at position &2 of the expression has no operand."},
    {"DCM0455", "F", "20,8", "Operand &1 at position &2 of the expression follows an operand without an operator."},
    {"DCM0456", "F", "20,20", "Operands &1 and &2 cannot be compared or combined: their types differ."},
    {"DCM0457", "F", "20", "Operand &1 is alphanumeric and cannot take part in arithmetic."},
    {"DCM0458", "F", "8", "Division by zero at position &1 of the expression."},
    {"DCM0459", "F", "1,1", "The expression gives a result of class &2 where class &1 is expected."},
    {"DCM0460", "F", "", "The expression or condition is empty."},
    {"DCM0461", "F", "8", "The literal at position &1 of the expression is not closed."},
    {"DCM0462", "F", "8", "The expression has more than &1 tokens or operands."},
};

}  // namespace

std::string KeywordTableSql()
{
    std::string s;
    s += "-- Keyword table (QV_F98) and command alias table (QV_F97) of the sample\n"
         "-- repository: every parameter of every command with its place in the\n"
         "-- parsed command, written from the parameter definitions of the library\n"
         "-- (src/params/parsed_command.h; a test holds both equal).\n"
         "-- Row types of QV_F98: 'P' one element of a parameter (X98KWD its\n"
         "-- default), 'V' an allowed value of a flag-set parameter (X98ELM its\n"
         "-- order). X98ROC 'M': rows the checker loads.\n"
         "-- QV_F97: an alias (X97ALS) of a parameter keyword (X97PRM) of a\n"
         "-- command (X97CMD); a blank X97PRM makes the alias a command name.\n"
         "-- The two tables are created by schema.sql.\n";
    char line[512];
    for (const CommandDef& c : kCommands) {
        if (c.count == 0)
            continue;
        s += "INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, "
             "X98CNT, X98POS, X98KWD, X98ROC) VALUES\n";
        bool first = true;
        for (int i = 0; i < c.count; ++i) {
            const ParamDef& p = c.params[i];
            Placement pl = Place(c, i);
            std::vector<std::string> dft = Words(p.defaults);
            for (int e = 0; e < p.elementCount; ++e) {
                const Element& el = p.elements[e];
                std::string d = e < static_cast<int>(dft.size()) ? dft[e] : "";
                std::snprintf(line, sizeof line,
                              "%s  ('%s', '%s', %d, %d, 'P', '%c', '%c', %d, %d, %d, %d, '%c', %s, 'M')",
                              first ? "" : ",\n", c.name, p.keyword, i + 1, e + 1, p.layout, el.kind, ElementSize(el),
                              p.entries, pl.elementAt[e], pl.countAt, p.positional ? 'Y' : 'N',
                              testsupport::sqlQuote(d.empty() ? " " : d).c_str());
                s += line;
                first = false;
            }
            std::vector<std::string> values = Words(p.values());
            for (size_t v = 0; v < values.size(); ++v) {
                std::snprintf(line, sizeof line,
                              ",\n  ('%s', '%s', %d, %zu, 'V', '%c', 'A', %d, %d, %d, %d, '%c', %s, 'M')", c.name,
                              p.keyword, i + 1, v + 1, p.layout, ElementSize(p.elements[0]), p.entries, pl.elementAt[0],
                              pl.countAt, p.positional ? 'Y' : 'N', testsupport::sqlQuote(values[v]).c_str());
                s += line;
            }
        }
        s += ";\n";
    }
    s += "INSERT INTO QV_F97 (X97CMD, X97ALS, X97PRM) VALUES\n"
         "  ('LOC_ENTRY', 'RET_NUMB', 'RET_NUMBER');\n";
    s += "INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES\n";
    bool first = true;
    for (const Message& m : kMessages) {
        s += first ? "" : ",\n";
        s += "  ('DC@F23', '" + std::string(m.id) + "', 'ENG', '" + m.sev + "', '" + m.sub + "', " +
             testsupport::sqlQuote(m.text) + ")";
        first = false;
    }
    s += ";\n";
    return s;
}

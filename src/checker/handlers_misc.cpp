// Check handlers of the mode and key commands (SET_MODE, IF_MODE, IF_KEY),
// IF_NULL, EXCHANGE, SUBSTRING, EXEC_CPF and EXEC_OS400, OPEN, CLOSE and
// BROWSE.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

using namespace checker;
using dqov::text::Fixed;

namespace {

// A value written as a number below 1 (a sign, digits and a point only).
bool NumberBelowOne(const std::string& value)
{
    if (value.empty() || value.find_first_not_of("+-.0123456789") != std::string::npos)
        return false;
    return std::strtod(value.c_str(), nullptr) < 1;
}

}  // namespace

extern "C" {

// SET_MODE: one of the four modes, which the program sets.
void P3100_CheckSetMode(void)
{
    if (!NotInComponent())
        return;
    std::string mode = Upper(Parm("TO"));
    if (Pass() == 1)
        return;
    if (mode.empty())
        Issue(Msg::ParameterHasNoEntry, "TO");
    else if (mode != "*DISPLAY" && mode != "*ADD" && mode != "*CHANGE" && mode != "*DELETE")
        Issue(Msg::KeywordValueNotUsable, Fixed("SET_MODE", 10) + Fixed("TO", 10) + Fixed(mode, 50));
}

void P3100_CheckIfMode(void)
{
    NotInComponent();
}

void P3100_CheckIfKey(void)
{
    NotInComponent();
}

// IF_NULL: the fields (or groups) tested; any other value (a literal, an
// expression) names nothing whose value the program could test.
void P3100_CheckIfNull(void)
{
    if (Pass() == 1) {
        if (ParmCount("FIELD") <= 0)
            Issue(Msg::ParameterHasNoEntry, "FIELD");
        return;
    }
    for (int32_t i = 0; i < ParmCount("FIELD"); ++i) {
        const std::string entry = ParmEntry("FIELD", i);
        if (!entry.empty() && !NamesFieldGroup(entry))
            CheckFieldOperand(entry);
    }
}

// EXCHANGE: the fields (or groups) put on the exchange list.
void P3100_CheckExchange(void)
{
    if (Pass() == 1) {
        /* the fields exchanged always, for every call the function makes */
        if (Upper(Parm("OPTION")) == "A") {
            Globals& g = G();
            for (int32_t i = 0; i < ParmCount("FIELDS"); ++i) {
                const std::string name = ParmEntry("FIELDS", i);
                if (name.empty())
                    continue;
                FFC_WORK_RECORD& r = g.record2;
                BlankRecord(r, WR_EXCHALL, NameOf(name));
                P3100_WriteRecord(r);
            }
        }
        return;
    }
    CheckFieldEntries("FIELDS");
}

// SUBSTRING: a value (with start and length) moved into a part of an
// alphanumeric field; starts and lengths are numeric. A part starts at
// position 1 or later and takes one character or more.
void P3100_CheckSubstring(void)
{
    std::string source = Parm("FIELD", 0), target = Parm("INTO_FIELD", 0);
    if (Pass() == 1) {
        if (target.empty())
            Issue(Msg::SubstringNotValid, "INTO_FIELD");
        for (const char* keyword : {"FIELD", "INTO_FIELD"})
            for (int element = 1; element < 3; ++element)
                if (const std::string value = Parm(keyword, element); NumberBelowOne(value))
                    Issue(Msg::SubstringNotValid,
                          std::string(keyword) + (element == 1 ? " position " : " length ") + value);
        return;
    }
    CheckOperandValue(source);
    CheckFieldOperand(target, 'A');
    for (const char* keyword : {"FIELD", "INTO_FIELD"})
        for (int element = 1; element < 3; ++element) {
            std::string value = Parm(keyword, element);
            if (!value.empty() && value[0] != '*')
                CheckOperandValue(value, 'N');
        }
}

// EXEC_CPF and EXEC_OS400: the command text and what follows an error.
void P3100_CheckExecCommand(void)
{
    const char* textKeyword = NameIs("EXEC_OS400") ? "CPFCMD" : "COMMAND";
    if (Pass() == 1) {
        if (Parm(textKeyword).empty())
            Issue(Msg::ExecCommandNotValid, textKeyword);
        return;
    }
    std::string target = Upper(Parm("IF_ERROR"));
    if (target.empty() || target == "*ABORT" || target == "*NEXT" || target == "*RETURN")
        return;
    if (target[0] == '*' || !LabelKnown(target))
        Issue(Msg::ExecCommandNotValid, "IF_ERROR(" + target + ")");
}

// OPEN: every file (*ALL) or one file of the partition.
void P3100_CheckOpen(void)
{
    std::string file = Upper(Parm("FILE", 0)), library = Upper(Parm("FILE", 1));
    if (Pass() == 2)
        return;
    if (file.empty() || file == "*ALL")
        return;
    char kind = ' ';
    if (!FileKnown(file, library, kind)) {
        Issue(Msg::OpenNotValid, file);
        return;
    }
    RecordFileUse(file, library);
}

// CLOSE: every file (*ALL) or one file; the status field is used.
void P3100_CheckClose(void)
{
    if (Pass() != 1)
        return;
    std::string file = Upper(Parm("FILE", 0));
    if (!file.empty() && file != "*ALL")
        RecordNamedFile(file, Upper(Parm("FILE", 1)));
}

void P3100_CheckBrowse(void)
{
    P3100_CheckFileCommand(0);
}

}  // extern "C"

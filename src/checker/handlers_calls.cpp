// Check handlers of the commands that hand control to other objects:
// CALL, SUBMIT, TRANSFER, CALLCHECK and POINT; and RENAME, which gives fields of a
// file other names in the function.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/lists.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <cctype>
#include <cstring>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "platform/dqos/dqos.h"

using namespace checker;
using dqov::text::Fixed;

namespace {

// Rows of the field in the file (a physical file, or the physical file of
// a view).
uint32_t FieldsOfFile(const std::string& file, const std::string& field)
{
    SSQL_AREA area;
    const char* tag = "DC_P3100/SQL030";
    SSQL_SetLocation(tag);
    std::string partition = Trim(G().partition, 3);
    SSQL_DeclareExt(&area,
                    "SELECT COUNT(*) FROM QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14FLD = '%s' AND (X14PFL = '%s' OR "
                    "X14PFL IN (SELECT X15PFL FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s')) ",
                    partition.c_str(), field.c_str(), file.c_str(), partition.c_str(), file.c_str());
    return RunCount(area, tag);
}

bool ProcessExists(const std::string& process)
{
    return CountRows("DC_P3100/SQL020", "SELECT COUNT(*) FROM QV_DTA.QV_F20 WHERE X20P_I = '%s' AND X20MOD = '%s' ",
                     process) > 0;
}

// A function of the process, or with *DIRECT of any process of the
// partition.
bool FunctionExists(const std::string& process, const std::string& function)
{
    /* asked again for each call of it: the check changes no function */
    const auto [known, added] = G().functionsFound.try_emplace({process, function}, false);
    if (!added)
        return known->second;
    if (process == "*DIRECT")
        known->second = CountRows("DC_P3100/SQL021",
                                  "SELECT COUNT(*) FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND X23FMT = '%s' ", function) > 0;
    else
        known->second = CountRows("DC_P3100/SQL022",
                                  "SELECT COUNT(*) FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND X23MOD = '%s' AND "
                                  "X23FMT = '%s' ",
                                  process, function) > 0;
    return known->second;
}

// The process and function called or submitted: "*DIRECT" with a
// function, a process with *MENU or one of its functions. Returns the
// finding's data, empty when the target is sound.
std::string TargetFinding(const std::string& process, const std::string& function, const char* firstDefault)
{
    // A process or function given by a field is only known when the
    // program runs: the field must hold a name.
    const bool processField = !FieldNamedWithPrefix(process).empty(),
               functionField = !FieldNamedWithPrefix(function).empty();
    if (processField)
        CheckFieldOperand(process, 'A');
    if (functionField)
        CheckFieldOperand(function, 'A');
    if (functionField || (processField && process != "*DIRECT"))
        return {};
    if (process == "*DIRECT") {
        if (function.empty() || function[0] == '*' || !FunctionExists(process, function))
            return "FUNCTION(" + function + ")";
        return {};
    }
    if (process.empty() || process == firstDefault)
        return {};
    if (!ProcessExists(process))
        return "PROCESS(" + process + ")";
    if (function.empty() || function == "*MENU" || function == "*FIRST")
        return {};
    if (!FunctionExists(process, function))
        return "FUNCTION(" + function + ")";
    return {};
}

// The file of the command's FILE parameter (name and library, in
// capitals): a file of the partition, recorded as used; otherwise the
// finding `msgId` and false.
bool UseNamedFile(Msg msg, std::string& file, std::string& library)
{
    file = Upper(Parm("FILE", 0));
    library = Upper(Parm("FILE", 1));
    char kind = ' ';
    if (file.empty() || file[0] == '*' || !FileKnown(file, library, kind)) {
        Issue(msg, "FILE(" + file + ")");
        return false;
    }
    RecordFileUse(file, library);
    return true;
}

}  // namespace

extern "C" {

// CALL: a process or function (PROCESS and FUNCTION) or a program (PGM),
// its parameters, lists and data structures passed, and what follows an
// error.
void P3100_CheckCall(void)
{
    std::string process = Upper(Parm("PROCESS")), function = Upper(Parm("FUNCTION"));
    std::string program = Upper(Parm("PGM"));
    bool programCall = Given(program);
    if (Pass() == 1) {
        /* PASS_DS names data structures (files), whose fields their use records */
        for (int32_t i = 0; i < ParmCount("PASS_DS"); ++i)
            RecordDataStructureUse(Upper(ParmEntry("PASS_DS", i)), "PASS_DS   ");
        if (programCall && process != "*DIRECT")
            Issue(Msg::CallNotValid, "PGM(" + program + ")");
        return;
    }
    if (!programCall) {
        std::string finding = TargetFinding(process, function, "");
        if (!finding.empty())
            Issue(Msg::CallTargetNotValid, finding);
    }
    int32_t lists = ParmCount("PASS_LST");
    for (int32_t i = 0; i < lists; ++i) {
        ListDefinition list;
        std::string name = ParmEntry("PASS_LST", i);
        if (!name.empty() && !FindList(name, list))
            Issue(Msg::ListNotDefined, NameOf(name));
    }
    CheckEntryValues("PARMS");
    /* a data structure passed is a file of the repository */
    for (int32_t i = 0; i < ParmCount("PASS_DS"); ++i) {
        const std::string structure = NameOf(ParmEntry("PASS_DS", i));
        char kind = ' ';
        if (!structure.empty() && !FileKnown(structure, "", kind))
            Issue(Msg::CallNotValid, "PASS_DS(" + structure + ")");
    }
    if (!TargetValid(Parm("IF_ERROR"), {"*ABORT", "*NEXT", "*RETURN"}))
        Issue(Msg::CallNotValid, "IF_ERROR(" + Upper(Parm("IF_ERROR")) + ")");
}

// SUBMIT: a process and function, or a program, to run as a batch job.
void P3100_CheckSubmit(void)
{
    std::string process = Upper(Parm("PROCESS")), function = Upper(Parm("FUNCTION"));
    std::string program = Upper(Parm("PGM"));
    bool programCall = Given(program);
    bool processCall = Given(process);
    if (Pass() == 1) {
        if (programCall == processCall)
            Issue(Msg::SubmitNotValid, programCall ? "PGM(" + program + ")" : std::string("PROCESS(*NONE)"));
        return;
    }
    if (processCall) {
        std::string finding = TargetFinding(process, function, "*NONE");
        if (!finding.empty())
            Issue(Msg::SubmitNotValid, finding);
    }
    CheckEntryValues("PARMS");
}

// CALLCHECK: the field validated by a program or a function. A function
// is named with *DIRECT in place of the library, BY_CALLING(CHKFUN
// *DIRECT), and recorded as such for the generator (kind 'F'); any other
// name is a program (kind 'P'), which the repository does not describe.
void P3100_CheckCallCheck(void)
{
    std::string target = Upper(Parm("BY_CALLING", 0));
    if (Pass() == 1) {
        NoteMessageText();
        if (target.empty()) {
            Issue(Msg::CallCheckNotValid, "BY_CALLING");
            return;
        }
        std::string library = Upper(Parm("BY_CALLING", 1));
        if (library == "*DIRECT") {
            SetParmEntry("@PGMKIND", 0, 0, "F");
            if (target[0] == '*' || target.size() > 7 || !FunctionExists("*DIRECT", target))
                Issue(Msg::CallCheckNotValid, "BY_CALLING(" + target + ")");
            return;
        }
        SetParmEntry("@PGMKIND", 0, 0, "P");
        return;
    }
    CheckFieldOperand(Parm("FIELD"));
    CheckEntryValues("PROG_PARM");
    CheckCheckAction("IF_VALID");
    CheckCheckAction("IF_INVALID");
}

// POINT: a file of the function pointed at another file, library or member.
void P3100_CheckPoint(void)
{
    if (Pass() != 1)
        return;
    std::string file, library;
    if (!UseNamedFile(Msg::PointNotValid, file, library))
        return;
}

}  // extern "C"

extern "C" {

// RENAME: fields of a file known in the function under other names. Each
// pair (the file's field, its name in the function) must name a field of
// the file; it becomes a "RENAMETO" record (file, field, new name) for the
// generator, and the new name a field of the function with the file
// field's attributes; both are used fields.
void P3100_CheckRename(void)
{
    Globals& g = G();
    if (!NotInComponent())
        return;
    if (Pass() != 1)
        return;
    std::string file, library;
    if (!UseNamedFile(Msg::FieldListNotValid, file, library))
        return;
    int32_t pairs = ParmCount("FIELDS");
    for (int32_t i = 0; i < pairs; ++i) {
        std::string written = ParmEntry("FIELDS", i, 0), renamed = ParmEntry("FIELDS", i, 1);
        std::string field = NameOf(written);
        std::string target = NameOf(renamed);
        if (field.empty() || target.empty()) {
            Issue(Msg::FieldListNotValid, field.empty() ? written : renamed);
            continue;
        }
        uint32_t inFile = FieldsOfFile(file, field);
        if (inFile == 0) {
            Issue(Msg::FieldListNotValid, field);
            continue;
        }
        FFC_WORK_RECORD& r = g.record2;
        BlankRecord(r, WR_RENAMETO, Fixed(file, 20) + Fixed(field, 10), target);
        P3100_WriteRecord(r);
        char type = ' ';
        int32_t length = 0, decimals = 0;
        if (LookUpField(field, type, length, decimals)) {
            FFC_FIELD_DEFINITION def;
            std::memset(&def, ' ', sizeof def);
            def.input.usLength = 0;
            def.output.usLength = 0;
            Pad(def.acName, 10, target);
            def.cType = type;
            def.lLength = length;
            def.lDecimals = decimals;
            Put_Function_Field(g.ctx, 'F', &def, nullptr);
        }
        /* the program swaps the two fields' values around each I/O of
           the file: both need their places in the program */
        RecordOperand(written);
        RecordOperand(renamed);
    }
}

}  // extern "C"

extern "C" {

// TRANSFER: control goes to *EXIT, *MENU, HELP, EOJ, the next or last
// function, the function a field names, or a function of the process
// ("FUNCTION" or "PROCESS/FUNCTION"); the fields exchanged are used. A
// target the repository does not hold is an invalid reference.
void P3100_CheckTransfer(void)
{
    Globals& g = G();
    std::string target = Upper(Parm("TOFUNCTION"));
    if (Pass() == 1)
        return;
    CheckEntryValues("EXCHANGE");
    if (target.empty() || target == "*EXIT" || target == "*MENU" || target == "HELP" || target == "EOJ" ||
        target == "*NEXT" || target == "*LAST")
        return;
    if (!FieldNamedWithPrefix(target).empty()) {
        CheckFieldOperand(target, 'A');
        return;
    }
    std::string process = g.processName, function = target;
    size_t slash = target.find('/');
    if (slash != std::string::npos) {
        process = target.substr(0, slash);
        function = target.substr(slash + 1);
    }
    if (function.empty() || function.size() > 7 || process.empty() || process.size() > 10 ||
        !FunctionExists(process, function))
        P3100_ReportIllegalReference(static_cast<uint32_t>(target.size()), target.c_str());
}

}  // extern "C"

// Check handlers of the file commands (SELECT, FETCH, INSERT, UPDATE,
// DELETE, CHECK_FOR) through their common file check.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/usage.h"

#include <cctype>
#include <cstring>

using namespace checker;

namespace {

std::string Upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The IO_ERROR action: *ABORT, *NEXT, *RETURN or a label of the routine.
void CheckIoErrorLabel()
{
    std::string action = Upper(Parm("IO_ERROR"));
    if (action.empty() || action[0] == '*')
        return;
    FFC_WORK_RECORD &r = G().record2;
    BlankRecord(r, WR_LABEL, action, std::string_view(G().currentRoutine, 10));
    if (action.size() > 3 || !FindRecord(r, 3))
        Issue('F', "PRC0025", action);
}

} // namespace

extern "C" {

// Common check of the file commands: the file (its first element under the
// command's file keyword), the fields, the key values and the status field.
void P3100_CheckFileCommand(int32_t)
{
    Globals &g = G();
    const char *fileKeyword = NameIs("INSERT")      ? "TO_FILE"
                              : NameIs("UPDATE")    ? "IN_FILE"
                              : NameIs("CHECK_FOR") ? "FOR_FILE"
                                                    : "FROM_FILE";
    if (Pass() == 2) {
        CheckIoErrorLabel();
        return;
    }
    std::string file = Upper(Parm(fileKeyword, 0));
    std::string library = Upper(Parm(fileKeyword, 1));
    RecordFileUse(file, library);
    if (g.currentFlags[0] == 'Y')
        RecordFieldList("FIELDS");
    if (g.currentFlags[3] == 'Y') {
        int32_t keys = ParmCount("WITH_KEY");
        for (int32_t i = 0; i < keys; ++i)
            RecordOperand(ParmEntry("WITH_KEY", i));
    }
    if (g.currentFlags[2] == 'Y')
        RecordExpressionFields(Parm("WHERE"));
    if (g.currentFlags[4] == 'Y') {
        std::string status = Upper(Parm("IO_STATUS"));
        if (status == "*STATUS")
            P3100_RecordFieldUsage(1, g.ioStatusField, "FL");
        else
            RecordOperand(status);
    }
}

void P3100_CheckSelect(void)
{
    P3100_CheckFileCommand(1);
}

void P3100_CheckFetch(void)
{
    P3100_CheckFileCommand(0);
}

void P3100_CheckInsert(void)
{
    P3100_CheckFileCommand(0);
}

void P3100_CheckUpdate(void)
{
    P3100_CheckFileCommand(0);
}

void P3100_CheckDelete(void)
{
    P3100_CheckFileCommand(0);
}

void P3100_CheckCheckFor(void)
{
    P3100_CheckFileCommand(0);
}

} // extern "C"

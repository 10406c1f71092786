// Check handlers of the list commands: CLR_LIST, DLT_LIST, INZ_LIST,
// ADD_ENTRY, UPD_ENTRY, GET_ENTRY, DLT_ENTRY, LOC_ENTRY, SORT_LIST and
// SELECTLIST, and the list records that DEF_LIST leaves for them.
//
// Pass 1 records the fields the commands use; pass 2, when every DEF_LIST
// of the function is known, checks the list named and the operands.
#include "checker/checker.h"
#include "checker/expression_routines.h"
#include "checker/handlers.h"
#include "checker/lists.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"

using namespace checker;

namespace {

bool IsSpecial(const std::string& value)
{
    return !value.empty() && value[0] == '*';
}

// Entry modes of ADD_ENTRY, UPD_ENTRY and INZ_LIST; any other value must
// be an alphanumeric field holding the mode.
bool EntryModeKeyword(const std::string& value)
{
    static constexpr const char* kModes[] = {"*CURRENT", "*SAME", "*ADD", "*CHANGE", "*DELETE", "*DISPLAY", "*START"};
    std::string v = Upper(value);
    return std::any_of(std::begin(kModes), std::end(kModes), [&](const char* m) { return v == m; });
}

bool YesNo(const std::string& value)
{
    std::string v = Upper(value);
    return v == "*YES" || v == "*NO";
}

// The list a command names, reported as a working list without a DEF_LIST
// when the function defines none of that name; the commands whose check
// has a finding of its own for it give that one.
bool RequireList(const char* keyword, ListDefinition& list, Msg notDefined = Msg::ListNotDefined)
{
    std::string written = Parm(keyword);
    if (FindList(written, list))
        return true;
    const std::string name = NameOf(written);
    Issue(notDefined, notDefined == Msg::ListNotDefined || notDefined == Msg::SortListListNotValid
                          ? name
                          : "list " + name + " has no DEF_LIST");
    return false;
}

// The entry mode of the command: a mode keyword, else a field.
void CheckEntryMode()
{
    std::string mode = Parm("WITH_MODE");
    if (mode.empty() || EntryModeKeyword(mode))
        return;
    CheckFieldOperand(mode, 'A');
}

// The status field of GET_ENTRY and LOC_ENTRY: "*STATUS" (the function's
// I/O status field) or an alphanumeric field.
void CheckStatusField()
{
    std::string status = Parm("RET_STATUS");
    if (status.empty() || Upper(status) == "*STATUS")
        return;
    CheckFieldOperand(status, 'A');
}

}  // namespace

namespace checker {

void RecordListDefinition()
{
    Globals& g = G();
    std::string name = NameOf(Parm("NAME"));
    if (name.empty() || name.size() > 10)
        return;
    ListDefinition existing;
    if (FindList(name, existing))
        return;
    int32_t order = 1;
    FFC_WORK_RECORD& r = g.record2;
    BlankRecordKey(r, WR_LISTNAME);
    for (char rc = WF_cReadFirst(g.ctx, 2, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 2, &r, 1))
        ++order;
    BlankRecord(r, WR_LISTNAME, name);
    auto* data = reinterpret_cast<WR_LISTNAME_DATA*>(r.acData);
    FIX_LongToDigits(&order, 4, data->acOrder);
    data->cKind = Upper(Parm("TYPE")) == "*BROWSE" ? 'B' : 'W';
    int32_t count = std::min<int32_t>(ParmCount("FIELDS"), WR_LIST_FIELDS_MAX);
    FIX_LongToDigits(&count, 3, data->acFieldCount);
    int32_t line = g.state ? g.state->lLine : 0, subLine = g.state ? g.state->lLineWord : 0;
    FIX_LongToDigits(&line, 7, data->acLine);
    FIX_LongToDigits(&subLine, 7, data->acSubLine);
    for (int32_t i = 0; i < count; ++i)
        Pad(data->acFields[i], 10, NameOf(ParmEntry("FIELDS", i)));
    data->cLongList = std::atoi(Parm("LONG_LIST").c_str()) != 0 ? 'Y' : 'N';
    P3100_WriteRecord(r);
}

bool FindList(const std::string& written, ListDefinition& list)
{
    Globals& g = G();
    std::string name = NameOf(written);
    if (name.empty() || name.size() > 10)
        return false;
    FFC_WORK_RECORD& r = g.record2;
    bool found = false;
    if (name == "*FIRST") {
        // The list defined first: the lowest place among the records.
        BlankRecordKey(r, WR_LISTNAME);
        FFC_WORK_RECORD first;
        long lowest = 0;
        for (char rc = WF_cReadFirst(g.ctx, 2, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 2, &r, 1)) {
            long order = FIX_lDigitsToLong(reinterpret_cast<const WR_LISTNAME_DATA*>(r.acData)->acOrder, 4, nullptr);
            if (!found || order < lowest) {
                first = r;
                lowest = order;
                found = true;
            }
        }
        if (found)
            r = first;
    } else {
        BlankRecordKey(r, WR_LISTNAME, name);
        found = WF_cReadFirst(g.ctx, 2, &r, 2) == '0';
    }
    if (!found)
        return false;
    const auto* data = reinterpret_cast<const WR_LISTNAME_DATA*>(r.acData);
    list.name = Trim(r.acName, 10);
    list.kind = data->cKind;
    list.fields.clear();
    long count = std::clamp<long>(FIX_lDigitsToLong(data->acFieldCount, 3, nullptr), 0, WR_LIST_FIELDS_MAX);
    for (long i = 0; i < count; ++i)
        list.fields.push_back(Trim(data->acFields[i], 10));
    return true;
}

}  // namespace checker

extern "C" {

// CLR_LIST and DLT_LIST: the list named must be defined.
void P3100_CheckClrList(void)
{
    ListDefinition list;
    if (Pass() == 2)
        RequireList("NAMED", list);
}

void P3100_CheckDltList(void)
{
    P3100_CheckClrList();
}

// INZ_LIST: the list, the number of entries (a number or a numeric
// field) and the entry mode.
void P3100_CheckInzList(void)
{
    std::string entries = Parm("NUM_ENTRYS");
    if (Pass() == 1)
        return;
    ListDefinition list;
    RequireList("NAMED", list);
    if (!entries.empty())
        CheckOperandValue(entries, 'N');
    CheckEntryMode();
}

// ADD_ENTRY: the list, the entry mode and the entry after which the new
// one is added (*END or a numeric field).
void P3100_CheckAddEntry(void)
{
    std::string after = Parm("AFTER");
    if (Pass() == 1)
        return;
    ListDefinition list;
    RequireList("TO_LIST", list);
    CheckEntryMode();
    if (!after.empty() && Upper(after) != "*END")
        CheckFieldOperand(after, 'N');
}

// UPD_ENTRY: the list and the entry mode.
void P3100_CheckUpdEntry(void)
{
    if (Pass() == 1)
        return;
    ListDefinition list;
    RequireList("IN_LIST", list);
    CheckEntryMode();
}

// GET_ENTRY: the list, the numeric field holding the entry number and the
// status field.
void P3100_CheckGetEntry(void)
{
    std::string number = Parm("NUMBER");
    if (Pass() == 1)
        return;
    ListDefinition list;
    RequireList("FROM_LIST", list);
    if (number.empty())
        Issue(Msg::ParameterHasNoEntry, "NUMBER");
    else
        CheckOperandValue(number, 'N');
    CheckStatusField();
}

// DLT_ENTRY: the list and the entry: *CURRENT or a numeric field.
void P3100_CheckDltEntry(void)
{
    std::string number = Parm("NUMBER");
    if (Pass() == 1)
        return;
    ListDefinition list;
    RequireList("FROM_LIST", list, Msg::DltEntryNotValid);
    if (number.empty() || Upper(number) == "*CURRENT")
        return;
    if (IsSpecial(number)) {
        Issue(Msg::DltEntryNotValid, "NUMBER(" + number + ")");
        return;
    }
    CheckNumericField(number, Msg::DltEntryNotValid, "NUMBER(" + number + ") is not numeric");
}

// LOC_ENTRY: the list, the WHERE condition, the numeric field that gets
// the found entry's number, the *YES/*NO switch and the status field.
void P3100_CheckLocEntry(void)
{
    std::string where = Parm("WHERE");
    std::string number = Parm("RET_NUMBER");
    if (Pass() == 1)
        return;
    ListDefinition list;
    RequireList("IN_LIST", list, Msg::LocEntryNotValid);
    if (!where.empty())
        CheckCompiledCondition(where);
    if (Given(number)) {
        if (IsSpecial(number))
            Issue(Msg::LocEntryNotValid, "RET_NUMBER(" + number + ")");
        else
            CheckFieldOperand(number, 'N');
    }
    std::string get = Parm("GET_ENTRY");
    if (!get.empty() && !YesNo(get))
        Issue(Msg::LocEntryNotValid, "GET_ENTRY(" + get + ")");
    CheckStatusField();
}

// SORT_LIST: a working list, sorted by fields of the list, each ascending
// or descending.
void P3100_CheckSortList(void)
{
    int32_t keys = ParmCount("BY_FIELDS");
    if (Pass() == 1)
        return;
    ListDefinition list;
    if (!RequireList("NAMED", list, Msg::SortListListNotValid))
        return;
    if (list.kind != 'W') {
        Issue(Msg::SortListListNotValid, list.name);
        return;
    }
    if (keys <= 0) {
        Issue(Msg::SortListNotValid, "BY_FIELDS");
        return;
    }
    for (int32_t i = 0; i < keys; ++i) {
        std::string field = NameOf(ParmEntry("BY_FIELDS", i));
        std::string order = Upper(ParmEntry("BY_FIELDS", i, 1));
        if (std::find(list.fields.begin(), list.fields.end(), field) == list.fields.end())
            Issue(Msg::SortFieldNotInList, field);
        if (!order.empty() && order != "*ASCEND" && order != "*ASCENDING" && order != "*DESCEND" &&
            order != "*DESCENDING")
            Issue(Msg::SortListNotValid, order);
    }
}

// SELECTLIST: the list, the entries selected (*ALL for every list; the
// other selections only for browse lists) and the WHERE condition.
void P3100_CheckSelectList(void)
{
    std::string where = Parm("WHERE");
    P3100_CheckSelectListLoop();
    if (Pass() == 1)
        return;
    ListDefinition list;
    bool known = RequireList("NAMED", list, Msg::SelectListNotValid);
    static constexpr const char* kSelections[] = {"*ALL",     "*SELECT", "*ALTERED", "*NOTNULL",
                                                  "*DISPLAY", "*ADD",    "*CHANGE",  "*DELETE"};
    int32_t selections = ParmCount("GET_ENTRYS");
    for (int32_t i = 0; i < selections; ++i) {
        std::string s = Upper(ParmEntry("GET_ENTRYS", i));
        if (s.empty())
            break;
        bool keyword =
            std::any_of(std::begin(kSelections), std::end(kSelections), [&](const char* k) { return s == k; });
        if (!keyword || (known && s != "*ALL" && list.kind != 'B'))
            Issue(Msg::SelectListNotValid, s);
    }
    if (!where.empty())
        CheckCompiledCondition(where);
}

}  // extern "C"

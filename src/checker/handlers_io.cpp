// Check handlers of the file commands (SELECT, FETCH, INSERT, UPDATE,
// DELETE, CHECK_FOR) through their common file check.
#include "checker/checker.h"
#include "checker/expression_routines.h"
#include "checker/file_keys.h"
#include "checker/handlers.h"
#include "checker/support_names.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqos/dqos.h"

using namespace checker;
using dqov::text::Fixed;

namespace {

// An action parameter (IO_ERROR, END_FILE, NOT_FOUND, VAL_ERROR): one of
// its keywords, or a label of the routine, which the program branches to.
void CheckActionLabel(const char* keyword)
{
    std::string action = Upper(Parm(keyword));
    if (action.empty() || action[0] == '*')
        return;
    FFC_WORK_RECORD& r = G().record2;
    BlankRecordKey(r, WR_LABEL, action, std::string_view(G().currentRoutine, 10));
    if (action.size() <= 3 && FindRecord(r, 3))
        return;
    // the finding names the keyword whose branch has no target
    if (std::strcmp(keyword, "IO_ERROR") == 0)
        Issue(Msg::IoErrorLabelNotDefined, action);
    else
        Issue(Msg::ErrorLabelNotDefined, Fixed(keyword, 10) + action);
}

// The action parameters the command's flag columns switch on: the I/O
// error action, the actions at the end of the file or when no row is found,
// the validation error action.
void CheckActionLabels()
{
    const char* flags = G().currentFlags;
    if (flags[FFC_FLAG_IO_ERROR] == 'Y')
        CheckActionLabel("IO_ERROR");
    if (flags[FFC_FLAG_END_ACTION] == 'Y' || flags[FFC_FLAG_SECOND_ACTION] == 'Y')
        for (const char* keyword : {"END_FILE", "NOT_FOUND"})
            CheckActionLabel(keyword);
    if (flags[FFC_FLAG_VAL_ERROR] == 'Y')
        CheckActionLabel("VAL_ERROR");
}

// A file of the partition: its kind ('P' physical, 'L' logical view), its
// library and, for a view, its physical file.
struct FileRef {
    char kind = ' ';
    std::string library;
    std::string physical;
};

bool ReadFileRef(const std::string& file, const std::string& library, FileRef& out)
{
    std::string partition = Trim(G().partition, 3);
    bool any = library.empty() || library == "*FIRST" || library == "*LIBL";
    SSQL_AREA area;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    char lib[10], phys[10];
    std::memset(lib, ' ', sizeof lib);
    SSQL_SetLocation("DC_P3100/SQL007");
    if (any)
        SSQL_DeclareExt(&area, "SELECT X27PLB FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' ",
                        partition.c_str(), file.c_str());
    else
        SSQL_DeclareExt(&area,
                        "SELECT X27PLB FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' AND X27PLB = '%s' ",
                        partition.c_str(), file.c_str(), library.c_str());
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_FIXED(lib, 10));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, "DC_P3100/SQL007");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_OK) {
        out = {'P', Trim(lib, 10), file};
        return true;
    }
    std::memset(phys, ' ', sizeof phys);
    SSQL_SetLocation("DC_P3100/SQL008");
    if (any)
        SSQL_DeclareExt(&area, "SELECT X15PFL, X15PLB FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s' ",
                        partition.c_str(), file.c_str());
    else
        SSQL_DeclareExt(&area,
                        "SELECT X15PFL, X15PLB FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s' AND "
                        "X15PLB = '%s' ",
                        partition.c_str(), file.c_str(), library.c_str());
    rc = SSQL_sRunExt(&area, &ca, &da, 2, SSQL_FIXED(phys, 10), SSQL_FIXED(lib, 10));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, "DC_P3100/SQL008");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK)
        return false;
    out = {'L', Trim(lib, 10), Trim(phys, 10)};
    return true;
}

// Where each file named with its library was found by this check (false:
// nowhere); the repository does not change while the check runs.
std::unordered_map<std::string, std::pair<bool, FileRef>> g_resolved;

bool ResolveFile(const std::string& file, const std::string& library, FileRef& out)
{
    std::string key = file + '\0' + library;
    auto it = g_resolved.find(key);
    if (it == g_resolved.end()) {
        FileRef ref;
        bool found = ReadFileRef(file, library, ref);
        it = g_resolved.emplace(std::move(key), std::make_pair(found, std::move(ref))).first;
    }
    if (it->second.first)
        out = it->second.second;
    return it->second.first;
}

// The WITH_KEY values against the file's keys; the resolved values, their
// codes and the physical file go back into the parsed command.
void CheckKeys(const std::string& file, const std::string& library)
{
    Globals& g = G();
    int32_t keys = std::min<int32_t>(ParmCount("WITH_KEY"), P3105_MAX_KEYS);
    if (keys <= 0)
        return;
    FileRef ref;
    if (file.empty() || !ResolveFile(file, library, ref))
        return;  // reported in pass 1
    auto rq = std::make_unique<P3105_KEY_REQUEST>();
    std::memset(rq.get(), ' ', sizeof *rq);
    std::memcpy(rq->acFileKind, ref.kind == 'P' ? "PHY" : "LGL", 3);
    Pad(rq->acFile, 10, file);
    Pad(rq->acLibrary, 10, ref.library);
    Pad(rq->acPhysical, 10, ref.physical);
    rq->lValueCount = keys;
    for (int32_t i = 0; i < keys; ++i)
        Pad(rq->aacValues[i], P3105_VALUE_LEN, ParmEntry("WITH_KEY", i));
    rq->cResult = 'Y';
    Pad(rq->acGeneric, 4, Parm("GENERIC"));
    rq->cPartialAllowed = 'Y';
    std::memset(rq->acOptions, 'Y', 8);
    std::memcpy(rq->acSourceKind, "DC@F23", 6);
    Pad(rq->acProcess, 10, g.processName);
    Pad(rq->acFunction, 10, g.functionName);
    P3105_sCheckFileKeys(g.ctx, 0, rq.get(), g.msgQueue);
    P3100_ReplayQueuedMessages();
    SetParmCount("WITH_KEY", rq->lValueCount);
    SetParmCount("@KEYCODES", rq->lValueCount);
    const P3105_KEY_RESULTS* results = P3105_pKeyResults();
    for (int32_t i = 0; i < keys; ++i) {
        SetParmEntry("WITH_KEY", i, 0, std::string_view(rq->aacValues[i], P3105_VALUE_LEN));
        SetParmEntry("@KEYCODES", i, 0, std::string_view(rq->aacCodes[i], 2));
        const int32_t n = i + 1;
        P3100_CheckAutoGenerate(n, results->alLength[n], results->asDecimals[n], results->asKind[n],
                                results->asLocal[n], results->alInteger[n], results->alFraction[n]);
    }
    SetParmEntry("@PHYSFILE", 0, 0, ref.physical);
    SetParmEntry("@PHYSLIB", 0, 0, ref.library);
}

// A key count written as a number ("2"): its value, 0 for any other text.
int32_t KeyCountNumber(const std::string& count)
{
    if (count.empty() || count.size() > 4 ||
        !std::all_of(count.begin(), count.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return 0;
    return std::stoi(count);
}

// NBR_KEYS other than *WITHKEY counts key values the command gives: the
// key count is checked or computed with the key values written for the
// file, so a command without them (or FILECHECK, whose key values are
// always used whole) cannot use it. The count is *COMPUTE, a field that
// holds it at run time, or a number from 1 to the number of key values
// given; any other value names nothing the program can read (or counts
// keys the command does not give), so it is refused here rather than at
// generation.
void CheckKeyCount()
{
    const std::string count = Upper(Parm("NBR_KEYS"));
    if (count.empty() || count == "*WITHKEY")
        return;
    const int32_t keys = ParmCount("WITH_KEY");
    const int32_t number = KeyCountNumber(count);
    const bool counted = count == "*COMPUTE" || !FieldOf(count).empty() || (number >= 1 && number <= keys);
    if (counted && keys > 0 && !NameIs("FILECHECK"))
        return;
    Issue(Msg::KeywordValueNotUsable,
          Fixed(Trim(G().parsed.acName, 10), 10) + Fixed("NBR_KEYS", 10) + Fixed(count, 50));
}

}  // namespace

extern "C" {

// A WITH_KEY value that the run generates for its key field: the name made
// for the field (and the routine's label number as its owner) stands for
// the value, a used field of the key field's definition, so that the
// program has a field to hold what is generated.
void P3100_CheckAutoGenerate(int32_t lPosition, int32_t, int16_t, int16_t, int16_t, int32_t, int32_t)
{
    Globals& g = G();
    const int32_t entry = lPosition - 1;
    if (ParmEntry("@KEYCODES", entry) != P3105_AUTOGENERATE_CODE)
        return;
    const char* keyField = P3105_pKeyFieldName(lPosition);
    if (!keyField)
        return;
    const std::string field = Trim(keyField, 10);
    char value[50];
    Pad(value, sizeof value, "*AUTOGENERATEF35KV2");
    if (P31O2_sMakeGeneratedName(g.ctx, field.c_str(), static_cast<int32_t>(g.ctx->ulLabelNumber),
                                 g.state ? g.state->lLine : 0, value, sizeof value) != 0)
        return;
    const std::string name = Trim(value, P3105_VALUE_LEN);
    SetParmEntry("WITH_KEY", entry, 0, name);
    RecordFieldUse(name, field, "FL");
}

}  // extern "C"

void checker::ForgetResolvedFiles()
{
    g_resolved.clear();
}

extern "C" {

// Common check of the file commands: the file (its first element under the
// command's file keyword), the fields, the key values and the status field.
void P3100_CheckFileCommand(int32_t)
{
    Globals& g = G();
    const char* fileKeyword = NameIs("INSERT")      ? "TO_FILE"
                              : NameIs("UPDATE")    ? "IN_FILE"
                              : NameIs("CHECK_FOR") ? "FOR_FILE"
                              : NameIs("FILECHECK") ? "USING_FILE"
                                                    : "FROM_FILE";
    std::string file = Upper(Parm(fileKeyword, 0));
    std::string library = Upper(Parm(fileKeyword, 1));
    if (Pass() == 2) {
        CheckActionLabels();
        if (g.currentFlags[FFC_FLAG_KEY] == 'Y')
            CheckKeys(file, library);
        CheckKeyCount();
        if (g.currentFlags[FFC_FLAG_WHERE] == 'Y')
            CompileFileWhere(Parm("WHERE"), file);
        return;
    }
    if (g.currentFlags[FFC_FLAG_IO_ERROR] == 'Y')
        NoteErrorAction(Parm("IO_ERROR"));
    // a key count written as a number is a literal of the program, which
    // the generated key-count check reads
    if (const std::string count = Parm("NBR_KEYS"); KeyCountNumber(count) > 0)
        RecordOperand(count);
    const Msg notFound = NameIs("BROWSE") ? Msg::BrowseFileNotFound : Msg::FileNotPhysicalOrLogical;
    if (!RecordNamedFile(file, library, notFound) && g.currentFlags[FFC_FLAG_KEY] == 'Y' && ParmCount("WITH_KEY") > 0)
        // The key values cannot be matched against the keys of a file
        // that is not there: say so beside the file's finding.
        Issue(Msg::KeysNotChecked, Fixed(Trim(g.parsed.acName, 10), 10) + Fixed(file, 10));
    // FETCH reads a record by its key values, by its relative record
    // number or by a WHERE: a record asked for both ways is none of them.
    if (NameIs("FETCH") && ParmCount("WITH_KEY") > 0 && Given(Parm("WITH_RRN")))
        Issue(Msg::KeyParametersNotValid, "WITH_KEY with WITH_RRN");
    // The key values, the condition and the status field are recorded
    // with every command's keywords; the field list is expanded here, with
    // the fields of the command's file.
    if (g.currentFlags[FFC_FLAG_FIELD_LIST] == 'Y')
        RecordExpandedFieldList("FIELDS", file);
}

// SELECT: the common file check; in pass 1 the GENERIC and OPTIONS rules
// and the loop's identifier, file and library at its structure depth.
void P3100_CheckSelect(void)
{
    Globals& g = G();
    P3100_CheckFileCommand(1);
    if (Pass() != 1)
        return;
    std::string generic = Upper(Parm("GENERIC"));
    if (generic.size() > 1 && generic[1] == 'Y' && ParmFlag("OPTIONS", "*STARTKEY")) {
        SetParmEntry("GENERIC", 0, 0, "*NO");
        Issue(Msg::GenericWithStartKey);
    }
    if (ParmFlag("OPTIONS", "*BLOCK") && ParmCount("WITH_KEY") > 0)
        Issue(Msg::BlockSelectWithKeys);
    int depth = std::clamp(g.depth, 0, kStackLimit);
    g.levelFile[depth] = Upper(Parm("FROM_FILE", 0));
    g.levelLibrary[depth] = Upper(Parm("FROM_FILE", 1));
    NumberLoop(depth);
    g.currentSelectLevel = depth - 1;
    P3100_CheckSelectAll();
}

// SELECT FIELDS(*ALL): every field of the file is read on every row; a
// warning names the file, so that the function can list what it uses.
void P3100_CheckSelectAll(void)
{
    int32_t fields = ParmCount("FIELDS");
    for (int32_t i = 0; i < fields; ++i) {
        if (Upper(ParmEntry("FIELDS", i)) != "*ALL")
            continue;
        Issue(Msg::SelectAllFields, Upper(Parm("FROM_FILE", 0)));
        return;
    }
}

// SELECTLIST: its loop counts among the loops of the run.
void P3100_CheckSelectListLoop(void)
{
    if (Pass() == 1)
        G().loopCounter = (G().loopCounter + 1) % 1000;
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

}  // extern "C"

// Source loading: a function's commands from the stored command list, with
// every INCLUDE expanded, or a component's lines from the object layer;
// then the reader that hands them to the passes in line, sub-line order.
#include "checker/checker.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/record_store.h"
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqos/dqos.h"

using checker::Upper;

namespace {

struct SourceLine {
    uint32_t number;
    std::string label;
    std::string name;
    std::string parameters;
};

// Lines of a component run, collected from the object layer.
struct ComponentSource {
    std::vector<SourceLine> lines;
};

ComponentSource g_component;
// The context the collector counts the delivered lines in (the loader's).
FFC_CONTEXT* g_collectContext = nullptr;
SZOPH_LIST* g_editorSource = nullptr;

// Length of a source record up to the end of its parameter text: the store
// keeps no more, as the rest of the text area is blank.
uint32_t TextEnd(const FFC_SOURCE_COMMAND& r)
{
    return static_cast<uint32_t>(offsetof(FFC_SOURCE_COMMAND, acParameters) +
                                 std::min<size_t>(r.usParmLength, FFC_SOURCE_TEXT_MAX));
}

// Blanks the text area from the new text's end to the old one's: a record
// buffer that was blank past its old text is then blank past the new one,
// without the whole area written again.
void BlankPastText(FFC_SOURCE_COMMAND& r, size_t oldLength)
{
    size_t from = std::min<size_t>(r.usParmLength, FFC_SOURCE_TEXT_MAX);
    size_t to = std::min<size_t>(oldLength, FFC_SOURCE_TEXT_MAX);
    if (to > from)
        std::memset(r.acParameters + from, ' ', to - from);
}

// The text goes into the record's area; a longer text is cut there, and
// its whole length kept so that the check reports it.
void SetText(FFC_SOURCE_COMMAND& r, std::string_view text)
{
    size_t old = r.usParmLength;
    size_t n = std::min<size_t>(text.size(), FFC_SOURCE_TEXT_MAX);
    r.lWrittenLength =
        text.size() > FFC_SOURCE_TEXT_MAX ? static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX)) : 0;
    std::memcpy(r.acParameters, text.data(), n);
    r.usParmLength = static_cast<uint16_t>(n);
    BlankPastText(r, old);
}

// A record buffer for the loader: blank past its (empty) text.
std::unique_ptr<FFC_SOURCE_COMMAND> NewSourceRecord()
{
    auto r = std::make_unique<FFC_SOURCE_COMMAND>();
    std::memset(r->acParameters, ' ', FFC_SOURCE_TEXT_MAX);
    return r;
}

bool Blank(std::string_view s)
{
    return P31O2_fIsBlank(s.data(), 0, static_cast<uint32_t>(s.size())) == 1;
}

// What the loader was handed for the parameter preparation of INCLUDE.
struct PrepareArguments {
    char* buffer11000 = nullptr;
    char* buffer256 = nullptr;
    const char* queue = nullptr;
    const void* keywords = nullptr;
    uint16_t keywordCount = 0;
};
PrepareArguments g_prepare;

// Process owning a function of the partition ("*DIRECT" resolution).
std::string OwningProcess(FFC_CONTEXT* ctx, const std::string& function)
{
    SSQL_AREA area;
    std::string partition = checker::Trim(ctx->acPartition, 3);
    SSQL_SetLocation("PCONTROL/QV_F23");
    SSQL_DeclareExt(&area, "SELECT X23MOD FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND X23FMT = '%s' ", partition.c_str(),
                    function.c_str());
    SSQL_SQLDA* da = nullptr;
    unsigned short rc = SSQL_sRun(&area, &da, 0);
    std::string process;
    if (rc == SSQL_RC_OK) {
        char* data = SSQL_GetData(da, 1);
        if (data)
            process = checker::Trim(data, std::strlen(data));
        SMEM_FreeMem(data);
    } else if (rc != SSQL_RC_NOROW) {
        // the run ends as every fatal end of a job does: the statement's
        // location and reason (the services' last error) shown, the job's
        // work undone
        SSQL_FreeSqlda(da);
        FFC_SQL_Error(nullptr, "PCONTROL/QV_F23");
    }
    SSQL_FreeSqlda(da);
    return process;
}

// Expands one INCLUDE whose record was just stored; returns the number of
// commands it brought in.
int16_t ExpandInclude(FFC_CONTEXT* ctx, FFC_SOURCE_COMMAND& include, int16_t& sequence)
{
    if (P31O2_sTokenizeCommand(&include) != 0)
        return 0;
    FFC_COMMAND_ENTRY* entry = P3100_pFindCommand(include.acName);
    if (!entry)
        return 0;
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    auto extension = std::make_unique<FFC_COMMAND_EXTENSION>();
    std::memset(parsed.get(), 0, sizeof *parsed);
    parsed->sLine = include.sLine;
    parsed->sSubLine = include.sSubLine;
    std::memcpy(parsed->acLabel, include.acLabel, 3);
    std::memcpy(parsed->acName, include.acName, 10);
    std::memset(parsed->acParms, ' ', sizeof parsed->acParms);
    if (P3100_pGetPrepareCommand()(ctx, parsed.get(), extension.get(), &include, g_prepare.buffer11000,
                                   g_prepare.buffer256, g_prepare.queue, g_prepare.keywords, g_prepare.keywordCount,
                                   entry) != 0)
        return 0;
    namespace cp = dqov::cmdparm;
    int32_t at = cp::ElementOffset("INCLUDE", "FUNCTION"), pat = cp::ElementOffset("INCLUDE", "PROCESS");
    std::string function = at < 0 ? "" : Upper(checker::Trim(parsed->acParms + at, 10));
    std::string process = pat < 0 ? "" : Upper(checker::Trim(parsed->acParms + pat, 10));
    if (function.empty() || function.size() > 7)
        return 0;
    if (process == "*DIRECT")
        process = OwningProcess(ctx, function);
    if (process.empty())
        return 0;
    SZOPH_LIST* list = nullptr;
    if (SZOPH_sLoadCommands(process.c_str(), function.c_str(), &list, 0) != 0 || !list)
        return 0;
    std::unique_ptr<SZOPH_LIST, void (*)(SZOPH_LIST*)> owner(list, SZOPH_DropCommands);
    char kind = SZOPH_chListKind(list);
    SZOPH_COMMAND* cmd = nullptr;
    int16_t count = 0;
    auto record = NewSourceRecord();
    while (SZOPH_sGetNextCommand(list, &cmd) == 0) {
        ++sequence;
        ++count;
        PCONTROL_StoreCommandRecord(ctx, include.sLine, cmd->sNumber, sequence, kind, cmd, record.get());
    }
    return count;
}

int32_t CollectLine(const DQOO_SOURCE_LINE* pLine);

uint16_t LoadFunction(FFC_CONTEXT* ctx, uint16_t* pusCount)
{
    SZOPH_LIST* list = g_editorSource;
    std::unique_ptr<SZOPH_LIST, void (*)(SZOPH_LIST*)> owned(nullptr, SZOPH_DropCommands);
    if (!list) {
        std::string process = checker::Trim(ctx->acProcess, 10);
        std::string function = checker::Trim(ctx->acFunction, 7);
        if (SZOPH_sLoadCommands(process.c_str(), function.c_str(), &list, 0) != 0 || !list)
            return 1;
        owned.reset(list);
    }
    SZOPH_ResetCommandList(list);
    char kind = SZOPH_chListKind(list);
    SZOPH_COMMAND* cmd = nullptr;
    int16_t sequence = 0;
    auto record = NewSourceRecord();
    while (SZOPH_sGetNextCommand(list, &cmd) == 0) {
        ++sequence;
        // a list loaded here holds its texts as composed; the editor's may
        // have been changed since
        if (!owned)
            SZOPH_UpdateCmdText(cmd, 0, 0, kind);
        PCONTROL_StoreCommandRecord(ctx, cmd->sNumber, 0, sequence, kind, cmd, record.get());
        if (std::memcmp(record->acName, "INCLUDE   ", 10) == 0)
            ExpandInclude(ctx, *record, sequence);
    }
    *pusCount = static_cast<uint16_t>(sequence);
    return 0;
}

// Collector of the component's source lines.
int32_t CollectLine(const DQOO_SOURCE_LINE* pLine)
{
    try {
        g_component.lines.push_back({pLine->ulNumber, pLine->pszLabel ? pLine->pszLabel : "",
                                     pLine->pszName ? pLine->pszName : "",
                                     pLine->pszParameters ? pLine->pszParameters : ""});
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (g_collectContext)
        g_collectContext->ulSourceLineCount = static_cast<uint32_t>(g_component.lines.size());
    return 1;
}

/* The lines of which a later part (a sub-line above 0) was stored in the
 * source store at this address, a bit a line: the records of a source
 * store are stored here alone, so reading the next command asks for the
 * next part of a line only where the line has more than one. */
struct SubLines {
    const FFC_RECORD_STORE* store = nullptr;
    std::vector<uint64_t> lines;
};

SubLines g_subLines;

void NoteStored(const FFC_CONTEXT* ctx, int16_t line, int16_t subLine)
{
    if (g_subLines.store != ctx->pSourceStore)
        g_subLines = {ctx->pSourceStore, {}};
    if (subLine == 0 || line < 0)
        return;
    const size_t word = static_cast<size_t>(line) / 64;
    if (word >= g_subLines.lines.size())
        g_subLines.lines.resize(word + 1, 0);
    g_subLines.lines[word] |= uint64_t{1} << (line % 64);
}

// false when the store holds no later part of the line
bool MayHoldSubLines(const FFC_CONTEXT* ctx, int16_t line)
{
    if (g_subLines.store != ctx->pSourceStore || line < 0)
        return true;
    const size_t word = static_cast<size_t>(line) / 64;
    return word < g_subLines.lines.size() && (g_subLines.lines[word] >> (line % 64) & 1) != 0;
}

}  // namespace

extern "C" {

void P3100_SetEditorSource(SZOPH_LIST* pList)
{
    g_editorSource = pList;
}

uint16_t PCONTROL_sLoadSource(FFC_CONTEXT* pContext, void*, uint16_t* pusCount, const char*, void*, const char*, void*,
                              void*, char* pBuffer11000, char* pBuffer256, const char* pachMsgQueue, void* pKeywordArea,
                              uint16_t usKeywordCount, void*)
{
    *pusCount = 0;
    g_prepare = {pBuffer11000, pBuffer256, pachMsgQueue, pKeywordArea, usKeywordCount};
    if (pContext->lFunctionRun)
        return LoadFunction(pContext, pusCount);
    g_component.lines.clear();
    pContext->ulSourceLineCount = 0;
    pContext->pSourceLines = &g_component;
    g_collectContext = pContext;
    // A compound component (a build-start value) is delivered member by
    // member by the object layer; a single one comes from the object server.
    long rc = 0;
    if (pContext->lBuildStartValue != 0) {
        rc = DQOO_FCC_RetrieveCompoundComponentZOPHX(P3100_pGetBuildHandle(), CollectLine);
    } else {
        std::string partition = checker::Trim(pContext->acPartition, 3);
        std::string component = checker::Trim(pContext->acComponent, 10);
        OSRV_COMPONENT_NAME name{partition.c_str(), component.c_str()};
        OSRV_RESTORE_RESULT result{};
        rc = OSRV_lRestoreComponent(P3100_pGetBuildHandle(), &name, &result, CollectLine, nullptr, 0);
    }
    *pusCount = static_cast<uint16_t>(std::min<size_t>(g_component.lines.size(), 65535));
    return static_cast<uint16_t>(rc);
}

void PCONTROL_StoreCommandRecord(FFC_CONTEXT* pContext, int16_t sLine, int16_t sSubLine, int16_t sSequence,
                                 char chListKind, const SZOPH_COMMAND* pCommand, FFC_SOURCE_COMMAND* pRecord)
{
    FFC_SOURCE_COMMAND& r = *pRecord;
    r.sLine = sLine;
    r.sSubLine = sSubLine;
    r.sSequence = sSequence;
    r.lPreSplit = 1;
    r.lBuiltIn = r.lObjectLayerParse = r.lWrittenLength = r.lSpare = 0;
    checker::Pad(r.acLabelWritten, 3, pCommand->szLabel);
    for (size_t i = 0; i < 3; ++i)
        r.acLabel[i] = checker::UpperChar(r.acLabelWritten[i]);
    r.usCommandCode = pCommand->usCode;
    // the name as written (trimmed), and in capitals
    const std::string_view written = checker::TrimmedView(pCommand->szName, std::strlen(pCommand->szName));
    char upper[sizeof pCommand->szName];
    for (size_t i = 0; i < written.size(); ++i)
        upper[i] = checker::UpperChar(written[i]);
    const std::string_view name(upper, written.size());
    if (r.usCommandCode > 0 && r.usCommandCode < FFC_COMMAND_COUNT)
        std::memcpy(r.acName, P3100_pCommandName(r.usCommandCode), 10);
    else
        checker::Pad(r.acName, 10, name);
    if (pContext->lComponentExpressions) {
        char builtIn[10];
        r.lBuiltIn = P31O2_fGetCommandName(r.usCommandCode, builtIn);
        if (r.lBuiltIn) {
            std::memcpy(r.acName, builtIn, 10);
            pContext->lZophxUsed = 1;
        }
    }
    if (!r.lBuiltIn)
        r.lObjectLayerParse = P31O2_fIsIncludeCommand(r.acName);
    std::string_view parms =
        pCommand->pszParms ? std::string_view(pCommand->pszParms, pCommand->ulParmsLength) : std::string_view();
    bool split = !pContext->lLanguageLevelTwo && chListKind != 'Z' && chListKind != '1' && !r.lObjectLayerParse;
    if (split) {
        std::memcpy(r.acNameWritten, r.acName, 10);
        SetText(r, parms);
    } else {
        checker::Pad(r.acNameWritten, 10, written);
        SetText(r,
                pCommand->pszText ? std::string_view(pCommand->pszText, pCommand->ulTextLength) : std::string_view());
        r.lPreSplit = 0;
    }
    if (Blank(name) && Blank(parms)) {
        std::memcpy(r.acName, FFC_BLANK_COMMAND, 10);
        std::memcpy(r.acNameWritten, FFC_BLANK_COMMAND, 10);
    }
    NoteStored(pContext, r.sLine, r.sSubLine);
    RS_PutSourceRecord(pContext, &r, TextEnd(r));
}

}  // extern "C"

namespace {

// What a stored command's name tells: whether it is a built-in command (and
// its code), or else the object layer's INCLUDE. Both passes read every
// command and a function names few commands many times: the answer for a
// name is kept in a slot per name hash.
struct NameKind {
    char name[10];
    bool set = false;
    int32_t builtIn = 0;
    uint16_t code = 0;
    int32_t include = 0;
};

const NameKind& KindOfName(const char* name)
{
    static std::array<NameKind, 64> known;
    NameKind& k = known[dqov::text::NameFieldHash(name) >> 58];
    if (!k.set || std::memcmp(k.name, name, sizeof k.name) != 0) {
        std::memcpy(k.name, name, sizeof k.name);
        k.code = 0;
        k.builtIn = P31O2_usLookupCommandCode(name, &k.code);
        k.include = k.builtIn ? 0 : P31O2_fIsIncludeCommand(name);
        k.set = true;
    }
    return k;
}

}  // namespace

extern "C" {

char PCONTROL_chReadNextCommand(FFC_CONTEXT* pContext, FFC_SOURCE_COMMAND* pRecord)
{
    FFC_SOURCE_COMMAND& r = *pRecord;
    r.lBuiltIn = r.lObjectLayerParse = r.lSpare = 0;
    if (pContext->lFunctionRun) {
        int16_t line = r.sLine;
        int16_t sub = r.sSubLine;
        uint16_t oldLength = r.usParmLength;
        r.sSubLine = static_cast<int16_t>(sub + 1);
        if ((sub >= 0 && !MayHoldSubLines(pContext, line)) || RS_fFindSourceRecord(pContext, &r, sizeof r) != 0) {
            r.sLine = static_cast<int16_t>(line + 1);
            r.sSubLine = 0;
            if (RS_fFindSourceRecord(pContext, &r, sizeof r) != 0) {
                r.sLine = line;
                r.sSubLine = sub;
                return '1';
            }
        }
        BlankPastText(r, oldLength);
        // the stored record keeps the length of a text cut at the area's end
        r.lSpare = 0;
        const NameKind& kind = KindOfName(r.acName);
        r.lBuiltIn = kind.builtIn;
        if (kind.builtIn)
            r.usCommandCode = kind.code;
        r.lObjectLayerParse = kind.include;
        return '0';
    }
    auto* source = static_cast<ComponentSource*>(pContext->pSourceLines);
    if (!source)
        return '1';
    uint32_t want = static_cast<uint32_t>(r.sLine) + 1;
    // The object layer numbers the lines 1, 2, ... in the order it delivers
    // them, so the wanted line stands at its own place; a list numbered
    // otherwise is searched.
    auto it = want >= 1 && want <= source->lines.size() && source->lines[want - 1].number == want
                  ? source->lines.begin() + (want - 1)
                  : std::find_if(source->lines.begin(), source->lines.end(),
                                 [want](const SourceLine& l) { return l.number == want; });
    if (it == source->lines.end())
        return '1';
    r.sLine = static_cast<int16_t>(want);
    r.sSubLine = 0;
    // The object layer hands the line split into label, name and
    // parameters: the parameter text alone is kept, so the command counts
    // as split (a parse of the parameters as a whole command would take the
    // first keyword for the command's name).
    r.lPreSplit = 1;
    r.lBuiltIn = P31O2_usLookupCommandCode(it->name.c_str(), &r.usCommandCode);
    if (r.lBuiltIn)
        pContext->lZophxUsed = 1;
    checker::Pad(r.acLabelWritten, 3, it->label);
    checker::Pad(r.acLabel, 3, Upper(it->label));
    checker::Pad(r.acNameWritten, 10, it->name);
    checker::Pad(r.acName, 10, Upper(it->name));
    if (!r.lBuiltIn)
        r.lObjectLayerParse = P31O2_fIsIncludeCommand(r.acName);
    SetText(r, it->parameters);
    if (Blank(it->name) && Blank(it->parameters)) {
        std::memcpy(r.acName, FFC_BLANK_COMMAND, 10);
        std::memcpy(r.acNameWritten, FFC_BLANK_COMMAND, 10);
    }
    return '0';
}

}  // extern "C"

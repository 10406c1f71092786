// Source loading: a function's commands from the stored command list, with
// every INCLUDE expanded, or a component's lines from the object layer;
// then the reader that hands them to the passes in line, sub-line order.
#include "checker/checker.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dqov/record_store.h"
#include "platform/dqos/dqos.h"

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
SZOPH_LIST *g_editorSource = nullptr;

std::string Upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void SetText(FFC_SOURCE_COMMAND &r, std::string_view text)
{
    size_t n = std::min<size_t>(text.size(), FFC_SOURCE_TEXT_MAX);
    std::memset(r.acParms, ' ', FFC_SOURCE_TEXT_MAX);
    std::memcpy(r.acParms, text.data(), n);
    r.usParmLength = static_cast<uint16_t>(n);
}

bool Blank(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

// Value of KEYWORD(value) in a parameter text; empty when absent.
std::string KeywordIn(std::string_view text, std::string_view keyword)
{
    std::string upper = Upper(std::string(text));
    size_t at = 0;
    while ((at = upper.find(keyword, at)) != std::string::npos) {
        bool start = at == 0 || upper[at - 1] == ' ';
        size_t open = at + keyword.size();
        if (start && open < upper.size() && upper[open] == '(') {
            size_t close = upper.find(')', open);
            if (close == std::string::npos)
                return {};
            std::string v(text.substr(open + 1, close - open - 1));
            return checker::Trim(v.data(), v.size());
        }
        at = open;
    }
    return {};
}

// Process owning a function of the partition ("*DIRECT" resolution).
std::string OwningProcess(const std::string &function)
{
    SSQL_AREA area;
    std::string partition = checker::Trim(checker::G().partition, 3);
    SSQL_SetLocation("PCONTROL/QV_F23");
    SSQL_DeclareExt(&area, "SELECT X23MOD FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND X23FMT = '%s' ",
                    partition.c_str(), function.c_str());
    SSQL_SQLDA *da = nullptr;
    unsigned short rc = SSQL_sRun(&area, &da, 0);
    std::string process;
    if (rc == SSQL_RC_OK) {
        char *data = SSQL_GetData(da, 1);
        if (data)
            process = checker::Trim(data, std::strlen(data));
        SMEM_FreeMem(data);
    } else if (rc != SSQL_RC_NOROW) {
        SSQL_FreeSqlda(da);
        SMISC_UpdateFatalAbendText("Line %d\nFile %s\n", 2199, "..\\PCONTROL");
        SMISC_Die();
        return {};
    }
    SSQL_FreeSqlda(da);
    return process;
}

// Expands one INCLUDE whose record was just stored; returns the number of
// commands it brought in.
int16_t ExpandInclude(FFC_CONTEXT *ctx, FFC_SOURCE_COMMAND &include, int16_t &sequence)
{
    if (P31O2_sTokenizeCommand(&include) != 0)
        return 0;
    std::string_view parms(include.acParms, include.usParmLength);
    std::string function = Upper(KeywordIn(parms, "FUNCTION"));
    std::string process = Upper(KeywordIn(parms, "PROCESS"));
    if (function.empty() || function.size() > 7 || process.size() > 10)
        return 0;
    if (process == "*DIRECT")
        process = OwningProcess(function);
    if (process.empty())
        return 0;
    SZOPH_LIST *list = nullptr;
    if (SZOPH_sLoadCommands(process.c_str(), function.c_str(), &list, 0) != 0 || !list)
        return 0;
    std::unique_ptr<SZOPH_LIST, void (*)(SZOPH_LIST *)> owner(list, SZOPH_DropCommands);
    char kind = SZOPH_chListKind(list);
    SZOPH_COMMAND *cmd = nullptr;
    int16_t count = 0;
    auto record = std::make_unique<FFC_SOURCE_COMMAND>();
    while (SZOPH_sGetNextCommand(list, &cmd) == 0) {
        ++sequence;
        ++count;
        SZOPH_UpdateCmdText(cmd, 0, 0, kind);
        PCONTROL_StoreCommandRecord(ctx, include.sLine, cmd->sNumber, sequence, kind, cmd, record.get());
    }
    return count;
}

int32_t CollectLine(const DQOO_SOURCE_LINE *pLine);

uint16_t LoadFunction(FFC_CONTEXT *ctx, uint16_t *pusCount)
{
    SZOPH_LIST *list = g_editorSource;
    std::unique_ptr<SZOPH_LIST, void (*)(SZOPH_LIST *)> owned(nullptr, SZOPH_DropCommands);
    if (!list) {
        std::string process = checker::Trim(ctx->acProcess, 10);
        std::string function = checker::Trim(ctx->acFunction, 7);
        if (SZOPH_sLoadCommands(process.c_str(), function.c_str(), &list, 0) != 0 || !list)
            return 1;
        owned.reset(list);
    }
    SZOPH_ResetCommandList(list);
    char kind = SZOPH_chListKind(list);
    SZOPH_COMMAND *cmd = nullptr;
    int16_t sequence = 0;
    auto record = std::make_unique<FFC_SOURCE_COMMAND>();
    while (SZOPH_sGetNextCommand(list, &cmd) == 0) {
        ++sequence;
        SZOPH_UpdateCmdText(cmd, 0, 0, kind);
        PCONTROL_StoreCommandRecord(ctx, cmd->sNumber, 0, sequence, kind, cmd, record.get());
        if (std::memcmp(record->acName, "INCLUDE   ", 10) == 0)
            ExpandInclude(ctx, *record, sequence);
    }
    *pusCount = static_cast<uint16_t>(sequence);
    return 0;
}

// Collector of the component's source lines.
int32_t CollectLine(const DQOO_SOURCE_LINE *pLine)
{
    try {
        g_component.lines.push_back({pLine->ulNumber, pLine->pszLabel ? pLine->pszLabel : "",
                                     pLine->pszName ? pLine->pszName : "",
                                     pLine->pszParameters ? pLine->pszParameters : ""});
    } catch (const std::bad_alloc &) {
        return 0;
    }
    FFC_CONTEXT *ctx = checker::G().ctx;
    if (ctx)
        ctx->ulSourceLineCount = static_cast<uint32_t>(g_component.lines.size());
    return 1;
}

} // namespace

extern "C" {

void P3100_SetEditorSource(SZOPH_LIST *pList)
{
    g_editorSource = pList;
}

uint16_t PCONTROL_sLoadSource(FFC_CONTEXT *pContext, void *, uint16_t *pusCount, const char *, void *,
                              const char *, void *, void *, char *, char *, const char *, void *, uint16_t,
                              void *)
{
    *pusCount = 0;
    if (pContext->lFunctionRun)
        return LoadFunction(pContext, pusCount);
    g_component.lines.clear();
    pContext->ulSourceLineCount = 0;
    pContext->pSourceLines = &g_component;
    long rc = DQOO_FCC_RetrieveCompoundComponentZOPHX(P3100_pGetBuildHandle(), CollectLine);
    *pusCount = static_cast<uint16_t>(std::min<size_t>(g_component.lines.size(), 65535));
    return static_cast<uint16_t>(rc);
}

void PCONTROL_StoreCommandRecord(FFC_CONTEXT *pContext, int16_t sLine, int16_t sSubLine, int16_t sSequence,
                                 char chListKind, const SZOPH_COMMAND *pCommand, FFC_SOURCE_COMMAND *pRecord)
{
    FFC_SOURCE_COMMAND &r = *pRecord;
    r.sLine = sLine;
    r.sSubLine = sSubLine;
    r.sSequence = sSequence;
    r.sFiller = 0;
    r.lPreSplit = 1;
    r.lBuiltIn = r.lObjectParse = r.lTokenWord1 = r.lTokenWord2 = 0;
    checker::Pad(r.acLabelWritten, 3, pCommand->szLabel);
    checker::Pad(r.acLabel, 3, Upper(pCommand->szLabel));
    r.usCode = pCommand->usCode;
    std::string name = Upper(checker::Trim(pCommand->szName, std::strlen(pCommand->szName)));
    if (r.usCode > 0 && r.usCode < FFC_COMMAND_COUNT)
        std::memcpy(r.acName, P3100_pCommandName(r.usCode), 10);
    else
        checker::Pad(r.acName, 10, name);
    if (pContext->lComponentExpressions) {
        char builtIn[10];
        r.lBuiltIn = P31O2_fGetCommandName(r.usCode, builtIn);
        if (r.lBuiltIn) {
            std::memcpy(r.acName, builtIn, 10);
            pContext->lZophxUsed = 1;
        }
    }
    if (!r.lBuiltIn)
        r.lObjectParse = P31O2_fIsIncludeCommand(r.acName);
    std::string parms = pCommand->pszParms ? pCommand->pszParms : "";
    bool split = !pContext->lLanguageLevelTwo && chListKind != 'Z' && chListKind != '1' && !r.lObjectParse;
    if (split) {
        std::memcpy(r.acNameWritten, r.acName, 10);
        SetText(r, parms);
    } else {
        checker::Pad(r.acNameWritten, 10, checker::Trim(pCommand->szName, std::strlen(pCommand->szName)));
        std::string text = pCommand->pszText ? pCommand->pszText : "";
        SetText(r, text);
        r.lPreSplit = 0;
    }
    if (Blank(name) && Blank(parms)) {
        std::memcpy(r.acName, FFC_BLANK_COMMAND, 10);
        std::memcpy(r.acNameWritten, FFC_BLANK_COMMAND, 10);
    }
    RS_PutSourceRecord(pContext, &r, sizeof r);
}

char PCONTROL_chReadNextCommand(FFC_CONTEXT *pContext, FFC_SOURCE_COMMAND *pRecord)
{
    FFC_SOURCE_COMMAND &r = *pRecord;
    r.lBuiltIn = r.lObjectParse = r.lTokenWord1 = r.lTokenWord2 = 0;
    if (pContext->lFunctionRun) {
        int16_t line = r.sLine;
        int16_t sub = r.sSubLine;
        r.sSubLine = static_cast<int16_t>(sub + 1);
        if (RS_fFindSourceRecord(pContext, &r, sizeof r) != 0) {
            r.sLine = static_cast<int16_t>(line + 1);
            r.sSubLine = 0;
            if (RS_fFindSourceRecord(pContext, &r, sizeof r) != 0) {
                r.sLine = line;
                r.sSubLine = sub;
                return '1';
            }
        }
        r.lBuiltIn = r.lObjectParse = r.lTokenWord1 = r.lTokenWord2 = 0;
        r.lBuiltIn = P31O2_usLookupCommandCode(r.acName, &r.usCode);
        if (!r.lBuiltIn)
            r.lObjectParse = P31O2_fIsIncludeCommand(r.acName);
        return '0';
    }
    auto *source = static_cast<ComponentSource *>(pContext->pSourceLines);
    if (!source)
        return '1';
    uint32_t want = static_cast<uint32_t>(r.sLine) + 1;
    auto it = std::find_if(source->lines.begin(), source->lines.end(),
                           [want](const SourceLine &l) { return l.number == want; });
    if (it == source->lines.end())
        return '1';
    r.sLine = static_cast<int16_t>(want);
    r.sSubLine = 0;
    r.lPreSplit = 0;
    r.lBuiltIn = P31O2_usLookupCommandCode(it->name.c_str(), &r.usCode);
    if (r.lBuiltIn)
        pContext->lZophxUsed = 1;
    checker::Pad(r.acLabelWritten, 3, it->label);
    checker::Pad(r.acLabel, 3, Upper(it->label));
    checker::Pad(r.acNameWritten, 10, it->name);
    checker::Pad(r.acName, 10, Upper(it->name));
    if (!r.lBuiltIn)
        r.lObjectParse = P31O2_fIsIncludeCommand(r.acName);
    SetText(r, it->parameters);
    if (Blank(it->name) && Blank(it->parameters)) {
        std::memcpy(r.acName, FFC_BLANK_COMMAND, 10);
        std::memcpy(r.acNameWritten, FFC_BLANK_COMMAND, 10);
    }
    return '0';
}

} // extern "C"

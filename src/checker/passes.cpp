// Pass 1 and pass 2 over the loaded source, and the checks that need the
// whole program after pass 2.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/lists.h"
#include "checker/usage.h"
#include "params/cmdparm.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"

using namespace checker;

namespace {

constexpr const char* kDesignOnlyCommands[] = {"GROUP_BY", "RENAME",   "DEFINE",     "DEF_ARRAY", "OVERRIDE",
                                               "REQUEST",  "DISPLAY",  "POP_UP",     "DEF_LIST",  "DEF_REPORT",
                                               "DEF_HEAD", "DEF_FOOT", "DEF_LINE",   "DEF_BREAK", "PRINT",
                                               "DEF_COND", "FUNCTION", "SUBROUTINE", "ENDROUTINE"};

void Show(std::string_view text)
{
    P31O2_ShowStatusText(text.data(), static_cast<int16_t>(text.size()));
}

int32_t Limit()
{
    return IsComponentRun() || G().ctx->lLanguageLevelTwo ? 32767 : 5000;
}

void ShowTotal()
{
    char text[80];
    std::snprintf(text, sizeof text, "Pass: %ld Total commands checked: %ld", static_cast<long>(Pass()),
                  static_cast<long>(G().source.sLine));
    Show(text);
}

void IssueLimit()
{
    char text[128];
    std::snprintf(text, sizeof text, FFC_LITERAL_FORMATS[FFC_FMT_TOO_MANY_LINES], static_cast<long>(Limit()));
    P3100_IssueTextMessage(text);
}

// Blanks the parameter area of a command that this module's preparer does
// not fill: that preparer blanks the whole area itself.
void BlankParameters(FFC_PARSED_COMMAND& p)
{
    std::memset(p.acParms, ' ', sizeof p.acParms);
    if (&p == &G().parsed)
        G().parmsBlankFrom = 0;
}

// Fills the check state for the current command.
void FillState()
{
    Globals& g = G();
    FFC_CHECK_STATE& st = *g.state;
    std::memcpy(st.acLabel, g.source.acLabel, 3);
    std::memcpy(st.acCommand, g.source.acName, 10);
    st.lLine = g.source.sLine;
    st.lLineWord = g.source.sSubLine;
    st.lLineNumber = g.source.sLine;
    st.lSequence = g.source.sSequence;
    if (g.source.sSubLine == 0)
        std::memset(g.subReference, ' ', sizeof g.subReference);
    g.commandFatal = 0;
    g.commandWarnings = 0;
}

// Parses the current command by the route its marks choose: a component
// command is its handler's to parse, an INCLUDE the object layer's, every
// other command the command parser's. False when the parse failed.
bool Parse()
{
    Globals& g = G();
    // A text longer than the record holds was cut at its end: what lies
    // past it (keywords, labels, the end of a literal) would be neither
    // checked nor generated, so the command is refused with its length.
    if (g.source.lWrittenLength > static_cast<int32_t>(FFC_SOURCE_TEXT_MAX)) {
        Issue(Msg::CommandTooLong, dqov::text::Fixed(std::to_string(g.source.lWrittenLength), 7));
        return false;
    }
    // Every parse route reads the command as a terminated text, which a
    // NUL byte would cut short: such a command is refused as it stands.
    const size_t length = std::min<size_t>(g.source.usParmLength, FFC_SOURCE_TEXT_MAX);
    if (const void* nul = std::memchr(g.source.acParameters, '\0', length)) {
        int32_t column = static_cast<int32_t>(static_cast<const char*>(nul) - g.source.acParameters) + 1;
        char digits[7];
        FIX_LongToDigits(&column, 7, digits);
        Issue(Msg::NulInParameters, std::string_view(digits, 7));
        return false;
    }
    if (g.source.lBuiltIn)
        return true;
    if (g.source.lObjectLayerParse)
        return P3100_sParseIncludeCommand() == 0;
    uint16_t errors = 0;
    P31O2_sParseCommandText(g.ctx, &g.source, P3100_ParseMessageCallback, g.ctx->lParserOption1, g.ctx->lParserOption2,
                            &errors);
    return errors == 0;
}

// The bytes of a parsed command before its parameter area: its numbers,
// name, label, references and the checker's marks.
constexpr size_t kCommandHead = offsetof(FFC_PARSED_COMMAND, acParms);

// Stores the parsed command (and its extension); true when the command
// store holds it as it stands. storedHead, when given, is the head of the
// command as the store holds it, for a command whose parameter area
// nothing wrote to since it was read: while its head (the marks set here
// included) is still that, the store holds it already.
bool StoreCommand(const char* storedHead = nullptr)
{
    Globals& g = G();
    std::memcpy(FFC_CommandStatus(g.parsed), g.commandFatal ? "FTL" : "OK ", 3);
    if (storedHead && FFC_ExtensionSwitch(g.parsed) != 'Y' && std::memcmp(storedHead, &g.parsed, kCommandHead) == 0)
        return true;
    bool stored = RS_PutCommandRecord(g.ctx, &g.parsed, sizeof g.parsed) == 0;
    if (FFC_ExtensionSwitch(g.parsed) == 'Y') {
        g.extension.sLine = g.parsed.sLine;
        g.extension.sSubLine = g.parsed.sSubLine;
        RS_PutCommandExtension(g.ctx, &g.extension, sizeof g.extension);
    }
    return stored;
}

// The stored command that the parsed-command buffer holds as it is stored
// (found and left alone, or stored back): the next command's record is
// copied over it, the blank tail both share left as it is.
struct HeldCommand {
    bool held = false;
    int16_t line = 0;
    int16_t subLine = 0;

    void Hold(const FFC_PARSED_COMMAND& p)
    {
        held = true;
        line = p.sLine;
        subLine = p.sSubLine;
    }
    // Reads the command record with the numbers in p into p (the numbers
    // set there for it are the new record's own, as its copy writes them).
    bool Find(FFC_PARSED_COMMAND& p)
    {
        FFC_CONTEXT* ctx = G().ctx;
        bool found = (held ? RS_fFindCommandRecordOver(ctx, &p, sizeof p, line, subLine)
                           : RS_fFindCommandRecord(ctx, &p, sizeof p)) == 0;
        held = false;
        if (found)
            Hold(p);
        return found;
    }
};

void StartPass()
{
    Globals& g = G();
    g.ctx->ulLabelNumber = P31O2_ResetLabelNumbers();
    FIX_FillHighValues(g.previousName, 10);
    g.source.sLine = 0;
    g.source.sSubLine = 0;
    g.source.sSequence = 0;
    g.readerSequence = 0;
    g.commandCount = 0;
    Pad(g.currentRoutine, sizeof g.currentRoutine, "*MAIN");
    g.routineDepth = 0;
    g.inComponentBlock = false;
}

// Reads the next command of a pass: false at the end of the list, or when
// the command limit is passed (overLimit is then set).
bool NextPassCommand(bool& overLimit)
{
    Globals& g = G();
    if (P3100_fNextCommand() != '0')
        return false;
    P9006_sEmptyMessageQueue(g.ctx, g.msgQueue);
    if (++g.commandCount > Limit()) {
        overLimit = true;
        return false;
    }
    P3100_ShowProgress(0);
    return true;
}

// The open CASE blocks of pass 2: a CASE opens one (its operand accepted
// once its check says so, so a CASE that failed in pass 1 leaves its WHEN
// commands unchecked), an ENDCASE closes the innermost.
void TrackCaseLevels()
{
    Globals& g = G();
    if (std::memcmp(g.source.acName, "CASE      ", 10) == 0)
        g.caseLevels.emplace_back(Parm("OF_FIELD"), false);
    else if (std::memcmp(g.source.acName, "ENDCASE   ", 10) == 0 && !g.caseLevels.empty())
        g.caseLevels.pop_back();
}

}  // namespace

extern "C" {

void P3100_Pass1(void)
{
    Globals& g = G();
    Show("Pass 1 Validation Started               ");
    StartPass();
    g.depth = 0;
    bool overLimit = false;
    int32_t extensionBlankPast = -1; /* entries of g.extension past which it is blank; -1 unknown */
    g.parmsBlankFrom = FFC_PARM_AREA_SIZE; /* as the run left the area */
    while (NextPassCommand(overLimit)) {
        FFC_PARSED_COMMAND& p = g.parsed;
        // zeros before the parameter area and past it (the record's
        // padding); the area itself is blanked by the preparer, or below
        // for a command that is not prepared
        constexpr size_t kParms = offsetof(FFC_PARSED_COMMAND, acParms);
        constexpr size_t kParmsEnd = kParms + sizeof p.acParms;
        std::memset(&p, 0, kParms);
        std::memset(reinterpret_cast<char*>(&p) + kParmsEnd, 0, sizeof p - kParmsEnd);
        p.sLine = g.source.sLine;
        p.sSubLine = g.source.sSubLine;
        p.sSequence = g.source.sSequence;
        p.lDispatchId = -1;
        std::memcpy(p.acLabel, g.source.acLabel, 3);
        std::memcpy(p.acName, g.source.acName, 10);
        std::memset(p.acFiller, ' ', sizeof p.acFiller);
        ++g.checkerCommandCounter;
        FillState();
        FFC_ExtensionSwitch(p) = 'N';
        p.cPrepared = 'N';
        g.currentNumber = 0;
        if (g.source.acName[0] == '*') {
            BlankParameters(p);
            P3100_RecordLabel();
        } else if (!Parse()) {
            BlankParameters(p);
            // The parse finding stands for the command; a known command
            // still opens or closes its structure, so that its partner is
            // not reported as well.
            if (FFC_COMMAND_ENTRY* entry = P3100_pFindCommand(g.source.acName)) {
                g.currentNumber = entry->ulNumber;
                P3100_CheckStructure();
            }
        } else {
            FFC_COMMAND_ENTRY* entry = P3100_pFindCommand(g.source.acName);
            if (!entry) {
                BlankParameters(p);
                P3100_RecordLabel();
                Issue(Msg::CommandUnknown);
            } else {
                g.currentNumber = entry->ulNumber;
                std::memcpy(g.currentFlags, P3100_pCommandFlags(entry->ulNumber), FFC_COMMAND_FLAG_COUNT);
                P3100_CheckStructure();
                uint16_t keywordCount = 0;
                void* keywords = P3100_pKeywordArea(&keywordCount);
                // A component command's parameters are the object layer's to
                // parse (its handler hands the command over): the
                // preparation fills only the command's own slots.
                const FFC_SOURCE_COMMAND* prepared = &g.source;
                std::unique_ptr<FFC_SOURCE_COMMAND> bare;
                if (g.source.lBuiltIn) {
                    bare = std::make_unique<FFC_SOURCE_COMMAND>(g.source);
                    std::memset(bare->acParameters, ' ', FFC_SOURCE_TEXT_MAX);
                    bare->usParmLength = 0;
                    prepared = bare.get();
                }
                const P3100_PREPARE_COMMAND prepare = P3100_pGetPrepareCommand();
                int16_t rc;
                if (prepare != CMDPARM_sPrepareCommand) {
                    BlankParameters(p);
                    rc = prepare(g.ctx, &p, &g.extension, prepared, g.buffer11000.data(), g.buffer256.data(),
                                 g.msgQueue, keywords, keywordCount, entry);
                    extensionBlankPast = -1;
                    NoteParmsWritten(FFC_PARM_AREA_SIZE);
                } else {
                    // the extension is only prepared in pass 1: past the
                    // entries the last preparation counted it is blank
                    // and the parameter area is blank from where this pass
                    // last knew it to be
                    int32_t parmsWrittenPast = FFC_PARM_AREA_SIZE;
                    rc = dqov::cmdparm::PrepareCommand(g.ctx, &p, &g.extension, prepared, g.buffer11000.data(),
                                                       g.msgQueue, keywords, keywordCount, entry, extensionBlankPast,
                                                       g.parmsBlankFrom, &parmsWrittenPast);
                    g.parmsBlankFrom = parmsWrittenPast;
                    extensionBlankPast = std::clamp<int32_t>(g.extension.lEntries, 0, FFC_EXTENSION_ENTRIES);
                }
                if (g.extension.lEntries > 0)
                    FFC_ExtensionSwitch(p) = 'Y';
                if (rc != 0) {
                    Issue(Msg::CommandParametersNotValid, std::string_view(P3100_pCommandName(entry->ulNumber), 10));
                    P3100_ReplayQueuedMessages();
                } else {
                    P3100_DispatchCommand(entry);
                    RecordKeywordUses();
                }
            }
        }
        p.sLine = static_cast<int16_t>(g.state->lLine);
        p.sSubLine = static_cast<int16_t>(g.state->lLineWord);
        p.sSequence = IsComponentRun() ? g.source.sLine : g.source.sSequence;
        FFC_SetLabelNumber(p, g.ctx->ulLabelNumber);
        std::memcpy(p.acLabel, g.source.acLabel, 3);
        std::memcpy(p.acName, g.source.acName, 10);
        StoreCommand();
        std::memcpy(g.previousName, g.source.acName, 10);
    }
    ShowTotal();
    if (overLimit)
        IssueLimit();
    CompleteArrayElementUses();
    // The run's standard fields belong to no command.
    g.state->lLine = -1;
    std::memset(g.state->acCommand, ' ', 10);
    if (g.messageTextUsed == 'Y' && (g.ctx->cOption == 'G' || IsComponentRun())) {
        char name[10];
        Pad(name, 10, std::string("IO") + g.ctx->cNatChar3 + "MSGTXT");
        P3100_RecordFieldUsage(-1, name, "FL");
    }
    char mde[10];
    Pad(mde, 10, std::string("IO") + g.ctx->cNatChar3 + "MDE");
    P3100_RecordFieldUsage(-1, mde, "FL");
    // Structures still open are reported when the source was read to its
    // end: past the limit their closers were not read.
    for (int i = 1; !overLimit && i <= g.depth && i <= kStackLimit; ++i) {
        const StackLevel& level = g.stack[i];
        g.state->lLine = level.line;
        g.state->lLineWord = level.subLine;
        std::memcpy(g.state->acCommand, level.name, 10);
        std::memset(g.state->acLabel, ' ', 3);
        FFC_COMMAND_ENTRY* entry = P3100_pFindCommand(level.name);
        const char* partner = entry ? P3100_pStructurePartner(entry->ulNumber) : "          ";
        Issue(Msg::StructureNotClosed, std::string(partner, 10) + std::string(level.name, 10));
        g.parsed.sLine = level.line;
        g.parsed.sSubLine = level.subLine;
        if (RS_fFindCommandRecord(g.ctx, &g.parsed, sizeof g.parsed) == 0) {
            std::memcpy(FFC_CommandStatus(g.parsed), "FTL", 3);
            RS_PutCommandRecord(g.ctx, &g.parsed, sizeof g.parsed);
        }
    }
    g.depth = 0;
    if (!g.labelReferences.empty() && g.firstLabelKnown)
        for (std::string& ref : g.labelReferences)
            if (ref == "*FIRST    ")
                ref = g.firstLabel + std::string(10 - g.firstLabel.size(), ' ');
    for (int i = 0; i < 9; ++i) {
        if (g.reports[i].cState == 'N')
            continue;
        g.state->lLine = g.reportLine[i];
        std::memcpy(g.state->acCommand, g.reportCommand[i], 10);
        P3100_RecordFieldUsage(3, g.reports[i].acPageField, "FL");
    }
}

void P3100_Pass2(void)
{
    Globals& g = G();
    g.caseLevels.clear();
    Show("Pass 2 Validation Started               ");
    g.state->stats.lWarningsLater = 0;
    g.state->stats.lFatalLater = 0;
    g.prc0324 = 'N';
    StartPass();
    bool overLimit = false;
    HeldCommand held;
    // whether the extension is blank as this pass left it: in this pass
    // only the stored extensions found below are read into it
    bool extensionBlank = false;
    while (NextPassCommand(overLimit)) {
        if (g.source.acName[0] == '*') {
            std::memcpy(g.previousName, g.source.acName, 10);
            continue;
        }
        FillState();
        FFC_PARSED_COMMAND& p = g.parsed;
        p.sLine = g.source.sLine;
        p.sSubLine = g.source.sSubLine;
        g.extension.sLine = g.source.sLine;
        g.extension.sSubLine = g.source.sSubLine;
        if (!held.Find(p)) {
            std::memcpy(g.previousName, g.source.acName, 10);
            continue;
        }
        char storedHead[kCommandHead];
        std::memcpy(storedHead, &p, kCommandHead);
        // A command without keyword data of its own has none: what the
        // previous command left in the extension is not its.
        if (FFC_ExtensionSwitch(p) != 'Y' || RS_fFindCommandExtension(g.ctx, &g.extension, sizeof g.extension) != 0) {
            if (!extensionBlank) {
                g.extension.lEntries = 0;
                std::memset(g.extension.acAttributes, ' ', sizeof g.extension.acAttributes);
                extensionBlank = true;
            }
        } else {
            extensionBlank = false;
        }
        TrackCaseLevels();
        bool routine =
            std::memcmp(g.source.acName, "SUBROUTINE", 10) == 0 || std::memcmp(g.source.acName, "ENDROUTINE", 10) == 0;
        if (!g.source.lBuiltIn && !g.source.lObjectLayerParse && FFC_CommandStatus(p)[0] == 'F' && !routine) {
            std::memcpy(g.previousName, g.source.acName, 10);
            continue;
        }
        held.held = false;
        if (Parse()) {
            // whether a check ran that may have written to the command
            bool checked = false;
            FFC_COMMAND_ENTRY* entry = P3100_pFindCommand(g.source.acName);
            if (entry) {
                g.currentNumber = entry->ulNumber;
                std::memcpy(g.currentFlags, P3100_pCommandFlags(entry->ulNumber), FFC_COMMAND_FLAG_COUNT);
                if (p.cPrepared == 'Y') {
                    P3100_DispatchCommand(entry);
                    checked = !P3100_fCheckDoesNothing(entry->ulNumber);
                }
            }
            if (g.switchWebEvent == 'Y' && g.screenCommands > 0 && std::memcmp(g.currentRoutine, "*MAIN", 5) == 0 &&
                std::memcmp(g.source.acName, "DISPLAY ", 8) != 0 && std::memcmp(g.source.acName, "REQUEST ", 8) != 0 &&
                std::memcmp(g.source.acName, "POP_UP  ", 8) != 0 && std::memcmp(g.source.acName, "ENDROUTI", 8) != 0)
                g.prc0324 = 'Y';
            FFC_SetLabelNumber(p, g.ctx->ulLabelNumber);
            // a command no check wrote to is stored again only when its
            // marks changed
            if (StoreCommand(checked ? nullptr : storedHead))
                held.Hold(p);
        }
        std::memcpy(g.previousName, g.source.acName, 10);
    }
    ShowTotal();
    // A source over the limit was reported once, by pass 1.
    std::memset(g.state->acCommand, ' ', 10);
    g.state->lLine = -1;
    g.state->lLineWord = 0;
    if (g.prc0324 == 'Y')
        Issue(Msg::WebEventMainCommand);

    FFC_WORK_RECORD& r = g.record;
    BlankRecord(r, WR_GROUPNAM);
    for (char rc = WF_cReadFirst(g.ctx, 1, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 1, &r, 1)) {
        const auto* data = reinterpret_cast<const WR_GROUPNAM_DATA*>(r.acData);
        if (WR_GroupUseCount(data) != 0)
            continue;
        if (std::memcmp(data->acOrigin, "DEF", 3) == 0)
            Issue(Msg::GroupDefinedNeverUsed, std::string_view(r.acName, 10));
        else if (std::memcmp(data->acOrigin, "LIN", 3) == 0)
            Issue(Msg::LineGroupNeverUsed, std::string_view(r.acName, 10));
    }
    for (int i = 0; i < 9; ++i) {
        const WR_DRINF_DATA& d = g.reports[i];
        if (d.cState == 'Y')
            Issue(Msg::ReportHasNoDefinition, std::string_view(d.acNumber + 3, 1));
        if (d.cState != 'P')
            continue;
        // The print file is named where the report is first used.
        g.state->lLine = g.reportLine[i];
        std::memcpy(g.state->acCommand, g.reportCommand[i], 10);
        P3100_CheckExternalObject(d.acPrintFile, d.acLibrary);
        g.state->lLine = -1;
        std::memset(g.state->acCommand, ' ', 10);
    }
    if (IsComponentRun())
        if (const BOM_DESCRIPTION_NODE* description = P3100_pComponentDescription())
            P3100_WalkComponentDescription(description, 0, 0);

    ObtainFieldDefaultValueRoutines();
    P3100_EnumerateComponentInformation();
    P3100_CheckFinalFields();
    P3100_CheckFileUsage();
    P3100_CheckFieldUsage();
    P3100_DefineUserBuiltInFunction();
    P3100_CheckDeferredFieldReferences();
    P3100_CheckListColumnSources();
    // A trigger function hands the record's values over in its working list
    // TRIG_LIST; without that list the trigger information has nowhere to go.
    ListDefinition triggerList;
    if ((g.sysFlags[SF_TRIGGER_FIELD] == 'Y' || g.sysFlags[SF_TRIGGER_OTHER] == 'Y') &&
        !FindList("TRIG_LIST", triggerList))
        Issue(Msg::ListNotDefined, "TRIG_LIST");

    bool generating = g.ctx->cOption == 'G' || IsComponentRun();
    if (generating && g.switchDirect != 'Y') {
        if (P3100_lCountParameters() > 0)
            P3100_IssueServicesMessage('F', 750);
        else
            Issue(Msg::DirectNeeded, " ");
    } else if (IsFunctionRun() && g.ctx->lExtendedLanguage && g.switchDirect != 'Y') {
        P3100_IssueServicesMessage('F', 884);
    }
    // Every command of the function is prepared: what the preparations kept
    // is not read again while the function is generated.
    dqov::cmdparm::ForgetPreparations();
}

int16_t P3100_sParseIncludeCommand(void)
{
    Globals& g = G();
    // A split command is put together again as "LBL: NAME parameters"; one
    // that is not split holds that whole text, its label included.
    std::string text;
    if (g.source.lPreSplit) {
        std::string label = Trim(g.source.acLabelWritten, 3);
        if (!label.empty())
            text = label + ": ";
        text += Trim(g.source.acNameWritten, 10) + " ";
    }
    text.append(g.source.acParameters, g.source.usParmLength);
    auto result = std::make_unique<DQOO_PARSED_COMMAND>();
    long rc = DQOO_FCC_ParseZOPH2(P3100_pGetBuildHandle(), text.c_str(), result.get());
    if (rc != 0) {
        P3100_ParseMessageCallback(result->szErrorText, static_cast<uint32_t>(std::strlen(result->szErrorText)));
        return 1;
    }
    std::memset(g.source.acParameters, ' ', FFC_SOURCE_TEXT_MAX);
    size_t n = std::min<size_t>(result->ulParmLength, FFC_SOURCE_TEXT_MAX);
    std::memcpy(g.source.acParameters, result->achParameters, n);
    g.source.usParmLength = static_cast<uint16_t>(n);
    g.source.lPreSplit = 1;
    return 0;
}

char P3100_fNextCommand(void)
{
    Globals& g = G();
    for (;;) {
        g.readerFlag = PCONTROL_chReadNextCommand(g.ctx, &g.source);
        ++g.readerSequence;
        if (g.readerFlag != '0' || !DesignOnlyScope())
            return g.readerFlag;
        for (const char* name : kDesignOnlyCommands) {
            char padded[10];
            Pad(padded, 10, name);
            if (std::memcmp(padded, g.source.acName, 10) == 0)
                return g.readerFlag;
        }
    }
}

void P3100_ShowProgress(int32_t)
{
    Globals& g = G();
    char text[120];
    if (FFC_from_EDITOR()) {
        std::snprintf(text, sizeof text, "Pass: %ld Line: %ld Checking command: %s ", static_cast<long>(Pass()),
                      static_cast<long>(g.source.sLine), Trim(g.source.acName, 10).c_str());
        Show(text);
        return;
    }
    if (g.source.sLine == 1 || g.source.sLine % 100 == 0) {
        if (g.source.sSubLine != 0)
            return;
        std::snprintf(text, sizeof text, "Pass: %ld Total commands checked: %ld", static_cast<long>(Pass()),
                      static_cast<long>(g.source.sLine));
        Show(text);
    }
}

void P3100_RecordFieldUsage(int32_t, const char* pachName, const char* pachKind)
{
    if (!G().ctx)
        return;
    // The use is kept under the name as given; the field it names is
    // looked up without the national name character (the report page
    // fields "#REPnPAGE" carry it).
    std::string name = Trim(pachName, 10);
    std::string field = FieldOf(name);
    RecordFieldUse(name, field.empty() ? name : field, pachKind);
}

int32_t P3100_lCountParameters(void)
{
    if (IsComponentRun())
        return 0;
    uint32_t count =
        CountRows("DC_P3100/SQL032", "SELECT COUNT(*) FROM QV_DTA.QV_F32 WHERE X32P_I = '%s' AND X32MOD = '%s' ",
                  G().processName);
    return static_cast<int32_t>(count);
}

}  // extern "C"

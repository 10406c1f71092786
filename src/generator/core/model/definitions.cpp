/*
** definitions.cpp: loads the generation definitions from the checker's work
** records and from the repository.
*/
#include "generator/core/model/definitions.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

std::string fixedText(const char* p, size_t n)
{
    return P3109_TrimRight(std::string_view(p, n));
}

void showStatus(const char* text)
{
    if (FFC_from_EDITOR())
        P31O2_ShowStatusText(text, 40);
}

void setKind(FFC_CONTEXT* ctx, FFC_WORK_RECORD& r, const char* kind)
{
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, kind, std::min<size_t>(std::strlen(kind), FFC_WORK_KIND_LEN));
}

bool recordExists(FFC_CONTEXT* ctx, const char* kind)
{
    FFC_WORK_RECORD r;
    setKind(ctx, r, kind);
    return WF_cReadFirst(ctx, 0, &r, 1) == '0';
}

void limitMessage(const char* what)
{
    P3109_IssueTextMessage('F', std::string("ERROR : ") + what);
}

/* The default value of a built-in function descriptor, adjusted by type. */
std::string adjustDefault(char cType, const std::string& raw)
{
    std::string d = P3109_Padded(raw, 10);
    if (cType == 'A') {
        if (d.compare(0, 6, "*BLANK") == 0)
            return std::string(10, ' ');
        if (d[0] == '\'') {
            size_t end = d.find('\'', 1);
            size_t n = end == std::string::npos ? 9 : std::min<size_t>(end - 1, 9);
            return P3109_Padded(d.substr(1, n), 10);
        }
    }
    if (cType == 'N' && d.compare(0, 5, "*ZERO") == 0)
        return P3109_Padded("0", 10);
    return d;
}

std::string identifierText(int16_t id)
{
    char text[8];
    int magnitude = id < 0 ? -id : id;
    if (id < 0)
        std::snprintf(text, sizeof text, "R%03d", magnitude % 1000);
    else
        std::snprintf(text, sizeof text, "%03d", magnitude % 1000);
    return text;
}

int16_t dataWord(const FFC_WORK_RECORD& r, size_t offset)
{
    int16_t v = 0;
    std::memcpy(&v, r.acData + offset, sizeof v);
    return v;
}

std::vector<GEN_COMPONENT_DEF> loadComponentChain(const char* table, const std::string& partition)
{
    const bool groups = std::strcmp(table, "QV_FGI") == 0;
    std::vector<GEN_COMPONENT_DEF> chain;
    GenSqlCursor c(std::string("DC_P3109/") + table);
    SSQL_AREA* a = c.Begin();
    c.Open(groups ? SSQL_DeclareExt(a, "SELECT XGIGI1, XGIGI2, XGIGSN, XGIGLN FROM QV_DTA.QV_FGI WHERE XGIP_I = '%s'",
                                    partition.c_str())
                  : SSQL_DeclareExt(a, "SELECT XFRFI1, XFRFI2, XFRFSN, XFRFLN FROM QV_DTA.QV_FFR WHERE XFRP_I = '%s'",
                                    partition.c_str()));
    for (;;) {
        int32_t id1 = 0, id2 = 0;
        struct {
            uint16_t len;
            char text[20];
        } shortName{};
        struct {
            uint16_t len;
            char text[256];
        } longName{};
        if (!c.Fetch(SSQL_I32(&id1), SSQL_I32(&id2), SSQL_VARYING(&shortName, 20), SSQL_VARYING(&longName, 256)))
            break;
        GEN_COMPONENT_DEF d;
        d.lId1 = id1;
        d.lId2 = id2;
        d.shortName.assign(shortName.text, std::min<size_t>(shortName.len, 20));
        d.longName.assign(longName.text, std::min<size_t>(longName.len, 40));
        chain.push_back(std::move(d));
    }
    c.Close();
    return chain;
}

}  // namespace

GEN_DEFINITIONS& P3109_Definitions()
{
    static GEN_DEFINITIONS d;
    return d;
}

GEN_PROCESS_DEFINITIONS& P3109_ProcessDefinitions()
{
    static GEN_PROCESS_DEFINITIONS d;
    return d;
}

void P3109_ForgetProcessDefinitions()
{
    P3109_ProcessDefinitions() = GEN_PROCESS_DEFINITIONS{};
}

bool P3109_fSysFlag(size_t ulOffset)
{
    return ulOffset < SYSFLAG_COPY && P3109_pFunctionOptions()[ulOffset] == 'Y';
}

void P3109_LoadSystemFlags(FFC_CONTEXT* ctx)
{
    GEN_DEFINITIONS& d = P3109_Definitions();
    d.sysflags.fill(' ');
    FFC_WORK_RECORD r;
    setKind(ctx, r, "SYSFLAGS");
    if (ctx->pWorkFile && WF_cReadFirst(ctx, 0, &r, 1) == '0')
        std::memcpy(d.sysflags.data(), r.acData, SYSFLAG_COPY);
    d.cBuiltin = P3109_fSysFlag(SYSFLAG_BUILTIN) ? 'Y' : 'N';
    d.cRcvList = d.cRcvDs = 'N';
    if (P3109_fSysFlag(SYSFLAG_FIELD_TRIGGER) || P3109_fSysFlag(SYSFLAG_OTHER_TRIGGER)) {
        d.cTrigger = 'Y';
        return;
    }
    d.cTrigger = 'N';
    if (!ctx->pWorkFile)
        return;
    d.cRcvList = recordExists(ctx, "RCV_LIST") ? 'Y' : 'N';
    d.cRcvDs = recordExists(ctx, "RCV_DS") ? 'Y' : 'N';
}

void P3109_LoadProcessAttributes(FFC_CONTEXT* ctx, const std::string& partition, const std::string& process)
{
    GEN_DEFINITIONS& d = P3109_Definitions();
    if (ctx->lComponentRun) {
        /* a component has no process definition of its own */
        d.processName = process;
        d.x20rcl = "H";
        return;
    }
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SetLocation("DC_P3109/QV_F20/A");
    char p_i[3], mod[10], mus[1], rcl[1];
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    unsigned short rc = SSQL_DeclareExt(area.get(),
                                        "SELECT X20P_I, X20MOD, X20MUS, X20RCL FROM QV_DTA.QV_F20 WHERE X20P_I = '%s' "
                                        "AND X20MOD = '%s'",
                                        partition.c_str(), process.c_str());
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area.get(), &ca, &da, 4, SSQL_FIXED(p_i, 3), SSQL_FIXED(mod, 10), SSQL_FIXED(mus, 1),
                          SSQL_FIXED(rcl, 1));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK)
        P3109_FatalSqlError("DC_P3109/QV_F20/A");
    d.processName = fixedText(mod, 10);
    d.x20rcl = std::string(1, rcl[0]);
}

void P3109_LoadLanguages(const std::string& partition)
{
    GEN_PROCESS_DEFINITIONS& p = P3109_ProcessDefinitions();
    if (p.languagesLoaded && p.languagePartition == partition)
        return;
    showStatus("Loading Language Definitions            ");
    p.languages.clear();
    GenSqlCursor c("DC_P3109/QV_F60");
    SSQL_AREA* a = c.Begin();
    c.Open(SSQL_DeclareExt(a,
                           "SELECT X60PLN, X60DBC, X60RLT, X60KDS, X60KLG, X60PHM, X60PRM, X60PEM, X60CHR, X60DLN "
                           "FROM QV_DTA.QV_F60 WHERE X60P_I = '%s' ORDER BY X60DLN DESC, X60PLN ",
                           partition.c_str()));
    for (;;) {
        char pln[5], dbc[1], rlt[1], kds[300], klg[60], phm[40], prm[40], pem[40], chr[20], dln[1];
        if (!c.Fetch(SSQL_FIXED(pln, 5), SSQL_FIXED(dbc, 1), SSQL_FIXED(rlt, 1), SSQL_FIXED(kds, 300),
                     SSQL_FIXED(klg, 60), SSQL_FIXED(phm, 40), SSQL_FIXED(prm, 40), SSQL_FIXED(pem, 40),
                     SSQL_FIXED(chr, 20), SSQL_FIXED(dln, 1)))
            break;
        if (p.languages.size() == GEN_MAX_LANGUAGES) {
            limitMessage("More than 50 partition languages; the rest are not generated");
            break;
        }
        GEN_LANGUAGE l;
        l.code = fixedText(pln, 4);
        l.cDoubleByte = dbc[0];
        l.cRightToLeft = rlt[0];
        l.cDirection = dbc[0] == 'Y' ? 'D' : (rlt[0] == 'Y' ? 'R' : 'L');
        l.kds = fixedText(kds, 300);
        l.klg = fixedText(klg, 60);
        l.phm = fixedText(phm, 40);
        l.prm = fixedText(prm, 40);
        l.pem = fixedText(pem, 40);
        l.charset = fixedText(chr, 20);
        p.languages.push_back(std::move(l));
    }
    c.Close();
    p.languagesLoaded = true;
    p.languagePartition = partition;
}

void P3109_LoadConditions(FFC_CONTEXT* ctx)
{
    GEN_DEFINITIONS& d = P3109_Definitions();
    d.conditions.clear();
    d.conditions.push_back({"TRUE      ", 0, 'Y'});
    d.conditions.push_back({"FALSE     ", 1, 'Y'});
    if (!ctx->pWorkFile)
        return;
    FFC_WORK_RECORD r;
    setKind(ctx, r, "DEF_COND");
    for (char rc = WF_cReadFirst(ctx, 0, &r, 1); rc == '0'; rc = WF_cReadNext(ctx, 0, &r, 1)) {
        GEN_CONDITION c;
        c.name.assign(r.acName, 10);
        c.sNumber = static_cast<int16_t>(d.conditions.size());
        c.cEvaluate = std::memcmp(r.acData + 36, "*NO", 3) == 0 ? 'N' : 'Y';
        d.conditions.push_back(std::move(c));
    }
}

void P3109_LoadRenameStack(FFC_CONTEXT* ctx)
{
    GEN_DEFINITIONS& d = P3109_Definitions();
    d.renames.clear();
    if (!ctx->pWorkFile)
        return;
    auto dropNational = [ctx](std::string name) {
        if (ctx->cNatChar1 != ' ' && !name.empty() && name[0] == ctx->cNatChar1)
            name = name.substr(1) + " ";
        return name;
    };
    FFC_WORK_RECORD r;
    setKind(ctx, r, "RENAMETO");
    for (char rc = WF_cReadFirst(ctx, 0, &r, 1); rc == '0'; rc = WF_cReadNext(ctx, 0, &r, 1))
        d.renames.push_back({std::string(r.acName, 10), dropNational(std::string(r.acName + 20, 10)),
                             dropNational(std::string(r.acQualifier, 10))});
}

void P3109_LoadBuiltinFunctions()
{
    GEN_PROCESS_DEFINITIONS& p = P3109_ProcessDefinitions();
    if (p.bifPart1Loaded) {
        for (GEN_BIF_DEFINITION& b : p.bifs)
            b.cUsed = 'N';
    } else {
        showStatus("Loading BIF definitions (Part 1)        ");
        GenSqlCursor c("DC_P3109/QV_F47");
        SSQL_AREA* a = c.Begin();
        c.Open(SSQL_DeclareExt(a, "SELECT X47BIF, X47IDN, X47ARG, X47RET, X47SLR, X47DES, X47PGM FROM QV_DTA.QV_F47"));
        for (;;) {
            char bif[20], slr[1], des[40], pgm[10];
            int16_t idn = 0, arg = 0, ret = 0;
            if (!c.Fetch(SSQL_FIXED(bif, 20), SSQL_I16(&idn), SSQL_I16(&arg), SSQL_I16(&ret), SSQL_FIXED(slr, 1),
                         SSQL_FIXED(des, 40), SSQL_FIXED(pgm, 10)))
                break;
            GEN_BIF_DEFINITION b;
            b.name.assign(bif, 20);
            b.sIdentifier = idn;
            /* the implementing program tells how the function runs: a
               ZOPH function, a user's built-in program, a user DLL entry
               or a routine of the run time */
            const std::string program(pgm, 10);
            if (idn < 0)
                b.cKind = 'R';
            else if (program.compare(0, 3, "UD_") == 0 || program.compare(0, 3, "OV_") == 0)
                b.cKind = 'U';
            else if (program == P3109_Padded("DLL", 10))
                b.cKind = 'D';
            else
                b.cKind = 'L';
            b.identifierText = identifierText(idn);
            b.routine = "X_BuiltIn_" + b.identifierText;
            b.description = fixedText(des, 40);
            b.cCall = slr[0] == 'N' ? 'Y' : 'N';
            b.sArgumentCount = arg;
            b.sReturnCount = ret;
            b.program = fixedText(pgm, 8);
            p.bifs.push_back(std::move(b));
        }
        c.Close();
        /* held for the whole job: no room left over from the growing */
        p.bifs.shrink_to_fit();
        p.bifPart1Loaded = true;
    }
    if (p.bifPart2Loaded)
        return;
    showStatus("Loading BIF definitions (Part 2)        ");
    GenSqlCursor c("DC_P3109/QV_F48");
    SSQL_AREA* a = c.Begin();
    c.Open(
        SSQL_DeclareExt(a, "SELECT X48BIF, X48AOR, X48ROO, X48TYP, X48SEQ, X48PLN, X48PDP, X48DFT FROM QV_DTA.QV_F48"));
    for (;;) {
        char bif[20], aor[1], roo[1], typ[1], dft[10];
        int16_t seq = 0, pln = 0, pdp = 0;
        if (!c.Fetch(SSQL_FIXED(bif, 20), SSQL_FIXED(aor, 1), SSQL_FIXED(roo, 1), SSQL_FIXED(typ, 1), SSQL_I16(&seq),
                     SSQL_I16(&pln), SSQL_I16(&pdp), SSQL_FIXED(dft, 10)))
            break;
        if (seq < 1 || seq > static_cast<int16_t>(GEN_BIF_DESCRIPTORS))
            continue;
        std::string name(bif, 20);
        for (GEN_BIF_DEFINITION& b : p.bifs) {
            if (b.name != name)
                continue;
            GEN_BIF_VALUE& v =
                aor[0] == 'A' ? b.arguments[static_cast<size_t>(seq - 1)] : b.returns[static_cast<size_t>(seq - 1)];
            v.cType = typ[0];
            v.sLength = pln;
            v.sDecimals = pdp;
            v.defaultValue = adjustDefault(typ[0], std::string(dft, 10));
            break;
        }
    }
    c.Close();
    p.bifPart2Loaded = true;
}

void P3109_LoadComponentDefinitions(FFC_CONTEXT* ctx, const std::string& partition)
{
    GEN_PROCESS_DEFINITIONS& p = P3109_ProcessDefinitions();
    if (!p.componentsLoaded || p.componentPartition != partition) {
        showStatus("Loading Component Group Definitions     ");
        p.groups = loadComponentChain("QV_FGI", partition);
        showStatus("Loading Component Framework Definitions ");
        p.frameworks = loadComponentChain("QV_FFR", partition);
        p.componentsLoaded = true;
        p.componentPartition = partition;
    }
    GEN_DEFINITIONS& d = P3109_Definitions();
    d.groupUsage.clear();
    if (!ctx->lComponentRun)
        return;
    showStatus("Loading Component Group Usage Details   ");
    std::string component = fixedText(ctx->acComponent, 10);
    GenSqlCursor c("DC_P3109/QV_FCG");
    SSQL_AREA* a = c.Begin();
    c.Open(SSQL_DeclareExt(a, "SELECT XCGGI1, XCGGI2 FROM QV_DTA.QV_FCG WHERE XCGP_I = '%s' AND XCGCID = '%s' ",
                           partition.c_str(), component.c_str()));
    for (;;) {
        int32_t id1 = 0, id2 = 0;
        if (!c.Fetch(SSQL_I32(&id1), SSQL_I32(&id2)))
            break;
        GEN_COMPONENT_GROUP_USE u{id1, id2, "UNKNOWN"};
        for (const GEN_COMPONENT_DEF& g : p.groups)
            if (g.lId1 == id1 && g.lId2 == id2) {
                u.groupName = g.longName;
                break;
            }
        d.groupUsage.push_back(std::move(u));
    }
    c.Close();
    ctx->usComponentGroupCount = static_cast<uint16_t>(d.groupUsage.size());
    ctx->pComponentGroupChain = &d.groupUsage;
    std::string framework = "UNKNOWN";
    for (const GEN_COMPONENT_DEF& f : p.frameworks)
        if (f.lId1 == ctx->lFrameworkId1 && f.lId2 == ctx->lFrameworkId2) {
            framework = f.longName;
            break;
        }
    P3109_CopyBounded(ctx->szFrameworkName, sizeof ctx->szFrameworkName, framework.c_str());
}

namespace {

/* The index symbol of a field named in a $DRINF record, or
** "V_NOT_AVAILABLE" for the special value or a value that is no field. A
** field that the used fields do not hold stops the generation (PRC1194
** with DEF_REPORT and the keyword): the report would lose what the
** keyword asks. The look-up reads through its own cursor slot, so the
** walk over the records goes on. */
std::string reportFieldSymbol(FFC_CONTEXT* ctx, const FFC_WORK_RECORD& r, size_t offset, size_t length,
                              const char* special, const char* keyword)
{
    const size_t available = std::min(length, sizeof r.acData - offset);
    const std::string name = P3109_TrimRight(std::string_view(r.acData + offset, available));
    if (name.empty() || name.compare(0, std::strlen(special), special) == 0)
        return "V_NOT_AVAILABLE";
    const std::string symbol = P3109_UsedFieldSymbol(name, name.size());
    if (symbol == "V_NOT_AVAILABLE" && ctx->cNatChar1 != ' ' && name[0] == ctx->cNatChar1)
        P3109_sIssueMessage(Msg::KeywordValueNotResolved, P3109_Padded("DEF_REPORT", 10) + P3109_Padded(keyword, 10) +
                                                              P3109_Padded(name, GEN_OPERAND_NAME_WIDTH));
    return symbol;
}

}  // namespace

void P3109_LoadReportSlots(FFC_CONTEXT* ctx)
{
    GEN_DEFINITIONS& d = P3109_Definitions();
    for (size_t i = 0; i < GEN_REPORT_SLOTS; ++i) {
        GEN_REPORT_SLOT s;
        s.sNumber = static_cast<int16_t>(i + 1);
        s.cKind = 'N';
        s.returnFields.fill("V_NOT_AVAILABLE");
        s.fileFields.fill("V_NOT_AVAILABLE");
        s.field165 = "V_NOT_AVAILABLE";
        d.reports[i] = std::move(s);
    }
    d.sCurrentReport = 1;
    if (!ctx->pWorkFile)
        return;
    FFC_WORK_RECORD r;
    setKind(ctx, r, "$DRINF");
    size_t slot = 0;
    for (char rc = WF_cReadFirst(ctx, 0, &r, 1); rc == '0'; rc = WF_cReadNext(ctx, 0, &r, 1)) {
        /* the checker writes records only for the reports a function uses,
           named by their number: report 2 alone fills the second slot */
        const int32_t number = FIX_lDigitsToLong(r.acName, 4, nullptr);
        if (number >= 1 && number <= static_cast<int32_t>(GEN_REPORT_SLOTS))
            slot = static_cast<size_t>(number - 1);
        if (slot >= GEN_REPORT_SLOTS) {
            limitMessage("More than nine report definitions");
            break;
        }
        GEN_REPORT_SLOT& s = d.reports[slot++];
        s.cKind = r.acData[77];
        s.values = {dataWord(r, 68), dataWord(r, 64), dataWord(r, 72), dataWord(r, 108)};
        s.names[0] = P3109_NameText(r.acData + 4, 10);
        s.names[1] = P3109_NameText(r.acData + 14, 10);
        /* the index symbols of the fields the DEF_REPORT parameters name;
           "*NONE", "*FILE" and fields the function does not use keep
           "V_NOT_AVAILABLE" */
        static constexpr size_t kReturnOffsets[5] = {215, 225, 235, 245, 255};
        static constexpr const char* kReturnKeywords[5] = {"RET_LENGTH", "RET_WIDTH", "RET_OVRFLW", "RET_LINE",
                                                           "RET_PAGE"};
        for (size_t i = 0; i < 5; ++i)
            s.returnFields[i] = reportFieldSymbol(ctx, r, kReturnOffsets[i], 10, "*NONE", kReturnKeywords[i]);
        static constexpr size_t kFileOffsets[3] = {129, 141, 153};
        static constexpr size_t kFileLengths[3] = {12, 10, 10};
        static constexpr const char* kFileKeywords[3] = {"OUTQ", "COPIES", "FORMTYPE"};
        for (size_t i = 0; i < 3; ++i)
            s.fileFields[i] = reportFieldSymbol(ctx, r, kFileOffsets[i], kFileLengths[i], "*FILE", kFileKeywords[i]);
        s.field165 = reportFieldSymbol(ctx, r, 165, 50, "*NONE", "DEF_REPORT");
    }
}

const GEN_BIF_DEFINITION* P3109_pFindBuiltinFunction(const std::string& name)
{
    std::string key = P3109_Padded(name, 20);
    for (const GEN_BIF_DEFINITION& b : P3109_ProcessDefinitions().bifs)
        if (b.name == key)
            return &b;
    return nullptr;
}

const GEN_CONDITION* P3109_pFindCondition(const std::string& name)
{
    return P3109_pFindConditionForUpdate(name);
}

GEN_CONDITION* P3109_pFindConditionForUpdate(const std::string& name)
{
    std::string key = P3109_Padded(P3109_CopyUpper(name, 10), 10);
    for (GEN_CONDITION& c : P3109_Definitions().conditions)
        if (c.name == key)
            return &c;
    return nullptr;
}

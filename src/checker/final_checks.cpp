// Final checks of pass 2 that need the whole program: the default-value
// routines of the fields that have a default, the component's
// cross-references, the field references the object layer's parses noted,
// and the dictionary columns of a component's lists.
#include "checker/checker.h"
#include "checker/expression_routines.h"
#include "checker/lists.h"
#include "checker/operand_checks.h"
#include "checker/support_names.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_bom.h"
#include "platform/dqos/dqos.h"

using namespace checker;
using dqov::text::Fixed;

extern "C" {

// Each used field with a default (given by DEFINE or OVERRIDE, or the
// dictionary's) gets its default-value routine from the object layer; the
// routine's reference becomes the value item of the field's "USEFIELD"
// records, so that the generator gives the field its default at start and
// at CHANGE ... TO(*DEFAULT). A default the object layer cannot compile for
// the field's type is reported (PRC1230).
void ObtainFieldDefaultValueRoutines(void)
{
    Globals& g = G();
    FCC_BUILD_HANDLE* build = P3100_pGetBuildHandle();
    if (!build)
        return;
    std::map<std::string, std::string> references; /* by field; blank: no default */
    FFC_WORK_RECORD use;
    BlankRecord(use, WR_USEFIELD);
    /* of each record the data up to its value item; the whole record only
       when it is updated */
    constexpr uint32_t head = offsetof(WR_USEFIELD_DATA, acValueItem) + sizeof(WR_USEFIELD_DATA::acValueItem);
    for (char rc = WF_cReadFirstHead(g.ctx, 14, &use, 1, head); rc == '0';
         rc = WF_cReadNextHead(g.ctx, 14, &use, 1, head)) {
        auto* data = reinterpret_cast<WR_USEFIELD_DATA*>(use.acData);
        const std::string field = Trim(data->acFieldName, sizeof data->acFieldName);
        if (std::memcmp(data->acClass, "FL", 2) != 0 || field.empty() || static_cast<unsigned char>(data->acValueItem[0]) == 3)
            continue;
        auto known = references.find(field);
        if (known == references.end()) {
            std::string reference;
            const std::string value = FieldDefault(field);
            FFC_FIELD_DEFINITION def;
            if (!value.empty() && LookUpFieldDefinition(field, def)) {
                DQOO_DEFAULT_VALUE_REQUEST request{};
                request.pszField = field.c_str();
                request.chType = def.cType;
                request.ulLength = static_cast<uint32_t>(std::max<int32_t>(def.lLength, 0));
                request.ulDecimals = static_cast<uint32_t>(std::max<int32_t>(def.lDecimals, 0));
                request.pszDefault = value.c_str();
                char item[9];
                if (DQOO_FCC_PrepareDefaultValueRoutine(build, &request, item) == DQOO_OK)
                    reference.assign(item, sizeof item);
                else {
                    /* at the line that gave the default, the dictionary's at none */
                    const int32_t line = g.state ? g.state->lLine : 0;
                    if (g.state)
                        g.state->lLine = FieldDefaultLine(field);
                    Issue(Msg::DefaultValueNotValid, Fixed(field, 10) + Fixed(value, 50));
                    if (g.state)
                        g.state->lLine = line;
                }
            }
            known = references.emplace(field, reference).first;
        }
        if (known->second.empty() || WF_cReadCurrent(g.ctx, 14, &use) != '0')
            continue;
        std::memcpy(data->acValueItem, known->second.data(), sizeof data->acValueItem);
        WF_cUpdate(g.ctx, 14, &use);
    }
}

long P3100_sRecordXrefCallback(const char* pszKind, const char* pszName, uint32_t ulLine)
{
    if (pszKind && pszName)
        RecordXref(pszKind, pszName, static_cast<long>(ulLine));
    return 0;
}

// A component to be generated: its Web Application Modules are generated,
// the fields its commands exchange make the run's exchange tree, and the
// names its commands referred to join the cross-reference of the check.
void P3100_EnumerateComponentInformation(void)
{
    Globals& g = G();
    FCC_BUILD_HANDLE* build = P3100_pGetBuildHandle();
    if (!build || !IsComponentRun() || g.ctx->cOption != 'G')
        return;
    P3100_GenerateWebAccessModules(build);
    // the tree exists for every component, empty when it exchanges nothing
    P31O2_sAddExchangedField(g.ctx, 0, nullptr, 'N', 'N');
    const long exchanged = DQOO_FCC_EnumerateExchangedFields(
        build,
        [](void* user, const DQOO_EXCHANGED_FIELD* f) -> long {
            return P31O2_sAddExchangedField(static_cast<FFC_CONTEXT*>(user), f->lNumber, f->pszField, f->chMaximum,
                                            f->chEvaluationCase) == 0
                       ? 0
                       : 1;
        },
        g.ctx);
    if (exchanged < 0)
        DQOO_FCC_FatalError("DQOO_FCC_EnumerateExchangedFields", exchanged);
    // the members and properties, for the generator's debug information
    const long used = DQOO_FCC_EnumerateUsage(
        build,
        [](void* user, const DQOO_USAGE* u) -> long {
            return P31O2_sAddComponentUsage(static_cast<FFC_CONTEXT*>(user), u->pszName, u->lScope, u->lKind,
                                            static_cast<int32_t>(u->ulFlags)) == 0
                       ? 0
                       : 1;
        },
        g.ctx);
    if (used < 0)
        DQOO_FCC_FatalError("DQOO_FCC_EnumerateUsage", used);
    long rc = DQOO_FCC_EnumerateCrossReferences(build);
    if (rc < 0 && rc != DQOO_ERR_NO_CHECK)
        DQOO_FCC_FatalError("DQOO_FCC_EnumerateCrossReferences", rc);
}

// In a run with the component operand checks, a field reference noted by
// the object layer's parses whose use the checker recorded as anything
// other than a field or a system variable is reported.
void P3100_CheckDeferredFieldReferences(void)
{
    Globals& g = G();
    if (!g.ctx->lComponentChecking && !g.ctx->lComponentExpressions)
        return;
    for (const Globals::FieldReference& ref : g.deferredReferences) {
        FFC_WORK_RECORD use;
        BlankRecord(use, WR_USEFIELD, ref.name);
        if (WF_cReadFirst(g.ctx, 15, &use, 2) != '0')
            continue;
        const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(use.acData);
        if (std::memcmp(data->acClass, "FL", 2) == 0 || std::memcmp(data->acClass, "SV", 2) == 0)
            continue;
        char text[256];
        std::snprintf(text, sizeof text, FFC_LITERAL_FORMATS[FFC_FMT_ILLEGAL_REFERENCE], ref.name.substr(0, 50).c_str(),
                      ref.command.c_str(), static_cast<long>(ref.line));
        IssueText(text, 'F');
    }
}

// A function with the option *BUILTIN is offered to other functions as the
// built-in function "UD_" and its name. The catalogue (QV_F47 and QV_F48)
// takes a built-in function with its arguments and return values, which a
// function does not declare in a form this check can read: the name is
// checked to be free (a catalogue row of another program holds it), and a
// note says that the catalogue was left as it is.
void P3100_DefineUserBuiltInFunction(void)
{
    Globals& g = G();
    if (g.sysFlags[SF_BUILTIN] != 'Y' || IsComponentRun())
        return;
    std::string name = "UD_" + Upper(g.functionName);
    SSQL_AREA area;
    SSQL_SetLocation("DC_P3100/SQL050");
    SSQL_DeclareExt(&area, "SELECT X47PGM FROM QV_DTA.QV_F47 WHERE X47BIF = '%s' ", name.c_str());
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    char program[10];
    std::memset(program, ' ', sizeof program);
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_FIXED(program, 10));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, "DC_P3100/SQL050");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    std::string owner = Trim(program, 10);
    if (rc == SSQL_RC_OK && Upper(owner) != Upper(g.functionName)) {
        Issue(Msg::BuiltinDefinedTwice, Fixed(name, 20) + Fixed(owner, 10));
        return;
    }
    Issue(Msg::BuiltinNotCatalogued, Fixed(name, 20));
}

// Each list of a component needs at least one column from the dictionary.
void P3100_CheckListColumnSources(void)
{
    Globals& g = G();
    if (!IsComponentRun())
        return;
    FFC_WORK_RECORD r;
    BlankRecord(r, WR_LISTNAME);
    std::vector<std::string> names;
    for (char rc = WF_cReadFirst(g.ctx, 14, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 14, &r, 1))
        names.push_back(Trim(r.acName, 10));
    for (const std::string& name : names) {
        ListDefinition list;
        if (!FindList(name, list))
            continue;
        bool sourced = false;
        for (const std::string& field : list.fields)
            if (FieldInDictionary(field)) {
                sourced = true;
                break;
            }
        if (!sourced)
            IssueText("No dictionary sourceable columns have been defined for list " + name, 'W');
    }
}

}  // extern "C"

namespace {

// The words holding the counts of a node's child lists (each array follows
// in the next word), by node kind: the lists through which the generator
// reaches records and their fields.
std::vector<int> ChildListWords(int32_t kind)
{
    if (kind >= BOM_KIND_CONTENT_ROOT && kind <= BOM_KIND_CONTAINER_LAST)
        return {1};
    if (kind >= BOM_KIND_DOCUMENT && kind <= BOM_KIND_TRANSIENT)
        return {4, 6, 10, 12};
    if (kind == BOM_KIND_ASSOCIATION || kind == BOM_KIND_SPECIALIZATION)
        return {4, 6, 10};
    if (kind == BOM_KIND_GENERIC_SEARCH)
        return {4, 6};
    if (kind >= BOM_KIND_PROXY_RECORD && kind <= BOM_KIND_IDENTIFIER_RECORD)
        return {5};
    if (kind >= BOM_KIND_DISPATCH_PROXY && kind <= BOM_KIND_DISPATCH_IDENTIFIER)
        return {4};
    if (kind >= BOM_KIND_SERVICE_FIRST && kind <= BOM_KIND_SERVICE_LAST)
        return {1};
    if (kind == BOM_KIND_SERVICE_CASE || kind == BOM_KIND_VERIFICATION)
        return {3};
    return {};
}

// A condition of a Verify service: its text is checked as a condition and
// compiled into a Boolean routine, which the object layer attaches to the
// condition for the service routine to call.
void CompileVerificationCondition(BOM_DESCRIPTION_NODE* node)
{
    Globals& g = G();
    const char* text = node->aWord[1].pszText;
    if (!text || !*text)
        return;
    char saved[sizeof g.parsed.acRoutineRef];
    std::memcpy(saved, g.parsed.acRoutineRef, sizeof saved);
    std::memset(g.parsed.acRoutineRef, ' ', sizeof g.parsed.acRoutineRef);
    if (CheckCompiledCondition(text) && g.parsed.acRoutineRef[0] == 3)
        if (const long rc = DQOO_FCC_BOM_AttachConditionRoutine(P3100_pGetBuildHandle(), node, g.parsed.acRoutineRef);
            rc != DQOO_OK)
            DQOO_FCC_FatalError("DQOO_FCC_BOM_AttachConditionRoutine", rc);
    std::memcpy(g.parsed.acRoutineRef, saved, sizeof saved);
}

constexpr int kMaxDescriptionDepth = 32;

}  // namespace

extern "C" {

// Walks the component description: every field of its data records that
// the dictionary or the component knows is a field the component uses, so
// the generator declares it. Nodes below a depth the description never
// reaches are not visited.
void P3100_WalkComponentDescription(const BOM_DESCRIPTION_NODE* pNode, int32_t lDepth, int32_t lParentKind)
{
    (void)lParentKind;
    if (!pNode || lDepth > kMaxDescriptionDepth)
        return;
    if (pNode->lKind == BOM_KIND_CONDITION) {
        CompileVerificationCondition(const_cast<BOM_DESCRIPTION_NODE*>(pNode));
        return;
    }
    if (pNode->lKind == BOM_KIND_RECORD_FIELD) {
        const char* name = pNode->aWord[1].pszText;
        if (name && *name && std::strlen(name) <= 10) {
            std::string field(name);
            for (char& c : field)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (FieldInDictionary(field) || FieldDefined(field)) {
                char padded[10];
                Pad(padded, 10, field);
                P3100_RecordFieldUsage(1, padded, "FL");
            }
        }
        return;
    }
    for (int word : ChildListWords(pNode->lKind)) {
        intptr_t count = pNode->aWord[word].lNumber;
        BOM_DESCRIPTION_NODE** children = pNode->aWord[word + 1].ppNodes;
        if (count <= 0 || !children)
            continue;
        for (intptr_t i = 0; i < count; ++i)
            P3100_WalkComponentDescription(children[i], lDepth + 1, pNode->lKind);
    }
}

}  // extern "C"

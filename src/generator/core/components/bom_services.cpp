/*
** bom_services.cpp: the record service routines of a component: one
** generated component routine per service of the description (the proxy
** services Loader and Search, the document services Restore, Read, Insert,
** Update, CrossUpdateCheck and Verify) that switches over the service's
** numbered cases, and the static service table entries that point at them.
**
** A case declares the subroutine result once, however many subroutine
** calls it holds. The condition lines of a verification call the Boolean
** evaluation routines of the expression generator that the checker had
** compiled from the conditions' texts.
**
** A cross-update check receives, after the module frame and the case
** number, the three records of the case's document record: the new record
** (as the update would write it), the old one (as it was read) and the
** current one (as the store holds it now). A group whose first keys differ
** between the current and the old record, and whose second keys differ
** between the old and the new one, is a conflict: it is reported through
** the record service request of the case's record, as a verification
** reports a failed condition.
*/
#include "generator/core/components/bom_services.h"

#include <cstdio>
#include <string>

#include "generator/core/components/bom_records.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

struct Service {
    int32_t kind;
    const char* name;
    const char* set;
    const char* constant;
};

constexpr Service kServices[] = {
    {2100, "Loader", "PSS", "X_BOM_KIND_DEF_SERVICE_PROXY_LOADER"},
    {2110, "Search", "PSS", "X_BOM_KIND_DEF_SERVICE_PROXY_SEARCH"},
    {2200, "Restore", "DSS", "X_BOM_KIND_DEF_SERVICE_DOCUMENT_RESTORE"},
    {2210, "Read", "DSS", "X_BOM_KIND_DEF_SERVICE_DOCUMENT_READ"},
    {2220, "Insert", "DSS", "X_BOM_KIND_DEF_SERVICE_DOCUMENT_INSERT"},
    {2230, "Update", "DSS", "X_BOM_KIND_DEF_SERVICE_DOCUMENT_UPDATE"},
    {2270, "CrossUpdateCheck", "DSS", "X_BOM_KIND_DEF_SERVICE_DOCUMENT_CROSS_UPDATE_CHECK"},
    {2280, "Verify", "DSS", "X_BOM_KIND_DEF_SERVICE_DOCUMENT_VERIFY"},
};

constexpr int32_t kCase = 2300;
constexpr int32_t kSubroutineCall = 2301;
constexpr int32_t kCrossUpdateGroup = 2302;
constexpr int32_t kVerification = 2304;
constexpr int32_t kCondition = 2305;
constexpr int32_t kCrossUpdateCheck = 2270;

void line(std::string_view text)
{
    P3109_Line(text);
}

void openBlock()
{
    line("{");
    P3109_Parts().pfnExpressionIndentIn();
}

void closeBlock()
{
    P3109_Parts().pfnExpressionIndentOut();
    line("}");
}

/* The document record of a case: the dispatch record of its number among
** the root's children. */
bool caseRecord(const BOM_DESCRIPTION_NODE* root, const BOM_DESCRIPTION_NODE* caseNode, BOM_RECORD_NAMES& names)
{
    return BOMGEN_fFindDocumentRecord(BOMGEN_lCount(root, 1), root->aWord[2].ppNodes,
                                      static_cast<long>(BOM_Number(caseNode, 2)), names) != 0;
}

void subroutineCall(const BOM_DESCRIPTION_NODE* item, bool& declared)
{
    const char* name = BOM_Text(item, 1);
    if (!name || !*name) {
        line("   lReturnCode = X_COMP_RETURN_OBJECT_NOT_FOUND;");
        return;
    }
    if (!declared)
        line("X_SHORT sResult;");
    declared = true;
    const bool cursors = P3109_State().sSqlCursorCount >= 1;
    line("sResult = " + P3109_MakeSubroutineName(name) + "( FUNCTION_STD_PARMS" +
         (cursors ? ", INSTANCE(sCurrentCursors)" : "") + " );");
    P3109_WriteCloseCursors("0");
    /* a subroutine that did not end normally ends the service with its end */
    line("X_COMR_CHECK_EXECUTION(sResult)");
}

/* The conditions of a verification: each whose compiled routine answers
** false reports the verification's message through the record service of
** the case's document record. */
/* The body of a report of the record service: the message (file DC@M01,
** MESSAGE_ID) with its context number and first substitution value (a C
** expression, or pX_NULL), handed to the run time for the record. The
** lines carry their own three-blank indent inside the caller's braces. */
void reportLines(long context, dqov::Msg message, const std::string& substitution, const BOM_RECORD_NAMES& record)
{
    char text[160];
    line("   void    *  apvAgreedArgs[5];");
    std::snprintf(text, sizeof text, "   X_ULONG    aulContexts[] = { 1, %ld };", context);
    line(text);
    line("");
    line("   apvAgreedArgs[0] = aulContexts;");
    line("");
    line("   /* Fill out message parms */");
    line("");
    line("   apvAgreedArgs[1] = \"DC@M01\";");
    line(std::string("   apvAgreedArgs[2] = \"") + dqov::MsgId(message) + "\";");
    line("   apvAgreedArgs[3] = " + substitution + ";");
    line("   apvAgreedArgs[4] = pX_NULL;");
    line("");
    line("   X_VAR_ProcessRecordServiceRequest( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + record.vectorName +
         ", X_COMP_RECORD_SERVICE_REQUEST_DOCUMENT_REPORT_ERROR, apvAgreedArgs );");
}

void verification(const BOM_DESCRIPTION_NODE* item, const BOM_RECORD_NAMES& record)
{
    const long message = static_cast<long>(BOM_Number(item, 2));
    for (intptr_t i = 0; i < BOMGEN_lCount(item, 3); ++i) {
        const BOM_DESCRIPTION_NODE* condition = BOMGEN_pChild(item, 3, i);
        if (!condition || condition->lKind != kCondition || !BOM_Text(condition, 2))
            continue;
        std::string call;
        P3109_Parts().pfnBuildConditionRoutineCall(BOM_Text(condition, 2), &call, nullptr);
        if (call.empty())
            continue;
        line("if ( !" + call + " )");
        line("{");
        reportLines(message, Msg::RecordVerificationFailed, "pX_NULL", record);
        line("}");
    }
}

/* The record's name as a C string literal, for the conflict message. */
std::string quotedName(const std::string& name)
{
    std::string q = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\')
            q += '\\';
        q += c;
    }
    return q + "\"";
}

/* A cross-update group compares the three records the service received;
** a case without its document record has none, and its group is written
** as its comment alone, as a verification without its record is. */
void crossUpdateGroup(const BOM_DESCRIPTION_NODE* item, long caseNumber, const BOM_RECORD_NAMES* record)
{
    line("/* Cross Update Group */");
    line("");
    if (!record)
        return;
    BOMGEN_WriteFieldComparison(BOMGEN_lCount(item, 3), item->aWord[4].ppNodes, "pRecCur", "pRecOld");
    openBlock();
    BOMGEN_WriteFieldComparison(BOMGEN_lCount(item, 5), item->aWord[6].ppNodes, "pRecOld", "pRecNew");
    openBlock();
    line("/* Report Cross Update Error */");
    reportLines(caseNumber, Msg::CrossUpdateConflict, quotedName(record->name), *record);
    closeBlock();
    closeBlock();
}

void writeCase(const BOM_DESCRIPTION_NODE* root, const Service& service, const BOM_DESCRIPTION_NODE* caseNode)
{
    char head[160];
    std::snprintf(head, sizeof head, "case %ld: /* %.100s */", static_cast<long>(BOM_Number(caseNode, 2)),
                  BOMGEN_pszText(caseNode, 1));
    line(head);
    openBlock();
    BOM_RECORD_NAMES record;
    const bool hasRecord = caseRecord(root, caseNode, record);
    if (service.kind == kCrossUpdateCheck && hasRecord) {
        /* the new, the old and the current record, as the run time hands
           them in after the module frame and the case number */
        const std::string cast = "((struct " + record.structureTag + "*)( apvAgreedArgs[";
        line("struct " + record.structureTag);
        line("   *pRecNew = " + cast + "2] )),");
        line("   *pRecOld = " + cast + "3] )),");
        line("   *pRecCur = " + cast + "4] ));");
        line("");
    }
    bool declared = false;
    for (intptr_t i = 0; i < BOMGEN_lCount(caseNode, 3); ++i) {
        const BOM_DESCRIPTION_NODE* item = BOMGEN_pChild(caseNode, 3, i);
        if (!item)
            continue;
        if (item->lKind == kSubroutineCall) {
            subroutineCall(item, declared);
        } else if (item->lKind == kCrossUpdateGroup) {
            crossUpdateGroup(item, static_cast<long>(BOM_Number(caseNode, 2)),
                             service.kind == kCrossUpdateCheck && hasRecord ? &record : nullptr);
        } else if (item->lKind == kVerification) {
            std::snprintf(head, sizeof head, "/* Verify %.100s(%ld) */", BOMGEN_pszText(item, 1),
                          static_cast<long>(BOM_Number(item, 2)));
            line(head);
            if (hasRecord)
                verification(item, record);
        }
    }
    line("break;");
    closeBlock();
}

/* "X_BOM_set_name_module": the service's component routine. */
std::string routineName(const char* set, const char* name)
{
    return std::string("X_BOM_") + set + "_" + name + "_" + P3109_State().cName;
}

/* "s_BOM_set_name": the service's static table entry. */
std::string tableName(const char* set, const char* name)
{
    return std::string("s_BOM_") + set + "_" + name;
}

const Service* serviceOf(const BOM_DESCRIPTION_NODE* node)
{
    for (const Service& s : kServices)
        if (node && node->lKind == s.kind)
            return &s;
    return nullptr;
}

}  // namespace

void BOMGEN_WriteServiceRoutine(const char* pszSet, const BOM_DESCRIPTION_NODE* root,
                                const BOM_DESCRIPTION_NODE* service, const char* pszName)
{
    const Service* s = serviceOf(service);
    if (!s)
        return;
    line("COMPONENT_STD_FUNCTION " + routineName(pszSet, pszName) + "( COMPONENT_STD_ARGS )");
    openBlock();
    P3109_Parts().pfnEmitComponentRoutineLocals();
    line("");
    line("X_START_COMPONENT_ROUTINE('S')");
    line("");
    line("switch ( *((X_LONG*)( apvAgreedArgs[1] )) )");
    openBlock();
    for (intptr_t i = 0; i < BOMGEN_lCount(service, 1); ++i) {
        const BOM_DESCRIPTION_NODE* c = BOMGEN_pChild(service, 1, i);
        if (c && c->lKind == kCase)
            writeCase(root, *s, c);
    }
    line("default:");
    line("{");
    line("   lReturnCode = X_COMP_RETURN_OBJECT_NOT_FOUND;");
    line("   break;");
    line("}");
    closeBlock();
    line("");
    line("X_TERMINATE_COMPONENT_ROUTINE");
    line("");
    line("return lReturnCode;");
    closeBlock();
}

void BOMGEN_WriteServiceRoutines(const BOM_DESCRIPTION_NODE* root)
{
    if (!BOMGEN_fIsContainer(root))
        return;
    for (intptr_t i = 0; i < BOMGEN_lCount(root, 1); ++i) {
        const BOM_DESCRIPTION_NODE* child = BOMGEN_pChild(root, 1, i);
        if (const Service* s = serviceOf(child))
            BOMGEN_WriteServiceRoutine(s->set, root, child, s->name);
    }
}

const char* BOMGEN_pszServiceTableName(const BOM_DESCRIPTION_NODE* service)
{
    static std::string name;
    const Service* s = serviceOf(service);
    if (!s)
        return nullptr;
    name = tableName(s->set, s->name);
    return name.c_str();
}

bool BOMGEN_fWriteServiceTableEntry(const BOM_DESCRIPTION_NODE* service)
{
    const Service* s = serviceOf(service);
    if (!s)
        return false;
    BOMGEN_WriteServiceTableEntry(s->constant, s->set, s->name);
    return true;
}

void BOMGEN_WriteServiceTableEntry(const char* pszConstant, const char* pszSet, const char* pszName)
{
    line("static const X_BOM_SERVICE_ROUTINE " + tableName(pszSet, pszName) + " =");
    line("{");
    line(std::string("   ") + pszConstant + ",");
    line("   " + routineName(pszSet, pszName));
    line("};");
}

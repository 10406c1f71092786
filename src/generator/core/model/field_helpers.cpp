/*
** field_helpers.cpp: messages, list limits, names and fragments of field
** code.
*/
#include "generator/core/model/field_helpers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <new>

#include "generator/core/model/bom_names.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/object_data.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr size_t kReferencedNameLimit = 2000;
constexpr int32_t kUnboundedEntries = 2147483647;
constexpr uint64_t kFatalListBytes = 2147483648ULL;
constexpr uint64_t kWarningListBytes = 1073741824ULL;
constexpr size_t kTextReferenceGrowth = 50;
constexpr uint32_t kOutOfStorageMessage = 510;

struct HelperState {
    std::vector<std::string> referencedNames;
    bool referencedNamesFull = false;
    bool listOverflow = false;
    std::vector<GEN_TEXT_REFERENCE> textReferences;
};

HelperState& hs()
{
    static HelperState s;
    return s;
}

/* Changes of the referenced names (P3109_ulReferencedNamesStamp). */
uint64_t& referencedNamesChanges()
{
    static uint64_t changes = 0;
    return changes;
}

/* The format with each conversion replaced by the next value; "%%" is a
** percent sign; conversions beyond the values are left empty. */
std::string substitute(const char* format, std::initializer_list<std::string_view> values)
{
    std::string out;
    auto value = values.begin();
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        if (p[1] == '%') {
            out += '%';
            ++p;
            continue;
        }
        ++p;
        while (*p && std::strchr("-+ #0123456789.lhz", *p))
            ++p;
        if (!*p)
            break;
        if (value != values.end())
            out += *value++;
    }
    return out;
}

/* The 10-character upper-cased key of a name, the national character dropped. */
std::string referencedKey(std::string_view name, size_t ulLength)
{
    const std::string text = P3109_DropNationalChar(name.substr(0, std::min(ulLength, name.size())));
    return P3109_Padded(P3109_CopyUpper(text, text.size()), 10);
}

bool csharp()
{
    return P3109_State().cTarget == GEN_TARGET_CSHARP;
}

std::string call(const char* format, std::string_view a)
{
    std::string line(format);
    line.replace(line.find("%s"), 2, a);
    return line;
}

}  // namespace

int16_t P3109_sIssueNumberedMessage(char cSeverity, uint32_t ulNumber, std::initializer_list<std::string_view> values)
{
    std::string text;
    if (const char* format = SMSG_pszGetMessage(ulNumber, 0)) {
        text = substitute(format, values);
    } else {
        text = "Services message " + std::to_string(ulNumber);
        for (std::string_view v : values)
            text += " " + std::string(v);
    }
    return P3109_sIssueMessage(Msg::ServicesText, cSeverity, text);
}

int16_t P3109_sCheckListEntrySize(bool fSecondVersion, uint32_t ulEntryLength, int32_t lMaxEntries)
{
    if (!fSecondVersion)
        return 0;
    if (ulEntryLength == 0) {
        P3109_sIssueNumberedMessage('F', 79, {"Internal error. List entry length is 0"});
        return 1;
    }
    if (lMaxEntries == kUnboundedEntries)
        return 0;
    const uint64_t bytes = static_cast<uint64_t>(lMaxEntries > 0 ? lMaxEntries : 0) * ulEntryLength;
    if (bytes > kFatalListBytes) {
        hs().listOverflow = true;
        P3109_sIssueNumberedMessage('F', 869, {std::to_string(ulEntryLength), std::to_string(lMaxEntries)});
        P3109_sIssueNumberedMessage('F', 875);
        return 1;
    }
    if (bytes > kWarningListBytes) {
        hs().listOverflow = true;
        P3109_sIssueNumberedMessage('W', 873, {std::to_string(bytes), std::to_string(ulEntryLength)});
        P3109_sIssueNumberedMessage('W', 874);
    }
    return 0;
}

bool P3109_fListOverflow()
{
    return hs().listOverflow;
}

void P3109_MarkListOverflow()
{
    hs().listOverflow = true;
}

std::string P3109_MakeGotoLabel(std::string_view label, size_t ulLength)
{
    return "goto X_Label_" + P3109_MakeCIdentifier(label, ulLength) + ";";
}

std::string P3109_MakeGroupName(std::string_view name, size_t ulLength)
{
    const std::string text = P3109_DropNationalChar(name.substr(0, std::min(ulLength, name.size())));
    return "X_Group_" + P3109_MakeCIdentifier(text, text.size());
}

void P3109_AddReferencedName(std::string_view name, size_t ulLength)
{
    HelperState& s = hs();
    const std::string key = referencedKey(name, ulLength);
    if (std::find(s.referencedNames.begin(), s.referencedNames.end(), key) != s.referencedNames.end())
        return;
    if (s.referencedNames.size() < kReferencedNameLimit) {
        s.referencedNames.push_back(key);
        ++referencedNamesChanges();
        return;
    }
    /* A name left out would be computed in machine arithmetic: say so once. */
    if (!s.referencedNamesFull)
        P3109_IssueTextMessage('W', "More than 2000 fields keep exact decimal arithmetic; " + P3109_TrimRight(key) +
                                        " and later ones are not kept.");
    s.referencedNamesFull = true;
}

uint64_t P3109_ulReferencedNamesStamp()
{
    return referencedNamesChanges();
}

bool P3109_MakeUpperName(std::string_view name, size_t ulLength)
{
    const std::vector<std::string>& names = hs().referencedNames;
    /* most functions keep no name: no key is made for none */
    return !names.empty() && std::find(names.begin(), names.end(), referencedKey(name, ulLength)) != names.end();
}

long P3109_CountStatementEvaluation(const DQOO_STATEMENT_EVALUATION*, void* pvUser, void*)
{
    if (pvUser)
        ++*static_cast<int32_t*>(pvUser);
    return 0;
}

bool P3109_CountStatementEvaluations()
{
    const FFC_CHECK_STATE* st = P3109_CheckState();
    const int32_t statement = st ? st->lLine : 0;
    if (statement <= 0)
        return false;
    int32_t count = 0;
    DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(statement, P3109_CountStatementEvaluation, &count, nullptr);
    return count > 0;
}

namespace {

std::string componentKey(std::string_view name)
{
    const std::string field = P3109_DropNationalChar(P3109_TrimRight(name));
    return P3109_CopyUpper(field, field.size());
}

/* The member of the record that names the field, defined as a field of the
** component; false when the record holds none. */
bool findMember(const BOM_DESCRIPTION_NODE* record, const std::string& field, BOM_FIELD_NAMES& names)
{
    BOM_RECORD_NAMES r;
    BOMGEN_MakeRecordNames(record, r);
    for (intptr_t i = 0; i < r.lFieldCount && r.ppFields; ++i) {
        const BOM_DESCRIPTION_NODE* member = r.ppFields[i];
        const char* text = member && member->lKind == BOM_KIND_RECORD_FIELD ? BOM_Text(member, 1) : nullptr;
        if (!text || componentKey(text) != field)
            continue;
        BOMGEN_MakeFieldVectorName(record, member, names);
        return names.fDefined;
    }
    return false;
}

/* The component's description: the one the generation holds, else the
** object layer's. */
const BOM_DESCRIPTION_NODE* componentDescription()
{
    const BOM_DESCRIPTION_NODE* held = P3109_State().pDescription;
    return held ? held : P3109_pRetrieveDescription();
}

/* The first record below the node (dispatch records only when asked) that
** holds the field; null when none does. */
const BOM_DESCRIPTION_NODE* findRecord(const BOM_DESCRIPTION_NODE* node, const std::string& field, bool fDispatchOnly,
                                       BOM_FIELD_NAMES& names, int iDepth = 0)
{
    constexpr int kDepthMax = 32; /* deeper is a damaged description */
    if (!node || iDepth > kDepthMax)
        return nullptr;
    if (BOMGEN_fIsRecordNode(node))
        return (!fDispatchOnly || BOMGEN_fIsDispatchRecord(node)) && findMember(node, field, names) ? node : nullptr;
    for (int word : BOM_RecordListWords(node->lKind))
        for (intptr_t i = 0; i < BOM_Number(node, word); ++i)
            if (const BOM_DESCRIPTION_NODE* found =
                    findRecord(BOM_Child(node, word, i), field, fDispatchOnly, names, iDepth + 1))
                return found;
    return nullptr;
}

}  // namespace

int16_t P3109_sGetComponentFieldRef(std::string_view field, std::string& vectorTable, std::string& fieldName)
{
    vectorTable = "pX_Fld";
    fieldName = "V_UNKNOWN";
    BOM_FIELD_NAMES names;
    if (!findRecord(componentDescription(), componentKey(field), false, names))
        return -1;
    fieldName = names.vectorName;
    return 0;
}

int16_t P3109_sGetComponentFieldRefExt(std::string_view field, std::string_view record, std::string& vectorTable,
                                       std::string& fieldName, std::string& recordName)
{
    vectorTable = "pX_Fld";
    fieldName = "V_UNKNOWN";
    recordName.clear();
    const BOM_DESCRIPTION_NODE* root = componentDescription();
    if (!root || root->lKind < BOM_KIND_CONTENT_ROOT || root->lKind > BOM_KIND_CONTAINER_LAST)
        return -1;
    /* the dispatch records are members of the description's root */
    const std::string key = componentKey(field), wanted = componentKey(record);
    for (intptr_t i = 0; i < BOM_Number(root, 1); ++i) {
        const BOM_DESCRIPTION_NODE* node = BOM_Child(root, 1, i);
        if (!BOMGEN_fIsDispatchRecord(node))
            continue;
        BOM_RECORD_NAMES r;
        BOMGEN_MakeRecordNames(node, r);
        BOM_FIELD_NAMES names;
        if ((!wanted.empty() && componentKey(r.name) != wanted) || !findMember(node, key, names))
            continue;
        fieldName = names.recordVectorName;
        recordName = r.vectorName;
        return 0;
    }
    return -1;
}

void P3109_BlankControlChars(std::string& text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
}

void P3109_CopyBounded(char* pDestination, size_t ulCapacity, const char* pszSource)
{
    if (!pDestination || !pszSource || ulCapacity == 0)
        return;
    const size_t n = strnlen(pszSource, ulCapacity - 1);
    std::memcpy(pDestination, pszSource, n);
    pDestination[n] = '\0';
}

const char* P3109_pFunctionOptions()
{
    return P3109_Definitions().sysflags.data();
}

/* C#: the writers of field values work on the field's element of the
** vector (or the element its index selects), which knows its storage; the
** run time is reached through X_RUN_DLL. */
void P3109_WriteGetIndex(std::string_view target, const GEN_FIELD_INFO& field)
{
    std::string t(target);
    const bool cs = csharp();
    if (field.fIndexed)
        P3109_Line(t +
                   (cs ? " = X_RUN_DLL.X_GET_INDEX(pX_Ids,pX_Pro,pX_Fun,pX_Fld,"
                       : " = X_GET_INDEX(pX_Ids,pX_Pro,pX_Fun,pX_Fld,") +
                   field.vectorName + ");");
    else if (cs)
        P3109_Line(t + " = pX_Fld[" + field.vectorName + "];");
    else
        P3109_Line(t + " = pX_Fld[" + field.vectorName + "].pField;");
}

void P3109_WriteSetIndex(const GEN_FIELD_INFO& field)
{
    P3109_Line(call(csharp() ? "X_RUN_DLL.X_SET_INDEX(pX_Ids,pX_Pro,pX_Fun,pX_Fld,%s);"
                             : "X_SET_INDEX(pX_Ids,pX_Pro,pX_Fun,pX_Fld,%s);",
                    field.vectorName));
}

void P3109_WriteRefreshFieldValue(const GEN_FIELD_INFO& field)
{
    P3109_Line(call(csharp() ? "X_RUN_DLL.X_Refresh_Field_Value(pX_Ids,pX_Pro,pX_Fun,pX_Fld[%s]);"
                             : "X_Refresh_Field_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + %s));",
                    field.vectorName));
}

void P3109_WriteRefreshComponentValue(const GEN_FIELD_INFO& field)
{
    P3109_Line(call(csharp() ? "X_RUN_DLL.X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,pX_Fld[%s]);"
                             : "X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + %s));",
                    field.vectorName));
}

void P3109_WriteIndexVOV(const GEN_FIELD_INFO& field, std::string_view value)
{
    /* an array element's entry holds the vector entry of its index field
       there, which the run time reads whenever the element is reached */
    if (field.cArrayElement == 'Y' || field.fIndexed)
        return;
    P3109_Line("pX_Fld[" + field.vectorName + "].sIndexVOV = " + std::string(value) + ";");
}

void P3109_WriteRememberedValue(const GEN_FIELD_INFO& field, std::string_view value)
{
    if (csharp())
        P3109_Line("X_RUN_DLL.X_Set_Remembered_Value(pX_Ids,pX_Pro,pX_Fun,pX_Fld," + field.vectorName + ",X_DEFS." +
                   std::string(value) + ");");
    else
        P3109_Line("X_Set_Remembered_Value(pX_Ids,pX_Pro,pX_Fun,pX_Fld," + field.vectorName + "," + std::string(value) +
                   ");");
}

void P3109_WriteGetMultilingualText(std::string_view target, int32_t lOrdinal)
{
    if (P3109_State().cTarget == GEN_TARGET_CSHARP)
        P3109_Line(std::string(target) + " = X_Get_MTxt(" + std::to_string(lOrdinal) +
                   ",FunctionGlobalStatic3.sLangNo);");
    else
        P3109_Line(std::string(target) + " = X_Get_MTxt(" + std::to_string(lOrdinal) + ",INSTANCE_S3(sLangNo));");
}

void P3109_WriteGetMultilingualField(std::string_view target, int32_t lOrdinal, char cKind, bool fStatic)
{
    char number[16];
    const std::string_view n(number,
                             static_cast<size_t>(std::to_chars(number, number + sizeof number, lOrdinal).ptr - number));
    /* the line is put together in a buffer kept between calls (a panel
       writes one for each text of each of its fields) */
    static std::string line;
    /* the pieces appended with their lengths */
    const auto put = [](std::string_view text) { line.append(text.data(), text.size()); };
    line.clear();
    if (P3109_State().cTarget == GEN_TARGET_CSHARP) {
        if (fStatic)
            put("pGlobal1.p");
        put(target);
        put(" = X_Get_MFld(");
        put(n);
        put(",FunctionGlobalStatic3.sLangNo,'");
        line.push_back(cKind);
        put("');");
    } else {
        if (fStatic)
            put("INSTANCE(p");
        put(target);
        if (fStatic)
            put(")");
        put(" = X_Get_MFld( ");
        put(n);
        put(fStatic ? ",INSTANCE_S3(sLangNo), '" : ", INSTANCE_S3(sLangNo), '");
        line.push_back(cKind);
        put("' );");
    }
    P3109_Line(line);
}

bool P3109_fGrowTextReferences()
{
    std::vector<GEN_TEXT_REFERENCE>& t = hs().textReferences;
    if (t.size() < t.capacity())
        return true;
    try {
        t.reserve(std::max(t.capacity() + kTextReferenceGrowth, t.size() + 1 + kTextReferenceGrowth));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

namespace {

GEN_TEXT_REFERENCE makeReference(std::string_view name, int32_t lKind, int32_t lValue)
{
    GEN_TEXT_REFERENCE r;
    r.name = P3109_Padded(name, 10);
    r.lKind = lKind;
    r.lValue = lValue;
    /* a field text a web page shows is one the field's row of the text
       table holds: label, column heading 1 to 3 or description */
    if (lKind == 1 && lValue >= 0 && lValue <= 4)
        P3109_RegisterFieldTextUse(name, "L123D"[lValue]);
    if (lKind == 1)
        r.lOrdinal = P3109_sFieldTextIndex(r.name);
    else if (lKind == 2)
        r.lOrdinal = P3109_sMultilingualVariableIndex(name);
    else
        r.lOrdinal = 0;
    return r;
}

}  // namespace

/* An entry that finds no room is reported and not counted: a count beyond
** the stored entries would send the text tag writer past the table. */
void P3109_AppendTextReference(std::string_view name, int32_t lKind, int32_t lValue)
{
    if (!P3109_fGrowTextReferences()) {
        P3109_sIssueNumberedMessage('F', kOutOfStorageMessage);
        return;
    }
    hs().textReferences.push_back(makeReference(name, lKind, lValue));
}

void P3109_InsertTextReference(size_t ulPosition, std::string_view name, int32_t lKind, int32_t lValue)
{
    if (!P3109_fGrowTextReferences()) {
        P3109_sIssueNumberedMessage('F', kOutOfStorageMessage);
        return;
    }
    std::vector<GEN_TEXT_REFERENCE>& t = hs().textReferences;
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(std::min(ulPosition, t.size())),
             makeReference(name, lKind, lValue));
}

const std::vector<GEN_TEXT_REFERENCE>& P3109_TextReferences()
{
    return hs().textReferences;
}

void P3109_ResetFieldHelpers()
{
    hs() = HelperState{};
    ++referencedNamesChanges();
}

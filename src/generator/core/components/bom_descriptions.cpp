/*
** bom_descriptions.cpp: the static tables through which the runtime of a
** component learns its business-object model: one table per document,
** relation, attribute, search and search key, the static definitions and
** the entry of every data record, the entry of every dispatch record and
** service, the links to other module members, and the content tables that
** list them all and the model's features; then the first-time
** initialisation of the records' assembly areas.
**
** Names and descriptions are cross-platform text literals. Each record's
** definitions are written once, however often the description names it.
*/
#include "generator/core/components/bom_descriptions.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "generator/core/components/bom_records.h"
#include "generator/core/components/bom_services.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace {

constexpr int kMaxDepth = 32;

void line(std::string_view text)
{
    P3109_Line(text);
}

long number(const BOM_DESCRIPTION_NODE* node, int word)
{
    return static_cast<long>(BOM_Number(node, word));
}

/* The kind word of a record entry, by the record's sort. */
const char* recordKind(const BOM_DESCRIPTION_NODE* record)
{
    static constexpr const char* kKinds[] = {"PROXY", "SEARCH", "DOCUMENT", "IDENTIFIER"};
    return kKinds[(record->lKind % 100) / 10];
}

/* The name of a record's table: its record entry for a data record, its
** dispatch record entry for a dispatch record. */
std::string recordTableName(const BOM_DESCRIPTION_NODE* record, const BOM_RECORD_NAMES& n)
{
    return (BOMGEN_fIsDataRecord(record) ? "X_BOM_RECORD_" : "X_BOM_") + n.kindCode + "_" + n.identifier;
}

/* A name or description as a text literal: array form for the model's
** tables, define form for records and fields. */
std::string literal(const char* prefix, std::string_view value, bool arrayForm)
{
    CGEN_SetTextLiteralPrefix(prefix);
    const char* reference = nullptr;
    const char* declared = nullptr;
    if (arrayForm)
        CGEN_GetTextLiteralArrayName(value, nullptr, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    else
        CGEN_GetTextLiteralDefineName(value, nullptr, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    return reference ? reference : "";
}

/* The descriptive nodes and how their tables are written. */
struct TableKind {
    int32_t kind;
    const char* type;
    const char* name; /* "%ld" of the numbering word */
    int numberedBy;
    const char* kindLine;
    std::vector<int> numbers; /* the words of the numbers line */
    std::vector<int> lists;   /* the member lists walked first */
};

const std::vector<TableKind>& tableKinds()
{
    static const std::vector<TableKind> kinds = {
        {1100,
         "X_BOM_DOCUMENT",
         "X_BomDocument_%ld",
         3,
         "X_BOM_KIND_DEF_DOCUMENT",
         {3, 4, 6, 8, 10, 12, 14},
         {10, 8, 12, 14, 6, 4}},
        {1101,
         "X_BOM_DOCUMENT",
         "X_BomDocument_%ld",
         3,
         "X_BOM_KIND_DEF_DOCUMENT_ENUMERATION",
         {3, 4, 6, 8, 10, 12, 14},
         {10, 8, 12, 14, 6, 4}},
        {1102,
         "X_BOM_DOCUMENT",
         "X_BomDocument_%ld",
         3,
         "X_BOM_KIND_DEF_DOCUMENT_CODE_TABLE",
         {3, 4, 6, 8, 10, 12, 14},
         {10, 8, 12, 14, 6, 4}},
        {1103,
         "X_BOM_DOCUMENT",
         "X_BomDocument_%ld",
         3,
         "X_BOM_KIND_DEF_DOCUMENT_ENTITY",
         {3, 4, 6, 8, 10, 12, 14},
         {10, 8, 12, 14, 6, 4}},
        {1104,
         "X_BOM_DOCUMENT",
         "X_BomDocument_%ld",
         3,
         "X_BOM_KIND_DEF_DOCUMENT_TRANSIENT",
         {3, 4, 6, 8, 10, 12, 14},
         {10, 8, 12, 14, 6, 4}},
        {1110,
         "X_BOM_ASSOCIATION",
         "X_BomAssociation_%ld",
         3,
         "X_BOM_KIND_DEF_ASSOCIATION",
         {3, 4, 6, 8, 10, 12},
         {8, 10, 12, 6, 4}},
        {1130,
         "X_BOM_SPECIALIZATION",
         "X_BomSpecialization_%ld",
         3,
         "X_BOM_KIND_DEF_SPECIALIZATION",
         {3, 4, 6, 8, 10, 12},
         {8, 10, 12, 6, 4}},
        {1120,
         "X_BOM_ATTRIBUTE_DATA_FIELD",
         "X_BomAttribute_%ld",
         5,
         "X_BOM_KIND_DEF_ATTRIBUTE_DATA_FIELD",
         {4, 5, 6},
         {6}},
        {1121, "X_BOM_ATTRIBUTE_JOIN", "X_BomAttribute_%ld", 3, "X_BOM_KIND_DEF_ATTRIBUTE_JOIN", {3, 4, 5}, {5}},
        {1170, "X_BOM_SEARCH_GENERIC", "X_BomSearch_%ld", 3, "X_BOM_KIND_DEF_SEARCH_GENERIC", {3, 4, 6, 8}, {4, 6, 8}},
        {1171, "X_BOM_SEARCH_GENERIC_KEY", "X_BomSearchKey_%ld", 4, "X_BOM_KIND_DEF_SEARCH_GENERIC_KEY", {3, 4, 5}, {}},
    };
    return kinds;
}

const TableKind* tableKindOf(const BOM_DESCRIPTION_NODE* node)
{
    for (const TableKind& k : tableKinds())
        if (node && node->lKind == k.kind)
            return &k;
    return nullptr;
}

std::string tableName(const TableKind& k, const BOM_DESCRIPTION_NODE* node)
{
    return P3109_Format(k.name, number(node, k.numberedBy));
}

/* The state of one description run: the records already defined, the
** current identifier record of the record entries. */
struct DescriptionRun {
    std::set<std::string> definedRecords;
    const BOM_DESCRIPTION_NODE* identifier = nullptr;
};

const BOM_DESCRIPTION_NODE* firstIdentifier(const BOM_DESCRIPTION_NODE* node, int word)
{
    for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i)
        if (const BOM_DESCRIPTION_NODE* r = BOMGEN_pChild(node, word, i); r && r->lKind == BOM_KIND_IDENTIFIER_RECORD)
            return r;
    return nullptr;
}

void writeTable(const TableKind& k, const BOM_DESCRIPTION_NODE* node)
{
    line(P3109_Format("static const %s %s =", k.type, tableName(k, node).c_str()));
    line("{");
    line(P3109_Format("   %s,", k.kindLine));
    line("   " + literal("NAME", BOMGEN_pszText(node, 1), true) + ",");
    line("   " + literal("DESC", BOMGEN_pszText(node, 2), true) + ",");
    if (node->lKind == BOM_KIND_ATTRIBUTE_DATA_FIELD)
        line("   \"\",");
    std::string numbers = "   ";
    for (size_t i = 0; i < k.numbers.size(); ++i)
        numbers += (i ? ", " : "") + std::to_string(number(node, k.numbers[i]));
    line(numbers);
    line("};");
    line("");
}

void writeLink(const BOM_DESCRIPTION_NODE* node)
{
    switch (node->lKind) {
    case 1040:
        line(P3109_Format("static const X_BOM_CONTENT_LINK X_BomLinkDocumentHome_%ld =", number(node, 1)));
        line("{");
        line("   X_BOM_KIND_DEF_CONTENT_LINK_DOCUMENT_HOME,");
        break;
    case 1050:
        line("static const X_BOM_CONTENT_LINK X_BomLinkProxyServer =");
        line("{");
        line("   X_BOM_KIND_DEF_CONTENT_LINK_PROXY_SERVER,");
        break;
    default:
        line("static const X_BOM_CONTENT_LINK X_BomLinkDocumentServer =");
        line("{");
        line("   X_BOM_KIND_DEF_CONTENT_LINK_DOCUMENT_SERVER,");
        break;
    }
    line(P3109_Format("   X_Get_Module_Member_Info_%08ld", number(node, 1)));
    line("};");
    line("");
}

std::string linkName(const BOM_DESCRIPTION_NODE* node)
{
    if (node->lKind == 1040)
        return P3109_Format("X_BomLinkDocumentHome_%ld", number(node, 1));
    return node->lKind == 1050 ? "X_BomLinkProxyServer" : "X_BomLinkDocumentServer";
}

/* The defined fields of a record with their names. */
std::vector<BOM_FIELD_NAMES> recordFields(const BOM_DESCRIPTION_NODE* record, const BOM_RECORD_NAMES& n)
{
    std::vector<BOM_FIELD_NAMES> fields;
    for (intptr_t i = 0; i < n.lFieldCount; ++i) {
        BOM_FIELD_NAMES f;
        if (BOMGEN_fFieldNames(record, n.ppFields[i], f))
            fields.push_back(std::move(f));
    }
    return fields;
}

void fieldRow(const std::string& variable, const BOM_FIELD_NAMES& f, bool first)
{
    const GEN_FIELD_INFO& info = f.definition;
    GEN_OUTPUT_STATE& o = P3109_State().out;
    const uint16_t indent = o.usIndent;
    const bool extended = P3109_fNeedsZophxHandling(info) != 0;
    const bool scalar = info.cType == 'L' || info.cType == 'D' || extended;
    o.usIndent = static_cast<uint16_t>(indent + 3);
    line(P3109_Format("%s%s,%s,%s,%s,'%c',", first ? " " : ",", literal("NAME", f.name, false).c_str(),
                      P3109_pszFieldTypeName(&info).c_str(), P3109_pszComponentTypeName(info, false),
                      P3109_pszComponentSubtypeName('F', &info, false), info.cShift));
    std::string size = extended            ? P3109_Format("sizeof( %s.%s )", variable.c_str(), info.localName.c_str())
                       : info.cType == 'D' ? "sizeof(X_DOUBLE)"
                       : info.cType == 'L' ? "sizeof(X_LONG)"
                                           : std::to_string(info.usByteLength);
    o.usIndent = static_cast<uint16_t>(indent + 6);
    line(P3109_Format("%d,%s,%d,", info.lLength > 32767 ? -1 : static_cast<int>(info.lLength), size.c_str(),
                      static_cast<int>(info.sDecimals)));
    const std::string reference = std::string(scalar ? "(X_PDICTIONARY_FIELD) " : "") + "&(" + variable + "." +
                                  info.localName + (info.usByteLength > 1 && !scalar ? "[0])" : ")");
    line(reference + "," + P3109_MakeShortLiteral(0) + ",NO ");
    o.usIndent = indent;
}

/* Steps 1 to 5 of a data record: its variable and field tables. */
void recordDefinitions(const BOM_DESCRIPTION_NODE* record, const BOM_RECORD_NAMES& n,
                       const std::vector<BOM_FIELD_NAMES>& fields)
{
    const char* k = n.kindCode.c_str();
    const char* id = n.identifier.c_str();
    const std::string variable = P3109_Format("rec_%s_%s", k, id);
    line("");
    line(P3109_Format("/* Static Definitions for %s %s record */", n.name.c_str(), k));
    line("");
    line(P3109_Format("static struct %s %s;", n.structureTag.c_str(), variable.c_str()));
    line("");
    line(P3109_Format("static struct X_FLD X_Fld_%s_%s[] =", k, id));
    line("{");
    for (size_t i = 0; i < fields.size(); ++i)
        fieldRow(variable, fields[i], i == 0);
    line("};");
    line("");
    line(P3109_Format("static struct X_LMAP X_LMap_%s_%s[] =", k, id));
    line("{");
    for (size_t i = 0; i < fields.size(); ++i)
        line("   " + fields[i].vectorName + ",-1" + (i + 1 < fields.size() ? "," : ""));
    line("};");
    line("");
    line(P3109_Format("static X_ULONG X_Offsets_%s_%s[] =", k, id));
    line("{");
    for (size_t i = 0; i < fields.size(); ++i)
        line("   offsetof( struct " + n.structureTag + ", " + fields[i].localName + " )" +
             (i + 1 < fields.size() ? "," : ""));
    line("};");
    line("");
    const std::string name = literal("NAME", n.name, false);
    /* the form of the dispatch records' record descriptions, which the
       runtime reads through one type */
    line(P3109_Format("static const struct X_DRD X_DRD_%s_%s =", k, id));
    line("{");
    line(P3109_Format("   X_DRD_CURRENT, %s, sizeof(struct %s),", name.c_str(), n.structureTag.c_str()));
    line(P3109_Format("   %d, X_Fld_%s_%s, X_LMap_%s_%s, X_Offsets_%s_%s,", static_cast<int>(fields.size()), k, id, k,
                      id, k, id));
    line(P3109_Format("   &(%s), pX_NULL", variable.c_str()));
    line("};");
    line("");
}

/* Step 6: the record entry with its routine slots. */
void recordEntry(const BOM_DESCRIPTION_NODE* record, const BOM_RECORD_NAMES& n, const BOM_DESCRIPTION_NODE* identifier)
{
    const char* k = n.kindCode.c_str();
    const char* id = n.identifier.c_str();
    line(P3109_Format("static const X_BOM_RECORD %s =", recordTableName(record, n).c_str()));
    line("{");
    P3109_IndentIn();
    line(P3109_Format("X_BOM_KIND_DEF_%s_RECORD, %s, %ld, %ld, %ld, &( X_DRD_%s_%s ),", recordKind(record),
                      literal("NAME", n.name, false).c_str(), number(record, 2), number(record, 3), number(record, 4),
                      k, id));
    const bool search = record->lKind == BOM_KIND_SEARCH_RECORD;
    const bool ownKeys = record->lKind == BOM_KIND_IDENTIFIER_RECORD;
    const bool keyed = !search && (ownKeys || identifier != nullptr);
    auto slot = [&](const char* routine, bool present, bool last) {
        line(present ? BOMGEN_RecordRoutineName(routine, record) + (last ? "" : ",") : "pX_NULL,");
    };
    slot("Release", true, false);
    slot("Copy_DDD", true, false);
    slot(ownKeys ? "Copy_DDD" : "Copy_DII", keyed, false);
    slot(ownKeys ? "Copy_DDD" : "Copy_IDI", keyed, false);
    slot("Move_DDD", true, false);
    line("pX_NULL,");
    slot("Compare_DDD", true, false);
    slot(ownKeys ? "Compare_DDD" : "Compare_DII", keyed, false);
    slot(ownKeys ? "Compare_DDD" : "Compare_DDI", keyed, false);
    slot("IsEqual_DDD", true, false);
    slot(ownKeys ? "IsEqual_DDD" : "IsEqual_DII", keyed, false);
    slot(ownKeys ? "IsEqual_DDD" : "IsEqual_DDI", keyed, true);
    P3109_IndentOut();
    line("};");
    line("");
}

void dataRecord(const BOM_DESCRIPTION_NODE* record, DescriptionRun& run)
{
    BOM_RECORD_NAMES n;
    BOMGEN_MakeRecordNames(record, n);
    if (!run.definedRecords.insert(recordTableName(record, n)).second)
        return;
    const std::vector<BOM_FIELD_NAMES> fields = recordFields(record, n);
    recordDefinitions(record, n, fields);
    recordEntry(record, n, run.identifier);
}

void dispatchRecord(const BOM_DESCRIPTION_NODE* record, DescriptionRun& run)
{
    BOM_RECORD_NAMES n;
    BOMGEN_MakeRecordNames(record, n);
    const std::string table = recordTableName(record, n);
    if (!run.definedRecords.insert(table).second)
        return;
    line("static const X_BOM_DISPATCH_RECORD " + table + " =");
    line("{");
    line(P3109_Format("   X_BOM_KIND_DEF_DISPATCH_%s_RECORD,", recordKind(record)));
    line("   " + literal("NAME", n.name, true) + ",");
    line(P3109_Format("   %ld, %s, pX_NULL,", static_cast<long>(n.lNumber), n.vectorName.c_str()));
    line("   " + BOMGEN_DispatchRoutineName("Assemble", n) + ",");
    line("   " + BOMGEN_DispatchRoutineName("Disassemble", n));
    line("};");
    line("");
}

void documentDescriptions(const BOM_DESCRIPTION_NODE* node, DescriptionRun& run, int depth)
{
    if (!node || depth > kMaxDepth)
        return;
    auto walk = [&](int word) {
        for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i)
            documentDescriptions(BOMGEN_pChild(node, word, i), run, depth + 1);
    };
    if (BOMGEN_fIsContainer(node)) {
        walk(1);
        return;
    }
    if (BOMGEN_fIsLink(node)) {
        writeLink(node);
        return;
    }
    if (BOMGEN_fWriteServiceTableEntry(node)) {
        line("");
        return;
    }
    if (BOMGEN_fIsDataRecord(node)) {
        dataRecord(node, run);
        return;
    }
    if (BOMGEN_fIsDispatchRecord(node)) {
        dispatchRecord(node, run);
        return;
    }
    const TableKind* k = tableKindOf(node);
    if (!k)
        return;
    if (BOMGEN_fIsDocument(node))
        run.identifier = firstIdentifier(node, 12);
    else if (node->lKind == BOM_KIND_ASSOCIATION)
        run.identifier = firstIdentifier(node, 10);
    for (int word : k->lists)
        walk(word);
    writeTable(*k, node);
}

/* ---- content tables ---- */

struct Feature {
    int32_t kind;
    const char* constant;
};

constexpr Feature kFeatures[] = {
    {3000, "X_BOM_KIND_DEF_FEATURE,"},
    {3001, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_HOME_ACCESSOR,"},
    {3002, "X_BOM_KIND_DEF_FEATURE_PROXY_ORIGIN_STORE_ACCESSOR,"},
    {3003, "X_BOM_KIND_DEF_FEATURE_PROXY_ORIGIN_STORE_ITERATOR,"},
    {3004, "X_BOM_KIND_DEF_FEATURE_PROXY_ORIGIN_STORE_FIND,"},
    {3005, "X_BOM_KIND_DEF_FEATURE_PROXY_CHILD_STORE_ACCESSOR,"},
    {3006, "X_BOM_KIND_DEF_FEATURE_PROXY_CHILD_STORE_ITERATOR,"},
    {3007, "X_BOM_KIND_DEF_FEATURE_PROXY_CHILD_STORE_FIND,"},
    {3020, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_CREATE,"},
    {3021, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_ACCESSOR,"},
    {3022, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_ITERATOR,"},
    {3023, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_ADD,"},
    {3024, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_DELETE_ALL,"},
    {3030, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_ACCESSOR,"},
    {3031, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_ITERATOR,"},
    {3032, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_ADD,"},
    {3033, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_DELETE_ALL,"},
    {3040, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_CREATE,"},
    {3041, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_DELETE,"},
    {3042, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_DESTROY,"},
    {3043, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_OPEN,"},
    {3044, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_SAVE,"},
    {3045, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_VERIFY,"},
    {3046, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_MESSAGES,"},
    {3050, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_DELETE,"},
    {3060, "X_BOM_KIND_DEF_FEATURE_RESULT_SET_ITERATOR,"},
    {3061, "X_BOM_KIND_DEF_FEATURE_RESULT_SET_FIND,"},
    {3090, "X_BOM_KIND_DEF_FEATURE_JOIN,"},
    {3091, "X_BOM_KIND_DEF_FEATURE_SEARCH_GENERIC,"},
    {4000, "X_BOM_KIND_DEF_FEATURE_PROXY_DATA_FIELD,"},
    {4001, "X_BOM_KIND_DEF_FEATURE_DOCUMENT_DATA_FIELD,"},
    {4002, "X_BOM_KIND_DEF_FEATURE_IDENTIFIER_DATA_FIELD,"},
};

void item(const std::string& name)
{
    line("   ((X_BOM_HEADER*)( &( " + name + " ) )),");
}

/* The word of a node's feature list; 0 for kinds without one. */
int featureWord(const BOM_DESCRIPTION_NODE* node)
{
    if (BOMGEN_fIsDocument(node))
        return 14;
    if (node->lKind == BOM_KIND_ASSOCIATION || node->lKind == BOM_KIND_SPECIALIZATION)
        return 12;
    return node->lKind == BOM_KIND_GENERIC_SEARCH ? 8 : 0;
}

/* The member lists each kind's content walk visits, in order. */
std::vector<int> contentLists(const BOM_DESCRIPTION_NODE* node)
{
    if (BOMGEN_fIsDocument(node))
        return {10, 8, 12, 6, 4, 14};
    if (node->lKind == BOM_KIND_ASSOCIATION || node->lKind == BOM_KIND_SPECIALIZATION)
        return {8, 10, 6, 4};
    if (node->lKind == BOM_KIND_ATTRIBUTE_DATA_FIELD)
        return {6};
    if (node->lKind == BOM_KIND_ATTRIBUTE_JOIN)
        return {5};
    if (node->lKind == BOM_KIND_GENERIC_SEARCH)
        return {4, 6};
    return {};
}

const char* commentLabel(const BOM_DESCRIPTION_NODE* node)
{
    if (BOMGEN_fIsDocument(node))
        return "Document";
    switch (node->lKind) {
    case BOM_KIND_ASSOCIATION: return "Association";
    case BOM_KIND_SPECIALIZATION: return "Specialization";
    case BOM_KIND_ATTRIBUTE_DATA_FIELD: return "Attribute Data Field";
    case BOM_KIND_ATTRIBUTE_JOIN: return "Attribute Join";
    case BOM_KIND_GENERIC_SEARCH: return "Generic Search";
    default: return nullptr;
    }
}

void commentLine(const BOM_DESCRIPTION_NODE* node)
{
    const TableKind* k = tableKindOf(node);
    line(P3109_Format("   /* %s: %s %ld */", commentLabel(node), BOMGEN_pszText(node, 1),
                      k ? number(node, k->numberedBy) : 0L));
}

void phaseOneItem(const BOM_DESCRIPTION_NODE* node, std::set<std::string>& listed)
{
    std::string name;
    if (BOMGEN_fIsLink(node)) {
        name = linkName(node);
    } else if (BOMGEN_fIsDataRecord(node) || BOMGEN_fIsDispatchRecord(node)) {
        BOM_RECORD_NAMES n;
        BOMGEN_MakeRecordNames(node, n);
        name = recordTableName(node, n);
    } else if (const char* service = BOMGEN_pszServiceTableName(node)) {
        name = service;
    } else if (const TableKind* k = tableKindOf(node)) {
        name = tableName(*k, node);
    }
    /* a table listed twice would be one entry counted twice */
    if (!name.empty() && listed.insert(name).second)
        item(name);
}

void contentPhase(const BOM_DESCRIPTION_NODE* node, int phase, std::set<std::string>& listed, int depth)
{
    if (!node || depth > kMaxDepth)
        return;
    if (BOMGEN_fIsContainer(node)) {
        for (intptr_t i = 0; i < BOMGEN_lCount(node, 1); ++i)
            contentPhase(BOMGEN_pChild(node, 1, i), phase, listed, depth + 1);
        return;
    }
    const bool commented = commentLabel(node) != nullptr;
    const bool commentFirst =
        BOMGEN_fIsDocument(node) || node->lKind == BOM_KIND_ASSOCIATION || node->lKind == BOM_KIND_SPECIALIZATION;
    if (phase == 1) {
        if (commented && commentFirst)
            commentLine(node);
        phaseOneItem(node, listed);
        if (commented && !commentFirst && node->lKind != BOM_KIND_GENERIC_SEARCH)
            commentLine(node);
    } else if (phase == 3) {
        const int word = featureWord(node);
        if (word != 0 && BOMGEN_lCount(node, word) > 0) {
            commentLine(node);
            for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i)
                for (const Feature& f : kFeatures)
                    if (const BOM_DESCRIPTION_NODE* n = BOMGEN_pChild(node, word, i); n && n->lKind == f.kind)
                        line(std::string("   ") + f.constant);
        }
    }
    if (phase == 2)
        return;
    for (int word : contentLists(node)) {
        if (phase == 3 && word == featureWord(node))
            continue;
        for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i)
            contentPhase(BOMGEN_pChild(node, word, i), phase, listed, depth + 1);
    }
}

const char* contentKindLine(const BOM_DESCRIPTION_NODE* root)
{
    switch (root->lKind) {
    case 1010: return "   X_BOM_KIND_DEF_CONTENT_DOCUMENT_HOME,";
    case 1020: return "   X_BOM_KIND_DEF_CONTENT_PROXY_SERVER,";
    case 1030: return "   X_BOM_KIND_DEF_CONTENT_DOCUMENT_SERVER,";
    default: return "   X_BOM_KIND_DEF_CONTENT_MODEL_HOME,";
    }
}

/* ---- first-time initialisation ---- */

void lovalWalk(const BOM_DESCRIPTION_NODE* node, std::set<std::string>& done, int depth)
{
    if (!node || depth > kMaxDepth)
        return;
    auto walk = [&](std::initializer_list<int> words) {
        for (int word : words)
            for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i)
                lovalWalk(BOMGEN_pChild(node, word, i), done, depth + 1);
    };
    if (BOMGEN_fIsContainer(node)) {
        walk({1});
    } else if (BOMGEN_fIsDocument(node)) {
        walk({10, 12, 6, 4});
    } else if (node->lKind == BOM_KIND_ASSOCIATION || node->lKind == BOM_KIND_SPECIALIZATION) {
        walk({10, 6, 4});
    } else if (BOMGEN_fIsDataRecord(node)) {
        BOM_RECORD_NAMES n;
        BOMGEN_MakeRecordNames(node, n);
        const std::string variable = "rec_" + n.kindCode + "_" + n.identifier;
        if (!done.insert(variable).second)
            return;
        line("");
        line(P3109_Format("memset( &( %s ), LOVAL, sizeof( struct %s ) );", variable.c_str(), n.structureTag.c_str()));
        const GEN_OUTPUT_STATE& o = P3109_State().out;
        for (const BOM_FIELD_NAMES& f : recordFields(node, n))
            P3109_WriteFieldDataVersion(o.current, static_cast<int16_t>(o.usIndent), f.definition,
                                        "(&(" + variable + "." + f.localName + "))");
    }
}

}  // namespace

void BOMGEN_WriteContentDescription(const BOM_DESCRIPTION_NODE* node, int iPhase)
{
    std::set<std::string> listed;
    contentPhase(node, iPhase, listed, 0);
}

void BOMGEN_WriteLovalInitialisation(const BOM_DESCRIPTION_NODE* node)
{
    std::set<std::string> done;
    lovalWalk(node, done, 0);
}

void BOMGEN_WriteDescriptions(const BOM_DESCRIPTION_NODE* root)
{
    if (!BOMGEN_fIsContainer(root))
        return;
    BOMGEN_WriteDocumentDescriptions(root);

    line("static const X_BOM_HEADER * X_BomContentItems[] =");
    line("{");
    BOMGEN_WriteContentDescription(root, 1);
    line("   pX_NULL,");
    BOMGEN_WriteContentDescription(root, 2);
    line("   pX_NULL");
    line("};");
    line("");
    line("static const X_BOM_KIND X_BomContentFeatures[] =");
    line("{");
    BOMGEN_WriteContentDescription(root, 3);
    line("   X_BOM_KIND_NULL");
    line("};");
    line("");
    line("static const X_BOM_CONTENT X_BomContent =");
    line("{");
    line(contentKindLine(root));
    line("   ( sizeof( X_BomContentItems ) / sizeof(PX_BOM_HEADER) ),");
    line("   ((X_BOM_HEADER**) X_BomContentItems),");
    line("   ( sizeof( X_BomContentFeatures ) / sizeof(X_BOM_KIND) ),");
    line("   ((X_BOM_KIND*) X_BomContentFeatures)");
    line("};");
    line("");

    line("/* First time initialization of Data Record assembly areas */");
    line("{");
    P3109_IndentIn();
    line("static X_BOOL");
    line("  bFirstTime = TRUE;");
    line("");
    line("if ( bFirstTime )");
    line("{");
    P3109_IndentIn();
    line("bFirstTime = FALSE;");
    BOMGEN_WriteLovalInitialisation(root);
    P3109_IndentOut();
    line("}");
    P3109_IndentOut();
    line("}");
    line("");
    line("pvDescription = ((X_VOID*)( &( X_BomContent ) ));");
}

void BOMGEN_WriteDocumentDescriptions(const BOM_DESCRIPTION_NODE* node)
{
    DescriptionRun run;
    documentDescriptions(node, run, 0);
}

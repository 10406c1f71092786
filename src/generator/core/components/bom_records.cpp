/*
** bom_records.cpp: names, structure definitions and routines of the data
** records of a component.
**
** Routine names carry the record's sort ("PR", "SR", "DR", "IR"), its
** number and the module suffix (the object's C name), so that the records
** of several members of a compound component live side by side. Copy,
** move, compare and equality routines come in variants named by three
** letters: the source record, the target record and the record whose
** field list is walked (D the record itself, I its identifier record).
**
** A structure tag names one type: two record nodes that would give the
** same tag (a document record and the dispatch record of the same name)
** get one definition, the first.
*/
#include "generator/core/components/bom_records.h"

#include <cstdio>
#include <set>
#include <vector>

#include "generator/core/components/record_compare.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/file_field_mangling.h"
#include "generator/core/model/object_data.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace {

bool kindIn(const BOM_DESCRIPTION_NODE* node, int32_t first, int32_t last)
{
    return node && node->lKind >= first && node->lKind <= last;
}

/* The word of a record's field count: 5 for data records, 4 for dispatch
** records. */
int fieldWord(const BOM_DESCRIPTION_NODE* record)
{
    return BOMGEN_fIsDispatchRecord(record) ? 4 : 5;
}

const char* sortCode(const BOM_DESCRIPTION_NODE* record)
{
    switch (record->lKind % 100) {
    case 0: return "PR";
    case 10: return "SR";
    case 20: return "DR";
    default: return "IR";
    }
}

void line(std::string_view text)
{
    P3109_Line(text);
}

/* The description the points of the component records work on, fetched
** when none is at hand. */
const BOM_DESCRIPTION_NODE* description()
{
    const BOM_DESCRIPTION_NODE* d = g().pDescription;
    return d ? d : P3109_pRetrieveDescription();
}

void open(std::string_view head)
{
    line(head);
    line("{");
    P3109_Parts().pfnExpressionIndentIn();
}

void close()
{
    P3109_Parts().pfnExpressionIndentOut();
    line("}");
}

void declare(const char* pointer, const char* argument, const BOM_DESCRIPTION_NODE* record)
{
    BOM_RECORD_NAMES n;
    BOMGEN_MakeRecordNames(record, n);
    line(P3109_Format("struct %s * %s = ((struct %s*) %s);", n.structureTag.c_str(), pointer, n.structureTag.c_str(),
                      argument));
}

void forEachField(const BOM_DESCRIPTION_NODE* record, char cStep)
{
    const int word = fieldWord(record);
    for (intptr_t i = 0; i < BOMGEN_lCount(record, word); ++i)
        BOMGEN_WriteRecordRoutine(BOMGEN_pChild(record, word, i), cStep);
}

std::string structureTag(const BOM_DESCRIPTION_NODE* record)
{
    BOM_RECORD_NAMES n;
    BOMGEN_MakeRecordNames(record, n);
    return n.structureTag;
}

/* The whole-record copy of two records of one structure. */
void wholeRecordCopy(const BOM_DESCRIPTION_NODE* target, const BOM_DESCRIPTION_NODE* source)
{
    const std::string r = structureTag(target), s = structureTag(source);
    line(P3109_Format("X_CPYBYTES( ((struct %s*) pvRec1), ((struct %s*) pvRec2), sizeof( struct %s ) );", r.c_str(),
                      s.c_str(), r.c_str()));
}

/* The body of a copy or move between two records of one kind whose fields
** include variable ones: a whole-record copy, then the variable fields. */
void copyWithVariableFields(const BOM_DESCRIPTION_NODE* record, const BOM_DESCRIPTION_NODE* fieldList, char cStep)
{
    declare("pRec1", "pvRec1", record);
    declare("pRec2", "pvRec2", record);
    line("");
    line(P3109_Format("memcpy( pRec1, pRec2, sizeof( struct %s ) );", structureTag(record).c_str()));
    line("");
    forEachField(fieldList, cStep);
}

/* The body of a copy or move from the source record (pvRec2) into the
** target (pvRec1): field by field between records of two kinds, else a
** whole-record copy, followed by the variable fields (cVariableStep) where
** the record has any. */
void transferBody(const BOM_DESCRIPTION_NODE* target, const BOM_DESCRIPTION_NODE* source,
                  const BOM_DESCRIPTION_NODE* fieldList, bool fieldByField, char cVariableStep)
{
    if (fieldByField) {
        declare("pRec1", "pvRec1", target);
        declare("pRec2", "pvRec2", source);
        forEachField(fieldList, 'A');
    } else if (BOMGEN_fRecordHasVarFields(fieldList)) {
        copyWithVariableFields(source, fieldList, cVariableStep);
    } else {
        wholeRecordCopy(target, source);
    }
}

/* The head of a routine over two records, opening its body. */
void openPairRoutine(const char* type, const std::string& routine, const BOM_DESCRIPTION_NODE* record)
{
    open(P3109_Format("%s %s( const void * pvRec1, const void * pvRec2)", type,
                      BOMGEN_RecordRoutineName(routine.c_str(), record).c_str()));
}

/* The three-letter variant of a routine over two records and a field list. */
const char* pairVariant(const BOM_DESCRIPTION_NODE* first, const BOM_DESCRIPTION_NODE* second,
                        const BOM_DESCRIPTION_NODE* fieldList)
{
    if (first != second)
        return "DII";
    return first != fieldList ? "DDI" : "DDD";
}

/* The compare and equality routines share their frame. */
void writeComparison(const char* type, const char* routine, const BOM_DESCRIPTION_NODE* first,
                     const BOM_DESCRIPTION_NODE* second, const BOM_DESCRIPTION_NODE* fieldList, char cStep,
                     const char* result)
{
    openPairRoutine(type, P3109_Format("%s_%s", routine, pairVariant(first, second, fieldList)), first);
    declare("pRec1", "pvRec1", first);
    declare("pRec2", "pvRec2", second);
    line("X_LONG lCompare = 0;");
    /* a record of fields that need no three-way comparison leaves it unread */
    line("(void) lCompare;");
    line("");
    forEachField(fieldList, cStep);
    line("");
    line(result);
    close();
}

/* The assemble and disassemble routines of a dispatch record share their
** frame: the record's fields moved to or from the module's field vector. */
void assemblyRoutine(const char* routine, const BOM_DESCRIPTION_NODE* record, char cStep)
{
    BOM_RECORD_NAMES n;
    BOMGEN_MakeRecordNames(record, n);
    open(P3109_Format("void %s( X_COMP_MODULE_FRAME *  pModuleFrame, const void * pvRec )",
                      BOMGEN_DispatchRoutineName(routine, n).c_str()));
    line("struct X_FLD * pX_Fld = pModuleFrame->pX_Fld;");
    declare("pRec", "pvRec", record);
    line("");
    forEachField(record, cStep);
    close();
}

void typedefMember(const BOM_DESCRIPTION_NODE* record, const BOM_DESCRIPTION_NODE* member, bool& wroteMember)
{
    const GEN_STREAM stg = g().stg;
    if (member->lKind == BOM_KIND_POINTER_MEMBER) {
        P3109_WriteLine(stg, 3, P3109_Format("X_PVOID p%s;", BOMGEN_pszText(member, 2)));
        wroteMember = true;
        return;
    }
    BOM_FIELD_NAMES f;
    if (member->lKind != BOM_KIND_RECORD_FIELD || !BOMGEN_fFieldNames(record, member, f))
        return;
    const GEN_FIELD_INFO& info = f.definition;
    std::string declaration;
    if (P3109_fIsZophxOnlyType(info.cType)) {
        declaration = P3109_WriteRecordFieldDeclaration(info);
    } else {
        const char* word = info.cType == 'D'   ? "DOUBLE"
                           : info.cType == 'L' ? "LONG"
                           : info.cType == 'P' ? "PACKED"
                           : info.cType == 'S' ? "SIGNED"
                                               : "ALPHA";
        declaration = info.usByteLength == 1 || info.cType == 'L' || info.cType == 'D'
                          ? P3109_Format("X_DICTIONARY_%s %s", word, info.localName.c_str())
                          : P3109_Format("X_DICTIONARY_%s %s[BYTE_LEN_%s]", word, info.localName.c_str(),
                                         info.vectorName.c_str());
    }
    if (declaration.empty())
        return;
    P3109_WriteLine(stg, 3, declaration + ";");
    wroteMember = true;
}

/* The C# twin of a record's structure: a class whose members hold the
** members' storage (a pointer member an object), and the record's size. */
void writeCSharpRecordClass(const BOM_DESCRIPTION_NODE* record, const BOM_RECORD_NAMES& n)
{
    const GEN_STREAM cs = g().csStreams[1];
    if (cs == GEN_NO_STREAM)
        return;
    P3109_WriteLine(cs, 3, "public class " + n.structureTag);
    P3109_WriteLine(cs, 3, "{");
    uint32_t total = 0;
    for (intptr_t i = 0; i < n.lFieldCount; ++i) {
        const BOM_DESCRIPTION_NODE* member = n.ppFields[i];
        if (member->lKind == BOM_KIND_POINTER_MEMBER) {
            P3109_WriteLine(cs, 6, P3109_Format("public object p%s;", BOMGEN_pszText(member, 2)));
            total += 8;
            continue;
        }
        BOM_FIELD_NAMES f;
        if (member->lKind != BOM_KIND_RECORD_FIELD || !BOMGEN_fFieldNames(record, member, f))
            continue;
        const GEN_FIELD_INFO& info = f.definition;
        uint32_t size = info.usByteLength;
        if (P3109_fNeedsZophxHandling(info) || size == 0)
            P3109_GetFieldStorageSize(info.cType, info.lLength, info.sDecimals, false, false, info.fNational(), size);
        P3109_WriteLine(cs, 6, P3109_Format("public object %s = new byte[%u];", info.localName.c_str(), size));
        total += size;
    }
    P3109_WriteLine(cs, 6, P3109_Format("public const int RECORD_SIZE = %u;", total));
    P3109_WriteLine(cs, 3, "}");
}

/* A dispatch record's data record and record field, instance variables of
** the module (once each, also when a data record of the same kind and name
** already gave the structure). */
void addDispatchStatics(const BOM_RECORD_NAMES& n)
{
    const char* k = n.kindCode.c_str();
    const char* id = n.identifier.c_str();
    CGEN_AddStaticWorkingEntry(1, P3109_Format("struct X_%s_%s fDataRec_%s_%s", k, id, k, id), "",
                               P3109_Format("public object fDataRec_%s_%s", k, id), "", GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingEntry(1, P3109_Format("X_FLD_RECORD fRec_%s_%s", k, id), "",
                               P3109_Format("public X_FLD_RECORD fRec_%s_%s", k, id), "", GEN_STATIC_UNIQUE);
}

void writeOneTypedef(const BOM_DESCRIPTION_NODE* record, std::set<std::string>& written)
{
    BOM_RECORD_NAMES n;
    BOMGEN_MakeRecordNames(record, n);
    if (BOMGEN_fIsDispatchRecord(record))
        addDispatchStatics(n);
    if (!written.insert(n.structureTag).second)
        return;
    const GEN_STREAM stg = g().stg;
    P3109_WriteDoubleBoxComment(stg, P3109_Format("%s %s Data Record Definition", n.name.c_str(), n.kindCode.c_str()));
    P3109_WriteLine(stg, 0, " ");
    P3109_WriteLine(stg, 0, "#include \"x_strpck.h\" ");
    P3109_WriteLine(stg, 0, " ");
    P3109_WriteLine(stg, 0, "typedef struct " + n.structureTag);
    P3109_WriteLine(stg, 0, "{");
    bool wroteMember = false;
    for (intptr_t i = 0; i < n.lFieldCount; ++i)
        typedefMember(record, n.ppFields[i], wroteMember);
    /* a structure of no member is no C */
    if (!wroteMember)
        P3109_WriteLine(stg, 3, "X_CHAR chDummyField;");
    /* the typedef names its type: one without a name declares nothing */
    P3109_WriteLine(stg, 0, "} " + n.structureTag + ";");
    P3109_WriteLine(stg, 0, " ");
    P3109_WriteLine(stg, 0, "#include \"x_endpck.h\" ");
    P3109_WriteLine(stg, 0, " ");
    writeCSharpRecordClass(record, n);
}

/* The member lists each kind's structure walk visits, in order. */
void typedefWalk(const BOM_DESCRIPTION_NODE* node, std::set<std::string>& written, int depth)
{
    if (!node || depth > 32)
        return;
    auto walk = [&](std::initializer_list<int> words) {
        for (int word : words)
            for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i)
                typedefWalk(BOMGEN_pChild(node, word, i), written, depth + 1);
    };
    if (BOMGEN_fIsContainer(node))
        walk({1});
    else if (BOMGEN_fIsDocument(node))
        walk({10, 12, 6, 4});
    else if (node->lKind == BOM_KIND_ASSOCIATION || node->lKind == BOM_KIND_SPECIALIZATION)
        walk({10, 6, 4});
    else if (node->lKind == BOM_KIND_GENERIC_SEARCH)
        walk({6});
    else if (BOMGEN_fIsDataRecord(node) || BOMGEN_fIsDispatchRecord(node))
        writeOneTypedef(node, written);
}

/* The last record of each data kind among a node's data records. */
struct DataRecords {
    const BOM_DESCRIPTION_NODE* proxy = nullptr;
    const BOM_DESCRIPTION_NODE* document = nullptr;
    const BOM_DESCRIPTION_NODE* identifier = nullptr;
};

DataRecords dataRecords(const BOM_DESCRIPTION_NODE* node, int word)
{
    DataRecords d;
    for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i) {
        const BOM_DESCRIPTION_NODE* r = BOMGEN_pChild(node, word, i);
        if (!r)
            continue;
        if (r->lKind == BOM_KIND_PROXY_RECORD)
            d.proxy = r;
        else if (r->lKind == BOM_KIND_DOCUMENT_RECORD)
            d.document = r;
        else if (r->lKind == BOM_KIND_IDENTIFIER_RECORD)
            d.identifier = r;
    }
    return d;
}

/* The identifier record the walk of the support routines carries. */
const BOM_DESCRIPTION_NODE*& currentIdentifier()
{
    static const BOM_DESCRIPTION_NODE* current = nullptr;
    return current;
}

void supportWalk(const BOM_DESCRIPTION_NODE* node, int depth);

void walkLists(const BOM_DESCRIPTION_NODE* node, std::initializer_list<int> words, int depth)
{
    for (int word : words)
        for (intptr_t i = 0; i < BOMGEN_lCount(node, word); ++i)
            supportWalk(BOMGEN_pChild(node, word, i), depth + 1);
}

/* The routines of a record over itself alone: a search or identifier record. */
void ownRecordRoutines(const char* box, const BOM_DESCRIPTION_NODE* record)
{
    P3109_WriteDoubleBoxComment(g().out.current, box);
    BOMGEN_WriteRecordReleaseRoutine(record);
    BOMGEN_WriteRecordCopyRoutine(record, record, record);
    BOMGEN_WriteRecordMoveRoutine(record, record, record);
    BOMGEN_WriteRecordCompareRoutine(record, record, record);
    BOMGEN_WriteRecordIsEqualRoutine(record, record, record);
}

void supportWalk(const BOM_DESCRIPTION_NODE* node, int depth)
{
    if (!node || depth > 32)
        return;
    const BOM_DESCRIPTION_NODE*& current = currentIdentifier();
    if (BOMGEN_fIsContainer(node)) {
        walkLists(node, {1}, depth);
    } else if (BOMGEN_fIsLink(node)) {
        line(P3109_Format("COMPONENT_STD_FUNCTION X_Get_Module_Member_Info_%08ld( COMPONENT_STD_ARGS );",
                          static_cast<long>(BOM_Number(node, 1))));
    } else if (BOMGEN_fIsDocument(node) || node->lKind == BOM_KIND_ASSOCIATION) {
        const bool document = BOMGEN_fIsDocument(node);
        const DataRecords d = dataRecords(node, document ? 12 : 10);
        current = d.identifier;
        BOMGEN_WriteSupportRoutines(d.proxy, d.document, d.identifier, nullptr);
        if (document)
            walkLists(node, {10, 6, 4}, depth);
        else
            walkLists(node, {6, 4}, depth);
        current = nullptr;
    } else if (node->lKind == BOM_KIND_SPECIALIZATION) {
        const DataRecords d = dataRecords(node, 10);
        const BOM_DESCRIPTION_NODE* previous = current;
        BOMGEN_WriteSupportRoutines(d.proxy, d.document, d.identifier, previous);
        if (d.identifier)
            current = d.identifier;
        walkLists(node, {6, 4}, depth);
        current = previous;
    } else if (node->lKind == BOM_KIND_GENERIC_SEARCH) {
        for (intptr_t i = 0; i < BOMGEN_lCount(node, 6); ++i)
            if (const BOM_DESCRIPTION_NODE* m = BOMGEN_pChild(node, 6, i); m && m->lKind == BOM_KIND_SEARCH_RECORD)
                ownRecordRoutines("Search Record support routines", m);
    } else if (BOMGEN_fIsDispatchRecord(node)) {
        BOMGEN_WriteRecordAssembleRoutine(node);
        BOMGEN_WriteRecordDisassembleRoutine(node);
    }
}

/* The routines of one proxy or document record. */
void recordRoutines(const char* box, const BOM_DESCRIPTION_NODE* record, const BOM_DESCRIPTION_NODE* identifier)
{
    P3109_WriteDoubleBoxComment(g().out.current, box);
    BOMGEN_WriteRecordReleaseRoutine(record);
    BOMGEN_WriteRecordCopyRoutine(record, record, record);
    if (identifier) {
        BOMGEN_WriteRecordCopyRoutine(record, identifier, identifier);
        BOMGEN_WriteRecordCopyRoutine(identifier, record, identifier);
    }
    BOMGEN_WriteRecordMoveRoutine(record, record, record);
    BOMGEN_WriteRecordCompareRoutine(record, record, record);
    if (identifier) {
        BOMGEN_WriteRecordCompareRoutine(record, identifier, identifier);
        BOMGEN_WriteRecordCompareRoutine(record, record, identifier);
    }
    BOMGEN_WriteRecordIsEqualRoutine(record, record, record);
    if (identifier) {
        BOMGEN_WriteRecordIsEqualRoutine(record, identifier, identifier);
        BOMGEN_WriteRecordIsEqualRoutine(record, record, identifier);
    }
}

/* One condition line of a key field: the comparison of the field in the
** two records, or nothing for a type without one. */
std::string keyComparison(const GEN_FIELD_INFO& f, const std::string& a, const std::string& b)
{
    const std::string value = P3109_pszValueMemberName(f);
    switch (f.cType) {
    case '1':
    case 'H': return "( X_VAR_VarChar_Compare( pX_Ids, pX_Pro, pX_Fun, &(" + a + "), &(" + b + ") ) != 0 )";
    case '2':
    case 'B': return "( X_VAR_VarBinary_Compare( pX_Ids, pX_Pro, pX_Fun, &(" + a + "), &(" + b + ") ) != 0 )";
    case '3':
    case '4': return "( ( lCompare = strcmp( " + a + "." + value + ", " + b + "." + value + " ) ) != 0 )";
    case 'D':
    case 'L': return "(" + a + " != " + b + ")";
    case 'E': return "( memcmp( " + a + ".vchDate, " + b + ".vchDate, X_MAX_SIZE_DATE_LEN ) != 0 )";
    case 'M': return "( memcmp( " + a + ".vchTime, " + b + ".vchTime, X_MAX_SIZE_TIME_LEN ) != 0 )";
    case 'Z': return "( memcmp( " + a + ".vchDateTime, " + b + ".vchDateTime, X_MAX_SIZE_DATETIME_LEN ) != 0 )";
    case 'F':
    case 'I':
    case 'Y': return "( " + a + "." + value + " != " + b + "." + value + " )";
    case 'U':
        return "( !X_VAR_VarChar_StringCompare( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_SHORT_CHAR*) " + a +
               ")->vchData, ((X_FLD_SHORT_CHAR*) " + a + ")->sLength, pX_NULL, ((X_FLD_SHORT_CHAR*) " + b +
               ")->vchData, ((X_FLD_SHORT_CHAR*) " + b + ")->sLength, pX_NULL, X_VAR_COMPARE_MASK_EQUAL ) )";
    case 'P':
    case 'S':
        if (P3109_fNeedsZophxHandling(f)) {
            const char* kind = f.cType == 'P' ? "X_FLD_PACKED" : "X_FLD_SIGNED";
            const long bytes = f.cType == 'P' ? (f.lLength + 1) / 2 : f.lLength;
            return P3109_Format("( memcmp( ((%s*)( &( %s ) ))->fchData, ((%s*)( &( %s ) ))->fchData, %ld ) != 0 )",
                                kind, a.c_str(), kind, b.c_str(), bytes);
        }
        [[fallthrough]];
    case 'A':
        if (f.lLength == 1)
            return "( " + a + " != " + b + " )";
        return "( memcmp( " + a + ", " + b + ", sizeof(" + a + ") ) != 0 )";
    default: return {};
    }
}

}  // namespace

bool BOMGEN_fIsContainer(const BOM_DESCRIPTION_NODE* node)
{
    return kindIn(node, BOM_KIND_CONTENT_ROOT, BOM_KIND_CONTAINER_LAST);
}
bool BOMGEN_fIsDocument(const BOM_DESCRIPTION_NODE* node)
{
    return kindIn(node, BOM_KIND_DOCUMENT, BOM_KIND_TRANSIENT);
}
bool BOMGEN_fIsDataRecord(const BOM_DESCRIPTION_NODE* node)
{
    return kindIn(node, BOM_KIND_PROXY_RECORD, BOM_KIND_IDENTIFIER_RECORD) && node->lKind % 10 == 0;
}
bool BOMGEN_fIsLink(const BOM_DESCRIPTION_NODE* node)
{
    return kindIn(node, BOM_KIND_LINK_FIRST, BOM_KIND_LINK_LAST);
}
const char* BOMGEN_pszText(const BOM_DESCRIPTION_NODE* node, int word)
{
    const char* t = BOM_Text(node, word);
    return t ? t : "";
}
intptr_t BOMGEN_lCount(const BOM_DESCRIPTION_NODE* node, int iCountWord)
{
    if (!node || iCountWord < 1 || iCountWord + 1 >= BOM_WORD_COUNT || !node->aWord[iCountWord + 1].ppNodes)
        return 0;
    const intptr_t n = BOM_Number(node, iCountWord);
    return n > 0 ? n : 0;
}

const BOM_DESCRIPTION_NODE* BOMGEN_pChild(const BOM_DESCRIPTION_NODE* node, int iCountWord, intptr_t i)
{
    return i < BOMGEN_lCount(node, iCountWord) ? BOM_Child(node, iCountWord, i) : nullptr;
}

bool BOMGEN_fFieldNames(const BOM_DESCRIPTION_NODE* record, const BOM_DESCRIPTION_NODE* field, BOM_FIELD_NAMES& names)
{
    names = BOM_FIELD_NAMES{};
    if (!field || field->lKind != BOM_KIND_RECORD_FIELD)
        return false;
    BOMGEN_MakeFieldVectorName(record, field, names);
    return names.fDefined;
}

int BOMGEN_fFindDocumentRecord(intptr_t lCount, BOM_DESCRIPTION_NODE* const* ppNodes, long lNumber,
                               BOM_RECORD_NAMES& names)
{
    for (intptr_t i = 0; ppNodes && i < lCount; ++i) {
        const BOM_DESCRIPTION_NODE* n = ppNodes[i];
        if (n && n->lKind == BOM_KIND_DISPATCH_DOCUMENT && BOM_Number(n, 2) == lNumber) {
            BOMGEN_MakeRecordNames(n, names);
            return 1;
        }
    }
    return 0;
}

int BOMGEN_fFindDispatchRecord(std::string_view name, BOM_RECORD_NAMES& names)
{
    const BOM_DESCRIPTION_NODE* root = description();
    if (!BOMGEN_fIsContainer(root))
        return 0;
    for (intptr_t i = 0; i < BOMGEN_lCount(root, 1); ++i) {
        const BOM_DESCRIPTION_NODE* n = BOMGEN_pChild(root, 1, i);
        if (BOMGEN_fIsDispatchRecord(n) && name == BOMGEN_pszText(n, 1)) {
            BOMGEN_MakeRecordNames(n, names);
            return 1;
        }
    }
    return 0;
}

int BOMGEN_fFindRecordField(std::string_view recordName, std::string_view fieldName, BOM_FIELD_NAMES& names)
{
    BOM_RECORD_NAMES record;
    if (!BOMGEN_fFindDispatchRecord(recordName, record))
        return 0;
    for (intptr_t i = 0; i < record.lFieldCount; ++i) {
        const BOM_DESCRIPTION_NODE* f = record.ppFields[i];
        if (f && f->lKind == BOM_KIND_RECORD_FIELD && fieldName == BOMGEN_pszText(f, 1)) {
            /* the field's record is the dispatch record just found */
            const BOM_DESCRIPTION_NODE* root = description();
            for (intptr_t j = 0; j < BOMGEN_lCount(root, 1); ++j)
                if (const BOM_DESCRIPTION_NODE* n = BOMGEN_pChild(root, 1, j);
                    BOMGEN_fIsDispatchRecord(n) && recordName == BOMGEN_pszText(n, 1))
                    return BOMGEN_fFieldNames(n, f, names) ? 1 : 0;
        }
    }
    return 0;
}

bool BOMGEN_fRecordHasVarFields(const BOM_DESCRIPTION_NODE* record)
{
    const int word = fieldWord(record);
    for (intptr_t i = 0; i < BOMGEN_lCount(record, word); ++i) {
        BOM_FIELD_NAMES f;
        if (!BOMGEN_fFieldNames(record, BOMGEN_pChild(record, word, i), f))
            continue;
        const char t = f.definition.cType;
        if (t == '1' || t == 'H' || t == '2' || t == 'B')
            return true;
    }
    return false;
}

void BOMGEN_WriteRecordRoutine(const BOM_DESCRIPTION_NODE* field, char cStep)
{
    BOM_FIELD_NAMES n;
    if (!field || field->lKind != BOM_KIND_RECORD_FIELD || !BOMGEN_fFieldNames(nullptr, field, n))
        return;
    const GEN_FIELD_INFO& f = n.definition;
    const char* m = f.localName.c_str();
    const char* v = f.vectorName.c_str();
    const bool varChar = f.cType == '1' || f.cType == 'H';
    const bool varBinary = f.cType == '2' || f.cType == 'B';
    const char* assign = varChar ? "X_VAR_VarChar_Assign" : "X_VAR_VarBinary_Assign";
    const char* kind = varChar ? "X_FLD_CHAR" : "X_FLD_BINARY";
    /* the varying moves take the source first: pRec2 is the source record
    ** and pRec1 the target, as the byte copies that take the target first */
    switch (cStep) {
    case 'A':
        if (varChar || varBinary)
            line(P3109_Format("%s( pX_NULL, pX_NULL, pX_NULL, &(pRec2->%s), &(pRec1->%s) );", assign, m, m));
        else
            line(P3109_Format("X_CPYBYTES( &pRec1->%s, &pRec2->%s, sizeof( pRec1->%s ) );", m, m, m));
        return;
    case 'C':
        if (!varChar && !varBinary)
            return;
        line(P3109_Format("pRec1->%s.pvData = pX_NULL;", m));
        line(P3109_Format("%s( pX_NULL, pX_NULL, pX_NULL, &(pRec2->%s), &(pRec1->%s) );", assign, m, m));
        return;
    case 'E': P3109_WriteRecordEquality(f, "pRec1", "pRec2"); return;
    case 'I':
        if (varChar || varBinary)
            line(P3109_Format("%s( pX_NULL, pX_NULL, pX_NULL, ((%s*)( pX_Fld[%s].pField )), &(pRec->%s) );", assign,
                              kind, v, m));
        else
            line(P3109_Format("X_CPYBYTES( &pRec->%s, pX_Fld[%s].pField, sizeof( pRec->%s ) );", m, v, m));
        return;
    case 'K': P3109_WriteRecordCompare(f, "pRec1", "pRec2", 'A'); return;
    case 'M':
        if (varChar || varBinary)
            line(P3109_Format("pRec2->%s.pvData = pX_NULL;", m));
        return;
    case 'O':
        if (varChar || varBinary)
            line(P3109_Format("%s( pX_NULL, pX_NULL, pX_NULL, &(pRec->%s), ((%s*)( pX_Fld[%s].pField )) );", assign, m,
                              kind, v));
        else
            line(P3109_Format("X_CPYBYTES( pX_Fld[%s].pField, &pRec->%s, sizeof( pRec->%s ) );", v, m, m));
        return;
    case 'R':
        if (varChar || varBinary)
            line(P3109_Format("if ( pRec->%s.pvData != pX_NULL ) %s( pX_NULL, pX_NULL, pX_NULL, &(pRec->%s) );", m,
                              varChar ? "X_VAR_VarChar_Release" : "X_VAR_VarBinary_Release", m));
        return;
    default: return;
    }
}

std::string BOMGEN_RecordRoutineName(const char* routine, const BOM_DESCRIPTION_NODE* record)
{
    return P3109_Format("X_BOM_%s_%s_%ld_%s", routine, sortCode(record), static_cast<long>(BOM_Number(record, 2)),
                        g().cName.c_str());
}

std::string BOMGEN_DispatchRoutineName(const char* routine, const BOM_RECORD_NAMES& names)
{
    return P3109_Format("X_BOM_%s_%s_%s_%s", routine, names.kindCode.c_str(), names.identifier.c_str(),
                        g().cName.c_str());
}

void BOMGEN_WriteRecordReleaseRoutine(const BOM_DESCRIPTION_NODE* record)
{
    open(P3109_Format("void %s( const void * pvRec )", BOMGEN_RecordRoutineName("Release", record).c_str()));
    if (BOMGEN_fRecordHasVarFields(record)) {
        declare("pRec", "pvRec", record);
        forEachField(record, 'R');
    }
    close();
}

void BOMGEN_WriteRecordCopyRoutine(const BOM_DESCRIPTION_NODE* source, const BOM_DESCRIPTION_NODE* target,
                                   const BOM_DESCRIPTION_NODE* fieldList)
{
    const char* variant =
        source == target ? (source == fieldList ? "DDD" : "DDI") : (target == fieldList ? "DII" : "IDI");
    const BOM_DESCRIPTION_NODE* numbered = source != target && target != fieldList ? target : source;
    openPairRoutine("void", P3109_Format("Copy_%s", variant), numbered);
    transferBody(target, source, fieldList, source != target, 'C');
    close();
}

void BOMGEN_WriteRecordMoveRoutine(const BOM_DESCRIPTION_NODE* first, const BOM_DESCRIPTION_NODE* second,
                                   const BOM_DESCRIPTION_NODE* fieldList)
{
    openPairRoutine("void", P3109_Format("Move_%s", pairVariant(first, second, fieldList)), first);
    transferBody(second, first, fieldList, first != fieldList, 'M');
    close();
}

void BOMGEN_WriteRecordCompareRoutine(const BOM_DESCRIPTION_NODE* first, const BOM_DESCRIPTION_NODE* second,
                                      const BOM_DESCRIPTION_NODE* fieldList)
{
    writeComparison("int", "Compare", first, second, fieldList, 'K', "return 0;");
}

void BOMGEN_WriteRecordIsEqualRoutine(const BOM_DESCRIPTION_NODE* first, const BOM_DESCRIPTION_NODE* second,
                                      const BOM_DESCRIPTION_NODE* fieldList)
{
    writeComparison("X_BOOL", "IsEqual", first, second, fieldList, 'E', "return TRUE;");
}

void BOMGEN_WriteRecordAssembleRoutine(const BOM_DESCRIPTION_NODE* record)
{
    assemblyRoutine("Assemble", record, 'I');
}

void BOMGEN_WriteRecordDisassembleRoutine(const BOM_DESCRIPTION_NODE* record)
{
    assemblyRoutine("Disassemble", record, 'O');
}

void BOMGEN_WriteSupportRoutines(const BOM_DESCRIPTION_NODE* proxy, const BOM_DESCRIPTION_NODE* document,
                                 const BOM_DESCRIPTION_NODE* identifier,
                                 const BOM_DESCRIPTION_NODE* inheritedIdentifier)
{
    if (identifier)
        ownRecordRoutines("Identifier Record support routines", identifier);
    const BOM_DESCRIPTION_NODE* key = identifier ? identifier : inheritedIdentifier;
    if (proxy)
        recordRoutines("Proxy Record support routines", proxy, key);
    if (document)
        recordRoutines("Document Record support routines", document, key);
}

void BOMGEN_WriteRecordSupport(const BOM_DESCRIPTION_NODE* node)
{
    currentIdentifier() = nullptr;
    supportWalk(node, 0);
    currentIdentifier() = nullptr;
}

void BOMGEN_WriteRecordTypedef(const BOM_DESCRIPTION_NODE* node)
{
    std::set<std::string> written;
    typedefWalk(node, written, 0);
}

/* Only the entries that give a condition take a place in it: a skipped
** first entry would leave the condition opening with "||". */
void BOMGEN_WriteFieldComparison(intptr_t lCount, BOM_DESCRIPTION_NODE* const* ppKeys, std::string_view first,
                                 std::string_view second)
{
    std::vector<std::string> conditions;
    for (intptr_t i = 0; ppKeys && i < lCount; ++i) {
        const BOM_DESCRIPTION_NODE* key = ppKeys[i];
        BOM_FIELD_NAMES f;
        if (!key || key->lKind != BOM_KIND_KEY_ENTRY ||
            !BOMGEN_fFindRecordField(BOMGEN_pszText(key, 1), BOMGEN_pszText(key, 2), f))
            continue;
        std::string comparison = keyComparison(f.definition, std::string(first) + "->" + f.localName,
                                               std::string(second) + "->" + f.localName);
        if (!comparison.empty())
            conditions.push_back(std::move(comparison));
    }
    const size_t n = conditions.size();
    for (size_t i = 0; i < n; ++i) {
        const std::string lead = i == 0 ? (n == 1 ? "if " : "if ( ") : "   || ";
        const std::string tail = i == n - 1 && n > 1 ? " )" : "";
        line(lead + conditions[i] + tail);
    }
}

/*
** record_definitions.cpp: the static definitions of a component's dispatch
** records: for each record its variable, its field descriptor table, the
** map of its members onto the field vector, the offsets of its members and
** its record description, and the index symbols of its members.
**
** The walk follows the component description: components and containers
** (1000-1030), documents (1100-1104) and relations (1110, 1130) only lead
** to their children; a dispatch record (1500-1530) is written. A member
** whose field the component does not use is left out, so the first and
** last of the members written decide the commas.
*/
#include <string>
#include <vector>

#include "generator/core/components/record_definitions.h"
#include "generator/core/model/bom_names.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace {

constexpr GEN_STREAM kQueue = 1;
constexpr GEN_STREAM kInitQueue = 5;

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}
void line(const std::string& text)
{
    P3109_WriteLine(kQueue, 3, text);
}

/* A member written: a field with its names, or a component reference. */
struct Member {
    bool fReference = false;
    std::string referenceName; /* 1410: the member name */
    BOM_FIELD_NAMES field;
};

std::vector<Member> membersOf(const BOM_DESCRIPTION_NODE* record, const BOM_RECORD_NAMES& names)
{
    std::vector<Member> members;
    for (intptr_t i = 0; i < names.lFieldCount && names.ppFields; ++i) {
        const BOM_DESCRIPTION_NODE* node = names.ppFields[i];
        if (!node)
            continue;
        Member m;
        if (node->lKind == BOM_KIND_POINTER_MEMBER) {
            const char* text = BOM_Text(node, 2);
            if (!text || !*text)
                continue;
            m.fReference = true;
            m.referenceName = text;
        } else if (node->lKind == BOM_KIND_RECORD_FIELD) {
            BOMGEN_MakeFieldVectorName(record, node, m.field);
            if (!m.field.fDefined)
                continue;
        } else {
            continue;
        }
        members.push_back(std::move(m));
    }
    return members;
}

void writeReferenceRow(const Member& m, const std::string& variable, bool fFirst)
{
    P3109_WriteLine(kQueue, 6,
                    std::string(fFirst ? " " : ",") + CGEN_NameLiteral(m.referenceName) +
                        ",LL2FIELD,X_TYPE_COMPONENT,X_SUBTYPE_COMPONENT_RECORD,'N',");
    P3109_WriteLine(kQueue, 9, "sizeof(X_PVOID),sizeof(X_PVOID),0, ");
    P3109_WriteLine(kQueue, 9,
                    "((X_PDICTIONARY_FIELD)( &(" + variable + ".p" + m.referenceName + ") )),((X_SHORT)0),NO ");
    P3109_WriteLine(kInitQueue, 3, variable + ".p" + m.referenceName + " = pX_NULL;");
}

void writeFieldRow(const Member& m, const std::string& variable, bool fFirst)
{
    const GEN_FIELD_INFO& f = m.field.definition;
    const bool extended = P3109_fNeedsZophxHandling(f) != 0;
    const std::string member = variable + "." + f.localName;
    const std::string size = P3109_MemberSizeText(f, member, false);
    const std::string address = P3109_MemberAddressText(f, member);
    const std::string length = f.fNational() || f.lLength > 32767 || f.lLength < 0 ? "-1" : std::to_string(f.lLength);
    P3109_WriteLine(kQueue, 6,
                    std::string(fFirst ? " " : ",") + CGEN_NameLiteral(m.field.name) + "," +
                        P3109_pszFieldTypeName(&f) + "," + P3109_pszComponentTypeName(f, false) + "," +
                        P3109_pszComponentSubtypeName('F', &f, false) + ",'" + f.cShift + "',");
    P3109_WriteLine(kQueue, 9, length + "," + size + "," + std::to_string(f.sDecimals) + ",");
    P3109_WriteLine(kQueue, 9, address + "," + P3109_MakeShortLiteral(0) + ",NO ");
    if (!extended)
        return;
    P3109_WriteLine(kInitQueue, 3,
                    csharp() ? "X_DEFS.X_MEMSET( ref " + member + ", 0, " + size + " );"
                             : "memset( &(" + member + "), 0, " + size + " );");
    P3109_WriteFieldDataVersion(kInitQueue, 3, f, "(&(" + member + "))");
}

/* The C# form of a record's definitions: C# has no structures, pointers
** or offsets, so the record is an object of its class, its field
** descriptors point at the members' storage, its map pairs are X_LMAP
** objects and its offsets the members' positions. */
void writeCSharpRecord(const BOM_RECORD_NAMES& names, const std::vector<Member>& members)
{
    const std::string parts = names.kindCode + "_" + names.identifier;
    const std::string variable = "rec_" + parts;
    const std::string count = std::to_string(members.size());
    P3109_WriteLine(kQueue, 3, " ");
    line("/* Static Definitions for " + names.kindCode + " " + names.name + " record */");
    P3109_WriteLine(kQueue, 3, " ");
    line("private static " + names.structureTag + " " + variable + " = new " + names.structureTag + "();");
    line("private static X_FLD[] X_Fld_" + parts + " = new X_FLD[" + count + "] {");
    for (size_t i = 0; i < members.size(); ++i) {
        const std::string lead = i == 0 ? "new X_FLD( " : ", new X_FLD( ";
        if (members[i].fReference) {
            P3109_WriteLine(kQueue, 6,
                            lead + CGEN_NameLiteral(members[i].referenceName) +
                                ",DqooDef.LL2FIELD,X_DEFS.X_TYPE_COMPONENT,X_DEFS.X_SUBTYPE_COMPONENT_RECORD,'N',");
            P3109_WriteLine(kQueue, 9, "DqooDef.X_PVOID_SIZE,DqooDef.X_PVOID_SIZE,0,");
            P3109_WriteLine(kQueue, 9, variable + ".p" + members[i].referenceName + ",(0),NO )");
            continue;
        }
        const GEN_FIELD_INFO& f = members[i].field.definition;
        const std::string member = variable + "." + f.localName;
        const std::string length =
            f.fNational() || f.lLength > 32767 || f.lLength < 0 ? "-1" : std::to_string(f.lLength);
        const std::string size = P3109_fNeedsZophxHandling(f) ? "((byte[])" + member + ").Length"
                                                              : P3109_MemberSizeText(f, member, true);
        P3109_WriteLine(kQueue, 6,
                        lead + CGEN_NameLiteral(members[i].field.name) + "," + P3109_pszFieldTypeName(&f) +
                            ",X_DEFS." + P3109_pszComponentTypeName(f, false) + ",X_DEFS." +
                            P3109_pszComponentSubtypeName('F', &f, false) + ",'" + f.cShift + "',");
        P3109_WriteLine(kQueue, 9, length + "," + size + "," + std::to_string(f.sDecimals) + ",");
        P3109_WriteLine(kQueue, 9, member + ",(0),NO )");
    }
    line("};");
    std::string map, offsets;
    for (size_t i = 0; i < members.size(); ++i) {
        map += std::string(i == 0 ? "" : ", ") + "new X_LMAP( " +
               (members[i].fReference ? std::string("V_NOT_AVAILABLE") : members[i].field.vectorName) + ",-1 )";
        offsets += std::string(i == 0 ? "" : ",") + std::to_string(i);
    }
    line("private static X_LMAP[] X_LMap_" + parts + " = new X_LMAP[" + count + "] { " + map + " };");
    line("private static int[] X_Offsets_" + parts + " = new int[" + count + "] { " + offsets + " };");
    line("private static readonly X_DRD X_DRD_" + parts + " = new X_DRD( DqooDef.X_DRD_CURRENT, " +
         CGEN_NameLiteral(names.name) + ", " + names.structureTag + ".RECORD_SIZE, " + count + ", X_Fld_" + parts +
         ", X_LMap_" + parts + ", X_Offsets_" + parts + ", " + variable + ", null );");
    P3109_WriteLine(kQueue, 3, " ");
}

void writeRecord(const BOM_DESCRIPTION_NODE* node)
{
    BOM_RECORD_NAMES names;
    BOMGEN_MakeRecordNames(node, names);
    const std::string parts = names.kindCode + "_" + names.identifier;
    const std::string variable = "rec_" + parts;
    const std::string title = names.kindCode + " " + names.name;
    const std::vector<Member> members = membersOf(node, names);
    if (csharp()) {
        writeCSharpRecord(names, members);
        return;
    }

    P3109_WriteLine(kQueue, 3, " ");
    line("/* Static Definitions for " + title + " record */");
    P3109_WriteLine(kQueue, 3, " ");
    line("static struct " + names.structureTag + " " + variable + ";");
    P3109_WriteLine(kQueue, 3, " ");

    line("static struct X_FLD X_Fld_" + parts + "[] =");
    line("{");
    for (size_t i = 0; i < members.size(); ++i) {
        if (i == 0)
            P3109_WriteDashedBoxComment(kInitQueue, " Initialize " + title + " record X_FLD Definitions");
        if (members[i].fReference)
            writeReferenceRow(members[i], variable, i == 0);
        else
            writeFieldRow(members[i], variable, i == 0);
    }
    line("};");
    P3109_WriteLine(kQueue, 3, " ");

    line("static struct X_LMAP X_LMap_" + parts + "[] =");
    line("{");
    for (size_t i = 0; i < members.size(); ++i) {
        const std::string comma = i + 1 < members.size() ? "," : "";
        P3109_WriteLine(kQueue, 6,
                        (members[i].fReference ? std::string("V_NOT_AVAILABLE") : members[i].field.vectorName) + ",-1" +
                            comma);
    }
    line("};");
    P3109_WriteLine(kQueue, 3, " ");

    line("static X_ULONG X_Offsets_" + parts + "[] =");
    line("{");
    for (size_t i = 0; i < members.size(); ++i) {
        const std::string comma = i + 1 < members.size() ? "," : "";
        P3109_WriteLine(kQueue, 6,
                        members[i].fReference ? "0" + comma
                                              : "offsetof( struct " + names.structureTag + ", " +
                                                    members[i].field.localName + " )" + comma);
    }
    line("};");
    P3109_WriteLine(kQueue, 3, " ");

    line("static const struct X_DRD X_DRD_" + parts + " =");
    line("{");
    P3109_WriteLine(kQueue, 6,
                    "X_DRD_CURRENT, " + CGEN_NameLiteral(names.name) + ", sizeof(struct " + names.structureTag + "),");
    P3109_WriteLine(kQueue, 6,
                    std::to_string(members.size()) + ", X_Fld_" + parts + ", X_LMap_" + parts + ", X_Offsets_" + parts +
                        ",");
    P3109_WriteLine(kQueue, 6, "&(" + variable + "), pX_NULL");
    line("};");
    P3109_WriteLine(kQueue, 3, " ");

    P3109_WriteDoubleBoxComment(g().stg, "Member vector definitions for " + title + " record");
    int16_t position = 0;
    for (const Member& m : members) {
        if (!m.fReference)
            P3109_WriteShortConstant(g().stg, 0, m.field.recordVectorName, position);
        ++position;
    }
    P3109_WriteLine(g().stg, 0, " ");
}

/* The counted child arrays of a node that only leads to others. */
std::vector<int> childArrays(int32_t lKind)
{
    if (lKind >= 1000 && lKind <= 1030)
        return {1};
    if (lKind >= 1100 && lKind <= 1104)
        return {4, 6, 10, 12};
    if (lKind == 1110 || lKind == 1130)
        return {4, 6, 10};
    return {};
}

}  // namespace

void P3109_WriteRecordDefinitions(const BOM_DESCRIPTION_NODE* pNode)
{
    if (!pNode)
        return;
    if (BOMGEN_fIsDispatchRecord(pNode)) {
        writeRecord(pNode);
        return;
    }
    for (int countWord : childArrays(pNode->lKind)) {
        const intptr_t count = BOM_Number(pNode, countWord);
        for (intptr_t i = 0; i < count; ++i)
            P3109_WriteRecordDefinitions(BOM_Child(pNode, countWord, i));
    }
}

/*
** routine_section.cpp: the routine section of a function (insertion point
** 24): the debugger's command names, the prototypes of the subroutines and
** component routines, the prototypes and routines of the SELECT and
** SELECT_SQL loops, per data structure its prototypes, its type
** definition and instances, and its assembler and disassembler routines,
** and the comparison routines of the SORT_LIST commands.
**
** Prototypes and type definitions go to the header, which the source
** includes first; routines go to the routine stream of the target.
*/
#include <cstring>

#include "dqov/runcontrol/x_tree.h"
#include "generator/core/components/record_compare.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/field_types.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/io_support.h"
#include "generator/emitters/list_support.h"

namespace {

constexpr const char* kCommonGuard = "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_COMMON)))";

void writeDebugNames(GEN_STREAM stream)
{
    RBTREE* tree = g().pDebugNames;
    if (!tree || RBTree_GetEntryCount(tree) == 0)
        return;
    P3109_WriteDashedBoxComment(stream, "Command names for use by the debugger");
    P3109_WriteLine(stream, 3, "#ifdef X_DEBUG");
    char key[11] = {};
    void* keys[] = {key};
    RBTree_PositiontoFirst(tree);
    while (RBTree_GetNextEntry(tree, keys, nullptr)) {
        const std::string name(key);
        P3109_WriteLine(stream, 3, "static const X_PVCHAR _" + name + "_COMMAND = \"" + name + "\";");
    }
    P3109_WriteLine(stream, 3, "#endif");
}

void writeSubroutinePrototypes(GEN_STREAM stream)
{
    const std::vector<GEN_ROUTINE_NODE>& routines = P3109_SubroutineList();
    if (routines.empty())
        return;
    P3109_WriteDashedBoxComment(stream, "Prototypes for all ZOPH level subroutines");
    for (const GEN_ROUTINE_NODE& r : routines) {
        if (r.cKind != 'S')
            P3109_WriteLine(stream, 3, "COMPONENT_STD_FUNCTION " + r.cName + " (COMPONENT_STD_ARGS);");
        else
            P3109_WriteLine(stream, 3,
                            "F_SHORT_FUNCTION " + r.cName +
                                (P3109_fHasCursors() ? " (FUNCTION_STD_ARGS, X_SHORT);" : " (FUNCTION_STD_ARGS);"));
    }
}

/* The declaration of one member of a data structure's type. */
std::string memberDeclaration(const GEN_DATA_STRUCTURE_COMPONENT& m)
{
    static constexpr const char* kExtended = "H1UB2YEMZIF34";
    const std::string name = P3109_MakeCIdentifier(m.field, 10);
    if (m.cType != '\0' && std::strchr(kExtended, m.cType))
        return P3109_MakeDeclarationByType(m.cType, "", name, m.lLength, m.cSuni == 'Y', m.cSuns == 'Y') + ";";
    uint32_t size = 0;
    P3109_GetFieldStorageSize(m.cType, m.lLength, m.sDecimals, m.cAsqn == 'Y', m.cSuni == 'Y', m.cSuns == 'Y', size);
    std::string sizeText = std::to_string(size);
    const bool numeric = m.cType == 'P' || m.cType == 'S';
    if (numeric && (m.lLength > 30 || m.sDecimals > 9 || m.cAsqn == 'Y'))
        sizeText = P3109_Format("(sizeof( X_FLD_PACKED ) - 1 + %d)", static_cast<int>(size) - 11);
    const char* word = m.cType == 'A' ? "ALPHA" : m.cType == 'P' ? "PACKED" : m.cType == 'S' ? "SIGNED" : "UNKNOWN";
    if ((m.cType == 'A' || numeric) && size == 1)
        return std::string("X_DICTIONARY_") + word + " " + name + ";";
    return std::string("X_DICTIONARY_") + word + " " + name + "[" + sizeText + "];";
}

/* The C# declaration of one member: a class of the extended kinds, the
** text of an alphanumeric field, the bytes of a decimal one. */
std::string memberDeclarationCs(const GEN_DATA_STRUCTURE_COMPONENT& m)
{
    static constexpr const char* kExtended = "H1UB2YEMZIF34";
    const std::string name = P3109_MakeCIdentifier(m.field, 10);
    if (m.cType != '\0' && std::strchr(kExtended, m.cType))
        return P3109_MakeCSharpDeclarationByType(m.cType, "", name, m.lLength, m.cSuni == 'Y', m.cSuns == 'Y') + ";";
    uint32_t size = 0;
    P3109_GetFieldStorageSize(m.cType, m.lLength, m.sDecimals, m.cAsqn == 'Y', m.cSuni == 'Y', m.cSuns == 'Y', size);
    std::string sizeText = std::to_string(size);
    const bool numeric = m.cType == 'P' || m.cType == 'S';
    if (numeric && (m.lLength > 30 || m.sDecimals > 9 || m.cAsqn == 'Y'))
        sizeText = P3109_Format("(DqooDef.X_FLD_PACKED_SIZE - 1 + %d)", static_cast<int>(size) - 11);
    if (m.cType == 'A')
        return "public string " + name + " = new String(' ', " + sizeText + ");";
    return "public byte[] " + name + " = new byte[" + sizeText + "];";
}

void writeStructureType(GEN_STREAM stream, const GEN_DATA_STRUCTURE& ds)
{
    const bool cs = P3109_fCSharp();
    P3109_WriteDoubleBoxComment(stream, "Type Definition of Data Structure " + P3109_TrimRight(ds.name));
    P3109_WriteLine(stream, 3, (cs ? "public class " : "struct ") + ds.structureName);
    P3109_WriteLine(stream, 3, "{");
    for (const GEN_DATA_STRUCTURE_COMPONENT& m : ds.components)
        P3109_WriteLine(stream, 6, cs ? memberDeclarationCs(m) : memberDeclaration(m));
    P3109_WriteLine(stream, 3, cs ? "}" : "};");
    /* C# reaches the storage through its reference, the copy of the pointer */
    const std::string pointer = P3109_DataStructurePointerName(ds);
    CGEN_AddStaticWorkingEntry(0, "struct " + ds.structureName + " " + ds.storageName, "",
                               "public " + ds.structureName + " " + ds.storageName + " = new " + ds.structureName +
                                   "()",
                               "", GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingEntry(0, "struct " + ds.structureName + " *" + pointer,
                               "INSTANCE(" + pointer + ") = &(INSTANCE(" + ds.storageName + "));",
                               "public " + ds.structureName + " " + pointer,
                               "pGlobal1." + pointer + " = pGlobal1." + ds.storageName + ";", GEN_STATIC_UNIQUE);
}

void writeStructureRoutine(const GEN_DATA_STRUCTURE& ds, char cKind)
{
    const bool c = !P3109_fCSharp();
    const std::string& routine = cKind == 'D' ? ds.disassembleRoutine : ds.assembleRoutine;
    if (c)
        P3109_LineAt(0, kCommonGuard);
    P3109_WriteDoubleBoxComment(
        g().out.current, (cKind == 'D' ? "Data Structure Disassembler : " : "Data Structure Assembler : ") + routine);
    P3109_LineAt(0, c ? "F_VOID_FUNCTION " + routine + " (FUNCTION_STD_ARGS)"
                      : "private static void " + routine + " (" + GEN_FUNCTION_ARGS_CS + ")");
    P3109_LineAt(0, "{");
    P3109_LineAt(0, " ");
    P3109_EmitDataStructureAssign(ds, cKind);
    P3109_LineAt(0, " ");
    P3109_LineAt(3, "return;");
    P3109_LineAt(0, "}");
    if (c)
        P3109_LineAt(0, "#endif");
}

void writeDataStructures(GEN_STREAM prototypes)
{
    const std::deque<GEN_DATA_STRUCTURE>& structures = P3109_DataStructures();
    if (structures.empty())
        return;
    /* C# declares no prototypes */
    if (!P3109_fCSharp())
        P3109_WriteDashedBoxComment(prototypes, "Prototypes for Data Structure Assembler/Disassembler(s)");
    for (const GEN_DATA_STRUCTURE& ds : structures) {
        if (P3109_fCSharp())
            break;
        P3109_WriteLine(prototypes, 3, "F_VOID_FUNCTION " + ds.disassembleRoutine + " (FUNCTION_STD_ARGS);");
        P3109_WriteLine(prototypes, 3, "F_VOID_FUNCTION " + ds.assembleRoutine + " (FUNCTION_STD_ARGS);");
    }
    /* in C the types go into the storage file, whose static areas hold the
       structures and which the program and its built-in function wrapper
       include first */
    GEN_MODULE_STATE& s = g();
    for (const GEN_DATA_STRUCTURE& ds : structures)
        writeStructureType(P3109_fCSharp() ? prototypes : s.stg, ds);
    const GEN_STREAM saved = s.out.current;
    s.out.current = P3109_fCSharp() ? s.csStreams[2] : s.sbr;
    for (const GEN_DATA_STRUCTURE& ds : structures) {
        writeStructureRoutine(ds, 'D');
        writeStructureRoutine(ds, 'A');
    }
    s.out.current = saved;
}

/* The key fields of a sort routine that are fields of the function. */
std::vector<std::pair<GEN_FIELD_INFO, char>> sortKeys(const GEN_SORT_ROUTINE_NODE& r)
{
    std::vector<std::pair<GEN_FIELD_INFO, char>> keys;
    for (const GEN_SORT_KEY& key : r.keys) {
        GEN_FIELD_INFO f;
        if (P3109_fFindUsedField(key.field, f))
            keys.emplace_back(std::move(f), key.cOrder);
    }
    return keys;
}

/* One comparison routine of SORT_LIST: the order of two list entries by
** the command's keys. C declares the comparison result only where a key
** reads it (a variable never used would not compile cleanly); the routine
** is not static, as the routines of the SELECT loops are not: its
** prototype stands in the header, which the built-in function program
** includes as well. */
void writeSortRoutine(const GEN_SORT_ROUTINE_NODE& r)
{
    const bool cs = P3109_fCSharp();
    GEN_OUTPUT_STATE& o = g().out;
    const std::vector<std::pair<GEN_FIELD_INFO, char>> keys = sortKeys(r);
    P3109_WriteDoubleBoxComment(o.current, "Working List Sort Comparison Routine : " + r.name);
    P3109_LineAt(0, cs ? "private static int " + r.name + " (object pvE1, object pvE2)"
                       : "int " + r.name + " (const void * pvE1, const void * pvE2)");
    P3109_LineAt(0, "{");
    o.usIndent = 3;
    P3109_WriteComment("Define and initialise list entry pointers, et al");
    const std::string& type = r.structureName;
    for (const char* n : {"1", "2"})
        P3109_Line(cs ? type + " psE" + n + " = ((" + type + ") pvE" + n + ");"
                      : "struct " + type + " *psE" + n + " = ((struct " + type + "*) pvE" + n + ");");
    bool result = cs;
    for (const auto& key : keys)
        result = result || P3109_fRecordCompareUsesResult(key.first);
    if (result)
        P3109_Line(cs ? "int lCompare = 0;" : "X_LONG lCompare = 0;");
    P3109_WriteComment("Compare the two list entries");
    for (const auto& [field, order] : keys) {
        if (cs)
            P3109_WriteRecordCompareCs(field, "psE1", "psE2", order);
        else
            P3109_WriteRecordCompare(field, "psE1", "psE2", order);
    }
    P3109_WriteComment("If this point is reached the values are equal");
    P3109_Line("return(0);");
    P3109_LineAt(0, "}");
}

void writeSortRoutines(GEN_STREAM prototypes)
{
    const std::vector<GEN_SORT_ROUTINE_NODE>& routines = P3109_SortRoutineList();
    if (routines.empty())
        return;
    /* C# declares no prototypes */
    if (!P3109_fCSharp()) {
        P3109_WriteDashedBoxComment(prototypes, "Prototypes for working list sort comparison routines");
        for (const GEN_SORT_ROUTINE_NODE& r : routines)
            P3109_WriteLine(prototypes, 3, "int " + r.name + " (const void *, const void *);");
    }
    GEN_MODULE_STATE& s = g();
    const GEN_STREAM saved = s.out.current;
    s.out.current = P3109_fCSharp() ? s.csStreams[2] : s.sbr;
    for (const GEN_SORT_ROUTINE_NODE& r : routines)
        writeSortRoutine(r);
    s.out.current = saved;
}

}  // namespace

std::string P3109_DataStructurePointerName(const GEN_DATA_STRUCTURE& structure)
{
    return "p" + structure.storageName;
}

void P3109_EmitRoutineSection()
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    const uint16_t indent = s.out.usIndent;
    const int16_t depth = s.out.sDepth;
    s.out.usIndent = 3;
    const GEN_STREAM prototypes = s.header;
    if (!P3109_fCSharp()) {
        writeDebugNames(prototypes);
        writeSubroutinePrototypes(prototypes);
    }
    P3109_WriteSelectPrototypes(prototypes);
    const GEN_STREAM saved = s.out.current;
    s.out.current = P3109_fCSharp() ? s.csStreams[2] : s.sbr;
    P3109_WriteSelectRoutines();
    s.out.current = saved;
    s.out.usIndent = 3;
    s.out.sDepth = depth;
    writeDataStructures(prototypes);
    s.out.usIndent = 3;
    writeSortRoutines(prototypes);
    s.out.usIndent = indent;
    s.out.sDepth = depth;
}

/*
** resource_definitions.cpp: resource definitions and component data
** definitions, the component exchange vector and the evaluation cases.
*/
#include "generator/core/points/resource_definitions.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "generator/core/components/report_prototypes.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/file_helpers.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/csharp_files.h"

namespace {

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}

bool usesExtendedLanguage()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && (ctx->lComponentRun != 0 || ctx->lZophxUsed != 0);
}

std::string orNull(const std::string& value, bool fCSharp)
{
    if (!value.empty())
        return value;
    return fCSharp ? "null" : "pX_NULL";
}

/* The format with each "%s" filled with the text. */
std::string fillFormat(std::string format, const std::string& text)
{
    for (size_t at = format.find("%s"); at != std::string::npos; at = format.find("%s", at + text.size()))
        format.replace(at, 2, text);
    return format;
}

std::string fieldVector(const std::string& name)
{
    GEN_FIELD_INFO f;
    if (name.empty() || P3109_sGetUsedField(name, GEN_SLOT_LOOKUP, f) != 0 || f.vectorName.empty())
        return name;
    return f.vectorName;
}

/* The C and C# value of one element. */
void elementValue(const GEN_GROUP_ELEMENT& e, std::string& c, std::string& cs)
{
    switch (e.lKind) {
    case 2: {
        if (e.fEmpty) {
            c = cs = "\"\"";
            return;
        }
        const char* reference = nullptr;
        const char* declared = nullptr;
        CGEN_GetTextLiteralArrayName(e.cValue, nullptr, nullptr, GEN_LITERAL_TRIMMED, &reference, &declared);
        c = reference ? reference : "";
        /* the C# data definitions are written with the C set, whose text
        ** literals the C# class does not declare: the text stands itself */
        cs = "\"" + P3109_MakeCSharpLiteral(P3109_TrimRight(e.cValue)) + "\"";
        return;
    }
    case 4:
        c = e.cValue.empty() ? "" : fillFormat(e.cValue, g().cName);
        cs = e.csValue.empty() ? "" : fillFormat(e.csValue, g().cName);
        return;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
        c = "pX_NULL";
        cs = "null";
        return;
    case 11:
        c = fieldVector(e.cValue);
        cs = fieldVector(e.csValue);
        return;
    case 13: c = cs = "Component_Evaluation_Routine_" + std::to_string(e.lRoutine); return;
    default:
        c = e.cValue;
        cs = e.csValue;
        return;
    }
}

/* The definition of the component module that ties its tables together,
** and the routine through which the run time finds it: without a
** reference each static table would be unused. */
void writeComponentDefinition(const GEN_MODEL_COMPONENT& c, GEN_STREAM cStream, GEN_STREAM csStream)
{
    const size_t routines = c.header.members.size();
    const std::string header = routines == 0 ? "" : c.header.name;
    std::string cList, csList;
    for (const std::string& object : c.dispatchObjects) {
        cList += std::string(cList.empty() ? "" : ", ") + "&(" + object + ")";
        csList += std::string(csList.empty() ? "" : ", ") + object;
    }
    const std::string count = std::to_string(c.dispatchObjects.size());
    P3109_WriteLine(cStream, 0, " ");
    P3109_WriteLine(cStream, 0,
                    "static const X_COMP_DISPATCH * const X_Component_Dispatches[] = { " +
                        (cList.empty() ? std::string("pX_NULL") : cList) + " };");
    P3109_WriteLine(cStream, 0, "static const X_COMP_DEFINITION X_Component_Definition = {");
    P3109_WriteLine(cStream, 3,
                    (header.empty() ? std::string("pX_NULL") : header) + ", " + std::to_string(routines) + ", " +
                        c.dispatch.name + ", " + count + ", X_Component_Dispatches };");
    P3109_WriteLine(cStream, 0, "const X_COMP_DEFINITION * X_Get_Component_Definition ( void )");
    P3109_WriteLine(cStream, 0, "{");
    P3109_WriteLine(cStream, 3, "return &(X_Component_Definition);");
    P3109_WriteLine(cStream, 0, "}");
    P3109_WriteLine(csStream, 3,
                    "static _X_COMP_DISPATCH[] X_Component_Dispatches = { " + csList + " };");
    P3109_WriteLine(csStream, 3, "public static _X_COMP_DEFINITION X_Get_Component_Definition ()");
    P3109_WriteLine(csStream, 3, "{");
    P3109_WriteLine(csStream, 6,
                    "return new _X_COMP_DEFINITION( " + (header.empty() ? std::string("null") : header) + ", " +
                        c.dispatch.name + ", X_Component_Dispatches );");
    P3109_WriteLine(csStream, 3, "}");
}

void writeComponentData(GEN_STREAM cStream, GEN_STREAM csStream)
{
    GEN_COMPONENT_MODEL* model = P3109_pComponentModel();
    if (cStream == GEN_NO_STREAM && csStream == GEN_NO_STREAM)
        return;
    P3109_WriteDashedBoxComment(cStream, "Data Definitions for Components");
    P3109_WriteCSharpClassHeader(csStream);
    if (model)
        for (GEN_MODEL_COMPONENT& c : model->components) {
            P3109_Parts().pfnEmitComponentDispatchIdTable(&c.dispatch, cStream, csStream, 0);
            if (!c.header.members.empty())
                P3109_Parts().pfnEmitComponentHeaderTable(&c.header, cStream, csStream, 0);
            for (GEN_MEMBER_OBJECT_GROUP& group : c.groups)
                P3109_WriteResourceObjects(0, group, cStream, csStream);
            writeComponentDefinition(c, cStream, csStream);
        }
    P3109_WriteCSharpClassTail(csStream);
}

}  // namespace

void P3109_WriteResources()
{
    g().skel.cKeep = 'N';
    P3109_WriteResourceDefinitions(g().rc, g().ddc, g().csStreams[0]);
}

void P3109_WriteResourceDefinitions(GEN_STREAM rcStream, GEN_STREAM cStream, GEN_STREAM csStream)
{
    if (!usesExtendedLanguage())
        return;
    GEN_COMPONENT_MODEL* model = P3109_pComponentModel();
    const FFC_CONTEXT* ctx = P3109_Context();
    if (ctx->lCompoundComponent != 0 && model && model->lMemberBuilds > 1) {
        P3109_WriteDashedBoxComment(rcStream, "Resources from member builds");
        for (int32_t i = 1; i <= model->lMemberBuilds; ++i) {
            char line[32];
            std::snprintf(line, sizeof line, "#include \"%08d.RC\"", i);
            P3109_WriteLine(rcStream, 0, line);
        }
    }
    P3109_WriteDashedBoxComment(rcStream, "*** Start of Resource Definitions ***");
    P3109_WriteLine(rcStream, 0, " ");
    int32_t counter = 0;
    if (model)
        for (GEN_RESOURCE& r : model->resources)
            P3109_WriteResourceReference(r, rcStream, counter);
    if (!model || !model->fOwnIcon)
        P3109_WriteShortPathListing(rcStream, g().args.root + "\\X_VELMO\\X_" + g().partition + "\\SOURCE",
                                    "X_DFTFUN.ICO", 1, "ICON", 1);
    P3109_WriteDashedBoxComment(rcStream, "*** End of Resource Definitions ***");
    writeComponentData(cStream, csStream);
}

void P3109_WriteResourceObjects(int16_t sIndent, GEN_MEMBER_OBJECT_GROUP& group, GEN_STREAM cStream,
                                GEN_STREAM csStream)
{
    std::stable_sort(
        group.elements.begin(), group.elements.end(),
        [](const GEN_GROUP_ELEMENT& a, const GEN_GROUP_ELEMENT& b) { return P3109_sCompareSequence(a, b) < 0; });
    P3109_WriteLine(cStream, sIndent, " ");
    P3109_WriteLine(csStream, sIndent, " ");
    P3109_WriteLine(cStream, sIndent,
                    "static " + std::string(group.fNotConstant ? "" : "const") + " " + group.structureType + " " +
                        group.objectName + " = {");
    P3109_WriteLine(csStream, sIndent,
                    "static _" + group.structureType + " " + group.objectName + " = new _" + group.structureType + "(");
    const int16_t inner = static_cast<int16_t>(sIndent + 3);
    for (size_t i = 0; i < group.elements.size(); ++i) {
        const GEN_GROUP_ELEMENT& e = group.elements[i];
        const bool last = i + 1 == group.elements.size();
        std::string c, cs;
        elementValue(e, c, cs);
        const std::string comment = "/* " + e.comment + " */ ";
        P3109_WriteLine(cStream, inner, comment + orNull(c, false) + (last ? " };" : " ,"));
        P3109_WriteLine(csStream, inner, comment + orNull(cs, true));
        P3109_WriteLine(csStream, inner, last ? " );" : " ,");
    }
}

void P3109_WriteComponentExchangeVector()
{
    g().skel.cKeep = 'N';
    std::vector<GEN_EXCHANGE_ENTRY> entries;
    if (!P3109_ReadExchangeTree(entries))
        return;
    const bool cs = csharp();
    /* C# counts the placeholder row of a component that exchanges nothing */
    if (cs)
        P3109_Line("static X_VECTOR_COMPONENT_EXCHANGE[] ComponentExchange = new X_VECTOR_COMPONENT_EXCHANGE[" +
                   std::to_string(std::max<size_t>(entries.size(), 1)) + "]{");
    for (size_t i = 0; i < entries.size(); ++i) {
        GEN_FIELD_INFO f;
        std::string symbol = P3109_sGetUsedField(entries[i].field, GEN_SLOT_LOOKUP, f, GEN_OPERAND_NAME_WIDTH) == 0 &&
                                     !f.vectorName.empty()
                                 ? f.vectorName
                                 : "V_NOT_AVAILABLE";
        if (entries[i].fMaximum)
            symbol += " + V_MAXIMUM_VALUE";
        const char separator = i == 0 ? ' ' : ',';
        char line[256];
        std::snprintf(line, sizeof line,
                      cs ? "  %c new X_VECTOR_COMPONENT_EXCHANGE(  %ld,  %s  ) "
                         : "  %c {  ((X_USHORT)(%ld)),  ((X_SHORT)(%s))  } ",
                      separator, static_cast<long>(entries[i].ulNumber), symbol.c_str());
        P3109_Line(line);
    }
    /* C#: an object of the row class, as the other rows */
    if (entries.empty())
        P3109_Line(cs ? "   new X_VECTOR_COMPONENT_EXCHANGE(  0,  V_NOT_AVAILABLE  ) "
                      : "   {  ((X_USHORT)(0)),  ((X_SHORT)(V_NOT_AVAILABLE)) } ");
    if (cs)
        P3109_Line("};");
}

void P3109_WriteEvaluationCases()
{
    g().skel.cKeep = 'N';
    std::vector<GEN_EXCHANGE_ENTRY> entries;
    if (!P3109_ReadExchangeTree(entries))
        return;
    GEN_OUTPUT_STATE& out = g().out;
    for (const GEN_EXCHANGE_ENTRY& e : entries) {
        if (!e.fCase)
            continue;
        const uint16_t indent = out.usIndent;
        const int16_t depth = out.sDepth;
        P3109_Line("case " + std::to_string(e.ulNumber) + ":");
        P3109_IndentIn();
        GEN_FIELD_INFO f;
        if (P3109_sGetUsedField(e.field, GEN_SLOT_LOOKUP, f, GEN_OPERAND_NAME_WIDTH) == 0)
            P3109_WriteSetToSpecialValue(f, GEN_REFRESH_DYNAMIC);
        P3109_Line("break;");
        out.usIndent = indent;
        out.sDepth = depth;
    }
}

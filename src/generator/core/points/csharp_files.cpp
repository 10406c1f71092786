/*
** csharp_files.cpp: the C# file wrappers and the C# pass.
**
** The C run writes the C# data definitions and static declarations beside
** its own (the "%sDDC.cs" and "%sSTG.cs" streams); the C# pass then runs the
** command loop and every section writer again in the C# target through the
** C# skeletons. Each generated .cs file holds one part of the object's
** partial class inside the namespace VELMO.<name> (for a compound's
** member VELMO.<compound>.<name>); "SL000001.S" opens the
** class of the "%s.cs" file and leaves it open for the routine bodies,
** which the pass appends before it closes the class and the namespace.
*/
#include "generator/core/points/csharp_files.h"

#include <cctype>

#include "generator/core/components/text_strings.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/file_helpers.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/p3109.h"
#include "generator/core/points/skeleton_engine.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr const char* kCSharpKeywords[] = {
    "abstract", "as",      "base",    "bool",       "break",    "byte",     "case",      "catch",     "char",
    "checked",  "class",   "const",   "continue",   "decimal",  "default",  "delegate",  "do",        "double",
    "else",     "enum",    "event",   "explicit",   "extern",   "false",    "finally",   "fixed",     "float",
    "for",      "foreach", "goto",    "if",         "implicit", "in",       "int",       "interface", "internal",
    "is",       "lock",    "long",    "namespace",  "new",      "null",     "object",    "operator",  "out",
    "override", "params",  "private", "protected",  "public",   "readonly", "ref",       "return",    "sbyte",
    "sealed",   "short",   "sizeof",  "stackalloc", "static",   "string",   "struct",    "switch",    "this",
    "throw",    "true",    "try",     "typeof",     "uint",     "ulong",    "unchecked", "unsafe",    "ushort",
    "using",    "virtual", "void",    "volatile",   "while",
};

/* A name generated C# can use for a variable: an identifier that is no
** keyword of the language. */
bool isCSharpName(std::string_view name)
{
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    for (const char* k : kCSharpKeywords)
        if (name == k)
            return false;
    return true;
}

/* The C# streams the output driver opened, by role. */
enum CsStream : size_t { kDdc = 0, kStg = 1, kSbr = 2, kIncl = 3, kTxt = 4 };

/* Step 8: the class file gets the routine bodies and its two closing
** braces. */
void completeClassFile()
{
    const GEN_FILE_SET& f = g().files;
    GEN_STREAM cls = P3109_pOpenAppendFile(f.csClass);
    if (cls == GEN_NO_STREAM)
        return;
    P3109_AppendWorkFile(cls, f.csSbr);
    P3109_DeleteFile(f.csSbr);
    P3109_WriteLine(cls, 3, "}");
    P3109_WriteLine(cls, 0, "}");
    P3109_CloseStream(cls);
}

}  // namespace

void P3109_WriteCSharpClassHeader(GEN_STREAM stream)
{
    if (stream == GEN_NO_STREAM)
        return;
    const std::string& name = g().cName;
    for (const std::string& text :
         {std::string("using System;"), std::string("using System.IO;"), std::string("using System.Text;"),
          std::string("using VELMO;\n"), "namespace VELMO." + g().files.csNamespace, std::string("{"), "   public partial class " + name,
          std::string("{")})
        P3109_WriteLine(stream, 0, text);
}

void P3109_WriteCSharpClassTail(GEN_STREAM stream)
{
    if (stream != GEN_NO_STREAM)
        P3109_WriteLine(stream, 0, "}\n}");
}

void P3109_WriteBitmapReference(GEN_RESOURCE& resource, int32_t& lCount, std::string& itemGroup)
{
    resource.referenceName.clear();
    if (resource.data.empty())
        return;
    ++lCount;
    std::string kind = resource.kindText, extension = resource.extension;
    if (kind.empty()) {
        if (resource.lType != GEN_RESOURCE_BITMAP)
            return;
        kind = "_Ref_Bitmap";
        extension = ".jpg";
    }
    const std::string file = g().cName + kind + "_" + std::to_string(P3109_lNextCSharpResourceNumber()) + extension;
    /* the name is the item's and the file's: a character that cannot name a file refuses it */
    if (file.find_first_of("\\/:*?\"<>|") != std::string::npos) {
        P3109_IssueFileMessage(Msg::FileNotWritable, file);
        return;
    }
    P3109_WriteWholeFile(resource.data.data(), resource.data.size(), g().files.csResources + "\\" + file);
    itemGroup += "<Resource Include=\"Resources\\" + file + "\" />\n";
    resource.referenceName = file.substr(0, 40);
}

void P3109_WriteProjectItemGroup()
{
    std::string itemGroup = "<ItemGroup>\n";
    int32_t count = 0;
    if (GEN_COMPONENT_MODEL* model = P3109_pComponentModel())
        for (GEN_RESOURCE& r : model->resources)
            P3109_WriteBitmapReference(r, count, itemGroup);
    itemGroup += "</ItemGroup>\n";
    P3109_ReplaceDirective(itemGroup);
}

void P3109_WriteInstallResources()
{
    P3109_ReplaceDirective("");
    const std::string& name = g().cName;
    const GEN_COMPONENT_MODEL* model = P3109_pComponentModel();
    if (!model)
        return;
    for (const GEN_RESOURCE& r : model->resources) {
        if (r.data.empty())
            continue;
        P3109_WriteLine(g().out.mainOutput, 9,
                        "\tLpCrRtManager.Current().Application.InstallResource( \"" + name + ":" +
                            std::to_string(static_cast<uint16_t>(r.sIdentifier)) + "\", \"" + name +
                            ";component/Resources/" + r.referenceName + "\" );\n");
    }
}

void P3109_WriteQualifiedName(uint16_t usIndent)
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    const FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || (!ctx->lComponentRun && !ctx->lZophxUsed))
        return;
    const GEN_COMPONENT_MODEL* model = P3109_pComponentModel();
    if (!model)
        return;
    static constexpr char kLetters[] = {'D', 'L', '1', '2', '3'};
    const uint16_t saved = s.out.usIndent;
    s.out.usIndent = usIndent;
    for (const GEN_TEXT_OWNER& owner : model->owners)
        for (const GEN_MEMBER_TEXT& t : owner.texts) {
            if (t.lKind < 6 || t.lKind > 10)
                continue;
            const char letter = kLetters[t.lKind - 6];
            const std::string& target = s.cTarget == GEN_TARGET_CSHARP ? t.csTarget : t.cTarget;
            const std::string qualified = owner.name + "." + t.member;
            if (s.cTarget == GEN_TARGET_CSHARP && !isCSharpName(P3109_TrimRight(target.substr(0, 10)))) {
                P3109_IssueTextMessage('F', "ERROR : The C# target " + target.substr(0, 20) + " of member " +
                                                qualified.substr(0, 30) + " is no C# name");
                continue;
            }
            P3109_RegisterFieldTextUse(qualified, letter);
            P3109_WriteGetMultilingualField(P3109_Padded(target, 10), P3109_sFieldTextIndex(qualified), letter, false);
        }
    s.out.usIndent = saved;
}

void P3109_RunSkeleton(const std::string& skeleton, const std::string& output)
{
    GEN_MODULE_STATE& s = g();
    GEN_STREAM in = P3109_pOpenInputFile(skeleton);
    GEN_STREAM out = P3109_pOpenOutputFile(output);
    s.out.current = out;
    s.out.mainOutput = out;
    s.skel.currentSkeleton = skeleton;
    P3109_ResetSkeletonConditions();
    std::string line;
    while (P3109_lAbortWord() == 0 && in != GEN_NO_STREAM && P3109_fReadSkeletonLine(in, 0, line)) {
        P3109_SetSkeletonLine(line);
        P3109_ProcessSkeletonLine();
        if (s.skel.cKeep == 'Y')
            P3109_WriteFileLine(0, P3109_SkeletonLineText(), out);
    }
    s.out.current = GEN_NO_STREAM;
    s.out.mainOutput = GEN_NO_STREAM;
    P3109_CloseStream(out);
    P3109_CloseStream(in);
}

void P3109_GenerateCSharpFiles()
{
    GEN_MODULE_STATE& s = g();
    const GEN_FILE_SET& f = s.files;
    s.cTarget = GEN_TARGET_CSHARP;
    CGEN_SetTextLiteralLanguage(f.utw, s.language);
    P3109_WriteCSharpClassHeader(s.csStreams[kIncl]);
    P3109_WriteCSharpClassHeader(s.csStreams[kTxt]);
    const GEN_STREAM savedHeader = s.header;
    s.header = s.csStreams[kIncl];
    P3109_EndGeneration();
    /* the end of the C run dropped the rename stack and the conditions with
       its work chains; the C# class writes the same rename table, record and
       condition blocks, so both are read again from the checker's records */
    if (FFC_CONTEXT* ctx = P3109_Context()) {
        P3109_LoadRenameStack(ctx);
        P3109_LoadConditions(ctx);
    }

    const std::pair<const std::string*, const std::string*> runs[] = {
        {&f.csSkeletons[1], &f.csProj},     {&f.csSkeletons[2], &f.csSln},   {&f.csSkeletons[3], &f.csAssemblyInfo},
        {&f.csSkeletons[4], &f.csManifest}, {&f.csSkeletons[0], &f.csClass},
    };
    for (const auto& [skeleton, output] : runs)
        P3109_RunSkeleton(*skeleton, *output);

    P3109_WriteCSharpClassTail(s.csStreams[kIncl]);
    P3109_CloseStream(s.csStreams[kIncl]);
    P3109_CloseStream(s.csStreams[kSbr]);
    if (P3109_lAbortWord() == 0)
        completeClassFile();
    s.header = savedHeader;

    MLTX_WriteTextStringsFile(f.skeletonDirectory2, "", P3109_ProcessDefinitions().languages, GEN_TARGET_CSHARP,
                              s.csStreams[kTxt]);
    P3109_WriteCSharpClassTail(s.csStreams[kTxt]);
    P3109_CloseStream(s.csStreams[kTxt]);
    s.cTarget = GEN_TARGET_C;
}

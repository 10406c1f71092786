/*
** file_set.cpp: forms the names of the generated file set and directories.
*/
#include "generator/core/output/file_set.h"

#include <cstdio>
#include <cstring>

#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"

namespace {

/* The built-in function skeleton, in order of precedence. */
const char* bifSkeletonName(const GEN_FILE_SET_INPUT& in)
{
    if (in.cFieldValidate == 'Y')
        return "FUN00026.S";
    if (in.cSystemVariable == 'Y')
        return "FUN00025.S";
    if (in.cTrigger == 'Y')
        return "FUN00027.S";
    if (in.cBuiltin == 'Y')
        return "FUN00028.S";
    return "FUN00024.S";
}

/* A stem names files safely when it is an identifier: letters, digits and
** '_' (the C name maps every other character), so that no name can reach
** outside its directory. */
bool stemIsIdentifier(const std::string& stem)
{
    if (stem.empty() || stem.size() > 8)
        return false;
    for (char c : stem)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

}  // namespace

bool P3109_FormFileSet(GEN_FILE_SET_INPUT& in, GEN_FILE_SET& set, bool fTouchDirectories)
{
    set = GEN_FILE_SET{};
    in.stem = in.cName;
    if (!stemIsIdentifier(in.cName)) {
        const std::string& name = in.objectName.empty() ? in.cName : in.objectName;
        set.refusal = "ERROR : Name " + name + " cannot name files: its C name is no identifier";
        return true;
    }
    GEN_FILE_SET s;

    s.skeletonDirectory = in.root + "\\X_VELMO\\SOURCE\\";
    for (int i = 0; i < 5; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "SL%06d.S", i + 1);
        s.csSkeletons[i] = s.skeletonDirectory + name;
    }
    s.mainSkeleton = s.skeletonDirectory + "FUN00001.S";

    s.partitionDirectory = in.root + "\\X_VELMO\\X_" + in.partition + "\\SOURCE\\";
    s.csDirectory = s.partitionDirectory + "C#";

    std::string out = s.partitionDirectory;
    if (in.checkIn) {
        out += "CheckIn";
        if (fTouchDirectories)
            DosCreateDir(out.c_str(), nullptr);
        out += "\\";
    }
    s.csNamespace = in.cName;
    if (in.compound) {
        const std::string compound = in.cName;
        out += compound;
        if (fTouchDirectories && in.lCurrentPass == 1) {
            OSRV_RemoveDirectoryTree(out.c_str());
            DosCreateDir(out.c_str(), nullptr);
        }
        out += "\\";
        if (in.lCurrentPass < in.lPassCount) {
            /* a member's files are named by its pass number; its code by an
               identifier made of it */
            char number[16];
            std::snprintf(number, sizeof number, "%08d", static_cast<int>(in.lCurrentPass));
            in.stem = number;
            std::snprintf(number, sizeof number, "X%07d", static_cast<int>(in.lCurrentPass % 10000000));
            in.cName = number;
            /* its C# project is the compound's own, in the compound's
               directory (made anew with it), and its namespace and assembly
               name the compound: two compounds' members never meet */
            s.csDirectory = out + "C#";
            s.csNamespace = compound + "." + in.cName;
        }
    }
    s.outputDirectory = out;
    s.outputBase = out + in.stem;

    const std::string& b = s.outputBase;
    s.c = b + ".C";
    s.stg = b + ".STG";
    s.ddc = b + ".DDC";
    s.rc = b + ".RC";
    s.h = b + ".H";
    s.dll = b + ".DLL";
    s.sbr = b + ".SBR";
    s.rpt = b + ".RPT";
    s.txt = b + ".TXT";
    s.utw = b + ".UTW";
    s.pgm = b + ".PGM";

    s.csProject = s.csDirectory + "\\" + in.stem;
    s.csProperties = s.csProject + "\\Properties";
    s.csResources = s.csProject + "\\Resources";
    const std::string& p = s.csProject;
    s.csDdc = p + "\\" + in.stem + "DDC.cs";
    s.csTxt = p + "\\" + in.stem + "TXT.cs";
    s.csStg = p + "\\" + in.stem + "STG.cs";
    s.csSbr = p + "\\" + in.stem + ".sbr";
    s.csIncl = p + "\\" + in.stem + "Incl.cs";
    s.csClass = p + "\\" + in.stem + ".cs";
    s.csProj = p + "\\" + in.stem + ".csproj";
    s.csSln = p + "\\" + in.stem + ".sln";
    s.csAssemblyInfo = s.csProperties + "\\AssemblyInfo.cs";
    s.csManifest = s.csProperties + "\\AppManifest.xml";

    s.skeletonDirectory2 = in.root + "\\X_VELMO\\SOURCE\\";
    s.bifSkeleton = s.skeletonDirectory2 + bifSkeletonName(in);

    for (const std::string* name :
         {&s.csIncl, &s.csAssemblyInfo, &s.csManifest, &s.utw, &s.bifSkeleton, &s.csSkeletons[4]})
        if (name->size() >= GEN_MAX_PATH)
            return false;
    set = std::move(s);
    return true;
}

namespace {

/* The answer of the last look through the partition's objects, and what
** it was asked: the set-up forms the file set twice in a pass of a job (its
** set-up step and its output driver), and the objects do not change in
** between. The pass is known by its work file, whose number no other pass
** of the process shares. */
struct StemAnswer {
    uint64_t workFile = 0;
    std::string partition, stem, ownName, found;
    bool component = false;
};

StemAnswer& lastStemAnswer()
{
    static StemAnswer answer;
    return answer;
}

uint64_t passWorkFile()
{
    return WF_ulKindStamp(P3109_Context(), WR_USEFIELD) >> 32;
}

std::string findStemTakenBy(const std::string& partition, const std::string& stem, bool fComponent,
                            const std::string& ownName);

}  // namespace

std::string P3109_StemTakenBy(const std::string& partition, const std::string& stem, bool fComponent,
                              const std::string& ownName)
{
    StemAnswer& last = lastStemAnswer();
    const uint64_t workFile = passWorkFile();
    if (workFile != 0 && workFile == last.workFile && last.partition == partition && last.stem == stem &&
        last.component == fComponent && last.ownName == ownName)
        return last.found;
    std::string found = findStemTakenBy(partition, stem, fComponent, ownName);
    last = StemAnswer{workFile, partition, stem, ownName, found, fComponent};
    return found;
}

namespace {

std::string findStemTakenBy(const std::string& partition, const std::string& stem, bool fComponent,
                            const std::string& ownName)
{
    /* The object itself is the one of exactly its name: names that differ
       only in case are two objects of the repository, whose stems (compared
       without case, as the file system finds names) must not meet. */
    struct Search {
        std::string stem, own, found;
        bool component;
    } search{P3109_CopyUpper(stem, stem.size()), ownName, "", fComponent};
    const long rc = OSRV_lEnumerateObjectNames(
        partition.c_str(),
        [](void* user, const char* name, const char* module, char kind) -> long {
            auto& s = *static_cast<Search*>(user);
            if (s.own == name && (kind == 'C') == s.component)
                return 1;
            const std::string other = kind == 'C' && *module ? std::string(module)
                                                             : P3109_MakeCIdentifierShort(kind == 'C' ? 8 : 7, name);
            if (P3109_CopyUpper(other, other.size()) != s.stem)
                return 1;
            s.found = std::string(kind == 'C' ? "component " : "function ") + name;
            return 0;
        },
        &search);
    if (rc == OSRV_ERR_REPOSITORY)
        P3109_FatalSqlError(SSQL_pszLocation());
    return search.found;
}

}  // namespace

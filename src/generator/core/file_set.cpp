/*
** file_set.cpp: forms the names of the generated file set and directories.
*/
#include "generator/core/file_set.h"

#include <cstdio>

#include "platform/dqoosrv/dqoosrv.h"
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

/* A stem names files without loss when it is made of capital letters and
** digits only (the C name turns any other character into '_' or 'X', and
** the host matches existing names without regard to case) and is the
** object's name itself (not cut short). */
bool stemKeepsTheName(const GEN_FILE_SET_INPUT& in)
{
    if (in.cName.empty())
        return false;
    for (char c : in.cName)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return in.objectName.empty() || in.objectName == in.cName;
}

}  // namespace

bool P3109_FormFileSet(GEN_FILE_SET_INPUT& in, GEN_FILE_SET& set, bool fTouchDirectories)
{
    set = GEN_FILE_SET{};
    if (!stemKeepsTheName(in)) {
        const std::string& name = in.objectName.empty() ? in.cName : in.objectName;
        set.refusal = "ERROR : Name " + name + " cannot name files: use capital letters and digits only";
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
    if (in.compound) {
        out += in.cName;
        if (fTouchDirectories && in.lCurrentPass == 1) {
            OSRV_RemoveDirectoryTree(out.c_str());
            DosCreateDir(out.c_str(), nullptr);
        }
        if (in.lCurrentPass < in.lPassCount) {
            char number[16];
            std::snprintf(number, sizeof number, "%08d", static_cast<int>(in.lCurrentPass));
            in.cName = number;
        }
        out += "\\";
    }
    s.outputDirectory = out;
    s.outputBase = out + in.cName;

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

    s.csProject = s.csDirectory + "\\" + in.cName;
    s.csProperties = s.csProject + "\\Properties";
    s.csResources = s.csProject + "\\Resources";
    const std::string& p = s.csProject;
    s.csDdc = p + "\\" + in.cName + "DDC.cs";
    s.csTxt = p + "\\" + in.cName + "TXT.cs";
    s.csStg = p + "\\" + in.cName + "STG.cs";
    s.csSbr = p + "\\" + in.cName + ".sbr";
    s.csIncl = p + "\\" + in.cName + "Incl.cs";
    s.csClass = p + "\\" + in.cName + ".cs";
    s.csProj = p + "\\" + in.cName + ".csproj";
    s.csSln = p + "\\" + in.cName + ".sln";
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

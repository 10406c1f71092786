// Object server: component restore, version data and directory removal on
// a copy of the sample environment.

#include "platform/dqoo/objlayer_repo.h"
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqoz/dqoz.h"
#include "support/files.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> g_lines;

int32_t collect(const DQOO_SOURCE_LINE* line)
{
    g_lines.push_back(std::to_string(line->ulNumber) + "|" + line->pszText);
    return 1;
}

TEST(ObjectServer, RestoresTheSampleComponent)
{
    objlayer_test::SampleRepository repo;
    g_lines.clear();
    const OSRV_COMPONENT_NAME name{"DEM", "DEMOCMP2  "};
    OSRV_RESTORE_RESULT result{99, 99};
    EXPECT_EQ(0, OSRV_lRestoreComponent(nullptr, &name, &result, collect, nullptr, 0));
    EXPECT_EQ(4u, result.ulLines);
    EXPECT_EQ(0, result.lStatus);
    EXPECT_EQ((std::vector<std::string>{"1|BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",
                                        "2|DEFINE_COM CLASS(#DEMOCOMP) NAME(#DEMOCOMP)", "3|INVOKE #DEMOCOMP.CHECK",
                                        "4|END_COM"}),
              g_lines);

    g_lines.clear();
    const OSRV_COMPONENT_NAME big{"DEM", "DEMOCOMP"};
    EXPECT_EQ(0, OSRV_lRestoreComponent(nullptr, &big, &result, collect, nullptr, 0));
    ASSERT_EQ(13u, g_lines.size());
    EXPECT_EQ("10|L1: CHANGE FIELD(#CUSTNAM) TO('Customer number isn''t set')", g_lines[9]);

    const OSRV_COMPONENT_NAME missing{"DEM", "NOSUCH"};
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_lRestoreComponent(nullptr, &missing, &result, collect, nullptr, 0));
    EXPECT_EQ(0u, result.ulLines);
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, result.lStatus);
    const OSRV_COMPONENT_NAME otherPartition{"XYZ", "DEMOCOMP"};
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_lRestoreComponent(nullptr, &otherPartition, nullptr, collect, nullptr, 0));
    EXPECT_EQ(OSRV_ERR_ARGUMENT, OSRV_lRestoreComponent(nullptr, &big, nullptr, nullptr, nullptr, 0));
}

// The objects of a partition: its components by name (a name stored in
// more than one of the component tables once), each with its module
// identifier, then its functions by name (one a name, whatever its
// process), until the callback stops.
TEST(ObjectServer, EnumeratesTheObjectNamesOfAPartition)
{
    objlayer_test::SampleRepository repo;
    repo.exec("INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES "
              "('TST', 'ZETA', 1, 'A'), ('TST', 'ZETA', 2, 'B'), ('TST', 'ALPHA', 1, 'C');"
              "INSERT INTO QV_OCM (XCMP_I, XCMCMP, XCMSEQ, XCMMEM) VALUES ('TST', 'MIDDLE', 1, 'ALPHA');"
              "INSERT INTO QV_OCD (XCDP_I, XCDCMP, XCDKND, XCDMOD) VALUES "
              "('TST', 'ALPHA', 0, 'ALPHAMOD'), ('TST', 'DEFONLY', 0, '');"
              "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT) VALUES "
              "('TST', 'PROC1', 'FNB'), ('TST', 'PROC2', 'FNB'), ('TST', 'PROC1', 'ALPHA'), ('TST', 'PROC1', 'FNA');");
    struct Seen {
        std::vector<std::string> names;
        std::string stopAt;
    };
    const auto record = [](void* user, const char* name, const char* module, char kind) -> long {
        auto& seen = *static_cast<Seen*>(user);
        seen.names.push_back(std::string(1, kind) + " " + name + " [" + module + "]");
        return seen.stopAt == name ? 0 : 1;
    };
    Seen all;
    EXPECT_EQ(OSRV_OK, OSRV_lEnumerateObjectNames("TST", record, &all));
    EXPECT_EQ((std::vector<std::string>{"C ALPHA [ALPHAMOD]", "C DEFONLY []", "C MIDDLE []", "C ZETA []",
                                        "F ALPHA []", "F FNA []", "F FNB []"}),
              all.names);

    Seen component{{}, "MIDDLE"};
    EXPECT_EQ(OSRV_OK, OSRV_lEnumerateObjectNames("TST", record, &component));
    EXPECT_EQ((std::vector<std::string>{"C ALPHA [ALPHAMOD]", "C DEFONLY []", "C MIDDLE []"}), component.names)
        << "the functions are not read once the callback stopped";

    Seen function{{}, "FNA"};
    EXPECT_EQ(OSRV_OK, OSRV_lEnumerateObjectNames("TST", record, &function));
    EXPECT_EQ(6u, function.names.size());

    Seen none;
    EXPECT_EQ(OSRV_OK, OSRV_lEnumerateObjectNames("XYZ", record, &none));
    EXPECT_TRUE(none.names.empty());
    EXPECT_EQ(OSRV_ERR_ARGUMENT, OSRV_lEnumerateObjectNames("TST", nullptr, nullptr));
}

struct Version {
    std::vector<std::string> texts;
    long word;
};

std::vector<Version> g_versions;

long keepVersion(void* user, long word, void* record)
{
    EXPECT_NE(nullptr, user);
    auto* data = static_cast<OSRV_VERSION_DATA*>(record);
    char* texts[] = {data->pszCompanyName, data->pszLegalCopyright, data->pszLegalTrademarks, data->pszProductName,
                     data->pszComments,    data->pszProductVersion, data->pszFileVersion};
    Version v{{}, word};
    for (char* t : texts)
        v.texts.push_back(t == nullptr ? "(null)" : t);
    // The receiver may rewrite the version texts in place.
    if (data->pszFileVersion != nullptr)
        data->pszFileVersion[1] = '.';
    g_versions.push_back(v);
    return 1;
}

TEST(ObjectServer, VersionDataOfTheSampleObjects)
{
    objlayer_test::SampleRepository repo;
    g_versions.clear();
    OSRV_DATA_REQUEST request{nullptr, "DEMOCOMP", "DEM"};
    ASSERT_EQ(0, OSRV_GetData(nullptr, &request, OSRV_DATA_VERSION, nullptr, nullptr, nullptr, keepVersion));
    ASSERT_EQ(1u, g_versions.size());
    EXPECT_EQ(1, g_versions[0].word);
    EXPECT_EQ((std::vector<std::string>{"Demo Traders Ltd", "Copyright 2026 Demo Traders Ltd", "(null)", "Demo Orders",
                                        "Customer component", "2.5.0.1", "2,5,0,1"}),
              g_versions[0].texts);

    g_versions.clear();
    OSRV_DATA_REQUEST function{nullptr, "DEMOFN    ", "DEM"};
    ASSERT_EQ(0, OSRV_GetData(nullptr, &function, OSRV_DATA_VERSION, nullptr, nullptr, nullptr, keepVersion));
    ASSERT_EQ(1u, g_versions.size());
    EXPECT_EQ((std::vector<std::string>{"Demo Traders Ltd", "(null)", "(null)", "Demo Orders", "(null)", "1.0.3.0",
                                        "(null)"}),
              g_versions[0].texts);

    // No version data: no callback, still success.
    g_versions.clear();
    OSRV_DATA_REQUEST none{nullptr, "NOSUCH", "DEM"};
    EXPECT_EQ(0, OSRV_GetData(nullptr, &none, OSRV_DATA_VERSION, nullptr, nullptr, nullptr, keepVersion));
    EXPECT_TRUE(g_versions.empty());

    // Two records; the callback stops after the first.
    repo.exec("INSERT INTO QV_OVR (XVRP_I, XVROBJ, XVRSEQ, XVRPRD) VALUES ('DEM', 'DEMOCOMP', 2, 'Second')");
    EXPECT_EQ(0, OSRV_GetData(nullptr, &request, OSRV_DATA_VERSION, nullptr, nullptr, nullptr,
                              [](void*, long, void*) -> long { return 0; }));
    EXPECT_EQ(0, OSRV_GetData(nullptr, &request, OSRV_DATA_VERSION, nullptr, nullptr, nullptr, keepVersion));
    ASSERT_EQ(2u, g_versions.size());
    EXPECT_EQ(2, g_versions[1].word);
    EXPECT_EQ("Second", g_versions[1].texts[3]);

    EXPECT_EQ(OSRV_ERR_KIND, OSRV_GetData(nullptr, &request, 4, nullptr, nullptr, nullptr, keepVersion));
    EXPECT_EQ(OSRV_ERR_ARGUMENT, OSRV_GetData(nullptr, nullptr, 9, nullptr, nullptr, nullptr, keepVersion));
}

// A copy of the sample environment root with a generated-output tree.
class SampleRoot {
public:
    SampleRoot()
    {
        if (fs::exists(testsupport::sampleRoot()))
            fs::copy(testsupport::sampleRoot(), dir_.path(), fs::copy_options::recursive);
        fs::create_directories(dir_ / "X_VELMO" / "X_DEM" / "SOURCE" / "CSHARP" / "DEMOFN" / "obj");
        testsupport::writeFile(dir_ / "X_VELMO" / "X_DEM" / "SOURCE" / "CSHARP" / "DEMOFN" / "DEMOFN.cs",
                               "class X {}\n");
        testsupport::writeFile(dir_ / "X_VELMO" / "X_DEM" / "SOURCE" / "DEMOFN.C", "int x;\n");
        EXPECT_EQ(0, OSRV_InitServices(dir_.path().c_str()));
    }
    ~SampleRoot() { DosSetEnvironmentRoot(nullptr); }
    const fs::path& dir() const { return dir_.path(); }

private:
    testsupport::ScratchDir dir_{"objlayer-root"};
};

TEST(ObjectServer, RemovesADirectoryTreeOfTheEnvironment)
{
    SampleRoot root;
    const fs::path source = root.dir() / "X_VELMO" / "X_DEM" / "SOURCE";
    EXPECT_EQ(0, OSRV_RemoveDirectoryTree("C:\\x_velmo\\x_dem\\source\\csharp\\DEMOFN"));
    EXPECT_FALSE(fs::exists(source / "CSHARP" / "DEMOFN"));
    EXPECT_TRUE(fs::exists(source / "CSHARP"));
    EXPECT_TRUE(fs::exists(source / "DEMOFN.C"));

    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_RemoveDirectoryTree("\\X_VELMO\\X_DEM\\SOURCE\\CSHARP\\DEMOFN"));
    EXPECT_EQ(OSRV_ERR_REFUSED, OSRV_RemoveDirectoryTree("\\X_VELMO\\X_DEM\\SOURCE\\DEMOFN.C"));
    EXPECT_TRUE(fs::exists(source / "DEMOFN.C"));
    EXPECT_EQ(OSRV_ERR_REFUSED, OSRV_RemoveDirectoryTree("\\"));
    EXPECT_EQ(OSRV_ERR_REFUSED, OSRV_RemoveDirectoryTree("\\X_VELMO\\..\\.."));
    EXPECT_EQ(OSRV_ERR_ARGUMENT, OSRV_RemoveDirectoryTree(""));
    EXPECT_TRUE(fs::exists(root.dir() / "X_VELMO"));

    // A symbolic link is not followed.
    const fs::path outside = root.dir().string() + "-outside";
    fs::create_directories(outside / "keep");
    fs::create_directory_symlink(outside, source / "LINK");
    EXPECT_EQ(OSRV_ERR_REFUSED, OSRV_RemoveDirectoryTree("\\X_VELMO\\X_DEM\\SOURCE\\LINK"));
    EXPECT_TRUE(fs::exists(outside / "keep"));
    fs::remove_all(outside);

    EXPECT_EQ(0, OSRV_RemoveDirectoryTree("\\X_VELMO\\X_DEM"));
    EXPECT_FALSE(fs::exists(root.dir() / "X_VELMO" / "X_DEM"));
}

TEST(ObjectServer, NoRemovalWithoutAnEnvironmentRoot)
{
    DosSetEnvironmentRoot(nullptr);
    unsetenv("DQOV_ENV_ROOT");
    const testsupport::ScratchDir dir("objlayer-noroot");
    EXPECT_EQ(OSRV_ERR_REFUSED, OSRV_RemoveDirectoryTree(dir.path().c_str()));
    EXPECT_TRUE(fs::exists(dir.path()));
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_InitServices("/nonexistent/objlayer/root"));
}

}  // namespace

// Removal of generated objects: name rules, the alias file, and the files and
// tables that the removal operations delete, in a copy of the sample
// environment root.
#include "support.h"

#include "dqov/tables/dqov_tables.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/sample_env.h"
#include "tables/dbms_env.h"
#include "tables/removal/objdel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace ctdtest;
namespace fs = std::filesystem;

TEST(RemovalNames, ShortNamesAndReservedWords)
{
    std::string out;
    OBJDEL_MakeObjectName("ORDER", out);
    EXPECT_EQ(out, "O_DER");
    OBJDEL_MakeObjectName("C", out);
    EXPECT_EQ(out, "C_");
    OBJDEL_MakeObjectName("order", out);
    EXPECT_EQ(out, "o_der");
    OBJDEL_MakeObjectName("ORDERS", out);
    EXPECT_EQ(out, "ORDERS");
    OBJDEL_MakeObjectName("AUTHORIZATION", out);
    EXPECT_EQ(out, "AUTHORIZATION");
    OBJDEL_MakeShortObjectName("1LIB", out);
    EXPECT_EQ(out, "XLIB");
    OBJDEL_MakeShortObjectName("MYLONGLIBRARY", out);
    EXPECT_EQ(out, "GLIBRARY");
    out = "A-B C-D";
    OBJDEL_MakeIdentifier(out);
    EXPECT_EQ(out, "A_B C-D");
    out = "$AB";
    OBJDEL_MakeIdentifier(out);
    EXPECT_EQ(out, "XAB");
    OBJDEL_TakeNameTail(out, "FUNCTION12", 8);
    EXPECT_EQ(out, "NCTION12");
    OBJDEL_TakeNameTail(out, "", 8);
    EXPECT_EQ(out, "X");
    OBJDEL_TakeNameTail(out, "F\"; rm", 8);
    EXPECT_EQ(out, "F__ rm");
    out = "  AB  ";
    OBJDEL_TrimBlanks(out, 'T');
    EXPECT_EQ(out, "  AB");
    OBJDEL_TrimBlanks(out, 'L');
    EXPECT_EQ(out, "AB");
    EXPECT_EQ(OBJDEL_PartitionBase("C", "DEM"), "C:\\X_VELMO\\X_DEM");
    EXPECT_EQ(OBJDEL_PartitionBase("C:", "DEM"), "C:\\X_VELMO\\X_DEM");
}

TEST(RemovalNames, ReservedWordsAreMatchedWhole)
{
    // The first and the last word of the list, and a word of the full ten
    // characters, are reserved; the same words one character shorter or
    // longer are not.
    std::string out;
    OBJDEL_MakeObjectName("ABSOLUTE", out);
    EXPECT_EQ(out, "A_SOLUTE");
    OBJDEL_MakeObjectName("ZONED", out);
    EXPECT_EQ(out, "Z_NED");
    OBJDEL_MakeObjectName("ASENSITIVE", out);
    EXPECT_EQ(out, "A_ENSITIVE");
    OBJDEL_MakeObjectName("ASENSITIV", out);
    EXPECT_EQ(out, "ASENSITIV");
    OBJDEL_MakeObjectName("ZONEDX", out);
    EXPECT_EQ(out, "ZONEDX");
}

namespace {

// A copy of the built sample environment root as the environment root.
class SampleRoot {
public:
    SampleRoot()
    {
        root_ = dir_.path() / "root";
        testsupport::copySampleRoot(root_);
        DosSetEnvironmentRoot(root_.c_str());
    }
    ~SampleRoot() { DosSetEnvironmentRoot(nullptr); }
    void touch(const std::string& rel)
    {
        fs::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel) << "x";
    }
    std::set<std::string> files() const
    {
        std::set<std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(root_))
            if (e.is_regular_file())
                out.insert(fs::relative(e.path(), root_).string());
        return out;
    }
    const fs::path& path() const { return root_; }
    std::string dir() const { return dir_.path().string(); }

private:
    TempDir dir_;
    fs::path root_;
};

std::set<std::string> removed(const std::set<std::string>& before, const std::set<std::string>& after)
{
    std::set<std::string> out;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::inserter(out, out.end()));
    return out;
}

// A repository with the functions of the sample process and of another one.
std::string makeRepository(const std::string& dir)
{
    std::string path = dir + "/repository.db";
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE QV_F23 (X23P_I CHAR(3) COLLATE RTRIM, X23MOD CHAR(10) COLLATE RTRIM, "
                 "X23FMT CHAR(7) COLLATE RTRIM);"
                 "INSERT INTO QV_F23 VALUES ('DEM', 'DEMOPRC', 'DEMOFN2'), ('DEM', 'DEMOPRC', 'DEMOFN'),"
                 " ('DEM', 'OTHERPR', 'OTHFN'), ('OTH', 'DEMOPRC', 'OTHPFN');"
                 "CREATE TABLE KEEP (N INTEGER);"
                 "CREATE TABLE LIB_O_DER (A INTEGER);",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

}  // namespace

TEST(Removal, AliasFileOfTheSampleEnvironment)
{
    SampleRoot root;
    std::string alias;
    EXPECT_EQ(OBJDEL_sGetProcessAlias(2, "C", "INVOICE001", &alias), 1);
    EXPECT_EQ(alias, "INV001");
    OBJDEL_sGetProcessAlias(2, "C", "INVOICE01", &alias);
    EXPECT_EQ(alias, "NVOICE01");  // another length never matches the line
    OBJDEL_sGetProcessAlias(2, "C", "DEMOPRC", &alias);
    EXPECT_EQ(alias, "DEPRC");
    OBJDEL_sGetProcessAlias(2, "C:", "DEMOPRC", &alias);
    EXPECT_EQ(alias, "DEMOPRC");  // only a bare drive letter finds the alias file
    OBJDEL_sGetProcessAlias(1, "C", "PROCESS12345", &alias);
    EXPECT_EQ(alias, "OCESS12345");
    EXPECT_EQ(OBJDEL_sGetProcessAlias(2, nullptr, "DEMOPRC", &alias), 0);
    EXPECT_EQ(OBJDEL_sGetProcessAlias(2, "C", "DEMOPRC", nullptr), 0);
}

TEST(Removal, AliasLinesBeyondTheLimitsAreSafe)
{
    SampleRoot root;
    std::ofstream(root.path() / "X_VELMO" / "X_PALIAS.DAT")
        << "LONG?????,1,9,1,9,1,9\n"              // pieces add up past ten characters
        << "TOOLONGPATTERNX,1,3,0,0,0,0\n"        // pattern over eleven characters
        << "AB,5,9,0,0,0,0\n"                     // piece past the end of the name
        << "X" << std::string(100, ',') << "1\n"  // line over 79 characters
        << "PQ,1,1\n";                            // fewer than six numbers
    std::string alias;
    OBJDEL_sGetProcessAlias(2, "C", "LONGNAMES", &alias);
    EXPECT_EQ(alias, "NGNAMESL");  // ten characters kept, then the last eight
    OBJDEL_sGetProcessAlias(2, "C", "AB", &alias);
    EXPECT_EQ(alias, "X");
    OBJDEL_sGetProcessAlias(2, "C", "PQ", &alias);
    EXPECT_EQ(alias, "P");
}

namespace {

struct PgRunner {
    PostgresDatabase* db;
    static int run(void* c, const char* sql) { return static_cast<PgRunner*>(c)->db->exec(sql).empty() ? 0 : 1; }
    static int commit(void* c) { return static_cast<PgRunner*>(c)->db->exec("COMMIT").empty() ? 0 : 1; }
};

}  // namespace

TEST(Removal, TableFilesByLayoutAndKeepFlag)
{
    SampleRoot root;
    SMISC_SetDBMSEnvironment(sampleEnvironmentFile().c_str(), "SQLITE");
    ASSERT_EQ(SSQL_sConnect(makeRepository(root.dir()).c_str()), SSQL_RC_OK);
    const std::vector<std::string> perLibrary = {
        "X_VELMO/X_DEM/EXECUTE/LIB/ORDER.DLL", "X_VELMO/X_DEM/EXECUTE/LIB/ORDER.PDB",
        "X_VELMO/X_DEM/SOURCE/LIB/ORDER.C", "X_VELMO/X_DEM/ORDER.RRN", "X_VELMO/X_DEM/OBJECT/ORDER.OBJ"};
    for (const auto& f : perLibrary)
        root.touch(f);
    root.touch("X_VELMO/X_DEM/EXECUTE/ORDER.DLL");
    root.touch("X_VELMO/X_DEM/EXECUTE/ORDER.PDB");
    auto before = root.files();
    QV_Remove_Table_Objects("C", "DEM", "ORDER", "LIB", 0);
    EXPECT_EQ(removed(before, root.files()), std::set<std::string>(perLibrary.begin(), perLibrary.end()));
    EXPECT_EQ(OBJDEL_LastDropResult(), 0);  // DROP TABLE "LIB_O_DER" ran

    // Flat layout: the per-library sources stay.
    root.touch("X_VELMO/X_DEM/SOURCE/LIB/ORDER.C");
    root.touch("X_VELMO/X_DEM/SOURCE/ORDER.C");
    root.touch("X_VELMO/X_DEM/OBJECT/ORDER.OBJ");
    before = root.files();
    QV_Remove_Table_Objects("C", "DEM", "ORDER", "LIB", 0);
    EXPECT_EQ(removed(before, root.files()),
              (std::set<std::string>{"X_VELMO/X_DEM/EXECUTE/ORDER.DLL", "X_VELMO/X_DEM/EXECUTE/ORDER.PDB",
                                     "X_VELMO/X_DEM/SOURCE/ORDER.C", "X_VELMO/X_DEM/OBJECT/ORDER.OBJ"}));
    EXPECT_NE(OBJDEL_LastDropResult(), 0);  // the table was dropped before

    // Keep flag: no SQL and the .RRN file stays.
    root.touch("X_VELMO/X_DEM/ORDERS.RRN");
    root.touch("X_VELMO/X_DEM/EXECUTE/ORDERS.DLL");
    root.touch("X_VELMO/X_DEM/OBJECT/ORDERS.OBJ");
    before = root.files();
    QV_Remove_Table_Objects("C", "DEM", "ORDERS", "LIB", 1);
    EXPECT_EQ(removed(before, root.files()),
              (std::set<std::string>{"X_VELMO/X_DEM/EXECUTE/ORDERS.DLL", "X_VELMO/X_DEM/OBJECT/ORDERS.OBJ"}));
    SSQL_Disconnect();
    SMISC_SetDBMSEnvironment(nullptr, nullptr);
}

TEST(Removal, FailedDropKeepsPendingWorkOnSqlite)
{
    SampleRoot root;
    SMISC_SetDBMSEnvironment(sampleEnvironmentFile().c_str(), "SQLITE");
    std::string repository = makeRepository(root.dir());
    ASSERT_EQ(SSQL_sConnect(repository.c_str()), SSQL_RC_OK);
    SSQL_AREA area;
    ASSERT_EQ(SSQL_DeclareExt(&area, "INSERT INTO QV_DTA.KEEP (N) VALUES (%d)", 7), SSQL_RC_OK);
    ASSERT_EQ(SSQL_sRun(&area, nullptr, 0), SSQL_RC_OK);  // not yet committed
    QV_Remove_Table_Objects("C", "DEM", "NOSUCH", "LIB", 0);
    EXPECT_NE(OBJDEL_LastDropResult(), 0);
    SSQL_Disconnect();
    sqlite3* db = nullptr;
    sqlite3_open(repository.c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM KEEP WHERE N = 7", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    sqlite3_finalize(st);
    sqlite3_close(db);
    SMISC_SetDBMSEnvironment(nullptr, nullptr);
}

TEST(Removal, DropOnPostgresKeepsPendingWorkAndDropsTheTable)
{
    PostgresDatabase db;
    ASSERT_EQ(db.connectError(), "");
    Cleanup schema(db, "DROP SCHEMA IF EXISTS \"LIBR\" CASCADE");
    SampleRoot root;
    SMISC_SetDBMSEnvironment(sampleEnvironmentFile().c_str(), "POSTGRESQL");
    PgRunner context{&db};
    OBJDEL_SQL_RUNNER runner{PgRunner::run, PgRunner::commit, &context};
    OBJDEL_SetSqlRunner(&runner);
    ASSERT_EQ(db.exec("CREATE SCHEMA \"LIBR\"; CREATE TABLE \"LIBR\".\"KEEP\" (N INTEGER);"
                      "CREATE TABLE \"LIBR\".\"T1\" (A INTEGER)"),
              "");
    ASSERT_EQ(db.exec("BEGIN; INSERT INTO \"LIBR\".\"KEEP\" VALUES (7)"), "");
    QV_Remove_Table_Objects("C", "DEM", "NOSUCH", "LIBR", 0);
    EXPECT_NE(OBJDEL_LastDropResult(), 0);
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM \"LIBR\".\"KEEP\""), 1);  // committed, not lost
    ASSERT_EQ(db.exec("BEGIN"), "");
    QV_Remove_Table_Objects("C", "DEM", "T1", "LIBR", 0);
    EXPECT_EQ(OBJDEL_LastDropResult(), 0);
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = 'LIBR' AND "
                        "table_name = 'T1'"),
              0);
    OBJDEL_SetSqlRunner(nullptr);
    SMISC_SetDBMSEnvironment(nullptr, nullptr);
}

TEST(DatabaseEnvironment, LoadedFromTheEnvironmentRoot)
{
    SampleRoot root;
    SMISC_SetDBMSEnvironment(nullptr, nullptr);
    const X_CTD_CAPABILITY_TABLE* caps = SMISC_sGetDBMSTypes();
    ASSERT_NE(caps, nullptr);
    EXPECT_EQ(caps->entries.size(), 9u);
    const X_CTD_DBMS_INFO* info = SSQL_pGetDBMSInfo();
    EXPECT_EQ(info->name, "SQLITE");
    EXPECT_EQ(info->productIndex, X_CTD_USERDEFINED);
    EXPECT_EQ(info->kind, 2);
    EXPECT_EQ(info->foreign, 0);
    EXPECT_EQ(info->emulateCollections, 1);
    SMISC_SetDBMSEnvironment(nullptr, "MSSQLS");
    EXPECT_EQ(SSQL_pGetDBMSInfo()->serverVersion, "9.00.1399");
    EXPECT_EQ(SSQL_pGetDBMSInfo()->kind, 3);
    SMISC_SetDBMSEnvironment("/nonexistent/env.dat", nullptr);
    EXPECT_EQ(SMISC_sGetDBMSTypes(), nullptr);
    EXPECT_EQ(std::string(SMISC_pszDBMSTypesError()),
              "UNABLE TO FIND OR OPEN DATABASE ENVIRONMENT FILE /nonexistent/env.dat.");
    EXPECT_EQ(SSQL_pGetDBMSInfo()->collectionsSupported, 1);  // defaults throughout
    SMISC_SetDBMSEnvironment(nullptr, nullptr);
}

TEST(Removal, SampleFunctionAndProcessDeleteExactlyTheirFiles)
{
    SampleRoot root;
    std::string repository = root.dir() + "/repository.db";
    testsupport::copySampleRepository(repository);
    const std::vector<std::string> generated = {
        "X_VELMO/X_DEM/EXECUTE/DEMOMIN.DLL", "X_VELMO/X_DEM/EXECUTE/DEMOMIN.PDB", "X_VELMO/X_DEM/SOURCE/DEMOMIN.C",
        "X_VELMO/X_DEM/SOURCE/DEMOMIN.H",    "X_VELMO/X_DEM/SOURCE/DEMOMIN.RC",   "X_VELMO/X_DEM/SOURCE/DEMOMIN",
        "X_VELMO/X_DEM/OBJECT/DEMOMIN.OBJ"};
    const std::vector<std::string> processOwn = {"X_VELMO/X_DEM/EXECUTE/DEPRC.DLL", "X_VELMO/X_DEM/SOURCE/DEPRC.C",
                                                 "X_VELMO/X_DEM/OBJECT/DEPRC.OBJ"};
    const std::vector<std::string> siblings = {"X_VELMO/X_DEM/EXECUTE/CUSTLST.DLL", "X_VELMO/X_DEM/SOURCE/CUSTUPD.C",
                                               "X_VELMO/X_DEM/OBJECT/DEMINC.OBJ"};
    const std::vector<std::string> unrelated = {
        "X_VELMO/X_DEM/EXECUTE/DEMOMINX.DLL", "X_VELMO/X_DEM/EXECUTE/DEPRC.PDB", "X_VELMO/X_DEM/EXECUTE/DEMOPRC.DLL",
        "X_VELMO/X_XYZ/EXECUTE/DEMOMIN.DLL",  "X_VELMO/X_DEM/SOURCE/XDEMOMIN.C", "X_VELMO/X_DEM/DEMOMIN.RRN"};
    for (const auto* list : {&generated, &processOwn, &siblings, &unrelated})
        for (const auto& f : *list)
            root.touch(f);

    char* path = nullptr;
    EXPECT_EQ(QV_IsObjectExecFileValid("C:", "DEM", "DEMOMIN", nullptr, 3, &path), 1);
    ASSERT_NE(path, nullptr);
    EXPECT_STREQ(path, "C:\\X_VELMO\\X_DEM\\EXECUTE\\DEMOMIN.DLL");
    SMEM_FreeMem(path);
    EXPECT_EQ(QV_IsObjectExecFileValid(nullptr, "DEM", "DEMOMIN", nullptr, 3, nullptr), 0);

    // The sample function alone; nothing is left to delete a second time.
    auto before = root.files();
    EXPECT_EQ(QV_Remove_Function_Objects("C", "DEM", "DEMOMIN"), 0u);
    EXPECT_EQ(removed(before, root.files()), std::set<std::string>(generated.begin(), generated.end()));
    EXPECT_EQ(QV_IsObjectExecFileValid("C:", "DEM", "DEMOMIN", nullptr, 3, nullptr), 0);
    EXPECT_NE(QV_Remove_Function_Objects("C", "DEM", "DEMOMIN"), 0u);

    // Its process: the files named by the alias, then every function's files.
    for (const auto& f : generated)
        root.touch(f);
    ASSERT_EQ(SSQL_sConnect(repository.c_str()), SSQL_RC_OK);
    before = root.files();
    EXPECT_EQ(QV_Remove_Process_Objects("C", "DEM", "DEMOPRC"), 0u);
    std::set<std::string> expected(generated.begin(), generated.end());
    expected.insert(processOwn.begin(), processOwn.end());
    expected.insert(siblings.begin(), siblings.end());
    EXPECT_EQ(removed(before, root.files()), expected);
    SSQL_Disconnect();
}

namespace {

// Every file and directory below the root.
// Every entry below the root but the root's identity, which the first
// generation makes and which belongs to the root, not to any object.
std::set<std::string> entries(const fs::path& root)
{
    std::set<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.path().filename() != ".dqov-root")
            out.insert(fs::relative(e.path(), root).string());
    return out;
}

}  // namespace

TEST(Removal, RemovesEverythingAGenerationWrote)
{
    // a function with its C# set, a component whose resources the
    // generator copies beside the sources, a component with its Web
    // Application Modules, and a function with its web pages
    SampleEnv env;
    const std::set<std::string> before = entries(env.root());
    for (const char* job : {"--generate --csharp DEMOPRC CUSTUPD", "--generate --component DEMOREC",
                            "--generate --web all --component DEMOWEB", "--generate --html --xml DEMOWEB ORDWEB"}) {
        const ToolResult r = runTool(env.toolArguments() + " " + job);
        ASSERT_EQ(r.status, 0) << job << "\n" << r.out;
    }
    const std::string source = env.root() + "/X_VELMO/X_DEM/SOURCE/";
    ASSERT_TRUE(fs::exists(source + "C#/CUSTUPD/Properties/AssemblyInfo.cs"));
    ASSERT_TRUE(fs::exists(source + "DEMOREC_Ref_Bitmap_1.BMP"));
    ASSERT_TRUE(fs::exists(source + "DEMOREC_Ref_Icon_2.ico"));
    ASSERT_TRUE(fs::exists(source + "DEMOWEB.C"));
    ASSERT_TRUE(fs::exists(source + "ORDWEB.C"));

    DosSetEnvironmentRoot(env.root().c_str());
    // (the result is the OBJECT folder's, which no generation here wrote)
    QV_Remove_Function_Objects("C", "DEM", "CUSTUPD");
    QV_Remove_Function_Objects("C", "DEM", "DEMOREC");
    QV_Remove_Function_Objects("C", "DEM", "DEMOWEB");
    QV_Remove_Function_Objects("C", "DEM", "ORDWEB");
    const std::set<std::string> after = entries(env.root());
    std::set<std::string> left;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::inserter(left, left.end()));
    EXPECT_EQ(left, std::set<std::string>{}) << "left behind by the removal";
}

// The removal's result is the same whether or not the caller set an
// environment root: without one it works below the root it is given (the
// C# folder was once left behind, with the status of a full removal).
TEST(Removal, WithoutAnEnvironmentRootTheSameIsRemoved)
{
    const std::vector<std::string> generated = {
        "X_VELMO/X_DEM/SOURCE/DEMOMIN.C", "X_VELMO/X_DEM/SOURCE/DEMOMIN.H",
        "X_VELMO/X_DEM/SOURCE/C#/DEMOMIN/DEMOMIN.cs", "X_VELMO/X_DEM/SOURCE/C#/DEMOMIN/Properties/AssemblyInfo.cs",
        "X_VELMO/X_DEM/OBJECT/DEMOMIN.OBJ"};
    std::map<bool, std::set<std::string>> left;
    std::map<bool, unsigned long> status;
    for (const bool rootSet : {true, false}) {
        SampleRoot root;
        for (const std::string& f : generated)
            root.touch(f);
        if (!rootSet)
            DosSetEnvironmentRoot(nullptr);
        status[rootSet] = QV_Remove_Function_Objects(root.path().c_str(), "DEM", "DEMOMIN");
        left[rootSet] = entries(root.path() / "X_VELMO" / "X_DEM");
        char now[8];
        EXPECT_EQ(DosQueryEnvironmentRoot(now, sizeof now) == DQOZ_ERROR_NO_ROOT, !rootSet)
            << "the caller's setting is left as it was";
    }
    EXPECT_EQ(status[false], status[true]);
    EXPECT_EQ(status[true], 0u);
    EXPECT_EQ(left[false], left[true]);
    for (const char* gone : {"SOURCE/C#/DEMOMIN", "SOURCE/DEMOMIN.C", "OBJECT/DEMOMIN.OBJ"})
        EXPECT_EQ(left[false].count(gone), 0u) << gone;
}

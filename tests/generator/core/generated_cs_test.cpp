// Whole jobs that ask for C#: the C# set of every sample function that the
// check accepts, compiled by mcs against samples/runtime/cs (DEMOPRC's with
// the files of the set); and the sample component DEMOREC, whose records,
// routines, services and tables gcc checks, and whose option string the
// job records.
#include "gen_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "generator/compile_c.h"
#include "generator/core/points/csharp_files.h"

namespace gencore_test {
namespace {

class GeneratedCSharp : public JobFixture {
protected:
    std::string runCSharp(const char* function, int32_t& result, const char* process = "DEMOPRC")
    {
        return RunToolsJob(sys, process, function, 'G', errors, warnings, result, true);
    }

    std::filesystem::path project(const std::string& function) const { return sourceDir() / "C#" / function; }

    /* mcs's findings on the C# set, empty when it compiles. */
    std::string mcs(const std::string& function)
    {
        const std::filesystem::path p = project(function), log = dir_ / (function + ".mcs");
        const std::string runtime = std::string(DQOV_SOURCE_DIR) + "/samples/runtime/cs/*.cs";
        const std::string command = "mcs -target:library -nologo -out:'" + (dir_ / (function + ".dll")).string() +
                                    "' " + runtime + " '" + p.string() + "'/*.cs '" +
                                    (p / "Properties" / "AssemblyInfo.cs").string() + "' > '" + log.string() + "' 2>&1";
        const int rc = std::system(command.c_str());
        return rc == 0 ? "" : "mcs status " + std::to_string(rc) + "\n" + readFile(log);
    }
};

TEST_F(GeneratedCSharp, EveryDemoprcFunctionCompilesWithMcs)
{
    for (const char* function : {"DEMOMIN", "CUSTLST", "CUSTUPD"}) {
        int32_t result = -9;
        errors = warnings = 0;
        const std::string out = runCSharp(function, result);
        ASSERT_EQ(result, 0) << out;
        ASSERT_EQ(errors, 0) << out;
        const std::filesystem::path p = project(function);
        const std::string f = function;
        for (const std::string& name :
             {f + ".cs", f + "DDC.cs", f + "STG.cs", f + "Incl.cs", f + "TXT.cs", f + ".csproj", f + ".sln",
              std::string("Properties/AssemblyInfo.cs"), std::string("Properties/AppManifest.xml")})
            EXPECT_TRUE(std::filesystem::exists(p / name)) << name;
        EXPECT_FALSE(std::filesystem::exists(p / (f + ".sbr")));
        EXPECT_TRUE(std::filesystem::exists(sourceDir() / (f + ".C")));
        /* the class file ends in the routine bodies, then the class and the namespace close */
        const std::string cls = readFile(p / (f + ".cs"));
        ASSERT_GE(cls.size(), 11u);
        EXPECT_EQ(cls.substr(cls.size() - 11), "   } \r\n} \r\n") << cls;
        EXPECT_EQ(mcs(function), "") << function;
        EXPECT_EQ(P3109_State().cTarget, GEN_TARGET_C);
    }
    const std::string cls = readFile(project("CUSTUPD") / "CUSTUPD.cs");
    const size_t run = cls.find("public void Run(");
    const size_t routine = cls.find("private static int Subroutine_CHKCRD (X_IDS pX_Ids, X_PRO pX_Pro,");
    ASSERT_NE(routine, std::string::npos) << cls;
    EXPECT_LT(run, routine);
    EXPECT_NE(readFile(project("CUSTUPD") / "CUSTUPD.csproj").find("<ItemGroup>\n</ItemGroup>\n"), std::string::npos);
}

/* Every sample function of every sample process that the check accepts:
   its C# set compiles with mcs. */
TEST_F(GeneratedCSharp, EverySampleFunctionsSetCompilesWithMcs)
{
    std::string compiled;
    for (const auto& [process, function] : sampleFunctions()) {
        int32_t result = -9;
        errors = warnings = 0;
        const std::string out = runCSharp(function.c_str(), result, process.c_str());
        ASSERT_EQ(result, 0) << out;
        if (errors > 0)
            continue;
        EXPECT_EQ(mcs(function), "") << function;
        compiled += function + " ";
    }
    EXPECT_EQ(compiled, "BZBACK BZCALLS BZCHECK BZDFT BZENTRY BZFILES BZFOLW BZLISTS BZPRTY BZRCV BZRPT BZSCRN BZSHIP BZSQL BZSTATS BZTRIG BZVALC BZVALN BZVATA BZVATR "
                        "CSEXPR CSFLOW CSIO CSLIST CSMISC CSPANL CSRPT CSSCR CSVARY DEFBIF DEFLIST DEFRPT DEFSQL DEFUSE "
                        "DSNEDT DSNLST DSNPOP DSNREP DSNRPT FLTGRP FLTKEEP FLWCALL FLWCHK FLWMAIN IOCHNG IOFETCH IOKEYS "
                        "IOSEL LSTINQ LSTMNT LSTRPT CUSTLST CUSTUPD DEMOMIN RUNARR RUNARRA RUNARRO RUNBYTE RUNCALC RUNDFT RUNFLOW "
                        "RUNHFLD RUNKAVG RUNKEEP RUNKIND RUNLST RUNMLV RUNMOVE RUNRND RUNRPT RUNSORT RUNSUBR RUNSUBS RUNSWCH RUNVAL "
                        "ORDACR ORDDBC ORDDWN ORDPOP ORDREPS ORDRPT "
                        "ORDSCRN ORDTMAP ORDWIDE TYPALL TYPDS TYPWEB ORDLST ORDWEB ORDWEV EXPCALC EXPCOND EXPEDGE EXPSPEC EXPTEXT EXPTYPE ");
    /* a browse list's condition block holds TRUE, FALSE and DEFLIST's two DEF_COND, as in C */
    EXPECT_NE(readFile(project("DEFLIST") / "DEFLISTIncl.cs").find("public X_COND[] Cond = new X_COND[4];"),
              std::string::npos);
}

/* The C# pass writes the same commands again: a warning of the commands
** is issued and counted once, as without the C# set. */
TEST_F(GeneratedCSharp, WarningsOfTheCommandsCountedOnce)
{
    int32_t result = -9;
    const std::string c = run("BZFILES", 'G', result, "DEMOBIZ");
    ASSERT_EQ(result, 0) << c;
    ASSERT_EQ(errors, 0) << c;
    const int32_t withoutCSharp = warnings;
    EXPECT_GE(withoutCSharp, 5); /* *KEEPOPEN, LOCK, POINT, a WHERE without keys, commitment control */
    errors = warnings = 0;
    const std::string both = runCSharp("BZFILES", result, "DEMOBIZ");
    ASSERT_EQ(result, 0) << both;
    EXPECT_EQ(warnings, withoutCSharp) << both;
    auto seen = [](const std::string& out, const char* message) {
        size_t n = 0;
        for (size_t at = out.find(message); at != std::string::npos; at = out.find(message, at + 1))
            ++n;
        return n;
    };
    for (const char* message : {"PRC1010", "PRC1014", "PRC0385", "PRC1003"}) {
        EXPECT_GE(seen(c, message), 1u) << message << "\n" << c;
        EXPECT_EQ(seen(both, message), seen(c, message)) << message << "\n" << both;
    }
}

/* The fields with a default get it when the C# class starts the function,
   as the C program does: one call of each field's default routine in
   X_Initialise_Function, and each routine assigns its value. */
TEST_F(GeneratedCSharp, FieldDefaultsSetWhenTheFunctionStarts)
{
    int32_t result = -9;
    const std::string out = runCSharp("BZDFT", result, "DEMOBIZ");
    ASSERT_EQ(result, 0) << out;
    const std::string cls = readFile(project("BZDFT") / "BZDFT.cs");
    const size_t init = cls.find("private static void X_Initialise_Function(");
    ASSERT_NE(init, std::string::npos) << cls;
    const size_t open = cls.find("      {\r\n", init), close = cls.find("      }\r\n", init);
    ASSERT_LT(open, close);
    const std::string body = cls.substr(open, close - open);
    /* the routine that assigns a field's default: its first statement names
       the field and the value */
    const size_t routines = cls.find("private static void DefaultValue_Evaluation_Routine_");
    ASSERT_NE(routines, std::string::npos);
    auto assigns = [&](const std::string& statement) {
        const size_t at = cls.find(statement, routines);
        if (at == std::string::npos)
            return std::string("no routine assigns: " + statement);
        const size_t head = cls.rfind("private static void DefaultValue_Evaluation_Routine_", at);
        const size_t name = cls.find("DefaultValue_Evaluation_Routine_", head);
        const std::string routine = cls.substr(name, cls.find('(', name) - name);
        return body.find("   " + routine + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2 ); ") ==
                       std::string::npos
                   ? routine + " is not called at start"
                   : std::string();
    };
    /* DEFINE's literal, blank and numeric defaults, the dictionary's
       (BZSTAT, BZPRIO) and its reference field's (BZSTATX), OVERRIDE's */
    EXPECT_EQ(assigns("X_DEFS.X_COPYBYTES( ref pX_Fld[V_FIELD_BZCOMPNY].pField, \"A01\", BYTE_LEN_V_FIELD_BZCOMPNY );"), "");
    EXPECT_EQ(assigns("X_DEFS.X_COPYBYTES( ref pX_Fld[V_FIELD_BZCURDF].pField, \"EUR\", BYTE_LEN_V_FIELD_BZCURDF );"), "");
    EXPECT_EQ(assigns("X_DEFS.X_MEMSET( ref pX_Fld[V_FIELD_BZNOTE].pField, X_DEFS.X_CLEAR_ALPHA, BYTE_LEN_V_FIELD_BZNOTE );"),
              "");
    EXPECT_EQ(assigns("X_Vec_Set_from_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_BZNEWNO, 1000.0 );"), "");
    EXPECT_EQ(assigns("X_Vec_Set_from_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_BZVATPCT, 19.25 );"), "");
    EXPECT_EQ(assigns("X_Vec_Set_from_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_BZDISC, 2.50 );"), "");
    EXPECT_EQ(assigns("X_Vec_Set_from_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_BZPRIO, 5.0 );"), "");
    /* a one-character default copies its byte into the field's storage */
    EXPECT_EQ(assigns("X_DEFS.X_COPYBYTES( ref pX_Fld[V_FIELD_BZSTAT].pField, \"N\", 1 );"), "");
    EXPECT_EQ(assigns("X_DEFS.X_COPYBYTES( ref pX_Fld[V_FIELD_BZSTATX].pField, \"N\", 1 );"), "");
    /* nine fields with a default, nine calls; BZSHIPS has none */
    size_t calls = 0;
    for (size_t at = body.find("DefaultValue_Evaluation_Routine_"); at != std::string::npos;
         at = body.find("DefaultValue_Evaluation_Routine_", at + 1))
        ++calls;
    EXPECT_EQ(calls, 9u) << body;
    EXPECT_EQ(cls.find("?RetrieveSolutionFactor?"), std::string::npos);
    /* a function whose dictionary fields have defaults compiles with them */
    errors = warnings = 0;
    const std::string check = runCSharp("BZCHECK", result, "DEMOBIZ");
    ASSERT_EQ(result, 0) << check;
    EXPECT_NE(readFile(project("BZCHECK") / "BZCHECK.cs").find("      {\r\n   DefaultValue_Evaluation_Routine_"),
              std::string::npos);
    EXPECT_EQ(mcs("BZCHECK"), "");
}

/* The texts a class picks by language: its MultiField table holds the
** label, three column headings and description of every field whose texts
** its screens use, and its MultiText table each multilingual text, as
** literals that its text class declares; Run registers both. ORDSCRN's
** first field is ORDREF; its screens use ORDCODE, ORDQTY and ORDNOTE too,
** and the user key text *MTXTADD (the partition has one language). */
TEST_F(GeneratedCSharp, ClassHoldsItsFieldTextsAndMultilingualTexts)
{
    int32_t result = -9;
    errors = warnings = 0;
    const std::string out = runCSharp("ORDSCRN", result, "DEMOSCR");
    ASSERT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    const std::string cls = readFile(project("ORDSCRN") / "ORDSCRN.cs");
    const std::string txt = readFile(project("ORDSCRN") / "ORDSCRNTXT.cs");
    /* the value of a literal the text class declares, "(absent)" for none */
    auto literal = [&](std::string name) {
        name.erase(0, name.find_first_not_of(" ,\r\n"));
        name.erase(name.find_last_not_of(" \r\n") + 1);
        if (name == "\"\"")
            return std::string();
        const size_t at = txt.find("public const string " + name + " = \"");
        if (at == std::string::npos)
            return std::string("(absent " + name + ")");
        const size_t begin = txt.find('"', at) + 1;
        return txt.substr(begin, txt.find('"', begin) - begin);
    };
    /* each X_MFLD row of the table: its five texts joined by '|' */
    const size_t table = cls.find("public X_MFLD[,] MultiField = new X_MFLD[");
    ASSERT_NE(table, std::string::npos) << cls;
    std::vector<std::string> rows;
    for (size_t at = cls.find("new X_MFLD(", table); at != std::string::npos && at < cls.find("};", table);
         at = cls.find("new X_MFLD(", at + 1)) {
        const size_t end = cls.find(')', at);
        std::istringstream args(cls.substr(at + 11, end - at - 11));
        std::string row, arg;
        for (int i = 0; std::getline(args, arg, ','); ++i)
            row += (i ? "|" : "") + literal(arg);
        rows.push_back(row);
    }
    ASSERT_GE(rows.size(), 4u) << cls;
    EXPECT_EQ(rows[0], "Order ref|Order reference text|||Order reference");
    for (const char* expected : {"Code|Code|||Order code", "Quantity|Qty|||Quantity ordered", "Note|Note|||Note on the order"})
        EXPECT_NE(std::find(rows.begin(), rows.end(), expected), rows.end()) << expected << "\n" << cls;
    const size_t texts = cls.find("public X_MTXT[,] MultiText = new X_MTXT[1,1]");
    ASSERT_NE(texts, std::string::npos) << cls;
    const size_t open = cls.find("new X_MTXT( ", texts) + 12;
    EXPECT_EQ(literal(cls.substr(open, cls.find(" )", open) - open)), "New");
    EXPECT_NE(cls.find("X_RUN_DLL.X_Register_Field_Texts( pX_Ids, MultiField );"), std::string::npos);
    EXPECT_NE(cls.find("X_RUN_DLL.X_Register_Multilingual_Texts( pX_Ids, MultiText );"), std::string::npos);
    EXPECT_EQ(mcs("ORDSCRN"), "");
}

TEST_F(GeneratedCSharp, WithoutTheRequestNoCSharpSet)
{
    int32_t result = -9;
    const std::string out = run("DEMOMIN", 'G', result);
    ASSERT_EQ(result, 0) << out;
    EXPECT_TRUE(std::filesystem::exists(sourceDir() / "DEMOMIN.C"));
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / "C#"));
}

/* The literals of the vector take their values when the class starts the
   function, as the C program's X_Initialise_Function ends with them: each
   alphanumeric literal copied from its text, each numeric one stored by
   the run time; and the first-time block clears each literal's storage
   once. */
TEST_F(GeneratedCSharp, LiteralsTakeTheirValuesWhenTheFunctionStarts)
{
    auto initialise = [](const std::string& cls) {
        const size_t init = cls.find("private static void X_Initialise_Function(");
        return init == std::string::npos ? "" : cls.substr(init, cls.find("\r\n      }\r\n", init) - init);
    };
    int32_t result = -9;
    std::string out = runCSharp("RUNSUBR", result, "DEMORUN");
    ASSERT_EQ(result, 0) << out;
    std::string body = initialise(readFile(project("RUNSUBR") / "RUNSUBR.cs"));
    /* 'ABC' handed to SRNAME; 7, 5 and 100 to SRADD and the CHANGEs, 0 too */
    EXPECT_NE(body.find("DqooDef.X_CPYBYTES( ref pX_Fld[V_ALPHA_LITERAL_004].pField, U_LITERAL_TEXT_15, "
                        "BYTE_LEN_V_ALPHA_LITERAL_004 );"),
              std::string::npos)
        << body;
    EXPECT_NE(readFile(project("RUNSUBR") / "RUNSUBRTXT.cs").find("public const string U_LITERAL_TEXT_15 = \"ABC\";"),
              std::string::npos);
    for (const char* value : {"7.0", "5.0", "100.0", "0.0"})
        EXPECT_NE(body.find(std::string(",(double)") + value + "); "), std::string::npos) << value << "\n" << body;
    EXPECT_NE(body.find("X_RUN_DLL.X_Vec_Set_from_Double (pX_Ids, pX_Pro, pX_Fun, pX_Fld, "), std::string::npos);
    errors = warnings = 0;
    out = runCSharp("RUNCALC", result, "DEMORUN");
    ASSERT_EQ(result, 0) << out;
    const std::string cls = readFile(project("RUNCALC") / "RUNCALC.cs");
    body = initialise(cls);
    for (const char* value : {"0.19", "100.0", "12.0", "19.99", "2.55", "20.0", "7.0", "7.5"})
        EXPECT_NE(body.find(std::string(",(double)") + value + "); "), std::string::npos) << value << "\n" << body;
    /* each double literal's storage cleared once in the first-time block */
    for (const char* literal : {"002", "003", "005", "008"}) {
        const std::string clear = std::string("FunctionGlobalStatic3.NUMERIC_LITERAL_") + literal + " = 0.0;";
        const size_t first = cls.find(clear);
        EXPECT_NE(first, std::string::npos) << clear;
        EXPECT_EQ(cls.find(clear, first + 1), std::string::npos) << clear;
    }
}

/* A field of one byte is storage the run time changes, as a longer one is:
   a string of its length or its bytes, in the function's storage and in a
   list's entry. */
TEST_F(GeneratedCSharp, FieldsOfOneByteAreStorageAStoreReaches)
{
    int32_t result = -9;
    std::string out = runCSharp("RUNBYTE", result, "DEMORUN");
    ASSERT_EQ(result, 0) << out;
    const std::string stg = readFile(project("RUNBYTE") / "RUNBYTESTG.cs");
    EXPECT_NE(stg.find("public string fOBA1 = new String(' ',BYTE_LEN_V_FIELD_OBA1);"), std::string::npos) << stg;
    EXPECT_NE(stg.find("public byte[] fOBP1 = new byte[BYTE_LEN_V_FIELD_OBP1];"), std::string::npos) << stg;
    EXPECT_NE(stg.find("public const int BYTE_LEN_V_FIELD_OBP1 = 1;"), std::string::npos) << stg;
    errors = warnings = 0;
    out = runCSharp("RUNSORT", result, "DEMORUN");
    ASSERT_EQ(result, 0) << out;
    const std::string incl = readFile(project("RUNSORT") / "RUNSORTIncl.cs");
    EXPECT_NE(incl.find("public string fSREG = new String( ' ', BYTE_LEN_V_FIELD_SREG );"), std::string::npos) << incl;
}

TEST_F(GeneratedCSharp, FileHeadOfAPartialClass)
{
    setUp();
    Capture capture;
    P3109_WriteCSharpClassHeader(capture.stream());
    P3109_WriteCSharpClassTail(capture.stream());
    P3109_WriteCSharpClassHeader(GEN_NO_STREAM);
    EXPECT_EQ(capture.text(), "using System; \r\nusing System.IO; \r\nusing System.Text; \r\nusing VELMO;\n \r\n"
                              "namespace VELMO.DEMOMIN \r\n{ \r\n   public partial class DEMOMIN \r\n{ \r\n}\n} \r\n");
}

TEST_F(GeneratedCSharp, ComponentRecordsCompileAndTheJobRecordsItsRow)
{
    int32_t result = -9;
    const std::string out = run("*COMP", 'G', result, "DEMOREC");
    ASSERT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    const std::string c = readFile(sourceDir() / "DEMOREC.C");
    EXPECT_EQ(gentest::compileGeneratedC(sourceDir() / "DEMOREC.C", "DEMOREC", dir_), "");
    /* the specialization RushOrder uses the document's identifier record, the association none */
    EXPECT_NE(c.find("void X_BOM_Copy_DII_PR_31_DEMOREC("), std::string::npos);
    EXPECT_EQ(c.find("void X_BOM_Copy_DII_PR_21_DEMOREC("), std::string::npos);
    EXPECT_NE(c.find("COMPONENT_STD_FUNCTION X_BOM_DSS_CrossUpdateCheck_DEMOREC( COMPONENT_STD_ARGS ) \r\n"),
              std::string::npos);
    EXPECT_NE(c.find("      X_BOM_KIND_DEF_FEATURE_DOCUMENT_HOME_ACCESSOR, \r\n"
                     "      X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_CREATE, \r\n"),
              std::string::npos);
    EXPECT_NE(readFile(sourceDir() / "DEMOREC.STG").find("typedef struct X_DDR_OrderData \r\n"), std::string::npos);
    /* no version data: the default block */
    EXPECT_EQ(readFile(sourceDir() / "DEMOREC.RC").find("VALUE \"CompanyName\""), std::string::npos);
    EXPECT_NE(readFile(sourceDir() / "DEMOREC.RC").find("FILEVERSION     1,0,0,0"), std::string::npos);
    EXPECT_EQ(queryText("SELECT X03SP1 || '|' FROM QV_F03 WHERE X03P_I = 'DEM' AND X03FLD = 'DEMOREC'"),
              "Order records          N0000 |");
}

/* The C# project points of a component: its resources and its members' texts. */
class CSharpPoints : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        ctx.lComponentRun = 1;
        ctx.lFunctionRun = 0;
        std::memcpy(ctx.acComponent, "RESCMP    ", 10);
        setUp();
        std::filesystem::create_directories(resources());
    }
    std::filesystem::path resources() const { return sourceDir() / "C#" / "RESCMP" / "Resources"; }
    std::string point(const std::string& line)
    {
        P3109_SetSkeletonLine(line);
        P3109_ProcessSkeletonLine();
        return P3109_SkeletonLineText();
    }
};

TEST_F(CSharpPoints, ProjectItemGroupWithoutResources)
{
    EXPECT_EQ(point("  %165 tail  "), "  <ItemGroup>\n</ItemGroup>\ntail");
    EXPECT_EQ(P3109_State().skel.cKeep, 'Y');
}

TEST_F(CSharpPoints, ResourcesBecomeProjectFilesNumberedInTurn)
{
    exec("INSERT INTO QV_ORS (XRSP_I, XRSCMP, XRSSEQ, XRSTYP, XRSID, XRSKND, XRSEXT, XRSKEY, XRSHEX) VALUES "
         "('DEM', 'RESCMP', 1, 1130, 7, '', '', '', '4142'), ('DEM', 'RESCMP', 2, 1130, 8, '', '', '', ''), "
         "('DEM', 'RESCMP', 3, 1140, 9, '', '', '', '43'), ('DEM', 'RESCMP', 4, 1140, 10, '_Ref_Icon', '.ico', '', "
         "'44'), "
         "('DEM', 'RESCMP', 5, 1130, 11, '', '', '', '45')");
    setUp();
    EXPECT_EQ(point("%165"), "<ItemGroup>\n<Resource Include=\"Resources\\RESCMP_Ref_Bitmap_1.jpg\" />\n"
                             "<Resource Include=\"Resources\\RESCMP_Ref_Icon_2.ico\" />\n"
                             "<Resource Include=\"Resources\\RESCMP_Ref_Bitmap_3.jpg\" />\n</ItemGroup>\n");
    EXPECT_EQ(readFile(resources() / "RESCMP_Ref_Bitmap_1.jpg"), "AB");
    EXPECT_EQ(readFile(resources() / "RESCMP_Ref_Icon_2.ico"), "D");
    Capture capture;
    P3109_State().out.mainOutput = capture.stream();
    EXPECT_EQ(point("   %166 rest "), "   rest");
    P3109_State().out.mainOutput = GEN_NO_STREAM;
    EXPECT_EQ(capture.text(), "         \tLpCrRtManager.Current().Application.InstallResource( \"RESCMP:7\", "
                              "\"RESCMP;component/Resources/RESCMP_Ref_Bitmap_1.jpg\" );\n \r\n"
                              "         \tLpCrRtManager.Current().Application.InstallResource( \"RESCMP:9\", "
                              "\"RESCMP;component/Resources/\" );\n \r\n"
                              "         \tLpCrRtManager.Current().Application.InstallResource( \"RESCMP:10\", "
                              "\"RESCMP;component/Resources/RESCMP_Ref_Icon_2.ico\" );\n \r\n"
                              "         \tLpCrRtManager.Current().Application.InstallResource( \"RESCMP:11\", "
                              "\"RESCMP;component/Resources/RESCMP_Ref_Bitmap_3.jpg\" );\n \r\n");
}

TEST_F(CSharpPoints, MemberTextsAreFetchedByTheirQualifiedNames)
{
    exec("INSERT INTO QV_OTR (XTRP_I, XTRCMP, XTRSEQ, XTROWN, XTRMBR, XTRKND, XTRCNM, XTRSNM) VALUES "
         "('DEM', 'RESCMP', 1, 'ORDER', 'TOTAL', 7, 'wTotalLbl', 'TotalLabel'), "
         "('DEM', 'RESCMP', 2, 'ORDER', 'TOTAL', 5, 'wSkipped', 'Skipped'), "
         "('DEM', 'RESCMP', 3, 'ORDER', 'CUSTOMER', 10, 'wCustomerHeading3', 'CustHead3')");
    setUp();
    const std::string text = writtenBy([&] { point("      %96 "); });
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    EXPECT_EQ(text, "      wTotalLbl  = X_Get_MFld( 0, INSTANCE_S3(sLangNo), 'L' );\n"
                    "      wCustomerH = X_Get_MFld( 1, INSTANCE_S3(sLangNo), '3' );\n");

    /* in C#, a target that is a keyword of the language is refused */
    exec("UPDATE QV_OTR SET XTRSNM = 'class' WHERE XTRSEQ = 1");
    setUp();
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::string cs = writtenBy([&] { point("%96"); });
    P3109_State().cTarget = GEN_TARGET_C;
    EXPECT_EQ(cs, "CustHead3  = X_Get_MFld(0,FunctionGlobalStatic3.sLangNo,'3');\n");
    EXPECT_EQ(issuedMessages(),
              (std::vector<std::string>{"DCM9992 F ERROR : The C# target class of member ORDER.TOTAL is no C# name"}));
}

}  // namespace
}  // namespace gencore_test

// The C# test run time (tests/runtime/cs) itself: it declares everything
// the run-time interface of samples/runtime/cs declares, alike; a routine
// it gives no meaning stops the run naming it; and storage a store cannot
// change stops the run at the store (a store into it would be lost). The
// functions run here are written by hand as the generator writes a class.
#include "generator/runs/run_fixture.h"

#include "support/scratch.h"

namespace runs_test {
namespace {

std::string csRuntimeDir()
{
    return std::filesystem::path(DQOV_CS_RUNTIME).parent_path().string();
}

/* A function class of two fields as the generator writes one: LEVEL, a
** packed decimal of one digit bound to STORAGE (a C# expression), and
** NAME, an alphanumeric field of 4; its commands store 7 into LEVEL and
** 'ABCD' into NAME. */
std::string functionClass(const std::string& storage)
{
    return R"(using System;
using VELMO;
namespace VELMO.HANDRUN
{
   public partial class HANDRUN : X_Function
   {
      public class FUNCTION_STATIC_GLOBAL_1 { }
      public class FUNCTION_STATIC_GLOBAL_2 { public string fNAME = new String(' ', 4); }
      private static X_FLD[] FUNCTION_FIELD_DEF = new X_FLD[2] {
         new X_FLD( "LEVEL", 0, X_DEFS.X_TYPE_PACKED, X_DEFS.X_SUBTYPE_SIMPLE_FIELD, 'N', 1, 1, 0, null, 0, NO ),
         new X_FLD( "NAME", 0, X_DEFS.X_TYPE_ALPHA, X_DEFS.X_SUBTYPE_SIMPLE_FIELD, 'N', 4, 4, 0, null, 0, NO )
      };
      public void Run( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List,
                       X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1, FUNCTION_STATIC_GLOBAL_2 pGlobal2 )
      {
         pX_Fld[0].pField = )" +
           storage + R"(;
         pX_Fld[1].pField = pGlobal2.fNAME;
         pX_Fun.sSequence = 1;
         X_RUN_DLL.X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, 1 - 1, 7 );
         pX_Fun.sSequence = 2;
         DqooDef.X_MEMCPY( pX_Fld[1], "ABCD", 4 );
         X_RUN_DLL.X_End_Main( pX_Ids, pX_Pro, pX_Fun, X_GloDef.X_SUBR_RETURNED );
      }
   }
}
)";
}

struct Ran {
    int status = -1;
    std::string out, err;
};

/* Compiles SOURCE (one C# file) against the C# test run time and runs it:
** a function class through the run time's driver, a program by itself. */
Ran compileAndRun(const testsupport::ScratchDir& work, const std::string& source, bool program)
{
    Ran r;
    testsupport::writeFile(work / "source.cs", source);
    const std::string target = (work / (program ? "program.exe" : "function.dll")).string(),
                      log = (work / "mcs.log").string();
    const std::string mcs = "mcs -nologo -warn:0 " + std::string(program ? "" : "-target:library ") + "-r:" +
                            shellQuote(DQOV_CS_RUNTIME) + " -out:" + shellQuote(target) + " " +
                            shellQuote((work / "source.cs").string()) + " > " + shellQuote(log) + " 2>&1";
    if (runCommand(mcs) != 0) {
        ADD_FAILURE() << testsupport::readFile(log);
        return r;
    }
    if (program)
        std::filesystem::copy_file(DQOV_CS_RUNTIME, work / "velmo_rt.exe");
    const std::string out = (work / "out").string(), err = (work / "err").string();
    r.status = runCommand("mono " + (program ? shellQuote(target) : shellQuote(DQOV_CS_RUNTIME) + " " + shellQuote(target)) +
                          " > " + shellQuote(out) + " 2> " + shellQuote(err));
    r.out = testsupport::readFile(out);
    r.err = testsupport::readFile(err);
    return r;
}

TEST(CSharpRuntime, DeclaresEveryMemberOfTheInterfaceAlike)
{
    testsupport::ScratchDir work("cs_conformance");
    std::filesystem::copy_file(DQOV_CS_RUNTIME, work / "velmo_rt.exe");
    const std::string log = (work / "log").string();
    const int status = runCommand(shellQuote(std::string(DQOV_SOURCE_DIR) + "/tests/runtime/cs/compile") + " check " +
                                  shellQuote(work.path().string()) + " > " + shellQuote(log) + " 2>&1");
    EXPECT_EQ(status, 0) << testsupport::readFile(log);
    EXPECT_EQ(testsupport::readFile(log), "");
}

/* The driver runs the class and shows its fields; the packed field's bytes
** changed in place, the name's string given anew. */
TEST(CSharpRuntime, StoresReachTheStorageTheClassBinds)
{
    testsupport::ScratchDir work("cs_store");
    const Ran r = compileAndRun(work, functionClass("new byte[1]"), false);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "END LEVEL 7\nEND NAME [ABCD]\nENDED 1\n");
    EXPECT_EQ(r.err, "");
}

/* A decimal of one byte bound to a boxed copy (the form that loses every
** store) and an alphanumeric field bound to nothing: each stops the run at
** its first store, naming the field. */
TEST(CSharpRuntime, StorageAStoreCannotChangeStopsTheRun)
{
    testsupport::ScratchDir work("cs_boxed");
    Ran r = compileAndRun(work, functionClass("(byte)0"), false);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "run time: field LEVEL is held in a Byte, which holds no bytes (at command 1)\n");
    testsupport::ScratchDir none("cs_nostorage");
    std::string source = functionClass("new byte[1]");
    const std::string bound = "public string fNAME = new String(' ', 4);";
    source.replace(source.find(bound), bound.size(), "public string fNAME;");
    r = compileAndRun(none, source, false);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "run time: field NAME has no storage (at command 2)\n");
}

/* A routine the test run time gives no meaning stops the run with a message
** naming it, never returning as the interface's declaration would. */
TEST(CSharpRuntime, ARoutineWithoutAMeaningHereStopsTheRun)
{
    testsupport::ScratchDir work("cs_nothere");
    const Ran r = compileAndRun(work, R"(public static class Program {
    public static int Main() {
        X_RUN_DLL.X_Handle_Action_Bar(new X_IDS(), new X_PRO(), new X_FUN());
        System.Console.WriteLine("NOT STOPPED");
        return 0;
    }
}
)",
                                true);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "run time: X_RUN_DLL.X_Handle_Action_Bar is not part of the test run time\n");
}

}  // namespace
}  // namespace runs_test

// The generated C of the sample function stands as C: with a small
// stand-in for the runtime's headers it passes the compiler's syntax check
// (comment lines, braces, declarations and the static working storage).
#include "gen_fixture.h"

#include <cstdlib>

namespace gencore_test {
namespace {

/* The names of the runtime that the sample skeletons use, declared just
** enough for a syntax check. */
constexpr const char* kRuntime = R"(#ifndef X_STANDIN_RUNTIME
#define X_STANDIN_RUNTIME
typedef unsigned long X_ULONG;
typedef long X_LONG;
typedef short X_SHORT;
typedef int X_BOOL;
typedef void *X_PDICTIONARY_FIELD;
#define TRUE 1
#define FALSE 0
#define X_VOID_FUNCTION void
struct X_UIM { int iState; };
struct X_IDS { struct X_UIM *pX_UIM; };
struct X_FKEY { int iKey; };
struct X_PARM { int iParm; };
struct X_FLD { int iField; };
#define X_FKEY_TOTAL 24
#define V_TEMP_STORE_AREAS 10
#define FUNCTION_STD_PARMS struct X_IDS *pX_Ids, void *pX_Pro, void *pX_Fun
#define X_STD_PARMS pX_Ids, pX_Pro, pX_Fun
#define BUILTIN_STD_PARMS struct X_IDS *pX_Ids
struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;
struct FUNCTION_STATIC_GLOBAL_3;
extern struct FUNCTION_STATIC_GLOBAL_1 *pX_Static1;
extern struct FUNCTION_STATIC_GLOBAL_2 *pX_Static2;
extern struct FUNCTION_STATIC_GLOBAL_3 *pX_Static3;
#define INSTANCE(n) (pX_Static1->n)
#define INSTANCE_S2(n) (pX_Static2->n)
#define INSTANCE_S3(n) (pX_Static3->n)
extern struct X_FLD FUNCTION_FIELD_DEF[1];
void X_Return(struct X_IDS *, void *, void *);
void X_Close_Cursors(struct X_IDS *, void *, void *, X_SHORT);
#endif
)";

class GeneratedC : public GenFixture {};

TEST_F(GeneratedC, SampleFunctionPassesTheSyntaxCheck)
{
    testCommands() = {
        {"FUNCTION", {"FUNCTION OPTIONS(*DIRECT)"}, 1},
        {"IF", {"IF COND('#CUSTNO *EQ 0') /* a comment */"}, 2},
        {"CHANGE", {"CHANGE FIELD(#WRKCNT) TO('#WRKCNT + 1')"}, 3},
        {"ENDIF", {"ENDIF"}, 4},
        {"RETURN", {"RETURN"}, 5},
    };
    generate();
    ASSERT_EQ(state.stats.lFatalLater, 0);
    const std::filesystem::path include = dir_ / "include";
    for (const char* h : {"x_glodef.h", "x_funstd.h", "x_bifstd.h"})
        writeFile(include / h, kRuntime);
    for (const char* h : {"x_strpck.h", "x_endpck.h"})
        writeFile(include / h, "\n");
    const std::string log = (dir_ / "gcc.log").string();
    const std::string command = "gcc -x c -std=c99 -fsyntax-only -I '" + include.string() + "' -I '" +
                                sourceDir().string() + "' '" + (sourceDir() / "DEMOMIN.C").string() + "' > '" +
                                log + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << readFile(log) << readFile(sourceDir() / "DEMOMIN.C");
}

} // namespace
} // namespace gencore_test

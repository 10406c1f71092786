// A whole job through the run driver: the checker's step, the generator's
// set-up and output driver on the sample function DEMOMIN, in tools mode.
#include "gen_fixture.h"

#include "generator/core/model/object_data.h"
#include "generator/core/output/command_state.h"
#include "generator/core/points/run_steps.h"
#include "params/check_build.h"
#include "platform/dqoo/dqoo_bom.h"

namespace gencore_test {
namespace {

using Job = JobFixture;

TEST_F(Job, GenerateOptionWritesTheSampleFunctionsFileSet)
{
    int32_t result = -9;
    std::string out = run("DEMOMIN", 'G', result);
    EXPECT_EQ(result, 0) << out;
    EXPECT_EQ(errors, 0) << out;
    EXPECT_NE(out.find("VELMO C/C++ Code Translator Invoked"), std::string::npos) << out;
    EXPECT_NE(out.find("VELMO Generator Ended Normally"), std::string::npos) << out;
    for (const char* s : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM"})
        EXPECT_TRUE(std::filesystem::exists(sourceDir() / (std::string("DEMOMIN") + s))) << s;
    const std::string c = readFile(sourceDir() / "DEMOMIN.C");
    /* the commands' code in the routine of the commands, main returns after it */
    EXPECT_NE(c.find("   // FUNCTION OPTIONS(*DIRECT) \r\n"), std::string::npos) << c;
    EXPECT_NE(c.find("   X_MAIN_RETURN(DEMOMIN) \r\n"), std::string::npos) << c;
    EXPECT_EQ(queryText("SELECT length(X23SP1) FROM QV_F23 WHERE X23MOD = 'DEMOPRC' AND X23FMT = 'DEMOMIN'"), "17");
}

TEST_F(Job, FunctionWithAnIncludeAndASubroutine)
{
    int32_t result = -9;
    std::string out = run("CUSTUPD", 'G', result);
    EXPECT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    const std::string c = readFile(sourceDir() / "CUSTUPD.C");
    /* the routine's lines come after the main body, from the routine work file */
    const size_t main = c.find("X_Return( FUNCTION_STD_PARMS );");
    const size_t routine = c.find("SUBROUTINE NAME(CHKCRD)");
    ASSERT_NE(main, std::string::npos) << c;
    ASSERT_NE(routine, std::string::npos) << c;
    EXPECT_LT(main, routine);
    EXPECT_NE(c.find("EXECUTE SUBROUTINE(CHKCRD) WITH_PARMS(#CREDIT)"), std::string::npos);
    EXPECT_EQ(c.find("EXECUTE SUBROUTINE(CHKCRD)"), c.rfind("EXECUTE SUBROUTINE(CHKCRD)"));
}

TEST_F(Job, ComponentJobWritesItsFileSetAndUpdatesItsRow)
{
    /* its description: a content root alone */
    exec("INSERT INTO QV_OBN (XBNP_I, XBNCMP, XBNNID, XBNPAR, XBNLST, XBNSEQ, XBNKND) VALUES "
         "('DEM', 'PLAINCMP', 1, 0, 0, 1, 1000)");
    /* a component of the plainest form, with its version data and its row */
    exec("INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES ('DEM', 'PLAINCMP', 1, 'BEGIN_COM'), "
         "('DEM', 'PLAINCMP', 2, '* nothing but a comment'), ('DEM', 'PLAINCMP', 3, 'END_COM')");
    exec("INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1) VALUES "
         "('DEM', 'PLAINCMP', 'X', 0, 0, '')");
    int32_t result = -9;
    std::string out = run("*COMP", 'G', result, "PLAINCMP");
    EXPECT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    EXPECT_NE(out.find("Component : PLAINCMP"), std::string::npos) << out;
    EXPECT_NE(out.find("VELMO Generator Ended Normally"), std::string::npos) << out;
    /* the component has no module identifier: its name names the files */
    for (const char* s : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM"})
        EXPECT_TRUE(std::filesystem::exists(sourceDir() / (std::string("PLAINCMP") + s))) << s;
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / ".C"));
    const std::string c = readFile(sourceDir() / "PLAINCMP.C");
    EXPECT_NE(c.find("/*  Component : PLAINCMP                                             */  \r\n"),
              std::string::npos)
        << c;
    EXPECT_EQ(c.find("Function  :"), std::string::npos);
    /* the component's lines as comments, from the checker's source-line
       list; a comment line's text follows its marker */
    EXPECT_NE(c.find("   // BEGIN_COM  \r\n   // nothing but a comment \r\n   // END_COM  \r\n"), std::string::npos)
        << c;
    /* blank-padded to 23, the SQL indicator 'N', the four digits, length 29 */
    EXPECT_EQ(queryText("SELECT X03SP1 || '|' FROM QV_F03 WHERE X03P_I = 'DEM' AND X03FLD = 'PLAINCMP'"),
              std::string(23, ' ') + "N0000 |");
    /* the content tables of point 140 at its column: a model of no members
       and no features */
    EXPECT_NE(c.find("   static const X_BOM_HEADER * X_BomContentItems[] = \r\n   { \r\n      pX_NULL, \r\n"
                     "      pX_NULL \r\n   }; \r\n"),
              std::string::npos)
        << c;
    EXPECT_NE(c.find("   static const X_BOM_KIND X_BomContentFeatures[] = \r\n   { \r\n      X_BOM_KIND_NULL \r\n"
                     "   }; \r\n"),
              std::string::npos);
    EXPECT_NE(c.find("   pvDescription = ((X_VOID*)( &( X_BomContent ) )); \r\n"), std::string::npos);
}

/* A function of as many commands as a function may hold, in the mix of the
** sample functions, as stored source rows: label, name and parameters. */
struct SourceLine {
    std::string label, name, parms;
};

std::vector<SourceLine> largeFunction(size_t commands)
{
    std::vector<SourceLine> f{{"", "FUNCTION", "OPTIONS(*DIRECT)"}};
    for (int k = 0; f.size() + 24 < commands; ++k) {
        const std::string w = "#W" + std::to_string(1000 + k);
        const std::vector<SourceLine> block = {
            {"", "DEFINE", "FIELD(" + w + ") TYPE(*DEC) LENGTH(9) DECIMALS(2)"},
            {k % 7 == 0 ? "L" + std::to_string(k % 100) : "", "CHANGE", "FIELD(" + w + ") TO(0)"},
            {"", "FETCH", "FIELDS(#CUSTNAM #CREDIT #CUSTSTS) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_FOUND(*NEXT)"},
            {"", "IF", "COND('#CUSTSTS = A')"},
            {"", "CHANGE", "FIELD(" + w + ") TO('" + w + " + #CREDIT')"},
            {"", "ELSE", ""},
            {"", "MESSAGE", "MSGTXT('Block " + std::to_string(k) + " */ not active')"},
            {"", "ENDIF", ""},
            {"", "DOWHILE", "COND('" + w + " > 100')"},
            {"", "CHANGE", "FIELD(" + w + ") TO('" + w + " - 10')"},
            {"", "ENDWHILE", ""},
            {"", "CASE", "OF_FIELD(#CUSTSTS)"},
            {"", "WHEN", "VALUE_IS('= A')"},
            {"", "UPDATE", "FIELDS(#CUSTNAM #CREDIT) IN_FILE(CUSTMST) WITH_KEY(#CUSTNO)"},
            {"", "OTHERWISE", ""},
            {"", "MESSAGE", "MSGTXT('Status not known')"},
            {"", "ENDCASE", ""},
            {"", "SELECT", "FIELDS(#CUSTNO #CUSTNAM #CREDIT #CUSTSTS) FROM_FILE(CUSTMST)"},
            {"", "CHANGE", "FIELD(#WRKCNT) TO('#WRKCNT + 1')"},
            {"", "ENDSELECT", ""},
            {"", "INSERT", "FIELDS(#CUSTNO #CUSTNAM #CREDIT #CUSTSTS) TO_FILE(CUSTMST)"},
            {"", "CHANGE", "FIELD(#CREDIT) TO('" + w + " * 2')"},
        };
        f.insert(f.end(), block.begin(), block.end());
    }
    while (f.size() + 1 < commands)
        f.push_back({"", "CHANGE", "FIELD(#WRKCNT) TO('#WRKCNT + 1')"});
    f.push_back({"", "RETURN", ""});
    return f;
}

std::string quoted(std::string text)
{
    for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2))
        text.insert(at, 1, '\'');
    return "'" + text + "'";
}

/* Every command of a function of 5,000 commands is written, in order, as the
** comment of its text as written ("*" "/" inside it broken up), and a second
** job in the same process (keyword views, statements and lookups made by the
** first) writes the same files. */
TEST_F(Job, FunctionOfTheMostCommandsTwiceInOneProcess)
{
    const std::vector<SourceLine> f = largeFunction(5000);
    std::string sql = "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES "
                      "('DEM', 'DEMOPRC', 'BIGFN', '', 'N', 'Y');"
                      "INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES "
                      "('DEM', 'DEMOPRC', 'BIGFN', 'ENG', 'Five thousand commands');"
                      "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM) VALUES ";
    for (size_t i = 0; i < f.size(); ++i)
        sql += (i ? "," : "") + std::string("('DEM', 'DEMOPRC', 'BIGFN', ") + std::to_string(i + 1) + ", " +
               quoted(f[i].label) + ", " + quoted(f[i].name) + ", " + quoted(f[i].parms) + ")";
    exec(sql + ";");

    int32_t result = -9;
    std::string out = run("BIGFN", 'G', result);
    ASSERT_EQ(result, 0) << out.substr(0, 4000);
    ASSERT_EQ(errors, 0) << out.substr(0, 4000);
    EXPECT_NE(out.find("Pass: 2 Total commands checked: 5000"), std::string::npos);
    const std::string c = readFile(sourceDir() / "BIGFN.C");
    size_t at = 0;
    for (const SourceLine& l : f) {
        const std::string text = l.name + (l.parms.empty() ? "" : " " + l.parms);
        /* an emitted command carries its text as a line comment; a command
           no emitter writes yet is a block comment, its "*" "/" broken up */
        std::string block = text;
        for (size_t end = block.find("*/"); end != std::string::npos; end = block.find("*/", end))
            block.replace(end, 2, "* /");
        at = std::min(c.find("// " + text, at), c.find("/* " + block + " */", at));
        ASSERT_NE(at, std::string::npos) << text;
    }

    std::map<std::string, std::string> first;
    for (const auto& e : std::filesystem::directory_iterator(sourceDir()))
        first[e.path().filename().string()] = readFile(e.path());
    out = run("BIGFN", 'G', result);
    ASSERT_EQ(result, 0) << out.substr(0, 4000);
    for (const auto& [name, text] : first)
        EXPECT_TRUE(readFile(sourceDir() / name) == text) << name << " differs in the second job";
}

TEST_F(Job, CheckOnlyWritesNothing)
{
    int32_t result = -9;
    std::string out = run("DEMOMIN", 'C', result);
    EXPECT_EQ(result, 0) << out;
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / "DEMOMIN.C"));
    EXPECT_EQ(out.find("VELMO Generator"), std::string::npos);
}

/* The object layer ends a job's build after its last pass: neither the
** checker nor the generator keeps its handle, so a generation that follows
** without a job finds no description instead of an ended build. */
TEST_F(Job, AJobKeepsNoHoldOnItsEndedBuild)
{
    for (const char option : {'G', 'C'}) {
        int32_t result = -9;
        std::string out = run("DEMOMIN", option, result);
        EXPECT_EQ(result, 0) << out;
        EXPECT_EQ(P3100_pGetBuildHandle(), nullptr) << option;
        EXPECT_EQ(P3109_pBuildHandle(), nullptr) << option;
        EXPECT_EQ(P3109_pRetrieveDescription(), nullptr) << option;
    }
}

}  // namespace
}  // namespace gencore_test

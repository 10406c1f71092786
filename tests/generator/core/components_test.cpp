// Every sample component by whole jobs: it checks clean, generates in C
// and C#, and both compile (gcc -std=c99 -O2 -Wall -Werror -c against
// samples/runtime/c, mcs against samples/runtime/cs); every command that
// acts on a component is a dispatch with a real id; the exchange vector
// holds one row per exchanged field; a compound component generates its
// members and its home; names are mapped to file stems, and two names of
// one stem are refused.
#include "gen_fixture.h"

#include <cstdlib>
#include <regex>
#include <set>

namespace gencore_test {
namespace {

class Components : public JobFixture {
protected:
    /* the web generation writes for the job's language, as the tool sets it */
    FFC_LANGUAGE_ENTRY language{};
    void SetUp() override
    {
        JobFixture::SetUp();
        std::snprintf(language.szLanguage, sizeof language.szLanguage, "ENG");
        language.ulFlags = 1;
        sys.usLanguageCount = 1;
        sys.pLanguages = &language;
    }
    std::string runComponent(const std::string& component, int32_t& result, bool csharp = true)
    {
        errors = warnings = 0;
        return RunToolsJob(sys, component.c_str(), "*COMP", 'G', errors, warnings, result, csharp);
    }

    /* Rows of a query on the repository, each row's columns joined by '|'. */
    std::vector<std::string> rows(const std::string& sql)
    {
        SSQL_Disconnect();
        sqlite3* db = nullptr;
        sqlite3_open((dir_ / "repository.db").c_str(), &db);
        sqlite3_stmt* st = nullptr;
        std::vector<std::string> out;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW) {
                std::string row;
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    row += std::string(i ? "|" : "") + reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                out.push_back(row);
            }
        sqlite3_finalize(st);
        sqlite3_close(db);
        SSQL_sConnect((dir_ / "repository.db").c_str());
        return out;
    }
    void exec(const std::string& sql)
    {
        SSQL_Disconnect();
        sqlite3* db = nullptr;
        sqlite3_open((dir_ / "repository.db").c_str(), &db);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
        SSQL_sConnect((dir_ / "repository.db").c_str());
    }

    /* gcc's findings on a generated module, empty when it compiles. */
    std::string gcc(const std::filesystem::path& directory, const std::string& module)
    {
        const std::string source = DQOV_SOURCE_DIR;
        const std::filesystem::path header = dir_ / (module + ".TXH"), log = dir_ / (module + ".gcc");
        if (std::system(("'" + source + "/scripts/text-strings-header' '" + (directory / (module + ".TXT")).string() +
                         "' > '" + header.string() + "'")
                            .c_str()) != 0)
            return "no text strings file";
        const std::string command = "gcc -x c -std=c99 -O2 -Wall -Werror -c -o '" + (dir_ / (module + ".o")).string() +
                                    "' -I '" + source + "/samples/runtime/c' -I '" + directory.string() +
                                    "' -include '" + header.string() + "' '" +
                                    (directory / (module + ".C")).string() + "' > '" + log.string() + "' 2>&1";
        const int rc = std::system(command.c_str());
        return rc == 0 ? "" : "gcc status " + std::to_string(rc) + "\n" + readFile(log);
    }
    /* The C# project of a module: the object's own under C#, a compound
       member's in the compound's directory. */
    std::filesystem::path project(const std::string& module, const std::string& compound = "")
    {
        return compound.empty() || module == compound ? sourceDir() / "C#" / module
                                                      : sourceDir() / compound / "C#" / module;
    }
    /* mcs's findings on the C# project of a module, empty when it compiles;
       with debug the debugger's calls before each command are compiled too. */
    std::string mcs(const std::filesystem::path& p, bool debug = false)
    {
        const std::string module = p.filename().string();
        const std::filesystem::path log = dir_ / (module + ".mcs");
        const std::string command = "mcs -target:library -nologo " + std::string(debug ? "-define:X_DEBUG " : "") +
                                    "-out:'" + (dir_ / (module + ".dll")).string() + "' " +
                                    DQOV_SOURCE_DIR + "/samples/runtime/cs/*.cs '" + p.string() + "'/*.cs '" +
                                    (p / "Properties" / "AssemblyInfo.cs").string() + "' > '" + log.string() +
                                    "' 2>&1";
        const int rc = std::system(command.c_str());
        return rc == 0 ? "" : "mcs status " + std::to_string(rc) + "\n" + readFile(log);
    }
};

/* The ids of the dispatch statements of a generated C module, the iterator
** ends of FOR loops left out (they repeat their FOR's id). */
std::vector<long> dispatchIds(const std::string& c)
{
    std::vector<long> ids;
    const std::regex statement(R"(X_DISPATCH_COMPONENT_COMMAND(_[12])?\( (-?\d+)L, [^\n]*)");
    for (std::sregex_iterator it(c.begin(), c.end(), statement), end; it != end; ++it)
        if ((*it)[0].str().find("ITERATOR_DESTROY") == std::string::npos)
            ids.push_back(std::stol((*it)[2].str()));
    return ids;
}

/* The rows of the exchange vector of a generated C module: number and symbol. */
std::vector<std::string> exchangeRows(const std::string& c)
{
    std::vector<std::string> out;
    const size_t head = c.find("ComponentExchange[] = {");
    const size_t end = c.find("};", head);
    if (head == std::string::npos || end == std::string::npos)
        return out;
    const std::string body = c.substr(head, end - head);
    const std::regex row(R"(\(\(X_USHORT\)\((\d+)\)\),\s+\(\(X_SHORT\)\(([^)]*)\)\))");
    for (std::sregex_iterator it(body.begin(), body.end(), row), e; it != e; ++it)
        out.push_back((*it)[1].str() + " " + (*it)[2].str());
    return out;
}

TEST_F(Components, EverySampleComponentChecksCleanAndCompilesInCAndCSharp)
{
    const std::vector<std::string> components =
        rows("SELECT DISTINCT XCSCMP FROM QV_OCS WHERE XCSP_I = 'DEM' UNION SELECT DISTINCT XCMCMP FROM QV_OCM "
             "WHERE XCMP_I = 'DEM' ORDER BY 1");
    ASSERT_GE(components.size(), 10u);
    for (const std::string& component : components) {
        int32_t result = -9;
        const std::string out = runComponent(component, result);
        ASSERT_EQ(result, 0) << component << "\n" << out;
        EXPECT_EQ(errors, 0) << component << "\n" << out;
        EXPECT_EQ(warnings, 0) << component << "\n" << out;
        /* a compound component's modules are in its directory */
        const std::string stem = component.substr(0, 8);
        const bool compound = std::filesystem::is_directory(sourceDir() / stem);
        const std::filesystem::path directory = compound ? sourceDir() / stem : sourceDir();
        std::vector<std::string> modules{stem};
        if (compound)
            modules = {"00000001", stem};
        for (const std::string& module : modules) {
            ASSERT_TRUE(std::filesystem::exists(directory / (module + ".C"))) << component << " " << module;
            EXPECT_EQ(gcc(directory, module), "") << component << " " << module;
            const std::filesystem::path p = project(module, compound ? stem : "");
            EXPECT_EQ(mcs(p), "") << component << " " << module;
            EXPECT_EQ(mcs(p, true), "") << component << " " << module << " with X_DEBUG";
        }
    }
}

/* Each command of a component that acts on components (SET, SIGNAL,
** INVOKE, PERFORM, SET_REF, IF_REF, ASSIGN and FOR, with the forms
** without a name) is one dispatch statement in C and in C#, with an id
** above 0 that no other command has. */
TEST_F(Components, EveryComponentCommandIsADispatchWithARealId)
{
    const std::set<std::string> dispatched = {"SET",      "SIGNAL",   "INVOKE",  "_INVOKE", "PERFORM", "_PERFORM",
                                              "SET_REF", "IF_REF",   "ASSIGN",  "_ASSIGN", "FOR"};
    size_t total = 0;
    for (const std::string& component : rows("SELECT DISTINCT XCSCMP FROM QV_OCS WHERE XCSP_I = 'DEM' ORDER BY 1")) {
        size_t commands = 0;
        for (const std::string& line :
             rows("SELECT XCSTXT FROM QV_OCS WHERE XCSCMP = '" + component + "' ORDER BY XCSSEQ")) {
            std::string name = line.substr(0, line.find(' '));
            if (dispatched.count(name) != 0)
                ++commands;
        }
        int32_t result = -9;
        const std::string out = runComponent(component, result);
        ASSERT_EQ(result, 0) << out;
        const std::string c = readFile(sourceDir() / (component + ".C"));
        const std::vector<long> ids = dispatchIds(c);
        EXPECT_EQ(ids.size(), commands) << component;
        const std::set<long> distinct(ids.begin(), ids.end());
        EXPECT_EQ(distinct.size(), ids.size()) << component;
        for (long id : ids)
            EXPECT_GT(id, 0) << component;
        const std::string cs = readFile(sourceDir() / "C#" / component / (component + ".cs"));
        size_t csStatements = 0;
        for (size_t at = cs.find("lReturnCode = X_DISPATCH_COMPONENT_COMMAND"); at != std::string::npos;
             at = cs.find("lReturnCode = X_DISPATCH_COMPONENT_COMMAND", at + 1))
            if (cs.substr(at, cs.find('\n', at) - at).find("ITERATOR_DESTROY") == std::string::npos)
                ++csStatements;
        EXPECT_EQ(csStatements, commands) << component;
        total += commands;
    }
    EXPECT_GE(total, 25u) << "the samples dispatch a good number of commands";
}

/* The exchange vector of DEMOORD, derived by hand from its definition: the
** fields in order of first use (the *AUTO field of TOTAL, the class of
** the CHANGED event's map, the IMPORT fields, the quantity map and the
** value of SET), IOTOTAL with its maximum value (a *BOTH map); a component
** that exchanges nothing has exactly one placeholder row; DEMOCUST's date
** is evaluated in its case. */
TEST_F(Components, TheExchangeVectorHoldsOneRowPerExchangedField)
{
    int32_t result = -9;
    std::string out = runComponent("DEMOORD", result);
    ASSERT_EQ(result, 0) << out;
    const std::string c = readFile(sourceDir() / "DEMOORD.C");
    EXPECT_EQ(exchangeRows(c), (std::vector<std::string>{"1 V_FIELD_IOTOTAL + V_MAXIMUM_VALUE", "2 V_FIELD_ORDNO",
                                                         "3 V_FIELD_CUSTNO", "4 V_FIELD_CUSTNAM", "5 V_FIELD_ORDQTY",
                                                         "6 V_FIELD_ORDREF"}));
    const std::string cs = readFile(sourceDir() / "C#" / "DEMOORD" / "DEMOORD.cs");
    EXPECT_NE(cs.find("ComponentExchange = new X_VECTOR_COMPONENT_EXCHANGE[6]{"), std::string::npos);
    EXPECT_NE(cs.find("new X_VECTOR_COMPONENT_EXCHANGE(  1,  V_FIELD_IOTOTAL + V_MAXIMUM_VALUE  )"),
              std::string::npos);

    out = runComponent("DEMOREC", result);
    ASSERT_EQ(result, 0) << out;
    EXPECT_EQ(exchangeRows(readFile(sourceDir() / "DEMOREC.C")), (std::vector<std::string>{"0 V_NOT_AVAILABLE"}));
    EXPECT_NE(readFile(sourceDir() / "C#" / "DEMOREC" / "DEMOREC.cs")
                  .find("new X_VECTOR_COMPONENT_EXCHANGE[1]{ \r\n      new X_VECTOR_COMPONENT_EXCHANGE(  0,  "
                        "V_NOT_AVAILABLE  ) "),
              std::string::npos);

    out = runComponent("DEMOCUST", result);
    ASSERT_EQ(result, 0) << out;
    const std::string cust = readFile(sourceDir() / "DEMOCUST.C");
    EXPECT_EQ(exchangeRows(cust),
              (std::vector<std::string>{"1 V_FIELD_CUSTNAM", "2 V_FIELD_CUSTRGN", "3 V_FIELD_CREDIT", "4 V_FIELD_CUSTNO",
                                        "5 V_SV_DATE", "6 V_FIELD_ORDNO"}));
    EXPECT_NE(cust.find("   case 5: \r\n      X_Vec_Set_from_SysVar (pX_Ids,pX_Pro,pX_Fun,pX_Fld, \r\n"),
              std::string::npos);
    /* the members and properties as debug information */
    EXPECT_NE(cust.find("/* MEMBER   : ORDER Scope(0000) */"), std::string::npos);
    EXPECT_NE(cust.find("/* PROPERTY : CUSTOMER Scope(0000) */"), std::string::npos);
}

TEST_F(Components, ACompoundComponentGeneratesItsMembersAndItsHome)
{
    int32_t result = -9;
    const std::string out = runComponent("DEMOSUITE", result);
    ASSERT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    const std::filesystem::path d = sourceDir() / "DEMOSUIT";
    const std::string member = readFile(d / "00000001.C"), home = readFile(d / "DEMOSUIT.C");
    /* the member's files carry its pass number, its code an identifier of it */
    EXPECT_NE(member.find("#include \"00000001.STG\""), std::string::npos);
    EXPECT_NE(member.find("X_VOID_FUNCTION X0000001( FUNCTION_STD_ARGS )"), std::string::npos);
    EXPECT_NE(home.find("X_VOID_FUNCTION DEMOSUIT( FUNCTION_STD_ARGS )"), std::string::npos);
    EXPECT_NE(readFile(d / "C#" / "00000001" / "00000001.cs").find("namespace VELMO.DEMOSUIT.X0000001"),
              std::string::npos);
    /* the home pass keeps the stamp of pass 1 */
    EXPECT_NE(member.find("#define X_GENERATED_AT      \"20261206143005\""), std::string::npos);
    EXPECT_NE(home.find("#define X_GENERATED_AT      \"20261206143005\""), std::string::npos);
    /* the home defines what the member declares */
    EXPECT_NE(member.find("extern const struct X_LANG  s_LanguageTable[];"), std::string::npos);
    EXPECT_NE(home.find("\r\nconst struct X_LANG s_LanguageTable[] ="), std::string::npos);
    /* dispatch ids are unique within the build */
    EXPECT_EQ(dispatchIds(member), (std::vector<long>{1}));
    EXPECT_EQ(dispatchIds(home), (std::vector<long>{2}));
}

/* Two compound components of one partition, generated one after the
** other: each keeps its members' C# projects in its own directory, under
** a namespace and assembly that name it, and both sets compile. (Both once
** wrote C#\00000001, the later replacing the earlier.) */
TEST_F(Components, TwoCompoundComponentsKeepTheirOwnMemberProjects)
{
    for (const char* compound : {"DEMOSHOP", "DEMOSUITE"}) {
        int32_t result = -9;
        const std::string out = runComponent(compound, result);
        ASSERT_EQ(result, 0) << compound << "\n" << out;
        ASSERT_EQ(errors, 0) << compound << "\n" << out;
    }
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / "C#" / "00000001")) << "no member project is shared";
    for (const std::string stem : {"DEMOSHOP", "DEMOSUIT"}) {
        const std::filesystem::path member = project("00000001", stem);
        const std::string cls = readFile(member / "00000001.cs");
        EXPECT_NE(cls.find("namespace VELMO." + stem + ".X0000001\r\n"), std::string::npos) << stem;
        EXPECT_NE(cls.find("public partial class X0000001 "), std::string::npos) << stem;
        for (const char* part : {"00000001DDC.cs", "00000001STG.cs", "00000001Incl.cs", "00000001TXT.cs"})
            EXPECT_NE(readFile(member / part).find("namespace VELMO." + stem + ".X0000001"), std::string::npos)
                << stem << " " << part;
        const std::string proj = readFile(member / "00000001.csproj");
        EXPECT_NE(proj.find("<RootNamespace>VELMO." + stem + ".X0000001</RootNamespace>"), std::string::npos) << proj;
        EXPECT_NE(proj.find("<AssemblyName>" + stem + ".X0000001</AssemblyName>"), std::string::npos) << proj;
        EXPECT_NE(readFile(member / "00000001.sln").find("\"" + stem + ".X0000001\", \"00000001.csproj\""),
                  std::string::npos);
        EXPECT_EQ(mcs(member), "") << stem;
        EXPECT_EQ(mcs(project(stem, stem)), "") << stem;
        /* the home's project stays where a component's project is */
        EXPECT_NE(readFile(project(stem, stem) / (stem + ".cs")).find("namespace VELMO." + stem + "\r\n"),
                  std::string::npos);
    }
}

TEST_F(Components, NamesMapToStemsAndTwoNamesOfOneStemAreRefused)
{
    exec("INSERT INTO QV_OCS VALUES ('DEM', 'INV-01', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'), "
         "('DEM', 'INV-01', 2, 'END_COM'), ('DEM', 'INV_01', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'), "
         "('DEM', 'INV_01', 2, 'END_COM')");
    int32_t result = -9;
    std::string out = runComponent("INV-01", result, false);
    EXPECT_NE(out.find("Name INV-01 has the file stem INV_01 of component INV_01"), std::string::npos) << out;
    EXPECT_GT(errors, 0);
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / "INV_01.C"));
    out = runComponent("INV_01", result, false);
    EXPECT_NE(out.find("Name INV_01 has the file stem INV_01 of component INV-01"), std::string::npos) << out;

    /* alone, the name is mapped: 'X' first, '_' elsewhere */
    exec("DELETE FROM QV_OCS WHERE XCSCMP = 'INV_01'");
    out = runComponent("INV-01", result, false);
    ASSERT_EQ(result, 0) << out;
    EXPECT_EQ(errors, 0) << out;
    EXPECT_TRUE(std::filesystem::exists(sourceDir() / "INV_01.C"));
    EXPECT_EQ(gcc(sourceDir(), "INV_01"), "");
    /* a function's stem counts as well: a component named like a function */
    exec("INSERT INTO QV_OCS VALUES ('DEM', 'DEMOMIN', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'), "
         "('DEM', 'DEMOMIN', 2, 'END_COM')");
    out = runComponent("DEMOMIN", result, false);
    EXPECT_NE(out.find("has the file stem DEMOMIN of function DEMOMIN"), std::string::npos) << out;
}

/* DEMOBOM's Verify service: each condition of its two verifications is its
** compiled Boolean routine, and a condition that fails reports the
** verification's message through the case's document record. */
TEST_F(Components, TheVerifyServiceTestsItsConditions)
{
    int32_t result = -9;
    const std::string out = runComponent("DEMOBOM", result, false);
    ASSERT_EQ(result, 0) << out;
    const std::string c = readFile(sourceDir() / "DEMOBOM.C");
    const size_t verify = c.find("COMPONENT_STD_FUNCTION X_BOM_DSS_Verify_DEMOBOM( COMPONENT_STD_ARGS )");
    ASSERT_NE(verify, std::string::npos);
    const std::string routine = c.substr(verify, c.find("X_TERMINATE_COMPONENT_ROUTINE", verify) - verify);
    size_t reports = 0;
    for (size_t at = routine.find("X_VAR_ProcessRecordServiceRequest( pX_Ids, pX_Pro, pX_Fun, pX_Fld, "
                                  "V_RECORD_DDR_InvoiceData, X_COMP_RECORD_SERVICE_REQUEST_DOCUMENT_REPORT_ERROR, "
                                  "apvAgreedArgs );");
         at != std::string::npos; at = routine.find("X_VAR_ProcessRecordServiceRequest", at + 1))
        ++reports;
    EXPECT_EQ(reports, 3u) << routine;
    EXPECT_NE(routine.find("/* Verify TotalAndStatus(15) */"), std::string::npos);
    EXPECT_NE(routine.find("X_ULONG    aulContexts[] = { 1, 16 };"), std::string::npos);
    EXPECT_EQ(std::regex_search(routine, std::regex(R"(if \( !Boolean_Evaluation_Routine_\d+\( FUNCTION_STD_PARMS \) \))")),
              true);
    /* a subroutine a service calls passes a failed end on */
    EXPECT_NE(c.find("sResult = Subroutine_LOADINV( FUNCTION_STD_PARMS, INSTANCE(sCurrentCursors) );"),
              std::string::npos);
    EXPECT_NE(c.find("X_COMR_CHECK_EXECUTION(sResult)"), std::string::npos);
}

/* DEMOBOM's SAVE method: a field of the extended language's types changed
** to a literal is set through the vector, and the component properties of
** a condition are the component fields they name: #InvoiceData.IOTOTAL,
** a field of the record the field vector holds, directly; #InvoiceId.IOORDNO,
** a field of the identifier record, through the component's records (its
** operand of kind 1019 named by the component field reference). The module
** compiles in C and in C#. */
TEST_F(Components, ExtendedFieldsAndPropertiesInCommands)
{
    int32_t result = -9;
    const std::string out = runComponent("DEMOBOM", result);
    ASSERT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    const std::string c = readFile(sourceDir() / "DEMOBOM.C");
    EXPECT_NE(c.find("X_Vec_Set_from_Vchar (pX_Ids, pX_Pro, pX_Fun, pX_Fld, \r\n"
                     "        V_FIELD_FNOTE,\"Saved by the invoice component\");"),
              std::string::npos);
    /* the IF of line 41 tests its compiled routine, which reads IOTOTAL */
    const std::regex test(R"(if \( (Boolean_Evaluation_Routine_(\d+))\( FUNCTION_STD_PARMS \) \))");
    std::smatch m;
    const size_t method = c.find("// IF COND('(#InvoiceData.IOTOTAL *GT 0) *AND (#InvoiceId.IOORDNO *NE 0)')");
    ASSERT_NE(method, std::string::npos);
    const std::string after = c.substr(method, 2000);
    ASSERT_TRUE(std::regex_search(after, m, test)) << after;
    const size_t routine = c.find("F_BOOL_FUNCTION " + m[1].str() + "( FUNCTION_STD_ARGS )");
    ASSERT_NE(routine, std::string::npos);
    const std::string body = c.substr(routine, c.find("#if (0)", routine) - routine);
    EXPECT_NE(body.find("X_Vec_Get_as_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_IOTOTAL, &dOperand1 );"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("X_Vec_Get_as_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_IOORDNO, &dOperand4 );"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("( *((decimal(7,0)*)( pX_Fld[V_FIELD_IOORDNO].pField )) != 0D )"), std::string::npos)
        << "the iSeries variant reads the same field";
    EXPECT_EQ(body.find("V_UNKNOWN"), std::string::npos);
    EXPECT_EQ(gcc(sourceDir(), "DEMOBOM"), "");
    const std::string cs = readFile(project("DEMOBOM") / "DEMOBOM.cs");
    EXPECT_NE(
        cs.find("X_RUN_DLL.X_Vec_Get_as_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_IOORDNO, ref dOperand4 );"),
        std::string::npos);
    EXPECT_EQ(mcs(project("DEMOBOM")), "");
}

/* The C# project lists a bitmap without a kind text of its own as a .jpg
** and leaves out what has no kind text and is no bitmap, whatever the
** resource script chose for them. */
TEST_F(Components, TheCSharpProjectChoosesItsOwnResourceItems)
{
    exec("INSERT INTO QV_ORS VALUES ('DEM', 'DEMOREC', 4, 1140, 104, '', '', '', '0001')");
    int32_t result = -9;
    const std::string out = runComponent("DEMOREC", result);
    ASSERT_EQ(result, 0) << out;
    const std::string rc = readFile(sourceDir() / "DEMOREC.RC");
    EXPECT_NE(rc.find("DEMOREC_Ref_Bitmap_1.BMP"), std::string::npos) << rc;
    EXPECT_NE(rc.find("DEMOREC_Ref_Cursor_3.CUR"), std::string::npos) << rc;
    const std::string project = readFile(sourceDir() / "C#" / "DEMOREC" / "DEMOREC.csproj");
    EXPECT_NE(project.find("<Resource Include=\"Resources\\DEMOREC_Ref_Bitmap_1.jpg\" />"), std::string::npos)
        << project;
    EXPECT_EQ(project.find("_Ref_Cursor"), std::string::npos) << project;
    EXPECT_EQ(project.find(".BMP"), std::string::npos) << project;
}

}  // namespace
}  // namespace gencore_test

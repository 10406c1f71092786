// The object layer's component model: the names a command uses are asked
// of the checker's callbacks, by kind, on the second parse of its line;
// dispatch ids follow the lines and are unique within a build; the members
// and properties and the classes of the repository.

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/objlayer_repo.h"
#include "platform/dqos/dqos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

std::vector<std::string> g_names;
std::vector<std::string> g_fields;

// The dictionary of these tests knows two fields.
bool knownField(const std::string& field)
{
    return field == "CUSTNO" || field == "ORDNO";
}

long nameInContext(const char* name, int32_t kind)
{
    // a field used as a class is accepted, as the checker does
    if (kind == DQOO_NAME_FIELD_CLASS && knownField(name))
        return 0;
    g_names.push_back(std::string(name) + "/" + std::to_string(kind));
    return 1;
}

long fieldExists(const char* field)
{
    g_fields.push_back(field);
    return knownField(field) ? 0 : 1;
}

class ComponentModel : public ::testing::Test {
protected:
    objlayer_test::SampleRepository repo;
    HandleBlock block;
    FCC_BUILD_HANDLE* handle = block.get();

    void SetUp() override
    {
        g_names.clear();
        g_fields.clear();
        DQOO_BUILD_REQUEST request{};
        request.pszObjectName = "TESTCOMP";
        request.pszFunctionName = "*COMP";
        request.pszPartition = "DEM";
        request.chNational1 = '#';
        uint32_t passes = 0;
        int32_t start = 0;
        ASSERT_EQ(0, DQOO_FCC_StartBuild(handle, &request, &passes, &start));
        check();
    }
    void TearDown() override
    {
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
    }
    void check()
    {
        DQOO_START_REQUEST start{};
        start.pszComponentName = "TESTCOMP";
        start.usMode = DQOO_MODE_TOOLS;
        start.pfnCheckNameInContext = nameInContext;
        start.pfnCheckFieldExists = fieldExists;
        ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &start));
    }
    // Both parses of the lines (numbered from 1): the findings of the
    // second and the dispatch ids.
    long parseTwice(const std::vector<std::string>& lines, std::vector<int32_t>* ids = nullptr)
    {
        long findings = 0;
        for (int parse = 0; parse < 2; ++parse)
            for (size_t i = 0; i < lines.size(); ++i) {
                int32_t id = 0;
                const long n = DQOO_FCC_ParseZOPHX(handle, lines[i].c_str(), static_cast<uint32_t>(i + 1), nullptr, &id);
                if (parse == 1) {
                    findings += n;
                    if (ids != nullptr)
                        ids->push_back(id);
                } else {
                    EXPECT_EQ(0, n) << lines[i];
                }
            }
        return findings;
    }
};

TEST_F(ComponentModel, NamesAreAskedByKindOnTheSecondParse)
{
    std::vector<int32_t> ids;
    const long findings = parseTwice({"BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",
                                      "DEFINE_COM CLASS(#NOCLASS) NAME(#A)",
                                      "DEFINE_COM CLASS(#PRIM_TIMR) NAME(#T)",
                                      "SET COM(#T) INTERVAL(#CUSTNO) BADPTY(1)",
                                      "INVOKE #T.Start",
                                      "INVOKE #T.Nope",
                                      "SIGNAL EVENT(GONE)",
                                      "FOR EACH(#I) IN(#T)",
                                      "ENDFOR",
                                      "SET COM(#Z) VALUE(#NOFIELD)",
                                      "PTYROUTINE NAME(NOPTY)",
                                      "END_COM"},
                                     &ids);
    EXPECT_EQ((std::vector<std::string>{"NOCLASS/8", "T.BADPTY/3", "T.NOPE/5", "GONE/4", "T/2", "Z/2", "NOPTY/7"}),
              g_names);
    EXPECT_EQ((std::vector<std::string>{"CUSTNO", "NOFIELD"}), g_fields);
    EXPECT_EQ(8, findings);
    EXPECT_EQ((std::vector<int32_t>{-1, -1, -1, 1, 2, 3, 4, 5, -1, 6, -1, -1}), ids);

    // the members, each once, with their flags; no property was declared
    std::vector<std::string> usage;
    EXPECT_EQ(3, DQOO_FCC_EnumerateUsage(
                     handle,
                     [](void* user, const DQOO_USAGE* u) -> long {
                         static_cast<std::vector<std::string>*>(user)->push_back(
                             std::string(u->pszName) + " " + std::to_string(u->lKind) + " " +
                             std::to_string(u->lScope) + " " + std::to_string(u->ulFlags));
                         return 0;
                     },
                     &usage));
    EXPECT_EQ((std::vector<std::string>{"A 100 0 1", "I 100 0 1", "T 100 0 1"}), usage);

    // a later check of the build goes on numbering
    DQOO_FCC_EndChecking();
    check();
    ids.clear();
    parseTwice({"BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)", "DEFINE_COM CLASS(#PRIM_TIMR) NAME(#T)", "INVOKE #T.Stop"}, &ids);
    EXPECT_EQ((std::vector<int32_t>{-1, -1, 7}), ids);
}

// A line without a component command's name that does not begin with a
// name is not one of the unnamed forms: a finding, and no dispatch.
TEST_F(ComponentModel, OnlyANameBeginsAnUnnamedCommand)
{
    std::vector<int32_t> ids;
    EXPECT_EQ(1, parseTwice({"BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)", "ENDROUTINE", "#CUSTNO := 1"}, &ids));
    EXPECT_EQ((std::vector<int32_t>{-1, -1, 1}), ids);
}

// A component of the repository is a class: its properties, events and
// methods (with their maps) come from its source, and those of the class
// it extends; a map declared in a routine belongs to its scope.
TEST_F(ComponentModel, ComponentsOfTheRepositoryAreClasses)
{
    const long findings = parseTwice({"BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",
                                      "DEFINE_COM CLASS(#DEMOCOMP) NAME(#CUST)",
                                      "EVTROUTINE HANDLING(#CUST.CreateInstance)",
                                      "DEFINE_MAP FOR(*INPUT) CLASS(#ORDNO) NAME(#NUMBER)",
                                      "INVOKE #CUST.CHECK",
                                      "SET COM(#CUST) CUSTNAME(#NUMBER.Value)",
                                      "SET COM(#CUST) CUSTNO(#ORDNO)",
                                      "END_COM"});
    // DEMOCOMP has the property CUSTNAME, not CUSTNO
    EXPECT_EQ((std::vector<std::string>{"CUST.CUSTNO/3"}), g_names);
    EXPECT_EQ(1, findings);
    std::vector<std::string> exchanged;
    DQOO_FCC_EnumerateExchangedFields(
        handle,
        [](void* user, const DQOO_EXCHANGED_FIELD* f) -> long {
            static_cast<std::vector<std::string>*>(user)->push_back(std::to_string(f->lNumber) + " " + f->pszField);
            return 0;
        },
        &exchanged);
    EXPECT_EQ((std::vector<std::string>{"1 ORDNO"}), exchanged);
    std::vector<std::string> scopes;
    DQOO_FCC_EnumerateUsage(
        handle,
        [](void* user, const DQOO_USAGE* u) -> long {
            static_cast<std::vector<std::string>*>(user)->push_back(std::string(u->pszName) + " " +
                                                                    std::to_string(u->lScope) + " " +
                                                                    std::to_string(u->ulFlags));
            return 0;
        },
        &scopes);
    EXPECT_EQ((std::vector<std::string>{"CUST 0 1", "NUMBER 1 3"}), scopes);
    std::vector<std::string> dispatches;
    DQOO_FCC_EnumerateDispatches(
        handle,
        [](void* user, const DQOO_DISPATCH* d) -> long {
            static_cast<std::vector<std::string>*>(user)->push_back(std::string(d->pszCommand) + " " +
                                                                    d->pszComponent + " " + d->pszFeature + " " +
                                                                    d->pszArguments);
            return 0;
        },
        &dispatches);
    EXPECT_EQ((std::vector<std::string>{"INVOKE CUST CHECK ", "SET CUST CUSTNAME CUSTNAME=#NUMBER.VALUE",
                                        "SET CUST CUSTNO CUSTNO=@1"}),
              dispatches);
}

// A class or list the repository fails to deliver is no unknown name: the
// parse reports the repository's failure, so that the checker ends the job.
TEST_F(ComponentModel, AClassTheRepositoryCannotReadFailsTheParse)
{
    for (const char* location : {"DQOO/QV_OCL/1", "DQOO/QV_OCS/1"}) {
        SCOPED_TRACE(location);
        SSQL_SetFailLocation(location);
        const std::vector<std::string> lines = {"BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",
                                                "DEFINE_COM CLASS(#DEMOCOMP) NAME(#CUST)", "END_COM"};
        long worst = 0;
        for (int parse = 0; parse < 2; ++parse)
            for (size_t i = 0; i < lines.size(); ++i) {
                int32_t id = 0;
                worst = std::min(worst, DQOO_FCC_ParseZOPHX(handle, lines[i].c_str(), static_cast<uint32_t>(i + 1),
                                                            nullptr, &id));
            }
        SSQL_SetFailLocation(nullptr);
        EXPECT_EQ(DQOO_ERR_REPOSITORY, worst);
        // a new build reads the classes afresh
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
        SetUp();
    }
}

}  // namespace

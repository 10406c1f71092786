// The ZOPHX component source: any text as the source of a component of
// partition DEM, one command a line, checked by a whole job (and generated,
// in C or C#, when the first byte asks). The first byte's bits: 1 language
// level two, 2 generate, 4 the C# set too, 8 the component is the second
// member of a compound component whose first member is DEMOCOMP, and the
// job runs on the compound. Every job either runs or ends with its message;
// the repository is put back before every input.
#include "fuzz_jobs.h"
#include "fuzz_target.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"

namespace {

constexpr size_t kMostLines = 400;
constexpr size_t kLongestLine = 2000;

template <typename... Values> bool Run(const char* statement, Values... values)
{
    SSQL_AREA area;
    SSQL_SQLDA* da = nullptr;
    const bool ok =
        SSQL_DeclareExt(&area, statement, values...) == SSQL_RC_OK && SSQL_sRun(&area, &da, 0) == SSQL_RC_OK;
    SSQL_FreeSqlda(da);
    return ok;
}

// Stores the component FUZZCMP with the text as its source.
bool StoreComponent(const std::string& text, unsigned flags)
{
    std::istringstream in(text);
    std::string line;
    int sequence = 0;
    while (std::getline(in, line) && static_cast<size_t>(sequence) < kMostLines) {
        line.resize(std::min(line.size(), kLongestLine));
        // a NUL byte ends the stored text, as it ends a C string
        if (!Run("INSERT INTO QV_DTA.QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES ('DEM', 'FUZZCMP', %d, '%s')",
                 ++sequence * 10, line.c_str()))
            return false;
    }
    if (!Run("INSERT INTO QV_DTA.QV_OCD (XCDP_I, XCDCMP, XCDKND, XCDMOD) VALUES ('DEM', 'FUZZCMP', %d, '')",
             flags & 1 ? 256 : 0))
        return false;
    if ((flags & 8) && !Run("INSERT INTO QV_DTA.QV_OCM (XCMP_I, XCMCMP, XCMSEQ, XCMMEM) VALUES "
                            "('DEM', 'FUZZSUIT', 1, 'DEMOCOMP'), ('DEM', 'FUZZSUIT', 2, 'FUZZCMP')"))
        return false;
    SSQL_SQLDA* ca = nullptr;
    const bool committed = SSQL_sCommitExt(&ca) == SSQL_RC_OK;
    SSQL_FreeSqlda(ca);
    return committed;
}

}  // namespace

DQOV_FUZZ_TARGET(component_source)
{
    if (size == 0)
        return;
    const unsigned flags = data[0];
    dqov_fuzz::JobEnvironment* env = dqov_fuzz::JobEnvironment::Fresh();
    if (!env)
        return;
    std::string text = dqov_fuzz::Text(data + 1, size - 1);
    bool stored = false;
    dqov_fuzz::Guarded([&] { stored = StoreComponent(text, flags); });
    if (stored) {
        FFC_SYSTEM_DEFINITION sys;
        FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
        FFC_RUN_REQUEST rq{};
        rq.pSystemDefinition = &sys;
        rq.pszProcess = flags & 8 ? "FUZZSUIT" : "FUZZCMP";
        rq.pszFunction = "*COMP";
        rq.cOption = flags & 2 ? 'G' : 'C';
        rq.cCSharp = flags & 4 ? 'Y' : 'N';
        rq.sRunMode = FFC_RUN_MODE_TOOLS;
        FFC_Set_Run_Mode(rq.sRunMode);
        dqov_fuzz::Guarded([&] { dc_p31o2(&rq); });
    }
    env->Leave();
}

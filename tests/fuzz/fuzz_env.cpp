// The repository environment of the fuzz targets.
#include "fuzz_env.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"
#include "params/cmdparm.h"
#include "platform/dqos/dqos.h"

namespace dqov_fuzz {

namespace {

bool Make(Environment& env)
{
    env.scratch.emplace("dqov-fuzz");
    env.directory = env.scratch->str();
    std::error_code ec;
    std::filesystem::copy_file(testsupport::sampleRepository(), env.directory + "/repository.db", ec);
    if (ec)
        return false;
    FFC_CONTEXT& c = env.ctx;
    std::memcpy(c.acPartition, "DEM", 3);
    std::memcpy(c.acLanguage, "ENG ", 4);
    std::memcpy(c.acObjectName, "DC@F23    ", 10);
    std::memcpy(c.acProcess, "DEMOPRC   ", 10);
    std::memcpy(c.acFunction, "FUZZFN ", 7);
    c.cDecimalPoint = '.';
    c.cNatChar1 = '#';
    c.cNatChar2 = '@';
    c.cNatChar3 = '$';
    if (SSQL_sConnect((env.directory + "/repository.db").c_str()) != SSQL_RC_OK)
        return false;
    env.keywordArea.assign(CMDPARM_KEYWORD_AREA_SIZE, ' ');
    return CMDPARM_sLoadKeywordTables(env.keywordArea.data(), &env.keywordCount) == 0;
}

}  // namespace

Environment* RepositoryEnvironment()
{
    static Environment env;
    static bool made = Make(env);
    if (!made)
        return nullptr;
    if (!SSQL_fIsConnected() && SSQL_sConnect((env.directory + "/repository.db").c_str()) != SSQL_RC_OK)
        return nullptr;
    return &env;
}

void EmptyQueue(Environment& env)
{
    qvrmm4(&env.ctx, ("DC_P9006/MQ/" + std::string(kQueue, 9)).c_str());
}

}  // namespace dqov_fuzz

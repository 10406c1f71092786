// The skeleton engine: any text as the lines of a skeleton, run through the
// engine of a generation set up for the sample function DEMOMIN (a
// function without commands), its output thrown away.
#include "fuzz_target.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "checker/command_tables.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/output/command_lookup.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/points/p3109.h"
#include "generator/core/points/skeleton_engine.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "support/scratch.h"

namespace {

struct Generation {
    std::optional<testsupport::ScratchDir> scratch;  // removed when the process ends
    std::string directory;
    FFC_CONTEXT ctx{};
    FFC_CHECK_STATE state{};
    FFC_PROCESS_DEFINITION process{};
    FFC_FUNCTION_DEFINITION function{};
    std::vector<char> options = std::vector<char>(999, 'N');
};

int32_t NoCommand(FFC_CONTEXT*, uint16_t, uint16_t, GEN_COMMAND_RECORD*)
{
    return 1;
}

void NoText(FFC_CONTEXT*, uint16_t, uint16_t, std::string*) {}

const GEN_COMMAND_SOURCE kNoCommands{NoCommand, NoText};

bool Connect(const Generation& g)
{
    return SSQL_fIsConnected() || SSQL_sConnect((g.directory + "/repository.db").c_str()) == SSQL_RC_OK;
}

bool SetUp(Generation& g)
{
    g.scratch.emplace("dqov-fuzz-skeleton");
    g.directory = g.scratch->str();
    std::error_code ec;
    std::filesystem::copy(testsupport::sampleRoot(), g.directory + "/root", std::filesystem::copy_options::recursive,
                          ec);
    std::filesystem::copy_file(testsupport::sampleRepository(), g.directory + "/repository.db", ec);
    if (ec || DosSetEnvironmentRoot((g.directory + "/root").c_str()) != 0 || !Connect(g))
        return false;
    setenv("DQOV_FIXED_TIME", "20261206143005", 1);
    FFC_Set_Run_Mode(0);
    FFC_CONTEXT& c = g.ctx;
    std::memcpy(c.acPartition, "DEM", 3);
    std::memcpy(c.acLanguage, "ENG ", 4);
    c.cNatChar1 = '#';
    c.cNatChar2 = '@';
    c.cNatChar3 = '$';
    std::memcpy(c.acObjectName, "DC@F23    ", 10);
    std::memcpy(c.acProcess, "DEMOPRC   ", 10);
    std::memcpy(c.acFunction, "DEMOMIN", 7);
    std::memset(c.acComponent, ' ', 10);
    c.lFunctionRun = 1;
    c.lPassCount = 1;
    c.lCurrentPass = 1;
    c.cCSharp = c.cCSharpSecond = 'N';
    P3100_BuildCommandTables(&c);
    if (WF_sCreate(&c) != 0)
        return false;
    std::memcpy(g.state.acProcess, "DEMOPRC   ", 10);
    std::memcpy(g.state.acFunction, "DEMOMIN", 7);
    std::memset(g.state.acCommand, ' ', 10);
    std::memset(g.state.acMsgQueue, ' ', 10);
    g.state.lPass = 2;
    std::memset(&g.process, ' ', sizeof g.process);
    g.process.cProcessClass = 'L';
    std::memset(&g.function, ' ', sizeof g.function);
    P3109_SetCommandSource(&kNoCommands);
    return dqov_fuzz::Guarded([&] {
               P3109_GenerateCode(&g.ctx, &g.state, &g.process, &g.function, 0, ' ', g.options.data(), ' ', ' ', "   ",
                                  "FUZZQUEUE ", 1, "", nullptr, 0, 0, 0);
           });
}

}  // namespace

DQOV_FUZZ_TARGET(skeleton)
{
    static Generation g;
    static bool ready = SetUp(g);
    if (!ready || !Connect(g))
        return;
    P3109_ResetSkeletonConditions();
    P3109_ClearQueues();
    // The output is thrown away through a stream of this input's own: the
    // end of any job (another target of the same process) closes every
    // stream, so one kept from an earlier input may be closed or another's.
    GEN_STREAM sink = P3109_AddFileStream(std::fopen("/dev/null", "w"));
    if (sink == GEN_NO_STREAM)
        return;
    P3109_State().out.mainOutput = sink;
    const std::string text = dqov_fuzz::Text(data, size);
    dqov_fuzz::Guarded([&] {
        size_t at = 0;
        while (at <= text.size()) {
            size_t end = text.find('\n', at);
            if (end == std::string::npos)
                end = text.size();
            P3109_SetSkeletonLine(text.substr(at, end - at) + " ");
            P3109_ProcessSkeletonLine();
            at = end + 1;
        }
    });
    P3109_ClearQueues();
    P3109_State().out.mainOutput = GEN_NO_STREAM;
    P3109_CloseStream(sink);
}

// A run context for partition DEM in English over a scratch copy of the
// sample repository, as a job's definitions loading sees it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "dqov/runcontrol/run_driver.h"
#include "sample_env.h"

struct DemRunContext : ::testing::Test {
    SampleEnv env;
    FFC_CONTEXT ctx{};
    FFC_SYSTEM_DEFINITION sys{};
    void SetUp() override
    {
        ASSERT_TRUE(env.connect());
        std::snprintf(sys.szPartition, sizeof sys.szPartition, "DEM");
        std::snprintf(sys.szLanguage, sizeof sys.szLanguage, "ENG");
        std::memcpy(sys.acNationalChars, "#@$", 3);
        P31O2_FillRunContext(&ctx, &sys);
        SMISC_SetSession("DEM", "ENG");
    }
    void TearDown() override { P31O2_FreeRunContext(&ctx); }
};

// A job run through the run driver in tools mode, with what it printed.
#pragma once

#include <gtest/gtest.h>

#include <stdint.h>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"

// Runs option `option` ('C' check, 'G' generate) on PROCESS/FUNCTION of the
// system definition, asking for C# when `csharp` is set and for the ZOPH2
// switch when `zoph2` is set; the driver's
// result, its error and warning counts, and the captured standard output.
inline std::string RunToolsJob(FFC_SYSTEM_DEFINITION& sys, const char* process, const char* function, char option,
                               int32_t& errors, int32_t& warnings, int32_t& result, bool csharp = false,
                               bool zoph2 = false)
{
    FFC_RUN_REQUEST rq{};
    rq.pSystemDefinition = &sys;
    rq.pszProcess = process;
    rq.pszFunction = function;
    rq.cOption = option;
    if (csharp)
        rq.cCSharp = 'Y';
    if (zoph2)
        rq.cZoph2 = 'Y';
    rq.sRunMode = FFC_RUN_MODE_TOOLS;
    rq.plErrors = &errors;
    rq.plWarnings = &warnings;
    FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
    ::testing::internal::CaptureStdout();
    result = dc_p31o2(&rq);
    return ::testing::internal::GetCapturedStdout();
}

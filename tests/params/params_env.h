// Test environment of the parameter and operand checks: the built sample
// repository, a run context with a message queue, the loaded keyword area.
#pragma once

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"
#include "params/cmdparm.h"
#include "platform/dqos/dqos.h"
#include "queued_messages.h"
#include "support/scratch.h"

inline constexpr const char* kQueue = "PRMTEST   ";

class ParamsEnv {
public:
    ParamsEnv()
    {
        // a private copy of the sample repository with a multilingual variable
        // (kept under its whole name, as the source writes it)
        const std::string repo = (dir_ / "repository.db").string();
        testsupport::copySampleRepository(repo);
        sqlite3* db = nullptr;
        sqlite3_open(repo.c_str(), &db);
        sqlite3_exec(db,
                     "INSERT INTO QV_F61 (X61P_I, X61PLN, X61MTX, X61VAL, X61LEN) "
                     "VALUES ('DEM', 'ENG', '*MTXTWELCOME', 'Welcome', 7)",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        connected_ = SSQL_sConnect(repo.c_str()) == SSQL_RC_OK;
        std::memset(&ctx, 0, sizeof ctx);
        std::memcpy(ctx.acPartition, "DEM", 3);
        std::memcpy(ctx.acLanguage, "ENG ", 4);
        std::memcpy(ctx.acObjectName, "DC@F23    ", 10);
        std::memcpy(ctx.acProcess, "DEMOPRC   ", 10);
        std::memcpy(ctx.acFunction, "CUSTUPD", 7);
        ctx.cDecimalPoint = '.';
        ctx.cNatChar1 = '#';
        ctx.cNatChar3 = '$';
        area.resize(CMDPARM_KEYWORD_AREA_SIZE);
        if (connected_)
            loadRc = CMDPARM_sLoadKeywordTables(area.data(), &count);
    }
    ~ParamsEnv()
    {
        P31O2_FreeRunContext(&ctx);
        SSQL_Disconnect();
    }
    ParamsEnv(const ParamsEnv&) = delete;
    ParamsEnv& operator=(const ParamsEnv&) = delete;

    bool ready() const { return connected_ && loadRc == 0; }

    // The queued messages as (id, substitution data); the queue is emptied.
    std::vector<std::pair<std::string, std::string>> Take() { return TakeQueuedMessages(ctx, "PRMTEST"); }

    FFC_CONTEXT ctx;
    std::vector<char> area;
    uint16_t count = 0;
    int16_t loadRc = -1;

private:
    testsupport::ScratchDir dir_{"dqov-params"};
    bool connected_ = false;
};

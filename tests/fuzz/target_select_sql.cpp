// The SELECT_SQL scanner as the checker uses it: any text as one of the
// SQL texts of a SELECT_SQL command (the first byte says which: the whole
// statement of USING, WHERE, HAVING, GROUP_BY, ORDER_BY or a column's text),
// checked in a whole check job of a function of the sample process.
#include "fuzz_env.h"
#include "fuzz_target.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "support/scratch.h"

namespace {

// The text quoted as a parameter value of a command: apostrophes doubled.
std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\0' || c == '\n' || c == '\r')
            c = ' ';
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

std::string command(uint8_t form, const std::string& text)
{
    const std::string q = quoted(text);
    switch (form % 6) {
    case 0: return "SELECT_SQL FIELDS(#CUSTNO #CREDIT) USING(" + q + ")";
    case 1: return "SELECT_SQL FIELDS(#CUSTNO #CREDIT) FROM_FILES(CUSTMST) WHERE(" + q + ")";
    case 2: return "SELECT_SQL FIELDS((#CREDIT 'SUM(CREDIT)')) FROM_FILES(CUSTMST) GROUP_BY('CUSTNO') HAVING(" + q + ")";
    case 3: return "SELECT_SQL FIELDS((#CREDIT 'SUM(CREDIT)')) FROM_FILES(CUSTMST) GROUP_BY(" + q + ")";
    case 4: return "SELECT_SQL FIELDS(#CUSTNO #CREDIT) FROM_FILES((CUSTMST C)) ORDER_BY(" + q + ")";
    default: return "SELECT_SQL FIELDS(#CUSTNO (#CREDIT " + q + ")) FROM_FILES(CUSTMST)";
    }
}

// Stores the function's source, outside the services' connection (which is
// closed here, so that no unit of work is open).
bool storeSource(const std::string& repository, const std::vector<std::string>& commands)
{
    SSQL_Disconnect();
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(repository.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db,
                           "INSERT OR IGNORE INTO QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', 'DEMOPRC', 'FUZZSQL');"
                           "DELETE FROM QV_SRC WHERE SRCFMT = 'FUZZSQL'",
                           nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_stmt* st = nullptr;
    ok = ok && sqlite3_prepare_v2(db,
                                  "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM) "
                                  "VALUES ('DEM', 'DEMOPRC', 'FUZZSQL', ?, '', ?, ?)",
                                  -1, &st, nullptr) == SQLITE_OK;
    for (size_t i = 0; ok && i < commands.size(); ++i) {
        const std::string& c = commands[i];
        const size_t blank = c.find(' ');
        const std::string name = c.substr(0, blank);
        const std::string parameters = blank == std::string::npos ? "" : c.substr(blank + 1);
        sqlite3_reset(st);
        sqlite3_bind_int(st, 1, static_cast<int>(i + 1));
        sqlite3_bind_text(st, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, parameters.c_str(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(st) == SQLITE_DONE;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok;
}

// A copy of the sample environment's root as the environment root.
bool setRoot(const std::string& directory)
{
    std::error_code ec;
    std::filesystem::copy(testsupport::sampleRoot(), directory + "/root", std::filesystem::copy_options::recursive, ec);
    return !ec && DosSetEnvironmentRoot((directory + "/root").c_str()) == 0;
}

// Standard output goes nowhere while the job lists its messages.
class Quiet {
public:
    Quiet()
    {
        std::fflush(stdout);
        saved_ = ::dup(1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::close(null);
    }
    ~Quiet()
    {
        std::fflush(stdout);
        ::dup2(saved_, 1);
        ::close(saved_);
    }

private:
    int saved_ = -1;
};

}  // namespace

DQOV_FUZZ_TARGET(select_sql)
{
    dqov_fuzz::Environment* env = dqov_fuzz::RepositoryEnvironment();
    static const bool rooted = env && setRoot(env->directory);
    if (!rooted || size == 0)
        return;
    const std::string text = dqov_fuzz::Text(data + 1, size - 1);
    const std::string repository = env->directory + "/repository.db";
    if (!storeSource(repository,
                     {"FUNCTION OPTIONS(*DIRECT)", command(data[0], text), "CHANGE FIELD(#WRKCNT) TO('#WRKCNT + 1')",
                      "ENDSELECT", "RETURN"}) ||
        !dqov_fuzz::RepositoryEnvironment())
        return;
    FFC_SYSTEM_DEFINITION sys;
    FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
    int32_t errors = 0, warnings = 0;
    FFC_RUN_REQUEST rq{};
    rq.pSystemDefinition = &sys;
    rq.pszProcess = "DEMOPRC";
    rq.pszFunction = "FUZZSQL";
    rq.cOption = 'C';
    rq.sRunMode = FFC_RUN_MODE_TOOLS;
    rq.plErrors = &errors;
    rq.plWarnings = &warnings;
    {
        Quiet quiet;
        FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
        dqov_fuzz::Guarded([&] { dc_p31o2(&rq); });
    }
    SSQL_Disconnect();
}

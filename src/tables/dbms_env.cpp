// Database environment of the connection (see dbms_env.h).
#include "tables/dbms_env.h"

#include "platform/dqoz/dqoz.h"

#include <cstdlib>
#include <mutex>

namespace {

struct Environment {
    std::mutex lock;
    bool loaded = false;
    bool haveOverride = false;
    std::string fileOverride;
    std::string dbmsOverride;
    X_CTD_CAPABILITY_TABLE_PTR table;
    X_CTD_DBMS_INFO info;
    std::string error;
};

Environment& env()
{
    static Environment e;
    return e;
}

std::string environmentFile(const Environment& e)
{
    if (!e.fileOverride.empty())
        return e.fileOverride;
    if (const char* file = std::getenv("DQOV_DBENV_FILE"); file && *file)
        return file;
    char host[4096];
    if (DosMapPath("\\X_VELMO\\X_DBENV.DAT", host, sizeof host) == 0)
        return host;
    return {};
}

std::string currentDbms(const Environment& e)
{
    if (!e.dbmsOverride.empty())
        return e.dbmsOverride;
    if (const char* name = std::getenv("DQOV_DBMS"); name && *name)
        return name;
    return "SQLITE";
}

void ensureLoaded(Environment& e)
{
    if (e.loaded)
        return;
    e.loaded = true;
    e.table.reset();
    e.info = X_CTD_DBMS_INFO{};
    std::string path = environmentFile(e);
    if (X_CTD_Load_Capabilities(path.c_str(), e.table, e.error) != 0 && e.table && e.table->entries.empty())
        e.table.reset();
    X_CTD_SetText(e.info.name, currentDbms(e), X_CTD_DBMS_NAME_LEN);
    std::string ignored;
    X_CTD_FillDBMSInfo(e.table.get(), e.info, ignored);
    int32_t kind = 0;
    X_CTD_sGetCapability(e.table.get(), e.info.name, "DBMS_KIND", nullptr, &kind, nullptr);
    e.info.kind = static_cast<int16_t>(kind);
    e.info.foreign = e.info.ignoreNativeSupport;
    X_CTD_sGetCapability(e.table.get(), e.info.name, "SERVER_VERSION", &e.info.serverVersion, nullptr, nullptr);
}

}  // namespace

const X_CTD_CAPABILITY_TABLE* SMISC_sGetDBMSTypes()
{
    Environment& e = env();
    std::lock_guard guard(e.lock);
    ensureLoaded(e);
    return e.table.get();
}

const X_CTD_DBMS_INFO* SSQL_pGetDBMSInfo()
{
    Environment& e = env();
    std::lock_guard guard(e.lock);
    ensureLoaded(e);
    return &e.info;
}

const char* SMISC_pszDBMSTypesError()
{
    Environment& e = env();
    std::lock_guard guard(e.lock);
    return e.error.c_str();
}

void SMISC_SetDBMSEnvironment(const char* envFile, const char* dbmsName)
{
    Environment& e = env();
    std::lock_guard guard(e.lock);
    e.fileOverride = envFile ? envFile : "";
    e.dbmsOverride = dbmsName ? dbmsName : "";
    e.loaded = false;
}

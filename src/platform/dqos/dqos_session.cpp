// Session of the job (partition and language) and the repository settings
// of the services library (table QV_SET).
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"
#include "platform/dqoz/dqoz.h"

#include <ctime>
#include <utility>
#include <vector>

namespace dqos {
namespace {

struct Session {
    std::string partition;
    std::string language;
    std::string defaultLanguage;  // last answer of SMISC_pszDefaultLanguage
};

Session& session()
{
    static Session s;
    return s;
}

/* The settings read in the unit of work now open: no statement of a job
 * writes QV_SET and the unit holds the repository's state fixed, so a
 * setting read once (the default language of every message text looked
 * for) stays what it was until the unit ends. */
struct KeptSettings {
    unsigned long unit = 0;
    std::vector<std::pair<std::string, std::optional<std::string>>> values;
};

KeptSettings& keptSettings()
{
    static KeptSettings kept;
    return kept;
}

}  // namespace

std::string trimmed(std::string_view text)
{
    size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0'))
        --n;
    return std::string(text.substr(0, n));
}

std::string trimmed(const char* text)
{
    return text ? trimmed(std::string_view(text)) : std::string();
}

std::optional<std::string> readSetting(std::string_view key)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (db == nullptr)
        return std::nullopt;
    KeptSettings& kept = keptSettings();
    const unsigned long unit = SSQL_ulUnitOfWork();
    if (unit != kept.unit) {
        kept.unit = unit;
        kept.values.clear();
    }
    if (unit != 0)
        for (const auto& [name, value] : kept.values)
            if (name == key)
                return value;
    PooledStmt st(db, "SELECT SETVAL FROM QV_DTA.QV_SET WHERE SETKEY = ?");
    if (!st.ok())
        return std::nullopt;
    st.bindText(1, key);
    std::optional<std::string> value;
    const int rc = st.step();
    if (rc == SQLITE_ROW)
        value = st.text(0);
    else if (rc != SQLITE_DONE)
        return std::nullopt;  // a failed read is not kept
    if (unit != 0)
        kept.values.emplace_back(std::string(key), value);
    return value;
}

std::string sessionPartition()
{
    std::lock_guard lock(dbLock());
    return session().partition;
}

std::string sessionLanguage()
{
    std::lock_guard lock(dbLock());
    return session().language;
}

std::string defaultLanguage()
{
    std::string lang = trimmed(readSetting("DEFLANG").value_or(""));
    return lang.empty() ? "ENG" : lang;
}

// The OS layer's clock (which tests and reproducible runs can fix) turned
// into UTC with its time-zone offset.
std::string utcTimestamp()
{
    std::time_t now = std::time(nullptr);
    DQOZ_DATETIME dt{};
    if (DosGetDateTime(&dt) == DQOZ_NO_ERROR) {
        std::tm local{};
        local.tm_year = dt.year - 1900;
        local.tm_mon = dt.month - 1;
        local.tm_mday = dt.day;
        local.tm_hour = dt.hours;
        local.tm_min = dt.minutes;
        local.tm_sec = dt.seconds;
        now = timegm(&local) + std::time_t{dt.timezone} * 60;
    }
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

}  // namespace dqos

using namespace dqos;

extern "C" void SMISC_SetSession(const char* pszPartition, const char* pszLanguage)
{
    std::lock_guard lock(dbLock());
    session().partition = trimmed(pszPartition).substr(0, 3);
    session().language = trimmed(pszLanguage).substr(0, 4);
}

extern "C" const char* SMISC_pszPartition(void)
{
    std::lock_guard lock(dbLock());
    return session().partition.c_str();
}

extern "C" const char* SMISC_pszLanguage(void)
{
    std::lock_guard lock(dbLock());
    return session().language.c_str();
}

extern "C" const char* SMISC_pszDefaultLanguage(void)
{
    std::lock_guard lock(dbLock());
    session().defaultLanguage = defaultLanguage();
    return session().defaultLanguage.c_str();
}

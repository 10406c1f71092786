// Miscellaneous services: the fatal abend text and the end of the run, the
// web application build entries, the number of page sets to keep, field
// descriptions, the progress slider and the object state.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"
#include "platform/dqoz/dqoz.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dqos {
namespace {

struct MiscState {
    std::string abendText;
    SWIN_SLIDER_CALLBACK slider = nullptr;
    void* sliderUser = nullptr;
};

MiscState& misc()
{
    static MiscState m;
    return m;
}

void copyName(char (&dst)[16], const std::string& src)
{
    std::snprintf(dst, sizeof dst, "%.11s", src.c_str());
}

std::optional<std::string> describe(sqlite3* db, const char* sql, const std::string& partition, const std::string& name,
                                    const std::string& lang)
{
    PooledStmt st(db, sql);
    if (!st.ok())
        return std::nullopt;
    st.bindText(1, partition);
    st.bindText(2, name);
    st.bindText(3, lang);
    if (st.step() != SQLITE_ROW)
        return std::nullopt;
    return trimmed(st.text(0));
}

}  // namespace
}  // namespace dqos

using namespace dqos;

extern "C" void SMISC_UpdateFatalAbendText(const char* pszFormat, ...)
{
    char buf[1025];
    buf[0] = '\0';
    if (pszFormat != nullptr) {
        va_list ap;
        va_start(ap, pszFormat);
        std::vsnprintf(buf, sizeof buf, pszFormat, ap);
        va_end(ap);
    }
    std::lock_guard lock(dbLock());
    misc().abendText = buf;
}

extern "C" const char* SMISC_pszGetFatalAbendText(void)
{
    std::lock_guard lock(dbLock());
    return misc().abendText.c_str();
}

extern "C" void SMISC_Die(void)
{
    std::string text;
    {
        std::lock_guard lock(dbLock());
        text = misc().abendText;
    }
    if (!text.empty())
        SMSG_DisplayMessage(text.c_str());
    SSQL_Disconnect();
    DosExit(DQOZ_EXIT_PROCESS, 0);
}

extern "C" unsigned long SMISC_LoadBuildWamApp(SMISC_BUILD_APP_CALLBACK pfnCallback, void* pList)
{
    if (pfnCallback == nullptr)
        return 0;
    std::vector<SMISC_BUILD_APP> entries;
    {
        std::lock_guard lock(dbLock());
        sqlite3* db = dbHandle();
        if (db == nullptr)
            return 0;
        Stmt st(db, "SELECT WBANUM, WBANM1, WBANM2, WBANM3 FROM QV_DTA.QV_WBA WHERE WBAP_I = ? ORDER BY WBANUM");
        if (!st.ok())
            return 0;
        st.bindText(1, sessionPartition());
        while (st.step() == SQLITE_ROW) {
            SMISC_BUILD_APP e{};
            e.ulNumber = static_cast<uint32_t>(st.integer(0));
            copyName(e.szName1, trimmed(st.text(1)));
            copyName(e.szName2, trimmed(st.text(2)));
            copyName(e.szName3, trimmed(st.text(3)));
            entries.push_back(e);
        }
    }
    // The callback runs without the lock, so it may call back into the library.
    unsigned long handed = 0;
    for (const SMISC_BUILD_APP& e : entries) {
        ++handed;
        if (pfnCallback(pList, nullptr, &e) == 0)
            break;
    }
    return handed;
}

extern "C" int16_t SMISC_GetMaximumSet(void)
{
    std::optional<std::string> v = readSetting("MAXSET");
    if (!v)
        return 0;
    long n = std::strtol(v->c_str(), nullptr, 10);
    if (n < 0)
        return 0;
    return static_cast<int16_t>(n > 32767 ? 32767 : n);
}

extern "C" char* SMISC_pszGetDesc4Field(const char* pszName)
{
    std::string name = trimmed(pszName);
    std::string desc;
    {
        std::lock_guard lock(dbLock());
        sqlite3* db = dbHandle();
        std::string partition = sessionPartition();
        std::string lang = sessionLanguage();
        std::string deflt = defaultLanguage();
        if (db != nullptr && !name.empty()) {
            const char* fieldSql = "SELECT FTXDES FROM QV_DTA.QV_FTX WHERE FTXP_I = ? AND FTXFLD = ? AND FTXPLN = ?";
            const char* compSql = "SELECT X62DES FROM QV_DTA.QV_F62 WHERE X62P_I = ? AND X62FLD = ? AND X62PLN = ?";
            for (const char* sql : {fieldSql, compSql}) {
                std::optional<std::string> d = describe(db, sql, partition, name, lang);
                if (!d && deflt != lang)
                    d = describe(db, sql, partition, name, deflt);
                if (d) {
                    desc = *d;
                    break;
                }
            }
        }
    }
    auto* out = static_cast<char*>(SMEM_pMalloc(0, desc.size() + 1));
    if (out)
        std::memcpy(out, desc.c_str(), desc.size() + 1);
    return out;
}

extern "C" void SWIN_SetSliderCallback(SWIN_SLIDER_CALLBACK pfnCallback, void* pUser)
{
    std::lock_guard lock(dbLock());
    misc().slider = pfnCallback;
    misc().sliderUser = pUser;
}

extern "C" unsigned long SWIN_ulSlider(unsigned long ulCommand, const char* pszTitle, unsigned long ulDone,
                                       unsigned long ulTotal)
{
    unsigned long percent = 100;
    if (ulTotal > 0)
        percent = ulDone >= ulTotal ? 100 : static_cast<unsigned long>(ulDone * 100ULL / ulTotal);
    SWIN_SLIDER_CALLBACK cb;
    void* user;
    {
        std::lock_guard lock(dbLock());
        cb = misc().slider;
        user = misc().sliderUser;
    }
    if (cb != nullptr)
        cb(user, ulCommand, pszTitle ? pszTitle : "", percent);
    return percent;
}

extern "C" unsigned short SDQOX_AlterState(const char* pszProcess, const char* pszFunction, char chState)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    std::string process = trimmed(pszProcess);
    if (process.empty() || chState == '\0') {
        setLastError("No object or state given");
        return SSQL_RC_ERROR;
    }
    if (!startOwnWrite(db))
        return SSQL_RC_ERROR;
    Stmt st(db,
            "INSERT INTO QV_DTA.QV_OST (OSTP_I, OSTMOD, OSTFMT, OSTSTA, OSTTMS) VALUES (?, ?, ?, ?, ?) "
            "ON CONFLICT (OSTP_I, OSTMOD, OSTFMT) DO UPDATE SET OSTSTA = excluded.OSTSTA, OSTTMS = excluded.OSTTMS");
    if (!st.ok())
        return SSQL_RC_ERROR;
    st.bindText(1, sessionPartition());
    st.bindText(2, process);
    st.bindText(3, trimmed(pszFunction));
    st.bindText(4, std::string(1, chState));
    st.bindText(5, utcTimestamp());
    return st.step() == SQLITE_DONE ? SSQL_RC_OK : SSQL_RC_ERROR;
}

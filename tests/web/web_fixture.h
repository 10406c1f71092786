// The WAM generation in one test: a copy of the sample environment (root
// directory and repository), a run with its context, message store and
// option words, a fixed clock and GUID sequence, and a scripted enumerator
// that walks a WAM described by the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/web/web.h"
#include "platform/dqos/dqos.h"
#include "platform/dqos/repo_fixture.h"
#include "platform/dqoz/dqoz.h"
#include "support/files.h"
#include "support/scratch.h"

namespace web_test {

namespace fs = std::filesystem;

using testsupport::readFile;

inline unsigned long fixedClock(DQOZ_DATETIME* dt)
{
    *dt = DQOZ_DATETIME{};
    dt->year = 2026;
    dt->month = 12;
    dt->day = 6;
    dt->hours = 10;
    dt->minutes = 30;
    dt->seconds = 5;
    return 0;
}

// One item of a scripted web routine.
struct Item {
    char kind;  // 'F' field, 'L' list start, 'C' column, 'E' list end
    FieldInfo field{};
    ListInfo list{};
};

struct Routine {
    WebRoutineInfo info{};
    std::vector<Item> items;
};

struct Script {
    WamInfo wam{};
    std::vector<Routine> routines;
    long result = 0;
};

inline Script* g_script = nullptr;

// The object layer's enumerator, replaying g_script.
inline long ScriptedEnumerator(void* module, void* argument, void* user, DQOO_WAM_CALLBACK startWam,
                               DQOO_WAM_CALLBACK startRoutine, DQOO_WAM_CALLBACK field, DQOO_WAM_CALLBACK listStart,
                               DQOO_WAM_CALLBACK column, DQOO_WAM_CALLBACK listEnd, DQOO_WAM_CALLBACK endWam)
{
    if (g_script->result != 0)
        return g_script->result;
    startWam(module, argument, user, &g_script->wam);
    for (Routine& r : g_script->routines) {
        startRoutine(module, argument, user, &r.info);
        for (Item& i : r.items) {
            switch (i.kind) {
            case 'F': field(module, argument, user, &i.field); break;
            case 'C': column(module, argument, user, &i.field); break;
            case 'L': listStart(module, argument, user, &i.list); break;
            default: listEnd(module, argument, user, &i.list); break;
            }
        }
    }
    endWam(module, argument, user, nullptr);
    return 0;
}

inline Routine MakeRoutine(const char* name, uint32_t response)
{
    Routine r;
    std::snprintf(r.info.szName, sizeof r.info.szName, "%s", name);
    std::snprintf(r.info.szDescription, sizeof r.info.szDescription, "%s routine", name);
    std::snprintf(r.info.szServiceName, sizeof r.info.szServiceName, "%sService", name);
    r.info.ulResponseType = response;
    return r;
}

inline Item MakeField(char kind, const char* name, char type, uint32_t length, const char* sample,
                      const char* weblet = nullptr)
{
    Item i{kind};
    std::snprintf(i.field.szName, sizeof i.field.szName, "%s", name);
    i.field.chType = type;
    i.field.ulMaxLength = length;
    i.field.sTotalDigits = static_cast<int16_t>(length);
    i.field.chDecimalSeparator = '.';
    i.field.ulKeyboardShift = ' ';
    i.field.ulFieldMode = 2;
    i.field.ulCaptionReference = 1;
    i.field.ulUsedFor = 3;
    i.field.pszLabel = name;
    i.field.pszHeading1 = name;
    i.field.pszSampleValue = sample;
    i.field.pszWeblet = weblet;
    return i;
}

inline Item MakeList(char kind, const char* name, uint32_t format)
{
    Item i{kind};
    std::snprintf(i.list.szName, sizeof i.list.szName, "%s", name);
    i.list.ulMapFor = 2;
    i.list.ulMode = 2;
    i.list.ulOutputFormat = format;
    return i;
}

class WebJob : public ::testing::Test {
protected:
    dqos_test::TempRepository repo = dqos_test::TempRepository::copyOf(dqos_test::sampleRepository());
    fs::path root;
    FFC_SYSTEM_DEFINITION sys{};
    FFC_LANGUAGE_ENTRY language{};
    FFC_CONTEXT ctx{};
    FFC_OPTION_WORDS options{};
    Script script;

    void SetUp() override
    {
        root = fs::path(repo.dir()) / "root";
        testsupport::copySampleRoot(root);
        ASSERT_EQ(0u, DosSetEnvironmentRoot(root.c_str()));
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
        SMISC_SetSession("DEM", "ENG");
        DosSetClockHook(fixedClock);
        DosSetGuidSeed(1, 42);
        FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
        std::snprintf(language.szLanguage, sizeof language.szLanguage, "ENG");
        language.ulFlags = 1;
        sys.usLanguageCount = 1;
        sys.pLanguages = &language;
        P31O2_FillRunContext(&ctx, &sys);
        std::memcpy(ctx.acObjectName, "DC@F23    ", 10);
        ASSERT_EQ(0, RS_sCreateMessageStore(&ctx));
        P3142_LoadWebApplicationList(&ctx);
        P31O2_SetCurrentRunContext(&ctx);
        options.ulWebMode = 3;
        P31O2_SetCurrentOptionWords(&options);
        g_script = &script;
        script.wam = WamInfo{};
        std::snprintf(script.wam.szName, sizeof script.wam.szName, "OrderWAM");
        script.wam.ulInline = 1;
    }
    void TearDown() override
    {
        P31O2_SetCurrentRunContext(nullptr);
        P31O2_SetCurrentOptionWords(nullptr);
        P3142_ReleaseWebApplicationList(&ctx);
        P31O2_FreeRunContext(&ctx);
        DosSetClockHook(nullptr);
        DosSetGuidSeed(0, 0);
        SSQL_Disconnect();
        DosSetEnvironmentRoot(nullptr);
        g_script = nullptr;
    }

    // Runs the driver on the script; counts receive (warnings, fatal errors).
    int32_t generate(uint32_t counts[2])
    {
        return P3142_fGenerateXMLAndXSLTDocs(reinterpret_cast<void*>(1), nullptr, counts, ScriptedEnumerator);
    }

    // The run's messages: severity, a blank and the text.
    std::vector<std::string> messages()
    {
        std::vector<std::string> out;
        RS_ListMessageGroups(
            &ctx,
            [](const FFC_MESSAGE_GROUP* g, void* user) {
                for (uint32_t i = 0; i < g->ulCount; ++i) {
                    const FFC_CHECK_MESSAGE& m = *g->apMessages[i];
                    static_cast<std::vector<std::string>*>(user)->push_back(
                        std::string(1, m.cSeverity) + " " + std::string(m.acText, strnlen(m.acText, sizeof m.acText)));
                }
            },
            &out);
        return out;
    }

    // A count of repository rows (the job's work committed first).
    int count(const std::string& sql)
    {
        SSQL_Commit();
        return dqos_test::countFromOutside(repo.path(), sql.c_str());
    }

    // The stored text of a web routine's document (TSP "" for runtime data).
    std::string stored(const std::string& routine, const std::string& tsp, const std::string& app)
    {
        SSQL_Commit();
        sqlite3* db = nullptr;
        sqlite3_open_v2(repo.path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT XWTTXT FROM QV_OWT JOIN QV_OWX ON XWTDOC = XWXDOC WHERE XWXWRN = ? AND XWXTSP = ? "
                           "AND XWXAPP = ? ORDER BY XWTSEQ",
                           -1, &st, nullptr);
        sqlite3_bind_text(st, 1, routine.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, tsp.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, app.c_str(), -1, SQLITE_TRANSIENT);
        std::string text;
        while (sqlite3_step(st) == SQLITE_ROW)
            text += reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        sqlite3_close(db);
        return text;
    }
};

inline bool Has(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& l : lines)
        if (l == text)
            return true;
    return false;
}

}  // namespace web_test

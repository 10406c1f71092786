// Test fixture of the generator core: a copy of the sample environment
// (root and repository) in a temporary directory, a run context and check
// state for the sample function DEMOMIN of process DEMOPRC in partition DEM,
// a throwing exit hook, a command lookup and an in-memory command list.
#ifndef DQOV_TESTS_GENERATOR_CORE_GEN_FIXTURE_H
#define DQOV_TESTS_GENERATOR_CORE_GEN_FIXTURE_H

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "checker/checker.h"
#include "checker/command_tables.h"
#include "checker/support_names.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/definitions.h"
#include "generator/core/output/command_lookup.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/points/p3109.h"
#include "generator/core/points/run_steps.h"
#include "generator/core/points/skeleton_engine.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/tools_job.h"
#include "support/files.h"
#include "support/scratch.h"
#include "web/pages/page_generators.h"

namespace gencore_test {

struct Exited {
    unsigned long action;
};

inline void throwingHook(unsigned long action, unsigned long)
{
    throw Exited{action};
}

using testsupport::readFile;
using testsupport::writeFile;

/* A file stream of the generator whose text can be read back. */
class Capture {
public:
    Capture() : file_(std::tmpfile()), stream_(P3109_AddFileStream(file_)) {}
    ~Capture() { P3109_CloseStream(stream_); }
    GEN_STREAM stream() const { return stream_; }
    std::string text() const
    {
        P3109_pStreamFile(stream_); /* hands the lines gathered so far to the file */
        std::fflush(file_);
        long end = std::ftell(file_);
        std::string s(static_cast<size_t>(end), '\0');
        std::rewind(file_);
        size_t n = std::fread(s.data(), 1, s.size(), file_);
        s.resize(n);
        std::fseek(file_, 0, SEEK_END);
        return s;
    }

private:
    FILE* file_;
    GEN_STREAM stream_;
};

/* What a writer writes to the current stream, from indent 0, with the
** blank and the line end of each line written as "\n". */
template <typename F> std::string writtenBy(F f)
{
    Capture capture;
    GEN_OUTPUT_STATE& o = P3109_State().out;
    const GEN_STREAM saved = o.current;
    o.current = capture.stream();
    o.usIndent = 0;
    o.sDepth = 0;
    f();
    o.current = saved;
    std::string text = capture.text();
    for (size_t at; (at = text.find(" \r\n")) != std::string::npos;)
        text.replace(at, 3, "\n");
    return text;
}

/* An in-memory checked command list. */
struct TestCommand {
    std::string name;
    std::vector<std::string> source;
    int32_t lineNumber;
};

inline std::vector<TestCommand>& testCommands()
{
    static std::vector<TestCommand> c;
    return c;
}

inline int32_t findCommand(FFC_CONTEXT*, uint16_t number, uint16_t sequence, GEN_COMMAND_RECORD* r)
{
    if (sequence != 0 || number == 0 || number > testCommands().size())
        return 1;
    const TestCommand& c = testCommands()[number - 1];
    *r = GEN_COMMAND_RECORD{};
    r->usNumber = number;
    r->usSequence = 0;
    r->lLineNumber = c.lineNumber;
    std::string name = c.name;
    name.resize(10, ' ');
    std::memcpy(r->acName, name.data(), 10);
    return 0;
}

/* A command's source lines joined by a blank, as the checked source gives
** a command's text. */
inline void sourceText(FFC_CONTEXT*, uint16_t number, uint16_t, std::string* text)
{
    text->clear();
    if (number < 1 || number > testCommands().size())
        return;
    for (const std::string& line : testCommands()[number - 1].source) {
        if (!text->empty())
            *text += ' ';
        *text += line;
    }
}

inline const GEN_COMMAND_SOURCE kTestSource{findCommand, sourceText};

/* The command lookup with the names of the language's commands, sorted;
** the last entry has ten NUL bytes as its name. */
inline FFC_COMMAND_LOOKUP* makeLookup()
{
    static const char* kNames[] = {
        "GROUP_BY",   "SELECT",    "ENDSELECT",  "IF",         "ELSE",     "ENDIF",    "GOTO",      "DOWHILE",
        "ENDWHILE",   "DOUNTIL",   "ENDUNTIL",   "FETCH",      "INSERT",   "SET_MODE", "IF_MODE",   "CHANGE",
        "DELETE",     "UPDATE",    "CHECK_FOR",  "RENAME",     "DEFINE",   "MESSAGE",  "ABORT",     "EXIT",
        "MENU",       "TRANSFER",  "BEGINCHECK", "ENDCHECK",   "ON_ERROR", "CALL",     "DISPLAY",   "REQUEST",
        "DEF_LIST",   "ADD_ENTRY", "CLR_LIST",   "SELECTLIST", "CASE",     "WHEN",     "OTHERWISE", "ENDCASE",
        "BEGIN_LOOP", "END_LOOP",  "SUBROUTINE", "ENDROUTINE", "EXECUTE",  "RETURN",   "FUNCTION",  "SELECT_SQL",
        "CONTINUE",   "LEAVE",     "INCLUDE",    "USE",        "DEF_COND", "POINT",    "OPEN",      "CLOSE"};
    static FFC_COMMAND_LOOKUP lookup;
    std::memset(&lookup, 0, sizeof lookup);
    std::vector<std::string> names(std::begin(kNames), std::end(kNames));
    for (std::string& n : names)
        n.resize(10, ' ');
    while (names.size() < FFC_COMMAND_LOOKUP_ENTRIES - 1)
        names.push_back("ZZZZZZZ" + std::to_string(100 + names.size()));
    std::sort(names.begin(), names.end());
    size_t i = 0;
    lookup.aEntries[i++].ulNumber = FFC_COMMAND_LOOKUP_ENTRIES; /* the NUL name sorts first */
    for (const std::string& n : names) {
        std::memcpy(lookup.aEntries[i].acName, n.data(), 10);
        lookup.aEntries[i].ulNumber = static_cast<uint32_t>(i);
        ++i;
    }
    return &lookup;
}

class GenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousHook_ = DosSetExitHook(throwingHook);
        forgetCheckerContext();
        sample_.emplace("gencore-test");
        dir_ = sample_->dir();
        std::filesystem::create_directories(dir_ / "root" / "X_VELMO" / "X_DEM" / "SOURCE");
        ASSERT_EQ(DosSetEnvironmentRoot((dir_ / "root").c_str()), 0u);
        ASSERT_EQ(SSQL_sConnect((dir_ / "repository.db").c_str()), SSQL_RC_OK) << SSQL_pszLastError();
        setenv("DQOV_FIXED_TIME", "20261206143005", 1);
        DosSetGuidSeed(1, 42);
        FFC_Set_Run_Mode(0);

        std::memset(&ctx, 0, sizeof ctx);
        std::memcpy(ctx.acPartition, "DEM", 3);
        std::memcpy(ctx.acLanguage, "ENG ", 4);
        ctx.cNatChar1 = '#';
        ctx.cNatChar2 = '@';
        ctx.cNatChar3 = '$';
        std::memcpy(ctx.acObjectName, "DC@F23    ", 10);
        std::memcpy(ctx.acProcess, "DEMOPRC   ", 10);
        std::memcpy(ctx.acFunction, "DEMOMIN", 7);
        std::memset(ctx.acComponent, ' ', 10);
        ctx.lFunctionRun = 1;
        ctx.lPassCount = 1;
        ctx.lCurrentPass = 1;
        ctx.cCSharp = ctx.cCSharpSecond = 'N';
        ctx.pCommandLookup = makeLookup();
        ASSERT_EQ(WF_sCreate(&ctx), 0);

        std::memset(&state, 0, sizeof state);
        std::memcpy(state.acProcess, "DEMOPRC   ", 10);
        std::memcpy(state.acFunction, "DEMOMIN", 7);
        std::memset(state.acCommand, ' ', 10);
        std::memset(state.acMsgQueue, ' ', 10);
        state.lPass = 2;

        std::memset(&process, ' ', sizeof process);
        process.cProcessClass = 'L';
        std::memset(&function, ' ', sizeof function);
        options.assign(999, 'N');

        testCommands().clear();
        P3109_SetCommandSource(&kTestSource);
        P3109_ForgetProcessDefinitions();
    }

    void TearDown() override
    {
        P3109_CloseAllStreams();
        P3109_SetCommandSource(nullptr);
        P3109_State().args = GEN_RUN_ARGUMENTS{};
        P3109_ResetSkeletonConditions();
        P3109_State().out = GEN_OUTPUT_STATE{};
        P31O2_FreeRunContext(&ctx);
        forgetCheckerContext();
        SSQL_Disconnect();
        DosSetEnvironmentRoot(nullptr);
        DosSetGuidSeed(0, 0);
        unsetenv("DQOV_FIXED_TIME");
        DosSetExitHook(previousHook_);
        sample_.reset();
    }

    // The checker's hold on a job's context outlives its run (the generator
    // issues its messages through it): a test starts and ends without one,
    // so its messages never land in an earlier job's context.
    static void forgetCheckerContext()
    {
        checker::G().ctx = nullptr;
        checker::G().state = nullptr;
    }

    void setUp()
    {
        P3109_GenerateCode(&ctx, &state, &process, &function, 0, ' ', options.data(), ' ', ' ', "   ", "DEMOQUEUE ", 1,
                           "", nullptr, 0, 0, 0);
    }

    /* The output driver, then the commit that ends the job's unit of work
       (the run driver's, which the generator leaves to it). */
    void generate()
    {
        P3109_GenerateAndWriteFiles(&ctx, &state, &process, &function, 0, ' ', options.data(), ' ', ' ', "   ",
                                    "DEMOQUEUE ", 1, "", nullptr, 0, 0, 0);
        SSQL_Commit();
    }

    std::filesystem::path sourceDir() const { return dir_ / "root" / "X_VELMO" / "X_DEM" / "SOURCE"; }

    /* Runs f and returns the text of the fatal end it must reach. */
    template <typename F> std::string expectFatal(F f)
    {
        testing::internal::CaptureStderr();
        try {
            f();
            ADD_FAILURE() << "no fatal end";
        } catch (const Exited& e) {
            EXPECT_EQ(e.action, 1u);
        }
        return testing::internal::GetCapturedStderr();
    }

    /* Runs SQL on the test repository directly. */
    void exec(const std::string& sql)
    {
        /* the services connection holds its transaction: step aside */
        SSQL_Disconnect();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((dir_ / "repository.db").c_str(), &db), SQLITE_OK);
        char* err = nullptr;
        int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
        EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
        sqlite3_close(db);
        ASSERT_EQ(SSQL_sConnect((dir_ / "repository.db").c_str()), SSQL_RC_OK) << SSQL_pszLastError();
    }

    std::string queryText(const std::string& sql)
    {
        SSQL_Disconnect();
        sqlite3* db = nullptr;
        sqlite3_open((dir_ / "repository.db").c_str(), &db);
        sqlite3_stmt* st = nullptr;
        std::string out = "<none>";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            out = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        sqlite3_close(db);
        SSQL_sConnect((dir_ / "repository.db").c_str());
        return out;
    }

    void writeRecord(const char* kind, const std::string& name, const std::string& qualifier,
                     const std::map<size_t, std::string>& data)
    {
        FFC_WORK_RECORD r;
        WF_BlankRecord(&ctx, &r);
        std::memcpy(r.acKind, kind, std::strlen(kind));
        std::memcpy(r.acName, name.data(), std::min<size_t>(name.size(), 50));
        std::memcpy(r.acQualifier, qualifier.data(), std::min<size_t>(qualifier.size(), 10));
        for (const auto& [offset, text] : data)
            std::memcpy(r.acData + offset, text.data(), text.size());
        ASSERT_GT(WF_lWrite(&ctx, &r), 0);
    }

    /* The messages issued so far: id, severity and text, one per entry. */
    std::vector<std::string> issuedMessages()
    {
        std::vector<std::string> issued;
        RS_ListMessageGroups(
            &ctx,
            [](const FFC_MESSAGE_GROUP* group, void* user) {
                for (uint32_t i = 0; i < group->ulCount; ++i) {
                    const FFC_CHECK_MESSAGE* m = group->apMessages[i];
                    std::string text(m->acText, sizeof m->acText);
                    text.erase(text.find_last_not_of(' ') + 1);
                    static_cast<std::vector<std::string>*>(user)->push_back(std::string(m->acMsgId, 7) + " " +
                                                                            m->cSeverity + " " + text);
                }
            },
            &issued);
        return issued;
    }

    /* A field the function defines itself, with its attribute codes. */
    void defineField(const std::string& name, char type, int32_t length, int32_t decimals,
                     const std::string& input = "", const std::string& output = "")
    {
        FFC_FIELD_DEFINITION def;
        std::memset(&def, ' ', sizeof def);
        std::memcpy(def.acName, name.data(), std::min<size_t>(name.size(), 10));
        def.cType = type;
        def.lLength = length;
        def.lDecimals = decimals;
        def.input.usLength = static_cast<uint16_t>(std::min<size_t>(input.size(), 40));
        std::memcpy(def.input.acCodes, input.data(), def.input.usLength);
        def.output.usLength = static_cast<uint16_t>(std::min<size_t>(output.size(), 40));
        std::memcpy(def.output.acCodes, output.data(), def.output.usLength);
        ASSERT_EQ(Put_Function_Field(&ctx, 'F', &def, nullptr), 0);
    }

    /* A "USEFIELD" record of the checker: class, field name, generation
    ** flag and further data bytes by offset. */
    void useField(const std::string& key, const char* cls, const std::string& field, char generate = 'Y',
                  std::map<size_t, std::string> more = {})
    {
        more[0] = cls;
        more[2] = field;
        more[22] = std::string(1, generate);
        writeRecord("USEFIELD", key, "", more);
    }

    std::optional<testsupport::SampleCopy> sample_;
    std::filesystem::path dir_;
    FFC_CONTEXT ctx;
    FFC_CHECK_STATE state;
    FFC_PROCESS_DEFINITION process;
    FFC_FUNCTION_DEFINITION function;
    std::string options;
    DQOZ_EXIT_HOOK previousHook_ = nullptr;
};

/* A whole job through the run driver in tools mode: the checker's step and
** the generator's set-up and output driver. */
class JobFixture : public GenFixture {
protected:
    FFC_SYSTEM_DEFINITION sys{};
    int32_t errors = 0, warnings = 0;

    void SetUp() override
    {
        GenFixture::SetUp();
        FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
        sys.pCommandNames = P3100_pParserCommandTable();
        FFC_RUN_SEAMS seams{};
        seams.pfnChecker = P3100_lRunCheckerStep;
        P3109_FillRunSeams(&seams);
        seams.pfnHtmlPages = P3137_lHtmlPagesStep;
        seams.pfnXmlPages = P3140_lXmlPagesStep;
        // what the checker built for the generator goes with its pass
        seams.pfnPassRelease = [](FFC_CONTEXT* c, FFC_CHECK_STATE*, void*) -> int32_t {
            P31O2_FreeGeneratedNames(c);
            return 0;
        };
        P31O2_SetRunSeams(&seams);
    }
    void TearDown() override
    {
        P31O2_SetRunSeams(nullptr);
        P3100_SetBuildHandle(nullptr);
        FFC_Set_Run_Mode(0);
        GenFixture::TearDown();
    }
    std::string run(const char* function, char option, int32_t& result, const char* process = "DEMOPRC")
    {
        return RunToolsJob(sys, process, function, option, errors, warnings, result);
    }
    /* Adds function NAME of a sample process, one command a line (an
    ** optional "LBL: " label, the command name, its parameters). */
    void addFunction(const std::string& process, const std::string& name, const std::vector<std::string>& lines)
    {
        const auto quoted = [](std::string text) {
            for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2))
                text.insert(at, 1, '\'');
            return "'" + text + "'";
        };
        std::string sql = "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES ('DEM', '" +
                          process + "', '" + name +
                          "', '', 'N', 'Y');INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, "
                          "SRCPRM) VALUES ";
        for (size_t i = 0; i < lines.size(); ++i) {
            std::string l = lines[i], label;
            if (const size_t colon = l.find(": "); colon != std::string::npos && colon <= 3) {
                label = l.substr(0, colon);
                l = l.substr(colon + 2);
            }
            const size_t blank = l.find(' ');
            sql += (i ? ", " : "") + std::string("('DEM', '") + process + "', '" + name + "', " +
                   std::to_string(i + 1) + ", " + quoted(label) + ", " + quoted(l.substr(0, blank)) + ", " +
                   quoted(blank == std::string::npos ? "" : l.substr(blank + 1)) + ")";
        }
        exec(sql + ";");
    }

    /* The functions of the sample repository, process and name (those
       that QUERY selects, two columns, when it is given). */
    std::vector<std::pair<std::string, std::string>>
    sampleFunctions(const char* query = "SELECT X23MOD, X23FMT FROM QV_F23 ORDER BY X23MOD, X23FMT")
    {
        SSQL_Disconnect();
        sqlite3* db = nullptr;
        sqlite3_open((dir_ / "repository.db").c_str(), &db);
        sqlite3_stmt* st = nullptr;
        std::vector<std::pair<std::string, std::string>> functions;
        sqlite3_prepare_v2(db, query, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            functions.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)),
                                   reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        sqlite3_finalize(st);
        sqlite3_close(db);
        SSQL_sConnect((dir_ / "repository.db").c_str());
        return functions;
    }
};

}  // namespace gencore_test

#endif

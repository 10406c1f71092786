// Every location on the road of every kind of job fails without a trace.
// (The kinds include generations with a design session, compound
// components with and without C#, and a WAM job whose working folder cannot
// be made, whose road is the one up to where it stops.)
//
// The road of a job is every location tag that the services saw in its
// clean run (the services log them when DQOV_SQL_LOCATION_LOG is set); the
// tags are enumerated from the runs, not listed by hand. Each tag is then
// failed in turn (DQOV_SQL_FAIL_AT), on a fresh copy of the sample
// environment and on one where the jobs of the kind ran once already, and
// the job must end with status 2, the repository as it was (its SQL dump
// compared) and every file as it was (a hash of every file below the root,
// the previous generation's files included).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "job_tool.h"

namespace {

using jobtool::Count;
using jobtool::FileTree;
using jobtool::Ran;
using jobtool::Scratch;

// One job: the tool's arguments after the environment's.
using Job = std::vector<std::string>;

// The tag and the first job whose clean run passes it.
using Road = std::map<std::string, Job>;

std::string jobText(const Job& job)
{
    std::string text;
    for (const std::string& a : job)
        text += (text.empty() ? "" : " ") + a;
    return text;
}

// Runs every job once on the copy, as a user generating the objects would:
// the state a re-generation starts from.
void generateOnce(const Scratch& base, const std::vector<Job>& jobs)
{
    for (const Job& job : jobs) {
        const Ran r = base.runJob(job);
        EXPECT_LE(r.status, 1) << jobText(job) << "\n" << r.out;
    }
}

// The road of the jobs from the copy's state; the jobs of a kind that
// cannot run where it stands (cleanStatus 2) have the road up to where they
// stop.
Road roadOf(const Scratch& base, const std::vector<Job>& jobs, int cleanStatus = 0)
{
    Road road;
    for (const Job& job : jobs) {
        Scratch env;
        env.takeStateOf(base);
        const std::string log = env.root() + "/../locations";
        const Ran r = env.runJob(job, {"DQOV_SQL_LOCATION_LOG=" + log});
        // the closing line states the job's real result, once
        EXPECT_EQ(Count(r.out, "Job ended with result " + std::to_string(r.status) + ": "), 1u)
            << jobText(job) << "\n" << r.out;
        if (r.status != cleanStatus)
            continue;
        for (const std::string& tag : testsupport::readLines(log)) {
            EXPECT_FALSE(tag.empty()) << jobText(job) << ": a statement ran without a location";
            // a job that cannot run leaves through the fatal path, whose own
            // statements undo it: failing one of them is failing twice
            if (cleanStatus != 0 && tag.rfind("FFC_Fatal_Error/", 0) == 0)
                continue;
            road.emplace(tag, job);
        }
    }
    return road;
}

// Fails each tag of the road in turn on a copy of the base, two jobs at a
// time.
void failEveryLocation(const Scratch& base, const Road& road)
{
    const std::vector<std::pair<std::string, Job>> work(road.begin(), road.end());
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < work.size(); i = next++) {
            const auto& [tag, job] = work[i];
            Scratch env;
            env.takeStateOf(base);
            const std::string before = env.dump();
            const FileTree filesBefore = env.files();
            const Ran r = env.runJob(job, {"DQOV_SQL_FAIL_AT=" + tag});
            const std::string what = tag + " in " + jobText(job);
            jobtool::ExpectNothingLeft(env, r, before, filesBefore, what);
            // the fatal text names the location and the reason, each once,
            // and the closing line says the job could not run
            EXPECT_EQ(Count(r.out, tag), 1u) << what << "\n" << r.out;
            EXPECT_EQ(Count(r.out, "Failure injected by the test switch"), 1u) << what << "\n" << r.out;
            EXPECT_EQ(Count(r.out, "Job ended with result 2: "), 1u) << what << "\n" << r.out;
        }
    };
    std::vector<std::thread> pool;
    for (int i = 0; i < 2; ++i)
        pool.emplace_back(worker);
    for (std::thread& t : pool)
        t.join();
}

// What a kind of job finds before it runs (nothing for most).
using Setting = void (*)(const Scratch&);

// The whole test of a kind of job from one state.
void failTheRoad(const std::vector<Job>& jobs, bool generated, Setting setting = nullptr, int cleanStatus = 0)
{
    Scratch base;
    if (generated)
        generateOnce(base, jobs);
    if (setting)
        setting(base);
    const Road road = roadOf(base, jobs, cleanStatus);
    ASSERT_FALSE(road.empty());
    failEveryLocation(base, road);
}

std::vector<Job> everyFunction()
{
    std::vector<Job> jobs;
    for (const auto& [process, function] : Scratch().functions())
        jobs.push_back({"--generate", process, function});
    return jobs;
}

// (The generation of every function from each of the two states is a test
// of its own: each takes minutes, and they run side by side.)
TEST(Jobs, EveryLocationOnTheRoadOfAGenerationFailsWithoutATrace)
{
    const std::vector<Job> jobs = everyFunction();
    Scratch base;
    const Road road = roadOf(base, jobs);
    ASSERT_TRUE(road.count("DC_P31O2/COMMIT")) << "the road ends in the job's commit";
    failEveryLocation(base, road);
}

TEST(Jobs, EveryLocationOnTheRoadOfARegenerationFailsWithoutATrace)
{
    failTheRoad(everyFunction(), true);
}

std::string script(const char* name)
{
    return std::string(DQOV_SOURCE_DIR) + "/samples/painter/" + name;
}

// The web generation's working folder cannot be made: a file has the name
// of a folder on its way.
void unwritableWorkFolder(const Scratch& env)
{
    const std::string temp = env.root() + "/X_VELMO/TEMP";
    std::filesystem::remove_all(temp);
    std::filesystem::create_directories(temp);
    std::ofstream(temp + "/web") << "not a folder\n";
}

// The other kinds of job a user runs.
struct Kind {
    const char* name;
    std::vector<Job> jobs;
    Setting setting = nullptr;
    int cleanStatus = 0;  // 2: the job cannot run where it stands
};

std::vector<Kind> otherKinds()
{
    return {
        {"CheckOnly", {{"DEMOPRC", "CUSTUPD"}, {"DEMOIO", "IOFETCH"}, {"--component", "DEMOCOMP"}}},
        {"CSharp", {{"--generate", "--csharp", "DEMOPRC", "CUSTUPD"}, {"--generate", "--csharp", "DEMOPRC", "CUSTLST"}}},
        {"ComponentDemocomp", {{"--generate", "--component", "DEMOCOMP"}}},
        {"ComponentDemorec", {{"--generate", "--component", "DEMOREC"}}},
        {"WamWithWebAll", {{"--generate", "--web", "all", "--trace", "2", "--component", "DEMOWEB"}}},
        {"WebPageFunction", {{"--generate", "--html", "--xml", "DEMOWEB", "ORDWEB"}}},
        {"ScreenDesign", {{"--design-screens", script("screen-session.txt"), "DEMODSN", "DSNPOP"}}},
        {"ReportDesign", {{"--design-reports", script("report-session.txt"), "DEMODSN", "DSNRPT"}}},
        {"Compound",
         {{"--generate", "--csharp", "--component", "DEMOSHOP"}, {"--generate", "--csharp", "--component", "DEMOSUITE"}}},
        {"CompoundC", {{"--generate", "--component", "DEMOSHOP"}, {"--generate", "--component", "DEMOSUITE"}}},
        {"GenerationWithScreenDesign",
         {{"--generate", "--design-screens", script("screen-session.txt"), "DEMODSN", "DSNPOP"},
          {"--generate", "--design-screens", script("list-screen.txt"), "DEMODSN", "DSNLST"}}},
        {"GenerationWithReportDesign",
         {{"--generate", "--design-reports", script("report-session.txt"), "DEMODSN", "DSNRPT"}}},
        {"WamWithUnwritableWorkFolder",
         {{"--generate", "--web", "all", "--component", "DEMOWEB"}},
         unwritableWorkFolder,
         2},
    };
}

class EveryKindOfJob : public ::testing::TestWithParam<std::tuple<size_t, bool>> {};

TEST_P(EveryKindOfJob, FailsWithoutATraceAtEveryLocationOfItsRoad)
{
    const Kind kind = otherKinds().at(std::get<0>(GetParam()));
    failTheRoad(kind.jobs, std::get<1>(GetParam()), kind.setting, kind.cleanStatus);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKindOfJob, ::testing::Combine(::testing::Range<size_t>(0, otherKinds().size()), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<size_t, bool>>& info) {
                             return std::string(otherKinds().at(std::get<0>(info.param)).name) +
                                    (std::get<1>(info.param) ? "GeneratedBefore" : "Fresh");
                         });

}  // namespace

// Jobs killed (SIGKILL) at chosen steps of their work: the next job that
// starts finds what they left - files written aside, working folders, the
// journal of their file work - and settles it: a job killed before its
// repository commit leaves the files as they were, one killed after it has
// its renames completed, so that its files are whole.
#include <gtest/gtest.h>

#include <signal.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "job_tool.h"

namespace {

using jobtool::FileTree;
using jobtool::Ran;
using jobtool::Scratch;

using Job = std::vector<std::string>;

// What only a running job keeps below the root: files aside, the journal of
// its file work, its web working folder.
std::vector<std::string> leftovers(const FileTree& tree)
{
    std::vector<std::string> found;
    for (const auto& [name, hash] : tree)
        if (name.find(".dqov-new-") != std::string::npos || name.find(".dqov-job-") != std::string::npos ||
            name.find("TEMP/web/J") != std::string::npos)
            found.push_back(name);
    return found;
}

// The files written aside, by the file each is the new text of.
std::map<std::string, std::string> newTexts(const FileTree& tree)
{
    std::map<std::string, std::string> texts;
    for (const auto& [name, hash] : tree)
        if (const size_t at = name.find(".dqov-new-"); at != std::string::npos)
            texts[name.substr(0, at)] = hash;
    return texts;
}

std::set<std::string> names(const FileTree& tree)
{
    std::set<std::string> all;
    for (const auto& [name, hash] : tree)
        all.insert(name);
    return all;
}

// A job on an object that does not exist: it starts (and so settles what
// dead jobs left) and ends at once, undone.
const Job kNextJob = {"--generate", "DEMOPRC", "NOSUCH"};

struct KillPoint {
    const char* setting;
    bool committed;  // the repository has committed the job's work by then
};

TEST(KilledJobs, TheNextJobSettlesAJobKilledAtEachStepOfItsCommit)
{
    const std::vector<KillPoint> points = {
        {"DQOV_KILL_AT_FILE=2", false},           {"DQOV_KILL_AT=before-commit", false},
        {"DQOV_KILL_AT=after-commit", true},      {"DQOV_KILL_AT=commit-renames", true},
        {"DQOV_KILL_AT=commit-journal", true},
    };
    const Job job = {"--generate", "DEMOPRC", "CUSTUPD"};
    for (bool generatedBefore : {false, true}) {
        // the files a whole generation leaves
        Scratch reference;
        if (generatedBefore) {
            ASSERT_EQ(reference.runJob(job).status, 0);
        }
        ASSERT_EQ(reference.runJob(job).status, 0);
        const std::set<std::string> whole = names(reference.files());
        for (const KillPoint& point : points) {
            const std::string what = std::string(point.setting) + (generatedBefore ? ", generated before" : ", fresh");
            Scratch env;
            if (generatedBefore) {
                ASSERT_EQ(env.runJob(job).status, 0) << what;
            }
            const std::string before = env.dump();
            const FileTree filesBefore = env.files();
            const Ran killed = env.runJob(job, {point.setting});
            ASSERT_EQ(killed.signal, SIGKILL) << what << "\n" << killed.out;
            const std::map<std::string, std::string> written = newTexts(env.files());
            EXPECT_FALSE(leftovers(env.files()).empty()) << what << ": the killed job left nothing to settle";

            const Ran next = env.runJob(kNextJob);
            EXPECT_EQ(next.status, 2) << what << "\n" << next.out;
            const FileTree after = env.files();
            EXPECT_EQ(leftovers(after), std::vector<std::string>{}) << what;
            if (!point.committed) {
                EXPECT_TRUE(env.dump() == before) << what << ": the repository changed";
                EXPECT_TRUE(after == filesBefore) << what << ":" << jobtool::TreeDifference(filesBefore, after);
                continue;
            }
            EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMOPRC' AND OSTFMT = 'CUSTUPD'"),
                      "7")
                << what;
            // every new text the job wrote is in its file's place
            EXPECT_EQ(names(after), whole) << what;
            for (const auto& [file, hash] : written) {
                auto it = after.find(file);
                EXPECT_TRUE(it != after.end() && it->second == hash) << what << ": " << file << " is not the new text";
            }
        }
    }
}

TEST(KilledJobs, AWamJobKilledInItsWorkingFolderLeavesNoFolderBehind)
{
    Scratch env;
    const Job wam = {"--generate", "--web", "all", "--component", "DEMOWEB"};
    const std::string before = env.dump();
    const FileTree filesBefore = env.files();
    const Ran killed = env.runJob(wam, {"DQOV_KILL_AT=wam-working-file"});
    ASSERT_EQ(killed.signal, SIGKILL) << killed.out;
    EXPECT_FALSE(leftovers(env.files()).empty()) << "the killed job left its working folder";
    const Ran next = env.runJob(kNextJob);
    EXPECT_EQ(next.status, 2) << next.out;
    const FileTree after = env.files();
    EXPECT_EQ(leftovers(after), std::vector<std::string>{});
    EXPECT_TRUE(env.dump() == before) << "the repository changed";
    EXPECT_TRUE(after == filesBefore) << jobtool::TreeDifference(filesBefore, after);
    // and the WAM job runs whole after it
    EXPECT_EQ(env.runJob(wam).status, 0);
    EXPECT_EQ(leftovers(env.files()), std::vector<std::string>{});
}

}  // namespace

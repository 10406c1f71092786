// Event-log notices appended as lines below the environment root.
#include "platform/dqoel/dqoel.h"
#include "platform/dqoz/temp_root.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Dqoel, StartAndEndNoticesAreAppendedWithTimeStamps)
{
    TempRoot root;
    root.mkdirs("x_velmo");  // existing directory in another case is used
    setenv("DQOV_FIXED_TIME", "20260102030405", 1);
    EXPECT_EQ(EL_SendNotificationEx("NOTIFY 7", EL_NOTICE_START, "DEM/DEMOPRC/DEMOFN", "check and generate"), 0);
    EXPECT_EQ(EL_SendNotificationEx("NOTIFY 7", EL_NOTICE_END, "DEM/DEMOPRC/DEMOFN", "ended\r\nnormally"), 0);
    EXPECT_EQ(EL_SendNotificationEx("h", EL_NOTICE_END, nullptr, nullptr), 0);
    unsetenv("DQOV_FIXED_TIME");
    EXPECT_EQ(testsupport::readFile(root.path() / "x_velmo" / "X_EVENTS.LOG"),
              "2026-01-02 03:04:05 START NOTIFY_7 DEM/DEMOPRC/DEMOFN check and generate\n"
              "2026-01-02 03:04:05 END NOTIFY_7 DEM/DEMOPRC/DEMOFN ended  normally\n"
              "2026-01-02 03:04:05 END h -\n");
}

TEST(Dqoel, BadArgumentsAndNoRootFailQuietly)
{
    EXPECT_EQ(EL_SendNotificationEx("", EL_NOTICE_START, "x", "y"), -1);
    EXPECT_EQ(EL_SendNotificationEx(nullptr, EL_NOTICE_START, "x", "y"), -1);
    EXPECT_EQ(EL_SendNotificationEx("h", 3, "x", "y"), -1);
    unsetenv("DQOV_ENV_ROOT");
    EXPECT_EQ(EL_SendNotificationEx("h", EL_NOTICE_START, "x", "y"), -2);
}

TEST(Dqoel, LinesOfConcurrentJobsDoNotMix)
{
    TempRoot root;
    std::vector<std::thread> jobs;
    for (int t = 0; t < 4; ++t)
        jobs.emplace_back([t] {
            std::string text(200, static_cast<char>('a' + t));
            for (int i = 0; i < 50; ++i)
                EL_SendNotificationEx("job", EL_NOTICE_START, "obj", text.c_str());
        });
    for (auto& j : jobs)
        j.join();
    std::istringstream in(testsupport::readFile(root.path() / "X_VELMO" / "X_EVENTS.LOG"));
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        ++count;
        ASSERT_GE(line.size(), 200u);
        std::string tail = line.substr(line.size() - 200);
        EXPECT_EQ(tail, std::string(200, tail[0])) << line;
    }
    EXPECT_EQ(count, 200);
}

}  // namespace

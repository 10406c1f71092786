// Message queues emptied and replayed before any message made their list,
// and after one did.
#include <gtest/gtest.h>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"

namespace {

struct MessageQueues : ::testing::Test {
    FFC_CONTEXT ctx{};
    FFC_CONTEXT other{};
    void TearDown() override
    {
        P31O2_FreeRunContext(&ctx);
        P31O2_FreeRunContext(&other);
    }
    // The entries the queue's list holds; -1 when it has no list.
    static long held(FFC_CONTEXT* c, const char* queue)
    {
        uint32_t count = 0;
        return qvrms3(c, queue, &count) == 0 ? static_cast<long>(count) : -1;
    }
};

TEST_F(MessageQueues, EmptyingAQueueWithoutAListMakesNone)
{
    EXPECT_EQ(P9006_sEmptyMessageQueue(&ctx, "QUEUE1    "), -1);
    EXPECT_EQ(P9006_sEmptyMessageQueue(&ctx, "QUEUE1    "), -1) << "asked again";
    EXPECT_EQ(held(&ctx, "QUEUE1"), -1);
    EXPECT_EQ(P9006_ulReplayQueuedMessages(&ctx, nullptr, "QUEUE1"), 0u);
}

// A queue emptied while it had no list takes a message queued afterwards:
// the replay moves it and the emptying then finds the list.
TEST_F(MessageQueues, AMessageQueuedAfterAnEmptyingIsKept)
{
    ASSERT_EQ(P9006_sEmptyMessageQueue(&ctx, "QUEUE1    "), -1);
    ASSERT_EQ(P9006_sQueueMessage(&ctx, "QUEUE1    ", "PRC1017", 0, nullptr), 0);
    EXPECT_EQ(held(&ctx, "QUEUE1"), 1);
    EXPECT_EQ(P9006_ulReplayQueuedMessages(&ctx, nullptr, "QUEUE1    "), 1u);
    EXPECT_EQ(held(&ctx, "QUEUE1"), 0) << "the replay clears the queue";

    ASSERT_EQ(P9006_sQueueMessage(&ctx, "QUEUE1", "PRC1017", 0, nullptr), 0);
    EXPECT_EQ(P9006_sEmptyMessageQueue(&ctx, "QUEUE1"), 0) << "trailing blanks or none: one queue";
    EXPECT_EQ(held(&ctx, "QUEUE1"), 0);
    EXPECT_EQ(P9006_ulReplayQueuedMessages(&ctx, nullptr, "QUEUE1"), 0u);
}

// A queue missing in one context, or under one name, says nothing of
// another context or another name.
TEST_F(MessageQueues, AMissingQueueIsOneContextsOneName)
{
    ASSERT_EQ(P9006_sQueueMessage(&other, "QUEUE1", "PRC1017", 0, nullptr), 0);
    ASSERT_EQ(P9006_sQueueMessage(&ctx, "QUEUE12", "PRC1017", 0, nullptr), 0);
    EXPECT_EQ(P9006_sEmptyMessageQueue(&ctx, "QUEUE1"), -1);
    EXPECT_EQ(P9006_ulReplayQueuedMessages(&other, nullptr, "QUEUE1"), 1u);
    EXPECT_EQ(P9006_ulReplayQueuedMessages(&ctx, nullptr, "QUEUE12"), 1u);
    EXPECT_EQ(P9006_sEmptyMessageQueue(&ctx, "QUEUE1"), -1);
    EXPECT_EQ(P9006_sEmptyMessageQueue(&ctx, "QUEUE12"), 0);
}

}  // namespace

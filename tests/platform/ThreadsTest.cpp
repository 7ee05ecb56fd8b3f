// Threads wait until resumed, carry their names and priority, and are joined.
#include "OS.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <atomic>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Probe {
    std::atomic<bool> ran{false};
    std::atomic<thread_id> seenId{0};
    std::atomic<int> niceness{-100};
    char name[16] = {};
};

int32 RecordAndReturnSeven(void* data)
{
    auto* probe = static_cast<Probe*>(data);
    probe->seenId = find_thread(nullptr);
    pthread_getname_np(pthread_self(), probe->name, sizeof(probe->name));
    probe->niceness = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    probe->ran = true;
    return 7;
}

TEST(Threads, ThreadRunsOnlyAfterResumeAndIsJoinedByWait)
{
    Probe probe;
    const thread_id id = spawn_thread(RecordAndReturnSeven, "lcalc1", B_LOW_PRIORITY, &probe);
    ASSERT_GT(id, 0);
    snooze(20000);
    EXPECT_FALSE(probe.ran);
    EXPECT_EQ(resume_thread(id), B_OK);
    status_t result = 0;
    EXPECT_EQ(wait_for_thread(id, &result), B_OK);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(probe.seenId.load(), id);
    EXPECT_STREQ(probe.name, "lcalc1");
    EXPECT_EQ(probe.niceness.load(), 10); // low priority: nice 10
    EXPECT_EQ(wait_for_thread(id, &result), B_BAD_THREAD_ID); // already joined
    EXPECT_EQ(resume_thread(id), B_BAD_THREAD_ID);
}

TEST(Threads, EveryThreadIsGoneOnceWaitedForResumedOrNot)
{
    // The first thread may bring the runtime's helpers along: count after it.
    Probe warmUp;
    ASSERT_EQ(wait_for_thread(spawn_thread(RecordAndReturnSeven, "warm-up", B_LOW_PRIORITY, &warmUp), nullptr), B_OK);
    const int32 before = platform_test::LiveThreadCount();
    Probe probes[8];
    thread_id ids[8];
    for (int i = 0; i < 8; ++i) {
        ids[i] = spawn_thread(RecordAndReturnSeven, "worker", B_LOW_PRIORITY, &probes[i]);
        ASSERT_GT(ids[i], 0);
        if (i % 2 == 0)
            resume_thread(ids[i]);
    }
    for (thread_id id : ids)
        EXPECT_EQ(wait_for_thread(id, nullptr), B_OK);
    for (const Probe& probe : probes)
        EXPECT_TRUE(probe.ran); // waiting for a thread never resumed starts it
    // A joined thread's last exit steps may still be under way in the kernel.
    for (int wait = 0; wait < 100 && platform_test::LiveThreadCount() != before; ++wait)
        snooze(10000);
    EXPECT_EQ(platform_test::LiveThreadCount(), before);
}

TEST(Threads, ARefusedThreadGetsANegativeIdAndTheNextOneWorks)
{
    platform_test::FailNextSpawns(1);
    Probe probe;
    EXPECT_LT(spawn_thread(RecordAndReturnSeven, "refused", B_LOW_PRIORITY, &probe), 0);
    const thread_id id = spawn_thread(RecordAndReturnSeven, "works", B_LOW_PRIORITY, &probe);
    ASSERT_GT(id, 0);
    EXPECT_EQ(wait_for_thread(id, nullptr), B_OK);
    EXPECT_TRUE(probe.ran);
}

} // namespace

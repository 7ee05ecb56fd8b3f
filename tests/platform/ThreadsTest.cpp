// Threads start only when resumed, carry their names and are joined.
#include "OS.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
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

bool SomeThreadIsNamed(const std::string& name)
{
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string line;
        if (std::getline(comm, line) && line == name)
            return true;
    }
    return false;
}

TEST(Threads, ThreadRunsOnlyAfterResumeAndIsJoinedByWait)
{
    Probe probe;
    const thread_id id = spawn_thread(RecordAndReturnSeven, "lcalc1", B_LOW_PRIORITY, &probe);
    ASSERT_GT(id, 0);
    EXPECT_TRUE(SomeThreadIsNamed("lcalc1")); // named before it runs
    snooze(20000);
    EXPECT_FALSE(probe.ran);

    EXPECT_EQ(resume_thread(id), B_OK);
    status_t result = 0;
    EXPECT_EQ(wait_for_thread(id, &result), B_OK);
    EXPECT_TRUE(probe.ran);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(probe.seenId.load(), id);
    EXPECT_STREQ(probe.name, "lcalc1");
    EXPECT_EQ(probe.niceness.load(), 10); // low priority: nice 10
    EXPECT_EQ(wait_for_thread(id, &result), B_BAD_THREAD_ID); // already joined
}

TEST(Threads, SpawnedThreadsLeaveNothingBehindOnceWaitedFor)
{
    // The first thread a process makes may bring helpers of the runtime with
    // it (the thread sanitizer's own); count from after it.
    Probe warmUp;
    ASSERT_EQ(wait_for_thread(spawn_thread(RecordAndReturnSeven, "warm-up", B_LOW_PRIORITY, &warmUp), nullptr), B_OK);
    const int32 before = platform_test::LiveThreadCount();
    Probe probes[8];
    thread_id ids[8];
    for (int i = 0; i < 8; ++i) {
        ids[i] = spawn_thread(RecordAndReturnSeven, "worker", B_LOW_PRIORITY, &probes[i]);
        ASSERT_GT(ids[i], 0);
        EXPECT_EQ(resume_thread(ids[i]), B_OK);
    }
    for (thread_id id : ids)
        EXPECT_EQ(wait_for_thread(id, nullptr), B_OK);
    // A joined thread's last exit steps may still be under way in the kernel.
    for (int wait = 0; wait < 100 && platform_test::LiveThreadCount() != before; ++wait)
        snooze(10000);
    EXPECT_EQ(platform_test::LiveThreadCount(), before);
}

TEST(Threads, WaitingForAThreadNeverResumedStartsIt)
{
    Probe probe;
    const thread_id id = spawn_thread(RecordAndReturnSeven, "idle", B_NORMAL_PRIORITY, &probe);
    EXPECT_EQ(wait_for_thread(id, nullptr), B_OK);
    EXPECT_TRUE(probe.ran);
}

TEST(Threads, FailedSpawnsReturnNegativeIds)
{
    platform_test::FailNextSpawns(2);
    Probe probe;
    EXPECT_LT(spawn_thread(RecordAndReturnSeven, "fail", B_LOW_PRIORITY, &probe), 0);
    EXPECT_LT(spawn_thread(RecordAndReturnSeven, "fail", B_LOW_PRIORITY, &probe), 0);
    const thread_id id = spawn_thread(RecordAndReturnSeven, "works", B_LOW_PRIORITY, &probe);
    ASSERT_GT(id, 0);
    EXPECT_EQ(resume_thread(id), B_OK);
    EXPECT_EQ(wait_for_thread(id, nullptr), B_OK);
    EXPECT_EQ(resume_thread(-3), B_BAD_THREAD_ID);
}

TEST(Threads, CallerHasAStableIdAndItsPriorityCanBeAskedFor)
{
    const thread_id self = find_thread(nullptr);
    EXPECT_GT(self, 0);
    EXPECT_EQ(find_thread(nullptr), self);
    // Raising may be refused without privileges; the call still succeeds.
    EXPECT_GE(set_thread_priority(self, B_DISPLAY_PRIORITY), 0);
    EXPECT_EQ(set_thread_priority(9999, B_LOW_PRIORITY), B_BAD_THREAD_ID);
}

TEST(Threads, SystemReportsTheProcessorsThisProcessMayUse)
{
    system_info info{};
    ASSERT_EQ(get_system_info(&info), B_OK);
    EXPECT_GE(info.cpu_count, 1);
    cpu_set_t set;
    ASSERT_EQ(sched_getaffinity(0, sizeof(set), &set), 0);
    EXPECT_LE(info.cpu_count, CPU_COUNT(&set));
}

} // namespace

// The layer's thread ids and what it knows of each thread (private, no Qt).
#pragma once

#include "OS.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <string>
#include <sys/types.h>

namespace platform_detail {

struct ThreadRecord {
    thread_id id = 0;
    std::string name;
    thread_func entry = nullptr;
    void* data = nullptr;
    bool spawned = false; // made by spawn_thread, so it can be joined
    std::atomic<bool> joinClaimed{false};

    // The fields below are guarded by `mutex`.
    std::mutex mutex;
    pthread_t handle{};
    std::condition_variable resumed;
    bool resumeRequested = false;
    pid_t kernelId = 0;   // 0 until the thread has started
    int32 priority = B_NORMAL_PRIORITY;
    status_t exitValue = B_OK;
};

// Gives the record its id and makes it findable. Ids are small positive
// numbers handed out once each; the registry is safe to use from any thread.
// Fields outside the mutex must be filled in before this.
thread_id AddThreadRecord(const std::shared_ptr<ThreadRecord>& record);
std::shared_ptr<ThreadRecord> FindThreadRecord(thread_id id);
void ForgetThreadRecord(thread_id id);
// The record of the calling thread, made on first use for threads that the
// layer did not spawn (the main thread).
std::shared_ptr<ThreadRecord> CurrentThreadRecord();
void SetCurrentThreadRecord(const std::shared_ptr<ThreadRecord>& record);

} // namespace platform_detail

#include "OS.h"

#include "Seams.h"
#include "ThreadRegistry.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sched.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace platform_detail;

namespace {

// Thread names are at most 15 bytes on Linux.
constexpr size_t kMaxThreadName = 15;

int CreatePosixThread(pthread_t* handle, void* (*entry)(void*), void* argument)
{
    return pthread_create(handle, nullptr, entry, argument);
}

// Replaced only before any thread is spawned, but read on whichever thread
// spawns.
std::atomic<platform_seam::ThreadCreator> gCreateThread{CreatePosixThread};

// Priorities become nice values: 10 (normal) is nice 0, and each step of
// priority is two steps of niceness, so 5 (low) is nice 10 and 15 (display)
// nice -10.
int NiceFor(int32 priority)
{
    return std::clamp((B_NORMAL_PRIORITY - priority) * 2, -20, 19);
}

// Best effort: raising a priority needs a privilege the process may lack,
// and a refusal is ignored. Called with the record's mutex held, so the
// priority last asked for is the one that stays.
void ApplyPriority(const ThreadRecord& record)
{
    if (record.kernelId > 0)
        (void)setpriority(PRIO_PROCESS, static_cast<id_t>(record.kernelId), NiceFor(record.priority));
}

void* ThreadMain(void* argument)
{
    auto* handOver = static_cast<std::shared_ptr<ThreadRecord>*>(argument);
    std::shared_ptr<ThreadRecord> record = std::move(*handOver);
    delete handOver;
    SetCurrentThreadRecord(record);
    {
        std::unique_lock lock(record->mutex);
        record->kernelId = gettid();
        ApplyPriority(*record);
        record->resumed.wait(lock, [&] { return record->resumeRequested; });
    }
    const status_t result = record->entry(record->data);
    {
        std::lock_guard guard(record->mutex);
        record->exitValue = result;
    }
    SetCurrentThreadRecord(nullptr);
    return nullptr;
}

std::shared_ptr<ThreadRecord> FindSpawned(thread_id id)
{
    auto record = FindThreadRecord(id);
    return record && record->spawned ? record : nullptr;
}

} // namespace

platform_seam::ThreadCreator platform_seam::SetThreadCreator(ThreadCreator creator)
{
    return gCreateThread.exchange(creator);
}

thread_id find_thread(const char* name)
{
    if (name != nullptr)
        return B_ERROR; // only the caller's own id is ever asked for
    return CurrentThreadRecord()->id;
}

status_t set_thread_priority(thread_id thread, int32 priority)
{
    auto record = FindThreadRecord(thread);
    if (!record)
        return B_BAD_THREAD_ID;
    std::lock_guard guard(record->mutex);
    const int32 previous = record->priority;
    record->priority = priority;
    ApplyPriority(*record);
    return previous;
}

thread_id spawn_thread(thread_func entry, const char* name, int32 priority, void* data)
{
    auto record = std::make_shared<ThreadRecord>();
    record->name = std::string(name != nullptr ? name : "").substr(0, kMaxThreadName);
    record->entry = entry;
    record->data = data;
    record->priority = priority;
    record->spawned = true;
    const thread_id id = AddThreadRecord(record);
    auto* handOver = new std::shared_ptr<ThreadRecord>(record);
    std::lock_guard guard(record->mutex);
    if (gCreateThread.load()(&record->handle, ThreadMain, handOver) != 0) {
        delete handOver;
        ForgetThreadRecord(id);
        return B_NO_MORE_THREADS;
    }
    // Named before spawn_thread returns, so debuggers and top -H see it at
    // once.
    (void)pthread_setname_np(record->handle, record->name.c_str());
    return id;
}

status_t resume_thread(thread_id thread)
{
    auto record = FindSpawned(thread);
    if (!record)
        return B_BAD_THREAD_ID;
    {
        std::lock_guard guard(record->mutex);
        record->resumeRequested = true;
    }
    record->resumed.notify_one();
    return B_OK;
}

// A thread still waiting for resume_thread is started first, so that waiting
// for it cannot hang.
status_t wait_for_thread(thread_id thread, status_t* exitValue)
{
    auto record = FindSpawned(thread);
    if (!record || record.get() == CurrentThreadRecord().get() || record->joinClaimed.exchange(true))
        return B_BAD_THREAD_ID;
    ForgetThreadRecord(thread);
    pthread_t handle;
    {
        std::lock_guard guard(record->mutex);
        record->resumeRequested = true;
        handle = record->handle;
    }
    record->resumed.notify_one();
    pthread_join(handle, nullptr);
    if (exitValue != nullptr) {
        std::lock_guard guard(record->mutex);
        *exitValue = record->exitValue;
    }
    return B_OK;
}

// The library sleeps again after a signal, for the time that is left.
status_t snooze(bigtime_t microseconds)
{
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
    return B_OK;
}

status_t get_system_info(system_info* info)
{
    if (info == nullptr)
        return B_ERROR;
    // The processors this process may run on (the affinity mask that
    // taskset and container runtimes narrow).
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    info->cpu_count = sched_getaffinity(0, sizeof allowed, &allowed) == 0 ? std::max(1, CPU_COUNT(&allowed)) : 1;
    return B_OK;
}

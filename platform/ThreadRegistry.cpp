#include "ThreadRegistry.h"

#include <map>
#include <unistd.h>

namespace platform_detail {
namespace {

std::mutex gRegistryMutex;
std::map<thread_id, std::shared_ptr<ThreadRecord>> gThreads;
thread_id gNextId = 1;

thread_local std::shared_ptr<ThreadRecord> tCurrent;

} // namespace

thread_id AddThreadRecord(const std::shared_ptr<ThreadRecord>& record)
{
    std::lock_guard guard(gRegistryMutex);
    record->id = gNextId++;
    gThreads[record->id] = record;
    return record->id;
}

std::shared_ptr<ThreadRecord> FindThreadRecord(thread_id id)
{
    std::lock_guard guard(gRegistryMutex);
    auto found = gThreads.find(id);
    return found == gThreads.end() ? nullptr : found->second;
}

void ForgetThreadRecord(thread_id id)
{
    std::lock_guard guard(gRegistryMutex);
    gThreads.erase(id);
}

std::shared_ptr<ThreadRecord> CurrentThreadRecord()
{
    if (!tCurrent) {
        auto record = std::make_shared<ThreadRecord>();
        record->kernelId = gettid();
        record->handle = pthread_self();
        AddThreadRecord(record);
        tCurrent = record;
    }
    return tCurrent;
}

void SetCurrentThreadRecord(const std::shared_ptr<ThreadRecord>& record)
{
    tCurrent = record;
}

} // namespace platform_detail

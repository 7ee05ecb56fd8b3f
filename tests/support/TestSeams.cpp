#include "TestSeams.h"

#include "View.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <iterator>

namespace platform_test {
namespace {

std::atomic<int32> gFailingSpawns{0};
std::atomic<int64> gSpawnAttempts{0};

int CreateOrRefuse(pthread_t* handle, void* (*entry)(void*), void* argument)
{
    ++gSpawnAttempts;
    for (int32 failing = gFailingSpawns.load(); failing > 0;)
        if (gFailingSpawns.compare_exchange_weak(failing, failing - 1))
            return EAGAIN;
    return pthread_create(handle, nullptr, entry, argument);
}

BPoint Offset(BPoint p, BPoint by, float sign) { return BPoint(p.x + sign * by.x, p.y + sign * by.y); }

} // namespace

void ScriptedUser::Script(BView* view, const std::vector<MouseStep>& steps)
{
    fAhead.clear();
    for (const MouseStep& step : steps)
        fAhead.push_back({Offset(step.where, ViewOrigin(*view), 1.0f), step.buttons});
    fAhead.push_back({fAhead.back().where, 0});
    fNow = fAhead.front();
    fAhead.pop_front();
    PostPress(view, steps.front().where, steps.front().buttons);
}

void ScriptedUser::Pointer(const BView& view, BPoint* where, uint32* buttons)
{
    if (!fAhead.empty()) {
        fNow = fAhead.front();
        fAhead.pop_front();
    }
    *where = Offset(fNow.where, ViewOrigin(view), -1.0f);
    *buttons = fNow.buttons;
}

ScriptedUser& User()
{
    static ScriptedUser user;
    return user;
}

void InstallTestSeams()
{
    platform_seam::SetUserInput(&User());
    platform_seam::SetThreadCreator(CreateOrRefuse);
}

void FailNextSpawns(int32 count) { gFailingSpawns = count; }
int64 SpawnAttempts() { return gSpawnAttempts.load(); }

int32 LiveThreadCount()
{
    return static_cast<int32>(std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
}

} // namespace platform_test

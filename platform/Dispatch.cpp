#include "Dispatch.h"

#include "Window.h"
#include "WindowImpl.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <utility>
#include <vector>

namespace platform_detail {
namespace {

// Touched only on the GUI thread.
int gHookDepth = 0;
std::vector<std::function<void()>> gDeferred;
bool gDeferredFlushQueued = false;

void RunDeferred()
{
    gDeferredFlushQueued = false;
    std::vector<std::function<void()>> actions;
    actions.swap(gDeferred);
    for (auto& action : actions)
        DispatchOrDefer(std::move(action));
}

void QueueDeferredRun()
{
    if (gHookDepth > 0 || gDeferred.empty() || gDeferredFlushQueued)
        return;
    gDeferredFlushQueued = true;
    PostToGui(RunDeferred);
}

} // namespace

bool InHook()
{
    return gHookDepth > 0;
}

HookScope::HookScope()
{
    ++gHookDepth;
}

HookScope::~HookScope()
{
    --gHookDepth;
    QueueDeferredRun();
}

HookCall::HookCall(BLooper* looper) : fLooper(looper)
{
    fLooper->Lock();
}

HookCall::~HookCall()
{
    if (auto* window = dynamic_cast<BWindow*>(fLooper))
        FlushWindowViews(window);
    fLooper->Unlock();
}

void DispatchOrDefer(std::function<void()> action)
{
    if (gHookDepth > 0) {
        gDeferred.push_back(std::move(action));
        return;
    }
    action();
}

void PostToGui(std::function<void()> action)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(action), Qt::QueuedConnection);
}

} // namespace platform_detail

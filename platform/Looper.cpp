#include "Looper.h"

#include "Application.h"
#include "AppQuit.h"
#include "Dispatch.h"
#include "LooperImpl.h"
#include "Window.h"

#include <unordered_map>

using namespace platform_detail;

namespace {

struct LiveLooper {
    BLooper* looper;
    BLooper::Impl* impl;
};

// Loopers are made, deleted and looked up only on the GUI thread.
std::unordered_map<std::uint64_t, LiveLooper> gLoopers;
std::uint64_t gNextSerial = 1;

void DeliverMessage(BLooper* looper, uint32 code)
{
    if (code != B_QUIT_REQUESTED) {
        BMessage message(code);
        RunHook(looper, [&] { looper->MessageReceived(&message); });
        return;
    }
    if (auto* window = dynamic_cast<BWindow*>(looper)) {
        QuitWindow(window);
        return;
    }
    if (auto* application = dynamic_cast<BApplication*>(looper))
        QuitApplication(application);
}

// Each queued delivery hands over the oldest waiting message, so messages
// reach the looper in posting order even when some deliveries had to wait
// for a hook to return.
void DeliverNext(std::uint64_t serial)
{
    auto found = gLoopers.find(serial);
    if (found == gLoopers.end())
        return;
    if (InHook()) {
        DispatchOrDefer([serial] { DeliverNext(serial); });
        return;
    }
    if (auto code = found->second.impl->PopMessage())
        DeliverMessage(found->second.looper, *code);
}

} // namespace

std::optional<uint32> BLooper::Impl::PopMessage()
{
    std::lock_guard guard(queueMutex);
    if (queue.empty())
        return std::nullopt;
    uint32 code = queue.front();
    queue.pop_front();
    return code;
}

BLooper::BLooper() : fLooperImpl(std::make_unique<Impl>())
{
    fLooperImpl->serial = gNextSerial++;
    gLoopers[fLooperImpl->serial] = LiveLooper{this, fLooperImpl.get()};
}

BLooper::~BLooper()
{
    gLoopers.erase(fLooperImpl->serial);
}

status_t BLooper::PostMessage(uint32 command)
{
    {
        std::lock_guard guard(fLooperImpl->queueMutex);
        fLooperImpl->queue.push_back(command);
    }
    const std::uint64_t serial = fLooperImpl->serial;
    PostToGui([serial] { DeliverNext(serial); });
    return B_OK;
}

bool BLooper::Lock()
{
    fLooperImpl->lock.lock();
    return true;
}

void BLooper::Unlock()
{
    fLooperImpl->lock.unlock();
}

void BLooper::MessageReceived(BMessage*)
{
}

bool BLooper::QuitRequested()
{
    return true;
}

BLooper::Impl& BLooper::LooperImpl() const
{
    return *fLooperImpl;
}

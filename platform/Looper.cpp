#include "Looper.h"

#include "Application.h"
#include "AppQuit.h"
#include "Dispatch.h"
#include "LooperImpl.h"
#include "Window.h"

#include <unordered_map>
#include <utility>

using namespace platform_detail;

namespace {

struct LiveLooper {
    BLooper* looper;
    BLooper::Impl* impl;
};

// Loopers are made, deleted and looked up only on the GUI thread.
std::unordered_map<std::uint64_t, LiveLooper> gLoopers;
std::uint64_t gNextSerial = 1;

void DeliverMessage(BLooper* looper, BMessage& message)
{
    if (message.what != B_QUIT_REQUESTED) {
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
    if (auto message = found->second.impl->PopMessage())
        DeliverMessage(found->second.looper, *message);
}

} // namespace

std::optional<BMessage> BLooper::Impl::PopMessage()
{
    std::lock_guard guard(queueMutex);
    if (queue.empty())
        return std::nullopt;
    BMessage message = std::move(queue.front());
    queue.pop_front();
    return message;
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
    BMessage message(command);
    return PostMessage(&message);
}

status_t BLooper::PostMessage(BMessage* message)
{
    {
        std::lock_guard guard(fLooperImpl->queueMutex);
        fLooperImpl->queue.push_back(*message);
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

// The private side of BLooper: its lock and its message queue.
#pragma once

#include "Looper.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

struct BLooper::Impl {
    // Never reused, so a delivery queued for a looper that has gone since
    // cannot reach a new looper at the same address.
    std::uint64_t serial = 0;
    std::recursive_mutex lock;

    std::mutex queueMutex;
    std::deque<BMessage> queue;

    std::optional<BMessage> PopMessage();
};

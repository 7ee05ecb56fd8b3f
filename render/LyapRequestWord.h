// The calculator's request word: one lock-free 32-bit atomic that the view's
// thread writes while a pass reads it. Unlike std::atomic it can be copied:
// a copy loads the value and an assignment stores it, so TLyapCalc stays a
// record the compiler copies member by member, request word included.
#pragma once

#include <atomic>
#include <cstdint>

class LyapRequestWord {
public:
    LyapRequestWord(std::int32_t value = 0) : fValue(value) {}
    LyapRequestWord(const LyapRequestWord& other) : fValue(other.load()) {}
    LyapRequestWord& operator=(const LyapRequestWord& other)
    {
        store(other.load());
        return *this;
    }
    LyapRequestWord& operator=(std::int32_t value)
    {
        store(value);
        return *this;
    }

    std::int32_t load(std::memory_order order = std::memory_order_seq_cst) const
    {
        return fValue.load(order);
    }
    void store(std::int32_t value,
               std::memory_order order = std::memory_order_seq_cst)
    {
        fValue.store(value, order);
    }
    std::int32_t exchange(std::int32_t value)
    {
        return fValue.exchange(value);
    }
    // Stores desired only where the word holds expected; false otherwise.
    bool compare_exchange_strong(std::int32_t& expected, std::int32_t desired)
    {
        return fValue.compare_exchange_strong(expected, desired);
    }

private:
    std::atomic<std::int32_t> fValue;
};

static_assert(sizeof(LyapRequestWord) == 4, "the request word is one 32-bit value");
static_assert(std::atomic<std::int32_t>::is_always_lock_free);

// Takes typed values from a fuzzer's input; once the input runs out every
// value is zero, so any input decodes to some sequence of operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : fData(data), fSize(size) {}

    bool Empty() const { return fUsed >= fSize; }

    template <typename T>
    T Take()
    {
        T value{};
        const std::size_t count = fSize - fUsed < sizeof(T) ? fSize - fUsed : sizeof(T);
        if (count > 0)
            std::memcpy(&value, fData + fUsed, count);
        fUsed += count;
        return value;
    }

    // A whole number in lo..hi.
    std::int32_t TakeInRange(std::int32_t lo, std::int32_t hi)
    {
        const auto raw = Take<std::uint32_t>();
        const auto span = static_cast<std::uint32_t>(static_cast<std::int64_t>(hi) - lo + 1);
        return static_cast<std::int32_t>(lo + static_cast<std::int64_t>(raw % span));
    }

private:
    const std::uint8_t* fData;
    std::size_t fSize;
    std::size_t fUsed = 0;
};

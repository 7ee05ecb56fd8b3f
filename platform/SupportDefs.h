// Basic types and status codes of the kit layer.
#pragma once

#include <cstdint>

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using status_t = int32;
using bigtime_t = int64;
using thread_id = int32;

constexpr status_t B_OK = 0;
constexpr status_t B_ERROR = -1;
constexpr status_t B_BAD_THREAD_ID = -2;
constexpr status_t B_NO_MORE_THREADS = -3;

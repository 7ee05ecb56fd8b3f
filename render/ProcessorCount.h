// How many processors this process may really use: the ones it may run on,
// and no more than its cgroup's CPU quota grants. Read from /proc and
// /sys/fs/cgroup with plain file streams; 1 when nothing can be read.
#pragma once

#include <cstdint>

std::int32_t AvailableProcessors();

// How many processors this process may really use: the ones it may run on
// (its affinity mask), and no more than its cgroup's CPU quota grants (read
// from /proc and /sys/fs/cgroup); 1 when nothing can be read.
#pragma once

#include <cstdint>

std::int32_t AvailableProcessors();

// The whole processors the cgroup quotas from this process's cgroup up to
// the root grant, rounded up; INT32_MAX when none is set or none can be read.
std::int32_t CgroupProcessorQuota();

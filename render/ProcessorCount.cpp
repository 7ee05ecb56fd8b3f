#include "ProcessorCount.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sched.h>
#include <string>

namespace {

// The processors this process may run on: the affinity mask, which
// taskset and container runtimes narrow.
int AffinityCount()
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return INT_MAX;
    const int count = CPU_COUNT(&allowed);
    return count > 0 ? count : INT_MAX;
}

// The cgroup v2 path of this process ("0::/path" in /proc/self/cgroup).
std::string CgroupPath()
{
    std::ifstream file("/proc/self/cgroup");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("0::", 0) == 0)
            return line.substr(3);
    }
    return {};
}

// Whole processors granted by one cpu.max ("quota period" or "max period"),
// rounded up; INT_MAX without a quota.
int QuotaCount(const std::string& cpuMaxPath)
{
    std::ifstream file(cpuMaxPath);
    std::string quota;
    long long period = 0;
    if (!(file >> quota >> period) || quota == "max" || period <= 0)
        return INT_MAX;
    const long long granted = std::strtoll(quota.c_str(), nullptr, 10);
    if (granted <= 0)
        return INT_MAX;
    return static_cast<int>(std::max(1LL, (granted + period - 1) / period));
}

} // namespace

// A quota anywhere from the process's cgroup up to the root limits it.
std::int32_t CgroupProcessorQuota()
{
    std::string path = CgroupPath();
    if (path.empty())
        return INT_MAX;
    int count = INT_MAX;
    while (true) {
        count = std::min(count, QuotaCount("/sys/fs/cgroup" + path + "/cpu.max"));
        if (path == "/" || path.empty())
            break;
        const std::size_t slash = path.find_last_of('/');
        path = slash == 0 ? "/" : path.substr(0, slash);
    }
    return count;
}

std::int32_t AvailableProcessors()
{
    const int count = std::min(AffinityCount(), CgroupProcessorQuota());
    return count == INT_MAX ? 1 : std::max(1, count);
}

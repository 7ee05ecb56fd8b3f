#include "ProcessorCount.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The processors of "Cpus_allowed_list:" in /proc/self/status ("0-3,6"):
// the affinity mask, which taskset and container runtimes narrow.
int AffinityCount()
{
    std::ifstream file("/proc/self/status");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("Cpus_allowed_list:", 0) != 0)
            continue;
        std::istringstream ranges(line.substr(line.find(':') + 1));
        int count = 0;
        for (std::string range; std::getline(ranges, range, ',');) {
            int first = 0;
            int last = 0;
            char dash = 0;
            std::istringstream parts(range);
            if (!(parts >> first))
                continue;
            last = (parts >> dash >> last) && dash == '-' ? last : first;
            count += std::max(0, last - first + 1);
        }
        return count > 0 ? count : INT_MAX;
    }
    return INT_MAX;
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

// A quota anywhere from the process's cgroup up to the root limits it.
int CgroupQuotaCount()
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

} // namespace

std::int32_t AvailableProcessors()
{
    const int count = std::min(AffinityCount(), CgroupQuotaCount());
    return count == INT_MAX ? 1 : std::max(1, count);
}

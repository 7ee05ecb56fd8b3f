#include "RunJobs.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

void RunJobs(std::int32_t count, const RenderControl& control, const Job& job)
{
    std::atomic<std::int32_t> next{0};
    const auto work = [&next, count, &job](std::int32_t worker) {
        for (std::int32_t i = next.fetch_add(1); i < count; i = next.fetch_add(1))
            job(i, worker);
    };
    std::vector<std::thread> helpers;
    const std::int32_t wanted = std::min(count, std::max(control.threads, 1)) - 1;
    for (std::int32_t t = 0; t < wanted && control.startThread; ++t) {
        const auto worker = static_cast<std::int32_t>(helpers.size()) + 1;
        if (auto thread = control.startThread([&work, worker] { work(worker); }))
            helpers.push_back(std::move(*thread));
    }
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
}

#include "LyapKernel.h"

#include <atomic>

namespace {
std::atomic<LyapKernel> gLyapKernel{LyapKernel::Fast};
std::atomic<LyapGroupHook> gLyapGroupHook{nullptr};
}  // namespace

void SetLyapKernel(LyapKernel kernel)
{
    gLyapKernel.store(kernel);
}

LyapKernel GetLyapKernel()
{
    return gLyapKernel.load();
}

void SetLyapGroupHook(LyapGroupHook hook)
{
    gLyapGroupHook.store(hook);
}

LyapGroupHook GetLyapGroupHook()
{
    return gLyapGroupHook.load(std::memory_order_relaxed);
}

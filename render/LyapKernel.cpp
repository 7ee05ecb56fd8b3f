#include "LyapKernel.h"

#include <atomic>

namespace {
std::atomic<LyapKernel> gLyapKernel{LyapKernel::Fast};
}  // namespace

void SetLyapKernel(LyapKernel kernel)
{
    gLyapKernel.store(kernel);
}

LyapKernel GetLyapKernel()
{
    return gLyapKernel.load();
}

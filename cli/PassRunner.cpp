#include "PassRunner.h"

#include <algorithm>
#include <chrono>
#include <semaphore>
#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::array<std::uint8_t, 256> MakeIdentityMap()
{
    std::array<std::uint8_t, 256> map{};
    for (std::size_t v = 0; v < map.size(); ++v)
        map[v] = static_cast<std::uint8_t>(v);
    return map;
}

} // namespace

const std::array<std::uint8_t, 256>& IdentityPaletteMap()
{
    static const std::array<std::uint8_t, 256> map = MakeIdentityMap();
    return map;
}

PassRunner::PassRunner(std::int32_t threadCount, const RenderControl& control)
    : fThreadCount(std::max<std::int32_t>(threadCount, 1)), fControl(control),
      fCalcs(static_cast<std::size_t>(fThreadCount))
{
}

bool PassRunner::Run(std::int32_t passCount, const Pass& pass, double progressFrom,
                     double progressTo)
{
    StopIfInterrupted();
    if (fStopping.load())
        return false;
    const std::int32_t workerCount = std::min(fThreadCount, passCount);
    std::atomic<std::int32_t> nextPass{0};
    std::atomic<std::int32_t> passesDone{0};
    std::counting_semaphore<> finished(0);
    std::vector<std::thread> workers;
    for (std::int32_t w = 0; w < workerCount; ++w) {
        workers.emplace_back([&, w] {
            TLyapCalc& calc = fCalcs[static_cast<std::size_t>(w)];
            for (std::int32_t p = nextPass.fetch_add(1);
                 p < passCount && !fStopping.load(); p = nextPass.fetch_add(1)) {
                pass(calc, p);
                passesDone.fetch_add(1);
            }
            finished.release();
        });
    }
    for (std::int32_t finishedCount = 0; finishedCount < workerCount;) {
        if (finished.try_acquire_for(kPollInterval))
            ++finishedCount;
        StopIfInterrupted();
        if (fControl.progress && passCount > 0)
            fControl.progress(progressFrom + (progressTo - progressFrom) *
                                                 passesDone.load() / passCount);
    }
    for (std::thread& worker : workers)
        worker.join();
    return !fStopping.load();
}

void PassRunner::Calculate(TLyapCalc& calc, std::int32_t rowStep,
                           std::int32_t firstRow) const
{
    // Setting up calc copied a request word over whatever StopIfInterrupted
    // had written there. StopIfInterrupted raises fStopping before it writes
    // the stop request, so if fStopping still reads false here, that write
    // comes after the copy and the pass will find it.
    if (fStopping.load())
        return;
    calc.Calculate(IdentityPaletteMap().data(), rowStep, firstRow);
}

void PassRunner::StopIfInterrupted()
{
    if (fStopping.load() || fControl.interrupt == nullptr ||
        fControl.interrupt->load() == 0)
        return;
    fStopping.store(true);
    for (TLyapCalc& calc : fCalcs)
        calc.fState.store(TLyapCalc::kStopRequested);
}

#include "BandedRender.h"

#include "LyapPictureRows.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <semaphore>
#include <system_error>
#include <vector>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

// One band of sample rows (colour values or exponents) computed by the
// workers that could be started; the rows are handed out one at a time, so
// that slow rows even out.
template <typename Sample>
class BandJob {
public:
    BandJob(std::vector<LyapPictureRows>& workers, const ThreadStarter& start,
            std::int32_t firstRow, std::int32_t rowCount, std::int32_t rowWidth,
            Sample* values)
        : fWorkers(workers), fFirstRow(firstRow), fRowCount(rowCount), fRowWidth(rowWidth),
          fValues(values)
    {
        for (std::size_t w = 0; w < workers.size(); ++w) {
            if (auto thread = start([this, w] { Work(fWorkers[w]); }))
                fThreads.push_back(std::move(*thread));
        }
        // Not even one thread: the band is computed here, and an interrupt
        // is seen only once it is done.
        if (fThreads.empty())
            Work(workers.front());
    }

    // An abandoned band: its workers are stopped and joined.
    ~BandJob()
    {
        if (fThreads.empty())
            return;
        for (LyapPictureRows& worker : fWorkers)
            worker.Stop();
        Join();
    }

    // Waits for the band; false (the band abandoned) on an interrupt.
    bool Wait(const std::atomic<int>* interrupt)
    {
        for (std::size_t done = 0; done < fThreads.size();) {
            if (fDone.try_acquire_for(kPollInterval))
                ++done;
            else if (interrupt != nullptr && interrupt->load() != 0)
                return false;
        }
        Join();
        return true;
    }

private:
    void Join()
    {
        for (std::thread& thread : fThreads)
            thread.join();
        fThreads.clear();
    }

    void Work(LyapPictureRows& rows)
    {
        for (std::int32_t r = fNextRow.fetch_add(1); r < fRowCount; r = fNextRow.fetch_add(1)) {
            if (!rows.FillRows(fFirstRow + r, 1, fValues + static_cast<std::ptrdiff_t>(r) * fRowWidth))
                break;
        }
        fDone.release();
    }

    std::vector<LyapPictureRows>& fWorkers;  // each used by one thread only
    std::int32_t fFirstRow;
    std::int32_t fRowCount;
    std::int32_t fRowWidth;
    Sample* fValues;  // rows are disjoint, each written by one thread
    std::atomic<std::int32_t> fNextRow{0};
    std::counting_semaphore<> fDone{0};
    std::vector<std::thread> fThreads;
};

} // namespace

std::optional<std::thread> StartThread(std::function<void()> work)
{
    try {
        return std::thread(std::move(work));
    } catch (const std::system_error&) {
        return std::nullopt;
    }
}

namespace {

template <typename Sample>
RenderOutcome RenderBandsOf(const PictureDescription& picture, const SampleSink<Sample>& sink,
                            const RenderControl& control)
{
    const std::int32_t k = picture.supersample;
    const std::int32_t sampleWidth = picture.width * k;
    const std::int32_t bandRows = BandRows<Sample>(control, std::int64_t{sampleWidth} * k, picture.height);
    const std::size_t bandValues = static_cast<std::size_t>(sampleWidth) * bandRows * k;
    std::vector<LyapPictureRows> workers(
        static_cast<std::size_t>(std::max(control.threads, 1)),
        LyapPictureRows(TLyapCalc(picture.fractal), sampleWidth, picture.height * k));
    // Two bands: the workers fill one while the other is handed on.
    std::vector<Sample> bands[2] = {std::vector<Sample>(bandValues), std::vector<Sample>(bandValues)};
    const auto start = [&](std::int32_t firstRow) {
        const std::int32_t rows = std::min(bandRows, picture.height - firstRow);
        return std::make_unique<BandJob<Sample>>(workers, control.startThread, firstRow * k, rows * k,
                                         sampleWidth, bands[(firstRow / bandRows) % 2].data());
    };
    auto job = start(0);
    for (std::int32_t firstRow = 0; firstRow < picture.height; firstRow += bandRows) {
        if (!job->Wait(control.interrupt))
            return RenderOutcome::kInterrupted;
        const Sample* done = bands[(firstRow / bandRows) % 2].data();
        const std::int32_t rows = std::min(bandRows, picture.height - firstRow);
        job.reset();
        if (firstRow + bandRows < picture.height)
            job = start(firstRow + bandRows);
        if (const RenderOutcome outcome = HandOnBand(sink, done, firstRow, rows, picture.height, control);
            outcome != RenderOutcome::kDone)
            return outcome;
    }
    return RenderOutcome::kDone;
}

} // namespace

RenderOutcome RenderBands(const PictureDescription& picture, const RowSink& sink,
                          const RenderControl& control)
{
    return RenderBandsOf(picture, sink, control);
}

RenderOutcome RenderBands(const PictureDescription& picture, const ExponentSink& sink,
                          const RenderControl& control)
{
    return RenderBandsOf(picture, sink, control);
}

// The picture computed in bands of rows on worker threads while the calling
// thread hands each finished band on (to the file's encoder), so that
// memory stays the same whatever the image height.
#pragma once

#include "PictureDescription.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

// Starts a thread running work; nothing when the system refuses (a thread
// limit), in which case the render goes on with the threads it has.
using ThreadStarter = std::function<std::optional<std::thread>(std::function<void()> work)>;
std::optional<std::thread> StartThread(std::function<void()> work);

// Takes the colour values of the next count finished rows of the output
// (count x K sample rows when supersampled, as PictureWriter takes them),
// or their exponents. False when they cannot be stored (the render stops).
template <typename Sample>
using SampleSink = std::function<bool(const Sample* rows, std::int32_t count)>;
using RowSink = SampleSink<std::uint8_t>;
using ExponentSink = SampleSink<double>;

struct RenderControl {
    std::int32_t threads = 1;
    // Non-zero once the render should stop (set from a signal handler);
    // looked at between bands and while waiting for one.
    const std::atomic<int>* interrupt = nullptr;
    // Fraction done, 0..1, on the calling thread after every band.
    std::function<void(double)> progress;
    ThreadStarter startThread = StartThread;
    // Colour values per band: a few megabytes, whatever the image's size.
    // A band of exponents (8 bytes each) takes as many bytes.
    std::int64_t bandSamples = std::int64_t{1} << 22;
};

// The rows of a band of samples of type Sample, rowSamples of them a row:
// as many as control.bandSamples colour values take the room of, at least
// one and at most the picture's height.
template <typename Sample>
std::int32_t BandRows(const RenderControl& control, std::int64_t rowSamples, std::int32_t height)
{
    const std::int64_t bandSamples = control.bandSamples / static_cast<std::int64_t>(sizeof(Sample));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(bandSamples / rowSamples, 1, height));
}

// kSourceFailed: the exponents read from a file could not be (RecolourPictureFile).
enum class RenderOutcome { kDone, kInterrupted, kSinkFailed, kSourceFailed };

RenderOutcome RenderBands(const PictureDescription& picture, const RowSink& sink,
                          const RenderControl& control);
RenderOutcome RenderBands(const PictureDescription& picture, const ExponentSink& sink,
                          const RenderControl& control);

// Hands a finished band (rows from firstRow on, of height) to sink, then
// tells the progress: kDone to go on, else why to stop.
template <typename Sample>
RenderOutcome HandOnBand(const SampleSink<Sample>& sink, const Sample* band, std::int32_t firstRow,
                         std::int32_t rows, std::int32_t height, const RenderControl& control)
{
    if (!sink(band, rows))
        return RenderOutcome::kSinkFailed;
    if (control.progress)
        control.progress(static_cast<double>(firstRow + rows) / height);
    if (control.interrupt != nullptr && control.interrupt->load() != 0)
        return RenderOutcome::kInterrupted;
    return RenderOutcome::kDone;
}

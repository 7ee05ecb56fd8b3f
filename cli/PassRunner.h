// Shares numbered passes among worker threads, each with its own calculator,
// while the calling thread watches for an interrupt and reports progress.
#pragma once

#include "TLyapCalc.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

// What a render looks at while it runs.
struct RenderControl {
    // Non-zero once the render should stop (set from a signal handler).
    const std::atomic<int>* interrupt = nullptr;
    // Fraction done, 0..1; called on the thread that started the render.
    std::function<void(double)> progress;
};

// Palette map whose entry v is v, so that a calculator stores colour values.
const std::array<std::uint8_t, 256>& IdentityPaletteMap();

class PassRunner {
public:
    // A pass sets up the given calculator (its worker's own) and runs it
    // through Calculate below; the pass index tells it which rows.
    using Pass = std::function<void(TLyapCalc& calc, std::int32_t passIndex)>;

    PassRunner(std::int32_t threadCount, const RenderControl& control);

    // Runs passes 0..passCount-1, each exactly once unless interrupted, on
    // up to threadCount threads; reports progress as running from
    // progressFrom to progressTo. True when every pass ran to its end.
    bool Run(std::int32_t passCount, const Pass& pass, double progressFrom,
             double progressTo);

    // For passes: fills calc's rows with colour values, unless the render
    // is being stopped. calc must have been set up by this very pass.
    void Calculate(TLyapCalc& calc, std::int32_t rowStep, std::int32_t firstRow) const;

    bool Stopped() const { return fStopping.load(); }

private:
    void StopIfInterrupted();

    std::int32_t fThreadCount;
    const RenderControl& fControl;
    // One per thread; a worker writes only its own, and the calling thread
    // touches nothing of them but the atomic request word fState.
    std::vector<TLyapCalc> fCalcs;
    std::atomic<bool> fStopping{false};
};

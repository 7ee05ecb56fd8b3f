// A progress bar on standard error, for renders long enough to want one.
#pragma once

#include <chrono>

class ProgressBar {
public:
    // A disabled bar never writes anything.
    explicit ProgressBar(bool enabled);

    // fraction 0..1. Nothing is shown during the first half second.
    void Update(double fraction);
    // Clears the bar's line if it was shown.
    void Finish();

private:
    bool fEnabled;
    std::chrono::steady_clock::time_point fStart;
    int fShownPercent = -1;
};

// A progress bar with the time left, on standard error, for renders long
// enough to want one.
#pragma once

#include <chrono>

class ProgressBar {
public:
    // A disabled bar never writes anything.
    explicit ProgressBar(bool enabled);
    // Clears the bar's line if it was shown.
    ~ProgressBar();

    // fraction 0..1. Nothing is shown during the first half second.
    void Update(double fraction);

private:
    bool fEnabled;
    std::chrono::steady_clock::time_point fStart;
    bool fShown = false;
};

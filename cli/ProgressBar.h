// A progress bar with the time left, on standard error, for renders long
// enough to want one.
#pragma once

#include <chrono>
#include <string>

class ProgressBar {
public:
    // A disabled bar never writes anything.
    explicit ProgressBar(bool enabled);
    // Clears the bar's line if it was shown.
    ~ProgressBar();

    // fraction 0..1 of the whole run; label (say "frame 3/120 ") goes
    // before the bar. Nothing is shown during the first half second.
    void Update(double fraction, const std::string& label = "");

private:
    bool fEnabled;
    std::chrono::steady_clock::time_point fStart;
    bool fShown = false;
};

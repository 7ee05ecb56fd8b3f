#include "ProgressBar.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
constexpr int kBarWidth = 40;

} // namespace

ProgressBar::ProgressBar(bool enabled)
    : fEnabled(enabled), fStart(std::chrono::steady_clock::now())
{
}

void ProgressBar::Update(double fraction)
{
    if (!fEnabled || std::chrono::steady_clock::now() - fStart < kQuietStart)
        return;
    const int percent = std::clamp(static_cast<int>(fraction * 100.0), 0, 100);
    if (percent == fShownPercent)
        return;
    fShownPercent = percent;
    const int filled = percent * kBarWidth / 100;
    const std::string bar = "\rombrelia-render [" + std::string(filled, '#') +
                            std::string(kBarWidth - filled, '.') + "] " +
                            std::to_string(percent) + "%";
    std::fputs(bar.c_str(), stderr);
    std::fflush(stderr);
}

void ProgressBar::Finish()
{
    if (fShownPercent < 0)
        return;
    // Carriage return, then erase to the end of the line.
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    fShownPercent = -1;
}

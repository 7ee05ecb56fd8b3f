#include "ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
constexpr int kBarWidth = 40;
constexpr int kMinBarWidth = 20;

std::string Duration(double seconds)
{
    const long whole = std::lround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

} // namespace

ProgressBar::ProgressBar(bool enabled)
    : fEnabled(enabled), fStart(std::chrono::steady_clock::now())
{
}

ProgressBar::~ProgressBar()
{
    // Carriage return, then erase to the end of the line.
    if (fShown)
        std::fputs("\r\033[K", stderr);
}

void ProgressBar::Update(double fraction, const std::string& label)
{
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - fStart;
    if (!fEnabled || elapsed < kQuietStart || fraction <= 0.0)
        return;
    fShown = true;
    const int percent = std::clamp(static_cast<int>(fraction * 100.0), 0, 100);
    // The label's room comes out of the bar's, so that the line still fits
    // 80 columns (a wrapped line would not be overwritten).
    const int width = std::max(kMinBarWidth, kBarWidth - static_cast<int>(label.size()));
    const int filled = percent * width / 100;
    const std::string bar = "\rombrelia-render " + label + "[" + std::string(filled, '#') +
                            std::string(width - filled, '.') + "] " +
                            std::to_string(percent) + "%, " +
                            Duration(elapsed.count() * (1.0 - fraction) / fraction) + " left";
    std::fputs(bar.c_str(), stderr);
    std::fflush(stderr);
}

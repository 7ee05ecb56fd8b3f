// What every accepted command line, or parameter text, must give: each
// option within its documented range. Shared by the fuzz targets.
#pragma once

#include "FrameName.h"
#include "RenderOptions.h"

#include <cmath>
#include <cstdlib>
#include <string>

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

inline void CheckPictureAccepted(const PictureDescription& p)
{
    const LyapParameters& f = p.fractal;
    Check(p.width >= 1 && p.width <= kMaxImageSide);
    Check(p.height >= 1 && p.height <= kMaxImageSide);
    Check(f.iterations >= 2 && f.iterations <= kMaxIterations && f.iterations % 2 == 0);
    for (double value : {f.aMin, f.aMax, f.bMin, f.bMax, f.morph, f.firstX, f.contrast})
        Check(std::isfinite(value));
    Check(p.palette >= 1 && p.palette <= kPaletteCount);
    Check(p.supersample >= 1 && p.supersample <= kMaxSupersample);
}

inline void CheckAccepted(const RenderOptions& o)
{
    CheckPictureAccepted(o.picture);
    Check(!o.output.empty());
    Check(o.threads >= 1 && o.threads <= kMaxThreads);
    Check(o.picture.supersample == 1 || o.format == ImageFormat::kPng);
    if (o.frames == 0) {
        Check(FrameFieldCount(o.output) <= 0);
        return;
    }
    Check(FrameFieldCount(o.output) == 1);
    Check(o.frames >= 2 && o.frames <= kMaxFrames);
    Check(0 <= o.firstFrame && o.firstFrame <= o.lastFrame && o.lastFrame < o.frames);
    for (double value : {o.to.aMin, o.to.aMax, o.to.bMin, o.to.bMax, o.to.morph, o.to.firstX, o.to.contrast})
        Check(std::isfinite(value));
}

// A complaint is one line, never empty.
inline void CheckOneLine(const std::string& text)
{
    Check(!text.empty());
    Check(text.find('\n') == std::string::npos);
}

// What every accepted command line, or parameter text, must give: each
// option within its documented range. Shared by the fuzz targets.
#pragma once

#include "FrameName.h"
#include "ParameterKeys.h"
#include "RenderOptions.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <type_traits>

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Each value is one its key's rule accepts: written out, it reads back as itself.
inline void CheckPictureAccepted(const PictureDescription& p)
{
    ForEachParameterKey(p, [](const ParameterKey& key, const auto& field) {
        const auto again = ReadValue<std::remove_cvref_t<decltype(field)>>(key.rule, ValueText(field));
        Check(again.has_value() && ValueText(*again) == ValueText(field));
    });
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

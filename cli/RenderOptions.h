// Everything a command line can ask of the renderer. The picture's defaults
// give the viewer's first picture.
#pragma once

#include "LyapAnimation.h"
#include "LyapPassRates.h"
#include "PictureDescription.h"
#include "PictureWriter.h"

#include <cstdint>
#include <string>

struct RenderOptions {
    PictureDescription picture;  // of an animation, its first frame
    std::string output;          // of an animation, the frame name pattern
    std::string from;            // --from: the PNG or TIFF the values were read from
    // The TIFF whose exponents give the picture, when only colours changed.
    std::string exponentsFrom;
    ImageFormat format = ImageFormat::kPng;
    std::int32_t threads = 1;
    bool quiet = false;
    // An animation of `frames` frames (0: one picture) from the picture's
    // values to `to`, of which frames firstFrame..lastFrame are written.
    std::int32_t frames = 0;
    LyapFrameValues to{};
    std::int32_t firstFrame = 0;
    std::int32_t lastFrame = 0;
};

// More threads than the passes a picture is split into would find no rows.
constexpr std::int32_t kMaxThreads = kLyapMaxPasses;
constexpr std::int32_t kMaxFrames = 100000;

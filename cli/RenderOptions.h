// Everything a command line can ask of the renderer. The picture's defaults
// give the viewer's first picture.
#pragma once

#include "PictureDescription.h"
#include "PictureWriter.h"

#include <cstdint>
#include <string>

struct RenderOptions {
    PictureDescription picture;
    std::string output;
    ImageFormat format = ImageFormat::kPng;
    std::int32_t threads = 1;
    bool quiet = false;
};

// PNG allows more, but a side beyond this is more than any disk holds.
constexpr std::int32_t kMaxImageSide = 65536;
constexpr std::int32_t kMaxIterations = 1000000;
constexpr std::int32_t kMaxThreads = 64;
constexpr std::int32_t kMaxSupersample = 8;
constexpr std::int32_t kPaletteChoices = 4;

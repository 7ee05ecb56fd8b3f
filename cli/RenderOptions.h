// Everything a command line can ask of the renderer, with the defaults that
// give the viewer's first picture.
#pragma once

#include <cstdint>
#include <string>

enum class ImageFormat { kPng, kPgm };

struct RenderOptions {
    std::string output;
    ImageFormat format = ImageFormat::kPng;
    std::int32_t width = 384;
    std::int32_t height = 384;
    std::int32_t iterations = 16;
    double aMin = 2.0;
    double aMax = 4.0;
    double bMin = 2.0;
    double bMax = 4.0;
    double morph = 1.0;
    double firstX = 0.5;
    double contrast = 128.0;
    std::int32_t palette = 1;  // 1..4, as the viewer's "Palette1".."Palette4"
    std::int32_t threads = 1;
    std::int32_t supersample = 1;
    bool quiet = false;
};

constexpr std::int32_t kMaxImageSide = 16384;
constexpr std::int32_t kMaxIterations = 1000000;
constexpr std::int32_t kMaxThreads = 64;
constexpr std::int32_t kMaxSupersample = 8;
constexpr std::int32_t kPaletteChoices = 4;

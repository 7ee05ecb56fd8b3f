#include "PictureDescription.h"

#include <array>
#include <charconv>

namespace {

// Shortest text that reads back as the same double.
std::string ExactText(double value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace

std::string ParameterText(const PictureDescription& picture)
{
    const LyapParameters& f = picture.fractal;
    return "version=1\n"
           "width=" + std::to_string(picture.width) + "\n"
           "height=" + std::to_string(picture.height) + "\n"
           "sequence=" + LyapSequenceText(f.sequence) + "\n"
           "iterations=" + std::to_string(f.iterations) + "\n"
           "a-min=" + ExactText(f.aMin) + "\n"
           "a-max=" + ExactText(f.aMax) + "\n"
           "b-min=" + ExactText(f.bMin) + "\n"
           "b-max=" + ExactText(f.bMax) + "\n"
           "morph=" + ExactText(f.morph) + "\n"
           "first-x=" + ExactText(f.firstX) + "\n"
           "contrast=" + ExactText(f.contrast) + "\n"
           "palette=" + std::to_string(picture.palette) + "\n"
           "supersample=" + std::to_string(picture.supersample) + "\n";
}

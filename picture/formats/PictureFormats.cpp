#include "PictureFormats.h"

#include "FormatParts.h"
#include "ReadFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const PictureFormat kFormats[] = {
    {ImageFormat::kPng, "png", {"png"}, "png: colour from the palette", false, IsPng, StartPng,
     ReadParameterChunk, nullptr},
    {ImageFormat::kPgm, "pgm", {"pgm"}, "pgm: the raw colour values 0..255", false, IsPgm, StartPgm, nullptr,
     nullptr},
    {ImageFormat::kTiff, "tiff", {"tif", "tiff"},
     "tiff: the exponent each colour value is made from, a 64-bit float a pixel, with the values in its "
     "ImageDescription", true, IsTiff, StartTiff, ReadTiffDescription, nullptr},
    {ImageFormat::kNpy, "npy", {"npy"}, "npy: the same exponents as a NumPy array of height x width", true, IsNpy,
     StartNpy, nullptr, "a NumPy array, which holds no parameters"},
};

} // namespace

std::span<const PictureFormat> PictureFormats()
{
    return kFormats;
}

const PictureFormat& FormatOf(ImageFormat format)
{
    return *std::ranges::find(kFormats, format, &PictureFormat::format);
}

const PictureFormat* FormatNamed(std::string_view name)
{
    for (const PictureFormat& format : kFormats)
        if (format.name == name || std::ranges::find(format.extensions, name) != format.extensions.end())
            return &format;
    return nullptr;
}

Result<PictureParameters> ReadPictureParameters(const std::string& path)
{
    const ReadFile file = OpenToRead(path);
    if (!file)
        return Failure{std::strerror(errno)};
    char start[kSniffBytes] = {};
    const std::string_view magic(start, std::fread(start, 1, sizeof start, file.get()));
    const auto* format = std::ranges::find_if(kFormats, [magic](const PictureFormat& f) { return f.recognises(magic); });
    if (format == std::end(kFormats) || (format->readParameters == nullptr && format->withoutParameters == nullptr))
        return Failure{"not a PNG or TIFF file"};
    if (format->readParameters == nullptr)
        return Failure{format->withoutParameters};
    auto text = format->readParameters(path);
    if (!text)
        return Failure{text.Reason()};
    return PictureParameters{std::move(*text), format->holdsExponents};
}

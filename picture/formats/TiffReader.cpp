#include "TiffReader.h"

#include "TiffMessages.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <tiffio.h>
#include <vector>

namespace {

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffFile = std::unique_ptr<TIFF, TiffCloser>;

TiffFile OpenTiff(const std::string& path, std::string& error)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    RouteTiffMessages(options, error);
    TiffFile tiff(TIFFOpenExt(path.c_str(), "r", options));
    TIFFOpenOptionsFree(options);
    if (!tiff && error.empty())
        error = "not a readable TIFF file";
    return tiff;
}

// Whether the TIFF is width x height single 64-bit floats, as we write them.
bool HoldsExponentsOf(TIFF* tiff, const PictureDescription& picture)
{
    std::uint32_t width = 0, height = 0;
    std::uint16_t bits = 0, samples = 0, format = 0, planar = 0;
    return TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) && TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) &&
           TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits) &&
           TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples) &&
           TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format) &&
           TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar) &&
           std::int64_t{width} == picture.width && std::int64_t{height} == picture.height && bits == 64 &&
           samples == 1 && format == SAMPLEFORMAT_IEEEFP && planar == PLANARCONFIG_CONTIG &&
           TIFFScanlineSize64(tiff) == std::uint64_t(picture.width) * 8;
}

} // namespace

std::optional<std::string> ReadTiffDescription(const std::string& path, std::string& error)
{
    const TiffFile tiff = OpenTiff(path, error);
    const char* description = nullptr;
    if (!tiff)
        return std::nullopt;
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEDESCRIPTION, &description) || description == nullptr) {
        error = "no ImageDescription in it";
        return std::nullopt;
    }
    return std::string(description);
}

RenderOutcome ReadExponentBands(const std::string& path, const PictureDescription& picture,
                                const ExponentSink& sink, const RenderControl& control, std::string& error)
{
    const TiffFile tiff = OpenTiff(path, error);
    if (tiff && !HoldsExponentsOf(tiff.get(), picture))
        error = "not " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
                " exponents, as its parameters say";
    if (!tiff || !error.empty())
        return RenderOutcome::kSourceFailed;
    const std::int32_t bandRows = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        control.bandSamples / 8 / picture.width, 1, picture.height));
    std::vector<double> band(static_cast<std::size_t>(picture.width) * bandRows);
    for (std::int32_t firstRow = 0; firstRow < picture.height; firstRow += bandRows) {
        const std::int32_t rows = std::min(bandRows, picture.height - firstRow);
        for (std::int32_t r = 0; r < rows; ++r) {
            if (TIFFReadScanline(tiff.get(), band.data() + static_cast<std::size_t>(r) * picture.width,
                                 static_cast<std::uint32_t>(firstRow + r), 0) != 1) {
                if (error.empty())
                    error = "cannot read row " + std::to_string(firstRow + r);
                return RenderOutcome::kSourceFailed;
            }
        }
        if (const RenderOutcome outcome = HandOnBand(sink, band.data(), firstRow, rows, picture.height, control);
            outcome != RenderOutcome::kDone)
            return outcome;
    }
    return RenderOutcome::kDone;
}

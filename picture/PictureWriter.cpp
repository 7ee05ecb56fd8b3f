#include "PictureWriter.h"

#include "LyapPictureRows.h"
#include "OutputFile.h"

#include <algorithm>

namespace {

// The name every picture file carries, whichever program wrote it: the
// viewer's saved file and the renderer's must be the same bytes.
constexpr const char* kSoftware = "Ombrelia " OMBRELIA_VERSION;

// Sample values per band of WritePictureFile: a few megabytes.
constexpr std::int64_t kBandSamples = std::int64_t{1} << 22;

std::string PgmHeader(const PictureDescription& picture)
{
    return "P5\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) +
           "\n255\n";
}

} // namespace

PictureWriter::PictureWriter(int fileDescriptor, const PictureDescription& picture,
                             ImageFormat format)
    : fPicture(picture), fFileDescriptor(fileDescriptor),
      fColours(ColoursOfPalette(picture.palette - 1))
{
    if (format == ImageFormat::kPgm) {
        const std::string header = PgmHeader(picture);
        WriteAll(fileDescriptor, reinterpret_cast<const std::uint8_t*>(header.data()),
                 header.size(), fError);
        return;
    }
    fPng = std::make_unique<PngStream>(
        fileDescriptor, picture.width, picture.height,
        picture.supersample == 1 ? &fColours : nullptr,
        PngTextChunks{{"Software", kSoftware}, {kParameterKeyword, ParameterText(picture)}});
}

const std::string& PictureWriter::Error() const
{
    return fPng != nullptr ? fPng->Error() : fError;
}

bool PictureWriter::WriteSampleRows(const std::uint8_t* samples, std::int32_t rows)
{
    if (!Error().empty())
        return false;
    const std::int32_t k = fPicture.supersample;
    if (fPng == nullptr)
        return WriteAll(fFileDescriptor, samples, static_cast<std::size_t>(fPicture.width) * rows,
                        fError);
    if (k == 1)
        return fPng->WriteRows(samples, rows);
    fRgb.resize(static_cast<std::size_t>(fPicture.width) * rows * 3);
    AverageBand(samples, fPicture.width, rows, k, fColours, fRgb.data());
    return fPng->WriteRows(fRgb.data(), rows);
}

bool WritePictureFile(const std::string& path, const PictureDescription& picture,
                      ImageFormat format, std::string& error, const SampleRowSource& rows)
{
    const std::int32_t k = picture.supersample;
    const std::int32_t sampleWidth = picture.width * k;
    SampleRowSource source = rows;
    if (!source) {
        auto own = std::make_shared<LyapPictureRows>(TLyapCalc(picture.fractal), sampleWidth,
                                                     picture.height * k);
        source = [own](std::int32_t first, std::int32_t count, std::uint8_t* values) {
            return own->FillRows(first, count, values);
        };
    }
    auto file = OutputFile::CreateBeside(path, error);
    if (!file)
        return false;
    PictureWriter writer(file->Descriptor(), picture, format);
    const std::int32_t bandRows = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        kBandSamples / (std::int64_t{sampleWidth} * k), 1, picture.height));
    std::vector<std::uint8_t> band(static_cast<std::size_t>(sampleWidth) * bandRows * k);
    for (std::int32_t first = 0; first < picture.height; first += bandRows) {
        const std::int32_t count = std::min(bandRows, picture.height - first);
        if (!source(first * k, count * k, band.data())) {
            error = "stopped";
            return false;
        }
        if (!writer.WriteSampleRows(band.data(), count)) {
            error = writer.Error();
            return false;
        }
    }
    return file->MoveIntoPlace(error);
}

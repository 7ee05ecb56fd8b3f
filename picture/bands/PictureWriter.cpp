#include "PictureWriter.h"

#include "AverageBlocks.h"
#include "ColourValue.h"
#include "OutputFile.h"
#include "TiffReader.h"

#include <algorithm>
#include <type_traits>

namespace {

// The name every picture file carries, whichever program wrote it: the
// viewer's saved file and the renderer's must be the same bytes.
constexpr const char* kSoftware = "Ombrelia " OMBRELIA_VERSION;

std::string PgmHeader(const PictureDescription& picture)
{
    return "P5\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) +
           "\n255\n";
}

// The sink that hands samples of type Sample on to the writer.
template <typename Sample>
SampleSink<Sample> SinkInto(PictureWriter& writer, std::string& error)
{
    return [&writer, &error](const Sample* rows, std::int32_t count) {
        bool written = false;
        if constexpr (std::is_same_v<Sample, double>)
            written = writer.WriteExponentRows(rows, count);
        else
            written = writer.WriteSampleRows(rows, count);
        if (!written)
            error = writer.Error();
        return written;
    };
}

// Makes the file at path with what produce(writer) writes into it: renamed
// into place only when complete.
template <typename Produce>
WriteOutcome WriteFileWith(const std::string& path, const PictureDescription& picture, ImageFormat format,
                           const RenderControl& control, std::string& error, const Produce& produce)
{
    auto file = OutputFile::CreateBeside(path, error);
    if (!file)
        return WriteOutcome::kNotCreated;
    PictureWriter writer(file->Descriptor(), picture, format);
    switch (produce(writer)) {
    case RenderOutcome::kInterrupted:
        return WriteOutcome::kInterrupted;
    case RenderOutcome::kSinkFailed:
        return WriteOutcome::kWriteFailed;
    case RenderOutcome::kSourceFailed:
        return WriteOutcome::kSourceFailed;
    case RenderOutcome::kDone:
        break;
    }
    // An interrupt after the last band still keeps the file out of place.
    if (control.interrupt != nullptr && control.interrupt->load() != 0)
        return WriteOutcome::kInterrupted;
    return file->MoveIntoPlace(error) ? WriteOutcome::kWritten : WriteOutcome::kWriteFailed;
}

} // namespace

PictureWriter::PictureWriter(int fileDescriptor, const PictureDescription& picture,
                             ImageFormat format)
    : fPicture(picture), fFormat(format), fFileDescriptor(fileDescriptor),
      fColours(picture)
{
    if (format == ImageFormat::kPgm || format == ImageFormat::kNpy) {
        const std::string header = format == ImageFormat::kPgm ? PgmHeader(picture)
                                                               : NpyHeader(picture.width, picture.height);
        WriteAll(fileDescriptor, reinterpret_cast<const std::uint8_t*>(header.data()),
                 header.size(), fError);
        return;
    }
    if (format == ImageFormat::kTiff) {
        fTiff = std::make_unique<TiffStream>(fileDescriptor, picture.width, picture.height, kSoftware,
                                             ParameterText(picture));
        return;
    }
    fPng = std::make_unique<PngStream>(
        fileDescriptor, picture.width, picture.height,
        picture.supersample == 1 && fColours.Indexed() ? &fColours.Plte() : nullptr,
        PngTextChunks{{"Software", kSoftware}, {kParameterKeyword, ParameterText(picture)}});
}

const std::string& PictureWriter::Error() const
{
    return fPng != nullptr ? fPng->Error() : fTiff != nullptr ? fTiff->Error() : fError;
}

bool PictureWriter::WriteExponentRows(const double* exponents, std::int32_t rows)
{
    if (!Error().empty())
        return false;
    if (fTiff != nullptr)
        return fTiff->WriteRows(exponents, rows);
    const std::size_t pixels = static_cast<std::size_t>(fPicture.width) * rows;
    if (fFormat == ImageFormat::kPgm) {
        fBytes.resize(pixels);
        std::ranges::transform(exponents, exponents + pixels, fBytes.begin(), [this](double e) {
            return static_cast<std::uint8_t>(LyapColourValue(e, fPicture.fractal.contrast)); });
        return WriteAll(fFileDescriptor, fBytes.data(), pixels, fError);
    }
    if (fPng == nullptr)
        return WriteLittleEndian(fFileDescriptor, exponents, pixels, fError);
    const std::int32_t k = fPicture.supersample;
    if (k == 1 && fColours.Indexed()) {
        fBytes.resize(pixels);
        std::ranges::transform(exponents, exponents + pixels, fBytes.begin(),
                               [this](double e) { return fColours.Index(e); });
    } else {
        fBytes.resize(pixels * 3);
        AverageBlocks(exponents, fPicture.width, rows, k,
                      [this](double e) -> const RgbColour& { return fColours.Colour(e); }, fBytes.data());
    }
    return fPng->WriteRows(fBytes.data(), rows);
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
    fBytes.resize(static_cast<std::size_t>(fPicture.width) * rows * 3);
    const ColourMap& colours = fColours.Plte();
    AverageBlocks(samples, fPicture.width, rows, k,
                  [&colours](std::uint8_t v) -> const RgbColour& { return colours[v]; }, fBytes.data());
    return fPng->WriteRows(fBytes.data(), rows);
}

bool WrittenFromExponents(const PictureDescription& picture, ImageFormat format)
{
    return HoldsExponents(format) || (format == ImageFormat::kPng && GradesChaos(picture));
}

WriteOutcome WritePictureFile(const std::string& path, const PictureDescription& picture,
                              ImageFormat format, const RenderControl& control,
                              std::string& error)
{
    return WriteFileWith(path, picture, format, control, error, [&](PictureWriter& writer) {
        return WrittenFromExponents(picture, format)
                   ? RenderBands(picture, SinkInto<double>(writer, error), control)
                   : RenderBands(picture, SinkInto<std::uint8_t>(writer, error), control);
    });
}

WriteOutcome RecolourPictureFile(const std::string& path, const PictureDescription& picture,
                                 ImageFormat format, const std::string& exponentsPath,
                                 const RenderControl& control, std::string& error)
{
    return WriteFileWith(path, picture, format, control, error, [&](PictureWriter& writer) {
        return ReadExponentBands(exponentsPath, picture, SinkInto<double>(writer, error), control, error);
    });
}

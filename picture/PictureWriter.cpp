#include "PictureWriter.h"

#include "OutputFile.h"

namespace {

// The name every picture file carries, whichever program wrote it: the
// viewer's saved file and the renderer's must be the same bytes.
constexpr const char* kSoftware = "Ombrelia " OMBRELIA_VERSION;

std::string PgmHeader(const PictureDescription& picture)
{
    return "P5\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) +
           "\n255\n";
}

// Renders the picture's samples of type Sample into write.
template <typename Sample, typename Write>
RenderOutcome RenderInto(const PictureDescription& picture, const RenderControl& control,
                         PictureWriter& writer, std::string& error, Write write)
{
    const SampleSink<Sample> sink = [&](const Sample* rows, std::int32_t count) {
        if ((writer.*write)(rows, count))
            return true;
        error = writer.Error();
        return false;
    };
    return RenderBands(picture, sink, control);
}

} // namespace

PictureWriter::PictureWriter(int fileDescriptor, const PictureDescription& picture,
                             ImageFormat format)
    : fPicture(picture), fFileDescriptor(fileDescriptor),
      fColours(ColoursOfPalette(picture.palette - 1))
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
        picture.supersample == 1 ? &fColours : nullptr,
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
    return WriteLittleEndian(fFileDescriptor, exponents, static_cast<std::size_t>(fPicture.width) * rows,
                             fError);
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

WriteOutcome WritePictureFile(const std::string& path, const PictureDescription& picture,
                              ImageFormat format, const RenderControl& control,
                              std::string& error)
{
    auto file = OutputFile::CreateBeside(path, error);
    if (!file)
        return WriteOutcome::kNotCreated;
    PictureWriter writer(file->Descriptor(), picture, format);
    const RenderOutcome outcome =
        HoldsExponents(format)
            ? RenderInto<double>(picture, control, writer, error, &PictureWriter::WriteExponentRows)
            : RenderInto<std::uint8_t>(picture, control, writer, error, &PictureWriter::WriteSampleRows);
    switch (outcome) {
    case RenderOutcome::kInterrupted:
        return WriteOutcome::kInterrupted;
    case RenderOutcome::kSinkFailed:
        return WriteOutcome::kWriteFailed;
    case RenderOutcome::kDone:
        break;
    }
    // An interrupt after the last band still keeps the file out of place.
    if (control.interrupt != nullptr && control.interrupt->load() != 0)
        return WriteOutcome::kInterrupted;
    return file->MoveIntoPlace(error) ? WriteOutcome::kWritten : WriteOutcome::kWriteFailed;
}

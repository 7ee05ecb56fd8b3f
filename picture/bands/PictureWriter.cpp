#include "PictureWriter.h"

#include "OutputFile.h"
#include "TiffFormat.h"

#include <type_traits>

namespace {

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
    auto file = OutputFile::CreateBeside(path);
    if (!file) {
        error = file.Reason();
        return WriteOutcome::kNotCreated;
    }
    PictureWriter writer(file->Descriptor(), picture, format, control);
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

PictureWriter::PictureWriter(int fileDescriptor, const PictureDescription& picture, ImageFormat format,
                             const RenderControl& control)
    : fWriter(FormatOf(format).startWriting(fileDescriptor, picture, control))
{
}

// A file whose header could not be written takes no rows.
bool PictureWriter::WriteExponentRows(const double* exponents, std::int32_t rows)
{
    return Error().empty() && fWriter->WriteExponentRows(exponents, rows);
}

bool PictureWriter::WriteSampleRows(const std::uint8_t* samples, std::int32_t rows)
{
    return Error().empty() && fWriter->WriteSampleRows(samples, rows);
}

bool WrittenFromExponents(const PictureDescription& picture, ImageFormat format)
{
    return FormatOf(format).holdsExponents || (format == ImageFormat::kPng && GradesChaos(picture));
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

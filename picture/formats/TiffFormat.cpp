#include "TiffFormat.h"

#include "FormatParts.h"
#include "OutputFile.h"
#include "ParameterText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>
#include <vector>

namespace {

// Where libtiff's messages about our files go: its first complaint into the
// error text given (unless a reason is already there, such as the system's),
// warnings nowhere; never to stderr, so that a refusal stays one line.
void RouteTiffMessages(TIFFOpenOptions* options, std::string& error)
{
    TIFFOpenOptionsSetErrorHandlerExtR(
        options,
        [](TIFF*, void* text, const char*, const char* format, va_list args) {
            auto& noted = *static_cast<std::string*>(text);
            if (noted.empty()) {
                char line[256];
                std::vsnprintf(line, sizeof line, format, args);
                noted = line;
            }
            return 1;
        },
        &error);
    TIFFOpenOptionsSetWarningHandlerExtR(
        options, [](TIFF*, void*, const char*, const char*, va_list) { return 1; }, nullptr);
}

// A classic TIFF addresses 4 GiB; beyond this share of it (the tags and the
// strip table need room too) the file is a BigTIFF.
constexpr std::uint64_t kClassicTiffLimit = (std::uint64_t{1} << 32) - (std::uint64_t{1} << 26);

// libtiff's handle is the stream.
TiffStream& StreamOf(thandle_t handle)
{
    return *static_cast<TiffStream*>(handle);
}

tmsize_t ReadIn(thandle_t handle, void* bytes, tmsize_t size)
{
    return read(StreamOf(handle).FileDescriptor(), bytes, static_cast<std::size_t>(size));
}

// Through WriteAll, so that a full disk gives the system's reason.
tmsize_t WriteOut(thandle_t handle, void* bytes, tmsize_t size)
{
    TiffStream& stream = StreamOf(handle);
    return WriteAll(stream.FileDescriptor(), static_cast<const std::uint8_t*>(bytes),
                    static_cast<std::size_t>(size), stream.ErrorText())
               ? size
               : -1;
}

toff_t SeekTo(thandle_t handle, toff_t offset, int whence)
{
    return static_cast<toff_t>(lseek(StreamOf(handle).FileDescriptor(), static_cast<off_t>(offset), whence));
}

// The descriptor belongs to the caller.
int LeaveOpen(thandle_t)
{
    return 0;
}

toff_t SizeOf(thandle_t handle)
{
    struct stat status {};
    return fstat(StreamOf(handle).FileDescriptor(), &status) == 0 ? static_cast<toff_t>(status.st_size) : 0;
}

int NoMap(thandle_t, void**, toff_t*)
{
    return 0;
}

void NoUnmap(thandle_t, void*, toff_t) {}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffFile = std::unique_ptr<TIFF, TiffCloser>;

TiffFile OpenTiff(const std::string& path, std::string& error)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    RouteTiffMessages(options, error);
    // Unmapped ("m"): libtiff would map the whole file otherwise, and a
    // recolour's memory would grow with the file (half a gigabyte at 8192
    // squared); read strip by strip, it stays at a band.
    TiffFile tiff(TIFFOpenExt(path.c_str(), "rm", options));
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

// The exponents as they are, in strips.
class TiffWriter final : public ExponentWriter {
public:
    TiffWriter(int fileDescriptor, const PictureDescription& picture)
        : fStream(fileDescriptor, picture.width, picture.height, kSoftware, ParameterText(picture))
    {
    }

    bool WriteExponentRows(const double* exponents, std::int32_t rows) override
    {
        return fStream.WriteRows(exponents, rows);
    }

    const std::string& Error() const override { return fStream.Error(); }

private:
    TiffStream fStream;
};

} // namespace

TiffStream::TiffStream(int fileDescriptor, std::int32_t width, std::int32_t height,
                       const std::string& software, const std::string& description)
    : fFileDescriptor(fileDescriptor), fHeight(height)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    RouteTiffMessages(options, fError);
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * sizeof(double);
    fTiff = TIFFClientOpenExt("exponents", bytes > kClassicTiffLimit ? "w8" : "w", this, ReadIn, WriteOut,
                              SeekTo, LeaveOpen, SizeOf, NoMap, NoUnmap, options);
    TIFFOpenOptionsFree(options);
    if (fTiff == nullptr) {
        if (fError.empty())
            fError = "cannot start the TIFF file";
        return;
    }
    const auto rowsPerStrip = static_cast<std::uint32_t>(
        std::max<std::int64_t>(1, kStripBytes / (std::int64_t{width} * 8)));
    const bool set =
        TIFFSetField(fTiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(width)) &&
        TIFFSetField(fTiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(height)) &&
        TIFFSetField(fTiff, TIFFTAG_BITSPERSAMPLE, 64) && TIFFSetField(fTiff, TIFFTAG_SAMPLESPERPIXEL, 1) &&
        TIFFSetField(fTiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP) &&
        TIFFSetField(fTiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) &&
        TIFFSetField(fTiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
        TIFFSetField(fTiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
        TIFFSetField(fTiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip) &&
        TIFFSetField(fTiff, TIFFTAG_SOFTWARE, software.c_str()) &&
        TIFFSetField(fTiff, TIFFTAG_IMAGEDESCRIPTION, description.c_str());
    if (!set && fError.empty())
        fError = "cannot set the TIFF tags";
}

TiffStream::~TiffStream()
{
    // Unfinished: the file is abandoned, so nothing more is written to it.
    if (fTiff != nullptr)
        TIFFCleanup(fTiff);
}

bool TiffStream::WriteRows(const double* rows, std::int32_t count)
{
    if (fTiff == nullptr || !fError.empty())
        return false;
    const auto width = static_cast<std::size_t>(TIFFScanlineSize64(fTiff) / sizeof(double));
    for (std::int32_t i = 0; i < count; ++i, ++fRowsWritten) {
        // Uncompressed rows are copied, never changed.
        void* row = const_cast<double*>(rows + i * width);
        if (TIFFWriteScanline(fTiff, row, static_cast<std::uint32_t>(fRowsWritten), 0) != 1) {
            if (fError.empty())
                fError = "cannot write a TIFF row";
            return false;
        }
    }
    if (fRowsWritten < fHeight)
        return true;
    // The last strip and the directory; then the stream is done.
    const bool flushed = TIFFFlush(fTiff) == 1;
    TIFFCleanup(fTiff);
    fTiff = nullptr;
    if (!flushed && fError.empty())
        fError = "cannot finish the TIFF file";
    return flushed;
}

bool IsTiff(std::string_view start)
{
    using namespace std::string_view_literals;
    return start.starts_with("II*\0"sv) || start.starts_with("MM\0*"sv) || start.starts_with("II+\0"sv) ||
           start.starts_with("MM\0+"sv);
}

std::unique_ptr<FormatWriter> StartTiff(int fileDescriptor, const PictureDescription& picture, const RenderControl&)
{
    return std::make_unique<TiffWriter>(fileDescriptor, picture);
}

Result<std::string> ReadTiffDescription(const std::string& path)
{
    std::string error;
    const TiffFile tiff = OpenTiff(path, error);
    const char* description = nullptr;
    if (!tiff)
        return Failure{error};
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEDESCRIPTION, &description) || description == nullptr)
        return Failure{"no ImageDescription in it"};
    return std::string(description);
}

namespace {

// Rows first .. first + rows - 1 into band; false, with the reason, when one
// cannot be read.
bool ReadExponentRows(TIFF* tiff, std::int32_t width, std::int32_t first, std::int32_t rows, double* band,
                      std::string& error)
{
    for (std::int32_t r = 0; r < rows; ++r) {
        if (TIFFReadScanline(tiff, band + static_cast<std::size_t>(r) * width, static_cast<std::uint32_t>(first + r),
                             0) != 1) {
            if (error.empty())
                error = "cannot read row " + std::to_string(first + r);
            return false;
        }
    }
    return true;
}

} // namespace

// Two bands: while one is handed on (to the encoder, which may use every
// thread), the next is read on a thread of its own, so that reading does not
// hold the encoding up. Each band, and the file, is touched by one thread at
// a time: the reader is joined before its band is handed on.
RenderOutcome ReadExponentBands(const std::string& path, const PictureDescription& picture,
                                const ExponentSink& sink, const RenderControl& control, std::string& error)
{
    const TiffFile tiff = OpenTiff(path, error);
    if (tiff && !HoldsExponentsOf(tiff.get(), picture))
        error = "not " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
                " exponents, as its parameters say";
    if (!tiff || !error.empty())
        return RenderOutcome::kSourceFailed;
    const std::int32_t bandRows = BandRows<double>(control, picture.width, picture.height);
    const auto rowsFrom = [&](std::int32_t first) { return std::min(bandRows, picture.height - first); };
    std::vector<double> bands[2];
    for (std::vector<double>& band : bands)
        band.resize(static_cast<std::size_t>(picture.width) * bandRows);
    // The reader's own: the sink may set error meanwhile.
    std::string readError;
    bool read = ReadExponentRows(tiff.get(), picture.width, 0, rowsFrom(0), bands[0].data(), readError);
    for (std::int32_t firstRow = 0, k = 0; firstRow < picture.height; firstRow += bandRows, k ^= 1) {
        if (!read) {
            error = readError;
            return RenderOutcome::kSourceFailed;
        }
        const std::int32_t next = firstRow + bandRows;
        const auto readNext = [&] {
            read = next >= picture.height ||
                   ReadExponentRows(tiff.get(), picture.width, next, rowsFrom(next), bands[k ^ 1].data(), readError);
        };
        std::optional<std::thread> reader = control.startThread ? control.startThread(readNext) : std::nullopt;
        const RenderOutcome outcome =
            HandOnBand(sink, bands[k].data(), firstRow, rowsFrom(firstRow), picture.height, control);
        if (reader)
            reader->join();
        if (outcome != RenderOutcome::kDone)
            return outcome;
        if (!reader)
            readNext();
    }
    return RenderOutcome::kDone;
}

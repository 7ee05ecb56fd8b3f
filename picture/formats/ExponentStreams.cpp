#include "ExponentStreams.h"

#include "OutputFile.h"
#include "TiffMessages.h"

#include <algorithm>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

namespace {

// Strips of about this many bytes (at least a row): small enough to be
// written as the rows arrive, large enough that the strip table stays short.
constexpr std::int64_t kStripBytes = 64 * 1024;
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

std::string NpyHeader(std::int32_t width, std::int32_t height)
{
    std::string dictionary = "{'descr': '<f8', 'fortran_order': False, 'shape': (" + std::to_string(height) +
                             ", " + std::to_string(width) + "), }";
    constexpr std::size_t kPrefix = 10;  // magic, version, header length
    const std::size_t length = (kPrefix + dictionary.size() + 1 + 63) / 64 * 64 - kPrefix;
    dictionary.resize(length - 1, ' ');
    dictionary += '\n';
    std::string header("\x93NUMPY\x01\x00", 8);
    header += static_cast<char>(length & 0xff);
    header += static_cast<char>(length >> 8);
    return header + dictionary;
}

bool WriteLittleEndian(int fileDescriptor, const double* values, std::size_t count, std::string& error)
{
    if constexpr (std::endian::native == std::endian::little) {
        // In pieces of a strip's size, as the TIFF is written: measured
        // (bench/render_targets.in), one write of a whole band of exponents
        // took the system several times as long.
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(values);
        const std::size_t size = count * sizeof(double);
        for (std::size_t done = 0; done < size; done += kStripBytes) {
            if (!WriteAll(fileDescriptor, bytes + done, std::min<std::size_t>(kStripBytes, size - done), error))
                return false;
        }
        return true;
    }
    std::uint8_t bytes[sizeof(double)];
    for (std::size_t i = 0; i < count; ++i) {
        const auto bits = std::bit_cast<std::uint64_t>(values[i]);
        for (std::size_t b = 0; b < sizeof bytes; ++b)
            bytes[b] = static_cast<std::uint8_t>(bits >> (8 * b));
        if (!WriteAll(fileDescriptor, bytes, sizeof bytes, error))
            return false;
    }
    return true;
}

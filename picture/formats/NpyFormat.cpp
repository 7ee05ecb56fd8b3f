// The NumPy .npy array of the exponents: a height x width array of
// little-endian doubles in C order, its header first, then the rows as they
// are finished.
#include "FormatParts.h"
#include "OutputFile.h"

#include <algorithm>
#include <bit>

namespace {

// The header: the magic, version 1.0, and the header dictionary padded with
// blanks to a multiple of 64 bytes.
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

// Writes count values as little-endian doubles to the file open on
// fileDescriptor; on failure sets error to the system's reason.
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

class NpyWriter final : public ExponentWriter {
public:
    NpyWriter(int fileDescriptor, const PictureDescription& picture)
        : fFileDescriptor(fileDescriptor), fWidth(picture.width)
    {
        const std::string header = NpyHeader(picture.width, picture.height);
        WriteAll(fileDescriptor, reinterpret_cast<const std::uint8_t*>(header.data()), header.size(), fError);
    }

    bool WriteExponentRows(const double* exponents, std::int32_t rows) override
    {
        return WriteLittleEndian(fFileDescriptor, exponents, static_cast<std::size_t>(fWidth) * rows, fError);
    }

    const std::string& Error() const override { return fError; }

private:
    int fFileDescriptor;
    std::int32_t fWidth;
    std::string fError;
};

} // namespace

bool IsNpy(std::string_view start)
{
    return start.starts_with("\x93NUMPY");
}

std::unique_ptr<FormatWriter> StartNpy(int fileDescriptor, const PictureDescription& picture, const RenderControl&)
{
    return std::make_unique<NpyWriter>(fileDescriptor, picture);
}

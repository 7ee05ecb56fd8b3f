// The PGM: a binary greyscale picture of the raw colour values 0..255, its
// header and then the rows as they are finished; it holds no parameters.
#include "ColourValue.h"
#include "FormatParts.h"
#include "OutputFile.h"

#include <algorithm>
#include <vector>

namespace {

class PgmWriter final : public FormatWriter {
public:
    PgmWriter(int fileDescriptor, const PictureDescription& picture)
        : fFileDescriptor(fileDescriptor), fWidth(picture.width), fContrast(picture.fractal.contrast)
    {
        const std::string header =
            "P5\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
        WriteAll(fileDescriptor, reinterpret_cast<const std::uint8_t*>(header.data()), header.size(), fError);
    }

    bool WriteSampleRows(const std::uint8_t* samples, std::int32_t rows) override
    {
        return WriteAll(fFileDescriptor, samples, static_cast<std::size_t>(fWidth) * rows, fError);
    }

    // The exponents of a TIFF coloured again: each one's colour value.
    bool WriteExponentRows(const double* exponents, std::int32_t rows) override
    {
        const std::size_t pixels = static_cast<std::size_t>(fWidth) * rows;
        fBytes.resize(pixels);
        std::ranges::transform(exponents, exponents + pixels, fBytes.begin(), [this](double e) {
            return static_cast<std::uint8_t>(LyapColourValue(e, fContrast)); });
        return WriteAll(fFileDescriptor, fBytes.data(), pixels, fError);
    }

    const std::string& Error() const override { return fError; }

private:
    int fFileDescriptor;
    std::int32_t fWidth;
    double fContrast;
    std::vector<std::uint8_t> fBytes;  // one band of colour values
    std::string fError;
};

} // namespace

bool IsPgm(std::string_view start)
{
    return start.starts_with("P5");
}

std::unique_ptr<FormatWriter> StartPgm(int fileDescriptor, const PictureDescription& picture, const RenderControl&)
{
    return std::make_unique<PgmWriter>(fileDescriptor, picture);
}

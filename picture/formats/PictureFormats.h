// The picture file formats, listed once: each one's names, what it holds,
// how a file of it is told by its first bytes, how one is written and how
// the parameters it holds are read back. The renderer's --format and the
// output's extension, the picture writer, and the reading of a picture's
// parameters (the renderer's --from, the viewer's open) all go through this
// list, so that a format added to it is known to all of them.
#pragma once

#include "BandedRender.h"
#include "PictureDescription.h"
#include "Result.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>

enum class ImageFormat { kPng, kPgm, kTiff, kNpy };

// A file of one format being written, row band by row band; after the last
// row it is complete.
class FormatWriter {
public:
    virtual ~FormatWriter() = default;
    // The colour values of the next `rows` rows of the picture: rows x K
    // sample rows of width x K values each (K the supersampling).
    virtual bool WriteSampleRows(const std::uint8_t* samples, std::int32_t rows) = 0;
    // The exponents of the next `rows` rows, as WriteSampleRows takes colour
    // values: stored as they are, or coloured.
    virtual bool WriteExponentRows(const double* exponents, std::int32_t rows) = 0;
    // Why writing failed (the system's reason where there is one).
    virtual const std::string& Error() const = 0;
};

// How many of a file's first bytes tell its format.
inline constexpr std::size_t kSniffBytes = 8;

struct PictureFormat {
    ImageFormat format;
    std::string_view name;  // --format's value
    // A file name's endings that choose the format, without the dot, in
    // small letters (--format takes them too).
    std::initializer_list<std::string_view> extensions;
    std::string_view help;  // what --format NAME writes
    bool holdsExponents;   // rather than colour values
    // Whether a file's first bytes (up to kSniffBytes) are of this format.
    bool (*recognises)(std::string_view start);
    // Starts the file open for writing on fileDescriptor (which stays open)
    // with its header; the writer's Error() tells whether that failed. It
    // may use control's threads.
    std::unique_ptr<FormatWriter> (*startWriting)(int fileDescriptor, const PictureDescription& picture,
                                                  const RenderControl& control);
    // The parameter text a file of this format holds; null when it holds none.
    Result<std::string> (*readParameters)(const std::string& path);
    // For a format without parameters: why its file gives none, or null when
    // its file is refused as any other file is.
    const char* withoutParameters;
};

// Every format, in the order --help lists them.
std::span<const PictureFormat> PictureFormats();
const PictureFormat& FormatOf(ImageFormat format);
// The format a --format value or a file name's extension (without the dot,
// in small letters) names; null when none.
const PictureFormat* FormatNamed(std::string_view name);

// The parameter text of a picture file of ours, told by its first bytes: a
// PNG's chunk, or the ImageDescription of a TIFF, which holds the exponents
// (exponents set). A reason for any other file (a NumPy array: it holds no
// parameters).
struct PictureParameters {
    std::string text;
    bool exponents = false;
};
Result<PictureParameters> ReadPictureParameters(const std::string& path);

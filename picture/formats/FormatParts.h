// What each format's file gives the table of formats (PictureFormats.cpp):
// its recognition, its writer and, where it has them, its parameters.
#pragma once

#include "PictureFormats.h"

// The name every picture file carries, whichever program wrote it: the
// viewer's saved file and the renderer's must be the same bytes.
inline constexpr const char* kSoftware = "Ombrelia " OMBRELIA_VERSION;

// Exponents go out in pieces of about this many bytes (at least a row):
// small enough to be written as the rows arrive, large enough that a TIFF's
// strip table stays short.
inline constexpr std::int64_t kStripBytes = 64 * 1024;

// The writer of a format that holds exponents: a picture is always written
// into it from its exponents (WrittenFromExponents), never from colour values.
class ExponentWriter : public FormatWriter {
public:
    bool WriteSampleRows(const std::uint8_t*, std::int32_t) final { return false; }
};

bool IsPng(std::string_view start);
std::unique_ptr<FormatWriter> StartPng(int fileDescriptor, const PictureDescription& picture,
                                          const RenderControl& control);
Result<std::string> ReadParameterChunk(const std::string& path);

bool IsPgm(std::string_view start);
std::unique_ptr<FormatWriter> StartPgm(int fileDescriptor, const PictureDescription& picture,
                                          const RenderControl& control);

bool IsTiff(std::string_view start);
std::unique_ptr<FormatWriter> StartTiff(int fileDescriptor, const PictureDescription& picture,
                                          const RenderControl& control);
Result<std::string> ReadTiffDescription(const std::string& path);

bool IsNpy(std::string_view start);
std::unique_ptr<FormatWriter> StartNpy(int fileDescriptor, const PictureDescription& picture,
                                          const RenderControl& control);

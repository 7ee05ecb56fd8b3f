// The PNG: written row band by row band as the rows are finished, so that
// the whole image never has to be in memory, indexed (8-bit indices into a
// PLTE) when every colour a point can get fits one palette and nothing is
// averaged, otherwise as 8-bit RGB; the parameter text in a text chunk,
// read back from it.
#pragma once

#include "ColourMap.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct spng_ctx;

using PngTextChunks = std::vector<std::pair<std::string, std::string>>;

// The keyword of the PNG text chunk that holds ParameterText.
inline constexpr const char* kParameterKeyword = "ombrelia-parameters";

class PngStream {
public:
    // Writes to the file open for writing on fileDescriptor (which stays
    // open). colours: the PLTE of an indexed image; null for RGB.
    PngStream(int fileDescriptor, std::int32_t width, std::int32_t height,
              const ColourMap* colours, const PngTextChunks& text);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // Encodes the next count rows (width indices, or 3 x width RGB bytes,
    // each). After the last row the file is complete. False on failure.
    bool WriteRows(const std::uint8_t* rows, std::int32_t count);

    // Why writing failed (the system's reason where there is one).
    const std::string& Error() const { return fError; }

private:
    static int WriteOut(spng_ctx* ctx, void* self, void* bytes, std::size_t length);
    bool Check(int result);

    spng_ctx* fContext;
    int fFileDescriptor;
    std::size_t fRowBytes;
    std::string fError;
};

// The PNG: written row band by row band as the rows are finished, so that
// the whole image never has to be in memory, indexed (8-bit indices into a
// PLTE) when every colour a point can get fits one palette and nothing is
// averaged, otherwise as 8-bit RGB; the parameter text in a text chunk,
// read back from it. The chunks are written here, around image data
// deflated in pieces on the render's threads (ZlibPieces.h).
#pragma once

#include "BandedRender.h"
#include "ColourMap.h"
#include "ZlibPieces.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

using PngTextChunks = std::vector<std::pair<std::string, std::string>>;

// The keyword of the PNG text chunk that holds ParameterText.
inline constexpr const char* kParameterKeyword = "ombrelia-parameters";

// Makes rows first .. first + count - 1 of those handed to
// PngStream::WriteRows, each rowBytes bytes, at the given places. Called on
// several threads at once, for rows no other call makes.
using PngRowMaker = std::function<void(std::int32_t first, std::int32_t count, std::uint8_t* row)>;

class PngStream {
public:
    // Writes to the file open for writing on fileDescriptor (which stays
    // open). colours: the PLTE of an indexed image; null for RGB. The rows
    // are made and deflated on control's threads.
    PngStream(int fileDescriptor, std::int32_t width, std::int32_t height,
              const ColourMap* colours, const PngTextChunks& text, const RenderControl& control = {});

    // Encodes the next count rows (width indices, or 3 x width RGB bytes,
    // each), made by make one row at a time. After the last row the file
    // is complete. False on failure.
    bool WriteRows(std::int32_t count, const PngRowMaker& make);
    // The same for rows that are there already, one after the other.
    bool WriteRows(const std::uint8_t* rows, std::int32_t count);

    // Why writing failed (the system's reason where there is one).
    const std::string& Error() const { return fError; }

private:
    bool WriteChunk(const char* type, std::span<const std::uint8_t> data);
    bool DeflateFullPieces();

    int fFileDescriptor;
    RenderControl fControl;
    std::size_t fRowBytes;
    std::int32_t fPieceRows;      // rows a deflated piece holds (the last fewer)
    std::int32_t fRowsLeft;       // rows of the image not yet handed in
    // Rows handed in but not yet deflated, each after its filter type byte.
    std::vector<std::uint8_t> fWaiting;
    std::int32_t fWaitingRows = 0;
    // Each worker's own (RunJobs), made when it first deflates.
    std::vector<std::optional<PieceDeflater>> fDeflaters;
    std::vector<DeflatedPiece> fPieces;  // room kept from band to band
    ZlibJoin fJoin;
    std::string fError;
};

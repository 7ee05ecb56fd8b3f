#include "ZlibPieces.h"

#include <new>
#include <zlib.h>

namespace {

// Chosen by measurement (bench/render_targets.in): level 2 made the RGB
// pictures 2% smaller (indexed ones a tenth, but they deflate fast anyway)
// and took 11% longer; 3 and up cost more time still. RGB is where the
// encoder can hold the render up.
constexpr int kLevel = 1;
// A raw deflate (no zlib header of its own), 32 KiB window.
constexpr int kRawWindowBits = -15;
constexpr int kMemoryLevel = 8;
// The zlib header: deflate with a 32 KiB window, no preset dictionary,
// the fastest level; its check bits make it a multiple of 31.
constexpr std::uint8_t kZlibHeader[2] = {0x78, 0x01};
// Past the bound: the empty stored block a sync flush ends with.
constexpr std::size_t kFlushBytes = 16;

} // namespace

PieceDeflater::PieceDeflater() : fStream(std::make_unique<z_stream_s>())
{
    if (deflateInit2(fStream.get(), kLevel, Z_DEFLATED, kRawWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
}

PieceDeflater::~PieceDeflater()
{
    if (fStream)
        deflateEnd(fStream.get());
}

PieceDeflater::PieceDeflater(PieceDeflater&&) noexcept = default;

void PieceDeflater::Deflate(std::span<const std::uint8_t> data, bool last, DeflatedPiece& piece)
{
    z_stream_s& stream = *fStream;
    deflateReset(&stream);
    piece.dataSize = data.size();
    piece.adler = static_cast<std::uint32_t>(adler32_z(1, data.data(), data.size()));
    piece.bytes.resize(deflateBound(&stream, data.size()) + kFlushBytes);
    stream.next_in = const_cast<std::uint8_t*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = piece.bytes.data();
    stream.avail_out = static_cast<uInt>(piece.bytes.size());
    // With room for the whole output, one call does it all.
    deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    piece.bytes.resize(piece.bytes.size() - stream.avail_out);
}

void ZlibJoin::Join(DeflatedPiece& piece, bool last)
{
    if (!fStarted)
        piece.bytes.insert(piece.bytes.begin(), std::begin(kZlibHeader), std::end(kZlibHeader));
    fStarted = true;
    fAdler = static_cast<std::uint32_t>(adler32_combine(fAdler, piece.adler, static_cast<z_off_t>(piece.dataSize)));
    if (last) {
        for (int shift = 24; shift >= 0; shift -= 8)
            piece.bytes.push_back(static_cast<std::uint8_t>(fAdler >> shift));
    }
}

// One zlib stream deflated in pieces, so that the pieces can be deflated at
// the same time on several threads and still join into the same bytes
// whatever the threads: each piece is a raw deflate of its own (it starts
// with an empty dictionary, so it does not wait for the one before) that
// ends on a byte boundary with a block that is not the last, except the
// last piece, which ends the stream. Joined in order, behind the zlib
// header, they are one stream; its Adler-32 is combined from the pieces'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct z_stream_s;

struct DeflatedPiece {
    std::vector<std::uint8_t> bytes;
    std::uint32_t adler = 1;  // of the piece's data
    std::size_t dataSize = 0;
};

// Deflates pieces one after the other, its state (a few hundred KiB, the
// same for every piece) kept from one to the next; one thread at a time.
class PieceDeflater {
public:
    PieceDeflater();
    ~PieceDeflater();
    PieceDeflater(PieceDeflater&&) noexcept;
    PieceDeflater& operator=(PieceDeflater&&) = delete;

    // Makes piece (its bytes' room reused) the piece of the stream that
    // holds data; last: it ends the stream.
    void Deflate(std::span<const std::uint8_t> data, bool last, DeflatedPiece& piece);

private:
    std::unique_ptr<z_stream_s> fStream;
};

// The stream's bytes from the pieces, handed to it in order.
class ZlibJoin {
public:
    // Turns piece's bytes into those that stand for it in the stream: the
    // header before the first, the Adler-32 of all the data after the last
    // (a piece made with last set).
    void Join(DeflatedPiece& piece, bool last);

private:
    bool fStarted = false;
    std::uint32_t fAdler = 1;
};

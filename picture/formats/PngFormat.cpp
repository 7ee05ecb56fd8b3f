#include "PngFormat.h"

#include "AverageBlocks.h"
#include "ExponentColours.h"
#include "FormatParts.h"
#include "OutputFile.h"
#include "ParameterText.h"
#include "ReadFile.h"
#include "RunJobs.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <spng.h>
#include <zlib.h>

namespace {

// The image data goes out in pieces of about this many bytes (at least a
// row), each deflated on its own (ZlibPieces.h) and written as one IDAT:
// enough pieces in a band for every thread to have some, each large enough
// that starting with an empty dictionary costs little (measured: 1% against
// pieces of 1 MiB). The pieces depend on the image's width alone, so that
// the bytes do not depend on the bands or the threads.
constexpr std::size_t kPieceBytes = 256 * 1024;

// Every row unfiltered (filter type 0): the colours of these pictures come
// from at most 512 entries, in runs and repeated patterns that deflate finds
// as they are; measured, the adaptive filters made the files a fifth larger
// and took longer (the smooth RGB of supersampled pictures gained nothing
// either).
constexpr std::uint8_t kNoFilter = 0;

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kIndexedColour = 3;
constexpr std::uint8_t kTrueColour = 2;

// Ours is a few hundred bytes; no chunk we need is larger than this, and
// all the chunks kept together (text decompressed) stay within the cache.
constexpr std::size_t kChunkSizeLimit = 64 * 1024;
constexpr std::size_t kChunkCacheLimit = 1024 * 1024;
constexpr std::uint32_t kChunkCountLimit = 256;

struct ContextFreer {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

void AppendBigEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::vector<std::uint8_t> HeaderChunk(std::int32_t width, std::int32_t height, bool indexed)
{
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(width));
    AppendBigEndian(header, static_cast<std::uint32_t>(height));
    // Deflate, adaptive filtering (the only methods there are), no interlace.
    header.insert(header.end(), {kBitDepth, indexed ? kIndexedColour : kTrueColour, 0, 0, 0});
    return header;
}

std::vector<std::uint8_t> PaletteChunk(const ColourMap& colours)
{
    std::vector<std::uint8_t> palette;
    for (const RgbColour& colour : colours)
        palette.insert(palette.end(), {colour.red, colour.green, colour.blue});
    return palette;
}

// The keyword, a NUL, the text (Latin-1, as ours is ASCII).
std::vector<std::uint8_t> TextChunk(const std::string& keyword, const std::string& text)
{
    std::vector<std::uint8_t> chunk(keyword.begin(), keyword.end());
    chunk.push_back(0);
    chunk.insert(chunk.end(), text.begin(), text.end());
    return chunk;
}

// The picture's colours through the PLTE, or as RGB averaged from the
// samples of each pixel. Rows are coloured on several threads at once:
// ExponentColours is only read.
class PngWriter final : public FormatWriter {
public:
    PngWriter(int fileDescriptor, const PictureDescription& picture, const RenderControl& control)
        : fWidth(picture.width), fSupersample(picture.supersample), fColours(picture),
          fStream(fileDescriptor, picture.width, picture.height,
                  picture.supersample == 1 && fColours.Indexed() ? &fColours.Plte() : nullptr,
                  PngTextChunks{{"Software", kSoftware}, {kParameterKeyword, ParameterText(picture)}}, control)
    {
    }

    bool WriteSampleRows(const std::uint8_t* samples, std::int32_t rows) override
    {
        if (fSupersample == 1)
            return fStream.WriteRows(samples, rows);
        const ColourMap& colours = fColours.Plte();
        return fStream.WriteRows(rows, [&](std::int32_t first, std::int32_t count, std::uint8_t* row) {
            AverageBlocks(samples + SampleOffset(first), fWidth, count, fSupersample,
                          [&colours](std::uint8_t v) -> const RgbColour& { return colours[v]; }, row);
        });
    }

    bool WriteExponentRows(const double* exponents, std::int32_t rows) override
    {
        if (fSupersample == 1 && fColours.Indexed()) {
            return fStream.WriteRows(rows, [&](std::int32_t first, std::int32_t count, std::uint8_t* row) {
                const double* from = exponents + SampleOffset(first);
                std::ranges::transform(from, from + static_cast<std::size_t>(fWidth) * count, row,
                                       [this](double e) { return fColours.Index(e); });
            });
        }
        return fStream.WriteRows(rows, [&](std::int32_t first, std::int32_t count, std::uint8_t* row) {
            AverageBlocks(exponents + SampleOffset(first), fWidth, count, fSupersample,
                          [this](double e) -> const RgbColour& { return fColours.Colour(e); }, row);
        });
    }

    const std::string& Error() const override { return fStream.Error(); }

private:
    // Where the samples of the given row of a band start.
    std::size_t SampleOffset(std::int32_t row) const
    {
        return static_cast<std::size_t>(row) * fWidth * fSupersample * fSupersample;
    }

    std::int32_t fWidth;
    std::int32_t fSupersample;
    ExponentColours fColours;
    PngStream fStream;
};

} // namespace

bool IsPng(std::string_view start)
{
    return start.starts_with("\x89PNG");
}

std::unique_ptr<FormatWriter> StartPng(int fileDescriptor, const PictureDescription& picture,
                                       const RenderControl& control)
{
    return std::make_unique<PngWriter>(fileDescriptor, picture, control);
}

PngStream::PngStream(int fileDescriptor, std::int32_t width, std::int32_t height,
                     const ColourMap* colours, const PngTextChunks& text, const RenderControl& control)
    : fFileDescriptor(fileDescriptor), fControl(control),
      fRowBytes(static_cast<std::size_t>(width) * (colours != nullptr ? 1 : 3)),
      fPieceRows(static_cast<std::int32_t>(std::clamp<std::size_t>(kPieceBytes / (fRowBytes + 1), 1, height))),
      fRowsLeft(height), fDeflaters(static_cast<std::size_t>(std::max(control.threads, 1)))
{
    // Each step only runs if every earlier one succeeded.
    if (!WriteAll(fFileDescriptor, kSignature, sizeof kSignature, fError) ||
        !WriteChunk("IHDR", HeaderChunk(width, height, colours != nullptr)) ||
        (colours != nullptr && !WriteChunk("PLTE", PaletteChunk(*colours))))
        return;
    for (const auto& [keyword, words] : text) {
        if (!WriteChunk("tEXt", TextChunk(keyword, words)))
            return;
    }
}

bool PngStream::WriteChunk(const char* type, std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> head;
    AppendBigEndian(head, static_cast<std::uint32_t>(data.size()));
    head.insert(head.end(), type, type + 4);
    // The CRC covers the type and the data (zlib takes no data as a fresh
    // start, whatever it is given to go on from).
    uLong sum = crc32_z(0, head.data() + 4, 4);
    if (!data.empty())
        sum = crc32_z(sum, data.data(), data.size());
    std::vector<std::uint8_t> crc;
    AppendBigEndian(crc, static_cast<std::uint32_t>(sum));
    return WriteAll(fFileDescriptor, head.data(), head.size(), fError) &&
           WriteAll(fFileDescriptor, data.data(), data.size(), fError) &&
           WriteAll(fFileDescriptor, crc.data(), crc.size(), fError);
}

bool PngStream::WriteRows(const std::uint8_t* rows, std::int32_t count)
{
    return WriteRows(count, [this, rows](std::int32_t first, std::int32_t n, std::uint8_t* row) {
        std::copy_n(rows + static_cast<std::size_t>(first) * fRowBytes, static_cast<std::size_t>(n) * fRowBytes, row);
    });
}

bool PngStream::WriteRows(std::int32_t count, const PngRowMaker& make)
{
    if (!fError.empty() || count <= 0 || fRowsLeft == 0)
        return fError.empty();
    count = std::min(count, fRowsLeft);
    fRowsLeft -= count;
    const std::size_t stride = fRowBytes + 1;
    fWaiting.resize((static_cast<std::size_t>(fWaitingRows) + count) * stride);
    std::uint8_t* firstNew = fWaiting.data() + static_cast<std::size_t>(fWaitingRows) * stride;
    // A piece's worth of rows a job, one row at a time after its filter type.
    const std::int32_t jobs = (count + fPieceRows - 1) / fPieceRows;
    RunJobs(jobs, fControl, [&](std::int32_t job, std::int32_t) {
        const std::int32_t first = job * fPieceRows, last = std::min(count, first + fPieceRows);
        for (std::int32_t r = first; r < last; ++r) {
            std::uint8_t* row = firstNew + static_cast<std::size_t>(r) * stride;
            row[0] = kNoFilter;
            make(r, 1, row + 1);
        }
    });
    fWaitingRows += count;
    return DeflateFullPieces();
}

// The pieces the waiting rows fill, and once every row is in, the last
// (shorter) piece too, each deflated on a thread of its own and written in
// order; the rows of a piece not yet full wait for the next band.
bool PngStream::DeflateFullPieces()
{
    const bool complete = fRowsLeft == 0;
    const std::int32_t pieces = complete ? (fWaitingRows + fPieceRows - 1) / fPieceRows : fWaitingRows / fPieceRows;
    const std::size_t pieceBytes = static_cast<std::size_t>(fPieceRows) * (fRowBytes + 1);
    fPieces.resize(std::max(fPieces.size(), static_cast<std::size_t>(pieces)));
    RunJobs(pieces, fControl, [&](std::int32_t p, std::int32_t worker) {
        auto& deflater = fDeflaters[static_cast<std::size_t>(worker)];
        if (!deflater)
            deflater.emplace();
        const std::size_t start = static_cast<std::size_t>(p) * pieceBytes;
        deflater->Deflate(std::span(fWaiting).subspan(start, std::min(pieceBytes, fWaiting.size() - start)),
                          complete && p == pieces - 1, fPieces[static_cast<std::size_t>(p)]);
    });
    for (std::int32_t p = 0; p < pieces; ++p) {
        DeflatedPiece& piece = fPieces[static_cast<std::size_t>(p)];
        fJoin.Join(piece, complete && p == pieces - 1);
        if (!WriteChunk("IDAT", piece.bytes))
            return false;
    }
    const std::size_t used = std::min(fWaiting.size(), static_cast<std::size_t>(pieces) * pieceBytes);
    fWaiting.erase(fWaiting.begin(), fWaiting.begin() + static_cast<std::ptrdiff_t>(used));
    fWaitingRows -= std::min(fWaitingRows, pieces * fPieceRows);
    return !complete || WriteChunk("IEND", {});
}

Result<std::string> ReadParameterChunk(const std::string& path)
{
    const ReadFile file = OpenToRead(path);
    if (!file)
        return Failure{std::strerror(errno)};
    const std::unique_ptr<spng_ctx, ContextFreer> context(spng_ctx_new(0));
    if (!context)
        return Failure{"out of memory"};
    spng_ctx* ctx = context.get();
    spng_set_chunk_limits(ctx, kChunkSizeLimit, kChunkCacheLimit);
    spng_set_option(ctx, SPNG_CHUNK_COUNT_LIMIT, kChunkCountLimit);
    spng_set_png_file(ctx, file.get());
    spng_ihdr header{};
    if (const int result = spng_get_ihdr(ctx, &header); result != 0)
        return Failure{result == SPNG_ESIGNATURE || result == SPNG_IO_EOF
                           ? "not a PNG file"
                           : std::string("not a readable PNG file: ") + spng_strerror(result)};
    // The chunks before the image data: where every picture of ours has its
    // text.
    std::uint32_t count = 0;
    const int result = spng_decode_chunks(ctx);
    if (result == 0 && spng_get_text(ctx, nullptr, &count) == 0 && count > 0) {
        std::vector<spng_text> chunks(count);
        if (spng_get_text(ctx, chunks.data(), &count) == 0) {
            for (const spng_text& chunk : chunks)
                if (std::strcmp(chunk.keyword, kParameterKeyword) == 0)
                    return std::string(chunk.text, chunk.length);
        }
    }
    if (result != 0 && result != SPNG_ECHUNKAVAIL)
        return Failure{std::string("not a readable PNG file: ") + spng_strerror(result)};
    return Failure{std::string("no ") + kParameterKeyword + " text in it"};
}

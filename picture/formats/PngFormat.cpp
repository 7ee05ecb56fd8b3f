#include "PngFormat.h"

#include "AverageBlocks.h"
#include "ExponentColours.h"
#include "FormatParts.h"
#include "OutputFile.h"
#include "ParameterText.h"
#include "ReadFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <spng.h>

namespace {

// Chosen by measurement (bench/render_targets.in): level 1 keeps the encoder
// behind the fractal, and higher levels shrank the files by little. Indices
// are not magnitudes, so filtering them gains nothing (the PNG book's advice
// too); the smooth RGB of supersampled pictures halves in size with the
// adaptive filters, and its encoder has K x K times the fractal's time.
constexpr int kCompressionLevel = 1;
constexpr int kIndexedFilters = SPNG_FILTER_CHOICE_NONE;
constexpr int kRgbFilters = SPNG_FILTER_CHOICE_ALL;

// Ours is a few hundred bytes; no chunk we need is larger than this, and
// all the chunks kept together (text decompressed) stay within the cache.
constexpr std::size_t kChunkSizeLimit = 64 * 1024;
constexpr std::size_t kChunkCacheLimit = 1024 * 1024;
constexpr std::uint32_t kChunkCountLimit = 256;

struct ContextFreer {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

// The picture's colours through the PLTE, or as RGB averaged from the
// samples of each pixel.
class PngWriter final : public FormatWriter {
public:
    PngWriter(int fileDescriptor, const PictureDescription& picture)
        : fWidth(picture.width), fSupersample(picture.supersample), fColours(picture),
          fStream(fileDescriptor, picture.width, picture.height,
                  picture.supersample == 1 && fColours.Indexed() ? &fColours.Plte() : nullptr,
                  PngTextChunks{{"Software", kSoftware}, {kParameterKeyword, ParameterText(picture)}})
    {
    }

    bool WriteSampleRows(const std::uint8_t* samples, std::int32_t rows) override
    {
        if (fSupersample == 1)
            return fStream.WriteRows(samples, rows);
        fBytes.resize(static_cast<std::size_t>(fWidth) * rows * 3);
        const ColourMap& colours = fColours.Plte();
        AverageBlocks(samples, fWidth, rows, fSupersample,
                      [&colours](std::uint8_t v) -> const RgbColour& { return colours[v]; }, fBytes.data());
        return fStream.WriteRows(fBytes.data(), rows);
    }

    bool WriteExponentRows(const double* exponents, std::int32_t rows) override
    {
        const std::size_t pixels = static_cast<std::size_t>(fWidth) * rows;
        if (fSupersample == 1 && fColours.Indexed()) {
            fBytes.resize(pixels);
            std::ranges::transform(exponents, exponents + pixels, fBytes.begin(),
                                   [this](double e) { return fColours.Index(e); });
        } else {
            fBytes.resize(pixels * 3);
            AverageBlocks(exponents, fWidth, rows, fSupersample,
                          [this](double e) -> const RgbColour& { return fColours.Colour(e); }, fBytes.data());
        }
        return fStream.WriteRows(fBytes.data(), rows);
    }

    const std::string& Error() const override { return fStream.Error(); }

private:
    std::int32_t fWidth;
    std::int32_t fSupersample;
    ExponentColours fColours;
    PngStream fStream;
    std::vector<std::uint8_t> fBytes;  // one band, when coloured here
};

} // namespace

bool IsPng(std::string_view start)
{
    return start.starts_with("\x89PNG");
}

std::unique_ptr<FormatWriter> StartPng(int fileDescriptor, const PictureDescription& picture)
{
    return std::make_unique<PngWriter>(fileDescriptor, picture);
}

PngStream::PngStream(int fileDescriptor, std::int32_t width, std::int32_t height,
                     const ColourMap* colours, const PngTextChunks& text)
    : fContext(spng_ctx_new(SPNG_CTX_ENCODER)), fFileDescriptor(fileDescriptor),
      fRowBytes(static_cast<std::size_t>(width) * (colours != nullptr ? 1 : 3))
{
    if (fContext == nullptr) {
        fError = "out of memory";
        return;
    }
    spng_ihdr header{};
    header.width = static_cast<std::uint32_t>(width);
    header.height = static_cast<std::uint32_t>(height);
    header.bit_depth = 8;
    header.color_type = colours != nullptr ? SPNG_COLOR_TYPE_INDEXED : SPNG_COLOR_TYPE_TRUECOLOR;
    spng_plte plte{};
    if (colours != nullptr) {
        plte.n_entries = static_cast<std::uint32_t>(colours->size());
        for (std::size_t i = 0; i < colours->size(); ++i)
            plte.entries[i] = {(*colours)[i].red, (*colours)[i].green, (*colours)[i].blue, 255};
    }
    std::vector<spng_text> chunks(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::strncpy(chunks[i].keyword, text[i].first.c_str(), sizeof(chunks[i].keyword) - 1);
        chunks[i].type = SPNG_TEXT;
        chunks[i].length = text[i].second.size();
        chunks[i].text = const_cast<char*>(text[i].second.c_str());
    }
    // Each step only runs if every earlier one succeeded.
    Check(spng_set_png_stream(fContext, WriteOut, this)) &&
        Check(spng_set_ihdr(fContext, &header)) &&
        (colours == nullptr || Check(spng_set_plte(fContext, &plte))) &&
        Check(spng_set_text(fContext, chunks.data(), static_cast<std::uint32_t>(chunks.size()))) &&
        Check(spng_set_option(fContext, SPNG_IMG_COMPRESSION_LEVEL, kCompressionLevel)) &&
        Check(spng_set_option(fContext, SPNG_FILTER_CHOICE,
                              colours != nullptr ? kIndexedFilters : kRgbFilters)) &&
        Check(spng_encode_image(fContext, nullptr, 0, SPNG_FMT_PNG,
                                SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE));
}

PngStream::~PngStream()
{
    spng_ctx_free(fContext);
}

int PngStream::WriteOut(spng_ctx*, void* self, void* bytes, std::size_t length)
{
    auto* stream = static_cast<PngStream*>(self);
    return WriteAll(stream->fFileDescriptor, static_cast<const std::uint8_t*>(bytes), length,
                    stream->fError)
               ? 0
               : SPNG_IO_ERROR;
}

bool PngStream::Check(int result)
{
    if (result != 0 && result != SPNG_EOI && fError.empty())
        fError = spng_strerror(result);
    return fError.empty();
}

bool PngStream::WriteRows(const std::uint8_t* rows, std::int32_t count)
{
    for (std::int32_t i = 0; i < count && fError.empty(); ++i)
        Check(spng_encode_row(fContext, rows + static_cast<std::size_t>(i) * fRowBytes, fRowBytes));
    return fError.empty();
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

#include "PngStream.h"

#include "OutputFile.h"

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

} // namespace

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

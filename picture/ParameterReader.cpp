#include "ParameterReader.h"

#include "PictureDescription.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <spng.h>
#include <vector>

namespace {

// Ours is a few hundred bytes; no chunk we need is larger than this, and
// all the chunks kept together (text decompressed) stay within the cache.
constexpr std::size_t kChunkSizeLimit = 64 * 1024;
constexpr std::size_t kChunkCacheLimit = 1024 * 1024;
constexpr std::uint32_t kChunkCountLimit = 256;

constexpr std::size_t kMaxSequenceLength = 64;

// Every key version 1 writes.
constexpr std::array<std::string_view, 13> kVersion1Keys = {
    "width", "height", "sequence", "iterations", "a-min", "a-max", "b-min",
    "b-max", "morph", "first-x", "contrast", "palette", "supersample"};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
struct ContextFreer {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

std::nullopt_t Fail(std::string& error, std::string reason)
{
    error = std::move(reason);
    return std::nullopt;
}

bool IsRateSequence(std::string_view text)
{
    return !text.empty() && text.size() <= kMaxSequenceLength &&
           text.find_first_not_of("AB") == std::string_view::npos;
}

} // namespace

std::optional<std::string> ReadParameterChunk(const std::string& path, std::string& error)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return Fail(error, std::strerror(errno));
    const std::unique_ptr<spng_ctx, ContextFreer> context(spng_ctx_new(0));
    if (!context)
        return Fail(error, "out of memory");
    spng_ctx* ctx = context.get();
    spng_set_chunk_limits(ctx, kChunkSizeLimit, kChunkCacheLimit);
    spng_set_option(ctx, SPNG_CHUNK_COUNT_LIMIT, kChunkCountLimit);
    spng_set_png_file(ctx, file.get());
    spng_ihdr header{};
    if (const int result = spng_get_ihdr(ctx, &header); result != 0)
        return Fail(error, result == SPNG_ESIGNATURE || result == SPNG_IO_EOF
                               ? "not a PNG file"
                               : std::string("not a readable PNG file: ") + spng_strerror(result));
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
        return Fail(error, std::string("not a readable PNG file: ") + spng_strerror(result));
    return Fail(error, std::string("no ") + kParameterKeyword + " text in it");
}

std::optional<ParameterFields> ParseParameterText(std::string_view text, std::string& error)
{
    const auto fail = [&error](std::string reason) { return Fail(error, std::move(reason)); };
    ParameterFields fields;
    for (bool first = true; !text.empty(); first = false) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos)
            return fail("a line that is not key=value");
        const std::string_view key = line.substr(0, equals);
        if (first && key != "version")
            return fail("no version on the first line");
        if (!fields.emplace(key, line.substr(equals + 1)).second)
            return fail("key " + std::string(key) + " twice");
    }
    if (fields.empty())
        return fail("no version on the first line");
    if (fields["version"] != "1")
        return fail("version " + fields["version"] + ", which this program does not know");
    for (const std::string_view key : kVersion1Keys)
        if (!fields.contains(key))
            return fail("no " + std::string(key));
    if (!IsRateSequence(fields.find("sequence")->second))
        return fail("sequence is not 1 to 64 letters A or B");
    return fields;
}

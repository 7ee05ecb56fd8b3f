#include "ParameterReader.h"

#include "ParameterKeys.h"
#include "TiffReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <type_traits>
#include <spng.h>
#include <vector>

namespace {

// Ours is a few hundred bytes; no chunk we need is larger than this, and
// all the chunks kept together (text decompressed) stay within the cache.
constexpr std::size_t kChunkSizeLimit = 64 * 1024;
constexpr std::size_t kChunkCacheLimit = 1024 * 1024;
constexpr std::uint32_t kChunkCountLimit = 256;

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

std::optional<PictureParameters> ReadPictureParameters(const std::string& path, std::string& error)
{
    char start[8] = {};
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return Fail(error, std::strerror(errno));
    using namespace std::string_view_literals;
    const std::string_view magic(start, std::fread(start, 1, sizeof start, file.get()));
    if (magic.starts_with("\x93NUMPY"sv))
        return Fail(error, "a NumPy array, which holds no parameters");
    if (magic.starts_with("II*\0"sv) || magic.starts_with("MM\0*"sv) || magic.starts_with("II+\0"sv) ||
        magic.starts_with("MM\0+"sv)) {
        auto text = ReadTiffDescription(path, error);
        return text ? std::optional(PictureParameters{std::move(*text), true}) : std::nullopt;
    }
    if (!magic.starts_with("\x89PNG"sv))
        return Fail(error, "not a PNG or TIFF file");
    auto text = ReadParameterChunk(path, error);
    return text ? std::optional(PictureParameters{std::move(*text), false}) : std::nullopt;
}

namespace {

// The values of a parameter text by key, as written.
using ParameterFields = std::map<std::string, std::string, std::less<>>;

// "version=" on the first line, then one "key=value" line each, each key once.
std::optional<ParameterFields> SplitParameterText(std::string_view text, std::string& error)
{
    ParameterFields fields;
    for (bool first = true; !text.empty(); first = false) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos)
            return Fail(error, "a line that is not key=value");
        const std::string_view key = line.substr(0, equals);
        if (first && key != "version")
            return Fail(error, "no version on the first line");
        if (!fields.emplace(key, line.substr(equals + 1)).second)
            return Fail(error, "key " + Escaped(key) + " twice");
    }
    if (fields.empty())
        return Fail(error, "no version on the first line");
    return fields;
}

} // namespace

std::optional<PictureDescription> ReadParameterText(std::string_view text, std::string& error)
{
    const auto fields = SplitParameterText(text, error);
    if (!fields)
        return std::nullopt;
    const std::string& version = fields->find("version")->second;
    if (!ReadValue<std::int32_t>({ValueRule::kWhole, 1, kParameterVersion}, version))
        return Fail(error, "version " + Escaped(version) + ", which this program does not know");
    PictureDescription picture;
    std::string complaint;  // about the first key missing or not accepted
    ForEachParameterKey(picture, [&](const ParameterKey& key, auto& field) {
        const auto found = fields->find(key.key);
        if (!complaint.empty())
            return;
        if (found == fields->end()) {
            if (key.version == 1)
                complaint = "no " + std::string(key.key);
        } else if (const auto value = ReadValue<std::remove_cvref_t<decltype(field)>>(key.rule, found->second)) {
            field = *value;
        } else {
            complaint = std::string(key.key) + ": expected " + AcceptedText(key.rule) + ", got " +
                        Quoted(found->second);
        }
    });
    if (!complaint.empty())
        return Fail(error, complaint);
    return picture;
}

#include "FrameName.h"

#include <cctype>
#include <functional>

namespace {

// More digits than any frame number has; a wider field is refused.
constexpr std::size_t kMaxWidthDigits = 2;

struct Field {
    bool zeroPadded = false;
    std::size_t width = 0;
};

// Walks the pattern: each literal character (a "%%" is one '%') goes to
// literal, each field to field. False at a '%' that begins neither.
bool Walk(std::string_view pattern, const std::function<void(char)>& literal,
          const std::function<void(const Field&)>& field)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            literal(pattern[i]);
            continue;
        }
        std::size_t j = i + 1;
        if (j < pattern.size() && pattern[j] == '%') {
            literal('%');
            i = j;
            continue;
        }
        Field f;
        f.zeroPadded = j < pattern.size() && pattern[j] == '0';
        j += f.zeroPadded ? 1 : 0;
        const std::size_t digits = j;
        while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])) &&
               j - digits < kMaxWidthDigits)
            f.width = f.width * 10 + static_cast<std::size_t>(pattern[j++] - '0');
        if (j >= pattern.size() || pattern[j] != 'd')
            return false;
        field(f);
        i = j;
    }
    return true;
}

} // namespace

std::int32_t FrameFieldCount(std::string_view pattern)
{
    std::int32_t fields = 0;
    const bool wellFormed = Walk(pattern, [](char) {}, [&fields](const Field&) { ++fields; });
    return wellFormed ? fields : -1;
}

std::string FrameFileName(std::string_view pattern, std::int64_t frame)
{
    std::string name;
    Walk(pattern, [&name](char c) { name += c; }, [&name, frame](const Field& f) {
        const std::string number = std::to_string(frame);
        if (number.size() < f.width)
            name.append(f.width - number.size(), f.zeroPadded ? '0' : ' ');
        name += number;
    });
    return name;
}

#include "LyapSequence.h"

std::optional<LyapSequence> ParseLyapSequence(std::string_view text)
{
    if (text.empty() || text.size() > static_cast<std::size_t>(kLyapMaxSequence))
        return std::nullopt;
    LyapSequence s{0, static_cast<std::int32_t>(text.size())};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == 'B' || c == 'b')
            s.bSteps |= std::uint64_t{1} << i;
        else if (c != 'A' && c != 'a')
            return std::nullopt;
    }
    return s;
}

std::string LyapSequenceText(const LyapSequence& s)
{
    std::string text;
    for (std::int32_t i = 0; i < s.length && i < kLyapMaxSequence; ++i)
        text += ((s.bSteps >> i) & 1) != 0 ? 'B' : 'A';
    return text;
}

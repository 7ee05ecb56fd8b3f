// Pictures that differ from a base in one parameter key alone, for tests that
// follow every key of the table through a path: a key added to the table is
// then followed too, with no list in the tests to extend.
#pragma once

#include "ColourMap.h"
#include "ParameterKeys.h"

#include <cmath>
#include <cstddef>
#include <type_traits>
#include <vector>

// The keys in the table's order.
inline std::vector<ParameterKey> AllParameterKeys()
{
    const PictureDescription picture;
    std::vector<ParameterKey> keys;
    ForEachParameterKey(picture, [&keys](const ParameterKey& key, const auto&) { keys.push_back(key); });
    return keys;
}

// base with key `index` moved to another value its rule accepts: the next
// whole number, the next larger real, a five-letter sequence, or a colour
// map (shipped, or one that no name gives).
inline PictureDescription WithOneKeyChanged(std::size_t index, PictureDescription base = {}, bool shippedMap = false)
{
    std::size_t k = 0;
    ForEachParameterKey(base, [&](const ParameterKey& key, auto& field) {
        using Value = std::remove_cvref_t<decltype(field)>;
        if (k++ != index)
            return;
        if constexpr (std::is_same_v<Value, std::int32_t>)
            field = field < key.rule.high ? field + (key.rule.kind == ValueRule::kEvenWhole ? 2 : 1) : key.rule.low;
        else if constexpr (std::is_same_v<Value, double>)
            field = std::nextafter(field, 1e300); // its shortest text has 16 or 17 digits
        else if constexpr (std::is_same_v<Value, LyapSequence>)
            field = {0b10100, 5};
        else {
            ColourMap ramp{};
            for (std::size_t v = 0; v < ramp.size(); ++v)
                ramp[v] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v), 7};
            field = shippedMap ? NamedColourMap("fire") : ramp;
        }
    });
    return base;
}

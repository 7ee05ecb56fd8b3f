// Pictures that differ from a base in one parameter key alone, for tests that
// follow every key of the table through a path: a key added to the table is
// then followed too, with no list in the tests to extend.
#pragma once

#include "ColourMap.h"
#include "ParameterKeys.h"

#include <cstddef>
#include <type_traits>

inline std::size_t ParameterKeyCount()
{
    const PictureDescription picture;
    std::size_t count = 0;
    ForEachParameterKey(picture, [&count](const ParameterKey&, const auto&) { ++count; });
    return count;
}

// The key number `index`, in the table's order.
inline ParameterKey ParameterKeyAt(std::size_t index)
{
    const PictureDescription picture;
    ParameterKey found{};
    std::size_t k = 0;
    ForEachParameterKey(picture, [&](const ParameterKey& key, const auto&) {
        if (k++ == index)
            found = key;
    });
    return found;
}

// base with key `index` moved to another value its rule accepts: the next
// whole number, a real a little larger, a five-letter sequence, or a colour
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
            field += 0.375;
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

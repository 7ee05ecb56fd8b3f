#include "PictureDescription.h"

#include "ParameterKeys.h"

#include <algorithm>
#include <vector>

std::string ParameterText(const PictureDescription& picture)
{
    const PictureDescription byDefault;
    std::vector<std::string> defaults;
    ForEachParameterKey(byDefault, [&defaults](const ParameterKey&, const auto& field) {
        defaults.push_back(ValueText(field));
    });
    std::int32_t version = 1;
    std::size_t index = 0;
    // Appended piece by piece: gcc 12 at -O3 warns falsely (-Wrestrict)
    // about a literal + std::string temporary.
    std::string lines;
    ForEachParameterKey(picture, [&](const ParameterKey& key, const auto& field) {
        const std::string value = ValueText(field);
        const bool atDefault = value == defaults[index++];
        if (key.version > 1 && atDefault)
            return;
        version = std::max(version, key.version);
        lines += key.key;
        lines += '=';
        lines += value;
        lines += '\n';
    });
    std::string text = "version=";
    text += std::to_string(version);
    text += '\n';
    return text + lines;
}

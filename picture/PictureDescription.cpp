#include "PictureDescription.h"

#include "ParameterKeys.h"

#include <algorithm>

std::string ParameterText(const PictureDescription& picture)
{
    std::int32_t version = 1;
    // Appended piece by piece: gcc 12 at -O3 warns falsely (-Wrestrict)
    // about a literal + std::string temporary.
    std::string lines;
    ForEachParameterKeyAndDefault(picture, [&](const ParameterKey& key, const auto& field, const auto& byDefault) {
        if (key.version > 1 && AtDefault(field, byDefault))
            return;
        version = std::max(version, key.version);
        lines += key.key;
        lines += '=';
        lines += ValueText(field);
        lines += '\n';
    });
    std::string text = "version=";
    text += std::to_string(version);
    text += '\n';
    return text + lines;
}

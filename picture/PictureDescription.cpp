#include "PictureDescription.h"

#include "ParameterKeys.h"

std::string ParameterText(const PictureDescription& picture)
{
    // Appended piece by piece: gcc 12 at -O3 warns falsely (-Wrestrict)
    // about a literal + std::string temporary.
    std::string text = "version=";
    text += kParameterVersion;
    text += '\n';
    ForEachParameterKey(picture, [&text](const ParameterKey& key, const auto& field) {
        text += key.key;
        text += '=';
        text += ValueText(field);
        text += '\n';
    });
    return text;
}

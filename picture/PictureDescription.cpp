#include "PictureDescription.h"

#include "ParameterKeys.h"

std::string ParameterText(const PictureDescription& picture)
{
    std::string text = "version=" + std::string(kParameterVersion) + "\n";
    ForEachParameterKey(picture, [&text](const ParameterKey& key, const auto& field) {
        text += key.key + ("=" + ValueText(field)) + "\n";
    });
    return text;
}

#include "ParameterText.h"

#include "ParameterKeys.h"

#include <algorithm>
#include <map>
#include <type_traits>
#include <vector>

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

namespace {

// The values of a parameter text by key, as written.
using ParameterFields = std::map<std::string, std::string, std::less<>>;

// "version=" on the first line, then one "key=value" line each, each key once.
Result<ParameterFields> SplitParameterText(std::string_view text)
{
    ParameterFields fields;
    for (bool first = true; !text.empty(); first = false) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos)
            return Failure{"a line that is not key=value"};
        const std::string_view key = line.substr(0, equals);
        if (first && key != "version")
            return Failure{"no version on the first line"};
        if (!fields.emplace(key, line.substr(equals + 1)).second)
            return Failure{"key " + Escaped(key) + " twice"};
    }
    if (fields.empty())
        return Failure{"no version on the first line"};
    return fields;
}

} // namespace

Result<PictureDescription> ReadParameterText(std::string_view text)
{
    const auto fields = SplitParameterText(text);
    if (!fields)
        return Failure{fields.Reason()};
    const std::string& version = fields->find("version")->second;
    if (!ReadValue<std::int32_t>({ValueRule::kWhole, 1, kParameterVersion}, version))
        return Failure{"version " + Escaped(version) + ", which this program does not know"};
    PictureDescription picture;
    std::string complaint;  // about the first key missing or not accepted
    ForEachParameterKey(picture, [&](const ParameterKey& key, auto& field) {
        const auto found = fields->find(key.key);
        if (!complaint.empty())
            return;
        if (found == fields->end()) {
            if (key.version == 1)
                complaint = "no " + std::string(key.key);
        } else {
            complaint = ReadKeyValue(key, field, found->second).value_or("");
        }
    });
    if (!complaint.empty())
        return Failure{complaint};
    return picture;
}

#include "ParameterReader.h"

#include "ParameterKeys.h"

#include <map>
#include <type_traits>

namespace {

std::nullopt_t Fail(std::string& error, std::string reason)
{
    error = std::move(reason);
    return std::nullopt;
}

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

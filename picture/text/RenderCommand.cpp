#include "RenderCommand.h"

#include "ParameterKeys.h"

#include <vector>

std::string RenderCommand(const PictureDescription& picture, const std::string& output)
{
    // "--a=-1:2", not "--a -1:2", which could read as an option.
    std::string command = "ombrelia-render";
    const PictureDescription byDefault;
    std::vector<std::string> defaults;
    ForEachParameterKey(byDefault, [&defaults](const ParameterKey&, const auto& field) {
        defaults.push_back(ValueText(field));
    });
    std::size_t index = 0;
    ForEachParameterKey(picture, [&](const ParameterKey& key, const auto& field) {
        // Later keys at their default are left out, as from the parameter
        // text (a colour map could not be typed as its value anyway).
        const bool atDefault = ValueText(field) == defaults[index++];
        if (key.version > 1 && atDefault)
            return;
        if (key.joinedBy == 0) {
            command += ' ';
            command += key.option;
            command += '=';
        } else {
            command += key.joinedBy;
        }
        command += ValueText(field);
    });
    command += " -o ";
    command += output;
    return command;
}

#include "RenderCommand.h"

#include "ParameterKeys.h"


std::string RenderCommand(const PictureDescription& picture, const std::string& output)
{
    // "--a=-1:2", not "--a -1:2", which could read as an option.
    std::string command = "ombrelia-render";
    ForEachParameterKeyAndDefault(picture, [&](const ParameterKey& key, const auto& field, const auto& byDefault) {
        // Later keys at their default are left out, as from the parameter text.
        if (key.version > 1 && AtDefault(field, byDefault))
            return;
        const std::optional<std::string> spelt = OptionValueText(field);
        if (key.joinedBy != 0) {
            command += key.joinedBy;
        } else {
            command += ' ';
            command += spelt ? key.option : key.textOption;
            command += '=';
        }
        command += spelt.value_or(ValueText(field));
    });
    command += " -o ";
    command += output;
    return command;
}

#include "RenderCommand.h"

#include "ParameterKeys.h"

std::string RenderCommand(const PictureDescription& picture, const std::string& output)
{
    // "--a=-1:2", not "--a -1:2", which could read as an option.
    std::string command = "ombrelia-render";
    ForEachParameterKey(picture, [&command](const ParameterKey& key, const auto& field) {
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

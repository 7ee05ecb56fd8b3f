// Reading back the parameter text a picture file carries: from the PNG's
// text chunk, and from "key=value" lines into the values by key. What each
// value may be is the renderer's options' business; here only the form is.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// The values of a parameter text by key, as written.
using ParameterFields = std::map<std::string, std::string, std::less<>>;

// The text of the kParameterKeyword chunk of the PNG file at path. Nothing,
// with the reason in error, when the file cannot be read, is not a PNG or
// has no such chunk. The decoder's chunk limits keep what a hostile file
// can make it allocate to about a megabyte; the image itself is not read.
std::optional<std::string> ReadParameterChunk(const std::string& path, std::string& error);

// The fields of ParameterText's form: "version=1" on the first line, then
// one "key=value" line each. Every key that version 1 writes must be there
// exactly once; keys it does not write are ignored, so that later versions'
// additions do not hinder reading. sequence must be 1 to 64 letters A or B.
// Nothing, with the reason in error, when the text is not of that form or
// of another version.
std::optional<ParameterFields> ParseParameterText(std::string_view text, std::string& error);

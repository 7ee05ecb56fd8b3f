// Reading back the parameter text a picture file carries: from the PNG's
// text chunk or the TIFF's ImageDescription, and from its "key=value" lines into the picture they describe.
#pragma once

#include "PictureDescription.h"

#include <optional>
#include <string>
#include <string_view>

// The text of the kParameterKeyword chunk of the PNG file at path. Nothing,
// with the reason in error, when the file cannot be read, is not a PNG or
// has no such chunk. The decoder's chunk limits keep what a hostile file
// can make it allocate to about a megabyte; the image itself is not read.
std::optional<std::string> ReadParameterChunk(const std::string& path, std::string& error);

// The parameter text of a picture file of ours, told by its first bytes: a
// PNG's chunk, or the ImageDescription of a TIFF, which holds the exponents
// (exponents set). Nothing, with the reason in error, for any other file
// (a NumPy array: it holds no parameters).
struct PictureParameters {
    std::string text;
    bool exponents = false;
};
std::optional<PictureParameters> ReadPictureParameters(const std::string& path, std::string& error);

// The picture a text of ParameterText's form describes: "version=V" on the
// first line (V from 1 to kParameterVersion), then one "key=value" line
// each. Every key of ParameterKeys.h must be there exactly once (those of
// later versions than 1 may be missing: their default), its value as its
// option would accept it; keys not in the list are ignored. Nothing, with
// the reason (one line, the value quoted) in error, when the text is not of
// that form or of a version this program does not know.
std::optional<PictureDescription> ReadParameterText(std::string_view text, std::string& error);

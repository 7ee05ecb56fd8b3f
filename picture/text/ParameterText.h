// The parameter text every picture file of ours carries, so that the
// picture can be made again: written from a picture's description, and read
// back from its "key=value" lines into the picture they describe.
#pragma once

#include "PictureDescription.h"
#include "Result.h"

#include <string>
#include <string_view>

// "version=V" first, then one "key=value" line per key of ParameterKeys.h
// (the later versions' keys only when not at their default; V the latest
// version of the keys written). Numbers are written so that reading them
// back gives the same double.
std::string ParameterText(const PictureDescription& picture);

// The picture a text of ParameterText's form describes: "version=V" on the
// first line (V from 1 to kParameterVersion), then one "key=value" line
// each. Every key of ParameterKeys.h must be there exactly once (those of
// later versions than 1 may be missing: their default), its value as its
// option would accept it; keys not in the list are ignored. The reason (one
// line, the value quoted) when the text is not of that form or of a version
// this program does not know.
Result<PictureDescription> ReadParameterText(std::string_view text);

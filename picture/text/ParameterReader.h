// Reading back the parameter text a picture file carries: from its
// "key=value" lines into the picture they describe.
#pragma once

#include "PictureDescription.h"

#include <optional>
#include <string>
#include <string_view>

// The picture a text of ParameterText's form describes: "version=V" on the
// first line (V from 1 to kParameterVersion), then one "key=value" line
// each. Every key of ParameterKeys.h must be there exactly once (those of
// later versions than 1 may be missing: their default), its value as its
// option would accept it; keys not in the list are ignored. Nothing, with
// the reason (one line, the value quoted) in error, when the text is not of
// that form or of a version this program does not know.
std::optional<PictureDescription> ReadParameterText(std::string_view text, std::string& error);

// The renderer's command line for a picture: run, it writes the same file
// that the picture's description gives the picture writer.
#pragma once

#include "PictureDescription.h"

#include <string>

// "ombrelia-render --size=384x384 --sequence=AB ... -o output": one option
// per parameter key's option, each value as ValueText writes it. Plain ASCII
// that a POSIX shell takes as it is, as long as `output` is.
std::string RenderCommand(const PictureDescription& picture, const std::string& output);

// The file names of an animation's frames: -o holds one printf-style
// integer field ("%d", "%05d", "%5d") that becomes the frame's number, and
// "%%" stands for a percent sign. Formatted here, never by printf, so that
// whatever else the name holds cannot be taken for a conversion.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How many integer fields the name holds; -1 when a '%' begins neither a
// field nor "%%".
std::int32_t FrameFieldCount(std::string_view pattern);

// The pattern, of one field, with the field replaced by frame and every
// "%%" by "%".
std::string FrameFileName(std::string_view pattern, std::int64_t frame);

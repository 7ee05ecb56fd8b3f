// Reading back a TIFF of exponents that this program wrote: its parameter
// text, and its rows band by band.
#pragma once

#include "BandedRender.h"
#include "PictureDescription.h"

#include <optional>
#include <string>

// The ImageDescription of the TIFF at path; nothing, with the reason in
// error, when it cannot be read or has none.
std::optional<std::string> ReadTiffDescription(const std::string& path, std::string& error);

// Hands the exponents of the TIFF at path to sink in bands of rows, as
// RenderBands hands on computed ones (control's band size, progress and
// interrupt; its threads are not needed). kSourceFailed, with the reason in
// error, when the file is not picture.width x picture.height 64-bit floats
// or cannot be read.
RenderOutcome ReadExponentBands(const std::string& path, const PictureDescription& picture,
                                const ExponentSink& sink, const RenderControl& control, std::string& error);

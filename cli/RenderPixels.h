// From options to the pixels of the file: colour values for PGM, RGB for PNG.
#pragma once

#include "PassRunner.h"
#include "RenderOptions.h"

#include <cstdint>
#include <optional>
#include <vector>

// Nothing when interrupted.
std::optional<std::vector<std::uint8_t>> RenderPixels(const RenderOptions& options,
                                                      const RenderControl& control);

// The finished pixels into a file of the chosen format.
#pragma once

#include "RenderOptions.h"

#include <cstdint>
#include <string>
#include <vector>

// A command line that writes the same picture again (to a file of the same
// name in the current folder); stored in every PNG.
std::string ReproductionCommand(const RenderOptions& options);

// Writes pixels (colour values for PGM, RGB for PNG) in options.format to
// the empty file open for writing on fileDescriptor. On failure returns false
// and sets error.
bool WriteImage(int fileDescriptor, const RenderOptions& options,
                const std::vector<std::uint8_t>& pixels, std::string& error);

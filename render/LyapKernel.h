// Which kernel TLyapCalc::Calculate uses, process-wide. The plain kernel
// (EvaluatePoint per pixel) is the reference; the fast kernel evaluates groups
// of pixels at once and produces the same bytes. Tests and benchmarks switch
// between them; the program keeps the default.
#pragma once

#include <cstdint>

class TLyapCalc;

enum class LyapKernel { Plain, Fast };

void SetLyapKernel(LyapKernel kernel);
LyapKernel GetLyapKernel();

// Test hook of the fast kernel: called on the pass's own thread after the
// colour values of a group of pixels have been computed and before they are
// stored, with the group's row, first column and pixel count. A request
// written into the calculator here arrives "in the middle of the group", as
// one from another thread would. Null (the default) calls nothing.
using LyapGroupHook = void (*)(TLyapCalc& calc, std::int32_t row,
                               std::int32_t firstColumn, std::int32_t count);
void SetLyapGroupHook(LyapGroupHook hook);
LyapGroupHook GetLyapGroupHook();

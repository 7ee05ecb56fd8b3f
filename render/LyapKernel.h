// Which kernel TLyapCalc::Calculate uses, process-wide. The plain kernel
// (EvaluatePoint per pixel) is the reference; the fast kernel evaluates groups
// of pixels at once and produces the same bytes. Tests and benchmarks switch
// between them; the program keeps the default.
#pragma once

enum class LyapKernel { Plain, Fast };

void SetLyapKernel(LyapKernel kernel);
LyapKernel GetLyapKernel();


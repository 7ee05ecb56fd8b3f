// The whole ombrelia-render program: parse, render, write; returns the exit
// status (0 written, 1 out of memory, 2 bad command line or an output that
// cannot be written, 128 + signal number when interrupted).
#pragma once

#include "BandedRender.h"

#include <cstdint>

// startThread: how worker threads are started (the system's way by default).
std::int32_t RunRenderProgram(int argc, const char* const* argv,
                              const ThreadStarter& startThread = StartThread);

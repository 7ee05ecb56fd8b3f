// Jobs shared out among threads: as many as a render may use, this one
// among them, each thread taking the next job as soon as it is free, so
// that jobs of uneven length even out.
#pragma once

#include "BandedRender.h"

#include <cstdint>
#include <functional>

// Runs job(0, worker) .. job(count - 1, worker), each once, on up to
// control.threads threads (the calling one among them; threads the system
// refuses are done without), and returns when all are done. Jobs run at
// the same time, so each must touch only what no other job touches, but
// what is the worker's own (worker: 0 .. control.threads - 1, one thread's
// number) is touched by one job at a time.
using Job = std::function<void(std::int32_t job, std::int32_t worker)>;
void RunJobs(std::int32_t count, const RenderControl& control, const Job& job);

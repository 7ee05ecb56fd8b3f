// The pool of render workers: one thread per processor, each computing the
// interleaved rows i, i + n, i + 2n, ... of the view's image with its own
// calculator. The tables are process-wide: the program has one view.
//
// Thread protocol (every word below is one atomic 32-bit value):
// - gWorkerStatus[i]: the window thread sets it to i before worker i's thread
//   exists; the worker stores -1 when it has finished (done or stopped).
// - gCalcs[i]->fState: the window thread stores 3 to ask for a stop; the pass
//   reads it after every group of at most 64 pixels.
// - gUnclaimedShare[i]: set by the window thread for a worker whose thread
//   could not be created, before any worker runs; the first thread to
//   exchange it back to false computes that worker's rows.
// Every other field of a calculator, and the palette map, is written only
// while no worker runs.
#pragma once

#include "LyapPassRates.h"
#include "SupportDefs.h"

#include <atomic>

class TLyapCalc;

constexpr int32 kMaxWorkers = kLyapMaxPasses;
constexpr int32 kWorkerFinished = -1;
constexpr thread_id kNoThread = -1;

extern int32 gWorkerCount;
extern TLyapCalc* gCalcs[kMaxWorkers];
extern thread_id gWorkerThreads[kMaxWorkers];
extern std::atomic<int32> gWorkerStatus[kMaxWorkers];
extern std::atomic<bool> gUnclaimedShare[kMaxWorkers];

// Clears the tables, counts the processors and creates the calculators;
// returns the primary one (entry 0).
TLyapCalc* SetUpWorkerPool();
// Destroys the calculators; no worker may run.
void TearDownWorkerPool();

// Entry of every worker thread; `data` points at its gWorkerStatus entry.
int32 WorkerMain(void* data);

// True while any worker's status is 0 or more.
bool AnyWorkerRunning();

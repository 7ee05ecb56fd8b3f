// Threads, processors and sleeping, on POSIX threads.
#pragma once

#include "SupportDefs.h"

constexpr int32 B_LOW_PRIORITY = 5;
constexpr int32 B_NORMAL_PRIORITY = 10;
constexpr int32 B_DISPLAY_PRIORITY = 15;

using thread_func = int32 (*)(void*);

struct system_info {
    int32 cpu_count;
};

// The caller's id when `name` is null.
thread_id find_thread(const char* name);
// Best effort (a per-thread nice value); a refusal by the system is ignored.
status_t set_thread_priority(thread_id thread, int32 priority);
// Processors available to this process (affinity and CPU quota), at least 1.
status_t get_system_info(system_info* info);
// A thread that waits until resume_thread; its name is visible to debuggers.
thread_id spawn_thread(thread_func entry, const char* name, int32 priority, void* data);
status_t resume_thread(thread_id thread);
// Joins the thread (a thread cannot be ended from outside); its entry's
// result goes to *exitValue. A thread still waiting for resume_thread is
// started first, so the wait cannot hang.
status_t wait_for_thread(thread_id thread, status_t* exitValue);
status_t snooze(bigtime_t microseconds);

#include "ActionLog.h"

#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#include <sanitizer/common_interface_defs.h>
#define OMBRELIA_SANITIZED 1
#endif

namespace {

// What a crash writes; set once, read by the crash path.
const ActionLog* gCrashLog = nullptr;
char gCrashHeader[256] = {};

void WriteText(const char* text)
{
    // Only write(2): this runs inside a signal handler.
    size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = write(STDERR_FILENO, text, left);
        if (written <= 0)
            return;
        text += written;
        left -= static_cast<size_t>(written);
    }
}

} // namespace

ActionLog::ActionLog(bool verbose) : fVerbose(verbose) {}

void ActionLog::Record(std::int64_t index, const char* format, ...)
{
    char* line = fLines[fRecorded % kKept];
    const int prefix = std::snprintf(line, kLineLength, "#%lld ", static_cast<long long>(index));
    va_list args;
    va_start(args, format);
    std::vsnprintf(line + prefix, static_cast<size_t>(kLineLength - prefix), format, args);
    va_end(args);
    ++fRecorded;
    if (fVerbose)
        std::fprintf(stderr, "[stress] %s\n", line);
}

std::string ActionLog::Recent() const
{
    std::string text;
    const std::int64_t first = fRecorded > kKept ? fRecorded - kKept : 0;
    for (std::int64_t i = first; i < fRecorded; ++i) {
        text += fLines[i % kKept];
        text += '\n';
    }
    return text;
}

void ActionLog::WriteRecent() const
{
    const std::int64_t first = fRecorded > kKept ? fRecorded - kKept : 0;
    for (std::int64_t i = first; i < fRecorded; ++i) {
        WriteText(fLines[i % kKept]);
        WriteText("\n");
    }
}

namespace {

void WriteCrashLog()
{
    if (gCrashLog == nullptr)
        return;
    WriteText(gCrashHeader);
    // The lines are whole: each is finished before the action it names runs.
    gCrashLog->WriteRecent();
}

#ifndef OMBRELIA_SANITIZED
void OnFatalSignal(int signal)
{
    WriteCrashLog();
    // The handler was installed to run once: the default action follows.
    std::raise(signal);
}
#endif

} // namespace

void ActionLog::WriteOnCrash(const char* header)
{
    gCrashLog = this;
    std::snprintf(gCrashHeader, sizeof gCrashHeader, "%s\n", header);
#ifdef OMBRELIA_SANITIZED
    // The sanitizers handle the signals themselves; they call this before
    // the process ends.
    __sanitizer_set_death_callback(WriteCrashLog);
#else
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(signal, &action, nullptr);
#endif
}

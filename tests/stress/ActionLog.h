// The last actions of a stress run, kept so that a failure can say what led
// to it: printed when an invariant breaks, and written out by a crash (a
// signal, or a sanitizer's report) before the process dies.
#pragma once

#include <cstdint>
#include <string>

class ActionLog {
public:
    static constexpr int kKept = 20;

    // `verbose`: also print every action as it is recorded (to replay a hang).
    explicit ActionLog(bool verbose);

    // Recorded before the action runs, so that a crash names the action under way.
    void Record(std::int64_t index, const char* format, ...)
        __attribute__((format(printf, 3, 4)));

    // The kept actions, oldest first, one a line.
    std::string Recent() const;
    // The same to stderr, with write(2) only: safe in a signal handler.
    void WriteRecent() const;

    // From now on a crash writes `header` and the kept actions to stderr.
    void WriteOnCrash(const char* header);

private:
    static constexpr int kLineLength = 160;

    bool fVerbose;
    std::int64_t fRecorded = 0;
    char fLines[kKept][kLineLength] = {};
};

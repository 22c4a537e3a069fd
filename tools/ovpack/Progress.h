// The packer's progress line: shown on a terminal only (stderr must be a
// tty), and only once packing has taken longer than a moment, so quick
// runs and logs stay clean.  Redrawn in place at most ten times a second;
// Finish wipes it.  Not thread-safe: one thread reports.
#ifndef ORVANE_TOOLS_OVPACK_PROGRESS_H
#define ORVANE_TOOLS_OVPACK_PROGRESS_H

#include <stdint.h>

#include <chrono>
#include <string>

class Progress {
public:
    Progress(const std::string& what, uint32_t entries, uint64_t bytes);
    ~Progress() { Finish(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Update(uint32_t entriesDone, uint64_t bytesDone);
    void Finish();

private:
    using Clock = std::chrono::steady_clock;

    std::string what;
    uint32_t entries;
    uint64_t bytes;
    bool enabled;
    bool shown;
    Clock::time_point start;
    Clock::time_point lastDrawn;
    std::chrono::milliseconds delay;
};

#endif

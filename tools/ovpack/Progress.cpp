#include "Progress.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// How long a run may take before it shows its progress.  The tests set
// OVPACK_PROGRESS_DELAY_MS to see the line without packing for a second.
std::chrono::milliseconds ProgressDelay() {
    const char* text = getenv("OVPACK_PROGRESS_DELAY_MS");
    if (text != nullptr && *text != '\0') {
        char* end;
        long value = strtol(text, &end, 10);
        if (*end == '\0' && value >= 0) return std::chrono::milliseconds(value);
    }
    return std::chrono::milliseconds(1000);
}

double MiB(uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

Progress::Progress(const std::string& what, uint32_t entries, uint64_t bytes)
    : what(what), entries(entries), bytes(bytes), enabled(isatty(STDERR_FILENO) == 1), shown(false),
      start(Clock::now()), lastDrawn(start), delay(ProgressDelay()) {}

void Progress::Update(uint32_t entriesDone, uint64_t bytesDone) {
    if (!enabled) return;
    Clock::time_point now = Clock::now();
    if (now - start < delay) return;
    if (shown && now - lastDrawn < std::chrono::milliseconds(100)) return;
    int percent = bytes == 0 ? 100 : static_cast<int>(bytesDone * 100 / bytes);
    // \033[K clears what a longer previous line left on the right.
    fprintf(stderr, "\r%s: %u/%u entries, %.1f of %.1f MiB (%d%%)\033[K", what.c_str(), entriesDone, entries,
            MiB(bytesDone), MiB(bytes), percent);
    fflush(stderr);
    shown = true;
    lastDrawn = now;
}

void Progress::Finish() {
    if (!shown) return;
    fputs("\r\033[K", stderr);
    fflush(stderr);
    shown = false;
}

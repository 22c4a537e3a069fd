// The inflate floor of the benchmark: every entry of the payload's
// archives inflated from memory into memory with the launcher's own zlib,
// with no file, resource or stream in between; and the same entries
// through the launcher's own inflate pump, whose output is dropped.
#ifndef ORVANE_BENCH_RUN_INFLATEFLOOR_H
#define ORVANE_BENCH_RUN_INFLATEFLOOR_H

#include <stdint.h>

#include <string>
#include <vector>

class InflateFloor {
public:
    // Reads the archive files whole and walks their directories; false,
    // with the reason, when a file cannot be read or the walker refuses an
    // archive.  Everything is in memory afterwards.
    bool Load(const std::vector<std::string>& archives, std::string& error);

    // Inflates every entry once (one inflate call per entry, into one
    // buffer of the largest entry's size).  False, naming the entry, when
    // a stream does not inflate to exactly its recorded size from exactly
    // its stored bytes.
    bool InflateAll(std::string& error);

    // Runs every entry through QlInflatePump (from a memory stream, into an
    // output stream that only counts).  False, naming the entry, when the
    // pump does not give exactly the recorded size and the stream's end.
    bool PumpAll(std::string& error);

    size_t Entries() const { return entries.size(); }
    unsigned long long InflatedBytes() const { return inflatedBytes; }

private:
    struct Entry {
        std::string name;
        const uint8_t* data;
        uint32_t storedSize;
        uint32_t inflatedSize;
    };

    std::vector<std::string> files;  // owns the bytes that entries point into
    std::vector<Entry> entries;
    std::vector<uint8_t> output;
    unsigned long long inflatedBytes = 0;
};

#endif

// The benchmark's payload, planned as a pure function of its size: 68
// generated files in nested folders, spread over the five archives the
// launcher extracts (8, 41, 17, 1 and 1 files; the stand-in next stage
// Bootlace.exe makes SETUPBASE's 42nd).  Same size, same plan and same
// bytes on every machine: only integer arithmetic and our own generator.
#ifndef ORVANE_BENCH_GEN_PAYLOADPLAN_H
#define ORVANE_BENCH_GEN_PAYLOADPLAN_H

#include <stdint.h>

#include <string>
#include <vector>

enum class ContentKind { Text, Code, Random };

struct PlannedFile {
    std::string archive;  // BASE, SETUPBASE, SETUPWEB, OVIMAGE or OVVERSION
    std::string path;     // relative to the archive, backslash separators
    ContentKind kind;
    uint64_t size;
    uint64_t seed;  // of the file's content
};

// The plan for about totalBytes of content (exact when totalBytes is at
// least a few kilobytes; tiny totals still give every file one byte).
// Bytes go about 40% to incompressible files (OVIMAGE's one file among
// them), 30% to text and 30% to code.
std::vector<PlannedFile> PlanPayload(uint64_t totalBytes);

// splitmix64: small, fast and fully specified, so content is the same
// everywhere (the standard library's distributions are not).
class BenchRandom {
public:
    explicit BenchRandom(uint64_t seed) : state(seed) {}
    uint64_t Next();
    // Uniform in 0 .. bound - 1; bound must not be 0.
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(((Next() >> 32) * bound) >> 32); }

private:
    uint64_t state;
};

#endif

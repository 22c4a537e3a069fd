// Sizes of a PE executable for the benchmark's size rows: the whole file
// and the raw bytes of its resource section (.rsrc), so the code and data
// an executable carries can be told apart from its icons, dialogs,
// bitmaps and embedded archives.  Portable: reads the headers from bytes.
#ifndef ORVANE_BENCH_GEN_PESIZES_H
#define ORVANE_BENCH_GEN_PESIZES_H

#include <stdint.h>

#include <string>

struct PeSizes {
    uint64_t file;       // the whole file
    uint64_t resources;  // raw size of .rsrc, 0 without one
    uint64_t WithoutResources() const { return file - resources; }
};

// False, with the reason in error, when bytes are not a PE image whose
// headers and section table lie inside them, or when a section's raw data
// would reach past the end of the file.
bool ReadPeSizes(const std::string& bytes, PeSizes& sizes, std::string& error);

#endif

// Content of the benchmark's files, a pure function of kind, size and seed:
// text-like (prose from a small skewed vocabulary, CRLF lines), code-like
// (indented statements over a set of identifiers) and incompressible
// (generator output).  Text and code compress roughly as real documents
// and sources do under zlib; random bytes do not compress at all.
#ifndef ORVANE_BENCH_GEN_CONTENT_H
#define ORVANE_BENCH_GEN_CONTENT_H

#include <stdint.h>

#include <string>

#include "PayloadPlan.h"

// Exactly size bytes.
std::string MakeContent(ContentKind kind, uint64_t size, uint64_t seed);

#endif

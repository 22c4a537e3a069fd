// Archives built by hand, byte by byte, independently of the packer, for
// tests that need sound or deliberately damaged ones.  Portable: zlib and
// the standard library only.
#ifndef ORVANE_TESTS_COMMON_ARCHIVE_BUILDER_H
#define ORVANE_TESTS_COMMON_ARCHIVE_BUILDER_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace archivetest {

struct RawEntry {
    RawEntry(const std::string& name, const std::string& content) : name(name), content(content) {}
    std::string name;
    std::string content;
    std::string stored;      // the stored bytes; empty: Deflate(content)
    uint32_t gapBefore = 0;  // junk bytes before the stored bytes
    uint32_t times[3] = {1000000000u, 1100000000u, 1200000000u};
};

// One zlib stream of content at level 6, as the format stores it.
std::string Deflate(const std::string& content);
// An archive of the entries in this order, laid out as given.
std::string BuildArchive(const std::vector<RawEntry>& entries, uint32_t gapAtEnd = 0, uint32_t junkAtEnd = 0);

uint32_t GetU32(const std::string& bytes, size_t offset);
void PutU32(std::string& bytes, size_t offset, uint32_t value);
// Offset of a record's field: 0 DataOffset ... 5 AccessTime; -1 is L.
size_t FieldOffset(const std::string& archive, int entry, int field);

}  // namespace archivetest

#endif

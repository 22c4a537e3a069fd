#include "PeSizes.h"

#include <string.h>

namespace {

uint32_t Read16(const std::string& bytes, uint64_t at) {
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

uint32_t Read32(const std::string& bytes, uint64_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

const uint64_t SectionHeaderSize = 40;

}  // namespace

bool ReadPeSizes(const std::string& bytes, PeSizes& sizes, std::string& error) {
    const uint64_t size = bytes.size();
    if (size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') {
        error = "no MZ header";
        return false;
    }
    uint64_t pe = Read32(bytes, 0x3C);
    // Signature and file header: 4 + 20 bytes.
    if (pe > size || size - pe < 24 || memcmp(bytes.data() + pe, "PE\0\0", 4) != 0) {
        error = "no PE header";
        return false;
    }
    uint64_t sectionCount = Read16(bytes, pe + 6);
    uint64_t table = pe + 24 + Read16(bytes, pe + 20);
    if (table > size || (size - table) / SectionHeaderSize < sectionCount) {
        error = "section table past the end of the file";
        return false;
    }
    sizes.file = size;
    sizes.resources = 0;
    for (uint64_t i = 0; i < sectionCount; ++i) {
        uint64_t header = table + i * SectionHeaderSize;
        uint64_t rawSize = Read32(bytes, header + 16);
        uint64_t rawOffset = Read32(bytes, header + 20);
        if (rawOffset > size || rawSize > size - rawOffset) {
            error = "section " + std::string(bytes.data() + header, strnlen(bytes.data() + header, 8)) +
                    " past the end of the file";
            return false;
        }
        if (memcmp(bytes.data() + header, ".rsrc\0\0\0", 8) == 0) sizes.resources += rawSize;
    }
    return true;
}

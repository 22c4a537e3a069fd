// Reading the size rows from PE headers: the resource section found
// wherever it lies, and headers that do not fit the file refused.
#include <gtest/gtest.h>
#include <string.h>

#include "PeSizes.h"

namespace {

struct Section {
    const char* name;
    uint32_t rawOffset, rawSize;
};

void Put16(std::string& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

const size_t PeAt = 0x80, OptionalSize = 0xE0, TableAt = PeAt + 24 + OptionalSize;

// An image of fileSize bytes with these section headers.
std::string MakeImage(const std::vector<Section>& sections, size_t fileSize) {
    std::string bytes(fileSize, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    Put32(bytes, 0x3C, PeAt);
    bytes.replace(PeAt, 4, std::string("PE\0\0", 4));
    Put16(bytes, PeAt + 6, static_cast<uint32_t>(sections.size()));
    Put16(bytes, PeAt + 20, OptionalSize);
    for (size_t i = 0; i < sections.size(); ++i) {
        size_t header = TableAt + 40 * i;
        bytes.replace(header, strlen(sections[i].name), sections[i].name);
        Put32(bytes, header + 16, sections[i].rawSize);
        Put32(bytes, header + 20, sections[i].rawOffset);
    }
    return bytes;
}

TEST(PeSizes, FindsTheResourceSectionWhereverItLies) {
    struct Case {
        const char* what;
        std::vector<Section> sections;
        uint64_t resources;
    };
    const Case cases[] = {
        {"last", {{".text", 0x400, 0x800}, {".data", 0xC00, 0x200}, {".rsrc", 0xE00, 0x1200}}, 0x1200},
        {"between", {{".text", 0x400, 0x800}, {".rsrc", 0xC00, 0x600}, {".reloc", 0x1200, 0x200}}, 0x600},
        {"none, and .bss without raw data", {{".text", 0x400, 0x800}, {".bss", 0, 0}}, 0},
        {"a name that only begins alike", {{".rsrc2", 0x400, 0x200}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PeSizes sizes;
        std::string error;
        ASSERT_TRUE(ReadPeSizes(MakeImage(c.sections, 0x2000), sizes, error)) << error;
        EXPECT_EQ(0x2000u, sizes.file);
        EXPECT_EQ(c.resources, sizes.resources);
        EXPECT_EQ(0x2000u - c.resources, sizes.WithoutResources());
    }
}

TEST(PeSizes, RefusesHeadersThatDoNotFitTheFile) {
    std::string good = MakeImage({{".text", 0x400, 0x200}, {".rsrc", 0x600, 0x200}}, 0x800);
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string noMz = good, farPe = good, noSignature = good, manySections = good, pastEnd = good, wrapping = good;
    noMz[0] = 'X';
    Put32(farPe, 0x3C, 0xFFFFFFF0);
    noSignature[PeAt + 1] = 'X';
    Put16(manySections, PeAt + 6, 0xFFFF);
    Put32(pastEnd, TableAt + 40 + 16, 0x201);
    Put32(wrapping, TableAt + 40 + 20, 0xFFFFFF00);
    const Case cases[] = {
        {"empty", ""},
        {"no MZ", noMz},
        {"PE header offset past the end", farPe},
        {"no PE signature", noSignature},
        {"section table past the end", manySections},
        {"raw data one byte past the end", pastEnd},
        {"raw data offset near 2^32", wrapping},
        {"cut inside the section table", good.substr(0, TableAt + 50)},
    };
    for (const Case& c : cases) {
        PeSizes sizes;
        std::string error;
        EXPECT_FALSE(ReadPeSizes(c.bytes, sizes, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

}  // namespace

// The archive walker and the name check, natively.  Every archive is
// copied into a heap block of exactly its size, so AddressSanitizer sees
// any read outside it.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "archive/ArchiveFormat.h"
#include "tests/common/archive_builder.h"

namespace {

using archivetest::BuildArchive;
using archivetest::FieldOffset;
using archivetest::PutU32;
using archivetest::RawEntry;

// The entries point into the walked bytes, which must outlive them.
struct Walk {
    bool opened;
    std::vector<ArchiveEntry> entries;
    std::string error;  // "" when none
    uint32_t remaining;
};

Walk WalkArchive(const std::vector<uint8_t>& exact) {
    ArchiveReader reader(exact.data(), static_cast<uint32_t>(exact.size()));
    Walk walk{reader.Open(), {}, "", 0};
    ArchiveEntry entry;
    while (reader.Next(entry)) walk.entries.push_back(entry);
    if (reader.Error() != nullptr) walk.error = reader.Error();
    walk.remaining = reader.Remaining();
    return walk;
}

std::vector<uint8_t> Exact(const std::string& bytes) { return std::vector<uint8_t>(bytes.begin(), bytes.end()); }

TEST(ArchiveReader, EdgeCasesOfTheLayout) {
    std::string empty = BuildArchive({});
    ASSERT_EQ(8u, empty.size());
    Walk walk = WalkArchive(Exact(empty));
    EXPECT_TRUE(walk.opened);
    EXPECT_TRUE(walk.entries.empty());
    EXPECT_EQ("", walk.error);

    // Records of L = 0 and L = 255 take 25 and 280 bytes.
    for (size_t length : {0, 255}) {
        std::string archive = BuildArchive({RawEntry{std::string(length, 'n'), "x"}});
        std::vector<uint8_t> exact = Exact(archive);
        ArchiveReader reader(exact.data(), static_cast<uint32_t>(exact.size()));
        ASSERT_TRUE(reader.Open());
        EXPECT_EQ(25 + length, reader.Remaining());
        ArchiveEntry entry;
        ASSERT_TRUE(reader.Next(entry));
        EXPECT_EQ(length, entry.nameLength);
        EXPECT_EQ(0u, reader.Remaining());
        EXPECT_FALSE(reader.Next(entry));
        EXPECT_EQ(nullptr, reader.Error());
    }
}

TEST(ArchiveReader, FieldsAtEveryByteOffset) {
    // Names of 0 to 7 bytes put the six fields at every alignment.
    std::vector<RawEntry> entries;
    for (uint32_t i = 0; i < 8; ++i) {
        RawEntry entry{std::string(i, static_cast<char>('a' + i)), std::string(100 * i, 'z')};
        entry.times[0] = 0x01020304u * (i + 1);
        entry.times[1] = 0x80000000u + i;
        entry.times[2] = 0xFFFFFFF0u + i;
        entries.push_back(entry);
    }
    std::vector<uint8_t> exact = Exact(BuildArchive(entries));
    Walk walk = WalkArchive(exact);
    ASSERT_EQ(8u, walk.entries.size());
    EXPECT_EQ("", walk.error);
    uint32_t offset = 4;
    for (uint32_t i = 0; i < 8; ++i) {
        const ArchiveEntry& entry = walk.entries[i];
        std::string stored = archivetest::Deflate(entries[i].content);
        EXPECT_EQ(entries[i].name, std::string(entry.name, entry.nameLength));
        EXPECT_EQ(offset, entry.dataOffset);
        EXPECT_EQ(stored, std::string(reinterpret_cast<const char*>(entry.data), entry.storedSize));
        EXPECT_EQ(100 * i, entry.inflatedSize);
        EXPECT_EQ(entries[i].times[0], entry.creationTime);
        EXPECT_EQ(entries[i].times[1], entry.writeTime);
        EXPECT_EQ(entries[i].times[2], entry.accessTime);
        offset += entry.storedSize;
    }
}

struct Malformed {
    const char* description;
    std::function<void(std::string&)> damage;
    bool opens;
    size_t entriesRead;
    const char* error;
};

TEST(ArchiveReader, RefusesWhatLiesOutside) {
    const char* past = "record past the end of the archive";
    const char* outside = "stored bytes outside the entry data";
    const Malformed cases[] = {
        {"no bytes", [](std::string& a) { a.clear(); }, false, 0, "archive shorter than 8 bytes"},
        {"7 bytes", [](std::string& a) { a.resize(7); }, false, 0, "archive shorter than 8 bytes"},
        {"D = 0", [](std::string& a) { PutU32(a, 0, 0); }, false, 0, "directory offset outside the archive"},
        {"D = 3", [](std::string& a) { PutU32(a, 0, 3); }, false, 0, "directory offset outside the archive"},
        {"D at size - 3", [](std::string& a) { PutU32(a, 0, static_cast<uint32_t>(a.size() - 3)); }, false, 0,
         "directory offset outside the archive"},
        {"D wraps", [](std::string& a) { PutU32(a, 0, 0xFFFFFFFEu); }, false, 0, "directory offset outside the archive"},
        {"N = 2^32 - 1", [](std::string& a) { PutU32(a, archivetest::GetU32(a, 0), 0xFFFFFFFFu); }, false, 0,
         "more records than the directory can hold"},
        {"N one too many", [](std::string& a) { PutU32(a, archivetest::GetU32(a, 0), 3); }, true, 2, past},
        {"last name too long", [](std::string& a) { a[FieldOffset(a, 1, -1)] = '\xFF'; }, true, 1, past},
        {"directory cut short", [](std::string& a) { a.pop_back(); }, true, 1, past},
        {"offset in D", [](std::string& a) { PutU32(a, FieldOffset(a, 0, 0), 2); }, true, 0, outside},
        {"data into directory",
         [](std::string& a) { PutU32(a, FieldOffset(a, 1, 1), archivetest::GetU32(a, FieldOffset(a, 1, 1)) + 1); },
         true, 1, outside},
        {"offset + size wraps",
         [](std::string& a) {
             PutU32(a, FieldOffset(a, 1, 0), 0xFFFFFFF0u);
             PutU32(a, FieldOffset(a, 1, 1), 0x20u);
         },
         true, 1, outside},
        {"size 2^32 - 1", [](std::string& a) { PutU32(a, FieldOffset(a, 0, 1), 0xFFFFFFFFu); }, true, 0, outside},
    };
    for (const Malformed& test : cases) {
        SCOPED_TRACE(test.description);
        // Names long enough that a third record passes the count check.
        std::string archive = BuildArchive({RawEntry{"first-entry-name", "1"}, RawEntry{"lib\\second-entry", "2"}});
        test.damage(archive);
        Walk walk = WalkArchive(Exact(archive));
        EXPECT_EQ(test.opens, walk.opened);
        EXPECT_EQ(test.entriesRead, walk.entries.size());
        EXPECT_EQ(test.error, walk.error);
    }
}

// Whatever the bytes, every entry the walker hands out lies inside the
// archive, its stored bytes inside 4 .. D.
void ExpectInside(const std::vector<uint8_t>& exact) {
    Walk walk = WalkArchive(exact);
    for (const ArchiveEntry& entry : walk.entries) {
        const uint8_t* name = reinterpret_cast<const uint8_t*>(entry.name);
        ASSERT_TRUE(name > exact.data() && name + entry.nameLength + 24 <= exact.data() + exact.size());
        ASSERT_GE(entry.dataOffset, 4u);
        ASSERT_LE(uint64_t{entry.dataOffset} + entry.storedSize, archivetest::GetU32({exact.begin(), exact.end()}, 0));
        ASSERT_EQ(exact.data() + entry.dataOffset, entry.data);
    }
}

TEST(ArchiveReader, TruncatedAndMutatedArchivesStayInside) {
    std::string archive = BuildArchive({RawEntry{"a", "alpha"}, RawEntry{"lib\\b", "beta"}, RawEntry{"", ""}});
    for (size_t length = 0; length < archive.size(); ++length) {
        SCOPED_TRACE(length);
        Walk walk = WalkArchive(Exact(archive.substr(0, length)));
        EXPECT_NE("", walk.error);
    }
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        std::string mutated = archive;
        for (int flips = 1 + round % 4; flips > 0; --flips) {
            mutated[random() % mutated.size()] = static_cast<char>(random());
        }
        ExpectInside(Exact(mutated));
    }
}

TEST(CheckEntryName, SafeAndUnsafeNames) {
    const struct {
        std::string name;
        const char* why;  // null: safe
    } cases[] = {
        {"a.exe", nullptr},
        {"lib\\two.dat", nullptr},
        {"a\\b\\c d.txt", nullptr},
        {"..a\\a..b\\.hidden", nullptr},
        {"con2.txt\\COM0\\nullx\\\xE4.txt", nullptr},
        {"", "empty name"},
        {"C:\\x", "drive or colon"},
        {"a.txt:stream", "drive or colon"},
        {"\\a", "leading backslash"},
        {"\\\\server\\share\\a", "leading backslash"},
        {"a/b", "forward slash"},
        {"a\\\\b", "empty folder level"},
        {"a\\", "empty folder level"},
        {".", "\".\" or \"..\" level"},
        {"..\\a", "\".\" or \"..\" level"},
        {"a\\..\\b", "\".\" or \"..\" level"},
        {"a.", "level ending in a dot or blank"},
        {"dir \\x", "level ending in a dot or blank"},
        {"a\x01" "b", "character not allowed in names"},
        {std::string("a\0b", 3), "character not allowed in names"},
        {"a<b", "character not allowed in names"},
        {"a*b", "character not allowed in names"},
        {"a\"b", "character not allowed in names"},
        {"CON", "device name"},
        {"lib\\nul.txt", "device name"},
        {"Aux.tar.gz", "device name"},
        {"LPT9.log\\x", "device name"},
        {"CON .txt", "device name"},
        {"lib\\NUL .log", "device name"},
        {"COM1 .txt", "device name"},
        {"COM\xB9", "device name"},
        {"com\xB2.dat", "device name"},
        {"LPT\xB2.txt", "device name"},
        {"lpt\xB3 .txt\\x", "device name"},
        {"CONIN$", "device name"},
        {"conout$.log", "device name"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        std::vector<char> exact(test.name.begin(), test.name.end());
        const char* why = CheckEntryName(exact.data(), static_cast<uint32_t>(exact.size()));
        EXPECT_STREQ(test.why, why);
    }
}

}  // namespace

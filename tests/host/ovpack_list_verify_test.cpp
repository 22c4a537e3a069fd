// What verify finds in archives damaged on purpose: one row per defect
// class, each expecting the entry it names (by name, then index) and the
// defect.
#include <gtest/gtest.h>

#include <functional>

#include "Inspect.h"
#include "ovpack_support.h"

namespace {

using archivetest::BuildArchive;
using archivetest::Deflate;
using archivetest::FieldOffset;
using archivetest::GetU32;
using archivetest::PutU32;
using archivetest::RawEntry;

std::vector<std::string> Verify(const std::string& archive) {
    std::vector<uint8_t> exact(archive.begin(), archive.end());
    return VerifyArchive(exact.data(), static_cast<uint32_t>(exact.size()));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::vector<RawEntry> Sound() {
    return {RawEntry{"a.txt", "alpha alpha alpha"}, RawEntry{"lib\\b.dat", std::string(5000, 'b')},
            RawEntry{"lib\\c.txt", "gamma"}};
}

void AddToField(std::string& archive, int entry, int field, int32_t delta) {
    size_t at = FieldOffset(archive, entry, field);
    PutU32(archive, at, GetU32(archive, at) + static_cast<uint32_t>(delta));
}

struct Defect {
    const char* description;
    std::function<std::string()> archive;
    std::string expected;  // a line holds it
};

TEST(VerifyArchive, NamesEachDefectAndItsEntry) {
    auto edited = [](std::function<void(std::vector<RawEntry>&)> edit, uint32_t gapAtEnd = 0, uint32_t junk = 0) {
        return [=] {
            std::vector<RawEntry> entries = Sound();
            edit(entries);
            return BuildArchive(entries, gapAtEnd, junk);
        };
    };
    auto patched = [](std::function<void(std::string&)> patch) {
        return [=] {
            std::string archive = BuildArchive(Sound());
            patch(archive);
            return archive;
        };
    };
    const std::string full = Deflate(std::string(5000, 'b'));
    // Long enough that a directory cut at or in its third record still seems
    // to hold three records.
    const std::string longName = "lib\\" + std::string(30, 'c');
    const Defect cases[] = {
        {"directory outside", patched([](std::string& a) { PutU32(a, 0, 1u << 30); }),
         "archive: directory offset outside the archive"},
        {"stored bytes outside", patched([](std::string& a) { AddToField(a, 2, 1, 1000); }),
         "\"lib\\c.txt\" (entry 2): stored bytes outside the entry data"},
        {"record past the end", patched([](std::string& a) { a.resize(a.size() - 3); }),
         "\"lib\\c.txt\" (entry 2): record past the end of the archive"},
        {"name past the end", patched([](std::string& a) { a[FieldOffset(a, 2, -1)] = '\xFF'; }),
         "entry 2: record past the end of the archive"},
        {"record cut right after its name",
         [=] {
             std::vector<RawEntry> entries = Sound();
             entries[2].name = longName;
             std::string a = BuildArchive(entries);
             return a.substr(0, FieldOffset(a, 2, -1) + 1 + longName.size());
         },
         "\"" + longName + "\" (entry 2): record past the end of the archive"},
        {"archive ending where a record starts",
         [=] {
             std::vector<RawEntry> entries = Sound();
             entries[1].name = longName;
             std::string a = BuildArchive(entries);
             return a.substr(0, FieldOffset(a, 2, -1));
         },
         "entry 2: record past the end of the archive"},
        {"gap at the start", edited([](std::vector<RawEntry>& e) { e[0].gapBefore = 3; }),
         "\"a.txt\" (entry 0): gap of 3 bytes before its stored bytes"},
        {"gap between", edited([](std::vector<RawEntry>& e) { e[2].gapBefore = 5; }),
         "\"lib\\c.txt\" (entry 2): gap of 5 bytes before"},
        {"gap at the end", edited([](std::vector<RawEntry>&) {}, 7),
         "archive: gap of 7 bytes between the last stored bytes and the directory"},
        {"bytes after the directory", edited([](std::vector<RawEntry>&) {}, 0, 2),
         "archive: 2 bytes after the last record"},
        {"overlap", patched([](std::string& a) { AddToField(a, 1, 0, -4); }),
         "\"lib\\b.dat\" (entry 1): stored bytes overlap the previous entry's by 4 bytes"},
        {"other zlib header", edited([&](std::vector<RawEntry>& e) { e[1].stored = "\x78\xDA" + full.substr(2); }),
         "\"lib\\b.dat\" (entry 1): stored bytes do not begin with 0x78 0x9C"},
        {"no stored bytes", edited([](std::vector<RawEntry>& e) { e[1].stored = "\x78"; }),
         "do not begin with 0x78 0x9C"},
        {"short stream", edited([&](std::vector<RawEntry>& e) { e[1].stored = full.substr(0, full.size() / 2); }),
         "\"lib\\b.dat\" (entry 1): stream cut short"},
        {"check value cut", edited([&](std::vector<RawEntry>& e) { e[1].stored = full.substr(0, full.size() - 2); }),
         "stream cut short"},
        {"bad Adler-32", edited([&](std::vector<RawEntry>& e) { e[1].stored = full, e[1].stored.back() ^= 1; }),
         "\"lib\\b.dat\" (entry 1): bad Adler-32"},
        {"bad block type", edited([&](std::vector<RawEntry>& e) { e[1].stored = full, e[1].stored[2] = '\xFF'; }),
         "\"lib\\b.dat\" (entry 1): damaged stream (zlib: invalid block type)"},
        {"bytes after the stream", edited([&](std::vector<RawEntry>& e) { e[1].stored = full + "xyz"; }),
         "stream ends after " + std::to_string(full.size()) + " of its " + std::to_string(full.size() + 3)},
        {"size too large", patched([](std::string& a) { AddToField(a, 1, 2, 1); }),
         "\"lib\\b.dat\" (entry 1): inflates to 5000 bytes, the record says 5001"},
        {"size too small", patched([](std::string& a) { AddToField(a, 1, 2, -1); }),
         "inflates to more than the recorded 4999 bytes"},
        {"unsafe name", edited([](std::vector<RawEntry>& e) { e[2].name = "..\\evil"; }),
         "\"..\\evil\" (entry 2): unsafe name: \".\" or \"..\" level"},
        {"device name", edited([](std::vector<RawEntry>& e) { e[2].name = "COM\xB9"; }),
         "\"COM\\xB9\" (entry 2): unsafe name: device name"},
        {"name outside ASCII", edited([](std::vector<RawEntry>& e) { e[2].name = "lib\\\xE9t\xE9.txt"; }),
         "\"lib\\\\xE9t\\xE9.txt\" (entry 2): name holds characters outside ASCII"},
        {"same name", edited([](std::vector<RawEntry>& e) { e[2].name = "A.TXT"; }),
         "\"A.TXT\" (entry 2): same name as \"a.txt\" (entry 0) ignoring case"},
        {"file as folder", edited([](std::vector<RawEntry>& e) { e[0].name = "LIB"; }),
         "\"lib\\b.dat\" (entry 1): needs a folder where \"LIB\" (entry 0) is a file"},
        {"creation after write", edited([](std::vector<RawEntry>& e) { e[0].times[0] = e[0].times[1] + 1; }),
         "\"a.txt\" (entry 0): CreationTime is later than WriteTime"},
        {"write after access", edited([](std::vector<RawEntry>& e) { e[2].times[1] = e[2].times[2] + 1; }),
         "\"lib\\c.txt\" (entry 2): WriteTime is later than AccessTime"},
    };
    EXPECT_EQ("", Joined(Verify(BuildArchive(Sound()))));
    EXPECT_EQ("", Joined(Verify(BuildArchive({}))));
    for (const Defect& test : cases) {
        SCOPED_TRACE(test.description);
        EXPECT_NE(std::string::npos, Joined(Verify(test.archive())).find(test.expected)) << Joined(Verify(test.archive()));
    }
}

TEST(InflateEntry, HandsOverExactlyTheContent) {
    std::string content(300000, '\0');
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 % 251);
    std::string stored = Deflate(content);
    ArchiveEntry entry{"x", 1, 4, static_cast<uint32_t>(stored.size()), static_cast<uint32_t>(content.size()),
                       0, 0, 0, reinterpret_cast<const uint8_t*>(stored.data())};
    std::string received;
    auto sink = [&](const uint8_t* data, size_t length) {
        received.append(reinterpret_cast<const char*>(data), length);
        return true;
    };
    EXPECT_EQ("", InflateEntry(entry, sink));
    EXPECT_EQ(content, received);

    // A record that claims less than the stream holds: the sink gets no
    // more than the claim, and the rest is never inflated.
    received.clear();
    entry.inflatedSize = 10;
    EXPECT_EQ("inflates to more than the recorded 10 bytes", InflateEntry(entry, sink));
    EXPECT_LE(received.size(), 10u);

    entry.inflatedSize = static_cast<uint32_t>(content.size());
    EXPECT_EQ("could not take the content", InflateEntry(entry, [](const uint8_t*, size_t) { return false; }));
}

}  // namespace

// The benchmark's floors on real files under Wine: inflating archives from
// memory, which must refuse streams that are not as recorded; copying and
// measuring folder trees; and writing trees from memory in pieces.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <random>

#include "InflateFloor.h"
#include "TestArchive.h"
#include "Tree.h"
#include "WinHarness.h"
#include "WriteFloor.h"

namespace {

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    harness::CreateFolders(path.substr(0, path.rfind('\\')));
    harness::WriteFileBytes(path, bytes);
}

const std::vector<archivetest::RawEntry> FirstEntries = {
    {"a.txt", std::string(5000, 'a')},
    {"deep\\er\\b.bin", RandomBytes(200000, 1)},
    {"empty.txt", ""},
};
const std::vector<archivetest::RawEntry> SecondEntries = {{"c.txt", std::string(100000, 'c')}};

TEST(InflateFloor, InflatesEveryEntryOfEveryArchiveRoundAfterRound) {
    harness::TestFolder folder("floor");
    WriteFile(folder.Path() + "1.ovarc", archivetest::BuildArchive(FirstEntries));
    WriteFile(folder.Path() + "2.ovarc", archivetest::BuildArchive(SecondEntries));
    InflateFloor floor;
    std::string error;
    ASSERT_TRUE(floor.Load({folder.Path() + "1.ovarc", folder.Path() + "2.ovarc"}, error)) << error;
    EXPECT_EQ(4u, floor.Entries());
    EXPECT_EQ(305000u, floor.InflatedBytes());
    EXPECT_TRUE(floor.InflateAll(error)) << error;
    EXPECT_TRUE(floor.InflateAll(error)) << error;
}

TEST(InflateFloor, RefusesArchivesThatAreNotAsRecorded) {
    const std::string good = archivetest::BuildArchive(FirstEntries);
    auto field = [&](std::string& bytes, int record, int which, int change) {
        size_t at = archivetest::FieldOffset(bytes, record, which);
        archivetest::PutU32(bytes, at, archivetest::GetU32(bytes, at) + change);
    };
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        bool loads;
        const char* named;  // in the error
    };
    const Case cases[] = {
        {"a byte of b.bin's stream flipped",
         [&](std::string& a) { a[archivetest::GetU32(a, archivetest::FieldOffset(a, 1, 0)) + 100] ^= 0x55; }, true,
         "deep\\er\\b.bin"},
        {"a.txt one byte larger than recorded", [&](std::string& a) { field(a, 0, 2, -1); }, true, "a.txt"},
        {"a.txt one byte smaller than recorded", [&](std::string& a) { field(a, 0, 2, 1); }, true, "a.txt"},
        {"a.txt's stream cut short", [&](std::string& a) { field(a, 0, 1, -1); }, true, "a.txt"},
        {"directory past the end", [](std::string& a) { archivetest::PutU32(a, 0, 0x7FFFFFFF); }, false, "1.ovarc"},
        {"no archive at all", [](std::string& a) { a.clear(); }, false, "1.ovarc"},
    };
    for (const Case& c : cases) {
        harness::TestFolder folder("floor-bad");
        std::string bytes = good;
        c.damage(bytes);
        if (!bytes.empty()) WriteFile(folder.Path() + "1.ovarc", bytes);
        InflateFloor floor;
        std::string error;
        bool loaded = floor.Load({folder.Path() + "1.ovarc"}, error);
        EXPECT_EQ(c.loads, loaded) << c.what << ": " << error;
        if (loaded) {
            EXPECT_FALSE(floor.InflateAll(error)) << c.what;
        }
        EXPECT_NE(std::string::npos, error.find(c.named)) << c.what << ": " << error;
    }
}

TEST(Tree, CopiesSeveralTreesIntoOneAndMeasuresIt) {
    harness::TestFolder folder("tree");
    const std::string first = folder.Path() + "first\\", second = folder.Path() + "second\\";
    const std::map<std::string, std::string> files = {
        {first + "x.txt", "0123456789"},
        {first + "sub\\deeper\\y.bin", RandomBytes(100000, 2)},
        {first + "sub\\empty.dat", ""},
        {second + "z.txt", "zzz"},
        {second + "sub\\w.txt", "wwwww"},
    };
    for (const auto& file : files) WriteFile(file.first, file.second);
    harness::CreateFolders(first + "hollow");

    const std::string target = folder.Path() + "copy\\";
    std::string failed;
    ASSERT_TRUE(CopyTree(first, target, failed)) << failed;
    ASSERT_TRUE(CopyTree(second.substr(0, second.size() - 1), target, failed)) << failed;
    EXPECT_EQ((TreeSize{5, 100018}), MeasureTree(target));
    for (const auto& file : files) {
        std::string relative = file.first.substr(file.first.find('\\', folder.Path().size()) + 1);
        EXPECT_EQ(file.second, harness::ReadFileBytes(target + relative)) << relative;
    }
    EXPECT_TRUE(harness::FileExists(target + "hollow"));
    EXPECT_EQ((TreeSize{0, 0}), MeasureTree(folder.Path() + "missing"));
}

TEST(Tree, NamesTheFileItCannotCopy) {
    harness::TestFolder folder("tree-bad");
    WriteFile(folder.Path() + "from\\sub\\y.txt", "y");
    WriteFile(folder.Path() + "to\\sub", "a file where the copy needs a folder");
    std::string failed;
    EXPECT_FALSE(CopyTree(folder.Path() + "from", folder.Path() + "to", failed));
    EXPECT_NE(std::string::npos, failed.find("sub")) << failed;
}

TEST(WriteFloor, WritesTheTreesFromMemoryWholeOrInPieces) {
    harness::TestFolder folder("write");
    const std::map<std::string, std::string> files = {
        {"a\\x.txt", "0123456789"},
        {"a\\sub\\deeper\\y.bin", RandomBytes(100003, 3)},
        {"a\\sub\\empty.dat", ""},
        {"b\\sub\\w.txt", std::string(250, 'w')},
    };
    for (const auto& file : files) WriteFile(folder.Path() + file.first, file.second);
    WriteFloor floor;
    std::string error;
    ASSERT_TRUE(floor.Load({folder.Path() + "a", folder.Path() + "b\\"}, error)) << error;
    EXPECT_EQ((TreeSize{4, 100263}), floor.Size());
    // Pieces that divide the files evenly, that do not, and none.
    for (size_t piece : {0, 1, 7, 100, 65536}) {
        const std::string target = folder.Path() + "out" + std::to_string(piece) + "\\";
        ASSERT_TRUE(floor.WriteAll(target, piece, error)) << error;
        EXPECT_EQ(floor.Size(), MeasureTree(target));
        for (const auto& file : files) {
            std::string relative = file.first.substr(2);
            EXPECT_EQ(file.second, harness::ReadFileBytes(target + relative)) << piece << " " << relative;
        }
    }
    // Files already there are not the floor's to overwrite.
    EXPECT_FALSE(floor.WriteAll(folder.Path() + "out0", 0, error));
    EXPECT_NE(std::string::npos, error.find("out0\\")) << error;
}

}  // namespace

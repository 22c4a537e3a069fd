// ExtractEntry and CreateFolderPath on real folders and files under Wine:
// the registry's order, existing files and folders in the way, drives that
// do not exist, paths beyond the limits, damaged entries, and the current
// drive and folder left as they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <direct.h>

#include <string>
#include <vector>

#include "TestArchive.h"
#include "StreamErrors.h"
#include "WinHarness.h"
#include "archive/Extract.h"

using harness::CauseOf;
using harness::TestFolder;

namespace {

std::vector<std::string> Folders(const FolderRegistry& registry) {
    std::vector<std::string> folders;
    for (const QlString& folder : registry) folders.push_back(static_cast<const char*>(folder));
    return folders;
}


void Extract(const std::string& content, const std::string& target, FolderRegistry* registry) {
    std::string stored = archivetest::Deflate(content);
    ExtractEntry(stored.data(), static_cast<unsigned int>(stored.size()), static_cast<unsigned int>(content.size()),
                 target.c_str(), registry);
}

// Where the process stands: its current folder, and the current folder the
// system keeps for drive C: (the one a bare "C:" refers to).
std::string Whereabouts() {
    char current[MAX_PATH] = "";
    char onC[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    GetFullPathNameA("C:", MAX_PATH, onC, nullptr);
    return std::string(current) + "|" + onC;
}

class Extraction : public ::testing::Test {
protected:
    Extraction() : folder(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        // Give drive C: a current folder of its own, away from its root, while
        // the process stays on its own drive (as cmd.exe records it).
        std::string path = folder.Path().substr(0, folder.Path().size() - 1);
        SetEnvironmentVariableA("=C:", path.c_str());
    }
    ~Extraction() override { SetEnvironmentVariableA("=C:", nullptr); }
    TestFolder folder;
};

TEST_F(Extraction, RecordsEachNewFolderOnceNewestFirst) {
    std::string root = folder.Path() + "RERUvoro7";
    std::string before = Whereabouts();
    ASSERT_NE(std::string::npos, before.find("|C:\\ovtest\\")) << before;
    ASSERT_EQ(0u, before.find("Z:\\")) << before;
    FolderRegistry registry;
    for (const char* name : {"a.exe", "D1\\b", "D1\\D2\\c", "D3\\d", "D3\\e"})
        Extract(std::string("content of ") + name, root + "\\" + name, &registry);

    EXPECT_EQ((std::vector<std::string>{root + "\\D3", root + "\\D1\\D2", root + "\\D1", root}), Folders(registry));
    EXPECT_EQ("content of D1\\D2\\c", harness::ReadFileBytes(root + "\\D1\\D2\\c"));
    EXPECT_EQ(before, Whereabouts());

    // Folders that exist are entered, not recorded.
    FolderRegistry again;
    Extract("x", root + "\\D1\\f", &again);
    EXPECT_EQ(0, again.GetCount());
}

TEST_F(Extraction, AnExistingTargetIsEmptiedAndRewritten) {
    std::string target = folder.Path() + "existing.txt";
    harness::WriteFileBytes(target, std::string(5000, 'o'));
    Extract("new", target, nullptr);
    EXPECT_EQ("new", harness::ReadFileBytes(target));
}

TEST_F(Extraction, AFileWhereAFolderShouldBeFailsOnOpening) {
    std::string blocker = folder.Path() + "blocker";
    harness::WriteFileBytes(blocker, "a file");
    FolderRegistry registry;
    EXPECT_EQ(0, CreateFolderPath(blocker.c_str(), &registry));

    std::string text;
    std::string target = blocker + "\\inside.txt";
    EXPECT_EQ(OpenFailed, CauseOf([&] { Extract("x", target, &registry); }, &text));
    EXPECT_EQ(target, text);
    EXPECT_EQ(0, registry.GetCount());
}

TEST_F(Extraction, PathsThatCannotBeMadeCreateNothing) {
    std::string before = Whereabouts();
    FolderRegistry registry;
    std::string text;
    EXPECT_EQ(OpenFailed, CauseOf([&] { Extract("x", "Q:\\nowhere\\file.txt", &registry); }, &text));
    EXPECT_EQ("Q:\\nowhere\\file.txt", text);
    EXPECT_EQ(1, CreateFolderPath("Q:\\nowhere", &registry));

    // A colon anywhere but in second place names no drive.
    std::string odd = folder.Path() + "a:b\\c";
    EXPECT_EQ(1, CreateFolderPath(odd.substr(3).c_str(), &registry));
    EXPECT_EQ(1, CreateFolderPath("ab:c\\d", &registry));
    EXPECT_EQ(0, registry.GetCount());
    EXPECT_EQ("", harness::ListFolder(folder.Path()));
    EXPECT_EQ(before, Whereabouts());
}

TEST_F(Extraction, PathsBeyondTheLimitsAreRefusedNotCut) {
    FolderRegistry registry;
    std::string before = Whereabouts();

    std::string longTarget = folder.Path() + std::string(600 - folder.Path().size(), 'n');
    EXPECT_EQ(PathTooLong, CauseOf([&] { Extract("x", longTarget, &registry); }));

    std::string longLevel = folder.Path() + std::string(257, 'l') + "\\x";
    EXPECT_EQ(1, CreateFolderPath(longLevel.c_str(), &registry));

    // Each level fits, but the deepest folder's path would pass 255.
    std::string deep = folder.Path();
    while (deep.size() < 240) deep += "level\\";
    deep += std::string(20, 'd');
    EXPECT_EQ(1, CreateFolderPath(deep.c_str(), &registry));
    for (const QlString& created : registry) EXPECT_LE(created.GetLength(), 255);
    EXPECT_TRUE(harness::FileExists(deep.substr(0, deep.rfind('\\'))));
    EXPECT_FALSE(harness::FileExists(deep));
    EXPECT_EQ(before, Whereabouts());
}

TEST_F(Extraction, AnEntryThatIsNotExactlyThePackedFileIsRefused) {
    const std::string content(3000, 'z');
    const std::string stored = archivetest::Deflate(content);
    std::string flipped = stored;
    flipped[stored.size() / 2] ^= 0x20;
    const struct {
        const char* description;
        std::string stored;
        unsigned int inflatedSize;
    } cases[] = {
        {"one stored byte flipped", flipped, 3000},
        {"cut short", stored.substr(0, stored.size() - 5), 3000},
        {"recorded size too large", stored, 3001},
        {"recorded size too small", stored, 2999},
        {"no data at all", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        std::string target = folder.Path() + "entry.bin";
        std::string text;
        EXPECT_EQ(EntryDamaged, CauseOf([&] {
                      ExtractEntry(c.stored.data(), static_cast<unsigned int>(c.stored.size()), c.inflatedSize,
                                   target.c_str(), nullptr);
                  },
                                        &text));
        EXPECT_EQ(target, text);
    }
}

TEST(FolderRegistry, IteratesNewestFirstAndClears) {
    FolderRegistry registry;
    EXPECT_TRUE(Folders(registry).empty());
    registry.AddFront(QlString("A"));
    registry.AddFront(QlString("B"));
    EXPECT_EQ((std::vector<std::string>{"B", "A"}), Folders(registry));
    EXPECT_EQ(2, registry.GetCount());
    registry.Clear();
    EXPECT_EQ(0, registry.GetCount());
    EXPECT_TRUE(Folders(registry).empty());
}

}  // namespace

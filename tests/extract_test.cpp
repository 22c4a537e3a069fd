// CreateEntryFolders and ExtractEntry on real folders and files under Wine:
// the list's order, files and folders already in the way, drives that do not
// exist, targets beyond the limit, and damaged entries.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "StreamErrors.h"
#include "TestArchive.h"
#include "WinHarness.h"
#include "archive/Extract.h"

using harness::CauseOf;
using harness::TestFolder;

namespace {

std::vector<std::string> Paths(const PathList& list) {
    std::vector<std::string> paths;
    for (const QlString& path : list) paths.push_back(static_cast<const char*>(path));
    return paths;
}

void Extract(const std::string& content, const std::string& target) {
    std::string stored = archivetest::Deflate(content);
    ExtractEntry(stored.data(), static_cast<unsigned int>(stored.size()), static_cast<unsigned int>(content.size()),
                 target.c_str());
}

class Extraction : public ::testing::Test {
protected:
    Extraction() : folder(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    // Creates the entry's folders below the test folder and extracts it there.
    void ExtractNamed(const std::string& name, const std::string& content) {
        CreateEntryFolders(folder.Path().c_str(), name.c_str(), static_cast<unsigned int>(name.size()), folders);
        Extract(content, folder.Path() + name);
    }
    TestFolder folder;
    PathList folders;
};

TEST_F(Extraction, RecordsEachNewFolderOnceNewestFirst) {
    const std::string& root = folder.Path();
    for (const char* name : {"a.exe", "D1\\b", "D1\\D2\\c", "D3\\d", "d3\\e"})
        ExtractNamed(name, std::string("content of ") + name);

    EXPECT_EQ((std::vector<std::string>{root + "D3", root + "D1\\D2", root + "D1"}), Paths(folders));
    EXPECT_EQ("content of D1\\D2\\c", harness::ReadFileBytes(root + "D1\\D2\\c"));
    EXPECT_EQ("content of d3\\e", harness::ReadFileBytes(root + "D3\\e"));
}

// Nothing of this run goes into a file or folder it did not make.
TEST_F(Extraction, WhatIsInTheWayIsRefusedAndLeftAsItWas) {
    const struct {
        const char* description;
        const char* planted;  // a file, or a folder when it ends in a backslash
        const char* entry;
        const char* named;  // the path the error names, below the test folder
    } cases[] = {
        {"a file at the target", "same.txt", "same.txt", "same.txt"},
        {"a folder at the target", "same\\", "same", "same"},
        {"a file where a folder should be", "blocker", "blocker\\inside.txt", "blocker"},
        {"a folder this run did not make", "theirs\\", "theirs\\inside.txt", "theirs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        TestFolder planted(std::string("planted-") + c.description);
        std::string path = planted.Path() + c.planted;
        if (path.back() == '\\')
            CreateDirectoryA(path.c_str(), nullptr);
        else
            harness::WriteFileBytes(path, "theirs");
        PathList made;
        std::string entry = c.entry;
        std::string text;
        EXPECT_EQ(OpenFailed, CauseOf([&] {
                      CreateEntryFolders(planted.Path().c_str(), entry.c_str(),
                                         static_cast<unsigned int>(entry.size()), made);
                      Extract("ours", planted.Path() + entry);
                  },
                                      &text));
        EXPECT_EQ(planted.Path() + c.named, text);
        EXPECT_EQ(0, made.GetCount());
        if (path.back() != '\\') {
            EXPECT_EQ("theirs", harness::ReadFileBytes(path));
        }
    }
    EXPECT_EQ(OpenFailed, CauseOf([&] { Extract("x", "Q:\\nowhere.txt"); }));
}

TEST_F(Extraction, ATargetBeyondTheLimitIsRefusedNotCut) {
    std::string longTarget = folder.Path() + std::string(600 - folder.Path().size(), 'n');
    std::string text;
    EXPECT_EQ(PathTooLong, CauseOf([&] { Extract("x", longTarget); }, &text));
    EXPECT_EQ(longTarget, text);
    EXPECT_EQ("", harness::ListFolder(folder.Path()));
}

TEST_F(Extraction, AnEntryThatIsNotExactlyThePackedFileIsRefused) {
    const std::string content(3000, 'z');
    const std::string stored = archivetest::Deflate(content);
    const std::string bomb = archivetest::Deflate(std::string(50 << 20, '\0'));
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
        {"50 MiB that claims 10 bytes", bomb, 10},
        {"50 MiB that claims nothing", bomb, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        std::string target = folder.Path() + c.description;
        std::string text;
        EXPECT_EQ(EntryDamaged, CauseOf([&] {
                      ExtractEntry(c.stored.data(), static_cast<unsigned int>(c.stored.size()), c.inflatedSize,
                                   target.c_str());
                  },
                                        &text));
        EXPECT_EQ(target, text);
        // Never more than one byte past the claim, however far it inflates.
        EXPECT_LE(harness::ReadFileBytes(target).size(), c.inflatedSize + 1u);
    }
}

TEST(PathList, IteratesNewestFirstHoldsAsTheSystemComparesAndClears) {
    PathList list;
    EXPECT_TRUE(Paths(list).empty());
    list.AddFront(QlString("A"));
    list.AddFront(QlString("B"));
    EXPECT_EQ((std::vector<std::string>{"B", "A"}), Paths(list));
    EXPECT_EQ(2, list.GetCount());
    EXPECT_TRUE(list.Holds(QlString("a")));
    EXPECT_FALSE(list.Holds(QlString("C")));
    list.Clear();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_FALSE(list.Holds(QlString("A")));
}

}  // namespace

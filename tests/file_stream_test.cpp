// QlFileStream on real files under Wine: the open flags, positioning,
// locking, borrowed handles, and a write to a full drive.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "StreamErrors.h"
#include "WinHarness.h"
#include "stream/QlFileStream.h"

using harness::CauseOf;
using harness::TestFolder;

namespace {


bool CanOpen(const std::string& path, unsigned int flags) {
    QlFileStream other;
    bool opened = other.Open(path.c_str(), flags);
    if (opened) other.Close();
    return opened;
}

class FileStream : public ::testing::Test {
protected:
    FileStream() : folder(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    std::string File(const char* name) const { return folder.Path() + name; }
    TestFolder folder;
};

TEST_F(FileStream, CreateEmptiesOrCreatesAndKeepsOthersOut) {
    std::string existing = File("existing.txt");
    harness::WriteFileBytes(existing, "old content");
    {
        QlFileStream stream(existing.c_str(), OpenWrite | OpenCreate);
        EXPECT_EQ("", harness::ReadFileBytes(existing));
        EXPECT_EQ(3u, stream.Write("new", 3));
        // Not shared: nobody else may open the file meanwhile.
        EXPECT_FALSE(CanOpen(existing, OpenRead | ShareDenyNone));
        EXPECT_FALSE(CanOpen(existing, OpenWrite | ShareDenyNone | OpenCreate | OpenNoTruncate));
    }
    EXPECT_EQ("new", harness::ReadFileBytes(existing));

    std::string missing = File("missing.txt");
    QlFileStream created(missing.c_str(), 0x1001);
    EXPECT_TRUE(harness::FileExists(missing));
}

TEST_F(FileStream, OpenFlagsMapOntoTheSystemsDispositions) {
    std::string path = File("data.bin");
    harness::WriteFileBytes(path, "keep me");
    {
        QlFileStream kept(path.c_str(), OpenReadWrite | OpenCreate | OpenNoTruncate);
        EXPECT_EQ(0u, kept.Tell());
        EXPECT_EQ(7u, kept.Size());
    }
    EXPECT_EQ("keep me", harness::ReadFileBytes(path));

    std::string missing = File("no such file.bin");
    for (unsigned int flags : {0x0000u, 0x0001u, 0x2001u, 0x2002u}) {
        SCOPED_TRACE(flags);
        std::string text;
        EXPECT_EQ(OpenFailed, CauseOf([&] { QlFileStream stream(missing.c_str(), flags); }, &text));
        EXPECT_EQ(missing, text);
        EXPECT_FALSE(harness::FileExists(missing));
    }
    // Bit 13 alone changes nothing: the existing file opens, its content stays.
    EXPECT_TRUE(CanOpen(path, 0x2001));
    EXPECT_EQ("keep me", harness::ReadFileBytes(path));

    // Access 3 and sharing 0x50, 0x60, 0x70 mean nothing and are refused.
    for (unsigned int flags : {0x0003u, 0x0050u, 0x0060u, 0x0070u}) {
        SCOPED_TRACE(flags);
        QlFileStream stream;
        EXPECT_FALSE(stream.Open(path.c_str(), flags));
    }
}

TEST_F(FileStream, SharingModesLetTheRightOpenersIn) {
    std::string path = File("shared.bin");
    harness::WriteFileBytes(path, "x");
    QlFileStream denyWrite(path.c_str(), OpenRead | ShareDenyWrite);
    EXPECT_TRUE(CanOpen(path, OpenRead | ShareDenyNone));
    EXPECT_FALSE(CanOpen(path, OpenWrite | ShareDenyNone));
}

TEST_F(FileStream, ReadsWritesAndPositions) {
    std::string path = File("positions.bin");
    QlFileStream stream(path.c_str(), OpenReadWrite | OpenCreate);
    EXPECT_EQ(0u, stream.Write(nullptr, 0));
    stream.Write("0123456789", 10);
    EXPECT_EQ(10u, stream.Tell());
    EXPECT_EQ(4u, stream.Seek(4, 0));
    EXPECT_EQ(10u, stream.Size());
    EXPECT_EQ(4u, stream.Tell());  // Size leaves the position alone

    char buffer[16] = {};
    EXPECT_EQ(6u, stream.Read(buffer, sizeof buffer));
    EXPECT_STREQ("456789", buffer);
    EXPECT_EQ(0u, stream.Read(buffer, sizeof buffer));
    EXPECT_EQ(0u, stream.Read(buffer, sizeof buffer));
    EXPECT_EQ(8u, stream.Seek(-2, 2));
    EXPECT_EQ(9u, stream.Seek(1, 1));

    // The random-access side is one, reachable from either direction.
    QlRandomInStream& in = stream;
    QlRandomOutStream& out = stream;
    EXPECT_EQ(in.Tell(), out.Tell());

    EXPECT_EQ(SeekFailed, CauseOf([&] { stream.Seek(-100, 0); }));
}

TEST_F(FileStream, LocksAreResultsAndUnlocksOfNothingAreErrors) {
    std::string path = File("locks.bin");
    QlFileStream first(path.c_str(), OpenReadWrite | ShareDenyNone | OpenCreate);
    first.Write("0123456789", 10);
    QlFileStream second(path.c_str(), OpenReadWrite | ShareDenyNone);

    EXPECT_EQ(0, first.Lock(2, 4, 0));
    EXPECT_EQ(-1, second.Lock(3, 1, 0));
    EXPECT_EQ(0, second.Lock(6, 4, 0));
    EXPECT_NE(0, first.Unlock(2, 4));
    EXPECT_EQ(UnlockFailed, CauseOf([&] { first.Unlock(2, 4); }));
    EXPECT_NE(0, second.Unlock(6, 4));
}

TEST_F(FileStream, BorrowedHandlesStayOpenAndClosingTwiceDoesNothing) {
    std::string path = File("borrowed.bin");
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    {
        QlFileStream borrowed(handle);
        borrowed.Write("ab", 2);
    }
    EXPECT_TRUE(harness::HandleOpen(handle));
    {
        QlFileStream borrowed(handle);
        borrowed.Close();  // an explicit Close closes even a borrowed handle
        EXPECT_FALSE(harness::HandleOpen(handle));
        EXPECT_EQ(0, CauseOf([&] { borrowed.Close(); }));
    }

    QlFileStream none;
    EXPECT_EQ(0u, none.Read(nullptr, 0));
    EXPECT_EQ(0, CauseOf([&] { none.Close(); }));
    EXPECT_EQ("ab", harness::ReadFileBytes(path));
}

TEST(FileStreamFullDrive, AWriteTheDriveCannotTakeRaises) {
    if (!harness::DriveMapped('T')) GTEST_SKIP() << "drive T: (5 MiB tmpfs) is not mapped: mounting needs root";
    const std::string path = "T:\\full-drive-test.bin";
    std::string chunk(1 << 20, 'x');
    int cause = 0;
    {
        QlFileStream stream(path.c_str(), 0x1001);
        for (int i = 0; i < 8 && cause == 0; ++i)
            cause = CauseOf([&] { stream.Write(chunk.data(), static_cast<unsigned int>(chunk.size())); });
    }
    DeleteFileA(path.c_str());
    EXPECT_TRUE(cause == WriteFailed || cause == WriteIncomplete) << cause;
}

TEST(StreamException, CopiesOwnTheirText) {
    QlStreamException original(OpenFailed, "C:\\x.txt");
    QlStreamException copy(original);
    EXPECT_NE(original.text, copy.text);
    EXPECT_STREQ("C:\\x.txt", copy.text);
    QlStreamException assigned(ReadFailed);
    assigned = copy;
    EXPECT_STREQ("C:\\x.txt", assigned.text);
    EXPECT_EQ(OpenFailed, assigned.cause);
    EXPECT_EQ(nullptr, QlStreamException(ReadFailed).text);
}

}  // namespace

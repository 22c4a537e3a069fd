// Diagnoses and bounds, end to end under Wine: a temporary folder on a
// drive that does not exist, entries that inflate to far more than they
// claim, targets beyond the longest path, and a file that another program
// holds while the run cleans up.  Each run stops with exit 2 and a message
// that says what is wrong, and leaves nothing behind (how far such an entry
// may grow before it stops: extract_test).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "LauncherRun.h"
#include "TestArchive.h"

using archivetest::RawEntry;
using harness::FromUnixPath;
using harness::ReadFileBytes;

using harness::StandIn;

namespace {

class Hostile : public harness::LauncherRun {
protected:
    void UseArchive(const std::string& base) {
        ASSERT_TRUE(harness::MakeLauncher(FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher,
                                          {{"BASE", archivetest::BuildArchive({{"Bootlace.exe", StandIn()}})},
                                           {"SETUPBASE", base}}));
    }

    // Runs and expects exit 2 and a message holding `says`; returns the message.
    std::string ExpectStopped(const std::string& temp, const std::string& says) {
        harness::MessageBoxAnswerer answer("Orvane Setup", IDOK);
        EXPECT_EQ(2u, Run("", temp));
        EXPECT_NE(std::string::npos, answer.Text().find(says)) << answer.Text();
        EXPECT_FALSE(Record("Bootlace", false).present());
        return answer.Text();
    }
};

TEST_F(Hostile, ATemporaryDriveThatDoesNotExistIsNamedWithTheSystemsReason) {
    UseArchive(archivetest::BuildArchive({{"a.txt", "a"}}));
    std::string text = ExpectStopped("Q:\\Temp\\", "Q:\\Temp");
    EXPECT_EQ(std::string::npos, text.find("MB")) << text;
}

TEST_F(Hostile, AnEntryThatInflatesPastItsClaimStopsTheRunAndLeavesNothing) {
    const std::string bomb(50 << 20, '\0');
    const struct {
        const char* description;
        uint32_t claimed;
    } cases[] = {
        {"50 MiB that claims 10 bytes", 10},
        {"50 MiB that claims nothing", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        std::string archive = archivetest::BuildArchive({RawEntry("bomb.bin", bomb)});
        archivetest::PutU32(archive, archivetest::FieldOffset(archive, 0, 2), c.claimed);
        UseArchive(archive);
        std::string temp = folder.Subfolder("temp" + std::to_string(&c - cases));
        ExpectStopped(temp, "bomb.bin");
        EXPECT_EQ("", harness::ListFolder(temp));
    }
}

TEST_F(Hostile, APathBeyondTheLongestIsCalledTooLong) {
    std::string temp = folder.Subfolder("temp");
    // Within the archive's limits, but past what a path may hold once joined
    // to the folder: as a file, and as a folder on the way, also one of
    // exactly 248 characters, which leaves no room for an 8.3 name.
    size_t run = temp.size() + strlen("RERUvoro0\\");
    for (const std::string& name :
         {std::string(250, 'f'), std::string(240, 'd') + "\\x", std::string(248 - run, 'd') + "\\x"}) {
        SCOPED_TRACE(name.size());
        UseArchive(archivetest::BuildArchive({{name, "x"}}));
        ExpectStopped(temp, "too long");
        EXPECT_EQ("", harness::ListFolder(temp));
    }
    // A temporary folder that leaves no room for the script's own name.
    std::string deep = folder.Path() + std::string(256 - folder.Path().size(), 't') + "\\";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << GetLastError();
    ExpectStopped(deep, "too long");
    EXPECT_EQ("", harness::ListFolder(deep));
}

}  // namespace

TEST_F(Hostile, AFileHeldForAMomentByAnotherProgramIsStillRemoved) {
    ASSERT_TRUE(harness::MakeLauncher(
        FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher,
        {{"BASE", archivetest::BuildArchive({{"one.dll", "x"},
                                             {"big.bin", std::string(30 << 20, '\0')},
                                             {"Bootlace.exe", "not a program"}})}}));
    std::string temp = folder.Subfolder("temp");
    std::string run = temp + "RERUvoro0\\";
    // A scanner: it opens one.dll without delete sharing as soon as it is
    // there, and lets go a moment after the clean-up took big.bin, the file
    // written after it.
    bool held = false, cleanupSeen = false;
    std::thread scanner([&] {
        HANDLE file = INVALID_HANDLE_VALUE;
        for (DWORD start = GetTickCount(), bigSeen = 0; !cleanupSeen && GetTickCount() - start < 30000; Sleep(1)) {
            if (!held) file = CreateFileA((run + "one.dll").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
            held = file != INVALID_HANDLE_VALUE;
            bool big = held && harness::FileExists(run + "big.bin");
            cleanupSeen = held && bigSeen && !big;
            bigSeen |= big;
        }
        Sleep(500);
        CloseHandle(file);
    });
    ExpectStopped(temp, "Bootlace.exe");
    scanner.join();
    EXPECT_TRUE(held) << "one.dll was never held";
    EXPECT_TRUE(cleanupSeen) << "the clean-up was not seen to begin";
    EXPECT_EQ("", harness::ListFolder(temp));
}

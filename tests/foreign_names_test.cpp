// Temporary and download folders whose names the ANSI or the OEM code page
// cannot hold, set in the Windows environment as a user profile would give
// them: the launcher still extracts, hands the next stage paths that exist,
// and its script removes exactly what the run wrote, nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LauncherRun.h"
#include "TestArchive.h"

using harness::FromUnixPath;
using harness::Narrow;
using harness::ReadFileBytes;
using harness::Widen;

using harness::StandIn;

namespace {

class ForeignNames : public harness::LauncherRun {
protected:
    void SetUp() override {
        ASSERT_TRUE(harness::MakeLauncher(
            FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher,
            {{"BASE", archivetest::BuildArchive({{"Bootlace.exe", StandIn()},
                                                 {"exitgate.exe", StandIn()},
                                                 {"sub\\f.txt", "f"}})}}));
    }

    // Runs the launcher at program with TMP and TEMP set to temp.
    DWORD RunWide(const std::wstring& program, const std::wstring& temp) {
        harness::Program run(program, L"\"" + program + L"\"", Widen(folder.Path()), {{L"TMP", temp}, {L"TEMP", temp}});
        run.Resume();
        return run.Wait();
    }
};

TEST_F(ForeignNames, ScriptAndNextStageNameOnlyWhatTheRunWrote) {
    const struct {
        const char* description;
        const wchar_t* temp;
        const char* bystander;  // what the name becomes by best fit
    } cases[] = {
        {"Cyrillic", L"\x0422\x0435\x043C\x043F \x042E\x043B\x0438\x044F", nullptr},
        {"S with caron", L"\x0160imon", "Simon"},
        {"euro sign", L"\x20AC uro", "? uro"},
        {"typographic quotes", L"q\x201C&md pwned&\x201D", nullptr},
    };
    harness::RemoveTree("C:\\pwned");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ForgetRecords();
        std::wstring temp = Widen(folder.Path()) + c.temp + L"\\";
        ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
        // A neighbour whose name best fit would turn the run's folder into.
        std::string bystander;
        if (c.bystander != nullptr && strchr(c.bystander, '?') == nullptr) {
            bystander = folder.Subfolder(c.bystander) + "RERUvoro0\\";
            harness::CreateFolders(bystander + "sub");
            harness::WriteFileBytes(bystander + "Bootlace.exe", "a neighbour's");
        }

        ASSERT_EQ(0u, RunWide(Widen(launcher), temp));
        harness::StandInRecord next = Record("Bootlace");
        ASSERT_TRUE(next.present());
        EXPECT_TRUE(harness::FileExists(harness::QuotedValue(next.commandLine, "ResourceFile"))) << next.commandLine;
        std::string script = harness::QuotedValue(next.commandLine, "CleanUp");
        EXPECT_TRUE(harness::FileExists(script)) << next.commandLine;

        EXPECT_EQ(0u, harness::RunCleanupScript(script));
        EXPECT_EQ(L"", harness::ListFolderW(temp)) << Narrow(harness::ListFolderW(temp));
        EXPECT_FALSE(harness::FileExists("C:\\pwned"));
        if (!bystander.empty()) {
            EXPECT_EQ("a neighbour's", ReadFileBytes(bystander + "Bootlace.exe"));
        }
    }
    harness::RemoveTree("C:\\pwned");
}

TEST_F(ForeignNames, TheLaunchersOwnFolderMayHoldThemToo) {
    std::wstring downloads = Widen(folder.Path()) + L"\x0417\x0430\x0433\x0440\x0443\x0437\x043A\x0438\\";
    ASSERT_TRUE(CreateDirectoryW(downloads.c_str(), nullptr));
    std::wstring program = downloads + L"Setup \x20AC.exe";
    ASSERT_TRUE(CopyFileW(Widen(launcher).c_str(), program.c_str(), FALSE));

    ASSERT_EQ(0u, RunWide(program, Widen(folder.Subfolder("temp"))));
    harness::StandInRecord next = Record("Bootlace");
    std::string ownPath = harness::QuotedValue(next.commandLine, "ResourceFile");
    EXPECT_TRUE(harness::FileExists(ownPath)) << next.commandLine;
    // The very file that ran: its resources hold the payload.
    EXPECT_TRUE(ReadFileBytes(launcher) == ReadFileBytes(ownPath));
}

TEST_F(ForeignNames, AFolderWithoutANameTheSystemCanHoldIsRefusedByName) {
    // It does not exist, so it has no short form either.
    std::wstring missing = Widen(folder.Path()) + L"\x041D\x0435\x0442\\";
    std::string before = harness::ListFolder(folder.Path());
    harness::MessageBoxAnswerer answer("Orvane Setup", IDOK);
    EXPECT_EQ(2u, RunWide(Widen(launcher), missing));
    EXPECT_TRUE(answer.Answered());
    EXPECT_NE(std::wstring::npos, answer.TextW().find(missing.substr(0, missing.size() - 1))) << Narrow(answer.TextW());
    EXPECT_EQ(before, harness::ListFolder(folder.Path()));
    EXPECT_FALSE(Record("Bootlace", false).present());
}

}  // namespace

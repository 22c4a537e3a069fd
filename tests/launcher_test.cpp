// The launcher end to end: the real executable under Wine, started with a
// raw command line and a private temporary folder, handing over to a
// stand-in next stage that records what it was given.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>

#include "WinHarness.h"
#include "splash/Splash.h"

using harness::TestFolder;

namespace {

const char* const NextStagePrefix =
    "Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized ";

class LauncherRun : public ::testing::Test {
protected:
    LauncherRun()
        : folder(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          downloads(folder.Subfolder("DOWN LOAD")),
          launcher(downloads + "SET UP.EXE"),
          record(folder.Path() + "record.txt") {
        CopyFileA(harness::FromUnixPath(OV_LAUNCHER_EXE).c_str(), launcher.c_str(), FALSE);
        // The bare name the launcher starts is found beside it while nothing
        // is extracted yet.
        CopyFileA(harness::FromUnixPath(OV_STANDIN_EXE).c_str(), (downloads + "Bootlace.exe").c_str(), FALSE);
        SetEnvironmentVariableA("OV_RECORD", record.c_str());
    }
    ~LauncherRun() override { SetEnvironmentVariableA("OV_RECORD", nullptr); }

    DWORD Run(const std::string& arguments, const std::string& tempDir) {
        return harness::RunProgram(launcher, "\"" + launcher + "\"" + arguments, folder.Path(), tempDir);
    }

    // The next stage's command line and current folder, as it recorded them.
    std::string NextStageCommandLine() {
        std::string bytes = harness::WaitForFile(record);
        return bytes.substr(0, bytes.find('\n'));
    }

    TestFolder folder;
    std::string downloads;
    std::string launcher;
    std::string record;
};

TEST_F(LauncherRun, HandsItsOwnPathScriptAndCommandLineToTheNextStage) {
    std::string temp = folder.Subfolder("temp");
    ASSERT_EQ(0u, Run("  x", temp));

    EXPECT_EQ(NextStagePrefix + ("ResourceFile=\"" + launcher + "\" CleanUp=\"" + temp + "0.bat\" x"),
              NextStageCommandLine());
    EXPECT_EQ("cd \\\r\n" + temp + "RERUvoro0\\exitgate %1\r\ndel " + temp + "0.bat\r\n",
              harness::ReadFileBytes(temp + "0.bat"));
    EXPECT_EQ("0.bat", harness::ListFolder(temp));
}

TEST_F(LauncherRun, PassesArgumentsOnUnchangedAfterTheProgramName) {
    const struct {
        const char* after;
        const char* passed;
    } cases[] = {
        {"", ""},
        {" a \"b c\"  d", "a \"b c\"  d"},
        {"\t\x01 -y", "-y"},
        {"tail", "tail"},  // the quoted name ends at its closing quote
    };
    std::string temp = folder.Subfolder("temp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        DeleteFileA(record.c_str());
        harness::RemoveTree(temp);
        harness::CreateFolders(temp);
        ASSERT_EQ(0u, Run(c.after, temp));
        std::string line = NextStageCommandLine();
        std::string tail = "CleanUp=\"" + temp + "0.bat\" ";
        ASSERT_NE(std::string::npos, line.find(tail)) << line;
        EXPECT_EQ(c.passed, line.substr(line.find(tail) + tail.size()));
    }
}

TEST_F(LauncherRun, RaisesARunningNextStageAndDoesNothingElse) {
    std::string temp = folder.Subfolder("temp");
    harness::TopWindow running("AfxFrameOrView42", "Orvane Setup", SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(running.Handle()));

    EXPECT_EQ(0u, Run("", temp));
    EXPECT_FALSE(IsIconic(running.Handle()));
    EXPECT_EQ("", harness::ListFolder(temp));
    Sleep(300);
    EXPECT_FALSE(harness::FileExists(record));
}

TEST_F(LauncherRun, AWindowWithAnotherTitleIsNoRunningNextStage) {
    std::string temp = folder.Subfolder("temp");
    harness::TopWindow other("AfxFrameOrView42", "Orvane Setup - old", SW_SHOWMINNOACTIVE);

    EXPECT_EQ(0u, Run("", temp));
    EXPECT_NE("", NextStageCommandLine());
    EXPECT_TRUE(IsIconic(other.Handle()));
    EXPECT_EQ("0.bat", harness::ListFolder(temp));
}

TEST_F(LauncherRun, TemporaryPathsWithBlanksAndPercentSignsAreTakenAsTheyAre) {
    for (const char* name : {"MY TEMP", "100%d %s"}) {
        SCOPED_TRACE(name);
        DeleteFileA(record.c_str());
        std::string temp = folder.Subfolder(name);
        ASSERT_EQ(0u, Run("", temp));
        EXPECT_EQ(NextStagePrefix + ("ResourceFile=\"" + launcher + "\" CleanUp=\"" + temp + "0.bat\" "),
                  NextStageCommandLine());
        EXPECT_EQ("0.bat", harness::ListFolder(temp));
    }
}

TEST_F(LauncherRun, AnExistingScriptNameIsSkippedForAnother) {
    std::string temp = folder.Subfolder("temp");
    harness::WriteFileBytes(temp + "0.bat", "someone else's");
    ASSERT_EQ(0u, Run("", temp));

    std::smatch match;
    std::string line = NextStageCommandLine();
    ASSERT_TRUE(std::regex_search(line, match, std::regex("CleanUp=\"(.*)\\\\([0-9]+)\\.bat\" $"))) << line;
    EXPECT_NE("0", match[2].str());
    std::string script = temp + match[2].str() + ".bat";
    // The folder's first candidate is 0 again, whatever the script needed.
    EXPECT_EQ("cd \\\r\n" + temp + "RERUvoro0\\exitgate %1\r\ndel " + script + "\r\n",
              harness::ReadFileBytes(script));
    EXPECT_EQ("someone else's", harness::ReadFileBytes(temp + "0.bat"));
}

TEST_F(LauncherRun, AnUnusableTemporaryPathFallsBackToTheRootOfC) {
    for (const char* temp : {"\\\\server\\share\\", "\\\\server\\share"}) {
        SCOPED_TRACE(temp);
        DeleteFileA(record.c_str());
        ASSERT_EQ(0u, Run("", temp));
        std::smatch match;
        std::string line = NextStageCommandLine();
        ASSERT_TRUE(std::regex_search(line, match, std::regex("CleanUp=\"C:\\\\([0-9]+\\.bat)\" $"))) << line;
        std::string script = "C:\\" + match[1].str();
        EXPECT_EQ("cd \\\r\nC:\\RERUvoro0\\exitgate %1\r\ndel " + script + "\r\n", harness::ReadFileBytes(script));
        DeleteFileA(script.c_str());
    }
}

TEST(FinalWait, EndsFiveSecondsAfterItsStartEvenAcrossTheWrap) {
    EXPECT_FALSE(LingerExpired(1000, 1000));
    EXPECT_FALSE(LingerExpired(1000, 5999));
    EXPECT_TRUE(LingerExpired(1000, 6000));
    EXPECT_TRUE(LingerExpired(1000, 6001));
    // Within 5000 ms below the wrap the deadline wraps to a small value and
    // the wait ends at its first test.
    EXPECT_TRUE(LingerExpired(0xFFFFF000u, 0xFFFFF000u));
    EXPECT_FALSE(LingerExpired(0xFFFF0000u, 0xFFFF0001u));
}

}  // namespace

// The launcher around the demo payload, end to end: hand-over to a running
// next stage, the next stage's command line from the launcher's own path,
// script and command line, and the temporary folder it works in.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <regex>
#include <string>
#include <thread>

#include "LauncherRun.h"

namespace {

const char* const NextStagePrefix =
    "Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized ";

class DemoLauncher : public harness::LauncherRun {
protected:
    DemoLauncher() { UseLauncher(harness::FromUnixPath(OV_LAUNCHER_EXE)); }

    std::string ExpectedCommandLine(const std::string& temp, const std::string& arguments) const {
        return NextStagePrefix + ("ResourceFile=\"" + launcher + "\" CleanUp=\"" + temp + "0.bat\" " + arguments);
    }
};

TEST_F(DemoLauncher, HandsItsOwnPathScriptAndCommandLineToTheNextStage) {
    std::string temp = folder.Subfolder("temp");
    ASSERT_EQ(0u, Run("  x", temp));

    harness::StandInRecord next = Record("Bootlace");
    EXPECT_EQ(ExpectedCommandLine(temp, "x"), next.commandLine);
    EXPECT_EQ(temp + "RERUvoro0", next.folder);
    EXPECT_EQ(temp + "RERUvoro0\\Bootlace.exe", next.module);
    EXPECT_EQ("0.bat RERUvoro0", harness::ListFolder(temp));
}

TEST_F(DemoLauncher, PassesArgumentsOnUnchangedAfterTheProgramName) {
    const struct {
        const char* after;
        const char* passed;
    } cases[] = {
        {"", ""},
        {" a \"b c\"  d", "a \"b c\"  d"},
        {"\t\x01 -y", "-y"},
        {"tail", "tail"},  // the quoted name ends at its closing quote
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        std::string temp = folder.Subfolder(std::string("temp") + std::to_string(&c - cases));
        ForgetRecords();
        ASSERT_EQ(0u, Run(c.after, temp));
        EXPECT_EQ(ExpectedCommandLine(temp, c.passed), Record("Bootlace").commandLine);
    }
}

TEST_F(DemoLauncher, RaisesARunningNextStageAndDoesNothingElse) {
    std::string temp = folder.Subfolder("temp");
    harness::TopWindow running("AfxFrameOrView42", "Orvane Setup", SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(running.Handle()));

    EXPECT_EQ(0u, Run("", temp));
    EXPECT_FALSE(IsIconic(running.Handle()));
    // Nothing was extracted, so no next stage can have started.
    EXPECT_EQ("", harness::ListFolder(temp));
    EXPECT_FALSE(Record("Bootlace", false).present());
}

TEST_F(DemoLauncher, NeverWaitsForAHungNextStage) {
    // A running next stage, minimised, whose thread then stops pumping.
    HANDLE shown = CreateEventA(nullptr, TRUE, FALSE, nullptr), release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread hung([&] {
        harness::TopWindow running("AfxFrameOrView42", "Orvane Setup", SW_SHOWMINNOACTIVE);
        SignalObjectAndWait(shown, release, INFINITE, FALSE);
    });
    WaitForSingleObject(shown, INFINITE);
    DWORD start = GetTickCount();
    EXPECT_EQ(0u, Run("", folder.Subfolder("temp")));
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ("", harness::ListFolder(folder.Subfolder("temp")));
    SetEvent(release);
    hung.join();
}

TEST_F(DemoLauncher, AWindowWithAnotherTitleIsNoRunningNextStage) {
    std::string temp = folder.Subfolder("temp");
    harness::TopWindow other("AfxFrameOrView42", "Orvane Setup - old", SW_SHOWMINNOACTIVE);

    EXPECT_EQ(0u, Run("", temp));
    EXPECT_TRUE(Record("Bootlace").present());
    EXPECT_TRUE(IsIconic(other.Handle()));
}

TEST_F(DemoLauncher, TemporaryPathsAreTakenAsTheyAre) {
    for (const char* name : {"MY TEMP", "100%d %s", "a&b (c)"}) {
        SCOPED_TRACE(name);
        ForgetRecords();
        std::string temp = folder.Subfolder(name);
        ASSERT_EQ(0u, Run("", temp));
        EXPECT_EQ(ExpectedCommandLine(temp, ""), Record("Bootlace").commandLine);
        EXPECT_EQ("0.bat RERUvoro0", harness::ListFolder(temp));
    }
}

TEST_F(DemoLauncher, AnExistingScriptNameIsSkippedForAnother) {
    std::string temp = folder.Subfolder("temp");
    harness::WriteFileBytes(temp + "0.bat", "someone else's");
    ASSERT_EQ(0u, Run("", temp));

    std::smatch match;
    std::string line = Record("Bootlace").commandLine;
    ASSERT_TRUE(std::regex_search(line, match, std::regex("CleanUp=\"(.*)\\\\([0-9]+)\\.bat\" $"))) << line;
    EXPECT_NE("0", match[2].str());
    // The folder's first candidate is 0 again, whatever the script needed.
    EXPECT_EQ(temp + "RERUvoro0", Record("Bootlace").folder);
    EXPECT_EQ("someone else's", harness::ReadFileBytes(temp + "0.bat"));
}

TEST_F(DemoLauncher, AnUnusableTemporaryPathFallsBackToTheRootOfC) {
    for (const char* temp : {"\\\\server\\share\\", "\\\\server\\share"}) {
        SCOPED_TRACE(temp);
        ForgetRecords();
        ASSERT_EQ(0u, Run("", temp));
        std::smatch match;
        harness::StandInRecord next = Record("Bootlace");
        ASSERT_TRUE(std::regex_search(next.commandLine, match, std::regex("CleanUp=\"C:\\\\([0-9]+\\.bat)\" $")))
            << next.commandLine;
        std::smatch folderMatch;
        ASSERT_TRUE(std::regex_match(next.folder, folderMatch, std::regex("C:\\\\RERUvoro[0-9]+"))) << next.folder;
        // Any user may change what C:\ holds, but not the run's own (WD: Everyone).
        std::string script = "C:\\" + match[1].str();
        for (const std::string& made : {next.folder, script}) {
            DWORD sd[1024], length;
            char* dacl;
            ASSERT_TRUE(GetFileSecurityA(made.c_str(), DACL_SECURITY_INFORMATION, sd, sizeof sd, &length) &&
                        ConvertSecurityDescriptorToStringSecurityDescriptorA(sd, SDDL_REVISION_1,
                                                                             DACL_SECURITY_INFORMATION, &dacl, nullptr));
            EXPECT_FALSE(std::regex_search(dacl, std::regex(";(WD|BU|AU)\\)|NO_ACCESS"))) << made << ": " << dacl;
            LocalFree(dacl);
        }
        EXPECT_EQ(0u, harness::RunCleanupScript(script));
        EXPECT_FALSE(harness::FileExists(next.folder) || harness::FileExists(script));
    }
}

}  // namespace

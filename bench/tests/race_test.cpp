// The benchmark's timed start, under Wine with real processes: the
// stand-in started directly, a real launcher carrying it, a program that
// starts it after its own exit, and the ways a run fails (which must never
// turn into a time).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "Race.h"
#include "TestArchive.h"
#include "Tree.h"
#include "WinHarness.h"

namespace {

const char Cmd[] = "C:\\windows\\system32\\cmd.exe";

std::string StandIn() { return harness::FromUnixPath(OV_BENCH_STANDIN); }

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string Variable(const char* name) {
    char value[1024] = "";
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? value : "(none)";
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(),
                          static_cast<int>(std::min(text.size(), prefix.size())), prefix.c_str(),
                          static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

TEST(TimeRun, TimesTheStandInStartedDirectlyAndLeavesTheCallersEnvironment) {
    harness::TestFolder scratch("race-direct");
    const std::string tmpBefore = Variable("TMP");
    RaceResult result;
    std::string error;
    ASSERT_TRUE(TimeRun(StandIn(), Quoted(StandIn()), scratch.Path(), RaceLimits(), result, error)) << error;
    // The stand-in records its start before it can exit.
    EXPECT_GT(result.nextStageMs, 0);
    EXPECT_LT(result.nextStageMs, result.exitMs);
    const std::string standIn = StandIn();
    EXPECT_TRUE(StartsWith(result.standInFolder, standIn.substr(0, standIn.rfind('\\') + 1))) << result.standInFolder;
    EXPECT_EQ(tmpBefore, Variable("TMP"));
    EXPECT_EQ("(none)", Variable("OV_BENCH_RECORD"));
}

TEST(TimeRun, FollowsARealLauncherToItsNextStageUnderTheRunsOwnTemp) {
    harness::TestFolder scratch("race-launcher");
    const std::string launcher = scratch.Path() + "setup.exe";
    std::string standIn = harness::ReadFileBytes(StandIn());
    ASSERT_FALSE(standIn.empty());
    const std::string text(3000, 't');
    ASSERT_TRUE(harness::MakeLauncher(harness::FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher,
                                      {{"BASE", archivetest::BuildArchive({{"data\\deep\\a.txt", text}})},
                                       {"SETUPBASE", archivetest::BuildArchive({{"Bootlace.exe", standIn}})},
                                       {"OVVERSION", archivetest::BuildArchive({{"v.txt", ""}})}}));
    const std::string folder = scratch.Subfolder("run");
    RaceResult result;
    std::string error;
    ASSERT_TRUE(TimeRun(launcher, Quoted(launcher), folder, RaceLimits(), result, error)) << error;
    EXPECT_GT(result.nextStageMs, 0);
    EXPECT_TRUE(StartsWith(result.standInFolder, folder + "tmp\\RERUvoro")) << result.standInFolder;
    EXPECT_EQ((TreeSize{3, standIn.size() + text.size()}), MeasureTree(result.standInFolder));
}

TEST(TimeRun, WaitsForAStandInThatStartsAfterTheProgramsExit) {
    harness::TestFolder scratch("race-late");
    RaceResult result;
    std::string error;
    ASSERT_TRUE(TimeRun(Cmd, "cmd /c start \"\" " + Quoted(StandIn()), scratch.Path(), RaceLimits(), result, error))
        << error;
    EXPECT_GT(result.nextStageMs, 0);
    EXPECT_GT(result.exitMs, 0);
}

TEST(TimeRun, ReportsARunThatFailsInsteadOfTimingIt) {
    struct Case {
        const char* app;
        std::string commandLine;
        const char* error;
    };
    const Case cases[] = {
        {Cmd, "cmd /c exit 3", "exited with code 3"},
        {Cmd, "cmd /c exit 0", "no stand-in recorded its start"},
        {"C:\\nowhere\\setup.exe", "setup.exe", "cannot start"},
    };
    RaceLimits limits;
    limits.standInMs = 2000;  // the stand-in cannot come: no need to wait long
    for (const Case& c : cases) {
        harness::TestFolder scratch("race-fail");
        RaceResult result;
        std::string error;
        EXPECT_FALSE(TimeRun(c.app, c.commandLine, scratch.Path(), limits, result, error)) << c.commandLine;
        EXPECT_NE(std::string::npos, error.find(c.error)) << c.commandLine << ": " << error;
    }
}

}  // namespace

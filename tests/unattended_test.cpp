// Where nobody can see the screen, as on a deployment agent's window
// station, the launcher shows nothing and waits for nobody; on every station
// it says why it failed in the event log, in the message box's own words.  A
// launcher built to wait hands on the next stage's exit code.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LauncherRun.h"
#include "TestArchive.h"

namespace {

class Unattended : public harness::LauncherRun {
protected:
    void UseBootlace(const std::string& bootlace, const std::string& setupBase = "", bool wait = false) {
        std::map<std::string, std::string> archives = {{"BASE", archivetest::BuildArchive({{"Bootlace.exe", bootlace}})}};
        if (!setupBase.empty()) archives["SETUPBASE"] = setupBase;
        ASSERT_TRUE(harness::MakeLauncher(harness::FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher, archives, wait));
    }
};

TEST_F(Unattended, NobodySeesNoBoxNoSplashAndTheEventLogSaysWhatTheBoxWould) {
    std::string damaged = archivetest::BuildArchive({{"a.txt", "a"}});
    damaged.resize(damaged.size() - 3);
    const struct {
        const char* description;
        std::string bootlace, setupBase;
        const char* drive;  // a small drive's temporary folder, or the test's own
        DWORD exitCode;
    } rows[] = {
        {"too little space", harness::StandIn(), "", "T:\\", 1},
        {"a damaged archive", harness::StandIn(), damaged, nullptr, 2},
        {"a next stage that is not a program", "not a program", "", nullptr, 2},
        {"a good run", harness::StandIn(), "", nullptr, 0},
    };
    bool skipped = false;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.description);
        if (row.drive != nullptr && !harness::DriveMapped(row.drive[0])) {
            skipped = true;
            continue;
        }
        UseBootlace(row.bootlace, row.setupBase);
        std::string temp = row.drive != nullptr ? row.drive : folder.Subfolder(row.description);
        ForgetRecords();
        harness::MessageBoxAnswerer answer("Orvane Setup", IDOK);
        harness::RunTrace seen = RunTraced("", temp, false), unseen = RunTraced("", temp, true);
        EXPECT_EQ(row.exitCode != 0, answer.Answered());
        EXPECT_EQ(row.exitCode, seen.exitCode);
        EXPECT_EQ(row.exitCode, unseen.exitCode);  // not TimedOut: nothing waited for a person
        EXPECT_GT(seen.dialogs, 0);                // the splash, and the box
        EXPECT_EQ(0, unseen.dialogs);
        EXPECT_EQ(seen.events, unseen.events);
        EXPECT_EQ(row.exitCode == 0 ? 0u : 1u, unseen.events.size());
        EXPECT_TRUE(row.exitCode != 0 || Record("Bootlace").present());  // a good run starts the next stage
        if (row.exitCode == 0 || unseen.events.empty()) continue;
        EXPECT_EQ("", harness::ListFolder(temp));
        const std::wstring& event = unseen.events[0].first;
        EXPECT_EQ(answer.TextW().substr(0, unseen.events[0].second ? event.size() : std::wstring::npos), event);
    }
    if (skipped) GTEST_SKIP() << "drive T: (5 MiB tmpfs) is not mapped: mounting needs root";
}

TEST_F(Unattended, ALauncherBuiltToWaitExitsWithTheNextStagesExitCode) {
    std::string temp = folder.Subfolder("temp");
    for (DWORD code : {3010u, 1641u, 0x80070005u}) {
        for (bool wait : {true, false}) {
            SCOPED_TRACE(testing::Message() << code << (wait ? ", waits" : ", does not wait"));
            UseBootlace(harness::StandIn(), "", wait);
            ForgetRecords();
            EXPECT_EQ(wait ? code : 0u, RunTraced("", temp, false, {{L"OV_EXIT_CODE", std::to_wstring(code)}}).exitCode);
            EXPECT_TRUE(Record("Bootlace").present());
        }
    }
}

}  // namespace

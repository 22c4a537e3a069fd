// A launcher run under test: a copy of a launcher executable in a download
// folder of a private test folder, run with a chosen temporary folder, and
// the stand-in programs' records of what they were given.
#ifndef ORVANE_TESTS_HARNESS_LAUNCHERRUN_H
#define ORVANE_TESTS_HARNESS_LAUNCHERRUN_H

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "WinHarness.h"

namespace harness {

struct StandInRecord {
    std::string commandLine;
    std::string folder;  // its current folder
    std::string module;  // its own path
    std::wstring wideCommandLine;  // as GetCommandLineW gives it
    bool present() const { return !module.empty(); }
};

// The double-quoted value of key ("key="value"") on a next stage's command
// line; empty when it has none.
std::string QuotedValue(const std::string& commandLine, const char* key);

// Runs a clean-up script the way the next stage eventually would, from
// C:\ with one argument; its exit code.
DWORD RunCleanupScript(const std::string& script);

#ifdef OV_STANDIN_EXE
// The stand-in program's bytes, for payloads made in a test.
inline std::string StandIn() {
    static std::string bytes = ReadFileBytes(FromUnixPath(OV_STANDIN_EXE));
    return bytes;
}
#endif

// A stand-in's record at path, once its program has ended; waits a while
// for the record when wait is set, else takes what is there.
StandInRecord ReadStandInRecord(const std::string& path, bool wait = true);

// What Wine traced of a run: the texts written to the event log (cut where
// Wine cuts long ones, then marked cut) and the dialogs created (the splash,
// message boxes).
struct RunTrace {
    DWORD exitCode;
    std::vector<std::pair<std::wstring, bool>> events;  // text, cut
    int dialogs;
};

class LauncherRun : public ::testing::Test {
protected:
    LauncherRun();
    ~LauncherRun() override;

    // Copies this launcher executable to the download folder as `launcher`.
    void UseLauncher(const std::string& executable);
    // Runs the launcher as "<launcher>"<after>, with TMP and TEMP set to
    // tempDir, from the test folder; returns its exit code, or TimedOut
    // after timeoutMs.
    DWORD Run(const std::string& after, const std::string& tempDir, DWORD timeoutMs = 60000);
    // The same, with Wine tracing into the result, with these environment
    // variables, and on a window station nobody sees when unseen is set.
    RunTrace RunTraced(const std::string& after, const std::string& tempDir, bool unseen,
                       const std::vector<std::pair<std::wstring, std::wstring>>& environment = {});
    // What a stand-in (Bootlace, exitgate) recorded; waits a while for it
    // when wait is set, else takes what is there.
    StandInRecord Record(const char* program, bool wait = true);
    void ForgetRecords();

    TestFolder folder;
    std::string downloads;
    std::string launcher;
    std::string records;
};

// Every resource of a module, by "type/name/language" ("#24/#1/0"), with its
// bytes, as the system's loader reads them; none where it cannot load it.
using ResourceMap = std::map<std::string, std::string>;
ResourceMap Resources(const std::string& path);

}  // namespace harness

#endif

// Launchers sharing one temporary folder, end to end under Wine: several
// started in the same instant, and a hostile process that takes the names
// a launcher is about to use the moment its script appears.  Every run must
// work in a folder of its own and never write through another's folder or
// a link.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "LauncherRun.h"
#include "TestArchive.h"

using harness::FromUnixPath;
using harness::ListFolder;
using harness::ReadFileBytes;
using harness::Widen;

using harness::StandIn;

namespace {

// Enough bytes that the extractions of launchers started together overlap.
std::string Filler(char seed) {
    std::string bytes(300000, seed);
    for (size_t i = 0; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(i * 31 + seed);
    return bytes;
}

const std::vector<archivetest::RawEntry>& Entries() {
    static const std::vector<archivetest::RawEntry> entries = {
        {"Bootlace.exe", StandIn()}, {"exitgate.exe", StandIn()}, {"one.dll", Filler('a')},
        {"lib\\two.dat", Filler('b')}, {"lib\\deep\\three.dat", Filler('c')}};
    return entries;
}

class SharedTemp : public harness::LauncherRun {
protected:
    void SetUp() override {
        ASSERT_TRUE(harness::MakeLauncher(FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher,
                                          {{"BASE", archivetest::BuildArchive(Entries())}}));
    }

    // The run's next stage started from a folder that holds exactly the
    // payload, byte for byte.
    void ExpectWholePayload(const std::string& runFolder) {
        for (const auto& entry : Entries()) EXPECT_EQ(entry.content, ReadFileBytes(runFolder + "\\" + entry.name))
            << runFolder << "\\" << entry.name;
        EXPECT_EQ("Bootlace.exe exitgate.exe lib one.dll", ListFolder(runFolder));
        EXPECT_EQ("deep two.dat", ListFolder(runFolder + "\\lib"));
    }
};

TEST_F(SharedTemp, LaunchersStartedTogetherEachWorkInAFolderOfTheirOwn) {
    // Four at once collide on the first round with names drawn from the
    // clock alone; a few rounds vary the interleaving.
    const int rounds = 3;
    const int together = 4;
    std::string temp = folder.Subfolder("temp");
    harness::MessageBoxAnswerer refusals("Orvane Setup", IDOK, true);
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<std::unique_ptr<harness::Program>> launchers;
        std::vector<std::string> records;
        for (int i = 0; i < together; ++i) {
            records.push_back(folder.Subfolder("records" + std::to_string(round) + "-" + std::to_string(i)));
            launchers.emplace_back(new harness::Program(
                Widen(launcher), Widen("\"" + launcher + "\""), Widen(folder.Path()),
                {{L"TMP", Widen(temp)}, {L"TEMP", Widen(temp)}, {L"OV_RECORD", Widen(records.back())}}));
            ASSERT_TRUE(launchers.back()->Started());
        }
        for (auto& started : launchers) started->Resume();

        std::set<std::string> folders;
        std::vector<std::string> scripts;
        for (int i = 0; i < together; ++i) {
            EXPECT_EQ(0u, launchers[i]->Wait()) << "launcher " << i;
            harness::StandInRecord next = harness::ReadStandInRecord(records[i] + "Bootlace.txt");
            ASSERT_TRUE(next.present()) << "launcher " << i;
            folders.insert(next.folder);
            scripts.push_back(harness::QuotedValue(next.commandLine, "CleanUp"));
            ExpectWholePayload(next.folder);
        }
        EXPECT_EQ(static_cast<size_t>(together), folders.size());
        EXPECT_EQ(static_cast<size_t>(together), std::set<std::string>(scripts.begin(), scripts.end()).size());
        for (const std::string& script : scripts) EXPECT_EQ(0u, harness::RunCleanupScript(script)) << script;
        EXPECT_EQ("", ListFolder(temp));
        harness::RemoveTree(temp);
        harness::CreateFolders(temp);
    }
    EXPECT_EQ(0, refusals.Count()) << refusals.Text();
}

// The Unix path of a Windows path, from Wine itself.
std::string UnixPath(const std::string& path) {
    typedef char*(CDECL * UnixFileNameFn)(const wchar_t*);
    UnixFileNameFn unixFileName = reinterpret_cast<UnixFileNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixFileName == nullptr) return "";
    char* unixPath = unixFileName(Widen(path).c_str());
    std::string result = unixPath != nullptr ? unixPath : "";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

TEST_F(SharedTemp, NamesTakenTheMomentTheScriptAppearsAreNeverEntered) {
    const struct {
        const char* description;
        const char* trigger;  // the squatter acts when a name ending so appears
        const char* name;     // what it takes
        const char* action;
    } cases[] = {
        {"a folder with a DLL of its own", ".bat", "RERUvoro0", "folder"},
        {"a link to another folder", ".bat", "RERUvoro0", "link"},
        {"a link inside the run's folder", "RERUvoro0", "RERUvoro0/lib", "link"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ForgetRecords();
        std::string temp = folder.Subfolder("temp" + std::to_string(&c - cases));
        std::string victim = folder.Subfolder("victim" + std::to_string(&c - cases));
        harness::WriteFileBytes(victim + "one.dll", "the user's own");
        std::string ready = folder.Path() + "squatter-ready";
        DeleteFileA(ready.c_str());
        harness::Program squatter(Widen(FromUnixPath(OV_SQUATTER)),
                                  Widen(std::string("squatter ") + UnixPath(ready) + " " + UnixPath(temp) + " " +
                                        c.trigger + " " + c.name + " " + c.action + " " + UnixPath(victim)),
                                  L"", {});
        squatter.Resume();
        harness::WaitForFile(ready);
        ASSERT_TRUE(harness::FileExists(ready)) << "the squatter did not start";

        harness::MessageBoxAnswerer refusal("Orvane Setup", IDOK);
        DWORD exitCode = Run("", temp);
        // Inside its own folder a link is refused; elsewhere the launcher
        // takes another name and goes on.
        harness::StandInRecord next = Record("Bootlace", exitCode == 0);
        if (exitCode == 0) {
            ASSERT_TRUE(next.present());
            EXPECT_FALSE(harness::FileExists(next.folder + "\\version.dll"));
            ExpectWholePayload(next.folder);
            EXPECT_EQ(0u, harness::RunCleanupScript(harness::QuotedValue(next.commandLine, "CleanUp")));
        } else {
            EXPECT_EQ(2u, exitCode);
            EXPECT_TRUE(refusal.Answered());
            EXPECT_FALSE(next.present());
        }
        EXPECT_EQ("one.dll", ListFolder(victim));
        EXPECT_EQ("the user's own", ReadFileBytes(victim + "one.dll"));
        // What is left in the temporary folder is the squatter's alone.
        std::string left = ListFolder(temp);
        EXPECT_TRUE(left == "" || left == "RERUvoro0") << left;
        if (left == "RERUvoro0") {
            std::string inside = ListFolder(temp + "RERUvoro0");
            EXPECT_TRUE(inside == "" || inside == "version.dll" || inside == "one.dll" || inside == "lib") << inside;
        }
        harness::RemoveTree(temp);
    }
}

}  // namespace

// Launchers around real payloads, end to end under Wine: the demo payload
// extracted byte for byte with its exact script, and launchers carrying
// archives made here: missing, empty, damaged and malformed ones, unsafe
// names, full and small drives, paths with blanks and accents, and planted
// programs and DLLs beside the launcher.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "LauncherRun.h"
#include "TestArchive.h"
#include "archive/ArchiveNames.h"

using harness::FromUnixPath;
using harness::ListFolder;
using harness::ReadFileBytes;
using archivetest::RawEntry;

using harness::StandIn;

namespace {

class Payload : public harness::LauncherRun {
protected:
    // A launcher whose five extracted archives hold these entries (an
    // archive without entries still exists; one not named is missing).
    void UseArchives(const std::map<std::string, std::vector<RawEntry>>& archives) {
        std::map<std::string, std::string> bytes;
        for (const auto& archive : archives) bytes[archive.first] = archivetest::BuildArchive(archive.second);
        UseArchiveBytes(bytes);
    }
    void UseArchiveBytes(const std::map<std::string, std::string>& archives) {
        ASSERT_TRUE(harness::MakeLauncher(FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher, archives));
    }

    // Runs and expects a refusal: exit 2, a report naming `named`, no next
    // stage, and the temporary folder as it was.
    void ExpectRefused(const std::string& temp, const std::string& named) {
        std::string before = ListFolder(temp);
        harness::MessageBoxAnswerer answer("Orvane Setup", IDOK);
        EXPECT_EQ(2u, Run("", temp));
        EXPECT_TRUE(answer.Answered());
        EXPECT_NE(std::string::npos, answer.Text().find(named)) << answer.Text();
        EXPECT_EQ(before, ListFolder(temp));
        EXPECT_FALSE(Record("Bootlace", false).present());
    }
};

// The worked example's texts, with its C:\TEMP\ and C:\DOWNLOAD\ moved into
// this test's own folder, which goes whatever the test's result.
std::string Moved(std::string text, const std::string& temp, const std::string& downloads) {
    for (const auto& move : {std::make_pair(std::string("C:\\TEMP\\"), temp),
                             std::make_pair(std::string("C:\\DOWNLOAD\\"), downloads)}) {
        for (size_t at = text.find(move.first); at != std::string::npos; at = text.find(move.first, at))
            text.replace(at, move.first.size(), move.second), at += move.second.size();
    }
    return text;
}

// The worked example, by the launcher that make links and by the one the
// packer writes around the bare launcher (ovpack launcher).
class WorkedExample : public Payload, public ::testing::WithParamInterface<const char*> {};
INSTANTIATE_TEST_SUITE_P(Launchers, WorkedExample, ::testing::Values(OV_LAUNCHER_EXE, OV_STAMPED_LAUNCHER_EXE));

TEST_P(WorkedExample, RunsAndCleansUpCompletely) {
    const std::string temp = folder.Subfolder("TEMP");
    const std::string downloads = folder.Subfolder("DOWNLOAD");
    auto at = [&](const std::string& text) { return Moved(text, temp, downloads); };
    launcher = downloads + "SETUP.EXE";
    UseLauncher(FromUnixPath(GetParam()));

    ASSERT_EQ(0u, Run("", temp));
    harness::StandInRecord next = Record("Bootlace");
    EXPECT_EQ(at(
        "Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized "
        "ResourceFile=\"C:\\DOWNLOAD\\SETUP.EXE\" CleanUp=\"C:\\TEMP\\0.bat\" "),
        next.commandLine);
    EXPECT_EQ(at("C:\\TEMP\\RERUvoro0"), next.folder);
    EXPECT_EQ(at(
        "cd \\\r\n"
        "C:\\TEMP\\RERUvoro0\\exitgate %1\r\n"
        "del C:\\TEMP\\RERUvoro0\\one.dll\r\n"
        "del C:\\TEMP\\RERUvoro0\\lib\\two.dat\r\n"
        "del C:\\TEMP\\RERUvoro0\\Bootlace.exe\r\n"
        "del C:\\TEMP\\RERUvoro0\\exitgate.exe\r\n"
        "del C:\\TEMP\\RERUvoro0\\doc\\en\\three.rtf\r\n"
        "del C:\\TEMP\\RERUvoro0\\doc\\fr\\three.rtf\r\n"
        "del C:\\TEMP\\RERUvoro0\\lib\\four.jpg\r\n"
        "del C:\\TEMP\\RERUvoro0\\five.dll\r\n"
        "del C:\\TEMP\\RERUvoro0\\six.dll\r\n"
        "rmdir C:\\TEMP\\RERUvoro0\\doc\\fr\r\n"
        "rmdir C:\\TEMP\\RERUvoro0\\doc\\en\r\n"
        "rmdir C:\\TEMP\\RERUvoro0\\doc\r\n"
        "rmdir C:\\TEMP\\RERUvoro0\\lib\r\n"
        "rmdir C:\\TEMP\\RERUvoro0\r\n"
        "del C:\\TEMP\\0.bat\r\n"),
        ReadFileBytes(temp + "0.bat"));

    // Every entry of the five archives byte for byte, and nothing of the others.
    const std::string demo = FromUnixPath(OV_DEMO_PAYLOAD) + "\\";
    const std::string root = temp + "RERUvoro0\\";
    for (const char* file : {"BASE\\one.dll", "BASE\\lib\\two.dat", "SETUPBASE\\Bootlace.exe",
                             "SETUPBASE\\exitgate.exe", "SETUPBASE\\doc\\en\\three.rtf",
                             "SETUPBASE\\doc\\fr\\three.rtf", "SETUPWEB\\lib\\four.jpg", "OVIMAGE\\five.dll",
                             "OVVERSION\\six.dll"}) {
        SCOPED_TRACE(file);
        std::string relative = strchr(file, '\\') + 1;
        ASSERT_TRUE(harness::FileExists(demo + file));
        EXPECT_EQ(ReadFileBytes(demo + file), ReadFileBytes(root + relative));
    }
    EXPECT_EQ("Bootlace.exe doc exitgate.exe five.dll lib one.dll six.dll", ListFolder(root));
    EXPECT_EQ("four.jpg two.dat", ListFolder(root + "lib"));

    // The script leaves the temporary folder as it was, after running the
    // gate program with its argument.
    EXPECT_EQ(0u, harness::RunCleanupScript(temp + "0.bat"));
    harness::StandInRecord gate = Record("exitgate");
    EXPECT_EQ(0u, gate.commandLine.find(root + "exitgate")) << gate.commandLine;
    EXPECT_EQ("done", gate.commandLine.substr(gate.commandLine.size() - 4));
    EXPECT_EQ("", ListFolder(temp));
}

// The packer writes every resource that make links, as the system's loader
// reads them: the archives, the manifest, the version, the icon.
TEST_F(Payload, TheWrittenLauncherCarriesTheLinkedOnesResources) {
    harness::ResourceMap written = harness::Resources(FromUnixPath(OV_STAMPED_LAUNCHER_EXE));
    EXPECT_EQ(1u, written.count("OVARC/SETUPBASE/1031"));
    EXPECT_TRUE(written == harness::Resources(FromUnixPath(OV_LAUNCHER_EXE)));
}

TEST_F(Payload, AMissingArchiveIsSkippedAndTheOthersKeepTheirOrder) {
    UseArchives({{"SETUPBASE", {{"Bootlace.exe", StandIn()}, {"b\\x.txt", "x"}}},
                 {"SETUPWEB", {{"c.txt", "c"}}},
                 {"OVVERSION", {{"v\\w\\y.txt", "y"}}}});
    std::string temp = folder.Subfolder("temp");
    ASSERT_EQ(0u, Run("", temp));
    ASSERT_TRUE(Record("Bootlace").present());
    std::string r = temp + "RERUvoro0";
    EXPECT_EQ("cd \\\r\n" + r + "\\exitgate %1\r\ndel " + r + "\\Bootlace.exe\r\ndel " + r + "\\b\\x.txt\r\ndel " + r +
                  "\\c.txt\r\ndel " + r + "\\v\\w\\y.txt\r\nrmdir " + r + "\\v\\w\r\nrmdir " + r + "\\v\r\nrmdir " + r +
                  "\\b\r\nrmdir " + r + "\r\ndel " + temp + "0.bat\r\n",
              ReadFileBytes(temp + "0.bat"));
    EXPECT_EQ(0u, harness::RunCleanupScript(temp + "0.bat"));
    EXPECT_EQ("", ListFolder(temp));
}

TEST_F(Payload, FiveEmptyArchivesLeaveNoNextStageToStart) {
    std::map<std::string, std::vector<RawEntry>> empty;
    for (const char* name : ExtractedArchives) empty[name] = {};
    UseArchives(empty);
    std::string temp = folder.Subfolder("temp");
    ExpectRefused(temp, "Bootlace.exe");
}

TEST_F(Payload, APlantedNextStageBesideTheLauncherIsNotTheOneThatRuns) {
    UseArchives({{"BASE", {{"Bootlace.exe", StandIn()}}}});
    CopyFileA(FromUnixPath(OV_STANDIN_EXE).c_str(), (downloads + "Bootlace.exe").c_str(), FALSE);
    std::string temp = folder.Subfolder("temp");
    ASSERT_EQ(0u, Run("", temp));
    EXPECT_EQ(temp + "RERUvoro0\\Bootlace.exe", Record("Bootlace").module);
}

TEST_F(Payload, DamagedOrMalformedPayloadsNeverReachTheNextStage) {
    const std::vector<RawEntry> entries = {{"Bootlace.exe", StandIn()}, {"data\\big.bin", std::string(50000, 'q')}};
    const std::string good = archivetest::BuildArchive(entries);
    std::string flipped = good;
    flipped[archivetest::GetU32(good, archivetest::FieldOffset(good, 1, 0)) + 20] ^= 0x10;
    // The second entry's stored size one less: its stream is cut short.
    std::string shortened = good;
    size_t storedSize = archivetest::FieldOffset(good, 1, 1);
    archivetest::PutU32(shortened, storedSize, archivetest::GetU32(good, storedSize) - 1);
    std::string outside = good;
    archivetest::PutU32(outside, archivetest::FieldOffset(good, 0, 0), 0x7FFFFFF0u);
    std::string unsafe = archivetest::BuildArchive({{"Bootlace.exe", StandIn()}, {"..\\escape.txt", "x"}});
    std::string drive = archivetest::BuildArchive({{"Bootlace.exe", StandIn()}, {"C:\\escape.txt", "x"}});

    const struct {
        const char* description;
        std::string archive;
        const char* named;
    } cases[] = {
        {"one stored byte flipped", flipped, "big.bin"},
        {"an entry cut short", shortened, "big.bin"},
        {"data outside the archive", outside, "SETUPBASE"},
        {"a name that climbs out", unsafe, "..\\escape.txt"},
        {"a name with a drive", drive, "C:\\escape.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        UseArchiveBytes({{"BASE", archivetest::BuildArchive({{"first.txt", "written before the damage"}})},
                         {"SETUPBASE", c.archive}});
        std::string temp = folder.Subfolder(std::string("temp") + std::to_string(&c - cases));
        ExpectRefused(temp, c.named);
        EXPECT_FALSE(harness::FileExists(folder.Path() + "escape.txt"));
    }
}

TEST_F(Payload, TemporaryPathsWithBlanksAndAccentsAreCleanedByTheScript) {
    UseArchives({{"BASE", {{"Bootlace.exe", StandIn()}, {"exitgate.exe", StandIn()}, {"sub\\f.txt", "f"}}}});
    // "Temp J\xFCrgen" is Windows-1252 for a user named Juergen with an umlaut.
    for (const char* name : {"MY TEMP", "Temp J\xFCrgen", "100% & more"}) {
        SCOPED_TRACE(name);
        ForgetRecords();
        std::string temp = folder.Subfolder(name);
        ASSERT_EQ(0u, Run("", temp));
        ASSERT_TRUE(Record("Bootlace").present());

        // The folder's line, quoted, in the OEM code page cmd.exe reads.
        std::string line = "rmdir \"" + temp + "RERUvoro0\"\r\n";
        std::string oem = line;
        CharToOemBuffA(line.c_str(), &oem[0], static_cast<DWORD>(line.size()));
        if (line.find('%') == std::string::npos) {
            EXPECT_NE(std::string::npos, ReadFileBytes(temp + "0.bat").find(oem));
        }

        EXPECT_EQ(0u, harness::RunCleanupScript(temp + "0.bat"));
        EXPECT_EQ("", ListFolder(temp));
    }
}

TEST_F(Payload, AFullDriveStopsTheRunAndLeavesNothingBehind) {
    if (!harness::DriveMapped('U')) GTEST_SKIP() << "drive U: (11 MiB tmpfs) is not mapped: mounting needs root";
    // More than the drive holds, and nothing a compressor could shrink.
    std::string noise(12 << 20, '\0');
    uint32_t seed = 2024;
    for (char& byte : noise) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<char>(seed >> 24);
    }
    UseArchives({{"BASE", {{"Bootlace.exe", StandIn()}, {"media\\noise.bin", noise}}}});
    ExpectRefused("U:\\", "noise.bin");
    EXPECT_EQ("", ListFolder("U:\\"));
}

TEST_F(Payload, ImportsOnlySystemDllsAndIgnoresPlantedOnes) {
    HMODULE image = LoadLibraryExA(FromUnixPath(OV_LAUNCHER_EXE).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(nullptr, image);
    const BYTE* base = reinterpret_cast<const BYTE*>(image);
    const IMAGE_NT_HEADERS* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    for (const IMAGE_IMPORT_DESCRIPTOR* d =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name != 0; ++d) {
        std::string name = reinterpret_cast<const char*>(base + d->Name);
        CharUpperA(&name[0]);
        names.push_back(name);
    }
    FreeLibrary(image);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        EXPECT_TRUE(name == "KERNEL32.DLL" || name == "USER32.DLL" || name == "GDI32.DLL" || name == "MSVCRT.DLL" ||
                    name == "ADVAPI32.DLL")
            << name;
    }

    UseLauncher(FromUnixPath(OV_LAUNCHER_EXE));
    for (const char* dll : {"winmm.dll", "uxtheme.dll", "version.dll"})
        CopyFileA(FromUnixPath(OV_PLANTED_DLL).c_str(), (downloads + dll).c_str(), FALSE);
    std::string temp = folder.Subfolder("temp");
    EXPECT_EQ(0u, Run("", temp));
    EXPECT_TRUE(Record("Bootlace").present());
    EXPECT_FALSE(harness::FileExists(records + "planted-dll-loaded.txt"));
}

}  // namespace

// What release_build (tests/release/release-build.sh) made, run under Wine:
// the version details read back through the system's version API; the
// launcher ovpack.exe stamped has the resources make launcher gives; and
// the signed and the stamped launchers run the worked example exactly as
// the build's own launcher does.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "LauncherRun.h"
#include "archive/ArchiveNames.h"

using harness::FromUnixPath;
using harness::ReadFileBytes;

namespace {

std::string Made(const char* name) { return FromUnixPath(OV_RELEASE_WORK) + "\\" + name; }

// The version resource of a file as the properties dialog reads it.
class VersionInfo {
public:
    explicit VersionInfo(const std::string& path) {
        DWORD ignored;
        block.resize(GetFileVersionInfoSizeA(path.c_str(), &ignored));
        if (!block.empty() && !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
            block.clear();
    }
    bool Present() const { return !block.empty(); }
    // "a.b.c.d" of the fixed part's file or product version.
    std::string Fixed(bool product) const {
        VS_FIXEDFILEINFO* info;
        UINT length;
        if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length)) return "";
        DWORD high = product ? info->dwProductVersionMS : info->dwFileVersionMS;
        DWORD low = product ? info->dwProductVersionLS : info->dwFileVersionLS;
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." + std::to_string(HIWORD(low)) +
               "." + std::to_string(LOWORD(low));
    }
    // A value of the English (United States) string table, "" when missing.
    std::string Text(const char* name) const {
        char* value;
        UINT length;
        std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return "";
        return std::string(value, strnlen(value, length));
    }

private:
    std::vector<char> block;
};

TEST(VersionResource, ReadBackThroughTheVersionApi) {
    const struct {
        std::string file;
        const char* version;       // file version, fixed and text
        const char* fixedProduct;  // product version, fixed part
        const char* product;       // product version, text
        const char* copyright;
    } cases[] = {
        {FromUnixPath(OV_LAUNCHER_EXE), OV_DEFAULT_VERSION, OV_DEFAULT_VERSION, OV_DEFAULT_VERSION, OV_DEFAULT_COPYRIGHT},
        {Made("signed.exe"), OV_DEFAULT_VERSION, OV_DEFAULT_VERSION, OV_DEFAULT_VERSION, OV_DEFAULT_COPYRIGHT},
        {Made("versioned.exe"), "1.2.3.4", "1.2.0.0", "1.2", "Copyright (C) 2031 Test"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.file);
        VersionInfo info(test.file);
        ASSERT_TRUE(info.Present());
        EXPECT_EQ("Orvane", info.Text("ProductName"));
        EXPECT_EQ("Orvane Setup", info.Text("FileDescription"));
        EXPECT_EQ(test.version, info.Fixed(false));
        EXPECT_EQ(test.version, info.Text("FileVersion"));
        EXPECT_EQ(test.fixedProduct, info.Fixed(true));
        EXPECT_EQ(test.product, info.Text("ProductVersion"));
        EXPECT_EQ(test.copyright, info.Text("LegalCopyright"));
    }
}

TEST(StampedLauncher, HasTheResourcesMakeLauncherGives) {
    harness::ResourceMap stamped = harness::Resources(Made("stamped.exe"));
    harness::ResourceMap built = harness::Resources(Made("unsigned.exe"));
    // Every archive of the payload, as resource type OVARC.
    std::vector<const char*> archives(std::begin(ExtractedArchives), std::end(ExtractedArchives));
    archives.insert(archives.end(), std::begin(KeptArchives), std::end(KeptArchives));
    for (const char* name : archives) EXPECT_EQ(1u, stamped.count("OVARC/" + std::string(name) + "/1031")) << name;
    EXPECT_EQ(1u, stamped.count("#24/#1/0"));  // the manifest, language neutral
    EXPECT_TRUE(stamped == built);
}

// Every file below folder, each as its relative path and its bytes.
std::string Snapshot(const std::string& folder, const std::string& prefix = "") {
    std::string all;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return all;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            all += Snapshot(folder + "\\" + name, prefix + name + "\\");
        } else {
            all += prefix + name + ": " + ReadFileBytes(folder + "\\" + name) + "\n";
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return all;
}

class ReleaseLauncher : public harness::LauncherRun {
protected:
    struct Outcome {
        std::string commandLine;
        std::string script;
        std::string extracted;
    };
    // The worked example's setting, SETUP.EXE in a download folder and a
    // temporary folder of its own, both private to the test and made anew
    // for each run, so every run sees the same paths.
    Outcome RunWorkedExample(const std::string& executable) {
        harness::RemoveTree(temp);
        harness::RemoveTree(downloads);
        harness::CreateFolders(temp);
        harness::CreateFolders(downloads);
        ForgetRecords();
        launcher = downloads + "SETUP.EXE";
        UseLauncher(executable);
        Outcome outcome;
        EXPECT_EQ(0u, Run("", temp));
        outcome.commandLine = Record("Bootlace").commandLine;
        outcome.script = ReadFileBytes(temp + "0.bat");
        outcome.extracted = Snapshot(temp + "RERUvoro0");
        return outcome;
    }
    const std::string temp = folder.Path() + "TEMP\\";
};

TEST_F(ReleaseLauncher, SignedAndStampedRunTheWorkedExampleAsTheBuildsOwnDoes) {
    Outcome plain = RunWorkedExample(FromUnixPath(OV_LAUNCHER_EXE));
    EXPECT_EQ(17, std::count(plain.script.begin(), plain.script.end(), '\n'));
    EXPECT_NE("", plain.extracted);
    for (const char* made : {"signed.exe", "stamped.exe"}) {
        SCOPED_TRACE(made);
        Outcome outcome = RunWorkedExample(Made(made));
        EXPECT_EQ(
            "Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized "
            "ResourceFile=\"" + launcher + "\" CleanUp=\"" + temp + "0.bat\" ",
            outcome.commandLine);
        EXPECT_EQ(plain.script, outcome.script);
        EXPECT_TRUE(plain.extracted == outcome.extracted);
    }
}

}  // namespace

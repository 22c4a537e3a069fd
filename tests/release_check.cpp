// What release_build (tests/release/release-build.sh) made, run under Wine:
// the version details read back through the system's version API, and a
// signed launcher that runs the worked example exactly as the unsigned
// launcher of the build does.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LauncherRun.h"

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
    // The worked example's setting: C:\DOWNLOAD\SETUP.EXE with C:\TEMP\.
    Outcome RunWorkedExample(const std::string& executable) {
        harness::RemoveTree("C:\\TEMP");
        harness::RemoveTree("C:\\DOWNLOAD");
        harness::CreateFolders("C:\\TEMP");
        harness::CreateFolders("C:\\DOWNLOAD");
        ForgetRecords();
        launcher = "C:\\DOWNLOAD\\SETUP.EXE";
        UseLauncher(executable);
        Outcome outcome;
        EXPECT_EQ(0u, Run("", "C:\\TEMP\\"));
        outcome.commandLine = Record("Bootlace").commandLine;
        outcome.script = ReadFileBytes("C:\\TEMP\\0.bat");
        outcome.extracted = Snapshot("C:\\TEMP\\RERUvoro0");
        harness::RemoveTree("C:\\TEMP");
        harness::RemoveTree("C:\\DOWNLOAD");
        return outcome;
    }
};

TEST_F(ReleaseLauncher, SignedRunsTheWorkedExampleAsTheUnsignedDoes) {
    Outcome plain = RunWorkedExample(FromUnixPath(OV_LAUNCHER_EXE));
    Outcome signed_ = RunWorkedExample(Made("signed.exe"));
    EXPECT_EQ(
        "Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized "
        "ResourceFile=\"C:\\DOWNLOAD\\SETUP.EXE\" CleanUp=\"C:\\TEMP\\0.bat\" ",
        signed_.commandLine);
    EXPECT_EQ(plain.script, signed_.script);
    EXPECT_EQ(17, std::count(signed_.script.begin(), signed_.script.end(), '\n'));
    EXPECT_NE("", signed_.extracted);
    EXPECT_TRUE(plain.extracted == signed_.extracted);
}

}  // namespace

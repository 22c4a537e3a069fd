// The splash's resources as the built launcher carries them, byte for byte:
// dialog 103 and icon group 101 in German (1031), bitmap 134 in English
// (1033), the bitmap and the icon images exactly the committed files.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "WinHarness.h"
#include "splash_support.h"

using splashtest::ResourceBytes;

namespace {

const WORD German = 1031;
const WORD English = 1033;

class LauncherResources : public ::testing::Test {
protected:
    LauncherResources() {
        launcher = LoadLibraryExA(harness::FromUnixPath(OV_LAUNCHER_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~LauncherResources() override {
        if (launcher != nullptr) FreeLibrary(launcher);
    }
    HMODULE launcher;
};

std::string Little16(unsigned value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Little32(unsigned value) {
    return Little16(value & 0xFFFF) + Little16(value >> 16);
}

TEST_F(LauncherResources, Dialog103IsThe54ByteTemplate) {
    ASSERT_NE(nullptr, launcher);
    std::string expected = Little32(0x80800040) + Little32(0) + Little16(0)  // style, extended style, controls
                           + Little16(0) + Little16(0) + Little16(323) + Little16(213)  // x, y, width, height
                           + Little16(0) + Little16(0) + Little16(0)  // menu, class, caption
                           + Little16(8);  // font size
    for (const char* c = "MS Sans Serif"; *c != '\0'; ++c) expected += Little16(static_cast<unsigned char>(*c));
    expected += Little16(0);
    ASSERT_EQ(54u, expected.size());
    EXPECT_EQ(expected, ResourceBytes(launcher, RT_DIALOG, 103, German));
}

TEST_F(LauncherResources, Bitmap134IsTheSplashFile) {
    ASSERT_NE(nullptr, launcher);
    std::string resource = ResourceBytes(launcher, RT_BITMAP, 134, English);
    EXPECT_EQ(harness::ReadFileBytes(harness::FromUnixPath(OV_SPLASH_BMP)).substr(14), resource);

    // width 480, height 350, 1 plane, 8 bits, uncompressed, biSizeImage 0,
    // 11808 pixels per metre both ways, biClrUsed and biClrImportant 0
    std::string header = Little32(40) + Little32(480) + Little32(350) + Little16(1) + Little16(8) + Little32(0) +
                         Little32(0) + Little32(11808) + Little32(11808) + Little32(0) + Little32(0);
    EXPECT_EQ(header, resource.substr(0, 40));
}

// The group's entries are the icon file's directory entries, each naming
// its image by number 1 to 6; each image is the file's image, in German too.
TEST_F(LauncherResources, IconGroup101HoldsTheSixImagesOfTheIconFile) {
    ASSERT_NE(nullptr, launcher);
    std::string file = harness::ReadFileBytes(harness::FromUnixPath(OV_ORVANE_ICO));
    ASSERT_EQ(6u, static_cast<unsigned char>(file[4]));
    std::string expected = file.substr(0, 6);
    for (unsigned i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        const char* entry = file.data() + 6 + 16 * i;
        DWORD bytes, offset;
        memcpy(&bytes, entry + 8, 4);
        memcpy(&offset, entry + 12, 4);
        expected += std::string(entry, 12) + Little16(i + 1);
        EXPECT_EQ(file.substr(offset, bytes), ResourceBytes(launcher, RT_ICON, i + 1, German));
    }
    EXPECT_EQ(expected, ResourceBytes(launcher, RT_GROUP_ICON, 101, German));
}

}  // namespace

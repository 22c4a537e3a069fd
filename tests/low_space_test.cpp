// A temporary folder on a drive with too little space: the launcher says so
// in the user's language, writes nothing and ends with exit code 1.  CTest
// runs this program once per locale; a launcher started from here runs in
// the same language, which OV_EXPECT_LANGID names.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <string>

#include "LauncherRun.h"
#include "launcher/system/MessageCatalogue.h"
#include "string/QlString.h"

namespace {

class LowSpace : public harness::LauncherRun {};

TEST_F(LowSpace, TheLauncherRefusesInTheUsersLanguageAndWritesNothing) {
    if (!harness::DriveMapped('T')) GTEST_SKIP() << "drive T: (5 MiB tmpfs) is not mapped: mounting needs root";
    const char* expectedLanguage = getenv("OV_EXPECT_LANGID");
    ASSERT_NE(nullptr, expectedLanguage);
    ASSERT_EQ(strtoul(expectedLanguage, nullptr, 16), GetUserDefaultLangID()) << "the locale did not take";
    UseLauncher(harness::FromUnixPath(OV_LAUNCHER_EXE));

    // 5 MiB free of the 10 MiB asked for, on drive "T:".
    QlString expected;
    expected.Format(GetMessageText(MSG_INSUFFICIENT_SPACE), "T:", 10.0, 5.0);
    harness::MessageBoxAnswerer answer(GetMessageText(MSG_SETUP_TITLE), IDOK);
    EXPECT_EQ(1u, Run("", "T:\\"));
    EXPECT_EQ(std::string(expected), answer.Text());
    EXPECT_EQ("", harness::ListFolder("T:\\"));
    EXPECT_FALSE(Record("Bootlace", false).present());
}

}  // namespace

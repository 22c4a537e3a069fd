// The close confirmation in the user's language: this program runs with a
// German user locale (see tests/cmake/splash.cmake).
#include <gtest/gtest.h>

#include <windows.h>

#include "WinHarness.h"
#include "launcher/Launcher.h"
#include "splash/Splash.h"

namespace {

TEST(SplashInGerman, CloseAsksInGerman) {
    ASSERT_EQ(LANG_GERMAN, PRIMARYLANGID(GetUserDefaultLangID()));
    AppInstance = GetModuleHandleA(nullptr);
    HWND window = CreateSplash();
    ASSERT_NE(nullptr, window);
    WaitForFirstPaint();

    harness::MessageBoxAnswerer answerer("Orvane Setup", IDNO);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(answerer.Answered());
    // Windows-1252: 0xFC is u with diaeresis.
    EXPECT_EQ("Sie sind dabei, den Orvane-Download zu unterbrechen.\n"
              "Um den Download fortzusetzen, m\xFCssen Sie nur das Setup-Program erneut starten.\n"
              "Die bereits herunter geladenen Datein werden nicht erneut heruntergeladen.\n"
              "Wollen Sie den Download wirklich unterbrechen?",
              answerer.Text());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(1, SplashAlive);
    DestroyWindow(window);
}

}  // namespace

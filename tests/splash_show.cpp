// Shows the splash for a screenshot (make screenshot):
//
//   splash_show.exe STOPFILE
//
// Once the display shows the picture, prints the window's geometry as
// WIDTHxHEIGHT+LEFT+TOP (the form X tools crop by) and keeps the splash up
// until the Unix file STOPFILE exists, at most 60 s.  Exit code 0, or 1 when
// the splash did not show.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "WinHarness.h"
#include "splash/Splash.h"
#include "splash_support.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: splash_show.exe STOPFILE\n");
        return 2;
    }
    std::string stopFile = harness::FromUnixPath(argv[1]);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND window = CreateSplash({instance, L"Orvane Setup", L"Close?"});
    if (window == nullptr) return 1;
    WaitForFirstPaint();
    if (!splashtest::ScreenComesToShow(window, splashtest::ResourceBytes(instance, RT_BITMAP, 134))) return 1;

    RECT outer;
    GetWindowRect(window, &outer);
    printf("%ldx%ld+%ld+%ld\n", outer.right - outer.left, outer.bottom - outer.top, outer.left, outer.top);
    fflush(stdout);
    for (int waited = 0; waited < 60000 && !harness::FileExists(stopFile); waited += 20) {
        PumpOneMessage();
        Sleep(20);
    }
    DestroyWindow(window);
    return 0;
}

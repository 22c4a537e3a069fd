// The splash dialog: a borderless popup showing the splash picture centred
// on the screen, with no controls and no caption.
#include "Splash.h"

#include <stdlib.h>

#include "Dib.h"

namespace {

const int SplashDialogId = 103;
const int SplashIconId = 101;
const int SplashBitmapId = 134;

// The one splash's: what the program gave it, and its picture and palette,
// released when it ends or is destroyed.
SplashSetup setup;
DibHolder splashDib;
PaletteHolder splashPalette;

// Hides the splash (it is not destroyed) and lets both of the launcher's
// waits end: one that comes before the first paint would otherwise never end.
void EndSplash(HWND window) {
    EndDialog(window, 1);
    splashPalette.Reset();
    NoteSplashEnded();
}

// Sizes the window so its client area is the picture (the template's size
// when there is none), shows it and sets the program icon; CreateSplash
// then centres it at its final size.
void InitSplash(HWND window) {
    splashDib.Reset(LoadDibResource(SplashBitmapId, setup.instance));
    if (splashDib.Get() != nullptr) splashPalette.Reset(CreateDibPalette(splashDib.Get()));

    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    int outerWidth = outer.right - outer.left;
    int outerHeight = outer.bottom - outer.top;
    int width = outerWidth;
    int height = outerHeight;
    if (splashDib.Get() != nullptr) {
        width = splashDib.Get()->biWidth + outerWidth - client.right;
        height = splashDib.Get()->biHeight + outerHeight - client.bottom;
    }
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, width, height, SWP_SHOWWINDOW | SWP_NOMOVE);

    HICON icon = LoadIconA(setup.instance, MAKEINTRESOURCEA(SplashIconId));
    // The pointer-sized call: a 64-bit handle does not fit a LONG.  On 32-bit
    // Windows it is SetClassLongA itself.
    SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

void PaintSplash(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    {
        QlSelectedPalette selected(dc, splashPalette.Get());
        PaintDib(splashDib.Get(), dc, 0, 0);
    }
    EndPaint(window, &paint);
    NoteSplashPainted();
}

// Yes ends the whole process through the runtime's exit, with code 0.
void ConfirmClose() {
    int answer = MessageBoxW(nullptr, setup.confirmClose, setup.title, MB_YESNO | MB_TOPMOST);
    if (answer == IDYES) exit(0);
}

}  // namespace

HWND CreateSplash(const SplashSetup& given) {
    setup = given;
    ResetSplashState();
    HWND window = CreateDialogParamA(setup.instance, MAKEINTRESOURCEA(SplashDialogId), nullptr, SplashDialogProc, 0);
    if (window == nullptr) {
        NoteSplashEnded();
        return nullptr;
    }
    RECT outer;
    GetWindowRect(window, &outer);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2;
    SetWindowPos(window, HWND_NOTOPMOST, x, y, 0, 0, SWP_SHOWWINDOW | SWP_NOSIZE);
    return window;
}

INT_PTR CALLBACK SplashDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        InitSplash(window);
        return TRUE;
    case WM_PAINT:
        PaintSplash(window);
        return TRUE;
    case WM_KILLFOCUS:
        // Only once the next stage runs: until then a click elsewhere must
        // not end the splash.
        if (NextStageStarted()) EndSplash(window);
        return TRUE;
    case WM_CLOSE:
        ConfirmClose();
        return TRUE;
    case WM_TIMER:
        KillTimer(window, 1);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        // The whole wParam: a notification code in the high word is not a Cancel.
        if (wParam == IDCANCEL) {
            EndSplash(window);
            splashDib.Reset();
        }
        return TRUE;
    case WM_NCDESTROY:
        // Whatever an end left behind goes with the window.
        splashPalette.Reset();
        splashDib.Reset();
        return FALSE;
    default:
        return FALSE;
    }
}

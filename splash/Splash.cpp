#include "Splash.h"

// Placeholder until the splash dialog and its bitmap exist: behaves as a
// dialog that cannot be created, so neither of the launcher's waits blocks.
HWND CreateSplash() {
    SplashPaintPending = 0;
    SplashAlive = 0;
    return nullptr;
}

INT_PTR CALLBACK SplashDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

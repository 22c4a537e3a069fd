#include "Splash.h"

int SplashPaintPending = 1;
int SplashAlive = 1;
bool NextStageLaunched = false;

void PumpOneMessage() {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // No IsDialogMessage: the splash has no keyboard handling, and a
        // WM_QUIT is dispatched like any other message.
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void WaitForFirstPaint() {
    while (SplashPaintPending != 0) PumpOneMessage();
}

bool LingerExpired(DWORD t0, DWORD now) {
    // Unsigned 32-bit: when t0 lies within 5000 ms of the wrap, the deadline
    // wraps to a small value and the wait ends at once.
    return static_cast<DWORD>(t0 + 5000) <= now;
}

void LingerWhileSplashAlive(MillisecondClock clock) {
    DWORD t0 = clock();
    while (SplashAlive != 0 && !LingerExpired(t0, clock())) PumpOneMessage();
}

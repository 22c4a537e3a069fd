#include "Splash.h"

#include "SplashState.h"

namespace {

const DWORD LingerMs = 5000;

}  // namespace

bool PumpOneMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    // No IsDialogMessage: the splash has no keyboard handling, and a
    // WM_QUIT is dispatched like any other message.
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

DWORD WaitForMessage(DWORD timeoutMs) {
    // Any message waiting counts, also one an earlier look left in the queue.
    return MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// Both waits check their condition again before they sleep: a look at an
// empty queue still handles what other threads send, which may end them.
void WaitForFirstPaint() {
    while (!SplashHasPainted()) {
        if (!PumpOneMessage() && !SplashHasPainted()) WaitForMessage(INFINITE);
    }
}

bool LingerExpired(DWORD t0, DWORD now) {
    // Unsigned 32-bit: when t0 lies within 5000 ms of the wrap, the deadline
    // wraps to a small value and the wait ends at once.
    return static_cast<DWORD>(t0 + LingerMs) <= now;
}

void LingerWhileSplashAlive(MillisecondClock clock, MessageWait wait) {
    DWORD t0 = clock();
    for (;;) {
        if (SplashHasEnded()) return;
        DWORD now = clock();
        if (LingerExpired(t0, now)) return;
        if (PumpOneMessage() || SplashHasEnded()) continue;
        // Until the deadline; once the clock has wrapped past t0 that can
        // lie weeks ahead, so the sleep is cut to the whole wait's length.
        DWORD left = static_cast<DWORD>(t0 + LingerMs) - now;
        wait(left < LingerMs ? left : LingerMs);
    }
}

DWORD WaitForProcessEnd(HANDLE process) {
    for (;;) {
        // Wakes for the end or for a message, never on a timer.
        DWORD woken = MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
        while (PumpOneMessage()) {
        }
    }
    DWORD exitCode;
    return GetExitCodeProcess(process, &exitCode) ? exitCode : 2;
}

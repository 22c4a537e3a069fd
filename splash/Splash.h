// The splash screen and the message pump that keeps it alive while the
// launcher waits.  Everything runs on the one GUI thread: the dialog
// procedure runs only inside PumpOneMessage or calls the launcher makes.
#ifndef ORVANE_SPLASH_SPLASH_H
#define ORVANE_SPLASH_SPLASH_H

#include <windows.h>

#include "SplashState.h"

// What the splash needs from the program: the module whose resources hold
// it, and the texts of the question asked before a close (caption and
// question, wide, as the user reads them; kept by pointer, so they must
// outlive the splash).
struct SplashSetup {
    HINSTANCE instance;
    const wchar_t* title;
    const wchar_t* confirmClose;
};

// Creates, shows and centres the splash (dialog 103, bitmap 134 and icon
// 101 of the instance) as a new splash (ResetSplashState); null when the
// dialog cannot be created, in which case it counts as ended, so no wait
// blocks.  The caller destroys the window; the picture and its palette go
// with it.
HWND CreateSplash(const SplashSetup& setup);

// Paints the picture; ends the splash on Cancel (also posted by any timer),
// and on losing the focus once the next stage has started; asks before a
// close and ends the process with exit code 0 on Yes.
INT_PTR CALLBACK SplashDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One non-blocking pump step: takes one message of any window of the thread
// (or a thread message) and dispatches it; returns at once on an empty
// queue.  Whether it took one.
bool PumpOneMessage();

// Sleeps until the thread has a message to take or timeoutMs (INFINITE:
// no limit) have passed, and takes none; MsgWaitForMultipleObjectsEx's
// answer.  The waits below sleep here whenever the queue is empty, rather
// than keep a processor busy.
typedef DWORD (*MessageWait)(DWORD timeoutMs);
DWORD WaitForMessage(DWORD timeoutMs);

// The launcher's first wait: pump until the splash has painted once.
void WaitForFirstPaint();

// The launcher's final wait: pump while the splash lives, for at most
// 5000 ms of the given millisecond clock (32-bit, wrapping), sleeping in
// wait, never longer than 5000 ms at once, until a message or the deadline.
typedef DWORD (*MillisecondClock)();
void LingerWhileSplashAlive(MillisecondClock clock, MessageWait wait = WaitForMessage);

// The launcher's wait for the next stage, in builds that hand on its exit
// code: sleeps until the process ends, serving this thread's messages
// meanwhile; its exit code (2 when the system cannot tell it).
DWORD WaitForProcessEnd(HANDLE process);

// Whether the final wait started at t0 is over at now: t0 + 5000, taken
// modulo 2^32, is not above now.
bool LingerExpired(DWORD t0, DWORD now);

#endif

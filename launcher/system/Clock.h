// The launcher's millisecond clock: the final wait's, and the seed of its
// name picker.
#ifndef ORVANE_LAUNCHER_CLOCK_H
#define ORVANE_LAUNCHER_CLOCK_H

#include <windows.h>

// timeGetTime, with winmm.dll loaded from the system folder on first use.
DWORD MillisecondClockNow();

#endif

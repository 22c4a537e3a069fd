// Small services of the launcher sequence: the free-space probe, the
// unique-name picker and the millisecond clock.
#ifndef ORVANE_LAUNCHER_SERVICES_H
#define ORVANE_LAUNCHER_SERVICES_H

#include <windows.h>

#include "string/QlString.h"

// Bytes available to the caller on a drive given as "C:" (passed to the
// system unchanged).  0 when the system does not tell.
double GetDriveFreeBytes(const char* drive);

// The first name from the pattern (a format with one "%d") that names no
// existing file or folder: 0 first, then the runtime's random numbers,
// seeded once per process from the clock.  Empty after 1000 tries.
QlString MakeUniqueName(QlString pattern);

// A path made safe to use as a format string or in a batch file: every
// '%' doubled.
QlString EscapePercent(const char* path);

// timeGetTime, with winmm.dll loaded from the system folder on first use.
DWORD MillisecondClockNow();

#endif

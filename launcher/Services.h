// Small services of the launcher sequence: the free-space probe, the
// unique-name picker and the millisecond clock.
#ifndef ORVANE_LAUNCHER_SERVICES_H
#define ORVANE_LAUNCHER_SERVICES_H

#include <windows.h>

#include "string/QlString.h"

// Bytes available to the caller on a drive given as "C:" (passed to the
// system unchanged).  0 when the system does not tell; then error, when
// given, holds the system's reason (else 0).
double GetDriveFreeBytes(const char* drive, DWORD* error = nullptr);

// What a claim made of one candidate name.
enum NameClaim {
    NameClaimed,  // created it, for this run alone
    NameTaken,    // something of that name exists: try the next
    NameRefused,  // the system refuses for another reason: stop
};
typedef NameClaim (*ClaimName)(const char* name, void* context);

// Tries the names from the pattern (a format with one "%d") in turn: 0
// first, then the runtime's random numbers, seeded once per process from the
// clock and the process id, so processes started in the same instant draw
// different names.  True with the name that claim took; false with the
// candidate it refused, or with an empty name after 1000 taken ones.
// An existence test alone would leave a moment in which another process
// takes the name (or puts a link there) before this one creates it.
bool MakeUniqueName(const QlString& pattern, ClaimName claim, void* context, QlString& name);

// The longest name MakeUniqueName can give for the pattern, so a caller can
// check a limit before anything is claimed.
QlString LongestUniqueName(const QlString& pattern);

// Claims by creating the folder; a name that exists in any form is taken.
NameClaim ClaimFolder(const char* name, void* context);
// After a failed exclusive creation of name: taken, or refused.
NameClaim TakenOrRefused(const char* name);

// timeGetTime, with winmm.dll loaded from the system folder on first use.
DWORD MillisecondClockNow();

#endif

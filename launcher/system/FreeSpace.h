// The free space of the temporary drive, which the launcher checks before
// it writes anything.
#ifndef ORVANE_LAUNCHER_FREESPACE_H
#define ORVANE_LAUNCHER_FREESPACE_H

#include <windows.h>

// Bytes available to the caller on a drive given as "C:" (passed to the
// system unchanged).  0 when the system does not tell; then error, when
// given, holds the system's reason (else 0).
double GetDriveFreeBytes(const char* drive, DWORD* error = nullptr);

#endif

// Names of the run's own: a script and a folder in the shared temporary
// folder, each claimed by creating it, so no other process has it.
#ifndef ORVANE_LAUNCHER_UNIQUENAME_H
#define ORVANE_LAUNCHER_UNIQUENAME_H

#include <windows.h>

#include "string/QlString.h"

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

// Raises, by pointer, why MakeUniqueName gave no name: OpenFailed with
// wildcard (the pattern's name with "*" for the number) after 1000 taken
// names; PathTooLong with a refused candidate longer than limit characters,
// OpenFailed with any other.
[[noreturn]] void ThrowClaimFailure(const QlString& candidate, const QlString& wildcard, int limit);

// Claims by creating the folder, with PrivateSecurity; a name that exists in
// any form is taken.  Refused when the security cannot be made.
NameClaim ClaimFolder(const char* name, void* context);
// After a failed exclusive creation of name: taken, or refused.
NameClaim TakenOrRefused(const char* name);

#endif

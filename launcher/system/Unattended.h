// Runs where nobody sits at the screen: deployment agents start setup as
// SYSTEM on a window station that no user sees, wait for the process and
// read its exit code.  There a message box would wait for a click that never
// comes, so the launcher shows nothing and says why it failed in the
// Application event log, where administrators look; it writes there on
// every window station.
#ifndef ORVANE_LAUNCHER_UNATTENDED_H
#define ORVANE_LAUNCHER_UNATTENDED_H

#include <windows.h>

// Whether the process's window station has visible display surfaces; true
// when the system cannot say, as on every desktop a user logs on to.
bool SomeoneCanSee();

// Writes text as an error event of the Application log, its source named by
// the product name of the module's version resource.  A failure to write it
// changes nothing.
void ReportToEventLog(HINSTANCE instance, const wchar_t* text);

// Whether the launcher was built to wait for the next stage and exit with
// its exit code (a resource that only such builds carry).
bool WaitsForNextStage(HINSTANCE instance);

#endif

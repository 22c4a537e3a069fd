// Process-wide state of the launcher sequence.
#ifndef ORVANE_LAUNCHER_LAUNCHER_H
#define ORVANE_LAUNCHER_LAUNCHER_H

#include <windows.h>

// The module instance handle WinMain receives; set before anything else and
// used for every resource access and for the launcher's own path.
extern HINSTANCE AppInstance;

#endif

// The launcher's own module.
#ifndef ORVANE_LAUNCHER_APPINSTANCE_H
#define ORVANE_LAUNCHER_APPINSTANCE_H

#include <windows.h>

// The module instance handle WinMain receives; set before anything else and
// used for every resource access and for the launcher's own path.
extern HINSTANCE AppInstance;

#endif

// The launcher's reports of a run that could not be completed, in the
// user's language, as topmost message boxes with the setup title.
#ifndef ORVANE_LAUNCHER_FAILUREREPORT_H
#define ORVANE_LAUNCHER_FAILUREREPORT_H

#include <windows.h>

// A file that could not be written or read, with the reason its stream
// error's cause gives.
void ReportFileFailure(const char* file, int cause);

// The next stage could not be started, with the system's reason.
void ReportStartFailure(const char* program, DWORD error);

// A folder or file whose name has no exact narrow form, named as it is.
void ReportUnusablePath(const wchar_t* path);

// A drive or folder whose free space cannot be read, with the system's reason.
void ReportUnusableDrive(const char* folder, DWORD error);

#endif

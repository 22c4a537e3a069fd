// The start of the next stage, Bootlace.exe, from the run's folder, by the
// wide API: the launcher's own arguments reach it exactly as the launcher
// was given them.  The system's narrow copy of a command line replaces what
// its code page lacks with a look-alike ("＂" becomes a quote that ends an
// argument, "ł" another letter) or with '?', so it is never used for them.
#ifndef ORVANE_LAUNCHER_NEXTSTAGE_H
#define ORVANE_LAUNCHER_NEXTSTAGE_H

#include <windows.h>

#include "launcher/FailureReport.h"
#include "launcher/system/KernelHandle.h"
#include "string/QlString.h"

// Whether the next stage's command line fits the system's limit (32,767
// characters with its end), for a script that MakeUniqueName will name in
// tempPath: checked before anything is written.
bool NextStageCommandFits(const char* ownPath, const char* tempPath, const wchar_t* arguments);

// Starts the program in folderPath (with its trailing backslash) by its
// full path, with the fixed part of NextStageCommand widened exactly from
// the ANSI code page and the launcher's arguments after it.  False, with
// the system's reason recorded, when it cannot.  When started is not null it
// holds the process's handle afterwards.
bool StartNextStage(const QlString& program, const QlString& folderPath, const char* ownPath,
                    const QlString& scriptPath, const wchar_t* arguments, RunFailure& failure, KernelHandle* started);

#endif

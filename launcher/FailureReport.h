// The launcher's report of a run that could not be completed, in the
// user's language, as a topmost message box with the setup title, with
// every name in the wide form the user knows.  A run
// records why it stops in a RunFailure; the one failure path takes back
// what the run wrote, ends the splash, and then reports.
#ifndef ORVANE_LAUNCHER_FAILUREREPORT_H
#define ORVANE_LAUNCHER_FAILUREREPORT_H

#include <windows.h>

#include "string/QlString.h"

class RunFailure {
public:
    RunFailure() : kind(None), cause(0), error(0) { path[0] = L'\0'; }
    RunFailure(const RunFailure&) = delete;
    RunFailure& operator=(const RunFailure&) = delete;

    // A folder or file whose name has no exact narrow form, named as it is.
    void UnusablePath(const wchar_t* name);
    // A drive or folder whose free space cannot be read, with the system's
    // reason.
    void UnusableDrive(const char* folder, DWORD systemError);
    // A file that could not be written or read, with the reason its stream
    // error's cause gives.
    void File(const char* file, int streamCause);
    // The next stage could not be started, with the system's reason.
    void Start(const char* program, DWORD systemError);
    // The launcher's arguments would make the next stage's command line too
    // long for the system.
    void CommandLineTooLong();

    bool Failed() const { return kind != None; }
    void Report() const;

private:
    enum Kind { None, Path, Drive, FileError, StartError, CommandLineLength } kind;
    wchar_t path[MAX_PATH];
    QlString name;
    int cause;
    DWORD error;
};

#endif

// Why a run of the launcher stops, and the report of it to the user, in the
// user's language, as a topmost message box with the setup title and as an
// event of the Application log, with every name in the wide form the user
// knows.
//
// Each step of the run returns whether the run goes on; a step that stops
// it records why, once, here.  The one failure path then takes back what
// the run wrote, ends the splash (except over a short drive, which is said
// while the splash still shows), reports, and exits with ExitCode().
#ifndef ORVANE_LAUNCHER_FAILUREREPORT_H
#define ORVANE_LAUNCHER_FAILUREREPORT_H

#include <windows.h>

#include "string/QlString.h"

// The system's text for an error, or "Error <number>" when it has none.  Its
// "%1" (such as "%1 is not a valid Win32 application.") names subject; its
// closing line end and blanks go, since the message goes on after it.
class SystemReason {
public:
    SystemReason(DWORD error, const wchar_t* subject);
    SystemReason(const SystemReason&) = delete;
    SystemReason& operator=(const SystemReason&) = delete;
    const wchar_t* Text() const { return text; }

private:
    void Fill(const wchar_t* system, const wchar_t* subject);

    static const int Capacity = 1024;
    wchar_t text[Capacity];
};

class RunFailure {
public:
    RunFailure() : kind(None), cause(0), error(0), requiredBytes(0), freeBytes(0) { path[0] = L'\0'; }
    RunFailure(const RunFailure&) = delete;
    RunFailure& operator=(const RunFailure&) = delete;

    // A folder or file whose name has no exact narrow form, named as it is.
    void RecordUnusablePath(const wchar_t* name);
    // The launcher's arguments would make the next stage's command line too
    // long for the system.
    void RecordCommandLineTooLong();
    // The drive ("C:") has less free space than the run needs: the user's
    // to fix, with how much is missing.
    void RecordShortSpace(const char* drive, double required, double available);
    // A drive or folder whose free space cannot be read, with the system's
    // reason.
    void RecordUnusableDrive(const char* folder, DWORD systemError);
    // A file that could not be written or read, with the reason its stream
    // error's cause gives.
    void RecordFileFailure(const char* file, int streamCause);
    // The next stage could not be started, with the system's reason.
    void RecordStartFailure(const char* program, DWORD systemError);
    // Memory ran out before the next stage started.
    void RecordOutOfMemory();

    // Short space is said over the splash; every other failure after it.
    bool ShortOfSpace() const { return kind == ShortSpace; }
    // 1 for short space, 2 for every other failure.
    int ExitCode() const { return kind == ShortSpace ? 1 : 2; }
    // Says why in the Application event log, as the module's product, and
    // in a message box when someone can see it.
    void Report(HINSTANCE instance, bool someoneCanSee) const;

private:
    enum Kind { None, Path, CommandLineLength, ShortSpace, Drive, FileError, StartError, Memory } kind;
    wchar_t path[MAX_PATH];
    QlString name;
    int cause;
    DWORD error;
    double requiredBytes;
    double freeBytes;
};

#endif

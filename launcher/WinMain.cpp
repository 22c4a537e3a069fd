// The launcher sequence: hand over to a running next stage, or show the
// splash, check the temporary drive, extract the payload with its clean-up
// script, start the next stage and let the splash go.
#include <windows.h>

#include <direct.h>
#include <string.h>

#include "archive/Extract.h"
#include "launcher/AppInstance.h"
#include "launcher/CleanupScript.h"
#include "launcher/Clock.h"
#include "launcher/CommandLine.h"
#include "launcher/Extraction.h"
#include "launcher/FailureReport.h"
#include "launcher/FreeSpace.h"
#include "launcher/MessageCatalogue.h"
#include "launcher/NarrowPath.h"
#include "launcher/NextStage.h"
#include "launcher/RunOutput.h"
#include "launcher/ScriptText.h"
#include "launcher/UniqueName.h"
#include "launcher/UserMessage.h"
#include "splash/Splash.h"
#include "stream/QlStreamException.h"

namespace {

const double RequiredFreeBytes = 10485760.0;

// A setup program usually runs from a download folder full of other files:
// don't load modules from the application nor the current directory.
void RestrictDllSearch() {
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
    SetDefaultDllDirectoriesFn setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault != nullptr) setDefault(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
}

// A running next stage is raised instead of starting a second setup.  The
// restore is only posted: ShowWindow on another process's window waits for
// that process, forever when it hangs.
bool HandOverToRunningNextStage() {
    HWND running = FindWindowA("AfxFrameOrView42", "Orvane Setup");
    if (running == nullptr) return false;
    if (IsIconic(running)) ShowWindowAsync(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}

// Low space is the user's to fix, and is said with how much is missing; a
// drive whose space cannot be read at all is said with the system's reason.
bool CheckFreeSpace(const char* tempPath, RunFailure& failure) {
    const char drive[3] = {tempPath[0], ':', '\0'};
    DWORD error;
    double freeBytes = GetDriveFreeBytes(drive, &error);
    if (freeBytes >= RequiredFreeBytes) return true;
    if (error != 0)
        failure.RecordUnusableDrive(tempPath, error);
    else
        failure.RecordShortSpace(drive, RequiredFreeBytes, freeBytes);
    return false;
}

// Both paths go to the script and the next stage; each must name its file
// exactly, even where the user's name is in other letters.
bool FindPaths(char (&tempPath)[MAX_PATH], char (&ownPath)[MAX_PATH], RunFailure& failure) {
    wchar_t unusable[MAX_PATH];
    if (FindTempPath(tempPath, unusable) && FindOwnPath(AppInstance, ownPath, unusable)) return true;
    failure.RecordUnusablePath(unusable);
    return false;
}

// Checked before anything is written: the next stage's command line must
// fit with the launcher's arguments in it.
bool CheckCommandLine(const char* ownPath, const char* tempPath, const wchar_t* arguments, RunFailure& failure) {
    if (NextStageCommandFits(ownPath, tempPath, arguments)) return true;
    failure.RecordCommandLineTooLong();
    return false;
}

// Claims the script's name and the run's folder, each created new for this
// run alone, in that order; then writes the whole script while extracting:
// opening, one line per file, one per created folder (newest first), and the
// script's own line.  The script is closed when this returns or throws.
void WriteScriptAndExtract(const char* tempPath, RunOutput& output) {
    // The temporary path becomes part of a format: its own '%' must stay text.
    QlString pattern = EscapePercent(tempPath);
    CleanupScript script;
    script.Claim(pattern + "%d.bat", tempPath);
    output.script = script.Path();
    QlString folderName;
    if (!MakeUniqueName(pattern + "RERUvoro%d", ClaimFolder, nullptr, folderName)) {
        if (folderName.IsEmpty()) throw new QlStreamException(OpenFailed, QlString(tempPath) + "RERUvoro*");
        // Room for the entries' names is checked with them.
        throw new QlStreamException(folderName.GetLength() > MaxNewFolderPath ? PathTooLong : OpenFailed, folderName);
    }
    // The folder is the oldest of the run's folders, so the script removes it last.
    output.folders.AddFront(folderName);
    output.folderPath = folderName + "\\";

    script.WriteOpening(output.folderPath);
    ExtractArchives(output.folderPath, output.folders, output.files, script);
    for (const QlString& folder : output.folders) script.WriteFolderLine(folder);
    script.WriteSelfDeleteLine();
}

// Extracts the payload with its script; false, with the file at fault, on
// any stream failure.
bool ExtractPayload(const char* tempPath, RunOutput& output, RunFailure& failure) {
    try {
        WriteScriptAndExtract(tempPath, output);
        return true;
    } catch (QlStreamException* error) {  // each names its file
        failure.RecordFileFailure(error->text != nullptr ? error->text : static_cast<const char*>(output.script),
                                  error->cause);
        delete error;
    }
    return false;
}

// The run from the temporary folder to the started next stage, step by
// step; false, with the failure recorded, at the first step that stops it.
bool RunSetup(const wchar_t* arguments, RunOutput& output, RunFailure& failure) {
    char tempPath[MAX_PATH];
    char ownPath[MAX_PATH];
    if (!FindPaths(tempPath, ownPath, failure) || !CheckCommandLine(ownPath, tempPath, arguments, failure) ||
        !CheckFreeSpace(tempPath, failure) || !ExtractPayload(tempPath, output, failure))
        return false;
    // By its full path: by its bare name the system would look in the
    // launcher's own folder first, where another program of that name may lie.
    return StartNextStage(output.folderPath + "Bootlace.exe", output.folderPath, ownPath, output.script, arguments,
                          failure);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    AppInstance = instance;
    // Taken from the wide process command line by our own rule, not the
    // runtime's, so the next stage gets exactly what follows the program name.
    const wchar_t* arguments = SkipProgramName(GetCommandLineW());

    if (HandOverToRunningNextStage()) return 0;

    UserMessage title(GetMessageText(MSG_SETUP_TITLE));
    UserMessage confirmClose(GetMessageText(MSG_CONFIRM_INTERRUPT));
    HWND splash = CreateSplash({instance, title.Text(), confirmClose.Text()});
    WaitForFirstPaint();

    RunOutput output;
    RunFailure failure;
    if (RunSetup(arguments, output, failure)) {
        if (splash != nullptr) DestroyWindow(splash);
        LingerWhileSplashAlive(MillisecondClockNow);
        return 0;
    }
    // The one failure path: take back exactly what the run wrote, from
    // outside the folder it removes, then say why.  Short space is said over
    // the splash, which ends with the process.
    if (!failure.ShortOfSpace() && splash != nullptr) DestroyWindow(splash);
    _chdir("\\");
    output.Remove();
    failure.Report();
    return failure.ExitCode();
}

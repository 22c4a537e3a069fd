// The launcher sequence: hand over to a running next stage, or show the
// splash, check the temporary drive, extract the payload with its clean-up
// script, start the next stage and let the splash go.
#include <windows.h>

#include <direct.h>
#include <string.h>

#include "launcher/CleanupScript.h"
#include "launcher/CommandLine.h"
#include "launcher/Extraction.h"
#include "launcher/FailureReport.h"
#include "launcher/Launcher.h"
#include "launcher/MessageCatalogue.h"
#include "launcher/NarrowPath.h"
#include "launcher/NextStage.h"
#include "launcher/RunOutput.h"
#include "launcher/ScriptText.h"
#include "launcher/Services.h"
#include "launcher/UserMessage.h"
#include "splash/Splash.h"
#include "stream/QlStreamException.h"

namespace {

const double RequiredFreeBytes = 10485760.0;
const double BytesPerMegabyte = 1048576.0;

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

enum SpaceCheck { SpaceEnough, SpaceShort, SpaceUnknown };

// Low space is the user's to fix and is reported here, with how much is
// missing; a drive whose space cannot be read at all gives the system's
// reason in error, for the caller's failure report.
SpaceCheck CheckFreeSpace(const char* drive, DWORD& error) {
    double freeBytes = GetDriveFreeBytes(drive, &error);
    if (freeBytes >= RequiredFreeBytes) return SpaceEnough;
    if (error != 0) return SpaceUnknown;
    QlString text;
    text.Format(GetMessageText(MSG_INSUFFICIENT_SPACE), drive, RequiredFreeBytes / BytesPerMegabyte,
                freeBytes / BytesPerMegabyte);
    UserMessage(text).Show(0);
    return SpaceShort;
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
        throw new QlStreamException(folderName.GetLength() > MAX_PATH - 12 ? PathTooLong : OpenFailed, folderName);
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
        failure.File(error->text != nullptr ? error->text : static_cast<const char*>(output.script), error->cause);
        delete error;
    }
    return false;
}

// The run from the temporary folder to the started next stage: 0, 1 when
// the drive is short of space (reported already), or 2 with failure set.
int RunSetup(const wchar_t* arguments, RunOutput& output, RunFailure& failure) {
    // Both paths go to the script and the next stage; each must name its
    // file exactly, even where the user's name is in other letters.
    char tempPath[MAX_PATH];
    char ownPath[MAX_PATH];
    wchar_t unusable[MAX_PATH];
    if (!FindTempPath(tempPath, unusable) || !FindOwnPath(AppInstance, ownPath, unusable)) {
        failure.UnusablePath(unusable);
        return 2;
    }
    if (!NextStageCommandFits(ownPath, tempPath, arguments)) {
        failure.CommandLineTooLong();
        return 2;
    }
    const char drive[3] = {tempPath[0], ':', '\0'};
    DWORD driveError;
    switch (CheckFreeSpace(drive, driveError)) {
    case SpaceEnough: break;
    case SpaceShort: return 1;
    case SpaceUnknown: failure.UnusableDrive(tempPath, driveError); return 2;
    }

    if (!ExtractPayload(tempPath, output, failure)) return 2;
    QlString program = output.folderPath + "Bootlace.exe";
    // By its full path: by its bare name the system would look in the
    // launcher's own folder first, where another program of that name may lie.
    DWORD startError = StartNextStage(program, output.folderPath, ownPath, output.script, arguments);
    if (startError != 0) {
        failure.Start(program, startError);
        return 2;
    }
    return 0;
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
    int exitCode = RunSetup(arguments, output, failure);
    if (exitCode == 1) return 1;  // the splash ends with the process
    if (splash != nullptr) DestroyWindow(splash);
    if (exitCode == 0) {
        LingerWhileSplashAlive(MillisecondClockNow);
        return 0;
    }
    // The one failure path: take back exactly what the run wrote, from
    // outside the folder it removes, then say why.
    _chdir("\\");
    output.Remove();
    failure.Report();
    return 2;
}

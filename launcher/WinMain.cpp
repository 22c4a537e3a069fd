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
#include "launcher/RunOutput.h"
#include "launcher/Services.h"
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

// A running next stage is raised instead of starting a second setup.
bool HandOverToRunningNextStage() {
    HWND running = FindWindowA("AfxFrameOrView42", "Orvane Setup");
    if (running == nullptr) return false;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}

// The temporary directory with its trailing backslash; "C:\" unless the
// system gives a path that starts with a drive letter, ':' and '\'.
void FindTempPath(char (&tempPath)[MAX_PATH]) {
    memset(tempPath, 0, sizeof tempPath);
    GetTempPathA(MAX_PATH, tempPath);
    if (tempPath[1] != ':' || tempPath[2] != '\\') lstrcpyA(tempPath, "C:\\");
}

bool EnoughFreeSpace(const char* drive) {
    double freeBytes = GetDriveFreeBytes(drive);
    if (freeBytes >= RequiredFreeBytes) return true;
    QlString text;
    text.Format(GetMessageText(MSG_INSUFFICIENT_SPACE), drive, RequiredFreeBytes / BytesPerMegabyte,
                freeBytes / BytesPerMegabyte);
    MessageBoxA(nullptr, text, GetMessageText(MSG_SETUP_TITLE), MB_TOPMOST);
    return false;
}

// Writes the whole script while extracting: opening, one line per file,
// one per created folder (newest first), and the script's own line.
void WriteScriptAndExtract(const QlString& folderPath, RunOutput& output) {
    CleanupScript script(output.script);
    script.WriteOpening(folderPath);
    ExtractArchives(folderPath, output.folders, output.files, script);
    for (const QlString& folder : output.folders) script.WriteFolderLine(folder);
    script.WriteSelfDeleteLine();
}

struct FileFailure {
    QlString file;
    int cause;
};

// Extracts the payload with its script; false, with the file at fault,
// on any stream failure (both the file streams' and the engine's form).
bool ExtractPayload(const QlString& scriptPath, const QlString& folderPath, RunOutput& output,
                    FileFailure& failure) {
    output.script = scriptPath;
    try {
        WriteScriptAndExtract(folderPath, output);
        return true;
    } catch (QlStreamException* error) {  // the files: each names itself
        failure.cause = error->cause;
        failure.file = error->text != nullptr ? error->text : static_cast<const char*>(scriptPath);
        delete error;
    } catch (const QlStreamException& error) {  // the inflate engine, on the entry being extracted
        failure.cause = error.cause;
        failure.file = output.files.GetCount() > 0 ? *output.files.begin() : scriptPath;
    }
    // A script that could not be opened is not ours to delete.
    if (failure.cause == OpenFailed && failure.file == scriptPath) output.script.Empty();
    return false;
}

// Starts Bootlace.exe from the extraction folder by its full path: by its
// bare name the system would look in the launcher's own folder first,
// where another program of that name may lie.  0, or the system's error.
DWORD StartNextStage(const QlString& program, const QlString& folderPath, const QlString& scriptPath,
                     const char* commandLine) {
    _chdir(folderPath);
    char ownPath[MAX_PATH];
    GetModuleFileNameA(AppInstance, ownPath, MAX_PATH);
    ownPath[MAX_PATH - 1] = '\0';  // older systems leave a truncated name unterminated
    QlString command = FormatNextStageCommand(ownPath, scriptPath, commandLine);

    NextStageLaunched = true;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, command.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, folderPath, &startup,
                        &process))
        return GetLastError();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// A run that cannot finish ends its splash and takes back what it wrote,
// from outside the folder it removes.
void AbandonRun(HWND splash, RunOutput& output, const char* tempPath) {
    if (splash != nullptr) DestroyWindow(splash);
    _chdir(tempPath);
    output.Remove();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    AppInstance = instance;
    // Taken from the process command line by our own rule, not the
    // runtime's, so the next stage gets exactly what follows the program name.
    const char* commandLine = SkipProgramName(GetCommandLineA());

    if (HandOverToRunningNextStage()) return 0;

    HWND splash = CreateSplash();
    WaitForFirstPaint();

    char tempPath[MAX_PATH];
    FindTempPath(tempPath);
    const char drive[3] = {tempPath[0], ':', '\0'};
    if (!EnoughFreeSpace(drive)) return 1;

    // The temporary path becomes part of a format: its own '%' must stay text.
    QlString pattern = EscapePercent(tempPath);
    QlString scriptPath = MakeUniqueName(pattern + "%d.bat");
    QlString folderName = MakeUniqueName(pattern + "RERUvoro%d");
    RunOutput output;
    if (scriptPath.IsEmpty() || folderName.IsEmpty()) {
        // Every candidate name is taken: the script cannot be created.
        AbandonRun(splash, output, tempPath);
        ReportFileFailure(QlString(tempPath) + (scriptPath.IsEmpty() ? "*.bat" : "RERUvoro*"), OpenFailed);
        return 2;
    }
    QlString folderPath = folderName + "\\";

    FileFailure failure;
    if (!ExtractPayload(scriptPath, folderPath, output, failure)) {
        AbandonRun(splash, output, tempPath);
        ReportFileFailure(failure.file, failure.cause);
        return 2;
    }

    QlString program = folderPath + "Bootlace.exe";
    DWORD startError = StartNextStage(program, folderPath, scriptPath, commandLine);
    if (startError != 0) {
        AbandonRun(splash, output, tempPath);
        ReportStartFailure(program, startError);
        return 2;
    }
    if (splash != nullptr) DestroyWindow(splash);
    LingerWhileSplashAlive(MillisecondClockNow);
    return 0;
}

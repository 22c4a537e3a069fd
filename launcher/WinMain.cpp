// The launcher sequence: hand over to a running next stage, or show the
// splash, check the temporary drive, extract the payload with its clean-up
// script, start the next stage and let the splash go.
#include <windows.h>

#include <direct.h>
#include <string.h>

#include "archive/FolderRegistry.h"
#include "launcher/CleanupScript.h"
#include "launcher/CommandLine.h"
#include "launcher/Extraction.h"
#include "launcher/Launcher.h"
#include "launcher/MessageCatalogue.h"
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
void ExtractPayload(const QlString& scriptPath, const QlString& folderPath, FolderRegistry& registry) {
    CleanupScript script(scriptPath);
    script.WriteOpening(folderPath);
    ExtractArchives(folderPath, registry, script);
    for (const QlString& folder : registry) script.WriteFolderLine(folder);
    script.WriteSelfDeleteLine();
}

void StartNextStage(const QlString& folderPath, const QlString& scriptPath, const char* commandLine) {
    _chdir(folderPath);
    char ownPath[MAX_PATH];
    GetModuleFileNameA(AppInstance, ownPath, MAX_PATH);
    ownPath[MAX_PATH - 1] = '\0';  // older systems leave a truncated name unterminated
    QlString command = FormatNextStageCommand(ownPath, scriptPath, commandLine);
    NextStageLaunched = true;
    WinExec(command, SW_SHOW);
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
    QlString folderPath = MakeUniqueName(pattern + "RERUvoro%d") + "\\";
    {
        FolderRegistry registry;
        try {
            ExtractPayload(scriptPath, folderPath, registry);
        } catch (QlStreamException* error) {
            delete error;
            return 2;  // placeholder: no report and no clean-up yet
        } catch (const QlStreamException&) {
            return 2;
        }
    }

    StartNextStage(folderPath, scriptPath, commandLine);
    if (splash != nullptr) DestroyWindow(splash);
    LingerWhileSplashAlive(MillisecondClockNow);
    return 0;
}

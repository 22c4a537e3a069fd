// The launcher sequence: hand over to a running next stage, or show the
// splash, check the temporary drive, extract the payload with its clean-up
// script, start the next stage and let the splash go; in builds that ask
// for it, wait for the next stage and exit with its exit code.  Where
// nobody can see the screen nothing is shown and nothing waits for a person.
#include <windows.h>

#include "launcher/FailureReport.h"
#include "launcher/Run.h"
#include "launcher/RunOutput.h"
#include "launcher/rules/CommandLine.h"
#include "launcher/system/Clock.h"
#include "launcher/system/MessageCatalogue.h"
#include "launcher/system/Unattended.h"
#include "launcher/system/UserMessage.h"
#include "splash/Splash.h"

namespace {

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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    // Taken from the wide process command line by our own rule, not the
    // runtime's, so the next stage gets exactly what follows the program name.
    const wchar_t* arguments = SkipProgramName(GetCommandLineW());

    if (HandOverToRunningNextStage()) return 0;

    // A deployment agent's window station: no splash to wait for, no
    // message box that nobody could close.
    bool someoneCanSee = SomeoneCanSee();
    UserMessage title(GetMessageText(MSG_SETUP_TITLE));
    UserMessage confirmClose(GetMessageText(MSG_CONFIRM_INTERRUPT));
    HWND splash = someoneCanSee ? CreateSplash({instance, title.Text(), confirmClose.Text()}) : nullptr;
    if (splash != nullptr) WaitForFirstPaint();

    RunOutput output;
    RunFailure failure;
    KernelHandle nextStage;
    if (RunSetup(instance, arguments, output, failure, WaitsForNextStage(instance) ? &nextStage : nullptr)) {
        if (splash != nullptr) {
            DestroyWindow(splash);
            LingerWhileSplashAlive(MillisecondClockNow);
        }
        if (nextStage.Get() == nullptr) return 0;
        // Handed on unchanged: deployment tools read 3010 and 1641 as
        // restarts, and any other value as the installation's own.
        return static_cast<int>(WaitForProcessEnd(nextStage.Get()));
    }
    // The one failure path: take back exactly what the run wrote, then say
    // why.  Short space is said over the splash, which ends with the process.
    if (!failure.ShortOfSpace() && splash != nullptr) DestroyWindow(splash);
    output.Remove();
    failure.Report(instance, someoneCanSee);
    return failure.ExitCode();
}

#include "Run.h"

#include <new>

#include "archive/Extract.h"
#include "launcher/CleanupScript.h"
#include "launcher/Extraction.h"
#include "launcher/NextStage.h"
#include "launcher/rules/ScriptText.h"
#include "launcher/system/FreeSpace.h"
#include "launcher/system/NarrowPath.h"
#include "launcher/system/UniqueName.h"
#include "splash/SplashState.h"
#include "stream/QlStreamException.h"

namespace {

const double RequiredFreeBytes = 10485760.0;

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
bool FindPaths(HINSTANCE instance, char (&tempPath)[MAX_PATH], char (&ownPath)[MAX_PATH], RunFailure& failure) {
    wchar_t unusable[MAX_PATH];
    if (FindTempPath(tempPath, unusable) && FindOwnPath(instance, ownPath, unusable)) return true;
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
void WriteScriptAndExtract(HINSTANCE instance, const char* tempPath, RunOutput& output) {
    // The temporary path becomes part of a format: its own '%' must stay text.
    QlString pattern = EscapePercent(tempPath);
    CleanupScript script;
    script.Claim(pattern + "%d.bat", tempPath);
    output.script = script.Path();
    QlString folderName;
    output.folders.Reserve();
    // Room for the entries' names is checked with them.
    if (!MakeUniqueName(pattern + "RERUvoro%d", ClaimFolder, nullptr, folderName))
        ThrowClaimFailure(folderName, QlString(tempPath) + "RERUvoro*", MaxNewFolderPath);
    // The folder is the oldest of the run's folders, so the script removes it last.
    output.folders.AddFront(folderName);
    output.folderPath = folderName + "\\";

    script.WriteOpening(output.folderPath);
    ExtractArchives(instance, output.folderPath, output.folders, output.files, script);
    for (const QlString& folder : output.folders) script.WriteFolderLine(folder);
    script.WriteSelfDeleteLine();
}

// Extracts the payload with its script; false, with the file at fault, on
// any stream failure.
bool ExtractPayload(HINSTANCE instance, const char* tempPath, RunOutput& output, RunFailure& failure) {
    try {
        WriteScriptAndExtract(instance, tempPath, output);
        return true;
    } catch (QlStreamException* error) {  // each names its file
        failure.RecordFileFailure(error->text != nullptr ? error->text : static_cast<const char*>(output.script),
                                  error->cause);
        delete error;
    }
    return false;
}

// The steps from the temporary folder to the started next stage.
bool RunSteps(HINSTANCE instance, const wchar_t* arguments, RunOutput& output, RunFailure& failure,
              KernelHandle* nextStage) {
    char tempPath[MAX_PATH];
    char ownPath[MAX_PATH];
    if (!FindPaths(instance, tempPath, ownPath, failure) || !CheckCommandLine(ownPath, tempPath, arguments, failure) ||
        !CheckFreeSpace(tempPath, failure) || !ExtractPayload(instance, tempPath, output, failure))
        return false;
    // Before the start: the next stage's window may take the focus before
    // CreateProcessW returns, and the splash gives way to it.
    NoteNextStageStarted();
    // By its full path: by its bare name the system would look in the
    // launcher's own folder first, where another program of that name may lie.
    return StartNextStage(output.folderPath + "Bootlace.exe", output.folderPath, ownPath, output.script, arguments,
                          failure, nextStage);
}

}  // namespace

bool RunSetup(HINSTANCE instance, const wchar_t* arguments, RunOutput& output, RunFailure& failure,
              KernelHandle* nextStage) {
    try {
        return RunSteps(instance, arguments, output, failure, nextStage);
    } catch (const std::bad_alloc&) {
        // What was written so far is in output, for the one failure path.
        failure.RecordOutOfMemory();
        return false;
    }
}

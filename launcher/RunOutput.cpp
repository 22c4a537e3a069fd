#include "RunOutput.h"

#include <windows.h>

#include "system/Clock.h"

namespace {

// A virus scanner, backup or indexing program opens a new file the moment it
// is written, often without delete sharing, and holds it for a moment: the
// file, and every folder above it, can go once it lets go.  A path that is
// gone or bad stays as it is, so it is not tried again.
bool MayPassSoon(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_DIR_NOT_EMPTY;
}

bool Failed(BOOL removed) {
    return !removed && MayPassSoon(GetLastError());
}

// One try at everything: the files, the folders children first, the script.
// True while something held may still be removed.
bool RemoveOnce(const RunOutput& output) {
    bool held = false;
    for (const QlString& file : output.files) held |= Failed(DeleteFileA(file));
    for (const QlString& folder : output.folders) held |= Failed(RemoveDirectoryA(folder));
    if (!output.script.IsEmpty()) held |= Failed(DeleteFileA(output.script));
    return held;
}

}  // namespace

// What is held is tried again for about two seconds, well past a scan of a
// new file, and short enough that neither the user nor a deployment agent
// waits long for the failure's word.  What still stays is not marked for
// removal at restart: deployment tools take a pending rename as a restart
// the installation needs.
void RunOutput::Remove() {
    const DWORD boundMs = 2000;
    const DWORD pauseMs = 100;
    DWORD start = MillisecondClockNow();
    while (RemoveOnce(*this) && MillisecondClockNow() - start < boundMs) Sleep(pauseMs);
}

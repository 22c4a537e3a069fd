// A stand-in for the next stage (and the gate program): records the command
// line it was given and its current folder, so tests and the demo can show
// what the launcher handed over.
//
// The record goes to the file named by OV_RECORD (no record without it):
// the raw command line, a line feed, the current folder, a line feed.  It is
// written under a temporary name and renamed, so a reader never sees half.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char target[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("OV_RECORD", target, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 4) return 0;

    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    const char* commandLine = GetCommandLineA();

    char partial[MAX_PATH + 4];
    lstrcpyA(partial, target);
    lstrcatA(partial, ".new");
    HANDLE file = CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD done;
    WriteFile(file, commandLine, lstrlenA(commandLine), &done, nullptr);
    WriteFile(file, "\n", 1, &done, nullptr);
    WriteFile(file, folder, lstrlenA(folder), &done, nullptr);
    WriteFile(file, "\n", 1, &done, nullptr);
    CloseHandle(file);
    return MoveFileExA(partial, target, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

// Stands in for the product's next stage (Bootlace.exe) and gate program
// (exitgate.exe): records the command line it was given and its current
// folder, so tests and the demo can show what it was handed.
//
// The record goes into the folder named by OV_RECORD (no record without it),
// as <program name>.txt: the raw command line, its current folder, its own
// path, its process id (a reader can wait for the process to end before it
// removes the program's file) and its wide command line in UTF-8, each
// followed by a line feed.  It is written under a temporary name and renamed,
// so a reader never sees half of it.  It then exits with the code that
// OV_EXIT_CODE gives in decimal (0 without it), as an installation would.
#include <windows.h>

namespace {

DWORD ExitCodeAsked() {
    char digits[16];
    DWORD length = GetEnvironmentVariableA("OV_EXIT_CODE", digits, sizeof digits);
    DWORD code = 0;
    for (DWORD i = 0; i < length && i < sizeof digits && digits[i] >= '0' && digits[i] <= '9'; ++i)
        code = code * 10 + static_cast<DWORD>(digits[i] - '0');
    return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char target[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("OV_RECORD", target, MAX_PATH);
    if (length == 0 || length >= MAX_PATH / 2) return 0;

    char ownPath[MAX_PATH];
    DWORD programLength = GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    if (programLength == 0 || programLength >= MAX_PATH) return 1;
    char program[MAX_PATH];
    lstrcpyA(program, ownPath);
    char* name = program + programLength;
    while (name > program && name[-1] != '\\') --name;
    char* extension = name;
    while (*extension != '\0' && *extension != '.') ++extension;
    *extension = '\0';
    if (target[length - 1] != '\\') lstrcatA(target, "\\");
    if (lstrlenA(target) + lstrlenA(name) + 8 >= MAX_PATH) return 1;
    lstrcatA(target, name);
    lstrcatA(target, ".txt");

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
    WriteFile(file, ownPath, lstrlenA(ownPath), &done, nullptr);
    WriteFile(file, "\n", 1, &done, nullptr);
    char id[16];
    wsprintfA(id, "%lu\n", GetCurrentProcessId());
    WriteFile(file, id, lstrlenA(id), &done, nullptr);
    // The narrow command line is the system's best-fit copy; this one is
    // what the program was given.
    const wchar_t* wide = GetCommandLineW();
    int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    char* utf8 = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size > 0 ? size : 1));
    if (utf8 == nullptr || WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, size, nullptr, nullptr) <= 0) return 1;
    WriteFile(file, utf8, size - 1, &done, nullptr);
    WriteFile(file, "\n", 1, &done, nullptr);
    CloseHandle(file);
    return MoveFileExA(partial, target, MOVEFILE_REPLACE_EXISTING) ? static_cast<int>(ExitCodeAsked()) : 1;
}

// A DLL planted beside the launcher under the name of one it loads: when
// it is ever loaded it leaves a mark in the OV_RECORD folder, which the
// tests look for.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char mark[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("OV_RECORD", mark, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 32) return TRUE;
    lstrcatA(mark, "planted-dll-loaded.txt");
    HANDLE file = CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char name[MAX_PATH] = "";
        GetModuleFileNameA(module, name, MAX_PATH);
        DWORD done;
        WriteFile(file, name, lstrlenA(name), &done, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}

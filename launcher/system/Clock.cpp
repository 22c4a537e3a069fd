#include "Clock.h"

DWORD MillisecondClockNow() {
    typedef DWORD(WINAPI * TimeGetTimeFn)();
    static TimeGetTimeFn timeGetTimeFn = nullptr;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        // By full path: the launcher's own folder is typically a download
        // folder, where a planted winmm.dll must not be picked up.
        char path[MAX_PATH + 16];
        UINT length = GetSystemDirectoryA(path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            lstrcatA(path, "\\winmm.dll");
            HMODULE winmm = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
            if (winmm != nullptr)
                timeGetTimeFn = reinterpret_cast<TimeGetTimeFn>(
                    reinterpret_cast<void*>(GetProcAddress(winmm, "timeGetTime")));
        }
    }
    return timeGetTimeFn != nullptr ? timeGetTimeFn() : GetTickCount();
}

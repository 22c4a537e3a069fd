#include "Services.h"

#include <io.h>
#include <stdlib.h>

typedef BOOL(WINAPI* GetDiskFreeSpaceExFn)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

double GetDriveFreeBytes(const char* drive) {
    // Looked up each time: very old systems lack the Ex form.
    GetDiskFreeSpaceExFn freeSpaceEx = reinterpret_cast<GetDiskFreeSpaceExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    if (freeSpaceEx != nullptr) {
        // The space available to this user (quotas honoured); 0 when the
        // call fails.
        ULARGE_INTEGER available;
        ULARGE_INTEGER total;
        available.QuadPart = 0;
        freeSpaceEx(drive, &available, &total, nullptr);
        return static_cast<double>(static_cast<long long>(available.QuadPart));
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(drive, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return 0.0;
    return static_cast<double>(sectorsPerCluster) * static_cast<double>(bytesPerSector) *
           static_cast<double>(freeClusters);
}

QlString MakeUniqueName(QlString pattern) {
    static int seeded = 0;
    if (!seeded) {
        srand(MillisecondClockNow());
        seeded = 1;
    }
    QlString candidate;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        candidate.Format(pattern, attempt == 0 ? 0 : rand());
        if (_access(candidate, 0) != 0) return candidate;
    }
    return QlString();
}

QlString EscapePercent(const char* path) {
    QlString escaped;
    for (const char* p = path; *p != '\0'; ++p) {
        escaped += *p;
        if (*p == '%') escaped += '%';
    }
    return escaped;
}

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

#include "Services.h"

#include <io.h>
#include <stdlib.h>

typedef BOOL(WINAPI* GetDiskFreeSpaceExFn)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

double GetDriveFreeBytes(const char* drive, DWORD* error) {
    if (error != nullptr) *error = 0;
    // Looked up each time: very old systems lack the Ex form.
    GetDiskFreeSpaceExFn freeSpaceEx = reinterpret_cast<GetDiskFreeSpaceExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    if (freeSpaceEx != nullptr) {
        // The space available to this user (quotas honoured); 0 when the
        // call fails.
        ULARGE_INTEGER available;
        ULARGE_INTEGER total;
        available.QuadPart = 0;
        if (!freeSpaceEx(drive, &available, &total, nullptr) && error != nullptr) *error = GetLastError();
        return static_cast<double>(static_cast<long long>(available.QuadPart));
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(drive, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
        if (error != nullptr) *error = GetLastError();
        return 0.0;
    }
    return static_cast<double>(sectorsPerCluster) * static_cast<double>(bytesPerSector) *
           static_cast<double>(freeClusters);
}

bool MakeUniqueName(const QlString& pattern, ClaimName claim, void* context, QlString& name) {
    static int seeded = 0;
    if (!seeded) {
        // Launchers started together read the same clock; the process id
        // (times an odd constant, so distinct ids stay distinct) keeps their
        // sequences apart.
        srand(MillisecondClockNow() ^ (GetCurrentProcessId() * 0x9E3779B1u));
        seeded = 1;
    }
    for (int attempt = 0; attempt < 1000; ++attempt) {
        name.Format(pattern, attempt == 0 ? 0 : rand());
        switch (claim(name, context)) {
        case NameClaimed: return true;
        case NameRefused: return false;
        case NameTaken: break;
        }
    }
    name.Empty();
    return false;
}

QlString LongestUniqueName(const QlString& pattern) {
    QlString name;
    name.Format(pattern, RAND_MAX);  // the widest number rand() draws
    return name;
}

NameClaim TakenOrRefused(const char* name) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return NameTaken;
    // A file being deleted, say, refuses access but is still there.
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES ? NameTaken : NameRefused;
}

NameClaim ClaimFolder(const char* name, void*) {
    return CreateDirectoryA(name, nullptr) ? NameClaimed : TakenOrRefused(name);
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

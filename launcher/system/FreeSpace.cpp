#include "FreeSpace.h"

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

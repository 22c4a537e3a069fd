#include "NarrowPath.h"

#include "launcher/system/Conversions.h"

namespace {

bool ExactInBoth(const wchar_t* path, char (&narrow)[MAX_PATH]) {
    int length = lstrlenW(path);
    if (length == 0 || length >= MAX_PATH) return false;
    char oem[MAX_PATH * 2];
    int written;
    if (!WideToPageExactly(GetOEMCP(), path, length, oem, sizeof oem, written)) return false;
    if (!WideToPageExactly(GetACP(), path, length, narrow, MAX_PATH - 1, written)) return false;
    narrow[written] = '\0';
    return true;
}

}  // namespace

bool NarrowPath(const wchar_t* path, char (&narrow)[MAX_PATH]) {
    if (ExactInBoth(path, narrow)) return true;
    wchar_t shortPath[MAX_PATH];
    DWORD length = GetShortPathNameW(path, shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH && ExactInBoth(shortPath, narrow);
}

bool FindTempPath(char (&tempPath)[MAX_PATH], wchar_t (&unusable)[MAX_PATH]) {
    wchar_t wide[MAX_PATH] = L"";
    DWORD length = GetTempPathW(MAX_PATH, wide);
    if (length == 0 || length >= MAX_PATH || wide[1] != L':' || wide[2] != L'\\') {
        lstrcpyA(tempPath, "C:\\");
        return true;
    }
    if (NarrowPath(wide, tempPath)) return true;
    lstrcpyW(unusable, wide);
    return false;
}

bool FindOwnPath(HINSTANCE instance, char (&ownPath)[MAX_PATH], wchar_t (&unusable)[MAX_PATH]) {
    DWORD length = GetModuleFileNameW(instance, unusable, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        unusable[MAX_PATH - 1] = L'\0';  // older systems leave a cut name unterminated
        return false;
    }
    return NarrowPath(unusable, ownPath);
}

void WidePath(const char* narrow, wchar_t* wide, int size) {
    wchar_t read[MAX_PATH * 2];
    AnsiToWide(narrow, read, MAX_PATH * 2);
    wchar_t part[MAX_PATH * 2];
    wchar_t longPart[MAX_PATH * 2];
    // From the whole path down to its first folder below the drive's root.
    for (int cut = lstrlenW(read); cut > 3; --cut) {
        if (read[cut] != L'\\' && read[cut] != L'\0') continue;
        lstrcpynW(part, read, cut + 1);
        DWORD length = GetLongPathNameW(part, longPart, MAX_PATH * 2);
        if (length == 0 || length >= MAX_PATH * 2) continue;
        lstrcpynW(wide, longPart, size);
        int used = lstrlenW(wide);
        lstrcpynW(wide + used, read + cut, size - used);
        return;
    }
    lstrcpynW(wide, read, size);
}

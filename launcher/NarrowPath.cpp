#include "NarrowPath.h"

namespace {

// Converts without best fit and checks by converting back: the only sure
// test, since some pages map several characters to one byte.
bool ToCodePage(UINT codePage, const wchar_t* wide, int length, char* narrow, int size, int& written) {
    // UTF-8 and UTF-7 take no flags; they hold every character anyway.
    DWORD flags = codePage == CP_UTF8 || codePage == CP_UTF7 ? 0 : WC_NO_BEST_FIT_CHARS;
    written = WideCharToMultiByte(codePage, flags, wide, length, narrow, size, nullptr, nullptr);
    if (written <= 0) return false;
    wchar_t back[MAX_PATH * 2];
    if (length > MAX_PATH * 2) return false;
    int backLength = MultiByteToWideChar(codePage, 0, narrow, written, back, MAX_PATH * 2);
    if (backLength != length) return false;
    for (int i = 0; i < length; ++i) {
        if (back[i] != wide[i]) return false;
    }
    return true;
}

bool ExactInBoth(const wchar_t* path, char (&narrow)[MAX_PATH]) {
    int length = lstrlenW(path);
    if (length == 0 || length >= MAX_PATH) return false;
    char oem[MAX_PATH * 2];
    int written;
    if (!ToCodePage(CP_OEMCP, path, length, oem, sizeof oem, written)) return false;
    if (!ToCodePage(CP_ACP, path, length, narrow, MAX_PATH - 1, written)) return false;
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

void AnsiToWide(const char* ansi, wchar_t* wide, int size) {
    if (MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, size) == 0 && size > 0) wide[0] = L'\0';
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

bool AnsiToOemExactly(const char* ansi, int length, QlString& oem) {
    if (length == 0) {
        oem.Empty();
        return true;
    }
    wchar_t wide[MAX_PATH * 2];
    int wideLength = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, length, wide, MAX_PATH * 2);
    if (wideLength <= 0) return false;
    char* bytes = oem.GetBuffer(wideLength * 2);
    int written;
    bool exact = ToCodePage(CP_OEMCP, wide, wideLength, bytes, wideLength * 2, written);
    oem.ReleaseBuffer(exact ? written : 0);
    return exact;
}

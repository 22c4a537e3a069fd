#include "Conversions.h"

#include "launcher/rules/CodePages.h"

// Converts without best fit into a resolved page (the flags depend on it)
// and checks by converting back: the only sure test, since some pages map
// several characters to one byte.
bool WideToPageExactly(UINT codePage, const wchar_t* wide, int length, char* narrow, int size, int& written) {
    written = WideCharToMultiByte(codePage, NoBestFitFlags(codePage), wide, length, narrow, size, nullptr, nullptr);
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

void AnsiToWide(const char* ansi, wchar_t* wide, int size) {
    if (MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, size) == 0 && size > 0) wide[0] = L'\0';
}

int AnsiWideLength(const char* ansi) {
    int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, -1, nullptr, 0);
    return length > 0 ? length - 1 : -1;
}

bool AnsiToWideExactly(const char* ansi, wchar_t* wide, int size) {
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, -1, wide, size) != 0;
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
    bool exact = WideToPageExactly(GetOEMCP(), wide, wideLength, bytes, wideLength * 2, written);
    oem.ReleaseBuffer(exact ? written : 0);
    return exact;
}

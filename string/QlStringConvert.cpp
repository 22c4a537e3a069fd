// Code-page conversions of a QlString in place and its wide-character view.
#include "QlString.h"

#include <windows.h>

#include <limits.h>
#include <stdlib.h>

#include <new>

void QlString::CharToOemA() {
    CopyBeforeWrite();
    // The system converts in place when source and destination are the same.
    ::CharToOemA(m_pchData, m_pchData);
}

void QlString::OemToCharA() {
    CopyBeforeWrite();
    ::OemToCharA(m_pchData, m_pchData);
}

// The block is laid out as n narrow characters (n even and above the
// length, so the wide text starts 2-byte aligned) followed by 2n bytes, room
// for n wide characters: the whole text up to its first NUL, plus the
// terminator.
QlString::operator const unsigned short*() {
    // A block of three times the length must still be countable in an int.
    if (GetData()->dataLength > INT_MAX / 3 - 2) throw std::bad_alloc();
    int n = (GetData()->dataLength + 2) & ~1;
    char* narrow = GetBuffer(3 * n);
    wchar_t* wide = reinterpret_cast<wchar_t*>(narrow + n);
    // The "C" locale widens each byte and stops after the first NUL; a
    // conversion the runtime refuses leaves an empty wide text, never an
    // unterminated one.
    if (mbstowcs(wide, narrow, static_cast<size_t>(GetData()->dataLength) + 1) == static_cast<size_t>(-1))
        wide[0] = L'\0';
    ReleaseBuffer(-1);
    return reinterpret_cast<const unsigned short*>(wide);
}

// The exact conversions between the system's code pages and wide text, all
// of them here: the launcher's paths must name the same file in the ANSI
// page (every call it makes), the OEM page (cmd.exe, which reads the
// clean-up script) and wide text (the next stage's start and what the user
// is told).  Conversions into a page never use best fit: a look-alike
// letter would name another file, and a look-alike quote would end a
// quoted path inside the script.
#ifndef ORVANE_LAUNCHER_SYSTEM_CONVERSIONS_H
#define ORVANE_LAUNCHER_SYSTEM_CONVERSIONS_H

#include <windows.h>

#include "string/QlString.h"

// length wide characters into codePage (GetACP() or GetOEMCP(), resolved),
// at most size bytes, written of them; false unless converting back gives
// exactly the same characters.  Limited to MAX_PATH * 2 characters.
bool WideToPageExactly(UINT codePage, const wchar_t* wide, int length, char* narrow, int size, int& written);

// Narrow text as this system reads it (its ANSI code page); a byte the page
// has no character for shows as the system shows it.  Empty when it does
// not fit size.
void AnsiToWide(const char* ansi, wchar_t* wide, int size);

// The length in wide characters of ANSI text without its NUL; -1 when it
// holds a byte sequence the page does not define.
int AnsiWideLength(const char* ansi);

// ANSI text and its NUL into wide, which holds size characters; false when
// it does not fit or holds a sequence the page does not define.
bool AnsiToWideExactly(const char* ansi, wchar_t* wide, int size);

// The ANSI bytes in the OEM code page; false when that page lacks one of
// their characters.
bool AnsiToOemExactly(const char* ansi, int length, QlString& oem);

#endif

// Paths as the launcher uses them: narrow strings that both the ANSI code
// page (every call the launcher makes) and the OEM code page (cmd.exe, which
// reads the clean-up script) hold exactly.  A user's folder may be named in
// letters neither page has; then its short (8.3) form, which is ASCII on
// every usual system, names the same folder.  Conversions never use best
// fit: a look-alike letter would name another file, and a look-alike quote
// would end a quoted path inside the script.
#ifndef ORVANE_LAUNCHER_NARROWPATH_H
#define ORVANE_LAUNCHER_NARROWPATH_H

#include <windows.h>

#include "string/QlString.h"

// The path in narrow form, exact in both code pages: as it is, or its short
// form.  False when neither is exact (the path does not exist, so it has no
// short form, or short names are disabled).
bool NarrowPath(const wchar_t* path, char (&narrow)[MAX_PATH]);

// The temporary folder with its trailing backslash; "C:\" unless the system
// gives a path that starts with a drive letter, ':' and '\'.  False, with
// the folder's own name in unusable, when it has no exact narrow form.
bool FindTempPath(char (&tempPath)[MAX_PATH], wchar_t (&unusable)[MAX_PATH]);

// The launcher's own file, as the next stage must be able to open it.
// False, with its own name in unusable, when it has no exact narrow form.
bool FindOwnPath(HINSTANCE instance, char (&ownPath)[MAX_PATH], wchar_t (&unusable)[MAX_PATH]);

// Narrow text as this system reads it (its ANSI code page); a byte the page
// has no character for shows as the system shows it.  Empty when it does
// not fit size.
void AnsiToWide(const char* ansi, wchar_t* wide, int size);

// A narrow path as the user knows it: read in the ANSI code page, with its
// longest leading part that exists in its long form, since the narrow form
// may hold short names, and the file itself may be gone by the time it is
// named.
void WidePath(const char* narrow, wchar_t* wide, int size);

// The ANSI bytes in the OEM code page; false when that page lacks one of
// their characters.
bool AnsiToOemExactly(const char* ansi, int length, QlString& oem);

#endif

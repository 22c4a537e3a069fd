// Paths as the launcher uses them: narrow strings that both the ANSI code
// page (every call the launcher makes) and the OEM code page (cmd.exe, which
// reads the clean-up script) hold exactly (Conversions.h).  A user's folder
// may be named in letters neither page has; then its short (8.3) form, which
// is ASCII on every usual system, names the same folder.
#ifndef ORVANE_LAUNCHER_NARROWPATH_H
#define ORVANE_LAUNCHER_NARROWPATH_H

#include <windows.h>

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

// A narrow path as the user knows it: read in the ANSI code page, with its
// longest leading part that exists in its long form, since the narrow form
// may hold short names, and the file itself may be gone by the time it is
// named.
void WidePath(const char* narrow, wchar_t* wide, int size);

#endif

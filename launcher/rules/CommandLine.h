// The launcher's own command line as WinMain passes it on: the process's
// wide command line without the program name and the blanks after it.
// Portable.
#ifndef ORVANE_LAUNCHER_COMMANDLINE_H
#define ORVANE_LAUNCHER_COMMANDLINE_H

#include <wchar.h>

// A quoted program name runs to the next double quote (removed with it) or
// to the end; an unquoted one to the first character of code 32 or less.
// Then every character of code 1 to 32 is skipped.  The rest is returned
// unchanged, quotes included.
const wchar_t* SkipProgramName(const wchar_t* commandLine);

#endif

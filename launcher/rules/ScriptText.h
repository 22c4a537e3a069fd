// The texts the launcher hands on, by rules that decide what cmd.exe and the
// next stage will read: a path as one word of a clean-up script line, a
// path made safe as a format, and the next stage's command line.  Portable:
// no platform headers, so the rules are tested natively.
#ifndef ORVANE_LAUNCHER_SCRIPTTEXT_H
#define ORVANE_LAUNCHER_SCRIPTTEXT_H

#include "string/QlString.h"

// A path as one word of a batch line, from the bytes cmd.exe will read (the
// OEM code page).  cmd.exe expands %...% even inside quotes, so every '%' is
// doubled; it splits an unquoted word at a blank and acts on & | < > ( ) ^
// and the like, so such a path is quoted, as is one with any byte outside
// ASCII, whose meaning depends on the code page.  A plain ASCII path stays
// exactly as it is.  False for a double quote or a control character, which
// no path holds and which would end the quoted word or the line.
bool ScriptWord(const char* oemPath, QlString& word);

// The text with every '%' doubled, so it can be used as a format string or
// in a batch file and still mean itself.
QlString EscapePercent(const char* text);

// The fixed part of the next stage's command line, "Bootlace.exe ZAZezor ...
// ResourceFile="<own>" CleanUp="<script>" ", with the blank that ends it:
// the launcher's own arguments follow as they came, even when there are
// none (NextStage.h).
QlString NextStageCommand(const char* ownPath, const char* scriptPath);

#endif

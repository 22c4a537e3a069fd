// The clean-up script the launcher leaves for the next stage, and the
// next stage's command line.
//
// The script is written line by line while the launcher extracts, one Write
// per line, in this order: "cd \", the gate line (unless the gate program
// already exists), one "del" per extracted file, one "rmdir" per created
// folder (newest first), and the "del" of the script itself.  Each line is
// written in the OEM code page that cmd.exe reads; in paths every '%' is
// doubled, and a path with a blank or another character that cmd.exe would
// split at is quoted (plain paths are written as they are).  Failures raise
// QlStreamException by pointer, with the script's path as the text.
#ifndef ORVANE_LAUNCHER_CLEANUPSCRIPT_H
#define ORVANE_LAUNCHER_CLEANUPSCRIPT_H

#include "stream/QlFileStream.h"
#include "string/QlString.h"

class CleanupScript {
public:
    // Creates the script (emptying a file of that name), not shared.
    explicit CleanupScript(const QlString& path);

    void WriteOpening(const QlString& folderPath);
    void WriteFileLine(const char* targetPath);
    void WriteFolderLine(const QlString& folder);
    void WriteSelfDeleteLine();

private:
    void WriteLine();

    QlString path;
    QlString line;
    QlFileStream stream;
};

// "Bootlace.exe ZAZezor ... ResourceFile="<own>" CleanUp="<script>" <args>",
// the blank before the arguments written even when there are none.
QlString FormatNextStageCommand(const char* ownPath, const QlString& scriptPath, const char* commandLine);

#endif

// The clean-up script the launcher leaves for the next stage, which the
// next stage's command line names (ScriptText.h).
//
// The script is written line by line while the launcher extracts, one Write
// per line, in this order: "cd \", the gate line (unless the gate program
// already exists), one "del" per extracted file, one "rmdir" per created
// folder (newest first), and the "del" of the script itself.  Each line is
// written in the OEM code page that cmd.exe reads, converted exactly (never
// by best fit); each path is one word by the rules of ScriptText.h, decided
// on the bytes cmd.exe will read.  Failures raise QlStreamException by
// pointer, with the script's path as the text, or with the path at fault
// (EntryNameForeign) when the OEM code page cannot hold it.
#ifndef ORVANE_LAUNCHER_CLEANUPSCRIPT_H
#define ORVANE_LAUNCHER_CLEANUPSCRIPT_H

#include "stream/QlFileStream.h"
#include "string/QlString.h"

class CleanupScript {
public:
    CleanupScript() {}
    CleanupScript(const CleanupScript&) = delete;
    CleanupScript& operator=(const CleanupScript&) = delete;

    // Creates the script, not shared and for this user alone
    // (PrivateSecurity), under the first name of the pattern
    // ("<temp>%d.bat") that no file, folder or link holds yet, so a script
    // of another run is never opened.  Raises OpenFailed with the name the
    // system refused, or with the pattern's folder and "*.bat" when every
    // name is taken.
    void Claim(const QlString& pattern, const char* tempPath);
    const QlString& Path() const { return path; }

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

#endif

#include "CleanupScript.h"

#include <windows.h>

#include <io.h>
#include <string.h>

#include "launcher/NarrowPath.h"
#include "launcher/Services.h"

namespace {

NameClaim ClaimScriptName(const char* name, void* stream) {
    if (static_cast<QlFileStream*>(stream)->Open(name, OpenWrite | OpenCreate | OpenNew)) return NameClaimed;
    return TakenOrRefused(name);
}

}  // namespace

void CleanupScript::Claim(const QlString& pattern, const char* tempPath) {
    if (ClaimUniqueName(pattern, ClaimScriptName, &stream, path)) return;
    throw new QlStreamException(OpenFailed, path.IsEmpty() ? QlString(tempPath) + "*.bat" : path);
}

void CleanupScript::WriteLine() {
    // The line is already in the OEM code page (ScriptWord converts the
    // paths; the rest is ASCII).
    int length = line.GetLength();
    try {
        stream.Write(static_cast<const char*>(line), static_cast<unsigned int>(length));
    } catch (QlStreamException* error) {
        // A write error says nothing of the file; name it for the report.
        int cause = error->cause;
        delete error;
        throw new QlStreamException(cause, path);
    }
}

namespace {

// A path as one word of a batch line, in the OEM code page cmd.exe reads
// it in.  cmd.exe would expand %...% in it, so every '%' is doubled; and it
// would split an unquoted path at a blank (a user name with a blank is
// common) or at & ( ) and the like, so such a path is quoted, as is one with
// bytes outside ASCII, whose meaning to cmd.exe depends on the page.  All of
// it is decided on the converted bytes, the ones cmd.exe will read.  A plain
// ASCII path stays exactly as it is.
QlString ScriptWord(const char* path) {
    QlString oem;
    if (!AnsiToOemExactly(path, lstrlenA(path), oem)) throw new QlStreamException(EntryNameRefused, path);
    bool quote = false;
    for (const char* p = oem; *p != '\0'; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        // No path holds these; in a script they would end the quoted word
        // or the line.
        if (c == '"' || c < 0x20) throw new QlStreamException(EntryNameRefused, path);
        if (c == ' ' || c >= 0x80 || strchr("&()[]{}^=;!'+,`~<>|", c) != nullptr) quote = true;
    }
    QlString word = EscapePercent(oem);
    return quote ? "\"" + word + "\"" : word;
}

}  // namespace

void CleanupScript::WriteOpening(const QlString& folderPath) {
    // The gate program is normally extracted later, so the test fails and
    // the gate line is written; the script then runs it before deleting.
    // Its %1 is the script's own argument.
    QlString gate = folderPath + "exitgate.exe";
    if (_access(gate, 4) != 0)
        line.Format("cd \\\r\n%s %%1\r\n", static_cast<const char*>(ScriptWord(folderPath + "exitgate")));
    else
        line.Format("cd \\\r\n");
    WriteLine();
}

void CleanupScript::WriteFileLine(const char* targetPath) {
    line.Format("del %s\r\n", static_cast<const char*>(ScriptWord(targetPath)));
    WriteLine();
}

void CleanupScript::WriteFolderLine(const QlString& folder) {
    line.Format("rmdir %s\r\n", static_cast<const char*>(ScriptWord(folder)));
    WriteLine();
}

void CleanupScript::WriteSelfDeleteLine() {
    line.Format("del %s\r\n", static_cast<const char*>(ScriptWord(path)));
    WriteLine();
}

QlString FormatNextStageCommand(const char* ownPath, const QlString& scriptPath, const char* commandLine) {
    QlString command;
    command.Format(
        "Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized "
        "ResourceFile=\"%s\" CleanUp=\"%s\" %s",
        ownPath, static_cast<const char*>(scriptPath), commandLine);
    return command;
}

#include "CleanupScript.h"

#include <windows.h>

#include <io.h>
#include <string.h>

#include "launcher/Services.h"

CleanupScript::CleanupScript(const QlString& path) : path(path), stream(path, OpenWrite | OpenCreate) {}

void CleanupScript::WriteLine() {
    // cmd.exe reads batch files in the OEM code page: a path with an
    // accented letter written in ANSI would name another file.  ASCII
    // stays as it is.
    int length = line.GetLength();
    char* chars = line.GetBuffer(length);
    CharToOemBuffA(chars, chars, static_cast<DWORD>(length));
    line.ReleaseBuffer(length);
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

// A path as one word of a batch line.  cmd.exe would expand %...% in it,
// so every '%' is doubled; and it would split an unquoted path at a blank
// (a user name with a blank is common) or at & ( ) and the like, so such a
// path is quoted.  A plain path stays exactly as it is.
QlString ScriptWord(const char* path) {
    QlString word = EscapePercent(path);
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == ' ' || strchr("&()[]{}^=;!'+,`~", *p) != nullptr) return "\"" + word + "\"";
    }
    return word;
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

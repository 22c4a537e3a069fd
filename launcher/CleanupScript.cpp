#include "CleanupScript.h"

#include <io.h>

CleanupScript::CleanupScript(const QlString& path) : path(path), stream(path, OpenWrite | OpenCreate) {}

void CleanupScript::WriteLine() {
    stream.Write(static_cast<const char*>(line), static_cast<unsigned int>(line.GetLength()));
}

void CleanupScript::WriteOpening(const QlString& folderPath) {
    // The gate program is normally extracted later, so the test fails and
    // the gate line is written; the script then runs it before deleting.
    QlString gate = folderPath + "exitgate.exe";
    if (_access(gate, 4) != 0)
        line.Format("cd \\\r\n%sexitgate %%1\r\n", static_cast<const char*>(folderPath));
    else
        line.Format("cd \\\r\n");
    WriteLine();
}

void CleanupScript::WriteFileLine(const char* targetPath) {
    line.Format("del %s\r\n", targetPath);
    WriteLine();
}

void CleanupScript::WriteFolderLine(const QlString& folder) {
    line.Format("rmdir %s\r\n", static_cast<const char*>(folder));
    WriteLine();
}

void CleanupScript::WriteSelfDeleteLine() {
    line.Format("del %s\r\n", static_cast<const char*>(path));
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

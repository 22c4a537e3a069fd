#include "CleanupScript.h"

#include <windows.h>

#include <io.h>

#include "archive/Extract.h"
#include "launcher/rules/ScriptText.h"
#include "launcher/system/Conversions.h"
#include "launcher/system/PrivateSecurity.h"
#include "launcher/system/UniqueName.h"

namespace {

NameClaim ClaimScriptName(const char* name, void* stream) {
    PrivateSecurity security(PrivateSecurity::Script);
    if (security.Get() == nullptr) return NameRefused;
    if (static_cast<QlFileStream*>(stream)->Open(name, OpenWrite | OpenCreate | OpenNew, security.Get()))
        return NameClaimed;
    return TakenOrRefused(name);
}

}  // namespace

void CleanupScript::Claim(const QlString& pattern, const char* tempPath) {
    if (!MakeUniqueName(pattern, ClaimScriptName, &stream, path))
        ThrowClaimFailure(path, QlString(tempPath) + "*.bat", MaxFilePath);
}

void CleanupScript::WriteLine() {
    // The line is already in the OEM code page (ScriptWordOf converts the
    // paths; the rest is ASCII).
    int length = line.GetLength();
    try {
        stream.Write(static_cast<const char*>(line), static_cast<unsigned int>(length));
    } catch (QlStreamException* error) {
        ThrowNamingFile(error, path);
    }
}

namespace {

// A path as one word of a batch line, in the OEM code page cmd.exe reads
// it in, converted exactly: best fit would turn a typographic quote into
// one that ends the word, or a letter into another file's name.
QlString ScriptWordOf(const char* path) {
    QlString oem;
    QlString word;
    if (!AnsiToOemExactly(path, lstrlenA(path), oem) || !ScriptWord(oem, word))
        throw new QlStreamException(EntryNameForeign, path);
    return word;
}

}  // namespace

void CleanupScript::WriteOpening(const QlString& folderPath) {
    // The gate program is normally extracted later, so the test fails and
    // the gate line is written; the script then runs it before deleting.
    // Its %1 is the script's own argument.
    QlString gate = folderPath + "exitgate.exe";
    if (_access(gate, 4) != 0)
        line.Format("cd \\\r\n%s %%1\r\n", static_cast<const char*>(ScriptWordOf(folderPath + "exitgate")));
    else
        line.Format("cd \\\r\n");
    WriteLine();
}

void CleanupScript::WriteFileLine(const char* targetPath) {
    line.Format("del %s\r\n", static_cast<const char*>(ScriptWordOf(targetPath)));
    WriteLine();
}

void CleanupScript::WriteFolderLine(const QlString& folder) {
    line.Format("rmdir %s\r\n", static_cast<const char*>(ScriptWordOf(folder)));
    WriteLine();
}

void CleanupScript::WriteSelfDeleteLine() {
    line.Format("del %s\r\n", static_cast<const char*>(ScriptWordOf(path)));
    WriteLine();
}

#include "NextStage.h"

#include "launcher/rules/ScriptText.h"
#include "launcher/system/Conversions.h"
#include "launcher/system/KernelHandle.h"
#include "launcher/system/UniqueName.h"

namespace {

// CreateProcessW's limit, without the terminating NUL.
const int MaxCommandLine = 32766;

// A wide buffer for a command line, freed with its holder; null when the
// heap has no room.  From the process heap, not new[]: the length is below
// the command-line limit, so no check of new[] is needed, nor its runtime.
class WideText {
public:
    explicit WideText(int length)
        : text(static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)))) {}
    ~WideText() {
        if (text != nullptr) HeapFree(GetProcessHeap(), 0, text);
    }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    wchar_t* Get() const { return text; }

private:
    wchar_t* text;
};

// 0, or the system's reason; the process held by started when it is not null.
DWORD Start(const QlString& program, const QlString& folderPath, const char* ownPath, const QlString& scriptPath,
            const wchar_t* arguments, KernelHandle* started) {
    QlString fixed = NextStageCommand(ownPath, scriptPath);
    // The length was checked before anything was written, with the longest
    // script name (NextStageCommandFits).
    int fixedLength = AnsiWideLength(fixed);
    if (fixedLength < 0) return ERROR_NO_UNICODE_TRANSLATION;
    WideText command(fixedLength + lstrlenW(arguments));
    if (command.Get() == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    AnsiToWideExactly(fixed, command.Get(), fixedLength + 1);
    lstrcpyW(command.Get() + fixedLength, arguments);
    wchar_t wideProgram[MAX_PATH];
    wchar_t wideFolder[MAX_PATH];
    if (!AnsiToWideExactly(program, wideProgram, MAX_PATH) || !AnsiToWideExactly(folderPath, wideFolder, MAX_PATH))
        return ERROR_NO_UNICODE_TRANSLATION;

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(wideProgram, command.Get(), nullptr, nullptr, FALSE, 0, nullptr, wideFolder, &startup,
                        &process))
        return GetLastError();
    KernelHandle thread(process.hThread);
    KernelHandle unwanted;
    (started != nullptr ? *started : unwanted).Reset(process.hProcess);
    return 0;
}

}  // namespace

bool StartNextStage(const QlString& program, const QlString& folderPath, const char* ownPath,
                    const QlString& scriptPath, const wchar_t* arguments, RunFailure& failure, KernelHandle* started) {
    DWORD error = Start(program, folderPath, ownPath, scriptPath, arguments, started);
    if (error != 0) failure.RecordStartFailure(program, error);
    return error == 0;
}

bool NextStageCommandFits(const char* ownPath, const char* tempPath, const wchar_t* arguments) {
    QlString script = LongestUniqueName(EscapePercent(tempPath) + "%d.bat");
    int fixed = AnsiWideLength(NextStageCommand(ownPath, script));
    return fixed >= 0 && lstrlenW(arguments) <= MaxCommandLine - fixed;
}

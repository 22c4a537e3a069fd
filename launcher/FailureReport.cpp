#include "FailureReport.h"

#include "launcher/system/Conversions.h"
#include "launcher/system/MessageCatalogue.h"
#include "launcher/system/NarrowPath.h"
#include "launcher/system/Unattended.h"
#include "launcher/system/UserMessage.h"
#include "stream/QlStreamException.h"
#include "string/LocalText.h"

namespace {

int ReasonFor(int cause) {
    switch (cause) {
    case WriteFailed:
    case WriteIncomplete:
        return MSG_REASON_DISK;
    case PathTooLong:
        return MSG_REASON_PATH_LENGTH;
    case ReadFailed:
    case SeekFailed:
    case UnlockFailed:
    case OpenFailed:
    case CloseFailed:
        return MSG_REASON_ACCESS;
    default:  // the archive or the inflate engine: the payload is damaged
        return MSG_REASON_DAMAGED;
    }
}

// Says a failure where it can be seen: always in the event log, and in a
// message box when someone sees the screen.
struct Teller {
    HINSTANCE instance;
    bool someoneCanSee;
    void operator()(const UserMessage& message, UINT flags) const {
        ReportToEventLog(instance, message.Text());
        if (someoneCanSee) message.Show(flags);
    }
};

}  // namespace

SystemReason::SystemReason(DWORD error, const wchar_t* subject) {
    text[0] = L'\0';
    LocalTextW system;
    if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, system.Receive(), 0, nullptr) != 0 &&
        system.Get() != nullptr)
        Fill(system.Get(), subject);
    else
        wsprintfW(text, L"Error %lu", static_cast<unsigned long>(error));
}

void SystemReason::Fill(const wchar_t* system, const wchar_t* subject) {
    int length = 0;
    const int last = Capacity - 1;
    for (const wchar_t* p = system; *p != L'\0' && length < last; ++p) {
        if (p[0] == L'%' && p[1] == L'1') {
            for (const wchar_t* s = subject; *s != L'\0' && length < last; ++s) text[length++] = *s;
            ++p;
        } else {
            text[length++] = *p;
        }
    }
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        --length;
    text[length] = L'\0';
}

void RunFailure::RecordUnusablePath(const wchar_t* name) {
    kind = Path;
    lstrcpynW(path, name, MAX_PATH);
}

void RunFailure::RecordCommandLineTooLong() {
    kind = CommandLineLength;
}

void RunFailure::RecordShortSpace(const char* drive, double required, double available) {
    kind = ShortSpace;
    name = drive;
    requiredBytes = required;
    freeBytes = available;
}

void RunFailure::RecordUnusableDrive(const char* folder, DWORD systemError) {
    kind = Drive;
    name = folder;
    error = systemError;
}

void RunFailure::RecordFileFailure(const char* file, int streamCause) {
    kind = FileError;
    name = file;
    cause = streamCause;
}

void RunFailure::RecordStartFailure(const char* program, DWORD systemError) {
    kind = StartError;
    name = program;
    error = systemError;
}

void RunFailure::RecordOutOfMemory() {
    kind = Memory;
}

void RunFailure::Report(HINSTANCE instance, bool someoneCanSee) const {
    const Teller tell = {instance, someoneCanSee};
    wchar_t wide[MAX_PATH * 2];
    switch (kind) {
    case None: return;
    case Path: tell(UserMessage(GetMessageText(MSG_UNUSABLE_PATH), {path}), MB_ICONERROR); return;
    case CommandLineLength: tell(UserMessage(GetMessageText(MSG_COMMAND_LINE_TOO_LONG)), MB_ICONERROR); return;
    case Memory: tell(UserMessage(GetMessageText(MSG_OUT_OF_MEMORY)), MB_ICONERROR); return;
    case ShortSpace: {
        // The drive is ASCII, so the narrow format holds the text exactly.
        const double megabyte = 1048576.0;
        QlString text;
        text.Format(GetMessageText(MSG_INSUFFICIENT_SPACE), static_cast<const char*>(name), requiredBytes / megabyte,
                    freeBytes / megabyte);
        tell(UserMessage(text), 0);
        return;
    }
    case Drive:
    case StartError: {
        WidePath(name, wide, MAX_PATH * 2);
        SystemReason reason(error, wide);
        tell(UserMessage(GetMessageText(kind == Drive ? MSG_DRIVE_FAILURE : MSG_START_FAILURE), {wide, reason.Text()}),
             MB_ICONERROR);
        return;
    }
    case FileError:
        if (cause == EntryNameForeign) {
            // The entry's name as this system reads it: no path, nothing long.
            AnsiToWide(name, wide, MAX_PATH * 2);
            tell(UserMessage(GetMessageText(MSG_FOREIGN_NAME), {wide}), MB_ICONERROR);
            return;
        }
        WidePath(name, wide, MAX_PATH * 2);
        UserMessage reason(GetMessageText(ReasonFor(cause)));
        tell(UserMessage(GetMessageText(MSG_FILE_FAILURE), {wide, reason.Text()}), MB_ICONERROR);
        return;
    }
}

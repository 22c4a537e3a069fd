// The benchmark's next stage, built as Bootlace.exe and carried in every
// benchmark payload: it takes the performance counter first thing (one
// clock for all processes), then writes "<counter> <process id>\r\n<own
// path>\r\n" to the file named by OV_BENCH_RECORD (under a temporary name,
// renamed when whole) and sets the event named by OV_BENCH_EVENT.  Without
// OV_BENCH_RECORD it does nothing; either way it exits at once.
#include <windows.h>

namespace {

char* AppendDecimal(char* out, unsigned long long value) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) *out++ = digits[--count];
    return out;
}

char* AppendText(char* out, const char* text) {
    while (*text != '\0') *out++ = *text++;
    return out;
}

void SignalEvent() {
    char name[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("OV_BENCH_EVENT", name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (event == nullptr) return;
    SetEvent(event);
    CloseHandle(event);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);

    char record[MAX_PATH], ownPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("OV_BENCH_RECORD", record, MAX_PATH - 4);
    if (length == 0 || length >= MAX_PATH - 4) return 0;
    DWORD pathLength = GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH) return 1;

    char text[MAX_PATH + 64];
    char* end = AppendDecimal(text, static_cast<unsigned long long>(started.QuadPart));
    end = AppendText(end, " ");
    end = AppendDecimal(end, GetCurrentProcessId());
    end = AppendText(AppendText(AppendText(end, "\r\n"), ownPath), "\r\n");

    char partial[MAX_PATH];
    *AppendText(AppendText(partial, record), ".new") = '\0';
    HANDLE file = CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD size = static_cast<DWORD>(end - text), written = 0;
    BOOL wrote = WriteFile(file, text, size, &written, nullptr);
    CloseHandle(file);
    if (!wrote || written != size) return 1;
    if (!MoveFileExA(partial, record, MOVEFILE_REPLACE_EXISTING)) return 1;
    SignalEvent();
    return 0;
}

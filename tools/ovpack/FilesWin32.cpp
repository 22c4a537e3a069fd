// The packer's file helpers on Windows (Files.h), through the ANSI API:
// names are the bytes the launcher will use, in the ANSI code page.
#include <windows.h>

#include <stdio.h>

#include "Files.h"
#include "Names.h"

const char* const PathSeparators = "/\\";

namespace {

// FILETIME counts 100 ns from 1601.
const uint64_t UnixEpoch = 116444736000000000ULL;
const uint64_t Second = 10000000ULL;

uint64_t Ticks(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}
FILETIME FromTicks(uint64_t ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }
int64_t Seconds(const FILETIME& time) {
    uint64_t ticks = Ticks(time);
    return ticks < UnixEpoch ? 0 : static_cast<int64_t>((ticks - UnixEpoch) / Second);
}
FILETIME FromSeconds(int64_t seconds) { return FromTicks(UnixEpoch + static_cast<uint64_t>(seconds) * Second); }

std::string Describe(const std::string& path, DWORD code) {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) --length;
    std::string reason = length > 0 ? std::string(text, length) : "system error " + std::to_string(code);
    return PrintableName(path) + ": " + reason;
}

std::string SystemError(const std::string& path, DWORD code) { return Describe(path, code); }

HANDLE Handle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

const DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

std::string SystemError(const std::string& path) { return Describe(path, GetLastError()); }

std::string InputFile::Open(const std::string& name) {
    Close();
    path = name;
    // With the right to write attributes the access time can be put back
    // after reading; a file we may only read is read all the same.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    restoreAccess = file != INVALID_HANDLE_VALUE;
    if (!restoreAccess) {
        file = CreateFileA(path.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                           nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) return SystemError(path);
    FILETIME access;
    if (restoreAccess && GetFileTime(file, nullptr, &access, nullptr)) {
        openedAccess = Ticks(access);
    } else {
        restoreAccess = false;
    }
    handle = reinterpret_cast<intptr_t>(file);
    return "";
}

std::string InputFile::Read(uint8_t* buffer, size_t length, size_t& got) {
    got = 0;
    while (got < length) {
        DWORD piece = 0;
        DWORD ask = length - got > 0x10000000 ? 0x10000000 : static_cast<DWORD>(length - got);
        if (!ReadFile(Handle(handle), buffer + got, ask, &piece, nullptr)) return SystemError(path);
        if (piece == 0) break;
        got += piece;
    }
    return "";
}

std::string InputFile::Status(uint64_t& size, FileTimes& times) {
    if (restoreAccess) {
        FILETIME access = FromTicks(openedAccess);
        SetFileTime(Handle(handle), nullptr, &access, nullptr);
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(Handle(handle), &info)) return SystemError(path);
    size = static_cast<uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    times.creation = Seconds(info.ftCreationTime);
    times.write = Seconds(info.ftLastWriteTime);
    times.access = Seconds(info.ftLastAccessTime);
    return "";
}

void InputFile::Close() {
    if (handle != -1) CloseHandle(Handle(handle));
    handle = -1;
}

std::string OutputFile::Create(const std::string& name) {
    Close();
    path = name;
    // Not through a link someone left in the target folder.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return PrintableName(path) + ": is a link, not written through";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return SystemError(path);
    handle = reinterpret_cast<intptr_t>(file);
    return "";
}

std::string OutputFile::Write(const void* data, size_t length) {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
        DWORD written = 0;
        DWORD ask = length > 0x10000000 ? 0x10000000 : static_cast<DWORD>(length);
        if (!WriteFile(Handle(handle), p, ask, &written, nullptr)) return SystemError(path);
        // A full disk may take part of a write and report success.
        if (written == 0) return SystemError(path, ERROR_DISK_FULL);
        p += written;
        length -= written;
    }
    return "";
}

std::string OutputFile::WriteAt(uint64_t offset, const void* data, size_t length) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    LARGE_INTEGER end;
    LARGE_INTEGER none = {};
    if (!SetFilePointerEx(Handle(handle), none, &end, FILE_CURRENT) ||
        !SetFilePointerEx(Handle(handle), at, nullptr, FILE_BEGIN))
        return SystemError(path);
    std::string error = Write(data, length);
    if (error.empty() && !SetFilePointerEx(Handle(handle), end, nullptr, FILE_BEGIN)) error = SystemError(path);
    return error;
}

std::string OutputFile::SetTimes(int64_t write, int64_t access) {
    FILETIME written = FromSeconds(write);
    FILETIME accessed = FromSeconds(access);
    return SetFileTime(Handle(handle), nullptr, &accessed, &written) ? "" : SystemError(path);
}

std::string OutputFile::Close() {
    if (handle == -1) return "";
    BOOL closed = CloseHandle(Handle(handle));
    handle = -1;
    return closed ? "" : SystemError(path);
}

std::string Examine(const std::string& path, PathKind& kind, uint64_t& size) {
    size = 0;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) return SystemError(path, code);
        kind = PathKind::Missing;
        return "";
    }
    bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (folder) {
        kind = link ? PathKind::LinkToFolder : PathKind::Folder;
        return "";
    }
    if (link || (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)) {
        // A link to a file counts as the file: its size is the target's.
        HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        BY_HANDLE_FILE_INFORMATION info;
        bool read = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (!read) return SystemError(path);
        data.nFileSizeHigh = info.nFileSizeHigh;
        data.nFileSizeLow = info.nFileSizeLow;
    }
    kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) ? PathKind::Other : PathKind::File;
    size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return "";
}

std::string ListFolder(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? "" : SystemError(path, code);
    }
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    DWORD code = GetLastError();
    FindClose(search);
    return code == ERROR_NO_MORE_FILES ? "" : SystemError(path, code);
}

std::string MakeFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return "";
    return SystemError(path);
}

std::string RenameOver(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? "" : SystemError(to);
}

void RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

void RemoveFolder(const std::string& path) { RemoveDirectoryA(path.c_str()); }

std::string UtcText(int64_t seconds) {
    SYSTEMTIME parts;
    FILETIME time = FromSeconds(seconds);
    FileTimeToSystemTime(&time, &parts);
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", parts.wYear, parts.wMonth, parts.wDay, parts.wHour,
             parts.wMinute, parts.wSecond);
    return text;
}

std::string TemporarySuffix() { return ".tmp" + std::to_string(GetCurrentProcessId()); }

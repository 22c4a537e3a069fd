// File helpers of the packer: the only part that knows the system, POSIX
// in FilesPosix.cpp and Win32 in FilesWin32.cpp (ovpack.exe).  Paths are
// the system's, '/' as separator on both.  Failures come back as a message
// that names the file, in its printable form (Names.h), and the system's
// reason; nothing here prints or exits.
#ifndef ORVANE_TOOLS_OVPACK_FILES_H
#define ORVANE_TOOLS_OVPACK_FILES_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// "path: reason", with the system's reason for the call that just failed.
std::string SystemError(const std::string& path);

// What separates folders in a path: "/", and on Windows "\\" as well.
extern const char* const PathSeparators;

// Seconds since 1970, UTC.
struct FileTimes {
    int64_t creation = 0;  // the birth time where the system keeps one, else the write time
    int64_t write = 0;
    int64_t access = 0;
};

// A file open for reading.  Reading leaves its access time as it was where
// the system lets us, so the same input packs to the same bytes every run.
class InputFile {
public:
    InputFile() = default;
    ~InputFile() { Close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::string Open(const std::string& path);
    // Fills buffer, with fewer than length bytes only at the end of the file.
    std::string Read(uint8_t* buffer, size_t length, size_t& got);
    // Size and times as they are now.
    std::string Status(uint64_t& size, FileTimes& times);
    void Close();

private:
    std::string path;
    intptr_t handle = -1;
    uint64_t openedAccess = 0;  // Win32: the access time to put back
    bool restoreAccess = false;
};

// A file written from the start.  Destruction closes it and keeps it.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile() { Close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // A new file, or an existing one emptied; never through a symbolic link.
    std::string Create(const std::string& path);
    std::string Write(const void* data, size_t length);
    // Overwrites bytes already written; the next Write goes to the end.
    std::string WriteAt(uint64_t offset, const void* data, size_t length);
    std::string SetTimes(int64_t write, int64_t access);
    std::string Close();

private:
    std::string path;
    intptr_t handle = -1;
};

enum class PathKind { Missing, File, Folder, LinkToFolder, Other };

// What path is; a symbolic link to a file counts as that file (and has its
// size), a link to a folder is not followed.
std::string Examine(const std::string& path, PathKind& kind, uint64_t& size);
// The names in a folder, without "." and "..", in no particular order.
std::string ListFolder(const std::string& path, std::vector<std::string>& names);
// One level; a folder that is already there is fine.
std::string MakeFolder(const std::string& path);
// An empty folder; nothing when it is not there or not empty.
void RemoveFolder(const std::string& path);
// Renames from to to, replacing to.
std::string RenameOver(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);
// "2024-01-31 12:00:00".
std::string UtcText(int64_t seconds);
// A suffix for temporary files that no other running packer uses.
std::string TemporarySuffix();

// Reads a whole file, an archive or a list; an archive cannot be 4 GiB or
// larger, so a larger file is refused before it is read.  "" on success,
// else the message.
std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// Creates path and every missing folder above it, like mkdir -p.  "" on
// success, else the message (a file in the way included).
std::string MakeFolders(const std::string& path);

#endif

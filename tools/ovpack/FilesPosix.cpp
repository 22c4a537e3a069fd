// The packer's file helpers on POSIX systems (Files.h): std::filesystem
// where it serves, the system's calls for what it lacks (birth and access
// times, reading without moving the access time, creating without
// following a link).
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>

#include "Files.h"
#include "Names.h"

const char* const PathSeparators = "/";

std::string SystemError(const std::string& path) { return PrintableName(path) + ": " + strerror(errno); }

namespace {

namespace fs = std::filesystem;

int Descriptor(intptr_t handle) { return static_cast<int>(handle); }

std::string Failed(const std::string& path, const std::error_code& error) {
    return PrintableName(path) + ": " + error.message();
}

}  // namespace

std::string InputFile::Open(const std::string& name) {
    Close();
    path = name;
    // Reading must not move the access time where we may prevent it.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOATIME);
    if (fd < 0 && errno == EPERM) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return SystemError(path);
    handle = fd;
    return "";
}

std::string InputFile::Read(uint8_t* buffer, size_t length, size_t& got) {
    got = 0;
    while (got < length) {
        ssize_t piece = read(Descriptor(handle), buffer + got, length - got);
        if (piece < 0 && errno == EINTR) continue;
        if (piece < 0) return SystemError(path);
        if (piece == 0) break;
        got += static_cast<size_t>(piece);
    }
    return "";
}

// The birth time where the file system keeps one (statx: ext4, btrfs,
// tmpfs), else the write time.  The status-change time would not do: it
// moves with every chmod and link.
std::string InputFile::Status(uint64_t& size, FileTimes& times) {
    struct statx status;
    if (statx(Descriptor(handle), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return SystemError(path);
    size = status.stx_size;
    times.write = status.stx_mtime.tv_sec;
    times.access = status.stx_atime.tv_sec;
    times.creation = (status.stx_mask & STATX_BTIME) ? status.stx_btime.tv_sec : times.write;
    return "";
}

void InputFile::Close() {
    if (handle >= 0) close(Descriptor(handle));
    handle = -1;
}

std::string OutputFile::Create(const std::string& name) {
    Close();
    path = name;
    // Not through a link someone left in the target folder.
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return SystemError(path);
    handle = fd;
    return "";
}

std::string OutputFile::Write(const void* data, size_t length) {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
        ssize_t written = write(Descriptor(handle), p, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return SystemError(path);
        }
        p += written;
        length -= static_cast<size_t>(written);
    }
    return "";
}

std::string OutputFile::WriteAt(uint64_t offset, const void* data, size_t length) {
    ssize_t written = pwrite(Descriptor(handle), data, length, static_cast<off_t>(offset));
    if (written < 0 || static_cast<size_t>(written) != length) return SystemError(path);
    return "";
}

std::string OutputFile::SetTimes(int64_t write, int64_t access) {
    struct timespec times[2] = {{static_cast<time_t>(access), 0}, {static_cast<time_t>(write), 0}};
    return futimens(Descriptor(handle), times) == 0 ? "" : SystemError(path);
}

std::string OutputFile::Close() {
    if (handle < 0) return "";
    int closing = close(Descriptor(handle));
    handle = -1;
    return closing == 0 ? "" : SystemError(path);
}

std::string Examine(const std::string& path, PathKind& kind, uint64_t& size) {
    std::error_code error;
    size = 0;
    fs::file_status status = fs::symlink_status(path, error);
    if (error == std::errc::no_such_file_or_directory) {
        kind = PathKind::Missing;
        return "";
    }
    bool link = !error && fs::is_symlink(status);
    if (link) status = fs::status(path, error);
    if (error) return Failed(path, error);
    if (fs::is_directory(status)) {
        kind = link ? PathKind::LinkToFolder : PathKind::Folder;
        return "";
    }
    kind = fs::is_regular_file(status) ? PathKind::File : PathKind::Other;
    if (kind == PathKind::File) size = fs::file_size(path, error);
    return error ? Failed(path, error) : "";
}

std::string ListFolder(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    std::error_code error;
    for (fs::directory_iterator child(path, error), end; !error && child != end; child.increment(error))
        names.push_back(child->path().filename().string());
    return error ? Failed(path, error) : "";
}

std::string MakeFolder(const std::string& path) {
    std::error_code error;
    fs::create_directory(path, error);
    return error ? Failed(path, error) : "";
}

std::string RenameOver(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return error ? Failed(to, error) : "";
}

void RemoveFile(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

void RemoveFolder(const std::string& path) { RemoveFile(path); }

std::string UtcText(int64_t seconds) {
    time_t value = static_cast<time_t>(seconds);
    struct tm parts;
    char text[32];
    gmtime_r(&value, &parts);
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

std::string TemporarySuffix() { return ".tmp" + std::to_string(getpid()); }

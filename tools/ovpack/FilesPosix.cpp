// The packer's file helpers on POSIX systems (Files.h).
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "Files.h"

const char* const PathSeparators = "/";

std::string SystemError(const std::string& path) { return path + ": " + strerror(errno); }

namespace {

int Descriptor(intptr_t handle) { return static_cast<int>(handle); }

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
    struct stat status;
    size = 0;
    if (lstat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) return SystemError(path);
        kind = PathKind::Missing;
        return "";
    }
    if (S_ISLNK(status.st_mode)) {
        if (stat(path.c_str(), &status) != 0) return SystemError(path);
        if (S_ISDIR(status.st_mode)) {
            kind = PathKind::LinkToFolder;
            return "";
        }
    }
    kind = S_ISDIR(status.st_mode) ? PathKind::Folder : S_ISREG(status.st_mode) ? PathKind::File : PathKind::Other;
    size = static_cast<uint64_t>(status.st_size);
    return "";
}

std::string ListFolder(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    DIR* folder = opendir(path.c_str());
    if (folder == nullptr) return SystemError(path);
    while (const dirent* child = readdir(folder)) {
        std::string name = child->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(folder);
    return "";
}

std::string MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return SystemError(path);
    return "";
}

std::string RenameOver(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0 ? "" : SystemError(to);
}

void RemoveFile(const std::string& path) { unlink(path.c_str()); }

void RemoveFolder(const std::string& path) { rmdir(path.c_str()); }

std::string UtcText(int64_t seconds) {
    time_t value = static_cast<time_t>(seconds);
    struct tm parts;
    char text[32];
    gmtime_r(&value, &parts);
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

std::string TemporarySuffix() { return ".tmp" + std::to_string(getpid()); }

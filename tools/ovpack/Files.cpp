#include "Files.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

std::string SystemError(const std::string& path) { return path + ": " + strerror(errno); }

std::string ReadArchiveFile(const std::string& path, std::vector<uint8_t>& bytes) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return SystemError(path);
    std::string error;
    struct stat status;
    if (fstat(fd, &status) != 0) {
        error = SystemError(path);
    } else if (!S_ISREG(status.st_mode)) {
        error = path + ": not a regular file";
    } else if (static_cast<uint64_t>(status.st_size) > UINT32_MAX) {
        error = path + ": larger than any archive can be (4 GiB)";
    } else {
        bytes.resize(static_cast<size_t>(status.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                error = SystemError(path);
                break;
            }
            if (got == 0) {
                error = path + ": shorter than it was a moment ago";
                break;
            }
            done += static_cast<size_t>(got);
        }
    }
    close(fd);
    return error;
}

bool WriteAll(int fd, const void* data, size_t length) {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
        ssize_t written = write(fd, p, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        p += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

std::string MakeFolders(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) == 0) {
        return S_ISDIR(status.st_mode) ? "" : path + ": exists and is not a folder";
    }
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        std::string error = MakeFolders(path.substr(0, slash));
        if (!error.empty()) return error;
    }
    if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return SystemError(path);
    return "";
}

// File helpers of the packer.  Failures come back as a message that names
// the file and the system's reason; nothing here prints or exits.
#ifndef ORVANE_TOOLS_OVPACK_FILES_H
#define ORVANE_TOOLS_OVPACK_FILES_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// "path: reason" with the reason of errno.
std::string SystemError(const std::string& path);

// Reads a whole archive; an archive cannot be 4 GiB or larger, so a larger
// file is refused before it is read.  "" on success, else the message.
std::string ReadArchiveFile(const std::string& path, std::vector<uint8_t>& bytes);

// Writes all of data to fd, retrying short writes; false with errno set.
bool WriteAll(int fd, const void* data, size_t length);

// Creates path and every missing folder above it, like mkdir -p.  "" on
// success, else the message (a file in the way included).
std::string MakeFolders(const std::string& path);

#endif

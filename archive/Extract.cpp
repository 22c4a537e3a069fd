#include "Extract.h"

#include <windows.h>

#include <io.h>
#include <string.h>

#include "stream/QlFileStream.h"
#include "stream/QlInflater.h"
#include "stream/QlMemoryInStream.h"

namespace {

bool IsFolder(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool InRegistry(const FolderRegistry& registry, const QlString& path) {
    for (const QlString& folder : registry) {
        if (lstrcmpiA(folder, path) == 0) return true;
    }
    return false;
}

}  // namespace

int CreateFolderPath(const char* path, FolderRegistry* registry) {
    if (_access(path, 0) == 0) return 0;
    if (strlen(path) > static_cast<size_t>(MaxTargetPath)) return 1;

    // The drive, when one is named: a letter and a colon, nothing else.
    const char* colon = strchr(path, ':');
    const char* rest = path;
    if (colon != nullptr) {
        char letter = path[0];
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        if (colon != path + 1 || letter < 'A' || letter > 'Z') return 1;
        rest = path + 2;
    }
    if (*rest == '\\') ++rest;

    // Where each level ends in path; every level refused before anything
    // is made when it is empty or longer than a level may be.
    const char* levelEnds[MaxTargetPath + 1];
    int levels = 0;
    for (const char* level = rest;; ++levels) {
        const char* separator = strchr(level, '\\');
        const char* end = separator != nullptr ? separator : level + strlen(level);
        if (end == level || end - level > MaxLevel || levels == MaxTargetPath) return 1;
        levelEnds[levels] = end;
        if (separator == nullptr) break;
        level = separator + 1;
    }
    ++levels;

    // The deepest level that exists already; only the ones below it are
    // made, without entering any of them.  A file there ends the path.
    char prefix[MaxTargetPath + 1];
    int existing = levels - 1;
    for (; existing >= 0; --existing) {
        size_t length = static_cast<size_t>(levelEnds[existing] - path);
        memcpy(prefix, path, length);
        prefix[length] = '\0';
        if (_access(prefix, 0) == 0) break;
    }
    if (existing >= 0 && !IsFolder(prefix)) return 1;

    for (int level = existing + 1; level < levels; ++level) {
        size_t length = static_cast<size_t>(levelEnds[level] - path);
        memcpy(prefix, path, length);
        prefix[length] = '\0';
        // A new folder must stay within what the registry can record, so
        // it is refused before it is made.
        char created[MaxTargetPath + 1];
        DWORD createdLength = GetFullPathNameA(prefix, sizeof created, created, nullptr);
        if (createdLength == 0 || createdLength > static_cast<DWORD>(MaxFolderPath)) return 1;
        CreateDirectoryA(prefix, nullptr);
        if (!IsFolder(prefix)) return 1;
        if (registry != nullptr) registry->AddFront(QlString(created));
    }
    return 0;
}

void CreateEntryFolders(const char* root, const char* name, unsigned int nameLength, FolderRegistry& registry) {
    for (unsigned int i = 0; i < nameLength; ++i) {
        if (name[i] != '\\') continue;
        QlString folder = QlString(root) + QlString(name, static_cast<int>(i));
        if (InRegistry(registry, folder)) continue;
        // An existing level was not made by this run: someone else's
        // folder, or a link to one.
        if (!CreateDirectoryA(folder, nullptr)) throw new QlStreamException(OpenFailed, folder);
        registry.AddFront(folder);
        DWORD attributes = GetFileAttributesA(folder);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            throw new QlStreamException(OpenFailed, folder);
    }
}

void ExtractEntry(const void* stored, unsigned int storedSize, unsigned int inflatedSize, const char* targetPath,
                  FolderRegistry* registry, bool newFileOnly) {
    if (strlen(targetPath) > static_cast<size_t>(MaxTargetPath))
        throw new QlStreamException(PathTooLong, targetPath);

    // A new file's folders were made by CreateEntryFolders; otherwise a
    // folder that could not be made shows when the file cannot be opened.
    char folder[MaxTargetPath + 1];
    strcpy(folder, targetPath);
    char* lastSeparator = strrchr(folder, '\\');
    if (!newFileOnly && lastSeparator != nullptr) {
        *lastSeparator = '\0';
        CreateFolderPath(folder, registry);
    }

    QlMemoryInStream input(stored, storedSize);
    QlFileStream file(targetPath, OpenWrite | OpenCreate | (newFileOnly ? OpenNew : 0));
    // One byte past the stated size is enough to know the entry is damaged;
    // the data may inflate to gigabytes.  A stated 0 must not mean no limit.
    unsigned int limit = inflatedSize == 0xFFFFFFFFu ? inflatedSize : inflatedSize + 1;
    unsigned int written;
    bool ended;
    try {
        QlInflatePump pump;
        written = pump.Pump(file, input, limit);
        ended = pump.StreamEnded();
    } catch (QlStreamException* error) {
        // A write error says nothing of the file; name it for the report.
        if (error->text != nullptr) throw;
        int cause = error->cause;
        delete error;
        throw new QlStreamException(cause, targetPath);
    } catch (const QlStreamException& error) {
        // The engine's errors come by value and name no file: one form, the
        // file's, reaches the caller.
        throw new QlStreamException(error.cause, targetPath);
    }
    // Damaged or cut-short data make the pump stop early without a word;
    // a file that is not exactly the packed one must not reach the next stage.
    if (!ended || written != inflatedSize) throw new QlStreamException(EntryDamaged, targetPath);
}

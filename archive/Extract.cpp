#include "Extract.h"

#include <windows.h>

#include <direct.h>
#include <io.h>
#include <stdlib.h>
#include <string.h>

#include "stream/QlFileStream.h"
#include "stream/QlInflater.h"
#include "stream/QlMemoryInStream.h"

namespace {

// Enters each level of rest below the current folder, creating and
// recording the ones that do not exist.  Returns 0 or 1 like
// CreateFolderPath.
int WalkLevels(const char* rest, FolderRegistry* registry) {
    for (;;) {
        const char* separator = strchr(rest, '\\');
        size_t length = separator != nullptr ? static_cast<size_t>(separator - rest) : strlen(rest);
        if (length > static_cast<size_t>(MaxLevel)) return 1;
        char level[MaxLevel + 1];
        memcpy(level, rest, length);
        level[length] = '\0';

        if (_chdir(level) != 0) {
            // A new folder must stay within what the registry can record,
            // so it is refused before it is made.
            char current[MaxTargetPath + 1];
            if (_getcwd(current, sizeof current) == nullptr) return 1;
            size_t currentLength = strlen(current);
            bool atRoot = currentLength > 0 && current[currentLength - 1] == '\\';
            if (currentLength + (atRoot ? 0 : 1) + length > static_cast<size_t>(MaxFolderPath)) return 1;

            _mkdir(level);
            if (_chdir(level) != 0) return 1;
            char created[MaxFolderPath + 1];
            if (_getcwd(created, sizeof created) == nullptr) return 1;
            if (registry != nullptr) registry->AddFront(QlString(created));
        }
        if (separator == nullptr) return 0;
        rest = separator + 1;
    }
}

}  // namespace

int CreateFolderPath(const char* path, FolderRegistry* registry) {
    if (_access(path, 0) == 0) return 0;

    // The drive and its folder: returning to a drive by its letter alone
    // would put it at its root unless something had recorded its folder.
    int savedDrive = _getdrive();
    char* savedStart = _getcwd(nullptr, 0);
    int result = 1;
    bool driveSelected;
    const char* colon = strchr(path, ':');
    if (colon == nullptr) {
        driveSelected = true;
    } else if (colon != path + 1) {
        driveSelected = false;
    } else {
        char letter = path[0];
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        driveSelected = letter >= 'A' && letter <= 'Z' && _chdrive(letter - 'A' + 1) == 0;
    }
    char* savedFolder = _getcwd(nullptr, 0);

    if (driveSelected) {
        const char* rest = colon != nullptr ? path + 2 : path;
        bool ok = true;
        if (*rest == '\\') {
            ok = _chdir("\\") == 0;
            ++rest;
        }
        if (ok) result = WalkLevels(rest, registry);
    }

    if (savedFolder != nullptr) _chdir(savedFolder);
    if (savedStart == nullptr || _chdir(savedStart) != 0) _chdrive(savedDrive);
    free(savedFolder);
    free(savedStart);
    return result;
}

namespace {

bool InRegistry(const FolderRegistry& registry, const QlString& path) {
    for (const QlString& folder : registry) {
        if (lstrcmpiA(folder, path) == 0) return true;
    }
    return false;
}

}  // namespace

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

    char folder[MaxTargetPath + 1];
    strcpy(folder, targetPath);
    // A folder that could not be made shows when the file cannot be opened.
    char* lastSeparator = strrchr(folder, '\\');
    if (lastSeparator != nullptr) {
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

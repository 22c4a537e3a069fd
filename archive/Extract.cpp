#include "Extract.h"

#include <windows.h>

#include "stream/QlFileStream.h"
#include "stream/QlInflater.h"
#include "stream/QlMemoryInStream.h"

void CreateEntryFolders(const char* root, const char* name, unsigned int nameLength, PathList& folders) {
    for (unsigned int i = 0; i < nameLength; ++i) {
        if (name[i] != '\\') continue;
        QlString folder = QlString(root) + QlString(name, static_cast<int>(i));
        if (folders.Holds(folder)) continue;
        folders.Reserve();
        // An existing level was not made by this run: someone else's
        // folder, or a link to one.
        if (!CreateDirectoryA(folder, nullptr)) throw new QlStreamException(OpenFailed, folder);
        folders.AddFront(folder);
        DWORD attributes = GetFileAttributesA(folder);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            throw new QlStreamException(OpenFailed, folder);
    }
}

void ExtractEntry(const void* stored, unsigned int storedSize, unsigned int inflatedSize, const QlString& targetPath,
                  PathList* created) {
    if (targetPath.GetLength() > MaxFilePath) throw new QlStreamException(PathTooLong, targetPath);

    if (created != nullptr) created->Reserve();
    QlMemoryInStream input(stored, storedSize);
    QlFileStream file(targetPath, OpenWrite | OpenCreate | OpenNew);
    if (created != nullptr) created->AddFront(targetPath);
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
        ThrowNamingFile(error, targetPath);
    } catch (const QlStreamException& error) {
        ThrowNamingFile(error, targetPath);
    }
    // Damaged or cut-short data make the pump stop early without a word;
    // a file that is not exactly the packed one must not reach the next stage.
    if (!ended || written != inflatedSize) throw new QlStreamException(EntryDamaged, targetPath);
}

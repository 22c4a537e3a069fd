#include "Extraction.h"

#include <windows.h>

#include "archive/ArchiveFormat.h"
#include "archive/ArchiveNames.h"
#include "archive/Extract.h"
#include "launcher/system/Conversions.h"
#include "stream/QlStreamException.h"

namespace {

// The archive's bytes in the locked resources; false when it is missing.
bool FindArchive(HINSTANCE instance, const char* name, const void*& base, DWORD& size) {
    HRSRC resource = FindResourceA(instance, name, "OVArc");
    if (resource == nullptr) return false;
    HGLOBAL loaded = LoadResource(instance, resource);
    base = loaded != nullptr ? LockResource(loaded) : nullptr;
    size = SizeofResource(instance, resource);
    return base != nullptr;
}

void RaiseMalformed(const char* archive, const ArchiveReader& reader) {
    QlString text;
    text.Format("%s (%s)", archive, reader.Error() != nullptr ? reader.Error() : "unreadable directory");
    throw new QlStreamException(ArchiveMalformed, text);
}

// Whether the target and each folder on its way fit the extraction's limits.
bool FitsPathLimits(const QlString& folderPath, const ArchiveEntry& entry) {
    int folderLength = folderPath.GetLength();
    if (folderLength + static_cast<int>(entry.nameLength) > MaxFilePath) return false;
    for (uint32_t i = 0; i < entry.nameLength; ++i) {
        if (entry.name[i] == '\\' && folderLength + static_cast<int>(i) > MaxNewFolderPath) return false;
    }
    return true;
}

// Walks a whole directory without writing anything: the bounds, each name,
// and each target's length.  A name the OEM code page cannot hold could not
// be named in the clean-up script, so it is refused too.
void CheckArchive(const char* archive, const void* base, DWORD size, const QlString& folderPath) {
    ArchiveReader reader(base, size);
    if (!reader.Open()) RaiseMalformed(archive, reader);
    ArchiveEntry entry;
    QlString oem;
    while (reader.Next(entry)) {
        QlString name(entry.name, static_cast<int>(entry.nameLength));
        if (CheckEntryName(entry.name, entry.nameLength) != nullptr)
            throw new QlStreamException(EntryNameRefused, name);
        // A name is read in this system's ANSI code page, as the next stage
        // reads the names it looks for; bytes that page or the OEM page
        // cannot hold make a name of another system, not a damaged one.
        if (!AnsiToOemExactly(name, name.GetLength(), oem)) throw new QlStreamException(EntryNameForeign, name);
        if (!FitsPathLimits(folderPath, entry)) throw new QlStreamException(PathTooLong, folderPath + name);
    }
    if (reader.Error() != nullptr) RaiseMalformed(archive, reader);
}

// The archive was walked by CheckArchive, so its directory is sound.
void ExtractArchive(const void* base, DWORD size, const QlString& folderPath, PathList& folders,
                    PathList& files, CleanupScript& script) {
    ArchiveReader reader(base, size);
    reader.Open();
    ArchiveEntry entry;
    while (reader.Next(entry)) {
        QlString target = folderPath + QlString(entry.name, static_cast<int>(entry.nameLength));
        CreateEntryFolders(folderPath, entry.name, entry.nameLength, folders);
        // A file that could not be created is not this run's to remove.
        ExtractEntry(entry.data, entry.storedSize, entry.inflatedSize, target, &files);
        script.WriteFileLine(target);
    }
}

}  // namespace

void ExtractArchives(HINSTANCE instance, const QlString& folderPath, PathList& folders, PathList& files,
                     CleanupScript& script) {
    const void* base;
    DWORD size;
    for (const char* name : ExtractedArchives) {
        if (FindArchive(instance, name, base, size)) CheckArchive(name, base, size, folderPath);
    }
    for (const char* name : ExtractedArchives) {
        if (FindArchive(instance, name, base, size)) ExtractArchive(base, size, folderPath, folders, files, script);
    }
}

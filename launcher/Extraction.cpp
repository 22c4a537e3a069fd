#include "Extraction.h"

#include <windows.h>

#include "archive/ArchiveFormat.h"
#include "archive/Extract.h"
#include "launcher/Launcher.h"
#include "stream/QlStreamException.h"

const char* const ExtractedArchives[] = {"BASE", "SETUPBASE", "SETUPWEB", "OVIMAGE", "OVVERSION", nullptr};

namespace {

// The archive's bytes in the locked resources; false when it is missing.
bool FindArchive(const char* name, const void*& base, DWORD& size) {
    HRSRC resource = FindResourceA(AppInstance, name, "OVArc");
    if (resource == nullptr) return false;
    HGLOBAL loaded = LoadResource(AppInstance, resource);
    base = loaded != nullptr ? LockResource(loaded) : nullptr;
    size = SizeofResource(AppInstance, resource);
    return base != nullptr;
}

void RaiseMalformed(const char* archive, const ArchiveReader& reader) {
    QlString text;
    text.Format("%s (%s)", archive, reader.Error() != nullptr ? reader.Error() : "unreadable directory");
    throw new QlStreamException(ArchiveMalformed, text);
}

// Walks a whole directory without writing anything.
void CheckArchive(const char* archive, const void* base, DWORD size) {
    ArchiveReader reader(base, size);
    if (!reader.Open()) RaiseMalformed(archive, reader);
    ArchiveEntry entry;
    while (reader.Next(entry)) {
        if (CheckEntryName(entry.name, entry.nameLength) != nullptr)
            throw new QlStreamException(EntryNameRefused, QlString(entry.name, static_cast<int>(entry.nameLength)));
    }
    if (reader.Error() != nullptr) RaiseMalformed(archive, reader);
}

// The archive was walked by CheckArchive, so its directory is sound.
void ExtractArchive(const void* base, DWORD size, const QlString& folderPath, FolderRegistry& registry,
                    FolderRegistry& files, CleanupScript& script) {
    ArchiveReader reader(base, size);
    reader.Open();
    ArchiveEntry entry;
    while (reader.Next(entry)) {
        QlString target = folderPath + QlString(entry.name, static_cast<int>(entry.nameLength));
        files.AddFront(target);
        ExtractEntry(entry.data, entry.storedSize, entry.inflatedSize, target, &registry);
        script.WriteFileLine(target);
    }
}

}  // namespace

void ExtractArchives(const QlString& folderPath, FolderRegistry& registry, FolderRegistry& files,
                     CleanupScript& script) {
    const void* base;
    DWORD size;
    for (const char* const* name = ExtractedArchives; *name != nullptr; ++name) {
        if (FindArchive(*name, base, size)) CheckArchive(*name, base, size);
    }
    for (const char* const* name = ExtractedArchives; *name != nullptr; ++name) {
        if (FindArchive(*name, base, size)) ExtractArchive(base, size, folderPath, registry, files, script);
    }
}

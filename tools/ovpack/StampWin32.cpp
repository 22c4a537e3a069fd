#include "Stamp.h"

#include <windows.h>

#include "Files.h"

namespace {

const char ArchiveType[] = "OVARC";

BOOL CALLBACK FoundArchive(HMODULE, LPCSTR, LPSTR, LONG_PTR found) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// "" for a launcher without archives.
std::string CheckStub(const std::string& stub) {
    HMODULE module = LoadLibraryExA(stub.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return SystemError(stub);
    bool found = false;
    EnumResourceNamesA(module, ArchiveType, FoundArchive, reinterpret_cast<LONG_PTR>(&found));
    FreeLibrary(module);
    return found ? stub + ": holds archives already (give the bare launcher, ZAZezorBare.exe)" : "";
}

}  // namespace

std::string StampLauncher(const std::string& stub, const std::vector<NamedArchive>& archives,
                          const std::string& manifest, bool wait, const std::string& out) {
    std::string error = CheckStub(stub);
    if (!error.empty()) return error;
    // Built beside out and renamed into place: out appears whole or not at all.
    std::string temporary = out + TemporarySuffix();
    if (!CopyFileA(stub.c_str(), temporary.c_str(), FALSE)) return SystemError(temporary);
    HANDLE update = BeginUpdateResourceA(temporary.c_str(), FALSE);
    if (update == nullptr) error = SystemError(temporary);
    const WORD german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    for (size_t i = 0; error.empty() && i < archives.size(); ++i) {
        const NamedArchive& archive = archives[i];
        if (!UpdateResourceA(update, ArchiveType, archive.first.c_str(), german,
                             const_cast<uint8_t*>(archive.second.data()), static_cast<DWORD>(archive.second.size())))
            error = SystemError(temporary + " (" + archive.first + ")");
    }
    const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    if (error.empty() && !UpdateResourceA(update, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), neutral,
                                          const_cast<char*>(manifest.data()), static_cast<DWORD>(manifest.size())))
        error = SystemError(temporary + " (manifest)");
    static char waitMark[] = "yes";  // the build's: OVWAIT RCDATA { "yes" }
    if (error.empty() && wait && !UpdateResourceA(update, MAKEINTRESOURCEA(10), "OVWAIT", neutral, waitMark, 3))
        error = SystemError(temporary + " (OVWAIT)");
    if (update != nullptr && !EndUpdateResourceA(update, !error.empty()) && error.empty())
        error = SystemError(temporary);
    if (error.empty()) error = RenameOver(temporary, out);
    if (!error.empty()) RemoveFile(temporary);
    return error;
}

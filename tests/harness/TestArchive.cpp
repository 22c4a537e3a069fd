#include "TestArchive.h"

#include <windows.h>

namespace harness {

bool MakeLauncher(const std::string& launcher, const std::string& path,
                  const std::map<std::string, std::string>& archives, bool wait) {
    if (!CopyFileA(launcher.c_str(), path.c_str(), FALSE)) return false;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    if (update == nullptr) return false;
    const WORD german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    bool ok = true;
    for (const auto& archive : archives) {
        ok = ok && UpdateResourceA(update, "OVArc", archive.first.c_str(), german,
                                   const_cast<char*>(archive.second.data()),
                                   static_cast<DWORD>(archive.second.size()));
    }
    static char mark[] = "yes";
    ok = ok && (!wait || UpdateResourceA(update, MAKEINTRESOURCEA(10), "OVWAIT", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                         mark, 3));
    return EndUpdateResourceA(update, !ok) && ok;
}

}  // namespace harness

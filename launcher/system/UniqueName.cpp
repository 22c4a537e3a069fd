#include "UniqueName.h"

#include <stdlib.h>

#include "launcher/system/Clock.h"
#include "launcher/system/PrivateSecurity.h"
#include "stream/QlStreamException.h"

bool MakeUniqueName(const QlString& pattern, ClaimName claim, void* context, QlString& name) {
    static int seeded = 0;
    if (!seeded) {
        // Launchers started together read the same clock; the process id
        // (times an odd constant, so distinct ids stay distinct) keeps their
        // sequences apart.
        srand(MillisecondClockNow() ^ (GetCurrentProcessId() * 0x9E3779B1u));
        seeded = 1;
    }
    for (int attempt = 0; attempt < 1000; ++attempt) {
        name.Format(pattern, attempt == 0 ? 0 : rand());
        switch (claim(name, context)) {
        case NameClaimed: return true;
        case NameRefused: return false;
        case NameTaken: break;
        }
    }
    name.Empty();
    return false;
}

void ThrowClaimFailure(const QlString& candidate, const QlString& wildcard, int limit) {
    if (candidate.IsEmpty()) throw new QlStreamException(OpenFailed, wildcard);
    throw new QlStreamException(candidate.GetLength() > limit ? PathTooLong : OpenFailed, candidate);
}

QlString LongestUniqueName(const QlString& pattern) {
    QlString name;
    name.Format(pattern, RAND_MAX);  // the widest number rand() draws
    return name;
}

NameClaim TakenOrRefused(const char* name) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return NameTaken;
    // A file being deleted, say, refuses access but is still there.
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES ? NameTaken : NameRefused;
}

NameClaim ClaimFolder(const char* name, void*) {
    PrivateSecurity security(PrivateSecurity::Folder);
    if (security.Get() == nullptr) return NameRefused;
    return CreateDirectoryA(name, security.Get()) ? NameClaimed : TakenOrRefused(name);
}

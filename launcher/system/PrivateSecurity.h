#ifndef ORVANE_LAUNCHER_PRIVATESECURITY_H
#define ORVANE_LAUNCHER_PRIVATESECURITY_H

#include <windows.h>

// The security of the run's folder and script: full access for the token's
// user, SYSTEM and the Administrators group alone, not inherited from the
// parent.  In the root of C: (the fallback temporary folder) the parent's
// would let every user change what the folder holds, Bootlace.exe among it,
// before it starts.  What is made inside the folder inherits it.
//
// An elevated token also labels them of high integrity, no write up: under
// UAC the user's unelevated programs carry the same user SID, and could
// otherwise change the script or plant a DLL beside Bootlace.exe, which run
// elevated after the launcher.  Unelevated tokens get no label.
class PrivateSecurity {
public:
    enum Kind { Script, Folder };  // a folder's entries pass to what is made inside

    // For the given token; the process's own when it is null.
    explicit PrivateSecurity(Kind kind, HANDLE token = nullptr);
    ~PrivateSecurity();
    PrivateSecurity(const PrivateSecurity&) = delete;
    PrivateSecurity& operator=(const PrivateSecurity&) = delete;
    // Null when the system could not make it.
    SECURITY_ATTRIBUTES* Get() { return attributes.lpSecurityDescriptor != nullptr ? &attributes : nullptr; }

private:
    SECURITY_ATTRIBUTES attributes;
};

#endif

#ifndef ORVANE_LAUNCHER_PRIVATESECURITY_H
#define ORVANE_LAUNCHER_PRIVATESECURITY_H

#include <windows.h>

// The security of the run's folder and script: full access for the current
// user, SYSTEM and the Administrators group alone, not inherited from the
// parent.  In the root of C: (the fallback temporary folder) the parent's
// would let every user change what the folder holds, Bootlace.exe among it,
// before it starts.  What is made inside the folder inherits it.
class PrivateSecurity {
public:
    explicit PrivateSecurity(bool folder);
    ~PrivateSecurity();
    PrivateSecurity(const PrivateSecurity&) = delete;
    PrivateSecurity& operator=(const PrivateSecurity&) = delete;
    // Null when the system could not make it.
    SECURITY_ATTRIBUTES* Get() { return attributes.lpSecurityDescriptor != nullptr ? &attributes : nullptr; }

private:
    SECURITY_ATTRIBUTES attributes;
};

#endif

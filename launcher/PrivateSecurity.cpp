#include "PrivateSecurity.h"

#include <sddl.h>

#include "string/QlString.h"

PrivateSecurity::PrivateSecurity(bool folder) : attributes{sizeof attributes, nullptr, FALSE} {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
    union {
        TOKEN_USER user;
        char bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } user;
    DWORD length;
    char* sid;
    if (GetTokenInformation(token, TokenUser, &user, sizeof user, &length) &&
        ConvertSidToStringSidA(user.user.User.Sid, &sid)) {
        // P: protected, nothing inherited; OI and CI: files and folders
        // inside inherit each entry.
        const char* inherit = folder ? "OICI" : "";
        QlString text;
        text.Format("D:P(A;%s;FA;;;%s)(A;%s;FA;;;SY)(A;%s;FA;;;BA)", inherit, sid, inherit, inherit);
        ConvertStringSecurityDescriptorToSecurityDescriptorA(text, SDDL_REVISION_1, &attributes.lpSecurityDescriptor,
                                                             nullptr);
        LocalFree(sid);
    }
    CloseHandle(token);
}

PrivateSecurity::~PrivateSecurity() {
    LocalFree(attributes.lpSecurityDescriptor);
}

#include "PrivateSecurity.h"

#include <sddl.h>

#include "launcher/system/KernelHandle.h"

#include "string/LocalText.h"
#include "string/QlString.h"

namespace {

bool IsElevated(HANDLE token) {
    TOKEN_ELEVATION elevation;
    DWORD length;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &length) &&
           elevation.TokenIsElevated != 0;
}

void MakeDescriptor(PrivateSecurity::Kind kind, HANDLE token, void*& descriptor) {
    union {
        TOKEN_USER user;
        char bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } user;
    DWORD length;
    LocalText sid;
    if (!GetTokenInformation(token, TokenUser, &user, sizeof user, &length) ||
        !ConvertSidToStringSidA(user.user.User.Sid, sid.Address()))
        return;
    // P: protected, nothing inherited; OI and CI: files and folders inside
    // inherit each entry, the label too.
    bool folder = kind == PrivateSecurity::Folder;
    const char* inherit = folder ? "OICI" : "";
    const char* label = !IsElevated(token) ? "" : folder ? "S:(ML;OICI;NW;;;HI)" : "S:(ML;;NW;;;HI)";
    QlString text;
    text.Format("D:P(A;%s;FA;;;%s)(A;%s;FA;;;SY)(A;%s;FA;;;BA)%s", inherit, sid.Get(), inherit, inherit, label);
    ConvertStringSecurityDescriptorToSecurityDescriptorA(text, SDDL_REVISION_1, &descriptor, nullptr);
}

}  // namespace

PrivateSecurity::PrivateSecurity(Kind kind, HANDLE token) : attributes{sizeof attributes, nullptr, FALSE} {
    if (token != nullptr) {
        MakeDescriptor(kind, token, attributes.lpSecurityDescriptor);
        return;
    }
    KernelHandle own;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, own.Receive()))
        MakeDescriptor(kind, own.Get(), attributes.lpSecurityDescriptor);
}

PrivateSecurity::~PrivateSecurity() {
    LocalFree(attributes.lpSecurityDescriptor);
}

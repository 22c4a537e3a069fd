#include "Unattended.h"

namespace {

// One node of a version resource: its header, its key, its value and its
// children, each on a 4-byte boundary of the resource.
struct VersionNode {
    const wchar_t* key;
    const BYTE* value;
    int valueBytes;
    const BYTE* children;
    const BYTE* end;
};

const BYTE* Aligned(const BYTE* base, const BYTE* at) {
    return base + ((at - base + 3) & ~3);
}

// The node at `at`, within limit; false when it does not fit there.
bool ReadNode(const BYTE* base, const BYTE* at, const BYTE* limit, VersionNode& node) {
    if (at >= limit || limit - at < 6) return false;
    const WORD* header = reinterpret_cast<const WORD*>(at);
    WORD length = header[0];
    if (length < 6 || length > limit - at) return false;
    node.end = at + length;
    node.key = reinterpret_cast<const wchar_t*>(at + 6);
    const wchar_t* keyEnd = node.key;
    while (reinterpret_cast<const BYTE*>(keyEnd + 1) <= node.end && *keyEnd != L'\0') ++keyEnd;
    if (reinterpret_cast<const BYTE*>(keyEnd + 1) > node.end) return false;
    node.value = Aligned(base, reinterpret_cast<const BYTE*>(keyEnd + 1));
    node.valueBytes = header[2] == 1 ? header[1] * 2 : header[1];  // text values count characters
    if (node.value > node.end || node.valueBytes > node.end - node.value) node.valueBytes = 0;
    node.children = Aligned(base, node.value + node.valueBytes);
    return true;
}

// The first child of parent with this key, or false.
bool FindChild(const BYTE* base, const VersionNode& parent, const wchar_t* key, VersionNode& found) {
    for (const BYTE* at = parent.children; ReadNode(base, at, parent.end, found); at = Aligned(base, found.end)) {
        if (key == nullptr || lstrcmpW(found.key, key) == 0) return true;
    }
    return false;
}

// The product name of the version resource's first string table, or "".
void ReadProductName(HINSTANCE instance, wchar_t* name, int size) {
    name[0] = L'\0';
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const BYTE* base = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (base == nullptr) return;
    VersionNode root, strings, table, product;
    if (!ReadNode(base, base, base + SizeofResource(instance, resource), root) ||
        !FindChild(base, root, L"StringFileInfo", strings) || !FindChild(base, strings, nullptr, table) ||
        !FindChild(base, table, L"ProductName", product))
        return;
    int length = product.valueBytes / 2;
    if (length >= size) length = size - 1;
    lstrcpynW(name, reinterpret_cast<const wchar_t*>(product.value), length + 1);
}

}  // namespace

bool SomeoneCanSee() {
    USEROBJECTFLAGS flags;
    DWORD length;
    if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, &length)) return true;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

void ReportToEventLog(HINSTANCE instance, const wchar_t* text) {
    wchar_t source[256];
    ReadProductName(instance, source, 256);
    HANDLE log = RegisterEventSourceW(nullptr, source[0] != L'\0' ? source : L"Setup");
    if (log == nullptr) return;
    ReportEventW(log, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, &text, nullptr);
    DeregisterEventSource(log);
}

bool WaitsForNextStage(HINSTANCE instance) {
    return FindResourceA(instance, "OVWAIT", MAKEINTRESOURCEA(10) /* RT_RCDATA */) != nullptr;
}

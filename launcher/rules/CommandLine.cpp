#include "CommandLine.h"

namespace {

bool IsBlank(wchar_t c) {
    unsigned long code = static_cast<unsigned long>(c);
    return code >= 1 && code <= 32;
}

}  // namespace

const wchar_t* SkipProgramName(const wchar_t* p) {
    if (*p == L'"') {
        ++p;
        while (*p != L'\0' && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p != L'\0' && !IsBlank(*p)) ++p;
    }
    while (IsBlank(*p)) ++p;
    return p;
}

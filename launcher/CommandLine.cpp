#include "CommandLine.h"

#include <type_traits>

namespace {

// Characters compare by code, so one rule serves narrow and wide text.
template <typename Char>
bool IsBlank(Char c) {
    unsigned code = static_cast<typename std::make_unsigned<Char>::type>(c);
    return code >= 1 && code <= 32;
}

template <typename Char>
const Char* SkipName(const Char* p) {
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && !IsBlank(*p)) ++p;
    }
    while (IsBlank(*p)) ++p;
    return p;
}

}  // namespace

const char* SkipProgramName(const char* commandLine) {
    return SkipName(commandLine);
}

const wchar_t* SkipProgramName(const wchar_t* commandLine) {
    return SkipName(commandLine);
}

#include "CommandLine.h"

namespace {

bool IsBlank(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

}  // namespace

const char* SkipProgramName(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (static_cast<unsigned char>(*p) > 32) ++p;
    }
    while (IsBlank(*p)) ++p;
    return p;
}

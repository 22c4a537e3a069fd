// The one runtime name of the string class's core that is Windows' own,
// mapped to its POSIX equal for the native build.  In the "C" locale, case-
// blind collation is case-blind comparison.
#include <strings.h>

inline int _stricoll(const char* a, const char* b) {
    return strcasecmp(a, b);
}

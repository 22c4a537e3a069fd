// The launcher's own terminate handler.  The runtime's verbose one prints
// the demangled type of an uncaught exception to a console a GUI program
// does not have, and pulls the whole C++ demangler (some 45 KB) into the
// image for it.  Everything the launcher throws is caught; should anything
// still escape, ending at once is all there is to do.
#include <stdlib.h>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    abort();
}

}  // namespace __gnu_cxx

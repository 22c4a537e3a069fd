// The launcher's own pieces of the C++ runtime, each in place of one that
// brings into the image far more than the launcher needs of it.
#include <stdlib.h>
#include <unwind.h>

#include <cxxabi.h>

// The runtime's verbose terminate handler prints the demangled type of an
// uncaught exception to a console a GUI program does not have, and pulls
// the whole C++ demangler (some 45 KB) into the image for it.  Everything
// the launcher throws is caught; should anything still escape, ending at
// once is all there is to do.
namespace __gnu_cxx {

void __verbose_terminate_handler() {
    abort();
}

}  // namespace __gnu_cxx

// The state of the exceptions being thrown and handled.  The runtime keeps
// it per thread in emulated thread-local storage, which brings emutls and
// its thread keys (about 2 KB); the launcher throws and catches on its one
// thread only.  The layout is the runtime's: the chain of caught
// exceptions, then the count of uncaught ones.
namespace __cxxabiv1 {

namespace {

struct {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
} exceptionState;

}  // namespace

extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept {
    return reinterpret_cast<__cxa_eh_globals*>(&exceptionState);
}

extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return reinterpret_cast<__cxa_eh_globals*>(&exceptionState);
}

}  // namespace __cxxabiv1

// Link-time optimisation gives a function whose only handlers are cleanups
// (freeing an exception whose construction threw, destroying a temporary)
// the C personality routine instead of the C++ one, and so brings libgcc's
// second routine (1.5 KB).  The C++ routine reads the same tables and runs
// the same cleanups.  Kept by "used": the reference to it appears only in
// the optimised code.  64-bit Windows unwinds by SEH, through routines of
// another name and signature; there the runtime's own stay.
#if defined(__i386__)
extern "C" _Unwind_Reason_Code __gxx_personality_v0(int, _Unwind_Action, _Unwind_Exception_Class,
                                                    _Unwind_Exception*, _Unwind_Context*);

extern "C" __attribute__((used)) _Unwind_Reason_Code __gcc_personality_v0(
    int version, _Unwind_Action actions, _Unwind_Exception_Class exceptionClass, _Unwind_Exception* exception,
    _Unwind_Context* context) {
    return __gxx_personality_v0(version, actions, exceptionClass, exception, context);
}
#endif

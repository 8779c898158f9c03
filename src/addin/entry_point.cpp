// The library entry point: on Windows DllMain, on Linux a load-time constructor. Only process
// attach does anything; process detach and the thread notifications do nothing.
#include "addin/process_attach.h"
#include "xll/boundary.h"
#include "xll/xlcall.h"

namespace {
void on_process_attach() {
    xll::guarded(0, [] {
        addin::process_attach();
        return 0;
    });
}
}  // namespace

#if defined(_WIN32)
extern "C" int VX_STDCALL DllMain(void* /*instance*/, unsigned long reason, void* /*reserved*/) {
    constexpr unsigned long process_attach_reason = 1;  // DLL_PROCESS_ATTACH
    if (reason == process_attach_reason) on_process_attach();
    return 1;
}
#else
__attribute__((constructor)) static void library_loaded() { on_process_attach(); }
#endif

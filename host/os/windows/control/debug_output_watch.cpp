// OutputDebugStringA raises the exception DBG_PRINTEXCEPTION_C with the text, which system code
// catches when no debugger is attached. A vectored handler sees it first, in the calling thread
// and before the call returns, so the texts are kept in the order they were sent.
#include "os/windows/control/debug_output_watch.h"

#include <cstdio>
#include <cstdlib>

#include "os/windows/control/win32.h"

namespace xlhost::win32 {
namespace {

PVOID handler = nullptr;
CRITICAL_SECTION guard;
bool guard_ready = false;
std::vector<std::string> texts;
bool echo = std::getenv("VARENTIS_DEBUG") != nullptr;

LONG CALLBACK on_exception(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    if (record->ExceptionCode != DBG_PRINTEXCEPTION_C || record->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    if (text == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    EnterCriticalSection(&guard);
    try {
        texts.emplace_back(text);
    } catch (...) {
    }
    LeaveCriticalSection(&guard);
    if (echo) std::fprintf(stderr, "%s", text);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

bool start_debug_output_watch() {
    if (!guard_ready) {
        InitializeCriticalSection(&guard);
        guard_ready = true;
    }
    if (handler == nullptr) handler = AddVectoredExceptionHandler(1, on_exception);
    return handler != nullptr;
}

void stop_debug_output_watch() {
    if (handler) RemoveVectoredExceptionHandler(handler);
    handler = nullptr;
}

std::vector<std::string> debug_output_seen() {
    if (!guard_ready) return {};
    EnterCriticalSection(&guard);
    std::vector<std::string> copy = texts;
    LeaveCriticalSection(&guard);
    return copy;
}

void set_debug_output_echo(bool value) { echo = value; }

void clear_debug_output_seen() {
    if (!guard_ready) return;
    EnterCriticalSection(&guard);
    texts.clear();
    LeaveCriticalSection(&guard);
}

}  // namespace xlhost::win32

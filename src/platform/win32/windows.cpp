// Top-level windows: enumeration, class names and the active window.
#include <exception>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace {

struct Enumeration {
    plat::WindowVisitor visitor;
    void* context;
    std::exception_ptr failure;
};

// EnumWindows calls back through system code, which an exception cannot cross: a visitor's
// exception stops the enumeration here and is thrown again once EnumWindows has returned.
BOOL CALLBACK visit(HWND window, LPARAM parameter) {
    auto* enumeration = reinterpret_cast<Enumeration*>(parameter);
    try {
        return enumeration->visitor(window, enumeration->context) ? TRUE : FALSE;
    } catch (...) {
        enumeration->failure = std::current_exception();
        return FALSE;
    }
}

}  // namespace

namespace plat {

void enum_top_windows(WindowVisitor visitor, void* context) {
    if (visitor == nullptr) return;
    Enumeration enumeration{visitor, context, nullptr};
    EnumWindows(visit, reinterpret_cast<LPARAM>(&enumeration));
    if (enumeration.failure) std::rethrow_exception(enumeration.failure);
}

int window_class_name(Window window, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    const int copied = GetClassNameA(static_cast<HWND>(window), buffer, size);
    if (copied <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    return copied;
}

Window active_window() { return GetActiveWindow(); }

}  // namespace plat

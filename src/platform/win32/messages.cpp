// Message boxes, debugger output and the Windows text formatter.
#include <cstring>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace plat {

static_assert(mb_ok == MB_OK && mb_okcancel == MB_OKCANCEL && mb_iconerror == MB_ICONERROR &&
                  mb_iconwarning == MB_ICONWARNING && mb_iconinformation == MB_ICONINFORMATION &&
                  id_ok == IDOK && id_cancel == IDCANCEL,
              "message box styles and answers");

int message_box(Window owner, const char* text, const char* caption, unsigned style) {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

void debug_output(const char* text) { OutputDebugStringA(text ? text : ""); }

int format_text(char* buffer, size_t size, const char* format, va_list args) {
    if (buffer == nullptr || size == 0) return 0;
    // wvsprintfA writes at most 1024 characters and its terminator, whatever the caller's
    // buffer holds; it formats into a buffer of that size and the caller gets what fits.
    char formatted[1025];
    int length = wvsprintfA(formatted, format ? format : "", args);
    if (length < 0) length = 0;
    if (length > 1024) length = 1024;
    formatted[length] = '\0';
    const size_t kept = static_cast<size_t>(length) < size ? static_cast<size_t>(length) : size - 1;
    std::memcpy(buffer, formatted, kept);
    buffer[kept] = '\0';
    return static_cast<int>(kept);
}

}  // namespace plat

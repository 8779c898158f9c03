#include "ambiente/janela_excel.h"

#include <ctype.h>
#include <stdint.h>

#include "xll/call_excel.h"

namespace ambiente {

plat::Window excel_hwnd = nullptr;

namespace {

struct Search {
    uint16_t low_bits;
    plat::Window found;
};

bool equals_nocase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (tolower(static_cast<unsigned char>(*a)) != tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

bool visit(plat::Window window, void* context) {
    auto* search = static_cast<Search*>(context);
    char class_name[50];
    plat::window_class_name(window, class_name, sizeof class_name);
    if (equals_nocase(class_name, "XLMAIN") &&
        (reinterpret_cast<uintptr_t>(window) & 0xFFFF) == search->low_bits) {
        search->found = window;
        return false;
    }
    return true;
}

}  // namespace

plat::Window find_excel_window() {
    XLOPER answer{};
    if (xll::call_excel(xlGetHwnd, &answer, 0) != xlretSuccess || answer.xltype != xltypeInt)
        return excel_hwnd;
    Search search{static_cast<uint16_t>(answer.val.w), nullptr};
    plat::enum_top_windows(&visit, &search);
    if (search.found != nullptr) excel_hwnd = search.found;
    return excel_hwnd;
}

}  // namespace ambiente

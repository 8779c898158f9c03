// Excel's window among windows whose handles the test chooses: an Excel window first in the
// enumeration whose low bits differ from the reported ones only in the top bit is not the one.
// Only the stand-in lets a test choose handles; real windows get theirs from the system.
#include <gtest/gtest.h>

#include <cstdint>

#include "ambiente/janela_excel.h"
#include "platform/control/platform_control.h"
#include "scripted_excel.h"

namespace {

uint16_t low_bits(plat::Window window) {
    return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(window) & 0xFFFF);
}

TEST(ExcelWindowHandles, AllSixteenLowBitsDecide) {
    plat_control::reset();
    ambiente::excel_hwnd = nullptr;
    plat::Window other_excel = plat_control::window_create("XLMAIN");
    const uint16_t wanted = low_bits(other_excel) ^ 0x8000;
    plat::Window excel_main = nullptr;
    for (int tries = 0; tries < 0x10000 && excel_main == nullptr; ++tries) {
        plat::Window window = plat_control::window_create("XLMAIN");
        if (low_bits(window) == wanted) excel_main = window;
        else plat_control::window_destroy(window);
    }
    ASSERT_NE(excel_main, nullptr);
    ScriptedExcel excel;
    excel.answer([wanted](int function, LPXLOPER result, int, LPXLOPER*) {
        if (function != xlGetHwnd) return static_cast<int>(xlretInvXlfn);
        result->xltype = xltypeInt;
        result->val.w = static_cast<int16_t>(wanted);
        return static_cast<int>(xlretSuccess);
    });
    EXPECT_EQ(ambiente::find_excel_window(), excel_main);
}

}  // namespace

// Excel's main window is found from the low 16 bits Excel reports and the class name "XLMAIN"
// (any case) among the top-level windows; when either fails, the window found before stays.
#include <gtest/gtest.h>

#include <cstdint>

#include "ambiente/janela_excel.h"
#include "platform/control/platform_control.h"
#include "scripted_excel.h"

namespace {

uint16_t low_bits(plat::Window window) {
    return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(window) & 0xFFFF);
}

class ExcelWindow : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::reset();
        ambiente::excel_hwnd = nullptr;
    }
    // Excel answers xlGetHwnd with these low bits as its 16-bit integer.
    void excel_reports(uint16_t bits) {
        excel.answer([bits](int function, LPXLOPER result, int, LPXLOPER*) {
            if (function != xlGetHwnd) return static_cast<int>(xlretInvXlfn);
            result->xltype = xltypeInt;
            result->val.w = static_cast<int16_t>(bits);
            return static_cast<int>(xlretSuccess);
        });
    }
    ScriptedExcel excel;
};

TEST_F(ExcelWindow, ClassNameMatchesWithoutCaseAndTheLowBitsDecide) {
    plat::Window other_main = plat_control::window_create("XLMAIN");
    plat_control::window_create("Shell_TrayWnd");
    plat::Window excel_main = plat_control::window_create("xlMain");
    plat_control::window_create("XLMAIN");
    excel_reports(low_bits(excel_main));
    EXPECT_EQ(ambiente::find_excel_window(), excel_main);
    EXPECT_EQ(ambiente::excel_hwnd, excel_main);
    EXPECT_NE(ambiente::excel_hwnd, other_main);
    ASSERT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(excel.calls()[0].function, xlGetHwnd);
}

TEST_F(ExcelWindow, LowBitsAboveTheSignBitOfTheInteger) {
    plat::Window window = nullptr;
    while ((window = plat_control::window_create("Progman")) != nullptr && low_bits(window) < 0x8000) {
    }
    plat_control::window_destroy(window);
    plat::Window excel_main = plat_control::window_create("XLMAIN");
    ASSERT_GE(low_bits(excel_main), 0x8000);
    excel_reports(low_bits(excel_main));
    EXPECT_EQ(ambiente::find_excel_window(), excel_main);
}

TEST_F(ExcelWindow, WindowOfAnotherClassIsNotExcel) {
    plat::Window excel_main = plat_control::window_create("XLMAIN");
    excel_reports(low_bits(excel_main));
    ASSERT_EQ(ambiente::find_excel_window(), excel_main);

    // A later search that finds no match keeps the window found before.
    plat::Window impostor = plat_control::window_create("XLMAIN2");
    excel_reports(low_bits(impostor));
    EXPECT_EQ(ambiente::find_excel_window(), excel_main);
    plat::Window desk = plat_control::window_create("XLDESK");
    excel_reports(low_bits(desk));
    EXPECT_EQ(ambiente::find_excel_window(), excel_main);
}

TEST_F(ExcelWindow, ExcelThatDoesNotAnswerLeavesTheWindowUnchanged) {
    plat::Window excel_main = plat_control::window_create("XLMAIN");
    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return static_cast<int>(xlretFailed); });
    EXPECT_EQ(ambiente::find_excel_window(), nullptr);
    EXPECT_EQ(plat_control::debug_lines().front(), "Erro! Excel4(");

    excel.answer([&](int, LPXLOPER result, int, LPXLOPER*) {
        result->xltype = xltypeNum;  // not the 16-bit integer Excel answers
        result->val.num = low_bits(excel_main);
        return static_cast<int>(xlretSuccess);
    });
    EXPECT_EQ(ambiente::find_excel_window(), nullptr);
}

}  // namespace

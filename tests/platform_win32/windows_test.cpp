// Real top-level windows: enumeration with class names cut to the caller's buffer, the active
// window, and a visitor's exception carried across EnumWindows instead of through it.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace {

class Windows : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* name : {"XLMAIN", "VxOtherTop"}) {
            WNDCLASSA window_class{};
            window_class.lpfnWndProc = DefWindowProcA;
            window_class.hInstance = GetModuleHandleA(nullptr);
            window_class.lpszClassName = name;
            RegisterClassA(&window_class);
        }
    }
    HWND make(const char* class_name) {
        HWND window = CreateWindowExA(0, class_name, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (window) made.push_back(window);
        return window;
    }
    void TearDown() override {
        for (HWND window : made) DestroyWindow(window);
    }
    std::vector<HWND> made;
};

struct Search {
    plat::Window wanted;
    int visited = 0;
    bool found = false;
};

TEST_F(Windows, EnumerationFindsOurWindowsWithTheirClassNames) {
    HWND other = make("VxOtherTop");
    HWND excel = make("XLMAIN");
    ASSERT_TRUE(other && excel);

    std::vector<plat::Window> seen;
    plat::enum_top_windows([](plat::Window w, void* context) {
        static_cast<std::vector<plat::Window>*>(context)->push_back(w);
        return true;
    }, &seen);
    int ours = 0;
    for (plat::Window w : seen) ours += (w == excel) + (w == other);
    EXPECT_EQ(ours, 2);

    char name[50];
    EXPECT_EQ(plat::window_class_name(excel, name, sizeof name), 6);
    EXPECT_STREQ(name, "XLMAIN");
    char cut[4];
    EXPECT_EQ(plat::window_class_name(excel, cut, sizeof cut), 3);
    EXPECT_STREQ(cut, "XLM");

    DestroyWindow(excel);
    made.pop_back();
    EXPECT_EQ(plat::window_class_name(excel, name, sizeof name), 0);
    EXPECT_STREQ(name, "");
}

TEST_F(Windows, VisitorAnsweringFalseStopsTheEnumeration) {
    HWND first = make("VxOtherTop");
    make("VxOtherTop");
    ASSERT_TRUE(first);
    Search search{first};
    plat::enum_top_windows([](plat::Window w, void* context) {
        auto* s = static_cast<Search*>(context);
        ++s->visited;
        if (w == s->wanted) s->found = true;
        return false;
    }, &search);
    EXPECT_EQ(search.visited, 1);
}

TEST_F(Windows, VisitorExceptionArrivesAfterTheEnumeration) {
    ASSERT_TRUE(make("VxOtherTop"));
    int visited = 0;
    EXPECT_THROW(plat::enum_top_windows([](plat::Window, void* context) -> bool {
        ++*static_cast<int*>(context);
        throw std::runtime_error("visitor failed");
    }, &visited), std::runtime_error);
    EXPECT_EQ(visited, 1);
}

TEST_F(Windows, ActiveWindowIsTheOneActivated) {
    HWND excel = make("XLMAIN");
    ASSERT_TRUE(excel);
    ShowWindow(excel, SW_SHOW);
    SetActiveWindow(excel);
    EXPECT_EQ(plat::active_window(), excel);
}

}  // namespace

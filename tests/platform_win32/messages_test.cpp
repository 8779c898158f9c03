// Real message boxes (recorded and closed by the host's watch), debugger output, and the
// Windows formatter kept inside the caller's buffer.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>

#include "os/windows/control/debug_output_watch.h"
#include "os/windows/control/message_box_watch.h"
#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace {

using namespace xlhost::win32;

class MessageBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(start_message_box_watch());
        clear_message_boxes_seen();
        set_message_box_answer(IDOK);
    }
};

TEST_F(MessageBoxes, ShownWithOwnerTextCaptionAndIconThenClosed) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "XLMAIN";
    RegisterClassA(&window_class);
    HWND owner = CreateWindowExA(0, "XLMAIN", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);

    // cp1252 bytes, as the add-in's texts are compiled.
    const char* text = "Sele\xE7\xE3o inv\xE1lida";
    const char* caption = "Aten\xE7\xE3o";
    EXPECT_EQ(plat::message_box(owner, text, caption, plat::mb_ok | plat::mb_iconerror), plat::id_ok);
    DestroyWindow(owner);

    const auto seen = message_boxes_seen();
    ASSERT_EQ(seen.size(), 1u);
    const MessageBoxSeen& box = seen[0];
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.style, plat::mb_ok | plat::mb_iconerror);
}

TEST_F(MessageBoxes, AnswerIsTheChosenButton) {
    set_message_box_answer(IDCANCEL);
    EXPECT_EQ(plat::message_box(nullptr, "Continue?", "Error", plat::mb_okcancel | plat::mb_iconwarning),
              plat::id_cancel);
    // A box without that button is closed with OK.
    EXPECT_EQ(plat::message_box(nullptr, "Done", "Error", plat::mb_ok | plat::mb_iconinformation), plat::id_ok);
    const auto seen = message_boxes_seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].style, plat::mb_okcancel | plat::mb_iconwarning);
    EXPECT_EQ(seen[1].style, plat::mb_ok | plat::mb_iconinformation);
    EXPECT_EQ(seen[0].caption, "Error");
}

DWORD WINAPI show_box_on_this_thread(LPVOID) {
    return static_cast<DWORD>(plat::message_box(nullptr, "Outra thread", "Error", plat::mb_ok));
}

TEST_F(MessageBoxes, BoxesOfOtherThreadsAreClosedToo) {
    HANDLE thread = CreateThread(nullptr, 0, show_box_on_this_thread, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    DWORD answer = 0;
    GetExitCodeThread(thread, &answer);
    CloseHandle(thread);
    EXPECT_EQ(answer, static_cast<DWORD>(IDOK));
    const auto seen = message_boxes_seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Outra thread");
}

TEST(DebugOutput, TextsArriveInOrderAndWhole) {
    ASSERT_TRUE(start_debug_output_watch());
    clear_debug_output_seen();
    plat::debug_output("Erro! Excel4(");
    plat::debug_output("xlCommand | ");
    plat::debug_output("118) falha em callback:");
    plat::debug_output(" Fun\xE7\xE3o Inv\xE1lida\r");
    const auto seen = debug_output_seen();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], "Erro! Excel4(");
    EXPECT_EQ(seen[2], "118) falha em callback:");
    EXPECT_EQ(seen[3], " Fun\xE7\xE3o Inv\xE1lida\r");
}

int format(char* buffer, size_t size, const char* format_text, ...) {
    va_list args;
    va_start(args, format_text);
    const int length = plat::format_text(buffer, size, format_text, args);
    va_end(args);
    return length;
}

TEST(FormatText, WindowsFormatterWithUnsignedAndCharacters) {
    char buffer[256];
    EXPECT_EQ(format(buffer, sizeof buffer, "%u) falha em callback:", 118u), 23);
    EXPECT_STREQ(buffer, "118) falha em callback:");
    EXPECT_EQ(format(buffer, sizeof buffer, "%c%u:", 'a' + 1, 10u), 4);
    EXPECT_STREQ(buffer, "b10:");
}

TEST(FormatText, NeverWritesPastTheBuffer) {
    char buffer[12];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(format(buffer, 8, "%s", "0123456789"), 7);
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(std::string(buffer + 8, 4), "####");
    EXPECT_EQ(format(buffer, 0, "%s", "x"), 0);
    EXPECT_EQ(buffer[0], '0');

    // The formatter itself stops at 1024 characters, whatever the text.
    const std::string long_text(3000, 'x');
    std::string large(2048, '#');
    EXPECT_EQ(format(large.data(), large.size(), "%s", long_text.c_str()), 1024);
    EXPECT_EQ(large[1024], '\0');
    EXPECT_EQ(large[1025], '#');
}

}  // namespace

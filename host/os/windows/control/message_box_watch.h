// Records and closes every message box that the watched thread shows, so that no test and no
// run of xlhost.exe ever waits on a window. What is recorded is read back from the real window:
// owner, text, caption, and the style its icon and buttons show.
#pragma once

#include <string>
#include <vector>

namespace xlhost::win32 {

struct MessageBoxSeen {
    void* owner = nullptr;  // HWND
    std::string text;       // bytes in the ANSI code page, as the add-in passed them
    std::string caption;
    unsigned style = 0;     // MB_ICON* | MB_OK / MB_OKCANCEL / ...
    int answer = 0;         // the button that closed it
};

// Watches message boxes of the calling thread (a WH_CBT hook, which closes a box as it opens)
// until stop_message_box_watch. A watchdog thread also closes, within a quarter of a second, any
// box of the process that the hook did not see (shown on another thread, or while stopped).
bool start_message_box_watch();
void stop_message_box_watch();
std::vector<MessageBoxSeen> message_boxes_seen();
void clear_message_boxes_seen();
// The button the next boxes are closed with (IDOK by default); when a box lacks that button,
// OK, or else its first button, closes it.
void set_message_box_answer(int answer);

}  // namespace xlhost::win32

#include "os/windows/control/message_box_watch.h"

#include "os/windows/control/win32.h"

namespace xlhost::win32 {
namespace {

HHOOK hook = nullptr;
std::vector<MessageBoxSeen> seen;
int wanted_answer = IDOK;
CRITICAL_SECTION guard;
HANDLE watchdog = nullptr;

struct Lock {
    Lock() { EnterCriticalSection(&guard); }
    ~Lock() { LeaveCriticalSection(&guard); }
};

void init_guard() {
    static const bool ready = [] {
        InitializeCriticalSection(&guard);
        return true;
    }();
    (void)ready;
}

// The text of a message box is the static control 0xFFFF of a dialog of class #32770.
bool is_message_box(HWND window) {
    char class_name[16] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    return lstrcmpA(class_name, "#32770") == 0 && GetDlgItem(window, 0xFFFF) != nullptr;
}

struct Children {
    HICON icon = nullptr;
    unsigned buttons = 0;  // bit n set: button with id n present
};

BOOL CALLBACK visit_child(HWND child, LPARAM parameter) {
    auto* children = reinterpret_cast<Children*>(parameter);
    char class_name[16] = "";
    GetClassNameA(child, class_name, sizeof class_name);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return TRUE;
    if (lstrcmpiA(class_name, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        children->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    } else if (lstrcmpiA(class_name, "Button") == 0) {
        const int id = GetDlgCtrlID(child);
        if (id > 0 && id < 32) children->buttons |= 1u << id;
    }
    return TRUE;
}

unsigned style_of(const Children& children) {
    unsigned style = 0;
    if (children.icon) {
        if (children.icon == LoadIcon(nullptr, IDI_HAND)) style |= MB_ICONHAND;
        else if (children.icon == LoadIcon(nullptr, IDI_QUESTION)) style |= MB_ICONQUESTION;
        else if (children.icon == LoadIcon(nullptr, IDI_EXCLAMATION)) style |= MB_ICONEXCLAMATION;
        else if (children.icon == LoadIcon(nullptr, IDI_ASTERISK)) style |= MB_ICONASTERISK;
    }
    auto has = [&](int id) { return (children.buttons >> id) & 1u; };
    if (has(IDABORT)) style |= MB_ABORTRETRYIGNORE;
    else if (has(IDYES) && has(IDCANCEL)) style |= MB_YESNOCANCEL;
    else if (has(IDYES)) style |= MB_YESNO;
    else if (has(IDRETRY)) style |= MB_RETRYCANCEL;
    else if (has(IDCANCEL) && has(IDOK)) style |= MB_OKCANCEL;
    return style;
}

int answer_for(const Children& children) {
    if (wanted_answer > 0 && wanted_answer < 32 && ((children.buttons >> wanted_answer) & 1u))
        return wanted_answer;
    if ((children.buttons >> IDOK) & 1u) return IDOK;
    for (int id = 1; id < 32; ++id)
        if ((children.buttons >> id) & 1u) return id;
    return IDCANCEL;
}

std::string window_text(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Boxes already answered, so that the hook and the watchdog never answer one twice.
std::vector<HWND> answered;

void record_and_close(HWND box) {
    Lock lock;
    for (HWND done : answered)
        if (done == box && IsWindow(box)) return;
    answered.push_back(box);
    if (answered.size() > 64) answered.erase(answered.begin());
    Children children;
    EnumChildWindows(box, visit_child, reinterpret_cast<LPARAM>(&children));
    MessageBoxSeen record;
    record.owner = GetWindow(box, GW_OWNER);
    record.text = window_text(GetDlgItem(box, 0xFFFF));
    record.caption = window_text(box);
    record.style = style_of(children);
    record.answer = answer_for(children);
    // The box's own message loop picks the click up, as if the user had pressed the button.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(record.answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, record.answer)));
    seen.push_back(std::move(record));
}

// A hook procedure is called from system code, which no exception may cross.
LRESULT CALLBACK on_cbt(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        try {
            const auto box = reinterpret_cast<HWND>(wparam);
            if (is_message_box(box)) record_and_close(box);
        } catch (...) {
        }
    }
    return CallNextHookEx(hook, code, wparam, lparam);
}

BOOL CALLBACK visit_top(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && is_message_box(window)) {
        try {
            record_and_close(window);
        } catch (...) {
        }
    }
    return TRUE;
}

DWORD WINAPI watch_forever(LPVOID) {
    for (;;) {
        Sleep(250);
        EnumWindows(visit_top, 0);
    }
}

}  // namespace

bool start_message_box_watch() {
    init_guard();
    if (watchdog == nullptr) watchdog = CreateThread(nullptr, 0, watch_forever, nullptr, 0, nullptr);
    if (hook) return true;
    hook = SetWindowsHookExA(WH_CBT, on_cbt, nullptr, GetCurrentThreadId());
    return hook != nullptr;
}

void stop_message_box_watch() {
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
}

std::vector<MessageBoxSeen> message_boxes_seen() {
    init_guard();
    Lock lock;
    return seen;
}

void clear_message_boxes_seen() {
    init_guard();
    Lock lock;
    seen.clear();
}

void set_message_box_answer(int answer) {
    init_guard();
    Lock lock;
    wanted_answer = answer;
}

}  // namespace xlhost::win32

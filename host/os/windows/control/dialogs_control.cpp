// The control side of the add-in's dialogs on real Windows (platform/control/dialog_control.h). A WH_CBT hook on the thread that drives the add-in notices each form window
// as it is created and sets a thread timer; the timer fires inside the form's own modal loop,
// where the driver looks at the real windows and presses their controls, and a form still open
// when the driver returns is closed, as the stand-in does. A watchdog thread closes any form
// that stays open longer than a test could need (one the hook missed, or a stuck driver) and
// counts it among the forms left alive, so the test that caused it fails instead of hanging.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "os/windows/control/form_windows.h"
#include "platform/control/dialog_control.h"

namespace {

namespace win32 = xlhost::win32;

constexpr DWORD watchdog_limit_ms = 10000;

HHOOK hook = nullptr;
plat_control::DialogDriver driver;
std::vector<plat_control::FormView> shown;
std::vector<HWND> waiting;  // forms created whose driver has not run yet

CRITICAL_SECTION guard;  // what the watchdog thread shares
struct Watched {
    HWND form;
    DWORD since;
};
std::vector<Watched> watched;
int closed_by_watchdog = 0;
HANDLE watchdog = nullptr;

struct Lock {
    Lock() { EnterCriticalSection(&guard); }
    ~Lock() { LeaveCriticalSection(&guard); }
};

HWND as_window(plat::Form form) { return reinterpret_cast<HWND>(form); }
plat::Form as_form(HWND window) { return reinterpret_cast<plat::Form>(window); }

// VARENTIS_DIALOG_PAUSE_MS keeps each form on screen that long before it is answered, so that a
// person or a screenshot can see it (scripts/wine/screenshot-dialog.sh); at most 5 seconds.
DWORD pause_ms() {
    char value[16] = "";
    if (GetEnvironmentVariableA("VARENTIS_DIALOG_PAUSE_MS", value, sizeof value) == 0) return 0;
    const long ms = std::strtol(value, nullptr, 10);
    return ms <= 0 ? 0 : ms > 5000 ? 5000 : static_cast<DWORD>(ms);
}

// Lets the form paint and be seen, pumping its messages; a quit message is handed back.
void pause_on_screen(HWND form, DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms && win32::form_window_open(form)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Runs in the form's modal loop (the timer's message is dispatched there).
void drive(HWND form) {
    if (!win32::form_window_open(form)) return;
    if (const DWORD ms = pause_ms()) pause_on_screen(form, ms);
    shown.push_back(win32::read_form(form));
    if (driver) {
        try {
            driver(as_form(form));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "dialog driver failed: %s\n", error.what());
        } catch (...) {
            std::fprintf(stderr, "dialog driver failed\n");
        }
    }
    if (win32::form_window_open(form)) SendMessageA(form, WM_CLOSE, 0, 0);
}

void CALLBACK on_timer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    std::vector<HWND> forms;
    forms.swap(waiting);
    for (HWND form : forms) drive(form);
}

// A hook procedure is called from system code, which no exception may cross.
LRESULT CALLBACK on_cbt(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        try {
            const auto window = reinterpret_cast<HWND>(wparam);
            if (win32::is_form_window(window)) {
                waiting.push_back(window);
                // The first message the form's loop waits for; the form is shown by then.
                SetTimer(nullptr, 0, 1, on_timer);
                Lock lock;
                watched.push_back({window, GetTickCount()});
            }
        } catch (...) {
        }
    }
    return CallNextHookEx(hook, code, wparam, lparam);
}

DWORD WINAPI watch_forever(LPVOID) {
    for (;;) {
        Sleep(250);
        Lock lock;
        for (auto it = watched.begin(); it != watched.end();) {
            if (!win32::is_form_window(it->form)) {
                it = watched.erase(it);
            } else if (GetTickCount() - it->since > watchdog_limit_ms) {
                // No GetWindowText here: it would send a message to the busy thread.
                std::fprintf(stderr, "a dialog of the add-in was left open for %lu ms: closed by the watchdog\n",
                             static_cast<unsigned long>(watchdog_limit_ms));
                PostMessageA(it->form, WM_CLOSE, 0, 0);
                ++closed_by_watchdog;
                it = watched.erase(it);
            } else {
                ++it;
            }
        }
    }
}

void start_watch() {
    static const bool started = [] {
        InitializeCriticalSection(&guard);
        hook = SetWindowsHookExA(WH_CBT, on_cbt, nullptr, GetCurrentThreadId());
        watchdog = CreateThread(nullptr, 0, watch_forever, nullptr, 0, nullptr);
        return true;
    }();
    (void)started;
}

// Loading this file starts the watch on the thread that runs the program's start-up, the thread
// the add-in is driven on.
struct Watching {
    Watching() { start_watch(); }
} watching;

BOOL CALLBACK count_forms(HWND window, LPARAM parameter) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && win32::is_form_window(window)) {
        auto* forms = reinterpret_cast<std::vector<HWND>*>(parameter);
        forms->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> live_forms() {
    std::vector<HWND> forms;
    EnumWindows(count_forms, reinterpret_cast<LPARAM>(&forms));
    return forms;
}

}  // namespace

namespace plat_control {

void dialog_set_driver(DialogDriver new_driver) {
    start_watch();
    driver = std::move(new_driver);
}

FormView form_view(plat::Form form) { return win32::read_form(as_window(form)); }

bool form_click(plat::Form form, const std::string& control) {
    return win32::click_control(as_window(form), control);
}

bool form_type(plat::Form form, const std::string& control, const std::string& text) {
    return win32::type_into(as_window(form), control, text);
}

bool form_open(plat::Form form) { return win32::form_window_open(as_window(form)); }

const std::vector<FormView>& shown_forms() { return shown; }
void shown_forms_clear() { shown.clear(); }

// Forms whose windows still exist, and forms that only the watchdog could close. A form that was
// created and never shown has no window and cannot be seen from here.
int forms_alive() {
    start_watch();
    Lock lock;
    return static_cast<int>(live_forms().size()) + closed_by_watchdog;
}

void dialogs_reset() {
    start_watch();
    driver = nullptr;
    shown.clear();
    for (HWND form : live_forms()) PostMessageA(form, WM_CLOSE, 0, 0);
    Lock lock;
    closed_by_watchdog = 0;
}

}  // namespace plat_control

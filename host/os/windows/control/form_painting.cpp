#include "os/windows/control/form_painting.h"

namespace xlhost::win32 {
namespace {

uint32_t colour_of(HBRUSH brush) {
    LOGBRUSH logical{};
    if (brush == nullptr || GetObjectA(brush, sizeof logical, &logical) == 0 || logical.lbStyle != BS_SOLID)
        return plat::color_default;
    return static_cast<uint32_t>(logical.lbColor);
}

// What `answer` leaves on a fresh memory device context: the text colour it sets and the colour
// of the brush it returns.
template <typename Answer>
Colours answered(Answer answer) {
    Colours colours;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return colours;
    const auto brush = reinterpret_cast<HBRUSH>(answer(dc));
    colours.text = static_cast<uint32_t>(GetTextColor(dc));
    colours.background = colour_of(brush);
    DeleteDC(dc);
    return colours;
}

}  // namespace

Colours colours_of(HWND control, plat::ControlKind kind, bool read_only) {
    // The message the control itself sends: static controls, check boxes and text boxes that
    // cannot be typed into ask for static colours.
    UINT message = WM_CTLCOLORSTATIC;
    if (kind == plat::ControlKind::button) message = WM_CTLCOLORBTN;
    if ((kind == plat::ControlKind::edit || kind == plat::ControlKind::memo) && !read_only &&
        IsWindowEnabled(control))
        message = WM_CTLCOLOREDIT;
    const HWND parent = GetParent(control);
    const auto control_parameter = reinterpret_cast<LPARAM>(control);
    const Colours given = answered([&](HDC dc) {
        return SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc), control_parameter);
    });
    const Colours system = answered([&](HDC dc) {
        return DefWindowProcA(parent, message, reinterpret_cast<WPARAM>(dc), control_parameter);
    });
    Colours colours;
    if (given.text != system.text) colours.text = given.text;
    if (given.background != system.background) colours.background = given.background;
    return colours;
}

uint32_t background_painted_by(HWND panel) {
    uint32_t colour = plat::color_default;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
    if (dc != nullptr && pixel != nullptr) {
        const HGDIOBJ before = SelectObject(dc, pixel);
        if (SendMessageA(panel, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0) {
            const COLORREF painted = GetPixel(dc, 0, 0);
            if (painted != CLR_INVALID && painted != GetSysColor(COLOR_BTNFACE))
                colour = static_cast<uint32_t>(painted);
        }
        SelectObject(dc, before);
    }
    if (pixel != nullptr) DeleteObject(pixel);
    if (dc != nullptr) DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

void measure_label(HWND label, const std::string& text, bool wraps, int* width, int* height) {
    *width = 0;
    *height = 0;
    if (text.empty()) return;
    HDC dc = GetDC(label);
    if (dc == nullptr) return;
    const auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
    const HGDIOBJ before = font != nullptr ? SelectObject(dc, font) : nullptr;
    RECT client{};
    GetClientRect(label, &client);
    // The flags a static control draws a left-aligned text with.
    RECT room{0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), -1, &room, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : 0));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    *width = room.right - room.left;
    *height = room.bottom - room.top - metrics.tmDescent;
    if (before != nullptr) SelectObject(dc, before);
    ReleaseDC(label, dc);
}

}  // namespace xlhost::win32

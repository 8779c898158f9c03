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

namespace {

// The lowest row, counted from 1, that holds ink of `text` drawn in `font` at `width` with the
// static control's flags: the text drawn black on white into a bitmap tall enough for all its
// lines and one more, whatever the font's cell leaves empty below its baseline.
int ink_bottom(HDC reference, HFONT font, const std::string& text, int width, int lines_height, UINT flags) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(reference, &metrics);
    const int height = lines_height + metrics.tmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(reference);
    HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    int bottom = 0;
    if (dc != nullptr && bitmap != nullptr && bits != nullptr) {
        const HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
        const HGDIOBJ old_font = font != nullptr ? SelectObject(dc, font) : nullptr;
        RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text.c_str(), -1, &all, flags);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        for (int row = height - 1; row >= 0 && bottom == 0; --row)
            for (int column = 0; column < width; ++column)
                if ((pixels[row * width + column] & 0x00FFFFFFu) != 0x00FFFFFFu) {
                    bottom = row + 1;
                    break;
                }
        if (old_font != nullptr) SelectObject(dc, old_font);
        SelectObject(dc, old_bitmap);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (dc != nullptr) DeleteDC(dc);
    return bottom;
}

}  // namespace

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
    const UINT flags = DT_LEFT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : 0);
    RECT room{0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), -1, &room, DT_CALCRECT | flags);
    *width = room.right - room.left;
    // Down to the last inked row: a descender cut by the box shows here, where the lines' own
    // height would hide it (and the empty rows of a font's cell would count for nothing).
    if (client.right > 0) *height = ink_bottom(dc, font, text, client.right, room.bottom, flags);
    if (before != nullptr) SelectObject(dc, before);
    ReleaseDC(label, dc);
}

int edge_pixels_covered(HWND form, HWND control) {
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&area), 2);
    // The form's client area as shown, its children included: no clipping asked for.
    HDC dc = GetDCEx(form, nullptr, DCX_CACHE);
    if (dc == nullptr) return 0;
    const COLORREF edge = GetPixel(dc, area.left, (area.top + area.bottom) / 2);
    int covered = 0;
    for (int x = area.left + 1; x < area.right - 1; ++x)
        if (GetPixel(dc, x, area.top) != edge) ++covered;
    ReleaseDC(form, dc);
    return covered;
}

}  // namespace xlhost::win32

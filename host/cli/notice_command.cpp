#include "cli/notice_command.h"

#include <cstdio>

namespace xlhost::cli {
namespace {

// The export takes no arguments, so its 32-bit __stdcall and cdecl calls are the same.
#ifdef _WIN32
using CarregaInstalador = bool(__stdcall*)();
#else
using CarregaInstalador = bool (*)();
#endif

const char* kind_name(plat::ControlKind kind) {
    switch (kind) {
        case plat::ControlKind::label: return "label";
        case plat::ControlKind::edit: return "text field";
        case plat::ControlKind::check_box: return "check box";
        case plat::ControlKind::button: return "button";
        case plat::ControlKind::panel: return "panel";
        case plat::ControlKind::picture: return "picture";
        case plat::ControlKind::memo: return "multi-line text";
    }
    return "control";
}

std::string colour(uint32_t bgr) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(bgr & 0xFF),
                  static_cast<unsigned>((bgr >> 8) & 0xFF), static_cast<unsigned>((bgr >> 16) & 0xFF));
    return text;
}

std::string font_text(const plat_control::FontView& font) {
    std::string text = font.name + " " + std::to_string(font.height) + " px";
    if (font.bold) text += " bold";
    if (font.color != plat::color_default) text += " " + colour(font.color);
    return text;
}

// The lines of a multi-line text, split at its line breaks.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

}  // namespace

std::string form_text(const plat_control::FormView& form) {
    std::string out = utf8(form.caption) + "\n";
    out += "form: " + std::to_string(form.client_width) + " x " + std::to_string(form.client_height) +
           (form.frame == plat::FrameStyle::dialog ? ", dialog frame" : ", tool window frame") +
           ", font " + font_text(form.font) + (form.owner == nullptr ? ", no owner" : ", owned") + "\n";
    for (const plat_control::ControlView& c : form.controls) {
        std::string line = c.name + ": " + kind_name(c.kind);
        if (c.options & plat::control_word_wrap) line += ", word-wrapped";
        if (c.options & plat::control_vertical_scroll) line += ", vertical scroll bar";
        if (c.options & plat::control_read_only) line += ", read-only";
        if (c.parent >= 0 && c.parent < static_cast<int>(form.controls.size()))
            line += ", in " + form.controls[static_cast<size_t>(c.parent)].name;
        line += ", at " + std::to_string(c.left) + "," + std::to_string(c.top) + ", " + std::to_string(c.width) +
                " x " + std::to_string(c.height);
        if (c.color != plat::color_default) line += ", colour " + colour(c.color);
        if (c.kind != plat::ControlKind::panel && c.kind != plat::ControlKind::picture)
            line += ", font " + font_text(c.font);
        if (c.tab_order >= 0) line += ", tab " + std::to_string(c.tab_order);
        if (!c.enabled) line += ", disabled";
        if (c.kind == plat::ControlKind::memo) {
            out += line + ":\n";
            for (const std::string& text : lines_of(c.text)) out += "  | " + utf8(text) + "\n";
        } else {
            out += line + (c.text.empty() ? "" : ": " + utf8(c.text)) + "\n";
        }
    }
    for (const plat_control::ControlView& c : form.controls) {
        if (c.kind != plat::ControlKind::picture) continue;
        const std::string shown = "shown at " + std::to_string(c.width) + " x " + std::to_string(c.height);
        if (c.picture_width == 0)
            out += c.name + ": no picture, " + shown + "\n";
        else
            out += c.name + ": " + std::to_string(c.picture_width) + " x " + std::to_string(c.picture_height) +
                   ", " + std::to_string(c.picture_components) + " components, " + shown + "\n";
    }
    return out;
}

bool run_notice_command(Host& host, std::string& out, std::string* error) {
    const auto entry = reinterpret_cast<CarregaInstalador>(host.procedure("_carrega_instalador"));
    if (entry == nullptr) {
        *error = "the add-in has no export _carrega_instalador";
        return false;
    }
    host.answer_dialogs({"b_ok"});
    plat_control::shown_forms_clear();
    entry();
    const std::vector<plat_control::FormView> shown = plat_control::shown_forms();
    if (shown.empty()) {
        *error = "the add-in showed no dialog";
        return false;
    }
    for (const plat_control::FormView& form : shown) out += form_text(form);
    return true;
}

}  // namespace xlhost::cli

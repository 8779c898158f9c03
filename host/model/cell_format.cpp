#include "model/cell_format.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "model/dates.h"

namespace xlhost {

namespace {

const uint32_t palette[palette_size] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  // 1-8
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  // 9-16
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  // 17-24
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  // 25-32
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  // 33-40
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  // 41-48
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,  // 49-56
};

template <typename T>
void take(std::optional<T>& into, const std::optional<T>& from) {
    if (from) into = from;
}

bool covers(const Range& r, int row, int column) {
    return row >= r.first_row && row <= r.last_row && column >= r.first_column && column <= r.last_column;
}

std::string lower(const std::string& text) {
    std::string out = text;
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

uint32_t palette_rgb(int index) { return index >= 1 && index <= palette_size ? palette[index - 1] : 0x000000; }

void FontLook::apply(const FontLook& o) {
    take(name, o.name);
    take(bold, o.bold);
    take(italic, o.italic);
    take(size, o.size);
    take(underline, o.underline);
    take(strikethrough, o.strikethrough);
    take(superscript, o.superscript);
    take(subscript, o.subscript);
    take(outline, o.outline);
    take(shadow, o.shadow);
    take(colour, o.colour);
}

void CellLook::apply(const CellLook& o) {
    take(number_format, o.number_format);
    take(horizontal, o.horizontal);
    take(vertical, o.vertical);
    take(wrap, o.wrap);
    take(orientation, o.orientation);
    font.apply(o.font);
    take(pattern, o.pattern);
    take(pattern_fore, o.pattern_fore);
    take(pattern_back, o.pattern_back);
    take(left, o.left);
    take(right, o.right);
    take(top, o.top);
    take(bottom, o.bottom);
    take(shade, o.shade);
}

bool ResolvedLook::operator==(const ResolvedLook& o) const {
    return number_format == o.number_format && horizontal == o.horizontal && vertical == o.vertical &&
           orientation == o.orientation && wrap == o.wrap && font_name == o.font_name && bold == o.bold &&
           italic == o.italic && strikethrough == o.strikethrough && font_size == o.font_size &&
           underline == o.underline && font_colour == o.font_colour && pattern == o.pattern &&
           pattern_fore == o.pattern_fore && pattern_back == o.pattern_back && left == o.left && right == o.right &&
           top == o.top && bottom == o.bottom;
}

ResolvedLook resolve(const CellLook& look) {
    ResolvedLook r;
    if (look.number_format) r.number_format = *look.number_format;
    if (look.horizontal) r.horizontal = *look.horizontal;
    if (look.vertical) r.vertical = *look.vertical;
    if (look.orientation) r.orientation = *look.orientation;
    if (look.wrap) r.wrap = *look.wrap;
    if (look.font.name) r.font_name = *look.font.name;
    if (look.font.bold) r.bold = *look.font.bold;
    if (look.font.italic) r.italic = *look.font.italic;
    if (look.font.strikethrough) r.strikethrough = *look.font.strikethrough;
    if (look.font.size) r.font_size = *look.font.size;
    if (look.font.underline) r.underline = *look.font.underline;
    if (look.font.colour) r.font_colour = *look.font.colour;
    if (look.pattern) r.pattern = *look.pattern;
    if (look.pattern_fore) r.pattern_fore = *look.pattern_fore;
    if (look.pattern_back) r.pattern_back = *look.pattern_back;
    if (look.left) r.left = *look.left;
    if (look.right) r.right = *look.right;
    if (look.top) r.top = *look.top;
    if (look.bottom) r.bottom = *look.bottom;
    return r;
}

void CellFormats::apply(const Range& range, const CellLook& look) { layers_.push_back({range, look, false}); }

void CellFormats::clear(const Range& range) { layers_.push_back({range, CellLook{}, true}); }

CellLook CellFormats::look_at(int row, int column) const {
    CellLook look;
    for (const auto& layer : layers_) {
        if (!covers(layer.range, row, column)) continue;
        if (layer.reset) look = CellLook{};
        else look.apply(layer.look);
    }
    return look;
}

bool parse_font_style(const std::string& name, bool* bold, bool* italic) {
    struct Style {
        const char* name;
        bool bold, italic;
    };
    static const Style styles[] = {
        {"regular", false, false}, {"normal", false, false},       {"bold", true, false},
        {"negrito", true, false},  {"italic", false, true},        {"it\xe1lico", false, true},
        {"bold italic", true, true}, {"negrito it\xe1lico", true, true},
    };
    const std::string wanted = lower(name);
    for (const auto& style : styles) {
        if (wanted != style.name) continue;
        *bold = style.bold;
        *italic = style.italic;
        return true;
    }
    return false;
}

bool valid_number_format(const std::string& format) {
    if (format.empty() || format.size() > 255) return false;
    int sections = 1;
    bool quoted = false, bracket = false;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quoted) {
            if (c == '"') quoted = false;
            continue;
        }
        if (bracket) {
            if (c == ']') bracket = false;
            continue;
        }
        switch (c) {
            case '"': quoted = true; break;
            case '[': bracket = true; break;
            case ']': return false;
            case ';': ++sections; break;
            case '\\':
            case '_':
            case '*':
                if (i + 1 >= format.size()) return false;
                ++i;
                break;
            default: break;
        }
    }
    return !quoted && !bracket && sections <= 4;
}

std::string format_number(double value, const std::string& format) {
    if (!std::isfinite(value)) return "#NUM!";
    // Every date format is shown as yyyy-mm-dd: as wide as the usual ones.
    if (is_date_format(format))
        if (const auto date = iso_date_text(value)) return *date;
    std::string section = format.substr(0, format.find(';'));
    if (lower(section) == "general" || section.empty()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.10g", value);
        return buffer;
    }
    const bool percent = section.find('%') != std::string::npos;
    const bool grouped = section.find(',') != std::string::npos;
    const auto point = section.find('.');
    int decimals = 0;
    if (point != std::string::npos)
        for (size_t i = point + 1; i < section.size() && (section[i] == '0' || section[i] == '#'); ++i) ++decimals;
    const double shown = percent ? value * 100 : value;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, shown);
    std::string text = buffer;
    if (grouped) {
        const auto sign = text[0] == '-' ? 1u : 0u;
        auto integer_end = text.find('.');
        if (integer_end == std::string::npos) integer_end = text.size();
        for (auto at = integer_end; at > sign + 3; at -= 3) text.insert(at - 3, ",");
    }
    return percent ? text + "%" : text;
}

}  // namespace xlhost

// Excel's menu bars: the menus a fresh Excel shows on its worksheet menu bar, in its language,
// and the matching rules by which menus and items are named.
#include "model/menu_bar.h"

#include <array>

namespace xlhost {
namespace {

// The worksheet menu bar of Excel in English and in Portuguese (Brazil), left to right.
constexpr std::array<const char*, 9> built_in_en = {
    "&File", "&Edit", "&View", "&Insert", "F&ormat", "&Tools", "&Data", "&Window", "&Help",
};
// cp1252 bytes: "E&xibir", "Ferramen&tas" and "Aj&uda" need none beyond ASCII.
constexpr std::array<const char*, 9> built_in_pt = {
    "&Arquivo", "&Editar", "E&xibir", "&Inserir", "F&ormatar", "Ferramen&tas", "&Dados", "&Janela", "Aj&uda",
};

// Lower case in the Windows Latin-1 code page: ASCII, the accented capitals 0xC0-0xDE (but the
// multiplication sign 0xD7), and the four capitals of 0x80-0x9F.
unsigned char fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

}  // namespace

std::string menu_label(const std::string& name) {
    std::string label;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '&') {
            label += name[i];
        } else if (i + 1 < name.size() && name[i + 1] == '&') {
            label += '&';
            ++i;
        }
    }
    return label;
}

bool same_menu_name(const std::string& a, const std::string& b) {
    const std::string x = menu_label(a), y = menu_label(b);
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (fold(static_cast<unsigned char>(x[i])) != fold(static_cast<unsigned char>(y[i]))) return false;
    return true;
}

int find_menu_item(const std::vector<MenuItem>& items, const std::string& name) {
    for (size_t i = 0; i < items.size(); ++i)
        if (!items[i].separator() && same_menu_name(items[i].name, name)) return static_cast<int>(i);
    return -1;
}

MenuBars::MenuBars(const std::string& excel_language) { reset(excel_language); }

void MenuBars::reset(const std::string& excel_language) {
    bars_.clear();
    MenuBar worksheet;
    worksheet.id = worksheet_menu_bar;
    const auto& names = excel_language == "pt" ? built_in_pt : built_in_en;
    for (const char* name : names) {
        MenuItem menu;
        menu.name = name;
        menu.built_in = true;
        worksheet.menus.push_back(menu);
    }
    bars_.push_back(worksheet);
}

MenuBar* MenuBars::bar(int id) {
    for (auto& bar : bars_)
        if (bar.id == id) return &bar;
    return nullptr;
}

const MenuBar* MenuBars::bar(int id) const {
    for (const auto& bar : bars_)
        if (bar.id == id) return &bar;
    return nullptr;
}

}  // namespace xlhost

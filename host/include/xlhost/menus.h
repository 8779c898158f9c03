// Excel's menu bars as the host keeps them, and what a user does with them: look at a bar,
// pick an item. Texts are cp1252, with the "&" before each access letter as the add-in wrote it.
#pragma once

#include <string>
#include <vector>

namespace xlhost {

// A menu on a bar, an item of a menu, or a submenu (an item with items of its own).
struct MenuItem {
    std::string name;         // "-" is a separator line
    std::string macro;        // the command macro an item runs; separators carry " "
    std::string shortcut;
    std::string status_text;  // what the status bar shows while the item is highlighted
    std::string help_topic;
    bool checked = false;     // a check mark before the name
    bool built_in = false;    // one of Excel's own menus
    std::vector<MenuItem> items;

    bool separator() const { return name == "-"; }
};

struct MenuBar {
    int id = 0;
    std::vector<MenuItem> menus;
};

// Excel's number of the worksheet menu bar.
constexpr int worksheet_menu_bar = 10;

// What picking an item did.
struct PickResult {
    enum class Outcome {
        ran,        // the item's macro ran
        nothing,    // a separator, or an item without a macro: nothing runs
        not_found,  // no such menu or item (`error` says which)
        submenu,    // the item opens a submenu: an item of it must be named
        no_macro,   // the macro names no registered command: Excel says it cannot be found
    };
    Outcome outcome = Outcome::not_found;
    std::string macro;
    std::string error;
};

// Menu and item names as Excel compares them: without the "&" access marks, ignoring case
// (letters of the Windows Latin-1 code page included).
bool same_menu_name(const std::string& a, const std::string& b);
// A name as the user reads it: the "&" marks taken out ("&&" stands for one "&").
std::string menu_label(const std::string& name);

class Host;
// True while a command of that macro name is registered (the name compared without case).
bool has_command(const Host& host, const std::string& macro_name);

// The bar as a tree, one line per menu and item, indented by level, check marks shown, the
// access letters left as "&"; UTF-8.
std::string menu_tree(const MenuBar& bar);

}  // namespace xlhost

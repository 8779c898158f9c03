// The user at the menu bar: looking at it, and picking an item, which runs the item's macro by
// finding the registered command of that name, as Excel does.
#include <cctype>

#include "capi/registered_procedures.h"
#include "engine/host_impl.h"
#include "model/menu_bar.h"

namespace xlhost {
namespace {

bool all_digits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// By name first; a number that names nothing is a position from 1 (separators counted).
const MenuItem* choose(const std::vector<MenuItem>& items, const std::string& wanted) {
    const int found = find_menu_item(items, wanted);
    if (found >= 0) return &items[static_cast<size_t>(found)];
    if (!all_digits(wanted) || wanted.size() > 4) return nullptr;
    const size_t position = std::stoul(wanted);
    if (position < 1 || position > items.size()) return nullptr;
    return &items[position - 1];
}

bool runs_nothing(const std::string& macro) { return macro.find_first_not_of(' ') == std::string::npos; }

void tree_lines(const std::vector<MenuItem>& items, int level, std::string& out) {
    for (const MenuItem& item : items) {
        out += std::string(static_cast<size_t>(level) * 2, ' ');
        if (item.separator()) {
            out += "  ----\n";
            continue;
        }
        out += item.checked ? "\xE2\x9C\x93 " : "  ";  // a check mark
        out += utf8(item.name);
        if (!item.items.empty()) out += " \xE2\x96\xB8";  // opens a submenu
        if (!runs_nothing(item.macro)) out += "  [" + utf8(item.macro) + "]";
        out += "\n";
        tree_lines(item.items, level + 1, out);
    }
}

}  // namespace

std::string menu_tree(const MenuBar& bar) {
    std::string out;
    for (const MenuItem& menu : bar.menus) {
        out += utf8(menu.name) + "\n";
        tree_lines(menu.items, 0, out);
    }
    return out;
}

bool has_command(const Host& host, const std::string& macro_name) {
    for (const Registration& entry : host.registrations())
        if (entry.macro_type == 2 && entry.name_defined && entry.use_count > 0 &&
            same_text_nocase(entry.function_text, macro_name))
            return true;
    return false;
}

const MenuBar& Host::menu_bar() const { return *impl_->engine.session.menus.bar(worksheet_menu_bar); }

PickResult Host::pick(const std::vector<std::string>& path) {
    PickResult outcome;
    if (path.size() < 2 || path.size() > 3) {
        outcome.error = "a pick names a menu, an item, and for a submenu one of its items";
        return outcome;
    }
    const MenuBar& bar = menu_bar();
    const MenuItem* menu = choose(bar.menus, path[0]);
    if (menu == nullptr) {
        outcome.error = "no menu " + path[0] + " on the menu bar";
        return outcome;
    }
    const MenuItem* item = choose(menu->items, path[1]);
    if (item == nullptr) {
        outcome.error = "no item " + path[1] + " in the menu " + menu->name;
        return outcome;
    }
    if (path.size() == 3) {
        if (item->items.empty()) {
            outcome.error = item->name + " is not a submenu";
            return outcome;
        }
        const MenuItem* sub = choose(item->items, path[2]);
        if (sub == nullptr) {
            outcome.error = "no item " + path[2] + " in the submenu " + item->name;
            return outcome;
        }
        item = sub;
    } else if (!item->items.empty()) {
        outcome.outcome = PickResult::Outcome::submenu;
        outcome.error = item->name + " opens a submenu: name one of its items";
        return outcome;
    }
    outcome.macro = item->macro;
    if (item->separator() || runs_nothing(item->macro)) {
        outcome.outcome = PickResult::Outcome::nothing;
        return outcome;
    }
    if (!has_command(*this, item->macro)) {
        outcome.outcome = PickResult::Outcome::no_macro;
        outcome.error = "The macro '" + item->macro + "' cannot be found.";
        return outcome;
    }
    // The command runs; what it answers Excel does not show.
    run_macro(item->macro);
    outcome.outcome = PickResult::Outcome::ran;
    return outcome;
}

}  // namespace xlhost

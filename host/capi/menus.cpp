// GET.BAR, ADD.MENU, DELETE.MENU and CHECK.COMMAND: the menu bars. Like Excel, a request that
// names a bar, menu or item that does not exist answers an error value with a successful return
// code (#N/A from GET.BAR, #VALUE! from the others); the reason goes into the call log's note.
#include "capi/conversion.h"
#include "capi/dispatch.h"
#include "capi/xloper_values.h"
#include "model/menu_bar.h"

namespace xlhost::capi {
namespace {

void answer(XLOPER* result, const Value& value, Session& session) {
    if (result != nullptr) write_value(value, result, session.memory, Owner::addin);
}

int refuse(Session& session, XLOPER* result, const std::string& why, int error = xlerrValue) {
    session.calls_note = why;
    answer(result, Value::err(error), session);
    return xlretSuccess;
}

Value read(XLOPER* x, Session& session) {
    Value value;
    read_xloper(x, session, &value, nullptr);
    if (value.kind == Value::Kind::reference) {
        Target target;
        if (reference_target(*x, session, &target, nullptr)) value = target_value(target);
    }
    return value;
}

bool omitted(const Value& value) { return value.kind == Value::Kind::missing || value.kind == Value::Kind::nil; }

// A menu or an item named by text (Excel's matching rules) or by its position from 1.
struct Selector {
    bool by_name = false;
    std::string name;
    long long position = 0;
};

bool selector_of(const Value& value, Selector* out) {
    if (value.kind == Value::Kind::text) {
        out->by_name = true;
        out->name = value.text;
        return true;
    }
    if (value.kind != Value::Kind::number && value.kind != Value::Kind::integer) return false;
    const auto whole = to_integer(value.number, 0, 32767);
    if (!whole) return false;
    out->by_name = false;
    out->position = *whole;
    return true;
}

// Index (from 0) of the selected entry, or -1. A position counts separators too; a name never
// matches a separator.
int locate(const std::vector<MenuItem>& items, const Selector& selector) {
    if (selector.by_name) return find_menu_item(items, selector.name);
    if (selector.position < 1 || selector.position > static_cast<long long>(items.size())) return -1;
    return static_cast<int>(selector.position - 1);
}

std::string told(const Selector& selector) {
    return selector.by_name ? "\"" + selector.name + "\"" : std::to_string(selector.position);
}

MenuBar* bar_of(XLOPER* x, Session& session) {
    const Value value = read(x, session);
    if (value.kind != Value::Kind::number && value.kind != Value::Kind::integer) return nullptr;
    const auto id = to_integer(value.number, 1, 32767);
    return id ? session.menus.bar(static_cast<int>(*id)) : nullptr;
}

// The rows of a menu definition: column 1 name, 2 macro, 3 shortcut, 4 status-bar text, 5 help.
bool read_definition(const Value& definition, MenuItem* out, std::string* why) {
    const Value table = definition.kind == Value::Kind::array ? definition : Value::array(1, 1, {definition});
    if (table.rows < 1 || table.columns < 1 || table.columns > 5) {
        *why = "the menu definition is not a table of 1 to 5 columns";
        return false;
    }
    std::vector<MenuItem> rows;
    for (int r = 0; r < table.rows; ++r) {
        std::string field[5];
        for (int c = 0; c < table.columns; ++c) {
            const Value& cell = table.items[static_cast<size_t>(r * table.columns + c)];
            if (omitted(cell)) continue;
            if (cell.kind != Value::Kind::text) {
                *why = "row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) + " of the menu definition is not a text";
                return false;
            }
            field[c] = cell.text;
        }
        if (menu_label(field[0]).empty()) {
            *why = "row " + std::to_string(r + 1) + " of the menu definition has no name";
            return false;
        }
        MenuItem item;
        item.name = field[0];
        item.macro = field[1];
        item.shortcut = field[2];
        item.status_text = field[3];
        item.help_topic = field[4];
        rows.push_back(item);
    }
    MenuItem menu = rows.front();
    menu.macro.clear();  // the first row names the menu; it runs nothing
    menu.items.assign(rows.begin() + 1, rows.end());
    *out = menu;
    return true;
}

// Puts `menu` into `where` before the entry at `before` (size() for the end), unless an entry
// of that name is there already: Excel keeps one menu of a name, and answers its position.
double place(std::vector<MenuItem>& where, const MenuItem& menu, size_t before) {
    const int existing = find_menu_item(where, menu.name);
    if (existing >= 0) return existing + 1;
    where.insert(where.begin() + static_cast<long>(before), menu);
    return static_cast<double>(before + 1);
}

// Where a new entry goes among `items`: before the named entry or at the position (1 to one
// past the last); omitted, at the end. False when the name or the position does not exist.
bool insertion_point(const std::vector<MenuItem>& items, const Value& position, size_t* out) {
    if (omitted(position)) {
        *out = items.size();
        return true;
    }
    Selector selector;
    if (!selector_of(position, &selector)) return false;
    if (!selector.by_name && selector.position == static_cast<long long>(items.size()) + 1) {
        *out = items.size();
        return true;
    }
    const int found = locate(items, selector);
    if (found < 0) return false;
    *out = static_cast<size_t>(found);
    return true;
}

}  // namespace

// GET.BAR(): the active bar. GET.BAR(bar, menu, command[, subcommand]): the position of the
// entry named by text, or the name of the entry given by position; command 0 means the menu.
int get_bar(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    if (count == 0) {
        answer(result, Value::num(worksheet_menu_bar), session);
        return xlretSuccess;
    }
    if (count < 3) return refuse(session, result, "GET.BAR takes no arguments, or a bar, a menu and a command");
    MenuBar* bar = bar_of(arguments[0], session);
    if (bar == nullptr) return refuse(session, result, "no such menu bar");
    Selector menu, command, subcommand;
    if (!selector_of(read(arguments[1], session), &menu)) return refuse(session, result, "the menu is not a text or a number");
    if (!selector_of(read(arguments[2], session), &command))
        return refuse(session, result, "the command is not a text or a number");
    const bool has_sub = count > 3 && !omitted(read(arguments[3], session));
    if (has_sub && !selector_of(read(arguments[3], session), &subcommand))
        return refuse(session, result, "the subcommand is not a text or a number");

    const int m = locate(bar->menus, menu);
    if (m < 0) return refuse(session, result, "no menu " + told(menu) + " on the bar", xlerrNA);
    const MenuItem* found = &bar->menus[static_cast<size_t>(m)];
    int index = m;
    Selector asked = menu;
    const bool whole_menu = !command.by_name && command.position == 0;
    if (!whole_menu) {
        index = locate(found->items, command);
        if (index < 0) return refuse(session, result, "no item " + told(command) + " in the menu", xlerrNA);
        found = &found->items[static_cast<size_t>(index)];
        asked = command;
        if (has_sub) {
            index = locate(found->items, subcommand);
            if (index < 0) return refuse(session, result, "no item " + told(subcommand) + " in the submenu", xlerrNA);
            found = &found->items[static_cast<size_t>(index)];
            asked = subcommand;
        }
    }
    answer(result, asked.by_name ? Value::num(index + 1) : Value::str(found->name), session);
    return xlretSuccess;
}

// ADD.MENU(bar, definition[, position1[, position2]]): with position2 a submenu, placed into
// the menu position1 before the item position2; otherwise a menu placed on the bar before the
// menu position1 (at the end when it is omitted). Answers the new entry's position.
int add_menu(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    MenuBar* bar = bar_of(arguments[0], session);
    if (bar == nullptr) return refuse(session, result, "no such menu bar");
    MenuItem menu;
    std::string why;
    if (!read_definition(read(arguments[1], session), &menu, &why)) return refuse(session, result, why);
    const Value position1 = count > 2 ? read(arguments[2], session) : Value::missing_value();
    const Value position2 = count > 3 ? read(arguments[3], session) : Value::missing_value();

    if (omitted(position2)) {
        size_t before = 0;
        if (!insertion_point(bar->menus, position1, &before))
            return refuse(session, result, "no menu " + display(position1) + " on the bar to place the menu before");
        answer(result, Value::num(place(bar->menus, menu, before)), session);
        return xlretSuccess;
    }
    Selector target;
    if (!selector_of(position1, &target)) return refuse(session, result, "the menu for the submenu is not a text or a number");
    const int m = locate(bar->menus, target);
    if (m < 0) return refuse(session, result, "no menu " + told(target) + " on the bar to put the submenu in");
    std::vector<MenuItem>& items = bar->menus[static_cast<size_t>(m)].items;
    size_t before = 0;
    if (!insertion_point(items, position2, &before))
        return refuse(session, result, "no position " + display(position2) + " in the menu " + told(target));
    answer(result, Value::num(place(items, menu, before)), session);
    return xlretSuccess;
}

// DELETE.MENU(bar, menu[, submenu]): removes a menu with everything in it, or a submenu of it.
int delete_menu(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    MenuBar* bar = bar_of(arguments[0], session);
    if (bar == nullptr) return refuse(session, result, "no such menu bar");
    Selector menu;
    if (!selector_of(read(arguments[1], session), &menu)) return refuse(session, result, "the menu is not a text or a number");
    const int m = locate(bar->menus, menu);
    if (m < 0) return refuse(session, result, "no menu " + told(menu) + " on the bar");
    const Value sub = count > 2 ? read(arguments[2], session) : Value::missing_value();
    if (omitted(sub)) {
        bar->menus.erase(bar->menus.begin() + m);
    } else {
        Selector submenu;
        std::vector<MenuItem>& items = bar->menus[static_cast<size_t>(m)].items;
        if (!selector_of(sub, &submenu)) return refuse(session, result, "the submenu is not a text or a number");
        const int s = locate(items, submenu);
        if (s < 0 || items[static_cast<size_t>(s)].items.empty())
            return refuse(session, result, "no submenu " + told(submenu) + " in the menu");
        items.erase(items.begin() + s);
    }
    answer(result, Value::boolean_value(true), session);
    return xlretSuccess;
}

// CHECK.COMMAND(bar, menu, command, check[, position2]): puts or takes away the check mark of
// an item; with position2, of that item of the submenu `command`.
int check_command(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    MenuBar* bar = bar_of(arguments[0], session);
    if (bar == nullptr) return refuse(session, result, "no such menu bar");
    Selector menu, command, sub;
    if (!selector_of(read(arguments[1], session), &menu)) return refuse(session, result, "the menu is not a text or a number");
    if (!selector_of(read(arguments[2], session), &command))
        return refuse(session, result, "the command is not a text or a number");
    const Value mark = read(arguments[3], session);
    const auto check = mark.kind == Value::Kind::error || mark.kind == Value::Kind::text ? std::nullopt : to_boolean(mark);
    if (!check) return refuse(session, result, "the check is not a logical value");
    const Value position2 = count > 4 ? read(arguments[4], session) : Value::missing_value();
    const bool in_submenu = !omitted(position2);
    if (in_submenu && !selector_of(position2, &sub)) return refuse(session, result, "the submenu item is not a text or a number");

    const int m = locate(bar->menus, menu);
    if (m < 0) return refuse(session, result, "no menu " + told(menu) + " on the bar");
    std::vector<MenuItem>* items = &bar->menus[static_cast<size_t>(m)].items;
    int c = locate(*items, command);
    if (c < 0) return refuse(session, result, "no item " + told(command) + " in the menu");
    if (in_submenu) {
        items = &(*items)[static_cast<size_t>(c)].items;
        c = locate(*items, sub);
        if (c < 0) return refuse(session, result, "no item " + told(sub) + " in the submenu " + told(command));
    }
    (*items)[static_cast<size_t>(c)].checked = *check;
    answer(result, Value::boolean_value(true), session);
    return xlretSuccess;
}

}  // namespace xlhost::capi

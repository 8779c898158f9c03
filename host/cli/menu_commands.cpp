#include "cli/menu_commands.h"

namespace xlhost::cli {
namespace {

std::string alert_kind(int type) {
    switch (type) {
        case 1: return "confirmation";
        case 2: return "information";
        case 3: return "error";
        default: return "alert " + std::to_string(type);
    }
}

std::string icon_name(unsigned style) {
    switch (style & 0xF0) {
        case 0x10: return "error";
        case 0x20: return "question";
        case 0x30: return "warning";
        case 0x40: return "information";
        default: return "message";
    }
}

std::vector<std::string> in_cp1252(const std::vector<std::string>& operands) {
    std::vector<std::string> converted;
    for (const auto& operand : operands) converted.push_back(cp1252(operand));
    return converted;
}

}  // namespace

std::string message_box_lines(const ShownMessageBox& box) {
    return "[" + icon_name(box.style) + ": " + utf8(box.caption) + "]\n" + utf8(box.text) + "\n";
}

// An alert as "[kind]" then its text; a message box as "[icon: caption]" then its text.
void print_what_the_user_saw(const Host& host, std::string& out) {
    const std::vector<ShownMessageBox> boxes = host.message_boxes();
    size_t next_box = 0;
    auto print_boxes_until = [&](size_t end) {
        for (; next_box < end && next_box < boxes.size(); ++next_box) {
            out += message_box_lines(boxes[next_box]);
        }
    };
    for (const Alert& alert : host.alerts()) {
        print_boxes_until(alert.message_boxes_before);
        out += "[" + alert_kind(alert.type) + "]\n" + utf8(alert.text) + "\n";
    }
    print_boxes_until(boxes.size());
}

bool is_menu_command(const std::string& command, const std::vector<std::string>& operands, std::string* error) {
    if (command == "menu") {
        if (!operands.empty()) *error = "menu takes no operands";
    } else if (command == "pick") {
        if (operands.size() < 2 || operands.size() > 3) *error = "pick takes MENU ITEM [SUBITEM]";
    } else if (command == "run") {
        if (operands.size() != 1) *error = "run takes one macro name";
    } else {
        return false;
    }
    return true;
}

bool run_menu_command(Host& host, const std::string& command, const std::vector<std::string>& operands,
                      std::string& out, std::string* error) {
    host.clear_alerts();
    if (command == "menu") {
        out += menu_tree(host.menu_bar());
        return true;
    }
    if (command == "run") {
        if (!has_command(host, cp1252(operands[0]))) {
            *error = "no command macro " + operands[0] + " is registered";
            return false;
        }
        host.run_macro(cp1252(operands[0]));
        print_what_the_user_saw(host, out);
        return true;
    }
    const PickResult picked = host.pick(in_cp1252(operands));
    switch (picked.outcome) {
        case PickResult::Outcome::ran: print_what_the_user_saw(host, out); return true;
        case PickResult::Outcome::nothing: out += "(nothing runs)\n"; return true;
        case PickResult::Outcome::no_macro: out += "[error]\n" + utf8(picked.error) + "\n"; return true;
        case PickResult::Outcome::submenu:
        case PickResult::Outcome::not_found: *error = utf8(picked.error); return false;
    }
    return false;
}

}  // namespace xlhost::cli

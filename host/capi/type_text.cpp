#include "capi/type_text.h"

#include <cstring>

namespace xlhost::capi {

bool is_argument_letter(char letter) { return letter != '\0' && std::strchr("ABCDEFGHIJKLMNOPR", letter) != nullptr; }

namespace {
// F and G exist only as arguments changed in place; O passes three arguments and has no result form.
bool is_result_letter(char letter) { return letter != '\0' && std::strchr("ABCDEHIJKLMNPR", letter) != nullptr; }
}  // namespace

bool parse_type_text(const std::string& text, TypeText* out, std::string* problem) {
    auto fail = [&](const std::string& why) {
        if (problem) *problem = "type text \"" + text + "\": " + why;
        return false;
    };
    if (text.empty()) return fail("empty");
    TypeText type;
    size_t i = 0;
    const char first = text[0];
    if (first >= '1' && first <= '9') {
        type.in_place_argument = first - '0';
        type.result = '\0';
    } else if (is_result_letter(first)) {
        type.result = first;
    } else {
        return fail(std::string("'") + first + "' is not a result type");
    }
    for (i = 1; i < text.size(); ++i) {
        const char letter = text[i];
        if (letter == '!' || letter == '#') break;
        if (!is_argument_letter(letter)) return fail(std::string("'") + letter + "' is not an argument type");
        type.arguments.push_back(letter);
    }
    for (; i < text.size(); ++i) {
        const char mark = text[i];
        if (mark == '!' && !type.is_volatile) type.is_volatile = true;
        else if (mark == '#' && !type.macro_equivalent) type.macro_equivalent = true;
        else return fail(std::string("'") + mark + "' after the argument types");
    }
    if (static_cast<int>(type.arguments.size()) > max_procedure_arguments)
        return fail("more than 30 arguments");
    if (type.in_place_argument > 0) {
        if (type.in_place_argument > static_cast<int>(type.arguments.size()))
            return fail("changes argument " + std::to_string(type.in_place_argument) + " in place, which it lacks");
        const char target = type.arguments[static_cast<size_t>(type.in_place_argument - 1)];
        if (std::strchr("EFGKLMN", target) == nullptr)
            return fail("argument " + std::to_string(type.in_place_argument) + " is passed by value and cannot change");
    }
    *out = type;
    return true;
}

}  // namespace xlhost::capi

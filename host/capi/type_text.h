// The type text of REGISTER: one letter for the result, then one per argument, as Excel 97
// knows them (A B C D E F G H I J K L M N O P R); a digit 1 to 9 in place of the result letter
// means the procedure returns nothing and the value is argument N, changed in place; '!'
// (volatile) and '#' (macro-sheet equivalent) may close the text.
#pragma once

#include <string>
#include <vector>

namespace xlhost::capi {

struct TypeText {
    char result = 'P';
    int in_place_argument = 0;  // 1-based, 0 when the result letter is used
    std::vector<char> arguments;
    bool is_volatile = false;
    bool macro_equivalent = false;
};

// Excel accepts at most 30 arguments for a procedure.
constexpr int max_procedure_arguments = 30;

bool parse_type_text(const std::string& text, TypeText* out, std::string* problem);
bool is_argument_letter(char letter);

}  // namespace xlhost::capi

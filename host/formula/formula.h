// Formulas as the host understands them: =NAME(arguments) with numbers, "texts", TRUE/FALSE,
// error literals, references (A1, $A$1, A1:B4), nested calls and omitted arguments, the
// arguments separated by ';' or ','. A formula may also be a single constant or reference.
#pragma once

#include <string>
#include <vector>

#include "model/address.h"

namespace xlhost {

struct Expr {
    enum class Kind { number, text, boolean, error, reference, call, missing, name };
    Kind kind = Kind::missing;
    double number = 0;
    std::string text;  // text; call and name: the name as written
    bool boolean = false;
    int error = 0;
    Range range;
    std::vector<Expr> arguments;
};

// Parses "=..." (the leading '=' is required). On failure answers false and a one-line reason.
bool parse_formula(const std::string& formula, Expr* out, std::string* error);

}  // namespace xlhost

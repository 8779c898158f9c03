// The host's value: what a cell, an argument or a result holds, and how Excel writes it as text.
#pragma once

#include <string>
#include <vector>

namespace xlhost {

// A value as a cell, an argument or a result holds it.
struct Value {
    enum class Kind { nil, number, text, boolean, error, integer, array, missing, reference };
    Kind kind = Kind::nil;
    double number = 0;         // number, integer
    std::string text;          // text (cp1252); reference: its address, "[Book1]Sheet1!$A$1:$B$4"
    bool boolean = false;
    int error = 0;             // Excel error code (0 #NULL!, 7 #DIV/0!, 15 #VALUE!, ...)
    int rows = 0, columns = 0; // array; reference: the extent of its first area
    std::vector<Value> items;  // array, row by row
    int row = 0, column = 0;   // reference: 0-based first cell of its first area

    static Value nil();
    static Value num(double n);
    static Value str(const std::string& cp1252_text);
    static Value boolean_value(bool b);
    static Value err(int code);
    static Value integer_value(int n);
    static Value missing_value();
    static Value array(int rows, int columns, std::vector<Value> items);
    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }
};

// Numbers with 17 significant digits, errors as Excel writes them (#N/A, #VALUE!, ...),
// booleans TRUE/FALSE, texts as they are, arrays one row per line with tab-separated columns,
// empty and missing values as nothing.
std::string display(const Value& value);
// A value as an Excel constant inside a CSV cell: an array as {1,2;3,4} with texts quoted.
std::string constant_text(const Value& value);
// Excel's text of an error code ("#N/A"), or "" for a code Excel does not have.
std::string error_text(int code);

}  // namespace xlhost

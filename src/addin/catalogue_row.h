// How a catalogue row is written and checked. A function row names its export once, with
// VX_FUNCTION: the procedure name is the export's own name and the type text is the one its C++
// signature makes (xll/type_text.h), so a row cannot disagree with its export. The texts of
// each language are checked against that type text at compile time: one argument name and one
// argument help per argument, and no more arguments than REGISTER has help columns for; and no
// two rows may share a procedure or an Excel name.
#pragma once

#include <array>
#include <cstddef>

#include "addin/catalogue.h"
#include "ambiente/idioma.h"
#include "xll/type_text.h"

namespace addin {

// The texts of one row in one language.
struct LanguageTexts {
    const char* argument_text;  // the argument names, separated by ", "
    const char* function_help;
    std::array<const char*, max_function_arguments> argument_help;  // unused ones stay empty
};

struct FunctionRow {
    const char* procedure;
    const char* type_text;
    const char* function_text;  // the Excel name
    ambiente::Bilingue<LanguageTexts> texts;
};

// VX_FUNCTION(export, "VX.NAME", {Portuguese texts}, {English texts})
#define VX_FUNCTION(exported, excel_name, ...) \
    ::addin::FunctionRow { #exported, ::xll::type_text_of<decltype(exported)>, excel_name, {__VA_ARGS__} }

// VX_COMMAND(export, "macro name"): a command row, its type text from the export's signature.
#define VX_COMMAND(exported, macro_name)                                                          \
    std::array<const char*, ::addin::command_columns> {                                          \
        #exported, ::xll::type_text_of<decltype(exported)>, macro_name, "", "2", "Varentis", "" \
    }

namespace row_check {

constexpr std::size_t length(const char* text) {
    std::size_t n = 0;
    while (text[n] != '\0') ++n;
    return n;
}

// The names of an argument text: none when it is empty, else one more than its ", ".
constexpr std::size_t names_in(const char* text) {
    if (*text == '\0') return 0;
    std::size_t names = 1;
    for (; *text != '\0'; ++text)
        if (text[0] == ',' && text[1] == ' ') ++names;
    return names;
}

// The argument helps given, which must come first: a gap before the last one is a mistake.
constexpr bool helps_for(const LanguageTexts& texts, std::size_t arguments) {
    for (std::size_t i = 0; i < texts.argument_help.size(); ++i)
        if ((texts.argument_help[i] != nullptr) != (i < arguments)) return false;
    return true;
}

constexpr bool texts_fit(const LanguageTexts& texts, std::size_t arguments) {
    return names_in(texts.argument_text) == arguments && helps_for(texts, arguments) &&
           length(texts.function_help) > 0;
}

constexpr bool same(const char* a, const char* b) { return ::xll::same_text(a, b); }

}  // namespace row_check

// The first row whose texts disagree with its type text in either language, or that repeats
// the procedure or the Excel name of a row before it; -1 when every row is sound.
template <std::size_t Rows>
constexpr int first_unsound_row(const FunctionRow (&rows)[Rows]) {
    for (std::size_t row = 0; row < Rows; ++row) {
        const std::size_t arguments = row_check::length(rows[row].type_text) - 1;
        if (arguments > static_cast<std::size_t>(max_function_arguments) ||
            !row_check::texts_fit(rows[row].texts.em(ambiente::Idioma::portugues), arguments) ||
            !row_check::texts_fit(rows[row].texts.em(ambiente::Idioma::ingles), arguments))
            return static_cast<int>(row);
        for (std::size_t other = 0; other < row; ++other)
            if (row_check::same(rows[row].procedure, rows[other].procedure) ||
                row_check::same(rows[row].function_text, rows[other].function_text))
                return static_cast<int>(row);
    }
    return -1;
}

// Instantiated with the unsound row's index, so that the compiler's message names it:
// "UnsoundCatalogueRow<3>" is the fourth row.
template <int Row>
struct UnsoundCatalogueRow {
    static_assert(Row < 0,
                  "a catalogue row needs one argument name and one argument help per argument of its "
                  "export, in both languages, at most 10 arguments, and a procedure and an Excel name "
                  "of its own");
    static constexpr bool none = true;
};

// The 19 REGISTER columns of every function row in one language, row by row.
template <std::size_t Rows>
constexpr std::array<const char*, Rows * function_columns> function_cells(const FunctionRow (&rows)[Rows],
                                                                          ambiente::Idioma idioma) {
    std::array<const char*, Rows * function_columns> cells{};
    for (std::size_t row = 0; row < Rows; ++row) {
        const FunctionRow& function = rows[row];
        const LanguageTexts& language = function.texts.em(idioma);
        const char** cell = &cells[row * function_columns];
        cell[col_procedure] = function.procedure;
        cell[col_type_text] = function.type_text;
        cell[col_function_text] = function.function_text;
        cell[col_argument_text] = language.argument_text;
        cell[col_macro_type] = "1";
        cell[col_category] = "Varentis";
        cell[col_shortcut] = "";
        cell[col_help_topic] = "";
        cell[col_function_help] = language.function_help;
        for (std::size_t argument = 0; argument < language.argument_help.size(); ++argument) {
            const char* help = language.argument_help[argument];
            cell[col_first_argument_help + argument] = help != nullptr ? help : "";
        }
    }
    return cells;
}

template <std::size_t Rows>
constexpr std::array<const char*, Rows * command_columns> command_cells(
    const std::array<const char*, command_columns> (&rows)[Rows]) {
    std::array<const char*, Rows * command_columns> cells{};
    for (std::size_t row = 0; row < Rows; ++row)
        for (std::size_t column = 0; column < command_columns; ++column)
            cells[row * command_columns + column] = rows[row][column];
    return cells;
}

}  // namespace addin

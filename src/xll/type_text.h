// The type text that REGISTER reads for an export, derived from the export's C++ signature: one
// letter for the result, then one per argument. The catalogue takes every row's type text from
// here, so a row and its export cannot drift apart:
//
//     static_assert(xll::same_text(xll::type_text_of<decltype(interpol)>, "PIPB"));
#pragma once

#include <stdint.h>

#include <type_traits>

#include "xll/xlcall.h"
#include "xll/xloper.h"

namespace xll {

// Excel's logical passed by value (letter A): a 16-bit integer, 0 false and anything else true.
// A type of its own, so that a signature tells it from a 16-bit integer (I); it travels exactly
// as one.
enum class Logical : int16_t { no = 0, yes = 1 };

constexpr bool is_true(Logical value) { return static_cast<int16_t>(value) != 0; }

// The letter of each type Excel passes by value or by record. A type without one does not
// compile where a type text is asked for.
template <class Type>
constexpr char type_letter() {
    if constexpr (std::is_same_v<Type, Logical>) return 'A';
    else if constexpr (std::is_same_v<Type, double>) return 'B';
    else if constexpr (std::is_same_v<Type, int16_t>) return 'I';
    else if constexpr (std::is_same_v<Type, int32_t>) return 'J';
    // A text Excel converts the argument to, NUL-terminated, at most 255 characters.
    else if constexpr (std::is_same_v<Type, const char*>) return 'C';
    else if constexpr (std::is_same_v<Type, LPXLOPER>) return 'P';
    else static_assert(!std::is_same_v<Type, Type>, "a type that Excel does not pass");
}

// Only functions with the exports' calling convention have a type text: Excel calls nothing
// else.
template <class Function>
struct Signature;
template <class Result, class... Arguments>
struct Signature<Result VX_STDCALL(Arguments...)> {
    static constexpr char type_text[] = {type_letter<Result>(), type_letter<Arguments>()..., '\0'};
};

template <class Function>
constexpr const char* type_text_of = Signature<Function>::type_text;

constexpr bool same_text(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

}  // namespace xll

// The rounding rules of the worksheet functions, one helper per rule. Each forms a whole number
// in the integer type the functions use and answers nothing (std::nullopt) when the value does
// not fit that type, instead of converting out of range.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace funcoes {

// Truncation toward zero into the integer type T (21.9 → 21, −3.7 → −3).
template <class T>
std::optional<T> trunca(long double valor) {
    if (!std::isfinite(valor)) return std::nullopt;
    const long double inteiro = std::trunc(valor);
    // T holds exactly the whole numbers in [min, 2^digits); both bounds are exact in a long double.
    const long double acima = std::ldexp(1.0L, std::numeric_limits<T>::digits);
    const long double minimo = static_cast<long double>(std::numeric_limits<T>::min());
    if (inteiro < minimo || inteiro >= acima) return std::nullopt;
    return static_cast<T>(inteiro);
}

// Truncation toward zero, then one up when the part cut off is at least one half
// (30855.5 → 30856; −97.7 → −97, since the cut-off part of a negative value is negative).
std::optional<std::int32_t> arredonda_meio_acima(long double valor);

// Nearest whole number, halves away from zero (2.5 → 3, −2.5 → −3, −0.7 → −1).
std::optional<std::int32_t> arredonda_meio_longe_do_zero(long double valor);

// A whole number formed in 64 bits (a difference of dates or of index points) that must fit
// the 32-bit integer the functions hold it in.
std::optional<std::int32_t> cabe_em_int32(std::int64_t valor);

}  // namespace funcoes

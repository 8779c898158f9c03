// The rounding rules of the worksheet functions, one helper per rule. Each forms a whole number
// in the integer type the functions use and answers nothing (std::nullopt) when the value does
// not fit that type, instead of converting out of range. The whole numbers are formed in
// doubles, which hold them exactly as far as they matter, and converted once they fit.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "Funcoes/elementares.h"

namespace funcoes {

// 2^n as a double, for the bounds of the integer types.
constexpr double dois_a(int n) { return n == 0 ? 1.0 : 2.0 * dois_a(n - 1); }

// Truncation toward zero into the integer type T (21.9 → 21, −3.7 → −3).
template <class T>
std::optional<T> trunca(double valor) {
    static_assert(std::numeric_limits<T>::digits <= 32, "a double converts into 32 bits in SSE2 registers");
    if (!std::isfinite(valor)) return std::nullopt;
    const double inteiro = elementar::trunc(valor);
    // T holds exactly the whole numbers in [min, 2^digits); both bounds are exact in a double.
    const double acima = dois_a(std::numeric_limits<T>::digits);
    const double minimo = static_cast<double>(std::numeric_limits<T>::min());
    if (inteiro < minimo || inteiro >= acima) return std::nullopt;
    return static_cast<T>(inteiro);
}

// Truncation toward zero, then one up when the part cut off is at least one half
// (30855.5 → 30856; −97.7 → −97, since the cut-off part of a negative value is negative).
std::optional<std::int32_t> arredonda_meio_acima(double valor);

// Nearest whole number, halves away from zero (2.5 → 3, −2.5 → −3, −0.7 → −1).
std::optional<std::int32_t> arredonda_meio_longe_do_zero(double valor);

// A whole number formed in 64 bits (a difference of dates or of index points) that must fit
// the 32-bit integer the functions hold it in.
std::optional<std::int32_t> cabe_em_int32(std::int64_t valor);

// ROUND(valor; 2) as Excel answers it: Excel rounds the value it displays, the decimal of 15
// significant digits nearest the double, half away from zero; the answer is the double nearest
// the rounded decimal. So 1.005 (1.00499999999999989… in binary) gives 1.01. For values from
// 0 up to 10^15 (from there a double has no cents to round); nothing otherwise.
std::optional<double> arredonda_centavos(double valor);

}  // namespace funcoes

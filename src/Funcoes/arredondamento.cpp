#include "Funcoes/arredondamento.h"

#include "Funcoes/duplo.h"

namespace funcoes {

namespace {

// A whole number held in a double (the step up from the largest 32-bit value included, which
// a double holds exactly) that must fit 32 bits.
std::optional<std::int32_t> inteiro_de_32_bits(double inteiro) {
    if (inteiro < -dois_a(31) || inteiro >= dois_a(31)) return std::nullopt;
    return static_cast<std::int32_t>(inteiro);
}

}  // namespace

std::optional<std::int32_t> cabe_em_int32(std::int64_t valor) {
    if (valor < std::numeric_limits<std::int32_t>::min() ||
        valor > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(valor);
}

std::optional<std::int32_t> arredonda_meio_acima(double valor) {
    if (!std::isfinite(valor)) return std::nullopt;
    double n = elementar::trunc(valor);
    // The part cut off is exact; so is the step up wherever the result can still fit.
    if (valor - n >= 0.5) n += 1.0;
    return inteiro_de_32_bits(n);
}

std::optional<std::int32_t> arredonda_meio_longe_do_zero(double valor) {
    if (!std::isfinite(valor)) return std::nullopt;
    double k = elementar::trunc(valor);
    if (std::fabs(valor - k) >= 0.5) k += valor < 0 ? -1.0 : 1.0;
    return inteiro_de_32_bits(k);
}

std::optional<double> arredonda_centavos(double valor) {
    if (!std::isfinite(valor)) return std::nullopt;
    const double a = std::fabs(valor);
    if (a >= 1e15) return std::nullopt;
    // Below 0.001 even the 15-digit display rounds to less than half a cent.
    if (a < 0.001) return 0.0;
    static constexpr double potencias[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                           1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};
    // The scale k that brings the value to 15 digits before the point: a × 10^k in [10^14, 10^15).
    int k = 0;
    while (k < 17 && a * potencias[k] < 1e14) ++k;
    // a × 10^k exactly, as its rounded product and the error. The product is below 2^53, so
    // its whole part and the fraction left are exact; the digits stay whole numbers in
    // doubles (no conversion to 64-bit integers, which the 32-bit build would do in x87 code).
    const Duplo p = produto_exato(a, potencias[k]);
    double digitos = elementar::trunc(p.alto);
    const double fracao = p.alto - digitos;
    // The error is below half the product's ulp, which is no larger than any fraction's distance
    // from one half but 0: only an exact half is decided by it (half away from zero).
    if (fracao > 0.5 || (fracao == 0.5 && p.baixo >= 0)) digitos += 1.0;
    double resultado;
    if (k >= 2) {
        // The displayed decimal is digitos / 10^k; its cents, half away from zero. The quotient
        // by 10^(k−2) is mended to the exact one by its remainder, formed exactly.
        const double divisor = potencias[k - 2];
        double centavos = elementar::trunc(digitos / divisor);
        double resto = digitos - centavos * divisor;
        if (resto < 0) {
            centavos -= 1.0;
            resto += divisor;
        } else if (resto >= divisor) {
            centavos += 1.0;
            resto -= divisor;
        }
        if (2.0 * resto >= divisor) centavos += 1.0;
        resultado = centavos / 100.0;  // exact operands: one rounding
    } else {
        resultado = digitos / potencias[k];  // no cents to round
    }
    return valor < 0 ? -resultado : resultado;
}

}  // namespace funcoes

#include "Funcoes/arredondamento.h"

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

}  // namespace funcoes

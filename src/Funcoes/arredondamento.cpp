#include "Funcoes/arredondamento.h"

namespace funcoes {

std::optional<std::int32_t> cabe_em_int32(std::int64_t valor) {
    if (valor < std::numeric_limits<std::int32_t>::min() ||
        valor > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(valor);
}

std::optional<std::int32_t> arredonda_meio_acima(long double valor) {
    // Formed in 64 bits so that the step up from the largest 32-bit value is caught too.
    const auto inteiro = trunca<std::int64_t>(valor);
    if (!inteiro) return std::nullopt;
    std::int64_t n = *inteiro;
    if (valor - static_cast<long double>(n) >= 0.5L) ++n;
    return cabe_em_int32(n);
}

std::optional<std::int32_t> arredonda_meio_longe_do_zero(long double valor) {
    const auto inteiro = trunca<std::int64_t>(valor);
    if (!inteiro) return std::nullopt;
    std::int64_t k = *inteiro;
    if (std::fabs(valor - static_cast<long double>(k)) >= 0.5L) k += valor < 0 ? -1 : 1;
    return cabe_em_int32(k);
}

}  // namespace funcoes

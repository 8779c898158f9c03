// The elementary functions of the calculation cores: musl's, built from the same source with the
// same flags for Linux and both Windows builds (cmake/musl-math), so that every target and every
// processor computes the same bits. The C runtime's own are not used here: mingw-w64's are x87
// code, and glibc's choose fused multiply-adds by processor.
#pragma once

#include <musl_math.h>

#include "Funcoes/duplo.h"

namespace funcoes::elementar {

inline double exp(double x) { return musl_exp(x); }
inline double pow(double x, double y) { return musl_pow(x, y); }
inline double log1p(double x) { return musl_log1p(x); }
inline double expm1(double x) { return musl_expm1(x); }
inline double trunc(double x) { return musl_trunc(x); }

// ln(1 + r) for r > −1, with about 15 bits beyond a double: what a discount needs when it raises
// the factor to a power of dozens. 1 + r is formed exactly as a Duplo, and the tail of its
// rounding is carried through ln(a + b) = ln(a) + b / a (b is below 2^-53 of a).
inline Duplo log1p_duplo(double r) {
    const Duplo x = soma_exata(1.0, r);
    double cauda = 0;
    const double ln = musl_log_inline_of(x.alto, &cauda);
    return soma_rapida(ln, cauda + x.baixo / x.alto);
}

// e^x for a Duplo x, to about half an ulp.
inline double exp(const Duplo& x) { return musl_exp_inline_of(x.alto, x.baixo); }

}  // namespace funcoes::elementar

// Numbers carried in two doubles, a value and the rounding error it leaves out (about 106 bits
// together), for the few steps whose error a double would multiply: the logarithm of a discount
// over decades, the extrapolated level beyond the last vertex, the net exposure of a portfolio
// whose two sides cancel. Plain IEEE double arithmetic in a fixed order, without fused
// multiply-adds, so that every target computes the same bits.
#pragma once

#include <cmath>

namespace funcoes {

struct Duplo {
    double alto = 0;   // the value, rounded to a double
    double baixo = 0;  // what the rounding left out, |baixo| ≤ half an ulp of alto

    Duplo() = default;
    Duplo(double valor) : alto(valor) {}  // NOLINT: a double is a Duplo without a tail
    Duplo(double a, double b) : alto(a), baixo(b) {}

    double valor() const { return alto + baixo; }
};

// a + b exactly, as a rounded sum and its error (Knuth).
inline Duplo soma_exata(double a, double b) {
    const double s = a + b;
    const double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

// a + b exactly when |a| ≥ |b| (or a is 0).
inline Duplo soma_rapida(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a × b exactly, as a rounded product and its error (Dekker, by halves of 26 bits). Beyond
// 2^995 the halves would overflow: the product then carries no tail.
inline Duplo produto_exato(double a, double b) {
    const double p = a * b;
    if (!(std::fabs(p) < 0x1p995) || !(std::fabs(a) < 0x1p995) || !(std::fabs(b) < 0x1p995)) return {p, 0.0};
    const double divisor = 134217729.0;  // 2^27 + 1
    const double ca = divisor * a, cb = divisor * b;
    const double a1 = ca - (ca - a), a2 = a - a1;
    const double b1 = cb - (cb - b), b2 = b - b1;
    return {p, ((a1 * b1 - p) + a1 * b2 + a2 * b1) + a2 * b2};
}

inline Duplo operator+(const Duplo& x, const Duplo& y) {
    const Duplo s = soma_exata(x.alto, y.alto);
    const Duplo t = soma_exata(x.baixo, y.baixo);
    const Duplo u = soma_rapida(s.alto, s.baixo + t.alto);
    return soma_rapida(u.alto, u.baixo + t.baixo);
}

inline Duplo operator-(const Duplo& x) { return {-x.alto, -x.baixo}; }
inline Duplo operator-(const Duplo& x, const Duplo& y) { return x + (-y); }

inline Duplo operator*(const Duplo& x, double y) {
    const Duplo p = produto_exato(x.alto, y);
    return soma_rapida(p.alto, p.baixo + x.baixo * y);
}

inline Duplo operator*(const Duplo& x, const Duplo& y) {
    const Duplo p = produto_exato(x.alto, y.alto);
    return soma_rapida(p.alto, p.baixo + (x.alto * y.baixo + x.baixo * y.alto));
}

inline Duplo operator/(const Duplo& x, const Duplo& y) {
    const double q = x.alto / y.alto;
    // The remainder x − q·y, exactly where it matters, gives the quotient's next bits.
    const Duplo r = x - y * q;
    return soma_rapida(q, r.alto / y.alto);
}

inline Duplo operator/(const Duplo& x, double y) { return x / Duplo(y); }

inline bool operator<(const Duplo& x, const Duplo& y) {
    return x.alto < y.alto || (x.alto == y.alto && x.baixo < y.baixo);
}

inline Duplo abs(const Duplo& x) { return x.alto < 0 || (x.alto == 0 && x.baixo < 0) ? -x : x; }

// A running sum of doubles that keeps the rounding error of every addition apart and adds it
// back at the end (Neumaier): the sum of m terms is as accurate as its last rounding, not m of
// them.
struct Soma {
    double alto = 0;
    double baixo = 0;

    void operator+=(double x) {
        const Duplo s = soma_exata(alto, x);
        alto = s.alto;
        baixo += s.baixo;
    }
    double valor() const { return alto + baixo; }
};

}  // namespace funcoes

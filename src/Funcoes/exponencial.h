// The exponential (flat-forward, 252-day) interpolation of a yield curve: the logarithm of the
// capitalisation factor, w × ln(1 + r), is linear in the business days between two vertices.
// Carried in logarithms, one query costs one exponential once the vertices' logarithms are
// known; `InterpolacaoExponencial` works them out once for a curve queried many times (the
// chart's grid), `interpola_exp` only for the two vertices it needs, and `DescontoExponencial`
// as a portfolio's payments reach them.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Funcoes/curva.h"
#include "Funcoes/duplo.h"
#include "Funcoes/elementares.h"

namespace funcoes {

// ln of a vertex's capitalisation factor over its own term: w × ln(1 + r).
inline double log_fator(const CurvePoint& p) { return p.workdays * elementar::log1p(p.rate); }

// ln of the capitalisation factor at `a` business days inside the segment from vertex k−1 to
// vertex k, from the log factors of the two vertices.
inline double log_fator_entre(const YieldCurve& c, std::size_t k, std::int32_t a, double antes, double depois) {
    const double w0 = c[k - 1].workdays;
    const double w1 = c[k].workdays;
    return ((w1 - a) * antes + (a - w0) * depois) / (w1 - w0);
}

// The effective rate over `a` business days (a ≠ 0) whose capitalisation factor has the
// logarithm g: e^(g / a) − 1, without the cancellation of the subtraction.
inline double taxa_de_log_fator(double g, std::int32_t a) { return elementar::expm1(g / a); }

// Extrapolation beyond the last vertex of a curve of at least 3 points: the last slope, damped
// by the one before it, levels off over `anos_flat` years. Answered negative, the marker of an
// extrapolated rate. Worked out in Duplos, so that the level is the exact one rounded once.
double extrapola(const YieldCurve& c, std::int32_t a, double anos_flat);

// The same extrapolation with what does not depend on the day (the damped slope, the spans, the
// level beyond the flattening span) worked out once: a column of formulas on one curve asks it
// for many days, and the slopes' Duplo quotients cost several times the rest. `prepara` keeps
// what it has when the last three vertices and the years flat are bit for bit the ones it was
// prepared for (they are all the answer depends on), so the answers are extrapola's to the bit.
class Extrapolacao {
public:
    // For a curve of at least 3 points.
    void prepara(const YieldCurve& c, double anos_flat);
    // What extrapola(c, a, anos_flat) answers, for the c and anos_flat last prepared.
    double taxa(std::int32_t a) const;

private:
    bool mesma_que(const YieldCurve& c, double anos_flat) const;

    bool preparada_ = false;
    CurvePoint vertices_[3];  // the last three vertices prepared for, and the years flat
    double anos_flat_ = 0;
    double ultimo_ = 0;       // the last vertex's days and rate
    double taxa_ = 0;
    double plano_ = 0;        // the flattening span, its double, in whole business days
    double dobro_ = 0;
    Duplo inclinacao_;        // the damped slope
    double alem_ = 0;         // the answer beyond the flattening span
};

// The vertices' log factors of the curves last interpolated, each kept beside the vertex it was
// worked out for, by its place on the curve: a column of formulas on one curve meets the same
// vertices at every call, and the logarithm costs more than the rest of an interpolation inside
// the curve. A vertex whose days or rate bits differ from the kept one's is worked out again, so
// every answer is log_fator's to the bit. The storage grows to the longest curve seen and is
// then reused.
class LogFatores {
public:
    // log_fator(c[i]), for i < c.size().
    double de(const YieldCurve& c, std::size_t i) {
        if (guardados_.size() < c.size()) guardados_.resize(c.size());
        Guardado& g = guardados_[i];
        const CurvePoint& p = c[i];
        std::uint64_t bits;
        std::memcpy(&bits, &p.rate, sizeof bits);
        if (!g.calculado || g.workdays != p.workdays || g.bits_da_taxa != bits) {
            g.log_fator = log_fator(p);
            g.workdays = p.workdays;
            g.bits_da_taxa = bits;
            g.calculado = true;
        }
        return g.log_fator;
    }

private:
    struct Guardado {
        std::uint64_t bits_da_taxa = 0;  // bits, not values: -0 against 0 or a NaN is another vertex
        std::uint32_t workdays = 0;
        bool calculado = false;
        double log_fator = 0;
    };
    std::vector<Guardado> guardados_;
};

// A curve prepared for many queries of its exponential interpolation with years flat 0. Holds a
// reference to the curve, which must outlive it, and keeps the vertices' log factors in the
// caller's storage (reused, so that preparing again allocates nothing once it is large enough).
class InterpolacaoExponencial {
public:
    InterpolacaoExponencial(const YieldCurve& curva, std::vector<double>& log_fatores);

    // What interpola_exp(a, curva, 0) answers, to the last bit.
    double taxa(std::int32_t a) const;

private:
    const YieldCurve& curva_;
    const std::vector<double>& g_;
};

// A curve prepared for discounting many payments at the exponential interpolation of their
// own days (years flat 0, the rate in absolute value, as a portfolio is discounted). The
// logarithms are kept as Duplos: a discount over decades raises the factor to a power of
// dozens, which would multiply a double's rounding as much. Each vertex's logarithm is worked
// out when a payment first reaches it; payments that come in increasing order of days find
// their segment from the last one's. Holds references to the curve and the storage, which must
// outlive it.
class DescontoExponencial {
public:
    DescontoExponencial(const YieldCurve& curva, std::vector<Duplo>& log_fatores);

    // ln of (1 + r) ^ a over `a` business days (a ≥ 1) of r = |interpola_exp(a, curva, 0)|:
    // 1 + r is e^(g / a) and the discount over those days e^(−g / 252).
    Duplo log_fator_em(std::int32_t a);

    const YieldCurve& curva() const { return curva_; }

private:
    const Duplo& log_fator_do_vertice(std::size_t i);
    std::size_t segmento(std::int32_t a);

    const YieldCurve& curva_;
    std::vector<Duplo>& g_;  // alto NaN until worked out
    Duplo ln_primeira_;      // ln(1 + r) of the first and the last vertex, for the flat
    Duplo ln_ultima_;        // stretches before and beyond them
    std::size_t ultimo_ = 0; // the segment of the last payment
};

}  // namespace funcoes

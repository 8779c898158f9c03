// The peer to beat: QuantLib building the same curves and answering one day, call after call,
// as an add-in built on it would. For VX.INTERPOLEX, the discount factors of the vertices
// interpolated log-linearly in the days (LogLinearInterpolation, and the full term structure
// InterpolatedDiscountCurve<LogLinear>); for VX.CSPLINE, CubicInterpolation of the rates with
// the knots at the vertex index, zero first derivative at the first vertex and zero second
// derivative at the last. Both sides must agree (rates within 1e-14) before anything is timed.
#include <ql/math/interpolations/cubicinterpolation.hpp>
#include <ql/math/interpolations/loginterpolation.hpp>
#include <ql/termstructures/yield/discountcurve.hpp>
#include <ql/time/daycounters/actual365fixed.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "fixture.h"

namespace vx_bench {
namespace {

// The curve in QuantLib's terms, with storage that every call refills in place.
struct CurvaPar {
    std::vector<double> dias, taxas, indices;
    std::vector<double> descontos;            // refilled on every call
    std::vector<QuantLib::Date> datas;        // day 0 and the vertices' dates
    std::vector<QuantLib::DiscountFactor> descontos_com_hoje;  // 1, then the vertices'

    explicit CurvaPar(const Curva& c) {
        for (std::size_t i = 0; i < c.tamanho(); ++i) {
            dias.push_back(c.dias[i]);
            taxas.push_back(c.taxas[i]);
            indices.push_back(static_cast<double>(i));
        }
        descontos.resize(c.tamanho());
        descontos_com_hoje.resize(c.tamanho() + 1);
        datas.push_back(hoje());
        for (double w : dias) datas.push_back(hoje() + static_cast<QuantLib::Date::serial_type>(w));
    }
    static QuantLib::Date hoje() { return QuantLib::Date(2, QuantLib::January, 2025); }
};

// The discount factor of each vertex, from its 252-day effective rate.
void descontos(const std::vector<double>& dias, const std::vector<double>& taxas, double* saida) {
    for (std::size_t i = 0; i < dias.size(); ++i) saida[i] = std::pow(1.0 + taxas[i], -dias[i] / 252.0);
}

double taxa_de(double desconto, int a) { return std::pow(desconto, -252.0 / a) - 1.0; }

double loglinear(CurvaPar& c, int a) {
    descontos(c.dias, c.taxas, c.descontos.data());
    const QuantLib::LogLinearInterpolation f(c.dias.begin(), c.dias.end(), c.descontos.begin());
    return taxa_de(f(a), a);
}

double curva_de_desconto(CurvaPar& c, int a) {
    c.descontos_com_hoje[0] = 1.0;
    descontos(c.dias, c.taxas, c.descontos_com_hoje.data() + 1);
    const QuantLib::InterpolatedDiscountCurve<QuantLib::LogLinear> curva(c.datas, c.descontos_com_hoje,
                                                                         QuantLib::Actual365Fixed());
    return taxa_de(curva.discount(CurvaPar::hoje() + a), a);
}

double cubica(CurvaPar& c, int a) {
    using QuantLib::CubicInterpolation;
    const CubicInterpolation f(c.indices.begin(), c.indices.end(), c.taxas.begin(), CubicInterpolation::Spline,
                               false, CubicInterpolation::FirstDerivative, 0.0,
                               CubicInterpolation::SecondDerivative, 0.0);
    // The segment holding a in days, and a's place in it as a fraction of the segment.
    const auto k = static_cast<std::size_t>(std::lower_bound(c.dias.begin(), c.dias.end(), a) - c.dias.begin());
    const double t = (a - c.dias[k - 1]) / (c.dias[k] - c.dias[k - 1]);
    return f(static_cast<double>(k - 1) + t);
}

template <double (*Par)(CurvaPar&, int)>
void BM_par(benchmark::State& state) {
    const Curva& c = curva(static_cast<int>(state.range(0)));
    CurvaPar par(c);
    const auto& dias = dias_interiores(c);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(Par(par, dias[i++ % dias_pedidos]));
}

void BM_ql_loglinear(benchmark::State& state) { BM_par<loglinear>(state); }
void BM_ql_discount_curve(benchmark::State& state) { BM_par<curva_de_desconto>(state); }
void BM_ql_cubic(benchmark::State& state) { BM_par<cubica>(state); }

// Every interior day of every curve, the export against its peer.
std::string concordam() {
    const Exportacoes& e = exportacoes();
    std::ostringstream problemas;
    problemas.precision(17);
    auto confere = [&](const char* nome, int n, int a, const XLOPER* nosso, double deles) {
        if (nosso->xltype == xltypeNum && std::fabs(nosso->val.num - deles) <= 1e-14) return;
        problemas << nome << " n = " << n << ", day " << a << ": ";
        if (nosso->xltype == xltypeNum)
            problemas << nosso->val.num;
        else
            problemas << "not a number";
        problemas << " against " << deles << "; ";
    };
    for (int n : {4, 50, 1000}) {
        CurvaPar par(curva(n));
        Intervalo intervalo(curva(n).linhas(false));
        for (std::int16_t a : dias_interiores(curva(n))) {
            confere("VX.INTERPOLEX/LogLinearInterpolation", n, a, e.interpol(a, intervalo.valor(), 0.0),
                    loglinear(par, a));
            confere("VX.INTERPOLEX/InterpolatedDiscountCurve", n, a, e.interpol(a, intervalo.valor(), 0.0),
                    curva_de_desconto(par, a));
            confere("VX.CSPLINE/CubicInterpolation", n, a, e.cspline(a, intervalo.valor()), cubica(par, a));
        }
    }
    return problemas.str();
}

const bool registrada = (registra_conferencia("the exports against QuantLib", concordam), true);

void argumentos(benchmark::internal::Benchmark* b) {
    b->ArgName("n");
    tamanhos(b, {{4, 50, 1000}});
}

BENCHMARK(BM_ql_loglinear)->Apply(argumentos);
BENCHMARK(BM_ql_discount_curve)->Apply(argumentos);
BENCHMARK(BM_ql_cubic)->Apply(argumentos);

}  // namespace
}  // namespace vx_bench

// The curve read into storage reused from call to call, and the interpolators prepared once
// and queried many times: they must answer what a fresh reading and a single query answer,
// whatever the sizes and orders of the curves that went before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "Funcoes/duration.h"
#include "Funcoes/exponencial.h"
#include "Funcoes/spline.h"
#include "intervalos.h"

using namespace funcoes;
using namespace teste;

namespace {

// A curve of n vertices as a trader's sheet holds it: a few business days to about ten years,
// rates between 2 % and 40 %, rows in order or shuffled.
Matriz curva_aleatoria(std::mt19937& g, std::size_t n, bool embaralhada) {
    std::uniform_int_distribution<int> passo(1, 60);
    std::uniform_real_distribution<double> taxa(0.02, 0.40);
    std::vector<std::pair<Celula, Celula>> rows;
    int dia = 0;
    for (std::size_t i = 0; i < n; ++i) {
        dia += passo(g);
        rows.emplace_back(num(taxa(g)), num(dia));
    }
    if (embaralhada) std::shuffle(rows.begin(), rows.end(), g);
    Matriz m;
    m.linhas = n;
    m.colunas = 2;
    for (const auto& r : rows) {
        m.celulas.push_back(r.first);
        m.celulas.push_back(r.second);
    }
    return m;
}

bool iguais(const YieldCurve& a, const YieldCurve& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const CurvePoint& x, const CurvePoint& y) {
               return x.workdays == y.workdays && x.rate == y.rate;
           });
}

// The exponential interpolation as the rule states it, in extended precision:
// (P(k−1) × (Pk / P(k−1)) ^ t) ^ 252 − 1 with Pj = (1 + rj) ^ (wj / a × 1/252).
long double pela_regra(const YieldCurve& c, std::size_t k, int a) {
    const long double p0 = std::pow(1.0L + c[k - 1].rate, c[k - 1].workdays / static_cast<long double>(a) / 252);
    const long double p1 = std::pow(1.0L + c[k].rate, c[k].workdays / static_cast<long double>(a) / 252);
    const long double t = (a - static_cast<long double>(c[k - 1].workdays)) / (c[k].workdays - c[k - 1].workdays);
    return std::pow(p0 * std::pow(p1 / p0, t), 252.0L) - 1.0L;
}

}  // namespace

TEST(CurvaReusada, GrowsShrinksAndForgetsWhatWentBefore) {
    std::mt19937 g(7);
    YieldCurve guardada;
    // Long, short, long again, shuffled, with unusable rows: each reading is a fresh one.
    for (std::size_t n : {1000u, 4u, 50u, 1000u, 2u, 300u}) {
        for (bool embaralhada : {false, true}) {
            const Matriz m = curva_aleatoria(g, n, embaralhada);
            ASSERT_EQ(le_curva(m, guardada), Erro::nenhum) << n;
            EXPECT_TRUE(iguais(guardada, le_curva(m).curva)) << n << (embaralhada ? " shuffled" : "");
        }
    }
    const Matriz com_lacunas =
        linhas({{num(0.18), num(21)}, {vazio(), vazio()}, {num(0.185), num(63)}, {num(0.19), num(0)}, {num(0.2), num(252)}});
    ASSERT_EQ(le_curva(com_lacunas, guardada), Erro::nenhum);
    EXPECT_EQ(guardada.size(), 3u);
    EXPECT_EQ(guardada.back().workdays, 252u);
    // A failed reading leaves nothing of the curve before it.
    EXPECT_EQ(le_curva(linhas({{num(0.18), num(21)}, {num(0.19), num(1e12)}}), guardada), Erro::num);
    EXPECT_TRUE(guardada.empty());
    EXPECT_EQ(le_curva(linhas({{num(0.18), num(21)}, {num(0.19), num(21)}}), guardada), Erro::na);
    EXPECT_TRUE(guardada.empty());
}

TEST(CurvaReusada, ShuffledAndSortedRowsAnswerTheSameBits) {
    std::mt19937 g(11);
    YieldCurve ordenada, embaralhada;
    MemoriaSpline memoria;
    Extrapolacao extrapolacao;  // shared, as the export's are
    LogFatores log_fatores;
    for (std::size_t n : {3u, 4u, 50u, 1000u}) {
        Matriz m = curva_aleatoria(g, n, false);
        Matriz e = m;
        std::vector<std::size_t> ordem(n);
        for (std::size_t i = 0; i < n; ++i) ordem[i] = i;
        std::shuffle(ordem.begin(), ordem.end(), g);
        for (std::size_t i = 0; i < n; ++i) {
            e.celulas[2 * i] = m.celulas[2 * ordem[i]];
            e.celulas[2 * i + 1] = m.celulas[2 * ordem[i] + 1];
        }
        const int ultimo = static_cast<int>(m.at(n - 1, 1).valor);
        for (int a = 1; a <= ultimo + 40 && a < 32767; a += 1 + ultimo / 200) {
            const auto dia = static_cast<std::int16_t>(a);
            const Resultado x = interpol(dia, m, 1.0, ordenada, extrapolacao, log_fatores),
                            y = interpol(dia, e, 1.0, embaralhada, extrapolacao, log_fatores);
            ASSERT_TRUE(x.ok() && y.ok()) << n << " " << a;
            EXPECT_EQ(x.valor(), y.valor()) << n << " " << a;
            EXPECT_EQ(cspline(dia, m, ordenada, memoria).valor(), cspline(dia, e, embaralhada, memoria).valor());
        }
    }
}

TEST(InterpolacaoExponencial, PreparedOnceAnswersWhatOneQueryAnswers) {
    std::mt19937 g(13);
    std::vector<double> log_fatores;
    std::vector<Duplo> estendidos;
    for (std::size_t n : {2u, 3u, 50u, 7u}) {
        const YieldCurve c = le_curva(curva_aleatoria(g, n, false)).curva;
        const InterpolacaoExponencial prep(c, log_fatores);
        DescontoExponencial desconto(c, estendidos);
        for (int a = 0; a <= static_cast<int>(c.back().workdays) + 30; ++a) {
            ASSERT_EQ(prep.taxa(a), interpola_exp(a, c, 0)) << n << " " << a;
            if (a == 0) continue;
            // The discount's log factor carries the payment's rate in absolute value (0 beyond
            // a two-point curve): 1 + |r| = e^(g / a).
            const double r = std::fabs(interpola_exp(a, c, 0));
            EXPECT_NEAR(std::expm1((desconto.log_fator_em(a) / a).valor()), r, 4e-16 * (1 + r)) << n << " " << a;
        }
    }
}

namespace {

// A double's bits: kept answers must be a fresh computation's to the last bit, -0 and NaN included.
std::uint64_t bits_de(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// The curve with one change made to it.
template <class Mudanca>
YieldCurve curva_com(const YieldCurve& base, Mudanca mudanca) {
    YieldCurve c = base;
    mudanca(c);
    return c;
}

}  // namespace

TEST(Extrapolacao, KeptFromCallToCallAnswersWhatAFreshOneAnswers) {
    // One extrapolation kept across curves and years flat, as the export keeps it: curves that
    // share their last three vertices with the one before (the same curve with other rows before
    // them), curves that differ in one day or in one bit of one rate, years flat that differ in
    // sign only or by an ulp; each day beyond answers extrapola's bits.
    std::mt19937 g(29);
    const YieldCurve base = le_curva(curva_aleatoria(g, 6, false)).curva;
    const std::size_t n = base.size();
    const std::vector<YieldCurve> curvas = {
        base,
        curva_com(base, [&](YieldCurve& c) { c.erase(c.begin()); }),                      // the same end
        curva_com(base, [&](YieldCurve& c) { c[n - 3].rate = std::nextafter(c[n - 3].rate, 1.0); }),
        curva_com(base, [&](YieldCurve& c) { c[n - 2].rate = std::nextafter(c[n - 2].rate, 0.0); }),
        curva_com(base, [&](YieldCurve& c) { c[n - 1].rate += 0.01; }),
        curva_com(base, [&](YieldCurve& c) { c[n - 3].workdays -= 1; }),
        curva_com(base, [&](YieldCurve& c) { c[n - 2].workdays += 1; }),
        curva_com(base, [&](YieldCurve& c) { c[n - 1].workdays += 7; }),
        curva_com(base, [&](YieldCurve& c) { c[n - 1].rate = c[n - 2].rate; }),           // a flat last segment
        curva_com(base, [&](YieldCurve& c) { c[n - 2].rate = c[n - 3].rate; }),           // a flat one before it
    };
    const double anos[] = {1.0, 0.0, -0.0, 1.0, std::nextafter(1.0, 2.0), 0.5, 1.6 / 252, 3.0, 1e300};
    Extrapolacao mantida;
    auto confere = [&](std::size_t i, double y) {
        const YieldCurve& c = curvas[i];
        mantida.prepara(c, y);
        for (int d = 1; d <= 800; ++d) {
            const int a = static_cast<int>(c.back().workdays) + d;
            ASSERT_EQ(bits_de(mantida.taxa(a)), bits_de(extrapola(c, a, y))) << "curve " << i << ", years " << y << ", day " << a;
        }
    };
    // Only the years changing from one preparation to the next, then only the curve.
    for (std::size_t i = 0; i < curvas.size(); ++i)
        for (double y : anos) confere(i, y);
    for (double y : anos)
        for (std::size_t i = 0; i < curvas.size(); ++i) confere(i, y);
}

TEST(LogFatores, KeptFromCallToCallAnswersWhatAFreshInterpolationAnswers) {
    // One store of log factors kept across curves, as the export keeps it: curves longer and
    // shorter than the one before, the same vertices at other places, one day or one bit of one
    // rate changed, a rate of -0 against 0 (whose log factors differ in sign); every vertex
    // answers log_fator's bits and every day inside the curve a fresh interpolation's.
    std::mt19937 g(37);
    const YieldCurve base = le_curva(curva_aleatoria(g, 8, false)).curva;
    const std::vector<YieldCurve> curvas = {
        base,
        curva_com(base, [](YieldCurve& c) { c.resize(3); }),
        curva_com(base, [](YieldCurve& c) { c.erase(c.begin()); }),  // every vertex one place earlier
        base,
        curva_com(base, [](YieldCurve& c) { c[2].rate = std::nextafter(c[2].rate, 1.0); }),
        curva_com(base, [](YieldCurve& c) { c[5].workdays += 1; }),
        curva_com(base, [](YieldCurve& c) { c[0].rate = 0.0; }),
        curva_com(base, [](YieldCurve& c) { c[0].rate = -0.0; }),
        curva_com(base, [](YieldCurve& c) { c.insert(c.begin(), CurvePoint{1, 0.1}); }),
        base,
    };
    LogFatores mantidos;
    Extrapolacao extrapolacao;
    for (std::size_t i = 0; i < curvas.size(); ++i) {
        const YieldCurve& c = curvas[i];
        for (std::size_t v = 0; v < c.size(); ++v)
            ASSERT_EQ(bits_de(mantidos.de(c, v)), bits_de(log_fator(c[v]))) << "curve " << i << ", vertex " << v;
        for (int a = 1; a <= static_cast<int>(c.back().workdays); ++a) {
            const auto dia = static_cast<std::int16_t>(a);
            const Resultado x = interpol(dia, c, 0.0, extrapolacao, mantidos), y = interpol(dia, c, 0.0);
            ASSERT_TRUE(x.ok() && y.ok()) << "curve " << i << ", day " << a;
            ASSERT_EQ(bits_de(x.valor()), bits_de(y.valor())) << "curve " << i << ", day " << a;
        }
    }
}

TEST(DescontoExponencial, PaymentsInAnyOrderFindTheSameSegments) {
    // The discount finds a payment's segment from the last payment's when it lies a few
    // vertices further on: payments in order, in reverse, jumping and repeating answer what a
    // discount that has seen no payment before answers, to the last bit.
    std::mt19937 g(31);
    for (std::size_t n : {2u, 3u, 9u, 200u}) {
        const YieldCurve c = le_curva(curva_aleatoria(g, n, true)).curva;
        const int ultimo = static_cast<int>(c.back().workdays) + 20;
        std::vector<int> dias;
        for (int a = 1; a <= ultimo; a += 1 + ultimo / 300) dias.push_back(a);
        std::vector<int> ao_contrario(dias.rbegin(), dias.rend());
        std::vector<int> saltando = dias;
        std::shuffle(saltando.begin(), saltando.end(), g);
        for (int w : {static_cast<int>(c[0].workdays), static_cast<int>(c[n - 1].workdays), 1, ultimo})
            saltando.insert(saltando.begin() + saltando.size() / 2, {w, w, w + 1, w - 1});
        for (const std::vector<int>* ordem : {&dias, &ao_contrario, &saltando}) {
            std::vector<Duplo> guardados, sozinhos;
            DescontoExponencial desconto(c, guardados);
            for (int a : *ordem) {
                if (a < 1) continue;
                const Duplo x = desconto.log_fator_em(a);
                const Duplo y = DescontoExponencial(c, sozinhos).log_fator_em(a);
                ASSERT_TRUE(x.alto == y.alto && x.baixo == y.baixo) << n << " " << a;
            }
        }
    }
}

TEST(InterpolacaoExponencial, ADiscountOverDecadesKeepsTheAccuracyOfADouble) {
    // 1.15 ^ 40 years: a double's logarithm would lose about 40 of its last places.
    const YieldCurve c = {{21, 0.14}, {252, 0.15}, {2520, 0.15}};
    std::vector<Duplo> estendidos;
    DescontoExponencial desconto(c, estendidos);
    // Beyond the last vertex, flat at the (double) 15 %.
    const long double exato = 40 * std::log1p(static_cast<long double>(0.15));
    // Far below a double's rounding of the exponent (6e-16 here).
    const Duplo anos = desconto.log_fator_em(10080) / 252.0;
    EXPECT_NEAR(static_cast<double>(static_cast<long double>(anos.alto) + anos.baixo - exato), 0.0, 1e-17);
    // Exponents of up to 60 (a discount over decades, a factor of 1e26), given beyond a double:
    // within two places of the double nearest the exact power (a double exponent alone would be
    // off by as many places as the exponent is large).
    std::mt19937 g(29);
    std::uniform_real_distribution<double> expoente(1.0, 60.0), fracao(-1.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        const double alto = expoente(g);
        const Duplo x(alto, fracao(g) * std::ldexp(alto, -53));
        const double exato_x = static_cast<double>(std::exp(static_cast<long double>(x.alto) + x.baixo));
        const double ulp = std::nextafter(exato_x, 1e308) - exato_x;
        EXPECT_NEAR(elementar::exp(x), exato_x, 2.01 * ulp) << alto;
    }
}

TEST(InterpolacaoExponencial, TheLogarithmsComputeTheRuleAsStated) {
    // Inside the curve the result is the rule's, in extended precision, to a few units of the
    // last place of a double (the rule itself loses more than that on long segments).
    std::mt19937 g(17);
    for (int vez = 0; vez < 40; ++vez) {
        const YieldCurve c = le_curva(curva_aleatoria(g, 12, true)).curva;
        for (int a = static_cast<int>(c.front().workdays) + 1; a < static_cast<int>(c.back().workdays); a += 3) {
            const std::size_t k = primeiro_alem(c, a);
            const long double regra = pela_regra(c, k, a);
            EXPECT_NEAR(static_cast<double>(interpola_exp(a, c, 0)), static_cast<double>(regra), 1e-14 * regra)
                << vez << " " << a;
        }
    }
}

TEST(InterpolacaoSpline, BothEndsEliminationAgreesWithTheWholeSolution) {
    // VX.CSPLINE solves for the two derivatives of its segment alone; the chart solves the whole
    // system once. Both are the same spline, to the rounding of a well-conditioned system.
    std::mt19937 g(19);
    YieldCurve lida;
    MemoriaSpline curta, longa, inteira;
    for (std::size_t n : {2u, 3u, 4u, 5u, 50u, 1000u, 6u}) {
        const Matriz m = curva_aleatoria(g, n, false);
        const YieldCurve c = le_curva(m).curva;
        const InterpolacaoSpline spline(c, inteira);
        for (std::size_t k = 1; k < c.size(); k += 1 + c.size() / 60) {
            // A day strictly inside segment k, where both choices of segment agree.
            if (c[k].workdays - c[k - 1].workdays < 2) continue;
            const auto a = static_cast<std::int16_t>(c[k - 1].workdays + (c[k].workdays - c[k - 1].workdays) / 2);
            const double inteira_k = static_cast<double>(spline.taxa(a));
            // The same storage after a longer curve, and storage of its own, answer alike.
            const Resultado r = cspline(a, m, lida, n < 100 ? curta : longa);
            ASSERT_TRUE(r.ok());
            EXPECT_NEAR(r.valor(), inteira_k, 4e-16 * std::fabs(inteira_k)) << n << " " << k;
            EXPECT_EQ(r.valor(), cspline(a, m).valor());
        }
    }
}

TEST(DurationReusada, StorageFromOtherCurvesChangesNothing) {
    std::mt19937 g(23);
    MemoriaDuration memoria;
    const Matriz carteira = linhas({{num(1000000), num(63)}, {num(-250000), num(300)}, {num(500000), num(2000)},
                                    {num(750000), num(5)}, {inteiro(1000), inteiro(4000)}});
    for (std::size_t n : {1000u, 3u, 50u, 2u}) {
        const Matriz c = curva_aleatoria(g, n, true);
        const ResultadoDuration fresca = duration(c, carteira);
        const ResultadoDuration reusada = duration(c, carteira, memoria);
        ASSERT_EQ(fresca.erro, Erro::nenhum);
        ASSERT_EQ(reusada.erro, Erro::nenhum);
        EXPECT_EQ(reusada.linhas.dias, fresca.linhas.dias);
        EXPECT_EQ(reusada.linhas.exposicao, fresca.linhas.exposicao);
        EXPECT_EQ(reusada.linhas.exposicao_final, fresca.linhas.exposicao_final);
    }
    // The worked example after all of them.
    const ResultadoDuration r =
        duration(curva_exemplo(), linhas({{num(1000000), num(63)}, {num(1000000), num(252)}}), memoria);
    ASSERT_EQ(r.erro, Erro::nenhum);
    EXPECT_EQ(r.linhas.dias, 151);
    EXPECT_NEAR(r.linhas.exposicao, 1790666.33, 0.005);
    EXPECT_NEAR(r.linhas.exposicao_final, 1994039.68, 0.005);
}

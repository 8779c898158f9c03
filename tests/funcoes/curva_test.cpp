// The curve reading rule, the exponential interpolation and VX.INTERPOLEX.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "Funcoes/curva.h"
#include "intervalos.h"
#include "verifica.h"

using namespace funcoes;
using namespace teste;

namespace {

YieldCurve curva_lida(const Matriz& m) {
    LeituraCurva l = le_curva(m);
    EXPECT_EQ(l.erro, Erro::nenhum);
    return l.curva;
}

}  // namespace

TEST(Interpol, WorkedExamples) {
    const Matriz c = curva_exemplo();
    EXPECT_TRUE(e_numero(interpol(10, c, 0), 0.18));  // before the first vertex, unchanged
    EXPECT_TRUE(e_numero(interpol(21, c, 0), 0.18));
    EXPECT_TRUE(e_numero(interpol(63, c, 0), 0.185, 1e-12));
    EXPECT_TRUE(e_numero(interpol(42, c, 0), 0.183748017, 5e-10));
    EXPECT_TRUE(e_numero(interpol(100, c, 0), 0.192391910, 5e-10));
    EXPECT_TRUE(e_numero(interpol(300, c, 0), -0.20, 1e-15));
    EXPECT_TRUE(e_numero(interpol(300, c, 1), -0.200430839, 5e-10));
    EXPECT_TRUE(e_numero(interpol(600, c, 1), -0.20125, 1e-12));
}

TEST(Interpol, SharedCoreGivesTheSameRates) {
    const YieldCurve c = curva_lida(curva_exemplo());
    EXPECT_EQ(interpola_exp(10, c, 0), static_cast<long double>(0.18));
    EXPECT_NEAR(static_cast<double>(interpola_exp(42, c, 0)), 0.183748017, 5e-10);
    EXPECT_NEAR(static_cast<double>(interpola_exp(100, c, 0)), 0.192391910, 5e-10);
    EXPECT_NEAR(static_cast<double>(interpola_exp(300, c, 0)), -0.20, 1e-15);
    EXPECT_NEAR(static_cast<double>(interpola_exp(300, c, 1)), -0.200430839, 5e-10);
    EXPECT_NEAR(static_cast<double>(interpola_exp(600, c, 1)), -0.20125, 1e-12);
    // Between vertices the two segment choices agree.
    for (int a = 22; a < 252; a += 7)
        EXPECT_NEAR(static_cast<double>(interpola_exp(a, c, 0)), interpol(a, curva_exemplo(), 0).valor(), 1e-15)
            << a;
}

TEST(Interpol, VerticesReproduceTheirRates) {
    const Matriz m = linhas({{num(0.1425), num(1)}, {num(0.15), num(22)}, {num(0.1475), num(64)},
                             {num(0.151), num(127)}, {num(0.16), num(500)}, {num(0.155), num(1008)}});
    const YieldCurve c = curva_lida(m);
    for (const CurvePoint& p : c) {
        const auto a = static_cast<std::int16_t>(p.workdays);
        EXPECT_TRUE(e_numero(interpol(a, m, 0), p.rate, 1e-13)) << p.workdays;
        EXPECT_NEAR(static_cast<double>(interpola_exp(a, c, 0)), p.rate, 1e-13) << p.workdays;
    }
}

TEST(Interpol, ExtrapolationBeyondTheLastVertex) {
    const Matriz c = curva_exemplo();
    // Parabola up to F = 252 days past the last vertex, flat after it.
    const double s = 0.005 / 126 * 0.25;
    EXPECT_TRUE(e_numero(interpol(252 + 252, c, 1), -(0.20 + 252 * s * (1 - 252.0 / 504)), 1e-14));
    EXPECT_TRUE(e_numero(interpol(252 + 253, c, 1), -(0.20 + 252 * s / 2), 1e-14));
    // Years flat so short that no whole day is flattened acts as 0.
    EXPECT_TRUE(e_numero(interpol(300, c, 0.003), -0.20, 1e-15));
    // F = 1 and G = 3 (odd): the parabola's last day lies above the flat level.
    const double y = 1.6 / 252;  // F = trunc(1.6) = 1, G = trunc(3.2) = 3
    EXPECT_TRUE(e_numero(interpol(253, c, y), -(0.20 + s * (1 - 1.0 / 3)), 1e-14));
    EXPECT_TRUE(e_numero(interpol(254, c, y), -(0.20 + s / 2), 1e-14));
    // The last segment steeper than the one before: its own slope, undamped.
    const Matriz ingreme = linhas({{num(0.10), num(100)}, {num(0.11), num(200)}, {num(0.14), num(300)}});
    EXPECT_TRUE(e_numero(interpol(400, ingreme, 1), -(0.14 + 100 * 0.0003 * (1 - 100.0 / 504)), 1e-14));
    // A flat last segment stays flat; a flat segment before it leaves the last slope undamped.
    const Matriz plana = linhas({{num(0.10), num(100)}, {num(0.12), num(200)}, {num(0.12), num(300)}});
    EXPECT_TRUE(e_numero(interpol(400, plana, 1), -0.12, 1e-15));
    const Matriz degrau = linhas({{num(0.10), num(100)}, {num(0.10), num(200)}, {num(0.12), num(300)}});
    EXPECT_TRUE(e_numero(interpol(400, degrau, 1), -(0.12 + 100 * 0.0002 * (1 - 100.0 / 504)), 1e-14));
    // Many years flat: the span exceeds every integer type and the parabola simply goes on.
    EXPECT_TRUE(e_numero(interpol(300, c, 1e300), -(0.20 + 48 * s), 1e-14));
}

TEST(Interpol, ExtrapolationNeedsThreeVerticesAndNonNegativeYears) {
    const Matriz dois = linhas({{num(0.18), num(21)}, {num(0.20), num(252)}});
    // Inside it interpolates: the capitalisation factor at a is f0^(1−t) × f1^t.
    const double t = 79.0 / 231;
    const double fator = std::pow(std::pow(1.18, 21.0 / 252), 1 - t) * std::pow(1.2, t);
    EXPECT_TRUE(e_numero(interpol(100, dois, 0), std::pow(fator, 252.0 / 100) - 1, 1e-14));
    EXPECT_TRUE(e_erro(interpol(253, dois, 0), Erro::na));
    EXPECT_TRUE(e_erro(interpol(253, dois, 1), Erro::na));
    EXPECT_EQ(interpola_exp(253, curva_lida(dois), 0), 0.0L);
    EXPECT_TRUE(e_erro(interpol(300, curva_exemplo(), -1), Erro::na));
    EXPECT_TRUE(e_numero(interpol(42, curva_exemplo(), -1), 0.183748017, 5e-10));  // ignored inside
}

TEST(Interpol, RejectedInput) {
    EXPECT_TRUE(e_erro(interpol(42, nao_matriz(), 0), Erro::na));
    EXPECT_TRUE(e_erro(interpol(42, linhas({{num(0.18), num(21)}}), 0), Erro::na));
    Matriz tres_colunas;
    tres_colunas.linhas = 2;
    tres_colunas.colunas = 3;
    tres_colunas.celulas = {num(0.18), num(21), num(1), num(0.19), num(63), num(1)};
    EXPECT_TRUE(e_erro(interpol(42, tres_colunas, 0), Erro::na));
    EXPECT_TRUE(e_erro(interpol(0, curva_exemplo(), 0), Erro::na));
    EXPECT_TRUE(e_erro(interpol(-5, curva_exemplo(), 0), Erro::na));
    // Only one usable row; two rows with one day count.
    EXPECT_TRUE(e_erro(interpol(42, linhas({{num(0.18), num(21)}, {vazio(), num(63)}}), 0), Erro::na));
    EXPECT_TRUE(e_erro(interpol(42, linhas({{num(0.18), num(21)}, {num(0.19), num(21.7)}}), 0), Erro::na));
}

TEST(LeCurva, SkipsUnusableRowsAndNormalisesTheRest) {
    const Matriz m = linhas({{vazio(), vazio()},               // header or blank row
                             {num(0.195), num(126.9)},         // days truncated to 126
                             {num(-0.18), inteiro(21)},        // negative rate counts as positive
                             {num(0.3), num(0)},               // zero days
                             {num(0.3), num(-63)},             // negative days
                             {num(0.3), inteiro(-2)},
                             {inteiro(0), vazio()},
                             {num(0.185), num(63)},
                             {vazio(), num(70)},
                             {num(0.20), num(252)}});
    const YieldCurve c = curva_lida(m);
    ASSERT_EQ(c.size(), 4u);
    const std::uint32_t dias[] = {21, 63, 126, 252};
    const double taxas[] = {0.18, 0.185, 0.195, 0.20};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(c[i].workdays, dias[i]);
        EXPECT_EQ(c[i].rate, taxas[i]);
    }
}

TEST(LeCurva, EqualDayCountsKeepTheLargestRate) {
    const YieldCurve c = curva_lida(linhas({{num(0.19), num(21)}, {num(0.18), num(21)}, {num(0.2), num(63)},
                                            {num(0.17), num(21.5)}}));
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].rate, 0.19);
    const YieldCurve d = curva_lida(linhas({{num(0.18), num(21)}, {num(0.19), num(21)}, {num(0.2), num(63)}}));
    EXPECT_EQ(d[0].rate, 0.19);
}

TEST(LeCurva, RowOrderAndHeaderRowsNeverChangeAResult) {
    std::vector<std::pair<Celula, Celula>> rows = {{num(0.18), num(21)}, {num(0.185), num(63)},
                                                   {num(0.195), num(126)}, {num(0.20), num(252)}};
    std::sort(rows.begin(), rows.end(), [](auto& x, auto& y) { return x.second.valor < y.second.valor; });
    const int dias[] = {1, 21, 42, 63, 100, 200, 252, 300, 600};
    do {
        Matriz m;
        m.colunas = 2;
        m.linhas = rows.size() + 2;
        m.celulas = {Celula::outro(), Celula::outro()};  // a text header
        for (auto& r : rows) m.celulas.insert(m.celulas.end(), {r.first, r.second});
        m.celulas.insert(m.celulas.end(), {Celula::outro(), Celula::outro()});  // a blank row
        for (int a : dias) {
            EXPECT_EQ(interpol(a, m, 1).valor(), interpol(a, curva_exemplo(), 1).valor()) << a;
            EXPECT_EQ(interpol(a, m, 0).valor(), interpol(a, curva_exemplo(), 0).valor()) << a;
        }
    } while (std::next_permutation(rows.begin(), rows.end(),
                                   [](auto& x, auto& y) { return x.second.valor < y.second.valor; }));
}

TEST(LeCurva, DayCountsBeyondThirtyTwoBitsAreNotRead) {
    EXPECT_EQ(le_curva(linhas({{num(0.18), num(21)}, {num(0.19), num(1e12)}})).erro, Erro::num);
    EXPECT_EQ(le_curva(linhas({{num(0.18), num(21)}, {num(0.19), num(4294967296.0)}})).erro, Erro::num);
    EXPECT_EQ(le_curva(linhas({{num(0.18), num(21)},
                               {num(0.19), num(std::numeric_limits<double>::infinity())}})).erro,
              Erro::num);
    EXPECT_TRUE(e_erro(interpol(42, linhas({{num(0.18), num(21)}, {num(0.19), num(1e12)}}), 0), Erro::num));
    // The largest count that fits is a vertex; a row without a usable rate is skipped first.
    const YieldCurve c = curva_lida(linhas({{num(0.18), num(21)}, {num(0.19), num(4294967295.9)}}));
    EXPECT_EQ(c.back().workdays, 4294967295u);
    EXPECT_EQ(le_curva(linhas({{vazio(), num(1e12)}, {num(0.18), num(21)}, {num(0.19), num(63)}})).erro,
              Erro::nenhum);
}

TEST(LeCurva, ADayZeroVertex) {
    // 0.5 days becomes a vertex at day 0: its factor is 1, so up to the next vertex the rate is
    // that vertex's rate.
    const Matriz m = linhas({{num(0.5), num(0.5)}, {num(0.18), num(21)}, {num(0.20), num(252)}});
    for (int a : {1, 5, 20, 21}) EXPECT_TRUE(e_numero(interpol(a, m, 0), 0.18, 1e-14)) << a;
    const YieldCurve c = curva_lida(m);
    ASSERT_EQ(c[0].workdays, 0u);
    EXPECT_NEAR(static_cast<double>(interpola_exp(7, c, 0)), 0.18, 1e-14);
    // Day 0 itself answers the day-0 vertex's rate instead of 0/0.
    EXPECT_EQ(interpola_exp(0, c, 0), static_cast<long double>(0.5));
}

TEST(InterpolaExp, CurvesShorterThanTheContractDoNotFault) {
    EXPECT_EQ(interpola_exp(10, YieldCurve{}, 0), 0.0L);
    const YieldCurve um = {{21, 0.18}};
    EXPECT_EQ(interpola_exp(10, um, 0), static_cast<long double>(0.18));
    EXPECT_EQ(interpola_exp(21, um, 0), static_cast<long double>(0.18));
    EXPECT_EQ(interpola_exp(22, um, 0), 0.0L);
}

TEST(Interpol, RatesThatOverflowAnswerNum) {
    // A huge rate with a day count far from the requested day overflows the power.
    const Matriz m = linhas({{num(1e300), num(1)}, {num(1e300), num(30000)}, {num(0.1), num(30001)}});
    EXPECT_TRUE(e_erro(interpol(2, m, 0), Erro::num));
}

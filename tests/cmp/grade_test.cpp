// The grid of business days the comparison chart plots, at the edges of its two regimes: every
// day up to a last point below 250, 250 evenly spaced rows from there on, curve points taking
// the row they fall on or the next one.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "Cmp/grade.h"
#include "Funcoes/spline.h"

namespace {

using cmp::LinhaGrade;
using funcoes::YieldCurve;

std::vector<int> dias_de(const std::vector<LinhaGrade>& grade) {
    std::vector<int> dias;
    for (const auto& linha : grade) dias.push_back(linha.dias);
    return dias;
}

// The rows that carry a curve point, as (days, rate).
std::vector<std::pair<int, double>> pontos_de(const std::vector<LinhaGrade>& grade) {
    std::vector<std::pair<int, double>> pontos;
    for (const auto& linha : grade)
        if (linha.ponto_da_curva) pontos.emplace_back(linha.dias, linha.taxa_ponto);
    return pontos;
}

void espera_crescente(const std::vector<LinhaGrade>& grade) {
    for (size_t i = 1; i < grade.size(); ++i)
        ASSERT_LT(grade[i - 1].dias, grade[i].dias) << "row " << i;
}

TEST(Grade, BelowTwoHundredFiftyEveryDayHasARowAndEveryPointItsOwn) {
    const YieldCurve curva = {{21, 0.18}, {63, 0.185}, {100, 0.19}};
    const auto grade = cmp::monta_grade(curva);
    ASSERT_EQ(grade.size(), 100u);
    for (size_t i = 0; i < grade.size(); ++i) EXPECT_EQ(grade[i].dias, static_cast<int>(i) + 1);
    const std::vector<std::pair<int, double>> esperados = {{21, 0.18}, {63, 0.185}, {100, 0.19}};
    EXPECT_EQ(pontos_de(grade), esperados);
    // Days before the first point carry its rate in both columns; inside, the exponential
    // interpolation of the worked example (its segment 21–63 is the same here).
    for (int d = 0; d < 21; ++d) {
        EXPECT_DOUBLE_EQ(grade[d].spline, 0.18);
        EXPECT_DOUBLE_EQ(grade[d].exponencial, 0.18);
    }
    EXPECT_NEAR(grade[41].exponencial, 0.183748017, 5e-10);
    EXPECT_NEAR(grade[62].spline, 0.185, 1e-12);
    EXPECT_FALSE(grade[41].ponto_da_curva);
}

TEST(Grade, ColumnsAreTheTwoInterpolationsOfTheRowsOwnDay) {
    const YieldCurve curva = {{21, 0.18}, {63, 0.185}, {126, 0.195}, {252, 0.20}};
    const auto grade = cmp::monta_grade(curva);
    ASSERT_EQ(grade.size(), 250u);
    for (const auto& linha : grade) {
        EXPECT_DOUBLE_EQ(linha.spline, static_cast<double>(funcoes::interpola_spline(linha.dias, curva)));
        EXPECT_DOUBLE_EQ(linha.exponencial,
                         static_cast<double>(funcoes::interpola_exp(linha.dias, curva, 0.0)));
        // Nothing in the grid lies beyond the last point: no extrapolated (negative) rate.
        EXPECT_GT(linha.spline, 0.0);
        EXPECT_GT(linha.exponencial, 0.0);
    }
}

TEST(Grade, AtTwoHundredFiftyTheStepIsOne) {
    const YieldCurve curva = {{1, 0.10}, {250, 0.12}};
    const auto grade = cmp::monta_grade(curva);
    ASSERT_EQ(grade.size(), 250u);
    for (size_t i = 0; i < grade.size(); ++i) EXPECT_EQ(grade[i].dias, static_cast<int>(i) + 1);
    const std::vector<std::pair<int, double>> esperados = {{1, 0.10}, {250, 0.12}};
    EXPECT_EQ(pontos_de(grade), esperados);
}

TEST(Grade, AtFourHundredTheStepIsOnePointSixAndPointsTakeTheNextRow) {
    const YieldCurve curva = {{21, 0.18}, {63, 0.185}, {126, 0.195}, {400, 0.21}};
    const auto grade = cmp::monta_grade(curva);
    ASSERT_EQ(grade.size(), 250u);
    const auto dias = dias_de(grade);
    EXPECT_EQ(std::vector<int>(dias.begin(), dias.begin() + 6), (std::vector<int>{1, 3, 5, 6, 8, 9}));
    EXPECT_EQ(dias.back(), 400);
    // 21 is a grid day itself; 63 falls between 62 and 64 and replaces 64; 126 falls between
    // 125 and 127 and replaces 127.
    EXPECT_EQ(dias[12], 21);
    EXPECT_EQ(dias[38], 62);
    EXPECT_EQ(dias[39], 63);
    EXPECT_EQ(dias[40], 65);
    EXPECT_EQ(dias[77], 125);
    EXPECT_EQ(dias[78], 126);
    const std::vector<std::pair<int, double>> esperados = {
        {21, 0.18}, {63, 0.185}, {126, 0.195}, {400, 0.21}};
    EXPECT_EQ(pontos_de(grade), esperados);
    espera_crescente(grade);
}

TEST(Grade, AtOneThousandTheLastPointHasNoRow) {
    const YieldCurve curva = {{2, 0.15}, {3, 0.151}, {4, 0.152}, {500, 0.17}, {1000, 0.18}};
    const auto grade = cmp::monta_grade(curva);
    ASSERT_EQ(grade.size(), 250u);
    const auto dias = dias_de(grade);
    // Grid days 4 apart: 1, 5, 9, ... 997. Three points between 1 and 5 take the rows of 5, 9 and 13 one
    // after the other; the grid catches up at 17.
    EXPECT_EQ(std::vector<int>(dias.begin(), dias.begin() + 6), (std::vector<int>{1, 2, 3, 4, 17, 21}));
    // 500 falls between the grid days 497 and 501 and replaces 501.
    EXPECT_EQ(dias[124], 497);
    EXPECT_EQ(dias[125], 500);
    EXPECT_EQ(dias[126], 505);
    EXPECT_EQ(dias.back(), 997);
    const std::vector<std::pair<int, double>> esperados = {
        {2, 0.15}, {3, 0.151}, {4, 0.152}, {500, 0.17}};
    EXPECT_EQ(pontos_de(grade), esperados);
    espera_crescente(grade);
}

TEST(Grade, RefusesWhatTheChartCannotPlot) {
    EXPECT_THROW(cmp::monta_grade(YieldCurve{{10, 0.1}}), std::invalid_argument);
    EXPECT_THROW(cmp::monta_grade(YieldCurve{}), std::invalid_argument);
    // The day column holds 16-bit integers.
    EXPECT_NO_THROW(cmp::monta_grade(YieldCurve{{1, 0.1}, {32767, 0.2}}));
    EXPECT_THROW(cmp::monta_grade(YieldCurve{{1, 0.1}, {32768, 0.2}}), std::range_error);
    EXPECT_THROW(cmp::monta_grade(YieldCurve{{1, 0.1}, {4294967295u, 0.2}}), std::range_error);
}

// Rates near the largest double overflow the interpolations: the grid is refused, so the chart
// is not built, rather than filled with numbers no cell can hold. Large rates that stay finite
// are charted.
TEST(Grade, RatesThatOverflowTheInterpolationsAreRefused) {
    EXPECT_THROW(cmp::monta_grade(YieldCurve{{1, 1e308}, {2, -1e308}, {300, 1e308}}), std::domain_error);
    EXPECT_THROW(cmp::monta_grade(YieldCurve{{1, 0.1}, {300, 1e308}}), std::domain_error);
    const auto grade = cmp::monta_grade(YieldCurve{{1, 1e6}, {100, 2e6}});
    for (const auto& linha : grade) {
        EXPECT_TRUE(std::isfinite(linha.spline)) << linha.dias;
        EXPECT_TRUE(std::isfinite(linha.exponencial)) << linha.dias;
    }
}

// A rate at or below -100 % leaves its factor 1 + r without a logarithm: the exponential
// interpolation is not a number around that vertex while the spline still is one. The chart is
// refused as for an overflowing spline, never drawn with holes in one of its two lines.
TEST(Grade, ARateAtOrBelowMinusOneHundredPercentIsRefused) {
    for (double taxa : {-1.0, -1.5, -1e300}) {
        const YieldCurve curva = {{21, 0.18}, {63, taxa}, {126, 0.195}};
        bool exponencial_sem_numero = false;
        for (std::int32_t d = 1; d <= 126; ++d) {
            EXPECT_TRUE(std::isfinite(static_cast<double>(funcoes::interpola_spline(d, curva)))) << taxa << " " << d;
            exponencial_sem_numero =
                exponencial_sem_numero || !std::isfinite(static_cast<double>(funcoes::interpola_exp(d, curva, 0.0)));
        }
        EXPECT_TRUE(exponencial_sem_numero) << taxa;
        EXPECT_THROW(cmp::monta_grade(curva), std::domain_error) << taxa;
    }
}

}  // namespace

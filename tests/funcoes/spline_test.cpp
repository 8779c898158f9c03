// The natural cubic spline: VX.CSPLINE and the shared core of the chart.
#include <gtest/gtest.h>

#include "Funcoes/spline.h"
#include "intervalos.h"
#include "verifica.h"

using namespace funcoes;
using namespace teste;

TEST(Cspline, WorkedExamples) {
    const Matriz c = curva_exemplo();
    EXPECT_TRUE(e_numero(cspline(42, c), 0.181346154, 5e-10));
    EXPECT_TRUE(e_numero(cspline(100, c), 0.191069819, 5e-10));
    EXPECT_TRUE(e_numero(cspline(200, c), 0.198463289, 5e-10));
    EXPECT_TRUE(e_numero(cspline(10, c), 0.18));
    EXPECT_TRUE(e_numero(cspline(21, c), 0.18));
    EXPECT_TRUE(e_numero(cspline(63, c), 0.185, 1e-15));
    EXPECT_TRUE(e_numero(cspline(252, c), 0.20, 1e-15));
    EXPECT_TRUE(e_numero(cspline(300, c), -0.20));
}

TEST(Cspline, SharedCoreAgreesAndReproducesVertices) {
    const YieldCurve c = le_curva(curva_exemplo()).curva;
    for (int a = 1; a <= 320; ++a)
        EXPECT_NEAR(static_cast<double>(interpola_spline(a, c)), cspline(a, curva_exemplo()).valor(), 1e-15) << a;
    for (const CurvePoint& p : c) {
        EXPECT_EQ(interpola_spline(p.workdays, c), static_cast<long double>(p.rate)) << p.workdays;
    }
}

TEST(Cspline, TwoVerticesFollowTheClosedForm) {
    // D = (0, 1.5 (r1 − r0)): r0 + 1.5 Δ t² − 0.5 Δ t³, flat at the first vertex.
    const Matriz m = linhas({{num(0.12), num(10)}, {num(0.16), num(90)}});
    for (int a : {11, 30, 50, 89}) {
        const double t = (a - 10) / 80.0, delta = 0.04;
        EXPECT_TRUE(e_numero(cspline(a, m), 0.12 + 1.5 * delta * t * t - 0.5 * delta * t * t * t, 1e-15)) << a;
    }
    // Flat extrapolation needs no slopes, so a two-vertex curve is accepted beyond its end.
    EXPECT_TRUE(e_numero(cspline(91, m), -0.16));
}

TEST(Cspline, SpacingDoesNotChangeTheShapeInTheParameter) {
    const Matriz curta = linhas({{num(0.18), num(21)}, {num(0.19), num(42)}, {num(0.20), num(63)}});
    const Matriz longa = linhas({{num(0.18), num(21)}, {num(0.19), num(42)}, {num(0.20), num(400)}});
    for (int a = 22; a <= 42; ++a) EXPECT_EQ(cspline(a, curta).valor(), cspline(a, longa).valor()) << a;
    // The same place in the last segment gives the same rate too: t = 7/21 = 140/420.
    const Matriz mais_longa = linhas({{num(0.18), num(21)}, {num(0.19), num(42)}, {num(0.20), num(462)}});
    EXPECT_EQ(cspline(49, curta).valor(), cspline(182, mais_longa).valor());
}

TEST(Cspline, StartsWithZeroSlope) {
    // γ0 = 0 forces D0 = 0: just after the first vertex the rate barely moves, even on a steep
    // first segment (a textbook natural start would leave with a slope).
    const Matriz m = linhas({{num(0.10), num(100)}, {num(0.20), num(200)}, {num(0.21), num(300)}});
    const double perto = cspline(101, m).valor() - 0.10;
    EXPECT_GT(perto, 0);
    EXPECT_LT(perto, 1e-4);
}

TEST(Cspline, RejectedInput) {
    EXPECT_TRUE(e_erro(cspline(42, nao_matriz()), Erro::na));
    EXPECT_TRUE(e_erro(cspline(42, linhas({{num(0.18), num(21)}})), Erro::na));
    EXPECT_TRUE(e_erro(cspline(0, curva_exemplo()), Erro::na));
    EXPECT_TRUE(e_erro(cspline(42, linhas({{num(0.18), vazio()}, {num(0.19), num(63)}})), Erro::na));
    EXPECT_TRUE(e_erro(cspline(42, linhas({{num(0.18), num(63)}, {num(0.19), num(63)}})), Erro::na));
    EXPECT_TRUE(e_erro(cspline(42, linhas({{num(0.18), num(21)}, {num(0.19), num(1e12)}})), Erro::num));
}

TEST(InterpolaSpline, CurvesShorterThanTheContractDoNotFault) {
    EXPECT_EQ(interpola_spline(5, YieldCurve{}), 0.0L);
    const YieldCurve um = {{21, 0.18}};
    EXPECT_EQ(interpola_spline(5, um), static_cast<long double>(0.18));
    EXPECT_EQ(interpola_spline(22, um), -static_cast<long double>(0.18));
}

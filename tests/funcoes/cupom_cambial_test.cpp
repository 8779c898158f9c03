// The FX coupon functions: VX.CUPOM_FRA, _FRACRUTA, _ROLIMP, _DESVIMP and _SUJO.
#include <gtest/gtest.h>

#include <cmath>

#include "Funcoes/cupom_cambial.h"
#include "verifica.h"

using namespace funcoes;
using namespace teste;

namespace {
// The legs of the worked example: 21 business days to 39000, 63 to 39062.
double frc(double rolagem, double dolar) { return cupfra(0.18, 21, 39000, 0.185, 63, 39062, rolagem, dolar).valor(); }
Resultado desv(double c) { return cupdesvimp(c, 39062, 63, 0.18, 21, 39000, 0.185); }
Resultado rol(double c, double dolar) { return cuprolimp(c, 39062, 63, 0.18, 21, dolar, 39000, 0.185); }
}  // namespace

TEST(CupomFra, WorkedExamples) {
    EXPECT_TRUE(e_numero(cupfra(0.18, 21, 39000, 0.185, 63, 39062, 25, 2500), 0.0477314641, 5e-11));
    EXPECT_TRUE(e_numero(cupfra(0.18, 21, 39000, 0.185, 63, 39062, 0.12, 0), 0.0477314641, 5e-11));
    // Points of a dollar of 5000: 25 / 5000 × 12 = 6 % a year.
    EXPECT_NEAR(frc(25, 5000), frc(0.06, 0), 1e-16);
    // No roll: the forward DI factor as a linear ACT/360 rate.
    const double phi = std::pow(1.185, 63.0 / 252) / std::pow(1.18, 21.0 / 252);
    EXPECT_NEAR(frc(0, 0), (phi - 1) * 360 / 62, 1e-15);
    EXPECT_NEAR(phi, 1.029056974, 5e-10);
}

TEST(CupomFra, ImpliedDevaluationAndRoll) {
    EXPECT_TRUE(e_numero(desv(frc(25, 2500)), 0.12, 1e-15));
    EXPECT_TRUE(e_numero(rol(frc(25, 2500), 2500), 25, 1e-11));
    // cupdesvimp inverts cupfra; cuprolimp is the same devaluation in points of the dollar.
    for (double delta : {-0.05, 0.0, 0.03, 0.12, 0.4}) {
        const double c = frc(delta, 0);
        EXPECT_NEAR(desv(c).valor(), delta, 1e-14) << delta;
        for (double dolar : {0.0, 1950.5, 2500.0, 5400.0})
            EXPECT_NEAR(rol(c, dolar).valor(), dolar * desv(c).valor() * 30 / 360, 1e-11) << delta;
    }
    EXPECT_EQ(rol(0.05, 0).valor(), 0);
}

TEST(CupomFra, ValidationOfTheLegs) {
    for (Resultado r : {cupfra(0, 21, 39000, 0.185, 63, 39062, 25, 2500), cupfra(0.18, 0, 39000, 0.185, 63, 39062, 25, 2500),
                        cupfra(0.18, 21, 39000, 0.185, 63, 39062, 25, -1), cupfra(0.18, 21, 39000, 0.185, 21, 39062, 25, 2500),
                        cupfra(0.18, 21, 39000, 0.185, 63, 39000, 25, 2500),
                        cupdesvimp(0.05, 39000, 63, 0.18, 21, 39000, 0.185), cupdesvimp(0.05, 39062, 63, 0, 21, 39000, 0.185),
                        cupdesvimp(0.05, 39062, 63, 0.18, 0, 39000, 0.185), cupdesvimp(0.05, 39062, 21, 0.18, 21, 39000, 0.185),
                        cuprolimp(0.05, 39000, 63, 0.18, 21, 2500, 39000, 0.185), cuprolimp(0.05, 39062, 63, -0.1, 21, 2500, 39000, 0.185),
                        cuprolimp(0.05, 39062, 63, 0.18, -2, 2500, 39000, 0.185), cuprolimp(0.05, 39062, 63, 0.18, 21, -0.5, 39000, 0.185),
                        cuprolimp(0.05, 39062, 20, 0.18, 21, 2500, 39000, 0.185)})
        EXPECT_TRUE(e_erro(r, Erro::na));
}

TEST(CupomFra, ADiscountOfZeroAnswersDivZero) {
    // 360 days at −100 % a year leaves a discount term of exactly 0.
    EXPECT_TRUE(e_erro(cupfra(0.18, 21, 39000, 0.185, 63, 39360, -1, 0), Erro::div0));
    EXPECT_TRUE(e_erro(cupdesvimp(-1, 39360, 63, 0.18, 21, 39000, 0.185), Erro::div0));
    EXPECT_TRUE(e_erro(cuprolimp(-1, 39360, 63, 0.18, 21, 2500, 39000, 0.185), Erro::div0));
    EXPECT_TRUE(e_erro(cupfracurta(-1, 1000, 39360, 39000), Erro::div0));
}

TEST(CupomFra, NoFiniteOrThirtyTwoBitAnswer) {
    // Dates so far apart that their difference leaves 32 bits.
    EXPECT_TRUE(e_erro(cupfra(0.18, 21, -2000000000, 0.185, 63, 2000000000, 0.1, 0), Erro::num));
    EXPECT_TRUE(e_erro(cupdesvimp(0.05, 2000000000, 63, 0.18, 21, -2000000000, 0.185), Erro::num));
    EXPECT_TRUE(e_erro(cupfracurta(0.05, 1000, 2000000000, -2000000000), Erro::num));
    // A long-leg DI factor that overflows its power.
    EXPECT_TRUE(e_erro(cupfra(0.18, 21, 39000, 0.185, 2000000000, 39062, 0.1, 0), Erro::num));
    EXPECT_TRUE(e_erro(cuprolimp(0.05, 39062, 2000000000, 0.18, 21, 2500, 39000, 0.185), Erro::num));
}

TEST(CupomFraCurta, ContractsOnTheShortLeg) {
    EXPECT_TRUE(e_numero(cupfracurta(0.05, 1000, 39090, 39000), 988));  // 987.654321
    EXPECT_TRUE(e_numero(cupfracurta(0, 1000, 39090, 39000), 1000));
    EXPECT_TRUE(e_numero(cupfracurta(1, 195, 39360, 39000), 98));    // 97.5 rounds up
    EXPECT_TRUE(e_numero(cupfracurta(9, -977, 39360, 39000), -97));  // −97.7 is truncated
    EXPECT_TRUE(e_erro(cupfracurta(0.05, 1000, 39000, 39000), Erro::na));
    // A divisor that is tiny but not zero: more contracts than 32 bits hold.
    EXPECT_TRUE(e_erro(cupfracurta(-1 + 1e-12, 2000000000, 39360, 39000), Erro::num));
}

TEST(CupomSujo, WorkedExample) {
    EXPECT_TRUE(e_numero(cupsujo(2.5, 2.51, 39000, 39000, 0.185, 63, 39091, 25, false), 0.0357687599, 5e-11));
    // The roll as a rate: δ = 25 / 2510 × 12.
    EXPECT_NEAR(cupsujo(2.5, 2.51, 39000, 39000, 0.185, 63, 39091, 25.0 / 2510 * 12, true).valor(),
                0.0357687599, 5e-11);
    // No roll with today's PTAX: (L × X0 / P2 − 1) × 360 / mL.
    const double l = std::pow(1.185, 63.0 / 252);
    EXPECT_NEAR(l, 1.043348960, 5e-10);
    EXPECT_NEAR(cupsujo(2.5, 2.51, 39000, 39000, 0.185, 63, 39091, 0, false).valor(),
                (l * 2.5 / 2.51 - 1) * 360 / 91, 1e-15);
    // A dollar future (per 1000 dollars) maturing after today is used as it is.
    const double futuro = cupsujo(2.5, 2530, 39030, 39000, 0.185, 63, 39091, 25, false).valor();
    const double d = 25.0 / 2530 * 12, a = 90 * d / 360 + 1, b = 30 * d / 360 + 1;
    EXPECT_NEAR(futuro, (l / (a * (2.53 / b / 2.5)) - 1) * 360 / 91, 1e-15);
}

TEST(CupomSujo, ValidationAndZeroDivisors) {
    EXPECT_TRUE(e_erro(cupsujo(0, 2.51, 39000, 39000, 0.185, 63, 39091, 25, false), Erro::na));
    EXPECT_TRUE(e_erro(cupsujo(2.5, 2.51, 39000, 39000, 0.185, 0, 39091, 25, false), Erro::na));
    EXPECT_TRUE(e_erro(cupsujo(2.5, 2.51, 39091, 39000, 0.185, 63, 39091, 25, false), Erro::na));
    // Today on the long leg's date: no calendar days to spread the coupon over.
    EXPECT_TRUE(e_erro(cupsujo(2.5, 2510, 39000, 39091, 0.185, 63, 39091, 25, false), Erro::div0));
    // A dollar 2 of zero, as the divisor of the roll and as the divisor of the FX variation.
    EXPECT_TRUE(e_erro(cupsujo(2.5, 0, 39030, 39000, 0.185, 63, 39091, 25, false), Erro::div0));
    EXPECT_TRUE(e_erro(cupsujo(2.5, 0, 39030, 39000, 0.185, 63, 39091, 0.1, true), Erro::div0));
    // A devaluation of −100 % over 360 days to dollar 2.
    EXPECT_TRUE(e_erro(cupsujo(2.5, 2530, 39360, 39000, 0.185, 63, 39400, -1, true), Erro::div0));
    // Today far from both dates.
    EXPECT_TRUE(e_erro(cupsujo(2.5, 2530, 39030, -2140000000, 0.185, 63, 2140000000, 25, false), Erro::num));
}
